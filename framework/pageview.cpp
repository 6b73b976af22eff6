#include "framework/pageview.h"

#include <algorithm>
#include <optional>

#include "framework/clipboard.h"
#include "framework/dc.h"
#include "framework/fwstate.h"

namespace {

fw::PageRendererFactory s_factory = nullptr;
constexpr wchar_t kViewClass[] = L"FwPageView";
constexpr UINT_PTR kDragScrollTimer = 1;
constexpr UINT kDragScrollMs = 50;
// Pages from this many characters take long enough to read and lay out to show the wait cursor.
constexpr std::size_t kLongPageChars = 100000;

void RegisterViewClass() {
  WNDCLASSW wc = {};
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = AfxGetAfxWndProc();
  wc.hInstance = AfxGetInstanceHandle();
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = kViewClass;
  AfxRegisterClass(&wc);
}

}  // namespace

void AFXAPI AfxSetPageRendererFactory(fw::PageRendererFactory factory) { s_factory = factory; }
fw::PageRendererFactory AFXAPI AfxGetPageRendererFactory() { return s_factory; }

namespace fw::detail {

BEGIN_MESSAGE_MAP(CPageView, CWnd)
  ON_WM_PAINT()
  ON_WM_ERASEBKGND()
  ON_WM_SIZE()
  ON_WM_VSCROLL()
  ON_WM_HSCROLL()
  ON_WM_MOUSEWHEEL()
  ON_WM_KEYDOWN()
  ON_WM_GETDLGCODE()
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONUP()
  ON_WM_LBUTTONDBLCLK()
  ON_WM_MOUSEMOVE()
  ON_WM_TIMER()
  ON_WM_CAPTURECHANGED()
  ON_WM_SETCURSOR()
  ON_MESSAGE(WM_GETTEXT, &CPageView::OnGetText)
  ON_MESSAGE(WM_GETTEXTLENGTH, &CPageView::OnGetTextLength)
END_MESSAGE_MAP()

CPageView::CPageView(std::unique_ptr<IPageRenderer> renderer, std::function<void(const std::wstring&)> onLink)
    : m_renderer(std::move(renderer)), m_onLink(std::move(onLink)) {}

CPageView::~CPageView() {
  if (m_hWnd != nullptr) DestroyWindow();
}

BOOL CPageView::CreateView(CWnd* pParent, const RECT& rect, UINT nID) {
  RegisterViewClass();
  return CreateEx(0, kViewClass, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | WS_HSCROLL, rect, pParent,
                  nID);
}

int CPageView::LineStep() const {
  // About one line of the dialog font.
  return std::max(8, static_cast<int>(HIWORD(::GetDialogBaseUnits())) + 4);
}

void CPageView::SetPage(const std::wstring& html, const std::wstring& url, std::function<std::wstring()> text) {
  m_makeText = std::move(text);
  m_text.clear();
  m_textMade = !m_makeText;
  if (m_dragging) EndDrag();
  m_anchor = m_caret = -1;
  // Reading and laying out a long page takes a while: the user sees that work is going on. A
  // short one shows no flicker of the cursor (on every step of a resize, say).
  m_longPage = html.size() >= kLongPageChars;
  std::optional<CWaitCursor> wait;
  if (m_longPage) wait.emplace();
  m_renderer->SetPage(html, url);
  m_origin = CPoint(0, 0);
  m_layoutWidth = -1;
  Relayout();
  // A page opened at a place in it ("page.html#part") starts there.
  std::size_t hash = url.find(L'#');
  while (hash != std::wstring::npos && hash > 0 && url[hash - 1] == L'/') hash = url.find(L'#', hash + 1);
  if (hash != std::wstring::npos) ScrollToAnchor(url.substr(hash + 1));
}

void CPageView::Relayout() {
  if (m_hWnd == nullptr) return;
  CRect client;
  GetClientRect(&client);
  // The vertical bar stays (disabled when not needed), so the page's width
  // does not change with its height.
  if (client.Width() != m_layoutWidth) {
    std::optional<CWaitCursor> wait;
    if (m_longPage) wait.emplace();
    HDC hdc = ::GetDC(m_hWnd);
    SIZE size = m_renderer->Layout(hdc, std::max<LONG>(0, client.Width()));
    ::ReleaseDC(m_hWnd, hdc);
    m_docSize = CSize(size.cx, size.cy);
    m_layoutWidth = client.Width();
  }
  UpdateBars();
  Invalidate(FALSE);
}

void CPageView::UpdateBars() {
  CRect client;
  GetClientRect(&client);
  SCROLLINFO si = {sizeof(si)};
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
  si.nMin = 0;
  si.nMax = std::max<LONG>(0, m_docSize.cy - 1);
  si.nPage = static_cast<UINT>(std::max<LONG>(0, client.Height()));
  m_origin.y = std::clamp<LONG>(m_origin.y, 0L, std::max<LONG>(0, m_docSize.cy - client.Height()));
  si.nPos = m_origin.y;
  ::SetScrollInfo(m_hWnd, SB_VERT, &si, TRUE);
  // The horizontal bar only for pages wider than the window (a wide table).
  const bool wide = m_docSize.cx > client.Width();
  m_origin.x = wide ? std::clamp<LONG>(m_origin.x, 0L, m_docSize.cx - client.Width()) : 0;
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  si.nMax = wide ? m_docSize.cx - 1 : 0;
  si.nPage = wide ? static_cast<UINT>(client.Width()) : 0;
  si.nPos = m_origin.x;
  ::SetScrollInfo(m_hWnd, SB_HORZ, &si, TRUE);
  ::ShowScrollBar(m_hWnd, SB_HORZ, wide);
}

void CPageView::ScrollTo(CPoint origin) {
  if (m_hWnd == nullptr) return;
  CRect client;
  GetClientRect(&client);
  origin.x = std::clamp<LONG>(origin.x, 0L, std::max<LONG>(0, m_docSize.cx - client.Width()));
  origin.y = std::clamp<LONG>(origin.y, 0L, std::max<LONG>(0, m_docSize.cy - client.Height()));
  if (origin == m_origin) return;
  m_origin = origin;
  ::SetScrollPos(m_hWnd, SB_VERT, m_origin.y, TRUE);
  ::SetScrollPos(m_hWnd, SB_HORZ, m_origin.x, TRUE);
  Invalidate(FALSE);
}

BOOL CPageView::ScrollToAnchor(const std::wstring& name) {
  int top = name.empty() ? 0 : m_renderer->AnchorTop(name);
  if (top < 0) return FALSE;
  ScrollTo(CPoint(m_origin.x, top));
  return TRUE;
}

void CPageView::OnPaint() {
  CPaintDC dc(this);
  CRect client;
  GetClientRect(&client);
  if (client.IsRectEmpty()) return;
  // Drawn off screen, then copied in one step: no flicker while scrolling.
  HDC hMem = ::CreateCompatibleDC(dc.m_hDC);
  HBITMAP hBitmap = ::CreateCompatibleBitmap(dc.m_hDC, client.Width(), client.Height());
  if (hMem == nullptr || hBitmap == nullptr) {
    if (hBitmap) ::DeleteObject(hBitmap);
    if (hMem) ::DeleteDC(hMem);
    ::FillRect(dc.m_hDC, &client, ::GetSysColorBrush(COLOR_WINDOW));
    return;
  }
  HGDIOBJ hOld = ::SelectObject(hMem, hBitmap);
  RECT clip = dc.m_ps.rcPaint;
  ::FillRect(hMem, &clip, ::GetSysColorBrush(COLOR_WINDOW));
  int saved = ::SaveDC(hMem);
  ::IntersectClipRect(hMem, clip.left, clip.top, clip.right, clip.bottom);
  m_renderer->Paint(hMem, clip, POINT{m_origin.x, m_origin.y});
  ::RestoreDC(hMem, saved);
  ::BitBlt(dc.m_hDC, clip.left, clip.top, clip.right - clip.left, clip.bottom - clip.top, hMem, clip.left, clip.top,
           SRCCOPY);
  ::SelectObject(hMem, hOld);
  ::DeleteObject(hBitmap);
  ::DeleteDC(hMem);
}

BOOL CPageView::OnEraseBkgnd(CDC*) { return TRUE; }

void CPageView::OnSize(UINT nType, int cx, int cy) {
  CWnd::OnSize(nType, cx, cy);
  Relayout();
}

void CPageView::Scroll(int bar, UINT code, int trackPos) {
  CRect client;
  GetClientRect(&client);
  const bool vertical = bar == SB_VERT;
  const int page = std::max<LONG>(1, (vertical ? client.Height() : client.Width()) - LineStep());
  const int size = vertical ? m_docSize.cy : m_docSize.cx;
  int pos = vertical ? m_origin.y : m_origin.x;
  switch (code) {
    case SB_LINEUP: pos -= LineStep(); break;
    case SB_LINEDOWN: pos += LineStep(); break;
    case SB_PAGEUP: pos -= page; break;
    case SB_PAGEDOWN: pos += page; break;
    case SB_TOP: pos = 0; break;
    case SB_BOTTOM: pos = size; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
      // The 32-bit position; the message carries only 16 bits.
      SCROLLINFO si = {sizeof(si), SIF_TRACKPOS};
      pos = ::GetScrollInfo(m_hWnd, bar, &si) ? si.nTrackPos : trackPos;
      break;
    }
    default: return;
  }
  ScrollTo(vertical ? CPoint(m_origin.x, pos) : CPoint(pos, m_origin.y));
}

void CPageView::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar*) { Scroll(SB_VERT, nSBCode, static_cast<int>(nPos)); }
void CPageView::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar*) { Scroll(SB_HORZ, nSBCode, static_cast<int>(nPos)); }

BOOL CPageView::OnMouseWheel(UINT, short zDelta, CPoint) {
  UINT lines = 3;
  ::SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  CRect client;
  GetClientRect(&client);
  m_wheelRest += zDelta;
  int steps = m_wheelRest / WHEEL_DELTA;
  if (steps == 0) return TRUE;
  m_wheelRest -= steps * WHEEL_DELTA;
  int distance = lines == WHEEL_PAGESCROLL ? client.Height() : static_cast<int>(lines) * LineStep();
  ScrollTo(CPoint(m_origin.x, m_origin.y - steps * distance));
  return TRUE;
}

void CPageView::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
  const bool ctrl = ::GetKeyState(VK_CONTROL) < 0;
  switch (nChar) {
    case VK_UP: Scroll(SB_VERT, SB_LINEUP, 0); return;
    case VK_DOWN: Scroll(SB_VERT, SB_LINEDOWN, 0); return;
    case VK_PRIOR: Scroll(SB_VERT, SB_PAGEUP, 0); return;
    case VK_NEXT:
    case VK_SPACE: Scroll(SB_VERT, SB_PAGEDOWN, 0); return;
    case VK_HOME: ScrollTo(CPoint(0, 0)); return;
    case VK_END: Scroll(SB_VERT, SB_BOTTOM, 0); return;
    case VK_LEFT: Scroll(SB_HORZ, SB_LINEUP, 0); return;
    case VK_RIGHT: Scroll(SB_HORZ, SB_LINEDOWN, 0); return;
    case 'C':
    case VK_INSERT:
      if (ctrl) {
        CClipboard::CopyText(CopiedText().c_str(), m_hWnd);
        return;
      }
      break;
    case 'A':
      if (ctrl) {
        const long length = m_renderer->TextLength();
        if (m_renderer->TextPositionAt(POINT{0, 0}) >= 0) SetSelection(0, length);
        return;
      }
      break;
    default: break;
  }
  CWnd::OnKeyDown(nChar, nRepCnt, nFlags);
}

UINT CPageView::OnGetDlgCode() { return DLGC_WANTARROWS; }

long CPageView::PositionAt(CPoint client) const {
  return m_renderer->TextPositionAt(POINT{client.x + m_origin.x, client.y + m_origin.y});
}

void CPageView::SetSelection(long anchor, long end) {
  if (anchor == m_anchor && end == m_caret) return;
  m_anchor = anchor;
  m_caret = end;
  m_renderer->SetSelection(anchor, end);
  if (m_hWnd != nullptr) Invalidate(FALSE);
}

const std::wstring& CPageView::PageText() const {
  if (!m_textMade) {
    m_text = m_makeText();
    m_textMade = true;
  }
  return m_text;
}

LRESULT CPageView::OnGetText(WPARAM wParam, LPARAM lParam) {
  auto* buffer = reinterpret_cast<wchar_t*>(lParam);
  if (buffer == nullptr || wParam == 0) return 0;
  const std::wstring& text = PageText();
  const std::size_t count = std::min<std::size_t>(text.size(), static_cast<std::size_t>(wParam) - 1);
  text.copy(buffer, count);
  buffer[count] = L'\0';
  return static_cast<LRESULT>(count);
}

LRESULT CPageView::OnGetTextLength(WPARAM, LPARAM) { return static_cast<LRESULT>(PageText().size()); }

std::wstring CPageView::CopiedText() const {
  if (m_anchor < 0 || m_caret < 0 || m_anchor == m_caret) return PageText();
  // All of it selected copies the page's text, as selecting all of the text view did.
  if (std::min(m_anchor, m_caret) == 0 && std::max(m_anchor, m_caret) >= m_renderer->TextLength()) return PageText();
  return m_renderer->TextBetween(m_anchor, m_caret);
}

void CPageView::OnLButtonDown(UINT nFlags, CPoint point) {
  SetFocus();
  m_pressedLink = m_renderer->LinkAt(POINT{point.x + m_origin.x, point.y + m_origin.y});
  const long at = PositionAt(point);
  if (at < 0) return;
  // Shift extends the selection there is; a plain press starts a new one.
  if ((nFlags & MK_SHIFT) != 0 && m_anchor >= 0)
    SetSelection(m_anchor, at);
  else
    SetSelection(at, at);
  m_dragging = true;
  m_dragPoint = point;
  SetCapture();
}

void CPageView::DragTo(CPoint client) {
  m_dragPoint = client;
  CRect rc;
  GetClientRect(&rc);
  // Past an edge the page scrolls, by a timer while the pointer stays there.
  const bool outside = client.y < rc.top || client.y >= rc.bottom || client.x < rc.left || client.x >= rc.right;
  if (outside)
    SetTimer(kDragScrollTimer, kDragScrollMs, nullptr);
  else
    KillTimer(kDragScrollTimer);
  CPoint inside(std::clamp<LONG>(client.x, rc.left, std::max(rc.left, rc.right - 1)),
                std::clamp<LONG>(client.y, rc.top, std::max(rc.top, rc.bottom - 1)));
  const long at = PositionAt(inside);
  if (at >= 0) SetSelection(m_anchor, at);
}

void CPageView::EndDrag() {
  m_dragging = false;
  KillTimer(kDragScrollTimer);
  if (::GetCapture() == m_hWnd) ::ReleaseCapture();
}

void CPageView::OnMouseMove(UINT, CPoint point) {
  if (m_dragging) DragTo(point);
}

void CPageView::OnTimer(UINT_PTR nIDEvent) {
  if (nIDEvent != kDragScrollTimer || !m_dragging) {
    CWnd::OnTimer(nIDEvent);
    return;
  }
  CRect rc;
  GetClientRect(&rc);
  const int step = LineStep();
  CPoint origin = m_origin;
  if (m_dragPoint.y < rc.top) origin.y -= step;
  if (m_dragPoint.y >= rc.bottom) origin.y += step;
  if (m_dragPoint.x < rc.left) origin.x -= step;
  if (m_dragPoint.x >= rc.right) origin.x += step;
  ScrollTo(origin);
  DragTo(m_dragPoint);
}

void CPageView::OnCaptureChanged(CWnd*) {
  m_dragging = false;
  KillTimer(kDragScrollTimer);
}

void CPageView::OnLButtonUp(UINT, CPoint point) {
  const bool wasDragging = m_dragging;
  if (m_dragging) {
    DragTo(point);
    EndDrag();
  }
  std::wstring link = m_renderer->LinkAt(POINT{point.x + m_origin.x, point.y + m_origin.y});
  // A press that selected text is no click on the link under it.
  const bool selected = wasDragging && m_anchor != m_caret;
  const bool followed = !link.empty() && link == m_pressedLink && !selected;
  m_pressedLink.clear();
  if (!followed) return;
  if (link[0] == L'#') {
    ScrollToAnchor(link.substr(1));
    return;
  }
  if (m_onLink) m_onLink(link);
}

void CPageView::OnLButtonDblClk(UINT, CPoint point) {
  const long at = PositionAt(point);
  if (at < 0) return;
  long from = at, to = at;
  m_renderer->WordAround(at, from, to);
  SetSelection(from, to);
}

BOOL CPageView::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) {
  if (nHitTest == HTCLIENT) {
    CPoint point;
    ::GetCursorPos(&point);
    ScreenToClient(&point);
    if (!m_renderer->LinkAt(POINT{point.x + m_origin.x, point.y + m_origin.y}).empty()) {
      ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
      return TRUE;
    }
    // Text to select: the text beam, as over the text view.
    if (m_dragging || m_renderer->HasText()) {
      ::SetCursor(::LoadCursorW(nullptr, IDC_IBEAM));
      return TRUE;
    }
  }
  return CWnd::OnSetCursor(pWnd, nHitTest, message);
}

}  // namespace fw::detail
