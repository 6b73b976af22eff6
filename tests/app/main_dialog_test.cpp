// The main dialog in the running program: ranges typed into seats, the board and dead cards
// entered and guarded, the seat and board commands, the seat layout and the street columns,
// read back from the controls; captures of both layouts and of a full board.
#include <gtest/gtest.h>

#include <algorithm>
#include <string_view>

#include "gui_harness.h"
#include "main_dialog_program.h"
#include "program_runner.h"
#include "temp_folder.h"

namespace {

constexpr UINT kShortHanded = 32799, kDeadCards = 32800, kResults = 32801;
constexpr int kRange = 3040, kCheck = 3100, kCount = 1440, kExplorer = 1450, kRandom = 3010, kSeatClear = 3020;
constexpr int kFlop = 3070, kTurn = 3071, kRiver = 3072, kDead = 1600;
constexpr int kFlopCheck = 3122, kTurnCheck = 1601, kRiverCheck = 1602, kDeadCheck = 1603;
constexpr int kTurnClear = 1054, kFlopClear = 1049, kClearAll = 3073, kEvaluate = 1039, kAllStreets = 1068;
constexpr int kHeaderPreflop = 1070, kHeaderFlop = 1069, kToStreet = 1202;

// The widest card text ("Qd", "Kh", ...) in the dialog's font, Tahoma 8, in pixels.
int WidestCardText() {
  HDC dc = ::GetDC(nullptr);
  LOGFONTW logFont{};
  logFont.lfHeight = -::MulDiv(8, ::GetDeviceCaps(dc, LOGPIXELSY), 72);
  wcscpy(logFont.lfFaceName, L"Tahoma");
  HFONT font = ::CreateFontIndirectW(&logFont);
  HGDIOBJ old = ::SelectObject(dc, font);
  int widest = 0;
  for (wchar_t rank : std::wstring_view(L"23456789TJQKA")) {
    for (wchar_t suit : std::wstring_view(L"cdhs")) {
      const wchar_t card[2] = {rank, suit};
      SIZE size{};
      ::GetTextExtentPoint32W(dc, card, 2, &size);
      widest = std::max(widest, static_cast<int>(size.cx));
    }
  }
  ::SelectObject(dc, old);
  ::DeleteObject(font);
  ::ReleaseDC(nullptr, dc);
  return widest;
}

class MainDialogTest : public apptest::MainDialogProgramTest {
 protected:
  MainDialogTest() : MainDialogProgramTest(L"ovdlgcwd", L"ovdlgdata") {}

  void Type(int id, const std::wstring& text) {
    ::SendMessageW(Item(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
    ::SendMessageW(Item(id), EM_SETSEL, 0, 0);
    gui::TypeText(Item(id), text);
    gui::Pump(200);
  }
  void Click(int id) {
    ::SendMessageW(Item(id), BM_CLICK, 0, 0);
    gui::Pump(200);
  }
  bool Checked(int id) const { return ::SendMessageW(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
  bool Visible(int id) const { return ::IsWindowVisible(Item(id)) != 0; }
  bool Enabled(int id) const { return ::IsWindowEnabled(Item(id)) != 0; }
  int Top(int id) const {
    RECT r;
    ::GetWindowRect(Item(id), &r);
    return r.top;
  }
  // A card's two characters fit the one-card field: the widest card and the caret fit between
  // its margins, and the card it shows has not scrolled its first character out of sight.
  void ExpectCardReadable(int id) {
    RECT client{};
    ::GetClientRect(Item(id), &client);
    const LRESULT margins = ::SendMessageW(Item(id), EM_GETMARGINS, 0, 0);
    const int room = client.right - LOWORD(margins) - HIWORD(margins);
    EXPECT_LE(WidestCardText() + 1, room) << "field " << id << ": " << client.right << " px wide, margins "
                                          << LOWORD(margins) << " and " << HIWORD(margins);
    ExpectStartVisible(id);
  }
  void ExpectStartVisible(int id) {
    const LRESULT first = ::SendMessageW(Item(id), EM_POSFROMCHAR, 0, 0);
    EXPECT_GE(static_cast<short>(LOWORD(first)), 0) << "field " << id << " scrolled its first character out";
  }
  void Capture(const wchar_t* name) {
    gui::Pump(300);
    gui::Image shot = gui::CaptureWindow(frame_);
    gui::SaveCapture(shot, name);
    EXPECT_GT(gui::CountColours(shot, RECT{0, 0, shot.width, shot.height}), 10);
  }
};

TEST_F(MainDialogTest, SeatsTakeRangesCountHandsAndEnableEvaluate) {
  // The program starts short-handed: seats 0 to 3 are hidden, seat 4 is the first.
  for (int i = 0; i < 4; ++i) EXPECT_FALSE(Visible(kRange + i)) << i;
  EXPECT_TRUE(Visible(kRange + 4));
  EXPECT_FALSE(Enabled(kEvaluate));

  // Rank letters are typed in capitals, suit letters stay.
  Type(kRange + 4, L"ahks");
  EXPECT_EQ(Text(kRange + 4), L"AhKs");
  Type(kRange + 4, L"aa");
  EXPECT_EQ(Text(kRange + 4), L"AA");
  EXPECT_TRUE(Checked(kCheck + 4));
  EXPECT_TRUE(Visible(kCheck + 4));
  EXPECT_FALSE(Text(kCount + 4).empty()) << "hand count of AA";
  EXPECT_TRUE(Enabled(kExplorer + 4));
  EXPECT_FALSE(Enabled(kEvaluate)) << "one seat only";

  // The all-hands word typed by hand stays a word the range language knows.
  Type(kRange + 7, L"random");
  EXPECT_EQ(Text(kRange + 7), L"random");
  EXPECT_FALSE(Text(kCount + 7).empty());
  Click(kSeatClear + 7);

  Click(kRandom + 5);
  EXPECT_EQ(Text(kRange + 5), L"random");
  EXPECT_TRUE(Enabled(kEvaluate));

  // An unticked seat no longer counts.
  Click(kCheck + 5);
  EXPECT_FALSE(Checked(kCheck + 5));
  EXPECT_FALSE(Enabled(kEvaluate));
  EXPECT_FALSE(Enabled(kExplorer + 5));

  // Bad range text: no count, no launcher, no crash.
  Type(kRange + 6, L"xyz((");
  EXPECT_TRUE(Text(kCount + 6).empty());
  EXPECT_FALSE(Enabled(kExplorer + 6));

  // Clearing empties the range, unticks and hides the box.
  Click(kSeatClear + 4);
  EXPECT_EQ(Text(kRange + 4), L"");
  EXPECT_FALSE(Checked(kCheck + 4));
  EXPECT_FALSE(Visible(kCheck + 4));
  EXPECT_TRUE(Text(kCount + 4).empty());
}

TEST_F(MainDialogTest, BoardAndDeadCardsAreGuardedChainedAndCleared) {
  EXPECT_FALSE(Enabled(kTurn)) << "no flop yet";
  // The third flop card repeats the first: only its rank letter stays.
  Type(kFlop, L"AsKdAs");
  EXPECT_EQ(Text(kFlop), L"AsKdA");
  SetText(kFlop, L"As Kd 7h 2c");  // pasted with blanks: the first three cards stay
  EXPECT_EQ(Text(kFlop), L"AsKd7h");
  EXPECT_TRUE(Checked(kFlopCheck));
  EXPECT_TRUE(Enabled(kTurn));
  // A flop card typed into the turn leaves its rank letter.
  SetText(kTurn, L"Kd");
  EXPECT_EQ(Text(kTurn), L"K");
  // Typed, as a user enters them: the caret after the card must not scroll it out of sight.
  Type(kTurn, L"qc");
  EXPECT_EQ(Text(kTurn), L"Qc");
  Type(kRiver, L"ad");
  EXPECT_EQ(Text(kRiver), L"Ad");
  EXPECT_TRUE(Checked(kRiverCheck));
  ExpectCardReadable(kTurn);
  ExpectCardReadable(kRiver);
  // A seat's exact hand is in use too; a dead-card text pasted with a used card keeps what
  // precedes it, and the guard ends.
  SetText(kRange + 4, L"QhQdJhJd");
  SetText(kDead, L"5c6cQh8c");
  EXPECT_EQ(Text(kDead), L"5c6cQ");
  SetText(kDead, L"5c6c");
  EXPECT_TRUE(Checked(kDeadCheck));
  Capture(L"main_dialog_full_board");

  // Unticking the flop unticks turn and river; ticking the river ticks them again.
  Click(kFlopCheck);
  EXPECT_FALSE(Checked(kTurnCheck));
  EXPECT_FALSE(Checked(kRiverCheck));
  Click(kRiverCheck);
  EXPECT_TRUE(Checked(kFlopCheck));
  EXPECT_TRUE(Checked(kTurnCheck));

  Click(kTurnClear);
  EXPECT_EQ(Text(kTurn), L"");
  EXPECT_EQ(Text(kRiver), L"");
  EXPECT_EQ(Text(kFlop), L"AsKd7h");
  Click(kFlopClear);
  EXPECT_EQ(Text(kFlop), L"");
  EXPECT_FALSE(Enabled(kTurn));

  // A text that is no card shows light red; a complete flop typed moves on to the turn.
  SetText(kFlop, L"Zz");
  gui::Pump(200);
  gui::Image shot = gui::CaptureWindow(frame_);
  RECT frameRect, flopRect;
  ::GetWindowRect(frame_, &frameRect);
  ::GetWindowRect(Item(kFlop), &flopRect);
  EXPECT_EQ(shot.At(flopRect.right - 5 - frameRect.left, (flopRect.top + flopRect.bottom) / 2 - frameRect.top) & 0xFFFFFF,
            0xE07878u);
  ::SendMessageW(Item(kFlop), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
  ::SetForegroundWindow(frame_);
  ::PostMessageW(dialog_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(kFlop)), TRUE);
  gui::Pump(200);
  gui::TypeText(Item(kFlop), L"2h3h4h");
  gui::Pump(300);
  EXPECT_EQ(Text(kFlop), L"2h3h4h");
  ExpectStartVisible(kFlop);
  GUITHREADINFO info{};
  info.cbSize = sizeof(info);
  ::GetGUIThreadInfo(::GetWindowThreadProcessId(dialog_, nullptr), &info);
  EXPECT_EQ(info.hwndFocus, Item(kTurn)) << "focus on the turn";

  Click(kClearAll);
  for (int id : {kFlop, kTurn, kRiver, kDead, kRange + 4, kRange + 5}) EXPECT_EQ(Text(id), L"") << id;
}

TEST_F(MainDialogTest, SeatLauncherOpensThePopupMenuAndClearAllFocusesTheFirstSeat) {
  ::PostMessageW(Item(3030 + 5), BM_CLICK, 0, 0);
  HWND menu = nullptr;
  for (int i = 0; i < 50 && !menu; ++i) {
    gui::Pump(100);
    menu = gui::WaitForWindow(L"#32768", nullptr, program_.Id(), 100);
  }
  ASSERT_NE(menu, nullptr) << "no popup menu";
  gui::PostKey(menu, VK_ESCAPE);
  EXPECT_TRUE(apptest::WaitGone(menu, 5000));

  SetText(kRange + 6, L"AA");
  Click(kClearAll);
  GUITHREADINFO info{};
  info.cbSize = sizeof(info);
  ::GetGUIThreadInfo(::GetWindowThreadProcessId(dialog_, nullptr), &info);
  EXPECT_EQ(info.hwndFocus, Item(kRange + 4)) << "the first visible seat";
}

TEST_F(MainDialogTest, LayoutSwitchesBetweenSixAndTenSeatsAndStreetColumns) {
  Capture(L"main_dialog_six_seats");
  const int seat4Six = Top(kRange + 4), flopSix = Top(kFlop);
  RECT frameSix;
  ::GetWindowRect(frame_, &frameSix);

  ::SendMessageW(frame_, WM_COMMAND, kShortHanded, 0);
  gui::Pump(300);
  for (int i = 0; i < 10; ++i) EXPECT_TRUE(Visible(kRange + i)) << i;
  const int rows = Top(kRange + 4) - seat4Six;
  EXPECT_GT(rows, 0);
  EXPECT_EQ(Top(kFlop) - flopSix, rows);
  RECT frameTen;
  ::GetWindowRect(frame_, &frameTen);
  EXPECT_EQ((frameTen.bottom - frameTen.top) - (frameSix.bottom - frameSix.top), rows) << "the frame follows";
  Type(kRange + 0, L"kk");
  EXPECT_EQ(Text(kRange + 0), L"KK");
  Capture(L"main_dialog_ten_seats");

  ::SendMessageW(frame_, WM_COMMAND, kShortHanded, 0);
  gui::Pump(300);
  EXPECT_EQ(Top(kRange + 4), seat4Six);
  EXPECT_EQ(Top(kFlop), flopSix);
  EXPECT_FALSE(Visible(kRange + 0));
  EXPECT_FALSE(Visible(kCheck + 0)) << "a hidden seat's box stays hidden";

  // One equity column, or one per street.
  EXPECT_EQ(Text(kHeaderPreflop), L"Equity");
  EXPECT_FALSE(Visible(kHeaderFlop));
  EXPECT_EQ(Text(kToStreet), L"evaluate \"to street\"") << "the hidden to-street box";
  EXPECT_FALSE(Visible(kToStreet));
  Click(kAllStreets);
  EXPECT_EQ(Text(kHeaderPreflop), L"Preflop");
  EXPECT_TRUE(Visible(kHeaderFlop));
  Click(kAllStreets);
  EXPECT_EQ(Text(kHeaderPreflop), L"Equity");

  // Without dead cards their row hides, but the box stays while the display holds cards.
  SetText(kDead, L"2c");
  ::SendMessageW(frame_, WM_COMMAND, kDeadCards, 0);
  gui::Pump(200);
  EXPECT_FALSE(Visible(kDead));
  EXPECT_FALSE(Visible(1605));
  EXPECT_TRUE(Visible(kDeadCheck));
  ::SendMessageW(frame_, WM_COMMAND, kDeadCards, 0);
  gui::Pump(200);
  EXPECT_TRUE(Visible(kDead));

  // The result area: the frame grows down to the copy buttons.
  RECT before, after, copy;
  ::GetWindowRect(frame_, &before);
  ::SendMessageW(frame_, WM_COMMAND, kResults, 0);
  gui::Pump(300);
  ::GetWindowRect(frame_, &after);
  ::GetWindowRect(Item(3074), &copy);
  EXPECT_GT(after.bottom - after.top, before.bottom - before.top);
  EXPECT_GE(after.bottom, copy.bottom);
  Capture(L"main_dialog_results_area");
}

}  // namespace
