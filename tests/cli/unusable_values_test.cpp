// Values no output can carry (infinite or absurd coordinates, text in number
// columns, unreadable bytes), projects without points, and a workbook that
// cannot be written: each command says what and where, in one message.
#include <gtest/gtest.h>

#include <SQLiteCpp/SQLiteCpp.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "support/cli_runner.h"
#include "support/collector_fixture.h"
#include "support/temp_dir.h"

namespace linvara {
namespace {

using testing::ReadFileBytes;
using testing::ShellQuote;
using testing::Surveyed;
using testing::TempDir;

testing::CliRun RunCli(const TempDir& dir, const std::string& args) {
    return testing::RunCommandLine(LINVARA_CLI, dir.Utf8(), args);
}

// Four J stakes, then `sql` run on the collector's tables (g2 is J2).
std::string WriteProject(const TempDir& dir, const std::string& name, const std::string& sql = {}) {
    const std::string path = dir.File(name);
    testing::WriteCollectorProject(path, {Surveyed("g1", "J1", 0, 1000, 2000, 10), Surveyed("g2", "J2", 0, 1100, 2000, 11),
                                          Surveyed("g3", "J3", 0, 1100, 2100, 12), Surveyed("g4", "J4", 0, 1200, 2100, 13)});
    if (!sql.empty()) SQLite::Database(path, SQLite::OPEN_READWRITE).exec(sql);
    return path;
}

bool PlanBuilt(const TempDir& dir) { return RunCli(dir, "plan --help").exitCode == 0; }

// The conversions of a point at an infinite or absurd place: refused with
// the point named, nothing written (no "inf", no 309-digit number).
TEST(UnusableValues, ConversionsRefuseAPointAtNoSurveyedPlace) {
    TempDir dir;
    struct Project {
        const char* sql;
        const char* value;  // as the message gives it
        bool plane;         // a plane coordinate: no route length either
    } projects[] = {
        {"UPDATE Point SET North = 1e999 WHERE GPSID = 'g2'", "北坐标为inf", true},
        {"UPDATE Point SET East = -1e999 WHERE GPSID = 'g2'", "东坐标为-inf", true},
        {"UPDATE Point SET Height = 1e308 WHERE GPSID = 'g2'", "高程为", false},
        {"UPDATE Point SET East = 5e12 WHERE GPSID = 'g2'", "东坐标为5e+12", true},
    };
    const std::vector<std::pair<std::string, std::string>> commands = {
        {"order", ""},         {"sort", ""},
        {"org", "out.org"},    {"export --kind 0", "out.dat"},
        {"export --kind csv", "out.csv"}, {"export --kind dxf", "out.dxf"},
        {"export --kind kml", "out.kml"}, {"report", "out.xlsx"},
    };
    for (const Project& project : projects) {
        const std::string p = WriteProject(dir, "bad.PD", project.sql);
        for (const auto& [command, output] : commands) {
            const std::string args =
                command + " " + ShellQuote(p) + (output.empty() ? "" : " -o " + ShellQuote(dir.File(output)));
            const testing::CliRun r = RunCli(dir, args);
            EXPECT_EQ(r.exitCode, 1) << args << "\n" << r.err;
            EXPECT_EQ(r.err.rfind(project.value, 0), 0u) << args << "\n" << r.err;
            EXPECT_NE(r.err.find("，不是有效的测量值，不能转换（点名：J2，第2行）\n"), std::string::npos) << r.err;
            if (!output.empty()) {
                EXPECT_FALSE(std::filesystem::exists(dir.File(output))) << args;
            }
        }
        const testing::CliRun info = RunCli(dir, "info " + ShellQuote(p));
        EXPECT_EQ(info.exitCode, 0) << info.err;
        EXPECT_EQ(info.out.find("线路长度：无法计算，J桩坐标不是有效的测量值（点名：J2）\n") != std::string::npos,
                  project.plane)
            << info.out;
        EXPECT_EQ(info.out.find("nan"), std::string::npos) << info.out;
        const testing::CliRun check = RunCli(dir, "check " + ShellQuote(p));
        EXPECT_NE(check.out.find("coordinates-invalid"), std::string::npos) << check.out;
    }
}

// A project whose collector tables hold no point: every command that writes
// from the list refuses it with the same message.
TEST(UnusableValues, AProjectWithoutPointsIsRefusedAlike) {
    TempDir dir;
    const std::string p = dir.File("empty.PD");
    testing::WriteCollectorProject(p, {});
    std::vector<std::pair<std::string, std::string>> commands = {
        {"order", ""},       {"sort", ""}, {"org", "out.org"}, {"export --kind 0", "out.dat"},
        {"export --kind kml", "out.kml"}, {"report", "out.xlsx"},
    };
    if (PlanBuilt(dir)) commands.push_back({"plan", "out.png"});
    for (const auto& [command, output] : commands) {
        const std::string args =
            command + " " + ShellQuote(p) + (output.empty() ? "" : " -o " + ShellQuote(dir.File(output)));
        const testing::CliRun r = RunCli(dir, args);
        EXPECT_EQ(r.exitCode, 1) << args;
        EXPECT_EQ(r.err, "工程中没有点：" + p + "\n") << args;
        if (!output.empty()) {
            EXPECT_FALSE(std::filesystem::exists(dir.File(output))) << args;
        }
    }
}

// What the collector stored as something else than the column holds is
// found per point by check, and no output crashes or hangs on it.
TEST(UnusableValues, CheckNamesEveryValueOfTheWrongKind) {
    TempDir dir;
    const std::string p = WriteProject(dir, "types.PD",
                                       "UPDATE Point SET North = 'abc' WHERE GPSID = 'g1';"
                                       "UPDATE Point SET East = x'00ff' WHERE GPSID = 'g2';"
                                       "UPDATE Point SET Height = NULL WHERE GPSID = 'g3';"
                                       "UPDATE Point SET CODE = CAST(x'ff41ff' AS TEXT) WHERE GPSID = 'g3';"
                                       "UPDATE Point SET Name = 'J4' || printf('%.5000c', 'x') WHERE GPSID = 'g4';"
                                       "UPDATE Electric_Data_DH SET PoleType = 'tall' WHERE GPS_ID = 'g2';");
    const testing::CliRun r = RunCli(dir, "check " + ShellQuote(p));
    EXPECT_EQ(r.exitCode, 3) << r.err;
    const std::string name4 = "J4" + std::string(5000, 'x');
    for (const std::string& expected :
         {std::string("北坐标存储为文本“abc”，按0处理"), std::string("东坐标存储为二进制数据，按0处理"),
          std::string("高程为空，按0处理"), std::string("编码含有既不是UTF-8也不是GB18030的字节"),
          std::string("点名过长（5002字节）"), std::string("PoleType存储为文本“tall”，按0处理")}) {
        EXPECT_NE(r.out.find(expected), std::string::npos) << expected << "\n" << r.out.substr(0, 4000);
    }
    EXPECT_NE(r.out.find("value-invalid"), std::string::npos);
    // Twice: the second open reads the working table the first one made.
    const testing::CliRun again = RunCli(dir, "check " + ShellQuote(p));
    EXPECT_EQ(again.out, r.out);
    for (const char* kind : {"0", "csv", "dxf", "kml"}) {
        const testing::CliRun e = RunCli(dir, std::string("export ") + ShellQuote(p) + " --kind " + kind + " -o " +
                                               ShellQuote(dir.File(std::string("t.") + kind)));
        EXPECT_EQ(e.exitCode, 0) << kind << "\n" << e.err.substr(0, 2000);
    }
    EXPECT_EQ(RunCli(dir, "org " + ShellQuote(p) + " -o " + ShellQuote(dir.File("t.org"))).exitCode, 0);

    // A merged project has no collector tables: its working table is checked alone.
    std::filesystem::create_directory(dir.path() / "merged");
    ASSERT_EQ(RunCli(dir, "merge " + ShellQuote(dir.Utf8()) + " -o " + ShellQuote(dir.File("merged/all.PD"))).exitCode, 0);
    const testing::CliRun merged = RunCli(dir, "check " + ShellQuote(dir.File("merged/all.PD")));
    EXPECT_EQ(merged.exitCode, 3) << merged.err;
    EXPECT_NE(merged.out.find("点名过长（5002字节）"), std::string::npos) << merged.out.substr(0, 2000);
}

#ifndef _WIN32
// A disk that fills while the workbook is written: one line naming the
// workbook and the system's reason, none of the library's own lines (which
// name its temporary file), and no workbook.
TEST(UnusableValues, AFullDiskWhileWritingTheWorkbookIsOneLine) {
    TempDir dir;
    const std::string p = WriteProject(dir, "p.PD");
    ASSERT_EQ(RunCli(dir, "info " + ShellQuote(p)).exitCode, 0);  // the working tables, made before the limit
    const std::string out = dir.File("out.xlsx");
    // A file size limit fails the write as a full disk does (EFBIG instead of ENOSPC).
    const std::string script = "ulimit -f 4; trap '' XFSZ; exec " + ShellQuote(LINVARA_CLI) + " report " +
                               ShellQuote(p) + " -o " + ShellQuote(out);
    const int exitCode = testing::RunProcess("/bin/sh", {"-c", script}, "", dir.File("err.txt"));
    const std::string err = ReadFileBytes(dir.File("err.txt"));
    EXPECT_EQ(exitCode, 1) << err;
    EXPECT_EQ(err.rfind("写入成果表失败：" + out + "（", 0), 0u) << err;
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
    EXPECT_EQ(err.find(".tmp"), std::string::npos) << err;
    EXPECT_FALSE(std::filesystem::exists(out));
}
#endif

}  // namespace
}  // namespace linvara
