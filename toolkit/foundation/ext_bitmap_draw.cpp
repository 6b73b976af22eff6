// Opaque drawing of a bitmap: the DIB rows handed to StretchDIBits, nine-grid frames and skins
// whose edges and centre are stretched or tiled. Alpha drawing is in ext_bitmap_alpha.cpp.
#include <cstring>

#include "toolkit/foundation/ext_bitmap.h"
#include "toolkit/foundation/ext_bitmap_draw_internal.h"
#include "toolkit/paint/paint_manager.h"
#include "toolkit/paint/pm_holder.h"

namespace extbitmap {

const BITMAPINFO* PlatformInfoFor(const DibBlock& block, DibPlatformInfo& scratch) {
  // 5-6-5 blocks say BI_RGB in their own header; the platform needs the masks spelled out.
  if (block.Depth() != 16 || block.greenMask != kDibMasks565.green) return reinterpret_cast<const BITMAPINFO*>(&block.header);
  std::memcpy(&scratch.header, &block.header, sizeof scratch.header);
  scratch.header.biCompression = BI_BITFIELDS;
  DWORD* masks = reinterpret_cast<DWORD*>(scratch.extra);
  masks[0] = block.redMask;
  masks[1] = block.greenMask;
  masks[2] = block.blueMask;
  return reinterpret_cast<const BITMAPINFO*>(&scratch);
}

StretchModeScope::StretchModeScope(HDC dc, bool halftone) : m_dc(dc) {
  const bool nt = g_PaintManagerHolder.HasOs(extpaint::OsIsNT);
  m_old = ::SetStretchBltMode(dc, halftone && nt ? HALFTONE : COLORONCOLOR);
}
StretchModeScope::~StretchModeScope() {
  if (m_old != 0) ::SetStretchBltMode(m_dc, m_old);
}

namespace {

bool Empty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

// Lays [start, end) out in tiles of `tile` units; the last tile is cut at the end. The callback
// gets the tile's start and its length.
template <typename F>
void Tiles(int start, int end, int tile, F&& f) {
  if (tile <= 0 || end <= start) return;
  for (int at = start; at < end; at += tile) f(at, at + tile <= end ? tile : end - at);
}

}  // namespace

bool LaySkin(const RECT& d, const RECT& s, const RECT& m, int mode, bool drawCentre, const SkinPieceFn& piece) {
  if (mode == 1) {
    const int sw = s.right - s.left, sh = s.bottom - s.top;
    const int left = d.left + ((d.right - d.left) - sw) / 2;
    const int top = d.top + ((d.bottom - d.top) - sh) / 2;
    piece(RECT{left, top, left + sw, top + sh}, s);
    return true;
  }
  if (mode < 2 || mode > 5) return false;
  const bool tileH = mode == 3 || mode == 5;  // top and bottom edges along their length
  const bool tileV = mode == 4 || mode == 5;  // left and right edges along their length

  // A strip tiled horizontally and/or vertically; the cut tile shows the beginning of its source.
  auto strip = [&](const RECT& dst, const RECT& src, bool horizontal, bool vertical) {
    if (Empty(dst) || Empty(src)) return;
    const int sw = src.right - src.left, sh = src.bottom - src.top;
    if (!horizontal && !vertical) {
      piece(dst, src);
      return;
    }
    auto row = [&](int top, int bottom, int srcBottom) {
      if (!horizontal) {
        piece(RECT{dst.left, top, dst.right, bottom}, RECT{src.left, src.top, src.right, srcBottom});
        return;
      }
      Tiles(dst.left, dst.right, sw, [&](int at, int length) {
        piece(RECT{at, top, at + length, bottom}, RECT{src.left, src.top, src.left + length, srcBottom});
      });
    };
    if (!vertical) {
      row(dst.top, dst.bottom, src.bottom);
      return;
    }
    Tiles(dst.top, dst.bottom, sh, [&](int at, int length) { row(at, at + length, src.top + length); });
  };
  auto corner = [&](const RECT& dst, const RECT& src) {
    if (!Empty(dst) && !Empty(src)) piece(dst, src);
  };

  const int dl = d.left + m.left, dr = d.right - m.right, dt = d.top + m.top, db = d.bottom - m.bottom;
  const int sl = s.left + m.left, sr = s.right - m.right, st = s.top + m.top, sb = s.bottom - m.bottom;
  if (m.left > 0 && m.top > 0) corner({d.left, d.top, dl, dt}, {s.left, s.top, sl, st});
  if (m.top > 0) strip({dl, d.top, dr, dt}, {sl, s.top, sr, st}, tileH, false);
  if (m.right > 0 && m.top > 0) corner({dr, d.top, d.right, dt}, {sr, s.top, s.right, st});
  if (m.left > 0) strip({d.left, dt, dl, db}, {s.left, st, sl, sb}, false, tileV);
  if (m.right > 0) strip({dr, dt, d.right, db}, {sr, st, s.right, sb}, false, tileV);
  if (m.left > 0 && m.bottom > 0) corner({d.left, db, dl, d.bottom}, {s.left, sb, sl, s.bottom});
  if (m.bottom > 0) strip({dl, db, dr, d.bottom}, {sl, sb, sr, s.bottom}, tileH, false);
  if (m.right > 0 && m.bottom > 0) corner({dr, db, d.right, d.bottom}, {sr, sb, s.right, s.bottom});
  if (drawCentre) strip({dl, dt, dr, db}, {sl, st, sr, sb}, tileH, tileV);
  return true;
}

}  // namespace extbitmap

using extbitmap::DibPlatformInfo;

int CExtBitmap::StretchBits(HDC dc, int x, int y, int cx, int cy, int sx, int sy, int scx, int scy,
                            DWORD rop) const {
  if (!m_pDib || !dc) return -1;
  DibPlatformInfo scratch;
  return ::StretchDIBits(dc, x, y, cx, cy, sx, sy, scx, scy, m_pDib->Rows(),
                         extbitmap::PlatformInfoFor(*m_pDib, scratch), DIB_RGB_COLORS, rop);
}

int CExtBitmap::Draw(HDC dc, int x, int y, int cx, int cy, int sx, int sy, int scx, int scy, DWORD rop) const {
  if (!m_pDib || !dc) return -1;
  // The rows are stored bottom-up: the source's top row sy lies scy rows below the DIB's origin
  // row count. Positive extents keep the picture upright without mirroring tricks, whose rounding
  // differs between systems.
  return StretchBits(dc, x, y, cx, cy, sx, m_pDib->Height() - sy - scy, scx, scy, rop);
}

int CExtBitmap::DrawRect(HDC dc, const RECT& d, const RECT& s, DWORD rop) const {
  if (!m_pDib || !dc) return -1;
  return Draw(dc, d.left, d.top, d.right - d.left, d.bottom - d.top, s.left, s.top, s.right - s.left,
              s.bottom - s.top, rop);
}

int CExtBitmap::DrawWhole(HDC dc, const RECT& d, DWORD rop) const {
  if (!m_pDib || !dc) return -1;
  return DrawRect(dc, d, RECT{0, 0, m_pDib->Width(), m_pDib->Height()}, rop);
}

int CExtBitmap::DrawAt(HDC dc, int x, int y, int cx, int cy, DWORD rop) const {
  if (!m_pDib || !dc) return -1;
  return Draw(dc, x, y, cx, cy, 0, 0, m_pDib->Width(), m_pDib->Height(), rop);
}

bool CExtBitmap::DrawNineGrid(HDC dc, const RECT& D, const RECT& S, const RECT& M, int e, int f, bool drawCentre,
                              bool halftone, DWORD rop) const {
  if (!m_pDib || !dc) return false;
  extbitmap::StretchModeScope mode(dc, halftone);
  auto piece = [&](const RECT& dst, const RECT& src) {
    if (!extbitmap::Empty(dst) && !extbitmap::Empty(src)) DrawRect(dc, dst, src, rop);
  };
  if (M.top > 0 || e > 0) {
    piece({D.left + M.left, D.top, D.right - M.right, D.top + M.top + e},
          {S.left + M.left, S.top, S.right - M.right, S.top + M.top + f});
    if (M.left > 0) {
      piece({D.left, D.top, D.left + M.left, D.top + M.top}, {S.left, S.top, S.left + M.left, S.top + M.top});
      if (e > 0)
        piece({D.left, D.top + M.top, D.left + M.left, D.top + M.top + e},
              {S.left, S.top + M.top, S.left + M.left, S.top + M.top + f});
    }
    if (M.right > 0) {
      piece({D.right - M.right, D.top, D.right, D.top + M.top}, {S.right - M.right, S.top, S.right, S.top + M.top});
      if (e > 0)
        piece({D.right - M.right, D.top + M.top, D.right, D.top + M.top + e},
              {S.right - M.right, S.top + M.top, S.right, S.top + M.top + f});
    }
  }
  if (M.bottom > 0)
    piece({D.left + M.left, D.bottom - M.bottom, D.right - M.right, D.bottom},
          {S.left + M.left, S.bottom - M.bottom, S.right - M.right, S.bottom});
  if (M.left > 0) {
    piece({D.left, D.top + M.top + e, D.left + M.left, D.bottom - M.bottom},
          {S.left, S.top + M.top + f, S.left + M.left, S.bottom - M.bottom});
    if (M.bottom > 0)
      piece({D.left, D.bottom - M.bottom, D.left + M.left, D.bottom},
            {S.left, S.bottom - M.bottom, S.left + M.left, S.bottom});
  }
  if (M.right > 0) {
    piece({D.right - M.right, D.top + M.top + e, D.right, D.bottom - M.bottom},
          {S.right - M.right, S.top + M.top + f, S.right, S.bottom - M.bottom});
    if (M.bottom > 0)
      piece({D.right - M.right, D.bottom - M.bottom, D.right, D.bottom},
            {S.right - M.right, S.bottom - M.bottom, S.right, S.bottom});
  }
  if (drawCentre)
    piece({D.left + M.left, D.top + M.top + e, D.right - M.right, D.bottom - M.bottom},
          {S.left + M.left, S.top + M.top + f, S.right - M.right, S.bottom - M.bottom});
  return true;
}

bool CExtBitmap::DrawNineGridWhole(HDC dc, const RECT& destination, const RECT& margins, int e, int f,
                                   bool drawCentre, bool halftone, DWORD rop) const {
  if (!m_pDib || !dc) return false;
  return DrawNineGrid(dc, destination, RECT{0, 0, m_pDib->Width(), m_pDib->Height()}, margins, e, f, drawCentre,
                      halftone, rop);
}

bool CExtBitmap::DrawSkin(HDC dc, const RECT& destination, const RECT& source, const RECT& margins, int mode,
                          bool drawCentre, bool halftone, DWORD rop) const {
  if (mode == 0) return true;
  if (!m_pDib || !dc) return false;
  extbitmap::StretchModeScope stretch(dc, halftone);
  return extbitmap::LaySkin(destination, source, margins, mode, drawCentre, [&](const RECT& dst, const RECT& src) {
    if (::RectVisible(dc, &dst)) DrawRect(dc, dst, src, rop);
  });
}

bool CExtBitmap::DrawSkinWhole(HDC dc, const RECT& destination, const RECT& margins, int mode, bool drawCentre,
                               bool halftone, DWORD rop) const {
  if (mode == 0) return true;
  if (!m_pDib || !dc) return false;
  return DrawSkin(dc, destination, RECT{0, 0, m_pDib->Width(), m_pDib->Height()}, margins, mode, drawCentre,
                  halftone, rop);
}
