#include "canvas.h"

#include <cstdio>

namespace ctltest {

Canvas::Canvas(int width, int height, COLORREF fill) : m_width(width), m_height(height) {
  BITMAPINFO bi = {};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = -height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  m_bitmap = ::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  m_bits = static_cast<DWORD*>(bits);
  m_dc.CreateCompatibleDC(nullptr);
  m_oldBitmap = ::SelectObject(m_dc.m_hDC, m_bitmap);
  Fill(fill);
}

Canvas::~Canvas() {
  ::SelectObject(m_dc.m_hDC, m_oldBitmap);
  ::DeleteObject(m_bitmap);
}

COLORREF Canvas::At(int x, int y) const {
  ::GdiFlush();
  const DWORD p = m_bits[static_cast<size_t>(y) * m_width + x];
  return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

void Canvas::Fill(COLORREF color) { m_dc.FillSolidRect(0, 0, m_width, m_height, color); }

gui::Image Canvas::ToImage() const {
  ::GdiFlush();
  gui::Image image;
  image.width = m_width;
  image.height = m_height;
  image.pixels.assign(m_bits, m_bits + static_cast<size_t>(m_width) * m_height);
  return image;
}

std::wstring Canvas::Save(const std::wstring& name) const { return gui::SaveCapture(ToImage(), name); }

std::string ColorText(COLORREF c) {
  char buf[40];
  std::snprintf(buf, sizeof buf, "RGB(%d, %d, %d)", GetRValue(c), GetGValue(c), GetBValue(c));
  return buf;
}

}  // namespace ctltest
