// The range options dialog driven through its controls: the item text of a table of control
// settings, its counts against the range language, the rank boxes that keep their order, the
// gap edits, the number ranges with their presets, and the rank and suit pieces.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "dialogs/options_dialog.h"
#include "range_dialog_harness.h"
#include "range_dialogs.h"

namespace {

COmahaVantornApp g_app;

// Rank box item of a rank letter: deuce 0 .. ace 12.
int RankItem(wchar_t letter) { return 12 - static_cast<int>(std::wstring(L"AKQJT98765432").find(letter)); }
int SuitItem(wchar_t letter) { return 1 + static_cast<int>(std::wstring(L"dhsc").find(letter)); }

class OptionsDialogTest : public ::testing::Test {
 public:  // the table's steps drive the fixture
  static void SetUpTestSuite() { rangetest::Environment::LoadTables(g_app); }
  void Open() {
    Close();
    owned_ = std::make_unique<COptionsDialog>();
    owned_->m_seat = 0;
    ASSERT_TRUE(owned_->Create(IDD_RANGE_OPTIONS, nullptr));
    owned_->ShowWindow(SW_SHOW);
    owned_->UpdateWindow();
  }
  void Close() {
    if (owned_ && owned_->GetSafeHwnd()) owned_->DestroyWindow();
  }
  void SetUp() override { Open(); }
  void TearDown() override { Close(); }
  HWND Hwnd() const { return owned_->GetSafeHwnd(); }
  COptionsDialog& Dialog() { return *owned_; }
  // Card k (0..3) between two rank letters, with an optional suit letter.
  void Card(int k, wchar_t low, wchar_t high, wchar_t suit = 0) {
    rangetest::Choose(Hwnd(), IDC_OPTIONS_CARD1_HIGH + 3 * k, RankItem(high));
    rangetest::Choose(Hwnd(), IDC_OPTIONS_CARD1_LOW + 3 * k, RankItem(low));
    if (suit) rangetest::Choose(Hwnd(), IDC_OPTIONS_CARD1_SUIT + 3 * k, SuitItem(suit));
  }
  void ExpectText(const std::wstring& text) {
    EXPECT_EQ(std::wstring(Dialog().m_rangeText), text);
    const rangetest::Counts counts = rangetest::CoreCounts(text);
    EXPECT_EQ(Dialog().m_classCount, counts.classes) << text;
    EXPECT_EQ(Dialog().m_handCount, counts.hands) << text;
    EXPECT_EQ(rangetest::Text(Hwnd(), IDC_RANGE_SUMMARY), rangetest::CoreSummary(text));
    EXPECT_EQ(rangetest::Text(Hwnd(), IDC_RANGE_DESCRIPTION), COmahaHand(text).FormatDescription());
    EXPECT_EQ(rangetest::Enabled(Hwnd(), IDOK), counts.hands > 0) << text;
    EXPECT_EQ(rangetest::Enabled(Hwnd(), IDC_RANGE_EXPLORER), counts.hands > 0) << text;
  }

  rangetest::Environment env_;
  std::unique_ptr<COptionsDialog> owned_;
};

TEST_F(OptionsDialogTest, StartsAtEveryHand) {
  EXPECT_EQ(rangetest::WindowCaption(Hwnd()), L"Dialog options (UTG)");
  ExpectText(L"****");
  EXPECT_EQ(Dialog().m_classCount, 16432);
  EXPECT_EQ(Dialog().m_handCount, 270725);
  EXPECT_TRUE(rangetest::Checked(Hwnd(), IDC_OPTIONS_NO_RUNDOWN));
  EXPECT_FALSE(rangetest::Enabled(Hwnd(), IDC_OPTIONS_GAP1));
  EXPECT_FALSE(rangetest::Enabled(Hwnd(), IDC_OPTIONS_POINTS_FROM));
  for (int id : {IDC_OPTIONS_SHAPES_TO, IDC_OPTIONS_FLUSH_TO, IDC_OPTIONS_POINTS_TO, IDC_OPTIONS_GAP1})
    EXPECT_FALSE(rangetest::Text(Hwnd(), id).empty()) << id;
  gui::SaveCapture(gui::CaptureWindow(Hwnd()), L"options_dialog_start");
}

TEST_F(OptionsDialogTest, ControlSettingsGiveTheirItemText) {
  const struct Case {
    const wchar_t* text;
    std::function<void(OptionsDialogTest&)> set;
  } cases[] = {
      {L"As***", [](OptionsDialogTest& t) { t.Card(0, L'A', L'A', L's'); }},
      {L"5-T***", [](OptionsDialogTest& t) { t.Card(0, L'5', L'T'); }},
      {L"9+***", [](OptionsDialogTest& t) { t.Card(0, L'9', L'A'); }},
      {L"Q+T-KdQ*h", [](OptionsDialogTest& t) {
         t.Card(0, L'Q', L'A');
         t.Card(1, L'T', L'K', L'd');
         t.Card(2, L'Q', L'Q');
         rangetest::Choose(t.Hwnd(), IDC_OPTIONS_CARD4_SUIT, SuitItem(L'h'));
       }},
      {L"****/np/ds", [](OptionsDialogTest& t) {
         rangetest::Click(t.Hwnd(), IDC_OPTIONS_DS);
         rangetest::Click(t.Hwnd(), IDC_OPTIONS_NP);
       }},
      {L"****/nt/op/tr/rb/alts/sna", [](OptionsDialogTest& t) {
         for (int id : {IDC_OPTIONS_SNA, IDC_OPTIONS_ALTS, IDC_OPTIONS_RB, IDC_OPTIONS_TR, IDC_OPTIONS_OP, IDC_OPTIONS_NT})
           rangetest::Click(t.Hwnd(), id);
       }},
      {L"****/r0", [](OptionsDialogTest& t) { rangetest::Click(t.Hwnd(), IDC_OPTIONS_RUNDOWN2); }},
      {L"****/r012", [](OptionsDialogTest& t) {
         rangetest::Click(t.Hwnd(), IDC_OPTIONS_RUNDOWN4);
         rangetest::Type(t.Hwnd(), IDC_OPTIONS_GAP2, L"1");
         rangetest::Type(t.Hwnd(), IDC_OPTIONS_GAP3, L"2");
       }},
      {L"****", [](OptionsDialogTest& t) {
         rangetest::Type(t.Hwnd(), IDC_OPTIONS_GAP1, L"3");
         rangetest::Click(t.Hwnd(), IDC_OPTIONS_NO_RUNDOWN);
       }},
      {L"****/s5+", [](OptionsDialogTest& t) {
         rangetest::Click(t.Hwnd(), IDC_OPTIONS_SHAPES);
         rangetest::Type(t.Hwnd(), IDC_OPTIONS_SHAPES_FROM, L"5");
       }},
      {L"****/s5-12", [](OptionsDialogTest& t) {
         rangetest::Click(t.Hwnd(), IDC_OPTIONS_SHAPES);
         rangetest::Type(t.Hwnd(), IDC_OPTIONS_SHAPES_TO, L"12");
         rangetest::Type(t.Hwnd(), IDC_OPTIONS_SHAPES_FROM, L"5");
       }},
      {L"****/s7", [](OptionsDialogTest& t) {
         rangetest::Click(t.Hwnd(), IDC_OPTIONS_SHAPES);
         rangetest::Type(t.Hwnd(), IDC_OPTIONS_SHAPES_TO, L"7");
         rangetest::Type(t.Hwnd(), IDC_OPTIONS_SHAPES_FROM, L"7");
       }},
      {L"****/sf2-5", [](OptionsDialogTest& t) {
         rangetest::Click(t.Hwnd(), IDC_OPTIONS_FLUSH_SHAPES);
         rangetest::Type(t.Hwnd(), IDC_OPTIONS_FLUSH_TO, L"5");
         rangetest::Type(t.Hwnd(), IDC_OPTIONS_FLUSH_FROM, L"2");
       }},
      {L"****/h15-19", [](OptionsDialogTest& t) {
         rangetest::Click(t.Hwnd(), IDC_OPTIONS_POINTS);
         rangetest::Click(t.Hwnd(), IDC_OPTIONS_CALL);
       }},
      {L"****/h20+", [](OptionsDialogTest& t) {
         rangetest::Click(t.Hwnd(), IDC_OPTIONS_POINTS);
         rangetest::Click(t.Hwnd(), IDC_OPTIONS_RAISE);
       }},
      {L"AA**/r1/op/ds/h15-19", [](OptionsDialogTest& t) {
         t.Card(0, L'A', L'A');
         t.Card(1, L'A', L'A');
         rangetest::Click(t.Hwnd(), IDC_OPTIONS_RUNDOWN2);
         rangetest::Type(t.Hwnd(), IDC_OPTIONS_GAP1, L"1");
         rangetest::Click(t.Hwnd(), IDC_OPTIONS_DS);
         rangetest::Click(t.Hwnd(), IDC_OPTIONS_OP);
         rangetest::Click(t.Hwnd(), IDC_OPTIONS_POINTS);
         rangetest::Click(t.Hwnd(), IDC_OPTIONS_CALL);
       }},
      {L"****/np/qu", [](OptionsDialogTest& t) {
         rangetest::Click(t.Hwnd(), IDC_OPTIONS_QU);
         rangetest::Click(t.Hwnd(), IDC_OPTIONS_NP);
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    Open();
    c.set(*this);
    ExpectText(c.text);
  }
  // Contradictory filters select nothing: OK and the explorer are off.
  EXPECT_EQ(Dialog().m_handCount, 0);
  EXPECT_FALSE(rangetest::Enabled(Hwnd(), IDOK));
  gui::SaveCapture(gui::CaptureWindow(Hwnd()), L"options_dialog_nothing");
}

TEST_F(OptionsDialogTest, RankBoxesKeepTheirOrderAndGapsStayOneDigit) {
  // Card 2: upper below lower moves the lower down; lower above upper moves the upper up.
  rangetest::Choose(Hwnd(), IDC_OPTIONS_CARD2_LOW, RankItem(L'9'));
  rangetest::Choose(Hwnd(), IDC_OPTIONS_CARD2_HIGH, RankItem(L'6'));
  EXPECT_EQ(rangetest::Selection(Hwnd(), IDC_OPTIONS_CARD2_LOW), RankItem(L'6'));
  ExpectText(L"*6**");
  rangetest::Choose(Hwnd(), IDC_OPTIONS_CARD2_LOW, RankItem(L'K'));
  EXPECT_EQ(rangetest::Selection(Hwnd(), IDC_OPTIONS_CARD2_HIGH), RankItem(L'K'));
  ExpectText(L"*K**");

  rangetest::Click(Hwnd(), IDC_OPTIONS_RUNDOWN2);
  EXPECT_TRUE(rangetest::Enabled(Hwnd(), IDC_OPTIONS_GAP1));
  EXPECT_FALSE(rangetest::Enabled(Hwnd(), IDC_OPTIONS_GAP2));
  rangetest::Type(Hwnd(), IDC_OPTIONS_GAP1, L"12");
  EXPECT_EQ(rangetest::Text(Hwnd(), IDC_OPTIONS_GAP1), L"9");
  rangetest::Type(Hwnd(), IDC_OPTIONS_GAP1, L"x");
  EXPECT_EQ(rangetest::Text(Hwnd(), IDC_OPTIONS_GAP1), L"0");
  rangetest::Spin(Hwnd(), IDC_OPTIONS_GAP1_SPIN, true);
  rangetest::Spin(Hwnd(), IDC_OPTIONS_GAP1_SPIN, true);
  EXPECT_EQ(rangetest::Text(Hwnd(), IDC_OPTIONS_GAP1), L"2");
  ExpectText(L"*K**/r2");
  rangetest::Spin(Hwnd(), IDC_OPTIONS_GAP1_SPIN, false);
  rangetest::Spin(Hwnd(), IDC_OPTIONS_GAP1_SPIN, false);
  rangetest::Spin(Hwnd(), IDC_OPTIONS_GAP1_SPIN, false);
  EXPECT_EQ(rangetest::Text(Hwnd(), IDC_OPTIONS_GAP1), L"0") << "down at 0 stays";
}

TEST_F(OptionsDialogTest, NumberRangesPushTheirOtherEdge) {
  // Unticked, the edits are disabled and the range adds nothing.
  EXPECT_FALSE(rangetest::Enabled(Hwnd(), IDC_OPTIONS_SHAPES_TO));
  rangetest::Click(Hwnd(), IDC_OPTIONS_SHAPES);
  EXPECT_TRUE(rangetest::Enabled(Hwnd(), IDC_OPTIONS_SHAPES_TO));
  rangetest::Type(Hwnd(), IDC_OPTIONS_SHAPES_TO, L"4");
  ExpectText(L"****/s0-4");
  rangetest::Type(Hwnd(), IDC_OPTIONS_SHAPES_FROM, L"9");
  EXPECT_EQ(rangetest::Text(Hwnd(), IDC_OPTIONS_SHAPES_TO), L"9") << "from above to raises to";
  ExpectText(L"****/s9");
  rangetest::Type(Hwnd(), IDC_OPTIONS_SHAPES_TO, L"2");
  EXPECT_EQ(rangetest::Text(Hwnd(), IDC_OPTIONS_SHAPES_FROM), L"2") << "to below from lowers from";
  ExpectText(L"****/s2");
  // Above the maximum: to goes to the maximum, and its own change brings from down to it, so
  // the edits show the range the item holds.
  rangetest::Type(Hwnd(), IDC_OPTIONS_SHAPES_FROM, L"30");
  EXPECT_EQ(rangetest::Text(Hwnd(), IDC_OPTIONS_SHAPES_TO), L"20");
  EXPECT_EQ(rangetest::Text(Hwnd(), IDC_OPTIONS_SHAPES_FROM), L"20");
  ExpectText(L"****/s20");
  // Hutchison presets, one after the other.
  rangetest::Click(Hwnd(), IDC_OPTIONS_SHAPES);
  rangetest::Click(Hwnd(), IDC_OPTIONS_POINTS);
  rangetest::Click(Hwnd(), IDC_OPTIONS_RAISE);
  ExpectText(L"****/h20+");
  rangetest::Click(Hwnd(), IDC_OPTIONS_CALL);
  ExpectText(L"****/h15-19");
  EXPECT_GT(Dialog().m_handCount, 0);
}

TEST(OptionsPieces, RankAndSuitPieces) {
  const struct {
    int lo, hi;
    const wchar_t* piece;
  } ranks[] = {{12, 0, L"*"}, {0, 0, L"A"}, {2, 0, L"Q+"}, {2, 2, L"Q"}, {9, 4, L"5-T"}, {12, 12, L"2"}, {12, 1, L"2-K"}};
  for (const auto& r : ranks) EXPECT_EQ(std::wstring(COptionsDialog::FormatRankPiece(r.lo, r.hi)), r.piece);
  const wchar_t* suits[] = {L"", L"d", L"h", L"s", L"c", L""};
  for (int item = -1; item <= 5; ++item)
    EXPECT_EQ(std::wstring(COptionsDialog::FormatSuitPiece(item)), item >= 1 && item <= 4 ? suits[item] : L"");
}

}  // namespace
