#pragma once
#include <string>
#include <vector>

#include "org/org_conversion.h"
#include "org/org_record_builder.h"
#include "support/survey_points.h"

namespace linvara::testing {

// The records without their line feeds, for readable comparisons.
inline std::vector<std::string> Lines(const std::vector<std::string>& records) {
    std::vector<std::string> out;
    out.reserve(records.size());
    for (const std::string& r : records) out.push_back(r.substr(0, r.size() - (r.ends_with('\n') ? 1 : 0)));
    return out;
}
inline std::vector<std::string> Lines(const RecordBuffer& records) { return records.Lines(); }

}  // namespace linvara::testing
