// evalLow8: eight-or-better ace-to-five lows.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "pokereval/pokereval.h"
#include "reference.h"

using namespace pokereval;
using pereference::parse;

TEST(PokerevalLow, AllFiveCardHandsMatchTheDirectLow) {
  // Independent count by ranks: a five-card hand has an eight-or-better low exactly when its five ranks
  // are distinct and all of ace, two ... eight. Count the rank sets by brute force, each card in any suit.
  std::uint64_t byRanks = 0;
  for (int mask = 0; mask < (1 << 13); ++mask) {
    int n = 0, low = 0;
    for (int r = 0; r < 13; ++r) {
      if (mask & (1 << r)) {
        ++n;
        if (r <= 6 || r == 12) ++low;
      }
    }
    if (n == 5 && low == 5) byRanks += 4 * 4 * 4 * 4 * 4;
  }
  EXPECT_EQ(byRanks, 57344u);  // 56 rank sets x 4^5 suits

  std::uint64_t withLow = 0, mismatches = 0;
  std::set<LowHandVal> distinct;
  CardMask m[52];
  for (int i = 0; i < 52; ++i) m[i] = cardMask(i);
  for (int a = 0; a < 52; ++a)
    for (int b = a + 1; b < 52; ++b)
      for (int c = b + 1; c < 52; ++c)
        for (int d = c + 1; d < 52; ++d)
          for (int e = d + 1; e < 52; ++e) {
            const LowHandVal v = evalLow8(m[a] | m[b] | m[c] | m[d] | m[e]);
            const int cards[5] = {a, b, c, d, e};
            if (v != pereference::low5(cards)) ++mismatches;
            if (v != kNoLow) {
              ++withLow;
              distinct.insert(v);
            }
          }
  EXPECT_EQ(mismatches, 0u);
  EXPECT_EQ(withLow, byRanks);
  EXPECT_EQ(distinct.size(), 56u);
}

TEST(PokerevalLow, RandomFiveToNineCardsMatchBestFiveCardSubset) {
  pereference::Rng rng(0x5EED0002);
  std::vector<int> deck(52), lowDeck;
  for (int i = 0; i < 52; ++i) {
    deck[i] = i;
    if (i % 13 <= 7 || i % 13 == 12) lowDeck.push_back(i);  // ace to nine: lows and near misses
  }
  for (int round = 0; round < 200000; ++round) {
    const int n = 5 + round % 5;
    CardMask used = 0;
    const CardMask cards = pereference::draw(rng, round % 2 ? lowDeck : deck, n, used);
    ASSERT_EQ(evalLow8(cards), pereference::lowBest(pereference::cardsOf(cards))) << std::hex << cards;
  }
}

TEST(PokerevalLow, HandCheckedValues) {
  struct Case {
    const char* cards;
    LowHandVal value;
  };
  const Case cases[] = {
      {"As2d3c4h5s", 0x43210},           // wheel (straights do not count against a low)
      {"As2s3s4s5s", 0x43210},           // flushes neither
      {"8s7d6c5h4s", 0x76543},           // the worst low
      {"8s7d6c5h4s3d", 0x65432},         // six cards: the best five
      {"As2d3c4h5s6d7c8hKd", 0x43210},   // nine cards
      {"AsAd2c3h4s5d", 0x43210},         // pairs are skipped
      {"As2d3c4h9s", kNoLow},            // a nine does not qualify
      {"As2d3c4hKsKd", kNoLow},          // four low ranks only
      {"AsAdAc2h2s3d3c", kNoLow},        // three distinct low ranks
      {"KsQdJcTh9s", kNoLow},
      {"", kNoLow},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(evalLow8(parse(c.cards)), c.value) << c.cards << " got " << std::hex << evalLow8(parse(c.cards));
  }
  EXPECT_LT(evalLow8(parse("As2d3c4h6s")), evalLow8(parse("As2d3c5h6s")));  // 6-4 beats 6-5
  EXPECT_LT(evalLow8(parse("8s5d4c3h2s")), kNoLow);
  EXPECT_EQ(kNoLow, 0x080C0001u);
}
