#pragma once
#include <string>

namespace linvara {

// The conversion options: they steer the stake sequence, live in memory only
// and start from the defaults at every start.
struct COptions {
    double StartMileage = 0.0;       // mileage of the first J stake ("起始里程")
    int UseStartName = 0;            // "设置开始点名"
    std::string StartName = "1";     // first number of renumbered detail points
    int UseOffsetRange = 0;          // "设置偏距范围(m)"
    double OffsetRange = 0.0;        // offsets below this count as zero
};

// Sets every field to its default.
void SetDefaultOptions(COptions& options);

}  // namespace linvara
