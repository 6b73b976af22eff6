#include "framework/wndlayout.h"

#include "framework/fwres.h"
#include "framework/wnd.h"

void AFXAPI AfxRepositionWindow(AFX_SIZEPARENTPARAMS* lpLayout, HWND hWnd, LPCRECT lpRect) {
  if (hWnd == nullptr || lpRect == nullptr) return;
  HWND hWndParent = ::GetParent(hWnd);
  RECT current;
  ::GetWindowRect(hWnd, &current);
  ::MapWindowPoints(nullptr, hWndParent, reinterpret_cast<LPPOINT>(&current), 2);
  if (::EqualRect(&current, lpRect)) return;
  const int cx = lpRect->right - lpRect->left;
  const int cy = lpRect->bottom - lpRect->top;
  const UINT flags = SWP_NOACTIVATE | SWP_NOZORDER;
  if (lpLayout != nullptr && lpLayout->hDWP != nullptr) {
    lpLayout->hDWP = ::DeferWindowPos(lpLayout->hDWP, hWnd, nullptr, lpRect->left, lpRect->top, cx, cy, flags);
  } else {
    ::SetWindowPos(hWnd, nullptr, lpRect->left, lpRect->top, cx, cy, flags);
  }
}

void CWnd::RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlag, LPRECT lpRectParam,
                          LPCRECT lpRectClient, BOOL bStretch) {
  AFX_SIZEPARENTPARAMS layout = {};
  layout.bStretch = bStretch;
  if (lpRectClient != nullptr) layout.rect = *lpRectClient;
  else ::GetClientRect(m_hWnd, &layout.rect);
  // Any call with the query bit only measures, whatever else it asks.
  const bool query = (nFlag & reposQuery) != 0;
  layout.hDWP = query ? nullptr : ::BeginDeferWindowPos(8);

  HWND hWndLeftOver = nullptr;
  for (HWND child = ::GetTopWindow(m_hWnd); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT)) {
    UINT id = static_cast<UINT>(::GetDlgCtrlID(child));
    if (id == nIDLeftOver) hWndLeftOver = child;
    else if (id >= nIDFirst && id <= nIDLast && FromHandlePermanent(child) != nullptr)
      ::SendMessageW(child, WM_SIZEPARENT, 0, reinterpret_cast<LPARAM>(&layout));
  }

  if (query) {
    if (lpRectParam == nullptr) return;
    if (bStretch) {
      *lpRectParam = layout.rect;
    } else {
      lpRectParam->left = lpRectParam->top = 0;
      lpRectParam->right = layout.sizeTotal.cx;
      lpRectParam->bottom = layout.sizeTotal.cy;
    }
    return;
  }
  if ((nFlag & reposExtra) && lpRectParam != nullptr) {
    layout.rect.left += lpRectParam->left;
    layout.rect.top += lpRectParam->top;
    layout.rect.right -= lpRectParam->right;
    layout.rect.bottom -= lpRectParam->bottom;
  }
  if (hWndLeftOver != nullptr && !(nFlag & reposNoPosLeftOver)) {
    CWnd* leftOver = FromHandle(hWndLeftOver);
    RECT rect = layout.rect;
    if (rect.right < rect.left) rect.right = rect.left;
    if (rect.bottom < rect.top) rect.bottom = rect.top;
    leftOver->CalcWindowRect(&rect);
    AfxRepositionWindow(&layout, hWndLeftOver, &rect);
  }
  if (layout.hDWP != nullptr) ::EndDeferWindowPos(layout.hDWP);
}
