#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "db/project_database.h"
#include "support/project_file.h"
#include "support/recording_reporter.h"
#include "support/temp_dir.h"

namespace linvara::testing {
namespace {

class StakeListStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        WriteCollectorProject(path, {Point("a", "A", 0, 10, 10), Point("b", "B", 1, 20, 20), Point("c", "C", 2, 30, 30)});
        ASSERT_TRUE(IsOk(db.OpenProject(path)));
        ASSERT_TRUE(IsOk(db.ReadStakeList(list, &stored)));
        ASSERT_EQ(list.size(), 3u);
    }
    std::vector<std::string> Names() {
        std::vector<std::string> names;
        for (const DHPoint& p : StakeList(db)) names.push_back(p.NewPtName + "/" + std::to_string(p.OrderIndex));
        return names;
    }
    Status Save(const DHPointList& l, bool writeAll = false) { return db.SaveList(l, stored, {writeAll}); }

    TempDir dir;
    std::string path = dir.File("P.PD");
    RecordingReporter reporter;
    ProjectDatabase db{reporter};
    DHPointList list;
    StoredRows stored;
};

TEST_F(StakeListStoreTest, SaveCarriesRouteOrderAndNames) {
    DHPointList reordered = {list[2], list[0], list[1]};
    reordered[0].NewPtName = "C2";
    ASSERT_TRUE(IsOk(Save(reordered)));
    EXPECT_EQ(Names(), (std::vector<std::string>{"C2/0", "A/1", "B/2"}));
    EXPECT_EQ(Scalar(path, "select group_concat(GPS_ID || '|' || Order_OrgPtName || '|' || Order_NewPtName, ',') "
                           "from Electric_DH_Order"),
              "c_P|C|C2,a_P|A|A,b_P|B|B");
    EXPECT_EQ(Scalar(path, "select OrgPtName || '|' || NewPtName from Electric_DH_Export where GPS_ID='c_P'"), "C|C2");
    // What the tables hold is what the save says it wrote.
    StoredRows now;
    ASSERT_TRUE(IsOk(db.ReadStoredRows(now)));
    EXPECT_EQ(now, stored);
}

// A full save fingerprints the values as it binds them: what it records must
// be what a read of the tables finds, for every kind of awkward value.
TEST_F(StakeListStoreTest, FullSaveRecordsWhatAReadFinds) {
    list[0].NewPtName = "塔位一";
    list[0].Code = "房屋";
    list[0].Dx = -0.0;
    list[0].B = 31.123456789049999;
    list[1].Dy = std::nan("");
    list[1].Mileage = 1234.56785;
    list[1].CrossAngle = 1e-9;
    list[2].StartJ = "J１";
    list[2].PoleType = -7;
    ASSERT_TRUE(IsOk(Save({list[2], list[0], list[1]}, true)));
    StoredRows now;
    ASSERT_TRUE(IsOk(db.ReadStoredRows(now)));
    EXPECT_EQ(now, stored);
    // and a normal save of the same list then finds nothing to write
    const auto tables = DumpWorkingTables(path);
    ASSERT_TRUE(IsOk(Save({list[2], list[0], list[1]})));
    EXPECT_EQ(DumpWorkingTables(path), tables);
}

TEST_F(StakeListStoreTest, SavingAnEmptyListChangesNothing) {
    const auto tables = DumpWorkingTables(path);
    for (bool writeAll : {false, true}) EXPECT_TRUE(IsOk(Save({}, writeAll)));
    EXPECT_EQ(DumpWorkingTables(path), tables);
}

// Numbers are stored as their format prints them: 4 decimals for lengths,
// 8 for the crossing angle, 10 for latitude and longitude.
TEST_F(StakeListStoreTest, UpdatePointWritesKindAndRoundsAsPrinted) {
    DHPoint p = list[0];
    p.DHType = 5;
    p.Mileage = 10.12345;
    p.CrossAngle = 1.123456789;
    p.B = 30.123456789012;
    p.NewPtName = "O'Brien";
    p.Code = "房屋";
    ASSERT_TRUE(IsOk(db.UpdatePoint(p, stored)));
    const std::string where = " from Electric_DH_Export where ID=" + std::to_string(p.ID);
    EXPECT_EQ(Scalar(path, "select DHType || '|' || NewPtName || '|' || hex(Code)" + where), "5|O'Brien|B7BFCEDD");
    EXPECT_EQ(Scalar(path, "select Mileage = 10.1235 and CrossAngle = 1.12345679 and B = 30.123456789" + where), "1");
    EXPECT_EQ(StakeList(db)[0].NewPtName, "O'Brien");
    StoredRows now;
    ASSERT_TRUE(IsOk(db.ReadStoredRows(now)));
    EXPECT_EQ(now, stored);
}

TEST_F(StakeListStoreTest, SaveNeverChangesKind) {
    for (bool writeAll : {false, true}) {
        DHPointList changed = list;
        changed[1].DHType = 6;
        changed[1].Mileage = writeAll ? 8.5 : 7.5;
        ASSERT_TRUE(IsOk(Save(changed, writeAll)));
        EXPECT_EQ(Scalar(path, "select DHType || '|' || Mileage from Electric_DH_Export where GPS_ID='b_P'"),
                  writeAll ? "1|8.5" : "1|7.5");
    }
}

TEST_F(StakeListStoreTest, DeletedPointVanishesAndOrderStays) {
    ASSERT_TRUE(IsOk(db.DeletePoints({list[1].ID}, stored)));
    EXPECT_EQ(Names(), (std::vector<std::string>{"A/0", "C/1"}));
    EXPECT_EQ(Scalar(path, "select count(*) from Electric_DH_Order"), "3");
}

TEST_F(StakeListStoreTest, InsertedPointGetsTheNewIdAndComesLast) {
    DHPoint p;
    p.GPS_ID = "new";
    p.NewPtName = "N'1";
    p.OrgPtName = "N'1";
    p.DHType = 2;
    ASSERT_TRUE(IsOk(db.InsertPoint(p, stored)));
    EXPECT_EQ(std::to_string(p.ID), Scalar(path, "select max(ID) from Electric_DH_Export"));
    EXPECT_EQ(Names().back(), "N'1/3");
    EXPECT_EQ(Scalar(path, "select OrgPtName || typeof(HostIMEI) || typeof(PoleModel) from Electric_DH_Export "
                           "where GPS_ID='new'"),
              "N'1nullnull");
    StoredRows now;
    ASSERT_TRUE(IsOk(db.ReadStoredRows(now)));
    EXPECT_EQ(now, stored);
}

TEST_F(StakeListStoreTest, FailedWritesNameTheCause) {
    Exec(path, "DROP TABLE Electric_DH_Export");
    DHPoint p;
    p.GPS_ID = "new";
    const StoredRows before = stored;
    Status s = db.InsertPoint(p, stored);
    EXPECT_EQ(s.message(), "添加点失败（no such table: Electric_DH_Export）");
    EXPECT_EQ(p.ID, -1);
    EXPECT_EQ(Scalar(path, "select count(*) from Electric_DH_Order"), "3");  // the order row was rolled back
    s = Save(list, true);
    EXPECT_EQ(s.message(), "保存失败：" + path + "（no such table: Electric_DH_Export）");
    EXPECT_EQ(stored, before);
    // A file that disappeared is not created again by the next operation.
    std::filesystem::remove(path);
    const std::string gone = "（文件不存在：" + path + "）";
    s = Save(list, true);
    EXPECT_EQ(s.message(), "保存失败：" + path + gone);
    s = db.DeletePoints({1}, stored);
    EXPECT_EQ(s.message(), "删除点失败" + gone);
    DHPointList read;
    s = db.ReadStakeList(read);
    EXPECT_EQ(s.message(), "查找记录出错!" + gone);
    EXPECT_TRUE(read.empty());
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_TRUE(reporter.messages.empty());
}

TEST_F(StakeListStoreTest, ResetRestoresTheFirstOpen) {
    const auto firstOpen = Dump(path, "Electric_DH_Export");
    DHPointList edited = {list[2], list[0]};
    edited[0].NewPtName = "X";
    ASSERT_TRUE(IsOk(db.DeletePoints({list[1].ID}, stored)));
    ASSERT_TRUE(IsOk(Save(edited)));
    DHPoint extra;
    extra.GPS_ID = "extra";
    ASSERT_TRUE(IsOk(db.InsertPoint(extra, stored)));

    ASSERT_TRUE(IsOk(db.ResetToSurvey()));
    EXPECT_EQ(Dump(path, "Electric_DH_Export"), firstOpen);
    EXPECT_EQ(Names(), (std::vector<std::string>{"A/0", "B/1", "C/2"}));
    EXPECT_TRUE(reporter.messages.empty());
}

// A reset that cannot seed again keeps the previous working tables.
TEST_F(StakeListStoreTest, FailedResetKeepsTheWorkingTables) {
    ASSERT_TRUE(IsOk(Save({list[2], list[1], list[0]})));
    const auto tables = DumpWorkingTables(path);
    Exec(path, "DROP TABLE Point");
    const Status reset = db.ResetToSurvey();
    EXPECT_EQ(reset.message(), "重新加载数据失败（no such table: Point）");
    EXPECT_EQ(DumpWorkingTables(path), tables);
    EXPECT_TRUE(reporter.messages.empty());
}

// A list whose rows the tables no longer hold as read is refused whole.
TEST_F(StakeListStoreTest, SaveOverAnotherProgramsChangeIsAConflict) {
    Exec(path, "UPDATE Electric_DH_Export SET Mileage = 5 WHERE GPS_ID='a_P'");
    const auto tables = DumpWorkingTables(path);
    const StoredRows before = stored;
    const Status saved = Save({list[2], list[1], list[0]});
    EXPECT_EQ(saved.code(), Status::Code::Conflict);
    EXPECT_EQ(saved.message(), "工程文件已被其他程序修改：" + path);
    EXPECT_EQ(DumpWorkingTables(path), tables);
    EXPECT_EQ(stored, before);
    ASSERT_TRUE(IsOk(Save({list[2], list[1], list[0]}, true)));
    EXPECT_EQ(Names(), (std::vector<std::string>{"C/0", "B/1", "A/2"}));
    EXPECT_EQ(Scalar(path, "select Mileage from Electric_DH_Export where GPS_ID='a_P'"), "0.0");
}

}  // namespace
}  // namespace linvara::testing
