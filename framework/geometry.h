// CPoint, CSize and CRect: the Win32 POINT, SIZE and RECT with arithmetic.
#pragma once

#include <utility>

#include "framework/fwdefs.h"

class CSize;
class CRect;

class CPoint : public tagPOINT {
 public:
  CPoint() noexcept : tagPOINT{0, 0} {}
  CPoint(int initX, int initY) noexcept : tagPOINT{initX, initY} {}
  CPoint(POINT initPt) noexcept : tagPOINT(initPt) {}
  CPoint(SIZE initSize) noexcept : tagPOINT{initSize.cx, initSize.cy} {}
  // From a packed message coordinate pair (signed 16-bit halves).
  explicit CPoint(LPARAM dwPoint) noexcept
      : tagPOINT{static_cast<short>(LOWORD(dwPoint)), static_cast<short>(HIWORD(dwPoint))} {}

  void Offset(int xOffset, int yOffset) noexcept {
    x += xOffset;
    y += yOffset;
  }
  void Offset(POINT point) noexcept { Offset(point.x, point.y); }
  void Offset(SIZE size) noexcept { Offset(size.cx, size.cy); }
  void SetPoint(int X, int Y) noexcept {
    x = X;
    y = Y;
  }

  bool operator==(POINT point) const noexcept { return x == point.x && y == point.y; }
  bool operator!=(POINT point) const noexcept { return !(*this == point); }
  void operator+=(SIZE size) noexcept { Offset(size); }
  void operator-=(SIZE size) noexcept { Offset(-size.cx, -size.cy); }
  void operator+=(POINT point) noexcept { Offset(point); }
  void operator-=(POINT point) noexcept { Offset(-point.x, -point.y); }
  inline CPoint operator+(SIZE size) const noexcept;
  inline CPoint operator-(SIZE size) const noexcept;
  CPoint operator-() const noexcept { return CPoint(-x, -y); }
  CPoint operator+(POINT point) const noexcept { return CPoint(x + point.x, y + point.y); }
  inline CSize operator-(POINT point) const noexcept;
  inline CRect operator+(const RECT* lpRect) const noexcept;
  inline CRect operator-(const RECT* lpRect) const noexcept;
};

class CSize : public tagSIZE {
 public:
  CSize() noexcept : tagSIZE{0, 0} {}
  CSize(int initCX, int initCY) noexcept : tagSIZE{initCX, initCY} {}
  CSize(SIZE initSize) noexcept : tagSIZE(initSize) {}
  CSize(POINT initPt) noexcept : tagSIZE{initPt.x, initPt.y} {}
  explicit CSize(DWORD dwSize) noexcept : tagSIZE{static_cast<short>(LOWORD(dwSize)), static_cast<short>(HIWORD(dwSize))} {}

  bool operator==(SIZE size) const noexcept { return cx == size.cx && cy == size.cy; }
  bool operator!=(SIZE size) const noexcept { return !(*this == size); }
  void operator+=(SIZE size) noexcept {
    cx += size.cx;
    cy += size.cy;
  }
  void operator-=(SIZE size) noexcept {
    cx -= size.cx;
    cy -= size.cy;
  }
  void SetSize(int CX, int CY) noexcept {
    cx = CX;
    cy = CY;
  }
  CSize operator+(SIZE size) const noexcept { return CSize(cx + size.cx, cy + size.cy); }
  CSize operator-(SIZE size) const noexcept { return CSize(cx - size.cx, cy - size.cy); }
  CSize operator-() const noexcept { return CSize(-cx, -cy); }
  CPoint operator+(POINT point) const noexcept { return CPoint(cx + point.x, cy + point.y); }
  CPoint operator-(POINT point) const noexcept { return CPoint(cx - point.x, cy - point.y); }
  inline CRect operator+(const RECT* lpRect) const noexcept;
  inline CRect operator-(const RECT* lpRect) const noexcept;
};

class CRect : public tagRECT {
 public:
  CRect() noexcept : tagRECT{0, 0, 0, 0} {}
  CRect(int l, int t, int r, int b) noexcept : tagRECT{l, t, r, b} {}
  CRect(const RECT& srcRect) noexcept : tagRECT(srcRect) {}
  CRect(const RECT* lpSrcRect) noexcept : tagRECT(lpSrcRect ? *lpSrcRect : RECT{0, 0, 0, 0}) {}
  CRect(POINT point, SIZE size) noexcept : tagRECT{point.x, point.y, point.x + size.cx, point.y + size.cy} {}
  CRect(POINT topLeft, POINT bottomRight) noexcept : tagRECT{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y} {}

  int Width() const noexcept { return right - left; }
  int Height() const noexcept { return bottom - top; }
  CSize Size() const noexcept { return CSize(Width(), Height()); }
  // The corners as points stored in the rectangle itself, so they can be
  // assigned to.
  CPoint& TopLeft() noexcept { return *reinterpret_cast<CPoint*>(&left); }
  CPoint& BottomRight() noexcept { return *reinterpret_cast<CPoint*>(&right); }
  const CPoint& TopLeft() const noexcept { return *reinterpret_cast<const CPoint*>(&left); }
  const CPoint& BottomRight() const noexcept { return *reinterpret_cast<const CPoint*>(&right); }
  CPoint CenterPoint() const noexcept { return CPoint((left + right) / 2, (top + bottom) / 2); }
  void SwapLeftRight() noexcept { SwapLeftRight(this); }
  static void SwapLeftRight(LPRECT lpRect) noexcept {
    LONG t = lpRect->left;
    lpRect->left = lpRect->right;
    lpRect->right = t;
  }

  operator LPRECT() noexcept { return this; }
  operator LPCRECT() const noexcept { return this; }

  BOOL IsRectEmpty() const noexcept { return ::IsRectEmpty(this); }
  BOOL IsRectNull() const noexcept { return left == 0 && right == 0 && top == 0 && bottom == 0; }
  BOOL PtInRect(POINT point) const noexcept { return ::PtInRect(this, point); }

  void SetRect(int x1, int y1, int x2, int y2) noexcept { ::SetRect(this, x1, y1, x2, y2); }
  void SetRect(POINT topLeft, POINT bottomRight) noexcept { SetRect(topLeft.x, topLeft.y, bottomRight.x, bottomRight.y); }
  void SetRectEmpty() noexcept { ::SetRectEmpty(this); }
  void CopyRect(LPCRECT lpSrcRect) noexcept { ::CopyRect(this, lpSrcRect); }
  BOOL EqualRect(LPCRECT lpRect) const noexcept { return ::EqualRect(this, lpRect); }

  void InflateRect(int x, int y) noexcept { ::InflateRect(this, x, y); }
  void InflateRect(SIZE size) noexcept { InflateRect(size.cx, size.cy); }
  void InflateRect(LPCRECT lpRect) noexcept {
    left -= lpRect->left;
    top -= lpRect->top;
    right += lpRect->right;
    bottom += lpRect->bottom;
  }
  void InflateRect(int l, int t, int r, int b) noexcept {
    left -= l;
    top -= t;
    right += r;
    bottom += b;
  }
  void DeflateRect(int x, int y) noexcept { ::InflateRect(this, -x, -y); }
  void DeflateRect(SIZE size) noexcept { DeflateRect(size.cx, size.cy); }
  void DeflateRect(LPCRECT lpRect) noexcept {
    left += lpRect->left;
    top += lpRect->top;
    right -= lpRect->right;
    bottom -= lpRect->bottom;
  }
  void DeflateRect(int l, int t, int r, int b) noexcept {
    left += l;
    top += t;
    right -= r;
    bottom -= b;
  }

  void OffsetRect(int x, int y) noexcept { ::OffsetRect(this, x, y); }
  void OffsetRect(SIZE size) noexcept { OffsetRect(size.cx, size.cy); }
  void OffsetRect(POINT point) noexcept { OffsetRect(point.x, point.y); }
  void NormalizeRect() noexcept {
    if (left > right) std::swap(left, right);
    if (top > bottom) std::swap(top, bottom);
  }
  void MoveToY(int y) noexcept {
    bottom = Height() + y;
    top = y;
  }
  void MoveToX(int x) noexcept {
    right = Width() + x;
    left = x;
  }
  void MoveToXY(int x, int y) noexcept {
    MoveToX(x);
    MoveToY(y);
  }
  void MoveToXY(POINT point) noexcept { MoveToXY(point.x, point.y); }

  BOOL IntersectRect(LPCRECT lpRect1, LPCRECT lpRect2) noexcept { return ::IntersectRect(this, lpRect1, lpRect2); }
  BOOL UnionRect(LPCRECT lpRect1, LPCRECT lpRect2) noexcept { return ::UnionRect(this, lpRect1, lpRect2); }
  BOOL SubtractRect(LPCRECT lpRectSrc1, LPCRECT lpRectSrc2) noexcept {
    return ::SubtractRect(this, lpRectSrc1, lpRectSrc2);
  }
  CRect MulDiv(int nMultiplier, int nDivisor) const noexcept {
    return CRect(::MulDiv(left, nMultiplier, nDivisor), ::MulDiv(top, nMultiplier, nDivisor),
                 ::MulDiv(right, nMultiplier, nDivisor), ::MulDiv(bottom, nMultiplier, nDivisor));
  }

  CRect& operator=(const RECT& srcRect) noexcept {
    ::CopyRect(this, &srcRect);
    return *this;
  }
  bool operator==(const RECT& rect) const noexcept { return ::EqualRect(this, &rect) != FALSE; }
  bool operator!=(const RECT& rect) const noexcept { return !(*this == rect); }
  void operator+=(POINT point) noexcept { OffsetRect(point); }
  void operator+=(SIZE size) noexcept { OffsetRect(size); }
  void operator+=(LPCRECT lpRect) noexcept { InflateRect(lpRect); }
  void operator-=(POINT point) noexcept { OffsetRect(-point.x, -point.y); }
  void operator-=(SIZE size) noexcept { OffsetRect(-size.cx, -size.cy); }
  void operator-=(LPCRECT lpRect) noexcept { DeflateRect(lpRect); }
  void operator&=(const RECT& rect) noexcept { ::IntersectRect(this, this, &rect); }
  void operator|=(const RECT& rect) noexcept { ::UnionRect(this, this, &rect); }

  CRect operator+(POINT pt) const noexcept {
    CRect r(*this);
    r.OffsetRect(pt);
    return r;
  }
  CRect operator-(POINT pt) const noexcept {
    CRect r(*this);
    r.OffsetRect(-pt.x, -pt.y);
    return r;
  }
  CRect operator+(SIZE size) const noexcept {
    CRect r(*this);
    r.OffsetRect(size);
    return r;
  }
  CRect operator-(SIZE size) const noexcept {
    CRect r(*this);
    r.OffsetRect(-size.cx, -size.cy);
    return r;
  }
  CRect operator+(LPCRECT lpRect) const noexcept {
    CRect r(*this);
    r.InflateRect(lpRect);
    return r;
  }
  CRect operator-(LPCRECT lpRect) const noexcept {
    CRect r(*this);
    r.DeflateRect(lpRect);
    return r;
  }
  CRect operator&(const RECT& rect2) const noexcept {
    CRect r;
    ::IntersectRect(&r, this, &rect2);
    return r;
  }
  CRect operator|(const RECT& rect2) const noexcept {
    CRect r;
    ::UnionRect(&r, this, &rect2);
    return r;
  }
};

inline CPoint CPoint::operator+(SIZE size) const noexcept { return CPoint(x + size.cx, y + size.cy); }
inline CPoint CPoint::operator-(SIZE size) const noexcept { return CPoint(x - size.cx, y - size.cy); }
inline CSize CPoint::operator-(POINT point) const noexcept { return CSize(x - point.x, y - point.y); }
inline CRect CPoint::operator+(const RECT* lpRect) const noexcept {
  CRect r(lpRect);
  r.OffsetRect(*this);
  return r;
}
inline CRect CPoint::operator-(const RECT* lpRect) const noexcept {
  CRect r(lpRect);
  r.OffsetRect(-x, -y);
  return r;
}
inline CRect CSize::operator+(const RECT* lpRect) const noexcept {
  CRect r(lpRect);
  r.OffsetRect(*this);
  return r;
}
inline CRect CSize::operator-(const RECT* lpRect) const noexcept {
  CRect r(lpRect);
  r.OffsetRect(-cx, -cy);
  return r;
}
