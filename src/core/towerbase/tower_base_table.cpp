#include "towerbase/tower_base_table.h"

#include <SQLiteCpp/SQLiteCpp.h>
#include <sqlite3.h>

#include "db/connection_defences.h"
#include "db/file_diagnosis.h"
#include "text/encoding.h"

namespace linvara {
namespace {

// Waits as long as the project database does for another program's write.
constexpr int kBusyTimeoutMs = 3000;

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

}  // namespace

TGDataUnit ReadDecodedTowerBaseRow(const sql::Statement& q, const sql::TowerBaseColumns& c) {
    TGDataUnit row = sql::ReadTowerBaseRow(q, c);
    row.Name = text::SanitizeUtf8(row.Name);
    row.Code = WithoutLineBreaks(text::SanitizeUtf8(row.Code));
    row.PegName = text::Gb18030ToUtf8(row.PegName);
    return row;
}

Status ReadTowerBaseTable(const std::string& projectPath, std::vector<TGDataUnit>& rows) {
    rows.clear();
    if (Status sound = file_diagnosis::Inspect(projectPath); !sound) return sound;
    try {
        db::ProjectConnection db(projectPath, SQLite::OPEN_READONLY, kBusyTimeoutMs);
        if (!db.tableExists("Electric_Data_TG")) return Status::Ok();
        sql::Statement query(db, "select * from Electric_Data_TG;");
        const sql::TowerBaseColumns columns{sql::NamedColumns(query)};
        while (query.Step()) rows.push_back(ReadDecodedTowerBaseRow(query, columns));
    } catch (const SQLite::Exception& e) {
        if (e.getErrorCode() == SQLITE_CORRUPT) return Status::Failed(file_diagnosis::DamagedMessage(projectPath, e.what()));
        return Status::Failed(WithCause("查找记录出错!", projectPath + "：" + db::CauseOf(e)));
    } catch (const std::exception& e) {  // a code page the system lacks
        return Status::Failed(WithCause("查找记录出错!", projectPath + "：" + e.what()));
    }
    return Status::Ok();
}

}  // namespace linvara
