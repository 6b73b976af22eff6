// Exact equities by enumeration with the evaluator: two fixed Omaha hands on a board of three
// to five cards, every remaining card combination dealt once.
#pragma once

#include <cmath>
#include <vector>

#include "pokereval/pokereval.h"

namespace graphtest {

using pokereval::CardMask;

// Player 1's share of the pot in percent on a complete board.
inline double PotShare(CardMask hand1, CardMask hand2, CardMask board, bool hiLo) {
  pokereval::HandVal hi1 = 0, hi2 = 0;
  pokereval::LowHandVal lo1 = pokereval::kNoLow, lo2 = pokereval::kNoLow;
  pokereval::evalOmaha(hand1, board, &hi1, hiLo ? &lo1 : nullptr);
  pokereval::evalOmaha(hand2, board, &hi2, hiLo ? &lo2 : nullptr);
  const double high = hi1 > hi2 ? 1.0 : hi1 == hi2 ? 0.5 : 0.0;
  if (!hiLo || (lo1 == pokereval::kNoLow && lo2 == pokereval::kNoLow)) return 100.0 * high;
  const double low = lo1 < lo2 ? 1.0 : lo1 == lo2 ? 0.5 : 0.0;
  return 100.0 * (high + low) / 2.0;
}

// Mean and variance (per deal) of player 1's share over every completion of the board.
struct Exact {
  double equity = 0;
  double variance = 0;
};

inline Exact Enumerate(CardMask hand1, CardMask hand2, CardMask board, bool hiLo) {
  const CardMask used = hand1 | hand2 | board;
  std::vector<double> shares;
  const int missing = 5 - pokereval::numCards(board);
  std::vector<int> free;
  for (int i = 0; i < 52; ++i)
    if (!(pokereval::cardMask(i) & used)) free.push_back(i);
  if (missing == 0) {
    shares.push_back(PotShare(hand1, hand2, board, hiLo));
  } else if (missing == 1) {
    for (int a : free) shares.push_back(PotShare(hand1, hand2, board | pokereval::cardMask(a), hiLo));
  } else {
    for (size_t a = 0; a < free.size(); ++a)
      for (size_t b = a + 1; b < free.size(); ++b)
        shares.push_back(
            PotShare(hand1, hand2, board | pokereval::cardMask(free[a]) | pokereval::cardMask(free[b]), hiLo));
  }
  Exact e;
  for (double s : shares) e.equity += s;
  e.equity /= static_cast<double>(shares.size());
  for (double s : shares) e.variance += (s - e.equity) * (s - e.equity);
  e.variance /= static_cast<double>(shares.size());
  return e;
}

// The distance an estimate from the given number of trials may lie from the exact value:
// five standard errors, and a little for rounding when there is no spread at all.
inline double Tolerance(const Exact& e, int trials) { return 5.0 * std::sqrt(e.variance / trials) + 1e-9; }

}  // namespace graphtest
