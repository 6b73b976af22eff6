#include "toolkit/richcontent/rich_font_description.h"

#include <cstring>
#include <functional>

CExtRichFontDescription::CExtRichFontDescription() { m_lf.lfCharSet = kRichDefaultCharset; }

namespace {

template <class T>
int Order(T a, T b) {
    return a < b ? -1 : (b < a ? 1 : 0);
}

int CompareFace(const char16_t* a, const char16_t* b) {
    // wcsncmp over the 32 characters of the record.
    for (int i = 0; i < kRichFaceNameSize; ++i) {
        if (a[i] != b[i]) return a[i] < b[i] ? -1 : 1;
        if (a[i] == 0) break;
    }
    return 0;
}

std::size_t Mix(std::size_t seed, std::size_t value) {
    return seed ^ (value + 0x9E3779B97F4A7C15ull + (seed << 6) + (seed >> 2));
}

}  // namespace

int CExtRichFontDescription::Compare(const CExtRichFontDescription& other) const {
    const RichLogFont& a = m_lf;
    const RichLogFont& b = other.m_lf;
    if (int c = CompareFace(a.lfFaceName, b.lfFaceName)) return c;
    if (int c = Order(a.lfHeight, b.lfHeight)) return c;
    if (int c = Order(a.lfWidth, b.lfWidth)) return c;
    if (int c = Order(a.lfEscapement, b.lfEscapement)) return c;
    if (int c = Order(a.lfOrientation, b.lfOrientation)) return c;
    if (int c = Order(a.lfWeight, b.lfWeight)) return c;
    if (int c = Order(m_nLineHeight, other.m_nLineHeight)) return c;
    if (int c = Order(m_dLineHeightFactor, other.m_dLineHeightFactor)) return c;
    if (int c = Order(a.lfItalic != 0, b.lfItalic != 0)) return c;
    if (int c = Order(a.lfUnderline != 0, b.lfUnderline != 0)) return c;
    if (int c = Order(a.lfStrikeOut != 0, b.lfStrikeOut != 0)) return c;
    if (int c = Order(a.lfCharSet, b.lfCharSet)) return c;
    if (int c = Order(a.lfOutPrecision, b.lfOutPrecision)) return c;
    if (int c = Order(a.lfClipPrecision, b.lfClipPrecision)) return c;
    if (int c = Order(a.lfQuality, b.lfQuality)) return c;
    return Order(a.lfPitchAndFamily, b.lfPitchAndFamily);
}

CExtRichFontDescription& CExtRichFontDescription::operator=(const CExtRichFontDescription& other) {
    if (this != &other) {
        m_lf = other.m_lf;
        m_nLineHeight = other.m_nLineHeight;
        m_dLineHeightFactor = other.m_dLineHeightFactor;
    }
    return *this;
}

std::size_t CExtRichFontDescription::Hash() const {
    std::size_t h = std::hash<std::u16string_view>()(GetFaceName());
    for (long long v : {static_cast<long long>(m_lf.lfHeight), static_cast<long long>(m_lf.lfWidth),
                        static_cast<long long>(m_lf.lfEscapement), static_cast<long long>(m_lf.lfOrientation),
                        static_cast<long long>(m_lf.lfWeight), static_cast<long long>(m_nLineHeight),
                        static_cast<long long>(m_lf.lfItalic != 0), static_cast<long long>(m_lf.lfUnderline != 0),
                        static_cast<long long>(m_lf.lfStrikeOut != 0), static_cast<long long>(m_lf.lfCharSet),
                        static_cast<long long>(m_lf.lfOutPrecision), static_cast<long long>(m_lf.lfClipPrecision),
                        static_cast<long long>(m_lf.lfQuality), static_cast<long long>(m_lf.lfPitchAndFamily)})
        h = Mix(h, static_cast<std::size_t>(v));
    // Equal factors hash alike (0.0 and -0.0 compare equal).
    const double factor = m_dLineHeightFactor == 0.0 ? 0.0 : m_dLineHeightFactor;
    return Mix(h, std::hash<double>()(factor));
}

void CExtRichFontDescription::SetFaceName(std::u16string_view name) {
    std::memset(m_lf.lfFaceName, 0, sizeof m_lf.lfFaceName);
    const std::size_t n = name.size() < kRichFaceNameSize - 1 ? name.size() : kRichFaceNameSize - 1;
    for (std::size_t i = 0; i < n; ++i) m_lf.lfFaceName[i] = name[i];
}

std::u16string_view CExtRichFontDescription::GetFaceName() const {
    std::size_t n = 0;
    while (n < kRichFaceNameSize && m_lf.lfFaceName[n]) ++n;
    return std::u16string_view(m_lf.lfFaceName, n);
}

RichLogFont CExtRichFontDescription::LogFontFor(int angle, bool underline) const {
    RichLogFont lf = m_lf;
    if (angle != 0) {
        // Text turned clockwise by 90 degrees runs at an escapement of 270 and the other way round.
        const int escapement = angle == 90 ? 270 : (angle == 270 ? 90 : angle);
        lf.lfEscapement = escapement * 10;
        if (underline) lf.lfUnderline = 1;
    } else if (underline && !lf.lfUnderline) {
        lf.lfUnderline = 1;
    }
    return lf;
}
