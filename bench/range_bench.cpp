// Selecting range texts on the shipped tables: the whole deck and typical ranges.
#include "core/handbase.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace {

COmahaBase& Base() {
    static COmahaBase* base = [] {
        auto* loaded = new COmahaBase;
        if (!loaded->LoadTables(std::filesystem::path(OV_DATA_DIR)).Loaded()) {
            std::fprintf(stderr, "cannot load the table files from %s\n", OV_DATA_DIR);
            std::exit(1);
        }
        return loaded;
    }();
    return *base;
}

void SelectRange(benchmark::State& state, const wchar_t* text) {
    COmahaBase& base = Base();
    for (auto _ : state) {
        base.SelectRange(text);
        benchmark::DoNotOptimize(base.m_selection.Data());
    }
    state.counters["hands"] = base.CountSelectedHands();
}

void ExpandWholeDeck(benchmark::State& state) {
    COmahaBase& base = Base();
    base.SelectRange(L"****");
    static CardMask masks[kHandCount];
    int count = 0;
    for (auto _ : state) {
        base.ExpandSelection(masks, &count);
        benchmark::DoNotOptimize(masks[count - 1]);
    }
}

}  // namespace

BENCHMARK_CAPTURE(SelectRange, whole_deck, L"****")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SelectRange, whole_deck_as_expression, L"(****)")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SelectRange, whole_deck_filtered, L"****/np/ds")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SelectRange, pair_item, L"AA**")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SelectRange, brackets, L"[AK][QJ]")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SelectRange, percentile, L"15%:3/ds")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SelectRange, expression, L"(AA**,KK**,[AK]Q+*/ds)!AAAA&/np,5%")->Unit(benchmark::kMillisecond);
BENCHMARK(ExpandWholeDeck)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
