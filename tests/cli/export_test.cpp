// linvara-cli export, run as a user runs it.
#include <gtest/gtest.h>

#include <filesystem>

#include "output/kml_writer.h"
#include "output/result_kinds.h"
#include "support/cli_runner.h"
#include "support/collector_fixture.h"
#include "support/temp_dir.h"
#include "text/encoding.h"

namespace linvara {
namespace {

using testing::ReadFileBytes;
using testing::ShellQuote;
using testing::TempDir;

struct Outcome {
    int exitCode = -1;
    std::string err;
};

Outcome RunCli(const TempDir& dir, const std::string& args) {
    const testing::CliRun run = testing::RunCommandLine(LINVARA_CLI, dir.Utf8(), args);
    std::filesystem::remove(dir.File("out.txt"));
    std::filesystem::remove(dir.File("err.txt"));
    return {run.exitCode, run.err};
}

// Two J stakes, a Z stake between them and an auxiliary point.
std::string MakeProject(const TempDir& dir) {
    using testing::CollectorPoint;
    auto point = [](const char* id, const char* name, int type, double north, double east) {
        CollectorPoint p = testing::Surveyed(id, name, type, north, east, 10);
        p.latitude = 30 + north / 100000;
        p.longitude = 114 + east / 100000;
        p.altitude = 25;
        return p;
    };
    const std::string path = dir.File("line.PD");
    testing::WriteCollectorProject(path, {point("g1", "J1", 0, 1000, 2000), point("g2", "Z1", 1, 1050, 2000),
                                          point("g3", "辅1", 2, 1060, 2010), point("g4", "J2", 0, 1100, 2000)});
    return path;
}

TEST(ExportCommand, WritesTheChosenKind) {
    TempDir dir;
    const std::string project = MakeProject(dir);
    struct Case {
        const char* kind;
        const char* file;
        const char* message;
        const char* start;  // decoded from GBK for the text kinds
    } cases[] = {
        {"2", "out.dat", "转换成功!", "J1,,1000.0000,2000.0000,10.0000\r\nZ1,,1050.0000,"},
        {"jz", "jz.dat", "转换成功!", "J1,,1000.0000,2000.0000,10.0000\r\nZ1,,1050.0000,2000.0000,10.0000\r\nJ2,"},
        {"csv", "out.CSV", "转换成功!", "点名,编码,x,y,h,转角(度.分秒),档距,里程,\r\nJ1,,1000.0000,"},
        {"dxf", "out.dxf", "转换成功!", " 0\r\nSECTION\r\n 2\r\nHEADER\r\n 9\r\n$ACADVER\r\n"},
        {"11", "out.kml", "转换完成!", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"},
    };
    for (const Case& c : cases) {
        const std::string out = dir.File(c.file);
        const Outcome r = RunCli(dir, "export " + ShellQuote(project) + " --kind " + c.kind + " -o " + ShellQuote(out));
        EXPECT_EQ(r.exitCode, 0) << c.kind << ": " << r.err;
        EXPECT_EQ(r.err, std::string(c.message) + "已写入：" + out + "\n") << c.kind;
        const std::string text = text::Gb18030ToUtf8(ReadFileBytes(out));
        EXPECT_EQ(text.substr(0, std::string(c.start).size()), c.start) << c.kind;
    }
}

TEST(ExportCommand, Failures) {
    TempDir dir;
    const std::string project = MakeProject(dir);
    struct Case {
        std::string args;
        int exitCode;
        std::string err;  // expected in stderr
    } cases[] = {
        {"export " + ShellQuote(project) + " --kind shp -o " + ShellQuote(dir.File("x.shp")), 2, "unknown result kind: shp"},
        {"export " + ShellQuote(project) + " --kind 12 -o " + ShellQuote(dir.File("x.dat")), 2, "unknown result kind: 12"},
        {"export " + ShellQuote(project) + " --kind 0 -o " + ShellQuote(dir.File("missing/x.dat")), 1, "新建成果文件出错：" + dir.File("missing/x.dat") + "（No such file"},
        {"export " + ShellQuote(project) + " --kind kml -o " + ShellQuote(dir.File("missing/x.kml")), 1,
         "新建成果文件出错：" + dir.File("missing/x.kml")},
        {"export " + ShellQuote(dir.File("none.PD")) + " --kind 0 -o " + ShellQuote(dir.File("x.dat")), 1, "none.PD"},
    };
    for (const Case& c : cases) {
        const Outcome r = RunCli(dir, c.args);
        EXPECT_EQ(r.exitCode, c.exitCode) << c.args << "\n" << r.err;
        EXPECT_NE(r.err.find(c.err), std::string::npos) << c.args << "\n" << r.err;
    }
    EXPECT_FALSE(std::filesystem::exists(dir.File("x.dat")));
    EXPECT_FALSE(std::filesystem::exists(dir.File("x.shp")));
}

// A name or code holding a kind's delimiter is written as it is (the bytes
// downstream programs read), and each such point is named in a warning.
TEST(ExportCommand, NamesThatBreakAKindAreWrittenAsTheyAreAndNamed) {
    TempDir dir;
    const std::string project = dir.File("names.PD");
    testing::WriteCollectorProject(project, {testing::Surveyed("g1", "J1", 0, 1000, 2000, 10),
                                             testing::Surveyed("g2", "A,B", 2, 1050, 2000, 10),
                                             testing::Surveyed("g3", "C D", 2, 1060, 2010, 10),
                                             testing::Surveyed("g4", "J2", 0, 1100, 2000, 10)});
    struct Case {
        const char* kind;
        const char* err;
        const char* line;  // as written, decoded from GBK
    } cases[] = {
        {"2", "点名含有逗号：其他程序读此成果文件时该行会错列或被截断（点名：A,B，第2行）\n转换成功!",
         "A,B,,1050.0000,2000.0000,10.0000\r\n"},
        {"3", "点名含有空格：其他程序读此成果文件时该行会错列或被截断（点名：C D，第3行）\n转换成功!",
         "C D  1060.0000 2010.0000 10.0000\r\n"},
        {"jz", "转换成功!", "J2,,1100.0000,2000.0000,10.0000\r\n"},  // stakes only
        {"dxf", "转换成功!", "\r\nC D\r\n"},
    };
    for (const Case& c : cases) {
        const std::string out = dir.File(std::string("out-") + c.kind + ".txt");
        const Outcome r = RunCli(dir, "export " + ShellQuote(project) + " --kind " + c.kind + " -o " + ShellQuote(out));
        EXPECT_EQ(r.exitCode, 0) << c.kind << ": " << r.err;
        EXPECT_EQ(r.err, std::string(c.err) + "已写入：" + out + "\n") << c.kind;
        EXPECT_NE(text::Gb18030ToUtf8(ReadFileBytes(out)).find(c.line), std::string::npos) << c.kind;
    }
}

// The KML kind as a KMZ archive; --kmz with another kind is a usage error.
TEST(ExportCommand, KmzForTheKmlKindOnly) {
    TempDir dir;
    const std::string project = MakeProject(dir);
    const std::string kmz = dir.File("out.kmz");
    Outcome r = RunCli(dir, "export " + ShellQuote(project) + " -k kml --kmz -o " + ShellQuote(kmz));
    if (KmzAvailable()) {
        EXPECT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(r.err, "转换完成!已写入：" + kmz + "\n");
        EXPECT_EQ(ReadFileBytes(kmz).substr(0, 4), "PK\x03\x04");
    } else {
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_EQ(r.err, std::string(kKmzNotInThisBuild) + "\n");
        EXPECT_FALSE(std::filesystem::exists(kmz));
    }
    const std::string dxf = dir.File("x.dxf");
    r = RunCli(dir, "export " + ShellQuote(project) + " -k dxf --kmz -o " + ShellQuote(dxf));
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find("--kmz: 只用于 KML"), std::string::npos) << r.err;
    EXPECT_FALSE(std::filesystem::exists(dxf));
}

// A name the DXF's code page cannot carry: "?" there, and the point named on stderr.
TEST(ExportCommand, DxfWarnsOfNamesOutsideGbk) {
    TempDir dir;
    const std::string project = dir.File("line.PD");
    testing::WriteCollectorProject(project, {testing::Surveyed("g1", "J1", 0, 1000, 2000),
                                             testing::Surveyed("g2", "𠮷2", 1, 1050, 2000)});
    const std::string dxf = dir.File("out.dxf");
    const Outcome r = RunCli(dir, "export " + ShellQuote(project) + " -k dxf -o " + ShellQuote(dxf));
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err, "点名含有GBK以外的字符“𠮷”，DXF中以?代替（点名：𠮷2，第2行）\n转换成功!已写入：" + dxf + "\n");
    EXPECT_NE(ReadFileBytes(dxf).find("\r\n?2\r\n"), std::string::npos);
}

TEST(ExportCommand, HelpListsTheKinds) {
    TempDir dir;
    const std::string helpFile = dir.File("help.txt");
    ASSERT_EQ(testing::RunProcess(LINVARA_CLI, {"export", "--help"}, helpFile, dir.File("err.txt")), 0);
    const std::string help = ReadFileBytes(helpFile);
    EXPECT_NE(help.find("dxf"), std::string::npos);
    EXPECT_NE(help.find("J、Z桩KML格式(*KML)"), std::string::npos);
    EXPECT_NE(help.find("点名,编码,x,y,h,转角,档距,里程(*.CSV)"), std::string::npos);
}

// Scripts loop over --list-kinds: one line per row of the kinds' table, and
// it needs no project, kind or output.
TEST(ExportCommand, ListKindsPrintsTheTableForScripts) {
    TempDir dir;
    const std::string out = dir.File("kinds.txt"), err = dir.File("kinds.err");
    ASSERT_EQ(testing::RunProcess(LINVARA_CLI, {"export", "--list-kinds"}, out, err), 0) << ReadFileBytes(err);
    EXPECT_EQ(ReadFileBytes(out), ResultKindTable());
    EXPECT_EQ(ReadFileBytes(err), "");
    EXPECT_EQ(ResultKindTable().substr(0, 18), "0\tpn-pc-y-x-h\tdat\n");
}

// The kind list of --help is what users and their scripts have read so far:
// the same bytes, one line per row.
TEST(ExportCommand, HelpKindListIsUnchanged) {
    TempDir dir;
    const std::string helpFile = dir.File("help.txt");
    ASSERT_EQ(testing::RunProcess(LINVARA_CLI, {"export", "--help"}, helpFile, dir.File("err.txt")), 0);
    const std::string help = ReadFileBytes(helpFile);
    EXPECT_NE(help.find("result kind, 0..11 or its name (listed below)"), std::string::npos);
    const std::string list =
        "Result kinds (--kind takes the number or the name):\n"
        "   0  pn-pc-y-x-h     Pn,Pc,y,x,h\n"
        "   1  pn-pc-y-x-h-sp  Pn Pc y x h\n"
        "   2  pn-pc-x-y-h     Pn,Pc,x,y,h\n"
        "   3  pn-pc-x-y-h-sp  Pn Pc x y h\n"
        "   4  pn-x-y-h-pc     Pn,x,y,h,Pc\n"
        "   5  pn-x-y-h-pc-sp  Pn x y h Pc\n"
        "   6  dxf             AutoCAD--DXF格式(*.dxf)\n"
        "   7  dat             威远图格式(*.dat)\n"
        "   8  csv             点名,编码,x,y,h,转角,档距,里程(*.CSV)\n"
        "   9  jz              J桩Z桩点(Pn,Pc,x,y,h)\n"
        "  10  vexa            J、Z桩Vexa格式(Pn,Pc,y,x,h)\n"
        "  11  kml             J、Z桩KML格式(*KML)\n";
    EXPECT_NE(help.find(list), std::string::npos) << help;
}

}  // namespace
}  // namespace linvara
