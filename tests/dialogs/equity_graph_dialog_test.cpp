// The equity graph dialog as a user meets it: the stored method and quality, the curve of an
// exactly known case, the three methods in one chart, Stop, the messages, and the saved image
// loaded back, through the file dialog too.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "app/app_utils.h"
#include "app/omaha_app.h"
#include "app/settings.h"
#include "dialogs/equity_graph_dialog.h"
#include "equity_graph_ids.h"
#include "equity_graph_reference.h"
#include "gui_harness.h"
#include "temp_folder.h"

namespace {

COmahaVantornApp g_app;

constexpr wchar_t kNoResults[] = L"No results found. Simulation is either impossible or cannot be completed.";
constexpr int kFileNameCombo = 0x047C;

bool IsOwnDialog(HWND hwnd) {
  DWORD pid = 0;
  ::GetWindowThreadProcessId(hwnd, &pid);
  return pid == ::GetCurrentProcessId() && ::IsWindowVisible(hwnd) && gui::ClassName(hwnd) == L"#32770";
}

// A visible dialog window of this process that the predicate accepts, or null.
HWND FindOwnDialog(const std::function<bool(HWND)>& accept) {
  struct Search {
    const std::function<bool(HWND)>* accept;
    HWND found;
  } search{&accept, nullptr};
  ::EnumWindows(
      [](HWND hwnd, LPARAM data) -> BOOL {
        auto* s = reinterpret_cast<Search*>(data);
        if (!IsOwnDialog(hwnd) || !(*s->accept)(hwnd)) return TRUE;
        s->found = hwnd;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

bool IsMessageBox(HWND hwnd) { return ::GetDlgItem(hwnd, 0xFFFF) != nullptr && ::GetDlgItem(hwnd, IDOK) != nullptr; }

// Plays the user on another thread while the test thread sits in a handler: answers every
// message box with OK and remembers its text, and acts once on a window whose caption starts
// with the given text.
class User {
 public:
  explicit User(std::wstring caption = L"", std::function<void(HWND)> act = nullptr)
      : caption_(std::move(caption)), act_(std::move(act)), thread_([this] { Loop(); }) {}
  ~User() {
    done_ = true;
    thread_.join();
  }
  std::vector<std::wstring> Messages() {
    std::lock_guard<std::mutex> lock(mutex_);
    return messages_;
  }
  bool Acted() const { return acted_; }

 private:
  void Loop() {
    while (!done_) {
      if (HWND box = FindOwnDialog(IsMessageBox)) {
        wchar_t text[1024] = L"";
        ::GetDlgItemTextW(box, 0xFFFF, text, 1024);
        {
          std::lock_guard<std::mutex> lock(mutex_);
          messages_.push_back(text);
        }
        ::PostMessageW(box, WM_COMMAND, IDOK, 0);
        while (::IsWindow(box) && !done_) ::Sleep(20);
      }
      if (act_ && !acted_) {
        HWND window = FindOwnDialog([this](HWND h) { return gui::WindowText(h).rfind(caption_, 0) == 0; });
        if (window) {
          act_(window);
          acted_ = true;
        }
      }
      ::Sleep(30);
    }
  }

  std::wstring caption_;
  std::function<void(HWND)> act_;
  std::atomic<bool> done_{false};
  std::atomic<bool> acted_{false};
  std::mutex mutex_;
  std::vector<std::wstring> messages_;
  std::thread thread_;
};

class EquityGraphDialogTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    ASSERT_TRUE(g_app.m_handBase.LoadTables(gui::ExeFolder()).Loaded());
    g_app.SyncRangeSettings();
  }
  void SetUp() override {
    ::SetEnvironmentVariableW(L"OMAHAVANTORN_APPDATA", appData_.Path().c_str());
    ResetAppDataFolderCache();
    swap_ = RedirectProfileToAppData();
    ini_ = swap_->m_iniPath.GetString();
  }
  void TearDown() override {
    if (dialog_.GetSafeHwnd()) dialog_.DestroyWindow();
    swap_->Restore(&g_app);
    delete swap_;
    ::SetEnvironmentVariableW(L"OMAHAVANTORN_APPDATA", nullptr);
    ResetAppDataFolderCache();
  }

  void Open(const std::vector<const wchar_t*>& ranges, const wchar_t* board) {
    for (size_t i = 0; i < ranges.size(); ++i) dialog_.m_rangeTexts[i] = ranges[i];
    dialog_.m_boardText = board;
    ASSERT_TRUE(dialog_.Create(IDD_EQUITY_GRAPH, nullptr));
    dialog_.ShowWindow(SW_SHOW);
    dialog_.UpdateWindow();
  }
  void Click(int id) { dialog_.SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(dialog_.GetDlgItem(id)->GetSafeHwnd())); }
  void Choose(int method) {
    dialog_.CheckRadioButton(IDC_GRAPH_RANGE_VS_RANGE, IDC_GRAPH_HAND_VS_RANGE, method);
    Click(method);
  }
  bool Enabled(int id) { return dialog_.GetDlgItem(id)->IsWindowEnabled() != FALSE; }
  std::wstring Ini(const wchar_t* section, const wchar_t* key) {
    wchar_t value[512] = L"";
    ::GetPrivateProfileStringW(section, key, L"", value, 512, ini_.c_str());
    return value;
  }

  apptest::TempFolder appData_{L"ovgraphappdata"};
  ProfileNameSwap* swap_ = nullptr;
  std::wstring ini_;
  CEquityGraphDialog dialog_;
};

// Pixels within a small distance of a colour.
int CountNear(const CImage& image, COLORREF color) {
  int n = 0;
  for (int y = 0; y < image.GetHeight(); ++y)
    for (int x = 0; x < image.GetWidth(); ++x) {
      const COLORREF c = image.GetPixel(x, y);
      if (std::abs(GetRValue(c) - GetRValue(color)) + std::abs(GetGValue(c) - GetGValue(color)) +
              std::abs(GetBValue(c) - GetBValue(color)) < 40)
        ++n;
    }
  return n;
}

TEST_F(EquityGraphDialogTest, TitleStreetAndTheStoredChoices) {
  ::WritePrivateProfileStringW(L"EquityGraph", L"EquityGraphType", L"7", ini_.c_str());
  ::WritePrivateProfileStringW(L"EquityGraph", L"EquityGraphQuality", L"9", ini_.c_str());
  Open({L"AsKsQdJd", L"random", L"KK"}, L"Ah7c2d");
  EXPECT_STREQ(dialog_.m_diagram.m_title, L"AsKsQdJd vs. {random}, {KK} On board Ah7c2d");
  EXPECT_EQ(dialog_.m_diagram.m_street, 2);
  EXPECT_EQ(dialog_.m_playerCount, 3);
  EXPECT_EQ(dialog_.m_boardCardCount, 3);
  EXPECT_TRUE(dialog_.IsDlgButtonChecked(IDC_GRAPH_HAND_VS_HAND)) << "an unknown stored method is Hand vs. Hand";
  EXPECT_EQ(dialog_.m_qualitySlider.GetPos(), 5) << "quality 9 is clamped";
  EXPECT_FALSE(Enabled(IDC_GRAPH_SAVE)) << "nothing to save yet";
  for (int id : {IDC_GRAPH_QUALITY, IDC_GRAPH_QUALITY_BEST, IDC_GRAPH_QUALITY_FAST}) EXPECT_FALSE(Enabled(id));

  Choose(IDC_GRAPH_RANGE_VS_RANGE);
  for (int id : {IDC_GRAPH_QUALITY, IDC_GRAPH_QUALITY_BEST, IDC_GRAPH_QUALITY_FAST}) EXPECT_TRUE(Enabled(id));
  dialog_.m_qualitySlider.SetPos(1);
  gui::SaveCapture(gui::CaptureWindow(dialog_.GetSafeHwnd()), L"equity_graph_opened");
  dialog_.DestroyWindow();
  EXPECT_EQ(Ini(L"EquityGraph", L"EquityGraphType"), L"0");
  EXPECT_EQ(Ini(L"EquityGraph", L"EquityGraphQuality"), L"1");

  // Streets by the board, the other stored values.
  const struct {
    const wchar_t *board, *type, *quality;
    int street, radio, position;
  } cases[] = {{L"", L"1", L"-3", 1, IDC_GRAPH_HAND_VS_RANGE, 0},
               {L"Ah7c2d9s", L"0", L"", 3, IDC_GRAPH_RANGE_VS_RANGE, 2},
               {L"Ah7c2d9s4h", L"2", L"4", 0, IDC_GRAPH_HAND_VS_HAND, 4}};
  for (const auto& c : cases) {
    ::WritePrivateProfileStringW(L"EquityGraph", L"EquityGraphType", c.type, ini_.c_str());
    ::WritePrivateProfileStringW(L"EquityGraph", L"EquityGraphQuality", *c.quality ? c.quality : nullptr, ini_.c_str());
    CEquityGraphDialog dialog;
    dialog.m_rangeTexts[0] = L"AA**";
    dialog.m_rangeTexts[1] = L"KK**";
    dialog.m_boardText = c.board;
    ASSERT_TRUE(dialog.Create(IDD_EQUITY_GRAPH, nullptr));
    EXPECT_EQ(dialog.m_diagram.m_street, c.street) << c.board;
    EXPECT_TRUE(dialog.IsDlgButtonChecked(c.radio)) << c.type;
    EXPECT_EQ(dialog.m_qualitySlider.GetPos(), c.position) << c.quality;
    dialog.DestroyWindow();
  }
}

TEST_F(EquityGraphDialogTest, ExactCurveOnATurnThenEveryMethodInOneChart) {
  const wchar_t *hand1 = L"AsKsQdJd", *hand2 = L"9h9c8h7c", *board = L"Ts9d2h3c";
  Open({hand1, hand2}, board);
  Choose(IDC_GRAPH_RANGE_VS_RANGE);
  {
    User user;
    Click(IDC_GRAPH_CALCULATE);
    EXPECT_TRUE(user.Messages().empty());
  }
  // Every river card decides: the curve is the enumeration's, whatever the trial count.
  const CardMask h1 = ParseCardString(hand1), h2 = ParseCardString(hand2), known = ParseCardString(board);
  int histogram[kGraphLevels] = {};
  int rivers = 0;
  for (int i = 0; i < 52; ++i) {
    const CardMask card = pokereval::cardMask(i);
    if (card & (h1 | h2 | known)) continue;
    ++rivers;
    ++histogram[EquityGraphRun::Bucket(graphtest::Enumerate(h1, h2, known | card, false).equity)];
  }
  int sum = 0;
  for (int k = 0; k < kGraphLevels; ++k) {
    sum += histogram[k];
    ASSERT_EQ(dialog_.m_diagram.m_rangeVsRange[k], sum) << "equity " << k;
  }
  EXPECT_EQ(dialog_.m_diagram.m_totals[kCurveRangeVsRange], rivers);
  EXPECT_EQ(dialog_.m_diagram.m_showRangeVsRange, 1);
  EXPECT_EQ(dialog_.m_diagram.m_antialiased, 1);
  EXPECT_EQ(dialog_.m_diagram.m_smooth, 0) << "the next-card graph is drawn as steps";
  EXPECT_TRUE(Enabled(IDC_GRAPH_SAVE));

  for (int method : {IDC_GRAPH_HAND_VS_RANGE, IDC_GRAPH_HAND_VS_HAND}) {
    Choose(method);
    User user;
    Click(IDC_GRAPH_CALCULATE);
    EXPECT_TRUE(user.Messages().empty());
    EXPECT_FALSE(Enabled(IDC_GRAPH_QUALITY)) << "quality belongs to Range vs. Range";
  }
  EXPECT_EQ(dialog_.m_doneRangeVsRange + dialog_.m_doneHandVsRange + dialog_.m_doneHandVsHand, 3);
  EXPECT_EQ(dialog_.m_diagram.m_showRangeVsRange + dialog_.m_diagram.m_showHandVsRange +
                dialog_.m_diagram.m_showHandVsHand,
            3)
      << "the finished curves are compared in one chart";
  EXPECT_EQ(dialog_.m_diagram.m_handVsHand[100], 500);
  EXPECT_EQ(dialog_.m_diagram.m_totals[kCurveHandVsHand], 500);
  EXPECT_EQ(dialog_.m_diagram.m_handVsRange[100], dialog_.m_diagram.m_totals[kCurveHandVsRange]);
  dialog_.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  gui::SaveCapture(gui::CaptureWindow(dialog_.GetSafeHwnd()), L"equity_graph_three_methods");

  // The image: each format loaded back at the chart's size with all three curves in it.
  apptest::TempFolder folder(L"ovgraphimages");
  for (const wchar_t* name : {L"graph.png", L"graph.bmp", L"graph.gif", L"graph.jpg"}) {
    const std::wstring path = folder / name;
    User user;
    ASSERT_TRUE(dialog_.SaveGraphImage(path.c_str())) << name;
    EXPECT_TRUE(user.Messages().empty());
    CImage image;
    ASSERT_TRUE(SUCCEEDED(image.Load(path.c_str()))) << name;
    EXPECT_EQ(image.GetWidth(), CEquityGraphDialog::kImageWidth);
    EXPECT_EQ(image.GetHeight(), CEquityGraphDialog::kImageHeight);
    if (std::wstring(name) != L"graph.png") continue;
    EXPECT_GT(CountNear(image, COwnerdrawedDiagramm::kRangeVsRangeColor), 100);
    EXPECT_GT(CountNear(image, COwnerdrawedDiagramm::kHandVsHandColor), 100);
    EXPECT_GT(CountNear(image, COwnerdrawedDiagramm::kHandVsRangeColor), 100);
  }
  EXPECT_EQ(Ini(L"Global", L"DirectoryEquityGraph"), folder.Path());

  // Endings that name no format, exactly: nothing saved, nothing said, the folder remembered.
  apptest::TempFolder other(L"ovgraphother");
  for (const wchar_t* name : {L"graph.PNG", L"graph.txt"}) {
    User user;
    EXPECT_FALSE(dialog_.SaveGraphImage((other / name).c_str()));
    EXPECT_FALSE(apptest::FileExists(other / name));
    EXPECT_TRUE(user.Messages().empty());
  }
  EXPECT_EQ(Ini(L"Global", L"DirectoryEquityGraph"), other.Path());

  // A folder that does not exist: the user is told which file failed.
  const std::wstring missing = folder / L"missing\\graph.png";
  User user;
  EXPECT_FALSE(dialog_.SaveGraphImage(missing.c_str()));
  ASSERT_EQ(user.Messages().size(), 1u);
  EXPECT_EQ(user.Messages()[0], L"Error while saving chart [" + missing + L"]");
}

TEST_F(EquityGraphDialogTest, RangesOnAFlopDrawThreeCurves) {
  ::WritePrivateProfileStringW(L"EquityGraph", L"EquityGraphQuality", L"5", ini_.c_str());
  Open({L"AsKsQdJd", L"random"}, L"Ts9d2h");
  for (int method : {IDC_GRAPH_RANGE_VS_RANGE, IDC_GRAPH_HAND_VS_RANGE, IDC_GRAPH_HAND_VS_HAND}) {
    Choose(method);
    User user;
    Click(IDC_GRAPH_CALCULATE);
    EXPECT_TRUE(user.Messages().empty());
  }
  const COwnerdrawedDiagramm& d = dialog_.m_diagram;
  EXPECT_EQ(d.m_showRangeVsRange + d.m_showHandVsRange + d.m_showHandVsHand, 3);
  EXPECT_EQ(d.m_rangeVsRange[100], d.m_totals[kCurveRangeVsRange]);
  EXPECT_EQ(d.m_totals[kCurveRangeVsRange], 52 - 3 - 4) << "every turn card; none below half a percent is lost";
  // Player 1 is neither always ahead nor always behind: the curves climb over many levels.
  EXPECT_GT(d.m_rangeVsRange[50], 0);
  EXPECT_LT(d.m_rangeVsRange[50], d.m_totals[kCurveRangeVsRange]);
  EXPECT_LT(d.m_handVsRange[50], d.m_handVsRange[100]);
  dialog_.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  gui::SaveCapture(gui::CaptureWindow(dialog_.GetSafeHwnd()), L"equity_graph_ranges_on_flop");
}

TEST_F(EquityGraphDialogTest, SavesThroughTheFileDialogAndKeepsTheCurrentFolder) {
  Open({L"AA**", L"random"}, L"Ah7c2d");
  Choose(IDC_GRAPH_HAND_VS_HAND);
  {
    User user;
    Click(IDC_GRAPH_CALCULATE);
    EXPECT_TRUE(user.Messages().empty());
  }
  apptest::TempFolder folder(L"ovgraphpicked");
  const std::wstring path = folder / L"picked.png";
  wchar_t before[MAX_PATH] = L"";
  ::GetCurrentDirectoryW(MAX_PATH, before);
  std::wstring offered;
  {
    User user(L"Save", [&](HWND fileDialog) {
      ::Sleep(200);  // let it fill itself
      HWND name = ::GetDlgItem(fileDialog, kFileNameCombo);
      offered = gui::WindowText(name);
      ::SetWindowTextW(name, path.c_str());
      ::PostMessageW(fileDialog, WM_COMMAND, IDOK, 0);
    });
    Click(IDC_GRAPH_SAVE);
    EXPECT_TRUE(user.Acted());
  }
  EXPECT_EQ(offered, L"[AAxx] vs. [random] Board=Ah7c2d.png") << "the default name is a valid file name";
  CImage image;
  ASSERT_TRUE(SUCCEEDED(image.Load(path.c_str())));
  EXPECT_EQ(image.GetWidth(), CEquityGraphDialog::kImageWidth);
  EXPECT_GT(CountNear(image, COwnerdrawedDiagramm::kHandVsHandColor), 100);
  wchar_t after[MAX_PATH] = L"";
  ::GetCurrentDirectoryW(MAX_PATH, after);
  EXPECT_STREQ(after, before);
}

TEST_F(EquityGraphDialogTest, StopEndsTheRunAndAFirstCurveStaysHidden) {
  ::WritePrivateProfileStringW(L"EquityGraph", L"EquityGraphQuality", L"0", ini_.c_str());
  Open({L"AA**", L"KK**"}, L"");
  Choose(IDC_GRAPH_RANGE_VS_RANGE);
  std::wstring status;
  {
    User user(L"Simulation in progress", [&](HWND progress) {
      // Stop once the run has shown some progress.
      for (int i = 0; i < 200 && gui::WindowText(::GetDlgItem(progress, 1014)).empty(); ++i) ::Sleep(20);
      status = gui::WindowText(::GetDlgItem(progress, 1014));
      ::PostMessageW(progress, WM_COMMAND, IDCANCEL, 0);
    });
    const auto start = std::chrono::steady_clock::now();
    Click(IDC_GRAPH_CALCULATE);  // every flop would take minutes
    EXPECT_TRUE(user.Acted());
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(60));
    EXPECT_TRUE(user.Messages().empty());
  }
  EXPECT_NE(status.find(L"% complete"), std::wstring::npos) << status;
  EXPECT_EQ(dialog_.m_doneRangeVsRange, 0);
  EXPECT_EQ(dialog_.m_diagram.m_showRangeVsRange, 0) << "a first run that was stopped shows no curve";
  EXPECT_EQ(dialog_.m_diagram.m_totals[kCurveRangeVsRange], kGraphFlopCount);
  EXPECT_TRUE(dialog_.IsWindowEnabled()) << "the progress dialog gave its owner back";
  EXPECT_TRUE(Enabled(IDC_GRAPH_SAVE));
  EXPECT_EQ(FindOwnDialog([](HWND h) { return gui::WindowText(h).rfind(L"Simulation", 0) == 0; }), nullptr);
}

TEST_F(EquityGraphDialogTest, MessagesForNothingToSimulateAndForOutcomesLeftOut) {
  const struct {
    std::vector<const wchar_t*> ranges;
    const wchar_t* board;
  } refused[] = {
      {{L"AsKsQdJd", L"AsQhJh2c"}, L"Ah7c2d"},  // two exact hands share a card
      {{}, L"Ah7c2d"},                          // nobody to graph
  };
  for (const auto& c : refused) {
    CEquityGraphDialog dialog;
    for (size_t i = 0; i < c.ranges.size(); ++i) dialog.m_rangeTexts[i] = c.ranges[i];
    dialog.m_boardText = c.board;
    ASSERT_TRUE(dialog.Create(IDD_EQUITY_GRAPH, nullptr));
    User user;
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_GRAPH_CALCULATE, BN_CLICKED), 0);
    ASSERT_EQ(user.Messages().size(), 1u);
    EXPECT_EQ(user.Messages()[0], kNoResults);
    EXPECT_TRUE(dialog.GetDlgItem(IDC_GRAPH_SAVE)->IsWindowEnabled());
    EXPECT_EQ(dialog.m_diagram.m_showRangeVsRange + dialog.m_diagram.m_showHandVsRange + dialog.m_diagram.m_showHandVsHand, 0);
    EXPECT_EQ(dialog.m_diagram.m_rangeVsRange[100], 0);
    dialog.DestroyWindow();
  }

  // Every hand of player 2 holds the ace and king of hearts: those two turn cards have no deal.
  Open({L"QsQdJcTc", L"AhKh**"}, L"2c3d4s");
  Choose(IDC_GRAPH_RANGE_VS_RANGE);
  User user;
  Click(IDC_GRAPH_CALCULATE);
  ASSERT_EQ(user.Messages().size(), 1u);
  EXPECT_EQ(user.Messages()[0],
            L"2 outcomes were left out of the graph: no valid deal of the players' ranges fits them.");
  EXPECT_EQ(dialog_.m_diagram.m_totals[kCurveRangeVsRange], 52 - 3 - 4 - 2);
  EXPECT_EQ(dialog_.m_diagram.m_rangeVsRange[100], 52 - 3 - 4 - 2);
  EXPECT_EQ(dialog_.m_diagram.m_showRangeVsRange, 1);
}

TEST(EquityGraphTexts, DefaultImageNames) {
  const CString texts[10] = {L"AA**,KK**", L"", L"random"};
  EXPECT_STREQ(BuildEquityGraphImageName(texts, 10, L"Ah7c2d"), L"[AAxx,KKx...] vs. [random] Board=Ah7c2d");
  const CString slash[10] = {L"AA**/KK**", L"12345678"};
  EXPECT_STREQ(BuildEquityGraphImageName(slash, 10, L""), L"[AAxx-KKx...] vs. [12345678]");
}

TEST(EquityGraphTexts, FormatsAndFolders) {
  GUID format;
  EXPECT_TRUE(EquityGraphImageFormat(L"C:\\a\\b.png", &format));
  EXPECT_TRUE(IsEqualGUID(format, Gdiplus::ImageFormatPNG));
  EXPECT_TRUE(EquityGraphImageFormat(L"b.jpg", &format));
  EXPECT_TRUE(IsEqualGUID(format, Gdiplus::ImageFormatJPEG));
  EXPECT_TRUE(EquityGraphImageFormat(L".gif", &format));
  EXPECT_TRUE(IsEqualGUID(format, Gdiplus::ImageFormatGIF));
  for (const wchar_t* path : {L"b.PNG", L"b.jpeg", L"png", L"", L"b.txt"}) EXPECT_FALSE(EquityGraphImageFormat(path, &format)) << path;

  EXPECT_STREQ(EquityGraphImageFolder(L"C:\\a\\b\\c.png"), L"C:\\a\\b");
  EXPECT_STREQ(EquityGraphImageFolder(L"C:/a\\b/c.png"), L"C:/a\\b") << "the last slash first";
  EXPECT_STREQ(EquityGraphImageFolder(L"c.png"), L"");
}

TEST(EquityGraphCommand, NeedsTwoPlayersAndANextStreet) {
  const struct {
    int seats, board;
    bool enabled;
  } cases[] = {{0, 0, false}, {1, 0, false}, {2, 0, true}, {2, 3, true}, {2, 4, true},
               {2, 5, false}, {10, 4, true}, {3, 6, false}};
  for (const auto& c : cases)
    EXPECT_EQ(EquityGraphCommandEnabled(c.seats, c.board), c.enabled) << c.seats << " seats, " << c.board << " cards";
}

}  // namespace
