// The command handlers of the main window.
#include <QAction>
#include <QFileInfo>
#include <QStackedWidget>

#include "app/about_dialog.h"
#include "app/app_options.h"
#include "app/command_ids.h"
#include "app/main_window.h"
#include "app/project_document.h"
#include "app/recent_files.h"
#include "common/file_filter.h"
#include "common/ui_services.h"
#include "common/wait_cursor.h"
#include "dialogs/merge_dialog.h"
#include "dialogs/options_dialog.h"
#include "dialogs/result_file_dialog.h"
#include "dialogs/tower_base_dialog.h"
#include "model/stake_sequence.h"
#include "org/org_transition.h"
#include "views/plan_view.h"
#include "views/point_table_view.h"

namespace linvara::gui {

void MainWindow::OnOpen() {
    const QString path =
        ui_.GetOpenFileName(QStringLiteral("打开"), QtFileFilter("Fieldora数据文件(*.PD)|*.PD|"));
    if (!path.isEmpty()) OpenProjectFile(path);
}

bool MainWindow::OpenProjectFile(const QString& path) {
    const QString fullPath = QFileInfo(path).absoluteFilePath();
    // The open project keeps its edits: it is written back first, exactly
    // as closing the window would.
    document_->Save();
    auto database = std::make_unique<CProjectDatabase>(reporter_);
    {
        WaitCursor wait;
        if (!database->OpenProject(fullPath.toStdString())) return false;
        state_.working = database->ReadStakeList();
    }
    state_.database = std::move(database);
    state_.current = &state_.working;
    InstallToolbar(ToolbarSet::List);
    state_.viewMode = ViewMode::AllPoints;  // the plan view takes the list from the update below
    setWindowTitle(AppTitle() + QStringLiteral(" - ") + fullPath);
    AddRecentFile(fullPath);
    UpdateCommandState();
    UpdateAllViews(UpdateHint::ProjectLoaded);
    return true;
}

void MainWindow::OnSave() { document_->Save(); }

void MainWindow::OnExit() { close(); }

void MainWindow::OnAbout() {
    AboutDialog about(this);
    ui_.Exec(about);
}

void MainWindow::OnTowerBase() {
    auto* dialog = new TowerBaseDialog(ui_, this);
    dialog->show();
}

void MainWindow::OnMerge() {
    MergeDialog dialog(ui_, this);
    ui_.Exec(dialog);
}

void MainWindow::OnOrgOutput() {
    if (!state_.loaded()) return;
    const QString path = ui_.GetSaveFileName(QStringLiteral("输出ORG文件"), QtFileFilter("道享数据文件(*.org)|*.org|"),
                                             QStringLiteral("org"));
    if (path.isEmpty()) return;
    state_.orgOutputPath = path.toStdString();
    WaitCursor wait;
    OrgTransition conversion(*state_.current, reporter_);
    conversion.OutputPath = state_.orgOutputPath;
    conversion.Convert();
}

void MainWindow::OnFileOutput() {
    if (!state_.loaded()) return;
    ResultFileDialog dialog(*state_.current, ui_, this);
    ui_.Exec(dialog);
}

void MainWindow::OnOptions() {
    COptions& options = TheOptions();
    OptionsDialog dialog(options, ui_, this);
    if (!ui_.Exec(dialog)) return;
    const COptions& chosen = dialog.Options();
    options.StartMileage = chosen.StartMileage;
    options.UseStartName = chosen.UseStartName;
    options.StartName = chosen.StartName;
    options.UseOffsetRange = chosen.UseOffsetRange;
    options.OffsetRange = chosen.OffsetRange;
    state_.options = options;
}

void MainWindow::SwitchView(ActiveView view) {
    if (state_.activeView != view) {
        state_.activeView = view;
        views_->setCurrentIndex(view == ActiveView::List ? 0 : 1);
    }
    UpdateCommandState();
}

void MainWindow::OnListView() {
    InstallToolbar(ToolbarSet::List);
    state_.viewMode = ViewMode::AllPoints;
    SwitchView(ActiveView::List);
}

void MainWindow::OnPlanView() {
    if (state_.activeView == ActiveView::Plan) return;
    InstallToolbar(ToolbarSet::Plan);
    SwitchView(ActiveView::Plan);
}

void MainWindow::OnAllPoints() {
    if (!state_.loaded()) return;
    InstallToolbar(ToolbarSet::List);
    state_.viewMode = ViewMode::AllPoints;
    ShowInPlan(ViewMode::AllPoints, *state_.current);
    UpdateAllViews(UpdateHint::ListChanged);
}

void MainWindow::OnJStakeEdit() {
    if (!state_.loaded()) return;
    InstallToolbar(ToolbarSet::JStake);
    state_.viewMode = ViewMode::JStakes;
    ShowInPlan(ViewMode::JStakes, JStakeList(state_.working));
    UpdateAllViews(UpdateHint::ListChanged);
}

void MainWindow::OnZStakeEdit() {
    if (!state_.loaded()) return;
    InstallToolbar(ToolbarSet::ZStake);
    state_.viewMode = ViewMode::ZStakes;
    ShowInPlan(ViewMode::ZStakes, ZStakeList(state_.working));
    UpdateAllViews(UpdateHint::ListChanged);
}

void MainWindow::OnAutoJOrder() {
    if (!state_.loaded()) return;
    {
        WaitCursor wait;
        AutoOrderStakes(state_.working, state_.options);
    }
    state_.viewMode = ViewMode::AllPoints;
    ShowInPlan(ViewMode::AllPoints, *state_.current);
    UpdateAllViews(UpdateHint::ListChanged);
}

void MainWindow::OnMileageSort() {
    if (!state_.loaded()) return;
    {
        WaitCursor wait;
        SortByMileage(state_.working, state_.options);
    }
    UpdateAllViews(UpdateHint::ListChanged);
}

void MainWindow::OnAppointJ() {
    // The list view's own command: it acts only while the list is shown.
    if (state_.activeView == ActiveView::List) listView_->AppointJStakes();
}

void MainWindow::OnReset() {
    if (!state_.loaded()) return;
    if (!ui_.AskYesNo(QStringLiteral("已经编辑和排序好的数据将丢失，确定把数据还原到最初的状态吗？"))) return;
    {
        WaitCursor wait;
        if (!state_.database->ResetToSurvey()) return;
        state_.working = state_.database->ReadStakeList();
    }
    state_.current = &state_.working;
    state_.viewMode = ViewMode::AllPoints;  // the plan view takes the list from the update below
    UpdateCommandState();
    UpdateAllViews(UpdateHint::ProjectLoaded);
}

void MainWindow::OnAddPoint() { listView_->AddPoint(); }
void MainWindow::OnEditPoint() { listView_->EditPoint(listView_->SelectionMark()); }
void MainWindow::OnDeletePoint() { listView_->DeletePoints(QStringLiteral("确定删除所选点？")); }
void MainWindow::OnMoveTop() { listView_->MoveJStake(JMove::Top); }
void MainWindow::OnMoveUp() { listView_->MoveJStake(JMove::Up); }
void MainWindow::OnMoveDown() { listView_->MoveJStake(JMove::Down); }
void MainWindow::OnMoveBottom() { listView_->MoveJStake(JMove::Bottom); }

}  // namespace linvara::gui
