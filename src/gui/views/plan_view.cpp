#include "views/plan_view.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <cstdlib>

#include "app/project_document.h"
#include "model/stake_sequence.h"
#include "plan/plot_cursors.h"
#include "plan/plot_scale_bar.h"

namespace linvara::gui {

namespace {

// The scale bar's corner of the view, in pixels from the bottom left.
constexpr int kBarWidth = 200;
constexpr int kBarHeight = 52;
constexpr int kBarMargin = 8;

// Half the side of the square a click picks in.
constexpr int kPickRadius = 20;
// A pick drag shorter than this (hand jitter) is a click.
constexpr int kClickSlop = 2;


}  // namespace

PlanView::PlanView(const ProjectDocument& document, QWidget* parent)
    : QWidget(parent), document_(document), openHand_(plot_cursors::OpenHand()), closedHand_(plot_cursors::ClosedHand()) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAutoFillBackground(true);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
    setMouseTracking(true);
    setFocusPolicy(Qt::WheelFocus);
    menuTimer_.setSingleShot(true);
    connect(&menuTimer_, &QTimer::timeout, this, [this] { ShowPointMenu(menuPos_); });
    ShowToolCursor();
    connect(&document, &ProjectDocument::listReset, this, &PlanView::OnListReset);
    connect(&document, &ProjectDocument::orderChanged, this, &PlanView::ShowDocument);
    connect(&document, &ProjectDocument::viewModeChanged, this, &PlanView::ShowDocument);
    connect(&document, &ProjectDocument::pointChanged, this, &PlanView::OnPointChanged);
    connect(&document, &ProjectDocument::pointsInserted, this, &PlanView::OnPointsInserted);
    connect(&document, &ProjectDocument::pointsRemoved, this, &PlanView::OnPointsRemoved);
}

PlotRect PlanView::ClientRect() const { return {0, 0, width(), height()}; }

// The canvas gets the points of the view mode when the whole list changes:
// with 100 000 points every copy is tens of megabytes and tens of
// milliseconds. Points added, deleted or edited reach it one by one.
void PlanView::ShowDocument() {
    canvas_.SetClientRect(ClientRect());
    const linvara::DHPointList& points = document_.Points();
    const ViewMode mode = document_.Mode();
    if (mode == ViewMode::JStakes)
        canvas_.SetData(mode, linvara::JStakeList(points));
    else if (mode == ViewMode::ZStakes)
        canvas_.SetData(mode, linvara::ZStakeList(points));
    else
        canvas_.SetData(mode, points);
    update();
}

void PlanView::OnListReset() {
    ShowDocument();
    // Fitted after the points are in, so a new project is fitted to its own points.
    canvas_.FitToData(true, true);
}

// J/Z-stake editing draws those stakes only: a few, drawn again whole.
void PlanView::OnPointChanged(int index) {
    if (index < 0 || static_cast<size_t>(index) >= document_.Points().size()) return;
    const linvara::DHPoint& point = document_.Points()[static_cast<size_t>(index)];
    if (canvas_.DataMode() != ViewMode::AllPoints) {
        ShowDocument();
        return;
    }
    if (canvas_.ReplacePointAt(static_cast<size_t>(index), point)) update();
}

void PlanView::OnPointsInserted(const std::vector<int>& indices) {
    if (canvas_.DataMode() != ViewMode::AllPoints) {
        ShowDocument();
        return;
    }
    canvas_.InsertPoints(indices, document_.Points());
    update();
}

void PlanView::OnPointsRemoved(const std::vector<int>& indices) {
    if (canvas_.DataMode() != ViewMode::AllPoints) {
        ShowDocument();
        return;
    }
    canvas_.RemovePoints(indices);
    update();
}

// --- commands ---------------------------------------------------------------

void PlanView::OnCenter() {
    canvas_.FitToData(true, true);
    update();
}

void PlanView::OnPickTool() { SetToolMode(PlotCanvas::PickTool); }
void PlanView::OnPanTool() { SetToolMode(PlotCanvas::PanTool); }

void PlanView::OnZoomWindow() {
    if (canvas_.Tool() == PlotCanvas::ZoomWindowTool) {
        SetToolMode(canvas_.SavedTool());
    } else {
        canvas_.SetSavedTool(canvas_.Tool());
        SetToolMode(PlotCanvas::ZoomWindowTool);
    }
}

void PlanView::OnZoomIn() {
    canvas_.ZoomIn();
    update();
}

void PlanView::OnZoomOut() {
    canvas_.ZoomOut();
    update();
}

void PlanView::OnPreviousView() {
    if (canvas_.PreviousView()) update();
}

void PlanView::OnNextView() {
    if (canvas_.NextView()) update();
}

PlotCanvas::ToolMode PlanView::ToolMode() const { return canvas_.Tool(); }

void PlanView::CenterOnPoint(double north, double east) {
    canvas_.Geometry().CenterOn(north, east, kFocusResolution);
    update();
}

bool PlanView::CenterOnGpsId(const std::string& gpsId) {
    const int index = linvara::FindIndexByGpsId(canvas_.Points(), gpsId);
    if (index < 0) return false;
    const linvara::DHPoint& p = canvas_.Points()[static_cast<size_t>(index)];
    CenterOnPoint(p.Dx, p.Dy);
    return true;
}

void PlanView::SetToolMode(PlotCanvas::ToolMode mode) {
    canvas_.SetTool(mode);
    canvas_.SetRubberBand(false);
    pickDrag_ = false;
    ShowToolCursor();
    update();
    emit toolModeChanged(mode);
}

void PlanView::ShowToolCursor() {
    switch (canvas_.Tool()) {
    case PlotCanvas::PickTool: setCursor(Qt::ArrowCursor); break;
    case PlotCanvas::ZoomWindowTool: setCursor(Qt::CrossCursor); break;
    default: setCursor(openHand_); break;
    }
}

void PlanView::OnEditPicked() {
    const int index = canvas_.TakeFirstPicked();
    if (index < 0) return;
    emit editRequested(canvas_.Points()[static_cast<size_t>(index)].GPS_ID);
}

void PlanView::OnDeletePicked() {
    const std::vector<std::string> ids = canvas_.PickedGpsIds();
    if (ids.empty()) return;
    emit deleteRequested(ids, QStringLiteral("确定删除？"));
}

void PlanView::OnAppointPicked() {
    const std::vector<std::string> ids = canvas_.PickedGpsIds();
    if (!ids.empty()) emit appointRequested(ids);
}

void PlanView::ShowPointMenu(const QPoint& globalPos) {
    QMenu menu(QStringLiteral("点编辑"), this);
    connect(menu.addAction(QStringLiteral("编辑")), &QAction::triggered, this, &PlanView::OnEditPicked);
    // Adding a point belongs to the list view; the plan view offers it greyed.
    menu.addAction(QStringLiteral("添加"))->setEnabled(false);
    connect(menu.addAction(QStringLiteral("删除")), &QAction::triggered, this, &PlanView::OnDeletePicked);
    connect(menu.addAction(QStringLiteral("指定J桩")), &QAction::triggered, this,
            &PlanView::OnAppointPicked);
    menu.exec(globalPos);
    // The release of the right button went to the menu.
    if (canvas_.ButtonDown() == PlotCanvas::RightButton) canvas_.SetButtonDown(PlotCanvas::NoButton);
    update();
}

// --- window events ----------------------------------------------------------

void PlanView::paintEvent(QPaintEvent*) {
    if (canvas_.Geometry().ClientRect().IsEmpty()) {
        canvas_.SetClientRect(ClientRect());
        canvas_.FitToData(true, true);
    }
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = size() * ratio;
    if (buffer_.size() != pixels) {
        buffer_ = QImage(pixels, QImage::Format_RGB32);
        buffer_.setDevicePixelRatio(ratio);
    }
    buffer_.fill(Qt::black);
    {
        QPainter painter(&buffer_);
        canvas_.Draw(painter, pickDrag_);
        // The scale bar on a dark backing, so points under it do not blur it.
        const QRectF bar(kBarMargin, height() - kBarMargin - kBarHeight, kBarWidth, kBarHeight);
        painter.fillRect(bar, QColor(0, 0, 0, 190));
        painter.setRenderHint(QPainter::TextAntialiasing);
        PaintScaleBar(painter, PlanLook::Screen(), bar, canvas_.Geometry().Resolution() / 100.0);
    }
    QPainter window(this);
    window.drawImage(0, 0, buffer_);
}

void PlanView::resizeEvent(QResizeEvent*) {
    canvas_.SetClientRect(ClientRect());
    canvas_.FitToData(false, true);
    update();
}

void PlanView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    const WorldPoint world = canvas_.ScreenToWorld(pos.x(), pos.y());
    emit cursorMoved(world.north, world.east);
    if (middlePan_ && (event->buttons() & Qt::MiddleButton)) {
        canvas_.Pan(middleFrom_.x(), middleFrom_.y(), pos.x(), pos.y());
        middleFrom_ = pos;
        update();
        return;
    }
    const bool leftOnly = event->buttons() == Qt::LeftButton;
    switch (canvas_.Tool()) {
    case PlotCanvas::PickTool:
        setCursor(Qt::ArrowCursor);
        if (leftOnly && canvas_.ButtonDown() == PlotCanvas::LeftButton) {
            canvas_.MouseMove(pos.x(), pos.y());
            if (canvas_.RedrawRequested()) update();
        }
        break;
    case PlotCanvas::ZoomWindowTool:
        setCursor(Qt::CrossCursor);
        if (canvas_.RubberBand()) {
            canvas_.MouseMove(pos.x(), pos.y());
            if (canvas_.RedrawRequested()) update();
        }
        break;
    default:
        if (leftOnly && canvas_.ButtonDown() == PlotCanvas::LeftButton) {
            setCursor(closedHand_);
            canvas_.Pan(panFrom_.x(), panFrom_.y(), pos.x(), pos.y());
            panFrom_ = pos;
            update();
        } else {
            setCursor(openHand_);
        }
        break;
    }
}

void PlanView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::MiddleButton) {
        middlePan_ = true;
        middleFrom_ = event->position().toPoint();
        setCursor(closedHand_);
        return;
    }
    if (event->button() == Qt::LeftButton) LeftDown(event->position().toPoint());
    if (event->button() == Qt::RightButton) RightDown(event->globalPosition().toPoint());
}

void PlanView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::MiddleButton && middlePan_) {
        const QPoint pos = event->position().toPoint();
        canvas_.Pan(middleFrom_.x(), middleFrom_.y(), pos.x(), pos.y());
        middlePan_ = false;
        canvas_.RecordView();
        ShowToolCursor();
        update();
        return;
    }
    if (event->button() == Qt::LeftButton) LeftUp(event->position().toPoint());
    if (event->button() == Qt::RightButton && canvas_.Tool() == PlotCanvas::PickTool &&
        canvas_.ButtonDown() == PlotCanvas::RightButton) {
        canvas_.SetButtonDown(PlotCanvas::NoButton);
        update();
    }
}

void PlanView::mouseDoubleClickEvent(QMouseEvent* event) {
    const PlotCanvas::ToolMode tool = canvas_.Tool();
    if (event->button() == Qt::RightButton) {
        menuTimer_.stop();
        if (canvas_.ButtonDown() == PlotCanvas::RightButton) canvas_.SetButtonDown(PlotCanvas::NoButton);
        if (tool != PlotCanvas::ZoomWindowTool) SetToolMode(tool == PlotCanvas::PanTool ? PlotCanvas::PickTool : PlotCanvas::PanTool);
        return;
    }
    if (event->button() != Qt::LeftButton) return;
    if (tool == PlotCanvas::PickTool) {
        OnEditPicked();
    } else if (tool == PlotCanvas::ZoomWindowTool) {
        LeftUp(event->position().toPoint());
    } else {
        setCursor(openHand_);
    }
}

void PlanView::wheelEvent(QWheelEvent* event) {
    const QPoint delta = event->angleDelta();
    const int steps = delta.y() != 0 ? delta.y() : delta.x();
    // Touchpads also send empty wheel events (scroll phases): they zoom nothing.
    if (steps == 0) return;
    const QPoint pos = event->position().toPoint();
    canvas_.Geometry().ZoomAbout(pos.x(), pos.y(), steps > 0);
    event->accept();
    update();
}

void PlanView::keyPressEvent(QKeyEvent* event) {
    const int stepX = std::max(1, width() / 8);
    const int stepY = std::max(1, height() / 8);
    switch (event->key()) {
    case Qt::Key_Plus:
    case Qt::Key_Equal: OnZoomIn(); return;
    case Qt::Key_Minus:
    case Qt::Key_Underscore: OnZoomOut(); return;
    // An arrow looks further that way: the drawing moves the other way.
    case Qt::Key_Left: canvas_.Pan(0, 0, stepX, 0); break;
    case Qt::Key_Right: canvas_.Pan(0, 0, -stepX, 0); break;
    case Qt::Key_Up: canvas_.Pan(0, 0, 0, stepY); break;
    case Qt::Key_Down: canvas_.Pan(0, 0, 0, -stepY); break;
    default: QWidget::keyPressEvent(event); return;
    }
    canvas_.RecordView();
    update();
}

void PlanView::LeftDown(const QPoint& pos) {
    const int x = pos.x();
    const int y = pos.y();
    canvas_.SetAnchor(x, y);
    canvas_.SetCorner(x, y);
    canvas_.SetButtonDown(PlotCanvas::LeftButton);
    // Pixel positions of the view as it stands, even before its repaint.
    canvas_.UpdateScreenPositions();
    // A click picks one point, the nearest: never everything within reach.
    canvas_.PickNearest(x, y, kPickRadius);
    canvas_.SetRedrawRequested(true);
    switch (canvas_.Tool()) {
    case PlotCanvas::PickTool: pickDrag_ = true; break;
    case PlotCanvas::ZoomWindowTool: canvas_.SetRubberBand(true); break;
    default:
        panFrom_ = pos;
        setCursor(closedHand_);
        break;
    }
    update();
}

void PlanView::LeftUp(const QPoint& pos) {
    // A release without its press (pressed outside the view) changes nothing.
    if (canvas_.ButtonDown() != PlotCanvas::LeftButton) return;
    const int x = pos.x();
    const int y = pos.y();
    const PlotCanvas::ToolMode tool = canvas_.Tool();
    // The last stretch of a pan comes first, so the view recorded on release
    // is the one shown.
    if (tool == PlotCanvas::PanTool) {
        canvas_.Pan(panFrom_.x(), panFrom_.y(), x, y);
        panFrom_ = pos;
    }
    canvas_.ButtonUp(x, y);
    if (tool == PlotCanvas::PickTool) {
        canvas_.SetCorner(x, y);
        pickDrag_ = false;
        const ScreenPoint anchor = canvas_.Anchor();
        // A plain click keeps what the click square picked.
        if (std::abs(x - anchor.x) > kClickSlop || std::abs(y - anchor.y) > kClickSlop)
            canvas_.PickInRect(PlotRect::Spanning(anchor.x, anchor.y, x, y));
        emit pickChanged(canvas_.PickedCount());
    } else if (tool == PlotCanvas::ZoomWindowTool) {
        canvas_.SetCorner(x, y);
        canvas_.SetRubberBand(false);
    }
    ShowToolCursor();
    update();
}

void PlanView::RightDown(const QPoint& globalPos) {
    if (canvas_.Tool() != PlotCanvas::PickTool) return;
    canvas_.SetButtonDown(PlotCanvas::RightButton);
    update();
    menuPos_ = globalPos;
    menuTimer_.start(QApplication::doubleClickInterval());
}

}  // namespace linvara::gui
