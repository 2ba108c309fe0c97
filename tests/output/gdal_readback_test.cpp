// The DXF and KML files read back by a real GIS reader (GDAL's ogrinfo).
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <sstream>

#include "output/result_writer.h"
#include "support/recording_reporter.h"
#include "support/survey_points.h"
#include "support/temp_dir.h"

namespace linvara {
namespace {

using testing::Geodetic;
using testing::PlanePoint;

struct Feature {
    std::string label;  // DXF text or KML name
    std::array<double, 3> point{};
};

bool HaveOgrinfo() { return std::system("command -v ogrinfo >/dev/null 2>&1") == 0; }

std::string Run(const std::string& command) {
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    std::string out;
    if (!pipe) return out;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe.get())) > 0) out.append(buffer, n);
    return out;
}

// Every feature of `ogrinfo -al -q`, with its label field and its point.
std::vector<Feature> ReadFeatures(const std::string& path, const std::string& labelField) {
    std::istringstream in(Run("ogrinfo -al -q '" + path + "' 2>/dev/null"));
    std::vector<Feature> features;
    const std::string labelPrefix = "  " + labelField + " (String) = ";
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("OGRFeature(", 0) == 0) features.emplace_back();
        if (features.empty()) continue;
        if (line.rfind(labelPrefix, 0) == 0) features.back().label = line.substr(labelPrefix.size());
        auto& p = features.back().point;
        std::sscanf(line.c_str(), "  POINT Z (%lf %lf %lf)", &p[0], &p[1], &p[2]);
    }
    return features;
}

TEST(GdalReadback, DxfHasTwoPointsAndOneTextPerPoint) {
    if (!HaveOgrinfo()) GTEST_SKIP() << "ogrinfo (gdal-bin) not installed";
    testing::TempDir dir;
    const std::string path = dir.File("line.dxf");
    testing::RecordingReporter reporter;
    DHPointList list = {PlanePoint("J1", JStake, 100, 200, 5), PlanePoint("Z2", ZStake, 110.5, 210.25, 6.125),
                        PlanePoint("A3", AuxPoint, -3400000.5, 500000.25, -2)};
    ASSERT_TRUE(WriteResultFile(list, path, 6, reporter));
    const std::vector<Feature> features = ReadFeatures(path, "Text");
    ASSERT_EQ(features.size(), 9u);
    for (size_t i = 0; i < list.size(); ++i) {
        const DHPoint& p = list[i];
        const std::array<double, 3> point = {p.Dy, p.Dx, p.Dh};
        const std::array<double, 3> label = {p.Dy + 2.5, p.Dx, 0};
        EXPECT_EQ(features[3 * i].point, point) << p.NewPtName;
        EXPECT_EQ(features[3 * i].label, "");
        EXPECT_EQ(features[3 * i + 1].point, label) << p.NewPtName;
        EXPECT_EQ(features[3 * i + 1].label, p.NewPtName);
        EXPECT_EQ(features[3 * i + 2].point, point) << p.NewPtName;
    }
}

TEST(GdalReadback, KmlPlacemarksInStakeOrder) {
    if (!HaveOgrinfo()) GTEST_SKIP() << "ogrinfo (gdal-bin) not installed";
    testing::TempDir dir;
    const std::string path = dir.File("线路.kml");
    testing::RecordingReporter reporter;
    DHPointList list = {Geodetic(PlanePoint("桩<1>&", ZStake, 0, 0), 30.25, 114.5, 21.5),
                        Geodetic(PlanePoint("J1", JStake, 0, 0), 30.5, 114.25, 20),
                        PlanePoint("A", AuxPoint, 0, 0),
                        Geodetic(PlanePoint("J'2\"", JStake, 0, 0), -33.5, -70.125, -1.5)};
    ASSERT_TRUE(WriteResultFile(list, path, 11, reporter));
    const std::vector<Feature> features = ReadFeatures(path, "Name");
    ASSERT_EQ(features.size(), 3u);
    const Feature expected[] = {
        {"J1", {114.25, 30.5, 20}}, {"J'2\"", {-70.125, -33.5, -1.5}}, {"桩<1>&", {114.5, 30.25, 21.5}}};
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(features[i].label, expected[i].label);
        EXPECT_EQ(features[i].point, expected[i].point) << expected[i].label;
    }
}

}  // namespace
}  // namespace linvara
