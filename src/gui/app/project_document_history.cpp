// The undoable commands of the document and the steps they are made of.
// Every step changes the list through Apply: carried out, stored in one
// transaction, the outcome reported and the views told.
#include <memory>
#include <utility>

#include "app/edit_commands.h"
#include "app/project_document.h"
#include "common/native_path.h"
#include "common/ui_services.h"
#include "common/wait_cursor.h"
#include "model/point_values.h"

namespace linvara::gui {
namespace {

// Where the removed points stood in the list.
std::vector<int> Positions(const RemovedPoints& removed) {
    std::vector<int> positions;
    for (const auto& entry : removed.points) positions.push_back(static_cast<int>(entry.first));
    return positions;
}

}  // namespace

bool ProjectDocument::Apply(Reach reach, const std::function<Status()>& change, const std::function<void()>& tell) {
    if (!project_) return false;
    focus_.clear();
    if (reach == Reach::WholeList) emit orderAboutToChange();
    Status status = Status::Ok();
    {
        WaitCursor wait;
        status = change();
    }
    const bool ok = ResolveConflict(status, change);
    ReportStored(ok);
    if (ok && tell) tell();
    if (reach == Reach::WholeList) emit orderChanged();
    if (ok && reach == Reach::NewList) emit listReset();
    return ok;
}

bool ProjectDocument::Execute(std::unique_ptr<EditCommand> command) {
    if (!project_ || RefusedAsReadOnly()) return false;
    if (!command->Do()) return false;
    if (command->Changed()) history_.push(command.release());
    return true;
}

// --- the steps ------------------------------------------------------------

bool ProjectDocument::InsertPoint(const DHPoint& point, int before) {
    return Apply(Reach::Rows, [this, &point, before] { return project_->AddPoint(point, before); },
                 [this, &point] {
                     focus_ = {point.GPS_ID};  // the user's new point
                     emit pointsInserted({IndexOf(point.GPS_ID)});
                 });
}

bool ProjectDocument::RemovePoints(const std::vector<std::string>& gpsIds, RemovedPoints& removed) {
    const auto remove = [this, &gpsIds, &removed] {
        removed = {};
        return project_->DeletePoints(gpsIds, &removed);
    };
    return Apply(Reach::Rows, remove, [this, &removed] {
        if (!removed.points.empty()) emit pointsRemoved(Positions(removed));
    });
}

bool ProjectDocument::PutBack(const RemovedPoints& removed) {
    return Apply(Reach::Rows, [this, &removed] { return project_->RestorePoints(removed); }, [this, &removed] {
        if (!removed.points.empty()) emit pointsInserted(Positions(removed));
    });
}

bool ProjectDocument::Replace(const DHPoint& point) {
    if (IndexOf(point.GPS_ID) < 0) return false;
    return Apply(Reach::Rows, [this, &point] { return project_->EditPoint(point); },
                 [this, &point] { emit pointChanged(IndexOf(point.GPS_ID)); });
}

bool ProjectDocument::ChangeList(const std::function<void(Project&)>& run, ListDelta& delta) {
    // Run once: a conflict settled by keeping mine has stored what it left.
    bool ran = false;
    return Apply(Reach::WholeList, [this, &run, &delta, &ran] {
        if (std::exchange(ran, true)) return Status::Ok();
        const DHPointList before = Points();
        run(*project_);
        delta = ListDelta::Between(before, Points());
        return project_->Save();
    });
}

bool ProjectDocument::ReplayDelta(const ListDelta& delta, bool forward, const CoordinateSystem* system) {
    if (!project_) return false;
    if (!(forward ? delta.After(Points()) : delta.Before(Points()))) return false;
    // A conflict leaves the list as it was; keeping mine stores it over the file.
    return Apply(Reach::WholeList, [this, &delta, forward, system] {
        std::optional<DHPointList> next = forward ? delta.After(Points()) : delta.Before(Points());
        return next ? project_->RestoreList(std::move(*next), system) : Status::Failed("撤销失败");
    });
}

bool ProjectDocument::Reset(ListBackup& backup) {
    return Apply(Reach::NewList, [this, &backup] { return project_->ResetToSurvey(backup); },
                 [this] { mode_ = ViewMode::AllPoints; });
}

bool ProjectDocument::RestoreBackup(const ListBackup& backup) {
    return Apply(Reach::NewList, [this, &backup] { return project_->RestoreBackup(backup); });
}

// --- the commands ---------------------------------------------------------

bool ProjectDocument::AddPoint(DHPoint point, int before, bool insert) {
    return Execute(std::make_unique<AddPointCommand>(*this, std::move(point), before, insert));
}

bool ProjectDocument::EditPoint(const DHPoint& edited) {
    const int index = IndexOf(edited.GPS_ID);
    if (index < 0) return false;
    return Execute(std::make_unique<EditPointCommand>(*this, Points()[static_cast<size_t>(index)], edited));
}

bool ProjectDocument::DeletePoints(const std::vector<std::string>& gpsIds) {
    if (gpsIds.empty()) return false;
    return Execute(std::make_unique<DeletePointsCommand>(*this, gpsIds));
}

void ProjectDocument::AppointJStakes(const std::vector<std::string>& gpsIds, const DHPoint& start,
                                     const DHPoint& end) {
    if (!gpsIds.empty()) Execute(std::make_unique<AppointJStakesCommand>(*this, gpsIds, start, end));
}

int ProjectDocument::MoveJStake(JMove kind, int jRow) {
    if (!project_ || RefusedAsReadOnly()) return -1;
    auto command = std::make_unique<MoveJStakeCommand>(*this, kind, jRow);
    MoveJStakeCommand& move = *command;
    if (!move.Do()) return -1;
    const int row = move.Row();
    if (move.Changed()) history_.push(command.release());  // may fold into the step before
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
    if (!project_ || !Orderable() || RefusedAsReadOnly()) return;
    const bool modeChanges = mode_ != ViewMode::AllPoints;
    mode_ = ViewMode::AllPoints;
    Execute(std::make_unique<AutoOrderCommand>(*this));
    if (modeChanges) emit viewModeChanged(mode_);
}

void ProjectDocument::SortByMileage() {
    if (!project_ || !Orderable() || RefusedAsReadOnly()) return;
    Execute(std::make_unique<MileageSortCommand>(*this));
}

bool ProjectDocument::EditValues(const QString& text, DHPointList edited, const CoordinateSystem* system) {
    if (!project_ || RefusedAsReadOnly()) return false;
    auto command = std::make_unique<ValuesCommand>(*this, text, Points(), edited, system);
    if (!command->Changed()) return true;
    return Execute(std::move(command));
}

bool ProjectDocument::ResetToSurvey() {
    return Execute(std::make_unique<ResetCommand>(*this));
}

}  // namespace linvara::gui
