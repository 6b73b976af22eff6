#pragma once
// What the flop classifier and the outs counters share: reading the hand and
// flop texts, and the five-card tests over the combinations of exactly two
// hole cards with three board cards. Cards are in the application numbering
// (rank index 0 = ace .. 12 = deuce, so a lower index is a higher rank).

#include <string_view>

namespace flop_detail {

struct Card {
    int rank = -1;
    int suit = -1;
};

// The hole cards and the flop of one question.
struct HandOnFlop {
    Card hole[4];
    Card flop[3];
};

// Trims white space at both ends; the hand must then be 8 characters and the
// flop 6, every two-letter group a card. Cards named twice are not refused.
bool ReadHandOnFlop(std::wstring_view handText, std::wstring_view flopText, HandOnFlop& out);

// The six pairs of hole-card positions.
inline constexpr int kHolePairs[6][2] = {{0, 1}, {0, 2}, {0, 3}, {1, 2}, {1, 3}, {2, 3}};

// Top of the straight that these five ranks form, as a height (deuce 0 ..
// ace 12; the wheel's top is the five, 3), or -1 when they form none.
int StraightTop(const int ranks[5]);
// The highest straight top that any two ranks make with these three board
// ranks, -1 when none can.
int BestPossibleStraight(int r0, int r1, int r2);

// Highest straight top among the hand's combinations with these three
// board cards, -1 when no combination is a straight.
int HandStraightTop(const Card hole[4], const Card board[3]);

enum class FlushKind { None, NoNut, Nut };
// On three cards of one suit: whether some combination whose two hole cards
// have that suit, and that is not a straight, is a flush, and whether one of
// them holds the highest rank of the suit missing from the three cards.
FlushKind HandFlush(const Card hole[4], const Card board[3]);

}  // namespace flop_detail
