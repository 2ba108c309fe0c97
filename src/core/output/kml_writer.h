#pragma once
#include <string>

#include "model/dh_point_list.h"
#include "status.h"

namespace linvara {

// Writes a KML placemark per J stake, then per Z stake, at B/L/H, to the
// trimmed path. Fails with "请先选择成果文件的保存路径" when that is empty,
// with "新建成果文件出错：<path>（<cause>）" when the file cannot be written.
Status WriteStakeKml(const DHPointList& list, const std::string& path);

// The same placemarks as a KMZ archive: doc.kml first, then the stake icon
// as files/donut.png, which the KML refers to relatively, so a viewer
// without internet still draws the stakes. Fails as WriteStakeKml does.
Status WriteStakeKmz(const DHPointList& list, const std::string& path);

// Whether this build writes KMZ archives (they need libzip).
bool KmzAvailable();
inline constexpr const char* kKmzNotInThisBuild = "此版本不支持KMZ";

}  // namespace linvara
