// Element scroll bars drawn through the paint manager: both bars, the corner in the button face,
// the content left alone, and the thumb following the scroll offset.
#include <gtest/gtest.h>

#include <vector>

#include "canvas.h"
#include "toolkit/paint/paint_manager.h"
#include "toolkit/richcontent/rich_hit_test.h"
#include "toolkit/richcontent/rich_layout.h"

namespace {

struct ScrollingBox {
  CExtRichContentLayout doc;
  CExtRichContentItem* root = doc.CreateItem(kRichItemRoot);
  CExtRichContentItem* box = doc.CreateItem(kRichItemElement, root);

  ScrollingBox() {
    box->m_strName = u"div";
    box->GetStyle().m_nDisplay = RichCode::DisplayBlock;
    box->GetStyle().m_nOverflow = RichCode::OverflowScroll;
    box->m_rcItem = RichRect{0, 0, 200, 150};
    box->ScrollRange() = RichSize{50, 80};
  }
};

class RichScrollPaintTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(g_PaintManagerHolder.ReplaceManager(new CExtPaintManager));
    RichUsePaintManagerScrollBars();
  }
  void TearDown() override { RichSetScrollBarPainter(nullptr); }
};

TEST_F(RichScrollPaintTest, BothBarsAndTheCornerAreDrawnOutsideTheContent) {
  const COLORREF white = RGB(255, 255, 255);
  ctltest::Canvas canvas(200, 150, white);
  ScrollingBox s;
  s.box->PaintScrollBars(canvas.dc()->GetSafeHdc(), RichRect{0, 0, 200, 150}, 0, nullptr);
  canvas.Save(L"rich_element_scroll_bars");

  const int bar = ::GetSystemMetrics(SM_CXVSCROLL), barH = ::GetSystemMetrics(SM_CYHSCROLL);
  const COLORREF face = g_PaintManagerHolder.CurrentManager()->LookupColor(COLOR_BTNFACE);
  EXPECT_EQ(canvas.At(200 - bar / 2, 150 - barH / 2), face) << ctltest::ColorText(canvas.At(190, 140));
  EXPECT_EQ(canvas.At(50, 50), white);
  // Something is drawn along each bar (a themed thumb may be white inside).
  int drawnH = 0, drawnV = 0;
  for (int x = 0; x < 200 - bar; ++x) drawnH += canvas.At(x, 150 - barH / 2) != white;
  for (int y = 0; y < 150 - barH; ++y) drawnV += canvas.At(200 - bar / 2, y) != white;
  EXPECT_GT(drawnH, (200 - bar) / 5);
  EXPECT_GT(drawnV, (150 - barH) / 5);
  // Nothing below the horizontal bar's top edge or left of the vertical bar's is touched.
  for (int x = 0; x < 200 - bar - 1; x += 7) EXPECT_EQ(canvas.At(x, 150 - barH - 2), white) << x;
}

TEST_F(RichScrollPaintTest, TheThumbFollowsTheScrollOffset) {
  ScrollingBox s;
  const int bar = ::GetSystemMetrics(SM_CXVSCROLL);
  const int x = 200 - bar / 2;
  auto column = [&](int offset) {
    ctltest::Canvas canvas(200, 150, RGB(255, 255, 255));
    s.box->ScrollOffset().y = offset;
    s.box->PaintScrollBars(canvas.dc()->GetSafeHdc(), RichRect{0, 0, 200, 150}, 0, nullptr);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < 150; ++y) pixels.push_back(canvas.At(x, y));
    return pixels;
  };
  const std::vector<COLORREF> top = column(0), bottom = column(500);
  EXPECT_NE(top, bottom);
  // Painting cut the offset back into the range.
  EXPECT_LE(s.box->GetScrollOffset().y, 81);
}

}  // namespace
