#include "framework/miniframe.h"

#include "framework/dockcontext.h"

IMPLEMENT_DYNCREATE(CMiniFrameWnd, CFrameWnd)
IMPLEMENT_DYNCREATE(CMiniDockFrameWnd, CMiniFrameWnd)

BEGIN_MESSAGE_MAP(CMiniFrameWnd, CFrameWnd)
  ON_MESSAGE(WM_FLOATSTATUS, &CMiniFrameWnd::OnFloatStatus)
  ON_WM_NCACTIVATE()
END_MESSAGE_MAP()

CMiniFrameWnd::CMiniFrameWnd() = default;

BOOL CMiniFrameWnd::Create(LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle, const RECT& rect,
                           CWnd* pParentWnd, UINT nID) {
  return CreateEx(0, lpClassName, lpWindowName, dwStyle, rect, pParentWnd, nID);
}

BOOL CMiniFrameWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle,
                             const RECT& rect, CWnd* pParentWnd, UINT) {
  if (lpWindowName != nullptr) m_strTitle = lpWindowName;
  m_bSyncActive = (dwStyle & MFS_SYNCACTIVE) != 0;
  if (dwStyle & MFS_THICKFRAME) dwStyle |= WS_THICKFRAME;
  return CWnd::CreateEx(dwExStyle | WS_EX_TOOLWINDOW, lpClassName, lpWindowName, dwStyle, rect.left, rect.top,
                        rect.right - rect.left, rect.bottom - rect.top,
                        pParentWnd != nullptr ? pParentWnd->GetSafeHwnd() : nullptr, nullptr);
}

BOOL CMiniFrameWnd::PreCreateWindow(CREATESTRUCT& cs) {
  if (cs.lpszClass == nullptr)
    cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW),
                                       reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
  return CWnd::PreCreateWindow(cs);
}

LRESULT CMiniFrameWnd::OnFloatStatus(WPARAM wParam, LPARAM) {
  if (wParam & FS_HIDE) {
    if (IsWindowVisible()) {
      ShowWindow(SW_HIDE);
      m_bHiddenByOwner = TRUE;
    }
  }
  if (wParam & FS_SHOW) {
    if (m_bHiddenByOwner) {
      ShowWindow(SW_SHOWNA);
      m_bHiddenByOwner = FALSE;
    }
  }
  if (wParam & FS_DISABLE) EnableWindow(FALSE);
  if (wParam & FS_ENABLE) EnableWindow(TRUE);
  if ((wParam & (FS_ACTIVATE | FS_DEACTIVATE)) && m_bSyncActive)
    DefWindowProc(WM_NCACTIVATE, (wParam & FS_ACTIVATE) != 0, 0);
  return TRUE;
}

LRESULT CMiniFrameWnd::OnSetMessageString(WPARAM wParam, LPARAM lParam) {
  // Without a status bar of its own, the frame that owns it shows the text.
  if (GetMessageBar() == nullptr) {
    CWnd* owner = GetOwner();
    if (owner != nullptr && owner->m_hWnd != m_hWnd && owner->IsFrameWnd())
      return owner->SendMessage(WM_SETMESSAGESTRING, wParam, lParam);
  }
  return CFrameWnd::OnSetMessageString(wParam, lParam);
}

BOOL CMiniFrameWnd::OnNcActivate(BOOL bActive) {
  // A synchronised frame looks active while its owner is active.
  if (m_bSyncActive && !bActive) {
    HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
    if (owner != nullptr && ::GetActiveWindow() == owner) bActive = TRUE;
  }
  return static_cast<BOOL>(DefWindowProc(WM_NCACTIVATE, bActive, 0));
}

BEGIN_MESSAGE_MAP(CMiniDockFrameWnd, CMiniFrameWnd)
  ON_WM_CLOSE()
  ON_WM_NCLBUTTONDOWN()
  ON_WM_NCLBUTTONDBLCLK()
END_MESSAGE_MAP()

CMiniDockFrameWnd::CMiniDockFrameWnd() : m_wndDockBar(TRUE) {
  // The dock bar is part of this object, not a heap object of its own.
  m_wndDockBar.m_bAutoDelete = FALSE;
}

DWORD AFXAPI CMiniDockFrameWnd::FrameStyleFor(DWORD barStyle) {
  DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | MFS_SYNCACTIVE | MFS_BLOCKSYSMENU | FWS_SNAPTOBARS;
  if (barStyle & CBRS_SIZE_DYNAMIC) style |= WS_THICKFRAME | MFS_THICKFRAME;
  else style |= MFS_MOVEFRAME;
  return style;
}

BOOL CMiniDockFrameWnd::Create(CWnd* pParent, DWORD dwBarStyle) {
  if (!CMiniFrameWnd::CreateEx(WS_EX_TOOLWINDOW, nullptr, L"", FrameStyleFor(dwBarStyle), CRect(0, 0, 0, 0),
                               pParent, 0))
    return FALSE;
  const DWORD barBits = dwBarStyle & (CBRS_ALIGN_ANY | CBRS_FLOAT_MULTI | CBRS_SIZE_DYNAMIC | CBRS_SIZE_FIXED);
  if (!m_wndDockBar.Create(this, WS_CHILD | WS_VISIBLE | barBits, AFX_IDW_DOCKBAR_FLOAT)) return FALSE;
  m_wndDockBar.m_bFloating = TRUE;
  RecalcLayout();
  return TRUE;
}

CControlBar* CMiniDockFrameWnd::GetFirstBar() const {
  for (int i = 0; i < m_wndDockBar.m_arrBars.GetSize(); ++i)
    if (CControlBar* bar = m_wndDockBar.GetDockedControlBar(i)) return bar;
  return nullptr;
}

void CMiniDockFrameWnd::RecalcLayout(BOOL bNotify) {
  if (m_hWnd == nullptr || m_bInRecalcLayout) return;
  CMiniFrameWnd::RecalcLayout(bNotify);
  if (!(m_wndDockBar.m_dwStyle & CBRS_FLOAT_MULTI)) {
    if (CControlBar* bar = GetFirstBar()) {
      CString text, current;
      bar->GetWindowText(text);
      GetWindowText(current);
      if (text != current) SetWindowText(text);
    }
  }
}

void CMiniDockFrameWnd::OnClose() {
  // Closing hides the bars; they can be shown again.
  m_wndDockBar.ShowAll(FALSE);
}

void CMiniDockFrameWnd::OnNcLButtonDown(UINT nHitTest, CPoint point) {
  CControlBar* bar = GetFirstBar();
  const bool single = !(m_wndDockBar.m_dwStyle & CBRS_FLOAT_MULTI);
  if (bar != nullptr && bar->m_pDockContext != nullptr && single) {
    if (nHitTest == HTCAPTION) {
      ActivateTopParent();
      BringWindowToTop();
      bar->m_pDockContext->StartDrag(point);
      return;
    }
    if (nHitTest >= HTSIZEFIRST && nHitTest <= HTSIZELAST && (bar->m_dwStyle & CBRS_SIZE_DYNAMIC)) {
      ActivateTopParent();
      bar->m_pDockContext->StartResize(static_cast<int>(nHitTest), point);
      return;
    }
  }
  CMiniFrameWnd::OnNcLButtonDown(nHitTest, point);
}

void CMiniDockFrameWnd::OnNcLButtonDblClk(UINT nHitTest, CPoint point) {
  CControlBar* bar = GetFirstBar();
  if (nHitTest == HTCAPTION && bar != nullptr && bar->m_pDockContext != nullptr &&
      !(m_wndDockBar.m_dwStyle & CBRS_FLOAT_MULTI)) {
    // This frame may be gone afterwards: touch nothing of it.
    bar->m_pDockContext->ToggleDocking();
    return;
  }
  CMiniFrameWnd::OnNcLButtonDblClk(nHitTest, point);
}
