// Colour effects on DIB blocks: tables of input pixels and the outputs their formulas give
// (worked out by hand), areas and keys, fills and gradients, mirroring and rotated strips.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "toolkit/foundation/bmp_effects.h"

namespace {

using dibfx::Area;
using dibfx::Color;
using dibfx::kNoColor;
using extpaint::Rgb;

DibColor Px(int r, int g, int b, int a = 255) {
  return DibColor{static_cast<std::uint8_t>(b), static_cast<std::uint8_t>(g), static_cast<std::uint8_t>(r),
                  static_cast<std::uint8_t>(a)};
}

// A one-row 32-bit block of the given pixels.
DibPtr Row(const std::vector<DibColor>& pixels) {
  DibPtr b = DibAllocate(static_cast<int>(pixels.size()), 1, 32, kDibMasks32, 0);
  for (std::size_t i = 0; i < pixels.size(); ++i) DibWritePixel(*b, static_cast<int>(i), 0, pixels[i], true, true, true, true);
  return b;
}

DibColor At(const DibBlock& b, int x, int y = 0) {
  DibColor c{};
  EXPECT_TRUE(DibReadPixel(b, x, y, &c));
  return c;
}

::testing::AssertionResult Near(const DibColor& got, const DibColor& want, int tolerance = 0) {
  auto off = [&](int a, int b) { return a - b > tolerance || b - a > tolerance; };
  if (off(got.red, want.red) || off(got.green, want.green) || off(got.blue, want.blue) || off(got.alpha, want.alpha))
    return ::testing::AssertionFailure() << "got " << int(got.red) << "," << int(got.green) << "," << int(got.blue)
                                         << " a" << int(got.alpha) << " want " << int(want.red) << ","
                                         << int(want.green) << "," << int(want.blue) << " a" << int(want.alpha);
  return ::testing::AssertionSuccess();
}

TEST(ColorFunctions, HslConversionsShiftsAndMixes) {
  EXPECT_EQ(dibfx::HslToRgb(0, 0.5, 0), Rgb(127, 127, 127));
  EXPECT_EQ(dibfx::HslToRgb(0, 0.5, 1), Rgb(255, 0, 0));
  EXPECT_EQ(dibfx::HslToRgb(1.0 / 3.0, 0.5, 1), Rgb(0, 255, 0));
  double h = -1, s = -1, l = -1;
  dibfx::RgbToHsl(Rgb(128, 128, 128), &h, &s, &l);
  EXPECT_EQ(h, 0.0);
  EXPECT_EQ(s, 0.0);
  EXPECT_DOUBLE_EQ(l, 128.0 / 255.0);
  dibfx::RgbToHsl(Rgb(0, 255, 255), &h, &s, &l);
  EXPECT_DOUBLE_EQ(h, 0.5);
  EXPECT_DOUBLE_EQ(s, 1.0);
  EXPECT_DOUBLE_EQ(l, 0.5);

  EXPECT_EQ(dibfx::ShiftColorHsl(Rgb(200, 120, 40), 0, -1, 0), Rgb(0, 0, 0));
  // Cyan (hue 0.5) shifted by 0.9 goes to hue 0.95: red full, blue (2/3 - 0.6167) x 6 = 0.3.
  const Color shifted = dibfx::ShiftColorHsl(Rgb(0, 255, 255), 0.9, 0, 0);
  EXPECT_EQ(shifted, Rgb(255, 0, 76));
  dibfx::RgbToHsl(dibfx::ShiftColorHsl(shifted, 0.9, 0, 0), &h, &s, &l);
  EXPECT_LE(h, 1.0);
  EXPECT_GT(h, 0.95);

  struct Mix {
    Color c1, c2;
    int w;
    Color want;
  } weights[] = {
      {Rgb(255, 255, 255), Rgb(0, 0, 0), 50, Rgb(128, 128, 128)},
      {Rgb(255, 255, 255), Rgb(0, 0, 0), 500, Rgb(128, 128, 128)},
      {Rgb(255, 255, 255), Rgb(0, 0, 0), 100, Rgb(26, 26, 26)},  // 100 counts per mille
      {Rgb(200, 0, 10), Rgb(0, 100, 250), 25, Rgb(50, 75, 190)},
      {Rgb(255, 0, 0), Rgb(0, 0, 255), 1000, Rgb(255, 0, 0)},
  };
  for (const Mix& m : weights) EXPECT_EQ(dibfx::MixColorsByWeight(m.c1, m.c2, m.w), m.want) << m.w;
  EXPECT_EQ(dibfx::MixColorsByAlpha(Rgb(255, 0, 0), Rgb(0, 0, 255), 255), Rgb(255, 0, 0));
  EXPECT_EQ(dibfx::MixColorsByAlpha(Rgb(255, 0, 0), Rgb(0, 0, 255), 0), Rgb(0, 0, 255));
  EXPECT_EQ(dibfx::MixColorsByAlpha(Rgb(255, 0, 0), Rgb(0, 0, 255), 128), Rgb(128, 0, 127));
}

TEST(PixelEffects, GreyTintAndOpacityTables) {
  // Grey = 0.30 R + 0.59 G + 0.11 B truncated; alpha kept.
  DibPtr b = Row({Px(255, 0, 0), Px(0, 255, 0), Px(0, 0, 255, 77), Px(10, 20, 30, 0)});
  ASSERT_TRUE(dibfx::GrayAndTint(*b, kNoColor, nullptr));
  EXPECT_TRUE(Near(At(*b, 0), Px(76, 76, 76)));
  EXPECT_TRUE(Near(At(*b, 1), Px(150, 150, 150)));
  EXPECT_TRUE(Near(At(*b, 2), Px(28, 28, 28, 77)));
  EXPECT_TRUE(Near(At(*b, 3), Px(18, 18, 18, 0)));  // 3 + 11.8 + 3.3

  // A tint keeps its hue and saturation, the grey gives the lightness: pure red tint over the
  // greys 76 and 150 gives (2L, 0, 0) below half lightness and (255, 2L - 255, same) above.
  DibPtr t = Row({Px(255, 0, 0), Px(0, 255, 0)});
  ASSERT_TRUE(dibfx::GrayAndTint(*t, Rgb(255, 0, 0), nullptr));
  EXPECT_TRUE(Near(At(*t, 0), Px(152, 0, 0), 1));
  EXPECT_TRUE(Near(At(*t, 1), Px(255, 45, 45), 1));

  struct Opacity {
    double delta;
    int in, want;
  } opacities[] = {
      {-0.5, 255, 127}, {-0.5, 200, 100}, {-0.5, 0, 0},   {-0.75, 255, 63}, {-1.0, 90, 0},
      {0.5, 100, 177},  {0.5, 0, 0},      {1.0, 10, 255}, {0.25, 255, 255},
  };
  for (const Opacity& o : opacities) {
    DibPtr p = Row({Px(9, 8, 7, o.in)});
    EXPECT_TRUE(dibfx::ScaleOpacity(*p, o.delta, nullptr));
    EXPECT_EQ(At(*p, 0).alpha, o.want) << o.delta << " on " << o.in;
    EXPECT_EQ(At(*p, 0).red, 9);
  }
  DibPtr p = Row({Px(9, 8, 7, 100)});
  EXPECT_TRUE(dibfx::ScaleOpacity(*p, 0.0, nullptr));
  const Area empty{1, 0, 1, 1};
  EXPECT_FALSE(dibfx::ScaleOpacity(*p, -0.5, &empty));
  EXPECT_FALSE(dibfx::GrayAndTint(*p, kNoColor, &empty));
  DibPtr palette = DibAllocate(2, 2, 8, kDibMasksNone, 0);
  EXPECT_FALSE(dibfx::ScaleOpacity(*palette, -0.5, nullptr));
  EXPECT_FALSE(dibfx::GrayAndTint(*palette, kNoColor, nullptr));
}

TEST(PixelEffects, RecolourAndShiftRespectKeys) {
  // Recolour: the colour's hue and saturation with each pixel's lightness; the key is left.
  DibPtr b = Row({Px(128, 128, 128), Px(255, 0, 255), Px(0, 0, 0, 40)});
  ASSERT_TRUE(dibfx::RecolorKeepLightness(*b, Rgb(255, 0, 255), Rgb(0, 0, 255), nullptr));
  EXPECT_TRUE(Near(At(*b, 0), Px(1, 1, 255), 1));  // lightness 128/255 just above half
  EXPECT_TRUE(Near(At(*b, 1), Px(255, 0, 255)));
  EXPECT_TRUE(Near(At(*b, 2), Px(0, 0, 0, 40)));

  // Shift: magenta inside the key box (tolerance 0) stays; the others darken to nothing.
  DibPtr s = Row({Px(255, 0, 255), Px(200, 100, 50), Px(254, 0, 255)});
  ASSERT_TRUE(dibfx::ShiftHsl(*s, Rgb(255, 0, 255), 0, 0, -1, 0, nullptr));
  EXPECT_TRUE(Near(At(*s, 0), Px(255, 0, 255)));
  EXPECT_TRUE(Near(At(*s, 1), Px(0, 0, 0)));
  EXPECT_TRUE(Near(At(*s, 2), Px(0, 0, 0)));
  // A key box: key (200, 100, 50) with tolerance (10, 0, 5) spans 200..210, 100, 50..55.
  EXPECT_TRUE(dibfx::InKeyBox(Rgb(205, 100, 55), Rgb(200, 100, 50), Rgb(10, 0, 5)));
  EXPECT_FALSE(dibfx::InKeyBox(Rgb(211, 100, 50), Rgb(200, 100, 50), Rgb(10, 0, 5)));
  EXPECT_FALSE(dibfx::InKeyBox(Rgb(200, 101, 50), Rgb(200, 100, 50), Rgb(10, 0, 5)));
  EXPECT_FALSE(dibfx::InKeyBox(Rgb(199, 100, 50), Rgb(200, 100, 50), Rgb(10, 0, 5)));
  EXPECT_TRUE(dibfx::InKeyBox(Rgb(255, 255, 255), Rgb(250, 250, 250), Rgb(40, 40, 40)));  // held at 255
  // Lightening by half: grey 100 -> 100 + 0.5 x 155 = 177.5.
  DibPtr l = Row({Px(100, 100, 100)});
  ASSERT_TRUE(dibfx::ShiftHsl(*l, kNoColor, 0, 0, 0.5, 0, nullptr));
  EXPECT_TRUE(Near(At(*l, 0), Px(177, 177, 177), 1));
  EXPECT_TRUE(dibfx::ShiftHsl(*l, kNoColor, 0, 0, 0, 0, nullptr));  // nothing to do
}

TEST(PixelEffects, TransparentKeysRectsAndBorders) {
  DibPtr b = Row({Px(205, 100, 55, 255), Px(211, 100, 50, 255), Px(200, 100, 50, 9)});
  ASSERT_TRUE(dibfx::SetAlphaByColorKey(*b, Rgb(200, 100, 50), Rgb(10, 0, 5), 0, nullptr));
  EXPECT_EQ(At(*b, 0).alpha, 0);
  EXPECT_EQ(At(*b, 1).alpha, 255);
  EXPECT_EQ(At(*b, 2).alpha, 0);
  EXPECT_EQ(At(*b, 0).red, 205);  // only the alpha is written

  DibPtr r = Row({Px(1, 2, 3, 9), Px(4, 5, 6, 9), Px(7, 8, 9, 9), Px(7, 8, 9, 9)});
  ASSERT_TRUE(dibfx::SetAlphaInRect(*r, Area{0, 0, 3, 1}, 100, Rgb(1, 2, 3), Rgb(4, 5, 6)));
  EXPECT_EQ(At(*r, 0).alpha, 0);
  EXPECT_EQ(At(*r, 1).alpha, 255);
  EXPECT_EQ(At(*r, 2).alpha, 100);
  EXPECT_EQ(At(*r, 3).alpha, 9);  // outside the area
  ASSERT_TRUE(dibfx::SetAlphaInRect(*r, Area{0, 0, 9, 9}, 50, kNoColor, kNoColor));
  for (int x = 0; x < 4; ++x) EXPECT_EQ(At(*r, x).alpha, 50);

  // Border strips of widths 1 (left), 2 (top), 1 (right), 1 (bottom) on a 5 x 6 picture.
  DibPtr f = DibAllocate(5, 6, 32, kDibMasks32, 0);
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 5; ++x) DibWritePixel(*f, x, y, Px(10, 10, 10, 255), true, true, true, true);
  ASSERT_TRUE(dibfx::SetAlphaOnBorder(*f, Area{0, 0, 5, 6}, Area{1, 2, 1, 1}, 0, kNoColor, kNoColor));
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 5; ++x) {
      const bool border = x == 0 || x == 4 || y < 2 || y == 5;
      EXPECT_EQ(At(*f, x, y).alpha, border ? 0 : 255) << x << "," << y;
    }
  DibPtr rgb = DibAllocate(2, 2, 24, kDibMasks24, 0);
  EXPECT_FALSE(dibfx::SetAlphaInRect(*rgb, Area{0, 0, 2, 2}, 0, kNoColor, kNoColor));
}

TEST(PixelEffects, FillsAndGradientBands) {
  DibPtr b = DibAllocate(10, 2, 32, kDibMasks32, 0);
  ASSERT_TRUE(dibfx::FillRectColor(*b, Rgb(1, 2, 3), Area{-5, -5, 50, 50}, 77));  // clipped to the image
  EXPECT_TRUE(Near(At(*b, 9, 1), Px(1, 2, 3, 77)));
  EXPECT_FALSE(dibfx::FillRectColor(*b, Rgb(1, 2, 3), Area{3, 0, 3, 2}, 77));

  // Three steps over ten columns: [0, 1), [1, 4), [4, 10) (MulDiv(1, 10, 3) = 3).
  ASSERT_TRUE(dibfx::FillRectGradient(*b, Rgb(0, 0, 0), Rgb(240, 120, 60), false, Area{0, 0, 10, 2}, 3, 255, 0));
  const int bandOf[10] = {0, 1, 1, 1, 2, 2, 2, 2, 2, 2};
  for (int x = 0; x < 10; ++x) {
    const int n = bandOf[x];
    EXPECT_TRUE(Near(At(*b, x, 1), Px(240 * n / 3, 120 * n / 3, 60 * n / 3, 255 * (3 - n) / 3))) << x;
  }
  // Vertical: the first colour at the bottom, the first band one pixel high.
  DibPtr v = DibAllocate(1, 10, 32, kDibMasks32, 0);
  ASSERT_TRUE(dibfx::FillRectGradient(*v, Rgb(0, 0, 0), Rgb(240, 0, 0), true, Area{0, 0, 1, 10}, 3, 255, 255));
  EXPECT_EQ(At(*v, 0, 9).red, 0);
  EXPECT_EQ(At(*v, 0, 8).red, 80);
  EXPECT_EQ(At(*v, 0, 6).red, 80);
  EXPECT_EQ(At(*v, 0, 5).red, 160);
  EXPECT_EQ(At(*v, 0, 0).red, 160);
  EXPECT_FALSE(dibfx::FillRectGradient(*v, 0, 0, true, Area{0, 0, 1, 10}, 0, 255, 255));
}

TEST(PixelEffects, MirrorSwapsAroundTheMiddle) {
  DibPtr b = Row({Px(1, 0, 0), Px(2, 0, 0), Px(3, 0, 0), Px(4, 0, 0)});
  const Area three{-1, 0, 3, 1};  // a negative left counts from 0
  ASSERT_TRUE(dibfx::Mirror(*b, true, false, &three));
  EXPECT_EQ(At(*b, 0).red, 3);
  EXPECT_EQ(At(*b, 1).red, 2);  // the middle stays
  EXPECT_EQ(At(*b, 2).red, 1);
  EXPECT_EQ(At(*b, 3).red, 4);
  EXPECT_FALSE(dibfx::Mirror(*b, false, false, nullptr));
  const Area empty{2, 0, 2, 1};
  EXPECT_FALSE(dibfx::Mirror(*b, true, false, &empty));

  DibPtr c = DibAllocate(2, 3, 24, kDibMasks24, 0);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 2; ++x) DibWritePixel(*c, x, y, Px(x + 10 * y, 0, 0), true, true, true, true);
  ASSERT_TRUE(dibfx::Mirror(*c, true, true, nullptr));
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 2; ++x) EXPECT_EQ(At(*c, x, y).red, (1 - x) + 10 * (2 - y));

  // Premultiplied pixels move exactly.
  DibPtr p = Row({Px(200, 100, 50, 3), Px(0, 0, 0, 0)});
  p->flags |= kDibFlagPremultiplied;
  const std::uint8_t before[4] = {p->Row(0)[0], p->Row(0)[1], p->Row(0)[2], p->Row(0)[3]};
  dibfx::Mirror(*p, true, false, nullptr);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(p->Row(0)[4 + i], before[i]);

  DibPtr palette = DibAllocate(4, 1, 8, kDibMasksNone, 0);
  EXPECT_TRUE(dibfx::Mirror(*palette, true, false, nullptr));  // answered, but nothing moves
}

TEST(PixelEffects, RotatedFramesMapEveryPixel) {
  // Two 3 x 2 frames side by side; pixel (j, i) of frame f has red 100 f + 10 i + j.
  DibPtr src = DibAllocate(6, 2, 32, kDibMasks32, 0);
  for (int f = 0; f < 2; ++f)
    for (int i = 0; i < 2; ++i)
      for (int j = 0; j < 3; ++j) DibWritePixel(*src, 3 * f + j, i, Px(100 * f + 10 * i + j, 0, 0), true, true, true, true);
  struct Case {
    int angle, w, h;  // result frame
  } cases[] = {{0, 3, 2}, {90, 2, 3}, {180, 3, 2}, {270, 2, 3}, {360, 3, 2}};
  for (const Case& c : cases) {
    DibPtr out = dibfx::RotatedFrames(*src, c.angle, 2, 3, 2, true, false);  // result stacked down
    ASSERT_TRUE(out) << c.angle;
    EXPECT_EQ(out->Width(), c.w);
    EXPECT_EQ(out->Height(), 2 * c.h);
    for (int f = 0; f < 2; ++f)
      for (int i = 0; i < 2; ++i)
        for (int j = 0; j < 3; ++j) {
          int x = j, y = i;
          if (c.angle == 90) x = c.w - i - 1, y = j;
          if (c.angle == 180) x = c.w - j - 1, y = c.h - i - 1;
          if (c.angle == 270) x = i, y = c.h - j - 1;
          EXPECT_EQ(At(*out, x, f * c.h + y).red, 100 * f + 10 * i + j) << c.angle;
        }
  }
  // Two 16 x 8 frames across, turned by 90 and stacked: 8 x 32.
  DibPtr strip = DibAllocate(32, 8, 24, kDibMasks24, 0);
  DibPtr turned = dibfx::RotatedFrames(*strip, 90, 2, 16, 8, true, false);
  ASSERT_TRUE(turned);
  EXPECT_EQ(turned->Width(), 8);
  EXPECT_EQ(turned->Height(), 32);
  EXPECT_EQ(turned->Depth(), 24);
  EXPECT_FALSE(dibfx::RotatedFrames(*strip, 45, 2, 16, 8, true, false));
  EXPECT_FALSE(dibfx::RotatedFrames(*strip, 90, 0, 16, 8, true, false));
  DibPtr palette = DibAllocate(4, 4, 8, kDibMasksNone, 0);
  EXPECT_FALSE(dibfx::RotatedFrames(*palette, 0, 1, 4, 4, true, true));
}

}  // namespace
