// The whole program under Wine: start-up with the splash, the frame with its form view and
// menu, the settings file across two runs, a damaged or missing table file, the resource
// library in the current folder, the developer dump command, the about box and a clean exit.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <regex>
#include <sstream>

#include "gui_harness.h"
#include "program_runner.h"
#include "temp_folder.h"

namespace {

constexpr UINT kShortHanded = 32799, kDeadCards = 32800, kResults = 32801, kDumpTables = 32797, kAbout = 0xE140,
               kExperiment = 32774;
constexpr int kPaneFirst = 0xE900;
const wchar_t kSplashClass[] = L"SplashScreenExClass";

// One test's folders: the program's current folder and its application-data folder.
class ProgramTest : public ::testing::Test {
 protected:
  std::wstring Ini() const { return appData_ / L"OmahaVantorn\\OmahaVantorn.ini"; }

  // Closes the frame as the user does and expects a clean end.
  void CloseAndExpectCleanExit(HWND frame) {
    ::PostMessageW(frame, WM_CLOSE, 0, 0);
    DWORD code = 1234;
    ASSERT_TRUE(program_.WaitExit(15000, &code)) << "the program did not end after WM_CLOSE";
    EXPECT_EQ(code, 0u);
  }

  apptest::TempFolder folder_{L"ovcwd"};
  apptest::TempFolder appData_{L"ovappdata"};
  apptest::Program program_;
};

TEST_F(ProgramTest, StartsWithTheSplashOpensTheFrameAndEndsCleanly) {
  ASSERT_TRUE(apptest::CopyTables(folder_.Path()));
  ASSERT_TRUE(program_.Start(folder_.Path(), appData_.Path()));

  HWND splash = gui::WaitForWindow(kSplashClass, nullptr, program_.Id(), 15000);
  ASSERT_NE(splash, nullptr) << "no splash window";
  // Captured from the screen: a loaded machine may show the window a while before it paints.
  gui::Image splashShot;
  const DWORD start = ::GetTickCount();
  do {
    gui::Pump(100);
    splashShot = gui::CaptureWindow(splash);
  } while (gui::CountColours(splashShot, RECT{0, 0, splashShot.width, splashShot.height}) <= 20 &&
           ::IsWindow(splash) && ::GetTickCount() - start < 8000);
  gui::SaveCapture(splashShot, L"app_startup_splash");
  EXPECT_GT(gui::CountColours(splashShot, RECT{0, 0, splashShot.width, splashShot.height}), 20);

  HWND frame = apptest::WaitForFrame(program_.Id());
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(gui::WindowText(frame), L"Brightfold Vantorn - Omaha");
  EXPECT_NE(::GetMenu(frame), nullptr) << "the frame's menu";
  // While it shows, the splash stays in front of the frame.
  RECT splashRect, frameRect, overlap;
  ::GetWindowRect(splash, &splashRect);
  ::GetWindowRect(frame, &frameRect);
  if (::IsWindowVisible(splash) && ::IntersectRect(&overlap, &splashRect, &frameRect)) {
    const POINT inside = {(overlap.left + overlap.right) / 2, (overlap.top + overlap.bottom) / 2};
    EXPECT_EQ(::GetAncestor(::WindowFromPoint(inside), GA_ROOT), splash);
  }
  const LONG style = ::GetWindowLongW(frame, GWL_STYLE);
  EXPECT_FALSE(style & WS_THICKFRAME) << "the user cannot resize the frame";
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);

  // The view fills the client area and the main dialog fills the view from its corner.
  HWND view = ::GetDlgItem(frame, kPaneFirst);
  ASSERT_NE(view, nullptr);
  HWND dialog = ::GetWindow(view, GW_CHILD);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(gui::ClassName(dialog), L"#32770");
  RECT client, viewRect, dialogRect;
  ::GetClientRect(frame, &client);
  ::GetWindowRect(view, &viewRect);
  ::GetWindowRect(dialog, &dialogRect);
  POINT corner = {0, 0};
  ::ClientToScreen(frame, &corner);
  EXPECT_EQ(viewRect.left, corner.x);
  EXPECT_EQ(viewRect.top, corner.y);
  EXPECT_EQ(dialogRect.left, viewRect.left);
  EXPECT_EQ(dialogRect.top, viewRect.top);
  EXPECT_EQ(dialogRect.right - dialogRect.left, client.right);
  EXPECT_EQ(dialogRect.bottom - dialogRect.top, client.bottom);

  // Once the splash has gone, the frame shows the dialog in the program's dialog colour.
  EXPECT_TRUE(apptest::WaitGone(splash, 15000)) << "the splash should hide itself after 4 s";
  gui::Pump(300);
  gui::Image shot = gui::CaptureWindow(frame);
  gui::SaveCapture(shot, L"app_main_frame");
  ASSERT_FALSE(shot.Empty());
  // The dialog's left margin below the banner: no control covers it.
  POINT margin = {2, 60};
  ::ClientToScreen(frame, &margin);
  RECT window;
  ::GetWindowRect(frame, &window);
  EXPECT_EQ(shot.At(margin.x - window.left, margin.y - window.top) & 0xFFFFFF, 0xF5F5F5u);

  EXPECT_TRUE(apptest::FolderExists(appData_ / L"OmahaVantorn"));
  CloseAndExpectCleanExit(frame);
  EXPECT_EQ(apptest::ReadIni(Ini(), L"Global", L"Left"), std::to_wstring(window.left));
  EXPECT_EQ(apptest::ReadIni(Ini(), L"Global", L"Top"), std::to_wstring(window.top));
}

TEST_F(ProgramTest, SettingsAreWrittenWhenTheyChangeAndReadAtTheNextStart) {
  ASSERT_TRUE(apptest::CopyTables(folder_.Path()));
  ASSERT_TRUE(program_.Start(folder_.Path(), appData_.Path()));
  HWND frame = apptest::WaitForFrame(program_.Id());
  ASSERT_NE(frame, nullptr);

  // A first start has six seats, the dead-card row and no result area; each toggle is in the
  // file at once.
  ::SendMessageW(frame, WM_COMMAND, kShortHanded, 0);
  EXPECT_EQ(apptest::ReadIni(Ini(), L"Global", L"OnlyShorthanded"), L"0");
  ::SendMessageW(frame, WM_COMMAND, kDeadCards, 0);
  EXPECT_EQ(apptest::ReadIni(Ini(), L"Global", L"UseDeadCards"), L"0");
  ::SendMessageW(frame, WM_COMMAND, kResults, 0);
  EXPECT_EQ(apptest::ReadIni(Ini(), L"Global", L"ResultsVisible"), L"1");
  ::SetWindowPos(frame, nullptr, 120, 90, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  CloseAndExpectCleanExit(frame);
  EXPECT_EQ(apptest::ReadIni(Ini(), L"Global", L"Left"), L"120");
  EXPECT_EQ(apptest::ReadIni(Ini(), L"Global", L"Top"), L"90");

  // The game is read too, and names itself in the caption; a theme value of 0 changes nothing.
  ::WritePrivateProfileStringW(L"Global", L"UseHiLo", L"1", Ini().c_str());
  ::WritePrivateProfileStringW(L"Global", L"UseBVTheme", L"0", Ini().c_str());
  ASSERT_TRUE(program_.Start(folder_.Path(), appData_.Path()));
  frame = apptest::WaitForFrame(program_.Id());
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(gui::WindowText(frame), L"Brightfold Vantorn - Omaha Hi/Lo");
  RECT window;
  ::GetWindowRect(frame, &window);
  EXPECT_EQ(window.left, 120);
  EXPECT_EQ(window.top, 90);
  HWND dialog = ::GetWindow(::GetDlgItem(frame, kPaneFirst), GW_CHILD);
  gui::Pump(300);
  gui::Image shot = gui::CaptureWindow(frame);
  gui::SaveCapture(shot, L"app_main_frame_hilo");
  RECT dialogRect;
  ::GetWindowRect(dialog, &dialogRect);
  EXPECT_EQ(shot.At(dialogRect.left - window.left + 2, dialogRect.top - window.top + 60) & 0xFFFFFF, 0xF5F5F5u)
      << "the dialog colouring stays on";
  CloseAndExpectCleanExit(frame);
}

struct DamagedTables {
  const char* name;
  bool classFile;
  bool handFile;
  int cutClassFileTo;  // -1: leave whole
  const wchar_t* expected[2];
};

class TableMessageTest : public ProgramTest, public ::testing::WithParamInterface<DamagedTables> {};

TEST_P(TableMessageTest, ExplainsTheProblemAndStillOpens) {
  const DamagedTables& c = GetParam();
  ASSERT_TRUE(apptest::CopyTables(folder_.Path(), c.classFile, c.handFile));
  if (c.cutClassFileTo >= 0) {
    const std::string bytes = apptest::ReadFileBytes(folder_ / L"Omaha.bin");
    ASSERT_TRUE(apptest::WriteFileBytes(folder_ / L"Omaha.bin", bytes.substr(0, c.cutClassFileTo)));
  }
  ASSERT_TRUE(program_.Start(folder_.Path(), appData_.Path()));
  HWND box = gui::WaitForWindow(L"#32770", nullptr, program_.Id(), 20000);
  ASSERT_NE(box, nullptr) << "no message about the tables";
  gui::Pump(300);
  gui::SaveCapture(gui::CaptureWindow(box), std::wstring(L"app_table_message_") +
                                                std::wstring(c.name, c.name + strlen(c.name)));
  const apptest::MessageBoxTexts texts = apptest::ReadMessageBox(box);
  EXPECT_EQ(texts.caption, L"Brightfold Vantorn - Omaha");
  EXPECT_TRUE(texts.htmlBox) << "the program's HTML message box";
  for (const wchar_t* part : c.expected)
    if (part) {
      EXPECT_NE(texts.message.find(part), std::wstring::npos) << part << "\n in: " << texts.message;
    }
  EXPECT_EQ(apptest::WaitForFrame(program_.Id(), 500), nullptr) << "the message comes before the frame";

  ::PostMessageW(box, WM_COMMAND, IDOK, 0);
  HWND frame = apptest::WaitForFrame(program_.Id());
  ASSERT_NE(frame, nullptr) << "the program opens without its tables";
  CloseAndExpectCleanExit(frame);
}

INSTANTIATE_TEST_SUITE_P(
    Tables, TableMessageTest,
    ::testing::Values(
        DamagedTables{"missing_class_file", false, true, -1, {L"\"Omaha.bin\" was not found", L"reinstall"}},
        DamagedTables{"missing_both", false, false, -1, {L"\"Omaha.bin\" was not found", L"\"Combos.bin\" was not found"}},
        DamagedTables{"cut_class_file", true, true, 1000, {L"\"Omaha.bin\" has 1000 bytes", L"reinstall"}}),
    [](const ::testing::TestParamInfo<DamagedTables>& info) { return std::string(info.param.name); });

struct LibraryCase {
  const char* name;
  const wchar_t* fixture;
  const wchar_t* caption;
};

class ResourceLibraryProgramTest : public ProgramTest, public ::testing::WithParamInterface<LibraryCase> {};

TEST_P(ResourceLibraryProgramTest, OnlyAResourceOnlyLibraryIsUsed) {
  const LibraryCase& c = GetParam();
  ASSERT_TRUE(apptest::CopyTables(folder_.Path()));
  ASSERT_TRUE(::CopyFileW((gui::ExeFolder() + L"\\" + c.fixture).c_str(), (folder_ / L"OmahaVantornLang.dll").c_str(),
                          FALSE));
  ASSERT_TRUE(program_.Start(folder_.Path(), appData_.Path()));
  HWND frame = apptest::WaitForFrame(program_.Id(), 20000, L"");
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(gui::WindowText(frame), c.caption);
  EXPECT_FALSE(apptest::FileExists(folder_ / L"planted_library_ran.txt")) << "code of the library ran";
  CloseAndExpectCleanExit(frame);
}

INSTANTIATE_TEST_SUITE_P(
    Libraries, ResourceLibraryProgramTest,
    ::testing::Values(LibraryCase{"resource_only", L"app_fixture_resource_only.dll", L"Resource Library Title - Omaha"},
                      LibraryCase{"with_code", L"app_fixture_planted.dll", L"Brightfold Vantorn - Omaha"}),
    [](const ::testing::TestParamInfo<LibraryCase>& info) { return std::string(info.param.name); });

std::vector<std::string> ReadLines(const std::wstring& path, size_t* count, size_t keep) {
  std::vector<std::string> lines;
  std::ifstream in(path.c_str(), std::ios::binary);
  std::string line;
  *count = 0;
  while (std::getline(in, line)) {
    if (lines.size() < keep) lines.push_back(line);
    ++*count;
  }
  return lines;
}

TEST_F(ProgramTest, TheHiddenDumpCommandWritesBothTables) {
  ASSERT_TRUE(apptest::CopyTables(folder_.Path()));
  ASSERT_TRUE(program_.Start(folder_.Path(), appData_.Path()));
  HWND frame = apptest::WaitForFrame(program_.Id());
  ASSERT_NE(frame, nullptr);
  DWORD_PTR result = 0;
  ASSERT_TRUE(::SendMessageTimeoutW(frame, WM_COMMAND, kDumpTables, 0, SMTO_NORMAL, 120000, &result));

  size_t classLines = 0, handLines = 0;
  const auto classes = ReadLines(folder_ / L"Omaha16432.txt", &classLines, 13);
  const auto hands = ReadLines(folder_ / L"Omaha270725.txt", &handLines, 2);
  EXPECT_EQ(classLines, 16432u * 13u);
  EXPECT_EQ(handLines, 270725u);
  ASSERT_EQ(classes.size(), 13u);
  EXPECT_TRUE(std::regex_match(classes[0], std::regex("    0\\t([AKQJT98765432][0-3]){4}\\tRank=[^\\t]*\\tSuit=[^\\t]*\\t"
                                                      "HP=-?[0-9]+\\.[0-9]\\tHP2=-?[0-9]+\\.[0-9]\\tC=[0-9]+\\tSS=[0-9]+\\t"
                                                      "SFS=[0-9]+\\tSI=[0-9]+\\tEI=[0-9]+")))
      << classes[0];
  EXPECT_EQ(classes[1], "\tWin\tSplit\tPos\tEqHiLo\tWinHi\tSplitHi\tWinLo\tSplitLo\tScoop\tPosHiLo");
  for (int row = 2; row < 13; ++row)
    EXPECT_TRUE(std::regex_match(classes[row], std::regex("(\\t-?[0-9]+\\.[0-9]{2}){2}\\t-?[0-9]+(\\t-?[0-9]+\\.[0-9]{2}){6}"
                                                          "\\t-?[0-9]+")))
        << classes[row];
  ASSERT_EQ(hands.size(), 2u);
  EXPECT_TRUE(std::regex_match(hands[0], std::regex("    0\\t([AKQJT98765432][dhsc]){4}\\tI=0"))) << hands[0];
  EXPECT_TRUE(std::regex_match(hands[1], std::regex("    1\\t([AKQJT98765432][dhsc]){4}\\tI=[0-9]+"))) << hands[1];
  CloseAndExpectCleanExit(frame);
}

TEST_F(ProgramTest, TheHiddenRewriteCommandWritesTableFilesThatLoadAgain) {
  ASSERT_TRUE(apptest::CopyTables(folder_.Path()));
  ASSERT_TRUE(program_.Start(folder_.Path(), appData_.Path()));
  HWND frame = apptest::WaitForFrame(program_.Id());
  ASSERT_NE(frame, nullptr);
  DWORD_PTR result = 0;
  ASSERT_TRUE(::SendMessageTimeoutW(frame, WM_COMMAND, 32775, 0, SMTO_NORMAL, 120000, &result));
  CloseAndExpectCleanExit(frame);
  EXPECT_EQ(apptest::ReadFileBytes(folder_ / L"Omaha.bin2").size(), 16432u * 233u);
  EXPECT_EQ(apptest::ReadFileBytes(folder_ / L"Combos.bin2").size(), 270725u * 5u);

  // The rewritten files serve as the program's tables: no message at the next start.
  ASSERT_TRUE(::MoveFileExW((folder_ / L"Omaha.bin2").c_str(), (folder_ / L"Omaha.bin").c_str(), MOVEFILE_REPLACE_EXISTING));
  ASSERT_TRUE(::MoveFileExW((folder_ / L"Combos.bin2").c_str(), (folder_ / L"Combos.bin").c_str(), MOVEFILE_REPLACE_EXISTING));
  ASSERT_TRUE(program_.Start(folder_.Path(), appData_.Path()));
  frame = apptest::WaitForFrame(program_.Id());
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(gui::WaitForWindow(L"#32770", nullptr, program_.Id(), 300), nullptr) << "the tables loaded";
  CloseAndExpectCleanExit(frame);
}

TEST_F(ProgramTest, AboutShowsTheVersionUntilAKeyIsPressed) {
  ASSERT_TRUE(apptest::CopyTables(folder_.Path()));
  ASSERT_TRUE(program_.Start(folder_.Path(), appData_.Path()));
  HWND frame = apptest::WaitForFrame(program_.Id());
  ASSERT_NE(frame, nullptr);
  if (HWND startSplash = gui::WaitForWindow(kSplashClass, nullptr, program_.Id(), 200)) {
    ASSERT_TRUE(apptest::WaitGone(startSplash, 15000));
  }

  ::SendMessageW(frame, WM_COMMAND, kAbout, 0);
  HWND about = gui::WaitForWindow(kSplashClass, nullptr, program_.Id(), 5000);
  ASSERT_NE(about, nullptr);
  gui::Pump(600);
  gui::Image shot = gui::CaptureWindow(about);
  gui::SaveCapture(shot, L"app_about");
  ASSERT_GE(shot.height, 300);
  // The version line is drawn in dark grey in its rectangle over the light part of the picture.
  int textPixels = 0;
  for (int y = 280; y < 300; ++y)
    for (int x = 6; x < std::min(400, shot.width); ++x) textPixels += (shot.At(x, y) & 0xFFFFFF) == 0x404040;
  EXPECT_GT(textPixels, 50);
  RECT frameRect, aboutRect;
  ::GetWindowRect(frame, &frameRect);
  ::GetWindowRect(about, &aboutRect);
  EXPECT_NEAR((aboutRect.left + aboutRect.right) / 2, (frameRect.left + frameRect.right) / 2, 2) << "centred";

  ::PostMessageW(about, WM_KEYDOWN, VK_SPACE, 0);
  EXPECT_TRUE(apptest::WaitGone(about, 5000));
  CloseAndExpectCleanExit(frame);
}

// The experiment's number prompt: types the start class and presses OK.
void StartExperimentAt(HWND frame, DWORD pid, const wchar_t* number) {
  ::PostMessageW(frame, WM_COMMAND, kExperiment, 0);
  HWND prompt = gui::WaitForWindow(L"#32770", L"Dialog", pid, 10000);
  ASSERT_NE(prompt, nullptr) << "no number prompt";
  HWND edit = gui::WaitForChild(prompt, 1063, 2000);
  ASSERT_NE(edit, nullptr);
  wchar_t shown[32] = L"";
  ::SendMessageW(edit, WM_GETTEXT, 32, reinterpret_cast<LPARAM>(shown));  // the edit's own text
  EXPECT_STREQ(shown, L"0") << "the prompt starts at 0";
  ::SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(number));
  ::PostMessageW(prompt, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(prompt, IDOK)));
}

std::vector<std::string> FileLines(const std::wstring& path) {
  std::vector<std::string> lines;
  std::ifstream in(path.c_str(), std::ios::binary);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

const std::regex kExperimentLine("[AKQJT98765432][abcd][AKQJT98765432][abcd][AKQJT98765432][abcd][AKQJT98765432][abcd]"
                                 "(\\t *[0-9]+\\.[0-9]{2}%){6}");

TEST_F(ProgramTest, TheExperimentRunsTheLastClassIntoItsFile) {
  ASSERT_TRUE(apptest::CopyTables(folder_.Path()));
  ASSERT_TRUE(apptest::WriteFileBytes(folder_ / L"Omaharandom.txt", "earlier line\n"));
  ASSERT_TRUE(program_.Start(folder_.Path(), appData_.Path()));
  HWND frame = apptest::WaitForFrame(program_.Id());
  ASSERT_NE(frame, nullptr);
  StartExperimentAt(frame, program_.Id(), L"16431");
  // The run ends by itself after one class; the frame is usable again afterwards.
  const DWORD start = ::GetTickCount();
  while (FileLines(folder_ / L"Omaharandom.txt").size() < 2 && ::GetTickCount() - start < 60000) gui::Pump(100);
  const auto lines = FileLines(folder_ / L"Omaharandom.txt");
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], "earlier line") << "lines are appended";
  EXPECT_TRUE(std::regex_match(lines[1], kExperimentLine)) << lines[1];
  while (!::IsWindowEnabled(frame) && ::GetTickCount() - start < 60000) gui::Pump(100);
  EXPECT_TRUE(::IsWindowEnabled(frame));
  gui::Pump(500);
  EXPECT_EQ(FileLines(folder_ / L"Omaharandom.txt").size(), 2u);
  CloseAndExpectCleanExit(frame);
}

TEST_F(ProgramTest, StopEndsTheExperimentAfterTheCurrentClass) {
  ASSERT_TRUE(apptest::CopyTables(folder_.Path()));
  ASSERT_TRUE(apptest::WriteFileBytes(folder_ / L"Omaharandom.txt", ""));
  ASSERT_TRUE(program_.Start(folder_.Path(), appData_.Path()));
  HWND frame = apptest::WaitForFrame(program_.Id());
  ASSERT_NE(frame, nullptr);
  StartExperimentAt(frame, program_.Id(), L"100");

  // The progress dialog names each class done: "100: <hand>".
  HWND progress = nullptr;
  const DWORD start = ::GetTickCount();
  while (!progress && ::GetTickCount() - start < 60000) {
    progress = gui::WaitForWindow(L"#32770", L"100: ", program_.Id(), 200);
  }
  ASSERT_NE(progress, nullptr) << "no progress caption for the first class";
  EXPECT_FALSE(::IsWindowEnabled(frame)) << "the frame waits while the experiment runs";
  gui::SaveCapture(gui::CaptureWindow(progress), L"app_experiment_progress");
  // Classes go on while the Stop click travels to the program; on a busy machine that can be
  // more than one, so the bound counts from the lines written when Stop was sent.
  const std::size_t before = FileLines(folder_ / L"Omaharandom.txt").size();
  ::PostMessageW(progress, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(progress, IDCANCEL)));
  ASSERT_TRUE(apptest::WaitGone(progress, 60000)) << "Stop did not end the run";
  const auto lines = FileLines(folder_ / L"Omaharandom.txt");
  EXPECT_GE(lines.size(), 1u);
  EXPECT_LE(lines.size(), before + 5) << "the run stops after the class in hand";
  for (const std::string& line : lines) EXPECT_TRUE(std::regex_match(line, kExperimentLine)) << line;
  EXPECT_TRUE(::IsWindowEnabled(frame));
  CloseAndExpectCleanExit(frame);
}

TEST_F(ProgramTest, AFileOnTheCommandLineOnlyJoinsTheRecentFiles) {
  ASSERT_TRUE(apptest::CopyTables(folder_.Path()));
  const std::wstring scenario = folder_ / L"Three way.vof";
  ASSERT_TRUE(apptest::WriteFileBytes(scenario, "Player0=AA**\nFlop=\nTurn=\nRiver=\nDead=\n"));
  ASSERT_TRUE(program_.Start(folder_.Path(), appData_.Path(), L"\"" + scenario + L"\""));
  HWND frame = apptest::WaitForFrame(program_.Id());
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(gui::WindowText(frame), L"Brightfold Vantorn - Omaha") << "the file's name stays out of the caption";
  CloseAndExpectCleanExit(frame);
  std::wstring listed = apptest::ReadIni(Ini(), L"Recent File List", L"File1");
  for (wchar_t& ch : listed) ch = static_cast<wchar_t>(towlower(ch));
  std::wstring expected = scenario;
  for (wchar_t& ch : expected) ch = static_cast<wchar_t>(towlower(ch));
  EXPECT_EQ(listed, expected);
}

}  // namespace
