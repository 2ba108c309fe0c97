#pragma once
#include <cstddef>
#include <string>

#include "status.h"

namespace linvara::db {

// Writes a copy of the project file `in` to `out` without the triggers and
// views it carries; `in` is only read. `out` is written whole or not at all
// and may not be `in` itself. `removed` receives how many were left out.
Status WriteCleanCopy(const std::string& in, const std::string& out, std::size_t* removed = nullptr);

}  // namespace linvara::db
