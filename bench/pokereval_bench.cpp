// Poker evaluation library: Omaha Hi and Hi/Lo through evalOmaha, through a plain 60-combination
// reference built on evalHigh/evalLow8, and through a prepared board (2 and 10 hands); plus the plain
// evaluators. Run: build/native/bench/pokereval_bench [--benchmark_filter=...]
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <vector>

#include "pokereval/pokereval.h"
#include "pokereval/tables.h"

using namespace pokereval;

namespace {

constexpr int kDeals = 4096;  // a power of two
constexpr int kMaxHands = 10;

struct Deal {
  CardMask board;
  CardMask hole[kMaxHands];
};

std::uint64_t splitmix(std::uint64_t& s) {
  std::uint64_t z = (s += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

CardMask drawCards(std::uint64_t& s, int n, CardMask& used) {
  CardMask out = 0;
  while (n > 0) {
    const CardMask c = cardMask(static_cast<int>(splitmix(s) % 52));
    if (used & c) continue;
    used |= c;
    out |= c;
    --n;
  }
  return out;
}

const std::vector<Deal>& deals(int boardCards) {
  static std::vector<Deal> sets[6];
  std::vector<Deal>& d = sets[boardCards];
  if (d.empty()) {
    std::uint64_t s = 0xBE7C4000u + static_cast<std::uint64_t>(boardCards);
    d.resize(kDeals);
    for (Deal& deal : d) {
      CardMask used = 0;
      deal.board = drawCards(s, boardCards, used);
      for (CardMask& h : deal.hole) h = drawCards(s, 4, used);
    }
  }
  return d;
}

// The plain reference: all 6 hole pairs x every three-card subset of the board, five-card evaluations.
void referenceOmaha(CardMask hole, CardMask board, HandVal* hi, LowHandVal* lo) {
  CardMask h[4], b[5];
  int nh = 0, nb = 0;
  for (CardMask m = hole; m; m &= m - 1) h[nh++] = m & (~m + 1);
  for (CardMask m = board; m; m &= m - 1) b[nb++] = m & (~m + 1);
  HandVal bestHi = 0;
  LowHandVal bestLo = kNoLow;
  for (int i = 0; i < 4; ++i)
    for (int j = i + 1; j < 4; ++j)
      for (int x = 0; x < nb; ++x)
        for (int y = x + 1; y < nb; ++y)
          for (int z = y + 1; z < nb; ++z) {
            const CardMask five = h[i] | h[j] | b[x] | b[y] | b[z];
            const HandVal v = evalHigh(five);
            if (v > bestHi) bestHi = v;
            if (lo != nullptr) {
              const LowHandVal l = evalLow8(five);
              if (l < bestLo) bestLo = l;
            }
          }
  *hi = bestHi;
  if (lo != nullptr) *lo = bestLo;
}

// One evaluation per iteration over the logged deals; with kWithLo both halves are asked for.
template <bool kWithLo, typename Eval>
void RunDeals(benchmark::State& state, Eval eval) {
  const auto& d = deals(static_cast<int>(state.range(0)));
  std::size_t i = 0;
  for (auto _ : state) {
    HandVal hi;
    LowHandVal lo = 0;
    eval(d[i].hole[0], d[i].board, &hi, kWithLo ? &lo : nullptr);
    benchmark::DoNotOptimize(hi);
    if constexpr (kWithLo) benchmark::DoNotOptimize(lo);
    i = (i + 1) & (kDeals - 1);
  }
  state.SetItemsProcessed(state.iterations());
}

void BM_OmahaHi(benchmark::State& state) { RunDeals<false>(state, evalOmaha); }
void BM_OmahaHiLo(benchmark::State& state) { RunDeals<true>(state, evalOmaha); }
void BM_ReferenceHi(benchmark::State& state) { RunDeals<false>(state, referenceOmaha); }
void BM_ReferenceHiLo(benchmark::State& state) { RunDeals<true>(state, referenceOmaha); }

// Prepared board: one prepare per deal, then every hand. Items = hands evaluated.
void BM_PreparedHi(benchmark::State& state) {
  const auto& d = deals(static_cast<int>(state.range(0)));
  const int hands = static_cast<int>(state.range(1));
  std::size_t i = 0;
  OmahaBoard b;
  for (auto _ : state) {
    b.prepare(d[i].board);
    for (int h = 0; h < hands; ++h) benchmark::DoNotOptimize(b.evalHi(d[i].hole[h]));
    i = (i + 1) & (kDeals - 1);
  }
  state.SetItemsProcessed(state.iterations() * hands);
}

void BM_PreparedHiLo(benchmark::State& state) {
  const auto& d = deals(static_cast<int>(state.range(0)));
  const int hands = static_cast<int>(state.range(1));
  std::size_t i = 0;
  OmahaBoard b;
  for (auto _ : state) {
    b.prepare(d[i].board);
    for (int h = 0; h < hands; ++h) {
      HandVal hi;
      LowHandVal lo;
      b.evalHiLo(d[i].hole[h], &hi, &lo);
      benchmark::DoNotOptimize(hi);
      benchmark::DoNotOptimize(lo);
    }
    i = (i + 1) & (kDeals - 1);
  }
  state.SetItemsProcessed(state.iterations() * hands);
}

void BM_EvalHigh(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  std::vector<CardMask> hands(kDeals);
  std::uint64_t s = 0x7E57 + static_cast<std::uint64_t>(n);
  for (CardMask& h : hands) {
    CardMask used = 0;
    h = drawCards(s, n, used);
  }
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(evalHigh(hands[i]));
    i = (i + 1) & (kDeals - 1);
  }
  state.SetItemsProcessed(state.iterations());
}

void BM_EvalLow8(benchmark::State& state) {
  const auto& d = deals(5);
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(evalLow8(d[i].board | d[i].hole[0]));
    i = (i + 1) & (kDeals - 1);
  }
  state.SetItemsProcessed(state.iterations());
}

BENCHMARK(BM_OmahaHi)->ArgName("board")->DenseRange(3, 5);
BENCHMARK(BM_ReferenceHi)->ArgName("board")->DenseRange(3, 5);
BENCHMARK(BM_OmahaHiLo)->ArgName("board")->DenseRange(3, 5);
BENCHMARK(BM_ReferenceHiLo)->ArgName("board")->DenseRange(3, 5);
BENCHMARK(BM_PreparedHi)->ArgNames({"board", "hands"})->ArgsProduct({{3, 4, 5}, {2, 10}});
BENCHMARK(BM_PreparedHiLo)->ArgNames({"board", "hands"})->ArgsProduct({{3, 4, 5}, {2, 10}});
BENCHMARK(BM_EvalHigh)->ArgName("cards")->DenseRange(5, 7);
BENCHMARK(BM_EvalLow8);

}  // namespace

int main(int argc, char** argv) {
  // Time the one-off table build before anything else touches the library.
  const auto start = std::chrono::steady_clock::now();
  benchmark::DoNotOptimize(evalHigh(cardMask(0) | cardMask(1) | cardMask(2) | cardMask(3) | cardMask(4)));
  const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  std::printf("pokereval tables: built in %.2f ms, %.1f KiB\n", ms, detail::tableBytes() / 1024.0);
  for (int b = 3; b <= 5; ++b) deals(b);

  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
