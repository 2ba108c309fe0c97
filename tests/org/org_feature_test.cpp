#include <gtest/gtest.h>

#include "org/org_fixture.h"
#include "support/recording_reporter.h"
#include "support/temp_dir.h"

namespace linvara::testing {
namespace {

using Strings = std::vector<std::string>;

// The first J stake sits at stored mileage 1000: relative mileages are
// stored mileage - 1000.
DHPoint Origin() {
    DHPoint j = PlanePoint("J1", JStake);
    j.Mileage = 1000;
    return j;
}

DHPoint At(DHPoint p, double mileage, double offset, double dh) {
    p.Mileage = mileage;
    p.Offset = offset;
    p.Dh = dh;
    return p;
}

// Runs one handler on a converter over `list` and returns its records.
template <typename Handler>
Strings Records(const DHPointList& list, const DHPoint& point, Handler handler, RecordingReporter* reporter = nullptr) {
    RecordingReporter local;
    OrgRecordBuilder org(list, reporter ? *reporter : local);
    (org.*handler)(point);
    return Lines(org.MainRecords());
}

// Converts `list` fully and returns the main records.
Strings Converted(const DHPointList& list, RecordingReporter& reporter) {
    TempDir dir;
    EXPECT_TRUE(ConvertToOrg(list, dir.File("f.org"), reporter));
    // The same records again, for a look at them before they are written.
    SilentReporter silent;
    OrgRecordBuilder org(list, silent);
    org.Build();
    return Lines(org.MainRecords());
}

TEST(OrgOnePoint, RecordsOfEachFeatureClass) {
    const std::string point = "b,20,3.0000,100.0000,30.0000,13=00+13,0,0,11";
    struct Case {
        int cls;
        double width, crossAngle, addHight;
        Strings extra;
    } cases[] = {
        {184, 0, 30, 0, {"r,20,13=00+13,0,0,13=00+13,0,0.0100,60.0000,184", "K,21,20"}},
        {408, 6, 30, 1.5,
         {"r,20,13=00+13,0,0,13=00+13,0,6.0000,60.0000,408", "+,22,20,-1.5000,0.0000,-0.1000,95=00+95,20,0,11",
          "+,23,21,-1.5000,0.0000,0.1000,95=00+95,21,0,11", "K,20,21"}},
        {710, -1, -30, 2,
         {"r,20,13=00+13,0,0,13=00+13,0,0.0100,-60.0000,710", "+,22,20,-2.0000,0.0000,0.1000,95=00+95,20,0,11",
          "+,23,21,-2.0000,0.0000,-0.1000,95=00+95,21,0,11", "K,21,20"}},
        {175, 2, 30, 0,
         {"r,20,82=00+82,0,0,83=00+83,0,2.0000,60.0000,175", "+,22,20,-0.0000,0.0000,0.1000,95=00+95,20,0,11",
          "+,23,21,-0.0000,0.0000,-0.1000,95=00+95,21,0,11", "K,20,21"}},
        {173, 0, 30, 1,
         {"r,0,82=00+82,0,20,83=00+83,0,0.0000,60.0000,173", "+,22,20,-1.0000,0.0000,-0.1000,95=00+95,20,0,11",
          "+,23,21,-1.0000,0.0000,0.1000,95=00+95,21,0,11", "K,21,20"}},
        {1191, 5, 30, 2,
         {"r,20,82=00+82,0,0,83=00+83,0,5.0000,60.0000,191", "+,22,20,-2.0000,0.0000,0.1000,94=00+94,20,0,193",
          "+,23,21,-2.0000,0.0000,-0.1000,94=00+94,21,0,193", "+,24,23,-0.5000,0.0000,-0.1000,94=00+94,23,0,193",
          "+,25,22,-0.5000,0.0000,-0.1000,94=00+94,22,0,193", "K,20,21"}},
        {1175, 0, 30, 2,
         {"r,0,82=00+82,0,20,83=00+83,0,0.0000,60.0000,175", "+,22,20,-2.0000,0.0000,-0.1000,94=00+94,20,0,193",
          "+,23,21,-2.0000,0.0000,0.1000,94=00+94,21,0,193", "+,24,23,-0.5000,0.0000,0.1000,94=00+94,23,0,193",
          "+,25,22,-0.5000,0.0000,0.1000,94=00+94,22,0,193", "K,21,20"}},
        {905, 2, 30, 0.5,
         {"b,21,0.0000,99.0000,30.0000,8287=01+95,20,0,11", "b,22,0.0000,98.9000,29.5000,8287=01+95,21,0,11",
          "b,23,0.0000,101.0000,30.0000,8287=01+95,20,0,11", "b,24,0.0000,101.1000,29.5000,8287=01+95,23,0,11",
          "s,20,0,0,905,60.0000,3"}},
        {914, 0, 30, 0, {"s,20,0,0,914,30.0000,3", "e,20,0,914,1"}},
        {937, 0, -20, 1,
         {"b,21,3.0000,99.9000,29.0000,8287=01+95,20,0,11", "s,20,0,0,937,-20.0000,3", "e,20,0,937,1"}},
        {1000, 4, 6, 0,
         {"+,21,20,0.0000,0.0000,4.0000,24636=11+60,0,0,0", "f,20,24646=11+70,0,0,0.0000",
          "+,22,20,0.0000,3.0000,2.0000,24576=11+0,20,2,7", "+,23,20,0.0000,-3.0000,2.0000,24576=11+0,21,2,7"}},
        {1000, 0, 6, 0,
         {"+,21,20,0.0000,0.0000,0.0000,24646=11+70,0,0,0", "f,20,24636=11+60,0,0,0.0000",
          "+,22,20,0.0000,-3.0000,0.0000,24576=11+0,21,2,7", "+,23,20,0.0000,3.0000,0.0000,24576=11+0,20,2,7"}},
        {201, 4, 10, 3.5,
         {"b,21,8.0000,100.0000,30.0000,8192=01+0,0,0,0", "b,22,-2.0000,100.0000,30.0000,8192=01+0,21,0,201",
          "l,23,21,22,-1,4.0000,0,201", "x,25,21,0,23,0,0,3.5000,0,0.0000"}},
        {2191, 3, 30, 1, {}},
        {0, 3, 30, 1, {}},
    };
    for (const Case& c : cases) {
        DHPoint p = At(PlanePoint("20", FeatureOnePoint), 1100, 3, 30);
        p.GLCode = c.cls;
        p.GLWide = c.width;
        p.CrossAngle = c.crossAngle;
        p.AddHight = c.addHight;
        Strings want{point};
        want.insert(want.end(), c.extra.begin(), c.extra.end());
        EXPECT_EQ(Records({Origin(), p}, p, &OrgRecordBuilder::ConvertOnePointFeature), want) << "class " << c.cls;
    }
}

TEST(OrgOnePoint, HouseAtMileageZeroKeepsTheCosineResidue) {
    DHPoint p = At(PlanePoint("house", FeatureOnePoint), 1000, 3, 30);
    p.GLCode = 213;
    p.CrossAngle = 10;
    const Strings got = Records({Origin(), p}, p, &OrgRecordBuilder::ConvertOnePointFeature);
    ASSERT_EQ(got.size(), 5u);
    EXPECT_EQ(got[1], "b,1,8.0000,0.0000,30.0000,8192=01+0,0,0,0");  // a name without digits numbers from 1
    EXPECT_EQ(got[2], "b,2,-2.0000,-0.0000,30.0000,8192=01+0,1,0,213");
}

// Two-point features: P "40" names its auxiliary point by the name it was
// surveyed with ("A"); the auxiliary point is now called "30".
DHPoint Aux(double mileage) {
    DHPoint a = At(PlanePoint("30", AuxPoint), mileage, -2, 21);
    a.OrgPtName = "A";
    return a;
}

DHPoint TwoPoint(int cls, double crossAngle = 30, const std::string& name = "40") {
    DHPoint p = At(PlanePoint(name, FeatureTwoPoint), 1100, 1, 20);
    p.FZdmPt = "A";
    p.GLCode = cls;
    p.CrossAngle = crossAngle;
    return p;
}

TEST(OrgTwoPoint, RoadOrdersThePairAlongTheLine) {
    struct Case {
        double auxMileage, crossAngle;
        int cls;
        const char* aux;
        const char* road;
    } cases[] = {
        {1100, 30, -1, "b,30,-2.0000,100.0000,21.0000,13=00+13,0,0,11",
         "r,40,13=00+13,0,30,13=00+13,0,0.0000,150.0000,184"},  // tie: P first
        {1050, -30, 0, "b,30,-2.0000,50.0000,21.0000,13=00+13,0,0,11",
         "r,30,13=00+13,0,40,13=00+13,0,0.0000,-150.0000,184"},
        {1150, 0, 186, "b,30,-2.0000,150.0000,21.0000,13=00+13,0,0,11",
         "r,40,13=00+13,0,30,13=00+13,0,0.0000,180.0000,186"},
    };
    for (const Case& c : cases) {
        const DHPoint p = TwoPoint(c.cls, c.crossAngle);
        EXPECT_EQ(Records({Origin(), Aux(c.auxMileage), p}, p, &OrgRecordBuilder::ConvertTwoPointFeature),
                  (Strings{c.aux, "b,40,1.0000,100.0000,20.0000,13=00+13,0,0,11", c.road}));
    }
}

TEST(OrgTwoPoint, WithoutJStakesTheStoredMileagesCount) {
    const DHPoint p = TwoPoint(184);
    EXPECT_EQ(Records({Aux(1050), p}, p, &OrgRecordBuilder::ConvertTwoPointFeature),
              (Strings{"b,30,-2.0000,1050.0000,21.0000,13=00+13,0,0,11",
                       "b,40,1.0000,1100.0000,20.0000,13=00+13,0,0,11",
                       "r,30,13=00+13,0,40,13=00+13,0,0.0000,150.0000,184"}));
}

TEST(OrgTwoPoint, OnlyAnAuxiliaryPointByItsSurveyedNameIsAccepted) {
    DHPoint zStake = Aux(1050);
    zStake.DHType = ZStake;
    DHPoint p = TwoPoint(184);
    const struct {
        const char* named;
        const char* why;  // the feature is left out: an error naming what was looked for
    } cases[] = {
        {"A", "原点名为A的点（第2行）是Z桩，不是辅助点"},
        {"30", "原点名为30的辅助点不存在"},  // its current name
        {"", "未指定辅助点"},
    };
    for (const auto& c : cases) {
        p.FZdmPt = c.named;
        RecordingReporter reporter;
        EXPECT_TRUE(Records({Origin(), zStake, p}, p, &OrgRecordBuilder::ConvertTwoPointFeature, &reporter).empty());
        // The point is named; it stands in no list here, so no row.
        ASSERT_EQ(reporter.messages.size(), 1u) << c.named;
        EXPECT_EQ(reporter.messages[0].kind, "error");
        EXPECT_EQ(reporter.messages[0].text, std::string("找不到2点测的对应辅助点！") + c.why + "（点名：40）");
    }
}

TEST(OrgTwoPoint, RecordsOfWaterAndPondClasses) {
    struct Case {
        int cls;
        double auxMileage;
        Strings extra;
    } cases[] = {
        {191, 1050,
         {"r,30,13=00+13,0,40,13=00+13,0,0.0000,150.0000,191", "+,41,30,-1.5000,0.0000,0.1000,95=00+95,30,0,11",
          "+,42,40,-1.5000,0.0000,-0.1000,95=00+95,40,0,11", "K,30,40"}},
        {1191, 1150,
         {"r,40,82=00+82,0,30,83=00+83,0,0.0000,150.0000,191", "+,41,40,-1.5000,0.0000,0.1000,94=00+94,40,0,193",
          "+,42,30,-1.5000,0.0000,-0.1000,94=00+94,30,0,193", "+,43,42,-0.5000,0.0000,-0.1000,94=00+94,42,0,193",
          "+,44,41,-0.5000,0.0000,-0.1000,94=00+94,41,0,193", "c,41,42,0,20", "K,40,30"}},
        {1000, 1150,  // drawn from the auxiliary point, whatever the order
         {"f,30,24646=11+70,0,0,0.0000", "f,40,24636=11+60,0,0,0.0000",
          "+,41,30,0.0000,15.0000,2.0000,24576=11+0,30,2,7", "+,42,30,0.0000,-15.0000,2.0000,24576=11+0,40,2,7",
          "c,40,41,2,7", "c,30,42,2,7"}},
        {2191, 1150, {}},
    };
    for (const Case& c : cases) {
        DHPoint p = TwoPoint(c.cls);
        p.AddHight = 1.5;
        p.GLWide = 4;
        const DHPoint aux = Aux(c.auxMileage);
        Strings want{"b,30,-2.0000," + std::string(c.auxMileage < 1100 ? "50" : "150") +
                         ".0000,21.0000,13=00+13,0,0,11",
                     "b,40,1.0000,100.0000,20.0000,13=00+13,0,0,11"};
        want.insert(want.end(), c.extra.begin(), c.extra.end());
        EXPECT_EQ(Records({Origin(), aux, p}, p, &OrgRecordBuilder::ConvertTwoPointFeature), want) << c.cls;
    }
}

const Strings kHouseFromAux = {"b,40,-2.0000,50.0000,21.0000,13=00+13,0,0,11",
                               "b,41,1.000,100.000,20.000,13=00+13,40,0,201", "l,42,40,41,-1,6.0000,0,201",
                               "x,44,40,0,42,0,0,3.500,0,0.000"};

DHPoint House(const std::string& name = "40") {
    DHPoint p = TwoPoint(201, 6, name);
    p.AddHight = 3.5;
    return p;
}

TEST(OrgTwoPoint, HouseReplacesBothPointRecordsByItsCorners) {
    const DHPoint p = House();
    EXPECT_EQ(Records({Origin(), Aux(1050), p}, p, &OrgRecordBuilder::ConvertTwoPointFeature), kHouseFromAux);

    DHPoint flat = House();
    flat.CrossAngle = 0;
    const Strings got = Records({Origin(), Aux(1150), flat}, flat, &OrgRecordBuilder::ConvertTwoPointFeature);
    EXPECT_EQ(got, (Strings{"b,40,1.0000,100.0000,20.0000,13=00+13,0,0,11",
                            "b,41,-2.000,150.000,21.000,13=00+13,40,0,201", "l,42,40,41,1,0.0000,0,201",
                            "x,44,40,0,42,0,0,3.500,0,0.000"}));
}

TEST(OrgTwoPoint, HouseDropsOnlyItsOwnAndItsAuxiliaryRecords) {
    const Strings stake = {"0,J1,0.0000,0.0000,0.0000,96=00+96,0.0000,0.0000", "6,J1,1.5000,65001,0.0000",
                           "q,J1,0.0000,0.0000"};
    const DHPoint z = At(PlanePoint("Z5", ZStake), 1070, 0, 9);
    const std::string zRecord = "0,Z5,0.0000,70.0000,9.0000,96=00+96,0.0000,0.0000";
    DHPoint other = At(PlanePoint("12", AuxPoint), 1010, 0, 9);
    other.OrgPtName = "X";
    const std::string otherRecord = "b,12,0.0000,10.0000,9.0000,13=00+13,0,0,11";
    DHPoint sameNumber = Aux(1050);
    sameNumber.NewPtName = "12a";
    auto join = [](std::initializer_list<Strings> parts) {
        Strings all;
        for (const Strings& part : parts) all.insert(all.end(), part.begin(), part.end());
        return all;
    };
    struct Case {
        const char* what;
        DHPointList list;
        Strings want;
    } cases[] = {
        {"auxiliary record right before", {Origin(), Aux(1050), House()}, join({stake, kHouseFromAux})},
        {"another record in between", {Origin(), Aux(1050), z, House()}, join({stake, {zRecord}, kHouseFromAux})},
        {"auxiliary number taken by another point",
         {Origin(), other, sameNumber, House()},
         join({stake, {otherRecord}, kHouseFromAux})},
        {"two houses on one auxiliary point",
         {Origin(), Aux(1050), House(), House("60")},
         join({stake, kHouseFromAux,
               {"b,60,-2.0000,50.0000,21.0000,13=00+13,0,0,11", "b,61,1.000,100.000,20.000,13=00+13,60,0,201",
                "l,62,60,61,-1,6.0000,0,201", "x,64,60,0,62,0,0,3.500,0,0.000"}})},
    };
    for (const Case& c : cases) {
        RecordingReporter reporter;
        EXPECT_EQ(Converted(c.list, reporter), c.want) << c.what;
    }
}

// Three-point houses: B "31" (surveyed as "B") and F "32" (surveyed as "F").
DHPointList ThreePointList(double backMileage, double frontMileage, const DHPoint& house) {
    DHPoint b = At(PlanePoint("31", AuxPoint), backMileage, 2, 21);
    b.OrgPtName = "B";
    DHPoint f = At(PlanePoint("32", AuxPoint), frontMileage, -4, 22);
    f.OrgPtName = "F";
    return {Origin(), b, f, house};
}

TEST(OrgThreePoint, NearAndFarFollowTheAuxiliaryMileages) {
    DHPoint p = At(PlanePoint("50", HouseThreePoint), 1100, 1, 20);
    p.BZdmPt = "B";
    p.FZdmPt = "F";
    p.GLCode = 0;  // written whatever it is
    p.AddHight = 6;
    const Strings backNear = {"b,50,2.0000,80.0000,21.0000,13=00+13,0,0,11",
                              "b,51,-4.0000,120.0000,22.0000,13=00+13,50,0,0", "l,52,50,51,-1,5.0000,0,0",
                              "x,54,50,0,52,0,0,6.0000,0,0.0000"};
    const Strings frontNear = {"b,50,-4.0000,80.0000,22.0000,13=00+13,0,0,11",
                               "b,51,2.0000,120.0000,21.0000,13=00+13,50,0,0", "l,52,50,51,-1,1.0000,0,0",
                               "x,54,50,0,52,0,0,6.0000,0,0.0000"};
    EXPECT_EQ(Records(ThreePointList(1080, 1120, p), p, &OrgRecordBuilder::ConvertThreePointHouse), backNear);
    EXPECT_EQ(Records(ThreePointList(1120, 1080, p), p, &OrgRecordBuilder::ConvertThreePointHouse), frontNear);
    // Equal mileages: F is near.
    const Strings tie = Records(ThreePointList(1100, 1100, p), p, &OrgRecordBuilder::ConvertThreePointHouse);
    ASSERT_EQ(tie.size(), 4u);
    EXPECT_EQ(tie[0], "b,50,-4.0000,100.0000,22.0000,13=00+13,0,0,11");
    EXPECT_EQ(tie[1], "b,51,2.0000,100.0000,21.0000,13=00+13,50,0,0");
}

TEST(OrgThreePoint, MissingAuxiliaryPointIsReportedAndConversionGoesOn) {
    DHPoint house = At(PlanePoint("50", HouseThreePoint), 1100, 1, 20);
    house.BZdmPt = "B";
    house.FZdmPt = "nowhere";
    DHPoint lonely = TwoPoint(184);
    lonely.FZdmPt = "nowhere";
    DHPointList list = ThreePointList(1080, 1120, house);
    list.insert(list.begin() + 1, lonely);
    list.push_back(At(PlanePoint("Z9", ZStake), 1200, 0, 5));
    RecordingReporter reporter;
    const Strings got = Converted(list, reporter);
    Strings texts = reporter.Texts();
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts.back().rfind("转换ORG文件成功！已写入：", 0), 0u) << texts.back();
    EXPECT_EQ(texts.back().substr(texts.back().size() - 5), "f.org") << texts.back();
    texts.pop_back();
    EXPECT_EQ(texts, (Strings{"找不到2点测的对应辅助点！原点名为nowhere的辅助点不存在（点名：40，第2行）",
                              "三点测房数据异常！原点名为nowhere的辅助点不存在（点名：50，第5行）"}));
    EXPECT_EQ(got.back(), "0,Z9,0.0000,200.0000,5.0000,96=00+96,0.0000,0.0000");
    EXPECT_EQ(got.size(), 3u + 2u + 1u) << "J1, the two auxiliary points and Z9 only";
}

}  // namespace
}  // namespace linvara::testing
