// What the user waits for when the range explorer shows one of its largest pages in the
// web-browser control drawn by the rich content engine (Windows only): the page written into the
// control's document as the explorer does, up to its first paint, split into the stages that can
// be seen from outside the engine; then mouse moves over the text, a click, a page down and the
// end of the page with their paints, a narrower window, Ctrl+A and the copies. Run each page in a
// fresh process, a few times, and take the smallest figures:
//   pageview_speed all_classes|classes|half_combos|all_combos
#include "bench/explorer_page.h"
#include "core/handbase.h"
#include "framework/afxwin.h"
#include "framework/clipboard.h"
#include "framework/htmltext.h"
#include "framework/pageview.h"
#include "framework/webbrowser.h"
#include "framework/webdocument.h"
#include "toolkit/richcontent/rich_page_renderer.h"

#include <ocidl.h>
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

namespace {

class CSpeedApp : public CWinApp {
public:
    CSpeedApp() : CWinApp(L"Page View Speed") {}
    BOOL InitApplication() override { return TRUE; }
};
CSpeedApp theApp;

using Clock = std::chrono::steady_clock;
double Ms(Clock::time_point from) { return std::chrono::duration<double, std::milli>(Clock::now() - from).count(); }

// Time spent in the page engine's calls, by call.
struct EngineTimes {
    double read = 0, layout = 0, index = 0, paint = 0, link = 0, position = 0;
    int paints = 0, links = 0, positions = 0;
} g_times;

// The rich page engine with a stopwatch around each call the view makes.
class CTimedRenderer : public fw::IPageRenderer {
public:
    void SetPage(const std::wstring& html, const std::wstring& baseUrl) override {
        const auto start = Clock::now();
        m_engine.SetPage(html, baseUrl);
        g_times.read += Ms(start);
    }
    SIZE Layout(HDC hdc, int width) override {
        const auto start = Clock::now();
        const SIZE size = m_engine.Layout(hdc, width);
        g_times.layout += Ms(start);
        // The text index on its own (the engine makes it when the text is first needed), for its
        // share; left out of the figures of the stages around it.
        const auto indexStart = Clock::now();
        CExtRichTextIndex index;
        index.Build(m_engine.GetLayout().GetRoot());
        g_times.index += Ms(indexStart);
        return size;
    }
    void Paint(HDC hdc, const RECT& clip, POINT origin) override {
        const auto start = Clock::now();
        m_engine.Paint(hdc, clip, origin);
        g_times.paint += Ms(start);
        ++g_times.paints;
    }
    std::wstring LinkAt(POINT pt) override {
        const auto start = Clock::now();
        std::wstring link = m_engine.LinkAt(pt);
        g_times.link += Ms(start);
        ++g_times.links;
        return link;
    }
    int AnchorTop(const std::wstring& name) override { return m_engine.AnchorTop(name); }
    long TextPositionAt(POINT pt) override {
        const auto start = Clock::now();
        const long at = m_engine.TextPositionAt(pt);
        g_times.position += Ms(start);
        ++g_times.positions;
        return at;
    }
    long TextLength() override { return m_engine.TextLength(); }
    bool HasText() override { return m_engine.HasText(); }
    std::wstring TextBetween(long from, long to) override { return m_engine.TextBetween(from, to); }
    void WordAround(long position, long& from, long& to) override { m_engine.WordAround(position, from, to); }
    void SetSelection(long from, long to) override { m_engine.SetSelection(from, to); }

private:
    CExtRichPageRenderer m_engine;
};

std::unique_ptr<fw::IPageRenderer> MakeTimedRenderer() { return std::make_unique<CTimedRenderer>(); }

void Pump() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

// A stream holding the page's characters (the stream frees its memory).
IStream* PageStream(const std::wstring& html) {
    const std::size_t bytes = html.size() * sizeof(wchar_t);
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, bytes);
    std::memcpy(::GlobalLock(memory), html.data(), bytes);
    ::GlobalUnlock(memory);
    IStream* stream = nullptr;
    ::CreateStreamOnHGlobal(memory, TRUE, &stream);
    return stream;
}

// The page written into the control's document through a stream, as the program writes its pages.
void WritePage(CWebBrowser2& browser, const std::wstring& html) {
    IStream* stream = PageStream(html);
    IDispatch* document = browser.GetDocument();
    IPersistStreamInit* persist = nullptr;
    document->QueryInterface(IID_IPersistStreamInit, reinterpret_cast<void**>(&persist));
    persist->InitNew();
    persist->Load(stream);
    persist->Release();
    document->Release();
    stream->Release();
}

// Moves the pointer to client points of the view as the system reports a move: the move, then
// the question which cursor to show.
double MoveOver(HWND view, const POINT* points, int count) {
    const auto start = Clock::now();
    for (int i = 0; i < count; ++i) {
        POINT screen = points[i];
        ::ClientToScreen(view, &screen);
        ::SetCursorPos(screen.x, screen.y);
        ::SendMessageW(view, WM_MOUSEMOVE, 0, MAKELPARAM(points[i].x, points[i].y));
        ::SendMessageW(view, WM_SETCURSOR, reinterpret_cast<WPARAM>(view), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    }
    return Ms(start) / count;
}

double KeyAndPaint(HWND view, UINT key, bool ctrl = false) {
    BYTE keys[256] = {};
    ::GetKeyboardState(keys);
    keys[VK_CONTROL] = ctrl ? 0x80 : 0;
    ::SetKeyboardState(keys);
    const auto start = Clock::now();
    ::SendMessageW(view, WM_KEYDOWN, key, 0);
    ::UpdateWindow(view);
    const double ms = Ms(start);
    keys[VK_CONTROL] = 0;
    ::SetKeyboardState(keys);
    return ms;
}

double PeakMegabytes() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!::K32GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters)) return 0;
    return static_cast<double>(counters.PeakWorkingSetSize) / (1 << 20);
}

void Line(const char* what, double ms) { std::printf("  %-34s %9.1f ms\n", what, ms); }

}  // namespace

int main(int argc, char** argv) {
    const char* name = argc > 1 ? argv[1] : "all_classes";
    const wchar_t* range = L"****";
    bool hands = false;
    int limit = -1, patternForm = 0;
    if (std::strcmp(name, "classes") == 0) {
        patternForm = 1;
    } else if (std::strcmp(name, "half_combos") == 0) {
        range = L"random", hands = true, limit = 135362;
    } else if (std::strcmp(name, "all_combos") == 0) {
        range = L"random", hands = true;
    } else if (std::strcmp(name, "all_classes") != 0) {
        std::fprintf(stderr, "usage: pageview_speed all_classes|classes|half_combos|all_combos\n");
        return 2;
    }
    std::wstring html;
    {
        COmahaBase base;
        if (!base.LoadTables(std::filesystem::path(OV_DATA_DIR)).Loaded()) {
            std::fprintf(stderr, "cannot load the table files from %s\n", OV_DATA_DIR);
            return 1;
        }
        html = ExplorerPageHtml(base, range, hands, false, limit, patternForm);
    }

    AfxEnableControlContainer();
    AfxSetPageRendererFactory(&MakeTimedRenderer);
    CWnd host;
    LPCTSTR cls = AfxRegisterWndClass(0, ::LoadCursorW(nullptr, IDC_ARROW), ::GetSysColorBrush(COLOR_WINDOW));
    if (!host.CreateEx(0, cls, L"Page view speed", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 720, 600), nullptr,
                       0)) {
        std::fprintf(stderr, "cannot create the window\n");
        return 1;
    }
    CRect client;
    host.GetClientRect(&client);
    CWebBrowser2 browser;
    if (!browser.Create(nullptr, L"", WS_CHILD | WS_VISIBLE, client, &host, 100) || !browser.GetPageView()) {
        std::fprintf(stderr, "cannot create the browser control with its page view\n");
        return 1;
    }
    browser.Navigate(L"about:blank");
    Pump();
    fw::detail::CPageView* view = browser.GetPageView();
    const HWND hView = view->m_hWnd;
    ::UpdateWindow(hView);
    g_times = EngineTimes{};

    // Written, then painted.
    const auto start = Clock::now();
    WritePage(browser, html);
    const double written = Ms(start);
    ::UpdateWindow(hView);
    const double shown = Ms(start) - g_times.index;
    const EngineTimes first = g_times;
    Pump();

    std::printf("%s: %zu kchars, document %ld x %ld\n", name, html.size() / 1000, view->GetDocumentSize().cx,
                view->GetDocumentSize().cy);
    Line("written to first paint", shown);
    Line("  read (engine)", first.read);
    Line("  layout (engine)", first.layout);
    Line("  (the text index alone)", first.index);
    Line("  paint", first.paint);
    Line("  the rest (stream, page text)", written - first.index - first.read - first.layout);
    {
        // Made with every page before, now when the window text is first read (or the page copied).
        const auto t = Clock::now();
        const std::wstring text = fw::detail::HtmlToText(html);
        Line("  (the page's plain text)", Ms(t));
    }

    CRect viewRect;
    ::GetClientRect(hView, &viewRect);
    const POINT overText[] = {{12, 8}, {120, 40}, {260, 120}, {400, 260}, {560, 400}, {300, 500}};
    const int moves = static_cast<int>(std::size(overText));
    auto measureMoves = [&](const char* where) {
        g_times.link = 0;
        g_times.links = 0;
        const double ms = MoveOver(hView, overText, moves);
        char label[64];
        std::snprintf(label, sizeof label, "mouse move (%s)", where);
        Line(label, ms);
        Line("  of which the link check", g_times.links ? g_times.link / moves : 0.0);
    };
    measureMoves("first screen");
    {
        const auto t = Clock::now();
        view->GetRenderer()->TextLength();
        Line("the text's first use (index made)", Ms(t));
    }

    // A press and release over text: the whole, and the text position's share.
    auto click = [&](const char* label) {
        g_times.position = 0;
        const POINT at = overText[3];
        const auto t = Clock::now();
        ::SendMessageW(hView, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
        ::SendMessageW(hView, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
        Line(label, Ms(t));
        Line("  of which the text position", g_times.position);
    };
    g_times.positions = 0;
    click("click (press and release)");

    g_times.paint = 0;
    Line("page down with its paint", KeyAndPaint(hView, VK_NEXT));
    Line("  of which the paint", g_times.paint);
    measureMoves("second screen");

    g_times.paint = 0;
    Line("end of the page with its paint", KeyAndPaint(hView, VK_END));
    Line("  of which the paint", g_times.paint);
    measureMoves("last screen");
    click("click on the last screen");
    KeyAndPaint(hView, VK_HOME);

    {
        g_times.layout = g_times.index = g_times.paint = 0;
        const auto t = Clock::now();
        host.MoveWindow(0, 0, 620, 600);
        host.GetClientRect(&client);
        browser.MoveWindow(&client);
        ::UpdateWindow(hView);
        Line("narrower window: relayout, paint", Ms(t) - g_times.index);
        Line("  of which layout", g_times.layout);
        Line("  of which the paint", g_times.paint);
    }

    g_times.paint = 0;
    Line("Ctrl+A with its paint", KeyAndPaint(hView, 'A', true));
    Line("  of which the paint", g_times.paint);
    {
        auto t = Clock::now();
        const std::wstring all = view->CopiedText();
        Line("copied text (all)", Ms(t));
        t = Clock::now();
        CClipboard::CopyText(all.c_str(), host.m_hWnd);
        Line("  onto the clipboard", Ms(t));
        const long length = view->GetRenderer()->TextLength();
        view->SetSelection(length / 4, length / 4 * 3);
        t = Clock::now();
        const std::wstring half = view->CopiedText();
        Line("copied text (half the page)", Ms(t));
        std::printf("  copied %zu and %zu characters\n", all.size(), half.size());
    }
    {
        // The document reading the page's stream on its own (no view to show it): the stream's part
        // of the first paint's rest, taken last so that it does not warm the memory for the rest.
        IStream* stream = PageStream(html);
        auto* document = new fw::detail::WebDocument(nullptr);
        const auto t = Clock::now();
        document->Load(stream);
        Line("the document reading the stream", Ms(t));
        document->Release();
        stream->Release();
    }
    std::printf("  peak memory %.0f MB\n", PeakMegabytes());
    browser.DestroyWindow();
    host.DestroyWindow();
    return 0;
}
