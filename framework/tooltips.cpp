// The framework's own tool tips: one tool-tip control per thread, fed with
// the tool under the mouse of every window that enabled tool tips.
#include <cstdlib>

#include "framework/ctrl_common.h"
#include "framework/frame.h"
#include "framework/fwinternal.h"
#include "framework/wnd.h"

using fw::detail::GetThreadState;

namespace {

bool IsMouseMove(UINT message) { return message == WM_MOUSEMOVE || message == WM_NCMOUSEMOVE; }

bool IsButtonDown(UINT message) {
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
      return true;
    default:
      return false;
  }
}

void ForgetLastTool(fw::detail::ThreadState& ts) {
  if (ts.hWndLastHit != nullptr && ts.pToolTip != nullptr && ts.pToolTip->m_hWnd != nullptr) {
    ts.pToolTip->SendMessage(TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&ts.lastTool));
  }
  ts.hWndLastHit = nullptr;
  ts.nLastHit = -1;
  ts.lastTool = {};
}

// The thread's tool-tip control, owned by hWndOwner's top-level window; made
// again when another top-level window asks.
CToolTipCtrl* ToolTipFor(HWND hWndTop) {
  auto& ts = GetThreadState();
  auto* tip = static_cast<CToolTipCtrl*>(ts.pToolTip);
  if (tip != nullptr && tip->m_hWnd != nullptr && ::GetWindow(tip->m_hWnd, GW_OWNER) == hWndTop) return tip;
  ForgetLastTool(ts);
  if (tip != nullptr) {
    if (tip->m_hWnd != nullptr) tip->DestroyWindow();
    delete tip;
    ts.pToolTip = nullptr;
  }
  tip = new CToolTipCtrl;
  if (!tip->Create(CWnd::FromHandle(hWndTop), TTS_ALWAYSTIP)) {
    delete tip;
    return nullptr;
  }
  tip->SendMessage(TTM_SETMAXTIPWIDTH, 0, 300);
  tip->Activate(TRUE);
  ts.pToolTip = tip;
  return tip;
}

}  // namespace

BOOL CWnd::EnableToolTips(BOOL bEnable) {
  const BOOL was = IsToolTipsEnabled();
  if (bEnable) {
    m_nToolFlags |= kToolTipsOn;
  } else {
    m_nToolFlags &= ~kToolTipsOn;
    auto& ts = GetThreadState();
    if (ts.hWndLastHit != nullptr && (ts.hWndLastHit == m_hWnd || ::IsChild(m_hWnd, ts.hWndLastHit)))
      CancelToolTips();
  }
  return was;
}

void AFXAPI CWnd::CancelToolTips(BOOL) {
  auto& ts = GetThreadState();
  if (ts.pToolTip != nullptr && ts.pToolTip->m_hWnd != nullptr) ts.pToolTip->SendMessage(TTM_POP);
  ForgetLastTool(ts);
}

void CWnd::FilterToolTipMessage(MSG* pMsg) {
  if (pMsg == nullptr || m_hWnd == nullptr) return;
  const UINT message = pMsg->message;
  if (message == WM_KEYDOWN || message == WM_SYSKEYDOWN || IsButtonDown(message)) {
    CancelToolTips(message == WM_KEYDOWN || message == WM_SYSKEYDOWN);
    return;
  }
  if (!IsMouseMove(message) && message != WM_LBUTTONUP && message != WM_RBUTTONUP && message != WM_MBUTTONUP) return;
  if (pMsg->hwnd != m_hWnd && !::IsChild(m_hWnd, pMsg->hwnd)) return;
  // No tips while a mouse button is held (a drag) or a menu is open.
  if (IsMouseMove(message) && (::GetKeyState(VK_LBUTTON) < 0 || ::GetKeyState(VK_RBUTTON) < 0)) return;

  HWND hWndTop = ::GetAncestor(m_hWnd, GA_ROOT);
  CToolTipCtrl* tip = ToolTipFor(hWndTop);
  if (tip == nullptr) return;
  auto& ts = GetThreadState();

  CPoint point = pMsg->pt;
  ::ScreenToClient(m_hWnd, &point);
  TOOLINFOW info = {};
  // The size every version of the control accepts.
  info.cbSize = TTTOOLINFOW_V2_SIZE;
  INT_PTR hit = OnToolHitTest(point, &info);
  if (hit != -1 && info.hwnd == nullptr) info.hwnd = m_hWnd;

  const bool sameTool = hit != -1 && ts.hWndLastHit == info.hwnd && ts.nLastHit == hit &&
                        ts.lastTool.uId == info.uId;
  if (!sameTool) {
    ForgetLastTool(ts);
    if (hit != -1) {
      info.uFlags |= TTF_TRANSPARENT;
      if (info.lpszText == nullptr) info.lpszText = LPSTR_TEXTCALLBACKW;
      if (tip->SendMessage(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info))) {
        ts.hWndLastHit = info.hwnd;
        ts.nLastHit = hit;
        ts.lastTool = info;
        ts.lastTool.lpszText = LPSTR_TEXTCALLBACKW;  // the control keeps its own copy
      }
    }
  }
  if (info.lpszText != nullptr && info.lpszText != LPSTR_TEXTCALLBACKW) std::free(info.lpszText);
  if (ts.hWndLastHit == nullptr) return;

  // The control tracks the mouse in the coordinates of the tool's window.
  MSG relay = *pMsg;
  HWND toolWnd = (ts.lastTool.uFlags & TTF_IDISHWND) ? reinterpret_cast<HWND>(ts.lastTool.uId) : ts.lastTool.hwnd;
  if (relay.hwnd != toolWnd && ::IsWindow(toolWnd)) {
    CPoint p = pMsg->pt;
    ::ScreenToClient(toolWnd, &p);
    relay.hwnd = toolWnd;
    relay.message = WM_MOUSEMOVE;
    relay.lParam = MAKELPARAM(p.x, p.y);
  }
  tip->RelayEvent(&relay);
}

INT_PTR CWnd::OnToolHitTest(CPoint point, TOOLINFO* pTI) const {
  HWND child = ::ChildWindowFromPointEx(m_hWnd, point, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
  if (child == nullptr || child == m_hWnd) return -1;
  const int id = ::GetDlgCtrlID(child);
  if (id == 0 || id == -1) return -1;
  if (pTI != nullptr) {
    pTI->hwnd = m_hWnd;
    pTI->lpszText = LPSTR_TEXTCALLBACKW;
    if (::IsWindowEnabled(child)) {
      pTI->uId = reinterpret_cast<UINT_PTR>(child);
      pTI->uFlags |= TTF_IDISHWND;
    } else {
      // The mouse over a disabled control is this window's (it gets no
      // mouse messages of its own): the tool is its rectangle here.
      pTI->uId = static_cast<UINT_PTR>(id);
      ::GetWindowRect(child, &pTI->rect);
      ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<LPPOINT>(&pTI->rect), 2);
    }
  }
  return id;
}

BOOL CWnd::IsFrameWnd() const { return FALSE; }

CScrollBar* CWnd::GetScrollBarCtrl(int) const { return nullptr; }

void CWnd::ActivateTopParent() {
  HWND active = ::GetForegroundWindow();
  if (active != nullptr && (active == m_hWnd || ::IsChild(active, m_hWnd))) return;
  HWND top = ::GetAncestor(m_hWnd, GA_ROOT);
  if (top != nullptr) ::SetActiveWindow(top);
}
