// The framework's window procedure, the creation hook that binds new windows
// to their objects, and window-class registration.
#include <cwchar>
#include <exception>
#include <mutex>
#include <set>
#include <string>

#include "framework/app.h"
#include "framework/exceptions.h"
#include "framework/fwinternal.h"
#include "framework/wnd.h"

using fw::detail::GetThreadState;

namespace fw::detail {

// The replaced window procedure, also kept as a window property so a window
// whose object is gone still reaches its original procedure.
const wchar_t kSuperProcProp[] = L"FwSuperWndProc";
constexpr UINT kNcDestroyDefaultDone = 0x1;

LRESULT& DefaultResultSlot() {
  thread_local LRESULT slot = 0;
  return slot;
}

namespace {

// Wraps a non-framework exception so it is reported like the others.
class CForeignException : public CSimpleException {
 public:
  explicit CForeignException(const char* what) : CSimpleException(nullptr, FALSE) {
    m_text = L"An unexpected error occurred";
    if (what && *what) {
      m_text += L": ";
      m_text += CString(what);
    }
    m_text += L".";
    m_lpszMessage = m_text;
  }

 private:
  CString m_text;
};

LRESULT ProcessException(CException* e, const MSG* pMsg) {
  if (CWinThread* thread = AfxGetThread()) return thread->ProcessWndProcException(e, pMsg);
  return CWinThread::DefaultWndProcExceptionResult(e, pMsg, FALSE);
}

}  // namespace

void ReportBoundaryException(CException* e, const MSG* pMsg) { ProcessException(e, pMsg); }

void ReportBoundaryException(const char* what, const MSG* pMsg) {
  CForeignException e(what);
  ProcessException(&e, pMsg);
}

// Runs f, turning any exception into the result the thread's exception
// handling gives for msg.
template <typename F>
LRESULT Guarded(const MSG& msg, F&& f) {
  try {
    return f();
  } catch (CException* e) {
    LRESULT r = ProcessException(e, &msg);
    e->Delete();
    return r;
  } catch (const std::exception& e) {
    CForeignException wrapped(e.what());
    return ProcessException(&wrapped, &msg);
  } catch (...) {
    CForeignException wrapped(nullptr);
    return ProcessException(&wrapped, &msg);
  }
}

}  // namespace fw::detail

using fw::detail::kNcDestroyDefaultDone;
using fw::detail::kSuperProcProp;

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
  CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
  if (pWnd == nullptr || pWnd->m_hWnd != hWnd) {
    auto super = reinterpret_cast<WNDPROC>(reinterpret_cast<LONG_PTR>(::GetPropW(hWnd, kSuperProcProp)));
    if (super != nullptr && super != &AfxWndProc) return ::CallWindowProcW(super, hWnd, nMsg, wParam, lParam);
    return ::DefWindowProcW(hWnd, nMsg, wParam, lParam);
  }
  return AfxCallWndProc(pWnd, hWnd, nMsg, wParam, lParam);
}

WNDPROC AFXAPI AfxGetAfxWndProc() { return &AfxWndProc; }

LRESULT AFXAPI AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
  auto& ts = GetThreadState();
  LRESULT& slot = fw::detail::DefaultResultSlot();
  const MSG savedMsg = ts.lastSent;
  const LRESULT savedSlot = slot;
  MSG current = {};
  current.hwnd = hWnd;
  current.message = nMsg;
  current.wParam = wParam;
  current.lParam = lParam;
  ts.lastSent = current;

  LRESULT lResult = fw::detail::Guarded(current, [&] { return pWnd->WindowProc(nMsg, wParam, lParam); });

  if (nMsg == WM_NCDESTROY && CWnd::FromHandlePermanent(hWnd) == pWnd) {
    // The object's handler did not finish the destruction (or raised): do it
    // here so no object stays bound to a dead handle.
    fw::detail::Guarded(current, [&] {
      if ((pWnd->m_nFwFlags & kNcDestroyDefaultDone) == 0) pWnd->DefWindowProc(nMsg, wParam, lParam);
      pWnd->NcDestroyCleanup(hWnd);
      return LRESULT(0);
    });
  }
  ts.lastSent = savedMsg;
  slot = savedSlot;
  return lResult;
}

namespace {

bool SameClass(LPCWSTR a, LPCWSTR b) {
  if (IS_INTRESOURCE(a) || IS_INTRESOURCE(b)) return a == b;
  return _wcsicmp(a, b) == 0;
}

}  // namespace

// Binds the window being created by CWnd::CreateEx to its object before the
// window receives its first message.
LRESULT CALLBACK FwCbtHook(int nCode, WPARAM wParam, LPARAM lParam) {
  auto& ts = GetThreadState();
  if (nCode == HCBT_CREATEWND && ts.pWndInit != nullptr) {
    HWND hWnd = reinterpret_cast<HWND>(wParam);
    auto* cbt = reinterpret_cast<CBT_CREATEWNDW*>(lParam);
    wchar_t className[16] = {};
    ::GetClassNameW(hWnd, className, 16);
    // Windows the system creates on the way (input-method windows) are not ours.
    bool ours = _wcsicmp(className, L"IME") != 0 &&
                (ts.bInitMatchAny ||
                 (cbt && cbt->lpcs && cbt->lpcs->hwndParent == ts.hWndInitParent &&
                  cbt->lpcs->lpCreateParams == ts.lpInitParams &&
                  (ts.lpszInitClass == nullptr || cbt->lpcs->lpszClass == nullptr ||
                   SameClass(cbt->lpcs->lpszClass, ts.lpszInitClass))));
    if (ours) {
      CWnd* pWnd = ts.pWndInit;
      ts.pWndInit = nullptr;
      MSG msg = {};
      msg.hwnd = hWnd;
      msg.message = WM_CREATE;
      fw::detail::Guarded(msg, [&] {
        pWnd->Attach(hWnd);
        pWnd->PreSubclassWindow();
        auto old = reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(hWnd, GWLP_WNDPROC));
        if (old != &AfxWndProc) {
          *pWnd->GetSuperWndProcAddr() = old;
          ::SetPropW(hWnd, kSuperProcProp, reinterpret_cast<HANDLE>(reinterpret_cast<LONG_PTR>(old)));
          ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc));
        }
        return LRESULT(0);
      });
    }
  }
  return ::CallNextHookEx(ts.hCbtHook, nCode, wParam, lParam);
}

namespace fw::detail {

WindowCreationHook::WindowCreationHook(CWnd* pWnd, HWND hWndParent, LPVOID lpParams, LPCWSTR lpszClass, bool matchAny)
    : m_pWnd(pWnd) {
  auto& ts = GetThreadState();
  m_savedWnd = ts.pWndInit;
  m_savedParent = ts.hWndInitParent;
  m_savedParams = ts.lpInitParams;
  m_savedClass = ts.lpszInitClass;
  m_savedMatchAny = ts.bInitMatchAny;
  if (ts.hCbtHook == nullptr) {
    ts.hCbtHook = ::SetWindowsHookExW(WH_CBT, &FwCbtHook, nullptr, ::GetCurrentThreadId());
    m_installedOk = ts.hCbtHook != nullptr;
    m_installedHere = m_installedOk;
  }
  ts.pWndInit = pWnd;
  ts.hWndInitParent = hWndParent;
  ts.lpInitParams = lpParams;
  ts.lpszInitClass = lpszClass;
  ts.bInitMatchAny = matchAny;
}

WindowCreationHook::~WindowCreationHook() {
  auto& ts = GetThreadState();
  ts.pWndInit = m_savedWnd;
  ts.hWndInitParent = m_savedParent;
  ts.lpInitParams = m_savedParams;
  ts.lpszInitClass = m_savedClass;
  ts.bInitMatchAny = m_savedMatchAny;
  if (m_installedHere) {
    ::UnhookWindowsHookEx(ts.hCbtHook);
    ts.hCbtHook = nullptr;
  }
}

bool WindowCreationHook::Bound() const { return GetThreadState().pWndInit != m_pWnd; }

}  // namespace fw::detail

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, int x, int y,
                    int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam) {
  if (m_hWnd != nullptr) return FALSE;
  CREATESTRUCTW cs = {};
  cs.dwExStyle = dwExStyle;
  cs.lpszClass = lpszClassName;
  cs.lpszName = lpszWindowName;
  cs.style = static_cast<LONG>(dwStyle);
  cs.x = x;
  cs.y = y;
  cs.cx = nWidth;
  cs.cy = nHeight;
  cs.hwndParent = hWndParent;
  cs.hMenu = nIDorHMenu;
  cs.hInstance = AfxGetInstanceHandle();
  cs.lpCreateParams = lpParam;
  if (!PreCreateWindow(cs)) {
    PostNcDestroy();
    return FALSE;
  }
  if (cs.lpszClass == nullptr) cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW),
                                                                  reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));

  HWND hWnd = nullptr;
  bool hookMissed;
  {
    fw::detail::WindowCreationHook hook(this, cs.hwndParent, cs.lpCreateParams, cs.lpszClass, false);
    if (!hook.Installed()) {
      PostNcDestroy();
      return FALSE;
    }
    hWnd = ::CreateWindowExW(cs.dwExStyle, cs.lpszClass, cs.lpszName, static_cast<DWORD>(cs.style), cs.x, cs.y, cs.cx,
                             cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
    hookMissed = !hook.Bound();
  }
  if (hWnd == nullptr) {
    // When the object was bound, its destruction already ran PostNcDestroy.
    if (hookMissed) PostNcDestroy();
    return FALSE;
  }
  if (hookMissed) {
    // Not seen by the hook (should not happen): bind it now.
    if (!SubclassWindow(hWnd)) {
      ::DestroyWindow(hWnd);
      return FALSE;
    }
  }
  return TRUE;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                    CWnd* pParentWnd, UINT nID, LPVOID lpParam) {
  return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top, rect.right - rect.left,
                  rect.bottom - rect.top, pParentWnd ? pParentWnd->GetSafeHwnd() : nullptr,
                  reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), lpParam);
}

BOOL CWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                  UINT nID, CCreateContext* pContext) {
  // Create makes child windows; pop-ups use CreateEx.
  return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect, pParentWnd, nID, pContext);
}

BOOL CWnd::SubclassWindow(HWND hWnd) {
  if (hWnd == nullptr || !::IsWindow(hWnd)) return FALSE;
  if (!Attach(hWnd)) return FALSE;
  PreSubclassWindow();
  WNDPROC* super = GetSuperWndProcAddr();
  auto old = reinterpret_cast<WNDPROC>(::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
  if (old == nullptr) {
    Detach();
    return FALSE;
  }
  if (old != &AfxWndProc) {
    *super = old;
    ::SetPropW(hWnd, kSuperProcProp, reinterpret_cast<HANDLE>(reinterpret_cast<LONG_PTR>(old)));
  }
  return TRUE;
}

HWND CWnd::UnsubclassWindow() {
  if (m_hWnd == nullptr) return nullptr;
  WNDPROC* super = GetSuperWndProcAddr();
  if (*super != nullptr) {
    ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(*super));
    ::RemovePropW(m_hWnd, kSuperProcProp);
    *super = nullptr;
  }
  return Detach();
}

void CWnd::NcDestroyCleanup(HWND hWnd) {
  if (CWinThread* thread = AfxGetThread()) {
    if (thread->m_pMainWnd == this) {
      // The main window is gone: end the thread's message loop.
      ::PostQuitMessage(0);
      thread->m_pMainWnd = nullptr;
    }
    if (thread->m_pActiveWnd == this) thread->m_pActiveWnd = nullptr;
  }
  WNDPROC* super = GetSuperWndProcAddr();
  if (*super != nullptr &&
      reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(hWnd, GWLP_WNDPROC)) == &AfxWndProc)
    ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(*super));
  *super = nullptr;
  ::RemovePropW(hWnd, kSuperProcProp);
  Detach();
  m_nFwFlags = 0;
  PostNcDestroy();
}

// Window classes.

namespace {

std::mutex& ClassLock() {
  static std::mutex m;
  return m;
}

std::set<std::wstring>& ClassNames() {
  static std::set<std::wstring> names;
  return names;
}

}  // namespace

LPCTSTR AFXAPI AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon) {
  HINSTANCE hInst = AfxGetInstanceHandle();
  wchar_t name[128];
  std::swprintf(name, 128, L"FwWnd:%p:%x:%p:%p:%p", static_cast<void*>(hInst), nClassStyle, static_cast<void*>(hCursor),
                static_cast<void*>(hbrBackground), static_cast<void*>(hIcon));
  std::lock_guard<std::mutex> lock(ClassLock());
  auto it = ClassNames().find(name);
  if (it != ClassNames().end()) return it->c_str();
  WNDCLASSW wc = {};
  if (!::GetClassInfoW(hInst, name, &wc)) {
    wc.style = nClassStyle;
    wc.lpfnWndProc = &AfxWndProc;
    wc.hInstance = hInst;
    wc.hCursor = hCursor;
    wc.hbrBackground = hbrBackground;
    wc.hIcon = hIcon;
    wc.lpszClassName = name;
    if (!::RegisterClassW(&wc)) AfxThrowResourceException();
  }
  return ClassNames().insert(name).first->c_str();
}

BOOL AFXAPI AfxRegisterClass(WNDCLASS* lpWndClass) {
  if (lpWndClass == nullptr) return FALSE;
  WNDCLASSW existing = {};
  if (::GetClassInfoW(lpWndClass->hInstance, lpWndClass->lpszClassName, &existing)) return TRUE;
  return ::RegisterClassW(lpWndClass) != 0;
}
