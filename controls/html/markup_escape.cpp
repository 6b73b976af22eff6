#include "controls/html/markup_escape.h"

namespace html {

std::wstring EscapeText(std::wstring_view text) {
  std::wstring out;
  out.reserve(text.size());
  for (const wchar_t c : text) {
    switch (c) {
      case L'&': out += L"&amp;"; break;
      case L'<': out += L"&lt;"; break;
      case L'>': out += L"&gt;"; break;
      default: out += c; break;
    }
  }
  return out;
}

}  // namespace html
