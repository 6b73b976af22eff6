// The whole program with the update check and the settings dialog: a local server offers a
// newer, an equal or a malformed version file, or nothing listens at all; the user answers the
// update dialog and changes the settings through the File menu's command.
#include "local_http_server.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>

#include "gui_harness.h"
#include "menu.h"
#include "program_runner.h"
#include "settings_dialogs.h"
#include "temp_folder.h"

namespace {

// A control's text in the program's process.
std::wstring ItemText(HWND box, int id) {
  wchar_t text[256] = L"";
  ::SendMessageW(::GetDlgItem(box, id), WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text));
  return text;
}

class UpdateProgramTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(apptest::CopyTables(folder_.Path())); }

  std::wstring Ini() const { return appData_ / L"OmahaVantorn\\OmahaVantorn.ini"; }

  // The settings the program finds at its start.
  void WriteSettings(const std::wstring& url, const std::wstring& suppressed = L"") {
    ::CreateDirectoryW((appData_ / L"OmahaVantorn").c_str(), nullptr);
    ::WritePrivateProfileStringW(L"Global", L"UpdateURL", url.c_str(), Ini().c_str());
    if (!suppressed.empty())
      ::WritePrivateProfileStringW(L"Global", L"SuppressUpdateVersion", suppressed.c_str(), Ini().c_str());
  }

  void CloseAndExpectCleanExit(apptest::Program& program, HWND frame) {
    ::PostMessageW(frame, WM_CLOSE, 0, 0);
    DWORD code = 1234;
    ASSERT_TRUE(program.WaitExit(15000, &code)) << "the program did not end after WM_CLOSE";
    EXPECT_EQ(code, 0u);
  }

  // Starts the program and reports whether the update dialog came before the frame (it is
  // cancelled, which lets start-up go on).
  bool StartAndSeeUpdateDialog() {
    apptest::Program program;
    EXPECT_TRUE(program.Start(folder_.Path(), appData_.Path()));
    bool shown = false;
    HWND frame = nullptr;
    const DWORD start = ::GetTickCount();
    while (!frame && ::GetTickCount() - start < 30000) {
      if (HWND box = gui::WaitForWindow(nullptr, L"Update available", program.Id(), 0)) {
        shown = true;
        ::PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
      }
      frame = gui::WaitForWindow(nullptr, L"Brightfold Vantorn - ", program.Id(), 0);
      gui::Pump(100);
    }
    EXPECT_NE(frame, nullptr);
    if (frame) CloseAndExpectCleanExit(program, frame);
    return shown;
  }

  apptest::TempFolder folder_{L"ovupd"};
  apptest::TempFolder appData_{L"ovupdappdata"};
  apptest::LocalHttpServer server_;
};

TEST_F(UpdateProgramTest, NewerVersionShowsTheDialogUntilTheUserPutsItAside) {
  ASSERT_TRUE(server_.Running());
  server_.Serve(200, "[Vantorn]\r\nVersion=1,0,0,1\r\n");
  WriteSettings(server_.Url());

  apptest::Program program;
  ASSERT_TRUE(program.Start(folder_.Path(), appData_.Path()));
  HWND box = gui::WaitForWindow(nullptr, L"Update available", program.Id(), 20000);
  ASSERT_NE(box, nullptr) << "a newer version should be offered";
  gui::Pump(300);
  gui::SaveCapture(gui::CaptureWindow(box), L"app_update_available");
  EXPECT_EQ(ItemText(box, IDC_UPDATE_SUPPRESS), L"Don't remind me of version 1.0.0.1 again.");
  EXPECT_EQ(::IsDlgButtonChecked(box, IDC_UPDATE_GO_DOWNLOAD), static_cast<UINT>(BST_CHECKED));
  ::SendMessageW(::GetDlgItem(box, IDC_UPDATE_SUPPRESS), BM_CLICK, 0, 0);
  ::PostMessageW(box, WM_COMMAND, IDOK, 0);
  HWND frame = apptest::WaitForFrame(program.Id());
  ASSERT_NE(frame, nullptr);
  CloseAndExpectCleanExit(program, frame);
  EXPECT_EQ(apptest::ReadIni(Ini(), L"Global", L"SuppressUpdateVersion"), L"1.0.0.1");

  // The same version again: no dialog. A newer one: the dialog again.
  EXPECT_FALSE(StartAndSeeUpdateDialog());
  server_.Serve(200, "Version=1,0,0,2\r\n");
  EXPECT_TRUE(StartAndSeeUpdateDialog());
}

TEST_F(UpdateProgramTest, EqualOrMalformedVersionFilesShowNothing) {
  ASSERT_TRUE(server_.Running());
  WriteSettings(server_.Url());
  for (const char* body : {"Version=1,0,0,0\r\n", "<html><body>Moved</body></html>", "\x01\x02\x03 Version"}) {
    server_.Serve(200, body);
    EXPECT_FALSE(StartAndSeeUpdateDialog()) << body;
  }
  EXPECT_GE(server_.Requests(), 3);
}

TEST_F(UpdateProgramTest, StartUpWithoutAServerStaysWithinTheTimeOut) {
  using Clock = std::chrono::steady_clock;
  for (bool silent : {false, true}) {
    if (silent) {
      server_.BeSilent();
      WriteSettings(server_.Url());
    } else {
      WriteSettings(L"http://127.0.0.1:" + std::to_wstring(apptest::UnusedPort()) + L"/version.ini");
    }
    const auto start = Clock::now();
    apptest::Program program;
    ASSERT_TRUE(program.Start(folder_.Path(), appData_.Path()));
    HWND frame = apptest::WaitForFrame(program.Id(), 30000);
    ASSERT_NE(frame, nullptr);
    // The request waits at most 3 s per step; start-up itself takes a few seconds under Wine.
    EXPECT_LT(Clock::now() - start, std::chrono::seconds(20)) << (silent ? "silent server" : "nothing listening");
    EXPECT_EQ(gui::WaitForWindow(nullptr, L"Update available", program.Id(), 0), nullptr);
    CloseAndExpectCleanExit(program, frame);
  }
}

// Opens "Settings" through the frame's command.
HWND OpenSettings(HWND frame, DWORD pid) {
  ::PostMessageW(frame, WM_COMMAND, ID_SETTINGS, 0);
  return gui::WaitForWindow(nullptr, L"Settings", pid, 10000);
}


TEST_F(UpdateProgramTest, SettingsDialogChangesTimeAndGameOnlyAtOk) {
  WriteSettings(L"http://127.0.0.1:" + std::to_wstring(apptest::UnusedPort()) + L"/version.ini");
  ::WritePrivateProfileStringW(L"Global", L"EvaluationTime", L"1500", Ini().c_str());
  apptest::Program program;
  ASSERT_TRUE(program.Start(folder_.Path(), appData_.Path()));
  HWND frame = apptest::WaitForFrame(program.Id());
  ASSERT_NE(frame, nullptr);

  HWND box = OpenSettings(frame, program.Id());
  ASSERT_NE(box, nullptr);
  gui::Pump(300);
  gui::SaveCapture(gui::CaptureWindow(box), L"app_settings_dialog");
  EXPECT_EQ(ItemText(box, IDC_SETTINGS_SECONDS), L"1") << "1,500 ms shows as whole seconds";
  EXPECT_EQ(::IsDlgButtonChecked(box, IDC_SETTINGS_OMAHA_HI), static_cast<UINT>(BST_CHECKED));
  // Cancel after changing both fields changes nothing.
  ::SetDlgItemTextW(box, IDC_SETTINGS_SECONDS, L"9");
  ::SendMessageW(::GetDlgItem(box, IDC_SETTINGS_OMAHA_HILO), BM_CLICK, 0, 0);
  ::PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
  ASSERT_TRUE(apptest::WaitGone(box, 5000));
  EXPECT_EQ(apptest::ReadIni(Ini(), L"Global", L"EvaluationTime"), L"1500");
  EXPECT_EQ(apptest::ReadIni(Ini(), L"Global", L"UseHiLo"), L"");
  EXPECT_EQ(gui::WindowText(frame), L"Brightfold Vantorn - Omaha");

  // Typed values: the spin's range limits only its arrows; text after the digits is dropped.
  const struct {
    const wchar_t* typed;
    const wchar_t* stored;
  } times[] = {{L"2000", L"2000000"}, {L"0", L"0"}, {L"7 s", L"7000"}, {L"abc", L"0"}, {L"99999999", L"2147483647"}};
  for (const auto& t : times) {
    box = OpenSettings(frame, program.Id());
    ASSERT_NE(box, nullptr);
    ::SetDlgItemTextW(box, IDC_SETTINGS_SECONDS, t.typed);
    ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(apptest::WaitGone(box, 5000));
    EXPECT_EQ(apptest::ReadIni(Ini(), L"Global", L"EvaluationTime"), t.stored) << t.typed;
  }

  // The game: the caption follows at once.
  box = OpenSettings(frame, program.Id());
  ASSERT_NE(box, nullptr);
  ::SetDlgItemTextW(box, IDC_SETTINGS_SECONDS, L"3");
  ::SendMessageW(::GetDlgItem(box, IDC_SETTINGS_OMAHA_HILO), BM_CLICK, 0, 0);
  ::PostMessageW(box, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(apptest::WaitGone(box, 5000));
  gui::Pump(200);
  EXPECT_EQ(apptest::ReadIni(Ini(), L"Global", L"UseHiLo"), L"1");
  EXPECT_EQ(apptest::ReadIni(Ini(), L"Global", L"EvaluationTime"), L"3000");
  EXPECT_EQ(gui::WindowText(frame), L"Brightfold Vantorn - Omaha Hi/Lo");

  // Reopened, the dialog shows what was stored.
  box = OpenSettings(frame, program.Id());
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(ItemText(box, IDC_SETTINGS_SECONDS), L"3");
  EXPECT_EQ(::IsDlgButtonChecked(box, IDC_SETTINGS_OMAHA_HILO), static_cast<UINT>(BST_CHECKED));
  EXPECT_EQ(::IsDlgButtonChecked(box, IDC_SETTINGS_OMAHA_HI), static_cast<UINT>(BST_UNCHECKED));
  ::SendMessageW(::GetDlgItem(box, IDC_SETTINGS_OMAHA_HI), BM_CLICK, 0, 0);
  ::PostMessageW(box, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(apptest::WaitGone(box, 5000));
  gui::Pump(200);
  EXPECT_EQ(apptest::ReadIni(Ini(), L"Global", L"UseHiLo"), L"0");
  EXPECT_EQ(gui::WindowText(frame), L"Brightfold Vantorn - Omaha");
  CloseAndExpectCleanExit(program, frame);
}

}  // namespace
