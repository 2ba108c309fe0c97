// Gauss-Krueger conversion against PROJ's own cs2cs, and back again.
#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>

#include "import/gauss_kruger.h"

namespace linvara {
namespace {

constexpr const char* kGeographic = "+proj=longlat +a=6378137 +rf=298.257222101 +no_defs";

struct Plane {
    double north, east;
};

struct Zone {
    const char* what;
    GaussKrugerZone zone;
    std::vector<Plane> points;
};

std::vector<Zone> Zones() {
    GaussKrugerZone noFalseEasting = ZoneOfMeridian(117);
    noFalseEasting.falseEasting = false;
    return {
        {"114°E", ZoneOfMeridian(114), {{3380000, 500000}, {3381234.5678, 512345.6789}, {2500000.25, 380000.75}}},
        {"zone 20 of 6°", ZoneOfNumber(20, 6), {{4420000, 720000}, {4420000, 20300000}}},
        {"117°E without false easting", noFalseEasting, {{3900000, -150000.5}, {3900000, 85000}}},
    };
}

// Longitude and latitude of each point as cs2cs computes them.
std::vector<std::pair<double, double>> Cs2cs(const GaussKrugerZone& zone, const std::vector<Plane>& points,
                                             const GaussKruger& gk) {
    std::string input;
    for (const Plane& p : points) {
        double east = 0;
        EXPECT_TRUE(gk.StripZonePrefix(p.east, east));
        input += " '" + std::to_string(east) + " " + std::to_string(p.north) + "'";
    }
    const std::string command = "printf '%s\\n'" + input + " | cs2cs -f %.12f " + ProjDefinition(zone) + " +to " + kGeographic;
    FILE* pipe = ::popen(command.c_str(), "r");
    std::vector<std::pair<double, double>> out;
    if (!pipe) return out;
    char line[256];
    while (std::fgets(line, sizeof line, pipe)) {
        std::istringstream fields(line);
        double lon = 0, lat = 0;
        if (fields >> lon >> lat) out.emplace_back(lon, lat);
    }
    ::pclose(pipe);
    return out;
}

TEST(GaussKruger, AgreesWithCs2cs) {
    if (!GaussKruger::Available()) GTEST_SKIP() << GaussKruger::kNotInThisBuild;
    if (std::system("command -v cs2cs >/dev/null 2>&1") != 0) GTEST_SKIP() << "cs2cs (proj-bin) is not installed";
    for (const Zone& z : Zones()) {
        std::string error;
        const auto gk = GaussKruger::Create(z.zone, error);
        ASSERT_TRUE(gk) << error;
        const auto expected = Cs2cs(z.zone, z.points, *gk);
        ASSERT_EQ(expected.size(), z.points.size()) << z.what;
        for (std::size_t i = 0; i < z.points.size(); ++i) {
            double lat = 0, lon = 0;
            ASSERT_TRUE(gk->ToGeographic(z.points[i].north, z.points[i].east, lat, lon)) << z.what;
            EXPECT_NEAR(lon, expected[i].first, 1e-9) << z.what << " point " << i;
            EXPECT_NEAR(lat, expected[i].second, 1e-9) << z.what << " point " << i;
        }
    }
}

TEST(GaussKruger, PlaneToGeographicAndBackWithinAMillimetre) {
    if (!GaussKruger::Available()) GTEST_SKIP() << GaussKruger::kNotInThisBuild;
    for (const Zone& z : Zones()) {
        std::string error;
        const auto gk = GaussKruger::Create(z.zone, error);
        ASSERT_TRUE(gk) << error;
        for (const Plane& p : z.points) {
            double lat = 0, lon = 0, north = 0, east = 0, plain = 0;
            ASSERT_TRUE(gk->ToGeographic(p.north, p.east, lat, lon));
            ASSERT_TRUE(gk->ToPlane(lat, lon, north, east));
            ASSERT_TRUE(gk->StripZonePrefix(p.east, plain));
            EXPECT_NEAR(north, p.north, 1e-3) << z.what;
            EXPECT_NEAR(east, plain, 1e-3) << z.what;
        }
    }
}

// Coordinate systems given by code come from PROJ's database: installed with
// PROJ on Linux, shipped in share/proj beside the programs on Windows.
TEST(GaussKruger, FindsProjDatabase) {
    if (!GaussKruger::Available()) GTEST_SKIP() << GaussKruger::kNotInThisBuild;
    std::string error;
    const CoordinateSystem byCode{"CGCS2000 / 3-degree Gauss-Kruger CM 114E", "EPSG:4547", {}};
    EXPECT_NE(GaussKruger::Create(byCode, error), nullptr) << error;
}

TEST(GaussKruger, ZonesAndTheirPrefixes) {
    struct Case {
        GaussKrugerZone zone;
        double meridian;
        std::vector<int> prefixes;
    } cases[] = {
        {ZoneOfMeridian(114), 114, {38}},       // 3° zone 38; not a 6° meridian
        {ZoneOfMeridian(117), 117, {39, 20}},   // 3° zone 39 and 6° zone 20
        {ZoneOfMeridian(114.5), 114.5, {}},
        {ZoneOfNumber(38, 3), 114, {38}},
        {ZoneOfNumber(19, 6), 111, {19}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.zone.centralMeridian, c.meridian);
        EXPECT_EQ(c.zone.zonePrefixes, c.prefixes) << c.meridian;
    }
    EXPECT_EQ(ProjDefinition(ZoneOfMeridian(114)),
              "+proj=tmerc +lat_0=0 +lon_0=114 +k=1 +x_0=500000 +y_0=0 +a=6378137 +rf=298.257222101 +units=m +no_defs");
}

}  // namespace
}  // namespace linvara
