#include "framework/controlbar.h"

#include <algorithm>

#include "framework/dockbar.h"
#include "framework/dockcontext.h"
#include "framework/frame.h"

IMPLEMENT_DYNAMIC(CControlBar, CWnd)

namespace {

// Checks whether the mouse has left a fly-by bar, to put the idle text back.
constexpr UINT_PTR kFlyByTimer = 0xE001;
constexpr UINT kFlyByCheckMs = 200;

}  // namespace

BEGIN_MESSAGE_MAP(CControlBar, CWnd)
  ON_WM_CREATE()
  ON_WM_DESTROY()
  ON_WM_PAINT()
  ON_WM_TIMER()
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONDBLCLK()
  ON_MESSAGE(WM_SIZEPARENT, &CControlBar::OnSizeParent)
  ON_MESSAGE(WM_IDLEUPDATECMDUI, &CControlBar::OnIdleUpdateCmdUI)
  ON_MESSAGE(WM_HELPHITTEST, &CControlBar::OnHelpHitTest)
END_MESSAGE_MAP()

CControlBar::CControlBar() = default;

CControlBar::~CControlBar() {
  if (m_pDockSite != nullptr) m_pDockSite->RemoveControlBar(this);
  m_pDockSite = nullptr;
  delete m_pDockContext;
  m_pDockContext = nullptr;
  if (m_hWnd != nullptr) DestroyWindow();
}

void CControlBar::SetBarStyle(DWORD dwStyle) {
  const DWORD old = m_dwStyle;
  m_dwStyle = dwStyle & CBRS_ALL;
  if (m_hWnd == nullptr) return;
  EnableToolTips((m_dwStyle & CBRS_TOOLTIPS) != 0);
  if ((old ^ m_dwStyle) & (CBRS_BORDER_ANY | CBRS_GRIPPER | CBRS_ALIGN_ANY)) Invalidate();
}

void CControlBar::EnableDocking(DWORD dwDockStyle) {
  m_dwDockStyle = dwDockStyle;
  if (m_pDockContext == nullptr) m_pDockContext = new CDockContext(this);
  // Floating bars still send their commands to the frame they came from.
  if (m_hWndOwner == nullptr && m_hWnd != nullptr) m_hWndOwner = ::GetParent(m_hWnd);
}

BOOL CControlBar::IsFloating() const {
  if (IsDockBar()) return static_cast<const CDockBar*>(this)->m_bFloating;
  return m_pDockBar != nullptr && m_pDockBar->m_bFloating;
}

CFrameWnd* CControlBar::GetDockingFrame() const {
  CFrameWnd* frame = GetParentFrame();
  return frame != nullptr ? frame : m_pDockSite;
}

BOOL CControlBar::IsVisible() const {
  if (m_nStateFlags & delayHide) return FALSE;
  if (m_nStateFlags & delayShow) return TRUE;
  return m_hWnd != nullptr && (GetStyle() & WS_VISIBLE) != 0;
}

void CControlBar::DelayShow(BOOL bShow) {
  m_nStateFlags &= ~(delayHide | delayShow);
  const bool visible = m_hWnd != nullptr && (GetStyle() & WS_VISIBLE) != 0;
  if (bShow && !visible) m_nStateFlags |= delayShow;
  else if (!bShow && visible) m_nStateFlags |= delayHide;
}

DWORD CControlBar::RecalcDelayShow(AFX_SIZEPARENTPARAMS* lpLayout) {
  DWORD visible = (m_hWnd != nullptr) ? (GetStyle() & WS_VISIBLE) : 0;
  if (m_nStateFlags & (delayHide | delayShow)) {
    const bool show = (m_nStateFlags & delayShow) != 0;
    const UINT flags = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | (show ? SWP_SHOWWINDOW : SWP_HIDEWINDOW);
    if (lpLayout == nullptr) {
      ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, flags);
      m_nStateFlags &= ~(delayHide | delayShow);
    } else if (lpLayout->hDWP != nullptr) {
      lpLayout->hDWP = ::DeferWindowPos(lpLayout->hDWP, m_hWnd, nullptr, 0, 0, 0, 0, flags);
      m_nStateFlags &= ~(delayHide | delayShow);
    }
    // A measuring layout sees the bar as it will be.
    visible = show ? WS_VISIBLE : 0;
  }
  return (m_dwStyle & CBRS_ALL) | visible;
}

CSize CControlBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
  return CSize(bStretch && bHorz ? 32767 : 0, bStretch && !bHorz ? 32767 : 0);
}

CSize CControlBar::CalcDynamicLayout(int nLength, DWORD dwMode) {
  if (nLength == -1 && !(dwMode & (LM_MRUWIDTH | LM_COMMIT)) && (dwMode & (LM_HORZDOCK | LM_VERTDOCK)))
    return CalcFixedLayout((dwMode & LM_STRETCH) != 0, (dwMode & LM_HORZDOCK) != 0);
  return CalcFixedLayout((dwMode & LM_STRETCH) != 0, (dwMode & LM_HORZ) != 0);
}

void CControlBar::CalcInsideRect(CRect& rect, BOOL bHorz) const {
  const DWORD style = m_dwStyle;
  const int edge = 2;  // an etched border line
  if (style & CBRS_BORDER_LEFT) rect.left += edge;
  if (style & CBRS_BORDER_TOP) rect.top += edge;
  if (style & CBRS_BORDER_RIGHT) rect.right -= edge;
  if (style & CBRS_BORDER_BOTTOM) rect.bottom -= edge;
  const bool gripper = (style & (CBRS_GRIPPER | CBRS_FLOATING)) == CBRS_GRIPPER;
  if (bHorz) {
    rect.left += m_cxLeftBorder + (gripper ? kControlBarGripper : 0);
    rect.right -= m_cxRightBorder;
    rect.top += m_cyTopBorder;
    rect.bottom -= m_cyBottomBorder;
  } else {
    rect.left += m_cyTopBorder;
    rect.right -= m_cyBottomBorder;
    rect.top += m_cxLeftBorder + (gripper ? kControlBarGripper : 0);
    rect.bottom -= m_cxRightBorder;
  }
}

void CControlBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) {
  // Child controls with ids are commands (a dialog-like bar).
  UpdateDialogControls(pTarget, bDisableIfNoHndler);
}

BOOL CControlBar::PreCreateWindow(CREATESTRUCT& cs) {
  if (cs.lpszClass == nullptr)
    cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, ::LoadCursorW(nullptr, IDC_ARROW),
                                       reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
  cs.style |= WS_CLIPSIBLINGS;
  return CWnd::PreCreateWindow(cs);
}

BOOL CControlBar::PreTranslateMessage(MSG* pMsg) {
  if (CWnd::PreTranslateMessage(pMsg)) return TRUE;
  if ((m_dwStyle & CBRS_FLYBY) && pMsg->message == WM_MOUSEMOVE &&
      (pMsg->hwnd == m_hWnd || ::IsChild(m_hWnd, pMsg->hwnd)) && ::GetKeyState(VK_LBUTTON) >= 0) {
    CPoint point = pMsg->pt;
    ScreenToClient(&point);
    INT_PTR hit = OnToolHitTest(point, nullptr);
    if (hit != -1) SetStatusText(hit);
    else if (m_nStateFlags & statusSet) ResetStatusText();
  }
  return FALSE;
}

void CControlBar::SetStatusText(INT_PTR nHit) {
  CFrameWnd* frame = m_pDockSite != nullptr ? m_pDockSite : GetTopLevelFrame();
  if (frame == nullptr || frame->m_hWnd == nullptr) return;
  if (!(m_nStateFlags & statusSet) || frame->m_nIDLastMessage != static_cast<UINT>(nHit))
    frame->SendMessage(WM_SETMESSAGESTRING, static_cast<WPARAM>(nHit));
  m_nStateFlags |= statusSet;
  SetTimer(kFlyByTimer, kFlyByCheckMs);
}

void CControlBar::ResetStatusText() {
  m_nStateFlags &= ~statusSet;
  if (m_hWnd != nullptr) KillTimer(kFlyByTimer);
  CFrameWnd* frame = m_pDockSite != nullptr ? m_pDockSite : GetTopLevelFrame();
  if (frame != nullptr && frame->m_hWnd != nullptr) frame->SendMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
}

BOOL CControlBar::DestroyWindow() {
  if (m_hWnd == nullptr) return TRUE;
  return CWnd::DestroyWindow();
}

void CControlBar::PostNcDestroy() {
  if (m_bAutoDelete) delete this;
}

LRESULT CControlBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM: {
      // The bar's own map first; what it leaves goes to the owner, which
      // handles the bar's buttons as its commands.
      LRESULT result = 0;
      if (OnWndMsg(message, wParam, lParam, &result)) return result;
      CWnd* owner = GetOwner();
      if (owner != nullptr && owner->m_hWnd != nullptr && owner->m_hWnd != m_hWnd)
        return owner->SendMessage(message, wParam, lParam);
      return DefWindowProc(message, wParam, lParam);
    }
    default:
      return CWnd::WindowProc(message, wParam, lParam);
  }
}

void CControlBar::DoPaint(CDC* pDC) {
  CRect rect;
  GetClientRect(&rect);
  DrawBorders(pDC, rect);
  DrawGripper(pDC, rect);
}

void CControlBar::DrawBorders(CDC* pDC, CRect& rect) {
  UINT sides = 0;
  if (m_dwStyle & CBRS_BORDER_LEFT) sides |= BF_LEFT;
  if (m_dwStyle & CBRS_BORDER_TOP) sides |= BF_TOP;
  if (m_dwStyle & CBRS_BORDER_RIGHT) sides |= BF_RIGHT;
  if (m_dwStyle & CBRS_BORDER_BOTTOM) sides |= BF_BOTTOM;
  if (sides == 0 || pDC == nullptr) return;
  ::DrawEdge(pDC->m_hDC, &rect, EDGE_ETCHED, sides | BF_ADJUST);
}

void CControlBar::DrawGripper(CDC* pDC, const CRect& rect) {
  if ((m_dwStyle & (CBRS_GRIPPER | CBRS_FLOATING)) != CBRS_GRIPPER || pDC == nullptr) return;
  const bool horz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0 || (m_dwStyle & CBRS_ALIGN_ANY) == 0;
  CRect grip;
  if (horz) grip.SetRect(rect.left + 3, rect.top + 3, rect.left + 6, rect.bottom - 3);
  else grip.SetRect(rect.left + 3, rect.top + 3, rect.right - 3, rect.top + 6);
  if (grip.Width() > 0 && grip.Height() > 0) ::DrawEdge(pDC->m_hDC, &grip, BDR_RAISEDINNER, BF_RECT);
}

int CControlBar::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  if (CWnd::OnCreate(lpCreateStruct) == -1) return -1;
  // A bar made in a frame belongs to that frame's bar list.
  CWnd* parent = CWnd::FromHandlePermanent(::GetParent(m_hWnd));
  if (m_pDockSite == nullptr && parent != nullptr && parent->IsFrameWnd()) {
    m_pDockSite = static_cast<CFrameWnd*>(parent);
    m_pDockSite->AddControlBar(this);
  }
  if (m_dwStyle & CBRS_TOOLTIPS) EnableToolTips(TRUE);
  return 0;
}

void CControlBar::OnDestroy() {
  if (m_nStateFlags & statusSet) KillTimer(kFlyByTimer);
  m_nStateFlags &= ~statusSet;
  // The dock bar forgets a bar whose window goes (no floating-frame clean-up:
  // the windows around may be going as well).
  if (m_pDockBar != nullptr) {
    m_pDockBar->RemoveEntry(this);
    m_pDockBar = nullptr;
  }
  CWnd::OnDestroy();
}

void CControlBar::OnPaint() {
  CPaintDC dc(this);
  DoPaint(&dc);
}

void CControlBar::OnTimer(UINT_PTR nIDEvent) {
  if (nIDEvent != kFlyByTimer) {
    CWnd::OnTimer(nIDEvent);
    return;
  }
  CPoint point;
  ::GetCursorPos(&point);
  HWND under = ::WindowFromPoint(point);
  if (under != m_hWnd && !::IsChild(m_hWnd, under)) ResetStatusText();
}

void CControlBar::OnLButtonDown(UINT nFlags, CPoint point) {
  if (m_pDockBar != nullptr && m_pDockContext != nullptr && OnToolHitTest(point, nullptr) == -1) {
    ClientToScreen(&point);
    m_pDockContext->StartDrag(point);
    return;
  }
  CWnd::OnLButtonDown(nFlags, point);
}

void CControlBar::OnLButtonDblClk(UINT nFlags, CPoint point) {
  if (m_pDockBar != nullptr && m_pDockContext != nullptr && OnToolHitTest(point, nullptr) == -1) {
    m_pDockContext->ToggleDocking();
    return;
  }
  CWnd::OnLButtonDblClk(nFlags, point);
}

LRESULT CControlBar::OnSizeParent(WPARAM, LPARAM lParam) {
  auto* layout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
  if (layout == nullptr) return 0;
  const DWORD style = RecalcDelayShow(layout);
  if (!(style & WS_VISIBLE) || !(style & CBRS_ALIGN_ANY)) return 0;

  CRect rect(layout->rect);
  const CSize avail(std::max(0, rect.Width()), std::max(0, rect.Height()));
  DWORD mode = layout->bStretch ? LM_STRETCH : 0;
  if ((m_dwStyle & CBRS_SIZE_DYNAMIC) && (m_dwStyle & CBRS_FLOATING)) mode |= LM_HORZ | LM_MRUWIDTH;
  else if (style & CBRS_ORIENT_HORZ) mode |= LM_HORZ | LM_HORZDOCK;
  else mode |= LM_VERTDOCK;
  CSize size = CalcDynamicLayout(-1, mode);
  size.cx = std::min(size.cx, avail.cx);
  size.cy = std::min(size.cy, avail.cy);

  if (style & CBRS_ORIENT_HORZ) {
    layout->sizeTotal.cy += size.cy;
    layout->sizeTotal.cx = std::max(layout->sizeTotal.cx, size.cx);
    if (style & CBRS_ALIGN_TOP) {
      layout->rect.top += size.cy;
    } else {
      rect.top = rect.bottom - size.cy;
      layout->rect.bottom -= size.cy;
    }
  } else {
    layout->sizeTotal.cx += size.cx;
    layout->sizeTotal.cy = std::max(layout->sizeTotal.cy, size.cy);
    if (style & CBRS_ALIGN_LEFT) {
      layout->rect.left += size.cx;
    } else {
      rect.left = rect.right - size.cx;
      layout->rect.right -= size.cx;
    }
  }
  rect.right = rect.left + size.cx;
  rect.bottom = rect.top + size.cy;
  if (layout->hDWP != nullptr) AfxRepositionWindow(layout, m_hWnd, &rect);
  return 0;
}

LRESULT CControlBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM) {
  if (GetStyle() & WS_VISIBLE) {
    CWnd* owner = GetOwner();
    CFrameWnd* target = (owner != nullptr && owner->IsFrameWnd()) ? static_cast<CFrameWnd*>(owner) : GetParentFrame();
    if (target != nullptr) OnUpdateCmdUI(target, static_cast<BOOL>(wParam));
  }
  return 0;
}

LRESULT CControlBar::OnHelpHitTest(WPARAM, LPARAM lParam) {
  CPoint point(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
  INT_PTR hit = OnToolHitTest(point, nullptr);
  if (hit != -1) return static_cast<LRESULT>(HID_BASE_COMMAND + hit);
  return static_cast<LRESULT>(HID_BASE_CONTROL + static_cast<UINT>(GetDlgCtrlID()));
}
