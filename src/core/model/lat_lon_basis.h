#pragma once
// What a project knows about how its latitude/longitude relate to its plane
// coordinates: the coordinate system of x/y, when the user named one (an
// import with a projection, 计算经纬度), and, for points whose x/y were
// edited, where their B/L were last right. Kept in tables of our own in the
// project file; the collector's tables never change for it.
#include <optional>
#include <string>
#include <vector>

#include "model/dh_point.h"

namespace linvara {

// The plane coordinate system of a project. `definition` is a PROJ
// definition of x/y (east = x, north = y) from latitude/longitude; other
// systems than Gauss-Krueger zones only need another definition.
struct CoordinateSystem {
    std::string name;               // shown to the user ("CGCS2000 高斯-克吕格 …")
    std::string definition;         // "+proj=tmerc +lat_0=0 +lon_0=114 …"
    std::vector<int> zonePrefixes;  // zone numbers that may stand before the east coordinate
    bool operator==(const CoordinateSystem&) const = default;
};

// B/L a point had while it stood at (north, east): recorded the first time
// an edit moves a point with B/L. A point that still has these B/L but
// stands elsewhere has B/L that no longer match; taking the move back makes
// them match again, with nothing else to restore.
struct LatLonOrigin {
    std::string gpsId;
    double latitude = 0, longitude = 0;
    double north = 0, east = 0;
};

struct LatLonBasis {
    std::optional<CoordinateSystem> system;
    std::vector<LatLonOrigin> origins;
};

// B/L closer than this (degrees, about 0.1 mm) are the same values: stored
// values are rounded to ten decimals.
inline constexpr double kSameLatLonDegrees = 1e-9;

// Whether the point has latitude/longitude: both finite and not both 0.
bool HasLatLon(const DHPoint& point);

// The origin recorded for this point with these B/L, or null.
const LatLonOrigin* FindOrigin(const LatLonBasis& basis, const std::string& gpsId, double latitude,
                               double longitude);

// What an edit from `was` to `edited` records: the origin of `was` when the
// edit moves a placed point that has B/L and leaves its B/L as they were;
// none otherwise.
std::optional<LatLonOrigin> OriginOfMove(const DHPoint& was, const DHPoint& edited);

}  // namespace linvara
