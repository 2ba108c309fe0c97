#include "model/geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "support/survey_points.h"

namespace linvara {
namespace {

using testing::PlanePoint;

DHPoint At(double north, double east) { return PlanePoint("p", AuxPoint, north, east); }

TEST(Geometry, AzimuthRunsFromNorthTowardsEastAndNeverIsZero) {
    struct Case {
        double north, east, bearing, azimuth;
    } cases[] = {
        {1, 0, 0, 360},  // due north is 360
        {0, 1, 90, 90},
        {-1, 0, 180, 180},
        {0, -1, -90, 270},
        {1, -1, -45, 315},
        {1, 1e-9, 5.729578e-8, 5.729578e-8},  // a hair east of north comes back below 1e-6
    };
    for (const Case& c : cases) {
        EXPECT_NEAR(Bearing(At(0, 0), At(c.north, c.east)), c.bearing, 1e-9) << c.north << "," << c.east;
        EXPECT_NEAR(Azimuth(At(0, 0), At(c.north, c.east)), c.azimuth, 1e-9) << c.north << "," << c.east;
    }
}

TEST(Geometry, DistancesAgreeOnOrdinaryPoints) {
    EXPECT_EQ(PlaneDistance(At(1, 2), At(4, 6)), 5);
    EXPECT_EQ(HypotDistance(At(1, 2), At(4, 6)), 5);
    EXPECT_EQ(PlaneDistance(At(0, 0), At(0, 0)), 0);
}

TEST(Geometry, PackDmsKeepsTheSignInEveryPart) {
    struct Case {
        double degrees, packed;
    } cases[] = {
        {12.5, 12.30},
        {-12.5, -12.30},
        {30 + 15 / 60.0 + 10 / 3600.0, 30.1510},
        {-(0.25 + 1 / 3600.0), -0.1501},
        {0, 0},
        {180, 180},
    };
    for (const Case& c : cases) EXPECT_NEAR(PackDms(c.degrees), c.packed, 1e-9) << c.degrees;
}

// A point 100 m from `from` in the direction `azimuth` (degrees).
DHPoint Ahead(const DHPoint& from, double azimuth) {
    const double a = azimuth * std::numbers::pi / 180;
    return At(from.Dx + 100 * std::cos(a), from.Dy + 100 * std::sin(a));
}

TEST(Geometry, TurningAngleIsPositiveToTheRightAndWrapsThroughNorth) {
    const DHPoint o = At(0, 0);
    struct Case {
        const char* what;
        DHPoint before, at, after;
        double packed;
    } cases[] = {
        {"right", o, At(100, 0), At(100, 100), 90},
        {"left", o, At(100, 0), At(100, -100), -90},
        {"straight on", o, At(100, 0), At(200, 0), 0},
        {"left 30 deg 15 min 10 sec", o, Ahead(o, 90), Ahead(Ahead(o, 90), 90 - (30 + 15 / 60.0 + 10 / 3600.0)),
         -30.1510},
        {"right 30 across north", o, Ahead(o, 350), Ahead(Ahead(o, 350), 20), 30},
        {"left 30 across north", o, Ahead(o, 20), Ahead(Ahead(o, 20), 350), -30},
        {"back from heading east", o, At(0, 100), o, 180},
        {"back from heading north", o, At(100, 0), o, -180},  // north is 360, so the turn comes out as -180
    };
    for (const Case& c : cases) EXPECT_NEAR(TurningAngle(c.before, c.at, c.after), c.packed, 1e-9) << c.what;
}

}  // namespace
}  // namespace linvara
