#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "common/view_types.h"
#include "model/dh_point_list.h"
#include "plan/plan_look.h"
#include "plan/plot_geometry.h"
#include "plan/plot_label_grid.h"
#include "plan/plot_labels.h"

class QColor;
class QPainter;

namespace linvara::gui {

// The bounding box of the points that have a position; none when no point has.
std::optional<WorldExtent> ExtentOf(const linvara::DHPointList& points);

// Drawing and navigation of the plan view: its own copy of the points (kept
// in step point by point as the list changes), the
// view transform and history (PlotGeometry), the tool mode and the drag
// state. The owner window forwards its client rectangle, mouse events and
// commands and repaints after every change.
class PlotCanvas {
public:
    enum ToolMode { PanTool = 0, PickTool = 1, ZoomWindowTool = 2 };
    enum ButtonState { NoButton = 0, LeftButton = 1, RightButton = 2 };

    // The points of `mode` to draw.
    void SetData(ViewMode mode, const linvara::DHPointList& points);
    void SetData(ViewMode mode, linvara::DHPointList&& points);
    // Replaces the drawn point with the same GPS_ID (its pick mark kept);
    // false when none is drawn.
    bool ReplacePoint(const linvara::DHPoint& point);
    // The same at `index` of Points(); false when out of range.
    bool ReplacePointAt(std::size_t index, const linvara::DHPoint& point);
    // Points put in `from` at these positions (ascending) are put in the
    // drawing at the same places, unpicked: the drawing shows `from` again
    // without copying it.
    void InsertPoints(const std::vector<int>& indices, const linvara::DHPointList& from);
    // Points taken out from these positions (ascending, as they stood).
    void RemovePoints(const std::vector<int>& indices);
    const linvara::DHPointList& Points() const { return points_; }
    ViewMode DataMode() const { return dataMode_; }
    // Drawing state of the point at `index` of Points(), as of the last
    // UpdateScreenPositions and PickInRect; kept here, beside the copy, so
    // the point records carry survey data only.
    ScreenPoint ScreenPosition(std::size_t index) const { return screen_[index]; }
    bool OnScreen(std::size_t index) const { return onScreen_[index] != 0; }
    bool Picked(std::size_t index) const { return picked_[index] != 0; }

    void SetClientRect(const PlotRect& rect) { geometry_.SetClientRect(rect); }
    const PlotGeometry& Geometry() const { return geometry_; }
    PlotGeometry& Geometry() { return geometry_; }

    void FitToData(bool centre, bool scale);
    void ZoomIn() { geometry_.ZoomIn(); }
    void ZoomOut() { geometry_.ZoomOut(); }
    void ZoomToRect(int x1, int y1, int x2, int y2) { geometry_.ZoomToRect(x1, y1, x2, y2); }
    void Pan(int fromX, int fromY, int toX, int toY) { geometry_.Pan(fromX, fromY, toX, toY); }
    WorldPoint ScreenToWorld(int x, int y) const { return geometry_.ScreenToWorld(x, y); }
    void RecordView() { geometry_.RecordView(); }
    bool PreviousView() { return geometry_.PreviousView(); }
    bool NextView() { return geometry_.NextView(); }

    // Marks the points whose pixel lies in `rect` (edges included) and
    // clears the mark of all others; true when any is marked.
    bool PickInRect(const PlotRect& rect);
    // Marks exactly the points at these list indices (the list's selection).
    void PickIndices(const std::vector<std::size_t>& indices);
    // Marks only the point nearest (x, y) within `radius` pixels on each
    // axis; true when there is one.
    bool PickNearest(int x, int y, int radius);
    int PickedCount() const;
    // The pixel of every point for the current view, and whether it lies
    // inside the window.
    void UpdateScreenPositions();
    // The index of the first picked point in list order, whose mark is
    // cleared; -1 when none is picked.
    int TakeFirstPicked();
    // The GPS_ID of every picked point, in list order.
    std::vector<std::string> PickedGpsIds() const;

    void MouseMove(int x, int y);
    void ButtonUp(int x, int y);

    // Draws the rubber band and the plan in the screen's look; `pickDrag` is
    // the owner's word that a pick rectangle is being dragged.
    void Draw(QPainter& painter, bool pickDrag);
    // Draws the grid, the route line and the points with their labels in
    // `look`, through the current geometry: the one drawing of the plan for
    // the screen, images, vector files and paper alike. The client rectangle
    // may sit anywhere on the device (a map frame on a page).
    void Paint(QPainter& painter, const PlanLook& look);

    // Drag state, driven by the owner's button handlers.
    ScreenPoint Anchor() const { return anchor_; }
    void SetAnchor(int x, int y) { anchor_ = {x, y}; }
    ScreenPoint Corner() const { return corner_; }
    void SetCorner(int x, int y) { corner_ = {x, y}; }
    bool RubberBand() const { return rubberBand_; }
    void SetRubberBand(bool on) { rubberBand_ = on; }
    bool RedrawRequested() const { return redrawRequested_; }
    void SetRedrawRequested(bool on) { redrawRequested_ = on; }
    ButtonState ButtonDown() const { return buttonDown_; }
    void SetButtonDown(ButtonState state) { buttonDown_ = state; }
    ToolMode Tool() const { return toolMode_; }
    void SetTool(ToolMode mode) { toolMode_ = mode; }
    ToolMode SavedTool() const { return savedToolMode_; }
    void SetSavedTool(ToolMode mode) { savedToolMode_ = mode; }

private:
    // Drawing state for the points just put in points_.
    void TakeData(ViewMode mode);
    void DrawRubberBand(QPainter& painter, bool pickDrag) const;
    void DrawGrid(QPainter& painter, const PlanLook& look);
    void DrawPoints(QPainter& painter, const PlanLook& look);
    void DrawLabels(QPainter& painter, const PlanLook& look, bool stakes);
    QColor ColourOf(std::size_t index, const PlanLook& look) const;
    void DrawRouteLine(QPainter& painter, const PlanLook& look) const;

    PlotGeometry geometry_;
    ScreenPoint anchor_;
    ScreenPoint corner_;
    bool rubberBand_ = false;
    bool redrawRequested_ = false;
    ButtonState buttonDown_ = NoButton;
    ToolMode toolMode_ = PanTool;
    ToolMode savedToolMode_ = PanTool;
    ViewMode dataMode_ = ViewMode::AllPoints;
    linvara::DHPointList points_;
    // One entry per point of points_, in its order.
    std::vector<ScreenPoint> screen_;
    std::vector<char> onScreen_;
    std::vector<char> picked_;
    PlotLabels labels_;
    PlotLabelGrid labelGrid_;
};

}  // namespace linvara::gui
