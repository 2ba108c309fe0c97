// Point editing and J-stake commands of the list view.
#include <QDialog>

#include "app/project_state.h"
#include "common/ui_services.h"
#include "dialogs/j_stake_appoint_dialog.h"
#include "dialogs/point_dialog.h"
#include "views/point_list_model.h"
#include "views/point_table_host.h"
#include "views/point_table_view.h"

namespace linvara::gui {

int PointTableView::WorkingIndexOfRow(int row) const {
    const DHPointList& shown = Shown();
    if (row < 0 || static_cast<size_t>(row) >= shown.size()) return -1;
    return FindIndexByGpsId(host_.State().working, shown[static_cast<size_t>(row)].GPS_ID);
}

void PointTableView::AddPoint() { AddOrInsert(PointDialog::Add, -1); }

void PointTableView::InsertPointAt(int row) {
    if (row < 0) return;
    AddOrInsert(PointDialog::Insert, row);
}

void PointTableView::AddOrInsert(PointDialog::Task task, int row) {
    ProjectState& state = host_.State();
    if (!state.loaded()) return;
    const DHPointList& shown = Shown();
    const bool hasRow = row >= 0 && static_cast<size_t>(row) < shown.size();
    PointDialog dialog(task, host_.Ui(), this);
    dialog.SetKindIndex(hasRow ? shown[static_cast<size_t>(row)].DHType : JStake);
    if (!host_.Ui().Exec(dialog)) return;
    DHPoint point = dialog.Point();
    if (IsNameTaken(state.working, point.NewPtName)) {
        host_.Ui().Info(QStringLiteral("不能存在相同点名"));
        return;
    }
    if (!state.database || !state.database->InsertPoint(point)) {
        host_.Ui().Info(QStringLiteral("添加点失败"));
        return;
    }
    // Inserting goes before the point of the row, also when only the J or
    // Z stakes are listed.
    const int at = task == PointDialog::Insert ? WorkingIndexOfRow(row) : -1;
    if (at >= 0)
        state.working.insert(state.working.begin() + at, point);
    else
        state.working.push_back(point);
    ReindexOrder(state.working);
    host_.UpdateAllViews(UpdateHint::ListChanged);
}

void PointTableView::EditPoint(int row) {
    ProjectState& state = host_.State();
    const int index = WorkingIndexOfRow(row);
    if (!state.loaded() || index < 0) return;
    PointDialog dialog(PointDialog::Edit, host_.Ui(), this);
    dialog.SetPoint(state.working[static_cast<size_t>(index)]);
    if (!host_.Ui().Exec(dialog)) return;
    const DHPoint edited = dialog.Point();
    ReplaceByGpsId(state.working, edited);
    if (state.database) state.database->UpdatePoint(edited);
    RedrawRow(row, edited);
}

void PointTableView::DeletePoints(const QString& prompt) {
    const std::vector<int> rows = SelectedRows();
    if (rows.empty() || !host_.State().loaded()) return;
    if (!host_.Ui().OkCancel(prompt)) return;
    std::vector<std::string> gpsIds;
    for (int row : rows) gpsIds.push_back(Shown()[static_cast<size_t>(row)].GPS_ID);
    DeleteByGpsIds(gpsIds);
}

void PointTableView::DeleteByGpsIds(const std::vector<std::string>& gpsIds) {
    ProjectState& state = host_.State();
    if (!state.loaded()) return;
    for (const std::string& gpsId : gpsIds) {
        const int index = FindIndexByGpsId(state.working, gpsId);
        if (index < 0) continue;
        const int id = state.working[static_cast<size_t>(index)].ID;
        state.working.erase(state.working.begin() + index);
        if (state.database) state.database->DeletePoint(id);
    }
    ReindexOrder(state.working);
    host_.UpdateAllViews(UpdateHint::ListChanged);
}

void PointTableView::AppointJStakes() {
    ProjectState& state = host_.State();
    const std::vector<int> rows = SelectedRows();
    if (!state.loaded() || rows.empty()) return;
    JStakeAppointDialog dialog(JStakeList(state.working), host_.Ui(), this);
    if (!host_.Ui().Exec(dialog)) return;
    std::vector<std::string> gpsIds;
    for (int row : rows) gpsIds.push_back(Shown()[static_cast<size_t>(row)].GPS_ID);
    linvara::AppointJStakes(state.working, gpsIds, dialog.StartStake(), dialog.EndStake());
    for (int row : rows) {
        const int index = WorkingIndexOfRow(row);
        if (index >= 0) RedrawRow(row, state.working[static_cast<size_t>(index)]);
    }
}

void PointTableView::MoveJStake(JMove kind) {
    ProjectState& state = host_.State();
    const int row = SelectedRow();
    if (row < 0) {
        host_.Ui().Info(QStringLiteral("未选择数据"));
        return;
    }
    if (state.viewMode != ViewMode::JStakes || !state.loaded()) return;
    const int newRow = linvara::MoveJStake(state.working, kind, row);
    if (newRow < 0) return;
    rowToSelect_ = newRow;
    host_.ShowInPlan(ViewMode::JStakes, JStakeList(state.working));
    host_.UpdateAllViews(UpdateHint::ListChanged);
}

}  // namespace linvara::gui
