// What the range dialogs' tests share: the application's tables and private settings, the
// user's actions on a dialog's controls, and a user on another thread for modal dialogs.
#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>

#include "app/app_utils.h"
#include "app/omaha_app.h"
#include "app/settings.h"
#include "framework/webbrowser.h"
#include "gui_harness.h"
#include "temp_folder.h"

namespace rangetest {

// The test program's application object: tables loaded once, settings in a private folder.
class Environment {
 public:
  static void LoadTables(COmahaVantornApp& app) {
    AfxEnableControlContainer();  // the explorer's browser
    ASSERT_TRUE(app.m_handBase.LoadTables(gui::ExeFolder()).Loaded());
    app.SyncRangeSettings();
  }
  Environment() {
    ::SetEnvironmentVariableW(L"OMAHAVANTORN_APPDATA", appData_.Path().c_str());
    ResetAppDataFolderCache();
    swap_ = RedirectProfileToAppData();
    ini_ = swap_->m_iniPath.GetString();
  }
  ~Environment() {
    swap_->Restore(GetOmahaApp());
    delete swap_;
    ::SetEnvironmentVariableW(L"OMAHAVANTORN_APPDATA", nullptr);
    ResetAppDataFolderCache();
  }
  const std::wstring& Ini() const { return ini_; }
  void WriteIni(const wchar_t* section, const wchar_t* key, const wchar_t* value) const {
    ::WritePrivateProfileStringW(section, key, value, ini_.c_str());
  }
  std::wstring ReadIni(const wchar_t* section, const wchar_t* key) const {
    wchar_t value[256] = L"";
    ::GetPrivateProfileStringW(section, key, L"", value, 256, ini_.c_str());
    return value;
  }

 private:
  apptest::TempFolder appData_{L"ovrangedata"};
  ProfileNameSwap* swap_ = nullptr;
  std::wstring ini_;
};

// What the range language itself says of a text: classes and hands it selects.
struct Counts {
  int classes = 0, hands = 0;
};
inline Counts CoreCounts(const std::wstring& text) {
  COmahaBase& base = GetOmahaApp()->m_handBase;
  base.SelectRange(text);
  return {base.CountSelectedClasses(), base.CountSelectedHands()};
}
inline std::wstring CoreSummary(const std::wstring& text) {
  const Counts c = CoreCounts(text);
  return GetOmahaApp()->m_handBase.FormatSelectionSummary(c.classes, c.hands);
}

inline std::wstring Text(HWND dialog, int id) { return gui::WindowText(::GetDlgItem(dialog, id)); }
inline std::wstring WindowCaption(HWND hwnd) { return gui::WindowText(hwnd); }
inline bool Enabled(HWND dialog, int id) { return ::IsWindowEnabled(::GetDlgItem(dialog, id)) != FALSE; }
inline bool Checked(HWND dialog, int id) {
  return ::SendMessageW(::GetDlgItem(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}
// A click on a button as the button itself takes it (pressed and released over it).
inline void Click(HWND dialog, int id) { ::SendMessageW(::GetDlgItem(dialog, id), BM_CLICK, 0, 0); }
// A drop-down list's entry chosen: the selection and the notification the list sends.
inline void Choose(HWND dialog, int id, int index) {
  HWND box = ::GetDlgItem(dialog, id);
  ::SendMessageW(box, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(box));
}
inline int Selection(HWND dialog, int id) {
  return static_cast<int>(::SendMessageW(::GetDlgItem(dialog, id), CB_GETCURSEL, 0, 0));
}
// Text typed over an edit's whole content, selected first: characters as the keyboard sends
// them, so the edit reports a change after each one.
inline void Type(HWND dialog, int id, const std::wstring& text) {
  HWND edit = ::GetDlgItem(dialog, id);
  ::SendMessageW(edit, EM_SETSEL, 0, -1);
  for (wchar_t c : text) ::SendMessageW(edit, WM_CHAR, c, 0);
}
// A click on the upper (up) or lower (down) arrow of a vertical spin button.
inline void Spin(HWND dialog, int id, bool up) {
  HWND spin = ::GetDlgItem(dialog, id);
  RECT r;
  ::GetClientRect(spin, &r);
  const LPARAM at = MAKELPARAM(r.right / 2, up ? r.bottom / 4 : r.bottom * 3 / 4);
  ::SendMessageW(spin, WM_LBUTTONDOWN, MK_LBUTTON, at);
  ::SendMessageW(spin, WM_LBUTTONUP, 0, at);
}

// A window of this process, visible, whose caption starts with the prefix; or null.
inline HWND FindOwnWindow(const std::wstring& prefix) {
  struct Search {
    const std::wstring* prefix;
    HWND found;
  } search{&prefix, nullptr};
  ::EnumWindows(
      [](HWND hwnd, LPARAM data) -> BOOL {
        auto* s = reinterpret_cast<Search*>(data);
        DWORD pid = 0;
        ::GetWindowThreadProcessId(hwnd, &pid);
        if (pid != ::GetCurrentProcessId() || !::IsWindowVisible(hwnd)) return TRUE;
        if (gui::WindowText(hwnd).rfind(*s->prefix, 0) != 0) return TRUE;
        s->found = hwnd;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// Plays the user on another thread while the test thread runs a modal dialog: waits for a
// window whose caption starts with the prefix and acts on it once.
class User {
 public:
  User(std::wstring caption, std::function<void(HWND)> act)
      : caption_(std::move(caption)), act_(std::move(act)), thread_([this] { Loop(); }) {}
  ~User() {
    done_ = true;
    thread_.join();
  }
  bool Acted() const { return acted_; }

 private:
  void Loop() {
    for (int waited = 0; !done_ && !acted_ && waited < 30000; waited += 30) {
      if (HWND window = FindOwnWindow(caption_)) {
        ::Sleep(100);  // let it finish its initialisation
        act_(window);
        acted_ = true;
        return;
      }
      ::Sleep(30);
    }
  }
  std::wstring caption_;
  std::function<void(HWND)> act_;
  std::atomic<bool> done_{false};
  std::atomic<bool> acted_{false};
  std::thread thread_;
};

}  // namespace rangetest
