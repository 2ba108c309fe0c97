// The undoable commands of the document: each is carried out and stored,
// then goes on the history with the steps that take it back and redo it.
#include <QTimer>
#include <memory>
#include <unordered_set>

#include "app/list_command.h"
#include "app/project_document.h"
#include "common/ui_services.h"
#include "common/wait_cursor.h"
#include "model/point_values.h"
#include "common/native_path.h"

namespace linvara::gui {

void ProjectDocument::Push(const QString& text, std::function<bool()> undo, std::function<bool()> redo) {
    history_.push(new ListCommand(text, std::move(undo), std::move(redo), [this] { DropHistory(); }));
}

bool ProjectDocument::StoreList() {
    const bool stored = Settle(project_->Save(), nullptr);
    Stored(stored);
    return stored;
}

std::vector<std::string> ProjectDocument::NeighbourOf(const std::vector<std::string>& gpsIds) const {
    const std::unordered_set<std::string> gone(gpsIds.begin(), gpsIds.end());
    const DHPointList& points = Points();
    int last = -1;
    for (std::size_t i = 0; i < points.size(); ++i)
        if (gone.contains(points[i].GPS_ID)) last = static_cast<int>(i);
    for (int i = last + 1; i < static_cast<int>(points.size()); ++i)
        if (!gone.contains(points[static_cast<std::size_t>(i)].GPS_ID)) return {points[static_cast<std::size_t>(i)].GPS_ID};
    for (int i = last - 1; i >= 0; --i)
        if (!gone.contains(points[static_cast<std::size_t>(i)].GPS_ID)) return {points[static_cast<std::size_t>(i)].GPS_ID};
    return {};
}

// --- the steps ------------------------------------------------------------

bool ProjectDocument::Remove(const std::vector<std::string>& gpsIds, RemovedPoints& removed) {
    if (!project_) return false;
    focus_ = NeighbourOf(gpsIds);
    emit orderAboutToChange();
    const auto remove = [this, &gpsIds, &removed] {
        removed = {};
        return project_->DeletePoints(gpsIds, &removed);
    };
    const bool ok = Settle(remove(), remove);
    Stored(ok);
    emit orderChanged();
    return ok;
}

bool ProjectDocument::PutBack(const RemovedPoints& removed) {
    if (!project_) return false;
    focus_.clear();
    for (const auto& entry : removed.points) focus_.push_back(entry.second.GPS_ID);
    emit orderAboutToChange();
    const auto restore = [this, &removed] { return project_->RestorePoints(removed); };
    const bool ok = Settle(restore(), restore);
    Stored(ok);
    emit orderChanged();
    return ok;
}

bool ProjectDocument::Replace(const DHPoint& point) {
    const int index = IndexOf(point.GPS_ID);
    if (index < 0) return false;
    const bool kindChanges = Points()[static_cast<size_t>(index)].DHType != point.DHType;
    focus_ = {point.GPS_ID};
    if (kindChanges) emit orderAboutToChange();
    const auto edit = [this, &point] { return project_->EditPoint(point); };
    const bool ok = Settle(edit(), edit);
    Stored(ok);
    // A point that changes kind joins or leaves the J/Z-stake lists.
    if (kindChanges)
        emit orderChanged();
    else if (ok)
        emit pointChanged(IndexOf(point.GPS_ID));
    return ok;
}

bool ProjectDocument::Step(const ListDelta& delta, bool forward, const CoordinateSystem* system) {
    if (!project_) return false;
    std::optional<DHPointList> next = forward ? delta.After(Points()) : delta.Before(Points());
    if (!next) return false;
    focus_.clear();
    emit orderAboutToChange();
    Status restored = Status::Ok();
    {
        WaitCursor wait;
        restored = project_->RestoreList(std::move(*next), system);
    }
    // A conflict leaves the list as it was; keeping mine stores it over the file.
    const bool ok = Settle(restored, [this, &delta, forward, system] {
        std::optional<DHPointList> again = forward ? delta.After(Points()) : delta.Before(Points());
        return again ? project_->RestoreList(std::move(*again), system) : Status::Failed("撤销失败");
    });
    Stored(ok);
    emit orderChanged();
    return ok;
}

bool ProjectDocument::Reset(ListBackup& backup) {
    Status reset = Status::Ok();
    {
        WaitCursor wait;
        reset = project_->ResetToSurvey(backup);
    }
    if (!reset) Report(reset);
    Stored(reset.ok());
    if (!reset) return false;
    mode_ = ViewMode::AllPoints;
    focus_.clear();
    emit listReset();
    return true;
}

bool ProjectDocument::RestoreBackup(const ListBackup& backup) {
    Status restored = Status::Ok();
    {
        WaitCursor wait;
        restored = project_->RestoreBackup(backup);
    }
    if (!restored) Report(restored);
    Stored(restored.ok());
    focus_.clear();
    emit listReset();
    return restored.ok();
}

// --- the commands ---------------------------------------------------------

bool ProjectDocument::AddPoint(DHPoint point, int before, bool insert) {
    if (!project_ || RefusedAsReadOnly()) return false;
    const std::string gpsId = point.GPS_ID;
    focus_ = {gpsId};
    emit orderAboutToChange();
    const auto add = [this, &point, before] { return project_->AddPoint(point, before); };
    const bool ok = Settle(add(), add);
    Stored(ok);
    emit orderChanged();
    if (!ok) return false;
    auto removed = std::make_shared<RemovedPoints>();
    Push(insert ? QStringLiteral("插入点") : QStringLiteral("增加点"),
         [this, gpsId, removed] { return Remove({gpsId}, *removed); },
         [this, removed] { return PutBack(*removed); });
    return true;
}

bool ProjectDocument::EditPoint(const DHPoint& edited) {
    const int index = IndexOf(edited.GPS_ID);
    if (index < 0 || RefusedAsReadOnly()) return false;
    const DHPoint was = Points()[static_cast<size_t>(index)];
    if (!Replace(edited)) return false;
    Push(QStringLiteral("编辑点"), [this, was] { return Replace(was); }, [this, edited] { return Replace(edited); });
    return true;
}

bool ProjectDocument::DeletePoints(const std::vector<std::string>& gpsIds) {
    if (!project_ || gpsIds.empty() || RefusedAsReadOnly()) return false;
    auto removed = std::make_shared<RemovedPoints>();
    if (!Remove(gpsIds, *removed)) return false;
    if (removed->points.empty()) return true;
    Push(QStringLiteral("删除点"), [this, removed] { return PutBack(*removed); },
         [this, gpsIds, removed] { return Remove(gpsIds, *removed); });
    return true;
}

void ProjectDocument::RunListCommand(const QString& text, const std::function<void()>& run) {
    if (RefusedAsReadOnly()) return;
    focus_.clear();
    emit orderAboutToChange();
    auto delta = std::make_shared<ListDelta>();
    {
        WaitCursor wait;
        const DHPointList before = Points();
        run();
        *delta = ListDelta::Between(before, Points());
    }
    StoreList();
    emit orderChanged();
    if (delta->IsEmpty()) return;
    Push(text, [this, delta] { return Step(*delta, false); }, [this, delta] { return Step(*delta, true); });
}

void ProjectDocument::AppointJStakes(const std::vector<std::string>& gpsIds, const DHPoint& start,
                                     const DHPoint& end) {
    if (!project_ || gpsIds.empty()) return;
    RunListCommand(QStringLiteral("指定J桩"), [&] { project_->AppointJStakes(gpsIds, start, end); });
}

int ProjectDocument::MoveJStake(JMove kind, int jRow) {
    if (!project_) return -1;
    static const char* const kNames[] = {"移到顶端", "向上", "向下", "移到底部"};
    int row = -1;
    RunListCommand(QString::fromUtf8(kNames[static_cast<int>(kind)]),
                   [&] { row = project_->MoveJStake(kind, jRow); });
    return row;
}

// An order of points at no surveyed place would spread "nan" through every
// mileage: refused as every conversion refuses it, the point named.
bool ProjectDocument::Orderable() {
    const Status usable = ConvertiblePoints(Points(), CorePath(Path()));
    if (!usable) ui_.Error(QString::fromStdString(usable.message()));
    return usable.ok();
}

// Shows all points again.
void ProjectDocument::AutoOrder() {
    if (!project_ || !Orderable()) return;
    const bool modeChanges = mode_ != ViewMode::AllPoints;
    mode_ = ViewMode::AllPoints;
    RunListCommand(QStringLiteral("自动J桩排序"), [this] { project_->AutoOrder(); });
    if (modeChanges) emit viewModeChanged(mode_);
}

void ProjectDocument::SortByMileage() {
    if (!project_ || !Orderable()) return;
    RunListCommand(QStringLiteral("里程排序"), [this] { project_->SortByMileage(); });
}

bool ProjectDocument::EditValues(const QString& text, DHPointList edited, const CoordinateSystem* system) {
    if (!project_ || RefusedAsReadOnly()) return false;
    auto delta = std::make_shared<ListDelta>(ListDelta::Between(Points(), edited));
    if (delta->IsEmpty()) return true;
    auto remembered = system ? std::make_shared<const CoordinateSystem>(*system) : nullptr;
    if (!Step(*delta, true, remembered.get())) return false;
    Push(text, [this, delta] { return Step(*delta, false); },
         [this, delta, remembered] { return Step(*delta, true, remembered.get()); });
    return true;
}

bool ProjectDocument::ResetToSurvey() {
    if (!project_ || RefusedAsReadOnly()) return false;
    auto backup = std::make_shared<ListBackup>();
    if (!Reset(*backup)) return false;
    Push(QStringLiteral("还原到测量数据"), [this, backup] { return RestoreBackup(*backup); },
         [this, backup] { return Reset(*backup); });
    return true;
}

}  // namespace linvara::gui
