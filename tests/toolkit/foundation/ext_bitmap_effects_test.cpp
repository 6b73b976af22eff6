// The bitmap's effects, scaling and builders under Wine: premultiplication rules, change hooks,
// the refusals of Scale and the solid and gradient builders.
#include <gtest/gtest.h>

#include "framework/afxwin.h"
#include "toolkit/foundation/ext_bitmap.h"

namespace {

class TestBitmap : public CExtBitmap {
 public:
  using CExtBitmap::SetDib;
  void OnContentLoaded() override {
    ++loaded;
    CExtBitmap::OnContentLoaded();
  }
  void OnContentChanged() override { ++changed; }
  int loaded = 0;
  int changed = 0;
};

// A 32-bit picture filled with one colour and alpha.
void Fill(TestBitmap& b, int w, int h, COLORREF color, BYTE alpha, int depth = 32) {
  b.SetDib(DibAllocate(w, h, depth, depth == 32 ? kDibMasks32 : depth == 24 ? kDibMasks24 : kDibMasksNone, 0));
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.WritePixelColor(x, y, color, alpha);
  b.loaded = b.changed = 0;
}

TEST(ExtBitmapEffects, PremultipliedImagesAndHooks) {
  TestBitmap b;
  Fill(b, 3, 2, RGB(200, 100, 0), 128);
  b.Premultiply(true);
  b.MarkPremultiplied(true);
  b.changed = 0;
  // Greying works on the premultiplied pixels as they are and keeps the mark.
  b.GrayAndTint();
  EXPECT_TRUE(b.IsPremultiplied());
  EXPECT_GE(b.changed, 1);
  BYTE alpha = 0;
  const COLORREF grey = b.ReadPixelColor(1, 1, &alpha);
  EXPECT_NEAR(GetRValue(grey), 118, 2);  // 60 + 59
  EXPECT_EQ(GetRValue(grey), GetBValue(grey));
  EXPECT_EQ(alpha, 128);
  // Opacity works on straight colours and leaves the image so.
  EXPECT_TRUE(b.ScaleOpacity(-0.5));
  EXPECT_FALSE(b.IsPremultiplied());
  EXPECT_NEAR(GetRValue(b.ReadPixelColor(1, 1, &alpha)), 118, 2);
  EXPECT_EQ(alpha, 64);

  b.changed = 0;
  EXPECT_TRUE(b.ScaleOpacity(0.0));  // nothing to do, nothing reported
  EXPECT_TRUE(b.ShiftHsl(static_cast<COLORREF>(-1), 0, 0, 0, 0));
  EXPECT_EQ(b.changed, 0);
  const RECT outside{5, 5, 9, 9};
  EXPECT_FALSE(b.ScaleOpacity(-0.5, &outside));
  EXPECT_FALSE(b.RecolorKeepLightness(static_cast<COLORREF>(-1), RGB(0, 0, 255), &outside));

  TestBitmap blank;
  EXPECT_FALSE(blank.ScaleOpacity(-0.5));
  EXPECT_FALSE(blank.ShiftHsl(static_cast<COLORREF>(-1), 0, 0.1, 0, 0));
  EXPECT_FALSE(blank.Mirror(true, false));
  blank.GrayAndTint();
  EXPECT_EQ(blank.changed, 0);

  // Keys, rectangles and borders write alpha on 32-bit images only.
  TestBitmap rgb;
  Fill(rgb, 4, 4, RGB(9, 9, 9), 255, 24);
  rgb.SetAlphaInRect(RECT{0, 0, 4, 4}, 0);
  rgb.SetAlphaByColorKey(RGB(9, 9, 9), 0, 0);
  EXPECT_EQ(rgb.changed, 0);
  TestBitmap keyed;
  Fill(keyed, 4, 4, RGB(9, 9, 9), 255);
  keyed.WritePixelColor(0, 0, RGB(255, 0, 255));
  keyed.Premultiply(true);
  keyed.MarkPremultiplied(true);
  keyed.SetAlphaByColorKey(RGB(255, 0, 255), 0, 0);
  EXPECT_FALSE(keyed.IsPremultiplied());
  keyed.ReadPixelColor(0, 0, &alpha);
  EXPECT_EQ(alpha, 0);
  keyed.ReadPixelColor(1, 0, &alpha);
  EXPECT_EQ(alpha, 255);
  keyed.SetAlphaOnBorder(RECT{0, 0, 4, 4}, RECT{1, 1, 1, 1}, 10);
  keyed.ReadPixelColor(3, 2, &alpha);
  EXPECT_EQ(alpha, 10);
  keyed.ReadPixelColor(2, 2, &alpha);
  EXPECT_EQ(alpha, 255);

  // The colour functions are the block functions' (checked natively).
  EXPECT_EQ(CExtBitmap::HslToRgb(0, 0.5, 1), RGB(255, 0, 0));
  EXPECT_EQ(CExtBitmap::MixColorsByWeight(RGB(255, 255, 255), RGB(0, 0, 0), 50), RGB(128, 128, 128));
  EXPECT_EQ(CExtBitmap::MixColorsByAlpha(RGB(255, 0, 0), RGB(0, 0, 255), 0), RGB(0, 0, 255));
  EXPECT_EQ(CExtBitmap::ShiftColorHsl(RGB(10, 20, 30), 0, -1, 0), RGB(0, 0, 0));
}

TEST(ExtBitmapEffects, ScaleRefusesAndKeepsTheImage) {
  TestBitmap b;
  EXPECT_FALSE(b.Scale(4, 4));  // blank
  Fill(b, 16, 16, RGB(1, 2, 3), 255);
  EXPECT_TRUE(b.Scale(16, 16));  // already that size: untouched
  EXPECT_EQ(b.changed, 0);
  EXPECT_FALSE(b.Scale(0, 16));
  EXPECT_FALSE(b.Scale(16, -1));
  EXPECT_EQ(b.GetPixelSize(), CSize(16, 16));

  TestBitmap palette;
  Fill(palette, 4, 4, 0, 0, 8);
  EXPECT_FALSE(palette.Scale(8, 8));
  ASSERT_TRUE(palette.PromoteTo32Bpp());
  EXPECT_TRUE(palette.Scale(8, 8));
  EXPECT_EQ(palette.GetPixelSize(), CSize(8, 8));

  // A premultiplied image is scaled on straight colours and comes back unmarked.
  Fill(b, 4, 4, RGB(200, 100, 50), 100);
  b.Premultiply(true);
  b.MarkPremultiplied(true);
  b.changed = 0;
  CExtBitmap::Filter lanczos(CExtBitmap::Filter::Lanczos);
  ASSERT_TRUE(b.Scale(9, 7, &lanczos));
  EXPECT_GE(b.changed, 1);
  EXPECT_FALSE(b.IsPremultiplied());
  EXPECT_EQ(b.GetPixelSize(), CSize(9, 7));
  BYTE alpha = 0;
  const COLORREF c = b.ReadPixelColor(4, 3, &alpha);
  EXPECT_EQ(alpha, 100);
  EXPECT_NEAR(GetRValue(c), 200, 3);  // premultiplying and back rounds a little
  EXPECT_NEAR(GetGValue(c), 100, 3);
  ASSERT_TRUE(b.Scale(3, 2, nullptr));  // null kernel: the box
  EXPECT_EQ(b.GetPixelSize(), CSize(3, 2));
}

TEST(ExtBitmapEffects, SolidGradientMirrorAndRotatedBuilders) {
  TestBitmap b;
  EXPECT_FALSE(b.CreateSolid(RGB(1, 2, 3), SIZE{0, 4}));
  ASSERT_TRUE(b.CreateSolid(RGB(1, 2, 3), SIZE{5, 4}, 77));
  EXPECT_EQ(b.loaded, 1);
  EXPECT_EQ(b.GetBitsPerPixel(), 32);
  EXPECT_EQ(b.GetAlphaMask(), 0xFF000000u);
  EXPECT_EQ(b.GetDibFlags(), 0u);
  BYTE alpha = 0;
  EXPECT_EQ(b.ReadPixelColor(4, 3, &alpha), RGB(1, 2, 3));
  EXPECT_EQ(alpha, 77);

  EXPECT_FALSE(b.CreateGradient(RGB(0, 0, 0), RGB(255, 255, 255), false, SIZE{10, 1}, 0));
  ASSERT_TRUE(b.CreateGradient(RGB(0, 0, 0), RGB(240, 0, 0), false, SIZE{10, 1}, 3));
  EXPECT_EQ(b.ReadPixelColor(0, 0), RGB(0, 0, 0));
  EXPECT_EQ(b.ReadPixelColor(3, 0), RGB(80, 0, 0));
  EXPECT_EQ(b.ReadPixelColor(9, 0), RGB(160, 0, 0));
  // Filling a premultiplied image stores the colour premultiplied by the written alpha.
  b.MarkPremultiplied(true);
  b.FillRectColor(RGB(200, 0, 0), RECT{0, 0, 2, 1}, 128);
  EXPECT_EQ(b.GetDib()->Row(0)[2], 100);

  b.CreateGradient(RGB(0, 0, 0), RGB(240, 0, 0), false, SIZE{10, 1}, 3);
  EXPECT_TRUE(b.MirrorHorizontally());
  EXPECT_EQ(b.ReadPixelColor(9, 0), RGB(0, 0, 0));
  EXPECT_TRUE(b.MirrorVertically());

  // Rotating from the image itself.
  ASSERT_TRUE(b.AssignRotatedFrames(b, 90, 2, 5, 1, true, false));
  EXPECT_EQ(b.GetPixelSize(), CSize(1, 10));
  EXPECT_EQ(b.ReadPixelColor(0, 9), RGB(0, 0, 0));
  CExtBitmap none;
  EXPECT_FALSE(b.AssignRotatedFrames(none, 90, 1, 1, 1, true, true));
  EXPECT_FALSE(b.IsBlank());  // a refusal keeps the image
}

}  // namespace
