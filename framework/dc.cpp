#include "framework/dc.h"

#include <cwchar>
#include <utility>
#include <vector>

#include "framework/fwinternal.h"
#include "framework/wnd.h"

using fw::detail::HandleKind;

IMPLEMENT_DYNCREATE(CDC, CObject)
IMPLEMENT_DYNAMIC(CPaintDC, CDC)
IMPLEMENT_DYNAMIC(CClientDC, CDC)
IMPLEMENT_DYNAMIC(CWindowDC, CDC)

namespace {

void ReleaseTemporaryDC(CObject* object) {
  auto* dc = static_cast<CDC*>(object);
  dc->m_hDC = dc->m_hAttribDC = nullptr;
  delete dc;
}

}  // namespace

CDC::~CDC() {
  if (m_hDC != nullptr) ::DeleteDC(Detach());
}

CWnd* CDC::GetWindow() const { return m_hDC ? CWnd::FromHandle(::WindowFromDC(m_hDC)) : nullptr; }

CDC* AFXAPI CDC::FromHandle(HDC hDC) {
  if (hDC == nullptr) return nullptr;
  if (CObject* p = fw::detail::PermanentLookup(HandleKind::DC, hDC)) return static_cast<CDC*>(p);
  if (CObject* p = fw::detail::TemporaryLookup(HandleKind::DC, hDC)) return static_cast<CDC*>(p);
  CDC* dc = new CDC;
  dc->m_hDC = dc->m_hAttribDC = hDC;
  fw::detail::TemporaryAdd(HandleKind::DC, hDC, dc, &ReleaseTemporaryDC);
  return dc;
}

void AFXAPI CDC::DeleteTempMap() { fw::detail::DeleteTemporaries(HandleKind::DC); }

BOOL CDC::Attach(HDC hDC) {
  if (hDC == nullptr) return FALSE;
  if (m_hDC != nullptr && m_hDC != hDC) DeleteDC();
  m_hDC = m_hAttribDC = hDC;
  fw::detail::PermanentAdd(HandleKind::DC, hDC, this);
  return TRUE;
}

HDC CDC::Detach() {
  HDC h = m_hDC;
  if (h != nullptr) fw::detail::PermanentRemove(HandleKind::DC, h, this);
  m_hDC = m_hAttribDC = nullptr;
  return h;
}

BOOL CDC::CreateDC(LPCTSTR lpszDriverName, LPCTSTR lpszDeviceName, LPCTSTR lpszOutput, const void* lpInitData) {
  return Attach(::CreateDCW(lpszDriverName, lpszDeviceName, lpszOutput, static_cast<const DEVMODEW*>(lpInitData)));
}

BOOL CDC::CreateIC(LPCTSTR lpszDriverName, LPCTSTR lpszDeviceName, LPCTSTR lpszOutput, const void* lpInitData) {
  return Attach(::CreateICW(lpszDriverName, lpszDeviceName, lpszOutput, static_cast<const DEVMODEW*>(lpInitData)));
}

BOOL CDC::CreateCompatibleDC(CDC* pDC) { return Attach(::CreateCompatibleDC(pDC ? pDC->m_hDC : nullptr)); }

BOOL CDC::DeleteDC() {
  if (m_hDC == nullptr) return FALSE;
  return ::DeleteDC(Detach());
}

int CDC::SaveDC() {
  int n = 0;
  if (m_hAttribDC) n = ::SaveDC(m_hAttribDC);
  if (m_hDC != m_hAttribDC && m_hDC) n = ::SaveDC(m_hDC);
  return n;
}

BOOL CDC::RestoreDC(int nSavedDC) {
  BOOL ok = TRUE;
  if (m_hDC != m_hAttribDC && m_hDC) ok = ::RestoreDC(m_hDC, nSavedDC);
  if (m_hAttribDC) ok = ::RestoreDC(m_hAttribDC, nSavedDC) && ok;
  return ok;
}

HGDIOBJ CDC::SelectObject(HGDIOBJ hObject) {
  if (hObject == nullptr) return nullptr;
  HGDIOBJ old = nullptr;
  if (m_hDC != m_hAttribDC && m_hDC) old = ::SelectObject(m_hDC, hObject);
  if (m_hAttribDC) old = ::SelectObject(m_hAttribDC, hObject);
  return old;
}

CPen* CDC::SelectObject(CPen* pPen) {
  if (pPen == nullptr) return nullptr;
  return static_cast<CPen*>(CGdiObject::FromHandle(SelectObject(pPen->m_hObject)));
}

CBrush* CDC::SelectObject(CBrush* pBrush) {
  if (pBrush == nullptr) return nullptr;
  return static_cast<CBrush*>(CGdiObject::FromHandle(SelectObject(pBrush->m_hObject)));
}

CFont* CDC::SelectObject(CFont* pFont) {
  if (pFont == nullptr) return nullptr;
  return static_cast<CFont*>(CGdiObject::FromHandle(SelectObject(pFont->m_hObject)));
}

CBitmap* CDC::SelectObject(CBitmap* pBitmap) {
  if (pBitmap == nullptr) return nullptr;
  return static_cast<CBitmap*>(CGdiObject::FromHandle(SelectObject(pBitmap->m_hObject)));
}

int CDC::SelectObject(CRgn* pRgn) {
  if (pRgn == nullptr) return ERROR;
  return SelectClipRgn(pRgn);
}

CGdiObject* CDC::SelectObject(CGdiObject* pObject) {
  if (pObject == nullptr) return nullptr;
  return CGdiObject::FromHandle(SelectObject(pObject->m_hObject));
}

CGdiObject* CDC::SelectStockObject(int nIndex) {
  HGDIOBJ h = ::GetStockObject(nIndex);
  return h ? CGdiObject::FromHandle(SelectObject(h)) : nullptr;
}

CPalette* CDC::SelectPalette(CPalette* pPalette, BOOL bForceBackground) {
  if (pPalette == nullptr) return nullptr;
  return CPalette::FromHandle(::SelectPalette(m_hDC, *pPalette, bForceBackground));
}

// Attribute setters change both DCs when they differ, answering from the
// attribute DC.
#define FW_SET_BOTH(call)                                   \
  if (m_hDC != m_hAttribDC && m_hDC) (void)::call(m_hDC, v); \
  return m_hAttribDC ? ::call(m_hAttribDC, v) : 0;

COLORREF CDC::SetBkColor(COLORREF v) { FW_SET_BOTH(SetBkColor) }
int CDC::SetBkMode(int v) { FW_SET_BOTH(SetBkMode) }
COLORREF CDC::SetTextColor(COLORREF v) { FW_SET_BOTH(SetTextColor) }
int CDC::SetROP2(int v) { FW_SET_BOTH(SetROP2) }
int CDC::SetPolyFillMode(int v) { FW_SET_BOTH(SetPolyFillMode) }
int CDC::SetStretchBltMode(int v) { FW_SET_BOTH(SetStretchBltMode) }
UINT CDC::SetTextAlign(UINT v) { FW_SET_BOTH(SetTextAlign) }
int CDC::SetTextCharacterExtra(int v) { FW_SET_BOTH(SetTextCharacterExtra) }
int CDC::SetMapMode(int v) { FW_SET_BOTH(SetMapMode) }

#undef FW_SET_BOTH

CPoint CDC::GetBrushOrg() const {
  POINT pt = {0, 0};
  ::GetBrushOrgEx(m_hDC, &pt);
  return pt;
}

CPoint CDC::SetBrushOrg(int x, int y) {
  POINT pt = {0, 0};
  ::SetBrushOrgEx(m_hDC, x, y, &pt);
  return pt;
}

CPoint CDC::GetViewportOrg() const {
  POINT pt = {0, 0};
  ::GetViewportOrgEx(m_hAttribDC, &pt);
  return pt;
}

CPoint CDC::SetViewportOrg(int x, int y) {
  POINT pt = {0, 0};
  if (m_hDC != m_hAttribDC && m_hDC) ::SetViewportOrgEx(m_hDC, x, y, &pt);
  if (m_hAttribDC) ::SetViewportOrgEx(m_hAttribDC, x, y, &pt);
  return pt;
}

CPoint CDC::OffsetViewportOrg(int nWidth, int nHeight) {
  POINT pt = {0, 0};
  if (m_hDC != m_hAttribDC && m_hDC) ::OffsetViewportOrgEx(m_hDC, nWidth, nHeight, &pt);
  if (m_hAttribDC) ::OffsetViewportOrgEx(m_hAttribDC, nWidth, nHeight, &pt);
  return pt;
}

CSize CDC::GetViewportExt() const {
  SIZE s = {0, 0};
  ::GetViewportExtEx(m_hAttribDC, &s);
  return s;
}

CSize CDC::SetViewportExt(int cx, int cy) {
  SIZE s = {0, 0};
  if (m_hDC != m_hAttribDC && m_hDC) ::SetViewportExtEx(m_hDC, cx, cy, &s);
  if (m_hAttribDC) ::SetViewportExtEx(m_hAttribDC, cx, cy, &s);
  return s;
}

CPoint CDC::GetWindowOrg() const {
  POINT pt = {0, 0};
  ::GetWindowOrgEx(m_hAttribDC, &pt);
  return pt;
}

CPoint CDC::SetWindowOrg(int x, int y) {
  POINT pt = {0, 0};
  if (m_hDC != m_hAttribDC && m_hDC) ::SetWindowOrgEx(m_hDC, x, y, &pt);
  if (m_hAttribDC) ::SetWindowOrgEx(m_hAttribDC, x, y, &pt);
  return pt;
}

CPoint CDC::OffsetWindowOrg(int nWidth, int nHeight) {
  POINT pt = {0, 0};
  if (m_hDC != m_hAttribDC && m_hDC) ::OffsetWindowOrgEx(m_hDC, nWidth, nHeight, &pt);
  if (m_hAttribDC) ::OffsetWindowOrgEx(m_hAttribDC, nWidth, nHeight, &pt);
  return pt;
}

CSize CDC::GetWindowExt() const {
  SIZE s = {0, 0};
  ::GetWindowExtEx(m_hAttribDC, &s);
  return s;
}

CSize CDC::SetWindowExt(int cx, int cy) {
  SIZE s = {0, 0};
  if (m_hDC != m_hAttribDC && m_hDC) ::SetWindowExtEx(m_hDC, cx, cy, &s);
  if (m_hAttribDC) ::SetWindowExtEx(m_hAttribDC, cx, cy, &s);
  return s;
}

void CDC::DPtoLP(LPSIZE lpSize) const {
  POINT pts[2] = {{0, 0}, {lpSize->cx, lpSize->cy}};
  ::DPtoLP(m_hAttribDC, pts, 2);
  lpSize->cx = pts[1].x - pts[0].x;
  lpSize->cy = pts[1].y - pts[0].y;
}

void CDC::LPtoDP(LPSIZE lpSize) const {
  POINT pts[2] = {{0, 0}, {lpSize->cx, lpSize->cy}};
  ::LPtoDP(m_hAttribDC, pts, 2);
  lpSize->cx = pts[1].x - pts[0].x;
  lpSize->cy = pts[1].y - pts[0].y;
}

int CDC::SelectClipRgn(CRgn* pRgn) {
  HRGN h = pRgn ? static_cast<HRGN>(pRgn->m_hObject) : nullptr;
  int r = ERROR;
  if (m_hDC != m_hAttribDC && m_hDC) r = ::SelectClipRgn(m_hDC, h);
  if (m_hAttribDC) r = ::SelectClipRgn(m_hAttribDC, h);
  return r;
}

int CDC::SelectClipRgn(CRgn* pRgn, int nMode) {
  HRGN h = pRgn ? static_cast<HRGN>(pRgn->m_hObject) : nullptr;
  int r = ERROR;
  if (m_hDC != m_hAttribDC && m_hDC) r = ::ExtSelectClipRgn(m_hDC, h, nMode);
  if (m_hAttribDC) r = ::ExtSelectClipRgn(m_hAttribDC, h, nMode);
  return r;
}

int CDC::ExcludeClipRect(int x1, int y1, int x2, int y2) {
  int r = ERROR;
  if (m_hDC != m_hAttribDC && m_hDC) r = ::ExcludeClipRect(m_hDC, x1, y1, x2, y2);
  if (m_hAttribDC) r = ::ExcludeClipRect(m_hAttribDC, x1, y1, x2, y2);
  return r;
}

int CDC::ExcludeUpdateRgn(CWnd* pWnd) {
  if (pWnd == nullptr) return ERROR;
  return ::ExcludeUpdateRgn(m_hDC, pWnd->m_hWnd);
}

int CDC::IntersectClipRect(int x1, int y1, int x2, int y2) {
  int r = ERROR;
  if (m_hDC != m_hAttribDC && m_hDC) r = ::IntersectClipRect(m_hDC, x1, y1, x2, y2);
  if (m_hAttribDC) r = ::IntersectClipRect(m_hAttribDC, x1, y1, x2, y2);
  return r;
}

int CDC::OffsetClipRgn(int x, int y) {
  int r = ERROR;
  if (m_hDC != m_hAttribDC && m_hDC) r = ::OffsetClipRgn(m_hDC, x, y);
  if (m_hAttribDC) r = ::OffsetClipRgn(m_hAttribDC, x, y);
  return r;
}

CPoint CDC::GetCurrentPosition() const {
  POINT pt = {0, 0};
  ::GetCurrentPositionEx(m_hAttribDC, &pt);
  return pt;
}

CPoint CDC::MoveTo(int x, int y) {
  POINT pt = {0, 0};
  if (m_hDC != m_hAttribDC && m_hDC) ::MoveToEx(m_hDC, x, y, &pt);
  if (m_hAttribDC) ::MoveToEx(m_hAttribDC, x, y, &pt);
  return pt;
}

BOOL CDC::LineTo(int x, int y) {
  if (m_hAttribDC && m_hDC != m_hAttribDC) ::MoveToEx(m_hAttribDC, x, y, nullptr);
  return ::LineTo(m_hDC, x, y);
}

void CDC::FillRect(LPCRECT lpRect, CBrush* pBrush) {
  if (pBrush && pBrush->m_hObject) ::FillRect(m_hDC, lpRect, *pBrush);
}

void CDC::FrameRect(LPCRECT lpRect, CBrush* pBrush) {
  if (pBrush && pBrush->m_hObject) ::FrameRect(m_hDC, lpRect, *pBrush);
}

BOOL CDC::DrawState(CPoint pt, CSize size, HBITMAP hBitmap, UINT nFlags, HBRUSH hBrush) {
  return ::DrawStateW(m_hDC, hBrush, nullptr, reinterpret_cast<LPARAM>(hBitmap), 0, pt.x, pt.y, size.cx, size.cy,
                      nFlags | DST_BITMAP);
}

BOOL CDC::DrawState(CPoint pt, CSize size, HICON hIcon, UINT nFlags, HBRUSH hBrush) {
  return ::DrawStateW(m_hDC, hBrush, nullptr, reinterpret_cast<LPARAM>(hIcon), 0, pt.x, pt.y, size.cx, size.cy,
                      nFlags | DST_ICON);
}

BOOL CDC::DrawState(CPoint pt, CSize size, LPCTSTR lpszText, UINT nFlags, BOOL bPrefixText, int nTextLen,
                    HBRUSH hBrush) {
  return ::DrawStateW(m_hDC, hBrush, nullptr, reinterpret_cast<LPARAM>(lpszText), static_cast<WPARAM>(nTextLen),
                      pt.x, pt.y, size.cx, size.cy, nFlags | (bPrefixText ? DST_PREFIXTEXT : DST_TEXT));
}

void CDC::FillSolidRect(LPCRECT lpRect, COLORREF clr) {
  if (lpRect == nullptr) return;
  RECT r = *lpRect;
  if (r.left > r.right) std::swap(r.left, r.right);
  if (r.top > r.bottom) std::swap(r.top, r.bottom);
  ::SetBkColor(m_hDC, clr);
  ::ExtTextOutW(m_hDC, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF clr) {
  RECT r = {x, y, x + cx, y + cy};
  FillSolidRect(&r, clr);
}

void CDC::Draw3dRect(LPCRECT lpRect, COLORREF clrTopLeft, COLORREF clrBottomRight) {
  Draw3dRect(lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top, clrTopLeft,
             clrBottomRight);
}

void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF clrTopLeft, COLORREF clrBottomRight) {
  // Top and left edges in one colour, right and bottom in the other; the
  // top-right and bottom-left corner pixels belong to the second.
  FillSolidRect(x, y, cx - 1, 1, clrTopLeft);
  FillSolidRect(x, y, 1, cy - 1, clrTopLeft);
  FillSolidRect(x + cx - 1, y, 1, cy, clrBottomRight);
  FillSolidRect(x, y + cy - 1, cx, 1, clrBottomRight);
}

BOOL CDC::FillRgn(CRgn* pRgn, CBrush* pBrush) {
  if (pRgn == nullptr || pBrush == nullptr) return FALSE;
  return ::FillRgn(m_hDC, *pRgn, *pBrush);
}

BOOL CDC::FrameRgn(CRgn* pRgn, CBrush* pBrush, int nWidth, int nHeight) {
  if (pRgn == nullptr || pBrush == nullptr) return FALSE;
  return ::FrameRgn(m_hDC, *pRgn, *pBrush, nWidth, nHeight);
}

BOOL CDC::InvertRgn(CRgn* pRgn) { return pRgn ? ::InvertRgn(m_hDC, *pRgn) : FALSE; }

BOOL CDC::PaintRgn(CRgn* pRgn) { return pRgn ? ::PaintRgn(m_hDC, *pRgn) : FALSE; }

BOOL CDC::BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, DWORD dwRop) {
  return ::BitBlt(m_hDC, x, y, nWidth, nHeight, pSrcDC ? pSrcDC->m_hDC : nullptr, xSrc, ySrc, dwRop);
}

BOOL CDC::StretchBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, int nSrcWidth,
                     int nSrcHeight, DWORD dwRop) {
  return ::StretchBlt(m_hDC, x, y, nWidth, nHeight, pSrcDC ? pSrcDC->m_hDC : nullptr, xSrc, ySrc, nSrcWidth,
                      nSrcHeight, dwRop);
}

BOOL CDC::TransparentBlt(int xDest, int yDest, int nDestWidth, int nDestHeight, CDC* pSrcDC, int xSrc, int ySrc,
                         int nSrcWidth, int nSrcHeight, UINT clrTransparent) {
  if (pSrcDC == nullptr) return FALSE;
  return ::TransparentBlt(m_hDC, xDest, yDest, nDestWidth, nDestHeight, pSrcDC->m_hDC, xSrc, ySrc, nSrcWidth,
                          nSrcHeight, clrTransparent);
}

BOOL CDC::AlphaBlend(int xDest, int yDest, int nDestWidth, int nDestHeight, CDC* pSrcDC, int xSrc, int ySrc,
                     int nSrcWidth, int nSrcHeight, BLENDFUNCTION blend) {
  if (pSrcDC == nullptr) return FALSE;
  return ::AlphaBlend(m_hDC, xDest, yDest, nDestWidth, nDestHeight, pSrcDC->m_hDC, xSrc, ySrc, nSrcWidth,
                      nSrcHeight, blend);
}

BOOL CDC::GradientFill(TRIVERTEX* pVertices, ULONG nVertices, void* pMesh, ULONG nMeshElements, DWORD dwMode) {
  return ::GradientFill(m_hDC, pVertices, nVertices, pMesh, nMeshElements, dwMode);
}

BOOL CDC::TextOut(int x, int y, LPCTSTR lpszString, int nCount) {
  if (lpszString == nullptr || nCount < 0) return FALSE;
  return ::TextOutW(m_hDC, x, y, lpszString, nCount);
}

BOOL CDC::ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, LPCTSTR lpszString, UINT nCount,
                     LPINT lpDxWidths) {
  return ::ExtTextOutW(m_hDC, x, y, nOptions, lpRect, lpszString, nCount, lpDxWidths);
}

CSize CDC::TabbedTextOut(int x, int y, LPCTSTR lpszString, int nCount, int nTabPositions, LPINT lpnTabStopPositions,
                         int nTabOrigin) {
  LONG r = ::TabbedTextOutW(m_hDC, x, y, lpszString, nCount, nTabPositions, lpnTabStopPositions, nTabOrigin);
  return CSize(LOWORD(r), HIWORD(r));
}

int CDC::DrawText(LPCTSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat) {
  if (lpszString == nullptr || lpRect == nullptr) return 0;
  // DT_MODIFYSTRING may write into the text: draw from a copy.
  if (nFormat & DT_MODIFYSTRING) {
    int n = nCount < 0 ? static_cast<int>(wcslen(lpszString)) : nCount;
    std::vector<wchar_t> copy(lpszString, lpszString + n);
    copy.resize(static_cast<std::size_t>(n) + 5, 0);
    return ::DrawTextW(m_hDC, copy.data(), n, lpRect, nFormat);
  }
  return ::DrawTextW(m_hDC, lpszString, nCount, lpRect, nFormat);
}

int CDC::DrawTextEx(LPTSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat, LPDRAWTEXTPARAMS lpDTParams) {
  if (lpszString == nullptr || lpRect == nullptr) return 0;
  return ::DrawTextExW(m_hDC, lpszString, nCount, lpRect, nFormat, lpDTParams);
}

int CDC::DrawTextEx(const CString& str, LPRECT lpRect, UINT nFormat, LPDRAWTEXTPARAMS lpDTParams) {
  std::vector<wchar_t> copy(str.GetString(), str.GetString() + str.GetLength());
  copy.resize(static_cast<std::size_t>(str.GetLength()) + 5, 0);
  return DrawTextEx(copy.data(), str.GetLength(), lpRect, nFormat & ~DT_MODIFYSTRING, lpDTParams);
}

CSize CDC::GetTextExtent(LPCTSTR lpszString, int nCount) const {
  SIZE s = {0, 0};
  if (lpszString && nCount > 0) ::GetTextExtentPoint32W(m_hAttribDC, lpszString, nCount, &s);
  return s;
}

CSize CDC::GetOutputTextExtent(LPCTSTR lpszString, int nCount) const {
  SIZE s = {0, 0};
  if (lpszString && nCount > 0) ::GetTextExtentPoint32W(m_hDC, lpszString, nCount, &s);
  return s;
}

CSize CDC::GetTabbedTextExtent(LPCTSTR lpszString, int nCount, int nTabPositions, LPINT lpnTabStopPositions) const {
  DWORD r = ::GetTabbedTextExtentW(m_hAttribDC, lpszString, nCount, nTabPositions, lpnTabStopPositions);
  return CSize(LOWORD(r), HIWORD(r));
}

int CDC::GetTextFace(CString& rString) const {
  wchar_t face[LF_FACESIZE + 1] = {};
  int n = ::GetTextFaceW(m_hAttribDC, LF_FACESIZE, face);
  rString = face;
  return n;
}

// Window device contexts.

CPaintDC::CPaintDC(CWnd* pWnd) : m_ps{}, m_hWnd(pWnd ? pWnd->m_hWnd : nullptr) {
  if (m_hWnd == nullptr) AfxThrowInvalidArgException();
  if (!Attach(::BeginPaint(m_hWnd, &m_ps))) AfxThrowResourceException();
}

CPaintDC::~CPaintDC() {
  ::EndPaint(m_hWnd, &m_ps);
  Detach();
}

CClientDC::CClientDC(CWnd* pWnd) : m_hWnd(pWnd ? pWnd->m_hWnd : nullptr) {
  if (!Attach(::GetDC(m_hWnd))) AfxThrowResourceException();
}

CClientDC::~CClientDC() { ::ReleaseDC(m_hWnd, Detach()); }

CWindowDC::CWindowDC(CWnd* pWnd) : m_hWnd(pWnd ? pWnd->m_hWnd : nullptr) {
  if (!Attach(::GetWindowDC(m_hWnd))) AfxThrowResourceException();
}

CWindowDC::~CWindowDC() { ::ReleaseDC(m_hWnd, Detach()); }

int CDC::GetClipRgn(CRgn* pRgn) const {
  if (pRgn == nullptr || pRgn->m_hObject == nullptr) return -1;
  return ::GetClipRgn(m_hDC, static_cast<HRGN>(pRgn->m_hObject));
}

namespace {

// The frame of thickness size inside rect, as a region (null when empty).
HRGN FrameRegion(LPCRECT rect, SIZE size) {
  if (rect == nullptr || ::IsRectEmpty(rect)) return nullptr;
  HRGN outer = ::CreateRectRgnIndirect(rect);
  RECT inner = *rect;
  ::InflateRect(&inner, -size.cx, -size.cy);
  if (inner.right > inner.left && inner.bottom > inner.top) {
    HRGN hole = ::CreateRectRgnIndirect(&inner);
    ::CombineRgn(outer, outer, hole, RGN_DIFF);
    ::DeleteObject(hole);
  }
  return outer;
}

void InvertRegion(HDC hDC, HRGN region, HBRUSH brush) {
  if (region == nullptr) return;
  RECT box;
  ::GetRgnBox(region, &box);
  const int saved = ::SaveDC(hDC);
  ::ExtSelectClipRgn(hDC, region, RGN_AND);
  HGDIOBJ old = ::SelectObject(hDC, brush);
  ::PatBlt(hDC, box.left, box.top, box.right - box.left, box.bottom - box.top, PATINVERT);
  ::SelectObject(hDC, old);
  ::RestoreDC(hDC, saved);
}

}  // namespace

void CDC::DrawDragRect(LPCRECT lpRect, SIZE size, LPCRECT lpRectLast, SIZE sizeLast, CBrush* pBrush,
                       CBrush* pBrushLast) {
  HBRUSH brush = pBrush != nullptr ? static_cast<HBRUSH>(*pBrush) : static_cast<HBRUSH>(*GetHalftoneBrush());
  HBRUSH brushLast = pBrushLast != nullptr ? static_cast<HBRUSH>(*pBrushLast) : brush;
  HRGN now = FrameRegion(lpRect, size);
  HRGN last = FrameRegion(lpRectLast, sizeLast);
  if (brush == brushLast && now != nullptr && last != nullptr) {
    // Pixels in both frames stay as they are.
    HRGN change = ::CreateRectRgn(0, 0, 0, 0);
    ::CombineRgn(change, now, last, RGN_XOR);
    InvertRegion(m_hDC, change, brush);
    ::DeleteObject(change);
  } else {
    InvertRegion(m_hDC, last, brushLast);
    InvertRegion(m_hDC, now, brush);
  }
  if (now != nullptr) ::DeleteObject(now);
  if (last != nullptr) ::DeleteObject(last);
}

CBrush* AFXAPI CDC::GetHalftoneBrush() {
  static CBrush* brush = [] {
    WORD pattern[8];
    for (int i = 0; i < 8; ++i) pattern[i] = static_cast<WORD>(0x5555 << (i & 1));
    HBITMAP bitmap = ::CreateBitmap(8, 8, 1, 1, pattern);
    auto* b = new CBrush;
    b->Attach(::CreatePatternBrush(bitmap));
    ::DeleteObject(bitmap);
    return b;
  }();
  return brush;
}
