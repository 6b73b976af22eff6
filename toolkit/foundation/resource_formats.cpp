#include "toolkit/foundation/resource_formats.h"

#include <cstring>

namespace extres {

namespace {

constexpr std::uint32_t kDsSetFont = 0x40;  // DS_SETFONT; DS_SHELLFONT includes it

// A little-endian reader that refuses to move past its end.
class Reader {
 public:
  Reader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  std::size_t pos() const { return pos_; }
  bool Has(std::size_t n) const { return pos_ <= size_ && n <= size_ - pos_; }

  bool Word(std::uint16_t* v) {
    if (!Has(2)) return false;
    *v = static_cast<std::uint16_t>(data_[pos_] | (data_[pos_ + 1] << 8));
    pos_ += 2;
    return true;
  }
  bool Dword(std::uint32_t* v) {
    std::uint16_t lo = 0, hi = 0;
    if (!Has(4)) return false;
    Word(&lo);
    Word(&hi);
    *v = static_cast<std::uint32_t>(lo) | (static_cast<std::uint32_t>(hi) << 16);
    return true;
  }
  bool Skip(std::size_t n) {
    if (!Has(n)) return false;
    pos_ += n;
    return true;
  }
  // To the next multiple of four; padding may be missing at the very end.
  void AlignDword() {
    const std::size_t aligned = (pos_ + 3) & ~static_cast<std::size_t>(3);
    pos_ = aligned <= size_ ? aligned : size_;
  }
  // A zero-terminated UTF-16 string.
  bool String(std::u16string* text) {
    if (text) text->clear();
    for (;;) {
      std::uint16_t c = 0;
      if (!Word(&c)) return false;
      if (c == 0) return true;
      if (text) text->push_back(static_cast<char16_t>(c));
    }
  }
  // A name or ordinal: 0 (none), 0xFFFF and an ordinal word, or a string.
  bool NameOrOrdinal() {
    std::uint16_t first = 0;
    if (!Has(2)) return false;
    first = static_cast<std::uint16_t>(data_[pos_] | (data_[pos_ + 1] << 8));
    if (first == 0) return Skip(2);
    if (first == 0xFFFF) return Skip(4);
    return String(nullptr);
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
};

void PutWord(std::vector<std::uint8_t>& out, std::size_t at, std::uint16_t v) {
  out[at] = static_cast<std::uint8_t>(v & 0xFF);
  out[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

std::uint32_t GetDword(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

}  // namespace

bool ReadStringTableEntry(const std::uint8_t* block, std::size_t size, unsigned id, std::u16string* text) {
  if (text) text->clear();
  if (block == nullptr) return false;
  Reader r(block, size);
  for (unsigned i = 0; i < id % 16; ++i) {
    std::uint16_t length = 0;
    if (!r.Word(&length) || !r.Skip(static_cast<std::size_t>(length) * 2)) return false;
  }
  std::uint16_t length = 0;
  if (!r.Word(&length) || !r.Has(static_cast<std::size_t>(length) * 2)) return false;
  if (text) {
    for (std::uint16_t i = 0; i < length; ++i) {
      std::uint16_t c = 0;
      r.Word(&c);
      text->push_back(static_cast<char16_t>(c));
    }
  }
  return true;
}

std::vector<AccelEntry> ReadAcceleratorTable(const std::uint8_t* data, std::size_t size) {
  std::vector<AccelEntry> entries;
  if (data == nullptr) return entries;
  for (std::size_t at = 0; at + 8 <= size; at += 8) {
    AccelEntry e;
    e.flags = data[at] & 0x7F;  // 0x80 only marks the table's last entry
    e.key = static_cast<std::uint16_t>(data[at + 2] | (data[at + 3] << 8));
    e.command = static_cast<std::uint16_t>(data[at + 4] | (data[at + 5] << 8));
    entries.push_back(e);
  }
  return entries;
}

namespace {

constexpr std::uint16_t kMfPopup = 0x10;
constexpr std::uint16_t kMfEnd = 0x80;
constexpr int kMaxMenuDepth = 32;

bool SkipMenuItems(Reader& r, int depth) {
  if (depth > kMaxMenuDepth) return false;
  for (;;) {
    std::uint16_t flags = 0, id = 0;
    if (!r.Word(&flags)) return false;
    if (!(flags & kMfPopup) && !r.Word(&id)) return false;
    if (!r.String(nullptr)) return false;
    if ((flags & kMfPopup) && !SkipMenuItems(r, depth + 1)) return false;
    if (flags & kMfEnd) return true;
  }
}

bool SkipMenuExItems(Reader& r, int depth) {
  if (depth > kMaxMenuDepth) return false;
  for (;;) {
    r.AlignDword();
    std::uint16_t info = 0;
    if (!r.Skip(12) || !r.Word(&info) || !r.String(nullptr)) return false;  // type, state, id
    r.AlignDword();
    if (info & 0x01) {
      if (!r.Skip(4) || !SkipMenuExItems(r, depth + 1)) return false;  // help id, then the pop-up
    }
    if (info & kMfEnd) return true;
  }
}

}  // namespace

bool IsSoundMenuTemplate(const std::uint8_t* data, std::size_t size) {
  if (data == nullptr) return false;
  Reader r(data, size);
  std::uint16_t version = 0, offset = 0;
  if (!r.Word(&version) || !r.Word(&offset) || !r.Skip(offset)) return false;
  if (version == 0) return SkipMenuItems(r, 0);
  if (version == 1) return SkipMenuExItems(r, 0);
  return false;
}

bool ParseDialogTemplate(const std::uint8_t* data, std::size_t size, DialogTemplateInfo* info) {
  DialogTemplateInfo out;
  if (data == nullptr) return false;
  Reader r(data, size);
  std::uint16_t version = 0, signature = 0;
  if (!r.Has(4)) return false;
  r.Word(&version);
  r.Word(&signature);
  out.extended = signature == 0xFFFF;
  if (out.extended) {
    if (version != 1) return false;
    std::uint32_t helpId = 0;
    out.exStyleOffset = 8;
    out.styleOffset = 12;
    if (!r.Dword(&helpId) || !r.Dword(&out.exStyle) || !r.Dword(&out.style)) return false;
  } else {
    r = Reader(data, size);
    out.styleOffset = 0;
    out.exStyleOffset = 4;
    if (!r.Dword(&out.style) || !r.Dword(&out.exStyle)) return false;
  }
  if (!r.Word(&out.itemCount) || !r.Skip(8)) return false;  // count, then x, y, cx, cy
  if (!r.NameOrOrdinal() || !r.NameOrOrdinal() || !r.String(nullptr)) return false;  // menu, class, title
  if (out.style & kDsSetFont) {
    out.hasFont = true;
    out.fontOffset = r.pos();
    if (!r.Word(&out.pointSize)) return false;
    if (out.extended && !r.Skip(4)) return false;  // weight, italic, character set
    out.faceOffset = r.pos();
    if (!r.String(&out.faceName)) return false;
    out.afterFace = r.pos();
  } else {
    out.afterFace = r.pos();
  }
  r.AlignDword();
  out.itemsOffset = r.pos();
  for (std::uint16_t i = 0; i < out.itemCount; ++i) {
    r.AlignDword();
    // Fixed part: help id, extended style, style, x, y, cx, cy, 32-bit id (extended) or style,
    // extended style, x, y, cx, cy, 16-bit id (classic).
    if (!r.Skip(out.extended ? 24 : 18)) return false;
    if (!r.NameOrOrdinal() || !r.NameOrOrdinal()) return false;  // class, title
    std::uint16_t extra = 0;
    if (!r.Word(&extra) || !r.Skip(extra)) return false;
  }
  out.size = r.pos();
  if (info) *info = out;
  return true;
}

std::vector<std::uint8_t> ReplaceDialogFont(const std::uint8_t* data, const DialogTemplateInfo& info,
                                            const std::u16string& face, std::uint16_t pointSize) {
  std::vector<std::uint8_t> out;
  if (data == nullptr || !info.hasFont) return out;
  out.assign(data, data + info.faceOffset);
  PutWord(out, info.fontOffset, pointSize);
  for (char16_t c : face) {
    out.push_back(static_cast<std::uint8_t>(c & 0xFF));
    out.push_back(static_cast<std::uint8_t>(c >> 8));
  }
  out.push_back(0);
  out.push_back(0);
  while (out.size() % 4 != 0) out.push_back(0);
  if (info.size > info.itemsOffset) out.insert(out.end(), data + info.itemsOffset, data + info.size);
  return out;
}

void AddDialogExStyle(std::uint8_t* data, const DialogTemplateInfo& info, std::uint32_t bits) {
  if (data == nullptr || info.size < info.exStyleOffset + 4) return;
  const std::uint32_t v = GetDword(data + info.exStyleOffset) | bits;
  for (int i = 0; i < 4; ++i) data[info.exStyleOffset + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

}  // namespace extres
