// CImage: a bitmap (a DIB section) that can be loaded from and saved to image
// files through GDI+: PNG, JPEG, BMP, GIF and TIFF. The file type comes from
// the format id (Gdiplus::ImageFormatPNG, ...) or, with GUID_NULL, from the
// file name's extension.
//
// Loading gives a 32-bit image (with alpha when the file has transparency) or
// a 24-bit one. Saving a GIF from an image of more than 8 bits per pixel maps
// it to 256 colours: exactly when it has at most 256 colours, else to a fixed
// palette. Errors are returned as HRESULTs.
#pragma once

#include "framework/fwdefs.h"

#include <objidl.h>

#include <gdiplus.h>

class CImage {
 public:
  // Create flags.
  static constexpr DWORD createAlphaChannel = 0x01;
  enum DIBOrientation { DIBOR_DEFAULT, DIBOR_TOPDOWN, DIBOR_BOTTOMUP };

  CImage();
  ~CImage();
  CImage(const CImage&) = delete;
  CImage& operator=(const CImage&) = delete;

  // A new image; a negative height makes it top-down. nBPP 1, 4, 8, 16, 24 or 32.
  BOOL Create(int nWidth, int nHeight, int nBPP, DWORD dwFlags = 0);
  void Attach(HBITMAP hBitmap, DIBOrientation eOrientation = DIBOR_DEFAULT);
  HBITMAP Detach();
  void Destroy();

  operator HBITMAP() const { return m_hBitmap; }
  bool IsNull() const { return m_hBitmap == nullptr; }
  bool IsDIBSection() const { return m_bIsDIBSection; }
  bool IsIndexed() const { return m_nBPP <= 8; }
  int GetWidth() const { return m_nWidth; }
  int GetHeight() const { return m_nHeight; }
  int GetBPP() const { return m_nBPP; }
  // Bytes from one row to the next one down (negative for bottom-up images).
  int GetPitch() const { return m_nPitch; }
  // The top row's pixels; null for an image that is not a DIB section.
  void* GetBits() { return m_pBits; }
  const void* GetBits() const { return m_pBits; }
  void* GetPixelAddress(int x, int y);
  const void* GetPixelAddress(int x, int y) const;
  // Pixels (DIB sections only); outside the image GetPixel gives CLR_INVALID.
  COLORREF GetPixel(int x, int y) const;
  void SetPixel(int x, int y, COLORREF color);
  void SetPixelRGB(int x, int y, BYTE r, BYTE g, BYTE b) { SetPixel(x, y, RGB(r, g, b)); }
  bool HasAlphaChannel() const { return m_bHasAlphaChannel; }
  void SetHasAlphaChannel(bool bHasAlpha) { m_bHasAlphaChannel = bHasAlpha && m_nBPP == 32; }
  int GetMaxColorTableEntries() const;
  void GetColorTable(UINT iFirstColor, UINT nColors, RGBQUAD* prgbColors) const;
  void SetColorTable(UINT iFirstColor, UINT nColors, const RGBQUAD* prgbColors);

  // A memory device context with the image selected (shared by nested calls);
  // every GetDC needs a ReleaseDC.
  HDC GetDC() const;
  void ReleaseDC() const;

  BOOL BitBlt(HDC hDestDC, int xDest, int yDest, DWORD dwROP = SRCCOPY) const;
  BOOL BitBlt(HDC hDestDC, int xDest, int yDest, int nDestWidth, int nDestHeight, int xSrc, int ySrc,
              DWORD dwROP = SRCCOPY) const;
  BOOL StretchBlt(HDC hDestDC, int xDest, int yDest, int nDestWidth, int nDestHeight, DWORD dwROP = SRCCOPY) const;
  // Draws the image, blending it when it has an alpha channel.
  BOOL Draw(HDC hDestDC, int xDest, int yDest) const;
  BOOL Draw(HDC hDestDC, const RECT& rectDest) const;

  HRESULT Load(LPCTSTR pszFileName);
  HRESULT Load(IStream* pStream);
  // A bitmap resource (RT_BITMAP).
  BOOL LoadFromResource(HINSTANCE hInstance, LPCTSTR pszResourceName);
  BOOL LoadFromResource(HINSTANCE hInstance, UINT nIDResource) {
    return LoadFromResource(hInstance, MAKEINTRESOURCEW(nIDResource));
  }
  // An image file kept as a resource of any type (PNG, GIF, ... in RCDATA,
  // HTML or a custom type).
  HRESULT LoadFromResource(HINSTANCE hInstance, LPCTSTR pszResourceName, LPCTSTR pszResourceType);

  HRESULT Save(LPCTSTR pszFileName, REFGUID guidFileType = GUID_NULL) const;
  HRESULT Save(IStream* pStream, REFGUID guidFileType) const;

 private:
  void UpdateBitmapInfo(DIBOrientation eOrientation);
  HRESULT LoadFromGdiplus(void* pBitmap);
  HRESULT SaveWith(IStream* pStream, LPCTSTR pszFileName, REFGUID guidFileType) const;

  HBITMAP m_hBitmap = nullptr;
  void* m_pBits = nullptr;  // top row
  int m_nWidth = 0;
  int m_nHeight = 0;
  int m_nPitch = 0;
  int m_nBPP = 0;
  bool m_bIsDIBSection = false;
  bool m_bHasAlphaChannel = false;
  mutable HDC m_hDC = nullptr;
  mutable int m_nDCRefCount = 0;
  mutable HBITMAP m_hOldBitmap = nullptr;
};
