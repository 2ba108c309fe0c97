#include <gtest/gtest.h>

#include <filesystem>

#include "db/project_database.h"
#include "db_fixture.h"
#include "support/recording_reporter.h"
#include "support/temp_dir.h"

namespace linvara::testing {
namespace {

class StakeListStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        WriteCollectorProject(path, {Point("a", "A", 0, 10, 10), Point("b", "B", 1, 20, 20), Point("c", "C", 2, 30, 30)});
        ASSERT_TRUE(db.OpenProject(path));
        list = db.ReadStakeList();
        ASSERT_EQ(list.size(), 3u);
    }
    std::vector<std::string> Names() {
        std::vector<std::string> names;
        for (const DHPoint& p : db.ReadStakeList()) names.push_back(p.NewPtName + "/" + std::to_string(p.OrderIndex));
        return names;
    }
    bool Save(const DHPointList& l) { return db.UpdateAllPoints(l) && db.RewriteOrder(l); }

    TempDir dir;
    std::string path = dir.File("P.PD");
    RecordingReporter reporter;
    CProjectDatabase db{reporter};
    DHPointList list;
};

TEST_F(StakeListStoreTest, SaveCarriesRouteOrderAndNames) {
    DHPointList reordered = {list[2], list[0], list[1]};
    reordered[0].NewPtName = "C2";
    ASSERT_TRUE(Save(reordered));
    EXPECT_EQ(Names(), (std::vector<std::string>{"C2/0", "A/1", "B/2"}));
    EXPECT_EQ(Scalar(path, "select group_concat(GPS_ID || '|' || Order_OrgPtName || '|' || Order_NewPtName, ',') "
                           "from Electric_DH_Order"),
              "c_P|C|C2,a_P|A|A,b_P|B|B");
    EXPECT_EQ(Scalar(path, "select OrgPtName || '|' || NewPtName from Electric_DH_Export where GPS_ID='c_P'"), "C|C2");
}

TEST_F(StakeListStoreTest, SavingAnEmptyListChangesNothing) {
    const auto exportRows = Dump(path, "Electric_DH_Export");
    const auto orderRows = Dump(path, "Electric_DH_Order");
    EXPECT_TRUE(Save({}));
    EXPECT_EQ(Dump(path, "Electric_DH_Export"), exportRows);
    EXPECT_EQ(Dump(path, "Electric_DH_Order"), orderRows);
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
    ASSERT_TRUE(db.UpdatePoint(p));
    const std::string where = " from Electric_DH_Export where ID=" + std::to_string(p.ID);
    EXPECT_EQ(Scalar(path, "select DHType || '|' || NewPtName || '|' || hex(Code)" + where), "5|O'Brien|B7BFCEDD");
    EXPECT_EQ(Scalar(path, "select Mileage = 10.1235 and CrossAngle = 1.12345679 and B = 30.123456789" + where), "1");
    EXPECT_EQ(db.ReadStakeList()[0].NewPtName, "O'Brien");
}

TEST_F(StakeListStoreTest, UpdateAllPointsNeverChangesKind) {
    DHPointList changed = list;
    changed[1].DHType = 6;
    changed[1].Mileage = 7.5;
    ASSERT_TRUE(db.UpdateAllPoints(changed));
    EXPECT_EQ(Scalar(path, "select DHType || '|' || Mileage from Electric_DH_Export where GPS_ID='b_P'"), "1|7.5");
}

TEST_F(StakeListStoreTest, DeletedPointVanishesAndOrderStays) {
    ASSERT_TRUE(db.DeletePoint(list[1].ID));
    EXPECT_EQ(Names(), (std::vector<std::string>{"A/0", "C/1"}));
    EXPECT_EQ(Scalar(path, "select count(*) from Electric_DH_Order"), "3");
}

TEST_F(StakeListStoreTest, InsertedPointGetsTheNewIdAndComesLast) {
    DHPoint p;
    p.GPS_ID = "new";
    p.NewPtName = "N'1";
    p.OrgPtName = "N'1";
    p.DHType = 2;
    ASSERT_TRUE(db.InsertPoint(p));
    EXPECT_EQ(std::to_string(p.ID), Scalar(path, "select max(ID) from Electric_DH_Export"));
    EXPECT_EQ(Names().back(), "N'1/3");
    EXPECT_EQ(Scalar(path, "select OrgPtName || typeof(HostIMEI) || typeof(PoleModel) from Electric_DH_Export "
                           "where GPS_ID='new'"),
              "N'1nullnull");
}

TEST_F(StakeListStoreTest, FailedWritesReturnFalse) {
    Exec(path, "DROP TABLE Electric_DH_Export");
    DHPoint p;
    p.GPS_ID = "new";
    EXPECT_FALSE(db.InsertPoint(p));
    EXPECT_EQ(p.ID, -1);
    EXPECT_EQ(Scalar(path, "select count(*) from Electric_DH_Order"), "3");  // the order row was rolled back
    EXPECT_FALSE(db.UpdateAllPoints(list));
    // A file that disappeared is not created again by the next operation.
    std::filesystem::remove(path);
    EXPECT_FALSE(db.RewriteOrder(list));
    EXPECT_FALSE(db.DeletePoint(1));
    EXPECT_TRUE(db.ReadStakeList().empty());
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(StakeListStoreTest, ResetRestoresTheFirstOpen) {
    const auto firstOpen = Dump(path, "Electric_DH_Export");
    DHPointList edited = {list[2], list[0]};
    edited[0].NewPtName = "X";
    ASSERT_TRUE(db.DeletePoint(list[1].ID));
    ASSERT_TRUE(Save(edited));
    DHPoint extra;
    extra.GPS_ID = "extra";
    ASSERT_TRUE(db.InsertPoint(extra));

    ASSERT_TRUE(db.ResetToSurvey());
    EXPECT_EQ(Dump(path, "Electric_DH_Export"), firstOpen);
    EXPECT_EQ(Names(), (std::vector<std::string>{"A/0", "B/1", "C/2"}));
    EXPECT_TRUE(reporter.messages.empty());
}

// A reset that cannot seed again keeps the previous working tables.
TEST_F(StakeListStoreTest, FailedResetKeepsTheWorkingTables) {
    ASSERT_TRUE(Save({list[2], list[1], list[0]}));
    const auto exportRows = Dump(path, "Electric_DH_Export");
    const auto orderRows = Dump(path, "Electric_DH_Order");
    Exec(path, "DROP TABLE Point");
    EXPECT_FALSE(db.ResetToSurvey());
    EXPECT_EQ(reporter.Texts(), std::vector<std::string>{"重新加载数据失败"});
    EXPECT_EQ(Dump(path, "Electric_DH_Export"), exportRows);
    EXPECT_EQ(Dump(path, "Electric_DH_Order"), orderRows);
}

}  // namespace
}  // namespace linvara::testing
