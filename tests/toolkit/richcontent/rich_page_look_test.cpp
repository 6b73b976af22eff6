// The program's own pages as the browser control shows them, at the widths the program gives
// the control: the result page of an Evaluate run (with the program's result style sheet), the
// range explorer's listing, the syntax page and the empty placeholder page. Each is captured
// whole, and the HTML that was shown is saved beside the capture, so that the page can be
// opened in another browser and the two pictures compared by eye.
#include <gtest/gtest.h>

#include <ocidl.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "framework/afxwin.h"
#include "framework/pageview.h"
#include "framework/webbrowser.h"
#include "gui_harness.h"
#include "toolkit/richcontent/rich_item.h"
#include "toolkit/richcontent/rich_page_renderer.h"

namespace {

class CLookTestApp : public CWinApp {
 public:
  CLookTestApp() : CWinApp(L"Rich Page Look Test") {}
  BOOL InitApplication() override { return TRUE; }
};
CLookTestApp theApp;

const std::wstring kSource = OV_SOURCE_DIR_W;

std::string ReadBytes(const std::wstring& path) {
  std::ifstream in(path.c_str(), std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// The pages are ASCII with Latin-1 at most.
std::wstring Widen(const std::string& bytes) {
  std::wstring out;
  for (unsigned char c : bytes) out.push_back(c);
  return out;
}

void ReplaceAll(std::wstring& text, const std::wstring& from, const std::wstring& to) {
  for (std::size_t at = 0; (at = text.find(from, at)) != std::wstring::npos; at += to.size())
    text.replace(at, from.size(), to);
}

// A result page as the program writes it: a fixture of the result writer with the program's
// own style element in place of the fixture's, and the card pictures taken from the source
// tree instead of the installed program.
std::wstring ResultPage(const wchar_t* fixture) {
  std::wstring page = Widen(ReadBytes(kSource + L"\\tests\\app\\fixtures\\results\\" + fixture));
  const std::size_t open = page.find(L"<style"), close = page.find(L"</style>");
  if (open == std::wstring::npos || close == std::wstring::npos) return {};
  page.replace(open, close + 8 - open, Widen(ReadBytes(kSource + L"\\resources\\html\\result_style.html")));
  ReplaceAll(page, L"res://C:\\Program Files\\OmahaVantorn\\OmahaVantorn.exe/bitmap_card_",
             L"file:///" + kSource + L"\\resources\\cards\\png\\");
  return page;
}

// The explorer's listing as the dialog writes it: its body and font lines around lines of
// coloured hand groups (the class listing's markup) ending in line breaks.
std::wstring ExplorerPage() {
  const wchar_t* red = L"<font color=#EE0000>";
  const wchar_t* green = L"<font color=#00EE00>";
  std::wstring list;
  for (int line = 0; line < 4; ++line) {
    for (int i = 0; i < 6; ++i) {
      list += std::wstring(L"[") + red + L"A</font>" + red + L"K</font>][" + green + L"A</font>" + green + L"K</font>]";
      list += i < 5 ? L", " : L"<br>\n";
    }
  }
  return L"<HTML><BODY leftmargin=2 topmargin=2 rightmargin=2 bottommargin=2>\n<font face=Tahoma size=2>\n" + list +
         L"</font>\n</BODY></HTML>\n";
}

struct Installed {
  Installed() {
    AfxEnableControlContainer();
    RichInstallPageRenderer();
  }
} g_installed;

class PageLook : public testing::Test {
 protected:
  // A control of the given client size, as the program's dialogs place it.
  void Show(int width, int height) {
    LPCTSTR cls = AfxRegisterWndClass(0, ::LoadCursorW(nullptr, IDC_ARROW), ::GetSysColorBrush(COLOR_WINDOW));
    CRect frame(0, 0, width, height);
    ::AdjustWindowRectEx(&frame, WS_POPUP | WS_VISIBLE, FALSE, 0);
    ASSERT_TRUE(host.CreateEx(0, cls, L"Page", WS_POPUP | WS_VISIBLE, CRect(20, 20, 20 + frame.Width(), 20 + frame.Height()),
                              nullptr, 0));
    CRect client;
    host.GetClientRect(&client);
    ASSERT_TRUE(browser.Create(nullptr, L"", WS_CHILD | WS_VISIBLE, client, &host, 100));
    browser.Navigate(L"about:blank");
    ASSERT_TRUE(gui::PumpUntil([&] { return browser.GetReadyState() == READYSTATE_COMPLETE; }));
  }
  void TearDown() override {
    if (browser.m_hWnd) browser.DestroyWindow();
    if (host.m_hWnd) host.DestroyWindow();
  }
  CExtRichPageRenderer* Engine() {
    return dynamic_cast<CExtRichPageRenderer*>(browser.GetPageView()->GetRenderer());
  }
  // Writes the page, captures it and saves the capture and the HTML under the given name.
  gui::Image Capture(const std::wstring& html, const wchar_t* name) {
    browser.WriteDocument(html.c_str());
    fw::detail::CPageView* view = browser.GetPageView();
    view->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    gui::Image shot = gui::CaptureWindow(view->m_hWnd);
    const std::wstring png = gui::SaveCapture(shot, name);
    std::wstring path = png.substr(0, png.size() - 4) + L".html";
    if (FILE* f = _wfopen(path.c_str(), L"wb")) {
      for (wchar_t c : html) std::fputc(c < 0x100 ? static_cast<int>(c) : '?', f);
      std::fclose(f);
    }
    return shot;
  }
  CExtRichContentItem* First(const char16_t* tag) {
    std::vector<CExtRichContentItem*> found;
    Collect(Engine()->GetLayout().GetRoot(), tag, found);
    return found.empty() ? nullptr : found.front();
  }
  static void Collect(CExtRichContentItem* item, const char16_t* tag, std::vector<CExtRichContentItem*>& out) {
    for (CExtRichContentItem* child : item->m_listChildren) {
      if (child->IsElement() && child->GetTagName() == tag) out.push_back(child);
      Collect(child, tag, out);
    }
  }
  static COLORREF At(const gui::Image& shot, int x, int y) {
    const std::uint32_t p = shot.At(x, y);
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  }
  CWnd host;
  CWebBrowser2 browser;
};

// The result page at the main dialog's width (taller than the dialog's control, to show it
// whole): the table spans the page inside the body's margins and its grey cells are drawn.
TEST_F(PageLook, ResultPage) {
  Show(548, 300);
  for (const wchar_t* fixture : {L"hi_one_column.html", L"hilo_all_streets.html"}) {
    SCOPED_TRACE(fixture);
    const std::wstring page = ResultPage(fixture);
    ASSERT_FALSE(page.empty());
    const std::wstring name = std::wstring(L"page_look_result_") + std::wstring(fixture).substr(0, std::wstring(fixture).size() - 5);
    const gui::Image shot = Capture(page, name.c_str());
    CExtRichContentItem* table = First(u"table");
    ASSERT_NE(table, nullptr);
    CRect client;
    browser.GetPageView()->GetClientRect(&client);
    EXPECT_EQ(table->m_rcItem.left, 4);
    EXPECT_EQ(table->m_rcItem.right, client.Width() - 4);
    CExtRichContentItem* cell = First(u"td");
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(At(shot, cell->m_rcItem.left + 1, cell->m_rcItem.top + 1), RGB(0xE8, 0xE8, 0xE8));
  }
}

TEST_F(PageLook, ExplorerPage) {
  Show(514, 88);
  Capture(ExplorerPage(), L"page_look_explorer");
  std::vector<CExtRichContentItem*> breaks;
  Collect(Engine()->GetLayout().GetRoot(), u"br", breaks);
  ASSERT_EQ(breaks.size(), 4u);
  // One line of hand groups a break: the four lines follow each other without gaps.
  const int first = breaks[0]->m_rcItem.top;
  EXPECT_GT(first, 2);
  for (std::size_t i = 1; i < breaks.size(); ++i) EXPECT_GT(breaks[i]->m_rcItem.top, breaks[i - 1]->m_rcItem.top);
  EXPECT_EQ(breaks[3]->m_rcItem.top - first, 3 * (breaks[1]->m_rcItem.top - first));
}

TEST_F(PageLook, SyntaxAndPlaceholderPages) {
  Show(548, 400);
  Capture(Widen(ReadBytes(kSource + L"\\data\\Syntax.html")), L"page_look_syntax");
  EXPECT_NE(First(u"h1"), nullptr);
  const gui::Image blank = Capture(Widen(ReadBytes(kSource + L"\\resources\\html\\placeholder.html")), L"page_look_placeholder");
  CRect client;
  browser.GetPageView()->GetClientRect(&client);
  EXPECT_EQ(gui::CountColours(blank, RECT{0, 0, client.Width(), client.Height()}), 1);
}

// A table's border attribute frames the table itself as well as each cell, in grey, with the
// page's two pixels of spacing between the frames; a table without it shows no frame.
TEST_F(PageLook, TableFramesAreDrawn) {
  Show(300, 120);
  const gui::Image shot = Capture(
      L"<html><body><table id=t border=1><tr><td id=a>a</td><td>b</td></tr></table>"
      L"<table id=n><tr><td id=b>c</td></tr></table>"
      L"<table id=k border=1 style='border-collapse:collapse'><tr><td id=k1>d</td><td id=k2>e</td></tr></table>"
      L"</body></html>",
      L"page_look_frames");
  const RichRect t = Engine()->GetLayout().FindById(u"t")->m_rcItem;
  const RichRect a = Engine()->GetLayout().FindById(u"a")->m_rcItem;
  const RichRect n = Engine()->GetLayout().FindById(u"n")->m_rcItem;
  const COLORREF grey = RGB(0xA0, 0xA0, 0xA0), white = RGB(0xFF, 0xFF, 0xFF);
  const int midY = (a.top + a.bottom) / 2;
  EXPECT_EQ(At(shot, t.left, midY), grey);       // the table's frame
  EXPECT_EQ(At(shot, t.left + 1, midY), white);  // the spacing
  EXPECT_EQ(At(shot, a.left, midY), grey);       // the cell's frame
  EXPECT_EQ(a.left - t.left, 3);
  EXPECT_EQ(At(shot, n.left, (n.top + n.bottom) / 2), white);
  // Collapsed borders are single grey lines: one column of them between the two cells.
  const RichRect k1 = Engine()->GetLayout().FindById(u"k1")->m_rcItem;
  const RichRect k2 = Engine()->GetLayout().FindById(u"k2")->m_rcItem;
  const int y = (k1.top + k1.bottom) / 2;
  EXPECT_EQ(k2.left, k1.right);
  EXPECT_EQ(At(shot, k1.right - 1, y), grey);
  EXPECT_EQ(At(shot, k1.right - 2, y), white);
  EXPECT_EQ(At(shot, k2.left, y), white);
  EXPECT_EQ(At(shot, k1.left - 1, y), grey);  // the table's left line
  EXPECT_EQ(At(shot, k1.left, y), white);
}

}  // namespace
