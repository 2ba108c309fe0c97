#include "text/temporary_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#ifdef _WIN32
#include <io.h>
#include <share.h>
#else
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "support/temp_dir.h"
#include "text/atomic_file.h"
#include "text/file_system.h"

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

// A writer still at work on `path`: it holds the file open (on Linux
// under its lock; on Windows an open file cannot be deleted).
class HeldOpen {
public:
    explicit HeldOpen(const std::string& path) {
#ifdef _WIN32
        if (_wsopen_s(&fd_, WidePath(path).c_str(), _O_RDONLY | _O_BINARY, _SH_DENYNO, 0) != 0) fd_ = -1;
#else
        fd_ = ::open(path.c_str(), O_RDONLY);
        if (fd_ >= 0 && ::flock(fd_, LOCK_EX) != 0) Close();
#endif
    }
    ~HeldOpen() { Close(); }
    HeldOpen(const HeldOpen&) = delete;
    HeldOpen& operator=(const HeldOpen&) = delete;
    bool ok() const { return fd_ >= 0; }
    void Close() {
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
    }

private:
    int fd_ = -1;
};

// Windows has no unnamed files: every temporary file there is named.
#ifdef _WIN32
constexpr bool kModes[] = {true};
#else
constexpr bool kModes[] = {false, true};
#endif

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

TEST(TemporaryFile, StaleTemporariesOfTheTargetGoLiveOnesAndOthersStay) {
    for (bool named : kModes) {
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
        std::filesystem::create_directory(FsPath(dir.File("out.txt.tmpFolder")));
        HeldOpen live(dir.File("out.txt.tmpLive01"));
        ASSERT_TRUE(live.ok());

        ASSERT_TRUE(WriteFileAtomically(dir.File("out.txt"), "data"));
        live.Close();
        for (const Case& c : cases) EXPECT_EQ(std::filesystem::exists(FsPath(dir.File(c.name))), c.stays) << c.name;
        EXPECT_TRUE(std::filesystem::is_directory(FsPath(dir.File("out.txt.tmpFolder"))));
        EXPECT_EQ(ReadFileBytes(dir.File("out.txt")), "data");
    }
}

#ifndef _WIN32
// Unnamed files and fork: the Linux side of the temporary files.
std::vector<std::string> Entries(const TempDir& dir) {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dir.path())) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::size_t TemporariesOf(const TempDir& dir, const std::string& target) {
    std::size_t n = 0;
    for (const std::string& name : Entries(dir)) n += IsTemporaryNameOf(name, target) ? 1 : 0;
    return n;
}

bool UnnamedFilesWork(const TempDir& dir) {
    const int fd = ::open(dir.path().c_str(), O_TMPFILE | O_WRONLY, 0600);
    if (fd < 0) return false;
    ::close(fd);
    return true;
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

#else
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

#endif

}  // namespace
}  // namespace linvara::text
