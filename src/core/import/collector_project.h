#pragma once
// A new project file as the field collector writes one: its tables Point,
// Electric_Data_DH and an empty Electric_Data_TG, every column the first
// open reads, each point with its own GPS identity and DeleteSign 0. Opening
// it seeds the working tables as for a surveyed project.
#include <span>
#include <string>

#include "import/point_reader.h"
#include "model/lat_lon_basis.h"
#include "status.h"

namespace linvara::import {

struct CollectorStamp {
    std::string gpsIdPrefix;  // each point's GPS_ID is this and its 1-based number, zero-padded
    std::string startTime;    // "YYYY-MM-DD hh:mm:ss" for every point
};

// The CREATE TABLE texts of the collector's Point and Electric_Data_DH.
const char* CollectorSurveyTablesSql();

// Identities and observation time taken from the clock now.
CollectorStamp StampNow();

// Builds the file beside `path` and renames it into place only when complete:
// a failure leaves no file and an existing one as it was. Without `replace`
// an existing file is never touched. With `system` (the projection the
// points were read in) the project remembers its coordinate system.
Status WriteCollectorProject(const std::string& path, std::span<const ImportedPoint> points,
                             const CollectorStamp& stamp, bool replace, const CoordinateSystem* system = nullptr);

}  // namespace linvara::import
