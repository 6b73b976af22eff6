// Scenario files and input histories in the running program: the File menu's Save and Load
// through their file dialogs, the overwrite question, bad files that change nothing, the
// recent-file list and the seats' histories across two starts.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gui_harness.h"
#include "program_runner.h"
#include "temp_folder.h"

namespace {

constexpr UINT kLoad = 32781, kSave = 32782, kShortHanded = 32799, kFirstRecentFile = 0xE110;
constexpr int kRange = 3040, kCheck = 3100, kHistory = 1570, kEvaluate = 1039, kClearAll = 3073;
constexpr int kFlop = 3070, kTurn = 3071, kRiver = 3072, kDead = 1600;
constexpr int kFileNameCombo = 0x047C, kFileNameEdit = 0x0480;
const int kBoardIds[] = {kFlop, kTurn, kRiver, kDead};

struct WindowSearch {
  DWORD pid;
  bool (*accept)(HWND);
  HWND found;
};

// A visible top-level window of the process that accept takes, polled for up to timeoutMs.
HWND WaitForOwnWindow(DWORD pid, bool (*accept)(HWND), DWORD timeoutMs) {
  const DWORD start = ::GetTickCount();
  for (;;) {
    WindowSearch search = {pid, accept, nullptr};
    ::EnumWindows(
        [](HWND hwnd, LPARAM data) -> BOOL {
          auto* s = reinterpret_cast<WindowSearch*>(data);
          DWORD owner = 0;
          ::GetWindowThreadProcessId(hwnd, &owner);
          if (owner != s->pid || !::IsWindowVisible(hwnd) || !s->accept(hwnd)) return TRUE;
          s->found = hwnd;
          return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    if (search.found || ::GetTickCount() - start > timeoutMs) return search.found;
    gui::Pump(50);
  }
}

HWND FileNameField(HWND dialog) {
  HWND field = ::GetDlgItem(dialog, kFileNameCombo);
  return field ? field : ::GetDlgItem(dialog, kFileNameEdit);
}

bool IsFileDialog(HWND hwnd) { return gui::ClassName(hwnd) == L"#32770" && FileNameField(hwnd); }

bool IsMessageBox(HWND hwnd) { return gui::ClassName(hwnd) == L"#32770" && !FileNameField(hwnd); }

// WM_GETTEXT: the window text of another process's control is not its content.
std::wstring ControlText(HWND control) {
  std::wstring text(4096, L'\0');
  const LRESULT n = ::SendMessageW(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(n));
  return text;
}

std::wstring Lower(std::wstring text) {
  for (wchar_t& ch : text) ch = static_cast<wchar_t>(towlower(ch));
  return text;
}

HWND FindMainDialog(HWND frame) {
  HWND found = nullptr;
  ::EnumChildWindows(
      frame,
      [](HWND child, LPARAM data) -> BOOL {
        if (::GetDlgCtrlID(child) != kRange) return TRUE;
        *reinterpret_cast<HWND*>(data) = ::GetParent(child);
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

class ScenarioProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(apptest::CopyTables(folder_.Path()));
    // Nothing listens on port 1: the update check ends at once. Short runs, should Evaluate
    // compute.
    ::CreateDirectoryW((appData_ / L"OmahaVantorn").c_str(), nullptr);
    ::WritePrivateProfileStringW(L"Global", L"UpdateURL", L"http://127.0.0.1:1/version.ini", Ini().c_str());
    ::WritePrivateProfileStringW(L"Global", L"EvaluationTime", L"300", Ini().c_str());
  }
  void TearDown() override {
    if (frame_ && ::IsWindow(frame_)) {
      ::PostMessageW(frame_, WM_CLOSE, 0, 0);
      if (!program_.WaitExit(15000)) program_.Kill();
    }
  }

  std::wstring Ini() const { return appData_ / L"OmahaVantorn\\OmahaVantorn.ini"; }

  void Start() {
    ASSERT_TRUE(program_.Start(folder_.Path(), appData_.Path()));
    frame_ = apptest::WaitForFrame(program_.Id());
    ASSERT_NE(frame_, nullptr);
    dialog_ = nullptr;
    for (int i = 0; i < 100 && !dialog_; ++i) {
      dialog_ = FindMainDialog(frame_);
      if (!dialog_) gui::Pump(100);
    }
    ASSERT_NE(dialog_, nullptr) << "no main dialog";
    gui::Pump(300);
  }

  void CloseAndExpectCleanExit() {
    WaitUntilIdle();
    ::PostMessageW(frame_, WM_CLOSE, 0, 0);
    DWORD code = 1234;
    ASSERT_TRUE(program_.WaitExit(15000, &code)) << "the program did not end after WM_CLOSE";
    EXPECT_EQ(code, 0u);
    frame_ = nullptr;
  }

  // An Evaluate run disables the frame while it lasts.
  void WaitUntilIdle() {
    for (int i = 0; i < 300 && !::IsWindowEnabled(frame_); ++i) gui::Pump(100);
    ASSERT_TRUE(::IsWindowEnabled(frame_));
  }

  HWND Item(int id) const { return ::GetDlgItem(dialog_, id); }
  std::wstring Text(int id) const { return ControlText(Item(id)); }
  void SetText(int id, const std::wstring& text) {
    ::SendMessageW(Item(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    gui::Pump(50);
  }
  void Click(int id) {
    ::SendMessageW(Item(id), BM_CLICK, 0, 0);
    gui::Pump(100);
  }
  bool Checked(int id) const { return ::SendMessageW(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
  void Command(UINT id) {
    ::SendMessageW(frame_, WM_COMMAND, id, 0);
    gui::Pump(200);
  }
  // Returns once the program's thread takes messages again: the command that was running has
  // ended or waits in a dialog of its own.
  void Sync() {
    DWORD_PTR result = 0;
    EXPECT_NE(::SendMessageTimeoutW(frame_, WM_NULL, 0, 0, SMTO_NORMAL, 30000, &result), 0);
  }

  // Every seat's and the board's texts, seats first.
  std::vector<std::wstring> Inputs() const {
    std::vector<std::wstring> inputs;
    for (int seat = 0; seat < 10; ++seat) inputs.push_back(Text(kRange + seat));
    for (int id : kBoardIds) inputs.push_back(Text(id));
    return inputs;
  }

  std::vector<std::wstring> History(int seat) const {
    HWND combo = Item(kHistory + seat);
    std::vector<std::wstring> entries;
    const int count = static_cast<int>(::SendMessageW(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
      std::wstring text(static_cast<size_t>(::SendMessageW(combo, CB_GETLBTEXTLEN, i, 0)) + 1, L'\0');
      const LRESULT n = ::SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()));
      text.resize(n > 0 ? static_cast<size_t>(n) : 0);
      entries.push_back(text);
    }
    return entries;
  }

  // Runs the frame's Save or Load command and answers its file dialog with path; returns the
  // name the dialog offered.
  std::wstring ChooseFile(UINT command, const std::wstring& path) {
    ::PostMessageW(frame_, WM_COMMAND, command, 0);
    HWND dialog = WaitForOwnWindow(program_.Id(), IsFileDialog, 15000);
    EXPECT_NE(dialog, nullptr) << "no file dialog";
    if (!dialog) return L"";
    gui::Pump(300);
    const std::wstring offered = ControlText(FileNameField(dialog));
    ::SendMessageW(FileNameField(dialog), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    ::PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(apptest::WaitGone(dialog, 10000));
    Sync();
    return offered;
  }

  // The program's message box: its text, answered with the button.
  std::wstring AnswerMessageBox(int button) {
    HWND box = WaitForOwnWindow(program_.Id(), IsMessageBox, 15000);
    EXPECT_NE(box, nullptr) << "no message box";
    if (!box) return L"";
    gui::Pump(200);
    const apptest::MessageBoxTexts texts = apptest::ReadMessageBox(box);
    EXPECT_TRUE(texts.htmlBox) << "the program's HTML message box";
    const std::wstring message = texts.message;
    ::PostMessageW(box, WM_COMMAND, button, 0);
    EXPECT_TRUE(apptest::WaitGone(box, 10000));
    Sync();
    return message;
  }

  apptest::TempFolder folder_{L"ovscen"};
  apptest::TempFolder appData_{L"ovscendata"};
  apptest::Program program_;
  HWND frame_ = nullptr;
  HWND dialog_ = nullptr;
};

TEST_F(ScenarioProgramTest, SavedScenarioLoadsBackEveryFieldAndBadFilesChangeNothing) {
  Start();
  Command(kShortHanded);  // ten seats
  const std::vector<std::wstring> scenario = {
      L"AsKsQhJh", L"AA**,KK**", L"random", L"", L"QQ/np", L"T9*8", L"xyz((", L"KdKc7s6s", L"JJ", L"99**\u00E9",
      L"2h3h4h",   L"5d",        L"9c",     L"Tc"};
  for (int seat = 0; seat < 10; ++seat) SetText(kRange + seat, scenario[seat]);
  for (int i = 0; i < 4; ++i) SetText(kBoardIds[i], scenario[10 + i]);
  Click(kCheck + 8);  // an unticked seat is saved but stays out of the offered name
  ASSERT_EQ(Inputs(), scenario);

  const std::wstring path = folder_ / L"round trip.vof";
  const std::wstring offered = ChooseFile(kSave, path);
  EXPECT_EQ(offered,
            L"[AsKsQhJh] vs. [AAxx,KKx...] vs. [random] vs. [QQ-np] vs. [T9x8] vs. [xyz((] vs. [KdKc7s6s] vs. "
            L"[99xx\u00E9] Board=2h3h4h5d9c.vof");
  EXPECT_EQ(apptest::ReadFileBytes(path),
            "Player0=AsKsQhJh\r\nPlayer1=AA**,KK**\r\nPlayer2=random\r\nPlayer3=\r\nPlayer4=QQ/np\r\n"
            "Player5=T9*8\r\nPlayer6=xyz((\r\nPlayer7=KdKc7s6s\r\nPlayer8=JJ\r\nPlayer9=99**\xE9\r\n"
            "Flop=2h3h4h\r\nTurn=5d\r\nRiver=9c\r\nDead=Tc\r\n");
  EXPECT_EQ(Lower(apptest::ReadIni(Ini(), L"Global", L"DirectoryScenarioSave")), Lower(folder_.Path()));

  // Six seats and empty inputs; loading brings every field back and the ten seats with them.
  Command(kShortHanded);
  Click(kClearAll);
  ASSERT_EQ(Inputs(), std::vector<std::wstring>(14));
  ChooseFile(kLoad, path);
  EXPECT_EQ(Inputs(), scenario);
  gui::Pump(300);
  gui::SaveCapture(gui::CaptureWindow(frame_), L"scenario_loaded");
  EXPECT_TRUE(::IsWindowVisible(Item(kRange + 0))) << "a range in the first four seats shows ten seats";
  EXPECT_TRUE(Checked(kCheck + 8)) << "a loaded range takes part";
  EXPECT_EQ(apptest::ReadIni(Ini(), L"Global", L"OnlyShorthanded"), L"1") << "the setting is not changed";
  EXPECT_EQ(Lower(apptest::ReadIni(Ini(), L"Global", L"DirectoryScenarioLoad")), Lower(folder_.Path()));

  // Overwriting asks first: No keeps the old file, Yes replaces it.
  const std::string saved = apptest::ReadFileBytes(path);
  SetText(kRange + 5, L"88");
  ChooseFile(kSave, path);
  EXPECT_NE(Lower(AnswerMessageBox(IDNO)).find(Lower(path)), std::wstring::npos) << "the question names the file";
  EXPECT_EQ(apptest::ReadFileBytes(path), saved);
  ChooseFile(kSave, path);
  AnswerMessageBox(IDYES);
  EXPECT_NE(apptest::ReadFileBytes(path).find("Player5=88\r\n"), std::string::npos);
  EXPECT_FALSE(apptest::FileExists(path + L".saving")) << "no temporary file is left";

  // A save that fails says so and keeps the previous file: the file held open elsewhere, or a
  // text the format cannot hold.
  const std::string replaced = apptest::ReadFileBytes(path);
  SetText(kRange + 5, L"77");
  HANDLE held = ::CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  ChooseFile(kSave, path);
  AnswerMessageBox(IDYES);
  EXPECT_NE(AnswerMessageBox(IDOK).find(L"cannot be written"), std::wstring::npos);
  ::CloseHandle(held);
  EXPECT_EQ(apptest::ReadFileBytes(path), replaced);
  SetText(kRange + 5, L"88\u0100");
  ChooseFile(kSave, path);
  AnswerMessageBox(IDYES);
  EXPECT_NE(AnswerMessageBox(IDOK).find(L"Player5"), std::wstring::npos);
  EXPECT_EQ(apptest::ReadFileBytes(path), replaced);
  SetText(kRange + 5, L"88");

  // Files that are no scenario: a message, and every input stays as it was.
  const std::vector<std::wstring> before = Inputs();
  const std::wstring bad = folder_ / L"bad.vof";
  const struct {
    const char* what;
    std::string bytes;
  } badFiles[] = {
      {"seat past the tenth", "Player0=AA\r\nPlayer30=KK\r\n"},
      {"binary", std::string("\x7F" "ELF\x01\x02\x00\x00Flop=As", 13)},
      {"no scenario", "Hello\r\nworld\r\n"},
      {"huge", std::string(2 * 1024 * 1024, 'x')},
  };
  for (const auto& file : badFiles) {
    ASSERT_TRUE(apptest::WriteFileBytes(bad, file.bytes));
    ChooseFile(kLoad, bad);
    EXPECT_FALSE(AnswerMessageBox(IDOK).empty()) << file.what;
    EXPECT_EQ(Inputs(), before) << file.what;
  }
  ::DeleteFileW(bad.c_str());
  ChooseFile(kLoad, bad);
  EXPECT_FALSE(AnswerMessageBox(IDOK).empty()) << "a file that is gone";
  EXPECT_EQ(Inputs(), before);

  // A file with a flop only, loaded with the command: everything else is emptied first.
  ASSERT_TRUE(apptest::WriteFileBytes(bad, "Flop=AsKd7h\n"));
  ChooseFile(kLoad, bad);
  std::vector<std::wstring> flopOnly(14);
  flopOnly[10] = L"AsKd7h";
  EXPECT_EQ(Inputs(), flopOnly);
  CloseAndExpectCleanExit();
}

TEST_F(ScenarioProgramTest, RecentFilesAndInputHistoriesSurviveARestart) {
  Start();
  SetText(kRange + 4, L"AA");
  SetText(kRange + 5, L"KK");
  Click(kEvaluate);
  WaitUntilIdle();
  SetText(kRange + 4, L"  QQ  ");
  SetText(kRange + 5, L"random");
  Click(kEvaluate);
  WaitUntilIdle();
  EXPECT_EQ(History(4), (std::vector<std::wstring>{L"QQ", L"AA"}));
  EXPECT_EQ(History(5), (std::vector<std::wstring>{L"KK"})) << "the all-hands word is not kept";
  EXPECT_TRUE(History(6).empty());
  EXPECT_TRUE(::IsWindowEnabled(Item(kHistory + 4)));
  EXPECT_FALSE(::IsWindowEnabled(Item(kHistory + 6)));
  SetText(kRange + 4, L"QQ");
  const std::wstring path = folder_ / L"first.vof";
  ChooseFile(kSave, path);
  ASSERT_TRUE(apptest::FileExists(path));
  CloseAndExpectCleanExit();
  EXPECT_EQ(apptest::ReadIni(Ini(), L"RecentInput", L"Combo4Text0"), L"QQ");
  EXPECT_EQ(apptest::ReadIni(Ini(), L"RecentInput", L"Combo4Text1"), L"AA");
  EXPECT_EQ(apptest::ReadIni(Ini(), L"RecentInput", L"Combo5Text0"), L"KK");
  EXPECT_EQ(Lower(apptest::ReadIni(Ini(), L"Recent File List", L"File1")), Lower(path));

  // The second start: the histories are back, and a chosen entry fills its seat.
  Start();
  EXPECT_EQ(History(4), (std::vector<std::wstring>{L"QQ", L"AA"}));
  EXPECT_EQ(History(5), (std::vector<std::wstring>{L"KK"}));
  ::SendMessageW(Item(kHistory + 4), CB_SHOWDROPDOWN, TRUE, 0);
  if (HWND list = WaitForOwnWindow(program_.Id(), [](HWND w) { return gui::ClassName(w) == L"ComboLBox"; }, 5000)) {
    gui::Pump(500);
    gui::SaveCapture(gui::CaptureWindow(list), L"scenario_history_list");
  }
  ::SendMessageW(Item(kHistory + 4), CB_SHOWDROPDOWN, FALSE, 0);
  ::SendMessageW(Item(kHistory + 4), CB_SETCURSEL, 1, 0);
  ::SendMessageW(dialog_, WM_COMMAND, MAKEWPARAM(kHistory + 4, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(Item(kHistory + 4)));
  gui::Pump(100);
  EXPECT_EQ(Text(kRange + 4), L"AA");

  // The recent file loads the saved scenario.
  Click(kClearAll);
  Command(kFirstRecentFile);
  EXPECT_EQ(Text(kRange + 4), L"QQ");
  EXPECT_EQ(Text(kRange + 5), L"random");

  // From the recent-file list a file changes only what it names.
  ASSERT_TRUE(apptest::WriteFileBytes(path, "Flop=AsKd7h\r\n"));
  Command(kFirstRecentFile);
  EXPECT_EQ(Text(kFlop), L"AsKd7h");
  EXPECT_EQ(Text(kRange + 4), L"QQ");
  EXPECT_EQ(Text(kRange + 5), L"random");

  // A recent file that became bad: a message, nothing changes, and it leaves the list.
  const std::vector<std::wstring> before = Inputs();
  ASSERT_TRUE(apptest::WriteFileBytes(path, "Player30=KK\r\n"));
  ::PostMessageW(frame_, WM_COMMAND, kFirstRecentFile, 0);
  EXPECT_NE(AnswerMessageBox(IDOK).find(L"Player30"), std::wstring::npos);
  EXPECT_EQ(Inputs(), before);
  CloseAndExpectCleanExit();
  EXPECT_EQ(apptest::ReadIni(Ini(), L"Recent File List", L"File1"), L"");
  EXPECT_EQ(apptest::ReadIni(Ini(), L"RecentInput", L"Combo4Text0"), L"QQ");
}

}  // namespace
