#include "framework/image.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "framework/image_gdiplus.h"

using namespace Gdiplus;
using fw::detail::EnsureGdiplus;
using fw::detail::HResultFromStatus;

namespace {

int RowBytes(int width, int bpp) { return ((width * bpp + 31) / 32) * 4; }

// A GDI+ bitmap disposed with its scope.
struct GpBitmapHolder {
  GpBitmap* bitmap = nullptr;
  ~GpBitmapHolder() {
    if (bitmap != nullptr) DllExports::GdipDisposeImage(bitmap);
  }
};

// Releases a stream with its scope.
struct StreamHolder {
  IStream* stream = nullptr;
  ~StreamHolder() {
    if (stream != nullptr) stream->Release();
  }
};

}  // namespace

CImage::CImage() = default;

CImage::~CImage() { Destroy(); }

BOOL CImage::Create(int nWidth, int nHeight, int nBPP, DWORD dwFlags) {
  Destroy();
  if (nWidth <= 0 || nHeight == 0) return FALSE;
  if (nBPP != 1 && nBPP != 4 && nBPP != 8 && nBPP != 16 && nBPP != 24 && nBPP != 32) return FALSE;
  std::vector<unsigned char> info(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD), 0);
  auto* header = reinterpret_cast<BITMAPINFOHEADER*>(info.data());
  header->biSize = sizeof(BITMAPINFOHEADER);
  header->biWidth = nWidth;
  header->biHeight = nHeight;
  header->biPlanes = 1;
  header->biBitCount = static_cast<WORD>(nBPP);
  header->biCompression = BI_RGB;
  if (nBPP <= 8) {
    // A grey ramp until the caller sets its own colours.
    auto* colours = reinterpret_cast<RGBQUAD*>(info.data() + sizeof(BITMAPINFOHEADER));
    int n = 1 << nBPP;
    for (int i = 0; i < n; ++i) {
      BYTE v = static_cast<BYTE>(i * 255 / (n - 1));
      colours[i] = RGBQUAD{v, v, v, 0};
    }
    header->biClrUsed = static_cast<DWORD>(n);
  }
  void* bits = nullptr;
  HBITMAP hBitmap = ::CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(info.data()), DIB_RGB_COLORS, &bits,
                                       nullptr, 0);
  if (hBitmap == nullptr) return FALSE;
  Attach(hBitmap, nHeight < 0 ? DIBOR_TOPDOWN : DIBOR_BOTTOMUP);
  m_bHasAlphaChannel = (dwFlags & createAlphaChannel) != 0 && nBPP == 32;
  return TRUE;
}

void CImage::Attach(HBITMAP hBitmap, DIBOrientation eOrientation) {
  Destroy();
  m_hBitmap = hBitmap;
  UpdateBitmapInfo(eOrientation);
}

void CImage::UpdateBitmapInfo(DIBOrientation eOrientation) {
  DIBSECTION dib = {};
  if (::GetObjectW(m_hBitmap, sizeof dib, &dib) == sizeof dib) {
    m_bIsDIBSection = true;
    m_nWidth = dib.dsBmih.biWidth;
    m_nHeight = std::abs(dib.dsBmih.biHeight);
    m_nBPP = dib.dsBmih.biBitCount;
    int rowBytes = RowBytes(m_nWidth, m_nBPP);
    bool topDown = dib.dsBmih.biHeight < 0;
    if (eOrientation == DIBOR_TOPDOWN) topDown = true;
    else if (eOrientation == DIBOR_BOTTOMUP) topDown = false;
    auto* bits = static_cast<unsigned char*>(dib.dsBm.bmBits);
    if (topDown) {
      m_pBits = bits;
      m_nPitch = rowBytes;
    } else {
      m_pBits = bits + static_cast<std::ptrdiff_t>(m_nHeight - 1) * rowBytes;
      m_nPitch = -rowBytes;
    }
    return;
  }
  BITMAP bm = {};
  if (::GetObjectW(m_hBitmap, sizeof bm, &bm) == sizeof bm) {
    m_bIsDIBSection = false;
    m_nWidth = bm.bmWidth;
    m_nHeight = bm.bmHeight;
    m_nBPP = bm.bmBitsPixel;
    m_nPitch = 0;
    m_pBits = nullptr;
  }
}

HBITMAP CImage::Detach() {
  while (m_nDCRefCount > 0) ReleaseDC();
  HBITMAP hBitmap = m_hBitmap;
  m_hBitmap = nullptr;
  m_pBits = nullptr;
  m_nWidth = m_nHeight = m_nPitch = m_nBPP = 0;
  m_bIsDIBSection = m_bHasAlphaChannel = false;
  return hBitmap;
}

void CImage::Destroy() {
  HBITMAP hBitmap = Detach();
  if (hBitmap != nullptr) ::DeleteObject(hBitmap);
}

void* CImage::GetPixelAddress(int x, int y) {
  return const_cast<void*>(static_cast<const CImage*>(this)->GetPixelAddress(x, y));
}

const void* CImage::GetPixelAddress(int x, int y) const {
  if (m_pBits == nullptr || x < 0 || y < 0 || x >= m_nWidth || y >= m_nHeight) return nullptr;
  return static_cast<const unsigned char*>(m_pBits) + static_cast<std::ptrdiff_t>(y) * m_nPitch + (x * m_nBPP) / 8;
}

COLORREF CImage::GetPixel(int x, int y) const {
  const auto* p = static_cast<const unsigned char*>(GetPixelAddress(x, y));
  if (p == nullptr) return CLR_INVALID;
  switch (m_nBPP) {
    case 32:
    case 24: return RGB(p[2], p[1], p[0]);
    case 16: {
      WORD v = *reinterpret_cast<const WORD*>(p);
      return RGB(((v >> 10) & 0x1F) * 255 / 31, ((v >> 5) & 0x1F) * 255 / 31, (v & 0x1F) * 255 / 31);
    }
    default: {
      int shift = 8 - m_nBPP - (x * m_nBPP) % 8;
      UINT index = (*p >> shift) & ((1u << m_nBPP) - 1);
      RGBQUAD c = {};
      GetColorTable(index, 1, &c);
      return RGB(c.rgbRed, c.rgbGreen, c.rgbBlue);
    }
  }
}

void CImage::SetPixel(int x, int y, COLORREF color) {
  auto* p = static_cast<unsigned char*>(GetPixelAddress(x, y));
  if (p == nullptr) return;
  switch (m_nBPP) {
    case 32:
      p[3] = 0xFF;
      [[fallthrough]];
    case 24:
      p[0] = GetBValue(color);
      p[1] = GetGValue(color);
      p[2] = GetRValue(color);
      break;
    case 16:
      *reinterpret_cast<WORD*>(p) =
          static_cast<WORD>(((GetRValue(color) >> 3) << 10) | ((GetGValue(color) >> 3) << 5) | (GetBValue(color) >> 3));
      break;
    default: {
      // The nearest palette entry.
      int n = GetMaxColorTableEntries();
      std::vector<RGBQUAD> table(static_cast<std::size_t>(n));
      GetColorTable(0, static_cast<UINT>(n), table.data());
      int best = 0;
      long bestDistance = -1;
      for (int i = 0; i < n; ++i) {
        long dr = table[i].rgbRed - GetRValue(color), dg = table[i].rgbGreen - GetGValue(color),
             db = table[i].rgbBlue - GetBValue(color);
        long d = dr * dr + dg * dg + db * db;
        if (bestDistance < 0 || d < bestDistance) {
          bestDistance = d;
          best = i;
        }
      }
      int shift = 8 - m_nBPP - (x * m_nBPP) % 8;
      BYTE mask = static_cast<BYTE>(((1u << m_nBPP) - 1) << shift);
      *p = static_cast<BYTE>((*p & ~mask) | ((best << shift) & mask));
      break;
    }
  }
}

int CImage::GetMaxColorTableEntries() const { return m_bIsDIBSection && m_nBPP <= 8 ? 1 << m_nBPP : 0; }

void CImage::GetColorTable(UINT iFirstColor, UINT nColors, RGBQUAD* prgbColors) const {
  if (prgbColors == nullptr || GetMaxColorTableEntries() == 0) return;
  HDC hDC = GetDC();
  ::GetDIBColorTable(hDC, iFirstColor, nColors, prgbColors);
  ReleaseDC();
}

void CImage::SetColorTable(UINT iFirstColor, UINT nColors, const RGBQUAD* prgbColors) {
  if (prgbColors == nullptr || GetMaxColorTableEntries() == 0) return;
  HDC hDC = GetDC();
  ::SetDIBColorTable(hDC, iFirstColor, nColors, prgbColors);
  ReleaseDC();
}

HDC CImage::GetDC() const {
  if (m_hBitmap == nullptr) return nullptr;
  if (m_nDCRefCount++ == 0) {
    m_hDC = ::CreateCompatibleDC(nullptr);
    m_hOldBitmap = static_cast<HBITMAP>(::SelectObject(m_hDC, m_hBitmap));
  }
  return m_hDC;
}

void CImage::ReleaseDC() const {
  if (m_nDCRefCount <= 0) return;
  if (--m_nDCRefCount == 0) {
    ::SelectObject(m_hDC, m_hOldBitmap);
    ::DeleteDC(m_hDC);
    m_hDC = nullptr;
    m_hOldBitmap = nullptr;
  }
}

BOOL CImage::BitBlt(HDC hDestDC, int xDest, int yDest, DWORD dwROP) const {
  return BitBlt(hDestDC, xDest, yDest, m_nWidth, m_nHeight, 0, 0, dwROP);
}

BOOL CImage::BitBlt(HDC hDestDC, int xDest, int yDest, int nDestWidth, int nDestHeight, int xSrc, int ySrc,
                    DWORD dwROP) const {
  if (m_hBitmap == nullptr || hDestDC == nullptr) return FALSE;
  HDC hDC = GetDC();
  BOOL ok = ::BitBlt(hDestDC, xDest, yDest, nDestWidth, nDestHeight, hDC, xSrc, ySrc, dwROP);
  ReleaseDC();
  return ok;
}

BOOL CImage::StretchBlt(HDC hDestDC, int xDest, int yDest, int nDestWidth, int nDestHeight, DWORD dwROP) const {
  if (m_hBitmap == nullptr || hDestDC == nullptr) return FALSE;
  HDC hDC = GetDC();
  int oldMode = ::SetStretchBltMode(hDestDC, COLORONCOLOR);
  BOOL ok = ::StretchBlt(hDestDC, xDest, yDest, nDestWidth, nDestHeight, hDC, 0, 0, m_nWidth, m_nHeight, dwROP);
  ::SetStretchBltMode(hDestDC, oldMode);
  ReleaseDC();
  return ok;
}

BOOL CImage::Draw(HDC hDestDC, int xDest, int yDest) const {
  RECT dest = {xDest, yDest, xDest + m_nWidth, yDest + m_nHeight};
  return Draw(hDestDC, dest);
}

BOOL CImage::Draw(HDC hDestDC, const RECT& rectDest) const {
  if (m_hBitmap == nullptr || hDestDC == nullptr) return FALSE;
  const int w = rectDest.right - rectDest.left, h = rectDest.bottom - rectDest.top;
  if (!m_bHasAlphaChannel) return StretchBlt(hDestDC, rectDest.left, rectDest.top, w, h);
  // Blending wants premultiplied colours; the image keeps straight ones.
  CImage premultiplied;
  if (!premultiplied.Create(m_nWidth, -m_nHeight, 32)) return FALSE;
  for (int y = 0; y < m_nHeight; ++y) {
    const auto* src = static_cast<const unsigned char*>(GetPixelAddress(0, y));
    auto* dst = static_cast<unsigned char*>(premultiplied.GetPixelAddress(0, y));
    for (int x = 0; x < m_nWidth; ++x) {
      unsigned a = src[4 * x + 3];
      for (int c = 0; c < 3; ++c) dst[4 * x + c] = static_cast<unsigned char>((src[4 * x + c] * a + 127) / 255);
      dst[4 * x + 3] = static_cast<unsigned char>(a);
    }
  }
  HDC hDC = premultiplied.GetDC();
  BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  BOOL ok = ::AlphaBlend(hDestDC, rectDest.left, rectDest.top, w, h, hDC, 0, 0, m_nWidth, m_nHeight, blend);
  premultiplied.ReleaseDC();
  return ok;
}

// Loading.

HRESULT CImage::LoadFromGdiplus(void* pBitmap) {
  auto* bitmap = static_cast<GpBitmap*>(pBitmap);
  UINT width = 0, height = 0;
  PixelFormat format = 0;
  UINT flags = 0;
  DllExports::GdipGetImageWidth(bitmap, &width);
  DllExports::GdipGetImageHeight(bitmap, &height);
  DllExports::GdipGetImagePixelFormat(bitmap, &format);
  DllExports::GdipGetImageFlags(bitmap, &flags);
  if (width == 0 || height == 0 || width > 0x7FFF || height > 0x7FFF) return E_FAIL;
  const bool alpha = (format & PixelFormatAlpha) != 0 || (flags & ImageFlagsHasAlpha) != 0;
  const bool wide = alpha || format == PixelFormat32bppRGB;
  const int bpp = wide ? 32 : 24;
  if (!Create(static_cast<int>(width), -static_cast<int>(height), bpp)) return E_OUTOFMEMORY;
  GpRect rect(0, 0, static_cast<INT>(width), static_cast<INT>(height));
  BitmapData data = {};
  const PixelFormat wanted = bpp == 32 ? (alpha ? PixelFormat32bppARGB : PixelFormat32bppRGB) : PixelFormat24bppRGB;
  GpStatus status = DllExports::GdipBitmapLockBits(bitmap, &rect, ImageLockModeRead, wanted, &data);
  if (status != Ok) {
    Destroy();
    return HResultFromStatus(status);
  }
  const int rowBytes = RowBytes(m_nWidth, bpp);
  for (int y = 0; y < m_nHeight; ++y) {
    const auto* src = static_cast<const unsigned char*>(data.Scan0) + static_cast<std::ptrdiff_t>(y) * data.Stride;
    std::memcpy(GetPixelAddress(0, y), src, static_cast<std::size_t>(std::min<int>(rowBytes, std::abs(data.Stride))));
  }
  DllExports::GdipBitmapUnlockBits(bitmap, &data);
  // An image without transparency keeps its pixels opaque; a format that may
  // carry transparency (GIF, PNG) has an alpha channel only when it is used.
  bool transparent = false;
  for (int y = 0; y < m_nHeight && bpp == 32; ++y) {
    auto* row = static_cast<unsigned char*>(GetPixelAddress(0, y));
    for (int x = 0; x < m_nWidth; ++x) {
      if (!alpha) row[4 * x + 3] = 0xFF;
      else transparent = transparent || row[4 * x + 3] != 0xFF;
    }
  }
  m_bHasAlphaChannel = transparent;
  return S_OK;
}

HRESULT CImage::Load(LPCTSTR pszFileName) {
  if (pszFileName == nullptr) return E_POINTER;
  if (!EnsureGdiplus()) return E_FAIL;
  if (::GetFileAttributesW(pszFileName) == INVALID_FILE_ATTRIBUTES) return HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);
  GpBitmapHolder holder;
  GpStatus status = DllExports::GdipCreateBitmapFromFile(pszFileName, &holder.bitmap);
  if (status != Ok) return HResultFromStatus(status);
  return LoadFromGdiplus(holder.bitmap);
}

HRESULT CImage::Load(IStream* pStream) {
  if (pStream == nullptr) return E_POINTER;
  if (!EnsureGdiplus()) return E_FAIL;
  GpBitmapHolder holder;
  GpStatus status = DllExports::GdipCreateBitmapFromStream(pStream, &holder.bitmap);
  if (status != Ok) return HResultFromStatus(status);
  return LoadFromGdiplus(holder.bitmap);
}

BOOL CImage::LoadFromResource(HINSTANCE hInstance, LPCTSTR pszResourceName) {
  auto hBitmap = static_cast<HBITMAP>(
      ::LoadImageW(hInstance, pszResourceName, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  if (hBitmap == nullptr) return FALSE;
  Attach(hBitmap);
  return TRUE;
}

HRESULT CImage::LoadFromResource(HINSTANCE hInstance, LPCTSTR pszResourceName, LPCTSTR pszResourceType) {
  HRSRC hResource = ::FindResourceW(hInstance, pszResourceName, pszResourceType);
  if (hResource == nullptr) return HRESULT_FROM_WIN32(ERROR_RESOURCE_NAME_NOT_FOUND);
  DWORD size = ::SizeofResource(hInstance, hResource);
  HGLOBAL hData = ::LoadResource(hInstance, hResource);
  const void* data = hData ? ::LockResource(hData) : nullptr;
  if (data == nullptr || size == 0) return E_FAIL;
  // The stream needs memory of its own.
  HGLOBAL hCopy = ::GlobalAlloc(GMEM_MOVEABLE, size);
  if (hCopy == nullptr) return E_OUTOFMEMORY;
  std::memcpy(::GlobalLock(hCopy), data, size);
  ::GlobalUnlock(hCopy);
  StreamHolder stream;
  if (FAILED(::CreateStreamOnHGlobal(hCopy, TRUE, &stream.stream))) {
    ::GlobalFree(hCopy);
    return E_OUTOFMEMORY;
  }
  return Load(stream.stream);
}

// Saving.

HRESULT CImage::Save(LPCTSTR pszFileName, REFGUID guidFileType) const {
  if (pszFileName == nullptr) return E_POINTER;
  return SaveWith(nullptr, pszFileName, guidFileType);
}

HRESULT CImage::Save(IStream* pStream, REFGUID guidFileType) const {
  if (pStream == nullptr) return E_POINTER;
  return SaveWith(pStream, nullptr, guidFileType);
}

HRESULT CImage::SaveWith(IStream* pStream, LPCTSTR pszFileName, REFGUID guidFileType) const {
  if (m_hBitmap == nullptr) return E_FAIL;
  if (!EnsureGdiplus()) return E_FAIL;
  GUID format = guidFileType;
  if (IsEqualGUID(format, GUID_NULL)) format = fw::detail::FormatFromExtension(pszFileName);
  CLSID encoder;
  if (IsEqualGUID(format, GUID_NULL) || !fw::detail::FindEncoder(format, encoder)) return E_INVALIDARG;

  // The pixels as GDI+ reads them: a DIB section directly, anything else
  // through a 32-bit copy.
  CImage copy;
  const CImage* source = this;
  if (!m_bIsDIBSection || m_nBPP == 16) {
    if (!copy.Create(m_nWidth, -m_nHeight, 32)) return E_OUTOFMEMORY;
    HDC hDC = copy.GetDC();
    BitBlt(hDC, 0, 0);
    copy.ReleaseDC();
    for (int y = 0; y < m_nHeight; ++y) {
      auto* row = static_cast<unsigned char*>(copy.GetPixelAddress(0, y));
      for (int x = 0; x < m_nWidth; ++x) row[4 * x + 3] = 0xFF;
    }
    source = &copy;
  }

  std::vector<unsigned char> indexed;
  std::vector<RGBQUAD> palette;
  PixelFormat pixelFormat;
  BYTE* scan0 = static_cast<BYTE*>(const_cast<void*>(source->GetBits()));
  INT stride = source->GetPitch();
  const bool gif = IsEqualGUID(format, ImageFormatGIF);
  switch (source->GetBPP()) {
    case 32:
      pixelFormat = source->HasAlphaChannel() ? PixelFormat32bppARGB : PixelFormat32bppRGB;
      if (gif) {
        // GIF holds indexed colours only.
        fw::detail::QuantizeTo256(scan0, m_nWidth, m_nHeight, stride, indexed, palette);
        pixelFormat = PixelFormat8bppIndexed;
        scan0 = indexed.data();
        stride = fw::detail::IndexPitch(m_nWidth);
      }
      break;
    case 24:
      pixelFormat = PixelFormat24bppRGB;
      if (gif) {
        CImage wide;
        if (!wide.Create(m_nWidth, -m_nHeight, 32)) return E_OUTOFMEMORY;
        for (int y = 0; y < m_nHeight; ++y) {
          const auto* s = static_cast<const unsigned char*>(source->GetPixelAddress(0, y));
          auto* d = static_cast<unsigned char*>(wide.GetPixelAddress(0, y));
          for (int x = 0; x < m_nWidth; ++x) {
            d[4 * x] = s[3 * x];
            d[4 * x + 1] = s[3 * x + 1];
            d[4 * x + 2] = s[3 * x + 2];
            d[4 * x + 3] = 0xFF;
          }
        }
        fw::detail::QuantizeTo256(static_cast<const unsigned char*>(wide.GetBits()), m_nWidth, m_nHeight,
                                  wide.GetPitch(), indexed, palette);
        pixelFormat = PixelFormat8bppIndexed;
        scan0 = indexed.data();
        stride = fw::detail::IndexPitch(m_nWidth);
      }
      break;
    case 8: pixelFormat = PixelFormat8bppIndexed; break;
    case 4: pixelFormat = PixelFormat4bppIndexed; break;
    case 1: pixelFormat = PixelFormat1bppIndexed; break;
    default: return E_FAIL;
  }
  if (palette.empty() && source->GetBPP() <= 8) {
    palette.resize(static_cast<std::size_t>(source->GetMaxColorTableEntries()));
    source->GetColorTable(0, static_cast<UINT>(palette.size()), palette.data());
  }

  GpBitmapHolder holder;
  GpStatus status = DllExports::GdipCreateBitmapFromScan0(m_nWidth, m_nHeight, stride, pixelFormat, scan0, &holder.bitmap);
  if (status != Ok) return HResultFromStatus(status);
  if (!palette.empty()) {
    std::vector<unsigned char> buffer(sizeof(ColorPalette) + palette.size() * sizeof(ARGB), 0);
    auto* colours = reinterpret_cast<ColorPalette*>(buffer.data());
    colours->Flags = 0;
    colours->Count = static_cast<UINT>(palette.size());
    for (std::size_t i = 0; i < palette.size(); ++i)
      colours->Entries[i] = 0xFF000000u | (static_cast<ARGB>(palette[i].rgbRed) << 16) |
                            (static_cast<ARGB>(palette[i].rgbGreen) << 8) | palette[i].rgbBlue;
    DllExports::GdipSetImagePalette(holder.bitmap, colours);
  }
  if (pStream != nullptr) status = DllExports::GdipSaveImageToStream(holder.bitmap, pStream, &encoder, nullptr);
  else status = DllExports::GdipSaveImageToFile(holder.bitmap, pszFileName, &encoder, nullptr);
  return HResultFromStatus(status);
}
