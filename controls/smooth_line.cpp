#include "controls/smooth_line.h"

#include <cstdlib>
#include <utility>

namespace {

// Per channel weightOld * old + weightNew * color, each product truncated before the sum.
COLORREF Blend(COLORREF old, float weightOld, COLORREF color, float weightNew) {
  auto channel = [&](int shift) {
    const int o = static_cast<int>((old >> shift) & 0xFF);
    const int c = static_cast<int>((color >> shift) & 0xFF);
    const int v = static_cast<int>(weightOld * static_cast<float>(o)) + static_cast<int>(weightNew * static_cast<float>(c));
    return static_cast<COLORREF>(v < 0 ? 0 : (v > 255 ? 255 : v));
  };
  return channel(0) | (channel(8) << 8) | (channel(16) << 16);
}

// Puts one step: the pixel at n gets f * old + w * color, the one at n + 1 w * old + f * color.
template <class PixelAt>
void BlendPair(CDC* pDC, float position, COLORREF color, PixelAt at) {
  const int n = static_cast<int>(position);
  const float f = position - static_cast<float>(n);
  const float w = 1.0f - f;
  const POINT first = at(n);
  const POINT second = at(n + 1);
  pDC->SetPixel(first.x, first.y, Blend(pDC->GetPixel(first.x, first.y), f, color, w));
  pDC->SetPixel(second.x, second.y, Blend(pDC->GetPixel(second.x, second.y), w, color, f));
}

}  // namespace

void CTGraphics::DrawSmoothLine(CDC* pDC, int x1, int y1, int x2, int y2, COLORREF color) {
  if (pDC == nullptr) return;
  pDC->SetPixel(x1, y1, color);
  const int dx = x2 - x1;
  const int dy = y2 - y1;
  if (std::abs(dy) < std::abs(dx)) {
    if (x2 < x1) {
      std::swap(x1, x2);
      std::swap(y1, y2);
    }
    const float gradient = static_cast<float>(y2 - y1) / static_cast<float>(x2 - x1);
    float y = static_cast<float>(y1) + gradient;
    for (int x = x1 + 1; x <= x2 - 1; ++x) {
      BlendPair(pDC, y, color, [x](int n) { return POINT{x, n}; });
      y += gradient;
    }
    pDC->SetPixel(x2, y2, color);
  } else {
    if (y2 < y1) {
      std::swap(x1, x2);
      std::swap(y1, y2);
    }
    const float gradient = dy == 0 ? 0.0f : static_cast<float>(x2 - x1) / static_cast<float>(y2 - y1);
    float x = static_cast<float>(x1) + gradient;
    for (int y = y1 + 1; y <= y2 - 1; ++y) {
      BlendPair(pDC, x, color, [y](int n) { return POINT{n, y}; });
      x += gradient;
    }
    pDC->SetPixel(x2, y2, color);
  }
}
