#include <gtest/gtest.h>

#include "db/merge_target_database.h"
#include "db/project_database.h"
#include "support/project_file.h"
#include "support/recording_reporter.h"
#include "support/temp_dir.h"

namespace linvara::testing {
namespace {

TEST(SchemaSql, TextsAreExact) {
    EXPECT_EQ(ProjectDatabase::ExportTableSql(),
              "CREATE TABLE [Electric_DH_Export] ([ID] INTEGER PRIMARY KEY, [GPS_ID] CHAR, [HostIMEI] CHAR, "
              "[NewPtName] CHAR, [OrgPtName] CHAR, [Dx] DOUBLE, [Dy] DOUBLE, [Dh] DOUBLE, [B] DOUBLE, "
              "[L] DOUBLE, [H] DOUBLE, [Code] CHAR, [Note] CHAR, [AntHight] DOUBLE, [SaveDateTime] CHAR, "
              "[DHType] INTEGER, [Mileage] DOUBLE,[Offset] DOUBLE, [DiffHight] DOUBLE, [PoleType] INTEGER, "
              "[PoleName] CHAR, [PoleModel] INTEGER, [LXCode] INTEGER, [CrossAngle] DOUBLE,[ObjectCode] INTEGER, "
              "[GLWide] DOUBLE, [GLCode] INTEGER, [BZdmPt] CHAR, [FZdmPt] CHAR, [AddHight] DOUBLE, "
              "[StartJ] CHAR, [EndJ] CHAR )");
    EXPECT_EQ(ProjectDatabase::OrderTableSql(),
              "CREATE TABLE [Electric_DH_Order] ([Order_ID] INTEGER PRIMARY KEY, [GPS_ID] CHAR, "
              "[Order_NewPtName] CHAR, [Order_OrgPtName] CHAR )");
    EXPECT_EQ(ProjectDatabase::TowerBaseTableSql(),
              "CREATE TABLE [Electric_Data_TG] (\t[ID] INTEGER PRIMARY KEY,\t[Name] CHAR,\t[x] DOUBLE,"
              "\t[y] DOUBLE,\t[h] DOUBLE,\t[Code] CHAR,\t[PegDis] DOUBLE,\t[HDiff] DOUBLE,\t[PegName] CHAR,"
              "\t[SubIndex] INTEGER,\t[GPS_ID] CHAR,\t[Midx] DOUBLE,\t[Midy] DOUBLE,\t[Midh] DOUBLE,"
              "\t[Pegx] DOUBLE,\t[Pegy] DOUBLE,\t[Pegh] DOUBLE,[HostIMEI] CHAR)");
}

TEST(SchemaSql, FilesCarryTheTextsAsCreated) {
    TempDir dir;
    const std::string project = dir.File("P.PD"), target = dir.File("M.PD");
    WriteCollectorProject(project, {Point("1", "J1", 0)});
    RecordingReporter reporter;
    ProjectDatabase db(reporter);
    ASSERT_TRUE(IsOk(db.OpenProject(project)));
    ASSERT_TRUE(IsOk(MergeTargetDatabase(reporter).Open(target)));
    const std::string sql = "select sql from sqlite_master where name=";
    EXPECT_EQ(Scalar(project, sql + "'Electric_DH_Export'"), ProjectDatabase::ExportTableSql());
    EXPECT_EQ(Scalar(project, sql + "'Electric_DH_Order'"), ProjectDatabase::OrderTableSql());
    EXPECT_EQ(Scalar(target, sql + "'Electric_Data_TG'"), ProjectDatabase::TowerBaseTableSql());
    EXPECT_TRUE(reporter.messages.empty());
}

// Old projects lack GLCode: the column comes with 0 on every existing row. A
// table whose text mentions the name anywhere is left alone.
TEST(SchemaUpgrade, AddsGLCodeOnlyWhenTheTableTextLacksIt) {
    TempDir dir;
    const std::string oldTable = "CREATE TABLE Electric_DH_Export (ID INTEGER PRIMARY KEY, GPS_ID CHAR, DHType "
                                 "INTEGER, Note CHAR); INSERT INTO Electric_DH_Export (GPS_ID) VALUES ('a');";
    const std::string old = dir.File("Old.PD"), mentions = dir.File("Mentions.PD");
    WriteCollectorProject(old, {});
    Exec(old, oldTable);
    WriteCollectorProject(mentions, {});
    Exec(mentions, "CREATE TABLE Electric_DH_Export (ID INTEGER PRIMARY KEY, NoteGLCodeX CHAR)");
    const std::string mentionsSql = Scalar(mentions, "select sql from sqlite_master where name='Electric_DH_Export'");

    RecordingReporter reporter;
    ProjectDatabase db(reporter);
    ASSERT_TRUE(IsOk(db.OpenProject(old)));
    EXPECT_EQ(Scalar(old, "select typeof(GLCode) || ':' || GLCode from Electric_DH_Export"), "integer:0");
    EXPECT_NE(Scalar(old, "select sql from sqlite_master where name='Electric_DH_Export'").find("[GLCode] INT DEFAULT 0"),
              std::string::npos);
    EXPECT_TRUE(HasTable(old, "Electric_DH_Order"));  // created empty beside an existing export table
    EXPECT_EQ(Scalar(old, "select count(*) from Electric_DH_Order"), "0");

    ASSERT_TRUE(IsOk(db.OpenProject(mentions)));
    EXPECT_EQ(Scalar(mentions, "select sql from sqlite_master where name='Electric_DH_Export'"), mentionsSql);
    EXPECT_TRUE(reporter.messages.empty());
}

}  // namespace
}  // namespace linvara::testing
