#include "db/file_diagnosis.h"

#include <SQLiteCpp/SQLiteCpp.h>
#include <sqlite3.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <vector>

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#endif

#include "text/file_system.h"
#include "text/format.h"

namespace linvara::file_diagnosis {
namespace {

// The database header (the first 100 bytes) as far as these checks read it.
constexpr std::size_t kHeaderSize = 100;
constexpr char kMagic[] = "SQLite format 3";  // with its NUL: 16 bytes
constexpr unsigned char kWalVersion = 2;      // bytes 18-19 of a project in WAL mode

std::uint32_t BigEndian(const unsigned char* p, int bytes) {
    std::uint32_t value = 0;
    for (int i = 0; i < bytes; ++i) value = (value << 8) | p[i];
    return value;
}

std::uintmax_t SizeOf(const std::string& path) {
    std::error_code ec;
    const std::uintmax_t size = std::filesystem::file_size(text::FsPath(path), ec);
    return ec ? 0 : size;
}

bool ExistsWithData(const std::string& path) { return SizeOf(path) > 0; }

bool Writable(const std::string& path) {
#ifdef _WIN32
    (void)path;
    return true;
#else
    // The effective user's rights, which are the ones open() applies.
    return ::faccessat(AT_FDCWD, path.c_str(), W_OK | X_OK, AT_EACCESS) == 0;
#endif
}

std::string Bytes(std::uintmax_t size) { return text::Format("%ju字节", size); }

std::uint32_t PageSize(const unsigned char* header) {
    const std::uint32_t pageSize = BigEndian(header + 16, 2);
    return pageSize == 1 ? 65536 : pageSize;
}

// A header whose page count can be trusted (written by SQLite 3.7.0 or later)
// tells how long the file must be; without one, SQLite writes whole pages.
Status CheckLength(const std::string& path, const unsigned char* header, std::uintmax_t size) {
    const std::uint32_t pageSize = PageSize(header);
    if (pageSize < 512 || (pageSize & (pageSize - 1)) != 0) return Status::Failed("不是有效的工程文件：" + path);
    const std::uint32_t pages = BigEndian(header + 28, 4);
    const bool countValid = pages > 0 && BigEndian(header + 92, 4) == BigEndian(header + 24, 4);
    const std::uintmax_t expected = countValid ? std::uintmax_t{pages} * pageSize : (size / pageSize + 1) * pageSize;
    if (countValid ? size < expected : size % pageSize != 0)
        return Status::Failed(WithCause("工程文件不完整，可能在复制或传送中被截断：" + path,
                                        "应至少有" + Bytes(expected) + "，实有" + Bytes(size)));
    return Status::Ok();
}

// A rollback journal SQLite finds "hot" is played back into the project on
// the next read: the file would change under a command that only reads, and
// a journal that came from elsewhere would damage it. A read-only
// connection reads nothing and says so instead of playing it back.
Status CheckJournal(const std::string& path) {
    const std::string journal = path + "-journal";
    if (!ExistsWithData(journal)) return Status::Ok();
    try {
        SQLite::Database probe(path, SQLite::OPEN_READONLY);
        probe.execAndGet("SELECT count(*) FROM sqlite_master");
    } catch (const SQLite::Exception& e) {
        if (e.getExtendedErrorCode() == SQLITE_READONLY_ROLLBACK)
            return Status::Failed(WithCause("工程文件旁有上次写入未完成留下的日志文件：" + journal,
                                            "打开时会用它改写工程；请先备份工程和日志文件，确认无用后移走日志文件"));
    }
    return Status::Ok();
}

std::string Damaged(const std::string& path, const std::string& cause) {
    return WithCause("工程文件已损坏：" + path, cause);
}

// The free pages are the one part of the file no read visits (SQLite checks
// every page a read does visit), and the next write takes pages from them:
// a chain that leaves the file or loops would spread the damage. Walking it
// reads a few bytes per trunk page.
Status CheckFreelist(const std::string& path, std::ifstream& file, const unsigned char* header, std::uint32_t pageSize,
                     std::uintmax_t size) {
    const std::uint64_t pages = size / pageSize, count = BigEndian(header + 36, 4);
    const std::uint32_t entriesPerTrunk = pageSize / 4 - 2;
    std::uint64_t seen = 0;
    for (std::uint32_t trunk = BigEndian(header + 32, 4); trunk != 0;) {
        if (trunk > pages || seen >= count)
            return Status::Failed(Damaged(path, text::Format("空闲页链指向第%u页，文件只有%ju页", trunk,
                                                             static_cast<std::uintmax_t>(pages))));
        std::vector<unsigned char> page(pageSize);
        file.clear();
        file.seekg(static_cast<std::streamoff>((std::uint64_t{trunk} - 1) * pageSize));
        if (!file.read(reinterpret_cast<char*>(page.data()), pageSize)) return Status::Failed(Damaged(path, "空闲页无法读取"));
        const std::uint32_t leaves = BigEndian(page.data() + 4, 4);
        if (leaves > entriesPerTrunk) return Status::Failed(Damaged(path, text::Format("空闲页第%u页的内容无效", trunk)));
        for (std::uint32_t i = 0; i < leaves; ++i)
            if (const std::uint32_t leaf = BigEndian(page.data() + 8 + 4 * i, 4); leaf == 0 || leaf > pages)
                return Status::Failed(Damaged(path, text::Format("空闲页第%u页指向第%u页，文件只有%ju页", trunk, leaf,
                                                                 static_cast<std::uintmax_t>(pages))));
        seen += 1 + leaves;
        trunk = BigEndian(page.data(), 4);
    }
    if (seen != count)
        return Status::Failed(Damaged(path, text::Format("文件头记录%ju个空闲页，实有%ju个", static_cast<std::uintmax_t>(count),
                                                         static_cast<std::uintmax_t>(seen))));
    return Status::Ok();
}

}  // namespace

std::string DamagedMessage(const std::string& path, const std::string& cause) { return Damaged(path, cause); }

std::string FolderOf(const std::string& path) {
    const std::filesystem::path folder = text::FsPath(path).parent_path();
    return folder.empty() ? std::string(".") : text::Utf8Path(folder);
}

Status Inspect(const std::string& path) {
    const std::uintmax_t size = SizeOf(path);
    if (size == 0) return Status::Failed("工程文件是空的（0字节），不是工程：" + path);
    std::array<unsigned char, kHeaderSize> header{};
    std::ifstream file(text::FsPath(path), std::ios::binary);
    file.read(reinterpret_cast<char*>(header.data()), header.size());
    const std::size_t read = static_cast<std::size_t>(file.gcount());
    const std::size_t magic = std::min(read, sizeof kMagic);
    if (std::memcmp(header.data(), kMagic, magic) != 0) return Status::Failed("不是有效的工程文件：" + path);
    if (read < kHeaderSize)
        return Status::Failed(WithCause("工程文件不完整，可能在复制或传送中被截断：" + path,
                                        "只有" + Bytes(size) + "，不足文件头的" + Bytes(kHeaderSize)));
    const bool wal = header[18] == kWalVersion || header[19] == kWalVersion;
    // SQLite applies any -wal beside the file, even to a project that does
    // not use one: such a WAL belongs to another copy of the file.
    if (!wal && ExistsWithData(path + "-wal"))
        return Status::Failed(WithCause("工程文件旁有不属于它的WAL日志文件：" + path + "-wal",
                                        "打开时会把它写入工程；请移走该文件后再打开"));
    // A write cut short leaves the file half old, half new: the journal is the news.
    if (Status journal = CheckJournal(path); !journal) return journal;
    // A WAL file's pages supersede the file's header, its length and free
    // pages included.
    if (!(wal && ExistsWithData(path + "-wal"))) {
        if (Status length = CheckLength(path, header.data(), size); !length) return length;
        if (Status free = CheckFreelist(path, file, header.data(), PageSize(header.data()), size); !free) return free;
    }
    const std::string folder = FolderOf(path);
    const bool walFilesThere = text::FileExists(path + "-wal") && text::FileExists(path + "-shm");
    if (wal && !walFilesThere && !Writable(folder))
        return Status::Failed(WithCause("工程文件所在的文件夹不可写：" + folder,
                                        "WAL模式的工程需要在其中建立" + text::Utf8Path(text::FsPath(path).filename()) +
                                            "-wal和-shm文件"));
    return Status::Ok();
}

std::string ReadOnlyReason(SQLite::Database& db, const std::string& path) {
    if (sqlite3_db_readonly(db.getHandle(), "main") == 1) return "工程文件为只读，修改将无法保存：" + path;
    const std::string folder = FolderOf(path);
    if (!Writable(folder)) return "工程文件所在的文件夹不可写，修改将无法保存：" + folder;
    return {};
}

}  // namespace linvara::file_diagnosis
