// The command handlers of the main window.
#include <QAction>
#include <QFileInfo>
#include <QStackedWidget>

#include "app/about_dialog.h"
#include "app/app_globals.h"
#include "app/command_ids.h"
#include "app/file_filter.h"
#include "app/linvara_doc.h"
#include "app/main_frame.h"
#include "app/recent_files.h"
#include "app/ui_services.h"
#include "app/wait_cursor.h"
#include "dialogs/convert_options_page.h"
#include "dialogs/file_format_output_dialog.h"
#include "dialogs/merge_data_dialog.h"
#include "dialogs/tower_base_dialog.h"
#include "model/stake_sequence.h"
#include "org/org_transition.h"
#include "views/centerline_view.h"
#include "views/data_list_view.h"

namespace linvara::gui {

void CMainFrame::OnOpen() {
    const QString path =
        ui_.GetOpenFileName(QStringLiteral("打开"), QtFileFilter("Fieldora数据文件(*.PD)|*.PD|"));
    if (!path.isEmpty()) OpenProjectFile(path);
}

bool CMainFrame::OpenProjectFile(const QString& path) {
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
    state_.viewMode = 0;  // the plan view takes the list from the update below
    setWindowTitle(AppTitle() + QStringLiteral(" - ") + fullPath);
    AddRecentFile(fullPath);
    UpdateCommandState();
    UpdateAllViews(1);
    return true;
}

void CMainFrame::OnSave() { document_->Save(); }

void CMainFrame::OnExit() { close(); }

void CMainFrame::OnAbout() {
    CAboutDlg about(this);
    ui_.Exec(about);
}

void CMainFrame::OnTowerBase() {
    auto* dialog = new CDialogTowerBase(ui_, this);
    dialog->show();
}

void CMainFrame::OnMerge() {
    CMergeDataDlg dialog(ui_, this);
    ui_.Exec(dialog);
}

void CMainFrame::OnOrgOutput() {
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

void CMainFrame::OnFileOutput() {
    if (!state_.loaded()) return;
    CToolFileFormatOutput dialog(*state_.current, ui_, this);
    ui_.Exec(dialog);
}

void CMainFrame::OnOptions() {
    COptions& options = TheOptions();
    CPageConvertOptions dialog(options, ui_, this);
    if (ui_.Exec(dialog) != QDialog::Accepted) return;
    const COptions& chosen = dialog.Options();
    options.StartMileage = chosen.StartMileage;
    options.UseStartName = chosen.UseStartName;
    options.StartName = chosen.StartName;
    options.UseOffsetRange = chosen.UseOffsetRange;
    options.OffsetRange = chosen.OffsetRange;
    state_.options = options;
}

void CMainFrame::SwitchView(int index) {
    if (state_.activeView != index) {
        state_.activeView = index;
        views_->setCurrentIndex(index);
    }
    UpdateCommandState();
}

void CMainFrame::OnListView() {
    InstallToolbar(ToolbarSet::List);
    state_.viewMode = 0;
    SwitchView(0);
}

void CMainFrame::OnPlanView() {
    if (state_.activeView == 1) return;
    InstallToolbar(ToolbarSet::Plan);
    SwitchView(1);
}

void CMainFrame::OnAllPoints() {
    if (!state_.loaded()) return;
    InstallToolbar(ToolbarSet::List);
    state_.viewMode = 0;
    ShowInPlan(0, *state_.current);
    UpdateAllViews(0);
}

void CMainFrame::OnJStakeEdit() {
    if (!state_.loaded()) return;
    InstallToolbar(ToolbarSet::JStake);
    state_.viewMode = 1;
    ShowInPlan(1, JStakeList(state_.working));
    UpdateAllViews(0);
}

void CMainFrame::OnZStakeEdit() {
    if (!state_.loaded()) return;
    InstallToolbar(ToolbarSet::ZStake);
    state_.viewMode = 2;
    ShowInPlan(2, ZStakeList(state_.working));
    UpdateAllViews(0);
}

void CMainFrame::OnAutoJOrder() {
    if (!state_.loaded()) return;
    {
        WaitCursor wait;
        AutoOrderStakes(state_.working, state_.options);
    }
    state_.viewMode = 0;
    ShowInPlan(0, *state_.current);
    UpdateAllViews(0);
}

void CMainFrame::OnMileageSort() {
    if (!state_.loaded()) return;
    {
        WaitCursor wait;
        SortByMileage(state_.working, state_.options);
    }
    UpdateAllViews(0);
}

void CMainFrame::OnAppointJ() {
    // The list view's own command: it acts only while the list is shown.
    if (state_.activeView == 0) listView_->AppointJStakes();
}

void CMainFrame::OnReset() {
    if (!state_.loaded()) return;
    if (!ui_.AskYesNo(QStringLiteral("已经编辑和排序好的数据将丢失，确定把数据还原到最初的状态吗？"))) return;
    {
        WaitCursor wait;
        if (!state_.database->ResetToSurvey()) return;
        state_.working = state_.database->ReadStakeList();
    }
    state_.current = &state_.working;
    state_.viewMode = 0;  // the plan view takes the list from the update below
    UpdateCommandState();
    UpdateAllViews(1);
}

void CMainFrame::OnAddPoint() { listView_->AddPoint(); }
void CMainFrame::OnEditPoint() { listView_->EditPoint(listView_->SelectionMark()); }
void CMainFrame::OnDeletePoint() { listView_->DeletePoints(QStringLiteral("确定删除所选点？")); }
void CMainFrame::OnMoveTop() { listView_->MoveJStake(JMove::Top); }
void CMainFrame::OnMoveUp() { listView_->MoveJStake(JMove::Up); }
void CMainFrame::OnMoveDown() { listView_->MoveJStake(JMove::Down); }
void CMainFrame::OnMoveBottom() { listView_->MoveJStake(JMove::Bottom); }

}  // namespace linvara::gui
