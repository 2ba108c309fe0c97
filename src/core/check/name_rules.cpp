// Names and identities: the outputs and the ORG links find points by name,
// the views and saves by GPS_ID.
#include <string_view>
#include <unordered_map>

#include "check/rules.h"
#include "text/format.h"

namespace linvara::check {
namespace {

bool IsRouteStake(const DHPoint& p) { return p.DHType == JStake || p.DHType == ZStake; }

// Calls repeat(row, earlierRow) for every point whose non-empty field an
// earlier point already holds, naming the first point that holds it.
template <class Field, class Repeat>
void ForEachRepeat(const DHPointList& points, Field field, Repeat repeat) {
    std::unordered_map<std::string_view, std::size_t> first;
    first.reserve(points.size());
    for (std::size_t i = 0; i < points.size(); ++i) {
        const std::string& value = field(points[i]);
        if (value.empty()) continue;
        const auto [at, added] = first.try_emplace(value, i);
        if (!added) repeat(i, at->second);
    }
}

// Route stakes are referred to by name (StartJ/EndJ, the profile chain), so
// a repeat involving one is an error; a repeat among detail points only
// makes the ORG file ambiguous.
void RepeatedNames(const CheckInput& in, Findings& out) {
    ForEachRepeat(in.points, [](const DHPoint& p) -> const std::string& { return p.NewPtName; },
                  [&](std::size_t row, std::size_t earlierRow) {
                      const DHPoint& earlier = in.points[earlierRow];
                      const bool stakes = IsRouteStake(in.points[row]) || IsRouteStake(earlier);
                      out.push_back(AtRow(in, row,
                                          stakes ? RuleNamed("stake-name-duplicate") : RuleNamed("name-duplicate"),
                                          std::string("点名与") + RowText(earlierRow) + "的" +
                                              DHTypeName(earlier.DHType) + "重复"));
                  });
}

void RepeatedIdentities(const CheckInput& in, Findings& out) {
    ForEachRepeat(in.points, [](const DHPoint& p) -> const std::string& { return p.GPS_ID; },
                  [&](std::size_t row, std::size_t earlierRow) {
                      out.push_back(AtRow(in, row, RuleNamed("gps-duplicate"),
                                          "GPS_ID与" + RowText(earlierRow) + "的点" +
                                              in.points[earlierRow].NewPtName + "重复"));
                  });
}

}  // namespace

void CheckNames(const CheckInput& in, Findings& out) {
    for (std::size_t i = 0; i < in.points.size(); ++i)
        if (in.points[i].NewPtName.empty()) out.push_back(AtRow(in, i, RuleNamed("name-empty"), "点名为空"));
    RepeatedNames(in, out);
    RepeatedIdentities(in, out);
}

}  // namespace linvara::check
