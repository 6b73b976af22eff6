// Arbitrary markup through measuring and drawing: whatever the text, both passes end, and the
// drawing pass stays inside the records the measuring pass stored (the sanitizer build turns any
// stray access into a failure).
#include <gtest/gtest.h>

#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "controls/html/html_text.h"
#include "controls/html/markup_renderer.h"
#include "controls/html/style_sheet.h"
#include "fake_surface.h"
#include "tests/support/mutation_fuzzer.h"

namespace {

using namespace html;
using htmltest::FakeSurface;

std::wstring Widen(const std::string& bytes) {
  std::wstring text;
  text.reserve(bytes.size());
  for (unsigned char c : bytes) text += static_cast<wchar_t>(c);
  return text;
}

// Measures, draws at the measured size, then draws again with a font that measures wider and
// into a narrower rectangle.
void RunBothPasses(MarkupRenderer& renderer, const std::wstring& text, int maxWidth) {
  FakeSurface surface;
  surface.record = false;
  renderer.Settings().maxWidth = maxWidth;
  const Size s = renderer.Measure(surface, text);
  ASSERT_GE(s.cx, 0);
  ASSERT_GE(s.cy, 0);
  renderer.Paint(surface, Rect{0, 0, s.cx, s.cy});
  surface.drift = 2;
  renderer.Paint(surface, Rect{0, 0, s.cx / 2, s.cy});
}

const std::vector<std::string> kSeeds = {
    "Plain text with <b>bold</b>, <i>italic</i> and <u>under</u><s>struck</s>.",
    "<font face=Arial size=+2 color=#ff0000 style='b-i+uo' bkgnd=yellow weight=bolder>font</font>",
    "<center>c</center><right>r</right><justify>a b c d e f g h i j k l m n o</justify>",
    "<br=3><t=2>x<hr width=50% size=3 color=blue><hr width=40><br/></br>",
    "<h1>h</h1><h6>six</h6><code>c</code><pre>p</pre><big>b</big><small>s</small><sub>1</sub><sup>2</sup>",
    "<span class=cpp-comment>comment</span><a href='http://x'>link</a><a msg=m>m</a><a>e</a>",
    "&amp;lt; &lt; &gt; &nbsp;&copy;&euro;&amp; a<<b end<",
    "<top>t</top><vcenter>v</middle><bottom>b</bottom><baseline>x</baseline>",
    "<table><tr><td>cell</td></tr></table> <bmp idres=1> <icon file=x> <ilst index=2> <string idres=3>",
    "line one\nline two\ttabbed\r\n",
    "<table border=2 cellspacing=3 cellpadding=1 align=center><tr><td colspan=2 rowspan=3 width=40>a</td>"
    "<td valign=bottom bgcolor=red>b<table><tr><td>n</td></tr></table></td></tr><tr><td>c</td></tr></table>",
    "<ilst idres=2 speed=1 cx=16><bmp idres=1 width=50% style=s><icon idres=1><ilst index=0 hotstyle=g>",
};

TEST(MarkupFuzz, MutatedMarkupRunsCleanThroughBothPasses) {
  MarkupRenderer renderer([](int) { return Colour{0}; });
  ovtest::MutationFuzzer fuzzer(kSeeds);
  unsigned long round = 0;
  fuzzer.Run(10000, [&](const std::string& input) {
    RunBothPasses(renderer, Widen(input), (round++ % 3) * 40);
  }, 4096);
}

// Random markup built from table, span, entity and image pieces: every grid the measuring pass
// stores keeps its cells and spans inside it, and both passes stay inside the stored records.
TEST(MarkupFuzz, RandomTablesSpansEntitiesAndImages) {
  static const wchar_t* const kPieces[] = {
      L"<table>", L"<table border=3 cellspacing=2>", L"<table borderstyle=double cellpadding=0 align=right>",
      L"</table>", L"<tr>", L"<tr align=center>", L"</tr>", L"<td>", L"<td colspan=2>", L"<td rowspan=3>",
      L"<td colspan=7 rowspan=2 width=30>", L"<td colspan=0 rowspan=-4>", L"<td colspan=4294967295>",
      L"<td valign=middle height=40 bgcolor=#ff0000>", L"</td>", L"<b>", L"</b>", L"<i>", L"&amp;", L"&lt;",
      L"&lt;table>", L"<<tr>", L"&nbsp;", L"&euro;", L"word ", L"x", L"<br>", L"<hr width=50%>",
      L"<ilst idres=2 speed=1>", L"<bmp idres=1 width=200%>", L"<a msg=m>", L"</a>", L"<span class=x>",
      L"</span>", L"<string idres=7>", L"<font size=7>", L"</font>", L"<t>",
  };
  std::mt19937 random(2026);
  MarkupRenderer renderer([](int) { return Colour{0}; });
  FakeSurface surface;
  surface.record = false;
  surface.bitmaps[1] = {30, 20};
  surface.bitmaps[2] = {48, 12};
  surface.strings[7] = L"string";
  for (int round = 0; round < 1500; ++round) {
    std::wstring text;
    const int pieces = 1 + static_cast<int>(random() % 60);
    for (int i = 0; i < pieces; ++i) text += kPieces[random() % std::size(kPieces)];
    renderer.Settings().maxWidth = static_cast<int>(random() % 3) * 50;
    surface.drift = 0;
    const Size s = renderer.Measure(surface, text);
    ASSERT_GE(s.cx, 0) << std::string(text.begin(), text.end());
    for (const TableLayout& t : renderer.Tables()) {
      const std::size_t rows = t.rowHeights.size(), columns = t.columnWidths.size();
      ASSERT_EQ(t.cells.size(), rows);
      ASSERT_EQ(t.fixedColumns.size(), columns);
      for (std::size_t r = 0; r < rows; ++r) {
        ASSERT_EQ(t.cells[r].size(), columns);
        for (std::size_t c = 0; c < columns; ++c) {
          const CellRecord& cell = t.cells[r][c];
          if (cell.colSpan <= 0) continue;
          EXPECT_LE(c + cell.colSpan, columns) << std::string(text.begin(), text.end());
          EXPECT_LE(r + cell.rowSpan, rows) << std::string(text.begin(), text.end());
        }
      }
    }
    renderer.Paint(surface, Rect{0, 0, s.cx, s.cy});
    renderer.AdvanceAnimations();
    surface.drift = 3;
    renderer.Paint(surface, Rect{0, 0, s.cx / 3, s.cy});
    renderer.hotLink = static_cast<int>(random() % 3) - 1;
  }
}

TEST(MarkupFuzz, MutatedStyleSheetsAndDeclarations) {
  const std::vector<std::string> seeds = {
      "body {font-size: 10pt; color:black; font-family:Verdana}\r\nh1 {font-size: 14pt; color:#ff9900}",
      ".x {text-decoration: underline, overline; border-width: thick; border-style: double; margin: 2cm}",
      "a:hover {background-color: transparent; vertical-align: top; font-weight: 0x10; padding: 50%}",
  };
  ovtest::MutationFuzzer fuzzer(seeds, 7);
  const ColourNames names([](int) { return Colour{0}; });
  fuzzer.Run(3000, [&](const std::string& input) {
    StyleSheet sheet;
    const std::wstring text = Widen(input);
    sheet.Set(&text);
    TextStyle style;
    ApplyDeclarations(text, style, names, LengthUnits{});
    (void)ParseLength(13, text, true, LengthUnits{});
    (void)ParseColour(0, text, names);
  }, 2048);
}

// Hostile shapes that a mutation fuzzer rarely builds.
TEST(MarkupFuzz, HugeDeepAndMalformedTextsEnd) {
  MarkupRenderer renderer([](int) { return Colour{0}; });
  std::wstring deep;
  for (int i = 0; i < 10000; ++i) deep += L"<b><font size=+3>";
  deep += L"deep";
  std::wstring huge;
  while (huge.size() < (1u << 20)) huge += L"word-and more words, <i>some</i> x&amp;y ";
  std::wstring longWord(1u << 20, L'w');
  // Long tables and many tables: the tag searches stay linear.
  std::wstring longTable = L"<table border=1>";
  while (longTable.size() < (1u << 17)) longTable += L"<tr><td>x</td><td colspan=2>y <b>z</b></td></tr>";
  std::wstring manyTables;
  while (manyTables.size() < (1u << 17)) manyTables += L"<table><tr><td>x<table><tr><td>n</td></tr></table></td></tr></table>";
  const std::wstring kCases[] = {
      deep,
      huge,
      longWord,
      longTable,
      manyTables,
      L"<<<<<<<<<<",
      L"<",
      L"<b",
      L"<font size=99999999999 color=#zzzzzz>x<br=99999999999>y<t=2147483647>z<hr width=99999999999>",
      L"<br=-5><t=-3>a<hr width=-50% size=-9>",
      L"&amp;&amp;lt;&lt;&lt;&lt;table>",
  };
  for (const std::wstring& text : kCases) {
    for (int maxWidth : {0, 80}) RunBothPasses(renderer, text, maxWidth);
    // One character per line: a slice is enough.
    RunBothPasses(renderer, text.substr(0, 1 << 15), 1);
  }
}

}  // namespace

namespace {

// Any text escaped for markup draws exactly its own characters (blanks aside, which the layout
// may leave out at line ends; line feeds and tabs become breaks), and flattening arbitrary markup
// always ends.
TEST(MarkupFuzz, EscapedTextDrawsAsItselfAndFlatteningEnds) {
  ovtest::MutationFuzzer fuzzer(kSeeds);
  MarkupRenderer renderer([](int) { return Colour{0}; });
  fuzzer.Run(3000, [&](const std::string& input) {
    const std::wstring text = Widen(input);
    (void)html::MarkupToPlainText(text);
    std::wstring expected;
    for (wchar_t c : text)
      if (c != L'\r' && c != L'\n' && c != L'\t' && c != L' ') expected += c;
    FakeSurface surface;
    const Size s = renderer.Measure(surface, html::EscapeText(text));
    renderer.Paint(surface, Rect{0, 0, s.cx, s.cy});
    std::wstring drawn;
    for (const auto& t : surface.texts)
      for (wchar_t c : t.text)
        if (c != L' ') drawn += c;
    ASSERT_EQ(drawn, expected) << input;
  }, 512);
}

}  // namespace
