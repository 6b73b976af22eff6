// An off-screen 32-bit drawing surface for drawing tests: a top-down DIB section selected into
// a memory device context, with direct pixel access and a PNG capture.
#pragma once

#include <string>

#include "framework/afxwin.h"
#include "gui_harness.h"

namespace ctltest {

class Canvas {
 public:
  Canvas(int width, int height, COLORREF fill);
  ~Canvas();
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  CDC* dc() { return &m_dc; }
  int width() const { return m_width; }
  int height() const { return m_height; }
  // The pixel as a colour reference.
  COLORREF At(int x, int y) const;
  void Fill(COLORREF color);
  gui::Image ToImage() const;
  // Saves a PNG under the captures folder and returns its path.
  std::wstring Save(const std::wstring& name) const;

 private:
  int m_width;
  int m_height;
  CDC m_dc;
  HBITMAP m_bitmap = nullptr;
  HGDIOBJ m_oldBitmap = nullptr;
  DWORD* m_bits = nullptr;
};

// A colour reference as "RGB(r, g, b)" for readable failures.
std::string ColorText(COLORREF c);

// The image's pixel as a colour reference.
inline COLORREF PixelOf(const gui::Image& image, int x, int y) {
  const std::uint32_t p = image.At(x, y);
  return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

}  // namespace ctltest
