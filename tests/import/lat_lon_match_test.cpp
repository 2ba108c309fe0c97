// B/L that follow an edit of x/y where the project knows its coordinate
// system, and the points whose B/L an edit left behind.
#include <gtest/gtest.h>

#include <cmath>
#include <optional>

#include "import/gauss_kruger.h"
#include "import/lat_lon_match.h"

namespace linvara::import {
namespace {

const CoordinateSystem& Zone38() {
    static const CoordinateSystem system = CoordinateSystemOf(ZoneOfNumber(38, 3));  // 114°E, prefix 38
    return system;
}

// A point at x/y with the B/L the zone gives there.
DHPoint At(const char* id, double north, double east) {
    DHPoint p;
    p.GPS_ID = id;
    p.NewPtName = id;
    p.Dx = north;
    p.Dy = east;
    std::string error;
    const auto gk = GaussKruger::Create(Zone38(), error);
    EXPECT_TRUE(gk && gk->ToGeographic(north, east, p.B, p.L)) << error;
    return p;
}

TEST(CoordinateSystemOf, NamesTheZoneAndKeepsItsPrefixes) {
    const CoordinateSystem system = CoordinateSystemOf(ZoneOfNumber(38, 3));
    EXPECT_EQ(system.name, "CGCS2000 高斯-克吕格，中央子午线114°，东坐标加500 km");
    EXPECT_EQ(system.definition, ProjDefinition(ZoneOfNumber(38, 3)));
    EXPECT_EQ(system.zonePrefixes, std::vector<int>{38});
    GaussKrugerZone plain = ZoneOfMeridian(117);
    plain.falseEasting = false;
    EXPECT_EQ(CoordinateSystemOf(plain).name, "CGCS2000 高斯-克吕格，中央子午线117°，东坐标不加500 km");
}

TEST(FollowPlane, NewXYCarryTheirBLOnlyWhenTheUserLeftBLAlone) {
    if (!GaussKruger::Available()) GTEST_SKIP() << GaussKruger::kNotInThisBuild;
    const DHPoint was = At("g", 3380000, 500000);
    const DHPoint there = At("g", 3380012.5, 38500030);  // the zone number in front
    struct Case {
        const char* name;
        double north, east, b, l;  // the dialog's values
        bool withSystem;
        bool follows;  // B/L become those of the new x/y
    };
    const Case cases[] = {
        {"moved, B/L left", 3380012.5, 38500030, was.B, was.L, true, true},
        {"moved, B/L typed", 3380012.5, 38500030, 30.1, 114.2, true, false},
        {"not moved", 3380000, 500000, was.B, was.L, true, false},
        {"no system", 3380012.5, 38500030, was.B, was.L, false, false},
        {"another zone's number", 3380012.5, 39500030, was.B, was.L, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DHPoint edited = was;
        edited.Dx = c.north;
        edited.Dy = c.east;
        edited.B = c.b;
        edited.L = c.l;
        const DHPoint out = FollowPlane(was, edited, c.withSystem ? std::optional(Zone38()) : std::nullopt);
        EXPECT_EQ(out.Dx, c.north);
        EXPECT_EQ(out.Dy, c.east);
        EXPECT_EQ(out.B, c.follows ? there.B : c.b);
        EXPECT_EQ(out.L, c.follows ? there.L : c.l);
    }
    // A point without B/L gets none from a move: computing them is 计算经纬度's.
    DHPoint none = was;
    none.B = none.L = 0;
    DHPoint moved = none;
    moved.Dx += 10;
    EXPECT_EQ(FollowPlane(none, moved, Zone38()).B, 0);
}

TEST(FindStaleLatLon, ThroughTheSystemBLMoreThanHalfAMetreFromXY) {
    if (!GaussKruger::Available()) GTEST_SKIP() << GaussKruger::kNotInThisBuild;
    DHPointList points = {At("right", 3380000, 500000), At("near", 3380000, 500100), At("off", 3380000, 500200),
                          At("prefix", 3380000, 500300), At("foreign", 3380000, 500400), At("unplaced", 0, 0)};
    points[1].Dx += 0.4;     // within the tolerance
    points[2].Dy += 3;       // B/L 3 m away
    points[3].Dy += 38e6;    // the same place written with the zone number
    points[4].Dy += 39e6;    // another zone's number
    points[5].B = 30.5;      // never placed: nothing to compare
    points[5].L = 114.2;
    LatLonBasis basis;
    basis.system = Zone38();
    const std::vector<StaleLatLon> stale = FindStaleLatLon(points, basis);
    ASSERT_EQ(stale.size(), 2u);
    EXPECT_EQ(stale[0].row, 2u);
    EXPECT_NEAR(stale[0].distance, 3, 1e-3);
    EXPECT_TRUE(stale[0].bySystem);
    EXPECT_EQ(stale[1].row, 4u);
    EXPECT_TRUE(std::isinf(stale[1].distance));
}

TEST(FindStaleLatLon, WithoutASystemMovesAwayFromWhereBLWereRight) {
    DHPoint p;
    p.GPS_ID = "g";
    p.Dx = 1000;
    p.Dy = 2000;
    p.B = 30.5;
    p.L = 114.25;
    LatLonBasis basis;
    basis.origins = {{"g", 30.5, 114.25, 1000, 2000}, {"other", 30.5, 114.25, 0, 0}};
    struct Case {
        const char* name;
        double north, east, b;
        bool stale;
    };
    const Case cases[] = {
        {"where B/L were right", 1000, 2000, 30.5, false},
        {"moved 0.4 m", 1000.4, 2000, 30.5, false},
        {"moved 5 m", 1003, 2004, 30.5, true},
        {"moved with other B/L", 1003, 2004, 30.6, false},
        {"moved, B as stored to ten decimals", 1003, 2004, 30.50000000004, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DHPoint moved = p;
        moved.Dx = c.north;
        moved.Dy = c.east;
        moved.B = c.b;
        const std::vector<StaleLatLon> stale = FindStaleLatLon({moved}, basis);
        ASSERT_EQ(stale.size(), c.stale ? 1u : 0u);
        if (c.stale) {
            EXPECT_NEAR(stale[0].distance, 5, 1e-9);
            EXPECT_FALSE(stale[0].bySystem);
        }
    }
}

TEST(OriginOfMove, RecordedOnlyForAMoveThatLeavesBLBehind) {
    DHPoint was;
    was.GPS_ID = "g";
    was.Dx = 1000;
    was.Dy = 2000;
    was.B = 30.5;
    was.L = 114.25;
    DHPoint moved = was;
    moved.Dy += 1;
    const std::optional<LatLonOrigin> origin = OriginOfMove(was, moved);
    ASSERT_TRUE(origin);
    EXPECT_EQ(origin->north, 1000);
    EXPECT_EQ(origin->east, 2000);
    EXPECT_EQ(origin->latitude, 30.5);
    DHPoint typed = moved;
    typed.B = 30.6;
    EXPECT_FALSE(OriginOfMove(was, typed));     // the user's new B/L
    EXPECT_FALSE(OriginOfMove(was, was));       // not moved
    DHPoint unplaced = was;
    unplaced.Dx = unplaced.Dy = 0;
    EXPECT_FALSE(OriginOfMove(unplaced, moved));  // B/L never tied to x/y
    DHPoint bare = was;
    bare.B = bare.L = 0;
    DHPoint bareMoved = bare;
    bareMoved.Dy += 1;
    EXPECT_FALSE(OriginOfMove(bare, bareMoved));  // no B/L to leave behind
}

}  // namespace
}  // namespace linvara::import
