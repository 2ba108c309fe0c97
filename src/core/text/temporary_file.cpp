#include "text/temporary_file.h"

#include <fcntl.h>
#include <sys/stat.h>

#ifdef _WIN32
#include <io.h>
#include <process.h>
#include <share.h>
#include <windows.h>
#else
#include <dirent.h>
#include <sys/file.h>
#include <unistd.h>
#endif

#include <atomic>
#include <cerrno>
#include <chrono>
#include <ctime>
#include <mutex>
#include <random>
#include <unordered_map>
#include <vector>

#include "text/file_system.h"

namespace linvara::text {
namespace {

constexpr std::string_view kMark = ".tmp";
constexpr std::size_t kRandomChars = 6;  // mkstemp's XXXXXX
constexpr std::string_view kAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
constexpr int kAttempts = 100;

std::atomic<bool> gForceNamed{false};

struct PathParts {
    std::string folder;
    std::string name;
};

#ifdef _WIN32
constexpr const char* kSeparators = "/\\";
#else
constexpr const char* kSeparators = "/";
#endif

PathParts SplitPath(const std::string& path) {
    const std::size_t slash = path.find_last_of(kSeparators);
    if (slash == std::string::npos) return {".", path};
    return {slash == 0 ? "/" : path.substr(0, slash), path.substr(slash + 1)};
}

std::string RandomChars() {
    thread_local std::mt19937_64 random(std::random_device{}() ^ static_cast<std::uint64_t>(std::time(nullptr)) ^
                                        static_cast<std::uint64_t>(getpid()));
    std::string out(kRandomChars, ' ');
    for (char& c : out) c = kAlphabet[random() % kAlphabet.size()];
    return out;
}

#ifdef _WIN32
// Windows has no unnamed files. A file the CRT holds open cannot be deleted
// by anyone else (no FILE_SHARE_DELETE), which is what tells a live
// temporary from a crash's leftover.
int OpenUnnamed(const std::string&) { return -1; }

int OpenNamed(const std::string& target, std::string& name) {
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        std::string path = target + std::string(kMark) + RandomChars();
        int fd = -1;
        const errno_t rc = _wsopen_s(&fd, WidePath(path).c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
                                     _SH_DENYNO, _S_IREAD | _S_IWRITE);
        if (rc == 0) {
            name = std::move(path);
            return fd;
        }
        if (rc != EEXIST) return -1;
    }
    errno = EEXIST;
    return -1;
}
#else
// Naming an unnamed file goes through its /proc/self/fd link.
bool CanNameUnnamed() {
    static const bool can = ::access("/proc/self/fd", X_OK) == 0;
    return can;
}

int OpenUnnamed(const std::string& folder) {
    if (gForceNamed.load() || !CanNameUnnamed()) return -1;
    // Fails with EOPNOTSUPP or EISDIR where the file system or kernel lacks it.
    const int fd = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    if (fd < 0) return -1;
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) return fd;
    ::close(fd);
    return -1;
}

int OpenNamed(const std::string& target, std::string& name) {
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        std::string path = target + std::string(kMark) + std::string(kRandomChars, 'X');
        const int fd = ::mkostemp(path.data(), O_CLOEXEC);
        if (fd < 0) return -1;
        // A sweep may take the file for a crash's leftover before it is locked.
        struct stat st {};
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &st) == 0 && st.st_nlink > 0) {
            name = std::move(path);
            return fd;
        }
        ::close(fd);
    }
    return -1;
}
#endif

// The names of our pattern in a folder, by the name of their target. A
// folder is listed again only when its listing is a moment old, so writing
// thousands of files into one folder does not list it thousands of times.
class FolderListings {
public:
    std::vector<std::string> Take(const std::string& folder, const std::string& targetName) {
        const std::lock_guard<std::mutex> lock(mutex_);
        const auto now = std::chrono::steady_clock::now();
        auto found = listings_.find(folder);
        if (found == listings_.end() || now - found->second.at > kLife) {
            if (listings_.size() > kKept) listings_.clear();
            found = listings_.insert_or_assign(folder, List(folder, now)).first;
        }
        auto names = found->second.byTarget.find(targetName);
        if (names == found->second.byTarget.end()) return {};
        std::vector<std::string> taken = std::move(names->second);
        found->second.byTarget.erase(names);
        return taken;
    }

private:
    struct Listing {
        std::chrono::steady_clock::time_point at;
        std::unordered_map<std::string, std::vector<std::string>> byTarget;

        void AddIfOurs(std::string_view name) {
            if (name.size() <= kMark.size() + kRandomChars) return;
            const std::string_view target = name.substr(0, name.size() - kMark.size() - kRandomChars);
            if (IsTemporaryNameOf(name, target)) byTarget[std::string(target)].emplace_back(name);
        }
    };

    static Listing List(const std::string& folder, std::chrono::steady_clock::time_point now) {
        Listing listing{now, {}};
#ifdef _WIN32
        std::error_code ec;
        for (std::filesystem::directory_iterator it(FsPath(folder), ec), end; !ec && it != end; it.increment(ec))
            listing.AddIfOurs(Utf8Path(it->path().filename()));
        return listing;
#else
        DIR* dir = ::opendir(folder.c_str());
        if (!dir) return listing;
        while (const dirent* entry = ::readdir(dir)) listing.AddIfOurs(entry->d_name);
        ::closedir(dir);
        return listing;
#endif
    }

    static constexpr std::chrono::seconds kLife{2};
    static constexpr std::size_t kKept = 64;
    std::mutex mutex_;
    std::unordered_map<std::string, Listing> listings_;
};

#ifdef _WIN32
// Deleting fails while a writer holds the file open.
void RemoveIfStale(const std::string& path) { DeleteFileW(WidePath(path).c_str()); }
#else
// Removes a temporary file no writer holds, and only the very file checked.
void RemoveIfStale(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return;
    struct stat held {}, named {};
    if (::fstat(fd, &held) == 0 && S_ISREG(held.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0 &&
        ::lstat(path.c_str(), &named) == 0 && named.st_dev == held.st_dev && named.st_ino == held.st_ino)
        ::unlink(path.c_str());
    ::close(fd);
}
#endif

}  // namespace

TemporaryFile CreateTemporaryFor(const std::string& target) {
    TemporaryFile file;
    file.fd = OpenUnnamed(SplitPath(target).folder);
    if (file.fd < 0) file.fd = OpenNamed(target, file.name);
    return file;
}

#ifdef _WIN32
std::string NameTemporary(int, const std::string&) {
    errno = ENOTSUP;  // every temporary file has its name from the start
    return {};
}

// Windows files have no POSIX permissions to carry over.
bool GiveTargetMode(int, const std::string&) { return true; }
#else
std::string NameTemporary(int fd, const std::string& target) {
    const std::string source = "/proc/self/fd/" + std::to_string(fd);
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        std::string name = target + std::string(kMark) + RandomChars();
        if (::linkat(AT_FDCWD, source.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) return name;
        if (errno != EEXIST) return {};
    }
    return {};
}

bool GiveTargetMode(int fd, const std::string& target) {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    struct stat st {};
    const mode_t mode = (::stat(target.c_str(), &st) == 0) ? (st.st_mode & 07777) : (0666 & ~mask);
    return ::fchmod(fd, mode) == 0;
}
#endif

void RemoveStaleTemporaries(const std::string& target) {
    static FolderListings listings;
    const PathParts parts = SplitPath(target);
    for (const std::string& name : listings.Take(parts.folder, parts.name)) RemoveIfStale(parts.folder + "/" + name);
}

bool IsTemporaryNameOf(std::string_view name, std::string_view targetName) {
    if (name.size() != targetName.size() + kMark.size() + kRandomChars || !name.starts_with(targetName)) return false;
    name.remove_prefix(targetName.size());
    if (!name.starts_with(kMark)) return false;
    name.remove_prefix(kMark.size());
    for (char c : name)
        if (kAlphabet.find(c) == std::string_view::npos) return false;
    return true;
}

void ForceNamedTemporariesForTesting(bool named) { gForceNamed.store(named); }

}  // namespace linvara::text
