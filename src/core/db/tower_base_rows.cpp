#include "db/tower_base_rows.h"

#include <string>

namespace linvara::sql {

TowerBaseColumns::TowerBaseColumns(const NamedColumns& c)
    : Name(c("Name")), x(c("x")), y(c("y")), h(c("h")), Code(c("Code")), PegDis(c("PegDis")), Midx(c("Midx")),
      Midy(c("Midy")), Midh(c("Midh")), PegName(c("PegName")), SubIndex(c("SubIndex")), Pegx(c("Pegx")),
      Pegy(c("Pegy")), Pegh(c("Pegh")) {}

TGDataUnit ReadTowerBaseRow(const Statement& q, const TowerBaseColumns& c) {
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

}  // namespace linvara::sql
