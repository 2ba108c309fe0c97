#include "towerbase/tow_file.h"

#include <gtest/gtest.h>

#include <SQLiteCpp/SQLiteCpp.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "support/collector_fixture.h"
#include "support/missing_code_page.h"
#include "support/recording_reporter.h"
#include "support/temp_dir.h"
#include "text/encoding.h"

namespace linvara {
namespace {

using testing::CollectorTowerRow;
using testing::ReadFileBytes;
using testing::RecordingReporter;
using testing::TempDir;
using testing::WriteCollectorProject;
using testing::WriteFileBytes;

std::string Gbk(const std::string& utf8) { return text::Utf8ToGb18030(utf8); }

TEST(TowPath, ReplacesTheLastThreeCharacters) {
    EXPECT_EQ(TowPathFor("/data/line.PD"), "/data/line.tow");
    EXPECT_EQ(TowPathFor("/data/线路.pd"), "/data/线路.tow");
}

TEST(TowExport, WritesEachRowWithItsCheckText) {
    TempDir dir;
    const std::string pd = dir.File("line.PD");
    CollectorTowerRow first;
    first.name = "塔1";
    first.x = 100.5;
    first.y = 200.25;
    first.h = 12.5;
    first.midh = 10.0;               // HDiff 2.5000
    first.code = "地面\r\n点";       // the break would split the record
    first.pegDis = -3.2;
    first.pegName = Gbk("Z1中");     // stored in the ANSI code page
    first.subIndex = 0;              // section 1 = A
    CollectorTowerRow second;
    second.name = "P2";
    second.x = 1;
    second.y = 2;
    second.h = 3;
    second.pegName = "Z1";
    second.subIndex = 2;
    WriteCollectorProject(pd, {}, {first, second});

    RecordingReporter reporter;
    ASSERT_EQ(ExportTowFile(pd, reporter), 1);
    EXPECT_TRUE(reporter.messages.empty());
    EXPECT_EQ(ReadFileBytes(dir.File("line.tow")),
              Gbk("塔1,100.5000,200.2500,12.5000,地面点,-3.2000,2.5000,Z1中,1,*4D87BBE2\r\n"
                  "P2,1.0000,2.0000,3.0000,,0.0000,3.0000,Z1,3,*A085DF02\r\n"));

    const SectionPointList points = ReadTowFile(dir.File("line.tow"));
    ASSERT_EQ(points.size(), 2u);
    EXPECT_EQ(points[0].NewPtName, "塔1");
    EXPECT_EQ(points[0].Code, "地面点");
    EXPECT_EQ(points[0].PegName, "Z1中");
    EXPECT_DOUBLE_EQ(points[0].PegDis, -3.2);
    EXPECT_DOUBLE_EQ(points[0].HDiff, 2.5);
    EXPECT_EQ(points[0].SubIndex, 1);
    EXPECT_EQ(SectionLetter(points[0].SubIndex), "A");
    EXPECT_EQ(points[0].TowNote, "");
    EXPECT_EQ(points[1].SubIndex, 3);
}

TEST(TowExport, EmptyTableGivesAnEmptyFile) {
    TempDir dir;
    WriteCollectorProject(dir.File("a.PD"), {}, {});
    RecordingReporter reporter;
    ASSERT_EQ(ExportTowFile(dir.File("a.PD"), reporter), 1);
    EXPECT_EQ(ReadFileBytes(dir.File("a.tow")), "");
    EXPECT_TRUE(ReadTowFile(dir.File("a.tow")).empty());
}

TEST(TowExport, MissingTableIsAQueryErrorAndStillWritesTheFile) {
    TempDir dir;
    {
        WriteCollectorProject(dir.File("a.PD"), {}, {});
        SQLite::Database db(dir.File("a.PD"), SQLite::OPEN_READWRITE);
        db.exec("DROP TABLE Electric_Data_TG");
    }
    RecordingReporter reporter;
    const TowExportResult result = ExportTow(dir.File("a.PD"), reporter);
    EXPECT_TRUE(result.written);
    EXPECT_TRUE(result.queryFailed);
    EXPECT_EQ(reporter.Texts(),
              std::vector<std::string>{"查找记录出错!（" + dir.File("a.PD") + "：no such table: Electric_Data_TG）"});
    EXPECT_EQ(ReadFileBytes(dir.File("a.tow")), "");
}

// Said as every command says it (see tests/cli/broken_file_test.cpp).
TEST(TowExport, AFileThatIsNoDatabaseIsNamed) {
    TempDir dir;
    WriteFileBytes(dir.File("a.PD"), std::string(4096, 'x'));
    RecordingReporter reporter;
    EXPECT_TRUE(ExportTow(dir.File("a.PD"), reporter).queryFailed);
    EXPECT_EQ(reporter.Texts(), std::vector<std::string>{"不是有效的工程文件：" + dir.File("a.PD")});
    EXPECT_FALSE(std::filesystem::exists(dir.File("a.tow")));
}

TEST(TowExport, WaitsWhileAnotherProgramWrites) {
    TempDir dir;
    const std::string pd = dir.File("a.PD");
    CollectorTowerRow row;
    row.name = "P1";
    WriteCollectorProject(pd, {}, {row});
    SQLite::Database writer(pd, SQLite::OPEN_READWRITE);
    writer.exec("BEGIN EXCLUSIVE");  // readers get SQLITE_BUSY until the commit
    std::thread commitLater([&writer] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        writer.exec("COMMIT");
    });
    RecordingReporter reporter;
    const TowExportResult result = ExportTow(pd, reporter);
    commitLater.join();
    EXPECT_TRUE(result.written);
    EXPECT_FALSE(result.queryFailed);
    EXPECT_EQ(result.lines, 1u);
    EXPECT_TRUE(reporter.messages.empty()) << reporter.Texts().front();
}

TEST(TowExport, AMissingConverterLeavesTheOldFileAndSaysWhy) {
    TempDir dir;
    CollectorTowerRow row;
    row.name = "P1";
    row.pegName = "塔1";
    WriteCollectorProject(dir.File("a.PD"), {}, {row});
    WriteFileBytes(dir.File("a.tow"), "old");
    testing::MissingCodePage missing;
    RecordingReporter reporter;
    const TowExportResult result = ExportTow(dir.File("a.PD"), reporter);
    EXPECT_FALSE(result.written);
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_EQ(reporter.messages[0].text.rfind("写入TOW文件失败：" + dir.File("a.tow") + "（无法打开编码转换", 0), 0u)
        << reporter.messages[0].text;
    EXPECT_EQ(ReadFileBytes(dir.File("a.tow")), "old");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2);
}

TEST(TowExport, FailuresLeaveNoFile) {
    TempDir dir;
    RecordingReporter reporter;
    EXPECT_EQ(ExportTowFile(dir.File("missing.PD"), reporter), 0);
    EXPECT_FALSE(std::filesystem::exists(dir.File("missing.tow")));

    // The TOW path is taken by a folder: the write fails and is reported.
    WriteCollectorProject(dir.File("b.PD"), {}, {CollectorTowerRow{}});
    std::filesystem::create_directory(dir.File("b.tow"));
    RecordingReporter writeReporter;
    EXPECT_EQ(ExportTowFile(dir.File("b.PD"), writeReporter), 0);
    ASSERT_EQ(writeReporter.messages.size(), 1u);
    EXPECT_NE(writeReporter.messages[0].text.find("b.tow"), std::string::npos);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2);  // b.PD, b.tow: no temporary left
}

TEST(TowRead, FieldsAreSplitTrimmedAndParsed) {
    TempDir dir;
    const std::string tow = dir.File("x.tow");
    WriteFileBytes(tow, Gbk("P1 , 1.5m,2,3,code,-4.25,0.5, 中桩 ,2 ,note *ABC\r\n"
                            "P2,1,2,3,c,,,Z2\r\n"
                            "P3,1,2,3,c,x,y,Z,4,a,b*C\r\n"
                            "P4,,,,,,,Z,,   *38D43940\n"));
    const SectionPointList points = ReadTowFile(tow);
    ASSERT_EQ(points.size(), 4u);
    EXPECT_EQ(points[0].NewPtName, "P1");
    EXPECT_DOUBLE_EQ(points[0].Dx, 1.5);  // leading number only
    EXPECT_DOUBLE_EQ(points[0].PegDis, -4.25);
    EXPECT_EQ(points[0].PegName, "中桩");
    EXPECT_EQ(points[0].SubIndex, 2);
    EXPECT_EQ(points[0].TowNote, "note ");
    // Eight fields: the rest of the section block keeps its defaults.
    EXPECT_EQ(points[1].Code, "c");
    EXPECT_EQ(points[1].PegDis, 0);
    EXPECT_EQ(points[1].HDiff, 0);
    EXPECT_EQ(points[1].PegName, "Z2");
    EXPECT_EQ(points[1].SubIndex, 0);
    // Unparsable numbers read 0; a tenth comma stays in the note.
    EXPECT_EQ(points[2].PegDis, 0);
    EXPECT_EQ(points[2].TowNote, "a,b");
    EXPECT_EQ(points[3].TowNote, "");
}

TEST(TowRead, UnreadableNumbersAreNamedWithFileLineAndField) {
    TempDir dir;
    const std::string tow = dir.File("x.tow");
    WriteFileBytes(tow, Gbk("P1,1.5m,2,3,c,-4.25,0.5,Z,2,*ABC\r\n"
                            "P2,1,2,3,c,,,Z\r\n"                // missing fields read 0 without a word
                            "P3,1,北,3,c,x,,Z,A,1.5m*C\r\n"       // the note is text, never a number
                            "P4, 1e3 ,+2,-3,c,.5,0,Z, +3 ,\r\n"));  // all readable
    std::vector<std::string> warnings;
    const std::optional<SectionPointList> points = TryReadTowFile(tow, &warnings);
    ASSERT_TRUE(points.has_value());
    EXPECT_EQ(warnings, (std::vector<std::string>{
                            tow + "第1行第2个字段（北坐标）：无法读取数值“1.5m”",
                            tow + "第3行第3个字段（东坐标）：无法读取数值“北”",
                            tow + "第3行第6个字段（偏距）：无法读取数值“x”",
                            tow + "第3行第9个字段（断面号）：无法读取数值“A”",
                        }));
    // The values are read as far as they go, exactly as without warnings.
    const SectionPointList plain = ReadTowFile(tow);
    ASSERT_EQ(points->size(), 4u);
    ASSERT_EQ(plain.size(), 4u);
    EXPECT_DOUBLE_EQ((*points)[0].Dx, 1.5);
    EXPECT_EQ((*points)[2].Dy, 0);
    EXPECT_EQ((*points)[2].SubIndex, 0);
    EXPECT_DOUBLE_EQ((*points)[3].Dx, 1000);
    EXPECT_EQ((*points)[3].SubIndex, 3);
    for (std::size_t i = 0; i < plain.size(); ++i) {
        EXPECT_EQ((*points)[i].Dx, plain[i].Dx);
        EXPECT_EQ((*points)[i].Dy, plain[i].Dy);
        EXPECT_EQ((*points)[i].PegDis, plain[i].PegDis);
        EXPECT_EQ((*points)[i].SubIndex, plain[i].SubIndex);
    }
}

TEST(TowRead, ABlankLineEndsTheData) {
    TempDir dir;
    const std::string tow = dir.File("x.tow");
    WriteFileBytes(tow, "P1,1,2,3,c,1,0,Z,1,\r\n\r\nP2,1,2,3,c,1,0,Z,1,\r\n");
    EXPECT_EQ(ReadTowFile(tow).size(), 1u);
    EXPECT_FALSE(TryReadTowFile(dir.File("none.tow")).has_value());
}

std::string Utf16LeWithMark(std::u16string_view units) {
    std::string bytes = "\xFF\xFE";
    for (char16_t u : units) {
        bytes += static_cast<char>(u & 0xFF);
        bytes += static_cast<char>(u >> 8);
    }
    return bytes;
}

TEST(TowRead, AUnicodeFileWithItsMarkReadsAsTheGbkOne) {
    TempDir dir;
    const std::u16string lines = u"桩1,1.5,2,3,码,-4.25,0.5,中桩上,2,*ABC\r\n";
    WriteFileBytes(dir.File("gbk.tow"), Gbk("桩1,1.5,2,3,码,-4.25,0.5,中桩上,2,*ABC\r\n"));
    WriteFileBytes(dir.File("utf16.tow"), Utf16LeWithMark(lines));
    WriteFileBytes(dir.File("utf8.tow"), "\xEF\xBB\xBF桩1,1.5,2,3,码,-4.25,0.5,中桩上,2,*ABC\r\n");
    const SectionPointList gbk = ReadTowFile(dir.File("gbk.tow"));
    ASSERT_EQ(gbk.size(), 1u);
    EXPECT_EQ(gbk[0].PegName, "中桩上");
    for (const char* name : {"utf16.tow", "utf8.tow"}) {
        const SectionPointList points = ReadTowFile(dir.File(name));
        ASSERT_EQ(points.size(), 1u) << name;
        EXPECT_EQ(points[0].NewPtName, gbk[0].NewPtName) << name;
        EXPECT_EQ(points[0].Code, gbk[0].Code) << name;
        EXPECT_EQ(points[0].PegName, gbk[0].PegName) << name;
        EXPECT_EQ(points[0].PegDis, gbk[0].PegDis) << name;
        EXPECT_EQ(points[0].SubIndex, gbk[0].SubIndex) << name;
    }
}

// A file that is no TOW file gives no points for an empty or garbled stake:
// it is refused with the line that shows it.
TEST(TowRead, AFileThatIsNoTowFileIsRefusedWithItsLine) {
    const struct {
        const char* what;
        std::string bytes;
        std::string problem;
    } cases[] = {
        {"two of ten fields", "P1,1,2,3,c,1,0,Z,1,\r\nP2,1\r\n", "第2行：没有中桩名（只有2个字段，应有10个）"},
        {"an empty stake", "P1,1,2,3,c,1,0, ,1,\r\n", "第1行：中桩名为空"},
        {"UTF-16 without its mark", std::string("P\0001\0,\0", 6),
         "第1行：含有NUL字符：不是文本文件（或是没有字节顺序标记的UTF-16文件）"},
        {"a binary file", std::string("\x7F" "ELF\x02\x01\x01\0\0", 9),
         "第1行：含有NUL字符：不是文本文件（或是没有字节顺序标记的UTF-16文件）"},
        {"UTF-8 and GBK lines", "P1,1,2,3,杆塔,1,0,中桩,1,\r\n" + Gbk("P2,1,2,3,杆塔,1,0,中桩,1,\r\n"),
         "第1行是UTF-8编码，第2行却是GB18030编码：文件混用了两种编码，请把文件存为同一种编码"},
        {"a line of 2 MB", "P1,1,2,3,c,1,0,Z,1,\r\n" + std::string(2u << 20, '1'), "第2行：一行超过1048576字节：不是文本文件"},
    };
    for (const auto& c : cases) {
        TempDir dir;
        WriteFileBytes(dir.File("x.tow"), c.bytes);
        std::string problem;
        EXPECT_FALSE(TryReadTowFile(dir.File("x.tow"), nullptr, &problem).has_value()) << c.what;
        EXPECT_EQ(problem, c.problem) << c.what;
        EXPECT_TRUE(ReadTowFile(dir.File("x.tow")).empty()) << c.what;
    }
}

}  // namespace
}  // namespace linvara
