// GBK as code page 936 holds it: what the DXF's declared code page can carry.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <iconv.h>
#endif

#include <string>

#include "text/encoding.h"
#include "text/gbk.h"

namespace linvara::text {
namespace {

TEST(Gbk, CharactersOutsideBecomeAQuestionMarkAndTheEuroItsOneByte) {
    struct Case {
        const char* utf8;
        std::string gbk;
        const char* outside;
    } cases[] = {
        {"J1", "J1", ""},
        {"辅1", "\xB8\xA8" "1", ""},
        {"·—", "\xA1\xA4\xA1\xAA", ""},       // code page 936's own mapping of both
        {"\xEE\x80\x80", "\xAA\xA1", ""},      // U+E000, the first user-defined character
        {"𠮷J1", "?J1", "𠮷"},                // four bytes in GB18030
        {"𠮷𠮷吉", "??\xBC\xAA", "𠮷"},
        {"€5", "\x80" "5", ""},                // GB18030 has it as A2E3
        {"ḿ︐⿰", "???", "ḿ︐⿰"},               // two-byte in GB18030, not in code page 936
        {"A\xFF" "B", "A?B", "\xEF\xBF\xBD"},  // invalid UTF-8
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Utf8ToGbk(c.utf8), c.gbk) << c.utf8;
        EXPECT_EQ(CharactersOutsideGbk(c.utf8), c.outside) << c.utf8;
    }
}

TEST(Gbk, TextInsideGbkGetsTheGb18030Bytes) {
    const std::string text = "线路J1 转角 辅3 R&D € 5";
    std::string expected = Utf8ToGb18030(text);
    expected.replace(expected.find("\xA2\xE3"), 2, "\x80");
    EXPECT_EQ(Utf8ToGbk(text), expected);
}

#ifndef _WIN32
// The code page 936 bytes of one code point by iconv; empty when it has none.
std::string IconvCodePage936(char32_t cp) {
    static const iconv_t cd = iconv_open("CP936", "UTF-32LE");
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char out[8];
    char* in = reinterpret_cast<char*>(&cp);
    size_t inLeft = 4, outLeft = sizeof out;
    char* o = out;
    if (iconv(cd, &in, &inLeft, &o, &outLeft) == static_cast<size_t>(-1)) return {};
    return std::string(out, sizeof out - outLeft);
}

std::string Utf8Of(char32_t cp) {
    std::string s;
    if (cp < 0x800) {
        s += static_cast<char>(0xC0 | cp >> 6);
    } else if (cp < 0x10000) {
        s += static_cast<char>(0xE0 | cp >> 12);
        s += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
    } else {
        s += static_cast<char>(0xF0 | cp >> 18);
        s += static_cast<char>(0x80 | (cp >> 12 & 0x3F));
        s += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
    }
    return s + static_cast<char>(0x80 | (cp & 0x3F));
}

// glibc's CP936 leaves the user-defined areas out; everything else must
// agree with it, code point by code point.
TEST(Gbk, EveryCodePointAsIconvsCodePage936OutsideThePrivateUseArea) {
    for (char32_t cp = 0x80; cp <= 0x10FFFF; ++cp) {
        if ((cp >= 0xD800 && cp <= 0xDFFF) || (cp >= 0xE000 && cp <= 0xF8FF)) continue;
        const std::string reference = IconvCodePage936(cp);
        ASSERT_EQ(IsGbkCharacter(cp), !reference.empty()) << "U+" << std::hex << static_cast<unsigned>(cp);
        if (!reference.empty()) ASSERT_EQ(Utf8ToGbk(Utf8Of(cp)), reference) << "U+" << std::hex << static_cast<unsigned>(cp);
    }
}
#endif

}  // namespace
}  // namespace linvara::text
