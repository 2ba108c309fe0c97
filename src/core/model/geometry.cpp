#include "model/geometry.h"

#include <cmath>

namespace linvara {
namespace {

constexpr double kPi = 3.141592653589793;

}  // namespace

double PlaneDistance(const DHPoint& a, const DHPoint& b) {
    const double dx = b.Dx - a.Dx;
    const double dy = b.Dy - a.Dy;
    return std::sqrt(dx * dx + dy * dy);
}

double HypotDistance(const DHPoint& a, const DHPoint& b) { return std::hypot(b.Dx - a.Dx, b.Dy - a.Dy); }

NearestPoint NearestOtherPoint(const DHPointList& points, const DHPoint& point) {
    NearestPoint nearest;
    for (std::size_t i = 0; i < points.size(); ++i) {
        if (points[i].GPS_ID == point.GPS_ID) continue;
        const double d = PlaneDistance(point, points[i]);
        if (nearest.index < 0 || d < nearest.distance) nearest = {static_cast<int>(i), d};
    }
    return nearest;
}

double Bearing(const DHPoint& from, const DHPoint& to) {
    return std::atan2(to.Dy - from.Dy, to.Dx - from.Dx) * 180.0 / kPi;
}

double Azimuth(const DHPoint& from, const DHPoint& to) {
    double deg = Bearing(from, to);
    if (deg < 1e-6) deg += 360;
    if (deg > 360) deg -= 360;
    return deg;
}

double PackDms(double degrees) {
    const double whole = std::trunc(degrees);
    const double minutesAll = (degrees - whole) * 60;
    const double minutes = std::trunc(minutesAll);
    const double seconds = (minutesAll - minutes) * 60;
    return whole + minutes / 100 + seconds / 10000;
}

double TurningAngle(const DHPoint& before, const DHPoint& at, const DHPoint& after) {
    double d = Azimuth(at, after) - Azimuth(before, at);
    if (d > 180) d -= 360;
    if (d < -180) d += 360;
    return PackDms(d);
}

}  // namespace linvara
