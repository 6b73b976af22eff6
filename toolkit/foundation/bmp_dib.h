// The device-independent bitmap block behind every toolkit bitmap: one 16-byte-aligned,
// zero-filled heap allocation holding a prefix (masks and flags), a BITMAPINFOHEADER, the colour
// table and the pixel rows, laid out so that the platform's DIB functions take the header and the
// rows as they stand. No window calls: the BMP reader and the fuzz target build natively on it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

// Same layout as BITMAPINFOHEADER.
struct DibInfoHeader {
  std::uint32_t biSize;
  std::int32_t biWidth;
  std::int32_t biHeight;  // positive: rows stored bottom-up
  std::uint16_t biPlanes;
  std::uint16_t biBitCount;
  std::uint32_t biCompression;
  std::uint32_t biSizeImage;
  std::int32_t biXPelsPerMeter;
  std::int32_t biYPelsPerMeter;
  std::uint32_t biClrUsed;
  std::uint32_t biClrImportant;
};
static_assert(sizeof(DibInfoHeader) == 40);

// Same layout as RGBQUAD: blue, green, red, then alpha (the "reserved" byte).
struct DibColor {
  std::uint8_t blue;
  std::uint8_t green;
  std::uint8_t red;
  std::uint8_t alpha;
};
static_assert(sizeof(DibColor) == 4);

struct DibMasks {
  std::uint32_t red;
  std::uint32_t green;
  std::uint32_t blue;
  std::uint32_t alpha;
};

constexpr DibMasks kDibMasks32{0xFF0000, 0xFF00, 0xFF, 0xFF000000};  // the 32-bit working form
constexpr DibMasks kDibMasks24{0xFF0000, 0xFF00, 0xFF, 0};
constexpr DibMasks kDibMasks565{0xF800, 0x7E0, 0x1F, 0};
constexpr DibMasks kDibMasks555{0x7C00, 0x3E0, 0x1F, 0};
constexpr DibMasks kDibMasksNone{0, 0, 0, 0};

// Flags word of the prefix. The other bits travel with the block and mean nothing.
constexpr std::uint32_t kDibFlagPremultiplied = 0x1;      // 32-bit colour bytes are multiplied by alpha
constexpr std::uint32_t kDibFlagAlphaOnMirroredDc = 0x2;  // alpha drawing may use AlphaBlend on RTL DCs

constexpr std::uint32_t kDibCompressionRgb = 0;
constexpr std::uint32_t kDibCompressionRle8 = 1;
constexpr std::uint32_t kDibCompressionRle4 = 2;
constexpr std::uint32_t kDibCompressionBitfields = 3;

struct DibBlock {
  std::uint32_t redMask;
  std::uint32_t greenMask;
  std::uint32_t blueMask;
  std::uint32_t alphaMask;
  std::uint32_t flags;
  std::uint32_t reserved[3];
  DibInfoHeader header;
  // The colour table follows, then the rows (see DibAllocate).

  int Width() const { return header.biWidth; }
  int Height() const { return header.biHeight; }
  int Depth() const { return header.biBitCount; }
  DibMasks Masks() const { return {redMask, greenMask, blueMask, alphaMask}; }
  // Colour-table entries: 2^depth for depths up to 8, else none.
  int TableSize() const { return Depth() <= 8 ? 1 << Depth() : 0; }
  DibColor* Table() { return reinterpret_cast<DibColor*>(&header + 1); }
  const DibColor* Table() const { return reinterpret_cast<const DibColor*>(&header + 1); }
  std::size_t Stride() const;
  std::size_t RowsSize() const { return Stride() * static_cast<std::size_t>(Height()); }
  std::uint8_t* Rows();
  const std::uint8_t* Rows() const;
  // Stored row (0 is the bottom row of the picture).
  std::uint8_t* Row(int stored) { return Rows() + Stride() * static_cast<std::size_t>(stored); }
  const std::uint8_t* Row(int stored) const { return Rows() + Stride() * static_cast<std::size_t>(stored); }
  // Bytes of the whole allocation.
  std::size_t TotalSize() const;
  bool IsPremultiplied() const { return (flags & kDibFlagPremultiplied) != 0; }
};

struct DibFree {
  void operator()(DibBlock* block) const;
};
using DibPtr = std::unique_ptr<DibBlock, DibFree>;

// Bytes of one stored row: the width's bits rounded up to a multiple of 4 bytes. 0 on overflow.
std::size_t DibStride(int width, int depth);
// Offset of the rows from the block's start: the prefix, then header and colour table padded to 16.
std::size_t DibRowsOffset(int depth);

// A new zero-filled block. Depths other than 1, 4, 8, 16, 24 and 32 become 8. Null when width or
// height is not positive, when the size does not fit in memory or when the allocation fails.
DibPtr DibAllocate(int width, int height, int depth, const DibMasks& masks, std::uint32_t flags);
// A copy of the block with a fresh header (resolutions and image size 0): Assign's copy.
DibPtr DibDuplicate(const DibBlock& source);

// One pixel at (x, y) counted from the top-left corner; 15/16, 24 and 32 bits only. The colour
// read is never premultiplied.
bool DibReadPixel(const DibBlock& block, int x, int y, DibColor* result);
// Writes the flagged channels of one pixel; a premultiplied 32-bit block gets the new alpha
// multiplied into its colour bytes when the alpha is written.
bool DibWritePixel(DibBlock& block, int x, int y, const DibColor& value, bool red, bool green, bool blue,
                   bool alpha);

// The same picture in the 32-bit working form (alpha 255, flags 0); null for another depth or
// when the allocation fails.
DibPtr ConvertDibTo32Bpp(const DibBlock& source);
// Multiplies (or divides back) the colour bytes of a 32-bit block by their alpha. The flag is left
// alone. False, and nothing done, for other depths.
bool DibPremultiply(DibBlock& block, bool multiply);
