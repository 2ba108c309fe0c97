// One problem, one severity and one text: what the check finds is what the
// conversions report when they meet it.
#include <gtest/gtest.h>

#include <functional>

#include "check/check_fixture.h"
#include "org/org_conversion.h"
#include "org/org_record_builder.h"
#include "support/recording_reporter.h"
#include "support/temp_dir.h"
#include "towerbase/tower_base_output.h"

namespace linvara::testing {
namespace {

// A message as the run report and the command line show it: level, then the
// text with its point.
using Said = std::vector<std::string>;

std::string LevelOf(const std::string& kind) { return kind == "error" ? "错误" : kind == "warning" ? "警告" : kind; }

Said FromCheck(const check::Findings& findings, const std::vector<std::string>& rules) {
    Said out;
    for (const check::Finding& f : findings) {
        if (std::find(rules.begin(), rules.end(), f.rule) == rules.end()) continue;
        const long long row = f.place == check::Place::ListRow ? f.row : -1;
        out.push_back(std::string(check::SeverityText(f.severity)) + " " + WithPoint(f.message, {f.point, row, {}}));
    }
    return out;
}

// Everything but the closing word.
Said FromRun(const RecordingReporter& reporter) {
    Said out;
    for (const auto& m : reporter.messages)
        if (m.kind != "info") out.push_back(LevelOf(m.kind) + " " + m.text);
    return out;
}

const std::vector<std::string> kAuxRules = {"aux-missing", "house-corner"};

TEST(CheckAgreesWithTheOrgConversion, MissingAuxiliaryPointsNamedAlike) {
    const struct {
        const char* name;
        std::function<void(CheckFixture&)> change;
        const char* expected;  // the check's finding as the conversion must say it
    } cases[] = {
        {"no such name", [](CheckFixture& f) { f["12"].FZdmPt = "99"; },
         "错误 找不到2点测的对应辅助点！原点名为99的辅助点不存在（点名：12，第4行）"},
        {"a Z stake's name", [](CheckFixture& f) { f["12"].FZdmPt = "Z1"; },
         "错误 找不到2点测的对应辅助点！原点名为Z1的点（第2行）是Z桩，不是辅助点（点名：12，第4行）"},
        {"no name", [](CheckFixture& f) { f["12"].FZdmPt = ""; },
         "错误 找不到2点测的对应辅助点！未指定辅助点（点名：12，第4行）"},
        {"both house corners", [](CheckFixture& f) { f["15"].BZdmPt = "98"; f["15"].FZdmPt = "J1"; },
         "错误 三点测房数据异常！原点名为98的辅助点不存在；原点名为J1的点（第1行）是J桩，不是辅助点（点名：15，第7行）"},
        {"one house corner", [](CheckFixture& f) { f["15"].FZdmPt = "97"; },
         "错误 三点测房数据异常！原点名为97的辅助点不存在（点名：15，第7行）"},
    };
    for (const auto& c : cases) {
        CheckFixture f = CleanRoute();
        c.change(f);
        const Said checked = FromCheck(f.Run(), kAuxRules);
        EXPECT_EQ(checked, Said{c.expected}) << c.name;
        TempDir dir;
        RecordingReporter reporter;
        ASSERT_TRUE(ConvertToOrg(f.points, dir.File("line.org"), reporter)) << c.name;
        EXPECT_EQ(FromRun(reporter), checked) << c.name;
    }
}

TEST(CheckAgreesWithTheTowerBaseConversion, MissingSectionsAreWarningsInTheSameWords) {
    CheckFixture f = CleanRoute();
    f.towerBase = {SectionAt("J9", 1, 1.0), SectionAt("J9", 3, 1.0), SectionAt("J2", 1, 2.0)};
    const Said checked = FromCheck(f.Run(), {"section-missing"});
    EXPECT_EQ(checked, (Said{"警告 塔基B断面未测量,该中桩的塔基断面org文件中没有B断面（点名：J9）",
                             "警告 塔基D断面未测量,该中桩的塔基断面org文件中没有D断面（点名：J9）",
                             "警告 塔基B断面未测量,该中桩的塔基断面org文件中没有B断面（点名：J2）",
                             "警告 塔基C断面未测量,该中桩的塔基断面org文件中没有C断面（点名：J2）",
                             "警告 塔基D断面未测量,该中桩的塔基断面org文件中没有D断面（点名：J2）"}));
    TempDir dir;
    RecordingReporter reporter;
    // Every stake's files are written all the same.
    const StatusOr<int> unwritten = WriteTowerBaseFiles(f.towerBase, dir.File("tb.org"), reporter);
    ASSERT_TRUE(unwritten && unwritten.value() == 0);
    EXPECT_FALSE(ReadFileBytes(dir.File("tb_J9.org")).empty());
    EXPECT_EQ(FromRun(reporter), checked);
}

}  // namespace
}  // namespace linvara::testing
