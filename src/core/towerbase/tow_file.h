#pragma once
#include <string>

#include "model/dh_point_list.h"
#include "reporter.h"

namespace linvara {

// The TOW path of a project: the path without its last 3 characters + ".tow".
std::string TowPathFor(const std::string& projectPath);

// Writes Electric_Data_TG of the project to its TOW file (atomically).
// Returns 1 when written, 0 when the database cannot be opened or the file
// cannot be written.
int ExportTowFile(const std::string& projectPath, Reporter& reporter);

// The points of a TOW file, in file order (empty when it cannot be read).
DHPointList ReadTowFile(const std::string& towPath);

}  // namespace linvara
