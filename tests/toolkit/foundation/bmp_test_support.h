// Blocks with known pixels at every depth, and the streams made of them, for the bitmap tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "toolkit/foundation/bmp_dib.h"
#include "toolkit/foundation/bmp_stream.h"

namespace bmptest {

// A block of the depth whose table and pixel bytes follow a fixed pattern (every byte of every
// row's picture part set, fill bytes zero). 16 bits take the masks given.
inline DibPtr PatternBlock(int width, int height, int depth, const DibMasks& masks = kDibMasks565) {
  const DibMasks m = depth == 32 ? kDibMasks32 : depth == 24 ? kDibMasks24 : depth == 16 ? masks : kDibMasksNone;
  DibPtr b = DibAllocate(width, height, depth, m, 0);
  for (int i = 0; i < b->TableSize(); ++i)
    b->Table()[i] = DibColor{static_cast<std::uint8_t>(i * 37), static_cast<std::uint8_t>(255 - i),
                             static_cast<std::uint8_t>(i * 11 + 3), 0};
  const std::size_t used = (static_cast<std::size_t>(width) * depth + 7) / 8;
  for (int row = 0; row < height; ++row)
    for (std::size_t i = 0; i < used; ++i)
      b->Row(row)[i] = static_cast<std::uint8_t>((row * 31 + i * 7 + (i * i) / 5) & 0xFF);
  if (depth < 8 && (width * depth) % 8 != 0) {  // bits past the last pixel stay zero
    const int spare = 8 - (width * depth) % 8;
    for (int row = 0; row < height; ++row) b->Row(row)[used - 1] &= static_cast<std::uint8_t>(0xFF << spare);
  }
  if (depth == 16 && masks.green == kDibMasks555.green) {  // 5-5-5 leaves the top bit clear
    for (int row = 0; row < height; ++row)
      for (int x = 0; x < width; ++x) b->Row(row)[2 * x + 1] &= 0x7F;
  }
  return b;
}

// A block of 8-bit pixels given bottom row first.
inline DibPtr Block8(int width, const std::vector<std::vector<std::uint8_t>>& rowsBottomUp) {
  DibPtr b = DibAllocate(width, static_cast<int>(rowsBottomUp.size()), 8, kDibMasksNone, 0);
  for (std::size_t r = 0; r < rowsBottomUp.size(); ++r)
    for (int x = 0; x < width; ++x) b->Row(static_cast<int>(r))[x] = rowsBottomUp[r][static_cast<std::size_t>(x)];
  return b;
}

inline std::vector<std::uint8_t> Write(const DibBlock& block, bool rle8) {
  BmpVectorSink sink;
  WriteBmpStream(block, sink, rle8);
  return sink.bytes;
}

inline BmpReadResult Read(const std::vector<std::uint8_t>& bytes, bool noFileHeader = false,
                          std::uint64_t maxPixels = kBmpMaxPixels) {
  BmpMemorySource source(bytes.data(), bytes.size());
  BmpReadOptions options;
  options.noFileHeader = noFileHeader;
  options.maxPixels = maxPixels;
  return ReadBmpStream(source, options);
}

// Every picture byte of the rows and the table equal (fill bytes are not compared).
inline bool SamePixels(const DibBlock& a, const DibBlock& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height() || a.Depth() != b.Depth()) return false;
  for (int i = 0; i < a.TableSize(); ++i) {
    const DibColor x = a.Table()[i], y = b.Table()[i];
    if (x.red != y.red || x.green != y.green || x.blue != y.blue) return false;
  }
  const std::size_t used = (static_cast<std::size_t>(a.Width()) * a.Depth() + 7) / 8;
  for (int row = 0; row < a.Height(); ++row)
    for (std::size_t i = 0; i < used; ++i)
      if (a.Row(row)[i] != b.Row(row)[i]) return false;
  return true;
}

// Little-endian builder of hand-made streams.
struct Bytes {
  std::vector<std::uint8_t> v;
  Bytes& u8(unsigned x) { v.push_back(static_cast<std::uint8_t>(x)); return *this; }
  Bytes& u16(unsigned x) { return u8(x & 0xFF).u8((x >> 8) & 0xFF); }
  Bytes& u32(std::uint32_t x) { return u16(x & 0xFFFF).u16(x >> 16); }
  Bytes& i32(std::int32_t x) { return u32(static_cast<std::uint32_t>(x)); }
  Bytes& raw(std::initializer_list<unsigned> xs) { for (unsigned x : xs) u8(x); return *this; }
  Bytes& zeros(std::size_t n) { v.insert(v.end(), n, 0); return *this; }
  // A 14-byte file header whose fields the reader ignores.
  Bytes& fileHeader() { return u16(0x4D42).u32(0).u32(0).u32(0); }
  // A 40-byte info header.
  Bytes& info(std::int32_t width, std::int32_t height, unsigned depth, std::uint32_t compression = 0,
              std::uint32_t colorsUsed = 0, std::uint32_t size = 40) {
    return u32(size).i32(width).i32(height).u16(1).u16(depth).u32(compression).u32(0).i32(0).i32(0)
        .u32(colorsUsed).u32(0);
  }
};

}  // namespace bmptest
