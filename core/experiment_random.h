#pragma once
// One starting hand against seven random hands in Omaha Hi/Lo 8-or-better,
// on random boards: a developer experiment that measures a class's strength.

#include "core/cards.h"

#include <string_view>

inline constexpr int kExperimentSeats = 8;            // seat 0 the hand, seats 1-7 random hands
inline constexpr int kExperimentAttempts = 1000000;

// Four random cards (rand() modulo 52 each), none of them in `excluded`.
CardMask DealRandomHand(CardMask excluded);

// Plays kExperimentAttempts dealing attempts (seeding rand() with the tick
// count) and writes, per seat, the percentages of the accepted deals: high
// win, high tie, low win, low tie (shares of the half pots), scoops and
// equity. Returns 0, or -4 with nothing done when an array is missing or
// the hand text does not name four different cards (then every value is 0).
int SimulateHandVsRandomHands(std::wstring_view handText, double highWin[kExperimentSeats],
                              double highTie[kExperimentSeats], double lowWin[kExperimentSeats],
                              double lowTie[kExperimentSeats], double scoop[kExperimentSeats],
                              double equity[kExperimentSeats]);
