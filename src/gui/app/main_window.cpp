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
#include "app/project_document.h"
#include "common/ui_services.h"
#include "text/format.h"
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
      document_(new ProjectDocument(state_, this)),
      views_(new QStackedWidget(this)),
      listView_(new PointTableView(*this, views_)),
      planView_(new PlanView(*this, views_)) {
    InitGuiResources();
    state_.options = TheOptions();
    setWindowTitle(AppTitle());
    setWindowIcon(QIcon(QStringLiteral(":/icons/app.svg")));
    setAcceptDrops(true);
    views_->addWidget(listView_);
    views_->addWidget(planView_);
    views_->setCurrentIndex(0);
    setCentralWidget(views_);
    connect(document_, &ProjectDocument::viewsUpdated, this, [this](UpdateHint hint) {
        listView_->Refill(hint);
        planView_->OnUpdate(hint);
    });
    connect(planView_, &PlanView::toolModeChanged, this, &MainWindow::ShowToolMode);
    CreateActions();
    CreateMenus();
    CreateToolBar();
    CreateStatusBar();
    ShowToolMode(planView_->ToolMode());
    UpdateCommandState();
}

MainWindow::~MainWindow() = default;

QAction* MainWindow::Action(int commandId) const {
    const auto it = actions_.find(commandId);
    return it == actions_.end() ? nullptr : it->second;
}

void MainWindow::SetCoordinateText(double north, double east) {
    coordinatePane_->setText(QString::fromStdString(text::Format("北(N): %.3f m    东(E): %.3f m", north, east)));
}

QString MainWindow::CoordinateText() const { return coordinatePane_->text(); }
QString MainWindow::MessageText() const { return messagePane_->text(); }

void MainWindow::UpdateAllViews(UpdateHint hint) { document_->UpdateAllViews(hint); }

void MainWindow::ShowInPlan(ViewMode viewMode, const DHPointList& list) { planView_->SetList(viewMode, list); }

bool MainWindow::ConfirmOkCancel(const QString& text) { return ui_.OkCancel(text); }

// The plan view names a point by its position in the working list; the
// list view edits the row that shows that point, whatever the mode.
void MainWindow::EditPointAt(int row) {
    if (!state_.loaded() || row < 0 || static_cast<size_t>(row) >= state_.working.size()) return;
    const std::string& gpsId = state_.working[static_cast<size_t>(row)].GPS_ID;
    const int shownRow = FindIndexByGpsId(listView_->Shown(), gpsId);
    listView_->EditPointAt(shownRow);
    UpdateAllViews(UpdateHint::ListChanged);
}

void MainWindow::DeletePointsByGpsId(const std::vector<std::string>& gpsIds) { listView_->DeleteByGpsIds(gpsIds); }

void MainWindow::AppointJStakesFor(const std::vector<std::string>& gpsIds) {
    if (!state_.loaded()) return;
    listView_->SelectRowsByGpsId(gpsIds);
    listView_->AppointJStakes();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // Closing writes the list back without asking.
    document_->Save();
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
