// Window regions from bitmaps: the pixels outside a colour key, and a skin's destination
// rectangle less the corner pixels whose alpha lies in a range.
#include <cstring>
#include <vector>

#include "toolkit/foundation/ext_bitmap.h"
#include "toolkit/paint/paint_manager.h"
#include "toolkit/paint/pm_holder.h"

namespace {

// Collects rectangles and turns them into a region in batches: ExtCreateRegion over one batch is
// far cheaper than joining rectangles one by one.
class RegionBuilder {
 public:
  explicit RegionBuilder(size_t batch) : m_batch(batch) { m_rects.reserve(batch < 200 ? batch : 200); }
  ~RegionBuilder() {
    if (m_result) ::DeleteObject(m_result);
  }
  RegionBuilder(const RegionBuilder&) = delete;
  RegionBuilder& operator=(const RegionBuilder&) = delete;

  bool Add(const RECT& r) {
    m_rects.push_back(r);
    ++m_count;
    return m_rects.size() < m_batch || Flush();
  }
  // The union so far (an empty region when nothing was added); null when a region failed.
  HRGN Finish() {
    if (!Flush()) return nullptr;
    HRGN result = m_result;
    m_result = nullptr;
    return result;
  }
  size_t Count() const { return m_count; }

 private:
  bool Flush() {
    if (m_failed) return false;
    std::vector<BYTE> data(sizeof(RGNDATAHEADER) + m_rects.size() * sizeof(RECT));
    auto* header = reinterpret_cast<RGNDATAHEADER*>(data.data());
    header->dwSize = sizeof(RGNDATAHEADER);
    header->iType = RDH_RECTANGLES;
    header->nCount = static_cast<DWORD>(m_rects.size());
    header->nRgnSize = static_cast<DWORD>(m_rects.size() * sizeof(RECT));
    RECT bound{0x7FFFFFFF, 0x7FFFFFFF, 0, 0};
    for (const RECT& r : m_rects) {
      if (r.left < bound.left) bound.left = r.left;
      if (r.top < bound.top) bound.top = r.top;
      if (r.right > bound.right) bound.right = r.right;
      if (r.bottom > bound.bottom) bound.bottom = r.bottom;
    }
    if (m_rects.empty()) bound = RECT{0, 0, 0, 0};
    header->rcBound = bound;
    if (!m_rects.empty()) std::memcpy(data.data() + sizeof(RGNDATAHEADER), m_rects.data(), m_rects.size() * sizeof(RECT));
    HRGN part = ::ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()), reinterpret_cast<RGNDATA*>(data.data()));
    m_rects.clear();
    if (!part) return Fail();
    if (!m_result) {
      m_result = part;
      return true;
    }
    const int joined = ::CombineRgn(m_result, m_result, part, RGN_OR);
    ::DeleteObject(part);
    return joined == ERROR ? Fail() : true;
  }
  bool Fail() {
    m_failed = true;
    return false;
  }

  size_t m_batch;
  std::vector<RECT> m_rects;
  size_t m_count = 0;
  HRGN m_result = nullptr;
  bool m_failed = false;
};

size_t RegionBatch() { return g_PaintManagerHolder.HasOs(extpaint::OsIsNT4) ? 1 : 2000; }

bool InByte(unsigned value, unsigned low, unsigned high) { return value >= low && value <= high; }

}  // namespace

HRGN CExtBitmap::RegionFromColorKey(bool mirror, DWORD key, DWORD tolerance) const {
  if (!m_pDib) return nullptr;
  if (m_pDib->Depth() != 32) {
    CExtBitmap copy(*this);
    if (!copy.PromoteTo32Bpp(false)) return nullptr;
    return copy.RegionFromColorKey(mirror, key, tolerance);
  }
  // The key box per channel, compared in the pixel's byte order (lowest byte against blue).
  unsigned low[3], high[3];
  for (int i = 0; i < 3; ++i) {
    low[i] = (key >> (8 * i)) & 0xFF;
    const unsigned top = low[i] + ((tolerance >> (8 * i)) & 0xFF);
    high[i] = top > 255 ? 255 : top;
  }
  const int width = m_pDib->Width(), height = m_pDib->Height();
  RegionBuilder builder(RegionBatch());
  auto emit = [&](int x0, int x1, int y) {
    RECT r{x0, y, x1, y + 1};
    if (mirror) r = RECT{width - x1, y, width - x0, y + 1};
    return builder.Add(r);
  };
  for (int y = height - 1; y >= 0; --y) {
    const auto* row = reinterpret_cast<const DibColor*>(m_pDib->Row(height - 1 - y));
    int runStart = -1;
    for (int x = 0; x < width; ++x) {
      const DibColor& c = row[x];
      const bool keyed = InByte(c.blue, low[0], high[0]) && InByte(c.green, low[1], high[1]) &&
                         InByte(c.red, low[2], high[2]);
      if (!keyed && runStart < 0) runStart = x;
      if (keyed && runStart >= 0) {
        if (!emit(runStart, x, y)) return nullptr;
        runStart = -1;
      }
    }
    if (runStart >= 0 && !emit(runStart, width, y)) return nullptr;
  }
  return builder.Finish();
}

HRGN CExtBitmap::CornerRegionPart(bool mirror, const RECT& D, const RECT& S, const RECT& M, bool left, bool top,
                                  BYTE alphaMin, BYTE alphaMax) const {
  if (!m_pDib) return nullptr;
  const int cw = left ? M.left : M.right, ch = top ? M.top : M.bottom;
  if (cw <= 0 || ch <= 0) return nullptr;
  const int sx0 = left ? S.left : S.right - cw, sy0 = top ? S.top : S.bottom - ch;
  const int dx0 = left ? D.left : D.right - cw, dy0 = top ? D.top : D.bottom - ch;
  RegionBuilder builder(RegionBatch());
  for (int y = 0; y < ch; ++y) {
    for (int x = 0; x < cw; ++x) {
      DibColor c{};
      if (!DibReadPixel(*m_pDib, sx0 + x, sy0 + y, &c)) continue;
      if (c.alpha < alphaMin || c.alpha > alphaMax) continue;
      int cellX = dx0 + x;
      if (mirror) cellX = D.left + D.right - cellX - 1;
      if (!builder.Add(RECT{cellX, dy0 + y, cellX + 1, dy0 + y + 1})) return nullptr;
    }
  }
  if (builder.Count() == 0) return nullptr;
  return builder.Finish();
}

HRGN CExtBitmap::CornerRegion(bool mirror, const RECT& D, const RECT& S, const RECT& M, BYTE alphaMin,
                              BYTE alphaMax) const {
  if (!m_pDib) return nullptr;
  HRGN corners[4] = {
      CornerRegionPart(mirror, D, S, M, true, true, alphaMin, alphaMax),
      CornerRegionPart(mirror, D, S, M, true, false, alphaMin, alphaMax),
      CornerRegionPart(mirror, D, S, M, false, true, alphaMin, alphaMax),
      CornerRegionPart(mirror, D, S, M, false, false, alphaMin, alphaMax),
  };
  if (!corners[0] && !corners[1] && !corners[2] && !corners[3]) return nullptr;
  HRGN result = ::CreateRectRgnIndirect(&D);
  for (HRGN corner : corners) {
    if (!corner) continue;
    if (result) ::CombineRgn(result, result, corner, RGN_DIFF);
    ::DeleteObject(corner);
  }
  return result;
}

HRGN CExtBitmap::CornerRegion(bool mirror, const RECT& destination, const RECT& margins, BYTE alphaMin,
                              BYTE alphaMax) const {
  if (!m_pDib) return nullptr;
  return CornerRegion(mirror, destination, RECT{0, 0, m_pDib->Width(), m_pDib->Height()}, margins, alphaMin,
                      alphaMax);
}
