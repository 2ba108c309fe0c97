// Importing a file into a new project: what the collector's tables hold, and
// that nothing is written when a line is bad or the output exists.
#include <gtest/gtest.h>

#include <filesystem>

#include "import/import_file.h"
#include "support/project_file.h"
#include "support/temp_dir.h"
#include "text/encoding.h"
#include "import/gauss_kruger.h"

namespace linvara::import {
namespace {

using testing::FirstColumn;
using testing::Scalar;
using testing::TempDir;

ImportOptions Options(const char* style) {
    ImportOptions options;
    options.style = *FindBuiltInStyle(style);
    return options;
}

TEST(ImportPointFile, WritesTheCollectorsTablesAsTheFirstOpenReadsThem) {
    if (!GaussKruger::Available()) GTEST_SKIP() << GaussKruger::kNotInThisBuild;
    TempDir dir;
    const std::string in = dir.File("line.csv"), out = dir.File("line.PD");
    testing::WriteFileBytes(in, text::Utf8ToGb18030("J1,转角桩,3380000,500000,41.5\r\n"
                                                    "1,电力线,3380010.12346,500005,42\r\n"
                                                    "Z1,直线桩,3380100,500050,43\r\n"
                                                    "J2,转角桩,3380200,500100,44\r\n"));
    ImportOptions options = Options("pn-pc-x-y-h");
    options.zone = ZoneOfMeridian(114);
    ImportOutcome outcome;
    ASSERT_TRUE(testing::IsOk(ImportPointFile(in, out, options, outcome)));
    EXPECT_EQ(outcome.points, 4u);

    // The collector's view: unique identities, DeleteSign 0, nothing in Electric_Data_TG.
    EXPECT_EQ(Scalar(out, "SELECT count(DISTINCT GPSID) FROM Point WHERE DeleteSign=0"), "4");
    EXPECT_EQ(Scalar(out, "SELECT count(*) FROM Electric_Data_DH JOIN Point ON GPS_ID=GPSID"), "4");
    EXPECT_EQ(Scalar(out, "SELECT count(*) FROM Electric_Data_TG"), "0");
    EXPECT_EQ(FirstColumn(out, "SELECT Type_Note FROM Electric_Data_DH ORDER BY ID"),
              (std::vector<std::string>{"J桩", "辅助点", "Z桩", "J桩"}));
    EXPECT_FALSE(testing::HasTable(out, "Electric_DH_Export"));

    // The first open seeds every point, in file order.
    const DHPointList list = testing::StakeListOf(out);
    ASSERT_EQ(list.size(), 4u);
    EXPECT_EQ(list[1].NewPtName, "1");
    EXPECT_EQ(list[1].Code, "电力线");
    EXPECT_EQ(list[1].Dx, 3380010.1235);
    EXPECT_EQ(list[1].DHType, AuxPoint);
    EXPECT_EQ(list[2].DHType, ZStake);
    EXPECT_NEAR(list[0].L, 114, 1e-9);
    EXPECT_NEAR(list[0].B, 30.54, 0.01);
    EXPECT_EQ(list[0].Dh, 41.5);
}

TEST(ImportPointFile, MappedCodesCarryTheirFeature) {
    TempDir dir;
    const std::string in = dir.File("codes.txt"), out = dir.File("codes.PD");
    testing::WriteFileBytes(in, "A 转角桩 1 2\nB 电力线 1 3\nC 公路 1 4\nD 树 1 5\n");
    ImportOptions options;
    options.style.columns = {Column::Name, Column::Code, Column::North, Column::East};
    options.style.kindRule = KindRule::CodeMap;
    options.style.codeKinds = {{"转角桩", 0, 0}, {"电力线", 3, 32}, {"公路", 4, 184}, {"树", 2, 927}};
    ImportOutcome outcome;
    ASSERT_TRUE(testing::IsOk(ImportPointFile(in, out, options, outcome)));
    EXPECT_EQ(FirstColumn(out, "SELECT Type||'/'||LinkCode||LinkCode_Note||'/'||GouType||GouType_Note FROM "
                               "Electric_Data_DH ORDER BY ID"),
              (std::vector<std::string>{"0/0/0", "3/3210kV/0", "4/0/184公路", "2/0/927阔叶独立树"}));
    const DHPointList list = testing::StakeListOf(out);
    ASSERT_EQ(list.size(), 4u);
    EXPECT_EQ(list[1].LXCode, 32);
    EXPECT_EQ(list[2].GLCode, 184);
    EXPECT_EQ(list[3].ObjectCode, 927);
}

TEST(ImportPointFile, WritesNothingUnlessEveryLineIsRead) {
    TempDir dir;
    const std::string in = dir.File("bad.dat"), out = dir.File("bad.PD");
    testing::WriteFileBytes(in, "J1,,1,2,3\nJ2,,x,2,3\nJ3,,1\nJ4,,4,5,6\n");
    ImportOutcome outcome;
    const Status refused = ImportPointFile(in, out, Options("pn-pc-x-y-h"), outcome);
    EXPECT_FALSE(refused);
    EXPECT_EQ(refused.message(), "bad.dat 有2行无法读取，未写入工程文件");
    EXPECT_EQ(outcome.badLines, (std::vector<std::string>{"bad.dat 第2行：北坐标x不是数字：“x”",
                                                          "bad.dat 第3行：字段太少（应有5个，只有3个）"}));
    EXPECT_FALSE(std::filesystem::exists(out));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);  // no temporary left

    ImportOptions skip = Options("pn-pc-x-y-h");
    skip.skipBad = true;
    ASSERT_TRUE(testing::IsOk(ImportPointFile(in, out, skip, outcome)));
    EXPECT_EQ(outcome.points, 2u);
    EXPECT_EQ(outcome.badLines.size(), 2u);
    EXPECT_EQ(FirstColumn(out, "SELECT Name FROM Point ORDER BY ID"), (std::vector<std::string>{"J1", "J4"}));
}

TEST(ImportPointFile, AnExistingOutputIsReplacedOnlyWhenAsked) {
    TempDir dir;
    const std::string in = dir.File("p.dat"), out = dir.File("p.PD");
    testing::WriteFileBytes(in, "J1,,1,2,3\n");
    testing::WriteFileBytes(out, "keep me");
    ImportOutcome outcome;
    const Status refused = ImportPointFile(in, out, Options("pn-pc-x-y-h"), outcome);
    EXPECT_EQ(refused.message(), "文件已存在，未覆盖：" + out);
    EXPECT_EQ(testing::ReadFileBytes(out), "keep me");
    ImportOptions replace = Options("pn-pc-x-y-h");
    replace.replace = true;
    ASSERT_TRUE(testing::IsOk(ImportPointFile(in, out, replace, outcome)));
    EXPECT_EQ(Scalar(out, "SELECT Name FROM Point"), "J1");
}

TEST(ImportPointFile, AFileWithoutPointsWritesNothing) {
    TempDir dir;
    const std::string in = dir.File("empty.csv"), out = dir.File("empty.PD");
    testing::WriteFileBytes(in, "点号,X,Y\n\n");
    ImportOutcome outcome;
    EXPECT_EQ(ImportPointFile(in, out, Options("header"), outcome).message(), "empty.csv 中没有可导入的点");
    EXPECT_FALSE(std::filesystem::exists(out));
}

}  // namespace
}  // namespace linvara::import
