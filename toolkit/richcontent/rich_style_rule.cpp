#include "toolkit/richcontent/rich_style.h"

#include "toolkit/richcontent/rich_text.h"

#include <algorithm>

CExtRichStyleRule::CExtRichStyleRule() = default;

void CExtRichStyleRule::Reset() {
    const int step = m_nFontSizeStep;
    *this = CExtRichStyleRule();
    m_nFontSizeStep = step;
    for (RichColor& c : m_clrBorder) c = 0;
    m_nBorderSpacingX = m_nBorderSpacingY = -1;
}

const CExtRichStyleRule& CExtRichStyleRule::Default() {
    static const CExtRichStyleRule g_default;
    return g_default;
}

namespace {

int Clamp(int v, int lo, int hi) { return std::max(lo, std::min(hi, v)); }
int NonNegative(int v) { return v < 0 ? 0 : v; }

RichRect NonNegative(const RichRect& r) {
    return RichRect{NonNegative(r.left), NonNegative(r.top), NonNegative(r.right), NonNegative(r.bottom)};
}

// "2 keeps, 1 keeps, others replace" and its relatives: `keep` lists the codes that leave the
// inherited value.
void Replace(int& target, int declared, std::initializer_list<int> keep) {
    for (int k : keep)
        if (declared == k) return;
    target = declared;
}

RichColor StoredColor(RichColor c) { return c == kRichColorTransparent ? kRichColorNone : c; }

// A span of 0 (or none declared) is one cell: a zero span would leave the cell without a column.
int ComputedSpan(int declared) { return declared >= 1 ? declared : 1; }

}  // namespace

void CExtRichStyleRule::ComputeDescription(const CExtRichStyleDescription& parent, CExtRichStyleDescription& d) {
    using namespace RichCode;
    d = parent;
    d.m_nPosition = PositionStatic;
    RichLogFont& lf = d.m_font.m_lf;

    // Fonts.
    if (m_nWeight != 0) lf.lfWeight = Clamp(m_nWeight, 100, 900);
    if (m_nWeightDelta != 0) lf.lfWeight = Clamp(lf.lfWeight + m_nWeightDelta, 100, 900);
    if (m_nItalic) lf.lfItalic = m_nItalic > 0 ? 1 : 0;
    if (m_nUnderline) lf.lfUnderline = m_nUnderline > 0 ? 1 : 0;
    if (m_nStrikeOut) lf.lfStrikeOut = m_nStrikeOut > 0 ? 1 : 0;
    if (!m_strFontFamily.empty()) d.m_font.SetFaceName(m_strFontFamily);
    if (m_nWordSpacing >= -32760) d.m_nWordSpacing = m_nWordSpacing;
    if (m_nLetterSpacing >= -32760) d.m_nLetterSpacing = m_nLetterSpacing;
    d.m_quotes.insert(d.m_quotes.end(), m_quotes.begin(), m_quotes.end());
    if (m_nFontSize != 0) {
        lf.lfHeight = -m_nFontSize;
        lf.lfWidth = 0;
    }
    if (m_nFontSizeStep != 0) {
        if (lf.lfHeight < 0) {
            lf.lfHeight -= m_nFontSizeStep;
            if (lf.lfHeight >= 0) lf.lfHeight = -1;
        } else {
            lf.lfHeight = std::max(1, lf.lfHeight + m_nFontSizeStep);
        }
        lf.lfWidth = 0;
    }
    if (m_dFontSizeFactor != 1.0) {
        lf.lfHeight = static_cast<int>(m_dFontSizeFactor * lf.lfHeight);
        if (lf.lfHeight > 0) lf.lfHeight = -lf.lfHeight;
        lf.lfWidth = 0;
    }
    if (m_dLineHeightFactor != 1.0) d.m_font.m_dLineHeightFactor = m_dLineHeightFactor;
    if (m_nLineHeight >= 0) d.m_font.m_nLineHeight = m_nLineHeight;

    // Text.
    if (m_nTextAlign != -1) d.m_nTextAlign = m_nTextAlign;
    if (m_nVerticalAlign != -1) d.m_nVerticalAlign = m_nVerticalAlign;
    if (m_nTextTransform != -1) d.m_nTextTransform = m_nTextTransform;
    Replace(d.m_nWhiteSpace, m_nWhiteSpace, {WhiteSpaceInherit});

    // Boxes and flow.
    Replace(d.m_nDisplay, m_nDisplay, {DisplayInherit});
    if (d.m_nDisplay == DisplayUiDock && m_nUiDock != 0) d.m_nUiDock = m_nUiDock;
    Replace(d.m_nOutlineStyle, m_nOutlineStyle, {OutlineInherit, OutlineNone});
    Replace(d.m_nListStylePosition, m_nListStylePosition, {ListPositionInherit, ListOutside});
    Replace(d.m_nListStyleType, m_nListStyleType, {ListTypeInherit, -1});
    Replace(d.m_nVisibility, m_nVisibility, {VisibilityInherit, VisibilityUnset});
    if (m_nPosition == PositionInherit)
        d.m_nPosition = parent.m_nPosition;
    else if (m_nPosition != PositionStatic)
        d.m_nPosition = m_nPosition;
    d.m_nOverflow = m_nOverflow == OverflowInherit ? parent.m_nOverflow : m_nOverflow;
    d.m_nScrollBarH = m_nScrollBarH;
    d.m_nScrollBarV = m_nScrollBarV;
    Replace(d.m_nFloat, m_nFloat, {FloatInherit});
    Replace(d.m_nBorderCollapse, m_nBorderCollapse, {2, 1});
    Replace(d.m_nEmptyCells, m_nEmptyCells, {2, 1});
    Replace(d.m_nCaptionSide, m_nCaptionSide, {2, 0});
    Replace(d.m_nTableLayout, m_nTableLayout, {2, 0});
    if (m_bNoShade) d.m_bNoShade = m_bNoShade;
    if (m_nListNavigation) d.m_nListNavigation = m_nListNavigation;
    if (m_nFocusEnsureVisibility) d.m_nFocusEnsureVisibility = m_nFocusEnsureVisibility;
    Replace(d.m_nDelayedDraw, m_nDelayedDraw, {DrawInherit});
    if (m_nDrawMethod != -1) d.m_nDrawMethod = m_nDrawMethod;
    if (m_nBackgroundDrawMethod != -1) d.m_nBackgroundDrawMethod = m_nBackgroundDrawMethod;

    // Cursor: 18 inherits (with the parent's image for an image cursor), 1 (auto) keeps.
    if (m_nCursor == 18) {
        d.m_nCursor = parent.m_nCursor;
        if (parent.m_nCursor == 0) d.m_strCursorUrl = parent.m_strCursorUrl;
    } else if (m_nCursor != 1) {
        d.m_nCursor = m_nCursor;
        if (m_nCursor == 0) d.m_strCursorUrl = m_strCursorUrl;
    }
    if (!m_strCursorUrl.empty()) d.m_strCursorUrl = m_strCursorUrl;

    // Clip: 2 inherits, 1 (auto) keeps, 0 takes the rectangle.
    if (m_nClip == 2) {
        d.m_nClip = parent.m_nClip;
        if (parent.m_nClip == 0) d.m_rcClip = parent.m_rcClip;
    } else if (m_nClip != 1) {
        d.m_nClip = m_nClip;
        if (m_nClip == 0) d.m_rcClip = m_rcClip;
    }

    // z-index.
    if (m_nZIndexMode == 1) {
        d.m_nZIndexMode = parent.m_nZIndexMode;
        if (parent.m_nZIndexMode == 2) d.m_nZIndex = parent.m_nZIndex;
    } else if (m_nZIndexMode != 0) {
        d.m_nZIndexMode = m_nZIndexMode;
        if (m_nZIndexMode == 2) d.m_nZIndex = m_nZIndex;
    }

    // Position offsets are not inherited unless asked.
    if (m_nPosition != PositionInherit) {
        d.m_rcPosition.SetAll(kRichUnsetPixels);
        d.m_rcPositionPercent.SetAll(kRichUnsetPixels);
    }
    auto side = [](int& target, int declared) {
        if (declared != kRichUnsetPixels) target = declared;
    };
    side(d.m_rcPosition.left, m_rcPosition.left);
    side(d.m_rcPosition.top, m_rcPosition.top);
    side(d.m_rcPosition.right, m_rcPosition.right);
    side(d.m_rcPosition.bottom, m_rcPosition.bottom);
    side(d.m_rcPositionPercent.left, m_rcPositionPercent.left);
    side(d.m_rcPositionPercent.top, m_rcPositionPercent.top);
    side(d.m_rcPositionPercent.right, m_rcPositionPercent.right);
    side(d.m_rcPositionPercent.bottom, m_rcPositionPercent.bottom);

    // Backgrounds: not inherited unless asked.
    if (m_nBackgroundPosKind == BackgroundNone) {
        d.m_nBackgroundRepeat = NoRepeat;
        d.m_nBackgroundAttachment = AttachScroll;
        d.m_nBackgroundPosKind = BackgroundNone;
        d.m_nBackgroundPosKeywords = 0;
        d.m_strBackgroundImage.clear();
    } else if (m_nBackgroundPosKind == BackgroundInherit) {
        d.m_nBackgroundRepeat = parent.m_nBackgroundRepeat;
        d.m_nBackgroundAttachment = parent.m_nBackgroundAttachment;
        d.m_nBackgroundPosKind = parent.m_nBackgroundPosKind;
        d.m_nBackgroundPosKeywords = parent.m_nBackgroundPosKeywords;
        d.m_strBackgroundImage = parent.m_strBackgroundImage;
    } else {
        d.m_nBackgroundRepeat = m_nBackgroundRepeat == RepeatInherit ? parent.m_nBackgroundRepeat : m_nBackgroundRepeat;
        d.m_nBackgroundAttachment =
            m_nBackgroundAttachment == AttachInherit ? parent.m_nBackgroundAttachment : m_nBackgroundAttachment;
        d.m_nBackgroundPosKind = m_nBackgroundPosKind;
        if (m_nBackgroundPosKeywords != 0) d.m_nBackgroundPosKeywords = m_nBackgroundPosKeywords;
        d.m_strBackgroundImage =
            rich::EqualsAscii(m_strBackgroundImage, "inherit") ? parent.m_strBackgroundImage : m_strBackgroundImage;
    }
    if (!m_strListStyleImage.empty())
        d.m_strListStyleImage =
            rich::EqualsAscii(m_strListStyleImage, "inherit") ? parent.m_strListStyleImage : m_strListStyleImage;
    if (!m_strCounter.empty()) d.m_strCounter = m_strCounter;
    if (!m_strContentBefore.empty()) d.m_strContentBefore = m_strContentBefore;
    if (!m_strContentAfter.empty()) d.m_strContentAfter = m_strContentAfter;

    // Colours.
    if (m_nBackgroundColorMode == BackgroundColorInherit) {
        d.m_nBackgroundColorMode = parent.m_nBackgroundColorMode;
        d.m_clrBackground = parent.m_clrBackground;
    } else {
        if (m_nBackgroundColorMode == BackgroundColorGiven) {
            if (m_clrBackground != kRichColorNone) d.m_clrBackground = m_clrBackground;
        } else {
            d.m_clrBackground = kRichColorTransparent;
        }
        d.m_nBackgroundColorMode = m_nBackgroundColorMode;
    }
    if (m_clrText != kRichColorNone) d.m_clrText = StoredColor(m_clrText);
    if (m_nTextIndent >= 0) d.m_nTextIndent = m_nTextIndent;

    // Box edges and sizes: declared or not, these are the element's own.
    d.m_rcPadding = NonNegative(m_rcPadding);
    d.m_rcBorderWidth = NonNegative(m_rcBorderWidth);
    d.m_rcMargin = NonNegative(m_rcMargin);
    d.m_rcCellPadding = NonNegative(m_rcCellPadding);
    d.m_rcClip = NonNegative(m_rcClip);
    d.m_rcSlice = NonNegative(m_rcSlice);
    d.m_rcBackgroundSlice = NonNegative(m_rcBackgroundSlice);
    d.m_rcBackgroundExtend = NonNegative(m_rcBackgroundExtend);
    d.m_nCellSpacingX = NonNegative(m_nCellSpacingX);
    d.m_nCellSpacingY = NonNegative(m_nCellSpacingY);
    d.m_nWidth = m_nWidth < 0 ? -1 : m_nWidth;
    d.m_nHeight = m_nHeight < 0 ? -1 : m_nHeight;
    d.m_nWidthPercent = m_nWidthPercent < 0 ? -1 : m_nWidthPercent;
    d.m_nHeightPercent = m_nHeightPercent < 0 ? -1 : m_nHeightPercent;
    d.m_nColSpan = ComputedSpan(m_nColSpan);
    d.m_nRowSpan = ComputedSpan(m_nRowSpan);
    if (m_nColSpan == 0) m_nColSpan = 1;
    if (m_nRowSpan == 0) m_nRowSpan = 1;
    d.m_ptBackgroundPos = RichPoint{NonNegative(m_ptBackgroundPos.x), NonNegative(m_ptBackgroundPos.y)};
    for (int i = 0; i < 4; ++i) {
        if (m_clrBorder[i] != kRichColorNone) d.m_clrBorder[i] = StoredColor(m_clrBorder[i]);
        d.m_nBorderStyle[i] = m_nBorderStyle[i] == BorderInherit ? parent.m_nBorderStyle[i] : m_nBorderStyle[i];
    }
    if (m_nSpareInt >= 0) d.m_nSpareInt = m_nSpareInt;
    if (m_clrOutline != kRichColorNone) d.m_clrOutline = StoredColor(m_clrOutline);
    if (m_nTransparency >= 0) d.m_nTransparency = m_nTransparency;
    if (m_nBackgroundTransparency >= 0) d.m_nBackgroundTransparency = m_nBackgroundTransparency;
    if (m_nOutlineWidth != 0) d.m_nOutlineWidth = m_nOutlineWidth;
    if (m_nMaxHeight >= 0) d.m_nMaxHeight = m_nMaxHeight;
    if (m_nMaxWidth >= 0) d.m_nMaxWidth = m_nMaxWidth;
    if (m_nMinHeight >= 0) d.m_nMinHeight = m_nMinHeight;
    if (m_nMinWidth >= 0) d.m_nMinWidth = m_nMinWidth;
    if (m_dMaxHeightPercent != -1.0) d.m_dMaxHeightPercent = m_dMaxHeightPercent;
    if (m_dMaxWidthPercent != -1.0) d.m_dMaxWidthPercent = m_dMaxWidthPercent;
    if (m_dMinHeightPercent != 0.0) d.m_dMinHeightPercent = m_dMinHeightPercent;
    if (m_dMinWidthPercent != 0.0) d.m_dMinWidthPercent = m_dMinWidthPercent;
    if (m_nMarkerMinWidth != 0) d.m_nMarkerMinWidth = m_nMarkerMinWidth;
    if (m_nBorderSpacingX >= 0) d.m_nBorderSpacingX = m_nBorderSpacingX;
    if (m_nBorderSpacingY >= 0) d.m_nBorderSpacingY = m_nBorderSpacingY;

    // User-interface capabilities and focus switches.
    d.m_uiCaps.MergeNonZero(m_uiCaps);
    if (m_nFocusOnMakeSelected) d.m_nFocusOnMakeSelected = m_nFocusOnMakeSelected;
    if (m_nFocusOnMakeUnselectedSibling) d.m_nFocusOnMakeUnselectedSibling = m_nFocusOnMakeUnselectedSibling;
    if (m_nFocusOffMakeUnselected) d.m_nFocusOffMakeUnselected = m_nFocusOffMakeUnselected;
    if (m_nFocusOffMakeUnselectedSibling) d.m_nFocusOffMakeUnselectedSibling = m_nFocusOffMakeUnselectedSibling;
}

void CExtRichStyleRule::MergeFrom(const CExtRichStyleRule& o) {
    static const CExtRichStyleRule unset;
    auto m = [](auto& target, const auto& source, const auto& unsetValue) {
        if (source != unsetValue) target = source;
    };
#define RICH_MERGE(field) m(field, o.field, unset.field)
    RICH_MERGE(m_nWeight);
    RICH_MERGE(m_nWeightDelta);
    RICH_MERGE(m_nItalic);
    RICH_MERGE(m_nUnderline);
    RICH_MERGE(m_nStrikeOut);
    RICH_MERGE(m_strFontFamily);
    RICH_MERGE(m_nFontSize);
    RICH_MERGE(m_nFontSizeStep);
    RICH_MERGE(m_dFontSizeFactor);
    RICH_MERGE(m_nTextAlign);
    RICH_MERGE(m_nVerticalAlign);
    RICH_MERGE(m_nTextTransform);
    RICH_MERGE(m_nWhiteSpace);
    RICH_MERGE(m_nBackgroundRepeat);
    RICH_MERGE(m_nBackgroundAttachment);
    RICH_MERGE(m_nBackgroundPosKeywords);
    RICH_MERGE(m_nBackgroundColorMode);
    RICH_MERGE(m_nOutlineStyle);
    RICH_MERGE(m_nListStylePosition);
    RICH_MERGE(m_nListStyleType);
    RICH_MERGE(m_nDisplay);
    RICH_MERGE(m_nVisibility);
    RICH_MERGE(m_nPosition);
    RICH_MERGE(m_nOverflow);
    RICH_MERGE(m_nScrollBarH);
    RICH_MERGE(m_nScrollBarV);
    RICH_MERGE(m_nFloat);
    RICH_MERGE(m_nCursor);
    RICH_MERGE(m_nClip);
    RICH_MERGE(m_nZIndexMode);
    RICH_MERGE(m_nBorderCollapse);
    RICH_MERGE(m_nCaptionSide);
    RICH_MERGE(m_nEmptyCells);
    RICH_MERGE(m_nTableLayout);
    RICH_MERGE(m_bNoShade);
    RICH_MERGE(m_nListNavigation);
    RICH_MERGE(m_nDrawMethod);
    RICH_MERGE(m_nBackgroundDrawMethod);
    RICH_MERGE(m_nFocusEnsureVisibility);
    RICH_MERGE(m_ptBackgroundPos.x);
    RICH_MERGE(m_ptBackgroundPos.y);
    RICH_MERGE(m_nCellSpacingX);
    RICH_MERGE(m_nCellSpacingY);
    RICH_MERGE(m_nWidth);
    RICH_MERGE(m_nHeight);
    RICH_MERGE(m_nWidthPercent);
    RICH_MERGE(m_nHeightPercent);
    RICH_MERGE(m_nColSpan);
    RICH_MERGE(m_nRowSpan);
    RICH_MERGE(m_clrText);
    RICH_MERGE(m_clrBackground);
    RICH_MERGE(m_nSpareInt);
    RICH_MERGE(m_nTransparency);
    RICH_MERGE(m_nBackgroundTransparency);
    RICH_MERGE(m_strSpare);
    RICH_MERGE(m_strCursorUrl);
    RICH_MERGE(m_strCounter);
    RICH_MERGE(m_nLineHeight);
    RICH_MERGE(m_dLineHeightFactor);
    RICH_MERGE(m_nZIndex);
    RICH_MERGE(m_nOutlineWidth);
    RICH_MERGE(m_clrOutline);
    RICH_MERGE(m_nMaxHeight);
    RICH_MERGE(m_nMaxWidth);
    RICH_MERGE(m_nMinHeight);
    RICH_MERGE(m_nMinWidth);
    RICH_MERGE(m_nMarkerMinWidth);
    RICH_MERGE(m_dMaxHeightPercent);
    RICH_MERGE(m_dMaxWidthPercent);
    RICH_MERGE(m_strContentBefore);
    RICH_MERGE(m_strContentAfter);
    RICH_MERGE(m_nFocusOnMakeSelected);
    RICH_MERGE(m_nFocusOnMakeUnselectedSibling);
    RICH_MERGE(m_nFocusOffMakeUnselected);
    RICH_MERGE(m_nFocusOffMakeUnselectedSibling);
#undef RICH_MERGE
    // The minimum percentages are unset at 0 (and at their initial -1).
    if (o.m_dMinHeightPercent > 0.0) m_dMinHeightPercent = o.m_dMinHeightPercent;
    if (o.m_dMinWidthPercent > 0.0) m_dMinWidthPercent = o.m_dMinWidthPercent;
    if (o.m_nTextIndent >= 0) m_nTextIndent = o.m_nTextIndent;
    if (o.m_nBorderSpacingX >= 0) m_nBorderSpacingX = o.m_nBorderSpacingX;
    if (o.m_nBorderSpacingY >= 0) m_nBorderSpacingY = o.m_nBorderSpacingY;
    if (o.m_nWordSpacing >= 0) m_nWordSpacing = o.m_nWordSpacing;
    if (o.m_nLetterSpacing >= 0) m_nLetterSpacing = o.m_nLetterSpacing;

    // Rectangles side by side (negative sides are unset; position offsets unset at -32761).
    auto rect = [](RichRect& t, const RichRect& s, int unsetBelow) {
        if (s.left >= unsetBelow) t.left = s.left;
        if (s.top >= unsetBelow) t.top = s.top;
        if (s.right >= unsetBelow) t.right = s.right;
        if (s.bottom >= unsetBelow) t.bottom = s.bottom;
    };
    rect(m_rcPadding, o.m_rcPadding, 0);
    rect(m_rcBorderWidth, o.m_rcBorderWidth, 0);
    rect(m_rcMargin, o.m_rcMargin, 0);
    rect(m_rcCellPadding, o.m_rcCellPadding, 0);
    rect(m_rcClip, o.m_rcClip, 0);
    rect(m_rcSlice, o.m_rcSlice, 0);
    rect(m_rcBackgroundSlice, o.m_rcBackgroundSlice, 0);
    rect(m_rcBackgroundExtend, o.m_rcBackgroundExtend, 0);
    rect(m_rcPosition, o.m_rcPosition, kRichUnsetPixels + 1);
    rect(m_rcPositionPercent, o.m_rcPositionPercent, kRichUnsetPixels + 1);
    for (int i = 0; i < 4; ++i) {
        if (o.m_clrBorder[i] != kRichColorNone) m_clrBorder[i] = o.m_clrBorder[i];
        if (o.m_nBorderStyle[i] != -1) m_nBorderStyle[i] = o.m_nBorderStyle[i];
    }
    if (!o.m_quotes.empty()) m_quotes = o.m_quotes;
    m_uiCaps.MergeNonZero(o.m_uiCaps);

    // The first rule that sets these wins.
    if (m_nBackgroundPosKind == unset.m_nBackgroundPosKind) m_nBackgroundPosKind = o.m_nBackgroundPosKind;
    if (m_nUiDock == unset.m_nUiDock) m_nUiDock = o.m_nUiDock;
    if (m_nDelayedDraw == unset.m_nDelayedDraw) m_nDelayedDraw = o.m_nDelayedDraw;

    // Images: an "inherit" here is replaced even by an empty name.
    const bool bgInherit = rich::EqualsAscii(m_strBackgroundImage, "inherit");
    if (!o.m_strBackgroundImage.empty() || bgInherit) m_strBackgroundImage = o.m_strBackgroundImage;
    const bool listInherit = rich::EqualsAscii(m_strListStyleImage, "inherit");
    if (!o.m_strListStyleImage.empty() || listInherit) m_strListStyleImage = o.m_strListStyleImage;
}
