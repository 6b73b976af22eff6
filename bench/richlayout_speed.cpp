// The rich content engine on the range explorer's largest pages, without the benchmark library,
// so that the same figures can be taken natively and under Wine: one first read in a fresh
// process (parse, then style and layout at 600 pixels), as the page view shows a page the first
// time. Under Windows the layout measures with a memory DC and the system's fonts; natively with
// the stand-in platform (as richlayout_bench). Run each case in its own process, a few times, and
// take the smallest figure:
//   richlayout_speed all_classes|half_combos|all_combos [reads]
// With a count of reads the page is read that many times in the one process, as the program
// reads its pages again (the explorer on every change of sort or options): each read is printed,
// with the page faults it took (first writes to memory the process had not used yet) and the
// memory the block cache keeps after it.
#include "bench/explorer_page.h"
#include "core/handbase.h"
#include "toolkit/richcontent/rich_block_cache.h"
#include "toolkit/richcontent/rich_item.h"
#include "toolkit/richcontent/rich_layout.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#if defined(_WIN32)
#include <windows.h>
#include <psapi.h>
#else
#include <sys/resource.h>
#endif

namespace {

double Milliseconds(std::chrono::steady_clock::time_point from) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - from).count();
}

// The process's page faults so far.
long long PageFaults() {
#if defined(_WIN32)
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    if (!::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof(counters))) return 0;
    return counters.PageFaultCount;
#else
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_minflt + usage.ru_majflt;
#endif
}

}  // namespace

int main(int argc, char** argv) {
    const char* name = argc > 1 ? argv[1] : "all_classes";
    const wchar_t* range = L"****";
    bool hands = false;
    int limit = -1;
    if (std::strcmp(name, "half_combos") == 0) {
        range = L"random", hands = true, limit = 135362;
    } else if (std::strcmp(name, "all_combos") == 0) {
        range = L"random", hands = true;
    } else if (std::strcmp(name, "all_classes") != 0) {
        std::fprintf(stderr, "usage: richlayout_speed all_classes|half_combos|all_combos [reads]\n");
        return 2;
    }
    const int reads = argc > 2 ? std::atoi(argv[2]) : 1;
    if (reads < 1 || reads > 100) {
        std::fprintf(stderr, "reads: 1 to 100\n");
        return 2;
    }
    COmahaBase base;
    if (!base.LoadTables(std::filesystem::path(OV_DATA_DIR)).Loaded()) {
        std::fprintf(stderr, "cannot load the table files from %s\n", OV_DATA_DIR);
        return 1;
    }
    const RichString page = ExplorerPage(base, range, hands, false, limit);
#if defined(_WIN32)
    HDC dc = ::CreateCompatibleDC(nullptr);
    RichDcHandle handle = dc;
#else
    static int standIn;
    RichDcHandle handle = &standIn;
#endif
    // Wine does not count page faults: then they are not printed.
    const bool faultsCounted = PageFaults() > 0;
    for (int read = 1; read <= reads; ++read) {
        auto* doc = new CExtRichContentLayout;
        long long faults = PageFaults();
        auto start = std::chrono::steady_clock::now();
        doc->ParseHtml(page.c_str(), true);
        const double parseMs = Milliseconds(start);
        const long long parseFaults = PageFaults() - faults;
        faults = PageFaults();
        start = std::chrono::steady_clock::now();
        doc->Layout(handle, RichRect{0, 0, 600, 400});
        const double layoutMs = Milliseconds(start);
        const long long layoutFaults = PageFaults() - faults;
        const std::size_t items = doc->m_listItems.GetCount();
        start = std::chrono::steady_clock::now();
        delete doc;
        const double freeMs = Milliseconds(start);
        char parseNote[32] = "", layoutNote[32] = "";
        if (faultsCounted) {
            std::snprintf(parseNote, sizeof parseNote, " (%lld faults)", parseFaults);
            std::snprintf(layoutNote, sizeof layoutNote, " (%lld faults)", layoutFaults);
        }
        if (reads > 1) std::printf("read %d: ", read);
        std::printf("%s: %zu kchars, %zu items, parse %.0f ms%s, layout %.0f ms%s, free %.0f ms, %.0f MB kept for "
                    "the next\n",
                    name, page.size() / 1000, items, parseMs, parseNote, layoutMs, layoutNote, freeMs,
                    RichBlockCache::CachedBytes() / 1048576.0);
        std::fflush(stdout);
    }
#if defined(_WIN32)
    ::DeleteDC(dc);
#endif
    return 0;
}
