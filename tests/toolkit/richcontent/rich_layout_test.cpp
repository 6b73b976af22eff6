// The layout pass on small documents with the stand-in font (8 x 16, ascent 13): rectangles of
// chosen items worked out by hand from the layout rules (blocks stacked with their margins, which
// do not collapse; lines broken at the width; alignment; floats; explicit sizes; rotation).
#include "tests/toolkit/richcontent/rich_layout_test_support.h"
#include "toolkit/richcontent/rich_platform.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using richtest::LaidOutPage;
using richtest::RectsText;
using richtest::RectText;

namespace {

struct BoxCase {
    const char* name;
    const char16_t* html;
    int width;
    const char16_t* id;
    const char* box;    // the item's rectangle
    const char* words;  // its words' rectangles
};

const BoxCase kBoxCases[] = {
    // "aaa bbb" is 56 wide; with the space after it the next word would end at 88 > 80.
    {"break at the width", u"<p id=p>aaa bbb ccc</p>", 80, u"p", "(0,0,80,32)", "(0,0,24,16) (32,0,56,16) (0,16,24,32)"},
    {"no break when it fits", u"<p id=p>aaa bbb ccc</p>", 88, u"p", "(0,0,88,16)",
     "(0,0,24,16) (32,0,56,16) (64,0,88,16)"},
    // A word wider than the line stays on its own line and overflows.
    {"long word overflows", u"<p id=p>a bbbbbbbbbbbbbb c</p>", 40, u"p", "(0,0,112,48)",
     "(0,0,8,16) (0,16,112,32) (0,32,8,48)"},
    // Margins are part of each block's box and stack: 10 + 10 between the two texts.
    {"first block with margins", u"<p id=a style='margin:10px'>x</p><p id=b style='margin:10px'>y</p>", 100, u"a",
     "(0,0,100,36)", "(10,10,18,26)"},
    {"margins do not collapse", u"<p id=a style='margin:10px'>x</p><p id=b style='margin:10px'>y</p>", 100, u"b",
     "(0,36,100,72)", "(10,46,18,62)"},
    {"padding and border", u"<div id=d style='padding:4px;border:2px solid black'>ab</div>", 100, u"d",
     "(0,0,100,28)", "(6,6,22,22)"},
    {"centred line", u"<p id=p style='text-align:center'>ab</p>", 100, u"p", "(0,0,100,16)", "(42,0,58,16)"},
    {"right-aligned line", u"<p id=p style='text-align:right'>ab</p>", 100, u"p", "(0,0,100,16)", "(84,0,100,16)"},
    // The trailing space of a broken line is collapsed, so the line is centred on its words:
    // "aa bb" (40) in 60 starts at 10, "cc" at 22.
    {"centred broken lines", u"<p id=p style='text-align:center'>aa bb cc</p>", 60, u"p", "(0,0,60,32)",
     "(10,0,26,16) (34,0,50,16) (22,16,38,32)"},
    // Justified: the free 20 pixels of the first line go to its one gap; the last line is left.
    {"justified", u"<p id=p style='text-align:justify'>aa bb cc</p>", 60, u"p", "(0,0,60,32)",
     "(0,0,16,16) (44,0,60,16) (0,16,16,32)"},
    {"justified last line too", u"<p id=p style='text-align:justifywithlastline'>aa bb</p>", 60, u"p",
     "(0,0,60,16)", "(0,0,16,16) (44,0,60,16)"},
    {"text indent", u"<p id=p style='text-indent:16px'>aa bb cc</p>", 60, u"p", "(0,0,60,32)",
     "(16,0,32,16) (40,0,56,16) (0,16,16,32)"},
    // An explicit width keeps the box; an explicit height with vertical-align middle moves the
    // 16-high content down by (50 - 16) / 2.
    {"explicit width", u"<div id=d style='width:50px'>aa bb cc</div>", 200, u"d", "(0,0,50,32)",
     "(0,0,16,16) (24,0,40,16) (0,16,16,32)"},
    {"explicit height, middle", u"<div id=d style='height:50px;vertical-align:middle'>x</div>", 100, u"d",
     "(0,0,100,50)", "(0,17,8,33)"},
    // No-wrap text stays on one line past the width.
    {"nowrap", u"<p id=p style='white-space:nowrap'>aa bb cc</p>", 30, u"p", "(0,0,64,16)",
     "(0,0,16,16) (24,0,40,16) (48,0,64,16)"},
    // Preserved white space keeps its width: a tab is the document's four spaces.
    {"pre tab", u"<p id=p style='white-space:pre'>a\tb</p>", 200, u"p", "(0,0,200,16)", "(0,0,8,16) (40,0,48,16)"},
    // Three spaces and a tab collapse to one space.
    {"collapsed spaces", u"<p id=p>a   \tb</p>", 200, u"p", "(0,0,200,16)", "(0,0,8,16) (16,0,24,16)"},
    // letter-spacing 2px on a five-letter word followed by a space adds 4 x 2.
    {"letter spacing", u"<p id=p style='letter-spacing:2px'>hello world</p>", 400, u"p", "(0,0,400,16)",
     "(0,0,48,16) (56,0,106,16)"},
    // A line break element ends the line.
    {"br", u"<p id=p>aa<br>bb</p>", 100, u"p", "(0,0,100,32)", "(0,0,16,16) (0,16,16,32)"},
    // A larger font: the small run moves down so the baselines meet (ascents 26 and 13).
    {"baselines", u"<p id=p><span style='font-size:26px'>A</span>b</p>", 200, u"p", "(0,0,200,29)",
     "(0,0,16,29) (16,13,24,29)"},
};

void PrintTo(const BoxCase& c, std::ostream* out) { *out << c.name; }

class LayoutBoxes : public ::testing::TestWithParam<BoxCase> {};

TEST_P(LayoutBoxes, RectanglesFollowTheRules) {
    const BoxCase& c = GetParam();
    LaidOutPage page(c.html, c.width);
    EXPECT_EQ(RectText(page.Box(c.id)), c.box);
    EXPECT_EQ(RectsText(page.Words(c.id)), c.words);
}

INSTANTIATE_TEST_SUITE_P(Documents, LayoutBoxes, ::testing::ValuesIn(kBoxCases),
                         [](const ::testing::TestParamInfo<BoxCase>& info) {
                             std::string name;
                             for (const char* p = info.param.name; *p; ++p)
                                 name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
                             return name;
                         });

// A left float takes its width off the lines beside it until a line starts below its bottom.
TEST(LayoutFloats, LinesFlowBesideALeftFloatUntilItsBottom) {
    LaidOutPage page(u"<div id=d><div id=f style='float:left;width:30px;height:20px'></div>"
                     u"aaaa bbbb cccc dddd eeee ffff</div>",
                     110);
    EXPECT_EQ(RectText(page.Box(u"f")), "(0,0,30,20)");
    EXPECT_EQ(RectsText(page.Words(u"d")),
              "(30,0,62,16) (70,0,102,16) (30,16,62,32) (70,16,102,32) (0,32,32,48) (40,32,72,48)");
}

TEST(LayoutFloats, RightFloatNarrowsTheLinesFromTheRight) {
    LaidOutPage page(u"<div id=d><div id=f style='float:right;width:30px;height:20px'></div>"
                     u"aaaa bbbb cccc</div>",
                     110);
    EXPECT_EQ(RectText(page.Box(u"f")), "(80,0,110,20)");
    // 80 pixels beside the float: "aaaa bbbb" (72) fits, "cccc" goes to the next line, still
    // beside the float (16 < 20).
    EXPECT_EQ(RectsText(page.Words(u"d")), "(0,0,32,16) (40,0,72,16) (0,16,32,32)");
}

TEST(LayoutRotation, QuarterTurnPutsTheFirstLineAlongTheRightEdge) {
    LaidOutPage page(u"<p id=p>ab</p>", 100, 90, 20);
    // Laid out in a 20 x 100 frame: "ab" at (0, 0, 16, 16), turned about the top-right corner.
    EXPECT_EQ(RectsText(page.Words(u"p")), "(84,0,100,16)");
}

TEST(LayoutLists, ItemsAreNumberedFromTheirValues) {
    LaidOutPage plain(u"<ol><li id=a>x</li><li id=b>y</li><li id=c>z</li></ol>");
    EXPECT_EQ(plain.Id(u"a")->GetListNumber(), 1);
    EXPECT_EQ(plain.Id(u"b")->GetListNumber(), 2);
    EXPECT_EQ(plain.Id(u"c")->GetListNumber(), 3);
    LaidOutPage valued(u"<ol><li id=a>x</li><li id=b value=10>y</li><li id=c>z</li></ol>");
    EXPECT_EQ(valued.Id(u"a")->GetListNumber(), 1);
    EXPECT_EQ(valued.Id(u"b")->GetListNumber(), 10);
    EXPECT_EQ(valued.Id(u"c")->GetListNumber(), 11);
    // Every child has its index, list item or not (the text between the items counts too).
    LaidOutPage mixed(u"<ol><li id=a>x</li>text<li id=b>y</li></ol>");
    EXPECT_EQ(mixed.Id(u"a")->m_nListIndex, 0);
    EXPECT_EQ(mixed.Id(u"b")->m_nListIndex, 2);
    EXPECT_EQ(mixed.Id(u"b")->GetListNumber(), 2);
}

// An inside marker is an inline box as wide as the bullet and its gap (8 + 10 at 96 dots per
// inch) before the item's text; an outside numbered marker only measures its text "1.  ".
TEST(LayoutLists, MarkersInsideAndOutside) {
    LaidOutPage inside(u"<ul><li id=a style='list-style-position:inside'>x</li></ul>");
    EXPECT_EQ(RectsText(inside.Words(u"a")), "(18,0,26,16)");
    LaidOutPage outside(u"<ol><li id=a style='list-style-type:decimal'>x</li></ol>");
    EXPECT_EQ(outside.Id(u"a")->GetMarkerWidth(), 32);
    EXPECT_EQ(RectsText(outside.Words(u"a")), "(0,0,8,16)");
}

// Laid out again at another width, only the line breaks change: the words keep their sizes and
// the blocks their place above.
TEST(LayoutRelayout, AnotherWidthMovesOnlyTheBrokenWords) {
    LaidOutPage page(u"<p id=a>aa bb cc dd</p><p id=b>x</p>", 200);
    EXPECT_EQ(RectsText(page.Words(u"a")), "(0,0,16,16) (24,0,40,16) (48,0,64,16) (72,0,88,16)");
    EXPECT_EQ(RectText(page.Box(u"b")), "(0,16,200,32)");
    page.Layout(48);
    EXPECT_EQ(RectsText(page.Words(u"a")), "(0,0,16,16) (24,0,40,16) (0,16,16,32) (24,16,40,32)");
    EXPECT_EQ(RectText(page.Box(u"b")), "(0,32,48,48)");
    page.Layout(200);
    EXPECT_EQ(RectsText(page.Words(u"a")), "(0,0,16,16) (24,0,40,16) (48,0,64,16) (72,0,88,16)");
}

// In a caption document a paragraph is as wide as its widest line and explicit heights are
// left out; in a page an auto-width block spans its container.
TEST(LayoutCaption, ParagraphAsWideAsItsWidestLine) {
    LaidOutPage page(u"<p id=p>aa bb</p><div id=d style='height:50px'>x</div>", 200);
    EXPECT_EQ(RectText(page.Box(u"p")), "(0,0,200,16)");
    EXPECT_EQ(RectText(page.Box(u"d")), "(0,16,200,66)");
    page.doc.m_bCaptionDocument = true;
    page.Layout(200);
    EXPECT_EQ(RectText(page.Box(u"p")), "(0,0,40,16)");
    EXPECT_EQ(RectText(page.Box(u"d")), "(0,16,8,32)");
}

// Generated ::before content is a run of its own, made again (not added again) by each layout.
TEST(LayoutGenerated, BeforeContentIsReplacedOnRelayout) {
    LaidOutPage page(u"<style>p:before { content: \"x\" }</style><p id=p>ab</p>", 200);
    EXPECT_EQ(RectsText(page.Words(u"p")), "(0,0,8,16) (8,0,24,16)");
    page.Layout(200);
    page.Layout(100);
    EXPECT_EQ(RectsText(page.Words(u"p")), "(0,0,8,16) (8,0,24,16)");
    EXPECT_EQ(page.Id(u"p")->m_listChildren.GetCount(), 2u);
}

// An absolutely positioned box sits at its offsets and takes no room in the flow.
TEST(LayoutPositioned, AbsoluteBoxAtItsOffsets) {
    LaidOutPage page(u"<div id=d style='position:absolute;left:20px;top:30px;width:50px;height:10px'>x</div>"
                     u"<p id=p>y</p>",
                     400);
    EXPECT_EQ(RectText(page.Box(u"d")), "(20,30,70,40)");
    EXPECT_EQ(RectsText(page.Words(u"d")), "(20,30,28,46)");
    EXPECT_EQ(RectText(page.Box(u"p")), "(0,0,400,16)");
    EXPECT_TRUE(page.doc.m_listPass.Find(page.Id(u"d")));
}

// Docked children take the edges of their parent's content box in order; a fill child the rest.
TEST(LayoutDocked, EdgesThenFill) {
    LaidOutPage page(u"<div id=d style='width:200px;height:100px'>"
                     u"<div id=l style='display:ui-dock;ui-dock:left;width:30px'>L</div>"
                     u"<div id=b style='display:ui-dock;ui-dock:bottom;height:20px'>B</div>"
                     u"<div id=f style='display:ui-dock;ui-dock:fill'>F</div>text</div>",
                     400);
    EXPECT_EQ(RectText(page.Box(u"d")), "(0,0,200,100)");
    EXPECT_EQ(RectText(page.Box(u"l")), "(0,0,30,100)");
    EXPECT_EQ(RectText(page.Box(u"b")), "(30,80,200,100)");
    EXPECT_EQ(RectText(page.Box(u"f")), "(30,0,200,80)");
}

// A box with an explicit height and overflowing content gets a vertical scroll range.
TEST(LayoutScrollRanges, OverflowOfAnExplicitHeight) {
    LaidOutPage page(u"<div id=d style='height:20px;width:100px'>aa bb cc dd ee ff</div>", 400);
    // Two lines of 16 ("aa bb cc dd" and "ee ff") in a 20-pixel box.
    EXPECT_EQ(page.Id(u"d")->GetScrollRange().cy, 12);
    EXPECT_EQ(page.Id(u"d")->GetScrollRange().cx, 0);
}

// Records the texts measured; everything else as the stand-in (whose widths follow the font size).
class MeasuringPlatform : public CExtRichPlatform {
public:
    CExtRichPlatform& base = RichDefaultPlatform();
    mutable std::vector<RichString> measured;
    int DpiX() const override { return base.DpiX(); }
    int DpiY() const override { return base.DpiY(); }
    RichColor SysColor(int index) const override { return base.SysColor(index); }
    int ScrollBarHeight() const override { return base.ScrollBarHeight(); }
    int ScrollBarWidth() const override { return base.ScrollBarWidth(); }
    RichSize MeasureText(RichDcHandle dc, const char16_t* text, int length) const override {
        measured.emplace_back(text, static_cast<std::size_t>(length));
        return base.MeasureText(dc, text, length);
    }
    RichLogFont DcFont(RichDcHandle dc) const override { return base.DcFont(dc); }
    RichString NormalFontFace() const override { return base.NormalFontFace(); }
    void* SelectFont(RichDcHandle dc, const RichLogFont& font, RichTextMetrics& metrics) const override {
        return base.SelectFont(dc, font, metrics);
    }
    void RestoreFont(RichDcHandle dc, void* previous) const override { base.RestoreFont(dc, previous); }
    long Count(const char16_t* text) const { return std::count(measured.begin(), measured.end(), text); }
};

// A page measures each word once in each font in a pass, and every word still gets its font's
// extent; the next pass measures afresh.
TEST(LayoutMeasuring, EachWordOncePerFontInAPass) {
    MeasuringPlatform platform;
    CExtRichPlatform* previous = RichSetPlatform(&platform);
    {
        LaidOutPage page(u"<p id=p>ab cd ab <b>ab</b> ab <font size=7>ab</font> cd</p>", 400);
        EXPECT_EQ(platform.Count(u"ab"), 3);  // the paragraph's font, bold, the large font
        EXPECT_EQ(platform.Count(u"cd"), 1);
        const std::vector<RichRect> words = page.Words(u"p");
        ASSERT_EQ(words.size(), 7u);
        for (std::size_t i : {1u, 2u, 4u, 6u}) EXPECT_EQ(words[i].Width(), words[0].Width()) << i;
        EXPECT_GT(words[5].Width(), words[0].Width());  // the large font's own extent
        EXPECT_GT(words[5].Height(), words[0].Height());
        // Spaces after words of both sizes keep their own widths too: the line stays in order.
        for (std::size_t i = 1; i < words.size(); ++i) EXPECT_GT(words[i].left, words[i - 1].right) << i;
        page.Layout(300);
        EXPECT_EQ(platform.Count(u"ab"), 6);
        EXPECT_EQ(platform.Count(u"cd"), 2);
    }
    RichSetPlatform(previous);
}

}  // namespace

namespace {

void CollectBreaks(CExtRichContentItem* item, std::vector<CExtRichContentItem*>& out) {
    for (CExtRichContentItem* child : item->m_listChildren) {
        if (child->IsElement() && child->GetTagName() == u"br") out.push_back(child);
        CollectBreaks(child, out);
    }
}

struct BreakCase {
    const char* name;
    const char16_t* html;
    std::vector<int> hints;  // what the caption drawing path measures for each break (-1: none)
    int captionHeight, pageHeight;  // of the item "p"
    int captionLastTop, pageLastTop;  // of its last word, from its top
};

}  // namespace

// Line breaks: in a caption a break is as high as the drawing path measured it (16 for a
// break that opens a line of its own, 0 for one that only ends a line of text); in a page,
// and for breaks the drawing path leaves alone (inside a table cell), a break that ends an
// empty line is an empty line of its font, as in a browser, and one after text adds nothing.
TEST(LayoutBreaks, EmptyLinesOfBreaks) {
    const BreakCase cases[] = {
        {"one break", u"<p id=p>one<br>two</p>", {0}, 32, 32, 16, 16},
        {"two breaks", u"<p id=p>one<br><br>three</p>", {0, 16}, 48, 48, 32, 32},
        {"three breaks", u"<p id=p>one<br><br><br>four</p>", {0, 16, 16}, 64, 64, 48, 48},
        {"break first", u"<p id=p><br>one</p>", {16}, 32, 32, 16, 16},
        {"break last", u"<p id=p>one<br></p>", {16}, 32, 16, 0, 0},
        {"in a cell", u"<table><tr><td id=p>one<br><br>three</td></tr></table>", {-1, -1}, 48, 48, 32, 32},
    };
    for (const BreakCase& c : cases) {
        for (const bool caption : {true, false}) {
            SCOPED_TRACE(std::string(c.name) + (caption ? " caption" : " page"));
            LaidOutPage page(c.html, 200);
            std::vector<CExtRichContentItem*> breaks;
            CollectBreaks(page.doc.GetRoot(), breaks);
            ASSERT_EQ(breaks.size(), c.hints.size());
            if (caption)
                for (std::size_t i = 0; i < breaks.size(); ++i) breaks[i]->m_nMinHeightHint = c.hints[i];
            page.doc.m_bCaptionDocument = caption;
            page.Layout(200);
            const RichRect box = page.Box(u"p");
            EXPECT_EQ(box.Height(), caption ? c.captionHeight : c.pageHeight) << RectText(box);
            const std::vector<RichRect> words = page.Words(u"p");
            ASSERT_FALSE(words.empty());
            EXPECT_EQ(words.back().top - box.top, caption ? c.captionLastTop : c.pageLastTop)
                << RectsText(words);
        }
    }
}

// A container's minimum content width is its widest group of words that no break opportunity
// separates: words joined across the tags of plain inline elements, parted by spaces and by
// unit boxes; hidden content takes no part.
TEST(LayoutMeasuring, MinimumWidthIsTheWidestUnbrokenWordGroup) {
    struct Case {
        const char* name;
        const char16_t* html;
        int minWidth;  // of "d", 8 a character
    };
    const Case cases[] = {
        {"words", u"<div id=d>ab cde f</div>", 24},
        {"joined across inline tags", u"<div id=d>ab<b>cd</b>ef gh</div>", 48},
        {"joined across nested tags", u"<div id=d>a<b>b<i>cc</i></b>d e</div>", 40},
        {"parted by an inline block", u"<div id=d>abc<span style=\"display: inline-block\">x</span>de</div>", 24},
        {"parted by a break", u"<div id=d>abc<br>de</div>", 24},
        {"hidden text left out", u"<div id=d>ab<span style=\"display: none\">zzzzzzzzzzzz</span>cd</div>", 32},
        {"parted by a no-wrap inline", u"<div id=d>abc<span style=\"white-space: nowrap\">d</span>ef</div>", 24},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LaidOutPage page(c.html, 400);
        ASSERT_NE(page.Id(u"d"), nullptr);
        EXPECT_EQ(page.Id(u"d")->m_nMinContentWidth, c.minWidth);
    }
}
