// Plain text into and out of the HTML dialect: texts that come from users or files are escaped
// before they join markup, and markup is flattened where a plain copy of a text is wanted.
#pragma once

#include <string>
#include <string_view>

namespace html {

// "&", "<" and ">" become entities, so the drawer shows them as themselves. Line feeds stay
// (the drawer turns them into breaks).
std::wstring EscapeText(std::wstring_view text);

// The text a markup string shows, without its tags: entities are replaced, "<br>" and line
// feeds become line feeds, "<t>" and tabs become tabs, every other tag is dropped.
std::wstring MarkupToPlainText(const std::wstring& markup);

}  // namespace html
