#pragma once
#include <cstddef>
#include <span>
#include <vector>

namespace linvara {

// The order the tower-base output has always given a section: an exchange
// sort in which each position, left to right, swaps in every later key
// smaller than the one it holds. It is not stable, and downstream drawings
// depend on its order among equal keys, so this reproduces it exactly, in
// O(n log n). Returns the indices of `keys` in their sorted order.
//
// Why it can be computed group by group: an element with key w moves only
// while it heads the elements with keys <= w, so their relative order
// evolves as if larger keys were absent. Among them, the keys w form a
// queue: each joins at the back in load order, and each smaller key met
// while the queue is non-empty sends its front to the back. The queue at
// the end is the group's order. NaN keys compare false both ways, so they
// never move and the others sort around them.
std::vector<std::size_t> ExchangeSortOrder(std::span<const double> keys);

}  // namespace linvara
