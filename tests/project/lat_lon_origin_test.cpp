// What a project keeps about its B/L: where a moved point's B/L were right
// (so a check finds them stale and taking the move back makes them right
// again), and the coordinate system it was told, each written with the edit
// that brings it and read back by the next open.
#include <gtest/gtest.h>

#include "check/project_check.h"
#include "project/project.h"
#include "support/named_point.h"
#include "support/project_file.h"
#include "support/recording_reporter.h"
#include "support/temp_dir.h"

namespace linvara::testing {
namespace {

// J1 -> Z1 -> J2 with the collector's B/L.
void WriteLine(const std::string& path) {
    std::vector<CollectorPoint> points = {Surveyed("1", "J1", JStake, 1000, 500), Surveyed("2", "Z1", ZStake, 1000, 700),
                                          Surveyed("3", "J2", JStake, 1000, 900)};
    for (std::size_t i = 0; i < points.size(); ++i) {
        points[i].latitude = 30.5;
        points[i].longitude = 114.2 + 0.002 * static_cast<double>(i);
    }
    WriteCollectorProject(path, points);
}

// "rule name" of every latlon-stale finding.
std::vector<std::string> Stale(const Project& project) {
    std::vector<std::string> out;
    for (const check::Finding& f : check::CheckProject(project.Points(), {}, {}, project.LatLon()))
        if (std::string(f.rule) == "latlon-stale") out.push_back(f.point);
    return out;
}

TEST(LatLonOrigin, AMoveLeavingBLBehindIsFoundUntilItIsTakenBack) {
    TempDir dir;
    const std::string path = dir.File("line.PD");
    WriteLine(path);
    RecordingReporter reporter;
    Project project(reporter);
    ASSERT_TRUE(IsOk(project.Open(path)));
    const DHPoint was = Named(project, "Z1");
    DHPoint moved = was;
    moved.Dy += 12;
    ASSERT_TRUE(IsOk(project.EditPoint(moved)));
    EXPECT_EQ(Stale(project), std::vector<std::string>{"Z1"});

    // Kept in the file: another program (or the next start) finds it too.
    Project reopened(reporter);
    ASSERT_TRUE(IsOk(reopened.Open(path)));
    EXPECT_EQ(Stale(reopened), std::vector<std::string>{"Z1"});
    EXPECT_EQ(Scalar(path, "SELECT count(*) FROM Linvara_LatLonOrigin"), "1");

    // Moving it further records nothing new; moving it back (undo) leaves nothing stale.
    moved.Dy += 5;
    ASSERT_TRUE(IsOk(reopened.EditPoint(moved)));
    EXPECT_EQ(Stale(reopened), std::vector<std::string>{"Z1"});
    ASSERT_TRUE(IsOk(reopened.EditPoint(was)));
    EXPECT_TRUE(Stale(reopened).empty());
    EXPECT_EQ(Scalar(path, "SELECT count(*) FROM Linvara_LatLonOrigin"), "1");

    // B/L typed with the move are the user's: nothing stale.
    DHPoint typed = was;
    typed.Dy += 12;
    typed.L += 0.0001;
    ASSERT_TRUE(IsOk(reopened.EditPoint(typed)));
    EXPECT_TRUE(Stale(reopened).empty());
    EXPECT_TRUE(reporter.messages.empty());
}

TEST(LatLonOrigin, AProjectNobodyMovedKeepsItsTables) {
    TempDir dir;
    const std::string path = dir.File("line.PD");
    WriteLine(path);
    RecordingReporter reporter;
    Project project(reporter);
    ASSERT_TRUE(IsOk(project.Open(path)));
    project.AutoOrder();
    DHPoint renamed = Named(project, "Z1");
    renamed.Code = "DL";
    ASSERT_TRUE(IsOk(project.EditPoint(renamed)));
    ASSERT_TRUE(IsOk(project.Save()));
    EXPECT_FALSE(HasTable(path, "Linvara_LatLonOrigin"));
    EXPECT_FALSE(HasTable(path, "Linvara_CoordinateSystem"));
    EXPECT_FALSE(project.LatLon().system);
}

TEST(LatLonOrigin, TheSystemComesWithTheListThatWasComputedInIt) {
    TempDir dir;
    const std::string path = dir.File("line.PD");
    WriteLine(path);
    RecordingReporter reporter;
    Project project(reporter);
    ASSERT_TRUE(IsOk(project.Open(path)));
    const CoordinateSystem system{"CGCS2000 高斯-克吕格，中央子午线114°，东坐标加500 km",
                                  "+proj=tmerc +lat_0=0 +lon_0=114 +k=1 +x_0=500000 +y_0=0 +a=6378137 "
                                  "+rf=298.257222101 +units=m +no_defs",
                                  {38, 19}};
    DHPointList list = project.Points();
    list[0].B = 30.25;
    ASSERT_TRUE(IsOk(project.RestoreList(list, &system)));
    EXPECT_EQ(project.LatLon().system, system);
    Project reopened(reporter);
    ASSERT_TRUE(IsOk(reopened.Open(path)));
    EXPECT_EQ(reopened.LatLon().system, system);
    EXPECT_EQ(reopened.Points()[0].B, 30.25);
    EXPECT_EQ(Scalar(path, "SELECT ZonePrefixes FROM Linvara_CoordinateSystem"), "38,19");
}

}  // namespace
}  // namespace linvara::testing
