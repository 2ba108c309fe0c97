#include <gtest/gtest.h>

#include <set>

#include "output/result_kinds.h"

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
