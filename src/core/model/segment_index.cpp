#include "model/segment_index.h"

#include <algorithm>
#include <cmath>

namespace linvara {
namespace {

constexpr std::uint32_t kLeafSize = 8;
// Beyond this a coordinate is no survey value; such lists are searched in full.
constexpr double kCoordinateLimit = 1e12;

// The capture test computes the foot's north value from the slope, the
// stake's and the point's coordinates; its rounding error stays below about
// 30 ulp of the largest north value plus 6 ulp of the east extent. This is
// ten times that.
constexpr double kFootErrorPerUnit = 1e-13;
// Heron's formula loses at most 1e-6 of the larger of the offset and the
// segment length while the segment is no shorter than 1e-6 of the area's
// diagonal. Skipping starts ten times farther out.
constexpr double kShortSegment = 1e-6;
constexpr double kOffsetMargin = 1e-5;
// Allowance for rounding in the box and strip tests themselves.
constexpr double kTestErrorPerUnit = 1e-12;
constexpr double kAngleAllowance = 1e-9;
// Directions spread wider than this make the strip test too weak to try.
constexpr double kWidestSpread = 1.3;

bool Usable(double v) { return std::isfinite(v) && std::fabs(v) <= kCoordinateLimit; }

}  // namespace

void PlaneBox::Add(double x, double y) {
    if (!Usable(x) || !Usable(y)) {
        usable = false;
        return;
    }
    xlo = std::min(xlo, x);
    xhi = std::max(xhi, x);
    ylo = std::min(ylo, y);
    yhi = std::max(yhi, y);
}

SegmentIndex::SegmentIndex(const DHPointList& jStakes, const PlaneBox& area) {
    if (jStakes.size() < 2) return;
    PlaneBox all = area;
    for (const DHPoint& j : jStakes) all.Add(j.Dx, j.Dy);
    if (!all.usable) {
        for (std::size_t k = 0; k + 1 < jStakes.size(); ++k) always_.push_back(k);
        return;
    }
    const double xabs = std::max(std::fabs(all.xlo), std::fabs(all.xhi));
    const double yabs = std::max(std::fabs(all.ylo), std::fabs(all.yhi));
    const double footError = kFootErrorPerUnit * (xabs + (all.yhi - all.ylo));
    diagonal_ = std::hypot(all.xhi - all.xlo, all.yhi - all.ylo);
    tolerance_ = kTestErrorPerUnit * (xabs + yabs);
    double longest = 0;
    for (std::size_t k = 0; k + 1 < jStakes.size(); ++k) {
        const DHPoint& s = jStakes[k];
        const DHPoint& e = jStakes[k + 1];
        if (s.Dx == e.Dx && s.Dy == e.Dy) continue;  // captures nothing
        const double dx = e.Dx - s.Dx;
        const double length = std::hypot(dx, e.Dy - s.Dy);
        // A foot error in north converts to one along the segment by length / |dx|;
        // a due east segment is tested on the point's own east value, exactly.
        const double slack = dx == 0 ? footError : footError * (length / std::fabs(dx));
        if (length < kShortSegment * diagonal_ || !(slack <= length)) {
            always_.push_back(k);
            continue;
        }
        segments_.push_back({s.Dx, s.Dy, e.Dx, e.Dy, length, slack});
        ids_.push_back(k);
        longest = std::max(longest, length);
    }
    lengthMargin_ = kOffsetMargin * longest;
    if (!ids_.empty()) Build(0, static_cast<std::uint32_t>(ids_.size()));
}

std::uint32_t SegmentIndex::Build(std::uint32_t begin, std::uint32_t end) {
    const auto at = static_cast<std::uint32_t>(nodes_.size());
    nodes_.emplace_back();
    Node n{};
    n.xlo = n.ylo = std::numeric_limits<double>::infinity();
    n.xhi = n.yhi = -std::numeric_limits<double>::infinity();
    double c2 = 0, s2 = 0;  // directions as doubled angles: a strip has no sense of direction
    for (std::uint32_t i = begin; i < end; ++i) {
        const Segment& g = segments_[i];
        const double widen = g.slack + tolerance_;
        n.xlo = std::min({n.xlo, g.sx - widen, g.ex - widen});
        n.xhi = std::max({n.xhi, g.sx + widen, g.ex + widen});
        n.ylo = std::min({n.ylo, g.sy - widen, g.ey - widen});
        n.yhi = std::max({n.yhi, g.sy + widen, g.ey + widen});
        const double ux = (g.ex - g.sx) / g.length, uy = (g.ey - g.sy) / g.length;
        c2 += ux * ux - uy * uy;
        s2 += 2 * ux * uy;
    }
    n.cx = n.xlo / 2 + n.xhi / 2;
    n.cy = n.ylo / 2 + n.yhi / 2;
    const double axis = std::atan2(s2, c2) / 2;
    n.ax = std::cos(axis);
    n.ay = std::sin(axis);
    double spread = 0, reach = 0;
    for (std::uint32_t i = begin; i < end; ++i) {
        const Segment& g = segments_[i];
        const double ux = (g.ex - g.sx) / g.length, uy = (g.ey - g.sy) / g.length;
        spread = std::max(spread, std::atan2(std::fabs(ux * n.ay - uy * n.ax), std::fabs(ux * n.ax + uy * n.ay)));
        const double mx = g.sx / 2 + g.ex / 2 - n.cx, my = g.sy / 2 + g.ey / 2 - n.cy;
        reach = std::max(reach, g.length / 2 + g.slack + std::hypot(mx, my));
    }
    spread += kAngleAllowance;
    n.stripTest = spread < kWidestSpread;
    n.cosSpread = std::cos(spread);
    n.sinSpread = std::sin(spread);
    n.reach = reach * (1 + kAngleAllowance) + tolerance_ + kAngleAllowance * diagonal_;
    n.begin = begin;
    n.end = end;
    if (end - begin > kLeafSize) {
        const std::uint32_t mid = begin + (end - begin) / 2;
        n.left = Build(begin, mid);
        n.right = Build(mid, end);
    }
    nodes_[at] = n;
    return at;
}

double SegmentIndex::BoxDistanceSquared(const Node& n, double x, double y) const {
    const double dx = std::max({n.xlo - x, x - n.xhi, 0.0});
    const double dy = std::max({n.ylo - y, y - n.yhi, 0.0});
    return dx * dx + dy * dy;
}

// A segment captures a point only when the point's distance from the
// segment's middle, measured along the segment, is at most half its length
// (plus the slack); with every direction within `spread` of the axis, the
// distance along any of them is at least cos(spread)|v.axis| - sin(spread)|v x axis|.
bool SegmentIndex::OutsideStrips(const Node& n, double x, double y) const {
    if (!n.stripTest) return false;
    const double vx = x - n.cx, vy = y - n.cy;
    const double along = std::fabs(vx * n.ax + vy * n.ay);
    const double across = std::fabs(vy * n.ax - vx * n.ay);
    return along * n.cosSpread - across * n.sinSpread > n.reach;
}

bool SegmentIndex::Skip(const Node& n, double x, double y, double best) const {
    if (std::isfinite(best)) {
        const double radius = best * (1 + kOffsetMargin) + lengthMargin_ + tolerance_;
        if (BoxDistanceSquared(n, x, y) > radius * radius) return true;
    }
    return OutsideStrips(n, x, y);
}

}  // namespace linvara
