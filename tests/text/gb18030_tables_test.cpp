// The table conversion of Windows builds against iconv, on systems that have it.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>

#include "text/encoding.h"
#include "text/gb18030.h"

namespace linvara::text {
namespace {

#ifdef _WIN32
TEST(Gb18030Tables, ComparedWithIconvOnLinux) { GTEST_SKIP() << "iconv is the reference; it runs on Linux"; }
#else

std::string Bytes(std::initializer_list<unsigned> values) {
    std::string s;
    for (unsigned v : values) s += static_cast<char>(v);
    return s;
}

void AppendUtf8(std::string& out, std::uint32_t cp) {
    if (cp < 0x800) {
        out += static_cast<char>(0xC0 | cp >> 6);
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | cp >> 12);
        out += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | cp >> 18);
        out += static_cast<char>(0x80 | (cp >> 12 & 0x3F));
        out += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
    }
    out += static_cast<char>(0x80 | (cp & 0x3F));
}

// Every single high byte and every two-byte pair on its own, then every
// four-byte code in runs of one first byte (iconv keeps no state between codes).
TEST(Gb18030Tables, EveryCodeDecodesAsIconvDoes) {
    for (unsigned b = 0x80; b <= 0xFF; ++b) {
        const std::string one = Bytes({b});
        ASSERT_EQ(gb18030::ToUtf8(one), Gb18030ToUtf8(one)) << std::hex << b;
        for (unsigned t = 0; t <= 0xFF; ++t) {
            const std::string two = Bytes({b, t});
            ASSERT_EQ(gb18030::ToUtf8(two), Gb18030ToUtf8(two)) << std::hex << b << ' ' << t;
        }
    }
    for (unsigned b1 = 0x81; b1 <= 0xFE; ++b1) {
        std::string run;
        for (unsigned b2 = 0x30; b2 <= 0x39; ++b2)
            for (unsigned b3 = 0x81; b3 <= 0xFE; ++b3)
                for (unsigned b4 = 0x30; b4 <= 0x39; ++b4) run += Bytes({b1, b2, b3, b4});
        ASSERT_EQ(gb18030::ToUtf8(run), Gb18030ToUtf8(run)) << "first byte " << std::hex << b1;
    }
}

TEST(Gb18030Tables, EveryCodePointEncodesAsIconvDoes) {
    std::string chunk;
    for (std::uint32_t cp = 0x80; cp <= 0x10FFFF; ++cp) {
        if (cp >= 0xD800 && cp <= 0xDFFF) continue;
        AppendUtf8(chunk, cp);
        if (chunk.size() > 60000 || cp == 0x10FFFF) {
            ASSERT_EQ(gb18030::FromUtf8(chunk), Utf8ToGb18030(chunk)) << "chunk ending at U+" << std::hex << cp;
            chunk.clear();
        }
    }
}

TEST(Gb18030Tables, BadBytesBecomeWhatIconvMakesOfThem) {
    const std::string cases[] = {
        Bytes({0x81}),                          // lead at the end
        Bytes({0x81, 0x30}),                    // four-byte code cut after two
        Bytes({0x81, 0x30, 0x81}),              // ... after three
        Bytes({0x81, 0x30, 0x20, 0x30}),        // bad third byte
        Bytes({0x81, 0x30, 0x81, 0x41}),        // bad fourth byte
        Bytes({0x81, 0x7F, 0x41}),              // no trail 0x7F
        Bytes({0x80, 0xFF, 0x41}),              // bytes that start no code
        Bytes({0xE3, 0x32, 0x9A, 0x35}),        // U+10FFFF
        Bytes({0xE3, 0x32, 0x9A, 0x36}),        // one past it
        Bytes({0xFE, 0x39, 0xFE, 0x39, 0xB0}),  // last four-byte form, then a cut lead
        Bytes({0xB5, 0xE7, 0xB8}),              // a character, then a cut one
    };
    for (const std::string& c : cases) EXPECT_EQ(gb18030::ToUtf8(c), Gb18030ToUtf8(c)) << ::testing::PrintToString(c);

    std::mt19937 random(20);
    for (int round = 0; round < 20000; ++round) {
        std::string s(random() % 12, ' ');
        for (char& c : s) {
            const unsigned r = random() % 4;
            c = static_cast<char>(r == 0 ? 0x30 + random() % 10 : r == 1 ? random() % 0x80 : 0x80 + random() % 0x80);
        }
        ASSERT_EQ(gb18030::ToUtf8(s), Gb18030ToUtf8(s)) << ::testing::PrintToString(s);
    }
}
#endif

}  // namespace
}  // namespace linvara::text
