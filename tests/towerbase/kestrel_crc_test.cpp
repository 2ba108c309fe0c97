#include "towerbase/kestrel_crc.h"

#include <gtest/gtest.h>

namespace linvara {
namespace {

TEST(KestrelCrc, CheckTexts) {
    struct Case {
        const char* line;
        const char* check;
    } cases[] = {
        {"abc", "*38D43940"},
        {"adp", "* 508766B"},   // below 0x10000000: padded with spaces, not zeros
        {"aalg", "*  220C80"},
        {"", "*       0"},
        {"中", "*33031C45"},    // U+4E2D counts as its low byte 0x2D ...
        {"-", "*33031C45"},     // ... the same as "-"
        {"😀", "*804BD771"},    // two UTF-16 units: D83D DE00
    };
    const KestrelCrc crc;
    for (const Case& c : cases) EXPECT_EQ(crc.GetCheckText(c.line), c.check) << c.line;
}

}  // namespace
}  // namespace linvara
