#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "support/missing_code_page.h"
#include "support/recording_reporter.h"
#include "support/survey_points.h"
#include "support/temp_dir.h"
#include "text/encoding.h"
#include "towerbase/tower_base_output.h"
#include "text/file_system.h"

namespace linvara {
namespace {

// Whether every file was written; a failure that stopped the whole run is
// shown through `reporter`, as the front ends show it.
bool AllWritten(const StatusOr<int>& unwritten, Reporter& reporter) {
    ReportFailure(reporter, unwritten.status());
    return unwritten && unwritten.value() == 0;
}

using testing::ReadFileBytes;
using testing::RecordingReporter;
using testing::SectionAt;
using testing::TempDir;

// The closing word, naming the files written after `base`.
std::string Done(const std::string& base, int stakes) {
    return "塔基断面转换完成!已写入：" + base + "_<中桩>.org和.INI（" + std::to_string(stakes) + "个中桩）";
}
constexpr const char* kCentre = "b,    1,0.0000,0.0000,0.0000,  8205=01+  13,    0,    0,    0\r\n";

std::string PointRecord(int n, const char* first, const char* second, const char* hDiff) {
    return std::string("b,    ") + std::to_string(n) + "," + first + "," + second + "," + hDiff +
           ",   8192=01+   0,    0,    0,    0\r\n";
}

std::string LinkRecord(int n, int previous, int style) {
    return "c,    " + std::to_string(n) + ",    " + std::to_string(previous) + ",    0,    " + std::to_string(style) +
           "\r\n";
}

std::string MissingText(const std::string& stake, const char* letter) {
    return std::string("塔基") + letter + "断面未测量,该中桩的塔基断面org文件中没有" + letter + "断面（点名：" + stake + "）";
}

TEST(TowerBaseOutput, EverySectionGetsItsSignsAndLinkStyle) {
    TempDir dir;
    const SectionPointList points = {
        SectionAt("Z1", 1, 10.0, 1.5),  SectionAt("Z1", 2, 4.0, -0.25), SectionAt("Z1", 3, 2.0, 2),
        SectionAt("Z1", 3, 1.0, 1),     SectionAt("Z1", 4, -3.0),       SectionAt("Z1", 5, 1.0),
        SectionAt("Z1", 8, 2.0),        SectionAt("Z1", 0, 7.0),        SectionAt("Z1", 9, 7.0),
    };
    RecordingReporter reporter;
    EXPECT_TRUE(AllWritten(WriteTowerBaseFiles(points, dir.File("line.org"), reporter), reporter));
    EXPECT_EQ(reporter.Texts(), std::vector<std::string>{Done(dir.File("line"), 1)});
    EXPECT_EQ(ReadFileBytes(dir.File("line_Z1.org")),
              kCentre + PointRecord(2, "7.0710", "-7.0710", "1.5000") + LinkRecord(2, 1, 2) +  // A
                  PointRecord(3, "2.8280", "2.8280", "-0.2500") + LinkRecord(3, 1, 3) +        // B
                  PointRecord(4, "-0.7070", "0.7070", "1.0000") + LinkRecord(4, 1, 4) +        // C, sorted
                  PointRecord(5, "-1.4140", "1.4140", "2.0000") + LinkRecord(5, 4, 4) +
                  PointRecord(6, "2.1210", "2.1210", "0.0000") + LinkRecord(6, 1, 1) +  // D, negative offset
                  PointRecord(7, "0.7070", "-0.7070", "0.0000") + LinkRecord(7, 1, 2) +  // E
                  PointRecord(8, "-1.4140", "-1.4140", "0.0000") + LinkRecord(8, 1, 5));  // H; 0 and 9 left out
    EXPECT_FALSE(std::filesystem::exists(dir.File("line.org")));
}

TEST(TowerBaseOutput, IniTextIsFixed) {
    TempDir dir;
    RecordingReporter reporter;
    ASSERT_TRUE(WriteTowerBaseIni(dir.File("a.INI")));
    const char* lines[] = {
        "[图廓设置]", "线路图_0或无网格_1=3", "线路断面图比例尺=100", "线路平面图比例尺=150", "[图廓范围]",
        "左=-21.000000", "右=21.000000", "上=29.700000", "下=-29.700000", "[当前显示区域]", "L_X0=27.000000",
        "L_Y0=14.500000", "BL_VALUE=23.000000", "[塔基断面图参数]", "图纸宽=210.000000", "图纸高=297.000000",
        "横比例尺=200", "纵比例尺=200", "样式=1", "偏移误差=0.200000", "坐标轴长度=7", "[塔基断面图图签]",
        "序号=1", "塔号=1", "图号=1", "杆塔位置=1", "塔脚高程=0", "[立塔]", "塔起始序号=0", "[Settings]",
        "Menu=1", "[BMP]", "BMPCount=0",
    };
    std::string expected;
    for (const char* line : lines) expected += std::string(line) + "\r\n";
    EXPECT_EQ(ReadFileBytes(dir.File("a.INI")), text::Utf8ToGb18030(expected));
}

TEST(TowerBaseOutput, MissingSectionsAreReportedAndNumbersRunOn) {
    TempDir dir;
    const SectionPointList points = {SectionAt("塔5", 1, 5.0), SectionAt("塔5", 3, 1.0), SectionAt("塔5", 1, 2.0),
                                SectionAt("塔5", 1, 9.0)};
    RecordingReporter reporter;
    AllWritten(WriteTowerBaseFiles(points, dir.File("out.org"), reporter), reporter);
    EXPECT_EQ(reporter.Texts(), (std::vector<std::string>{MissingText("塔5", "B"), MissingText("塔5", "D"), Done(dir.File("out"), 1)}));
    EXPECT_EQ(ReadFileBytes(dir.File("out_塔5.org")),
              kCentre + PointRecord(2, "1.4140", "-1.4140", "0.0000") + LinkRecord(2, 1, 2) +
                  PointRecord(3, "3.5360", "-3.5360", "0.0000") + LinkRecord(3, 2, 2) +
                  PointRecord(4, "6.3640", "-6.3640", "0.0000") + LinkRecord(4, 3, 2) +
                  PointRecord(5, "-0.7070", "0.7070", "0.0000") + LinkRecord(5, 1, 4));
    EXPECT_TRUE(std::filesystem::exists(text::FsPath(dir.File("out_塔5.INI"))));
}

TEST(TowerBaseOutput, EqualOffsetsTakeTheExchangeSortOrder) {
    TempDir dir;
    // Load order a(3) b(2) c(2) d(1) sorts to d c b a: the two equal offsets swap.
    const SectionPointList points = {SectionAt("S", 2, 3.0, 1), SectionAt("S", 2, 2.0, 2), SectionAt("S", 2, 2.0, 3),
                                SectionAt("S", 2, 1.0, 4)};
    RecordingReporter reporter;
    AllWritten(WriteTowerBaseFiles(points, dir.File("o.org"), reporter), reporter);
    const std::string org = ReadFileBytes(dir.File("o_S.org"));
    const std::size_t c = org.find("1.4140,1.4140,3.0000");
    const std::size_t b = org.find("1.4140,1.4140,2.0000");
    ASSERT_NE(c, std::string::npos);
    ASSERT_NE(b, std::string::npos);
    EXPECT_LT(org.find("0.7070,0.7070,4.0000"), c);
    EXPECT_LT(c, b);
    EXPECT_LT(b, org.find("2.1210,2.1210,1.0000"));
}

TEST(TowerBaseOutput, StakesDifferingInCaseAreTwoStakes) {
    TempDir dir;
    const SectionPointList points = {SectionAt("z1", 1, 1.0), SectionAt("Z1", 1, 2.0)};
    RecordingReporter reporter;
    AllWritten(WriteTowerBaseFiles(points, dir.File("t.org"), reporter), reporter);
    for (const char* name : {"t_z1.org", "t_z1.INI", "t_Z1_2.org", "t_Z1_2.INI"})
        EXPECT_TRUE(std::filesystem::exists(dir.File(name))) << name;
    EXPECT_NE(ReadFileBytes(dir.File("t_z1.org")), ReadFileBytes(dir.File("t_Z1_2.org")));
}

TEST(TowerBaseOutput, NoPointsWritesNothingButStillFinishes) {
    TempDir dir;
    RecordingReporter reporter;
    EXPECT_TRUE(AllWritten(WriteTowerBaseFiles({}, dir.File("t.org"), reporter), reporter));
    EXPECT_EQ(reporter.Texts(), std::vector<std::string>{Done(dir.File("t"), 0)});
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

TEST(TowerBaseOutput, FailedWritesAreReportedAndLeaveNothing) {
    TempDir dir;
    std::filesystem::create_directory(dir.File("t_S.INI"));  // the INI path is taken by a folder
    std::filesystem::create_directory(dir.File("t_T.org"));  // and an ORG path
    RecordingReporter reporter;
    const SectionPointList points = {SectionAt("S", 1, 1.0), SectionAt("S", 2, 1.0), SectionAt("S", 3, 1.0),
                                SectionAt("S", 4, 1.0), SectionAt("T", 1, 1.0)};
    EXPECT_FALSE(AllWritten(WriteTowerBaseFiles(points, dir.File("t.org"), reporter), reporter));
    // Each failure names the file and the system's reason.
    const std::string isFolder = "（Is a directory）";
    EXPECT_TRUE(reporter.Said("创建塔基断面ini文件错误：" + dir.File("t_S.INI") + isFolder));
    EXPECT_TRUE(reporter.Said("创建塔基断面org文件错误：" + dir.File("t_T.org") + isFolder));
    EXPECT_EQ(reporter.Texts().back(), Done(dir.File("t"), 2));
    std::vector<std::string> left;
    for (const auto& e : std::filesystem::directory_iterator(dir.path())) left.push_back(e.path().filename().string());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"t_S.INI", "t_S.org", "t_T.INI", "t_T.org"}));
}

TEST(TowerBaseOutput, StakeNamesAreMadeSafeAndEveryFileStaysInTheChosenFolder) {
    TempDir dir;
    const std::filesystem::path out = dir.path() / "out";
    std::filesystem::create_directories(out / "t_x");  // lets "t_x/../../" lead out of the folder
    struct Case {
        const char* stake;
        const char* file;  // the ORG file's name; the INI's differs in its extension only
    } cases[] = {
        {"x/../../escaped", "t_x_.._.._escaped"}, {"a\\b", "t_a_b"}, {"Z:1*?", "t_Z_1__"}, {"\"<|>", "t_____"},
        {"..", "t__"}, {"tab\there", "t_tab_here"}, {"塔5", "t_塔5"}, {"Z1", "t_Z1"},
    };
    SectionPointList points;
    for (const Case& c : cases) points.push_back(SectionAt(c.stake, 1, 1.0));
    RecordingReporter reporter;
    EXPECT_TRUE(AllWritten(WriteTowerBaseFiles(points, text::Utf8Path(out / "t.org"), reporter), reporter));
    for (const Case& c : cases) {
        EXPECT_TRUE(std::filesystem::is_regular_file(out / text::FsPath(std::string(c.file) + ".org"))) << c.stake;
        EXPECT_TRUE(std::filesystem::is_regular_file(out / text::FsPath(std::string(c.file) + ".INI"))) << c.stake;
    }
    EXPECT_FALSE(std::filesystem::exists(dir.File("escaped.org")));
    EXPECT_FALSE(std::filesystem::exists(dir.File("escaped.INI")));
    // Messages keep the stake as measured.
    EXPECT_TRUE(reporter.Said(MissingText("x/../../escaped", "B")));
}

// z1 and Z1 name one file on Windows, a/b and a:b one everywhere: the later
// stake's files get a number, on every system alike, and the user is told.
TEST(TowerBaseOutput, NamesEqualButForCaseOrUnsafeCharactersDoNotReplaceEachOther) {
    TempDir dir;
    const SectionPointList points = {SectionAt("z1", 1, 1.0), SectionAt("Z1", 1, 2.0), SectionAt("a/b", 1, 3.0),
                                SectionAt("a:b", 1, 4.0), SectionAt("Z1_2", 1, 5.0), SectionAt("z1", 2, 6.0)};
    RecordingReporter reporter;
    EXPECT_TRUE(AllWritten(WriteTowerBaseFiles(points, dir.File("t.org"), reporter), reporter));
    const struct {
        const char* file;
        const char* offset;  // of the stake's section A point, telling whose file it is
    } cases[] = {{"t_z1", "0.7070"}, {"t_Z1_2", "1.4140"}, {"t_a_b", "2.1210"}, {"t_a_b_2", "2.8280"}, {"t_Z1_2_2", "3.5360"}};
    for (const auto& c : cases) {
        const std::string org = ReadFileBytes(dir.File(std::string(c.file) + ".org"));
        EXPECT_NE(org.find(c.offset), std::string::npos) << c.file << "\n" << org;
        EXPECT_TRUE(std::filesystem::is_regular_file(dir.File(std::string(c.file) + ".INI"))) << c.file;
    }
    std::size_t files = 0;
    for (const auto& e : std::filesystem::directory_iterator(dir.path())) files += e.is_regular_file() ? 1 : 0;
    EXPECT_EQ(files, 10u);
    const std::string said = "的塔基断面文件名与已写出的文件重名（文件名不区分大小写），改存为";
    EXPECT_TRUE(reporter.Said("中桩Z1" + said + "t_Z1_2.org和.INI"));
    EXPECT_TRUE(reporter.Said("中桩a:b" + said + "t_a_b_2.org和.INI"));
    EXPECT_TRUE(reporter.Said("中桩Z1_2" + said + "t_Z1_2_2.org和.INI"));
}

TEST(TowerBaseOutput, AMissingConverterWritesNoFileAndSaysWhy) {
    TempDir dir;
    const SectionPointList points = {SectionAt("Z1", 1, 1.0), SectionAt("塔2", 1, 1.0)};
    testing::MissingCodePage missing;
    RecordingReporter reporter;
    EXPECT_FALSE(AllWritten(WriteTowerBaseFiles(points, dir.File("t.org"), reporter), reporter));
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_EQ(reporter.messages[0].kind, "error");
    EXPECT_NE(reporter.messages[0].text.find(dir.File("t.org")), std::string::npos);
    EXPECT_NE(reporter.messages[0].text.find("无法打开编码转换"), std::string::npos);
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));  // not even the stake whose name is ASCII
}

// What stops the whole run comes back to the caller, who shows it; a file
// that cannot be written is said where it happens and counted.
TEST(TowerBaseOutput, FailuresComeBackToTheCaller) {
    TempDir dir;
    const SectionPointList points = {SectionAt("S", 1, 1.0), SectionAt("T", 1, 1.0)};
    {
        testing::MissingCodePage missing;
        RecordingReporter reporter;
        const StatusOr<int> unwritten = WriteTowerBaseFiles(points, dir.File("t.org"), reporter);
        EXPECT_FALSE(unwritten);
        EXPECT_EQ(unwritten.status().message().rfind("创建塔基断面org文件错误：" + dir.File("t.org") + "（", 0), 0u);
        EXPECT_TRUE(reporter.messages.empty());
    }
    std::filesystem::create_directory(dir.File("t_T.INI"));
    RecordingReporter reporter;
    const StatusOr<int> unwritten = WriteTowerBaseFiles(points, dir.File("t.org"), reporter);
    ASSERT_TRUE(unwritten);
    EXPECT_EQ(unwritten.value(), 1);
    EXPECT_TRUE(reporter.Said("创建塔基断面ini文件错误：" + dir.File("t_T.INI") + "（Is a directory）"));
    EXPECT_EQ(WriteTowerBaseIni(dir.File("t_T.INI")).message(),
              "创建塔基断面ini文件错误：" + dir.File("t_T.INI") + "（Is a directory）");
}

}  // namespace
}  // namespace linvara
