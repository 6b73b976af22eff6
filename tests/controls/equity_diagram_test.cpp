// The equity chart: background texts, curves, steps, anti-aliasing, guards; and in a dialog.
#include <gtest/gtest.h>

#include "canvas.h"
#include "controls/app_services.h"
#include "controls/equity_diagram.h"
#include "test_dialog.h"

namespace {

using ctltest::Canvas;
using ctltest::ColorText;

constexpr int kWidth = 602;
constexpr int kHeight = 479;

// Counts that grow linearly with the level: the curve is a diagonal across the plot.
void FillLinear(int* counts, int total) {
  for (int i = 0; i < COwnerdrawedDiagramm::kLevels; ++i) counts[i] = total * i / 100;
}

int CountDiffering(Canvas& a, Canvas& b, const CRect& r) {
  int n = 0;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) n += a.At(x, y) != b.At(x, y);
  return n;
}

int CountMatching(Canvas& c, const CRect& r, bool (*match)(COLORREF)) {
  int n = 0;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) n += match(c.At(x, y));
  return n;
}

struct PointCase {
  int level, count, total;
  CPoint expected;
};

TEST(EquityDiagram, PlotCoordinates) {
  const PointCase cases[] = {
      {50, 11050, 22100, CPoint(313, 253)},
      {0, 0, 22100, CPoint(588, 433)},
      {100, 22100, 22100, CPoint(38, 73)},
      {100, 0, 22100, CPoint(588, 73)},
      {49, 10829, 22100, CPoint(319, 257)},
      // Counts of long simulations: count * 550 does not fit in 32 bits.
      {100, 200000000, 200000000, CPoint(38, 73)},
      {50, 100000000, 200000000, CPoint(313, 253)},
      // No total: the point stays on the right edge instead of dividing by zero.
      {50, 7, 0, CPoint(588, 253)},
  };
  for (const PointCase& c : cases)
    EXPECT_EQ(COwnerdrawedDiagramm::PointOf(c.level, c.count, c.total), c.expected)
        << "level " << c.level << " count " << c.count << " total " << c.total;
}

TEST(EquityDiagram, ConstructionState) {
  COwnerdrawedDiagramm d;
  for (int i = 0; i < COwnerdrawedDiagramm::kLevels; ++i)
    ASSERT_EQ(d.m_rangeVsRange[i] | d.m_handVsHand[i] | d.m_handVsRange[i], 0);
  for (int t : d.m_totals) EXPECT_EQ(t, 22100);
  EXPECT_EQ(d.m_smooth, 1);
  EXPECT_EQ(d.m_antialiased + d.m_showHandVsHand + d.m_showRangeVsRange + d.m_showHandVsRange + d.m_street, 0);
  EXPECT_TRUE(d.m_title.IsEmpty());
  BITMAP bm;
  ASSERT_TRUE(d.m_background.GetBitmap(&bm));
  EXPECT_EQ(bm.bmWidth, kWidth);
  EXPECT_EQ(bm.bmHeight, kHeight);
}

class DiagramDrawing : public ::testing::Test {
 protected:
  // The background alone, without any of the texts that depend on fields.
  void Background(Canvas& c, COwnerdrawedDiagramm& d) { d.DrawBackground(c.dc()); }
};

TEST_F(DiagramDrawing, StreetCaptionOnlyForFlopsTurnsAndRivers) {
  const CRect caption(38, 457, 583, kHeight);
  COwnerdrawedDiagramm d;
  Canvas none(kWidth, kHeight, 0);
  Background(none, d);
  for (int street : {0, 4, -1}) {
    d.m_street = street;
    Canvas c(kWidth, kHeight, 0);
    Background(c, d);
    EXPECT_EQ(CountDiffering(c, none, caption), 0) << "street " << street;
  }
  Canvas streets[3] = {{kWidth, kHeight, 0}, {kWidth, kHeight, 0}, {kWidth, kHeight, 0}};
  for (int street = 1; street <= 3; ++street) {
    d.m_street = street;
    Background(streets[street - 1], d);
    EXPECT_GT(CountDiffering(streets[street - 1], none, caption), 50) << "street " << street;
  }
  EXPECT_GT(CountDiffering(streets[0], streets[1], caption), 20) << "flops and turns say different things";
  EXPECT_GT(CountDiffering(streets[1], streets[2], caption), 20);
}

TEST_F(DiagramDrawing, TitleAndGameHeading) {
  COwnerdrawedDiagramm d;
  Canvas plain(kWidth, kHeight, 0);
  Background(plain, d);
  d.m_title = L"AsKsQhJh vs. a range";
  Canvas titled(kWidth, kHeight, 0);
  Background(titled, d);
  EXPECT_GT(CountDiffering(titled, plain, CRect(44, 0, 288, 60)), 50) << "the title is drawn";

  AppServices services;
  RegisterAppServices(&services);
  services.m_useHiLo = 1;
  Canvas hiLo(kWidth, kHeight, 0);
  Background(hiLo, d);
  RegisterAppServices(nullptr);
  EXPECT_GT(CountDiffering(hiLo, titled, CRect(288, 0, 589, 35)), 30) << "Omaha Hi/Lo instead of Omaha";
  EXPECT_EQ(CountDiffering(hiLo, titled, CRect(0, 60, kWidth, kHeight)), 0) << "nothing else changes";
  titled.Save(L"controls_diagram_background_hi");
  hiLo.Save(L"controls_diagram_background_hilo");
}

TEST_F(DiagramDrawing, LegendInTheCurvesColoursAndUpwardCaption) {
  COwnerdrawedDiagramm d;
  Canvas c(kWidth, kHeight, 0);
  Background(c, d);
  auto red = [](COLORREF p) { return GetRValue(p) > 170 && GetGValue(p) < 90 && GetBValue(p) < 90; };
  auto green = [](COLORREF p) { return GetGValue(p) > 90 && GetRValue(p) < 70 && GetBValue(p) < 70; };
  auto blue = [](COLORREF p) { return GetBValue(p) > 150 && GetRValue(p) < 110 && GetGValue(p) < 110; };
  EXPECT_GT(CountMatching(c, CRect(42, 420, 200, 434), red), 20) << "hand vs. hand";
  EXPECT_GT(CountMatching(c, CRect(42, 409, 200, 420), green), 20) << "hand vs. range";
  EXPECT_GT(CountMatching(c, CRect(42, 398, 200, 409), blue), 20) << "range vs. range";
  // "Equity" runs upward from (6, 269): grey ink left of the plot, above that point.
  auto grey = [](COLORREF p) { return GetRValue(p) < 170 && GetRValue(p) == GetGValue(p) && GetGValue(p) == GetBValue(p); };
  EXPECT_GT(CountMatching(c, CRect(4, 220, 22, 270), grey), 20);
  EXPECT_EQ(CountMatching(c, CRect(4, 270, 22, 330), grey), CountMatching(c, CRect(4, 330, 22, 390), grey))
      << "nothing below the caption's start but the background";
}

class DiagramCurves : public ::testing::Test {
 protected:
  void SetUp() override {
    d.DrawBackground(base.dc());
    d.DrawBackground(c.dc());
  }
  COwnerdrawedDiagramm d;
  Canvas base{kWidth, kHeight, 0};
  Canvas c{kWidth, kHeight, 0};
};

TEST_F(DiagramCurves, EachCurveInItsColourThroughItsPoints) {
  FillLinear(d.m_rangeVsRange, 22100);
  for (int i = 0; i < 101; ++i) {
    d.m_handVsHand[i] = 22100 * i * i / 10000;  // below the diagonal
    d.m_handVsRange[i] = 22100 * i / 200;       // half way
  }
  d.m_showRangeVsRange = d.m_showHandVsHand = d.m_showHandVsRange = 1;
  d.DrawCurves(c.dc());
  for (int level : {10, 30, 70, 90}) {
    CPoint p = COwnerdrawedDiagramm::PointOf(level, d.m_rangeVsRange[level], 22100);
    EXPECT_EQ(ColorText(c.At(p.x, p.y)), ColorText(COwnerdrawedDiagramm::kRangeVsRangeColor)) << "level " << level;
    p = COwnerdrawedDiagramm::PointOf(level, d.m_handVsHand[level], 22100);
    EXPECT_EQ(ColorText(c.At(p.x, p.y)), ColorText(COwnerdrawedDiagramm::kHandVsHandColor)) << "level " << level;
    p = COwnerdrawedDiagramm::PointOf(level, d.m_handVsRange[level], 22100);
    EXPECT_EQ(ColorText(c.At(p.x, p.y)), ColorText(COwnerdrawedDiagramm::kHandVsRangeColor)) << "level " << level;
  }
  c.Save(L"controls_diagram_curves");
}

TEST_F(DiagramCurves, HiddenCurvesAreNotDrawn) {
  FillLinear(d.m_rangeVsRange, 22100);
  FillLinear(d.m_handVsHand, 22100);
  d.DrawCurves(c.dc());
  EXPECT_EQ(CountDiffering(c, base, CRect(0, 0, kWidth, kHeight)), 0);
}

TEST_F(DiagramCurves, StepsGoUpAtThePreviousXThenAcross) {
  FillLinear(d.m_rangeVsRange, 22100);
  d.m_showRangeVsRange = 1;
  d.m_smooth = 0;
  d.DrawCurves(c.dc());
  // Level 49 lies at (319, 257), level 50 at (313, 253): the corner of the step is (319, 253).
  const COLORREF blue = COwnerdrawedDiagramm::kRangeVsRangeColor;
  EXPECT_EQ(ColorText(c.At(319, 255)), ColorText(blue)) << "the riser";
  EXPECT_EQ(ColorText(c.At(319, 253)), ColorText(blue)) << "the corner";
  EXPECT_EQ(ColorText(c.At(316, 253)), ColorText(blue)) << "the tread";

  Canvas smooth(kWidth, kHeight, 0);
  d.DrawBackground(smooth.dc());
  d.m_smooth = 1;
  d.DrawCurves(smooth.dc());
  EXPECT_NE(ColorText(smooth.At(319, 253)), ColorText(blue)) << "a straight curve cuts the corner";
  c.Save(L"controls_diagram_steps");
}

TEST_F(DiagramCurves, AntialiasedCurvesBlendAndStayOnTheirPoints) {
  FillLinear(d.m_handVsHand, 22100);
  d.m_showHandVsHand = 1;
  Canvas plain(kWidth, kHeight, 0);
  d.DrawBackground(plain.dc());
  d.DrawCurves(plain.dc());
  d.m_antialiased = 1;
  d.DrawCurves(c.dc());
  const COLORREF red = COwnerdrawedDiagramm::kHandVsHandColor;
  const CRect plot(100, 100, 500, 400);
  auto blends = [&](Canvas& canvas) {
    int n = 0;
    for (int y = plot.top; y < plot.bottom; ++y)
      for (int x = plot.left; x < plot.right; ++x) {
        const COLORREF p = canvas.At(x, y);
        n += p != red && p != base.At(x, y);
      }
    return n;
  };
  EXPECT_EQ(blends(plain), 0) << "a pen draws only its colour";
  EXPECT_GT(blends(c), 100) << "smooth lines mix the colour with the background";
  for (int level : {20, 50, 80}) {
    const CPoint p = COwnerdrawedDiagramm::PointOf(level, d.m_handVsHand[level], 22100);
    EXPECT_EQ(ColorText(c.At(p.x, p.y + 1)), ColorText(red)) << "level " << level;
  }
  c.Save(L"controls_diagram_antialiased");
}

TEST_F(DiagramCurves, CurveWithoutTotalIsLeftOut) {
  FillLinear(d.m_rangeVsRange, 22100);
  FillLinear(d.m_handVsRange, 22100);
  d.m_totals[0] = 0;
  d.m_totals[2] = -5;
  d.m_showRangeVsRange = d.m_showHandVsRange = 1;
  d.DrawCurves(c.dc());
  d.m_antialiased = 1;
  d.DrawCurves(c.dc());
  EXPECT_EQ(CountDiffering(c, base, CRect(0, 0, kWidth, kHeight)), 0);
}

TEST(EquityDiagramWindow, PaintsInADialogAndSwallowsClicks) {
  ctltest::DialogTemplate t(L"Equity graph", 420, 340);
  t.Add(L"BUTTON", L"", BS_OWNERDRAW, 4, 4, 400, 300, 1200);
  COwnerdrawedDiagramm diagram;
  diagram.m_title = L"KsQsJhTh vs. AA";
  diagram.m_street = 1;
  FillLinear(diagram.m_rangeVsRange, 22100);
  for (int i = 0; i < 101; ++i) diagram.m_handVsHand[i] = 22100 * i * i / 10000;
  diagram.m_showRangeVsRange = diagram.m_showHandVsHand = 1;
  diagram.m_antialiased = 1;
  ctltest::HostDialog host;
  host.m_onInit = [&](ctltest::HostDialog& dlg) {
    diagram.SubclassDlgItem(1200, &dlg);
    diagram.MoveWindow(4, 4, kWidth, kHeight);
    CRect r(0, 0, kWidth + 8, kHeight + 8);
    ::AdjustWindowRectEx(&r, dlg.GetStyle(), FALSE, dlg.GetExStyle());
    dlg.SetWindowPos(nullptr, 0, 0, r.Width(), r.Height(), SWP_NOMOVE | SWP_NOZORDER);
  };
  ASSERT_TRUE(host.Open(t));
  gui::Image shot = ctltest::Capture(diagram.m_hWnd);
  ASSERT_EQ(shot.width, kWidth);
  EXPECT_FALSE(gui::SaveCapture(shot, L"controls_diagram_window").empty());
  // The curve of the dialog is the one the chart draws off screen.
  Canvas expected(kWidth, kHeight, 0);
  diagram.DrawBackground(expected.dc());
  diagram.DrawCurves(expected.dc());
  int differing = 0;
  CRect where(kWidth, kHeight, 0, 0);
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x)
      if (ctltest::PixelOf(shot, x, y) != expected.At(x, y)) {
        ++differing;
        where.UnionRect(where, CRect(x, y, x + 1, y + 1));
      }
  EXPECT_EQ(differing, 0) << "in " << where.left << "," << where.top << " - " << where.right << "," << where.bottom;

  ::PostMessageW(diagram.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(300, 200));
  ctltest::Pump(40);
  EXPECT_EQ(diagram.GetState() & BST_PUSHED, 0u) << "a press is swallowed";
  ::PostMessageW(diagram.m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(300, 200));
  ctltest::Pump(40);
  EXPECT_EQ(host.Count(1200, BN_CLICKED), 0);
  host.DestroyWindow();
}

}  // namespace
