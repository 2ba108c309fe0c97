#include "project/list_delta.h"

#include <unordered_map>

#include "db/export_columns.h"
#include "model/stake_sequence.h"

namespace linvara {
namespace {

std::vector<int> Order(const DHPointList& list) {
    std::vector<int> ids;
    ids.reserve(list.size());
    for (const DHPoint& p : list) ids.push_back(p.ID);
    return ids;
}

// What a save would store, plus the kind: equal values store equal rows.
bool SameValues(const DHPoint& a, const DHPoint& b) {
    return a.DHType == b.DHType && export_table::StoredFingerprint(a, a.DHType) == export_table::StoredFingerprint(b, b.DHType);
}

}  // namespace

ListDelta ListDelta::Between(const DHPointList& before, const DHPointList& after) {
    ListDelta delta;
    std::vector<int> beforeOrder = Order(before);
    std::vector<int> afterOrder = Order(after);
    std::unordered_map<int, const DHPoint*> was;
    was.reserve(before.size());
    for (const DHPoint& p : before) was.emplace(p.ID, &p);
    for (const DHPoint& p : after) {
        const auto it = was.find(p.ID);
        if (it == was.end() || SameValues(*it->second, p)) continue;
        delta.before_.push_back(*it->second);
        delta.after_.push_back(p);
    }
    if (beforeOrder != afterOrder) {
        delta.beforeOrder_ = std::move(beforeOrder);
        delta.afterOrder_ = std::move(afterOrder);
    }
    return delta;
}

std::optional<DHPointList> ListDelta::Apply(const DHPointList& current, const std::vector<int>& order,
                                            const std::vector<DHPoint>& values) {
    std::unordered_map<int, std::size_t> at;
    at.reserve(current.size());
    for (std::size_t i = 0; i < current.size(); ++i) at.emplace(current[i].ID, i);
    DHPointList result;
    if (order.empty()) {
        result = current;
    } else {
        if (order.size() != current.size()) return std::nullopt;
        result.reserve(order.size());
        for (int id : order) {
            const auto it = at.find(id);
            if (it == at.end()) return std::nullopt;
            result.push_back(current[it->second]);
        }
        at.clear();
        for (std::size_t i = 0; i < result.size(); ++i) at.emplace(result[i].ID, i);
    }
    for (const DHPoint& p : values) {
        const auto it = at.find(p.ID);
        if (it == at.end()) return std::nullopt;
        result[it->second] = p;
    }
    ReindexOrder(result);
    return result;
}

}  // namespace linvara
