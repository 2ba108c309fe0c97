// The reference of the points to the route: bracketing J stakes and mileages.
#include <algorithm>
#include <cmath>

#include "check/rules.h"
#include "model/geometry.h"
#include "text/format.h"

namespace linvara::check {
namespace {

// Ordering chains the J stakes into mileages from the start mileage on, so
// afterwards the later of two J stakes apart has a mileage that is not 0;
// opening a collector project leaves every mileage 0. StartJ/EndJ tell
// nothing here: the collector fills them for some points on its own.
bool HasBeenOrdered(const CheckInput& in) {
    return std::any_of(in.points.begin(), in.points.end(),
                       [](const DHPoint& p) { return std::isfinite(p.Mileage) && p.Mileage != 0; });
}

// Whether ordering would give mileages: two neighbouring J stakes apart.
bool CanBeOrdered(const CheckInput& in) {
    for (std::size_t k = 1; k < in.jRows.size(); ++k) {
        const DHPoint& a = in.points[in.jRows[k - 1]];
        const DHPoint& b = in.points[in.jRows[k]];
        if (HasPlanePosition(a) && HasPlanePosition(b) && HypotDistance(a, b) > 0) return true;
    }
    return false;
}

// Before the first ordering no point is referred to the route, and that is
// said once for the project instead of once for every point.
void NotReferred(const CheckInput& in, Findings& out) {
    if (!HasBeenOrdered(in)) {
        if (CanBeOrdered(in)) out.push_back(Found(RuleNamed("not-ordered"), Place::Project, "项目尚未排序"));
        return;
    }
    if (in.jRows.size() < 2) return;  // nothing to refer to: too-few-j says so
    for (std::size_t i = 0; i < in.points.size(); ++i) {
        const DHPoint& p = in.points[i];
        if (p.DHType == JStake || (!p.StartJ.empty() && !p.EndJ.empty())) continue;
        out.push_back(AtRow(in, i, RuleNamed("not-referred"),
                            "未归算到线路：起始J桩或终止J桩为空，里程和偏距无效"));
    }
}

// The list is in route order: a mileage below the one before it is out of place.
void DecreasingMileage(const CheckInput& in, Findings& out) {
    for (std::size_t i = 1; i < in.points.size(); ++i) {
        const DHPoint& prev = in.points[i - 1];
        const DHPoint& p = in.points[i];
        if (!(p.Mileage < prev.Mileage)) continue;
        out.push_back(AtRow(in, i, RuleNamed("mileage-decrease"),
                            text::Format("里程%.3f小于上一点%s的里程%.3f", p.Mileage, prev.NewPtName.c_str(),
                                         prev.Mileage)));
    }
}

}  // namespace

void CheckReference(const CheckInput& in, Findings& out) {
    NotReferred(in, out);
    DecreasingMileage(in, out);
}

}  // namespace linvara::check
