// The statements a project merge runs on its target and its sources.
#include <SQLiteCpp/SQLiteCpp.h>

#include "db/db_detail.h"
#include "db/project_database.h"
#include "db/tower_base_rows.h"

namespace linvara {
namespace {

constexpr const char* kAppendPoint =
    "Insert Into Electric_DH_Export  "
    "([GPS_ID],[HostIMEI],[OrgPtName],[NewPtName],[Dx],[Dy],[Dh],[B],[L],[H],[Code],"
    "[AntHight],[SaveDateTime],"
    "[DHType],[Mileage],[Offset],[DiffHight],"
    "[PoleType],[PoleName],[PoleModel],[LXCode],[CrossAngle],[ObjectCode],[GLCode],"
    "[GLWide],[BZdmPt],[FZdmPt],[AddHight],[StartJ],[EndJ]"
    ")"
    "  VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?);";

constexpr const char* kAppendTowerBaseRow =
    "Insert Into Electric_Data_TG ([Name],[x],[y],[h],[Code],[PegDis],[Midx],[Midy],[Midh],"
    "[PegName],[SubIndex],[Pegx],[Pegy],[Pegh]) VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?);";

}  // namespace

// GPS_ID already carries the source project's title; HostIMEI repeats it.
bool CProjectDatabase::AppendPoints(const DHPointList& list) {
    if (!Reconnect()) return false;
    db_detail::ScopeExit closeAtEnd([this] { Close(); });
    if (list.empty()) return true;
    try {
        SQLite::Transaction transaction(*connection_);
        sql::Statement insert(*connection_, kAppendPoint);
        for (const DHPoint& p : list) {
            sql::Binder(insert)
                .Text(p.GPS_ID).Text(p.GPS_ID).Text(p.OrgPtName).Text(p.NewPtName)
                .Real(p.Dx, 4).Real(p.Dy, 4).Real(p.Dh, 4)
                .Real(p.B, 10).Real(p.L, 10).Real(p.H, 4).Text(p.Code)
                .Real(p.AntHight, 4).Text(p.SaveDateTime)
                .Int(p.DHType).Real(p.Mileage, 3).Real(p.Offset, 3).Real(p.DiffHight, 3)
                .Int(p.PoleType).Text("").Text("").Int(p.LXCode).Printed(p.CrossAngle, 10).Int(p.ObjectCode)
                .Int(p.GLCode).Printed(p.GLWide, 4).Text(p.BZdmPt).Text(p.FZdmPt).Printed(p.AddHight, 4)
                .Text(p.StartJ).Text(p.EndJ)
                .Run();
        }
        transaction.commit();
        return true;
    } catch (const SQLite::Exception&) {
        return false;
    }
}

bool CProjectDatabase::AppendOrder(const DHPointList& list) { return WriteOrderRows(list, false); }

std::vector<TGDataUnit> CProjectDatabase::ReadTowerBaseRows() {
    std::vector<TGDataUnit> rows;
    if (!Reconnect()) return rows;
    db_detail::ScopeExit closeAtEnd([this] { Close(); });
    try {
        if (!connection_->tableExists("Electric_Data_TG")) return rows;
        sql::Statement query(*connection_, "select * from Electric_Data_TG;");
        const sql::TowerBaseColumns columns{sql::NamedColumns(query)};
        while (query.Step()) rows.push_back(sql::ReadTowerBaseRow(query, columns));
    } catch (const SQLite::Exception&) {
        reporter_.Error("查找记录出错!");  // the rows read so far stay
    }
    return rows;
}

bool CProjectDatabase::AppendTowerBaseRows(const std::vector<TGDataUnit>& rows) {
    if (!Reconnect()) return false;
    db_detail::ScopeExit closeAtEnd([this] { Close(); });
    if (rows.empty()) return true;
    try {
        SQLite::Transaction transaction(*connection_);
        sql::Statement insert(*connection_, kAppendTowerBaseRow);
        for (const TGDataUnit& r : rows) {
            sql::Binder(insert)
                .Raw(r.Name).Real(r.x, 4).Real(r.y, 4).Real(r.h, 4).Raw(r.Code)
                .Real(r.PegDis, 4).Real(r.Midx, 4).Real(r.Midy, 4).Real(r.Midh, 4)
                .Raw(r.PegName).Int(r.SubIndex).Real(r.Pegx, 4).Real(r.Pegy, 4).Real(r.Pegh, 4)
                .Run();
        }
        transaction.commit();
        return true;
    } catch (const SQLite::Exception&) {
        return false;
    }
}

}  // namespace linvara
