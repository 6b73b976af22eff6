// Helpers shared by the bitmap's drawing files; not for callers of the bitmap.
#pragma once

#include <functional>

#include "framework/afxwin.h"
#include "toolkit/foundation/bmp_dib.h"

namespace extbitmap {

// Room for a BITMAPINFO with three masks or a full colour table.
struct DibPlatformInfo {
  BITMAPINFOHEADER header;
  RGBQUAD extra[256];
};
// The block's header as the platform should read it (5-6-5 images get their masks spelled out).
const BITMAPINFO* PlatformInfoFor(const DibBlock& block, DibPlatformInfo& scratch);

// The stretch mode of nine-grid and skin drawing for the length of one call: HALFTONE when asked
// and the system is of the NT family, else COLORONCOLOR.
class StretchModeScope {
 public:
  StretchModeScope(HDC dc, bool halftone);
  ~StretchModeScope();
  StretchModeScope(const StretchModeScope&) = delete;
  StretchModeScope& operator=(const StretchModeScope&) = delete;

 private:
  HDC m_dc;
  int m_old;
};

// Cuts a skin into the pieces to draw (destination, source), in drawing order; mode 1 centres the
// source unscaled. False for a mode outside 1 to 5.
using SkinPieceFn = std::function<void(const RECT& destination, const RECT& source)>;
bool LaySkin(const RECT& destination, const RECT& source, const RECT& margins, int mode, bool drawCentre,
             const SkinPieceFn& piece);

}  // namespace extbitmap
