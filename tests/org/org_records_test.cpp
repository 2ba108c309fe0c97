#include <gtest/gtest.h>

#include "org/org_records.h"
#include "text/format.h"

namespace linvara::org {
namespace {

using text::Format;

// Every template with typical, negative, zero and negated-zero values. The
// expected lines are typed from the record vocabulary, not derived from the
// templates.
TEST(OrgRecords, TemplatesPrintExactly) {
    struct Case {
        std::string got;
        const char* want;
    } cases[] = {
        {Format(kStake, "J1", 1234.56789, -3.25), "0,J1,0.0000,1234.5679,-3.2500,96=00+96,0.0000,0.0000"},
        {Format(kStake, "Z2", -0.0, 0.0), "0,Z2,0.0000,-0.0000,0.0000,96=00+96,0.0000,0.0000"},
        {Format(kStakeMarker, "J1"), "6,J1,1.5000,65001,0.0000"},
        {Format(kTurnNone, "J1"), "q,J1,0.0000,0.0000"},
        {Format(kTurnLeft, "J2", 30.151), "q,J2,30.1510,0.0000"},
        {Format(kTurnRight, "J2", 90.0), "q,J2,0.0000,90.0000"},
        {Format(kPointCoded, "7", 2.5, 100.0, 0.0, 45, 45), "b,7,2.5000,100.0000,0.0000,45=00+45,0,0,11"},
        {Format(kPointLabel, "8", -1.25, -0.0, 12.0), "b,8,-1.2500,-0.0000,12.0000,13=00+13,0,0,0"},
        {Format(kPoint, "9", 0.0, 5.0, -4.5), "b,9,0.0000,5.0000,-4.5000,13=00+13,0,0,11"},
        {Format(kPlanAux, 21, -1.5, 99.9, 48.5, 20), "b,21,-1.5000,99.9000,48.5000,8287=01+95,20,0,11"},
        {Format(kPlanAuxOnLine, 22, -0.1, 50.0, 21), "b,22,0.0000,-0.1000,50.0000,8287=01+95,21,0,11"},
        {Format(kCorner, 31, 8.0, 100.0, 50.0), "b,31,8.0000,100.0000,50.0000,8192=01+0,0,0,0"},
        {Format(kCornerLinked, 32, -2.0, -0.0, 50.0, 31, 201),
         "b,32,-2.0000,-0.0000,50.0000,8192=01+0,31,0,201"},
        {Format(kHouseFarCorner3, 41, 1.23456, -0.0004, 7.0, "40", 203), "b,41,1.235,-0.000,7.000,13=00+13,40,0,203"},
        {Format(kHouseFarCorner, 41, -3.0, 20.0, 7.0, "40", 0), "b,41,-3.0000,20.0000,7.0000,13=00+13,40,0,0"},
        {Format(kCrossingHeight, 13, "12", 0.1), "G,13,12,0.100,41=00+41"},
        {Format(kCrossingHeight, 1, "线", -2.5), "G,1,线,-2.500,41=00+41"},
        {Format(kCrossing, "12", 7, 35, -60.0), "*,12,7,3,0,0,35,-60.0000"},
        {Format(kRoadOne, 20, 0.01, 60.0, 184), "r,20,13=00+13,0,0,13=00+13,0,0.0100,60.0000,184"},
        {Format(kWaterOne, 20, 5.0, -60.0, 191), "r,20,82=00+82,0,0,83=00+83,0,5.0000,-60.0000,191"},
        {Format(kWaterOneFar, 20, -1.0, 0.0, 173), "r,0,82=00+82,0,20,83=00+83,0,-1.0000,0.0000,173"},
        {Format(kRoadTwo, "P", "A", 150.0, 184), "r,P,13=00+13,0,A,13=00+13,0,0.0000,150.0000,184"},
        {Format(kWaterTwo, "P", "A", -150.0, 175), "r,P,82=00+82,0,A,83=00+83,0,0.0000,-150.0000,175"},
        {Format(kEdge95Up, 22, 20, -0.0, 20), "+,22,20,-0.0000,0.0000,0.1000,95=00+95,20,0,11"},
        {Format(kEdge95Down, 23, 21, 1.5, 21), "+,23,21,1.5000,0.0000,-0.1000,95=00+95,21,0,11"},
        {Format(kEdge94Up, 22, 20, -2.0, 20), "+,22,20,-2.0000,0.0000,0.1000,94=00+94,20,0,193"},
        {Format(kEdge94Down, 23, 21, 0.0, 21), "+,23,21,0.0000,0.0000,-0.1000,94=00+94,21,0,193"},
        {Format(kBank94Up, 24, 23, 23), "+,24,23,-0.5000,0.0000,0.1000,94=00+94,23,0,193"},
        {Format(kBank94Down, 25, 22, 22), "+,25,22,-0.5000,0.0000,-0.1000,94=00+94,22,0,193"},
        {Format(kPondWater60, 21, 20, 4.0), "+,21,20,0.0000,0.0000,4.0000,24636=11+60,0,0,0"},
        {Format(kPondWater70, 21, 20, -4.0), "+,21,20,0.0000,0.0000,-4.0000,24646=11+70,0,0,0"},
        {Format(kPondAhead, 22, 20, 3.0, 2.0, 20), "+,22,20,0.0000,3.0000,2.0000,24576=11+0,20,2,7"},
        {Format(kPondBack, 23, 20, -1.5, 2.0, 21), "+,23,20,0.0000,--1.5000,2.0000,24576=11+0,21,2,7"},
        {Format(kPondAheadNamed, 21, "A", 3.0, -0.0, "A"), "+,21,A,0.0000,3.0000,-0.0000,24576=11+0,A,2,7"},
        {Format(kPondBackNamed, 22, "A", 3.0, 2.0, 20), "+,22,A,0.0000,-3.0000,2.0000,24576=11+0,20,2,7"},
        {Format(kEdge95UpNamed, 21, "P", 1.5, "P"), "+,21,P,-1.5000,0.0000,0.1000,95=00+95,P,0,11"},
        {Format(kEdge95DownNamed, 22, "A", -0.0, "A"), "+,22,A,--0.0000,0.0000,-0.1000,95=00+95,A,0,11"},
        {Format(kEdge94UpNamed, 21, "P", 0.0, "P"), "+,21,P,-0.0000,0.0000,0.1000,94=00+94,P,0,193"},
        {Format(kEdge94DownNamed, 22, "A", -1.5, "A"), "+,22,A,--1.5000,0.0000,-0.1000,94=00+94,A,0,193"},
        {Format(kLink, 21, 20), "K,21,20"},
        {Format(kLinkNamed, "P", "A"), "K,P,A"},
        {Format(kPondLine70, 20), "f,20,24646=11+70,0,0,0.0000"},
        {Format(kPondLine60, 20), "f,20,24636=11+60,0,0,0.0000"},
        {Format(kPondLine70Named, "A"), "f,A,24646=11+70,0,0,0.0000"},
        {Format(kPondLine60Named, "P"), "f,P,24636=11+60,0,0,0.0000"},
        {Format(kSlope, 20, 914, -30.0), "s,20,0,0,914,-30.0000,3"},
        {Format(kEmbankment, "20", 938), "e,20,0,938,1"},
        {Format(kWall, 23, 21, 22, 0.0, 201), "l,23,21,22,-1,0.0000,0,201"},
        {Format(kWallSided, 22, "P", 21, 1, -3.0, 206), "l,22,P,21,1,-3.0000,0,206"},
        {Format(kWallNamed, 22, "P", 21, 4.5, 0), "l,22,P,21,-1,4.5000,0,0"},
        {Format(kHeight, 25, 21, 23, 0, -0.0), "x,25,21,0,23,0,0,-0.0000,0,0.0000"},
        {Format(kHeight3, 24, "P", 22, 3.25), "x,24,P,0,22,0,0,3.250,0,0.000"},
        {Format(kHeightNamed, 24, "P", 22, 6.0), "x,24,P,0,22,0,0,6.0000,0,0.0000"},
        {Format(kChain, "J1", "3"), "c,J1,3,0,11"},
        {Format(kRiverBank, 21, 22), "c,21,22,0,20"},
        {Format(kPondClose, 20, 21), "c,20,21,2,7"},
        {Format(kPondCloseNamed, "A", 22), "c,A,22,2,7"},
        {Format(kElevationRange, 100, 500), "m,-9000000000.00000000,  100,  500,    0,    0,    0"},
        {Format(kElevationRange, -100, 0), "m,-9000000000.00000000,  -100,  0,    0,    0,    0"},
    };
    for (const Case& c : cases) EXPECT_EQ(c.got, c.want);
}

TEST(OrgRecords, GeneratedNumbersWrapInsteadOfOverflowing) {
    EXPECT_EQ(Plus(20, 3), 23);
    EXPECT_EQ(Plus(-5, 2), -3);
    EXPECT_EQ(Plus(2147483647, 1), -2147483647 - 1);
}

}  // namespace
}  // namespace linvara::org
