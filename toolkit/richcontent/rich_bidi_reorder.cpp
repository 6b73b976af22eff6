// ReorderRightToLeft: a UTF-16 text put into display order, line by line and paragraph by
// paragraph, with mirrored glyphs and without the invisible controls.
#include <new>

#include "toolkit/richcontent/rich_bidi.h"

namespace rich {

namespace {

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

std::u32string Decode(const RichString& text) {
  std::u32string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      out.push_back(0x10000 + ((static_cast<char32_t>(c) - 0xD800) << 10) + (text[i + 1] - 0xDC00));
      ++i;
    } else {
      out.push_back(c);  // a lone surrogate travels as it is
    }
  }
  return out;
}

void Append(RichString& out, char32_t cp) {
  if (cp < 0x10000) {
    out.push_back(static_cast<char16_t>(cp));
  } else {
    cp -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
  }
}

// What clean removes: C0 controls and the explicit embedding, override and isolate controls.
// Invisible marks that shape or join text (ZWJ, ZWNJ, LRM, RLM) stay.
bool IsCleaned(char32_t cp) { return cp < 32 || (cp >= 0x202A && cp <= 0x202E) || (cp >= 0x2066 && cp <= 0x2069); }

// One paragraph (ending at most with its separator) in display order, appended to `out`.
void ReorderParagraph(const char32_t* text, std::size_t n, int baseLevel, bool mirror, bool clean, RichString& out) {
  std::vector<BidiClass> classes(n);
  for (std::size_t i = 0; i < n; ++i) classes[i] = BidiClassOf(text[i]);
  BidiLevels resolved = ResolveBidiLevels(classes, text, baseLevel);
  // Characters X9 set aside keep their place next to what precedes them (at the paragraph level
  // at the start), so that joiners and marks are not lost when clean leaves them in.
  std::vector<int>& levels = resolved.levels;
  int previous = resolved.paragraphLevel;
  for (std::size_t i = 0; i < n; ++i) {
    if (levels[i] < 0)
      levels[i] = previous;
    else
      previous = levels[i];
  }
  for (int i : BidiVisualOrder(levels)) {
    char32_t cp = text[i];
    if (clean && IsCleaned(cp)) continue;
    if (mirror && (levels[i] & 1)) cp = BidiMirrorOf(cp);
    Append(out, cp);
  }
}

// One line without line breaks; false when it reorders to nothing or memory runs out.
bool ReorderLine(RichString& line, int baseLevel, bool mirror, bool clean) {
  RichString stripped;
  stripped.reserve(line.size());
  for (char16_t c : line)
    if (c != u'\r' && c != u'\n') stripped.push_back(c);
  if (stripped.empty()) {
    line.clear();
    return true;
  }
  try {
    const std::u32string text = Decode(stripped);
    RichString out;
    out.reserve(stripped.size());
    // Paragraph separators other than line breaks (U+2029, the information separators) end
    // paragraphs of their own, each with its own direction when it is found from the text.
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
      if (BidiClassOf(text[i]) != kBidiB) continue;
      ReorderParagraph(text.data() + start, i + 1 - start, baseLevel, mirror, clean, out);
      start = i + 1;
    }
    if (start < text.size()) ReorderParagraph(text.data() + start, text.size() - start, baseLevel, mirror, clean, out);
    if (out.empty()) {
      line = std::move(stripped);
      return false;
    }
    line = std::move(out);
    return true;
  } catch (const std::bad_alloc&) {
    return false;
  }
}

}  // namespace

bool ReorderRightToLeft(RichString& text, bool singleLine, int baseLevel, bool mirror, int /*caseFold*/, bool clean) {
  if (text.empty()) return true;
  if (singleLine) return ReorderLine(text, baseLevel, mirror, clean);
  // Each line on its own; the line ends (LF, CR LF and repeats of them) are copied as they stand.
  RichString result;
  result.reserve(text.size());
  bool ok = true;
  std::size_t i = 0;
  while (i < text.size()) {
    std::size_t end = i;
    while (end < text.size() && text[end] != u'\r' && text[end] != u'\n') ++end;
    RichString line = text.substr(i, end - i);
    RichString original = line;
    if (!line.empty() && !ReorderLine(line, baseLevel, mirror, clean)) {
      ok = false;
      line = std::move(original);
    }
    result += line;
    std::size_t breakEnd = end;
    while (breakEnd < text.size() && (text[breakEnd] == u'\r' || text[breakEnd] == u'\n')) ++breakEnd;
    result.append(text, end, breakEnd - end);
    i = breakEnd;
  }
  text = std::move(result);
  return ok;
}

}  // namespace rich
