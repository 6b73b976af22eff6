// The measuring and drawing passes over a fixed-pitch surface: the default body font is 10pt,
// 13 pixels at 96 dpi, so characters are 6 pixels wide, the ascent is 9 and the descent 4.
#include <gtest/gtest.h>

#include "controls/html/markup_renderer.h"
#include "fake_surface.h"

namespace {

using namespace html;
using htmltest::FakeSurface;

constexpr int kCharWidth = 6;
constexpr int kLineHeight = 13;

class Layout : public ::testing::Test {
 protected:
  Layout() : renderer([](int) { return Colour{0}; }) {}

  Size Measure(const std::wstring& text, int maxWidth = 0) {
    renderer.Settings().maxWidth = maxWidth;
    return renderer.Measure(surface, text);
  }
  void Paint(int width, int height) { renderer.Paint(surface, Rect{0, 0, width, height}); }
  // Measures and draws into the measured size.
  Size MeasureAndPaint(const std::wstring& text, int maxWidth = 0) {
    const Size s = Measure(text, maxWidth);
    Paint(s.cx, s.cy);
    return s;
  }

  MarkupRenderer renderer;
  FakeSurface surface;
};

TEST_F(Layout, EmptyAndInvisibleTextsMeasureNothingAndDrawNothing) {
  for (const wchar_t* text : {L"", L"<b></b>", L"<unknown>", L"\r"}) {
    const Size s = MeasureAndPaint(text);
    EXPECT_EQ(s.cx, 0) << text;
    EXPECT_EQ(s.cy, 0) << text;
    EXPECT_TRUE(surface.texts.empty()) << text;
    EXPECT_TRUE(renderer.PreparedText().empty()) << text;
  }
}

// The measured size is the bounding box of everything drawn, plus one pixel each way.
TEST_F(Layout, MeasuredSizeIsTheInkBoundingBox) {
  const struct {
    const wchar_t* text;
    int maxWidth;
  } kCases[] = {
      {L"Hello", 0},
      {L"one<br>two lines", 0},
      {L"<font size=6>Big</font> and small", 0},
      {L"<h1>Title</h1><br><small>fine print</small>", 0},
      {L"aaaa bbbb cccc dddd eeee ffff", 60},
      {L"<center>centred words that wrap</center>", 50},
      {L"<right>right</right><br>left", 0},
      {L"<sup>high</sup>mid<top>x</top>", 0},
  };
  for (const auto& c : kCases) {
    const Size s = MeasureAndPaint(c.text, c.maxWidth);
    ASSERT_FALSE(surface.texts.empty()) << c.text;
    int right = 0, bottom = 0, left = s.cx, top = s.cy;
    for (const auto& t : surface.texts) {
      left = std::min(left, t.x);
      top = std::min(top, t.y);
      right = std::max(right, t.x + t.width);
      bottom = std::max(bottom, t.y + t.height);
    }
    // The ink fills the size but its extra pixel, against which right-aligned lines may sit.
    EXPECT_LE(left, 1) << c.text;
    EXPECT_EQ(top, 0) << c.text;
    EXPECT_TRUE(right == s.cx - 1 || right == s.cx) << c.text << " right " << right << " of " << s.cx;
    EXPECT_EQ(s.cy, bottom + 1) << c.text;
  }
}

TEST_F(Layout, WrapsAtBreakCharactersAndCutsLongWords) {
  const Size s = MeasureAndPaint(L"aaaa bbbb cccc", 10 * kCharWidth);
  EXPECT_EQ(s.cx, 9 * kCharWidth + 1);
  EXPECT_EQ(s.cy, 2 * kLineHeight + 1);
  ASSERT_EQ(surface.texts.size(), 2u);
  EXPECT_EQ(surface.texts[0].text, L"aaaa bbbb");
  EXPECT_EQ(surface.texts[1].text, L"cccc");
  EXPECT_EQ(surface.texts[1].y, kLineHeight);

  MeasureAndPaint(L"abcdefghijkl", 5 * kCharWidth);  // longer than an empty line: cut inside the word
  ASSERT_EQ(surface.texts.size(), 3u);
  EXPECT_EQ(surface.texts[0].text, L"abcde");
  EXPECT_EQ(surface.texts[1].text, L"fghij");
  EXPECT_EQ(surface.texts[2].text, L"kl");

  MeasureAndPaint(L"aaaaaaa<i>bbbbbbb</i>", 10 * kCharWidth);  // does not fit beside content: moves whole
  ASSERT_EQ(surface.texts.size(), 2u);
  EXPECT_EQ(surface.texts[1].text, L"bbbbbbb");
  EXPECT_EQ(surface.texts[1].x, 0);
  EXPECT_EQ(surface.texts[1].y, kLineHeight);

  const Size nowrap = MeasureAndPaint(L"aaaa bbbb cccc dddd", 0);  // no maximum width: one line
  EXPECT_EQ(nowrap.cy, kLineHeight + 1);
}

TEST_F(Layout, HorizontalAlignment) {
  Measure(L"<center>abc</center><br><right>de</right><br>f");
  Paint(100, 60);
  ASSERT_EQ(surface.texts.size(), 3u);
  EXPECT_EQ(surface.texts[0].x, (100 - 3 * kCharWidth) / 2);
  EXPECT_EQ(surface.texts[1].x, 100 - 2 * kCharWidth);
  EXPECT_EQ(surface.texts[2].x, 0);
}

TEST_F(Layout, JustifiedLinesSpreadOnlyWhenWrapped) {
  const int width = 10 * kCharWidth;
  Measure(L"<justify>aa bb cc dd ee ff<br>gg hh</justify>", width);
  Paint(width, 100);
  ASSERT_EQ(surface.texts.size(), 3u);
  EXPECT_EQ(surface.texts[0].text, L"aa bb cc");
  EXPECT_EQ(surface.texts[0].width, width);                 // spread over its two spaces
  EXPECT_EQ(surface.texts[1].width, 8 * kCharWidth);        // ended by a break: not spread
  EXPECT_EQ(surface.texts[2].width, 5 * kCharWidth);        // the paragraph's last line
}

TEST_F(Layout, StyleStackClosesOnlyTheInnermostMatchingTag) {
  MeasureAndPaint(L"<b><i>x</b>y</i>z");
  ASSERT_EQ(surface.texts.size(), 3u);
  EXPECT_EQ(surface.texts[0].style.weight, 800);
  EXPECT_EQ(surface.texts[0].style.italic, 1);
  EXPECT_EQ(surface.texts[1].style.italic, 1);  // the closing bold tag did nothing
  EXPECT_EQ(surface.texts[2].style.weight, 800);
  EXPECT_EQ(surface.texts[2].style.italic, 0);

  MeasureAndPaint(L"<b><b>x</b></b><i><i>y</i></i><bottom>z</middle>w</bottom><middle>v</vcenter>u");
  ASSERT_EQ(surface.texts.size(), 6u);
  EXPECT_EQ(surface.texts[0].style.weight, 900);  // 400 × 2 × 2, capped
  EXPECT_EQ(surface.texts[1].style.italic, 0);    // toggled twice
  EXPECT_EQ(surface.texts[3].style.vAlign, kVAlignBottom);
  EXPECT_EQ(surface.texts[5].style.vAlign, kVAlignBaseline);
}

TEST_F(Layout, VerticalAlignmentPlacesRunsOnTheLine) {
  MeasureAndPaint(L"<font size=6>B</font>a<bottom>b</bottom><top>c</top><middle>d</middle>");
  // The 24-pixel run sets ascent 18 and descent 6: the line is 24 high.
  ASSERT_EQ(surface.texts.size(), 5u);
  EXPECT_EQ(surface.texts[0].y, 0);
  EXPECT_EQ(surface.texts[1].y, 24 - 9 - 6);   // baseline on the line's baseline
  EXPECT_EQ(surface.texts[2].y, 24 - 9);       // baseline on the bottom edge: lower by the descent
  EXPECT_EQ(surface.texts[3].y, 0);
  EXPECT_EQ(surface.texts[4].y, (24 - 13) / 2);
}

TEST_F(Layout, FontAttributesStylesAndTransforms) {
  const std::wstring sheet = std::wstring(kDefaultStyleSheet) + L".cap {text-transform: capitalize}";
  renderer.SetStyleSheet(&sheet);
  MeasureAndPaint(L"<font face=Arial size=3 color=red style='b-iu+o'>x</font>"
                  L"<span class=cap>hello wORLD</span><font size=+1>y</font><font size=20px>z</font>");
  ASSERT_EQ(surface.texts.size(), 4u);
  const TextStyle& f = surface.texts[0].style;
  EXPECT_EQ(f.faceName, L"Arial");
  EXPECT_EQ(f.fontSize, 12);
  EXPECT_EQ(f.textColour, Rgb(255, 0, 0));
  EXPECT_EQ(f.weight, 700);
  EXPECT_EQ(f.italic, 0);
  EXPECT_EQ(f.underline, 1);
  EXPECT_EQ(f.overline, 1);
  EXPECT_EQ(surface.texts[1].text, L"Hello World");
  EXPECT_EQ(surface.texts[2].style.fontSize, 8);  // "+1" is HTML size 1, not a step up
  EXPECT_EQ(surface.texts[3].style.fontSize, 20);
  ASSERT_EQ(surface.lines.size(), 1u);             // the overline of the first run
  EXPECT_EQ(surface.lines[0].width, 2);

  MeasureAndPaint(L"<font color=Red>x</font><h2>y</h2>");  // a capital letter is unknown in an attribute
  EXPECT_EQ(surface.texts[0].style.textColour, 0u);
  EXPECT_EQ(surface.texts[1].style.textColour, Rgb(0xFF, 0x99, 0x00));
}

TEST_F(Layout, BreaksTabsAndRules) {
  Size s = MeasureAndPaint(L"a<br=3>b<br/>c</br>d<br 2>e");
  EXPECT_EQ(s.cy, 6 * kLineHeight + 1);  // 3 + 1 + 1 lines above the last; "<br/>" is no break
  ASSERT_EQ(surface.texts.size(), 5u);
  EXPECT_EQ(surface.texts[1].y, 3 * kLineHeight);
  EXPECT_EQ(surface.texts[2].y, 3 * kLineHeight);
  EXPECT_EQ(surface.texts[2].x, kCharWidth);

  MeasureAndPaint(L"a<t>b<t=2>c\td");
  ASSERT_EQ(surface.texts.size(), 4u);
  EXPECT_EQ(surface.texts[1].x, 32);
  EXPECT_EQ(surface.texts[2].x, 96);
  EXPECT_EQ(surface.texts[3].x, 128);

  s = MeasureAndPaint(L"abc<br><hr>");  // a 100% rule counts one pixel plus the width so far
  EXPECT_EQ(s.cx, 3 * kCharWidth + 1 + 1);
  ASSERT_EQ(surface.lines.size(), 1u);
  EXPECT_EQ(surface.lines[0].x2 - surface.lines[0].x1, s.cx);

  MeasureAndPaint(L"<hr width=50 size=3 color=#0000ff>");
  ASSERT_EQ(surface.lines.size(), 1u);
  EXPECT_EQ(surface.lines[0].x2 - surface.lines[0].x1, 50);
  EXPECT_EQ(surface.lines[0].width, 3);
  EXPECT_EQ(surface.lines[0].colour, Rgb(0, 0, 255));
}

TEST_F(Layout, EscapedLessThanAndEntitiesDrawAsText) {
  const struct {
    const wchar_t* text;
    const wchar_t* drawn;
  } kCases[] = {
      {L"a<<b", L"a<b"}, {L"a&lt;b", L"a<b"}, {L"end<", L"end<"}, {L"&amp;lt;", L"&lt;"}, {L"x  y", L"x  y"},
      {L"<B>caps</B>", L"caps"},
  };
  for (const auto& c : kCases) {
    MeasureAndPaint(c.text);
    EXPECT_EQ(surface.Text(), c.drawn) << c.text;
  }
}

TEST_F(Layout, LinksAreNumberedAndHotLinkTakesTheHoverRule) {
  renderer.hotLink = 1;
  MeasureAndPaint(L"<a href=\"http://x\">one</a> <a msg=go>two</a> <a>three</a>");
  const auto& links = renderer.Links();
  ASSERT_EQ(links.size(), 3u);
  EXPECT_EQ(links[0].kind, kAddressLink);
  EXPECT_EQ(links[0].target, L"http://x");
  EXPECT_EQ(links[1].kind, kMessageLink);
  EXPECT_EQ(links[1].index, 1);
  EXPECT_EQ(links[2].target, L"");
  EXPECT_EQ(surface.texts[0].style.underline, 0);
  EXPECT_EQ(surface.texts[2].style.underline, 1);  // hovered
}

// The drawing pass counts its way through the stored lines; whatever it meets, it never reads
// past them.
TEST_F(Layout, DrawingNeverReadsPastTheStoredLines) {
  const wchar_t* kTexts[] = {L"aaaa bbbb cccc dddd eeee ffff gggg", L"<center>x y z w v u</center>",
                             L"<justify>aa bb cc dd ee ff gg hh</justify>"};
  for (const wchar_t* text : kTexts) {
    const Size s = Measure(text, 40);
    surface.drift = 3;  // the font measures wider the second time
    Paint(s.cx, s.cy);
    Paint(5, 5);        // narrower than measured: more lines than stored
    Paint(0, 0);
    Paint(-20, 10);
    surface.drift = 0;
    EXPECT_FALSE(surface.Text().empty()) << text;
  }
}

}  // namespace
