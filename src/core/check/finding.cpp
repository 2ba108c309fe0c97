#include "check/finding.h"

#include <algorithm>

namespace linvara::check {

const char* SeverityText(Severity severity) { return severity == Severity::Error ? "错误" : "警告"; }

bool HasErrors(const Findings& findings) {
    return std::any_of(findings.begin(), findings.end(),
                       [](const Finding& f) { return f.severity == Severity::Error; });
}

}  // namespace linvara::check
