#pragma once
// The turn cards that give four Omaha hole cards a straight or a flush on a
// flop, and those that give the nut one. A five-card hand is exactly two hole
// cards with exactly three of the four board cards. An outs text is the plain
// two-letter texts of its cards without separators, ranks from the ace down
// and each rank's suits in the order d, h, s, c.

#include <string>
#include <string_view>

inline constexpr int kStraightOutsInvalid = -1;
inline constexpr int kStraightOutsListed = 0;
inline constexpr int kHoldsNutStraight = 1;
inline constexpr int kHoldsStraight = 2;

// kStraightOutsInvalid for unreadable texts; kHoldsNutStraight or
// kHoldsStraight (outs left empty) when the hand already holds a straight;
// else kStraightOutsListed.
int ListStraightOuts(std::wstring_view handText, std::wstring_view flopText, std::wstring& allOuts,
                     std::wstring& nutOuts);
// 0 for unreadable texts or a hand that already holds a flush; 1 with the outs listed.
int ListFlushOuts(std::wstring_view handText, std::wstring_view flopText, std::wstring& allOuts,
                  std::wstring& nutOuts);
