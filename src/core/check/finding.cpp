#include "check/finding.h"

#include <algorithm>

namespace linvara::check {

const char* SeverityText(Severity severity) { return severity == Severity::Error ? "错误" : "警告"; }

bool HasErrors(const Findings& findings) {
    return std::any_of(findings.begin(), findings.end(),
                       [](const Finding& f) { return f.severity == Severity::Error; });
}

OrgRisk OrgRiskOf(const Findings& findings) {
    OrgRisk risk;
    for (const Finding& f : findings) {
        if (!f.spoilsOrg) continue;
        ++risk.findings;
        if (f.severity == Severity::Error) ++risk.errors;
    }
    return risk;
}

}  // namespace linvara::check
