#include "db/tower_base_rows.h"

#include <SQLiteCpp/SQLiteCpp.h>

#include <string>

#include "db/statement.h"

namespace linvara::sql {
namespace {

constexpr const char* kTable = "Electric_Data_TG";

// Column positions of the table, looked up by name once.
struct TowerBaseColumns {
    int Name, x, y, h, Code, PegDis, Midx, Midy, Midh, PegName, SubIndex, Pegx, Pegy, Pegh;
    explicit TowerBaseColumns(const NamedColumns& c)
        : Name(c("Name")), x(c("x")), y(c("y")), h(c("h")), Code(c("Code")), PegDis(c("PegDis")), Midx(c("Midx")),
          Midy(c("Midy")), Midh(c("Midh")), PegName(c("PegName")), SubIndex(c("SubIndex")), Pegx(c("Pegx")),
          Pegy(c("Pegy")), Pegh(c("Pegh")) {}
};

TGDataUnit RowOf(const Statement& q, const TowerBaseColumns& c) {
    TGDataUnit u;
    u.Name = std::string(q.Bytes(c.Name));
    u.x = q.Real(c.x);
    u.y = q.Real(c.y);
    u.h = q.Real(c.h);
    u.Code = std::string(q.Bytes(c.Code));
    u.PegDis = q.Real(c.PegDis);
    u.PegName = std::string(q.Bytes(c.PegName));
    u.SubIndex = q.Int(c.SubIndex);
    u.Midx = q.Real(c.Midx);
    u.Midy = q.Real(c.Midy);
    u.Midh = q.Real(c.Midh);
    u.Pegx = q.Real(c.Pegx);
    u.Pegy = q.Real(c.Pegy);
    u.Pegh = q.Real(c.Pegh);
    u.HDiff = u.h - u.Midh;
    return u;
}

}  // namespace

void ReadTowerBaseRows(SQLite::Database& db, const std::function<void(TGDataUnit&&)>& take, std::size_t limit) {
    Statement query(db, "select * from Electric_Data_TG;");
    const TowerBaseColumns columns{NamedColumns(query)};
    for (std::size_t read = 0; read < limit && query.Step(); ++read) take(RowOf(query, columns));
}

long long CountTowerBaseRows(SQLite::Database& db) {
    return db.execAndGet("select count(*) from Electric_Data_TG;").getInt64();
}

bool HasTowerBaseTable(SQLite::Database& db) { return db.tableExists(kTable); }

}  // namespace linvara::sql
