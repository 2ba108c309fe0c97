#pragma once
// Zone numbers in front of east coordinates (38 511 950.0 in zone 38). A
// Gauss-Krueger east coordinate is below 1 000 km, so eight digits before the
// point are a two-digit zone number and the east coordinate in the zone.
#include "import/point_reader.h"

namespace linvara {
class GaussKruger;
}

namespace linvara::import {

// How near (metres, east) another point of the file must be for a zone
// number to be taken off without a projection.
constexpr double kZoneNeighbourDistance = 50000;

// The two-digit zone number in front of `east`, or 0 when it has none.
int ZonePrefixOf(double east);

// Takes zone numbers off the east coordinates of `read.points` where they
// belong and moves the points whose number does not to `read.bad`:
// - with a projection, a number of its zone is taken off, another is refused;
// - without one, the number most points carry is the file's zone and any
//   other number is refused; the file's number is taken off when no point of
//   the file is without one, or when another point's east coordinate lies
//   within kZoneNeighbourDistance of the east coordinate it leaves.
// Sets read.zonePrefix and read.zonePrefixed; read.bad is left unsorted.
void SettleZonePrefixes(ReadPoints& read, const GaussKruger* projection);

}  // namespace linvara::import
