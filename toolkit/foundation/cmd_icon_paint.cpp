// Painting a command icon in its states and in the embossed, silhouette and tinted looks.
#include "toolkit/foundation/cmd_icon.h"

void CExtCmdIcon::Paint(CExtPaintManager* pm, HDC dc, int x, int y, int cx, int cy, int state, BYTE alpha) {
  // Drawing waits for the bitmap's alpha drawing.
  (void)pm, (void)dc, (void)x, (void)y, (void)cx, (void)cy, (void)state, (void)alpha;
}

void CExtCmdIcon::PaintEmbossed(CExtPaintManager* pm, HDC dc, COLORREF color, int x, int y, int cx, int cy,
                                BYTE alpha) {
  (void)pm, (void)dc, (void)color, (void)x, (void)y, (void)cx, (void)cy, (void)alpha;
}

void CExtCmdIcon::PaintSilhouette(CExtPaintManager* pm, HDC dc, COLORREF color, int x, int y, int cx, int cy,
                                  BYTE alpha) {
  (void)pm, (void)dc, (void)color, (void)x, (void)y, (void)cx, (void)cy, (void)alpha;
}

void CExtCmdIcon::PaintTinted(CExtPaintManager* pm, HDC dc, COLORREF color, int x, int y, int cx, int cy,
                              BYTE alpha) {
  (void)pm, (void)dc, (void)color, (void)x, (void)y, (void)cx, (void)cy, (void)alpha;
}
