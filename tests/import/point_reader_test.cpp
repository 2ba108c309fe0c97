// Data lines to points: kinds, header rows, and every bad line with its reason.
#include <gtest/gtest.h>

#include "import/gauss_kruger.h"
#include "import/point_reader.h"

namespace linvara::import {
namespace {

ImportStyle Style(const char* columns) {
    ImportStyle style;
    std::string error;
    EXPECT_TRUE(ParseColumnList(columns, style.columns, error)) << error;
    return style;
}

std::string BadText(const ReadPoints& read) {
    std::string out;
    for (const BadLine& b : read.bad) out += std::to_string(b.line) + ":" + b.reason + "\n";
    return out;
}

TEST(ReadPointText, EachBadLineWithItsNumberAndReason) {
    const ReadPoints read = ReadPointText(
        "J1,转角桩,100,200,5\n"
        "J2,转角桩,100\n"
        "\n"
        "3,,1O0.5,200,5\n"
        "J1,,101,201,5\n"
        ",x,1,2,3\n"
        "5,,nan,2,3\n"
        "6,,+1.5,-2,1e2\n",
        Style("name,code,x,y,h"), nullptr);
    EXPECT_EQ(BadText(read),
              "2:字段太少（应有5个，只有3个）\n"
              "4:北坐标x不是数字：“1O0.5”\n"
              "5:点名重复：J1（第1行已有）\n"
              "6:点名为空\n"
              "7:北坐标x不是数字：“nan”\n");
    ASSERT_EQ(read.points.size(), 2u);
    EXPECT_EQ(read.points[1].name, "6");
    EXPECT_EQ(read.points[1].north, 1.5);
    EXPECT_EQ(read.points[1].east, -2);
    EXPECT_EQ(read.points[1].height, 100);
}

TEST(ReadPointText, KindsFromNamePrefixes) {
    struct Case {
        const char* name;
        const char* jPrefix;
        int kind;
    } cases[] = {
        {"J12", "J", 0}, {"Z3", "J", 1},  {"J", "J", 2},     {"J1a", "J", 2}, {"j1", "J", 2},
        {"JX1", "J", 2}, {"17", "J", 2},  {"JD4", "JD", 0},  {"J4", "JD", 2},
    };
    for (const Case& c : cases) {
        ImportStyle style = Style("name,x,y");
        style.jPrefix = c.jPrefix;
        const ReadPoints read = ReadPointText(std::string(c.name) + ",1,2\n", style, nullptr);
        ASSERT_EQ(read.points.size(), 1u) << c.name;
        EXPECT_EQ(read.points[0].kind, c.kind) << c.name << " with prefix " << c.jPrefix;
    }
}

TEST(ReadPointText, KindsAndFeaturesFromAMappedCodeColumn) {
    ImportStyle style = Style("name,code,x,y");
    style.kindRule = KindRule::CodeMap;
    style.codeKinds = {{"转角桩", 0, 0}, {"电力线", 3, 32}, {"公路", 4, 184}};
    const ReadPoints read = ReadPointText("A,转角桩,1,2\nB,电力线,1,3\nC,公路,1,4\nD,水塔,1,5\nE,,1,6\n", style, nullptr);
    EXPECT_EQ(BadText(read), "4:未知编码：“水塔”\n5:未知编码：“”\n");
    ASSERT_EQ(read.points.size(), 3u);
    EXPECT_EQ(read.points[0].kind, 0);
    EXPECT_EQ(read.points[1].kind, 3);
    EXPECT_EQ(read.points[1].feature, 32);
    EXPECT_EQ(read.points[2].kind, 4);
    EXPECT_EQ(read.points[2].feature, 184);
}

TEST(ReadPointText, HeaderRowFindsTheColumnsByTheUsualNames) {
    struct Case {
        const char* text;
        const char* name;
        double north, east, height;
    } cases[] = {
        {"点号,编码,东坐标,北坐标,高程\nP1,c,200,100,5\n", "P1", 100, 200, 5},
        {"NAME;Easting;Northing;Z\nP1;200;100;5\n", "P1", 100, 200, 5},
        {"序号\t点名\tX\tY\tH\n1\tP1\t100\t200\t5\n", "P1", 100, 200, 5},
        {"Pn,N,E,Height,备注\nP1,100,200,5,remark\n", "P1", 100, 200, 5},
    };
    for (const Case& c : cases) {
        const ReadPoints read = ReadPointText(c.text, *FindBuiltInStyle("header"), nullptr);
        ASSERT_EQ(read.failure, "") << c.text;
        ASSERT_EQ(read.points.size(), 1u) << c.text << BadText(read);
        EXPECT_EQ(read.points[0].name, c.name);
        EXPECT_EQ(read.points[0].north, c.north) << c.text;
        EXPECT_EQ(read.points[0].east, c.east) << c.text;
        EXPECT_EQ(read.points[0].height, c.height) << c.text;
    }
}

TEST(ReadPointText, WholeFileFailures) {
    struct Case {
        const char* text;
        ImportStyle style;
        const char* failure;
    } cases[] = {
        {"标题\n编码,X,Y\nc,1,2\n", [] { ImportStyle s = *FindBuiltInStyle("header"); s.skipLines = 1; return s; }(),
         "第2行（表头）：没有点名列"},
        {"", *FindBuiltInStyle("header"), "没有表头行"},
        {"P1,30.5,114.3\n", Style("name,lat,lon"), "文件只有经纬度，需要给出中央子午线或投影带"},
    };
    for (const Case& c : cases) EXPECT_EQ(ReadPointText(c.text, c.style, nullptr).failure, c.failure) << c.text;
}

TEST(ReadPointText, FillsTheCoordinatesTheFileLacks) {
    if (!GaussKruger::Available()) GTEST_SKIP() << GaussKruger::kNotInThisBuild;
    std::string error;
    const auto gk = GaussKruger::Create(ZoneOfMeridian(114), error);
    ASSERT_TRUE(gk) << error;
    // Zone 38 (3°) is 114°E; zone 39 is not.
    const ReadPoints plane =
        ReadPointText("P1,3380000,500000\nP2,3380000,38500000\nP3,3380000,39500000\n", Style("name,x,y"), gk.get());
    EXPECT_EQ(BadText(plane), "3:东坐标的带号与投影带不符：39500000.0000\n");
    ASSERT_EQ(plane.points.size(), 2u);
    EXPECT_NEAR(plane.points[0].longitude, 114, 1e-9);
    EXPECT_EQ(plane.points[1].latitude, plane.points[0].latitude);
    EXPECT_EQ(plane.points[1].east, 500000);  // stored without the zone number, as the other points
    EXPECT_EQ(plane.zonePrefix, 38);
    EXPECT_EQ(plane.zonePrefixed, 1u);

    const ReadPoints geo = ReadPointText("P1,30.5,114\nP2,95,114\n", Style("name,lat,lon"), gk.get());
    EXPECT_EQ(BadText(geo), "2:纬度或经度超出范围\n");
    ASSERT_EQ(geo.points.size(), 1u);
    EXPECT_NEAR(geo.points[0].east, 500000, 1e-6);
}

// A field holding the delimiter or a quote is read whole or refused with the
// line: never shortened, never shifted into the next column.
TEST(ReadPointText, NoFieldIsCutSilently) {
    struct Case {
        const char* line;
        const char* style;
        const char* name;  // of the point read, or empty when the line is bad
        const char* code;
        const char* bad;
    } cases[] = {
        {"\"塔\"号'3 东,c,3380000,500000,1", "pn-pc-x-y-h", "", "", "1:第1个字段的结束引号后还有文字：“号'3 东”\n"},
        {"\"塔,3\",c,3380000,500000,1", "pn-pc-x-y-h", "塔,3", "c", ""},
        {"塔\"3,c,3380000,500000,1", "pn-pc-x-y-h", "塔\"3", "c", ""},
        {"\"塔,3,c,3380000,500000,1", "pn-pc-x-y-h", "", "", "1:第1个字段的引号没有闭合\n"},
        {"P,3380000,500000,1,a,b", "pn-x-y-h-pc", "", "", "1:字段太多（应有5个，却有6个），点名或编码中可能含有分隔符\n"},
        {"P 3380000 500000 1 a b", "pn-x-y-h-pc-sp", "", "", "1:字段太多（应有5个，却有6个），点名或编码中可能含有分隔符\n"},
        {"P,3380000,500000,1,\"a,b\"", "pn-x-y-h-pc", "P", "a,b", ""},
        {"P,c,3380000,500000,1,", "pn-pc-x-y-h", "P", "c", ""},  // an empty field after the last is nothing cut
        {"\"P\" 3380000 500000 1 c", "pn-x-y-h-pc-sp", "\"P\"", "c", ""},
    };
    for (const Case& c : cases) {
        const ReadPoints read = ReadPointText(c.line, *FindBuiltInStyle(c.style), nullptr);
        EXPECT_EQ(BadText(read), c.bad) << c.line;
        if (*c.name == 0) {
            EXPECT_TRUE(read.points.empty()) << c.line;
            continue;
        }
        ASSERT_EQ(read.points.size(), 1u) << c.line;
        EXPECT_EQ(read.points[0].name, c.name) << c.line;
        EXPECT_EQ(read.points[0].code, c.code) << c.line;
    }
}

std::string Eastings(const ReadPoints& read) {
    std::string out;
    for (const ImportedPoint& p : read.points) out += p.name + "=" + std::to_string(static_cast<long long>(p.east)) + " ";
    return out;
}

// Without a projection the file's other points say whether a zone number
// belongs: the number most of them carry, and an east coordinate near theirs.
TEST(ReadPointText, ZoneNumbersInFrontOfEastCoordinates) {
    struct Case {
        const char* what;
        const char* text;
        const char* eastings;
        const char* bad;
        int zone;
    } cases[] = {
        {"one point among plain ones", "J1,3380000,511900\nJ2,3380500,38511950\nJ3,3381000,512000\n",
         "J1=511900 J2=511950 J3=512000 ", "", 38},
        {"a number that leaves it far from the others", "J1,3380000,511900\nJ2,3380500,38151950\nJ3,3381000,512000\n",
         "J1=511900 J3=512000 ",
         "2:东坐标38151950.0000去掉带号38后为151950.0000，与文件中其他点的东坐标都相差50千米以上\n", 0},
        {"another zone's number", "P1,3380000,38511900\nP2,3380100,38511950\nP3,3380200,39511950\n",
         "P1=511900 P2=511950 ", "3:东坐标的带号39与文件中其他点的带号38不符：39511950.0000\n", 38},
        {"every point numbered, far apart", "P1,3380000,38511900\nP2,3380100,38411950\n", "P1=511900 P2=411950 ", "", 38},
        {"seven digits are no zone number", "P1,3380000,3851190\nP2,3380100,511950\n", "P1=3851190 P2=511950 ", "", 0},
        {"nine digits neither", "P1,3380000,385119000\nP2,3380100,511950\n", "P1=385119000 P2=511950 ", "", 0},
    };
    for (const Case& c : cases) {
        const ReadPoints read = ReadPointText(c.text, Style("name,x,y"), nullptr);
        EXPECT_EQ(read.failure, "") << c.what;
        EXPECT_EQ(Eastings(read), c.eastings) << c.what;
        EXPECT_EQ(BadText(read), c.bad) << c.what;
        EXPECT_EQ(read.zonePrefix, c.zone) << c.what;
    }
}

// A file written with X east and Y north (GIS programs) is refused before
// anything is read into points, unless the columns are to be exchanged.
TEST(ReadPointText, ExchangedXAndYAreToldBeforeImporting) {
    const char* const gis = "X,Y,name,h\n500000.25,3380000.5,J1,10.5\n38500100,3380100,J2,11\n";
    const ReadPoints refused = ReadPointText(gis, *FindBuiltInStyle("header"), nullptr);
    EXPECT_TRUE(refused.looksSwapped);
    EXPECT_EQ(refused.failure, "北坐标x列的值都像东坐标，东坐标y列的值都像北坐标（x从500000.250到38500100.000，"
                               "y从3380000.500到3380100.000）：文件的X/Y可能是东/北（GIS软件的写法），需交换X/Y后导入");

    const ReadPoints swapped = ReadPointText(gis, *FindBuiltInStyle("header"), nullptr, true);
    EXPECT_EQ(swapped.failure, "");
    EXPECT_EQ(BadText(swapped), "");
    ASSERT_EQ(swapped.points.size(), 2u);
    EXPECT_EQ(swapped.points[0].north, 3380000.5);
    EXPECT_EQ(swapped.points[0].east, 500000.25);
    EXPECT_EQ(swapped.points[1].east, 500100);  // its zone number taken off once exchanged

    if (GaussKruger::Available()) {  // with a projection too: said once, not as a bad zone number per line
        std::string error;
        const auto gk = GaussKruger::Create(ZoneOfMeridian(114), error);
        ASSERT_TRUE(gk) << error;
        const ReadPoints projected = ReadPointText(gis, *FindBuiltInStyle("header"), gk.get());
        EXPECT_TRUE(projected.looksSwapped);
        EXPECT_EQ(BadText(projected), "");
        const ReadPoints placed = ReadPointText(gis, *FindBuiltInStyle("header"), gk.get(), true);
        ASSERT_EQ(placed.points.size(), 2u) << BadText(placed);
        EXPECT_NEAR(placed.points[0].longitude, 114, 1e-5);
    }

    const char* const notSwapped[] = {
        "P1,3380000,500000\nP2,500100,3380100\n",  // one point exchanged: the distance check's business
        "P1,3380000,38500000\n",
        "P1,500000,500000\n",                      // a local grid
        "P1,0,0\n",
    };
    for (const char* text : notSwapped) {
        const ReadPoints read = ReadPointText(text, Style("name,x,y"), nullptr);
        EXPECT_FALSE(read.looksSwapped) << text;
        EXPECT_EQ(read.failure, "") << text;
    }
}

}  // namespace
}  // namespace linvara::import
