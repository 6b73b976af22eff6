// The framework's test application, run through the framework's entry: a
// single-document frame whose form view hosts a dialog with every control
// wrapper; a script drives it from the message loop: data exchange both
// ways, menu states, documents and the recent-file list, a modal dialog
// ended by Escape and by OK, a modeless dialog, a capture saved as PNG with
// the image class and read back, and exit. The recent-file list must then be
// in the ini file and come back from it.
#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "docapp_windows.h"
#include "framework/image.h"
#include "gui_harness.h"
#include "test_util.h"
#include "ui_test_util.h"

namespace {

using namespace docapp;

constexpr UINT WM_SCRIPT = WM_APP + 0x3D0;
constexpr int kRecentFiles = 6;

std::wstring TempPath(const wchar_t* name) {
  wchar_t folder[MAX_PATH] = {};
  ::GetTempPathW(MAX_PATH, folder);
  return std::wstring(folder) + name;
}

const std::wstring g_ini = TempPath(L"fw_docapp_test.ini");
const std::wstring g_files[] = {TempPath(L"fwdoc_a.fwt"), TempPath(L"fwdoc_b.fwt"), TempPath(L"fwdoc_c.fwt")};
const std::wstring g_gone = TempPath(L"fwdoc_gone.fwt");

std::wstring Lower(const CString& s) {
  std::wstring r = s.GetString();
  for (wchar_t& c : r) c = static_cast<wchar_t>(towlower(c));
  return r;
}

// What the script saw.
struct Results {
  bool started = false;
  CRect viewInFrame, viewClient, dialogInView, frameClient;
  CString loadedName, loadedNumber, loadedCombo;
  int loadedCheck = -1, loadedRadio = -1, loadedSlider = -1, loadedList = -1;
  CString savedName;
  int savedNumber = 0, savedEnabled = -1, savedGame = -1, savedGameIndex = -1, savedStreet = -1, savedLevel = -1;
  int applied = 0;
  UINT countState = 0, unhandledState = 0;
  std::vector<std::wstring> recentAfterOpening;
  std::vector<CString> recentMenu;
  CString titleAfterOpening;
  std::wstring pathAfterRecent;
  std::vector<std::wstring> recentAfterChoosing;
  int boxesAfterGone = 0;
  bool goneRemoved = false;
  INT_PTR modalByEscape = 0, modalByOk = 0, modalByAccelerator = 0;
  CString modalText;
  bool ownerDisabledDuringModal = false;
  bool modelessShown = false, modelessOwned = false, modelessClosed = false;
  int ownerDraws = 0;
  bool captureSaved = false, captureLoaded = false;
  int captureWidth = 0, captureHeight = 0, captureDifferences = -1, captureColours = 0;
  bool exited = false;
};
Results g_results;

std::vector<std::wstring> RecentList() {
  std::vector<std::wstring> names;
  CRecentFileList* list = AfxGetApp()->m_pRecentFileList;
  for (int i = 0; list != nullptr && i < list->GetSize(); ++i)
    if (!(*list)[i].IsEmpty()) names.push_back(Lower((*list)[i]));
  return names;
}

class CDocApp : public CWinApp {
 public:
  CDocApp() : CWinApp(L"Framework Test App") {}
  std::vector<CString> boxes;
  std::deque<std::function<void()>> script;

  BOOL InitInstance() override {
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&icc);
    CWinApp::InitInstance();
    free(const_cast<LPTSTR>(m_pszProfileName));
    m_pszProfileName = _wcsdup(g_ini.c_str());
    LoadStdProfileSettings(kRecentFiles);
    AddDocTemplate(new CSingleDocTemplate(IDR_TESTFRAME, RUNTIME_CLASS(CSheetDoc), RUNTIME_CLASS(CSheetFrame),
                                          RUNTIME_CLASS(CSheetView)));
    CCommandLineInfo info;
    ParseCommandLine(info);
    if (!ProcessShellCommand(info)) return FALSE;
    m_pMainWnd->ShowWindow(SW_SHOW);
    m_pMainWnd->UpdateWindow();
    Script();
    PostThreadMessage(WM_SCRIPT, 0, 0);
    return TRUE;
  }

  int ExitInstance() override {
    g_results.exited = true;
    return CWinApp::ExitInstance();
  }

  int DoMessageBox(LPCTSTR lpszPrompt, UINT, UINT) override {
    boxes.push_back(lpszPrompt);
    return IDOK;
  }

 protected:
  afx_msg void OnScript(WPARAM, LPARAM) {
    if (script.empty()) return;
    auto step = std::move(script.front());
    script.pop_front();
    step();
    PostThreadMessage(WM_SCRIPT, 0, 0);
  }
  DECLARE_MESSAGE_MAP()

 private:
  CSheetFrame* Frame() const { return static_cast<CSheetFrame*>(m_pMainWnd); }
  CControlsDialog& Dialog() const { return Frame()->GetSheetView()->m_dialog; }
  void Script();
  void Capture();
};

BEGIN_MESSAGE_MAP(CDocApp, CWinApp)
  ON_COMMAND(ID_FILE_NEW, &CWinApp::OnFileNew)
  ON_THREAD_MESSAGE(WM_SCRIPT, &CDocApp::OnScript)
END_MESSAGE_MAP()

CDocApp theApp;

UINT MenuState(CFrameWnd* frame, int popup, UINT id) {
  CMenu* menu = frame->GetMenu()->GetSubMenu(popup);
  frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu->m_hMenu), popup);
  return menu->GetMenuState(id, MF_BYCOMMAND);
}

void CDocApp::Script() {
  script.push_back([this] {
    g_results.started = true;
    CSheetView* view = Frame()->GetSheetView();
    view->GetWindowRect(&g_results.viewInFrame);
    Frame()->ScreenToClient(&g_results.viewInFrame);
    Dialog().GetWindowRect(&g_results.dialogInView);
    view->ScreenToClient(&g_results.dialogInView);
    Frame()->GetClientRect(&g_results.frameClient);
    view->GetClientRect(&g_results.viewClient);
  });
  // The members reached the controls.
  script.push_back([this] {
    CControlsDialog& d = Dialog();
    d.m_nameEdit.GetWindowText(g_results.loadedName);
    d.GetDlgItemText(IDC_NUMBER, g_results.loadedNumber);
    g_results.loadedCheck = d.m_enabledBox.GetCheck();
    g_results.loadedRadio = d.GetCheckedRadioButton(IDC_RADIO1, IDC_RADIO2);
    d.m_gameCombo.GetWindowText(g_results.loadedCombo);
    g_results.loadedSlider = d.m_slider.GetPos();
    g_results.loadedList = d.m_streetList.GetCurSel();
  });
  // The user changes them and applies.
  script.push_back([this] {
    CControlsDialog& d = Dialog();
    d.m_nameEdit.SetWindowText(L"Bob");
    d.m_spin.SetPos(27);
    d.m_enabledBox.Click();
    d.CheckRadioButton(IDC_RADIO1, IDC_RADIO2, IDC_RADIO1);
    d.m_gameCombo.SetCurSel(0);
    d.m_streetList.SetCurSel(3);
    d.m_slider.SetPos(75);
    d.m_apply.Click();
    g_results.applied = d.m_applied;
    g_results.savedName = d.m_name;
    g_results.savedNumber = d.m_number;
    g_results.savedEnabled = d.m_enabled;
    g_results.savedGame = d.m_game;
    g_results.savedGameIndex = d.m_gameIndex;
    g_results.savedStreet = d.m_street;
    g_results.savedLevel = d.m_level;
  });
  // Menu states come from the command handlers.
  script.push_back([this] {
    Frame()->SendMessage(WM_COMMAND, ID_TOOLS_COUNT);
    g_results.countState = MenuState(Frame(), 1, ID_TOOLS_COUNT);
    g_results.unhandledState = MenuState(Frame(), 1, 40299);
  });
  // Documents join the recent-file list, newest first.
  script.push_back([this] {
    for (const std::wstring& path : g_files) OpenDocumentFile(path.c_str());
    g_results.recentAfterOpening = RecentList();
    Frame()->GetWindowText(g_results.titleAfterOpening);
    CMenu* file = Frame()->GetMenu()->GetSubMenu(0);
    Frame()->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(file->m_hMenu), 0);
    for (UINT id = ID_FILE_MRU_FILE1; id < ID_FILE_MRU_FILE1 + 4; ++id) {
      CString text;
      if (file->GetMenuString(id, text, MF_BYCOMMAND) > 0) g_results.recentMenu.push_back(text);
    }
  });
  // Choosing the third entry opens that file and moves it to the top.
  script.push_back([this] {
    Frame()->SendMessage(WM_COMMAND, ID_FILE_MRU_FILE3);
    g_results.pathAfterRecent = Lower(Frame()->GetActiveDocument()->GetPathName());
    g_results.recentAfterChoosing = RecentList();
  });
  // An entry whose file is gone is reported and dropped.
  script.push_back([this] {
    AddToRecentFileList(g_gone.c_str());
    size_t before = boxes.size();
    Frame()->SendMessage(WM_COMMAND, ID_FILE_MRU_FILE1);
    g_results.boxesAfterGone = static_cast<int>(boxes.size() - before);
    std::vector<std::wstring> now = RecentList();
    g_results.goneRemoved = std::find(now.begin(), now.end(), Lower(g_gone.c_str())) == now.end();
  });
  // A modal dialog from the menu, ended by Escape, then by OK with a typed text.
  script.push_back([this] {
    Frame()->m_modalSteps = {[](CStepDialog& d) {
                               g_results.ownerDisabledDuringModal = !AfxGetMainWnd()->IsWindowEnabled();
                               d.GetDlgItem(IDC_TEXT)->SetFocus();
                             },
                             [](CStepDialog& d) { fwtest::PostKey(d.GetDlgItem(IDC_TEXT)->m_hWnd, VK_ESCAPE); }};
    Frame()->SendMessage(WM_COMMAND, ID_TOOLS_MODAL);
    g_results.modalByEscape = Frame()->m_modalResult;
    Frame()->m_modalSteps = {[](CStepDialog& d) { d.SetDlgItemText(IDC_TEXT, L"typed text"); },
                             [](CStepDialog& d) { d.GetDlgItem(IDOK)->SendMessage(BM_CLICK); }};
    Frame()->SendMessage(WM_COMMAND, ID_TOOLS_MODAL);
    g_results.modalByOk = Frame()->m_modalResult;
    g_results.modalText = Frame()->m_modalText;
  });
  // The frame's accelerator works while a control of the view's dialog has the focus.
  script.push_back([this] {
    Frame()->m_modalSteps = {[](CStepDialog& d) { fwtest::PostKey(d.GetDlgItem(IDC_TEXT)->m_hWnd, VK_ESCAPE); }};
    Frame()->m_modalResult = 0;
    HWND edit = Dialog().m_nameEdit.m_hWnd;
    ::SetFocus(edit);
    BYTE keys[256];
    ::GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    ::SetKeyboardState(keys);
    MSG msg = {edit, WM_KEYDOWN, 'M', 1, static_cast<DWORD>(::GetMessageTime()), {0, 0}};
    if (!PreTranslateMessage(&msg)) ::DispatchMessageW(&msg);
    keys[VK_CONTROL] = 0;
    ::SetKeyboardState(keys);
    g_results.modalByAccelerator = Frame()->m_modalResult;
  });
  // A modeless dialog beside the frame, closed by its button.
  script.push_back([this] {
    Frame()->SendMessage(WM_COMMAND, ID_TOOLS_MODELESS);
    CModelessDialog* dialog = Frame()->m_modeless;
    g_results.modelessShown = dialog != nullptr && dialog->IsWindowVisible();
    g_results.modelessOwned = dialog != nullptr && ::GetWindow(dialog->m_hWnd, GW_OWNER) == Frame()->m_hWnd;
  });
  script.push_back([this] {
    if (Frame()->m_modeless != nullptr) Frame()->m_modeless->GetDlgItem(IDCANCEL)->SendMessage(BM_CLICK);
  });
  script.push_back([this] {
    g_results.modelessClosed = CModelessDialog::s_alive == 0;
    Capture();
  });
  script.push_back([this] { m_pMainWnd->PostMessage(WM_COMMAND, ID_APP_EXIT); });
}

// The whole frame as shown, saved with the image class and read back.
void CDocApp::Capture() {
  CFrameWnd* frame = Frame();
  frame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
  g_results.ownerDraws = Dialog().m_ownerDraw.m_draws;
  CRect window;
  frame->GetWindowRect(&window);
  CImage shot;
  if (!shot.Create(window.Width(), window.Height(), 32)) return;
  HDC source = ::GetWindowDC(frame->m_hWnd);
  HDC target = shot.GetDC();
  ::BitBlt(target, 0, 0, window.Width(), window.Height(), source, 0, 0, SRCCOPY);
  shot.ReleaseDC();
  ::ReleaseDC(frame->m_hWnd, source);
  std::wstring folder = gui::ExeFolder() + L"\\captures";
  ::CreateDirectoryW(folder.c_str(), nullptr);
  std::wstring path = folder + L"\\fw_docapp.png";
  g_results.captureSaved = SUCCEEDED(shot.Save(path.c_str()));
  CImage loaded;
  g_results.captureLoaded = SUCCEEDED(loaded.Load(path.c_str()));
  if (!g_results.captureLoaded) return;
  g_results.captureWidth = loaded.GetWidth();
  g_results.captureHeight = loaded.GetHeight();
  int differences = 0;
  std::vector<COLORREF> colours;
  for (int y = 0; y < shot.GetHeight(); ++y) {
    for (int x = 0; x < shot.GetWidth(); ++x) {
      COLORREF c = shot.GetPixel(x, y);
      differences += c != loaded.GetPixel(x, y);
      if (colours.size() < 64 && std::find(colours.begin(), colours.end(), c) == colours.end()) colours.push_back(c);
    }
  }
  g_results.captureDifferences = differences;
  g_results.captureColours = static_cast<int>(colours.size());
}

std::vector<std::wstring> IniRecentFiles() {
  std::vector<std::wstring> names;
  for (int i = 1; i <= kRecentFiles; ++i) {
    wchar_t value[MAX_PATH * 2] = {};
    std::wstring key = L"File" + std::to_wstring(i);
    ::GetPrivateProfileStringW(L"Recent File List", key.c_str(), L"", value, MAX_PATH * 2, g_ini.c_str());
    if (*value) names.push_back(Lower(value));
  }
  return names;
}

TEST(TestApplication, RunsItsScriptAndKeepsTheRecentFilesInTheIniFile) {
  ::DeleteFileW(g_ini.c_str());
  ::DeleteFileW(g_gone.c_str());
  for (const std::wstring& path : g_files) {
    CFile file(path.c_str(), CFile::modeCreate | CFile::modeWrite);
    file.Write("sheet", 5);
  }
  {
    CFile gone(g_gone.c_str(), CFile::modeCreate | CFile::modeWrite);
  }
  ::DeleteFileW(g_gone.c_str());
  const std::wstring a = Lower(g_files[0].c_str()), b = Lower(g_files[1].c_str()), c = Lower(g_files[2].c_str());

  wchar_t commandLine[] = L"";
  int code = AfxWinMain(::GetModuleHandleW(nullptr), nullptr, commandLine, SW_SHOWNORMAL);
  EXPECT_EQ(code, 0);
  EXPECT_TRUE(g_results.exited);
  ASSERT_TRUE(g_results.started);
  EXPECT_EQ(theApp.m_pMainWnd, nullptr);

  // The view fills the frame's client area; the dialog fills the view.
  EXPECT_EQ(g_results.viewInFrame, g_results.frameClient);
  EXPECT_EQ(g_results.dialogInView.TopLeft(), CPoint(0, 0));
  EXPECT_EQ(g_results.dialogInView.Size(), g_results.viewClient.Size());

  // Members to controls.
  EXPECT_EQ(g_results.loadedName, L"Ann");
  EXPECT_EQ(g_results.loadedNumber, L"12");
  EXPECT_EQ(g_results.loadedCheck, BST_CHECKED);
  EXPECT_EQ(g_results.loadedRadio, IDC_RADIO2);
  EXPECT_EQ(g_results.loadedCombo, L"Omaha Hi/Lo");
  EXPECT_EQ(g_results.loadedSlider, 30);
  EXPECT_EQ(g_results.loadedList, 2);
  // Controls to members.
  EXPECT_EQ(g_results.applied, 1);
  EXPECT_EQ(g_results.savedName, L"Bob");
  EXPECT_EQ(g_results.savedNumber, 27);
  EXPECT_EQ(g_results.savedEnabled, 0);
  EXPECT_EQ(g_results.savedGame, 0);
  EXPECT_EQ(g_results.savedGameIndex, 0);
  EXPECT_EQ(g_results.savedStreet, 3);
  EXPECT_EQ(g_results.savedLevel, 75);

  EXPECT_TRUE(g_results.countState & MF_CHECKED);
  EXPECT_TRUE(g_results.unhandledState & MF_GRAYED);

  const std::vector<std::wstring> opened = {c, b, a};
  EXPECT_EQ(g_results.recentAfterOpening, opened);
  EXPECT_EQ(g_results.titleAfterOpening, L"Framework Test App - fwdoc_c.fwt");
  ASSERT_EQ(g_results.recentMenu.size(), 3u);
  EXPECT_EQ(g_results.recentMenu[0].Left(3), L"&1 ");
  EXPECT_NE(Lower(g_results.recentMenu[0]).find(L"fwdoc_c.fwt"), std::wstring::npos);
  EXPECT_NE(Lower(g_results.recentMenu[2]).find(L"fwdoc_a.fwt"), std::wstring::npos);
  EXPECT_EQ(g_results.pathAfterRecent, a);
  const std::vector<std::wstring> chosen = {a, c, b};
  EXPECT_EQ(g_results.recentAfterChoosing, chosen);
  EXPECT_EQ(g_results.boxesAfterGone, 1);
  EXPECT_TRUE(g_results.goneRemoved);

  EXPECT_EQ(g_results.modalByEscape, IDCANCEL);
  EXPECT_EQ(g_results.modalByOk, IDOK);
  EXPECT_EQ(g_results.modalText, L"typed text");
  EXPECT_EQ(g_results.modalByAccelerator, IDCANCEL);
  EXPECT_TRUE(g_results.ownerDisabledDuringModal);
  EXPECT_TRUE(g_results.modelessShown);
  EXPECT_TRUE(g_results.modelessOwned);
  EXPECT_TRUE(g_results.modelessClosed);
  EXPECT_GT(g_results.ownerDraws, 0);

  // The PNG reads back as it was written.
  EXPECT_TRUE(g_results.captureSaved);
  ASSERT_TRUE(g_results.captureLoaded);
  EXPECT_GT(g_results.captureWidth, 300);
  EXPECT_GT(g_results.captureHeight, 200);
  EXPECT_EQ(g_results.captureDifferences, 0);
  EXPECT_GT(g_results.captureColours, 8);  // a real picture, not a blank

  // The recent files outlive the program.
  EXPECT_EQ(IniRecentFiles(), chosen);
  theApp.LoadStdProfileSettings(kRecentFiles);
  EXPECT_EQ(RecentList(), chosen);

  for (const std::wstring& path : g_files) ::DeleteFileW(path.c_str());
}

}  // namespace
