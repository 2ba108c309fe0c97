#include "check/stored_values.h"

#include <SQLiteCpp/SQLiteCpp.h>
#include <sqlite3.h>

#include <cstring>
#include <exception>
#include <set>
#include <string_view>
#include <utility>
#include <vector>

#include "db/connection_defences.h"
#include "db/export_columns.h"
#include "db/statement.h"
#include "project/project.h"
#include "text/encoding.h"
#include "text/format.h"

namespace linvara::check {
namespace {

constexpr int kBusyTimeoutMs = 3000;  // another program writing the file meanwhile
constexpr std::string_view kReplacement = "\xEF\xBF\xBD";
constexpr std::size_t kShownChars = 20;

// The user's word for a column; its own name for the rest.
std::string ColumnText(std::string_view column) {
    static constexpr struct {
        const char* column;
        const char* text;
    } kNames[] = {{"NewPtName", "点名"}, {"OrgPtName", "原点名"}, {"Code", "编码"}, {"Note", "备注"},
                  {"Dx", "北坐标"},      {"Dy", "东坐标"},        {"Dh", "高程"},   {"B", "纬度"},
                  {"L", "经度"},         {"H", "大地高"},         {"DHType", "点类型"}, {"Mileage", "里程"},
                  {"Offset", "偏距"}};
    for (const auto& n : kNames)
        if (column == n.column) return n.text;
    return std::string(column);
}

bool IsCoordinate(std::string_view column) { return column == "Dx" || column == "Dy" || column == "Dh"; }

// The start of a text for a message: whole UTF-8 characters, invalid bytes replaced.
std::string Shown(std::string_view bytes) {
    const std::string text = text::SanitizeUtf8(bytes.substr(0, kShownChars * 4));
    std::size_t end = 0;
    for (std::size_t chars = 0; end < text.size() && chars < kShownChars; ++chars) {
        ++end;
        while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) ++end;
    }
    return end < text.size() ? text.substr(0, end) + "…" : text;
}

bool Readable(std::string_view bytes) {
    if (text::SanitizeUtf8(bytes) == bytes) return true;
    try {
        return text::Gb18030ToUtf8(bytes).find(kReplacement) == std::string::npos;
    } catch (const text::EncodingError&) {
        return true;  // no converter: nothing to say about the bytes
    }
}

std::string NumberTrouble(const std::string& name, const sql::Value& value, bool coordinate) {
    switch (value.Type()) {
        case SQLITE_BLOB: return name + "存储为二进制数据，按0处理";
        case SQLITE_NULL: return coordinate ? name + "为空，按0处理" : std::string();
        case SQLITE_TEXT: {
            double number = 0;
            const std::string trimmed = text::Trim(value.Bytes());
            if (trimmed.empty() || text::ParseDouble(trimmed, number)) return {};
            return name + "存储为文本“" + Shown(value.Bytes()) + "”，按0处理";
        }
        default: return {};
    }
}

std::string TextTrouble(const std::string& name, const sql::Value& value) {
    if (value.Type() == SQLITE_BLOB) return name + "存储为二进制数据";
    const std::string_view bytes = value.Bytes();
    if (bytes.size() > kLongestSensibleText) return text::Format("%s过长（%zu字节）", name.c_str(), bytes.size());
    if (!Readable(bytes)) return name + "含有既不是UTF-8也不是GB18030的字节：“" + Shown(bytes) + "”";
    return {};
}

// One table's columns as the list reads them: the working table's own
// names, or the collector's columns they are seeded from.
struct Source {
    const char* from;      // the FROM clause
    const char* identity;  // the identity column
    bool collector;
};
constexpr Source kCollector{"Electric_Data_DH, Point WHERE Electric_Data_DH.GPS_ID = Point.GPSID AND DeleteSign!=1",
                            "Electric_Data_DH.GPS_ID", true};
constexpr Source kWorking{"Electric_DH_Export", "GPS_ID", false};

// The column a list value is read from in `source`; nullptr when it has none.
const char* SourceColumn(const export_table::Column& c, const Source& source) {
    if ((c.uses & export_table::Read) == 0 || std::string_view(c.name) == "ID") return nullptr;
    if (!source.collector) return c.name;
    using export_table::Seed;
    const bool seededAsRead = c.seed == Seed::Utf8 || c.seed == Seed::Int || c.seed == Seed::Real || c.seed == Seed::Printed;
    return seededAsRead ? c.seedFrom : nullptr;
}

template <typename Add>
void ScanRows(SQLite::Database& db, const Source& source, const std::string& identitySuffix, const Add& add) {
    std::vector<const export_table::Column*> columns;
    std::string sql = std::string("SELECT ") + source.identity;
    for (const export_table::Column& c : export_table::Columns())
        if (const char* from = SourceColumn(c, source)) {
            columns.push_back(&c);
            sql += std::string(",[") + from + "]";
        }
    sql::Statement query(db, (sql + " FROM " + source.from).c_str());
    while (query.Step()) {
        const std::string gpsId = text::Gb18030ToUtf8(query.Bytes(0)) + identitySuffix;
        for (std::size_t k = 0; k < columns.size(); ++k) {
            const export_table::Column& c = *columns[k];
            const sql::Value value = query.Value(static_cast<int>(k) + 1);
            const std::string name = ColumnText(c.name);
            add(gpsId, c.kind == export_table::Kind::Text ? TextTrouble(name, value)
                                                          : NumberTrouble(name, value, IsCoordinate(c.name)));
        }
    }
}

}  // namespace

Status ReadStoredValueTroubles(const Project& project, StoredValueTroubles& troubles) {
    troubles.clear();
    const std::string& path = project.Path();
    try {
        db::ProjectConnection db(path, SQLite::OPEN_READONLY, kBusyTimeoutMs);
        std::set<std::pair<std::string, std::string>> seen;
        const auto add = [&](std::string gpsId, std::string trouble) {
            if (!trouble.empty() && seen.emplace(gpsId, trouble).second) troubles.push_back({std::move(gpsId), std::move(trouble)});
        };
        // A merged project has no collector tables, and what the working table
        // was seeded from is only worth a look where the join still reads.
        if (db.tableExists("Point") && db.tableExists("Electric_Data_DH")) {
            try {
                ScanRows(db, kCollector, "_" + project.Title(), add);
            } catch (const SQLite::Exception&) {
            }
        }
        if (db.tableExists("Electric_DH_Export")) ScanRows(db, kWorking, "", add);
    } catch (const std::exception& e) {
        return Status::Failed(WithCause("查找记录出错!", path + "：" + e.what()));
    }
    return Status::Ok();
}

}  // namespace linvara::check
