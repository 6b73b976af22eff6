#include "controls/html/style_sheet.h"

#include <cwchar>
#include <limits>
#include <vector>

#include "controls/html/markup_scanner.h"

namespace html {

const wchar_t kDefaultStyleSheet[] =
    L"body {font-size: 10pt; color:black; font-family:Verdana}\r\n"
    L"p {font-size: 10pt; color:black; font-family:Verdana; font-weight:bold}\r\n"
    L"h1 {font-size: 14pt; color:black; font-family:Verdana; font-weight:bold}\r\n"
    L"h2 {font-size: 13pt; color:#ff9900; font-family:Verdana; font-weight:bold}\r\n"
    L"h3 {font-size: 12pt; color:#ff9900; font-family:Arial; font-weight:bold}\r\n"
    L"h4 {font-size: 10pt; color:black; font-family:Verdana; font-weight:bold}\r\n"
    L"h5 {font-size: 9pt; color:#ff9900; font-family:Verdana; font-weight:bold}\r\n"
    L"h6 {font-size: 65%; color:#626262; font-family:Verdana; font-weight:normal}\r\n"
    L"pre {font-size: 9pt; font-family:\"Courier\"; background-color:#fbedbb}\r\n"
    L"code {color:#990000; font-family:Arial}\r\n"
    L"a:link {text-decoration:none; color:blue}\r\n"
    L"a:hover {text-decoration:underline; color:blue}\r\n"
    L"sub {font-size:65%; vertical-align:bottom}\r\n"
    L"sup {font-size:65%; vertical-align:top}\r\n"
    L"big {font-size:125%}\r\n"
    L"small {font-size:75%}\r\n"
    L".cpp-comment {color:green; font-style:italic}\r\n";

int LeadingNumber(const std::wstring& text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == L' ' || text[i] == L'\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) negative = text[i++] == L'-';
  long long v = 0;
  for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i) {
    v = v * 10 + (text[i] - L'0');
    if (v > std::numeric_limits<int>::max()) v = static_cast<long long>(std::numeric_limits<int>::max()) + 1;
  }
  return Saturate(negative ? -v : v);
}

std::uint32_t ReadUnsigned(const std::wstring& text) {
  // A 32-bit strtoul: out-of-range values saturate rather than wrap.
  const unsigned long long v = std::wcstoull(text.c_str(), nullptr, 0);
  const bool negative = text.find_first_not_of(L" \t") != std::wstring::npos &&
                        text[text.find_first_not_of(L" \t")] == L'-';
  if (negative) return static_cast<std::uint32_t>(v);  // strtoul negates in the unsigned type
  return v > 0xFFFFFFFFull ? 0xFFFFFFFFu : static_cast<std::uint32_t>(v);
}

int ParseLength(int current, const std::wstring& value, bool fontSizeMode, const LengthUnits& units) {
  if (value.empty()) return current;
  if (value.back() == L'%') return MulDiv(current, LeadingNumber(value.substr(0, value.size() - 1)), 100);
  std::wstring v = value;
  if (v[0] == L'+' || v[0] == L'-') v.erase(0, 1);
  const long long n = LeadingNumber(v);
  const std::wstring unit = v.size() >= 2 ? v.substr(v.size() - 2) : std::wstring();
  if (unit == L"px") return Saturate(n);
  if (unit == L"ex") return Saturate(n * units.ex);
  if (unit == L"em") return Saturate(n * units.em);
  const long long d = n * units.dpiY;
  if (unit == L"in") return Saturate(d);
  if (unit == L"cm") return Saturate(static_cast<long long>(static_cast<double>(d) / 2.54));
  if (unit == L"mm") return Saturate(static_cast<long long>(static_cast<double>(d) / 25.4));
  if (unit == L"pt") return Saturate(d / 72);
  if (unit == L"pc") return Saturate(d / 6);
  const std::uint32_t plain = ReadUnsigned(v);
  if (fontSizeMode && plain >= 1 && plain <= 7) {
    static const int kHtmlSizes[] = {8, 10, 12, 14, 18, 24, 36};
    return kHtmlSizes[plain - 1];
  }
  return static_cast<int>(plain);  // as the system's unsigned-to-int conversion
}

Colour ParseColour(Colour current, const std::wstring& value, const ColourNames& names) {
  if (value.empty()) return current;
  if (value[0] == L'#') {
    if (value.size() != 7) return current;
    return ReadUnsigned(L"0x" + value.substr(5, 2) + value.substr(3, 2) + value.substr(1, 2));
  }
  if (value[0] >= L'0' && value[0] <= L'9') return ReadUnsigned(value);
  return names.Lookup(value, current);
}

std::wstring AsciiLower(std::wstring text) {
  for (wchar_t& c : text)
    if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
  return text;
}

namespace {

// After a property name: spaces, a ':' (else no value), spaces and ';', then a quoted value or
// everything up to the next ';'.
std::wstring ReadDeclarationValue(const std::wstring& text, std::size_t& pos) {
  const std::size_t n = text.size();
  while (pos < n && text[pos] == L' ') ++pos;
  if (pos >= n || text[pos] != L':') return std::wstring();
  ++pos;
  while (pos < n && (text[pos] == L' ' || text[pos] == L';')) ++pos;
  if (pos >= n) return std::wstring();
  if (text[pos] == L'"') {
    const std::size_t end = text.find(L'"', pos + 1);
    if (end == std::wstring::npos) {
      pos = n;
      return std::wstring();
    }
    std::wstring v = text.substr(pos + 1, end - pos - 1);
    pos = end + 1;
    return v;
  }
  std::size_t end = text.find(L';', pos);
  if (end == std::wstring::npos) end = n;
  std::wstring v = text.substr(pos, end - pos);
  pos = end;
  return v;
}

int Weight(const std::wstring& v) {
  if (v.empty() || v == L"normal") return 400;
  if (v == L"bold") return 700;
  if (v == L"bolder") return 900;
  if (v == L"lighter") return 100;
  return LeadingNumber(v);
}

void ApplyDecoration(const std::wstring& v, TextStyle& s) {
  if (v.empty()) {
    s.underline = s.strikeout = s.overline = 0;
    return;
  }
  std::size_t pos = 0;
  while (pos < v.size()) {
    const std::size_t end = std::min(v.find_first_of(L" ,", pos), v.size());
    const std::wstring word = v.substr(pos, end - pos);
    if (word == L"none") s.underline = s.strikeout = s.overline = 0;
    else if (word == L"underline") s.underline = 1;
    else if (word == L"line-through") s.strikeout = 1;
    else if (word == L"overline") s.overline = 1;
    pos = end + 1;
  }
}

void ApplyProperty(const std::wstring& p, const std::wstring& v, TextStyle& s, const ColourNames& names,
                   const LengthUnits& units) {
  if (p == L"font-size") {
    s.fontSize = ParseLength(s.fontSize, v, true, units);
  } else if (p == L"font-family") {
    if (!v.empty()) s.faceName = v;
  } else if (p == L"font-style") {
    if (v.empty() || v == L"normal") s.italic = 0;
    else if (v == L"italic" || v == L"oblique") s.italic = 1;
  } else if (p == L"font-weight") {
    s.weight = Weight(v);
  } else if (p == L"text-align") {
    if (v.empty() || v == L"left") s.hAlign = kAlignLeft;
    else if (v == L"center") s.hAlign = kAlignCenter;
    else if (v == L"right") s.hAlign = kAlignRight;
  } else if (p == L"text-transform") {
    if (v.empty() || v == L"none") s.textTransform = kTransformNone;
    else if (v == L"uppercase") s.textTransform = kUpperCase;
    else if (v == L"lowercase") s.textTransform = kLowerCase;
    else if (v == L"capitalize") s.textTransform = kCapitalise;
  } else if (p == L"color") {
    s.textColour = names.enabled ? ParseColour(s.textColour, v, names) : names.disabled;
  } else if (p == L"background-color") {
    if (v == L"transparent" || !names.enabled) {
      s.backgroundMode = kTransparent;
    } else {
      s.backgroundMode = kOpaque;
      s.backgroundColour = ParseColour(s.backgroundColour, v, names);
    }
  } else if (p == L"text-decoration") {
    ApplyDecoration(v, s);
  } else if (p == L"vertical-align") {
    if (v.empty() || v == L"baseline") s.vAlign = kVAlignBaseline;
    else if (v == L"middle" || v == L"vcenter") s.vAlign = kVAlignMiddle;
    else if (v == L"top") s.vAlign = kVAlignTop;
    else if (v == L"bottom") s.vAlign = kVAlignBottom;
  } else if (p == L"border-color") {
    s.borderLight = s.borderDark = names.enabled ? ParseColour(s.borderLight, v, names) : names.disabled;
  } else if (p == L"border-width" || p == L"size") {
    if (v == L"thin") s.borderWidth = MulDiv(75, s.borderWidth, 100);
    else if (v == L"thick") s.borderWidth = MulDiv(125, s.borderWidth, 100);
    else if (v != L"medium") s.borderWidth = ParseLength(s.borderWidth, v, false, units);
    if (s.borderWidth == 0) s.borderStyle = 0;
    else if (s.borderStyle == 0) s.borderStyle = 1;
  } else if (p == L"border-style") {
    if (v.empty() || v == L"none") s.borderStyle = 0;
    else if (v == L"solid") s.borderStyle = 1;
    else if (v == L"dashed") s.borderStyle = 2;
    else if (v == L"dotted") s.borderStyle = 3;
    else if (v == L"double") s.borderStyle = 6;
    if (s.borderStyle != 0 && s.borderWidth == 0) s.borderWidth = 1;
  } else if (p == L"margin") {
    s.margin = ParseLength(s.margin, v, false, units);
  } else if (p == L"padding") {
    s.padding = ParseLength(s.padding, v, false, units);
  }
}

}  // namespace

void ApplyDeclarations(const std::wstring& block, TextStyle& style, const ColourNames& names,
                       const LengthUnits& units) {
  const std::wstring text = AsciiLower(block);
  std::size_t pos = 0;
  while (pos < text.size()) {
    while (pos < text.size() && !IsNameStart(text[pos])) ++pos;
    if (pos >= text.size()) return;
    const std::size_t end = text.find_first_of(L" :", pos);
    if (end == std::wstring::npos) return;
    const std::wstring property = text.substr(pos, end - pos);
    pos = end;
    const std::wstring value = ReadDeclarationValue(text, pos);
    ApplyProperty(property, value, style, names, units);
  }
}

void StyleSheet::Set(const std::wstring* text) {
  m_rules.clear();
  if (!text) {
    LoadDefault();
    return;
  }
  m_text = *text;
  Parse(*text);
}

void StyleSheet::LoadDefault() { Parse(kDefaultStyleSheet); }

void StyleSheet::Parse(const std::wstring& text) {
  const std::size_t n = text.size();
  std::size_t pos = 0;
  while (pos < n) {
    while (pos < n && !IsNameStart(text[pos])) ++pos;
    if (pos >= n) return;
    const std::size_t selectorEnd = text.find_first_of(L" {", pos);
    if (selectorEnd == std::wstring::npos) return;
    const std::wstring selector = text.substr(pos, selectorEnd - pos);
    pos = selectorEnd;
    const std::size_t open = text.find(L'{', pos);
    if (open == std::wstring::npos) return;
    const std::size_t close = text.find(L'}', open + 1);
    if (close == std::wstring::npos) return;
    const std::wstring body = text.substr(open + 1, close - open - 1);
    if (!body.empty()) m_rules[AsciiLower(selector)] = body;
    pos = close + 1;
  }
}

const std::wstring* StyleSheet::Find(const std::wstring& selector) const {
  const auto it = m_rules.find(AsciiLower(selector));
  return it == m_rules.end() ? nullptr : &it->second;
}

}  // namespace html
