// The BMP stream: round trips at every depth, the run-length forms, the header variants the
// reader takes, and a table of hostile headers it must refuse without touching foreign memory.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "tests/toolkit/foundation/bmp_test_support.h"
#include "toolkit/foundation/bmp_stream.h"

namespace {

using bmptest::Bytes;

struct DepthCase {
  const char* name;
  int depth;
  DibMasks masks;
  bool rle8;
};

TEST(BmpStream, EveryDepthSurvivesWriteReadWriteRead) {
  const DepthCase cases[] = {
      {"1", 1, kDibMasksNone, false},  {"4", 4, kDibMasksNone, false},   {"8", 8, kDibMasksNone, false},
      {"8 rle", 8, kDibMasksNone, true}, {"16 565", 16, kDibMasks565, false}, {"16 555", 16, kDibMasks555, false},
      {"24", 24, kDibMasks24, false},  {"32", 32, kDibMasks32, false},
  };
  for (const DepthCase& c : cases) {
    for (int width : {1, 7, 33}) {
      SCOPED_TRACE(testing::Message() << c.name << " width " << width);
      DibPtr original = bmptest::PatternBlock(width, 5, c.depth, c.masks);
      const std::vector<std::uint8_t> first = bmptest::Write(*original, c.rle8);
      BmpReadResult once = bmptest::Read(first);
      ASSERT_EQ(once.error, BmpError::None) << BmpErrorText(once.error);
      EXPECT_TRUE(bmptest::SamePixels(*original, *once.block));
      EXPECT_EQ(once.block->Masks().red, original->Masks().red);
      EXPECT_EQ(once.block->Masks().green, original->Masks().green);
      EXPECT_EQ(once.block->Masks().alpha, original->Masks().alpha);
      const std::vector<std::uint8_t> second = bmptest::Write(*once.block, c.rle8);
      EXPECT_EQ(first, second);
      // The file header tells the truth about the stream.
      const std::uint32_t size = first[2] | (first[3] << 8) | (first[4] << 16) | (first[5] << 24);
      EXPECT_EQ(size, first.size());
    }
  }
}

TEST(BmpStream, ThirtyTwoBitAlphaAndResolutionsAreKept) {
  DibPtr b = DibAllocate(2, 1, 32, kDibMasks32, 0);
  reinterpret_cast<DibColor*>(b->Rows())[0] = DibColor{1, 2, 3, 0};
  reinterpret_cast<DibColor*>(b->Rows())[1] = DibColor{4, 5, 6, 77};
  b->header.biXPelsPerMeter = 3780;
  b->header.biYPelsPerMeter = 2835;
  BmpReadResult r = bmptest::Read(bmptest::Write(*b, false));
  ASSERT_TRUE(r.block);
  EXPECT_EQ(r.block->header.biXPelsPerMeter, 3780);
  EXPECT_EQ(r.block->header.biYPelsPerMeter, 2835);
  DibColor c{};
  ASSERT_TRUE(DibReadPixel(*r.block, 0, 0, &c));
  EXPECT_EQ(c.alpha, 0);
  ASSERT_TRUE(DibReadPixel(*r.block, 1, 0, &c));
  EXPECT_EQ(c.alpha, 77);
  EXPECT_EQ(c.red, 6);
}

TEST(BmpStream, Rle8RowsAreEncodedInRunsAndLiterals) {
  struct Case {
    std::vector<std::uint8_t> row;
    std::vector<std::uint8_t> want;
  };
  std::vector<std::uint8_t> long300(300, 9);
  std::vector<std::uint8_t> mixed = {5, 5, 5, 5, 5, 1, 2, 2};
  const Case cases[] = {
      {{7}, {1, 7, 0, 0}},
      {{1, 2, 3}, {0, 3, 1, 2, 3, 0, 0, 0}},
      {{1, 2}, {1, 1, 1, 2, 0, 0}},
      {long300, {255, 9, 45, 9, 0, 0}},
      {{4, 4, 4}, {0, 3, 4, 4, 4, 0, 0, 0}},  // a run of 3 stays literal
      {mixed, {5, 5, 0, 3, 1, 2, 2, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    std::vector<std::uint8_t> out;
    BmpEncodeRle8Row(c.row.data(), static_cast<int>(c.row.size()), out);
    EXPECT_EQ(out, c.want) << "row of " << c.row.size();
  }
  // 254 literals at most per absolute run.
  std::vector<std::uint8_t> distinct(300);
  for (std::size_t i = 0; i < distinct.size(); ++i) distinct[i] = static_cast<std::uint8_t>(i % 2 ? i : 255 - i);
  std::vector<std::uint8_t> out;
  BmpEncodeRle8Row(distinct.data(), 300, out);
  ASSERT_GE(out.size(), 2u + 254);
  EXPECT_EQ(out[0], 0);
  EXPECT_EQ(out[1], 254);
  // And it reads back.
  DibPtr b = bmptest::Block8(300, {distinct, long300});
  BmpReadResult r = bmptest::Read(bmptest::Write(*b, true));
  ASSERT_EQ(r.error, BmpError::None);
  EXPECT_TRUE(bmptest::SamePixels(*b, *r.block));
}

TEST(BmpStream, Rle4AndRle8ItemsDecodeIncludingDeltas) {
  // 6x3 RLE4: row 0 a run "1 2 1 2 1", row 1 an absolute run of 3 (2 bytes, padded), then a delta
  // to row 2 x 2 and a run of 4.
  Bytes s;
  s.fileHeader().info(6, 3, 4, kDibCompressionRle4, 16);
  for (int i = 0; i < 16; ++i) s.u32(static_cast<std::uint32_t>(i * 0x010101));
  s.raw({5, 0x12, 0, 0, 0, 3, 0xAB, 0xC0, 0, 0, 0, 2, 2, 0, 4, 0x77, 0, 1});
  BmpReadResult r = bmptest::Read(s.v);
  ASSERT_EQ(r.error, BmpError::None) << BmpErrorText(r.error);
  EXPECT_EQ(r.block->Depth(), 4);
  EXPECT_EQ(r.block->Row(0)[0], 0x12);
  EXPECT_EQ(r.block->Row(0)[1], 0x12);
  EXPECT_EQ(r.block->Row(0)[2], 0x10);
  EXPECT_EQ(r.block->Row(1)[0], 0xAB);
  EXPECT_EQ(r.block->Row(1)[1], 0xC0);
  EXPECT_EQ(r.block->Row(2)[0], 0x00);
  EXPECT_EQ(r.block->Row(2)[1], 0x77);
  EXPECT_EQ(r.block->Row(2)[2], 0x77);
  // Written back (as plain 4-bit rows) and read again: the same pixels.
  BmpReadResult again = bmptest::Read(bmptest::Write(*r.block, true));
  ASSERT_TRUE(again.block);
  EXPECT_TRUE(bmptest::SamePixels(*r.block, *again.block));

  Bytes e;
  e.fileHeader().info(4, 2, 8, kDibCompressionRle8).zeros(1024);
  e.raw({0, 2, 1, 1, 3, 9, 0, 1});  // delta (1, 1), then 3 pixels at x 1 of row 1
  BmpReadResult d = bmptest::Read(e.v);
  ASSERT_EQ(d.error, BmpError::None);
  EXPECT_EQ(d.block->Row(1)[0], 0);
  EXPECT_EQ(d.block->Row(1)[3], 9);
  EXPECT_EQ(d.block->Row(0)[3], 0);

  // Runs over the row's fill bytes (as ImageMagick writes them) are read; the fill stays zero.
  Bytes f;
  f.fileHeader().info(3, 1, 8, kDibCompressionRle8).zeros(1024).raw({0, 4, 7, 8, 9, 6, 0, 0, 0, 1});
  BmpReadResult fill = bmptest::Read(f.v);
  ASSERT_EQ(fill.error, BmpError::None);
  EXPECT_EQ(fill.block->Row(0)[2], 9);
  EXPECT_EQ(fill.block->Row(0)[3], 0);
  Bytes f4;
  f4.fileHeader().info(3, 1, 4, kDibCompressionRle4).zeros(64).raw({8, 0x5A, 0, 0, 0, 1});
  BmpReadResult fill4 = bmptest::Read(f4.v);
  ASSERT_EQ(fill4.error, BmpError::None);
  EXPECT_EQ(fill4.block->Row(0)[0], 0x5A);
  EXPECT_EQ(fill4.block->Row(0)[1], 0x50);
  EXPECT_EQ(fill4.block->Row(0)[2], 0);
}

TEST(BmpStream, HeaderVariantsTheReaderTakes) {
  // Colours used 16 in an 8-bit file: 16 entries read, the rest of the 256 stay black.
  Bytes p;
  p.fileHeader().info(2, 1, 8, 0, 16);
  for (int i = 0; i < 16; ++i) p.u32(0x00101010u * static_cast<std::uint32_t>(i));
  p.raw({15, 3, 0, 0});
  BmpReadResult r = bmptest::Read(p.v);
  ASSERT_EQ(r.error, BmpError::None);
  EXPECT_EQ(r.block->TableSize(), 256);
  EXPECT_EQ(r.block->Table()[15].red, 0xF0);
  EXPECT_EQ(r.block->Table()[16].red, 0);
  EXPECT_EQ(r.block->Row(0)[0], 15);

  // Top-down 24 bits: upright and the same size.
  Bytes t;
  t.fileHeader().info(1, -2, 24).raw({1, 2, 3, 0, 4, 5, 6, 0});
  BmpReadResult td = bmptest::Read(t.v);
  ASSERT_EQ(td.error, BmpError::None);
  EXPECT_EQ(td.block->Height(), 2);
  DibColor c{};
  ASSERT_TRUE(DibReadPixel(*td.block, 0, 0, &c));
  EXPECT_EQ(c.blue, 1);
  ASSERT_TRUE(DibReadPixel(*td.block, 0, 1, &c));
  EXPECT_EQ(c.blue, 4);

  // A packed DIB without file header; 16-bit bit fields keep their 5-6-5 masks.
  Bytes b16;
  b16.info(1, 1, 16, kDibCompressionBitfields).u32(0xF800).u32(0x7E0).u32(0x1F).raw({0xFF, 0xFF, 0, 0});
  BmpReadResult m = bmptest::Read(b16.v, true);
  ASSERT_EQ(m.error, BmpError::None);
  EXPECT_EQ(m.block->greenMask, 0x7E0u);

  // A version 5 header (124 bytes) with its masks inside: the pixels follow the whole header.
  Bytes v5;
  v5.fileHeader().info(1, 1, 32, kDibCompressionBitfields, 0, 124);
  v5.u32(0xFF0000).u32(0xFF00).u32(0xFF).u32(0xFF000000).zeros(124 - 56);
  v5.raw({10, 20, 30, 40});
  BmpReadResult five = bmptest::Read(v5.v);
  ASSERT_EQ(five.error, BmpError::None) << BmpErrorText(five.error);
  EXPECT_EQ(five.block->alphaMask, 0xFF000000u);
  ASSERT_TRUE(DibReadPixel(*five.block, 0, 0, &c));
  EXPECT_EQ(c.blue, 10);
  EXPECT_EQ(c.alpha, 40);
}

TEST(BmpStream, HostileHeadersAreRefusedWithTheirReason) {
  struct Case {
    const char* name;
    std::vector<std::uint8_t> bytes;
    BmpError want;
    std::uint64_t maxPixels = kBmpMaxPixels;
  };
  auto pal8 = [](Bytes b) { return b.zeros(1024); };
  std::vector<Case> cases = {
      {"empty", {}, BmpError::Truncated},
      {"file header only", Bytes().fileHeader().v, BmpError::Truncated},
      {"info header cut", Bytes().fileHeader().u32(40).i32(4).v, BmpError::Truncated},
      {"core header", Bytes().fileHeader().u32(12).zeros(8).v, BmpError::UnsupportedHeader},
      {"huge header", Bytes().fileHeader().u32(0xFFFFFFF0).zeros(64).v, BmpError::UnsupportedHeader},
      {"negative width", Bytes().fileHeader().info(-4, 4, 24).zeros(64).v, BmpError::BadWidth},
      {"zero width", Bytes().fileHeader().info(0, 4, 24).v, BmpError::BadWidth},
      {"zero height", Bytes().fileHeader().info(4, 0, 24).v, BmpError::BadHeight},
      {"minimum height", Bytes().fileHeader().info(4, INT32_MIN, 24).v, BmpError::BadHeight},
      {"width overflow", Bytes().fileHeader().info(0x7FFFFFFF, 1, 32).v, BmpError::TooLarge},
      {"height overflow", Bytes().fileHeader().info(1, -0x7FFFFFFF, 32).v, BmpError::TooLarge},
      {"gigabytes", Bytes().fileHeader().info(30000, 30000, 32).v, BmpError::TooLarge},
      {"above the limit", Bytes().fileHeader().info(100, 100, 24).v, BmpError::TooLarge, 9999},
      {"2 bits", Bytes().fileHeader().info(4, 4, 2).zeros(64).v, BmpError::BadDepth},
      {"64 bits", Bytes().fileHeader().info(4, 4, 64).zeros(256).v, BmpError::BadDepth},
      {"0 bits", Bytes().fileHeader().info(4, 4, 0).zeros(256).v, BmpError::BadDepth},
      {"jpeg inside", Bytes().fileHeader().info(4, 4, 24, 4).zeros(256).v, BmpError::BadCompression},
      {"rle8 on 4 bits", Bytes().fileHeader().info(4, 4, 4, 1).zeros(256).v, BmpError::BadCompression},
      {"rle4 on 8 bits", pal8(Bytes().fileHeader().info(4, 4, 8, 2)).v, BmpError::BadCompression},
      {"bit fields on 8 bits", pal8(Bytes().fileHeader().info(4, 4, 8, 3)).v, BmpError::BadCompression},
      {"top-down rle", pal8(Bytes().fileHeader().info(4, -4, 8, 1)).raw({0, 1}).v, BmpError::BadCompression},
      {"palette past the end", Bytes().fileHeader().info(4, 4, 8).zeros(1000).v, BmpError::Truncated},
      {"rows past the end", Bytes().fileHeader().info(4, 4, 24).zeros(47).v, BmpError::Truncated},
      {"masks past the end", Bytes().fileHeader().info(4, 4, 16, 3).u32(0xF800).v, BmpError::Truncated},
      {"v5 header cut", Bytes().fileHeader().info(1, 1, 32, 0, 0, 124).zeros(20).v, BmpError::Truncated},
      {"rle run past the row", pal8(Bytes().fileHeader().info(4, 2, 8, 1)).raw({5, 1, 0, 1}).v, BmpError::RunPastRow},
      {"rle run after the row end", pal8(Bytes().fileHeader().info(4, 2, 8, 1)).raw({4, 1, 1, 1, 0, 1}).v,
       BmpError::RunPastRow},
      {"rle absolute past the row", pal8(Bytes().fileHeader().info(4, 2, 8, 1)).raw({0, 5, 1, 2, 3, 4, 5, 0}).v,
       BmpError::RunPastRow},
      {"rle4 run past the row", Bytes().fileHeader().info(3, 1, 4, 2).zeros(64).raw({9, 0x11, 0, 1}).v,
       BmpError::RunPastRow},
      {"rle rows past the top", pal8(Bytes().fileHeader().info(4, 1, 8, 1)).raw({0, 0, 1, 7, 0, 1}).v,
       BmpError::RunPastImage},
      {"rle end of line past the top", pal8(Bytes().fileHeader().info(4, 1, 8, 1)).raw({0, 0, 0, 0, 0, 1}).v,
       BmpError::RunPastImage},
      {"rle delta past the top", pal8(Bytes().fileHeader().info(4, 2, 8, 1)).raw({0, 2, 0, 200, 0, 1}).v,
       BmpError::RunPastImage},
      {"rle delta past the row", pal8(Bytes().fileHeader().info(4, 2, 8, 1)).raw({0, 2, 9, 0, 0, 1}).v,
       BmpError::RunPastImage},
      {"rle without end", pal8(Bytes().fileHeader().info(4, 2, 8, 1)).raw({2, 1, 0, 0}).v, BmpError::Truncated},
      {"rle absolute cut", pal8(Bytes().fileHeader().info(4, 2, 8, 1)).raw({0, 4, 1, 2}).v, BmpError::Truncated},
      {"rle delta cut", pal8(Bytes().fileHeader().info(4, 2, 8, 1)).raw({0, 2, 1}).v, BmpError::Truncated},
  };
  for (const Case& c : cases) {
    BmpReadResult r = bmptest::Read(c.bytes, false, c.maxPixels);
    EXPECT_EQ(r.error, c.want) << c.name << ": " << BmpErrorText(r.error);
    EXPECT_FALSE(r.block) << c.name;
    EXPECT_STRNE(BmpErrorText(r.error), "unknown error");
  }
}

TEST(BmpStream, ASourceThatThrowsPassesTheExceptionOn) {
  // Under the sanitizers this also shows that the half-built block is released.
  struct Failing : BmpSource {
    BmpMemorySource inner;
    std::size_t limit;
    Failing(const std::vector<std::uint8_t>& bytes, std::size_t n) : inner(bytes.data(), bytes.size()), limit(n) {}
    std::size_t Read(void* buffer, std::size_t count) override {
      if (inner.Position() + count > limit) throw 42;
      return inner.Read(buffer, count);
    }
  };
  const std::vector<std::uint8_t> bytes = bmptest::Write(*bmptest::PatternBlock(3, 3, 24), false);
  Failing source(bytes, 60);  // the headers pass, the rows fail
  EXPECT_THROW(ReadBmpStream(source), int);
}

}  // namespace
