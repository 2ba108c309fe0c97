#pragma once
#include <string>

namespace linvara {

// The conversion options: they steer the stake sequence. A project keeps
// its own with it (Project); the desktop program remembers the user's
// defaults for projects without their own; the command line takes them
// from its arguments.
struct ConversionOptions {
    double StartMileage = 0.0;       // mileage of the first J stake ("起始里程")
    int UseStartName = 0;            // "设置开始点名"
    std::string StartName = "1";     // first number of renumbered detail points
    int UseOffsetRange = 0;          // "设置偏距范围(m)"
    double OffsetRange = 0.0;        // offsets below this count as zero
};

// Sets every field to its default.
void SetDefaultOptions(ConversionOptions& options);

}  // namespace linvara
