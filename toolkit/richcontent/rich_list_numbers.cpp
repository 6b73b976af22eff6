// List-marker numbers: decimal, zero-padded, alphabetic (bijective over the alphabet) and roman.
#include "toolkit/richcontent/rich_doc_objects.h"

#include "toolkit/richcontent/rich_style.h"
#include "toolkit/richcontent/rich_text.h"

#include <cstdio>

namespace {

RichString Printf(const char* format, int number) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, format, number);
    return rich::FromAscii(buffer);
}

RichString Fallback(int number, bool fallback) { return fallback ? Printf("%d", number) : RichString(); }

}  // namespace

RichString FormatAlphabetic(int number, const RichString& letters, bool fallback) {
    if (number <= 0 || letters.empty()) return Fallback(number, fallback);
    const int length = static_cast<int>(letters.size());
    RichString text;
    for (int n = number; n > 0; n = (n - 1) / length) text.insert(text.begin(), letters[(n - 1) % length]);
    return text;
}

RichString FormatLetters(int number, bool upper, bool fallback) {
    const RichString text = FormatAlphabetic(number, u"ABCDEFGHIJKLMNOPQRSTUVWXYZ", fallback);
    return upper ? text : rich::Lower(text);
}

RichString FormatRoman(int number, bool upper, bool fallback) {
    if (number < 1 || number > 4000) return Fallback(number, fallback);
    // Units 1-9, tens 1-9, hundreds 1-9, thousands 1-4.
    static const char* const kPieces[31] = {
        "I", "II", "III", "IV", "V", "VI", "VII", "VIII", "IX",
        "X", "XX", "XXX", "XL", "L", "LX", "LXX", "LXXX", "XC",
        "C", "CC", "CCC", "CD", "D", "DC", "DCC", "DCCC", "CM",
        "M", "MM", "MMM", "MMMM"};
    std::string text;
    if (number >= 1000) text += kPieces[27 + number / 1000 - 1];
    if (const int h = number / 100 % 10) text += kPieces[18 + h - 1];
    if (const int t = number / 10 % 10) text += kPieces[9 + t - 1];
    if (const int u = number % 10) text += kPieces[u - 1];
    const RichString roman = rich::FromAscii(text.c_str());
    return upper ? roman : rich::Lower(roman);
}

RichString FormatListNumber(int type, int number, bool fallback) {
    if (type >= -1 && type <= RichCode::ListSquare) return RichString();
    RichString text;
    switch (type) {
    case RichCode::ListDecimal:
        text = Printf("%d", number);
        break;
    case RichCode::ListDecimalLeadingZero:
        text = Printf("%02d", number);
        break;
    case RichCode::ListLowerAlpha:
    case RichCode::ListLowerLatin:
        text = FormatLetters(number, false, false);
        break;
    case RichCode::ListUpperAlpha:
    case RichCode::ListUpperLatin:
        text = FormatLetters(number, true, false);
        break;
    case RichCode::ListLowerRoman:
        text = FormatRoman(number, false, false);
        break;
    case RichCode::ListUpperRoman:
        text = FormatRoman(number, true, false);
        break;
    default:
        return Fallback(number, fallback);
    }
    return text.empty() ? Fallback(number, fallback) : text;
}
