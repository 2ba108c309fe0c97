// Values no output can carry: what the rows hold beyond the list's numbers
// (text in a number column, unreadable bytes), and numbers that are no
// survey value in the columns other than the coordinates (which the
// coordinate rule names).
#include <string_view>
#include <unordered_map>

#include "check/rules.h"
#include "model/point_values.h"

namespace linvara::check {
namespace {

constexpr const char* kRule = "value-invalid";

void StoredTroubles(const CheckInput& in, Findings& out) {
    if (!in.stored || in.stored->empty()) return;
    std::unordered_map<std::string_view, std::size_t> rowOfId;
    for (std::size_t i = 0; i < in.points.size(); ++i) rowOfId.emplace(in.points[i].GPS_ID, i);
    for (const StoredValueTrouble& t : *in.stored)
        if (const auto row = rowOfId.find(t.gpsId); row != rowOfId.end())
            out.push_back(AtRow(in, row->second, RuleNamed(kRule), t.text));
}

void UnusableNumbers(const CheckInput& in, Findings& out) {
    for (std::size_t i = 0; i < in.points.size(); ++i) {
        const DHPoint& p = in.points[i];
        if (!IsSurveyValue(p.Dx) || !IsSurveyValue(p.Dy) || !IsSurveyValue(p.Dh)) continue;  // the coordinate rule's
        if (const std::string value = UnusableValue(p); !value.empty())
            out.push_back(AtRow(in, i, RuleNamed(kRule), value + "，不是有效的测量值"));
    }
}

}  // namespace

void CheckStoredValues(const CheckInput& in, Findings& out) {
    StoredTroubles(in, out);
    UnusableNumbers(in, out);
}

}  // namespace linvara::check
