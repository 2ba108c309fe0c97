#include <gtest/gtest.h>

#include "model/code_tables.h"
#include "model/dh_point_list.h"
#include "model/options.h"

namespace linvara {
namespace {

DHPoint Named(const std::string& name, const std::string& orgName, const std::string& gpsId) {
    DHPoint p;
    p.NewPtName = name;
    p.OrgPtName = orgName;
    p.GPS_ID = gpsId;
    return p;
}

TEST(DHPoint, DefaultsAndResetKeepTheSectionBlock) {
    SectionPoint p;
    EXPECT_EQ(p.DHType, JStake);
    EXPECT_EQ(p.PoleType, 1);
    EXPECT_EQ(p.ID, -1);
    p.NewPtName = "X";
    p.ID = 7;
    p.PegDis = 2.5;
    p.PegName = "Z1";
    p.SubIndex = 3;
    p.Reset();
    EXPECT_EQ(p.NewPtName, "");
    EXPECT_EQ(p.ID, -1);
    EXPECT_EQ(p.PegDis, 2.5);
    EXPECT_EQ(p.PegName, "Z1");
    EXPECT_EQ(SectionLetter(p.SubIndex), "C");
    EXPECT_EQ(SectionLetter(1), "A");
}

TEST(DHPoint, KindNames) {
    EXPECT_STREQ(DHTypeName(0), "J桩");
    EXPECT_STREQ(DHTypeName(6), "3点测房");
    EXPECT_STREQ(DHTypeName(7), "");
    EXPECT_STREQ(DHTypeName(-1), "");
}

TEST(DHPointList, NameTestIsExactAndCoversOriginalNames) {
    DHPointList list{Named("A1", "field7", "g1")};
    EXPECT_TRUE(IsNameTaken(list, "A1"));
    EXPECT_TRUE(IsNameTaken(list, "field7"));
    EXPECT_FALSE(IsNameTaken(list, "a1"));
}

TEST(DHPointList, LookupsByIdentity) {
    DHPointList list{Named("A", "A", "g1"), Named("B", "B", "g2"), Named("B2", "B2", "g2")};
    int index = 0;
    EXPECT_EQ(FindByGpsId(list, "g2", &index).NewPtName, "B");
    EXPECT_EQ(index, 1);
    EXPECT_EQ(FindByGpsId(list, "none", &index).ID, -1);
    EXPECT_EQ(index, -1);
    DHPoint changed = list[1];
    changed.NewPtName = "Bx";
    EXPECT_TRUE(ReplaceByGpsId(list, changed));
    EXPECT_EQ(list[1].NewPtName, "Bx");
    EXPECT_EQ(list[2].NewPtName, "B2");
    EXPECT_TRUE(DeleteByGpsId(list, "g1"));
    EXPECT_FALSE(DeleteByGpsId(list, "g1"));
    EXPECT_EQ(list.size(), 2u);
}

TEST(DHPointList, CopiesAreIndependent) {
    DHPointList a{Named("A", "A", "g1")};
    DHPointList b = a;
    b[0].NewPtName = "changed";
    EXPECT_EQ(a[0].NewPtName, "A");
}

TEST(DHPointList, NewIdentitiesAreTimestampedAndDistinct) {
    const std::string a = NewGpsId(), b = NewGpsId();
    ASSERT_GT(a.size(), 15u);
    EXPECT_EQ(a[14], '_');
    EXPECT_NE(a, b) << "two points created in the same second must differ";
}

TEST(CodeTables, SizesAndLookups) {
    EXPECT_EQ(PoleTypeTable().size(), 41u);
    EXPECT_EQ(CrossingObjectTable().size(), 48u);
    EXPECT_EQ(PointCodeTable().size(), 81u);
    EXPECT_EQ(FeatureClassTable().size(), 44u);
    EXPECT_EQ(PoleTypeText(7), "7--[T]");
    EXPECT_EQ(PoleTypeText(41), "41--[MT]");
    EXPECT_EQ(PoleTypeText(42), "");
    EXPECT_EQ(CodeText(FeatureClassTable(), 184), "公路(184)");
    EXPECT_EQ(CodeText(FeatureClassTable(), 0), "");
    EXPECT_EQ(CodeRowText(FeatureClassTable()[0]), "单笔实线(0)");
    EXPECT_EQ(CodeText(PointCodeTable(), 96), "中线桩(96)");
    EXPECT_EQ(CodeText(PointCodeTable(), 80), "中线桩(80)");
    EXPECT_EQ(CodeText(CrossingObjectTable(), 48), "");
    EXPECT_EQ(CodeText(CrossingObjectTable(), 56), "架空管道：气管(56)");  // full-width colon
    EXPECT_EQ(CrossingObjectTable()[0].code, 25);
    EXPECT_EQ(FeatureClassTable()[43].code, 937);
}

TEST(Options, Defaults) {
    ConversionOptions o;
    o.StartMileage = 5;
    o.UseStartName = 1;
    SetDefaultOptions(o);
    EXPECT_EQ(o.StartMileage, 0.0);
    EXPECT_EQ(o.UseStartName, 0);
    EXPECT_EQ(o.StartName, "1");
    EXPECT_EQ(o.UseOffsetRange, 0);
    EXPECT_EQ(o.OffsetRange, 0.0);
}

}  // namespace
}  // namespace linvara
