#include "toolkit/bars/memory_dc.h"

#include <utility>

CExtMemoryDC::CExtMemoryDC(CDC* target, const RECT* area, DWORD flags) {
  if (target != nullptr && target->GetSafeHdc() != nullptr) BeginOffscreen(target, area, flags);
}

CExtMemoryDC::~CExtMemoryDC() {
  CopyBackAndDetach(true);
  m_bitmap.DeleteObject();
}

void CExtMemoryDC::BeginOffscreen(CDC* target, const RECT* area, DWORD flags) {
  if (m_target != nullptr) CopyBackAndDetach(true);
  m_target = target;
  m_hOldBitmap = nullptr;
  m_offscreen = (flags & ToMemory) != 0 && ((flags & ForceMemory) != 0 || target == nullptr || !target->IsPrinting());
  if (area != nullptr) m_area = *area;
  else if (target != nullptr) target->GetClipBox(&m_area);
  else m_area = RECT{};

  if (m_offscreen) {
    HDC reference = ((flags & ForceMemory) != 0 || target == nullptr) ? nullptr : target->m_hDC;
    if (m_hDC == nullptr && !Attach(::CreateCompatibleDC(reference))) return;
    DWORD layout = target ? ::GetLayout(target->m_hDC) : 0;
    if (layout == GDI_ERROR) layout = 0;
    const bool mirrored = (layout & LAYOUT_RTL) != 0;
    const bool mapping = (flags & NoMapping) == 0;
    RECT dev = m_area;
    if (mapping) {
      ::SetLayout(m_hDC, layout);
      if (mirrored) std::swap(dev.left, dev.right);
      if (target) ::LPtoDP(target->m_hAttribDC, reinterpret_cast<POINT*>(&dev), 2);
    }
    const int w = dev.right - dev.left, h = dev.bottom - dev.top;
    m_bitmap.DeleteObject();
    HBITMAP bmp = nullptr;
    if (flags & Monochrome) {
      bmp = ::CreateBitmap(w, h, 1, 1, nullptr);
    } else if (flags & Dib32) {
      BITMAPINFOHEADER bih{};
      bih.biSize = sizeof bih;
      bih.biWidth = (flags & DibWidthFromRight) ? dev.left - dev.right : w;
      bih.biHeight = (flags & DibTopDown) ? -h : h;
      bih.biPlanes = 1;
      bih.biBitCount = 32;
      bih.biCompression = BI_RGB;
      bih.biSizeImage = static_cast<DWORD>(w) * static_cast<DWORD>(h) * 4;
      void* bits = nullptr;
      bmp = ::CreateDIBSection(target ? target->m_hDC : nullptr, reinterpret_cast<BITMAPINFO*>(&bih), DIB_RGB_COLORS,
                               &bits, nullptr, 0);
      if (bmp != nullptr && bits == nullptr) {
        ::DeleteObject(bmp);
        bmp = nullptr;
      }
      m_bits = bmp ? bits : nullptr;
    } else {
      bmp = ::CreateCompatibleBitmap(target ? target->m_hDC : m_hDC, w, h);
    }
    if (bmp == nullptr) return;
    m_bitmap.Attach(bmp);
    m_hOldBitmap = ::SelectObject(m_hDC, bmp);
    if (mapping && target) {
      ::SetMapMode(m_hDC, ::GetMapMode(target->m_hAttribDC));
      if (mirrored) std::swap(dev.left, dev.right);
      ::DPtoLP(target->m_hAttribDC, reinterpret_cast<POINT*>(&dev), 2);
      m_area = dev;
      ::SetWindowOrgEx(m_hDC, m_area.left, m_area.top, nullptr);
    }
  } else if (target != nullptr) {
    // Draws straight onto the target through its own handles.
    m_hDC = target->m_hDC;
    m_hAttribDC = target->m_hAttribDC;
    m_bPrinting = target->m_bPrinting;
  }
  if (target == nullptr || m_hDC == nullptr) return;

  const int cx = m_area.right - m_area.left, cy = m_area.bottom - m_area.top;
  if (flags & CopyTarget)
    ::BitBlt(m_hDC, m_area.left, m_area.top, cx, cy, target->m_hDC, m_area.left, m_area.top, SRCCOPY);
  else if (flags & FillBackground)
    FillSolidRect(&m_area, ::GetBkColor(target->m_hAttribDC));
}

void CExtMemoryDC::CopyBackAndDetach(bool copy) {
  if (m_target == nullptr) return;
  if (m_offscreen) {
    if (copy && m_hDC != nullptr && m_bitmap.GetSafeHandle() != nullptr)
      ::BitBlt(m_target->m_hDC, m_area.left, m_area.top, m_area.right - m_area.left, m_area.bottom - m_area.top, m_hDC,
               m_area.left, m_area.top, SRCCOPY);
    if (m_hDC != nullptr && m_hOldBitmap != nullptr) ::SelectObject(m_hDC, m_hOldBitmap);
  } else {
    m_hDC = nullptr;
    m_hAttribDC = nullptr;
    m_bPrinting = FALSE;
  }
  m_target = nullptr;
  m_hOldBitmap = nullptr;
  m_area = RECT{};
  m_offscreen = false;
  m_bits = nullptr;
}
