// The bitmap with a cached premultiplied handle.
#include "toolkit/foundation/ext_bitmap_cache.h"

#include "toolkit/foundation/ext_bitmap_alpha_internal.h"
#include "toolkit/paint/paint_manager.h"
#include "toolkit/paint/pm_holder.h"

CExtBitmapCache::CExtBitmapCache(const CExtBitmap& other) : CExtBitmap(other) {}
CExtBitmapCache::CExtBitmapCache(const CExtBitmapCache& other) : CExtBitmap(other) {}

CExtBitmapCache& CExtBitmapCache::operator=(const CExtBitmapCache& other) {
  if (this != &other) Assign(other);
  return *this;
}

CExtBitmapCache::~CExtBitmapCache() { DropCache(); }

void CExtBitmapCache::DropCache() const {
  if (m_hCache) ::DeleteObject(m_hCache);
  m_hCache = nullptr;
}

bool CExtBitmapCache::Assign(const CExtBitmap& source, bool throwOnFailure) {
  DropCache();
  return CExtBitmap::Assign(source, throwOnFailure);
}

void CExtBitmapCache::Empty() {
  DropCache();
  CExtBitmap::Empty();
}

bool CExtBitmapCache::IsBlank() const { return CExtBitmap::IsBlank(); }

void CExtBitmapCache::OnContentChanged() {
  DropCache();
  CExtBitmap::OnContentChanged();
}

void CExtBitmapCache::BuildCache(const CExtBitmap& image) const {
  DropCache();
  const DibBlock* block = image.GetDib();
  if (!g_PaintManagerHolder.m_pfnAlphaBlend || !block || block->Depth() != 32 || block->alphaMask == 0) return;
  HDC screen = ::GetDC(nullptr);
  m_hCache = extbitmap::PremultipliedSection(*block, RECT{0, 0, block->Width(), block->Height()}, screen);
  ::ReleaseDC(nullptr, screen);
}

int CExtBitmapCache::AlphaDraw(HDC dc, int x, int y, int cx, int cy, int sx, int sy, int scx, int scy,
                               BYTE alpha) const {
  if (!m_pDib || !dc) return -1;
  if (!m_hCache) BuildCache(*this);
  if (g_PaintManagerHolder.m_pfnAlphaBlend && m_hCache && !extbitmap::IsMirrored(dc)) {
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    ::ReleaseDC(nullptr, screen);
    bool blended = false;
    if (memory) {
      HGDIOBJ old = ::SelectObject(memory, m_hCache);
      blended = extbitmap::SystemBlend(dc, x, y, cx, cy, memory, sx, sy, scx, scy, alpha);
      ::SelectObject(memory, old);
      ::DeleteDC(memory);
    }
    if (blended) return 0;
  }
  return CExtBitmap::AlphaDraw(dc, x, y, cx, cy, sx, sy, scx, scy, alpha);
}
