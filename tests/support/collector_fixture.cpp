#include "support/collector_fixture.h"

#include <SQLiteCpp/SQLiteCpp.h>

#include <filesystem>

#include "import/collector_project.h"

namespace linvara::testing {

std::string CollectorSchemaSql() {
    // The tower-base table as collectors write it, spread over lines.
    return std::string(import::CollectorSurveyTablesSql()) + R"SQL(
CREATE TABLE [Electric_Data_TG] (	[ID] INTEGER PRIMARY KEY,	[Name] CHAR,	[x] DOUBLE,	[y] DOUBLE,	[h] DOUBLE,
  [Code] CHAR,	[PegDis] DOUBLE,	[HDiff] DOUBLE,	[PegName] CHAR,	[SubIndex] INTEGER,	[GPS_ID] CHAR,
  [Midx] DOUBLE,	[Midy] DOUBLE,	[Midh] DOUBLE,	[Pegx] DOUBLE,	[Pegy] DOUBLE,	[Pegh] DOUBLE,[HostIMEI] CHAR);
)SQL";
}

void WriteCollectorProject(const std::string& path, const std::vector<CollectorPoint>& points,
                           const std::vector<CollectorTowerRow>& towerRows) {
    std::filesystem::remove(path);
    SQLite::Database db(path, SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE);
    db.exec(CollectorSchemaSql());
    SQLite::Transaction tx(db);
    SQLite::Statement point(db,
        "INSERT INTO Point (GPSID, Name, CODE, North, East, Height, Latitude, Longitude, Altitude, StartTime, "
        "HostIMEI, DeleteSign) VALUES (?,?,?,?,?,?,?,?,?,?,?,?)");
    SQLite::Statement dh(db,
        "INSERT INTO Electric_Data_DH (GPS_ID, Type, Type_Note, [Index], LinkCode, LinkCode_Note, PoleType, "
        "PoleType_Note, AddHeight, GLAngleOrLength, GLWidth, GouType, GouType_Note, StartJ, EndJ, PtAfterSel, "
        "PtBeforSel) VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)");
    int index = 0;
    for (const CollectorPoint& p : points) {
        point.reset();
        point.bind(1, p.gpsId);
        point.bind(2, p.name);
        point.bind(3, p.code);
        point.bind(4, p.north);
        point.bind(5, p.east);
        point.bind(6, p.height);
        point.bind(7, p.latitude);
        point.bind(8, p.longitude);
        point.bind(9, p.altitude);
        point.bind(10, p.startTime);
        point.bind(11, p.hostImei);
        if (p.deleteSignNull) point.bind(12); else point.bind(12, p.deleteSign);
        point.exec();
        dh.reset();
        dh.bind(1, p.gpsId);
        dh.bind(2, p.type);
        dh.bind(3, "");
        dh.bind(4, index++);
        dh.bind(5, p.linkCode);
        dh.bind(6, "");
        dh.bind(7, p.poleType);
        dh.bind(8, p.poleTypeNote);
        dh.bind(9, p.addHeight);
        dh.bind(10, p.glAngleOrLength);
        dh.bind(11, p.glWidth);
        dh.bind(12, p.gouType);
        dh.bind(13, "");
        dh.bind(14, p.startJ);
        dh.bind(15, p.endJ);
        dh.bind(16, p.ptAfterSel);
        dh.bind(17, p.ptBeforSel);
        dh.exec();
    }
    SQLite::Statement tg(db,
        "INSERT INTO Electric_Data_TG (Name, x, y, h, Code, PegDis, HDiff, PegName, SubIndex, GPS_ID, Midx, Midy, "
        "Midh, Pegx, Pegy, Pegh, HostIMEI) VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)");
    int tgIndex = 0;
    for (const CollectorTowerRow& r : towerRows) {
        tg.reset();
        tg.bind(1, r.name);
        tg.bind(2, r.x);
        tg.bind(3, r.y);
        tg.bind(4, r.h);
        tg.bind(5, r.code);
        tg.bind(6, r.pegDis);
        tg.bind(7, r.h - r.midh);
        tg.bind(8, r.pegName);
        tg.bind(9, r.subIndex);
        tg.bind(10, "TG" + std::to_string(++tgIndex));
        tg.bind(11, r.midx);
        tg.bind(12, r.midy);
        tg.bind(13, r.midh);
        tg.bind(14, r.pegx);
        tg.bind(15, r.pegy);
        tg.bind(16, r.pegh);
        tg.bind(17, "860000000000001");
        tg.exec();
    }
    tx.commit();
}

}  // namespace linvara::testing
