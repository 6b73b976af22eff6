// The text a reader selects in a laid-out page: the whole text with tabs between the cells of a
// row and line ends between blocks, rows and breaks; the position under a point (the stand-in
// font: 8 pixels a character); the text between two points; the word around a position; the
// same positions after the page is laid out at another width; and any page read from mutated
// text indexes without touching memory it does not own.
#include "tests/support/mutation_fuzzer.h"
#include "tests/toolkit/richcontent/rich_layout_test_support.h"
#include "toolkit/richcontent/rich_text_index.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace {

using richtest::LaidOutPage;
using richtest::TestDc;
using richtest::Utf8;

// Line ends written as "|", tabs as ">" to keep the expectations readable.
std::string Shown(const RichString& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
            out += '|';
            ++i;
        } else if (text[i] == u'\t') {
            out += '>';
        } else {
            out += Utf8(RichString(1, text[i]));
        }
    }
    return out;
}

struct WholeTextCase {
    const char16_t* html;
    const char* text;
};

class TextIndexWhole : public ::testing::TestWithParam<WholeTextCase> {};

TEST_P(TextIndexWhole, AllOfThePageReadsAsAReaderCopiesIt) {
    LaidOutPage page(GetParam().html);
    CExtRichTextIndex index;
    index.Build(page.doc.GetRoot());
    EXPECT_EQ(Shown(index.TextBetween(0, index.Length())), GetParam().text);
    EXPECT_EQ(Shown(index.TextBetween(index.Length(), 0)), GetParam().text) << "either order";
    // The runs with what stands before each read the same, and the quick look for a run agrees.
    RichString joined;
    for (std::size_t i = 0; i < index.Runs().size(); ++i) {
        if (i > 0) joined += index.Runs()[i].Separator();
        joined += CExtRichTextIndex::RunText(index.Runs()[i].m_pItem);
    }
    EXPECT_EQ(Shown(joined), GetParam().text);
    EXPECT_EQ(CExtRichTextIndex::HasRun(page.doc.GetRoot()), !index.IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Pages, TextIndexWhole,
    ::testing::Values(
        WholeTextCase{u"<p>Seat 1: <b>55.1</b>%</p><p>Seat   2</p>", "Seat 1: 55.1%|Seat 2"},
        WholeTextCase{u"<table><tr><th>Seat</th><th>Equity</th></tr><tr><td>1</td><td>55.10%</td></tr>"
                      u"<tr><td>2</td><td>44.90 %</td></tr></table><p>Done</p>",
                      "Seat>Equity|1>55.10%|2>44.90 %|Done"},
        WholeTextCase{u"<p>a<br>b<br><br>c</p>", "a|b||c"},
        WholeTextCase{u"<p style=\"white-space:pre\">x  y\nz</p>", "x  y|z"},
        WholeTextCase{u"<ul><li>one</li><li>two <i>three</i></li></ul>", "one|two three"},
        WholeTextCase{u"<p>a<span style=\"display:none\">hidden</span>c d</p>", "ac d"},
        WholeTextCase{u"<div><div>inner</div></div><div>next</div>", "inner|next"},
        WholeTextCase{u"<p></p>", ""},
        WholeTextCase{u"<p>  <span style=\"display:none\">hidden</span> </p>", ""},
        WholeTextCase{u"<p><span style=\"display:none\">hidden</span> <br>shown</p>", "shown"}));

// Points inside the page's words: the text between them.
TEST(TextIndex, TheTextBetweenTwoPointsCrossesRunsLinesAndCells) {
    LaidOutPage page(u"<p id=p>Seat one wins</p>"
                     u"<table><tr><td id=a>AsKs</td><td id=b>55.10%</td></tr>"
                     u"<tr><td id=c>random</td><td id=d>44.90%</td></tr></table>");
    CExtRichTextIndex index;
    index.Build(page.doc.GetRoot());
    auto at = [&](const char16_t* id, int chars) {
        const RichRect word = page.Words(id).front();
        // A point a little right of the boundary before character `chars`: nearest is that boundary.
        return index.PositionAt(TestDc(), RichPoint{word.left + chars * 8 + 2, word.top + 3});
    };
    struct Case {
        long from, to;
        const char* text;
    } cases[] = {
        {at(u"p", 5), at(u"p", 8), "one"},
        {at(u"p", 2), at(u"a", 2), "at one wins|As"},
        {at(u"a", 2), at(u"b", 2), "Ks>55"},
        {at(u"b", 3), at(u"c", 3), "10%|ran"},
        {at(u"d", 6), at(u"a", 0), "AsKs>55.10%|random>44.90%"},
        {at(u"c", 1), at(u"c", 1), ""},
    };
    for (const Case& c : cases) EXPECT_EQ(Shown(index.TextBetween(c.from, c.to)), c.text) << c.text;
}

TEST(TextIndex, APointOffTheTextGoesToTheNearestLineAndEnd) {
    LaidOutPage page(u"<p id=p>alpha beta</p><p id=q>gamma</p>", 400);
    CExtRichTextIndex index;
    index.Build(page.doc.GetRoot());
    ASSERT_FALSE(index.IsEmpty());
    const RichRect alpha = page.Words(u"p").front(), gamma = page.Words(u"q").front();
    const long betaEnd = static_cast<long>(std::string("alpha beta").size());
    struct Case {
        RichPoint pt;
        long position;
        const char* what;
    } cases[] = {
        {{alpha.left - 5, alpha.top + 2}, 0, "left of the first line: its start"},
        {{380, alpha.top + 2}, betaEnd, "right of a line: its end"},
        {{alpha.left + 11, alpha.top + 2}, 1, "within a character's first half: before it"},
        {{alpha.left + 13, alpha.top + 2}, 2, "past its middle: after it"},
        {{gamma.left + 2, gamma.bottom + 200}, betaEnd + 1, "below the page: the last line"},
        {{alpha.left + 2, -50}, 0, "above the page: the first line"},
    };
    for (const Case& c : cases) EXPECT_EQ(index.PositionAt(TestDc(), c.pt), c.position) << c.what;
    long from = 0, to = 0;
    index.WordAround(7, from, to);
    EXPECT_EQ(Shown(index.TextBetween(from, to)), "beta");
    index.WordAround(betaEnd, from, to);
    EXPECT_EQ(Shown(index.TextBetween(from, to)), "beta") << "the end of a word is in it";
    CExtRichTextIndex empty;
    EXPECT_EQ(empty.PositionAt(TestDc(), RichPoint{1, 1}), -1);
    EXPECT_EQ(empty.Length(), 0);
}

TEST(TextIndex, PositionsHoldAcrossALayoutAtAnotherWidth) {
    // Preserved line feeds: the run left empty before a break stays empty at the next layout.
    LaidOutPage pre(u"<p style=\"white-space:pre\">a\n\nb c</p>", 400);
    CExtRichTextIndex first;
    first.Build(pre.doc.GetRoot());
    EXPECT_EQ(Shown(first.TextBetween(0, first.Length())), "a||b c");
    pre.Layout(30);
    CExtRichTextIndex again;
    again.Build(pre.doc.GetRoot());
    EXPECT_EQ(Shown(again.TextBetween(0, again.Length())), "a||b c");


    LaidOutPage page(u"<ol><li>first item of a list</li><li id=x>second one</li></ol><p>after it</p>", 400);
    CExtRichTextIndex wide;
    wide.Build(page.doc.GetRoot());
    page.Layout(60);  // every word on a line of its own
    CExtRichTextIndex narrow;
    narrow.Build(page.doc.GetRoot());
    EXPECT_EQ(narrow.Length(), wide.Length());
    EXPECT_EQ(Shown(narrow.TextBetween(3, 20)), Shown(wide.TextBetween(3, 20)));
    EXPECT_EQ(Shown(narrow.TextBetween(0, narrow.Length())), "first item of a list|second one|after it");
    // Narrow, the words stand one below the other: the second word starts a line.
    ASSERT_GE(narrow.Runs().size(), 2u);
    EXPECT_GT(narrow.Runs()[1].m_rc.top, narrow.Runs()[0].m_rc.top);
}

// The runs across a band of rows hold every run that reaches into it, also where a taller run
// starts a line above its neighbours and a table's cells stand side by side.
TEST(TextIndex, TheRunsAcrossABandHoldEveryRunReachingIntoIt) {
    std::u16string html = u"<p>";
    for (int i = 0; i < 60; ++i) {
        html += u"word" + std::u16string(1, static_cast<char16_t>(u'a' + i % 26)) + u" ";
        if (i % 7 == 3) html += u"<font size=7>TALL</font> ";
    }
    html += u"</p><table><tr><td>left<br>cell</td><td>right</td></tr></table><p>end</p>";
    LaidOutPage page(html.c_str(), 160);
    CExtRichTextIndex index;
    index.Build(page.doc.GetRoot());
    ASSERT_GT(index.Runs().size(), 60u);
    const int height = index.Runs().back().m_rc.bottom;
    ASSERT_GT(height, 100);
    int inBands = 0;
    for (int top = -10; top < height + 10; top += 7) {
        for (const int rows : {1, 13, 40}) {
            std::size_t from = 0, to = 0;
            index.RunsAcross(top, top + rows, from, to);
            ASSERT_LE(from, to);
            ASSERT_LE(to, index.Runs().size());
            for (std::size_t i = 0; i < index.Runs().size(); ++i) {
                const RichRect& r = index.Runs()[i].m_rc;
                if (r.bottom <= top || r.top >= top + rows) continue;
                ++inBands;
                EXPECT_TRUE(i >= from && i < to) << "run " << i << " across rows " << top << " to " << top + rows;
            }
        }
    }
    EXPECT_GT(inBands, 100);
    // The position at a point lies in the run closest to it: the nearest line, then the nearest
    // run on it, the first of equals in reading order.
    for (int y = -20; y < height + 20; y += 5) {
        for (int x = -10; x < 180; x += 23) {
            const CExtRichTextIndex::Run* closest = nullptr;
            long bestDy = LONG_MAX, bestDx = LONG_MAX;
            for (const CExtRichTextIndex::Run& run : index.Runs()) {
                const RichRect& r = run.m_rc;
                const long dy = y < r.top ? r.top - y : y >= r.bottom ? y - r.bottom + 1 : 0;
                const long dx = x < r.left ? r.left - x : x >= r.right ? x - r.right + 1 : 0;
                if (dy < bestDy || (dy == bestDy && dx < bestDx)) {
                    closest = &run;
                    bestDy = dy;
                    bestDx = dx;
                }
            }
            ASSERT_NE(closest, nullptr);
            const long at = index.PositionAt(TestDc(), RichPoint{x, y});
            EXPECT_GE(at, closest->m_nStart) << x << "," << y;
            EXPECT_LE(at, closest->m_nStart + closest->m_nLength) << x << "," << y;
        }
    }
    std::size_t from = 1, to = 1;
    CExtRichTextIndex().RunsAcross(0, 100, from, to);
    EXPECT_EQ(from, 0u);
    EXPECT_EQ(to, 0u);
}

// Whatever the reader made of a text: positions stay within the text, every point finds one,
// the text between any two is made of the runs' characters and separators, and a layout at
// another width keeps the positions.
TEST(TextIndexFuzz, AnyPageIndexes) {
    const std::vector<std::string> seeds = {
        "<table><tr><td>a b<td>c<tr><td colspan=2>d</table><p>one <b>two</b> three</p>",
        "<p style='white-space:pre'>a\tb\n\nc  d</p><ul><li>x<li>y <br> z</ul>",
        "<style>p:before{content:\"[\"} li{list-style-position:inside}</style><p>x</p><ol><li>a</ol>"
        "<div style='display:none'>h</div><span style='display:inline-block;width:40px'>ib</span>",
    };
    ovtest::MutationFuzzer fuzzer(seeds);
    fuzzer.Run(400, [](const std::string& input) {
        LaidOutPage page(richtest::WidenFuzzBytes(input), 300, 0, 200);
        CExtRichTextIndex index;
        index.Build(page.doc.GetRoot());
        const long length = index.Length();
        long characters = 0;
        for (const CExtRichTextIndex::Run& run : index.Runs()) characters += run.m_nLength;
        ASSERT_GE(static_cast<long>(index.TextBetween(0, length).size()), characters);
        for (int y = -10; y < 220; y += 23) {
            const long at = index.PositionAt(TestDc(), RichPoint{(y * 7) % 320 - 10, y});
            // -1 only when no run has a box (a tree the layout could not place).
            bool placed = false;
            for (const CExtRichTextIndex::Run& run : index.Runs()) placed = placed || run.m_rc.Width() > 0;
            ASSERT_GE(at, placed ? 0 : -1) << input;
            ASSERT_LE(at, length);
            index.TextBetween(at, length / 2);
            long from = 0, to = 0;
            index.WordAround(at, from, to);
            ASSERT_LE(from, to);
        }
        page.Layout(40, 200);
        CExtRichTextIndex narrow;
        narrow.Build(page.doc.GetRoot());
        ASSERT_EQ(narrow.Length(), length) << input;
    });
}

}  // namespace
