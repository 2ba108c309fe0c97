// The command line's two forms of the findings.
#include <gtest/gtest.h>

#include "check/finding_text.h"

namespace linvara::check {
namespace {

Finding ListFinding(std::string point, std::string message) {
    Finding f;
    f.severity = Severity::Warning;
    f.rule = "name-duplicate";
    f.place = Place::ListRow;
    f.row = 4;
    f.point = std::move(point);
    f.gpsId = "g1";
    f.message = std::move(message);
    return f;
}

TEST(FindingsText, OneTabSeparatedLinePerFinding) {
    Finding project;
    project.rule = "too-few-j";
    project.message = "J桩少于两个（1个），无法构成线路";
    Finding stake;
    stake.rule = "section-missing";
    stake.place = Place::TowerBaseStake;
    stake.row = 0;
    stake.point = "J8";
    stake.section = "D";
    stake.message = "m";
    EXPECT_EQ(FindingsText({project, ListFinding("a\tb", "x\ny"), stake}),
              "错误\ttoo-few-j\t\t-\tJ桩少于两个（1个），无法构成线路\n"
              "警告\tname-duplicate\ta b\t5\tx y\n"
              "错误\tsection-missing\tJ8 D断面\t塔基1\tm\n");
}

TEST(FindingsText, SummaryCountsBothSeverities) {
    Finding error;
    EXPECT_EQ(SummaryText({error, ListFinding("p", "m"), ListFinding("q", "m")}), "检查完成：错误1个，警告2个");
    EXPECT_EQ(SummaryText({}), "检查完成：错误0个，警告0个");
}

TEST(FindingsJson, EscapesWhatJsonCannotHoldVerbatim) {
    const struct {
        std::string in, out;
    } cases[] = {
        {"点\"1\"", "\"点\\\"1\\\"\""},
        {"a\\b", "\"a\\\\b\""},
        {"a\tb\nc\rd", "\"a\\tb\\nc\\rd\""},
        {std::string("a\x01") + "b", "\"a\\u0001b\""},
        {"a\xff", "\"a\xef\xbf\xbd\""},  // invalid UTF-8 becomes U+FFFD
    };
    for (const auto& c : cases) EXPECT_EQ(JsonString(c.in), c.out) << c.in;
}

TEST(FindingsJson, ArrayOfObjects) {
    Finding project;
    project.rule = "too-few-j";
    project.message = "m";
    EXPECT_EQ(FindingsJson({}), "[]\n");
    EXPECT_EQ(FindingsJson({project, ListFinding("12", "n")}),
              "[\n"
              "  {\"severity\": \"错误\", \"rule\": \"too-few-j\", \"place\": \"project\", \"row\": null, "
              "\"point\": \"\", \"gpsId\": \"\", \"section\": \"\", \"message\": \"m\"},\n"
              "  {\"severity\": \"警告\", \"rule\": \"name-duplicate\", \"place\": \"list\", \"row\": 5, "
              "\"point\": \"12\", \"gpsId\": \"g1\", \"section\": \"\", \"message\": \"n\"}\n"
              "]\n");
}

}  // namespace
}  // namespace linvara::check
