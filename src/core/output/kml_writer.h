#pragma once
#include <string>

#include "model/dh_point_list.h"

namespace linvara {

// Writes a KML placemark per J stake, then per Z stake, at B/L/H. Returns 1
// when written, 0 when the trimmed path is empty or the file cannot be written.
int WriteStakeKml(const DHPointList& list, const std::string& path, std::string* error = nullptr);

}  // namespace linvara
