#include "db/schema_guard.h"

#include <SQLiteCpp/SQLiteCpp.h>

#include <algorithm>
#include <cctype>
#include <optional>
#include <string_view>

#include "db/statement.h"

namespace linvara::db {
namespace {

// Every table this program reads or writes.
constexpr const char* kTables[] = {"Point", "Electric_Data_DH", "Electric_Data_TG", "Electric_DH_Export",
                                   "Electric_DH_Order"};

enum class Kind { Number, Text };

struct ColumnKind {
    const char* table;
    const char* column;
    Kind kind;
};

// The collector's columns the first opening reads as numbers or as
// identities; a declared type of the other kind converts their values on
// the way in ("001" becomes 1).
constexpr ColumnKind kCollectorColumns[] = {
    {"Point", "GPSID", Kind::Text},           {"Point", "Name", Kind::Text},
    {"Point", "North", Kind::Number},         {"Point", "East", Kind::Number},
    {"Point", "Height", Kind::Number},        {"Point", "Latitude", Kind::Number},
    {"Point", "Longitude", Kind::Number},     {"Point", "Altitude", Kind::Number},
    {"Point", "DeleteSign", Kind::Number},    {"Electric_Data_DH", "GPS_ID", Kind::Text},
    {"Electric_Data_DH", "Type", Kind::Number}, {"Electric_Data_DH", "Index", Kind::Number},
    {"Electric_Data_DH", "LinkCode", Kind::Number}, {"Electric_Data_DH", "PoleType", Kind::Number},
    {"Electric_Data_DH", "AddHeight", Kind::Number}, {"Electric_Data_DH", "GouType", Kind::Number},
};

bool Contains(const std::string& upper, std::string_view part) { return upper.find(part) != std::string::npos; }

// SQLite's affinity rules on a declared type: a text or a number type, or
// neither (no type, BLOB), which keeps values as they were given.
std::optional<Kind> KindOfDeclared(std::string declared) {
    std::transform(declared.begin(), declared.end(), declared.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    if (Contains(declared, "INT")) return Kind::Number;
    if (Contains(declared, "CHAR") || Contains(declared, "CLOB") || Contains(declared, "TEXT")) return Kind::Text;
    if (declared.empty() || Contains(declared, "BLOB")) return std::nullopt;
    return Kind::Number;  // REAL, FLOAT, DOUBLE, NUMERIC, DECIMAL, ...
}

// The declared type of a column; none when the table or column is missing.
std::optional<std::string> DeclaredType(SQLite::Database& db, const char* table, const char* column) {
    sql::Statement q(db, "SELECT type FROM pragma_table_info(?) WHERE name=?");
    sql::Binder(q).Raw(table).Raw(column);
    if (!q.Step()) return std::nullopt;
    return std::string(q.Bytes(0));
}

}  // namespace

std::vector<std::string> ForeignSchemaCode(SQLite::Database& db) {
    std::vector<std::string> found;
    sql::Statement q(db, "SELECT type, name FROM sqlite_master WHERE type IN ('trigger','view') ORDER BY rowid");
    while (q.Step())
        found.push_back(std::string(q.Bytes(1)) + (q.Bytes(0) == "trigger" ? "（触发器）" : "（视图）"));
    return found;
}

std::string ForeignSchemaCodeText(const std::vector<std::string>& found) {
    std::string list;
    for (const std::string& name : found) list += (list.empty() ? "" : "、") + name;
    return "工程文件含有触发器/视图：" + list + "，本程序不执行它们";
}

Status CheckTableShapes(SQLite::Database& db, const std::string& path) {
    for (const char* table : kTables) {
        sql::Statement q(db, "SELECT 1 FROM sqlite_master WHERE type='view' AND name=? COLLATE NOCASE");
        sql::Binder(q).Raw(table);
        if (q.Step()) return Status::Failed("工程文件中的" + std::string(table) + "是视图，不是数据表：" + path);
    }
    for (const ColumnKind& c : kCollectorColumns) {
        const std::optional<std::string> declared = DeclaredType(db, c.table, c.column);
        if (!declared) continue;
        const std::optional<Kind> kind = KindOfDeclared(*declared);
        if (!kind || *kind == c.kind) continue;
        return Status::Failed("工程文件中" + std::string(c.table) + "表的" + c.column + "列类型为" + *declared +
                              (c.kind == Kind::Number ? "，不是数值列：" : "，不是文本列：") + path);
    }
    return Status::Ok();
}

}  // namespace linvara::db
