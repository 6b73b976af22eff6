#include "toolkit/foundation/bmp_dib.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>

static_assert(offsetof(DibBlock, header) == 32, "the header follows eight prefix words");

namespace {

constexpr std::size_t kAlign = 16;
constexpr std::size_t kPrefixSize = 32;

bool ValidDepth(int depth) {
  return depth == 1 || depth == 4 || depth == 8 || depth == 16 || depth == 24 || depth == 32;
}

std::size_t Align16(std::size_t n) { return (n + kAlign - 1) & ~(kAlign - 1); }

// Divide a colour byte back by its alpha, held at 255.
std::uint8_t Unmultiply(std::uint8_t c, std::uint8_t alpha) {
  return static_cast<std::uint8_t>(std::min(255u, c * 255u / alpha));
}

std::uint8_t Multiply(std::uint8_t c, std::uint8_t alpha) { return static_cast<std::uint8_t>(c * alpha / 255u); }

bool Exact565(const DibBlock& b) {
  return b.redMask == kDibMasks565.red && b.greenMask == kDibMasks565.green && b.blueMask == kDibMasks565.blue;
}

DibColor Decode16(std::uint16_t v, bool is565) {
  DibColor c{};
  if (is565) {
    c.red = static_cast<std::uint8_t>((v >> 11) * 255 / 31);
    c.green = static_cast<std::uint8_t>(((v >> 5) & 63) * 255 / 63);
  } else {
    c.red = static_cast<std::uint8_t>(((v >> 10) & 31) * 255 / 31);
    c.green = static_cast<std::uint8_t>(((v >> 5) & 31) * 255 / 31);
  }
  c.blue = static_cast<std::uint8_t>((v & 31) * 255 / 31);
  c.alpha = 255;
  return c;
}

// Address of the pixel at (x, y) from the top; the caller checked the bounds.
std::uint8_t* PixelAt(DibBlock& b, int x, int y, int bytesPerPixel) {
  return b.Row(b.Height() - y - 1) + static_cast<std::size_t>(x) * bytesPerPixel;
}

bool InsideAndReadable(const DibBlock& b, int x, int y) {
  if (x < 0 || y < 0 || x >= b.Width() || y >= b.Height()) return false;
  const int d = b.Depth();
  return d == 15 || d == 16 || d == 24 || d == 32;
}

}  // namespace

std::size_t DibStride(int width, int depth) {
  if (width <= 0 || depth <= 0) return 0;
  const std::uint64_t bits = static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(depth);
  const std::uint64_t bytes = ((bits + 7) / 8 + 3) & ~std::uint64_t{3};
  if (bytes > std::numeric_limits<std::size_t>::max()) return 0;
  return static_cast<std::size_t>(bytes);
}

std::size_t DibRowsOffset(int depth) {
  const std::size_t entries = depth <= 8 ? std::size_t{1} << depth : 0;
  return kPrefixSize + Align16(sizeof(DibInfoHeader) + 4 * entries);
}

std::size_t DibBlock::Stride() const { return DibStride(Width(), Depth()); }
std::uint8_t* DibBlock::Rows() { return reinterpret_cast<std::uint8_t*>(this) + DibRowsOffset(Depth()); }
const std::uint8_t* DibBlock::Rows() const {
  return reinterpret_cast<const std::uint8_t*>(this) + DibRowsOffset(Depth());
}
std::size_t DibBlock::TotalSize() const { return DibRowsOffset(Depth()) + RowsSize(); }

void DibFree::operator()(DibBlock* block) const {
  if (block) ::operator delete(static_cast<void*>(block), std::align_val_t{kAlign});
}

DibPtr DibAllocate(int width, int height, int depth, const DibMasks& masks, std::uint32_t flags) {
  if (!ValidDepth(depth)) depth = 8;
  if (width <= 0 || height <= 0) return nullptr;
  const std::size_t stride = DibStride(width, depth);
  if (stride == 0 || static_cast<std::size_t>(height) > (std::numeric_limits<std::size_t>::max() / 2) / stride)
    return nullptr;
  const std::size_t total = DibRowsOffset(depth) + stride * static_cast<std::size_t>(height);
  void* memory = ::operator new(total, std::align_val_t{kAlign}, std::nothrow);
  if (!memory) return nullptr;
  std::memset(memory, 0, total);
  DibPtr block(static_cast<DibBlock*>(memory));
  block->redMask = masks.red;
  block->greenMask = masks.green;
  block->blueMask = masks.blue;
  block->alphaMask = masks.alpha;
  block->flags = flags;
  DibInfoHeader& h = block->header;
  h.biSize = sizeof(DibInfoHeader);
  h.biWidth = width;
  h.biHeight = height;
  h.biPlanes = 1;
  h.biBitCount = static_cast<std::uint16_t>(depth);
  h.biCompression = kDibCompressionRgb;
  const std::uint32_t entries = depth <= 8 ? 1u << depth : 0;
  h.biClrUsed = entries;
  h.biClrImportant = entries;
  return block;
}

DibPtr DibDuplicate(const DibBlock& source) {
  DibPtr copy = DibAllocate(source.Width(), source.Height(), source.Depth(), source.Masks(), source.flags);
  if (!copy) return nullptr;
  // Everything after the header: colour-table area and rows.
  const std::size_t from = kPrefixSize + sizeof(DibInfoHeader);
  std::memcpy(reinterpret_cast<std::uint8_t*>(copy.get()) + from,
              reinterpret_cast<const std::uint8_t*>(&source) + from, source.TotalSize() - from);
  return copy;
}

bool DibReadPixel(const DibBlock& block, int x, int y, DibColor* result) {
  if (!result || !InsideAndReadable(block, x, y)) return false;
  DibBlock& b = const_cast<DibBlock&>(block);
  switch (block.Depth()) {
  case 15:
  case 16: {
    const std::uint8_t* p = PixelAt(b, x, y, 2);
    *result = Decode16(static_cast<std::uint16_t>(p[0] | (p[1] << 8)), Exact565(block));
    return true;
  }
  case 24: {
    const std::uint8_t* p = PixelAt(b, x, y, 3);
    *result = DibColor{p[0], p[1], p[2], 255};
    return true;
  }
  default: {
    const std::uint8_t* p = PixelAt(b, x, y, 4);
    DibColor c{p[0], p[1], p[2], p[3]};
    if (block.IsPremultiplied() && c.alpha != 0) {
      c.blue = Unmultiply(c.blue, c.alpha);
      c.green = Unmultiply(c.green, c.alpha);
      c.red = Unmultiply(c.red, c.alpha);
    }
    *result = c;
    return true;
  }
  }
}

bool DibWritePixel(DibBlock& block, int x, int y, const DibColor& value, bool red, bool green, bool blue,
                   bool alpha) {
  if (!InsideAndReadable(block, x, y)) return false;
  switch (block.Depth()) {
  case 15:
  case 16: {
    std::uint8_t* p = PixelAt(block, x, y, 2);
    unsigned v = p[0] | (p[1] << 8);
    if (Exact565(block)) {
      if (red) v = (v & ~0xF800u) | ((value.red / 8u) << 11);
      if (green) v = (v & ~0x07E0u) | ((value.green / 4u) << 5);
    } else {
      if (red) v = (v & ~0x7C00u) | ((value.red / 8u) << 10);
      if (green) v = (v & ~0x03E0u) | ((value.green / 8u) << 5);
    }
    if (blue) v = (v & ~0x1Fu) | (value.blue / 8u);
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
    return true;
  }
  case 24: {
    std::uint8_t* p = PixelAt(block, x, y, 3);
    if (blue) p[0] = value.blue;
    if (green) p[1] = value.green;
    if (red) p[2] = value.red;
    return true;
  }
  default: {
    std::uint8_t* p = PixelAt(block, x, y, 4);
    if (blue) p[0] = value.blue;
    if (green) p[1] = value.green;
    if (red) p[2] = value.red;
    if (alpha) {
      p[3] = value.alpha;
      if (block.IsPremultiplied())
        for (int i = 0; i < 3; ++i) p[i] = Multiply(p[i], value.alpha);
    }
    return true;
  }
  }
}

DibPtr ConvertDibTo32Bpp(const DibBlock& source) {
  const int depth = source.Depth();
  if (depth != 1 && depth != 4 && depth != 8 && depth != 16 && depth != 24) return nullptr;
  DibPtr out = DibAllocate(source.Width(), source.Height(), 32, kDibMasks32, 0);
  if (!out) return nullptr;
  const int width = source.Width();
  const bool is565 = Exact565(source);
  const DibColor* table = source.Table();
  for (int row = 0; row < source.Height(); ++row) {
    const std::uint8_t* in = source.Row(row);
    DibColor* px = reinterpret_cast<DibColor*>(out->Row(row));
    for (int x = 0; x < width; ++x) {
      DibColor c{};
      switch (depth) {
      case 1:
      case 4:
      case 8: {
        unsigned index;
        if (depth == 1)
          index = (in[x / 8] >> (7 - x % 8)) & 1;
        else if (depth == 4)
          index = (x % 2 == 0) ? in[x / 2] >> 4 : in[x / 2] & 0x0F;
        else
          index = in[x];
        c = table[index];
        break;
      }
      case 16:
        c = Decode16(static_cast<std::uint16_t>(in[2 * x] | (in[2 * x + 1] << 8)), is565);
        break;
      default:
        c = DibColor{in[3 * x], in[3 * x + 1], in[3 * x + 2], 0};
        break;
      }
      c.alpha = 255;
      px[x] = c;
    }
  }
  return out;
}

bool DibPremultiply(DibBlock& block, bool multiply) {
  if (block.Depth() != 32) return false;
  for (int row = 0; row < block.Height(); ++row) {
    DibColor* px = reinterpret_cast<DibColor*>(block.Row(row));
    for (int x = 0; x < block.Width(); ++x) {
      DibColor& c = px[x];
      if (multiply) {
        c.blue = Multiply(c.blue, c.alpha);
        c.green = Multiply(c.green, c.alpha);
        c.red = Multiply(c.red, c.alpha);
      } else if (c.alpha != 0) {
        c.blue = Unmultiply(c.blue, c.alpha);
        c.green = Unmultiply(c.green, c.alpha);
        c.red = Unmultiply(c.red, c.alpha);
      }
    }
  }
  return true;
}
