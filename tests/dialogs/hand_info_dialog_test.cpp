// Hand versus hand as a user meets it: two hands picked by clicks, each hand's class facts as
// the class table holds them, the head-to-head equity against an exact enumeration of every
// board, a card of one hand refused in the other grid, the stored hands evaluated once after
// opening, and the equity tooltips.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "core/cards.h"
#include "core/cardtext.h"
#include "core/equity.h"
#include "dialogs/hand_info_dialog.h"
#include "hand_info_dialogs.h"
#include "hand_info_test_support.h"
#include "pokereval/pokereval.h"
#include "range_dialog_harness.h"

namespace {

COmahaVantornApp g_app;

constexpr wchar_t kSection[] = L"HandInfoDialog";
constexpr int kGrid1 = IDC_VS_HAND1_CARD_FIRST, kGrid2 = IDC_VS_HAND2_CARD_FIRST;

// Hand 1's exact share of the pot in percent over every board of five cards, with the spread of
// one deal's share.
struct Exact {
  double equity = 0, variance = 0;
};
Exact EnumeratePreflop(const std::wstring& text1, const std::wstring& text2, bool hiLo) {
  const pokereval::CardMask hand1 = ParseHandMask(text1), hand2 = ParseHandMask(text2);
  std::vector<pokereval::CardMask> free;
  for (int i = 0; i < 52; ++i)
    if (!(pokereval::cardMask(i) & (hand1 | hand2))) free.push_back(pokereval::cardMask(i));
  double sum = 0, squares = 0, deals = 0;
  const size_t n = free.size();
  for (size_t a = 0; a < n; ++a)
    for (size_t b = a + 1; b < n; ++b)
      for (size_t c = b + 1; c < n; ++c)
        for (size_t d = c + 1; d < n; ++d)
          for (size_t e = d + 1; e < n; ++e) {
            pokereval::OmahaBoard board;
            board.prepare(free[a] | free[b] | free[c] | free[d] | free[e]);
            pokereval::HandVal hi1 = 0, hi2 = 0;
            pokereval::LowHandVal lo1 = pokereval::kNoLow, lo2 = pokereval::kNoLow;
            if (hiLo) {
              board.evalHiLo(hand1, &hi1, &lo1);
              board.evalHiLo(hand2, &hi2, &lo2);
            } else {
              hi1 = board.evalHi(hand1);
              hi2 = board.evalHi(hand2);
            }
            const double high = hi1 > hi2 ? 1.0 : hi1 == hi2 ? 0.5 : 0.0;
            double share = 100.0 * high;
            if (hiLo && (lo1 != pokereval::kNoLow || lo2 != pokereval::kNoLow))
              share = 100.0 * (high + (lo1 < lo2 ? 1.0 : lo1 == lo2 ? 0.5 : 0.0)) / 2.0;
            sum += share;
            squares += share * share;
            deals += 1;
          }
  Exact exact;
  exact.equity = sum / deals;
  exact.variance = squares / deals - exact.equity * exact.equity;
  return exact;
}

// "52.34%" as a number; NaN for anything else.
double PercentValue(const std::wstring& text) {
  if (text.size() < 2 || text.back() != L'%') return std::numeric_limits<double>::quiet_NaN();
  return std::stod(text.substr(0, text.size() - 1));
}

class HandInfoDialogTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { rangetest::Environment::LoadTables(g_app); }

  // Opens the dialog and lets its start-up timer run.
  void Open() {
    Close();
    owned_ = std::make_unique<CHandInfoDialog>();
    ASSERT_TRUE(owned_->Create(IDD_HAND_INFO, nullptr));
    owned_->ShowWindow(SW_SHOW);
    owned_->UpdateWindow();
    gui::Pump(400);
  }
  void Close() {
    if (owned_ && owned_->GetSafeHwnd()) owned_->DestroyWindow();
  }
  void TearDown() override {
    Close();
    g_app.m_useHiLo = 0;
  }
  HWND Hwnd() const { return owned_->GetSafeHwnd(); }
  CHandInfoDialog& Dialog() { return *owned_; }
  std::wstring Text(int id) const { return handtest::Text(Hwnd(), id); }
  bool CardEnabled(int first, const wchar_t* card) const {
    return ::IsWindowEnabled(handtest::CardButton(Hwnd(), first, card)) != FALSE;
  }
  void Click(int id) { ::SendMessageW(::GetDlgItem(Hwnd(), id), BM_CLICK, 0, 0); }
  std::wstring Hand1() const { return std::wstring(owned_->GetHand1Text()); }
  std::wstring Hand2() const { return std::wstring(owned_->GetHand2Text()); }

  rangetest::Environment env_;
  std::unique_ptr<CHandInfoDialog> owned_;
};

TEST_F(HandInfoDialogTest, StoredHandsAreShownAndEvaluatedOnceAfterOpening) {
  env_.WriteIni(kSection, L"Hand1", L"AhKhQhJh");
  env_.WriteIni(kSection, L"Hand2", L"2c2d7s8s");
  owned_ = std::make_unique<CHandInfoDialog>();
  ASSERT_TRUE(owned_->Create(IDD_HAND_INFO, nullptr));
  owned_->ShowWindow(SW_SHOW);
  // Restored on the grids, not yet evaluated.
  EXPECT_EQ(Hand1(), L"AhKhQhJh");
  EXPECT_EQ(Hand2(), L"2d8s7s2c");
  EXPECT_FALSE(CardEnabled(kGrid2, L"Ah"));
  EXPECT_FALSE(CardEnabled(kGrid1, L"2c"));
  EXPECT_EQ(Dialog().m_simulationCount, 0);
  EXPECT_EQ(Text(1150), L"- / 16432");

  for (int waited = 0; waited < 20000 && Dialog().m_simulationCount == 0; waited += 100) gui::Pump(100);
  ASSERT_GT(Dialog().m_simulationCount, 0) << "the start-up timer";
  gui::Pump(300);
  EXPECT_EQ(Dialog().m_simulationCount, 1) << "once for both hands";
  handtest::ExpectFactsShown(Hwnd(), handtest::kHand1Ids, handtest::FactsOf(L"AhKhQhJh", false), L"hand 1");
  handtest::ExpectFactsShown(Hwnd(), handtest::kHand2Ids, handtest::FactsOf(L"2d8s7s2c", false), L"hand 2");
  const double equity1 = PercentValue(Text(IDC_VS_EQUITY1)), equity2 = PercentValue(Text(IDC_VS_EQUITY2));
  EXPECT_NEAR(equity1 + equity2, 100.0, 0.011);
  EXPECT_GT(equity1, 50.0);
  gui::SaveCapture(gui::CaptureWindow(Hwnd()), L"hand_info_restored");

  Close();
  EXPECT_EQ(env_.ReadIni(kSection, L"Hand1"), L"AhKhQhJh");
  EXPECT_EQ(env_.ReadIni(kSection, L"Hand2"), L"2d8s7s2c");

  // Values the dialog never writes select nothing.
  const struct {
    const wchar_t *hand1, *hand2, *want1, *want2;
  } bad[] = {{L"AhKhQhJ", L"2c2d7s8s9", L"", L""},
             {L"AhKhQhZz", L"2c2d2c8s", L"", L""},
             {L"AhKhQhJh", L"2c2d7sAh", L"AhKhQhJh", L""}};  // hand 2 shares a card with hand 1
  for (const auto& b : bad) {
    Close();  // the closing dialog writes its own values
    env_.WriteIni(kSection, L"Hand1", b.hand1);
    env_.WriteIni(kSection, L"Hand2", b.hand2);
    Open();
    EXPECT_EQ(Hand1(), b.want1);
    EXPECT_EQ(Hand2(), b.want2);
    EXPECT_EQ(Dialog().m_simulationCount, 0);
  }
}

TEST_F(HandInfoDialogTest, HeadToHeadEquityAgreesWithAnExactEnumeration) {
  const struct {
    const wchar_t *hand1, *hand2;
    int hiLo;
  } cases[] = {{L"AsAdKsKd", L"JhTh9c8c", 0}, {L"Ad2d3s4s", L"KhKcQhQc", 1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.hiLo ? "Hi/Lo" : "Hi");
    g_app.m_useHiLo = c.hiLo;
    Close();
    env_.WriteIni(kSection, L"Hand1", L"");
    env_.WriteIni(kSection, L"Hand2", L"");
    Open();
    handtest::ClickCards(Hwnd(), kGrid1, c.hand1);
    EXPECT_EQ(Dialog().m_simulationCount, 0) << "one hand";
    handtest::ClickCards(Hwnd(), kGrid2, c.hand2);
    EXPECT_EQ(Dialog().m_simulationCount, 1) << "both hands complete";
    handtest::ExpectFactsShown(Hwnd(), handtest::kHand1Ids, handtest::FactsOf(Hand1(), c.hiLo), Hand1());
    handtest::ExpectFactsShown(Hwnd(), handtest::kHand2Ids, handtest::FactsOf(Hand2(), c.hiLo), Hand2());

    const Exact exact = EnumeratePreflop(c.hand1, c.hand2, c.hiLo != 0);
    const double shown = PercentValue(Text(IDC_VS_EQUITY1));
    // Five standard errors of the 300,000 deals, and the display's rounding.
    const double tolerance = 5.0 * std::sqrt(exact.variance / CHandInfoDialog::kTrials) + 0.005;
    EXPECT_NEAR(shown, exact.equity, tolerance);
    EXPECT_NEAR(PercentValue(Text(IDC_VS_EQUITY2)), 100.0 - shown, 0.011);
    if (c.hiLo) gui::SaveCapture(gui::CaptureWindow(Hwnd()), L"hand_info_hilo");
  }
}

TEST_F(HandInfoDialogTest, ACardOfOneHandCannotBePickedForTheOther) {
  Open();
  handtest::ClickCards(Hwnd(), kGrid1, L"AhKh");
  EXPECT_FALSE(CardEnabled(kGrid2, L"Ah"));
  handtest::ClickCards(Hwnd(), kGrid2, L"Ah");
  // A click that reaches the disabled card anyway takes nothing.
  ::SendMessageW(Hwnd(), WM_COMMAND, MAKEWPARAM(kGrid2 + 13 * 1 + 0, BN_CLICKED), 0);
  EXPECT_EQ(Hand2(), L"");
  handtest::ClickCards(Hwnd(), kGrid1, L"QhJhTh");
  EXPECT_EQ(Hand1(), L"AhKhQhJh") << "a fifth card";
  EXPECT_TRUE(CardEnabled(kGrid2, L"Th"));
  handtest::ClickCards(Hwnd(), kGrid2, L"ThTd9c9s");
  EXPECT_EQ(Hand2(), L"TdTh9s9c");
  EXPECT_FALSE(CardEnabled(kGrid1, L"Td"));
  ASSERT_EQ(Dialog().m_simulationCount, 1);
  const std::wstring equity = Text(IDC_VS_EQUITY1);
  ASSERT_FALSE(equity.empty());

  // Taking a card back frees it in the other grid and empties that hand's facts, but the
  // equities stay until a reset.
  handtest::ClickCards(Hwnd(), kGrid1, L"Kh");
  EXPECT_TRUE(CardEnabled(kGrid2, L"Kh"));
  handtest::ExpectFactsShown(Hwnd(), handtest::kHand1Ids, handtest::FactsOf(L"", false), L"three cards");
  EXPECT_EQ(Text(IDC_VS_EQUITY1), equity);
  EXPECT_EQ(Dialog().m_simulationCount, 1);

  // The reset of hand 1 frees every card of the other grid and empties both equities.
  Click(IDC_INFO_RESET_HAND);
  EXPECT_EQ(Hand1(), L"");
  EXPECT_EQ(Hand2(), L"TdTh9s9c") << "hand 2 stays";
  for (const wchar_t* card : {L"Ah", L"Qh", L"Jh", L"2c"}) EXPECT_TRUE(CardEnabled(kGrid2, card));
  EXPECT_FALSE(CardEnabled(kGrid1, L"Td")) << "still held by hand 2";
  EXPECT_EQ(Text(IDC_VS_EQUITY1), L"");
  EXPECT_EQ(Text(IDC_VS_EQUITY2), L"");
  handtest::ExpectFactsShown(Hwnd(), handtest::kHand2Ids, handtest::FactsOf(L"TdTh9s9c", false), L"hand 2 kept");
}

TEST_F(HandInfoDialogTest, ProgressShowsInterimValuesAndIgnoresTheRest) {
  Open();
  double values[kMaxSeats] = {61.5, 38.5};
  EXPECT_EQ(CHandInfoDialog::ShowEquityProgress(&Dialog(), 0, values, 1, nullptr, 0, nullptr, 0, nullptr, 0), 1);
  EXPECT_EQ(Text(IDC_VS_EQUITY1), L"61.50%");
  EXPECT_EQ(Text(IDC_VS_EQUITY2), L"38.50%");
  for (double bad : {-1.0, std::numeric_limits<double>::quiet_NaN()}) {
    values[0] = bad;
    EXPECT_EQ(CHandInfoDialog::ShowEquityProgress(&Dialog(), 0, values, 1, nullptr, 0, nullptr, 0, nullptr, 0), 1);
  }
  values[0] = 10.0;
  EXPECT_EQ(CHandInfoDialog::ShowEquityProgress(&Dialog(), 1, values, 1, nullptr, 0, nullptr, 0, nullptr, 0), 1);
  EXPECT_EQ(CHandInfoDialog::ShowEquityProgress(nullptr, 0, values, 1, nullptr, 0, nullptr, 0, nullptr, 0), 1);
  EXPECT_EQ(CHandInfoDialog::ShowEquityProgress(&Dialog(), 0, nullptr, 1, nullptr, 0, nullptr, 0, nullptr, 0), 1);
  EXPECT_EQ(Text(IDC_VS_EQUITY1), L"61.50%") << "unchanged";
}

TEST_F(HandInfoDialogTest, EquityTooltipsBelongToTheirHand) {
  Open();
  handtest::ClickCards(Hwnd(), kGrid1, L"AhKhQh");
  handtest::ClickCards(Hwnd(), kGrid2, L"9s8s7d6d");
  for (int id : {1210, 1218, 1225, 1233})
    EXPECT_EQ(Dialog().m_tooltip.ToolCount(::GetDlgItem(Hwnd(), id)), 1u) << "a tool of the tooltip: " << id;
  EXPECT_EQ(std::wstring(Dialog().TooltipTextFor(1210)), L"") << "hand 1 incomplete";
  EXPECT_EQ(handtest::TipShowing(Hwnd(), Dialog().m_tooltip, 1210), L"kept");
  EXPECT_EQ(handtest::TipShowing(Hwnd(), Dialog().m_tooltip, 1225), std::wstring(Dialog().TooltipTextFor(1225)));
  EXPECT_EQ(std::wstring(Dialog().TooltipTextFor(1281)), L"") << "not a class field";
  const std::wstring tip(Dialog().TooltipTextFor(1225));
  const std::wstring cards =
      FormatCardBitmapTag(0, 7) + FormatCardBitmapTag(0, 8) + FormatCardBitmapTag(2, 5) + FormatCardBitmapTag(2, 6);
  EXPECT_EQ(Hand2(), L"7d6d9s8s");
  EXPECT_NE(tip.find(L"&nbsp;" + cards + L"&nbsp;"), std::wstring::npos) << tip;
  const HandClassRecord* record = g_app.m_handBase.FindClassRecord(L"7d6d9s8s");
  ASSERT_NE(record, nullptr);
  const std::wstring win = handtest::Printf(L"%.2f%%", record->stats[kStatWin][0] / 100.0);
  EXPECT_NE(tip.find(L"&nbsp;" + win + L"&nbsp;"), std::wstring::npos) << tip;
}

}  // namespace
