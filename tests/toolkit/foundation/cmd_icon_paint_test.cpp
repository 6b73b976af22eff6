// Painting command icons onto an off-screen 32-bit surface: states, sizes, constant alpha, and
// the tinted, silhouette and embossed looks.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "canvas.h"
#include "toolkit/foundation/cmd_icon.h"
#include "toolkit/paint/paint_manager.h"
#include "toolkit/paint/pm_holder.h"

namespace {

using ctltest::Canvas;
using ctltest::ColorText;

CExtBitmap Solid(int w, int h, COLORREF color, BYTE alpha = 255) {
  CExtBitmap b;
  EXPECT_TRUE(b.CreateSolid(color, SIZE{w, h}, alpha));
  return b;
}

bool Near(COLORREF got, COLORREF want, int tolerance) {
  auto off = [&](int a, int b) { return a - b > tolerance || b - a > tolerance; };
  return !off(GetRValue(got), GetRValue(want)) && !off(GetGValue(got), GetGValue(want)) &&
         !off(GetBValue(got), GetBValue(want));
}

class CmdIconPaintTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(g_PaintManagerHolder.ReplaceManager(new CExtPaintManager));
    pm = g_PaintManagerHolder.CurrentManager();
    icon.SetNormalBitmap(Solid(4, 4, RGB(255, 0, 0)));
  }
  CExtPaintManager* pm = nullptr;
  CExtCmdIcon icon;
  Canvas canvas{16, 12, RGB(255, 255, 255)};
  const COLORREF white = RGB(255, 255, 255);
};

TEST_F(CmdIconPaintTest, StatesSizesAndAlpha) {
  HDC dc = canvas.dc()->GetSafeHdc();
  icon.Paint(pm, dc, 2, 2);  // own size
  EXPECT_EQ(canvas.At(2, 2), RGB(255, 0, 0));
  EXPECT_EQ(canvas.At(5, 5), RGB(255, 0, 0));
  EXPECT_EQ(canvas.At(6, 2), white);
  EXPECT_EQ(canvas.At(1, 1), white);

  canvas.Fill(white);
  icon.Paint(pm, dc, 2, 2, 8, -1);  // stretched across, own height
  EXPECT_EQ(canvas.At(9, 5), RGB(255, 0, 0));
  EXPECT_EQ(canvas.At(10, 2), white);
  EXPECT_EQ(canvas.At(9, 6), white);

  canvas.Fill(white);
  icon.Paint(pm, dc, 2, 2, 0, 4);
  icon.Paint(pm, dc, 2, 2, 4, 4, CExtCmdIcon::StateNone);
  icon.Paint(pm, nullptr, 2, 2);
  CExtCmdIcon().Paint(pm, dc, 2, 2);
  EXPECT_EQ(canvas.At(3, 3), white);

  icon.Paint(pm, dc, 0, 0, -1, -1, CExtCmdIcon::StateNormal, 128);
  EXPECT_TRUE(Near(canvas.At(1, 1), RGB(255, 127, 127), 2)) << ColorText(canvas.At(1, 1));

  // Disabled: the base manager's grey 76 with a quarter of the opacity over white.
  canvas.Fill(white);
  icon.Paint(pm, dc, 0, 0, -1, -1, CExtCmdIcon::StateDisabled);
  EXPECT_TRUE(Near(canvas.At(2, 2), RGB(211, 211, 211), 2)) << ColorText(canvas.At(2, 2));
  EXPECT_FALSE(icon.GetDisabledBitmap().IsBlank());  // kept for the next paint

  // Hover: the explicit image; pressed without one: the normal image.
  icon.SetHoverBitmap(Solid(4, 4, RGB(0, 200, 0)));
  icon.PaintInRect(pm, dc, RECT{0, 0, 4, 4}, CExtCmdIcon::StateHover);
  EXPECT_EQ(canvas.At(3, 3), RGB(0, 200, 0));
  icon.PaintInRect(pm, dc, RECT{0, 0, 4, 4}, CExtCmdIcon::StatePressed);
  EXPECT_EQ(canvas.At(3, 3), RGB(255, 0, 0));
  canvas.Save(L"cmd_icon_states");
}

TEST_F(CmdIconPaintTest, TintedSilhouetteAndEmbossed) {
  HDC dc = canvas.dc()->GetSafeHdc();
  // Tinted blue: the grey 76 of red as the lightness of blue, (0, 0, 2 x 76).
  icon.PaintTinted(pm, dc, RGB(0, 0, 255), 0, 0);
  EXPECT_TRUE(Near(canvas.At(1, 1), RGB(0, 0, 152), 2)) << ColorText(canvas.At(1, 1));
  EXPECT_FALSE(icon.GetNormalBitmap().ReadPixelColor(0, 0) != RGB(255, 0, 0));  // the icon is untouched

  // Silhouette: every visible pixel becomes the colour's tint of black lifted half-way; the
  // transparent column stays background.
  CExtBitmap holed = Solid(4, 4, RGB(30, 140, 220));
  for (int y = 0; y < 4; ++y) holed.WritePixelColor(3, y, RGB(30, 140, 220), 0);
  icon.SetNormalBitmap(holed);
  canvas.Fill(white);
  icon.PaintSilhouette(pm, dc, RGB(0, 0, 0), 0, 0);
  EXPECT_TRUE(Near(canvas.At(1, 1), RGB(127, 127, 127), 1)) << ColorText(canvas.At(1, 1));
  EXPECT_EQ(canvas.At(3, 1), white);

  // Embossed in black: a grey face with a lighter copy one pixel down and right.
  icon.SetNormalBitmap(Solid(4, 4, RGB(255, 0, 0)));
  canvas.Fill(RGB(0, 0, 0));
  icon.PaintEmbossed(pm, dc, RGB(0, 0, 0), 2, 2);
  const COLORREF face = canvas.At(3, 3), light = canvas.At(6, 6);
  EXPECT_TRUE(Near(face, RGB(176, 176, 176), 3)) << ColorText(face);
  EXPECT_TRUE(Near(light, RGB(235, 235, 235), 3)) << ColorText(light);
  EXPECT_EQ(canvas.At(7, 7), RGB(0, 0, 0));
  canvas.Save(L"cmd_icon_looks");
}

TEST(CmdIconGallery, EveryStateAndLookOfAPicture) {
  ASSERT_TRUE(g_PaintManagerHolder.ReplaceManager(new CExtPaintManager));
  CExtPaintManager* pm = g_PaintManagerHolder.CurrentManager();
  // A 16 x 16 picture: a coloured disc with soft edges on a transparent ground.
  CExtBitmap disc;
  ASSERT_TRUE(disc.CreateSolid(RGB(0, 0, 0), SIZE{16, 16}, 0));
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      const double dx = x - 7.5, dy = y - 7.5, r = std::sqrt(dx * dx + dy * dy);
      const double edge = std::clamp(7.5 - r, 0.0, 1.0);
      disc.WritePixelColor(x, y, RGB(40 + 12 * x, 60 + 8 * y, 220 - 10 * x), static_cast<int>(255 * edge));
    }
  CExtCmdIcon icon;
  icon.SetNormalBitmap(disc);
  CExtCmdIcon big;
  ASSERT_TRUE(big.AssignScaled(icon, SIZE{48, 48}));

  Canvas canvas(8 * 52 + 4, 2 * 52 + 4, RGB(236, 233, 216));
  HDC dc = canvas.dc()->GetSafeHdc();
  for (int row = 0; row < 2; ++row) {
    CExtCmdIcon& i = row == 0 ? icon : big;
    const int y = 4 + row * 52;
    i.Paint(pm, dc, 4, y);
    i.Paint(pm, dc, 56, y, -1, -1, CExtCmdIcon::StateDisabled);
    i.OnPaintManagerChanged();
    i.Paint(nullptr, dc, 108, y, -1, -1, CExtCmdIcon::StateDisabled);
    i.Paint(pm, dc, 160, y, -1, -1, CExtCmdIcon::StateNormal, 100);
    i.PaintEmbossed(pm, dc, RGB(128, 128, 128), 212, y);
    i.PaintSilhouette(pm, dc, RGB(0, 0, 128), 264, y);
    i.PaintTinted(pm, dc, RGB(200, 80, 0), 316, y);
    CExtBitmap smooth(disc);
    CExtBitmap::Filter bicubic(CExtBitmap::Filter::Bicubic);
    ASSERT_TRUE(smooth.Scale(16 * (row * 2 + 1), 16 * (row * 2 + 1), &bicubic));
    smooth.AlphaDrawAt(dc, 368, y, smooth.GetPixelSize().cx, smooth.GetPixelSize().cy);
  }
  canvas.Save(L"cmd_icon_gallery");
  // The ground around the scaled disc keeps the background: no dark rim where the disc ends.
  const COLORREF ground = RGB(236, 233, 216);
  EXPECT_EQ(canvas.At(4, 56), ground);
  for (int x = 4; x < 52; ++x) {
    const COLORREF c = canvas.At(x, 56 + 24);  // the middle row of the large disc
    EXPECT_GE(GetRValue(c) + GetGValue(c) + GetBValue(c), 150) << x << " " << ColorText(c);
  }
}

}  // namespace
