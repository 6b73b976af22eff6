// The attribute and property handler tables: every CSS property reached with a value through a
// style attribute and checked in the rule it fills, the HTML attributes likewise, and the rows of
// both tables.
#include "tests/toolkit/richcontent/rich_html_test_support.h"
#include "toolkit/richcontent/rich_handlers.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <set>
#include <string>

using richtest::DocumentBuilder;
using richtest::Utf8;

namespace {

std::string Str(int v) { return std::to_string(v); }
std::string Str(RichColor c) {
    if (c == kRichColorNone) return "none";
    if (c == kRichColorTransparent) return "transparent";
    char buf[16];
    std::snprintf(buf, sizeof buf, "#%02x%02x%02x", RichRed(c), RichGreen(c), RichBlue(c));
    return buf;
}
std::string Str(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%g", v);
    return buf;
}
std::string Str(const RichString& s) { return Utf8(s); }
// left, top, right, bottom.
std::string Str(const RichRect& r) {
    return Str(r.left) + "," + Str(r.top) + "," + Str(r.right) + "," + Str(r.bottom);
}
// Four sides in the rule's order: left, right, top, bottom.
std::string Sides(const int (&v)[4]) { return Str(v[0]) + "," + Str(v[1]) + "," + Str(v[2]) + "," + Str(v[3]); }
std::string Sides(const RichColor (&v)[4]) {
    return Str(v[0]) + "," + Str(v[1]) + "," + Str(v[2]) + "," + Str(v[3]);
}

using Field = std::function<std::string(const CExtRichStyleRule&, const CExtRichContentItem&)>;
#define FIELD(expr) [](const CExtRichStyleRule& r, const CExtRichContentItem& item) { (void)item; return (expr); }

struct PropertyCase {
    const char16_t* style;  // the style attribute's text
    Field field;
    const char* expected;
    const char16_t* element = u"p";
};

const PropertyCase kProperties[] = {
    // keywords
    {u"visibility: hidden", FIELD(Str(r.m_nVisibility)), "1"},
    {u"visibility: inherit", FIELD(Str(r.m_nVisibility)), "2"},
    {u"display: table-cell", FIELD(Str(r.m_nDisplay)), "9"},
    {u"display: block table", FIELD(Str(r.m_nDisplay)), "2"},  // two tokens: ignored
    {u"display: ui-dock", FIELD(Str(r.m_nDisplay)), "16"},
    {u"display: inherit", FIELD(Str(r.m_nDisplay)), "5"},
    {u"ui-dock: pre-fill", FIELD(Str(r.m_nUiDock)), "10"},
    {u"ui-dock: left; ui-dock: sideways", FIELD(Str(r.m_nUiDock)), "0"},
    {u"table-layout: fixed", FIELD(Str(r.m_nTableLayout)), "1"},
    {u"empty-cells: hide", FIELD(Str(r.m_nEmptyCells)), "0"},
    {u"caption-side: bottom", FIELD(Str(r.m_nCaptionSide)), "1"},
    {u"border-collapse: collapse", FIELD(Str(r.m_nBorderCollapse)), "0"},
    {u"float: right", FIELD(Str(r.m_nFloat)), "1"},
    {u"float: sideways", FIELD(Str(r.m_nFloat)), "2"},  // unknown keyword: the unset value stays
    {u"overflow: auto", FIELD(Str(r.m_nOverflow)), "3"},
    {u"ui-sbh: none", FIELD(Str(r.m_nScrollBarH)), "1"},
    {u"ui-sbv: visible", FIELD(Str(r.m_nScrollBarV)), "2"},
    {u"position: RELATIVE", FIELD(Str(r.m_nPosition)), "2"},
    {u"white-space: pre-wrap", FIELD(Str(r.m_nWhiteSpace)), "4"},
    {u"white-space: normal; white-space: inherit", FIELD(Str(r.m_nWhiteSpace)), "5"},
    {u"text-align: justify", FIELD(Str(r.m_nTextAlign)), "3"},
    {u"direction: rtl; text-align: justify", FIELD(Str(r.m_nTextAlign)), "5"},
    {u"text-align: justify; direction: rtl", FIELD(Str(r.m_nTextAlign)), "5"},
    {u"text-align: center; direction: rtl", FIELD(Str(r.m_nTextAlign)), "2"},
    {u"text-align: right; text-align: inherit", FIELD(Str(r.m_nTextAlign)), "-1"},
    {u"direction: ltr", FIELD(Str(r.m_nTextAlign)), "0"},
    {u"vertical-align: 12px", FIELD(Str(r.m_nVerticalAlign)), "3"},
    {u"vertical-align: super", FIELD(Str(r.m_nVerticalAlign)), "7"},
    {u"text-decoration: underline", FIELD(Str(r.m_nUnderline) + Str(r.m_nStrikeOut)), "10"},
    {u"text-decoration: line-through", FIELD(Str(r.m_nUnderline) + Str(r.m_nStrikeOut)), "01"},
    {u"text-transform: uppercase", FIELD(Str(r.m_nTextTransform)), "1"},
    {u"cursor: url(hand.cur)", FIELD(Str(r.m_nCursor) + " " + Str(r.m_strCursorUrl)), "0 hand.cur"},
    {u"cursor: pointer", FIELD(Str(r.m_nCursor)), "10"},
    {u"cursor: nonsense", FIELD(Str(r.m_nCursor)), "1"},
    {u"cursor: inherit", FIELD(Str(r.m_nCursor) + " " + Str(r.m_strCursorUrl)), "0 parent.cur"},
    {u"z-index: 5", FIELD(Str(r.m_nZIndexMode) + " " + Str(r.m_nZIndex)), "2 5"},
    {u"z-index: 0", FIELD(Str(r.m_nZIndexMode) + " " + Str(r.m_nZIndex)), "0 -32761"},
    {u"z-index: 3px", FIELD(Str(r.m_nZIndexMode) + " " + Str(r.m_nZIndex)), "0 -32761"},
    {u"z-index: 5; z-index: auto", FIELD(Str(r.m_nZIndexMode)), "0"},
    {u"clip: rect(1px, 2px, 3px, 4px)", FIELD(Str(r.m_nClip) + " " + Str(r.m_rcClip)), "0 4,1,2,3"},
    {u"clip: rect(1px, 50%, 3px, 4px)", FIELD(Str(r.m_nClip) + " " + Str(r.m_rcClip)), "1 -1,-1,-1,-1"},
    {u"clip: rect(1px, 2px, 3px, 4px); clip: auto", FIELD(Str(r.m_nClip)), "1"},
    // lengths
    {u"width: 50%", FIELD(Str(r.m_nWidthPercent) + " " + Str(r.m_nWidth)), "50 -1"},
    {u"width: 150%", FIELD(Str(r.m_nWidthPercent)), "100"},
    {u"width: 120px", FIELD(Str(r.m_nWidth)), "120"},
    {u"width: 120px; width: auto", FIELD(Str(r.m_nWidth)), "-1"},
    {u"width: 120px; width: inherit", FIELD(Str(r.m_nWidth)), "120"},
    {u"height: 1in", FIELD(Str(r.m_nHeight)), "96"},
    {u"max-height: 40", FIELD(Str(r.m_nMaxHeight)), "40"},
    {u"max-height: 40px; max-height: none", FIELD(Str(r.m_nMaxHeight)), "-1"},
    {u"max-height: 50%", FIELD(Str(r.m_dMaxHeightPercent)), "50"},
    {u"max-width: 30px", FIELD(Str(r.m_nMaxWidth)), "30"},
    {u"max-width: inherit", FIELD(Str(r.m_nMaxWidth)), "77"},
    {u"min-height: -5", FIELD(Str(r.m_nMinHeight)), "5"},
    {u"min-height: -5px", FIELD(Str(r.m_nMinHeight)), "0"},
    {u"min-width: 25%", FIELD(Str(r.m_dMinWidthPercent)), "25"},
    {u"text-indent: 10px", FIELD(Str(r.m_nTextIndent)), "10"},
    {u"text-indent: -4px", FIELD(Str(r.m_nTextIndent)), "0"},
    {u"word-spacing: -2px", FIELD(Str(r.m_nWordSpacing)), "-2"},
    {u"letter-spacing: 3px", FIELD(Str(r.m_nLetterSpacing)), "3"},
    {u"color: red", FIELD(Str(r.m_clrText)), "#ff0000"},
    {u"color: nonsense", FIELD(Str(r.m_clrText)), "none"},
    {u"border-spacing: 3px 4px", FIELD(Str(r.m_nBorderSpacingX) + "," + Str(r.m_nBorderSpacingY)), "3,4"},
    {u"border-spacing: 5", FIELD(Str(r.m_nBorderSpacingX) + "," + Str(r.m_nBorderSpacingY)), "5,5"},
    {u"border-spacing: 10%", FIELD(Str(r.m_nBorderSpacingX) + "," + Str(r.m_nBorderSpacingY)), "0,0"},
    {u"border-spacing: 1px inherit", FIELD(Str(r.m_nBorderSpacingX) + "," + Str(r.m_nBorderSpacingY)), "6,7"},
    // box shorthands (rectangles print left, top, right, bottom)
    {u"padding: 1px 2px 3px 4px", FIELD(Str(r.m_rcPadding)), "4,1,2,3"},
    {u"margin: -5px", FIELD(Str(r.m_rcMargin)), "0,0,0,0"},
    {u"margin: 1px 2px 3px 4px 5px", FIELD(Str(r.m_rcMargin)), "-1,-1,-1,-1"},
    {u"ui-slice: 1px 2px", FIELD(Str(r.m_rcSlice)), "2,1,2,1"},
    {u"ui-background-slice: 1px 2px 3px", FIELD(Str(r.m_rcBackgroundSlice)), "2,1,2,3"},
    {u"ui-background-extend: 7px", FIELD(Str(r.m_rcBackgroundExtend)), "7,7,7,7"},
    {u"border-width: 1px 2px", FIELD(Str(r.m_rcBorderWidth)), "2,1,2,1"},
    {u"border-color: red blue", FIELD(Sides(r.m_clrBorder)), "#0000ff,#0000ff,#ff0000,#ff0000"},
    {u"border-style: solid dotted", FIELD(Sides(r.m_nBorderStyle)), "3,3,5,5"},
    // per side (sides print left, right, top, bottom)
    {u"margin-left: 5px", FIELD(Str(r.m_rcMargin)), "5,-1,-1,-1"},
    {u"margin-right: 6px", FIELD(Str(r.m_rcMargin)), "-1,-1,6,-1"},
    {u"margin-top: 1px 2px", FIELD(Str(r.m_rcMargin)), "-1,2,-1,-1"},
    {u"margin-bottom: 8px", FIELD(Str(r.m_rcMargin)), "-1,-1,-1,8"},
    {u"padding-left: 5px", FIELD(Str(r.m_rcPadding)), "5,-1,-1,-1"},
    {u"padding-right: 6px", FIELD(Str(r.m_rcPadding)), "-1,-1,6,-1"},
    {u"padding-top: 7px", FIELD(Str(r.m_rcPadding)), "-1,7,-1,-1"},
    {u"padding-bottom: 8px", FIELD(Str(r.m_rcPadding)), "-1,-1,-1,8"},
    {u"border-left-color: red", FIELD(Sides(r.m_clrBorder)), "#ff0000,none,none,none"},
    {u"border-right-color: red", FIELD(Sides(r.m_clrBorder)), "none,#ff0000,none,none"},
    {u"border-top-color: red", FIELD(Sides(r.m_clrBorder)), "none,none,#ff0000,none"},
    {u"border-bottom-color: red", FIELD(Sides(r.m_clrBorder)), "none,none,none,#ff0000"},
    {u"border-left-width: 1px", FIELD(Str(r.m_rcBorderWidth)), "1,-1,-1,-1"},
    {u"border-right-width: 2px", FIELD(Str(r.m_rcBorderWidth)), "-1,-1,2,-1"},
    {u"border-top-width: 3px", FIELD(Str(r.m_rcBorderWidth)), "-1,3,-1,-1"},
    {u"border-bottom-width: 4px", FIELD(Str(r.m_rcBorderWidth)), "-1,-1,-1,4"},
    {u"border-left-style: solid", FIELD(Sides(r.m_nBorderStyle)), "5,-1,-1,-1"},
    {u"border-right-style: dashed", FIELD(Sides(r.m_nBorderStyle)), "-1,4,-1,-1"},
    {u"border-top-style: double", FIELD(Sides(r.m_nBorderStyle)), "-1,-1,6,-1"},
    {u"border-bottom-style: inset", FIELD(Sides(r.m_nBorderStyle)), "-1,-1,-1,9"},
    // border shorthands
    {u"border: 1px solid red", FIELD(Sides(r.m_nBorderStyle) + " " + Sides(r.m_clrBorder) + " " + Str(r.m_rcBorderWidth)),
     "5,5,5,5 #ff0000,#ff0000,#ff0000,#ff0000 1,1,1,1"},
    {u"border-left: 2px dashed", FIELD(Sides(r.m_nBorderStyle) + " " + Str(r.m_rcBorderWidth)),
     "4,-1,-1,-1 2,-1,-1,-1"},
    {u"border-right: blue", FIELD(Sides(r.m_clrBorder)), "none,#0000ff,none,none"},
    {u"border-top: 3px", FIELD(Str(r.m_rcBorderWidth)), "-1,3,-1,-1"},
    {u"border-bottom: inherit", FIELD(Sides(r.m_nBorderStyle)), "-1,-1,-1,2"},
    // fonts
    {u"font: bold 12px/14px arial",
     FIELD(Str(r.m_nWeight) + " " + Str(r.m_nFontSize) + " " + Str(r.m_nLineHeight) + " " + Str(r.m_strFontFamily)),
     "700 12 14 arial"},
    {u"font: 12px arial", FIELD(Str(r.m_nFontSize) + " " + Str(r.m_strFontFamily)), "0 arial"},
    {u"font: italic 9pt/2 Verdana", FIELD(Str(r.m_nItalic) + " " + Str(r.m_nFontSize) + " " + Str(r.m_strFontFamily)),
     "1 12 verdana"},
    {u"font-family: Verdana, Arial", FIELD(Str(r.m_strFontFamily)), "verdana"},
    {u"font-style: italic", FIELD(Str(r.m_nItalic)), "1"},
    {u"font-size: 20px", FIELD(Str(r.m_nFontSize)), "20"},
    {u"font-weight: bold", FIELD(Str(r.m_nWeight)), "700"},
    {u"line-height: 18px", FIELD(Str(r.m_nLineHeight)), "18"},
    // outlines and lists
    {u"outline: red dotted 2px", FIELD(Str(r.m_clrOutline) + " " + Str(r.m_nOutlineStyle) + " " + Str(r.m_nOutlineWidth)),
     "#ff0000 1 2"},
    {u"outline: 3px solid blue",
     FIELD(Str(r.m_clrOutline) + " " + Str(r.m_nOutlineStyle) + " " + Str(r.m_nOutlineWidth)), "#0000ff 3 3"},
    {u"outline-color: blue", FIELD(Str(r.m_clrOutline)), "#0000ff"},
    {u"outline-style: dashed", FIELD(Str(r.m_nOutlineStyle)), "2"},
    {u"outline-width: thick", FIELD(Str(r.m_nOutlineWidth)), "7"},
    {u"list-style: square inside", FIELD(Str(r.m_nListStyleType) + " " + Str(r.m_nListStylePosition)), "3 0"},
    {u"list-style-image: url(bullet.png)", FIELD(Str(r.m_strListStyleImage)), "bullet.png"},
    {u"list-style-position: inside", FIELD(Str(r.m_nListStylePosition)), "0"},
    {u"list-style-type: upper-roman", FIELD(Str(r.m_nListStyleType)), "11"},
    // offsets
    {u"left: 10px", FIELD(Str(r.m_rcPosition.left)), "10"},
    {u"top: 5%", FIELD(Str(r.m_rcPositionPercent.top) + " " + Str(r.m_rcPosition.top)), "5 -32761"},
    {u"right: -3px", FIELD(Str(r.m_rcPosition.right)), "-3"},
    {u"bottom: 4px", FIELD(Str(r.m_rcPosition.bottom)), "4"},
    // backgrounds
    {u"background: #fff url(a.png) no-repeat fixed",
     FIELD(Str(r.m_clrBackground) + " " + Str(r.m_strBackgroundImage) + " " + Str(r.m_nBackgroundRepeat) + " " +
           Str(r.m_nBackgroundAttachment)),
     "#ffffff a.png 3 1"},
    {u"background: url(a.png) red 10px 20px",
     FIELD(Str(r.m_clrBackground) + " " + Str(r.m_nBackgroundPosKind) + " " + Str(r.m_ptBackgroundPos.x) + "," +
           Str(r.m_ptBackgroundPos.y)),
     "#ff0000 3 10,20"},
    {u"background: red left top center", FIELD(Str(r.m_clrBackground) + " " + Str(r.m_nBackgroundColorMode)),
     "none 0"},
    {u"background: inherit", FIELD(Str(r.m_clrBackground) + " " + Str(r.m_strBackgroundImage)), "#00ff00 up.png"},
    {u"background-color: blue", FIELD(Str(r.m_clrBackground) + " " + Str(r.m_nBackgroundColorMode)), "#0000ff 1"},
    {u"background-image: url(x.png)", FIELD(Str(r.m_strBackgroundImage)), "x.png"},
    {u"background-repeat: repeat-x", FIELD(Str(r.m_nBackgroundRepeat)), "1"},
    {u"background-attachment: fixed", FIELD(Str(r.m_nBackgroundAttachment)), "1"},
    {u"background-position: 10px 20px", FIELD(Str(r.m_ptBackgroundPos.x) + "," + Str(r.m_ptBackgroundPos.y)), "10,20"},
    // generated content
    {u"quotes: \"<\" \">\" \"[\" \"]\"",
     FIELD(Str(static_cast<int>(r.m_quotes.size())) + " " + (r.m_quotes.size() < 2 ? "" : Str(r.m_quotes[1].m_strOpen))),
     "2 ["},
    {u"quotes: \"<\" \">\" \"[\"", FIELD(Str(static_cast<int>(r.m_quotes.size()))), "0"},
    {u"counter-increment: Chapter", FIELD(Str(r.m_strCounter)), "chapter"},
    {u"counter-reset: section", FIELD(Str(r.m_strCounter)), "section"},
    {u"content: \"Hi\"", FIELD(Str(r.m_strCounter)), "Hi"},
    {u"content: \"Note: \"", FIELD(Str(r.m_strContentBefore) + "|" + Str(item.m_states[RichUiState::Before])),
     "Note:|2", u"q:before"},
    {u"content: \"!\"", FIELD(Str(r.m_strContentAfter) + "|" + Str(item.m_states[RichUiState::After])), "!|2",
     u"q:after"},
    // toolkit properties
    {u"ui-can-be-disable: no", FIELD(Str(r.m_uiCaps[RichUiState::Disabled])), "1"},
    {u"ui-can-be-disabled: yes", FIELD(Str(r.m_uiCaps[RichUiState::Disabled])), "2"},
    {u"ui-can-be-active: true", FIELD(Str(r.m_uiCaps[RichUiState::Active])), "2"},
    {u"ui-can-be-focus: 1", FIELD(Str(r.m_uiCaps[RichUiState::Focus])), "2"},
    {u"ui-can-be-focused: false", FIELD(Str(r.m_uiCaps[RichUiState::Focus])), "1"},
    {u"ui-can-be-selected: yes", FIELD(Str(r.m_uiCaps[RichUiState::Selected])), "2"},
    {u"ui-can-be-selection: not", FIELD(Str(r.m_uiCaps[RichUiState::Selected])), "1"},
    {u"ui-can-be-hover: yes", FIELD(Str(r.m_uiCaps[RichUiState::Hover])), "2"},
    {u"ui-can-be-hovered: maybe", FIELD(Str(r.m_uiCaps[RichUiState::Hover])), "0"},
    {u"ui-can-be-press: 0", FIELD(Str(r.m_uiCaps[RichUiState::Pressed])), "1"},
    {u"ui-can-be-pressed: yes", FIELD(Str(r.m_uiCaps[RichUiState::Pressed])), "2"},
    {u"ui-can-be-link: yes", FIELD(Str(r.m_uiCaps[RichUiState::Link])), "2"},
    {u"ui-can-be-visit: yes", FIELD(Str(r.m_uiCaps[RichUiState::Visited])), "2"},
    {u"ui-can-be-visited: no", FIELD(Str(r.m_uiCaps[RichUiState::Visited])), "1"},
    {u"ui-focus-on-make-selected: yes", FIELD(Str(r.m_nFocusOnMakeSelected)), "2"},
    {u"ui-focus-on-make-selection: no", FIELD(Str(r.m_nFocusOnMakeSelected)), "1"},
    {u"ui-focus-on-make-unselected-sibling: yes", FIELD(Str(r.m_nFocusOnMakeUnselectedSibling)), "2"},
    {u"ui-focus-on-make-unselection-sibling: no", FIELD(Str(r.m_nFocusOnMakeUnselectedSibling)), "1"},
    {u"ui-focus-off-make-unselected: true", FIELD(Str(r.m_nFocusOffMakeUnselected)), "2"},
    {u"ui-focus-off-make-unselection: false", FIELD(Str(r.m_nFocusOffMakeUnselected)), "1"},
    {u"ui-focus-off-make-unselected-sibling: 1", FIELD(Str(r.m_nFocusOffMakeUnselectedSibling)), "2"},
    {u"ui-focus-off-make-unselection-sibling: 0", FIELD(Str(r.m_nFocusOffMakeUnselectedSibling)), "1"},
    {u"ui-list-navigation: list-x", FIELD(Str(r.m_nListNavigation)), "2"},
    {u"ui-list-navigation: list-xy", FIELD(Str(r.m_nListNavigation)), "4"},
    {u"ui-list-navigation: none", FIELD(Str(r.m_nListNavigation)), "1"},
    {u"ui-draw-method: tile", FIELD(Str(r.m_nDrawMethod)), "5"},
    {u"ui-draw-method: tile; ui-draw-method: bogus", FIELD(Str(r.m_nDrawMethod)), "-1"},
    {u"ui-background-draw-method: stretch", FIELD(Str(r.m_nBackgroundDrawMethod)), "2"},
    {u"ui-transparency: 50%", FIELD(Str(r.m_nTransparency)), "127"},
    {u"ui-transparency: 300", FIELD(Str(r.m_nTransparency)), "255"},
    {u"ui-transparency: 40", FIELD(Str(r.m_nTransparency)), "40"},
    {u"ui-background-transparency: 10px", FIELD(Str(r.m_nBackgroundTransparency)), "10"},
    {u"ui-focus-ensure-visibility: ensure", FIELD(Str(r.m_nFocusEnsureVisibility)), "2"},
    {u"ui-delayed-draw: inherit", FIELD(Str(r.m_nDelayedDraw)), "1"},
    {u"ui-delayed-draw: 1", FIELD(Str(r.m_nDelayedDraw)), "1"},
    {u"ui-delayed-draw: topmost", FIELD(Str(r.m_nDelayedDraw)), "4"},
    {u"ui-delayed-draw: 3; ui-delayed-draw: bogus", FIELD(Str(r.m_nDelayedDraw)), "3"},
};

// The parent description the handlers see: values that "inherit" copies.
CExtRichStyleDescription Parent() {
    CExtRichStyleDescription p;
    p.m_font.m_lf.lfHeight = -16;
    p.m_nVisibility = 2;
    p.m_nDisplay = 5;
    p.m_nCursor = 0;
    p.m_strCursorUrl = u"parent.cur";
    p.m_nMaxWidth = 77;
    p.m_nBorderSpacingX = 6;
    p.m_nBorderSpacingY = 7;
    p.m_clrBackground = RichRgb(0, 255, 0);
    p.m_strBackgroundImage = u"up.png";
    return p;
}

TEST(RichPropertyHandlers, EveryPropertyWritesItsField) {
    const CExtRichStyleDescription parent = Parent();
    std::set<std::string> reached;
    for (const PropertyCase& c : kProperties) {
        SCOPED_TRACE(Utf8(c.style));
        DocumentBuilder d;
        CExtRichContentItem* item = d.Element(d.root, c.element);
        CExtRichContentItem* style = item->AddAttribute(u"style", c.style);
        ASSERT_TRUE(style->ParseStyleAttribute());
        for (const CExtRichContentItem* declaration : style->m_listAttributes) reached.insert(Utf8(declaration->m_strName));
        CExtRichStyleRule rule;
        item->ApplyCssDeclarations(rule, parent);
        EXPECT_EQ(c.field(rule, *item), c.expected);
    }
    for (std::size_t i = 0; i < g_CssPropertyHandlerCount; ++i)
        EXPECT_TRUE(reached.count(Utf8(g_CssPropertyHandlers[i].name))) << Utf8(g_CssPropertyHandlers[i].name);
}

TEST(RichPropertyHandlers, TablesHaveOneHandlerPerName) {
    ASSERT_EQ(g_CssPropertyHandlerCount, 122u);
    ASSERT_EQ(g_HtmlAttributeHandlerCount, 23u);
    std::set<std::u16string> names;
    std::set<RichStyleHandler> handlers;
    for (std::size_t i = 0; i < g_CssPropertyHandlerCount; ++i) {
        const RichString name = g_CssPropertyHandlers[i].name;
        EXPECT_EQ(name, rich::Lower(name));
        names.insert(name);
        handlers.insert(g_CssPropertyHandlers[i].handler);
        EXPECT_EQ(RichFindCssPropertyHandler(name), g_CssPropertyHandlers[i].handler);
    }
    EXPECT_EQ(names.size(), 122u);
    EXPECT_EQ(handlers.size(), 111u);
    EXPECT_EQ(RichFindCssPropertyHandler(u"counter-increment"), RichFindCssPropertyHandler(u"counter-reset"));
    EXPECT_EQ(RichFindCssPropertyHandler(u"no-such-property"), nullptr);
    const char16_t* attributes[] = {u"class",      u"id",          u"uiidsrc",     u"uiiddst",    u"name",
                                    u"size",       u"noshade",     u"face",        u"color",      u"bgcolor",
                                    u"align",      u"valign",      u"border",      u"cellpadding", u"cellspacing",
                                    u"width",      u"height",      u"colspan",     u"rowspan",    u"min-height",
                                    u"max-height", u"min-width",   u"max-width"};
    for (std::size_t i = 0; i < g_HtmlAttributeHandlerCount; ++i) {
        EXPECT_EQ(RichString(g_HtmlAttributeHandlers[i].name), attributes[i]);
        EXPECT_EQ(RichFindHtmlAttributeHandler(attributes[i]), g_HtmlAttributeHandlers[i].handler);
    }
    EXPECT_EQ(RichFindHtmlAttributeHandler(u"style"), nullptr);
    EXPECT_EQ(RichFindHtmlAttributeHandler(u"href"), nullptr);

    // A program's own handler replaces a built-in one until it is taken away again.
    const RichStyleHandler color = RichFindCssPropertyHandler(u"color");
    RichSetCssPropertyHandler(u"Color", [](CExtRichContentItem*, CExtRichContentItem*, CExtRichStyleRule& r,
                                           const CExtRichStyleDescription&) { r.m_clrText = 1; });
    EXPECT_NE(RichFindCssPropertyHandler(u"color"), color);
    RichSetCssPropertyHandler(u"color", nullptr);
    EXPECT_EQ(RichFindCssPropertyHandler(u"color"), color);
}

struct AttributeCase {
    const char16_t* html;  // one element
    Field field;
    const char* expected;
};

const AttributeCase kAttributes[] = {
    {u"<p size=+2>", FIELD(Str(r.m_dFontSizeFactor)), "3"},
    {u"<p size=-1>", FIELD(Str(r.m_dFontSizeFactor)), "0"},
    {u"<p size=3>", FIELD(Str(r.m_nFontSize)), "9"},
    {u"<hr noshade=1>", FIELD(Str(r.m_bNoShade)), "1"},
    {u"<font face=\"Courier New\">", FIELD(Str(r.m_strFontFamily)), "courier new"},
    {u"<font color=Red>", FIELD(Str(r.m_clrText)), "#ff0000"},
    {u"<td bgcolor=#00FF00>", FIELD(Str(r.m_clrBackground) + " " + Str(r.m_nBackgroundColorMode)), "#00ff00 1"},
    {u"<td bgcolor=bogus>", FIELD(Str(r.m_clrBackground) + " " + Str(r.m_nBackgroundColorMode)), "none 0"},
    {u"<img align=right>", FIELD(Str(r.m_nFloat) + " " + Str(r.m_nTextAlign)), "1 -1"},
    {u"<p align=right>", FIELD(Str(r.m_nFloat) + " " + Str(r.m_nTextAlign)), "2 2"},
    {u"<img align=left>", FIELD(Str(r.m_nFloat)), "0"},
    {u"<p align=center>", FIELD(Str(r.m_nTextAlign)), "1"},
    {u"<p align=justify>", FIELD(Str(r.m_nTextAlign)), "3"},
    {u"<p align=justifywithlastline>", FIELD(Str(r.m_nTextAlign)), "4"},
    {u"<p align=sideways>", FIELD(Str(r.m_nTextAlign)), "-1"},
    {u"<td valign=middle>", FIELD(Str(r.m_nVerticalAlign)), "2"},
    {u"<td valign=baseline>", FIELD(Str(r.m_nVerticalAlign)), "5"},
    {u"<table border=2>", FIELD(Str(r.m_rcBorderWidth) + " " + Sides(r.m_nBorderStyle)), "2,2,2,2 -1,-1,-1,-1"},
    {u"<table cellpadding=3>", FIELD(Str(r.m_rcCellPadding)), "3,3,3,3"},
    {u"<table cellspacing=4>", FIELD(Str(r.m_nCellSpacingX) + "," + Str(r.m_nCellSpacingY) + " " +
                                     Str(r.m_nBorderSpacingX)),
     "4,4 0"},
    {u"<td width=50%>", FIELD(Str(r.m_nWidthPercent)), "50"},
    {u"<td width=0.5%>", FIELD(Str(r.m_nWidthPercent)), "0"},
    {u"<td width=150%>", FIELD(Str(r.m_nWidthPercent)), "100"},
    {u"<td width=100%%>", FIELD(Str(r.m_nWidthPercent)), "100"},
    {u"<td width=80>", FIELD(Str(r.m_nWidth)), "80"},
    {u"<td height=20>", FIELD(Str(r.m_nHeight)), "20"},
    {u"<td colspan=3>", FIELD(Str(r.m_nColSpan)), "3"},
    {u"<td colspan=0>", FIELD(Str(r.m_nColSpan)), "1"},
    {u"<td rowspan=-3>", FIELD(Str(r.m_nRowSpan)), "1"},
    {u"<div min-height=40>", FIELD(Str(r.m_nMinHeight)), "40"},
    {u"<div max-height=50%>", FIELD(Str(r.m_dMaxHeightPercent)), "50"},
    {u"<div min-width=auto>", FIELD(Str(r.m_nMinWidth)), "-1"},
    {u"<div max-width=inherit>", FIELD(Str(r.m_nMaxWidth)), "77"},
    {u"<div max-width=-9px>", FIELD(Str(r.m_nMaxWidth)), "0"},
};

TEST(RichPropertyHandlers, HtmlAttributesWriteTheirFields) {
    const CExtRichStyleDescription parent = Parent();
    for (const AttributeCase& c : kAttributes) {
        SCOPED_TRACE(Utf8(c.html));
        CExtRichContentLayout doc;
        doc.ParseHtml(c.html, true);
        CExtRichContentItem* element = doc.GetRoot()->m_listChildren.GetHead();
        ASSERT_NE(element, nullptr);
        CExtRichStyleRule rule;
        element->ApplyHtmlAttributes(rule, parent);
        EXPECT_EQ(c.field(rule, *element), c.expected);
    }
}

// Class rules apply per style sheet in the order class, tag-qualified class for each class name.
TEST(RichPropertyHandlers, ClassRulesApplyInOrder) {
    CExtRichContentLayout doc;
    doc.ParseHtml(u"<style>.A { margin-left: 1px; color: red } p.a { margin-left: 2px } .b { margin-left: 3px }"
                  u" p.B { color: blue } #x { color: green } p { margin-top: 9px }</style>"
                  u"<p class=\"A b\" id=x>t</p>",
                  true);
    doc.RebuildStyleSheets();
    CExtRichContentItem* p = doc.GetRoot()->m_listChildren.GetTail();
    ASSERT_EQ(Utf8(p->m_strName), "p");
    CExtRichStyleRule rule;
    p->ApplyHtmlAttributes(rule, Parent());
    // a, p.a, b, p.b: the b rule comes last for the margin, p.b last for the colour; the id
    // selects nothing.
    EXPECT_EQ(rule.m_rcMargin.left, 3);
    EXPECT_EQ(rule.m_rcMargin.top, 9);
    EXPECT_EQ(rule.m_clrText, RichRgb(0, 0, 255));
    std::string keys;
    for (const RichString& k : p->GetClassNames()) keys += Utf8(k) + " ";
    EXPECT_EQ(keys, "A p.A b p.b ");
}

}  // namespace
