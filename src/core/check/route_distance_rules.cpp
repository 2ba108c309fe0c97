// Points farther from the route than the offset range: the grid keeps this
// from trying every segment for every point.
#include <cmath>

#include "check/route_grid.h"
#include "check/rules.h"
#include "text/format.h"

namespace linvara::check {
namespace {

// How far, in cells, the distance of a point out of range is still measured.
constexpr int kMeasuredRings = 10;

}  // namespace

void CheckRouteDistance(const CheckInput& in, Findings& out) {
    const double range = in.settings.offsetRange;
    if (!(range > 0)) return;  // no range: the rule is off
    std::vector<RouteGrid::Vertex> route;
    for (std::size_t r : in.jRows)  // stakes without a position are reported on their own
        if (HasPlanePosition(in.points[r])) route.push_back({in.points[r].Dx, in.points[r].Dy});
    if (route.size() < 2) return;
    const RouteGrid grid(std::move(route), range);
    const int rings = static_cast<int>(std::ceil(range / grid.CellSize()));
    for (std::size_t i = 0; i < in.points.size(); ++i) {
        const DHPoint& p = in.points[i];
        if (p.DHType == JStake || !HasPlanePosition(p)) continue;
        if (grid.NearestWithin(p.Dx, p.Dy, rings) <= range) continue;
        const double measured = grid.NearestWithin(p.Dx, p.Dy, kMeasuredRings * rings);
        const double reach = kMeasuredRings * rings * grid.CellSize();
        out.push_back(AtRow(in, i, RuleNamed("offset-range"),
                            measured <= reach
                                ? text::Format("距线路%.1f米，超出偏距范围%.1f米", measured, range)
                                : text::Format("距线路超过%.1f米，超出偏距范围%.1f米", reach, range)));
    }
}

}  // namespace linvara::check
