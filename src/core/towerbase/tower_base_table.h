#pragma once
// The tower-base section rows of a project (Electric_Data_TG), for the
// outputs that read them straight from the project file.
#include <string>
#include <vector>

#include "db/tower_base_rows.h"
#include "model/tg_data_unit.h"
#include "status.h"

namespace linvara {

// The current row with its texts decoded as the collector stores them (Name
// and Code UTF-8, PegName in the ANSI code page) and line breaks removed
// from Code, which would split a record of a line-based file.
TGDataUnit ReadDecodedTowerBaseRow(const sql::Statement& q, const sql::TowerBaseColumns& c);

// Every row of the project's table, in table order; none when the project
// has no such table. A failed read is "查找记录出错!" with SQLite's reason.
Status ReadTowerBaseTable(const std::string& projectPath, std::vector<TGDataUnit>& rows);

}  // namespace linvara
