#include <gtest/gtest.h>

#include <filesystem>

#include "db/project_database.h"
#include "db_fixture.h"
#include "support/recording_reporter.h"
#include "support/temp_dir.h"

namespace linvara::testing {
namespace {

class MergeOperationsTest : public ::testing::Test {
protected:
    TempDir dir;
    std::string target = dir.File("Merged.PD");
    RecordingReporter reporter;
    CProjectDatabase db{reporter};
};

DHPoint MergedPoint(const std::string& gpsId, const std::string& name) {
    DHPoint p;
    p.GPS_ID = gpsId;
    p.NewPtName = name;
    p.OrgPtName = name + "o";
    return p;
}

TEST_F(MergeOperationsTest, TargetIsCreatedWithAllThreeTables) {
    EXPECT_FALSE(db.OpenMergeTarget(""));
    ASSERT_TRUE(db.OpenMergeTarget(target));
    for (const char* table : {"Electric_DH_Export", "Electric_DH_Order", "Electric_Data_TG"})
        EXPECT_TRUE(HasTable(target, table)) << table;
    ASSERT_TRUE(db.OpenProject(target));  // as the merge does next
    EXPECT_TRUE(db.ReadStakeList().empty());
    EXPECT_TRUE(reporter.messages.empty());
}

TEST_F(MergeOperationsTest, AppendedPointsKeepIdentityAndFormatRounding) {
    ASSERT_TRUE(db.OpenMergeTarget(target));
    ASSERT_TRUE(db.OpenProject(target));
    DHPoint p = MergedPoint("17_West", "J1");
    p.Mileage = 10.12345;
    p.B = 30.123456789012;
    p.CrossAngle = 35.5;
    p.AddHight = 1.23456;
    p.Code = "公路";
    ASSERT_TRUE(db.AppendPoints({p, MergedPoint("18_West", "J2")}));
    ASSERT_TRUE(db.AppendOrder({p}));
    ASSERT_TRUE(db.AppendOrder({MergedPoint("18_West", "J2")}));  // after the rows already there

    const std::string where = " from Electric_DH_Export where GPS_ID='17_West'";
    EXPECT_EQ(Scalar(target, "select HostIMEI || '|' || OrgPtName || '|' || NewPtName" + where), "17_West|J1o|J1");
    EXPECT_EQ(Scalar(target, "select Mileage = 10.123 and B = 30.123456789" + where), "1");
    EXPECT_EQ(Scalar(target, "select typeof(CrossAngle) || CrossAngle || typeof(GLWide) || GLWide || "
                             "typeof(AddHight) || AddHight" + where),
              "real35.5real0.0real1.2346");
    EXPECT_EQ(Scalar(target, "select typeof(PoleName) || typeof(PoleModel) || PoleModel" + where), "texttext");
    EXPECT_EQ(Scalar(target, "select group_concat(GPS_ID || '|' || Order_OrgPtName, ',') from Electric_DH_Order"),
              "17_West|J1o,18_West|J2o");

    const DHPointList merged = db.ReadStakeList();
    ASSERT_EQ(merged.size(), 2u);
    EXPECT_EQ(merged[0].Code, "公路");
    EXPECT_EQ(merged[1].GPS_ID, "18_West");
}

// Tower-base texts travel as the bytes the source stored.
TEST_F(MergeOperationsTest, TowerBaseRowsAreCopiedByteForByte) {
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
    ASSERT_TRUE(db.OpenProject(source));
    const auto rows = db.ReadTowerBaseRows();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].Name, "塔1");
    EXPECT_EQ(rows[0].SubIndex, 2);
    EXPECT_EQ(rows[0].HDiff, 2.5);

    CProjectDatabase merged(reporter);
    ASSERT_TRUE(merged.OpenMergeTarget(target));
    ASSERT_TRUE(merged.OpenProject(target));
    ASSERT_TRUE(merged.AppendTowerBaseRows(rows));
    EXPECT_EQ(Scalar(target, "select hex(Name) || '|' || hex(Code) || '|' || PegName || '|' || SubIndex || '|' || "
                             "PegDis || '|' || typeof(HDiff) || typeof(GPS_ID) || typeof(HostIMEI) "
                             "from Electric_Data_TG"),
              Scalar(source, "select hex(Name) || '|' || hex(Code) || '|' || PegName || '|' || SubIndex || '|' || "
                             "PegDis || '|nullnullnull' from Electric_Data_TG"));
    EXPECT_TRUE(reporter.messages.empty());
}

TEST_F(MergeOperationsTest, SourceWithoutTowerBaseTableGivesNoRows) {
    const std::string source = dir.File("S.PD");
    WriteCollectorProject(source, {Point("1", "J1", 0)});
    Exec(source, "DROP TABLE Electric_Data_TG");
    ASSERT_TRUE(db.OpenProject(source));
    EXPECT_TRUE(db.ReadTowerBaseRows().empty());
    EXPECT_TRUE(reporter.messages.empty());
}

}  // namespace
}  // namespace linvara::testing
