// Names and identities: the outputs and the ORG links find points by name,
// the views and saves by GPS_ID.
#include <string_view>
#include <unordered_map>

#include "check/rules.h"
#include "text/format.h"

namespace linvara::check {
namespace {

bool IsRouteStake(const DHPoint& p) { return p.DHType == JStake || p.DHType == ZStake; }

// Route stakes are referred to by name (StartJ/EndJ, the profile chain), so
// a repeat involving one is an error; a repeat among detail points only
// makes the ORG file ambiguous.
void RepeatedNames(const CheckInput& in, Findings& out) {
    std::unordered_map<std::string_view, std::size_t> first;
    first.reserve(in.points.size());
    for (std::size_t i = 0; i < in.points.size(); ++i) {
        const DHPoint& p = in.points[i];
        if (p.NewPtName.empty()) continue;
        const auto [at, added] = first.try_emplace(p.NewPtName, i);
        if (added) continue;
        const DHPoint& earlier = in.points[at->second];
        const bool stakes = IsRouteStake(p) || IsRouteStake(earlier);
        out.push_back(AtRow(in, i, stakes ? Severity::Error : Severity::Warning,
                            stakes ? "stake-name-duplicate" : "name-duplicate",
                            std::string("点名与") + RowText(at->second) + "的" + DHTypeName(earlier.DHType) +
                                "重复"));
    }
}

void RepeatedIdentities(const CheckInput& in, Findings& out) {
    std::unordered_map<std::string_view, std::size_t> first;
    first.reserve(in.points.size());
    for (std::size_t i = 0; i < in.points.size(); ++i) {
        const DHPoint& p = in.points[i];
        if (p.GPS_ID.empty()) continue;
        const auto [at, added] = first.try_emplace(p.GPS_ID, i);
        if (added) continue;
        out.push_back(AtRow(in, i, Severity::Error, "gps-duplicate",
                            "GPS_ID与" + RowText(at->second) + "的点" + in.points[at->second].NewPtName + "重复"));
    }
}

}  // namespace

void CheckNames(const CheckInput& in, Findings& out) {
    for (std::size_t i = 0; i < in.points.size(); ++i)
        if (in.points[i].NewPtName.empty()) out.push_back(AtRow(in, i, Severity::Error, "name-empty", "点名为空"));
    RepeatedNames(in, out);
    RepeatedIdentities(in, out);
}

}  // namespace linvara::check
