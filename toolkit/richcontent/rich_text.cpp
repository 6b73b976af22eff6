#include "toolkit/richcontent/rich_text.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <string>

namespace rich {

char16_t ToLower(char16_t c) {
    if (c >= u'A' && c <= u'Z') return static_cast<char16_t>(c + 32);
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<char16_t>(c + 32);
    return c;
}

RichString Lower(View text) {
    RichString out(text);
    MakeLower(out);
    return out;
}

void MakeLower(RichString& text) {
    for (char16_t& c : text) c = ToLower(c);
}

bool EqualNoCase(View a, View b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (ToLower(a[i]) != ToLower(b[i])) return false;
    return true;
}

bool EqualsAscii(View text, const char* ascii) {
    std::size_t i = 0;
    for (; ascii[i]; ++i)
        if (i >= text.size() || ToLower(text[i]) != static_cast<unsigned char>(ascii[i])) return false;
    return i == text.size();
}

bool StartsWithAscii(View text, const char* ascii) {
    for (std::size_t i = 0; ascii[i]; ++i)
        if (i >= text.size() || ToLower(text[i]) != static_cast<unsigned char>(ascii[i])) return false;
    return true;
}

bool IsOneOf(char16_t c, const char16_t* set) {
    for (; *set; ++set)
        if (*set == c) return true;
    return false;
}

RichString Trim(View text, const char16_t* set) {
    std::size_t b = 0, e = text.size();
    while (b < e && IsOneOf(text[b], set)) ++b;
    while (e > b && IsOneOf(text[e - 1], set)) --e;
    return RichString(text.substr(b, e - b));
}

void TrimInPlace(RichString& text, const char16_t* set) { text = Trim(text, set); }

namespace {

bool IsCSpace(char16_t c) { return c == u' ' || (c >= u'\t' && c <= u'\r'); }

// The ASCII prefix that can hold a number, so the C library reads it; non-ASCII ends it.
std::string NumberPrefix(View text) {
    std::string out;
    std::size_t i = 0;
    while (i < text.size() && IsCSpace(text[i])) ++i;
    for (; i < text.size() && out.size() < 400; ++i) {
        const char16_t c = text[i];
        if (c > 0x7F) break;
        if (!((c >= u'0' && c <= u'9') || c == u'+' || c == u'-' || c == u'.' || c == u'e' || c == u'E')) break;
        out.push_back(static_cast<char>(c));
    }
    return out;
}

}  // namespace

int LeadingInt(View text) {
    std::size_t i = 0;
    while (i < text.size() && IsCSpace(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) negative = text[i++] == u'-';
    long long value = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        value = value * 10 + (text[i] - u'0');
        if (value > static_cast<long long>(INT_MAX) + 1) value = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative) value = -value;
    if (value > INT_MAX) value = INT_MAX;
    if (value < INT_MIN) value = INT_MIN;
    return static_cast<int>(value);
}

double LeadingDouble(View text) {
    const std::string prefix = NumberPrefix(text);
    if (prefix.empty()) return 0.0;
    errno = 0;
    const double value = std::strtod(prefix.c_str(), nullptr);
    return value;
}

RichString FromAscii(const char* ascii) {
    RichString out;
    for (; *ascii; ++ascii) out.push_back(static_cast<unsigned char>(*ascii));
    return out;
}

std::string ToUtf8(View text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF)
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (c >> 6)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else if (c < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (c >> 12)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (c >> 18)));
            out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

}  // namespace rich
