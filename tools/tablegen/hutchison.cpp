#include "tools/tablegen/hutchison.h"

#include <algorithm>
#include <bit>
#include <vector>

namespace {

// Ranks as values 2..14 (ace 14); rank index 0 is the ace.
int ValueOf(int rankIndex)
{
    return 14 - rankIndex;
}

double SuitedPoints(int highest)
{
    switch (highest) {
    case 14: return 4;
    case 13: return 3;
    case 12: return 2.5;
    case 11: return 2;
    case 10:
    case 9: return 1.5;
    default: return 1;
    }
}

double PairPoints(int value)
{
    switch (value) {
    case 14: return 9;
    case 13: return 8;
    case 12: return 7;
    case 11:
    case 10: return 6;
    case 9: return 5;
    default: return 4;
    }
}

// Ranks missing inside a set of distinct values.
int Gap(const std::vector<int>& values)
{
    const auto [lo, hi] = std::minmax_element(values.begin(), values.end());
    return *hi - *lo - (static_cast<int>(values.size()) - 1);
}

// Deduction for a gap; -1 when the combination scores nothing.
int Loss(int gap)
{
    static const int kLoss[4] = {0, 1, 1, 2};
    return gap >= 0 && gap <= 3 ? kLoss[gap] : -1;
}

bool Holds(const std::vector<int>& values, int v)
{
    return std::find(values.begin(), values.end(), v) != values.end();
}

// Best score of `base - loss` over the k-subsets of `values` whose gap is at most 3.
int BestSubset(const std::vector<int>& values, int k, int base)
{
    const int n = static_cast<int>(values.size());
    int best = 0;
    for (int mask = 0; mask < (1 << n); ++mask) {
        if (std::popcount(static_cast<unsigned>(mask)) != k)
            continue;
        std::vector<int> subset;
        for (int i = 0; i < n; ++i) {
            if (mask & (1 << i))
                subset.push_back(values[static_cast<std::size_t>(i)]);
        }
        const int loss = Loss(Gap(subset));
        if (loss >= 0)
            best = std::max(best, base - loss);
    }
    return best;
}

double StraightPoints(const std::vector<int>& ranks)
{
    std::vector<int> high;  // 6 and above, ace included
    for (int v : ranks) {
        if (v >= 6)
            high.push_back(v);
    }
    if (high.size() == 4 && Loss(Gap(high)) >= 0)
        return 12 - Loss(Gap(high));

    const bool ace = Holds(ranks, 14);
    int low = 0;
    if (ace && std::any_of(ranks.begin(), ranks.end(), [](int v) { return v >= 2 && v <= 5; }))
        low += 1;
    std::vector<int> small;
    for (int v : ranks) {
        if (v >= 2 && v <= 6)
            small.push_back(v);
    }
    if (small.size() >= 2 && Loss(Gap(small)) >= 0)
        low += 2 - Loss(Gap(small));

    int best = BestSubset(high, 3, 7);
    if (best == 0) {
        std::vector<int> middle;  // 6 to king
        for (int v : high) {
            if (v <= 13)
                middle.push_back(v);
        }
        best = BestSubset(middle, 2, 4);
    }
    if (best == 0 && ace) {
        for (int c : ranks) {
            if (c >= 10 && c <= 13)
                best = std::max(best, 2 - Loss(Gap({14, c})));
        }
    }
    return low + best;
}

}  // namespace

HutchisonParts HutchisonPointParts(const CardPair cards[4])
{
    HutchisonParts parts;
    for (int suit = 0; suit < 4; ++suit) {
        int n = 0;
        int highest = 0;
        for (int i = 0; i < 4; ++i) {
            if (cards[i].suit == suit) {
                ++n;
                highest = std::max(highest, ValueOf(cards[i].rank));
            }
        }
        if (n >= 2)
            parts.suited += SuitedPoints(highest) - (n == 4 ? 2 : 0);
    }
    std::vector<int> ranks;
    for (int i = 0; i < 4; ++i) {
        const int v = ValueOf(cards[i].rank);
        const int held = static_cast<int>(std::count_if(cards, cards + 4, [&](const CardPair& c) {
            return ValueOf(c.rank) == v;
        }));
        if (held == 2 && !Holds(ranks, v))
            parts.pairs += PairPoints(v);
        if (!Holds(ranks, v))
            ranks.push_back(v);
    }
    parts.straight = StraightPoints(ranks);
    return parts;
}

double HutchisonPoints(const CardPair cards[4])
{
    const HutchisonParts parts = HutchisonPointParts(cards);
    return parts.suited + parts.pairs + parts.straight;
}
