#pragma once
// The one reader of the tower-base table (Electric_Data_TG): the TOW export,
// the check, the merge and the workbook all read its rows through here.
#include <cstddef>
#include <functional>
#include <limits>

#include "model/tg_data_unit.h"

namespace SQLite {
class Database;
}

namespace linvara::sql {

// The table's rows in table order ("select * from Electric_Data_TG"), each
// handed to `take` as it is read, at most `limit`: texts as the stored bytes,
// HDiff = h - Midh. Throws on SQL errors (a missing table is one), after the
// rows read before the failure were handed over.
void ReadTowerBaseRows(SQLite::Database& db, const std::function<void(TGDataUnit&&)>& take,
                       std::size_t limit = std::numeric_limits<std::size_t>::max());

// How many rows the table holds. Throws on SQL errors.
long long CountTowerBaseRows(SQLite::Database& db);

// Whether the file has the table at all.
bool HasTowerBaseTable(SQLite::Database& db);

}  // namespace linvara::sql
