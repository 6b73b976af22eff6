// What the markup renderer needs of a device to measure and paint on. The Windows drawer puts a
// device context behind it; tests put a fixed-pitch fake behind it.
#pragma once

#include <memory>
#include <string>

#include "controls/html/html_types.h"

namespace html {

enum class ImageKind { Bitmap, Icon, ImageStrip };

// How the renderer asks for an image to be painted: the place and drawn size, the strip frame
// (cell index with its cell size, for strips), the effect flags and whether a shadow is cast.
struct ImageDraw {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  int frame = 0;
  int cellWidth = 0;
  int cellHeight = 0;
  unsigned flags = 0;
  bool shadow = false;
};

// An image loaded for one tag; released when the tag is done.
class InlineImage {
 public:
  virtual ~InlineImage() = default;
  // A bitmap's or strip's pixel size, an icon's size, an image list's cell size.
  virtual Size NaturalSize() const = 0;
  // True for an image taken from the drawer's image list (sized and placed like a strip).
  virtual bool FromImageList() const { return false; }
  virtual void Draw(const ImageDraw& draw, const ImageParams& params) = 0;
};

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

  // Inline objects. The defaults show nothing: a surface without resources loads no image and
  // no string, paints no background or frame.
  // Loads the image of a "bmp", "icon" or "ilst" tag; null when there is nothing to show.
  virtual std::unique_ptr<InlineImage> OpenImage(ImageKind, const ImageParams&) { return nullptr; }
  // The string resource of an id; empty when there is none.
  virtual std::wstring LoadResourceString(int) { return {}; }
  virtual void PaintBackground(const Rect&, int /*kind*/, Colour, Colour, Colour) {}
  virtual void PaintFrame(const Rect&, Colour /*light*/, Colour /*dark*/, int /*style*/, int /*width*/) {}
  // Tiles a table's "background" image ("idres:5", "file:x.bmp") over the rectangle.
  virtual void PaintBackgroundImage(const Rect&, const std::wstring&) {}
};

}  // namespace html
