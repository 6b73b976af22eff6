#include "tools/tablegen/shapes.h"

#include "core/cards.h"

namespace {

CardMask HandMask(const CardPair cards[4])
{
    CardMask mask = 0;
    for (int i = 0; i < 4; ++i)
        mask |= CardMaskOf(cards[i].rank, cards[i].suit);
    return mask;
}

int HighType(CardMask hole, CardMask board)
{
    pokereval::HandVal value = 0;
    if (pokereval::evalOmaha(hole, board, &value, nullptr) != 0)
        return -1;
    return pokereval::handType(value);
}

// A flop of the three ranks in three different suits (so no flush can form)
// that avoids the hole cards; 0 when there is none (a hand of four of a rank).
CardMask RainbowFlop(CardMask hole, const int ranks[3])
{
    for (int s0 = 0; s0 < 4; ++s0) {
        for (int s1 = 0; s1 < 4; ++s1) {
            for (int s2 = 0; s2 < 4; ++s2) {
                if (s0 == s1 || s0 == s2 || s1 == s2)
                    continue;
                const CardMask flop = CardMaskOf(ranks[0], s0) | CardMaskOf(ranks[1], s1) |
                                      CardMaskOf(ranks[2], s2);
                if ((flop & hole) == 0)
                    return flop;
            }
        }
    }
    return 0;
}

}  // namespace

int StraightShapes(const CardPair cards[4])
{
    const CardMask hole = HandMask(cards);
    int shapes = 0;
    for (int a = 0; a < 13; ++a) {
        for (int b = a + 1; b < 13; ++b) {
            for (int c = b + 1; c < 13; ++c) {
                const int ranks[3] = {a, b, c};
                const CardMask flop = RainbowFlop(hole, ranks);
                if (flop != 0 && HighType(hole, flop) == pokereval::kStraight)
                    ++shapes;
            }
        }
    }
    return shapes;
}

int StraightFlushShapes(const CardPair cards[4])
{
    const CardMask hole = HandMask(cards);
    int shapes = 0;
    for (int suit = 0; suit < 4; ++suit) {
        for (int a = 0; a < 13; ++a) {
            for (int b = a + 1; b < 13; ++b) {
                for (int c = b + 1; c < 13; ++c) {
                    const CardMask flop = CardMaskOf(a, suit) | CardMaskOf(b, suit) | CardMaskOf(c, suit);
                    if ((flop & hole) == 0 && HighType(hole, flop) == pokereval::kStraightFlush)
                        ++shapes;
                }
            }
        }
    }
    return shapes;
}
