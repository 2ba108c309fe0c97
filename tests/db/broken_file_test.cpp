// Files that are not sound projects: opening says what is wrong with the file
// in one line naming it, reports nothing else, and leaves the file and what
// lies beside it exactly as they were. Files that cannot be written are read
// and converted as any other, with their working tables in memory, and
// every write to them is refused with the reason.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "db/project_database.h"
#include "project/project.h"
#include "support/broken_files.h"
#include "support/permissions.h"
#include "support/project_file.h"
#include "support/recording_reporter.h"
#include "support/temp_dir.h"

namespace linvara::testing {
namespace {

std::vector<CollectorPoint> Line() {
    return {Point("1", "J1", 0, 0, 0), Point("2", "Z1", 1, 150, 200), Point("3", "J2", 0, 300, 400)};
}

// A project as this program leaves it: collector tables and working tables.
std::string WorkingProject(const TempDir& dir, const std::string& name) {
    const std::string path = dir.File(name);
    WriteCollectorProject(path, Line());
    SilentReporter silent;
    ProjectDatabase db(silent);
    EXPECT_TRUE(IsOk(db.OpenProject(path)));
    return path;
}

struct BrokenCase {
    const char* name;
    std::function<void(const std::string&)> damage;
    std::function<std::string(const std::string&)> message;
};

std::vector<BrokenCase> BrokenCases() {
    return {
        {"empty", [](const std::string& p) { WriteFileBytes(p, ""); },
         [](const std::string& p) { return "工程文件是空的（0字节），不是工程：" + p; }},
        {"text", [](const std::string& p) { WriteFileBytes(p, std::string(4096, 'x')); },
         [](const std::string& p) { return "不是有效的工程文件：" + p; }},
        {"header cut", [](const std::string& p) { CutFile(p, 60); },
         [](const std::string& p) {
             return "工程文件不完整，可能在复制或传送中被截断：" + p + "（只有60字节，不足文件头的100字节）";
         }},
        {"half", [](const std::string& p) { CutFile(p, 3 * 4096); },
         [](const std::string& p) {
             const std::string whole = std::to_string(std::filesystem::file_size(p + ".whole"));
             return "工程文件不完整，可能在复制或传送中被截断：" + p + "（应至少有" + whole + "字节，实有12288字节）";
         }},
        {"freelist", PointFreelistPastTheEnd,
         [](const std::string& p) { return "工程文件已损坏：" + p + "（"; }},
        {"damaged pages", [](const std::string& p) { DamageTablePages(p, {"Electric_DH_Export"}); },
         [](const std::string& p) { return "工程文件已损坏：" + p + "（database disk image is malformed）"; }},
        {"stale journal", PutStaleJournal,
         [](const std::string& p) {
             return "工程文件旁有上次写入未完成留下的日志文件：" + p +
                    "-journal（打开时会用它改写工程；请先备份工程和日志文件，确认无用后移走日志文件）";
         }},
        {"foreign wal", PutForeignWal,
         [](const std::string& p) {
             return "工程文件旁有不属于它的WAL日志文件：" + p + "-wal（打开时会把它写入工程；请移走该文件后再打开）";
         }},
    };
}

TEST(BrokenFile, OpeningSaysWhatIsWrongAndChangesNothing) {
    for (const BrokenCase& c : BrokenCases()) {
        TempDir dir;
        const std::string path = WorkingProject(dir, "p.PD");
        std::filesystem::copy_file(path, path + ".whole");
        c.damage(path);
        const auto before = FilesOf(path);
        RecordingReporter reporter;
        Project project(reporter);
        const Status opened = project.Open(path);
        EXPECT_EQ(opened.code(), Status::Code::Failed) << c.name;
        // The freelist's problem is SQLite's own words after the file's name.
        EXPECT_EQ(opened.message().substr(0, c.message(path).size()), c.message(path)) << c.name;
        EXPECT_EQ(opened.message().find('\n'), std::string::npos) << c.name << ": " << opened.message();
        EXPECT_TRUE(reporter.messages.empty()) << c.name;
        EXPECT_TRUE(FilesOf(path) == before) << c.name;
    }
}

// A collector file that cannot be written (a read-only share, a mail
// attachment) is read with its working list built in memory; the file keeps
// every byte and only storing is refused, with the reason said once at open.
TEST(ReadOnlyFile, IsReadWithTheWorkingListInMemory) {
    if (!AsUserWhomModesStop::Possible()) GTEST_SKIP() << "no POSIX file modes";
    struct Case {
        const char* name;
        bool fileWritable, folderWritable;
        std::string (*reason)(const std::string& path, const std::string& folder);
    };
    const Case cases[] = {
        {"file", false, true, [](const std::string& p, const std::string&) { return "工程文件为只读，修改将无法保存：" + p; }},
        {"folder", true, false,
         [](const std::string&, const std::string& f) { return "工程文件所在的文件夹不可写，修改将无法保存：" + f; }},
    };
    for (const Case& c : cases) {
        for (const bool seeded : {false, true}) {
            TempDir dir;
            const std::string folder = dir.File("share");
            std::filesystem::create_directory(folder);
            const std::string path = folder + "/p.PD";
            WriteCollectorProject(path, Line());
            if (seeded) (void)StakeListOf(path);
            c.fileWritable ? WritableMode(path, false) : ReadOnlyMode(path, false);
            c.folderWritable ? WritableMode(folder, true) : ReadOnlyMode(folder, true);
            const std::string before = ReadFileBytes(path);
            RecordingReporter reporter;
            Project project(reporter);
            {
                AsUserWhomModesStop user;
                ASSERT_TRUE(IsOk(project.Open(path))) << c.name;
            }
            const std::string reason = c.reason(path, folder);
            EXPECT_EQ(reporter.Texts(), std::vector<std::string>{reason}) << c.name;
            EXPECT_EQ(project.ReadOnlyReason(), reason);
            ASSERT_EQ(project.Points().size(), 3u) << c.name;
            EXPECT_EQ(project.Points()[2].NewPtName, "J2");
            // Reading again uses the same working tables.
            EXPECT_TRUE(IsOk(project.Reload())) << c.name;
            EXPECT_EQ(project.Points().size(), 3u);
            // Every write is refused with the reason; the list stays usable.
            project.AutoOrder();
            const Status saved = project.Save();
            EXPECT_EQ(saved.message(), reason) << c.name;
            DHPoint edited = project.Points()[0];
            edited.Code = "x";
            EXPECT_EQ(project.EditPoint(edited).message(), reason);
            EXPECT_EQ(project.DeletePoints({edited.GPS_ID}).message(), reason);
            EXPECT_EQ(project.ResetToSurvey().message(), reason);
            EXPECT_EQ(project.Points().size(), 3u);
            EXPECT_EQ(ReadFileBytes(path), before) << c.name;
            EXPECT_EQ(HasTable(path, "Electric_DH_Export"), seeded);
            WritableMode(folder, true);
        }
    }
}

// A WAL project needs its folder for the -wal and -shm files: SQLite's own
// words would blame the file.
TEST(ReadOnlyFile, WalProjectInAReadOnlyFolderNamesTheFolder) {
    if (!AsUserWhomModesStop::Possible()) GTEST_SKIP() << "no POSIX file modes";
    TempDir dir;
    const std::string folder = dir.File("share");
    std::filesystem::create_directory(folder);
    const std::string path = folder + "/p.PD";
    WriteCollectorProject(path, Line());
    (void)StakeListOf(path);
    SwitchToWal(path);
    WritableMode(path, false);
    ReadOnlyMode(folder, true);
    const auto before = FilesOf(path);
    RecordingReporter reporter;
    Project project(reporter);
    Status opened = Status::Ok();
    {
        AsUserWhomModesStop user;
        opened = project.Open(path);
    }
    EXPECT_EQ(opened.message(), "工程文件所在的文件夹不可写：" + folder + "（WAL模式的工程需要在其中建立p.PD-wal和-shm文件）");
    EXPECT_TRUE(reporter.messages.empty());
    EXPECT_TRUE(FilesOf(path) == before);
    WritableMode(folder, true);
}

}  // namespace
}  // namespace linvara::testing
