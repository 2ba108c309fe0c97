#include "project/project.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <string_view>
#include <utility>
#include <vector>

#include "db/export_columns.h"
#include "model/identity.h"
#include "text/format.h"
#include "text/file_system.h"

namespace linvara {

Project::Project(Reporter& reporter) : reporter_(reporter), database_(reporter) {}

void Project::Remember() { counter_ = database_.ChangeCounter(); }

Status Project::Open(const std::string& path, const ConversionOptions& defaults) {
    open_ = false;
    points_.clear();
    stored_ = StoredRows{};
    if (Status opened = database_.OpenProject(path); !opened) return opened;
    if (Status read = ReadList(); !read) return read;
    std::optional<ConversionOptions> own;
    // Without them the project is ordered with the defaults, as one nobody set options for.
    if (Status read = database_.ReadOptions(own); !read) reporter_.Warning(read.message());
    options_ = own.value_or(defaults);
    open_ = true;
    return Status::Ok();
}

Status Project::StoreOptions(const ConversionOptions& options) {
    // Storing options changes no row: unless another program wrote since,
    // the tables still hold what this program last read or wrote.
    const bool unchanged = counter_ && database_.ChangeCounter() == counter_;
    if (Status stored = database_.StoreOptions(options); !stored) return stored;
    options_ = options;
    if (unchanged) Remember();
    return Status::Ok();
}

DHPointList Project::TakePoints() {
    open_ = false;
    changes_ = {};
    stored_ = {};  // what only a save needs goes with the list
    return std::move(points_);
}

Status Project::ReadList() {
    DHPointList points;
    StoredRows stored;
    if (Status read = database_.ReadStakeList(points, &stored); !read) return read;
    points_ = std::move(points);
    stored_ = std::move(stored);
    // Without them the project only loses the check of moved points' B/L.
    if (Status read = database_.ReadLatLonBasis(latLon_); !read) reporter_.Warning(read.message());
    changes_ = {};
    compared_ = false;
    Remember();
    if (const std::size_t renumbered = RenumberSharedIdentities(); renumbered > 0)
        reporter_.Warning(text::Format("%zu个点的GPS_ID与其他点重复，已重新编号，保存后写入工程文件。", renumbered));
    return Status::Ok();
}

std::size_t Project::RenumberSharedIdentities() {
    std::vector<std::string_view> ids;
    ids.reserve(points_.size());
    for (const DHPoint& p : points_) ids.push_back(p.GPS_ID);
    const std::vector<std::size_t> repeats = LaterRepeats(ids);
    if (repeats.empty()) return 0;
    std::vector<std::uint64_t> hashes;
    for (std::string_view id : ids) hashes.push_back(IdentityHash(id));
    FreshIdentities fresh(std::move(hashes));
    for (std::size_t at : repeats) {
        DHPoint& p = points_[at];
        p.GPS_ID = fresh.Next();
        changes_.ids.insert(p.ID);
    }
    changes_.order = true;
    return repeats.size();
}

Status Project::CheckUnchanged() {
    if (counter_ && database_.ChangeCounter() == counter_) return Status::Ok();
    StoredRows now;
    if (Status read = database_.ReadStoredRows(now); !read) return read;
    if (!(now == stored_)) return Status::Conflict("工程文件已被其他程序修改：" + Path());
    Remember();  // another program wrote elsewhere in the file
    return Status::Ok();
}

Status Project::Save(SaveMode mode) {
    if (!open_) return Status::Ok();
    const bool overwrite = mode == SaveMode::Overwrite;
    // Also with nothing to write: a file moved away is news to the user.
    std::error_code ec;
    if (!std::filesystem::exists(text::FsPath(Path()), ec))
        return Status::Failed(WithCause("保存失败：" + Path(), "文件不存在：" + Path()));
    if (IsSaved() && !overwrite) return Status::Ok();
    const bool all = changes_.all || !compared_;
    const SaveScope scope{overwrite, all ? nullptr : &changes_.ids, changes_.order || !compared_};
    Status saved = database_.SaveList(points_, stored_, scope, counter_);
    // With nothing of its own to store, a save leaves another program's changes alone.
    if (saved.code() == Status::Code::Conflict && !IsModified()) return Status::Ok();
    if (!saved) return saved;
    changes_ = {};
    compared_ = true;
    Remember();
    return Status::Ok();
}

// A command stores what it changed and nothing else: rows the collector
// kept otherwise than a save keeps them are left to the user's Save.
Status Project::Store(RowEdits* edits) {
    const SaveScope scope{false, changes_.all ? nullptr : &changes_.ids, changes_.order};
    if (Status saved = database_.SaveList(points_, stored_, scope, counter_, edits); !saved) return saved;
    compared_ = compared_ || changes_.all;
    changes_ = {};
    Remember();
    return Status::Ok();
}

Status Project::Reload() {
    if (!open_) return Status::Ok();
    return ReadList();
}

Status Project::ResetToSurvey() {
    if (!open_) return Status::Ok();
    if (Status reset = database_.ResetToSurvey(); !reset) return reset;
    return ReadList();
}

Status Project::ResetToSurvey(ListBackup& backup) {
    if (!open_) return Status::Ok();
    ListBackup kept;
    if (Status read = database_.ReadRows(stored_, kept.rows); !read) return read;
    kept.points = points_;
    if (Status reset = ResetToSurvey(); !reset) return reset;
    backup = std::move(kept);
    return Status::Ok();
}

Status Project::RestoreBackup(const ListBackup& backup) {
    if (!open_) return Status::Failed("重新加载数据失败");
    RowEdits edits;
    edits.deleteAll = true;
    edits.restored = &backup.rows;
    edits.failure = "重新加载数据失败";
    DHPointList previous = std::exchange(points_, backup.points);
    const Changes changes = std::exchange(changes_, Changes{false, {}, true});
    const bool compared = std::exchange(compared_, true);  // the rows come back as they were stored
    Status stored = Store(&edits);
    if (!stored) {
        points_ = std::move(previous);
        changes_ = changes;
        compared_ = compared;
    }
    return stored;
}

namespace {

// The list keeps what the file keeps of every value a command computes or
// the user types, so it shows the digits reopening the project shows.
void HoldAsStored(DHPoint& point, export_table::Use use) { export_table::RoundAsStored(point, use); }
void HoldAsStored(DHPointList& points) {
    for (DHPoint& p : points) HoldAsStored(p, export_table::Saved);
}

// Taken by another point than the one with `gpsId`.
bool IsNameTakenByOther(const DHPointList& list, const std::string& name, const std::string& gpsId) {
    for (const DHPoint& p : list)
        if (p.GPS_ID != gpsId && (p.NewPtName == name || p.OrgPtName == name)) return true;
    return false;
}

}  // namespace

Status Project::AddPoint(DHPoint point, int before) {
    if (!open_) return Status::Failed("添加点失败");
    if (point.NewPtName.empty()) return Status::Failed("点名不能为空");
    if (IsNameTaken(points_, point.NewPtName)) return Status::Failed("不能存在相同点名");
    const std::size_t at =
        before >= 0 && static_cast<std::size_t>(before) < points_.size() ? static_cast<std::size_t>(before) : points_.size();
    const Changes changes = changes_;
    HoldAsStored(point, export_table::Added);
    points_.insert(points_.begin() + static_cast<std::ptrdiff_t>(at), std::move(point));
    ReindexOrder(points_);
    changes_.order = true;
    RowEdits edits;
    edits.added.push_back(&points_[at]);
    edits.failure = "添加点失败";
    Status stored = Store(&edits);
    if (!stored) {
        points_.erase(points_.begin() + static_cast<std::ptrdiff_t>(at));
        ReindexOrder(points_);
        changes_ = changes;
    }
    return stored;
}

Status Project::EditPoint(const DHPoint& edited) {
    const int index = FindIndexByGpsId(points_, edited.GPS_ID);
    if (!open_ || index < 0) return Status::Failed("修改点失败");
    const DHPoint& was = points_[static_cast<std::size_t>(index)];
    if (edited.NewPtName != was.NewPtName) {
        if (edited.NewPtName.empty()) return Status::Failed("点名不能为空");
        if (IsNameTakenByOther(points_, edited.NewPtName, edited.GPS_ID)) return Status::Failed("不能存在相同点名");
    }
    if (Status unchanged = CheckUnchanged(); !unchanged) return unchanged;
    DHPoint kept = edited;
    HoldAsStored(kept, export_table::Edited);
    const std::optional<LatLonOrigin> origin = OriginOfMove(was, kept);
    if (Status updated = database_.UpdatePoint(kept, stored_, origin ? &*origin : nullptr); !updated) return updated;
    Remember();
    if (origin && !FindOrigin(latLon_, origin->gpsId, origin->latitude, origin->longitude))
        latLon_.origins.push_back(*origin);
    points_[static_cast<std::size_t>(index)] = std::move(kept);
    return Status::Ok();
}

Status Project::DeletePoints(const std::vector<std::string>& gpsIds, RemovedPoints* removed) {
    if (!open_) return Status::Ok();
    std::unordered_set<std::string> wanted(gpsIds.begin(), gpsIds.end());
    RemovedPoints taken;
    RowEdits edits;
    DHPointList remaining;
    remaining.reserve(points_.size());
    for (std::size_t i = 0; i < points_.size(); ++i) {
        // The first point of each GPS_ID, as a lookup by GPS_ID finds it.
        if (wanted.erase(points_[i].GPS_ID) == 0) {
            remaining.push_back(points_[i]);
            continue;
        }
        edits.deleted.push_back(points_[i].ID);
        taken.points.emplace_back(i, points_[i]);
    }
    if (edits.deleted.empty()) return Status::Ok();
    edits.deletedRows = &taken.rows;
    edits.failure = "删除点失败";
    ReindexOrder(remaining);
    DHPointList previous = std::exchange(points_, std::move(remaining));
    const Changes changes = changes_;
    changes_.order = true;
    if (Status stored = Store(&edits); !stored) {
        points_ = std::move(previous);
        changes_ = changes;
        return stored;
    }
    if (removed != nullptr) *removed = std::move(taken);
    return Status::Ok();
}

Status Project::RestorePoints(const RemovedPoints& removed) {
    if (!open_) return Status::Failed("添加点失败");
    DHPointList previous = points_;
    for (const auto& [at, point] : removed.points)
        points_.insert(points_.begin() + static_cast<std::ptrdiff_t>(std::min(at, points_.size())), point);
    ReindexOrder(points_);
    const Changes changes = changes_;
    changes_.order = true;
    RowEdits edits;
    edits.restored = &removed.rows;
    edits.failure = "添加点失败";
    if (Status stored = Store(&edits); !stored) {
        points_ = std::move(previous);
        changes_ = changes;
        return stored;
    }
    return Status::Ok();
}

Status Project::RestoreList(DHPointList list, const CoordinateSystem* system) {
    if (!open_) return Status::Ok();
    DHPointList previous = std::exchange(points_, std::move(list));
    ReindexOrder(points_);
    HoldAsStored(points_);
    const Changes changes = changes_;
    changes_.all = changes_.order = true;
    RowEdits edits;
    edits.coordinateSystem = system;
    if (Status stored = Store(system != nullptr ? &edits : nullptr); !stored) {
        points_ = std::move(previous);
        changes_ = changes;
        return stored;
    }
    if (system != nullptr) latLon_.system = *system;
    return Status::Ok();
}

void Project::AutoOrder() {
    if (!open_) return;
    AutoOrderStakes(points_, options_);
    HoldAsStored(points_);
    changes_.all = changes_.order = true;
}

void Project::SortByMileage() {
    if (!open_) return;
    linvara::SortByMileage(points_, options_);
    changes_.all = changes_.order = true;
}

int Project::MoveJStake(JMove kind, int jRow) {
    if (!open_) return -1;
    const int row = linvara::MoveJStake(points_, kind, jRow);
    if (row >= 0 && row != jRow) changes_.order = true;
    return row;
}

void Project::AppointJStakes(const std::vector<std::string>& gpsIds, const DHPoint& start, const DHPoint& end) {
    if (!open_) return;
    std::vector<std::string> others;
    std::vector<std::size_t> at;
    for (const std::string& gpsId : gpsIds) {
        const int index = FindIndexByGpsId(points_, gpsId);
        if (index < 0 || points_[static_cast<std::size_t>(index)].DHType == JStake) continue;
        changes_.ids.insert(points_[static_cast<std::size_t>(index)].ID);
        others.push_back(gpsId);
        at.push_back(static_cast<std::size_t>(index));
    }
    if (others.empty()) return;
    linvara::AppointJStakes(points_, others, start, end);
    for (std::size_t i : at) HoldAsStored(points_[i], export_table::Saved);
}

}  // namespace linvara
