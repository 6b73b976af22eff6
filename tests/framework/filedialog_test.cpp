// The file dialogs: a name typed by the user comes back with the default
// extension, the filter reaches the dialog, Cancel gives IDCANCEL, and a
// refused initial name does not keep the dialog from opening.
#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>

#include "framework/afxwin.h"
#include "gui_harness.h"
#include "test_util.h"

namespace {

class CFileDialogTestApp : public CWinApp {
 public:
  CFileDialogTestApp() : CWinApp(L"File Dialog Test") {}
};
CFileDialogTestApp theApp;

constexpr int kFileNameCombo = 0x047C;  // explorer-style dialogs
constexpr int kFileNameEdit = 0x0480;   // older dialogs
constexpr int kTypeCombo = 0x0470;

HWND FindOwnDialog(DWORD timeoutMs) {
  const DWORD start = ::GetTickCount();
  while (::GetTickCount() - start < timeoutMs) {
    HWND found = nullptr;
    ::EnumWindows(
        [](HWND hWnd, LPARAM lParam) -> BOOL {
          DWORD pid = 0;
          ::GetWindowThreadProcessId(hWnd, &pid);
          if (pid == ::GetCurrentProcessId() && ::IsWindowVisible(hWnd) && gui::ClassName(hWnd) == L"#32770") {
            *reinterpret_cast<HWND*>(lParam) = hWnd;
            return FALSE;
          }
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    if (found != nullptr) return found;
    ::Sleep(50);
  }
  return nullptr;
}

// Runs the user's part on another thread while DoModal shows the dialog.
struct User {
  explicit User(std::function<void(HWND)> act)
      : thread([this, act] {
          HWND dialog = FindOwnDialog(15000);
          sawDialog = dialog != nullptr;
          if (dialog != nullptr) {
            ::Sleep(100);  // let it finish filling itself
            act(dialog);
          }
        }) {}
  ~User() { thread.join(); }
  std::atomic<bool> sawDialog{false};
  std::thread thread;
};

HWND NameField(HWND dialog) {
  HWND field = ::GetDlgItem(dialog, kFileNameCombo);
  return field ? field : ::GetDlgItem(dialog, kFileNameEdit);
}

std::wstring TempFolder() {
  wchar_t folder[MAX_PATH] = {};
  DWORD n = ::GetTempPathW(MAX_PATH, folder);
  if (n > 0 && folder[n - 1] == L'\\') folder[n - 1] = 0;
  return folder;
}

const wchar_t kFilter[] = L"Vantorn - Omaha Files (*.vof)|*.vof|All Files (*.*)|*.*||";

TEST(FileDialog, ASavedNameGetsTheDefaultExtension) {
  std::wstring folder = TempFolder();
  std::wstring initial = folder + L"\\start.vof";
  CFileDialog dialog(FALSE, L"vof", initial.c_str(), OFN_HIDEREADONLY, kFilter);
  std::wstring typed = folder + L"\\scenario";
  int filterEntries = -1;
  INT_PTR result;
  {
    User user([&](HWND d) {
      filterEntries = static_cast<int>(::SendMessageW(::GetDlgItem(d, kTypeCombo), CB_GETCOUNT, 0, 0));
      ::SendMessageW(NameField(d), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(typed.c_str()));
      ::PostMessageW(d, WM_COMMAND, IDOK, 0);
    });
    result = dialog.DoModal();
    ASSERT_TRUE(user.sawDialog);
  }
  ASSERT_EQ(result, IDOK);
  EXPECT_EQ(filterEntries, 2);
  EXPECT_EQ(dialog.GetPathName().CompareNoCase((typed + L".vof").c_str()), 0)
      << CStringA(dialog.GetPathName()).GetString();
  EXPECT_EQ(dialog.GetFileName(), L"scenario.vof");
  EXPECT_EQ(dialog.GetFileExt(), L"vof");
  EXPECT_EQ(dialog.GetFileTitle(), L"scenario");
}

TEST(FileDialog, CancelChangesNothing) {
  CFileDialog dialog(TRUE, L"vof", nullptr, OFN_HIDEREADONLY, kFilter);
  INT_PTR result;
  {
    User user([](HWND d) { ::PostMessageW(d, WM_COMMAND, IDCANCEL, 0); });
    result = dialog.DoModal();
  }
  EXPECT_EQ(result, IDCANCEL);
  EXPECT_EQ(dialog.GetPathName(), L"");
}

TEST(FileDialog, ARefusedInitialNameStillOpensTheDialog) {
  CFileDialog dialog(FALSE, L"vof", L"[AAxx] vs. [KK**] Board=Ah7c|2d \"x\".vof", OFN_HIDEREADONLY, kFilter);
  User user([](HWND d) { ::PostMessageW(d, WM_COMMAND, IDCANCEL, 0); });
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_TRUE(user.sawDialog);  // set before the user cancelled
}

}  // namespace
