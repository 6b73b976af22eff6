// The equity graph from the running application's Tools menu: the command's state for the
// seats and board cards of the main dialog, and the dialog it opens with those players and that
// board, calculated and captured.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/child_form_view.h"
#include "app/main_dialog.h"
#include "app/main_frame.h"
#include "app/omaha_app.h"
#include "dialogs/equity_graph_dialog.h"
#include "equity_graph_ids.h"
#include "main_dialog_ids.h"
#include "gui_harness.h"
#include "menu.h"
#include "program_runner.h"
#include "temp_folder.h"

namespace {

constexpr UINT WM_SCRIPT = WM_APP + 0x3D2;
constexpr int kToolsMenu = 2;

struct StateCase {
  std::vector<const wchar_t*> seats;  // texts of the shown seats 4, 5, ... (empty: untouched)
  bool secondUnticked;
  const wchar_t *flop, *turn, *river;
  bool enabled;
};

const StateCase kCases[] = {
    {{}, false, L"", L"", L"", false},
    {{L"AA**"}, false, L"", L"", L"", false},
    {{L"AA**", L"KK**"}, false, L"", L"", L"", true},
    {{L"AA**", L"KK**"}, true, L"", L"", L"", false},  // the second seat does not take part
    {{L"AA**", L"KK**", L"random"}, false, L"Ah7c2d", L"", L"", true},
    {{L"AA**", L"KK**"}, false, L"Ah7c2d", L"9s", L"", true},
    {{L"AA**", L"KK**"}, false, L"Ah7c2d", L"9s", L"4h", false},  // no next street
};

struct Results {
  bool scriptRan = false;
  std::vector<bool> enabled;
  std::vector<int> seats, boardCards;
  bool graphOpened = false;
  CString texts[CEquityGraphDialog::kPlayers];
  CString board, title;
  int rvrTotal = -1, rvrDone = 0;
  int exitCode = -1;
};
Results g_results;

UINT State(CFrameWnd* frame, int popup, UINT id) {
  CMenu* menu = frame->GetMenu()->GetSubMenu(popup);
  frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu->GetSafeHmenu()), MAKELPARAM(popup, FALSE));
  return menu->GetMenuState(id, MF_BYCOMMAND);
}

void SetUpMainDialog(COmahaVantornDlg* dialog, const StateCase& c) {
  for (int i = 0; i < COmahaVantornDlg::kSeats; ++i) {
    const int shown = i - 4;
    const wchar_t* text = shown >= 0 && shown < static_cast<int>(c.seats.size()) ? c.seats[shown] : L"";
    dialog->m_rangeEdits[i].SetWindowText(text);
    dialog->CheckDlgButton(IDC_SEAT_CHECK + i, c.secondUnticked && shown == 1 ? BST_UNCHECKED : BST_CHECKED);
    dialog->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_SEAT_CHECK + i, BN_CLICKED), 0);
  }
  const wchar_t* streets[] = {c.flop, c.turn, c.river};
  for (int s = COmahaVantornDlg::kFlop; s <= COmahaVantornDlg::kRiver; ++s) {
    dialog->CheckDlgButton(COmahaVantornDlg::kCheckIds[s], *streets[s] ? BST_CHECKED : BST_UNCHECKED);
    dialog->m_boardEdits[s].SetWindowText(streets[s]);
  }
}

// Plays the user while the graph dialog is open: calculate, capture, close.
void CALLBACK OnGraphTimer(HWND, UINT, UINT_PTR id, DWORD) {
  HWND window = ::FindWindowW(nullptr, L"Equity graph");
  if (!window || !::IsWindowVisible(window)) return;
  ::KillTimer(nullptr, id);
  Results& r = g_results;
  auto* graph = dynamic_cast<CEquityGraphDialog*>(CWnd::FromHandlePermanent(window));
  if (!graph) {
    ::PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
    return;
  }
  r.graphOpened = true;
  for (int i = 0; i < CEquityGraphDialog::kPlayers; ++i) r.texts[i] = graph->m_rangeTexts[i];
  r.board = graph->m_boardText;
  r.title = graph->m_diagram.m_title;
  graph->CheckRadioButton(IDC_GRAPH_RANGE_VS_RANGE, IDC_GRAPH_HAND_VS_RANGE, IDC_GRAPH_RANGE_VS_RANGE);
  graph->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_GRAPH_CALCULATE, BN_CLICKED), 0);
  r.rvrTotal = graph->m_diagram.m_totals[kCurveRangeVsRange];
  r.rvrDone = graph->m_doneRangeVsRange;
  graph->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  gui::SaveCapture(gui::CaptureWindow(window), L"equity_graph_from_tools_menu");
  ::PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
}

class TestApp : public COmahaVantornApp {
 public:
  BOOL InitInstance() override {
    const BOOL ok = COmahaVantornApp::InitInstance();
    if (ok) PostThreadMessage(WM_SCRIPT, 0, 0);
    return ok;
  }

 protected:
  afx_msg void OnScript(WPARAM, LPARAM) { Script(); }
  DECLARE_MESSAGE_MAP()

 private:
  void Script();
};

BEGIN_MESSAGE_MAP(TestApp, COmahaVantornApp)
  ON_THREAD_MESSAGE(WM_SCRIPT, &TestApp::OnScript)
END_MESSAGE_MAP()

TestApp theApp;

void TestApp::Script() {
  Results& r = g_results;
  r.scriptRan = true;
  auto* frame = static_cast<CMainFrame*>(m_pMainWnd);
  COmahaVantornDlg* dialog = GetMainDialog(frame);
  if (!dialog) {
    frame->PostMessage(WM_CLOSE);
    return;
  }
  for (const StateCase& c : kCases) {
    SetUpMainDialog(dialog, c);
    r.seats.push_back(dialog->CountActiveSeats());
    r.boardCards.push_back(dialog->CountBoardCards());
    r.enabled.push_back((State(frame, kToolsMenu, ID_EQUITY_GRAPH) & MF_GRAYED) == 0);
  }

  // Two exact hands on a turn, the second in a later seat: the graph gets them in order.
  SetUpMainDialog(dialog, {{L"", L"AsKsQdJd", L"", L"9h9c8h7c"}, false, L"Ts9d2h", L"3c", L"", true});
  const UINT_PTR timer = ::SetTimer(nullptr, 0, 100, OnGraphTimer);
  frame->SendMessage(WM_COMMAND, ID_EQUITY_GRAPH);
  ::KillTimer(nullptr, timer);
  frame->PostMessage(WM_CLOSE);
}

TEST(EquityGraphFromTheToolsMenu, FollowsTheMainDialogsSeatsAndBoard) {
  apptest::TempFolder folder(L"ovgraphcwd"), appData(L"ovgraphappdata");
  ASSERT_TRUE(apptest::CopyTables(folder.Path()));
  ASSERT_TRUE(::CreateDirectoryW((appData / L"OmahaVantorn").c_str(), nullptr));
  const std::wstring ini = appData / L"OmahaVantorn\\OmahaVantorn.ini";
  ::WritePrivateProfileStringW(L"EquityGraph", L"EquityGraphQuality", L"5", ini.c_str());
  ::SetEnvironmentVariableW(L"OMAHAVANTORN_APPDATA", appData.Path().c_str());
  ::SetCurrentDirectoryW(folder.Path().c_str());

  wchar_t commandLine[] = L"";
  g_results.exitCode = AfxWinMain(::GetModuleHandleW(nullptr), nullptr, commandLine, SW_SHOWNORMAL);
  ::SetCurrentDirectoryW(gui::ExeFolder().c_str());
  ::SetEnvironmentVariableW(L"OMAHAVANTORN_APPDATA", nullptr);

  const Results& r = g_results;
  EXPECT_EQ(r.exitCode, 0);
  ASSERT_TRUE(r.scriptRan);
  ASSERT_EQ(r.enabled.size(), std::size(kCases));
  const int seats[] = {0, 1, 2, 1, 3, 2, 2}, cards[] = {0, 0, 0, 0, 3, 4, 5};
  for (size_t i = 0; i < std::size(kCases); ++i) {
    EXPECT_EQ(r.seats[i], seats[i]) << "case " << i;
    EXPECT_EQ(r.boardCards[i], cards[i]) << "case " << i;
    EXPECT_EQ(r.enabled[i], kCases[i].enabled) << "case " << i;
  }

  ASSERT_TRUE(r.graphOpened);
  EXPECT_STREQ(r.texts[0], L"AsKsQdJd");
  EXPECT_STREQ(r.texts[1], L"9h9c8h7c");
  EXPECT_TRUE(r.texts[2].IsEmpty());
  EXPECT_STREQ(r.board, L"Ts9d2h3c");
  EXPECT_STREQ(r.title, L"AsKsQdJd vs. {9h9c8h7c} On board Ts9d2h3c");
  EXPECT_EQ(r.rvrTotal, 52 - 4 - 8) << "every river card";
  EXPECT_EQ(r.rvrDone, 1);
  EXPECT_EQ(apptest::ReadIni(ini, L"EquityGraph", L"EquityGraphType"), L"0") << "written when the dialog closed";
}

}  // namespace
