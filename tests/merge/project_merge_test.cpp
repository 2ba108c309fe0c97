#include "merge/project_merge.h"

#include <SQLiteCpp/SQLiteCpp.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "db/merge_target_database.h"
#include "db/project_database.h"
#include "support/collector_fixture.h"
#include "support/file_triggers.h"
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
        std::string message;
    } cases[] = {
        {"", dir.File("t.PD"), MergeResult::NoFolder, "请先选择要合并的数据文件所在的文件夹"},
        {dir.path().string(), "", MergeResult::TargetFailed, "请先选择合并后保存的文件"},
        {dir.path().string(), dir.File("no/such/t.PD"), MergeResult::TargetFailed,
         "创建合并文件失败！（无法打开工程文件：" + dir.File("no/such/t.PD") + "（unable to open database file））"},
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

// Merging the same folder again adds nothing the target already holds.
TEST(MergeProjects, MergingAgainAddsNothingTwice) {
    TempDir dir, out;
    WriteCollectorProject(dir.File("a.PD"), {Stake("A1"), Stake("A2")}, {TowerRow("ta1")});
    WriteCollectorProject(dir.File("b.PD"), {Stake("B1")}, {TowerRow("tb1"), TowerRow("tb2")});
    const std::string target = out.File("all.PD");
    const std::vector<MergeSource> sources = ListProjectFiles(dir.path().string());
    RecordingReporter first;
    EXPECT_EQ(MergeProjects(dir.path().string(), sources, target, first), MergeResult::Done);
    EXPECT_EQ(first.Texts(), std::vector<std::string>{kDone});
    for (int round = 0; round < 2; ++round) {
        RecordingReporter again;
        EXPECT_EQ(MergeProjects(dir.path().string(), sources, target, again), MergeResult::Done);
        EXPECT_EQ(again.Texts(),
                  std::vector<std::string>{std::string(kDone) + "\n合并文件中已有的3个点、3行塔基断面数据未重复添加。"});
    }
    EXPECT_EQ(StakeNames(target), (std::vector<std::string>{"A1", "A2", "B1"}));
    EXPECT_EQ(TowerNames(target), (std::vector<std::string>{"ta1", "tb1", "tb2"}));
    EXPECT_EQ(testing::Scalar(target, "SELECT count(*) FROM Electric_DH_Order"), "3");
}

// A source that cannot be read is named with its cause; the others go in,
// and the merge does not call itself complete.
TEST(MergeProjects, FailedSourceIsNamedAndTheRestMerged) {
    TempDir dir, out;
    WriteCollectorProject(dir.File("a.PD"), {Stake("A1")}, {TowerRow("ta1")});
    WriteCollectorProject(dir.File("b.PD"), {Stake("B1")}, {TowerRow("tb1")});
    WriteCollectorProject(dir.File("c.PD"), {Stake("C1")}, {});
    {
        SQLite::Database db(dir.File("b.PD"), SQLite::OPEN_READWRITE);
        db.exec("DROP TABLE Point");
    }
    const std::string target = out.File("all.PD");
    RecordingReporter reporter;
    EXPECT_EQ(MergeProjects(dir.path().string(), ListProjectFiles(dir.path().string()), target, reporter),
              MergeResult::Incomplete);
    EXPECT_EQ(reporter.Texts(), std::vector<std::string>{"合并未全部完成：2个文件已合并，1个文件失败：\n" +
                                                         dir.File("b.PD") + "：查找记录出错!（no such table: Point）"});
    EXPECT_EQ(StakeNames(target), (std::vector<std::string>{"A1", "C1"}));
    EXPECT_EQ(TowerNames(target), std::vector<std::string>{"ta1"});
}

// A source whose tower-base rows cannot be stored leaves none of its points
// or order rows behind either.
TEST(MergeProjects, EachSourceGoesInWholeOrNotAtAll) {
    testing::FileTriggersRun triggers;  // the failing store is made with a trigger
    TempDir dir, out;
    WriteCollectorProject(dir.File("a.PD"), {Stake("A1")}, {TowerRow("ta1")});
    WriteCollectorProject(dir.File("b.PD"), {Stake("B1"), Stake("B2")}, {TowerRow("stop")});
    const std::string target = out.File("all.PD");
    {
        SilentReporter silent;
        ASSERT_TRUE(testing::IsOk(MergeTargetDatabase(silent).Open(target)));
        SQLite::Database raw(target, SQLite::OPEN_READWRITE);
        raw.exec("CREATE TRIGGER refuse BEFORE INSERT ON Electric_Data_TG WHEN NEW.Name = 'stop' "
                 "BEGIN SELECT RAISE(ABORT, 'refused'); END;");
    }
    RecordingReporter reporter;
    EXPECT_EQ(MergeProjects(dir.path().string(), ListProjectFiles(dir.path().string()), target, reporter),
              MergeResult::Incomplete);
    // The target's trigger is said once as it opens; it runs only because the test lets it.
    const std::vector<std::string> said = {"工程文件含有触发器/视图：refuse（触发器），本程序不执行它们",
                                           "合并未全部完成：1个文件已合并，1个文件失败：\n" + dir.File("b.PD") +
                                               "：合并数据文件失败：" + target + "（refused）"};
    EXPECT_EQ(reporter.Texts(), said);
    EXPECT_EQ(StakeNames(target), std::vector<std::string>{"A1"});
    EXPECT_EQ(testing::Scalar(target, "SELECT count(*) FROM Electric_DH_Order"), "1");
    EXPECT_EQ(testing::Scalar(target, "SELECT count(*) FROM Electric_DH_Export"), "1");
    EXPECT_EQ(TowerNames(target), std::vector<std::string>{"ta1"});
}

}  // namespace

// Replacing: the target holds this merge only, however often it runs; a
// failure before the end leaves the old target whole and nothing beside it.
TEST(MergeProjects, ReplaceBuildsBesideAndSwaps) {
    TempDir dir, out;
    WriteCollectorProject(dir.File("a.PD"), {Stake("A1"), Stake("A2")}, {TowerRow("ta1")});
    const std::string target = out.File("all.PD");
    WriteCollectorProject(target, {Stake("OLD")});
    for (int round = 0; round < 2; ++round) {
        RecordingReporter reporter;
        EXPECT_EQ(MergeProjects(dir.path().string(), ListProjectFiles(dir.path().string()), target, reporter,
                                MergeTarget::Replace),
                  MergeResult::Done);
        EXPECT_EQ(reporter.Texts(), std::vector<std::string>{kDone});
        EXPECT_EQ(StakeNames(target), (std::vector<std::string>{"A1", "A2"})) << "round " << round;
        EXPECT_EQ(TowerNames(target), (std::vector<std::string>{"ta1"}));
    }
    RecordingReporter appending;
    EXPECT_EQ(MergeProjects(dir.path().string(), ListProjectFiles(dir.path().string()), target, appending),
              MergeResult::Done);
    EXPECT_EQ(StakeNames(target), (std::vector<std::string>{"A1", "A2"})) << "appending adds what is new only";

    RecordingReporter failing;
    const std::string missing = out.File("no/such/all.PD");
    EXPECT_EQ(MergeProjects(dir.path().string(), ListProjectFiles(dir.path().string()), missing, failing,
                            MergeTarget::Replace),
              MergeResult::TargetFailed);
    ASSERT_EQ(failing.messages.size(), 1u);
    EXPECT_EQ(failing.messages[0].text.rfind("创建合并文件失败：" + missing, 0), 0u) << failing.messages[0].text;
    int entries = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(out.path())) ++entries;
    EXPECT_EQ(entries, 1) << "only the target, no temporary file or journal";
}

// Replacing a target that is one of the checked sources would lose that
// source's survey: refused, every file as it was. Unchecked, or appended
// to, it stays allowed.
TEST(MergeProjects, ReplaceRefusesATargetThatIsACheckedSource) {
    TempDir dir;
    WriteCollectorProject(dir.File("a.PD"), {Stake("A1")});
    WriteCollectorProject(dir.File("b.PD"), {Stake("B1")});
    const std::string before = ReadFileBytes(dir.File("b.PD"));
    std::vector<MergeSource> sources = ListProjectFiles(dir.path().string());
    RecordingReporter reporter;
    EXPECT_EQ(MergeProjects(dir.path().string(), sources, dir.File("./b.PD"), reporter, MergeTarget::Replace),
              MergeResult::TargetFailed);
    EXPECT_EQ(reporter.Texts(), std::vector<std::string>{"输出文件不能是工程文件本身：" + dir.File("b.PD")});
    EXPECT_EQ(ReadFileBytes(dir.File("b.PD")), before);

    for (MergeSource& s : sources) s.checked = s.fileName != "b.PD";
    RecordingReporter unchecked;
    EXPECT_EQ(MergeProjects(dir.path().string(), sources, dir.File("b.PD"), unchecked, MergeTarget::Replace),
              MergeResult::Done);
    EXPECT_EQ(StakeNames(dir.File("b.PD")), std::vector<std::string>{"A1"});
}

}  // namespace linvara
