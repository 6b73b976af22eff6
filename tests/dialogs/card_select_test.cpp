// The card selection dialog run modally in the test's own process and driven by real clicks:
// the wanted count, preloaded cards, cards in use, the next-street button, the result order,
// the caption and the placement at an anchor; a capture of the grid.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "dialogs/card_select_dialog.h"
#include "gui_harness.h"
#include "live_input.h"

namespace {

constexpr int kNext = 1015;
// Rank index (A = 0 .. 2 = 12) and suit index (d h s c) of a two-letter card.
struct Card {
  int rank, suit;
};
Card C(const char* text) {
  static const std::string ranks = "AKQJT98765432", suits = "dhsc";
  return Card{static_cast<int>(ranks.find(text[0])), static_cast<int>(suits.find(text[1]))};
}

// Runs the dialog modally; the script runs inside its message loop once the window shows and
// ends it (Close). A script that returns with the dialog open cancels it.
class ModalRun {
 public:
  INT_PTR Run(CDialog& dialog, std::function<void(HWND)> script) {
    s_run = this;
    m_dialog = &dialog;
    m_script = std::move(script);
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, &ModalRun::OnTimer);
    const INT_PTR result = dialog.DoModal();
    ::KillTimer(nullptr, timer);
    s_run = nullptr;
    return result;
  }
  void Close(HWND dialog, int button) {
    live::Click(::GetDlgItem(dialog, button), POINT{8, 6});
  }

 private:
  static void CALLBACK OnTimer(HWND, UINT, UINT_PTR id, DWORD) {
    ModalRun* run = s_run;
    if (!run || !run->m_script || !run->m_dialog->GetSafeHwnd() || !::IsWindowVisible(run->m_dialog->GetSafeHwnd()))
      return;
    ::KillTimer(nullptr, id);
    auto script = std::move(run->m_script);
    run->m_script = nullptr;
    const HWND hwnd = run->m_dialog->GetSafeHwnd();
    live::BringToFront(hwnd);
    script(hwnd);
    // A dialog that the script ended leaves its loop before this arrives; one that is still
    // open (a failed check, a click that went astray) is cancelled instead of hanging the test.
    if (::IsWindow(hwnd)) ::PostMessageW(hwnd, WM_COMMAND, IDCANCEL, 0);
  }
  static inline ModalRun* s_run = nullptr;
  CDialog* m_dialog = nullptr;
  std::function<void(HWND)> m_script;
};

HWND CardWindow(HWND dialog, Card card) { return ::GetDlgItem(dialog, 2000 + 13 * card.suit + card.rank); }

class CardSelectTest : public ::testing::Test {
 protected:
  void Click(HWND dialog, const char* card) { live::Click(CardWindow(dialog, C(card)), POINT{10, 13}); }
  bool Enabled(HWND dialog, int id) { return ::IsWindowEnabled(::GetDlgItem(dialog, id)) != 0; }
  void Preload(CCardSelectDialog& dialog, std::initializer_list<const char*> cards) {
    int i = 0;
    for (const char* card : cards) {
      dialog.m_pickedRanks[i] = C(card).rank;
      dialog.m_pickedSuits[i] = C(card).suit;
      ++i;
    }
  }
  void Use(CCardSelectDialog& dialog, std::initializer_list<const char*> cards) {
    int i = 0;
    for (const char* card : cards) {
      dialog.m_usedRanks[i] = C(card).rank;
      dialog.m_usedSuits[i] = C(card).suit;
      ++i;
    }
  }
  ModalRun run_;
};

TEST_F(CardSelectTest, FlopPickerReplacesAFullPreloadRefusesCardsInUseAndEnablesOkAtThree) {
  CCardSelectDialog dialog;
  dialog.m_requestedCount = 3;
  dialog.m_mode = CCardSelectDialog::kModeFlop;
  dialog.m_showNextButton = 1;
  Preload(dialog, {"As", "Kd", "2c"});
  Use(dialog, {"Qh", "7s", "Kd"});  // the preloaded Kd is in use too
  std::wstring caption, nextCaption;
  const INT_PTR result = run_.Run(dialog, [&](HWND hwnd) {
    caption = gui::WindowText(hwnd);
    nextCaption = gui::WindowText(::GetDlgItem(hwnd, kNext));
    EXPECT_TRUE(::IsWindowVisible(::GetDlgItem(hwnd, kNext)));
    EXPECT_FALSE(::IsWindowEnabled(CardWindow(hwnd, C("Qh"))));
    EXPECT_FALSE(::IsWindowEnabled(CardWindow(hwnd, C("Kd"))));
    EXPECT_TRUE(Enabled(hwnd, IDOK)) << "three preloaded cards";
    EXPECT_TRUE(Enabled(hwnd, kNext));
    // The first click on another card starts a new pick; the disabled Kd stays selected.
    Click(hwnd, "Jd");
    EXPECT_EQ(dialog.CountSelected(), 1);
    EXPECT_TRUE(dialog.CardButton(C("Jd").rank, C("Jd").suit)->m_selected);
    EXPECT_FALSE(Enabled(hwnd, IDOK));
    EXPECT_FALSE(Enabled(hwnd, kNext));
    Click(hwnd, "Qh");  // in use: refused
    EXPECT_EQ(dialog.CountSelected(), 1);
    Click(hwnd, "2c");
    Click(hwnd, "7d");
    EXPECT_EQ(dialog.CountSelected(), 3);
    EXPECT_TRUE(Enabled(hwnd, IDOK));
    Click(hwnd, "9h");  // a fourth card changes nothing
    EXPECT_EQ(dialog.CountSelected(), 3);
    EXPECT_FALSE(dialog.CardButton(C("9h").rank, C("9h").suit)->m_selected);
    // A selected card is taken back by a click; OK follows. The quick second click, which the
    // button reports as a double click, picks it again.
    Click(hwnd, "2c");
    EXPECT_FALSE(Enabled(hwnd, IDOK));
    Click(hwnd, "2c");
    gui::Image shot = gui::CaptureWindow(hwnd);
    gui::SaveCapture(shot, L"card_select_flop");
    EXPECT_GT(gui::CountColours(shot, RECT{0, 0, shot.width, shot.height}), 10);
    run_.Close(hwnd, IDOK);
  });
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(caption, L"Card selection (Flop)");
  EXPECT_EQ(nextCaption, L"&Turn");
  // By suit, then rank: Jd 7d 2c, whatever the order of the clicks.
  EXPECT_EQ(std::wstring(dialog.GetSelectedCardsText().GetString()), L"Jd 7d 2c ");
  EXPECT_EQ(dialog.m_pickedRanks[3], -1);
}

TEST_F(CardSelectTest, OneCardPickersReplaceTheCardAndTheNextButtonEndsWithItsId) {
  CCardSelectDialog dialog;
  dialog.m_requestedCount = 1;
  dialog.m_mode = CCardSelectDialog::kModeTurn;
  dialog.m_showNextButton = 1;
  Preload(dialog, {"5h"});
  dialog.m_pickedRanks[7] = 2;  // the next-street result keeps slots it does not fill
  dialog.m_pickedSuits[7] = 2;
  std::wstring caption, nextCaption;
  const INT_PTR result = run_.Run(dialog, [&](HWND hwnd) {
    caption = gui::WindowText(hwnd);
    nextCaption = gui::WindowText(::GetDlgItem(hwnd, kNext));
    Click(hwnd, "Ac");
    Click(hwnd, "Td");
    EXPECT_EQ(dialog.CountSelected(), 1);
    Click(hwnd, "Td");  // the selected card stays selected
    EXPECT_EQ(dialog.CountSelected(), 1);
    EXPECT_TRUE(Enabled(hwnd, kNext));
    run_.Close(hwnd, kNext);
  });
  EXPECT_EQ(result, kNext);
  EXPECT_EQ(caption, L"Card selection (Turn)");
  EXPECT_EQ(nextCaption, L"&River");
  EXPECT_EQ(dialog.m_pickedRanks[0], C("Td").rank);
  EXPECT_EQ(dialog.m_pickedSuits[0], C("Td").suit);
  EXPECT_EQ(dialog.m_pickedRanks[7], 2);
}

TEST_F(CardSelectTest, DeadCardsTakeAnyNumberAndCancelKeepsThePreload) {
  CCardSelectDialog dialog;
  dialog.m_requestedCount = CCardSelectDialog::kAnyCount;
  dialog.m_mode = CCardSelectDialog::kModeDead;
  dialog.m_showNextButton = 1;
  std::wstring caption;
  INT_PTR result = run_.Run(dialog, [&](HWND hwnd) {
    caption = gui::WindowText(hwnd);
    EXPECT_FALSE(Enabled(hwnd, IDOK));
    Click(hwnd, "2c");
    EXPECT_TRUE(Enabled(hwnd, IDOK));
    EXPECT_FALSE(Enabled(hwnd, kNext)) << "no count equals 43";
    Click(hwnd, "Ah");
    Click(hwnd, "7d");
    run_.Close(hwnd, IDOK);
  });
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(caption, L"Card selection (Dead cards)");
  EXPECT_EQ(std::wstring(dialog.GetSelectedCardsText().GetString()), L"7d Ah 2c ");

  CCardSelectDialog again;
  again.m_requestedCount = CCardSelectDialog::kAnyCount;
  Preload(again, {"7d", "Ah"});
  result = run_.Run(again, [&](HWND hwnd) {
    Click(hwnd, "Ks");
    EXPECT_EQ(again.CountSelected(), 3);
    run_.Close(hwnd, IDCANCEL);
  });
  EXPECT_EQ(result, IDCANCEL);
  EXPECT_EQ(std::wstring(again.GetSelectedCardsText().GetString()), L"7d Ah ");
}

TEST_F(CardSelectTest, CaptionNamesTheSeat) {
  const struct {
    int mode;
    const wchar_t* caption;
  } cases[] = {{0, L"Card selection (UTG)"}, {4, L"Card selection (MP2)"}, {9, L"Card selection (BB)"},
               {CCardSelectDialog::kModeRiver, L"Card selection (River)"}, {13, L"Card selection ()"}};
  for (const auto& c : cases) {
    CCardSelectDialog dialog;
    dialog.m_mode = c.mode;
    std::wstring caption;
    bool nextShown = true;
    run_.Run(dialog, [&](HWND hwnd) {
      caption = gui::WindowText(hwnd);
      nextShown = ::IsWindowVisible(::GetDlgItem(hwnd, kNext)) != 0;
      run_.Close(hwnd, IDCANCEL);
    });
    EXPECT_EQ(caption, c.caption);
    EXPECT_FALSE(nextShown);
  }
}

TEST(CardSelectPlacement, KeepsTheDialogInsideTheAreaButOnePixelPastItsEdge) {
  const RECT area = {0, 0, 1000, 700};
  const struct {
    int x, y;
    bool above;
    POINT expected;
  } cases[] = {
      {100, 300, true, {100, 100}},   // bottom edge at the anchor
      {100, 300, false, {100, 300}},  // top edge at the anchor
      {900, 300, false, {801, 300}},  // past the right edge
      {100, 150, true, {100, 0}},     // above the top: the top edge goes to the area's top
      {100, 600, false, {100, 501}},  // past the bottom edge
  };
  for (const auto& c : cases) {
    const POINT at = CCardSelectDialog::PlaceAtAnchor(area, 200, 200, c.x, c.y, c.above);
    EXPECT_EQ(at.x, c.expected.x) << c.x << "," << c.y;
    EXPECT_EQ(at.y, c.expected.y) << c.x << "," << c.y;
  }
}

TEST_F(CardSelectTest, OpensAtItsAnchor) {
  CCardSelectDialog dialog;
  const int screenRight = ::GetSystemMetrics(SM_CXSCREEN);
  dialog.m_anchorX = screenRight - 20;  // near the right edge
  dialog.m_anchorY = 400;
  dialog.m_placeAbove = 1;
  RECT window = {};
  run_.Run(dialog, [&](HWND hwnd) {
    ::GetWindowRect(hwnd, &window);
    run_.Close(hwnd, IDCANCEL);
  });
  EXPECT_EQ(window.bottom, 400);
  EXPECT_EQ(window.right, screenRight + 1);
}

}  // namespace
