#include <gtest/gtest.h>

#include <filesystem>

#include "db/merge_target_database.h"
#include "db/project_database.h"
#include "support/file_triggers.h"
#include "support/project_file.h"
#include "support/recording_reporter.h"
#include "support/temp_dir.h"

namespace linvara::testing {
namespace {

class MergeTargetDatabaseTest : public ::testing::Test {
protected:
    FileTriggersRun triggers;  // failed appends are made with triggers
    TempDir dir;
    std::string target = dir.File("Merged.PD");
    RecordingReporter reporter;
    ProjectDatabase db{reporter};
    MergeTargetDatabase merged{reporter};
};

DHPoint MergedPoint(const std::string& gpsId, const std::string& name) {
    DHPoint p;
    p.GPS_ID = gpsId;
    p.NewPtName = name;
    p.OrgPtName = name + "o";
    return p;
}

TEST_F(MergeTargetDatabaseTest, TargetIsCreatedWithAllThreeTables) {
    const Status noPath = merged.Open("");
    EXPECT_FALSE(noPath);
    EXPECT_EQ(noPath.message(), "未选择合并文件");
    ASSERT_TRUE(IsOk(merged.Open(target)));
    for (const char* table : {"Electric_DH_Export", "Electric_DH_Order", "Electric_Data_TG"})
        EXPECT_TRUE(HasTable(target, table)) << table;
    ASSERT_TRUE(IsOk(db.OpenProject(target)));
    EXPECT_TRUE(StakeList(db).empty());
    EXPECT_TRUE(reporter.messages.empty());
}

TEST_F(MergeTargetDatabaseTest, AppendedPointsKeepIdentityAndFormatRounding) {
    ASSERT_TRUE(IsOk(merged.Open(target)));
    DHPoint p = MergedPoint("17_West", "J1");
    p.Mileage = 10.12345;
    p.B = 30.123456789012;
    p.CrossAngle = 35.5;
    p.AddHight = 1.23456;
    p.Code = "公路";
    MergeTargetIndex index;
    AppendCounts counts;
    ASSERT_TRUE(IsOk(merged.ReadIndex(index)));
    ASSERT_TRUE(IsOk(merged.AppendProject({p}, {}, index, counts)));
    // A second source: its order rows after the rows already there; a GPS_ID
    // the target holds is left out.
    ASSERT_TRUE(IsOk(merged.AppendProject({MergedPoint("18_West", "J2"), MergedPoint("17_West", "X")}, {}, index, counts)));
    EXPECT_EQ(counts.points, 2u);
    EXPECT_EQ(counts.skippedPoints, 1u);

    const std::string where = " from Electric_DH_Export where GPS_ID='17_West'";
    EXPECT_EQ(Scalar(target, "select HostIMEI || '|' || OrgPtName || '|' || NewPtName" + where), "17_West|J1o|J1");
    EXPECT_EQ(Scalar(target, "select Mileage = 10.123 and B = 30.123456789" + where), "1");
    EXPECT_EQ(Scalar(target, "select typeof(CrossAngle) || CrossAngle || typeof(GLWide) || GLWide || "
                             "typeof(AddHight) || AddHight" + where),
              "real35.5real0.0real1.2346");
    EXPECT_EQ(Scalar(target, "select typeof(PoleName) || typeof(PoleModel) || PoleModel" + where), "texttext");
    EXPECT_EQ(Scalar(target, "select group_concat(GPS_ID || '|' || Order_OrgPtName, ',') from Electric_DH_Order"),
              "17_West|J1o,18_West|J2o");

    ASSERT_TRUE(IsOk(db.OpenProject(target)));
    const DHPointList list = StakeList(db);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].Code, "公路");
    EXPECT_EQ(list[1].GPS_ID, "18_West");
}

// Tower-base texts travel as the bytes the source stored.
TEST_F(MergeTargetDatabaseTest, TowerBaseRowsAreCopiedByteForByte) {
    const std::string source = dir.File("S.PD");
    CollectorTowerRow row;
    row.name = "塔1";
    row.code = "地面";
    row.pegName = "J1";
    row.subIndex = 2;
    row.h = 12.5;
    row.midh = 10;
    row.pegDis = -3.25;
    WriteCollectorProject(source, {Point("1", "J1", 0)}, {row});
    ASSERT_TRUE(IsOk(db.OpenProject(source)));
    std::vector<TGDataUnit> rows;
    ASSERT_TRUE(IsOk(db.ReadTowerBaseRows(rows)));
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].Name, "塔1");
    EXPECT_EQ(rows[0].SubIndex, 2);
    EXPECT_EQ(rows[0].HDiff, 2.5);

    ASSERT_TRUE(IsOk(merged.Open(target)));
    MergeTargetIndex index;
    AppendCounts counts;
    ASSERT_TRUE(IsOk(merged.ReadIndex(index)));
    ASSERT_TRUE(IsOk(merged.AppendProject({}, rows, index, counts)));
    ASSERT_TRUE(IsOk(merged.AppendProject({}, rows, index, counts)));  // already there: left out
    EXPECT_EQ(counts.towerRows, 1u);
    EXPECT_EQ(counts.skippedTowerRows, 1u);
    EXPECT_EQ(Scalar(target, "select hex(Name) || '|' || hex(Code) || '|' || PegName || '|' || SubIndex || '|' || "
                             "PegDis || '|' || typeof(HDiff) || typeof(GPS_ID) || typeof(HostIMEI) "
                             "from Electric_Data_TG"),
              Scalar(source, "select hex(Name) || '|' || hex(Code) || '|' || PegName || '|' || SubIndex || '|' || "
                             "PegDis || '|nullnullnull' from Electric_Data_TG"));
    EXPECT_TRUE(reporter.messages.empty());
}

TEST_F(MergeTargetDatabaseTest, SourceWithoutTowerBaseTableGivesNoRows) {
    const std::string source = dir.File("S.PD");
    WriteCollectorProject(source, {Point("1", "J1", 0)});
    Exec(source, "DROP TABLE Electric_Data_TG");
    ASSERT_TRUE(IsOk(db.OpenProject(source)));
    std::vector<TGDataUnit> rows(1);
    EXPECT_TRUE(IsOk(db.ReadTowerBaseRows(rows)));
    EXPECT_TRUE(rows.empty());
    EXPECT_TRUE(reporter.messages.empty());
}

// A failed append names the target and SQLite's reason, and appends nothing
// of the source: a trigger on any one table lets its first row in and stops
// the second, and the source's rows in the other tables go too.
TEST_F(MergeTargetDatabaseTest, FailedAppendsNameTheCauseAndAppendNothing) {
    ASSERT_TRUE(IsOk(merged.Open(target)));
    const std::vector<std::string> tables = {"Electric_DH_Export", "Electric_DH_Order", "Electric_Data_TG"};
    const DHPointList two = {MergedPoint("1_A", "J1"), MergedPoint("2_A", "J2")};
    std::vector<TGDataUnit> rows(2);
    rows[1].Name = "another";
    const std::string message = "合并数据文件失败：" + target + "（one row only）";
    for (const std::string& stopping : tables) {
        Exec(target, "CREATE TRIGGER one BEFORE INSERT ON " + stopping + " WHEN (SELECT count(*) FROM " + stopping +
                         ") > 0 BEGIN SELECT RAISE(ABORT, 'one row only'); END");
        MergeTargetIndex index;
        AppendCounts counts;
        ASSERT_TRUE(IsOk(merged.ReadIndex(index)));
        EXPECT_EQ(merged.AppendProject(two, rows, index, counts).message(), message) << stopping;
        for (const std::string& table : tables)
            EXPECT_EQ(Scalar(target, "select count(*) from " + table), "0") << stopping << ": " << table;
        EXPECT_TRUE(index.gpsIds.empty() && index.towerRows.empty()) << "the index follows only what was committed";
        EXPECT_EQ(counts.points, 0u);
        Exec(target, "DROP TRIGGER one");
    }
    EXPECT_TRUE(reporter.messages.empty());
}

}  // namespace
}  // namespace linvara::testing
