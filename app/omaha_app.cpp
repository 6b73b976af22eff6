#include "app/omaha_app.h"

#include <commctrl.h>

#include <cstdlib>

#include "app/app_shell.h"
#include "app/app_utils.h"
#include "app/child_form_view.h"
#include "app/main_frame.h"
#include "app/resource_library.h"
#include "app/sdi_doc.h"
#include "app/table_loading.h"
#include "app/update_dialog.h"
#include "controls/html/html_drawer.h"
#include "framework/webbrowser.h"
#include "toolkit/richcontent/rich_page_renderer.h"
#include "menu.h"
#include "resource.h"

CSplashScreenEx* g_splashScreen = nullptr;

namespace {

// The splash object lives until the end; its window goes at its timeout, a click or a key.
CSplashScreenEx* g_splashObject = nullptr;

// Replaces a framework name string (they are malloc'ed).
void ReplaceAppString(LPCTSTR& member, const CString& value) {
  free(const_cast<LPTSTR>(member));
  member = _wcsdup(value);
}

// An RCDATA resource taken as 8-bit text in the system's code page.
CString LoadResourceText(UINT id) {
  LPCWSTR name = MAKEINTRESOURCEW(id);
  HINSTANCE module = AfxFindResourceHandle(name, RT_RCDATA);
  HRSRC info = ::FindResourceW(module, name, RT_RCDATA);
  if (!info) return CString();
  HGLOBAL data = ::LoadResource(module, info);
  const char* bytes = data ? static_cast<const char*>(::LockResource(data)) : nullptr;
  const DWORD size = ::SizeofResource(module, info);
  if (!bytes || size == 0) return CString();
  return CString(CStringA(bytes, static_cast<int>(size)));
}

CString CurrentFolder() {
  wchar_t folder[MAX_PATH * 2] = L"";
  const DWORD n = ::GetCurrentDirectoryW(MAX_PATH * 2, folder);
  return n > 0 && n < MAX_PATH * 2 ? CString(folder) : CString();
}

}  // namespace

BEGIN_MESSAGE_MAP(COmahaVantornApp, CWinApp)
  ON_COMMAND(ID_HELP, &CWinApp::OnHelp)
END_MESSAGE_MAP()

COmahaVantornApp::COmahaVantornApp() { RegisterAppServices(this); }

COmahaVantornApp::~COmahaVantornApp() {
  // The framework frees its own profile name: it must have it back.
  if (m_profileSwap) {
    m_profileSwap->Restore(this);
    delete m_profileSwap;
    m_profileSwap = nullptr;
  }
  RegisterAppServices(nullptr);
}

COmahaVantornApp* GetOmahaApp() { return dynamic_cast<COmahaVantornApp*>(AfxGetApp()); }

void ClampToDesktopRect(const RECT& desktop, int* left, int width, int* top, int height) {
  // A desktop not measured yet says nothing: pulling windows onto it would push them off screen.
  if (desktop.right <= desktop.left || desktop.bottom <= desktop.top) return;
  auto clamp = [](int* start, int size, LONG low, LONG high) {
    if (*start < low) *start = low;
    if (size > 0) {
      if (*start + size >= high) *start = high - size;
      // Larger than the desktop: its top left corner stays on it.
      if (*start < low) *start = low;
    } else if (*start >= high) {
      *start = low;
    }
  };
  clamp(left, width, desktop.left, desktop.right);
  clamp(top, height, desktop.top, desktop.bottom);
}

void COmahaVantornApp::ClampToDesktop(int* left, int width, int* top, int height) const {
  ClampToDesktopRect(m_desktopRect, left, width, top, height);
}

BOOL CALLBACK AccumulateMonitorWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
  auto* app = reinterpret_cast<COmahaVantornApp*>(data);
  if (!app || !monitor) return TRUE;
  MONITORINFO info = {};
  info.cbSize = sizeof info;
  if (::GetMonitorInfoW(monitor, &info)) ::UnionRect(&app->m_desktopRect, &app->m_desktopRect, &info.rcWork);
  return TRUE;
}

void COmahaVantornApp::SyncRangeSettings() {
  m_handBase.m_rangeSettings.randomWord = m_randomKeyword.IsEmpty() ? std::wstring(kDefaultRandomWord)
                                                                     : std::wstring(m_randomKeyword.GetString());
  m_handBase.m_rangeSettings.useHiLo = m_useHiLo != 0;
}

BOOL COmahaVantornApp::InitInstance() {
  INITCOMMONCONTROLSEX controls = {sizeof controls, 0xFF};
  ::InitCommonControlsEx(&controls);
  CWinApp::InitInstance();

  // The splash shows while the program starts; it hides itself after 4 s or at a click or key.
  g_splashObject = new CSplashScreenEx;
  g_splashScreen = g_splashObject;
  if (g_splashObject->Create(CWnd::GetDesktopWindow(), 4000,
                             kSplashCloseOnInput | kSplashCenterParent | kSplashDropShadow) &&
      g_splashObject->SetBitmap(IDB_SPLASH_START))
    g_splashObject->Show();
  // The dialogs host web-browser controls; their pages are drawn by the rich content engine,
  // and addresses outside the program open only after the checks links of the program pass.
  AfxEnableControlContainer();
  RichInstallPageRenderer();
  AfxSetPageAddressOpener([](const std::wstring& address) { return CPPHtmlDrawer::OpenAddress(address); });

  // Help is compiled HTML help named after the program.
  CString help = m_pszHelpFilePath ? m_pszHelpFilePath : L"";
  help.Replace(L".HLP", L".chm");
  help.Replace(L".hlp", L".chm");
  ReplaceAppString(m_pszHelpFilePath, help);
  EnableHtmlHelp();
  // Before the resource library: these two always come from the program itself.
  m_cardStripBitmap.LoadBitmap(IDB_CARD_SHEET);
  m_cardMaskBitmap.LoadBitmap(IDB_CARD_MASK);

  LoadResourceLibrary();
  m_resultCss = LoadResourceText(IDR_RESULT_STYLE);
  m_randomKeyword.LoadString(IDS_RANDOM_KEYWORD);

  m_profileSwap = RedirectProfileToAppData();
  LoadStdProfileSettings(6);
  ::SetRectEmpty(&m_desktopRect);
  ::EnumDisplayMonitors(nullptr, nullptr, AccumulateMonitorWorkArea, reinterpret_cast<LPARAM>(this));
  ReadSettings();

  if (!m_dialogBrush.GetSafeHandle()) m_dialogBrush.CreateSolidBrush(kThemedDialogColor);
  if (m_fonts) {
    m_fonts->RemoveAll();
    delete m_fonts;
  }
  m_fonts = new CFontContainer;
  m_exePath = GetResourceModulePath();
  CString title;
  title.LoadString(IDS_APP_TITLE);
  ReplaceAppString(m_pszAppName, title);

  // The version file is fetched with a short time-out, so start-up never waits long for it.
  RunStartupUpdateCheck([this] { HideSplash(); });

  LoadTables();

  AddDocTemplate(new CSingleDocTemplate(IDR_MAINFRAME, RUNTIME_CLASS(CSDITestDoc), RUNTIME_CLASS(CMainFrame),
                                        RUNTIME_CLASS(CChildFormView)));
  CCommandLineInfo commandLine;
  ParseCommandLine(commandLine);
  if (!ProcessShellCommand(commandLine)) return FALSE;
  if (!m_pMainWnd) return FALSE;
  m_pMainWnd->ShowWindow(SW_SHOW);
  m_pMainWnd->UpdateWindow();
  return TRUE;
}

void COmahaVantornApp::LoadResourceLibrary() { UseResourceLibrary(FindResourceLibrary(CurrentFolder())); }

void COmahaVantornApp::ReadSettings() {
  m_onlyShorthanded = GetProfileInt(kSectionGlobal, kKeyOnlyShorthanded, m_onlyShorthanded);
  m_homePageUrl.LoadString(IDS_HOME_PAGE_URL);
  m_downloadPageUrl.LoadString(IDS_DOWNLOAD_PAGE_URL);
  m_updateFileUrl.LoadString(IDS_UPDATE_FILE_URL);
  m_useDeadCards = GetProfileInt(kSectionGlobal, kKeyUseDeadCards, m_useDeadCards);
  m_useThreeEquities = GetProfileInt(kSectionGlobal, kKeyUseThreeEquities, m_useThreeEquities);
  m_useBanner = GetProfileInt(kSectionGlobal, kKeyUseBanner, 1);
  m_evaluationTime = GetProfileInt(kSectionGlobal, kKeyEvaluationTime, m_evaluationTime);
  m_useBVTheme = GetProfileInt(kSectionGlobal, kKeyUseBVTheme, m_useBVTheme);
  m_useBVTheme = 1;
  m_useHiLo = GetProfileInt(kSectionGlobal, kKeyUseHiLo, m_useHiLo);
  SyncRangeSettings();
}

void COmahaVantornApp::HideSplash() {
  if (g_splashScreen && ::IsWindow(g_splashScreen->GetSafeHwnd())) g_splashScreen->Hide();
  g_splashScreen = nullptr;
}

void COmahaVantornApp::LoadTables() {
  TableLoadResult result;
  {
    CWaitCursor wait;
    result = m_handBase.LoadTables();
  }
  const CString message = DescribeTableLoad(result, CurrentFolder());
  if (message.IsEmpty()) return;
  // The splash holds the mouse and stays on top: the message must not hide behind it.
  HideSplash();
  ShowMessageBoxText(nullptr, message, MB_OK | MB_ICONWARNING);
}

CDocument* COmahaVantornApp::OpenDocumentFile(LPCTSTR lpszFileName) {
  // A file chosen while the main dialog is up is a scenario for it. One named on the command
  // line arrives before the frame exists: the framework opens the program and lists the file.
  // A file that does not load was explained to the user; the framework then drops it from
  // the recent-file list.
  if (COmahaVantornDlg* dialog = GetMainDialog(DYNAMIC_DOWNCAST(CFrameWnd, m_pMainWnd))) {
    if (!dialog->LoadScenarioFile(lpszFileName)) return nullptr;
  }
  return CWinApp::OpenDocumentFile(lpszFileName);
}

int COmahaVantornApp::ExitInstance() {
  m_cardStripBitmap.DeleteObject();
  m_cardMaskBitmap.DeleteObject();
  if (m_fonts) {
    m_fonts->RemoveAll();
    delete m_fonts;
    m_fonts = nullptr;
  }
  const int result = CWinApp::ExitInstance();
  if (m_profileSwap) {
    m_profileSwap->Restore(this);
    delete m_profileSwap;
    m_profileSwap = nullptr;
  }
  if (g_splashObject) {
    if (::IsWindow(g_splashObject->GetSafeHwnd())) g_splashObject->DestroyWindow();
    delete g_splashObject;
    g_splashObject = nullptr;
    g_splashScreen = nullptr;
  }
  ReleaseResourceLibrary();
  return result;
}
