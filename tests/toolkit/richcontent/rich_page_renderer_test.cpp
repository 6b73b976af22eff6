// The rich content engine drawing the web-browser control's pages: a table's
// cells read back from the laid-out tree hold what the page's text has, its
// colours and the pictures it names (files beside the page) are drawn, links
// and anchors move within the page, long pages scroll, and the program's
// syntax page opens and scrolls; text is selected with the real mouse, by a
// double-click, Shift+click and Ctrl+A, drawn highlighted and copied. The time
// a long page takes to read, lay out and paint is printed (not asserted).
#include <gtest/gtest.h>

#include <ocidl.h>

#include <algorithm>
#include <chrono>
#include <cwctype>
#include <functional>
#include <cstdio>
#include <string>
#include <vector>

#include "framework/afxwin.h"
#include "framework/clipboard.h"
#include "framework/htmltext.h"
#include "framework/image.h"
#include "framework/pageview.h"
#include "framework/webbrowser.h"
#include "gui_harness.h"
#include "toolkit/richcontent/rich_item.h"
#include "toolkit/richcontent/rich_page_renderer.h"

namespace {

class CPageTestApp : public CWinApp {
 public:
  CPageTestApp() : CWinApp(L"Rich Page Test") {}
  BOOL InitApplication() override { return TRUE; }
};
CPageTestApp theApp;

std::wstring TempFolder() {
  wchar_t path[MAX_PATH] = {};
  ::GetTempPathW(MAX_PATH, path);
  std::wstring folder = std::wstring(path) + L"rich_page_test\\";
  ::CreateDirectoryW(folder.c_str(), nullptr);
  return folder;
}

void WriteFile(const std::wstring& path, const std::string& bytes) {
  FILE* f = _wfopen(path.c_str(), L"wb");
  ASSERT_NE(f, nullptr);
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
}

std::wstring Text(const CExtRichContentItem* item) {
  std::wstring out;
  for (RichPosition pos = item->m_listChildren.GetHeadPosition(); pos;) {
    const CExtRichContentItem* child = item->m_listChildren.GetNext(pos);
    if (child->m_nKind == kRichItemText) out += reinterpret_cast<const wchar_t*>(child->m_strText.c_str());
    else out += Text(child);
  }
  return out;
}

std::wstring NoBlanks(std::wstring s) {
  std::wstring out;
  for (wchar_t c : s)
    if (!std::iswspace(c) && c != 0xA0) out += c;
  return out;
}

void Collect(CExtRichContentItem* item, const char16_t* tag, std::vector<CExtRichContentItem*>& out) {
  for (RichPosition pos = item->m_listChildren.GetHeadPosition(); pos;) {
    CExtRichContentItem* child = item->m_listChildren.GetNext(pos);
    if (child->IsElement() && child->GetTagName() == tag) out.push_back(child);
    Collect(child, tag, out);
  }
}

struct Installed {
  Installed() {
    AfxEnableControlContainer();
    RichInstallPageRenderer();
  }
} g_installed;

class RichPage : public testing::Test {
 protected:
  void SetUp() override {
    LPCTSTR cls = AfxRegisterWndClass(0, ::LoadCursorW(nullptr, IDC_ARROW), ::GetSysColorBrush(COLOR_WINDOW));
    ASSERT_TRUE(host.CreateEx(0, cls, L"Page", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(30, 30, 530, 430), nullptr, 0));
    CRect client;
    host.GetClientRect(&client);
    ASSERT_TRUE(browser.Create(nullptr, L"", WS_CHILD | WS_VISIBLE, client, &host, 100));
    ASSERT_NE(browser.GetPageView(), nullptr);
  }
  void TearDown() override {
    if (browser.m_hWnd) browser.DestroyWindow();
    if (host.m_hWnd) host.DestroyWindow();
  }
  void Open(const std::wstring& url) {
    browser.Navigate(url.c_str());
    ASSERT_TRUE(gui::PumpUntil([&] { return browser.GetReadyState() == READYSTATE_COMPLETE; }));
  }
  fw::detail::CPageView* View() { return browser.GetPageView(); }
  CExtRichPageRenderer* Engine() { return dynamic_cast<CExtRichPageRenderer*>(View()->GetRenderer()); }
  gui::Image Shot() {
    View()->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    return gui::CaptureWindow(View()->m_hWnd);
  }
  // The run of the page's text index that reads `text`.
  const CExtRichTextIndex::Run* RunOf(const char16_t* text) {
    for (const CExtRichTextIndex::Run& run : Engine()->GetTextIndex().Runs())
      if (CExtRichTextIndex::RunText(run.m_pItem) == text) return &run;
    return nullptr;
  }
  // A point of the view's client area in screen coordinates.
  POINT OnScreen(int x, int y) {
    POINT pt{x, y};
    ::ClientToScreen(View()->m_hWnd, &pt);
    return pt;
  }
  void Drag(POINT fromClient, POINT toClient) {
    HANDLE drag = gui::StartMouseDrag(OnScreen(fromClient.x, fromClient.y), OnScreen(toClient.x, toClient.y));
    ASSERT_NE(drag, nullptr);
    EXPECT_TRUE(gui::PumpUntil([&] { return ::WaitForSingleObject(drag, 0) == WAIT_OBJECT_0; }, 20000));
    ::CloseHandle(drag);
    gui::PumpUntil([] { return false; }, 100);
  }
  // Ctrl plus a key, as the view reads the control key's state.
  void CtrlKey(UINT key) {
    BYTE keys[256] = {};
    ::GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    ::SetKeyboardState(keys);
    ::SendMessageW(View()->m_hWnd, WM_KEYDOWN, key, 0);
    keys[VK_CONTROL] = 0;
    ::SetKeyboardState(keys);
  }
  std::wstring Copied() {
    CClipboard::CopyText(L"", host.m_hWnd);
    CtrlKey('C');
    return CClipboard::PasteText().GetString();
  }
  static COLORREF At(const gui::Image& shot, int x, int y) {
    const std::uint32_t p = shot.At(x, y);
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  }
  CWnd host;
  CWebBrowser2 browser;
};

TEST_F(RichPage, ATablesCellsHoldThePagesNumbersAndItsColoursAreDrawn) {
  const std::wstring page =
      L"<html><head><style>td { padding: 2px 6px } .eq { background-color: #00c000; color: white }</style></head>"
      L"<body><h3>Result</h3><table border=1><tr><th>Seat</th><th>Hand</th><th>Equity</th></tr>"
      L"<tr><td>1</td><td>AsKsQhJh</td><td class=eq id=first>55.10%</td></tr>"
      L"<tr><td>2</td><td>random</td><td class=eq>44.90%</td></tr></table>"
      L"<p>Simulated 250,000 deals.</p></body></html>";
  Open(L"about:blank");
  browser.WriteDocument(page.c_str());
  ASSERT_NE(Engine(), nullptr);
  CExtRichContentItem* root = Engine()->GetLayout().GetRoot();
  ASSERT_NE(root, nullptr);
  std::vector<CExtRichContentItem*> cells;
  Collect(root, u"td", cells);
  ASSERT_EQ(cells.size(), 6u);
  // The plain-text copy: the cells of a row separated by tabs.
  const std::wstring text = fw::detail::HtmlToText(page);
  std::vector<std::wstring> plainCells;
  std::size_t start = text.find(L"1\t");
  ASSERT_NE(start, std::wstring::npos);
  std::wstring rows = text.substr(start, text.find(L"Simulated") - start);
  std::wstring cell;
  for (wchar_t c : rows) {
    if (c == L'\t' || c == L'\n') {
      if (!NoBlanks(cell).empty()) plainCells.push_back(NoBlanks(cell));
      cell.clear();
    } else {
      cell += c;
    }
  }
  ASSERT_EQ(plainCells.size(), cells.size());
  for (std::size_t i = 0; i < cells.size(); ++i) EXPECT_EQ(NoBlanks(Text(cells[i])), plainCells[i]) << i;
  // Cells side by side in a row, rows one below the other.
  EXPECT_LT(cells[0]->m_rcItem.right, cells[2]->m_rcItem.left + 1);
  EXPECT_GT(cells[3]->m_rcItem.top, cells[0]->m_rcItem.top);
  // The equity cell's background shows where the layout put it.
  const RichRect eq = cells[2]->m_rcItem;
  gui::Image shot = Shot();
  ASSERT_FALSE(shot.Empty());
  gui::SaveCapture(shot, L"rich_page_table");
  EXPECT_EQ(At(shot, eq.left + 2, eq.top + 1), RGB(0, 0xC0, 0));
  EXPECT_GT(gui::CountColours(shot, RECT{0, 0, 200, 60}), 2);  // the heading's text
}

TEST_F(RichPage, TextIsSelectedWithTheMouseAndTheKeysAndCopied) {
  const std::wstring page =
      L"<html><body><p>Seat one wins the pot</p><table border=1><tr><td>AsKs</td><td>55.10%</td></tr>"
      L"<tr><td>random</td><td>44.90%</td></tr></table><p>Done.</p></body></html>";
  Open(L"about:blank");
  browser.WriteDocument(page.c_str());
  host.SetForegroundWindow();
  gui::PumpUntil([] { return false; }, 200);
  const CExtRichTextIndex::Run *one = RunOf(u"one"), *pot = RunOf(u"pot"), *asks = RunOf(u"AsKs"),
                               *random = RunOf(u"random"), *equity = RunOf(u"55.10%");
  ASSERT_TRUE(one && pot && asks && random && equity);
  auto middle = [](const CExtRichTextIndex::Run* run) { return (run->m_rc.top + run->m_rc.bottom) / 2; };
  auto boundary = [&](const CExtRichTextIndex::Run* run, int chars) {
    // Just right of the boundary before character `chars`: that boundary is the nearest.
    HDC dc = ::GetDC(View()->m_hWnd);
    HGDIOBJ old = ::SelectObject(dc, ::GetStockObject(DEFAULT_GUI_FONT));
    const int x = run->m_rc.left + CExtRichTextIndex::OffsetX(dc, *run, chars);
    ::SelectObject(dc, old);
    ::ReleaseDC(View()->m_hWnd, dc);
    return POINT{x + 1, middle(run)};
  };

  // Over text the pointer is the text beam.
  const POINT overOne = OnScreen(one->m_rc.left + 2, middle(one));
  ::SetCursorPos(overOne.x, overOne.y);
  ::SendMessageW(View()->m_hWnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(View()->m_hWnd),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_EQ(::GetCursor(), ::LoadCursorW(nullptr, IDC_IBEAM));

  // A drag over one word, with the real mouse.
  Drag(boundary(one, 0), boundary(one, 3));
  EXPECT_EQ(Copied(), L"one");
  gui::Image shot = Shot();
  gui::SaveCapture(shot, L"rich_page_selection");
  EXPECT_EQ(At(shot, one->m_rc.left + 1, one->m_rc.top), ::GetSysColor(COLOR_HIGHLIGHT)) << "drawn selected";
  EXPECT_NE(At(shot, pot->m_rc.left + 1, pot->m_rc.top), ::GetSysColor(COLOR_HIGHLIGHT));

  // Shift+click extends it to the end of the line.
  const LPARAM potEnd = MAKELPARAM(pot->m_rc.right + 20, middle(pot));
  ::SendMessageW(View()->m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, potEnd);
  ::SendMessageW(View()->m_hWnd, WM_LBUTTONUP, MK_SHIFT, potEnd);
  EXPECT_EQ(Copied(), L"one wins the pot");

  // Across the cells of two rows: tabs between cells, a line end between rows.
  Drag(boundary(asks, 2), boundary(random, 3));
  EXPECT_EQ(Copied(), L"Ks\t55.10%\r\nran");
  gui::SaveCapture(Shot(), L"rich_page_selection_cells");

  // A double-click takes the word.
  const LPARAM inEquity = MAKELPARAM(equity->m_rc.left + 3, middle(equity));
  ::SendMessageW(View()->m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, inEquity);
  ::SendMessageW(View()->m_hWnd, WM_LBUTTONUP, 0, inEquity);
  ::SendMessageW(View()->m_hWnd, WM_LBUTTONDBLCLK, MK_LBUTTON, inEquity);
  ::SendMessageW(View()->m_hWnd, WM_LBUTTONUP, 0, inEquity);
  EXPECT_EQ(Copied(), L"55.10%");

  // Ctrl+A: the page's text, as the text view's select-all copied it.
  CtrlKey('A');
  EXPECT_EQ(Copied(), std::wstring(browser.GetDocumentText().GetString()));
  EXPECT_EQ(View()->GetSelectionAnchor(), 0);
  // A click without a drag leaves nothing selected: the whole page again.
  Drag(boundary(one, 1), boundary(one, 1));
  EXPECT_EQ(View()->GetSelectionAnchor(), View()->GetSelectionEnd());
  EXPECT_EQ(Copied(), std::wstring(browser.GetDocumentText().GetString()));
}

TEST_F(RichPage, DraggingPastTheBottomScrollsAndExtendsTheSelection) {
  std::wstring page = L"<html><body>";
  for (int i = 0; i < 200; ++i) page += L"<p>Row " + std::to_wstring(i) + L"</p>";
  page += L"</body></html>";
  Open(L"about:blank");
  browser.WriteDocument(page.c_str());
  const CExtRichTextIndex::Run* first = RunOf(u"Row");
  ASSERT_NE(first, nullptr);
  CRect client;
  View()->GetClientRect(&client);
  const HWND view = View()->m_hWnd;
  ::SendMessageW(view, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(first->m_rc.left, first->m_rc.top + 2));
  ::SendMessageW(view, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(20, client.bottom + 30));
  const long before = View()->GetSelectionEnd();
  // The scrolling timer's ticks, sent here rather than waited for.
  for (int i = 0; i < 5; ++i) ::SendMessageW(view, WM_TIMER, 1, 0);
  EXPECT_GT(View()->GetScrollOrigin().y, 0);
  EXPECT_GT(View()->GetSelectionEnd(), before);
  ::SendMessageW(view, WM_LBUTTONUP, 0, MAKELPARAM(20, client.bottom + 30));
  const std::wstring copied = Copied();
  EXPECT_EQ(copied.rfind(L"Row 0\r\nRow 1\r\n", 0), 0u) << std::string(copied.begin(), copied.end());
  EXPECT_GT(View()->GetScrollOrigin().y, 0);
}

TEST_F(RichPage, PicturesBesideThePageAreDrawn) {
  const std::wstring folder = TempFolder();
  CImage red;
  ASSERT_TRUE(red.Create(24, 32, 24));
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 24; ++x) red.SetPixel(x, y, RGB(220, 20, 20));
  ASSERT_TRUE(SUCCEEDED(red.Save((folder + L"card.png").c_str())));
  WriteFile(folder + L"board.html",
            "<html><body><p>Board: <img id=c1 src=\"card.png\" alt=\"Ah\"> <img id=c2 src=\"missing.png\" "
            "alt=\"Kd\"></p></body></html>");
  Open(folder + L"board.html");
  CExtRichContentItem* image = Engine()->GetLayout().FindById(u"c1");
  ASSERT_NE(image, nullptr);
  const RichRect box = image->m_rcItem;
  EXPECT_EQ(box.Width(), 24);
  EXPECT_EQ(box.Height(), 32);
  gui::Image shot = Shot();
  gui::SaveCapture(shot, L"rich_page_picture");
  EXPECT_EQ(At(shot, box.left + 12, box.top + 16), RGB(220, 20, 20));
}

TEST_F(RichPage, LinksReachAnchorsAndALongPageScrollsToItsEnd) {
  std::wstring page = L"<html><body><p><a href=\"#end\" id=go>To the end</a></p>";
  for (int i = 0; i < 300; ++i) page += L"<p>Line " + std::to_wstring(i) + L" of a long page.</p>";
  page += L"<p id=end>The end.</p></body></html>";
  Open(L"about:blank");
  browser.WriteDocument(page.c_str());
  CRect client;
  View()->GetClientRect(&client);
  EXPECT_GT(View()->GetDocumentSize().cy, client.Height() * 5);
  CExtRichContentItem* link = Engine()->GetLayout().FindById(u"go");
  ASSERT_NE(link, nullptr);
  std::vector<CExtRichContentItem*> words;
  const RichRect box = link->m_listChildren.IsEmpty() ? link->m_rcItem : link->m_listChildren.GetHead()->m_rcItem;
  const LPARAM at = MAKELPARAM(box.left + 2, box.top + box.Height() / 2);
  ::SendMessageW(View()->m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
  ::SendMessageW(View()->m_hWnd, WM_LBUTTONUP, 0, at);
  const int endTop = Engine()->AnchorTop(L"end");
  ASSERT_GT(endTop, 0);
  EXPECT_EQ(View()->GetScrollOrigin().y, std::min<int>(endTop, View()->GetDocumentSize().cy - client.Height()));
  ::SendMessageW(View()->m_hWnd, WM_KEYDOWN, VK_HOME, 0);
  EXPECT_EQ(View()->GetScrollOrigin().y, 0);
  ::SendMessageW(View()->m_hWnd, WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
  EXPECT_GT(View()->GetScrollOrigin().y, 0);
  gui::Image top = Shot();
  ::SendMessageW(View()->m_hWnd, WM_KEYDOWN, VK_END, 0);
  gui::Image end = Shot();
  gui::SaveCapture(end, L"rich_page_end");
  EXPECT_GT(gui::CountDifferentPixels(top, end, RECT{0, 0, client.Width(), client.Height()}), 100);
}

TEST_F(RichPage, TheSyntaxPageOpensAndScrolls) {
  Open(std::wstring(OV_SOURCE_DIR_W) + L"\\data\\Syntax.html");
  CRect client;
  View()->GetClientRect(&client);
  EXPECT_GT(View()->GetDocumentSize().cy, client.Height());
  gui::Image first = Shot();
  gui::SaveCapture(first, L"rich_page_syntax");
  EXPECT_GT(gui::CountColours(first, RECT{0, 0, client.Width(), client.Height()}), 2);
  ::SendMessageW(View()->m_hWnd, WM_KEYDOWN, VK_NEXT, 0);
  EXPECT_GT(View()->GetScrollOrigin().y, 0);
  gui::Image next = Shot();
  gui::SaveCapture(next, L"rich_page_syntax_next");
  EXPECT_GT(gui::CountDifferentPixels(first, next, RECT{0, 0, client.Width(), client.Height()}), 100);

  // The contents line's links lead to the parts of the page.
  ::SendMessageW(View()->m_hWnd, WM_KEYDOWN, VK_HOME, 0);
  std::vector<CExtRichContentItem*> links;
  Collect(Engine()->GetLayout().GetRoot(), u"a", links);
  CExtRichContentItem* patterns = nullptr;
  for (CExtRichContentItem* link : links) {
    CExtRichContentItem* href = link->FindAttribute(u"href");
    if (href && href->m_strValue == u"#patterns") patterns = link;
  }
  ASSERT_NE(patterns, nullptr);
  ASSERT_FALSE(patterns->m_listChildren.IsEmpty());
  const RichRect word = patterns->m_listChildren.GetHead()->m_rcItem;
  ASSERT_LT(word.bottom, client.Height());
  const LPARAM at = MAKELPARAM(word.left + 1, word.top + word.Height() / 2);
  ::SendMessageW(View()->m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
  ::SendMessageW(View()->m_hWnd, WM_LBUTTONUP, 0, at);
  const int top = Engine()->AnchorTop(L"patterns");
  ASSERT_GT(top, word.bottom);
  EXPECT_EQ(View()->GetScrollOrigin().y, std::min<int>(top, View()->GetDocumentSize().cy - client.Height()));
  gui::SaveCapture(Shot(), L"rich_page_syntax_patterns");
}

// The text index is made for the layout in force when the text is needed, and the look for
// links a page without any answers once is made again for the next page.
TEST_F(RichPage, TheTextFollowsARelayoutAndTheNextPagesLinksAreFound) {
  std::wstring page = L"<html><body><p>";
  for (int i = 0; i < 200; ++i) page += L"AsKs" + std::to_wstring(i) + L", ";
  page += L"</p></body></html>";
  Open(L"about:blank");
  browser.WriteDocument(page.c_str());
  const long length = Engine()->TextLength();
  ASSERT_GT(length, 1000);
  const int wideBottom = Engine()->GetTextIndex().Runs().back().m_rc.bottom;
  for (int y = 5; y < 300; y += 40) EXPECT_EQ(Engine()->LinkAt(POINT{20, y}), L"") << y;

  CRect client;
  host.GetClientRect(&client);
  browser.MoveWindow(0, 0, client.Width() / 2, client.Height());
  gui::PumpUntil([] { return false; }, 50);
  const auto& runs = Engine()->GetTextIndex().Runs();
  EXPECT_GT(runs.back().m_rc.bottom, wideBottom) << "more lines at half the width";
  for (const CExtRichTextIndex::Run& run : runs) ASSERT_EQ(run.m_rc, run.m_pItem->m_rcItem);
  EXPECT_EQ(Engine()->TextLength(), length);

  browser.WriteDocument(L"<html><body><p><a href=\"#end\">To the end</a></p><p id=end>End</p></body></html>");
  const CExtRichTextIndex::Run* link = RunOf(u"To");
  ASSERT_NE(link, nullptr);
  EXPECT_EQ(Engine()->LinkAt(POINT{link->m_rc.left + 2, link->m_rc.top + 2}), L"#end");
  EXPECT_EQ(Engine()->LinkAt(POINT{link->m_rc.left + 2, link->m_rc.bottom + 40}), L"");
}

// A page as long as the range explorer's largest: read, laid out and its first screen
// painted; the time is printed for the record.
TEST_F(RichPage, ALongTablePageRenders) {
  std::wstring page = L"<html><body><h3>Ranges</h3><table>";
  for (int i = 0; i < 3000; ++i)
    page += L"<tr><td>" + std::to_wstring(i) + L"</td><td>AsKsQhJh, AsKsQhTh, AsKsQh9h</td><td>" +
            std::to_wstring(i % 100) + L".5%</td></tr>";
  page += L"</table></body></html>";
  Open(L"about:blank");
  const auto start = std::chrono::steady_clock::now();
  browser.WriteDocument(page.c_str());
  View()->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  std::printf("long page (3000 rows, %zu characters): %.0f ms to read, lay out and paint\n", page.size(), ms);
  CRect client;
  View()->GetClientRect(&client);
  EXPECT_GT(View()->GetDocumentSize().cy, client.Height() * 20);
  gui::SaveCapture(Shot(), L"rich_page_long");
}

}  // namespace
