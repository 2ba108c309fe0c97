// The KML checked by an XML reader (xmllint): well-formed whatever the names
// hold, and every placemark's own style carries the stake icon, so viewers
// that do not merge it with the shared style still draw the stake.
#include <gtest/gtest.h>

#include "output/result_writer.h"
#include "readback.h"
#include "support/cli_runner.h"
#include "support/recording_reporter.h"
#include "support/temp_dir.h"

namespace linvara {
namespace {

using testing::ShellQuote;

// KML elements by local name, so no namespace needs declaring to xmllint.
constexpr const char* kPlacemarks = "//*[local-name()='Placemark']";
constexpr const char* kSharedIcon =
    "//*[local-name()='Document']/*[local-name()='Style'][@id='khStyle']"
    "/*[local-name()='IconStyle']/*[local-name()='Icon']/*[local-name()='href']";
constexpr const char* kOwnIcon =
    "*[local-name()='Style']/*[local-name()='IconStyle']/*[local-name()='Icon']/*[local-name()='href']";

// The value of `expression`, without the line end some versions add.
std::string XPath(const std::string& path, const std::string& expression) {
    std::string out = testing::RunReader("xmllint --xpath " + ShellQuote(expression) + " " + ShellQuote(path)).out;
    while (!out.empty() && out.back() == '\n') out.pop_back();
    return out;
}

TEST(XmllintReadback, KmlIsWellFormedAndEveryPlacemarkHasItsIcon) {
    if (!testing::HaveCommand("xmllint")) GTEST_SKIP() << "xmllint (libxml2-utils) not installed";
    testing::TempDir dir;
    const std::string path = dir.File("R&D <线路>.kml");
    testing::RecordingReporter reporter;
    ASSERT_TRUE(WriteResultFile(testing::AwkwardStakes(), path, 11, reporter));

    const testing::ReaderRun wellFormed = testing::RunReader("xmllint --noout " + ShellQuote(path) + " 2>&1");
    EXPECT_EQ(wellFormed.exitCode, 0) << wellFormed.out;
    EXPECT_EQ(XPath(path, std::string("string(") + kSharedIcon + ")"),
              "http://maps.google.com/mapfiles/kml/shapes/donut.png");
    EXPECT_EQ(XPath(path, std::string("count(") + kPlacemarks + ")"), "3");
    // Placemarks whose own icon is the shared style's.
    EXPECT_EQ(XPath(path, std::string("count(") + kPlacemarks + "[" + kOwnIcon + " = " + kSharedIcon + "])"), "3");
}

}  // namespace
}  // namespace linvara
