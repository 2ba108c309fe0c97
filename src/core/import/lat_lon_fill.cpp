#include "import/lat_lon_fill.h"

#include <cmath>
#include <vector>

#include "import/gauss_kruger.h"
#include "model/lat_lon_basis.h"

namespace linvara::import {

bool LacksLatLon(const DHPoint& point) { return !HasLatLon(point); }

LatLonFill FillLatLon(DHPointList& points, const GaussKruger& projection, std::span<const std::size_t> stale) {
    LatLonFill result;
    std::vector<bool> refill(points.size(), false);
    for (std::size_t row : stale)
        if (row < points.size()) refill[row] = true;
    for (std::size_t i = 0; i < points.size(); ++i) {
        DHPoint& p = points[i];
        if (!refill[i] && !LacksLatLon(p)) continue;
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
