// The property-group value parsers the property handlers call, the two value splitters and the
// resolver of "content" texts.
#include "toolkit/richcontent/rich_layout.h"
#include "toolkit/richcontent/rich_platform.h"
#include "toolkit/richcontent/rich_text.h"

#include <algorithm>
#include <cmath>

namespace {

// Trimmed and lower-cased keyword text.
RichString Keyword(const RichString& text) { return rich::Lower(rich::Trim(text)); }

// Index of `text` in a keyword list, -1 when absent.
int Lookup(const RichString& text, std::initializer_list<const char*> names) {
    int i = 0;
    for (const char* n : names) {
        if (rich::EqualsAscii(text, n)) return i;
        ++i;
    }
    return -1;
}

// "url(name)" and the like: a leading prefix, every trailing ")", single quotes at both ends.
RichString ImageName(RichString text, bool url) {
    if (url) {
        const std::size_t at = text.find(u"url(");
        if (at == 0) text.erase(0, 4);
    } else {
        while (!text.empty() && text[0] == u'(') text.erase(0, 1);
    }
    while (!text.empty() && text.back() == u')') text.pop_back();
    return rich::Trim(text, u"'");
}

int TruncatedPercent(double fraction) {
    const double v = fraction * 100.0;
    if (!(v == v)) return 0;
    return static_cast<int>(std::clamp(v, -2147483647.0, 2147483647.0));
}

}  // namespace

// ---- box edges ----

bool CExtRichContentItem::ParseBorderStyle(CExtRichStyleRule& rule, const RichString& text, bool left, bool right,
                                           bool top, bool bottom) {
    if (!left && !right && !top && !bottom) return false;
    static const std::pair<const char*, int> kCodes[] = {
        {"inherit", 2}, {"none", 1},   {"hidden", 0}, {"dotted", 3}, {"dashed", 4}, {"solid", 5},
        {"double", 6},  {"groove", 7}, {"ridge", 8},  {"inset", 9},  {"outset", 10}};
    const RichString k = Keyword(text);
    for (const auto& [name, code] : kCodes)
        if (rich::EqualsAscii(k, name)) {
            const bool sides[4] = {left, right, top, bottom};
            for (int i = 0; i < 4; ++i)
                if (sides[i]) rule.m_nBorderStyle[i] = code;
            return true;
        }
    return false;
}

bool CExtRichContentItem::ParseBorderColor(CExtRichStyleRule& rule, const RichString& text, bool left, bool right,
                                           bool top, bool bottom) {
    if (!left && !right && !top && !bottom) return false;
    const RichString k = Keyword(text);
    if (k.empty()) return false;
    const bool sides[4] = {left, right, top, bottom};
    auto store = [&](RichColor c) {
        for (int i = 0; i < 4; ++i)
            if (sides[i]) rule.m_clrBorder[i] = c;
    };
    if (k == u"inherit") {
        store(kRichColorNone);  // not declared: the parent's colour stays through the transfer
        return false;
    }
    if (k == u"transparent") {
        store(kRichColorNone);
        return true;
    }
    const RichColor c = m_pLayout ? m_pLayout->ParseColor(k, kRichColorNone) : kRichColorNone;
    if (c == kRichColorNone) return false;
    store(c);
    return true;
}

namespace {

bool ParseBoxLengths(CExtRichContentLayout* layout, RichRect& target, const CExtRichStyleDescription& parent,
                     const RichString& text, bool left, bool right, bool top, bool bottom) {
    if (!layout || (!left && !right && !top && !bottom)) return false;
    const RichString k = Keyword(text);
    if (k.empty() || k == u"inherit" || k == u"thin" || k == u"medium" || k == u"thick") return false;
    int horizontal = 0, vertical = 0;
    if (left || right) {
        horizontal = layout->ParseLength(k, true, parent, -1);
        if (horizontal < 0) return false;
    }
    if (top || bottom) {
        vertical = layout->ParseLength(k, false, parent, -1);
        if (vertical < 0) return false;
    }
    if (left) target.left = horizontal;
    if (right) target.right = horizontal;
    if (top) target.top = vertical;
    if (bottom) target.bottom = vertical;
    return true;
}

}  // namespace

bool CExtRichContentItem::ParseBorderWidth(CExtRichStyleRule& rule, const CExtRichStyleDescription& parent,
                                           const RichString& text, bool left, bool right, bool top, bool bottom) {
    return ParseBoxLengths(m_pLayout, rule.m_rcBorderWidth, parent, text, left, right, top, bottom);
}
bool CExtRichContentItem::ParseMargin(CExtRichStyleRule& rule, const CExtRichStyleDescription& parent,
                                      const RichString& text, bool left, bool right, bool top, bool bottom) {
    return ParseBoxLengths(m_pLayout, rule.m_rcMargin, parent, text, left, right, top, bottom);
}
bool CExtRichContentItem::ParsePadding(CExtRichStyleRule& rule, const CExtRichStyleDescription& parent,
                                       const RichString& text, bool left, bool right, bool top, bool bottom) {
    return ParseBoxLengths(m_pLayout, rule.m_rcPadding, parent, text, left, right, top, bottom);
}

// ---- fonts ----

bool CExtRichContentItem::ParseFontFamily(CExtRichStyleRule& rule, const RichString& text) {
    const RichString k = Keyword(text);
    if (k.empty() || k == u"inherit") return false;
    if (Lookup(k, {"caption", "icon", "menu", "message-box", "small-caption", "status-bar"}) >= 0) {
        rule.m_strFontFamily = RichPlatform().NormalFontFace();
        return true;
    }
    rule.m_strFontFamily = k;
    return true;
}

bool CExtRichContentItem::ParseFontStyle(CExtRichStyleRule& rule, const RichString& text) {
    const RichString k = Keyword(text);
    if (k == u"italic" || k == u"oblique") {
        rule.m_nItalic = 1;
        return true;
    }
    if (k == u"normal") {
        rule.m_nItalic = 0;
        return true;
    }
    return k == u"inherit";
}

bool CExtRichContentItem::ParseFontWeight(CExtRichStyleRule& rule, const RichString& text) {
    const RichString k = Keyword(text);
    if (k.empty()) return false;
    if (k == u"normal") rule.m_nWeight = 400;
    else if (k == u"bold") rule.m_nWeight = 700;
    else if (k == u"lighter") rule.m_nWeightDelta = -300;
    else if (k == u"bolder") rule.m_nWeightDelta = 300;
    else {
        const int weight = rich::LeadingInt(k);
        if (weight == 0) return false;
        rule.m_nWeight = weight;
    }
    return true;
}

bool CExtRichContentItem::ParseFontSize(CExtRichStyleRule& rule, const CExtRichStyleDescription& parent,
                                        const RichString& text) {
    const RichString k = Keyword(text);
    if (k.empty() || !m_pLayout) return false;
    static const std::pair<const char*, int> kSizes[] = {{"xx-small", 9}, {"x-small", 10}, {"small", 13},
                                                         {"medium", 16},  {"large", 18},   {"x-large", 24},
                                                         {"xx-large", 32}};
    for (const auto& [name, px] : kSizes)
        if (rich::EqualsAscii(k, name)) {
            rule.m_nFontSize = px;
            return true;
        }
    if (k == u"smaller") rule.m_dFontSizeFactor = 0.75;
    else if (k == u"larger") rule.m_dFontSizeFactor = 1.25;
    else if (k == u"inherit") {
    } else {
        double factor = 1.0;
        bool percent = false, noUnit = false;
        const int size = std::max(0, m_pLayout->ParseLength(k, false, parent, 1, &factor, &percent, &noUnit));
        if (noUnit) {
            if (rich::LeadingInt(k) == 0) return false;
            rule.m_nFontSize = size;
        } else if (percent) {
            rule.m_dFontSizeFactor = factor;
        } else {
            rule.m_nFontSize = size;
        }
    }
    return true;
}

bool CExtRichContentItem::ParseLineHeight(CExtRichStyleRule& rule, const CExtRichStyleDescription& parent,
                                          const RichString& text) {
    const RichString k = Keyword(text);
    if (k.empty() || !m_pLayout) return false;
    if (k == u"inherit") return true;
    if (k == u"normal") {
        rule.m_dLineHeightFactor = 1.0;
        rule.m_nLineHeight = -1;
        return true;
    }
    double factor = 1.0;
    bool percent = false, noUnit = false;
    const int result = m_pLayout->ParseLength(k, false, parent, -1, &factor, &percent, &noUnit);
    if (noUnit) {
        const long long n = rich::LeadingInt(k);
        if (n == 0) return false;
        const long long h = std::llabs(n * static_cast<long long>(parent.m_font.m_lf.lfHeight));
        rule.m_nLineHeight = static_cast<int>(std::min<long long>(h, 0x7FFFFFFF));
    } else if (percent) {
        rule.m_dLineHeightFactor = factor;
    } else {
        rule.m_nLineHeight = std::max(result, 0);
    }
    return true;
}

// ---- outlines ----

bool CExtRichContentItem::ParseOutlineColor(CExtRichStyleRule& rule, const CExtRichStyleDescription& parent,
                                            const RichString& text) {
    const RichString k = Keyword(text);
    if (k.empty() || !m_pLayout) return false;
    if (k == u"invert") rule.m_clrOutline = 0;
    else if (k == u"inherit") rule.m_clrOutline = parent.m_clrOutline;
    else {
        const RichColor c = m_pLayout->ParseColor(k, kRichColorNone);
        if (c == kRichColorNone) return false;
        rule.m_clrOutline = c;
    }
    return true;
}

bool CExtRichContentItem::ParseOutlineStyle(CExtRichStyleRule& rule, const CExtRichStyleDescription& parent,
                                            const RichString& text) {
    const RichString k = Keyword(text);
    if (k == u"inherit") {
        rule.m_nOutlineStyle = parent.m_nOutlineStyle;
        return true;
    }
    const int code = Lookup(k, {"none", "dotted", "dashed", "solid", "double", "groove", "ridge", "inset", "outset"});
    if (code < 0) return false;
    rule.m_nOutlineStyle = code;
    return true;
}

bool CExtRichContentItem::ParseOutlineWidth(CExtRichStyleRule& rule, const CExtRichStyleDescription& parent,
                                            const RichString& text) {
    const RichString k = Keyword(text);
    if (k.empty() || !m_pLayout) return false;
    if (k == u"inherit") rule.m_nOutlineWidth = parent.m_nOutlineWidth;
    else if (k == u"thin") rule.m_nOutlineWidth = 3;
    else if (k == u"medium") rule.m_nOutlineWidth = 5;
    else if (k == u"thick") rule.m_nOutlineWidth = 7;
    else {
        double factor = 0;
        bool percent = false, noUnit = false;
        const int result = m_pLayout->ParseLength(k, true, parent, -1, &factor, &percent, &noUnit);
        if (percent || noUnit) return false;
        rule.m_nOutlineWidth = std::max(result, 0);
    }
    return true;
}

// ---- list styles ----

bool CExtRichContentItem::ParseListStyleImage(CExtRichStyleRule& rule, const CExtRichStyleDescription& parent,
                                              const RichString& text) {
    const RichString trimmed = rich::Trim(text);
    const RichString k = rich::Lower(trimmed);
    if (k == u"inherit") rule.m_strListStyleImage = parent.m_strListStyleImage;
    else if (k == u"none") rule.m_strListStyleImage.clear();
    else if (k.find(u"url(") != RichString::npos) rule.m_strListStyleImage = ImageName(k, true);
    else return false;
    return true;
}

bool CExtRichContentItem::ParseListStylePosition(CExtRichStyleRule& rule, const CExtRichStyleDescription& parent,
                                                 const RichString& text) {
    const RichString k = Keyword(text);
    if (k == u"inherit") rule.m_nListStylePosition = parent.m_nListStylePosition;
    else if (k == u"inside") rule.m_nListStylePosition = RichCode::ListInside;
    else if (k == u"outside") rule.m_nListStylePosition = RichCode::ListOutside;
    else return false;
    return true;
}

bool CExtRichContentItem::ParseListStyleType(CExtRichStyleRule& rule, const CExtRichStyleDescription& parent,
                                             const RichString& text) {
    const RichString k = Keyword(text);
    if (k == u"inherit") {
        rule.m_nListStyleType = parent.m_nListStyleType;
        return true;
    }
    const int code = Lookup(k, {"none", "circle", "disc", "square", "decimal", "decimal-leading-zero", "lower-alpha",
                                "upper-alpha", "lower-latin", "upper-latin", "lower-roman", "upper-roman"});
    if (code < 0) return false;
    rule.m_nListStyleType = code;
    return true;
}

// ---- position offsets ----

void CExtRichContentItem::ParsePositionOffset(CExtRichStyleRule& rule, const CExtRichStyleDescription& parent,
                                              const RichString& text, int side) {
    const RichString k = Keyword(text);
    if (k.empty() || k == u"auto" || !m_pLayout || side < 0 || side > 3) return;
    int* pixels[] = {&rule.m_rcPosition.left, &rule.m_rcPosition.top, &rule.m_rcPosition.right,
                     &rule.m_rcPosition.bottom};
    int* percents[] = {&rule.m_rcPositionPercent.left, &rule.m_rcPositionPercent.top, &rule.m_rcPositionPercent.right,
                       &rule.m_rcPositionPercent.bottom};
    if (k == u"inherit") {
        const int parentPixels[] = {parent.m_rcPosition.left, parent.m_rcPosition.top, parent.m_rcPosition.right,
                                    parent.m_rcPosition.bottom};
        const int parentPercents[] = {parent.m_rcPositionPercent.left, parent.m_rcPositionPercent.top,
                                      parent.m_rcPositionPercent.right, parent.m_rcPositionPercent.bottom};
        *pixels[side] = parentPixels[side];
        *percents[side] = parentPercents[side];
        return;
    }
    double factor = 0;
    bool percent = false;
    const int result = m_pLayout->ParseLength(k, side == 0 || side == 2, parent, -1, &factor, &percent, nullptr, true);
    if (percent) {
        *percents[side] = TruncatedPercent(factor);
        *pixels[side] = kRichUnsetPixels;
    } else {
        *pixels[side] = result;
        *percents[side] = kRichUnsetPixels;
    }
}

// ---- backgrounds ----

bool CExtRichContentItem::ParseBackgroundColor(CExtRichStyleRule& rule, const CExtRichStyleDescription& parent,
                                               const RichString& text) {
    const RichString k = Keyword(text);
    if (k.empty() || !m_pLayout) return false;
    if (k == u"transparent") {
        rule.m_clrBackground = kRichColorTransparent;
        rule.m_nBackgroundColorMode = RichCode::BackgroundColorNone;
    } else if (k == u"inherit") {
        rule.m_clrBackground = parent.m_clrBackground;
        rule.m_nBackgroundColorMode = RichCode::BackgroundColorInherit;
    } else {
        const RichColor c = m_pLayout->ParseColor(k, kRichColorNone);
        if (c == kRichColorNone) return false;
        rule.m_clrBackground = c;
        rule.m_nBackgroundColorMode = RichCode::BackgroundColorGiven;
    }
    return true;
}

bool CExtRichContentItem::ParseBackgroundImage(CExtRichStyleRule& rule, const CExtRichStyleDescription& parent,
                                               const RichString& text) {
    const RichString k = Keyword(text);
    if (k.empty()) return false;
    if (k == u"inherit") {
        rule.m_strBackgroundImage = parent.m_strBackgroundImage;
        rule.m_nBackgroundPosKind = parent.m_nBackgroundPosKind;
    } else if (k == u"none") {
        rule.m_strBackgroundImage.clear();
    } else {
        rule.m_strBackgroundImage = ImageName(k, k.find(u"url(") != RichString::npos);
        if (rule.m_nBackgroundPosKind == RichCode::BackgroundNone)
            rule.m_nBackgroundPosKind = RichCode::BackgroundPixelsOrImage;
    }
    return true;
}

bool CExtRichContentItem::ParseBackgroundRepeat(CExtRichStyleRule& rule, const RichString& text) {
    const int code = Lookup(Keyword(text), {"repeat", "repeat-x", "repeat-y", "no-repeat", "inherit"});
    if (code < 0) return false;
    rule.m_nBackgroundRepeat = code;
    return true;
}

bool CExtRichContentItem::ParseBackgroundAttachment(CExtRichStyleRule& rule, const RichString& text) {
    const int code = Lookup(Keyword(text), {"scroll", "fixed", "inherit"});
    if (code < 0) return false;
    rule.m_nBackgroundAttachment = code;
    return true;
}

bool CExtRichContentItem::ParseBackgroundPosition(CExtRichStyleRule& rule, const CExtRichStyleDescription& parent,
                                                  const RichString& text, int count, int index) {
    using namespace RichCode;
    const RichString k = Keyword(text);
    if (k.empty() || !m_pLayout) return false;
    int& keywords = rule.m_nBackgroundPosKeywords;
    int& kind = rule.m_nBackgroundPosKind;
    if (count == 1 && index == 1) {
        if (k == u"inherit") {
            keywords = parent.m_nBackgroundPosKeywords;
            kind = parent.m_nBackgroundPosKind;
            rule.m_ptBackgroundPos = parent.m_ptBackgroundPos;
            return true;
        }
        static const std::pair<const char*, int> kSingle[] = {
            {"top", 6}, {"center", 10}, {"bottom", 14}, {"left", 9}, {"right", 11}};
        for (const auto& [name, bits] : kSingle)
            if (rich::EqualsAscii(k, name)) {
                keywords = bits;
                kind = BackgroundKeywords;
                return true;
            }
        return false;
    }
    if (count != 2 || (index != 1 && index != 2)) return false;
    double factor = 0;
    bool percent = false;
    if (index == 1) {
        static const std::pair<const char*, int> kFirst[] = {
            {"top", 4}, {"center", 8}, {"bottom", 12}, {"left", 1}, {"right", 3}};
        for (const auto& [name, bits] : kFirst)
            if (rich::EqualsAscii(k, name)) {
                keywords = bits;
                kind = BackgroundKeywords;
                return true;
            }
        const int result = m_pLayout->ParseLength(k, true, parent, -1, &factor, &percent);
        if (percent) {
            rule.m_ptBackgroundPos.x = std::clamp(TruncatedPercent(factor), 0, 100);
            kind = BackgroundPercent;
        } else {
            rule.m_ptBackgroundPos.x = result;
            kind = BackgroundPixelsOrImage;
        }
        return true;
    }
    if (kind == BackgroundKeywords) {
        if (k == u"left") keywords |= 1;
        else if (k == u"center") keywords |= 2;
        else if (k == u"right") keywords |= 3;
        else if (k == u"top") keywords = keywords == 8 ? 6 : (keywords | 4);
        else if (k == u"bottom") keywords = keywords == 8 ? 14 : (keywords | 12);
        else {
            kind = BackgroundNone;
            return false;
        }
        return true;
    }
    if (kind == BackgroundPercent || kind == BackgroundPixelsOrImage) {
        const int result = m_pLayout->ParseLength(k, false, parent, -1, &factor, &percent);
        if (percent != (kind == BackgroundPercent)) {
            kind = BackgroundNone;
            return false;
        }
        rule.m_ptBackgroundPos.y = percent ? std::clamp(TruncatedPercent(factor), 0, 100) : result;
        return true;
    }
    return false;
}

// ---- splitters and content ----

namespace {

void AddToken(CExtRichContentItem* owner, RichItemList& tokens, const RichString& text) {
    auto* token = new (owner->GetLayout()) CExtRichContentItem(owner->GetLayout(), kRichItemDeclaration);
    token->m_strValue = rich::Trim(text);
    token->NormalizeValueSpaces();
    if (token->m_strValue.empty()) {
        delete token;
        return;
    }
    token->m_pPrev = tokens.GetTail();
    if (token->m_pPrev) token->m_pPrev->m_pNext = token;
    tokens.AddTail(token);
}

}  // namespace

void CExtRichContentItem::SplitDeclarationValue(RichItemList& tokens, const RichString& value) {
    if (m_nKind != kRichItemStyleAttribute) return;
    const RichString v = rich::Trim(value);
    RichString token;
    bool inDouble = false, inSingle = false, afterSlash = false, afterSpace = false;
    int parens = 0;
    for (char16_t c : v) {
        if (c == u'"' && !inSingle) {
            inDouble = !inDouble;
            continue;
        }
        if (c == u'\'' && !inDouble) {
            inSingle = !inSingle;
            continue;
        }
        if (inDouble || inSingle) {
            token.push_back(c);
            continue;
        }
        if (rich::IsOneOf(c, rich::kBlanks)) {
            if (parens == 0) {
                afterSpace = true;
                token.push_back(u' ');
            }
            continue;
        }
        if (c == u',' && parens == 0) {
            AddToken(this, tokens, token);
            token.clear();
            afterSpace = afterSlash = false;
            continue;
        }
        if (afterSpace && c != u'(' && c != u'/' && parens == 0 && !afterSlash) {
            AddToken(this, tokens, token);
            token.clear();
        }
        afterSpace = false;
        if (c == u'/') {
            afterSlash = true;
        } else {
            afterSlash = false;
            if (c == u'(') ++parens;
            if (c == u')' && parens > 0) --parens;
        }
        token.push_back(c);
    }
    AddToken(this, tokens, token);
}

void CExtRichContentItem::SplitContentValue(RichItemList& tokens, const RichString& value) {
    if (m_nKind != kRichItemStyleAttribute) return;
    const RichString v = rich::Trim(value);
    if (v.empty()) {
        AddToken(this, tokens, u"none");
        return;
    }
    const bool quoted = v.size() >= 2 && (v[0] == u'"' || v[0] == u'\'') && v.back() == v[0];
    if (!quoted) {
        AddToken(this, tokens, v);
        return;
    }
    if (v.size() < 3) {
        AddToken(this, tokens, u"none");
        return;
    }
    RichString out;
    bool inDouble = false, inSingle = false;
    for (std::size_t i = 0; i < v.size(); ++i) {
        const char16_t c = v[i];
        if (c == u'"' && !inSingle) {
            inDouble = !inDouble;
        } else if (c == u'\'' && !inDouble) {
            inSingle = !inSingle;
        } else if (inDouble || inSingle) {
            out.push_back(c);
        } else if (v.compare(i, 5, u"attr(") == 0) {
            std::size_t j = i + 5;
            RichString name;
            while (j < v.size() && v[j] != u')' && v[j] != u'"' && v[j] != u'\'') name.push_back(v[j++]);
            out += u"attr(" + rich::Lower(name) + u")";
            i = (j < v.size() && v[j] == u')') ? j : j - 1;
        }
    }
    // Content tokens keep their spaces as written.
    auto* token = new (m_pLayout) CExtRichContentItem(m_pLayout, kRichItemDeclaration);
    token->m_strValue = out;
    token->m_pPrev = tokens.GetTail();
    if (token->m_pPrev) token->m_pPrev->m_pNext = token;
    tokens.AddTail(token);
}

RichString CExtRichContentItem::ResolveContentText(const RichString& text) {
    RichString out;
    for (std::size_t i = 0; i < text.size();) {
        if (text.compare(i, 10, u"open-quote") == 0 || text.compare(i, 11, u"close-quote") == 0) {
            out.push_back(u'"');
            i += text[i] == u'o' ? 10 : 11;
        } else if (text.compare(i, 4, u"none") == 0) {
            i += 4;
        } else if (text.compare(i, 5, u"attr(") == 0) {
            const std::size_t close = text.find(u')', i + 5);
            const std::size_t end = close == RichString::npos ? text.size() : close;
            const RichString name = rich::Lower(rich::Trim(std::u16string_view(text).substr(i + 5, end - i - 5),
                                                           u" \t\r\n'\""));
            if (CExtRichContentItem* attribute = FindAttribute(name)) out += attribute->m_strValue;
            i = close == RichString::npos ? text.size() : close + 1;
        } else {
            out.push_back(text[i++]);
        }
    }
    return out;
}
