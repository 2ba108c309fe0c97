// The results workbook read back with openpyxl: what each sheet holds, how
// it prints, and that a failed write leaves nothing behind.
#include <gtest/gtest.h>

#include <clocale>
#include <filesystem>

#include "report/results_workbook.h"
#include "support/survey_points.h"
#include "support/temp_dir.h"
#include "workbook_reader.h"
#include "text/file_system.h"

namespace linvara {
namespace {

using testing::PlanePoint;
using testing::ReadCell;
using testing::ReadSheet;
using testing::ReadWorkbook;

class ResultsWorkbook : public ::testing::Test {
protected:
    void SetUp() override {
        python_ = testing::PythonWithOpenpyxl();
        if (python_.empty()) GTEST_SKIP() << "openpyxl (python3-openpyxl) not installed";
    }

    ReadWorkbook WriteAndRead(const DHPointList& points, std::vector<TGDataUnit> towerBase = {},
                              const std::string& title = "线路") {
        const std::string path = dir_.File("成果.xlsx");
        const Status status = WriteResultsWorkbook({title, "2026-05-01", points, std::move(towerBase)}, path);
        EXPECT_TRUE(status.ok()) << status.message();
        ReadWorkbook book = testing::ReadWithOpenpyxl(python_, path);
        EXPECT_TRUE(book.ok) << book.error;
        return book;
    }

    std::string python_;
    testing::TempDir dir_;
};

ReadCell Text(const std::string& text) { return {'s', text, 0}; }
ReadCell Number(double value) { return {'n', "", value}; }
ReadCell Empty() { return {}; }

::testing::AssertionResult SameRow(const std::vector<ReadCell>& row, const std::vector<ReadCell>& expected) {
    for (std::size_t c = 0; c < expected.size(); ++c) {
        const ReadCell actual = c < row.size() ? row[c] : ReadCell{};
        if (actual.type != expected[c].type || actual.text != expected[c].text ||
            actual.number != expected[c].number)
            return ::testing::AssertionFailure() << "column " << c << ": got " << actual.type << " '" << actual.text
                                                 << "' " << actual.number << ", expected " << expected[c].type
                                                 << " '" << expected[c].text << "' " << expected[c].number;
    }
    for (std::size_t c = expected.size(); c < row.size(); ++c)
        if (row[c].type != '-') return ::testing::AssertionFailure() << "column " << c << " not empty";
    return ::testing::AssertionSuccess();
}

DHPoint WithCodes(DHPoint p, int lxCode, int glCode, int poleType) {
    p.LXCode = lxCode;
    p.GLCode = glCode;
    p.PoleType = poleType;
    p.CrossAngle = 62.5;
    p.GLWide = 7.25;
    p.AddHight = 11.8;
    p.BZdmPt = "后1";
    p.FZdmPt = "前1";
    return p;
}

TEST_F(ResultsWorkbook, SheetsInOrderWithTheirHeadersFrozenAndPrintedA4Landscape) {
    const ReadWorkbook book = WriteAndRead({PlanePoint("J1", JStake, 1, 2, 3)}, {}, "西线 R&D");
    ASSERT_EQ(book.sheets.size(), 4u);
    const std::vector<std::vector<std::string>> headers = {
        {"点名", "编码", "X(北)", "Y(东)", "H", "B", "L", "转角(度.分秒)", "档距", "里程"},
        {"点名", "类别", "编码", "X", "Y", "H", "里程", "偏距", "起点J桩", "终点J桩"},
        {"点名", "类别", "跨越物/沟路类别", "连码", "杆型", "跨越角/塘房长", "沟路宽/塘房宽", "量高/房高", "H",
         "后中断面点", "前中断面点", "里程", "偏距"},
        {"中桩", "A断面点数", "B断面点数", "C断面点数", "D断面点数", "E-H断面点数", "未测断面"},
    };
    const char* names[] = {"桩位成果表", "全部点", "交叉跨越", "塔基断面"};
    for (std::size_t s = 0; s < 4; ++s) {
        const ReadSheet& sheet = book.sheets[s];
        EXPECT_EQ(sheet.name, names[s]);
        EXPECT_EQ(sheet.Headers(), headers[s]) << sheet.name;
        EXPECT_EQ(sheet.freeze, "A2") << sheet.name;
        EXPECT_EQ(sheet.orientation, "landscape") << sheet.name;
        EXPECT_EQ(sheet.paperSize, 9) << sheet.name;
        EXPECT_EQ(sheet.titleRows, "$1:$1") << sheet.name;
        EXPECT_EQ(sheet.headerRight, "2026-05-01") << sheet.name;
        ASSERT_EQ(sheet.widths.size(), headers[s].size()) << sheet.name;
        for (double width : sheet.widths) EXPECT_GT(width, 0) << sheet.name;
    }
    // "&" starts a code in a page header; "&&" prints one.
    EXPECT_EQ(book.sheets[0].headerLeft, "西线 R&&D");
}

TEST_F(ResultsWorkbook, ColumnsAreAsWideAsTheirWidestCell) {
    const std::string longName = "很长的点名很长的点名很长的点名";  // 15 wide characters
    const ReadWorkbook book = WriteAndRead({PlanePoint(longName, JStake, 3400123.4567, 1, 2), PlanePoint("Z", ZStake)});
    const ReadSheet& stakes = book.sheets.at(0);
    EXPECT_GE(stakes.widths.at(0), 30) << "two cells for every Chinese character";
    EXPECT_GE(stakes.widths.at(2), 12) << "3400123.4567";
    EXPECT_LT(stakes.widths.at(4), stakes.widths.at(2)) << "H holds shorter numbers than X";
}

TEST_F(ResultsWorkbook, LongTitleWithAmpersandsStillMakesAPageHeader) {
    std::string title;
    for (int i = 0; i < 100; ++i) title += "线路&";
    const ReadWorkbook book = WriteAndRead({PlanePoint("J1", JStake)}, {}, title);
    std::string left = book.sheets.at(0).headerLeft;
    for (std::size_t at = 0; (at = left.find("&&", at)) != std::string::npos; ++at) left.erase(at, 1);
    EXPECT_GE(left.size(), 100u);
    EXPECT_EQ(title.compare(0, left.size(), left), 0) << "the title's beginning: " << left;
}

TEST_F(ResultsWorkbook, StakeSheetHoldsOnlyStakesInRouteOrder) {
    DHPointList points = {PlanePoint("J1", JStake, 0, 0, 10.00004, "转角桩"), PlanePoint("A", AuxPoint, 50, 30),
                          PlanePoint("Z1", ZStake, 60, 0), PlanePoint("J2", JStake, 100, 0),
                          PlanePoint("J3", JStake, 200, 100)};
    points[0].B = 30.12345678901;
    points[0].L = 114.5;
    points[2].Mileage = 60.00005;
    const ReadWorkbook book = WriteAndRead(points);
    const ReadSheet& sheet = book.sheets.at(0);
    ASSERT_EQ(sheet.rows.size(), 5u);
    EXPECT_TRUE(SameRow(sheet.rows[1], {Text("J1"), Text("转角桩"), Number(0), Number(0), Number(10.0), Number(30.123456789),
                                        Number(114.5), Text("右0.00000000"), Number(0), Number(0)}));
    // Z1's span is measured to the auxiliary point before it, as the CSV does.
    EXPECT_TRUE(SameRow(sheet.rows[2], {Text("Z1"), Empty(), Number(60), Number(0), Number(0), Number(0), Number(0),
                                        Empty(), Number(31.623), Number(60.0001)}));
    EXPECT_TRUE(SameRow(sheet.rows[3], {Text("J2"), Empty(), Number(100), Number(0), Number(0), Number(0), Number(0),
                                        Text("右45.00000000"), Number(40), Number(0)}));
    EXPECT_EQ(sheet.rows[4][0].text, "J3");
}

TEST_F(ResultsWorkbook, AllPointsSheetNamesTheKindAndTheJLine) {
    DHPointList points = {PlanePoint("J1", JStake), PlanePoint("甲", HouseThreePoint, 5, 6, 7, "房"),
                          PlanePoint("J2", JStake, 10, 0)};
    points[1].Mileage = 5.5;
    points[1].Offset = -6.25;
    points[1].StartJ = "J1";
    points[1].EndJ = "J2";
    points[2].DHType = 9;  // no such kind: no name, the row is still there
    const ReadWorkbook book = WriteAndRead(points);
    const ReadSheet& sheet = book.sheets.at(1);
    ASSERT_EQ(sheet.rows.size(), 4u);
    EXPECT_TRUE(SameRow(sheet.rows[2], {Text("甲"), Text("3点测房"), Text("房"), Number(5), Number(6), Number(7),
                                        Number(5.5), Number(-6.25), Text("J1"), Text("J2")}));
    EXPECT_TRUE(SameRow(sheet.rows[3], {Text("J2"), Empty(), Empty(), Number(10), Number(0), Number(0), Number(0),
                                        Number(0)}));
}

// Each kind shows the attributes it carries and leaves the others empty.
TEST_F(ResultsWorkbook, CrossingSheetShowsTheAttributesOfEachKind) {
    const DHPointList points = {
        PlanePoint("J1", JStake),
        WithCodes(PlanePoint("跨1", CrossingOnePoint, 0, 0, 4), 35, 184, 7),
        WithCodes(PlanePoint("路1", FeatureOnePoint, 0, 0, 4), 35, 184, 7),
        WithCodes(PlanePoint("路2", FeatureTwoPoint, 0, 0, 4), 35, 0, 7),
        WithCodes(PlanePoint("房1", HouseThreePoint, 0, 0, 4), 35, 201, 7),
        WithCodes(PlanePoint("跨2", CrossingOnePoint, 0, 0, 4), 48, 184, 42),
        WithCodes(PlanePoint("辅1", AuxPoint), 35, 184, 7),
        PlanePoint("Z1", ZStake),
    };
    const ReadWorkbook book = WriteAndRead(points);
    const ReadSheet& sheet = book.sheets.at(2);
    const std::vector<std::vector<ReadCell>> expected = {
        {Text("跨1"), Text("1点测标注跨越物"), Text("220kV"), Number(35), Text("7--[T]"), Number(62.5), Empty(),
         Number(11.8), Number(4), Empty(), Empty(), Number(0), Number(0)},
        {Text("路1"), Text("1点测路河塘房等"), Text("公路"), Number(184), Empty(), Number(62.5), Number(7.25),
         Number(11.8), Number(4), Empty(), Empty(), Number(0), Number(0)},
        // Code 0 has no name, although the first row of its table holds 0.
        {Text("路2"), Text("2点测路河塘房等"), Empty(), Number(0), Empty(), Number(62.5), Number(7.25), Number(11.8),
         Number(4), Text("后1"), Text("前1"), Number(0), Number(0)},
        {Text("房1"), Text("3点测房"), Text("房屋"), Number(201), Empty(), Number(62.5), Number(7.25), Number(11.8),
         Number(4), Text("后1"), Text("前1"), Number(0), Number(0)},
        // Codes no table holds keep the number and show no name.
        {Text("跨2"), Text("1点测标注跨越物"), Empty(), Number(48), Empty(), Number(62.5), Empty(), Number(11.8),
         Number(4), Empty(), Empty(), Number(0), Number(0)},
    };
    ASSERT_EQ(sheet.rows.size(), expected.size() + 1);
    for (std::size_t r = 0; r < expected.size(); ++r)
        EXPECT_TRUE(SameRow(sheet.rows[r + 1], expected[r])) << expected[r][0].text;
}

TGDataUnit TowerRow(const std::string& stake, int subIndex) {
    TGDataUnit row;
    row.PegName = stake;
    row.SubIndex = subIndex;
    return row;
}

TEST_F(ResultsWorkbook, TowerBaseSheetCountsSectionsPerCentreStake) {
    // Stakes in order of first appearance, exact text; sections 0-based as stored.
    const std::vector<TGDataUnit> rows = {
        TowerRow("J3", 0), TowerRow("Z4", 1), TowerRow("J3", 0), TowerRow("J3", 1), TowerRow("J3", 2),
        TowerRow("J3", 3), TowerRow("j3", 0), TowerRow("Z4", 4), TowerRow("Z4", 7), TowerRow("Z4", 8),
        TowerRow("Z4", -1), TowerRow("J3", 3),
    };
    const ReadWorkbook book = WriteAndRead({PlanePoint("J1", JStake)}, rows);
    const ReadSheet& sheet = book.sheets.at(3);
    ASSERT_EQ(sheet.rows.size(), 4u);
    EXPECT_TRUE(SameRow(sheet.rows[1],
                        {Text("J3"), Number(2), Number(1), Number(1), Number(2), Number(0), Empty()}));
    EXPECT_TRUE(SameRow(sheet.rows[2], {Text("Z4"), Number(0), Number(1), Number(0), Number(0), Number(2),
                                        Text("A、C、D")}));
    EXPECT_TRUE(SameRow(sheet.rows[3], {Text("j3"), Number(1), Number(0), Number(0), Number(0), Number(0),
                                        Text("B、C、D")}));
}

// The library prints numbers with the process locale; a desktop program
// runs in the user's.
TEST_F(ResultsWorkbook, NumbersSurviveACommaDecimalLocale) {
    const std::string before = std::setlocale(LC_ALL, nullptr);
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8")) GTEST_SKIP() << "de_DE.UTF-8 locale not installed";
    DHPoint p = PlanePoint("J1", JStake, 3400123.4567, 500321.9877, 12.5);
    p.B = 30.1234567891;
    const std::string path = dir_.File("成果.xlsx");
    const Status status = WriteResultsWorkbook({"线路", "2026-05-01", {p}, {}}, path);
    std::setlocale(LC_ALL, before.c_str());
    ASSERT_TRUE(status.ok()) << status.message();
    const ReadWorkbook book = testing::ReadWithOpenpyxl(python_, path);
    ASSERT_TRUE(book.ok) << book.error;
    const ReadSheet& sheet = book.sheets.at(0);
    ASSERT_EQ(sheet.rows.size(), 2u);
    EXPECT_EQ(sheet.rows[1][2].number, 3400123.4567);
    EXPECT_EQ(sheet.rows[1][4].number, 12.5);
    EXPECT_EQ(sheet.rows[1][5].number, 30.1234567891);
}

// Without a reader at hand: the workbook is a zip archive that replaced the
// earlier file, under a Chinese folder, with no temporary file left.
TEST(ResultsWorkbookFile, ReplacesTheEarlierFileUnderAChineseFolder) {
    testing::TempDir dir;
    const std::string folder = dir.File("线路 资料");
    std::filesystem::create_directory(text::FsPath(folder));
    const std::string path = folder + "/成果表.xlsx";
    testing::WriteFileBytes(path, "earlier");
    const Status status = WriteResultsWorkbook({"线路", "2026-05-01", {PlanePoint("J1", JStake)}, {}}, path);
    ASSERT_TRUE(status.ok()) << status.message();
    EXPECT_EQ(testing::ReadFileBytes(path).substr(0, 4), std::string("PK\x03\x04", 4));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(text::FsPath(folder)), {}), 1) << "a temporary file is left";
}

// A failed write leaves no workbook and no temporary file, and an earlier
// workbook at the path as it was.
TEST(ResultsWorkbookFailure, LeavesNothingBehind) {
    testing::TempDir dir;
    const DHPointList none;
    const DHPointList one = {PlanePoint("J1", JStake)};
    std::filesystem::create_directory(text::FsPath(dir.File("已有目录")));
    struct Case {
        const char* what;
        const DHPointList& points;
        std::string path;
        std::string message;
    } cases[] = {
        {"empty list", none, dir.File("空.xlsx"), "工程中没有点"},
        {"missing folder", one, dir.File("无此目录/成果.xlsx"), "写入成果表失败：" + dir.File("无此目录/成果.xlsx")},
        {"a folder", one, dir.File("已有目录"), "写入成果表失败："},
        {"empty path", one, "", "写入成果表失败："},
    };
    for (const Case& c : cases) {
        const Status status = WriteResultsWorkbook({"线路", "2026-05-01", c.points, {}}, c.path);
        EXPECT_FALSE(status.ok()) << c.what;
        EXPECT_NE(status.message().find(c.message), std::string::npos) << c.what << ": " << status.message();
    }
    std::vector<std::string> left;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) left.push_back(text::Utf8Path(entry.path().filename()));
    EXPECT_EQ(left, std::vector<std::string>{"已有目录"});

    // A name longer than a cell holds fails inside the library, after the
    // temporary file was opened.
    const std::string earlier = dir.File("成果.xlsx");
    testing::WriteFileBytes(earlier, "earlier");
    const DHPointList tooLong = {PlanePoint(std::string(40000, 'x'), JStake)};
    const Status status = WriteResultsWorkbook({"线路", "2026-05-01", tooLong, {}}, earlier);
    EXPECT_FALSE(status.ok());
    EXPECT_NE(status.message().find("写入成果表失败：" + earlier), std::string::npos) << status.message();
    EXPECT_EQ(testing::ReadFileBytes(earlier), "earlier");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2) << "a temporary file is left";
}

}  // namespace
}  // namespace linvara
