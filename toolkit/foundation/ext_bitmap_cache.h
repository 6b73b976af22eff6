// CExtBitmapCache: a bitmap that keeps a premultiplied bitmap handle of itself, built at the first
// alpha drawing and dropped at every change of the pixels, so repeated alpha drawing goes straight
// to the system's AlphaBlend.
#pragma once

#include "toolkit/foundation/ext_bitmap.h"

class CExtBitmapCache : public CExtBitmap {
 public:
  CExtBitmapCache() = default;
  explicit CExtBitmapCache(const CExtBitmap& other);
  // Copies take the pixels, never the handle.
  CExtBitmapCache(const CExtBitmapCache& other);
  CExtBitmapCache& operator=(const CExtBitmapCache& other);
  ~CExtBitmapCache() override;

  bool Assign(const CExtBitmap& source, bool throwOnFailure = false) override;
  void Empty() override;
  bool IsBlank() const override;
  int AlphaDraw(HDC dc, int x, int y, int cx, int cy, int sx, int sy, int scx, int scy,
                BYTE alpha = 255) const override;
  void OnContentChanged() override;

  // Builds the handle from `image` (premultiplied in a copy; neither image is changed). No handle
  // when AlphaBlend is missing or the image is blank, not 32-bit or without alpha.
  void BuildCache(const CExtBitmap& image) const;
  HBITMAP GetCache() const { return m_hCache; }

 private:
  void DropCache() const;

  mutable HBITMAP m_hCache = nullptr;
};
