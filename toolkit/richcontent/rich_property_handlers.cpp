// The CSS property handlers: one per property name of the style system, standard CSS 2 beside the
// toolkit's own "ui-" properties. Each reads the value tokens of a declaration and writes the
// declared values into the rule being collected; wrong token counts, empty tokens and keywords a
// property does not know leave the rule as it was.
#include "toolkit/richcontent/rich_handlers.h"

#include "toolkit/richcontent/rich_item.h"
#include "toolkit/richcontent/rich_layout.h"
#include "toolkit/richcontent/rich_text.h"

#include <algorithm>
#include <cstdlib>
#include <initializer_list>
#include <utility>
#include <vector>

namespace {

using Item = CExtRichContentItem;
using Rule = CExtRichStyleRule;
using Parent = CExtRichStyleDescription;

// ---- tokens ----

// The value tokens of a declaration, trimmed and lower-cased.
std::vector<RichString> Tokens(const Item* declaration) {
    std::vector<RichString> tokens;
    for (const Item* token : declaration->m_listAttributes) tokens.push_back(rich::Lower(rich::Trim(token->m_strValue)));
    return tokens;
}

// The only token of a single-value declaration; false for any other count or an empty token.
bool OneToken(const Item* declaration, RichString& token) {
    if (declaration->m_listAttributes.GetCount() != 1) return false;
    token = rich::Lower(rich::Trim(declaration->m_listAttributes.GetHead()->m_strValue));
    return !token.empty();
}

using Codes = std::initializer_list<std::pair<const char*, int>>;

int Code(const RichString& token, Codes codes, int otherwise = -1) {
    for (const auto& [name, code] : codes)
        if (rich::EqualsAscii(token, name)) return code;
    return otherwise;
}

// A keyword property: a listed keyword stores its code; "inherit" the parent's value.
void Keyword(const Item* declaration, int& field, Codes codes, const int* parentValue) {
    RichString token;
    if (!OneToken(declaration, token)) return;
    if (parentValue && token == u"inherit") {
        field = *parentValue;
        return;
    }
    const int code = Code(token, codes);
    if (code >= 0) field = code;
}

// The yes/no switches of the toolkit properties: 2 on, 1 off, 0 anything else.
int Switch(const RichString& token) {
    return Code(token, {{"yes", 2}, {"true", 2}, {"1", 2}, {"no", 1}, {"not", 1}, {"false", 1}, {"0", 1}}, 0);
}

int ClampedPercent(double fraction) {
    const double v = fraction * 100.0;
    if (!(v == v)) return 0;
    return static_cast<int>(std::clamp(v, 0.0, 100.0));
}

// Whether a token reads as a number (a length, a percentage): keywords such as "auto" do not.
bool IsNumeric(const RichString& token) {
    const char16_t c = token.empty() ? u'\0' : token[0];
    return (c >= u'0' && c <= u'9') || c == u'.' || c == u'+' || c == u'-';
}

// ---- keyword properties ----

void ApplyCssPropVisibility(Item*, Item* d, Rule& rule, const Parent& parent) {
    Keyword(d, rule.m_nVisibility, {{"visible", 0}, {"hidden", 1}, {"collapse", 2}}, &parent.m_nVisibility);
}

void ApplyCssPropDisplay(Item*, Item* d, Rule& rule, const Parent& parent) {
    Keyword(d, rule.m_nDisplay,
            {{"none", 0},
             {"block", 1},
             {"inline", 2},
             {"inline-block", 3},
             {"inline-table", 4},
             {"list-item", 5},
             {"run-in", 6},
             {"table", 7},
             {"table-caption", 8},
             {"table-cell", 9},
             {"table-column", 10},
             {"table-column-group", 11},
             {"table-footer-group", 12},
             {"table-header-group", 13},
             {"table-row", 14},
             {"table-row-group", 15},
             {"ui-dock", 16}},
            &parent.m_nDisplay);
}

void ApplyCssPropUiDock(Item*, Item* d, Rule& rule, const Parent&) {
    RichString t;
    if (!OneToken(d, t)) return;
    rule.m_nUiDock = Code(t,
                          {{"top", 1},
                           {"pre-top", 2},
                           {"bottom", 3},
                           {"pre-bottom", 4},
                           {"left", 5},
                           {"pre-left", 6},
                           {"right", 7},
                           {"pre-right", 8},
                           {"fill", 9},
                           {"pre-fill", 10}},
                          0);
}

void ApplyCssPropTableLayout(Item*, Item* d, Rule& rule, const Parent& parent) {
    Keyword(d, rule.m_nTableLayout, {{"auto", 0}, {"fixed", 1}}, &parent.m_nTableLayout);
}
void ApplyCssPropEmptyCells(Item*, Item* d, Rule& rule, const Parent& parent) {
    Keyword(d, rule.m_nEmptyCells, {{"hide", 0}, {"show", 1}}, &parent.m_nEmptyCells);
}
void ApplyCssPropCaptionSide(Item*, Item* d, Rule& rule, const Parent& parent) {
    Keyword(d, rule.m_nCaptionSide, {{"top", 0}, {"bottom", 1}}, &parent.m_nCaptionSide);
}
void ApplyCssPropBorderCollapse(Item*, Item* d, Rule& rule, const Parent& parent) {
    Keyword(d, rule.m_nBorderCollapse, {{"collapse", 0}, {"separate", 1}}, &parent.m_nBorderCollapse);
}
void ApplyCssPropFloat(Item*, Item* d, Rule& rule, const Parent& parent) {
    Keyword(d, rule.m_nFloat, {{"left", 0}, {"right", 1}, {"none", 2}}, &parent.m_nFloat);
}
void ApplyCssPropOverflow(Item*, Item* d, Rule& rule, const Parent& parent) {
    Keyword(d, rule.m_nOverflow, {{"visible", 0}, {"hidden", 1}, {"scroll", 2}, {"auto", 3}}, &parent.m_nOverflow);
}
void ApplyCssPropUiSbh(Item*, Item* d, Rule& rule, const Parent&) {
    Keyword(d, rule.m_nScrollBarH, {{"auto", 0}, {"hidden", 1}, {"none", 1}, {"visible", 2}}, nullptr);
}
void ApplyCssPropUiSbv(Item*, Item* d, Rule& rule, const Parent&) {
    Keyword(d, rule.m_nScrollBarV, {{"auto", 0}, {"hidden", 1}, {"none", 1}, {"visible", 2}}, nullptr);
}
void ApplyCssPropPosition(Item*, Item* d, Rule& rule, const Parent& parent) {
    Keyword(d, rule.m_nPosition, {{"absolute", 0}, {"fixed", 1}, {"relative", 2}, {"static", 3}}, &parent.m_nPosition);
}

void ApplyCssPropWhiteSpace(Item*, Item* d, Rule& rule, const Parent&) {
    Keyword(d, rule.m_nWhiteSpace,
            {{"normal", 0}, {"nowrap", 1}, {"pre", 2}, {"pre-line", 3}, {"pre-wrap", 4}, {"inherit", 5}}, nullptr);
}

// "text-align" and "direction" combine in either order into justified right-to-left text (5).
void ApplyCssPropTextAlign(Item*, Item* d, Rule& rule, const Parent&) {
    RichString t;
    if (!OneToken(d, t)) return;
    if (t == u"justify") {
        const bool rtl = rule.m_nTextAlign == RichCode::AlignRight || rule.m_nTextAlign == RichCode::AlignJustifyRtl;
        rule.m_nTextAlign = rtl ? RichCode::AlignJustifyRtl : RichCode::AlignJustify;
        return;
    }
    const int code =
        Code(t, {{"left", 0}, {"center", 1}, {"right", 2}, {"justifywithlastline", 4}, {"inherit", -1}}, -2);
    if (code != -2) rule.m_nTextAlign = code;
}

void ApplyCssPropDirection(Item*, Item* d, Rule& rule, const Parent&) {
    RichString t;
    if (!OneToken(d, t)) return;
    if (t == u"ltr")
        rule.m_nTextAlign = RichCode::AlignLeft;
    else if (t == u"rtl")
        rule.m_nTextAlign =
            rule.m_nTextAlign == RichCode::AlignJustify ? RichCode::AlignJustifyRtl : RichCode::AlignRight;
}

void ApplyCssPropVerticalAlign(Item*, Item* d, Rule& rule, const Parent&) {
    RichString t;
    if (!OneToken(d, t)) return;
    rule.m_nVerticalAlign = Code(t,
                                 {{"top", 0},
                                  {"text-top", 1},
                                  {"middle", 2},
                                  {"bottom", 3},
                                  {"text-bottom", 4},
                                  {"baseline", 5},
                                  {"sub", 6},
                                  {"super", 7},
                                  {"inherit", -1}},
                                 RichCode::VAlignBottom);
}

void ApplyCssPropTextDecoration(Item*, Item* d, Rule& rule, const Parent&) {
    RichString t;
    if (!OneToken(d, t)) return;
    if (t == u"underline") rule.m_nUnderline = 1;
    else if (t == u"line-through") rule.m_nStrikeOut = 1;
}

void ApplyCssPropTextTransform(Item*, Item* d, Rule& rule, const Parent&) {
    RichString t;
    if (!OneToken(d, t)) return;
    const int code = Code(t, {{"capitalize", 0}, {"uppercase", 1}, {"lowercase", 2}, {"inherit", -1}}, -2);
    if (code != -2) rule.m_nTextTransform = code;
}

// "url(name)": a leading "url(" once, every trailing ")", single quotes at both ends.
RichString UrlName(RichString text) {
    if (text.compare(0, 4, u"url(") == 0) text.erase(0, 4);
    while (!text.empty() && text.back() == u')') text.pop_back();
    return rich::Trim(text, u"'");
}

void ApplyCssPropCursor(Item*, Item* d, Rule& rule, const Parent& parent) {
    RichString t;
    if (!OneToken(d, t)) return;
    if (t == u"inherit") {
        rule.m_nCursor = parent.m_nCursor;
        if (parent.m_nCursor == 0) rule.m_strCursorUrl = parent.m_strCursorUrl;
        return;
    }
    if (t.find(u"url(") != RichString::npos) {
        rule.m_nCursor = 0;
        rule.m_strCursorUrl = UrlName(t);
        return;
    }
    rule.m_nCursor = Code(t,
                          {{"auto", 1},
                           {"crosshair", 2},
                           {"default", 3},
                           {"e-resize", 4},
                           {"help", 5},
                           {"move", 6},
                           {"n-resize", 7},
                           {"ne-resize", 8},
                           {"nw-resize", 9},
                           {"pointer", 10},
                           {"progress", 11},
                           {"s-resize", 12},
                           {"se-resize", 13},
                           {"sw-resize", 14},
                           {"text", 15},
                           {"w-resize", 16},
                           {"wait", 17}},
                          1);
}

void ApplyCssPropZIndex(Item* item, Item* d, Rule& rule, const Parent& parent) {
    RichString t;
    if (!OneToken(d, t) || !item->GetLayout()) return;
    if (t == u"auto") {
        rule.m_nZIndexMode = 0;
        return;
    }
    if (t == u"inherit") {
        // The parent's order comes with its mode, or a copied "ordered" mode would lose its value.
        rule.m_nZIndexMode = parent.m_nZIndexMode;
        if (parent.m_nZIndexMode == 2) rule.m_nZIndex = parent.m_nZIndex;
        return;
    }
    bool percent = false, noUnit = false;
    item->GetLayout()->ParseLength(t, false, parent, 0, nullptr, &percent, &noUnit, true);
    const int n = rich::LeadingInt(t);
    if (noUnit && n != 0) {
        rule.m_nZIndexMode = 2;
        rule.m_nZIndex = n;
    } else {
        rule.m_nZIndexMode = 0;
        rule.m_nZIndex = kRichUnsetPixels;
    }
}

void ApplyCssPropClip(Item* item, Item* d, Rule& rule, const Parent& parent) {
    RichString t;
    if (!OneToken(d, t) || !item->GetLayout()) return;
    if (t == u"auto") {
        rule.m_nClip = 1;
        return;
    }
    if (t == u"inherit") {
        rule.m_nClip = parent.m_nClip;
        if (parent.m_nClip == 0) rule.m_rcClip = parent.m_rcClip;
        return;
    }
    if (t.find(u"rect") == RichString::npos) return;
    rule.m_nClip = 0;
    std::size_t start = 0;
    while (start < t.size() && rich::IsOneOf(t[start], u"rect(")) ++start;
    std::size_t end = t.size();
    while (end > start && t[end - 1] == u')') --end;
    std::vector<RichString> pieces;
    for (std::size_t from = start;;) {
        const std::size_t comma = t.find(u',', from);
        const std::size_t stop = comma == RichString::npos || comma > end ? end : comma;
        pieces.push_back(rich::Trim(std::u16string_view(t).substr(from, stop - from)));
        if (stop == end) break;
        from = stop + 1;
    }
    CExtRichContentLayout& doc = *item->GetLayout();
    RichRect rc{-1, -1, -1, -1};
    struct Side {
        std::size_t index;
        int* field;
        bool horizontal;
    };
    std::vector<Side> sides = {{0, &rc.top, false}, {1, &rc.right, true}, {2, &rc.bottom, false}};
    if (pieces.size() >= 2) sides.push_back({pieces.size() - 1, &rc.left, true});
    for (const Side& s : sides) {
        if (s.index >= pieces.size()) continue;
        const RichString& piece = pieces[s.index];
        if (piece.empty()) {
            rule.m_nClip = 1;
            continue;
        }
        bool percent = false;
        const int v = doc.ParseLength(piece, s.horizontal, parent, -1, nullptr, &percent);
        if (percent) {
            rule.m_rcClip = RichRect{-1, -1, -1, -1};
            rule.m_nClip = 1;
            return;
        }
        *s.field = v;
    }
    rule.m_rcClip = rc;
}

// ---- lengths ----

void SizeProperty(Item* item, Item* d, bool horizontal, int& pixels, int& percent, const Parent& parent) {
    RichString t;
    if (!OneToken(d, t) || !item->GetLayout()) return;
    if (t == u"auto") {
        pixels = -1;
        percent = -1;
        return;
    }
    // Other keywords would read as a length of 0 and collapse the box.
    if (!IsNumeric(t)) return;
    double fraction = 0;
    bool isPercent = false;
    const int result = item->GetLayout()->ParseLength(t, horizontal, parent, -1, &fraction, &isPercent);
    if (isPercent)
        percent = ClampedPercent(fraction);
    else
        pixels = result;
}

void ApplyCssPropWidth(Item* item, Item* d, Rule& rule, const Parent& parent) {
    SizeProperty(item, d, true, rule.m_nWidth, rule.m_nWidthPercent, parent);
}
void ApplyCssPropHeight(Item* item, Item* d, Rule& rule, const Parent& parent) {
    SizeProperty(item, d, false, rule.m_nHeight, rule.m_nHeightPercent, parent);
}

void LimitProperty(Item* item, Item* d, bool horizontal, bool allowNone, int& pixels, double& percent,
                   int parentPixels, const Parent& parent) {
    RichString t;
    if (!OneToken(d, t) || !item->GetLayout()) return;
    if (t == u"inherit") {
        pixels = parentPixels;
        return;
    }
    if (allowNone && t == u"none") {
        pixels = -1;
        return;
    }
    double fraction = 0;
    bool isPercent = false, noUnit = false;
    const int result = item->GetLayout()->ParseLength(t, horizontal, parent, -1, &fraction, &isPercent, &noUnit);
    if (noUnit)
        pixels = std::abs(rich::LeadingInt(t));
    else if (isPercent)
        percent = ClampedPercent(fraction);
    else
        pixels = std::max(result, 0);
}

void ApplyCssPropMaxHeight(Item* item, Item* d, Rule& rule, const Parent& parent) {
    LimitProperty(item, d, false, true, rule.m_nMaxHeight, rule.m_dMaxHeightPercent, parent.m_nMaxHeight, parent);
}
void ApplyCssPropMaxWidth(Item* item, Item* d, Rule& rule, const Parent& parent) {
    LimitProperty(item, d, true, true, rule.m_nMaxWidth, rule.m_dMaxWidthPercent, parent.m_nMaxWidth, parent);
}
void ApplyCssPropMinHeight(Item* item, Item* d, Rule& rule, const Parent& parent) {
    LimitProperty(item, d, false, false, rule.m_nMinHeight, rule.m_dMinHeightPercent, parent.m_nMinHeight, parent);
}
void ApplyCssPropMinWidth(Item* item, Item* d, Rule& rule, const Parent& parent) {
    LimitProperty(item, d, false, false, rule.m_nMinWidth, rule.m_dMinWidthPercent, parent.m_nMinWidth, parent);
}

void ApplyCssPropTextIndent(Item* item, Item* d, Rule& rule, const Parent& parent) {
    RichString t;
    if (!OneToken(d, t) || !item->GetLayout()) return;
    rule.m_nTextIndent = std::max(0, item->GetLayout()->ParseLength(t, false, parent, -1));
}

void ApplyCssPropWordSpacing(Item* item, Item* d, Rule& rule, const Parent& parent) {
    RichString t;
    if (OneToken(d, t) && item->GetLayout())
        rule.m_nWordSpacing = item->GetLayout()->ParseLength(t, false, parent, kRichUnsetPixels);
}
void ApplyCssPropLetterSpacing(Item* item, Item* d, Rule& rule, const Parent& parent) {
    RichString t;
    if (OneToken(d, t) && item->GetLayout())
        rule.m_nLetterSpacing = item->GetLayout()->ParseLength(t, false, parent, kRichUnsetPixels);
}

void ApplyCssPropColor(Item* item, Item* d, Rule& rule, const Parent&) {
    RichString t;
    if (!OneToken(d, t) || !item->GetLayout()) return;
    const RichColor c = item->GetLayout()->ParseColor(t, kRichColorNone);
    if (c != kRichColorNone) rule.m_clrText = c;
}

int SpacingLength(CExtRichContentLayout& doc, const RichString& t, bool horizontal, const Parent& parent) {
    bool percent = false, noUnit = false;
    const int v = doc.ParseLength(t, horizontal, parent, 0, nullptr, &percent, &noUnit);
    if (percent) return 0;
    if (noUnit) return rich::LeadingInt(t);
    return v;
}

void ApplyCssPropBorderSpacing(Item* item, Item* d, Rule& rule, const Parent& parent) {
    const std::vector<RichString> t = Tokens(d);
    if (t.empty() || t.size() > 2 || !item->GetLayout()) return;
    for (const RichString& token : t) {
        if (token.empty()) return;
        if (token == u"inherit") {
            rule.m_nBorderSpacingX = parent.m_nBorderSpacingX;
            rule.m_nBorderSpacingY = parent.m_nBorderSpacingY;
            return;
        }
    }
    CExtRichContentLayout& doc = *item->GetLayout();
    rule.m_nBorderSpacingX = SpacingLength(doc, t[0], true, parent);
    rule.m_nBorderSpacingY = SpacingLength(doc, t.back(), false, parent);
}

// ---- box shorthands ----

// The one to four tokens of a box shorthand in CSS order, as top, right, bottom, left; false for
// any other count.
bool BoxSides(const Item* d, RichString (&sides)[4]) {
    const std::vector<RichString> t = Tokens(d);
    for (const RichString& token : t)
        if (token.empty()) return false;
    switch (t.size()) {
    case 1: sides[0] = sides[1] = sides[2] = sides[3] = t[0]; return true;
    case 2: sides[0] = sides[2] = t[0]; sides[1] = sides[3] = t[1]; return true;
    case 3: sides[0] = t[0]; sides[1] = sides[3] = t[1]; sides[2] = t[2]; return true;
    case 4: for (int i = 0; i < 4; ++i) sides[i] = t[i]; return true;
    default: return false;
    }
}

void BoxLengths(Item* item, Item* d, RichRect& box, const Parent& parent) {
    RichString s[4];
    if (!BoxSides(d, s) || !item->GetLayout()) return;
    CExtRichContentLayout& doc = *item->GetLayout();
    box.top = std::max(0, doc.ParseLength(s[0], false, parent, 0));
    box.right = std::max(0, doc.ParseLength(s[1], true, parent, 0));
    box.bottom = std::max(0, doc.ParseLength(s[2], false, parent, 0));
    box.left = std::max(0, doc.ParseLength(s[3], true, parent, 0));
}

void ApplyCssPropPadding(Item* item, Item* d, Rule& rule, const Parent& parent) {
    BoxLengths(item, d, rule.m_rcPadding, parent);
}
void ApplyCssPropMargin(Item* item, Item* d, Rule& rule, const Parent& parent) {
    BoxLengths(item, d, rule.m_rcMargin, parent);
}
void ApplyCssPropUiSlice(Item* item, Item* d, Rule& rule, const Parent& parent) {
    BoxLengths(item, d, rule.m_rcSlice, parent);
}
void ApplyCssPropUiBackgroundSlice(Item* item, Item* d, Rule& rule, const Parent& parent) {
    BoxLengths(item, d, rule.m_rcBackgroundSlice, parent);
}
void ApplyCssPropUiBackgroundExtend(Item* item, Item* d, Rule& rule, const Parent& parent) {
    BoxLengths(item, d, rule.m_rcBackgroundExtend, parent);
}

// Side flags of the value parsers: left, right, top, bottom; the shorthands' order is top,
// right, bottom, left.
constexpr bool kTop[4] = {false, false, true, false};
constexpr bool kRight[4] = {false, true, false, false};
constexpr bool kBottom[4] = {false, false, false, true};
constexpr bool kLeft[4] = {true, false, false, false};
constexpr const bool* kShorthandSides[4] = {kTop, kRight, kBottom, kLeft};
constexpr bool kAll[4] = {true, true, true, true};

void ApplyCssPropBorderWidth(Item* item, Item* d, Rule& rule, const Parent& parent) {
    RichString s[4];
    if (!BoxSides(d, s)) return;
    for (int i = 0; i < 4; ++i) {
        const bool* f = kShorthandSides[i];
        item->ParseBorderWidth(rule, parent, s[i], f[0], f[1], f[2], f[3]);
    }
}
void ApplyCssPropBorderColor(Item* item, Item* d, Rule& rule, const Parent&) {
    RichString s[4];
    if (!BoxSides(d, s)) return;
    for (int i = 0; i < 4; ++i) {
        const bool* f = kShorthandSides[i];
        item->ParseBorderColor(rule, s[i], f[0], f[1], f[2], f[3]);
    }
}
void ApplyCssPropBorderStyle(Item* item, Item* d, Rule& rule, const Parent&) {
    RichString s[4];
    if (!BoxSides(d, s)) return;
    for (int i = 0; i < 4; ++i) {
        const bool* f = kShorthandSides[i];
        item->ParseBorderStyle(rule, s[i], f[0], f[1], f[2], f[3]);
    }
}

// ---- per-side properties ----

enum class Group { Margin, Padding, BorderColor, BorderWidth, BorderStyle };

void PerSide(Item* item, Item* d, Rule& rule, const Parent& parent, Group group, const bool* f) {
    for (const RichString& t : Tokens(d)) {
        if (t.empty()) continue;
        switch (group) {
        case Group::Margin: item->ParseMargin(rule, parent, t, f[0], f[1], f[2], f[3]); break;
        case Group::Padding: item->ParsePadding(rule, parent, t, f[0], f[1], f[2], f[3]); break;
        case Group::BorderColor: item->ParseBorderColor(rule, t, f[0], f[1], f[2], f[3]); break;
        case Group::BorderWidth: item->ParseBorderWidth(rule, parent, t, f[0], f[1], f[2], f[3]); break;
        case Group::BorderStyle: item->ParseBorderStyle(rule, t, f[0], f[1], f[2], f[3]); break;
        }
    }
}

#define RICH_SIDE_HANDLER(name, group, sides)                                   \
    void name(Item* item, Item* d, Rule& rule, const Parent& parent) {          \
        PerSide(item, d, rule, parent, Group::group, sides);                    \
    }
RICH_SIDE_HANDLER(ApplyCssPropMarginLeft, Margin, kLeft)
RICH_SIDE_HANDLER(ApplyCssPropMarginRight, Margin, kRight)
RICH_SIDE_HANDLER(ApplyCssPropMarginTop, Margin, kTop)
RICH_SIDE_HANDLER(ApplyCssPropMarginBottom, Margin, kBottom)
RICH_SIDE_HANDLER(ApplyCssPropPaddingLeft, Padding, kLeft)
RICH_SIDE_HANDLER(ApplyCssPropPaddingRight, Padding, kRight)
RICH_SIDE_HANDLER(ApplyCssPropPaddingTop, Padding, kTop)
RICH_SIDE_HANDLER(ApplyCssPropPaddingBottom, Padding, kBottom)
RICH_SIDE_HANDLER(ApplyCssPropBorderLeftColor, BorderColor, kLeft)
RICH_SIDE_HANDLER(ApplyCssPropBorderRightColor, BorderColor, kRight)
RICH_SIDE_HANDLER(ApplyCssPropBorderTopColor, BorderColor, kTop)
RICH_SIDE_HANDLER(ApplyCssPropBorderBottomColor, BorderColor, kBottom)
RICH_SIDE_HANDLER(ApplyCssPropBorderLeftWidth, BorderWidth, kLeft)
RICH_SIDE_HANDLER(ApplyCssPropBorderRightWidth, BorderWidth, kRight)
RICH_SIDE_HANDLER(ApplyCssPropBorderTopWidth, BorderWidth, kTop)
RICH_SIDE_HANDLER(ApplyCssPropBorderBottomWidth, BorderWidth, kBottom)
RICH_SIDE_HANDLER(ApplyCssPropBorderLeftStyle, BorderStyle, kLeft)
RICH_SIDE_HANDLER(ApplyCssPropBorderRightStyle, BorderStyle, kRight)
RICH_SIDE_HANDLER(ApplyCssPropBorderTopStyle, BorderStyle, kTop)
RICH_SIDE_HANDLER(ApplyCssPropBorderBottomStyle, BorderStyle, kBottom)
#undef RICH_SIDE_HANDLER

// ---- border shorthands ----

void BorderShorthand(Item* item, Item* d, Rule& rule, const Parent& parent, const bool* f) {
    for (const RichString& t : Tokens(d)) {
        if (t.empty()) continue;
        if (t == u"inherit") {
            item->ParseBorderStyle(rule, t, f[0], f[1], f[2], f[3]);
            item->ParseBorderColor(rule, t, f[0], f[1], f[2], f[3]);
            item->ParseBorderWidth(rule, parent, t, f[0], f[1], f[2], f[3]);
            continue;
        }
        if (item->ParseBorderStyle(rule, t, f[0], f[1], f[2], f[3])) continue;
        if (item->ParseBorderColor(rule, t, f[0], f[1], f[2], f[3])) continue;
        item->ParseBorderWidth(rule, parent, t, f[0], f[1], f[2], f[3]);
    }
}

void ApplyCssPropBorder(Item* item, Item* d, Rule& rule, const Parent& parent) {
    BorderShorthand(item, d, rule, parent, kAll);
}
void ApplyCssPropBorderLeft(Item* item, Item* d, Rule& rule, const Parent& parent) {
    BorderShorthand(item, d, rule, parent, kLeft);
}
void ApplyCssPropBorderRight(Item* item, Item* d, Rule& rule, const Parent& parent) {
    BorderShorthand(item, d, rule, parent, kRight);
}
void ApplyCssPropBorderTop(Item* item, Item* d, Rule& rule, const Parent& parent) {
    BorderShorthand(item, d, rule, parent, kTop);
}
void ApplyCssPropBorderBottom(Item* item, Item* d, Rule& rule, const Parent& parent) {
    BorderShorthand(item, d, rule, parent, kBottom);
}

// ---- fonts ----

void ApplyCssPropFont(Item* item, Item* d, Rule& rule, const Parent& parent) {
    bool size = false, family = false, weight = false, any = false;
    bool first = true;
    for (const Item* token : d->m_listAttributes) {
        const RichString t = rich::Lower(rich::Trim(token->m_strValue, u" \t\r\n'\""));
        if (t.empty() || t == u"inherit") continue;
        const bool isFirst = first;
        first = false;
        const std::size_t slash = t.find(u'/');
        if (slash != RichString::npos && !size && !family) {
            item->ParseFontSize(rule, parent, t.substr(0, slash));
            item->ParseLineHeight(rule, parent, t.substr(slash + 1));
            size = any = true;
            continue;
        }
        if (item->ParseFontStyle(rule, t) && isFirst && !any) {
            any = true;
            continue;
        }
        if (item->ParseFontWeight(rule, t) && !weight && !size && !family) {
            weight = any = true;
            continue;
        }
        if (item->ParseFontFamily(rule, t) && !family) family = any = true;
    }
}

void ApplyCssPropFontFamily(Item* item, Item* d, Rule& rule, const Parent&) {
    for (const RichString& t : Tokens(d))
        if (!t.empty() && item->ParseFontFamily(rule, t)) return;
}
void ApplyCssPropFontStyle(Item* item, Item* d, Rule& rule, const Parent&) {
    RichString t;
    if (OneToken(d, t)) item->ParseFontStyle(rule, t);
}
void ApplyCssPropFontSize(Item* item, Item* d, Rule& rule, const Parent& parent) {
    RichString t;
    if (OneToken(d, t)) item->ParseFontSize(rule, parent, t);
}
void ApplyCssPropFontWeight(Item* item, Item* d, Rule& rule, const Parent&) {
    RichString t;
    if (OneToken(d, t)) item->ParseFontWeight(rule, t);
}
void ApplyCssPropLineHeight(Item* item, Item* d, Rule& rule, const Parent& parent) {
    RichString t;
    if (OneToken(d, t)) item->ParseLineHeight(rule, parent, t);
}

// ---- outlines and list styles ----

// One to three tokens, each taken by the first of the three parsers that has not yet taken one
// and accepts it, so the parts may come in any order ("1px solid red", "red solid").
template <class P1, class P2, class P3>
void ThreePartShorthand(Item* d, P1 first, P2 second, P3 third) {
    const std::vector<RichString> tokens = Tokens(d);
    if (tokens.empty() || tokens.size() > 3) return;
    bool taken[3] = {};
    for (const RichString& t : tokens) {
        if (t.empty()) continue;
        if (!taken[0] && first(t)) taken[0] = true;
        else if (!taken[1] && second(t)) taken[1] = true;
        else if (!taken[2] && third(t)) taken[2] = true;
    }
}

void ApplyCssPropOutline(Item* item, Item* d, Rule& rule, const Parent& parent) {
    ThreePartShorthand(
        d, [&](const RichString& t) { return item->ParseOutlineColor(rule, parent, t); },
        [&](const RichString& t) { return item->ParseOutlineStyle(rule, parent, t); },
        [&](const RichString& t) { return item->ParseOutlineWidth(rule, parent, t); });
}
void ApplyCssPropOutlineColor(Item* item, Item* d, Rule& rule, const Parent& parent) {
    RichString t;
    if (OneToken(d, t)) item->ParseOutlineColor(rule, parent, t);
}
void ApplyCssPropOutlineStyle(Item* item, Item* d, Rule& rule, const Parent& parent) {
    RichString t;
    if (OneToken(d, t)) item->ParseOutlineStyle(rule, parent, t);
}
void ApplyCssPropOutlineWidth(Item* item, Item* d, Rule& rule, const Parent& parent) {
    RichString t;
    if (OneToken(d, t)) item->ParseOutlineWidth(rule, parent, t);
}

void ApplyCssPropListStyle(Item* item, Item* d, Rule& rule, const Parent& parent) {
    ThreePartShorthand(
        d, [&](const RichString& t) { return item->ParseListStyleImage(rule, parent, t); },
        [&](const RichString& t) { return item->ParseListStylePosition(rule, parent, t); },
        [&](const RichString& t) { return item->ParseListStyleType(rule, parent, t); });
}

// The single token with its case kept (an image name).
bool OneTokenAsWritten(const Item* d, RichString& token) {
    if (d->m_listAttributes.GetCount() != 1) return false;
    token = rich::Trim(d->m_listAttributes.GetHead()->m_strValue);
    return !token.empty();
}

void ApplyCssPropListStyleImage(Item* item, Item* d, Rule& rule, const Parent& parent) {
    RichString t;
    if (OneTokenAsWritten(d, t)) item->ParseListStyleImage(rule, parent, t);
}
void ApplyCssPropListStylePosition(Item* item, Item* d, Rule& rule, const Parent& parent) {
    RichString t;
    if (OneTokenAsWritten(d, t)) item->ParseListStylePosition(rule, parent, t);
}
void ApplyCssPropListStyleType(Item* item, Item* d, Rule& rule, const Parent& parent) {
    RichString t;
    if (OneTokenAsWritten(d, t)) item->ParseListStyleType(rule, parent, t);
}

// ---- position offsets ----

void ApplyCssPropLeft(Item* item, Item* d, Rule& rule, const Parent& parent) {
    RichString t;
    if (OneToken(d, t)) item->ParsePositionOffset(rule, parent, t, 0);
}
void ApplyCssPropTop(Item* item, Item* d, Rule& rule, const Parent& parent) {
    RichString t;
    if (OneToken(d, t)) item->ParsePositionOffset(rule, parent, t, 1);
}
void ApplyCssPropRight(Item* item, Item* d, Rule& rule, const Parent& parent) {
    RichString t;
    if (OneToken(d, t)) item->ParsePositionOffset(rule, parent, t, 2);
}
void ApplyCssPropBottom(Item* item, Item* d, Rule& rule, const Parent& parent) {
    RichString t;
    if (OneToken(d, t)) item->ParsePositionOffset(rule, parent, t, 3);
}

// ---- backgrounds ----

void ApplyCssPropBackground(Item* item, Item* d, Rule& rule, const Parent& parent) {
    const std::vector<RichString> tokens = Tokens(d);
    if (tokens.empty() || tokens.size() > 6) return;
    const Rule saved = rule;
    auto restore = [&] {
        rule.m_clrBackground = saved.m_clrBackground;
        rule.m_strBackgroundImage = saved.m_strBackgroundImage;
        rule.m_nBackgroundRepeat = saved.m_nBackgroundRepeat;
        rule.m_nBackgroundAttachment = saved.m_nBackgroundAttachment;
        rule.m_nBackgroundPosKind = saved.m_nBackgroundPosKind;
        rule.m_nBackgroundPosKeywords = saved.m_nBackgroundPosKeywords;
        rule.m_ptBackgroundPos = saved.m_ptBackgroundPos;
        rule.m_nBackgroundColorMode = saved.m_nBackgroundColorMode;
    };
    for (const RichString& t : tokens)
        if (t == u"inherit") {
            rule.m_clrBackground = parent.m_clrBackground;
            rule.m_strBackgroundImage = parent.m_strBackgroundImage;
            rule.m_nBackgroundRepeat = parent.m_nBackgroundRepeat;
            rule.m_nBackgroundAttachment = parent.m_nBackgroundAttachment;
            rule.m_nBackgroundPosKind = parent.m_nBackgroundPosKind;
            rule.m_nBackgroundPosKeywords = parent.m_nBackgroundPosKeywords;
            rule.m_ptBackgroundPos = parent.m_ptBackgroundPos;
            return;
        }
    // Colour, image, repeat and attachment in any order; what none of them takes is a position.
    bool taken[4] = {};
    std::vector<RichString> positions;
    for (const RichString& t : tokens) {
        if (t.empty()) continue;
        // Any text is an image name to the image parser: here only what reads as one.
        const bool image = t.find(u"url(") != RichString::npos || t == u"none";
        if (!taken[0] && item->ParseBackgroundColor(rule, parent, t)) taken[0] = true;
        else if (!taken[1] && image && item->ParseBackgroundImage(rule, parent, t)) taken[1] = true;
        else if (!taken[2] && item->ParseBackgroundRepeat(rule, t)) taken[2] = true;
        else if (!taken[3] && item->ParseBackgroundAttachment(rule, t)) taken[3] = true;
        else positions.push_back(t);
    }
    if (positions.size() > 2) {
        restore();
        return;
    }
    const int count = static_cast<int>(positions.size());
    for (int i = 0; i < count; ++i)
        if (!item->ParseBackgroundPosition(rule, parent, positions[i], count, i + 1)) {
            restore();
            return;
        }
}

void ApplyCssPropBackgroundColor(Item* item, Item* d, Rule& rule, const Parent& parent) {
    RichString t;
    if (OneToken(d, t)) item->ParseBackgroundColor(rule, parent, t);
}
void ApplyCssPropBackgroundImage(Item* item, Item* d, Rule& rule, const Parent& parent) {
    RichString t;
    if (OneToken(d, t)) item->ParseBackgroundImage(rule, parent, t);
}
void ApplyCssPropBackgroundRepeat(Item* item, Item* d, Rule& rule, const Parent&) {
    RichString t;
    if (OneToken(d, t)) item->ParseBackgroundRepeat(rule, t);
}
void ApplyCssPropBackgroundAttachment(Item* item, Item* d, Rule& rule, const Parent&) {
    RichString t;
    if (OneToken(d, t)) item->ParseBackgroundAttachment(rule, t);
}
void ApplyCssPropBackgroundPosition(Item* item, Item* d, Rule& rule, const Parent& parent) {
    const std::vector<RichString> tokens = Tokens(d);
    const int count = static_cast<int>(tokens.size());
    if (count < 1 || count > 2) return;
    for (int i = 0; i < count; ++i)
        if (tokens[i].empty() || !item->ParseBackgroundPosition(rule, parent, tokens[i], count, i + 1)) return;
}

// ---- generated content ----

void ApplyCssPropQuotes(Item*, Item* d, Rule& rule, const Parent&) {
    const std::vector<RichString> t = Tokens(d);
    if (t.empty() || t.size() % 2 != 0) return;
    for (std::size_t i = 0; i < t.size(); i += 2) rule.m_quotes.push_back({t[i], t[i + 1]});
}

void ApplyCssPropCounterIncrement(Item*, Item* d, Rule& rule, const Parent&) {
    RichString t;
    if (OneToken(d, t)) rule.m_strCounter = t;
}

void ApplyCssPropContent(Item* item, Item* d, Rule& rule, const Parent&) {
    if (d->m_listAttributes.GetCount() != 1) return;
    const RichString& t = d->m_listAttributes.GetHead()->m_strValue;
    if (t.empty()) return;
    if (item->m_strName.find(u":before") != RichString::npos) {
        rule.m_strContentBefore = t;
        item->m_states[RichUiState::Before] = RichUiState::On;
    } else if (item->m_strName.find(u":after") != RichString::npos) {
        rule.m_strContentAfter = t;
        item->m_states[RichUiState::After] = RichUiState::On;
    } else {
        rule.m_strCounter = t;
    }
}

// ---- toolkit properties ----

void CanBe(Item* d, Rule& rule, int state) {
    RichString t;
    if (OneToken(d, t)) rule.m_uiCaps[state] = Switch(t);
}
void ApplyCssPropUiCanBeDisable(Item*, Item* d, Rule& rule, const Parent&) { CanBe(d, rule, RichUiState::Disabled); }
void ApplyCssPropUiCanBeActive(Item*, Item* d, Rule& rule, const Parent&) { CanBe(d, rule, RichUiState::Active); }
void ApplyCssPropUiCanBeFocus(Item*, Item* d, Rule& rule, const Parent&) { CanBe(d, rule, RichUiState::Focus); }
void ApplyCssPropUiCanBeSelected(Item*, Item* d, Rule& rule, const Parent&) { CanBe(d, rule, RichUiState::Selected); }
void ApplyCssPropUiCanBeHover(Item*, Item* d, Rule& rule, const Parent&) { CanBe(d, rule, RichUiState::Hover); }
void ApplyCssPropUiCanBePress(Item*, Item* d, Rule& rule, const Parent&) { CanBe(d, rule, RichUiState::Pressed); }
void ApplyCssPropUiCanBeLink(Item*, Item* d, Rule& rule, const Parent&) { CanBe(d, rule, RichUiState::Link); }
void ApplyCssPropUiCanBeVisit(Item*, Item* d, Rule& rule, const Parent&) { CanBe(d, rule, RichUiState::Visited); }

void FocusSwitch(Item* d, int& field) {
    RichString t;
    if (OneToken(d, t)) field = Switch(t);
}
void ApplyCssPropUiFocusOnMakeSelected(Item*, Item* d, Rule& rule, const Parent&) {
    FocusSwitch(d, rule.m_nFocusOnMakeSelected);
}
void ApplyCssPropUiFocusOnMakeUnselectedSibling(Item*, Item* d, Rule& rule, const Parent&) {
    FocusSwitch(d, rule.m_nFocusOnMakeUnselectedSibling);
}
void ApplyCssPropUiFocusOffMakeUnselected(Item*, Item* d, Rule& rule, const Parent&) {
    FocusSwitch(d, rule.m_nFocusOffMakeUnselected);
}
void ApplyCssPropUiFocusOffMakeUnselectedSibling(Item*, Item* d, Rule& rule, const Parent&) {
    FocusSwitch(d, rule.m_nFocusOffMakeUnselectedSibling);
}

void ApplyCssPropUiListNavigation(Item*, Item* d, Rule& rule, const Parent&) {
    RichString t;
    if (!OneToken(d, t)) return;
    rule.m_nListNavigation = Code(t,
                                  {{"yes", 3},
                                   {"true", 3},
                                   {"1", 3},
                                   {"list", 3},
                                   {"list-y", 3},
                                   {"list-x", 2},
                                   {"list-xy", 4},
                                   {"no", 1},
                                   {"not", 1},
                                   {"0", 1},
                                   {"none", 1}},
                                  0);
}

constexpr Codes kDrawMethods = {{"hollow", 0},          {"center", 1},          {"stretch", 2},
                                {"tile-horizontally", 3}, {"tile-vertically", 4}, {"tile", 5}};
void ApplyCssPropUiDrawMethod(Item*, Item* d, Rule& rule, const Parent&) {
    RichString t;
    if (OneToken(d, t)) rule.m_nDrawMethod = Code(t, kDrawMethods, -1);
}
void ApplyCssPropUiBackgroundDrawMethod(Item*, Item* d, Rule& rule, const Parent&) {
    RichString t;
    if (OneToken(d, t)) rule.m_nBackgroundDrawMethod = Code(t, kDrawMethods, -1);
}

void Transparency(Item* item, Item* d, int& field, const Parent& parent) {
    RichString t;
    if (!OneToken(d, t) || !item->GetLayout()) return;
    if (t == u"thin" || t == u"medium" || t == u"thick") return;
    bool hasUnit = t.find(u'%') != RichString::npos;
    for (const char16_t* unit : {u"px", u"pt", u"cm", u"em", u"__qem", u"in", u"mm", u"ex", u"pc"})
        if (t.find(unit) != RichString::npos) hasUnit = true;
    if (!hasUnit) t += u"px";
    double fraction = 0;
    bool percent = false;
    const int v = item->GetLayout()->ParseLength(t, false, parent, kRichUnsetPixels, &fraction, &percent);
    if (percent) {
        const double alpha = (fraction == fraction) ? std::clamp(fraction, 0.0, 1.0) : 0.0;
        field = static_cast<int>(alpha * 255.0);
    } else {
        field = std::clamp(v, 0, 255);
    }
}
void ApplyCssPropUiTransparency(Item* item, Item* d, Rule& rule, const Parent& parent) {
    Transparency(item, d, rule.m_nTransparency, parent);
}
void ApplyCssPropUiBackgroundTransparency(Item* item, Item* d, Rule& rule, const Parent& parent) {
    Transparency(item, d, rule.m_nBackgroundTransparency, parent);
}

void ApplyCssPropUiFocusEnsureVisibility(Item*, Item* d, Rule& rule, const Parent&) {
    RichString t;
    if (!OneToken(d, t)) return;
    rule.m_nFocusEnsureVisibility =
        Code(t, {{"yes", 2}, {"true", 2}, {"1", 2}, {"ensure", 2}, {"no", 1}, {"not", 1}, {"0", 1}, {"none", 1}}, 0);
}

void ApplyCssPropUiDelayedDraw(Item*, Item* d, Rule& rule, const Parent&) {
    RichString t;
    if (!OneToken(d, t)) return;
    const int code = Code(t, {{"0", 0},
                              {"default", 0},
                              {"bottom", 0},
                              {"bottommost", 0},
                              {"1", 1},
                              {"inherit", 1},
                              {"2", 2},
                              {"post-sibling", 2},
                              {"sibling", 2},
                              {"level", 2},
                              {"post-level", 2},
                              {"3", 3},
                              {"pre-fa", 3},
                              {"pre-fixed-absolute", 3},
                              {"non-top", 3},
                              {"non-topmost", 3},
                              {"4", 4},
                              {"post-fa", 4},
                              {"post-fixed-absolute", 4},
                              {"top", 4},
                              {"topmost", 4}});
    if (code >= 0) rule.m_nDelayedDraw = code;
}

}  // namespace

const RichStyleHandlerEntry g_CssPropertyHandlers[] = {
    {u"visibility", ApplyCssPropVisibility},
    {u"display", ApplyCssPropDisplay},
    {u"ui-dock", ApplyCssPropUiDock},
    {u"table-layout", ApplyCssPropTableLayout},
    {u"empty-cells", ApplyCssPropEmptyCells},
    {u"caption-side", ApplyCssPropCaptionSide},
    {u"border-collapse", ApplyCssPropBorderCollapse},
    {u"float", ApplyCssPropFloat},
    {u"overflow", ApplyCssPropOverflow},
    {u"ui-sbh", ApplyCssPropUiSbh},
    {u"ui-sbv", ApplyCssPropUiSbv},
    {u"position", ApplyCssPropPosition},
    {u"white-space", ApplyCssPropWhiteSpace},
    {u"text-align", ApplyCssPropTextAlign},
    {u"direction", ApplyCssPropDirection},
    {u"vertical-align", ApplyCssPropVerticalAlign},
    {u"text-decoration", ApplyCssPropTextDecoration},
    {u"text-transform", ApplyCssPropTextTransform},
    {u"cursor", ApplyCssPropCursor},
    {u"z-index", ApplyCssPropZIndex},
    {u"clip", ApplyCssPropClip},
    {u"width", ApplyCssPropWidth},
    {u"height", ApplyCssPropHeight},
    {u"max-height", ApplyCssPropMaxHeight},
    {u"max-width", ApplyCssPropMaxWidth},
    {u"min-height", ApplyCssPropMinHeight},
    {u"min-width", ApplyCssPropMinWidth},
    {u"text-indent", ApplyCssPropTextIndent},
    {u"word-spacing", ApplyCssPropWordSpacing},
    {u"letter-spacing", ApplyCssPropLetterSpacing},
    {u"color", ApplyCssPropColor},
    {u"border-spacing", ApplyCssPropBorderSpacing},
    {u"padding", ApplyCssPropPadding},
    {u"margin", ApplyCssPropMargin},
    {u"ui-slice", ApplyCssPropUiSlice},
    {u"ui-background-slice", ApplyCssPropUiBackgroundSlice},
    {u"ui-background-extend", ApplyCssPropUiBackgroundExtend},
    {u"border-width", ApplyCssPropBorderWidth},
    {u"border-color", ApplyCssPropBorderColor},
    {u"border-style", ApplyCssPropBorderStyle},
    {u"margin-left", ApplyCssPropMarginLeft},
    {u"margin-right", ApplyCssPropMarginRight},
    {u"margin-top", ApplyCssPropMarginTop},
    {u"margin-bottom", ApplyCssPropMarginBottom},
    {u"padding-left", ApplyCssPropPaddingLeft},
    {u"padding-right", ApplyCssPropPaddingRight},
    {u"padding-top", ApplyCssPropPaddingTop},
    {u"padding-bottom", ApplyCssPropPaddingBottom},
    {u"border-left-color", ApplyCssPropBorderLeftColor},
    {u"border-right-color", ApplyCssPropBorderRightColor},
    {u"border-top-color", ApplyCssPropBorderTopColor},
    {u"border-bottom-color", ApplyCssPropBorderBottomColor},
    {u"border-left-width", ApplyCssPropBorderLeftWidth},
    {u"border-right-width", ApplyCssPropBorderRightWidth},
    {u"border-top-width", ApplyCssPropBorderTopWidth},
    {u"border-bottom-width", ApplyCssPropBorderBottomWidth},
    {u"border-left-style", ApplyCssPropBorderLeftStyle},
    {u"border-right-style", ApplyCssPropBorderRightStyle},
    {u"border-top-style", ApplyCssPropBorderTopStyle},
    {u"border-bottom-style", ApplyCssPropBorderBottomStyle},
    {u"border", ApplyCssPropBorder},
    {u"border-left", ApplyCssPropBorderLeft},
    {u"border-right", ApplyCssPropBorderRight},
    {u"border-top", ApplyCssPropBorderTop},
    {u"border-bottom", ApplyCssPropBorderBottom},
    {u"font", ApplyCssPropFont},
    {u"font-family", ApplyCssPropFontFamily},
    {u"font-style", ApplyCssPropFontStyle},
    {u"font-size", ApplyCssPropFontSize},
    {u"font-weight", ApplyCssPropFontWeight},
    {u"line-height", ApplyCssPropLineHeight},
    {u"outline", ApplyCssPropOutline},
    {u"outline-color", ApplyCssPropOutlineColor},
    {u"outline-style", ApplyCssPropOutlineStyle},
    {u"outline-width", ApplyCssPropOutlineWidth},
    {u"list-style", ApplyCssPropListStyle},
    {u"list-style-image", ApplyCssPropListStyleImage},
    {u"list-style-position", ApplyCssPropListStylePosition},
    {u"list-style-type", ApplyCssPropListStyleType},
    {u"left", ApplyCssPropLeft},
    {u"top", ApplyCssPropTop},
    {u"right", ApplyCssPropRight},
    {u"bottom", ApplyCssPropBottom},
    {u"background", ApplyCssPropBackground},
    {u"background-color", ApplyCssPropBackgroundColor},
    {u"background-image", ApplyCssPropBackgroundImage},
    {u"background-repeat", ApplyCssPropBackgroundRepeat},
    {u"background-attachment", ApplyCssPropBackgroundAttachment},
    {u"background-position", ApplyCssPropBackgroundPosition},
    {u"quotes", ApplyCssPropQuotes},
    {u"counter-increment", ApplyCssPropCounterIncrement},
    {u"counter-reset", ApplyCssPropCounterIncrement},
    {u"content", ApplyCssPropContent},
    {u"ui-can-be-disable", ApplyCssPropUiCanBeDisable},
    {u"ui-can-be-disabled", ApplyCssPropUiCanBeDisable},
    {u"ui-can-be-active", ApplyCssPropUiCanBeActive},
    {u"ui-can-be-focus", ApplyCssPropUiCanBeFocus},
    {u"ui-can-be-focused", ApplyCssPropUiCanBeFocus},
    {u"ui-can-be-selected", ApplyCssPropUiCanBeSelected},
    {u"ui-can-be-selection", ApplyCssPropUiCanBeSelected},
    {u"ui-can-be-hover", ApplyCssPropUiCanBeHover},
    {u"ui-can-be-hovered", ApplyCssPropUiCanBeHover},
    {u"ui-can-be-press", ApplyCssPropUiCanBePress},
    {u"ui-can-be-pressed", ApplyCssPropUiCanBePress},
    {u"ui-can-be-link", ApplyCssPropUiCanBeLink},
    {u"ui-can-be-visit", ApplyCssPropUiCanBeVisit},
    {u"ui-can-be-visited", ApplyCssPropUiCanBeVisit},
    {u"ui-focus-on-make-selected", ApplyCssPropUiFocusOnMakeSelected},
    {u"ui-focus-on-make-selection", ApplyCssPropUiFocusOnMakeSelected},
    {u"ui-focus-on-make-unselected-sibling", ApplyCssPropUiFocusOnMakeUnselectedSibling},
    {u"ui-focus-on-make-unselection-sibling", ApplyCssPropUiFocusOnMakeUnselectedSibling},
    {u"ui-focus-off-make-unselected", ApplyCssPropUiFocusOffMakeUnselected},
    {u"ui-focus-off-make-unselection", ApplyCssPropUiFocusOffMakeUnselected},
    {u"ui-focus-off-make-unselected-sibling", ApplyCssPropUiFocusOffMakeUnselectedSibling},
    {u"ui-focus-off-make-unselection-sibling", ApplyCssPropUiFocusOffMakeUnselectedSibling},
    {u"ui-list-navigation", ApplyCssPropUiListNavigation},
    {u"ui-draw-method", ApplyCssPropUiDrawMethod},
    {u"ui-background-draw-method", ApplyCssPropUiBackgroundDrawMethod},
    {u"ui-transparency", ApplyCssPropUiTransparency},
    {u"ui-background-transparency", ApplyCssPropUiBackgroundTransparency},
    {u"ui-focus-ensure-visibility", ApplyCssPropUiFocusEnsureVisibility},
    {u"ui-delayed-draw", ApplyCssPropUiDelayedDraw},
};
const std::size_t g_CssPropertyHandlerCount = sizeof g_CssPropertyHandlers / sizeof g_CssPropertyHandlers[0];
