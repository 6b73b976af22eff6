#pragma once
// Small text readers of the range language.

#include <string_view>

// Blank, tab, line feed, vertical tab, form feed or carriage return.
constexpr bool IsRangeBlank(wchar_t c) {
    return c == L' ' || (c >= L'\t' && c <= L'\r');
}

std::wstring_view TrimBlanks(std::wstring_view text);
// The decimal number at the start of the text (leading blanks, a sign, digits,
// a fraction and an exponent allowed); 0 when there is none. Overflow gives an
// infinity of the number's sign.
double ReadLeadingDecimal(std::wstring_view text);
// The whole number at the start of the text (leading blanks and a sign allowed);
// 0 when there is none; saturates at the limits of int.
int ReadLeadingInt(std::wstring_view text);
