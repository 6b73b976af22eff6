// Pages of the browser control with the defaults a browser gives them, laid out with the
// stand-in font (8 pixels a character, 16 high): cells padded by one pixel and two pixels
// apart unless the table says otherwise, the table's own frame, spaced paragraphs whose
// margins overlap, bold headings in their sizes, blue links, the seven font sizes and white
// space that makes no line.
#include "tests/toolkit/richcontent/rich_layout_test_support.h"
#include "toolkit/richcontent/rich_page_layout.h"

#include <gtest/gtest.h>

using richtest::RectsText;
using richtest::RectText;
using richtest::TestDc;

namespace {

struct Page {
    CExtRichPageLayout doc;
    explicit Page(const char16_t* html, int width = 400) {
        doc.ParseHtml(html, true);
        doc.Layout(TestDc(), RichRect{0, 0, width, 1000});
    }
    CExtRichContentItem* Id(const char16_t* id) const { return doc.FindById(id); }
    std::string Box(const char16_t* id) const {
        CExtRichContentItem* item = Id(id);
        return item ? RectText(item->m_rcItem) : "missing";
    }
    std::string Words(const char16_t* id) const {
        std::vector<RichRect> out;
        if (CExtRichContentItem* item = Id(id)) richtest::LaidOutPage::Collect(item, out);
        return RectsText(out);
    }
};

struct PageBoxCase {
    const char* name;
    const char16_t* html;
    std::vector<std::pair<const char16_t*, const char*>> boxes;
};

TEST(PageLayout, BoxesOfPageDefaults) {
    const PageBoxCase cases[] = {
        // Two pixels around and between the cells, one inside each (words 8 x 16).
        {"default spacing and padding",
         u"<table id=t><tr><td id=a>a</td><td id=b>b</td></tr><tr><td id=c>c</td><td id=d>d</td></tr></table>",
         {{u"a", "(2,2,12,20)"}, {u"b", "(14,2,24,20)"}, {u"c", "(2,22,12,40)"}}},
        // cellpadding pads inside the cells and not the table; cellspacing replaces the spacing.
        {"cellpadding inside the cells",
         u"<table id=t cellpadding=3><tr><td id=a>a</td><td id=b>b</td></tr></table>",
         {{u"a", "(2,2,16,24)"}, {u"b", "(18,2,32,24)"}}},
        {"cellspacing zero",
         u"<table id=t cellspacing=0><tr><td id=a>a</td><td id=b>b</td></tr></table>",
         {{u"a", "(0,0,10,18)"}, {u"b", "(10,0,20,18)"}}},
        // Paragraphs have 1em (13 pixels) above and below; between two of them the margins
        // overlap, and a table (which has none) keeps the paragraph's.
        {"paragraphs", u"<p id=a>x</p><p id=b>y</p><table id=t><tr><td>z</td></tr></table>",
         {{u"a", "(0,0,400,42)"}, {u"b", "(0,29,400,71)"}, {u"t", "(0,71,14,93)"}}},
        // A break that ends an empty line is a line; white space alone between breaks is none.
        {"breaks and white space", u"<div id=d>one<br>\n<br>\nthree</div>", {{u"d", "(0,0,400,48)"}}},
        {"white space between blocks", u"<div id=d><div>a</div>\n  \n<div>b</div></div>", {{u"d", "(0,0,400,32)"}}},
    };
    for (const PageBoxCase& c : cases) {
        SCOPED_TRACE(c.name);
        Page page(c.html);
        for (const auto& [id, box] : c.boxes) EXPECT_EQ(page.Box(id), box) << "item " << richtest::Utf8(id);
    }
}

TEST(PageLayout, StylesOfPageDefaults) {
    Page page(u"<h1 id=h>Title</h1><h3 id=h3>Sub</h3><p id=p><a id=l href='#x'>link</a> <a id=n name=x>anchor</a>"
              u"<font id=f2 size=2>small</font><font id=f3 size=3>normal</font><font id=f5 size='+2'>larger</font></p>"
              u"<table id=t border=1><tr><td>a</td></tr></table>"
              u"<table id=c border=1 style='border-collapse:collapse'><tr><td id=cc>a</td></tr></table>");
    const CExtRichStyleDescription& body = page.doc.GetRoot()->GetStyle();
    const CExtRichStyleDescription& h1 = page.Id(u"h")->GetStyle();
    EXPECT_GE(h1.m_font.m_lf.lfWeight, 700);
    EXPECT_EQ(h1.m_font.m_lf.lfHeight, 2 * body.m_font.m_lf.lfHeight);
    EXPECT_GE(page.Id(u"h3")->GetStyle().m_font.m_lf.lfWeight, 700);
    EXPECT_EQ(page.Id(u"l")->GetStyle().m_clrText, RichRgb(0, 0, 0xEE));
    EXPECT_TRUE(page.Id(u"l")->GetStyle().m_font.m_lf.lfUnderline);
    EXPECT_NE(page.Id(u"n")->GetStyle().m_clrText, RichRgb(0, 0, 0xEE));
    EXPECT_EQ(page.Id(u"f2")->GetStyle().m_font.m_lf.lfHeight, -13);
    EXPECT_EQ(page.Id(u"f3")->GetStyle().m_font.m_lf.lfHeight, -16);
    EXPECT_EQ(page.Id(u"f5")->GetStyle().m_font.m_lf.lfHeight, -24);
    // The border attribute frames the table itself. Collapsed, the lines are single: the table
    // keeps the left and top ones, each cell draws its right and bottom ones (sides in the
    // order left, right, top, bottom).
    const CExtRichStyleDescription& t = page.Id(u"t")->GetStyle();
    const CExtRichStyleDescription& c = page.Id(u"c")->GetStyle();
    const CExtRichStyleDescription& cc = page.Id(u"cc")->GetStyle();
    for (int side = 0; side < 4; ++side) {
        EXPECT_EQ(t.m_nBorderStyle[side], RichCode::BorderSolid) << side;
        EXPECT_EQ(t.m_clrBorder[side], RichRgb(0xA0, 0xA0, 0xA0)) << side;
        const bool leading = side == 0 || side == 2;
        EXPECT_EQ(c.m_nBorderStyle[side] == RichCode::BorderSolid, leading) << side;
        EXPECT_EQ(cc.m_nBorderStyle[side] == RichCode::BorderSolid, !leading) << side;
    }
    EXPECT_EQ(RectText(c.m_rcBorderWidth), "(1,1,0,0)");
    EXPECT_EQ(RectText(cc.m_rcBorderWidth), "(0,0,1,1)");
}

}  // namespace
