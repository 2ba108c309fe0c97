// The command handlers of the main window.
#include <QAction>
#include <QFileInfo>
#include <QStackedWidget>

#include "app/about_dialog.h"
#include "app/app_options.h"
#include "app/command_ids.h"
#include "app/main_window.h"
#include "app/point_editor.h"
#include "app/project_document.h"
#include "app/recent_files.h"
#include "common/file_filter.h"
#include "common/ui_services.h"
#include "common/wait_cursor.h"
#include "dialogs/merge_dialog.h"
#include "dialogs/options_dialog.h"
#include "dialogs/result_file_dialog.h"
#include "dialogs/tower_base_dialog.h"
#include "org/org_transition.h"
#include "views/check_panel.h"
#include "views/plan_view.h"
#include "views/point_table_view.h"

namespace linvara::gui {

void MainWindow::OnOpen() {
    const QString path =
        ui_.GetOpenFileName(QStringLiteral("打开"), QtFileFilter("Fieldora数据文件(*.PD)|*.PD|"));
    if (!path.isEmpty()) OpenProjectFile(path);
}

bool MainWindow::OpenProjectFile(const QString& path) {
    if (!document_->Open(path)) return false;
    InstallToolbar(ToolbarSet::List);
    setWindowTitle(AppTitle() + QStringLiteral(" - ") + document_->Path());
    AddRecentFile(document_->Path());
    UpdateCommandState();
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
    if (!document_->IsOpen()) return;
    const QString path = ui_.GetSaveFileName(QStringLiteral("输出ORG文件"), QtFileFilter("道享数据文件(*.org)|*.org|"),
                                             QStringLiteral("org"));
    if (path.isEmpty()) return;
    orgOutputPath_ = path.toStdString();
    WaitCursor wait;
    OrgTransition conversion(document_->Points(), reporter_);
    conversion.OutputPath = orgOutputPath_;
    conversion.Convert();
}

void MainWindow::OnFileOutput() {
    if (!document_->IsOpen()) return;
    ResultFileDialog dialog(document_->Points(), ui_, this);
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
    document_->SetOptions(options);
}

void MainWindow::SwitchView(ActiveView view) {
    if (activeView_ != view) {
        activeView_ = view;
        views_->setCurrentIndex(view == ActiveView::List ? 0 : 1);
    }
    UpdateCommandState();
}

void MainWindow::OnListView() {
    InstallToolbar(ToolbarSet::List);
    document_->SetViewMode(ViewMode::AllPoints);
    SwitchView(ActiveView::List);
}

void MainWindow::OnPlanView() {
    if (activeView_ == ActiveView::Plan) return;
    InstallToolbar(ToolbarSet::Plan);
    SwitchView(ActiveView::Plan);
}

void MainWindow::OnAllPoints() {
    if (!document_->IsOpen()) return;
    InstallToolbar(ToolbarSet::List);
    document_->SetViewMode(ViewMode::AllPoints);
}

void MainWindow::OnJStakeEdit() {
    if (!document_->IsOpen()) return;
    InstallToolbar(ToolbarSet::JStake);
    document_->SetViewMode(ViewMode::JStakes);
}

void MainWindow::OnZStakeEdit() {
    if (!document_->IsOpen()) return;
    InstallToolbar(ToolbarSet::ZStake);
    document_->SetViewMode(ViewMode::ZStakes);
}

void MainWindow::OnAutoJOrder() { document_->AutoOrder(); }

void MainWindow::OnMileageSort() { document_->SortByMileage(); }

// On the points of the view shown: the selected rows, or the picked points.
void MainWindow::OnAppointJ() {
    if (activeView_ == ActiveView::List)
        listView_->AppointJStakes();
    else
        planView_->OnAppointPicked();
}

void MainWindow::OnReset() {
    if (!document_->IsOpen()) return;
    if (!ui_.AskYesNoDefaultNo(QStringLiteral("已经编辑和排序好的数据将丢失，确定把数据还原到最初的状态吗？"))) return;
    document_->ResetToSurvey();
    UpdateCommandState();
}

void MainWindow::OnCheck() {
    if (!document_->IsOpen()) return;
    checkPanel_->show();
    checkPanel_->raise();
    checkPanel_->Refresh();
}

void MainWindow::ShowPoint(const std::string& gpsId) {
    if (document_->IndexOf(gpsId) < 0) return;
    // J/Z-stake editing and the plan do not show every point.
    if (activeView_ != ActiveView::List || document_->Mode() != ViewMode::AllPoints) OnListView();
    listView_->SelectRowsByGpsId({gpsId});
    if (listView_->currentIndex().isValid()) listView_->scrollTo(listView_->currentIndex());
    listView_->setFocus();
}

void MainWindow::OnAddPoint() { listView_->AddPoint(); }
void MainWindow::OnEditPoint() { listView_->EditPoint(listView_->SelectionMark()); }
void MainWindow::OnDeletePoint() { listView_->DeletePoints(QStringLiteral("确定删除所选点？")); }
void MainWindow::OnMoveTop() { MoveJStake(JMove::Top); }
void MainWindow::OnMoveUp() { MoveJStake(JMove::Up); }
void MainWindow::OnMoveDown() { MoveJStake(JMove::Down); }
void MainWindow::OnMoveBottom() { MoveJStake(JMove::Bottom); }

// The selected row of the J-stake list is the J stake's row; the list view
// keeps it selected where it moves to.
void MainWindow::MoveJStake(JMove kind) {
    const int row = listView_->SelectedRow();
    if (row < 0) {
        ui_.Info(QStringLiteral("未选择数据"));
        return;
    }
    if (document_->Mode() == ViewMode::JStakes) document_->MoveJStake(kind, row);
}

}  // namespace linvara::gui
