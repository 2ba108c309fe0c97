#include <gtest/gtest.h>

#include <filesystem>

#include "output/kml_writer.h"
#include "support/survey_points.h"
#include "support/temp_dir.h"

namespace linvara {
namespace {

using testing::Geodetic;
using testing::PlanePoint;
using testing::ReadFileBytes;
using testing::TempDir;

const std::string kHead =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
    "<kml xmlns=\"http://www.opengis.net/kml/2.2\">\r\n"
    "<Document>\r\n";
const std::string kIcon = "\t<Icon><href>http://maps.google.com/mapfiles/kml/shapes/donut.png</href></Icon>\r\n";
const std::string kStyle =
    "\t<open>1</open>\r\n"
    "\t<Style id=\"khStyle\">\r\n"
    "\t<IconStyle>\r\n"
    "\t<scale>0.6</scale>\r\n" +
    kIcon +
    "\t</IconStyle>\r\n"
    "\t<LabelStyle>\r\n"
    "\t<scale>0.7</scale>\r\n"
    "\t</LabelStyle>\r\n"
    "\t</Style>\r\n";
const std::string kFooter = "</Document>\r\n</kml>\r\n";

std::string Placemark(const std::string& name, const std::string& coords) {
    return "\t<Placemark>\r\n\t<name>" + name +
           "</name>\r\n"
           "\t<description></description>\r\n"
           "\t<styleUrl>#khStyle</styleUrl>\r\n\t<Style>\r\n\t<IconStyle>\r\n"
           "\t<color>ff0000ff</color>\r\n" +
           kIcon +
           "\t</IconStyle>\r\n\t</Style>\r\n"
           "\t<Point>\r\n\t<coordinates>\r\n\t" +
           coords + "\r\n\t</coordinates>\r\n\t</Point>\r\n\t</Placemark>\r\n";
}

TEST(StakeKml, JStakesFirstThenZStakesLongitudeFirst) {
    DHPointList list = {Geodetic(PlanePoint("J1", JStake, 0, 0), 30.5, 114.25, 20),
                        Geodetic(PlanePoint("Z1", ZStake, 0, 0), 30.25, 114.5, 21.5),
                        PlanePoint("辅1", AuxPoint, 0, 0),
                        Geodetic(PlanePoint("J2", JStake, 0, 0), -33.123456789012, -70.000000000049, -1.5)};
    TempDir dir;
    const std::string path = dir.File("线路.kml");
    ASSERT_TRUE(WriteStakeKml(list, path));
    EXPECT_EQ(ReadFileBytes(path), kHead + "\t<name>线路</name>\r\n" + kStyle +
                                       Placemark("J1", "114.2500000000,30.5000000000,20.0000") +
                                       Placemark("J2", "-70.0000000000,-33.1234567890,-1.5000") +
                                       Placemark("Z1", "114.5000000000,30.2500000000,21.5000") + kFooter);
}

TEST(StakeKml, NoStakesGiveTheFrameOnly) {
    TempDir dir;
    const std::string path = dir.File("empty.kml");
    ASSERT_TRUE(WriteStakeKml({PlanePoint("A", AuxPoint, 0, 0)}, path));
    EXPECT_EQ(ReadFileBytes(path), kHead + "\t<name>empty</name>\r\n" + kStyle + kFooter);
}

// Names are escaped and cleaned, so readers never reject the file.
TEST(StakeKml, MarkupInNamesIsEscaped) {
    DHPointList list = {PlanePoint("<A&\"B'>", JStake, 0, 0), PlanePoint("x\x01y\xFF", ZStake, 0, 0)};
    TempDir dir;
    const std::string path = dir.File("R&D.kml");
    ASSERT_TRUE(WriteStakeKml(list, path));
    const std::string kml = ReadFileBytes(path);
    EXPECT_NE(kml.find("\t<name>R&amp;D</name>\r\n"), std::string::npos);
    EXPECT_NE(kml.find("\t<name>&lt;A&amp;&quot;B&apos;&gt;</name>\r\n"), std::string::npos);
    EXPECT_NE(kml.find("\t<name>x\xEF\xBF\xBDy\xEF\xBF\xBD</name>\r\n"), std::string::npos);
}

TEST(StakeKml, DocumentNameIsTheFileNameWithoutExtension) {
    struct Case {
        const char* relative;
        const char* name;
    } cases[] = {
        {"a.b.kml", "a.b"},
        {"noext", ""},
        {"dot.dir/route", ""},
        {"x\\win.kml", "win"},
    };
    for (const Case& c : cases) {
#ifdef _WIN32
        if (std::string_view(c.relative).find('\\') != std::string_view::npos) continue;  // a folder there
#endif
        TempDir dir;
        std::filesystem::create_directory(dir.path() / "dot.dir");
        const std::string path = dir.File(c.relative);
        ASSERT_TRUE(WriteStakeKml({}, path)) << c.relative;
        EXPECT_NE(ReadFileBytes(path).find(std::string("\t<name>") + c.name + "</name>\r\n"), std::string::npos)
            << c.relative;
    }
}

TEST(StakeKml, SurroundingSpacesAreTrimmedFromThePath) {
    TempDir dir;
    ASSERT_TRUE(WriteStakeKml({}, "  " + dir.File("line.kml") + " \t"));
    EXPECT_NE(ReadFileBytes(dir.File("line.kml")).find("<name>line</name>"), std::string::npos);
}

// The failure says what the user reads: the file and the system's reason,
// or that no path was chosen.
TEST(StakeKml, UnwritablePathFailsNamingTheFile) {
    TempDir dir;
    const std::string missing = dir.File("missing/line.kml");
    EXPECT_EQ(WriteStakeKml({}, missing).message(), "新建成果文件出错：" + missing + "（No such file or directory）");
    EXPECT_EQ(WriteStakeKml({}, "   ").message(), "请先选择成果文件的保存路径");
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

}  // namespace
}  // namespace linvara
