#include "project/project.h"

#include <filesystem>
#include <system_error>
#include <string_view>
#include <utility>
#include <vector>

#include "model/identity.h"
#include "text/format.h"

namespace linvara {

Project::Project(Reporter& reporter) : reporter_(reporter), database_(reporter) {}

void Project::Remember() { counter_ = database_.ChangeCounter(); }

Status Project::Open(const std::string& path) {
    open_ = false;
    points_.clear();
    stored_ = StoredRows{};
    if (Status opened = database_.OpenProject(path); !opened) return opened;
    if (Status read = ReadList(); !read) return read;
    open_ = true;
    return Status::Ok();
}

DHPointList Project::TakePoints() {
    open_ = false;
    changes_ = {};
    return std::move(points_);
}

Status Project::ReadList() {
    DHPointList points;
    StoredRows stored;
    if (Status read = database_.ReadStakeList(points, &stored); !read) return read;
    points_ = std::move(points);
    stored_ = std::move(stored);
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
    if (!std::filesystem::exists(Path(), ec))
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

Status Project::Reload() {
    if (!open_) return Status::Ok();
    return ReadList();
}

Status Project::ResetToSurvey() {
    if (!open_) return Status::Ok();
    if (Status reset = database_.ResetToSurvey(); !reset) return reset;
    return ReadList();
}

Status Project::AddPoint(DHPoint point, int before) {
    if (!open_) return Status::Failed("添加点失败");
    if (IsNameTaken(points_, point.NewPtName)) return Status::Failed("不能存在相同点名");
    if (Status unchanged = CheckUnchanged(); !unchanged) return unchanged;
    if (Status inserted = database_.InsertPoint(point, stored_); !inserted) return inserted;
    Remember();
    // The file has the new point last in the route; elsewhere the next save writes its place.
    if (before >= 0 && static_cast<std::size_t>(before) < points_.size()) {
        points_.insert(points_.begin() + before, std::move(point));
        changes_.order = true;
    } else {
        points_.push_back(std::move(point));
    }
    ReindexOrder(points_);
    return Status::Ok();
}

Status Project::EditPoint(const DHPoint& edited) {
    const int index = FindIndexByGpsId(points_, edited.GPS_ID);
    if (!open_ || index < 0) return Status::Failed("修改点失败");
    if (Status unchanged = CheckUnchanged(); !unchanged) return unchanged;
    if (Status updated = database_.UpdatePoint(edited, stored_); !updated) return updated;
    Remember();
    points_[static_cast<std::size_t>(index)] = edited;
    return Status::Ok();
}

Status Project::DeletePoints(const std::vector<std::string>& gpsIds) {
    if (!open_) return Status::Ok();
    DHPointList remaining = points_;
    std::vector<int> ids;
    for (const std::string& gpsId : gpsIds) {
        const int index = FindIndexByGpsId(remaining, gpsId);
        if (index < 0) continue;
        ids.push_back(remaining[static_cast<std::size_t>(index)].ID);
        remaining.erase(remaining.begin() + index);
    }
    if (ids.empty()) return Status::Ok();
    if (Status unchanged = CheckUnchanged(); !unchanged) return unchanged;
    if (Status deleted = database_.DeletePoints(ids, stored_); !deleted) return deleted;
    Remember();
    points_ = std::move(remaining);
    ReindexOrder(points_);
    changes_.order = true;  // the order rows of deleted points go with the next save
    return Status::Ok();
}

void Project::AutoOrder() {
    if (!open_) return;
    AutoOrderStakes(points_, options_);
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
    for (const std::string& gpsId : gpsIds)
        if (const int index = FindIndexByGpsId(points_, gpsId); index >= 0)
            changes_.ids.insert(points_[static_cast<std::size_t>(index)].ID);
    linvara::AppointJStakes(points_, gpsIds, start, end);
}

}  // namespace linvara
