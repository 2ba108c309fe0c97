#include "db/store_helpers.h"

#include <sqlite3.h>

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "db/file_diagnosis.h"
#include "text/encoding.h"
#include "text/file_system.h"

namespace linvara::db {

Status FailureOf(const std::string& path, const std::string& text, const std::exception& e) {
    if (const auto* sqlite = dynamic_cast<const SQLite::Exception*>(&e); sqlite && sqlite->getErrorCode() == SQLITE_CORRUPT)
        return Status::Failed(file_diagnosis::DamagedMessage(path, e.what()));
    return Status::Failed(WithCause(text, db::CauseOf(e)));
}

Status ProjectFileThere(const std::string& path, const std::string& operation) {
    if (path.empty()) return Status::Failed(WithCause(operation, "没有打开的工程"));
    std::error_code ec;
    if (!std::filesystem::exists(text::FsPath(path), ec)) return Status::Failed(WithCause(operation, "文件不存在：" + path));
    return Status::Ok();
}

Status Connect(const std::string& path, const std::string& operation, std::unique_ptr<db::ProjectConnection>& connection) {
    try {
        connection = db::OpenProjectConnection(path, kConnectionFlags, kBusyTimeoutMs);
        return Status::Ok();
    } catch (const SQLite::Exception& e) {
        connection.reset();
        return FailureOf(path, operation, e);
    }
}

std::string RawText(const sql::Statement& q, int column) { return std::string(q.Bytes(column)); }

std::string GbText(const sql::Statement& q, int column) { return text::Gb18030ToUtf8(q.Bytes(column)); }

std::string Utf8Text(const sql::Statement& q, int column) { return text::SanitizeUtf8(q.Bytes(column)); }

namespace {

// Bits per row a dense ID range may take: a set entry costs about as much.
constexpr long long kBitsPerRow = 256;
// Bits any table may have, whatever its rows: 2 MB.
constexpr long long kBitsAlways = 1LL << 24;

std::size_t BitCount(long long maxId, long long rows) {
    if (maxId < 0 || maxId >= (1LL << 31) || maxId >= std::max(kBitsAlways, kBitsPerRow * rows)) return 0;
    return static_cast<std::size_t>(maxId) + 1;
}

}  // namespace

SeenIds::SeenIds(long long maxId, long long rows) : bits_(BitCount(maxId, rows)) {}

bool SeenIds::Contains(long long id) const {
    if (id < 0 || static_cast<std::size_t>(id) >= bits_.size()) return others_.count(id) > 0;
    return bits_[static_cast<std::size_t>(id)];
}

bool SeenIds::Insert(long long id) {
    if (id < 0 || static_cast<std::size_t>(id) >= bits_.size()) return others_.insert(id).second;
    if (bits_[static_cast<std::size_t>(id)]) return false;
    bits_[static_cast<std::size_t>(id)] = true;
    return true;
}

std::string StoredText(std::string_view utf8) {
    return text::IsAscii(utf8) ? std::string(utf8) : text::Utf8ToGb18030(utf8);
}

bool IsPlainIdentifier(const std::string& name) {
    if (name.empty()) return false;
    for (char c : name) {
        const bool ok = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
        if (!ok) return false;
    }
    return true;
}

}  // namespace linvara::db
