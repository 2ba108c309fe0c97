#include "check/route_grid.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace linvara::check {
namespace {

// Beyond this many cells a segment is tried for every point: a handful of
// absurdly long segments must not fill the grid.
constexpr double kMaxPieces = 65536;
// Cells below this share of the route's extent would make the grid's indices huge.
constexpr double kSmallestCellShare = 1e-6;

}  // namespace

double DistanceToSegment(double x, double y, RouteGrid::Vertex a, RouteGrid::Vertex b) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double length2 = dx * dx + dy * dy;
    double t = length2 > 0 ? ((x - a.x) * dx + (y - a.y) * dy) / length2 : 0;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(x - (a.x + t * dx), y - (a.y + t * dy));
}

RouteGrid::RouteGrid(std::vector<Vertex> vertices, double cell) : vertices_(std::move(vertices)) {
    if (vertices_.size() < 2) return;
    xlo_ = xhi_ = vertices_[0].x;
    ylo_ = yhi_ = vertices_[0].y;
    for (const Vertex& v : vertices_) {
        xlo_ = std::min(xlo_, v.x), xhi_ = std::max(xhi_, v.x);
        ylo_ = std::min(ylo_, v.y), yhi_ = std::max(yhi_, v.y);
    }
    const double extent = std::max({xhi_ - xlo_, yhi_ - ylo_, 1.0});
    cell_ = std::max(cell, extent * kSmallestCellShare);
    for (std::uint32_t k = 0; k + 1 < vertices_.size(); ++k) {
        const Vertex a = vertices_[k], b = vertices_[k + 1];
        const double pieces = std::ceil(std::hypot(b.x - a.x, b.y - a.y) / cell_);
        if (!(pieces <= kMaxPieces)) {
            always_.push_back(k);
            continue;
        }
        const int n = std::max(1, static_cast<int>(pieces));
        for (int i = 0; i < n; ++i) {
            const double t0 = static_cast<double>(i) / n, t1 = static_cast<double>(i + 1) / n;
            const double x0 = a.x + t0 * (b.x - a.x), x1 = a.x + t1 * (b.x - a.x);
            const double y0 = a.y + t0 * (b.y - a.y), y1 = a.y + t1 * (b.y - a.y);
            for (std::int64_t ix = CellOf(std::min(x0, x1), xlo_); ix <= CellOf(std::max(x0, x1), xlo_); ++ix)
                for (std::int64_t iy = CellOf(std::min(y0, y1), ylo_); iy <= CellOf(std::max(y0, y1), ylo_); ++iy) {
                    std::vector<std::uint32_t>& listed = cells_[Key(ix, iy)];
                    if (listed.empty() || listed.back() != k) listed.push_back(k);
                }
        }
    }
}

std::int64_t RouteGrid::CellOf(double v, double origin) const {
    return static_cast<std::int64_t>(std::floor((v - origin) / cell_));
}

std::uint64_t RouteGrid::Key(std::int64_t ix, std::int64_t iy) {
    return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(ix)) << 32) | static_cast<std::uint32_t>(iy);
}

double RouteGrid::SegmentDistance(std::uint32_t k, double x, double y) const {
    return DistanceToSegment(x, y, vertices_[k], vertices_[k + 1]);
}

double RouteGrid::NearestWithin(double x, double y, int rings) const {
    double best = std::numeric_limits<double>::infinity();
    for (std::uint32_t k : always_) best = std::min(best, SegmentDistance(k, x, y));
    const double reach = (rings + 1) * cell_;
    // Far outside the route's box no listed cell is within reach (and cell
    // numbers there could overflow).
    if (!(x >= xlo_ - reach && x <= xhi_ + reach && y >= ylo_ - reach && y <= yhi_ + reach)) return best;
    const std::int64_t cx = CellOf(x, xlo_), cy = CellOf(y, ylo_);
    for (std::int64_t ix = cx - rings; ix <= cx + rings; ++ix)
        for (std::int64_t iy = cy - rings; iy <= cy + rings; ++iy) {
            const auto it = cells_.find(Key(ix, iy));
            if (it == cells_.end()) continue;
            for (std::uint32_t k : it->second) best = std::min(best, SegmentDistance(k, x, y));
        }
    return best;
}

}  // namespace linvara::check
