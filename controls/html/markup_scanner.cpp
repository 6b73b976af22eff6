#include "controls/html/markup_scanner.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string_view>

namespace html {

namespace {

struct Entity {
  const wchar_t* text;
  const wchar_t* replacement;
};

// "&lt;" becomes the escaped form of a literal '<' that the tag scanner turns back into one.
const std::array<Entity, 13> kEntities = {{
    {L"&amp;", L"&"},      {L"&bull;", L"\x2022"}, {L"&copy;", L"\xA9"},  {L"&euro;", L"\x20AC"},
    {L"&gt;", L">"},       {L"&iquest;", L"\xBF"}, {L"&lt;", L"<<"},      {L"&nbsp;", L" "},
    {L"&para;", L"\xB6"},  {L"&pound;", L"\xA3"},  {L"&quot;", L"\""},    {L"&reg;", L"\xAE"},
    {L"&trade;", L"\x2122"},
}};

bool StartsWithAt(const std::wstring& text, std::size_t pos, const wchar_t* what) {
  const std::size_t n = std::wcslen(what);
  return pos <= text.size() && text.size() - pos >= n && text.compare(pos, n, what) == 0;
}

}  // namespace

std::wstring PrepareText(const std::wstring& text, bool convertBreaks) {
  std::wstring out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const wchar_t c = text[i];
    if (c == L'&') {
      const Entity* hit = nullptr;
      for (const Entity& e : kEntities)
        if (StartsWithAt(text, i, e.text)) {
          hit = &e;
          break;
        }
      if (hit) {
        out += hit->replacement;
        i += std::wcslen(hit->text) - 1;
        continue;
      }
    }
    if (c == L'\r') continue;
    if (c == L'\n' || c == L'\t') {
      if (convertBreaks) out += c == L'\n' ? L"<br>" : L"<t>";
      continue;
    }
    out += c;
  }
  return out;
}

std::size_t FindTag(const std::wstring& name, const std::wstring& text, std::size_t pos, std::size_t limit) {
  const std::wstring needle = L"<" + name;
  // Only the part where a match could start before the limit is searched.
  const std::size_t end = limit >= text.size() ? text.size() : std::min(text.size(), limit + needle.size() - 1);
  const std::wstring_view view(text.data(), end);
  while (pos < end) {
    const std::size_t at = view.find(needle, pos);
    if (at == std::wstring_view::npos || at >= limit) return text.size();
    if (at > 0 && text[at - 1] == L'<') {
      pos = at + 2;
      continue;
    }
    return at;
  }
  return text.size();
}

std::size_t FindTableEnd(const std::wstring& text, std::size_t pos) {
  int depth = 1;
  std::size_t from = pos + 7;
  while (from < text.size()) {
    const std::size_t close = FindTag(L"/table", text, from);
    const std::size_t open = FindTag(L"table", text, from, close);
    if (open >= text.size() && close >= text.size()) break;
    if (open < close) {
      ++depth;
      from = open + 7;
    } else {
      if (--depth == 0) return close;
      from = close + 8;
    }
  }
  return text.size();
}

std::size_t FindRowEnd(const std::wstring& text, std::size_t pos) {
  int depth = 1;
  std::size_t from = pos + 4;
  while (from < text.size()) {
    const std::size_t open = FindTag(L"tr", text, from);
    const std::size_t close = FindTag(L"/tr", text, from);
    // Only a table before both matters: the search stops there (long tables stay linear).
    const std::size_t table = FindTag(L"table", text, from, std::min(open, close));
    if (open >= text.size() && close >= text.size() && table >= text.size()) return text.size();
    if (table < open && table < close) {
      from = FindTableEnd(text, table) + 6;
    } else if (open < close) {
      ++depth;
      from = open + 4;
    } else {
      if (--depth == 0) return close;
      from = close + 5;
    }
  }
  return text.size();
}

std::size_t FindCellEnd(const std::wstring& text, std::size_t pos) {
  std::size_t from = pos + 4;
  while (from < text.size()) {
    const std::size_t close = FindTag(L"/td", text, from);
    const std::size_t table = FindTag(L"table", text, from, close);
    if (table < close) {
      from = FindTableEnd(text, table) + 6;
      continue;
    }
    return close;
  }
  return text.size();
}

void NextRunAndTag(const std::wstring& text, std::size_t& pos, std::wstring& run, std::wstring& tag) {
  run.clear();
  tag.clear();
  while (pos < text.size()) {
    const std::size_t lt = text.find(L'<', pos);
    if (lt == std::wstring::npos) {
      run.append(text, pos, std::wstring::npos);
      pos = text.size();
      return;
    }
    run.append(text, pos, lt - pos);
    if (lt + 1 >= text.size() || text[lt + 1] == L'<') {
      run += L'<';
      pos = lt + 2;
      continue;
    }
    const std::size_t gt = text.find(L'>', lt + 1);
    if (gt == std::wstring::npos) {
      pos = lt + 1;
      return;
    }
    tag.assign(text, lt + 1, gt - lt - 1);
    pos = gt + 1;
    return;
  }
}

void SplitTag(const std::wstring& tag, std::wstring& name, std::wstring& attributes) {
  const std::size_t cut = tag.find_first_of(L" =");
  if (cut == std::wstring::npos) {
    name = tag;
    attributes.clear();
    return;
  }
  name = tag.substr(0, cut);
  const std::size_t rest = tag.find_first_not_of(L' ', cut);
  attributes = rest == std::wstring::npos ? std::wstring() : tag.substr(rest);
}

bool NextAttribute(const std::wstring& attributes, std::size_t& pos, std::wstring& name, std::wstring& value) {
  name.clear();
  value.clear();
  const std::size_t n = attributes.size();
  while (pos < n && !IsNameStart(attributes[pos])) ++pos;
  if (pos >= n) return false;
  const std::size_t nameEnd = std::min(attributes.find_first_of(L" =", pos), n);
  name = attributes.substr(pos, nameEnd - pos);
  pos = nameEnd;
  while (pos < n && attributes[pos] == L' ') ++pos;
  if (pos >= n || attributes[pos] != L'=') return true;
  while (pos < n && (attributes[pos] == L' ' || attributes[pos] == L'=')) ++pos;
  if (pos >= n) return true;
  const wchar_t quote = attributes[pos];
  if (quote == L'\'' || quote == L'"') {
    const std::size_t end = std::min(attributes.find(quote, pos + 1), n);
    value = attributes.substr(pos + 1, end - pos - 1);
    pos = end < n ? end + 1 : n;
  } else {
    const std::size_t end = std::min(attributes.find(L' ', pos), n);
    value = attributes.substr(pos, end - pos);
    pos = end < n ? end + 1 : n;
  }
  return true;
}

}  // namespace html
