// The statements a project merge runs on its target and its sources.
#include <SQLiteCpp/SQLiteCpp.h>

#include "db/db_detail.h"
#include "db/export_columns.h"
#include "db/project_database.h"
#include "db/tower_base_rows.h"

namespace linvara {
namespace {

constexpr const char* kAppendOrder =
    "Insert Into Electric_DH_Order ([GPS_ID],[Order_OrgPtName],[Order_NewPtName]) VALUES (?,?,?);";

constexpr const char* kAppendTowerBaseRow =
    "Insert Into Electric_Data_TG ([Name],[x],[y],[h],[Code],[PegDis],[Midx],[Midy],[Midh],"
    "[PegName],[SubIndex],[Pegx],[Pegy],[Pegh]) VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?);";

}  // namespace

// GPS_ID already carries the source project's title; HostIMEI repeats it.
Status CProjectDatabase::AppendPoints(const DHPointList& list) {
    if (Status connected = Reconnect("合并数据文件失败：" + path_); !connected) return connected;
    db_detail::ScopeExit closeAtEnd([this] { Close(); });
    if (list.empty()) return Status::Ok();
    try {
        SQLite::Transaction transaction(*connection_);
        sql::Statement insert(*connection_, export_table::InsertSql(export_table::Merged).c_str());
        for (const DHPoint& p : list) {
            sql::Binder b(insert);
            export_table::BindPoint(b, p, export_table::Merged);
            b.Run();
        }
        transaction.commit();
        return Status::Ok();
    } catch (const SQLite::Exception& e) {
        return Failure("合并数据文件失败：" + path_, e);
    }
}

// One order row per point in list order, after the existing rows.
Status CProjectDatabase::AppendOrder(const DHPointList& list) {
    if (Status connected = Reconnect("合并数据文件失败：" + path_); !connected) return connected;
    db_detail::ScopeExit closeAtEnd([this] { Close(); });
    if (list.empty()) return Status::Ok();
    try {
        SQLite::Transaction transaction(*connection_);
        sql::Statement insert(*connection_, kAppendOrder);
        for (const DHPoint& p : list)
            sql::Binder(insert).Text(p.GPS_ID).Text(p.OrgPtName).Text(p.NewPtName).Run();
        transaction.commit();
        return Status::Ok();
    } catch (const SQLite::Exception& e) {
        return Failure("合并数据文件失败：" + path_, e);
    }
}

Status CProjectDatabase::ReadTowerBaseRows(std::vector<TGDataUnit>& rows) {
    rows.clear();
    if (Status connected = Reconnect("查找记录出错!"); !connected) return connected;
    db_detail::ScopeExit closeAtEnd([this] { Close(); });
    try {
        if (!connection_->tableExists("Electric_Data_TG")) return Status::Ok();
        sql::Statement query(*connection_, "select * from Electric_Data_TG;");
        const sql::TowerBaseColumns columns{sql::NamedColumns(query)};
        while (query.Step()) rows.push_back(sql::ReadTowerBaseRow(query, columns));
        return Status::Ok();
    } catch (const SQLite::Exception& e) {
        return Failure("查找记录出错!", e);  // the rows read so far stay
    }
}

Status CProjectDatabase::AppendTowerBaseRows(const std::vector<TGDataUnit>& rows) {
    if (Status connected = Reconnect("合并数据文件失败：" + path_); !connected) return connected;
    db_detail::ScopeExit closeAtEnd([this] { Close(); });
    if (rows.empty()) return Status::Ok();
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
        return Status::Ok();
    } catch (const SQLite::Exception& e) {
        return Failure("合并数据文件失败：" + path_, e);
    }
}

}  // namespace linvara
