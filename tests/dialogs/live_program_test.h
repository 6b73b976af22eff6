// The running program driven with real mouse input: clicks where a control shows, and a click
// on the frame's caption to make the program the active one first, as a user's first click does.
#pragma once

#include "gui_harness.h"
#include "live_input.h"
#include "main_dialog_program.h"

class LiveProgramTest : public apptest::MainDialogProgramTest {
 protected:
  using MainDialogProgramTest::MainDialogProgramTest;

  // Clicks the middle of a control of a window of the program.
  void ClickOn(HWND control) {
    ASSERT_NE(control, nullptr);
    RECT r;
    ::GetClientRect(control, &r);
    live::Click(control, POINT{r.right / 2, r.bottom / 2});
  }
  void ActivateFrame() {
    RECT frame;
    ::GetWindowRect(frame_, &frame);
    POINT caption = {frame.left + 200, frame.top + ::GetSystemMetrics(SM_CYCAPTION) / 2 + 2};
    ::ScreenToClient(frame_, &caption);
    live::Click(frame_, caption);
    gui::Pump(200);
  }
};
