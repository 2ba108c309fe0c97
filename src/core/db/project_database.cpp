// Connection handling, opening a project, creating and upgrading the working
// tables, and the reset to the collector's survey.
#include "db/project_database.h"

#include <SQLiteCpp/SQLiteCpp.h>
#include <sqlite3.h>

#include <filesystem>
#include <fstream>
#include <string_view>
#include <system_error>

#include "db/connection_defences.h"
#include "db/store_helpers.h"
#include "db/file_diagnosis.h"
#include "db/schema_guard.h"
#include "db/tower_base_rows.h"
#include "text/file_name.h"
#include "text/format.h"
#include "text/file_system.h"

namespace linvara {
namespace {

// SQLite's limit on the full path of a database file.
constexpr std::size_t kMaxPathBytes = 512;
using db::kBusyTimeoutMs;
using db::kConnectionFlags;
constexpr const char* kExportTable = "Electric_DH_Export";
constexpr const char* kOrderTable = "Electric_DH_Order";
constexpr const char* kTowerBaseTable = "Electric_Data_TG";

}  // namespace

ProjectDatabase::ProjectDatabase(Reporter& reporter) : reporter_(reporter) {}

ProjectDatabase::~ProjectDatabase() = default;

void ProjectDatabase::Close() {
    if (!keepConnection_) connection_.reset();
}

void ProjectDatabase::Release() {
    keepConnection_ = false;
    connection_.reset();
}

Status ProjectDatabase::Failure(const std::string& text, const std::exception& e) const {
    return db::FailureOf(path_, text, e);
}

Status ProjectDatabase::OpenConnection(const std::string& path, bool create) {
    Release();
    readOnlyReason_.clear();
    std::error_code ec;
    if (text::Utf8Path(std::filesystem::absolute(text::FsPath(path), ec)).size() >= kMaxPathBytes)
        return Status::Failed(WithCause("无法打开工程文件：" + path, text::Format("路径过长，超过%zu字节", kMaxPathBytes)));
    try {
        const int flags = kConnectionFlags | (create ? SQLite::OPEN_CREATE : 0);
        connection_ = db::OpenProjectConnection(path, flags, kBusyTimeoutMs);
        return Status::Ok();
    } catch (const SQLite::Exception& e) {
        Close();
        return Failure("无法打开工程文件：" + path, e);
    }
}

// Fails with the cause alone; the operation names itself around it.
Status ProjectDatabase::Reconnect(const std::string& operation, Access access) {
    if (access == Access::Write && !readOnlyReason_.empty()) return Status::Failed(readOnlyReason_);
    if (Status there = db::ProjectFileThere(path_, operation); !there) return there;
    if (keepConnection_ && connection_) return Status::Ok();
    Close();
    return db::Connect(path_, operation, connection_);
}

Status ProjectDatabase::ReadWith(const std::string& operation, const std::function<void(SQLite::Database&)>& read) {
    if (Status connected = Reconnect(operation); !connected) return connected;
    db::ScopeExit closeAtEnd([this] { Close(); });
    try {
        read(*connection_);
        return Status::Ok();
    } catch (const std::exception& e) {
        return Failure(operation, e);
    }
}

Status ProjectDatabase::OpenProject(const std::string& path) {
    std::error_code ec;
    if (path.empty() || !std::filesystem::exists(text::FsPath(path), ec)) return Status::Failed("文件不存在：" + path);
    if (Status inspected = file_diagnosis::Inspect(path); !inspected) return inspected;
    if (Status opened = OpenConnection(path, false); !opened) return opened;
    db::ScopeExit closeAtEnd([this] { Close(); });
    try {  // opening is lazy: the first statement tells whether it is a database
        connection_->execAndGet("SELECT count(*) FROM sqlite_master");
    } catch (const SQLite::Exception& e) {
        if (e.getErrorCode() == SQLITE_NOTADB) return Status::Failed("不是有效的工程文件：" + path);
        if (e.getErrorCode() == SQLITE_CORRUPT) return Status::Failed(file_diagnosis::DamagedMessage(path, e.what()));
        return Failure("无法打开工程文件：" + path, e);
    }
    if (Status inspected = InspectSchema(path); !inspected) return inspected;
    path_ = path;
    title_ = text::FileStem(path);
    readOnlyReason_ = file_diagnosis::ReadOnlyReason(*connection_, path);
    if (!readOnlyReason_.empty()) reporter_.Warning(readOnlyReason_);
    Status prepared = PrepareTables();
    if (!prepared) Release();
    return prepared;
}

// A file with triggers or views still opens (none of them runs); the user
// hears of them once per file, not on every reload.
Status ProjectDatabase::InspectSchema(const std::string& path) {
    try {
        if (Status shaped = db::CheckTableShapes(*connection_, path); !shaped) return shaped;
        schemaCode_ = db::ForeignSchemaCode(*connection_);
    } catch (const SQLite::Exception& e) {
        return Failure("无法打开工程文件：" + path, e);
    }
    if (!schemaCode_.empty() && schemaCodeToldFor_ != path)
        reporter_.SchemaCodeIgnored(db::ForeignSchemaCodeText(schemaCode_), path);
    schemaCodeToldFor_ = path;
    return Status::Ok();
}

Status ProjectDatabase::PrepareTables() {
    try {
        // The write lock is taken at once, so another program's write is
        // waited for here rather than failing the seeding halfway; a file
        // that cannot be written is only read.
        const bool readOnly = !readOnlyReason_.empty();
        SQLite::Transaction transaction(*connection_, readOnly ? SQLite::TransactionBehavior::DEFERRED
                                                               : SQLite::TransactionBehavior::IMMEDIATE);
        BuildWorkingTables();
        transaction.commit();
        ReportRenumbered();
        return Status::Ok();
    } catch (const db::SurveyQueryError& e) {
        return Failure("查找记录出错!", e);
    } catch (const std::exception& e) {  // SQLite, or a code-page converter that cannot be opened
        return Failure("创建数据表失败：" + path_, e);
    }
}

namespace {

// The same table in the connection's TEMP schema, where it hides a table of
// that name in the file from every statement that does not name a schema.
std::string InTempSchema(const std::string& createTable) {
    constexpr std::string_view kCreate = "CREATE TABLE";
    return createTable.rfind(kCreate, 0) == 0 ? "CREATE TEMP TABLE" + createTable.substr(kCreate.size()) : createTable;
}

}  // namespace

// One transaction around all of it (the caller's): a failed join or insert
// leaves no half-made working table behind, so the next open tries again.
// A file that cannot be written gets them in memory, seeded the same way,
// for as long as the project is open.
void ProjectDatabase::BuildWorkingTables() {
    renumbered_ = 0;
    SQLite::Database& db = *connection_;
    const bool inMemory = !readOnlyReason_.empty();
    const auto create = [&](const std::string& sql) {
        db.exec(inMemory ? InTempSchema(sql) : sql);
        keepConnection_ = keepConnection_ || inMemory;
    };
    if (!db.tableExists(kOrderTable)) create(OrderTableSql());
    if (db.tableExists(kExportTable)) {
        if (!inMemory) AddColumnIfMissing(kExportTable, "GLCode", 1);
        return;
    }
    create(ExportTableSql());
    SeedWorkingTables();
}

Status ProjectDatabase::CreateWorkingTables() {
    try {
        SQLite::Database& db = *connection_;
        SQLite::Transaction transaction(db);
        if (db.tableExists(kExportTable))
            AddColumnIfMissing(kExportTable, "GLCode", 1);
        else
            db.exec(ExportTableSql());
        if (!db.tableExists(kOrderTable)) db.exec(OrderTableSql());
        if (!db.tableExists(kTowerBaseTable)) db.exec(TowerBaseTableSql());
        transaction.commit();
        return Status::Ok();
    } catch (const std::exception& e) {
        return Failure("创建数据表失败", e);
    }
}

void ProjectDatabase::AddColumnIfMissing(const std::string& table, const std::string& column, int kind) {
    if (!connection_ || !db::IsPlainIdentifier(table) || !db::IsPlainIdentifier(column)) return;
    const char* type = kind == 1 ? "INT DEFAULT 0" : kind == 2 ? "DOUBLE DEFAULT 0" : kind == 3 ? "CHAR" : nullptr;
    if (type == nullptr) return;
    try {
        SQLite::Database& db = *connection_;
        if (!db.tableExists(table)) return;
        std::string sql;
        {
            sql::Statement query(db, "select sql from sqlite_master where tbl_name=? and type='table'");
            sql::Binder(query).Raw(table);
            if (query.Step()) sql = db::RawText(query, 0);
        }
        // A plain substring test, as old projects were upgraded: any mention
        // of the name counts as present.
        if (sql.find(column) != std::string::npos) return;
        db.exec("ALTER TABLE " + table + " ADD COLUMN [" + column + "] " + type);
    } catch (const SQLite::Exception&) {
        // The schema stays as it was; reading names the column that is missing.
    }
}

Status ProjectDatabase::ResetToSurvey() {
    if (Status connected = Reconnect("重新加载数据失败", Access::Write); !connected) return connected;
    db::ScopeExit closeAtEnd([this] { Close(); });
    try {
        SQLite::Transaction transaction(*connection_, SQLite::TransactionBehavior::IMMEDIATE);
        connection_->exec("DROP TABLE Electric_DH_Export;");
        connection_->exec("DROP TABLE Electric_DH_Order;");
        BuildWorkingTables();
        transaction.commit();
        ReportRenumbered();
        return Status::Ok();
    } catch (const std::exception& e) {
        // Rolled back: the working tables stay exactly as they were.
        return Failure("重新加载数据失败", e);
    }
}

void ProjectDatabase::ReportRenumbered() {
    if (renumbered_ > 0)
        reporter_.Warning(text::Format("%zu个点的GPS_ID与其他点重复，已重新编号。", renumbered_));
}

// Offsets 18-19 hold the read and write versions (2 = write-ahead log, whose
// commits leave the header alone); offset 24 the change counter that every
// committed write in the other journal modes increments.
std::optional<std::uint32_t> ProjectDatabase::ChangeCounter() const {
    std::ifstream file(text::FsPath(path_), std::ios::binary);
    unsigned char header[28] = {};
    if (!file.read(reinterpret_cast<char*>(header), sizeof header)) return std::nullopt;
    if (header[18] == 2 || header[19] == 2) return std::nullopt;
    return (std::uint32_t{header[24]} << 24) | (std::uint32_t{header[25]} << 16) | (std::uint32_t{header[26]} << 8) |
           std::uint32_t{header[27]};
}

Status ProjectDatabase::CreateProjectFile(const std::string& path) {
    if (Status opened = OpenConnection(path, true); !opened) return opened;
    Status created = CreateWorkingTables();
    Close();
    return created;
}

Status ProjectDatabase::ReadTowerBaseRows(std::vector<TGDataUnit>& rows) const {
    rows.clear();
    const std::string operation = "查找记录出错!";
    if (Status there = db::ProjectFileThere(path_, operation); !there) return there;
    try {
        db::ProjectConnection db(path_, SQLite::OPEN_READONLY, kBusyTimeoutMs);
        if (!sql::HasTowerBaseTable(db)) return Status::Ok();
        sql::ReadTowerBaseRows(db, [&rows](TGDataUnit&& row) { rows.push_back(std::move(row)); });
        return Status::Ok();
    } catch (const std::exception& e) {
        return Failure(operation, e);  // the rows read so far stay
    }
}

}  // namespace linvara
