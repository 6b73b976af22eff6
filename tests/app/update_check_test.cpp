// The update check: the version file's rules, comparing versions, the stored version the user
// put aside, fetching from a local server (newer, equal, malformed, error status, nothing
// listening, no answer) and the "Update available" dialog as a user answers it.
// Winsock before any header that brings windows.h.
#include "local_http_server.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>

#include "app/app_utils.h"
#include "app/omaha_app.h"
#include "app/settings.h"
#include "app/update_check.h"
#include "app/update_dialog.h"
#include "settings_dialogs.h"
#include "temp_folder.h"

namespace {

COmahaVantornApp g_app;

std::string Version(const int v[4]) {
  return std::to_string(v[0]) + "." + std::to_string(v[1]) + "." + std::to_string(v[2]) + "." + std::to_string(v[3]);
}

TEST(VersionFile, Lines) {
  const struct {
    std::string text;
    const char* version;
  } cases[] = {
      {"Version=1,0,3,12\r\n", "1.0.3.12"},
      {"[Update]\r\nVersion=2,1,0,7\r\nDate=today\r\n", "2.1.0.7"},
      {"Version=1,2\r\n", "1.2.0.0"},                      // missing numbers are 0
      {"Version=\r\n", "0.0.0.0"},
      {"Version=1x,  4,abc,9\r\n", "1.4.0.9"},             // leading digits count
      {"version=9,9,9,9\r\n", "-1.-1.-1.-1"},              // key is case-sensitive
      {"Version =9,9,9,9\r\n", "-1.-1.-1.-1"},             // blanks are not trimmed
      {"=Version=9\r\n", "-1.-1.-1.-1"},
      {"Version=1,0,0,0\r\nVersion=3,0,0,0\r\n", "3.0.0.0"}, // the last one wins
      {"\n\nVersion=4,0,0,1", "4.0.0.1"},                  // line feeds skipped, no final CR
      {std::string("Version=5,0,0,0\r\n\0Version=6,0,0,0\r\n", 36), "5.0.0.0"},
      {std::string(600, 'x') + "\rVersion=7,0,0,0\r", "-1.-1.-1.-1"},  // past the first 512 bytes
      {"<html>Not found</html>", "-1.-1.-1.-1"},
      {"", "-1.-1.-1.-1"},
  };
  for (const auto& c : cases) {
    int v[4] = {42, 42, 42, 42};
    ParseVersionFile(c.text, v);
    EXPECT_EQ(Version(v), c.version) << c.text;
  }
}

TEST(VersionFile, TextsAndComparison) {
  int v[4];
  ParseVersionText(L"1,0,3,12", v);
  EXPECT_EQ(Version(v), "1.0.3.12");
  ParseVersionText(L"2.5", v);
  EXPECT_EQ(Version(v), "2.5.0.0");
  ParseVersionText(L"", v);
  EXPECT_EQ(Version(v), "0.0.0.0");

  const int own[4] = {1, 0, 3, 11};
  const int same[4] = {1, 0, 3, 11}, newer[4] = {1, 0, 3, 12}, older[4] = {1, 0, 2, 99}, major[4] = {2, 0, 0, 0};
  EXPECT_EQ(CompareVersions(same, own), 0);
  EXPECT_GT(CompareVersions(newer, own), 0);
  EXPECT_LT(CompareVersions(older, own), 0);
  EXPECT_GT(CompareVersions(major, newer), 0);
  EXPECT_STREQ(FormatVersion(1, 0, 3, 12), L"1.0.3.12");
}

TEST(VersionFile, SuppressedVersion) {
  CUpdateAvailableDialog dialog;
  const int offered[4] = {1, 0, 3, 12};
  std::copy(offered, offered + 4, dialog.m_remoteVersion);
  EXPECT_EQ(IsNewerThanSuppressedVersion(L"1.0.3.12", dialog), 0);
  EXPECT_EQ(IsNewerThanSuppressedVersion(L"1,0,3,12", dialog), 0);
  EXPECT_EQ(IsNewerThanSuppressedVersion(L"1.0.3.11", dialog), 1);
  EXPECT_EQ(IsNewerThanSuppressedVersion(L"", dialog), 1);
  EXPECT_EQ(IsNewerThanSuppressedVersion(L"2", dialog), 0);
  dialog.m_remoteVersion[2] = 4;
  dialog.m_remoteVersion[3] = 0;
  EXPECT_EQ(IsNewerThanSuppressedVersion(L"1.0.3.12", dialog), 1);
}

// The program's settings in a private folder; the version file's address points at a local server.
class UpdateCheckTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ::SetEnvironmentVariableW(L"OMAHAVANTORN_APPDATA", root_.Path().c_str());
    ResetAppDataFolderCache();
    swap_ = RedirectProfileToAppData();
    ASSERT_TRUE(server_.Running());
    SetUrl(server_.Url());
  }
  void TearDown() override {
    swap_->Restore(&g_app);
    delete swap_;
    ::SetEnvironmentVariableW(L"OMAHAVANTORN_APPDATA", nullptr);
    ResetAppDataFolderCache();
  }
  void SetUrl(const std::wstring& url) { g_app.WriteProfileString(kSectionGlobal, kKeyUpdateURL, url.c_str()); }

  apptest::TempFolder root_;
  ProfileNameSwap* swap_ = nullptr;
  apptest::LocalHttpServer server_;
};

TEST_F(UpdateCheckTest, AddressFromTheSettingsOrBuiltIn) {
  EXPECT_EQ(UpdateFileUrl(L"http://built.in/v.ini"), CString(server_.Url().c_str()));
  SetUrl(L"");
  EXPECT_EQ(UpdateFileUrl(L"http://built.in/v.ini"), CString(L"http://built.in/v.ini"));
}

TEST_F(UpdateCheckTest, NewerEqualAndMalformedVersionFiles) {
  int own[4];
  ReadOwnVersion(own);
  ASSERT_EQ(Version(own), "1.0.0.0") << "the test program carries the program's version resource";
  const struct {
    int status;
    std::string body;
    int newer;
    const char* remote;
  } cases[] = {
      {200, "[Vantorn]\r\nVersion=1,0,0,1\r\n", 1, "1.0.0.1"},
      {200, "Version=2,0,0,0", 1, "2.0.0.0"},
      {200, "Version=1,0,0,0\r\n", 0, "1.0.0.0"},
      {200, "Version=0,9,9,9\r\n", 0, "0.9.9.9"},
      {200, "garbage \x01\x02\xFF no version here", 0, "-1.-1.-1.-1"},
      {200, "", 0, "-1.-1.-1.-1"},
      {404, "Version=9,9,9,9\r\n", 0, "-1.-1.-1.-1"},  // an error page is no version file
      {500, "", 0, "-1.-1.-1.-1"},
  };
  for (const auto& c : cases) {
    // A server of its own for each file: no connection is shared between the cases.
    apptest::LocalHttpServer server;
    server.Serve(c.status, c.body);
    SetUrl(server.Url());
    CUpdateAvailableDialog dialog;
    EXPECT_EQ(dialog.CheckForUpdate(), c.newer) << c.body;
    EXPECT_EQ(Version(dialog.m_remoteVersion), c.remote) << c.body;
    EXPECT_EQ(Version(dialog.m_ownVersion), "1.0.0.0");
    EXPECT_EQ(server.Requests(), 1);
  }
}

TEST_F(UpdateCheckTest, NoServerOrNoAnswerIsNoUpdateWithinTheTimeOut) {
  using Clock = std::chrono::steady_clock;
  SetUrl(L"http://127.0.0.1:" + std::to_wstring(apptest::UnusedPort()) + L"/version.ini");
  auto start = Clock::now();
  CUpdateAvailableDialog nobody;
  EXPECT_EQ(nobody.CheckForUpdate(), 0);
  EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(kUpdateCheckTimeoutMs * 3));

  server_.BeSilent();
  SetUrl(server_.Url());
  start = Clock::now();
  CUpdateAvailableDialog silent;
  EXPECT_EQ(silent.CheckForUpdate(), 0);
  EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(kUpdateCheckTimeoutMs * 3));
  EXPECT_EQ(Version(silent.m_remoteVersion), "-1.-1.-1.-1");
}

// Runs the dialog modally while a timer plays the user.
int RunDialog(CUpdateAvailableDialog& dialog, std::function<void(HWND)> user) {
  static std::function<void(HWND)> s_user;
  s_user = std::move(user);
  const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR id, DWORD) {
    HWND box = ::FindWindowW(nullptr, L"Update available");
    if (!box || !::IsWindowVisible(box)) return;
    ::KillTimer(nullptr, id);
    s_user(box);
  });
  const INT_PTR result = dialog.DoModal();
  ::KillTimer(nullptr, timer);
  return static_cast<int>(result);
}

std::wstring ItemText(HWND box, int id) {
  wchar_t text[512] = L"";
  ::GetDlgItemTextW(box, id, text, 512);
  return text;
}

TEST(UpdateDialog, TextsDefaultAnswerAndChoices) {
  const int own[4] = {1, 0, 0, 0}, remote[4] = {1, 0, 3, 12};
  std::wstring current, offered, suppress;
  bool downloadPreset = false;

  CUpdateAvailableDialog dialog;
  std::copy(own, own + 4, dialog.m_ownVersion);
  std::copy(remote, remote + 4, dialog.m_remoteVersion);
  EXPECT_EQ(RunDialog(dialog,
                      [&](HWND box) {
                        current = ItemText(box, IDC_UPDATE_CURRENT_VERSION);
                        offered = ItemText(box, IDC_UPDATE_NEW_VERSION);
                        suppress = ItemText(box, IDC_UPDATE_SUPPRESS);
                        downloadPreset = ::IsDlgButtonChecked(box, IDC_UPDATE_GO_DOWNLOAD) == BST_CHECKED;
                        ::PostMessageW(box, WM_COMMAND, IDOK, 0);
                      }),
            IDOK);
  EXPECT_EQ(dialog.m_answer, 0);
  EXPECT_TRUE(downloadPreset);
  EXPECT_EQ(current, L"You are currently running version \x1b" L"E1.0.0.0\x1b" L"F of the Brightfold Vantorn - Omaha");
  EXPECT_EQ(offered, L"The newer version \x1b" L"E1.0.3.12\x1b" L"F is available.");
  EXPECT_EQ(suppress, L"Don't remind me of version 1.0.3.12 again.");

  for (const auto& [button, answer] : {std::pair{IDC_UPDATE_REMIND, 1}, std::pair{IDC_UPDATE_SUPPRESS, 2}}) {
    CUpdateAvailableDialog pick;
    std::copy(remote, remote + 4, pick.m_remoteVersion);
    const int id = button;
    EXPECT_EQ(RunDialog(pick,
                        [id](HWND box) {
                          ::SendMessageW(::GetDlgItem(box, id), BM_CLICK, 0, 0);
                          ::PostMessageW(box, WM_COMMAND, IDOK, 0);
                        }),
              IDOK);
    EXPECT_EQ(pick.m_answer, answer);
  }

  CUpdateAvailableDialog cancelled;
  EXPECT_EQ(RunDialog(cancelled,
                      [](HWND box) {
                        ::SendMessageW(::GetDlgItem(box, IDC_UPDATE_SUPPRESS), BM_CLICK, 0, 0);
                        ::PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
                      }),
            IDCANCEL);
  EXPECT_EQ(cancelled.m_answer, -1);
}

}  // namespace
