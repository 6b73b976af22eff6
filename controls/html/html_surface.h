// What the markup renderer needs of a device to measure and paint on. The Windows drawer puts a
// device context behind it; tests put a fixed-pitch fake behind it.
#pragma once

#include <string>

#include "controls/html/html_types.h"

namespace html {

struct FontMetrics {
  int height = 0;  // character cell height
  int ascent = 0;
};

class HtmlSurface {
 public:
  virtual ~HtmlSurface() = default;

  // Start of a pass: remembers the device's font and colours; returns the current font's metrics.
  virtual FontMetrics BeginPass() = 0;
  // End of a pass: puts back what BeginPass remembered and frees the pass's font.
  virtual void EndPass() = 0;
  // Makes the style's font, text colour, background colour and background mode current.
  virtual FontMetrics ApplyStyle(const TextStyle& style) = 0;
  // Extent of a text in the current font, with the current justification.
  virtual Size MeasureText(const std::wstring& text) = 0;
  // Spreads extra pixels over the given number of spaces in later measuring and drawing.
  virtual void SetJustification(int extra, int spaces) = 0;
  virtual void DrawText(int x, int y, const std::wstring& text) = 0;
  // A line in one of the draw manager's line styles.
  virtual void DrawLine(int x1, int y1, int x2, int y2, Colour colour, int style, int width) = 0;
  virtual int DpiY() = 0;
};

}  // namespace html
