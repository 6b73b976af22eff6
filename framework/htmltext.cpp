#include "framework/htmltext.h"

#include <cwctype>

namespace fw::detail {

namespace {

std::wstring Lower(std::wstring s) {
  for (wchar_t& c : s) c = static_cast<wchar_t>(std::towlower(c));
  return s;
}

bool IsBlock(const std::wstring& tag) {
  static const wchar_t* const kBlocks[] = {L"p",  L"div", L"br", L"tr", L"table", L"h1", L"h2", L"h3", L"h4",
                                           L"h5", L"h6",  L"li", L"ul", L"ol",    L"hr", L"pre", L"blockquote",
                                           L"dl", L"dt",  L"dd", L"title", L"center", L"body", L"html"};
  for (const wchar_t* b : kBlocks)
    if (tag == b) return true;
  return false;
}

// The value of attribute `name` in a tag's text, or empty.
std::wstring Attribute(const std::wstring& tagText, const wchar_t* name) {
  std::wstring lower = Lower(tagText);
  std::wstring key = name;
  std::size_t pos = 0;
  while ((pos = lower.find(key, pos)) != std::wstring::npos) {
    bool startOk = pos > 0 && std::iswspace(lower[pos - 1]);
    std::size_t p = pos + key.size();
    while (p < lower.size() && std::iswspace(lower[p])) ++p;
    if (!startOk || p >= lower.size() || lower[p] != L'=') {
      pos += key.size();
      continue;
    }
    ++p;
    while (p < lower.size() && std::iswspace(lower[p])) ++p;
    if (p >= tagText.size()) return std::wstring();
    wchar_t quote = tagText[p];
    if (quote == L'"' || quote == L'\'') {
      std::size_t end = tagText.find(quote, p + 1);
      return tagText.substr(p + 1, end == std::wstring::npos ? std::wstring::npos : end - p - 1);
    }
    std::size_t end = p;
    while (end < tagText.size() && !std::iswspace(tagText[end]) && tagText[end] != L'>') ++end;
    return tagText.substr(p, end - p);
  }
  return std::wstring();
}

class TextBuilder {
 public:
  void Text(wchar_t c, bool pre) {
    if (!pre && std::iswspace(c)) {
      m_pendingSpace = !m_out.empty() && !AtLineStart();
      return;
    }
    if (pre && c == L'\r') return;
    if (pre && c == L'\n') {
      NewLine();
      return;
    }
    if (m_pendingSpace && !AtLineStart()) m_out += L' ';
    m_pendingSpace = false;
    m_out += c == 0xA0 ? L' ' : c;
  }
  void NewLine() {
    m_pendingSpace = false;
    m_out += L"\r\n";
  }
  // A block boundary: a new line unless the text already starts one.
  void Break() {
    m_pendingSpace = false;
    if (!m_out.empty() && m_out.back() != L'\n') m_out += L"\r\n";
  }
  void Tab() {
    m_pendingSpace = false;
    m_out += L'\t';
  }
  std::wstring Finish() {
    // At most one empty line in a row; none at the ends.
    std::wstring result;
    int newlines = 0;
    for (std::size_t i = 0; i < m_out.size(); ++i) {
      if (m_out.compare(i, 2, L"\r\n") == 0) {
        ++newlines;
        ++i;
        continue;
      }
      if (newlines > 0) {
        // Cells and spaces at the end of a line are not seen.
        while (!result.empty() && (result.back() == L'\t' || result.back() == L' ')) result.pop_back();
        if (!result.empty()) result += newlines > 1 ? L"\r\n\r\n" : L"\r\n";
      }
      newlines = 0;
      result += m_out[i];
    }
    while (!result.empty() && (result.back() == L'\t' || result.back() == L' ')) result.pop_back();
    return result;
  }

 private:
  bool AtLineStart() const { return m_out.empty() || m_out.back() == L'\n' || m_out.back() == L'\t'; }
  std::wstring m_out;
  bool m_pendingSpace = false;
};

}  // namespace

std::wstring BreakLongLines(const std::wstring& text, std::size_t width) {
  if (width == 0) return text;
  std::wstring out;
  out.reserve(text.size() + text.size() / width * 2);
  std::size_t lineStart = 0;  // in out
  for (wchar_t c : text) {
    out += c;
    if (c == L'\n') {
      lineStart = out.size();
      continue;
    }
    if (c == L'\r' || out.size() - lineStart <= width) continue;
    // The line is one character too long: break at its last blank, or cut it here.
    std::size_t blank = out.size() - 1;
    while (blank > lineStart && out[blank] != L' ') --blank;
    if (blank > lineStart) {
      out.replace(blank, 1, L"\r\n");
      lineStart = blank + 2;
    } else {
      out.insert(out.size() - 1, L"\r\n");
      lineStart = out.size() - 1;
    }
  }
  return out;
}

wchar_t DecodeEntity(const std::wstring& name) {
  if (name.size() > 1 && name[0] == L'#') {
    unsigned long code = 0;
    bool hex = name[1] == L'x' || name[1] == L'X';
    std::size_t i = hex ? 2 : 1;
    if (i >= name.size()) return 0;
    for (; i < name.size(); ++i) {
      wchar_t c = name[i];
      int digit;
      if (c >= L'0' && c <= L'9') digit = c - L'0';
      else if (hex && c >= L'a' && c <= L'f') digit = c - L'a' + 10;
      else if (hex && c >= L'A' && c <= L'F') digit = c - L'A' + 10;
      else return 0;
      code = code * (hex ? 16 : 10) + static_cast<unsigned long>(digit);
      if (code > 0xFFFF) return 0;
    }
    return code == 0 ? 0 : static_cast<wchar_t>(code);
  }
  struct Named {
    const wchar_t* name;
    wchar_t c;
  };
  static const Named kNamed[] = {{L"amp", L'&'},     {L"lt", L'<'},      {L"gt", L'>'},     {L"quot", L'"'},
                                 {L"apos", L'\''},   {L"nbsp", 0xA0},    {L"copy", 0xA9},   {L"reg", 0xAE},
                                 {L"deg", 0xB0},     {L"plusmn", 0xB1},  {L"middot", 0xB7}, {L"laquo", 0xAB},
                                 {L"raquo", 0xBB},   {L"euro", 0x20AC},  {L"ndash", 0x2013}, {L"mdash", 0x2014},
                                 {L"hellip", 0x2026}, {L"bull", 0x2022}, {L"times", 0xD7},  {L"divide", 0xF7},
                                 {L"spades", 0x2660}, {L"clubs", 0x2663}, {L"hearts", 0x2665}, {L"diams", 0x2666}};
  for (const Named& n : kNamed)
    if (name == n.name) return n.c;
  return 0;
}

std::wstring HtmlToText(const std::wstring& html) {
  TextBuilder out;
  bool pre = false;
  std::wstring skipUntil;  // the closing tag that ends skipped content
  std::size_t i = 0;
  const std::size_t n = html.size();
  while (i < n) {
    wchar_t c = html[i];
    if (c == L'<') {
      if (html.compare(i, 4, L"<!--") == 0) {
        std::size_t end = html.find(L"-->", i + 4);
        i = end == std::wstring::npos ? n : end + 3;
        continue;
      }
      std::size_t end = html.find(L'>', i + 1);
      if (end == std::wstring::npos) end = n;
      std::wstring tagText = html.substr(i + 1, end - i - 1);
      i = end + 1;
      bool closing = !tagText.empty() && tagText[0] == L'/';
      std::size_t nameStart = closing ? 1 : 0;
      std::size_t nameEnd = nameStart;
      while (nameEnd < tagText.size() && (std::iswalnum(tagText[nameEnd]) || tagText[nameEnd] == L'!')) ++nameEnd;
      std::wstring tag = Lower(tagText.substr(nameStart, nameEnd - nameStart));
      if (!skipUntil.empty()) {
        if (closing && tag == skipUntil) skipUntil.clear();
        continue;
      }
      if (!closing && (tag == L"style" || tag == L"script" || tag == L"head")) {
        skipUntil = tag;
        continue;
      }
      if (tag == L"pre") pre = !closing;
      if (tag == L"br") {
        out.NewLine();
      } else if ((tag == L"td" || tag == L"th") && closing) {
        out.Tab();
      } else if (tag == L"img" && !closing) {
        std::wstring alt = Attribute(tagText, L"alt");
        for (wchar_t a : alt) out.Text(a, false);
      } else if (tag == L"li" && !closing) {
        out.Break();
        for (wchar_t a : std::wstring(L"- ")) out.Text(a, true);
      } else if (IsBlock(tag)) {
        out.Break();
      }
      continue;
    }
    if (!skipUntil.empty()) {
      ++i;
      continue;
    }
    if (c == L'&') {
      std::size_t end = i + 1;
      while (end < n && end - i <= 10 && (std::iswalnum(html[end]) || html[end] == L'#')) ++end;
      if (end < n && html[end] == L';') {
        wchar_t decoded = DecodeEntity(html.substr(i + 1, end - i - 1));
        if (decoded != 0) {
          out.Text(decoded, true);
          i = end + 1;
          continue;
        }
      }
    }
    out.Text(c, pre);
    ++i;
  }
  return out.Finish();
}

}  // namespace fw::detail
