// Table layout with the stand-in font (8 pixels a character, 16 high): column widths from the
// cells' minimum and preferred widths, percentages, spans, gaps and row heights, worked out by
// hand from the table rules.
#include "tests/toolkit/richcontent/rich_layout_test_support.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <utility>
#include <vector>

using richtest::LaidOutPage;
using richtest::RectText;

namespace {

struct TableCase {
    const char* name;
    const char16_t* html;
    int width;
    std::vector<std::pair<const char16_t*, const char*>> boxes;  // item id, rectangle
};

void PrintTo(const TableCase& c, std::ostream* out) { *out << c.name; }

const TableCase kTableCases[] = {
    // 50% of 400: the columns' preferred widths (16 and 48) grow evenly to 200; the spanning
    // cell covers both.
    {"percent table with a spanning row",
     u"<table id=t style='width:50%'><tr><td id=a>aa</td><td id=b>bbbbbb</td></tr>"
     u"<tr><td id=c colspan=2>cc</td></tr></table>",
     400,
     {{u"t", "(0,0,200,32)"}, {u"a", "(0,0,84,16)"}, {u"b", "(84,0,200,16)"}, {u"c", "(0,16,200,32)"}}},
    // A 60% column takes 120 of 200; the other column gets the rest.
    {"percent column",
     u"<table id=t style='width:200px'><tr><td id=a style='width:60%'>aa</td><td id=b>bbbbbb</td></tr></table>",
     400,
     {{u"a", "(0,0,120,16)"}, {u"b", "(120,0,200,16)"}}},
    // Two columns at 60%: the second is cut to the 40% left.
    {"percentages over 100",
     u"<table id=t style='width:200px'><tr><td id=a style='width:60%'>a</td><td id=b style='width:60%'>b</td>"
     u"</tr></table>",
     400,
     {{u"a", "(0,0,120,16)"}, {u"b", "(120,0,200,16)"}}},
    // An auto table narrower than its natural width (112): both columns have slack 32 above
    // their minimum (24) and give up 26 each; the words wrap in 30.
    {"shrunk evenly",
     u"<table id=t style='width:60px'><tr><td id=a>aaa bbb</td><td id=b>ccc ddd</td></tr></table>",
     400,
     {{u"t", "(0,0,60,32)"}, {u"a", "(0,0,30,32)"}, {u"b", "(30,0,60,32)"}}},
    // Only the column with slack shrinks.
    {"shrunk by slack",
     u"<table id=t style='width:50px'><tr><td id=a>aaa bbb</td><td id=b>cc</td></tr></table>",
     400,
     {{u"a", "(0,0,34,32)"}, {u"b", "(34,0,50,32)"}}},
    // An auto table at its natural width.
    {"natural width",
     u"<table id=t><tr><td id=a>aa</td><td id=b>bbb</td></tr></table>",
     400,
     {{u"t", "(0,0,40,16)"}, {u"a", "(0,0,16,16)"}, {u"b", "(16,0,40,16)"}}},
    // A cell spanning two rows needs 49 (three lines and a 1-pixel padding); the rows need 32:
    // each grows by 17 / 2, the odd unit to the first.
    {"row span taller than its rows",
     u"<table id=t><tr><td id=a rowspan=2 style='padding-bottom:1px'>x<br>y<br>z</td><td id=b>b</td></tr>"
     u"<tr><td id=c>c</td></tr></table>",
     400,
     {{u"t", "(0,0,16,49)"}, {u"a", "(0,0,8,49)"}, {u"b", "(8,0,16,25)"}, {u"c", "(8,25,16,49)"}}},
    // Border spacing around every cell, separate borders.
    {"border spacing",
     u"<table id=t style='border-spacing:4px'><tr><td id=a>a</td><td id=b>b</td></tr></table>",
     400,
     {{u"t", "(0,0,28,24)"}, {u"a", "(4,4,12,20)"}, {u"b", "(16,4,24,20)"}}},
    // Collapsed borders ignore border spacing; cellspacing still separates the cells.
    {"collapse keeps cellspacing",
     u"<table id=t cellspacing=2 style='border-spacing:4px;border-collapse:collapse'><tr><td id=a>a</td>"
     u"<td id=b>b</td></tr></table>",
     400,
     {{u"a", "(0,0,8,16)"}, {u"b", "(10,0,18,16)"}}},
    // The table's cellpadding pads every cell (and, as the engine has it, the table's own box);
    // its border frames every cell with one pixel.
    {"cellpadding pads the cells",
     u"<table id=t cellpadding=3><tr><td id=a>a</td><td id=b>b</td></tr></table>",
     400,
     {{u"t", "(0,0,34,28)"}, {u"a", "(3,3,17,25)"}, {u"b", "(17,3,31,25)"}}},
    {"border frames the cells",
     u"<table id=t border=1><tr><td id=a>a</td><td id=b>b</td></tr></table>",
     400,
     {{u"t", "(0,0,22,20)"}, {u"a", "(1,1,11,19)"}, {u"b", "(11,1,21,19)"}}},
    {"border, cellpadding and cellspacing",
     u"<table id=t border=1 cellpadding=3 cellspacing=2><tr><td id=a>a</td><td id=b>b</td></tr>"
     u"<tr><td id=c>c</td><td id=d>d</td></tr></table>",
     400,
     {{u"a", "(4,4,20,28)"}, {u"b", "(22,4,38,28)"}, {u"c", "(4,30,20,54)"}, {u"d", "(22,30,38,54)"}}},
    // A cell's own padding or border wins over the table's attributes.
    {"own padding and border win",
     u"<table id=t border=1 cellpadding=3><tr><td id=a style='padding:1px'>a</td>"
     u"<td id=b style='border:2px solid black'>b</td></tr></table>",
     400,
     {{u"a", "(4,4,16,30)"}, {u"b", "(16,4,34,30)"}}},
    // Words glued across a tag ("&nbsp;<b>MP2</b>") are one unbreakable part of the cell: the
    // column does not shrink below them when a 100% column takes the rest.
    {"glued words keep their column wide",
     u"<table id=t style='width:100px'><tr><td id=a>&nbsp;<b>MP2</b></td><td id=b>&nbsp;50%&nbsp;</td>"
     u"<td id=c style='width:100%'>x</td></tr></table>",
     400,
     {{u"a", "(0,0,32,16)"}, {u"b", "(32,0,72,16)"}, {u"c", "(72,0,100,16)"}}},
    // Rows of a header and a body group in display order; the group bounds its rows.
    {"row groups",
     u"<table id=t><tbody id=g><tr id=r2><td>b</td></tr></tbody><thead><tr id=r1><td>a</td></tr></thead></table>",
     400,
     {{u"r1", "(0,0,8,16)"}, {u"r2", "(0,16,8,32)"}, {u"g", "(0,16,8,32)"}}},
};

class TableBoxes : public ::testing::TestWithParam<TableCase> {};

TEST_P(TableBoxes, CellsFollowTheRules) {
    const TableCase& c = GetParam();
    LaidOutPage page(c.html, c.width);
    for (const auto& [id, box] : c.boxes) EXPECT_EQ(RectText(page.Box(id)), box) << richtest::Utf8(id);
}

INSTANTIATE_TEST_SUITE_P(Tables, TableBoxes, ::testing::ValuesIn(kTableCases),
                         [](const ::testing::TestParamInfo<TableCase>& info) {
                             std::string name;
                             for (const char* p = info.param.name; *p; ++p)
                                 name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
                             return name;
                         });

// Laid out again at another width, a percent table changes its column widths and nothing else:
// the rows keep their heights and the text its size.
TEST(TableRelayout, AnotherWidthChangesTheColumnWidths) {
    LaidOutPage page(u"<table id=t style='width:50%'><tr><td id=a>aa</td><td id=b>bbbbbb</td></tr>"
                     u"<tr><td id=c colspan=2>cc</td></tr></table><p id=p>after</p>",
                     400);
    EXPECT_EQ(RectText(page.Box(u"a")), "(0,0,84,16)");
    EXPECT_EQ(RectText(page.Box(u"p")), "(0,32,400,48)");
    page.Layout(300);
    // 150 for the columns: 16 and 48 grow by 43 each.
    EXPECT_EQ(RectText(page.Box(u"t")), "(0,0,150,32)");
    EXPECT_EQ(RectText(page.Box(u"a")), "(0,0,59,16)");
    EXPECT_EQ(RectText(page.Box(u"b")), "(59,0,150,16)");
    EXPECT_EQ(RectText(page.Box(u"c")), "(0,16,150,32)");
    EXPECT_EQ(RectText(page.Box(u"p")), "(0,32,300,48)");
    EXPECT_EQ(richtest::RectsText(page.Words(u"c")), "(0,16,16,32)");
}

// A narrow page wraps the cell text instead of overflowing the table.
TEST(TableRelayout, NarrowPageWrapsCellText) {
    LaidOutPage page(u"<table id=t style='width:100%'><tr><td id=a>aaa bbb ccc</td><td id=b>dd</td></tr></table>",
                     400);
    // Preferred widths 88 and 16 grow by 148 each to fill 400.
    EXPECT_EQ(RectText(page.Box(u"a")), "(0,0,236,16)");
    page.Layout(50);
    // Minimum widths 24 and 16; 50 leaves the first column 34: one word a line.
    EXPECT_EQ(RectText(page.Box(u"a")), "(0,0,34,48)");
    EXPECT_EQ(RectText(page.Box(u"b")), "(34,0,50,48)");
}

}  // namespace

namespace {

// The "border" attribute gives only a width; the cells' frames still get a style and a colour
// to be drawn with, unless the table has its own.
TEST(TableAttributes, BorderFramesAreDrawnSolid) {
    LaidOutPage plain(u"<table id=t border=1><tr><td id=a>a</td></tr></table>");
    const CExtRichStyleDescription& a = plain.Id(u"a")->GetStyle();
    EXPECT_EQ(a.m_nBorderStyle[0], RichCode::BorderSolid);
    EXPECT_NE(a.m_clrBorder[0], kRichColorNone);
    LaidOutPage styled(u"<table id=t border=1 style='border-style:dashed;border-color:#FF0000'><tr><td id=a>a</td>"
                       u"</tr></table>");
    const CExtRichStyleDescription& b = styled.Id(u"a")->GetStyle();
    EXPECT_EQ(b.m_nBorderStyle[0], RichCode::BorderDashed);
    EXPECT_EQ(b.m_clrBorder[0], styled.Id(u"t")->GetStyle().m_clrBorder[0]);
    LaidOutPage none(u"<table id=t border=0><tr><td id=a>a</td></tr></table>");
    EXPECT_EQ(RectText(none.Box(u"a")), "(0,0,8,16)");
}

}  // namespace
