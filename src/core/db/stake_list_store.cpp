// Moving the working stake list between memory and the working tables.
#include <SQLiteCpp/SQLiteCpp.h>
#include <sqlite3.h>

#include <algorithm>
#include <unordered_set>
#include <vector>

#include "db/store_helpers.h"
#include "db/export_columns.h"
#include "db/fingerprint.h"
#include "db/lat_lon_tables.h"
#include "db/project_database.h"
#include "text/encoding.h"

namespace linvara {
namespace {

using sql::Binder;

// Route order is the order of Electric_DH_Order; an order row whose point
// was deleted joins nothing.
// The order row's own columns come last, after every column of the point.
constexpr const char* kReadStakeList =
    "SELECT  Electric_DH_Export.*, Electric_DH_Order.Order_ID, Electric_DH_Order.GPS_ID AS Order_GPS_ID, "
    "Electric_DH_Order.Order_OrgPtName, Electric_DH_Order.Order_NewPtName "
    "FROM Electric_DH_Order INNER JOIN Electric_DH_Export "
    "ON Electric_DH_Order.GPS_ID=Electric_DH_Export.GPS_ID ORDER BY Electric_DH_Order.Order_ID;";

// Both looked up in the table's key, without reading its rows.
constexpr const char* kOrderRange = "SELECT min(Order_ID), max(Order_ID) FROM Electric_DH_Order;";

constexpr const char* kInsertOrder =
    "Insert Into Electric_DH_Order ([GPS_ID],[Order_OrgPtName],[Order_NewPtName]) VALUES (?,?,?);";

constexpr const char* kUpdateOrder =
    "UPDATE Electric_DH_Order SET GPS_ID=?,Order_OrgPtName=?,Order_NewPtName=? WHERE Order_ID=?;";

// An order row's fingerprint: the three texts as stored.
std::uint64_t OrderFingerprint(std::string_view gpsId, std::string_view org, std::string_view name) {
    db::Fingerprint f;
    for (std::string_view piece : {gpsId, org, name}) f.AddText(SQLITE_TEXT, piece);
    return f.Value();
}

std::uint64_t OrderFingerprint(const DHPoint& p) {
    db::Fingerprint f;
    for (const std::string* piece : {&p.GPS_ID, &p.OrgPtName, &p.NewPtName}) f.AddStoredText(SQLITE_TEXT, *piece);
    return f.Value();
}

// Rows visited in the order they are stored touch each page once; in route
// order a large table no longer fits SQLite's page cache and a save spills
// pages to disk mid-transaction. Of points that share an ID only the last in
// the list is kept: its values are the ones a row-by-row write leaves. With
// `ids`, only points with those IDs.
std::vector<const DHPoint*> LastOfEachIdInIdOrder(const DHPointList& list, const std::unordered_set<int>* ids) {
    std::vector<const DHPoint*> sorted;
    sorted.reserve(ids ? ids->size() : list.size());
    for (const DHPoint& p : list)
        if (ids == nullptr || ids->count(p.ID)) sorted.push_back(&p);
    const auto byId = [](const DHPoint* a, const DHPoint* b) { return a->ID < b->ID; };
    if (!std::is_sorted(sorted.begin(), sorted.end(), byId)) std::stable_sort(sorted.begin(), sorted.end(), byId);
    std::vector<const DHPoint*> last;
    last.reserve(sorted.size());
    for (std::size_t i = 0; i < sorted.size(); ++i)
        if (i + 1 == sorted.size() || sorted[i + 1]->ID != sorted[i]->ID) last.push_back(sorted[i]);
    return last;
}


}  // namespace

namespace {
constexpr auto kById = [](const std::pair<int, StoredRows::Row>& entry, int id) { return entry.first < id; };
}

const StoredRows::Row* StoredRows::Points::Find(int id) const {
    const auto it = std::lower_bound(rows_.begin(), rows_.end(), id, kById);
    return it != rows_.end() && it->first == id ? &it->second : nullptr;
}

void StoredRows::Points::Set(int id, const Row& row) {
    const auto it = std::lower_bound(rows_.begin(), rows_.end(), id, kById);
    if (it != rows_.end() && it->first == id)
        it->second = row;
    else
        rows_.emplace(it, id, row);
}

void StoredRows::Points::Erase(int id) {
    const auto it = std::lower_bound(rows_.begin(), rows_.end(), id, kById);
    if (it != rows_.end() && it->first == id) rows_.erase(it);
}

void StoredRows::Points::Sort() {
    const auto byId = [](const auto& a, const auto& b) { return a.first < b.first; };
    std::stable_sort(rows_.begin(), rows_.end(), byId);
    // Keep the last of each ID: reverse, keep the first, reverse back.
    std::reverse(rows_.begin(), rows_.end());
    rows_.erase(std::unique(rows_.begin(), rows_.end(), [](const auto& a, const auto& b) { return a.first == b.first; }),
                rows_.end());
    std::reverse(rows_.begin(), rows_.end());
}

// Order rows that join no point (their point was deleted) are not read: the
// table then holds more rows than were read, and the next save rewrites it.
void ProjectDatabase::ReadStored(StoredRows& stored, DHPointList* list) {
    stored = StoredRows{};
    long long lastOrderId = 0;
    {
        sql::Statement query(*connection_, kReadStakeList);
        const export_table::ReadColumns columns(query);
        const sql::NamedColumns named(query);
        const int id = named("ID"), kind = named("DHType"), orderId = named("Order_ID");
        const int orderGpsId = named("Order_GPS_ID"), orderOrg = named("Order_OrgPtName");
        const int orderName = named("Order_NewPtName");
        // An order row joins every point of its GPS_ID and a GPS_ID may have
        // several order rows: a point is listed once, where it first appears.
        db::SeenIds listed(connection_->execAndGet("SELECT max(ID) FROM Electric_DH_Export").getInt64());
        // Room for every point at once: a list grown by doubling holds both
        // its old and new arrays at the end, half as much again at its peak.
        long long total = 0;
        if (list != nullptr) {
            total = connection_->execAndGet("SELECT count(*) FROM Electric_DH_Order").getInt64();
            list->reserve(static_cast<std::size_t>(total));
        }
        while (query.Step()) {
            if (const long long at = query.Int64(orderId); at != lastOrderId) {
                lastOrderId = at;
                stored.order.push_back(
                    OrderFingerprint(query.Bytes(orderGpsId), query.Bytes(orderOrg), query.Bytes(orderName)));
            }
            if (!listed.Insert(query.Int(id))) continue;
            std::uint64_t fingerprint = 0;
            if (list != nullptr) {
                list->push_back(columns.ReadPoint(query, &fingerprint));
                list->back().OrderIndex = static_cast<int>(list->size()) - 1;
                // A window opening 100 000 points shows how far it got.
                if ((list->size() & 4095) == 0) reporter_.Progress(static_cast<long long>(list->size()), total);
            } else {
                fingerprint = columns.RowFingerprint(query);
            }
            stored.points.Append(query.Int(id), {fingerprint, query.Int(kind)});
        }
    }
    stored.points.Sort();
    // n distinct Order_IDs read, all of them between 1 and n: the table holds
    // exactly those.
    sql::Statement range(*connection_, kOrderRange);
    range.Step();
    const auto rows = static_cast<long long>(stored.order.size());
    stored.orderNumbered = rows == 0 || (range.Int64(0) == 1 && range.Int64(1) == rows);
}

Status ProjectDatabase::ReadStakeList(DHPointList& list, StoredRows* stored) {
    list.clear();
    if (Status connected = Reconnect("查找记录出错!"); !connected) return connected;
    db::ScopeExit closeAtEnd([this] { Close(); });
    StoredRows read;
    try {
        ReadStored(read, &list);
    } catch (const std::exception& e) {
        return Failure("查找记录出错!", e);  // the rows read so far stay
    }
    if (stored != nullptr) *stored = std::move(read);
    return Status::Ok();
}

Status ProjectDatabase::ReadStoredRows(StoredRows& stored) {
    if (Status connected = Reconnect("查找记录出错!"); !connected) return connected;
    db::ScopeExit closeAtEnd([this] { Close(); });
    try {
        ReadStored(stored, nullptr);
        return Status::Ok();
    } catch (const std::exception& e) {
        return Failure("查找记录出错!", e);
    }
}

Status ProjectDatabase::SaveList(const DHPointList& list, StoredRows& stored, const SaveScope& scope,
                                  std::optional<std::uint32_t> seenCounter, RowEdits* edits) {
    // An empty list has never cleared the tables; only the rows a command removed go.
    if (list.empty() && edits == nullptr) return Status::Ok();
    const std::string failure = edits != nullptr && !edits->failure.empty() ? edits->failure : "保存失败：" + path_;
    if (Status connected = Reconnect(failure, Access::Write); !connected) return connected;
    db::ScopeExit closeAtEnd([this] { Close(); });
    try {
        // Taking the write lock first keeps other writers out between the
        // check below and the commit.
        SQLite::Transaction transaction(*connection_, SQLite::TransactionBehavior::IMMEDIATE);
        if (!scope.writeAll && (!seenCounter || ChangeCounter() != seenCounter)) {
            StoredRows now;
            ReadStored(now, nullptr);
            if (!(now == stored)) return Status::Conflict("工程文件已被其他程序修改：" + path_);
        }
        StoredRows written = stored;
        if (edits != nullptr) ApplyRowEdits(*edits, written);
        WritePoints(list, written, written, scope);
        if (!list.empty() && (scope.writeAll || scope.order)) WriteOrder(list, written, scope.writeAll);
        transaction.commit();
        stored = std::move(written);
        return Status::Ok();
    } catch (const std::exception& e) {
        if (edits != nullptr)
            for (DHPoint* point : edits->added) point->ID = -1;
        return Failure(failure, e);  // rolled back: the old list stays whole
    }
}

namespace {

// The current row of a "SELECT * FROM Electric_DH_Export" query, value by value.
StoredRow RowFrom(SQLite::Statement& query, const StoredRows& stored) {
    StoredRow row;
    row.id = query.getColumn("ID").getInt();
    if (const StoredRows::Row* known = stored.points.Find(row.id)) row.stored = *known;
    for (int c = 0; c < query.getColumnCount(); ++c) {
        const SQLite::Column column = query.getColumn(c);
        StoredRow::Value value;
        value.type = column.getType();
        if (value.type == SQLITE_INTEGER) value.integer = column.getInt64();
        if (value.type == SQLITE_FLOAT) value.real = column.getDouble();
        if (value.type == SQLITE_TEXT || value.type == SQLITE_BLOB)
            value.bytes.assign(static_cast<const char*>(column.getBlob()), static_cast<std::size_t>(column.getBytes()));
        row.values.push_back(std::move(value));
    }
    return row;
}

}  // namespace

StoredRow ProjectDatabase::ReadRow(int id, const StoredRows& stored) {
    SQLite::Statement query(*connection_, "SELECT * FROM Electric_DH_Export WHERE ID=?");
    query.bind(1, id);
    if (!query.executeStep()) return StoredRow{id, {}, {}};
    return RowFrom(query, stored);
}

Status ProjectDatabase::ReadRows(const StoredRows& stored, std::vector<StoredRow>& rows) {
    rows.clear();
    if (Status connected = Reconnect("查找记录出错!"); !connected) return connected;
    db::ScopeExit closeAtEnd([this] { Close(); });
    try {
        SQLite::Statement query(*connection_, "SELECT * FROM Electric_DH_Export ORDER BY ID");
        while (query.executeStep()) rows.push_back(RowFrom(query, stored));
        return Status::Ok();
    } catch (const std::exception& e) {
        return Failure("查找记录出错!", e);
    }
}

namespace {

void InsertRow(SQLite::Database& db, const StoredRow& row) {
    std::string sql = "INSERT INTO Electric_DH_Export VALUES (";
    for (std::size_t i = 0; i < row.values.size(); ++i) sql += i == 0 ? "?" : ",?";
    SQLite::Statement insert(db, sql + ");");
    for (std::size_t i = 0; i < row.values.size(); ++i) {
        const StoredRow::Value& v = row.values[i];
        const int at = static_cast<int>(i) + 1;
        switch (v.type) {
        case SQLITE_INTEGER: insert.bind(at, static_cast<std::int64_t>(v.integer)); break;
        case SQLITE_FLOAT: insert.bind(at, v.real); break;
        case SQLITE_TEXT: insert.bind(at, v.bytes); break;
        case SQLITE_BLOB: insert.bind(at, v.bytes.data(), static_cast<int>(v.bytes.size())); break;
        default: insert.bind(at); break;
        }
    }
    insert.exec();
}

}  // namespace

// Rows of a deleted point keep their fingerprint: a row listed before is
// listed again exactly as it was.
void ProjectDatabase::ApplyRowEdits(RowEdits& edits, StoredRows& written) {
    if (edits.deleteAll) {
        connection_->exec("DELETE FROM Electric_DH_Export;");
        written.points = StoredRows::Points{};
    }
    if (!edits.deleted.empty()) {
        SQLite::Statement remove(*connection_, "DELETE FROM Electric_DH_Export WHERE ID=?");
        for (int id : edits.deleted) {
            if (edits.deletedRows != nullptr) edits.deletedRows->push_back(ReadRow(id, written));
            remove.bind(1, id);
            remove.exec();
            remove.reset();
            written.points.Erase(id);
        }
    }
    if (edits.restored != nullptr)
        for (const StoredRow& row : *edits.restored) {
            if (row.values.empty()) continue;
            InsertRow(*connection_, row);
            if (row.stored.fingerprint != 0) written.points.Set(row.id, row.stored);
        }
    if (edits.coordinateSystem != nullptr) lat_lon_tables::WriteSystem(*connection_, *edits.coordinateSystem);
    if (edits.added.empty()) return;
    sql::Statement insert(*connection_, export_table::InsertSql(export_table::Added).c_str());
    for (DHPoint* point : edits.added) {
        // The OrgPtName column starts as the name the point was created with.
        DHPoint row = *point;
        row.OrgPtName = point->NewPtName;
        Binder b(insert);
        export_table::BindPoint(b, row, export_table::Added);
        b.Run();
        point->ID = static_cast<int>(connection_->getLastInsertRowid());
        written.points.Set(point->ID, {export_table::StoredFingerprint(*point, point->DHType), point->DHType});
    }
}

void ProjectDatabase::WritePoints(const DHPointList& list, const StoredRows& stored, StoredRows& written,
                                   const SaveScope& scope) {
    sql::Statement update(*connection_, export_table::UpdateSql(export_table::Saved).c_str());
    for (const DHPoint* point : LastOfEachIdInIdOrder(list, scope.writeAll ? nullptr : scope.ids)) {
        const StoredRows::Row* was = stored.points.Find(point->ID);
        const int kind = was != nullptr ? was->kind : point->DHType;
        StoredRows::Row row{0, kind};
        Binder b(update);
        if (scope.writeAll) {
            row.fingerprint = export_table::BindSaved(b, *point, kind);
        } else {
            row.fingerprint = export_table::StoredFingerprint(*point, kind);
            if (was != nullptr && *was == row) continue;
            export_table::BindPoint(b, *point, export_table::Saved);
        }
        b.Run();
        if (sqlite3_changes(connection_->getHandle()) > 0) written.points.Set(point->ID, row);
    }
}

namespace {

// The order table written anew, Order_ID 1..n, and each row's fingerprint
// taken from its texts as bound, so each is converted once.
std::vector<std::uint64_t> RewriteOrder(SQLite::Database& db, const DHPointList& list) {
    std::vector<std::uint64_t> order;
    order.reserve(list.size());
    db.exec("delete from Electric_DH_Order;");
    sql::Statement insert(db, kInsertOrder);
    for (const DHPoint& p : list) {
        db::Fingerprint f;
        Binder b(insert);
        for (const std::string* piece : {&p.GPS_ID, &p.OrgPtName, &p.NewPtName}) {
            b.Text(*piece);
            f.AddText(SQLITE_TEXT, b.LastText());
        }
        b.Run();
        order.push_back(f.Value());
    }
    return order;
}

}  // namespace

// The route order as one row per point in list order, Order_ID 1..n. Rows
// already numbered that way are rewritten in place where they differ, unless
// most differ: writing the table anew is then quicker and stores the same.
void ProjectDatabase::WriteOrder(const DHPointList& list, StoredRows& stored, bool writeAll) {
    if (!writeAll && stored.orderNumbered && stored.order.size() == list.size()) {
        std::vector<std::uint64_t> order;
        order.reserve(list.size());
        std::size_t differing = 0;
        for (std::size_t i = 0; i < list.size(); ++i) {
            order.push_back(OrderFingerprint(list[i]));
            differing += order[i] != stored.order[i];
        }
        if (differing <= list.size() / 2) {
            sql::Statement update(*connection_, kUpdateOrder);
            for (std::size_t i = 0; i < list.size(); ++i) {
                if (order[i] == stored.order[i]) continue;
                const DHPoint& p = list[i];
                Binder(update).Text(p.GPS_ID).Text(p.OrgPtName).Text(p.NewPtName).Int(static_cast<int>(i) + 1).Run();
            }
            stored.order = std::move(order);
            return;
        }
    }
    stored.order = RewriteOrder(*connection_, list);
    stored.orderNumbered = true;
}

Status ProjectDatabase::UpdatePoint(const DHPoint& point, StoredRows& stored, const LatLonOrigin* origin) {
    if (Status connected = Reconnect("修改点失败", Access::Write); !connected) return connected;
    db::ScopeExit closeAtEnd([this] { Close(); });
    try {
        SQLite::Transaction transaction(*connection_);
        bool changed = false;
        {
            sql::Statement update(*connection_, export_table::UpdateSql(export_table::Edited).c_str());
            Binder b(update);
            export_table::BindPoint(b, point, export_table::Edited);
            b.Run();
            changed = sqlite3_changes(connection_->getHandle()) > 0;
        }
        if (changed && origin != nullptr) lat_lon_tables::RecordOrigin(*connection_, *origin);
        transaction.commit();
        if (changed) stored.points.Set(point.ID, {export_table::StoredFingerprint(point, point.DHType), point.DHType});
        return Status::Ok();
    } catch (const std::exception& e) {
        return Failure("修改点失败", e);
    }
}

// A new point goes last in the route; the next save writes its place. Its
// OrgPtName column starts as the name it was created with.
Status ProjectDatabase::InsertPoint(DHPoint& point, StoredRows& stored) {
    if (Status connected = Reconnect("添加点失败", Access::Write); !connected) return connected;
    db::ScopeExit closeAtEnd([this] { Close(); });
    try {
        SQLite::Transaction transaction(*connection_);
        sql::Statement insert(*connection_, export_table::InsertSql(export_table::Added).c_str());
        DHPoint row = point;
        row.OrgPtName = point.NewPtName;
        Binder b(insert);
        export_table::BindPoint(b, row, export_table::Added);
        b.Run();
        const long long id = connection_->getLastInsertRowid();
        sql::Statement order(*connection_, kInsertOrder);
        Binder(order).Text(point.GPS_ID).Text(point.OrgPtName).Text(point.NewPtName).Run();
        const long long orderId = connection_->getLastInsertRowid();
        transaction.commit();
        point.ID = static_cast<int>(id);
        stored.points.Set(point.ID, {export_table::StoredFingerprint(point, point.DHType), point.DHType});
        stored.order.push_back(OrderFingerprint(point));
        stored.orderNumbered = stored.orderNumbered && orderId == static_cast<long long>(stored.order.size());
        return Status::Ok();
    } catch (const std::exception& e) {
        return Failure("添加点失败", e);  // nothing stored
    }
}

Status ProjectDatabase::DeletePoints(const std::vector<int>& ids, StoredRows& stored) {
    if (Status connected = Reconnect("删除点失败", Access::Write); !connected) return connected;
    db::ScopeExit closeAtEnd([this] { Close(); });
    try {
        SQLite::Transaction transaction(*connection_);
        sql::Statement remove(*connection_, "Delete from Electric_DH_Export where ID=?");
        for (int id : ids) Binder(remove).Int(id).Run();
        // The deleted points' order rows stay but join nothing, so a read no
        // longer finds them: the order is kept as a read finds it now.
        StoredRows now;
        ReadStored(now, nullptr);
        transaction.commit();
        stored.order = std::move(now.order);
        stored.orderNumbered = now.orderNumbered;
        for (int id : ids) stored.points.Erase(id);
        return Status::Ok();
    } catch (const std::exception& e) {
        return Failure("删除点失败", e);
    }
}

}  // namespace linvara
