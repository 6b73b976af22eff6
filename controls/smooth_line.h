// A two-pixel-wide anti-aliased line drawn pixel by pixel on any device context.
#pragma once

#include "framework/afxwin.h"

class CTGraphics {
 public:
  virtual ~CTGraphics() = default;

  // Sets the start pixel, blends the pixels between the ends into two neighbouring rows (a
  // mostly horizontal line) or columns, and sets the right end (bottom end of a steep line).
  void DrawSmoothLine(CDC* pDC, int x1, int y1, int x2, int y2, COLORREF color);
};
