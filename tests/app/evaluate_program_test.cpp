// Evaluate in the running program: seats typed into the main dialog, the run with its progress
// dialog, the copied plain text parsed back and compared with the engine called here directly
// and, on a flop, with an exact enumeration of every turn and river; impossible input, Stop,
// the settings of the next run, and closing the program while a run is on. Captures of the
// results land in bin/captures.
#include "local_http_server.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "core/equity.h"
#include "core/range_rows.h"
#include "gui_harness.h"
#include "menu.h"
#include "pokereval/pokereval.h"
#include "program_runner.h"
#include "settings_dialogs.h"
#include "temp_folder.h"

namespace {

constexpr UINT kSettingsCommand = ID_SETTINGS;
constexpr int kSettingsSeconds = IDC_SETTINGS_SECONDS, kSettingsHi = IDC_SETTINGS_OMAHA_HI,
              kSettingsHiLo = IDC_SETTINGS_OMAHA_HILO;
constexpr int kRange = 3040, kRandom = 3010, kEvaluate = 1039, kCopyText = 3074, kCopyBBCode = 3075;
constexpr int kPreflopField = 1130, kCount = 1440;
constexpr int kFlopField = 1090, kTurnField = 1110, kRiverField = 1210, kAllStreets = 1068;
constexpr int kFlop = 3070;
constexpr int kProgressAnimation = 1100;
// Accepted deals a run makes at the least: its first progress call comes after 256 attempts,
// the next after 32,768 more, and the time limit is only read at those calls.
constexpr double kLeastDeals = 30000;

CardMask Hand(const char* text) {
  CardMask mask = 0;
  for (int i = 0; text[i] && text[i + 1]; i += 2) {
    int index = 0;
    pokereval::cardFromString(text + i, &index);
    mask |= pokereval::cardMask(index);
  }
  return mask;
}

// Seat k of one row, from its cards; or every four-card hand.
void FillRow(int row, CardMask hand, int* count) {
  g_playerRangeMasks[row][0] = hand;
  *count = 1;
}
void FillAllHands(int row, int* count) {
  int n = 0;
  for (int a = 0; a < 52; ++a)
    for (int b = a + 1; b < 52; ++b)
      for (int c = b + 1; c < 52; ++c)
        for (int d = c + 1; d < 52; ++d)
          g_playerRangeMasks[row][n++] = pokereval::cardMask(a) | pokereval::cardMask(b) | pokereval::cardMask(c) |
                                         pokereval::cardMask(d);
  *count = n;
}

// The engine called here: stops after `calls` progress calls.
int StopAfter(void* user, int isStart, double*, int, double*, int, double*, int, double*, int) {
  int* left = static_cast<int*>(user);
  if (isStart) return 1;
  return --*left > 0 ? 1 : 0;
}

// Exact Hi/Lo pot shares of fixed hands on a flop, over every turn and river.
std::vector<double> ExactHiLoOnFlop(const std::vector<CardMask>& hands, CardMask flop) {
  CardMask used = flop;
  for (CardMask h : hands) used |= h;
  std::vector<double> share(hands.size(), 0.0);
  int boards = 0;
  for (int t = 0; t < 52; ++t) {
    const CardMask turn = pokereval::cardMask(t);
    if (turn & used) continue;
    for (int r = t + 1; r < 52; ++r) {
      const CardMask river = pokereval::cardMask(r);
      if (river & used) continue;
      const CardMask board = flop | turn | river;
      std::vector<pokereval::HandVal> hi(hands.size());
      std::vector<pokereval::LowHandVal> lo(hands.size());
      for (size_t k = 0; k < hands.size(); ++k) pokereval::evalOmaha(hands[k], board, &hi[k], &lo[k]);
      pokereval::HandVal bestHi = 0;
      pokereval::LowHandVal bestLo = pokereval::kNoLow;
      for (size_t k = 0; k < hands.size(); ++k) {
        bestHi = std::max(bestHi, hi[k]);
        if (lo[k] != pokereval::kNoLow) bestLo = std::min(bestLo, lo[k]);
      }
      int nHi = 0, nLo = 0;
      for (size_t k = 0; k < hands.size(); ++k) {
        nHi += hi[k] == bestHi;
        nLo += bestLo != pokereval::kNoLow && lo[k] == bestLo;
      }
      const double half = nLo ? 0.5 : 1.0;
      for (size_t k = 0; k < hands.size(); ++k) {
        if (hi[k] == bestHi) share[k] += half / nHi;
        if (nLo && lo[k] == bestLo) share[k] += 0.5 / nLo;
      }
      ++boards;
    }
  }
  for (double& s : share) s = 100.0 * s / boards;
  return share;
}

// Seat lines of the copied plain text: "MP2:\t67.89%\t..." gives the first value, the equity.
std::vector<double> EquitiesOfText(const std::wstring& text) {
  std::vector<double> equities;
  std::wistringstream lines(text);
  std::wstring line;
  while (std::getline(lines, line)) {
    const size_t colon = line.find(L":\t");
    if (colon == std::wstring::npos || line.find(L'{') == std::wstring::npos) continue;
    equities.push_back(std::wcstod(line.c_str() + colon + 2, nullptr));
  }
  return equities;
}

std::wstring ClipboardText() {
  std::wstring text;
  for (int i = 0; i < 50 && !::OpenClipboard(nullptr); ++i) gui::Pump(100);
  if (HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* chars = static_cast<const wchar_t*>(::GlobalLock(data))) {
      text = chars;
      ::GlobalUnlock(data);
    }
  }
  ::CloseClipboard();
  return text;
}

// The program's progress dialog: a top-level window of the process holding the animation.
HWND FindProgressDialog(DWORD pid) {
  struct Search {
    DWORD pid;
    HWND found = nullptr;
  } search{pid};
  ::EnumWindows(
      [](HWND hwnd, LPARAM data) -> BOOL {
        auto* s = reinterpret_cast<Search*>(data);
        DWORD owner = 0;
        ::GetWindowThreadProcessId(hwnd, &owner);
        if (owner == s->pid && ::IsWindowVisible(hwnd) && ::GetDlgItem(hwnd, kProgressAnimation)) {
          s->found = hwnd;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// A message box of the program: a visible dialog of the process other than the progress dialog.
// Every window is looked at, since the progress dialog can still stand above the box for a while
// on a busy machine.
HWND WaitForMessageBox(DWORD pid, DWORD timeoutMs) {
  struct Search {
    DWORD pid;
    HWND found = nullptr;
  } search{pid};
  const DWORD start = ::GetTickCount();
  for (;;) {
    ::EnumWindows(
        [](HWND hwnd, LPARAM data) -> BOOL {
          auto* s = reinterpret_cast<Search*>(data);
          DWORD owner = 0;
          ::GetWindowThreadProcessId(hwnd, &owner);
          wchar_t cls[16] = {};
          ::GetClassNameW(hwnd, cls, 16);
          if (owner == s->pid && ::IsWindowVisible(hwnd) && std::wstring(cls) == L"#32770" &&
              !::GetDlgItem(hwnd, kProgressAnimation)) {
            s->found = hwnd;
            return FALSE;
          }
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    if (search.found || ::GetTickCount() - start >= timeoutMs) return search.found;
    gui::Pump(100);
  }
}

class EvaluateProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(apptest::CopyTables(folder_.Path()));
    ::CreateDirectoryW((appData_ / L"OmahaVantorn").c_str(), nullptr);
    const std::wstring url = L"http://127.0.0.1:" + std::to_wstring(apptest::UnusedPort()) + L"/version.ini";
    ::WritePrivateProfileStringW(L"Global", L"UpdateURL", url.c_str(), Ini().c_str());
    ::WritePrivateProfileStringW(L"Global", L"EvaluationTime", L"2000", Ini().c_str());
    ASSERT_TRUE(program_.Start(folder_.Path(), appData_.Path()));
    frame_ = apptest::WaitForFrame(program_.Id(), 60000);
    ASSERT_NE(frame_, nullptr);
    dialog_ = apptest::WaitForMainDialog(frame_, 20000);
    ASSERT_NE(dialog_, nullptr);
    gui::Pump(300);
  }
  void TearDown() override {
    if (program_.Id() && frame_ && ::IsWindow(frame_)) ::PostMessageW(frame_, WM_CLOSE, 0, 0);
    DWORD code = 0;
    if (!program_.WaitExit(30000, &code)) program_.Kill();
  }

  std::wstring Ini() const { return appData_ / L"OmahaVantorn\\OmahaVantorn.ini"; }
  HWND Item(int id) const { return ::GetDlgItem(dialog_, id); }
  std::wstring Text(int id) const {
    wchar_t buffer[512] = {};
    ::SendMessageW(Item(id), WM_GETTEXT, 512, reinterpret_cast<LPARAM>(buffer));
    return buffer;
  }
  void SetText(int id, const wchar_t* text) {
    ::SendMessageW(Item(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
    gui::Pump(100);
  }

  // Starts a run; returns the progress dialog once it shows.
  HWND StartRun() {
    EXPECT_TRUE(::IsWindowEnabled(Item(kEvaluate)));
    ::PostMessageW(Item(kEvaluate), BM_CLICK, 0, 0);
    HWND progress = nullptr;
    const DWORD start = ::GetTickCount();
    while (!progress && ::GetTickCount() - start < 30000) {
      progress = FindProgressDialog(program_.Id());
      if (!progress) gui::Pump(20);
    }
    return progress;
  }
  // Waits for the run's end; false on time-out.
  bool WaitRunEnd(HWND progress, DWORD timeoutMs = 120000) {
    const bool gone = apptest::WaitGone(progress, timeoutMs);
    gui::Pump(300);
    return gone;
  }
  // Evaluate, wait, copy the plain text; the time from the click to the end in *elapsedMs.
  std::wstring EvaluateAndCopy(DWORD* elapsedMs = nullptr) {
    const DWORD start = ::GetTickCount();
    HWND progress = StartRun();
    EXPECT_NE(progress, nullptr) << "no progress dialog";
    if (!progress) return L"";
    EXPECT_TRUE(WaitRunEnd(progress)) << "the run did not end";
    if (elapsedMs) *elapsedMs = ::GetTickCount() - start;
    return CopyText();
  }
  std::wstring CopyText() {
    if (::OpenClipboard(nullptr)) {
      ::EmptyClipboard();
      ::CloseClipboard();
    }
    ::SendMessageW(Item(kCopyText), BM_CLICK, 0, 0);
    gui::Pump(200);
    return ClipboardText();
  }
  void Capture(const wchar_t* name) {
    gui::Pump(300);
    const gui::Image shot = gui::CaptureWindow(frame_);
    gui::SaveCapture(shot, name);
    EXPECT_GT(gui::CountColours(shot, RECT{0, 0, shot.width, shot.height}), 10);
  }
  void ShowResults() {
    // The result area is shown by the frame's results toggle when it is hidden.
    RECT frame, copy;
    ::GetWindowRect(frame_, &frame);
    ::GetWindowRect(Item(kCopyText), &copy);
    if (copy.bottom > frame.bottom) ::SendMessageW(frame_, WM_COMMAND, ID_RESULTS, 0);
    gui::Pump(300);
  }
  void ChangeSettings(const wchar_t* seconds, bool hiLo) {
    ::PostMessageW(frame_, WM_COMMAND, kSettingsCommand, 0);
    HWND box = gui::WaitForWindow(nullptr, L"Settings", program_.Id(), 10000);
    ASSERT_NE(box, nullptr);
    ::SetDlgItemTextW(box, kSettingsSeconds, seconds);
    ::SendMessageW(::GetDlgItem(box, hiLo ? kSettingsHiLo : kSettingsHi), BM_CLICK, 0, 0);
    ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(apptest::WaitGone(box, 5000));
    gui::Pump(200);
  }

  apptest::TempFolder folder_{L"ovevalcwd"};
  apptest::TempFolder appData_{L"ovevaldata"};
  apptest::Program program_;
  HWND frame_ = nullptr;
  HWND dialog_ = nullptr;
};

TEST_F(EvaluateProgramTest, FixedHandAgainstRandomAgreesWithTheEngineAndImpossibleInputIsRefused) {
  // A seat the short-handed layout hides takes no part, whatever its text and box.
  ::SendMessageW(frame_, WM_COMMAND, ID_SHORT_HANDED, 0);
  gui::Pump(300);
  SetText(kRange + 0, L"QQ");
  SetText(kRange + 4, L"AsAhKsKh");
  EXPECT_TRUE(::IsWindowEnabled(Item(kEvaluate))) << "two seats in the ten-seat layout";
  ::SendMessageW(frame_, WM_COMMAND, ID_SHORT_HANDED, 0);
  gui::Pump(300);
  EXPECT_FALSE(::IsWindowEnabled(Item(kEvaluate))) << "the hidden seat does not count";

  SetText(kRange + 4, L"AsAhKsKh");
  ::SendMessageW(Item(kRandom + 5), BM_CLICK, 0, 0);
  gui::Pump(200);
  ASSERT_EQ(Text(kRange + 5), L"random");
  ShowResults();

  const std::wstring text = EvaluateAndCopy();
  const std::vector<double> equities = EquitiesOfText(text);
  ASSERT_EQ(equities.size(), 2u) << std::string(text.begin(), text.end());
  EXPECT_NEAR(equities[0] + equities[1], 100.0, 0.02) << "the copied equities add to 100 %";
  EXPECT_EQ(text.rfind(L"https://", 0), 0u) << "the plain text starts with the address line";
  EXPECT_NE(text.find(L"MP2:\t"), std::wstring::npos);
  EXPECT_NE(text.find(L"{ AsAhKsKh }"), std::wstring::npos);
  EXPECT_NE(Text(kPreflopField + 4), L"") << "the equity field keeps the last interim value";
  Capture(L"evaluate_hi_fixed_vs_random");

  // The engine here, far longer: its error is small beside the program's.
  int count[kMaxSeats] = {};
  FillRow(0, Hand("AsAhKsKh"), &count[0]);
  FillAllHands(1, &count[1]);
  double results[kEquityHiArrays][kMaxSeats] = {};
  int calls = 60;
  ASSERT_EQ(CalculateEquityHi(count, 2, L"", results, 0, 0, &StopAfter, &calls), 0);
  const double reference = results[kPreflopWin][0] + results[kPreflopTie][0];
  const double p = reference / 100.0;
  const double tolerance = 100.0 * 5.0 * std::sqrt(p * (1 - p) / kLeastDeals);
  EXPECT_NEAR(equities[0], reference, tolerance);

  // Every street: interim and final values in all four columns, four rows per seat.
  ::SendMessageW(Item(kAllStreets), BM_CLICK, 0, 0);
  gui::Pump(300);
  const std::wstring streets = EvaluateAndCopy();
  for (int column : {kPreflopField, kFlopField, kTurnField, kRiverField})
    EXPECT_NE(Text(column + 4), L"") << "column " << column;
  EXPECT_NE(streets.find(L"MP2:\tPreflop\t"), std::wstring::npos);
  EXPECT_NE(streets.find(L"\tRiver\t"), std::wstring::npos);
  EXPECT_EQ(EquitiesOfText(streets).size(), 2u);
  Capture(L"evaluate_hi_all_streets");
  ::SendMessageW(Item(kAllStreets), BM_CLICK, 0, 0);
  gui::Pump(300);
  const std::wstring text2 = EvaluateAndCopy();

  // Two seats with the same single hand (no deal is possible), or a range that holds no hand:
  // message 307, and the result stays.
  for (const wchar_t* impossible : {L"AsAhKsKh", L"xyz(("}) {
    SetText(kRange + 5, impossible);
    ::PostMessageW(Item(kEvaluate), BM_CLICK, 0, 0);
    HWND box = WaitForMessageBox(program_.Id(), 60000);
    ASSERT_NE(box, nullptr) << "no message";
    const apptest::MessageBoxTexts message = apptest::ReadMessageBox(box);
    EXPECT_EQ(message.message, L"No results found. Simulation is either impossible or cannot be completed.");
    EXPECT_TRUE(message.htmlBox) << "the program's HTML message box";
    gui::SaveCapture(gui::CaptureWindow(box), L"evaluate_message_307");
    ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(apptest::WaitGone(box, 5000));
    gui::Pump(300);
    EXPECT_EQ(CopyText(), text2) << "the previous result stays";
  }
  EXPECT_TRUE(::IsWindowEnabled(frame_)) << "the frame is enabled again";
}

TEST_F(EvaluateProgramTest, NextRunUsesTheSettingsStopEndsEarlyAndClosingEndsTheRun) {
  // Hi/Lo and 4 seconds from the settings dialog: the next run is Hi/Lo and lasts at least the
  // new time (the start-up time was 2 seconds).
  ChangeSettings(L"4", true);
  SetText(kRange + 4, L"Ah2h3dKs");
  SetText(kRange + 5, L"AdKd4c5c");
  SetText(kRange + 6, L"QsQcJsTh");
  SetText(kFlop, L"6h7c8s");
  ShowResults();
  DWORD elapsed = 0;
  const std::wstring text = EvaluateAndCopy(&elapsed);
  EXPECT_GE(elapsed, 4000u) << "the run lasted the new evaluation time";
  EXPECT_NE(text.find(L"Scoops"), std::wstring::npos) << "a Hi/Lo result";
  EXPECT_NE(text.find(L"Board: 6h7c8s"), std::wstring::npos);
  const std::vector<double> equities = EquitiesOfText(text);
  ASSERT_EQ(equities.size(), 3u) << std::string(text.begin(), text.end());
  EXPECT_NEAR(equities[0] + equities[1] + equities[2], 100.0, 0.03);
  Capture(L"evaluate_hilo_three_way_flop");

  const std::vector<CardMask> hands = {Hand("Ah2h3dKs"), Hand("AdKd4c5c"), Hand("QsQcJsTh")};
  const std::vector<double> exact = ExactHiLoOnFlop(hands, Hand("6h7c8s"));
  int count[kMaxSeats] = {};
  for (int k = 0; k < 3; ++k) FillRow(k, hands[k], &count[k]);
  double results[kEquityHiLoArrays][kMaxSeats] = {};
  int calls = 60;
  ASSERT_EQ(CalculateEquityHiLo(count, 3, L"6h7c8s", results, 0, 0, &StopAfter, &calls), 0);
  for (int k = 0; k < 3; ++k) {
    const double p = exact[k] / 100.0;
    const double tolerance = 100.0 * 5.0 * std::sqrt(std::max(p * (1 - p), 0.01) / kLeastDeals);
    EXPECT_NEAR(equities[k], exact[k], tolerance) << "seat " << k << " against the enumeration";
    EXPECT_NEAR(results[HiLoArray(0, kHiLoEquity)][k], exact[k], 0.5) << "the engine here, seat " << k;
  }

  // Stop: a run of 1,000 seconds ends at the button with a result.
  ChangeSettings(L"1000", true);
  HWND progress = StartRun();
  ASSERT_NE(progress, nullptr);
  for (int i = 0; i < 300 && Text(kPreflopField + 4).empty(); ++i) gui::Pump(100);
  EXPECT_NE(Text(kPreflopField + 4), L"") << "interim equity shown during the run";
  // The window answers while the run goes on: its messages are pumped at every progress call.
  DWORD_PTR answer = 0;
  EXPECT_NE(::SendMessageTimeoutW(frame_, WM_NULL, 0, 0, SMTO_NORMAL, 20000, &answer), 0) << "the frame hangs";
  gui::SaveCapture(gui::CaptureWindow(frame_), L"evaluate_running");
  gui::SaveCapture(gui::CaptureWindow(progress), L"evaluate_progress_dialog");
  ::PostMessageW(::GetDlgItem(progress, IDCANCEL), BM_CLICK, 0, 0);
  ASSERT_TRUE(WaitRunEnd(progress, 60000)) << "Stop did not end the run";
  const std::wstring stopped = CopyText();
  EXPECT_EQ(EquitiesOfText(stopped).size(), 3u);
  // The BBCode text goes to the clipboard by its own button.
  ::SendMessageW(Item(kCopyBBCode), BM_CLICK, 0, 0);
  gui::Pump(200);
  const std::wstring bbCode = ClipboardText();
  EXPECT_EQ(bbCode.rfind(L"[FONT=courier new][SIZE=12]\r\n[b]Board: [/b]6:heart:7:club:8:spade:\r\n", 0), 0u);
  EXPECT_NE(bbCode.find(L"{ QsQcJsTh }\r\n[/SIZE][/FONT]\n"), std::wstring::npos);

  // Every street with a range whose hands all hold a flop card: the flop column could never
  // be dealt, so the run ends with message 307 rather than an undefined number.
  ::SendMessageW(Item(kAllStreets), BM_CLICK, 0, 0);
  SetText(kRange + 6, L"6h***");
  ASSERT_NE(Text(kCount + 6), L"") << "the range holds hands; only the flop cannot be dealt";
  ::PostMessageW(Item(kEvaluate), BM_CLICK, 0, 0);
  HWND box = WaitForMessageBox(program_.Id(), 60000);
  ASSERT_NE(box, nullptr) << "no message";
  const apptest::MessageBoxTexts message = apptest::ReadMessageBox(box);
  EXPECT_EQ(message.message, L"No results found. Simulation is either impossible or cannot be completed.");
  EXPECT_TRUE(message.htmlBox);
  ::PostMessageW(box, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(apptest::WaitGone(box, 5000));
  gui::Pump(300);
  for (int column : {kPreflopField, kFlopField, kTurnField, kRiverField})
    EXPECT_EQ(Text(column + 6).find(L"nan"), std::wstring::npos);
  SetText(kRange + 6, L"QsQcJsTh");

  // Closing the program while a run is on ends the run and then the program, cleanly.
  progress = StartRun();
  ASSERT_NE(progress, nullptr);
  gui::Pump(500);
  ::PostMessageW(frame_, WM_CLOSE, 0, 0);
  DWORD code = 1234;
  ASSERT_TRUE(program_.WaitExit(60000, &code)) << "the program did not end";
  EXPECT_EQ(code, 0u);
  frame_ = nullptr;
}

}  // namespace

namespace {

// The program with the engine's report of every run in a file of the test's folder.
class EvaluateWorkersProgramTest : public EvaluateProgramTest {
 protected:
  void SetUp() override {
    ::SetEnvironmentVariableW(L"OMAHAVANTORN_ENGINE_REPORT", Report().c_str());
    EvaluateProgramTest::SetUp();
    ::SetEnvironmentVariableW(L"OMAHAVANTORN_ENGINE_REPORT", nullptr);
  }
  std::wstring Report() const { return appData_ / L"engine_report.txt"; }
};

struct TimeLimit {
  DWORD start = 0;
  DWORD limitMs = 0;
};
int StopAtTime(void* user, int isStart, double*, int, double*, int, double*, int, double*, int) {
  auto* t = static_cast<TimeLimit*>(user);
  if (isStart) {
    t->start = ::GetTickCount();
    return 1;
  }
  return ::GetTickCount() - t->start > t->limitMs ? 0 : 1;
}

// Evaluate deals on every hardware thread: in its two seconds it counts more deals than the
// engine on one worker here in the same time.
TEST_F(EvaluateWorkersProgramTest, EvaluateDealsOnEveryWorker) {
  SYSTEM_INFO system{};
  ::GetSystemInfo(&system);
  if (system.dwNumberOfProcessors < 2) GTEST_SKIP() << "one processor: one worker";
  SetText(kRange + 4, L"AhAd2c3c");
  SetText(kRange + 5, L"KsKh5d6d");
  ShowResults();
  const std::wstring text = EvaluateAndCopy();
  ASSERT_EQ(EquitiesOfText(text).size(), 2u);

  FILE* file = _wfopen(Report().c_str(), L"r");
  ASSERT_NE(file, nullptr) << "the program wrote no report";
  int workers = 0;
  unsigned long long attempts = 0, deals = 0;
  const int read = std::fscanf(file, "workers %d attempts %llu deals %llu", &workers, &attempts, &deals);
  std::fclose(file);
  ASSERT_EQ(read, 3);
  EXPECT_EQ(workers, static_cast<int>(system.dwNumberOfProcessors));

  SetEquityWorkers(1);
  int count[kMaxSeats] = {};
  FillRow(0, Hand("AhAd2c3c"), &count[0]);
  FillRow(1, Hand("KsKh5d6d"), &count[1]);
  double results[kEquityHiArrays][kMaxSeats] = {};
  TimeLimit limit{0, 2000};
  ASSERT_EQ(CalculateEquityHi(count, 2, L"", results, 0, 0, &StopAtTime, &limit), 0);
  SetEquityWorkers(0);
  const EquityRunStats one = LastEquityRunStats();
  EXPECT_EQ(one.workers, 1);
  EXPECT_GT(deals, one.valid) << "all workers against one in the same two seconds";
}

}  // namespace
