#pragma once
#include <string>
#include <vector>

#include "status.h"

namespace linvara {
class Project;
}

namespace linvara::check {

// A value stored as something no output can use: text or a blob in a number
// column, an empty coordinate, bytes that are neither UTF-8 nor GB18030, a
// text far longer than any name. Reading turns such a value into 0 (the
// first open stores that 0 in the working table), so only the stored rows
// show what the file holds.
struct StoredValueTrouble {
    std::string gpsId;  // the point's identity in the working list (DHPoint::GPS_ID)
    std::string text;   // "北坐标存储为文本“abc”，按0处理"
};
using StoredValueTroubles = std::vector<StoredValueTrouble>;

// Longer texts (bytes) than any name, code or note a survey gives.
inline constexpr std::size_t kLongestSensibleText = 4096;

// The troubles of the collector's rows (Point joined with Electric_Data_DH,
// the columns the working list is made from) and of the working table's
// rows, each once, as the open project's file holds them.
Status ReadStoredValueTroubles(const Project& project, StoredValueTroubles& troubles);

}  // namespace linvara::check
