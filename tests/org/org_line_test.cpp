#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <filesystem>
#include <limits>
#include <numbers>

#include "org/org_fixture.h"
#include "support/recording_reporter.h"
#include "support/temp_dir.h"

namespace linvara::testing {
namespace {

using Strings = std::vector<std::string>;

// Converts `list` into a fresh folder; keeps the records, the messages and
// the bytes written.
struct Conversion {
    TempDir dir;
    RecordingReporter reporter;
    Strings main, trailer;
    std::vector<ChainEntry> chain;
    bool ok = false;
    std::string bytes;

    explicit Conversion(const DHPointList& list) {
        const std::string path = dir.File("line.org");
        ok = Reported(ConvertToOrg(list, path, reporter), reporter);
        if (!ok) return;
        bytes = ReadFileBytes(path);
        // The same records again, for a look at them before they are written.
        SilentReporter silent;
        OrgRecordBuilder org(list, silent);
        org.Build();
        main = Lines(org.MainRecords());
        trailer = Lines(org.TrailerRecords());
        chain = org.ChainList();
    }
};

const char* const kNoBoundsRange = "m,-9000000000.00000000,  0,  100,    0,    0,    0";

TEST(OrgLine, SingleJStakeGivesStakeMarkerAndZeroTurn) {
    DHPoint j = PlanePoint("J1", JStake, 10, 20, 50.5);
    j.Mileage = 250;  // stored mileages of J stakes are not used
    Conversion run({j});
    EXPECT_TRUE(run.ok);
    EXPECT_EQ(run.main, (Strings{"0,J1,0.0000,0.0000,50.5000,96=00+96,0.0000,0.0000", "6,J1,1.5000,65001,0.0000",
                                 "q,J1,0.0000,0.0000"}));
    EXPECT_EQ(run.trailer, (Strings{kNoBoundsRange}));
    EXPECT_EQ(run.reporter.Texts(), (Strings{"转换ORG文件成功！已写入：" + run.dir.File("line.org")}));
}

TEST(OrgLine, TurningAnglesAtTheMiddleStake) {
    // J1 -> J2 heads north; J3 decides the turn at J2.
    const double az = -(30.0 + 15.0 / 60 + 10.0 / 3600) * std::numbers::pi / 180;
    struct Case {
        double dx, dy;
        const char* turn;
    } cases[] = {
        {100, 100, "q,J2,0.0000,90.0000"},                                      // right
        {100, -100, "q,J2,90.0000,0.0000"},                                     // left
        {100 + 50 * std::cos(az), 50 * std::sin(az), "q,J2,30.1510,0.0000"},  // 30 15' 10" left
        {200, 0, "q,J2,0.0000,0.0000"},                                         // straight on
    };
    for (const Case& c : cases) {
        DHPoint j2 = PlanePoint("J2", JStake, 100, 0, 2);
        j2.Mileage = 999;
        Conversion run({PlanePoint("J1", JStake, 0, 0, 1), j2, PlanePoint("J3", JStake, c.dx, c.dy, 3)});
        ASSERT_EQ(run.main.size(), 8u);
        EXPECT_EQ(run.main[3], "0,J2,0.0000,100.0000,2.0000,96=00+96,0.0000,0.0000");
        EXPECT_EQ(run.main[5], c.turn);
        EXPECT_EQ(run.main[7].substr(0, 5), "6,J3,") << "the last J stake has no turn";
    }
}

TEST(OrgLine, JStakeMileageAddsPlaneDistances) {
    SilentReporter silent;
    OrgRecordBuilder org({PlanePoint("J1", JStake, 0, 0), PlanePoint("Z", ZStake, 9, 9), PlanePoint("J2", JStake, 3, 4),
                       PlanePoint("J3", JStake, 3, 16)},
                      silent);
    EXPECT_EQ(org.JStakeMileage(0), 0.0);
    EXPECT_EQ(org.JStakeMileage(1), 5.0);
    EXPECT_EQ(org.JStakeMileage(2), 17.0);
}

TEST(OrgLine, ZStakeUsesMileageFromTheFirstJStake) {
    DHPoint j1 = PlanePoint("J1", JStake, 0, 0, 1);
    j1.Mileage = 1000;
    DHPoint z = PlanePoint("Z1", ZStake, 0, 0, -2.5);
    z.Mileage = 1012.25;
    z.Offset = 3;  // Z stakes are written on the centre line
    Conversion run({z, j1});
    EXPECT_EQ(run.main[0], "0,Z1,0.0000,12.2500,-2.5000,96=00+96,0.0000,0.0000");
    Conversion noJ({z});
    EXPECT_EQ(noJ.main, (Strings{"0,Z1,0.0000,0.0000,-2.5000,96=00+96,0.0000,0.0000"}));
}

TEST(OrgLine, AuxiliaryPointBeforeTheFirstJStakeStaysOutOfTheChain) {
    DHPoint aux = PlanePoint("5", AuxPoint);
    aux.Mileage = 3;
    DHPoint j = PlanePoint("J1", JStake);
    j.Mileage = 10;
    Conversion run({aux, j});
    ASSERT_EQ(run.chain.size(), 2u);
    EXPECT_EQ(run.chain[0].name, "J1");
    EXPECT_EQ(run.chain[0].mileage, 0.0);
    EXPECT_EQ(run.chain[1].name, "J1");
    EXPECT_EQ(run.chain[1].mileage, 10.0);
    EXPECT_EQ(run.trailer.front(), "c,J1,J1,0,11");
}

TEST(OrgLine, ProfileChainSortsByStoredMileageKeepingTies) {
    DHPointList list;
    const std::pair<const char*, double> points[] = {{"J1", 100}, {"a", 30}, {"b", 10}, {"c", 30}, {"d", -5}};
    for (auto [name, mileage] : points) {
        list.push_back(PlanePoint(name, name[0] == 'J' ? JStake : ZStake));
        list.back().Mileage = mileage;
    }
    Conversion run(list);
    EXPECT_EQ(run.trailer, (Strings{"c,d,J1,0,11", "c,J1,b,0,11", "c,b,a,0,11", "c,a,c,0,11", kNoBoundsRange}));
}

TEST(OrgLine, AuxiliaryPointCodeFollowsTheSideOfItsOffset) {
    struct Case {
        int glCode;
        double offset;
        const char* record;
    } cases[] = {
        {44, 2.5, "b,7,2.5000,0.0000,0.0000,45=00+45,0,0,11"},
        {44, -1, "b,7,-1.0000,0.0000,0.0000,44=00+44,0,0,11"},
        {45, 0, "b,7,0.0000,0.0000,0.0000,44=00+44,0,0,11"},
        {45, 1, "b,7,1.0000,0.0000,0.0000,45=00+45,0,0,11"},
        {0, 1, "b,7,1.0000,0.0000,0.0000,13=00+13,0,0,11"},
        {95, -1, "b,7,-1.0000,0.0000,0.0000,95=00+95,0,0,11"},
    };
    for (const Case& c : cases) {
        DHPoint p = PlanePoint("7", AuxPoint);
        p.GLCode = c.glCode;
        p.Offset = c.offset;
        Conversion run({p});
        EXPECT_EQ(run.main, (Strings{c.record})) << c.glCode << " " << c.offset;
    }
}

TEST(OrgLine, AuxiliaryPointsWithTheSameNameNumberAreWrittenOnce) {
    Conversion run({PlanePoint("12", AuxPoint), PlanePoint("12a", AuxPoint), PlanePoint("13", AuxPoint)});
    EXPECT_EQ(run.main, (Strings{"b,12,0.0000,0.0000,0.0000,13=00+13,0,0,11",
                                 "b,13,0.0000,0.0000,0.0000,13=00+13,0,0,11"}));
}

TEST(OrgLine, NameNumberReadsLeadingDigits) {
    const std::pair<const char*, int> cases[] = {{"12a", 12}, {"  -7", -7}, {"+5", 5}, {"J1", 0},
                                                 {"", 0},     {"电1", 0},   {"99999999999", INT_MAX}};
    for (auto [name, n] : cases) EXPECT_EQ(OrgRecordBuilder::NameNumber(name), n) << name;
}

TEST(OrgLine, CrossingLabelRecords) {
    struct Case {
        double addHight, crossAngle;
        const char* label;
        const char* crossing;
    } cases[] = {
        {0, 30, "G,13,12,0.100,41=00+41", "*,12,7,3,0,0,35,60.0000"},
        {0.000001, -30, "G,13,12,0.100,41=00+41", "*,12,7,3,0,0,35,-60.0000"},
        {-2.5, 0, "G,13,12,-2.500,41=00+41", "*,12,7,3,0,0,35,90.0000"},
        {12.3456, 100, "G,13,12,12.346,41=00+41", "*,12,7,3,0,0,35,-10.0000"},
    };
    for (const Case& c : cases) {
        DHPoint p = PlanePoint("12", CrossingOnePoint, 0, 0, 40);
        p.Offset = -1.5;
        p.PoleType = 7;
        p.LXCode = 35;
        p.AddHight = c.addHight;
        p.CrossAngle = c.crossAngle;
        Conversion run({p});
        EXPECT_EQ(run.main, (Strings{"b,12,-1.5000,0.0000,40.0000,13=00+13,0,0,0", c.label, c.crossing}));
    }
}

TEST(OrgLine, UnknownKindsWriteNothingButCountForChainAndRange) {
    DHPoint j = PlanePoint("J1", JStake, 0, 0, 10);
    DHPoint odd = PlanePoint("X", 7, 0, 0, 250);
    odd.Mileage = 5;
    DHPoint negative = PlanePoint("Y", -1, 0, 0, 20);
    negative.Mileage = 2;
    Conversion run({j, odd, negative});
    EXPECT_EQ(run.main.size(), 3u);
    EXPECT_EQ(run.trailer,
              (Strings{"c,J1,Y,0,11", "c,Y,X,0,11", "m,-9000000000.00000000,  0,  300,    0,    0,    0"}));
}

TEST(OrgLine, ElevationRangeCutsTowardZero) {
    struct Case {
        double low, high;
        const char* range;
    } cases[] = {
        {123.7, 456.2, "m,-9000000000.00000000,  100,  500,    0,    0,    0"},
        {-45.0, 12.0, "m,-9000000000.00000000,  0,  100,    0,    0,    0"},
        {-145.3, 12.0, "m,-9000000000.00000000,  -100,  100,    0,    0,    0"},
        {-250.0, -150.0, "m,-9000000000.00000000,  -200,  0,    0,    0,    0"},
    };
    for (const Case& c : cases) {
        Conversion run({PlanePoint("1", 9, 0, 0, c.high), PlanePoint("2", 9, 0, 0, c.low)});
        EXPECT_EQ(run.trailer.back(), c.range) << c.low << ".." << c.high;
    }
}

// A height no survey gives is refused, the point named, no file written.
TEST(OrgLine, HeightsThatAreNoSurveyValueAreRefused) {
    struct Case {
        double low, high;
        const char* message;
    } cases[] = {
        {-1e300, 1e300, "高程为1e+300，不是有效的测量值，不能转换（点名：1，第1行）"},
        {0, NAN, "高程为nan，不是有效的测量值，不能转换（点名：1，第1行）"},
        {-INFINITY, 0, "高程为-inf，不是有效的测量值，不能转换（点名：2，第2行）"},
    };
    for (const Case& c : cases) {
        Conversion run({PlanePoint("1", 9, 0, 0, c.high), PlanePoint("2", 9, 0, 0, c.low)});
        EXPECT_FALSE(run.ok);
        EXPECT_EQ(run.reporter.Texts(), Strings{c.message});
        EXPECT_FALSE(std::filesystem::exists(run.dir.File("line.org")));
    }
}

TEST(OrgLine, EmptyListWritesOnlyTheRangeRecord) {
    Conversion run({});
    EXPECT_TRUE(run.ok);
    EXPECT_EQ(run.bytes, std::string(kNoBoundsRange) + "\r\n");
}

TEST(OrgLine, FileIsGbkWithCrLfOnEveryLine) {
    Conversion run({PlanePoint("电杆1", JStake, 0, 0, 5), PlanePoint("J2", JStake, 0, 10, 6)});
    const std::string name = "\xB5\xE7\xB8\xCB" "1";  // GBK bytes of 电杆
    EXPECT_EQ(run.bytes, "0," + name + ",0.0000,0.0000,5.0000,96=00+96,0.0000,0.0000\r\n"
                         "6," + name + ",1.5000,65001,0.0000\r\n"
                         "q," + name + ",0.0000,0.0000\r\n"
                         "0,J2,0.0000,10.0000,6.0000,96=00+96,0.0000,0.0000\r\n"
                         "6,J2,1.5000,65001,0.0000\r\n"
                         "c," + name + ",J2,0,11\r\n"
                         "m,-9000000000.00000000,  0,  100,    0,    0,    0\r\n");
}

TEST(OrgLine, OutputNameGetsTheOrgExtension) {
    const std::pair<const char*, const char*> cases[] = {
        {"/d/a.org", "/d/a.org"}, {"/d/a.txt", "/d/a.org"}, {"/d/线路.dat", "/d/线路.org"},
        {"/d/a线路四个", "/d/a线路四个.org"}, {"ab", "ab.org"},  // no extension: ".org" added, nothing cut
        {"/d/route.db", "/d/route.org"}, {"/d/x.PD", "/d/x.org"},
    };
    for (auto [chosen, written] : cases) EXPECT_EQ(OrgFilePath(chosen), written);
}

TEST(OrgLine, FailedWriteReportsFailureAndLeavesNothing) {
    TempDir dir;
    const std::string missingFolder = dir.File("none/line.org");
    const std::string folderAsTarget = dir.File("taken.org");
    std::filesystem::create_directory(folderAsTarget);
    for (const std::string& target : {missingFolder, folderAsTarget}) {
        RecordingReporter reporter;
        const Status converted = ConvertToOrg({PlanePoint("J1", JStake)}, target, reporter);
        EXPECT_FALSE(converted);
        EXPECT_TRUE(reporter.messages.empty()) << "the failure is the caller's to show";
        // The file and the system's reason.
        EXPECT_EQ(converted.message().rfind("转换ORG文件失败：" + target + "（", 0), 0u) << converted.message();
    }
    EXPECT_TRUE(std::filesystem::is_directory(folderAsTarget));
    int entries = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.path())) ++entries;
    EXPECT_EQ(entries, 1) << "no temporary file is left behind";
}

// A value no ORG file can carry stops the conversion before anything is
// written; the caller gets the text and the point, and shows them.
TEST(OrgLine, AnUnusableValueComesBackNamingThePoint) {
    TempDir dir;
    RecordingReporter reporter;
    DHPoint j2 = PlanePoint("J2", JStake, 3, 4);
    j2.Dh = std::numeric_limits<double>::quiet_NaN();
    const Status converted = ConvertToOrg({PlanePoint("J1", JStake), j2}, dir.File("line.org"), reporter);
    EXPECT_FALSE(converted);
    EXPECT_EQ(converted.message(), "高程为nan，不是有效的测量值，不能转换（点名：J2，第2行）");
    ASSERT_TRUE(converted.point());
    EXPECT_EQ(converted.point()->row, 1);
    EXPECT_TRUE(reporter.messages.empty());
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

}  // namespace
}  // namespace linvara::testing
