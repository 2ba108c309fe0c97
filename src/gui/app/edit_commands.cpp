#include "app/edit_commands.h"

#include <utility>

#include "app/project_document.h"

namespace linvara::gui {

EditCommand::EditCommand(ProjectDocument& document, const QString& text) : QUndoCommand(text), document_(document) {}

void EditCommand::undo() {
    if (!Undo()) document_.DropHistory();
}

void EditCommand::redo() {
    if (std::exchange(done_, false)) return;
    if (!Redo()) document_.DropHistory();
}

// --- one point ----------------------------------------------------------------

AddPointCommand::AddPointCommand(ProjectDocument& document, DHPoint point, int before, bool insert)
    : EditCommand(document, insert ? QStringLiteral("插入点") : QStringLiteral("增加点")),
      point_(std::move(point)),
      before_(before) {}

bool AddPointCommand::Do() { return document_.InsertPoint(point_, before_); }
bool AddPointCommand::Undo() { return document_.RemovePoints({point_.GPS_ID}, removed_); }
bool AddPointCommand::Redo() { return document_.PutBack(removed_); }

EditPointCommand::EditPointCommand(ProjectDocument& document, DHPoint was, DHPoint edited)
    : EditCommand(document, QStringLiteral("编辑点")), was_(std::move(was)), edited_(std::move(edited)) {}

bool EditPointCommand::Do() { return Redo(); }
bool EditPointCommand::Undo() { return document_.Replace(was_); }
bool EditPointCommand::Redo() { return document_.Replace(edited_); }

DeletePointsCommand::DeletePointsCommand(ProjectDocument& document, std::vector<std::string> gpsIds)
    : EditCommand(document, QStringLiteral("删除点")), gpsIds_(std::move(gpsIds)) {}

bool DeletePointsCommand::Do() { return Redo(); }
bool DeletePointsCommand::Undo() { return document_.PutBack(removed_); }
bool DeletePointsCommand::Redo() { return document_.RemovePoints(gpsIds_, removed_); }

// --- the whole list -----------------------------------------------------------

ListCommand::ListCommand(ProjectDocument& document, const QString& text, Run run)
    : EditCommand(document, text), run_(std::move(run)) {}

bool ListCommand::Do() { return document_.ChangeList(run_, delta_); }
bool ListCommand::Undo() { return document_.ReplayDelta(delta_, false); }
bool ListCommand::Redo() { return document_.ReplayDelta(delta_, true); }

AppointJStakesCommand::AppointJStakesCommand(ProjectDocument& document, std::vector<std::string> gpsIds, DHPoint start,
                                             DHPoint end)
    : ListCommand(document, QStringLiteral("指定J桩"),
                  [gpsIds = std::move(gpsIds), start = std::move(start), end = std::move(end)](Project& project) {
                      project.AppointJStakes(gpsIds, start, end);
                  }) {}

AutoOrderCommand::AutoOrderCommand(ProjectDocument& document)
    : ListCommand(document, QStringLiteral("自动J桩排序"), [](Project& project) { project.AutoOrder(); }) {}

MileageSortCommand::MileageSortCommand(ProjectDocument& document)
    : ListCommand(document, QStringLiteral("里程排序"), [](Project& project) { project.SortByMileage(); }) {}

namespace {

const char* const kMoveNames[] = {"移到顶端", "向上", "向下", "移到底部"};
// Ids of the steps that fold together; the others never merge.
constexpr int kMoveUpId = 1, kMoveDownId = 2;

std::string StakeAt(const DHPointList& points, int jRow) {
    const DHPointList stakes = JStakeList(points);
    return jRow >= 0 && static_cast<std::size_t>(jRow) < stakes.size() ? stakes[static_cast<std::size_t>(jRow)].GPS_ID
                                                                         : std::string();
}

}  // namespace

MoveJStakeCommand::MoveJStakeCommand(ProjectDocument& document, JMove kind, int jRow)
    : ListCommand(document, QString::fromUtf8(kMoveNames[static_cast<int>(kind)]),
                  [this, kind, jRow](Project& project) { row_ = project.MoveJStake(kind, jRow); }),
      kind_(kind),
      stake_(StakeAt(document.Points(), jRow)) {}

int MoveJStakeCommand::id() const {
    if (kind_ == JMove::Up) return kMoveUpId;
    if (kind_ == JMove::Down) return kMoveDownId;
    return -1;
}

// The list now stands as `other` left it: one step from where this one
// started to here.
bool MoveJStakeCommand::mergeWith(const QUndoCommand* other) {
    const auto* next = dynamic_cast<const MoveJStakeCommand*>(other);
    if (!next || next->kind_ != kind_ || next->stake_ != stake_ || stake_.empty()) return false;
    const DHPointList& now = document_.Points();
    const std::optional<DHPointList> between = next->delta_.Before(now);
    if (!between) return false;
    const std::optional<DHPointList> start = delta_.Before(*between);
    if (!start) return false;
    delta_ = ListDelta::Between(*start, now);
    row_ = next->row_;
    setObsolete(delta_.IsEmpty());
    return true;
}

ValuesCommand::ValuesCommand(ProjectDocument& document, const QString& text, const DHPointList& before,
                             const DHPointList& after, const CoordinateSystem* system)
    : ListCommand(document, text, nullptr),
      system_(system ? std::make_shared<const CoordinateSystem>(*system) : nullptr) {
    delta_ = ListDelta::Between(before, after);
}

bool ValuesCommand::Redo() { return document_.ReplayDelta(delta_, true, system_.get()); }

ResetCommand::ResetCommand(ProjectDocument& document) : EditCommand(document, QStringLiteral("还原到测量数据")) {}

bool ResetCommand::Undo() { return document_.RestoreBackup(backup_); }
bool ResetCommand::Redo() { return document_.Reset(backup_); }

}  // namespace linvara::gui
