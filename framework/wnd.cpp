#include "framework/wnd.h"

#include <vector>

#include "framework/app.h"
#include "framework/frame.h"
#include "framework/fwinternal.h"

using fw::detail::GetThreadState;
using fw::detail::HandleKind;

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

const CWnd CWnd::wndTop(HWND_TOP);
const CWnd CWnd::wndBottom(HWND_BOTTOM);
const CWnd CWnd::wndTopMost(HWND_TOPMOST);
const CWnd CWnd::wndNoTopMost(HWND_NOTOPMOST);

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
  ON_WM_NCDESTROY()
  ON_WM_CTLCOLOR()
  ON_WM_DRAWITEM()
  ON_WM_MEASUREITEM()
  ON_WM_DELETEITEM()
  ON_WM_COMPAREITEM()
  ON_WM_CHARTOITEM()
  ON_WM_VKEYTOITEM()
  ON_WM_HSCROLL()
  ON_WM_VSCROLL()
  ON_WM_PARENTNOTIFY()
END_MESSAGE_MAP()

namespace {

constexpr UINT kNcDestroyDefaultDone = 0x1;

void ReleaseTemporaryWnd(CObject* object) {
  auto* wnd = static_cast<CWnd*>(object);
  wnd->m_hWnd = nullptr;
  delete wnd;
}

HWND ParentOrOwner(HWND hWnd) {
  if (hWnd == nullptr) return nullptr;
  return (::GetWindowLongPtrW(hWnd, GWL_STYLE) & WS_CHILD) ? ::GetParent(hWnd) : ::GetWindow(hWnd, GW_OWNER);
}

// Records the state a command-state handler sets, without touching any UI.
class CTestCmdUI : public CCmdUI {
 public:
  BOOL m_bEnabled = TRUE;
  void Enable(BOOL bOn) override {
    m_bEnabled = bOn;
    m_bEnableChanged = TRUE;
  }
  void SetCheck(int) override {}
  void SetRadio(BOOL) override {}
  void SetText(LPCTSTR) override {}
};

}  // namespace

CWnd::CWnd() = default;

CWnd::CWnd(HWND hWnd) : m_hWnd(hWnd) {}

CWnd::~CWnd() {
  if (m_hWnd != nullptr && FromHandlePermanent(m_hWnd) == this) DestroyWindow();
}

CWnd* AFXAPI CWnd::FromHandle(HWND hWnd) {
  if (hWnd == nullptr) return nullptr;
  if (CWnd* p = FromHandlePermanent(hWnd)) return p;
  if (CObject* p = fw::detail::TemporaryLookup(HandleKind::Wnd, hWnd)) return static_cast<CWnd*>(p);
  CWnd* wnd = new CWnd;
  wnd->m_hWnd = hWnd;
  fw::detail::TemporaryAdd(HandleKind::Wnd, hWnd, wnd, &ReleaseTemporaryWnd);
  return wnd;
}

CWnd* AFXAPI CWnd::FromHandlePermanent(HWND hWnd) {
  return static_cast<CWnd*>(fw::detail::PermanentLookup(HandleKind::Wnd, hWnd));
}

void AFXAPI CWnd::DeleteTempMap() { fw::detail::DeleteTemporaries(HandleKind::Wnd); }

BOOL CWnd::Attach(HWND hWndNew) {
  if (hWndNew == nullptr || m_hWnd != nullptr) return FALSE;
  CWnd* owner = FromHandlePermanent(hWndNew);
  if (owner != nullptr && owner != this) return FALSE;  // one object per window
  m_hWnd = hWndNew;
  fw::detail::PermanentAdd(HandleKind::Wnd, hWndNew, this);
  return TRUE;
}

HWND CWnd::Detach() {
  HWND h = m_hWnd;
  if (h != nullptr) fw::detail::PermanentRemove(HandleKind::Wnd, h, this);
  m_hWnd = nullptr;
  return h;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent) {
  if (pParent == nullptr || pParent->m_hWnd == nullptr) return FALSE;
  HWND hWndControl = ::GetDlgItem(pParent->m_hWnd, static_cast<int>(nID));
  return hWndControl ? SubclassWindow(hWndControl) : FALSE;
}

BOOL CWnd::DestroyWindow() {
  if (m_hWnd == nullptr) return FALSE;
  HWND h = m_hWnd;
  const bool permanent = FromHandlePermanent(h) == this;
  BOOL result = ::DestroyWindow(h);
  // A permanent object was detached (and may be deleted) by the destruction.
  if (!permanent) m_hWnd = nullptr;
  return result;
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT&) { return TRUE; }

void CWnd::PreSubclassWindow() {}

void CWnd::PostNcDestroy() {}

BOOL CWnd::PreTranslateMessage(MSG* pMsg) {
  if (IsToolTipsEnabled()) FilterToolTipMessage(pMsg);
  return FALSE;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT lResult = 0;
  if (!OnWndMsg(message, wParam, lParam, &lResult)) lResult = DefWindowProc(message, wParam, lParam);
  return lResult;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  WNDPROC super = *GetSuperWndProcAddr();
  if (super != nullptr) return ::CallWindowProcW(super, m_hWnd, message, wParam, lParam);
  return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
}

WNDPROC* CWnd::GetSuperWndProcAddr() { return &m_pfnSuper; }

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  if (message == WM_COMMAND) {
    if (!OnCommand(wParam, lParam)) return FALSE;
    *pResult = 0;
    return TRUE;
  }
  if (message == WM_NOTIFY) {
    if (lParam == 0) return FALSE;
    LRESULT r = 0;
    if (!OnNotify(wParam, lParam, &r)) return FALSE;
    *pResult = r;
    return TRUE;
  }
  UINT lookup = message;
  if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) lookup = WM_CTLCOLOR;
  AfxMsgCall call = {message, wParam, lParam, 0, 0, nullptr, 0};
  if (!DispatchMapMessage(lookup, call)) return FALSE;
  *pResult = call.lResult;
  return TRUE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
  UINT nID = LOWORD(wParam);
  HWND hWndCtrl = reinterpret_cast<HWND>(lParam);
  int nCode = HIWORD(wParam);
  if (hWndCtrl == nullptr) {
    // Menu or accelerator: a command its state handler disables is not run.
    if (nID == 0) return FALSE;
    CTestCmdUI state;
    state.m_nID = nID;
    OnCmdMsg(nID, static_cast<int>(CN_UPDATE_COMMAND_UI), &state, nullptr);
    if (!state.m_bEnabled) return TRUE;
    nCode = CN_COMMAND;
  } else {
    // Notifications caused by UpdateData writing the controls are not news.
    if (GetThreadState().hLockoutNotifyWindow == m_hWnd) return TRUE;
    if (hWndCtrl != m_hWnd) {
      CWnd* child = FromHandlePermanent(hWndCtrl);
      if (child != nullptr && child->OnChildNotify(WM_COMMAND, wParam, lParam, nullptr)) return TRUE;
    }
    if (nID == 0) return FALSE;
  }
  return OnCmdMsg(nID, nCode, nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  auto* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
  if (pNMHDR == nullptr) return FALSE;
  HWND hWndCtrl = pNMHDR->hwndFrom;
  if (hWndCtrl != nullptr && hWndCtrl != m_hWnd) {
    CWnd* child = FromHandlePermanent(hWndCtrl);
    if (child != nullptr && child->OnChildNotify(WM_NOTIFY, wParam, lParam, pResult)) return TRUE;
  }
  AFX_NOTIFY notify = {pResult, pNMHDR};
  if (OnCmdMsg(static_cast<UINT>(pNMHDR->idFrom), static_cast<int>(MAKELONG(pNMHDR->code, WM_NOTIFY)), &notify,
               nullptr))
    return TRUE;
  // A tool that this window did not describe gets its text from the frame.
  if ((pNMHDR->code == TTN_GETDISPINFOW || pNMHDR->code == TTN_GETDISPINFOA) && !IsFrameWnd()) {
    if (CFrameWnd* frame = GetParentFrame()) {
      *pResult = frame->SendMessage(WM_NOTIFY, wParam, lParam);
      return TRUE;
    }
  }
  return FALSE;
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  return ReflectChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  switch (message) {
    case WM_COMMAND: {
      int code = HIWORD(wParam);
      if (!OnCmdMsg(0, static_cast<int>(MAKELONG(code, WM_REFLECT_BASE + WM_COMMAND)), nullptr, nullptr)) return FALSE;
      if (pResult) *pResult = 0;
      return TRUE;
    }
    case WM_NOTIFY: {
      auto* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
      if (pNMHDR == nullptr) return FALSE;
      LRESULT local = 0;
      AFX_NOTIFY notify = {pResult ? pResult : &local, pNMHDR};
      return OnCmdMsg(0, static_cast<int>(MAKELONG(pNMHDR->code, WM_REFLECT_BASE + WM_NOTIFY)), &notify, nullptr);
    }
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: {
      // A control that answers with no brush leaves the colours to its parent.
      AfxMsgCall call = {message, wParam, lParam, 0, 0, nullptr, 0};
      if (!DispatchMapMessage(WM_REFLECT_BASE + WM_CTLCOLOR, call) || call.lResult == 0) return FALSE;
      if (pResult) *pResult = call.lResult;
      return TRUE;
    }
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_COMPAREITEM:
    case WM_CHARTOITEM:
    case WM_VKEYTOITEM:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_PARENTNOTIFY: {
      AfxMsgCall call = {message, wParam, lParam, 0, 0, nullptr, 0};
      if (!DispatchMapMessage(WM_REFLECT_BASE + message, call)) return FALSE;
      if (pResult) *pResult = call.lResult;
      return TRUE;
    }
    default:
      return FALSE;
  }
}

BOOL AFXAPI CWnd::ReflectLastMsg(HWND hWndChild, LRESULT* pResult) {
  CWnd* child = FromHandlePermanent(hWndChild);
  if (child == nullptr) return FALSE;
  return child->SendChildNotifyLastMsg(pResult);
}

BOOL CWnd::SendChildNotifyLastMsg(LRESULT* pResult) {
  const MSG& m = GetThreadState().lastSent;
  return OnChildNotify(m.message, m.wParam, m.lParam, pResult);
}

LRESULT CWnd::Default() {
  const MSG m = GetThreadState().lastSent;
  if (m.message == WM_NCDESTROY) m_nFwFlags |= kNcDestroyDefaultDone;
  LRESULT r = DefWindowProc(m.message, m.wParam, m.lParam);
  fw::detail::DefaultResultSlot() = r;
  return r;
}

const MSG* AFXAPI CWnd::GetCurrentMessage() { return &GetThreadState().lastSent; }

BOOL AFXAPI CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg) {
  for (HWND hWnd = pMsg->hwnd; hWnd != nullptr; hWnd = ::GetParent(hWnd)) {
    CWnd* pWnd = FromHandlePermanent(hWnd);
    if (pWnd != nullptr && pWnd->PreTranslateMessage(pMsg)) return TRUE;
    if (hWnd == hWndStop) break;
  }
  return FALSE;
}

void CWnd::DoDataExchange(CDataExchange*) {}

void CWnd::CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType) {
  DWORD exStyle = GetExStyle();
  if (nAdjustType == adjustBorder) exStyle &= ~WS_EX_CLIENTEDGE;
  ::AdjustWindowRectEx(lpClientRect, GetStyle(), FALSE, exStyle);
}

namespace {

void SendToDescendants(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep, BOOL bOnlyPerm) {
  for (HWND child = ::GetTopWindow(hWnd); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT)) {
    if (bOnlyPerm) {
      if (CWnd* p = CWnd::FromHandlePermanent(child)) AfxCallWndProc(p, child, message, wParam, lParam);
    } else {
      ::SendMessageW(child, message, wParam, lParam);
    }
    if (bDeep && ::GetTopWindow(child) != nullptr) SendToDescendants(child, message, wParam, lParam, bDeep, bOnlyPerm);
  }
}

}  // namespace

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep, BOOL bOnlyPerm) {
  SendToDescendants(m_hWnd, message, wParam, lParam, bDeep, bOnlyPerm);
}

BOOL AFXAPI CWnd::ModifyStyle(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
  DWORD style = static_cast<DWORD>(::GetWindowLongPtrW(hWnd, GWL_STYLE));
  DWORD newStyle = (style & ~dwRemove) | dwAdd;
  if (style == newStyle) return FALSE;
  ::SetWindowLongPtrW(hWnd, GWL_STYLE, static_cast<LONG_PTR>(newStyle));
  if (nFlags != 0)
    ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
  return TRUE;
}

BOOL AFXAPI CWnd::ModifyStyleEx(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
  DWORD style = static_cast<DWORD>(::GetWindowLongPtrW(hWnd, GWL_EXSTYLE));
  DWORD newStyle = (style & ~dwRemove) | dwAdd;
  if (style == newStyle) return FALSE;
  ::SetWindowLongPtrW(hWnd, GWL_EXSTYLE, static_cast<LONG_PTR>(newStyle));
  if (nFlags != 0)
    ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
  return TRUE;
}

void CWnd::GetWindowText(CString& rString) const {
  int n = ::GetWindowTextLengthW(m_hWnd);
  std::vector<wchar_t> text(static_cast<std::size_t>(n) + 2, 0);
  n = ::GetWindowTextW(m_hWnd, text.data(), n + 1);
  rString = CString(text.data(), n);
}

int CWnd::GetDlgItemText(int nID, CString& rString) const {
  HWND h = ::GetDlgItem(m_hWnd, nID);
  if (h == nullptr) {
    rString.Empty();
    return 0;
  }
  CWnd* item = FromHandle(h);
  item->GetWindowText(rString);
  return rString.GetLength();
}

void CWnd::SetFont(CFont* pFont, BOOL bRedraw) {
  SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(pFont ? pFont->m_hObject : nullptr), bRedraw);
}

CFont* CWnd::GetFont() const { return CFont::FromHandle(reinterpret_cast<HFONT>(SendMessage(WM_GETFONT))); }

HICON CWnd::SetIcon(HICON hIcon, BOOL bBigIcon) {
  return reinterpret_cast<HICON>(SendMessage(WM_SETICON, bBigIcon ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(hIcon)));
}

HICON CWnd::GetIcon(BOOL bBigIcon) const {
  return reinterpret_cast<HICON>(SendMessage(WM_GETICON, bBigIcon ? ICON_BIG : ICON_SMALL));
}

void CWnd::ClientToScreen(LPRECT lpRect) const {
  ::ClientToScreen(m_hWnd, reinterpret_cast<LPPOINT>(lpRect));
  ::ClientToScreen(m_hWnd, reinterpret_cast<LPPOINT>(lpRect) + 1);
}

void CWnd::ScreenToClient(LPRECT lpRect) const {
  ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(lpRect));
  ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(lpRect) + 1);
}

void CWnd::CenterWindow(CWnd* pAlternateOwner) {
  DWORD style = GetStyle();
  HWND hWndCenter = pAlternateOwner ? pAlternateOwner->m_hWnd : nullptr;
  RECT area, center;
  if (style & WS_CHILD) {
    HWND parent = ::GetParent(m_hWnd);
    ::GetClientRect(parent, &area);
    center = area;
    if (hWndCenter != nullptr) {
      ::GetWindowRect(hWndCenter, &center);
      ::MapWindowPoints(nullptr, parent, reinterpret_cast<LPPOINT>(&center), 2);
    }
  } else {
    if (hWndCenter == nullptr) {
      hWndCenter = ::GetWindow(m_hWnd, GW_OWNER);
      if (hWndCenter == nullptr) {
        CWnd* main = AfxGetMainWnd();
        if (main != nullptr && main->m_hWnd != m_hWnd) hWndCenter = main->m_hWnd;
      }
    }
    if (hWndCenter != nullptr) {
      DWORD centerStyle = static_cast<DWORD>(::GetWindowLongPtrW(hWndCenter, GWL_STYLE));
      if (!(centerStyle & WS_VISIBLE) || (centerStyle & WS_MINIMIZE)) hWndCenter = nullptr;
    }
    MONITORINFO mi = {};
    mi.cbSize = sizeof mi;
    ::GetMonitorInfoW(::MonitorFromWindow(hWndCenter ? hWndCenter : m_hWnd, MONITOR_DEFAULTTONEAREST), &mi);
    area = mi.rcWork;
    if (hWndCenter != nullptr) ::GetWindowRect(hWndCenter, &center);
    else center = area;
  }
  RECT self;
  ::GetWindowRect(m_hWnd, &self);
  int w = self.right - self.left;
  int h = self.bottom - self.top;
  int x = (center.left + center.right) / 2 - w / 2;
  int y = (center.top + center.bottom) / 2 - h / 2;
  if (x + w > area.right) x = area.right - w;
  if (x < area.left) x = area.left;
  if (y + h > area.bottom) y = area.bottom - h;
  if (y < area.top) y = area.top;
  ::SetWindowPos(m_hWnd, nullptr, x, y, -1, -1, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

CWnd* CWnd::GetOwner() const {
  if (m_hWndOwner != nullptr) return FromHandle(m_hWndOwner);
  return GetParent();
}

CWnd* CWnd::GetParentOwner() const { return FromHandle(ParentOrOwner(m_hWnd)); }

CWnd* CWnd::GetTopLevelParent() const {
  if (m_hWnd == nullptr) return nullptr;
  HWND top = m_hWnd;
  for (HWND next = ParentOrOwner(top); next != nullptr; next = ParentOrOwner(top)) top = next;
  return FromHandle(top);
}

CWnd* CWnd::GetTopLevelOwner() const {
  if (m_hWnd == nullptr) return nullptr;
  HWND top = m_hWnd;
  for (HWND next = ::GetWindow(top, GW_OWNER); next != nullptr; next = ::GetWindow(top, GW_OWNER)) top = next;
  return FromHandle(top);
}

HWND AFXAPI CWnd::GetSafeOwner_(HWND hParent, HWND* pWndTop) {
  HWND hWnd = hParent;
  if (hWnd == nullptr) {
    CWnd* main = AfxGetMainWnd();
    hWnd = main ? main->GetSafeHwnd() : nullptr;
  }
  // A pop-up cannot be owned by a child window.
  while (hWnd != nullptr && (::GetWindowLongPtrW(hWnd, GWL_STYLE) & WS_CHILD)) hWnd = ::GetParent(hWnd);
  if (pWndTop) *pWndTop = hWnd;
  if (hWnd != nullptr) hWnd = ::GetLastActivePopup(hWnd);
  return hWnd;
}

CWnd* AFXAPI CWnd::GetSafeOwner(CWnd* pParent, HWND* pWndTop) {
  return FromHandle(GetSafeOwner_(pParent ? pParent->GetSafeHwnd() : nullptr, pWndTop));
}

namespace {

HWND FindDescendant(HWND hWnd, int nID, BOOL bOnlyPerm) {
  for (HWND child = ::GetTopWindow(hWnd); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT)) {
    if (::GetDlgCtrlID(child) == nID && (!bOnlyPerm || CWnd::FromHandlePermanent(child))) return child;
  }
  for (HWND child = ::GetTopWindow(hWnd); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT)) {
    if (HWND found = FindDescendant(child, nID, bOnlyPerm)) return found;
  }
  return nullptr;
}

}  // namespace

CWnd* CWnd::GetDescendantWindow(int nID, BOOL bOnlyPerm) const {
  return FromHandle(FindDescendant(m_hWnd, nID, bOnlyPerm));
}

int CWnd::GetCheckedRadioButton(int nIDFirstButton, int nIDLastButton) const {
  for (int id = nIDFirstButton; id <= nIDLastButton; ++id)
    if (::IsDlgButtonChecked(m_hWnd, id) == BST_CHECKED) return id;
  return 0;
}

void CWnd::UpdateDialogControls(CCmdTarget* pTarget, BOOL bDisableIfNoHndler) {
  if (pTarget == nullptr) return;
  std::vector<HWND> children;
  for (HWND child = ::GetTopWindow(m_hWnd); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT))
    children.push_back(child);
  for (HWND child : children) {
    int id = ::GetDlgCtrlID(child);
    if (id == 0 || id == -1 || id == 0xFFFF || !::IsWindow(child)) continue;
    CCmdUI state;
    state.m_nID = static_cast<UINT>(id);
    state.m_pOther = FromHandle(child);
    // Only push buttons are disabled for lack of a handler.
    LRESULT code = ::SendMessageW(child, WM_GETDLGCODE, 0, 0);
    BOOL isPushButton = (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0;
    state.DoUpdate(pTarget, bDisableIfNoHndler && isPushButton);
  }
}

BOOL CWnd::GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask) {
  if (lpScrollInfo == nullptr) return FALSE;
  lpScrollInfo->cbSize = sizeof(SCROLLINFO);
  lpScrollInfo->fMask = nMask;
  return ::GetScrollInfo(m_hWnd, nBar, lpScrollInfo);
}

BOOL CWnd::SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL bRedraw) {
  if (lpScrollInfo == nullptr) return FALSE;
  lpScrollInfo->cbSize = sizeof(SCROLLINFO);
  ::SetScrollInfo(m_hWnd, nBar, lpScrollInfo, bRedraw);
  return TRUE;
}

int CWnd::GetScrollLimit(int nBar) {
  SCROLLINFO info = {};
  if (!GetScrollInfo(nBar, &info, SIF_RANGE | SIF_PAGE)) return 0;
  int page = info.nPage > 0 ? static_cast<int>(info.nPage) - 1 : 0;
  return info.nMax - page;
}

int CWnd::MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType) {
  if (lpszCaption == nullptr) lpszCaption = AfxGetAppName();
  return ::MessageBoxW(GetSafeHwnd(), lpszText, lpszCaption, nType);
}

// Default handlers that reflect to the control before the default processing.

void CWnd::OnNcDestroy() {
  HWND h = m_hWnd;
  Default();
  NcDestroyCleanup(h);
}

HBRUSH CWnd::OnCtlColor(CDC*, CWnd* pWnd, UINT) {
  LRESULT r = 0;
  if (pWnd != nullptr && pWnd->m_hWnd != m_hWnd && ReflectLastMsg(pWnd->m_hWnd, &r)) return reinterpret_cast<HBRUSH>(r);
  return reinterpret_cast<HBRUSH>(Default());
}

void CWnd::OnDrawItem(int, LPDRAWITEMSTRUCT lpDrawItemStruct) {
  if (lpDrawItemStruct != nullptr) {
    if (lpDrawItemStruct->CtlType == ODT_MENU) {
      CObject* menu = fw::detail::PermanentLookup(HandleKind::Menu, lpDrawItemStruct->hwndItem);
      if (menu != nullptr) {
        static_cast<CMenu*>(menu)->DrawItem(lpDrawItemStruct);
        fw::detail::DefaultResultSlot() = TRUE;
        return;
      }
    } else if (ReflectLastMsg(lpDrawItemStruct->hwndItem)) {
      fw::detail::DefaultResultSlot() = TRUE;
      return;
    }
  }
  Default();
}

void CWnd::OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct) {
  if (lpMeasureItemStruct != nullptr && lpMeasureItemStruct->CtlType != ODT_MENU) {
    HWND control = ::GetDlgItem(m_hWnd, nIDCtl);
    if (control != nullptr && ReflectLastMsg(control)) {
      fw::detail::DefaultResultSlot() = TRUE;
      return;
    }
  }
  Default();
}

void CWnd::OnDeleteItem(int, LPDELETEITEMSTRUCT lpDeleteItemStruct) {
  if (lpDeleteItemStruct != nullptr && ReflectLastMsg(lpDeleteItemStruct->hwndItem)) {
    fw::detail::DefaultResultSlot() = TRUE;
    return;
  }
  Default();
}

int CWnd::OnCompareItem(int, LPCOMPAREITEMSTRUCT lpCompareItemStruct) {
  LRESULT r = 0;
  if (lpCompareItemStruct != nullptr && ReflectLastMsg(lpCompareItemStruct->hwndItem, &r)) return static_cast<int>(r);
  return static_cast<int>(Default());
}

int CWnd::OnCharToItem(UINT, CListBox* pListBox, UINT) {
  LRESULT r = 0;
  auto* list = reinterpret_cast<CWnd*>(pListBox);
  if (list != nullptr && ReflectLastMsg(list->m_hWnd, &r)) return static_cast<int>(r);
  return static_cast<int>(Default());
}

int CWnd::OnVKeyToItem(UINT, CListBox* pListBox, UINT) {
  LRESULT r = 0;
  auto* list = reinterpret_cast<CWnd*>(pListBox);
  if (list != nullptr && ReflectLastMsg(list->m_hWnd, &r)) return static_cast<int>(r);
  return static_cast<int>(Default());
}

void CWnd::OnHScroll(UINT, UINT, CScrollBar* pScrollBar) {
  auto* bar = reinterpret_cast<CWnd*>(pScrollBar);
  if (bar != nullptr && ReflectLastMsg(bar->m_hWnd)) return;
  Default();
}

void CWnd::OnVScroll(UINT, UINT, CScrollBar* pScrollBar) {
  auto* bar = reinterpret_cast<CWnd*>(pScrollBar);
  if (bar != nullptr && ReflectLastMsg(bar->m_hWnd)) return;
  Default();
}

void CWnd::OnParentNotify(UINT message, LPARAM lParam) {
  if ((LOWORD(message) == WM_CREATE || LOWORD(message) == WM_DESTROY) &&
      ReflectLastMsg(reinterpret_cast<HWND>(lParam)))
    return;
  Default();
}

// Wait cursor.

CWaitCursor::CWaitCursor() {
  if (CWinApp* app = AfxGetApp()) app->DoWaitCursor(1);
  else ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
}

CWaitCursor::~CWaitCursor() {
  if (CWinApp* app = AfxGetApp()) app->DoWaitCursor(-1);
  else ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
}

void CWaitCursor::Restore() {
  if (CWinApp* app = AfxGetApp()) app->DoWaitCursor(0);
}
