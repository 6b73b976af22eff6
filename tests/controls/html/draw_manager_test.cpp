// The draw manager's fills and image effects, pixel by pixel on a 32-bit DIB; expected pixels are
// worked out from the fill and effect formulas.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "canvas.h"
#include "controls/html/draw_manager.h"

namespace {

using ctltest::Canvas;
using ctltest::ColorText;

#define EXPECT_PIXEL(canvas, x, y, color) \
  EXPECT_EQ(ColorText((canvas).At(x, y)), ColorText(color)) << "pixel (" << (x) << ", " << (y) << ")"

const COLORREF kWhite = RGB(255, 255, 255);

// The colour of gradient band k of 64.
COLORREF Band(COLORREF from, COLORREF to, int k) {
  return RGB((GetRValue(from) * (64 - k) + GetRValue(to) * k) >> 6, (GetGValue(from) * (64 - k) + GetGValue(to) * k) >> 6,
             (GetBValue(from) * (64 - k) + GetBValue(to) * k) >> 6);
}

// Expected colour of each pixel of a gradient over [start, start + width).
std::vector<COLORREF> GradientRow(COLORREF from, COLORREF to, int width, COLORREF unpainted) {
  std::vector<COLORREF> row(width, unpainted);
  for (int k = 0; k < 64; ++k)
    for (int x = (k * width) >> 6; x < (((k + 1) * width) >> 6); ++x) row[x] = Band(from, to, k);
  return row;
}

// The pattern palette: end → mid over entries 0..128, mid → begin over 128..255.
std::vector<COLORREF> PatternPalette(COLORREF begin, COLORREF mid, COLORREF end, int tint) {
  std::vector<COLORREF> p(256);
  auto mix = [](COLORREF a, COLORREF b, int wa, int wb) {
    return RGB((GetRValue(a) * wa + GetRValue(b) * wb) / 128, (GetGValue(a) * wa + GetGValue(b) * wb) / 128,
               (GetBValue(a) * wa + GetBValue(b) * wb) / 128);
  };
  for (int i = 0; i <= 128; ++i) p[i] = mix(end, mid, 128 - i, i);
  for (int k = 1; k <= 128; ++k) p[127 + k] = mix(mid, begin, 128 - k, k);
  for (COLORREF& c : p)
    c = RGB((GetRValue(begin) * tint + GetRValue(c) * (100 - tint)) / 100,
            (GetGValue(begin) * tint + GetGValue(c) * (100 - tint)) / 100,
            (GetBValue(begin) * tint + GetBValue(c) * (100 - tint)) / 100);
  return p;
}

// A 32-bit top-down bitmap with the given pixels (0xAARRGGBB).
HBITMAP MakeBitmap(int width, int height, const std::vector<DWORD>& pixels) {
  BITMAPINFO bi = {};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = -height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP b = ::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  std::copy(pixels.begin(), pixels.end(), static_cast<DWORD*>(bits));
  return b;
}

TEST(DrawManagerFill, SolidKindsFillWithTheBeginColour) {
  for (int kind : {0, -1, 16, 99}) {
    Canvas c(10, 6, kWhite);
    CPPDrawManager dm;
    dm.PaintBackground(c.dc()->m_hDC, RECT{2, 1, 8, 5}, kind, RGB(10, 20, 30), RGB(1, 1, 1), RGB(2, 2, 2), 5, 0);
    EXPECT_PIXEL(c, 2, 1, RGB(10, 20, 30));
    EXPECT_PIXEL(c, 7, 4, RGB(10, 20, 30));
    EXPECT_PIXEL(c, 8, 4, kWhite);
    EXPECT_PIXEL(c, 1, 1, kWhite);
  }
  Canvas c(10, 6, kWhite);  // an empty rectangle paints nothing
  CPPDrawManager().PaintBackground(c.dc()->m_hDC, RECT{5, 1, 5, 5}, 0, RGB(0, 0, 0), 0, 0, 5, 0);
  EXPECT_PIXEL(c, 5, 2, kWhite);
}

TEST(DrawManagerFill, GradientBandsFollowTheBandFormula) {
  const COLORREF from = RGB(200, 10, 0), to = RGB(0, 90, 250);
  Canvas c(40, 8, kWhite);
  CPPDrawManager dm;
  dm.PaintBackground(c.dc()->m_hDC, RECT{0, 0, 32, 4}, CPPDrawManager::kHGradient, from, 0, to, 5, 0);
  const std::vector<COLORREF> row = GradientRow(from, to, 32, kWhite);
  for (int x = 0; x < 32; ++x) EXPECT_PIXEL(c, x, 2, row[x]);
  EXPECT_PIXEL(c, 31, 0, Band(from, to, 63));  // the last band is not the end colour
  EXPECT_NE(c.At(31, 0), to);

  // Kind 3 on an odd width: the extra pixel belongs to the right half, which runs back.
  Canvas h(33, 2, kWhite);
  dm.PaintBackground(h.dc()->m_hDC, RECT{0, 0, 33, 2}, CPPDrawManager::kHCGradient, from, 0, to, 5, 0);
  const std::vector<COLORREF> left = GradientRow(from, to, 16, kWhite), right = GradientRow(to, from, 17, kWhite);
  for (int x = 0; x < 16; ++x) EXPECT_PIXEL(h, x, 1, left[x]);
  for (int x = 16; x < 33; ++x) EXPECT_PIXEL(h, x, 1, right[x - 16]);

  // Kind 6, vertical: begin → mid over the top half, mid → end below.
  const COLORREF mid = RGB(60, 60, 60);
  Canvas v(2, 64, kWhite);
  dm.PaintBackground(v.dc()->m_hDC, RECT{0, 0, 2, 64}, CPPDrawManager::k3VGradient, from, mid, to, 5, 0);
  const std::vector<COLORREF> top = GradientRow(from, mid, 32, kWhite), bottom = GradientRow(mid, to, 32, kWhite);
  for (int y = 0; y < 32; ++y) {
    EXPECT_PIXEL(v, 0, y, top[y]);
    EXPECT_PIXEL(v, 1, y + 32, bottom[y]);
  }
}

// With granularity 0 the noise term is rand() / 32767, 0 but for one value in 32768; the shade
// kinds then show the palette entry of their base index.
TEST(DrawManagerFill, ShadePatternsIndexThePatternPalette) {
  const COLORREF begin = RGB(250, 200, 0), mid = RGB(100, 100, 100), end = RGB(0, 0, 180);
  const int w = 50, h = 20;
  const std::vector<COLORREF> palette = PatternPalette(begin, mid, end, 0);
  std::srand(1);
  Canvas c(w, h, kWhite);
  CPPDrawManager dm;
  dm.PaintBackground(c.dc()->m_hDC, RECT{0, 0, w, h}, CPPDrawManager::kHShade, begin, mid, end, 0, 0);
  for (int y : {0, 7, 19}) {
    const int r = h - 1 - y;  // memory rows count from the bottom
    EXPECT_PIXEL(c, 3, y, palette[(r * 255) / h]);
    EXPECT_PIXEL(c, 41, y, palette[(r * 255) / h]);
  }
  Canvas v(w, h, kWhite);
  dm.PaintBackground(v.dc()->m_hDC, RECT{0, 0, w, h}, CPPDrawManager::kVShade, begin, mid, end, 0, 0);
  for (int x : {0, 13, 49}) EXPECT_PIXEL(v, x, 5, palette[(255 * (w - x)) / w]);

  Canvas b(w, h, kWhite);
  dm.PaintBackground(b.dc()->m_hDC, RECT{0, 0, w, h}, CPPDrawManager::kHBump, begin, mid, end, 0, 0);
  for (int y : {0, 10, 19}) {
    const long long cc = (255 * (h - 1 - y)) / h - 127;
    EXPECT_PIXEL(b, 25, y, palette[static_cast<BYTE>(128 + ((cc * cc * cc / 16384) * 128) / 128)]);
  }

  // The tint mixes every palette entry with the begin colour; "noise" sits at entry 128.
  const std::vector<COLORREF> tinted = PatternPalette(begin, mid, end, 40);
  Canvas n(8, 8, kWhite);
  dm.PaintBackground(n.dc()->m_hDC, RECT{0, 0, 8, 8}, CPPDrawManager::kNoise, begin, mid, end, 0, 40);
  EXPECT_PIXEL(n, 4, 4, tinted[128]);
}

TEST(DrawManagerFill, DegenerateSizesEnd) {
  CPPDrawManager dm;
  Canvas c(20, 20, kWhite);
  const HDC dc = c.dc()->m_hDC;
  for (int kind = CPPDrawManager::kNoise; kind <= CPPDrawManager::kMetal; ++kind) {
    dm.RenderPattern(1, 1, kind, 5, 0, 0, 0, 0);
    dm.RenderPattern(7, 1, kind, 255, 300, 0, 0, 0);  // "hardbump" one row high
    dm.RenderPattern(1, 9, kind, 0, 0, 0, 0, 0);
  }
  dm.RenderPattern(40000, 1, CPPDrawManager::kMetal, 5, 0, 0, 0, 0);  // wider than rand()'s range
  dm.RenderPattern(1, 40000, CPPDrawManager::kMetal, 5, 0, 0, 0, 0);
  EXPECT_EQ(dm.Pattern().Width(), 1);
  dm.PaintBackground(dc, RECT{0, 0, 20, 1}, CPPDrawManager::kHardBump, RGB(0, 0, 0), 0, 0, 5, 0);
  dm.TileBlit(dc, 0, 0, 20, 20, dc, 0, 0, 0, 5);  // a zero tile returns
  dm.TileBlit(dc, 0, 0, 20, 20, dc, 0, 0, 5, -1);
}

TEST(DrawManagerPixels, EffectOperations) {
  const DWORD p = 0x00C86432;  // red 200, green 100, blue 50
  const DWORD grey = static_cast<DWORD>(static_cast<int>(0.299 * 200 + 0.587 * 100 + 0.114 * 50));
  EXPECT_EQ(CPPDrawManager::ToGrey(p), grey * 0x010101u);
  EXPECT_EQ(CPPDrawManager::ScaleColour(p, 0.75), 0x00964B25u);
  EXPECT_EQ(CPPDrawManager::ScaleColour(p | 0x7F000000, 1.0), p | 0x7F000000);
  EXPECT_EQ(CPPDrawManager::BrightenColour(p, 0.25), 0x00FA7D3Eu);  // 250, 125, 62
  EXPECT_EQ(CPPDrawManager::BrightenColour(0x00F0F0F0, 0.25), 0x00FFFFFFu);
  EXPECT_EQ(CPPDrawManager::MixColours(0x00C80000, 0x00000064, 0.5, 0.5), 0x00640032u);
}

struct EffectCase {
  DWORD flags;
  COLORREF want;  // for the source pixel RGB(200, 100, 50)
};

TEST(DrawManagerImages, FlagsKeyColourAndNegative) {
  const DWORD src = 0x00C86432;
  const DWORD g = static_cast<DWORD>(static_cast<int>(0.299 * 200 + 0.587 * 100 + 0.114 * 50));
  const int gd = static_cast<int>(g * 0.75);
  const EffectCase kCases[] = {
      {0, RGB(200, 100, 50)},
      {CPPDrawManager::FX_GREY, RGB(g, g, g)},
      {CPPDrawManager::FX_DARKER, RGB(150, 75, 37)},
      {CPPDrawManager::FX_BRIGHTER, RGB(250, 125, 62)},
      {CPPDrawManager::FX_GREY | CPPDrawManager::FX_DARKER, RGB(gd, gd, gd)},
      {CPPDrawManager::FX_GREY | CPPDrawManager::FX_SINGLE_COLOUR, RGB(0, 128, 255)},
  };
  const COLORREF key = RGB(255, 0, 255);
  HBITMAP bitmap = MakeBitmap(2, 1, {src, 0x00FF00FF});
  for (const EffectCase& c : kCases) {
    Canvas canvas(4, 2, RGB(9, 9, 9));
    CPPDrawManager dm;
    dm.PaintBitmap(canvas.dc()->m_hDC, 1, 1, 2, 1, bitmap, true, key, c.flags, false, 0, 0, 0, 0, RGB(0, 128, 255));
    EXPECT_PIXEL(canvas, 1, 1, c.want);
    EXPECT_PIXEL(canvas, 2, 1, RGB(9, 9, 9));  // the key colour lets the background through
    EXPECT_PIXEL(canvas, 0, 1, RGB(9, 9, 9));
  }
  // FX_NEGATIVE also turns key pixels white.
  CPPDrawManager dm;
  HBITMAP negative = dm.MakeEffectBitmap(bitmap, 2, 1, CPPDrawManager::FX_NEGATIVE, true, key, 0);
  ASSERT_NE(negative, nullptr);
  DIBSECTION ds = {};
  ASSERT_TRUE(::GetObject(negative, sizeof ds, &ds));
  const DWORD* bits = static_cast<const DWORD*>(ds.dsBm.bmBits);
  EXPECT_EQ(bits[0] & 0xFFFFFF, 0x00379BCDu);
  EXPECT_EQ(bits[1] & 0xFFFFFF, 0x00FFFFFFu);
  ::DeleteObject(negative);
  ::DeleteObject(bitmap);
}

TEST(DrawManagerImages, AlphaPixelsBlendAndNeverMatchTheKey) {
  // The second pixel has the key colour's bytes but a non-zero alpha: it is not transparent, and
  // it switches the whole image to per-pixel alpha.
  HBITMAP bitmap = MakeBitmap(3, 1, {0x80C86432, 0x40FF00FF, 0x00FF00FF});
  Canvas canvas(3, 1, RGB(0, 0, 100));
  CPPDrawManager dm;
  dm.PaintBitmap(canvas.dc()->m_hDC, 0, 0, 3, 1, bitmap, true, RGB(255, 0, 255), 0, false, 0, 0, 0, 0, 0);
  EXPECT_TRUE(dm.SourceHasAlpha());
  auto blend = [](int s, int d, int a) { return static_cast<int>(a / 255.0 * s + (1 - a / 255.0) * d); };
  EXPECT_PIXEL(canvas, 0, 0, RGB(blend(200, 0, 0x80), blend(100, 0, 0x80), blend(50, 100, 0x80)));
  EXPECT_PIXEL(canvas, 1, 0, RGB(blend(255, 0, 0x40), 0, blend(255, 100, 0x40)));
  EXPECT_PIXEL(canvas, 2, 0, RGB(0, 0, 100));  // key with alpha 0: stored black, alpha 0, blended away
  ::DeleteObject(bitmap);
}

TEST(DrawManagerImages, ShadowsDarkenAndTheOffsetWithoutAShadowFlagMovesTheImage) {
  std::vector<DWORD> red(16, 0x00FF0000);
  HBITMAP bitmap = MakeBitmap(4, 4, red);
  const COLORREF shadow = RGB(100, 100, 100);
  {
    Canvas canvas(12, 12, kWhite);
    CPPDrawManager dm;
    dm.PaintBitmap(canvas.dc()->m_hDC, 2, 2, 4, 4, bitmap, false, 0, CPPDrawManager::FX_HARD_SHADOW, true, 3, 3, 0, 0,
                   shadow);
    const int v = static_cast<int>(255 * (100 / 255.0));  // white scaled by the shadow's blue byte
    EXPECT_PIXEL(canvas, 8, 8, RGB(v, v, v));  // shadow only
    EXPECT_PIXEL(canvas, 4, 4, RGB(255, 0, 0));  // the image covers the shadow
    EXPECT_PIXEL(canvas, 9, 9, kWhite);
  }
  {
    Canvas canvas(12, 12, kWhite);
    CPPDrawManager dm;
    dm.PaintBitmap(canvas.dc()->m_hDC, 2, 2, 4, 4, bitmap, false, 0, 0, true, 3, 3, 0, 0, shadow);
    EXPECT_PIXEL(canvas, 2, 2, kWhite);
    EXPECT_PIXEL(canvas, 5, 5, RGB(255, 0, 0));
    EXPECT_PIXEL(canvas, 8, 8, RGB(255, 0, 0));
  }
  ::DeleteObject(bitmap);
}

// A soft shadow shrinks the shadow image by the blur and averages over a blur window: blur 4 is
// a 5 × 5 window.
TEST(DrawManagerImages, SoftShadowAveragesOverAnOddWindow) {
  const int n = 20;
  HBITMAP black = MakeBitmap(n, n, std::vector<DWORD>(n * n, 0));
  Canvas canvas(n, n, kWhite);
  CPPDrawManager dm;
  dm.PaintShadow(canvas.dc()->m_hDC, 0, 0, n, n, black, true, 4, 4);
  // The shrunk black square covers [2, 17) on both axes.
  auto expected = [&](int x, int y) {
    long long sum = 0;
    for (int dy = -2; dy <= 2; ++dy)
      for (int dx = -2; dx <= 2; ++dx) {
        const int xx = x + dx, yy = y + dy;
        sum += (xx >= 2 && xx < 17 && yy >= 2 && yy < 17) ? 0 : 255;
      }
    const int v = static_cast<int>(255 * (sum * (1.0 / (25 * 255))));
    return RGB(v, v, v);
  };
  for (auto [x, y] : std::vector<std::pair<int, int>>{{10, 10}, {0, 0}, {1, 3}, {3, 10}, {18, 18}, {16, 5}})
    EXPECT_PIXEL(canvas, x, y, expected(x, y));
  ::DeleteObject(black);
}

TEST(DrawManagerImages, ImageListCellsAndBlends) {
  std::vector<DWORD> strip(8 * 2);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 8; ++x) strip[y * 8 + x] = x < 4 ? 0x000000FF : 0x0000FF00;
  HBITMAP bitmap = MakeBitmap(8, 2, strip);
  Canvas canvas(6, 4, kWhite);
  CPPDrawManager dm;
  dm.PaintImageListCell(canvas.dc()->m_hDC, 0, 0, 2, 2, bitmap, 1, 4, 2, false, 0, 0, false, 0, 0, 0, 0, 0);
  EXPECT_PIXEL(canvas, 1, 1, RGB(0, 255, 0));  // the second cell, drawn at half size
  EXPECT_PIXEL(canvas, 2, 1, kWhite);
  dm.PaintImageListCell(canvas.dc()->m_hDC, 3, 0, 2, 2, bitmap, 2, 4, 2, false, 0, 0, false, 0, 0, 0, 0, 0);
  EXPECT_PIXEL(canvas, 3, 0, kWhite);  // index = columns × rows: nothing
  ::DeleteObject(bitmap);

  Canvas src(4, 4, RGB(200, 100, 0)), dst(8, 8, RGB(0, 0, 100));
  dm.BlendBlit(src.dc()->m_hDC, dst.dc()->m_hDC, 2, 2, 4, 4, 30);
  EXPECT_PIXEL(dst, 3, 3, RGB(static_cast<int>(0.3 * 200), static_cast<int>(0.3 * 100), static_cast<int>(0.7 * 100)));
  EXPECT_PIXEL(dst, 1, 1, RGB(0, 0, 100));
  dm.BlendBlit(src.dc()->m_hDC, dst.dc()->m_hDC, 2, 2, 4, 4, 100);
  EXPECT_PIXEL(dst, 3, 3, RGB(200, 100, 0));
}

TEST(DrawManagerLines, DoubleLinesAndFrames) {
  const COLORREF blue = RGB(0, 0, 255), red = RGB(255, 0, 0);
  Canvas c(20, 20, kWhite);
  CPPDrawManager dm;
  dm.PaintLine(c.dc()->m_hDC, 5, 2, 5, 15, blue, CPPDrawManager::kLineDouble, 1);  // vertical: twin 2 to the right
  EXPECT_PIXEL(c, 5, 8, blue);
  EXPECT_PIXEL(c, 6, 8, kWhite);
  EXPECT_PIXEL(c, 7, 8, blue);
  dm.PaintLine(c.dc()->m_hDC, 2, 18, 12, 18, blue, CPPDrawManager::kLineSolid, 0);  // no width: nothing
  EXPECT_PIXEL(c, 6, 18, kWhite);

  Canvas f(20, 20, kWhite);
  dm.PaintFrame(f.dc()->m_hDC, 2, 2, 15, 15, blue, red, CPPDrawManager::kLineSolid, 1);
  EXPECT_PIXEL(f, 2, 8, blue);   // left side, light colour
  EXPECT_PIXEL(f, 8, 2, blue);   // top side
  EXPECT_PIXEL(f, 15, 8, red);   // right side, dark colour
  EXPECT_PIXEL(f, 8, 15, red);   // bottom side
  EXPECT_PIXEL(f, 8, 8, kWhite);
}

TEST(DrawManagerCapture, FillKindsSideBySide) {
  Canvas c(16 * 40, 40, kWhite);
  CPPDrawManager dm;
  std::srand(7);
  for (int kind = 0; kind <= 15; ++kind)
    dm.PaintBackground(c.dc()->m_hDC, RECT{kind * 40, 0, kind * 40 + 38, 40}, kind, RGB(255, 200, 0),
                       RGB(240, 240, 255), RGB(0, 90, 200), 5, 0);
  EXPECT_FALSE(c.Save(L"html_draw_manager_fills").empty());
}

}  // namespace
