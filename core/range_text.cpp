#include "core/range_text.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <string>

namespace {

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

}  // namespace

std::wstring_view TrimBlanks(std::wstring_view text) {
    while (!text.empty() && IsRangeBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsRangeBlank(text.back())) text.remove_suffix(1);
    return text;
}

double ReadLeadingDecimal(std::wstring_view text) {
    size_t pos = 0;
    while (pos < text.size() && IsRangeBlank(text[pos])) ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == L'+' || text[pos] == L'-')) {
        negative = text[pos] == L'-';
        ++pos;
    }
    // Only the plain decimal form is collected, so hex, "inf" and "nan" read as no number.
    std::string number;
    size_t digits = 0;
    while (pos < text.size() && IsDigit(text[pos])) {
        number.push_back(static_cast<char>(text[pos++]));
        ++digits;
    }
    if (pos < text.size() && text[pos] == L'.') {
        number.push_back('.');
        ++pos;
        while (pos < text.size() && IsDigit(text[pos])) {
            number.push_back(static_cast<char>(text[pos++]));
            ++digits;
        }
    }
    if (digits == 0) return 0.0;
    bool negativeExponent = false;
    if (pos < text.size() && (text[pos] == L'e' || text[pos] == L'E')) {
        size_t at = pos + 1;
        std::string exponent = "e";
        if (at < text.size() && (text[at] == L'+' || text[at] == L'-')) {
            negativeExponent = text[at] == L'-';
            exponent.push_back(static_cast<char>(text[at++]));
        }
        if (at < text.size() && IsDigit(text[at])) {
            while (at < text.size() && IsDigit(text[at])) exponent.push_back(static_cast<char>(text[at++]));
            number += exponent;
        }
    }
    double value = 0.0;
    auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    (void)end;
    if (error == std::errc::result_out_of_range) value = negativeExponent ? 0.0 : HUGE_VAL;
    else if (error != std::errc()) value = 0.0;
    return negative ? -value : value;
}

int ReadLeadingInt(std::wstring_view text) {
    size_t pos = 0;
    while (pos < text.size() && IsRangeBlank(text[pos])) ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == L'+' || text[pos] == L'-')) {
        negative = text[pos] == L'-';
        ++pos;
    }
    long long value = 0;
    while (pos < text.size() && IsDigit(text[pos])) {
        value = value * 10 + (text[pos++] - L'0');
        if (value > INT_MAX) value = static_cast<long long>(INT_MAX) + 1;  // saturate below
    }
    if (negative) value = -value;
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}
