// The HTML drawer on real device contexts: measured sizes against the ink of the drawing pass,
// wrapping, hostile texts, and a test window with styled texts and the draw manager's effects.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "canvas.h"
#include "controls/html/html_drawer.h"
#include "test_dialog.h"

namespace {

using ctltest::Canvas;

const COLORREF kWhite = RGB(255, 255, 255);

// The bounding box of every pixel that is not white, right and bottom exclusive.
RECT InkBox(const Canvas& c) {
  RECT box = {c.width(), c.height(), 0, 0};
  for (int y = 0; y < c.height(); ++y)
    for (int x = 0; x < c.width(); ++x)
      if (c.At(x, y) != kWhite) {
        box.left = std::min<LONG>(box.left, x);
        box.top = std::min<LONG>(box.top, y);
        box.right = std::max<LONG>(box.right, x + 1);
        box.bottom = std::max<LONG>(box.bottom, y + 1);
      }
  return box;
}

TEST(HtmlDrawer, EmptyAndInvisibleTextsMeasureNothingAndDrawNothing) {
  Canvas c(50, 30, kWhite);
  CPPHtmlDrawer drawer;
  for (const wchar_t* text : {L"", L"<b></b>", L"<i><u>"}) {
    const CSize s = drawer.MeasureMarkup(c.dc()->m_hDC, text);
    EXPECT_EQ(s.cx, 0);
    EXPECT_EQ(s.cy, 0);
    drawer.PaintMeasuredMarkup(c.dc()->m_hDC, RECT{0, 0, 50, 30});
    EXPECT_EQ(InkBox(c).right, 0) << text;
  }
}

// With an opaque text background every run paints its whole cell, so the ink of the drawing
// pass is exactly the area the measuring pass asked for (less its extra pixel).
TEST(HtmlDrawer, MeasuredSizeMatchesTheInkOfTheDrawingPass) {
  const struct {
    const wchar_t* text;
    int maxWidth;
  } kCases[] = {
      {L"Hello", 0},
      {L"one<br>two three four", 0},
      {L"<font size=5>Big</font> and <b>bold</b> <i>italic</i>", 0},
      {L"<h1>Title</h1><br><small>the small print</small>", 0},
      {L"A longer sentence that has to wrap at the maximum width, several times over.", 120},
      {L"<center>centred text that wraps onto more lines</center>", 100},
      {L"<right>right</right><br>and left", 0},
  };
  for (const auto& k : kCases) {
    Canvas c(400, 200, kWhite);
    CPPHtmlDrawer drawer;
    drawer.SetMaxWidth(k.maxWidth);
    const std::wstring text = std::wstring(L"<font bkgnd=yellow>") + k.text + L"</font>";
    const CSize s = drawer.MeasureMarkup(c.dc()->m_hDC, text.c_str());
    ASSERT_GT(s.cx, 1) << k.text;
    drawer.PaintMeasuredMarkup(c.dc()->m_hDC, RECT{0, 0, s.cx, s.cy});
    const RECT ink = InkBox(c);
    EXPECT_LE(ink.left, 1) << k.text;
    EXPECT_EQ(ink.top, 0) << k.text;
    EXPECT_TRUE(ink.right == s.cx - 1 || ink.right == s.cx) << k.text << ": ink to " << ink.right << ", size " << s.cx;
    EXPECT_EQ(ink.bottom, s.cy - 1) << k.text;
    if (k.maxWidth) {
      EXPECT_LE(s.cx, k.maxWidth + 1) << k.text;
    }
  }
}

TEST(HtmlDrawer, WrapsAtTheMaximumWidthOnly) {
  Canvas c(10, 10, kWhite);
  CPPHtmlDrawer drawer;
  const wchar_t* text = L"words words words words words words words words words words";
  const CSize oneLine = drawer.MeasureMarkup(c.dc()->m_hDC, text);
  drawer.SetMaxWidth(150);
  const CSize wrapped = drawer.MeasureMarkup(c.dc()->m_hDC, text);
  EXPECT_GT(oneLine.cx, 150);
  EXPECT_LE(wrapped.cx, 151);
  EXPECT_GE(wrapped.cy, 3 * (oneLine.cy - 1) + 1);
}

TEST(HtmlDrawer, StylesReachTheDeviceContext) {
  Canvas c(300, 60, kWhite);
  CPPHtmlDrawer drawer;
  const CSize s = drawer.MeasureMarkup(c.dc()->m_hDC, L"<font color=#ff0000 bkgnd=#00ff00>red on green</font>");
  drawer.PaintMeasuredMarkup(c.dc()->m_hDC, RECT{0, 0, s.cx, s.cy});
  int red = 0, green = 0;
  for (int y = 0; y < s.cy; ++y)
    for (int x = 0; x < s.cx; ++x) {
      red += c.At(x, y) == RGB(255, 0, 0);
      green += c.At(x, y) == RGB(0, 255, 0);
    }
  EXPECT_GT(red, 20);
  EXPECT_GT(green, 20);
  // The drawer puts the device context's colours back after the pass.
  EXPECT_EQ(::GetTextColor(c.dc()->m_hDC), RGB(0, 0, 0));
  EXPECT_EQ(::GetBkMode(c.dc()->m_hDC), OPAQUE);
}

// Whatever the text, measuring and drawing end; the drawing pass may meet more lines than were
// measured (a narrower rectangle) without reading past the stored ones.
TEST(HtmlDrawer, HostileTextsEnd) {
  std::wstring deep;
  for (int i = 0; i < 10000; ++i) deep += L"<b><i><font size=+2>";
  deep += L"deep";
  std::wstring huge;
  while (huge.size() < (1u << 20)) huge += L"words and <i>more</i> words, x&amp;lt;y ";
  const std::wstring kTexts[] = {deep, huge, L"<<<", L"<", L"<font size=99999999 face='x'>big</font>",
                                 L"a<br=2147483647>b<t=99999999>c", L"<hr width=99999999%>"};
  Canvas c(200, 100, kWhite);
  CPPHtmlDrawer drawer;
  drawer.SetMaxWidth(800);
  for (const std::wstring& text : kTexts) {
    const CSize s = drawer.MeasureMarkup(c.dc()->m_hDC, text.c_str());
    EXPECT_GE(s.cx, 0);
    drawer.PaintMeasuredMarkup(c.dc()->m_hDC, RECT{0, 0, 200, 100});
    drawer.PaintMeasuredMarkup(c.dc()->m_hDC, RECT{0, 0, 7, 100});
  }
}

// A 32-bit bitmap file of 4 × 4 pixels in one colour (0xRRGGBB).
std::wstring WriteBitmapFile(const wchar_t* name, DWORD colour) {
  wchar_t folder[MAX_PATH];
  ::GetTempPathW(MAX_PATH, folder);
  const std::wstring path = std::wstring(folder) + name;
  BITMAPFILEHEADER fh = {};
  BITMAPINFOHEADER ih = {};
  ih.biSize = sizeof ih;
  ih.biWidth = 4;
  ih.biHeight = 4;
  ih.biPlanes = 1;
  ih.biBitCount = 32;
  fh.bfType = 0x4D42;
  fh.bfOffBits = sizeof fh + sizeof ih;
  fh.bfSize = fh.bfOffBits + 16 * 4;
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  ::WriteFile(file, &fh, sizeof fh, &written, nullptr);
  ::WriteFile(file, &ih, sizeof ih, &written, nullptr);
  for (int i = 0; i < 16; ++i) ::WriteFile(file, &colour, 4, &written, nullptr);
  ::CloseHandle(file);
  return path;
}

TEST(HtmlDrawer, TablesTileTheirBackgroundImageAndImagesLoadFromFiles) {
  const std::wstring tile = WriteBitmapFile(L"ov_html_tile.bmp", 0x00C040A0);
  Canvas c(200, 100, kWhite);
  CPPHtmlDrawer drawer;
  const std::wstring text = L"<table background='file:" + tile + L"' cellpadding=10><tr><td>tiled</td></tr></table>" +
                            L"<bmp file='" + tile + L"' width=400%>";
  const CSize s = drawer.MeasureMarkup(c.dc()->m_hDC, text.c_str());
  drawer.PaintMeasuredMarkup(c.dc()->m_hDC, RECT{0, 0, s.cx, s.cy});
  int tiled = 0;
  for (int y = 0; y < 100; ++y)
    for (int x = 0; x < 200; ++x) tiled += c.At(x, y) == RGB(0xC0, 0x40, 0xA0);
  // The table's background behind its padding and the 16 × 4 bitmap below it.
  EXPECT_GT(tiled, 300);
  // With colours disabled the background image is not drawn.
  Canvas d(200, 100, kWhite);
  drawer.EnableColours(false, RGB(128, 128, 128));
  drawer.MeasureMarkup(d.dc()->m_hDC, (L"<table background='file:" + tile + L"'><tr><td>x</td></tr></table>").c_str());
  drawer.PaintMeasuredMarkup(d.dc()->m_hDC, RECT{0, 0, 200, 100});
  int grey = 0;
  for (int y = 0; y < 100; ++y)
    for (int x = 0; x < 200; ++x) grey += d.At(x, y) == RGB(0xC0, 0x40, 0xA0);
  EXPECT_EQ(grey, 0);
  ::DeleteFileW(tile.c_str());
}

// A window that paints with a drawer and its draw manager.
class PaintWindow {
 public:
  explicit PaintWindow(std::function<void(HDC, const RECT&)> paint) : m_paint(std::move(paint)) {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = &PaintWindow::Proc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = L"HtmlDrawerTestWindow";
    ::RegisterClassW(&wc);
    m_hwnd = ::CreateWindowExW(0, wc.lpszClassName, L"HTML drawer", WS_POPUP | WS_BORDER, 40, 40, 640, 420, nullptr,
                               nullptr, wc.hInstance, this);
    ::ShowWindow(m_hwnd, SW_SHOWNOACTIVATE);
    ::UpdateWindow(m_hwnd);
  }
  ~PaintWindow() { ::DestroyWindow(m_hwnd); }
  HWND hwnd() const { return m_hwnd; }

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE)
      ::SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams));
    auto* self = reinterpret_cast<PaintWindow*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (msg == WM_PAINT && self) {
      PAINTSTRUCT ps;
      HDC dc = ::BeginPaint(hwnd, &ps);
      RECT client;
      ::GetClientRect(hwnd, &client);
      self->m_paint(dc, client);
      ::EndPaint(hwnd, &ps);
      return 0;
    }
    return ::DefWindowProcW(hwnd, msg, wp, lp);
  }

  std::function<void(HDC, const RECT&)> m_paint;
  HWND m_hwnd = nullptr;
};

HBITMAP CardBitmap() {
  // A 24 × 24 bitmap: a blue disc with a white rim on the magenta key colour.
  BITMAPINFO bi = {};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = 24;
  bi.bmiHeader.biHeight = -24;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP b = ::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  auto* p = static_cast<DWORD*>(bits);
  for (int y = 0; y < 24; ++y)
    for (int x = 0; x < 24; ++x) {
      const int d = (x - 12) * (x - 12) + (y - 12) * (y - 12);
      p[y * 24 + x] = d < 81 ? 0x002050D0 : d < 121 ? 0x00FFFFFF : 0x00FF00FF;
    }
  return b;
}

TEST(HtmlDrawerWindow, StyledTextsWithTheDrawManagersEffects) {
  CPPHtmlDrawer drawer;
  drawer.SetMaxWidth(280);
  HBITMAP card = CardBitmap();
  const wchar_t* kLeft =
      L"<h2>Equity report</h2><br>"
      L"<b>Bold</b>, <i>italic</i>, <u>underlined</u>, <s>struck</s> and "
      L"<font style='o' color=darkgreen>overlined</font> text.<br>"
      L"<font face=Arial size=4 color=#990000>Arial size 4</font> "
      L"<font bkgnd=lightyellow>on a background</font><br>"
      L"<code>code()</code> <big>big</big> <small>small</small> H<sub>2</sub>O x<sup>2</sup><br>"
      L"<hr width=90% color=steelblue size=2><br>"
      L"<justify>Justified text spreads its spare width over the spaces of every line that wraps, "
      L"but not the last.</justify><br>"
      L"<center>centred</center><br><right>right-aligned</right><br>"
      L"Tabs:<t>one<t>two<t>three<br>"
      L"Entities: &lt;b&gt; &amp;lt; &copy; &euro; &trade;<br>"
      L"<span class=cpp-comment>// a comment span</span> <a href='http://x'>a link</a>";
  auto paint = [&](HDC dc, const RECT& client) {
    CPPDrawManager& dm = drawer.DrawManager();
    std::srand(3);
    const int kinds[] = {1, 2, 3, 5, 7, 8, 11, 13, 14, 15};
    for (int i = 0; i < 10; ++i)
      dm.PaintBackground(dc, RECT{300 + (i % 2) * 165, 10 + (i / 2) * 50, 460 + (i % 2) * 165, 55 + (i / 2) * 50},
                         kinds[i], RGB(255, 210, 60), RGB(250, 250, 255), RGB(40, 110, 200), 5, 0);
    const DWORD effects[] = {0, CPPDrawManager::FX_GREY, CPPDrawManager::FX_DARKER, CPPDrawManager::FX_BRIGHTER,
                             CPPDrawManager::FX_SINGLE_COLOUR, CPPDrawManager::FX_HARD_SHADOW,
                             CPPDrawManager::FX_SOFT_SHADOW};
    for (int i = 0; i < 7; ++i)
      dm.PaintBitmap(dc, 300 + i * 46, 270, 24, 24, card, true, RGB(255, 0, 255), effects[i], i >= 5, 4, 4, 7, 7,
                     i == 4 ? RGB(200, 0, 0) : drawer.ShadowColour());
    dm.PaintBitmap(dc, 300, 320, 48, 48, card, true, RGB(255, 0, 255), CPPDrawManager::FX_SOFT_SHADOW, true, 4, 4, 7,
                   7, drawer.ShadowColour());
    dm.PaintFrame(dc, 380, 320, 460, 370, RGB(0, 0, 200), RGB(200, 0, 0), CPPDrawManager::kLineDouble, 1);
    dm.PaintFrame(dc, 480, 320, 560, 370, RGB(0, 120, 0), RGB(0, 120, 0), CPPDrawManager::kLineDash, 1);
    const CSize s = drawer.MeasureMarkup(dc, kLeft);
    drawer.PaintMeasuredMarkup(dc, RECT{10, 10, 10 + s.cx, 10 + s.cy});
    (void)client;
  };
  PaintWindow window(paint);
  ctltest::Pump(100);
  const gui::Image image = ctltest::Capture(window.hwnd());
  ASSERT_FALSE(image.Empty());
  EXPECT_FALSE(gui::SaveCapture(image, L"html_drawer_window").empty());
  // Text was drawn at the top left and the fills at the right.
  EXPECT_GT(gui::CountColours(image, RECT{10, 10, 290, 400}), 4);
  EXPECT_GT(gui::CountColours(image, RECT{300, 10, 630, 260}), 50);
  ::DeleteObject(card);
}

}  // namespace
