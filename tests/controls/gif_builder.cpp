#include "gif_builder.h"

#include <cstring>

namespace giftest {

namespace {

// Packs codes of a fixed width, least significant bit first.
class BitWriter {
 public:
  void Put(unsigned code, int width) {
    for (int i = 0; i < width; ++i) {
      if (m_bit == 0) m_out.push_back(0);
      if (code & (1u << i)) m_out.back() |= static_cast<std::uint8_t>(1u << m_bit);
      m_bit = (m_bit + 1) & 7;
    }
  }
  std::vector<std::uint8_t> Take() { return std::move(m_out); }

 private:
  std::vector<std::uint8_t> m_out;
  int m_bit = 0;
};

constexpr int kMinCodeSize = 7;  // codes 0-127 are pixels, 128 clears, 129 ends; width 8

}  // namespace

GifBuilder::GifBuilder(int width, int height, const std::vector<COLORREF>& palette) {
  const char* signature = "GIF89a";
  m_bytes.assign(signature, signature + 6);
  Word(width);
  Word(height);
  const int bits = TableBits(palette.size());
  m_bytes.push_back(static_cast<std::uint8_t>(palette.empty() ? 0 : 0x80 | 0x70 | (bits - 1)));
  m_bytes.push_back(0);  // background index
  m_bytes.push_back(0);  // aspect ratio
  if (!palette.empty()) Palette(palette);
}

int GifBuilder::TableBits(std::size_t entries) {
  int bits = 1;
  while ((std::size_t{1} << bits) < entries) ++bits;
  return bits;
}

void GifBuilder::Word(int value) {
  m_bytes.push_back(static_cast<std::uint8_t>(value & 0xFF));
  m_bytes.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

void GifBuilder::Palette(const std::vector<COLORREF>& palette) {
  const std::size_t entries = std::size_t{1} << TableBits(palette.size());
  for (std::size_t i = 0; i < entries; ++i) {
    const COLORREF c = i < palette.size() ? palette[i] : 0;
    m_bytes.push_back(GetRValue(c));
    m_bytes.push_back(GetGValue(c));
    m_bytes.push_back(GetBValue(c));
  }
}

void GifBuilder::SubBlocks(const std::vector<std::uint8_t>& data) {
  std::size_t at = 0;
  while (at < data.size()) {
    const std::size_t n = std::min<std::size_t>(255, data.size() - at);
    m_bytes.push_back(static_cast<std::uint8_t>(n));
    m_bytes.insert(m_bytes.end(), data.begin() + static_cast<long>(at), data.begin() + static_cast<long>(at + n));
    at += n;
  }
  m_bytes.push_back(0);
}

GifBuilder& GifBuilder::Application(const std::string& identifier) {
  m_bytes.push_back(0x21);
  m_bytes.push_back(0xFF);
  m_bytes.push_back(11);
  std::string id = identifier;
  id.resize(11, ' ');
  m_bytes.insert(m_bytes.end(), id.begin(), id.end());
  SubBlocks({1, 0, 0});  // loop for ever
  return *this;
}

GifBuilder& GifBuilder::Comment(const std::string& text) {
  m_bytes.push_back(0x21);
  m_bytes.push_back(0xFE);
  SubBlocks(std::vector<std::uint8_t>(text.begin(), text.end()));
  return *this;
}

GifBuilder& GifBuilder::Control(int delay, int disposal, int transparent) {
  m_bytes.push_back(0x21);
  m_bytes.push_back(0xF9);
  m_bytes.push_back(4);
  m_bytes.push_back(static_cast<std::uint8_t>(((disposal & 7) << 2) | (transparent >= 0 ? 1 : 0)));
  Word(delay);
  m_bytes.push_back(static_cast<std::uint8_t>(transparent >= 0 ? transparent : 0));
  m_bytes.push_back(0);
  return *this;
}

GifBuilder& GifBuilder::Image(int left, int top, int width, int height, const std::vector<std::uint8_t>& indices,
                              const std::vector<COLORREF>& localPalette) {
  m_bytes.push_back(0x2C);
  Word(left);
  Word(top);
  Word(width);
  Word(height);
  if (localPalette.empty()) {
    m_bytes.push_back(0);
  } else {
    m_bytes.push_back(static_cast<std::uint8_t>(0x80 | (TableBits(localPalette.size()) - 1)));
    Palette(localPalette);
  }
  m_bytes.push_back(kMinCodeSize);
  BitWriter bits;
  const unsigned clear = 1u << kMinCodeSize;
  const int width8 = kMinCodeSize + 1;
  for (std::size_t i = 0; i < indices.size(); ++i) {
    // A clear code before the table can grow past the code width.
    if (i % 100 == 0) bits.Put(clear, width8);
    bits.Put(indices[i], width8);
  }
  bits.Put(clear + 1, width8);
  SubBlocks(bits.Take());
  return *this;
}

GifBuilder& GifBuilder::Fill(int left, int top, int width, int height, std::uint8_t index) {
  return Image(left, top, width, height, std::vector<std::uint8_t>(static_cast<std::size_t>(width) * height, index));
}

GifBuilder& GifBuilder::PlainText() {
  m_bytes.push_back(0x21);
  m_bytes.push_back(0x01);
  m_bytes.push_back(12);
  for (int i = 0; i < 12; ++i) m_bytes.push_back(0);
  SubBlocks({'h', 'i'});
  return *this;
}

GifBuilder& GifBuilder::Unknown() {
  m_bytes.push_back(0x21);
  m_bytes.push_back(0x42);
  SubBlocks({1, 2, 3});
  return *this;
}

GifBuilder& GifBuilder::Trailer() {
  m_bytes.push_back(0x3B);
  return *this;
}

GifBuilder& GifBuilder::Raw(const std::vector<std::uint8_t>& bytes) {
  m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end());
  return *this;
}

HGLOBAL GifBuilder::ToGlobal() const {
  HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, m_bytes.size());
  if (block == nullptr) return nullptr;
  void* p = ::GlobalLock(block);
  std::memcpy(p, m_bytes.data(), m_bytes.size());
  ::GlobalUnlock(block);
  return block;
}

}  // namespace giftest
