// Pixel operations on DIB blocks: greying and tinting, recolouring, hue/lightness/saturation
// shifts, opacity scaling, transparent keys and borders, fills and gradients, mirroring and
// rotated frame strips; plus the colour mixing the themes share. No window calls: the bitmap
// class wraps these (its premultiplication and change hooks) and the tests run them natively.
#pragma once

#include <cstdint>

#include "toolkit/foundation/bmp_dib.h"
#include "toolkit/paint/color_math.h"

namespace dibfx {

using Color = extpaint::Color;
constexpr Color kNoColor = 0xFFFFFFFFu;  // "none" for keys and tints (COLORREF -1)

// A rectangle in image coordinates (from the top-left corner), right and bottom exclusive.
struct Area {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

// The area clipped to the image (the whole image for null); false when nothing is left.
bool ClipArea(const DibBlock& block, const Area* area, Area* out);

// Colour arithmetic. Hue, lightness and saturation are 0..1.
Color HslToRgb(double hue, double lightness, double saturation);
void RgbToHsl(Color color, double* hue, double* saturation, double* lightness);
// Each component moved by its delta: towards 1 by that fraction when positive, scaled by
// 1 + delta when negative; held within 0..1 (hue is not wrapped).
Color ShiftColorHsl(Color color, double dHue, double dLightness, double dSaturation);
// Weights below 100 are percent, larger ones per mille; rounded per channel.
Color MixColorsByWeight(Color c1, Color c2, int weight);
// Per channel (c1 x alpha + c2 x (255 - alpha)) / 255, held within 0..255.
Color MixColorsByAlpha(Color c1, Color c2, int alpha);
// Whether the colour lies in the key box: per channel key .. min(255, key + tolerance).
bool InKeyBox(Color color, Color key, Color tolerance);

// Each answers whether it changed the block (false for unsuitable images or areas). Blocks below
// 15 bits are refused by all but the fills and Mirror. The caller un-premultiplies first where
// the bitmap class says so; GrayAndTint, fills and Mirror work on premultiplied blocks as they are.
bool GrayAndTint(DibBlock& block, Color tint, const Area* area);
bool RecolorKeepLightness(DibBlock& block, Color key, Color color, const Area* area);
bool ShiftHsl(DibBlock& block, Color key, Color tolerance, double dHue, double dLightness, double dSaturation,
              const Area* area);
bool ScaleOpacity(DibBlock& block, double delta, const Area* area);
bool SetAlphaByColorKey(DibBlock& block, Color key, Color tolerance, std::uint8_t alpha, const Area* area);
bool SetAlphaInRect(DibBlock& block, const Area& area, std::uint8_t alpha, Color transparentColor,
                    Color opaqueColor);
bool SetAlphaOnBorder(DibBlock& block, const Area& outer, const Area& widths, std::uint8_t alpha,
                      Color transparentColor, Color opaqueColor);
bool FillRectColor(DibBlock& block, Color color, const Area& area, std::uint8_t alpha);
bool FillRectGradient(DibBlock& block, Color c1, Color c2, bool vertical, const Area& area, unsigned steps,
                      std::uint8_t alpha1, std::uint8_t alpha2);
// Mirror answers true (and changes nothing) for palette blocks; false only for a missing flag or
// an empty area.
bool Mirror(DibBlock& block, bool horizontal, bool vertical, const Area* area);
// A strip of `frames` frames of the source, each rotated by 0, 90, 180, 270 or 360 degrees; null
// for unsuitable arguments or when the allocation fails.
DibPtr RotatedFrames(const DibBlock& source, int angle, int frames, int frameCx, int frameCy, bool sourceAcross,
                     bool resultAcross);

}  // namespace dibfx
