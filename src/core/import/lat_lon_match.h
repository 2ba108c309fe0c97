#pragma once
// Whether a point's latitude/longitude still belong to its plane
// coordinates: B/L that follow an edit of x/y where the project knows its
// coordinate system, and the points whose B/L an edit left behind.
#include <cstddef>
#include <optional>
#include <vector>

#include "model/dh_point_list.h"
#include "model/lat_lon_basis.h"

namespace linvara {
class GaussKruger;
}

namespace linvara::import {

// B/L farther than this (metres) from x/y put the point elsewhere.
inline constexpr double kLatLonTolerance = 0.5;

// `edited` with B/L computed from its new x/y when the edit moves a point
// that has B/L and leaves them as they were (a user who typed new B/L keeps
// them). Otherwise, without a system or PROJ, or when the new x/y do not
// convert, `edited` as it is.
DHPoint FollowPlane(const DHPoint& was, DHPoint edited, const GaussKruger& projection);
DHPoint FollowPlane(const DHPoint& was, DHPoint edited, const std::optional<CoordinateSystem>& system);

struct StaleLatLon {
    std::size_t row = 0;
    // Metres between x/y and where B/L put the point (through the system),
    // or between x/y and where B/L were recorded right; infinite when x/y
    // lie outside the system's zone.
    double distance = 0;
    bool bySystem = false;  // measured through the project's coordinate system
};

// The placed points with B/L that no longer match x/y, in list order. With
// the project's system (and PROJ): B/L more than the tolerance from x/y.
// Otherwise: points that still have the B/L recorded for them at x/y more
// than the tolerance from where they stand now.
std::vector<StaleLatLon> FindStaleLatLon(const DHPointList& points, const LatLonBasis& basis);

}  // namespace linvara::import
