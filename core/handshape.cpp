#include "core/handshape.h"

#include <algorithm>
#include <functional>

namespace {

// Pattern code from the multiset of counts (of ranks or of suits) in four cards.
int PatternOfCounts(int counts[], int n)
{
    std::sort(counts, counts + n, std::greater<int>());
    if (counts[0] == 4)
        return 0;
    if (counts[0] == 3)
        return 1;
    if (counts[0] == 2)
        return counts[1] == 2 ? 2 : 3;
    return 4;
}

}  // namespace

int RankPatternOf(const CardPair cards[4])
{
    int counts[13] = {};
    for (int i = 0; i < 4; ++i)
        ++counts[cards[i].rank];
    return PatternOfCounts(counts, 13);
}

int SuitPatternOf(const CardPair cards[4])
{
    int counts[4] = {};
    for (int i = 0; i < 4; ++i)
        ++counts[cards[i].suit];
    return PatternOfCounts(counts, 4);
}

std::uint64_t ClassSignature(const CardPair cards[4])
{
    std::uint16_t sets[4] = {};
    for (int i = 0; i < 4; ++i)
        sets[cards[i].suit] |= static_cast<std::uint16_t>(1u << cards[i].rank);
    std::sort(sets, sets + 4);
    std::uint64_t signature = 0;
    for (std::uint16_t s : sets)
        signature = signature << 16 | s;
    return signature;
}

int ClassSizeOf(const CardPair cards[4])
{
    // Renamings that fix the hand are those that only exchange suits with the
    // same rank set; the class size is 24 divided by their number.
    std::uint16_t sets[4] = {};
    for (int i = 0; i < 4; ++i)
        sets[cards[i].suit] |= static_cast<std::uint16_t>(1u << cards[i].rank);
    std::sort(sets, sets + 4);
    int fixing = 1;
    for (int i = 0; i < 4;) {
        int j = i;
        while (j < 4 && sets[j] == sets[i])
            ++j;
        for (int k = 2; k <= j - i; ++k)
            fixing *= k;
        i = j;
    }
    return 24 / fixing;
}

bool IsValidHand(const CardPair cards[4])
{
    for (int i = 0; i < 4; ++i) {
        if (cards[i].rank < 0 || cards[i].rank > 12 || cards[i].suit < 0 || cards[i].suit > 3)
            return false;
        for (int j = 0; j < i; ++j) {
            if (cards[i] == cards[j])
                return false;
        }
    }
    return true;
}

void CardsOf(const HandRecord& record, CardPair cards[4])
{
    for (int i = 0; i < 4; ++i)
        cards[i] = CardPair{record.ranks[i], record.suits[i]};
}
