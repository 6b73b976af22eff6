// The bitmap's colour effects, fills, mirroring and rotated strips: thin wrappers over the
// block operations of bmp_effects.h that keep the premultiplication rules and report changes.
#include "toolkit/foundation/bmp_effects.h"
#include "toolkit/foundation/ext_bitmap.h"

namespace {

dibfx::Area AreaOf(const RECT& rc) { return dibfx::Area{rc.left, rc.top, rc.right, rc.bottom}; }

// Null stays null: the whole image.
struct OptionalArea {
  explicit OptionalArea(const RECT* rc) : present(rc != nullptr) {
    if (rc) value = AreaOf(*rc);
  }
  const dibfx::Area* get() const { return present ? &value : nullptr; }
  bool present;
  dibfx::Area value;
};

}  // namespace

COLORREF CExtBitmap::HslToRgb(double hue, double lightness, double saturation) {
  return dibfx::HslToRgb(hue, lightness, saturation);
}

void CExtBitmap::RgbToHsl(COLORREF color, double* hue, double* saturation, double* lightness) {
  dibfx::RgbToHsl(color, hue, saturation, lightness);
}

COLORREF CExtBitmap::ShiftColorHsl(COLORREF color, double dHue, double dLightness, double dSaturation) {
  return dibfx::ShiftColorHsl(color, dHue, dLightness, dSaturation);
}

COLORREF CExtBitmap::MixColorsByWeight(COLORREF c1, COLORREF c2, int weight) {
  return dibfx::MixColorsByWeight(c1, c2, weight);
}

COLORREF CExtBitmap::MixColorsByAlpha(COLORREF c1, COLORREF c2, int alpha) {
  return dibfx::MixColorsByAlpha(c1, c2, alpha);
}

// Effects that change colours or alpha by rule work on straight colours and leave the image so.
void CExtBitmap::Unpremultiply() {
  if (!IsPremultiplied()) return;
  Premultiply(false);
  MarkPremultiplied(false);
}

void CExtBitmap::GrayAndTint(COLORREF tint, const RECT* area) {
  // Works on premultiplied images as they are: the pixel reads and writes convert.
  if (!m_pDib || !dibfx::GrayAndTint(*m_pDib, tint, OptionalArea(area).get())) return;
  OnContentChanged();
}

bool CExtBitmap::RecolorKeepLightness(COLORREF key, COLORREF color, const RECT* area) {
  if (!m_pDib || m_pDib->Depth() < 15) return false;
  Unpremultiply();
  if (!dibfx::RecolorKeepLightness(*m_pDib, key, color, OptionalArea(area).get())) return false;
  OnContentChanged();
  return true;
}

bool CExtBitmap::ShiftHsl(COLORREF key, COLORREF tolerance, double dHue, double dLightness, double dSaturation,
                          const RECT* area) {
  if (!m_pDib || m_pDib->Depth() < 15) return false;
  if (dHue == 0.0 && dLightness == 0.0 && dSaturation == 0.0) return true;
  Unpremultiply();
  if (!dibfx::ShiftHsl(*m_pDib, key, tolerance, dHue, dLightness, dSaturation, OptionalArea(area).get()))
    return false;
  OnContentChanged();
  return true;
}

bool CExtBitmap::ScaleOpacity(double delta, const RECT* area) {
  if (!m_pDib || m_pDib->Depth() < 15) return false;
  if (delta == 0.0) return true;
  Unpremultiply();
  if (!dibfx::ScaleOpacity(*m_pDib, delta, OptionalArea(area).get())) return false;
  OnContentChanged();
  return true;
}

void CExtBitmap::SetAlphaByColorKey(COLORREF key, COLORREF tolerance, BYTE alpha, const RECT* area) {
  if (!m_pDib || m_pDib->Depth() != 32) return;
  Unpremultiply();
  if (dibfx::SetAlphaByColorKey(*m_pDib, key, tolerance, alpha, OptionalArea(area).get())) OnContentChanged();
}

void CExtBitmap::SetAlphaInRect(const RECT& area, BYTE alpha, COLORREF transparentColor, COLORREF opaqueColor) {
  if (!m_pDib || m_pDib->Depth() != 32) return;
  Unpremultiply();
  if (dibfx::SetAlphaInRect(*m_pDib, AreaOf(area), alpha, transparentColor, opaqueColor)) OnContentChanged();
}

void CExtBitmap::SetAlphaOnBorder(const RECT& outer, const RECT& borderWidths, BYTE alpha, COLORREF transparentColor,
                                  COLORREF opaqueColor) {
  if (!m_pDib || m_pDib->Depth() != 32) return;
  Unpremultiply();
  if (dibfx::SetAlphaOnBorder(*m_pDib, AreaOf(outer), AreaOf(borderWidths), alpha, transparentColor, opaqueColor))
    OnContentChanged();
}

void CExtBitmap::FillRectColor(COLORREF color, const RECT& area, BYTE alpha) {
  if (m_pDib && dibfx::FillRectColor(*m_pDib, color, AreaOf(area), alpha)) OnContentChanged();
}

void CExtBitmap::FillRectGradient(COLORREF c1, COLORREF c2, bool vertical, const RECT& area, UINT steps,
                                  BYTE alpha1, BYTE alpha2) {
  if (m_pDib && dibfx::FillRectGradient(*m_pDib, c1, c2, vertical, AreaOf(area), steps, alpha1, alpha2))
    OnContentChanged();
}

bool CExtBitmap::CreateSolid(COLORREF color, const SIZE& size, BYTE alpha, bool throwOnFailure) {
  if (size.cx <= 0 || size.cy <= 0) return false;
  Empty();
  DibPtr block = DibAllocate(size.cx, size.cy, 32, kDibMasks32, 0);
  if (!block) return Fail(throwOnFailure);
  dibfx::FillRectColor(*block, color, dibfx::Area{0, 0, size.cx, size.cy}, alpha);
  SetDib(std::move(block));
  OnContentLoaded();
  return true;
}

bool CExtBitmap::CreateGradient(COLORREF c1, COLORREF c2, bool vertical, const SIZE& size, UINT steps, BYTE alpha1,
                                BYTE alpha2, bool throwOnFailure) {
  if (size.cx <= 0 || size.cy <= 0 || steps == 0) return false;
  Empty();
  DibPtr block = DibAllocate(size.cx, size.cy, 32, kDibMasks32, 0);
  if (!block) return Fail(throwOnFailure);
  dibfx::FillRectGradient(*block, c1, c2, vertical, dibfx::Area{0, 0, size.cx, size.cy}, std::min(steps, 256u), alpha1,
                          alpha2);
  SetDib(std::move(block));
  OnContentLoaded();
  return true;
}

bool CExtBitmap::Mirror(bool horizontal, bool vertical, const RECT* area) {
  if (!m_pDib || !dibfx::Mirror(*m_pDib, horizontal, vertical, OptionalArea(area).get())) return false;
  OnContentChanged();
  return true;
}

bool CExtBitmap::AssignRotatedFrames(const CExtBitmap& source, int angle, int frames, int frameCx, int frameCy,
                                     bool sourceAcross, bool resultAcross) {
  if (!source.m_pDib) return false;
  // Built before emptying: the source may be this image.
  DibPtr block = dibfx::RotatedFrames(*source.m_pDib, angle, frames, frameCx, frameCy, sourceAcross, resultAcross);
  if (!block) return false;
  Empty();
  SetDib(std::move(block));
  OnContentLoaded();
  return true;
}
