#pragma once
// The order a library's exchange sort leaves its elements in, found without comparing every pair.
//
// The exchange sort runs i over the positions and j over the positions after i, and exchanges
// the two whenever the item at j belongs before the one at i. It is not stable: items that
// compare equal end in an order of its own, and users know their libraries in that order. The
// order is the same as if the items arrived one by one, each joining the end of the run of its
// equals among those arrived, while the first of every run of greater items moves to that run's
// end. Worked out per run from how many smaller items arrive between its own, that takes
// O(n log n).

#include <cstddef>
#include <functional>
#include <vector>

namespace model {

// The positions of n items in the order the exchange sort leaves them: entry k is where the item
// that ends at k stands now. before(a, b) tells whether the item at a belongs before the one at
// b; it must order strictly and weakly (irreflexive, transitive, equals among themselves).
std::vector<std::size_t>
ExchangeSortOrder(std::size_t n, const std::function<bool(std::size_t, std::size_t)>& before);

} // namespace model
