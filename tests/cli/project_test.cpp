// linvara-cli info, order, sort and reset, run as a user runs them.
#include <SQLiteCpp/SQLiteCpp.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "project/project.h"
#include "support/cli_runner.h"
#include "support/collector_fixture.h"
#include "support/project_file.h"
#include "support/temp_dir.h"

namespace linvara::testing {
namespace {

CliRun Cli(const TempDir& dir, const std::string& args) { return RunCommandLine(LINVARA_CLI, dir.Utf8(), args); }

// Route J1 -> J2 -> J3 (500 m + 600 m), surveyed out of route order: the
// details come before the stakes they lie between.
std::string MakeLine(const TempDir& dir) {
    const std::string path = dir.File("Line.PD");
    WriteCollectorProject(path, {Surveyed("1", "J1", 0, 0, 0), Surveyed("2", "far", 2, 290, 700),
                                 Surveyed("3", "near", 4, 30.16, 39.88), Surveyed("4", "J2", 0, 300, 400),
                                 Surveyed("5", "Z1", 1, 150, 200), Surveyed("6", "J3", 0, 300, 1000)});
    return path;
}

// "name|mileage|offset" of every point in stored route order.
std::string Route(const std::string& path) {
    SQLite::Database db(path, SQLite::OPEN_READONLY);
    SQLite::Statement q(db,
        "select group_concat(NewPtName || '|' || printf('%.3f', Mileage) || '|' || printf('%.3f', Offset), ' ') "
        "from (select e.* from Electric_DH_Order o join Electric_DH_Export e on e.GPS_ID = o.GPS_ID "
        "order by o.Order_ID)");
    q.executeStep();
    return q.getColumn(0).getString();
}

TEST(ProjectCommands, InfoOpensLikeTheDesktopAndSummarises) {
    TempDir dir;
    const std::string path = MakeLine(dir);
    const CliRun run = Cli(dir, "info '" + path + "'");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "文件：" + path + "\n工程：Line\n点数：6\n  J桩：3\n  Z桩：1\n  辅助点：1\n  1点测标注跨越物：0\n"
                       "  1点测路河塘房等：1\n  2点测路河塘房等：0\n  3点测房：0\nJ桩数：3\n线路长度：1100.000 m\n");
    EXPECT_TRUE(SQLite::Database(path).tableExists("Electric_DH_Export"));
}

TEST(ProjectCommands, OrderAndSortSaveTheRoute) {
    TempDir dir;
    const std::string path = MakeLine(dir);
    CliRun run = Cli(dir, "order '" + path + "' --start-mileage 100 --start-name 7 --offset-range 0.5");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    // "near" lies 0.2 m off the line: the offset range sets it to 0.
    EXPECT_EQ(Route(path), "J1|100.000|0.000 7|150.000|0.000 Z1|350.000|0.000 J2|600.000|0.000 "
                           "9|900.000|-10.000 J3|1200.000|0.000");

    run = Cli(dir, "sort '" + path + "'");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(Route(path), "J1|100.000|0.000 1|150.000|0.000 Z1|350.000|0.000 J2|600.000|0.000 "
                           "3|900.000|-10.000 J3|1200.000|0.000");
}

// The command line orders with its own options, whatever the desktop
// program keeps in the project.
TEST(ProjectCommands, OrderTakesItsOptionsFromTheCommandLine) {
    TempDir dir;
    const std::string path = MakeLine(dir);
    {
        SilentReporter silent;
        Project project(silent);
        ASSERT_TRUE(project.Open(path));
        ConversionOptions kept;
        kept.StartMileage = 1000;
        ASSERT_TRUE(project.StoreOptions(kept));
    }
    const CliRun run = Cli(dir, "order '" + path + "'");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(Route(path).substr(0, 14), "J1|0.000|0.000");
}

TEST(ProjectCommands, ResetAsksAndRestoresTheSurvey) {
    TempDir dir;
    const std::string path = MakeLine(dir);
    ASSERT_EQ(Cli(dir, "order '" + path + "'").exitCode, 0);
    const std::string ordered = Route(path);

    CliRun run = Cli(dir, "reset '" + path + "'");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("--yes"), std::string::npos) << run.err;
    EXPECT_EQ(Route(path), ordered);

    run = Cli(dir, "reset '" + path + "' --yes");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(Route(path), "J1|0.000|0.000 far|0.000|0.000 near|0.000|0.000 J2|0.000|0.000 Z1|0.000|0.000 "
                           "J3|0.000|0.000");
}

// A write the file refuses leaves the stored route as it was; the command
// fails with the whole message, SQLite's reason included.
TEST(ProjectCommands, FailedWritesNameTheCauseAndKeepTheRoute) {
    struct Case {
        std::string sql, args, err;
    };
    TempDir dir;
    const std::string path = MakeLine(dir);
    ASSERT_EQ(Cli(dir, "info '" + path + "'").exitCode, 0);  // the working tables exist from here
    // The file's triggers never run, so the order table refuses a change by
    // a constraint: it holds its rows as they are and no others.
    const std::string frozen = testing::Scalar(
        path, "SELECT group_concat(quote(Order_ID || '|' || GPS_ID || '|' || Order_NewPtName), ',') "
              "FROM Electric_DH_Order");
    const std::string freezeOrder =
        "ALTER TABLE Electric_DH_Order RENAME TO Order_Before; "
        "CREATE TABLE [Electric_DH_Order] ([Order_ID] INTEGER PRIMARY KEY, [GPS_ID] CHAR, [Order_NewPtName] CHAR, "
        "[Order_OrgPtName] CHAR, CONSTRAINT stopped_here CHECK (Order_ID || '|' || GPS_ID || '|' || "
        "Order_NewPtName IN (" + frozen + "))); "
        "INSERT INTO Electric_DH_Order SELECT * FROM Order_Before; DROP TABLE Order_Before;";
    const std::vector<Case> cases = {
        {freezeOrder, "order '" + path + "'", "保存失败：" + path + "（CHECK constraint failed: stopped_here）"},
        {"DROP TABLE Point", "reset '" + path + "' --yes", "重新加载数据失败（no such table: Point）"},
    };
    const std::string route = Route(path);
    for (const Case& c : cases) {
        SQLite::Database(path, SQLite::OPEN_READWRITE).exec(c.sql);
        const CliRun run = Cli(dir, c.args);
        EXPECT_EQ(run.exitCode, 1) << c.args;
        EXPECT_NE(run.err.find(c.err), std::string::npos) << c.args << "\n" << run.err;
        EXPECT_EQ(run.out, "") << c.args;
        EXPECT_EQ(Route(path), route) << c.args;
    }
}

TEST(ProjectCommands, BadInputIsRefusedClearly) {
    TempDir dir;
    const std::string missing = dir.File("missing.PD"), text = dir.File("text.PD");
    WriteFileBytes(text, "not a project\n");
    struct Case {
        std::string args;
        int exitCode;
        std::string err;  // expected in stderr
    };
    const std::vector<Case> cases = {
        {"info '" + missing + "'", 1, "文件不存在：" + missing},
        {"order '" + missing + "'", 1, "文件不存在：" + missing},
        {"reset '" + missing + "' --yes", 1, "文件不存在：" + missing},
        {"sort '" + text + "'", 1, "不是有效的工程文件：" + text},
        {"info", 2, ""},
        {"order '" + text + "' --start-name abc", 2, ""},
        {"order '" + text + "' --offset-range x", 2, ""},
        {"sort --help", 0, ""},
    };
    for (const Case& c : cases) {
        const CliRun run = Cli(dir, c.args);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.args << "\n" << run.err;
        EXPECT_NE(run.err.find(c.err), std::string::npos) << c.args << "\n" << run.err;
    }
    EXPECT_FALSE(std::filesystem::exists(missing));
    EXPECT_EQ(ReadFileBytes(text), "not a project\n");
}

}  // namespace
}  // namespace linvara::testing
