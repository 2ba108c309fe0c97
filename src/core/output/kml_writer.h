#pragma once
#include <string>

#include "model/dh_point_list.h"

namespace linvara {

// Writes a KML placemark per J stake, then per Z stake, at B/L/H. Returns 1
// when written, 0 when the trimmed path is empty or the file cannot be written.
int WriteStakeKml(const DHPointList& list, const std::string& path, std::string* error = nullptr);

// The same placemarks as a KMZ archive: doc.kml first, then the stake icon
// as files/donut.png, which the KML refers to relatively, so a viewer
// without internet still draws the stakes. Returns as WriteStakeKml does.
int WriteStakeKmz(const DHPointList& list, const std::string& path, std::string* error = nullptr);

// Whether this build writes KMZ archives (they need libzip).
bool KmzAvailable();
inline constexpr const char* kKmzNotInThisBuild = "此版本不支持KMZ";

}  // namespace linvara
