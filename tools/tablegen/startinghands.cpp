#include "tools/tablegen/startinghands.h"

#include "core/handshape.h"
#include "tools/tablegen/hutchison.h"
#include "tools/tablegen/shapes.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <stdexcept>
#include <vector>

namespace {

// A card as one number that sorts like (rank index, suit index).
using Card = int;
using Hand = std::array<Card, 4>;

Card CardOf(const CardPair& c)
{
    return c.rank * 4 + c.suit;
}

CardPair PairOf(Card c)
{
    return CardPair{c / 4, c % 4};
}

bool SuitsInFirstSeenOrder(const Hand& sorted)
{
    int next = 0;
    bool seen[4] = {};
    for (Card c : sorted) {
        const int suit = c % 4;
        if (seen[suit])
            continue;
        if (suit != next)
            return false;
        seen[suit] = true;
        ++next;
    }
    return true;
}

Hand Representative(const Hand& hand)
{
    std::array<int, 4> rename = {0, 1, 2, 3};
    bool found = false;
    Hand best{};
    do {
        Hand renamed;
        for (int i = 0; i < 4; ++i)
            renamed[static_cast<std::size_t>(i)] = hand[static_cast<std::size_t>(i)] / 4 * 4 +
                                                   rename[static_cast<std::size_t>(hand[static_cast<std::size_t>(i)] % 4)];
        std::sort(renamed.begin(), renamed.end());
        if (SuitsInFirstSeenOrder(renamed) && (!found || renamed < best)) {
            best = renamed;
            found = true;
        }
    } while (std::next_permutation(rename.begin(), rename.end()));
    return best;
}

void ToPairs(const Hand& hand, CardPair out[4])
{
    for (int i = 0; i < 4; ++i)
        out[i] = PairOf(hand[static_cast<std::size_t>(i)]);
}

}  // namespace

void ClassRepresentative(const CardPair cards[4], CardPair representative[4])
{
    Hand hand;
    for (int i = 0; i < 4; ++i)
        hand[static_cast<std::size_t>(i)] = CardOf(cards[i]);
    ToPairs(Representative(hand), representative);
}

void BuildStartingHandTables(COmahaBase& base)
{
    struct Entry {
        Hand representative;
        Hand hand;
    };
    std::vector<Entry> entries;
    entries.reserve(kHandCount);
    for (Card a = 0; a < 52; ++a)
        for (Card b = a + 1; b < 52; ++b)
            for (Card c = b + 1; c < 52; ++c)
                for (Card d = c + 1; d < 52; ++d) {
                    const Hand hand{a, b, c, d};
                    entries.push_back({Representative(hand), hand});
                }
    if (entries.size() != static_cast<std::size_t>(kHandCount))
        throw std::runtime_error("wrong number of four-card hands");
    std::sort(entries.begin(), entries.end(), [](const Entry& x, const Entry& y) {
        return x.representative != y.representative ? x.representative < y.representative : x.hand < y.hand;
    });

    base.m_classes.reset(new HandClassRecord[kClassCount]);
    base.m_hands.reset(new HandRecord[kHandCount]());
    int classIndex = -1;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (i == 0 || entries[i].representative != entries[i - 1].representative) {
            ++classIndex;
            if (classIndex >= kClassCount)
                throw std::runtime_error("more classes than the table holds");
            HandClassRecord& record = base.m_classes[classIndex];
            ToPairs(entries[i].representative, record.cards);
            record.rankPattern = RankPatternOf(record.cards);
            record.suitPattern = SuitPatternOf(record.cards);
            record.straightShapes = StraightShapes(record.cards);
            record.straightFlushShapes = StraightFlushShapes(record.cards);
            record.points = HutchisonPoints(record.cards);
            record.points2 = 2 * record.points;
        }
        ++base.m_classes[classIndex].comboCount;
        HandRecord& hand = base.m_hands[static_cast<int>(i)];
        for (int k = 0; k < 4; ++k) {
            const CardPair card = PairOf(entries[i].hand[static_cast<std::size_t>(k)]);
            hand.ranks[k] = static_cast<std::int8_t>(card.rank);
            hand.suits[k] = static_cast<std::int8_t>(card.suit);
        }
        hand.classIndex = classIndex;
    }
    if (classIndex + 1 != kClassCount)
        throw std::runtime_error("the hands do not form the expected number of classes");
    base.m_classCount = kClassCount;
    ComputeHandRanges(base.m_classes.get(), base.m_hands.get());
}
