#include "toolkit/foundation/bmp_effects.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace dibfx {

namespace {

using extpaint::Blue;
using extpaint::Green;
using extpaint::Red;
using extpaint::Rgb;

bool HasDirectPixels(const DibBlock& b) { return b.Depth() >= 15; }

Color ColorOf(const DibColor& c) { return Rgb(c.red, c.green, c.blue); }

DibColor WithColor(DibColor c, Color color) {
  c.red = static_cast<std::uint8_t>(Red(color));
  c.green = static_cast<std::uint8_t>(Green(color));
  c.blue = static_cast<std::uint8_t>(Blue(color));
  return c;
}

// Visits every pixel of a clipped area, top row first; the visitor answers whether to write the
// pixel back (colour and alpha) or leave it.
template <typename Visit>
void ForEachPixel(DibBlock& block, const Area& a, Visit visit) {
  for (int y = a.top; y < a.bottom; ++y)
    for (int x = a.left; x < a.right; ++x) {
      DibColor c{};
      if (!DibReadPixel(block, x, y, &c)) continue;
      if (visit(c)) DibWritePixel(block, x, y, c, true, true, true, true);
    }
}

int BytesPerPixel(const DibBlock& b) { return b.Depth() == 32 ? 4 : b.Depth() == 24 ? 3 : 2; }

std::uint8_t* PixelAddress(DibBlock& b, int x, int y) {
  return b.Row(b.Height() - y - 1) + static_cast<std::size_t>(x) * BytesPerPixel(b);
}

void SwapPixels(DibBlock& b, int x1, int y1, int x2, int y2) {
  // Raw bytes: exact at every direct depth, premultiplied or not.
  std::uint8_t* p = PixelAddress(b, x1, y1);
  std::uint8_t* q = PixelAddress(b, x2, y2);
  std::swap_ranges(p, p + BytesPerPixel(b), q);
}

}  // namespace

bool ClipArea(const DibBlock& block, const Area* area, Area* out) {
  Area a{0, 0, block.Width(), block.Height()};
  if (area) {
    a.left = std::max(area->left, 0);
    a.top = std::max(area->top, 0);
    a.right = std::min(area->right, block.Width());
    a.bottom = std::min(area->bottom, block.Height());
  }
  *out = a;
  return a.left < a.right && a.top < a.bottom;
}

Color HslToRgb(double hue, double lightness, double saturation) {
  return extpaint::ColorFromHls(hue, lightness, saturation);
}

void RgbToHsl(Color color, double* hue, double* saturation, double* lightness) {
  const extpaint::Hls hls = extpaint::RgbToHls(color);
  if (hue) *hue = hls.hue;
  if (saturation) *saturation = hls.saturation;
  if (lightness) *lightness = hls.lightness;
}

Color ShiftColorHsl(Color color, double dHue, double dLightness, double dSaturation) {
  return extpaint::AdjustColorHls(color, dHue, dLightness, dSaturation);
}

Color MixColorsByWeight(Color c1, Color c2, int weight) {
  const long long d = weight < 100 ? 100 : 1000;
  auto mix = [&](int a, int b) { return static_cast<int>((a * weight + b * (d - weight) + d / 2) / d) & 0xFF; };
  return Rgb(mix(Red(c1), Red(c2)), mix(Green(c1), Green(c2)), mix(Blue(c1), Blue(c2)));
}

Color MixColorsByAlpha(Color c1, Color c2, int alpha) { return extpaint::MixColors(c1, c2, alpha); }

bool InKeyBox(Color color, Color key, Color tolerance) {
  auto in = [](int v, int k, int t) { return v >= k && v <= std::min(255, k + t); };
  return in(Red(color), Red(key), Red(tolerance)) && in(Green(color), Green(key), Green(tolerance)) &&
         in(Blue(color), Blue(key), Blue(tolerance));
}

bool GrayAndTint(DibBlock& block, Color tint, const Area* area) {
  Area a;
  if (!HasDirectPixels(block) || !ClipArea(block, area, &a)) return false;
  double hue = 0.0, saturation = 0.0;
  const bool tinted = tint != kNoColor;
  if (tinted) RgbToHsl(tint, &hue, &saturation, nullptr);
  ForEachPixel(block, a, [&](DibColor& c) {
    const int grey = static_cast<int>(std::min(255.0, 0.30 * c.red + 0.59 * c.green + 0.11 * c.blue));
    c = WithColor(c, tinted ? HslToRgb(hue, grey / 255.0, saturation) : Rgb(grey, grey, grey));
    return true;
  });
  return true;
}

bool RecolorKeepLightness(DibBlock& block, Color key, Color color, const Area* area) {
  Area a;
  if (!HasDirectPixels(block) || !ClipArea(block, area, &a)) return false;
  double hue = 0.0, saturation = 0.0;
  RgbToHsl(color, &hue, &saturation, nullptr);
  ForEachPixel(block, a, [&](DibColor& c) {
    const Color pixel = ColorOf(c);
    if (key != kNoColor && pixel == key) return false;
    double lightness = 0.0;
    RgbToHsl(pixel, nullptr, nullptr, &lightness);
    c = WithColor(c, HslToRgb(hue, lightness, saturation));
    return true;
  });
  return true;
}

bool ShiftHsl(DibBlock& block, Color key, Color tolerance, double dHue, double dLightness, double dSaturation,
              const Area* area) {
  if (!HasDirectPixels(block)) return false;
  if (dHue == 0.0 && dLightness == 0.0 && dSaturation == 0.0) return true;
  Area a;
  if (!ClipArea(block, area, &a)) return false;
  ForEachPixel(block, a, [&](DibColor& c) {
    const Color pixel = ColorOf(c);
    if (key != kNoColor && InKeyBox(pixel, key, tolerance)) return false;
    c = WithColor(c, ShiftColorHsl(pixel, dHue, dLightness, dSaturation));
    return true;
  });
  return true;
}

bool ScaleOpacity(DibBlock& block, double delta, const Area* area) {
  if (!HasDirectPixels(block)) return false;
  if (delta == 0.0) return true;
  Area a;
  if (!ClipArea(block, area, &a)) return false;
  ForEachPixel(block, a, [&](DibColor& c) {
    if (c.alpha == 0) return false;  // transparent stays transparent
    double m = c.alpha / 255.0;
    m = delta > 0.0 ? m + delta * (1.0 - m) : m * (1.0 + delta);
    const auto alpha = static_cast<std::uint8_t>(std::clamp(255.0 * m, 0.0, 255.0));
    if (alpha == c.alpha) return false;
    c.alpha = alpha;
    return true;
  });
  return true;
}

bool SetAlphaByColorKey(DibBlock& block, Color key, Color tolerance, std::uint8_t alpha, const Area* area) {
  Area a;
  if (block.Depth() != 32 || !ClipArea(block, area, &a)) return false;
  for (int y = a.top; y < a.bottom; ++y)
    for (int x = a.left; x < a.right; ++x) {
      DibColor c{};
      if (!DibReadPixel(block, x, y, &c) || !InKeyBox(ColorOf(c), key, tolerance)) continue;
      c.alpha = alpha;
      DibWritePixel(block, x, y, c, false, false, false, true);
    }
  return true;
}

bool SetAlphaInRect(DibBlock& block, const Area& area, std::uint8_t alpha, Color transparentColor,
                    Color opaqueColor) {
  Area a;
  if (block.Depth() != 32 || !ClipArea(block, &area, &a)) return false;
  const bool everyPixel = transparentColor == kNoColor && opaqueColor == kNoColor;
  for (int y = a.top; y < a.bottom; ++y)
    for (int x = a.left; x < a.right; ++x) {
      DibColor c{};
      if (!DibReadPixel(block, x, y, &c)) continue;
      const Color pixel = ColorOf(c);
      if (everyPixel)
        c.alpha = alpha;
      else if (pixel == transparentColor)
        c.alpha = 0;
      else if (pixel == opaqueColor)
        c.alpha = 255;
      else
        c.alpha = alpha;
      DibWritePixel(block, x, y, c, false, false, false, true);
    }
  return true;
}

bool SetAlphaOnBorder(DibBlock& block, const Area& outer, const Area& widths, std::uint8_t alpha,
                      Color transparentColor, Color opaqueColor) {
  if (block.Depth() != 32) return false;
  const Area strips[] = {
      {outer.left, outer.top, outer.right, outer.top + widths.top},
      {outer.left, outer.bottom - widths.bottom, outer.right, outer.bottom},
      {outer.left, outer.top + widths.top, outer.left + widths.left, outer.bottom - widths.bottom},
      {outer.right - widths.right, outer.top + widths.top, outer.right, outer.bottom - widths.bottom},
  };
  bool any = false;
  for (const Area& s : strips) any = SetAlphaInRect(block, s, alpha, transparentColor, opaqueColor) || any;
  return any;
}

bool FillRectColor(DibBlock& block, Color color, const Area& area, std::uint8_t alpha) {
  Area a;
  if (!ClipArea(block, &area, &a)) return false;
  const DibColor value = WithColor(DibColor{0, 0, 0, alpha}, color);
  bool any = false;
  for (int y = a.top; y < a.bottom; ++y)
    for (int x = a.left; x < a.right; ++x) any = DibWritePixel(block, x, y, value, true, true, true, true) || any;
  return any;
}

bool FillRectGradient(DibBlock& block, Color c1, Color c2, bool vertical, const Area& area, unsigned steps,
                      std::uint8_t alpha1, std::uint8_t alpha2) {
  Area a;
  if (steps == 0 || !ClipArea(block, &area, &a)) return false;
  steps = std::min(steps, 256u);
  // The geometry and colours of the bands are those of the themes' own gradient fill.
  const std::vector<extpaint::GradientBand> bands =
      vertical ? extpaint::GradientBands(a.top, a.bottom, c1, c2, true, steps, false)
               : extpaint::GradientBands(a.left, a.right, c1, c2, false, steps, false);
  const int n = static_cast<int>(bands.size());
  bool any = false;
  for (int k = 0; k < n; ++k) {
    const auto alpha = static_cast<std::uint8_t>((alpha1 * (n - k) + alpha2 * k) / n);
    const Area band = vertical ? Area{a.left, bands[k].from, a.right, bands[k].to}
                               : Area{bands[k].from, a.top, bands[k].to, a.bottom};
    any = FillRectColor(block, bands[k].color, band, alpha) || any;
  }
  return any;
}

bool Mirror(DibBlock& block, bool horizontal, bool vertical, const Area* area) {
  if (!horizontal && !vertical) return false;
  Area a{0, 0, block.Width(), block.Height()};
  if (area) {
    if (area->left >= 0) a.left = area->left;
    if (area->top > 0) a.top = area->top;
    if (area->right <= block.Width()) a.right = area->right;
    if (area->bottom <= block.Height()) a.bottom = area->bottom;
  }
  if (a.left >= a.right || a.top >= a.bottom) return false;
  if (!HasDirectPixels(block)) return true;  // palette images stay as they are
  if (horizontal)
    for (int i = 0; i < (a.right - a.left) / 2; ++i)
      for (int y = a.top; y < a.bottom; ++y) SwapPixels(block, a.left + i, y, a.right - 1 - i, y);
  if (vertical)
    for (int i = 0; i < (a.bottom - a.top) / 2; ++i)
      for (int x = a.left; x < a.right; ++x) SwapPixels(block, x, a.top + i, x, a.bottom - 1 - i);
  return true;
}

DibPtr RotatedFrames(const DibBlock& source, int angle, int frames, int frameCx, int frameCy, bool sourceAcross,
                     bool resultAcross) {
  if (!HasDirectPixels(source) || frames < 1 || frameCx < 1 || frameCy < 1) return nullptr;
  if (angle != 0 && angle != 90 && angle != 180 && angle != 270 && angle != 360) return nullptr;
  const bool turned = angle == 90 || angle == 270;
  const int w = turned ? frameCy : frameCx;  // result frame
  const int h = turned ? frameCx : frameCy;
  const long long total = static_cast<long long>(frames) * (resultAcross ? w : h);
  if (total > 0x7FFFFFFF) return nullptr;
  DibPtr out = resultAcross ? DibAllocate(static_cast<int>(total), h, source.Depth(), source.Masks(), source.flags)
                            : DibAllocate(w, static_cast<int>(total), source.Depth(), source.Masks(), source.flags);
  if (!out) return nullptr;
  for (int f = 0; f < frames; ++f) {
    const long long sx = sourceAcross ? static_cast<long long>(f) * frameCx : 0;
    const long long sy = sourceAcross ? 0 : static_cast<long long>(f) * frameCy;
    const int rx = resultAcross ? f * w : 0;
    const int ry = resultAcross ? 0 : f * h;
    for (int i = 0; i < frameCy; ++i)
      for (int j = 0; j < frameCx; ++j) {
        if (sx + j > 0x7FFFFFFF || sy + i > 0x7FFFFFFF) continue;
        DibColor c{};
        // Outside the source nothing is read and the result pixel stays zero.
        if (!DibReadPixel(source, static_cast<int>(sx + j), static_cast<int>(sy + i), &c)) continue;
        int tx = j, ty = i;
        switch (angle) {
        case 90:
          tx = w - i - 1;
          ty = j;
          break;
        case 180:
          tx = w - j - 1;
          ty = h - i - 1;
          break;
        case 270:
          tx = i;
          ty = h - j - 1;
          break;
        default:
          break;
        }
        DibWritePixel(*out, rx + tx, ry + ty, c, true, true, true, true);
      }
  }
  return out;
}

}  // namespace dibfx
