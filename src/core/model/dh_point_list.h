#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "model/dh_point.h"

namespace linvara {

// The working stake list and the lists derived from it: an ordered array of
// points with value semantics (at() reports an invalid subscript).
using DHPointList = std::vector<DHPoint>;
using SectionPointList = std::vector<SectionPoint>;

// Index of the first point whose GPS_ID equals `gpsId`, or -1.
int FindIndexByGpsId(const DHPointList& list, std::string_view gpsId);
// The first point with that GPS_ID, or a default point when there is none.
DHPoint FindByGpsId(const DHPointList& list, std::string_view gpsId, int* index = nullptr);
// Replaces the first point with the same GPS_ID; false when there is none.
bool ReplaceByGpsId(DHPointList& list, const DHPoint& point);
// Erases the first point with that GPS_ID; false when there is none.
bool DeleteByGpsId(DHPointList& list, std::string_view gpsId);

// Whether `name` equals (exactly) the NewPtName or OrgPtName of any point.
bool IsNameTaken(const DHPointList& list, std::string_view name);

// The identity of a point created in this system: local time "%Y%m%d%H%M%S"
// then "_" and a pseudo-random number.
std::string NewGpsId();

}  // namespace linvara
