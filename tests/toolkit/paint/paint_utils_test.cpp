// Drawing and window utilities: gradients, pattern bitmaps, colour icons, monitors, screen
// captures, clip exclusion and the paint-message flush.
#include <gtest/gtest.h>

#include "canvas.h"
#include "toolkit/paint/paint_manager.h"

namespace {

TEST(Gradients, VerticalTwoColourHasTheFirstColourAtTheBottom) {
  const COLORREF red = RGB(255, 0, 0), blue = RGB(0, 0, 255);
  ctltest::Canvas canvas(10, 100, RGB(0, 255, 0));
  CExtPaintManager::FillTwoColorGradient(*canvas.dc(), RECT{0, 0, 10, 100}, red, blue, true);
  EXPECT_GT(GetRValue(canvas.At(5, 99)), 240);
  EXPECT_LT(GetBValue(canvas.At(5, 99)), 15);
  EXPECT_GT(GetBValue(canvas.At(5, 0)), 240);
  EXPECT_EQ(GetGValue(canvas.At(5, 50)), 0);
  // Horizontal: the first colour at the left.
  CExtPaintManager::FillTwoColorGradient(*canvas.dc(), RECT{0, 0, 10, 100}, red, blue, false);
  EXPECT_GT(GetRValue(canvas.At(0, 50)), 200);
  EXPECT_GT(GetBValue(canvas.At(9, 50)), 200);
}

TEST(Gradients, ThreeColoursTopToBottomSplitAtTheFraction) {
  const COLORREF red = RGB(255, 0, 0), green = RGB(0, 255, 0), blue = RGB(0, 0, 255);
  ctltest::Canvas canvas(10, 100, RGB(0, 0, 0));
  CExtPaintManager::FillThreeColorGradient(*canvas.dc(), RECT{0, 0, 10, 100}, red, green, blue, true, 1, 4);
  EXPECT_GT(GetRValue(canvas.At(5, 0)), 200);    // c1 at the top
  EXPECT_GT(GetGValue(canvas.At(5, 25)), 200);   // c2 at the split
  EXPECT_GT(GetBValue(canvas.At(5, 99)), 240);   // c3 at the bottom
  EXPECT_EQ(GetBValue(canvas.At(5, 10)), 0);     // the first piece holds no blue
  canvas.Save(L"toolkit_three_colour_gradient");
}

TEST(Gradients, BandsWithoutTheSystemGradientFill) {
  auto& holder = g_PaintManagerHolder;
  const auto saved = holder.m_pfnGradientFill;
  holder.m_pfnGradientFill = nullptr;
  const COLORREF first = RGB(0, 0, 0), second = RGB(250, 100, 50);
  ctltest::Canvas canvas(10, 8, RGB(1, 2, 3));
  // Ten pixels, 256 steps: ten bands, one per column, band k in (second x k / 10).
  CExtPaintManager::FillTwoColorGradient(*canvas.dc(), RECT{0, 0, 10, 8}, first, second, false, 256);
  for (int x = 0; x < 10; ++x) EXPECT_EQ(canvas.At(x, 4), RGB(25 * x, 10 * x, 5 * x)) << x;
  // Vertical: the first colour in the bottom row.
  CExtPaintManager::FillTwoColorGradient(*canvas.dc(), RECT{0, 0, 10, 8}, first, second, true, 4);
  EXPECT_EQ(canvas.At(3, 7), first);
  EXPECT_EQ(canvas.At(3, 0), RGB(250 * 3 / 4, 100 * 3 / 4, 50 * 3 / 4));
  holder.m_pfnGradientFill = saved;
}

TEST(Gradients, EmptyRectangleDrawsNothing) {
  ctltest::Canvas canvas(10, 10, RGB(1, 2, 3));
  CExtPaintManager::FillTwoColorGradient(*canvas.dc(), RECT{5, 5, 5, 9}, RGB(255, 0, 0), RGB(0, 0, 255), false);
  CExtPaintManager::FillThreeColorGradient(*canvas.dc(), RECT{5, 5, 3, 9}, 0, 0, 0, true);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 10; ++x) ASSERT_EQ(canvas.At(x, y), RGB(1, 2, 3));
}

TEST(PatternBitmap, PixelsFollowTheMasks) {
  const COLORREF a = RGB(10, 20, 30), b = RGB(200, 100, 50), c = RGB(0, 128, 0);
  HBITMAP bmp = CExtPaintManager::CreatePatternBitmap16(a, b, 1, 1, 2, 2, c);
  ASSERT_NE(bmp, nullptr);
  BITMAP info{};
  ::GetObjectW(bmp, sizeof info, &info);
  EXPECT_EQ(info.bmWidth, 16);
  EXPECT_EQ(info.bmHeight, 16);
  HDC mem = ::CreateCompatibleDC(nullptr);
  HGDIOBJ old = ::SelectObject(mem, bmp);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x)
      EXPECT_EQ(::GetPixel(mem, x, y), extpaint::PatternPixel(x, y, a, b, 1, 1, 2, 2, c)) << x << "," << y;
  ::SelectObject(mem, old);
  ::DeleteDC(mem);
  ::DeleteObject(bmp);
  // -1 takes the system button face and highlight.
  bmp = CExtPaintManager::CreatePatternBitmap16();
  mem = ::CreateCompatibleDC(nullptr);
  old = ::SelectObject(mem, bmp);
  EXPECT_EQ(::GetPixel(mem, 0, 0), ::GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(::GetPixel(mem, 1, 0), ::GetSysColor(COLOR_BTNHIGHLIGHT));
  ::SelectObject(mem, old);
  ::DeleteDC(mem);
  ::DeleteObject(bmp);
}

// Draws the icon over a background and reads the pixels.
void DrawIconOn(ctltest::Canvas& canvas, HICON icon) {
  ::DrawIconEx(canvas.dc()->GetSafeHdc(), 0, 0, icon, 16, 16, 0, nullptr, DI_NORMAL);
}

TEST(ColourIcons, SwatchFrameAndLetter) {
  const COLORREF color = RGB(30, 160, 90), background = RGB(255, 0, 255);
  HICON swatch = CExtPaintManager::CreateColorSwatchIcon(color);
  HICON frame = CExtPaintManager::CreateColorFrameIcon(color);
  CFont font;
  font.CreatePointFont(90, L"Tahoma");
  HICON letter = CExtPaintManager::CreateFontColorIcon(color, static_cast<HFONT>(font.GetSafeHandle()));
  ASSERT_TRUE(swatch && frame && letter);

  ctltest::Canvas s(16, 16, background);
  DrawIconOn(s, swatch);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) ASSERT_EQ(s.At(x, y), color) << x << "," << y;

  ctltest::Canvas f(16, 16, background);
  DrawIconOn(f, frame);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      const bool outer = x >= 1 && x < 15 && y >= 2 && y < 14;
      const bool inner = x >= 3 && x < 13 && y >= 4 && y < 12;
      ASSERT_EQ(f.At(x, y), outer && !inner ? color : background) << x << "," << y;
    }

  ctltest::Canvas l(16, 16, background);
  DrawIconOn(l, letter);
  for (int x = 0; x < 16; ++x) EXPECT_EQ(l.At(x, 14), (x >= 2 && x < 14) ? color : background) << x;
  int black = 0;
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 16; ++x) {
      const COLORREF p = l.At(x, y);
      if (p == RGB(0, 0, 0)) ++black;
      else EXPECT_EQ(p, background) << x << "," << y;
    }
  EXPECT_GT(black, 6);  // the letter A, black and opaque
  l.Save(L"toolkit_font_colour_icon");
  ::DestroyIcon(swatch);
  ::DestroyIcon(frame);
  ::DestroyIcon(letter);
}

TEST(Monitors, PrimaryAndNearest) {
  CExtPaintManager::MonitorRects primary, nearest, fromNull;
  CExtPaintManager::GetPrimaryScreenRects(primary);
  EXPECT_TRUE(primary.m_bPrimary);
  EXPECT_EQ(primary.m_rcMonitor.right - primary.m_rcMonitor.left, ::GetSystemMetrics(SM_CXSCREEN));
  CExtPaintManager::GetMonitorRectsFromPoint(nearest, POINT{-100000, 100000});
  EXPECT_TRUE(::EqualRect(&nearest.m_rcMonitor, &primary.m_rcMonitor));
  EXPECT_TRUE(nearest.m_bPrimary);
  EXPECT_TRUE(::EqualRect(&nearest.m_rcWorkArea, &primary.m_rcWorkArea));
  CExtPaintManager::GetMonitorRectsFromWnd(fromNull, nullptr);
  EXPECT_TRUE(::EqualRect(&fromNull.m_rcMonitor, &primary.m_rcMonitor));
}

TEST(ScreenCapture, EmptyRectangleGivesNothing) {
  void* bits = reinterpret_cast<void*>(1);
  EXPECT_EQ(CExtPaintManager::CaptureScreenRectToDib(RECT{10, 10, 10, 50}, &bits), nullptr);
  EXPECT_EQ(bits, nullptr);
  HBITMAP dib = CExtPaintManager::CaptureScreenRectToDib(RECT{0, 0, 30, 20}, &bits);
  ASSERT_NE(dib, nullptr);
  EXPECT_NE(bits, nullptr);
  DIBSECTION ds{};
  ASSERT_EQ(::GetObjectW(dib, sizeof ds, &ds), static_cast<int>(sizeof ds));
  EXPECT_EQ(ds.dsBm.bmWidth, 30);
  EXPECT_EQ(ds.dsBm.bmHeight, 20);
  EXPECT_EQ(ds.dsBm.bmBitsPixel, 32);
  ::DeleteObject(dib);
}

LRESULT CALLBACK PrintingProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_PRINTCLIENT) {
    RECT rc{0, 0, 5, 5};
    HBRUSH brush = ::CreateSolidBrush(RGB(0, 0, 200));
    ::FillRect(reinterpret_cast<HDC>(w), &rc, brush);
    ::DeleteObject(brush);
    return 0;
  }
  return ::DefWindowProcW(h, m, w, l);
}

HWND CreateTestWindow(const wchar_t* cls, WNDPROC proc, DWORD style, int cx, int cy, HWND parent = nullptr) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = proc;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.lpszClassName = cls;
  ::RegisterClassW(&wc);
  return ::CreateWindowExW(0, cls, L"", style, 0, 0, cx, cy, parent, nullptr, ::GetModuleHandleW(nullptr), nullptr);
}

TEST(RenderWindow, PrintsTheClientIntoA32BitImage) {
  HWND w = CreateTestWindow(L"PaintUtilsPrinting", &PrintingProc, WS_POPUP, 40, 30);
  ASSERT_NE(w, nullptr);
  HBITMAP dib = CExtPaintManager::RenderWindowToDib(w, WM_PRINTCLIENT, PRF_CLIENT);
  ASSERT_NE(dib, nullptr);
  HDC mem = ::CreateCompatibleDC(nullptr);
  HGDIOBJ old = ::SelectObject(mem, dib);
  EXPECT_EQ(::GetPixel(mem, 2, 2), RGB(0, 0, 200));
  BITMAP bm{};
  ::GetObjectW(dib, sizeof bm, &bm);
  EXPECT_EQ(bm.bmWidth, 40);
  EXPECT_EQ(bm.bmHeight, 30);
  ::SelectObject(mem, old);
  ::DeleteDC(mem);
  ::DeleteObject(dib);
  ::DestroyWindow(w);
}

TEST(ClipExclusion, ChildrenLeaveTheClipUnlessTheFilterKeepsThem) {
  HWND parent = CreateTestWindow(L"PaintUtilsParent", &DefWindowProcW, WS_POPUP | WS_VISIBLE, 100, 100);
  HWND child = ::CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, 10, 10, 20, 20, parent,
                                 nullptr, nullptr, nullptr);
  HWND hidden = ::CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | BS_OWNERDRAW, 50, 50, 20, 20, parent, nullptr,
                                  nullptr, nullptr);
  ASSERT_TRUE(parent && child && hidden);
  ctltest::Canvas canvas(100, 100, RGB(0, 0, 0));
  HDC dc = canvas.dc()->GetSafeHdc();
  CExtPaintManager::ExcludeChildWindowsFromClip(dc, parent, [](HDC, HWND, HWND, LPARAM) { return true; }, 0);
  EXPECT_TRUE(::PtVisible(dc, 15, 15));
  CExtPaintManager::ExcludeChildWindowsFromClip(dc, parent, &CExtPaintManager::TransparentChildClipFilter, 0);
  EXPECT_FALSE(::PtVisible(dc, 15, 15));  // an owner-drawn button is clipped away
  EXPECT_TRUE(::PtVisible(dc, 55, 55));   // a hidden child is not
  EXPECT_TRUE(::PtVisible(dc, 5, 5));
  ::SelectClipRgn(dc, nullptr);
  ::DestroyWindow(parent);
}

int g_paints = 0;
bool g_validate = true;
LRESULT CALLBACK PaintCountingProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_PAINT) {
    ++g_paints;
    if (g_validate) ::ValidateRect(h, nullptr);
    return 0;
  }
  return ::DefWindowProcW(h, m, w, l);
}

TEST(FlushPaintMessages, DispatchesOnlyTheKindsAskedFor) {
  HWND w = CreateTestWindow(L"PaintUtilsFlush", &PaintCountingProc, WS_POPUP | WS_VISIBLE, 50, 50);
  ASSERT_NE(w, nullptr);
  CExtPaintManager::FlushPaintMessages();
  g_paints = 0;
  ::InvalidateRect(w, nullptr, FALSE);
  EXPECT_EQ(CExtPaintManager::FlushPaintMessages(false, false, false), 0);
  EXPECT_EQ(g_paints, 0);
  EXPECT_EQ(CExtPaintManager::FlushPaintMessages(false, false, true), 1);
  EXPECT_EQ(g_paints, 1);
  EXPECT_EQ(CExtPaintManager::FlushWindowPaintMessages(w, false, false, true), 0);
  // A window that never validates itself does not keep the flush going for ever.
  g_validate = false;
  ::InvalidateRect(w, nullptr, FALSE);
  EXPECT_EQ(CExtPaintManager::FlushWindowPaintMessages(w, true, true, true), 1);
  g_validate = true;
  ::DestroyWindow(w);
}

}  // namespace
