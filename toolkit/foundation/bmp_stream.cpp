#include "toolkit/foundation/bmp_stream.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace {

constexpr std::size_t kFileHeaderSize = 14;

// Thrown inside the reader only; turned into a result before it leaves.
struct Refusal {
  BmpError error;
};

std::uint32_t U32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
std::uint16_t U16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }

void PutU32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}
void PutU16(std::vector<std::uint8_t>& out, std::uint16_t v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}

// Reads exactly count bytes or refuses the stream as truncated.
void ReadExact(BmpSource& source, void* buffer, std::size_t count) {
  auto* p = static_cast<std::uint8_t*>(buffer);
  while (count > 0) {
    const std::size_t got = source.Read(p, count);
    if (got == 0) throw Refusal{BmpError::Truncated};
    p += got;
    count -= got;
  }
}

void Skip(BmpSource& source, std::size_t count) {
  std::uint8_t scratch[64];
  while (count > 0) {
    const std::size_t n = std::min(count, sizeof scratch);
    ReadExact(source, scratch, n);
    count -= n;
  }
}

// Byte-wise reading of a run-length stream through a small buffer.
class ByteReader {
 public:
  explicit ByteReader(BmpSource& source) : m_source(source) {}
  std::uint8_t Next() {
    if (m_pos == m_end) {
      m_end = m_source.Read(m_buffer, sizeof m_buffer);
      m_pos = 0;
      if (m_end == 0) throw Refusal{BmpError::Truncated};
    }
    return m_buffer[m_pos++];
  }

 private:
  BmpSource& m_source;
  std::uint8_t m_buffer[256];
  std::size_t m_pos = 0;
  std::size_t m_end = 0;
};

void StorePixel(DibBlock& block, int depth, int x, int row, std::uint8_t value) {
  std::uint8_t* line = block.Row(row);
  if (depth == 8) {
    line[x] = value;
  } else if (x % 2 == 0) {
    line[x / 2] = static_cast<std::uint8_t>((line[x / 2] & 0x0F) | (value << 4));
  } else {
    line[x / 2] = static_cast<std::uint8_t>((line[x / 2] & 0xF0) | (value & 0x0F));
  }
}

// Decodes BI_RLE8 (depth 8) or BI_RLE4 (depth 4) into the zero-filled rows. Every item must stay
// inside its stored row and inside the picture, and the stream must reach its end-of-bitmap mark.
// Writers that encode the row's fill bytes too (ImageMagick does) run past the width but not past
// the stored row: those pixels are dropped.
void DecodeRle(BmpSource& source, DibBlock& block, int depth) {
  ByteReader in(source);
  const int width = block.Width();
  const int height = block.Height();
  const int rowPixels = static_cast<int>(block.Stride() * 8 / static_cast<std::size_t>(depth));
  int x = 0;
  int row = 0;
  for (;;) {
    const std::uint8_t first = in.Next();
    const std::uint8_t second = in.Next();
    if (first != 0) {  // encoded run of `first` pixels
      if (row >= height) throw Refusal{BmpError::RunPastImage};
      if (first > rowPixels - x) throw Refusal{BmpError::RunPastRow};
      for (int i = 0; i < first && x + i < width; ++i) {
        const std::uint8_t v = depth == 8 ? second : (i % 2 == 0 ? second >> 4 : second & 0x0F);
        StorePixel(block, depth, x + i, row, v);
      }
      x += first;
      continue;
    }
    switch (second) {
    case 0:  // end of line
      x = 0;
      if (++row > height) throw Refusal{BmpError::RunPastImage};
      break;
    case 1:  // end of bitmap
      return;
    case 2: {  // delta
      const int dx = in.Next();
      const int dy = in.Next();
      x += dx;
      row += dy;
      if (x > rowPixels || row > height) throw Refusal{BmpError::RunPastImage};
      break;
    }
    default: {  // absolute run of `second` pixels
      const int n = second;
      if (row >= height) throw Refusal{BmpError::RunPastImage};
      if (n > rowPixels - x) throw Refusal{BmpError::RunPastRow};
      const int bytes = depth == 8 ? n : (n + 1) / 2;
      for (int i = 0; i < bytes; ++i) {
        const std::uint8_t b = in.Next();
        if (depth == 8) {
          if (x + i < width) StorePixel(block, 8, x + i, row, b);
        } else {
          if (x + 2 * i < width) StorePixel(block, 4, x + 2 * i, row, b >> 4);
          if (2 * i + 1 < n && x + 2 * i + 1 < width) StorePixel(block, 4, x + 2 * i + 1, row, b & 0x0F);
        }
      }
      if (bytes % 2 == 1) in.Next();  // items keep to 16-bit boundaries
      x += n;
      break;
    }
    }
  }
}

bool CompressionFits(int depth, std::uint32_t compression) {
  switch (depth) {
  case 1:
    return compression == kDibCompressionRgb;
  case 4:
    return compression == kDibCompressionRgb || compression == kDibCompressionRle4;
  case 8:
    return compression == kDibCompressionRgb || compression == kDibCompressionRle8;
  default:
    return compression == kDibCompressionRgb || compression == kDibCompressionBitfields;
  }
}

DibPtr Read(BmpSource& source, const BmpReadOptions& options) {
  if (!options.noFileHeader) Skip(source, kFileHeaderSize);
  std::uint8_t h[124] = {};
  ReadExact(source, h, 4);
  const std::uint32_t headerSize = U32(h);
  // 40: BITMAPINFOHEADER; 52 and 56: with the masks inside; 108 and 124: version 4 and 5. Their
  // first 40 bytes are the same; the rest is read so the pixels are found where they are.
  if (headerSize != 40 && headerSize != 52 && headerSize != 56 && headerSize != 108 && headerSize != 124)
    throw Refusal{BmpError::UnsupportedHeader};
  ReadExact(source, h + 4, headerSize - 4);

  const std::int32_t width = static_cast<std::int32_t>(U32(h + 4));
  const std::int32_t rawHeight = static_cast<std::int32_t>(U32(h + 8));
  const int depth = U16(h + 14);
  const std::uint32_t compression = U32(h + 16);
  const std::int32_t xRes = static_cast<std::int32_t>(U32(h + 24));
  const std::int32_t yRes = static_cast<std::int32_t>(U32(h + 28));
  const std::uint32_t colorsUsed = U32(h + 32);

  if (width <= 0) throw Refusal{BmpError::BadWidth};
  if (rawHeight == 0 || rawHeight == std::numeric_limits<std::int32_t>::min()) throw Refusal{BmpError::BadHeight};
  const bool topDown = rawHeight < 0;
  const int height = topDown ? -rawHeight : rawHeight;
  if (depth != 1 && depth != 4 && depth != 8 && depth != 16 && depth != 24 && depth != 32)
    throw Refusal{BmpError::BadDepth};
  if (!CompressionFits(depth, compression)) throw Refusal{BmpError::BadCompression};
  const bool rle = compression == kDibCompressionRle4 || compression == kDibCompressionRle8;
  if (rle && topDown) throw Refusal{BmpError::BadCompression};
  if (width > kBmpMaxSide || height > kBmpMaxSide ||
      static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) > options.maxPixels)
    throw Refusal{BmpError::TooLarge};

  DibMasks masks = kDibMasksNone;
  if (depth == 16) masks = kDibMasks555;
  if (depth == 24) masks = kDibMasks24;
  if (depth == 32) masks = kDibMasks32;
  if (compression == kDibCompressionBitfields) {
    std::uint8_t m[12];
    if (headerSize >= 52) {
      std::memcpy(m, h + 40, 12);
    } else {
      ReadExact(source, m, 12);
    }
    masks = {U32(m), U32(m + 4), U32(m + 8), 0};
    // Larger headers carry an alpha mask, which the 32-bit working form uses.
    if (depth == 32 && headerSize >= 56) masks.alpha = U32(h + 52);
  }

  DibPtr block = DibAllocate(width, height, depth, masks, 0);
  if (!block) throw Refusal{BmpError::NoMemory};
  block->header.biXPelsPerMeter = xRes;
  block->header.biYPelsPerMeter = yRes;

  if (depth <= 8) {
    std::uint32_t entries = 1u << depth;
    if (colorsUsed > 0 && colorsUsed <= entries) entries = colorsUsed;
    ReadExact(source, block->Table(), entries * 4u);
  }

  if (rle) {
    DecodeRle(source, *block, depth);
  } else if (!topDown) {
    ReadExact(source, block->Rows(), block->RowsSize());
  } else {
    for (int row = height - 1; row >= 0; --row) ReadExact(source, block->Row(row), block->Stride());
  }
  return block;
}

}  // namespace

const char* BmpErrorText(BmpError error) {
  switch (error) {
  case BmpError::None:
    return "no error";
  case BmpError::Truncated:
    return "the stream ends before the data its header announces";
  case BmpError::UnsupportedHeader:
    return "the bitmap header has an unsupported size";
  case BmpError::BadWidth:
    return "the bitmap width is not positive";
  case BmpError::BadHeight:
    return "the bitmap height is zero";
  case BmpError::TooLarge:
    return "the bitmap is larger than the reader accepts";
  case BmpError::BadDepth:
    return "the bit count is not 1, 4, 8, 16, 24 or 32";
  case BmpError::BadCompression:
    return "the compression does not fit the bit count";
  case BmpError::RunPastRow:
    return "a run-length item runs past the end of its row";
  case BmpError::RunPastImage:
    return "a run-length item lies outside the picture";
  case BmpError::NoMemory:
    return "not enough memory for the bitmap";
  }
  return "unknown error";
}

std::size_t BmpMemorySource::Read(void* buffer, std::size_t count) {
  const std::size_t n = std::min(count, m_size - m_position);
  if (n) std::memcpy(buffer, m_data + m_position, n);
  m_position += n;
  return n;
}

void BmpVectorSink::Write(const void* data, std::size_t count) {
  const auto* p = static_cast<const std::uint8_t*>(data);
  bytes.insert(bytes.end(), p, p + count);
}

BmpReadResult ReadBmpStream(BmpSource& source, const BmpReadOptions& options) {
  BmpReadResult result;
  try {
    result.block = Read(source, options);
  } catch (const Refusal& refusal) {
    result.error = refusal.error;
  }
  return result;
}

void BmpEncodeRle8Row(const std::uint8_t* row, int width, std::vector<std::uint8_t>& out) {
  std::vector<std::uint8_t> literals;
  auto flush = [&] {
    const std::size_t n = literals.size();
    if (n == 1 || n == 2) {
      for (std::uint8_t b : literals) {
        out.push_back(1);
        out.push_back(b);
      }
    } else if (n >= 3) {
      out.push_back(0);
      out.push_back(static_cast<std::uint8_t>(n));
      out.insert(out.end(), literals.begin(), literals.end());
      if (n % 2 == 1) out.push_back(0);
    }
    literals.clear();
  };
  auto addLiteral = [&](std::uint8_t b) {
    literals.push_back(b);
    if (literals.size() == 254) flush();
  };
  int i = 0;
  while (i < width) {
    if (i == width - 1) {
      addLiteral(row[i]);
      ++i;
    } else if (row[i] == row[i + 1]) {
      int j = i;
      while (j < width && row[j] == row[i]) ++j;
      int run = j - i;
      if (run > 3) {
        flush();
        while (run > 0) {
          const int n = std::min(run, 255);
          out.push_back(static_cast<std::uint8_t>(n));
          out.push_back(row[i]);
          run -= n;
        }
      } else {
        for (int k = 0; k < run; ++k) addLiteral(row[i]);
      }
      i = j;
    } else {
      addLiteral(row[i]);
      ++i;
    }
  }
  flush();
  out.push_back(0);
  out.push_back(0);
}

bool WriteBmpStream(const DibBlock& block, BmpSink& sink, bool rle8) {
  const int depth = block.Depth();
  if (depth != 1 && depth != 4 && depth != 8 && depth != 16 && depth != 24 && depth != 32) return false;
  if (block.Width() <= 0 || block.Height() <= 0) return false;
  const bool rle = rle8 && depth == 8;

  std::vector<std::uint8_t> pixels;
  if (rle) {
    for (int row = 0; row < block.Height(); ++row) BmpEncodeRle8Row(block.Row(row), block.Width(), pixels);
    pixels.push_back(0);
    pixels.push_back(1);
  }
  const std::uint32_t tableEntries =
      depth < 16 ? std::min<std::uint32_t>(block.header.biClrUsed, static_cast<std::uint32_t>(block.TableSize())) : 0;
  const std::size_t masksSize = depth == 16 ? 12 : 0;
  const std::size_t pixelSize = rle ? pixels.size() : block.RowsSize();
  const std::size_t total = kFileHeaderSize + sizeof(DibInfoHeader) + masksSize + 4 * tableEntries + pixelSize;
  if (total > std::numeric_limits<std::uint32_t>::max()) return false;

  std::vector<std::uint8_t> head;
  head.push_back('B');
  head.push_back('M');
  PutU32(head, static_cast<std::uint32_t>(total));
  PutU32(head, 0);  // two reserved words
  PutU32(head, static_cast<std::uint32_t>(kFileHeaderSize + sizeof(DibInfoHeader) + masksSize + 4 * tableEntries));

  DibInfoHeader info = block.header;
  info.biCompression = depth == 16 ? kDibCompressionBitfields : rle ? kDibCompressionRle8 : kDibCompressionRgb;
  // Readers of compressed data need its size; uncompressed rows keep the block's own value.
  if (rle) info.biSizeImage = static_cast<std::uint32_t>(pixels.size());
  PutU32(head, info.biSize);
  PutU32(head, static_cast<std::uint32_t>(info.biWidth));
  PutU32(head, static_cast<std::uint32_t>(info.biHeight));
  PutU16(head, info.biPlanes);
  PutU16(head, info.biBitCount);
  PutU32(head, info.biCompression);
  PutU32(head, info.biSizeImage);
  PutU32(head, static_cast<std::uint32_t>(info.biXPelsPerMeter));
  PutU32(head, static_cast<std::uint32_t>(info.biYPelsPerMeter));
  PutU32(head, info.biClrUsed);
  PutU32(head, info.biClrImportant);
  if (depth == 16) {
    PutU32(head, block.redMask);
    PutU32(head, block.greenMask);
    PutU32(head, block.blueMask);
  }
  const std::uint8_t* table = reinterpret_cast<const std::uint8_t*>(block.Table());
  head.insert(head.end(), table, table + 4 * tableEntries);
  sink.Write(head.data(), head.size());
  if (rle)
    sink.Write(pixels.data(), pixels.size());
  else
    sink.Write(block.Rows(), block.RowsSize());
  return true;
}
