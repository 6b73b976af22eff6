// Painting a command icon in its states and in the embossed, silhouette and tinted looks.
#include "toolkit/foundation/cmd_icon.h"

namespace {

constexpr COLORREF kNoKey = static_cast<COLORREF>(-1);

// The whole image blended onto (x, y, cx, cy). The source is the image's own rectangle, so an
// explicit state image of another size never reads past its pixels.
void DrawWhole(const CExtBitmap& image, HDC dc, int x, int y, int cx, int cy, BYTE alpha) {
  if (image.IsBlank()) return;
  const CSize size = image.GetPixelSize();
  image.AlphaDraw(dc, x, y, cx, cy, 0, 0, size.cx, size.cy, alpha);
}

// The colour as hue, lightness and saturation and back: what the tints are built from.
COLORREF ThroughHsl(COLORREF color) {
  double hue = 0.0, saturation = 0.0, lightness = 0.0;
  CExtBitmap::RgbToHsl(color, &hue, &saturation, &lightness);
  return CExtBitmap::HslToRgb(hue, lightness, saturation);
}

}  // namespace

void CExtCmdIcon::Paint(CExtPaintManager* pm, HDC dc, int x, int y, int cx, int cy, int state, BYTE alpha) {
  if (state == StateNone || !dc || IsBlank() || !ResolvePaintSize(cx, cy)) return;
  DrawWhole(GetStateBitmap(state, pm), dc, x, y, cx, cy, alpha);
}

void CExtCmdIcon::PaintEmbossed(CExtPaintManager* /*pm*/, HDC dc, COLORREF color, int x, int y, int cx, int cy,
                                BYTE alpha) {
  if (!dc || IsBlank() || !ResolvePaintSize(cx, cy)) return;
  color = ::GetNearestColor(dc, color);
  // A: the picture flattened to the colour; B: a lighter copy that shows one pixel down-right.
  CExtBitmap face(m_bmpNormal);
  face.ShiftHsl(kNoKey, 0, 0.0, -0.75, 0.0);
  face.ShiftHsl(kNoKey, 0, 0.0, 0.75, 0.0);
  face.GrayAndTint(color);
  CExtBitmap light(face);
  light.ShiftHsl(kNoKey, 0, 0.0, 0.75, 0.0);
  DrawWhole(light, dc, x + 1, y + 1, cx, cy, alpha);
  DrawWhole(face, dc, x, y, cx, cy, alpha);
}

void CExtCmdIcon::PaintSilhouette(CExtPaintManager* /*pm*/, HDC dc, COLORREF color, int x, int y, int cx, int cy,
                                  BYTE alpha) {
  if (!dc || IsBlank() || !ResolvePaintSize(cx, cy)) return;
  CExtBitmap copy(m_bmpNormal);
  if (!copy.PromoteTo32Bpp(false)) return;
  copy.ShiftHsl(kNoKey, 0, 0.0, -1.0, -1.0);
  copy.GrayAndTint(ThroughHsl(color));
  copy.ShiftHsl(kNoKey, 0, 0.0, 0.5, 0.0);
  DrawWhole(copy, dc, x, y, cx, cy, alpha);
}

void CExtCmdIcon::PaintTinted(CExtPaintManager* /*pm*/, HDC dc, COLORREF color, int x, int y, int cx, int cy,
                              BYTE alpha) {
  if (!dc || IsBlank() || !ResolvePaintSize(cx, cy)) return;
  CExtBitmap copy(m_bmpNormal);
  if (!copy.PromoteTo32Bpp(false)) return;
  copy.GrayAndTint(ThroughHsl(color));
  DrawWhole(copy, dc, x, y, cx, cy, alpha);
}
