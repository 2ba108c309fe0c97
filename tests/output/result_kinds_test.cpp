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

// The dialog's path follows the kind: kinds 0..8 set the extension, 9..11
// keep the one before.
TEST(ResultKinds, KindChangesRewriteThePathExtension) {
    struct Step {
        int kind;
        const char* path;  // shown after the change
        const char* ext;
    } steps[] = {
        {6, "line.dxf", "dxf"}, {8, "line.CSV", "CSV"}, {11, "line.CSV", "CSV"},
        {9, "line.CSV", "CSV"}, {3, "line.dat", "dat"}, {10, "line.dat", "dat"},
    };
    std::string ext = "dat";
    std::string path = "line.dat";
    for (const Step& s : steps) {
        ext = DefaultExtensionForKind(s.kind, ext);
        path = ReplaceExtension(path, ext);
        EXPECT_EQ(path, s.path) << "kind " << s.kind;
        EXPECT_EQ(ext, s.ext) << "kind " << s.kind;
    }
}

TEST(ResultKinds, ReplaceExtensionCountsCharactersNotBytes) {
    EXPECT_EQ(ReplaceExtension("线路成果", "dat"), "线dat");
    EXPECT_EQ(ReplaceExtension("ab", "dxf"), "dxf");
    EXPECT_EQ(ReplaceExtension("", "dxf"), "");
}

TEST(ResultKinds, SaveFilters) {
    struct Case {
        int kind;
        const char* ext;
        const char* filter;
    } cases[] = {
        {0, "dat", "成果文件 (*.dat)|*.dat|成果文件 (*.CSV)|*.CSV||"},
        {4, "dat", "成果文件 (*.dat)|*.dat|成果文件 (*.CSV)|*.CSV||"},
        {6, "dxf", "CAD文件 (*.dxf)|*.dxf||"},
        {10, "CSV", "成果文件 (*.dat)|*.dat||"},
        {11, "CSV", "成果文件 (*.KML)|*.KML||"},
        {8, "CSV", "成果文件 (*.CSV)|*.CSV||"},
        {9, "CSV", "成果文件 (*.CSV)|*.CSV||"},
        {7, "dat", "成果文件 (*.dat)|*.dat||"},
    };
    for (const Case& c : cases) EXPECT_EQ(SaveFilterForKind(c.kind, c.ext), c.filter) << "kind " << c.kind;
}

}  // namespace
}  // namespace linvara
