#include "towerbase/exchange_order.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace linvara {
namespace {

// Counts over positions 0..n-1: add, count before a position, and find the
// k-th set position.
class Fenwick {
public:
    explicit Fenwick(std::size_t n) : tree_(n + 1, 0) {}

    void Add(std::size_t at, int delta) {
        for (std::size_t i = at + 1; i < tree_.size(); i += i & (~i + 1)) tree_[i] += delta;
    }
    // How many are set at positions below `end`.
    int Before(std::size_t end) const {
        int sum = 0;
        for (std::size_t i = end; i > 0; i -= i & (~i + 1)) sum += tree_[i];
        return sum;
    }
    // The position of the k-th (0-based) set position.
    std::size_t Kth(int k) const {
        std::size_t at = 0;
        std::size_t step = 1;
        while (step * 2 < tree_.size()) step *= 2;
        for (; step > 0; step /= 2)
            if (at + step < tree_.size() && tree_[at + step] <= k) {
                at += step;
                k -= tree_[at];
            }
        return at;
    }

private:
    std::vector<int> tree_;
};

// The final order of one group of equal keys (`members` ascending), given
// `smallerAfter[j]`: how many smaller keys lie between member j and the next
// member (or the end). The queue is kept as a ring in a list: joining at the
// back inserts just before the front; turning moves the front on.
std::vector<std::size_t> GroupOrder(const std::vector<std::size_t>& members, const std::vector<std::size_t>& smallerAfter) {
    const std::size_t s = members.size();
    std::vector<std::size_t> insertAt(s);
    std::size_t front = 0;
    for (std::size_t j = 0; j < s; ++j) {
        insertAt[j] = front;
        const std::size_t size = j + 1;
        front = (front + 1 + smallerAfter[j]) % size;
    }
    // Replays the insertions backwards: each member takes the insertAt-th
    // slot still free.
    Fenwick free(s);
    for (std::size_t i = 0; i < s; ++i) free.Add(i, 1);
    std::vector<std::size_t> ring(s);
    for (std::size_t j = s; j-- > 0;) {
        const std::size_t slot = free.Kth(static_cast<int>(insertAt[j]));
        ring[slot] = members[j];
        free.Add(slot, -1);
    }
    std::rotate(ring.begin(), ring.begin() + static_cast<std::ptrdiff_t>(front), ring.end());
    return ring;
}

}  // namespace

std::vector<std::size_t> ExchangeSortOrder(std::span<const double> keys) {
    std::vector<std::size_t> order(keys.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::vector<std::size_t> byKey;
    for (std::size_t i = 0; i < keys.size(); ++i)
        if (!std::isnan(keys[i])) byKey.push_back(i);
    const std::vector<std::size_t> places = byKey;  // the positions the sorted keys fill
    std::stable_sort(byKey.begin(), byKey.end(), [&](std::size_t a, std::size_t b) { return keys[a] < keys[b]; });

    Fenwick smaller(keys.size());  // the keys below the current group
    for (std::size_t g = 0; g < byKey.size();) {
        std::size_t h = g + 1;
        while (h < byKey.size() && !(keys[byKey[g]] < keys[byKey[h]])) ++h;
        const std::vector<std::size_t> members(byKey.begin() + static_cast<std::ptrdiff_t>(g),
                                               byKey.begin() + static_cast<std::ptrdiff_t>(h));
        std::vector<std::size_t> smallerAfter(members.size());
        for (std::size_t j = 0; j < members.size(); ++j) {
            const std::size_t end = j + 1 < members.size() ? members[j + 1] : keys.size();
            smallerAfter[j] = static_cast<std::size_t>(smaller.Before(end) - smaller.Before(members[j] + 1));
        }
        const std::vector<std::size_t> group = GroupOrder(members, smallerAfter);
        for (std::size_t j = 0; j < group.size(); ++j) order[places[g + j]] = group[j];
        for (std::size_t m : members) smaller.Add(m, 1);
        g = h;
    }
    return order;
}

}  // namespace linvara
