// Styles: the built-in ones, their checks and their saved text form.
#include <gtest/gtest.h>

#include "import/import_style.h"
#include "import/style_text.h"

namespace linvara::import {
namespace {

TEST(BuiltInStyles, NameTheColumnsOfTheirFiles) {
    struct Case {
        const char* name;
        const char* columns;
        Delimiter delimiter;
    } cases[] = {
        {"cass", "name,code,y,x,h", Delimiter::Comma},
        {"pn-pc-y-x-h", "name,code,y,x,h", Delimiter::Comma},
        {"pn-pc-y-x-h-sp", "name,code,y,x,h", Delimiter::SingleSpace},
        {"pn-pc-x-y-h", "name,code,x,y,h", Delimiter::Comma},
        {"pn-pc-x-y-h-sp", "name,code,x,y,h", Delimiter::SingleSpace},
        {"pn-x-y-h-pc", "name,x,y,h,code", Delimiter::Comma},
        {"pn-x-y-h-pc-sp", "name,x,y,h,code", Delimiter::SingleSpace},
    };
    for (const Case& c : cases) {
        const ImportStyle* style = FindBuiltInStyle(c.name);
        ASSERT_NE(style, nullptr) << c.name;
        EXPECT_EQ(ColumnListText(style->columns), c.columns) << c.name;
        EXPECT_EQ(style->delimiter, c.delimiter) << c.name;
        EXPECT_EQ(CheckStyle(*style), "") << c.name;
    }
    ASSERT_NE(FindBuiltInStyle("header"), nullptr);
    EXPECT_TRUE(FindBuiltInStyle("header")->FromHeader());
    EXPECT_EQ(FindBuiltInStyle("dxf"), nullptr);
}

TEST(ParseColumnList, RefusesWhatCannotGivePoints) {
    struct Case {
        const char* list;
        bool ok;
    } cases[] = {
        {"name,code,x,y,h", true}, {"name,lat,lon", true}, {"skip,name,skip,y,x", true},
        {"code,x,y,h", false},       // no name
        {"name,x,h", false},         // one plane coordinate only
        {"name,x,y,x", false},       // a column twice
        {"name,x,y,height", false},  // unknown word
    };
    for (const Case& c : cases) {
        std::vector<Column> columns;
        std::string error;
        EXPECT_EQ(ParseColumnList(c.list, columns, error), c.ok) << c.list;
        EXPECT_EQ(error.empty(), c.ok) << c.list << ": " << error;
    }
}

TEST(CheckStyle, KindRules) {
    ImportStyle base = *FindBuiltInStyle("pn-pc-x-y-h");
    struct Case {
        const char* what;
        void (*change)(ImportStyle&);
        bool ok;
    } cases[] = {
        {"empty J prefix", [](ImportStyle& s) { s.jPrefix.clear(); }, false},
        {"equal prefixes", [](ImportStyle& s) { s.zPrefix = "J"; }, false},
        {"other prefixes", [](ImportStyle& s) { s.jPrefix = "JD"; s.zPrefix = "ZD"; }, true},
        {"code map", [](ImportStyle& s) { s.kindRule = KindRule::CodeMap; s.codeKinds = {{"路", 4, 184}}; }, true},
        {"code map without code column",
         [](ImportStyle& s) { s.kindRule = KindRule::CodeMap; s.columns = {Column::Name, Column::North, Column::East}; },
         false},
        {"feature not in the kind's table", [](ImportStyle& s) { s.kindRule = KindRule::CodeMap; s.codeKinds = {{"路", 3, 184}}; }, false},
        {"kind 7", [](ImportStyle& s) { s.kindRule = KindRule::CodeMap; s.codeKinds = {{"x", 7, 0}}; }, false},
        {"code twice", [](ImportStyle& s) { s.kindRule = KindRule::CodeMap; s.codeKinds = {{"a", 0, 0}, {"a", 1, 0}}; }, false},
    };
    for (const Case& c : cases) {
        ImportStyle style = base;
        c.change(style);
        EXPECT_EQ(CheckStyle(style).empty(), c.ok) << c.what << ": " << CheckStyle(style);
    }
}

TEST(StyleText, RoundTripsEveryField) {
    ImportStyle style;
    style.name = "现场RTK";
    style.columns = {Column::Skip, Column::Name, Column::Code, Column::Latitude, Column::Longitude, Column::Height};
    style.delimiter = Delimiter::Semicolon;
    style.skipLines = 2;
    style.encoding = Encoding::Gb18030;
    style.kindRule = KindRule::CodeMap;
    style.jPrefix = "JD";
    style.codeKinds = {{"转角桩", 0, 0}, {"电力线,10kV", 3, 32}, {"独立树", 2, 927}};
    ImportStyle back;
    std::string error;
    ASSERT_TRUE(StyleFromText(StyleToText(style), back, error)) << error << "\n" << StyleToText(style);
    EXPECT_EQ(back, style);
    for (const ImportStyle& builtIn : BuiltInStyles()) {
        ASSERT_TRUE(StyleFromText(StyleToText(builtIn), back, error)) << builtIn.name << ": " << error;
        EXPECT_EQ(back, builtIn);
    }
}

TEST(StyleText, FeaturesByNameAndBadLinesByNumber) {
    ImportStyle style;
    std::string error;
    ASSERT_TRUE(StyleFromText("columns=name,code,x,y\r\nkinds=codes\r\ncode=4,公路,路\r\ncode=2,阔叶独立树,树\r\n", style,
                              error))
        << error;
    EXPECT_EQ(style.codeKinds, (std::vector<CodeKind>{{"路", 4, 184}, {"树", 2, 927}}));

    struct Case {
        const char* text;
        const char* error;
    } cases[] = {
        {"columns=name,x,y\ncolour=red\n", "样式第2行：未知的项：colour"},
        {"columns=name,x,y\n\nskip-lines=-1\n", "样式第3行：跳过的行数不是非负整数"},
        {"columns=name,x,y\nkinds=codes\n", "按编码定点类型，但没有编码列"},
        {"columns=name,code,x,y\ncode=4,不存在,路\n", "样式第2行：编码行应为“点类型,地物编码,编码”，地物编码须在代码表中"},
    };
    for (const Case& c : cases) {
        EXPECT_FALSE(StyleFromText(c.text, style, error)) << c.text;
        EXPECT_EQ(error, c.error);
    }
}

// The import dialog's code map and a style file read a code line alike: each
// part without the spaces around it, the code last with any commas it holds.
TEST(StyleText, CodeLinesAsTheDialogAndAStyleFileGiveThem) {
    struct Case {
        const char* line;
        bool ok;
        CodeKind code;
    } cases[] = {
        {"4,公路,路", true, {"路", 4, 184}},
        {" 4 , 公路 ,\t路 ", true, {"路", 4, 184}},
        {"3, 40 ,通信线", true, {"通信线", 3, 40}},
        {"0,0,J,D", true, {"J,D", 0, 0}},
        {"4,公路", false, {}},
        {"4,公路, ", false, {}},
        {"四,公路,路", false, {}},
        {"3,公路,路", false, {}},  // 公路 is no crossed object
    };
    for (const Case& c : cases) {
        CodeKind code;
        EXPECT_EQ(ParseCodeKind(c.line, code), c.ok) << c.line;
        if (c.ok) EXPECT_EQ(code, c.code) << c.line;
        ImportStyle style;
        std::string error;
        const std::string text = std::string("columns=name,code,x,y\nkinds=codes\ncode=") + c.line + "\n";
        EXPECT_EQ(StyleFromText(text, style, error), c.ok) << c.line << ": " << error;
        if (c.ok) EXPECT_EQ(style.codeKinds, std::vector<CodeKind>{c.code}) << c.line;
    }
}

}  // namespace
}  // namespace linvara::import
