// linvara-cli import, run as a user runs it: our own result files import
// back, other instruments' files import as their columns say, bad lines stop it.
#include <gtest/gtest.h>

#include <algorithm>

#include <cmath>
#include <filesystem>

#include "support/cli_runner.h"
#include "support/project_file.h"
#include "support/temp_dir.h"
#include "text/encoding.h"
#include "text/format.h"
#include "import/gauss_kruger.h"

namespace linvara {
namespace {

using testing::CliResult;
using testing::TempDir;

CliResult Cli(const TempDir& dir, const std::vector<std::string>& args) {
    return testing::RunProgram(LINVARA_CLI, args, dir.File("stderr.txt"));
}

// The demo in route order, as `order` leaves it.
std::string OrderedDemo(const TempDir& dir) {
    const std::string project = dir.File("demo.PD");
    std::filesystem::copy_file(std::string(LINVARA_SOURCE_DIR) + "/examples/demo.PD", project);
    EXPECT_EQ(Cli(dir, {"order", project}).exitCode, 0);
    return project;
}

std::string Fixed4(double v) { return text::Format("%.4f", v); }

TEST(ImportCommand, ResultKindsZeroToFiveImportBack) {
    TempDir dir;
    const std::string demo = OrderedDemo(dir);
    const DHPointList original = testing::StakeListOf(demo);
    ASSERT_GT(original.size(), 50u);
    const char* kinds[] = {"pn-pc-y-x-h", "pn-pc-y-x-h-sp", "pn-pc-x-y-h", "pn-pc-x-y-h-sp", "pn-x-y-h-pc", "pn-x-y-h-pc-sp"};
    for (int kind = 0; kind < 6; ++kind) {
        SCOPED_TRACE(kinds[kind]);
        const std::string file = dir.File(std::string("kind") + std::to_string(kind) + ".dat");
        const std::string imported = dir.File(std::string("kind") + std::to_string(kind) + ".PD");
        ASSERT_EQ(Cli(dir, {"export", demo, "--kind", std::to_string(kind), "-o", file}).exitCode, 0);
        const CliResult run = Cli(dir, {"import", file, "-o", imported, "--style", kinds[kind]});
        ASSERT_EQ(run.exitCode, 0) << run.err;
        const DHPointList back = testing::StakeListOf(imported);
        ASSERT_EQ(back.size(), original.size());
        for (std::size_t i = 0; i < back.size(); ++i) {
            const DHPoint &o = original[i], &b = back[i];
            EXPECT_EQ(b.NewPtName, o.NewPtName);
            EXPECT_EQ(b.Code, o.Code);
            EXPECT_EQ(Fixed4(b.Dx), Fixed4(o.Dx));
            EXPECT_EQ(Fixed4(b.Dy), Fixed4(o.Dy));
            EXPECT_EQ(Fixed4(b.Dh), Fixed4(o.Dh));
            EXPECT_EQ(b.DHType, o.DHType <= ZStake ? o.DHType : AuxPoint) << o.NewPtName;
        }
    }
}

TEST(ImportCommand, OrderingTheImportedProjectGivesTheSameRoute) {
    TempDir dir;
    const std::string demo = OrderedDemo(dir);
    const std::string file = dir.File("route.dat"), imported = dir.File("route.PD");
    ASSERT_EQ(Cli(dir, {"export", demo, "--kind", "2", "-o", file}).exitCode, 0);
    ASSERT_EQ(Cli(dir, {"import", file, "-o", imported, "--style", "pn-pc-x-y-h"}).exitCode, 0);
    ASSERT_EQ(Cli(dir, {"order", imported}).exitCode, 0);
    const DHPointList route = testing::StakeListOf(demo), again = testing::StakeListOf(imported);
    ASSERT_EQ(again.size(), route.size());
    // Detail points are renumbered by kind, so the route is compared by place and stake.
    for (std::size_t i = 0; i < route.size(); ++i) {
        EXPECT_EQ(Fixed4(again[i].Dx) + "," + Fixed4(again[i].Dy), Fixed4(route[i].Dx) + "," + Fixed4(route[i].Dy))
            << "position " << i;
        if (route[i].DHType <= ZStake) {
            EXPECT_EQ(again[i].NewPtName, route[i].NewPtName);
        }
        EXPECT_NEAR(again[i].Mileage, route[i].Mileage, 1e-3) << route[i].NewPtName;
    }
}

TEST(ImportCommand, FilesOfOtherInstruments) {
    TempDir dir;
    struct Case {
        const char* what;
        std::string bytes;
        std::vector<std::string> options;
        std::vector<std::string> names;
        double north, east;  // of the first point
    } cases[] = {
        {"CASS", "J1,转角桩,500000.000,3380000.000,41.5\r\n2,,500010.5,3380010.25,40\r\n", {"--style", "cass"},
         {"J1", "2"}, 3380000, 500000},
        {"GB18030 CSV with a Chinese header",
         text::Utf8ToGb18030("点号,编码,北坐标,东坐标,高程\r\nJ1,转角桩,3380000,500000,41.5\r\nJ2,转角桩,3380100,500100,41\r\n"),
         {"--style", "header", "--encoding", "gb18030"}, {"J1", "J2"}, 3380000, 500000},
        {"UTF-8 CSV with BOM and a header, told apart by auto",
         "\xEF\xBB\xBF" "Name,Code,Y,X,H\nJ1,转角桩,500000,3380000,41.5\n", {}, {"J1"}, 3380000, 500000},
        {"tab-separated with a title line to skip", "RTK控制器导出 2026-05-12\n1\t3380000\t500000\t41.5\t备注\nZ1\t3380050\t500050\t41\t-\n",
         {"--columns", "name,x,y,h,skip", "--delimiter", "tab", "--skip-lines", "1"}, {"1", "Z1"}, 3380000, 500000},
        {"spaces, only B/L, zone 38 of 3°", "P1   30.5   114.0  12.0\n",
         {"--columns", "name,lat,lon,h", "--zone", "38", "--zone-width", "3"}, {"P1"}, 3375541.733, 500000},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const bool projects = std::find(c.options.begin(), c.options.end(), "--zone") != c.options.end() ||
                              std::find(c.options.begin(), c.options.end(), "--central-meridian") != c.options.end();
        if (projects && !GaussKruger::Available()) continue;  // AZoneNeedsPROJ
        const std::string in = dir.File("in" + std::to_string(++n) + ".txt"), out = dir.File("out" + std::to_string(n) + ".PD");
        testing::WriteFileBytes(in, c.bytes);
        std::vector<std::string> args = {"import", in, "-o", out};
        args.insert(args.end(), c.options.begin(), c.options.end());
        const CliResult run = Cli(dir, args);
        ASSERT_EQ(run.exitCode, 0) << run.err;
        const DHPointList list = testing::StakeListOf(out);
        std::vector<std::string> names;
        for (const DHPoint& p : list) names.push_back(p.NewPtName);
        EXPECT_EQ(names, c.names);
        EXPECT_NEAR(list[0].Dx, c.north, 0.1);
        EXPECT_NEAR(list[0].Dy, c.east, 0.1);
    }
}

TEST(ImportCommand, BadLinesAreListedAndNothingIsWritten) {
    TempDir dir;
    const std::string in = dir.File("field.csv"), out = dir.File("field.PD");
    testing::WriteFileBytes(in, "J1,,3380000,500000,1\nJ2,,3380100\nJ1,,3380200,500200,1\nJ3,,3380300,500300,1\n");
    const CliResult refused = Cli(dir, {"import", in, "-o", out, "--style", "pn-pc-x-y-h"});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_NE(refused.err.find("field.csv 第2行：字段太少"), std::string::npos) << refused.err;
    EXPECT_NE(refused.err.find("field.csv 第3行：点名重复：J1（第1行已有）"), std::string::npos) << refused.err;
    EXPECT_FALSE(std::filesystem::exists(out));

    const CliResult skipped = Cli(dir, {"import", in, "-o", out, "--style", "pn-pc-x-y-h", "--skip-bad"});
    EXPECT_EQ(skipped.exitCode, 0) << skipped.err;
    EXPECT_EQ(testing::StakeListOf(out).size(), 2u);

    const CliResult again = Cli(dir, {"import", in, "-o", out, "--style", "pn-pc-x-y-h", "--skip-bad"});
    EXPECT_EQ(again.exitCode, 1);
    EXPECT_NE(again.err.find("文件已存在"), std::string::npos) << again.err;

    const CliResult info = Cli(dir, {"info", out});
    EXPECT_EQ(info.exitCode, 0);
}

// The line cut by its quotes stops the import with its number; nothing is written.
TEST(ImportCommand, ANameItsQuotesWouldCutIsABadLine) {
    TempDir dir;
    const std::string in = dir.File("names.dat"), out = dir.File("names.PD");
    testing::WriteFileBytes(in, text::Utf8ToGb18030("J1,,3380000,500000,1\r\n\"塔\"号'3 东,,3380100,500100,1\r\n"));
    const CliResult run = Cli(dir, {"import", in, "-o", out, "--style", "pn-pc-x-y-h"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("names.dat 第2行：第1个字段的结束引号后还有文字：“号'3 东”"), std::string::npos) << run.err;
    EXPECT_FALSE(std::filesystem::exists(out));
}

// A zone number in front of one east coordinate is taken off and said; the
// project then has no leg of thousands of kilometres for `check` to find.
TEST(ImportCommand, AZoneNumberInFrontOfOneEastCoordinate) {
    TempDir dir;
    const std::string in = dir.File("rtk.csv"), out = dir.File("rtk.PD");
    testing::WriteFileBytes(in, "J1,,3380000,511900,1\nJ2,,3380500,38511950.0,1\nJ3,,3381000,512000,1\n");
    const CliResult run = Cli(dir, {"import", in, "-o", out, "--style", "pn-pc-x-y-h"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "1个点的东坐标前有带号38，已去掉\n导入完成：3个点写入 " + out + "\n");
    const DHPointList list = testing::StakeListOf(out);
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[1].Dy, 511950);
    const testing::CliRun check = testing::RunCommandLine(LINVARA_CLI, dir.Utf8(), "check " + testing::ShellQuote(out));
    EXPECT_EQ(check.out.find("distance-implausible"), std::string::npos) << check.out;
}

// GDAL's CSV (X east, Y north) is refused with the reason and the option
// that reads it; with the option the points stand where they are.
TEST(ImportCommand, ExchangedXYOnlyWithSwapXY) {
    TempDir dir;
    const std::string in = dir.File("gis.csv"), out = dir.File("gis.PD");
    testing::WriteFileBytes(in, "X,Y,name,h\n500000.25,3380000.5,J1,10.5\n500100,3380100,J2,11\n");
    const CliResult refused = Cli(dir, {"import", in, "-o", out});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_NE(refused.err.find("gis.csv 北坐标x列的值都像东坐标，东坐标y列的值都像北坐标"), std::string::npos) << refused.err;
    EXPECT_NE(refused.err.find("--swap-xy"), std::string::npos) << refused.err;
    EXPECT_FALSE(std::filesystem::exists(out));

    const CliResult swapped = Cli(dir, {"import", in, "-o", out, "--swap-xy"});
    ASSERT_EQ(swapped.exitCode, 0) << swapped.err;
    const DHPointList list = testing::StakeListOf(out);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].Dx, 3380000.5);
    EXPECT_EQ(list[0].Dy, 500000.25);
    EXPECT_EQ(list[0].Dh, 10.5);
}

TEST(ImportCommand, UsageErrorsExitTwo) {
    TempDir dir;
    const std::string in = dir.File("p.txt");
    testing::WriteFileBytes(in, "J1,1,2\n");
    const std::vector<std::vector<std::string>> cases = {
        {"import", in, "-o", dir.File("a.PD"), "--style", "dxf"},
        {"import", in, "-o", dir.File("a.PD"), "--columns", "name,x,q"},
        {"import", in, "-o", dir.File("a.PD"), "--style", "cass", "--columns", "name,x,y"},
        {"import", in, "-o", dir.File("a.PD"), "--central-meridian", "114", "--zone", "38"},
        {"import", in, "-o", dir.File("a.PD"), "--zone-width", "6"},
        {"import", in, "-o", dir.File("a.PD"), "--delimiter", "pipe"},
    };
    for (const auto& args : cases) EXPECT_EQ(Cli(dir, args).exitCode, 2) << args[5];
    EXPECT_FALSE(std::filesystem::exists(dir.File("a.PD")));
}

// A build without PROJ (Windows) refuses a projection in words, writing nothing.
TEST(ImportCommand, AZoneNeedsPROJ) {
    if (GaussKruger::Available()) GTEST_SKIP() << "this build converts coordinates";
    TempDir dir;
    const std::string in = dir.File("in.txt"), out = dir.File("out.PD");
    testing::WriteFileBytes(in, "P1,3380000,500000,1\n");
    const CliResult run = Cli(dir, {"import", in, "-o", out, "--columns", "name,x,y,h", "--zone", "38"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, std::string(GaussKruger::kNotInThisBuild) + "\n");
    EXPECT_FALSE(std::filesystem::exists(out));
}

}  // namespace
}  // namespace linvara
