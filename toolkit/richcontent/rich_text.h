// Small UTF-16 text helpers shared by the rich content engine's readers: case folding as the
// engine's keyword comparisons need it, trimming by character sets, and the C library's leading
// number reading (wcstol / wcstod) on our string type.
#pragma once

#include "toolkit/richcontent/rich_types.h"

#include <string_view>

namespace rich {

using View = std::u16string_view;

// Lower case of one character: ASCII letters and the Latin-1 capitals (not the multiplication sign).
char16_t ToLower(char16_t c);
RichString Lower(View text);
void MakeLower(RichString& text);

bool EqualNoCase(View a, View b);
// ASCII literal comparison without regard to case; `ascii` must be lower case.
bool EqualsAscii(View text, const char* ascii);
bool StartsWithAscii(View text, const char* ascii);

// The blanks most readers trim: space, tab, CR, LF.
inline constexpr char16_t kBlanks[] = u" \t\r\n";
// Blanks plus quotes and the full stop: selector keys and document-object names.
inline constexpr char16_t kKeyTrim[] = u" \t\r\n'\".";

bool IsOneOf(char16_t c, const char16_t* set);
RichString Trim(View text, const char16_t* set = kBlanks);
void TrimInPlace(RichString& text, const char16_t* set = kBlanks);

// The leading integer of a text as wcstol reads it (blanks, sign, decimal digits; saturated to
// the int range); 0 when there is none.
int LeadingInt(View text);
// The leading floating-point number as wcstod reads it (no hexadecimal, infinities or NaN); 0.0
// when there is none.
double LeadingDouble(View text);

RichString FromAscii(const char* ascii);
std::string ToUtf8(View text);  // for test messages and diagnostics

}  // namespace rich
