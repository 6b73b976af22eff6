// The HTML attribute handlers and the lookup of both handler tables.
#include "toolkit/richcontent/rich_handlers.h"

#include "toolkit/richcontent/rich_item.h"
#include "toolkit/richcontent/rich_layout.h"
#include "toolkit/richcontent/rich_platform.h"
#include "toolkit/richcontent/rich_text.h"

#include <algorithm>
#include <cstdlib>
#include <unordered_map>
#include <vector>

namespace {

using HandlerMap = std::unordered_map<RichString, RichStyleHandler>;

RichString AttributeValue(const CExtRichContentItem* attribute) { return rich::Trim(attribute->m_strValue); }
// Keyword and number attributes compare in lower case.
RichString Keyword(const CExtRichContentItem* attribute) { return rich::Lower(AttributeValue(attribute)); }

// MulDiv: the product over the divisor rounded half away from zero.
int MulDivRound(long long a, long long b, long long c) {
    if (c == 0) return -1;
    const long long p = a * b;
    const long long q = (std::llabs(p) + std::llabs(c) / 2) / std::llabs(c);
    const long long r = (p < 0) != (c < 0) ? -q : q;
    return static_cast<int>(std::clamp<long long>(r, -2147483647LL, 2147483647LL));
}

int ClampedPercent(double fraction) {
    const double v = fraction * 100.0;
    if (!(v == v)) return 0;
    return static_cast<int>(std::clamp(v, 0.0, 100.0));
}

// "class": the item's class names and tag-qualified class names, each applied from every style
// sheet in order (a class selector ".c" is kept under the key c).
void ApplyHtmlAttrClass(CExtRichContentItem* item, CExtRichContentItem* attribute, CExtRichStyleRule& rule,
                        const CExtRichStyleDescription& parentStyle) {
    if (item->m_nKind == kRichItemStateHolder || attribute->m_strValue.empty()) return;
    const RichString value = AttributeValue(attribute);
    const RichString tag = item->GetTagName();
    std::vector<RichString> keys;
    std::size_t start = 0;
    for (;;) {
        const std::size_t space = value.find(u' ', start);
        const RichString name = value.substr(start, space == RichString::npos ? RichString::npos : space - start);
        keys.push_back(name);
        keys.push_back(tag + u"." + name);
        if (space == RichString::npos) break;
        start = space + 1;
    }
    if (!keys.empty()) {
        std::vector<RichString>& names = item->Extras().m_classNames;
        names.insert(names.end(), keys.begin(), keys.end());
    }
    CExtRichContentLayout* layout = item->GetLayout();
    if (!layout) return;
    for (CExtRichContentLayout* sheet : layout->m_listStyleSheets)
        for (const RichString& key : keys) sheet->ApplyRuleHolder(item, &key, rule, parentStyle);
}

void ApplyHtmlAttrId(CExtRichContentItem* item, CExtRichContentItem* attribute, CExtRichStyleRule&,
                     const CExtRichStyleDescription&) {
    if (!attribute->m_strValue.empty()) item->SetId(AttributeValue(attribute));
}
void ApplyHtmlAttrUiidsrc(CExtRichContentItem* item, CExtRichContentItem* attribute, CExtRichStyleRule&,
                          const CExtRichStyleDescription&) {
    if (!attribute->m_strValue.empty()) item->SetUiIdSrc(AttributeValue(attribute));
}
void ApplyHtmlAttrUiiddst(CExtRichContentItem* item, CExtRichContentItem* attribute, CExtRichStyleRule&,
                          const CExtRichStyleDescription&) {
    if (!attribute->m_strValue.empty()) item->SetUiIdDst(AttributeValue(attribute));
}
void ApplyHtmlAttrName(CExtRichContentItem* item, CExtRichContentItem* attribute, CExtRichStyleRule&,
                       const CExtRichStyleDescription&) {
    if (!attribute->m_strValue.empty()) item->SetNameAttr(AttributeValue(attribute));
}

// "size": a signed step multiplies the inherited height; a plain number is a font size of the
// classic seven-step scale.
// In a browser's page the seven steps are those of browsers (3 the normal size, a signed
// value a step away from it).
void ApplyHtmlAttrSize(CExtRichContentItem* item, CExtRichContentItem* attribute, CExtRichStyleRule& rule,
                       const CExtRichStyleDescription&) {
    const RichString v = Keyword(attribute);
    if (v.empty()) return;
    const int n = rich::LeadingInt(v);
    if (item && item->GetLayout() && item->GetLayout()->m_bPageDocument) {
        static const int kPixels[7] = {10, 13, 16, 18, 24, 32, 48};
        const int step = std::clamp(v[0] == u'+' || v[0] == u'-' ? 3 + n : n, 1, 7);
        rule.m_nFontSize = MulDivRound(kPixels[step - 1], std::abs(RichPlatform().DpiY()), 96);
        return;
    }
    if (v[0] == u'+' || v[0] == u'-') {
        rule.m_dFontSizeFactor += n;
        return;
    }
    const int dpi = std::abs(RichPlatform().DpiY());
    rule.m_nFontSize = MulDivRound(MulDivRound(std::abs(static_cast<long long>(n)), dpi, 72), 7, 3);
}

void ApplyHtmlAttrNoshade(CExtRichContentItem*, CExtRichContentItem* attribute, CExtRichStyleRule& rule,
                          const CExtRichStyleDescription&) {
    if (!AttributeValue(attribute).empty()) rule.m_bNoShade = 1;
}

void ApplyHtmlAttrFace(CExtRichContentItem*, CExtRichContentItem* attribute, CExtRichStyleRule& rule,
                       const CExtRichStyleDescription&) {
    const RichString v = Keyword(attribute);
    if (!v.empty()) rule.m_strFontFamily = v;
}

void ApplyHtmlAttrColor(CExtRichContentItem* item, CExtRichContentItem* attribute, CExtRichStyleRule& rule,
                        const CExtRichStyleDescription&) {
    const RichString v = Keyword(attribute);
    if (v.empty() || !item->GetLayout()) return;
    const RichColor c = item->GetLayout()->ParseColor(v, kRichColorNone);
    if (c != kRichColorNone) rule.m_clrText = c;
}

void ApplyHtmlAttrBgcolor(CExtRichContentItem* item, CExtRichContentItem* attribute, CExtRichStyleRule& rule,
                          const CExtRichStyleDescription&) {
    const RichString v = Keyword(attribute);
    if (v.empty() || !item->GetLayout()) return;
    const RichColor c = item->GetLayout()->ParseColor(v, kRichColorNone);
    if (c == kRichColorTransparent) {
        rule.m_clrBackground = kRichColorTransparent;
        rule.m_nBackgroundColorMode = RichCode::BackgroundColorNone;
    } else if (c != kRichColorNone) {
        rule.m_clrBackground = c;
        rule.m_nBackgroundColorMode = RichCode::BackgroundColorGiven;
    }
}

// "align": images float, everything else aligns its text.
void ApplyHtmlAttrAlign(CExtRichContentItem* item, CExtRichContentItem* attribute, CExtRichStyleRule& rule,
                        const CExtRichStyleDescription&) {
    const RichString v = Keyword(attribute);
    const bool image = item->m_strName == u"img";
    if (v == u"left" || v == u"char") {
        if (image)
            rule.m_nFloat = RichCode::FloatLeft;
        else
            rule.m_nTextAlign = RichCode::AlignLeft;
    } else if (v == u"center") {
        rule.m_nTextAlign = RichCode::AlignCenter;
    } else if (v == u"right") {
        if (image)
            rule.m_nFloat = RichCode::FloatRight;
        else
            rule.m_nTextAlign = RichCode::AlignRight;
    } else if (v == u"justify") {
        rule.m_nTextAlign = RichCode::AlignJustify;
    } else if (v == u"justifywithlastline") {
        rule.m_nTextAlign = RichCode::AlignJustifyWithLastLine;
    }
}

void ApplyHtmlAttrValign(CExtRichContentItem*, CExtRichContentItem* attribute, CExtRichStyleRule& rule,
                         const CExtRichStyleDescription&) {
    const RichString v = Keyword(attribute);
    if (v == u"top") rule.m_nVerticalAlign = RichCode::VAlignTop;
    else if (v == u"middle" || v == u"center") rule.m_nVerticalAlign = RichCode::VAlignMiddle;
    else if (v == u"bottom") rule.m_nVerticalAlign = RichCode::VAlignBottom;
    else if (v == u"baseline") rule.m_nVerticalAlign = RichCode::VAlignBaseline;
}

// A length attribute applied to the four sides of a box: horizontal on left and right.
void BoxAttribute(CExtRichContentItem* item, CExtRichContentItem* attribute, RichRect& box,
                  const CExtRichStyleDescription& parent) {
    const RichString v = Keyword(attribute);
    if (v.empty() || !item->GetLayout()) return;
    const int horizontal = item->GetLayout()->ParseLength(v, true, parent, 0);
    const int vertical = item->GetLayout()->ParseLength(v, false, parent, 0);
    box.left = box.right = horizontal;
    box.top = box.bottom = vertical;
}

void ApplyHtmlAttrBorder(CExtRichContentItem* item, CExtRichContentItem* attribute, CExtRichStyleRule& rule,
                         const CExtRichStyleDescription& parent) {
    BoxAttribute(item, attribute, rule.m_rcBorderWidth, parent);
}
void ApplyHtmlAttrCellpadding(CExtRichContentItem* item, CExtRichContentItem* attribute, CExtRichStyleRule& rule,
                              const CExtRichStyleDescription& parent) {
    BoxAttribute(item, attribute, rule.m_rcCellPadding, parent);
}
void ApplyHtmlAttrCellspacing(CExtRichContentItem* item, CExtRichContentItem* attribute, CExtRichStyleRule& rule,
                              const CExtRichStyleDescription& parent) {
    const RichString v = Keyword(attribute);
    if (v.empty() || !item->GetLayout()) return;
    rule.m_nCellSpacingX = item->GetLayout()->ParseLength(v, true, parent, 0);
    rule.m_nCellSpacingY = item->GetLayout()->ParseLength(v, false, parent, 0);
}

// "width" and "height": pixels, or a percentage of the container.
void SizeAttribute(CExtRichContentItem* item, CExtRichContentItem* attribute, bool horizontal, int& pixels,
                   int& percent, const CExtRichStyleDescription& parent) {
    const RichString v = Keyword(attribute);
    if (v.empty() || !item->GetLayout()) return;
    double fraction = 0;
    bool isPercent = false;
    const int result = item->GetLayout()->ParseLength(v, horizontal, parent, -1, &fraction, &isPercent);
    if (isPercent)
        percent = ClampedPercent(fraction);
    else
        pixels = result;
}

void ApplyHtmlAttrWidth(CExtRichContentItem* item, CExtRichContentItem* attribute, CExtRichStyleRule& rule,
                        const CExtRichStyleDescription& parent) {
    SizeAttribute(item, attribute, true, rule.m_nWidth, rule.m_nWidthPercent, parent);
}
void ApplyHtmlAttrHeight(CExtRichContentItem* item, CExtRichContentItem* attribute, CExtRichStyleRule& rule,
                         const CExtRichStyleDescription& parent) {
    SizeAttribute(item, attribute, false, rule.m_nHeight, rule.m_nHeightPercent, parent);
}

void ApplyHtmlAttrColspan(CExtRichContentItem*, CExtRichContentItem* attribute, CExtRichStyleRule& rule,
                          const CExtRichStyleDescription&) {
    const RichString v = Keyword(attribute);
    if (!v.empty()) rule.m_nColSpan = std::max(1, rich::LeadingInt(v));
}
void ApplyHtmlAttrRowspan(CExtRichContentItem*, CExtRichContentItem* attribute, CExtRichStyleRule& rule,
                          const CExtRichStyleDescription&) {
    const RichString v = Keyword(attribute);
    if (!v.empty()) rule.m_nRowSpan = std::max(1, rich::LeadingInt(v));
}

// The minimum and maximum sizes (all measured with the vertical resolution).
void LimitAttribute(CExtRichContentItem* item, CExtRichContentItem* attribute, int& pixels, double& percent,
                    int parentPixels, const CExtRichStyleDescription& parent) {
    const RichString v = Keyword(attribute);
    if (v.empty() || !item->GetLayout()) return;
    if (v == u"inherit") {
        pixels = parentPixels;
        return;
    }
    if (v == u"auto") {
        pixels = -1;
        return;
    }
    double fraction = 0;
    bool isPercent = false, noUnit = false;
    const int result = item->GetLayout()->ParseLength(v, false, parent, -1, &fraction, &isPercent, &noUnit);
    if (noUnit)
        pixels = std::abs(rich::LeadingInt(v));
    else if (isPercent)
        percent = ClampedPercent(fraction);
    else
        pixels = std::max(result, 0);
}

void ApplyHtmlAttrMinHeight(CExtRichContentItem* item, CExtRichContentItem* attribute, CExtRichStyleRule& rule,
                            const CExtRichStyleDescription& parent) {
    LimitAttribute(item, attribute, rule.m_nMinHeight, rule.m_dMinHeightPercent, parent.m_nMinHeight, parent);
}
void ApplyHtmlAttrMaxHeight(CExtRichContentItem* item, CExtRichContentItem* attribute, CExtRichStyleRule& rule,
                            const CExtRichStyleDescription& parent) {
    LimitAttribute(item, attribute, rule.m_nMaxHeight, rule.m_dMaxHeightPercent, parent.m_nMaxHeight, parent);
}
void ApplyHtmlAttrMinWidth(CExtRichContentItem* item, CExtRichContentItem* attribute, CExtRichStyleRule& rule,
                           const CExtRichStyleDescription& parent) {
    LimitAttribute(item, attribute, rule.m_nMinWidth, rule.m_dMinWidthPercent, parent.m_nMinWidth, parent);
}
void ApplyHtmlAttrMaxWidth(CExtRichContentItem* item, CExtRichContentItem* attribute, CExtRichStyleRule& rule,
                           const CExtRichStyleDescription& parent) {
    LimitAttribute(item, attribute, rule.m_nMaxWidth, rule.m_dMaxWidthPercent, parent.m_nMaxWidth, parent);
}

HandlerMap LoadMap(const RichStyleHandlerEntry* table, std::size_t count) {
    HandlerMap map;
    for (std::size_t i = 0; i < count; ++i) map.emplace(table[i].name, table[i].handler);
    return map;
}

HandlerMap& AttributeMap() {
    static HandlerMap map = LoadMap(g_HtmlAttributeHandlers, g_HtmlAttributeHandlerCount);
    return map;
}

HandlerMap& PropertyMap() {
    static HandlerMap map = LoadMap(g_CssPropertyHandlers, g_CssPropertyHandlerCount);
    return map;
}

RichStyleHandler Find(const HandlerMap& map, const RichString& name) {
    auto it = map.find(name);
    return it == map.end() ? nullptr : it->second;
}

}  // namespace

const RichStyleHandlerEntry g_HtmlAttributeHandlers[] = {
    {u"class", ApplyHtmlAttrClass},
    {u"id", ApplyHtmlAttrId},
    {u"uiidsrc", ApplyHtmlAttrUiidsrc},
    {u"uiiddst", ApplyHtmlAttrUiiddst},
    {u"name", ApplyHtmlAttrName},
    {u"size", ApplyHtmlAttrSize},
    {u"noshade", ApplyHtmlAttrNoshade},
    {u"face", ApplyHtmlAttrFace},
    {u"color", ApplyHtmlAttrColor},
    {u"bgcolor", ApplyHtmlAttrBgcolor},
    {u"align", ApplyHtmlAttrAlign},
    {u"valign", ApplyHtmlAttrValign},
    {u"border", ApplyHtmlAttrBorder},
    {u"cellpadding", ApplyHtmlAttrCellpadding},
    {u"cellspacing", ApplyHtmlAttrCellspacing},
    {u"width", ApplyHtmlAttrWidth},
    {u"height", ApplyHtmlAttrHeight},
    {u"colspan", ApplyHtmlAttrColspan},
    {u"rowspan", ApplyHtmlAttrRowspan},
    {u"min-height", ApplyHtmlAttrMinHeight},
    {u"max-height", ApplyHtmlAttrMaxHeight},
    {u"min-width", ApplyHtmlAttrMinWidth},
    {u"max-width", ApplyHtmlAttrMaxWidth},
};
const std::size_t g_HtmlAttributeHandlerCount = sizeof g_HtmlAttributeHandlers / sizeof g_HtmlAttributeHandlers[0];

RichStyleHandler RichFindHtmlAttributeHandler(const RichString& name) { return Find(AttributeMap(), name); }
RichStyleHandler RichFindCssPropertyHandler(const RichString& name) { return Find(PropertyMap(), name); }

void RichSetCssPropertyHandler(const RichString& name, RichStyleHandler handler) {
    const RichString key = rich::Lower(name);
    if (handler) {
        PropertyMap()[key] = handler;
        return;
    }
    PropertyMap().erase(key);
    for (std::size_t i = 0; i < g_CssPropertyHandlerCount; ++i)
        if (key == g_CssPropertyHandlers[i].name) PropertyMap()[key] = g_CssPropertyHandlers[i].handler;
}
