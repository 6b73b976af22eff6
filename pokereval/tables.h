// Internal lookup tables of the evaluators (not part of the library's interface).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "pokereval/pokereval.h"

namespace pokereval::detail {

constexpr std::uint32_t kRankBits = 0x1FFF;
constexpr CardMask kAllCards = 0x1FFF1FFF1FFF1FFFull;
constexpr int kNumClasses = 7462;  // distinct five-card high values
constexpr int kNumPairs = 91;      // two-rank multisets
constexpr int kRowSize = 96;  // 91 used; a row is three cache lines
constexpr int kNumRows3 = 455;   // C(15, 3) multisets of three ranks
constexpr int kNumRows4 = 1820;  // C(16, 4)
constexpr int kNumRows5 = 6188;  // C(17, 5), five of a rank included (never used)
constexpr int kRowBase[6] = {0, 0, 0, 0, kNumRows3, kNumRows3 + kNumRows4};

// Binomial coefficient for the small arguments of the multiset index.
constexpr int choose(int n, int k) {
  if (k < 0 || k > n) return 0;
  long long r = 1;
  for (int i = 1; i <= k; ++i) r = r * (n - k + i) / i;
  return static_cast<int>(r);
}

// Colex index of a multiset of ranks given sorted ascending: sum of C(r[i] + i, i + 1); the multisets of
// n ranks of 13 get the indices 0 .. C(12 + n, n) - 1.
struct MultisetIndex {
  std::uint16_t term[5][16];
  constexpr MultisetIndex() : term() {
    for (int i = 0; i < 5; ++i)
      for (int r = 0; r < 16; ++r) term[i][r] = static_cast<std::uint16_t>(r < 13 ? choose(r + i, i + 1) : 0);
  }
};
inline constexpr MultisetIndex kMultisetIndex{};

struct Tables {
  // By 13-bit rank mask.
  std::uint8_t nbits[8192];
  std::uint8_t topCard[8192];       // highest rank of the mask (0 for an empty mask)
  std::uint32_t topFive[8192];      // the top (up to) five ranks in the rank fields, highest in bits 16-19
  std::uint32_t straightVal[8192];  // value of the best straight in the mask, 0 when none
  std::uint32_t flushVal[8192];     // for masks of >= 5 ranks: best straight flush or flush value
  std::uint16_t top2[8192];         // the two highest ranks when the mask has at least two, else 0
  std::int16_t flushClass[8192];    // for masks of exactly five ranks: class of that flush/straight flush

  // Eight-or-better low, by 8-bit ace-to-eight rank mask (ace bit 0, deuce bit 1 ... eight bit 7).
  std::uint32_t low8Val[256];  // value of the five lowest ranks, kNoLow with fewer than five
  // Omaha low: [board low mask][hole low mask] -> five-rank low mask of the best low with exactly two
  // hole ranks and three board ranks (lower mask = better low), 0 when there is none.
  std::uint8_t omahaLow[256][256];

  // Omaha high without flushes. A row per multiset of board ranks (3, 4 or 5 ranks); in it, per
  // multiset of two hole ranks (pairIndex), the class of the best non-flush hand of those two ranks with
  // three of the board ranks. Rows of 3-rank boards first, then 4, then 5; a row is kRowSize entries.
  // Row of a board = kRowBase[n] + multisetIndex(sorted ranks) (see boardRowOffset).
  alignas(64) std::int16_t hiRows[(kNumRows3 + kNumRows4 + kNumRows5) * kRowSize];
  std::uint8_t pairIndex[16 * 16];  // [r1][r2] (any order, ranks 0..15) -> column of a row

  // Class (0..7461, ordered like the values) -> HandVal.
  std::uint32_t classVal[kNumClasses];
  int numClasses;
};

const Tables& buildTables();

// The tables, built on first use (thread-safe).
inline const Tables& tables() {
  static const Tables& t = buildTables();
  return t;
}

std::size_t tableBytes();

inline void sortTwo(int& a, int& b) {
  const int lo = a < b ? a : b;
  b = a < b ? b : a;
  a = lo;
}

// Offset in hiRows of the row of a board of n = 3..5 ranks given in any order (sorted in place).
// Ranks 13..15 (not cards) still give an offset inside the table.
inline int boardRowOffset(int* r, int n) {
  const auto& T = kMultisetIndex.term;
  int index;
  if (n >= 5) {
    sortTwo(r[0], r[3]), sortTwo(r[1], r[4]);
    sortTwo(r[0], r[2]), sortTwo(r[1], r[3]);
    sortTwo(r[0], r[1]), sortTwo(r[2], r[4]);
    sortTwo(r[1], r[2]), sortTwo(r[3], r[4]);
    sortTwo(r[2], r[3]);
    index = kRowBase[5] + T[0][r[0]] + T[1][r[1]] + T[2][r[2]] + T[3][r[3]] + T[4][r[4]];
  } else if (n == 4) {
    sortTwo(r[0], r[2]), sortTwo(r[1], r[3]);
    sortTwo(r[0], r[1]), sortTwo(r[2], r[3]);
    sortTwo(r[1], r[2]);
    index = kRowBase[4] + T[0][r[0]] + T[1][r[1]] + T[2][r[2]] + T[3][r[3]];
  } else {
    sortTwo(r[0], r[2]);
    sortTwo(r[0], r[1]);
    sortTwo(r[1], r[2]);
    index = T[0][r[0]] + T[1][r[1]] + T[2][r[2]];
  }
  return index * kRowSize;
}

// 13-bit rank mask of ace..eight as the 8-bit low mask (ace bit 0, deuce bit 1 ... eight bit 7).
inline std::uint32_t lowMaskOfRanks(std::uint32_t ranks) {
  return ((ranks & 0x7F) << 1) | ((ranks >> 12) & 1);
}

// High value without flushes from the four suit masks (and the derived masks of ranks held at least
// once, twice, three and four times).
inline HandVal nonFlushValue(const Tables& t, std::uint32_t ranks, std::uint32_t m2, std::uint32_t m3,
                             std::uint32_t m4) {
  if (m4) {
    const std::uint32_t q = t.topCard[m4];
    const std::uint32_t k = t.topCard[ranks & ~(1u << q)];
    return (HandVal(kQuads) << 24) | (q << 16) | (k << 12);
  }
  if (m3) {
    const std::uint32_t tr = t.topCard[m3];
    const std::uint32_t rest = m2 & ~(1u << tr);
    if (rest) {
      return (HandVal(kFullHouse) << 24) | (tr << 16) | (std::uint32_t(t.topCard[rest]) << 12);
    }
  }
  if (const std::uint32_t s = t.straightVal[ranks]) return s;
  if (m3) {
    const std::uint32_t tr = t.topCard[m3];
    return (HandVal(kTrips) << 24) | (tr << 16) | ((t.topFive[ranks & ~(1u << tr)] >> 4) & 0xFF00);
  }
  if (m2) {
    const std::uint32_t p1 = t.topCard[m2];
    const std::uint32_t rest = m2 & ~(1u << p1);
    if (rest) {
      const std::uint32_t p2 = t.topCard[rest];
      const std::uint32_t k = t.topCard[ranks & ~((1u << p1) | (1u << p2))];
      return (HandVal(kTwoPair) << 24) | (p1 << 16) | (p2 << 12) | (k << 8);
    }
    return (HandVal(kOnePair) << 24) | (p1 << 16) | ((t.topFive[ranks & ~(1u << p1)] >> 4) & 0xFFF0);
  }
  return t.topFive[ranks];
}

}  // namespace pokereval::detail
