// evalOmaha and OmahaBoard against the brute-force reference on millions of random deals per board size
// (deterministic seeds).
#include <gtest/gtest.h>

#include <mutex>
#include <sstream>
#include <string>
#include <vector>

#include "pokereval/pokereval.h"
#include "reference.h"

using namespace pokereval;

namespace {

enum class Deck { kFull, kTwoSuits, kLowRanks };

std::vector<int> makeDeck(Deck kind) {
  std::vector<int> deck;
  for (int i = 0; i < 52; ++i) {
    const int rank = i % 13, suit = i / 13;
    if (kind == Deck::kTwoSuits && suit >= 2) continue;            // flushes and straight flushes
    if (kind == Deck::kLowRanks && rank > 7 && rank != 12) continue;  // ace to nine: lows, counterfeits
    deck.push_back(i);
  }
  return deck;
}

// Per deal: one board and two hands. The first hand goes through evalOmaha (both halves, or one of them),
// both through a prepared board, one by one and in one call; everything is compared with the reference. The deals are cut into chunks
// with their own seeds, checked on all cores; the failures are reported from the test's thread.
void checkDeals(int boardCards, Deck kind, int deals, std::uint64_t seed) {
  const std::vector<int> deck = makeDeck(kind);
  constexpr int kChunks = 32;
  std::mutex mutex;
  std::vector<std::string> failures;
  pereference::parallelChunks(kChunks, [&](int chunk) {
    pereference::Rng rng(seed * 1000 + static_cast<std::uint64_t>(chunk));
    OmahaBoard prepared;
    const int n = deals / kChunks + (chunk < deals % kChunks ? 1 : 0);
    for (int i = 0; i < n; ++i) {
      CardMask used = 0;
      const CardMask board = pereference::draw(rng, deck, boardCards, used);
      const CardMask hole[2] = {pereference::draw(rng, deck, 4, used), pereference::draw(rng, deck, 4, used)};
      bool ok = prepared.prepare(board) == 0;
      for (int h = 0; h < 2 && ok; ++h) {
        HandVal refHi;
        LowHandVal refLo;
        pereference::omaha(hole[h], board, &refHi, &refLo);
        HandVal hi = 0, pHi = 0;
        LowHandVal lo = 0, pLo = 0;
        if (h == 0) {
          switch (i % 3) {
            case 0:
              ok = evalOmaha(hole[h], board, &hi, &lo) == 0 && hi == refHi && lo == refLo;
              break;
            case 1:
              ok = evalOmaha(hole[h], board, &hi, nullptr) == 0 && hi == refHi;
              break;
            default:
              ok = evalOmaha(hole[h], board, nullptr, &lo) == 0 && lo == refLo;
              break;
          }
        }
        prepared.evalHiLo(hole[h], &pHi, &pLo);
        ok = ok && pHi == refHi && pLo == refLo && prepared.evalHi(hole[h]) == refHi &&
             prepared.evalLo(hole[h]) == refLo;
        if (!ok) {
          std::ostringstream s;
          s << "chunk " << chunk << " deal " << i << std::hex << ": hole " << hole[h] << " board " << board
            << " hi " << hi << "/" << pHi << " lo " << lo << "/" << pLo << ", expected " << refHi << " "
            << refLo;
          std::lock_guard<std::mutex> lock(mutex);
          failures.push_back(s.str());
        }
      }
      // Both hands in one call.
      HandVal allHi[2], allHi2[2];
      LowHandVal allLo[2];
      prepared.evalHiAll(hole, 2, allHi);
      prepared.evalHiLoAll(hole, 2, allHi2, allLo);
      for (int h = 0; h < 2 && ok; ++h) {
        HandVal refHi;
        LowHandVal refLo;
        pereference::omaha(hole[h], board, &refHi, &refLo);
        ok = allHi[h] == refHi && allHi2[h] == refHi && allLo[h] == refLo;
        if (!ok) {
          std::ostringstream s;
          s << "chunk " << chunk << " deal " << i << std::hex << ": hole " << hole[h] << " board " << board
            << " all-hands call " << allHi[h] << "/" << allHi2[h] << "/" << allLo[h];
          std::lock_guard<std::mutex> lock(mutex);
          failures.push_back(s.str());
        }
      }
      if (!ok) break;
    }
  });
  EXPECT_TRUE(failures.empty());
  for (std::size_t i = 0; i < failures.size() && i < 10; ++i) ADD_FAILURE() << failures[i];
}

constexpr int kFullDeals = 1000000;
constexpr int kSpecialDeals = 150000;

}  // namespace

TEST(PokerevalOmahaRandom, FlopFullDeck) { checkDeals(3, Deck::kFull, kFullDeals, 301); }
TEST(PokerevalOmahaRandom, FlopTwoSuits) { checkDeals(3, Deck::kTwoSuits, kSpecialDeals, 302); }
TEST(PokerevalOmahaRandom, FlopLowRanks) { checkDeals(3, Deck::kLowRanks, kSpecialDeals, 303); }
TEST(PokerevalOmahaRandom, TurnFullDeck) { checkDeals(4, Deck::kFull, kFullDeals, 401); }
TEST(PokerevalOmahaRandom, TurnTwoSuits) { checkDeals(4, Deck::kTwoSuits, kSpecialDeals, 402); }
TEST(PokerevalOmahaRandom, TurnLowRanks) { checkDeals(4, Deck::kLowRanks, kSpecialDeals, 403); }
TEST(PokerevalOmahaRandom, RiverFullDeck) { checkDeals(5, Deck::kFull, kFullDeals, 501); }
TEST(PokerevalOmahaRandom, RiverTwoSuits) { checkDeals(5, Deck::kTwoSuits, kSpecialDeals, 502); }
TEST(PokerevalOmahaRandom, RiverLowRanks) { checkDeals(5, Deck::kLowRanks, kSpecialDeals, 503); }
