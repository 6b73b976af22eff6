// The picture both sides of the clipboard tests agree on: opaque colours, one transparent pixel
// and one half-transparent pixel.
#pragma once

#include "toolkit/foundation/ext_bitmap.h"

namespace cliptest {

constexpr int kWidth = 7;
constexpr int kHeight = 5;

inline COLORREF ColourAt(int x, int y) { return RGB(x * 30 + 10, y * 40 + 5, 200 - x * y * 3); }

inline CExtBitmap Picture() {
  CExtBitmap b;
  DibPtr dib = DibAllocate(kWidth, kHeight, 32, kDibMasks32, 0);
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) {
      const COLORREF c = ColourAt(x, y);
      const BYTE alpha = (x == 0 && y == 0) ? 0 : (x == 1 && y == 0) ? 128 : 255;
      DibWritePixel(*dib, x, y, DibColor{GetBValue(c), GetGValue(c), GetRValue(c), alpha}, true, true, true, true);
    }
  BmpVectorSink sink;
  WriteBmpStream(*dib, sink, false);
  b.LoadFromMemory(sink.bytes.data(), static_cast<UINT>(sink.bytes.size()));
  return b;
}

// The pasted image equals the picture: exactly with its alpha (own format), or as drawn over the
// key colour (standard format, opaque).
inline bool Matches(const CExtBitmap& b, bool ownFormat) {
  if (b.GetPixelSize() != CSize(kWidth, kHeight)) return false;
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) {
      BYTE alpha = 0;
      const COLORREF got = b.ReadPixelColor(x, y, &alpha);
      const bool transparent = x == 0 && y == 0;
      const bool half = x == 1 && y == 0;
      if (ownFormat) {
        if (alpha != (transparent ? 0 : half ? 128 : 255) || got != ColourAt(x, y)) return false;
      } else if (transparent) {
        if (got != RGB(255, 0, 255)) return false;
      } else if (!half && got != ColourAt(x, y)) {
        return false;
      }
    }
  return true;
}

}  // namespace cliptest
