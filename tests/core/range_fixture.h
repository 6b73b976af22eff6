#pragma once
// A starting-hand base built in memory for the range tests: all 270,725 hands
// grouped into their 16,432 classes, with made-up but known shape counts,
// points and ranking positions so that every filter and percentile item can
// be checked against a count of its own.

#include "core/handbase.h"

#include <algorithm>
#include <array>
#include <map>
#include <vector>

namespace range_fixture {

// Four cards, ace first: rank index ascending, then suit index.
using Cards = std::array<CardPair, 4>;

inline bool CardLess(const CardPair& a, const CardPair& b) {
    return a.rank != b.rank ? a.rank < b.rank : a.suit < b.suit;
}

inline Cards Sorted(Cards cards) {
    std::sort(cards.begin(), cards.end(), CardLess);
    return cards;
}

inline bool CardsLess(const Cards& a, const Cards& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), CardLess);
}

// The smallest of the hand's 24 suit renamings: the same for every hand of a class.
inline Cards Canonical(const Cards& cards) {
    int perm[4] = {0, 1, 2, 3};
    Cards best = Sorted(cards);
    do {
        Cards renamed = cards;
        for (CardPair& c : renamed) c.suit = perm[c.suit];
        renamed = Sorted(renamed);
        if (CardsLess(renamed, best)) best = renamed;
    } while (std::next_permutation(perm, perm + 4));
    return best;
}

inline int RankPatternFromCards(const Cards& cards) {
    int counts[13] = {};
    for (const CardPair& c : cards) ++counts[c.rank];
    std::vector<int> sizes;
    for (int n : counts) {
        if (n) sizes.push_back(n);
    }
    std::sort(sizes.rbegin(), sizes.rend());
    if (sizes[0] == 4) return 0;
    if (sizes[0] == 3) return 1;
    if (sizes[0] == 2) return sizes[1] == 2 ? 2 : 3;
    return 4;
}

inline int SuitPatternFromCards(const Cards& cards) {
    int counts[4] = {};
    for (const CardPair& c : cards) ++counts[c.suit];
    std::sort(counts, counts + 4);
    if (counts[3] == 4) return 0;
    if (counts[3] == 3) return 1;
    if (counts[3] == 2) return counts[2] == 2 ? 2 : 3;
    return 4;
}

// Made-up class values: deterministic, spread over each value's whole range.
inline int FakeStraightShapes(int k) { return (k * 7) % 21; }
inline int FakeStraightFlushShapes(int k) { return (k * 5) % 9; }
inline double FakePoints(int k) { return (k % 55) * 0.5; }
// Positions are permutations of 0..16,431 (7,919 and 3 share no factor with 16,432).
inline int FakePos(int k, int row) { return static_cast<int>((k * 7919LL + row * 101LL) % kClassCount); }
inline int FakePosHiLo(int k, int row) { return static_cast<int>((k * 3LL + row * 1000LL) % kClassCount); }

inline void Build(COmahaBase& base) {
    std::vector<std::pair<Cards, Cards>> hands;  // canonical, cards
    hands.reserve(kHandCount);
    for (int a = 0; a < 52; ++a)
        for (int b = a + 1; b < 52; ++b)
            for (int c = b + 1; c < 52; ++c)
                for (int d = c + 1; d < 52; ++d) {
                    Cards cards;
                    const int deck[4] = {a, b, c, d};
                    for (int i = 0; i < 4; ++i) cards[i] = {deck[i] / 4, deck[i] % 4};
                    cards = Sorted(cards);
                    hands.emplace_back(Canonical(cards), cards);
                }
    std::sort(hands.begin(), hands.end(), [](const auto& x, const auto& y) {
        if (x.first != y.first) return CardsLess(x.first, y.first);
        return CardsLess(x.second, y.second);
    });

    base.m_classes = std::make_unique<HandClassRecord[]>(kClassCount);
    base.m_hands = std::make_unique<HandRecord[]>(kHandCount);
    int classIndex = -1;
    for (int i = 0; i < kHandCount; ++i) {
        const auto& [canonical, cards] = hands[static_cast<size_t>(i)];
        if (i == 0 || canonical != hands[static_cast<size_t>(i) - 1].first) {
            ++classIndex;
            HandClassRecord& record = base.m_classes[classIndex];
            for (int k = 0; k < 4; ++k) record.cards[k] = canonical[k];
            record.firstHand = i;
            record.rankPattern = RankPatternFromCards(canonical);
            record.suitPattern = SuitPatternFromCards(canonical);
            record.straightShapes = FakeStraightShapes(classIndex);
            record.straightFlushShapes = FakeStraightFlushShapes(classIndex);
            record.points = FakePoints(classIndex);
            record.points2 = record.points * 2;
            for (int row = 0; row < kStatRows; ++row) {
                record.stats[kStatPos][row] = FakePos(classIndex, row);
                record.stats[kStatPosHiLo][row] = FakePosHiLo(classIndex, row);
            }
        }
        HandRecord& hand = base.m_hands[i];
        for (int k = 0; k < 4; ++k) {
            hand.ranks[k] = static_cast<std::int8_t>(cards[k].rank);
            hand.suits[k] = static_cast<std::int8_t>(cards[k].suit);
        }
        hand.classIndex = classIndex;
        base.m_classes[classIndex].endHand = i + 1;
        ++base.m_classes[classIndex].comboCount;
    }
    base.m_classCount = classIndex + 1;
}

// One base for the whole test program; tests reset its settings as they need.
inline COmahaBase& Base() {
    static COmahaBase* base = [] {
        auto* built = new COmahaBase;
        Build(*built);
        return built;
    }();
    return *base;
}

}  // namespace range_fixture
