#include <process.h>

#include <cstdio>
#include <exception>

#include "framework/app.h"
#include "framework/fwinternal.h"
#include "framework/wnd.h"

using fw::detail::GetThreadState;

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)

BEGIN_MESSAGE_MAP(CWinThread, CCmdTarget)
END_MESSAGE_MAP()

namespace {

constexpr UINT kSysTimer = 0x0118;  // caret blink

void ReportThreadException(const char* what) {
  CString text = L"Unhandled exception in a thread";
  if (what && *what) text += L": " + CString(what);
  text += L"\n";
  ::OutputDebugStringW(text);
  std::fputws(text, stderr);
}

}  // namespace

CWinThread::CWinThread() = default;

CWinThread::CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam)
    : m_pfnThreadProc(pfnThreadProc), m_pThreadParams(pParam) {}

CWinThread::~CWinThread() {
  if (m_hThread != nullptr && m_hThread != ::GetCurrentThread()) ::CloseHandle(m_hThread);
  auto& ts = GetThreadState();
  if (ts.pThread == this) ts.pThread = nullptr;
}

void CWinThread::Delete() {
  if (m_bAutoDelete) delete this;
}

// Entry of every framework thread: no exception leaves it.
unsigned __stdcall FwThreadEntry(void* pParam) {
  auto* thread = static_cast<CWinThread*>(pParam);
  GetThreadState().pThread = thread;
  UINT exitCode = 0;
  try {
    if (thread->m_pfnThreadProc != nullptr) {
      exitCode = thread->m_pfnThreadProc(thread->m_pThreadParams);
    } else if (thread->InitInstance()) {
      exitCode = static_cast<UINT>(thread->Run());
    } else {
      exitCode = static_cast<UINT>(thread->ExitInstance());
    }
  } catch (CException* e) {
    CString text = e->GetErrorText();
    e->Delete();
    ReportThreadException(fw::ToNarrow(text).c_str());
    exitCode = static_cast<UINT>(-1);
  } catch (const std::exception& e) {
    ReportThreadException(e.what());
    exitCode = static_cast<UINT>(-1);
  } catch (...) {
    ReportThreadException(nullptr);
    exitCode = static_cast<UINT>(-1);
  }
  GetThreadState().pThread = nullptr;
  fw::detail::FreeThreadState();
  thread->Delete();
  return exitCode;
}

BOOL CWinThread::CreateThread(DWORD dwCreateFlags, UINT nStackSize, LPSECURITY_ATTRIBUTES lpSecurityAttrs) {
  if (m_hThread != nullptr) return FALSE;
  unsigned id = 0;
  // Started suspended so the handle and id are set before the thread runs.
  uintptr_t h = ::_beginthreadex(lpSecurityAttrs, nStackSize, &FwThreadEntry, this, CREATE_SUSPENDED, &id);
  if (h == 0) return FALSE;
  m_hThread = reinterpret_cast<HANDLE>(h);
  m_nThreadID = id;
  if ((dwCreateFlags & CREATE_SUSPENDED) == 0) ::ResumeThread(m_hThread);
  return TRUE;
}

CWnd* CWinThread::GetMainWnd() {
  if (m_pActiveWnd != nullptr) return m_pActiveWnd;
  if (m_pMainWnd != nullptr) return m_pMainWnd;
  return CWnd::FromHandle(::GetActiveWindow());
}

BOOL CWinThread::InitInstance() { return FALSE; }

int CWinThread::ExitInstance() { return static_cast<int>(m_msgCur.wParam); }

int CWinThread::Run() {
  BOOL idle = TRUE;
  LONG idleCount = 0;
  for (;;) {
    while (idle && !::PeekMessageW(&m_msgCur, nullptr, 0, 0, PM_NOREMOVE)) {
      BOOL more = FALSE;
      try {
        more = OnIdle(idleCount++);
      } catch (CException* e) {
        ProcessWndProcException(e, &m_msgCur);
        e->Delete();
      } catch (const std::exception& e) {
        fw::detail::ReportBoundaryException(e.what(), &m_msgCur);
      } catch (...) {
        fw::detail::ReportBoundaryException(static_cast<const char*>(nullptr), &m_msgCur);
      }
      if (!more) idle = FALSE;
    }
    do {
      if (!PumpMessage()) return ExitInstance();
      if (IsIdleMessage(&m_msgCur)) {
        idle = TRUE;
        idleCount = 0;
      }
    } while (::PeekMessageW(&m_msgCur, nullptr, 0, 0, PM_NOREMOVE));
  }
}

BOOL CWinThread::PumpMessage() {
  BOOL got = ::GetMessageW(&m_msgCur, nullptr, 0, 0);
  if (got == 0 || got == -1) return FALSE;
  BOOL handled = FALSE;
  try {
    handled = PreTranslateMessage(&m_msgCur);
  } catch (CException* e) {
    ProcessWndProcException(e, &m_msgCur);
    e->Delete();
    handled = TRUE;
  } catch (const std::exception& e) {
    fw::detail::ReportBoundaryException(e.what(), &m_msgCur);
    handled = TRUE;
  } catch (...) {
    fw::detail::ReportBoundaryException(static_cast<const char*>(nullptr), &m_msgCur);
    handled = TRUE;
  }
  if (!handled) {
    ::TranslateMessage(&m_msgCur);
    ::DispatchMessageW(&m_msgCur);
  }
  return TRUE;
}

BOOL CWinThread::PreTranslateMessage(MSG* pMsg) {
  if (pMsg->hwnd == nullptr) {
    // Thread messages go to this thread object's message map.
    AfxMsgCall call = {pMsg->message, pMsg->wParam, pMsg->lParam, 0, 0, nullptr, 0};
    if (DispatchMapMessage(pMsg->message, call)) return TRUE;
    return FALSE;
  }
  CWnd* mainWnd = AfxGetMainWnd();
  HWND hMain = mainWnd ? mainWnd->GetSafeHwnd() : nullptr;
  if (CWnd::WalkPreTranslateTree(hMain, pMsg)) return TRUE;
  // A window outside the main window's tree (a modeless pop-up) still
  // reaches the main window's keyboard handling.
  if (hMain != nullptr) {
    CWnd* target = CWnd::FromHandle(pMsg->hwnd);
    CWnd* top = target ? target->GetTopLevelParent() : nullptr;
    if (top != nullptr && top->m_hWnd != hMain) return mainWnd->PreTranslateMessage(pMsg);
  }
  return FALSE;
}

BOOL CWinThread::OnIdle(LONG lCount) {
  if (lCount <= 0) {
    CWnd* mainWnd = m_pMainWnd;
    if (mainWnd != nullptr && mainWnd->m_hWnd != nullptr && ::IsWindowVisible(mainWnd->m_hWnd)) {
      AfxCallWndProc(mainWnd, mainWnd->m_hWnd, WM_IDLEUPDATECMDUI, TRUE, 0);
      if (mainWnd->m_hWnd != nullptr) mainWnd->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
    }
    return TRUE;
  }
  if (lCount == 1) fw::detail::DeleteAllTemporaries();
  return FALSE;
}

BOOL CWinThread::IsIdleMessage(MSG* pMsg) {
  auto& ts = GetThreadState();
  if (pMsg->message == WM_MOUSEMOVE || pMsg->message == WM_NCMOUSEMOVE) {
    if (ts.nMsgLast == pMsg->message && ts.ptCursorLast.x == pMsg->pt.x && ts.ptCursorLast.y == pMsg->pt.y)
      return FALSE;
    ts.ptCursorLast = pMsg->pt;
    ts.nMsgLast = pMsg->message;
    return TRUE;
  }
  return pMsg->message != WM_PAINT && pMsg->message != kSysTimer;
}

LRESULT CWinThread::ProcessWndProcException(CException* e, const MSG* pMsg) {
  CWinApp* app = AfxGetApp();
  if (app != nullptr && app != static_cast<CWinThread*>(this)) return app->ProcessWndProcException(e, pMsg);
  return DefaultWndProcExceptionResult(e, pMsg, FALSE);
}

LRESULT AFXAPI CWinThread::DefaultWndProcExceptionResult(CException* e, const MSG* pMsg, BOOL bShowMessage) {
  LRESULT result = 0;
  if (pMsg != nullptr) {
    switch (pMsg->message) {
      case WM_CREATE: result = -1; break;         // the creation fails
      case WM_NCCREATE: result = FALSE; break;
      case WM_PAINT:
        // Stop the system from asking again at once.
        if (pMsg->hwnd) ::ValidateRect(pMsg->hwnd, nullptr);
        break;
      default: break;
    }
  }
  if (e != nullptr && !e->IsKindOf(RUNTIME_CLASS(CUserException))) {
    CString text = e->GetErrorText();
    if (text.IsEmpty()) text = L"An unexpected error occurred.";
    CString line;
    line.Format(L"Exception in message 0x%04X: %s\n", pMsg ? pMsg->message : 0u, text);
    ::OutputDebugStringW(line);
    std::fputws(line, stderr);
    if (bShowMessage) e->ReportError(MB_ICONEXCLAMATION);
  }
  return result;
}

CWinThread* AFXAPI AfxGetThread() {
  CWinThread* thread = GetThreadState().pThread;
  if (thread == nullptr) {
    CWinApp* app = AfxGetApp();
    if (app != nullptr && app->m_nThreadID == ::GetCurrentThreadId()) thread = app;
  }
  return thread;
}

CWnd* AFXAPI AfxGetMainWnd() {
  CWinThread* thread = AfxGetThread();
  CWnd* wnd = thread ? thread->GetMainWnd() : nullptr;
  if (wnd == nullptr) {
    CWinApp* app = AfxGetApp();
    if (app != nullptr && app != thread) wnd = app->m_pMainWnd;
  }
  return wnd;
}

CWinThread* AFXAPI AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam, int nPriority, UINT nStackSize,
                                  DWORD dwCreateFlags, LPSECURITY_ATTRIBUTES lpSecurityAttrs) {
  if (pfnThreadProc == nullptr) return nullptr;
  auto* thread = new CWinThread(pfnThreadProc, pParam);
  if (!thread->CreateThread(dwCreateFlags | CREATE_SUSPENDED, nStackSize, lpSecurityAttrs)) {
    delete thread;
    return nullptr;
  }
  thread->SetThreadPriority(nPriority);
  if ((dwCreateFlags & CREATE_SUSPENDED) == 0) thread->ResumeThread();
  return thread;
}

CWinThread* AFXAPI AfxBeginThread(CRuntimeClass* pThreadClass, int nPriority, UINT nStackSize, DWORD dwCreateFlags,
                                  LPSECURITY_ATTRIBUTES lpSecurityAttrs) {
  if (pThreadClass == nullptr || !pThreadClass->IsDerivedFrom(RUNTIME_CLASS(CWinThread))) return nullptr;
  auto* thread = static_cast<CWinThread*>(pThreadClass->CreateObject());
  if (thread == nullptr) return nullptr;
  if (!thread->CreateThread(dwCreateFlags | CREATE_SUSPENDED, nStackSize, lpSecurityAttrs)) {
    delete thread;
    return nullptr;
  }
  thread->SetThreadPriority(nPriority);
  if ((dwCreateFlags & CREATE_SUSPENDED) == 0) thread->ResumeThread();
  return thread;
}

void AFXAPI AfxEndThread(UINT nExitCode, BOOL bDelete) {
  CWinThread* thread = GetThreadState().pThread;
  GetThreadState().pThread = nullptr;
  fw::detail::FreeThreadState();
  if (thread != nullptr && bDelete) thread->Delete();
  ::_endthreadex(nExitCode);
}
