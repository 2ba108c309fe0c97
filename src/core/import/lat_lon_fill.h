#pragma once
// Latitude/longitude for the points of an opened project that have none,
// from their plane coordinates in a Gauss-Krueger zone: KML and the
// latitude/longitude columns need them, and text files rarely carry them.
#include <cstddef>
#include <span>
#include <string>
#include <vector>

#include "model/dh_point_list.h"

namespace linvara {
class GaussKruger;
}

namespace linvara::import {

// No latitude/longitude: both 0, or either not a finite number.
bool LacksLatLon(const DHPoint& point);

struct LatLonFill {
    std::size_t filled = 0;
    // Points lacking B/L whose x/y cannot give them (none, not finite, a
    // zone prefix not the projection's, or PROJ refuses), by name.
    std::vector<std::string> failed;
};

// Fills B and L of the points that lack them, and of those at the positions
// `stale` (B/L that no longer match x/y); every other value, and every other
// point, stays as it was. A failed point is left as it was.
LatLonFill FillLatLon(DHPointList& points, const GaussKruger& projection, std::span<const std::size_t> stale = {});

}  // namespace linvara::import
