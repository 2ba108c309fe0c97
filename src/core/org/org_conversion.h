#pragma once
// The ORG conversion ("转换输出"): the line survey of the working stake list
// as a Daoxiang ORG file.
#include <string>

#include "model/dh_point_list.h"
#include "reporter.h"
#include "status.h"

namespace linvara {

// The file a conversion to `chosenPath` writes: its extension becomes ".org"
// (added when it has none).
std::string OrgFilePath(const std::string& chosenPath);

// Converts `points` (in list order; a caller done with its list moves it
// in) and writes OrgFilePath(path) atomically. Problems with single points
// and the closing "转换ORG文件成功！已写入：<file>" go to `reporter` as the
// conversion goes on; a failure returns why nothing was written: a value no
// ORG file can carry, or "转换ORG文件失败：<file>（<cause>）".
Status ConvertToOrg(DHPointList points, const std::string& path, Reporter& reporter);

}  // namespace linvara
