// Resampling: the kernels against their formulas worked out by hand, the contribution tables,
// and whole images (constant images stay constant, transparent borders give no dark fringe,
// sizes up and down, one-pixel images, other depths).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>

#include "toolkit/foundation/bmp_resample.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

TEST(DibFilter, KernelValuesFollowTheirFormulas) {
  struct Case {
    int kind;
    double x;
    double want;
  };
  const double sincHalf = 2.0 / kPi;  // sinc(0.5)
  const Case cases[] = {
      {DibFilter::Box, 0.0, 1.0},         {DibFilter::Box, 0.5, 1.0},           {DibFilter::Box, -0.5, 1.0},
      {DibFilter::Box, 0.51, 0.0},        {DibFilter::Linear, -0.5, 0.5},       {DibFilter::Linear, 0.25, 0.75},
      {DibFilter::Linear, 1.0, 0.0},      {DibFilter::Bilinear, 0.25, 0.75},    {DibFilter::Bilinear, -1.0, 0.0},
      {DibFilter::Hermite, 0.5, 0.5},     {DibFilter::Hermite, -0.5, 0.5},      {DibFilter::Hermite, 0.0, 1.0},
      {DibFilter::Hermite, 1.0, 0.0},     {DibFilter::Sinc, 0.0, 1.0},          {DibFilter::Sinc, 0.5, sincHalf},
      {DibFilter::Sinc, 2.5, sincHalf / 5.0},
      {DibFilter::CatmullRom, 0.0, 1.0},  {DibFilter::CatmullRom, 0.5, 0.5625}, {DibFilter::CatmullRom, -0.5, 0.5625},
      {DibFilter::CatmullRom, 1.5, -0.0625}, {DibFilter::CatmullRom, -1.5, -0.0625}, {DibFilter::CatmullRom, 2.0, 0.0},
      {DibFilter::BSpline, 0.0, 4.0 / 6.0},  {DibFilter::BSpline, 1.0, 1.0 / 6.0}, {DibFilter::BSpline, -1.5, 0.125 / 6.0},
      {DibFilter::BSpline, 2.0, 0.0},     {DibFilter::Blackman, 0.0, 1.0},      {DibFilter::Blackman, 0.25, 0.34},
      {DibFilter::Blackman, 0.5, 0.0},    {DibFilter::Blackman, 0.6, 0.0},
      {DibFilter::Lanczos, 0.5, sincHalf * std::sin(kPi / 6.0) / (kPi / 6.0)},
      {DibFilter::Lanczos, 0.0, 1.0},     {DibFilter::Lanczos, 3.0, 0.0},       {DibFilter::Quadratic, 0.0, 0.75},
      {DibFilter::Quadratic, 0.5, 0.5},   {DibFilter::Quadratic, -1.0, 0.125},  {DibFilter::Quadratic, 1.5, 0.0},
      {DibFilter::Gaussian, 0.0, 1.0 / std::sqrt(2.0 * kPi)},
      {DibFilter::Gaussian, 1.0, std::exp(-0.5) / std::sqrt(2.0 * kPi)},
      {DibFilter::Gaussian, 3.0, std::exp(-4.5) / std::sqrt(2.0 * kPi)},
      {DibFilter::Gaussian, 3.01, 0.0},   {DibFilter::Hamming, 0.0, 1.0},       {DibFilter::Hamming, 0.5, 0.08 * sincHalf},
      {DibFilter::Hamming, 0.6, 0.0},     {DibFilter::Bicubic, 0.0, (6.0 - 2.0 / 3.0) / 6.0},
      {DibFilter::Bicubic, 1.0, 1.0 / 18.0}, {DibFilter::Bicubic, 2.0, 0.0},
      {13, 0.0, 0.0},
  };
  for (const Case& c : cases) {
    DibFilter f(c.kind);
    EXPECT_NEAR(f.Evaluate(c.x), c.want, 1e-9) << "kind " << c.kind << " at " << c.x;
  }
}

TEST(DibFilter, BicubicWithBZeroAndCHalfIsCatmullRom) {
  const double bc[] = {0.0, 0.5};
  DibFilter bicubic(DibFilter::Bicubic, bc, 2);
  DibFilter catmull(DibFilter::CatmullRom);
  for (double x = -2.25; x <= 2.25; x += 0.125) EXPECT_NEAR(bicubic.Evaluate(x), catmull.Evaluate(x), 1e-12) << x;
}

TEST(DibFilter, NamesWidthsAndParameters) {
  const char* names[] = {"Box",      "Linear",  "Bilinear",  "Hermite",  "Sinc",     "Catmull-Rom", "B-Spline",
                         "Blackman", "Lanczos", "Quadratic", "Gaussian", "Hamming",  "Bicubic"};
  const double widths[] = {0.5, 1, 1, 1, 1, 2, 2, 0.5, 3, 1, 3, 0.5, 2};
  const bool adjustable[] = {true, false, true, false, false, false, false, true, true, false, true, true, false};
  for (int k = 0; k < DibFilter::KindCount; ++k) {
    DibFilter f(k);
    EXPECT_EQ(f.GetName(), std::wstring(names[k], names[k] + std::string(names[k]).size())) << k;
    EXPECT_EQ(f.GetWidth(), widths[k]) << k;
    EXPECT_EQ(f.IsWidthAdjustable(), adjustable[k]) << k;
    EXPECT_EQ(f.GetParamCount(), 10);
  }
  DibFilter unknown(13);
  EXPECT_EQ(std::wstring(unknown.GetName()), L"");
  EXPECT_TRUE(unknown.IsWidthAdjustable());
  EXPECT_EQ(unknown.Evaluate(0.0), 0.0);

  DibFilter f(DibFilter::Lanczos);
  f.SetWidth(2.0);
  f.SetKind(DibFilter::Box);  // the kind alone changes
  EXPECT_EQ(f.GetWidth(), 2.0);
  EXPECT_EQ(f.Evaluate(1.5), 1.0);
  f.ResetWidth();
  EXPECT_EQ(f.GetWidth(), 0.5);
  EXPECT_EQ(f.SetParam(10, 1.0), 10);
  EXPECT_EQ(f.GetParam(10), 0.0);
  EXPECT_EQ(f.SetParam(-1, 1.0), -1);
  EXPECT_EQ(f.SetParam(3, 1.5), 3);
  EXPECT_EQ(f.GetParam(3), 1.5);

  const double one[] = {0.5};
  DibFilter b(DibFilter::Bicubic, one, 1);  // fewer than two: B = C = 1/3
  EXPECT_DOUBLE_EQ(b.GetParam(0), 1.0 / 3.0);
  EXPECT_DOUBLE_EQ(b.GetParam(1), 1.0 / 3.0);
  const double many[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
  DibFilter g(DibFilter::Gaussian, many, 12);  // ten at most
  EXPECT_EQ(g.GetParam(9), 10.0);
  b.SetParam(0, 0.0);  // coefficients stay as built
  EXPECT_NEAR(b.Evaluate(0.0), (6.0 - 2.0 / 3.0) / 6.0, 1e-12);
}

TEST(ResampleWeights, BoxHalvingAndNormalisedTrim) {
  DibResampleWeights t;
  ASSERT_TRUE(BuildResampleWeights(DibFilter(DibFilter::Box), 4, 2, &t));
  EXPECT_EQ(t.windowSize, 3);
  ASSERT_EQ(t.entries.size(), 2u);
  // Centre 0.5: range 0..2, weights 0.5, 0.5, 0 summing to exactly 1: left as they are.
  EXPECT_EQ(t.entries[0].left, 0);
  EXPECT_EQ(t.entries[0].right, 2);
  EXPECT_EQ(t.entries[0].weights[0], 0.5);
  EXPECT_EQ(t.entries[0].weights[1], 0.5);
  EXPECT_EQ(t.entries[0].weights[2], 0.0);
  EXPECT_EQ(t.entries[1].left, 1);
  EXPECT_EQ(t.entries[1].right, 3);

  // Bilinear 2 -> 3: destination 0 has centre -1/6, weights 5/6 and 0: normalised to 1 and the
  // trailing zero dropped.
  ASSERT_TRUE(BuildResampleWeights(DibFilter(DibFilter::Bilinear), 2, 3, &t));
  EXPECT_EQ(t.windowSize, 3);
  EXPECT_EQ(t.entries[0].left, 0);
  EXPECT_EQ(t.entries[0].right, 0);
  EXPECT_DOUBLE_EQ(t.entries[0].weights[0], 1.0);
  // The middle one sits on source 0.5: half and half.
  EXPECT_EQ(t.entries[1].left, 0);
  EXPECT_EQ(t.entries[1].right, 1);
  EXPECT_DOUBLE_EQ(t.entries[1].weights[0], 0.5);
  EXPECT_DOUBLE_EQ(t.entries[1].weights[1], 0.5);

  EXPECT_FALSE(BuildResampleWeights(DibFilter(), 0, 3, &t));
  EXPECT_FALSE(BuildResampleWeights(DibFilter(), 3, 0, &t));
}

// A 32-bit block from a colour function of (x, y) counted from the top.
template <typename F>
DibPtr Block32(int w, int h, F colour) {
  DibPtr b = DibAllocate(w, h, 32, kDibMasks32, 0);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) DibWritePixel(*b, x, y, colour(x, y), true, true, true, true);
  return b;
}

DibColor At(const DibBlock& b, int x, int y) {
  DibColor c{};
  EXPECT_TRUE(DibReadPixel(b, x, y, &c));
  return c;
}

TEST(ResampleDib, ConstantImagesStayConstantForEveryKernelAndSize) {
  const DibColor grey{90, 160, 30, 200};
  DibPtr src = Block32(7, 5, [&](int, int) { return grey; });
  const int sizes[][2] = {{3, 2}, {14, 11}, {1, 1}, {7, 9}, {20, 3}};
  for (int k = 0; k < DibFilter::KindCount; ++k)
    for (const auto& s : sizes) {
      DibPtr out = ResampleDib(*src, s[0], s[1], DibFilter(k), true);
      ASSERT_TRUE(out) << k;
      ASSERT_EQ(out->Width(), s[0]);
      ASSERT_EQ(out->Height(), s[1]);
      for (int y = 0; y < s[1]; ++y)
        for (int x = 0; x < s[0]; ++x) {
          const DibColor c = At(*out, x, y);
          ASSERT_TRUE(c.red == 30 && c.green == 160 && c.blue == 90 && c.alpha == 200)
              << "kind " << k << " to " << s[0] << "x" << s[1] << " at " << x << "," << y << ": " << int(c.red)
              << " " << int(c.green) << " " << int(c.blue) << " " << int(c.alpha);
        }
    }
}

TEST(ResampleDib, TransparentBorderLendsNoDarkFringe) {
  // Opaque orange inside a transparent black border.
  DibPtr src = Block32(8, 8, [](int x, int y) {
    const bool inside = x >= 2 && x < 6 && y >= 2 && y < 6;
    return inside ? DibColor{0, 128, 255, 255} : DibColor{0, 0, 0, 0};
  });
  const int kinds[] = {DibFilter::Box, DibFilter::Bilinear, DibFilter::BSpline, DibFilter::Gaussian,
                       DibFilter::CatmullRom, DibFilter::Lanczos};
  const int sizes[] = {3, 5, 13, 24};
  for (int k : kinds)
    for (int n : sizes) {
      DibPtr out = ResampleDib(*src, n, n, DibFilter(k), true);
      ASSERT_TRUE(out);
      bool partial = false;
      for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x) {
          const DibColor c = At(*out, x, y);
          if (c.alpha == 0) continue;
          partial = partial || c.alpha < 255;
          // Every visible pixel keeps the orange, however thin its alpha.
          EXPECT_GE(c.red, 250) << k << " " << n << " at " << x << "," << y << " alpha " << int(c.alpha);
          EXPECT_NEAR(c.green, 128, 3) << k << " " << n << " at " << x << "," << y << " alpha " << int(c.alpha);
          EXPECT_LE(c.blue, 3);
        }
      if (k != DibFilter::Box) {
        EXPECT_TRUE(partial) << k << " " << n;  // the edge really was blended
      }
    }
}

TEST(ResampleDib, OpaqueImagesGetPlainWeightedSums) {
  // A 32-bit opaque image scales exactly as the same picture in 24 bits.
  auto colour = [](int x, int y) {
    return DibColor{static_cast<std::uint8_t>(x * 37 % 256), static_cast<std::uint8_t>(y * 53 % 256),
                    static_cast<std::uint8_t>((x * y * 11) % 256), 255};
  };
  DibPtr s32 = Block32(9, 7, colour);
  DibPtr s24 = DibAllocate(9, 7, 24, kDibMasks24, 0);
  for (int y = 0; y < 7; ++y)
    for (int x = 0; x < 9; ++x) DibWritePixel(*s24, x, y, colour(x, y), true, true, true, true);
  for (int k : {DibFilter::Box, DibFilter::Bilinear, DibFilter::CatmullRom, DibFilter::Lanczos})
    for (auto size : {std::pair{4, 3}, std::pair{15, 12}}) {
      DibPtr a = ResampleDib(*s32, size.first, size.second, DibFilter(k), true);
      DibPtr b = ResampleDib(*s24, size.first, size.second, DibFilter(k), true);
      ASSERT_TRUE(a && b);
      for (int y = 0; y < size.second; ++y)
        for (int x = 0; x < size.first; ++x) {
          const DibColor ca = At(*a, x, y), cb = At(*b, x, y);
          ASSERT_TRUE(ca.red == cb.red && ca.green == cb.green && ca.blue == cb.blue && ca.alpha == 255)
              << k << " at " << x << "," << y;
        }
    }
}

TEST(ResampleDib, BoxAveragesAndRoundsAndOtherKernelsHoldBytes) {
  // Halving a row 0, 100, 200, 40 with the box: (0 + 100) / 2 and (200 + 40) / 2.
  DibPtr row = DibAllocate(4, 1, 24, kDibMasks24, 0);
  const std::uint8_t values[] = {0, 100, 200, 40};
  for (int x = 0; x < 4; ++x) DibWritePixel(*row, x, 0, DibColor{values[x], values[x], values[x], 0}, true, true, true, true);
  DibPtr half = ResampleDib(*row, 2, 1, DibFilter(), true);
  EXPECT_EQ(At(*half, 0, 0).red, 50);
  EXPECT_EQ(At(*half, 1, 0).red, 120);
  // 1, 2 averaged rounds half up: 1.5 -> 2.
  const std::uint8_t odd[] = {1, 2, 7, 7};
  for (int x = 0; x < 4; ++x) DibWritePixel(*row, x, 0, DibColor{odd[x], odd[x], odd[x], 0}, true, true, true, true);
  EXPECT_EQ(At(*ResampleDib(*row, 2, 1, DibFilter(), true), 0, 0).red, 2);

  // A hard edge upscaled with Lanczos overshoots: held at 0 and 255, never wrapped.
  DibPtr edge = DibAllocate(6, 1, 24, kDibMasks24, 0);
  for (int x = 0; x < 6; ++x) {
    const std::uint8_t v = x < 3 ? 0 : 255;
    DibWritePixel(*edge, x, 0, DibColor{v, v, v, 0}, true, true, true, true);
  }
  DibPtr up = ResampleDib(*edge, 24, 1, DibFilter(DibFilter::Lanczos), true);
  for (int x = 0; x < 24; ++x) {
    const int v = At(*up, x, 0).red;
    if (x < 10) {
      EXPECT_LE(v, 20) << x;
    }
    if (x >= 14) {
      EXPECT_GE(v, 235) << x;
    }
  }
}

TEST(ResampleDib, OnePixelImagesSizesAndDepths) {
  DibPtr one = Block32(1, 1, [](int, int) { return DibColor{10, 20, 30, 40}; });
  DibPtr big = ResampleDib(*one, 5, 3, DibFilter(DibFilter::CatmullRom), true);
  ASSERT_TRUE(big);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) {
      const DibColor c = At(*big, x, y);
      EXPECT_TRUE(c.blue == 10 && c.green == 20 && c.red == 30 && c.alpha == 40) << x << "," << y;
    }
  // Down to one pixel: the average of a 2 x 2 box picture.
  DibPtr four = Block32(2, 2, [](int x, int y) {
    const std::uint8_t v = static_cast<std::uint8_t>(40 * (x + 2 * y));
    return DibColor{v, v, v, 255};
  });
  DibPtr single = ResampleDib(*four, 1, 1, DibFilter(), true);
  ASSERT_TRUE(single);
  EXPECT_EQ(At(*single, 0, 0).red, 60);  // (0 + 40 + 80 + 120) / 4

  // Depth, masks and flags travel; the rows of an unchanged direction are copied as they are.
  four->flags = 0x6;
  DibPtr wide = ResampleDib(*four, 2, 5, DibFilter(), true);
  EXPECT_EQ(wide->Depth(), 32);
  EXPECT_EQ(wide->flags, 0x6u);
  EXPECT_EQ(wide->alphaMask, kDibMasks32.alpha);

  // 16 bits: each 5-6-5 field resampled on its own; a constant picture stays the same word.
  DibPtr s16 = DibAllocate(3, 3, 16, kDibMasks565, 0);
  for (int row = 0; row < 3; ++row)
    for (int x = 0; x < 3; ++x) {
      s16->Row(row)[2 * x] = 0x34;
      s16->Row(row)[2 * x + 1] = 0xB2;
    }
  DibPtr s16b = ResampleDib(*s16, 7, 2, DibFilter(DibFilter::Bilinear), true);
  ASSERT_TRUE(s16b);
  for (int row = 0; row < 2; ++row)
    for (int x = 0; x < 7; ++x) EXPECT_EQ(s16b->Row(row)[2 * x] | (s16b->Row(row)[2 * x + 1] << 8), 0xB234);

  DibPtr palette = DibAllocate(3, 3, 8, kDibMasksNone, 0);
  EXPECT_FALSE(ResampleDib(*palette, 6, 6, DibFilter(), true));
  EXPECT_FALSE(ResampleDib(*four, 0, 3, DibFilter(), true));
}

TEST(ResampleDib, AnySizeAndWidthStaysInsideTheBlocks) {
  // Under the sanitizers: every kernel over many size pairs, and widths a caller may set badly.
  unsigned seed = 12345;
  auto next = [&](int n) {
    seed = seed * 1103515245u + 12345u;
    return 1 + static_cast<int>((seed >> 16) % static_cast<unsigned>(n));
  };
  for (int round = 0; round < 60; ++round) {
    const int w = next(23), h = next(17), nw = next(41), nh = next(29);
    DibPtr src = Block32(w, h, [](int x, int y) {
      return DibColor{static_cast<std::uint8_t>(x * 9), static_cast<std::uint8_t>(y * 13), 77,
                      static_cast<std::uint8_t>((x + y) * 20)};
    });
    const int depth = round % 3 == 0 ? 24 : round % 3 == 1 ? 16 : 32;
    if (depth != 32) src = DibAllocate(w, h, depth, depth == 24 ? kDibMasks24 : kDibMasks555, 0);
    DibPtr out = ResampleDib(*src, nw, nh, DibFilter(round % DibFilter::KindCount), true);
    ASSERT_TRUE(out);
    EXPECT_EQ(out->Width(), nw);
    EXPECT_EQ(out->Height(), nh);
    EXPECT_EQ(out->Depth(), depth);
  }
  DibPtr src = Block32(5, 4, [](int, int) { return DibColor{1, 2, 3, 4}; });
  for (double width : {0.0, -3.0, 1e12, std::nan("")}) {
    DibFilter f(DibFilter::Lanczos);
    f.SetWidth(width);
    EXPECT_TRUE(ResampleDib(*src, 11, 2, f, true)) << width;
  }
}

}  // namespace
