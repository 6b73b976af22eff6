// The web-browser control with a page engine installed: the page laid out at
// the control's width, drawn through the engine, scrolled by the wheel, keys
// and bars, relaid out on resize, links followed; the completion events and
// the page's text stay as without an engine. The engine here is a test
// double that paints bands whose colour tells the document row shown.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "framework/afxwin.h"
#include "framework/clipboard.h"
#include "framework/htmltext.h"
#include "framework/pagerenderer.h"
#include "framework/pageview.h"
#include "framework/webbrowser.h"
#include "gui_harness.h"
#include "test_util.h"
#include "ui_resources.h"
#include "ui_test_util.h"

namespace {

class CPageViewTestApp : public CWinApp {
 public:
  CPageViewTestApp() : CWinApp(L"Page View Test") {}
  BOOL InitApplication() override { return TRUE; }
};
CPageViewTestApp theApp;

// What the engine was asked, for the tests to read.
struct EngineLog {
  std::wstring html, baseUrl;
  std::vector<int> layoutWidths;
  int paints = 0;
} g_log;

constexpr int kBand = 100;         // document rows per colour band
constexpr int kAnchorTop = 1500;   // "#part" starts here
constexpr int kDocHeight = 2000;
const COLORREF kEven = RGB(0, 0, 200), kOdd = RGB(200, 0, 0), kAnchor = RGB(0, 160, 0);

class BandEngine : public fw::IPageRenderer {
 public:
  void SetPage(const std::wstring& html, const std::wstring& baseUrl) override {
    g_log.html = html;
    g_log.baseUrl = baseUrl;
  }
  SIZE Layout(HDC, int width) override {
    g_log.layoutWidths.push_back(width);
    // A short page when it says so, to see the bar disabled.
    return SIZE{width, g_log.html.find(L"short") != std::wstring::npos ? 50 : kDocHeight};
  }
  void Paint(HDC hdc, const RECT& clip, POINT origin) override {
    ++g_log.paints;
    for (int top = (clip.top + origin.y) / kBand * kBand; top < clip.bottom + origin.y; top += kBand) {
      COLORREF colour = top == kAnchorTop ? kAnchor : (top / kBand) % 2 ? kOdd : kEven;
      HBRUSH brush = ::CreateSolidBrush(colour);
      RECT band = {clip.left, top - origin.y, clip.right, top + kBand - origin.y};
      ::FillRect(hdc, &band, brush);
      ::DeleteObject(brush);
    }
  }
  std::wstring LinkAt(POINT pt) override {
    if (pt.y < 20) return L"#part";
    if (pt.y >= 40 && pt.y < 60) return m_next;
    if (pt.y >= 60 && pt.y < 80) return L"https://example.invalid/page";
    return {};
  }
  int AnchorTop(const std::wstring& name) override { return name == L"part" ? kAnchorTop : -1; }
  // Text positions are document rows; the text between two reads "from-to".
  long TextPositionAt(POINT pt) override { return m_selectable ? std::clamp<long>(pt.y, 0, kDocHeight) : -1; }
  long TextLength() override { return m_selectable ? kDocHeight : 0; }
  std::wstring TextBetween(long from, long to) override {
    return std::to_wstring(std::min(from, to)) + L"-" + std::to_wstring(std::max(from, to));
  }
  void WordAround(long position, long& from, long& to) override {
    from = position / 10 * 10;
    to = from + 10;
  }
  void SetSelection(long from, long to) override { g_selection = {from, to}; }
  static std::wstring m_next;
  static bool m_selectable;
  static std::pair<long, long> g_selection;
};
std::wstring BandEngine::m_next;
bool BandEngine::m_selectable = false;
std::pair<long, long> BandEngine::g_selection;

std::unique_ptr<fw::IPageRenderer> MakeEngine() { return std::make_unique<BandEngine>(); }

std::vector<std::wstring> g_opened;
bool RecordAddress(const std::wstring& address) {
  g_opened.push_back(address);
  return true;
}

struct EngineInstalled {
  EngineInstalled() {
    AfxEnableControlContainer();
    AfxSetPageRendererFactory(&MakeEngine);
    AfxSetPageAddressOpener(&RecordAddress);
  }
} g_engineInstalled;

std::wstring ModulePath() {
  wchar_t path[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  return path;
}

class CPageDialog : public CDialog {
 public:
  CPageDialog() : CDialog(IDD_BROWSER) {}
  CWebBrowser2 m_browser;
  std::vector<std::wstring> m_events;  // "nav <url>" and "doc <url>" in arrival order

 protected:
  void DoDataExchange(CDataExchange* pDX) override { DDX_Control(pDX, IDC_BROWSER, m_browser); }
  void Record(const wchar_t* kind, VARIANT* URL) {
    m_events.push_back(std::wstring(kind) + (URL && URL->vt == (VT_BYREF | VT_VARIANT) && URL->pvarVal->vt == VT_BSTR
                                                 ? URL->pvarVal->bstrVal
                                                 : URL && URL->vt == VT_BSTR ? URL->bstrVal : L"?"));
  }
  void OnNavigateComplete(LPDISPATCH, VARIANT* URL) { Record(L"nav ", URL); }
  void OnDocumentComplete(LPDISPATCH, VARIANT* URL) { Record(L"doc ", URL); }
  DECLARE_EVENTSINK_MAP()
};

BEGIN_EVENTSINK_MAP(CPageDialog, CDialog)
  ON_EVENT(CPageDialog, IDC_BROWSER, DISPID_NAVIGATECOMPLETE2, &CPageDialog::OnNavigateComplete,
           VTS_DISPATCH VTS_PVARIANT)
  ON_EVENT(CPageDialog, IDC_BROWSER, DISPID_DOCUMENTCOMPLETE, &CPageDialog::OnDocumentComplete,
           VTS_DISPATCH VTS_PVARIANT)
END_EVENTSINK_MAP()

class PageView : public testing::Test {
 protected:
  void SetUp() override {
    g_log = EngineLog{};
    g_opened.clear();
    BandEngine::m_selectable = false;
    BandEngine::g_selection = {-1, -1};
    BandEngine::m_next = L"res://" + ModulePath() + L"/102";
    ASSERT_TRUE(dialog.Create(IDD_BROWSER, CWnd::GetDesktopWindow()));
    dialog.SetWindowPos(nullptr, 40, 40, 420, 320, SWP_NOZORDER);
    dialog.ShowWindow(SW_SHOW);
    CRect client;
    dialog.GetClientRect(&client);
    fwtest::Pump(50);
    dialog.m_browser.MoveWindow(&client);
  }
  void TearDown() override {
    if (dialog.m_hWnd) dialog.DestroyWindow();
  }
  bool NavigateAndWait(const std::wstring& url) {
    std::size_t before = dialog.m_events.size();
    dialog.m_browser.Navigate(url.c_str());
    return fwtest::PumpUntil([&] { return dialog.m_events.size() >= before + 2; });
  }
  fw::detail::CPageView* View() { return dialog.m_browser.GetPageView(); }
  // The colour drawn at a point of the view's client area.
  COLORREF ShownAt(int x, int y) {
    View()->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    gui::Image shot = gui::CaptureWindow(View()->m_hWnd);
    if (shot.Empty()) return CLR_INVALID;
    std::uint32_t bgra = shot.At(x, y);
    return RGB((bgra >> 16) & 0xFF, (bgra >> 8) & 0xFF, bgra & 0xFF);
  }
  int ScrollBarPos() {
    SCROLLINFO si = {sizeof(si), SIF_POS};
    ::GetScrollInfo(View()->m_hWnd, SB_VERT, &si);
    return si.nPos;
  }
  CPageDialog dialog;
};

TEST_F(PageView, APageIsLaidOutAtTheViewsWidthAndDrawnAfterTheEventsInOrder) {
  const std::wstring url = L"res://" + ModulePath() + L"/102";
  ASSERT_TRUE(NavigateAndWait(url));
  ASSERT_NE(View(), nullptr);
  EXPECT_EQ(dialog.m_events, (std::vector<std::wstring>{L"nav " + url, L"doc " + url}));
  EXPECT_EQ(g_log.baseUrl, url);
  EXPECT_EQ(CString(g_log.html.c_str()), dialog.m_browser.GetDocumentHtml());
  // The window text is the page's text, as the text view had it.
  CString shown;
  dialog.m_browser.GetDlgItem(1)->GetWindowText(shown);
  EXPECT_EQ(shown, dialog.m_browser.GetDocumentText());
  EXPECT_FALSE(shown.IsEmpty());
  CRect viewClient;
  View()->GetClientRect(&viewClient);
  ASSERT_FALSE(g_log.layoutWidths.empty());
  EXPECT_EQ(g_log.layoutWidths.back(), viewClient.Width());
  EXPECT_EQ(ShownAt(10, 10), kEven);
  EXPECT_EQ(ShownAt(10, kBand + 10), kOdd);
  gui::SaveCapture(gui::CaptureWindow(dialog.m_hWnd), L"fw_pageview");
}

TEST_F(PageView, TheWheelKeysAndBarScrollWithinTheDocument) {
  ASSERT_TRUE(NavigateAndWait(L"res://" + ModulePath() + L"/102"));
  HWND view = View()->m_hWnd;
  CRect client;
  View()->GetClientRect(&client);
  const int line = View()->LineStep();

  ::SendMessageW(view, WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
  const int afterWheel = View()->GetScrollOrigin().y;
  EXPECT_GE(afterWheel, line);
  EXPECT_EQ(ScrollBarPos(), afterWheel);
  ::SendMessageW(view, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
  EXPECT_EQ(View()->GetScrollOrigin().y, 0);
  ::SendMessageW(view, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);  // already at the top
  EXPECT_EQ(View()->GetScrollOrigin().y, 0);

  ::SendMessageW(view, WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_EQ(View()->GetScrollOrigin().y, line);
  ::SendMessageW(view, WM_KEYDOWN, VK_NEXT, 0);
  EXPECT_EQ(View()->GetScrollOrigin().y, line + client.Height() - line);
  ::SendMessageW(view, WM_KEYDOWN, VK_END, 0);
  EXPECT_EQ(View()->GetScrollOrigin().y, kDocHeight - client.Height());  // the last row shows at the bottom
  ::SendMessageW(view, WM_KEYDOWN, VK_NEXT, 0);
  EXPECT_EQ(View()->GetScrollOrigin().y, kDocHeight - client.Height());
  ::SendMessageW(view, WM_KEYDOWN, VK_HOME, 0);
  EXPECT_EQ(View()->GetScrollOrigin().y, 0);

  ::SendMessageW(view, WM_VSCROLL, SB_PAGEDOWN, 0);
  ::SendMessageW(view, WM_VSCROLL, SB_LINEDOWN, 0);
  EXPECT_EQ(View()->GetScrollOrigin().y, client.Height());
  EXPECT_EQ(ScrollBarPos(), client.Height());
  // What shows is the document scrolled: the row at the top is that many rows down.
  const int row = client.Height() + 5;
  EXPECT_EQ(ShownAt(10, 5), (row / kBand) % 2 ? kOdd : kEven);
  gui::SaveCapture(gui::CaptureWindow(dialog.m_hWnd), L"fw_pageview_scrolled");
}

TEST_F(PageView, ResizingLaysOutAgainAndKeepsThePlaceWithinTheDocument) {
  ASSERT_TRUE(NavigateAndWait(L"res://" + ModulePath() + L"/102"));
  ::SendMessageW(View()->m_hWnd, WM_KEYDOWN, VK_END, 0);
  const int top = View()->GetScrollOrigin().y;
  ASSERT_GT(top, 0);
  // Smaller: the same row stays at the top.
  dialog.m_browser.SetWindowPos(nullptr, 0, 0, 200, 120, SWP_NOZORDER | SWP_NOMOVE);
  CRect client;
  View()->GetClientRect(&client);
  EXPECT_EQ(g_log.layoutWidths.back(), client.Width());
  EXPECT_EQ(View()->GetScrollOrigin().y, top);
  // Taller than what is left below: the end of the page stays at the bottom.
  dialog.m_browser.SetWindowPos(nullptr, 0, 0, 300, 600, SWP_NOZORDER | SWP_NOMOVE);
  View()->GetClientRect(&client);
  EXPECT_EQ(g_log.layoutWidths.back(), client.Width());
  EXPECT_EQ(View()->GetScrollOrigin().y, kDocHeight - client.Height());
  // A page shorter than the window does not scroll.
  const std::wstring page = L"<p>short</p>";
  dialog.m_browser.WriteDocument(page.c_str());
  ::SendMessageW(View()->m_hWnd, WM_KEYDOWN, VK_NEXT, 0);
  ::SendMessageW(View()->m_hWnd, WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
  EXPECT_EQ(View()->GetScrollOrigin().y, 0);
  CString shown;
  View()->GetWindowText(shown);
  EXPECT_EQ(shown, L"short");
}

// The window text is made when first read, and a page written afterwards replaces it.
TEST_F(PageView, TheWindowTextReadsThePagesTextAndFollowsTheNextPage) {
  ASSERT_TRUE(NavigateAndWait(L"about:blank"));
  const std::wstring first = L"<p>First page</p><p>two &amp; three</p>";
  dialog.m_browser.WriteDocument(first.c_str());
  HWND view = View()->m_hWnd;
  const std::wstring text = fw::detail::HtmlToText(first);
  ASSERT_FALSE(text.empty());
  EXPECT_EQ(::GetWindowTextLengthW(view), static_cast<int>(text.size()));
  wchar_t small[6] = {};
  EXPECT_EQ(::GetWindowTextW(view, small, 6), 5);  // cut to the buffer, ended by a zero
  EXPECT_EQ(std::wstring(small), L"First");
  CString shown;
  View()->GetWindowText(shown);
  EXPECT_EQ(std::wstring(shown.GetString()), text);
  dialog.m_browser.WriteDocument(L"<p>Second</p>");
  View()->GetWindowText(shown);
  EXPECT_EQ(shown, L"Second");
  EXPECT_EQ(View()->CopiedText(), L"Second");  // nothing selected: the whole page's text
}

TEST_F(PageView, LinksMoveWithinThePageLoadPagesAndHandAddressesToTheProgram) {
  ASSERT_TRUE(NavigateAndWait(L"res://" + ModulePath() + L"/102"));
  HWND view = View()->m_hWnd;
  auto click = [&](int y) {
    ::SendMessageW(view, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, y));
    ::SendMessageW(view, WM_LBUTTONUP, 0, MAKELPARAM(10, y));
  };
  click(5);  // "#part"
  EXPECT_EQ(View()->GetScrollOrigin().y, kAnchorTop);
  EXPECT_EQ(ShownAt(10, 10), kAnchor);
  ::SendMessageW(view, WM_KEYDOWN, VK_HOME, 0);

  click(65);  // an address outside the program: to its opener, no navigation
  EXPECT_EQ(g_opened, (std::vector<std::wstring>{L"https://example.invalid/page"}));

  const std::size_t before = dialog.m_events.size();
  BandEngine::m_next = L"res://" + ModulePath() + L"/102#part";
  click(45);
  ASSERT_TRUE(fwtest::PumpUntil([&] { return dialog.m_events.size() >= before + 2; }));
  EXPECT_EQ(dialog.m_events.back(), L"doc " + BandEngine::m_next);
  // The page itself loaded, not the notice of a page that cannot be shown.
  EXPECT_EQ(dialog.m_browser.GetDocumentText().Find(L"cannot be shown"), -1);
  // The new page opens at the place its address names.
  EXPECT_EQ(View()->GetScrollOrigin().y, kAnchorTop);
  // Pressed on one link and released elsewhere: nothing followed.
  ::SendMessageW(view, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 45));
  ::SendMessageW(view, WM_LBUTTONUP, 0, MAKELPARAM(10, 200));
  fwtest::Pump(100);
  EXPECT_EQ(dialog.m_events.size(), before + 2);
}

TEST_F(PageView, TheSelectionFollowsTheMouseAndIsWhatCopyTakes) {
  BandEngine::m_selectable = true;
  ASSERT_TRUE(NavigateAndWait(L"res://" + ModulePath() + L"/102"));
  HWND view = View()->m_hWnd;
  auto key = [&](UINT vk) {
    BYTE keys[256] = {};
    ::GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    ::SetKeyboardState(keys);
    ::SendMessageW(view, WM_KEYDOWN, vk, 0);
    keys[VK_CONTROL] = 0;
    ::SetKeyboardState(keys);
  };
  auto copied = [&] {
    CClipboard::CopyText(L"", view);
    key('C');
    return std::wstring(CClipboard::PasteText().GetString());
  };
  // Pressed on a link and dragged off it: text is selected, the link not followed.
  const std::size_t events = dialog.m_events.size();
  ::SendMessageW(view, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 45));
  ::SendMessageW(view, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(10, 90));
  ::SendMessageW(view, WM_LBUTTONUP, 0, MAKELPARAM(10, 120));
  fwtest::Pump(100);
  EXPECT_EQ(dialog.m_events.size(), events);
  EXPECT_EQ(BandEngine::g_selection, std::make_pair(45L, 120L)) << "the engine paints what is selected";
  EXPECT_EQ(copied(), L"45-120");
  // Shift+click moves the end, the start stays.
  ::SendMessageW(view, WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MAKELPARAM(10, 30));
  ::SendMessageW(view, WM_LBUTTONUP, MK_SHIFT, MAKELPARAM(10, 30));
  EXPECT_EQ(copied(), L"30-45");
  // Scrolled: positions are the document's, not the window's.
  ::SendMessageW(view, WM_KEYDOWN, VK_NEXT, 0);
  const int top = View()->GetScrollOrigin().y;
  ASSERT_GT(top, 0);
  ::SendMessageW(view, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(10, 14));
  EXPECT_EQ(copied(), std::to_wstring((top + 14) / 10 * 10) + L"-" + std::to_wstring((top + 14) / 10 * 10 + 10));
  // Ctrl+A: the page's text, as the text view gave it; so does a click that selects nothing.
  key('A');
  EXPECT_EQ(BandEngine::g_selection, std::make_pair(0L, static_cast<long>(kDocHeight)));
  EXPECT_EQ(copied(), std::wstring(dialog.m_browser.GetDocumentText().GetString()));
  ::SendMessageW(view, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 200));
  ::SendMessageW(view, WM_LBUTTONUP, 0, MAKELPARAM(10, 200));
  EXPECT_EQ(copied(), std::wstring(dialog.m_browser.GetDocumentText().GetString()));
  // A new page starts without a selection.
  ::SendMessageW(view, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 50));
  ::SendMessageW(view, WM_LBUTTONUP, 0, MAKELPARAM(10, 70));
  dialog.m_browser.WriteDocument(L"<p>fresh</p>");
  EXPECT_EQ(copied(), L"fresh");
}

TEST_F(PageView, CopyPutsThePagesTextOnTheClipboard) {
  const std::wstring page = L"<p>Seat 1: <b>55.1%</b></p><p>Seat 2: 44.9%</p>";
  ASSERT_TRUE(NavigateAndWait(L"about:blank"));
  dialog.m_browser.WriteDocument(page.c_str());
  View()->SetFocus();
  BYTE keys[256] = {};
  ::GetKeyboardState(keys);
  keys[VK_CONTROL] = 0x80;
  ::SetKeyboardState(keys);
  ::SendMessageW(View()->m_hWnd, WM_KEYDOWN, 'C', 0);
  keys[VK_CONTROL] = 0;
  ::SetKeyboardState(keys);
  EXPECT_EQ(CClipboard::PasteText(), fw::detail::HtmlToText(page).c_str());
}

}  // namespace
