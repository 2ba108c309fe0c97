#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "db/project_database.h"
#include "support/project_file.h"
#include "support/permissions.h"
#include "support/recording_reporter.h"
#include "support/temp_dir.h"

namespace linvara::testing {
namespace {

// A J stake with every attribute set, a name with a quote, a point deleted
// in the collector, one whose DeleteSign is NULL, and an attribute row with
// no measured point.
std::vector<CollectorPoint> MixedCollector() {
    CollectorPoint j = Point("17", "J1", 0, 3380000.123456, 500000.654321);
    j.height = 25.12346;
    j.latitude = 30.51234567890123;
    j.longitude = 114.3;
    j.altitude = 40;
    j.code = "电杆";
    j.poleTypeNote = "水泥杆";
    j.linkCode = 3;
    j.poleType = 2;
    j.glAngleOrLength = "35.5";
    j.gouType = 201;
    j.ptAfterSel = "A1";
    j.ptBeforSel = "B1";
    j.addHeight = 3.14159;
    j.startJ = "J0";
    j.endJ = "J2";
    CollectorPoint quoted = Point("18", "D'Arc", 4);
    quoted.glWidth = "4";
    CollectorPoint deleted = Point("19", "gone", 1);
    deleted.deleteSign = 1;
    CollectorPoint nullSign = Point("20", "nullsign", 1);
    nullSign.deleteSignNull = true;
    return {j, quoted, deleted, nullSign};
}

class OpenProjectTest : public ::testing::Test {
protected:
    TempDir dir;
    RecordingReporter reporter;
    ProjectDatabase db{reporter};
};

TEST_F(OpenProjectTest, SeedsTheWorkingTablesFromTheCollector) {
    const std::string path = dir.File("West.PD");
    WriteCollectorProject(path, MixedCollector());
    Exec(path, "INSERT INTO Electric_Data_DH (GPS_ID, Type) VALUES ('99', 1)");
    ASSERT_TRUE(IsOk(db.OpenProject(path)));
    EXPECT_TRUE(reporter.messages.empty());
    EXPECT_EQ(db.Title(), "West");

    const std::string row1 = " from Electric_DH_Export where ID=1";
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"count(*) from Electric_DH_Export", "2"},
        {"group_concat(ID || '=' || GPS_ID || '=' || OrgPtName || '=' || NewPtName, ',') from Electric_DH_Export",
         "1=17_West=J1=J1,2=18_West=D'Arc=D'Arc"},
        {"group_concat(Order_ID || '=' || GPS_ID || '=' || Order_NewPtName || '=' || Order_OrgPtName, ',') "
         "from Electric_DH_Order",
         "1=17_West=J1=J1,2=18_West=D'Arc=D'Arc"},
        {"HostIMEI || '|' || SaveDateTime || '|' || BZdmPt || '|' || FZdmPt || '|' || StartJ || '|' || EndJ" + row1,
         "860000000000001|2026-05-01 09:30:00|A1|B1|J0|J2"},
        {"Dx = 3380000.1235 and Dy = 500000.6543 and Dh = 25.1235 and B = 30.5123456789 and L = 114.3" + row1,
         "1"},
        {"hex(Code) || '|' || hex(PoleName)" + row1, "B5E7B8CB|CBAEC4E0B8CB"},
        {"DHType || '|' || PoleType || '|' || LXCode || '|' || ObjectCode || '|' || GLCode" + row1, "0|2|3|201|201"},
        {"typeof(Mileage) || Mileage || typeof(Offset) || Offset || typeof(DiffHight) || DiffHight" + row1,
         "real0.0real0.0real0.0"},
        {"typeof(CrossAngle) || ':' || CrossAngle" + row1, "real:35.5"},
        {"typeof(GLWide) || ':' || GLWide" + row1, "text:"},
        {"typeof(GLWide) || ':' || GLWide from Electric_DH_Export where ID=2", "real:4.0"},
        {"typeof(AddHight) || ':' || AddHight" + row1, "real:3.1416"},
        {"typeof(PoleModel) || ':' || PoleModel || ':' || typeof(Note) || ':' || AntHight" + row1, "text::null:0.0"},
    };
    for (const auto& [select, value] : expected) EXPECT_EQ(Scalar(path, "select " + select), value) << select;

    const DHPointList list = StakeList(db);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].Code, "电杆");
    EXPECT_EQ(list[0].CrossAngle, 35.5);
    EXPECT_EQ(list[0].GLWide, 0);
    EXPECT_EQ(list[1].NewPtName, "D'Arc");
    EXPECT_EQ(list[1].OrderIndex, 1);
}

TEST_F(OpenProjectTest, OpeningAgainChangesNothing) {
    const std::string path = dir.File("P.PD");
    WriteCollectorProject(path, MixedCollector());
    ASSERT_TRUE(IsOk(db.OpenProject(path)));
    const auto exportRows = Dump(path, "Electric_DH_Export");
    const auto orderRows = Dump(path, "Electric_DH_Order");
    ASSERT_TRUE(IsOk(db.OpenProject(path)));
    EXPECT_EQ(Dump(path, "Electric_DH_Export"), exportRows);
    EXPECT_EQ(Dump(path, "Electric_DH_Order"), orderRows);
}

TEST_F(OpenProjectTest, EmptyCollectorGivesEmptyWorkingTables) {
    const std::string path = dir.File("Empty.PD");
    WriteCollectorProject(path, {});
    ASSERT_TRUE(IsOk(db.OpenProject(path)));
    EXPECT_EQ(Scalar(path, "select count(*) from Electric_DH_Export"), "0");
    EXPECT_EQ(Scalar(path, "select count(*) from Electric_DH_Order"), "0");
    EXPECT_TRUE(StakeList(db).empty());
    EXPECT_TRUE(reporter.messages.empty());
}

TEST_F(OpenProjectTest, NullColumnsReadAsZeroAndEmpty) {
    const std::string path = dir.File("Nulls.PD");
    WriteCollectorProject(path, {});
    Exec(path, "INSERT INTO Point (GPSID, DeleteSign) VALUES ('n', 0); INSERT INTO Electric_Data_DH (GPS_ID) VALUES ('n')");
    ASSERT_TRUE(IsOk(db.OpenProject(path)));
    const DHPointList list = StakeList(db);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].GPS_ID, "n_Nulls");
    EXPECT_EQ(list[0].NewPtName, "");
    EXPECT_EQ(list[0].PoleType, 0);
    EXPECT_EQ(list[0].Dx, 0);
    EXPECT_TRUE(reporter.messages.empty());
}

// Whatever is wrong with the file, the open fails with a message naming the
// cause, reports nothing itself, and the file keeps every byte.
TEST_F(OpenProjectTest, BadFilesFailWithTheCauseAndStayUnchanged) {
    const std::string notDb = dir.File("text.PD"), foreign = dir.File("foreign.PD"), noColumn = dir.File("nocol.PD");
    WriteFileBytes(notDb, std::string(2048, 'x'));
    {
        SQLite::Database f(foreign, SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE);
        f.exec("CREATE TABLE Other (a)");
    }
    WriteCollectorProject(noColumn, {Point("1", "J1", 0)});
    Exec(noColumn, "ALTER TABLE Electric_Data_DH DROP COLUMN GouType_Note");
    const std::vector<std::pair<std::string, std::string>> cases = {
        {notDb, "不是有效的工程文件：" + notDb},
        {foreign, "查找记录出错!（no such table: Electric_Data_DH）"},
        {noColumn, "查找记录出错!（no column named GouType_Note）"},
    };
    for (const auto& [path, message] : cases) {
        const std::string before = ReadFileBytes(path);
        const Status opened = db.OpenProject(path);
        EXPECT_EQ(opened.code(), Status::Code::Failed) << path;
        EXPECT_EQ(opened.message(), message) << path;
        EXPECT_EQ(ReadFileBytes(path), before) << path;
    }
    EXPECT_TRUE(reporter.messages.empty());
    // Nothing half-made was left: once the column is there, the open seeds.
    Exec(noColumn, "ALTER TABLE Electric_Data_DH ADD COLUMN GouType_Note CHAR");
    EXPECT_TRUE(IsOk(db.OpenProject(noColumn)));
    EXPECT_EQ(StakeList(db).size(), 1u);
}

TEST_F(OpenProjectTest, MissingFileIsNotCreated) {
    const std::string path = dir.File("missing.PD");
    const Status opened = db.OpenProject(path);
    EXPECT_FALSE(opened);
    EXPECT_EQ(opened.message(), "文件不存在：" + path);
    EXPECT_FALSE(std::filesystem::exists(path));
}

// Another program holding the file's exclusive lock past the busy wait.
TEST_F(OpenProjectTest, LockedFileFailsWithTheCause) {
    const std::string path = dir.File("locked.PD");
    WriteCollectorProject(path, {Point("1", "J1", 0)});
    SQLite::Database other(path, SQLite::OPEN_READWRITE);
    other.exec("BEGIN EXCLUSIVE");
    const Status opened = db.OpenProject(path);
    EXPECT_EQ(opened.code(), Status::Code::Failed);
    EXPECT_EQ(opened.message(), "无法打开工程文件：" + path + "（database is locked）");
    other.exec("ROLLBACK");
    EXPECT_FALSE(HasTable(path, "Electric_DH_Export"));
    EXPECT_TRUE(IsOk(db.OpenProject(path)));
}

// The first open takes its write lock when it starts, so a writer that
// finishes within the busy wait is waited for instead of failing the open.
TEST_F(OpenProjectTest, FirstOpenWaitsForAnotherWriter) {
    const std::string path = dir.File("busy.PD");
    WriteCollectorProject(path, {Point("1", "J1", 0)});
    SQLite::Database other(path, SQLite::OPEN_READWRITE);
    other.exec("BEGIN IMMEDIATE; UPDATE Point SET Name = Name;");
    std::thread writer([&other] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        try {
            other.exec("COMMIT");
        } catch (const SQLite::Exception&) {
            other.exec("ROLLBACK");  // an open that holds a read lock while it waits blocks the commit
        }
    });
    const Status opened = db.OpenProject(path);
    writer.join();
    EXPECT_TRUE(IsOk(opened));
    EXPECT_EQ(StakeList(db).size(), 1u);
}

// SQLite refuses a path over its limit with a bare "unable to open".
TEST_F(OpenProjectTest, OverlongPathSaysSo) {
    std::filesystem::path folder = dir.path();
    for (char c : std::string("abc")) folder /= std::string(200, c);
    std::filesystem::create_directories(folder);
    const std::string source = dir.File("short.PD"), path = (folder / "p.PD").string();
    WriteCollectorProject(source, {Point("1", "J1", 0)});
    std::filesystem::copy_file(source, path);
    const Status opened = db.OpenProject(path);
    EXPECT_EQ(opened.message(), "无法打开工程文件：" + path + "（路径过长，超过512字节）");
}

// Its working tables are built in memory (see broken_file_test.cpp).
TEST_F(OpenProjectTest, ReadOnlyFileIsReported) {
    if (!testing::AsUserWhomModesStop::Possible()) GTEST_SKIP() << "no POSIX file modes";
    const std::string path = dir.File("ro.PD");
    WriteCollectorProject(path, {Point("1", "J1", 0)});
    testing::ReadOnlyMode(path, false);
    const std::string before = ReadFileBytes(path);
    {
        testing::AsUserWhomModesStop user;
        EXPECT_TRUE(IsOk(db.OpenProject(path)));
    }
    EXPECT_EQ(StakeList(db).size(), 1u);
    EXPECT_EQ(reporter.Texts(), std::vector<std::string>{"工程文件为只读，修改将无法保存：" + path});
    EXPECT_EQ(ReadFileBytes(path), before);
}

}  // namespace
}  // namespace linvara::testing
