// Every rule on a small route: one change that trips it and a near miss that must not.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

#include "check/check_fixture.h"

namespace linvara::testing {
namespace {

using check::Severity;

struct RuleCase {
    const char* name;
    const char* rule;
    Severity severity;
    const char* point;  // the point (or centre stake) the finding names; "" for the project
    std::function<void(CheckFixture&)> trips;
    std::function<void(CheckFixture&)> nearMiss;
};

template <typename List>
void Erase(List& list, const std::string& name) {
    std::erase_if(list, [&](const DHPoint& p) { return p.NewPtName == name; });
}

const RuleCase kCases[] = {
    {"TwoPointWithoutAux", "aux-missing", Severity::Error, "12", [](CheckFixture& f) { f["12"].FZdmPt = "99"; },
     // the auxiliary point is found by the name it was surveyed under, not its current one
     [](CheckFixture& f) { f["11"].NewPtName = "21"; }},
    {"TwoPointAuxIsNoAuxPoint", "aux-missing", Severity::Error, "12", [](CheckFixture& f) { f["12"].FZdmPt = "Z1"; },
     [](CheckFixture& f) { f["12"].FZdmPt = "11"; }},
    {"TwoPointAuxUnnamed", "aux-missing", Severity::Error, "12", [](CheckFixture& f) { f["12"].FZdmPt = ""; },
     [](CheckFixture&) {}},
    {"HouseMissingCorner", "house-corner", Severity::Error, "15", [](CheckFixture& f) { f["15"].BZdmPt = "99"; },
     [](CheckFixture& f) { f["15"].BZdmPt = "11"; }},  // a corner shared with a road is still a corner
    {"CrossingWithoutType", "crossing-type", Severity::Warning, "16", [](CheckFixture& f) { f["16"].LXCode = 0; },
     [](CheckFixture& f) { f["16"].LXCode = 1; }},
    {"CrossingWithoutHeight", "crossing-height", Severity::Warning, "16",
     [](CheckFixture& f) { f["16"].AddHight = 0.000009; }, [](CheckFixture& f) { f["16"].AddHight = -0.5; }},
    {"FeatureClassWithoutRecords", "feature-class", Severity::Warning, "17",
     [](CheckFixture& f) { f["17"].GLCode = 2191; },
     [](CheckFixture& f) { f["12"].GLCode = 0; }},  // a two-point feature without class is a road
    {"FeatureWithoutClass", "feature-class", Severity::Warning, "17", [](CheckFixture& f) { f["17"].GLCode = 0; },
     [](CheckFixture& f) { f["17"].GLCode = 1000; }},
    {"KindOutOfRange", "kind-invalid", Severity::Error, "17", [](CheckFixture& f) { f["17"].DHType = 7; },
     [](CheckFixture& f) { f["17"].DHType = HouseThreePoint; f["17"].BZdmPt = "13"; f["17"].FZdmPt = "14"; }},
    {"AuxNumberRepeated", "aux-number", Severity::Warning, "13a", [](CheckFixture& f) { f["14"].NewPtName = "13a"; },
     [](CheckFixture& f) { f["14"].NewPtName = "114"; }},
    {"SectionMissing", "section-missing", Severity::Warning, "J2", [](CheckFixture& f) { Erase(f.towerBase, "T4"); },
     [](CheckFixture& f) { f.towerBase.push_back(SectionAt("J2", 5, 1.0)); }},  // E..H are optional
    {"SectionIndexTooLarge", "section-index", Severity::Error, "T9",
     [](CheckFixture& f) { SectionPoint p = SectionAt("J2", 9, 1.0); p.NewPtName = "T9"; f.towerBase.push_back(p); },
     [](CheckFixture& f) { f.towerBase.push_back(SectionAt("J2", 8, 1.0)); }},
    {"SectionIndexZero", "section-index", Severity::Error, "T1", [](CheckFixture& f) { f.towerBase[0].SubIndex = 0; },
     [](CheckFixture& f) { f.towerBase[0].SubIndex = 1; }},
    {"NameEmpty", "name-empty", Severity::Error, "", [](CheckFixture& f) { f["17"].NewPtName = ""; },
     [](CheckFixture& f) { f["17"].NewPtName = " "; }},
    {"DetailNameRepeated", "name-duplicate", Severity::Warning, "16", [](CheckFixture& f) { f["17"].NewPtName = "16"; },
     [](CheckFixture& f) { f["17"].OrgPtName = "16"; }},  // the surveyed name may repeat
    {"StakeNameRepeated", "stake-name-duplicate", Severity::Error, "J1",
     [](CheckFixture& f) { f["Z1"].NewPtName = "J1"; }, [](CheckFixture& f) { f["Z1"].NewPtName = "j1"; }},
    {"GpsIdRepeated", "gps-duplicate", Severity::Error, "17", [](CheckFixture& f) { f["17"].GPS_ID = "g_16"; },
     [](CheckFixture& f) { f["17"].GPS_ID = "g_16 "; }},
    {"OneJStake", "too-few-j", Severity::Error, "",
     [](CheckFixture& f) { f["J3"].DHType = ZStake; f["J2"].DHType = ZStake; },
     [](CheckFixture& f) { f["J3"].DHType = ZStake; }},
    {"ZeroCoordinates", "coordinates-zero", Severity::Error, "17", [](CheckFixture& f) { f["17"].Dx = f["17"].Dy = 0; },
     [](CheckFixture& f) { f["17"].Dx = 0; f["17"].Dy = 1400; }},
    {"NotANumber", "coordinates-invalid", Severity::Error, "17",
     [](CheckFixture& f) { f["17"].Dy = std::numeric_limits<double>::quiet_NaN(); },
     [](CheckFixture& f) { f["17"].Dh = -1e5; }},
    {"JStakesAtOnePlace", "j-same-place", Severity::Error, "J3",
     [](CheckFixture& f) { f["J3"].Dx = 1000.0004; f["J3"].Dy = 1000; },
     [](CheckFixture& f) { f["J3"].Dx = 1000.01; f["J3"].Dy = 1000; }},
    {"RouteDoublesBack", "route-doubles-back", Severity::Warning, "J2",
     [](CheckFixture& f) { f["J3"].Dx = 1100; f["J3"].Dy = 1000; },  // 168.7° turn
     [](CheckFixture& f) { f["J3"].Dx = 1500; f["J3"].Dy = 1000; }},  // 135° turn
    {"FarFromRoute", "offset-range", Severity::Warning, "17", [](CheckFixture& f) { f["17"].Dx = 1000 - 500.5; },
     [](CheckFixture& f) { f["17"].Dx = 1000 - 499.5; }},
    // Beyond the last J stake no segment captures the point, but it is near the route.
    {"FarBeyondTheEnd", "offset-range", Severity::Warning, "17",
     [](CheckFixture& f) { f["17"].Dx = 1300 + 301; f["17"].Dy = 1900 + 401; },
     [](CheckFixture& f) { f["17"].Dx = 1300 + 299; f["17"].Dy = 1900 + 399; }},
    {"LegBeyondAnyLine", "distance-implausible", Severity::Error, "J3",
     [](CheckFixture& f) { f["J3"].Dy = 1500 + 50001; }, [](CheckFixture& f) { f["J3"].Dy = 1500 + 49990; }},
    // A zone number left in front of one stake's east coordinate: both its legs.
    {"ZoneNumberOnAStake", "distance-implausible", Severity::Error, "J2",
     [](CheckFixture& f) { f["J2"].Dy = 38001500; }, [](CheckFixture& f) { f["J2"].Dy = 1500 + 40000; }},
    {"OffsetBeyondAnyLine", "distance-implausible", Severity::Error, "17",
     [](CheckFixture& f) { f["17"].Dx = 1000 - 50001; }, [](CheckFixture& f) { f["17"].Dx = 1000 - 49999; }},
    {"NameHoldsTheDelimiter", "name-delimiter", Severity::Warning, "塔,17",
     [](CheckFixture& f) { f["17"].NewPtName = "塔,17"; }, [](CheckFixture& f) { f["17"].NewPtName = "塔，17　号"; }},
    {"CodeHoldsAQuote", "name-delimiter", Severity::Warning, "Z1", [](CheckFixture& f) { f["Z1"].Code = "直线\"桩"; },
     [](CheckFixture& f) { f["Z1"].Code = "直线'桩"; }},
    {"NotReferred", "not-referred", Severity::Warning, "17", [](CheckFixture& f) { f["17"].EndJ = ""; },
     [](CheckFixture& f) {  // not ordered yet: the project says so once instead
         f["17"].EndJ = "";
         for (DHPoint& p : f.points) p.Mileage = 0;
     }},
    {"NotOrdered", "not-ordered", Severity::Warning, "",
     [](CheckFixture& f) {  // as opening a collector project leaves it
         for (DHPoint& p : f.points) p.Mileage = 0;
     },
     [](CheckFixture& f) {  // the J stakes chained: ordered, whatever the others hold
         for (DHPoint& p : f.points)
             if (p.DHType != JStake) p.Mileage = 0;
     }},
    {"MileageDecreases", "mileage-decrease", Severity::Warning, "16", [](CheckFixture& f) { f["16"].Mileage = 219.9; },
     [](CheckFixture& f) { f["16"].Mileage = 220; }},
    {"StakeWithoutLatLon", "latlon-missing", Severity::Warning, "Z1",
     [](CheckFixture& f) { f["Z1"].B = f["Z1"].L = 0; },
     [](CheckFixture& f) { f["17"].B = f["17"].L = 0; f["Z1"].L = 0; }},  // only stakes go to KML; B 30.5 L 0 is a place
    {"StakeLatLonOutOfRange", "latlon-missing", Severity::Warning, "J1", [](CheckFixture& f) { f["J1"].B = 91; },
     [](CheckFixture& f) { f["J1"].B = -90; }},
    {"UnknownCrossingCode", "code-unknown", Severity::Warning, "16", [](CheckFixture& f) { f["16"].LXCode = 48; },
     [](CheckFixture& f) { f["16"].LXCode = 49; }},
    {"UnknownPoleType", "code-unknown", Severity::Warning, "16", [](CheckFixture& f) { f["16"].PoleType = 42; },
     [](CheckFixture& f) { f["16"].PoleType = 41; }},
    {"UnknownFeatureClass", "code-unknown", Severity::Warning, "17", [](CheckFixture& f) { f["17"].GLCode = 999; },
     [](CheckFixture& f) { f["12"].GLCode = -1; }},  // -1 means road on a two-point feature
};

class RuleCases : public ::testing::TestWithParam<RuleCase> {};

TEST_P(RuleCases, ChangeTripsTheRule) {
    const RuleCase& c = GetParam();
    CheckFixture f = CleanRoute();
    c.trips(f);
    const check::Findings found = f.Run();
    const auto it = std::find_if(found.begin(), found.end(),
                                 [&](const check::Finding& x) { return std::string(x.rule) == c.rule; });
    ASSERT_NE(it, found.end()) << ::testing::PrintToString(RulesOf(found));
    EXPECT_EQ(it->severity, c.severity);
    EXPECT_EQ(it->point, c.point);
    EXPECT_FALSE(it->message.empty());
}

TEST_P(RuleCases, NearMissLeavesTheRuleQuiet) {
    const RuleCase& c = GetParam();
    CheckFixture f = CleanRoute();
    c.nearMiss(f);
    const std::vector<std::string> rules = RulesOf(f.Run());
    EXPECT_EQ(std::count(rules.begin(), rules.end(), c.rule), 0) << ::testing::PrintToString(rules);
}

INSTANTIATE_TEST_SUITE_P(Check, RuleCases, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<RuleCase>& ruleCase) { return ruleCase.param.name; });

TEST(CheckProject, CleanRouteHasNoFindings) {
    const check::Findings found = CleanRoute().Run();
    EXPECT_TRUE(found.empty()) << ::testing::PrintToString(RulesOf(found));
}

// The finding names the row and identity a view needs to select the point.
TEST(CheckProject, FindingLinksToItsRowAndIdentity) {
    CheckFixture f = CleanRoute();
    f["12"].FZdmPt = "99";
    const check::Findings found = f.Run();
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].place, check::Place::ListRow);
    EXPECT_EQ(found[0].row, 3);
    EXPECT_EQ(found[0].gpsId, "g_12");
    EXPECT_EQ(found[0].message, "找不到2点测的对应辅助点！原点名为99的辅助点不存在");
}

// Findings come project first, then the list by row, then the tower base,
// whichever rule found them.
TEST(CheckProject, FindingsStandInRowOrder) {
    CheckFixture f = CleanRoute();
    f["17"].GLCode = 999;                      // row 8, an output rule
    f["12"].FZdmPt = "";                       // row 3, a conversion rule
    f["J3"].DHType = f["J2"].DHType = ZStake;  // the project
    f.towerBase.pop_back();                    // the tower base
    std::vector<std::pair<int, int>> places;
    for (const check::Finding& x : f.Run())
        places.emplace_back(x.place == check::Place::Project ? 0 : x.place == check::Place::ListRow ? 1 : 2, x.row);
    EXPECT_TRUE(std::is_sorted(places.begin(), places.end())) << ::testing::PrintToString(places);
    EXPECT_EQ(places.front().first, 0);
    EXPECT_EQ(places.back().first, 2);
}

// The stake's files are still written without the section: a warning, in
// the tower-base conversion's words.
TEST(CheckProject, MissingSectionsNamedOneByOneAsTheConversionSaysThem) {
    CheckFixture f = CleanRoute();
    f.towerBase = {SectionAt("J9", 1, 1.0), SectionAt("J9", 3, 1.0)};
    const check::Findings found = f.Run();
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0].section, "B");
    EXPECT_EQ(found[1].section, "D");
    EXPECT_EQ(found[1].severity, Severity::Warning);
    EXPECT_EQ(found[1].message, "塔基D断面未测量,该中桩的塔基断面org文件中没有D断面");
}

// Opening a collector project leaves every mileage 0, while the collector
// has filled StartJ/EndJ of some points: one finding for the project, none
// per point, and none once the line is ordered.
TEST(CheckProject, UnorderedProjectSaysSoOnceInsteadOfOncePerPoint) {
    CheckFixture f = CleanRoute();
    for (DHPoint& p : f.points) {
        p.Mileage = 0;
        if (p.NewPtName != "11" && p.NewPtName != "12") p.StartJ = p.EndJ = "";
    }
    const check::Findings found = f.Run();
    ASSERT_EQ(RulesOf(found), std::vector<std::string>{"not-ordered"});
    EXPECT_EQ(found[0].place, check::Place::Project);
    EXPECT_EQ(found[0].message, "项目尚未排序");
    // With nothing to chain the line with, ordering could not change it: no such claim.
    f["J3"].DHType = f["J2"].DHType = ZStake;
    EXPECT_EQ(RulesOf(f.Run()), std::vector<std::string>{"too-few-j"});
}

// The desktop program asks before an ORG conversion only about findings that
// spoil the ORG file: not about the tower base, not about a default the
// conversion fills in.
TEST(CheckProject, OnlyWhatSpoilsTheOrgFileCountsForIt) {
    const struct {
        const char* name;
        std::function<void(CheckFixture&)> change;
        long long findings, errors;
    } cases[] = {
        {"tower base and a crossing height",
         [](CheckFixture& f) {
             f.towerBase.pop_back();
             f["16"].AddHight = 0;
         },
         0, 0},
        {"a two-point feature without its auxiliary point", [](CheckFixture& f) { f["12"].FZdmPt = "99"; }, 1, 1},
        {"not ordered yet", [](CheckFixture& f) { for (DHPoint& p : f.points) p.Mileage = 0; }, 1, 0},
    };
    for (const auto& c : cases) {
        CheckFixture f = CleanRoute();
        c.change(f);
        const check::Findings found = f.Run();
        ASSERT_FALSE(found.empty()) << c.name;
        const check::OrgRisk risk = check::OrgRiskOf(found);
        EXPECT_EQ(risk.findings, c.findings) << c.name;
        EXPECT_EQ(risk.errors, c.errors) << c.name;
    }
}

TEST(CheckProject, SettingsMoveTheThresholds) {
    CheckFixture f = CleanRoute();
    f["17"].Dx = 1000 - 50;
    f["J3"].Dx = 1500;
    f["J3"].Dy = 1000;  // 135° turn
    const check::CheckSettings strict{.maxTurnAngle = 120, .offsetRange = 40};
    const std::vector<std::string> rules = RulesOf(f.Run(strict));
    EXPECT_EQ(std::count(rules.begin(), rules.end(), "offset-range"), 1);
    EXPECT_EQ(std::count(rules.begin(), rules.end(), "route-doubles-back"), 1);
    EXPECT_TRUE(RulesOf(f.Run()).empty());
}

TEST(CheckProject, MaxDistanceMovesAndTurnsOffTheDistanceRule) {
    CheckFixture f = CleanRoute();
    auto distanceFindings = [&](double maxDistance) {
        std::vector<std::string> out;
        for (const check::Finding& x : f.Run({.maxDistance = maxDistance}))
            if (std::string(x.rule) == "distance-implausible") out.push_back(x.point + " " + x.message);
        return out;
    };
    EXPECT_EQ(distanceFindings(499),
              (std::vector<std::string>{"J2 与前一J桩J1相距500.0米，超过499.0米，坐标可能有误（东坐标前的带号、X/Y互换）",
                                        "J3 与前一J桩J2相距500.0米，超过499.0米，坐标可能有误（东坐标前的带号、X/Y互换）"}));
    f["17"].Dx = 1000 - 60000.25;
    EXPECT_EQ(distanceFindings(50000),
              (std::vector<std::string>{"17 距线路60000.2米，超过50000.0米，坐标可能有误（东坐标前的带号、X/Y互换）"}));
    f["J2"].Dy = 38001500;
    EXPECT_TRUE(distanceFindings(0).empty());
}

// The finding names what the name or code holds and every kind it breaks:
// comma kinds, space kinds, the DXF for a line break, J/Z lists for stakes only.
TEST(CheckProject, NameDelimiterNamesTheKindsItBreaks) {
    struct Case {
        const char* point;
        std::function<void(DHPoint&)> change;
        const char* message;
    } cases[] = {
        {"17", [](DHPoint& p) { p.NewPtName = "A,B"; }, "点名含有逗号：成果格式0、2、4、7、8中该点的行会被其他程序读错（错列或截断）"},
        {"J1", [](DHPoint& p) { p.NewPtName = "J 1"; }, "点名含有空格：成果格式1、3、5中该点的行会被其他程序读错（错列或截断）"},
        {"Z1", [](DHPoint& p) { p.Code = "x\"y"; },
         "编码含有双引号：成果格式0、1、2、3、4、5、7、8、9、10中该点的行会被其他程序读错（错列或截断）"},
        {"17", [](DHPoint& p) { p.NewPtName = "a\r\nb"; },
         "点名含有换行符：成果格式0、1、2、3、4、5、6、7、8中该点的行会被其他程序读错（错列或截断）"},
        {"J1", [](DHPoint& p) { p.NewPtName = "J,1"; p.Code = "转角\t桩"; },
         "点名含有逗号，编码含有制表符：成果格式0、1、2、3、4、5、7、8、9、10中该点的行会被其他程序读错（错列或截断）"},
    };
    for (const Case& c : cases) {
        CheckFixture f = CleanRoute();
        c.change(f[c.point]);
        std::vector<std::string> messages;
        for (const check::Finding& x : f.Run())
            if (std::string(x.rule) == "name-delimiter") messages.push_back(x.message);
        EXPECT_EQ(messages, std::vector<std::string>{c.message}) << c.point;
    }
}

// Three stakes at one place: each later one is named once, against the first.
TEST(CheckProject, StakesAtOnePlaceNamedAgainstTheFirst) {
    CheckFixture f = CleanRoute();
    DHPoint j4 = f["J3"];
    j4.NewPtName = "J4";
    j4.GPS_ID = "g_J4";
    f.points.push_back(j4);
    DHPoint j5 = j4;
    j5.NewPtName = "J5";
    j5.GPS_ID = "g_J5";
    f.points.push_back(j5);
    std::vector<std::string> messages;
    for (const check::Finding& x : f.Run())
        if (std::string(x.rule) == "j-same-place") messages.push_back(x.point + " " + x.message);
    EXPECT_EQ(messages, (std::vector<std::string>{"J4 与第11行的J桩J3位置相同", "J5 与第11行的J桩J3位置相同"}));
}

TEST(CheckProject, DistanceBeyondReachIsStatedAsALowerBound) {
    CheckFixture f = CleanRoute();
    f["17"].Dx = -2e4;
    const check::Findings found = f.Run();
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].message, "距线路超过5000.0米，超出偏距范围500.0米");
    f["17"].Dx = 1000 - 1234.5;
    EXPECT_EQ(f.Run().at(0).message, "距线路1234.5米，超出偏距范围500.0米");
}

}  // namespace
}  // namespace linvara::testing
