#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "support/missing_code_page.h"
#include "text/encoding.h"

namespace linvara::text {
namespace {

TEST(CodePageFailure, EveryConversionThatNeedsTheConverterThrowsWithItsCause) {
    const std::string gbk = Utf8ToGb18030("塔基");
    const std::string toAnsi = std::string("无法打开编码转换（UTF-8 → ") + testing::MissingCodePage::kName + "）：";
    const std::string toUtf8 = std::string("无法打开编码转换（") + testing::MissingCodePage::kName + " → UTF-8）：";
    struct Case {
        const char* name;
        std::function<void()> convert;
        std::string cause;
    } cases[] = {
        {"Utf8ToGb18030", [] { Utf8ToGb18030("塔基"); }, toAnsi},
        {"ToGbkTextFile", [] { ToGbkTextFile("中桩\n"); }, toAnsi},
        {"Gb18030ToUtf8", [&] { Gb18030ToUtf8(gbk); }, toUtf8},
        {"RequireAnsiConverters", [] { RequireAnsiConverters(); }, toUtf8},
    };
    testing::MissingCodePage missing;
    for (const Case& c : cases) {
        try {
            c.convert();
            ADD_FAILURE() << c.name << " passed the text on unconverted";
        } catch (const EncodingError& e) {
            const std::string what = e.what();
            EXPECT_EQ(what.substr(0, c.cause.size()), c.cause) << c.name;
            EXPECT_GT(what.size(), c.cause.size()) << c.name << ": the system's reason is missing";
        }
    }
}

TEST(CodePageFailure, AsciiNeedsNoConverterAndTheConverterComesBack) {
    {
        testing::MissingCodePage missing;
        EXPECT_EQ(Utf8ToGb18030("Z1,1.5\n"), "Z1,1.5\n");
        EXPECT_EQ(Gb18030ToUtf8("Z1"), "Z1");
    }
    EXPECT_NO_THROW(RequireAnsiConverters());
    EXPECT_EQ(Gb18030ToUtf8(Utf8ToGb18030("塔基")), "塔基");
}

}  // namespace
}  // namespace linvara::text
