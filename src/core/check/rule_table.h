#pragma once
// Every rule of the project check, one row each: how serious its findings
// are and whether they spoil the ORG file. The rules take both from here
// when they report, so a rule's severity is the same wherever it shows.
#include <cstddef>
#include <stdexcept>
#include <string_view>

#include "check/finding.h"

namespace linvara::check {

struct Rule {
    const char* id;  // stable identifier, shown in the panel and the command line
    Severity severity;
    // While a finding of this rule stands, the ORG file comes out wrong or
    // incomplete: something the project holds is left out or lands in the
    // wrong place. The desktop program asks before it converts. A rule whose
    // findings only name a default the conversion fills in (a crossing
    // height never measured) or concern another output is false.
    bool spoilsOrg;
};

inline constexpr Rule kRules[] = {
    // What the ORG conversion reports or leaves out.
    {"aux-missing", Severity::Error, true},
    {"house-corner", Severity::Error, true},
    {"crossing-type", Severity::Warning, false},
    {"crossing-height", Severity::Warning, false},
    {"feature-class", Severity::Warning, false},
    {"kind-invalid", Severity::Error, true},
    {"aux-number", Severity::Warning, true},
    // What the tower-base conversion reports or leaves out: its own files only.
    {"section-missing", Severity::Warning, false},
    {"section-index", Severity::Error, false},
    // Names and identities.
    {"name-empty", Severity::Error, true},
    {"name-duplicate", Severity::Warning, true},  // two points under one name in the file
    {"stake-name-duplicate", Severity::Error, true},
    {"gps-duplicate", Severity::Error, false},
    // Coordinates and the J-stake line.
    {"too-few-j", Severity::Error, true},
    {"coordinates-invalid", Severity::Error, true},
    {"coordinates-zero", Severity::Error, true},
    {"j-same-place", Severity::Error, true},
    {"route-doubles-back", Severity::Warning, false},
    {"offset-range", Severity::Warning, false},
    {"distance-implausible", Severity::Error, true},  // a coordinate is wrong, not the route
    {"value-invalid", Severity::Error, true},  // a stored value no output can carry
    // The reference to the route: mileages and offsets the ORG file is made of.
    {"not-ordered", Severity::Warning, true},
    {"not-referred", Severity::Warning, true},
    {"mileage-decrease", Severity::Warning, false},
    // Data of the result files.
    {"latlon-missing", Severity::Warning, false},
    {"latlon-stale", Severity::Warning, false},
    {"code-unknown", Severity::Warning, false},
    {"name-delimiter", Severity::Warning, false},
    // The file itself.
    {"schema-code", Severity::Warning, false},  // triggers and views, which this program does not run
};

// The row of rule `id`. An id without a row does not compile.
consteval const Rule& RuleNamed(std::string_view id) {
    for (const Rule& rule : kRules)
        if (std::string_view(rule.id) == id) return rule;
    throw std::invalid_argument("no check rule of that name");
}

// The position of rule `id` in kRules (the order views list rules in);
// std::size(kRules) for an id without a row.
std::size_t RuleOrder(std::string_view id);

}  // namespace linvara::check
