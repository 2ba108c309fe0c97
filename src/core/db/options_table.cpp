#include "db/options_table.h"

#include <SQLiteCpp/SQLiteCpp.h>

#include "db/store_helpers.h"
#include "db/project_database.h"
#include "text/encoding.h"

namespace linvara::options_table {
namespace {

constexpr const char* kTable = "Linvara_Options";
constexpr const char* kCreate =
    "CREATE TABLE IF NOT EXISTS Linvara_Options (ID INTEGER PRIMARY KEY CHECK (ID = 1), "
    "StartMileage DOUBLE NOT NULL, UseStartName INTEGER NOT NULL, StartName TEXT NOT NULL, "
    "UseOffsetRange INTEGER NOT NULL, OffsetRange DOUBLE NOT NULL)";

}  // namespace

std::optional<ConversionOptions> Read(SQLite::Database& db) {
    if (!db.tableExists(kTable)) return std::nullopt;
    SQLite::Statement query(db, "SELECT StartMileage, UseStartName, StartName, UseOffsetRange, OffsetRange "
                                "FROM Linvara_Options WHERE ID = 1");
    if (!query.executeStep()) return std::nullopt;
    ConversionOptions options;
    options.StartMileage = query.getColumn(0).getDouble();
    options.UseStartName = query.getColumn(1).getInt() != 0 ? 1 : 0;
    options.StartName = text::SanitizeUtf8(query.getColumn(2).getString());
    options.UseOffsetRange = query.getColumn(3).getInt() != 0 ? 1 : 0;
    options.OffsetRange = query.getColumn(4).getDouble();
    return options;
}

void Write(SQLite::Database& db, const ConversionOptions& options) {
    db.exec(kCreate);
    SQLite::Statement insert(db, "INSERT OR REPLACE INTO Linvara_Options "
                                 "(ID, StartMileage, UseStartName, StartName, UseOffsetRange, OffsetRange) "
                                 "VALUES (1, ?, ?, ?, ?, ?)");
    insert.bind(1, options.StartMileage);
    insert.bind(2, options.UseStartName);
    insert.bind(3, options.StartName);
    insert.bind(4, options.UseOffsetRange);
    insert.bind(5, options.OffsetRange);
    insert.exec();
}

}  // namespace linvara::options_table

namespace linvara {

Status ProjectDatabase::ReadOptions(std::optional<ConversionOptions>& options) {
    options.reset();
    return ReadWith("读取设置选项失败", [&options](SQLite::Database& db) { options = options_table::Read(db); });
}

Status ProjectDatabase::StoreOptions(const ConversionOptions& options) {
    const std::string operation = "保存设置选项失败：" + path_;
    if (Status connected = Reconnect(operation, Access::Write); !connected) return connected;
    db::ScopeExit closeAtEnd([this] { Close(); });
    try {
        SQLite::Transaction transaction(*connection_);
        options_table::Write(*connection_, options);
        transaction.commit();
        return Status::Ok();
    } catch (const std::exception& e) {
        return Failure(operation, e);
    }
}

}  // namespace linvara
