// The application object and its frame in this process, run through the framework's entry
// with stored settings: the menu, its check marks and disabled commands, the settings written
// by the commands, the caption of each game, the frame's size and position, and the end.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/child_form_view.h"
#include "app/main_frame.h"
#include "app/omaha_app.h"
#include "gui_harness.h"
#include "menu.h"
#include "program_runner.h"
#include "temp_folder.h"

namespace {

constexpr UINT WM_SCRIPT = WM_APP + 0x3D1;

struct Results {
  bool scriptRan = false;
  std::vector<std::wstring> menuBar;
  std::vector<std::wstring> fileMenu, viewMenu, toolsMenu, helpMenu;
  UINT shortHanded = 0, deadCards = 0, results = 0;
  std::vector<UINT> disabled, enabled;
  std::wstring iniShortHandedAfterToggle, iniResultsAfterToggle;
  UINT shortHandedAfterToggle = 0;
  CRect frameWindow, dialogWindow, viewClient, frameClient;
  std::wstring hiLoCaption, hiCaption, captionAfterDocumentTitle;
  int hiLoRangeSetting = -1;
  CString randomWord;
  bool tablesLoaded = false;
  CString resultCss;
  CString exePath;
  int exitCode = -1;
  bool treeHidden = false;
  int treeId = 0;
  int treeItems = 0;
  CString firstRange;
  bool profileBackOnSettings = false;
  CString helpPath, appName;
  bool cardBitmaps = false, fonts = false, desktop = false, servicesRegistered = false;
  int themeSetting = -1;
};
Results g_results;

std::vector<std::wstring> Texts(CMenu* menu) {
  std::vector<std::wstring> texts;
  for (int i = 0; menu && i < static_cast<int>(menu->GetMenuItemCount()); ++i) {
    CString text;
    menu->GetMenuString(static_cast<UINT>(i), text, MF_BYPOSITION);
    texts.push_back(text.GetString());
  }
  return texts;
}

UINT State(CFrameWnd* frame, int popup, UINT id) {
  CMenu* menu = frame->GetMenu()->GetSubMenu(popup);
  frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu->GetSafeHmenu()), MAKELPARAM(popup, FALSE));
  return menu->GetMenuState(id, MF_BYCOMMAND);
}

class TestApp : public COmahaVantornApp {
 public:
  std::wstring ini;

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
  r.tablesLoaded = m_handBase.m_classCount == 16432;
  r.resultCss = m_resultCss;
  r.exePath = m_exePath;
  r.randomWord = m_handBase.m_rangeSettings.randomWord.c_str();
  r.hiLoRangeSetting = m_handBase.m_rangeSettings.useHiLo ? 1 : 0;

  if (CTreeCtrlEx* tree = frame->m_predefinedTree) {
    r.treeHidden = !tree->IsWindowVisible();
    r.treeId = tree->GetDlgCtrlID();
    r.treeItems = static_cast<int>(tree->SendMessage(TVM_GETCOUNT));
    std::vector<HTREEITEM> pending = {tree->GetRootItem()};
    while (!pending.empty() && r.firstRange.IsEmpty()) {
      HTREEITEM item = pending.back();
      pending.pop_back();
      if (!item) continue;
      if (PredefinedRangeData* data = CTreeCtrlEx::RangeData(*tree, item)) r.firstRange = data->range;
      pending.push_back(tree->GetNextSiblingItem(item));
      pending.push_back(tree->GetChildItem(item));
    }
  }
  r.profileBackOnSettings = m_profileSwap && m_pszProfileName == m_profileSwap->m_iniPath.GetString();
  r.helpPath = m_pszHelpFilePath;
  r.appName = m_pszAppName;
  r.cardBitmaps = m_cardStripBitmap.GetSafeHandle() && m_cardMaskBitmap.GetSafeHandle();
  r.fonts = m_fonts != nullptr && AppFonts() == m_fonts;
  r.desktop = !::IsRectEmpty(&m_desktopRect);
  r.servicesRegistered = GetAppServices() == static_cast<AppServices*>(this);
  r.themeSetting = AppUsesBVTheme() && m_useBVTheme == 1 ? 1 : 0;

  CMenu* bar = frame->GetMenu();
  r.menuBar = Texts(bar);
  r.fileMenu = Texts(bar->GetSubMenu(0));
  r.viewMenu = Texts(bar->GetSubMenu(1));
  r.toolsMenu = Texts(bar->GetSubMenu(2));
  r.helpMenu = Texts(bar->GetSubMenu(3));

  r.shortHanded = State(frame, 1, ID_SHORT_HANDED) & MF_CHECKED;
  r.deadCards = State(frame, 1, ID_DEAD_CARDS) & MF_CHECKED;
  r.results = State(frame, 1, ID_RESULTS) & MF_CHECKED;
  const struct {
    int popup;
    UINT id;
  } commands[] = {{0, ID_LOAD_SCENARIO}, {0, ID_SAVE_SCENARIO}, {0, ID_SETTINGS},      {0, ID_APP_EXIT},
                  {1, ID_SHORT_HANDED},  {1, ID_DEAD_CARDS},    {1, ID_RESULTS},       {2, ID_HAND_VS_HAND},
                  {2, ID_FLOP_OUTS_COUNTER}, {2, ID_EQUITY_GRAPH}, {3, ID_SYNTAX},     {3, ID_SUPPORT_FORUM},
                  {3, ID_APP_ABOUT}};
  for (const auto& c : commands)
    (State(frame, c.popup, c.id) & MF_GRAYED ? r.disabled : r.enabled).push_back(c.id);

  frame->SendMessage(WM_COMMAND, ID_SHORT_HANDED);
  r.iniShortHandedAfterToggle = apptest::ReadIni(ini, L"Global", L"OnlyShorthanded");
  r.shortHandedAfterToggle = State(frame, 1, ID_SHORT_HANDED) & MF_CHECKED;
  frame->SendMessage(WM_COMMAND, ID_RESULTS);
  frame->SendMessage(WM_COMMAND, ID_RESULTS);
  r.iniResultsAfterToggle = apptest::ReadIni(ini, L"Global", L"ResultsVisible");

  frame->GetWindowRect(&r.frameWindow);
  frame->GetClientRect(&r.frameClient);
  COmahaVantornDlg* dialog = GetMainDialog(frame);
  dialog->GetWindowRect(&r.dialogWindow);
  dialog->GetParent()->GetClientRect(&r.viewClient);

  m_useHiLo = 1;
  frame->UpdateTitle();
  r.hiLoCaption = gui::WindowText(frame->GetSafeHwnd());
  m_useHiLo = 0;
  frame->UpdateTitle();
  r.hiCaption = gui::WindowText(frame->GetSafeHwnd());
  if (CDocument* document = frame->GetActiveDocument()) document->SetTitle(L"Scenario.vof");
  frame->OnUpdateFrameTitle(TRUE);
  r.captionAfterDocumentTitle = gui::WindowText(frame->GetSafeHwnd());

  frame->PostMessage(WM_CLOSE);
}

TEST(ApplicationInThisProcess, ReadsItsSettingsCarriesTheMenuAndWritesEachChange) {
  apptest::TempFolder folder(L"ovframecwd"), appData(L"ovframeappdata");
  ASSERT_TRUE(apptest::CopyTables(folder.Path()));
  ASSERT_TRUE(::CopyFileW((gui::ExeFolder() + L"\\PreflopPredefined.ini").c_str(),
                          (folder / L"PreflopPredefined.ini").c_str(), FALSE));
  ASSERT_TRUE(::CreateDirectoryW((appData / L"OmahaVantorn").c_str(), nullptr));
  theApp.ini = appData / L"OmahaVantorn\\OmahaVantorn.ini";
  ::WritePrivateProfileStringW(L"Global", L"OnlyShorthanded", L"0", theApp.ini.c_str());
  ::WritePrivateProfileStringW(L"Global", L"ResultsVisible", L"1", theApp.ini.c_str());
  ::WritePrivateProfileStringW(L"Global", L"UseHiLo", L"1", theApp.ini.c_str());
  ::WritePrivateProfileStringW(L"Global", L"Left", L"5000", theApp.ini.c_str());
  ::WritePrivateProfileStringW(L"Global", L"Top", L"-40", theApp.ini.c_str());
  ::WritePrivateProfileStringW(L"Global", L"UseBVTheme", L"0", theApp.ini.c_str());
  ::SetEnvironmentVariableW(L"OMAHAVANTORN_APPDATA", appData.Path().c_str());
  ::SetCurrentDirectoryW(folder.Path().c_str());

  wchar_t commandLine[] = L"";
  LPCTSTR ownProfileName = nullptr;
  g_results.exitCode = AfxWinMain(::GetModuleHandleW(nullptr), nullptr, commandLine, SW_SHOWNORMAL);
  ownProfileName = theApp.m_pszProfileName;
  ::SetCurrentDirectoryW(gui::ExeFolder().c_str());
  ::SetEnvironmentVariableW(L"OMAHAVANTORN_APPDATA", nullptr);

  const Results& r = g_results;
  EXPECT_EQ(r.exitCode, 0);
  ASSERT_TRUE(r.scriptRan);
  EXPECT_TRUE(r.tablesLoaded);
  EXPECT_GE(r.resultCss.Find(L"<style"), 0) << "the result pages' style sheet";
  EXPECT_EQ(r.exePath.Right(18), CString(L"app_frame_test.exe"));
  EXPECT_STREQ(r.randomWord, L"random");
  EXPECT_EQ(r.hiLoRangeSetting, 1) << "the range language ranks by the game of the settings";
  EXPECT_EQ(r.helpPath.Right(18), CString(L"app_frame_test.chm")) << "compiled help named after the program";
  EXPECT_STREQ(r.appName, L"Brightfold Vantorn - Omaha");
  EXPECT_TRUE(r.cardBitmaps);
  EXPECT_TRUE(r.fonts);
  EXPECT_TRUE(r.desktop);
  EXPECT_TRUE(r.servicesRegistered) << "the custom controls read the application's settings";
  EXPECT_EQ(r.themeSetting, 1) << "a stored 0 for the dialog colouring has no effect";

  // The hidden tree of predefined ranges, filled from the folder's file; the settings stay where
  // they were.
  EXPECT_TRUE(r.treeHidden);
  EXPECT_EQ(r.treeId, 2700);
  EXPECT_GT(r.treeItems, 10);
  EXPECT_FALSE(r.firstRange.IsEmpty());
  EXPECT_TRUE(r.profileBackOnSettings);

  EXPECT_EQ(r.menuBar, (std::vector<std::wstring>{L"&File", L"&View", L"&Tools", L"&Help"}));
  ASSERT_GE(r.fileMenu.size(), 6u);
  EXPECT_EQ(r.fileMenu[0], L"&Load ...");
  EXPECT_EQ(r.fileMenu[1], L"&Save ...");
  EXPECT_EQ(r.fileMenu[3], L"S&ettings ...");
  EXPECT_EQ(r.fileMenu.back(), L"E&xit\tAlt + F4");
  EXPECT_EQ(r.viewMenu, (std::vector<std::wstring>{L"&Short handed (6max)", L"&Dead cards", L"&Results"}));
  EXPECT_EQ(r.toolsMenu,
            (std::vector<std::wstring>{L"&Hand vs. hand", L"&Flop outs counter", L"", L"Equity &graph for the next street"}));
  EXPECT_EQ(r.helpMenu, (std::vector<std::wstring>{L"Syntax documentation and samples", L"", L"&Support forum", L"",
                                                    L"&About ..."}));

  // The stored settings, then each toggle in the file at once.
  EXPECT_EQ(r.shortHanded, 0u);
  EXPECT_EQ(r.deadCards, static_cast<UINT>(MF_CHECKED)) << "the default without a stored value";
  EXPECT_EQ(r.results, static_cast<UINT>(MF_CHECKED));
  EXPECT_EQ(r.iniShortHandedAfterToggle, L"1");
  EXPECT_EQ(r.shortHandedAfterToggle, static_cast<UINT>(MF_CHECKED));
  EXPECT_EQ(r.iniResultsAfterToggle, L"1");
  EXPECT_EQ(r.disabled, (std::vector<UINT>{ID_EQUITY_GRAPH}));
  EXPECT_EQ(r.enabled, (std::vector<UINT>{ID_LOAD_SCENARIO, ID_SAVE_SCENARIO, ID_SETTINGS, ID_APP_EXIT, ID_SHORT_HANDED,
                                          ID_DEAD_CARDS, ID_RESULTS, ID_HAND_VS_HAND, ID_FLOP_OUTS_COUNTER, ID_SYNTAX,
                                          ID_SUPPORT_FORUM, ID_APP_ABOUT}));

  // A stored position off the desktop is pulled back; the frame fits the dialog exactly.
  EXPECT_EQ(r.frameWindow.TopLeft(), CPoint(0, 0));
  EXPECT_EQ(r.frameClient.Size(), r.dialogWindow.Size());
  EXPECT_EQ(r.viewClient.Size(), r.dialogWindow.Size());

  EXPECT_EQ(r.hiLoCaption, L"Brightfold Vantorn - Omaha Hi/Lo");
  EXPECT_EQ(r.hiCaption, L"Brightfold Vantorn - Omaha");
  EXPECT_EQ(r.captionAfterDocumentTitle, L"Brightfold Vantorn - Omaha") << "the document's name stays out";

  // The position is written when the frame goes, and the framework has its profile name back.
  EXPECT_EQ(apptest::ReadIni(theApp.ini, L"Global", L"Left"), L"0");
  EXPECT_EQ(apptest::ReadIni(theApp.ini, L"Global", L"Top"), L"0");
  EXPECT_NE(std::wstring(ownProfileName ? ownProfileName : L""), theApp.ini);
}

}  // namespace
