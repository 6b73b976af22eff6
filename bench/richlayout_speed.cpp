// The rich content engine on the range explorer's largest pages, without the benchmark library,
// so that the same figures can be taken natively and under Wine: one first read in a fresh
// process (parse, then style and layout at 600 pixels), as the page view shows a page the first
// time. Under Windows the layout measures with a memory DC and the system's fonts; natively with
// the stand-in platform (as richlayout_bench). Run each case in its own process, a few times, and
// take the smallest figure:
//   richlayout_speed all_classes|half_combos|all_combos
#include "bench/explorer_page.h"
#include "core/handbase.h"
#include "toolkit/richcontent/rich_item.h"
#include "toolkit/richcontent/rich_layout.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#if defined(_WIN32)
#include <windows.h>
#endif

namespace {

double Milliseconds(std::chrono::steady_clock::time_point from) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - from).count();
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
        std::fprintf(stderr, "usage: richlayout_speed all_classes|half_combos|all_combos\n");
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
    double parseMs = 0, layoutMs = 0, freeMs = 0;
    std::size_t items = 0;
    {
        auto* doc = new CExtRichContentLayout;
        auto start = std::chrono::steady_clock::now();
        doc->ParseHtml(page.c_str(), true);
        parseMs = Milliseconds(start);
        start = std::chrono::steady_clock::now();
        doc->Layout(handle, RichRect{0, 0, 600, 400});
        layoutMs = Milliseconds(start);
        items = doc->m_listItems.GetCount();
        start = std::chrono::steady_clock::now();
        delete doc;
        freeMs = Milliseconds(start);
    }
#if defined(_WIN32)
    ::DeleteDC(dc);
#endif
    std::printf("%s: %zu kchars, %zu items, parse %.0f ms, layout %.0f ms, free %.0f ms\n", name, page.size() / 1000,
                items, parseMs, layoutMs, freeMs);
    return 0;
}
