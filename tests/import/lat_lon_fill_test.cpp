// B/L for an opened project's points that lack them: the same values the
// import computes for the same x/y, and only where they are missing.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "import/gauss_kruger.h"
#include "import/lat_lon_fill.h"
#include "import/point_reader.h"

namespace linvara::import {
namespace {

DHPoint Point(const char* name, double north, double east, double b = 0, double l = 0) {
    DHPoint p;
    p.NewPtName = name;
    p.Dx = north;
    p.Dy = east;
    p.B = b;
    p.L = l;
    p.Dh = 12.5;
    return p;
}

TEST(FillLatLon, MatchesTheImportAndKeepsWhatIsThere) {
    if (!GaussKruger::Available()) GTEST_SKIP() << GaussKruger::kNotInThisBuild;
    const GaussKrugerZone zone = ZoneOfNumber(38, 3);  // 114°E, prefix 38
    std::string error;
    const auto gk = GaussKruger::Create(zone, error);
    ASSERT_TRUE(gk) << error;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    DHPointList points = {
        Point("J1", 3380000, 500000),
        Point("J2", 3381234.5678, 38512345.6789),   // with the zone number in front
        Point("3", 2500000.25, 380000.75, nan, 0),  // an impossible B counts as missing
        Point("4", 3380000, 500000, 30.5, 114.25),  // has B/L: kept
        Point("5", 0, 0),                           // never placed
        Point("6", 3380000, 39500000),              // another zone's number
        Point("7", 3380000, 500000, 0, 114.1),      // only one of them is 0: kept
    };
    const DHPointList before = points;
    const LatLonFill fill = FillLatLon(points, *gk);
    EXPECT_EQ(fill.filled, 3u);
    EXPECT_EQ(fill.failed, (std::vector<std::string>{"5", "6"}));

    const ReadPoints imported = ReadPointText(
        "J1,3380000,500000\nJ2,3381234.5678,38512345.6789\n3,2500000.25,380000.75\n", [] {
            ImportStyle s;
            s.columns = {Column::Name, Column::North, Column::East};
            return s;
        }(), gk.get());
    ASSERT_EQ(imported.points.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(points[i].NewPtName);
        EXPECT_EQ(points[i].B, imported.points[i].latitude);
        EXPECT_EQ(points[i].L, imported.points[i].longitude);
        EXPECT_NEAR(points[i].L, 114, 1.5);
        EXPECT_EQ(points[i].Dx, before[i].Dx);
        EXPECT_EQ(points[i].Dy, before[i].Dy);
        EXPECT_EQ(points[i].Dh, before[i].Dh);
    }
    for (std::size_t i = 3; i < points.size(); ++i) {
        SCOPED_TRACE(points[i].NewPtName);
        EXPECT_EQ(points[i].B, before[i].B);
        EXPECT_EQ(points[i].L, before[i].L);
    }
}

TEST(FillLatLon, LacksLatLon) {
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_TRUE(LacksLatLon(Point("a", 1, 1)));
    EXPECT_TRUE(LacksLatLon(Point("a", 1, 1, 30, inf)));
    EXPECT_FALSE(LacksLatLon(Point("a", 1, 1, 30, 0)));
    EXPECT_FALSE(LacksLatLon(Point("a", 1, 1, 0, 114)));
}

}  // namespace
}  // namespace linvara::import
