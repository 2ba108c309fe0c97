// Every command on a project file carrying triggers and views: it ends at
// once, does its work with them inert and says once what it ignores;
// `check` lists them and `clean` writes a copy without them.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "support/cli_runner.h"
#include "support/collector_fixture.h"
#include "support/project_file.h"
#include "support/temp_dir.h"

namespace linvara::testing {
namespace {

CliRun Cli(const TempDir& dir, const std::string& args) { return RunCommandLine(LINVARA_CLI, dir.Utf8(), args); }

// What the three triggers of the audit would have done: loop for ever while
// holding the write lock, delete the survey inside our save, double the
// order table.
constexpr const char* kHostileSql =
    "CREATE VIEW spin_view AS WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM c) "
    "SELECT count(*) AS n FROM c; "
    "CREATE TRIGGER spin AFTER UPDATE ON Electric_DH_Export BEGIN SELECT n FROM spin_view; END; "
    "CREATE TRIGGER wipe AFTER INSERT ON Electric_DH_Order BEGIN DELETE FROM Point; "
    "DELETE FROM Electric_Data_DH; DELETE FROM Electric_Data_TG; END; "
    "CREATE TRIGGER junk AFTER UPDATE ON Electric_DH_Order BEGIN "
    "INSERT INTO Electric_DH_Order (GPS_ID) VALUES ('junk'); END;";
constexpr const char* kFound =
    "工程文件含有触发器/视图：spin_view（视图）、spin（触发器）、wipe（触发器）、junk（触发器），本程序不执行它们";

std::string MakeHostileLine(const TempDir& dir) {
    const std::string path = dir.File("Line.PD");
    WriteCollectorProject(path,
                          {Surveyed("1", "J1", 0, 0, 0), Surveyed("2", "far", 2, 290, 700),
                           Surveyed("3", "near", 4, 30.16, 39.88), Surveyed("4", "J2", 0, 300, 400),
                           Surveyed("5", "Z1", 1, 150, 200), Surveyed("6", "J3", 0, 300, 1000)},
                          {CollectorTowerRow{"T1"}});
    EXPECT_EQ(Cli(dir, "info '" + path + "'").exitCode, 0);  // the working tables exist from here
    Exec(path, kHostileSql);
    return path;
}

std::string Counts(const std::string& path) {
    std::string out;
    for (const char* table : {"Point", "Electric_Data_DH", "Electric_Data_TG", "Electric_DH_Export", "Electric_DH_Order"})
        out += std::string(table) + "=" + Scalar(path, std::string("SELECT count(*) FROM ") + table) + " ";
    return out;
}

std::size_t Occurrences(const std::string& text, const std::string& part) {
    std::size_t n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

TEST(HostileFileCommands, EveryCommandEndsAndKeepsTheSurvey) {
    TempDir dir;
    const std::string path = MakeHostileLine(dir);
    const std::string counts = Counts(path);
    const std::vector<std::string> commands = {
        "info '" + path + "'",   "order '" + path + "'", "sort '" + path + "'",
        "check '" + path + "'",  "tow '" + path + "'",   "org '" + path + "' -o '" + dir.File("Line.org") + "'",
        "reset '" + path + "' --yes"};
    for (const std::string& command : commands) {
        const auto start = std::chrono::steady_clock::now();
        const CliRun run = Cli(dir, command);
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10)) << command;
        EXPECT_NE(run.exitCode, 1) << command << "\n" << run.err;
        EXPECT_EQ(Occurrences(run.err, kFound), 1u) << command << "\n" << run.err;
        EXPECT_EQ(Counts(path), counts) << command;
    }
}

TEST(HostileFileCommands, CheckListsThemAndCleanWritesACopyWithout) {
    TempDir dir;
    const std::string path = MakeHostileLine(dir), copy = dir.File("Clean.PD");
    const std::string before = ReadFileBytes(path);

    const CliRun checked = Cli(dir, "check '" + path + "'");
    EXPECT_NE(checked.out.find(std::string("警告\tschema-code")), std::string::npos) << checked.out;
    EXPECT_NE(checked.out.find(kFound), std::string::npos) << checked.out;

    CliRun cleaned = Cli(dir, "clean '" + path + "' -o '" + copy + "'");
    EXPECT_EQ(cleaned.exitCode, 0) << cleaned.err;
    EXPECT_EQ(cleaned.out, "已写入不含触发器/视图的副本：" + copy + "（去掉4个）\n");
    EXPECT_EQ(ReadFileBytes(path), before);
    const CliRun info = Cli(dir, "info '" + copy + "'");
    EXPECT_EQ(info.exitCode, 0);
    EXPECT_EQ(info.err, "");
    EXPECT_EQ(Cli(dir, "check '" + copy + "'").out.find("schema-code"), std::string::npos);

    cleaned = Cli(dir, "clean '" + path + "' -o '" + path + "'");
    EXPECT_EQ(cleaned.exitCode, 1);
    EXPECT_NE(cleaned.err.find("输出文件不能是工程文件本身：" + path), std::string::npos) << cleaned.err;
    EXPECT_EQ(ReadFileBytes(path), before);
    EXPECT_EQ(Cli(dir, "clean '" + path + "'").exitCode, 2) << "the copy must be named";
}

// A tower-base table that is a view (one huge value) is refused by name by
// every command that reads it, at once and writing nothing.
TEST(HostileFileCommands, TowerBaseViewIsRefusedByName) {
    TempDir dir;
    const std::string path = dir.File("Line.PD");
    WriteCollectorProject(path, {Surveyed("1", "J1", 0, 0, 0), Surveyed("2", "J2", 0, 300, 400)});
    Exec(path, "DROP TABLE Electric_Data_TG; "
               "CREATE VIEW Electric_Data_TG AS SELECT 1 AS ID, zeroblob(900000000) AS Name");
    const std::string before = ReadFileBytes(path);
    for (const std::string& command : {"tow '" + path + "'", "info '" + path + "'", "check '" + path + "'",
                                       "towerbase '" + path + "' -o '" + dir.File("tb.org") + "'"}) {
        const auto start = std::chrono::steady_clock::now();
        const CliRun run = Cli(dir, command);
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10)) << command;
        EXPECT_EQ(run.exitCode, 1) << command;
        EXPECT_NE(run.err.find("工程文件中的Electric_Data_TG是视图，不是数据表：" + path), std::string::npos)
            << command << "\n" << run.err;
    }
    EXPECT_FALSE(std::filesystem::exists(dir.File("Line.tow")));
    EXPECT_EQ(ReadFileBytes(path), before);
}

}  // namespace
}  // namespace linvara::testing
