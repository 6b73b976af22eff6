#include "controls/html/draw_manager.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {

// A 32-bit DIB section of width × height; bits points at its pixels.
HBITMAP CreateSection32(int width, int height, DWORD** bits) {
  if (width <= 0 || height <= 0) return nullptr;
  BITMAPINFO bi = {};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  bi.bmiHeader.biSizeImage = static_cast<DWORD>(width) * height;
  void* p = nullptr;
  HBITMAP section = ::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &p, nullptr, 0);
  if (section && !p) {
    ::DeleteObject(section);
    return nullptr;
  }
  *bits = static_cast<DWORD*>(p);
  return section;
}

// A colour reference in pixel order (red and blue swapped), alpha 0.
DWORD ToPixel(COLORREF c) { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); }

// A memory device context with one bitmap selected for the scope.
class Selected {
 public:
  Selected(HDC compatible, HBITMAP bitmap) : m_dc(::CreateCompatibleDC(compatible)) {
    if (m_dc) m_old = ::SelectObject(m_dc, bitmap);
  }
  ~Selected() {
    if (m_dc) {
      ::SelectObject(m_dc, m_old);
      ::DeleteDC(m_dc);
    }
  }
  Selected(const Selected&) = delete;
  Selected& operator=(const Selected&) = delete;
  HDC dc() const { return m_dc; }

 private:
  HDC m_dc;
  HGDIOBJ m_old = nullptr;
};

int PenStyle(int style) {
  switch (style) {
    case 2: return PS_DASH;
    case 3: return PS_DOT;
    case 4: return PS_DASHDOT;
    case 5: return PS_DASHDOTDOT;
    default: return PS_SOLID;
  }
}

void Segment(HDC hdc, int x1, int y1, int x2, int y2) {
  ::MoveToEx(hdc, x1, y1, nullptr);
  ::LineTo(hdc, x2, y2);
}

}  // namespace

DWORD CPPDrawManager::ToGrey(DWORD p) {
  const int r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
  const DWORD v = static_cast<DWORD>(static_cast<int>(0.299 * r + 0.587 * g + 0.114 * b)) & 0xFF;
  return (v << 16) | (v << 8) | v;
}

DWORD CPPDrawManager::ScaleColour(DWORD p, double f) {
  if (f >= 1) return p;
  const DWORD r = static_cast<DWORD>(((p >> 16) & 0xFF) * f), g = static_cast<DWORD>(((p >> 8) & 0xFF) * f),
              b = static_cast<DWORD>((p & 0xFF) * f);
  return (r << 16) | (g << 8) | b;
}

DWORD CPPDrawManager::BrightenColour(DWORD p, double f) {
  if (f > 1) return p;
  auto up = [f](DWORD c) { return static_cast<DWORD>(std::min(c * (1 + f), 255.0)); };
  return (up((p >> 16) & 0xFF) << 16) | (up((p >> 8) & 0xFF) << 8) | up(p & 0xFF);
}

DWORD CPPDrawManager::MixColours(DWORD a, DWORD b, double wa, double wb) {
  auto mix = [&](int shift) {
    return static_cast<DWORD>(static_cast<int>(wa * ((a >> shift) & 0xFF) + wb * ((b >> shift) & 0xFF))) & 0xFF;
  };
  return (mix(16) << 16) | (mix(8) << 8) | mix(0);
}

void CPPDrawManager::PaintGradient(HDC hdc, const RECT& rect, COLORREF from, COLORREF to, bool horizontal) {
  const int start = horizontal ? rect.left : rect.top;
  const long long extent = horizontal ? rect.right - rect.left : rect.bottom - rect.top;
  for (int k = 0; k < 64; ++k) {
    const int a = start + static_cast<int>((k * extent) >> 6);
    const int b = start + static_cast<int>(((k + 1) * extent) >> 6);
    if (b <= a) continue;
    const COLORREF c = RGB((GetRValue(from) * (64 - k) + GetRValue(to) * k) >> 6,
                           (GetGValue(from) * (64 - k) + GetGValue(to) * k) >> 6,
                           (GetBValue(from) * (64 - k) + GetBValue(to) * k) >> 6);
    RECT band = horizontal ? RECT{a, rect.top, b, rect.bottom} : RECT{rect.left, a, rect.right, b};
    HBRUSH brush = ::CreateSolidBrush(c);
    ::FillRect(hdc, &band, brush);
    ::DeleteObject(brush);
  }
}

void CPPDrawManager::PaintBackground(HDC hdc, const RECT& rect, int kind, COLORREF begin, COLORREF mid,
                                     COLORREF end, int granularity, int tint) {
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  if (width <= 0 || height <= 0) return;
  const int halfX = rect.left + width / 2, halfY = rect.top + height / 2;
  switch (kind) {
    case kHGradient:
    case kVGradient:
      PaintGradient(hdc, rect, begin, end, kind == kHGradient);
      return;
    case kHCGradient:
      PaintGradient(hdc, {rect.left, rect.top, halfX, rect.bottom}, begin, end, true);
      PaintGradient(hdc, {halfX, rect.top, rect.right, rect.bottom}, end, begin, true);
      return;
    case kVCGradient:
      PaintGradient(hdc, {rect.left, rect.top, rect.right, halfY}, begin, end, false);
      PaintGradient(hdc, {rect.left, halfY, rect.right, rect.bottom}, end, begin, false);
      return;
    case k3HGradient:
      PaintGradient(hdc, {rect.left, rect.top, halfX, rect.bottom}, begin, mid, true);
      PaintGradient(hdc, {halfX, rect.top, rect.right, rect.bottom}, mid, end, true);
      return;
    case k3VGradient:
      PaintGradient(hdc, {rect.left, rect.top, rect.right, halfY}, begin, mid, false);
      PaintGradient(hdc, {rect.left, halfY, rect.right, rect.bottom}, mid, end, false);
      return;
    default:
      break;
  }
  if (kind >= kNoise && kind <= kMetal) {
    RenderPattern(width, height, kind, granularity, tint, begin, mid, end);
    m_pattern.Blit(hdc, rect.left, rect.top);
    return;
  }
  HBRUSH brush = ::CreateSolidBrush(begin);
  ::FillRect(hdc, &rect, brush);
  ::DeleteObject(brush);
}

void CPPDrawManager::RenderPattern(int w, int h, int kind, int granularity, int tint, COLORREF begin, COLORREF mid,
                                   COLORREF end) {
  if (!m_pattern.Allocate(w, h)) return;
  RGBQUAD* palette = m_pattern.Palette();
  auto blend = [](int a, int b, int wa, int wb) { return static_cast<BYTE>((a * wa + b * wb) / 128); };
  for (int i = 0; i <= 128; ++i) {
    palette[i].rgbRed = blend(GetRValue(end), GetRValue(mid), 128 - i, i);
    palette[i].rgbGreen = blend(GetGValue(end), GetGValue(mid), 128 - i, i);
    palette[i].rgbBlue = blend(GetBValue(end), GetBValue(mid), 128 - i, i);
    palette[i].rgbReserved = 0;
  }
  for (int k = 1; k <= 128; ++k) {
    RGBQUAD& e = palette[127 + k];
    e.rgbRed = blend(GetRValue(mid), GetRValue(begin), 128 - k, k);
    e.rgbGreen = blend(GetGValue(mid), GetGValue(begin), 128 - k, k);
    e.rgbBlue = blend(GetBValue(mid), GetBValue(begin), 128 - k, k);
    e.rgbReserved = 0;
  }
  m_pattern.TintPalette(begin, tint & 0xFF);

  const int g = granularity & 0xFF;
  const int t = 255 - 2 * g;
  const int R = 32767 / std::max(1, 2 * g);
  auto noise = [&]() { return std::rand() / R - g; };
  BYTE* bits = m_pattern.Pixels();
  const int stride = m_pattern.Stride();
  auto at = [&](int x, int r) -> BYTE& { return bits[static_cast<size_t>(r) * stride + x]; };
  auto put = [&](int x, int r, long long base) {
    at(x, r) = static_cast<BYTE>(base);
    at(x, r) = static_cast<BYTE>(at(x, r) + noise());
  };
  auto cube = [](long long c) { return c * c * c / 16384; };
  // Column-wise kinds visit columns left to right and, within a column, rows upward.
  const bool columnWise = kind == kVShade || kind == kVBump;
  auto each = [&](auto&& f) {
    if (columnWise) {
      for (int x = 0; x < w; ++x)
        for (int r = 0; r < h; ++r) f(x, r);
    } else {
      for (int r = 0; r < h; ++r)
        for (int x = 0; x < w; ++x) f(x, r);
    }
  };

  switch (kind) {
    case kNoise:
      each([&](int x, int r) { put(x, r, 128); });
      break;
    case kDiagShade: {
      const long long s = t / 2;
      each([&](int x, int r) { put(x, r, g + (r * s) / h + (s * (w - x)) / w); });
      break;
    }
    case kHShade:
      each([&](int x, int r) { put(x, r, g + (static_cast<long long>(r) * t) / h); });
      break;
    case kVShade:
      each([&](int x, int r) { put(x, r, g + (static_cast<long long>(t) * (w - x)) / w); });
      break;
    case kHBump:
      each([&](int x, int r) {
        const long long c = (255LL * r) / h - 127;
        put(x, r, 128 + (cube(c) * (128 - g)) / 128);
      });
      break;
    case kVBump:
      each([&](int x, int r) {
        const long long c = (255LL * (w - x)) / w - 127;
        put(x, r, 128 + (cube(c) * (128 - g)) / 128);
      });
      break;
    case kSoftBump:
      each([&](int x, int r) {
        const long long cr = (255LL * r) / h - 127, cx = (255LL * (w - x)) / w - 127;
        long long v = 128 + ((cube(cr) + cube(cx)) * (128 - g)) / 128;
        v = std::clamp<long long>(v, g, 255 - g);
        put(x, r, v);
      });
      break;
    case kHardBump: {
      each([&](int x, int r) {
        const long long c = (255LL * r) / h - 127;
        put(x, r, 128 + (cube(c) * (64 - g) * 2) / 128);
      });
      const long long b = std::min(w / 6, 16);
      const long long q = static_cast<long long>(h) * h / 4;
      if (q == 0) break;  // one row high: the first pass alone
      for (int r = 0; r < h; ++r) {
        const long long a = r - h / 2;
        const long long C = (a * b * a) / q + w / 2 - b;
        for (int x = 0; x < w; ++x) {
          const long long f = x - w / 2;
          if (b > 0 && f > C) at(x, r) = static_cast<BYTE>(((w - x) * 128LL) / b + g);
          if (b > 0 && f + C < 0) at(x, r) = static_cast<BYTE>((255 - g) - (x * 128LL) / b);
          at(x, r) = static_cast<BYTE>(at(x, r) + noise());
        }
      }
      break;
    }
    case kMetal: {
      for (int r = 0; r < h; ++r) std::fill(&at(0, r), &at(0, r) + w, 0);
      // Above 32,767 pixels the quotient 32767 / size is 0: scale the random number instead.
      auto below = [](int size) {
        const int d = 32767 / size;
        return d > 0 ? std::rand() / d : static_cast<int>(static_cast<long long>(std::rand()) * size / 32768);
      };
      for (int streak = 0; streak < 200; ++streak) {
        const int x0 = below(w);
        const int y0 = below(h);
        const int L = below(std::min(w, h)) / 2;
        const BYTE V = static_cast<BYTE>(std::rand() / 819);
        for (int j = 0; j < L; ++j) {
          if (x0 - j > 0 && y0 + j < h) m_pattern.PutIndex(x0 - j, y0 + j, V);
          if (x0 + j < w && y0 - j > 0) m_pattern.PutIndex(w - x0 + j, y0 - j, V);
        }
      }
      const long long s = (255 - 2 * g - 40) / 2;
      for (int r = 0; r < h; ++r)
        for (int x = 0; x < w; ++x)
          at(x, r) = static_cast<BYTE>(at(x, r) + (r * s) / h + (s * (w - x)) / w + std::rand() / R);
      break;
    }
    default:
      break;
  }
}

void CPPDrawManager::BlendBlit(HDC srcDC, HDC dstDC, int x, int y, int width, int height, int percent) {
  if (percent >= 100) {
    ::BitBlt(dstDC, x, y, width, height, srcDC, 0, 0, SRCCOPY);
    return;
  }
  DWORD *src = nullptr, *dst = nullptr;
  HBITMAP a = CreateSection32(width, height, &src);
  HBITMAP b = CreateSection32(width, height, &dst);
  if (a && b) {
    Selected sa(dstDC, a), sb(dstDC, b);
    if (sa.dc() && sb.dc()) {
      ::BitBlt(sa.dc(), 0, 0, width, height, srcDC, 0, 0, SRCCOPY);
      ::BitBlt(sb.dc(), 0, 0, width, height, dstDC, x, y, SRCCOPY);
      ::GdiFlush();
      const double w = percent / 100.0;
      for (size_t i = 0, n = static_cast<size_t>(width) * height; i < n; ++i) dst[i] = MixColours(src[i], dst[i], w, 1 - w);
      ::BitBlt(dstDC, x, y, width, height, sb.dc(), 0, 0, SRCCOPY);
    }
  }
  if (a) ::DeleteObject(a);
  if (b) ::DeleteObject(b);
}

void CPPDrawManager::BlendBlitPerPixel(HDC srcDC, HDC dstDC, int x, int y, int width, int height) {
  DWORD *src = nullptr, *dst = nullptr;
  HBITMAP a = CreateSection32(width, height, &src);
  HBITMAP b = CreateSection32(width, height, &dst);
  if (a && b) {
    Selected sa(dstDC, a), sb(dstDC, b);
    if (sa.dc() && sb.dc()) {
      ::BitBlt(sa.dc(), 0, 0, width, height, srcDC, 0, 0, SRCCOPY);
      ::BitBlt(sb.dc(), 0, 0, width, height, dstDC, x, y, SRCCOPY);
      ::GdiFlush();
      for (size_t i = 0, n = static_cast<size_t>(width) * height; i < n; ++i) {
        const double w = (src[i] >> 24) / 255.0;
        dst[i] = MixColours(src[i], dst[i], w, 1 - w);
      }
      ::BitBlt(dstDC, x, y, width, height, sb.dc(), 0, 0, SRCCOPY);
    }
  }
  if (a) ::DeleteObject(a);
  if (b) ::DeleteObject(b);
}

HBITMAP CPPDrawManager::MakeEffectBitmap(HBITMAP bitmap, int width, int height, DWORD flags, bool useKey,
                                         COLORREF key, COLORREF colour) {
  DWORD* bits = nullptr;
  HBITMAP section = CreateSection32(width, height, &bits);
  if (!section) return nullptr;
  HDC screen = ::GetDC(nullptr);
  {
    Selected from(screen, bitmap), to(screen, section);
    if (from.dc() && to.dc()) ::BitBlt(to.dc(), 0, 0, width, height, from.dc(), 0, 0, SRCCOPY);
  }
  ::ReleaseDC(nullptr, screen);
  ::GdiFlush();
  const DWORD keyPixel = ToPixel(key), single = ToPixel(colour);
  for (size_t i = 0, n = static_cast<size_t>(width) * height; i < n; ++i) {
    const DWORD p = bits[i];
    if (p & 0xFF000000) m_sourceHasAlpha = 1;
    DWORD q;
    if (useKey && p == keyPixel) {
      q = 0;
    } else {
      q = p & 0xFFFFFF;
      if (flags & FX_GREY) q = ToGrey(q);
      if (flags & FX_DARKER) q = ScaleColour(q, 0.75);
      if (flags & FX_BRIGHTER) q = BrightenColour(q, 0.25);
      if (flags & FX_SINGLE_COLOUR) q = single;
    }
    if (flags & FX_NEGATIVE) q = ~q & 0xFFFFFF;
    bits[i] = (p & 0xFF000000) | (q & 0xFFFFFF);
  }
  return section;
}

void CPPDrawManager::PaintBitmap(HDC hdc, int x, int y, int width, int height, HBITMAP bitmap, bool useKey,
                                 COLORREF key, DWORD flags, bool shadowOn, int shadowDx, int shadowDy, int blurX,
                                 int blurY, COLORREF colour) {
  m_sourceHasAlpha = 0;
  if (!bitmap || width <= 0 || height <= 0) return;
  SIZE natural = {0, 0};
  GetBitmapSize(bitmap, natural);
  HBITMAP copy = ::CreateCompatibleBitmap(hdc, width, height);
  if (!copy) return;
  {
    Selected from(hdc, bitmap), to(hdc, copy);
    if (from.dc() && to.dc()) {
      if (natural.cx == width && natural.cy == height)
        ::BitBlt(to.dc(), 0, 0, width, height, from.dc(), 0, 0, SRCCOPY);
      else
        ::StretchBlt(to.dc(), 0, 0, width, height, from.dc(), 0, 0, natural.cx, natural.cy, SRCCOPY);
    }
  }
  HBITMAP mask = MakeEffectBitmap(copy, width, height, FX_SINGLE_COLOUR | FX_NEGATIVE, useKey, key, RGB(255, 255, 255));
  m_sourceHasAlpha = 0;
  HBITMAP image = MakeEffectBitmap(copy, width, height, flags, useKey, key, colour);
  if (mask && image) {
    if (shadowOn) {
      const int sx = x + shadowDx, sy = y + shadowDy;
      if (flags & (FX_HARD_SHADOW | FX_SOFT_SHADOW)) {
        const bool alpha = m_sourceHasAlpha != 0;
        HBITMAP shadow = MakeEffectBitmap(copy, width, height, FX_SINGLE_COLOUR | FX_NEGATIVE, useKey, key,
                                          colour ^ 0xFFFFFF);
        m_sourceHasAlpha = alpha;
        if (shadow) {
          PaintShadow(hdc, sx, sy, width, height, shadow, (flags & FX_SOFT_SHADOW) != 0, blurX, blurY);
          ::DeleteObject(shadow);
        }
      } else {
        x = sx;
        y = sy;
      }
    }
    Selected img(hdc, image), msk(hdc, mask);
    if (img.dc() && msk.dc()) {
      if (m_sourceHasAlpha) {
        BlendBlitPerPixel(img.dc(), hdc, x, y, width, height);
      } else {
        ::BitBlt(hdc, x, y, width, height, msk.dc(), 0, 0, SRCAND);
        ::BitBlt(hdc, x, y, width, height, img.dc(), 0, 0, SRCPAINT);
      }
    }
  }
  if (mask) ::DeleteObject(mask);
  if (image) ::DeleteObject(image);
  ::DeleteObject(copy);
}

void CPPDrawManager::PaintIcon(HDC hdc, int x, int y, int width, int height, HICON icon, bool shadowOn,
                               int shadowDx, int shadowDy, int blurX, int blurY, COLORREF colour, DWORD flags) {
  m_sourceHasAlpha = 0;
  if (!icon || width <= 0 || height <= 0) return;
  SIZE size = {0, 0};
  GetIconSize(icon, size);
  HICON copy = (size.cx == width && size.cy == height) ? ::CopyIcon(icon) : ScaleIcon(icon, width, height);
  if (!copy) return;
  ICONINFO info = {};
  if (!::GetIconInfo(copy, &info)) {
    ::DestroyIcon(copy);
    return;
  }
  const bool single = (flags & FX_SINGLE_COLOUR) != 0;
  HBITMAP source = single || !info.hbmColor ? info.hbmMask : info.hbmColor;
  const COLORREF key = single || !info.hbmColor ? RGB(255, 255, 255) : RGB(0, 0, 0);
  HBITMAP mask = MakeEffectBitmap(info.hbmMask, width, height, 0, false, 0, 0);
  m_sourceHasAlpha = 0;
  HBITMAP image = MakeEffectBitmap(source, width, height, flags, true, key, colour);
  if (mask && image) {
    if (shadowOn) {
      const int sx = x + shadowDx, sy = y + shadowDy;
      if (flags & (FX_HARD_SHADOW | FX_SOFT_SHADOW)) {
        const bool alpha = m_sourceHasAlpha != 0;
        HBITMAP shadow = MakeEffectBitmap(info.hbmMask, width, height, FX_SINGLE_COLOUR | FX_NEGATIVE, true,
                                          RGB(255, 255, 255), colour ^ 0xFFFFFF);
        m_sourceHasAlpha = alpha;
        if (shadow) {
          PaintShadow(hdc, sx, sy, width, height, shadow, (flags & FX_SOFT_SHADOW) != 0, blurX, blurY);
          ::DeleteObject(shadow);
        }
      } else {
        x = sx;
        y = sy;
      }
    }
    Selected img(hdc, image), msk(hdc, mask);
    if (img.dc() && msk.dc()) {
      if (m_sourceHasAlpha) {
        BlendBlitPerPixel(img.dc(), hdc, x, y, width, height);
      } else {
        const COLORREF oldText = ::SetTextColor(hdc, RGB(0, 0, 0));
        ::BitBlt(hdc, x, y, width, height, msk.dc(), 0, 0, SRCAND);
        ::BitBlt(hdc, x, y, width, height, img.dc(), 0, 0, SRCPAINT);
        ::SetTextColor(hdc, oldText);
      }
    }
  }
  if (mask) ::DeleteObject(mask);
  if (image) ::DeleteObject(image);
  if (info.hbmMask) ::DeleteObject(info.hbmMask);
  if (info.hbmColor) ::DeleteObject(info.hbmColor);
  ::DestroyIcon(copy);
}

void CPPDrawManager::PaintImageListCell(HDC hdc, int x, int y, int width, int height, HBITMAP strip, int index,
                                        int cellWidth, int cellHeight, bool useKey, COLORREF key, DWORD flags,
                                        bool shadowOn, int shadowDx, int shadowDy, int blurX, int blurY,
                                        COLORREF colour) {
  if (!strip || cellWidth <= 0 || cellHeight <= 0 || index < 0) return;
  SIZE size = {0, 0};
  GetBitmapSize(strip, size);
  const int columns = size.cx / cellWidth, rows = size.cy / cellHeight;
  if (columns <= 0 || rows <= 0 || index >= columns * rows) return;
  HBITMAP cell = ::CreateCompatibleBitmap(hdc, cellWidth, cellHeight);
  if (!cell) return;
  {
    Selected from(hdc, strip), to(hdc, cell);
    if (from.dc() && to.dc())
      ::BitBlt(to.dc(), 0, 0, cellWidth, cellHeight, from.dc(), (index % columns) * cellWidth,
               (index / columns) * cellHeight, SRCCOPY);
  }
  PaintBitmap(hdc, x, y, width, height, cell, useKey, key, flags, shadowOn, shadowDx, shadowDy, blurX, blurY, colour);
  ::DeleteObject(cell);
}

void CPPDrawManager::PaintShadow(HDC hdc, int x, int y, int width, int height, HBITMAP shadowImage, bool soft,
                                 int blurX, int blurY) {
  DWORD *a = nullptr, *b = nullptr;
  HBITMAP work = CreateSection32(width, height, &a);
  HBITMAP area = CreateSection32(width, height, &b);
  if (work && area) {
    Selected wa(hdc, work), ar(hdc, area), sh(hdc, shadowImage);
    if (wa.dc() && ar.dc() && sh.dc()) {
      blurX = std::max(blurX, 1) | 1;
      blurY = std::max(blurY, 1) | 1;
      if (soft) {
        ::BitBlt(wa.dc(), 0, 0, width, height, nullptr, 0, 0, WHITENESS);
        if (width - blurX > 0 && height - blurY > 0)
          ::StretchBlt(wa.dc(), blurX / 2, blurY / 2, width - blurX, height - blurY, sh.dc(), 0, 0, width, height,
                       SRCCOPY);
      } else {
        ::BitBlt(wa.dc(), 0, 0, width, height, sh.dc(), 0, 0, SRCCOPY);
      }
      ::BitBlt(ar.dc(), 0, 0, width, height, hdc, x, y, SRCCOPY);
      ::GdiFlush();
      // Memory rows of both sections run bottom-up alike, so indices match pixel for pixel.
      if (soft) {
        // Window sums over blurX × blurY, positions outside counting as white: running sums
        // along rows, then along columns.
        const int px = blurX / 2, py = blurY / 2;
        std::vector<long long> rowSums(static_cast<size_t>(width) * (height + 2 * py));
        for (int r = -py; r < height + py; ++r) {
          auto value = [&](int c) -> long long {
            return (r < 0 || r >= height || c < 0 || c >= width) ? 255 : (a[static_cast<size_t>(r) * width + c] & 0xFF);
          };
          long long sum = 0;
          for (int c = -px; c < -px + blurX; ++c) sum += value(c);
          for (int c = 0; c < width; ++c) {
            rowSums[static_cast<size_t>(r + py) * width + c] = sum;
            sum += value(c + px + 1) - value(c - px);
          }
        }
        const double scale = 1.0 / (static_cast<double>(blurX) * blurY * 255);
        for (int c = 0; c < width; ++c) {
          long long sum = 0;
          for (int r = 0; r < blurY; ++r) sum += rowSums[static_cast<size_t>(r) * width + c];
          for (int r = 0; r < height; ++r) {
            DWORD& p = b[static_cast<size_t>(r) * width + c];
            p = ScaleColour(p, sum * scale);
            if (r + 1 < height) sum += rowSums[static_cast<size_t>(r + blurY) * width + c] - rowSums[static_cast<size_t>(r) * width + c];
          }
        }
      } else {
        for (size_t i = 0, n = static_cast<size_t>(width) * height; i < n; ++i) b[i] = ScaleColour(b[i], (a[i] & 0xFF) / 255.0);
      }
      ::BitBlt(hdc, x, y, width, height, ar.dc(), 0, 0, SRCCOPY);
    }
  }
  if (work) ::DeleteObject(work);
  if (area) ::DeleteObject(area);
}

void CPPDrawManager::TileBlit(HDC hdc, int left, int top, int width, int height, HDC srcDC, int srcX, int srcY,
                              int tileWidth, int tileHeight) {
  if (tileWidth <= 0 || tileHeight <= 0) return;
  const long long right = static_cast<long long>(left) + width, bottom = static_cast<long long>(top) + height;
  for (long long x = left; x < right; x += tileWidth)
    for (long long y = top; y < bottom; y += tileHeight)
      ::BitBlt(hdc, static_cast<int>(x), static_cast<int>(y), static_cast<int>(std::min<long long>(tileWidth, right - x)),
               static_cast<int>(std::min<long long>(tileHeight, bottom - y)), srcDC, srcX, srcY, SRCCOPY);
}

void CPPDrawManager::PaintFrame(HDC hdc, int left, int top, int right, int bottom, COLORREF light, COLORREF dark,
                                int style, int penWidth) {
  if (penWidth <= 0) return;
  const int h = penWidth / 2;
  const int l = left + h, t = top + h, r = right - h, b = bottom - h;
  const int d = 2 * penWidth;
  HPEN pen = ::CreatePen(PenStyle(style), penWidth, light);
  HGDIOBJ old = ::SelectObject(hdc, pen);
  auto lightSides = [&](int inset) {
    ::MoveToEx(hdc, l + inset, b - inset, nullptr);
    ::LineTo(hdc, l + inset, t + inset);
    ::LineTo(hdc, r - inset, t + inset);
  };
  auto darkSides = [&](int inset) {
    ::MoveToEx(hdc, r - inset, t + inset, nullptr);
    ::LineTo(hdc, r - inset, b - inset);
    ::LineTo(hdc, l + inset, b - inset);
  };
  lightSides(0);
  if (style == kLineDouble) lightSides(d);
  if (dark != light) {
    HPEN darkPen = ::CreatePen(PenStyle(style), penWidth, dark);
    ::SelectObject(hdc, darkPen);
    ::DeleteObject(pen);
    pen = darkPen;
  }
  darkSides(0);
  if (style == kLineDouble) darkSides(d);
  ::SelectObject(hdc, old);
  ::DeleteObject(pen);
}

void CPPDrawManager::PaintLine(HDC hdc, int x1, int y1, int x2, int y2, COLORREF colour, int style, int penWidth) {
  if (penWidth <= 0) return;
  HPEN pen = ::CreatePen(PenStyle(style), penWidth, colour);
  HGDIOBJ old = ::SelectObject(hdc, pen);
  Segment(hdc, x1, y1, x2, y2);
  if (style == kLineDouble) {
    const int d = 2 * penWidth;
    if (y1 == y2) Segment(hdc, x1, y1 + d, x2, y2 + d);
    else if (x1 == x2) Segment(hdc, x1 + d, y1, x2 + d, y2);
    else Segment(hdc, x1 + d, y1 + d, x2 + d, y2 + d);
  }
  ::SelectObject(hdc, old);
  ::DeleteObject(pen);
}

void CPPDrawManager::GetIconSize(HICON icon, SIZE& size) {
  ICONINFO info = {};
  if (!icon || !::GetIconInfo(icon, &info)) return;
  size.cx = static_cast<LONG>(info.xHotspot * 2);
  size.cy = static_cast<LONG>(info.yHotspot * 2);
  if (info.hbmMask) ::DeleteObject(info.hbmMask);
  if (info.hbmColor) ::DeleteObject(info.hbmColor);
}

void CPPDrawManager::GetBitmapSize(HBITMAP bitmap, SIZE& size) {
  BITMAP bm = {};
  if (bitmap && ::GetObject(bitmap, sizeof bm, &bm)) {
    size.cx = bm.bmWidth;
    size.cy = bm.bmHeight;
  }
}

HICON CPPDrawManager::ScaleIcon(HICON icon, int width, int height) {
  ICONINFO info = {};
  if (!icon || width <= 0 || height <= 0 || !::GetIconInfo(icon, &info)) return nullptr;
  HICON result = nullptr;
  BITMAP bm = {};
  if (info.hbmColor && ::GetObject(info.hbmColor, sizeof bm, &bm)) {
    HBITMAP colour = ::CreateBitmap(width, height, bm.bmPlanes, bm.bmBitsPixel, nullptr);
    HBITMAP mask = ::CreateBitmap(width, height, 1, 1, nullptr);
    HDC screen = ::GetDC(nullptr);
    if (colour && mask && screen) {
      const int sw = static_cast<int>(info.xHotspot * 2), sh = static_cast<int>(info.yHotspot * 2);
      {
        Selected from(screen, info.hbmColor), to(screen, colour);
        if (from.dc() && to.dc()) ::StretchBlt(to.dc(), 0, 0, width, height, from.dc(), 0, 0, sw, sh, SRCCOPY);
      }
      {
        Selected from(screen, info.hbmMask), to(screen, mask);
        if (from.dc() && to.dc()) ::StretchBlt(to.dc(), 0, 0, width, height, from.dc(), 0, 0, sw, sh, SRCCOPY);
      }
      ICONINFO scaled = {};
      scaled.fIcon = TRUE;
      scaled.xHotspot = width / 2;
      scaled.yHotspot = height / 2;
      scaled.hbmMask = mask;
      scaled.hbmColor = colour;
      result = ::CreateIconIndirect(&scaled);
    }
    if (screen) ::ReleaseDC(nullptr, screen);
    if (colour) ::DeleteObject(colour);
    if (mask) ::DeleteObject(mask);
  }
  if (info.hbmMask) ::DeleteObject(info.hbmMask);
  if (info.hbmColor) ::DeleteObject(info.hbmColor);
  return result;
}
