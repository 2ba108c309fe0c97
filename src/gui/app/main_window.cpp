#include "app/main_window.h"

#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QHeaderView>
#include <QToolButton>
#include <QUrl>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMimeData>
#include <QStackedWidget>
#include <QStatusBar>

#include "app/gui_resources.h"
#include "app/plan_selection.h"
#include "app/point_editor.h"
#include "app/project_document.h"
#include "common/ui_services.h"
#include "common/workspace.h"
#include "text/format.h"
#include "views/check_panel.h"
#include "views/plan_view.h"
#include "views/point_table_view.h"
#include "views/run_report_window.h"

namespace linvara::gui {
namespace {

// The first local *.PD file among the dropped ones, or empty.
QString DroppedProject(const QMimeData* mime) {
    if (!mime || !mime->hasUrls()) return {};
    for (const QUrl& url : mime->urls()) {
        const QString path = url.toLocalFile();
        if (!path.isEmpty() && QFileInfo(path).suffix().compare(QStringLiteral("PD"), Qt::CaseInsensitive) == 0)
            return path;
    }
    return {};
}

}  // namespace

MainWindow::MainWindow(UiServices& ui, QWidget* parent)
    : QMainWindow(parent),
      ui_(ui),
      reporter_(ui),
      document_(new ProjectDocument(ui, reporter_, this)),
      editor_(std::make_unique<PointEditor>(*document_, ui, this)),
      views_(new QStackedWidget(this)),
      listView_(new PointTableView(*document_, views_)),
      planView_(new PlanView(*document_, views_)),
      checkPanel_(new CheckPanel(*document_, this)),
      runReport_(new RunReportWindow(this)) {
    InitGuiResources();
    setWindowTitle(AppTitle());
    setWindowIcon(QIcon(QStringLiteral(":/icons/app.svg")));
    setAcceptDrops(true);
    views_->addWidget(listView_);
    views_->addWidget(planView_);
    views_->setCurrentIndex(0);
    setCentralWidget(views_);
    addDockWidget(Qt::BottomDockWidgetArea, checkPanel_);
    checkPanel_->setObjectName("checkPanel");
    checkPanel_->hide();
    connect(checkPanel_, &CheckPanel::pointRequested, this, &MainWindow::ShowPoint);
    connect(checkPanel_, &CheckPanel::stakeRequested, this, [this](const QString& name) { ShowPointNamed({}, name); });
    connect(runReport_, &RunReportWindow::pointRequested, this, &MainWindow::ShowPointNamed);
    ConnectViews();
    CreateActions();
    CreateMenus();
    CreateToolBar();
    CreateStatusBar();
    ShowToolMode(planView_->ToolMode());
    UpdateCommandState();
    ShowOptionsInStatusBar();
    const QByteArray columns = workspace::ListColumns();
    if (!columns.isEmpty()) listView_->horizontalHeader()->restoreState(columns);
}

MainWindow::~MainWindow() = default;

// Both views ask for point commands by GPS_ID; the editor shows the dialogs
// and changes the list through the document, which both views observe.
void MainWindow::ConnectViews() {
    PointEditor& editor = *editor_;
    const auto edit = [&editor](const std::string& gpsId) { editor.Edit(gpsId); };
    // The question asked names the points instead of the command's general prompt.
    const auto remove = [&editor](const std::vector<std::string>& ids, const QString&) { editor.Delete(ids); };
    const auto appoint = [&editor](const std::vector<std::string>& ids) { editor.AppointJStakes(ids); };
    connect(listView_, &PointTableView::addRequested, this,
            [&editor](const std::string& selectedGpsId) { editor.Add(selectedGpsId); });
    connect(listView_, &PointTableView::insertRequested, this,
            [&editor](const std::string& gpsId) { editor.InsertBefore(gpsId); });
    connect(listView_, &PointTableView::editRequested, this, edit);
    connect(listView_, &PointTableView::deleteRequested, this, remove);
    connect(listView_, &PointTableView::appointRequested, this, appoint);
    connect(planView_, &PlanView::editRequested, this, edit);
    connect(planView_, &PlanView::deleteRequested, this, remove);
    connect(planView_, &PlanView::appointRequested, this, appoint);
    connect(planView_, &PlanView::cursorMoved, this, &MainWindow::SetCoordinateText);
    connect(planView_, &PlanView::toolModeChanged, this, &MainWindow::ShowToolMode);
    connect(planView_, &PlanView::pickChanged, this, [this](int picked) {
        messagePane_->setText(picked > 0 ? QStringLiteral("已选 %1 个点").arg(picked) : QStringLiteral("就绪"));
        // The list follows what the plan picked.
        syncingSelection_ = true;
        listView_->SelectRowsByGpsId(planView_->Canvas().PickedGpsIds());
        syncingSelection_ = false;
    });
    // ... and the plan what the list selected, while it shows its marks (the
    // pick tool): a mark nobody sees must not be what a plan command acts on.
    connect(listView_->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (syncingSelection_ || activeView_ == ActiveView::Plan) return;
        if (planView_->ToolMode() != PlotCanvas::PickTool) return;
        MarkInPlan(*planView_, listView_->SelectedGpsIds(), false);
    });
    connect(document_, &ProjectDocument::storeReported, this, [this](const QString& text) { messagePane_->setText(text); });
    connect(document_, &ProjectDocument::viewModeChanged, this, &MainWindow::OnViewModeChanged);
    connect(document_, &ProjectDocument::listReset, this, [this] { OnViewModeChanged(document_->Mode()); });
}

QAction* MainWindow::Action(int commandId) const {
    const auto it = actions_.find(commandId);
    return it == actions_.end() ? nullptr : it->second;
}

void MainWindow::SetCoordinateText(double north, double east) {
    coordinatePane_->setText(QString::fromStdString(text::Format("北(N): %.3f m    东(E): %.3f m", north, east)));
}

// A command that returns to all points (自动J桩排序, a reset) takes the
// J/Z-stake toolbar with it.
void MainWindow::OnViewModeChanged(ViewMode mode) {
    if (mode == ViewMode::AllPoints && (toolbarSet_ == ToolbarSet::JStake || toolbarSet_ == ToolbarSet::ZStake))
        InstallToolbar(ToolbarSet::List);
}

QString MainWindow::CoordinateText() const { return coordinatePane_->text(); }
QString MainWindow::MileageText() const { return thirdPane_->text(); }
QString MainWindow::OutputFolder() const { return outputFolder_; }

void MainWindow::ShowOptionsInStatusBar() {
    const ConversionOptions& options = document_->Options();
    thirdPane_->setText(QString::fromStdString(text::Format("起始里程 %.3f m", options.StartMileage)));
    thirdPane_->setToolTip(QStringLiteral("自动J桩排序从这个里程开始；在“设置选项”中修改，按工程记住"));
}

void MainWindow::ShowRunOutcome(const RunOutcome& outcome) {
    const bool completed = !outcome.doneText.isEmpty();
    if (completed && !outcome.outputPath.isEmpty()) {
        const QString what = outcome.written >= 0 ? QStringLiteral("已写出 %1 点").arg(outcome.written) : outcome.doneText;
        messagePane_->setText(what + QStringLiteral(" → ") + QDir::toNativeSeparators(outcome.outputPath));
        const QFileInfo info(outcome.outputPath);
        outputFolder_ = info.isDir() ? info.absoluteFilePath() : info.absolutePath();
        openFolder_->show();
    } else if (completed) {
        messagePane_->setText(outcome.doneText);
    }
    if (outcome.messages.empty()) return;
    const RunMessage& first = outcome.messages.front();
    if (outcome.messages.size() == 1 && first.pointName.isEmpty()) {
        switch (first.level) {
            case MessageLevel::Error: ui_.Error(first.text); break;
            case MessageLevel::Warning: ui_.Warning(first.text); break;
            case MessageLevel::Info: ui_.Info(first.text); break;
        }
        return;
    }
    runReport_->Show(outcome);
}

void MainWindow::ShowPointNamed(const std::string& gpsId, const QString& name) {
    if (!document_->IsOpen()) return;
    std::string id = gpsId;
    if (id.empty() || document_->IndexOf(id) < 0) {
        id.clear();
        const std::string wanted = name.toStdString();
        for (const DHPoint& p : document_->Points())
            if (p.NewPtName == wanted) {
                id = p.GPS_ID;
                break;
            }
    }
    if (!id.empty()) ShowPoint(id);
}
QString MainWindow::MessageText() const { return messagePane_->text(); }

void MainWindow::closeEvent(QCloseEvent* event) {
    // The open project is saved first; when that fails the user may keep the window.
    if (!document_->LeaveOpenProject()) {
        event->ignore();
        return;
    }
    workspace::SaveWindow(*this);
    workspace::RememberListColumns(listView_->horizontalHeader()->saveState());
    document_->Close();
    event->accept();
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (!DroppedProject(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
    const QString path = DroppedProject(event->mimeData());
    if (path.isEmpty()) return;
    event->acceptProposedAction();
    OpenProjectFile(path);
}

}  // namespace linvara::gui
