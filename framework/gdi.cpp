#include "framework/gdi.h"

#include <cwchar>
#include <cstdlib>

#include "framework/dc.h"
#include "framework/fwinternal.h"
#include "framework/fwstate.h"

using fw::detail::HandleKind;

IMPLEMENT_DYNCREATE(CGdiObject, CObject)
IMPLEMENT_DYNAMIC(CPen, CGdiObject)
IMPLEMENT_DYNAMIC(CBrush, CGdiObject)
IMPLEMENT_DYNAMIC(CFont, CGdiObject)
IMPLEMENT_DYNAMIC(CBitmap, CGdiObject)
IMPLEMENT_DYNAMIC(CPalette, CGdiObject)
IMPLEMENT_DYNAMIC(CRgn, CGdiObject)

namespace {

void ReleaseTemporaryGdi(CObject* object) {
  auto* gdi = static_cast<CGdiObject*>(object);
  gdi->m_hObject = nullptr;
  delete gdi;
}

CGdiObject* NewWrapperFor(HGDIOBJ h) {
  switch (::GetObjectType(h)) {
    case OBJ_PEN:
    case OBJ_EXTPEN: return new CPen;
    case OBJ_BRUSH: return new CBrush;
    case OBJ_FONT: return new CFont;
    case OBJ_BITMAP: return new CBitmap;
    case OBJ_PAL: return new CPalette;
    case OBJ_REGION: return new CRgn;
    default: return new CGdiObject;
  }
}

}  // namespace

CGdiObject::~CGdiObject() { DeleteObject(); }

CGdiObject* AFXAPI CGdiObject::FromHandle(HGDIOBJ hObject) {
  if (hObject == nullptr) return nullptr;
  if (CObject* p = fw::detail::PermanentLookup(HandleKind::Gdi, hObject)) return static_cast<CGdiObject*>(p);
  if (CObject* p = fw::detail::TemporaryLookup(HandleKind::Gdi, hObject)) return static_cast<CGdiObject*>(p);
  CGdiObject* wrapper = NewWrapperFor(hObject);
  wrapper->m_hObject = hObject;
  fw::detail::TemporaryAdd(HandleKind::Gdi, hObject, wrapper, &ReleaseTemporaryGdi);
  return wrapper;
}

void AFXAPI CGdiObject::DeleteTempMap() { fw::detail::DeleteTemporaries(HandleKind::Gdi); }

BOOL CGdiObject::Attach(HGDIOBJ hObject) {
  if (hObject == nullptr) return FALSE;
  // Creating into a wrapper that still owns an object replaces that object.
  if (m_hObject != nullptr && m_hObject != hObject) DeleteObject();
  m_hObject = hObject;
  fw::detail::PermanentAdd(HandleKind::Gdi, hObject, this);
  return TRUE;
}

HGDIOBJ CGdiObject::Detach() {
  HGDIOBJ h = m_hObject;
  if (h != nullptr) fw::detail::PermanentRemove(HandleKind::Gdi, h, this);
  m_hObject = nullptr;
  return h;
}

BOOL CGdiObject::DeleteObject() {
  if (m_hObject == nullptr) return FALSE;
  return ::DeleteObject(Detach());
}

int CGdiObject::GetObject(int nCount, LPVOID lpObject) const {
  if (m_hObject == nullptr) return 0;
  return ::GetObjectW(m_hObject, nCount, lpObject);
}

UINT CGdiObject::GetObjectType() const { return m_hObject ? ::GetObjectType(m_hObject) : 0; }

BOOL CGdiObject::CreateStockObject(int nIndex) { return Attach(::GetStockObject(nIndex)); }

BOOL CGdiObject::UnrealizeObject() { return m_hObject ? ::UnrealizeObject(m_hObject) : FALSE; }

// Pens.

CPen::CPen(int nPenStyle, int nWidth, COLORREF crColor) {
  if (!CreatePen(nPenStyle, nWidth, crColor)) AfxThrowResourceException();
}

CPen::CPen(int nPenStyle, int nWidth, const LOGBRUSH* pLogBrush, int nStyleCount, const DWORD* lpStyle) {
  if (!CreatePen(nPenStyle, nWidth, pLogBrush, nStyleCount, lpStyle)) AfxThrowResourceException();
}

BOOL CPen::CreatePen(int nPenStyle, int nWidth, COLORREF crColor) {
  return Attach(::CreatePen(nPenStyle, nWidth, crColor));
}

BOOL CPen::CreatePen(int nPenStyle, int nWidth, const LOGBRUSH* pLogBrush, int nStyleCount, const DWORD* lpStyle) {
  return Attach(::ExtCreatePen(nPenStyle, nWidth, pLogBrush, nStyleCount, lpStyle));
}

BOOL CPen::CreatePenIndirect(LPLOGPEN lpLogPen) { return Attach(::CreatePenIndirect(lpLogPen)); }

// Brushes.

CBrush::CBrush(COLORREF crColor) {
  if (!CreateSolidBrush(crColor)) AfxThrowResourceException();
}

CBrush::CBrush(int nIndex, COLORREF crColor) {
  if (!CreateHatchBrush(nIndex, crColor)) AfxThrowResourceException();
}

CBrush::CBrush(CBitmap* pBitmap) {
  if (!CreatePatternBrush(pBitmap)) AfxThrowResourceException();
}

BOOL CBrush::CreateSolidBrush(COLORREF crColor) { return Attach(::CreateSolidBrush(crColor)); }

BOOL CBrush::CreateHatchBrush(int nIndex, COLORREF crColor) { return Attach(::CreateHatchBrush(nIndex, crColor)); }

BOOL CBrush::CreateBrushIndirect(const LOGBRUSH* lpLogBrush) { return Attach(::CreateBrushIndirect(lpLogBrush)); }

BOOL CBrush::CreatePatternBrush(CBitmap* pBitmap) {
  if (pBitmap == nullptr || pBitmap->m_hObject == nullptr) return FALSE;
  return Attach(::CreatePatternBrush(*pBitmap));
}

BOOL CBrush::CreateDIBPatternBrush(const void* lpPackedDIB, UINT nUsage) {
  return Attach(::CreateDIBPatternBrushPt(lpPackedDIB, nUsage));
}

BOOL CBrush::CreateSysColorBrush(int nIndex) { return Attach(::GetSysColorBrush(nIndex)); }

// Fonts.

BOOL CFont::CreateFontIndirect(const LOGFONT* lpLogFont) {
  if (lpLogFont == nullptr) return FALSE;
  return Attach(::CreateFontIndirectW(lpLogFont));
}

BOOL CFont::CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight, BYTE bItalic,
                       BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet, BYTE nOutPrecision, BYTE nClipPrecision,
                       BYTE nQuality, BYTE nPitchAndFamily, LPCTSTR lpszFacename) {
  return Attach(::CreateFontW(nHeight, nWidth, nEscapement, nOrientation, nWeight, bItalic, bUnderline, cStrikeOut,
                              nCharSet, nOutPrecision, nClipPrecision, nQuality, nPitchAndFamily, lpszFacename));
}

BOOL CFont::CreatePointFont(int nPointSize, LPCTSTR lpszFaceName, CDC* pDC) {
  LOGFONT lf = {};
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfHeight = nPointSize;
  if (lpszFaceName) std::wcsncpy(lf.lfFaceName, lpszFaceName, LF_FACESIZE - 1);
  return CreatePointFontIndirect(&lf, pDC);
}

BOOL CFont::CreatePointFontIndirect(const LOGFONT* lpLogFont, CDC* pDC) {
  if (lpLogFont == nullptr) return FALSE;
  HDC hDC = pDC ? pDC->m_hAttribDC : ::GetDC(nullptr);
  // lfHeight is in tenths of a point: convert to logical units of the DC.
  POINT pt = {0, ::MulDiv(::GetDeviceCaps(hDC, LOGPIXELSY), lpLogFont->lfHeight, 720)};
  POINT ptOrg = {0, 0};
  ::DPtoLP(hDC, &pt, 1);
  ::DPtoLP(hDC, &ptOrg, 1);
  if (pDC == nullptr) ::ReleaseDC(nullptr, hDC);
  LOGFONT lf = *lpLogFont;
  lf.lfHeight = -std::abs(static_cast<int>(pt.y - ptOrg.y));
  return CreateFontIndirect(&lf);
}

// Bitmaps.

BOOL CBitmap::LoadBitmap(LPCTSTR lpszResourceName) {
  HINSTANCE h = AfxFindResourceHandle(lpszResourceName, RT_BITMAP);
  return Attach(::LoadBitmapW(h, lpszResourceName));
}

BOOL CBitmap::LoadOEMBitmap(UINT nIDBitmap) { return Attach(::LoadBitmapW(nullptr, MAKEINTRESOURCE(nIDBitmap))); }

BOOL CBitmap::LoadMappedBitmap(UINT nIDBitmap, UINT nFlags, LPCOLORMAP lpColorMap, int nMapSize) {
  HINSTANCE h = AfxFindResourceHandle(MAKEINTRESOURCE(nIDBitmap), RT_BITMAP);
  return Attach(::CreateMappedBitmap(h, nIDBitmap, nFlags, lpColorMap, nMapSize));
}

BOOL CBitmap::CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitcount, const void* lpBits) {
  return Attach(::CreateBitmap(nWidth, nHeight, nPlanes, nBitcount, lpBits));
}

BOOL CBitmap::CreateBitmapIndirect(LPBITMAP lpBitmap) { return Attach(::CreateBitmapIndirect(lpBitmap)); }

BOOL CBitmap::CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight) {
  if (pDC == nullptr) return FALSE;
  return Attach(::CreateCompatibleBitmap(pDC->m_hDC, nWidth, nHeight));
}

BOOL CBitmap::CreateDiscardableBitmap(CDC* pDC, int nWidth, int nHeight) {
  if (pDC == nullptr) return FALSE;
  return Attach(::CreateDiscardableBitmap(pDC->m_hDC, nWidth, nHeight));
}

DWORD CBitmap::SetBitmapBits(DWORD dwCount, const void* lpBits) {
  return m_hObject ? ::SetBitmapBits(*this, dwCount, lpBits) : 0;
}

DWORD CBitmap::GetBitmapBits(DWORD dwCount, LPVOID lpBits) const {
  return m_hObject ? ::GetBitmapBits(*this, dwCount, lpBits) : 0;
}

CSize CBitmap::SetBitmapDimension(int nWidth, int nHeight) {
  SIZE old = {0, 0};
  if (m_hObject) ::SetBitmapDimensionEx(*this, nWidth, nHeight, &old);
  return old;
}

CSize CBitmap::GetBitmapDimension() const {
  SIZE size = {0, 0};
  if (m_hObject) ::GetBitmapDimensionEx(*this, &size);
  return size;
}

// Palettes.

BOOL CPalette::CreatePalette(LPLOGPALETTE lpLogPalette) { return Attach(::CreatePalette(lpLogPalette)); }

BOOL CPalette::CreateHalftonePalette(CDC* pDC) {
  if (pDC == nullptr) return FALSE;
  return Attach(::CreateHalftonePalette(pDC->m_hDC));
}

int CPalette::GetEntryCount() {
  WORD n = 0;
  if (m_hObject == nullptr || !::GetObjectW(m_hObject, sizeof(WORD), &n)) return 0;
  return n;
}

UINT CPalette::GetPaletteEntries(UINT nStartIndex, UINT nNumEntries, LPPALETTEENTRY lpPaletteColors) const {
  return m_hObject ? ::GetPaletteEntries(*this, nStartIndex, nNumEntries, lpPaletteColors) : 0;
}

UINT CPalette::SetPaletteEntries(UINT nStartIndex, UINT nNumEntries, LPPALETTEENTRY lpPaletteColors) {
  return m_hObject ? ::SetPaletteEntries(*this, nStartIndex, nNumEntries, lpPaletteColors) : 0;
}

void CPalette::AnimatePalette(UINT nStartIndex, UINT nNumEntries, LPPALETTEENTRY lpPaletteColors) {
  if (m_hObject) ::AnimatePalette(*this, nStartIndex, nNumEntries, lpPaletteColors);
}

UINT CPalette::GetNearestPaletteIndex(COLORREF crColor) const {
  return m_hObject ? ::GetNearestPaletteIndex(*this, crColor) : CLR_INVALID;
}

BOOL CPalette::ResizePalette(UINT nNumEntries) { return m_hObject ? ::ResizePalette(*this, nNumEntries) : FALSE; }

// Regions.

BOOL CRgn::CreateRectRgn(int x1, int y1, int x2, int y2) { return Attach(::CreateRectRgn(x1, y1, x2, y2)); }

BOOL CRgn::CreateRectRgnIndirect(LPCRECT lpRect) { return Attach(::CreateRectRgnIndirect(lpRect)); }

BOOL CRgn::CreateEllipticRgn(int x1, int y1, int x2, int y2) { return Attach(::CreateEllipticRgn(x1, y1, x2, y2)); }

BOOL CRgn::CreateEllipticRgnIndirect(LPCRECT lpRect) { return Attach(::CreateEllipticRgnIndirect(lpRect)); }

BOOL CRgn::CreatePolygonRgn(const POINT* lpPoints, int nCount, int nMode) {
  return Attach(::CreatePolygonRgn(lpPoints, nCount, nMode));
}

BOOL CRgn::CreatePolyPolygonRgn(const POINT* lpPoints, const INT* lpPolyCounts, int nCount, int nPolyFillMode) {
  return Attach(::CreatePolyPolygonRgn(lpPoints, lpPolyCounts, nCount, nPolyFillMode));
}

BOOL CRgn::CreateRoundRectRgn(int x1, int y1, int x2, int y2, int x3, int y3) {
  return Attach(::CreateRoundRectRgn(x1, y1, x2, y2, x3, y3));
}

BOOL CRgn::CreateFromPath(CDC* pDC) {
  if (pDC == nullptr) return FALSE;
  return Attach(::PathToRegion(pDC->m_hDC));
}

BOOL CRgn::CreateFromData(const XFORM* lpXForm, int nCount, const RGNDATA* pRgnData) {
  return Attach(::ExtCreateRegion(lpXForm, static_cast<DWORD>(nCount), pRgnData));
}

int CRgn::CombineRgn(const CRgn* pRgn1, const CRgn* pRgn2, int nCombineMode) {
  if (m_hObject == nullptr || pRgn1 == nullptr) return ERROR;
  return ::CombineRgn(*this, *pRgn1, pRgn2 ? static_cast<HRGN>(*pRgn2) : nullptr, nCombineMode);
}

int CRgn::CopyRgn(const CRgn* pRgnSrc) {
  if (m_hObject == nullptr || pRgnSrc == nullptr) return ERROR;
  return ::CombineRgn(*this, *pRgnSrc, nullptr, RGN_COPY);
}

BOOL CRgn::EqualRgn(const CRgn* pRgn) const {
  if (m_hObject == nullptr || pRgn == nullptr) return FALSE;
  return ::EqualRgn(*this, *pRgn);
}

int CRgn::GetRegionData(LPRGNDATA lpRgnData, int nCount) const {
  return m_hObject ? static_cast<int>(::GetRegionData(*this, static_cast<DWORD>(nCount), lpRgnData)) : 0;
}
