// evalHigh: all five-card hands, random six- to nine-card hands, hand-checked values (seven cards: seven_test.cpp).
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "pokereval/pokereval.h"
#include "reference.h"

using namespace pokereval;
using pereference::parse;

namespace {

const char* const kTypeNames[9] = {"no pair", "pair", "two pair", "trips", "straight",
                                   "flush", "full house", "quads", "straight flush"};

}  // namespace

TEST(PokerevalHigh, AllFiveCardHandsMatchTheReferenceCountsAndClasses) {
  // Split by first card over the cores; each chunk keeps its counts, values and first mismatches.
  struct Chunk {
    std::uint64_t perType[9] = {};
    std::vector<HandVal> values;
    std::vector<std::string> mismatches;
  };
  std::vector<Chunk> chunks(48);
  pereference::parallelChunks(48, [&](int a) {
    Chunk& out = chunks[a];
    CardMask m[52];
    for (int i = 0; i < 52; ++i) m[i] = cardMask(i);
    for (int b = a + 1; b < 52; ++b)
      for (int c = b + 1; c < 52; ++c)
        for (int d = c + 1; d < 52; ++d) {
          const CardMask abcd = m[a] | m[b] | m[c] | m[d];
          for (int e = d + 1; e < 52; ++e) {
            const HandVal v = evalHigh(abcd | m[e]);
            const int cards[5] = {a, b, c, d, e};
            const HandVal expect = pereference::high5(cards);
            if (v != expect && out.mismatches.size() < 10) {
              std::ostringstream s;
              s << "cards " << a << " " << b << " " << c << " " << d << " " << e << ": " << std::hex << v
                << " expected " << expect;
              out.mismatches.push_back(s.str());
            }
            ++out.perType[std::min(handType(v), 8)];
            out.values.push_back(v);
          }
        }
  });
  std::uint64_t perType[9] = {};
  std::vector<HandVal> values;
  for (const Chunk& c : chunks) {
    for (int t = 0; t < 9; ++t) perType[t] += c.perType[t];
    values.insert(values.end(), c.values.begin(), c.values.end());
    for (const std::string& msg : c.mismatches) ADD_FAILURE() << msg;
  }
  const std::uint64_t expected[9] = {1302540, 1098240, 123552, 54912, 10200, 5108, 3744, 624, 40};
  for (int t = 0; t < 9; ++t) EXPECT_EQ(perType[t], expected[t]) << kTypeNames[t];
  EXPECT_EQ(values.size(), 2598960u);
  std::sort(values.begin(), values.end());
  values.erase(std::unique(values.begin(), values.end()), values.end());
  EXPECT_EQ(values.size(), 7462u);
}

TEST(PokerevalHigh, RandomSixToNineCardHandsMatchBestFiveCardSubset) {
  std::vector<int> deck(52);
  for (int i = 0; i < 52; ++i) deck[i] = i;
  std::vector<int> twoSuits;  // hearts and diamonds only: many flushes, straight flushes with pairs
  for (int i = 0; i < 26; ++i) twoSuits.push_back(i);
  constexpr int kChunks = 32, kPerChunk = 4000;
  std::vector<std::string> failures(kChunks);
  pereference::parallelChunks(kChunks, [&](int chunk) {
    pereference::Rng rng(0x5EED0001 + static_cast<std::uint64_t>(chunk));
    for (int round = 0; round < kPerChunk; ++round) {
      const int n = 6 + round % 4;  // 6, 7, 8, 9 cards (more than seven: flush and full house together)
      CardMask used = 0;
      const CardMask cards = pereference::draw(rng, (round / 4) % 3 == 0 ? twoSuits : deck, n, used);
      const HandVal expect = pereference::highBest(pereference::cardsOf(cards));
      if (evalHigh(cards) != expect) {
        std::ostringstream s;
        s << "mask " << std::hex << cards << ": " << evalHigh(cards) << " expected " << expect;
        failures[chunk] = s.str();
        return;
      }
    }
  });
  for (const std::string& f : failures) EXPECT_EQ(f, "");
}

TEST(PokerevalHigh, HandCheckedValues) {
  struct Case {
    const char* cards;
    HandVal value;
  };
  const Case cases[] = {
      {"AsKsQsJsTs", 0x080C0000},        // royal flush
      {"5d4d3d2dAd", 0x08030000},        // steel wheel: top card the five
      {"9h8h7h6h5h4h3h", 0x08070000},    // seven-card straight flush: nine high
      {"AhAdAcAsKd", 0x070CB000},        // quads with kicker
      {"AhAdAcAsKdKhKc", 0x070CB000},    // quads beside trips
      {"7c7d7h2s2c", 0x06050000},        // sevens full of deuces
      {"7c7d7h2s2c2d9s", 0x06050000},    // two trips: the higher is the trips
      {"7c7d7hKsKcQdQh", 0x0605B000},    // trips and two pairs: the higher pair
      {"Ah9h7h4h2hKs", 0x050C7520},      // flush
      {"Ah9h7h4h2hKhAs", 0x050CB752},    // six-card flush: the best five
      {"Ah9h7h4h2hAsAd", 0x050C7520},    // flush beats trips
      {"As2d3c4h5s", 0x04030000},        // wheel
      {"As2d3c4h5s6d", 0x04040000},      // six high beats the wheel
      {"TsJdQcKhAs9d", 0x040C0000},      // broadway
      {"QsQdQc8h3s", 0x030A6100},        // trips with two kickers
      {"KsKdQcQh3s3d2c", 0x020BA100},    // three pairs: the third pair's rank is the kicker
      {"KsKdQcQh3s", 0x020BA100},
      {"9s9d5c4h3s", 0x01073210},        // pair with three kickers
      {"AsKdQc9h7s", 0x000CBA75},        // no pair
      {"AsKdQc9h7s3d2c", 0x000CBA75},
  };
  for (const Case& c : cases) {
    const CardMask m = parse(c.cards);
    EXPECT_EQ(numCards(m) * 2, static_cast<int>(std::string(c.cards).size())) << c.cards;
    EXPECT_EQ(evalHigh(m), c.value) << c.cards << " got " << std::hex << evalHigh(m);
    EXPECT_EQ(evalHigh(m), pereference::highBest(pereference::cardsOf(m))) << c.cards;
  }
}

TEST(PokerevalHigh, OrderingExamples) {
  EXPECT_GT(evalHigh(parse("AsAdKsKd2c")), evalHigh(parse("AsAdQsQdKc")));  // two pair by second pair
  EXPECT_GT(evalHigh(parse("2s3s4s5s6s")), evalHigh(parse("AhAdAcAsKd")));  // any straight flush beats quads
  EXPECT_EQ(evalHigh(parse("AsKsQsJs9s")), evalHigh(parse("AhKhQhJh9h")));  // suits never matter
  EXPECT_LT(evalHigh(parse("As2d3c4h5s")), evalHigh(parse("2d3c4h5s6d")));  // wheel is the lowest straight
}

TEST(PokerevalHigh, MoreThanSevenCards) {
  // A flush and a full house together (only possible with eight or more cards): the full house wins.
  EXPECT_EQ(evalHigh(parse("AhKhQhJh9hAsAdKs")), 0x060CB000u);
  // Two flushes: the better one.
  EXPECT_EQ(evalHigh(parse("AhKhQh9h7h2s3s4s5s7s")), 0x050CBA75u);
  EXPECT_EQ(evalHigh(parse("AhKhQh9h7h2s3s4s5s6s")), 0x08040000u);
}
