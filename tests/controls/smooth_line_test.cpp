// The anti-aliased two-pixel line, pixel by pixel.
#include <gtest/gtest.h>

#include "canvas.h"
#include "controls/smooth_line.h"

namespace {

using ctltest::Canvas;
using ctltest::ColorText;

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlue = RGB(0, 0, 238);

#define EXPECT_PIXEL(canvas, x, y, color) \
  EXPECT_EQ(ColorText((canvas).At(x, y)), ColorText(color)) << "pixel (" << (x) << ", " << (y) << ")"

TEST(SmoothLine, HorizontalLineFillsOneRowAndLeavesTheNext) {
  Canvas c(20, 10, kWhite);
  CTGraphics g;
  g.DrawSmoothLine(c.dc(), 2, 4, 12, 4, kBlue);
  for (int x = 2; x <= 12; ++x) {
    EXPECT_PIXEL(c, x, 4, kBlue);
    EXPECT_PIXEL(c, x, 5, kWhite);
    EXPECT_PIXEL(c, x, 3, kWhite);
  }
  EXPECT_PIXEL(c, 1, 4, kWhite);
  EXPECT_PIXEL(c, 13, 4, kWhite);
}

TEST(SmoothLine, VerticalLineFillsOneColumnAndLeavesTheNext) {
  Canvas c(10, 20, kWhite);
  CTGraphics g;
  g.DrawSmoothLine(c.dc(), 4, 15, 4, 3, kBlue);  // drawn upward: the top end is not set
  for (int y = 4; y <= 15; ++y) {
    EXPECT_PIXEL(c, 4, y, kBlue);
    EXPECT_PIXEL(c, 5, y, kWhite);
  }
  EXPECT_PIXEL(c, 4, 3, kWhite);
  EXPECT_PIXEL(c, 4, 16, kWhite);
}

TEST(SmoothLine, ZeroLengthSetsOnePixel) {
  Canvas c(6, 6, kWhite);
  CTGraphics g;
  g.DrawSmoothLine(c.dc(), 3, 3, 3, 3, kBlue);
  int coloured = 0;
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 6; ++x) coloured += c.At(x, y) != kWhite;
  EXPECT_EQ(coloured, 1);
  EXPECT_PIXEL(c, 3, 3, kBlue);
}

// x-major with gradient 1/4: at x = 1 + k the position is 0.25 (k + 1), so the pair of rows
// (n, n + 1) shares the colour by (1 - f, f).
TEST(SmoothLine, GentleSlopeBlendsTwoRows) {
  Canvas c(12, 6, kWhite);
  CTGraphics g;
  const COLORREF red = RGB(200, 0, 0);
  g.DrawSmoothLine(c.dc(), 0, 0, 8, 2, red);
  EXPECT_PIXEL(c, 0, 0, red);
  EXPECT_PIXEL(c, 8, 2, red);
  // x = 1: p = 0.25, n = 0, f = 0.25, w = 0.75.
  // (1, 0): f * old + w * colour = (63 + 150, 63 + 0, 63 + 0)
  EXPECT_PIXEL(c, 1, 0, RGB(213, 63, 63));
  // (1, 1): w * old + f * colour = (191 + 50, 191, 191)
  EXPECT_PIXEL(c, 1, 1, RGB(241, 191, 191));
  // x = 2: p = 0.5: both pixels half and half = (127 + 100, 127, 127).
  EXPECT_PIXEL(c, 2, 0, RGB(227, 127, 127));
  EXPECT_PIXEL(c, 2, 1, RGB(227, 127, 127));
  // x = 4: p = 1.0: row 1 takes the colour, row 2 keeps the background.
  EXPECT_PIXEL(c, 4, 1, red);
  EXPECT_PIXEL(c, 4, 2, kWhite);
  // Nothing beyond the two rows of a step.
  EXPECT_PIXEL(c, 1, 2, kWhite);
  EXPECT_PIXEL(c, 9, 2, kWhite);
}

TEST(SmoothLine, SteepSlopeBlendsTwoColumns) {
  Canvas c(6, 12, kWhite);
  CTGraphics g;
  const COLORREF black = RGB(0, 0, 0);
  // Given bottom to top: the steps run from the top end down.
  g.DrawSmoothLine(c.dc(), 2, 8, 0, 0, black);
  EXPECT_PIXEL(c, 2, 8, black);  // start pixel and far (bottom) end
  // y = 1: p = 0.25, n = 0: (0, 1) keeps a quarter of the white, (1, 1) three quarters.
  EXPECT_PIXEL(c, 0, 1, RGB(63, 63, 63));
  EXPECT_PIXEL(c, 1, 1, RGB(191, 191, 191));
  EXPECT_PIXEL(c, 1, 4, black);  // p = 1.0
  EXPECT_PIXEL(c, 2, 4, kWhite);
  // The top end is not set by this line (the next segment of a curve starts there).
  EXPECT_PIXEL(c, 0, 0, kWhite);
}

TEST(SmoothLine, BlendsWithWhatIsUnderneath) {
  Canvas c(12, 6, RGB(0, 200, 0));
  CTGraphics g;
  g.DrawSmoothLine(c.dc(), 0, 0, 8, 4, RGB(0, 0, 200));  // gradient 0.5
  // x = 1: p = 0.5: half green, half blue, each product truncated.
  EXPECT_PIXEL(c, 1, 0, RGB(0, 100, 100));
  EXPECT_PIXEL(c, 1, 1, RGB(0, 100, 100));
}

TEST(SmoothLine, CapturedForReview) {
  Canvas c(120, 90, kWhite);
  CTGraphics g;
  const int ends[][4] = {{5, 80, 115, 10}, {5, 80, 60, 5}, {5, 80, 115, 70}, {60, 85, 62, 5}, {5, 45, 115, 45}};
  for (const auto& e : ends) g.DrawSmoothLine(c.dc(), e[0], e[1], e[2], e[3], RGB(195, 44, 44));
  EXPECT_FALSE(c.Save(L"controls_smooth_lines").empty());
}

}  // namespace
