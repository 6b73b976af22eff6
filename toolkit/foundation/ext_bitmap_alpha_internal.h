// The pieces of alpha drawing that the bitmap cache shares; not for callers of the bitmap.
#pragma once

#include "framework/afxwin.h"
#include "toolkit/foundation/bmp_dib.h"

namespace extbitmap {

// A 32-bit section holding the picture's rectangle `part` (image coordinates) premultiplied by
// alpha; the block is only read. Null unless the block is 32-bit and `part` a non-empty
// rectangle inside it.
HBITMAP PremultipliedSection(const DibBlock& block, const RECT& part, HDC dc);
// The system's AlphaBlend with per-pixel and constant alpha; false when it is missing or fails.
bool SystemBlend(HDC target, int x, int y, int cx, int cy, HDC memory, int sx, int sy, int scx, int scy,
                 BYTE alpha);
bool IsMirrored(HDC dc);
// Our own blend of the source rectangle over the target area: 0, or -1 when a device context or
// bitmap cannot be made.
int ManualBlend(const DibBlock& block, HDC target, int x, int y, int cx, int cy, int sx, int sy, int scx, int scy,
                BYTE alpha);

}  // namespace extbitmap
