// No command's output may replace the project it reads, and the files a
// command writes are the ones the user named, under the names asked for.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/cli_runner.h"
#include "support/collector_fixture.h"
#include "support/temp_dir.h"

namespace linvara {
namespace {

using testing::CollectorTowerRow;
using testing::ReadFileBytes;
using testing::ShellQuote;
using testing::Surveyed;
using testing::TempDir;

testing::CliRun RunCli(const TempDir& dir, const std::string& args) {
    return testing::RunCommandLine(LINVARA_CLI, dir.Utf8(), args);
}

CollectorTowerRow TowerRow(const std::string& stake, int subIndex, double pegDis) {
    CollectorTowerRow r;
    r.name = "P";
    r.pegName = stake;
    r.subIndex = subIndex;
    r.pegDis = pegDis;
    return r;
}

// Three J stakes and the four sections of the tower base at J3.
void WriteProject(const std::string& path) {
    testing::WriteCollectorProject(
        path,
        {Surveyed("g1", "J1", 0, 1000, 2000, 10), Surveyed("g2", "J2", 0, 1100, 2000, 11),
         Surveyed("g3", "J3", 0, 1100, 2100, 12)},
        {TowerRow("J3", 0, 1.0), TowerRow("J3", 1, 1.0), TowerRow("J3", 2, 1.0), TowerRow("J3", 3, 1.0)});
}

bool PlanBuilt(const TempDir& dir) { return RunCli(dir, "plan --help").exitCode == 0; }

// Every command with an output refuses the project itself as its output,
// under any name of it, before it opens the project (a first open writes to
// it): exit 1, one line, the project byte-identical, nothing written.
TEST(ProjectOutput, EveryCommandRefusesToReplaceItsProject) {
    TempDir dir;
    const std::string p = dir.File("p.PD");
    WriteProject(p);
    // Other names of the same file (a hard link where symbolic links need
    // rights the user lacks: Windows, Wine).
    std::error_code linked;
    std::filesystem::create_symlink(dir.path() / "p.PD", dir.path() / "alias.PD", linked);
    if (linked) std::filesystem::create_hard_link(dir.path() / "p.PD", dir.path() / "alias.PD", linked);
    if (!linked) std::filesystem::create_hard_link(dir.path() / "p.PD", dir.path() / "hard.kmz", linked);
    const bool aliases = !linked;
    // Projects whose names an output of their command takes.
    for (const char* name : {"q.org", "t.tow", "w.png"}) std::filesystem::copy_file(p, dir.File(name));
    struct Case {
        std::string args;
        std::string project;  // as the message names it
    } cases[] = {
        {"export " + ShellQuote(p) + " --kind 0 -o " + ShellQuote(p), p},
        {"export " + ShellQuote(p) + " --kind csv -o " + ShellQuote(dir.File("./p.PD")), p},
        {"export " + ShellQuote(p) + " --kind dxf -o " + ShellQuote(dir.File("alias.PD")), p},
        {"export " + ShellQuote(p) + " --kind kml -o " + ShellQuote(p), p},
        {"export " + ShellQuote(p) + " --kind kml --kmz -o " + ShellQuote(dir.File("hard.kmz")), p},
        {"report " + ShellQuote(p) + " -o " + ShellQuote(p), p},
        {"org " + ShellQuote(p) + " -o " + ShellQuote(p), p},
        {"org " + ShellQuote(dir.File("q.org")) + " -o " + ShellQuote(dir.File("q")), dir.File("q.org")},
        {"towerbase " + ShellQuote(p) + " -o " + ShellQuote(dir.File("alias.PD")), p},
        {"tow " + ShellQuote(dir.File("t.tow")), dir.File("t.tow")},
        {"plan " + ShellQuote(dir.File("w.png")) + " -o " + ShellQuote(dir.File("w.png")), dir.File("w.png")},
    };
    const bool planBuilt = PlanBuilt(dir);
    for (const Case& c : cases) {
        if (c.args.rfind("plan", 0) == 0 && !planBuilt) continue;
        if (!aliases && (c.args.find("alias.PD") != std::string::npos || c.args.find("hard.kmz") != std::string::npos))
            continue;
        const std::string before = ReadFileBytes(c.project);
        const testing::CliRun r = RunCli(dir, c.args);
        EXPECT_EQ(r.exitCode, 1) << c.args;
        EXPECT_EQ(r.err, "输出文件不能是工程文件本身：" + c.project + "\n") << c.args;
        EXPECT_EQ(ReadFileBytes(c.project), before) << c.args;
    }
    for (const char* never : {"p.org", "p.tow", "q.tow", "p_J3.org", "alias_J3.org"})
        EXPECT_FALSE(std::filesystem::exists(dir.File(never))) << never;
}

TEST(ProjectOutput, ImportRefusesToReplaceItsInput) {
    TempDir dir;
    const std::string input = dir.File("points.txt");
    testing::WriteFileBytes(input, "name,x,y,h\nJ1,1000,2000,10\nJ2,1100,2000,11\n");
    const testing::CliRun r = RunCli(dir, "import " + ShellQuote(input) + " -o " + ShellQuote(input) + " --force");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "输出文件不能是导入文件本身：" + input + "\n");
    EXPECT_EQ(ReadFileBytes(input), "name,x,y,h\nJ1,1000,2000,10\nJ2,1100,2000,11\n");
}

// The ORG and tower-base names replace the extension of the name given (not
// four characters of it), and the message names the file written.
TEST(ProjectOutput, OrgNamesReplaceTheExtensionAndAreNamed) {
    TempDir dir;
    const std::string p = dir.File("p.PD");
    WriteProject(p);
    std::filesystem::create_directory(dir.path() / "tb");
    struct Case {
        std::string command;
        std::string output;   // -o
        std::string written;  // in the folder
        std::string done;     // the message's last line
    } cases[] = {
        {"org", "route.db", "route.org", "转换ORG文件成功！已写入：" + dir.File("route.org")},
        {"org", "x.PD", "x.org", "转换ORG文件成功！已写入：" + dir.File("x.org")},
        {"org", "plain.org", "plain.org", "转换ORG文件成功！已写入：" + dir.File("plain.org")},
        {"org", "bare", "bare.org", "转换ORG文件成功！已写入：" + dir.File("bare.org")},
        {"towerbase", "tb/x.PD", "tb/x_J3.org",
         "塔基断面转换完成!已写入：" + dir.File("tb/x") + "_<中桩>.org和.INI（1个中桩）"},
        {"towerbase", "tb/y.org", "tb/y_J3.INI",
         "塔基断面转换完成!已写入：" + dir.File("tb/y") + "_<中桩>.org和.INI（1个中桩）"},
    };
    for (const Case& c : cases) {
        const testing::CliRun r = RunCli(dir, c.command + " " + ShellQuote(p) + " -o " + ShellQuote(dir.File(c.output)));
        EXPECT_EQ(r.exitCode, 0) << c.output << "\n" << r.err;
        EXPECT_TRUE(std::filesystem::exists(dir.File(c.written))) << c.output;
        EXPECT_EQ(r.err, c.done + "\n") << c.output;
    }
    for (const char* never : {"rout.org", ".org", "tb/_J3.org", "x_J3.org"})
        EXPECT_FALSE(std::filesystem::exists(dir.File(never))) << never;
}

// towerbase from a project writes its TOW file beside it as `tow` does, but
// never over a TOW file of other content the user did not name: that one
// stays, and the project's rows are converted from memory, to the same files.
TEST(ProjectOutput, TowerBaseKeepsATowFileEditedByHand) {
    TempDir dir;
    const std::string p = dir.File("p.PD");
    WriteProject(p);
    const testing::CliRun first = RunCli(dir, "towerbase " + ShellQuote(p) + " -o " + ShellQuote(dir.File("a.org")));
    ASSERT_EQ(first.exitCode, 0) << first.err;
    const std::string exported = ReadFileBytes(dir.File("p.tow"));
    ASSERT_EQ(exported.substr(0, 2), "P,");

    // The same TOW file again: written over with the same bytes, no word.
    const testing::CliRun same = RunCli(dir, "towerbase " + ShellQuote(p) + " -o " + ShellQuote(dir.File("b.org")));
    EXPECT_EQ(same.err, first.err.substr(0, first.err.find("已写入")) + "已写入：" + dir.File("b") +
                            "_<中桩>.org和.INI（1个中桩）\n");

    const std::string edited = "J3-edited,1,2,3,,0,0,J3,1,\r\n";
    testing::WriteFileBytes(dir.File("p.tow"), edited);
    std::filesystem::create_directory(dir.path() / "out");
    const testing::CliRun again = RunCli(dir, "towerbase " + ShellQuote(p) + " -o " + ShellQuote(dir.File("out/tb.org")));
    EXPECT_EQ(again.exitCode, 0) << again.err;
    EXPECT_NE(again.err.find("文件" + dir.File("p.tow") + "与工程中的塔基断面数据不同，未覆盖；本次按工程中的数据转换\n"),
              std::string::npos)
        << again.err;
    EXPECT_EQ(ReadFileBytes(dir.File("p.tow")), edited);
    EXPECT_EQ(ReadFileBytes(dir.File("out/tb_J3.org")), ReadFileBytes(dir.File("a_J3.org")));
}

}  // namespace
}  // namespace linvara
