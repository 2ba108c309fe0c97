// The command handlers of the main window.
#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QScopeGuard>
#include <QStatusBar>
#include <algorithm>
#include <memory>
#include <QFileInfo>
#include <QStackedWidget>

#include "app/about_dialog.h"
#include "app/command_ids.h"
#include "app/main_window.h"
#include "app/point_editor.h"
#include "app/project_document.h"
#include "app/recent_files.h"
#include "common/file_filter.h"
#include "common/output_refusal.h"
#include "common/ui_services.h"
#include "common/wait_cursor.h"
#include "common/workspace.h"
#include "text/file_name.h"
#include "check/finding.h"
#include "views/run_report_window.h"
#include "app/plan_selection.h"
#include "dialogs/find_dialog.h"
#include "dialogs/merge_dialog.h"
#include "dialogs/options_dialog.h"
#include "dialogs/result_file_dialog.h"
#include "dialogs/tower_base_dialog.h"
#include "org/org_conversion.h"
#include "views/check_panel.h"
#include "views/plan_view.h"
#include "views/point_table_view.h"
#include "common/native_path.h"

namespace linvara::gui {

void MainWindow::OnOpen() {
    const QString path = ui_.GetOpenFileName(QStringLiteral("打开"), QtFileFilter("Fieldora数据文件(*.PD)|*.PD|"),
                                             workspace::LastFolder(QStringLiteral("open")));
    if (path.isEmpty()) return;
    workspace::RememberFolder(QStringLiteral("open"), path);
    OpenProjectFile(path);
}

bool MainWindow::OpenProjectFile(const QString& path) {
    opening_ = true;
    const QScopeGuard openingEnds([this] { opening_ = false; });
    if (!QFileInfo::exists(path)) {
        RemoveRecentFile(path);
        ui_.Warning(QStringLiteral("找不到工程文件：%1").arg(QDir::toNativeSeparators(path)));
        return false;
    }
    // A large project takes seconds to read: past half a second the window
    // shows how far it got (and repaints) instead of freezing.
    QElapsedTimer clock;
    clock.start();
    reporter_.onProgress = [&](long long done, long long total) {
        if (clock.elapsed() < 500) return;
        messagePane_->setText(QStringLiteral("正在打开 %1 … 已处理 %2 点").arg(QFileInfo(path).fileName()).arg(done));
        progress_->setRange(0, total > 0 ? 1000 : 0);
        progress_->setValue(total > 0 ? static_cast<int>(std::min(done, total) * 1000 / total) : 0);
        progress_->show();
        statusBar()->repaint();  // at once, whatever the window system does
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    };
    const bool opened = document_->Open(path);
    reporter_.onProgress = nullptr;
    progress_->hide();
    messagePane_->setText(!opened ? messagePane_->text()
                          : document_->IsReadOnly() ? QStringLiteral("就绪（只读，修改无法保存）")
                                                    : QStringLiteral("就绪"));
    if (!opened) return false;
    InstallToolbar(ToolbarSet::List);
    setWindowTitle(AppTitle() + QStringLiteral(" - ") + QDir::toNativeSeparators(document_->Path()) +
                   (document_->IsReadOnly() ? QStringLiteral(" [只读]") : QString()));
    AddRecentFile(document_->Path());
    UpdateCommandState();
    ShowOptionsInStatusBar();
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
    dialog->SetProjectPath(document_->Path());
    dialog->onRunFinished = [this](const RunOutcome& outcome) { ShowRunOutcome(outcome); };
    dialog->show();
}

void MainWindow::OnMerge() {
    MergeDialog dialog(ui_, this);
    dialog.onRunFinished = [this](const RunOutcome& outcome) { ShowRunOutcome(outcome); };
    ui_.Exec(dialog);
}

// Only findings that would spoil the ORG file stop the conversion: a
// tower-base gap or a default the conversion fills in does not.
bool MainWindow::CheckBeforeOrg() {
    checkPanel_->Refresh();
    const check::Findings& findings = checkPanel_->Findings();
    const check::OrgRisk risk = check::OrgRiskOf(findings);
    if (risk.findings == 0) return true;
    // An error is the example when there is one.
    const auto spoils = [&](bool error) {
        return std::find_if(findings.begin(), findings.end(), [error](const check::Finding& f) {
            return f.spoilsOrg && (f.severity == check::Severity::Error) == error;
        });
    };
    auto example = spoils(true);
    if (example == findings.end()) example = spoils(false);
    const std::string exampleText =
        example->place == check::Place::Project ? example->message
                                                : WithPoint(example->message, {example->point, example->row, {}});
    const QString question =
        QStringLiteral("检查发现%1个会使ORG文件出错或不完整的问题（错误%2个，警告%3个），例如：\n%4\n\n"
                       "查看问题：显示检查结果，不转换\n仍然转换：按现有数据转换\n取消：不转换")
            .arg(risk.findings)
            .arg(risk.errors)
            .arg(risk.findings - risk.errors)
            .arg(QString::fromStdString(exampleText));
    switch (ui_.AskBeforeOrg(question)) {
        case OrgGateChoice::ConvertAnyway: return true;
        case OrgGateChoice::ShowProblems: OnCheck(); return false;
        case OrgGateChoice::Cancel: return false;
    }
    return false;
}

void MainWindow::OnOrgOutput() {
    if (!document_->IsOpen()) return;
    if (!CheckBeforeOrg()) return;
    const QString suggested = workspace::SuggestedPath(
        QStringLiteral("org"), document_->Path(), workspace::ProjectTitle(document_->Path()) + QStringLiteral(".org"));
    const QString path = ui_.GetSaveFileName(QStringLiteral("输出ORG文件"), QtFileFilter("道享数据文件(*.org)|*.org|"),
                                             QStringLiteral("org"), suggested);
    if (path.isEmpty()) return;
    const QString project = document_->Path();
    if (OutputRefused(ui_, path, {project}) ||
        OutputRefused(ui_, QString::fromStdString(OrgFilePath(CorePath(path))), {project}))
        return;
    workspace::RememberFolder(QStringLiteral("org"), path);
    orgOutputPath_ = CorePath(path);
    RunReporter run(ui_);
    run.Begin(QStringLiteral("转换ORG文件"));
    const std::string orgPath = OrgFilePath(orgOutputPath_);
    bool written = false;
    {
        WaitCursor wait;
        const Status converted = ConvertToOrg(document_->Points(), orgOutputPath_, run);
        ReportFailure(run, converted);
        written = converted.ok();
    }
    const long long count = written ? static_cast<long long>(document_->Points().size()) : -1;
    ShowRunOutcome(run.Finish(written ? QString::fromStdString(orgPath) : QString(), count));
}

void MainWindow::OnFileOutput() {
    if (!document_->IsOpen()) return;
    ResultFileDialog dialog(document_->Points(), ui_, this);
    dialog.SetProjectPath(document_->Path());
    dialog.onRunFinished = [this](const RunOutcome& outcome) { ShowRunOutcome(outcome); };
    ui_.Exec(dialog);
}

// The options belong to the open project and are kept in its file; with
// none open they are the user's defaults for projects without their own.
void MainWindow::OnOptions() {
    OptionsDialog dialog(document_->Options(), ui_, this);
    if (!ui_.Exec(dialog)) return;
    document_->SetOptions(dialog.Options());
    ShowOptionsInStatusBar();
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

// The list and the plan show the same point: selected in the list, marked
// and brought into view in the plan, whichever of the two is shown.
void MainWindow::ShowPoint(const std::string& gpsId) {
    if (document_->IndexOf(gpsId) < 0) return;
    // J/Z-stake editing does not show every point.
    if (document_->Mode() != ViewMode::AllPoints) {
        if (activeView_ == ActiveView::List) InstallToolbar(ToolbarSet::List);
        document_->SetViewMode(ViewMode::AllPoints);
    }
    listView_->SelectRowsByGpsId({gpsId});
    if (listView_->currentIndex().isValid()) listView_->scrollTo(listView_->currentIndex());
    MarkInPlan(*planView_, {gpsId});
    if (activeView_ == ActiveView::List)
        listView_->setFocus();
    else
        planView_->setFocus();
}

FindDialog& MainWindow::Finder() {
    if (!find_) {
        find_ = new FindDialog(*document_, this);
        connect(find_, &FindDialog::pointRequested, this, &MainWindow::ShowPoint);
    }
    return *find_;
}

void MainWindow::OnFind() {
    if (!document_->IsOpen()) return;
    FindDialog& finder = Finder();
    finder.show();
    finder.raise();
    finder.activateWindow();
    finder.TextEdit().setFocus();
    finder.TextEdit().selectAll();
}

void MainWindow::OnZoomToSelection() {
    if (!document_->IsOpen()) return;
    const std::vector<std::string> ids = listView_->SelectedGpsIds();
    if (ids.empty()) {
        messagePane_->setText(QStringLiteral("请先在列表中选择点"));
        return;
    }
    OnPlanView();
    if (!ZoomPlanTo(*planView_, ids)) messagePane_->setText(QStringLiteral("所选点不在图形中"));
}

// What the file holds now, after another program wrote to it; the order not
// yet saved is saved first (with the usual question if the file changed), so
// nothing is lost.
void MainWindow::OnReread() {
    if (document_->IsOpen()) OpenProjectFile(document_->Path());
}

void MainWindow::OnCopy() {
    if (!document_->IsOpen()) return;
    const int rows = listView_->CopySelectedRows();
    messagePane_->setText(rows > 0 ? QStringLiteral("已复制%1行").arg(rows) : QStringLiteral("请先在列表中选择点"));
}

void MainWindow::OnCopyImage() {
    if (!document_->IsOpen() || activeView_ != ActiveView::Plan) return;
    QGuiApplication::clipboard()->setImage(planView_->grab().toImage());
    messagePane_->setText(QStringLiteral("已复制图形界面的图像"));
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
