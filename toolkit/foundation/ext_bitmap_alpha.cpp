// Alpha drawing of a bitmap: the system's AlphaBlend over premultiplied pixels where it can, a
// blend of our own otherwise. The image itself is never premultiplied here, so drawing it any
// number of times leaves its pixels and its premultiplied flag as the caller made them.
#include <algorithm>

#include "toolkit/foundation/ext_bitmap.h"
#include "toolkit/foundation/ext_bitmap_alpha_internal.h"
#include "toolkit/foundation/ext_bitmap_draw_internal.h"
#include "toolkit/paint/paint_manager.h"
#include "toolkit/paint/pm_holder.h"

namespace extbitmap {

namespace {

HBITMAP Section32(HDC dc, int width, int height, void** bits) {
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  return ::CreateDIBSection(dc, &bi, DIB_RGB_COLORS, bits, nullptr, 0);
}

// MulDiv of non-negative byte products: rounded half up.
inline unsigned Scale(unsigned value, unsigned factor) { return (value * factor + 127) / 255; }

}  // namespace

HBITMAP PremultipliedSection(const DibBlock& block, const RECT& part, HDC dc) {
  if (block.Depth() != 32) return nullptr;
  const int width = part.right - part.left, height = part.bottom - part.top;
  if (width <= 0 || height <= 0 || part.left < 0 || part.top < 0 || part.right > block.Width() ||
      part.bottom > block.Height())
    return nullptr;
  void* bits = nullptr;
  HBITMAP section = Section32(dc, width, height, &bits);
  if (!section || !bits) {
    if (section) ::DeleteObject(section);
    return nullptr;
  }
  ::GdiFlush();
  const bool multiply = !block.IsPremultiplied();
  auto* out = static_cast<DibColor*>(bits);
  for (int y = 0; y < height; ++y) {
    // Picture row part.top + y; the section is bottom-up too.
    const auto* in = reinterpret_cast<const DibColor*>(block.Row(block.Height() - 1 - (part.top + y))) + part.left;
    DibColor* row = out + static_cast<std::size_t>(height - 1 - y) * static_cast<std::size_t>(width);
    for (int x = 0; x < width; ++x) {
      DibColor c = in[x];
      if (multiply) {
        // The same truncating product the bitmap's own premultiplication uses.
        c.blue = static_cast<std::uint8_t>(c.blue * c.alpha / 255);
        c.green = static_cast<std::uint8_t>(c.green * c.alpha / 255);
        c.red = static_cast<std::uint8_t>(c.red * c.alpha / 255);
      }
      row[x] = c;
    }
  }
  return section;
}

bool SystemBlend(HDC target, int x, int y, int cx, int cy, HDC memory, int sx, int sy, int scx, int scy,
                 BYTE alpha) {
  auto blend = g_PaintManagerHolder.m_pfnAlphaBlend;
  if (!blend) return false;
  BLENDFUNCTION bf{AC_SRC_OVER, 0, alpha, AC_SRC_ALPHA};
  return blend(target, x, y, cx, cy, memory, sx, sy, scx, scy, bf) != FALSE;
}

bool IsMirrored(HDC dc) { return (::GetLayout(dc) & LAYOUT_RTL) != 0; }

int ManualBlend(const DibBlock& block, HDC target, int x, int y, int cx, int cy, int sx, int sy, int scx, int scy,
                BYTE alpha) {
  if (cx <= 0 || cy <= 0) return -1;
  HDC screen = ::GetDC(nullptr);
  HDC memory = ::CreateCompatibleDC(screen);
  ::ReleaseDC(nullptr, screen);
  if (!memory) return -1;
  void* bits = nullptr;
  HBITMAP section = Section32(target, cx, cy, &bits);
  if (!section || !bits) {
    if (section) ::DeleteObject(section);
    ::DeleteDC(memory);
    return -1;
  }
  HGDIOBJ oldBitmap = ::SelectObject(memory, section);
  const int oldTargetMode = ::SetStretchBltMode(target, COLORONCOLOR);
  const int oldMemoryMode = ::SetStretchBltMode(memory, COLORONCOLOR);
  ::StretchBlt(memory, 0, 0, cx, cy, target, x, y, cx, cy, SRCCOPY);
  ::GdiFlush();

  // The source is sampled straight from the rows (nearest pixel, as COLORONCOLOR stretches), so
  // its alpha reaches the blend whatever the platform does with the fourth byte; source pixels
  // outside the image are transparent.
  const bool premultiplied = block.IsPremultiplied();
  auto* d = static_cast<DibColor*>(bits);
  for (int row = 0; row < cy; ++row) {
    const long long pictureY = sy + static_cast<long long>(row) * scy / cy;
    const bool rowInside = pictureY >= 0 && pictureY < block.Height();
    const DibColor* in =
        rowInside ? reinterpret_cast<const DibColor*>(block.Row(block.Height() - 1 - static_cast<int>(pictureY)))
                  : nullptr;
    DibColor* out = d + static_cast<std::size_t>(cy - 1 - row) * static_cast<std::size_t>(cx);
    for (int col = 0; col < cx; ++col) {
      const long long pictureX = sx + static_cast<long long>(col) * scx / cx;
      DibColor s{0, 0, 0, 0};
      if (in && pictureX >= 0 && pictureX < block.Width()) s = in[pictureX];
      unsigned a = s.alpha, b = s.blue, g = s.green, r = s.red;
      if (!premultiplied) {
        if (alpha != 255) a = Scale(a, alpha);
        b = Scale(b, a);
        g = Scale(g, a);
        r = Scale(r, a);
      } else if (alpha != 255) {
        b = Scale(b, alpha);
        g = Scale(g, alpha);
        r = Scale(r, alpha);
        a = Scale(a, alpha);
      }
      DibColor& o = out[col];
      o.blue = static_cast<std::uint8_t>(std::min(255u, b + Scale(o.blue, 255 - a)));
      o.green = static_cast<std::uint8_t>(std::min(255u, g + Scale(o.green, 255 - a)));
      o.red = static_cast<std::uint8_t>(std::min(255u, r + Scale(o.red, 255 - a)));
      o.alpha = 0;
    }
  }

  ::StretchBlt(target, x, y, cx, cy, memory, 0, 0, cx, cy, SRCCOPY);
  ::SetStretchBltMode(memory, oldMemoryMode);
  ::SetStretchBltMode(target, oldTargetMode);
  ::SelectObject(memory, oldBitmap);
  ::DeleteObject(section);
  ::DeleteDC(memory);
  return 0;
}

}  // namespace extbitmap

int CExtBitmap::AlphaDraw(HDC dc, int x, int y, int cx, int cy, int sx, int sy, int scx, int scy, BYTE alpha) const {
  if (!m_pDib || !dc) return -1;
  if (m_pDib->Depth() != 32 || m_pDib->alphaMask == 0)
    return Draw(dc, x, y, cx, cy, sx, sy, scx, scy, SRCCOPY) > 0 ? 0 : -1;
  if (g_PaintManagerHolder.m_pfnAlphaBlend &&
      ((m_pDib->flags & kDibFlagAlphaOnMirroredDc) != 0 || !extbitmap::IsMirrored(dc))) {
    // Only the source rectangle is premultiplied, into a scratch bitmap; a source reaching outside
    // the image is left to the blend below, which treats the outside as transparent.
    HDC memory = ::CreateCompatibleDC(dc);
    HBITMAP section = memory ? extbitmap::PremultipliedSection(*m_pDib, RECT{sx, sy, sx + scx, sy + scy}, memory)
                             : nullptr;
    bool blended = false;
    if (section) {
      HGDIOBJ old = ::SelectObject(memory, section);
      blended = extbitmap::SystemBlend(dc, x, y, cx, cy, memory, 0, 0, scx, scy, alpha);
      ::SelectObject(memory, old);
      ::DeleteObject(section);
    }
    if (memory) ::DeleteDC(memory);
    if (blended) return 0;
  }
  return extbitmap::ManualBlend(*m_pDib, dc, x, y, cx, cy, sx, sy, scx, scy, alpha);
}

int CExtBitmap::AlphaDrawRect(HDC dc, const RECT& d, const RECT& s, BYTE alpha) const {
  if (!m_pDib || !dc) return -1;
  return AlphaDraw(dc, d.left, d.top, d.right - d.left, d.bottom - d.top, s.left, s.top, s.right - s.left,
                   s.bottom - s.top, alpha);
}

int CExtBitmap::AlphaDrawWhole(HDC dc, const RECT& d, BYTE alpha) const {
  if (!m_pDib || !dc) return -1;
  return AlphaDrawRect(dc, d, RECT{0, 0, m_pDib->Width(), m_pDib->Height()}, alpha);
}

int CExtBitmap::AlphaDrawAt(HDC dc, int x, int y, int cx, int cy, BYTE alpha) const {
  if (!m_pDib || !dc) return -1;
  return AlphaDraw(dc, x, y, cx, cy, 0, 0, m_pDib->Width(), m_pDib->Height(), alpha);
}

bool CExtBitmap::AlphaDrawSkin(HDC dc, const RECT& destination, const RECT& source, const RECT& margins, int mode,
                               bool drawCentre, bool halftone, BYTE alpha) const {
  if (mode == 0) return true;
  if (!m_pDib || !dc) return false;
  extbitmap::StretchModeScope stretch(dc, halftone);
  return extbitmap::LaySkin(destination, source, margins, mode, drawCentre, [&](const RECT& dst, const RECT& src) {
    if (::RectVisible(dc, &dst)) AlphaDrawRect(dc, dst, src, alpha);
  });
}

bool CExtBitmap::AlphaDrawSkinWhole(HDC dc, const RECT& destination, const RECT& margins, int mode, bool drawCentre,
                                    bool halftone, BYTE alpha) const {
  if (mode == 0) return true;
  if (!m_pDib || !dc) return false;
  return AlphaDrawSkin(dc, destination, RECT{0, 0, m_pDib->Width(), m_pDib->Height()}, margins, mode, drawCentre,
                       halftone, alpha);
}
