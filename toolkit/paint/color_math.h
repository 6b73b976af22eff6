// Colour arithmetic shared by every theme: hue/lightness/saturation conversions, mixing,
// gradient bands, half-tone patterns and the 252-colour palette. No window calls, so the
// same code serves the CSS parser and builds natively.
#pragma once

#include <cstdint>
#include <vector>

namespace extpaint {

// A COLORREF: red in the low byte, then green, then blue; the high byte is 0.
using Color = std::uint32_t;

constexpr Color Rgb(int r, int g, int b) {
  return static_cast<Color>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int Red(Color c) { return static_cast<int>(c & 0xFF); }
constexpr int Green(Color c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int Blue(Color c) { return static_cast<int>((c >> 16) & 0xFF); }

// Hue, lightness and saturation, each 0..1; grey gives hue and saturation 0.
struct Hls {
  double hue = 0.0;
  double lightness = 0.0;
  double saturation = 0.0;
};
Hls RgbToHls(Color color);
// The colour of (hue, lightness, saturation); arguments in that order, each 0..1.
Color ColorFromHls(double hue, double lightness, double saturation);
// Each component moved by its change (-1..1): towards 1 by that fraction of the distance when
// positive, scaled by 1 + change when negative; held within 0..1.
Color AdjustColorHls(Color color, double hueChange, double lightnessChange, double saturationChange);
// Per channel (c1 x alpha + c2 x (255 - alpha)) / 255, held within 0..255.
Color MixColors(Color c1, Color c2, int alpha);
// Per channel a + MulDiv(b - a, k, 5): the helper-brush mixes by fifths.
Color MixFifths(Color a, Color b, int k);
// Per channel a + (b - a) / 2, the signed difference halved by truncation.
Color MixHalf(Color a, Color b);

// Rounded a x b / c as the system's MulDiv computes it (-1 when c is 0).
int MulDivRound(int a, int b, int c);

// Two-colour gradient drawn in bands (used where the system gradient fill is missing).
struct GradientBand {
  int from = 0;  // first pixel along the gradient axis (left, or top for vertical)
  int to = 0;    // one past the last pixel
  Color color = 0;
};
// Bands of a gradient over [start, end) along one axis: `steps` bands at most, never more
// than the length; on palette screens (lowColor) each band at least 4 pixels long. Horizontal
// bands run from the start with the first colour; vertical ones run upward from the end, so the
// first colour lies at the bottom edge.
std::vector<GradientBand> GradientBands(int start, int end, Color first, Color second, bool vertical,
                                        unsigned steps, bool lowColor);

// The colour of pixel (x, y) in the 16x16 half-tone pattern of the given masks.
Color PatternPixel(int x, int y, Color a, Color b, int xMask, int yMask, int xLineMask, int yLineMask,
                   Color c);

// Palette entry i (0..251): red level outermost (7 levels), then green and blue (6 levels each).
Color PaletteEntry(int index);

}  // namespace extpaint
