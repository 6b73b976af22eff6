// Pixel-drawn marks at their documented coordinates.
#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "canvas.h"
#include "toolkit/paint/paint_manager.h"

namespace {

using Points = std::set<std::pair<int, int>>;

TEST(CheckMarkGlyph, StrokeAndEdgePixels) {
  struct Case {
    COLORREF color, edge;
  } cases[] = {{RGB(0, 0, 0), RGB(255, 255, 255)}, {RGB(255, 255, 255), RGB(0, 0, 0)},
               {RGB(200, 40, 10), RGB(55, 215, 245)}};
  const Points stroke = {{0, 2}, {0, 3}, {1, 3}, {1, 4}, {2, 4}, {2, 5}, {3, 3},
                         {3, 4}, {4, 2}, {4, 3}, {5, 1}, {5, 2}, {6, 0}, {6, 1}};
  const Points edge = {{0, 4}, {1, 5}, {2, 6}, {3, 5}, {4, 4}, {5, 3}, {6, 2}};
  const COLORREF background = RGB(1, 2, 3);
  for (const Case& c : cases) {
    ctltest::Canvas canvas(20, 20, background);
    CExtPaintManager::DrawCheckMarkGlyph(*canvas.dc(), 5, 7, c.color);
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 20; ++x) {
        const std::pair<int, int> p{x - 5, y - 7};
        const COLORREF expected = stroke.count(p) ? c.color : edge.count(p) ? c.edge : background;
        EXPECT_EQ(canvas.At(x, y), expected) << x << "," << y << " " << ctltest::ColorText(c.color);
      }
  }
}

TEST(Bullets, ShapeOverItsShadowMovedByOne) {
  const COLORREF background = RGB(1, 2, 3), color = RGB(0, 0, 128), shadow = RGB(255, 255, 127);
  ctltest::Canvas square(20, 20, background);
  CExtPaintManager::DrawSquareBullet(*square.dc(), 4, 4, color);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x) {
      const bool inShape = x >= 4 && x < 10 && y >= 4 && y < 10;
      const bool inShadow = x >= 5 && x < 11 && y >= 5 && y < 11;
      EXPECT_EQ(square.At(x, y), inShape ? color : inShadow ? shadow : background) << x << "," << y;
    }
  ctltest::Canvas round(20, 20, background);
  CExtPaintManager::DrawRoundBullet(*round.dc(), 4, 4, color);
  // A filled circle: its centre in the colour, the shadow showing at the lower right, the
  // corner of the 6x6 box left as it was.
  EXPECT_EQ(round.At(6, 6), color);
  EXPECT_EQ(round.At(7, 7), color);
  EXPECT_EQ(round.At(4, 4), background);
  EXPECT_EQ(round.At(10, 7), shadow);
  EXPECT_EQ(round.At(7, 10), shadow);
  EXPECT_EQ(round.At(11, 11), background);
  // The DC's pen and brush are selected back and nothing is left behind.
  EXPECT_EQ(::GetCurrentObject(round.dc()->GetSafeHdc(), OBJ_PEN), ::GetStockObject(BLACK_PEN));
  EXPECT_EQ(::GetCurrentObject(round.dc()->GetSafeHdc(), OBJ_BRUSH), ::GetStockObject(WHITE_BRUSH));
  round.Save(L"toolkit_round_bullet");
}

TEST(DottedLines, EvenCoordinatesOnly) {
  const COLORREF background = RGB(1, 2, 3), color = RGB(9, 9, 9);
  ctltest::Canvas canvas(20, 20, background);
  CExtPaintManager::DrawDottedLineH(*canvas.dc(), 3, 10, 2, color);
  for (int x = 0; x < 20; ++x) EXPECT_EQ(canvas.At(x, 2), (x == 4 || x == 6 || x == 8) ? color : background) << x;
  CExtPaintManager::DrawDottedLineV(*canvas.dc(), 15, -3, 5, color);
  for (int y = 0; y < 20; ++y) EXPECT_EQ(canvas.At(15, y), (y == 0 || y == 2 || y == 4) ? color : background) << y;
}

TEST(CornerlessFrame, EdgesWithoutCorners) {
  const COLORREF background = RGB(1, 2, 3), light = RGB(250, 250, 250), dark = RGB(20, 20, 20);
  ctltest::Canvas canvas(20, 20, background);
  CExtPaintManager::DrawCornerlessFrameRect(*canvas.dc(), RECT{2, 3, 12, 10}, light, dark);
  EXPECT_EQ(canvas.At(2, 3), background);    // corners left out
  EXPECT_EQ(canvas.At(11, 9), background);
  EXPECT_EQ(canvas.At(3, 3), light);         // top edge
  EXPECT_EQ(canvas.At(2, 4), light);         // left edge
  EXPECT_EQ(canvas.At(11, 4), dark);         // right edge: last column inside
  EXPECT_EQ(canvas.At(5, 9), dark);          // bottom edge: last row inside
  EXPECT_EQ(canvas.At(5, 5), background);    // inside untouched
}

}  // namespace
