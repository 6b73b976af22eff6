// Stateless drawing and window utilities of the paint manager.
#include <set>

#include "toolkit/paint/paint_manager.h"

namespace {

COLORREF OrSys(COLORREF c, int sysColor) { return c == static_cast<COLORREF>(-1) ? ::GetSysColor(sysColor) : c; }

HBITMAP CreateDib32(HDC hdc, int cx, int cy, void** bits) {
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = cx;
  bi.bmiHeader.biHeight = cy;  // bottom-up
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  void* p = nullptr;
  HBITMAP bmp = ::CreateDIBSection(hdc, &bi, DIB_RGB_COLORS, &p, nullptr, 0);
  if (bits) *bits = bmp ? p : nullptr;
  return bmp;
}

// A 16x16 icon drawn by `paint` into a screen-compatible colour bitmap and a 1-bit mask, both
// starting transparent (black colour, white mask).
template <typename Paint>
HICON BuildIcon16(Paint paint) {
  HDC screen = ::GetDC(nullptr);
  HDC colorDC = ::CreateCompatibleDC(screen);
  HDC maskDC = ::CreateCompatibleDC(screen);
  HBITMAP color = ::CreateCompatibleBitmap(screen, 16, 16);
  HBITMAP mask = ::CreateBitmap(16, 16, 1, 1, nullptr);
  ::ReleaseDC(nullptr, screen);
  HICON icon = nullptr;
  if (colorDC && maskDC && color && mask) {
    HGDIOBJ oldColor = ::SelectObject(colorDC, color);
    HGDIOBJ oldMask = ::SelectObject(maskDC, mask);
    const RECT all{0, 0, 16, 16};
    ::FillRect(colorDC, &all, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    ::FillRect(maskDC, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    paint(colorDC, maskDC);
    ::SelectObject(colorDC, oldColor);
    ::SelectObject(maskDC, oldMask);
    ICONINFO ii{};
    ii.fIcon = TRUE;
    ii.hbmColor = color;
    ii.hbmMask = mask;
    icon = ::CreateIconIndirect(&ii);
  }
  if (color) ::DeleteObject(color);
  if (mask) ::DeleteObject(mask);
  if (colorDC) ::DeleteDC(colorDC);
  if (maskDC) ::DeleteDC(maskDC);
  return icon;
}

// Makes a rectangle of the icon opaque in `color` (or transparent again).
void IconArea(HDC colorDC, HDC maskDC, RECT rc, COLORREF color, bool opaque) {
  HBRUSH brush = opaque ? ::CreateSolidBrush(color) : static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH));
  ::FillRect(colorDC, &rc, brush);
  if (opaque) ::DeleteObject(brush);
  ::FillRect(maskDC, &rc, static_cast<HBRUSH>(::GetStockObject(opaque ? BLACK_BRUSH : WHITE_BRUSH)));
}

}  // namespace

int CExtPaintManager::ScreenBitsPerPixel() {
  if (g_PaintManagerHolder.m_screenBitsOverride != 0) return g_PaintManagerHolder.m_screenBitsOverride;
  HDC screen = ::GetDC(nullptr);
  if (screen == nullptr) return 0;
  const int bits = ::GetDeviceCaps(screen, BITSPIXEL);
  ::ReleaseDC(nullptr, screen);
  return bits;
}

void CExtPaintManager::FillTwoColorGradient(CDC& dc, const RECT& rc, COLORREF first, COLORREF second, bool vertical,
                                            unsigned steps) {
  if (rc.left >= rc.right || rc.top >= rc.bottom) return;
  auto& holder = g_PaintManagerHolder;
  if (holder.m_pfnGradientFill != nullptr && holder.HasOs(extpaint::OsIsNT)) {
    COLORREF c1 = first, c2 = second;
    if (vertical) std::swap(c1, c2);
    TRIVERTEX v[2] = {};
    v[0].x = rc.left;
    v[0].y = rc.top;
    v[0].Red = static_cast<COLOR16>(GetRValue(c1) << 8);
    v[0].Green = static_cast<COLOR16>(GetGValue(c1) << 8);
    v[0].Blue = static_cast<COLOR16>(GetBValue(c1) << 8);
    v[1].x = rc.right;
    v[1].y = rc.bottom;
    v[1].Red = static_cast<COLOR16>(GetRValue(c2) << 8);
    v[1].Green = static_cast<COLOR16>(GetGValue(c2) << 8);
    v[1].Blue = static_cast<COLOR16>(GetBValue(c2) << 8);
    GRADIENT_RECT mesh{0, 1};
    holder.m_pfnGradientFill(dc.GetSafeHdc(), v, 2, &mesh, 1, vertical ? GRADIENT_FILL_RECT_V : GRADIENT_FILL_RECT_H);
    return;
  }
  const bool lowColor = dc.GetDeviceCaps(BITSPIXEL) <= 8;
  const auto bands = vertical ? extpaint::GradientBands(rc.top, rc.bottom, first, second, true, steps, lowColor)
                              : extpaint::GradientBands(rc.left, rc.right, first, second, false, steps, lowColor);
  for (const auto& b : bands) {
    const RECT band = vertical ? RECT{rc.left, b.from, rc.right, b.to} : RECT{b.from, rc.top, b.to, rc.bottom};
    if (!lowColor) {
      dc.FillSolidRect(&band, b.color);
    } else {
      HBRUSH brush = ::CreateSolidBrush(b.color);
      ::FillRect(dc.GetSafeHdc(), &band, brush);
      ::DeleteObject(brush);
    }
  }
}

void CExtPaintManager::FillThreeColorGradient(CDC& dc, const RECT& rc, COLORREF c1, COLORREF c2, COLORREF c3,
                                              bool vertical, int numerator, int denominator, unsigned steps) {
  if (rc.left >= rc.right || rc.top >= rc.bottom) return;
  if (!vertical) {
    const int split = rc.left + ::MulDiv(rc.right - rc.left, numerator, denominator);
    FillTwoColorGradient(dc, RECT{rc.left, rc.top, split, rc.bottom}, c1, c2, false, steps);
    FillTwoColorGradient(dc, RECT{split, rc.top, rc.right, rc.bottom}, c2, c3, false, steps);
  } else {
    // A vertical two-colour piece puts its first colour at the bottom.
    const int split = rc.top + ::MulDiv(rc.bottom - rc.top, numerator, denominator);
    FillTwoColorGradient(dc, RECT{rc.left, rc.top, rc.right, split}, c2, c1, true, steps);
    FillTwoColorGradient(dc, RECT{rc.left, split, rc.right, rc.bottom}, c3, c2, true, steps);
  }
}

HBITMAP CExtPaintManager::CreatePatternBitmap16(COLORREF a, COLORREF b, int xMask, int yMask, int xLineMask,
                                                int yLineMask, COLORREF c) {
  a = OrSys(a, COLOR_BTNFACE);
  b = OrSys(b, COLOR_BTNHIGHLIGHT);
  if (c == static_cast<COLORREF>(-1)) c = a;
  HDC screen = ::GetDC(nullptr);
  HBITMAP bmp = screen ? ::CreateCompatibleBitmap(screen, 16, 16) : nullptr;
  HDC mem = screen ? ::CreateCompatibleDC(screen) : nullptr;
  if (screen) ::ReleaseDC(nullptr, screen);
  if (bmp == nullptr || mem == nullptr) {
    if (bmp) ::DeleteObject(bmp);
    if (mem) ::DeleteDC(mem);
    return nullptr;
  }
  HGDIOBJ old = ::SelectObject(mem, bmp);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x)
      ::SetPixelV(mem, x, y, extpaint::PatternPixel(x, y, a, b, xMask, yMask, xLineMask, yLineMask, c));
  ::SelectObject(mem, old);
  ::DeleteDC(mem);
  return bmp;
}

HICON CExtPaintManager::CreateColorSwatchIcon(COLORREF color) {
  return BuildIcon16([color](HDC colorDC, HDC maskDC) { IconArea(colorDC, maskDC, RECT{0, 0, 16, 16}, color, true); });
}

HICON CExtPaintManager::CreateColorFrameIcon(COLORREF color) {
  return BuildIcon16([color](HDC colorDC, HDC maskDC) {
    IconArea(colorDC, maskDC, RECT{1, 2, 15, 14}, color, true);
    IconArea(colorDC, maskDC, RECT{3, 4, 13, 12}, color, false);
  });
}

HICON CExtPaintManager::CreateLetterColorIcon(COLORREF color, HFONT font, wchar_t letter) {
  return BuildIcon16([&](HDC colorDC, HDC maskDC) {
    const wchar_t text[2] = {letter, 0};
    for (HDC dc : {colorDC, maskDC}) {
      HGDIOBJ oldFont = font ? ::SelectObject(dc, font) : nullptr;
      ::SetTextColor(dc, RGB(0, 0, 0));
      ::SetBkMode(dc, TRANSPARENT);
      RECT rc{0, 0, 16, 12};
      ::DrawTextW(dc, text, 1, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
      if (oldFont) ::SelectObject(dc, oldFont);
    }
    IconArea(colorDC, maskDC, RECT{2, 13, 14, 16}, color, true);
  });
}

void CExtPaintManager::GetPrimaryScreenRects(MonitorRects& out) {
  ::GetWindowRect(::GetDesktopWindow(), &out.m_rcMonitor);
  if (!::SystemParametersInfoW(SPI_GETWORKAREA, 0, &out.m_rcWorkArea, 0)) out.m_rcWorkArea = out.m_rcMonitor;
  out.m_bPrimary = true;
}

namespace {
bool FillFromMonitor(CExtPaintManager::MonitorRects& out, HMONITOR monitor) {
  if (monitor == nullptr) return false;
  MONITORINFO mi{};
  mi.cbSize = sizeof mi;
  if (!::GetMonitorInfoW(monitor, &mi)) return false;
  out.m_rcMonitor = mi.rcMonitor;
  out.m_rcWorkArea = mi.rcWork;
  out.m_bPrimary = (mi.dwFlags & MONITORINFOF_PRIMARY) != 0;
  return true;
}
}  // namespace

void CExtPaintManager::GetMonitorRectsFromPoint(MonitorRects& out, POINT pt) {
  if (!FillFromMonitor(out, ::MonitorFromPoint(pt, MONITOR_DEFAULTTONEAREST))) GetPrimaryScreenRects(out);
}

void CExtPaintManager::GetMonitorRectsFromRect(MonitorRects& out, const RECT& rc) {
  if (!FillFromMonitor(out, ::MonitorFromRect(&rc, MONITOR_DEFAULTTONEAREST))) GetPrimaryScreenRects(out);
}

void CExtPaintManager::GetMonitorRectsFromHwnd(MonitorRects& out, HWND hWnd) {
  RECT rc{};
  if (hWnd && ::IsIconic(hWnd)) {
    WINDOWPLACEMENT wp{};
    wp.length = sizeof wp;
    if (::GetWindowPlacement(hWnd, &wp)) rc = wp.rcNormalPosition;
    else ::GetWindowRect(::GetDesktopWindow(), &rc);
  } else if (hWnd == nullptr || !::GetWindowRect(hWnd, &rc)) {
    ::GetWindowRect(::GetDesktopWindow(), &rc);
  }
  GetMonitorRectsFromRect(out, rc);
}

HBITMAP CExtPaintManager::RenderWindowToDib(HWND hWnd, UINT printMessage, LPARAM printFlags, HDC source,
                                            const RECT* sourceRect) {
  if (hWnd == nullptr || !::IsWindow(hWnd)) return nullptr;
  RECT rc{};
  if (printFlags & PRF_NONCLIENT) ::GetWindowRect(hWnd, &rc);
  else ::GetClientRect(hWnd, &rc);
  const int cx = rc.right - rc.left, cy = rc.bottom - rc.top;
  HDC screen = ::GetDC(nullptr);
  HDC mem = ::CreateCompatibleDC(screen);
  ::ReleaseDC(nullptr, screen);
  if (mem == nullptr) return nullptr;
  HBITMAP dib = cx > 0 && cy > 0 ? CreateDib32(mem, cx, cy, nullptr) : nullptr;
  if (dib == nullptr) {
    ::DeleteDC(mem);
    return nullptr;
  }
  HGDIOBJ old = ::SelectObject(mem, dib);
  if (source && sourceRect && !::IsRectEmpty(sourceRect))
    ::BitBlt(mem, 0, 0, sourceRect->right - sourceRect->left, sourceRect->bottom - sourceRect->top, source,
             sourceRect->left, sourceRect->top, SRCCOPY);
  ::SendMessageW(hWnd, printMessage, reinterpret_cast<WPARAM>(mem), printFlags);
  ::SelectObject(mem, old);
  ::DeleteDC(mem);
  return dib;
}

void CExtPaintManager::ForwardPrintToChildren(HWND parent, UINT printMessage, HDC hDC, LPARAM printFlags,
                                              bool recurse) {
  if (parent == nullptr || hDC == nullptr) return;
  RECT wr{};
  ::GetWindowRect(parent, &wr);
  POINT client{0, 0};
  ::ClientToScreen(parent, &client);
  POINT ncShift{0, 0};
  if ((printFlags & PRF_NONCLIENT) && (client.x != wr.left || client.y != wr.top)) {
    ncShift = POINT{client.x - wr.left, client.y - wr.top};
    ::OffsetViewportOrgEx(hDC, ncShift.x, ncShift.y, nullptr);
  }
  for (HWND child = ::GetWindow(parent, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    if ((::GetWindowLongW(child, GWL_STYLE) & WS_VISIBLE) == 0) continue;
    POINT at{0, 0};
    if (printFlags & PRF_NONCLIENT) {
      RECT cr{};
      ::GetWindowRect(child, &cr);
      at = POINT{cr.left, cr.top};
    } else {
      ::ClientToScreen(child, &at);
    }
    const POINT offset{at.x - client.x, at.y - client.y};
    const bool move = offset.x != 0 || offset.y != 0;
    if (move) ::OffsetViewportOrgEx(hDC, offset.x, offset.y, nullptr);
    ::SendMessageW(child, printMessage, reinterpret_cast<WPARAM>(hDC), printFlags);
    if (recurse) ForwardPrintToChildren(child, printMessage, hDC, printFlags, true);
    if (move) ::OffsetViewportOrgEx(hDC, -offset.x, -offset.y, nullptr);
  }
  if (ncShift.x != 0 || ncShift.y != 0) ::OffsetViewportOrgEx(hDC, -ncShift.x, -ncShift.y, nullptr);
}

HBITMAP CExtPaintManager::CaptureScreenRectToDib(const RECT& rc, void** bits) {
  if (bits) *bits = nullptr;
  const int cx = rc.right - rc.left, cy = rc.bottom - rc.top;
  if (cx <= 0 || cy <= 0) return nullptr;
  HDC desktop = ::GetWindowDC(::GetDesktopWindow());
  HDC mem = desktop ? ::CreateCompatibleDC(desktop) : nullptr;
  HBITMAP dib = mem ? CreateDib32(mem, cx, cy, bits) : nullptr;
  if (dib) {
    HGDIOBJ old = ::SelectObject(mem, dib);
    ::BitBlt(mem, 0, 0, cx, cy, desktop, rc.left, rc.top, SRCCOPY);
    ::SelectObject(mem, old);
  }
  if (mem) ::DeleteDC(mem);
  if (desktop) ::ReleaseDC(::GetDesktopWindow(), desktop);
  return dib;
}

void CExtPaintManager::ExcludeChildWindowsFromClip(HDC hDC, HWND parent, ChildClipFilter filter, LPARAM cookie) {
  if (hDC == nullptr || parent == nullptr || !::IsWindow(parent)) return;
  for (HWND child = ::GetWindow(parent, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    const LONG style = ::GetWindowLongW(child, GWL_STYLE);
    if ((style & WS_VISIBLE) == 0 || (style & WS_CHILD) == 0) continue;
    RECT rc{};
    ::GetWindowRect(child, &rc);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rc), 2);
    if (filter == nullptr || !filter(hDC, parent, child, cookie))
      ::ExcludeClipRect(hDC, rc.left, rc.top, rc.right, rc.bottom);
  }
}

int CExtPaintManager::FlushWindowPaintMessages(HWND hWnd, bool nonClient, bool erase, bool paint) {
  int count = 0;
  const UINT kinds[3] = {WM_NCPAINT, WM_ERASEBKGND, WM_PAINT};
  const bool wanted[3] = {nonClient, erase, paint};
  for (int k = 0; k < 3; ++k) {
    if (!wanted[k]) continue;
    // A window that does not validate itself gets its paint message again and again: each
    // window is served once per kind, so the flush always ends.
    std::set<HWND> served;
    MSG msg;
    while (::PeekMessageW(&msg, hWnd, kinds[k], kinds[k], PM_NOREMOVE)) {
      if (!served.insert(msg.hwnd).second) break;
      if (!::PeekMessageW(&msg, hWnd, kinds[k], kinds[k], PM_REMOVE)) break;
      ::DispatchMessageW(&msg);
      ++count;
    }
  }
  return count;
}
