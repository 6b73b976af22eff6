// The bitmap and icon handles: icons in, bitmaps, key-coloured composites and icons out, and
// packed DIBs for the clipboard.
#include <algorithm>
#include <cstring>
#include <unordered_set>
#include <vector>

#include "toolkit/foundation/ext_bitmap.h"
#include "toolkit/foundation/ext_bitmap_draw_internal.h"
#include "toolkit/paint/paint_manager.h"
#include "toolkit/paint/pm_holder.h"

namespace {

using extbitmap::DibPlatformInfo;
using extbitmap::PlatformInfoFor;
using extbitmap::Section32;

// The picture in the working form: the block itself at 32 bits, else a converted copy.
const DibBlock* Working(const DibBlock& block, DibPtr& holder) {
  if (block.Depth() == 32) return &block;
  holder = ConvertDibTo32Bpp(block);
  return holder.get();
}

// Composites the image over 32-bit bottom-up rows of the same size, as alpha drawing at constant
// alpha 255 does: blended when the image has an alpha mask, opaque otherwise.
void CompositeOnto(const DibBlock& block, std::uint8_t* rows) {
  DibPtr holder;
  const DibBlock* src = Working(block, holder);
  if (!src) return;
  const bool blend = block.Depth() == 32 && block.alphaMask != 0;
  const bool premultiplied = block.IsPremultiplied();
  const std::size_t stride = static_cast<std::size_t>(src->Width()) * 4;
  for (int row = 0; row < src->Height(); ++row) {
    const DibColor* in = reinterpret_cast<const DibColor*>(src->Row(row));
    DibColor* out = reinterpret_cast<DibColor*>(rows + stride * static_cast<std::size_t>(row));
    for (int x = 0; x < src->Width(); ++x) {
      const DibColor s = in[x];
      DibColor& d = out[x];
      if (!blend) {
        d = DibColor{s.blue, s.green, s.red, 255};
        continue;
      }
      const unsigned a = s.alpha;
      auto mix = [&](std::uint8_t sc, std::uint8_t dc) {
        const unsigned source = premultiplied ? sc : sc * a / 255;
        return static_cast<std::uint8_t>(std::min(255u, source + dc * (255 - a) / 255));
      };
      d = DibColor{mix(s.blue, d.blue), mix(s.green, d.green), mix(s.red, d.red),
                   static_cast<std::uint8_t>(a + d.alpha * (255 - a) / 255)};
    }
  }
}

DWORD Bgr(COLORREF c) { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); }

}  // namespace

HBITMAP CExtBitmap::CreateHBITMAP(HDC dc, bool deviceDependent) const {
  if (!m_pDib || !dc) return nullptr;
  DibPlatformInfo scratch;
  const BITMAPINFO* info = PlatformInfoFor(*m_pDib, scratch);
  if (deviceDependent)
    return ::CreateDIBitmap(dc, &info->bmiHeader, CBM_INIT, m_pDib->Rows(), info, DIB_RGB_COLORS);
  void* bits = nullptr;
  HBITMAP section = Section32(dc, m_pDib->Width(), m_pDib->Height(), &bits);
  if (!section) return nullptr;
  HDC memory = ::CreateCompatibleDC(dc);
  if (!memory) {
    ::DeleteObject(section);
    return nullptr;
  }
  HGDIOBJ old = ::SelectObject(memory, section);
  ::StretchDIBits(memory, 0, 0, m_pDib->Width(), m_pDib->Height(), 0, 0, m_pDib->Width(), m_pDib->Height(),
                  m_pDib->Rows(), info, DIB_RGB_COLORS, SRCCOPY);
  ::GdiFlush();
  ::SelectObject(memory, old);
  ::DeleteDC(memory);
  // The copy is an opaque colour bitmap: its top bytes are 0 whatever the platform left there, so
  // whole-value comparisons (CreateHICON's key) see the colour alone.
  auto* px = static_cast<std::uint8_t*>(bits);
  const std::size_t count = static_cast<std::size_t>(m_pDib->Width()) * static_cast<std::size_t>(m_pDib->Height());
  for (std::size_t i = 0; i < count; ++i) px[4 * i + 3] = 0;
  return section;
}

HBITMAP CExtBitmap::CreateHBITMAP(bool deviceDependent) const {
  HDC screen = ::GetDC(nullptr);
  // A device-dependent bitmap takes the format of its device context: the screen's, since a fresh
  // memory context would make it monochrome.
  HDC memory = deviceDependent ? nullptr : ::CreateCompatibleDC(screen);
  HBITMAP result = CreateHBITMAP(memory ? memory : screen, deviceDependent);
  if (memory) ::DeleteDC(memory);
  ::ReleaseDC(nullptr, screen);
  return result;
}

HBITMAP CExtBitmap::CreateHBITMAP32(HDC dc, void** bits, COLORREF background) const {
  if (bits) *bits = nullptr;
  if (!m_pDib || !dc) return nullptr;
  void* pixels = nullptr;
  HBITMAP section = Section32(dc, m_pDib->Width(), m_pDib->Height(), &pixels);
  if (!section) return nullptr;
  auto* rows = static_cast<std::uint8_t*>(pixels);
  if (background != static_cast<COLORREF>(-1)) {
    const DibColor fill{GetBValue(background), GetGValue(background), GetRValue(background), 0};
    const std::size_t count = static_cast<std::size_t>(m_pDib->Width()) * static_cast<std::size_t>(m_pDib->Height());
    std::fill_n(reinterpret_cast<DibColor*>(rows), count, fill);
  }
  CompositeOnto(*m_pDib, rows);
  if (bits) *bits = pixels;
  return section;
}

HBITMAP CExtBitmap::CreateHBITMAP32(void** bits, COLORREF background) const {
  HDC screen = ::GetDC(nullptr);
  HDC memory = ::CreateCompatibleDC(screen);
  HBITMAP result = CreateHBITMAP32(memory ? memory : screen, bits, background);
  if (memory) ::DeleteDC(memory);
  ::ReleaseDC(nullptr, screen);
  return result;
}

bool CExtBitmap::CreateBitmapWithKeyColor(HBITMAP* result, COLORREF* key, CArray<COLORREF, COLORREF>* colors,
                                          void** bits) const {
  if (!m_pDib) return false;
  // Palette images have no per-pixel reading: their colours are collected from a 32-bit copy.
  CExtBitmap working(*this);
  if (working.GetBitsPerPixel() <= 8 && !working.PromoteTo32Bpp(false)) return false;
  CArray<COLORREF, COLORREF> distinct;
  working.CollectColors(distinct);
  std::unordered_set<COLORREF> used;
  for (INT_PTR i = 0; i < distinct.GetSize(); ++i) used.insert(distinct[i]);
  COLORREF chosen = static_cast<COLORREF>(-1);
  for (COLORREF candidate : {RGB(255, 0, 255), RGB(0, 255, 0), RGB(192, 192, 192)})
    if (!used.count(candidate)) {
      chosen = candidate;
      break;
    }
  if (chosen == static_cast<COLORREF>(-1))
    for (COLORREF c = 1; c <= 0xFFFFFD; ++c)
      if (!used.count(c)) {
        chosen = c;
        break;
      }
  if (chosen == static_cast<COLORREF>(-1)) return false;
  HBITMAP bitmap = CreateHBITMAP32(bits, chosen);
  if (!bitmap) return false;
  if (result)
    *result = bitmap;
  else
    ::DeleteObject(bitmap);
  if (key) *key = chosen;
  if (colors) {
    colors->RemoveAll();
    colors->Add(chosen);
    for (INT_PTR i = 0; i < distinct.GetSize(); ++i)
      if (distinct[i] != chosen) colors->Add(distinct[i]);
  }
  return true;
}

HICON CExtBitmap::CreateHICON(bool mapSystemColors, COLORREF key) const {
  if (!m_pDib) return nullptr;
  const int width = m_pDib->Width();
  const int height = m_pDib->Height();
  if (key == static_cast<COLORREF>(-1)) key = RGB(255, 0, 255);
  HBITMAP colour = CreateHBITMAP(false);  // opaque copy, top bytes 0
  if (!colour) return nullptr;
  DIBSECTION ds{};
  ::GetObjectW(colour, sizeof ds, &ds);
  auto* px = static_cast<DWORD*>(ds.dsBm.bmBits);
  const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
  const DWORD keyValue = Bgr(key);

  if (mapSystemColors && px) {
    struct Rule {
      DWORD from;
      DWORD to;
      bool on;
    };
    Rule rules[] = {{0x808080, Bgr(::GetSysColor(COLOR_3DSHADOW)), true},
                    {0xC0C0C0, Bgr(::GetSysColor(COLOR_3DFACE)), true},
                    {0xDFDFDF, Bgr(::GetSysColor(COLOR_3DLIGHT)), true}};
    bool any = false;
    for (Rule& r : rules) {
      r.on = r.from != keyValue && r.to != r.from;
      any = any || r.on;
    }
    if (any)
      for (std::size_t i = 0; i < count; ++i) {
        if (px[i] == keyValue) continue;
        for (const Rule& r : rules)
          if (r.on && px[i] == r.from) px[i] = r.to;
      }
  }

  HICON icon = nullptr;
  const bool oldSystem = g_PaintManagerHolder.HasOs(extpaint::OsIs9x) || !g_PaintManagerHolder.HasOs(extpaint::OsNT5OrLater);
  if (oldSystem && px) {
    // Older systems take an icon built by hand: key pixels black in the colour, the rest opaque.
    HBITMAP mask = ::CreateBitmap(width, height, 1, 1, nullptr);
    if (mask) {
      HDC dc = ::CreateCompatibleDC(nullptr);
      HGDIOBJ old = ::SelectObject(dc, mask);
      ::PatBlt(dc, 0, 0, width, height, WHITENESS);
      for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
          DWORD& v = px[static_cast<std::size_t>(height - 1 - y) * width + x];
          if (v == keyValue)
            v = 0;
          else
            ::SetPixel(dc, x, y, RGB(0, 0, 0));
        }
      ::SelectObject(dc, old);
      ::DeleteDC(dc);
      ICONINFO ii{TRUE, static_cast<DWORD>(width), static_cast<DWORD>(height), mask, colour};
      icon = ::CreateIconIndirect(&ii);
      ::DeleteObject(mask);
    }
  }
  if (!icon) {
    HIMAGELIST list = ImageList_Create(width, height, ILC_COLOR32 | ILC_MASK, 0, 1);
    if (list) {
      if (ImageList_AddMasked(list, colour, key) >= 0) icon = ImageList_GetIcon(list, 0, ILD_NORMAL);
      ImageList_Destroy(list);
    }
  }
  ::DeleteObject(colour);
  return icon;
}

bool CExtBitmap::AssignFromHICON(HICON icon, bool skipImageList) {
  Empty();
  if (!icon) return true;
  ICONINFO ii{};
  if (!::GetIconInfo(icon, &ii)) return false;
  // Icons of 256 pixels and more have hot spots past 127: the size is not cut to 8 bits.
  int width = static_cast<int>(2 * ii.xHotspot);
  int height = static_cast<int>(2 * ii.yHotspot);
  BITMAP bm{};
  if (::GetObjectW(ii.hbmColor ? ii.hbmColor : ii.hbmMask, sizeof bm, &bm) && bm.bmWidth > 0 && bm.bmHeight > 0 &&
      bm.bmBitsPixel > 1) {
    width = bm.bmWidth;
    height = bm.bmHeight;
  }

  if (!skipImageList && width > 0 && height > 0) {
    CExtImageList list;
    if (list.Create(width, height, ILC_COLOR32, 1, 1)) {
      IMAGEINFO info{};
      if (ImageList_ReplaceIcon(list.m_hImageList, -1, icon) >= 0 && list.GetImageInfo(0, &info) &&
          ImportHBITMAP(info.hbmImage, &info.rcImage, false, true)) {
        bool anyAlpha = false;
        for (int y = 0; y < height && !anyAlpha; ++y)
          for (int x = 0; x < width && !anyAlpha; ++x) {
            BYTE alpha = 0;
            ReadPixelColor(x, y, &alpha);
            anyAlpha = alpha != 0;
          }
        if (!anyAlpha) Empty();
      } else {
        Empty();
      }
      list.DeleteImageList();
    }
  }

  if (IsBlank() && ii.hbmColor) {
    bool ok = ImportHBITMAP(ii.hbmColor, false, false) && PromoteTo32Bpp(false);
    if (ok && ii.hbmMask) {
      CExtBitmap mask;
      ok = mask.ImportHBITMAP(ii.hbmMask, false, false) && mask.PromoteTo32Bpp(false);
      const CSize size = GetPixelSize();
      for (int y = 0; ok && y < size.cy; ++y)
        for (int x = 0; x < size.cx; ++x) {
          RGBQUAD q{};
          ReadPixel(x, y, &q);
          q.rgbReserved = mask.ReadPixelColor(x, y) == 0 ? 255 : 0;
          DibWritePixel(*m_pDib, x, y, reinterpret_cast<const DibColor&>(q), false, false, false, true);
        }
    }
    if (!ok) Empty();
  } else if (IsBlank() && !ii.hbmColor) {
    if (ii.hbmMask) {
      const RECT top{0, 0, width, height};
      if (!ImportHBITMAP(ii.hbmMask, &top, false, false)) Empty();
    }
  }
  if (ii.hbmColor) ::DeleteObject(ii.hbmColor);
  if (ii.hbmMask) ::DeleteObject(ii.hbmMask);
  if (IsBlank()) return false;
  OnContentLoaded();
  return true;
}

HGLOBAL CreatePackedDibFromHBITMAP(HBITMAP bitmap, HPALETTE palette) {
  if (!bitmap) return nullptr;
  if (!palette) palette = static_cast<HPALETTE>(::GetStockObject(DEFAULT_PALETTE));
  BITMAP bm{};
  if (!::GetObjectW(bitmap, sizeof bm, &bm)) return nullptr;
  const int depth = bm.bmPlanes * bm.bmBitsPixel;
  const int entries = depth <= 8 ? 1 << depth : 0;
  BITMAPINFOHEADER bi{};
  bi.biSize = sizeof bi;
  bi.biWidth = bm.bmWidth;
  bi.biHeight = bm.bmHeight;
  bi.biPlanes = 1;
  bi.biBitCount = static_cast<WORD>(depth);
  bi.biCompression = BI_RGB;
  const SIZE_T headSize = sizeof bi + static_cast<SIZE_T>(entries) * sizeof(RGBQUAD);

  HDC screen = ::GetDC(nullptr);
  HDC dc = ::CreateCompatibleDC(screen);
  ::ReleaseDC(nullptr, screen);
  if (!dc) return nullptr;
  HPALETTE oldPalette = ::SelectPalette(dc, palette, FALSE);
  ::RealizePalette(dc);
  // Room for three masks too, in case the platform answers the size query with bit fields.
  HGLOBAL memory = ::GlobalAlloc(GMEM_FIXED, headSize + 3 * sizeof(DWORD));
  bool ok = memory != nullptr;
  if (ok) {
    auto* head = static_cast<BITMAPINFOHEADER*>(::GlobalLock(memory));
    *head = bi;
    ::GetDIBits(dc, bitmap, 0, static_cast<UINT>(bm.bmHeight), nullptr, reinterpret_cast<BITMAPINFO*>(head),
                DIB_RGB_COLORS);
    bi.biSizeImage = head->biSizeImage;
    ::GlobalUnlock(memory);
    if (bi.biSizeImage == 0)
      bi.biSizeImage = static_cast<DWORD>(((static_cast<DWORD>(depth) * bm.bmWidth + 31) & ~31u) / 8 * bm.bmHeight);
    HGLOBAL grown = ::GlobalReAlloc(memory, headSize + bi.biSizeImage, GMEM_MOVEABLE);
    ok = grown != nullptr;
    if (ok) {
      memory = grown;
      auto* bytes = static_cast<BYTE*>(::GlobalLock(memory));
      auto* head = reinterpret_cast<BITMAPINFOHEADER*>(bytes);
      *head = bi;
      ok = ::GetDIBits(dc, bitmap, 0, static_cast<UINT>(bm.bmHeight), bytes + headSize,
                       reinterpret_cast<BITMAPINFO*>(head), DIB_RGB_COLORS) != 0;
      ::GlobalUnlock(memory);
    }
    if (!ok && memory) {
      ::GlobalFree(memory);
      memory = nullptr;
    }
  }
  ::SelectPalette(dc, oldPalette, FALSE);
  ::DeleteDC(dc);
  return ok ? memory : nullptr;
}
