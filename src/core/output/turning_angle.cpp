#include <cmath>

#include "output/result_text.h"
#include "output/result_writer.h"
#include "text/format.h"

namespace linvara {
namespace {

constexpr double kPi = 3.141592653589793;

// Azimuth from a to b in degrees, clockwise from north, within (0, 360].
double Azimuth(const DHPoint& a, const DHPoint& b) {
    double deg = std::atan2(b.Dy - a.Dy, b.Dx - a.Dx) * 180 / kPi;
    if (deg < 1e-6) deg += 360;
    if (deg > 360) deg -= 360;
    return deg;
}

// Decimal degrees to ddd.mmss; every part keeps the sign of `d`.
double PackDms(double d) {
    double degrees = std::trunc(d);
    double minutesAll = (d - degrees) * 60;
    double minutes = std::trunc(minutesAll);
    double seconds = (minutesAll - minutes) * 60;
    return degrees + minutes / 100 + seconds / 10000;
}

}  // namespace

double TurningAngleAt(const DHPointList& jStakes, int i) {
    const int count = static_cast<int>(jStakes.size());
    if (i <= 0 || i >= count - 1) return 0;
    const DHPoint& prev = jStakes[i - 1];
    const DHPoint& cur = jStakes[i];
    const DHPoint& next = jStakes[i + 1];
    double d = Azimuth(cur, next) - Azimuth(prev, cur);
    if (d > 180) d -= 360;
    if (d < -180) d += 360;
    return PackDms(d);
}

namespace output {

std::string AngleText(double packedAngle) {
    // "+ 0.0" turns a negative zero into zero, so it prints without a sign.
    if (packedAngle >= 0) return text::Format("右%.8f", packedAngle + 0.0);
    return text::Format("左%.8f", std::fabs(packedAngle));
}

}  // namespace output
}  // namespace linvara
