// Decoding, line and field splitting of point files.
#include <gtest/gtest.h>

#include "import/text_fields.h"
#include "text/encoding.h"

namespace linvara::import {
namespace {

std::vector<std::string> Split(std::string_view line, Delimiter d) {
    std::vector<std::string_view> fields;
    std::string unquoted;
    EXPECT_EQ(SplitFields(line, d, fields, unquoted), "") << line;
    return {fields.begin(), fields.end()};
}

using V = std::vector<std::string>;

TEST(SplitFields, EachDelimiter) {
    struct Case {
        const char* line;
        Delimiter delimiter;
        V fields;
    } cases[] = {
        {"J1, 转角桩 ,1.5,2", Delimiter::Comma, {"J1", "转角桩", "1.5", "2"}},
        {"J1,,1.5,", Delimiter::Comma, {"J1", "", "1.5", ""}},
        {"\"J 1\",\"a,\"\"b\"\"\",3", Delimiter::Comma, {"J 1", "a,\"b\"", "3"}},
        // A quoted field is read whole, delimiters and all, with blanks around its quotes.
        {"\"塔,3\" , \"\",\"\"\"\"", Delimiter::Comma, {"塔,3", "", "\""}},
        {"\"a\tb\"\t1", Delimiter::Tab, {"a\tb", "1"}},
        {"\"a;b\";1", Delimiter::Auto, {"a;b", "1"}},
        // A quote inside an unquoted field is a character of it, as our own files hold it.
        {"塔\"3,c,1", Delimiter::Comma, {"塔\"3", "c", "1"}},
        // The "-sp" kinds quote nothing.
        {"\"塔\"号'3 c 1", Delimiter::SingleSpace, {"\"塔\"号'3", "c", "1"}},
        {"J1;c;1,5", Delimiter::Semicolon, {"J1", "c", "1,5"}},
        {"J1\t\t2", Delimiter::Tab, {"J1", "", "2"}},
        {"  J1   c \t 2  ", Delimiter::Spaces, {"J1", "c", "2"}},
        // Our "-sp" result kinds: an empty code is two spaces in a row.
        {"J1  1.0 2.0", Delimiter::SingleSpace, {"J1", "", "1.0", "2.0"}},
        {"J1 1.0 2.0 ", Delimiter::SingleSpace, {"J1", "1.0", "2.0", ""}},
        {"J1\t1,2", Delimiter::Auto, {"J1", "1,2"}},
        {"J1;1 2", Delimiter::Auto, {"J1", "1 2"}},
        {"J1 1 2", Delimiter::Auto, {"J1", "1", "2"}},
    };
    for (const Case& c : cases) EXPECT_EQ(Split(c.line, c.delimiter), c.fields) << c.line;
}

// Lines whose quotes would cut a field are refused with the field and the reason.
TEST(SplitFields, QuotesThatCutAFieldAreRefused) {
    struct Case {
        const char* line;
        Delimiter delimiter;
        const char* error;
    } cases[] = {
        {"\"塔\"号'3 东,c,1,2,3", Delimiter::Comma, "第1个字段的结束引号后还有文字：“号'3 东”"},
        {"J1,\"转角桩,1,2", Delimiter::Comma, "第2个字段的引号没有闭合"},
        {"J1,\"a\"\"", Delimiter::Comma, "第2个字段的引号没有闭合"},
        {"J1\t\"a\" b\t1", Delimiter::Tab, "第2个字段的结束引号后还有文字：“b”"},
        {"J1;\"a\"x;1", Delimiter::Auto, "第2个字段的结束引号后还有文字：“x”"},
    };
    for (const Case& c : cases) {
        std::vector<std::string_view> fields;
        std::string unquoted;
        EXPECT_EQ(SplitFields(c.line, c.delimiter, fields, unquoted), c.error) << c.line;
    }
}

TEST(LineCursor, NumbersLinesOfEveryEnding) {
    LineCursor cursor("a\r\nb\nc\rd");
    std::string_view line;
    V seen;
    while (cursor.Next(line)) seen.push_back(std::to_string(cursor.Number()) + std::string(line));
    EXPECT_EQ(seen, (V{"1a", "2b", "3c", "4d"}));
}

TEST(DecodeText, AutoTellsUtf8FromGb18030) {
    const std::string utf8 = "点号,编码\n";
    const std::string gb = text::Utf8ToGb18030(utf8);
    ASSERT_NE(gb, utf8);
    struct Case {
        std::string bytes;
        Encoding encoding;
        std::string text;
    } cases[] = {
        {utf8, Encoding::Auto, utf8},
        {"\xEF\xBB\xBF" + utf8, Encoding::Auto, utf8},
        {"\xEF\xBB\xBF" + utf8, Encoding::Gb18030, utf8},  // a BOM says UTF-8 whatever was asked
        {gb, Encoding::Auto, utf8},
        {gb, Encoding::Gb18030, utf8},
        {"a\xFF" "b", Encoding::Utf8, "a\xEF\xBF\xBD" "b"},
    };
    for (const Case& c : cases) EXPECT_EQ(DecodeText(c.bytes, c.encoding), c.text);
}

}  // namespace
}  // namespace linvara::import
