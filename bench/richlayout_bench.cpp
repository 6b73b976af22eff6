// The rich content engine on the largest page the program shows: the range explorer's listing
// of a large range (as the explorer dialog builds it), read, styled and laid out. The display
// sheet gives the page's few elements their usual block display.
#include "core/handbase.h"
#include "toolkit/richcontent/rich_item.h"
#include "toolkit/richcontent/rich_layout.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

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

constexpr char16_t kDisplaySheet[] =
    u"<style>html, body, p, div, br { display: block } table { display: table } tr { display: table-row }"
    u" td { display: table-cell }</style>";

// The explorer's page: classes (pattern form 0, coloured) or hands (with card pictures).
RichString ExplorerPage(const wchar_t* range, bool hands, bool pictures, int limit) {
    COmahaBase& base = Base();
    base.SelectRange(range);
    std::wstring list;
    if (hands)
        base.ListSelectedHands(list, limit, pictures ? 1 : 0, L"C:\\Program Files\\OmahaVantorn.exe", nullptr);
    else
        base.ListSelectedClasses(list, 0, limit, -1, 0, nullptr);
    std::wstring page = L"<HTML><BODY leftmargin=2 topmargin=2 rightmargin=2 bottommargin=2>\n<font face=Tahoma size=2>\n";
    page += list;
    page += L"</font>\n</BODY></HTML>\n";
    RichString out(kDisplaySheet);
    for (wchar_t c : page) out.push_back(static_cast<char16_t>(c));
    return out;
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

BENCHMARK_CAPTURE(ParseAndLayout, all_classes, L"****", false, false, -1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ParseAndLayout, hands_1000_pictures, L"****", true, true, 1000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ParseAndLayout, pairs_hands_pictures, L"AA**", true, true, -1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ParseAndLayout, pairs_hands_text, L"AA**", true, false, -1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Relayout, all_classes, L"****", false, false, -1)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
