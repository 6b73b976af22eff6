// First use of the tables: concurrent and bounded in memory (build time is printed; the
// benchmark program watches speed). Its own program, so that no other test
// has built the tables before.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include <vector>

#include "pokereval/pokereval.h"
#include "pokereval/tables.h"
#include "reference.h"

using namespace pokereval;

TEST(PokerevalInit, ConcurrentFirstUseBuildsOnceWithinMemoryBudget) {
  const CardMask hole = pereference::parse("Ah2hKcKs"), board = pereference::parse("3h4h5h9dTc");
  const auto start = std::chrono::steady_clock::now();
  std::vector<std::thread> threads;
  std::vector<HandVal> his(8);
  std::vector<LowHandVal> los(8);
  for (int i = 0; i < 8; ++i) {
    threads.emplace_back([&, i] {
      if (evalOmaha(hole, board, &his[i], &los[i]) != 0) his[i] = 0;
    });
  }
  for (auto& t : threads) t.join();
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(his[i], 0x08030000u);
    EXPECT_EQ(los[i], 0x43210u);
  }
  RecordProperty("table_build_ms", static_cast<int>(seconds * 1000));
  RecordProperty("table_bytes", static_cast<int>(detail::tableBytes()));
  std::printf("tables: %.1f ms, %zu bytes\n", seconds * 1000, detail::tableBytes());
  EXPECT_LE(detail::tableBytes(), 64u << 20);
}
