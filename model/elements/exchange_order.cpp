#include "model/elements/exchange_order.h"

#include <algorithm>
#include <numeric>

namespace model {

namespace {

// Counts per slot, with the sum of the first slots and the slot where a running sum is reached,
// each in O(log n).
class TCounts {
public:
    explicit TCounts(std::size_t size) : tree_(size + 1, 0) {}

    void Add(std::size_t slot, long delta) {
        for (std::size_t i = slot + 1; i < tree_.size(); i += i & (~i + 1))
            tree_[i] += delta;
    }
    // The sum of the slots before slot.
    long Before(std::size_t slot) const {
        long sum = 0;
        for (std::size_t i = slot; i > 0; i -= i & (~i + 1))
            sum += tree_[i];
        return sum;
    }
    // The slot holding the (count + 1)-th unit, counted from the first slot.
    std::size_t Find(long count) const {
        std::size_t at = 0;
        std::size_t step = 1;
        while (step * 2 < tree_.size())
            step *= 2;
        for (; step > 0; step /= 2)
            if (at + step < tree_.size() && tree_[at + step] <= count) {
                at += step;
                count -= tree_[at];
            }
        return at;
    }

private:
    std::vector<long> tree_;
};

// One run of equal items, as it stands after every item has arrived: arrivals in their order,
// each with the index of the run's stored list at which it went in (just before the run's first,
// so that it is the run's last), and where the run starts in that list at the end.
std::vector<std::size_t> RunOrder(const std::vector<std::size_t>& arrivals,
                                  const std::vector<std::size_t>& insertAt, std::size_t front) {
    const std::size_t size = arrivals.size();
    // Which stored place each arrival ends in: the last to go in takes its index among all the
    // places; each one before it its index among those the later ones left.
    TCounts free(size);
    for (std::size_t i = 0; i < size; ++i)
        free.Add(i, 1);
    std::vector<std::size_t> stored(size);
    for (std::size_t k = size; k-- > 0;) {
        const std::size_t place = free.Find(static_cast<long>(insertAt[k]));
        stored[place] = arrivals[k];
        free.Add(place, -1);
    }
    std::rotate(stored.begin(), stored.begin() + static_cast<std::ptrdiff_t>(front), stored.end());
    return stored;
}

} // namespace

std::vector<std::size_t>
ExchangeSortOrder(std::size_t n, const std::function<bool(std::size_t, std::size_t)>& before) {
    std::vector<std::size_t> order(n);
    std::iota(order.begin(), order.end(), 0);
    if (n < 2) return order;

    // Rank of each item among the distinct values.
    std::vector<std::size_t> byValue = order;
    std::stable_sort(byValue.begin(), byValue.end(), before);
    std::vector<std::size_t> rank(n);
    std::size_t ranks = 0;
    for (std::size_t k = 0; k < n; ++k) {
        if (k > 0 && before(byValue[k - 1], byValue[k])) ++ranks;
        rank[byValue[k]] = ranks;
    }
    ++ranks;

    // How many smaller items had arrived before each item, and how many there are in all.
    TCounts arrived(ranks);
    std::vector<long> smallerBefore(n);
    for (std::size_t t = 0; t < n; ++t) {
        smallerBefore[t] = arrived.Before(rank[t]);
        arrived.Add(rank[t], 1);
    }

    // Each run: every smaller item arriving turns it once, its first going to its end.
    std::vector<std::vector<std::size_t>> runs(ranks);
    for (std::size_t t = 0; t < n; ++t)
        runs[rank[t]].push_back(t);
    std::vector<std::size_t> result;
    result.reserve(n);
    for (std::size_t r = 0; r < ranks; ++r) {
        const std::vector<std::size_t>& arrivals = runs[r];
        std::vector<std::size_t> insertAt(arrivals.size());
        std::size_t front = 0;
        for (std::size_t k = 0; k < arrivals.size(); ++k) {
            if (k > 0) {
                const auto turns = static_cast<std::size_t>(smallerBefore[arrivals[k]] -
                                                            smallerBefore[arrivals[k - 1]]);
                front = (front + turns) % k;
            }
            insertAt[k] = front;
            if (k > 0) ++front;
        }
        const auto after =
            static_cast<std::size_t>(arrived.Before(r) - smallerBefore[arrivals.back()]);
        front = (front + after) % arrivals.size();
        for (std::size_t item : RunOrder(arrivals, insertAt, front))
            result.push_back(item);
    }
    return result;
}

} // namespace model
