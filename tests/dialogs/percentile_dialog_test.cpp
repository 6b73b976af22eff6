// The percentile dialog driven through its controls: the item text for typed bounds and
// rankings against the range language's counts, bounds that push each other, the spins at
// their ends, the slider, and the placement at the seat's launcher.
#include <gtest/gtest.h>

#include <string>

#include "dialogs/percentile_dialog.h"
#include "dialogs/range_dialog_support.h"
#include "range_dialog_harness.h"
#include "range_dialogs.h"

namespace {

COmahaVantornApp g_app;

class PercentileDialogTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { rangetest::Environment::LoadTables(g_app); }
  void SetUp() override {
    dialog_.m_seat = 6;
    ASSERT_TRUE(dialog_.Create(IDD_PERCENTILE, nullptr));
    dialog_.ShowWindow(SW_SHOW);
    dialog_.UpdateWindow();
  }
  void TearDown() override {
    if (dialog_.GetSafeHwnd()) dialog_.DestroyWindow();
  }
  HWND Hwnd() const { return dialog_.GetSafeHwnd(); }
  std::wstring From() const { return rangetest::Text(Hwnd(), IDC_PERCENTILE_FROM); }
  std::wstring To() const { return rangetest::Text(Hwnd(), IDC_PERCENTILE_TO); }
  // The item, the counts and the summary agree with the range language.
  void ExpectText(const std::wstring& text) {
    EXPECT_EQ(std::wstring(dialog_.m_rangeText), text);
    EXPECT_EQ(rangetest::Text(Hwnd(), IDC_RANGE_DESCRIPTION), text);
    const rangetest::Counts counts = rangetest::CoreCounts(text);
    EXPECT_EQ(dialog_.m_classCount, counts.classes) << text;
    EXPECT_EQ(dialog_.m_handCount, counts.hands) << text;
    EXPECT_EQ(rangetest::Text(Hwnd(), IDC_RANGE_SUMMARY), rangetest::CoreSummary(text));
    EXPECT_EQ(rangetest::Enabled(Hwnd(), IDOK), counts.classes > 0 || counts.hands > 0) << text;
    EXPECT_EQ(rangetest::Enabled(Hwnd(), IDC_RANGE_EXPLORER), counts.hands > 0) << text;
  }

  rangetest::Environment env_;
  CPercentileDialog dialog_;
};

TEST_F(PercentileDialogTest, OpensEmptyAndBuildsTheItemOfTypedBoundsAndRankings) {
  EXPECT_EQ(rangetest::WindowCaption(Hwnd()), L"Percentile selection (CO)");
  EXPECT_EQ(From(), L"0.0");
  EXPECT_EQ(To(), L"0.0");
  ExpectText(L"");
  EXPECT_FALSE(rangetest::Enabled(Hwnd(), IDOK));
  EXPECT_EQ(dialog_.m_classCount, 0);

  const struct {
    const wchar_t *from, *to;
    int ranking;
    const wchar_t* text;
  } cases[] = {
      {L"0.0", L"10.0", 0, L"10.0%:1"},       {L"2.5", L"10.0", 0, L"2.5-10.0%:1"},
      {L"2.5", L"10.0", 9, L"2.5-10.0%"},     {L"0", L"33", 4, L"33%:5"},
      {L"50", L"100", 8, L"50-100%:9"},       {L"0.0", L"0.0", 2, L""},
      {L"1.5", L"2", 1, L"1.5-2%:2"},
  };
  for (const auto& c : cases) {
    rangetest::Choose(Hwnd(), IDC_PERCENTILE_ORDER, c.ranking);
    rangetest::Type(Hwnd(), IDC_PERCENTILE_TO, c.to);
    rangetest::Type(Hwnd(), IDC_PERCENTILE_FROM, c.from);
    SCOPED_TRACE(c.text);
    ExpectText(c.text);
  }
  rangetest::Choose(Hwnd(), IDC_PERCENTILE_ORDER, 0);
  rangetest::Type(Hwnd(), IDC_PERCENTILE_TO, L"10.0");
  rangetest::Type(Hwnd(), IDC_PERCENTILE_FROM, L"2.5");
  EXPECT_GT(dialog_.m_classCount, 0);
  gui::SaveCapture(gui::CaptureWindow(Hwnd()), L"percentile_dialog");
}

TEST_F(PercentileDialogTest, BoundsPushEachOtherAndTheSliderFollows) {
  rangetest::Type(Hwnd(), IDC_PERCENTILE_TO, L"10");
  rangetest::Type(Hwnd(), IDC_PERCENTILE_FROM, L"30");
  EXPECT_EQ(To(), L"30.0") << "a lower bound above the upper raises it";
  ExpectText(L"30-30.0%:1");
  rangetest::Type(Hwnd(), IDC_PERCENTILE_TO, L"5");
  EXPECT_EQ(From(), L"5.0") << "an upper bound below the lower lowers it";
  ExpectText(L"5.0-5%:1");
  EXPECT_DOUBLE_EQ(dialog_.m_slider->m_left, 5.0);
  EXPECT_DOUBLE_EQ(dialog_.m_slider->m_right, 5.0);
  // Typed bounds outside 0..100 reach the text as typed and select nothing.
  rangetest::Type(Hwnd(), IDC_PERCENTILE_FROM, L"0");
  rangetest::Type(Hwnd(), IDC_PERCENTILE_TO, L"150");
  ExpectText(L"150%:1");
  EXPECT_EQ(dialog_.m_handCount, 0);
  EXPECT_FALSE(rangetest::Enabled(Hwnd(), IDOK));
  EXPECT_DOUBLE_EQ(dialog_.m_slider->m_right, 100.0);
}

TEST_F(PercentileDialogTest, SpinsStepByATenthAndStopAtTheEnds) {
  rangetest::Spin(Hwnd(), IDC_PERCENTILE_FROM_SPIN, false);
  EXPECT_EQ(From(), L"0.0") << "down at 0.0 stays";
  rangetest::Spin(Hwnd(), IDC_PERCENTILE_FROM_SPIN, true);
  EXPECT_EQ(From(), L"0.1");
  EXPECT_EQ(To(), L"0.1") << "the upper bound follows the lower";
  ExpectText(L"0.1-0.1%:1");
  for (int i = 0; i < 3; ++i) rangetest::Spin(Hwnd(), IDC_PERCENTILE_TO_SPIN, true);
  EXPECT_EQ(To(), L"0.4");
  ExpectText(L"0.1-0.4%:1");
  rangetest::Type(Hwnd(), IDC_PERCENTILE_FROM, L"100");
  rangetest::Spin(Hwnd(), IDC_PERCENTILE_FROM_SPIN, true);
  EXPECT_EQ(From(), L"100.0") << "up at 100.0 stays";
  EXPECT_EQ(To(), L"100.0");
}

TEST_F(PercentileDialogTest, TheSliderSetsBothEditsOnce) {
  // The keyboard moves the slider's edges by its own steps; the edits show where they are.
  HWND slider = ::GetDlgItem(Hwnd(), IDC_PERCENTILE_SLIDER);
  ASSERT_NE(slider, nullptr);
  ::SetFocus(slider);
  for (int i = 0; i < 5; ++i) ::SendMessageW(slider, WM_KEYDOWN, VK_RIGHT, 0);
  ::SendMessageW(slider, WM_KEYDOWN, VK_RIGHT, 0);
  const double left = dialog_.m_slider->m_left, right = dialog_.m_slider->m_right;
  EXPECT_GT(right, 0.0);
  CString from, to;
  from.Format(L"%0.1lf", left);
  to.Format(L"%0.1lf", right);
  EXPECT_EQ(From(), std::wstring(from));
  EXPECT_EQ(To(), std::wstring(to));
  ExpectText(CPercentileDialog::BuildItemText(from, to, 0).GetString());
  EXPECT_EQ(CPercentileDialog::s_updatingEdits, 0);
}

TEST(PercentilePlacement, AnchoredNearTheCornerEndsOnePixelPastTheWorkArea) {
  const RECT area = {0, 0, 1024, 738};
  const struct {
    int x, y;
    bool above;
    POINT at;
  } cases[] = {{100, 100, false, {100, 100}},   {1000, 700, false, {1024 - 300 + 1, 738 - 200 + 1}},
               {100, 100, true, {100, 0}},      {100, 500, true, {100, 300}},
               {900, 50, true, {1024 - 300 + 1, 0}}};
  for (const auto& c : cases) {
    const POINT at = PlaceAtAnchor(area, 300, 200, c.x, c.y, c.above);
    EXPECT_EQ(at.x, c.at.x) << c.x << "," << c.y;
    EXPECT_EQ(at.y, c.at.y) << c.x << "," << c.y;
  }
}

}  // namespace
