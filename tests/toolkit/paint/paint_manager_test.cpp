// The base paint manager: colour lookup, brushes, fonts, DPI scaling, reloads, and the
// classic scroll bar.
#include <gtest/gtest.h>

#include "canvas.h"
#include "toolkit/paint/paint_manager.h"

namespace {

// Installs a fresh base manager for each test.
class PaintManagerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(g_PaintManagerHolder.ReplaceManager(new CExtPaintManager));
    pm = g_PaintManagerHolder.CurrentManager();
    ASSERT_NE(pm, nullptr);
  }
  CExtPaintManager* pm = nullptr;
};

COLORREF BrushColor(HBRUSH brush) {
  LOGBRUSH lb{};
  ::GetObjectW(brush, sizeof lb, &lb);
  return lb.lbColor;
}

TEST_F(PaintManagerTest, LookupColorBySystemIndexAndColourId) {
  const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
  struct Case {
    int id;
    int sysColor;
  } cases[] = {
      {1000, COLOR_BTNFACE},   {1002, COLOR_BTNFACE},    {1003, COLOR_3DLIGHT},    {1006, COLOR_BTNHIGHLIGHT},
      {1009, COLOR_BTNSHADOW}, {1014, COLOR_3DDKSHADOW}, {1016, COLOR_WINDOWTEXT}, {1017, COLOR_GRAYTEXT},
      {1019, COLOR_HIGHLIGHTTEXT}, {1020, COLOR_GRAYTEXT}, {1022, COLOR_WINDOW}, {1024, COLOR_WINDOWTEXT},
      {1026, COLOR_HIGHLIGHTTEXT}, {1028, COLOR_HIGHLIGHT}, {1031, COLOR_WINDOW}, {1033, COLOR_BTNSHADOW},
      {COLOR_WINDOW, COLOR_WINDOW}, {COLOR_HIGHLIGHT, COLOR_HIGHLIGHT},
  };
  for (const Case& c : cases) EXPECT_EQ(pm->LookupColor(c.id), ::GetSysColor(c.sysColor)) << c.id;
  // Unknown ids and indexes outside the table fall back to the button face.
  for (int id : {4242, 1034, -5, 60, 999}) EXPECT_EQ(pm->LookupColor(id), face) << id;
  EXPECT_EQ(pm->GetColorBrush(1000), ::GetSysColorBrush(COLOR_BTNFACE));
  EXPECT_EQ(pm->GetColorBrush(-1), ::GetSysColorBrush(COLOR_BTNFACE));
  EXPECT_EQ(pm->GetColorBrush(COLOR_WINDOW), ::GetSysColorBrush(COLOR_WINDOW));
}

TEST_F(PaintManagerTest, InstalledColoursAndRebuildsKeepTheTableBounded) {
  const int id = pm->InstallColor(RGB(1, 2, 3));
  EXPECT_EQ(id, 50);
  EXPECT_EQ(pm->LookupColor(id), RGB(1, 2, 3));
  EXPECT_EQ(pm->InstallColor(RGB(4, 5, 6), id), id);
  EXPECT_EQ(pm->LookupColor(id), RGB(4, 5, 6));
  // Every system change rebuilds the map; colours computed by earlier builds are dropped.
  for (int i = 0; i < 3; ++i) pm->ReloadOnSysColorChange();
  EXPECT_EQ(pm->ColorTableSize(), 50);
  EXPECT_EQ(pm->LookupColor(1000), ::GetSysColor(COLOR_BTNFACE));
}

TEST_F(PaintManagerTest, HelperBrushesMixTheThreeDColours) {
  ASSERT_GT(CExtPaintManager::ScreenBitsPerPixel(), 8);
  const COLORREF F = ::GetSysColor(COLOR_BTNFACE), H = ::GetSysColor(COLOR_BTNHIGHLIGHT),
                 S = ::GetSysColor(COLOR_BTNSHADOW);
  const COLORREF expected[12] = {
      extpaint::MixHalf(F, H),      extpaint::MixHalf(F, H),      extpaint::MixHalf(S, F),
      extpaint::MixHalf(S, F),      extpaint::MixFifths(F, H, 3), extpaint::MixFifths(F, H, 3),
      extpaint::MixFifths(S, F, 2), extpaint::MixFifths(S, F, 2), extpaint::MixFifths(F, H, 4),
      extpaint::MixFifths(F, H, 4), extpaint::MixFifths(S, F, 1), extpaint::MixFifths(S, F, 1)};
  for (int i = 0; i < 12; ++i)
    EXPECT_EQ(BrushColor(static_cast<HBRUSH>(pm->m_brushHelper[i].GetSafeHandle())), expected[i]) << i;
}

TEST_F(PaintManagerTest, HelperBrushesOnPaletteScreensArePatterns) {
  g_PaintManagerHolder.m_screenBitsOverride = 8;
  pm->BuildHelperBrushes();
  g_PaintManagerHolder.m_screenBitsOverride = 0;
  const COLORREF F = ::GetSysColor(COLOR_BTNFACE), H = ::GetSysColor(COLOR_BTNHIGHLIGHT),
                 S = ::GetSysColor(COLOR_BTNSHADOW), D = ::GetSysColor(COLOR_3DDKSHADOW);
  LOGBRUSH lb{};
  ::GetObjectW(pm->m_brushHelper[6].GetSafeHandle(), sizeof lb, &lb);
  EXPECT_EQ(lb.lbStyle, static_cast<UINT>(BS_SOLID));
  EXPECT_EQ(lb.lbColor, S);
  // Each pattern brush painted over a 16x16 square shows its pattern.
  struct Case {
    int brush;
    COLORREF at00, at10, at11, at20;
  } cases[] = {
      {0, F, H, F, F},   // checkerboard of face and highlight
      {4, F, H, H, F},   // face on every other pixel of every other row
      {8, F, H, F, H},   // one 2x2 checkerboard cell in every 4x4 block
      {10, D, S, D, D},  // checkerboard of dark shadow and shadow
  };
  for (const Case& c : cases) {
    ::GetObjectW(pm->m_brushHelper[c.brush].GetSafeHandle(), sizeof lb, &lb);
    EXPECT_EQ(lb.lbStyle, static_cast<UINT>(BS_PATTERN)) << c.brush;
    ctltest::Canvas canvas(16, 16, RGB(255, 0, 255));
    RECT all{0, 0, 16, 16};
    ::FillRect(canvas.dc()->GetSafeHdc(), &all, static_cast<HBRUSH>(pm->m_brushHelper[c.brush].GetSafeHandle()));
    EXPECT_EQ(canvas.At(0, 0), c.at00) << c.brush;
    EXPECT_EQ(canvas.At(1, 0), c.at10) << c.brush;
    EXPECT_EQ(canvas.At(1, 1), c.at11) << c.brush;
    EXPECT_EQ(canvas.At(2, 0), c.at20) << c.brush;
  }
  pm->BuildHelperBrushes();
  ::GetObjectW(pm->m_brushHelper[0].GetSafeHandle(), sizeof lb, &lb);
  EXPECT_EQ(lb.lbStyle, static_cast<UINT>(BS_SOLID));
}

LPCWSTR MarlettFace() { return L"Marlett"; }
LPCWSTR MissingFace() { return L"No Such Face 1234"; }

TEST_F(PaintManagerTest, ResourceFontFaceWhenInstalled) {
  LOGFONTW lf{};
  g_pfnPaintManagerFontFace = &MarlettFace;
  pm->RebuildFontsAndSysColors();
  ::GetObjectW(pm->m_FontNormal.GetSafeHandle(), sizeof lf, &lf);
  EXPECT_STREQ(lf.lfFaceName, L"Marlett");
  g_pfnPaintManagerFontFace = &MissingFace;
  pm->RebuildFontsAndSysColors();
  ::GetObjectW(pm->m_FontNormal.GetSafeHandle(), sizeof lf, &lf);
  EXPECT_STREQ(lf.lfFaceName, L"Tahoma");
  g_pfnPaintManagerFontFace = nullptr;
  pm->RebuildFontsAndSysColors();
}

TEST_F(PaintManagerTest, FontsFollowTheSystemMenuFont) {
  LOGFONTW normal{}, bold{}, caption{}, glyph{}, second{};
  ASSERT_TRUE(pm->m_FontNormal.GetSafeHandle());
  ::GetObjectW(pm->m_FontNormal.GetSafeHandle(), sizeof normal, &normal);
  ::GetObjectW(pm->m_FontBold.GetSafeHandle(), sizeof bold, &bold);
  ::GetObjectW(pm->m_FontCaption.GetSafeHandle(), sizeof caption, &caption);
  ::GetObjectW(pm->m_FontMarlett.GetSafeHandle(), sizeof glyph, &glyph);
  ::GetObjectW(pm->m_FontSecondCaption.GetSafeHandle(), sizeof second, &second);
  NONCLIENTMETRICSW ncm{};
  ncm.cbSize = 500;
  ASSERT_TRUE(::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, ncm.cbSize, &ncm, 0));
  EXPECT_EQ(normal.lfHeight, ncm.lfMenuFont.lfHeight);
  EXPECT_STREQ(normal.lfFaceName, L"Tahoma");  // installed, and the system is of the NT 5 family
  EXPECT_EQ(bold.lfWeight, 900);
  EXPECT_STREQ(bold.lfFaceName, normal.lfFaceName);
  EXPECT_EQ(caption.lfWeight, FW_NORMAL);
  EXPECT_STREQ(caption.lfFaceName, ncm.lfSmCaptionFont.lfFaceName);
  EXPECT_STREQ(second.lfFaceName, caption.lfFaceName);
  EXPECT_NE(pm->m_FontSecondCaption.GetSafeHandle(), pm->m_FontCaption.GetSafeHandle());
  EXPECT_STREQ(glyph.lfFaceName, L"Marlett");
  EXPECT_EQ(glyph.lfCharSet, SYMBOL_CHARSET);
  EXPECT_EQ(glyph.lfHeight, ::GetSystemMetrics(SM_CYMENUCHECK) - 1);
}

TEST_F(PaintManagerTest, DpiScalingByAxisAndSwitch) {
  auto& h = g_PaintManagerHolder;
  const int oldX = h.m_dpiX, oldY = h.m_dpiY, oldAvg = h.m_dpiAverage;
  const BYTE oldSwitches = h.m_featureSwitches;
  h.m_dpiX = 96;
  EXPECT_EQ(pm->ScaleByDpi(13, 0), 13);
  h.m_dpiX = 120;
  h.m_dpiY = 144;
  h.m_dpiAverage = 132;
  EXPECT_EQ(pm->ScaleByDpi(13, 0), 16);  // 16.25
  EXPECT_EQ(pm->ScaleByDpi(13, 1), 20);  // 19.5 rounds up
  EXPECT_EQ(pm->ScaleByDpi(13, 2), 18);  // 17.875
  EXPECT_EQ(pm->ScaleByDpi(13, 3), 13);  // no such axis
  h.m_featureSwitches = 0x0E;
  EXPECT_FALSE(pm->IsDpiScalingOn(0));
  EXPECT_EQ(pm->ScaleByDpi(13, 0), 13);
  EXPECT_TRUE(pm->IsDpiScalingOn(1));
  h.m_dpiX = oldX;
  h.m_dpiY = oldY;
  h.m_dpiAverage = oldAvg;
  h.m_featureSwitches = oldSwitches;
}

TEST_F(PaintManagerTest, ThemeFactsOfTheBase) {
  EXPECT_EQ(pm->GetThemeKindCode(), 29750);
  EXPECT_EQ(pm->GetMenuSeparatorHeight(), 6);
  EXPECT_FALSE(pm->IsThemedDrawingOn());
  EXPECT_EQ(pm->GetThemeAccentColor(), static_cast<COLORREF>(-1));
  EXPECT_EQ(pm->GetThemeBlendFactor(), 0.0);
  EXPECT_EQ(pm->DrawResDialogExtra(nullptr, nullptr, 0, 0), nullptr);
  EXPECT_FALSE(pm->BuildDisabledIconImage(nullptr));
  int a = -1, b = -1, c = -1, d = -1, e = -1, f = -1;
  EXPECT_FALSE(pm->MeasureSkinnedScrollBar(nullptr, &a, &b, &c, &d, &e, &f));
  EXPECT_EQ(a, -1);
  // The classic face of Wine is neither white nor black.
  EXPECT_FALSE(pm->IsMonochromeFace());
  PALETTEENTRY entries[252] = {};
  ASSERT_EQ(::GetPaletteEntries(static_cast<HPALETTE>(pm->m_PaletteWide.GetSafeHandle()), 0, 252, entries), 252u);
  EXPECT_EQ(RGB(entries[36].peRed, entries[36].peGreen, entries[36].peBlue), RGB(42, 0, 0));
  EXPECT_EQ(RGB(entries[251].peRed, entries[251].peGreen, entries[251].peBlue), RGB(255, 255, 255));
}

TEST(ChildClipFilter, WindowClassesThatPaintOverTheParent) {
  HWND parent = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
  struct Case {
    const wchar_t* cls;
    DWORD style;
    bool transparent;
  } cases[] = {
      {L"Static", 0, true},          {L"msctls_trackbar32", 0, true}, {L"Button", BS_PUSHBUTTON, true},
      {L"Button", BS_GROUPBOX, true}, {L"Button", BS_AUTORADIOBUTTON, true}, {L"Button", BS_OWNERDRAW, false},
      {L"Edit", 0, false},
  };
  const bool oldValid = g_PaintManagerHolder.m_taskbarColorsValid;
  g_PaintManagerHolder.m_taskbarColorsValid = false;
  for (const Case& c : cases) {
    HWND child = ::CreateWindowExW(0, c.cls, L"", WS_CHILD | c.style, 0, 0, 10, 10, parent, nullptr, nullptr, nullptr);
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(CExtPaintManager::IsChildTransparentForClip(child), c.transparent) << c.cls << " " << c.style;
    ::DestroyWindow(child);
  }
  // With visual styles every button paints over its parent.
  g_PaintManagerHolder.m_taskbarColorsValid = true;
  HWND owner = ::CreateWindowExW(0, L"Button", L"", WS_CHILD | BS_OWNERDRAW, 0, 0, 10, 10, parent, nullptr, nullptr,
                                 nullptr);
  EXPECT_TRUE(CExtPaintManager::IsChildTransparentForClip(owner));
  g_PaintManagerHolder.m_taskbarColorsValid = oldValid;
  ::DestroyWindow(parent);
}

TEST_F(PaintManagerTest, ScrollBarRecordHitTestsAndPaints) {
  CExtPaintManager::PAINTSCROLLBARDATA data;
  EXPECT_EQ(data.m_nCurrentPart, -1);
  EXPECT_TRUE(data.m_bPrimarySkin);
  EXPECT_EQ(data.HitTest(POINT{5, 5}), -1);  // empty bar
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_ALL;
  si.nMax = 100;
  si.nPage = 10;
  si.nPos = si.nTrackPos = 45;
  data.Layout(true, true, RECT{0, 0, 234, 17}, si, 17, 8);
  EXPECT_EQ(data.HitTest(POINT{3, 3}), CExtPaintManager::PAINTSCROLLBARDATA::PartLineUp);
  EXPECT_EQ(data.HitTest(POINT{230, 3}), CExtPaintManager::PAINTSCROLLBARDATA::PartLineDown);
  EXPECT_EQ(data.HitTest(POINT{data.m_rcThumb.left + 1, 3}), CExtPaintManager::PAINTSCROLLBARDATA::PartThumb);
  EXPECT_EQ(data.HitTest(POINT{20, 3}), CExtPaintManager::PAINTSCROLLBARDATA::PartPageUp);
  EXPECT_EQ(data.HitTest(POINT{210, 3}), CExtPaintManager::PAINTSCROLLBARDATA::PartPageDown);
  EXPECT_EQ(data.HitTest(POINT{20, 40}), -1);
  EXPECT_EQ(data.HitTestAndRemember(POINT{data.m_rcThumb.left + 1, 3}), 3);
  EXPECT_EQ(data.m_nCurrentPart, 3);
  const RECT thumb = data.GetCurrentPartRect();
  EXPECT_TRUE(::EqualRect(&thumb, &data.m_rcThumb));
  const RECT none = data.GetPartRect(7);
  EXPECT_TRUE(::IsRectEmpty(&none));

  // Painted through the manager: the bar area is covered (no background pixel left) and the
  // thumb differs from the track around it.
  ctltest::Canvas canvas(234, 40, RGB(255, 0, 255));
  data.m_nCurrentPart = -1;
  pm->DrawScrollBar(*canvas.dc(), data);
  for (int x = 0; x < 234; x += 3) EXPECT_NE(canvas.At(x, 8), RGB(255, 0, 255)) << x;
  EXPECT_NE(canvas.At(data.m_rcThumb.left + 5, 1), canvas.At(30, 1));
  canvas.Save(L"toolkit_scrollbar_classic");
}

}  // namespace
