// CFrameWnd: its control bars, docking and floating, modal state.
#include "framework/dockbar.h"
#include "framework/dockcontext.h"
#include "framework/frame.h"
#include "framework/miniframe.h"

namespace {

struct DockSide {
  UINT id;
  DWORD style;
};

// The sides in the order the frame makes and searches them.
const DockSide kDockSides[] = {
    {AFX_IDW_DOCKBAR_TOP, CBRS_TOP},
    {AFX_IDW_DOCKBAR_BOTTOM, CBRS_BOTTOM},
    {AFX_IDW_DOCKBAR_LEFT, CBRS_LEFT},
    {AFX_IDW_DOCKBAR_RIGHT, CBRS_RIGHT},
};

}  // namespace

void CFrameWnd::AddControlBar(CControlBar* pBar) {
  if (pBar != nullptr && m_listControlBars.Find(pBar) == nullptr) m_listControlBars.AddTail(pBar);
}

void CFrameWnd::RemoveControlBar(CControlBar* pBar) {
  POSITION pos = m_listControlBars.Find(pBar);
  if (pos != nullptr) m_listControlBars.RemoveAt(pos);
}

CControlBar* CFrameWnd::GetControlBar(UINT nID) {
  if (nID == 0) return nullptr;
  for (POSITION pos = m_listControlBars.GetHeadPosition(); pos != nullptr;) {
    auto* bar = static_cast<CControlBar*>(m_listControlBars.GetNext(pos));
    if (bar->m_hWnd != nullptr && static_cast<UINT>(bar->GetDlgCtrlID()) == nID) return bar;
  }
  return nullptr;
}

void CFrameWnd::EnableDocking(DWORD dwDockStyle) {
  m_pFloatingFrameClass = RUNTIME_CLASS(CMiniDockFrameWnd);
  for (const DockSide& side : kDockSides) {
    if (!(side.style & dwDockStyle & CBRS_ALIGN_ANY)) continue;
    if (GetControlBar(side.id) != nullptr) continue;
    auto* dockBar = new CDockBar;
    // An auto-delete bar that fails deletes itself with its window.
    if (!dockBar->Create(this, WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_CHILD | WS_VISIBLE | side.style, side.id)) {
      if (dockBar->m_hWnd == nullptr) delete dockBar;
      AfxThrowResourceException();
    }
  }
}

DWORD CFrameWnd::CanDock(CRect rect, DWORD dwDockStyle, CDockBar** ppDockBar) {
  for (const DockSide& side : kDockSides) {
    if (!(side.style & dwDockStyle & CBRS_ALIGN_ANY)) continue;
    CControlBar* bar = GetControlBar(side.id);
    if (bar == nullptr || !bar->IsDockBar() || !bar->IsWindowVisible()) continue;
    CRect area;
    bar->GetWindowRect(&area);
    // An empty dock bar is a line along the client edge: give it some depth
    // toward the client area so a bar dragged onto the edge finds it.
    if (area.Height() == 0) {
      if (side.id == AFX_IDW_DOCKBAR_BOTTOM) area.top -= 1;
      else area.bottom += 1;
    }
    if (area.Width() == 0) {
      if (side.id == AFX_IDW_DOCKBAR_RIGHT) area.left -= 1;
      else area.right += 1;
    }
    CRect hit;
    if (hit.IntersectRect(&area, &rect)) {
      if (ppDockBar != nullptr) *ppDockBar = static_cast<CDockBar*>(bar);
      return side.style & CBRS_ALIGN_ANY;
    }
  }
  return 0;
}

void CFrameWnd::DockControlBar(CControlBar* pBar, UINT nDockBarID, LPCRECT lpRect) {
  if (pBar == nullptr) return;
  CDockBar* dockBar = nullptr;
  for (const DockSide& side : kDockSides) {
    if (nDockBarID != 0 ? side.id != nDockBarID : !(pBar->m_dwDockStyle & side.style & CBRS_ALIGN_ANY)) continue;
    CControlBar* bar = GetControlBar(side.id);
    if (bar != nullptr && bar->IsDockBar()) {
      dockBar = static_cast<CDockBar*>(bar);
      break;
    }
  }
  DockControlBar(pBar, dockBar, lpRect);
}

void CFrameWnd::DockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect) {
  if (pBar == nullptr || pDockBar == nullptr) return;
  if (pBar->m_pDockContext != nullptr && !pDockBar->m_bFloating)
    pBar->m_pDockContext->m_uMRUDockID = static_cast<UINT>(pDockBar->GetDlgCtrlID());
  pDockBar->DockControlBar(pBar, lpRect);
}

void CFrameWnd::ReDockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect) {
  if (pBar == nullptr || pDockBar == nullptr) return;
  pDockBar->ReDockControlBar(pBar, lpRect);
}

CMiniDockFrameWnd* CFrameWnd::CreateFloatingFrame(DWORD dwStyle) {
  CRuntimeClass* cls = m_pFloatingFrameClass != nullptr ? m_pFloatingFrameClass : RUNTIME_CLASS(CMiniDockFrameWnd);
  CObject* object = cls->CreateObject();
  auto* frame = object != nullptr ? DYNAMIC_DOWNCAST(CMiniDockFrameWnd, object) : nullptr;
  if (frame == nullptr) {
    delete object;
    AfxThrowResourceException();
  }
  if (!frame->Create(this, dwStyle)) {
    // A frame whose window was made deletes itself when the window goes.
    if (frame->m_hWnd != nullptr) frame->DestroyWindow();
    else delete frame;
    AfxThrowResourceException();
  }
  return frame;
}

void CFrameWnd::FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle) {
  if (pBar == nullptr || pBar->m_hWnd == nullptr) return;
  // A frame that holds only this bar just moves.
  if (pBar->IsFloating() && pBar->m_pDockBar->GetDockedCount() == 1) {
    CFrameWnd* frame = pBar->m_pDockBar->GetParentFrame();
    if (frame != nullptr) {
      frame->SetWindowPos(nullptr, point.x, point.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      frame->RecalcLayout(TRUE);
      frame->UpdateWindow();
      return;
    }
  }
  if (pBar->m_dwStyle & CBRS_SIZE_DYNAMIC) {
    dwStyle |= CBRS_SIZE_DYNAMIC;
    if (dwStyle & CBRS_ORIENT_VERT) dwStyle = (dwStyle & ~CBRS_ALIGN_ANY) | CBRS_ALIGN_TOP;
  }
  CMiniDockFrameWnd* frame = CreateFloatingFrame(dwStyle);
  frame->SetWindowPos(nullptr, point.x, point.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  if (pBar->m_pDockContext != nullptr) {
    pBar->m_pDockContext->m_ptMRUFloatPos = point;
    pBar->m_pDockContext->m_bHasFloatPos = true;
    pBar->m_pDockContext->m_dwMRUFloatStyle = dwStyle;
  }
  frame->m_wndDockBar.DockControlBar(pBar);
  frame->RecalcLayout(TRUE);
  if (GetStyle() & WS_VISIBLE) {
    frame->ShowWindow(SW_SHOWNA);
    frame->UpdateWindow();
  }
  // The side the bar left gives its space back.
  RecalcLayout();
}

void CFrameWnd::ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay) {
  if (pBar == nullptr || pBar->m_hWnd == nullptr) return;
  CFrameWnd* holder = pBar->GetDockingFrame();
  pBar->DelayShow(bShow);
  if (!bDelay) pBar->RecalcDelayShow(nullptr);
  if (pBar->IsFloating() && holder != nullptr && holder != this) {
    // A floating frame shows while one of its bars does.
    const bool anyVisible = pBar->m_pDockBar->GetDockedVisibleCount() > 0;
    if (bDelay) {
      holder->DelayRecalcLayout();
    } else {
      holder->RecalcLayout();
      if (anyVisible && !holder->IsWindowVisible() && (GetStyle() & WS_VISIBLE)) holder->ShowWindow(SW_SHOWNA);
      else if (!anyVisible && holder->IsWindowVisible()) holder->ShowWindow(SW_HIDE);
    }
    return;
  }
  if (bDelay) DelayRecalcLayout();
  else RecalcLayout();
}

BOOL CFrameWnd::OnBarCheck(UINT nID) {
  CControlBar* bar = GetControlBar(nID);
  if (bar == nullptr) return FALSE;
  ShowControlBar(bar, (bar->GetStyle() & WS_VISIBLE) == 0, FALSE);
  return TRUE;
}

void CFrameWnd::OnUpdateControlBarMenu(CCmdUI* pCmdUI) {
  CControlBar* bar = GetControlBar(pCmdUI->m_nID);
  if (bar == nullptr) {
    pCmdUI->ContinueRouting();
    return;
  }
  pCmdUI->SetCheck((bar->GetStyle() & WS_VISIBLE) != 0);
}

void CFrameWnd::GetOwnedWindows(CArray<HWND, HWND>& windows) const {
  windows.RemoveAll();
  if (m_hWnd == nullptr) return;
  struct Search {
    HWND owner;
    CArray<HWND, HWND>* found;
  } search = {m_hWnd, &windows};
  ::EnumThreadWindows(
      ::GetWindowThreadProcessId(m_hWnd, nullptr),
      [](HWND hWnd, LPARAM lParam) -> BOOL {
        auto* s = reinterpret_cast<Search*>(lParam);
        if (::GetWindow(hWnd, GW_OWNER) == s->owner) s->found->Add(hWnd);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
}

void CFrameWnd::NotifyFloatingWindows(DWORD dwFlags) {
  CArray<HWND, HWND> owned;
  GetOwnedWindows(owned);
  for (INT_PTR i = 0; i < owned.GetSize(); ++i)
    if (::IsWindow(owned[i])) ::SendMessageW(owned[i], WM_FLOATSTATUS, dwFlags, 0);
}

void CFrameWnd::BeginModalState() {
  if (m_cModalStack++ > 0) return;
  CArray<HWND, HWND> owned;
  GetOwnedWindows(owned);
  m_disabledWindows.RemoveAll();
  for (INT_PTR i = 0; i < owned.GetSize(); ++i) {
    if (::IsWindowEnabled(owned[i]) && ::IsWindowVisible(owned[i])) {
      ::EnableWindow(owned[i], FALSE);
      m_disabledWindows.Add(owned[i]);
    }
  }
}

void CFrameWnd::EndModalState() {
  if (m_cModalStack == 0 || --m_cModalStack > 0) return;
  for (INT_PTR i = 0; i < m_disabledWindows.GetSize(); ++i)
    if (::IsWindow(m_disabledWindows[i])) ::EnableWindow(m_disabledWindows[i], TRUE);
  m_disabledWindows.RemoveAll();
}

LRESULT CFrameWnd::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM) {
  if (m_nIdleFlags & idleLayout) RecalcLayout((m_nIdleFlags & idleNotify) != 0);
  if (m_nIdleFlags & idleTitle) OnUpdateFrameTitle(TRUE);
  m_nIdleFlags = 0;
  // Floating frames are not among the frame's descendants: they hear it here.
  CArray<HWND, HWND> owned;
  GetOwnedWindows(owned);
  for (INT_PTR i = 0; i < owned.GetSize(); ++i) {
    CWnd* wnd = CWnd::FromHandlePermanent(owned[i]);
    if (wnd == nullptr || !wnd->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd)) || !::IsWindowVisible(owned[i])) continue;
    AfxCallWndProc(wnd, owned[i], WM_IDLEUPDATECMDUI, wParam, 0);
    if (::IsWindow(owned[i])) wnd->SendMessageToDescendants(WM_IDLEUPDATECMDUI, wParam, 0, TRUE, TRUE);
  }
  return 0;
}

LRESULT CFrameWnd::OnRecalcParent(WPARAM, LPARAM) {
  DelayRecalcLayout();
  return 0;
}

void CFrameWnd::OnEnable(BOOL bEnable) {
  CWnd::OnEnable(bEnable);
  NotifyFloatingWindows(bEnable ? FS_ENABLE : FS_DISABLE);
}

void CFrameWnd::OnShowWindow(BOOL bShow, UINT nStatus) {
  CWnd::OnShowWindow(bShow, nStatus);
  if (nStatus == 0) NotifyFloatingWindows(bShow ? FS_SHOW : FS_HIDE);
}
