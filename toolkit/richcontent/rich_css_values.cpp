// The value grammars every property handler shares: lengths with units, colours and character
// references.
#include "toolkit/richcontent/rich_css_tables.h"
#include "toolkit/richcontent/rich_layout.h"
#include "toolkit/richcontent/rich_platform.h"
#include "toolkit/richcontent/rich_text.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <unordered_map>

namespace {

// Halves go up: 2.5 gives 3, -2.5 gives -2. Results beyond the int range saturate.
int Nearest(double v) {
    if (!(v == v)) return 0;
    const double fl = std::floor(v);
    double r = (v - fl < 0.5) ? fl : std::ceil(v);
    r = std::clamp(r, static_cast<double>(std::numeric_limits<int>::min()),
                   static_cast<double>(std::numeric_limits<int>::max()));
    return static_cast<int>(r);
}

int Truncated(double v) {
    if (!(v == v)) return 0;
    v = std::clamp(v, static_cast<double>(std::numeric_limits<int>::min()),
                   static_cast<double>(std::numeric_limits<int>::max()));
    return static_cast<int>(v);
}

int Dpi(bool horizontal) { return horizontal ? RichPlatform().DpiX() : RichPlatform().DpiY(); }

int ReferenceHeight(const CExtRichStyleDescription& reference) {
    const long long h = reference.m_font.m_lf.lfHeight;
    return static_cast<int>(h < 0 ? -h : h);
}

}  // namespace

// ---- lengths ----

int CExtRichContentLayout::PxToPixels(double value, bool) { return Truncated(value); }
int CExtRichContentLayout::PtToPixels(double value, bool horizontal) {
    return Nearest(Dpi(horizontal) * value * 0.35146 / 25.4);
}
int CExtRichContentLayout::CmToPixels(double value, bool horizontal) { return Nearest(Dpi(horizontal) * value / 2.54); }
int CExtRichContentLayout::EmToPixels(double value, const CExtRichStyleDescription& reference) {
    return Nearest(value * ReferenceHeight(reference));
}
int CExtRichContentLayout::QemToPixels(double value, const CExtRichStyleDescription& reference) {
    return EmToPixels(value, reference);
}
int CExtRichContentLayout::PercentToPixels(double value, const CExtRichStyleDescription& reference) {
    return Nearest(value * ReferenceHeight(reference) / 100.0);
}
int CExtRichContentLayout::InToPixels(double value, bool horizontal) { return Nearest(Dpi(horizontal) * value); }
int CExtRichContentLayout::MmToPixels(double value, bool horizontal) { return Nearest(Dpi(horizontal) * value / 25.4); }
// The x-height taken as half the font height, the usual estimate when no font is at hand.
int CExtRichContentLayout::ExToPixels(double value, const CExtRichStyleDescription& reference) {
    return Nearest(value * ReferenceHeight(reference) / 2.0);
}
int CExtRichContentLayout::PcToPixels(double value, bool horizontal) { return PtToPixels(12.0 * value, horizontal); }

int CExtRichContentLayout::ParseLength(const RichString& text, bool horizontal, const CExtRichStyleDescription& reference,
                                       int defaultValue, double* fraction, bool* isPercent, bool* noUnit,
                                       bool allowNegative) {
    if (isPercent) *isPercent = false;
    if (noUnit) *noUnit = false;
    if (text.empty() || rich::EqualsAscii(text, "thin") || rich::EqualsAscii(text, "medium") ||
        rich::EqualsAscii(text, "thick"))
        return defaultValue;
    enum Unit { Px, Pt, Cm, Em, Qem, Percent, In, Mm, Ex, Pc, None };
    static const struct {
        const char16_t* text;
        Unit unit;
    } kUnits[] = {{u"px", Px},     {u"pt", Pt}, {u"cm", Cm}, {u"em", Em}, {u"__qem", Qem},
                  {u"%", Percent}, {u"in", In}, {u"mm", Mm}, {u"ex", Ex}, {u"pc", Pc}};
    Unit unit = None;
    std::size_t at = text.size();
    for (const auto& u : kUnits) {
        const std::size_t found = text.find(u.text);
        if (found != RichString::npos) {
            unit = u.unit;
            at = found;
            break;
        }
    }
    double number = rich::LeadingDouble(rich::Trim(std::u16string_view(text).substr(0, at)));
    int pixels = 0;
    switch (unit) {
    case Px: return PxToPixels(number, horizontal);
    case Pt: pixels = PtToPixels(number, horizontal); break;
    case Cm: pixels = CmToPixels(number, horizontal); break;
    case Em: pixels = EmToPixels(number, reference); break;
    case Qem: pixels = QemToPixels(number, reference); break;
    case In: pixels = InToPixels(number, horizontal); break;
    case Mm: pixels = MmToPixels(number, horizontal); break;
    case Ex: pixels = ExToPixels(number, reference); break;
    case Pc: pixels = PcToPixels(number, horizontal); break;
    case None:
        if (noUnit) *noUnit = true;
        pixels = PxToPixels(number, horizontal);
        break;
    case Percent: {
        if (isPercent) *isPercent = true;
        bool replaced = false;
        if (number < 0.0 && !allowNegative) {
            number = defaultValue;
            replaced = true;
        }
        if (fraction) *fraction = number / 100.0;
        if (replaced) return defaultValue;
        pixels = PercentToPixels(number, reference);
        break;
    }
    }
    return pixels < 0 ? defaultValue : pixels;
}

// ---- colours ----

namespace {

int HexDigit(char16_t c) {
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    return 0;  // anything else counts as 0 (the text is lower case here)
}

RichColor HashColor(const RichString& t) {
    RichString digits = t;
    // "#rgb" is shorthand for "#rrggbb".
    if (t.size() == 4) digits = RichString{u'#', t[1], t[1], t[2], t[2], t[3], t[3]};
    int channel[3] = {0, 0, 0};
    for (int i = 0; i < 3; ++i)
        if (digits.size() >= static_cast<std::size_t>(3 + 2 * i))
            channel[i] = HexDigit(digits[1 + 2 * i]) * 16 + HexDigit(digits[2 + 2 * i]);
    return RichRgb(channel[0], channel[1], channel[2]);
}

// Splits at the first separator (",", or ";" when there is no comma) after `from`.
bool NextPart(const RichString& inside, std::size_t& from, RichString& part) {
    std::size_t sep = inside.find(u',', from);
    if (sep == RichString::npos) sep = inside.find(u';', from);
    if (sep == RichString::npos) return false;
    part = inside.substr(from, sep - from);
    from = sep + 1;
    return true;
}

int RgbChannel(const RichString& part) {
    if (part.empty()) return 0;
    const std::size_t percent = part.find(u'%');
    long long v;
    if (percent != RichString::npos) {
        const double scaled = rich::LeadingInt(part.substr(0, percent)) * 255.0 / 100.0;
        const double fl = std::floor(scaled);
        v = static_cast<long long>(scaled - fl < 0.5 ? fl : std::ceil(scaled));
    } else {
        v = rich::LeadingInt(part);
    }
    return static_cast<int>(std::clamp<long long>(v, 0, 255));
}

bool RgbColor(const RichString& t, RichColor& out) {
    if (t.size() < 10 || !rich::StartsWithAscii(t, "rgb(") || t.back() != u')') return false;
    const RichString inside = t.substr(4, t.size() - 5);
    std::size_t from = 0;
    RichString red, green;
    if (!NextPart(inside, from, red) || !NextPart(inside, from, green)) return false;
    out = RichRgb(RgbChannel(red), RgbChannel(green), RgbChannel(inside.substr(from)));
    return true;
}

// hsl(): a hue without "%", then saturation and lightness in percent. False for any other shape.
bool HslColor(const RichString& t, RichColor& out, bool& isHsl) {
    isHsl = t.size() >= 12 && rich::StartsWithAscii(t, "hsl(") && t.back() == u')';
    if (!isHsl) return false;
    const RichString inside = t.substr(4, t.size() - 5);
    if (std::count(inside.begin(), inside.end(), u'%') != 2) return false;
    const std::size_t c1 = inside.find(u',');
    if (c1 == RichString::npos) return false;
    const std::size_t c2 = inside.find(u',', c1 + 1);
    if (c2 == RichString::npos) return false;
    const RichString hue = inside.substr(0, c1), sat = inside.substr(c1 + 1, c2 - c1 - 1), light = inside.substr(c2 + 1);
    if (hue.find(u'%') != RichString::npos) return false;
    if (sat.empty() || light.empty() || sat.find(u'%') == RichString::npos || light.find(u'%') == RichString::npos)
        return false;
    const int h = std::clamp(rich::LeadingInt(hue), 0, 360);
    const int s = std::clamp(rich::LeadingInt(sat), 0, 100);
    const int l = std::clamp(rich::LeadingInt(light), 0, 100);
    out = RichColorFromHls(h / 360.0, l / 100.0, s / 100.0);
    return true;
}

const std::unordered_map<RichString, RichColor>& ColorNames() {
    static const std::unordered_map<RichString, RichColor> map = [] {
        std::unordered_map<RichString, RichColor> m;
        for (std::size_t i = 0; i < g_CssColorNameCount; ++i) m.emplace(g_CssColorNames[i].name, g_CssColorNames[i].color);
        return m;
    }();
    return map;
}

bool SystemColor(const RichString& lower, RichColor& out) {
    using namespace RichSysColor;
    static const struct {
        const char* name;
        int index;
    } kSystem[] = {
        {"activeborder", ActiveBorder},     {"activecaption", ActiveCaption},
        {"appworkspace", AppWorkspace},     {"background", Background},
        {"buttonface", BtnFace},            {"buttonhighlight", BtnHighlight},
        {"buttonshadow", BtnShadow},        {"buttontext", BtnText},
        {"captiontext", CaptionText},       {"graytext", GrayText},
        {"highlight", Highlight},           {"highlighttext", HighlightText},
        {"inactiveborder", InactiveBorder}, {"inactivecaption", InactiveCaption},
        {"inactivecaptiontext", InactiveCaptionText},
        {"infobackground", InfoBk},         {"infotext", InfoText},
        {"menu", Menu},                     {"menutext", MenuText},
        {"scrollbar", Scrollbar},           {"threeddarkshadow", DkShadow3D},
        {"threedface", BtnFace},            {"threedhighlight", BtnHighlight},
        {"threedlightshadow", Light3D},     {"threedshadow", BtnShadow},
        {"window", Window},                 {"windowframe", WindowFrame},
        {"windowtext", WindowText},
    };
    for (const auto& s : kSystem)
        if (rich::EqualsAscii(lower, s.name)) {
            out = RichPlatform().SysColor(s.index);
            return true;
        }
    return false;
}

}  // namespace

RichColor CExtRichContentLayout::ParseColor(const RichString& text, RichColor defaultColor) {
    RichString t;
    for (char16_t c : rich::Trim(text))
        if (!rich::IsOneOf(c, rich::kBlanks)) t.push_back(rich::ToLower(c));
    if (t.empty()) return defaultColor;
    if (t[0] == u'#') return HashColor(t);
    RichColor color;
    if (rich::StartsWithAscii(t, "rgb(") && t.back() == u')' && t.size() >= 10)
        return RgbColor(t, color) ? color : defaultColor;
    bool isHsl = false;
    if (HslColor(t, color, isHsl)) return color;
    if (isHsl) return defaultColor;
    const auto& names = ColorNames();
    auto it = names.find(t);
    if (it != names.end()) return it->second;
    return SystemColor(t, color) ? color : defaultColor;
}

// ---- character references ----

char16_t DecodeHtmlEntity(const RichString& name) {
    if (name.empty()) return 0;
    if (name[0] == u'#') {
        // Decimal only. A number beyond 16 bits is no character here: it reads as the
        // replacement character rather than as its low bits.
        unsigned long long value = 0;
        for (std::size_t i = 1; i < name.size() && name[i] >= u'0' && name[i] <= u'9'; ++i)
            value = std::min<unsigned long long>(value * 10 + (name[i] - u'0'), 0x10000ull);
        if (value > 0xFFFF) return 0xFFFD;
        if (value != 0) return static_cast<char16_t>(value);
    }
    static const std::unordered_map<RichString, char16_t> map = [] {
        std::unordered_map<RichString, char16_t> m;
        for (std::size_t i = 0; i < g_HtmlEntityCount; ++i) m.emplace(g_HtmlEntities[i].name, g_HtmlEntities[i].code);
        return m;
    }();
    auto it = map.find(name);
    return it == map.end() ? 0 : it->second;
}

char16_t CExtRichContentLayout::DecodeEntity(const RichString& name) { return DecodeHtmlEntity(name); }
