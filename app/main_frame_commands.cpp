// The frame's menu commands and their menu states.
#include <string>
#include <vector>

#include "app/app_shell.h"
#include "app/app_utils.h"
#include "app/child_form_view.h"
#include "app/main_frame.h"
#include "app/omaha_app.h"
#include "app/settings.h"
#include "app/settings_dialog.h"
#include "controls/module_version.h"
#include "controls/splash_screen_ex.h"
#include "dialogs/hand_info_dialog.h"
#include "dialogs/hand_info_streets_dialog.h"
#include "dialogs/html_dialog.h"
#include "resource.h"

void CMainFrame::OnShortHanded() {
  COmahaVantornApp* app = GetOmahaApp();
  if (!app) return;
  app->m_onlyShorthanded = app->m_onlyShorthanded == 0 ? 1 : 0;
  if (COmahaVantornDlg* dialog = GetMainDialog(this)) dialog->ArrangeSeats();
  app->WriteProfileInt(kSectionGlobal, kKeyOnlyShorthanded, app->m_onlyShorthanded);
}

void CMainFrame::OnDeadCards() {
  COmahaVantornApp* app = GetOmahaApp();
  COmahaVantornDlg* dialog = GetMainDialog(this);
  if (!app || !dialog) return;
  app->m_useDeadCards = app->m_useDeadCards == 0 ? 1 : 0;
  app->WriteProfileInt(kSectionGlobal, kKeyUseDeadCards, app->m_useDeadCards);
  dialog->UpdateControlStates();
}

void CMainFrame::OnResults() {
  COmahaVantornDlg* dialog = GetMainDialog(this);
  if (!dialog) return;
  dialog->m_resultsVisible = dialog->m_resultsVisible == 0 ? 1 : 0;
  AfxGetApp()->WriteProfileInt(kSectionGlobal, kKeyResultsVisible, dialog->m_resultsVisible);
  dialog->RefreshResultView();
}

void CMainFrame::OnUpdateShortHanded(CCmdUI* pCmdUI) {
  COmahaVantornApp* app = GetOmahaApp();
  pCmdUI->SetCheck(app && app->m_onlyShorthanded ? 1 : 0);
}

void CMainFrame::OnUpdateDeadCards(CCmdUI* pCmdUI) {
  COmahaVantornApp* app = GetOmahaApp();
  pCmdUI->SetCheck(app && app->m_useDeadCards ? 1 : 0);
}

void CMainFrame::OnUpdateResults(CCmdUI* pCmdUI) {
  if (COmahaVantornDlg* dialog = GetMainDialog(this)) pCmdUI->SetCheck(dialog->m_resultsVisible ? 1 : 0);
}

void CMainFrame::OnHandVsHand() {
  CHandInfoDialog dialog(this);
  dialog.DoModal();
}

void CMainFrame::OnFlopOutsCounter() {
  CHandInfoStreetsDialog dialog(this);
  dialog.DoModal();
}

void CMainFrame::OnSupportForum() {
  CString address;
  address.LoadString(IDS_SUPPORT_FORUM_URL);
  OpenInWebBrowser(address);
}

void CMainFrame::OnSettings() {
  CSettingsDialog dialog(this);
  dialog.DoModal();
}

// Scenarios are the main dialog's inputs: without it there is nothing to load into or save.
void CMainFrame::OnLoadScenario() {
  if (COmahaVantornDlg* dialog = GetMainDialog(this)) dialog->OnLoadScenario();
}

void CMainFrame::OnSaveScenario() {
  if (COmahaVantornDlg* dialog = GetMainDialog(this)) dialog->SaveScenarioFile();
}

void CMainFrame::OnHelpContents() { AfxGetApp()->WinHelp(0, HELP_CONTEXT); }

void CMainFrame::OnToolBarOnly() {}

void CMainFrame::OnAbout() {
  CWaitCursor wait;
  // The program's own file, wherever the current folder is.
  wchar_t path[MAX_PATH] = L"";
  ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  const CString version = CModuleVersion(path).Format();

  auto* splash = new CSplashScreenEx;
  splash->m_autoDelete = TRUE;  // the splash window frees its object when it goes
  if (!splash->Create(this, 0,
                      kSplashFadeIn | kSplashFadeOut | kSplashDropShadow | kSplashCenterParent | kSplashCloseOnInput) ||
      !splash->SetBitmap(IDB_SPLASH_ABOUT)) {
    if (::IsWindow(splash->GetSafeHwnd()))
      splash->DestroyWindow();
    else
      delete splash;
    return;
  }
  LOGFONTW font = {};
  CClientDC dc(this);
  font.lfHeight = -::MulDiv(8, dc.GetDeviceCaps(LOGPIXELSY), 72);
  font.lfWeight = FW_BOLD;
  wcscpy_s(font.lfFaceName, L"Tahoma");
  splash->m_font.DeleteObject();
  splash->m_font.CreateFontIndirect(&font);
  splash->m_textColor = RGB(64, 64, 64);
  splash->m_textRect = CRect(6, 280, 400, 300);
  splash->m_textFormat = 0;
  CString prefix;
  prefix.LoadString(IDS_VERSION_PREFIX);
  splash->m_text = prefix + version;
  splash->Show();
}

void CMainFrame::OnSyntax() {
  if (m_syntaxDialog) {
    if (::IsWindow(m_syntaxDialog->GetSafeHwnd())) {
      if (m_syntaxDialog->IsIconic()) m_syntaxDialog->ShowWindow(SW_RESTORE);
      m_syntaxDialog->SetActiveWindow();
      m_syntaxDialog->SetForegroundWindow();
    }
    return;
  }
  // At most the first 500,000 bytes of the page in the current folder; a missing file shows an
  // empty page.
  constexpr DWORD kMaxPageBytes = 500000;
  std::vector<BYTE> page(kMaxPageBytes, 0);
  DWORD read = 0;
  HANDLE file = ::CreateFileW(L"Syntax.html", GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file != INVALID_HANDLE_VALUE) {
    if (!::ReadFile(file, page.data(), kMaxPageBytes, &read, nullptr)) read = 0;
    ::CloseHandle(file);
  }
  auto* viewer = new CHTMLDialog(this);
  m_syntaxDialog = viewer;
  if (read > 0) {
    const int chars = ::MultiByteToWideChar(CP_ACP, 0, reinterpret_cast<LPCSTR>(page.data()), static_cast<int>(read),
                                            nullptr, 0);
    std::wstring text(static_cast<size_t>(chars), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, reinterpret_cast<LPCSTR>(page.data()), static_cast<int>(read), text.data(), chars);
    viewer->m_pageText = CString(text.c_str(), chars);
  }
  viewer->m_pageBytes = page.data();
  viewer->m_pageByteCount = static_cast<int>(read);
  viewer->m_modeless = 1;
  if (!viewer->Create(viewer->m_templateId, CWnd::GetDesktopWindow())) {
    delete viewer;
    m_syntaxDialog = nullptr;
    return;
  }
  // The page was written into the browser while the window was made; the buffer goes now.
  if (m_syntaxDialog == viewer) {
    viewer->m_pageBytes = nullptr;
    viewer->m_pageByteCount = 0;
    viewer->ShowWindow(SW_SHOW);
  }
}
