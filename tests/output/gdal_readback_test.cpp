// The DXF and KML files read back by a real GIS reader (GDAL's ogrinfo):
// every name unchanged, Chinese included, every coordinate to the printed
// decimals.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <sstream>

#include "output/kml_writer.h"
#include "output/result_writer.h"
#include "readback.h"
#include "support/cli_runner.h"
#include "support/recording_reporter.h"
#include "support/temp_dir.h"

namespace linvara {
namespace {

using testing::AwkwardStakes;
using testing::SameToPrinted;

struct Feature {
    std::string label;  // DXF text or KML name
    std::array<double, 3> point{};
};

// A feature expected at `point`, printed with `decimals` per axis.
struct Expected {
    std::string label;
    std::array<double, 3> point;
    std::array<int, 3> decimals;
};

// Every feature of `ogrinfo -al -q` (with `options` before the path), with
// its label field and its point.
std::vector<Feature> ReadFeatures(const std::string& path, const std::string& labelField,
                                  const std::string& options = "") {
    std::istringstream in(
        testing::RunReader("ogrinfo " + options + " -al -q " + testing::ShellQuote(path) + " 2>/dev/null").out);
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

void ExpectFeatures(const std::vector<Feature>& features, const std::vector<Expected>& expected) {
    ASSERT_EQ(features.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        const Expected& e = expected[i];
        EXPECT_EQ(features[i].label, e.label) << "feature " << i;
        for (int axis = 0; axis < 3; ++axis)
            EXPECT_PRED3(SameToPrinted, features[i].point[axis], e.point[axis], e.decimals[axis])
                << "feature " << i << " (" << e.label << ") axis " << axis;
    }
}

// Per point: the point, its name 2.5 east at height 0, the point again.
std::vector<Expected> DxfFeatures(const DHPointList& list, const std::vector<std::string>& names) {
    std::vector<Expected> expected;
    for (size_t i = 0; i < list.size(); ++i) {
        const DHPoint& p = list[i];
        const Expected point = {"", {p.Dy, p.Dx, p.Dh}, {4, 4, 4}};
        expected.push_back(point);
        expected.push_back({names[i], {p.Dy + 2.5, p.Dx, 0}, {4, 4, 1}});
        expected.push_back(point);
    }
    return expected;
}

// The names are decoded from the code page the file declares.
TEST(GdalReadback, DxfPointsAndNames) {
    if (!testing::HaveCommand("ogrinfo")) GTEST_SKIP() << "ogrinfo (gdal-bin) not installed";
    testing::TempDir dir;
    const std::string path = dir.File("线路.dxf");
    testing::RecordingReporter reporter;
    const DHPointList list = AwkwardStakes();
    ASSERT_TRUE(WriteResultFile(list, path, 6, reporter));
    std::vector<std::string> names;
    for (const DHPoint& p : list) names.push_back(p.NewPtName);
    ExpectFeatures(ReadFeatures(path, "Text"), DxfFeatures(list, names));
}

// Code page 936 as a reader decodes it: the euro sign from its one byte,
// "?" for what the code page lacks.
TEST(GdalReadback, DxfEuroSignAndCharactersOutsideGbk) {
    if (!testing::HaveCommand("ogrinfo")) GTEST_SKIP() << "ogrinfo (gdal-bin) not installed";
    testing::TempDir dir;
    const std::string path = dir.File("线路.dxf");
    testing::RecordingReporter reporter;
    const DHPointList list = {testing::PlanePoint("€5", JStake, 1, 2, 3), testing::PlanePoint("𠮷J1", JStake, 4, 5, 6)};
    ASSERT_TRUE(WriteResultFile(list, path, 6, reporter));
    ExpectFeatures(ReadFeatures(path, "Text"), DxfFeatures(list, {"€5", "?J1"}));
}

// J stakes first, then the Z stake; the auxiliary point has no position.
std::vector<Expected> KmlFeatures(const DHPointList& list) {
    std::vector<Expected> expected;
    for (const DHPoint& p : {list[0], list[3], list[1]}) expected.push_back({p.NewPtName, {p.L, p.B, p.H}, {10, 10, 4}});
    return expected;
}

TEST(GdalReadback, KmlPlacemarksInStakeOrder) {
    if (!testing::HaveCommand("ogrinfo")) GTEST_SKIP() << "ogrinfo (gdal-bin) not installed";
    testing::TempDir dir;
    const std::string path = dir.File("线路.kml");
    testing::RecordingReporter reporter;
    const DHPointList list = AwkwardStakes();
    ASSERT_TRUE(WriteResultFile(list, path, 11, reporter));
    ExpectFeatures(ReadFeatures(path, "Name"), KmlFeatures(list));
}

// Both of GDAL's KML drivers find every stake: LIBKML opens the archive,
// the KML driver its doc.kml.
TEST(GdalReadback, KmzPlacemarksThroughBothKmlDrivers) {
    if (!KmzAvailable()) GTEST_SKIP() << kKmzNotInThisBuild;
    if (!testing::HaveCommand("ogrinfo")) GTEST_SKIP() << "ogrinfo (gdal-bin) not installed";
    testing::TempDir dir;
    const std::string path = dir.File("线路.kmz");
    testing::RecordingReporter reporter;
    const DHPointList list = AwkwardStakes();
    ASSERT_TRUE(WriteResultFile(list, path, 11, reporter, KmlPacking::Kmz));
    ExpectFeatures(ReadFeatures(path, "Name", "--config GDAL_SKIP KML"), KmlFeatures(list));
    ExpectFeatures(ReadFeatures("/vsizip/" + path + "/doc.kml", "Name", "--config GDAL_SKIP LIBKML"),
                   KmlFeatures(list));
}

}  // namespace
}  // namespace linvara
