#include <SQLiteCpp/SQLiteCpp.h>

#include <memory>
#include <vector>

#include "text/atomic_file.h"
#include "text/encoding.h"
#include "text/format.h"
#include "towerbase/kestrel_crc.h"
#include "towerbase/tow_file.h"
#include "towerbase/utf16.h"

namespace linvara {
namespace {

constexpr const char* kQueryError = "查找记录出错!";

std::string RawText(SQLite::Statement& query, const char* column) {
    SQLite::Column value = query.getColumn(column);
    return value.isNull() ? std::string() : value.getString();
}

double Real(SQLite::Statement& query, const char* column) { return query.getColumn(column).getDouble(); }

// Line breaks would split the record; the collector lets them into codes.
std::string WithoutLineBreaks(std::string code) {
    for (const char* brk : {"\r\n", "\r", "\n"}) {
        std::string kept;
        const std::string_view needle(brk);
        std::size_t from = 0;
        for (std::size_t at; (at = code.find(needle, from)) != std::string::npos; from = at + needle.size())
            kept.append(code, from, at - from);
        kept.append(code, from, std::string::npos);
        code = std::move(kept);
    }
    return code;
}

// Name and Code are stored UTF-8 by the collector, PegName in the ANSI code page.
TGDataUnit ReadRow(SQLite::Statement& query) {
    TGDataUnit row;
    row.Name = text::SanitizeUtf8(RawText(query, "Name"));
    row.x = Real(query, "x");
    row.y = Real(query, "y");
    row.h = Real(query, "h");
    row.Code = WithoutLineBreaks(text::SanitizeUtf8(RawText(query, "Code")));
    row.PegDis = Real(query, "PegDis");
    row.PegName = text::Gb18030ToUtf8(RawText(query, "PegName"));
    row.SubIndex = query.getColumn("SubIndex").getInt();
    row.Midx = Real(query, "Midx");
    row.Midy = Real(query, "Midy");
    row.Midh = Real(query, "Midh");
    row.Pegx = Real(query, "Pegx");
    row.Pegy = Real(query, "Pegy");
    row.Pegh = Real(query, "Pegh");
    row.HDiff = row.h - row.Midh;
    return row;
}

// The rows of the table, at most as many as its count says; a failed query
// is reported once and leaves the rows read before it.
std::vector<TGDataUnit> ReadRows(SQLite::Database& db, Reporter& reporter, bool& failed) {
    std::vector<TGDataUnit> rows;
    long long count = 0;
    try {
        count = db.execAndGet("select count(*) from Electric_Data_TG;").getInt64();
        SQLite::Statement query(db, "select * from Electric_Data_TG;");
        while (static_cast<long long>(rows.size()) < count && query.executeStep()) rows.push_back(ReadRow(query));
    } catch (const std::exception&) {
        failed = true;
        reporter.Error(kQueryError);
    }
    return rows;
}

std::string TowText(const std::vector<TGDataUnit>& rows) {
    const CKestrelGpsCRC crc;
    std::string out;
    for (const TGDataUnit& row : rows) {
        std::string line = TowLineText(row);
        out += line;
        out += crc.GetCheckText(line);
        out += '\n';
    }
    return text::ToGbkTextFile(out);
}

}  // namespace

std::string TowPathFor(const std::string& projectPath) { return DropLastChars(projectPath, 3) + ".tow"; }

std::string TowLineText(const TGDataUnit& row) {
    return text::Format("%s,%.4f,%.4f,%.4f,%s,%.4f,%.4f,%s,%lld,%s", row.Name.c_str(), row.x, row.y, row.h,
                        row.Code.c_str(), row.PegDis, row.HDiff, row.PegName.c_str(),
                        static_cast<long long>(row.SubIndex) + 1, "");
}

TowExportResult ExportTow(const std::string& projectPath, Reporter& reporter) {
    TowExportResult result;
    std::unique_ptr<SQLite::Database> db;
    try {
        db = std::make_unique<SQLite::Database>(projectPath, SQLite::OPEN_READONLY);
    } catch (const std::exception&) {
        reporter.Error("无法打开数据文件：" + projectPath);
        return result;
    }
    const std::vector<TGDataUnit> rows = ReadRows(*db, reporter, result.queryFailed);
    db.reset();
    const std::string towPath = TowPathFor(projectPath);
    if (!text::WriteFileAtomically(towPath, TowText(rows))) {
        reporter.Error("写入TOW文件失败：" + towPath);
        return result;
    }
    result.written = true;
    result.lines = rows.size();
    return result;
}

int ExportTowFile(const std::string& projectPath, Reporter& reporter) {
    return ExportTow(projectPath, reporter).written ? 1 : 0;
}

}  // namespace linvara
