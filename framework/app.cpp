#include "framework/app.h"

#include <cstdlib>
#include <cwchar>
#include <exception>

#include "framework/fwinternal.h"
#include "framework/wnd.h"

using fw::detail::GetModuleState;
using fw::detail::GetThreadState;

IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

namespace {

void FreeString(LPCTSTR& s) {
  std::free(const_cast<LPTSTR>(s));
  s = nullptr;
}

CString ModulePath(HINSTANCE hInstance) {
  wchar_t path[MAX_PATH * 4] = {};
  DWORD n = ::GetModuleFileNameW(hInstance, path, MAX_PATH * 4);
  return CString(path, static_cast<int>(n));
}

}  // namespace

CWinApp::CWinApp(LPCTSTR lpszAppName) {
  auto& module = GetModuleState();
  if (module.pApp == nullptr) module.pApp = this;
  GetThreadState().pThread = this;
  m_nThreadID = ::GetCurrentThreadId();
  m_hThread = ::GetCurrentThread();
  m_bAutoDelete = FALSE;
  if (lpszAppName != nullptr) m_pszAppName = _wcsdup(lpszAppName);
  m_hInstance = AfxGetInstanceHandle();
  SetCurrentHandles();
}

CWinApp::~CWinApp() {
  FreeDocumentState();
  FreeString(m_pszAppName);
  FreeString(m_pszRegistryKey);
  FreeString(m_pszExeName);
  FreeString(m_pszHelpFilePath);
  FreeString(m_pszProfileName);
  auto& module = GetModuleState();
  if (module.pApp == this) module.pApp = nullptr;
  m_hThread = nullptr;
}

void CWinApp::SetCurrentHandles() {
  if (m_hInstance == nullptr) m_hInstance = AfxGetInstanceHandle();
  CString path = ModulePath(m_hInstance);
  int slash = path.ReverseFind(L'\\');
  CString file = path.Mid(slash + 1);
  int dot = file.ReverseFind(L'.');
  CString title = dot > 0 ? file.Left(dot) : file;
  if (m_pszExeName == nullptr) m_pszExeName = _wcsdup(title);
  if (m_pszAppName == nullptr) m_pszAppName = _wcsdup(m_pszExeName);
  if (m_pszHelpFilePath == nullptr) {
    int pathDot = path.ReverseFind(L'.');
    CString help = (pathDot > slash ? path.Left(pathDot) : path) + L".HLP";
    m_pszHelpFilePath = _wcsdup(help);
  }
  if (m_pszProfileName == nullptr) m_pszProfileName = _wcsdup(CString(m_pszExeName) + L".INI");
}

BOOL CWinApp::InitApplication() { return TRUE; }

BOOL CWinApp::InitInstance() { return TRUE; }

int CWinApp::ExitInstance() {
  SaveStdProfileSettings();
  return static_cast<int>(m_msgCur.wParam);
}

int CWinApp::Run() {
  // Without a main window nothing could end the loop.
  if (m_pMainWnd == nullptr) ::PostQuitMessage(0);
  return CWinThread::Run();
}

BOOL CWinApp::OnIdle(LONG lCount) { return CWinThread::OnIdle(lCount); }

LRESULT CWinApp::ProcessWndProcException(CException* e, const MSG* pMsg) {
  return DefaultWndProcExceptionResult(e, pMsg, TRUE);
}

int CWinApp::DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT) {
  HWND owner = CWnd::GetSafeOwner_(nullptr, nullptr);
  return ::MessageBoxW(owner, lpszPrompt ? lpszPrompt : L"", m_pszAppName ? m_pszAppName : L"", nType);
}

void CWinApp::DoWaitCursor(int nCode) {
  HCURSOR wait = ::LoadCursorW(nullptr, IDC_WAIT);
  if (nCode > 0) {
    HCURSOR previous = ::SetCursor(wait);
    if (m_nWaitCursorCount++ == 0) m_hcurWaitCursorRestore = previous;
  } else if (nCode < 0) {
    if (m_nWaitCursorCount > 0 && --m_nWaitCursorCount == 0) ::SetCursor(m_hcurWaitCursorRestore);
  } else if (m_nWaitCursorCount > 0) {
    ::SetCursor(wait);
  }
}

HCURSOR CWinApp::LoadCursor(LPCTSTR lpszResourceName) const {
  return ::LoadCursorW(AfxFindResourceHandle(lpszResourceName, RT_GROUP_CURSOR), lpszResourceName);
}

HICON CWinApp::LoadIcon(LPCTSTR lpszResourceName) const {
  return ::LoadIconW(AfxFindResourceHandle(lpszResourceName, RT_GROUP_ICON), lpszResourceName);
}

LPCTSTR AFXAPI AfxGetAppName() {
  CWinApp* app = AfxGetApp();
  if (app != nullptr && app->m_pszAppName != nullptr) return app->m_pszAppName;
  return L"";
}

int AFXAPI AfxMessageBox(LPCTSTR lpszText, UINT nType, UINT nIDHelp) {
  if (CWinApp* app = AfxGetApp()) return app->DoMessageBox(lpszText, nType, nIDHelp);
  HWND owner = CWnd::GetSafeOwner_(nullptr, nullptr);
  return ::MessageBoxW(owner, lpszText ? lpszText : L"", L"", nType);
}

int AFXAPI AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp) {
  CString text;
  text.LoadString(nIDPrompt);
  if (nIDHelp == static_cast<UINT>(-1)) nIDHelp = nIDPrompt;
  return AfxMessageBox(text, nType, nIDHelp);
}

BOOL AFXAPI AfxWinInit(HINSTANCE hInstance, HINSTANCE, LPTSTR lpCmdLine, int nCmdShow) {
  if (hInstance != nullptr) AfxSetInstanceHandle(hInstance);
  if (CWinApp* app = AfxGetApp()) {
    app->m_hInstance = AfxGetInstanceHandle();
    app->m_lpCmdLine = lpCmdLine;
    app->m_nCmdShow = nCmdShow;
    app->SetCurrentHandles();
  }
  return TRUE;
}

void AFXAPI AfxWinTerm() { fw::detail::DeleteAllTemporaries(); }

int AFXAPI AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow) {
  int result = -1;
  CWinThread* thread = AfxGetThread();
  CWinApp* app = AfxGetApp();
  MSG none = {};
  try {
    if (AfxWinInit(hInstance, hPrevInstance, lpCmdLine, nCmdShow) && thread != nullptr &&
        (app == nullptr || app->InitApplication())) {
      if (!thread->InitInstance()) {
        if (thread->m_pMainWnd != nullptr) thread->m_pMainWnd->DestroyWindow();
        result = thread->ExitInstance();
      } else {
        result = thread->Run();
      }
    }
  } catch (CException* e) {
    fw::detail::ReportBoundaryException(e, &none);
    e->Delete();
  } catch (const std::exception& e) {
    fw::detail::ReportBoundaryException(e.what(), &none);
  } catch (...) {
    fw::detail::ReportBoundaryException(static_cast<const char*>(nullptr), &none);
  }
  AfxWinTerm();
  return result;
}
