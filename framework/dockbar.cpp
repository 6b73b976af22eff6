#include "framework/dockbar.h"

#include <algorithm>

#include "framework/dockcontext.h"
#include "framework/frame.h"

IMPLEMENT_DYNAMIC(CDockBar, CControlBar)

BEGIN_MESSAGE_MAP(CDockBar, CControlBar)
  ON_MESSAGE(WM_SIZEPARENT, &CDockBar::OnSizeParent)
  ON_WM_NCDESTROY()
END_MESSAGE_MAP()

CDockBar::CDockBar(BOOL bFloating) : m_bFloating(bFloating) {
  m_arrBars.Add(nullptr);
  m_bAutoDelete = TRUE;
  m_cxLeftBorder = m_cxRightBorder = m_cyTopBorder = m_cyBottomBorder = 0;
}

CDockBar::~CDockBar() {
  for (int i = 0; i < m_arrBars.GetSize(); ++i) {
    if (CControlBar* bar = GetDockedControlBar(i)) {
      if (bar->m_pDockBar == this) bar->m_pDockBar = nullptr;
    }
  }
}

BOOL CDockBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) {
  m_dwStyle = dwStyle & CBRS_ALL;
  LPCTSTR cls = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW),
                                    reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
  const DWORD windowStyle = (dwStyle & ~CBRS_ALL) | WS_CHILD;
  return CWnd::Create(cls, nullptr, windowStyle, CRect(0, 0, 0, 0), pParentWnd, nID);
}

int CDockBar::GetDockedCount() const {
  int count = 0;
  for (int i = 0; i < m_arrBars.GetSize(); ++i)
    if (GetDockedControlBar(i) != nullptr) ++count;
  return count;
}

int CDockBar::GetDockedVisibleCount() const {
  int count = 0;
  for (int i = 0; i < m_arrBars.GetSize(); ++i) {
    CControlBar* bar = GetDockedControlBar(i);
    if (bar != nullptr && bar->IsVisible()) ++count;
  }
  return count;
}

CControlBar* CDockBar::GetDockedControlBar(int nPos) const {
  void* entry = m_arrBars.GetAt(nPos);
  if (entry == nullptr || IsPlaceHolder(entry)) return nullptr;
  return static_cast<CControlBar*>(entry);
}

int CDockBar::FindBar(CControlBar* pBar, int nPosExclude) const {
  for (int i = 0; i < m_arrBars.GetSize(); ++i)
    if (i != nPosExclude && m_arrBars[i] == pBar) return i;
  return -1;
}

void CDockBar::RemoveAt(int nPos) {
  m_arrBars.RemoveAt(nPos);
  // Two row breaks in a row: the row is empty now.
  if (nPos > 0 && nPos < m_arrBars.GetSize() && m_arrBars[nPos - 1] == nullptr && m_arrBars[nPos] == nullptr)
    m_arrBars.RemoveAt(nPos);
}

int CDockBar::Insert(CControlBar* pBar, CRect rect, CPoint ptMid) {
  const bool horz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
  const int midAcross = horz ? ptMid.y : ptMid.x;
  const int startAlong = horz ? rect.left : rect.top;
  int across = 0;
  int rowStart = 1;
  for (int i = 1; i < m_arrBars.GetSize(); ++i) {
    if (m_arrBars[i] != nullptr) continue;
    // Row [rowStart, i): its thickness from its visible bars.
    int thickness = 0;
    for (int j = rowStart; j < i; ++j) {
      CControlBar* bar = GetDockedControlBar(j);
      if (bar == nullptr || bar == pBar || !bar->IsVisible()) continue;
      CRect r;
      bar->GetWindowRect(&r);
      thickness = std::max(thickness, static_cast<int>(horz ? r.Height() : r.Width()));
    }
    if (thickness > 0) {
      if (midAcross < across) {
        // Before this row: a row of its own.
        m_arrBars.InsertAt(rowStart, static_cast<void*>(nullptr));
        m_arrBars.InsertAt(rowStart, pBar);
        return rowStart;
      }
      if (midAcross < across + thickness) {
        int pos = rowStart;
        for (; pos < i; ++pos) {
          CControlBar* bar = GetDockedControlBar(pos);
          if (bar == nullptr || bar == pBar || !bar->IsVisible()) continue;
          CRect r;
          bar->GetWindowRect(&r);
          ScreenToClient(&r);
          if ((horz ? r.left : r.top) > startAlong) break;
        }
        m_arrBars.InsertAt(pos, pBar);
        return pos;
      }
      across += thickness;
    }
    rowStart = i + 1;
  }
  // After every row: a new last row.
  m_arrBars.Add(pBar);
  m_arrBars.Add(nullptr);
  return static_cast<int>(m_arrBars.GetSize()) - 2;
}

void CDockBar::DockControlBar(CControlBar* pBar, LPCRECT lpRect) {
  if (pBar == nullptr || pBar->m_hWnd == nullptr) return;
  CRect rectBar;
  pBar->GetWindowRect(&rectBar);
  if (pBar->m_pDockBar == this && (lpRect == nullptr || rectBar == *lpRect)) return;

  // The bar takes this side's alignment and borders.
  if (m_bFloating && (pBar->m_dwDockStyle & CBRS_FLOAT_MULTI)) m_dwStyle |= CBRS_FLOAT_MULTI;
  m_dwStyle = (m_dwStyle & ~(CBRS_SIZE_FIXED | CBRS_SIZE_DYNAMIC)) | (pBar->m_dwStyle & (CBRS_SIZE_FIXED | CBRS_SIZE_DYNAMIC));
  if (m_dwStyle & CBRS_FLOAT_MULTI) {
    CString text;
    pBar->GetWindowText(text);
    SetWindowText(text);
  }
  pBar->m_dwStyle &= ~(CBRS_ALIGN_ANY | CBRS_BORDER_ANY | CBRS_FLOATING);
  pBar->m_dwStyle |= (m_dwStyle & CBRS_ALIGN_ANY) | CBRS_BORDER_ANY | (m_bFloating ? CBRS_FLOATING : 0);

  // A visible bar moving between dock bars is hidden on the way.
  const bool hideOnTheWay = pBar->m_pDockBar != this && (pBar->GetStyle() & WS_VISIBLE) != 0;
  if (hideOnTheWay)
    pBar->SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);

  int nPos;
  if (lpRect != nullptr) {
    CRect rect(*lpRect);
    ScreenToClient(&rect);
    nPos = Insert(pBar, rect, rect.CenterPoint());
    if (pBar->GetParent() != this) pBar->SetParent(this);
    pBar->SetWindowPos(nullptr, rect.left, rect.top, rect.Width(), rect.Height(),
                       SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
  } else {
    m_arrBars.Add(pBar);
    m_arrBars.Add(nullptr);
    nPos = static_cast<int>(m_arrBars.GetSize()) - 2;
    if (pBar->GetParent() != this) pBar->SetParent(this);
    pBar->SetWindowPos(nullptr, -2, -2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
  }

  CDockBar* old = pBar->m_pDockBar;
  pBar->m_pDockBar = this;
  if (old == this) {
    RemoveControlBar(pBar, nPos, -1);
    nPos = FindBar(pBar);
  } else if (old != nullptr) {
    // A bar that leaves the frame's edge for a floating frame keeps its place.
    old->RemoveControlBar(pBar, -1, (m_bFloating && !old->m_bFloating) ? 1 : 0);
  }
  if (!m_bFloating) RemovePlaceHolder(pBar);
  if (hideOnTheWay)
    pBar->SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);

  if (CFrameWnd* frame = GetDockingFrame()) frame->DelayRecalcLayout();
}

void CDockBar::ReDockControlBar(CControlBar* pBar, LPCRECT lpRect) {
  if (pBar == nullptr) return;
  const int place = lpRect == nullptr ? FindBar(reinterpret_cast<CControlBar*>(static_cast<UINT_PTR>(pBar->GetDlgCtrlID()))) : -1;
  if (place <= 0) {
    DockControlBar(pBar, lpRect);
    return;
  }
  // Back into its remembered place.
  pBar->m_dwStyle &= ~(CBRS_ALIGN_ANY | CBRS_BORDER_ANY | CBRS_FLOATING);
  pBar->m_dwStyle |= (m_dwStyle & CBRS_ALIGN_ANY) | CBRS_BORDER_ANY;
  m_arrBars[place] = pBar;
  const bool visible = (pBar->GetStyle() & WS_VISIBLE) != 0;
  if (visible)
    pBar->SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
  if (pBar->GetParent() != this) pBar->SetParent(this);
  CDockBar* old = pBar->m_pDockBar;
  pBar->m_pDockBar = this;
  if (old != nullptr && old != this) old->RemoveControlBar(pBar, -1, 0);
  if (visible)
    pBar->SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  if (CFrameWnd* frame = GetDockingFrame()) frame->DelayRecalcLayout();
}

BOOL CDockBar::RemoveControlBar(CControlBar* pBar, int nPosExclude, int nAddPlaceHolder) {
  const int nPos = FindBar(pBar, nPosExclude);
  if (nPos <= 0) return FALSE;
  if (nAddPlaceHolder == 1) {
    auto* id = reinterpret_cast<CControlBar*>(static_cast<UINT_PTR>(pBar->GetDlgCtrlID()));
    if (FindBar(id) > 0) RemoveAt(nPos);
    else m_arrBars[nPos] = id;
  } else {
    RemoveAt(nPos);
    if (nAddPlaceHolder != -1) RemovePlaceHolder(pBar);
  }
  if (pBar->m_pDockContext == nullptr) return TRUE;

  if (m_bFloating) {
    CFrameWnd* frame = GetParentFrame();
    if (frame != nullptr && GetDockedVisibleCount() == 0) {
      // The floating frame goes with its last bar (this object with it).
      if (GetDockedCount() == 0) frame->DestroyWindow();
      else frame->ShowWindow(SW_HIDE);
      return TRUE;
    }
    if (frame != nullptr) frame->DelayRecalcLayout();
  } else if (CFrameWnd* frame = GetDockingFrame()) {
    frame->DelayRecalcLayout();
  }
  return TRUE;
}

void CDockBar::RemovePlaceHolder(CControlBar* pBar) {
  if (pBar == nullptr || pBar->m_hWnd == nullptr) return;
  const int nPos = FindBar(reinterpret_cast<CControlBar*>(static_cast<UINT_PTR>(pBar->GetDlgCtrlID())));
  if (nPos > 0) RemoveAt(nPos);
}

void CDockBar::RemoveEntry(CControlBar* pBar) {
  const int nPos = FindBar(pBar);
  if (nPos > 0) RemoveAt(nPos);
}

void CDockBar::ShowAll(BOOL bShow) {
  CFrameWnd* site = nullptr;
  for (int i = 0; i < m_arrBars.GetSize(); ++i) {
    CControlBar* bar = GetDockedControlBar(i);
    if (bar == nullptr) continue;
    site = bar->m_pDockSite != nullptr ? bar->m_pDockSite : GetDockingFrame();
    if (site != nullptr) site->ShowControlBar(bar, bShow, FALSE);
  }
}

CSize CDockBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
  CSize result = CControlBar::CalcFixedLayout(bStretch, bHorz);
  CSize avail = m_rectLayout.Size();
  if (m_rectLayout.IsRectEmpty()) {
    CRect client;
    if (CWnd* parent = GetParent()) parent->GetClientRect(&client);
    avail = client.Size();
  }
  const int availAlong = bHorz ? avail.cx : avail.cy;

  AFX_SIZEPARENTPARAMS layout = {};
  layout.hDWP = m_bLayoutQuery ? nullptr : ::BeginDeferWindowPos(static_cast<int>(m_arrBars.GetSize()));
  int along = 0, across = 0, thickness = 0, longest = 0;
  bool wrapped = false;

  auto endRow = [&] {
    if (thickness != 0) {
      across += thickness;
      longest = std::max(longest, along);
    }
    along = 0;
    thickness = 0;
  };

  for (int nPos = 0; nPos < m_arrBars.GetSize(); ++nPos) {
    CControlBar* bar = GetDockedControlBar(nPos);
    if (bar == nullptr) {
      if (m_arrBars[nPos] == nullptr) endRow();
      continue;  // placeholders take no space
    }
    if (bar->IsVisible()) {
      DWORD mode = 0;
      if ((bar->m_dwStyle & CBRS_SIZE_DYNAMIC) && (bar->m_dwStyle & CBRS_FLOATING)) mode = LM_HORZ | LM_MRUWIDTH;
      else if (bar->m_dwStyle & CBRS_ORIENT_HORZ) mode = LM_HORZ | LM_HORZDOCK;
      else mode = LM_VERTDOCK;
      const CSize size = bar->CalcDynamicLayout(-1, mode);
      const int extAlong = bHorz ? size.cx : size.cy;
      const int extAcross = bHorz ? size.cy : size.cx;
      CRect current;
      bar->GetWindowRect(&current);
      ScreenToClient(&current);
      const int curAlong = bHorz ? current.left : current.top;

      int start = along;
      if (!m_bFloating) {
        // Gaps the user left stay; a bar past the far edge moves back.
        if (curAlong > start) start = curAlong;
        if (start + extAlong > availAlong) start = std::max(availAlong - extAlong, along);
      }
      if (wrapped) {
        wrapped = false;
        start = 0;
      } else if (!m_bFloating && start + extAlong > availAlong && nPos > 0 && m_arrBars[nPos - 1] != nullptr) {
        // It does not fit after the others: it starts a new row.
        m_arrBars.InsertAt(nPos, static_cast<void*>(nullptr));
        wrapped = true;
        endRow();
        continue;  // the bar comes again at nPos + 1
      }
      CRect rect;
      if (bHorz) rect.SetRect(start, across, start + extAlong, across + extAcross);
      else rect.SetRect(across, start, across + extAcross, start + extAlong);
      if (!m_bLayoutQuery) {
        if (rect != current) AfxRepositionWindow(&layout, bar->m_hWnd, &rect);
        if (!(bar->m_dwStyle & CBRS_FLOATING) && bar->m_pDockContext != nullptr)
          bar->m_pDockContext->m_rectMRUDockPos = rect;
      }
      along = start + extAlong;
      thickness = std::max(thickness, extAcross);
    }
    bar->RecalcDelayShow(&layout);
  }
  endRow();
  if (layout.hDWP != nullptr) ::EndDeferWindowPos(layout.hDWP);

  if (bHorz) {
    if (!bStretch) result.cx = longest;
    result.cy = across;
  } else {
    if (!bStretch) result.cy = longest;
    result.cx = across;
  }
  return result;
}

void CDockBar::DoPaint(CDC*) {}

LRESULT CDockBar::OnSizeParent(WPARAM wParam, LPARAM lParam) {
  auto* layout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
  if (layout == nullptr) return 0;
  const BOOL savedQuery = m_bLayoutQuery;
  const CRect savedRect = m_rectLayout;
  m_bLayoutQuery = layout->hDWP == nullptr;
  m_rectLayout = layout->rect;
  LRESULT result = CControlBar::OnSizeParent(wParam, lParam);
  m_bLayoutQuery = savedQuery;
  m_rectLayout = savedRect;
  return result;
}

void CDockBar::OnNcDestroy() {
  for (int i = 0; i < m_arrBars.GetSize(); ++i) {
    CControlBar* bar = GetDockedControlBar(i);
    if (bar != nullptr && bar->m_pDockBar == this) bar->m_pDockBar = nullptr;
  }
  CControlBar::OnNcDestroy();
}
