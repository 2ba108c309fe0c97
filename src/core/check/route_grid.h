#pragma once
#include <cstdint>
#include <unordered_map>
#include <vector>

namespace linvara::check {

// The segments of a polyline in a grid of square cells, for asking of many
// points how far the nearest segment is without trying every segment: each
// segment is listed in the cells it passes through, and a point looks only at
// the cells around its own. Segments that would cross too many cells are
// tried for every point instead.
class RouteGrid {
public:
    struct Vertex {
        double x, y;
    };
    // `cell` is the wanted cell size; very short routes and cells too small
    // for the route's extent get a larger one (CellSize()).
    RouteGrid(std::vector<Vertex> vertices, double cell);

    double CellSize() const { return cell_; }
    // The distance to the nearest segment listed within `rings` cells of the
    // point's cell (or tried for every point). It is the exact distance to
    // the polyline whenever that is at most rings * CellSize(); otherwise it
    // is larger than that, or infinity.
    double NearestWithin(double x, double y, int rings) const;

private:
    double SegmentDistance(std::uint32_t k, double x, double y) const;
    std::int64_t CellOf(double v, double origin) const;
    static std::uint64_t Key(std::int64_t ix, std::int64_t iy);

    std::vector<Vertex> vertices_;
    double cell_ = 1;
    double xlo_ = 0, ylo_ = 0, xhi_ = 0, yhi_ = 0;
    std::unordered_map<std::uint64_t, std::vector<std::uint32_t>> cells_;
    std::vector<std::uint32_t> always_;
};

// Distance from (x, y) to the segment a-b (to a itself when a and b coincide).
double DistanceToSegment(double x, double y, RouteGrid::Vertex a, RouteGrid::Vertex b);

}  // namespace linvara::check
