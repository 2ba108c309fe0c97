// latlon-stale: B/L that no longer match x/y, measured through the project's
// coordinate system, or found where a move left them behind; on the command
// line for a project imported in a zone.
#include <gtest/gtest.h>

#include "check/check_fixture.h"
#include "import/gauss_kruger.h"
#include "support/cli_runner.h"
#include "support/project_file.h"
#include "support/temp_dir.h"
#include "text/format.h"

namespace linvara::testing {
namespace {

std::vector<const check::Finding*> StaleOf(const check::Findings& findings) {
    std::vector<const check::Finding*> out;
    for (const check::Finding& f : findings)
        if (std::string(f.rule) == "latlon-stale") out.push_back(&f);
    return out;
}

TEST(LatLonStale, AMoveAwayFromWhereBLWereRightIsAWarningNamingThePoint) {
    CheckFixture f = CleanRoute();
    LatLonBasis basis;
    const DHPoint& z1 = f["Z1"];
    basis.origins.push_back({z1.GPS_ID, z1.B, z1.L, z1.Dx, z1.Dy});
    EXPECT_TRUE(StaleOf(check::CheckProject(f.points, f.towerBase, {}, basis)).empty());
    f["Z1"].Dy += 0.45;  // within half a metre
    EXPECT_TRUE(StaleOf(check::CheckProject(f.points, f.towerBase, {}, basis)).empty());
    f["Z1"].Dy += 2;
    const check::Findings findings = check::CheckProject(f.points, f.towerBase, {}, basis);
    const auto stale = StaleOf(findings);
    ASSERT_EQ(stale.size(), 1u);
    EXPECT_EQ(stale[0]->severity, check::Severity::Warning);
    EXPECT_EQ(stale[0]->point, "Z1");
    EXPECT_EQ(stale[0]->row, 1);
    EXPECT_EQ(stale[0]->message, "Z桩的坐标已移动2.45 m，经纬度未随之更新，KML文件和成果表中该点位置错误");
    // Without what the project knows, nothing to compare with.
    EXPECT_TRUE(StaleOf(f.Run()).empty());
}

TEST(LatLonStale, ThroughTheProjectsSystem) {
    if (!GaussKruger::Available()) GTEST_SKIP() << GaussKruger::kNotInThisBuild;
    CheckFixture f;
    LatLonBasis basis;
    basis.system = CoordinateSystemOf(ZoneOfMeridian(114));
    std::string error;
    const auto gk = GaussKruger::Create(*basis.system, error);
    ASSERT_TRUE(gk) << error;
    for (const char* name : {"J1", "J2", "J3"}) {
        DHPoint p = PlanePoint(name, JStake, 3380000, 500000 + 100.0 * static_cast<double>(f.points.size()));
        ASSERT_TRUE(gk->ToGeographic(p.Dx, p.Dy, p.B, p.L));
        f.points.push_back(p);
    }
    f["J2"].Dx += 7.5;
    f["J3"].Dy += 39e6;  // another zone's number in front
    const check::Findings findings = check::CheckProject(f.points, f.towerBase, {}, basis);
    const auto stale = StaleOf(findings);
    ASSERT_EQ(stale.size(), 2u);
    EXPECT_EQ(stale[0]->message, "J桩的经纬度与坐标相差7.50 m（工程坐标系：CGCS2000 高斯-克吕格，中央子午线114°，"
                                 "东坐标加500 km），KML文件和成果表中该点位置错误");
    EXPECT_EQ(stale[1]->point, "J3");
    EXPECT_EQ(stale[1]->message, "J桩的坐标不在工程坐标系（CGCS2000 高斯-克吕格，中央子午线114°，东坐标加500 km）"
                                 "的投影带中，经纬度与坐标无法对应");
}

// A file whose J2 carries J1's latitude/longitude, imported in the zone it
// was surveyed in: the project remembers the zone and check finds J2.
TEST(LatLonStale, CheckCommandFindsBLThatDoNotMatchAnImportsZone) {
    if (!GaussKruger::Available()) GTEST_SKIP() << GaussKruger::kNotInThisBuild;
    std::string error;
    const auto gk = GaussKruger::Create(ZoneOfMeridian(114), error);
    ASSERT_TRUE(gk) << error;
    double b1 = 0, l1 = 0, b2 = 0, l2 = 0;
    ASSERT_TRUE(gk->ToGeographic(3380000, 500000, b1, l1));
    ASSERT_TRUE(gk->ToGeographic(3380000, 500500, b2, l2));
    TempDir dir;
    for (const bool mismatch : {false, true}) {
        SCOPED_TRACE(mismatch ? "J2 with J1's B/L" : "all right");
        const std::string csv = dir.File("line.csv"), pd = dir.File(mismatch ? "bad.PD" : "good.PD");
        WriteFileBytes(csv, text::Format("J1,3380000,500000,40,%.10f,%.10f\nJ2,3380000,500500,41,%.10f,%.10f\n", b1, l1,
                                         mismatch ? b1 : b2, mismatch ? l1 : l2));
        const CliRun imported = RunCommandLine(LINVARA_CLI, dir.Utf8(),
                                               "import '" + csv + "' -o '" + pd +
                                                   "' --columns name,x,y,h,lat,lon --central-meridian 114 --force");
        ASSERT_EQ(imported.exitCode, 0) << imported.err;
        EXPECT_EQ(Scalar(pd, "SELECT Name FROM Linvara_CoordinateSystem"),
                  "CGCS2000 高斯-克吕格，中央子午线114°，东坐标加500 km");
        const CliRun run = RunCommandLine(LINVARA_CLI, dir.Utf8(), "check '" + pd + "'");
        const std::string line = "警告\tlatlon-stale\tJ2\t2\tJ桩的经纬度与坐标相差500.00 m（工程坐标系：CGCS2000 "
                                 "高斯-克吕格，中央子午线114°，东坐标加500 km），KML文件和成果表中该点位置错误\n";
        EXPECT_EQ(run.out.find(line) != std::string::npos, mismatch) << run.out;
        EXPECT_EQ(run.out.find("latlon-stale") != std::string::npos, mismatch) << run.out;
    }
}

}  // namespace
}  // namespace linvara::testing
