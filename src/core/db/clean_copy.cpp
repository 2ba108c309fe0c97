#include "db/clean_copy.h"

#include <sqlite3.h>

#include <filesystem>
#include <system_error>
#include <vector>

#include "db/connection_defences.h"
#include "db/statement.h"
#include "text/atomic_path.h"
#include "text/file_system.h"

namespace linvara::db {
namespace {

constexpr int kBusyTimeoutMs = 3000;

// The same file, also through another name or a link.
bool SameFile(const std::string& a, const std::string& b) {
    std::error_code ec;
    if (std::filesystem::equivalent(text::FsPath(a), text::FsPath(b), ec)) return true;
    const auto absA = std::filesystem::weakly_canonical(text::FsPath(a), ec);
    const auto absB = std::filesystem::weakly_canonical(text::FsPath(b), ec);
    return !ec && absA == absB;
}

// A schema name as a quoted identifier: DROP takes no bound name.
std::string Quoted(const std::string& name) {
    std::string out = "\"";
    for (char c : name) out += c == '"' ? std::string("\"\"") : std::string(1, c);
    return out + "\"";
}

// Drops every trigger and view of the copy in one transaction.
std::size_t DropSchemaCode(SQLite::Database& copy) {
    std::vector<std::pair<std::string, std::string>> found;  // type, name
    {
        sql::Statement q(copy, "SELECT type, name FROM sqlite_master WHERE type IN ('trigger','view')");
        while (q.Step()) found.emplace_back(std::string(q.Bytes(0)), std::string(q.Bytes(1)));
    }
    SQLite::Transaction transaction(copy);
    for (const auto& [type, name] : found)
        copy.exec((type == "trigger" ? "DROP TRIGGER " : "DROP VIEW ") + Quoted(name));
    transaction.commit();
    return found.size();
}

}  // namespace

Status WriteCleanCopy(const std::string& in, const std::string& out, std::size_t* removed) {
    if (!text::FileExists(in)) return Status::Failed("文件不存在：" + in);
    if (SameFile(in, out)) return Status::Failed("输出文件不能是工程文件本身：" + in);
    text::AtomicPath target(out);
    if (!target.Open()) return Status::Failed(WithCause("写入文件失败：" + out, target.Error()));
    std::size_t dropped = 0;
    try {
        {
            ProjectConnection source(in, SQLite::OPEN_READONLY, kBusyTimeoutMs);
            try {
                source.execAndGet("SELECT count(*) FROM sqlite_master");
            } catch (const SQLite::Exception& e) {
                if (e.getErrorCode() == SQLITE_NOTADB) return Status::Failed("不是有效的工程文件：" + in);
                throw;
            }
            SQLite::Statement vacuum(source, "VACUUM INTO ?");
            vacuum.bind(1, target.TempPath());
            vacuum.exec();
        }
        ProjectConnection copy(target.TempPath(), SQLite::OPEN_READWRITE, kBusyTimeoutMs);
        dropped = DropSchemaCode(copy);
    } catch (const SQLite::Exception& e) {
        return Status::Failed(WithCause("写入文件失败：" + out, CauseOf(e)));
    }
    if (!target.Commit()) return Status::Failed(WithCause("写入文件失败：" + out, target.Error()));
    if (removed != nullptr) *removed = dropped;
    return Status::Ok();
}

}  // namespace linvara::db
