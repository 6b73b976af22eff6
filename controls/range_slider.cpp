#include "controls/range_slider.h"

#include "controls/mem_dc_ex.h"

const UINT g_rangeChangedMsg =
    ::RegisterWindowMessageW(L"RANGE_CHANGED{2E7439A4-12DB-42a2-BB95-3462B3EC39CE}CRangeSlider");

namespace {

const COLORREF kBackground = RGB(230, 239, 247);
const COLORREF kFrame = 0xB99D7F;
const COLORREF kThumb = RGB(0, 99, 200);
const COLORREF kBar = RGB(110, 182, 255);

void RegisterSliderClass() {
  HINSTANCE instance = AfxGetInstanceHandle();
  WNDCLASSW wc = {};
  if (::GetClassInfoW(instance, kRangeSliderClass, &wc)) return;
  wc.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = ::DefWindowProcW;
  wc.hInstance = instance;
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = kRangeSliderClass;
  if (!AfxRegisterClass(&wc)) AfxThrowResourceException();
}

}  // namespace

BEGIN_MESSAGE_MAP(CRangeSlider, CWnd)
  ON_WM_PAINT()
  ON_WM_LBUTTONDOWN()
  ON_WM_MOUSEMOVE()
  ON_WM_LBUTTONUP()
  ON_WM_KEYDOWN()
  ON_WM_GETDLGCODE()
  ON_WM_SETFOCUS()
  ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

CRangeSlider::CRangeSlider() { RegisterSliderClass(); }

int CRangeSlider::EdgeX(double value) const {
  const double span = m_max - m_min;
  if (span == 0.0 || m_pixelRange <= 0) return 0;
  return static_cast<int>(m_pixelRange * (value - m_min) / span + 0.5);
}

void CRangeSlider::UpdateGeometry(int width, int height) {
  m_pixelRange = width - 20;
  const int x1 = EdgeX(m_left);
  const int x2 = EdgeX(m_right);
  m_lowerThumb.SetRect(x1 + 1, 1, x1 + 10, height - 1);
  m_upperThumb.SetRect(x2 + 10, 1, x2 + 19, height - 1);
}

CRect CRangeSlider::BarGrip() const {
  CRect client;
  GetClientRect(&client);
  return CRect(m_lowerThumb.right + 1, 0, m_upperThumb.left - 1, client.bottom);
}

void CRangeSlider::Notify(WPARAM what) {
  HWND parent = ::GetParent(m_hWnd);
  ::SendMessageW(parent, g_rangeChangedMsg, what, 0);
}

void CRangeSlider::OnPaint() {
  CPaintDC paintDC(this);
  CMemDCEx dc(&paintDC);
  dc.SetMapMode(MM_TEXT);
  CRect client;
  GetClientRect(&client);
  const int h = client.Height();

  m_arrowWidth = 10;
  UpdateGeometry(client.Width(), h);
  const int x1 = m_lowerThumb.left - 1;
  const int x2 = m_upperThumb.left - 10;

  CGdiObject* oldBrush = dc.SelectStockObject(GRAY_BRUSH);
  CGdiObject* oldPen = dc.SelectStockObject(BLACK_PEN);

  {
    CBrush background(kBackground);
    dc.SelectObject(&background);
    dc.Rectangle(&client);
    dc.Draw3dRect(&client, kFrame, kFrame);
    dc.SelectStockObject(GRAY_BRUSH);
  }

  CPen highlight(PS_SOLID, 1, ::GetSysColor(COLOR_BTNHIGHLIGHT));
  CPen dark(PS_SOLID, 1, ::GetSysColor(COLOR_3DDKSHADOW));
  CBrush thumb(kThumb);

  // Lower thumb: lit from the top left, its slanted edge towards the upper thumb.
  dc.SelectObject(&highlight);
  dc.MoveTo(x1 + 1, 10);
  dc.LineTo(x1 + 1, 1);
  dc.LineTo(x1 + 10, 1);
  dc.SelectObject(&dark);
  dc.MoveTo(x1 + 1, 10);
  dc.LineTo(x1 + 10, h - 2);
  dc.LineTo(x1 + 10, 1);
  dc.SelectStockObject(NULL_PEN);
  dc.SelectObject(&thumb);
  const POINT lower[] = {{x1 + 2, 2}, {x1 + 9, 2}, {x1 + 9, h - 2}, {x1 + 2, 10}};
  dc.Polygon(lower, 4);

  // Upper thumb: the mirror image.
  dc.SelectObject(&highlight);
  dc.MoveTo(x2 + 10, h - 2);
  dc.LineTo(x2 + 10, 1);
  dc.LineTo(x2 + 19, 1);
  dc.SelectObject(&dark);
  dc.MoveTo(x2 + 18, 1);
  dc.LineTo(x2 + 19, 10);
  dc.LineTo(x2 + 10, h - 1);
  dc.SelectStockObject(NULL_PEN);
  const POINT upper[] = {{x2 + 11, 2}, {x2 + 18, 2}, {x2 + 18, 9}, {x2 + 11, h - 3}};
  dc.Polygon(upper, 4);

  // The bar between them, darker while it is being dragged.
  CBrush bar(m_tracking && m_trackMode == kTrackBar ? kThumb : kBar);
  dc.SelectObject(&bar);
  const CRect middle(x1 + 10, 1, x2 + 10, h - 1);
  dc.Rectangle(&middle);
  dc.Draw3dRect(&middle, ::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_BTNSHADOW));

  dc.SelectObject(oldPen);
  dc.SelectObject(oldBrush);
}

void CRangeSlider::SetCursorFor(CPoint point) const {
  if (m_lowerThumb.PtInRect(point) || m_upperThumb.PtInRect(point))
    ::SetCursor(::LoadCursorW(nullptr, IDC_SIZEWE));
  else if (BarGrip().PtInRect(point))
    ::SetCursor(::LoadCursorW(nullptr, IDC_SIZEALL));
}

void CRangeSlider::OnLButtonDown(UINT nFlags, CPoint point) {
  SetFocus();
  Invalidate(TRUE);
  if (!m_tracking) {
    CRect grabbed;
    if (m_lowerThumb.PtInRect(point)) {
      m_trackMode = kTrackLower;
      grabbed = m_lowerThumb;
    } else if (m_upperThumb.PtInRect(point)) {
      m_trackMode = kTrackUpper;
      grabbed = m_upperThumb;
    } else if (BarGrip().PtInRect(point)) {
      m_trackMode = kTrackBar;
      grabbed = BarGrip();
    }
    if (!grabbed.IsRectEmpty()) {
      SetCursorFor(point);
      const CPoint centre((grabbed.left + grabbed.right) / 2, (grabbed.top + grabbed.bottom) / 2);
      m_trackOffset = CPoint(point.x - centre.x, point.y - centre.y);
      m_tracking = 1;
      SetCapture();
    }
  }
  CWnd::OnLButtonDown(nFlags, point);
}

void CRangeSlider::OnMouseMove(UINT nFlags, CPoint point) {
  SetCursorFor(point);
  // A slider narrower than its thumbs has no pixels to map: nothing to move.
  if (m_tracking && m_pixelRange > 0) {
    const double x = point.x - m_trackOffset.x;
    const double span = m_max - m_min;
    WPARAM what = 0;
    switch (m_trackMode) {
      case kTrackLower:
        m_left = m_min + (x - m_arrowWidth / 2) / m_pixelRange * span;
        if (m_left >= m_max) m_left = m_max;
        if (m_right <= m_left) m_right = m_left;
        if (m_left <= m_min) m_left = m_min;
        what = 0;
        break;
      case kTrackUpper: {
        const double before = m_right;
        m_right = m_min + (x - 3 * m_arrowWidth / 2) / m_pixelRange * span;
        if (m_right <= m_min) m_right = m_min;
        if (m_left >= m_right) m_left = m_right;
        if (m_right >= m_max) m_right = m_max;
        what = m_right != before ? 1 : 0;
        break;
      }
      default: {
        const double width = m_right - m_left;
        const double centre = m_min + (x - m_arrowWidth) / m_pixelRange * span;
        m_left = centre - width / 2;
        m_right = centre + width / 2;
        if (m_left <= m_min) {
          m_left = m_min;
          m_right = m_min + width;
        }
        if (m_right >= m_max) {
          m_right = m_max;
          m_left = m_max - width;
        }
        what = 2;
        break;
      }
    }
    Notify(what);
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  }
  CWnd::OnMouseMove(nFlags, point);
}

void CRangeSlider::OnLButtonUp(UINT nFlags, CPoint point) {
  if (m_tracking) {
    m_tracking = 0;
    ::ReleaseCapture();
    Invalidate(TRUE);
  }
  CWnd::OnLButtonUp(nFlags, point);
}

void CRangeSlider::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
  if ((nChar != VK_LEFT && nChar != VK_RIGHT) || ::GetKeyState(VK_CONTROL) < 0) {
    CWnd::OnKeyDown(nChar, nRepCnt, nFlags);
    return;
  }
  if (m_pixelRange <= 0) return;
  const double step = (m_max - m_min) / m_pixelRange;
  if (step == 0.0) return;
  const bool shift = ::GetKeyState(VK_SHIFT) < 0;
  int pl = static_cast<int>((m_left - m_min) / step + 0.5);
  int pr = static_cast<int>((m_right - m_min) / step + 0.5);
  const int delta = nChar == VK_LEFT ? -1 : 1;
  pr += delta;
  if (!shift) pl += delta;
  // Shift moves only the upper edge; it never passes the lower one.
  if (pl >= 0 && pr <= m_pixelRange && pl <= pr) {
    m_left = m_min + pl * step;
    m_right = m_min + pr * step;
  }
  Notify(shift ? 0 : 2);
  Invalidate(TRUE);
}

UINT CRangeSlider::OnGetDlgCode() { return DLGC_WANTARROWS; }

void CRangeSlider::OnSetFocus(CWnd* pOldWnd) {
  CWnd::OnSetFocus(pOldWnd);
  Invalidate(TRUE);
}

void CRangeSlider::OnKillFocus(CWnd* pNewWnd) {
  CWnd::OnKillFocus(pNewWnd);
  Invalidate(TRUE);
}

void CRangeSlider::NormalizeRange() {
  if (m_min > m_left) {
    m_left = m_min;
    Notify(0);
  }
  if (m_left > m_right) {
    m_right = m_left;
    Notify(1);
  }
  if (m_max < m_right) {
    m_right = m_max;
    Notify(1);
  }
  if (m_right < m_left) {
    m_left = m_right;
    Notify(0);
  }
}
