#include <SQLiteCpp/SQLiteCpp.h>
#include <sqlite3.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "db/connection_defences.h"
#include "db/schema_guard.h"
#include "db/file_diagnosis.h"
#include "db/tower_base_rows.h"
#include "status.h"
#include "text/atomic_file.h"
#include "text/encoding.h"
#include "text/file_name.h"
#include "text/format.h"
#include "towerbase/kestrel_crc.h"
#include "towerbase/tow_file.h"
#include "towerbase/tower_base_table.h"

namespace linvara {
namespace {

constexpr const char* kQueryError = "查找记录出错!";
// Waits as long as the project database does for another program's write.
constexpr int kBusyTimeoutMs = 3000;

// The rows of the table, at most as many as its count says; a failed query
// is reported once, with SQLite's reason, and leaves the rows read before it.
// A text that cannot be decoded is no failed query: EncodingError goes on.
std::vector<TGDataUnit> ReadRows(SQLite::Database& db, const std::string& path, Reporter& reporter, bool& failed) {
    std::vector<TGDataUnit> rows;
    long long count = 0;
    try {
        count = sql::CountTowerBaseRows(db);
        rows.reserve(static_cast<std::size_t>(std::max(0LL, std::min(count, 1LL << 24))));
        sql::ReadTowerBaseRows(
            db, [&rows](TGDataUnit&& row) { rows.push_back(DecodeTowerBaseRow(std::move(row))); },
            static_cast<std::size_t>(std::max(0LL, count)));
    } catch (const text::EncodingError&) {
        throw;
    } catch (const SQLite::Exception& e) {
        if (e.getErrorCode() == SQLITE_CORRUPT) throw;  // a damaged file gives no TOW at all
        failed = true;
        reporter.Error(WithCause(kQueryError, path + "：" + db::CauseOf(e)));
    } catch (const std::exception& e) {
        failed = true;
        reporter.Error(WithCause(kQueryError, path + "：" + db::CauseOf(e)));
    }
    return rows;
}

std::string TowText(const std::vector<TGDataUnit>& rows) {
    const KestrelCrc crc;
    std::string out;
    std::string line;
    for (const TGDataUnit& row : rows) {
        line.clear();
        AppendTowLine(line, row);
        out += line;
        crc.AppendCheckText(out, line);
        out += '\n';
    }
    return text::ToGbkTextFile(out);
}

}  // namespace

std::string TowPathFor(const std::string& projectPath) { return text::WithExtension(projectPath, ".tow"); }

void AppendTowLine(std::string& out, const TGDataUnit& row) {
    text::AppendFormat(out, "%s,%.4f,%.4f,%.4f,%s,%.4f,%.4f,%s,%lld,%s", row.Name.c_str(), row.x, row.y, row.h,
                       row.Code.c_str(), row.PegDis, row.HDiff, row.PegName.c_str(),
                       static_cast<long long>(row.SubIndex) + 1, "");
}

std::optional<std::string> TowBytes(const std::string& projectPath, Reporter& reporter, TowExportResult& result) {
    std::unique_ptr<db::ProjectConnection> db;
    try {
        if (Status sound = file_diagnosis::Inspect(projectPath); !sound) {
            reporter.Error(sound.message());
            result.queryFailed = true;
            return std::nullopt;
        }
        db = db::OpenProjectConnection(projectPath, SQLite::OPEN_READONLY, kBusyTimeoutMs);
    } catch (const std::exception& e) {
        reporter.Error(WithCause("无法打开数据文件：" + projectPath, e.what()));
        return std::nullopt;
    }
    try {
        if (const Status shaped = db::CheckTableShapes(*db, projectPath); !shaped) {
            reporter.Error(shaped.message());
            return std::nullopt;
        }
        if (const auto found = db::ForeignSchemaCode(*db); !found.empty())
            reporter.SchemaCodeIgnored(db::ForeignSchemaCodeText(found), projectPath);
    } catch (const SQLite::Exception&) {
        // Not readable: the read below names the cause.
    }
    try {  // nothing is written unless every text could be converted
        const std::vector<TGDataUnit> rows = ReadRows(*db, projectPath, reporter, result.queryFailed);
        db.reset();
        result.lines = rows.size();
        return TowText(rows);
    } catch (const text::EncodingError& e) {
        reporter.Error(WithCause("写入TOW文件失败：" + TowPathFor(projectPath), e.what()));
        return std::nullopt;
    } catch (const SQLite::Exception& e) {
        reporter.Error(file_diagnosis::DamagedMessage(projectPath, e.what()));
        result.queryFailed = true;
        return std::nullopt;
    }
}

TowExportResult ExportTow(const std::string& projectPath, Reporter& reporter) {
    TowExportResult result;
    const std::optional<std::string> bytes = TowBytes(projectPath, reporter, result);
    if (!bytes) return result;
    const std::string towPath = TowPathFor(projectPath);
    if (std::string error; !text::WriteFileAtomically(towPath, *bytes, &error)) {
        reporter.Error(WithCause("写入TOW文件失败：" + towPath, error));
        return result;
    }
    result.written = true;
    return result;
}

int ExportTowFile(const std::string& projectPath, Reporter& reporter) {
    return ExportTow(projectPath, reporter).written ? 1 : 0;
}

}  // namespace linvara
