#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "support/collector_fixture.h"
#include "support/cli_runner.h"
#include "support/temp_dir.h"

namespace linvara {
namespace {

using testing::CollectorPoint;
using testing::ReadFileBytes;
using testing::Surveyed;
using testing::TempDir;

struct CliRun {
    int exitCode;
    std::string err;
};


CliRun RunOrgCli(const TempDir& dir, std::vector<std::string> args) {
    args.insert(args.begin(), "org");
    const testing::CliResult r = testing::RunProgram(LINVARA_CLI, args, dir.File("stderr.txt"));
    return {r.exitCode, r.err};
}

// Three J stakes turning right at J2, a Z stake with a Chinese name and a
// two-point feature whose auxiliary point was never surveyed.
void WriteLineProject(const std::string& path) {
    CollectorPoint orphan = Surveyed("g-P9", "P9", 5, 100, 50, 14);
    orphan.ptBeforSel = "nowhere";
    testing::WriteCollectorProject(path, {Surveyed("g-J1", "J1", 0, 0, 0, 10), Surveyed("g-电1", "电1", 1, 50, 0, 11),
                                          Surveyed("g-J2", "J2", 0, 100, 0, 12), orphan,
                                          Surveyed("g-J3", "J3", 0, 100, 100, 13)});
}

TEST(CliOrg, ConvertsTheStoredStakeList) {
    TempDir dir;
    WriteLineProject(dir.File("line.PD"));
    const CliRun r = RunOrgCli(dir, {dir.File("line.PD"), "-o", dir.File("out.org")});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    // Each message once, naming its point and row.
    EXPECT_EQ(r.err, "找不到2点测的对应辅助点！原点名为nowhere的辅助点不存在（点名：P9，第4行）\n转换ORG文件成功！已写入：" +
                         dir.File("out.org") + "\n");
    const std::string z = "\xB5\xE7" "1";  // GBK bytes of 电
    EXPECT_EQ(ReadFileBytes(dir.File("out.org")),
              "0,J1,0.0000,0.0000,10.0000,96=00+96,0.0000,0.0000\r\n"
              "6,J1,1.5000,65001,0.0000\r\n"
              "q,J1,0.0000,0.0000\r\n"
              "0," + z + ",0.0000,0.0000,11.0000,96=00+96,0.0000,0.0000\r\n"
              "0,J2,0.0000,100.0000,12.0000,96=00+96,0.0000,0.0000\r\n"
              "6,J2,1.5000,65001,0.0000\r\n"
              "q,J2,0.0000,90.0000\r\n"
              "0,J3,0.0000,200.0000,13.0000,96=00+96,0.0000,0.0000\r\n"
              "6,J3,1.5000,65001,0.0000\r\n"
              "c,J1," + z + ",0,11\r\n"
              "c," + z + ",J2,0,11\r\n"
              "c,J2,P9,0,11\r\n"
              "c,P9,J3,0,11\r\n"
              "m,-9000000000.00000000,  0,  100,    0,    0,    0\r\n");
}

TEST(CliOrg, NameWithoutExtensionGetsOrg) {
    TempDir dir;
    WriteLineProject(dir.File("line.PD"));
    EXPECT_EQ(RunOrgCli(dir, {dir.File("line.PD"), "-o", dir.File("out")}).exitCode, 0);
    EXPECT_TRUE(std::filesystem::exists(dir.File("out.org")));
}

TEST(CliOrg, FailuresExitWithOneOrTwo) {
    TempDir dir;
    WriteLineProject(dir.File("line.PD"));
    const CliRun missingProject = RunOrgCli(dir, {dir.File("none.PD"), "-o", dir.File("a.org")});
    EXPECT_EQ(missingProject.exitCode, 1);
    EXPECT_FALSE(std::filesystem::exists(dir.File("a.org")));
    EXPECT_FALSE(std::filesystem::exists(dir.File("none.PD")));

    const CliRun unwritable = RunOrgCli(dir, {dir.File("line.PD"), "-o", dir.File("no/such/b.org")});
    EXPECT_EQ(unwritable.exitCode, 1);
    EXPECT_NE(unwritable.err.find("转换ORG文件失败：" + dir.File("no/such/b.org") + "（No such file or directory）"), std::string::npos) << unwritable.err;

    EXPECT_EQ(RunOrgCli(dir, {dir.File("line.PD")}).exitCode, 2) << "the output is required";
}

}  // namespace
}  // namespace linvara
