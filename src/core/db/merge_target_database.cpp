#include "db/merge_target_database.h"

#include <SQLiteCpp/SQLiteCpp.h>
#include <sqlite3.h>

#include <memory>

#include "db/store_helpers.h"
#include "db/export_columns.h"
#include "db/fingerprint.h"
#include "db/lat_lon_tables.h"
#include "db/tower_base_rows.h"
#include "text/format.h"

namespace linvara {
namespace {

constexpr const char* kAppendOrder =
    "Insert Into Electric_DH_Order ([GPS_ID],[Order_OrgPtName],[Order_NewPtName]) VALUES (?,?,?);";

constexpr const char* kAppendTowerBaseRow =
    "Insert Into Electric_Data_TG ([Name],[x],[y],[h],[Code],[PegDis],[Midx],[Midy],[Midh],"
    "[PegName],[SubIndex],[Pegx],[Pegy],[Pegh]) VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?);";

// The values of a tower-base row as a merge stores them.
std::uint64_t TowerRowFingerprint(const TGDataUnit& r) {
    db::Fingerprint f;
    const auto real = [&f](double value, int decimals) {
        const double rounded = text::RoundAsPrinted(value, decimals);
        f.Add(SQLITE_FLOAT, &rounded, sizeof rounded);
    };
    f.AddText(SQLITE_TEXT, r.Name);
    real(r.x, 4), real(r.y, 4), real(r.h, 4);
    f.AddText(SQLITE_TEXT, r.Code);
    real(r.PegDis, 4), real(r.Midx, 4), real(r.Midy, 4), real(r.Midh, 4);
    f.AddText(SQLITE_TEXT, r.PegName);
    const long long subIndex = r.SubIndex;
    f.Add(SQLITE_INTEGER, &subIndex, sizeof subIndex);
    real(r.Pegx, 4), real(r.Pegy, 4), real(r.Pegh, 4);
    return f.Value();
}

void BindTowerRow(sql::Binder&& b, const TGDataUnit& r) {
    b.Raw(r.Name).Real(r.x, 4).Real(r.y, 4).Real(r.h, 4).Raw(r.Code)
        .Real(r.PegDis, 4).Real(r.Midx, 4).Real(r.Midy, 4).Real(r.Midh, 4)
        .Raw(r.PegName).Int(r.SubIndex).Real(r.Pegx, 4).Real(r.Pegy, 4).Real(r.Pegh, 4)
        .Run();
}

}  // namespace

MergeTargetDatabase::MergeTargetDatabase(Reporter& reporter) : project_(reporter) {}

Status MergeTargetDatabase::Open(const std::string& path) {
    if (path.empty()) return Status::Failed("未选择合并文件");
    if (Status created = project_.CreateProjectFile(path); !created) return created;
    return project_.OpenProject(path);
}

Status MergeTargetDatabase::Connect(const std::string& operation, std::unique_ptr<db::ProjectConnection>& connection) {
    if (Status there = db::ProjectFileThere(Path(), operation); !there) return there;
    return db::Connect(Path(), operation, connection);
}

Status MergeTargetDatabase::ReadIndex(MergeTargetIndex& index) {
    index = MergeTargetIndex{};
    const std::string operation = "合并数据文件失败：" + Path();
    std::unique_ptr<db::ProjectConnection> connection;
    if (Status connected = Connect(operation, connection); !connected) return connected;
    try {
        sql::Statement ids(*connection, "SELECT GPS_ID FROM Electric_DH_Export;");
        while (ids.Step()) index.gpsIds.emplace(ids.Bytes(0));
        sql::ReadTowerBaseRows(*connection, [&index](TGDataUnit&& row) { index.towerRows.insert(TowerRowFingerprint(row)); });
        return Status::Ok();
    } catch (const std::exception& e) {
        return db::FailureOf(Path(), operation, e);
    }
}

// Order rows first, then the points, then the tower-base rows, as merges
// have always numbered them. A GPS_ID the target holds, or that came earlier
// in the same source, is left out with its order row. GPS_ID already carries
// the source project's title; HostIMEI repeats it.
Status MergeTargetDatabase::AppendProject(const DHPointList& list, const std::vector<TGDataUnit>& rows,
                                          MergeTargetIndex& index, AppendCounts& counts,
                                          const std::vector<LatLonOrigin>& origins) {
    const std::string operation = "合并数据文件失败：" + Path();
    if (!project_.ReadOnlyReason().empty()) return Status::Failed(project_.ReadOnlyReason());
    std::unique_ptr<db::ProjectConnection> connection;
    if (Status connected = Connect(operation, connection); !connected) return connected;
    MergeTargetIndex added;
    DHPointList points;
    for (const DHPoint& p : list) {
        std::string stored = db::StoredText(p.GPS_ID);
        if (index.gpsIds.count(stored) || !added.gpsIds.insert(std::move(stored)).second) continue;
        points.push_back(p);
    }
    std::vector<const TGDataUnit*> towerRows;
    for (const TGDataUnit& r : rows) {
        const std::uint64_t fingerprint = TowerRowFingerprint(r);
        if (index.towerRows.count(fingerprint) || !added.towerRows.insert(fingerprint).second) continue;
        towerRows.push_back(&r);
    }
    try {
        SQLite::Transaction transaction(*connection);
        sql::Statement order(*connection, kAppendOrder);
        for (const DHPoint& p : points) sql::Binder(order).Text(p.GPS_ID).Text(p.OrgPtName).Text(p.NewPtName).Run();
        sql::Statement insert(*connection, export_table::InsertSql(export_table::Merged).c_str());
        for (const DHPoint& p : points) {
            sql::Binder b(insert);
            export_table::BindPoint(b, p, export_table::Merged);
            b.Run();
        }
        sql::Statement tower(*connection, kAppendTowerBaseRow);
        for (const TGDataUnit* r : towerRows) BindTowerRow(sql::Binder(tower), *r);
        // A moved point's B/L stay marked in the merged project.
        for (const LatLonOrigin& o : origins)
            if (added.gpsIds.count(db::StoredText(o.gpsId))) lat_lon_tables::RecordOrigin(*connection, o);
        transaction.commit();
    } catch (const std::exception& e) {
        return db::FailureOf(Path(), operation, e);  // rolled back: nothing of the source went in
    }
    index.gpsIds.merge(added.gpsIds);
    index.towerRows.merge(added.towerRows);
    counts.points += points.size();
    counts.skippedPoints += list.size() - points.size();
    counts.towerRows += towerRows.size();
    counts.skippedTowerRows += rows.size() - towerRows.size();
    return Status::Ok();
}

}  // namespace linvara
