// Our own coordinate lists import back: each built-in style of a result kind
// reads what that kind writes, from the one layout both are made from.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "import/import_style.h"
#include "import/point_reader.h"
#include "output/result_kinds.h"
#include "output/result_text.h"
#include "support/survey_points.h"

namespace linvara::import {
namespace {

using testing::PlanePoint;

TEST(ResultKindStyles, EveryStyleReadsBackWhatItsKindWrites) {
    // An empty code between the name and the coordinates, and one at the end
    // of the line: the "-sp" kinds keep both as empty fields.
    const DHPointList points = {
        PlanePoint("J1", JStake, 3380000.125, 500000.5, 41.25, "转角桩"),
        PlanePoint("1", AuxPoint, 3380010.1235, 500005.0001, -2.5),
        PlanePoint("Z1", ZStake, 3380100, 500050.75, 43, "直线桩"),
    };
    int styles = 0;
    for (const ResultKindInfo& info : ResultKinds()) {
        const ImportStyle* style = FindBuiltInStyle(info.shortName);
        if (!style) continue;
        ++styles;
        int written = 0;
        const std::string text = output::BuildCoordinateList(points, info.kind, written);
        ASSERT_EQ(written, 3) << info.shortName;
        const ReadPoints read = ReadPointText(text, *style, nullptr);
        ASSERT_EQ(read.failure, "") << info.shortName << "\n" << text;
        ASSERT_TRUE(read.bad.empty()) << info.shortName << ": " << read.bad.front().reason << "\n" << text;
        ASSERT_EQ(read.points.size(), points.size()) << info.shortName;
        for (std::size_t i = 0; i < points.size(); ++i) {
            const ImportedPoint& back = read.points[i];
            EXPECT_EQ(back.name, points[i].NewPtName) << info.shortName;
            EXPECT_EQ(back.code, points[i].Code) << info.shortName;
            EXPECT_DOUBLE_EQ(back.north, points[i].Dx) << info.shortName;
            EXPECT_DOUBLE_EQ(back.east, points[i].Dy) << info.shortName;
            EXPECT_DOUBLE_EQ(back.height, points[i].Dh) << info.shortName;
        }
    }
    EXPECT_EQ(styles, 6);
}

// The numbered dat kind and the stake-only kinds stay without a style of
// their own: the import offers what it offered.
TEST(ResultKindStyles, OnlyThePlainListsAreStyles) {
    std::set<std::string> names;
    for (const ImportStyle& style : BuiltInStyles()) names.insert(style.name);
    EXPECT_EQ(names, (std::set<std::string>{"cass", "header", "pn-pc-y-x-h", "pn-pc-y-x-h-sp", "pn-pc-x-y-h",
                                            "pn-pc-x-y-h-sp", "pn-x-y-h-pc", "pn-x-y-h-pc-sp"}));
}

}  // namespace
}  // namespace linvara::import
