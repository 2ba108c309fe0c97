// Point files that are not plain text in one encoding: Unicode files are read
// through their byte-order mark; what is no text, or text in two encodings,
// is refused with the line that shows it and writes nothing.
#include <gtest/gtest.h>

#include <filesystem>

#include "import/import_file.h"
#include "import/point_reader.h"
#include "import/style_text.h"
#include "support/project_file.h"
#include "support/temp_dir.h"
#include "text/encoding.h"

namespace linvara::import {
namespace {

using testing::FirstColumn;
using testing::TempDir;

ImportOptions Options(const char* style, Encoding encoding = Encoding::Auto) {
    ImportOptions options;
    options.style = *FindBuiltInStyle(style);
    options.style.encoding = encoding;
    return options;
}

std::string Utf16Le(std::u16string_view units) {
    std::string bytes = "\xFF\xFE";
    for (char16_t u : units) {
        bytes += static_cast<char>(u & 0xFF);
        bytes += static_cast<char>(u >> 8);
    }
    return bytes;
}

TEST(ImportTextFile, AUnicodeFileWithItsMarkImportsAsTheGbkOne) {
    TempDir dir;
    testing::WriteFileBytes(dir.File("gbk.csv"), text::Utf8ToGb18030("点号,X,Y,编码\r\nJ1,1,2,杆上\r\n中桩上,3,4,电力线\r\n"));
    testing::WriteFileBytes(dir.File("utf16.csv"), Utf16Le(u"点号,X,Y,编码\r\nJ1,1,2,杆上\r\n中桩上,3,4,电力线\r\n"));
    for (const char* name : {"gbk", "utf16"}) {
        ImportOutcome outcome;
        const std::string out = dir.File(std::string(name) + ".PD");
        ASSERT_TRUE(testing::IsOk(ImportPointFile(dir.File(std::string(name) + ".csv"), out, Options("header"), outcome)))
            << name;
        EXPECT_EQ(FirstColumn(out, "SELECT Name FROM Point ORDER BY ID"), (std::vector<std::string>{"J1", "中桩上"}))
            << name;
    }
}

TEST(ImportTextFile, WhatIsNoTextInOneEncodingIsRefusedWithItsLine) {
    const std::string gbkLine = text::Utf8ToGb18030("J2,,1,2,3,电杆\n");
    const struct {
        const char* what;
        std::string bytes;
        Encoding encoding;
        std::string message;
    } cases[] = {
        {"a NUL inside a name", std::string("J1,,1,2,3\nJ\0002,,1,2,3\n", 20), Encoding::Auto,
         "p.txt 第2行：含有NUL字符：不是文本文件（或是没有字节顺序标记的UTF-16文件）"},
        {"UTF-16 without its mark", std::string("J\0001\0,\0", 6), Encoding::Auto,
         "p.txt 第1行：含有NUL字符：不是文本文件（或是没有字节顺序标记的UTF-16文件）"},
        {"a line of 2 MB", "J1,,1,2,3\n" + std::string(2u << 20, 'x'), Encoding::Auto,
         "p.txt 第2行：一行超过1048576字节：不是文本文件"},
        {"UTF-8 and GB18030 lines", "J1,,1,2,3,中文编码\n" + gbkLine, Encoding::Auto,
         "p.txt 第1行是UTF-8编码，第2行却是GB18030编码：文件混用了两种编码，请把文件存为同一种编码，或指定文件的编码"},
        {"GB18030 in a UTF-8 style", "J1,,1,2,3,中文\n" + gbkLine, Encoding::Utf8,
         "p.txt 第2行：不是UTF-8编码的文字（样式指定了UTF-8）"},
    };
    for (const auto& c : cases) {
        TempDir dir;
        testing::WriteFileBytes(dir.File("p.txt"), c.bytes);
        ImportOptions options;
        options.style.columns = {Column::Name, Column::Code, Column::North, Column::East, Column::Height, Column::Skip};
        options.style.encoding = c.encoding;
        ImportOutcome outcome;
        const Status refused = ImportPointFile(dir.File("p.txt"), dir.File("p.PD"), options, outcome);
        EXPECT_EQ(refused.message(), c.message) << c.what;
        EXPECT_FALSE(std::filesystem::exists(dir.File("p.PD"))) << c.what;
    }
}

// One GB18030 file in the Auto style: a line of a few characters that
// happens to be valid UTF-8 does not make it a mixed file.
TEST(ImportTextFile, AGbkFileWithAnAccidentalUtf8LineStaysGbk) {
    TempDir dir;
    // "一业" is D2 BB D2 B5 in GB18030: valid UTF-8 of two other characters.
    const std::string bytes = text::Utf8ToGb18030("J1,,1,2,3,杆塔\nJ2,,1,2,3,一业\n");
    testing::WriteFileBytes(dir.File("p.txt"), bytes);
    ImportOptions options;
    options.style.columns = {Column::Name, Column::Skip, Column::North, Column::East, Column::Height, Column::Code};
    ImportOutcome outcome;
    ASSERT_TRUE(testing::IsOk(ImportPointFile(dir.File("p.txt"), dir.File("p.PD"), options, outcome)));
    const DHPointList list = testing::StakeListOf(dir.File("p.PD"));
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].Code, "杆塔");
    EXPECT_EQ(list[1].Code, "一业");
}

// A saved style file is read as the point files are: through its mark, and
// refused with the line when it is no text.
TEST(ImportTextFile, StyleFilesAreReadThroughTheirMarkAndRefusedWhenNoText) {
    TempDir dir;
    const std::u16string style = u"name=外业\r\ncolumns=name,x,y\r\nj-prefix=转\r\n";
    testing::WriteFileBytes(dir.File("unicode.style"), Utf16Le(style));
    ImportStyle read;
    std::string error;
    ASSERT_TRUE(StyleFromFile(dir.File("unicode.style"), read, error)) << error;
    EXPECT_EQ(read.name, "外业");
    EXPECT_EQ(read.jPrefix, "转");
    EXPECT_EQ(read.columns, (std::vector<Column>{Column::Name, Column::North, Column::East}));

    testing::WriteFileBytes(dir.File("binary.style"), std::string("name=a\ncolumns=name,x,y\0\n", 25));
    EXPECT_FALSE(StyleFromFile(dir.File("binary.style"), read, error));
    EXPECT_EQ(error, "第2行：含有NUL字符：不是文本文件（或是没有字节顺序标记的UTF-16文件）");
    EXPECT_FALSE(StyleFromFile(dir.File("none.style"), read, error));
    EXPECT_EQ(error, "");  // the caller names the file it could not read
}

// The duplicate scan of a header row is linear: a header of 250 000 fields
// took half a minute when each field was compared with all before it (the
// test then ran that long; it asserts no time).
TEST(ImportTextFile, AHeaderOfManyFieldsIsReadInLinearTime) {
    std::vector<std::string> words(250000, "x");
    words[0] = "点号";
    words[2] = "y";
    std::vector<std::string_view> headings(words.begin(), words.end());
    const std::vector<Column> columns = ColumnsFromHeader(headings);
    ASSERT_EQ(columns.size(), headings.size());
    EXPECT_EQ(columns[0], Column::Name);
    EXPECT_EQ(columns[1], Column::North);
    EXPECT_EQ(columns[2], Column::East);
    EXPECT_EQ(columns[3], Column::Skip);  // a repeated x is read once, at its first place
}

}  // namespace
}  // namespace linvara::import
