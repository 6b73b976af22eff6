// Internal state of the framework; not for application code.
#pragma once

#include "framework/fwdefs.h"

namespace fw::detail {

struct ModuleState {
  HINSTANCE hInstance = nullptr;
  HINSTANCE hResource = nullptr;
  CWinApp* pApp = nullptr;
};
ModuleState& GetModuleState();

enum class HandleKind { Wnd, DC, Gdi, Menu, ImageList, Count };

struct ThreadState {
  CWinThread* pThread = nullptr;
  // The message being handled, for CWnd::Default and GetCurrentMessage.
  MSG lastSent = {};
  // Window creation hook.
  CWnd* pWndInit = nullptr;
  HWND hWndInitParent = nullptr;
  LPVOID lpInitParams = nullptr;
  LPCWSTR lpszInitClass = nullptr;
  bool bInitMatchAny = false;
  HHOOK hCbtHook = nullptr;
  // Message loop.
  MSG msgCur = {};
  POINT ptCursorLast = {-1, -1};
  UINT nMsgLast = 0;
  // The window whose control notifications are ignored during UpdateData.
  HWND hLockoutNotifyWindow = nullptr;
  // Tool tips: the thread's tool-tip control (owned; made on first use) and
  // the tool under the mouse (hWndLastHit null when none).
  CWnd* pToolTip = nullptr;
  HWND hWndLastHit = nullptr;
  INT_PTR nLastHit = -1;
  TOOLINFOW lastTool = {};
};

// The calling thread's state, created on first use.
ThreadState& GetThreadState();
// Frees the calling thread's state and its temporary objects (thread exit).
void FreeThreadState();

// Permanent handle maps, shared by every thread.
void PermanentAdd(HandleKind kind, void* handle, CObject* object);
void PermanentRemove(HandleKind kind, void* handle, CObject* object);
CObject* PermanentLookup(HandleKind kind, void* handle);

// Temporary wrappers, per thread, deleted at idle time. The release function
// detaches the handle from the wrapper and deletes the wrapper.
using ReleaseTemporary = void (*)(CObject* object);
CObject* TemporaryLookup(HandleKind kind, void* handle);
void TemporaryAdd(HandleKind kind, void* handle, CObject* object, ReleaseTemporary release);
void DeleteTemporaries(HandleKind kind);
void DeleteAllTemporaries();

// Binds the next window the calling thread creates to an object, before the
// window's first message (subclassing it with the framework's procedure).
// The window must have the given parent, creation parameter and class, or,
// with matchAny, be the first window created (dialogs, which the system
// creates from a template). Scopes nest; the destructor restores the outer one.
class WindowCreationHook {
 public:
  WindowCreationHook(CWnd* pWnd, HWND hWndParent, LPVOID lpParams, LPCWSTR lpszClass, bool matchAny);
  ~WindowCreationHook();
  WindowCreationHook(const WindowCreationHook&) = delete;
  WindowCreationHook& operator=(const WindowCreationHook&) = delete;
  bool Installed() const { return m_installedOk; }
  // True once the window was bound to the object.
  bool Bound() const;

 private:
  CWnd* m_pWnd;
  CWnd* m_savedWnd;
  HWND m_savedParent;
  LPVOID m_savedParams;
  LPCWSTR m_savedClass;
  bool m_savedMatchAny;
  bool m_installedHere = false;
  bool m_installedOk = true;
};

// Reports an exception caught at a system boundary (window procedure, hook,
// thread entry) where it must not travel further.
void ReportBoundaryException(CException* e, const MSG* pMsg);
void ReportBoundaryException(const char* what, const MSG* pMsg);

}  // namespace fw::detail
