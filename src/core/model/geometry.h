#pragma once
#include "model/dh_point.h"
#include "model/dh_point_list.h"

// Plane geometry of survey points: Dx is north, Dy east; directions are in
// degrees from north towards east. The outputs print these values to the
// last digit, so each function keeps one fixed order of operations.
namespace linvara {

// sqrt(dx * dx + dy * dy): spans and J-stake mileages of the outputs.
double PlaneDistance(const DHPoint& a, const DHPoint& b);
// std::hypot of the same differences: the stake sequence's mileages and
// offsets. It can differ from PlaneDistance in the last bit, and mileages
// stored in projects were computed with it.
double HypotDistance(const DHPoint& a, const DHPoint& b);

// Direction from `from` to `to`, within [-180, 180].
double Bearing(const DHPoint& from, const DHPoint& to);
// The same within (0, 360]: due north is 360, not 0.
double Azimuth(const DHPoint& from, const DHPoint& to);

// Decimal degrees packed as ddd.mmss (12.5 -> 12.30); every part keeps the
// sign of `degrees`.
double PackDms(double degrees);

// The turn at `at` on the way from `before` to `after`, packed ddd.mmss,
// right turns positive, within [-180, 180].
double TurningAngle(const DHPoint& before, const DHPoint& at, const DHPoint& after);

// The point of `points` nearest to `point` in the plane, the point itself
// (its GPS_ID) not counted: its index (-1 when there is no other point) and
// its distance.
struct NearestPoint {
    int index = -1;
    double distance = 0;
};
NearestPoint NearestOtherPoint(const DHPointList& points, const DHPoint& point);

}  // namespace linvara
