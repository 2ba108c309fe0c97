#include "towerbase/tower_base_survey.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include "support/collector_fixture.h"
#include "support/missing_code_page.h"
#include "support/recording_reporter.h"
#include "support/temp_dir.h"
#include "text/encoding.h"

namespace linvara {
namespace {

using testing::CollectorTowerRow;
using testing::RecordingReporter;
using testing::TempDir;
using testing::WriteCollectorProject;
using testing::WriteFileBytes;

TEST(TowerBaseSurvey, LoadsAProjectThroughItsTowFileOrATowFileDirectly) {
    TempDir dir;
    CollectorTowerRow row;
    row.name = "P1";
    row.pegName = "Z1";
    row.subIndex = 1;
    WriteCollectorProject(dir.File("line.PD"), {}, {row, row});
    WriteFileBytes(dir.File("other.TOW"), "Q1,1,2,3,c,1,0,Z9,2,\r\n");

    RecordingReporter reporter;
    TowerBaseSurvey survey(reporter);
    survey.Load(dir.File("line.PD"));
    EXPECT_TRUE(survey.LoadSucceeded());
    EXPECT_EQ(survey.DataFilePath(), dir.File("line.tow"));
    ASSERT_EQ(survey.Points().size(), 2u);
    EXPECT_EQ(SectionLetter(survey.Points()[0].SubIndex), "B");

    survey.Load(dir.File("other.TOW"));  // replaces the list
    EXPECT_EQ(survey.DataFilePath(), dir.File("other.TOW"));
    ASSERT_EQ(survey.Points().size(), 1u);
    EXPECT_EQ(survey.Points()[0].PegName, "Z9");
    EXPECT_TRUE(reporter.messages.empty());
}

TEST(TowerBaseSurvey, ConvertNeedsADataFileAndAnOutputPath) {
    TempDir dir;
    WriteFileBytes(dir.File("s.tow"), "P1,1,2,3,c,1,0,Z1,1,\r\n");
    RecordingReporter reporter;
    TowerBaseSurvey survey(reporter);
    EXPECT_EQ(survey.Convert(), TowerBaseSurvey::ConvertResult::NoDataFile);
    survey.Load(dir.File("s.tow"));
    EXPECT_EQ(survey.Convert(), TowerBaseSurvey::ConvertResult::NoOutputPath);
    EXPECT_EQ(reporter.Texts(), (std::vector<std::string>{"请先打开数据文件！", "请设置转换文件保存路径！"}));

    survey.OrgOutputPath = dir.File("out.org");
    EXPECT_EQ(survey.Convert(), TowerBaseSurvey::ConvertResult::Done);
    EXPECT_TRUE(survey.AllFilesWritten());
    EXPECT_TRUE(std::filesystem::exists(dir.File("out_Z1.org")));
    EXPECT_TRUE(std::filesystem::exists(dir.File("out_Z1.INI")));
}

TEST(TowerBaseSurvey, AFileThatCannotBeReadIsReported) {
    TempDir dir;
    WriteFileBytes(dir.File("s.tow"), text::Utf8ToGb18030("P1,1,2,3,c,1,0,塔1,1,\r\n"));
    struct Case {
        std::string file;
        bool codePageMissing;
        std::string message;  // how the message begins
    } cases[] = {
        {dir.File("gone.tow"), false, "无法读取文件：" + dir.File("gone.tow")},
        {dir.File("s.tow"), true, "无法读取文件：" + dir.File("s.tow") + "（无法打开编码转换"},
    };
    for (const Case& c : cases) {
        std::optional<testing::MissingCodePage> missing;
        if (c.codePageMissing) missing.emplace();
        RecordingReporter reporter;
        TowerBaseSurvey survey(reporter);
        survey.Load(c.file);
        EXPECT_FALSE(survey.LoadSucceeded()) << c.file;
        EXPECT_TRUE(survey.Points().empty()) << c.file;
        ASSERT_EQ(reporter.messages.size(), 1u) << c.file;
        EXPECT_EQ(reporter.messages[0].text.rfind(c.message, 0), 0u) << reporter.messages[0].text;
    }
}

TEST(TowerBaseSurvey, ATowFileWithoutPointsSaysSoAndWritesNothing) {
    const char* contents[] = {"", "\r\n", "  \r\n\t\r\n", "\r\nP1,1,2,3,c,1,0,Z1,1,\r\n"};  // a blank line ends the data
    for (const char* content : contents) {
        SCOPED_TRACE(::testing::PrintToString(std::string(content)));
        TempDir dir;
        WriteFileBytes(dir.File("s.tow"), content);
        RecordingReporter reporter;
        TowerBaseSurvey survey(reporter);
        survey.Load(dir.File("s.tow"));
        EXPECT_TRUE(survey.Points().empty());
        survey.OrgOutputPath = dir.File("out.org");
        EXPECT_EQ(survey.Convert(), TowerBaseSurvey::ConvertResult::NoSections);
        EXPECT_FALSE(survey.AllFilesWritten());
        ASSERT_EQ(reporter.messages.size(), 1u);
        EXPECT_EQ(reporter.messages[0].kind, "error");
        EXPECT_EQ(reporter.messages[0].text, "TOW文件中没有塔基断面数据：" + dir.File("s.tow"));
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
    }
}

}  // namespace
}  // namespace linvara
