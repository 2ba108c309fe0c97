// AutoOrderStakes refers points through a search tree; these routes hold it
// to the plain rule, kept here as the reference: every segment in route order,
// a later capture replacing the current one only with a strictly smaller
// absolute offset.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>

#include "model/stake_sequence.h"
#include "support/survey_points.h"

namespace linvara {
namespace {

void ReferByEverySegment(DHPoint& p, const DHPointList& jStakes) {
    if (p.DHType == JStake) {
        p.Offset = 0;
        p.StartJ.clear();
        p.EndJ.clear();
        return;
    }
    p.Mileage = p.Offset = 0;
    p.StartJ.clear();
    p.EndJ.clear();
    bool found = false;
    for (std::size_t k = 0; k + 1 < jStakes.size(); ++k) {
        if (!SegmentCapturesPoint(p, jStakes[k], jStakes[k + 1])) continue;
        const Projection pr = ProjectOnSegment(p, jStakes[k], jStakes[k + 1]);
        if (found && !(std::fabs(pr.offset) < std::fabs(p.Offset))) continue;
        found = true;
        p.StartJ = jStakes[k].NewPtName;
        p.EndJ = jStakes[k + 1].NewPtName;
        p.Mileage = jStakes[k].Mileage + pr.along;
        p.Offset = pr.offset;
    }
}

DHPointList ReferenceOrder(DHPointList list, const ConversionOptions& options) {
    ComputeJStakeMileage(list, options.StartMileage);
    const DHPointList jStakes = JStakeList(list);
    for (DHPoint& p : list) ReferByEverySegment(p, jStakes);
    SortByMileage(list, options);
    return list;
}

std::uint64_t Bits(double v) { return std::bit_cast<std::uint64_t>(v); }

// Same order, same segment, same mileage and offset to the last bit.
void ExpectSameReferences(const DHPointList& got, const DHPointList& want, const std::string& what) {
    ASSERT_EQ(got.size(), want.size());
    for (std::size_t i = 0; i < got.size(); ++i) {
        const DHPoint& g = got[i];
        const DHPoint& w = want[i];
        ASSERT_EQ(g.GPS_ID, w.GPS_ID) << what << " row " << i;
        ASSERT_EQ(g.StartJ, w.StartJ) << what << " " << g.GPS_ID << " at " << g.Dx << ", " << g.Dy;
        ASSERT_EQ(g.EndJ, w.EndJ) << what << " " << g.GPS_ID;
        ASSERT_EQ(Bits(g.Mileage), Bits(w.Mileage)) << what << " " << g.GPS_ID;
        ASSERT_EQ(Bits(g.Offset), Bits(w.Offset)) << what << " " << g.GPS_ID;
        ASSERT_EQ(g.NewPtName, w.NewPtName) << what << " " << g.GPS_ID;
    }
}

struct Xy {
    double x, y;
};

enum class Shape {
    ZigZag,       // any direction, any turn
    Monotone,     // always north-east, like a real line: corners leave uncaptured wedges
    Collinear,    // on one line, running back and forth over itself
    DueEast,      // equal north values, exactly or but for a few ulp
    Grid,         // integer coordinates: many points exactly on ends, equal offsets
    Duplicates,   // repeated stakes: zero-length segments
    TinyAndLong,  // segments far shorter than the area among long ones
    Loop,         // a closed ring, passing its start again
};

struct RouteCase {
    const char* name;
    Shape shape;
    int routes;
    double originX, originY;  // far from 0 for survey coordinates
};

Xy Step(Shape shape, std::mt19937& rng, int k) {
    std::uniform_real_distribution<double> unit(0, 1);
    const double pi = 3.141592653589793;
    double az = 2 * pi * unit(rng), len = 1 + 600 * unit(rng);
    switch (shape) {
        case Shape::Monotone: az = (20 + 45 * unit(rng)) * pi / 180; break;
        case Shape::Collinear: return {(unit(rng) < 0.3 ? -1.0 : 1.0) * len * 0.6, (unit(rng) < 0.3 ? -1.0 : 1.0) * len * 0.8};
        case Shape::DueEast: {
            const double tiny[] = {0, 0, 1e-12, -1e-9, 1e-7};
            return {tiny[rng() % 5] + (k % 3 == 0 ? 50 * unit(rng) : 0), (unit(rng) < 0.2 ? -len : len)};
        }
        case Shape::Grid: return {std::round(20 * unit(rng)) - 10, std::round(20 * unit(rng)) - 6};
        case Shape::Duplicates:
            if (rng() % 3 == 0) return {0, 0};
            break;
        case Shape::TinyAndLong:
            if (rng() % 3 == 0) len = std::pow(10.0, -9 + 6 * unit(rng));
            break;
        case Shape::Loop: az = 2 * pi * k / 24; len = 100; break;
        case Shape::ZigZag: break;
    }
    return {len * std::cos(az), len * std::sin(az)};
}

std::vector<Xy> Route(Shape shape, std::mt19937& rng, double x0, double y0) {
    const int stakes = static_cast<int>(rng() % 120);  // 0 and 1 included
    std::vector<Xy> route;
    Xy at{x0, y0};
    for (int k = 0; k < stakes; ++k) {
        route.push_back(at);
        const Xy step = Step(shape, rng, k);
        at = {at.x + step.x, at.y + step.y};
    }
    return route;
}

// Points near segments (before, on and past their ends), exactly on stakes,
// midpoints and the perpendiculars through the ends, and far away.
std::vector<Xy> PointsAround(const std::vector<Xy>& route, std::mt19937& rng, Shape shape) {
    std::uniform_real_distribution<double> unit(0, 1);
    std::vector<Xy> points;
    const int count = 50 + static_cast<int>(rng() % 250);
    for (int i = 0; i < count && !route.empty(); ++i) {
        const std::size_t k = rng() % route.size();
        const Xy s = route[k];
        const Xy e = route[std::min(k + 1, route.size() - 1)];
        const double dx = e.x - s.x, dy = e.y - s.y;
        switch (rng() % 7) {
            case 0: points.push_back(s); break;
            case 1: points.push_back({s.x / 2 + e.x / 2, s.y / 2 + e.y / 2}); break;
            case 2: {  // on the perpendicular through an end
                const double h = 40 * unit(rng) - 20;
                points.push_back({s.x - dy * h / 100, s.y + dx * h / 100});
                break;
            }
            case 3: {
                const double t = 1.4 * unit(rng) - 0.2, h = 60 * unit(rng) - 30;
                const double n = std::hypot(dx, dy);
                points.push_back(n == 0 ? Xy{s.x + h, s.y - h} : Xy{s.x + t * dx - dy * h / n, s.y + t * dy + dx * h / n});
                break;
            }
            case 4: points.push_back({s.x + 5000 * (unit(rng) - 0.5), s.y + 5000 * (unit(rng) - 0.5)}); break;
            case 5: points.push_back({s.x + std::round(6 * unit(rng)) - 3, s.y + std::round(6 * unit(rng)) - 3}); break;
            default: points.push_back({s.x + 30 * (unit(rng) - 0.5), s.y + 30 * (unit(rng) - 0.5)}); break;
        }
    }
    if (shape == Shape::Grid)
        for (Xy& p : points) p = {std::round(p.x), std::round(p.y)};
    return points;
}

DHPointList SurveyList(const std::vector<Xy>& route, const std::vector<Xy>& points, std::mt19937& rng) {
    DHPointList list;
    for (std::size_t k = 0; k < route.size(); ++k)
        list.push_back(testing::PlanePoint("J" + std::to_string(k + 1), JStake, route[k].x, route[k].y));
    const int kinds[] = {ZStake, AuxPoint, CrossingOnePoint, FeatureOnePoint, FeatureTwoPoint, HouseThreePoint};
    for (std::size_t i = 0; i < points.size(); ++i) {
        DHPoint p = testing::PlanePoint("p" + std::to_string(i), kinds[i % 6], points[i].x, points[i].y);
        // Detail points among the stakes, as surveyed.
        list.insert(list.begin() + static_cast<std::ptrdiff_t>(rng() % (list.size() + 1)), std::move(p));
    }
    return list;
}

TEST(AutoOrderReference, RandomRoutesReferLikeEverySegmentInOrder) {
    const RouteCase cases[] = {
        {"zig-zag", Shape::ZigZag, 60, 0, 0},
        {"zig-zag, survey coordinates", Shape::ZigZag, 40, 3380000.25, 500000.5},
        {"north-east line", Shape::Monotone, 40, 3380000, 500000},
        {"collinear, back and forth", Shape::Collinear, 40, 3380000, 500000},
        {"due east and almost", Shape::DueEast, 40, 3380000, 500000},
        {"integer grid", Shape::Grid, 60, 0, 0},
        {"repeated stakes", Shape::Duplicates, 40, 100, -100},
        {"tiny and long segments", Shape::TinyAndLong, 40, 3380000, 500000},
        {"closed ring", Shape::Loop, 20, 0, 0},
    };
    std::mt19937 rng(20261210u);
    for (const RouteCase& c : cases) {
        for (int r = 0; r < c.routes; ++r) {
            const std::vector<Xy> route = Route(c.shape, rng, c.originX, c.originY);
            const DHPointList list = SurveyList(route, PointsAround(route, rng, c.shape), rng);
            ConversionOptions options;
            options.StartMileage = 1000.5;
            DHPointList got = list;
            AutoOrderStakes(got, options);
            ExpectSameReferences(got, ReferenceOrder(list, options), std::string(c.name) + " #" + std::to_string(r));
            if (::testing::Test::HasFatalFailure()) return;
        }
    }
}

TEST(AutoOrderReference, UnusableCoordinatesFallBackToEverySegment) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const Xy odd[] = {{inf, 0}, {0, -inf}, {nan, 5}, {1e300, 1}};
    for (const Xy& bad : odd) {
        DHPointList list;
        for (int k = 0; k < 30; ++k)
            list.push_back(testing::PlanePoint("J" + std::to_string(k), JStake, 10.0 * k, 7.0 * (k % 2)));
        for (int i = 0; i < 40; ++i)
            list.push_back(testing::PlanePoint("p" + std::to_string(i), AuxPoint, 7.5 * i, 3.0 - (i % 5)));
        list.push_back(testing::PlanePoint("odd", AuxPoint, bad.x, bad.y));
        DHPointList got = list;
        AutoOrderStakes(got, ConversionOptions{});
        const DHPointList want = ReferenceOrder(list, ConversionOptions{});
        ASSERT_EQ(got.size(), want.size());
        for (std::size_t i = 0; i < got.size(); ++i) {
            EXPECT_EQ(got[i].StartJ, want[i].StartJ) << got[i].GPS_ID;
            EXPECT_EQ(got[i].EndJ, want[i].EndJ) << got[i].GPS_ID;
        }
    }
}

}  // namespace
}  // namespace linvara
