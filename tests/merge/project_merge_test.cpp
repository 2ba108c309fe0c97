#include "merge/project_merge.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "db/project_database.h"
#include "support/collector_fixture.h"
#include "support/project_file.h"
#include "support/recording_reporter.h"
#include "support/temp_dir.h"
#include "text/encoding.h"
#include "towerbase/tow_file.h"

namespace linvara {
namespace {

using testing::CollectorPoint;
using testing::CollectorTowerRow;
using testing::HasTable;
using testing::ReadFileBytes;
using testing::RecordingReporter;
using testing::TempDir;
using testing::WriteCollectorProject;
using testing::WriteFileBytes;

constexpr const char* kDone = "合并完成！";

CollectorPoint Stake(const std::string& name) {
    CollectorPoint p;
    p.gpsId = "G-" + name;
    p.name = name;
    p.type = ZStake;
    return p;
}

CollectorTowerRow TowerRow(const std::string& name) {
    CollectorTowerRow r;
    r.name = name;
    r.pegName = "Z1";
    r.subIndex = 0;
    r.pegDis = 1.5;
    return r;
}

std::vector<std::string> StakeNames(const std::string& project) {
    std::vector<std::string> names;
    for (const DHPoint& p : testing::StakeListOf(project)) names.push_back(p.NewPtName);
    return names;
}

std::vector<std::string> TowerNames(const std::string& project) {
    return testing::FirstColumn(project, "SELECT Name FROM Electric_Data_TG ORDER BY ID");
}

TEST(ListProjectFiles, MatchesTheExtensionInAnyCaseInByteOrder) {
    TempDir dir;
    for (const char* name : {"b.pd", "a.PD", "Z.Pd", "notes.txt", "x.PDF"}) WriteFileBytes(dir.File(name), "");
    std::filesystem::create_directory(dir.File("sub.PD"));
    std::vector<std::string> names;
    for (const MergeSource& s : ListProjectFiles(dir.path().string())) {
        names.push_back(s.fileName);
        EXPECT_TRUE(s.checked);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"Z.Pd", "a.PD", "b.pd"}));
}

TEST(MergeProjects, CopiesCheckedSourcesInListOrder) {
    TempDir dir, out;
    WriteCollectorProject(dir.File("a.PD"), {Stake("A1"), Stake("A2")}, {TowerRow("ta1")});
    WriteCollectorProject(dir.File("b.pd"), {Stake("B1")}, {TowerRow("tb1"), TowerRow("tb2")});
    WriteCollectorProject(dir.File("c.PD"), {Stake("C1")}, {TowerRow("tc1")});
    std::vector<MergeSource> sources = ListProjectFiles(dir.path().string());
    ASSERT_EQ(sources.size(), 3u);
    sources[2].checked = false;  // c.PD

    RecordingReporter reporter;
    const std::string target = out.File("all.PD");
    EXPECT_EQ(MergeProjects(dir.path().string(), sources, target, reporter), MergeResult::Done);
    EXPECT_EQ(reporter.Texts(), std::vector<std::string>{kDone});
    EXPECT_EQ(StakeNames(target), (std::vector<std::string>{"A1", "A2", "B1"}));
    EXPECT_EQ(TowerNames(target), (std::vector<std::string>{"ta1", "tb1", "tb2"}));
    // A source opened for the first time gets its working tables; an unchecked one is not touched.
    EXPECT_TRUE(HasTable(dir.File("a.PD"), "Electric_DH_Export"));
    EXPECT_FALSE(HasTable(dir.File("c.PD"), "Electric_DH_Export"));
}

TEST(MergeProjects, EmptyFolderGivesAnEmptyTarget) {
    TempDir dir, out;
    RecordingReporter reporter;
    const std::string target = out.File("all.PD");
    EXPECT_EQ(MergeProjects(dir.path().string(), ListProjectFiles(dir.path().string()), target, reporter),
              MergeResult::Done);
    EXPECT_EQ(reporter.Texts(), std::vector<std::string>{kDone});
    for (const char* table : {"Electric_DH_Export", "Electric_DH_Order", "Electric_Data_TG"})
        EXPECT_TRUE(HasTable(target, table)) << table;
    EXPECT_TRUE(StakeNames(target).empty());
}

TEST(MergeProjects, RefusesWithoutFolderOrTarget) {
    TempDir dir;
    struct Case {
        std::string folder, target;
        MergeResult result;
        const char* message;
    } cases[] = {
        {"", dir.File("t.PD"), MergeResult::NoFolder, "选择保存的文件路径"},
        {dir.path().string(), "", MergeResult::TargetFailed, "创建合并文件失败！"},
        {dir.path().string(), dir.File("no/such/t.PD"), MergeResult::TargetFailed, "创建合并文件失败！"},
    };
    for (const Case& c : cases) {
        RecordingReporter reporter;
        EXPECT_EQ(MergeProjects(c.folder, {}, c.target, reporter), c.result) << c.target;
        EXPECT_EQ(reporter.Texts(), std::vector<std::string>{c.message}) << c.target;
    }
}

TEST(MergeProjects, TargetInTheFolderIsNotMergedIntoItself) {
    TempDir dir;
    WriteCollectorProject(dir.File("a.PD"), {Stake("A1")}, {TowerRow("ta1")});
    WriteCollectorProject(dir.File("z.PD"), {}, {});  // an existing file chosen as the target
    const std::vector<MergeSource> sources = ListProjectFiles(dir.path().string());
    ASSERT_EQ(sources.size(), 2u);
    RecordingReporter reporter;
    const std::string target = (dir.path() / "." / "z.PD").string();  // another spelling of the same file
    EXPECT_EQ(MergeProjects(dir.path().string(), sources, target, reporter), MergeResult::Done);
    EXPECT_EQ(StakeNames(target), std::vector<std::string>{"A1"});
    EXPECT_EQ(TowerNames(target), std::vector<std::string>{"ta1"});
}

TEST(MergeProjects, TowerBaseTextsCarryOverByteForByte) {
    TempDir dir, out;
    CollectorTowerRow row = TowerRow("塔基1");
    row.code = "植被\r\n草地";
    row.pegName = text::Utf8ToGb18030("中桩7");
    WriteCollectorProject(dir.File("src.PD"), {Stake("A1")}, {row});
    RecordingReporter reporter;
    const std::string target = out.File("all.PD");
    MergeProjects(dir.path().string(), ListProjectFiles(dir.path().string()), target, reporter);

    ASSERT_EQ(ExportTowFile(dir.File("src.PD"), reporter), 1);
    ASSERT_EQ(ExportTowFile(target, reporter), 1);
    const std::string fromSource = ReadFileBytes(dir.File("src.tow"));
    EXPECT_NE(fromSource.find(text::Utf8ToGb18030("塔基1,")), std::string::npos);
    EXPECT_EQ(ReadFileBytes(out.File("all.tow")), fromSource);
}

}  // namespace
}  // namespace linvara
