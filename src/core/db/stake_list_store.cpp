// Moving the working stake list between memory and the working tables.
#include <SQLiteCpp/SQLiteCpp.h>

#include <algorithm>
#include <vector>

#include "db/db_detail.h"
#include "db/project_database.h"

namespace linvara {
namespace {

using sql::Binder;
using db_detail::GbText;

// Route order is the order of Electric_DH_Order; an order row whose point
// was deleted joins nothing.
constexpr const char* kReadStakeList =
    "SELECT  Electric_DH_Export.* FROM Electric_DH_Order INNER JOIN Electric_DH_Export "
    "ON Electric_DH_Order.GPS_ID=Electric_DH_Export.GPS_ID ORDER BY Electric_DH_Order.Order_ID;";

constexpr const char* kUpdatePoint =
    "update Electric_DH_Export set NewPtName=?,Dx=?,Dy=?,Dh=?,Code=?,DHType=?,Mileage=?, Offset=?,PoleType=?,"
    "LXCode=?,CrossAngle=?,ObjectCode=?,GLCode=?,GLWide=?,BZdmPt=?,FZdmPt=?,AddHight=?,StartJ=?,EndJ=?, "
    "B=?,L=?,H=? where ID=?";

// As above without DHType: saving the list never changes a point's kind.
constexpr const char* kUpdateListPoint =
    "update Electric_DH_Export set NewPtName=?,Dx=?,Dy=?,Dh=?,Code=?,Mileage=?, Offset=?,PoleType=?,"
    "LXCode=?,CrossAngle=?,ObjectCode=?,GLCode=?,GLWide=?,BZdmPt=?,FZdmPt=?,AddHight=?,StartJ=?,EndJ=?,"
    "B=?,L=?,H=? where ID=?";

constexpr const char* kInsertOrder =
    "Insert Into Electric_DH_Order ([GPS_ID],[Order_OrgPtName],[Order_NewPtName]) VALUES (?,?,?);";

constexpr const char* kInsertPoint =
    "INSERT INTO Electric_DH_Export( GPS_ID,NewPtName, OrgPtName, Dx,Dy,Dh,B,L,H, Code,Note,AntHight,"
    "SaveDateTime, DHType,Mileage,Offset,DiffHight,PoleType, LXCode,CrossAngle,ObjectCode,GLCode,GLWide, "
    "BZdmPt,FZdmPt,AddHight,StartJ,EndJ)  VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?);";

constexpr const char* kInsertPointOrder =
    "INSERT INTO Electric_DH_Order( GPS_ID, Order_NewPtName, Order_OrgPtName)  VALUES (?,?,?);";

struct ExportColumns {
    int ID, DHType, GPS_ID, NewPtName, OrgPtName, Dx, Dy, Dh, B, L, H, Code, Note, AntHight, Mileage, Offset,
        PoleType, LXCode, CrossAngle, GLCode, ObjectCode, GLWide, BZdmPt, FZdmPt, AddHight, StartJ, EndJ;

    explicit ExportColumns(const sql::NamedColumns& c)
        : ID(c("ID")), DHType(c("DHType")), GPS_ID(c("GPS_ID")), NewPtName(c("NewPtName")),
          OrgPtName(c("OrgPtName")), Dx(c("Dx")), Dy(c("Dy")), Dh(c("Dh")), B(c("B")), L(c("L")), H(c("H")),
          Code(c("Code")), Note(c("Note")), AntHight(c("AntHight")), Mileage(c("Mileage")),
          Offset(c("Offset")), PoleType(c("PoleType")), LXCode(c("LXCode")), CrossAngle(c("CrossAngle")),
          GLCode(c("GLCode")), ObjectCode(c("ObjectCode")), GLWide(c("GLWide")), BZdmPt(c("BZdmPt")),
          FZdmPt(c("FZdmPt")), AddHight(c("AddHight")), StartJ(c("StartJ")), EndJ(c("EndJ")) {}
};

DHPoint ReadPoint(const sql::Statement& q, const ExportColumns& c) {
    DHPoint p;
    p.ID = q.Int(c.ID);
    p.DHType = q.Int(c.DHType);
    p.GPS_ID = GbText(q, c.GPS_ID);
    p.NewPtName = GbText(q, c.NewPtName);
    p.OrgPtName = GbText(q, c.OrgPtName);
    p.Dx = q.Real(c.Dx);
    p.Dy = q.Real(c.Dy);
    p.Dh = q.Real(c.Dh);
    p.B = q.Real(c.B);
    p.L = q.Real(c.L);
    p.H = q.Real(c.H);
    p.Code = GbText(q, c.Code);
    p.Note = GbText(q, c.Note);
    p.AntHight = q.Real(c.AntHight);
    p.Mileage = q.Real(c.Mileage);
    p.Offset = q.Real(c.Offset);
    p.PoleType = q.Int(c.PoleType);
    p.LXCode = q.Int(c.LXCode);
    p.CrossAngle = q.Real(c.CrossAngle);
    p.GLCode = q.Int(c.GLCode);
    p.ObjectCode = q.Int(c.ObjectCode);
    p.GLWide = q.Real(c.GLWide);
    p.BZdmPt = GbText(q, c.BZdmPt);
    p.FZdmPt = GbText(q, c.FZdmPt);
    p.AddHight = q.Real(c.AddHight);
    p.StartJ = GbText(q, c.StartJ);
    p.EndJ = GbText(q, c.EndJ);
    return p;
}

// The values the two update statements share, up to the point's kind.
void BindUpdateHead(Binder& b, const DHPoint& p) {
    b.Text(p.NewPtName).Real(p.Dx, 4).Real(p.Dy, 4).Real(p.Dh, 4).Text(p.Code);
}

void BindUpdateTail(Binder& b, const DHPoint& p) {
    b.Real(p.Mileage, 4).Real(p.Offset, 4).Int(p.PoleType).Int(p.LXCode).Real(p.CrossAngle, 8)
        .Int(p.ObjectCode).Int(p.GLCode).Real(p.GLWide, 4).Text(p.BZdmPt).Text(p.FZdmPt).Real(p.AddHight, 4)
        .Text(p.StartJ).Text(p.EndJ).Real(p.B, 10).Real(p.L, 10).Real(p.H, 4).Int(p.ID);
}

// Rows visited in the order they are stored touch each page once; in route
// order a large table no longer fits SQLite's page cache and a save spills
// pages to disk mid-transaction. Equal IDs keep their list order, so the
// last one still wins.
std::vector<const DHPoint*> InIdOrder(const DHPointList& list) {
    std::vector<const DHPoint*> sorted;
    sorted.reserve(list.size());
    for (const DHPoint& p : list) sorted.push_back(&p);
    const auto byId = [](const DHPoint* a, const DHPoint* b) { return a->ID < b->ID; };
    if (!std::is_sorted(sorted.begin(), sorted.end(), byId)) std::stable_sort(sorted.begin(), sorted.end(), byId);
    return sorted;
}

}  // namespace

DHPointList CProjectDatabase::ReadStakeList() {
    bool ok = true;
    return ReadStakeList(ok);
}

DHPointList CProjectDatabase::ReadStakeList(bool& ok) {
    DHPointList list;
    ok = false;
    if (!Reconnect()) return list;
    db_detail::ScopeExit closeAtEnd([this] { Close(); });
    try {
        sql::Statement query(*connection_, kReadStakeList);
        const ExportColumns columns{sql::NamedColumns(query)};
        while (query.Step()) {
            list.push_back(ReadPoint(query, columns));
            list.back().OrderIndex = static_cast<int>(list.size()) - 1;
        }
        ok = true;
    } catch (const SQLite::Exception&) {
        reporter_.Error("查找记录出错!");  // the rows read so far stay
    }
    return list;
}

bool CProjectDatabase::UpdatePoint(const DHPoint& point) {
    if (!Reconnect()) return false;
    db_detail::ScopeExit closeAtEnd([this] { Close(); });
    try {
        sql::Statement update(*connection_, kUpdatePoint);
        Binder b(update);
        BindUpdateHead(b, point);
        b.Int(point.DHType);
        BindUpdateTail(b, point);
        b.Run();
        return true;
    } catch (const SQLite::Exception&) {
        return false;
    }
}

bool CProjectDatabase::UpdateAllPoints(const DHPointList& list) {
    if (!Reconnect()) return false;
    db_detail::ScopeExit closeAtEnd([this] { Close(); });
    if (list.empty()) return true;
    try {
        SQLite::Transaction transaction(*connection_);
        sql::Statement update(*connection_, kUpdateListPoint);
        for (const DHPoint* point : InIdOrder(list)) {
            const DHPoint& p = *point;
            Binder b(update);
            BindUpdateHead(b, p);
            BindUpdateTail(b, p);
            b.Run();
        }
        transaction.commit();
        return true;
    } catch (const SQLite::Exception&) {
        return false;
    }
}

bool CProjectDatabase::RewriteOrder(const DHPointList& list) { return WriteOrderRows(list, true); }

// One order row per point in list order, after the existing rows or in place
// of them; Order_ID then carries the route order.
bool CProjectDatabase::WriteOrderRows(const DHPointList& list, bool replaceExisting) {
    if (!Reconnect()) return false;
    db_detail::ScopeExit closeAtEnd([this] { Close(); });
    if (list.empty()) return true;
    try {
        SQLite::Transaction transaction(*connection_);
        if (replaceExisting) connection_->exec("delete from Electric_DH_Order;");
        sql::Statement insert(*connection_, kInsertOrder);
        for (const DHPoint& p : list) Binder(insert).Text(p.GPS_ID).Text(p.OrgPtName).Text(p.NewPtName).Run();
        transaction.commit();
        return true;
    } catch (const SQLite::Exception&) {
        return false;
    }
}

// A new point goes last in the route; the next save writes its place. Its
// OrgPtName column starts as the name it was created with.
bool CProjectDatabase::InsertPoint(DHPoint& point) {
    if (!Reconnect()) return false;
    db_detail::ScopeExit closeAtEnd([this] { Close(); });
    try {
        SQLite::Transaction transaction(*connection_);
        sql::Statement insert(*connection_, kInsertPoint);
        const DHPoint& p = point;
        Binder(insert)
            .Text(p.GPS_ID).Text(p.NewPtName).Text(p.NewPtName).Real(p.Dx, 4).Real(p.Dy, 4).Real(p.Dh, 4)
            .Real(p.B, 10).Real(p.L, 10).Real(p.H, 4).Text(p.Code).Text(p.Note).Real(p.AntHight, 4)
            .Text(p.SaveDateTime).Int(p.DHType).Real(p.Mileage, 4).Real(p.Offset, 4).Real(p.DiffHight, 4)
            .Int(p.PoleType).Int(p.LXCode).Real(p.CrossAngle, 8).Int(p.ObjectCode).Int(p.GLCode)
            .Real(p.GLWide, 4).Text(p.BZdmPt).Text(p.FZdmPt).Real(p.AddHight, 4).Text(p.StartJ).Text(p.EndJ)
            .Run();
        const long long id = connection_->getLastInsertRowid();
        sql::Statement order(*connection_, kInsertPointOrder);
        Binder(order).Text(p.GPS_ID).Text(p.NewPtName).Text(p.OrgPtName).Run();
        transaction.commit();
        point.ID = static_cast<int>(id);
        return true;
    } catch (const SQLite::Exception&) {
        return false;  // nothing stored; the caller says so
    }
}

bool CProjectDatabase::DeletePoint(int id) {
    if (!Reconnect()) return false;
    db_detail::ScopeExit closeAtEnd([this] { Close(); });
    try {
        SQLite::Statement remove(*connection_, "Delete from Electric_DH_Export where ID=?");
        remove.bind(1, id);
        remove.exec();
        return true;
    } catch (const SQLite::Exception&) {
        return false;
    }
}

}  // namespace linvara
