#include "model/lat_lon_basis.h"

#include <cmath>

namespace linvara {

bool HasLatLon(const DHPoint& point) {
    if (!std::isfinite(point.B) || !std::isfinite(point.L)) return false;
    return point.B != 0 || point.L != 0;
}

const LatLonOrigin* FindOrigin(const LatLonBasis& basis, const std::string& gpsId, double latitude,
                               double longitude) {
    for (const LatLonOrigin& o : basis.origins)
        if (o.gpsId == gpsId && std::fabs(o.latitude - latitude) < kSameLatLonDegrees &&
            std::fabs(o.longitude - longitude) < kSameLatLonDegrees)
            return &o;
    return nullptr;
}

std::optional<LatLonOrigin> OriginOfMove(const DHPoint& was, const DHPoint& edited) {
    if (was.Dx == edited.Dx && was.Dy == edited.Dy) return std::nullopt;
    // New B/L with the move are the user's (or computed for the new place).
    if (edited.B != was.B || edited.L != was.L) return std::nullopt;
    // A point never placed (0, 0) that gets x/y keeps B/L that were never tied to any.
    const bool placed = std::isfinite(was.Dx) && std::isfinite(was.Dy) && !(was.Dx == 0 && was.Dy == 0);
    if (!HasLatLon(was) || !placed) return std::nullopt;
    return LatLonOrigin{was.GPS_ID, was.B, was.L, was.Dx, was.Dy};
}

}  // namespace linvara
