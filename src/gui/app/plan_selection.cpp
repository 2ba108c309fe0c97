#include "app/plan_selection.h"

#include <algorithm>
#include <climits>
#include <unordered_set>

#include "plan/plot_canvas.h"
#include "views/plan_view.h"

namespace linvara::gui {
namespace {

std::vector<std::size_t> IndicesOf(const PlotCanvas& canvas, const std::vector<std::string>& gpsIds) {
    const std::unordered_set<std::string> wanted(gpsIds.begin(), gpsIds.end());
    std::vector<std::size_t> found;
    if (wanted.empty()) return found;
    const DHPointList& points = canvas.Points();
    for (std::size_t i = 0; i < points.size(); ++i)
        if (wanted.contains(points[i].GPS_ID)) found.push_back(i);
    return found;
}

}  // namespace

bool MarkInPlan(PlanView& plan, const std::vector<std::string>& gpsIds, bool bringIntoView) {
    PlotCanvas& canvas = plan.Canvas();
    const std::vector<std::size_t> found = IndicesOf(canvas, gpsIds);
    if (found.empty() || canvas.Geometry().ClientRect().IsEmpty()) return false;
    const std::size_t first = found.front();
    canvas.UpdateScreenPositions();
    if (bringIntoView && !canvas.OnScreen(first)) {
        const ScreenPoint at = canvas.ScreenPosition(first);
        canvas.Pan(at.x, at.y, canvas.Geometry().CentreX(), canvas.Geometry().CentreY());
        canvas.RecordView();
        canvas.UpdateScreenPositions();
    }
    canvas.PickIndices(found);
    if (bringIntoView && canvas.Tool() != PlotCanvas::PickTool) plan.OnPickTool();
    canvas.SetRedrawRequested(true);
    plan.update();
    return true;
}

bool ZoomPlanTo(PlanView& plan, const std::vector<std::string>& gpsIds) {
    PlotCanvas& canvas = plan.Canvas();
    const std::vector<std::size_t> found = IndicesOf(canvas, gpsIds);
    if (found.empty() || canvas.Geometry().ClientRect().IsEmpty()) return false;
    canvas.UpdateScreenPositions();
    int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
    for (std::size_t i : found) {
        const ScreenPoint p = canvas.ScreenPosition(i);
        left = std::min(left, p.x);
        right = std::max(right, p.x);
        top = std::min(top, p.y);
        bottom = std::max(bottom, p.y);
    }
    constexpr int kMargin = 60;
    canvas.ZoomToRect(left - kMargin, top - kMargin, right + kMargin, bottom + kMargin);  // recorded as a view
    MarkInPlan(plan, gpsIds, false);
    return true;
}

}  // namespace linvara::gui
