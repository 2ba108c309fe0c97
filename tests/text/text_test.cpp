#include <gtest/gtest.h>
#include <sys/stat.h>

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <random>

#include "support/temp_dir.h"
#include "support/permissions.h"
#include "text/atomic_file.h"
#include "text/encoding.h"
#include "text/format.h"

namespace linvara::text {
namespace {

TEST(Encoding, ChineseRoundTripsThroughGbk) {
    const std::string utf8 = "电杆J1";
    const std::string gbk = Utf8ToGb18030(utf8);
    EXPECT_EQ(gbk, "\xB5\xE7\xB8\xCB" "J1");  // GBK bytes of 电杆
    EXPECT_EQ(Gb18030ToUtf8(gbk), utf8);
}

TEST(Encoding, InvalidBytesNeverThrowAndBecomeReplacement) {
    EXPECT_EQ(Gb18030ToUtf8("A\xFF" "B"), "A\xEF\xBF\xBD" "B");
    const std::string bad = "\xEF\xBF\xBD";
    const struct {
        std::string in, out;
    } cases[] = {
        {"x\xC3", "x" + bad},                                        // truncated sequence
        {"\xC0\xAF", bad + bad},                                     // overlong form
        {"中\xFF文z", "中" + bad + "文z"},                             // valid runs either side kept
        {"\xED\xA0\x80", bad + bad + bad},                           // surrogate
        {"ok\xF4\x90\x80\x80", "ok" + bad + bad + bad + bad},         // above U+10FFFF
        {"\xF0\x9F\x98\x80中", "\xF0\x9F\x98\x80中"},               // four-byte form kept
    };
    for (const auto& c : cases) EXPECT_EQ(SanitizeUtf8(c.in), c.out) << c.in;
    EXPECT_EQ(Gb18030ToUtf8(Utf8ToGb18030("a\xFFz")), "a\xEF\xBF\xBDz");
}

TEST(Encoding, TextFilesGetCrLfEverywhere) {
    EXPECT_EQ(ToGbkTextFile("a\nb\n"), "a\r\nb\r\n");
    EXPECT_EQ(LfToCrLf("no end"), "no end");
}

TEST(Format, NumbersIgnoreTheProcessLocale) {
    const char* previous = std::setlocale(LC_ALL, nullptr);
    std::string saved = previous ? previous : "C";
    // A comma-decimal locale: glibc's name, the Windows runtime's name.
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8") && !std::setlocale(LC_ALL, "German_Germany.1252"))
        GTEST_SKIP() << "no comma-decimal locale installed";
    EXPECT_EQ(Format("%.4f", 1.5), "1.5000");
    EXPECT_EQ(ParseLeadingDouble("2.25abc"), 2.25);
    double v = 0;
    EXPECT_TRUE(ParseDouble(" 3.5 ", v));
    EXPECT_EQ(v, 3.5);
    std::setlocale(LC_ALL, saved.c_str());
}

TEST(Format, LongOutputIsNotTruncated) {
    std::string longName(1000, 'x');
    EXPECT_EQ(Format("%s,%d", longName.c_str(), 7), longName + ",7");
}

TEST(Format, LeadingNumbers) {
    struct Case {
        const char* text;
        long long asInt;
        double asDouble;
    } cases[] = {
        {"12a", 12, 12}, {"  -7x", -7, -7}, {"abc", 0, 0}, {"", 0, 0}, {"+3.75", 3, 3.75}, {"99999999999999999999", LLONG_MAX, 1e20},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParseLeadingInt(c.text), c.asInt) << c.text;
        EXPECT_DOUBLE_EQ(ParseLeadingDouble(c.text), c.asDouble) << c.text;
    }
    double v = 0;
    EXPECT_FALSE(ParseDouble("1,5", v));
    EXPECT_FALSE(ParseDouble("", v));
}

TEST(Format, RoundAsPrintedMatchesPrintf) {
    EXPECT_EQ(RoundAsPrinted(10.12345, 3), 10.123);
    EXPECT_EQ(RoundAsPrinted(10.12345, 4), 10.1235);  // the decimal text 10.12345 rounds as printf does
    EXPECT_EQ(Format("%.4f", RoundAsPrinted(2.00005, 4)), Format("%.4f", 2.00005));
}

// Every value, including those on and next to a rounding tie, comes back as
// reading the printed text gives it.
TEST(Format, RoundAsPrintedAgreesWithReadingThePrintedText) {
    std::mt19937_64 random(12345);
    std::uniform_real_distribution<double> unit(-1.0, 1.0);
    const double magnitudes[] = {1e-3, 1.0, 123.0, 4e5, 3.5e6, 1e9, 1e13, 1e17};
    for (int decimals = 0; decimals <= 12; ++decimals) {
        for (double magnitude : magnitudes) {
            for (int i = 0; i < 400; ++i) {
                const double plain = unit(random) * magnitude;
                // k + 1/2 at this precision, and the doubles either side of it.
                const double tie = (std::floor(plain * std::pow(10.0, decimals)) + 0.5) / std::pow(10.0, decimals);
                for (double value : {plain, tie, std::nextafter(tie, 0.0), std::nextafter(tie, 1e300)}) {
                    const std::string printed = Format("%.*f", decimals, value);
                    EXPECT_EQ(RoundAsPrinted(value, decimals), std::strtod(printed.c_str(), nullptr))
                        << printed << " from " << Format("%.17g", value) << " at " << decimals;
                }
            }
        }
    }
    EXPECT_TRUE(std::signbit(RoundAsPrinted(-0.00001, 3)));  // "-0.000" reads as -0
}

TEST(AtomicFile, WritesCompletelyOrLeavesTheOldFile) {
    testing::TempDir dir;
    const std::string path = dir.File("out.txt");
    ASSERT_TRUE(WriteFileAtomically(path, "first"));
    EXPECT_EQ(testing::ReadFileBytes(path), "first");
    {
        AtomicFile file(path);
        ASSERT_TRUE(file.Open());
        file.Write("second, never committed");
    }
    EXPECT_EQ(testing::ReadFileBytes(path), "first");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1) << "temporary file left behind";
}

TEST(AtomicFile, FailsInAFolderThatCannotBeWritten) {
    testing::TempDir dir;
    EXPECT_FALSE(WriteFileAtomically(dir.File("missing/sub/out.txt"), "x"));
    if (testing::PermissionsApply()) {  // root may write anywhere
        ::chmod(dir.path().string().c_str(), 0500);
        EXPECT_FALSE(WriteFileAtomically(dir.File("out.txt"), "x"));
        ::chmod(dir.path().string().c_str(), 0700);
    }
}

TEST(AtomicFile, LargeWritesArriveIntact) {
    testing::TempDir dir;
    std::string big(300000, 'q');
    big[12345] = 'Z';
    AtomicFile file(dir.File("big.bin"));
    ASSERT_TRUE(file.Open());
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(file.Write(big));
    ASSERT_TRUE(file.Commit());
    EXPECT_EQ(testing::ReadFileBytes(dir.File("big.bin")), big + big + big);
}

}  // namespace
}  // namespace linvara::text
