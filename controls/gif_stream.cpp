#include "controls/gif_stream.h"

#include <cstring>

namespace {

constexpr std::size_t kHeaderSize = 13;  // signature, version, logical screen descriptor

bool IsFrameStart(GifBlock kind) { return kind == GifBlock::kImage || kind == GifBlock::kPlainText; }
bool EndsFrames(GifBlock kind) { return kind == GifBlock::kUnknown || kind == GifBlock::kTrailer; }

}  // namespace

bool GifStream::IsGif() const { return m_size >= 3 && std::memcmp(m_data, "GIF", 3) == 0; }

bool GifStream::ReadHeader() {
  if (!IsGif() || m_size < kHeaderSize) return false;
  m_screenWidth = static_cast<int>(Word(6));
  m_screenHeight = static_cast<int>(Word(8));
  const unsigned packed = Byte(10);
  m_globalTableSize = (packed & 0x80) ? 3u << ((packed & 7) + 1) : 0;
  Rewind();
  return true;
}

GifBlock GifStream::Kind() const {
  switch (Byte(m_offset)) {
    case 0x21:
      switch (Byte(m_offset + 1)) {
        case 0xFF:
          return GifBlock::kApplication;
        case 0xFE:
          return GifBlock::kComment;
        case 0xF9:
          return GifBlock::kGraphicControl;
        case 0x01:
          return GifBlock::kPlainText;
        default:
          return GifBlock::kUnknown;
      }
    case 0x2C:
      return GifBlock::kImage;
    case 0x3B:
      return GifBlock::kTrailer;
    default:
      return GifBlock::kUnknown;
  }
}

long GifStream::ChainLength(std::size_t at) const {
  long total = 0;
  for (;;) {
    if (at >= m_size) return -1;
    const unsigned length = m_data[at];
    total += 1 + static_cast<long>(length);
    at += 1 + length;
    if (length == 0) return total;
  }
}

long GifStream::BlockLength() const {
  if (m_offset >= m_size) return -1;
  long length = -1;
  auto withChain = [&](long fixed) {
    const long chain = ChainLength(m_offset + static_cast<std::size_t>(fixed));
    return chain < 0 ? -1 : fixed + chain;
  };
  switch (Kind()) {
    case GifBlock::kApplication:
      length = withChain(14);
      break;
    case GifBlock::kComment:
      length = withChain(2);
      break;
    case GifBlock::kGraphicControl:
      length = 8;
      break;
    case GifBlock::kPlainText:
      length = withChain(15);
      break;
    case GifBlock::kImage: {
      const unsigned packed = Byte(m_offset + 9);
      const long localTable = (packed & 0x80) ? 3L << ((packed & 7) + 1) : 0;
      length = withChain(11 + localTable);
      break;
    }
    case GifBlock::kTrailer:
      length = 1;
      break;
    case GifBlock::kUnknown:
      return -1;
  }
  if (length <= 0 || m_offset + static_cast<std::size_t>(length) > m_size) return -1;
  return length;
}

bool GifStream::SkipBlock() {
  if (m_data == nullptr) return false;
  const long length = BlockLength();
  if (length <= 0) return false;
  m_offset += static_cast<std::size_t>(length);
  return true;
}

bool GifStream::SkipExtensionsBeforeFrame() {
  while (Kind() == GifBlock::kApplication || Kind() == GifBlock::kComment)
    if (!SkipBlock()) return false;
  return true;
}

bool GifStream::SkipGraphicBlock() {
  if (!SkipExtensionsBeforeFrame()) return false;
  if (EndsFrames(Kind()) || BlockLength() <= 0) return false;
  if (Kind() == GifBlock::kGraphicControl) {
    if (!SkipBlock()) return false;
    while (!IsFrameStart(Kind()) && !EndsFrames(Kind()))
      if (!SkipBlock()) return false;
    if (EndsFrames(Kind())) return false;
  }
  return SkipBlock();
}

int GifStream::CountFrames() {
  Rewind();
  int frames = 0;
  while (SkipGraphicBlock()) ++frames;
  Rewind();
  return frames;
}

bool GifStream::ExtractFrame(GifFrameData& frame) {
  frame = GifFrameData();
  frame.disposal = 0;
  if (!SkipExtensionsBeforeFrame()) return false;
  if (EndsFrames(Kind())) return false;
  const std::size_t start = m_offset;
  long length = BlockLength();
  if (length <= 0) return false;

  if (Kind() == GifBlock::kGraphicControl) {
    frame.delay = Word(m_offset + 4);
    frame.disposal = static_cast<int>((Byte(m_offset + 3) >> 2) & 7);
    if (!SkipBlock()) return false;
    while (!IsFrameStart(Kind()) && !EndsFrames(Kind())) {
      const long more = BlockLength();
      if (more <= 0 || !SkipBlock()) return false;
      length += more;
    }
    if (EndsFrames(Kind())) return false;
    const long image = BlockLength();
    if (image <= 0) return false;
    length += image;
  } else {
    frame.delay = 0xFFFFFFFF;
  }

  if (Kind() == GifBlock::kImage) {
    frame.hasImage = true;
    frame.left = static_cast<int>(Word(m_offset + 1));
    frame.top = static_cast<int>(Word(m_offset + 3));
    frame.width = static_cast<int>(Word(m_offset + 5));
    frame.height = static_cast<int>(Word(m_offset + 7));
  }
  if (!SkipBlock()) return false;

  const std::size_t head = kHeaderSize + m_globalTableSize;
  frame.bytes.reserve(head + static_cast<std::size_t>(length) + 1);
  frame.bytes.assign(m_data, m_data + head);
  frame.bytes.insert(frame.bytes.end(), m_data + start, m_data + start + static_cast<std::size_t>(length));
  frame.bytes.push_back(0x3B);
  return true;
}
