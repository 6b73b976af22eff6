// The DIB block: its layout (so the platform can take it as it stands), single pixels at every
// depth, conversion to the 32-bit working form and premultiplication.
#include <gtest/gtest.h>

#include <cstdint>

#include "tests/toolkit/foundation/bmp_test_support.h"
#include "toolkit/foundation/bmp_dib.h"

namespace {

TEST(DibBlock, LayoutFollowsTheHeaderTableAndRowFormula) {
  struct Case {
    int width, height, depth, wantDepth, wantTable;
    std::size_t wantStride;
  };
  const Case cases[] = {
      {1, 1, 24, 24, 0, 4},   {3, 2, 8, 8, 256, 4},  {5, 3, 2, 8, 256, 8},  {7, 1, 12, 8, 256, 8},
      {9, 4, 1, 1, 2, 4},     {33, 2, 1, 1, 2, 8},   {3, 3, 4, 4, 16, 4},   {9, 2, 4, 4, 16, 8},
      {3, 5, 16, 16, 0, 8},   {2, 2, 32, 32, 0, 8},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << "x" << c.depth);
    DibPtr b = DibAllocate(c.width, c.height, c.depth, kDibMasksNone, kDibFlagAlphaOnMirroredDc);
    ASSERT_TRUE(b);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(b.get()) % 16, 0u);
    EXPECT_EQ(b->Depth(), c.wantDepth);
    EXPECT_EQ(b->TableSize(), c.wantTable);
    EXPECT_EQ(b->Stride(), c.wantStride);
    EXPECT_EQ(b->header.biSize, 40u);
    EXPECT_EQ(b->header.biPlanes, 1);
    EXPECT_EQ(b->header.biClrUsed, static_cast<std::uint32_t>(c.wantTable));
    EXPECT_EQ(b->header.biClrImportant, static_cast<std::uint32_t>(c.wantTable));
    EXPECT_EQ(b->flags, kDibFlagAlphaOnMirroredDc);
    // 32 + align16(40 + 4n) + h * stride, rows right after the padded table.
    const std::size_t head = (40 + 4 * static_cast<std::size_t>(c.wantTable) + 15) / 16 * 16;
    EXPECT_EQ(b->TotalSize(), 32 + head + c.height * c.wantStride);
    EXPECT_EQ(b->Rows(), reinterpret_cast<std::uint8_t*>(b.get()) + 32 + head);
  }
  EXPECT_FALSE(DibAllocate(0, 5, 24, kDibMasks24, 0));
  EXPECT_FALSE(DibAllocate(5, -1, 24, kDibMasks24, 0));
  EXPECT_FALSE(DibAllocate(0x7FFFFFFF, 0x7FFFFFFF, 32, kDibMasks32, 0));  // does not fit: refused, no wrap
}

TEST(DibBlock, DuplicateCopiesTableRowsMasksAndFlagsButTakesAFreshHeader) {
  DibPtr a = bmptest::PatternBlock(5, 3, 8);
  a->flags = 5;
  a->header.biXPelsPerMeter = 2835;
  DibPtr b = DibDuplicate(*a);
  ASSERT_TRUE(b);
  EXPECT_TRUE(bmptest::SamePixels(*a, *b));
  EXPECT_EQ(b->flags, 5u);
  EXPECT_EQ(b->header.biXPelsPerMeter, 0);
}

TEST(DibPixels, ReadAndWriteCountFromTheTopAndRefuseOutsideAndPaletteDepths) {
  DibPtr b = DibAllocate(3, 2, 24, kDibMasks24, 0);
  b->Row(1)[0] = 10;  // stored row 1 is the top row: (0, 0)
  b->Row(1)[1] = 20;
  b->Row(1)[2] = 30;
  DibColor c{};
  ASSERT_TRUE(DibReadPixel(*b, 0, 0, &c));
  EXPECT_EQ(c.blue, 10);
  EXPECT_EQ(c.green, 20);
  EXPECT_EQ(c.red, 30);
  EXPECT_EQ(c.alpha, 255);
  EXPECT_FALSE(DibReadPixel(*b, 3, 0, &c));
  EXPECT_FALSE(DibReadPixel(*b, 0, 2, &c));
  EXPECT_FALSE(DibReadPixel(*b, -1, 0, &c));
  EXPECT_FALSE(DibWritePixel(*b, 0, -1, c, true, true, true, true));
  for (int depth : {1, 4, 8}) {
    DibPtr p = DibAllocate(2, 2, depth, kDibMasksNone, 0);
    EXPECT_FALSE(DibReadPixel(*p, 0, 0, &c)) << depth;
    EXPECT_FALSE(DibWritePixel(*p, 0, 0, c, true, true, true, true)) << depth;
  }
}

TEST(DibPixels, SixteenBitsDecodeByTheirMasksAndKeepUnflaggedChannels) {
  struct Case {
    DibMasks masks;
    std::uint16_t stored;
    int red, green, blue;
  };
  // 5-6-5 only for the exact masks; anything else reads as 5-5-5.
  const Case cases[] = {
      {kDibMasks565, 0xFFFF, 255, 255, 255},
      {kDibMasks565, 0x8410, 131, 129, 131},  // 16/31, 32/63, 16/31
      {kDibMasks555, 0x7FFF, 255, 255, 255},
      {kDibMasks555, 0x4210, 131, 131, 131},
      {DibMasks{0xF800, 0x7E0, 0x3F, 0}, 0x4210, 131, 131, 131},
  };
  for (const Case& k : cases) {
    DibPtr b = DibAllocate(1, 1, 16, k.masks, 0);
    b->Rows()[0] = static_cast<std::uint8_t>(k.stored);
    b->Rows()[1] = static_cast<std::uint8_t>(k.stored >> 8);
    DibColor c{};
    ASSERT_TRUE(DibReadPixel(*b, 0, 0, &c));
    EXPECT_EQ(c.red, k.red);
    EXPECT_EQ(c.green, k.green);
    EXPECT_EQ(c.blue, k.blue);
    EXPECT_EQ(c.alpha, 255);
  }
  DibPtr b = DibAllocate(1, 1, 16, kDibMasks565, 0);
  ASSERT_TRUE(DibWritePixel(*b, 0, 0, DibColor{255, 255, 255, 0}, true, true, true, false));
  EXPECT_EQ(b->Rows()[0] | (b->Rows()[1] << 8), 0xFFFF);
  ASSERT_TRUE(DibWritePixel(*b, 0, 0, DibColor{0, 0, 64, 0}, true, false, false, false));  // red only
  EXPECT_EQ(b->Rows()[0] | (b->Rows()[1] << 8), (8 << 11) | 0x7FF);
  ASSERT_TRUE(DibWritePixel(*b, 0, 0, DibColor{0, 0, 0, 0}, false, false, false, true));  // alpha only
  EXPECT_EQ(b->Rows()[0] | (b->Rows()[1] << 8), (8 << 11) | 0x7FF);
  DibPtr f = DibAllocate(1, 1, 16, kDibMasks555, 0);
  ASSERT_TRUE(DibWritePixel(*f, 0, 0, DibColor{16, 255, 200, 0}, true, true, true, false));
  EXPECT_EQ(f->Rows()[0] | (f->Rows()[1] << 8), (25 << 10) | (31 << 5) | 2);
}

TEST(DibPixels, PremultipliedBlocksReadBackStraightColoursAndMultiplyOnAlphaWrites) {
  DibPtr b = DibAllocate(2, 1, 32, kDibMasks32, kDibFlagPremultiplied);
  DibColor* px = reinterpret_cast<DibColor*>(b->Rows());
  px[0] = DibColor{50, 100, 128, 128};
  px[1] = DibColor{7, 8, 9, 0};
  DibColor c{};
  ASSERT_TRUE(DibReadPixel(*b, 0, 0, &c));
  EXPECT_EQ(c.blue, 99);    // 50 * 255 / 128
  EXPECT_EQ(c.green, 199);  // 100 * 255 / 128
  EXPECT_EQ(c.red, 255);    // held at 255
  ASSERT_TRUE(DibReadPixel(*b, 1, 0, &c));  // alpha 0: stored bytes unchanged
  EXPECT_EQ(c.blue, 7);
  EXPECT_EQ(c.alpha, 0);
  // Writing only the alpha multiplies the stored colour bytes by it.
  ASSERT_TRUE(DibWritePixel(*b, 1, 0, DibColor{0, 0, 0, 51}, false, false, false, true));
  EXPECT_EQ(px[1].blue, 7 * 51 / 255);
  EXPECT_EQ(px[1].red, 9 * 51 / 255);
  EXPECT_EQ(px[1].alpha, 51);
  // Without the alpha flag nothing is multiplied.
  ASSERT_TRUE(DibWritePixel(*b, 1, 0, DibColor{200, 0, 0, 0}, false, false, true, false));
  EXPECT_EQ(px[1].blue, 200);
}

TEST(DibConvert, EveryDepthReachesTheWorkingFormWithOpaqueAlpha) {
  for (int depth : {1, 4, 8, 16, 24}) {
    SCOPED_TRACE(depth);
    DibPtr src = bmptest::PatternBlock(11, 3, depth);
    DibPtr out = ConvertDibTo32Bpp(*src);
    ASSERT_TRUE(out);
    EXPECT_EQ(out->Depth(), 32);
    EXPECT_EQ(out->alphaMask, 0xFF000000u);
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 11; ++x) {
        const std::uint8_t* row = src->Row(3 - y - 1);
        DibColor want{};
        if (depth <= 8) {
          unsigned index = depth == 8 ? row[x]
                           : depth == 4 ? ((x % 2) ? row[x / 2] & 15 : row[x / 2] >> 4)
                                        : (row[x / 8] >> (7 - x % 8)) & 1;
          want = src->Table()[index];
        } else {
          ASSERT_TRUE(DibReadPixel(*src, x, y, &want));
        }
        DibColor got{};
        ASSERT_TRUE(DibReadPixel(*out, x, y, &got));
        EXPECT_EQ(got.red, want.red);
        EXPECT_EQ(got.green, want.green);
        EXPECT_EQ(got.blue, want.blue);
        EXPECT_EQ(got.alpha, 255);
      }
  }
  DibPtr already = DibAllocate(1, 1, 32, kDibMasks32, 0);
  EXPECT_FALSE(ConvertDibTo32Bpp(*already));
}

TEST(DibPremultiply, MultipliesAndDividesBackThirtyTwoBitsOnly) {
  DibPtr b = DibAllocate(3, 1, 32, kDibMasks32, 0);
  DibColor* px = reinterpret_cast<DibColor*>(b->Rows());
  px[0] = DibColor{200, 100, 255, 128};
  px[1] = DibColor{9, 9, 9, 0};
  px[2] = DibColor{1, 2, 3, 255};
  ASSERT_TRUE(DibPremultiply(*b, true));
  EXPECT_EQ(px[0].blue, 100);  // 200 * 128 / 255
  EXPECT_EQ(px[0].red, 128);
  EXPECT_EQ(px[1].blue, 0);
  EXPECT_EQ(px[2].red, 3);
  EXPECT_EQ(b->flags, 0u);  // the flag is the caller's
  px[1] = DibColor{9, 9, 9, 0};
  ASSERT_TRUE(DibPremultiply(*b, false));
  EXPECT_EQ(px[0].blue, 199);  // 100 * 255 / 128
  EXPECT_EQ(px[0].red, 255);
  EXPECT_EQ(px[1].blue, 9);  // alpha 0 stays as it is
  DibPtr p = DibAllocate(1, 1, 24, kDibMasks24, 0);
  EXPECT_FALSE(DibPremultiply(*p, true));
}

}  // namespace
