#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "model/stake_sequence.h"
#include "support/survey_points.h"

namespace linvara {
namespace {

DHPoint At(const std::string& name, int kind, double north, double east, int glCode = 0) {
    DHPoint p = testing::PlanePoint(name, kind, north, east);
    p.GLCode = glCode;
    return p;
}

const DHPoint& Named(const DHPointList& list, const std::string& gpsId) {
    for (const DHPoint& p : list)
        if (p.GPS_ID == gpsId) return p;
    throw std::runtime_error("missing " + gpsId);
}

TEST(StakeSequence, JStakeMileageChainsPlaneDistances) {
    DHPointList list{At("J1", JStake, 0, 0), At("a", AuxPoint, 1, 1), At("J2", JStake, 30, 40), At("J3", JStake, 30, 100)};
    list[1].Mileage = 9;
    ComputeJStakeMileage(list, 100);
    EXPECT_EQ(list[0].Mileage, 100);
    EXPECT_EQ(list[2].Mileage, 150);
    EXPECT_EQ(list[3].Mileage, 210);
    EXPECT_EQ(list[1].Mileage, 9) << "other points keep their values";
}

TEST(StakeSequence, OffsetSignFollowsTheSideOfTheLine) {
    // Route runs north; east of it is to the right.
    DHPoint s = At("S", JStake, 0, 0), e = At("E", JStake, 100, 0);
    Projection right = ProjectOnSegment(At("p", AuxPoint, 30, 5), s, e);
    Projection left = ProjectOnSegment(At("q", AuxPoint, 30, -5), s, e);
    EXPECT_NEAR(right.along, 30, 1e-9);
    EXPECT_NEAR(right.offset, -5, 1e-9);
    EXPECT_NEAR(left.offset, 5, 1e-9);
    Projection before = ProjectOnSegment(At("b", AuxPoint, -10, 0), s, e);
    EXPECT_NEAR(before.along, 10, 1e-6) << "a point before S gets a positive along";
}

TEST(StakeSequence, DegenerateSegments) {
    DHPoint s = At("S", JStake, 10, 0), eastward = At("E", JStake, 10, 50), same = At("T", JStake, 10, 0);
    EXPECT_TRUE(SegmentCapturesPoint(At("p", AuxPoint, 20, 25), s, eastward));
    EXPECT_TRUE(SegmentCapturesPoint(At("p", AuxPoint, 0, 50), s, eastward));
    EXPECT_FALSE(SegmentCapturesPoint(At("p", AuxPoint, 20, 51), s, eastward));
    EXPECT_FALSE(SegmentCapturesPoint(At("p", AuxPoint, 10, 0), s, same));
    Projection zero = ProjectOnSegment(At("p", AuxPoint, 13, 4), s, same);
    EXPECT_NEAR(zero.along, 5, 1e-12);
    EXPECT_EQ(zero.offset, 0);
    Projection onPerpendicular = ProjectOnSegment(At("p", AuxPoint, 10, 0), s, eastward);
    EXPECT_FALSE(std::isnan(onPerpendicular.along));
}

TEST(StakeSequence, PointAtACornerKeepsTheSmallerOffsetEarlierOnTie) {
    // J1 (0,0) -> J2 (100,0) -> J3 (100,100): a point beyond the corner.
    DHPointList list{At("J1", JStake, 0, 0), At("J2", JStake, 100, 0), At("J3", JStake, 100, 100)};
    ComputeJStakeMileage(list, 0);
    DHPoint p = At("p", AuxPoint, 100, 0);  // exactly on J2: both capture, offsets 0
    ReferPointToJLine(p, list);
    EXPECT_EQ(p.StartJ, "J1");
    EXPECT_EQ(p.EndJ, "J2");
    EXPECT_NEAR(p.Mileage, 100, 1e-9);
    DHPoint q = At("q", AuxPoint, 98, 3);  // captured by both, nearer to the second segment
    ReferPointToJLine(q, list);
    EXPECT_EQ(q.StartJ, "J2");
    EXPECT_NEAR(q.Offset, -2, 1e-9) << "south of an eastward segment is its right";
    EXPECT_NEAR(q.Mileage, 103, 1e-9);
}

TEST(StakeSequence, FewerThanTwoJStakesReferNothing) {
    DHPointList list{At("J1", JStake, 0, 0), At("a", AuxPoint, 5, 5), At("z", ZStake, 3, 0)};
    list[1].Mileage = 7;
    list[1].StartJ = "x";
    AutoOrderStakes(list, ConversionOptions{});
    for (const DHPoint& p : list) {
        if (p.DHType == JStake) continue;
        EXPECT_EQ(p.Mileage, 0);
        EXPECT_EQ(p.Offset, 0);
        EXPECT_EQ(p.StartJ, "");
        EXPECT_EQ(p.EndJ, "");
    }
}

TEST(StakeSequence, RenumberingStepsAndOffsetRange) {
    DHPointList list{At("x", AuxPoint, 0, 0), At("y", CrossingOnePoint, 0, 0), At("z", FeatureOnePoint, 0, 0, 201),
                     At("w", HouseThreePoint, 0, 0), At("Z9", ZStake, 0, 0)};
    const double offsets[] = {-0.4, 0.49, 0.5, 3, 0.1};
    for (size_t i = 0; i < list.size(); ++i) {
        list[i].Mileage = static_cast<double>(i);
        list[i].Offset = offsets[i];
    }
    ConversionOptions options;
    options.UseOffsetRange = 1;
    options.OffsetRange = 0.5;
    SortByMileage(list, options);
    EXPECT_EQ(list[0].NewPtName, "1");
    EXPECT_EQ(list[1].NewPtName, "2");
    EXPECT_EQ(list[2].NewPtName, "4");
    EXPECT_EQ(list[3].NewPtName, "11");
    EXPECT_EQ(list[4].NewPtName, "Z9") << "stakes keep their names";
    EXPECT_EQ(list[0].OrgPtName, "x") << "the field name is kept";
    EXPECT_EQ(list[0].Offset, 0);
    EXPECT_EQ(list[1].Offset, 0);
    EXPECT_EQ(list[2].Offset, 0.5);
    EXPECT_EQ(list[4].Offset, 0) << "stakes are zeroed too";
    for (int i = 0; i < 5; ++i) EXPECT_EQ(list[i].OrderIndex, i);

    options.UseStartName = 1;
    options.StartName = "100";
    SortByMileage(list, options);
    EXPECT_EQ(list[0].NewPtName, "100");
}

TEST(StakeSequence, SortByMileageKeepsListOrderAmongEqualMileages) {
    // Few distinct mileages, so most points tie; -0.0 and 0.0 tie too.
    const double mileages[] = {5, -0.0, 0.0, 2.5, 5, 1e9, -3};
    std::mt19937 rng(7);
    for (int size : {0, 1, 2, 17, 500}) {
        DHPointList list;
        for (int i = 0; i < size; ++i) {
            list.push_back(At("p" + std::to_string(i), AuxPoint, i, 0));
            list.back().Mileage = mileages[rng() % 7];
        }
        DHPointList want = list;
        std::stable_sort(want.begin(), want.end(), [](const DHPoint& a, const DHPoint& b) { return a.Mileage < b.Mileage; });
        SortByMileage(list, ConversionOptions{});
        ASSERT_EQ(list.size(), want.size());
        for (size_t i = 0; i < list.size(); ++i) {
            EXPECT_EQ(list[i].GPS_ID, want[i].GPS_ID) << "size " << size << " row " << i;
            EXPECT_EQ(list[i].OrderIndex, static_cast<int>(i));
        }
    }
}

TEST(StakeSequence, NumberingStepTable) {
    struct Case { int kind, gl, step; } cases[] = {
        {AuxPoint, 999, 1}, {CrossingOnePoint, 0, 2}, {FeatureOnePoint, 213, 7}, {FeatureOnePoint, 1191, 5},
        {FeatureOnePoint, 1000, 4}, {FeatureOnePoint, 2191, 2}, {FeatureTwoPoint, 206, 7}, {FeatureTwoPoint, 1175, 5},
        {FeatureTwoPoint, 1000, 4}, {FeatureTwoPoint, 904, 4}, {HouseThreePoint, 0, 7}, {JStake, 0, 0}, {9, 0, 0},
    };
    for (const Case& c : cases) EXPECT_EQ(NumberingStep(c.kind, c.gl), c.step) << c.kind << "/" << c.gl;
}

TEST(StakeSequence, AutoOrderPutsEveryPointInRouteOrder) {
    // Surveyed out of order: the J stakes are in route order, the rest not.
    DHPointList list{At("J1", JStake, 0, 0), At("b", AuxPoint, 150, 2), At("J2", JStake, 100, 0),
                     At("a", AuxPoint, 50, -3), At("J3", JStake, 200, 0), At("Z1", ZStake, 20, 0)};
    ConversionOptions options;
    options.StartMileage = 1000;
    AutoOrderStakes(list, options);
    std::vector<std::string> order;
    for (const DHPoint& p : list) order.push_back(p.GPS_ID);
    EXPECT_EQ(order, (std::vector<std::string>{"g_J1", "g_Z1", "g_a", "g_J2", "g_b", "g_J3"}));
    EXPECT_NEAR(Named(list, "g_a").Mileage, 1050, 1e-9);
    EXPECT_NEAR(Named(list, "g_a").Offset, 3, 1e-9);
    EXPECT_EQ(Named(list, "g_b").StartJ, "J2");
    EXPECT_EQ(Named(list, "g_a").NewPtName, "1");
    EXPECT_EQ(Named(list, "g_b").NewPtName, "2");
}

TEST(StakeSequence, AppointJStakesRefersOnlyTheChosenPoints) {
    DHPointList list{At("J1", JStake, 0, 0), At("J2", JStake, 100, 0), At("a", AuxPoint, 40, 10), At("c", AuxPoint, 60, 0)};
    list[0].Mileage = 500;
    AppointJStakes(list, {"g_a"}, list[0], list[1]);
    EXPECT_NEAR(list[2].Mileage, 540, 1e-9);
    EXPECT_NEAR(list[2].Offset, -10, 1e-9);
    EXPECT_EQ(list[2].StartJ, "J1");
    EXPECT_EQ(list[2].EndJ, "J2");
    EXPECT_EQ(list[3].Mileage, 0);
    EXPECT_EQ(list[2].OrderIndex, 0) << "no re-sort";
}

TEST(StakeSequence, MovingJStakes) {
    DHPointList base{At("J1", JStake, 0, 0), At("a", AuxPoint, 0, 0), At("J2", JStake, 0, 0), At("b", AuxPoint, 0, 0),
                     At("J3", JStake, 0, 0)};
    ReindexOrder(base);
    auto names = [](const DHPointList& l) {
        std::string s;
        for (const DHPoint& p : l) s += p.NewPtName + " ";
        return s;
    };
    struct Case { JMove kind; int row; int newRow; const char* order; } cases[] = {
        {JMove::Up, 0, 0, "J1 a J2 b J3 "},     {JMove::Down, 2, 2, "J1 a J2 b J3 "},
        {JMove::Up, 1, 0, "J2 a J1 b J3 "},     {JMove::Down, 1, 2, "J1 a J3 b J2 "},
        {JMove::Top, 2, 0, "J3 J1 a J2 b "},    {JMove::Bottom, 0, 2, "a J2 b J3 J1 "},
    };
    for (const Case& c : cases) {
        DHPointList list = base;
        EXPECT_EQ(MoveJStake(list, c.kind, c.row), c.newRow);
        EXPECT_EQ(names(list), c.order);
        for (size_t i = 0; i < list.size(); ++i) EXPECT_EQ(list[i].OrderIndex, static_cast<int>(i));
    }
    DHPointList list = base;
    EXPECT_EQ(MoveJStake(list, JMove::Up, 5), -1);
}

}  // namespace
}  // namespace linvara
