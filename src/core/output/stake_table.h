#pragma once
// The computed columns of the stake table (CSV kind and results workbook):
// every writer of them goes through ForEachStakeRow, so they cannot drift.
#include <functional>
#include <string>

#include "model/dh_point_list.h"

namespace linvara::output {

struct StakeRow {
    const DHPoint& point;
    // "右…"/"左…" packed ddd.mmss for a J stake, empty for every other kind.
    const std::string& angle;
    // The point before this one in the list, whatever its kind; null for the first.
    const DHPoint* previous;
    // Plane distance from `previous`; 0 for the first point.
    double span;
};

// Calls `visit` for every point of `list`, in list order.
void ForEachStakeRow(const DHPointList& list, const std::function<void(const StakeRow&)>& visit);

}  // namespace linvara::output
