#include "controls/html/cex_dib.h"

#include <cstdlib>
#include <cstring>

void* CCeXDib::Allocate(int width, int height) {
  Release();
  if (width <= 0 || height <= 0) return nullptr;
  m_paletteSize = 256;
  m_stride = ((width * 8 + 31) >> 5) * 4;
  const unsigned long long imageSize = static_cast<unsigned long long>(m_stride) * height;
  if (imageSize > 0x7FFFFFFFull) return nullptr;
  m_header.biSize = sizeof(BITMAPINFOHEADER);
  m_header.biWidth = width;
  m_header.biHeight = height;
  m_header.biPlanes = 1;
  m_header.biBitCount = 8;
  m_header.biCompression = BI_RGB;
  m_header.biSizeImage = static_cast<DWORD>(imageSize);
  const size_t total = sizeof(BITMAPINFOHEADER) + m_paletteSize * sizeof(RGBQUAD) + static_cast<size_t>(imageSize);
  m_buffer = static_cast<BYTE*>(std::malloc(total));
  if (!m_buffer) {
    Release();
    return nullptr;
  }
  std::memcpy(m_buffer, &m_header, sizeof m_header);
  return m_buffer;
}

void CCeXDib::Release() {
  if (m_memDC) ::DeleteDC(m_memDC);
  if (m_section) ::DeleteObject(m_section);
  std::free(m_buffer);
  m_memDC = nullptr;
  m_section = nullptr;
  m_sectionBits = nullptr;
  m_buffer = nullptr;
  m_header = {};
  m_stride = 0;
  m_paletteSize = 0;
}

RGBQUAD* CCeXDib::Palette() const {
  return m_buffer ? reinterpret_cast<RGBQUAD*>(m_buffer + sizeof(BITMAPINFOHEADER)) : nullptr;
}

BYTE* CCeXDib::Pixels() const {
  return m_buffer ? m_buffer + sizeof(BITMAPINFOHEADER) + m_paletteSize * sizeof(RGBQUAD) : nullptr;
}

void CCeXDib::PutIndex(int column, int row, BYTE index) {
  if (!m_buffer || m_paletteSize == 0) return;
  if (column < 0 || column >= m_header.biWidth || row < 0 || row >= m_header.biHeight) return;
  Pixels()[static_cast<size_t>(m_header.biHeight - 1 - row) * m_stride + column] = index;
}

void CCeXDib::TintPalette(COLORREF colour, int percent) {
  if (!m_buffer || m_paletteSize == 0) return;
  if (percent > 100) percent = 100;
  if (percent < 0) percent = 0;
  RGBQUAD* palette = Palette();
  const int r = GetRValue(colour), g = GetGValue(colour), b = GetBValue(colour);
  for (int i = 0; i < m_paletteSize; ++i) {
    palette[i].rgbRed = static_cast<BYTE>((r * percent + palette[i].rgbRed * (100 - percent)) / 100);
    palette[i].rgbGreen = static_cast<BYTE>((g * percent + palette[i].rgbGreen * (100 - percent)) / 100);
    palette[i].rgbBlue = static_cast<BYTE>((b * percent + palette[i].rgbBlue * (100 - percent)) / 100);
  }
}

void CCeXDib::Blit(HDC hdc, int x, int y) {
  if (!m_buffer) return;
  if (!m_section) {
    m_section = ::CreateDIBSection(hdc, reinterpret_cast<BITMAPINFO*>(m_buffer), DIB_RGB_COLORS, &m_sectionBits,
                                   nullptr, 0);
    if (!m_section) return;
    if (!m_sectionBits) {
      ::DeleteObject(m_section);
      m_section = nullptr;
      return;
    }
  }
  std::memcpy(m_sectionBits, Pixels(), m_header.biSizeImage);
  if (!m_memDC) {
    m_memDC = ::CreateCompatibleDC(hdc);
    if (!m_memDC) return;
  }
  HGDIOBJ old = ::SelectObject(m_memDC, m_section);
  ::BitBlt(hdc, x, y, m_header.biWidth, m_header.biHeight, m_memDC, 0, 0, SRCCOPY);
  ::SelectObject(m_memDC, old);
}
