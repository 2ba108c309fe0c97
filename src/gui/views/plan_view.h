#pragma once
#include <QCursor>
#include <QImage>
#include <QPoint>
#include <QTimer>
#include <QWidget>
#include <string>
#include <vector>

#include "plan/plot_canvas.h"

namespace linvara::gui {

class ProjectDocument;

// The plan view: the points of the working stake list drawn in plan on black,
// coloured by kind, with a metric grid and the route line through the J
// stakes. It turns window events into canvas operations, shows the world
// position under the cursor and lets the engineer pick points and ask for
// them to be edited, deleted or given J stakes, by GPS_ID. It observes the
// document and draws its own copy of the points of the view mode, kept in
// step point by point.
class PlanView : public QWidget {
    Q_OBJECT
public:
    explicit PlanView(const ProjectDocument& document, QWidget* parent = nullptr);

    // Commands of the plan toolbar.
    void OnCenter();       // 32785 居中显示
    void OnPickTool();     // 32794 选点
    void OnPanTool();      // 32793 平移
    void OnZoomWindow();   // 32786
    void OnZoomIn();       // 32777 放大
    void OnZoomOut();      // 32778 缩小
    void OnPreviousView(); // 32781 前一视图
    void OnNextView();     // 32782 后一视图
    PlotCanvas::ToolMode ToolMode() const;

    // How close CenterOnPoint zooms in at least: centimetres per pixel.
    static constexpr double kFocusResolution = 20;

    // Commands of the "点编辑" menu on the picked points.
    void OnEditPicked();     // 32803 编辑
    void OnDeletePicked();   // 32804 删除
    void OnAppointPicked();  // 32805 指定J桩

    const PlotCanvas& Canvas() const { return canvas_; }
    PlotCanvas& Canvas() { return canvas_; }
    bool PickDrag() const { return pickDrag_; }

public slots:
    // Centres the view on the world point and zooms in to show its
    // surroundings (about 80 m across 400 pixels), keeping a closer zoom.
    void CenterOnPoint(double north, double east);
    // The same for the drawn point with this GPS_ID; false when none is drawn.
    bool CenterOnGpsId(const std::string& gpsId);

signals:
    // Emitted whenever the tool mode changes, so toolbar buttons follow.
    void toolModeChanged(linvara::gui::PlotCanvas::ToolMode mode);
    // The world position under the cursor.
    void cursorMoved(double north, double east);
    // How many points a pick click or drag has marked.
    void pickChanged(int picked);
    void editRequested(const std::string& gpsId);
    void deleteRequested(const std::vector<std::string>& gpsIds, const QString& prompt);
    void appointRequested(const std::vector<std::string>& gpsIds);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    // + / - zoom about the centre, the arrow keys pan by an eighth of the view.
    void keyPressEvent(QKeyEvent* event) override;
    // Opens the "点编辑" menu at `globalPos` and runs the chosen command.
    virtual void ShowPointMenu(const QPoint& globalPos);

private:
    // The document's signals.
    void ShowDocument();
    void OnListReset();
    void OnPointChanged(int index);
    void OnPointsInserted(const std::vector<int>& indices);
    void OnPointsRemoved(const std::vector<int>& indices);
    PlotRect ClientRect() const;
    void SetToolMode(PlotCanvas::ToolMode mode);
    void ShowToolCursor();
    void LeftDown(const QPoint& pos);
    void LeftUp(const QPoint& pos);
    void RightDown(const QPoint& globalPos);

    const ProjectDocument& document_;
    PlotCanvas canvas_;
    QCursor openHand_;
    QCursor closedHand_;
    QPoint panFrom_;
    // The middle button pans in every tool, as on a map.
    bool middlePan_ = false;
    QPoint middleFrom_;
    bool pickDrag_ = false;
    QImage buffer_;
    // A right click opens the menu only once it is clear that no double
    // click (which switches the tool) follows.
    QTimer menuTimer_;
    QPoint menuPos_;
};

}  // namespace linvara::gui
