// Project files from elsewhere: the triggers and views they carry never run
// inside our reads and saves, tables that are not what their names promise
// are refused by name, no statement runs unbounded and no single value is
// carried whole when it is absurdly large.
#include <SQLiteCpp/SQLiteCpp.h>
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "db/clean_copy.h"
#include "db/connection_defences.h"
#include "project/project.h"
#include "support/collector_fixture.h"
#include "support/project_file.h"
#include "support/recording_reporter.h"
#include "support/temp_dir.h"
#include "text/format.h"

namespace linvara::testing {
namespace {

using Clock = std::chrono::steady_clock;

// A line of three J stakes with a detail point, tower-base rows, and the
// working tables made by a first open: what a file that travelled holds.
void WriteOpenedLine(const std::string& path) {
    WriteCollectorProject(path,
                          {Surveyed("1", "J1", 0, 0, 0), Surveyed("2", "far", 2, 290, 700),
                           Surveyed("3", "near", 4, 30.16, 39.88), Surveyed("4", "J2", 0, 300, 400),
                           Surveyed("5", "Z1", 1, 150, 200), Surveyed("6", "J3", 0, 300, 1000)},
                          {CollectorTowerRow{"T1"}, CollectorTowerRow{"T2"}});
    SilentReporter silent;
    Project first(silent);
    ASSERT_TRUE(IsOk(first.Open(path)));
}

// The collector's rows and the working tables' sizes, as a line.
std::string Counts(const std::string& path) {
    std::string out;
    for (const char* table : {"Point", "Electric_Data_DH", "Electric_Data_TG", "Electric_DH_Export", "Electric_DH_Order"})
        out += std::string(table) + "=" + Scalar(path, std::string("SELECT count(*) FROM ") + table) + " ";
    return out;
}

// The three triggers of the audit: a looping update trigger reading a
// recursive view, a trigger deleting the survey inside our save, and one
// inserting junk rows into the order table.
struct HostileCase {
    const char* name;
    const char* sql;
    const char* found;  // as the message lists them
};
const std::vector<HostileCase>& HostileCases() {
    static const std::vector<HostileCase> cases = {
        {"looping update trigger",
         "CREATE VIEW spin_view AS WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM c) "
         "SELECT count(*) AS n FROM c; "
         "CREATE TRIGGER spin AFTER UPDATE ON Electric_DH_Export BEGIN SELECT n FROM spin_view; END;",
         "spin_view（视图）、spin（触发器）"},
        {"survey deleted inside the save",
         "CREATE TRIGGER wipe AFTER INSERT ON Electric_DH_Order BEGIN DELETE FROM Point; "
         "DELETE FROM Electric_Data_DH; DELETE FROM Electric_Data_TG; END; "
         "CREATE TRIGGER wipe_update AFTER UPDATE ON Electric_DH_Order BEGIN DELETE FROM Point; "
         "DELETE FROM Electric_Data_DH; DELETE FROM Electric_Data_TG; END;",
         "wipe（触发器）、wipe_update（触发器）"},
        {"junk order rows",
         "CREATE TRIGGER junk AFTER INSERT ON Electric_DH_Order BEGIN "
         "INSERT INTO Electric_DH_Order (GPS_ID) VALUES ('junk'); END; "
         "CREATE TRIGGER junk_update AFTER UPDATE ON Electric_DH_Order BEGIN "
         "INSERT INTO Electric_DH_Order (GPS_ID) VALUES ('junk'); END;",
         "junk（触发器）、junk_update（触发器）"},
    };
    return cases;
}

// Ordering, sorting, saving, editing and resetting a file with each trigger
// do their work with the trigger inert: the collector's tables keep every
// row, the order table holds one row per point, and each step ends at once.
// The file's triggers and views are said once, not again on a reload.
TEST(HostileFiles, ForeignTriggersAndViewsNeverRun) {
    for (const HostileCase& c : HostileCases()) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const std::string path = dir.File("Line.PD");
        WriteOpenedLine(path);
        Exec(path, c.sql);
        const std::string counts = Counts(path);

        const auto start = Clock::now();
        RecordingReporter reporter;
        Project project(reporter);
        ASSERT_TRUE(IsOk(project.Open(path)));
        EXPECT_EQ(reporter.Texts(),
                  std::vector<std::string>{"工程文件含有触发器/视图：" + std::string(c.found) + "，本程序不执行它们"});
        project.AutoOrder();
        EXPECT_TRUE(IsOk(project.Save()));
        project.SortByMileage();
        EXPECT_TRUE(IsOk(project.Save()));
        DHPoint edited = project.Points()[1];
        edited.NewPtName = "renamed";
        EXPECT_TRUE(IsOk(project.EditPoint(edited)));
        EXPECT_TRUE(IsOk(project.Reload()));
        EXPECT_TRUE(IsOk(project.ResetToSurvey()));
        EXPECT_LT(Clock::now() - start, std::chrono::seconds(10));

        EXPECT_EQ(Counts(path), counts);
        EXPECT_EQ(project.SchemaCode().size(), 2u);
        EXPECT_EQ(reporter.messages.size(), 1u) << "said once, not on the reload";
    }
}

// A table this program reads that is a view, or a collector column declared
// with the wrong kind of type, is refused on opening by name; the file keeps
// every byte. A Point view that never ends cannot hang the opening.
TEST(HostileFiles, TablesThatAreNotWhatTheyPromiseAreRefusedByName) {
    struct Case {
        const char* name;
        std::function<void(const std::string&)> make;
        std::string message;  // before the path
    };
    const auto collector = [](const std::string& path) {
        WriteCollectorProject(path, {Surveyed("1", "J1", 0, 0, 0), Surveyed("2", "J2", 0, 300, 400)});
    };
    const auto replaced = [collector](const std::string& table, const std::string& create) {
        return [collector, table, create](const std::string& path) {
            collector(path);
            Exec(path, "DROP TABLE " + table + "; " + create);
        };
    };
    const std::string endless = "WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM c) ";
    const std::vector<Case> cases = {
        {"Point a never-ending view",
         replaced("Point", "CREATE VIEW Point AS " + endless +
                               "SELECT x AS ID, 'g' || x AS GPSID, 'P' AS Name, '' AS CODE, 0 AS North, 0 AS East, "
                               "0 AS Height, 0 AS Latitude, 0 AS Longitude, 0 AS Altitude, '' AS StartTime, "
                               "'' AS HostIMEI, 0 AS DeleteSign FROM c"),
         "工程文件中的Point是视图，不是数据表："},
        {"tower-base table a view with a huge value",
         replaced("Electric_Data_TG", "CREATE VIEW Electric_Data_TG AS SELECT 1 AS ID, zeroblob(900000000) AS Name"),
         "工程文件中的Electric_Data_TG是视图，不是数据表："},
        {"order table a view",
         [collector](const std::string& path) {
             collector(path);
             Exec(path, "CREATE VIEW Electric_DH_Order AS SELECT 1 AS Order_ID");
         },
         "工程文件中的Electric_DH_Order是视图，不是数据表："},
        {"coordinates declared as text",
         replaced("Point", "CREATE TABLE Point (ID INTEGER PRIMARY KEY, GPSID CHAR, Name CHAR, CODE CHAR, "
                           "North TEXT, East DOUBLE, Height DOUBLE, Latitude DOUBLE, Longitude DOUBLE, "
                           "Altitude DOUBLE, StartTime CHAR, HostIMEI CHAR, DeleteSign INTEGER)"),
         "工程文件中Point表的North列类型为TEXT，不是数值列："},
        {"identity declared as a number",
         replaced("Electric_Data_DH",
                  "CREATE TABLE Electric_Data_DH (ID INTEGER PRIMARY KEY, GPS_ID INTEGER, Type INTEGER, "
                  "Type_Note CHAR, [Index] INTEGER, LinkCode INTEGER, LinkCode_Note CHAR, PoleType INTEGER, "
                  "PoleType_Note CHAR, AddHeight DOUBLE, GLAngleOrLength CHAR, GLWidth CHAR, GouType INTEGER, "
                  "GouType_Note CHAR, StartJ CHAR, EndJ CHAR, PtAfterSel CHAR, PtBeforSel CHAR)"),
         "工程文件中Electric_Data_DH表的GPS_ID列类型为INTEGER，不是文本列："},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const std::string path = dir.File("Bad.PD");
        c.make(path);
        const std::string before = ReadFileBytes(path);
        const auto start = Clock::now();
        RecordingReporter reporter;
        Project project(reporter);
        const Status opened = project.Open(path);
        EXPECT_EQ(opened.message(), c.message + path);
        EXPECT_LT(Clock::now() - start, std::chrono::seconds(10));
        EXPECT_EQ(ReadFileBytes(path), before);
    }
}

// A statement that runs far past what the file's size can need is stopped
// and named as such; the bound is per statement, so many small statements
// together never reach it, and it grows with the file.
TEST(HostileFiles, WorkOfOneStatementIsBounded) {
    TempDir dir;
    const std::string small = dir.File("Small.PD"), large = dir.File("Large.PD");
    WriteCollectorProject(small, {Surveyed("1", "J1", 0, 0, 0)});
    std::vector<CollectorPoint> many;
    for (int i = 0; i < 5000; ++i) many.push_back(Surveyed(std::to_string(i), "P" + std::to_string(i), 2, i, i));
    WriteCollectorProject(large, many);
    db::ProjectConnection connection(small, SQLite::OPEN_READWRITE, 0);
    EXPECT_GT(db::ProjectConnection(large, SQLite::OPEN_READONLY, 0).WorkBound(), connection.WorkBound());

    const auto start = Clock::now();
    try {
        connection.execAndGet("WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM c) SELECT count(*) FROM c");
        ADD_FAILURE() << "the endless statement ran to an end";
    } catch (const SQLite::Exception& e) {
        EXPECT_EQ(e.getErrorCode(), SQLITE_INTERRUPT);
        EXPECT_EQ(db::CauseOf(e), "运行远超工程规模所需，已中止");
    }
    EXPECT_LT(Clock::now() - start, std::chrono::seconds(10));

    // Some thousand steps each, a hundred times: far more than the bound together.
    connection.SetWorkBoundForTesting(50);
    const std::string counting = "WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM c WHERE x < %d) "
                                 "SELECT count(*) FROM c";
    for (int i = 0; i < 100; ++i) EXPECT_EQ(connection.execAndGet(text::Format(counting.c_str(), 500)).getInt(), 500);
    EXPECT_THROW(connection.execAndGet(text::Format(counting.c_str(), 1'000'000)), SQLite::Exception);
}

// An operation stopped by the bound fails naming itself and the cause, and
// leaves the file as it was.
TEST(HostileFiles, OperationStoppedByTheBoundSaysSo) {
    TempDir dir;
    const std::string path = dir.File("Line.PD");
    std::vector<CollectorPoint> points;
    for (int i = 0; i < 300; ++i) points.push_back(Surveyed(std::to_string(i), "P" + std::to_string(i), 2, i, i));
    WriteCollectorProject(path, points);
    const std::string before = ReadFileBytes(path);
    db::SetWorkBoundForTesting(1);  // a thousand steps: the join of 300 points takes more
    RecordingReporter reporter;
    Project project(reporter);
    const Status opened = project.Open(path);
    db::SetWorkBoundForTesting(0);
    EXPECT_EQ(opened.message(), "查找记录出错!（运行远超工程规模所需，已中止）");
    EXPECT_EQ(ReadFileBytes(path), before);
    EXPECT_TRUE(IsOk(project.Open(path)));
}

// The copy without triggers and views holds every table row as it was and
// opens without a word; the original keeps every byte; the copy cannot
// replace the original, also not through a link.
TEST(HostileFiles, CleanCopyLeavesTheSchemaCodeOut) {
    TempDir dir;
    const std::string path = dir.File("Line.PD"), copy = dir.File("Clean.PD"), link = dir.File("Link.PD");
    WriteOpenedLine(path);
    Exec(path, HostileCases()[0].sql);
    Exec(path, HostileCases()[1].sql);
    const std::string before = ReadFileBytes(path);

    std::size_t removed = 0;
    ASSERT_TRUE(IsOk(db::WriteCleanCopy(path, copy, &removed)));
    EXPECT_EQ(removed, 4u);
    EXPECT_EQ(ReadFileBytes(path), before);
    EXPECT_EQ(Scalar(copy, "SELECT count(*) FROM sqlite_master WHERE type IN ('trigger','view')"), "0");
    for (const char* table : {"Point", "Electric_Data_DH", "Electric_Data_TG", "Electric_DH_Export", "Electric_DH_Order"})
        EXPECT_EQ(Dump(copy, table), Dump(path, table)) << table;
    RecordingReporter reporter;
    Project project(reporter);
    ASSERT_TRUE(IsOk(project.Open(copy)));
    EXPECT_TRUE(reporter.messages.empty());
    EXPECT_TRUE(project.SchemaCode().empty());

    // Another name of the same file: a symbolic link, or a hard link where
    // links need rights the user lacks (Windows, Wine).
    std::error_code linked;
    std::filesystem::create_symlink(path, link, linked);
    if (linked) std::filesystem::create_hard_link(path, link, linked);
    for (const std::string& out : {path, linked ? path : link, dir.File("./Line.PD")})
        EXPECT_EQ(db::WriteCleanCopy(path, out).message(), "输出文件不能是工程文件本身：" + path) << out;
    EXPECT_EQ(ReadFileBytes(path), before);
}

// A value of megabytes (a ten-megabyte name) is cut when it is read: the
// list holds its beginning, whole characters only.
TEST(HostileFiles, HugeValuesAreCutWhenRead) {
    TempDir dir;
    const std::string path = dir.File("Huge.PD");
    std::string name;
    while (name.size() < 10'000'000) name += "名称";
    WriteCollectorProject(path, {Surveyed("1", "J1", 0, 0, 0), Surveyed("2", name, 2, 10, 10)});
    RecordingReporter reporter;
    Project project(reporter);
    ASSERT_TRUE(IsOk(project.Open(path)));
    const std::string& read = project.Points()[1].NewPtName;
    EXPECT_LE(read.size(), 16u * 1024);
    EXPECT_GT(read.size(), 16u * 1024 - 4);
    EXPECT_EQ(name.compare(0, read.size(), read), 0);
    EXPECT_EQ(read.size() % 3, 0u) << "no character is cut in half";
}

}  // namespace
}  // namespace linvara::testing
