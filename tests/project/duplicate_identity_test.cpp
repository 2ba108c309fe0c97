// Points that share a GPS_ID, from the collector or from an earlier damaged
// save, are listed once each and never multiply through saves.
#include <SQLiteCpp/SQLiteCpp.h>
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "project/project.h"
#include "support/collector_fixture.h"
#include "support/project_file.h"
#include "support/recording_reporter.h"
#include "support/temp_dir.h"

namespace linvara {
namespace {

using testing::FirstColumn;
using testing::IsOk;
using testing::Point;
using testing::RecordingReporter;
using testing::Scalar;
using testing::TempDir;
using testing::WriteCollectorProject;

std::vector<testing::CollectorPoint> LineWithRepeatedIdentity(int repeats) {
    std::vector<testing::CollectorPoint> points{Point("g1", "J1", JStake, 0, 0), Point("g2", "J2", JStake, 0, 100)};
    for (int i = 0; i < repeats; ++i) points.push_back(Point("dup", "Z" + std::to_string(i + 1), ZStake, 1, 50 + i));
    return points;
}

std::set<std::string> Distinct(const std::vector<std::string>& values) { return {values.begin(), values.end()}; }

// A collector identity that repeats k times in both tables joins k² rows.
TEST(DuplicateIdentity, SeedingPairsCollectorRowsOneToOne) {
    for (int repeats : {2, 3}) {
        TempDir dir;
        const std::string path = dir.File("p.PD");
        WriteCollectorProject(path, LineWithRepeatedIdentity(repeats));
        RecordingReporter reporter;
        Project project(reporter);
        ASSERT_TRUE(IsOk(project.Open(path)));
        EXPECT_EQ(project.Points().size(), 2u + repeats);
        const std::vector<std::string> ids = FirstColumn(path, "SELECT GPS_ID FROM Electric_DH_Export");
        EXPECT_EQ(ids.size(), 2u + repeats);
        EXPECT_EQ(Distinct(ids).size(), ids.size());
        std::vector<std::string> names;
        for (const DHPoint& p : project.Points()) names.push_back(p.NewPtName);
        EXPECT_EQ(Distinct(names).size(), names.size()) << "each collector row once";
        EXPECT_EQ(reporter.Texts(),
                  std::vector<std::string>{std::to_string(repeats - 1) + "个点的GPS_ID与其他点重复，已重新编号。"});
    }
}

TEST(DuplicateIdentity, RepeatedOrderingNeverMultipliesTheList) {
    TempDir dir;
    const std::string path = dir.File("p.PD");
    WriteCollectorProject(path, LineWithRepeatedIdentity(2));
    for (int round = 0; round < 4; ++round) {
        SilentReporter silent;
        Project project(silent);
        ASSERT_TRUE(IsOk(project.Open(path)));
        EXPECT_EQ(project.Points().size(), 4u) << "round " << round;
        project.AutoOrder();
        ASSERT_TRUE(IsOk(project.Save()));
    }
    EXPECT_EQ(Scalar(path, "SELECT count(*) FROM Electric_DH_Order"), "4");
}

// Working tables as an earlier version left them: two export rows share an
// identity and the order table names it twice (4 join rows for 2 points).
TEST(DuplicateIdentity, DamagedTablesListEachPointOnceAndTheSaveRepairsThem) {
    TempDir dir;
    const std::string path = dir.File("p.PD");
    WriteCollectorProject(path, {Point("g1", "J1", JStake, 0, 0), Point("g2", "J2", JStake, 0, 100),
                                 Point("g3", "Z1", ZStake, 1, 50)});
    {
        SilentReporter silent;
        Project seeded(silent);
        ASSERT_TRUE(IsOk(seeded.Open(path)));
    }
    {
        SQLite::Database db(path, SQLite::OPEN_READWRITE);
        db.exec("UPDATE Electric_DH_Export SET GPS_ID='g2_p' WHERE NewPtName='Z1';"
                "UPDATE Electric_DH_Order SET GPS_ID='g2_p' WHERE Order_NewPtName='Z1';");
    }
    RecordingReporter reporter;
    Project project(reporter);
    ASSERT_TRUE(IsOk(project.Open(path)));
    ASSERT_EQ(project.Points().size(), 3u);
    EXPECT_EQ(reporter.Texts(),
              std::vector<std::string>{"1个点的GPS_ID与其他点重复，已重新编号，保存后写入工程文件。"});
    EXPECT_TRUE(project.IsModified());
    ASSERT_TRUE(IsOk(project.Save()));
    const std::vector<std::string> ids = FirstColumn(path, "SELECT GPS_ID FROM Electric_DH_Export ORDER BY ID");
    EXPECT_EQ(Distinct(ids).size(), 3u);
    EXPECT_EQ(FirstColumn(path, "SELECT GPS_ID FROM Electric_DH_Order ORDER BY Order_ID").size(), 3u);
    RecordingReporter again;
    Project reopened(again);
    ASSERT_TRUE(IsOk(reopened.Open(path)));
    EXPECT_EQ(reopened.Points().size(), 3u);
    EXPECT_TRUE(again.Texts().empty()) << "repaired for good";
}

}  // namespace
}  // namespace linvara
