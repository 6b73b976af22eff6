// The range slider in a live window: geometry from painting, dragging either thumb or the bar
// with the mouse, the arrow keys, NormalizeRange, and empty or too narrow sliders.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "controls/range_slider.h"
#include "gui_harness.h"
#include "live_input.h"

namespace {

constexpr UINT kSliderId = 1200;

struct Notification {
  WPARAM what;
  double left;
  double right;
};

// A top-level window that hosts the slider and records its notifications.
class SliderHost : public CWnd {
 public:
  BOOL CreateHost(int sliderWidth, int sliderHeight) {
    if (!CreateEx(0, AfxRegisterWndClass(0, ::LoadCursorW(nullptr, IDC_ARROW), ::GetSysColorBrush(COLOR_BTNFACE)),
                  L"Range slider", WS_POPUP | WS_CAPTION | WS_VISIBLE, 100, 100, sliderWidth + 60, sliderHeight + 80,
                  nullptr, nullptr))
      return FALSE;
    return slider.Create(nullptr, L"", WS_CHILD | WS_VISIBLE, CRect(20, 20, 20 + sliderWidth, 20 + sliderHeight), this,
                         kSliderId);
  }

  LRESULT OnRangeChanged(WPARAM what, LPARAM) {
    log.push_back({what, slider.m_left, slider.m_right});
    return 0;
  }

  CRangeSlider slider;
  std::vector<Notification> log;

  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(SliderHost, CWnd)
  ON_REGISTERED_MESSAGE(g_rangeChangedMsg, &SliderHost::OnRangeChanged)
END_MESSAGE_MAP()

class RangeSliderTest : public ::testing::Test {
 protected:
  void Open(int width = 220, int height = 20) {
    ASSERT_TRUE(host.CreateHost(width, height));
    live::BringToFront(host.m_hWnd);
    SetRange(0, 100, 0, 0);
  }
  void TearDown() override {
    if (host.m_hWnd) host.DestroyWindow();
    live::Pump(50);
  }
  // Writes the doubles as the owner does and repaints, which lays the thumbs out.
  void SetRange(double min, double max, double left, double right) {
    CRangeSlider& s = host.slider;
    s.m_min = min;
    s.m_max = max;
    s.m_left = left;
    s.m_right = right;
    s.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    host.log.clear();
  }
  CRangeSlider& slider() { return host.slider; }
  POINT LowerCentre() { return slider().m_lowerThumb.CenterPoint(); }
  POINT UpperCentre() { return slider().m_upperThumb.CenterPoint(); }

  SliderHost host;
};

TEST_F(RangeSliderTest, PaintingLaysOutThumbsByValue) {
  Open();
  SetRange(0, 100, 25, 75);
  EXPECT_EQ(slider().m_pixelRange, 200);
  // The lower edge of 25 % lies at pixel 50, the upper edge of 75 % at 150.
  EXPECT_EQ(slider().m_lowerThumb, CRect(51, 1, 60, 19));
  EXPECT_EQ(slider().m_upperThumb, CRect(160, 1, 169, 19));

  const gui::Image image = gui::CaptureWindow(slider().m_hWnd);
  ASSERT_FALSE(image.Empty());
  gui::SaveCapture(gui::CaptureWindow(host.m_hWnd), L"range_slider_25_75");
  auto rgb = [&](int x, int y) { return image.At(x, y) & 0xFFFFFF; };
  EXPECT_EQ(rgb(20, 10), 0xE6EFF7u);   // background left of the lower thumb
  EXPECT_EQ(rgb(56, 5), 0x0063C8u);    // inside the lower thumb
  EXPECT_EQ(rgb(110, 10), 0x6EB6FFu);  // the bar
  EXPECT_EQ(rgb(163, 5), 0x0063C8u);   // inside the upper thumb
  EXPECT_EQ(rgb(0, 10), 0x7F9DB9u);    // frame
}

TEST_F(RangeSliderTest, DraggingTheLowerThumbPastTheUpperPushesItAlong) {
  Open();
  SetRange(0, 100, 25, 40);
  const POINT from = LowerCentre();
  live::Drag(slider().m_hWnd, from, POINT{from.x + 100, from.y});
  ASSERT_FALSE(host.log.empty());
  for (const auto& n : host.log) EXPECT_EQ(n.what, 0u);
  EXPECT_NEAR(slider().m_left, 75.0, 0.51);
  EXPECT_DOUBLE_EQ(slider().m_right, slider().m_left);
  EXPECT_EQ(::GetCapture(), nullptr);
  EXPECT_EQ(::GetFocus(), slider().m_hWnd);
}

TEST_F(RangeSliderTest, DraggingTheUpperThumbBelowTheLowerPullsItDown) {
  Open();
  SetRange(0, 100, 50, 60);
  const POINT from = UpperCentre();
  live::Drag(slider().m_hWnd, from, POINT{from.x - 100, from.y});
  ASSERT_FALSE(host.log.empty());
  EXPECT_EQ(host.log.back().what, 1u);
  EXPECT_NEAR(slider().m_right, 10.0, 0.51);
  EXPECT_DOUBLE_EQ(slider().m_left, slider().m_right);
}

TEST_F(RangeSliderTest, AnUpperMoveThatChangesNothingReportsZero) {
  Open();
  SetRange(0, 100, 20, 60);
  const POINT from = UpperCentre();
  live::MoveTo(slider().m_hWnd, from);
  live::ButtonDown();
  live::MoveTo(slider().m_hWnd, POINT{from.x + 150, from.y});  // clamps at 100
  live::MoveTo(slider().m_hWnd, POINT{from.x + 160, from.y});  // still 100
  live::ButtonUp();
  ASSERT_GE(host.log.size(), 2u);
  EXPECT_EQ(host.log[host.log.size() - 2].what, 1u);
  EXPECT_EQ(host.log.back().what, 0u);
  EXPECT_DOUBLE_EQ(slider().m_right, 100.0);
}

TEST_F(RangeSliderTest, DraggingTheBarKeepsItsWidthAgainstEitherEnd) {
  Open();
  SetRange(0, 100, 40, 60);
  POINT bar = {(slider().m_lowerThumb.right + slider().m_upperThumb.left) / 2, 10};
  live::Drag(slider().m_hWnd, bar, POINT{bar.x - 150, bar.y});
  ASSERT_FALSE(host.log.empty());
  EXPECT_EQ(host.log.back().what, 2u);
  EXPECT_DOUBLE_EQ(slider().m_left, 0.0);
  EXPECT_DOUBLE_EQ(slider().m_right, 20.0);

  host.log.clear();
  bar = {(slider().m_lowerThumb.right + slider().m_upperThumb.left) / 2, 10};
  live::Drag(slider().m_hWnd, bar, POINT{bar.x + 250, bar.y});
  EXPECT_DOUBLE_EQ(slider().m_right, 100.0);
  EXPECT_DOUBLE_EQ(slider().m_left, 80.0);
}

TEST_F(RangeSliderTest, ArrowKeysMoveByOnePixel) {
  Open();
  SetRange(0, 100, 20, 30);
  live::Click(slider().m_hWnd, POINT{5, 10});  // focus, outside the thumbs and the bar
  ASSERT_EQ(::GetFocus(), slider().m_hWnd);
  host.log.clear();

  live::Key(VK_RIGHT);  // the whole range, one pixel = 0.5
  EXPECT_DOUBLE_EQ(slider().m_left, 20.5);
  EXPECT_DOUBLE_EQ(slider().m_right, 30.5);
  live::Key(VK_LEFT, {VK_SHIFT});  // only the upper edge
  EXPECT_DOUBLE_EQ(slider().m_left, 20.5);
  EXPECT_DOUBLE_EQ(slider().m_right, 30.0);
  ASSERT_EQ(host.log.size(), 2u);
  EXPECT_EQ(host.log[0].what, 2u);
  EXPECT_EQ(host.log[1].what, 0u);

  host.log.clear();
  live::Key(VK_LEFT, {VK_CONTROL});
  live::Key(VK_UP);
  live::Key(VK_DOWN);
  EXPECT_TRUE(host.log.empty());
  EXPECT_DOUBLE_EQ(slider().m_left, 20.5);
  EXPECT_DOUBLE_EQ(slider().m_right, 30.0);
}

TEST_F(RangeSliderTest, ShiftLeftNeverPutsTheUpperEdgeBelowTheLower) {
  Open();
  SetRange(0, 100, 40, 40);
  live::Click(slider().m_hWnd, POINT{5, 10});
  host.log.clear();
  live::Key(VK_LEFT, {VK_SHIFT});
  EXPECT_DOUBLE_EQ(slider().m_left, 40.0);
  EXPECT_DOUBLE_EQ(slider().m_right, 40.0);
}

TEST_F(RangeSliderTest, KeysStopAtTheEnds) {
  Open();
  SetRange(0, 100, 0, 10);
  live::Click(slider().m_hWnd, POINT{195, 10});
  live::Key(VK_LEFT);
  EXPECT_DOUBLE_EQ(slider().m_left, 0.0);
  EXPECT_DOUBLE_EQ(slider().m_right, 10.0);
}

TEST_F(RangeSliderTest, EmptyIntervalAndNarrowSliderStayFinite) {
  struct Case {
    int width;
    double min, max;
  } cases[] = {{220, 50, 50}, {15, 0, 100}, {20, 0, 100}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "width " << c.width << " interval " << c.min << ".." << c.max);
    SliderHost local;
    ASSERT_TRUE(local.CreateHost(c.width, 20));
    live::BringToFront(local.m_hWnd);
    CRangeSlider& s = local.slider;
    s.m_min = c.min;
    s.m_max = c.max;
    s.m_left = c.min;
    s.m_right = c.max;
    s.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    live::Drag(s.m_hWnd, POINT{3, 10}, POINT{c.width + 30, 10});
    live::Click(s.m_hWnd, POINT{3, 10});
    live::Key(VK_RIGHT);
    live::Key(VK_LEFT, {VK_SHIFT});
    EXPECT_TRUE(std::isfinite(s.m_left));
    EXPECT_TRUE(std::isfinite(s.m_right));
    EXPECT_GE(s.m_left, c.min);
    EXPECT_LE(s.m_right, c.max);
    EXPECT_LE(s.m_left, s.m_right);
    local.DestroyWindow();
  }
}

TEST_F(RangeSliderTest, NormalizeRangeClampsAndReportsEachMove) {
  Open();
  struct Case {
    double left, right;
    double wantLeft, wantRight;
    std::vector<WPARAM> reports;
  } cases[] = {
      {-5, 50, 0, 50, {0}},
      {-20, -10, 0, 0, {0, 1}},
      {150, 160, 100, 100, {1, 0}},
      {20, 130, 20, 100, {1}},
      {10, 90, 10, 90, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.left << ".." << c.right);
    host.log.clear();
    slider().m_min = 0;
    slider().m_max = 100;
    slider().m_left = c.left;
    slider().m_right = c.right;
    slider().NormalizeRange();
    EXPECT_DOUBLE_EQ(slider().m_left, c.wantLeft);
    EXPECT_DOUBLE_EQ(slider().m_right, c.wantRight);
    std::vector<WPARAM> got;
    for (const auto& n : host.log) got.push_back(n.what);
    EXPECT_EQ(got, c.reports);
  }
}

TEST(RangeSliderClass, RegisteredMessageAndWindowClass) {
  EXPECT_EQ(g_rangeChangedMsg,
            ::RegisterWindowMessageW(L"RANGE_CHANGED{2E7439A4-12DB-42a2-BB95-3462B3EC39CE}CRangeSlider"));
  EXPECT_GE(g_rangeChangedMsg, 0xC000u);
  CRangeSlider slider;
  WNDCLASSW wc = {};
  ASSERT_TRUE(::GetClassInfoW(AfxGetInstanceHandle(), kRangeSliderClass, &wc));
  EXPECT_EQ(wc.style, static_cast<UINT>(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW));
  EXPECT_EQ(wc.hbrBackground, nullptr);

  // Created with its own class, it is bound to the object like any framework window.
  CWnd parent;
  ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), L"p", WS_POPUP, 0, 0, 100, 50, nullptr, nullptr));
  ASSERT_TRUE(slider.Create(kRangeSliderClass, L"", WS_CHILD | WS_VISIBLE, CRect(0, 0, 80, 20), &parent, 5));
  EXPECT_EQ(CWnd::FromHandlePermanent(slider.m_hWnd), &slider);
  EXPECT_EQ(slider.SendMessage(WM_GETDLGCODE), static_cast<LRESULT>(DLGC_WANTARROWS));
  parent.DestroyWindow();
}

}  // namespace
