// Drawing the toolkit bitmap under Wine into 32-bit DIB sections: raster operations, nine-grid
// and skin layouts probed at corners, edges and centre, alpha blending against the
// Porter-Duff "over" formula on both the system and our own blend, the premultiplied cache, and
// window regions.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <vector>

#include "framework/afxwin.h"
#include "toolkit/foundation/ext_bitmap.h"
#include "toolkit/foundation/ext_bitmap_cache.h"
#include "toolkit/paint/paint_manager.h"
#include "toolkit/paint/pm_holder.h"

namespace {

// A top-down 32-bit DIB section selected into a memory DC, filled with one colour.
class Canvas {
 public:
  Canvas(int width, int height, COLORREF fill) : m_width(width), m_height(height) {
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    HDC screen = ::GetDC(nullptr);
    m_dc = ::CreateCompatibleDC(screen);
    ::ReleaseDC(nullptr, screen);
    void* bits = nullptr;
    m_bitmap = ::CreateDIBSection(m_dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    m_pixels = static_cast<RGBQUAD*>(bits);
    m_old = ::SelectObject(m_dc, m_bitmap);
    for (int i = 0; i < width * height; ++i)
      m_pixels[i] = RGBQUAD{GetBValue(fill), GetGValue(fill), GetRValue(fill), 0};
  }
  ~Canvas() {
    ::SelectObject(m_dc, m_old);
    ::DeleteObject(m_bitmap);
    ::DeleteDC(m_dc);
  }
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  HDC dc() const { return m_dc; }
  // The colour at (x, y) without the fourth byte.
  COLORREF At(int x, int y) const {
    ::GdiFlush();
    const RGBQUAD q = m_pixels[y * m_width + x];
    return RGB(q.rgbRed, q.rgbGreen, q.rgbBlue);
  }
  std::vector<COLORREF> All() const {
    std::vector<COLORREF> all;
    for (int y = 0; y < m_height; ++y)
      for (int x = 0; x < m_width; ++x) all.push_back(At(x, y));
    return all;
  }

 private:
  int m_width, m_height;
  HDC m_dc = nullptr;
  HBITMAP m_bitmap = nullptr;
  HGDIOBJ m_old = nullptr;
  RGBQUAD* m_pixels = nullptr;
};

// An image of the given depth (24 or 32) whose pixel (x, y) is pixel(x, y).
CExtBitmap Image(int width, int height, const std::function<RGBQUAD(int, int)>& pixel, int depth = 32) {
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, static_cast<WORD>(depth), BI_RGB, 0, 0, 0, 0, 0};
  HDC screen = ::GetDC(nullptr);
  void* bits = nullptr;
  HBITMAP section = ::CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  ::ReleaseDC(nullptr, screen);
  const int stride = ((width * depth / 8) + 3) & ~3;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const RGBQUAD q = pixel(x, y);
      auto* p = static_cast<BYTE*>(bits) + y * stride + x * (depth / 8);
      p[0] = q.rgbBlue;
      p[1] = q.rgbGreen;
      p[2] = q.rgbRed;
      if (depth == 32) p[3] = q.rgbReserved;
    }
  CExtBitmap image;
  EXPECT_TRUE(image.ImportHBITMAP(section, false, true));
  ::DeleteObject(section);
  return image;
}

RGBQUAD Quad(COLORREF c, BYTE alpha = 255) { return RGBQUAD{GetBValue(c), GetGValue(c), GetRValue(c), alpha}; }

const COLORREF kBackground = RGB(1, 2, 3);

// ---- Opaque drawing -------------------------------------------------------------------------

TEST(BitmapDraw, RasterOperationsCombineSourceAndTarget) {
  const COLORREF src = RGB(0xF0, 0x0F, 0x33), dst = RGB(0x3C, 0x5A, 0x3C);
  CExtBitmap image = Image(1, 1, [&](int, int) { return Quad(src); });
  struct Case {
    DWORD rop;
    COLORREF expected;
  } cases[] = {
      {SRCCOPY, src},
      {SRCINVERT, src ^ dst},
      {SRCAND, src & dst},
      {SRCPAINT, src | dst},
      {NOTSRCCOPY, ~src & 0xFFFFFF},
      {DSTINVERT, ~dst & 0xFFFFFF},
  };
  for (const Case& c : cases) {
    Canvas canvas(4, 4, dst);
    EXPECT_GT(image.DrawAt(canvas.dc(), 1, 1, 2, 2, c.rop), 0);
    EXPECT_EQ(canvas.At(1, 1), c.expected) << std::hex << c.rop;
    EXPECT_EQ(canvas.At(2, 2), c.expected) << std::hex << c.rop;
    EXPECT_EQ(canvas.At(0, 0), dst) << std::hex << c.rop;
    EXPECT_EQ(canvas.At(3, 3), dst) << std::hex << c.rop;
  }
}

TEST(BitmapDraw, SourceRectangleIsUprightAndStretched) {
  // A 4 x 3 image of distinct pixels: the part (1, 1)-(3, 3) doubled onto (2, 2).
  auto colour = [](int x, int y) { return RGB(x * 60, y * 80, 90); };
  for (int depth : {24, 32}) {
    CExtBitmap image = Image(4, 3, [&](int x, int y) { return Quad(colour(x, y)); }, depth);
    Canvas canvas(8, 8, kBackground);
    ::SetStretchBltMode(canvas.dc(), COLORONCOLOR);
    EXPECT_GT(image.DrawRect(canvas.dc(), RECT{2, 2, 6, 6}, RECT{1, 1, 3, 3}), 0);
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 4; ++x)
        EXPECT_EQ(canvas.At(2 + x, 2 + y), colour(1 + x / 2, 1 + y / 2)) << depth << " " << x << "," << y;
    EXPECT_EQ(canvas.At(1, 1), kBackground);
    EXPECT_EQ(canvas.At(6, 6), kBackground);
    // The whole image at its own size.
    Canvas whole(4, 3, kBackground);
    EXPECT_GT(image.DrawWhole(whole.dc(), RECT{0, 0, 4, 3}), 0);
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 4; ++x) EXPECT_EQ(whole.At(x, y), colour(x, y));
  }
}

TEST(BitmapDraw, BlankImageOrMissingContextDrawsNothing) {
  CExtBitmap blank;
  CExtBitmap image = Image(2, 2, [](int, int) { return Quad(RGB(9, 9, 9)); });
  Canvas canvas(4, 4, kBackground);
  const RECT r{0, 0, 4, 4}, m{1, 1, 1, 1};
  EXPECT_EQ(blank.Draw(canvas.dc(), 0, 0, 2, 2, 0, 0, 2, 2), -1);
  EXPECT_EQ(blank.StretchBits(canvas.dc(), 0, 0, 2, 2, 0, 0, 2, 2), -1);
  EXPECT_EQ(image.Draw(nullptr, 0, 0, 2, 2, 0, 0, 2, 2), -1);
  EXPECT_EQ(blank.DrawWhole(canvas.dc(), r), -1);
  EXPECT_EQ(blank.AlphaDrawAt(canvas.dc(), 0, 0, 2, 2), -1);
  EXPECT_EQ(image.AlphaDraw(nullptr, 0, 0, 2, 2, 0, 0, 2, 2), -1);
  EXPECT_FALSE(blank.DrawNineGridWhole(canvas.dc(), r, m));
  EXPECT_FALSE(image.DrawNineGridWhole(nullptr, r, m));
  EXPECT_FALSE(blank.DrawSkinWhole(canvas.dc(), r, m, 2));
  EXPECT_FALSE(image.AlphaDrawSkinWhole(nullptr, r, m, 2));
  // Mode 0 asks for nothing and gets it.
  EXPECT_TRUE(image.DrawSkinWhole(canvas.dc(), r, m, 0));
  EXPECT_TRUE(image.AlphaDrawSkinWhole(canvas.dc(), r, m, 0));
  for (COLORREF c : canvas.All()) EXPECT_EQ(c, kBackground);
}

// ---- Nine-grid ------------------------------------------------------------------------------

// A 6 x 6 image cut by margins of 2 into nine solid zones.
COLORREF Zone(int zx, int zy) { return RGB(20 + 100 * zx, 20 + 100 * zy, 200); }
CExtBitmap ZoneImage() {
  return Image(6, 6, [](int x, int y) { return Quad(Zone(x / 2, y / 2)); });
}

TEST(BitmapDraw, NineGridPutsCornersEdgesAndCentreInPlace) {
  CExtBitmap image = ZoneImage();
  const RECT dest{3, 2, 23, 18}, margins{2, 2, 2, 2};
  struct Probe {
    int x, y;
    int zx, zy;  // -1: background
  } probes[] = {
      {3, 2, 0, 0},   {4, 3, 0, 0},   {22, 2, 2, 0},  {21, 3, 2, 0},  {3, 17, 0, 2}, {22, 17, 2, 2},
      {12, 2, 1, 0},  {12, 3, 1, 0},  {3, 10, 0, 1},  {22, 10, 2, 1}, {12, 17, 1, 2}, {12, 10, 1, 1},
      {5, 4, 1, 1},   {20, 15, 1, 1}, {2, 2, -1, -1}, {23, 10, -1, -1}, {12, 18, -1, -1}, {12, 1, -1, -1},
  };
  for (bool centre : {true, false}) {
    Canvas canvas(26, 20, kBackground);
    EXPECT_TRUE(image.DrawNineGridWhole(canvas.dc(), dest, margins, 0, 0, centre, false));
    for (const Probe& p : probes) {
      const bool isCentre = p.zx == 1 && p.zy == 1;
      const COLORREF expected = p.zx < 0 || (isCentre && !centre) ? kBackground : Zone(p.zx, p.zy);
      EXPECT_EQ(canvas.At(p.x, p.y), expected) << p.x << "," << p.y << " centre " << centre;
    }
  }
}

TEST(BitmapDraw, NineGridExtraTopBandStretchesTheTopEdge) {
  CExtBitmap image = ZoneImage();
  const RECT dest{0, 0, 12, 12}, margins{2, 2, 2, 2};
  // Three extra destination rows under the top margin. Without extra source rows the bands under
  // the corners have no source and stay undrawn; with one they show the first row below.
  Canvas noSource(12, 12, kBackground);
  EXPECT_TRUE(image.DrawNineGridWhole(noSource.dc(), dest, margins, 3, 0, true, false));
  EXPECT_EQ(noSource.At(6, 4), Zone(1, 0));  // the top edge reaches down to row 5
  EXPECT_EQ(noSource.At(0, 3), kBackground);
  EXPECT_EQ(noSource.At(11, 4), kBackground);
  EXPECT_EQ(noSource.At(0, 5), Zone(0, 1));  // the left edge starts below the band
  EXPECT_EQ(noSource.At(6, 5), Zone(1, 1));

  Canvas withSource(12, 12, kBackground);
  EXPECT_TRUE(image.DrawNineGridWhole(withSource.dc(), dest, margins, 3, 1, true, false));
  EXPECT_EQ(withSource.At(0, 0), Zone(0, 0));
  EXPECT_EQ(withSource.At(0, 3), Zone(0, 1));
  EXPECT_EQ(withSource.At(11, 4), Zone(2, 1));
  EXPECT_EQ(withSource.At(6, 0), Zone(1, 0));
  EXPECT_EQ(withSource.At(6, 11), Zone(1, 2));
}

TEST(BitmapDraw, NineGridWithoutMarginsIsAPlainStretch) {
  auto colour = [](int x, int y) { return RGB(x * 40, y * 40, 5); };
  CExtBitmap image = Image(5, 5, [&](int x, int y) { return Quad(colour(x, y)); });
  Canvas grid(16, 16, kBackground), plain(16, 16, kBackground);
  ::SetStretchBltMode(plain.dc(), COLORONCOLOR);
  EXPECT_TRUE(image.DrawNineGridWhole(grid.dc(), RECT{1, 2, 14, 15}, RECT{0, 0, 0, 0}, 0, 0, true, false));
  EXPECT_GT(image.DrawWhole(plain.dc(), RECT{1, 2, 14, 15}), 0);
  EXPECT_EQ(grid.All(), plain.All());
}

// ---- Skins ----------------------------------------------------------------------------------

// A 14 x 4 image whose columns differ: margins {2, 2, 2, 0} leave a 10-wide top strip.
COLORREF Column(int x, int y) { return RGB(15 * x + 5, 60 * y + 10, 30); }

TEST(BitmapDraw, SkinTopEdgeIsTiledOrStretched) {
  CExtBitmap image = Image(14, 4, [](int x, int y) { return Quad(Column(x, y)); });
  const RECT dest{0, 0, 29, 6}, margins{2, 2, 2, 0};
  for (int mode : {2, 3, 4, 5}) {
    Canvas canvas(29, 6, kBackground);
    EXPECT_TRUE(image.DrawSkinWhole(canvas.dc(), dest, margins, mode, true, false));
    // Corners 1:1.
    EXPECT_EQ(canvas.At(0, 0), Column(0, 0)) << mode;
    EXPECT_EQ(canvas.At(1, 1), Column(1, 1)) << mode;
    EXPECT_EQ(canvas.At(27, 0), Column(12, 0)) << mode;
    EXPECT_EQ(canvas.At(28, 1), Column(13, 1)) << mode;
    const bool tiled = mode == 3 || mode == 5;
    if (tiled) {
      // 25 pixels from a 10-pixel strip: two whole tiles and one of 5 from the strip's start.
      for (int i = 0; i < 25; ++i) {
        EXPECT_EQ(canvas.At(2 + i, 0), Column(2 + i % 10, 0)) << mode << " column " << i;
        EXPECT_EQ(canvas.At(2 + i, 1), Column(2 + i % 10, 1)) << mode << " column " << i;
      }
    } else {
      EXPECT_EQ(canvas.At(2, 0), Column(2, 0)) << mode;
      EXPECT_EQ(canvas.At(26, 0), Column(11, 0)) << mode;
      EXPECT_NE(canvas.At(12, 0), Column(2, 0)) << mode;
    }
  }
}

TEST(BitmapDraw, SkinCentreAndSidesTileInTheirModes) {
  // 5 x 4 image, margins 1: the centre source is the 3 x 2 block at (1, 1).
  auto colour = [](int x, int y) { return RGB(50 * x + 3, 60 * y + 7, 111); };
  CExtBitmap image = Image(5, 4, [&](int x, int y) { return Quad(colour(x, y)); });
  const RECT dest{0, 0, 12, 9}, margins{1, 1, 1, 1};
  // Mode 5: the centre tiles both ways, the sides along their length.
  Canvas both(12, 9, kBackground);
  EXPECT_TRUE(image.DrawSkinWhole(both.dc(), dest, margins, 5, true, false));
  for (int j = 0; j < 7; ++j) {
    for (int i = 0; i < 10; ++i)
      EXPECT_EQ(both.At(1 + i, 1 + j), colour(1 + i % 3, 1 + j % 2)) << i << "," << j;
    EXPECT_EQ(both.At(0, 1 + j), colour(0, 1 + j % 2)) << j;
    EXPECT_EQ(both.At(11, 1 + j), colour(4, 1 + j % 2)) << j;
  }
  EXPECT_EQ(both.At(0, 0), colour(0, 0));
  EXPECT_EQ(both.At(11, 8), colour(4, 3));
  EXPECT_EQ(both.At(5, 0), colour(1 + 4 % 3, 0));

  // Mode 3: tiles across, each as high as the centre (stretched vertically).
  Canvas across(12, 9, kBackground);
  EXPECT_TRUE(image.DrawSkinWhole(across.dc(), dest, margins, 3, true, false));
  for (int i = 0; i < 10; ++i) {
    EXPECT_EQ(across.At(1 + i, 1), colour(1 + i % 3, 1)) << i;
    EXPECT_EQ(across.At(1 + i, 7), colour(1 + i % 3, 2)) << i;
  }
  // Mode 4: tiles down, each as wide as the centre.
  Canvas down(12, 9, kBackground);
  EXPECT_TRUE(image.DrawSkinWhole(down.dc(), dest, margins, 4, true, false));
  for (int j = 0; j < 7; ++j) {
    EXPECT_EQ(down.At(1, 1 + j), colour(1, 1 + j % 2)) << j;
    EXPECT_EQ(down.At(10, 1 + j), colour(3, 1 + j % 2)) << j;
  }
  // Without the centre only the frame is drawn.
  Canvas frame(12, 9, kBackground);
  EXPECT_TRUE(image.DrawSkinWhole(frame.dc(), dest, margins, 5, false, false));
  EXPECT_EQ(frame.At(5, 4), kBackground);
  EXPECT_EQ(frame.At(0, 4), colour(0, 1 + 3 % 2));
}

TEST(BitmapDraw, SkinCentredModeDrawsUnscaledAndMayOverhang) {
  auto colour = [](int x, int y) { return RGB(50 * x + 3, 60 * y + 7, 111); };
  CExtBitmap image = Image(5, 4, [&](int x, int y) { return Quad(colour(x, y)); });
  // Larger destination: centred with truncating halves.
  Canvas big(12, 9, kBackground);
  EXPECT_TRUE(image.DrawSkinWhole(big.dc(), RECT{0, 0, 12, 9}, RECT{1, 1, 1, 1}, 1));
  EXPECT_EQ(big.At(3, 2), colour(0, 0));
  EXPECT_EQ(big.At(7, 5), colour(4, 3));
  EXPECT_EQ(big.At(2, 2), kBackground);
  // Smaller destination: negative offsets, the device context clips.
  Canvas small(12, 9, kBackground);
  EXPECT_TRUE(image.DrawSkinWhole(small.dc(), RECT{4, 4, 7, 6}, RECT{0, 0, 0, 0}, 1));
  EXPECT_EQ(small.At(4, 4), colour(1, 1));
  EXPECT_EQ(small.At(3, 3), colour(0, 0));
  EXPECT_EQ(small.At(7, 6), colour(4, 3));
}

TEST(BitmapDraw, SkinPiecesOutsideTheClipAreSkipped) {
  CExtBitmap image = ZoneImage();
  Canvas canvas(12, 12, kBackground);
  HRGN clip = ::CreateRectRgn(0, 0, 6, 12);  // only the left half is visible
  ::SelectClipRgn(canvas.dc(), clip);
  ::DeleteObject(clip);
  EXPECT_TRUE(image.DrawSkinWhole(canvas.dc(), RECT{0, 0, 12, 12}, RECT{2, 2, 2, 2}, 2, true, false));
  EXPECT_EQ(canvas.At(0, 0), Zone(0, 0));
  EXPECT_EQ(canvas.At(5, 6), Zone(1, 1));
  EXPECT_EQ(canvas.At(11, 0), kBackground);
  EXPECT_EQ(canvas.At(11, 11), kBackground);
}

// ---- Alpha ----------------------------------------------------------------------------------

// Porter-Duff "over" of a straight-alpha pixel with constant alpha onto an opaque target.
COLORREF Over(RGBQUAD s, BYTE constant, COLORREF d) {
  const double a = s.rgbReserved / 255.0 * constant / 255.0;
  auto mix = [&](int sc, int dc) { return static_cast<int>(std::lround(sc * a + dc * (1 - a))); };
  return RGB(mix(s.rgbRed, GetRValue(d)), mix(s.rgbGreen, GetGValue(d)), mix(s.rgbBlue, GetBValue(d)));
}

::testing::AssertionResult Near(COLORREF actual, COLORREF expected, int tolerance = 2) {
  const int dr = std::abs(GetRValue(actual) - GetRValue(expected)), dg = std::abs(GetGValue(actual) - GetGValue(expected)),
            db = std::abs(GetBValue(actual) - GetBValue(expected));
  if (dr <= tolerance && dg <= tolerance && db <= tolerance) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << std::hex << "got 0x" << actual << ", expected 0x" << expected;
}

// Runs a test body once with the system's AlphaBlend and once with our own blend.
template <typename F>
void OnBothBlends(F&& body) {
  auto saved = g_PaintManagerHolder.m_pfnAlphaBlend;
  ASSERT_NE(saved, nullptr) << "the system blend is expected under Wine";
  body("system");
  g_PaintManagerHolder.m_pfnAlphaBlend = nullptr;
  body("manual");
  g_PaintManagerHolder.m_pfnAlphaBlend = saved;
}

const RGBQUAD kAlphaPixels[] = {
    {0, 100, 200, 128}, {255, 255, 255, 0}, {10, 20, 30, 255}, {240, 17, 99, 1}, {77, 160, 250, 200},
};

TEST(BitmapAlpha, ConstantAlphaBlendsAsPorterDuffOver) {
  CExtBitmap image = Image(5, 1, [](int x, int) { return kAlphaPixels[x]; });
  ASSERT_NE(image.GetAlphaMask(), 0u);
  const COLORREF target = RGB(0, 60, 255);
  OnBothBlends([&](const char* path) {
    for (int constant : {255, 200, 128, 1, 0}) {
      Canvas canvas(7, 3, target);
      EXPECT_EQ(image.AlphaDrawAt(canvas.dc(), 1, 1, 5, 1, static_cast<BYTE>(constant)), 0) << path;
      for (int x = 0; x < 5; ++x)
        EXPECT_TRUE(Near(canvas.At(1 + x, 1), Over(kAlphaPixels[x], static_cast<BYTE>(constant), target)))
            << path << " constant " << constant << " pixel " << x;
      EXPECT_EQ(canvas.At(0, 1), target) << path;
      EXPECT_EQ(canvas.At(6, 1), target) << path;
      EXPECT_EQ(canvas.At(3, 0), target) << path;
    }
  });
}

TEST(BitmapAlpha, DrawingTwiceGivesTheSamePixelsAndLeavesTheImageAlone) {
  CExtBitmap image = Image(5, 1, [](int x, int) { return kAlphaPixels[x]; });
  const std::vector<BYTE> before(image.GetDib()->Rows(), image.GetDib()->Rows() + image.GetDib()->RowsSize());
  OnBothBlends([&](const char* path) {
    std::vector<COLORREF> first;
    for (int round = 0; round < 3; ++round) {
      Canvas canvas(5, 2, RGB(33, 66, 99));
      ASSERT_EQ(image.AlphaDrawRect(canvas.dc(), RECT{0, 0, 5, 2}, RECT{0, 0, 5, 1}, 180), 0);
      if (round == 0)
        first = canvas.All();
      else
        EXPECT_EQ(canvas.All(), first) << path << " round " << round;
    }
    EXPECT_FALSE(image.IsPremultiplied()) << path;
    const std::vector<BYTE> after(image.GetDib()->Rows(), image.GetDib()->Rows() + image.GetDib()->RowsSize());
    EXPECT_EQ(after, before) << path;
    RGBQUAD q{};
    ASSERT_TRUE(image.ReadPixel(0, 0, &q));
    EXPECT_EQ(q.rgbRed, 200);
    EXPECT_EQ(q.rgbGreen, 100);
    EXPECT_EQ(q.rgbReserved, 128);
  });
}

TEST(BitmapAlpha, PremultipliedImageBlendsLikeItsStraightForm) {
  CExtBitmap straight = Image(5, 1, [](int x, int) { return kAlphaPixels[x]; });
  CExtBitmap premultiplied = straight;
  premultiplied.Premultiply(true);
  premultiplied.MarkPremultiplied(true);
  const std::vector<BYTE> before(premultiplied.GetDib()->Rows(),
                                 premultiplied.GetDib()->Rows() + premultiplied.GetDib()->RowsSize());
  const COLORREF target = RGB(90, 0, 45);
  OnBothBlends([&](const char* path) {
    for (int constant : {255, 100}) {
      Canvas a(5, 1, target), b(5, 1, target);
      EXPECT_EQ(straight.AlphaDrawAt(a.dc(), 0, 0, 5, 1, static_cast<BYTE>(constant)), 0);
      EXPECT_EQ(premultiplied.AlphaDrawAt(b.dc(), 0, 0, 5, 1, static_cast<BYTE>(constant)), 0);
      for (int x = 0; x < 5; ++x) EXPECT_TRUE(Near(b.At(x, 0), a.At(x, 0))) << path << " " << constant << " " << x;
    }
  });
  EXPECT_TRUE(premultiplied.IsPremultiplied());
  const std::vector<BYTE> after(premultiplied.GetDib()->Rows(),
                                premultiplied.GetDib()->Rows() + premultiplied.GetDib()->RowsSize());
  EXPECT_EQ(after, before);
}

TEST(BitmapAlpha, StretchedAndPartialSources) {
  // 2 x 2 image drawn from its right column onto a 3 x 4 area.
  const RGBQUAD px[2][2] = {{{0, 0, 255, 255}, {0, 255, 0, 128}}, {{255, 0, 0, 64}, {200, 200, 200, 255}}};
  CExtBitmap image = Image(2, 2, [&](int x, int y) { return px[y][x]; });
  const COLORREF target = RGB(10, 10, 10);
  OnBothBlends([&](const char* path) {
    Canvas canvas(5, 6, target);
    ::SetStretchBltMode(canvas.dc(), COLORONCOLOR);
    EXPECT_EQ(image.AlphaDraw(canvas.dc(), 1, 1, 3, 4, 1, 0, 1, 2, 255), 0) << path;
    EXPECT_TRUE(Near(canvas.At(1, 1), Over(px[0][1], 255, target))) << path;
    EXPECT_TRUE(Near(canvas.At(3, 2), Over(px[0][1], 255, target))) << path;
    EXPECT_TRUE(Near(canvas.At(1, 4), Over(px[1][1], 255, target))) << path;
    EXPECT_TRUE(Near(canvas.At(3, 4), Over(px[1][1], 255, target))) << path;
    EXPECT_EQ(canvas.At(0, 0), target) << path;
    EXPECT_EQ(canvas.At(4, 5), target) << path;
  });
}

TEST(BitmapAlpha, ImagesWithoutAlphaAreDrawnOpaque) {
  const COLORREF colour = RGB(12, 34, 56), target = RGB(200, 200, 200);
  CExtBitmap rgb = Image(2, 2, [&](int, int) { return Quad(colour); }, 24);
  ASSERT_EQ(rgb.GetBitsPerPixel(), 24);
  for (int constant : {255, 0}) {
    Canvas canvas(4, 4, target);
    EXPECT_EQ(rgb.AlphaDrawAt(canvas.dc(), 1, 1, 2, 2, static_cast<BYTE>(constant)), 0);
    EXPECT_EQ(canvas.At(1, 1), colour) << constant;
    EXPECT_EQ(canvas.At(2, 2), colour) << constant;
    EXPECT_EQ(canvas.At(0, 0), target) << constant;
  }
}

TEST(BitmapAlpha, MirroredContextBlendsCorrectly) {
  // A right-to-left device context takes our own blend; the colours must still be right.
  CExtBitmap image = Image(1, 1, [](int, int) { return kAlphaPixels[0]; });
  const COLORREF target = RGB(0, 60, 255);
  Canvas canvas(4, 4, target);
  ::SetLayout(canvas.dc(), LAYOUT_RTL);
  EXPECT_EQ(image.AlphaDrawAt(canvas.dc(), 1, 1, 2, 2, 255), 0);
  ::SetLayout(canvas.dc(), 0);
  int blended = 0;
  for (COLORREF c : canvas.All())
    if (c != target) {
      EXPECT_TRUE(Near(c, Over(kAlphaPixels[0], 255, target)));
      ++blended;
    }
  EXPECT_EQ(blended, 4);
}

TEST(BitmapAlpha, AlphaSkinBlendsEveryPiece) {
  auto pixel = [](int x, int y) { return RGBQUAD{static_cast<BYTE>(40 * x), static_cast<BYTE>(40 * y), 200, 150}; };
  CExtBitmap image = Image(6, 6, pixel);
  const COLORREF target = RGB(0, 0, 0);
  Canvas canvas(14, 14, target);
  EXPECT_TRUE(image.AlphaDrawSkinWhole(canvas.dc(), RECT{1, 1, 13, 13}, RECT{2, 2, 2, 2}, 5, true, false, 255));
  EXPECT_TRUE(Near(canvas.At(1, 1), Over(pixel(0, 0), 255, target)));
  EXPECT_TRUE(Near(canvas.At(12, 12), Over(pixel(5, 5), 255, target)));
  EXPECT_TRUE(Near(canvas.At(3, 1), Over(pixel(2, 0), 255, target)));
  EXPECT_TRUE(Near(canvas.At(5, 1), Over(pixel(2, 0), 255, target)));  // second tile
  EXPECT_TRUE(Near(canvas.At(5, 5), Over(pixel(2, 2), 255, target)));
  EXPECT_EQ(canvas.At(0, 0), target);
}

// ---- The cache ------------------------------------------------------------------------------

TEST(BitmapCache, BuildsOnFirstDrawAndFollowsThePixels) {
  CExtBitmapCache cache(Image(5, 1, [](int x, int) { return kAlphaPixels[x]; }));
  EXPECT_EQ(cache.GetCache(), nullptr);
  const COLORREF target = RGB(0, 60, 255);
  {
    Canvas canvas(5, 1, target);
    EXPECT_EQ(cache.AlphaDrawAt(canvas.dc(), 0, 0, 5, 1, 128), 0);
    ASSERT_NE(cache.GetCache(), nullptr);
    for (int x = 0; x < 5; ++x) EXPECT_TRUE(Near(canvas.At(x, 0), Over(kAlphaPixels[x], 128, target))) << x;
  }
  EXPECT_FALSE(cache.IsPremultiplied());

  // A copy never shares the handle.
  CExtBitmapCache copy(cache);
  EXPECT_EQ(copy.GetCache(), nullptr);

  // A changed pixel drops the handle; the next drawing shows the change.
  const RGBQUAD opaque{9, 8, 7, 255};
  ASSERT_TRUE(cache.WritePixel(0, 0, &opaque));
  EXPECT_EQ(cache.GetCache(), nullptr);
  Canvas after(5, 1, target);
  EXPECT_EQ(cache.AlphaDrawAt(after.dc(), 0, 0, 5, 1, 255), 0);
  EXPECT_NE(cache.GetCache(), nullptr);
  EXPECT_EQ(after.At(0, 0), RGB(7, 8, 9));

  cache.Empty();
  EXPECT_EQ(cache.GetCache(), nullptr);
  EXPECT_TRUE(cache.IsBlank());
  EXPECT_EQ(cache.AlphaDrawAt(after.dc(), 0, 0, 5, 1), -1);

  // No handle for an image without alpha; it still draws.
  CExtBitmapCache rgb(Image(1, 1, [](int, int) { return Quad(RGB(1, 200, 3)); }, 24));
  Canvas opaqueCanvas(1, 1, target);
  EXPECT_EQ(rgb.AlphaDrawAt(opaqueCanvas.dc(), 0, 0, 1, 1), 0);
  EXPECT_EQ(rgb.GetCache(), nullptr);
  EXPECT_EQ(opaqueCanvas.At(0, 0), RGB(1, 200, 3));
}

TEST(BitmapCache, WithoutSystemBlendFallsBackToTheManualBlend) {
  CExtBitmapCache cache(Image(5, 1, [](int x, int) { return kAlphaPixels[x]; }));
  auto saved = g_PaintManagerHolder.m_pfnAlphaBlend;
  g_PaintManagerHolder.m_pfnAlphaBlend = nullptr;
  const COLORREF target = RGB(5, 5, 5);
  Canvas canvas(5, 1, target);
  EXPECT_EQ(cache.AlphaDrawAt(canvas.dc(), 0, 0, 5, 1, 255), 0);
  EXPECT_EQ(cache.GetCache(), nullptr);
  g_PaintManagerHolder.m_pfnAlphaBlend = saved;
  for (int x = 0; x < 5; ++x) EXPECT_TRUE(Near(canvas.At(x, 0), Over(kAlphaPixels[x], 255, target))) << x;
}

// ---- Regions --------------------------------------------------------------------------------

bool SameRect(const RECT& a, const RECT& b) { return ::EqualRect(&a, &b) != FALSE; }

TEST(BitmapRegions, ColorKeyLeavesTheOtherPixels) {
  // Left half magenta, right half grey.
  CExtBitmap image = Image(8, 3, [](int x, int) { return Quad(x < 4 ? RGB(255, 0, 255) : RGB(128, 128, 128)); });
  for (bool mirror : {false, true}) {
    HRGN region = image.RegionFromColorKey(mirror, 0xFF00FF, 0);
    ASSERT_NE(region, nullptr);
    RECT box{};
    EXPECT_EQ(::GetRgnBox(region, &box), SIMPLEREGION);
    const RECT expected = mirror ? RECT{0, 0, 4, 3} : RECT{4, 0, 8, 3};
    EXPECT_TRUE(SameRect(box, expected)) << mirror;
    ::DeleteObject(region);
  }
  // Tolerance widens the key box upwards per channel; compared in pixel byte order (lowest byte
  // against blue).
  CExtBitmap blue = Image(3, 1, [](int x, int) { return Quad(x == 1 ? RGB(0, 0, 250) : RGB(0, 0, 240)); });
  HRGN exact = blue.RegionFromColorKey(false, 0x0000F0, 0);
  RECT box{};
  EXPECT_EQ(::GetRgnBox(exact, &box), SIMPLEREGION);
  EXPECT_TRUE(SameRect(box, RECT{1, 0, 2, 1}));
  ::DeleteObject(exact);
  HRGN wide = blue.RegionFromColorKey(false, 0x0000F0, 0x00000A);
  EXPECT_EQ(::GetRgnBox(wide, &box), NULLREGION);
  ::DeleteObject(wide);
  // A 24-bit image goes through a 32-bit copy.
  CExtBitmap rgb = Image(4, 2, [](int x, int) { return Quad(x == 0 ? RGB(0, 0, 0) : RGB(1, 1, 1)); }, 24);
  HRGN fromCopy = rgb.RegionFromColorKey(false, 0, 0);
  EXPECT_EQ(::GetRgnBox(fromCopy, &box), SIMPLEREGION);
  EXPECT_TRUE(SameRect(box, RECT{1, 0, 4, 2}));
  ::DeleteObject(fromCopy);
  EXPECT_EQ(CExtBitmap().RegionFromColorKey(false, 0, 0), nullptr);
}

TEST(BitmapRegions, ManyRunsSpanSeveralBatches) {
  // Alternating columns: 50 runs per row, 5000 rectangles in all.
  CExtBitmap image = Image(100, 100, [](int x, int) { return Quad(x % 2 ? RGB(255, 0, 255) : RGB(0, 0, 0)); });
  HRGN region = image.RegionFromColorKey(false, 0xFF00FF, 0);
  ASSERT_NE(region, nullptr);
  for (int x = 0; x < 100; ++x) EXPECT_EQ(::PtInRegion(region, x, 57) != FALSE, x % 2 == 0) << x;
  ::DeleteObject(region);
}

TEST(BitmapRegions, CornerRegionCutsTransparentCornerPixels) {
  // Opaque 6 x 6 skin with a transparent pixel in the top-left and bottom-right corners.
  auto pixel = [](int x, int y) {
    const bool hole = (x == 0 && y == 0) || (x == 5 && y == 5);
    return RGBQUAD{10, 10, 10, static_cast<BYTE>(hole ? 0 : 255)};
  };
  CExtBitmap image = Image(6, 6, pixel);
  const RECT dest{10, 10, 30, 30}, margins{2, 2, 2, 2};
  HRGN region = image.CornerRegion(false, dest, margins, 0, 0);
  ASSERT_NE(region, nullptr);
  EXPECT_FALSE(::PtInRegion(region, 10, 10));
  EXPECT_FALSE(::PtInRegion(region, 29, 29));
  EXPECT_TRUE(::PtInRegion(region, 11, 10));
  EXPECT_TRUE(::PtInRegion(region, 29, 10));
  EXPECT_TRUE(::PtInRegion(region, 20, 20));
  EXPECT_FALSE(::PtInRegion(region, 30, 20));
  ::DeleteObject(region);

  HRGN mirrored = image.CornerRegion(true, dest, margins, 0, 0);
  ASSERT_NE(mirrored, nullptr);
  EXPECT_TRUE(::PtInRegion(mirrored, 10, 10));
  EXPECT_FALSE(::PtInRegion(mirrored, 29, 10));
  EXPECT_FALSE(::PtInRegion(mirrored, 10, 29));
  ::DeleteObject(mirrored);

  CExtBitmap opaque = Image(6, 6, [](int, int) { return RGBQUAD{1, 1, 1, 255}; });
  EXPECT_EQ(opaque.CornerRegion(false, dest, margins, 0, 0), nullptr);
  EXPECT_EQ(CExtBitmap().CornerRegion(false, dest, margins, 0, 0), nullptr);
}

}  // namespace
