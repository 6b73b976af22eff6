// Plain text (range texts, file names, addresses) put into the drawer's markup: the characters
// the markup gives a meaning to are written as entities, so the text shows as it stands.
#pragma once

#include <string>
#include <string_view>

namespace html {

// "&" becomes "&amp;", "<" "&lt;" and ">" "&gt;"; everything else stays.
std::wstring EscapeText(std::wstring_view text);

}  // namespace html
