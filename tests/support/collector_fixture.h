#pragma once
#include <string>
#include <vector>

namespace linvara::testing {

// One surveyed point as the collector stores it (tables Point and
// Electric_Data_DH joined by GPS identity).
struct CollectorPoint {
    std::string gpsId;
    std::string name;
    int type = 0;  // DHType
    double north = 0, east = 0, height = 0;
    double latitude = 0, longitude = 0, altitude = 0;
    std::string code;
    int linkCode = 0;
    int poleType = 1;
    std::string poleTypeNote;
    double addHeight = 0;
    std::string glAngleOrLength;  // stored as text, as the collector does
    std::string glWidth;          // stored as text
    int gouType = 0;
    std::string ptAfterSel;       // -> BZdmPt
    std::string ptBeforSel;       // -> FZdmPt
    std::string startJ, endJ;
    std::string startTime = "2026-05-01 09:30:00";
    std::string hostImei = "860000000000001";
    int deleteSign = 0;           // 1 = deleted in the collector
    bool deleteSignNull = false;  // store NULL instead
};

// A collector point with its identity, name, kind and position; the rest as
// declared above.
inline CollectorPoint Surveyed(const std::string& gpsId, const std::string& name, int type, double north = 0,
                               double east = 0, double height = 0) {
    CollectorPoint p;
    p.gpsId = gpsId;
    p.name = name;
    p.type = type;
    p.north = north;
    p.east = east;
    p.height = height;
    return p;
}

// One row of Electric_Data_TG (texts in UTF-8, as the collector writes them).
struct CollectorTowerRow {
    std::string name;
    double x = 0, y = 0, h = 0;
    std::string code;
    double pegDis = 0;
    std::string pegName;
    int subIndex = 0;  // 0 = A
    double midx = 0, midy = 0, midh = 0;
    double pegx = 0, pegy = 0, pegh = 0;
};

// The collector's three tables, created empty. The SQL is the same as the
// demo project's generator uses.
std::string CollectorSchemaSql();

// Creates (or replaces) a collector project file at `path` holding the points
// and tower-base rows given, as the collector writes it: no working tables.
void WriteCollectorProject(const std::string& path, const std::vector<CollectorPoint>& points,
                           const std::vector<CollectorTowerRow>& towerRows = {});

}  // namespace linvara::testing
