// Large, deterministic collector projects for the benchmarks: a zig-zag route
// of J stakes with straight-line stakes, crossings, one/two/three-point
// features and auxiliary points in every span, stored in survey order.
#pragma once
#include <string>
#include <vector>

#include "model/dh_point_list.h"

namespace linvara::bench {

struct GeneratedPoint {
    std::string gpsId, name, code, startJ, endJ, after, before, angle, width;
    int type = 0;
    double north = 0, east = 0, height = 0;
    int linkCode = 0, poleType = 1, gouType = 0;
    double addHeight = 0;
};

struct GeneratedTowerRow {
    std::string name, pegName;
    double x = 0, y = 0, h = 0, pegDis = 0;
    int subIndex = 0;
    double midx = 0, midy = 0, midh = 0;
};

struct GeneratedProject {
    std::vector<GeneratedPoint> points;
    std::vector<GeneratedTowerRow> towerRows;
};

// About `pointCount` points on a route of `jStakes` J stakes; tower-base
// sections A-D around `towerCentres` stakes spread along the route.
GeneratedProject GenerateProject(int pointCount, int jStakes, int towerCentres);

// Writes the collector's tables only (opening the file creates the working tables).
void WriteCollectorFile(const std::string& path, const GeneratedProject& project);

// The same points as a working list in survey order, as the desktop holds them.
DHPointList ToWorkingList(const GeneratedProject& project);

}  // namespace linvara::bench
