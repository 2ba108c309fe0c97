#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "support/cli_runner.h"
#include "support/collector_fixture.h"
#include "support/project_file.h"
#include "support/temp_dir.h"

namespace linvara {
namespace {

using testing::CollectorPoint;
using testing::CollectorTowerRow;
using testing::ReadFileBytes;
using testing::TempDir;
using testing::WriteCollectorProject;

struct RunResult {
    int exitCode;
    std::string err;
};


RunResult RunCli(const TempDir& dir, const std::vector<std::string>& args) {
    const testing::CliResult r = testing::RunProgram(LINVARA_CLI, args, dir.File("stderr.txt"));
    return {r.exitCode, r.err};
}

CollectorTowerRow Row(const std::string& stake, int subIndex, double pegDis) {
    CollectorTowerRow r;
    r.name = "P";
    r.pegName = stake;
    r.subIndex = subIndex;
    r.pegDis = pegDis;
    return r;
}

TEST(CliTowerBase, TowWritesTheTowFileNextToTheProject) {
    TempDir dir;
    WriteCollectorProject(dir.File("line.PD"), {}, {Row("Z1", 0, 1.0)});
    const RunResult r = RunCli(dir, {"tow", dir.File("line.PD")});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(ReadFileBytes(dir.File("line.tow")).substr(0, 2), "P,");
}

TEST(CliTowerBase, TowerBaseWritesAPairPerStakeAndReportsMissingSections) {
    TempDir dir;
    WriteCollectorProject(dir.File("line.PD"), {}, {Row("Z1", 0, 1.0), Row("Z1", 2, 2.0), Row("Z2", 1, 1.0)});
    const RunResult r = RunCli(dir, {"towerbase", dir.File("line.PD"), "-o", dir.File("out.org")});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    for (const char* name : {"line.tow", "out_Z1.org", "out_Z1.INI", "out_Z2.org", "out_Z2.INI"})
        EXPECT_TRUE(std::filesystem::exists(dir.File(name))) << name;
    EXPECT_EQ(r.err,
              "塔基B断面未测量,该中桩的塔基断面org文件中没有B断面（点名：Z1）\n"
              "塔基D断面未测量,该中桩的塔基断面org文件中没有D断面（点名：Z1）\n"
              "塔基A断面未测量,该中桩的塔基断面org文件中没有A断面（点名：Z2）\n"
              "塔基C断面未测量,该中桩的塔基断面org文件中没有C断面（点名：Z2）\n"
              "塔基D断面未测量,该中桩的塔基断面org文件中没有D断面（点名：Z2）\n"
              "塔基断面转换完成!已写入：" + dir.File("out") + "_<中桩>.org和.INI（2个中桩）\n");

    // A TOW file is read as it stands.
    const RunResult fromTow = RunCli(dir, {"towerbase", dir.File("line.tow"), "-o", dir.File("again")});
    EXPECT_EQ(fromTow.exitCode, 0) << fromTow.err;
    EXPECT_EQ(ReadFileBytes(dir.File("again_Z1.org")), ReadFileBytes(dir.File("out_Z1.org")));
}

TEST(CliTowerBase, UnreadableNumbersOfATowFileAreNamedAndTheConversionGoesOn) {
    TempDir dir;
    const std::string tow = dir.File("bad.tow");
    testing::WriteFileBytes(tow, "P1,1,2,3,c,5,0,Z1,1,\r\nP2,1,2,3,c,7q,0,Z1,1,\r\n");
    const RunResult r = RunCli(dir, {"towerbase", tow, "-o", dir.File("out.org")});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err.substr(0, r.err.find('\n') + 1), tow + "第2行第6个字段（偏距）：无法读取数值“7q”\n");
    EXPECT_NE(ReadFileBytes(dir.File("out_Z1.org")).find("4.9500,-4.9500"), std::string::npos);  // 7q read as 7
}

// A TOW file that is no TOW file writes nothing for an empty or garbled stake.
TEST(CliTowerBase, ATowFileThatIsNoTowFileWritesNothingAndNamesTheLine) {
    TempDir dir;
    const std::string tow = dir.File("bad.tow");
    const struct {
        std::string bytes, cause;
    } cases[] = {
        // The number of line 1 goes unmentioned: the file is refused as a whole.
        {"P1,1,2,3,c,5q,0,Z1,1,\r\nP2,1\r\n", "第2行：没有中桩名（只有2个字段，应有10个）"},
        {std::string("P\0001\0,\0Z\0", 8), "第1行：含有NUL字符：不是文本文件（或是没有字节顺序标记的UTF-16文件）"},
    };
    for (const auto& c : cases) {
        testing::WriteFileBytes(tow, c.bytes);
        const RunResult r = RunCli(dir, {"towerbase", tow, "-o", dir.File("out.org")});
        EXPECT_EQ(r.exitCode, 1) << c.cause;
        EXPECT_EQ(r.err, "无法读取文件：" + tow + "（" + c.cause + "）\n");
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2) << c.cause;  // bad.tow, stderr.txt
    }
}

TEST(CliTowerBase, NoTowerBasePointsIsAFailureThatSaysSo) {
    TempDir dir;
    WriteCollectorProject(dir.File("empty.PD"), {}, {});
    testing::WriteFileBytes(dir.File("empty.tow"), "");
    testing::WriteFileBytes(dir.File("blank.tow"), " \r\n\r\n");
    const char* inputs[][2] = {{"empty.PD", "empty.tow"}, {"empty.tow", "empty.tow"}, {"blank.tow", "blank.tow"}};
    for (const auto& [input, tow] : inputs) {
        const RunResult r = RunCli(dir, {"towerbase", dir.File(input), "-o", dir.File("out.org")});
        EXPECT_EQ(r.exitCode, 1) << input;
        EXPECT_EQ(r.err, "TOW文件中没有塔基断面数据：" + dir.File(tow) + "\n") << input;
    }
    EXPECT_FALSE(std::filesystem::exists(dir.File("out_.org")));
}

TEST(CliTowerBase, MergeSkipsNamedSources) {
    TempDir dir, out;
    CollectorPoint a;
    a.gpsId = "GA";
    a.name = "A1";
    CollectorPoint b = a;
    b.gpsId = "GB";
    b.name = "B1";
    WriteCollectorProject(dir.File("a.PD"), {a});
    WriteCollectorProject(dir.File("b.PD"), {b});
    const RunResult r = RunCli(dir, {"merge", dir.Utf8(), "-o", out.File("all.PD"), "--skip", "a.PD"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.err.find("合并完成！"), std::string::npos);
    const DHPointList list = testing::StakeListOf(out.File("all.PD"));
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].NewPtName, "B1");
}

// A source that is no project fails the merge (exit 1) and is named; the
// others are merged.
TEST(CliTowerBase, MergeWithAFailedSourceExitsOne) {
    TempDir dir, out;
    CollectorPoint a;
    a.gpsId = "GA";
    a.name = "A1";
    WriteCollectorProject(dir.File("a.PD"), {a});
    testing::WriteFileBytes(dir.File("b.PD"), "not a database, but named like one");
    const RunResult r = RunCli(dir, {"merge", dir.Utf8(), "-o", out.File("all.PD")});
    EXPECT_EQ(r.exitCode, 1) << r.err;
    EXPECT_EQ(r.err.find("合并完成！"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find(dir.File("b.PD") + "：不是有效的工程文件"), std::string::npos) << r.err;
    EXPECT_EQ(testing::StakeListOf(out.File("all.PD")).size(), 1u);
}

TEST(CliTowerBase, MissingInputsAndUsageErrors) {
    TempDir dir;
    const std::string missing = dir.File("missing.PD");
    struct Case {
        std::vector<std::string> args;
        int exitCode;
        bool namesInput;
    } cases[] = {
        {{"tow", missing}, 1, true},
        {{"towerbase", missing, "-o", dir.File("o.org")}, 1, true},
        {{"merge", dir.File("nodir"), "-o", dir.File("t.PD")}, 1, true},
        {{"towerbase", missing}, 2, false},  // no -o
        {{"tow", "--help"}, 0, false},
        {{"towerbase", "--help"}, 0, false},
        {{"merge", "--help"}, 0, false},
    };
    for (const Case& c : cases) {
        const RunResult r = RunCli(dir, c.args);
        EXPECT_EQ(r.exitCode, c.exitCode) << c.args[0] << " " << c.args[1] << ": " << r.err;
        if (c.namesInput) {
            EXPECT_NE(r.err.find(c.args[1]), std::string::npos) << r.err;
        }
    }
    EXPECT_FALSE(std::filesystem::exists(dir.File("missing.tow")));
    EXPECT_FALSE(std::filesystem::exists(dir.File("t.PD")));
}

}  // namespace
}  // namespace linvara
