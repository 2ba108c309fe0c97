#pragma once
// Reading rows of Electric_Data_TG ("select * from Electric_Data_TG"), shared
// by the merge, which carries them over byte for byte, and the TOW export.
#include "db/statement.h"
#include "model/tg_data_unit.h"

namespace linvara::sql {

// Column positions of the table, looked up by name once.
struct TowerBaseColumns {
    int Name, x, y, h, Code, PegDis, Midx, Midy, Midh, PegName, SubIndex, Pegx, Pegy, Pegh;
    explicit TowerBaseColumns(const NamedColumns& c);
};

// The current row with its texts as the stored bytes; HDiff is h - Midh.
TGDataUnit ReadTowerBaseRow(const Statement& q, const TowerBaseColumns& c);

}  // namespace linvara::sql
