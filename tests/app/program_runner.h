// Starts the program in a folder of the test's choosing, with a private application-data
// folder, and finds its windows.
#pragma once

#include <windows.h>

#include <string>

#include "gui_harness.h"

namespace apptest {

// The program as a process: a started process whose settings live under appData.
class Program : public gui::Process {
 public:
  // Runs <test folder>\OmahaVantorn.exe with folder as its current folder and appData as its
  // application-data folder.
  bool Start(const std::wstring& folder, const std::wstring& appData, const std::wstring& args = L"");
};

// Copies the shipped table files next to the tests into folder.
bool CopyTables(const std::wstring& folder, bool classFile = true, bool handFile = true);

// The program's frame (caption starting "Brightfold Vantorn - Omaha", or the given prefix).
HWND WaitForFrame(DWORD pid, DWORD timeoutMs = 20000, const wchar_t* captionPrefix = L"Brightfold Vantorn - ");

// The main dialog inside the program's frame (the parent of the first seat's range field),
// waited for while this thread pumps; nullptr on time-out.
HWND WaitForMainDialog(HWND frame, DWORD timeoutMs = 10000);

// Waits until the window is gone; false on time-out.
bool WaitGone(HWND hwnd, DWORD timeoutMs);

// The texts of a message box: its caption and its message. The program's HTML message box
// draws its message and keeps it as plain text in a hidden label; htmlBox tells that box (hidden
// label, the program's light grey background on screen) from a system message box.
struct MessageBoxTexts {
  std::wstring caption;
  std::wstring message;
  bool htmlBox = false;
};
MessageBoxTexts ReadMessageBox(HWND box);

// Value of a key in an ini file; empty when absent.
std::wstring ReadIni(const std::wstring& file, const wchar_t* section, const wchar_t* key);

}  // namespace apptest
