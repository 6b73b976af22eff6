// The flop outs counter as a user meets it: cards picked by clicks on the grids, the class
// facts of the class table, the flop's made hand and outs as the core's classifier and outs
// listings give them, marking the outs, the grids' rules, the stored hand and flop, the
// straight draw report and the equity tooltips.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "core/cardtext.h"
#include "core/classify_flop.h"
#include "core/outs_turn.h"
#include "dialogs/hand_info_streets_dialog.h"
#include "hand_info_dialogs.h"
#include "hand_info_test_support.h"
#include "range_dialog_harness.h"

namespace {

COmahaVantornApp g_app;

constexpr wchar_t kSection[] = L"HandInfoStreetsDialog";
constexpr int kHand = IDC_STREETS_HAND_CARD_FIRST, kFlop = IDC_STREETS_FLOP_CARD_FIRST;
constexpr int kMarkButtons[4] = {IDC_STREETS_MARK_STRAIGHT, IDC_STREETS_MARK_NUT_STRAIGHT, IDC_STREETS_MARK_FLUSH,
                                 IDC_STREETS_MARK_NUT_FLUSH};

// The report page is kept instead of shown.
class ReportKeepingDialog : public CHandInfoStreetsDialog {
 public:
  CString m_reportPage;
  CPoint m_reportAnchor{-1, -1};
  int m_reports = 0;

 protected:
  void ShowReportPage(const CString& pageText, CPoint anchor) override {
    m_reportPage = pageText;
    m_reportAnchor = anchor;
    ++m_reports;
  }
};

class HandInfoStreetsTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { rangetest::Environment::LoadTables(g_app); }

  // A hidden dialog works the same but paints nothing: long tables run faster.
  void Open(bool show = true) {
    Close();
    owned_ = std::make_unique<ReportKeepingDialog>();
    ASSERT_TRUE(owned_->Create(IDD_HAND_INFO_STREETS, nullptr));
    if (!show) return;
    owned_->ShowWindow(SW_SHOW);
    owned_->UpdateWindow();
  }
  void Close() {
    if (owned_ && owned_->GetSafeHwnd()) owned_->DestroyWindow();
  }
  void TearDown() override {
    Close();
    g_app.m_useHiLo = 0;
  }
  HWND Hwnd() const { return owned_->GetSafeHwnd(); }
  ReportKeepingDialog& Dialog() { return *owned_; }
  std::wstring Text(int id) const { return handtest::Text(Hwnd(), id); }
  bool Enabled(int id) const { return ::IsWindowEnabled(::GetDlgItem(Hwnd(), id)) != FALSE; }
  bool CardEnabled(int first, const wchar_t* card) const {
    return ::IsWindowEnabled(handtest::CardButton(Hwnd(), first, card)) != FALSE;
  }
  void Click(int id) { ::SendMessageW(::GetDlgItem(Hwnd(), id), BM_CLICK, 0, 0); }
  // The flop grid's marked cards, in the order of an outs text (ranks from the ace, suits d h s c).
  std::wstring MarkedFlopCards() {
    std::wstring marked;
    for (int rank = 0; rank < 13; ++rank)
      for (int suit = 0; suit < 4; ++suit)
        if (const COwnerDrawOneCardButton* button = Dialog().m_flopGrid.Button(rank, suit); button && button->m_marked)
          marked += FormatCard(rank, suit, 0);
    return marked;
  }

  rangetest::Environment env_;
  std::unique_ptr<ReportKeepingDialog> owned_;
};

TEST_F(HandInfoStreetsTest, ClickedHandShowsItsClassFactsInBothGames) {
  for (int hiLo : {0, 1}) {
    g_app.m_useHiLo = hiLo;
    Close();
    env_.WriteIni(kSection, L"Hand", L"");
    Open();
    handtest::ExpectFactsShown(Hwnd(), handtest::kHand1Ids, handtest::FactsOf(L"", hiLo), L"no hand yet");
    EXPECT_FALSE(Enabled(IDC_STREETS_REPORT));
    // Clicked out of order; the hand reads by suit, then from the ace down.
    handtest::ClickCards(Hwnd(), kHand, L"JhQh2cAd");
    EXPECT_EQ(std::wstring(Dialog().GetHandText()), L"AdQhJh2c");
    handtest::ExpectFactsShown(Hwnd(), handtest::kHand1Ids, handtest::FactsOf(L"AdQhJh2c", hiLo), L"AdQhJh2c");
    EXPECT_NE(Text(1270), L"");
    EXPECT_TRUE(Enabled(IDC_STREETS_REPORT));
    // No flop: nothing is made, no outs are counted and there is nothing to mark.
    EXPECT_EQ(Text(IDC_STREETS_FLOP_STRENGTH), L"");
    for (int id = IDC_STREETS_STRAIGHT_OUTS; id <= IDC_STREETS_NUT_FLUSH_OUTS; ++id) EXPECT_EQ(Text(id), L"");
    for (int id : kMarkButtons) EXPECT_FALSE(Enabled(id));
    // Taking a card back empties the facts again.
    handtest::ClickCards(Hwnd(), kHand, L"2c");
    handtest::ExpectFactsShown(Hwnd(), handtest::kHand1Ids, handtest::FactsOf(L"", hiLo), L"three cards");
    EXPECT_FALSE(Enabled(IDC_STREETS_REPORT));
    if (!hiLo) {
      handtest::ClickCards(Hwnd(), kHand, L"Kh");
      gui::Pump(100);
      gui::SaveCapture(gui::CaptureWindow(Hwnd()), L"hand_info_streets_preflop");
    }
  }
}

struct FlopCase {
  const wchar_t* hand;
  const wchar_t* flop;
};
// Wraps, made straights (nut and not), flush draws (nut and not), a made flush, sets, two
// pairs and nothing, and incomplete flops.
const FlopCase kFlopCases[] = {
    {L"AhKhQhJh", L"Th9c2d"}, {L"AsKs7d6d", L"Qs8s2c"}, {L"AsKsQsJs", L"9s5s2s"}, {L"KdKcQhQs", L"Kh7d2c"},
    {L"JcTc9d8d", L"Qc7h2c"}, {L"6d5d4h3h", L"7c8s2d"}, {L"KhQd7s6c", L"Ts9d8h"}, {L"8c7c6d5d", L"4h9sKc"},
    {L"AhKd", L"Qc"},         {L"2h3d4s5c", L"6h7h8h"}, {L"JhTd5c4c", L"Qs9d8h"},
};

TEST_F(HandInfoStreetsTest, FlopTextsEqualWhatTheCoreClassifierAndOutsListingsGive) {
  Open(false);
  int listedStraights = 0, madeStraights = 0, noFlushOuts = 0, markedAny = 0;
  for (const FlopCase& c : kFlopCases) {
    SCOPED_TRACE(std::string(c.hand, c.hand + std::wcslen(c.hand)) + " on " + std::string(c.flop, c.flop + std::wcslen(c.flop)));
    Click(IDC_INFO_RESET_HAND);
    Click(IDC_STREETS_RESET_FLOP);
    handtest::ClickCards(Hwnd(), kHand, c.hand);
    handtest::ClickCards(Hwnd(), kFlop, c.flop);
    // The core reads the grids' texts, which are in grid order.
    const std::wstring hand(Dialog().GetHandText()), flop(Dialog().GetFlopText());
    EXPECT_EQ(hand.size(), std::wcslen(c.hand));
    EXPECT_EQ(flop.size(), std::wcslen(c.flop));

    EXPECT_EQ(Text(IDC_STREETS_FLOP_STRENGTH), DescribeFlopHand(hand, flop));
    std::wstring straight, nutStraight, flush, nutFlush;
    const int straightResult = ListStraightOuts(hand, flop, straight, nutStraight);
    const int flushResult = ListFlushOuts(hand, flop, flush, nutFlush);
    if (straightResult == kStraightOutsListed) {
      ++listedStraights;
      EXPECT_EQ(Text(IDC_STREETS_STRAIGHT_OUTS), std::to_wstring(straight.size() / 2));
      EXPECT_EQ(Text(IDC_STREETS_NUT_STRAIGHT_OUTS), std::to_wstring(nutStraight.size() / 2));
    } else {
      if (straightResult == kHoldsStraight || straightResult == kHoldsNutStraight) ++madeStraights;
      EXPECT_EQ(Text(IDC_STREETS_STRAIGHT_OUTS), L"");
      EXPECT_EQ(Text(IDC_STREETS_NUT_STRAIGHT_OUTS), L"");
    }
    if (flushResult != 0) {
      EXPECT_EQ(Text(IDC_STREETS_FLUSH_OUTS), std::to_wstring(flush.size() / 2));
      EXPECT_EQ(Text(IDC_STREETS_NUT_FLUSH_OUTS), std::to_wstring(nutFlush.size() / 2));
    } else {
      ++noFlushOuts;
      EXPECT_EQ(Text(IDC_STREETS_FLUSH_OUTS), L"");
      EXPECT_EQ(Text(IDC_STREETS_NUT_FLUSH_OUTS), L"");
    }
    // The mark buttons follow the flush count, even when straight outs are counted.
    for (int id : kMarkButtons) EXPECT_EQ(Enabled(id), flushResult != 0);
    if (flushResult == 0) continue;

    // Each mark button marks exactly its outs on the flop grid.
    const std::wstring* outs[4] = {&straight, &nutStraight, &flush, &nutFlush};
    for (int i = 0; i < 4; ++i) {
      Click(kMarkButtons[i]);
      EXPECT_EQ(MarkedFlopCards(), *outs[i]) << "mark button " << kMarkButtons[i];
      if (!outs[i]->empty()) ++markedAny;
    }
  }
  // The table reaches every branch.
  EXPECT_GT(listedStraights, 3);
  EXPECT_GT(madeStraights, 1);
  EXPECT_GT(noFlushOuts, 1);
  EXPECT_GT(markedAny, 3);
}

TEST_F(HandInfoStreetsTest, MarksGoWithTheNextClickOrReset) {
  Open();
  handtest::ClickCards(Hwnd(), kHand, L"9h8h7c6c");
  handtest::ClickCards(Hwnd(), kFlop, L"Td5h4h");
  Click(IDC_STREETS_MARK_FLUSH);
  ASSERT_FALSE(MarkedFlopCards().empty());
  gui::Pump(100);
  gui::SaveCapture(gui::CaptureWindow(Hwnd()), L"hand_info_streets_flush_outs");
  handtest::ClickCards(Hwnd(), kFlop, L"4h");
  EXPECT_EQ(MarkedFlopCards(), L"") << "a flop click";
  handtest::ClickCards(Hwnd(), kFlop, L"4h");
  Click(IDC_STREETS_MARK_STRAIGHT);
  ASSERT_FALSE(MarkedFlopCards().empty());
  handtest::ClickCards(Hwnd(), kHand, L"6c");
  EXPECT_EQ(MarkedFlopCards(), L"") << "a hand click";
  handtest::ClickCards(Hwnd(), kHand, L"6c");
  Click(IDC_STREETS_MARK_STRAIGHT);
  ASSERT_FALSE(MarkedFlopCards().empty());
  Click(IDC_STREETS_RESET_FLOP);
  EXPECT_EQ(MarkedFlopCards(), L"") << "the flop reset";
}

TEST_F(HandInfoStreetsTest, GridsKeepTheirLimitsAndACardInOneGrid) {
  Open();
  handtest::ClickCards(Hwnd(), kHand, L"AhKhQhJh");
  handtest::ClickCards(Hwnd(), kHand, L"Th");
  EXPECT_EQ(std::wstring(Dialog().GetHandText()), L"AhKhQhJh") << "a fifth card";
  EXPECT_FALSE(CardEnabled(kFlop, L"Ah")) << "held by the hand";
  EXPECT_TRUE(CardEnabled(kFlop, L"Th"));
  // A click that reaches a disabled card anyway takes nothing.
  ::SendMessageW(Hwnd(), WM_COMMAND, MAKEWPARAM(kFlop + 13 * 1 + 0, BN_CLICKED), 0);
  EXPECT_EQ(std::wstring(Dialog().GetFlopText()), L"");

  handtest::ClickCards(Hwnd(), kFlop, L"Th9h2c8d");
  EXPECT_EQ(std::wstring(Dialog().GetFlopText()), L"Th9h2c") << "a fourth flop card";
  EXPECT_FALSE(CardEnabled(kHand, L"9h"));
  // A card taken back is free again in the other grid.
  handtest::ClickCards(Hwnd(), kFlop, L"9h");
  EXPECT_TRUE(CardEnabled(kHand, L"9h"));
  handtest::ClickCards(Hwnd(), kHand, L"Qh");
  EXPECT_TRUE(CardEnabled(kFlop, L"Qh"));
  // The hand reset frees the hand's cards in the flop grid but keeps the flop's cards held.
  Click(IDC_INFO_RESET_HAND);
  EXPECT_EQ(std::wstring(Dialog().GetHandText()), L"");
  EXPECT_TRUE(CardEnabled(kFlop, L"Ah"));
  EXPECT_FALSE(CardEnabled(kHand, L"Th"));
  EXPECT_EQ(std::wstring(Dialog().GetFlopText()), L"Th2c");
  // Ids past the last suit change nothing.
  ::SendMessageW(Hwnd(), WM_COMMAND, MAKEWPARAM(kHand + 13 * 4 + 2, BN_CLICKED), 0);
  EXPECT_EQ(std::wstring(Dialog().GetHandText()), L"");
}

TEST_F(HandInfoStreetsTest, HandAndFlopComeBackFromTheSettings) {
  env_.WriteIni(kSection, L"Hand", L"AhKhQhJh");
  env_.WriteIni(kSection, L"Flop", L"Th9c2d");
  Open();
  EXPECT_EQ(std::wstring(Dialog().GetHandText()), L"AhKhQhJh");
  EXPECT_EQ(std::wstring(Dialog().GetFlopText()), L"2dTh9c") << "by suit";
  EXPECT_FALSE(CardEnabled(kFlop, L"Kh"));
  EXPECT_FALSE(CardEnabled(kHand, L"9c"));
  handtest::ExpectFactsShown(Hwnd(), handtest::kHand1Ids, handtest::FactsOf(L"AhKhQhJh", false), L"restored");
  EXPECT_EQ(Text(IDC_STREETS_FLOP_STRENGTH), DescribeFlopHand(L"AhKhQhJh", L"2dTh9c"));
  // The window ends where the hidden turn area begins.
  RECT window, turnReset;
  ::GetWindowRect(Hwnd(), &window);
  ::GetWindowRect(::GetDlgItem(Hwnd(), IDC_STREETS_RESET_TURN), &turnReset);
  EXPECT_EQ(window.right, turnReset.left);

  handtest::ClickCards(Hwnd(), kFlop, L"2d");
  Close();
  EXPECT_EQ(env_.ReadIni(kSection, L"Hand"), L"AhKhQhJh");
  EXPECT_EQ(env_.ReadIni(kSection, L"Flop"), L"Th9c");
  EXPECT_EQ(env_.ReadIni(kSection, L"Turn"), L"");

  // Values the dialog never writes select nothing.
  const struct {
    const wchar_t *hand, *flop, *wantHand, *wantFlop;
  } bad[] = {{L"AhKhQhJ", L"Th9c2", L"", L""},          // 7 and 5 characters
             {L"AhKhQhJhT", L"Th9c2d8", L"", L""},      // 9 and 7
             {L"ZzKhQhJh", L"Th9cXx", L"", L""},        // no card
             {L"AhAhQhJh", L"Th9c9c", L"", L""},        // a card twice
             {L"AhKhQhJh", L"Ah9c2d", L"AhKhQhJh", L""}};  // the flop shares a card with the hand
  for (const auto& b : bad) {
    Close();  // the closing dialog writes its own values
    env_.WriteIni(kSection, L"Hand", b.hand);
    env_.WriteIni(kSection, L"Flop", b.flop);
    Open();
    EXPECT_EQ(std::wstring(Dialog().GetHandText()), b.wantHand) << std::wstring(b.hand).size();
    EXPECT_EQ(std::wstring(Dialog().GetFlopText()), b.wantFlop);
  }
}

TEST_F(HandInfoStreetsTest, StraightDrawReportCoversEveryFlopOfThreeRanks) {
  Open();
  handtest::ClickCards(Hwnd(), kHand, L"AdKdQdJd");
  Click(IDC_STREETS_REPORT);
  ASSERT_EQ(Dialog().m_reports, 1);
  RECT button;
  ::GetWindowRect(::GetDlgItem(Hwnd(), IDC_STREETS_REPORT), &button);
  EXPECT_EQ(Dialog().m_reportAnchor, CPoint(button.left, button.top)) << "at the button's top-left corner";
  const std::wstring page(Dialog().m_reportPage);
  ASSERT_EQ(page.rfind(L"<html><head>\n\n<style type='text/css'>", 0), 0u);
  const std::wstring end = L"</table>\n</body>\n</html>";
  EXPECT_EQ(page.substr(page.size() - end.size()), end);

  // Count and percent of every row: the made straights, then one row per tally cell.
  auto cell = [&](size_t& at) {
    const size_t start = page.find(L"<b>&nbsp;", at) + 9;
    at = page.find(L"&nbsp;</b>", start);
    return page.substr(start, at - start);
  };
  size_t at = page.find(L"Flopped straight&nbsp;");
  ASSERT_NE(at, std::wstring::npos);
  const int straights = std::stoi(cell(at));
  EXPECT_EQ(cell(at), handtest::Printf(L"%.2f %%", straights * 100.0 / 286));
  at = page.find(L"Flopped nut straight&nbsp;");
  ASSERT_NE(at, std::wstring::npos);
  const int nutStraights = std::stoi(cell(at));
  // Two of A, K, Q, J with three flop cards: a straight needs a ten and two of A K Q J (6),
  // a ten and a nine with one of K Q J (3), or T 9 8 itself (1): 10 flops.
  EXPECT_EQ(straights + nutStraights, 10);

  at = page.find(L"Nut straight outs");
  ASSERT_NE(at, std::wstring::npos);
  int rows = 0, total = 0, lastA = -1, lastB = -1;
  while (page.find(L"<tr>\t<td class=w", at) != std::wstring::npos) {
    at = page.find(L"<tr>\t<td class=w", at);
    const int a = std::stoi(cell(at)), b = std::stoi(cell(at)), count = std::stoi(cell(at));
    EXPECT_EQ(cell(at), handtest::Printf(L"%.2f %%", count * 100.0 / 286));
    EXPECT_GT(count, 0);
    EXPECT_TRUE(a > lastA || (a == lastA && b > lastB)) << "ordered by outs, then nut outs";
    lastA = a;
    lastB = b;
    total += count;
    ++rows;
  }
  EXPECT_GT(rows, 1);
  EXPECT_EQ(straights + nutStraights + total, 286);
}

TEST_F(HandInfoStreetsTest, EquityTooltipShowsTheCardsAndTheClassFigures) {
  Open();
  // Every equity field is a tool of the dialog's tooltip.
  for (int id = 1210; id <= 1218; ++id) EXPECT_EQ(Dialog().m_tooltip.ToolCount(::GetDlgItem(Hwnd(), id)), 1u) << id;
  handtest::ClickCards(Hwnd(), kHand, L"AhKhQh");
  EXPECT_EQ(std::wstring(Dialog().TooltipTextFor(1210)), L"");
  EXPECT_EQ(handtest::TipShowing(Hwnd(), Dialog().m_tooltip, 1210), L"kept") << "an incomplete hand keeps the tool's text";
  handtest::ClickCards(Hwnd(), kHand, L"Jh");
  EXPECT_EQ(handtest::TipShowing(Hwnd(), Dialog().m_tooltip, 1212), std::wstring(Dialog().TooltipTextFor(1212)));
  EXPECT_EQ(std::wstring(Dialog().TooltipTextFor(1240)), L"") << "not an equity field";
  const HandClassRecord* record = g_app.m_handBase.FindClassRecord(L"AhKhQhJh");
  ASSERT_NE(record, nullptr);
  for (int hiLo : {0, 1}) {
    g_app.m_useHiLo = hiLo;
    for (int k : {0, 4, 8, 9}) {
      const std::wstring tip(Dialog().TooltipTextFor(1210 + k));
      const std::wstring cards = FormatCardBitmapTag(1, 0) + FormatCardBitmapTag(1, 1) + FormatCardBitmapTag(1, 2) +
                                 FormatCardBitmapTag(1, 3);
      EXPECT_NE(tip.find(L"&nbsp;" + cards + L"&nbsp;"), std::wstring::npos) << tip;
      EXPECT_NE(tip.find(L"<center>&nbsp;Hand</center>"), std::wstring::npos) << "the header without its colon";
      auto shown = [&](int column) {
        return tip.find(L"&nbsp;" + handtest::Printf(L"%.2f%%", record->stats[column][k] / 100.0) + L"&nbsp;") !=
               std::wstring::npos;
      };
      if (!hiLo) {
        EXPECT_NE(tip.find(L"<b><center>Equity</center></b>"), std::wstring::npos);
        EXPECT_TRUE(shown(kStatWin) && shown(kStatSplit)) << k;
        const std::wstring equity =
            handtest::Printf(L"%.2f%%", (record->stats[kStatWin][k] + record->stats[kStatSplit][k]) / 100.0);
        EXPECT_NE(tip.find(L"<b><center>&nbsp;" + equity + L"&nbsp;</center></b>"), std::wstring::npos) << k;
      } else {
        EXPECT_NE(tip.find(L"<center>Scoops</center>"), std::wstring::npos);
        for (int column : {kStatEqHiLo, kStatScoop, kStatWinHi, kStatSplitHi, kStatWinLo, kStatSplitLo})
          EXPECT_TRUE(shown(column)) << k << " column " << column;
      }
    }
  }
}

}  // namespace
