#pragma once
// The check's finding about the project file itself: the triggers and views
// it carries, which this program does not run.
#include <string>
#include <vector>

#include "check/finding.h"

namespace linvara::check {

// One project-wide finding listing `schemaCode` ("<name>（触发器）"), put
// before the others; none when the list is empty.
void AddSchemaCodeFinding(const std::vector<std::string>& schemaCode, Findings& findings);

}  // namespace linvara::check
