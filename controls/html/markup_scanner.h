// The markup's lexical layer: entity replacement, splitting text runs from tags, tag names from
// attributes, attribute lists, and the searches for table, row and cell tags.
#pragma once

#include <cstddef>
#include <string>

namespace html {

// Replaces entities in one left-to-right scan (a replacement is never scanned again, so
// "&amp;lt;" shows as "&lt;"), drops carriage returns, and turns line feeds into "<br>" and
// tabs into "<t>" (convertBreaks) or drops them.
std::wstring PrepareText(const std::wstring& text, bool convertBreaks);

// The position of the next '<' + name at or after pos whose '<' is not itself preceded by '<'
// (the escaped literal form); the name is a prefix. text.size() when there is none, or none that
// starts before limit.
std::size_t FindTag(const std::wstring& name, const std::wstring& text, std::size_t pos,
                    std::size_t limit = std::wstring::npos);

// From the position of a "<table": the position of its matching "</table" (nested tables
// counted), or text.size().
std::size_t FindTableEnd(const std::wstring& text, std::size_t pos);
// From the position of a "<tr": the position of the "</tr" that closes it, skipping nested tables.
std::size_t FindRowEnd(const std::wstring& text, std::size_t pos);
// From the position of a "<td": the position of its "</td", skipping nested tables.
std::size_t FindCellEnd(const std::wstring& text, std::size_t pos);

// Reads from pos: the text run before the next tag ("<<" and a trailing '<' are literal '<')
// and the tag's inner text (empty when there is no tag or no closing '>'). Advances pos.
void NextRunAndTag(const std::wstring& text, std::size_t& pos, std::wstring& run, std::wstring& tag);

// Splits a tag's inner text at its first space or '=' into the name and the attribute text.
void SplitTag(const std::wstring& tag, std::wstring& name, std::wstring& attributes);

// The next attribute of an attribute text from pos; false when there are no more.
bool NextAttribute(const std::wstring& attributes, std::size_t& pos, std::wstring& name, std::wstring& value);

// Digits, ASCII letters and '.' start names in tags, attributes, selectors and declarations.
inline bool IsNameStart(wchar_t c) {
  return (c >= L'0' && c <= L'9') || (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || c == L'.';
}

}  // namespace html
