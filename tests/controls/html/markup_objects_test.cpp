// Inline objects over the fixed-pitch surface (6 × 13 characters, ascent 9, descent 4): bitmaps,
// icons, image-list images and strips with their sizes, shadows and frames; animated strips on
// timer ticks; string resources; link areas, hit testing and the hover style; the entity table.
#include <gtest/gtest.h>

#include <cwctype>

#include "controls/html/markup_renderer.h"
#include "controls/html/markup_scanner.h"
#include "fake_surface.h"

namespace {

using namespace html;
using htmltest::FakeSurface;

class Objects : public ::testing::Test {
 protected:
  Objects() : renderer([](int) { return Colour{0}; }) {
    surface.bitmaps[1] = {40, 20};  // a bitmap
    surface.bitmaps[2] = {64, 16};  // a strip of four 16-pixel frames
    surface.bitmaps[3] = {32, 32};  // an icon
    surface.listImages[0] = {16, 16};
    surface.strings[7] = L"seven";
  }
  Size MeasureAndPaint(const std::wstring& text) {
    const Size s = renderer.Measure(surface, text);
    renderer.Paint(surface, Rect{0, 0, s.cx, s.cy});
    return s;
  }

  MarkupRenderer renderer;
  FakeSurface surface;
};

TEST_F(Objects, SizesAndPlacesOfImages) {
  const struct {
    const wchar_t* text;
    bool drawn;
    int width, height;  // drawn size
    int frame;
    int textX;  // where the "x" after the image starts
  } kCases[] = {
      {L"<bmp idres=1>x", true, 40, 20, 0, 40},
      {L"<bmp idres=1 width=50%>x", true, 20, 20, 0, 20},
      {L"<bmp idres=1 width=10 height=200%>x", true, 10, 40, 0, 10},
      {L"<bmp idres=1 style=s>x", true, 40, 20, 0, 44},  // the shadow widens the layout by its offset
      {L"<icon idres=3 width=50%>x", true, 32, 32, 0, 32},  // an icon keeps its own size
      {L"<ilst idres=2 index=3>x", true, 16, 16, 3, 16},   // square frames of the strip's height
      {L"<ilst idres=2 cx=32 index=1>x", false, 0, 0, 0, 0},  // cy takes cx: 32 × 32 frames leave no row
      {L"<ilst idres=2 cx=32 cy=16 index=1 width=50%>x", true, 16, 16, 1, 16},
      {L"<ilst idres=2 index=4>x", false, 0, 0, 0, 0},  // past the last frame: nothing, no room
      {L"<ilst index=0 width=200%>x", true, 32, 16, 0, 32},  // the image list's cell
      {L"<ilst index=1>x", false, 0, 0, 0, 0},
      {L"<bmp idres=99>x", false, 0, 0, 0, 0},
      {L"<bmp handle=0x1234>x", false, 0, 0, 0, 0},
  };
  for (const auto& k : kCases) {
    MeasureAndPaint(k.text);
    ASSERT_EQ(surface.images.size(), k.drawn ? 1u : 0u) << k.text;
    if (k.drawn) {
      EXPECT_EQ(surface.images[0].draw.width, k.width) << k.text;
      EXPECT_EQ(surface.images[0].draw.height, k.height) << k.text;
      EXPECT_EQ(surface.images[0].draw.frame, k.frame) << k.text;
    }
    ASSERT_EQ(surface.texts.size(), 1u) << k.text;
    EXPECT_EQ(surface.texts[0].x, k.textX) << k.text;
  }
}

TEST_F(Objects, ImagesSitOnTheBaselineAndGrowTheLine) {
  // The line is 20 (image) + 4 (text descent) high; the image's bottom is on the baseline.
  const Size s = MeasureAndPaint(L"<bmp idres=1>x");
  EXPECT_EQ(s.cx, 47);
  EXPECT_EQ(s.cy, 25);
  EXPECT_EQ(surface.images.at(0).draw.y, 0);
  EXPECT_EQ(surface.texts.at(0).y, 24 - 4 - 9);
  MeasureAndPaint(L"x<bottom><bmp idres=1 height=5></bottom>");
  EXPECT_EQ(surface.images.at(0).draw.y, 13 - 5);
}

TEST_F(Objects, ImagesThatDoNotFitStartTheNextLine) {
  renderer.Settings().maxWidth = 50;
  MeasureAndPaint(L"abc<bmp idres=1>");
  EXPECT_EQ(renderer.LineCount(), 2);
  EXPECT_EQ(surface.images.at(0).draw.x, 0);
  // Alone on its line a wide image stays there.
  MeasureAndPaint(L"<bmp idres=1 width=80>");
  EXPECT_EQ(renderer.LineCount(), 1);
}

TEST_F(Objects, EffectFlagsFollowTheHotLinkAndDisabledColours) {
  const std::wstring text = L"<a msg=go><bmp idres=1 style=g hotstyle=l></a>";
  MeasureAndPaint(text);
  EXPECT_EQ(surface.images.at(0).draw.flags, unsigned{kFxGrey});
  ASSERT_EQ(renderer.Links().size(), 1u);
  EXPECT_EQ(renderer.Links()[0].rect.right, 40);
  renderer.hotLink = 0;
  MeasureAndPaint(text);
  EXPECT_EQ(surface.images.at(0).draw.flags, unsigned{kFxBrighter});
  renderer.hotLink = -2;
  renderer.Colours().enabled = false;
  MeasureAndPaint(L"<bmp idres=1 style=gs>");
  EXPECT_EQ(surface.images.at(0).draw.flags, unsigned{kFxSoftShadow | kFxSingleColour});
  EXPECT_TRUE(surface.images.at(0).draw.shadow);
  // Without shadow offsets "s" casts nothing.
  renderer.Settings().shadowDx = renderer.Settings().shadowDy = 0;
  MeasureAndPaint(L"<bmp idres=1 style=s>x");
  EXPECT_FALSE(surface.images.at(0).draw.shadow);
  EXPECT_EQ(surface.texts.at(0).x, 40);
}

TEST_F(Objects, AnimatedStripsMoveFrameByFrameOnTimerTicks) {
  const std::wstring text = L"<ilst idres=2 index=1 speed=2> and <ilst idres=2 speed=1 cx=16>";
  MeasureAndPaint(text);
  ASSERT_EQ(renderer.Animations().size(), 2u);
  EXPECT_EQ(renderer.Animations()[0].frameCount, 4);
  const struct {
    bool changed;
    int first, second;
  } kTicks[] = {{true, 1, 1}, {true, 2, 2}, {true, 2, 3}, {true, 3, 0}, {true, 3, 1}, {true, 0, 2}, {true, 0, 3}};
  for (const auto& t : kTicks) {
    EXPECT_EQ(renderer.AdvanceAnimations(), t.changed);
    renderer.Paint(surface, Rect{0, 0, 200, 40});
    ASSERT_EQ(surface.images.size(), 2u);
    EXPECT_EQ(surface.images[0].draw.frame, t.first);
    EXPECT_EQ(surface.images[1].draw.frame, t.second);
  }
  // A slow strip alone: a tick that moves no frame reports no change.
  MeasureAndPaint(L"<ilst idres=2 speed=3>");
  EXPECT_FALSE(renderer.AdvanceAnimations());
  EXPECT_FALSE(renderer.AdvanceAnimations());
  EXPECT_TRUE(renderer.AdvanceAnimations());
  // Measuring again starts over; strips without speed are not animated.
  MeasureAndPaint(L"<ilst idres=2 index=2>");
  EXPECT_TRUE(renderer.Animations().empty());
  EXPECT_FALSE(renderer.AdvanceAnimations());
}

TEST_F(Objects, StringResourcesAreTextRuns) {
  MeasureAndPaint(L"<a msg=s><string idres=7></a>!<string idres=8><string iddll=7 srcdll=x.dll>");
  EXPECT_EQ(surface.Text(), L"seven!seven");
  EXPECT_EQ(surface.texts.at(1).x, 30);
  ASSERT_EQ(renderer.Links().size(), 1u);
  EXPECT_EQ(renderer.Links()[0].rect.right, 30);
}

TEST_F(Objects, LinkAreasHitTestingAndHoverStyle) {
  const std::wstring text = L"<a href='http://x.test/'>ab</a> cd<a msg=m>ef</a><a>g</a>";
  MeasureAndPaint(text);
  const auto& links = renderer.Links();
  ASSERT_EQ(links.size(), 3u);
  EXPECT_EQ(links[0].kind, kAddressLink);
  EXPECT_EQ(links[0].target, L"http://x.test/");
  EXPECT_EQ(links[1].kind, kMessageLink);
  EXPECT_EQ(links[1].index, 1);
  EXPECT_EQ(links[2].target, L"");
  EXPECT_EQ(renderer.HitTestLinks(0, 0), 0);
  EXPECT_EQ(renderer.HitTestLinks(12, 13), 0);  // edges belong to the area
  EXPECT_EQ(renderer.HitTestLinks(20, 5), -1);
  EXPECT_EQ(renderer.HitTestLinks(31, 5), 1);
  EXPECT_EQ(renderer.HitTestLinks(500, 5), -1);
  EXPECT_EQ(surface.texts.at(0).style.underline, 0);  // "a:link"
  renderer.hotLink = 1;
  renderer.Paint(surface, Rect{0, 0, 100, 20});
  EXPECT_EQ(surface.texts.at(0).style.underline, 0);
  EXPECT_EQ(surface.texts.at(2).text, L"ef");
  EXPECT_EQ(surface.texts.at(2).style.underline, 1);  // "a:hover"
}

TEST(Entities, EveryEntityOfTheTable) {
  const struct {
    const wchar_t* entity;
    const wchar_t* replacement;
  } kTable[] = {
      {L"&amp;", L"&"},      {L"&bull;", L"\x2022"}, {L"&copy;", L"\xA9"},  {L"&euro;", L"\x20AC"},
      {L"&gt;", L">"},       {L"&iquest;", L"\xBF"}, {L"&lt;", L"<<"},      {L"&nbsp;", L" "},
      {L"&para;", L"\xB6"},  {L"&pound;", L"\xA3"},  {L"&quot;", L"\""},    {L"&reg;", L"\xAE"},
      {L"&trade;", L"\x2122"},
  };
  for (const auto& e : kTable) {
    EXPECT_EQ(PrepareText(std::wstring(L"x") + e.entity + L"y", true), std::wstring(L"x") + e.replacement + L"y")
        << e.entity;
    // Entities are matched exactly: capitals and a missing semicolon stay as written.
    std::wstring upper = e.entity;
    for (wchar_t& c : upper) c = static_cast<wchar_t>(std::towupper(c));
    EXPECT_EQ(PrepareText(upper, true), upper);
  }
}

}  // namespace
