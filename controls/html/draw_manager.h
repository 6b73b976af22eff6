// The HTML drawer's painting toolbox: solid, banded-gradient and pattern fills, bitmaps,
// image-strip cells and icons with colour effects, key-colour transparency, per-pixel alpha and
// drop shadows, constant-opacity blends, tiling, frames and lines.
#pragma once

#include <windows.h>

#include "controls/html/cex_dib.h"

class CPPDrawManager {
 public:
  // Background kinds.
  enum {
    kTransparent = -1, kSolid = 0, kHGradient, kVGradient, kHCGradient, kVCGradient, k3HGradient, k3VGradient,
    kNoise, kDiagShade, kHShade, kVShade, kHBump, kVBump, kSoftBump, kHardBump, kMetal,
  };
  // Image effect flags.
  enum : DWORD {
    FX_GREY = 0x0001, FX_DARKER = 0x0002, FX_BRIGHTER = 0x0004, FX_SINGLE_COLOUR = 0x0008,
    FX_HARD_SHADOW = 0x0100, FX_SOFT_SHADOW = 0x0200, FX_NEGATIVE = 0x8000,
  };
  // Line and frame styles.
  enum { kLineNone = 0, kLineSolid = 1, kLineDash = 2, kLineDot = 3, kLineDashDot = 4, kLineDashDotDot = 5,
         kLineDouble = 6 };

  CPPDrawManager() = default;
  virtual ~CPPDrawManager() = default;

  void PaintBackground(HDC hdc, const RECT& rect, int kind, COLORREF begin, COLORREF mid, COLORREF end,
                       int granularity, int tint);
  void PaintGradient(HDC hdc, const RECT& rect, COLORREF from, COLORREF to, bool horizontal);
  // Rebuilds the pattern bitmap of a pattern kind (7 to 15).
  void RenderPattern(int width, int height, int kind, int granularity, int tint, COLORREF begin, COLORREF mid,
                     COLORREF end);
  const CCeXDib& Pattern() const { return m_pattern; }

  void BlendBlit(HDC srcDC, HDC dstDC, int x, int y, int width, int height, int percent);
  void BlendBlitPerPixel(HDC srcDC, HDC dstDC, int x, int y, int width, int height);
  // A new 32-bit DIB section (the caller deletes it) holding the bitmap with the effects applied;
  // key pixels become black (white with FX_NEGATIVE). Null when it can't be made.
  HBITMAP MakeEffectBitmap(HBITMAP bitmap, int width, int height, DWORD flags, bool useKey, COLORREF key,
                           COLORREF colour);

  void PaintBitmap(HDC hdc, int x, int y, int width, int height, HBITMAP bitmap, bool useKey, COLORREF key,
                   DWORD flags, bool shadowOn, int shadowDx, int shadowDy, int blurX, int blurY, COLORREF colour);
  void PaintIcon(HDC hdc, int x, int y, int width, int height, HICON icon, bool shadowOn, int shadowDx,
                 int shadowDy, int blurX, int blurY, COLORREF colour, DWORD flags);
  void PaintImageListCell(HDC hdc, int x, int y, int width, int height, HBITMAP strip, int index, int cellWidth,
                          int cellHeight, bool useKey, COLORREF key, DWORD flags, bool shadowOn, int shadowDx,
                          int shadowDy, int blurX, int blurY, COLORREF colour);
  // Darkens the area at (x, y) by the shadow image: white leaves it, darker pixels darken it.
  void PaintShadow(HDC hdc, int x, int y, int width, int height, HBITMAP shadowImage, bool soft, int blurX,
                   int blurY);
  void TileBlit(HDC hdc, int left, int top, int width, int height, HDC srcDC, int srcX, int srcY, int tileWidth,
                int tileHeight);
  void PaintFrame(HDC hdc, int left, int top, int right, int bottom, COLORREF light, COLORREF dark, int style,
                  int penWidth);
  void PaintLine(HDC hdc, int x1, int y1, int x2, int y2, COLORREF colour, int style, int penWidth);

  static void GetIconSize(HICON icon, SIZE& size);
  static void GetBitmapSize(HBITMAP bitmap, SIZE& size);
  static HICON ScaleIcon(HICON icon, int width, int height);

  // Operations on 32-bit pixels (blue in the low byte, alpha in the high byte).
  static DWORD ToGrey(DWORD p);
  static DWORD ScaleColour(DWORD p, double factor);
  static DWORD BrightenColour(DWORD p, double factor);
  static DWORD MixColours(DWORD a, DWORD b, double wa, double wb);

  bool SourceHasAlpha() const { return m_sourceHasAlpha != 0; }

 private:
  CCeXDib m_pattern;
  int m_sourceHasAlpha = 0;
};
