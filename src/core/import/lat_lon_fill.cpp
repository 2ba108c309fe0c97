#include "import/lat_lon_fill.h"

#include <cmath>

#include "import/gauss_kruger.h"

namespace linvara::import {

bool LacksLatLon(const DHPoint& point) {
    if (!std::isfinite(point.B) || !std::isfinite(point.L)) return true;
    return point.B == 0 && point.L == 0;
}

LatLonFill FillLatLon(DHPointList& points, const GaussKruger& projection) {
    LatLonFill result;
    for (DHPoint& p : points) {
        if (!LacksLatLon(p)) continue;
        double latitude = 0, longitude = 0;
        // A point at (0, 0) was never placed: converting it would invent a place.
        const bool placed = std::isfinite(p.Dx) && std::isfinite(p.Dy) && !(p.Dx == 0 && p.Dy == 0);
        if (placed && projection.ToGeographic(p.Dx, p.Dy, latitude, longitude)) {
            p.B = latitude;
            p.L = longitude;
            ++result.filled;
        } else {
            result.failed.push_back(p.NewPtName);
        }
    }
    return result;
}

}  // namespace linvara::import
