// The card pickers of the main dialog and the syntax page in the running program, driven by
// real clicks and keys: flop, turn and river with the next-street chain, cards in use refused,
// OK only at the wanted count, Cancel changing nothing, the dead cards, a seat's hand from the
// seat menu, and the syntax page from the Help menu.
#include <gtest/gtest.h>

#include <string>

#include "gui_harness.h"
#include "live_input.h"
#include "live_program_test.h"
#include "program_runner.h"
#include "temp_folder.h"

namespace {

constexpr int kRange = 3040, kSeatMenu = 3030;
constexpr int kFlop = 3070, kTurn = 3071, kRiver = 3072, kDead = 1600;
constexpr int kFlopPicker = 1045, kTurnPicker = 1052, kRiverPicker = 1059, kDeadPicker = 1606;
constexpr int kFlopCheck = 3122, kTurnCheck = 1601, kRiverCheck = 1602, kDeadCheck = 1603;
constexpr int kNext = 1015;
constexpr UINT kSyntax = 32780;
constexpr COLORREF kInvalidColour = RGB(224, 120, 120), kValidColour = RGB(255, 255, 255);
constexpr wchar_t kSyntaxCaption[] = L"Brightfold Vantorn - Omaha - Syntax Documentation and Samples";

// Card button of the picker: rank index A = 0 .. 2 = 12, suit index d h s c.
HWND CardIn(HWND picker, const char* card) {
  static const std::string ranks = "AKQJT98765432", suits = "dhsc";
  const int rank = static_cast<int>(ranks.find(card[0])), suit = static_cast<int>(suits.find(card[1]));
  return ::GetDlgItem(picker, 2000 + 13 * suit + rank);
}

class PickersProgramTest : public LiveProgramTest {
 protected:
  PickersProgramTest() : LiveProgramTest(L"ovpickcwd", L"ovpickdata") {}

  void PrepareFolder() override {
    ::CopyFileW((gui::ExeFolder() + L"\\Syntax.html").c_str(), (folder_ / L"Syntax.html").c_str(), FALSE);
  }

  bool Checked(int id) const { return ::SendMessageW(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
  // Opens a picker with a real click on its button; its window, or null.
  HWND OpenPicker(int button, const wchar_t* caption) {
    ActivateFrame();
    ClickOn(Item(button));

    return gui::WaitForWindow(nullptr, caption, program_.Id(), 10000);
  }
  bool Enabled(HWND picker, int id) const { return ::IsWindowEnabled(::GetDlgItem(picker, id)) != 0; }
  void Pick(HWND picker, std::initializer_list<const char*> cards) {
    for (const char* card : cards) ClickOn(CardIn(picker, card));
  }
  // Clicks a button of the picker and waits until the picker is gone.
  void End(HWND picker, int button) {
    ClickOn(::GetDlgItem(picker, button));
    EXPECT_TRUE(apptest::WaitGone(picker, 10000));
    gui::Pump(200);
  }
  // The colour inside an edit, a few pixels from its left edge.
  COLORREF EditColour(int id) {
    gui::Pump(200);
    gui::Image shot = gui::CaptureWindow(Item(id));
    if (shot.Empty()) return CLR_INVALID;
    const std::uint32_t bgra = shot.At(3, shot.height / 2);
    return RGB((bgra >> 16) & 0xFF, (bgra >> 8) & 0xFF, bgra & 0xFF);
  }
  std::wstring Ini() const { return appData_ / L"OmahaVantorn\\OmahaVantorn.ini"; }
};

TEST_F(PickersProgramTest, BoardPickersRefuseCardsInUseAndGoOnToTheNextStreet) {
  SetText(kRange + 4, L"AsKsQsJs");  // an exact hand: its cards are in use
  SetText(kDead, L"2d");
  SetText(kFlop, L"Zz");
  EXPECT_EQ(EditColour(kFlop), kInvalidColour);

  HWND picker = OpenPicker(kFlopPicker, L"Card selection (Flop)");
  ASSERT_NE(picker, nullptr);
  // Placed above the flop edit, its bottom edge at the edit's top.
  RECT pickerRect, edit;
  ::GetWindowRect(picker, &pickerRect);
  ::GetWindowRect(Item(kFlop), &edit);
  EXPECT_EQ(pickerRect.left, edit.left);
  EXPECT_EQ(pickerRect.bottom, edit.top);
  EXPECT_FALSE(::IsWindowEnabled(CardIn(picker, "As"))) << "held by a seat";
  EXPECT_FALSE(::IsWindowEnabled(CardIn(picker, "2d"))) << "a dead card";
  EXPECT_FALSE(Enabled(picker, IDOK));
  // Refused cards take no place: three more cards make the flop.
  Pick(picker, {"As", "2d", "Ah", "Kd"});
  EXPECT_FALSE(Enabled(picker, IDOK)) << "two cards";
  Pick(picker, {"7c"});
  EXPECT_TRUE(Enabled(picker, IDOK));
  End(picker, IDOK);
  EXPECT_EQ(Text(kFlop), L"KdAh7c") << "by suit, then rank";
  EXPECT_TRUE(Checked(kFlopCheck));
  EXPECT_TRUE(::IsWindowVisible(Item(kFlopCheck)));
  EXPECT_EQ(EditColour(kFlop), kValidColour);

  // Cancel changes nothing.
  picker = OpenPicker(kTurnPicker, L"Card selection (Turn)");
  ASSERT_NE(picker, nullptr);
  EXPECT_FALSE(::IsWindowEnabled(CardIn(picker, "Kd"))) << "on the flop";
  Pick(picker, {"Td"});
  EXPECT_TRUE(Enabled(picker, IDOK));
  End(picker, IDCANCEL);
  EXPECT_EQ(Text(kTurn), L"");
  EXPECT_FALSE(::IsWindowVisible(Item(kTurnCheck))) << "no turn card";

  // The flop picker's next-street button keeps the flop and opens the turn picker, whose
  // button opens the river picker.
  picker = OpenPicker(kFlopPicker, L"Card selection (Flop)");
  ASSERT_NE(picker, nullptr);
  EXPECT_EQ(Text(::GetDlgItem(picker, kNext)), L"&Turn");
  EXPECT_TRUE(Enabled(picker, kNext)) << "the flop is preloaded";
  End(picker, kNext);
  picker = gui::WaitForWindow(nullptr, L"Card selection (Turn)", program_.Id(), 10000);
  ASSERT_NE(picker, nullptr);
  EXPECT_EQ(Text(::GetDlgItem(picker, kNext)), L"&River");
  EXPECT_FALSE(Enabled(picker, kNext));
  Pick(picker, {"9h"});
  End(picker, kNext);
  picker = gui::WaitForWindow(nullptr, L"Card selection (River)", program_.Id(), 10000);
  ASSERT_NE(picker, nullptr);
  EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(picker, kNext)));
  EXPECT_FALSE(::IsWindowEnabled(CardIn(picker, "9h"))) << "the turn";
  Pick(picker, {"3s"});
  gui::SaveCapture(gui::CaptureWindow(picker), L"pickers_river");
  End(picker, IDOK);
  EXPECT_EQ(Text(kFlop), L"KdAh7c");
  EXPECT_EQ(Text(kTurn), L"9h");
  EXPECT_EQ(Text(kRiver), L"3s");
  EXPECT_TRUE(Checked(kFlopCheck));
  EXPECT_TRUE(Checked(kTurnCheck));
  EXPECT_TRUE(Checked(kRiverCheck));
  EXPECT_EQ(EditColour(kRiver), kValidColour);
  gui::SaveCapture(gui::CaptureWindow(frame_), L"pickers_board");
}

TEST_F(PickersProgramTest, DeadCardsAndASeatsHandComeFromTheGrid) {
  SetText(kFlop, L"AhKd7c");
  SetText(kTurn, L"9h");
  ::SendMessageW(Item(kTurnCheck), BM_CLICK, 0, 0);  // the turn no longer counts
  ASSERT_FALSE(Checked(kTurnCheck));
  SetText(kRange + 4, L"2s3s4s5s");

  HWND picker = OpenPicker(kDeadPicker, L"Card selection (Dead cards)");
  ASSERT_NE(picker, nullptr);
  EXPECT_FALSE(::IsWindowEnabled(CardIn(picker, "Ah")));
  // The unticked turn's card is refused too: the dead-card field's guard would cut it.
  EXPECT_FALSE(::IsWindowEnabled(CardIn(picker, "9h")));
  Pick(picker, {"2c"});
  EXPECT_TRUE(Enabled(picker, IDOK)) << "any number of dead cards";
  Pick(picker, {"Ah", "Qs", "7d"});
  End(picker, IDOK);
  EXPECT_EQ(Text(kDead), L"7dQs2c") << "by suit, then rank";
  EXPECT_TRUE(Checked(kDeadCheck));

  // The seat menu's card selection for seat 5 (MP3): the launcher's popup menu, then "C".
  ActivateFrame();
  ClickOn(Item(kSeatMenu + 5));
  gui::Pump(300);
  live::Key('C');
  picker = gui::WaitForWindow(nullptr, L"Card selection (MP3)", program_.Id(), 10000);
  ASSERT_NE(picker, nullptr);
  // Its top-left corner at the launcher's top-right corner.
  RECT pickerRect, launcher;
  ::GetWindowRect(picker, &pickerRect);
  ::GetWindowRect(Item(kSeatMenu + 5), &launcher);
  EXPECT_EQ(pickerRect.left, launcher.right);
  EXPECT_EQ(pickerRect.top, launcher.top);
  for (const char* used : {"Ah", "9h", "7d", "Qs", "2s"}) EXPECT_FALSE(::IsWindowEnabled(CardIn(picker, used))) << used;
  Pick(picker, {"As", "Ks", "Qh"});
  EXPECT_FALSE(Enabled(picker, IDOK));
  Pick(picker, {"Jh"});
  gui::SaveCapture(gui::CaptureWindow(picker), L"pickers_seat");
  End(picker, IDOK);
  EXPECT_EQ(Text(kRange + 5), L"QhJhAsKs");

  // The seat's own hand is preloaded and not in use for it; Cancel keeps the text.
  ActivateFrame();
  ClickOn(Item(kSeatMenu + 5));
  gui::Pump(300);
  live::Key('C');
  picker = gui::WaitForWindow(nullptr, L"Card selection (MP3)", program_.Id(), 10000);
  ASSERT_NE(picker, nullptr);
  EXPECT_TRUE(Enabled(picker, IDOK)) << "four preloaded cards";
  EXPECT_TRUE(::IsWindowEnabled(CardIn(picker, "Qh")));
  Pick(picker, {"Tc"});
  EXPECT_FALSE(Enabled(picker, IDOK)) << "a new pick";
  End(picker, IDCANCEL);
  EXPECT_EQ(Text(kRange + 5), L"QhJhAsKs");
}

TEST_F(PickersProgramTest, SyntaxPageOpensFromTheHelpMenuResizesAndCloses) {
  ActivateFrame();
  live::Key('H', {VK_MENU});
  gui::Pump(300);
  live::Key(VK_RETURN);
  HWND page = gui::WaitForWindow(nullptr, kSyntaxCaption, program_.Id(), 15000);
  ASSERT_NE(page, nullptr) << "no syntax page";
  RECT rect;
  ::GetWindowRect(page, &rect);
  EXPECT_EQ(rect.left, 0);
  EXPECT_EQ(rect.top, 0);
  EXPECT_EQ(rect.right - rect.left, 470);
  EXPECT_EQ(rect.bottom - rect.top, 350);
  HWND browser = ::GetDlgItem(page, 1369);
  ASSERT_NE(browser, nullptr);
  const std::wstring shown = Text(::GetDlgItem(browser, 1));
  EXPECT_NE(shown.find(L"Range syntax and samples"), std::wstring::npos) << "the page's text";

  ::SetWindowPos(page, nullptr, 60, 40, 640, 520, SWP_NOZORDER);
  gui::Pump(300);
  RECT client, inner;
  ::GetClientRect(page, &client);
  ::GetWindowRect(browser, &inner);
  EXPECT_EQ(inner.right - inner.left, client.right);
  EXPECT_EQ(inner.bottom - inner.top, client.bottom);
  gui::SaveCapture(gui::CaptureWindow(page), L"syntax_page");

  // A second choice activates the open page.
  ::PostMessageW(frame_, WM_COMMAND, kSyntax, 0);
  gui::Pump(500);
  int pages = 0;
  struct Count {
    DWORD pid;
    int* pages;
  } count{program_.Id(), &pages};
  ::EnumWindows(
      [](HWND hwnd, LPARAM data) -> BOOL {
        auto* c = reinterpret_cast<Count*>(data);
        DWORD pid = 0;
        ::GetWindowThreadProcessId(hwnd, &pid);
        if (pid == c->pid && ::IsWindowVisible(hwnd) && gui::WindowText(hwnd) == kSyntaxCaption) ++*c->pages;
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&count));
  EXPECT_EQ(pages, 1);

  ::PostMessageW(page, WM_CLOSE, 0, 0);
  // Hidden first, then destroyed: the rectangle is written on the way.
  for (int i = 0; i < 200 && ::IsWindow(page); ++i) gui::Pump(50);
  ASSERT_FALSE(::IsWindow(page));
  EXPECT_EQ(apptest::ReadIni(Ini(), L"HTMLDialog", L"Left"), L"60");
  EXPECT_EQ(apptest::ReadIni(Ini(), L"HTMLDialog", L"Width"), L"640");

  // After closing, the next choice opens a new page at the stored rectangle.
  ::PostMessageW(frame_, WM_COMMAND, kSyntax, 0);
  page = gui::WaitForWindow(nullptr, kSyntaxCaption, program_.Id(), 15000);
  ASSERT_NE(page, nullptr);
  ::GetWindowRect(page, &rect);
  EXPECT_EQ(rect.left, 60);
  EXPECT_EQ(rect.top, 40);
  EXPECT_EQ(rect.right - rect.left, 640);
}

}  // namespace
