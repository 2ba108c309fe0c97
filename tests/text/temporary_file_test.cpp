#include "text/temporary_file.h"

// Unnamed files, flock and fork: the Linux side of the temporary files.
#ifndef _WIN32
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "support/temp_dir.h"
#include "text/atomic_file.h"

namespace linvara::text {
namespace {

using testing::ReadFileBytes;
using testing::TempDir;
using testing::WriteFileBytes;

// Named temporaries for the guard's life, as where O_TMPFILE is missing.
class NamedTemporaries {
public:
    explicit NamedTemporaries(bool named) { ForceNamedTemporariesForTesting(named); }
    ~NamedTemporaries() { ForceNamedTemporariesForTesting(false); }
};

std::vector<std::string> Entries(const TempDir& dir) {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dir.path())) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

bool UnnamedFilesWork(const TempDir& dir) {
    const int fd = ::open(dir.path().c_str(), O_TMPFILE | O_WRONLY, 0600);
    if (fd < 0) return false;
    ::close(fd);
    return true;
}

std::size_t TemporariesOf(const TempDir& dir, const std::string& target) {
    std::size_t n = 0;
    for (const std::string& name : Entries(dir)) n += IsTemporaryNameOf(name, target) ? 1 : 0;
    return n;
}

TEST(TemporaryFile, OurNamesAreTheTargetWithTmpAndSixCharacters) {
    struct Case {
        const char* name;
        bool ours;
    } cases[] = {
        {"out.txt.tmpAb12Cd", true}, {"out.txt.tmp000000", true}, {"out.txt.tmpAb12C", false},
        {"out.txt.tmpAb12Cde", false}, {"out.txt.tmpAb-2Cd", false}, {"xout.txt.tmpAb12Cd", false},
        {"out.txt.tmpAb12C\xE5", false}, {"out.txt", false},
    };
    for (const Case& c : cases) EXPECT_EQ(IsTemporaryNameOf(c.name, "out.txt"), c.ours) << c.name;
}

TEST(TemporaryFile, WritingShowsNoNameOrOnlyOursAndLeavesOnlyTheTarget) {
    for (bool named : {false, true}) {
        SCOPED_TRACE(named ? "named" : "unnamed");
        NamedTemporaries mode(named);
        TempDir dir;
        const std::string path = dir.File("out.txt");
        ASSERT_TRUE(WriteFileAtomically(path, "old"));
        {
            AtomicFile file(path);
            ASSERT_TRUE(file.Open());
            ASSERT_TRUE(file.Write("new"));
            if (named) {
                EXPECT_EQ(TemporariesOf(dir, "out.txt"), 1u);
            } else if (UnnamedFilesWork(dir)) {
                EXPECT_EQ(Entries(dir), std::vector<std::string>{"out.txt"});  // nothing to leave behind
            }
            ASSERT_TRUE(file.Commit());
        }
        EXPECT_EQ(ReadFileBytes(path), "new");
        {
            AtomicFile file(path);
            ASSERT_TRUE(file.Open());
            file.Write("never committed");
        }
        EXPECT_EQ(ReadFileBytes(path), "new");
        EXPECT_EQ(Entries(dir), std::vector<std::string>{"out.txt"});
    }
}

TEST(TemporaryFile, StaleTemporariesOfTheTargetGoLiveOnesAndOthersStay) {
    for (bool named : {false, true}) {
        SCOPED_TRACE(named ? "named" : "unnamed");
        NamedTemporaries mode(named);
        TempDir dir;
        struct Case {
            const char* name;
            bool stays;
        } cases[] = {
            {"out.txt.tmpAb12Cd", false},   // a crash's leftover
            {"out.txt.tmp000000", false},
            {"out.txt.tmpAb12C", true},     // not our pattern
            {"out.txt.tmpAb12Cde", true},
            {"other.txt.tmpAb12Cd", true},  // another target's
            {"out.txt.tmpLive01", true},    // held by a writer still at work
        };
        for (const Case& c : cases) WriteFileBytes(dir.File(c.name), "x");
        std::filesystem::create_directory(dir.File("out.txt.tmpFolder"));
        const int live = ::open(dir.File("out.txt.tmpLive01").c_str(), O_RDONLY);
        ASSERT_GE(live, 0);
        ASSERT_EQ(::flock(live, LOCK_EX), 0);

        ASSERT_TRUE(WriteFileAtomically(dir.File("out.txt"), "data"));
        ::close(live);
        for (const Case& c : cases) EXPECT_EQ(std::filesystem::exists(dir.File(c.name)), c.stays) << c.name;
        EXPECT_TRUE(std::filesystem::is_directory(dir.File("out.txt.tmpFolder")));
        EXPECT_EQ(ReadFileBytes(dir.File("out.txt")), "data");
    }
}

TEST(TemporaryFile, ACrashLeavesNothingOrWhatTheNextWriteRemoves) {
    for (bool named : {false, true}) {
        SCOPED_TRACE(named ? "named" : "unnamed");
        NamedTemporaries mode(named);
        TempDir dir;
        const std::string path = dir.File("out.txt");
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {  // dies in the middle of a write
            AtomicFile file(path);
            if (file.Open()) file.Write("partial");
            ::_exit(0);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        if (named || !UnnamedFilesWork(dir)) {
            EXPECT_EQ(TemporariesOf(dir, "out.txt"), 1u);
        } else {
            EXPECT_TRUE(Entries(dir).empty());
        }
        ASSERT_TRUE(WriteFileAtomically(path, "whole"));
        EXPECT_EQ(Entries(dir), std::vector<std::string>{"out.txt"});
    }
}

}  // namespace
}  // namespace linvara::text
#else
// Windows: every temporary file is named, and one a writer holds open cannot
// be deleted, which is what spares it from the sweep.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <io.h>
#include <share.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "support/temp_dir.h"
#include "text/atomic_file.h"
#include "text/file_system.h"

namespace linvara::text {
namespace {

using testing::ReadFileBytes;
using testing::TempDir;
using testing::WriteFileBytes;

TEST(TemporaryFile, StaleTemporariesOfTheTargetGoLiveOnesAndOthersStay) {
    TempDir dir;
    const struct {
        const char* name;
        bool stays;
    } cases[] = {
        {"out.txt.tmpAb12Cd", false},   // a crash's leftover
        {"out.txt.tmpAb12C", true},     // not our pattern
        {"other.txt.tmpAb12Cd", true},  // another target's
        {"out.txt.tmpLive01", true},    // held by a writer still at work
    };
    for (const auto& c : cases) WriteFileBytes(dir.File(c.name), "x");
    std::filesystem::create_directory(dir.path() / "out.txt.tmpFolder");
    int live = -1;
    ASSERT_EQ(_wsopen_s(&live, WidePath(dir.File("out.txt.tmpLive01")).c_str(), _O_RDONLY | _O_BINARY, _SH_DENYNO, 0), 0);

    ASSERT_TRUE(WriteFileAtomically(dir.File("out.txt"), "data"));
    _close(live);
    for (const auto& c : cases) EXPECT_EQ(std::filesystem::exists(dir.path() / c.name), c.stays) << c.name;
    EXPECT_TRUE(std::filesystem::is_directory(dir.path() / "out.txt.tmpFolder"));
    EXPECT_EQ(ReadFileBytes(dir.File("out.txt")), "data");
}

// Replacing needs MoveFileExW (rename refuses an existing target), and the
// bytes go out as written: no "\n" becomes "\r\n".
TEST(TemporaryFile, ReplacesUnderAChineseFolderByteForByte) {
    TempDir dir;
    const std::string folder = dir.File("线路 资料");
    std::filesystem::create_directory(FsPath(folder));
    const std::string path = folder + "\\成果.dat";
    ASSERT_TRUE(WriteFileAtomically(path, "old\n"));
    ASSERT_TRUE(WriteFileAtomically(path, "a\nb\r\n\x1A"));
    EXPECT_EQ(ReadFileBytes(path), "a\nb\r\n\x1A");
    std::size_t entries = 0;
    for (const auto& e : std::filesystem::directory_iterator(FsPath(folder))) entries += e.exists() ? 1 : 0;
    EXPECT_EQ(entries, 1u);
}

}  // namespace
}  // namespace linvara::text
#endif  // _WIN32
