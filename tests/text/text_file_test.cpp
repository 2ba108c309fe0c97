#include "text/text_file.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace linvara::text {
namespace {

using testing::TempDir;
using testing::WriteFileBytes;

std::string Utf16Le(std::u16string_view units) {
    std::string bytes = "\xFF\xFE";
    for (char16_t u : units) {
        bytes += static_cast<char>(u & 0xFF);
        bytes += static_cast<char>(u >> 8);
    }
    return bytes;
}

std::string Utf16Be(std::u16string_view units) {
    std::string bytes = "\xFE\xFF";
    for (char16_t u : units) {
        bytes += static_cast<char>(u >> 8);
        bytes += static_cast<char>(u & 0xFF);
    }
    return bytes;
}

struct ReadCase {
    const char* what;
    std::string bytes;
    std::string text;  // expected when readable
    ByteOrderMark mark;
};

TEST(TextFile, TextIsReadAsItIsOrFromItsByteOrderMark) {
    const ReadCase cases[] = {
        {"8-bit bytes stay as they are", "J1,\xD6\xD0,1\r\nJ2\n", "J1,\xD6\xD0,1\r\nJ2\n",
         ByteOrderMark::None},
        {"an empty file", "", "", ByteOrderMark::None},
        {"UTF-8 mark dropped", "\xEF\xBB\xBFJ1,中\n", "J1,中\n", ByteOrderMark::Utf8},
        // 上 is 0x4E0A: its low byte is a line feed, which must not end a line.
        {"UTF-16 LE", Utf16Le(u"J1,中桩上\r\nJ2,𠀀\n"), "J1,中桩上\r\nJ2,𠀀\n", ByteOrderMark::Utf16Le},
        {"UTF-16 BE", Utf16Be(u"J1,中桩\n"), "J1,中桩\n", ByteOrderMark::Utf16Be},
        {"UTF-16 lone surrogate and odd last byte", Utf16Le(u"a\xD800" u"b") + "x", "a\uFFFDb\uFFFD",
         ByteOrderMark::Utf16Le},
    };
    for (const ReadCase& c : cases) {
        TempDir dir;
        WriteFileBytes(dir.File("t.txt"), c.bytes);
        TextFile file;
        const auto problem = ReadTextFile(dir.File("t.txt"), file);
        EXPECT_FALSE(problem.has_value()) << c.what << ": " << (problem ? ProblemText(*problem) : "");
        EXPECT_EQ(file.text, c.text) << c.what;
        EXPECT_EQ(file.mark, c.mark) << c.what;
    }
}

struct ProblemCase {
    const char* what;
    std::string bytes;
    std::string problem;
    std::size_t maxLine = 16;
};

TEST(TextFile, WhatIsNoTextIsRefusedWithItsLine) {
    const std::string nul = "第3行：含有NUL字符：不是文本文件（或是没有字节顺序标记的UTF-16文件）";
    const std::string utf16NoMark("J\0001\0,\0\n\0", 8);
    // A line feed at the end of one 64 KiB chunk, the CR LF's LF in the next.
    const std::string acrossChunks = std::string(65535, 'a') + "\r\nb\n" + std::string("c\0", 2);
    const ProblemCase cases[] = {
        {"NUL after LF", std::string("a\nb\nc\0d", 7), nul},
        {"NUL after CR LF", std::string("a\r\nb\r\nc\0d", 9), nul},
        {"NUL after CR", std::string("a\rb\rc\0d", 7), nul},
        {"NUL in UTF-16", Utf16Le(std::u16string(u"a\nb\nc\0d", 7)), nul},
        {"UTF-16 without its mark", utf16NoMark,
         "第1行：含有NUL字符：不是文本文件（或是没有字节顺序标记的UTF-16文件）"},
        {"lines counted across chunks", acrossChunks, nul, 1u << 20},
        {"a long line", "short\n" + std::string(17, 'x') + "\n", "第2行：一行超过16字节：不是文本文件"},
        {"a long UTF-16 line", Utf16Le(u"中中中中中中"), "第1行：一行超过16字节：不是文本文件"},
    };
    for (const ProblemCase& c : cases) {
        TempDir dir;
        WriteFileBytes(dir.File("t.txt"), c.bytes);
        TextFile file;
        const auto problem = ReadTextFile(dir.File("t.txt"), file, c.maxLine);
        ASSERT_TRUE(problem.has_value()) << c.what;
        EXPECT_EQ(ProblemText(*problem), c.problem) << c.what;
    }
}

TEST(TextFile, AHugeLineStopsTheReadEarly) {
    TempDir dir;
    WriteFileBytes(dir.File("big.txt"), "J1,1,2\n" + std::string(8u << 20, 'x'));
    TextFile file;
    const auto problem = ReadTextFile(dir.File("big.txt"), file);
    ASSERT_TRUE(problem.has_value());
    EXPECT_EQ(ProblemText(*problem), "第2行：一行超过1048576字节：不是文本文件");
    EXPECT_LT(file.text.size(), 2u << 20);  // at most one line beyond the limit is held
}

TEST(TextFile, AFileThatCannotBeOpenedHasNoLine) {
    TempDir dir;
    TextFile file;
    const auto problem = ReadTextFile(dir.File("none.txt"), file);
    ASSERT_TRUE(problem.has_value());
    EXPECT_EQ(problem->line, 0u);
    EXPECT_FALSE(problem->reason.empty());
}

}  // namespace
}  // namespace linvara::text
