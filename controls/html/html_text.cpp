#include "controls/html/html_text.h"

#include <cwctype>

#include "controls/html/markup_scanner.h"

namespace html {

std::wstring EscapeText(std::wstring_view text) {
  std::wstring out;
  out.reserve(text.size());
  for (const wchar_t c : text) {
    switch (c) {
      case L'&': out += L"&amp;"; break;
      case L'<': out += L"&lt;"; break;
      case L'>': out += L"&gt;"; break;
      default: out += c;
    }
  }
  return out;
}

std::wstring MarkupToPlainText(const std::wstring& markup) {
  const std::wstring prepared = PrepareText(markup, true);
  std::wstring out;
  std::size_t pos = 0;
  while (pos < prepared.size()) {
    std::wstring run, tag;
    NextRunAndTag(prepared, pos, run, tag);
    out += run;
    if (tag.empty()) continue;
    std::wstring name, attributes;
    SplitTag(tag, name, attributes);
    for (wchar_t& c : name) c = static_cast<wchar_t>(std::towlower(c));
    if (name == L"br") out += L'\n';
    if (name == L"t") out += L'\t';
  }
  return out;
}

}  // namespace html
