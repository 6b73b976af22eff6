// evalHigh over all 133,784,560 seven-card hands: the known count per hand type.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <thread>
#include <vector>

#include "pokereval/pokereval.h"

using namespace pokereval;

namespace {

const char* const kTypeNames[9] = {"no pair", "pair", "two pair", "trips", "straight",
                                   "flush", "full house", "quads", "straight flush"};

}  // namespace

TEST(PokerevalHigh, AllSevenCardHandsCountPerType) {
  // 133,784,560 hands, split by first card over the available cores; masks built incrementally.
  std::atomic<int> nextFirst{0};
  std::vector<std::array<std::uint64_t, 9>> counts;
  const unsigned nThreads = std::max(1u, std::min(16u, std::thread::hardware_concurrency()));
  counts.resize(nThreads);
  std::vector<std::thread> threads;
  for (unsigned w = 0; w < nThreads; ++w) {
    threads.emplace_back([&, w] {
      CardMask m[52];
      for (int i = 0; i < 52; ++i) m[i] = cardMask(i);
      std::array<std::uint64_t, 9> local{};
      for (int a; (a = nextFirst.fetch_add(1)) < 46;) {
        for (int b = a + 1; b < 52; ++b) {
          const CardMask mb = m[a] | m[b];
          for (int c = b + 1; c < 52; ++c) {
            const CardMask mc = mb | m[c];
            for (int d = c + 1; d < 52; ++d) {
              const CardMask md = mc | m[d];
              for (int e = d + 1; e < 52; ++e) {
                const CardMask me = md | m[e];
                for (int f = e + 1; f < 52; ++f) {
                  const CardMask mf = me | m[f];
                  for (int g = f + 1; g < 52; ++g) ++local[std::min(handType(evalHigh(mf | m[g])), 8)];
                }
              }
            }
          }
        }
      }
      counts[w] = local;
    });
  }
  for (auto& t : threads) t.join();
  std::uint64_t perType[9] = {};
  std::uint64_t total = 0;
  for (const auto& c : counts)
    for (int t = 0; t < 9; ++t) perType[t] += c[t], total += c[t];
  EXPECT_EQ(total, 133784560u);
  const std::uint64_t expected[9] = {23294460, 58627800, 31433400, 6461620, 6180020,
                                     4047644,  3473184,  224848,   41584};
  for (int t = 0; t < 9; ++t) EXPECT_EQ(perType[t], expected[t]) << kTypeNames[t];
}

