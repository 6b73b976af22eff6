// Scroll-bar part layout.
#include "toolkit/paint/scrollbar_layout.h"

#include <gtest/gtest.h>

namespace {

using extpaint::SbLayoutInput;
using extpaint::SbRect;

SbLayoutInput Horizontal(int length, int button, int min, int max, unsigned page, int pos, int minThumb = 8) {
  SbLayoutInput in;
  in.horizontal = true;
  in.enabled = true;
  in.bar = SbRect{0, 0, length, 17};
  in.info = extpaint::SbInfo{min, max, page, pos, pos};
  in.buttonLength = button;
  in.minThumb = minThumb;
  return in;
}

TEST(ScrollBarLayout, ShortTracksAndOverlappingButtons) {
  // 40 pixels with 17-pixel buttons: a 6-pixel track still gets a thumb.
  auto l = extpaint::LayoutScrollBar(Horizontal(40, 17, 0, 100, 0, 0, 0));
  EXPECT_FALSE(l.thumb.IsEmpty());
  // 18-pixel buttons leave 4 pixels: no thumb.
  l = extpaint::LayoutScrollBar(Horizontal(40, 18, 0, 100, 0, 0, 0));
  EXPECT_TRUE(l.thumb.IsEmpty());
  EXPECT_EQ(l.lineUp, (SbRect{0, 0, 18, 17}));
  EXPECT_EQ(l.lineDown, (SbRect{22, 0, 40, 17}));
  EXPECT_EQ(l.track, (SbRect{18, 0, 22, 17}));
  // 21-pixel buttons overlap: the bar is split at pixel 20.
  l = extpaint::LayoutScrollBar(Horizontal(40, 21, 0, 100, 0, 50));
  EXPECT_EQ(l.lineUp, (SbRect{0, 0, 20, 17}));
  EXPECT_EQ(l.lineDown, (SbRect{20, 0, 40, 17}));
  EXPECT_TRUE(l.thumb.IsEmpty());
  EXPECT_TRUE(l.pageUp.IsEmpty());
  EXPECT_TRUE(l.pageDown.IsEmpty());
}

TEST(ScrollBarLayout, ProportionalThumbAndMinimum) {
  // Range 0..100, page 10, track 200: thumb MulDiv(200, 10, 100) = 20.
  auto l = extpaint::LayoutScrollBar(Horizontal(234, 17, 0, 100, 10, 0, 8));
  EXPECT_EQ(l.thumb, (SbRect{17, 0, 37, 17}));
  EXPECT_TRUE(l.pageUp.IsEmpty());  // track position 0
  EXPECT_EQ(l.pageDown, (SbRect{37, 0, 217, 17}));
  // A larger minimum wins.
  l = extpaint::LayoutScrollBar(Horizontal(234, 17, 0, 100, 10, 0, 30));
  EXPECT_EQ(l.thumb.right - l.thumb.left, 30);
  // At the end (track position = extent 91) the thumb touches the line-down button.
  l = extpaint::LayoutScrollBar(Horizontal(234, 17, 0, 100, 10, 91, 8));
  EXPECT_EQ(l.thumb, (SbRect{197, 0, 217, 17}));
  EXPECT_EQ(l.pageUp, (SbRect{17, 0, 197, 17}));
  EXPECT_TRUE(l.pageDown.IsEmpty());
}

TEST(ScrollBarLayout, FullPageGrowsTheRangeByOne) {
  auto l = extpaint::LayoutScrollBar(Horizontal(234, 17, 0, 100, 100, 0));
  EXPECT_EQ(l.info.max, 101);
  EXPECT_EQ(l.extent, 2);
  // Positions are made relative to the minimum.
  l = extpaint::LayoutScrollBar(Horizontal(234, 17, 50, 150, 10, 60));
  EXPECT_EQ(l.info.min, 0);
  EXPECT_EQ(l.info.max, 100);
  EXPECT_EQ(l.info.pos, 10);
}

TEST(ScrollBarLayout, DisabledBarHasOnlyButtons) {
  SbLayoutInput in = Horizontal(234, 17, 0, 100, 10, 40);
  in.enabled = false;
  auto l = extpaint::LayoutScrollBar(in);
  EXPECT_TRUE(l.thumb.IsEmpty());
  EXPECT_TRUE(l.pageUp.IsEmpty());
  EXPECT_TRUE(l.pageDown.IsEmpty());
  EXPECT_FALSE(l.lineUp.IsEmpty());
  EXPECT_FALSE(l.lineDown.IsEmpty());
  EXPECT_EQ(l.info.max, 0);
}

TEST(ScrollBarLayout, VerticalBarsAlongY) {
  SbLayoutInput in;
  in.horizontal = false;
  in.bar = SbRect{0, 0, 17, 234};
  in.info = extpaint::SbInfo{0, 100, 10, 0, 0};
  in.buttonLength = 17;
  in.minThumb = 8;
  auto l = extpaint::LayoutScrollBar(in);
  EXPECT_EQ(l.lineUp, (SbRect{0, 0, 17, 17}));
  EXPECT_EQ(l.lineDown, (SbRect{0, 217, 17, 234}));
  EXPECT_EQ(l.thumb, (SbRect{0, 17, 17, 37}));
  EXPECT_EQ(l.track, (SbRect{0, 17, 17, 217}));
}

TEST(ScrollBarLayout, NoPageGivesAButtonSizedThumb) {
  auto l = extpaint::LayoutScrollBar(Horizontal(234, 17, 0, 100, 0, 0, 0));
  EXPECT_EQ(l.thumb.right - l.thumb.left, 17);
  l = extpaint::LayoutScrollBar(Horizontal(234, 0, 0, 100, 0, 0, 0));
  EXPECT_EQ(l.thumb.right - l.thumb.left, 6);
}

}  // namespace
