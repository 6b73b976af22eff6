// CExtBitmap, the toolkit's one image type: a DIB block (bmp_dib.h) in any supported depth,
// brought into the 32-bit working form with alpha on demand, built from bitmap handles, icons,
// device contexts, resources, files, memory and archives, and handed out again as bitmap and icon
// handles. Its BMP files, archive form and clipboard exchange are in ext_bitmap_io.cpp and
// ext_bitmap_clipboard.cpp.
#pragma once

#include "framework/afxwin.h"
#include "toolkit/foundation/bmp_dib.h"
#include "toolkit/foundation/bmp_resample.h"
#include "toolkit/foundation/bmp_stream.h"

// An image list with no behaviour of its own; icon import uses one as a 32-bit scratch list.
class CExtImageList : public CImageList {};

class CExtBitmap {
 public:
  // A reconstruction kernel for Scale (bmp_resample.h).
  using Filter = DibFilter;

  CExtBitmap() = default;
  CExtBitmap(const CExtBitmap& other);
  CExtBitmap& operator=(const CExtBitmap& other);
  virtual ~CExtBitmap();

  virtual bool AssignFromHICON(HICON icon, bool skipImageList = false);
  virtual bool Assign(const CExtBitmap& source, bool throwOnFailure = false);
  virtual void Empty();
  virtual bool IsBlank() const;
  virtual void Serialize(CArchive& ar);
  virtual bool CopyToClipboard(HWND window = nullptr, bool standardBitmap = true, bool ownFormat = true);
  virtual bool PasteFromClipboard(HWND window = nullptr, bool standardBitmap = true, bool ownFormat = true);
  virtual bool CanCopyToClipboard(bool standardBitmap = true, bool ownFormat = true) const;
  virtual bool CanPasteFromClipboard(HWND window = nullptr, bool standardBitmap = true, bool ownFormat = true) const;
  virtual UINT GetClipboardFormat() const;
  virtual CString GetClipboardFormatName() const;
  // Mirrors the area (null: the whole image) left to right and/or top to bottom.
  virtual bool Mirror(bool horizontal, bool vertical, const RECT* area = nullptr);
  // Resamples to cx x cy with the kernel (null: "Box"); false, and nothing changed, for a blank
  // image, a size below 1, a depth below 16 or when memory runs out.
  virtual bool Scale(int cx, int cy, Filter* filter);
  virtual bool CreateBitmapWithKeyColor(HBITMAP* result, COLORREF* key, CArray<COLORREF, COLORREF>* colors = nullptr,
                                        void** bits = nullptr) const;
  virtual HICON CreateHICON(bool mapSystemColors = false, COLORREF key = static_cast<COLORREF>(-1)) const;
  virtual bool IsPremultiplyInPlaceEnabled() const;
  virtual void Premultiply(bool multiply = true);
  virtual bool IsPremultiplied() const;
  virtual void MarkPremultiplied(bool premultiplied = true);
  // Drawing (ext_bitmap_draw.cpp, ext_bitmap_alpha.cpp). Sources count from the image's top-left
  // corner except in StretchBits, which takes the bottom-up coordinates of the DIB; margins are the
  // widths of the left, top, right and bottom borders. Skin modes: 0 nothing, 1 centred, 2
  // stretched, 3 edges and centre tiled horizontally, 4 vertically, 5 both.
  virtual int StretchBits(HDC dc, int x, int y, int cx, int cy, int sx, int sy, int scx, int scy,
                          DWORD rop = SRCCOPY) const;
  virtual int Draw(HDC dc, int x, int y, int cx, int cy, int sx, int sy, int scx, int scy,
                   DWORD rop = SRCCOPY) const;
  virtual bool DrawNineGrid(HDC dc, const RECT& destination, const RECT& source, const RECT& margins,
                            int extraTopDestination = 0, int extraTopSource = 0, bool drawCentre = true,
                            bool halftone = true, DWORD rop = SRCCOPY) const;
  virtual bool DrawSkin(HDC dc, const RECT& destination, const RECT& source, const RECT& margins, int mode,
                        bool drawCentre = true, bool halftone = true, DWORD rop = SRCCOPY) const;
  // Blends with the per-pixel alpha and a constant alpha: 0 on success, -1 on failure. The image
  // is never changed: premultiplied pixels for the system blend are made in a scratch bitmap.
  virtual int AlphaDraw(HDC dc, int x, int y, int cx, int cy, int sx, int sy, int scx, int scy,
                        BYTE alpha = 255) const;
  virtual bool AlphaDrawSkin(HDC dc, const RECT& destination, const RECT& source, const RECT& margins, int mode,
                             bool drawCentre = true, bool halftone = true, BYTE alpha = 255) const;
  virtual bool ReadPixel(int x, int y, RGBQUAD* result) const;
  virtual bool WritePixel(int x, int y, const RGBQUAD* value, bool red = true, bool green = true, bool blue = true,
                          bool alpha = true);
  virtual void OnContentLoaded();
  virtual void OnContentChanged();

  // Queries (0, false or an empty size when blank).
  CSize GetPixelSize() const;
  int GetBitsPerPixel() const;
  DWORD GetAlphaMask() const;
  DWORD GetDibFlags() const;
  void SetDibFlags(DWORD flags);
  // The block itself, for the drawing and effect code (null when blank).
  const DibBlock* GetDib() const { return m_pDib; }
  DibBlock* GetDib() { return m_pDib; }

  COLORREF ReadPixelColor(int x, int y, BYTE* alpha = nullptr) const;
  bool WritePixelColor(int x, int y, COLORREF color, int alpha = -1);

  bool PromoteTo32Bpp(bool throwOnFailure = false);
  bool Scale(int cx, int cy);

  // ---- Colour effects (ext_bitmap_effects.cpp). Areas are in image coordinates, null for the
  // whole image, clipped to it; a key or tint of -1 means none. ----
  static COLORREF HslToRgb(double hue, double lightness, double saturation);
  static void RgbToHsl(COLORREF color, double* hue, double* saturation, double* lightness);
  static COLORREF ShiftColorHsl(COLORREF color, double dHue, double dLightness, double dSaturation);
  static COLORREF MixColorsByWeight(COLORREF c1, COLORREF c2, int weight);
  static COLORREF MixColorsByAlpha(COLORREF c1, COLORREF c2, int alpha);
  void GrayAndTint(COLORREF tint = static_cast<COLORREF>(-1), const RECT* area = nullptr);
  bool RecolorKeepLightness(COLORREF key, COLORREF color, const RECT* area = nullptr);
  bool ShiftHsl(COLORREF key, COLORREF tolerance, double dHue, double dLightness, double dSaturation,
                const RECT* area = nullptr);
  bool ScaleOpacity(double delta, const RECT* area = nullptr);
  void SetAlphaByColorKey(COLORREF key, COLORREF tolerance, BYTE alpha, const RECT* area = nullptr);
  void SetAlphaInRect(const RECT& area, BYTE alpha, COLORREF transparentColor = static_cast<COLORREF>(-1),
                      COLORREF opaqueColor = static_cast<COLORREF>(-1));
  void SetAlphaOnBorder(const RECT& outer, const RECT& borderWidths, BYTE alpha,
                        COLORREF transparentColor = static_cast<COLORREF>(-1),
                        COLORREF opaqueColor = static_cast<COLORREF>(-1));
  void FillRectColor(COLORREF color, const RECT& area, BYTE alpha = 0xFF);
  void FillRectGradient(COLORREF c1, COLORREF c2, bool vertical, const RECT& area, UINT steps = 256,
                        BYTE alpha1 = 0xFF, BYTE alpha2 = 0xFF);
  bool CreateSolid(COLORREF color, const SIZE& size, BYTE alpha = 0xFF, bool throwOnFailure = false);
  bool CreateGradient(COLORREF c1, COLORREF c2, bool vertical, const SIZE& size, UINT steps = 256, BYTE alpha1 = 0xFF,
                      BYTE alpha2 = 0xFF, bool throwOnFailure = false);
  bool MirrorHorizontally(const RECT* area = nullptr) { return Mirror(true, false, area); }
  bool MirrorVertically(const RECT* area = nullptr) { return Mirror(false, true, area); }
  // This image made of a strip of equal frames of the source, each rotated by 0, 90, 180, 270
  // or 360 degrees.
  bool AssignRotatedFrames(const CExtBitmap& source, int angle, int frames, int frameCx, int frameCy,
                           bool sourceAcross, bool resultAcross);

  // Builders: each empties the image first and leaves it blank when it fails.
  bool ImportHBITMAP(HBITMAP bitmap, bool throwOnFailure = false, bool keepAlpha = true);
  bool ImportHBITMAP(HBITMAP bitmap, const RECT* part, bool throwOnFailure = false, bool keepAlpha = true);
  bool CaptureFromDC(HDC dc, const RECT& area, bool throwOnFailure = false);
  bool CopyPart(const CExtBitmap& source, const RECT* part, bool throwOnFailure = false);
  bool LoadFromResource(LPCTSTR name, LPCTSTR type = RT_BITMAP, HINSTANCE module = nullptr, bool promote = true,
                        bool throwOnFailure = false);
  bool LoadFromResourceHandle(HINSTANCE module, HRSRC resource, bool promote = true, bool throwOnFailure = false);
  bool LoadFromFile(CFile* file, bool promote = true, bool throwOnFailure = false, bool noFileHeader = false);
  bool LoadFromFile(LPCTSTR path, bool promote = true, bool throwOnFailure = false, bool noFileHeader = false);
  bool LoadFromMemory(const BYTE* data, UINT size, bool promote = true, bool throwOnFailure = false,
                      bool noFileHeader = false);
  bool LoadFromArchive(CArchive& ar, bool promote = true, bool throwOnFailure = false, bool noFileHeader = false);
  // Writes the image as a BMP file (8-bit images run-length compressed when asked).
  bool SaveToFile(LPCTSTR path, bool rle8 = false) const;

  // Handing out.
  HBITMAP CreateHBITMAP(HDC dc, bool deviceDependent = false) const;
  HBITMAP CreateHBITMAP(bool deviceDependent = false) const;
  HBITMAP CreateHBITMAP32(HDC dc, void** bits = nullptr, COLORREF background = static_cast<COLORREF>(-1)) const;
  HBITMAP CreateHBITMAP32(void** bits = nullptr, COLORREF background = static_cast<COLORREF>(-1)) const;

  // Drawing forms over the operations above; -1 or false when blank or without a device context.
  int DrawRect(HDC dc, const RECT& destination, const RECT& source, DWORD rop = SRCCOPY) const;
  int DrawWhole(HDC dc, const RECT& destination, DWORD rop = SRCCOPY) const;
  int DrawAt(HDC dc, int x, int y, int cx, int cy, DWORD rop = SRCCOPY) const;
  int AlphaDrawRect(HDC dc, const RECT& destination, const RECT& source, BYTE alpha = 255) const;
  int AlphaDrawWhole(HDC dc, const RECT& destination, BYTE alpha = 255) const;
  int AlphaDrawAt(HDC dc, int x, int y, int cx, int cy, BYTE alpha = 255) const;
  bool DrawNineGridWhole(HDC dc, const RECT& destination, const RECT& margins, int extraTopDestination = 0,
                         int extraTopSource = 0, bool drawCentre = true, bool halftone = true,
                         DWORD rop = SRCCOPY) const;
  bool DrawSkinWhole(HDC dc, const RECT& destination, const RECT& margins, int mode, bool drawCentre = true,
                     bool halftone = true, DWORD rop = SRCCOPY) const;
  bool AlphaDrawSkinWhole(HDC dc, const RECT& destination, const RECT& margins, int mode, bool drawCentre = true,
                          bool halftone = true, BYTE alpha = 255) const;

  // Window regions (ext_bitmap_regions.cpp): the pixels outside a colour key box, and a skin's
  // destination rectangle less the corner pixels whose alpha lies in a range. Null when blank.
  HRGN RegionFromColorKey(bool mirror, DWORD key, DWORD tolerance = 0) const;
  HRGN CornerRegion(bool mirror, const RECT& destination, const RECT& source, const RECT& margins, BYTE alphaMin,
                    BYTE alphaMax) const;
  HRGN CornerRegion(bool mirror, const RECT& destination, const RECT& margins, BYTE alphaMin, BYTE alphaMax) const;
  HRGN CornerRegionPart(bool mirror, const RECT& destination, const RECT& source, const RECT& margins, bool left,
                        bool top, BYTE alphaMin, BYTE alphaMax) const;

  // Colour statistics; both answer the depth, 0 when blank.
  int CountColors(CMap<COLORREF, COLORREF, DWORD, DWORD>& counts) const;
  int CollectColors(CArray<COLORREF, COLORREF>& colors) const;

  // Why the last BMP read on this thread failed (BmpError::None after a success).
  static BmpError GetLastReadError();

 protected:
  // Replaces the block (taking ownership) without any hook.
  void SetDib(DibPtr block);
  // Turns a premultiplied image back to straight colours and unmarks it.
  void Unpremultiply();
  // Raises CUserException when asked to, else answers false.
  static bool Fail(bool throwOnFailure);

  DibBlock* m_pDib = nullptr;
};

// The BMP reader and writer over framework archives. The reader refuses what bmp_stream.h lists;
// with throwOnFailure a refusal raises CArchiveException (endOfFile for a short stream, badSchema
// for anything else) and exceptions of the archive pass on, without it the answer is null.
DibBlock* ReadBmpStream(CArchive& ar, bool throwOnFailure, bool noFileHeader);
bool WriteBmpStream(const DibBlock* block, CArchive& ar, bool throwOnFailure, bool rle8);
void FreeDibBlock(DibBlock* block);

// The module that holds a resource and its handle: the given module, or with a null module the
// one the resource manager finds (its language choice and fallback).
HRSRC ExtBitmapFindResource(HINSTANCE* module, LPCTSTR name, LPCTSTR type);

// A packed DIB (header, table, rows) in moveable global memory, or null.
HGLOBAL CreatePackedDibFromHBITMAP(HBITMAP bitmap, HPALETTE palette = nullptr);
