// Colour arithmetic against values worked out by hand from the conversion formulas.
#include "toolkit/paint/color_math.h"

#include <gtest/gtest.h>

namespace {

using extpaint::Color;
using extpaint::Rgb;

TEST(ColorFromHls, PrimaryAndGreyColours) {
  struct Case {
    double h, l, s;
    Color expected;
  } cases[] = {
      {0.0, 0.5, 1.0, Rgb(255, 0, 0)},        {1.0 / 3.0, 0.5, 1.0, Rgb(0, 255, 0)},
      {2.0 / 3.0, 0.5, 1.0, Rgb(0, 0, 255)},  {0.5, 0.5, 1.0, Rgb(0, 254, 255)},  // (2/3 - 1/2) x 6 falls just short of 1: 254
      {0.0, 0.5, 0.0, Rgb(127, 127, 127)},    {0.0, 1.0, 0.0, Rgb(255, 255, 255)},
      {0.0, 0.0, 0.5, Rgb(0, 0, 0)},          {0.0, 0.75, 1.0, Rgb(255, 127, 127)},
      // l 0.25, s 0.5: m2 = 0.375, m1 = 0.125; hue 1/6 -> red m2, green m2, blue m1.
      {1.0 / 6.0, 0.25, 0.5, Rgb(95, 95, 31)},
  };
  for (const Case& c : cases)
    EXPECT_EQ(extpaint::ColorFromHls(c.h, c.l, c.s), c.expected) << c.h << " " << c.l << " " << c.s;
}

TEST(RgbToHls, HueFromTheLargestChannel) {
  struct Case {
    Color color;
    double h, l, s;
  } cases[] = {
      {Rgb(255, 0, 0), 0.0, 0.5, 1.0},
      {Rgb(0, 255, 0), 1.0 / 3.0, 0.5, 1.0},
      {Rgb(0, 0, 255), 2.0 / 3.0, 0.5, 1.0},
      {Rgb(255, 0, 255), 5.0 / 6.0, 0.5, 1.0},  // negative hue raised by 1
      {Rgb(128, 128, 128), 0.0, 128.0 / 255.0, 0.0},
      // max 1, min 0.5: l 0.75, s 0.5 / (2 - 1.5) = 1.
      {Rgb(255, 128, 128), 0.0, (255.0 + 128.0) / 510.0, 127.0 / (510.0 - 383.0)},
  };
  for (const Case& c : cases) {
    const extpaint::Hls hls = extpaint::RgbToHls(c.color);
    EXPECT_NEAR(hls.hue, c.h, 1e-9);
    EXPECT_NEAR(hls.lightness, c.l, 1e-9);
    EXPECT_NEAR(hls.saturation, c.s, 1e-9);
  }
}

TEST(AdjustColorHls, ChangesMoveTowardsTheEnds) {
  EXPECT_EQ(extpaint::AdjustColorHls(Rgb(10, 200, 30), 0, -1, 0), Rgb(0, 0, 0));
  EXPECT_EQ(extpaint::AdjustColorHls(Rgb(10, 200, 30), 0, +1, 0), Rgb(255, 255, 255));
  // Red at lightness 0.5 lightened by half the distance to 1: lightness 0.75.
  EXPECT_EQ(extpaint::AdjustColorHls(Rgb(255, 0, 0), 0, 0.5, 0), Rgb(255, 127, 127));
  // Saturation scaled to nothing leaves the grey of the lightness.
  EXPECT_EQ(extpaint::AdjustColorHls(Rgb(255, 0, 0), 0, 0, -1), Rgb(127, 127, 127));
  // No change at all gives the conversion's round trip.
  EXPECT_EQ(extpaint::AdjustColorHls(Rgb(0, 0, 255), 0, 0, 0), Rgb(0, 0, 255));
  // Hue 0.5 (cyan) moved by 0.9 of the way to 1 gives 0.95; it is not wrapped.
  EXPECT_EQ(extpaint::AdjustColorHls(Rgb(0, 255, 255), 0.9, 0, 0), extpaint::ColorFromHls(0.95, 0.5, 1.0));
}

TEST(MixColors, AlphaWeightsTheFirstColour) {
  EXPECT_EQ(extpaint::MixColors(Rgb(255, 0, 0), Rgb(0, 0, 255), 255), Rgb(255, 0, 0));
  EXPECT_EQ(extpaint::MixColors(Rgb(255, 0, 0), Rgb(0, 0, 255), 0), Rgb(0, 0, 255));
  EXPECT_EQ(extpaint::MixColors(Rgb(255, 0, 0), Rgb(0, 0, 255), 128), Rgb(128, 0, 127));
  // Out-of-range alphas are held within the channel range.
  EXPECT_EQ(extpaint::MixColors(Rgb(255, 255, 255), Rgb(0, 0, 0), 300), Rgb(255, 255, 255));
}

TEST(HelperMixes, FifthsRoundAndHalvesTruncate) {
  const Color face = Rgb(192, 192, 192), white = Rgb(255, 255, 255), shadow = Rgb(128, 128, 128);
  EXPECT_EQ(extpaint::MixHalf(face, white), Rgb(223, 223, 223));
  EXPECT_EQ(extpaint::MixHalf(Rgb(200, 0, 7), Rgb(101, 3, 0)), Rgb(151, 1, 4));  // -99/2 = -49, 3/2 = 1, -7/2 = -3
  EXPECT_EQ(extpaint::MixFifths(face, white, 3), Rgb(230, 230, 230));   // 63 x 3 / 5 = 37.8 -> 38
  EXPECT_EQ(extpaint::MixFifths(face, white, 4), Rgb(242, 242, 242));   // 50.4 -> 50
  EXPECT_EQ(extpaint::MixFifths(shadow, face, 2), Rgb(154, 154, 154));  // 25.6 -> 26
  EXPECT_EQ(extpaint::MixFifths(shadow, face, 1), Rgb(141, 141, 141));  // 12.8 -> 13
}

TEST(MulDivRound, RoundsHalfAwayFromZero) {
  EXPECT_EQ(extpaint::MulDivRound(13, 120, 96), 16);
  EXPECT_EQ(extpaint::MulDivRound(13, 96, 96), 13);
  EXPECT_EQ(extpaint::MulDivRound(5, 1, 2), 3);
  EXPECT_EQ(extpaint::MulDivRound(-5, 1, 2), -3);
  EXPECT_EQ(extpaint::MulDivRound(7, 3, 0), -1);
}

TEST(GradientBands, CountLimitedByLengthAndPaletteScreens) {
  EXPECT_EQ(extpaint::GradientBands(0, 10, 0, 0, false, 256, false).size(), 10u);
  EXPECT_EQ(extpaint::GradientBands(0, 10, 0, 0, false, 256, true).size(), 2u);
  EXPECT_EQ(extpaint::GradientBands(0, 100, 0, 0, false, 5, false).size(), 5u);
  EXPECT_TRUE(extpaint::GradientBands(5, 5, 0, 0, false, 256, false).empty());
  EXPECT_TRUE(extpaint::GradientBands(0, 3, 0, 0, false, 256, true).empty());  // 3 / 4 = 0 bands
}

TEST(GradientBands, HorizontalBandsStartAtTheLeftInTheFirstColour) {
  const auto bands = extpaint::GradientBands(10, 20, Rgb(0, 0, 0), Rgb(250, 100, 50), false, 5, false);
  ASSERT_EQ(bands.size(), 5u);
  // Band k ends at left + MulDiv(k, 10, 5) + 1; band 0 is one pixel wide, the last ends at the right.
  const int ends[5] = {11, 13, 15, 17, 20};
  int start = 10;
  for (int k = 0; k < 5; ++k) {
    EXPECT_EQ(bands[k].from, start);
    EXPECT_EQ(bands[k].to, ends[k]);
    start = ends[k];
    EXPECT_EQ(bands[k].color, Rgb(250 * k / 5, 100 * k / 5, 50 * k / 5));
  }
}

TEST(GradientBands, VerticalBandsRunUpFromTheBottom) {
  const auto bands = extpaint::GradientBands(0, 8, Rgb(200, 0, 0), Rgb(0, 0, 200), true, 4, false);
  ASSERT_EQ(bands.size(), 4u);
  EXPECT_EQ(bands[0].to, 8);
  EXPECT_EQ(bands[0].from, 7);
  EXPECT_EQ(bands[0].color, Rgb(200, 0, 0));
  EXPECT_EQ(bands[3].from, 0);
  for (std::size_t k = 1; k < bands.size(); ++k) EXPECT_EQ(bands[k].to, bands[k - 1].from);
}

TEST(PatternPixel, CheckerboardAndLines) {
  const Color a = Rgb(1, 1, 1), b = Rgb(2, 2, 2), c = Rgb(3, 3, 3);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      EXPECT_EQ(extpaint::PatternPixel(x, y, a, b, 1, 1, 0, 0, c), ((x + y) % 2 == 0) ? a : b);
      EXPECT_EQ(extpaint::PatternPixel(x, y, a, b, 1, 1, 1, 1, c), (x % 2 || y % 2) ? c : a);
    }
  // One 2x2 checkerboard cell in every 4x4 block, the rest the line colour.
  EXPECT_EQ(extpaint::PatternPixel(0, 0, a, b, 1, 1, 2, 2, c), a);
  EXPECT_EQ(extpaint::PatternPixel(1, 0, a, b, 1, 1, 2, 2, c), b);
  EXPECT_EQ(extpaint::PatternPixel(2, 0, a, b, 1, 1, 2, 2, c), c);
  EXPECT_EQ(extpaint::PatternPixel(4, 5, a, b, 1, 1, 2, 2, c), b);
}

TEST(PaletteEntry, SevenRedSixGreenSixBlueLevels) {
  EXPECT_EQ(extpaint::PaletteEntry(0), Rgb(0, 0, 0));
  EXPECT_EQ(extpaint::PaletteEntry(1), Rgb(0, 0, 51));
  EXPECT_EQ(extpaint::PaletteEntry(6), Rgb(0, 51, 0));
  EXPECT_EQ(extpaint::PaletteEntry(36), Rgb(42, 0, 0));
  EXPECT_EQ(extpaint::PaletteEntry(3 * 36), Rgb(127, 0, 0));
  EXPECT_EQ(extpaint::PaletteEntry(251), Rgb(255, 255, 255));
}

}  // namespace
