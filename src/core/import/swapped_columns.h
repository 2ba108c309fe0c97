#pragma once
// A file whose X column holds east coordinates and Y north ones, as GIS
// programs write X/Y, read in a style that takes X as north.
#include <string>
#include <vector>

#include "import/point_reader.h"

namespace linvara::import {

// Whether every point (but those at 0, 0) has an x that only an east
// coordinate can have (0 to 1 000 km, or eight digits with a zone number in
// front) and a y that only a north coordinate in China's latitudes can have
// (1 000 to 10 000 km): ranges a Gauss-Krueger north and east never share.
// `evidence` gets the ranges seen.
bool LooksSwapped(const std::vector<ImportedPoint>& points, std::string& evidence);

}  // namespace linvara::import
