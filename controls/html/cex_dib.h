// A small bottom-up 8-bit, 256-colour device-independent bitmap: the draw manager's pattern
// textures are built in its palette and indices and blitted through a DIB section.
#pragma once

#include <windows.h>

#include <cstdint>

class CCeXDib {
 public:
  CCeXDib() = default;
  virtual ~CCeXDib() { Release(); }
  CCeXDib(const CCeXDib&) = delete;
  CCeXDib& operator=(const CCeXDib&) = delete;

  // Releases the previous contents and allocates header, palette and pixel rows; null when the
  // memory can't be had.
  void* Allocate(int width, int height);
  void Release();
  // Mixes every palette entry with the colour by percent (at most 100).
  void TintPalette(COLORREF colour, int percent);
  // Draws the bitmap at (x, y); nothing when the section can't be made.
  void Blit(HDC hdc, int x, int y);

  RGBQUAD* Palette() const;
  BYTE* Pixels() const;  // memory row 0 is the bottom row on screen
  // Puts one index at a column and a row counted from the top; outside the bitmap it does nothing.
  void PutIndex(int column, int row, BYTE index);
  int Width() const { return m_header.biWidth; }
  int Height() const { return m_header.biHeight; }
  int Stride() const { return m_stride; }

 private:
  BYTE* m_buffer = nullptr;
  BITMAPINFOHEADER m_header = {};
  int m_stride = 0;
  WORD m_paletteSize = 0;
  HBITMAP m_section = nullptr;
  HDC m_memDC = nullptr;
  void* m_sectionBits = nullptr;
};
