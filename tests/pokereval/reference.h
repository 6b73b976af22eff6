// Independent slow reference evaluators for the pokereval tests (deliberately not sharing code or
// tables with the library).
#pragma once

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdint>
#include <thread>
#include <vector>

#include "pokereval/pokereval.h"

namespace pereference {

using pokereval::CardMask;
using pokereval::HandVal;
using pokereval::LowHandVal;

inline int rankOf(int index) { return index % 13; }
inline int suitOf(int index) { return index / 13; }

// Deck indices of the cards of a mask (through the library's cardMask, which has its own tests).
inline std::vector<int> cardsOf(CardMask mask) {
  std::vector<int> out;
  for (int i = 0; i < 52; ++i) {
    if (mask & pokereval::cardMask(i)) out.push_back(i);
  }
  return out;
}

// High value of exactly five cards given by deck index, by counting ranks.
inline HandVal high5(const int card[5]) {
  int count[13] = {};
  bool flush = true;
  for (int i = 0; i < 5; ++i) {
    ++count[rankOf(card[i])];
    if (suitOf(card[i]) != suitOf(card[0])) flush = false;
  }
  // Groups of equal rank ordered by size, then rank, both descending.
  int groupRank[5], groupSize[5], groups = 0;
  for (int size = 4; size >= 1; --size)
    for (int r = 12; r >= 0; --r)
      if (count[r] == size) groupRank[groups] = r, groupSize[groups++] = size;
  bool straight = false;
  int top = 0;
  if (groups == 5) {
    if (groupRank[0] - groupRank[4] == 4) {
      straight = true;
      top = groupRank[0];
    } else if (groupRank[0] == 12 && groupRank[1] == 3) {  // A 5 4 3 2
      straight = true;
      top = 3;
    }
  }
  int type;
  if (straight && flush) type = 8;
  else if (groupSize[0] == 4) type = 7;
  else if (groupSize[0] == 3 && groupSize[1] == 2) type = 6;
  else if (flush) type = 5;
  else if (straight) type = 4;
  else if (groupSize[0] == 3) type = 3;
  else if (groupSize[0] == 2 && groupSize[1] == 2) type = 2;
  else if (groupSize[0] == 2) type = 1;
  else type = 0;
  HandVal v = static_cast<HandVal>(type) << 24;
  if (straight) return v | static_cast<HandVal>(top) << 16;
  for (int i = 0; i < groups; ++i) v |= static_cast<HandVal>(groupRank[i]) << (16 - 4 * i);
  return v;
}

// Best high value of any number (>= 5) of cards: every five-card subset through high5.
inline HandVal highBest(const std::vector<int>& cards) {
  HandVal best = 0;
  const int n = static_cast<int>(cards.size());
  int pick[5];
  for (int a = 0; a < n; ++a)
    for (int b = a + 1; b < n; ++b)
      for (int c = b + 1; c < n; ++c)
        for (int d = c + 1; d < n; ++d)
          for (int e = d + 1; e < n; ++e) {
            pick[0] = cards[a], pick[1] = cards[b], pick[2] = cards[c], pick[3] = cards[d], pick[4] = cards[e];
            best = std::max(best, high5(pick));
          }
  return best;
}

// Ace-to-five eight-or-better low of exactly five cards, or kNoLow: all five ranks ace..eight and
// distinct, written highest first.
inline LowHandVal low5(const int card[5]) {
  unsigned seen = 0;
  for (int i = 0; i < 5; ++i) {
    const int r = rankOf(card[i]);
    const int low = r == 12 ? 0 : r + 1;  // ace 0, deuce 1 ... eight 7
    if (low > 7 || (seen & (1u << low))) return pokereval::kNoLow;
    seen |= 1u << low;
  }
  LowHandVal v = 0;
  int field = 0;
  for (int low = 7; low >= 0; --low) {
    if (seen & (1u << low)) v |= static_cast<LowHandVal>(low) << (16 - 4 * field++);
  }
  return v;
}

inline LowHandVal lowBest(const std::vector<int>& cards) {
  LowHandVal best = pokereval::kNoLow;
  const int n = static_cast<int>(cards.size());
  int pick[5];
  for (int a = 0; a < n; ++a)
    for (int b = a + 1; b < n; ++b)
      for (int c = b + 1; c < n; ++c)
        for (int d = c + 1; d < n; ++d)
          for (int e = d + 1; e < n; ++e) {
            pick[0] = cards[a], pick[1] = cards[b], pick[2] = cards[c], pick[3] = cards[d], pick[4] = cards[e];
            best = std::min(best, low5(pick));
          }
  return best;
}

// Omaha by brute force: every two of the four hole cards with every three of the board; high through
// pokereval::evalHigh on the five cards (itself checked exhaustively against high5), low through low5.
inline void omaha(CardMask hole, CardMask board, HandVal* hi, LowHandVal* lo) {
  static const auto masks = [] {
    std::array<CardMask, 52> m{};
    for (int i = 0; i < 52; ++i) m[i] = pokereval::cardMask(i);
    return m;
  }();
  int h[52], b[52];
  int nh = 0, nb = 0;
  for (int i = 0; i < 52; ++i) {
    if (hole & masks[i]) h[nh++] = i;
    if (board & masks[i]) b[nb++] = i;
  }
  HandVal bestHi = 0;
  LowHandVal bestLo = pokereval::kNoLow;
  for (int i = 0; i < nh; ++i)
    for (int j = i + 1; j < nh; ++j)
      for (int x = 0; x < nb; ++x)
        for (int y = x + 1; y < nb; ++y)
          for (int z = y + 1; z < nb; ++z) {
            const int five[5] = {h[i], h[j], b[x], b[y], b[z]};
            bestHi = std::max(bestHi, pokereval::evalHigh(masks[h[i]] | masks[h[j]] | masks[b[x]] | masks[b[y]] |
                                                          masks[b[z]]));
            bestLo = std::min(bestLo, low5(five));
          }
  *hi = bestHi;
  *lo = bestLo;
}

// Mask of a text of card texts without separators ("AhKd7c"), through cardFromString.
inline CardMask parse(const char* text) {
  CardMask m = 0;
  for (const char* p = text; p[0] && p[1]; p += 2) {
    int idx = -1;
    if (pokereval::cardFromString(p, &idx) == 2) m |= pokereval::cardMask(idx);
  }
  return m;
}

// Deterministic generator (splitmix64): the same sequence on every platform and library.
class Rng {
 public:
  explicit Rng(std::uint64_t seed) : s_(seed) {}
  std::uint64_t next() {
    std::uint64_t z = (s_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  int below(int n) { return static_cast<int>(next() % static_cast<std::uint64_t>(n)); }

 private:
  std::uint64_t s_;
};

// Draws n distinct cards of the given deck (deck indices) not in used; adds them to used.
inline CardMask draw(Rng& rng, const std::vector<int>& deck, int n, CardMask& used) {
  CardMask out = 0;
  while (n > 0) {
    const CardMask c = pokereval::cardMask(deck[rng.below(static_cast<int>(deck.size()))]);
    if (used & c) continue;
    used |= c;
    out |= c;
    --n;
  }
  return out;
}

// Runs body(chunk) for chunk = 0 .. chunks-1 on all cores (each chunk on one thread).
template <class Body>
void parallelChunks(int chunks, Body body) {
  std::atomic<int> next{0};
  const unsigned n = std::max(1u, std::min(16u, std::thread::hardware_concurrency()));
  std::vector<std::thread> threads;
  for (unsigned i = 0; i < n; ++i) {
    threads.emplace_back([&] {
      for (int c; (c = next.fetch_add(1)) < chunks;) body(c);
    });
  }
  for (auto& t : threads) t.join();
}

}  // namespace pereference
