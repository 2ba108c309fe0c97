// The grid must give the same nearest distance as trying every segment,
// wherever that distance is within the rings asked for.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>

#include "check/route_grid.h"

namespace linvara::check {
namespace {

double BruteForce(const std::vector<RouteGrid::Vertex>& route, double x, double y) {
    double best = std::numeric_limits<double>::infinity();
    for (std::size_t k = 0; k + 1 < route.size(); ++k) best = std::min(best, DistanceToSegment(x, y, route[k], route[k + 1]));
    return best;
}

struct Shape {
    const char* name;
    double span;        // typical segment length
    double turn;        // largest direction change per stake, radians
    double cell;
    int rings;
};

class RouteGridShapes : public ::testing::TestWithParam<Shape> {};

TEST_P(RouteGridShapes, AgreesWithTryingEverySegment) {
    const Shape s = GetParam();
    std::mt19937 random(7);
    std::uniform_real_distribution<double> unit(0, 1);
    std::vector<RouteGrid::Vertex> route{{3380000, 500000}};
    double heading = 0;
    for (int i = 0; i < 60; ++i) {
        heading += (unit(random) * 2 - 1) * s.turn;
        const double length = s.span * (0.2 + unit(random));
        route.push_back({route.back().x + length * std::cos(heading), route.back().y + length * std::sin(heading)});
    }
    route.push_back(route[5]);  // a segment back across the route, and one of length 0
    route.push_back(route[5]);
    const RouteGrid grid(route, s.cell);
    const double reach = s.rings * grid.CellSize();
    for (int i = 0; i < 3000; ++i) {
        const RouteGrid::Vertex& near = route[static_cast<std::size_t>(unit(random) * static_cast<double>(route.size() - 1))];
        const double x = near.x + (unit(random) * 2 - 1) * 3 * reach, y = near.y + (unit(random) * 2 - 1) * 3 * reach;
        const double exact = BruteForce(route, x, y);
        const double found = grid.NearestWithin(x, y, s.rings);
        if (exact <= reach)
            ASSERT_DOUBLE_EQ(found, exact) << s.name << " at " << x << ", " << y;
        else
            ASSERT_GT(found, reach) << s.name << " at " << x << ", " << y;
    }
}

INSTANTIATE_TEST_SUITE_P(Check, RouteGridShapes,
                         ::testing::Values(Shape{"LongSpansSmallCells", 600, 0.6, 50, 1},
                                           Shape{"ShortSpansLargeCells", 20, 2.5, 500, 1},
                                           Shape{"ManyRings", 300, 1.2, 100, 10},
                                           Shape{"ZigZag", 400, 3.1, 500, 2}),
                         [](const ::testing::TestParamInfo<Shape>& shape) { return shape.param.name; });

// A segment too long to list cell by cell is tried for every point.
TEST(RouteGrid, AbsurdlyLongSegmentStillFound) {
    const RouteGrid grid({{0, 0}, {1, 0}, {1e12, 0}}, 1);
    EXPECT_NEAR(grid.NearestWithin(5e11, 0.5, 1), 0.5, 1e-3);
}

}  // namespace
}  // namespace linvara::check
