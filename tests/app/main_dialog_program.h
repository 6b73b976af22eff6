// A test that runs the program in folders of its own and works in its main dialog: the program
// started with the shipped tables, its frame and main dialog found, and closed afterwards.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "gui_harness.h"
#include "program_runner.h"
#include "temp_folder.h"

namespace apptest {

class MainDialogProgramTest : public ::testing::Test {
 protected:
  MainDialogProgramTest(const wchar_t* folderPrefix, const wchar_t* appDataPrefix)
      : folder_(folderPrefix), appData_(appDataPrefix) {}

  // Files the test wants in the program's folder besides the tables.
  virtual void PrepareFolder() {}

  void SetUp() override {
    ASSERT_TRUE(CopyTables(folder_.Path()));
    PrepareFolder();
    ASSERT_TRUE(program_.Start(folder_.Path(), appData_.Path()));
    frame_ = WaitForFrame(program_.Id());
    ASSERT_NE(frame_, nullptr);
    dialog_ = WaitForMainDialog(frame_);
    ASSERT_NE(dialog_, nullptr) << "no main dialog";
    gui::Pump(500);
  }
  void TearDown() override {
    if (frame_) ::PostMessageW(frame_, WM_CLOSE, 0, 0);
    DWORD code = 0;
    if (!program_.WaitExit(15000, &code)) program_.Kill();
  }

  HWND Item(int id) const { return ::GetDlgItem(dialog_, id); }
  // The text as the control itself gives it (another process's edit answers WM_GETTEXT only).
  std::wstring Text(HWND hwnd) const {
    wchar_t buffer[1024] = {};
    ::SendMessageW(hwnd, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buffer));
    return buffer;
  }
  std::wstring Text(int id) const { return Text(Item(id)); }
  void SetText(int id, const wchar_t* text) {
    ::SendMessageW(Item(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
    gui::Pump(100);
  }

  TempFolder folder_;
  TempFolder appData_;
  Program program_;
  HWND frame_ = nullptr;
  HWND dialog_ = nullptr;
};

}  // namespace apptest
