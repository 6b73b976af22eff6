// Pixel-drawn marks: the check mark, bullets, dotted lines and the corner-less frame.
#include "toolkit/paint/paint_manager.h"

namespace {

// The nearest colour the DC shows for the inverse of the colour: the edge under a mark.
COLORREF InverseShadow(CDC& dc, COLORREF color) {
  const COLORREF inverse = RGB(255 - GetRValue(color), 255 - GetGValue(color), 255 - GetBValue(color));
  return ::GetNearestColor(dc.GetSafeHdc(), inverse);
}

void DrawBullet(CDC& dc, int x, int y, COLORREF color, bool round) {
  HDC hdc = dc.GetSafeHdc();
  if (hdc == nullptr) return;
  const COLORREF shadow = InverseShadow(dc, color);
  auto shape = [&](int left, int top, COLORREF c) {
    HPEN pen = ::CreatePen(PS_SOLID, 0, c);
    HBRUSH brush = ::CreateSolidBrush(c);
    HGDIOBJ oldPen = ::SelectObject(hdc, pen);
    HGDIOBJ oldBrush = ::SelectObject(hdc, brush);
    if (round) ::Ellipse(hdc, left, top, left + 6, top + 6);
    else ::Rectangle(hdc, left, top, left + 6, top + 6);
    ::SelectObject(hdc, oldBrush);
    ::SelectObject(hdc, oldPen);
    ::DeleteObject(brush);
    ::DeleteObject(pen);
  };
  shape(x + 1, y + 1, shadow);
  shape(x, y, color);
}

}  // namespace

void CExtPaintManager::DrawCheckMarkGlyph(CDC& dc, int x, int y, COLORREF color) {
  HDC hdc = dc.GetSafeHdc();
  if (hdc == nullptr) return;
  static const POINT kStroke[] = {{0, 2}, {0, 3}, {1, 3}, {1, 4}, {2, 4}, {2, 5}, {3, 3},
                                  {3, 4}, {4, 2}, {4, 3}, {5, 1}, {5, 2}, {6, 0}, {6, 1}};
  static const POINT kEdge[] = {{0, 4}, {1, 5}, {2, 6}, {3, 5}, {4, 4}, {5, 3}, {6, 2}};
  const COLORREF shadow = InverseShadow(dc, color);
  for (const POINT& p : kStroke) ::SetPixelV(hdc, x + p.x, y + p.y, color);
  for (const POINT& p : kEdge) ::SetPixelV(hdc, x + p.x, y + p.y, shadow);
}

void CExtPaintManager::DrawRoundBullet(CDC& dc, int x, int y, COLORREF color) { DrawBullet(dc, x, y, color, true); }

void CExtPaintManager::DrawSquareBullet(CDC& dc, int x, int y, COLORREF color) { DrawBullet(dc, x, y, color, false); }

void CExtPaintManager::DrawDottedLineH(CDC& dc, int xFrom, int xTo, int y, COLORREF color) {
  for (int x = xFrom + (xFrom & 1); x < xTo; x += 2) ::SetPixelV(dc.GetSafeHdc(), x, y, color);
}

void CExtPaintManager::DrawDottedLineV(CDC& dc, int x, int yFrom, int yTo, COLORREF color) {
  for (int y = yFrom + (yFrom & 1); y < yTo; y += 2) ::SetPixelV(dc.GetSafeHdc(), x, y, color);
}

void CExtPaintManager::DrawCornerlessFrame(CDC& dc, int x, int y, int cx, int cy, COLORREF topLeft,
                                           COLORREF bottomRight) {
  dc.FillSolidRect(x + 1, y, cx - 2, 1, topLeft);
  dc.FillSolidRect(x, y + 1, 1, cy - 2, topLeft);
  dc.FillSolidRect(x + cx, y + 1, -1, cy - 2, bottomRight);
  dc.FillSolidRect(x + 1, y + cy, cx - 2, -1, bottomRight);
}
