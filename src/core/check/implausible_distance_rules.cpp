// Legs and offsets no power line has: a zone number left in front of an east
// coordinate, or x and y exchanged, puts a point thousands of kilometres
// away, whichever way the project was made.
#include <algorithm>
#include <cmath>
#include <limits>

#include "check/route_grid.h"
#include "check/rules.h"
#include "model/geometry.h"
#include "text/format.h"

namespace linvara::check {
namespace {

constexpr const char* kRule = "distance-implausible";
constexpr const char* kLikelyCause = "，坐标可能有误（东坐标前的带号、X/Y互换）";
// Most points lie within a cell of this size (metres) of the route and are
// done after one look; the search for the others spans at most this many cells.
constexpr double kNearCell = 1000;
constexpr double kMaxRings = 50;

void Legs(const CheckInput& in, Findings& out) {
    const double limit = in.settings.maxDistance;
    const DHPoint* previous = nullptr;
    for (std::size_t r : in.jRows) {
        const DHPoint& p = in.points[r];
        if (!HasPlanePosition(p)) continue;  // reported on its own
        const double leg = previous ? HypotDistance(*previous, p) : 0;
        if (leg > limit)
            out.push_back(AtRow(in, r, RuleNamed(kRule),
                                text::Format("与前一J桩%s相距%.1f米，超过%.1f米%s", previous->NewPtName.c_str(), leg,
                                             limit, kLikelyCause)));
        previous = &p;
    }
}

double NearestSegment(const std::vector<RouteGrid::Vertex>& route, double x, double y) {
    double best = std::numeric_limits<double>::infinity();
    for (std::size_t k = 0; k + 1 < route.size(); ++k) best = std::min(best, DistanceToSegment(x, y, route[k], route[k + 1]));
    return best;
}

void Offsets(const CheckInput& in, Findings& out) {
    const double limit = in.settings.maxDistance;
    std::vector<RouteGrid::Vertex> route;
    for (std::size_t r : in.jRows)
        if (HasPlanePosition(in.points[r])) route.push_back({in.points[r].Dx, in.points[r].Dy});
    if (route.size() < 2) return;
    const RouteGrid grid(route, std::max(limit / kMaxRings, std::min(limit, kNearCell)));
    const int rings = static_cast<int>(std::ceil(limit / grid.CellSize()));
    for (std::size_t i = 0; i < in.points.size(); ++i) {
        const DHPoint& p = in.points[i];
        if (p.DHType == JStake || !HasPlanePosition(p)) continue;
        if (grid.NearestWithin(p.Dx, p.Dy, 1) <= grid.CellSize()) continue;
        if (grid.NearestWithin(p.Dx, p.Dy, rings) <= limit) continue;
        const double offset = NearestSegment(route, p.Dx, p.Dy);  // few points get here
        out.push_back(AtRow(in, i, RuleNamed(kRule),
                            text::Format("距线路%.1f米，超过%.1f米%s", offset, limit, kLikelyCause)));
    }
}

}  // namespace

void CheckImplausibleDistances(const CheckInput& in, Findings& out) {
    if (!(in.settings.maxDistance > 0)) return;  // the rule is off
    Legs(in, out);
    Offsets(in, out);
}

}  // namespace linvara::check
