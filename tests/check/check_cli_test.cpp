// linvara-cli check, run as a user runs it.
#include <gtest/gtest.h>

#include <cstdlib>

#include "support/cli_runner.h"
#include "support/collector_fixture.h"
#include "support/temp_dir.h"

namespace linvara::testing {
namespace {

CliRun Cli(const TempDir& dir, const std::string& args) { return RunCommandLine(LINVARA_CLI, dir.Utf8(), args); }

CollectorPoint Stake(const std::string& id, const std::string& name, int type, double east) {
    CollectorPoint p = Surveyed(id, name, type, 3380000, east, 20);
    p.latitude = 30.54;
    p.longitude = 114.30 + east / 1e6;
    return p;
}

// J1 - Z1 - J2 due east, and tower-base sections A..D around J2.
std::vector<CollectorPoint> CleanPoints() {
    return {Stake("1", "J1", 0, 500000), Stake("2", "Z1", 1, 500200), Stake("3", "J2", 0, 500500)};
}

std::vector<CollectorTowerRow> Sections() {
    std::vector<CollectorTowerRow> rows;
    for (int k = 0; k < 4; ++k) {
        CollectorTowerRow r;
        r.name = "T" + std::to_string(k);
        r.pegName = "J2";
        r.subIndex = k;
        r.pegDis = 5;
        rows.push_back(r);
    }
    return rows;
}

// A fresh project says once that it is not ordered yet; ordered, a clean
// one gives the summary only.
TEST(CheckCommand, CleanProjectExitsZeroWithTheSummaryOnlyOnceOrdered) {
    TempDir dir;
    const std::string path = dir.File("Clean.PD");
    WriteCollectorProject(path, CleanPoints(), Sections());
    CliRun run = Cli(dir, "check '" + path + "'");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "警告\tnot-ordered\t\t-\t项目尚未排序\n检查完成：错误0个，警告1个\n");
    ASSERT_EQ(Cli(dir, "order '" + path + "'").exitCode, 0);
    run = Cli(dir, "check '" + path + "'");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "检查完成：错误0个，警告0个\n");
}

// The collector fills StartJ/EndJ of some points on its own: that is no
// ordering, and the points it left empty are not named one by one.
TEST(CheckCommand, CollectorReferencesAreNoOrdering) {
    TempDir dir;
    const std::string path = dir.File("Fresh.PD");
    std::vector<CollectorPoint> points = CleanPoints();
    points[1].startJ = "J1";
    points[1].endJ = "J2";
    for (int i = 0; i < 5; ++i) {
        CollectorPoint aux = Surveyed("a" + std::to_string(i), std::to_string(10 + i), 2, 3380005, 500100 + 50 * i);
        points.insert(points.end() - 1, aux);
    }
    WriteCollectorProject(path, points, Sections());
    CliRun run = Cli(dir, "check '" + path + "'");
    EXPECT_EQ(run.out, "警告\tnot-ordered\t\t-\t项目尚未排序\n检查完成：错误0个，警告1个\n");
    ASSERT_EQ(Cli(dir, "order '" + path + "'").exitCode, 0);
    run = Cli(dir, "check '" + path + "'");
    EXPECT_EQ(run.out, "检查完成：错误0个，警告0个\n");
}

TEST(CheckCommand, WarningsAloneExitZero) {
    TempDir dir;
    const std::string path = dir.File("Warn.PD");
    std::vector<CollectorPoint> points = CleanPoints();
    points[1].latitude = points[1].longitude = 0;
    WriteCollectorProject(path, points, Sections());
    const CliRun run = Cli(dir, "check '" + path + "'");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out,
              "警告\tnot-ordered\t\t-\t项目尚未排序\n"
              "警告\tlatlon-missing\tZ1\t2\tZ桩没有经纬度，KML文件中该桩位于(0, 0)\n"
              "检查完成：错误0个，警告2个\n");
}

// A two-point feature without its auxiliary point, a missing section D,
// and a name JSON must escape.
std::string ProjectWithErrors(const TempDir& dir) {
    const std::string path = dir.File("Errors.PD");
    std::vector<CollectorPoint> points = CleanPoints();
    CollectorPoint road = Surveyed("4", "R\"1\\", 5, 3380010, 500100);
    road.ptBeforSel = "99";
    points.push_back(road);
    std::vector<CollectorTowerRow> rows = Sections();
    rows.pop_back();
    WriteCollectorProject(path, points, rows);
    return path;
}

TEST(CheckCommand, ErrorsExitThreeWithOneLinePerFinding) {
    TempDir dir;
    const std::string path = ProjectWithErrors(dir);
    const CliRun run = Cli(dir, "check '" + path + "' --format text");
    EXPECT_EQ(run.exitCode, 3) << run.err;
    EXPECT_EQ(run.out,
              "警告\tnot-ordered\t\t-\t项目尚未排序\n"
              "错误\taux-missing\tR\"1\\\t4\t找不到2点测的对应辅助点！原点名为99的辅助点不存在\n"
              "警告\tname-delimiter\tR\"1\\\t4\t点名含有双引号：成果格式0、1、2、3、4、5、7、8中该点的行会被其他程序读错（错列或截断）\n"
              "警告\tsection-missing\tJ2 D断面\t塔基1\t塔基D断面未测量,该中桩的塔基断面org文件中没有D断面\n"
              "检查完成：错误1个，警告3个\n");
}

TEST(CheckCommand, JsonIsOneWellFormedDocument) {
    TempDir dir;
    const std::string path = ProjectWithErrors(dir);
    const CliRun run = Cli(dir, "check '" + path + "' --format json");
    EXPECT_EQ(run.exitCode, 3) << run.err;
    EXPECT_EQ(run.err, "检查完成：错误1个，警告3个\n");
    WriteFileBytes(dir.File("findings.json"), run.out);
    const std::string script = "import json,sys; f=json.load(open(sys.argv[1], encoding='utf-8')); "
                               "assert [x['point'] for x in f] == ['', 'R\"1\\\\', 'R\"1\\\\', 'J2'], f; "
                               "assert f[0]['row'] is None and f[1]['row'] == 4 and f[3]['section'] == 'D', f";
    const std::string command = "python3 -c \"$(cat '" + dir.File("check.py") + "')\" '" + dir.File("findings.json") + "'";
    WriteFileBytes(dir.File("check.py"), script);
#ifndef _WIN32  // python reads it back on Linux
    EXPECT_EQ(std::system(command.c_str()), 0) << run.out;
#endif
}

// Checking reads: after the first open (which prepares the working tables)
// the file stays byte for byte as it was.
TEST(CheckCommand, LeavesTheProjectAsOpeningLeftIt) {
    TempDir dir;
    const std::string path = ProjectWithErrors(dir);
    ASSERT_EQ(Cli(dir, "info '" + path + "'").exitCode, 0);
    const std::string before = ReadFileBytes(path);
    EXPECT_EQ(Cli(dir, "check '" + path + "'").exitCode, 3);
    EXPECT_EQ(ReadFileBytes(path), before);
}

// A zone number left in front of a stake's east coordinate: an error on its
// leg, unless --max-distance 0 turns the rule off.
TEST(CheckCommand, ImplausibleLegsAreErrors) {
    TempDir dir;
    const std::string path = dir.File("Zone.PD");
    std::vector<CollectorPoint> points = CleanPoints();
    points[2].east = 38500500;
    WriteCollectorProject(path, points, Sections());
    const CliRun run = Cli(dir, "check '" + path + "'");
    EXPECT_EQ(run.exitCode, 3) << run.err;
    EXPECT_NE(run.out.find("错误\tdistance-implausible\tJ2\t"), std::string::npos) << run.out;
    const CliRun off = Cli(dir, "check '" + path + "' --max-distance 0");
    EXPECT_EQ(off.out.find("distance-implausible"), std::string::npos) << off.out;
}

TEST(CheckCommand, ExitCodesForWhatCannotBeChecked) {
    TempDir dir;
    const std::string path = dir.File("Clean.PD");
    WriteCollectorProject(path, CleanPoints(), Sections());
    WriteFileBytes(dir.File("junk.PD"), "not a database, not at all, not even close to one......");
    const struct {
        std::string args;
        int exitCode;
    } cases[] = {
        {"check '" + dir.File("missing.PD") + "'", 1},
        {"check '" + dir.File("junk.PD") + "'", 1},
        {"check '" + path + "' --format xml", 2},
        {"check", 2},
    };
    for (const auto& c : cases) EXPECT_EQ(Cli(dir, c.args).exitCode, c.exitCode) << c.args;
}

}  // namespace
}  // namespace linvara::testing
