// Geometry classes, GDI object wrappers, device contexts, menus and image lists.
#include <gtest/gtest.h>

#include "framework/afxwin.h"
#include "test_util.h"

namespace {

TEST(Geometry, RectangleArithmetic) {
  CRect r(10, 20, 110, 70);
  EXPECT_EQ(r.Width(), 100);
  EXPECT_EQ(r.Height(), 50);
  EXPECT_EQ(r.CenterPoint(), CPoint(60, 45));
  EXPECT_TRUE(r.PtInRect(CPoint(10, 20)));
  EXPECT_FALSE(r.PtInRect(CPoint(110, 20)));  // right and bottom are outside
  r.TopLeft() = CPoint(0, 0);                  // the corner refers into the rectangle
  EXPECT_EQ(r, CRect(0, 0, 110, 70));
  r.OffsetRect(5, -5);
  EXPECT_EQ(r, CRect(5, -5, 115, 65));
  r.DeflateRect(5, 5);
  EXPECT_EQ(r, CRect(10, 0, 110, 60));
  r.InflateRect(1, 2, 3, 4);
  EXPECT_EQ(r, CRect(9, -2, 113, 64));
  CRect flipped(50, 50, 10, 10);
  EXPECT_TRUE(flipped.IsRectEmpty());
  flipped.NormalizeRect();
  EXPECT_EQ(flipped, CRect(10, 10, 50, 50));
  EXPECT_EQ(CRect(0, 0, 10, 10) & CRect(5, 5, 20, 20), CRect(5, 5, 10, 10));
  EXPECT_EQ(CRect(0, 0, 10, 10) | CRect(5, 5, 20, 20), CRect(0, 0, 20, 20));
  EXPECT_TRUE((CRect(0, 0, 1, 1) & CRect(5, 5, 6, 6)).IsRectEmpty());
  EXPECT_EQ(CRect(0, 0, 10, 10) + CPoint(2, 3), CRect(2, 3, 12, 13));
  EXPECT_EQ(CRect(CPoint(1, 2), CSize(3, 4)), CRect(1, 2, 4, 6));
  CRect moved(1, 1, 4, 4);
  moved.MoveToXY(10, 20);
  EXPECT_EQ(moved, CRect(10, 20, 13, 23));
  EXPECT_EQ(CRect(0, 0, 100, 50).MulDiv(3, 2), CRect(0, 0, 150, 75));
  EXPECT_TRUE(CRect().IsRectNull());
}

TEST(Geometry, PointsAndSizes) {
  CPoint p(3, 4);
  EXPECT_EQ(p + CSize(1, 1), CPoint(4, 5));
  EXPECT_EQ(p - CPoint(1, 1), CSize(2, 3));
  EXPECT_EQ(-p, CPoint(-3, -4));
  p.Offset(CPoint(-3, -4));
  EXPECT_EQ(p, CPoint(0, 0));
  // Packed message coordinates are signed 16-bit values.
  CPoint fromMessage(static_cast<LPARAM>(MAKELPARAM(-5, 7)));
  EXPECT_EQ(fromMessage, CPoint(-5, 7));
  EXPECT_EQ(CSize(2, 3) + CSize(1, 1), CSize(3, 4));
}

class MemoryCanvas : public ::testing::Test {
 protected:
  void SetUp() override {
    CClientDC screen(nullptr);
    ASSERT_TRUE(m_dc.CreateCompatibleDC(&screen));
    ASSERT_TRUE(m_bitmap.CreateCompatibleBitmap(&screen, 64, 64));
    m_old = m_dc.SelectObject(&m_bitmap);
    m_dc.FillSolidRect(0, 0, 64, 64, RGB(255, 255, 255));
  }
  void TearDown() override { m_dc.SelectObject(m_old); }
  CDC m_dc;
  CBitmap m_bitmap;
  CBitmap* m_old = nullptr;
};

TEST_F(MemoryCanvas, DrawsWithPensBrushesAndFrames) {
  // Selecting gives back the previous object's wrapper, of the right class.
  EXPECT_NE(m_old, nullptr);
  EXPECT_TRUE(m_old->IsKindOf(RUNTIME_CLASS(CBitmap)));
  EXPECT_EQ(m_dc.GetCurrentBitmap(), &m_bitmap);

  m_dc.Draw3dRect(4, 4, 10, 10, RGB(255, 0, 0), RGB(0, 0, 255));
  EXPECT_EQ(m_dc.GetPixel(4, 4), RGB(255, 0, 0));    // top-left corner
  EXPECT_EQ(m_dc.GetPixel(13, 4), RGB(0, 0, 255));   // top-right belongs to the right edge
  EXPECT_EQ(m_dc.GetPixel(4, 13), RGB(0, 0, 255));   // bottom-left to the bottom edge
  EXPECT_EQ(m_dc.GetPixel(8, 8), RGB(255, 255, 255));

  CPen pen(PS_SOLID, 1, RGB(0, 128, 0));
  CBrush brush(RGB(10, 20, 30));
  CPen* oldPen = m_dc.SelectObject(&pen);
  CBrush* oldBrush = m_dc.SelectObject(&brush);
  m_dc.Rectangle(20, 20, 40, 40);
  EXPECT_EQ(m_dc.GetPixel(20, 20), RGB(0, 128, 0));
  EXPECT_EQ(m_dc.GetPixel(30, 30), RGB(10, 20, 30));
  EXPECT_EQ(m_dc.SelectObject(oldPen), &pen);
  EXPECT_EQ(m_dc.SelectObject(oldBrush), &brush);

  m_dc.MoveTo(0, 60);
  m_dc.LineTo(64, 60);
  EXPECT_EQ(m_dc.GetPixel(32, 60), RGB(0, 0, 0));
  EXPECT_EQ(m_dc.GetCurrentPosition(), CPoint(64, 60));
  LOGPEN logPen = {};
  EXPECT_GT(pen.GetLogPen(&logPen), 0);
  EXPECT_EQ(logPen.lopnColor, RGB(0, 128, 0));
}

TEST_F(MemoryCanvas, ClipsToRegionsAndCombinesThem) {
  CRgn left, right, both;
  left.CreateRectRgn(0, 0, 10, 10);
  right.CreateRectRgn(20, 0, 30, 10);
  both.CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(both.CombineRgn(&left, &right, RGN_OR), COMPLEXREGION);
  EXPECT_TRUE(both.PtInRegion(25, 5));
  EXPECT_FALSE(both.PtInRegion(15, 5));
  CRect box;
  both.GetRgnBox(&box);
  EXPECT_EQ(box, CRect(0, 0, 30, 10));
  m_dc.SelectClipRgn(&both);
  m_dc.FillSolidRect(0, 0, 64, 64, RGB(1, 2, 3));
  EXPECT_EQ(m_dc.GetPixel(5, 5), RGB(1, 2, 3));
  EXPECT_EQ(m_dc.GetPixel(15, 5), RGB(255, 255, 255));
  m_dc.SelectClipRgn(nullptr);
  CBrush red(RGB(255, 0, 0));
  EXPECT_TRUE(m_dc.FillRgn(&right, &red));
  EXPECT_EQ(m_dc.GetPixel(25, 5), RGB(255, 0, 0));
  CRgn copy;
  copy.CreateRectRgn(0, 0, 0, 0);
  copy.CopyRgn(&both);
  EXPECT_TRUE(copy.EqualRgn(&both));
  EXPECT_EQ(both.CombineRgn(nullptr, nullptr, RGN_OR), ERROR);
}

TEST_F(MemoryCanvas, DrawsAndMeasuresTextWithFonts) {
  CFont font;
  ASSERT_TRUE(font.CreatePointFont(90, L"Tahoma"));
  LOGFONT lf = {};
  font.GetLogFont(&lf);
  EXPECT_EQ(lf.lfHeight, -12);  // 9 points at 96 dots per inch
  CFont* oldFont = m_dc.SelectObject(&font);
  CSize size = m_dc.GetTextExtent(CString(L"AhKd"));
  EXPECT_GT(size.cx, 10);
  EXPECT_GT(size.cy, 8);
  CRect measure(0, 0, 30, 0);
  int height = m_dc.DrawText(CString(L"word word word word"), measure, DT_WORDBREAK | DT_CALCRECT);
  EXPECT_GT(height, size.cy);  // wrapped onto more lines
  m_dc.SetTextColor(RGB(0, 0, 0));
  m_dc.SetBkMode(TRANSPARENT);
  EXPECT_EQ(m_dc.GetBkMode(), TRANSPARENT);
  m_dc.TextOut(2, 2, CString(L"W"));
  int dark = 0;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x) dark += m_dc.GetPixel(x, y) == RGB(0, 0, 0);
  EXPECT_GT(dark, 5);
  CString face;
  m_dc.GetTextFace(face);
  EXPECT_FALSE(face.IsEmpty());
  m_dc.SelectObject(oldFont);
}

TEST(GdiObjects, WrappersOwnTheirHandles) {
  HGDIOBJ handle;
  {
    CBrush brush(RGB(1, 2, 3));
    handle = brush.m_hObject;
    EXPECT_EQ(::GetObjectType(handle), static_cast<DWORD>(OBJ_BRUSH));
    EXPECT_EQ(CGdiObject::FromHandle(handle), &brush);
    // Creating into a wrapper that holds an object replaces it.
    EXPECT_TRUE(brush.CreateSolidBrush(RGB(4, 5, 6)));
    EXPECT_EQ(::GetObjectType(handle), 0u);
    handle = brush.m_hObject;
  }
  EXPECT_EQ(::GetObjectType(handle), 0u);  // deleted with the wrapper

  CPen detached(PS_SOLID, 1, RGB(0, 0, 0));
  HGDIOBJ kept = detached.Detach();
  EXPECT_EQ(detached.m_hObject, nullptr);
  EXPECT_EQ(::GetObjectType(kept), static_cast<DWORD>(OBJ_PEN));
  ::DeleteObject(kept);

  // A handle without an owner gets a temporary wrapper of the right class.
  CGdiObject* stock = CGdiObject::FromHandle(::GetStockObject(BLACK_PEN));
  EXPECT_TRUE(stock->IsKindOf(RUNTIME_CLASS(CPen)));
  EXPECT_TRUE(CGdiObject::FromHandle(::GetStockObject(DEFAULT_GUI_FONT))->IsKindOf(RUNTIME_CLASS(CFont)));
  CGdiObject::DeleteTempMap();
  EXPECT_NE(::GetObjectType(::GetStockObject(BLACK_PEN)), 0u);  // never deleted
  CBrush* none = nullptr;
  EXPECT_EQ(none->GetSafeHandle(), nullptr);

  CBitmap bitmap;
  EXPECT_TRUE(bitmap.CreateBitmap(8, 4, 1, 32, nullptr));
  BITMAP bm = {};
  bitmap.GetBitmap(&bm);
  EXPECT_EQ(bm.bmWidth, 8);
  EXPECT_EQ(bm.bmHeight, 4);
  EXPECT_FALSE(CBitmap().LoadBitmap(12345));

  BYTE buffer[sizeof(LOGPALETTE) + sizeof(PALETTEENTRY)] = {};
  auto* logPalette = reinterpret_cast<LOGPALETTE*>(buffer);
  logPalette->palVersion = 0x300;
  logPalette->palNumEntries = 2;
  logPalette->palPalEntry[0] = {255, 0, 0, 0};
  logPalette->palPalEntry[1] = {0, 0, 255, 0};
  CPalette palette;
  ASSERT_TRUE(palette.CreatePalette(logPalette));
  EXPECT_EQ(palette.GetEntryCount(), 2);
  EXPECT_EQ(palette.GetNearestPaletteIndex(RGB(0, 0, 200)), 1u);
}

TEST(Menus, BuildCheckAndDestroy) {
  HMENU handle;
  {
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    handle = menu.m_hMenu;
    menu.AppendMenu(MF_STRING, 10, L"&Ten");
    menu.AppendMenu(MF_SEPARATOR);
    menu.AppendMenu(MF_STRING, 11, L"E&leven");
    EXPECT_EQ(menu.GetMenuItemCount(), 3u);
    menu.CheckMenuItem(11, MF_BYCOMMAND | MF_CHECKED);
    EXPECT_TRUE(menu.GetMenuState(11, MF_BYCOMMAND) & MF_CHECKED);
    menu.EnableMenuItem(10, MF_BYCOMMAND | MF_GRAYED);
    EXPECT_TRUE(menu.GetMenuState(10, MF_BYCOMMAND) & MF_GRAYED);
    CString text;
    EXPECT_EQ(menu.GetMenuString(11, text, MF_BYCOMMAND), 7);
    EXPECT_EQ(text, L"E&leven");
    EXPECT_EQ(CMenu::FromHandle(handle), &menu);
    EXPECT_TRUE(menu.DeleteMenu(1, MF_BYPOSITION));
    EXPECT_EQ(menu.GetMenuItemID(1), 11u);
  }
  EXPECT_FALSE(::IsMenu(handle));  // destroyed with its wrapper
}

TEST(ImageLists, AddMaskedImagesAndDraw) {
  CImageList list;
  ASSERT_TRUE(list.Create(8, 8, ILC_COLOR32 | ILC_MASK, 0, 2));
  CClientDC screen(nullptr);
  CBitmap strip;
  strip.CreateCompatibleBitmap(&screen, 16, 8);
  {
    CDC dc;
    dc.CreateCompatibleDC(&screen);
    CBitmap* old = dc.SelectObject(&strip);
    dc.FillSolidRect(0, 0, 16, 8, RGB(255, 0, 255));  // the transparent colour
    dc.FillSolidRect(2, 2, 4, 4, RGB(0, 200, 0));
    dc.FillSolidRect(8, 0, 8, 8, RGB(0, 0, 200));
    dc.SelectObject(old);
  }
  EXPECT_EQ(list.Add(&strip, RGB(255, 0, 255)), 0);
  EXPECT_EQ(list.GetImageCount(), 2);
  int cx = 0, cy = 0;
  list.GetIconSize(&cx, &cy);
  EXPECT_EQ(cx, 8);
  CDC dc;
  dc.CreateCompatibleDC(&screen);
  CBitmap target;
  target.CreateCompatibleBitmap(&screen, 16, 8);
  CBitmap* old = dc.SelectObject(&target);
  dc.FillSolidRect(0, 0, 16, 8, RGB(255, 255, 255));
  EXPECT_TRUE(list.Draw(&dc, 0, CPoint(0, 0), ILD_NORMAL));
  EXPECT_TRUE(list.Draw(&dc, 1, CPoint(8, 0), ILD_NORMAL));
  EXPECT_EQ(dc.GetPixel(3, 3), RGB(0, 200, 0));
  EXPECT_EQ(dc.GetPixel(0, 0), RGB(255, 255, 255));  // masked out
  EXPECT_EQ(dc.GetPixel(12, 4), RGB(0, 0, 200));
  dc.SelectObject(old);
  HIMAGELIST handle = list.Detach();
  EXPECT_EQ(list.GetImageCount(), 0);
  CImageList again;
  again.Attach(handle);
  EXPECT_EQ(again.GetImageCount(), 2);
}

}  // namespace
