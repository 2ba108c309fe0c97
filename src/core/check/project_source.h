#pragma once
#include <string>
#include <vector>

#include "check/stored_values.h"
#include "model/dh_point_list.h"
#include "model/lat_lon_basis.h"
#include "project/project.h"
#include "reporter.h"
#include "status.h"

namespace linvara::check {

// What a check of a project file looks at.
struct CheckSource {
    DHPointList points;     // the working stake list, as opening the project gives it
    SectionPointList towerBase;  // Electric_Data_TG as the TOW file carries it (SubIndex 1 = A)
    LatLonBasis latLon;          // the project's coordinate system and B/L origins
    std::vector<std::string> schemaCode;  // the file's triggers and views ("<name>（触发器）")
    StoredValueTroubles stored;           // values of the working table no output can carry
};

// Opens the project as the desktop program does (which prepares its working
// tables on the first open) and reads both; nothing is saved. Messages of
// the opening go to `reporter`.
Status ReadCheckSource(const std::string& path, Reporter& reporter, CheckSource& source);

// The tower-base rows of the open project as section points, in table order.
Status ReadTowerBasePoints(const Project& project, SectionPointList& points);

}  // namespace linvara::check
