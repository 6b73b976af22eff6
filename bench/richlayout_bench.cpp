// The rich content engine on the largest page the program shows: the range explorer's listing
// of a large range (as the explorer dialog builds it), read, styled and laid out. The display
// sheet gives the page's few elements their usual block display.
#include "bench/explorer_page.h"
#include "core/handbase.h"
#include "toolkit/richcontent/rich_item.h"
#include "toolkit/richcontent/rich_layout.h"

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

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

// The explorer's page from the shipped tables.
RichString ExplorerPage(const wchar_t* range, bool hands, bool pictures, int limit) {
    return ExplorerPage(Base(), range, hands, pictures, limit);
}

RichDcHandle Dc() {
    static int dc;
    return &dc;
}

void ParseAndLayout(benchmark::State& state, const wchar_t* range, bool hands, bool pictures, int limit) {
    const RichString page = ExplorerPage(range, hands, pictures, limit);
    int height = 0;
    std::size_t items = 0;
    for (auto _ : state) {
        CExtRichContentLayout doc;
        doc.ParseHtml(page.c_str(), true);
        doc.Layout(Dc(), RichRect{0, 0, 600, 400});
        height = doc.GetRoot()->m_rcItem.Height();
        items = doc.m_listItems.GetCount();
        benchmark::DoNotOptimize(height);
    }
    state.counters["kchars"] = static_cast<double>(page.size()) / 1000.0;
    state.counters["items"] = static_cast<double>(items);
    state.counters["height"] = height;
}

double Milliseconds(std::chrono::steady_clock::time_point from) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - from).count();
}

// The resident set now and at its peak, in MB (Linux).
double ResidentMb() {
    long pages = 0, resident = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
        std::fclose(f);
    }
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / 1048576.0;
}

double PeakResidentMb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// Page faults so far: first writes to new memory, which a virtual machine makes costly.
double PageFaults() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_minflt + usage.ru_majflt);
}

// The first read in a process, as the program's first showing of the page: the allocator has no
// freed memory to reuse yet, so every new page of memory is touched for the first time. Run it
// alone in a fresh process (--benchmark_filter=FirstRead). The page's own text and
// the tables are made before the memory figures start.
void TimedRead(benchmark::State& state, const RichString& page) {
    const double before = ResidentMb();
    double parseMs = 0, layoutMs = 0, resident = 0, parseFaults = 0, layoutFaults = 0;
    for (auto _ : state) {
        CExtRichContentLayout doc;
        double faults = PageFaults();
        auto start = std::chrono::steady_clock::now();
        doc.ParseHtml(page.c_str(), true);
        parseMs = Milliseconds(start);
        parseFaults = PageFaults() - faults;
        faults = PageFaults();
        start = std::chrono::steady_clock::now();
        doc.Layout(Dc(), RichRect{0, 0, 600, 400});
        layoutMs = Milliseconds(start);
        layoutFaults = PageFaults() - faults;
        resident = ResidentMb();
        benchmark::DoNotOptimize(doc.GetRoot()->m_rcItem);
    }
    state.counters["parse_ms"] = parseMs;
    state.counters["layout_ms"] = layoutMs;
    state.counters["parse_faults"] = parseFaults;
    state.counters["layout_faults"] = layoutFaults;
    state.counters["doc_MB"] = resident - before;
    state.counters["peak_MB"] = PeakResidentMb();
}

void FirstRead(benchmark::State& state, const wchar_t* range, bool hands, bool pictures, int limit) {
    TimedRead(state, ExplorerPage(range, hands, pictures, limit));
}

// The same after one read in the process, as when the page is shown again: freed memory is
// reused (doc_MB then counts only what the allocator had to add).
void SecondRead(benchmark::State& state, const wchar_t* range, bool hands, bool pictures, int limit) {
    const RichString page = ExplorerPage(range, hands, pictures, limit);
    {
        CExtRichContentLayout doc;
        doc.ParseHtml(page.c_str(), true);
        doc.Layout(Dc(), RichRect{0, 0, 600, 400});
    }
    TimedRead(state, page);
}

// Resizing: the parsed page laid out again at another width.
void Relayout(benchmark::State& state, const wchar_t* range, bool hands, bool pictures, int limit) {
    const RichString page = ExplorerPage(range, hands, pictures, limit);
    CExtRichContentLayout doc;
    doc.ParseHtml(page.c_str(), true);
    int width = 600;
    for (auto _ : state) {
        width = width == 600 ? 500 : 600;
        doc.Layout(Dc(), RichRect{0, 0, width, 400});
        benchmark::DoNotOptimize(doc.GetRoot()->m_rcItem);
    }
}

}  // namespace

BENCHMARK_CAPTURE(FirstRead, all_classes, L"****", false, false, -1)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SecondRead, all_classes, L"****", false, false, -1)->Iterations(1)->Unit(benchmark::kMillisecond);
// Every combo of the range (the explorer's hands listing, no pictures, item limit "all"): about
// 32 M characters. Half of it beside, to see how each stage grows with the page.
BENCHMARK_CAPTURE(FirstRead, all_combos, L"random", true, false, -1)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FirstRead, half_combos, L"random", true, false, 135362)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ParseAndLayout, all_classes, L"****", false, false, -1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ParseAndLayout, hands_1000_pictures, L"****", true, true, 1000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ParseAndLayout, pairs_hands_pictures, L"AA**", true, true, -1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ParseAndLayout, pairs_hands_text, L"AA**", true, false, -1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Relayout, all_classes, L"****", false, false, -1)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
