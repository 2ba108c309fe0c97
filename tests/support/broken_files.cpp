#include "support/broken_files.h"

#include <SQLiteCpp/SQLiteCpp.h>

#include <cstdint>
#include <filesystem>

#include "support/temp_dir.h"

namespace linvara::testing {
namespace {

void PutBigEndian(std::string& bytes, std::size_t at, std::uint32_t value) {
    for (int i = 3; i >= 0; --i, value >>= 8) bytes[at + static_cast<std::size_t>(i)] = static_cast<char>(value & 0xFF);
}

void Copy(const std::string& from, const std::string& to) {
    // Removed first: MinGW's copy_file refuses to overwrite even when told to.
    std::filesystem::remove(to);
    std::filesystem::copy_file(from, to);
}

}  // namespace

void CutFile(const std::string& path, std::size_t bytes) { WriteFileBytes(path, ReadFileBytes(path).substr(0, bytes)); }

void PointFreelistPastTheEnd(const std::string& path) {
    {
        SQLite::Database db(path, SQLite::OPEN_READWRITE);
        db.exec("CREATE TABLE Scrap (a); INSERT INTO Scrap VALUES (zeroblob(40000)); DROP TABLE Scrap;");
    }
    std::string bytes = ReadFileBytes(path);
    const std::size_t pageSize = (static_cast<unsigned char>(bytes[16]) << 8) | static_cast<unsigned char>(bytes[17]);
    const std::uint32_t pages = static_cast<std::uint32_t>(bytes.size() / pageSize);
    PutBigEndian(bytes, 32, pages + 1000);  // first freelist trunk page
    WriteFileBytes(path, bytes);
}

void DamageTablePages(const std::string& path, const std::vector<std::string>& tables) {
    std::vector<long long> roots;
    {
        SQLite::Database db(path, SQLite::OPEN_READONLY);
        SQLite::Statement root(db, "SELECT rootpage FROM sqlite_master WHERE type='table' AND name=?");
        for (const std::string& table : tables) {
            root.bind(1, table);
            if (root.executeStep()) roots.push_back(root.getColumn(0).getInt64());
            root.reset();
        }
    }
    std::string bytes = ReadFileBytes(path);
    const std::size_t pageSize = (static_cast<unsigned char>(bytes[16]) << 8) | static_cast<unsigned char>(bytes[17]);
    for (long long page : roots) bytes[static_cast<std::size_t>(page - 1) * pageSize] = 0x01;  // no such page kind
    WriteFileBytes(path, bytes);
}

void PutStaleJournal(const std::string& path) {
    const std::string other = path + ".other";
    Copy(path, other);
    {
        SQLite::Database db(other, SQLite::OPEN_READWRITE);
        // Unsynced, the journal's header says its records run to its end.
        db.exec("PRAGMA synchronous=OFF");
        db.exec("BEGIN; UPDATE Point SET Name = Name || '-later'");
        Copy(other + "-journal", path + "-journal");
        db.exec("COMMIT");
    }
    Copy(other, path);
    std::filesystem::remove(other);
}

void PutForeignWal(const std::string& path) {
    const std::string other = path + ".other";
    Copy(path, other);
    {
        SQLite::Database db(other, SQLite::OPEN_READWRITE);
        db.exec("PRAGMA journal_mode=WAL; PRAGMA wal_autocheckpoint=0;");
        db.exec("UPDATE Point SET Name = Name || '-elsewhere'");
        Copy(other + "-wal", path + "-wal");
    }
    std::filesystem::remove(other);
}

void SwitchToWal(const std::string& path) {
    SQLite::Database db(path, SQLite::OPEN_READWRITE);
    db.exec("PRAGMA journal_mode=WAL");
}

std::map<std::string, std::string> FilesOf(const std::string& path) {
    std::map<std::string, std::string> files;
    for (const char* suffix : {"", "-journal", "-wal", "-shm"})
        if (std::filesystem::exists(path + suffix)) files[path + suffix] = ReadFileBytes(path + suffix);
    return files;
}

}  // namespace linvara::testing
