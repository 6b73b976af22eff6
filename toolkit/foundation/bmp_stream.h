// The BMP stream: the reader that file, memory, resource, archive and clipboard loads go through,
// and the writer of serialisation. No window calls, so it builds natively for the sanitizers and
// the fuzz target; the Windows side adapts archives to BmpSource and BmpSink.
//
// The reader trusts nothing in the stream. It refuses, with a BmpError and without writing outside
// its buffers: headers shorter than 40 bytes or of an unknown size, widths that are not positive,
// zero heights, depths other than 1, 4, 8, 16, 24 and 32, compressions that do not fit the depth,
// run-length streams with negative heights, runs that leave their stored row (the width taken up to
// the row's 4-byte boundary; pixels past the width are dropped) or the picture, and streams
// that end before the data their header announces (colour table, rows, or the run-length stream's
// end-of-bitmap mark). Images larger than kBmpMaxSide on a side or than the options' pixel limit
// (kBmpMaxPixels, 64 Mi pixels: 256 MiB in the 32-bit working form) are refused before anything is
// allocated for them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "toolkit/foundation/bmp_dib.h"

constexpr int kBmpMaxSide = 32767;
constexpr std::uint64_t kBmpMaxPixels = std::uint64_t{1} << 26;

enum class BmpError {
  None,
  Truncated,          // the stream ends before the data its header announces
  UnsupportedHeader,  // info header shorter than 40 bytes or of an unknown size
  BadWidth,           // width zero or negative
  BadHeight,          // height zero (or not representable when negated)
  TooLarge,           // beyond kBmpMaxSide or the pixel limit
  BadDepth,           // bit count other than 1, 4, 8, 16, 24, 32
  BadCompression,     // compression unknown or not allowed for the depth / a top-down RLE stream
  RunPastRow,         // a run-length item writes beyond the end of its row
  RunPastImage,       // a run-length item writes or moves beyond the top of the picture
  NoMemory,           // the block could not be allocated
};

// A short English text for the error ("the stream ends before ...").
const char* BmpErrorText(BmpError error);

// Where the reader takes bytes from. Read returns how many bytes it gave: fewer than asked only at
// the end of the data. It may throw; the reader releases what it built and lets the exception pass.
class BmpSource {
 public:
  virtual ~BmpSource() = default;
  virtual std::size_t Read(void* buffer, std::size_t count) = 0;
};

// Where the writer puts bytes. It may throw.
class BmpSink {
 public:
  virtual ~BmpSink() = default;
  virtual void Write(const void* data, std::size_t count) = 0;
};

class BmpMemorySource : public BmpSource {
 public:
  BmpMemorySource(const void* data, std::size_t size)
      : m_data(static_cast<const std::uint8_t*>(data)), m_size(size) {}
  std::size_t Read(void* buffer, std::size_t count) override;
  std::size_t Position() const { return m_position; }

 private:
  const std::uint8_t* m_data;
  std::size_t m_size;
  std::size_t m_position = 0;
};

class BmpVectorSink : public BmpSink {
 public:
  void Write(const void* data, std::size_t count) override;
  std::vector<std::uint8_t> bytes;
};

struct BmpReadOptions {
  bool noFileHeader = false;  // packed DIBs (resources, CF_DIB) have no 14-byte file header
  std::uint64_t maxPixels = kBmpMaxPixels;
};

struct BmpReadResult {
  DibPtr block;
  BmpError error = BmpError::None;
};

// Reads one BMP stream into a new block (bottom-up rows, the file's resolutions kept). Palette
// images keep their depth; 16-, 24- and 32-bit images keep their masks.
BmpReadResult ReadBmpStream(BmpSource& source, const BmpReadOptions& options = {});

// Writes the block as a BMP stream with file header: 16-bit images with their three masks
// (BI_BITFIELDS), 8-bit images run-length compressed when rle8 is set, every other depth BI_RGB.
// False for a block the writer cannot express (another depth).
bool WriteBmpStream(const DibBlock& block, BmpSink& sink, bool rle8);

// Appends one row of 8-bit pixels in BI_RLE8 items, ending with the end-of-line pair.
void BmpEncodeRle8Row(const std::uint8_t* row, int width, std::vector<std::uint8_t>& out);
