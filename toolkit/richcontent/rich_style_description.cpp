#include "toolkit/richcontent/rich_style.h"

CExtRichStyleDescription::CExtRichStyleDescription() { Reset(); }

void CExtRichStyleDescription::Reset() {
    using namespace RichCode;
    m_nTextAlign = AlignLeft;
    m_nVerticalAlign = VAlignBaseline;
    m_nWhiteSpace = WhiteSpaceNormal;
    m_nBackgroundRepeat = NoRepeat;
    m_nBackgroundAttachment = AttachScroll;
    m_nBackgroundPosKeywords = 0;
    m_nBackgroundPosKind = BackgroundNone;
    m_nBackgroundColorMode = BackgroundColorNone;
    m_nOutlineStyle = OutlineNone;
    m_nListStylePosition = ListOutside;
    m_nListStyleType = ListDisc;
    m_nDisplay = DisplayInline;
    m_nUiDock = DockNone;
    m_nVisibility = VisibilityVisible;
    m_nPosition = PositionStatic;
    m_nOverflow = OverflowVisible;
    m_nScrollBarH = m_nScrollBarV = 0;
    m_nFloat = FloatNone;
    m_nCursor = 1;
    m_nClip = 1;
    m_nZIndexMode = 0;
    m_nBorderCollapse = 1;
    m_nCaptionSide = 0;
    m_nEmptyCells = 1;
    m_nTableLayout = 0;
    m_bNoShade = 0;
    m_nListNavigation = 0;
    m_nDrawMethod = m_nBackgroundDrawMethod = -1;
    m_nFocusEnsureVisibility = 0;
    m_nDelayedDraw = DrawDefault;
    m_ptBackgroundPos = RichPoint{};
    m_nTextIndent = 0;
    for (RichRect* r : {&m_rcPadding, &m_rcBorderWidth, &m_rcMargin, &m_rcCellPadding, &m_rcClip, &m_rcSlice,
                        &m_rcBackgroundSlice, &m_rcBackgroundExtend})
        *r = RichRect{};
    m_nCellSpacingX = m_nCellSpacingY = 0;
    m_nWidth = m_nHeight = -1;
    m_nWidthPercent = m_nHeightPercent = -1;
    m_nColSpan = m_nRowSpan = 1;
    m_clrText = kRichColorNone;
    m_clrBackground = kRichColorNone;
    for (int i = 0; i < 4; ++i) {
        m_clrBorder[i] = 0;
        m_nBorderStyle[i] = -1;
    }
    m_nSpareInt = 1;
    m_nTransparency = m_nBackgroundTransparency = 255;
    m_strBackgroundImage.clear();
    m_strListStyleImage.clear();
    m_strCursorUrl.clear();
    m_strCounter.clear();
    m_nWordSpacing = m_nLetterSpacing = kRichUnsetPixels;
    m_nTextTransform = -1;
    m_nOutlineWidth = 0;
    m_clrOutline = kRichColorNone;
    m_nMaxHeight = m_nMaxWidth = m_nMinHeight = m_nMinWidth = -1;
    m_nMarkerMinWidth = 0;
    m_dMaxHeightPercent = m_dMaxWidthPercent = m_dMinHeightPercent = m_dMinWidthPercent = -1.0;
    m_rcPosition.SetAll(kRichUnsetPixels);
    m_rcPositionPercent.SetAll(kRichUnsetPixels);
    m_nZIndex = kRichUnsetPixels;
    m_nBorderSpacingX = m_nBorderSpacingY = 0;
    m_strContentBefore.clear();
    m_strContentAfter.clear();
    m_bComputed = false;
    m_uiCaps.SetDefaultCaps();
    m_nFocusOnMakeSelected = m_nFocusOnMakeUnselectedSibling = m_nFocusOffMakeUnselected =
        m_nFocusOffMakeUnselectedSibling = 0;
}

const CExtRichStyleDescription& CExtRichStyleDescription::Default() {
    static const CExtRichStyleDescription g_default;
    return g_default;
}

namespace {

// Chains three-way comparisons: the first difference decides.
class Chain {
public:
    template <class T>
    Chain& operator()(const T& a, const T& b) {
        if (m_result == 0) m_result = a < b ? -1 : (b < a ? 1 : 0);
        return *this;
    }
    Chain& operator()(const RichRect& a, const RichRect& b) {
        return (*this)(a.left, b.left)(a.top, b.top)(a.right, b.right)(a.bottom, b.bottom);
    }
    Chain& operator()(const RichPoint& a, const RichPoint& b) { return (*this)(a.x, b.x)(a.y, b.y); }
    Chain& Set(int value) {
        if (m_result == 0) m_result = value;
        return *this;
    }
    int Result() const { return m_result; }

private:
    int m_result = 0;
};

}  // namespace

int CExtRichStyleDescription::Compare(const CExtRichStyleDescription& o) const {
    Chain c;
    c.Set(m_font.Compare(o.m_font) < 0 ? -1 : (m_font.Compare(o.m_font) > 0 ? 1 : 0));
    c(m_nTextAlign, o.m_nTextAlign)(m_nVerticalAlign, o.m_nVerticalAlign)(m_nWhiteSpace, o.m_nWhiteSpace);
    c(m_nBackgroundRepeat, o.m_nBackgroundRepeat)(m_nBackgroundAttachment, o.m_nBackgroundAttachment);
    c(m_nBackgroundPosKeywords, o.m_nBackgroundPosKeywords)(m_nBackgroundPosKind, o.m_nBackgroundPosKind);
    c(m_nBackgroundColorMode, o.m_nBackgroundColorMode)(m_nOutlineStyle, o.m_nOutlineStyle);
    c(m_nListStylePosition, o.m_nListStylePosition)(m_nListStyleType, o.m_nListStyleType);
    c(m_nDisplay, o.m_nDisplay)(m_nUiDock, o.m_nUiDock)(m_nVisibility, o.m_nVisibility);
    c(m_nPosition, o.m_nPosition)(m_nOverflow, o.m_nOverflow)(m_nScrollBarH, o.m_nScrollBarH);
    c(m_nScrollBarV, o.m_nScrollBarV)(m_nFloat, o.m_nFloat)(m_nCursor, o.m_nCursor)(m_nClip, o.m_nClip);
    c(m_nZIndexMode, o.m_nZIndexMode)(m_nBorderCollapse, o.m_nBorderCollapse)(m_nCaptionSide, o.m_nCaptionSide);
    c(m_nEmptyCells, o.m_nEmptyCells)(m_nTableLayout, o.m_nTableLayout)(m_bNoShade, o.m_bNoShade);
    c(m_nListNavigation, o.m_nListNavigation)(m_nDrawMethod, o.m_nDrawMethod);
    c(m_nBackgroundDrawMethod, o.m_nBackgroundDrawMethod)(m_nFocusEnsureVisibility, o.m_nFocusEnsureVisibility);
    c(m_nDelayedDraw, o.m_nDelayedDraw)(m_ptBackgroundPos, o.m_ptBackgroundPos)(m_nTextIndent, o.m_nTextIndent);
    c(m_rcPadding, o.m_rcPadding)(m_rcBorderWidth, o.m_rcBorderWidth)(m_rcMargin, o.m_rcMargin);
    c(m_rcCellPadding, o.m_rcCellPadding)(m_rcClip, o.m_rcClip)(m_rcSlice, o.m_rcSlice);
    c(m_rcBackgroundSlice, o.m_rcBackgroundSlice)(m_rcBackgroundExtend, o.m_rcBackgroundExtend);
    c(m_nCellSpacingX, o.m_nCellSpacingX)(m_nCellSpacingY, o.m_nCellSpacingY);
    c(m_nWidth, o.m_nWidth)(m_nHeight, o.m_nHeight)(m_nWidthPercent, o.m_nWidthPercent);
    c(m_nHeightPercent, o.m_nHeightPercent)(m_nColSpan, o.m_nColSpan)(m_nRowSpan, o.m_nRowSpan);
    c(m_clrText, o.m_clrText)(m_clrBackground, o.m_clrBackground);
    for (int i = 0; i < 4; ++i) c(m_clrBorder[i], o.m_clrBorder[i]);
    for (int i = 0; i < 4; ++i) c(m_nBorderStyle[i], o.m_nBorderStyle[i]);
    c(m_nSpareInt, o.m_nSpareInt)(m_nTransparency, o.m_nTransparency);
    c(m_nBackgroundTransparency, o.m_nBackgroundTransparency);
    c(m_strBackgroundImage, o.m_strBackgroundImage)(m_strListStyleImage, o.m_strListStyleImage);
    c(m_strCursorUrl, o.m_strCursorUrl)(m_strCounter, o.m_strCounter)(m_strSpare1, o.m_strSpare1);
    c(m_strSpare2, o.m_strSpare2)(m_nWordSpacing, o.m_nWordSpacing)(m_nLetterSpacing, o.m_nLetterSpacing);
    c(m_nTextTransform, o.m_nTextTransform)(m_nOutlineWidth, o.m_nOutlineWidth)(m_clrOutline, o.m_clrOutline);
    c(m_nMaxHeight, o.m_nMaxHeight)(m_nMaxWidth, o.m_nMaxWidth)(m_nMinHeight, o.m_nMinHeight);
    c(m_nMinWidth, o.m_nMinWidth)(m_nMarkerMinWidth, o.m_nMarkerMinWidth);
    c(m_dMaxHeightPercent, o.m_dMaxHeightPercent)(m_dMaxWidthPercent, o.m_dMaxWidthPercent);
    c(m_dMinHeightPercent, o.m_dMinHeightPercent)(m_dMinWidthPercent, o.m_dMinWidthPercent);
    c(m_rcPosition, o.m_rcPosition)(m_rcPositionPercent, o.m_rcPositionPercent);
    c.Set(CompareQuotes(m_quotes, o.m_quotes));
    c(m_nZIndex, o.m_nZIndex)(m_nBorderSpacingX, o.m_nBorderSpacingX)(m_nBorderSpacingY, o.m_nBorderSpacingY);
    c(m_strContentBefore, o.m_strContentBefore)(m_strContentAfter, o.m_strContentAfter);
    c(m_bComputed, o.m_bComputed);
    for (int i = 0; i < RichUiState::Count; ++i) c(m_uiCaps[i], o.m_uiCaps[i]);
    c(m_nFocusOnMakeSelected, o.m_nFocusOnMakeSelected);
    c(m_nFocusOnMakeUnselectedSibling, o.m_nFocusOnMakeUnselectedSibling);
    c(m_nFocusOffMakeUnselected, o.m_nFocusOffMakeUnselected);
    c(m_nFocusOffMakeUnselectedSibling, o.m_nFocusOffMakeUnselectedSibling);
    return c.Result();
}

int CompareQuotes(const CExtRichStyleDescription::QuoteList& list, const CExtRichStyleDescription::QuoteList& other) {
    if (list.size() != other.size()) return list.size() < other.size() ? -1 : 1;
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (int c = list[i].m_strOpen.compare(other[i].m_strOpen)) return c < 0 ? -1 : 1;
        if (int c = list[i].m_strClose.compare(other[i].m_strClose)) return c < 0 ? -1 : 1;
    }
    return 0;
}

bool PreservesWhiteSpace(const CExtRichStyleDescription& description) {
    const int ws = description.m_nWhiteSpace;
    return ws == RichCode::WhiteSpacePre || ws == RichCode::WhiteSpacePreLine || ws == RichCode::WhiteSpacePreWrap;
}

void RotateBoxSides(int angle, int& left, int& top, int& right, int& bottom) {
    const int l = left, t = top, r = right, b = bottom;
    switch (angle) {
    case 90: left = b; top = l; right = t; bottom = r; break;
    case 180: left = r; top = b; right = l; bottom = t; break;
    case 270: left = t; top = r; right = b; bottom = l; break;
    default: break;
    }
}
