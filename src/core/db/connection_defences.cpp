#include "db/connection_defences.h"

#include <sqlite3.h>

#include <atomic>
#include <filesystem>
#include <system_error>

#include "text/file_system.h"

namespace linvara::db {
namespace {

// SQLite calls the progress handler every this many virtual machine steps.
constexpr int kStepsPerUnit = 1000;
// What any one statement may take: a floor for small files, and per KiB of
// the file (and its write-ahead log) ten times what our heaviest statement
// needs (reading the list in route order: 10 800 units for the 22 MB of
// 100 000 points, see docs/PERFORMANCE.md). Taken from the file's size, not
// from SQLite, so that opening waits for no lock. An endless statement stops
// within a second or two.
constexpr std::uint64_t kBaseUnits = 20'000;
constexpr std::uint64_t kUnitsPerKiB = 5;

std::atomic<bool> fileTriggersAllowed{false};
std::atomic<std::uint64_t> boundForTesting{0};

void Configure(sqlite3* db, int option, int value) {
    sqlite3_db_config(db, option, value, static_cast<int*>(nullptr));
}

std::uint64_t KiBOf(const std::string& path) {
    std::uint64_t bytes = 0;
    for (const std::string& file : {path, path + "-wal"}) {
        std::error_code ec;
        const auto size = std::filesystem::file_size(text::FsPath(file), ec);
        if (!ec) bytes += size;
    }
    return bytes / 1024;
}

}  // namespace

ProjectConnection::ProjectConnection(const std::string& path, int flags, int busyTimeoutMs)
    : SQLite::Database(path, flags, busyTimeoutMs) {
    sqlite3* db = getHandle();
    const bool triggers = fileTriggersAllowed.load();
    Configure(db, SQLITE_DBCONFIG_ENABLE_TRIGGER, triggers ? 1 : 0);
    Configure(db, SQLITE_DBCONFIG_ENABLE_VIEW, 0);
    Configure(db, SQLITE_DBCONFIG_DEFENSIVE, 1);
    Configure(db, SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0);
    Configure(db, SQLITE_DBCONFIG_ENABLE_LOAD_EXTENSION, 0);
    exec("PRAGMA cell_size_check=ON");
    bound_ = boundForTesting.load() > 0 ? boundForTesting.load() : kBaseUnits + kUnitsPerKiB * KiBOf(path);
    sqlite3_progress_handler(db, kStepsPerUnit, &ProjectConnection::OnProgress, this);
    sqlite3_trace_v2(db, SQLITE_TRACE_STMT, &ProjectConnection::OnStatement, this);
}

ProjectConnection::~ProjectConnection() {
    sqlite3_progress_handler(getHandle(), 0, nullptr, nullptr);
    sqlite3_trace_v2(getHandle(), 0, nullptr, nullptr);
}

int ProjectConnection::OnProgress(void* self) {
    auto* connection = static_cast<ProjectConnection*>(self);
    return ++connection->used_ > connection->bound_ ? 1 : 0;
}

// Each statement starts with the whole bound.
int ProjectConnection::OnStatement(unsigned /*type*/, void* self, void* /*statement*/, void* /*sql*/) {
    static_cast<ProjectConnection*>(self)->used_ = 0;
    return 0;
}

std::unique_ptr<ProjectConnection> OpenProjectConnection(const std::string& path, int flags, int busyTimeoutMs) {
    return std::make_unique<ProjectConnection>(path, flags, busyTimeoutMs);
}

std::string CauseOf(const std::exception& e) {
    const auto* sqlite = dynamic_cast<const SQLite::Exception*>(&e);
    if (sqlite != nullptr && sqlite->getErrorCode() == SQLITE_INTERRUPT) return "运行远超工程规模所需，已中止";
    return e.what();
}

void AllowFileTriggersForTesting(bool allow) { fileTriggersAllowed = allow; }

void SetWorkBoundForTesting(std::uint64_t units) { boundForTesting = units; }

}  // namespace linvara::db
