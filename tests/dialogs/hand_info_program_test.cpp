// The hand analysis dialogs in the running program, opened from the Tools menu by keyboard and
// driven with real clicks: the flop outs counter with its straight draw report, hand versus hand
// with its equity, and what both store when they close.
#include <gtest/gtest.h>

#include <string>

#include "gui_harness.h"
#include "live_input.h"
#include "live_program_test.h"
#include "program_runner.h"
#include "temp_folder.h"

namespace {

constexpr int kResetHand = 1000, kReport = 1012, kRankType = 1270, kHandStrength = 1071, kFlushOuts = 1242;
constexpr int kEquity1 = 1281, kEquity2 = 1291, kRankType2 = 1272;

// A visible tooltip window of the process, or null.
HWND VisibleTip(DWORD pid) {
  struct Found {
    DWORD pid;
    HWND hwnd;
  } found{pid, nullptr};
  ::EnumWindows(
      [](HWND hwnd, LPARAM data) -> BOOL {
        auto* f = reinterpret_cast<Found*>(data);
        DWORD owner = 0;
        ::GetWindowThreadProcessId(hwnd, &owner);
        if (owner != f->pid || !::IsWindowVisible(hwnd) || gui::ClassName(hwnd) != L"CPPToolTip") return TRUE;
        f->hwnd = hwnd;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found.hwnd;
}

// The pointer on the middle of a control, and the move told to the window under it, as the
// program's own message loop sees one.
void RestOn(HWND control) {
  RECT r;
  ::GetWindowRect(control, &r);
  for (int dx : {0, 1}) {
    const POINT screen = {(r.left + r.right) / 2 + dx, (r.top + r.bottom) / 2};
    ::SetCursorPos(screen.x, screen.y);
    POINT local = screen;
    ::ScreenToClient(control, &local);
    ::PostMessageW(control, WM_MOUSEMOVE, 0, MAKELPARAM(local.x, local.y));
    gui::Pump(50);
  }
}

HWND CardIn(HWND dialog, int first, const char* card) {
  static const std::string ranks = "AKQJT98765432", suits = "dhsc";
  const int rank = static_cast<int>(ranks.find(card[0])), suit = static_cast<int>(suits.find(card[1]));
  return ::GetDlgItem(dialog, first + 13 * suit + rank);
}

class HandInfoProgramTest : public LiveProgramTest {
 protected:
  HandInfoProgramTest() : LiveProgramTest(L"ovhandcwd", L"ovhanddata") {}

  // Tools, then the item's mnemonic; the dialog's window, or null.
  HWND OpenFromTools(UINT mnemonic, const wchar_t* caption) {
    ActivateFrame();
    live::Key('T', {VK_MENU});
    gui::Pump(300);
    live::Key(mnemonic);
    return gui::WaitForWindow(nullptr, caption, program_.Id(), 15000);
  }
  void Pick(HWND dialog, int first, std::initializer_list<const char*> cards) {
    for (const char* card : cards) ClickOn(CardIn(dialog, first, card));
  }
  void CloseDialog(HWND dialog) {
    ClickOn(::GetDlgItem(dialog, IDCANCEL));
    EXPECT_TRUE(apptest::WaitGone(dialog, 10000));
    gui::Pump(200);
  }
  std::wstring Ini() const { return appData_ / L"OmahaVantorn\\OmahaVantorn.ini"; }
};

TEST_F(HandInfoProgramTest, FlopOutsCounterOpensFromToolsAndCountsTheClickedCards) {
  HWND dialog = OpenFromTools('F', L"Flop outs counter");
  ASSERT_NE(dialog, nullptr) << "no flop outs counter";
  EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(dialog, kReport))) << "no hand yet";
  Pick(dialog, 2000, {"9h", "8h", "7c", "6c"});
  EXPECT_EQ(Text(::GetDlgItem(dialog, kRankType)), L"XYZR");
  EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(dialog, kReport)));
  // Resting on the equity against one random hand shows the class's figures in a tip.
  RestOn(::GetDlgItem(dialog, 1210));
  HWND tip = nullptr;
  for (int waited = 0; waited < 5000 && !(tip = VisibleTip(program_.Id())); waited += 50) gui::Pump(50);
  ASSERT_NE(tip, nullptr) << "no tip over the equity field";
  gui::Pump(300);
  RECT tipRect, dialogRect;
  ::GetWindowRect(tip, &tipRect);
  ::GetWindowRect(dialog, &dialogRect);
  EXPECT_GT(tipRect.right - tipRect.left, 100);
  gui::SaveCapture(gui::CaptureWindow(tip), L"hand_info_program_tip");
  Pick(dialog, 2200, {"Td", "5h", "4h", "9h"});  // 9h belongs to the hand: refused
  EXPECT_FALSE(::IsWindowEnabled(CardIn(dialog, 2200, "9h")));
  EXPECT_EQ(Text(::GetDlgItem(dialog, kFlushOuts)), L"9") << "nine hearts left";
  EXPECT_EQ(Text(::GetDlgItem(dialog, kHandStrength)), L"");
  ClickOn(::GetDlgItem(dialog, 1005));  // mark the flush outs
  gui::Pump(200);
  gui::SaveCapture(gui::CaptureWindow(dialog), L"hand_info_program_streets");

  // The straight draw report opens over the dialog and closes again.
  ClickOn(::GetDlgItem(dialog, kReport));
  HWND report = gui::WaitForWindow(nullptr, L"Straight draw probabilities", program_.Id(), 15000);
  ASSERT_NE(report, nullptr) << "no report";
  gui::Pump(300);
  gui::SaveCapture(gui::CaptureWindow(report), L"hand_info_program_report");
  ::PostMessageW(report, WM_CLOSE, 0, 0);
  EXPECT_TRUE(apptest::WaitGone(report, 10000));

  CloseDialog(dialog);
  EXPECT_EQ(apptest::ReadIni(Ini(), L"HandInfoStreetsDialog", L"Hand"), L"9h8h7c6c");
  EXPECT_EQ(apptest::ReadIni(Ini(), L"HandInfoStreetsDialog", L"Flop"), L"Td5h4h");
}

TEST_F(HandInfoProgramTest, HandVersusHandOpensFromToolsAndComputesTheEquity) {
  HWND dialog = OpenFromTools('H', L"Hand vs. hand");
  ASSERT_NE(dialog, nullptr) << "no hand versus hand";
  Pick(dialog, 2000, {"As", "Ad", "Ks", "Kd"});
  EXPECT_EQ(Text(::GetDlgItem(dialog, kRankType)), L"XXYY");
  EXPECT_FALSE(::IsWindowEnabled(CardIn(dialog, 2200, "As")));
  Pick(dialog, 2200, {"As", "Jh", "Th", "9c", "8c"});  // the ace of spades is hand 1's
  EXPECT_EQ(Text(::GetDlgItem(dialog, kRankType2)), L"XYZR");
  // The simulation runs inside the last click; the texts come when it is done.
  for (int waited = 0; waited < 20000 && Text(::GetDlgItem(dialog, kEquity2)).empty(); waited += 100) gui::Pump(100);
  const std::wstring equity1 = Text(::GetDlgItem(dialog, kEquity1)), equity2 = Text(::GetDlgItem(dialog, kEquity2));
  ASSERT_FALSE(equity1.empty());
  ASSERT_FALSE(equity2.empty());
  EXPECT_NEAR(std::stod(equity1) + std::stod(equity2), 100.0, 0.011);
  gui::SaveCapture(gui::CaptureWindow(dialog), L"hand_info_program_vs");

  ClickOn(::GetDlgItem(dialog, kResetHand));
  EXPECT_EQ(Text(::GetDlgItem(dialog, kEquity1)), L"");
  EXPECT_TRUE(::IsWindowEnabled(CardIn(dialog, 2200, "As")));
  CloseDialog(dialog);
  EXPECT_EQ(apptest::ReadIni(Ini(), L"HandInfoDialog", L"Hand1"), L"");
  EXPECT_EQ(apptest::ReadIni(Ini(), L"HandInfoDialog", L"Hand2"), L"JhTh9c8c");
}

}  // namespace
