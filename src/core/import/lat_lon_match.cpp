#include "import/lat_lon_match.h"

#include <cmath>
#include <limits>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

#include "import/gauss_kruger.h"

namespace linvara::import {
namespace {

bool Placed(const DHPoint& p) { return std::isfinite(p.Dx) && std::isfinite(p.Dy) && !(p.Dx == 0 && p.Dy == 0); }

std::unique_ptr<GaussKruger> ProjectionOf(const std::optional<CoordinateSystem>& system) {
    if (!system || !GaussKruger::Available()) return nullptr;
    std::string ignored;  // a definition PROJ refuses leaves B/L to the recorded origins
    return GaussKruger::Create(*system, ignored);
}

// Where B/L put the point, measured from x/y; infinite when x/y lie outside the zone.
double DistanceThroughSystem(const DHPoint& p, const GaussKruger& projection) {
    constexpr double kOutside = std::numeric_limits<double>::infinity();
    double east = 0, north = 0, plainEast = 0;
    if (!projection.StripZonePrefix(p.Dy, plainEast)) return kOutside;
    if (!projection.ToPlane(p.B, p.L, north, east)) return kOutside;
    return std::hypot(north - p.Dx, east - plainEast);
}

void BySystem(const DHPointList& points, const GaussKruger& projection, std::vector<StaleLatLon>& out) {
    for (std::size_t i = 0; i < points.size(); ++i) {
        const DHPoint& p = points[i];
        if (!HasLatLon(p) || !Placed(p)) continue;
        const double distance = DistanceThroughSystem(p, projection);
        if (distance > kLatLonTolerance) out.push_back({i, distance, true});
    }
}

void ByOrigins(const DHPointList& points, const LatLonBasis& basis, std::vector<StaleLatLon>& out) {
    if (basis.origins.empty()) return;
    std::unordered_multimap<std::string_view, const LatLonOrigin*> byId;
    for (const LatLonOrigin& o : basis.origins) byId.emplace(o.gpsId, &o);
    for (std::size_t i = 0; i < points.size(); ++i) {
        const DHPoint& p = points[i];
        if (!HasLatLon(p) || !Placed(p)) continue;
        const auto [first, last] = byId.equal_range(p.GPS_ID);
        for (auto it = first; it != last; ++it) {
            const LatLonOrigin& o = *it->second;
            if (std::fabs(o.latitude - p.B) >= kSameLatLonDegrees || std::fabs(o.longitude - p.L) >= kSameLatLonDegrees)
                continue;
            const double distance = std::hypot(p.Dx - o.north, p.Dy - o.east);
            if (distance > kLatLonTolerance) out.push_back({i, distance, false});
            break;
        }
    }
}

}  // namespace

DHPoint FollowPlane(const DHPoint& was, DHPoint edited, const GaussKruger& projection) {
    if (!OriginOfMove(was, edited) || !Placed(edited)) return edited;
    double latitude = 0, longitude = 0;
    if (!projection.ToGeographic(edited.Dx, edited.Dy, latitude, longitude)) return edited;
    edited.B = latitude;
    edited.L = longitude;
    return edited;
}

DHPoint FollowPlane(const DHPoint& was, DHPoint edited, const std::optional<CoordinateSystem>& system) {
    const std::unique_ptr<GaussKruger> projection = ProjectionOf(system);
    return projection ? FollowPlane(was, std::move(edited), *projection) : edited;
}

std::vector<StaleLatLon> FindStaleLatLon(const DHPointList& points, const LatLonBasis& basis) {
    std::vector<StaleLatLon> out;
    if (const std::unique_ptr<GaussKruger> projection = ProjectionOf(basis.system))
        BySystem(points, *projection, out);
    else
        ByOrigins(points, basis, out);
    return out;
}

}  // namespace linvara::import
