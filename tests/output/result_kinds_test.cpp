#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "output/kml_writer.h"
#include "output/result_kinds.h"
#include "output/result_writer.h"
#include "support/recording_reporter.h"
#include "support/survey_points.h"
#include "support/temp_dir.h"

namespace linvara {
namespace {

TEST(ResultKinds, TwelveKindsInDialogOrderWithDistinctShortNames) {
    const char* texts[] = {"Pn,Pc,y,x,h",
                           "Pn Pc y x h",
                           "Pn,Pc,x,y,h",
                           "Pn Pc x y h",
                           "Pn,x,y,h,Pc",
                           "Pn x y h Pc",
                           "AutoCAD--DXF格式(*.dxf)",
                           "威远图格式(*.dat)",
                           "点名,编码,x,y,h,转角,档距,里程(*.CSV)",
                           "J桩Z桩点(Pn,Pc,x,y,h)",
                           "J、Z桩Vexa格式(Pn,Pc,y,x,h)",
                           "J、Z桩KML格式(*KML)"};
    auto kinds = ResultKinds();
    ASSERT_EQ(kinds.size(), 12u);
    std::set<std::string> shortNames;
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(kinds[i].kind, i);
        EXPECT_STREQ(kinds[i].text, texts[i]);
        shortNames.insert(kinds[i].shortName);
    }
    EXPECT_EQ(shortNames.size(), 12u);
    EXPECT_STREQ(kinds[6].shortName, "dxf");
    EXPECT_STREQ(kinds[11].shortName, "kml");
}

// Everything that follows from a row of the table, checked for every row: a
// new kind is covered here without a line more.
TEST(ResultKinds, EveryRowIsConsistentWithWhatIsDerivedFromIt) {
    const DHPointList list = {testing::PlanePoint("J1", JStake, 100, 200, 5), testing::PlanePoint("Z1", ZStake, 120, 220, 7)};
    std::set<std::string> names, texts;
    std::string table;
    for (std::size_t i = 0; i < ResultKinds().size(); ++i) {
        const ResultKindInfo& k = ResultKinds()[i];
        SCOPED_TRACE(k.shortName);
        EXPECT_EQ(k.kind, static_cast<int>(i)) << "the number is the list position";
        EXPECT_TRUE(names.insert(k.shortName).second) << "names are unique";
        EXPECT_TRUE(texts.insert(k.text).second) << "list texts are unique";
        EXPECT_EQ(std::string(k.shortName).find_first_of(" \t"), std::string::npos);
        EXPECT_EQ(FindResultKind(k.kind), &k);
        EXPECT_EQ(ParseResultKind(k.shortName), k.kind);
        EXPECT_EQ(ParseResultKind(std::to_string(k.kind)), k.kind);
        EXPECT_EQ(ExtensionForKind(k.kind), k.extension);
        // The kind's own extension is the filter's first pattern.
        const std::string ownPattern = std::string("*.") + k.extension;
        const std::string filter = SaveFilterForKind(k.kind);
        EXPECT_EQ(filter.find("(" + ownPattern + ")|" + ownPattern + "|"), filter.find('('));
        EXPECT_TRUE(filter.ends_with("||"));
        EXPECT_EQ(KindPacksAsKmz(k.kind), k.kmz);
        table += std::to_string(k.kind) + "\t" + k.shortName + "\t" + k.extension + "\n";

        // The writer reaches the row's builder, which writes a file of the kind.
        testing::TempDir dir;
        const std::string path = dir.File(std::string("line.") + k.extension);
        testing::RecordingReporter reporter;
        const StatusOr<int> written = WriteResultFile(list, path, k.kind, reporter);
        ASSERT_TRUE(written) << written.status().message();
        EXPECT_EQ(written.value(), 2);
        EXPECT_GT(std::filesystem::file_size(path), 0u);
        ASSERT_FALSE(reporter.messages.empty());
        EXPECT_NE(reporter.messages.back().text.find(path), std::string::npos) << "done names the file";
        const StatusOr<int> packed = WriteResultFile(list, dir.File("line.kmz"), k.kind, reporter, KmlPacking::Kmz);
        EXPECT_EQ(packed.ok(), k.kmz && KmzAvailable()) << packed.status().message();
    }
    EXPECT_FALSE(FindResultKind(-1));
    EXPECT_FALSE(FindResultKind(static_cast<int>(ResultKinds().size())));
    EXPECT_EQ(ParseResultKind(std::to_string(ResultKinds().size())), -1);
    EXPECT_EQ(ResultKindTable(), table);
}

// The path follows the kind every time: no kind keeps the extension of the
// one chosen before it (a KML first, 9..11 after the CSV kind).
TEST(ResultKinds, KindChangesRewriteThePathExtension) {
    struct Step {
        int kind;
        const char* path;  // shown after the change
    } steps[] = {
        {11, "line.kml"}, {6, "line.dxf"}, {8, "line.CSV"}, {11, "line.kml"},
        {9, "line.dat"},  {8, "line.CSV"}, {10, "line.dat"}, {3, "line.dat"},
    };
    std::string path = "line.dat";
    for (const Step& s : steps) {
        path = ReplaceExtension(path, ExtensionForKind(s.kind));
        EXPECT_EQ(path, s.path) << "kind " << s.kind;
    }
}

TEST(ResultKinds, ReplaceExtensionReplacesTheFileNamesOwn) {
    EXPECT_EQ(ReplaceExtension("线路成果", "dat"), "线路成果.dat");
    EXPECT_EQ(ReplaceExtension("/a.b/route", "kml"), "/a.b/route.kml");
    EXPECT_EQ(ReplaceExtension("/a/route.v2.CSV", "dxf"), "/a/route.v2.dxf");
    EXPECT_EQ(ReplaceExtension("/a/.hidden", "dat"), "/a/.hidden.dat");
    EXPECT_EQ(ReplaceExtension("", "dxf"), "");
}

TEST(ResultKinds, SaveFilters) {
    struct Case {
        int kind;
        const char* filter;
    } cases[] = {
        {0, "成果文件 (*.dat)|*.dat|成果文件 (*.CSV)|*.CSV||"},
        {4, "成果文件 (*.dat)|*.dat|成果文件 (*.CSV)|*.CSV||"},
        {6, "CAD文件 (*.dxf)|*.dxf||"},
        {10, "成果文件 (*.dat)|*.dat||"},
        {11, "KML文件 (*.kml)|*.kml||"},
        {8, "成果文件 (*.CSV)|*.CSV||"},
        {9, "成果文件 (*.dat)|*.dat||"},
        {7, "成果文件 (*.dat)|*.dat||"},
    };
    for (const Case& c : cases) EXPECT_EQ(SaveFilterForKind(c.kind), c.filter) << "kind " << c.kind;
}

}  // namespace
}  // namespace linvara
