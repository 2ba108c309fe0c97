#pragma once
#include <optional>
#include <vector>

#include "model/dh_point_list.h"

namespace linvara {

// The difference between two states of the same points (a reorder, a
// recomputation): the route order of each, by ID, when it differs, and the
// points whose stored values differ. Undo and redo of a list-wide command
// keep this instead of two copies of the whole list.
class ListDelta {
public:
    // Both lists must hold the same points (by ID).
    static ListDelta Between(const DHPointList& before, const DHPointList& after);

    // The other state from `current`; none when `current` is not the state
    // this delta starts from (a point is missing).
    std::optional<DHPointList> Before(const DHPointList& current) const { return Apply(current, beforeOrder_, before_); }
    std::optional<DHPointList> After(const DHPointList& current) const { return Apply(current, afterOrder_, after_); }
    bool IsEmpty() const { return beforeOrder_.empty() && before_.empty(); }

private:
    static std::optional<DHPointList> Apply(const DHPointList& current, const std::vector<int>& order,
                                            const std::vector<DHPoint>& values);

    std::vector<int> beforeOrder_, afterOrder_;  // IDs in route order; empty when the order is the same
    std::vector<DHPoint> before_, after_;        // the points that differ, as they were and became
};

}  // namespace linvara
