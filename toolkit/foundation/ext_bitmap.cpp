// The bitmap's block, queries, pixels, working form and part copies.
#include "toolkit/foundation/ext_bitmap.h"
#include "toolkit/foundation/ext_bitmap_draw_internal.h"

#include <algorithm>

static_assert(sizeof(RGBQUAD) == sizeof(DibColor));
static_assert(sizeof(BITMAPINFOHEADER) == sizeof(DibInfoHeader));

namespace {

const DibColor& AsDib(const RGBQUAD& q) { return reinterpret_cast<const DibColor&>(q); }

bool PartInside(const RECT& part, int width, int height) {
  return part.left >= 0 && part.top >= 0 && part.right <= width && part.bottom <= height && part.left < part.right &&
         part.top < part.bottom;
}

bool IsWhole(const RECT& part, int width, int height) {
  return part.left == 0 && part.top == 0 && part.right == width && part.bottom == height;
}

}  // namespace

CExtBitmap::CExtBitmap(const CExtBitmap& other) { Assign(other, false); }

CExtBitmap& CExtBitmap::operator=(const CExtBitmap& other) {
  if (this != &other) Assign(other, false);
  return *this;
}

CExtBitmap::~CExtBitmap() { DibFree()(m_pDib); }

void CExtBitmap::SetDib(DibPtr block) {
  DibFree()(m_pDib);
  m_pDib = block.release();
}

bool CExtBitmap::Fail(bool throwOnFailure) {
  if (throwOnFailure) AfxThrowUserException();
  return false;
}

bool CExtBitmap::Assign(const CExtBitmap& source, bool throwOnFailure) {
  // Copy first: assigning from oneself must not lose the pixels.
  DibPtr copy = source.m_pDib ? DibDuplicate(*source.m_pDib) : nullptr;
  const bool sourceBlank = source.m_pDib == nullptr;
  Empty();
  if (sourceBlank) return true;
  if (!copy) return Fail(throwOnFailure);
  SetDib(std::move(copy));
  OnContentLoaded();
  return true;
}

void CExtBitmap::Empty() {
  SetDib(nullptr);
  OnContentChanged();
}

bool CExtBitmap::IsBlank() const { return m_pDib == nullptr; }

void CExtBitmap::OnContentLoaded() { OnContentChanged(); }
void CExtBitmap::OnContentChanged() {}

bool CExtBitmap::IsPremultiplyInPlaceEnabled() const {
  static const bool enabled = true;  // class-wide and constant
  return enabled;
}

CSize CExtBitmap::GetPixelSize() const { return m_pDib ? CSize(m_pDib->Width(), m_pDib->Height()) : CSize(0, 0); }
int CExtBitmap::GetBitsPerPixel() const { return m_pDib ? m_pDib->Depth() : 0; }
DWORD CExtBitmap::GetAlphaMask() const { return m_pDib ? m_pDib->alphaMask : 0; }
DWORD CExtBitmap::GetDibFlags() const { return m_pDib ? m_pDib->flags : 0; }
void CExtBitmap::SetDibFlags(DWORD flags) {
  if (m_pDib) m_pDib->flags = flags;
}
bool CExtBitmap::IsPremultiplied() const { return m_pDib && m_pDib->IsPremultiplied(); }
void CExtBitmap::MarkPremultiplied(bool premultiplied) {
  if (!m_pDib) return;
  if (premultiplied)
    m_pDib->flags |= kDibFlagPremultiplied;
  else
    m_pDib->flags &= ~kDibFlagPremultiplied;
}

bool CExtBitmap::ReadPixel(int x, int y, RGBQUAD* result) const {
  if (!m_pDib || !result) return false;
  return DibReadPixel(*m_pDib, x, y, reinterpret_cast<DibColor*>(result));
}

bool CExtBitmap::WritePixel(int x, int y, const RGBQUAD* value, bool red, bool green, bool blue, bool alpha) {
  if (!m_pDib || !value) return false;
  if (!DibWritePixel(*m_pDib, x, y, AsDib(*value), red, green, blue, alpha)) return false;
  OnContentChanged();
  return true;
}

COLORREF CExtBitmap::ReadPixelColor(int x, int y, BYTE* alpha) const {
  RGBQUAD q{};
  if (!ReadPixel(x, y, &q)) return static_cast<COLORREF>(-1);
  if (alpha) *alpha = q.rgbReserved;
  return RGB(q.rgbRed, q.rgbGreen, q.rgbBlue);
}

bool CExtBitmap::WritePixelColor(int x, int y, COLORREF color, int alpha) {
  const bool hasColor = color != static_cast<COLORREF>(-1);
  const bool hasAlpha = alpha >= 0;
  if (!hasColor && !hasAlpha) return false;
  RGBQUAD q{};
  if (hasColor) {
    q.rgbRed = GetRValue(color);
    q.rgbGreen = GetGValue(color);
    q.rgbBlue = GetBValue(color);
  }
  q.rgbReserved = static_cast<BYTE>(std::min(alpha, 255));
  return WritePixel(x, y, &q, hasColor, hasColor, hasColor, hasAlpha);
}

bool CExtBitmap::PromoteTo32Bpp(bool throwOnFailure) {
  if (!m_pDib) return false;
  if (m_pDib->Depth() == 32) {
    if (m_pDib->redMask != kDibMasks32.red || m_pDib->greenMask != kDibMasks32.green ||
        m_pDib->blueMask != kDibMasks32.blue || m_pDib->alphaMask == kDibMasks32.alpha)
      return true;
    m_pDib->alphaMask = kDibMasks32.alpha;  // the alpha bytes stay as they are
    OnContentChanged();
    return true;
  }
  DibPtr converted = ConvertDibTo32Bpp(*m_pDib);
  if (!converted) return Fail(throwOnFailure);
  SetDib(std::move(converted));
  OnContentChanged();
  return true;
}

void CExtBitmap::Premultiply(bool multiply) {
  if (!m_pDib || !DibPremultiply(*m_pDib, multiply)) return;
  OnContentChanged();
}

int CExtBitmap::CountColors(CMap<COLORREF, COLORREF, DWORD, DWORD>& counts) const {
  counts.RemoveAll();
  if (!m_pDib) return 0;
  for (int y = 0; y < m_pDib->Height(); ++y)
    for (int x = 0; x < m_pDib->Width(); ++x) ++counts[ReadPixelColor(x, y)];
  return m_pDib->Depth();
}

int CExtBitmap::CollectColors(CArray<COLORREF, COLORREF>& colors) const {
  colors.RemoveAll();
  CMap<COLORREF, COLORREF, DWORD, DWORD> counts;
  const int depth = CountColors(counts);
  POSITION pos = counts.GetStartPosition();
  while (pos) {
    COLORREF color = 0;
    DWORD count = 0;
    counts.GetNextAssoc(pos, color, count);
    colors.Add(color);
  }
  return depth;
}

// Copies the part pixel by pixel through a 32-bit copy of the source.
static DibPtr CopyPartOf(const CExtBitmap& source, const RECT& part) {
  CExtBitmap temporary;
  if (!temporary.Assign(source, false) || !temporary.PromoteTo32Bpp(false)) return nullptr;
  DibPtr out = DibAllocate(part.right - part.left, part.bottom - part.top, 32, kDibMasks32, 0);
  if (!out) return nullptr;
  for (int y = part.top; y < part.bottom; ++y)
    for (int x = part.left; x < part.right; ++x) {
      DibColor c{};
      if (DibReadPixel(*temporary.GetDib(), x, y, &c))
        DibWritePixel(*out, x - part.left, y - part.top, c, true, true, true, true);
    }
  return out;
}

bool CExtBitmap::CopyPart(const CExtBitmap& source, const RECT* part, bool throwOnFailure) {
  if (&source == this) {  // the source is emptied below: work on a copy
    CExtBitmap copy(source);
    return CopyPart(copy, part, throwOnFailure);
  }
  Empty();
  if (source.IsBlank()) return Fail(throwOnFailure);
  const CSize size = source.GetPixelSize();
  if (!part || IsWhole(*part, size.cx, size.cy)) return Assign(source, throwOnFailure);
  if (!PartInside(*part, size.cx, size.cy)) return Fail(throwOnFailure);
  DibPtr out = CopyPartOf(source, *part);
  if (!out) return Fail(throwOnFailure);
  SetDib(std::move(out));
  OnContentLoaded();
  return true;
}

bool CExtBitmap::ImportHBITMAP(HBITMAP bitmap, const RECT* part, bool throwOnFailure, bool keepAlpha) {
  Empty();
  if (!bitmap) return Fail(throwOnFailure);
  BITMAP info{};
  if (!::GetObjectW(bitmap, sizeof info, &info)) return Fail(throwOnFailure);
  if (!part || IsWhole(*part, info.bmWidth, info.bmHeight)) return ImportHBITMAP(bitmap, throwOnFailure, keepAlpha);
  if (!PartInside(*part, info.bmWidth, info.bmHeight)) return Fail(throwOnFailure);
  CExtBitmap whole;
  if (!whole.ImportHBITMAP(bitmap, throwOnFailure, keepAlpha)) return Fail(throwOnFailure);
  DibPtr out = CopyPartOf(whole, *part);
  if (!out) return Fail(throwOnFailure);
  SetDib(std::move(out));
  OnContentLoaded();
  return true;
}

bool CExtBitmap::ImportHBITMAP(HBITMAP bitmap, bool throwOnFailure, bool keepAlpha) {
  Empty();
  BITMAP info{};
  if (!bitmap || !::GetObjectW(bitmap, sizeof info, &info)) return Fail(throwOnFailure);
  const int depth = info.bmBitsPixel * info.bmPlanes;
  DibPtr block = DibAllocate(info.bmWidth, info.bmHeight, depth, depth == 32 ? kDibMasks32 : kDibMasksNone, 0);
  if (!block) return Fail(throwOnFailure);
  HDC screen = ::GetDC(nullptr);
  const int lines = ::GetDIBits(screen, bitmap, 0, static_cast<UINT>(block->Height()), block->Rows(),
                                reinterpret_cast<BITMAPINFO*>(&block->header), DIB_RGB_COLORS);
  ::ReleaseDC(nullptr, screen);
  // GetDIBits may have filled in the image size; the block's header keeps the allocator's values.
  block->header.biSizeImage = 0;
  block->header.biCompression = BI_RGB;
  if (lines == 0) return Fail(throwOnFailure);
  if (block->Depth() == 32 && !keepAlpha)
    for (int row = 0; row < block->Height(); ++row)
      for (int x = 0; x < block->Width(); ++x) block->Row(row)[4 * x + 3] = 255;
  SetDib(std::move(block));
  OnContentLoaded();
  return true;
}

bool CExtBitmap::CaptureFromDC(HDC dc, const RECT& area, bool throwOnFailure) {
  Empty();
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  if (!dc || width <= 0 || height <= 0) return Fail(throwOnFailure);
  void* bits = nullptr;
  HBITMAP section = extbitmap::Section32(dc, width, height, &bits);
  if (!section) return Fail(throwOnFailure);
  bool ok = false;
  if (HDC memory = ::CreateCompatibleDC(dc)) {
    HGDIOBJ old = ::SelectObject(memory, section);
    ok = ::BitBlt(memory, 0, 0, width, height, dc, area.left, area.top, SRCCOPY) != FALSE;
    ::SelectObject(memory, old);
    ::DeleteDC(memory);
  }
  if (ok) ok = ImportHBITMAP(section, false, false);
  ::DeleteObject(section);
  return ok ? true : Fail(throwOnFailure);
}
