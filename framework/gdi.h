// Wrappers of GDI objects. A wrapper owns its handle: the destructor deletes
// it unless it was detached. FromHandle returns the wrapper that owns a handle
// or a temporary one, valid until the thread's next idle time.
#pragma once

#include "framework/cstring.h"
#include "framework/geometry.h"
#include "framework/runtime.h"

class CGdiObject : public CObject {
  DECLARE_DYNCREATE(CGdiObject)
 public:
  CGdiObject() = default;
  ~CGdiObject() override;

  HGDIOBJ m_hObject = nullptr;
  operator HGDIOBJ() const { return m_hObject; }
  HGDIOBJ GetSafeHandle() const { return fw::IsNull(this) ? nullptr : m_hObject; }

  static CGdiObject* AFXAPI FromHandle(HGDIOBJ hObject);
  static void AFXAPI DeleteTempMap();
  BOOL Attach(HGDIOBJ hObject);
  HGDIOBJ Detach();
  BOOL DeleteObject();

  int GetObject(int nCount, LPVOID lpObject) const;
  UINT GetObjectType() const;
  BOOL CreateStockObject(int nIndex);
  BOOL UnrealizeObject();
  bool operator==(const CGdiObject& obj) const { return obj.m_hObject == m_hObject; }
  bool operator!=(const CGdiObject& obj) const { return obj.m_hObject != m_hObject; }

 private:
  CGdiObject(const CGdiObject&) = delete;
  CGdiObject& operator=(const CGdiObject&) = delete;
};

class CPen : public CGdiObject {
  DECLARE_DYNAMIC(CPen)
 public:
  CPen() = default;
  CPen(int nPenStyle, int nWidth, COLORREF crColor);
  CPen(int nPenStyle, int nWidth, const LOGBRUSH* pLogBrush, int nStyleCount = 0, const DWORD* lpStyle = nullptr);
  static CPen* AFXAPI FromHandle(HPEN hPen) { return static_cast<CPen*>(CGdiObject::FromHandle(hPen)); }
  operator HPEN() const { return static_cast<HPEN>(m_hObject); }

  BOOL CreatePen(int nPenStyle, int nWidth, COLORREF crColor);
  BOOL CreatePen(int nPenStyle, int nWidth, const LOGBRUSH* pLogBrush, int nStyleCount = 0,
                 const DWORD* lpStyle = nullptr);
  BOOL CreatePenIndirect(LPLOGPEN lpLogPen);
  int GetLogPen(LOGPEN* pLogPen) { return GetObject(sizeof(LOGPEN), pLogPen); }
  int GetExtLogPen(EXTLOGPEN* pLogPen) { return GetObject(sizeof(EXTLOGPEN), pLogPen); }
};

class CBitmap;

class CBrush : public CGdiObject {
  DECLARE_DYNAMIC(CBrush)
 public:
  CBrush() = default;
  explicit CBrush(COLORREF crColor);
  CBrush(int nIndex, COLORREF crColor);
  explicit CBrush(CBitmap* pBitmap);
  static CBrush* AFXAPI FromHandle(HBRUSH hBrush) { return static_cast<CBrush*>(CGdiObject::FromHandle(hBrush)); }
  operator HBRUSH() const { return static_cast<HBRUSH>(m_hObject); }

  BOOL CreateSolidBrush(COLORREF crColor);
  BOOL CreateHatchBrush(int nIndex, COLORREF crColor);
  BOOL CreateBrushIndirect(const LOGBRUSH* lpLogBrush);
  BOOL CreatePatternBrush(CBitmap* pBitmap);
  BOOL CreateDIBPatternBrush(const void* lpPackedDIB, UINT nUsage);
  BOOL CreateSysColorBrush(int nIndex);
  int GetLogBrush(LOGBRUSH* pLogBrush) { return GetObject(sizeof(LOGBRUSH), pLogBrush); }
};

class CFont : public CGdiObject {
  DECLARE_DYNAMIC(CFont)
 public:
  CFont() = default;
  static CFont* AFXAPI FromHandle(HFONT hFont) { return static_cast<CFont*>(CGdiObject::FromHandle(hFont)); }
  operator HFONT() const { return static_cast<HFONT>(m_hObject); }

  BOOL CreateFontIndirect(const LOGFONT* lpLogFont);
  BOOL CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight, BYTE bItalic,
                  BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet, BYTE nOutPrecision, BYTE nClipPrecision,
                  BYTE nQuality, BYTE nPitchAndFamily, LPCTSTR lpszFacename);
  // Height in tenths of a point, converted with the device context (screen by default).
  BOOL CreatePointFont(int nPointSize, LPCTSTR lpszFaceName, CDC* pDC = nullptr);
  BOOL CreatePointFontIndirect(const LOGFONT* lpLogFont, CDC* pDC = nullptr);
  int GetLogFont(LOGFONT* pLogFont) { return GetObject(sizeof(LOGFONT), pLogFont); }
};

class CBitmap : public CGdiObject {
  DECLARE_DYNAMIC(CBitmap)
 public:
  CBitmap() = default;
  static CBitmap* AFXAPI FromHandle(HBITMAP hBitmap) { return static_cast<CBitmap*>(CGdiObject::FromHandle(hBitmap)); }
  operator HBITMAP() const { return static_cast<HBITMAP>(m_hObject); }

  // From the resource module (then the program).
  BOOL LoadBitmap(LPCTSTR lpszResourceName);
  BOOL LoadBitmap(UINT nIDResource) { return LoadBitmap(MAKEINTRESOURCE(nIDResource)); }
  BOOL LoadOEMBitmap(UINT nIDBitmap);
  BOOL LoadMappedBitmap(UINT nIDBitmap, UINT nFlags = 0, LPCOLORMAP lpColorMap = nullptr, int nMapSize = 0);
  BOOL CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitcount, const void* lpBits);
  BOOL CreateBitmapIndirect(LPBITMAP lpBitmap);
  BOOL CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight);
  BOOL CreateDiscardableBitmap(CDC* pDC, int nWidth, int nHeight);
  int GetBitmap(BITMAP* pBitMap) { return GetObject(sizeof(BITMAP), pBitMap); }
  DWORD SetBitmapBits(DWORD dwCount, const void* lpBits);
  DWORD GetBitmapBits(DWORD dwCount, LPVOID lpBits) const;
  CSize SetBitmapDimension(int nWidth, int nHeight);
  CSize GetBitmapDimension() const;
};

class CPalette : public CGdiObject {
  DECLARE_DYNAMIC(CPalette)
 public:
  CPalette() = default;
  static CPalette* AFXAPI FromHandle(HPALETTE hPalette) {
    return static_cast<CPalette*>(CGdiObject::FromHandle(hPalette));
  }
  operator HPALETTE() const { return static_cast<HPALETTE>(m_hObject); }

  BOOL CreatePalette(LPLOGPALETTE lpLogPalette);
  BOOL CreateHalftonePalette(CDC* pDC);
  int GetEntryCount();
  UINT GetPaletteEntries(UINT nStartIndex, UINT nNumEntries, LPPALETTEENTRY lpPaletteColors) const;
  UINT SetPaletteEntries(UINT nStartIndex, UINT nNumEntries, LPPALETTEENTRY lpPaletteColors);
  void AnimatePalette(UINT nStartIndex, UINT nNumEntries, LPPALETTEENTRY lpPaletteColors);
  UINT GetNearestPaletteIndex(COLORREF crColor) const;
  BOOL ResizePalette(UINT nNumEntries);
};

class CRgn : public CGdiObject {
  DECLARE_DYNAMIC(CRgn)
 public:
  CRgn() = default;
  static CRgn* AFXAPI FromHandle(HRGN hRgn) { return static_cast<CRgn*>(CGdiObject::FromHandle(hRgn)); }
  operator HRGN() const { return static_cast<HRGN>(m_hObject); }

  BOOL CreateRectRgn(int x1, int y1, int x2, int y2);
  BOOL CreateRectRgnIndirect(LPCRECT lpRect);
  BOOL CreateEllipticRgn(int x1, int y1, int x2, int y2);
  BOOL CreateEllipticRgnIndirect(LPCRECT lpRect);
  BOOL CreatePolygonRgn(const POINT* lpPoints, int nCount, int nMode);
  BOOL CreatePolyPolygonRgn(const POINT* lpPoints, const INT* lpPolyCounts, int nCount, int nPolyFillMode);
  BOOL CreateRoundRectRgn(int x1, int y1, int x2, int y2, int x3, int y3);
  BOOL CreateFromPath(CDC* pDC);
  BOOL CreateFromData(const XFORM* lpXForm, int nCount, const RGNDATA* pRgnData);

  void SetRectRgn(int x1, int y1, int x2, int y2) { ::SetRectRgn(*this, x1, y1, x2, y2); }
  void SetRectRgn(LPCRECT lpRect) { SetRectRgn(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom); }
  // Combines two regions into this one, which must already exist.
  int CombineRgn(const CRgn* pRgn1, const CRgn* pRgn2, int nCombineMode);
  int CopyRgn(const CRgn* pRgnSrc);
  BOOL EqualRgn(const CRgn* pRgn) const;
  int OffsetRgn(int x, int y) { return ::OffsetRgn(*this, x, y); }
  int OffsetRgn(POINT point) { return OffsetRgn(point.x, point.y); }
  int GetRgnBox(LPRECT lpRect) const { return ::GetRgnBox(*this, lpRect); }
  BOOL PtInRegion(int x, int y) const { return ::PtInRegion(*this, x, y); }
  BOOL PtInRegion(POINT point) const { return PtInRegion(point.x, point.y); }
  BOOL RectInRegion(LPCRECT lpRect) const { return ::RectInRegion(*this, lpRect); }
  int GetRegionData(LPRGNDATA lpRgnData, int nCount) const;
};
