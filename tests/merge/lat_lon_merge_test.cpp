// A point whose B/L an edit left behind stays marked when its project is
// merged into another.
#include <gtest/gtest.h>

#include "check/project_check.h"
#include "merge/project_merge.h"
#include "project/project.h"
#include "support/project_file.h"
#include "support/recording_reporter.h"
#include "support/temp_dir.h"

namespace linvara::testing {
namespace {

void WriteStakes(const std::string& path, const std::string& prefix) {
    std::vector<CollectorPoint> points;
    for (int i = 0; i < 2; ++i) {
        CollectorPoint p = Surveyed(prefix + std::to_string(i), prefix + "J" + std::to_string(i + 1), JStake, 1000,
                                    500 + 300.0 * i);
        p.latitude = 30.5;
        p.longitude = 114.2 + 0.003 * i;
        points.push_back(p);
    }
    WriteCollectorProject(path, points);
}

std::vector<std::string> StaleIn(const std::string& path) {
    RecordingReporter reporter;
    Project project(reporter);
    EXPECT_TRUE(IsOk(project.Open(path)));
    std::vector<std::string> out;
    for (const check::Finding& f : check::CheckProject(project.Points(), {}, {}, project.LatLon()))
        if (std::string(f.rule) == "latlon-stale") out.push_back(f.point);
    return out;
}

TEST(MergeLatLonOrigins, AMovedPointStaysMarkedInTheTarget) {
    TempDir dir, out;
    WriteStakes(dir.File("a.PD"), "a");
    WriteStakes(dir.File("b.PD"), "b");
    {
        RecordingReporter reporter;
        Project a(reporter);
        ASSERT_TRUE(IsOk(a.Open(dir.File("a.PD"))));
        DHPoint moved = a.Points()[1];
        moved.Dx += 20;
        ASSERT_TRUE(IsOk(a.EditPoint(moved)));
    }
    const std::string target = out.File("all.PD");
    for (int round = 0; round < 2; ++round) {
        RecordingReporter reporter;
        EXPECT_EQ(MergeProjects(dir.path().string(), ListProjectFiles(dir.path().string()), target, reporter),
                  MergeResult::Done);
        EXPECT_EQ(StaleIn(target), std::vector<std::string>{"aJ2"});
        EXPECT_EQ(Scalar(target, "SELECT count(*) FROM Linvara_LatLonOrigin"), "1") << "merging again adds nothing";
    }
}

}  // namespace
}  // namespace linvara::testing
