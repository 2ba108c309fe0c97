#include "app/main_window.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMimeData>
#include <QStackedWidget>
#include <QStatusBar>

#include "app/app_options.h"
#include "app/gui_resources.h"
#include "app/point_editor.h"
#include "app/project_document.h"
#include "common/ui_services.h"
#include "text/format.h"
#include "views/check_panel.h"
#include "views/plan_view.h"
#include "views/point_table_view.h"

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
      checkPanel_(new CheckPanel(*document_, this)) {
    InitGuiResources();
    document_->SetOptions(TheOptions());
    setWindowTitle(AppTitle());
    setWindowIcon(QIcon(QStringLiteral(":/icons/app.svg")));
    setAcceptDrops(true);
    views_->addWidget(listView_);
    views_->addWidget(planView_);
    views_->setCurrentIndex(0);
    setCentralWidget(views_);
    addDockWidget(Qt::BottomDockWidgetArea, checkPanel_);
    checkPanel_->hide();
    connect(checkPanel_, &CheckPanel::pointRequested, this, &MainWindow::ShowPoint);
    ConnectViews();
    CreateActions();
    CreateMenus();
    CreateToolBar();
    CreateStatusBar();
    ShowToolMode(planView_->ToolMode());
    UpdateCommandState();
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
QString MainWindow::MessageText() const { return messagePane_->text(); }

void MainWindow::closeEvent(QCloseEvent* event) {
    // The open project is saved first; when that fails the user may keep the window.
    if (!document_->LeaveOpenProject()) {
        event->ignore();
        return;
    }
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
