// Style records of a content item: the declared values collected for one item
// (CExtRichStyleRule, every field with a value that means "not declared") and the computed values
// of an element (CExtRichStyleDescription, starting as a copy of its parent's). The property codes
// below are shared by both; "inherit" codes occur in rules only.
#pragma once

#include "toolkit/richcontent/rich_font_description.h"
#include "toolkit/richcontent/rich_state_set.h"
#include "toolkit/richcontent/rich_types.h"

#include <vector>

// Pixel values that may be negative use this as "not declared" / "auto".
constexpr int kRichUnsetPixels = -32761;

// Border sides in the order of the four-entry arrays.
enum RichBorderSide : int { kRichSideLeft = 0, kRichSideRight = 1, kRichSideTop = 2, kRichSideBottom = 3 };

namespace RichCode {
// display
enum Display : int {
    DisplayNone = 0, DisplayBlock, DisplayInline, DisplayInlineBlock, DisplayInlineTable, DisplayListItem,
    DisplayRunIn, DisplayTable, DisplayTableCaption, DisplayTableCell, DisplayTableColumn,
    DisplayTableColumnGroup, DisplayTableFooterGroup, DisplayTableHeaderGroup, DisplayTableRow,
    DisplayTableRowGroup, DisplayUiDock, DisplayInherit
};
// ui-dock
enum UiDock : int {
    DockNone = 0, DockTop, DockPreTop, DockBottom, DockPreBottom, DockLeft, DockPreLeft, DockRight,
    DockPreRight, DockFill, DockPreFill
};
enum Visibility : int { VisibilityVisible = 0, VisibilityHidden, VisibilityCollapse, VisibilityInherit };
// The rule's "visibility not declared": below every keyword, so that an explicit "visible" can
// override an inherited "hidden".
constexpr int VisibilityUnset = -1;
enum Position : int { PositionAbsolute = 0, PositionFixed, PositionRelative, PositionStatic, PositionInherit };
enum WhiteSpace : int { WhiteSpaceNormal = 0, WhiteSpaceNoWrap, WhiteSpacePre, WhiteSpacePreLine,
                        WhiteSpacePreWrap, WhiteSpaceInherit };
enum TextAlign : int { AlignLeft = 0, AlignCenter, AlignRight, AlignJustify, AlignJustifyWithLastLine,
                       AlignJustifyRtl };
enum VerticalAlign : int { VAlignTop = 0, VAlignTextTop, VAlignMiddle, VAlignBottom, VAlignTextBottom,
                           VAlignBaseline, VAlignSub, VAlignSuper };
enum Overflow : int { OverflowVisible = 0, OverflowHidden, OverflowScroll, OverflowAuto, OverflowInherit };
enum Float : int { FloatLeft = 0, FloatRight, FloatNone, FloatInherit };
enum BorderStyle : int { BorderHidden = 0, BorderNone, BorderInherit, BorderDotted, BorderDashed, BorderSolid,
                         BorderDouble, BorderGroove, BorderRidge, BorderInset, BorderOutset };
enum OutlineStyle : int { OutlineNone = 0, OutlineDotted, OutlineDashed, OutlineSolid, OutlineDouble,
                          OutlineGroove, OutlineRidge, OutlineInset, OutlineOutset, OutlineInherit };
enum ListStylePosition : int { ListInside = 0, ListOutside, ListPositionInherit };
enum ListStyleType : int { ListNone = 0, ListCircle, ListDisc, ListSquare, ListDecimal, ListDecimalLeadingZero,
                           ListLowerAlpha, ListUpperAlpha, ListLowerLatin, ListUpperLatin, ListLowerRoman,
                           ListUpperRoman, ListTypeInherit };
enum BackgroundRepeat : int { RepeatBoth = 0, RepeatX, RepeatY, NoRepeat, RepeatInherit };
enum BackgroundAttachment : int { AttachScroll = 0, AttachFixed, AttachInherit };
enum BackgroundKind : int { BackgroundNone = 0, BackgroundKeywords, BackgroundPercent, BackgroundPixelsOrImage,
                            BackgroundInherit };
enum BackgroundColorMode : int { BackgroundColorNone = 0, BackgroundColorGiven, BackgroundColorInherit };
enum DelayedDraw : int { DrawDefault = 0, DrawInherit, DrawPostSibling, DrawPreFixedAbsolute,
                         DrawPostFixedAbsolute };
enum Switch : int { SwitchUnset = 0, SwitchOff = 1, SwitchOn = 2 };
}  // namespace RichCode

class CExtRichStyleDescription {
public:
    // One pair of quote marks of the "quotes" property (the name is spelled so).
    struct CQuoutes {
        RichString m_strOpen;
        RichString m_strClose;
        friend bool operator==(const CQuoutes&, const CQuoutes&) = default;
    };
    using QuoteList = std::vector<CQuoutes>;

    CExtRichStyleDescription();
    CExtRichStyleDescription(const CExtRichStyleDescription& other) = default;
    virtual ~CExtRichStyleDescription() = default;

    // Field by field in declaration order, the font first; -1, 0 or 1.
    virtual int Compare(const CExtRichStyleDescription& other) const;
    CExtRichStyleDescription& operator=(const CExtRichStyleDescription& other) = default;
    // Every field to its default except the font, the quotes and the two spare strings.
    virtual void Reset();
#ifdef _WIN32
    RichFontHandle CreateFont(int angle, bool underline) const { return m_font.CreateFont(angle, underline); }
#endif

    CExtRichFontDescription m_font;
    int m_nTextAlign;
    int m_nVerticalAlign;
    int m_nWhiteSpace;
    int m_nBackgroundRepeat;
    int m_nBackgroundAttachment;
    int m_nBackgroundPosKeywords;
    int m_nBackgroundPosKind;
    int m_nBackgroundColorMode;
    int m_nOutlineStyle;
    int m_nListStylePosition;
    int m_nListStyleType;
    int m_nDisplay;
    int m_nUiDock;
    int m_nVisibility;
    int m_nPosition;
    int m_nOverflow;
    int m_nScrollBarH, m_nScrollBarV;
    int m_nFloat;
    int m_nCursor;
    int m_nClip;
    int m_nZIndexMode;
    int m_nBorderCollapse;
    int m_nCaptionSide;
    int m_nEmptyCells;
    int m_nTableLayout;
    int m_bNoShade;
    int m_nListNavigation;
    int m_nDrawMethod, m_nBackgroundDrawMethod;
    int m_nFocusEnsureVisibility;
    int m_nDelayedDraw;
    RichPoint m_ptBackgroundPos;
    int m_nTextIndent;
    RichRect m_rcPadding, m_rcBorderWidth, m_rcMargin, m_rcCellPadding, m_rcClip, m_rcSlice,
        m_rcBackgroundSlice, m_rcBackgroundExtend;
    int m_nCellSpacingX, m_nCellSpacingY;
    int m_nWidth, m_nHeight;
    int m_nWidthPercent, m_nHeightPercent;
    int m_nColSpan, m_nRowSpan;
    RichColor m_clrText;
    RichColor m_clrBackground;
    RichColor m_clrBorder[4];
    int m_nBorderStyle[4];
    int m_nSpareInt;  // carried from the rule; no declaration sets it
    int m_nTransparency, m_nBackgroundTransparency;
    RichString m_strBackgroundImage;
    RichString m_strListStyleImage;
    RichString m_strCursorUrl;
    RichString m_strCounter;
    RichString m_strSpare1, m_strSpare2;  // carried only
    int m_nWordSpacing, m_nLetterSpacing;
    int m_nTextTransform;
    int m_nOutlineWidth;
    RichColor m_clrOutline;
    int m_nMaxHeight, m_nMaxWidth, m_nMinHeight, m_nMinWidth;
    int m_nMarkerMinWidth;
    double m_dMaxHeightPercent, m_dMaxWidthPercent, m_dMinHeightPercent, m_dMinWidthPercent;
    RichRect m_rcPosition;
    RichRect m_rcPositionPercent;
    QuoteList m_quotes;
    int m_nZIndex;
    int m_nBorderSpacingX, m_nBorderSpacingY;
    RichString m_strContentBefore, m_strContentAfter;
    bool m_bComputed;
    RichUiStateSet m_uiCaps;
    int m_nFocusOnMakeSelected, m_nFocusOnMakeUnselectedSibling, m_nFocusOffMakeUnselected,
        m_nFocusOffMakeUnselectedSibling;

    // The process-wide default description (stale descriptions are reset to it).
    static const CExtRichStyleDescription& Default();
};

class CExtRichStyleRule {
public:
    CExtRichStyleRule();
    CExtRichStyleRule(const CExtRichStyleRule& other) = default;
    virtual ~CExtRichStyleRule() = default;

    CExtRichStyleRule& operator=(const CExtRichStyleRule& other) = default;
    friend bool operator==(const CExtRichStyleRule&, const CExtRichStyleRule&) = default;
    // Copies every declared field of `other` over this rule.
    virtual void MergeFrom(const CExtRichStyleRule& other);
    virtual bool IsEmpty() const { return false; }
    // The initial values, except border colours 0, border spacings -1 and the size step kept.
    virtual void Reset();
    // `target` = `parent` with this rule's declared values carried in. A colspan or rowspan
    // declared as 0 is set to 1 in this rule.
    virtual void ComputeDescription(const CExtRichStyleDescription& parent, CExtRichStyleDescription& target);

    int m_nWeight = 0;
    int m_nWeightDelta = 0;
    int m_nItalic = 0, m_nUnderline = 0, m_nStrikeOut = 0;  // >0 on, <0 off, 0 unset
    RichString m_strFontFamily;
    int m_nFontSize = 0;
    int m_nFontSizeStep = 0;
    double m_dFontSizeFactor = 1.0;
    int m_nTextAlign = -1, m_nVerticalAlign = -1, m_nTextTransform = -1;
    int m_nWhiteSpace = RichCode::WhiteSpaceInherit;
    int m_nBackgroundRepeat = RichCode::NoRepeat;
    int m_nBackgroundAttachment = RichCode::AttachScroll;
    int m_nBackgroundPosKind = RichCode::BackgroundNone;
    int m_nBackgroundPosKeywords = 0;
    int m_nBackgroundColorMode = RichCode::BackgroundColorNone;
    int m_nOutlineStyle = 0;
    int m_nListStylePosition = RichCode::ListOutside;
    int m_nListStyleType = -1;
    int m_nDisplay = RichCode::DisplayInline;
    int m_nUiDock = 0;
    int m_nVisibility = RichCode::VisibilityUnset;
    int m_nPosition = RichCode::PositionStatic;
    int m_nOverflow = 0;
    int m_nScrollBarH = 0, m_nScrollBarV = 0;
    int m_nFloat = RichCode::FloatNone;
    int m_nCursor = 1;
    int m_nClip = 1;
    int m_nZIndexMode = 0;
    int m_nBorderCollapse = 1;
    int m_nCaptionSide = 0;
    int m_nEmptyCells = 1;
    int m_nTableLayout = 0;
    int m_bNoShade = 0, m_nListNavigation = 0;
    int m_nDrawMethod = -1, m_nBackgroundDrawMethod = -1;
    int m_nFocusEnsureVisibility = 0;
    int m_nDelayedDraw = 0;
    RichPoint m_ptBackgroundPos{-1, -1};
    int m_nTextIndent = -1;
    RichRect m_rcPadding{-1, -1, -1, -1}, m_rcBorderWidth{-1, -1, -1, -1}, m_rcMargin{-1, -1, -1, -1},
        m_rcCellPadding{-1, -1, -1, -1}, m_rcClip{-1, -1, -1, -1}, m_rcSlice{-1, -1, -1, -1},
        m_rcBackgroundSlice{-1, -1, -1, -1}, m_rcBackgroundExtend{-1, -1, -1, -1};
    int m_nCellSpacingX = -1, m_nCellSpacingY = -1;
    int m_nWidth = -1, m_nHeight = -1, m_nWidthPercent = -1, m_nHeightPercent = -1;
    int m_nColSpan = -1, m_nRowSpan = -1;
    RichColor m_clrText = kRichColorNone, m_clrBackground = kRichColorNone;
    RichColor m_clrBorder[4] = {kRichColorNone, kRichColorNone, kRichColorNone, kRichColorNone};
    int m_nBorderStyle[4] = {-1, -1, -1, -1};
    int m_nSpareInt = -1;
    int m_nTransparency = -1, m_nBackgroundTransparency = -1;
    RichString m_strSpare, m_strBackgroundImage, m_strListStyleImage, m_strCursorUrl, m_strCounter;
    int m_nLineHeight = -1;
    double m_dLineHeightFactor = 1.0;
    int m_nWordSpacing = kRichUnsetPixels, m_nLetterSpacing = kRichUnsetPixels, m_nZIndex = kRichUnsetPixels;
    int m_nOutlineWidth = 0;
    RichColor m_clrOutline = kRichColorNone;
    int m_nMaxHeight = -1, m_nMaxWidth = -1, m_nMinHeight = -1, m_nMinWidth = -1;
    int m_nMarkerMinWidth = 0;
    double m_dMaxHeightPercent = -1.0, m_dMaxWidthPercent = -1.0, m_dMinHeightPercent = -1.0,
           m_dMinWidthPercent = -1.0;
    RichRect m_rcPosition{kRichUnsetPixels, kRichUnsetPixels, kRichUnsetPixels, kRichUnsetPixels};
    RichRect m_rcPositionPercent{kRichUnsetPixels, kRichUnsetPixels, kRichUnsetPixels, kRichUnsetPixels};
    CExtRichStyleDescription::QuoteList m_quotes;
    int m_nBorderSpacingX = 0, m_nBorderSpacingY = 0;
    RichString m_strContentBefore, m_strContentAfter;
    RichUiStateSet m_uiCaps;
    int m_nFocusOnMakeSelected = 0, m_nFocusOnMakeUnselectedSibling = 0, m_nFocusOffMakeUnselected = 0,
        m_nFocusOffMakeUnselectedSibling = 0;

    // The process-wide default rule.
    static const CExtRichStyleRule& Default();
};

// Three-way comparison of quote lists: fewer pairs first, then pair by pair, open before close.
int CompareQuotes(const CExtRichStyleDescription::QuoteList& list, const CExtRichStyleDescription::QuoteList& other);
// White-space pre, pre-line or pre-wrap.
bool PreservesWhiteSpace(const CExtRichStyleDescription& description);
// Turns four sides given as left, top, right, bottom for a text angle of 90, 180 or 270.
void RotateBoxSides(int angle, int& left, int& top, int& right, int& bottom);
