#pragma once
// A small route that passes every rule, for the rule tests to break one
// thing at a time.
#include <algorithm>
#include <string>
#include <vector>

#include "check/project_check.h"
#include "support/survey_points.h"

namespace linvara::testing {

struct CheckFixture {
    DHPointList points;
    SectionPointList towerBase;

    DHPoint& operator[](const std::string& name) {
        return *std::find_if(points.begin(), points.end(), [&](const DHPoint& p) { return p.NewPtName == name; });
    }
    check::Findings Run(const check::CheckSettings& settings = {}) const {
        return check::CheckProject(points, towerBase, settings);
    }
};

// J1 -> J2 due east 500 m, J2 -> J3 turning 53° left; between J1 and J2 a Z
// stake, a two-point road with its auxiliary point, a three-point house with
// its corners, a crossing and a one-point road; sections A..D around J2.
// Ordered: every detail point names its J stakes, mileages rise along the list.
inline CheckFixture CleanRoute() {
    CheckFixture f;
    auto add = [&f](DHPoint p, double mileage) {
        p.Mileage = mileage;
        if (p.DHType != JStake) {
            p.StartJ = "J1";
            p.EndJ = "J2";
        }
        if (p.DHType == JStake || p.DHType == ZStake) p = Geodetic(p, 30.5, 114.25, 20);
        f.points.push_back(p);
    };
    add(PlanePoint("J1", JStake, 1000, 1000), 0);
    add(PlanePoint("Z1", ZStake, 1000, 1100), 100);
    DHPoint aux = PlanePoint("11", AuxPoint, 1010, 1150);
    add(aux, 150);
    DHPoint road = PlanePoint("12", FeatureTwoPoint, 990, 1160);
    road.FZdmPt = "11";
    road.GLCode = 184;
    add(road, 160);
    add(PlanePoint("13", AuxPoint, 1020, 1200), 200);
    add(PlanePoint("14", AuxPoint, 1030, 1210), 210);
    DHPoint house = PlanePoint("15", HouseThreePoint, 1025, 1220);
    house.BZdmPt = "13";
    house.FZdmPt = "14";
    house.GLCode = 201;
    add(house, 220);
    DHPoint crossing = PlanePoint("16", CrossingOnePoint, 1000, 1300);
    crossing.LXCode = 31;
    crossing.AddHight = 8.5;
    add(crossing, 300);
    DHPoint onePoint = PlanePoint("17", FeatureOnePoint, 1005, 1400);
    onePoint.GLCode = 186;
    add(onePoint, 400);
    add(PlanePoint("J2", JStake, 1000, 1500), 500);
    add(PlanePoint("J3", JStake, 1300, 1900), 1000);
    for (int section = 1; section <= 4; ++section) {
        SectionPoint p = SectionAt("J2", section, 5.0 * section);
        p.NewPtName = "T" + std::to_string(section);
        f.towerBase.push_back(p);
    }
    return f;
}

// The rules that found something, in the order found.
inline std::vector<std::string> RulesOf(const check::Findings& findings) {
    std::vector<std::string> rules;
    for (const check::Finding& f : findings) rules.emplace_back(f.rule);
    return rules;
}

}  // namespace linvara::testing
