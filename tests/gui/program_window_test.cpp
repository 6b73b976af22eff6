// The program starts, shows its main window with its title, and closes cleanly.
#include <gtest/gtest.h>

#include "gui_harness.h"

namespace {

TEST(ProgramWindow, OpensShowsTitleAndClosesCleanly) {
    gui::Process program;
    ASSERT_TRUE(program.Start(L"OmahaVantorn.exe")) << "cannot start the program";
    HWND main = gui::WaitForWindow(nullptr, L"Brightfold Vantorn - Omaha", program.Id(), 20000);
    ASSERT_NE(main, nullptr) << "no main window within 20 s";
    gui::Pump(300);

    gui::Image shot = gui::CaptureWindow(main);
    ASSERT_FALSE(shot.Empty());
    EXPECT_FALSE(gui::SaveCapture(shot, L"program_window").empty());
    // The caption bar and the client area differ: something was really drawn.
    EXPECT_GT(gui::CountColours(shot, RECT{0, 0, shot.width, shot.height}), 2);

    PostMessageW(main, WM_CLOSE, 0, 0);
    DWORD code = 1234;
    ASSERT_TRUE(program.WaitExit(10000, &code)) << "the program did not end after WM_CLOSE";
    EXPECT_EQ(code, 0u);
}

}  // namespace
