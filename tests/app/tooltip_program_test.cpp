// Tooltips of the main dialog in the running program under the real pointer: resting on a seat
// button shows its tip text, resting on the banner's link area shows the HTML tooltip with the
// home-page address, and the rest of the banner shows none. Captures of both.
#include <gtest/gtest.h>

#include <algorithm>

#include "gui_harness.h"
#include "main_dialog_program.h"

namespace {

constexpr int kRandom = 3010, kBanner = 1608;
constexpr DWORD kWaitMs = 10000;

// Puts the pointer on a point of a window (client coordinates) and tells the window under it
// of the move, as the program's own message loop sees one: input injected from another
// process does not reach it on every system.
void MoveTo(HWND hwnd, POINT client) {
  POINT screen = client;
  ::ClientToScreen(hwnd, &screen);
  ::SetCursorPos(screen.x, screen.y);
  if (HWND under = ::WindowFromPoint(screen)) {
    POINT local = screen;
    ::ScreenToClient(under, &local);
    ::PostMessageW(under, WM_MOUSEMOVE, 0, MAKELPARAM(local.x, local.y));
  }
  gui::Pump(50);
}

struct Found {
  DWORD pid;
  const wchar_t* className;
  HWND hwnd;
};

BOOL CALLBACK FindVisible(HWND hwnd, LPARAM lParam) {
  auto* f = reinterpret_cast<Found*>(lParam);
  DWORD pid = 0;
  ::GetWindowThreadProcessId(hwnd, &pid);
  if (pid == f->pid && ::IsWindowVisible(hwnd) && gui::ClassName(hwnd) == f->className) {
    f->hwnd = hwnd;
    return FALSE;
  }
  return TRUE;
}

// A visible top-level window of the class in the process, or null.
HWND VisibleWindow(DWORD pid, const wchar_t* className) {
  Found f = {pid, className, nullptr};
  ::EnumWindows(&FindVisible, reinterpret_cast<LPARAM>(&f));
  return f.hwnd;
}

HWND WaitVisible(DWORD pid, const wchar_t* className, DWORD timeoutMs) {
  const DWORD start = ::GetTickCount();
  for (;;) {
    if (HWND hwnd = VisibleWindow(pid, className)) return hwnd;
    if (::GetTickCount() - start >= timeoutMs) return nullptr;
    gui::Pump(50);
  }
}

void SaveCapture(HWND frame, HWND tip, const wchar_t* name) {
  RECT area, tipRect;
  ::GetWindowRect(frame, &area);
  ::GetWindowRect(tip, &tipRect);
  ::UnionRect(&area, &area, &tipRect);
  const RECT screen = {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
  ::IntersectRect(&area, &area, &screen);
  gui::SaveCapture(gui::CaptureScreenRect(area), name);
}

class TooltipProgramTest : public apptest::MainDialogProgramTest {
 protected:
  TooltipProgramTest() : MainDialogProgramTest(L"ovtipcwd", L"ovtipdata") {}
  void SetUp() override {
    MainDialogProgramTest::SetUp();
    if (HasFatalFailure()) return;
    // Tips show for the active program only.
    ::SetForegroundWindow(frame_);
    ::SetActiveWindow(frame_);
    gui::Pump(200);
  }
  void Away() {
    RECT frame;
    ::GetWindowRect(frame_, &frame);
    MoveTo(frame_, {(frame.right - frame.left) / 2, frame.bottom - frame.top + 40});
  }
};

TEST_F(TooltipProgramTest, ASeatButtonShowsItsTip) {
  // The program starts short-handed: seat 4 is the first seat shown.
  HWND random = Item(kRandom + 4);
  ASSERT_TRUE(::IsWindowVisible(random));
  RECT r;
  ::GetClientRect(random, &r);
  MoveTo(random, {r.right / 2, r.bottom / 2});
  MoveTo(random, {r.right / 2 + 1, r.bottom / 2});
  HWND tip = WaitVisible(program_.Id(), L"tooltips_class32", kWaitMs);
  ASSERT_NE(tip, nullptr) << "no tooltip over the seat's random button";
  wchar_t text[256] = {};
  ::SendMessageW(tip, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text));
  EXPECT_STREQ(text, L"random");
  SaveCapture(frame_, tip, L"program_tooltip_seat_button");
  Away();
}

TEST_F(TooltipProgramTest, TheBannerShowsTheHomePageAddressOnItsLinkAreaOnly) {
  HWND banner = Item(kBanner);
  ASSERT_NE(banner, nullptr);
  // Beside the link area (the dialog's top-left 305 × 46 pixels) the banner has no tip.
  RECT bannerRect;
  ::GetWindowRect(banner, &bannerRect);
  POINT beside = {std::min<LONG>(420, bannerRect.right - bannerRect.left - 20), 20};
  ::MapWindowPoints(banner, dialog_, &beside, 1);
  if (beside.x > 320) {
    MoveTo(dialog_, beside);
    MoveTo(dialog_, {beside.x + 1, beside.y});
    gui::Pump(1500);  // three times the initial delay
    EXPECT_EQ(VisibleWindow(program_.Id(), L"CPPToolTip"), nullptr) << "a tip beside the link area";
  }

  MoveTo(dialog_, {150, 20});
  MoveTo(dialog_, {151, 20});
  HWND tip = WaitVisible(program_.Id(), L"CPPToolTip", kWaitMs);
  ASSERT_NE(tip, nullptr) << "no tooltip on the banner's link area";
  // The balloon sits above or below the cursor with its tail's tip on it, and has text on it.
  RECT tipRect;
  ::GetWindowRect(tip, &tipRect);
  POINT cursor;
  ::GetCursorPos(&cursor);
  EXPECT_TRUE(cursor.y <= tipRect.top + 1 || cursor.y >= tipRect.bottom - 8) << "tip over the cursor";
  EXPECT_GE(tipRect.right - tipRect.left, 150) << "too narrow for the address";
  const gui::Image shot = gui::CaptureScreenRect(tipRect);
  EXPECT_GT(gui::CountColours(shot, RECT{0, 0, shot.width, shot.height}), 8);
  SaveCapture(frame_, tip, L"program_tooltip_banner");

  // A key hides it at once.
  INPUT key[2] = {};
  key[0].type = key[1].type = INPUT_KEYBOARD;
  key[0].ki.wVk = key[1].ki.wVk = VK_SHIFT;
  key[1].ki.dwFlags = KEYEVENTF_KEYUP;
  ::SendInput(2, key, sizeof(INPUT));
  const DWORD start = ::GetTickCount();
  while (::IsWindowVisible(tip) && ::GetTickCount() - start < kWaitMs) gui::Pump(50);
  EXPECT_FALSE(::IsWindowVisible(tip));
  Away();
}

}  // namespace
