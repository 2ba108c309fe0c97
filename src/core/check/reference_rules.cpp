// The reference of the points to the route: bracketing J stakes and mileages.
#include <algorithm>
#include <cmath>

#include "check/rules.h"
#include "text/format.h"

namespace linvara::check {
namespace {

// Ordering refers every point it can; a list none of whose detail points
// names a J stake has not been ordered yet, and then nothing is missing.
bool HasBeenOrdered(const CheckInput& in) {
    return in.jRows.size() >= 2 && std::any_of(in.points.begin(), in.points.end(), [](const DHPoint& p) {
               return p.DHType != JStake && (!p.StartJ.empty() || !p.EndJ.empty());
           });
}

void NotReferred(const CheckInput& in, Findings& out) {
    if (!HasBeenOrdered(in)) return;
    for (std::size_t i = 0; i < in.points.size(); ++i) {
        const DHPoint& p = in.points[i];
        if (p.DHType == JStake || (!p.StartJ.empty() && !p.EndJ.empty())) continue;
        out.push_back(AtRow(in, i, Severity::Warning, "not-referred",
                            "未归算到线路：起始J桩或终止J桩为空，里程和偏距无效"));
    }
}

// The list is in route order: a mileage below the one before it is out of place.
void DecreasingMileage(const CheckInput& in, Findings& out) {
    for (std::size_t i = 1; i < in.points.size(); ++i) {
        const DHPoint& prev = in.points[i - 1];
        const DHPoint& p = in.points[i];
        if (!(p.Mileage < prev.Mileage)) continue;
        out.push_back(AtRow(in, i, Severity::Warning, "mileage-decrease",
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
