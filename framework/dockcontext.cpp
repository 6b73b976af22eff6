#include "framework/dockcontext.h"

#include <algorithm>

#include "framework/app.h"
#include "framework/dockbar.h"
#include "framework/frame.h"
#include "framework/miniframe.h"

namespace {

// Thickness of the outline: thin over a dock bar, thick for a floating frame.
const CSize kDockedOutline(2, 2);
const CSize kFloatingOutline(4, 4);

// Moves rect so that it contains pt, keeping pt's place in it where it can.
void KeepUnderCursor(CRect& rect, CPoint pt) {
  if (pt.x < rect.left || pt.x >= rect.right) rect.OffsetRect(pt.x - (rect.left + rect.Width() / 2), 0);
  if (pt.y < rect.top || pt.y >= rect.bottom) rect.OffsetRect(0, pt.y - (rect.top + std::min<int>(rect.Height() / 2, 8)));
}

// The window rectangle of a floating frame whose client area is size.
CRect FloatingFrameRect(CPoint topLeft, CSize size, DWORD barStyle) {
  CRect rect(topLeft, size);
  ::AdjustWindowRectEx(&rect, CMiniDockFrameWnd::FrameStyleFor(barStyle), FALSE, WS_EX_TOOLWINDOW);
  rect.OffsetRect(topLeft.x - rect.left, topLeft.y - rect.top);
  return rect;
}

}  // namespace

CDockContext::CDockContext(CControlBar* pBar) : m_pBar(pBar), m_pDockSite(pBar ? pBar->m_pDockSite : nullptr) {}

CDockContext::~CDockContext() = default;

void CDockContext::InitLoop() {
  m_rectLast.SetRectEmpty();
  m_sizeLast = CSize(0, 0);
  m_bDitherLast = FALSE;
  m_bForceFrame = FALSE;
  m_dwOverDockStyle = 0;
  m_pTargetDockBar = nullptr;
  // The outline is drawn over everything on the screen.
  HWND desktop = ::GetDesktopWindow();
  ::LockWindowUpdate(desktop);
  m_pDC = new CDC;
  m_pDC->Attach(::GetDCEx(desktop, nullptr, DCX_WINDOW | DCX_CACHE | DCX_LOCKWINDOWUPDATE));
}

void CDockContext::CancelLoop() {
  DrawFocusRect(TRUE);
  if (::GetCapture() == m_pBar->m_hWnd) ::ReleaseCapture();
  ::LockWindowUpdate(nullptr);
  if (m_pDC != nullptr) {
    ::ReleaseDC(::GetDesktopWindow(), m_pDC->Detach());
    delete m_pDC;
    m_pDC = nullptr;
  }
}

void CDockContext::StartDrag(CPoint pt) {
  if (m_pBar == nullptr || m_pBar->m_hWnd == nullptr) return;
  if (m_pDockSite == nullptr) m_pDockSite = m_pBar->m_pDockSite;
  if (m_pDockSite == nullptr) return;
  m_bDragging = TRUE;
  InitLoop();

  CRect rect;
  m_pBar->GetWindowRect(&rect);
  m_ptLast = pt;
  const CSize horz = m_pBar->CalcDynamicLayout(-1, LM_HORZ | LM_HORZDOCK);
  const CSize vert = m_pBar->CalcDynamicLayout(-1, LM_VERTDOCK);
  const CSize floating = m_pBar->CalcDynamicLayout(-1, LM_HORZ | LM_MRUWIDTH);
  m_rectDragHorz = CRect(rect.TopLeft(), horz);
  m_rectDragVert = CRect(rect.TopLeft(), vert);
  if (m_pBar->IsFloating()) {
    // The floating frame itself is the floating shape.
    CRect frame;
    if (CFrameWnd* parent = m_pBar->GetParentFrame()) parent->GetWindowRect(&frame);
    m_rectFrameDragHorz = frame;
  } else {
    m_rectFrameDragHorz = FloatingFrameRect(rect.TopLeft(), floating, m_pBar->m_dwStyle);
  }
  m_rectFrameDragVert = FloatingFrameRect(rect.TopLeft(), vert, m_pBar->m_dwStyle);
  KeepUnderCursor(m_rectDragHorz, pt);
  KeepUnderCursor(m_rectDragVert, pt);
  KeepUnderCursor(m_rectFrameDragHorz, pt);
  KeepUnderCursor(m_rectFrameDragVert, pt);

  m_dwOverDockStyle = CanDock();
  DrawFocusRect();
  Track();
}

void CDockContext::Move(CPoint pt) {
  const CPoint offset(pt.x - m_ptLast.x, pt.y - m_ptLast.y);
  m_rectDragHorz.OffsetRect(offset);
  m_rectDragVert.OffsetRect(offset);
  m_rectFrameDragHorz.OffsetRect(offset);
  m_rectFrameDragVert.OffsetRect(offset);
  m_ptLast = pt;
  m_dwOverDockStyle = m_bForceFrame ? 0 : CanDock();
  DrawFocusRect();
}

DWORD CDockContext::CanDock() {
  m_pTargetDockBar = nullptr;
  const DWORD allowed = m_pBar->m_dwDockStyle & CBRS_ALIGN_ANY;
  const bool horzFirst = (m_pBar->m_dwStyle & CBRS_ORIENT_HORZ) != 0 || (m_pBar->m_dwStyle & CBRS_ALIGN_ANY) == 0;
  DWORD side = 0;
  if (horzFirst) {
    side = m_pDockSite->CanDock(m_rectDragHorz, allowed & ~CBRS_ORIENT_VERT, &m_pTargetDockBar);
    if (side == 0) side = m_pDockSite->CanDock(m_rectDragVert, allowed & ~CBRS_ORIENT_HORZ, &m_pTargetDockBar);
  } else {
    side = m_pDockSite->CanDock(m_rectDragVert, allowed & ~CBRS_ORIENT_HORZ, &m_pTargetDockBar);
    if (side == 0) side = m_pDockSite->CanDock(m_rectDragHorz, allowed & ~CBRS_ORIENT_VERT, &m_pTargetDockBar);
  }
  if (side == 0) m_pTargetDockBar = nullptr;
  return side;
}

void CDockContext::DrawFocusRect(BOOL bRemoveRect) {
  if (m_pDC == nullptr) return;
  CRect rect;
  CSize size;
  BOOL dither = FALSE;
  if (!bRemoveRect) {
    if (!m_bDragging) {
      rect = m_rectResize;
      size = kFloatingOutline;
      dither = TRUE;
    } else if (m_dwOverDockStyle & CBRS_ORIENT_HORZ) {
      rect = m_rectDragHorz;
      size = kDockedOutline;
    } else if (m_dwOverDockStyle & CBRS_ORIENT_VERT) {
      rect = m_rectDragVert;
      size = kDockedOutline;
    } else {
      rect = m_rectFrameDragHorz;
      size = kFloatingOutline;
      dither = TRUE;
    }
  }
  CBrush* white = CBrush::FromHandle(static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
  CBrush* brush = dither ? CDC::GetHalftoneBrush() : white;
  CBrush* brushLast = m_bDitherLast ? CDC::GetHalftoneBrush() : white;
  m_pDC->DrawDragRect(bRemoveRect ? nullptr : &rect, size, m_rectLast.IsRectEmpty() ? nullptr : &m_rectLast,
                      m_sizeLast, brush, brushLast);
  m_rectLast = bRemoveRect ? CRect() : rect;
  m_sizeLast = size;
  m_bDitherLast = dither;
}

BOOL CDockContext::Track() {
  if (::GetCapture() != nullptr) {
    CancelLoop();
    return FALSE;
  }
  ::SetCapture(m_pBar->m_hWnd);
  HWND hWndBar = m_pBar->m_hWnd;
  while (::GetCapture() == hWndBar) {
    MSG msg;
    const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0 || got == -1) {
      ::PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    switch (msg.message) {
      case WM_LBUTTONUP:
        if (m_bDragging) EndDrag();
        else EndResize();
        return TRUE;
      case WM_MOUSEMOVE:
        if (m_bDragging) Move(msg.pt);
        else Stretch(msg.pt);
        break;
      case WM_KEYDOWN:
      case WM_KEYUP:
        if (msg.wParam == VK_CONTROL && m_bDragging) {
          m_bForceFrame = msg.message == WM_KEYDOWN;
          Move(m_ptLast);
        } else if (msg.wParam == VK_ESCAPE && msg.message == WM_KEYDOWN) {
          CancelLoop();
          m_bDragging = FALSE;
          return FALSE;
        }
        break;
      case WM_RBUTTONDOWN:
        CancelLoop();
        m_bDragging = FALSE;
        return FALSE;
      default:
        ::DispatchMessageW(&msg);
        break;
    }
  }
  CancelLoop();
  m_bDragging = FALSE;
  return FALSE;
}

void CDockContext::EndDrag() {
  CancelLoop();
  m_bDragging = FALSE;
  if (m_dwOverDockStyle != 0 && m_pTargetDockBar != nullptr) {
    CRect rect = (m_dwOverDockStyle & CBRS_ORIENT_VERT) ? m_rectDragVert : m_rectDragHorz;
    const UINT id = static_cast<UINT>(m_pTargetDockBar->GetDlgCtrlID());
    if (id >= AFX_IDW_DOCKBAR_TOP && id <= AFX_IDW_DOCKBAR_BOTTOM) {
      m_uMRUDockID = id;
      m_rectMRUDockPos = rect;
      m_pTargetDockBar->ScreenToClient(&m_rectMRUDockPos);
    }
    m_pDockSite->DockControlBar(m_pBar, m_pTargetDockBar, &rect);
    m_pDockSite->RecalcLayout();
    return;
  }
  m_ptMRUFloatPos = m_rectFrameDragHorz.TopLeft();
  m_bHasFloatPos = true;
  m_pDockSite->FloatControlBar(m_pBar, m_rectFrameDragHorz.TopLeft(),
                               CBRS_ALIGN_TOP | (m_pBar->m_dwDockStyle & CBRS_FLOAT_MULTI));
}

void CDockContext::ToggleDocking() {
  if (m_pDockSite == nullptr) m_pDockSite = m_pBar->m_pDockSite;
  if (m_pDockSite == nullptr) return;
  if (m_pBar->IsFloating()) {
    // Back to the side it came from (the first allowed side the first time).
    UINT id = m_uMRUDockID;
    if (id == 0) {
      const DWORD allowed = m_pBar->m_dwDockStyle;
      id = (allowed & CBRS_ALIGN_TOP) ? AFX_IDW_DOCKBAR_TOP
           : (allowed & CBRS_ALIGN_BOTTOM) ? AFX_IDW_DOCKBAR_BOTTOM
           : (allowed & CBRS_ALIGN_LEFT) ? AFX_IDW_DOCKBAR_LEFT
           : (allowed & CBRS_ALIGN_RIGHT) ? AFX_IDW_DOCKBAR_RIGHT
                                          : 0;
    }
    auto* dockBar = static_cast<CDockBar*>(m_pDockSite->GetControlBar(id));
    if (dockBar == nullptr || !dockBar->IsDockBar()) return;
    m_pDockSite->ReDockControlBar(m_pBar, dockBar, nullptr);
    m_pDockSite->RecalcLayout();
    return;
  }
  CPoint pt = m_ptMRUFloatPos;
  if (!m_bHasFloatPos) {
    CRect rect;
    m_pBar->GetWindowRect(&rect);
    pt = rect.TopLeft();
    pt.Offset(12, 12);
  }
  m_pDockSite->FloatControlBar(m_pBar, pt, CBRS_ALIGN_TOP | (m_pBar->m_dwDockStyle & CBRS_FLOAT_MULTI));
}

void CDockContext::StartResize(int nHitTest, CPoint pt) {
  CFrameWnd* frame = m_pBar != nullptr ? m_pBar->GetParentFrame() : nullptr;
  if (frame == nullptr || !m_pBar->IsFloating()) return;
  m_bDragging = FALSE;
  m_nHitTest = nHitTest;
  InitLoop();
  frame->GetWindowRect(&m_rectResize);
  m_ptLast = pt;
  DrawFocusRect();
  Track();
}

void CDockContext::Stretch(CPoint pt) {
  const CPoint delta(pt.x - m_ptLast.x, pt.y - m_ptLast.y);
  m_ptLast = pt;
  switch (m_nHitTest) {
    case HTLEFT: m_rectResize.left += delta.x; break;
    case HTRIGHT: m_rectResize.right += delta.x; break;
    case HTTOP: m_rectResize.top += delta.y; break;
    case HTBOTTOM: m_rectResize.bottom += delta.y; break;
    case HTTOPLEFT: m_rectResize.left += delta.x; m_rectResize.top += delta.y; break;
    case HTTOPRIGHT: m_rectResize.right += delta.x; m_rectResize.top += delta.y; break;
    case HTBOTTOMLEFT: m_rectResize.left += delta.x; m_rectResize.bottom += delta.y; break;
    case HTBOTTOMRIGHT: m_rectResize.right += delta.x; m_rectResize.bottom += delta.y; break;
    default: break;
  }
  m_rectResize.NormalizeRect();
  DrawFocusRect();
}

void CDockContext::EndResize() {
  CancelLoop();
  CFrameWnd* frame = m_pBar->GetParentFrame();
  if (frame == nullptr) return;
  // The bar takes the width (or height) the frame was given; the frame
  // then fits itself around it.
  CRect client = m_rectResize;
  CRect nc(0, 0, 0, 0);
  ::AdjustWindowRectEx(&nc, static_cast<DWORD>(::GetWindowLongPtrW(frame->m_hWnd, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(::GetWindowLongPtrW(frame->m_hWnd, GWL_EXSTYLE)));
  const bool byHeight = m_nHitTest == HTTOP || m_nHitTest == HTBOTTOM;
  const int length = byHeight ? client.Height() - nc.Height() : client.Width() - nc.Width();
  m_pBar->CalcDynamicLayout(std::max(0, length), LM_HORZ | LM_COMMIT | (byHeight ? LM_LENGTHY : 0));
  frame->SetWindowPos(nullptr, m_rectResize.left, m_rectResize.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  frame->RecalcLayout();
}
