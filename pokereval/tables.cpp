// Building the lookup tables (once per process, on first use).
#include "pokereval/tables.h"

#include <algorithm>
#include <memory>

namespace pokereval::detail {
namespace {

std::uint32_t straightTopOf(std::uint32_t ranks) {
  for (int top = 12; top >= 4; --top) {
    const std::uint32_t w = 0x1Fu << (top - 4);
    if ((ranks & w) == w) return static_cast<std::uint32_t>(top);
  }
  constexpr std::uint32_t kWheel = 0x100F;  // A 2 3 4 5
  if ((ranks & kWheel) == kWheel) return 3;
  return 0xFF;
}

// Non-flush value of a multiset of ranks (count[r] copies of rank r, at most four each).
HandVal rankMultisetValue(const Tables& t, const int count[13]) {
  std::uint32_t suit[4] = {0, 0, 0, 0};
  for (int r = 0; r < 13; ++r) {
    for (int k = 0; k < count[r]; ++k) suit[k] |= 1u << r;
  }
  const std::uint32_t s = suit[0], c = suit[1], d = suit[2], h = suit[3];
  const std::uint32_t ranks = s | c | d | h;
  const std::uint32_t m2 = (s & c) | (d & h) | ((s | c) & (d | h));
  const std::uint32_t m3 = (s & c & (d | h)) | (d & h & (s | c));
  const std::uint32_t m4 = s & c & d & h;
  return nonFlushValue(t, ranks, m2, m3, m4);
}

int classOf(const Tables& t, HandVal v) {
  const std::uint32_t* end = t.classVal + t.numClasses;
  const std::uint32_t* p = std::lower_bound(t.classVal, end, v);
  return (p != end && *p == v) ? static_cast<int>(p - t.classVal) : 0;
}

void buildRankTables(Tables& t) {
  for (std::uint32_t m = 0; m < 8192; ++m) {
    int n = 0;
    int top = 0;
    std::uint32_t five = 0;
    int placed = 0;
    for (int r = 12; r >= 0; --r) {
      if (!(m & (1u << r))) continue;
      if (n == 0) top = r;
      ++n;
      if (placed < 5) {
        five |= static_cast<std::uint32_t>(r) << (16 - 4 * placed);
        ++placed;
      }
    }
    t.nbits[m] = static_cast<std::uint8_t>(n);
    t.topCard[m] = static_cast<std::uint8_t>(top);
    t.topFive[m] = five;
    const std::uint32_t st = straightTopOf(m);
    t.straightVal[m] = st == 0xFF ? 0 : (HandVal(kStraight) << 24) | (st << 16);
    if (n >= 5) {
      t.flushVal[m] = st == 0xFF ? (HandVal(kFlush) << 24) | five : (HandVal(kStraightFlush) << 24) | (st << 16);
    } else {
      t.flushVal[m] = 0;
    }
    if (n >= 2) {
      std::uint32_t hi2 = 0;
      int k = 0;
      for (int r = 12; r >= 0 && k < 2; --r) {
        if (m & (1u << r)) {
          hi2 |= 1u << r;
          ++k;
        }
      }
      t.top2[m] = static_cast<std::uint16_t>(hi2);
    } else {
      t.top2[m] = 0;
    }
  }
}

void buildLowTables(Tables& t) {
  for (std::uint32_t m = 0; m < 256; ++m) {
    if (t.nbits[m] < 5) {
      t.low8Val[m] = kNoLow;
      continue;
    }
    // The five lowest ranks, highest first.
    int picked[5];
    int k = 0;
    for (int r = 0; r < 8 && k < 5; ++r) {
      if (m & (1u << r)) picked[k++] = r;
    }
    std::uint32_t v = 0;
    for (int i = 0; i < 5; ++i) v |= static_cast<std::uint32_t>(picked[4 - i]) << (16 - 4 * i);
    t.low8Val[m] = v;
  }
  // The 56 five-rank masks in ascending order = best low first.
  std::uint8_t fives[56];
  int nf = 0;
  for (std::uint32_t m = 0; m < 256; ++m) {
    if (t.nbits[m] == 5) fives[nf++] = static_cast<std::uint8_t>(m);
  }
  for (std::uint32_t b = 0; b < 256; ++b) {
    for (std::uint32_t h = 0; h < 256; ++h) {
      std::uint8_t best = 0;
      if (t.nbits[b] >= 3 && t.nbits[h] >= 2) {
        for (int i = 0; i < nf; ++i) {
          const std::uint32_t m = fives[i];
          const std::uint32_t fromHole = m & ~b;  // ranks only the hole can give
          if ((fromHole & ~h) == 0 && t.nbits[fromHole] <= 2 && t.nbits[m & h] >= 2) {
            best = static_cast<std::uint8_t>(m);
            break;
          }
        }
      }
      t.omahaLow[b][h] = best;
    }
  }
}

void buildClasses(Tables& t) {
  std::vector<std::uint32_t> values;
  values.reserve(8192);
  int count[13];
  // Non-flush five-card rank multisets (at most four of a rank).
  for (int a = 0; a < 13; ++a)
    for (int b = a; b < 13; ++b)
      for (int c = b; c < 13; ++c)
        for (int d = c; d < 13; ++d)
          for (int e = d; e < 13; ++e) {
            std::fill(count, count + 13, 0);
            ++count[a], ++count[b], ++count[c], ++count[d], ++count[e];
            if (a == e) continue;  // five of a rank
            values.push_back(rankMultisetValue(t, count));
          }
  for (std::uint32_t m = 0; m < 8192; ++m) {
    if (t.nbits[m] == 5) values.push_back(t.flushVal[m]);
  }
  std::sort(values.begin(), values.end());
  values.erase(std::unique(values.begin(), values.end()), values.end());
  t.numClasses = static_cast<int>(std::min<std::size_t>(values.size(), kNumClasses));
  std::copy(values.begin(), values.begin() + t.numClasses, t.classVal);
  for (std::uint32_t m = 0; m < 8192; ++m) {
    t.flushClass[m] = static_cast<std::int16_t>(t.nbits[m] == 5 ? classOf(t, t.flushVal[m]) : 0);
  }
}

void buildOmahaHighTables(Tables& t) {
  int pairOf[13][13];
  int pairRanks[kNumPairs][2];
  int np = 0;
  for (int a = 0; a < 13; ++a)
    for (int b = a; b < 13; ++b) {
      pairOf[a][b] = pairOf[b][a] = np;
      pairRanks[np][0] = a;
      pairRanks[np][1] = b;
      ++np;
    }
  for (int a = 0; a < 16; ++a)
    for (int b = 0; b < 16; ++b)
      t.pairIndex[a * 16 + b] = static_cast<std::uint8_t>(a < 13 && b < 13 ? pairOf[a][b] : 0);

  std::fill(std::begin(t.hiRows), std::end(t.hiRows), std::int16_t(0));
  int count[13];
  // Three board ranks: the class of each pair with them (0 where a rank would occur five times).
  for (int a = 0; a < 13; ++a)
    for (int b = a; b < 13; ++b)
      for (int c = b; c < 13; ++c) {
        int r[3] = {a, b, c};
        std::int16_t* row = t.hiRows + boardRowOffset(r, 3);
        for (int q = 0; q < np; ++q) {
          std::fill(count, count + 13, 0);
          ++count[a], ++count[b], ++count[c], ++count[pairRanks[q][0]], ++count[pairRanks[q][1]];
          if (*std::max_element(count, count + 13) > 4) continue;
          row[q] = static_cast<std::int16_t>(classOf(t, rankMultisetValue(t, count)));
        }
      }
  // Four and five board ranks: the best over their subsets of one rank fewer (every three of them).
  auto maxInto = [](std::int16_t* dst, const std::int16_t* src) {
    for (int i = 0; i < kRowSize; ++i) dst[i] = std::max(dst[i], src[i]);
  };
  for (int n = 4; n <= 5; ++n) {
    int s[5] = {0, 0, 0, 0, 0};
    // All sorted n-tuples of ranks.
    for (;;) {
      int r[5];
      std::copy(s, s + n, r);
      std::int16_t* row = t.hiRows + boardRowOffset(r, n);
      for (int skip = 0; skip < n; ++skip) {
        int sub[5];
        int k = 0;
        for (int i = 0; i < n; ++i) {
          if (i != skip) sub[k++] = s[i];
        }
        maxInto(row, t.hiRows + boardRowOffset(sub, n - 1));
      }
      int i = n - 1;
      while (i >= 0 && s[i] == 12) --i;
      if (i < 0) break;
      ++s[i];
      for (int j = i + 1; j < n; ++j) s[j] = s[i];
    }
  }
}

}  // namespace

const Tables& buildTables() {
  // Held for the life of the process (reachable through the static reference in tables()).
  auto* t = new Tables();
  buildRankTables(*t);
  buildLowTables(*t);
  buildClasses(*t);
  buildOmahaHighTables(*t);
  return *t;
}

std::size_t tableBytes() { return sizeof(Tables); }

}  // namespace pokereval::detail
