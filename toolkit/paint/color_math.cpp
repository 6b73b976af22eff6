#include "toolkit/paint/color_math.h"

#include <algorithm>
#include <cstdlib>

namespace extpaint {

namespace {

double HueToChannel(double m1, double m2, double h) {
  if (h < 0.0) h += 1.0;
  else if (h > 1.0) h -= 1.0;
  if (6.0 * h < 1.0) return m1 + (m2 - m1) * 6.0 * h;
  if (2.0 * h < 1.0) return m2;
  if (3.0 * h < 2.0) return m1 + (m2 - m1) * (2.0 / 3.0 - h) * 6.0;
  return m1;
}

int ChannelByte(double v) { return static_cast<int>(v * 255.0) & 0xFF; }

double Shift(double v, double d) {
  if (d > 0.0) v += d * (1.0 - v);
  else if (d < 0.0) v *= (1.0 + d);
  return std::clamp(v, 0.0, 1.0);
}

}  // namespace

Hls RgbToHls(Color color) {
  const double r = Red(color) / 255.0, g = Green(color) / 255.0, b = Blue(color) / 255.0;
  const double mx = std::max({r, g, b}), mn = std::min({r, g, b});
  Hls out;
  out.lightness = (mx + mn) / 2.0;
  if (mx == mn) return out;
  const double d = mx - mn;
  out.saturation = out.lightness < 0.5 ? d / (mx + mn) : d / (2.0 - mx - mn);
  double h;
  if (r == mx) h = (g - b) / d;
  else if (g == mx) h = 2.0 + (b - r) / d;
  else h = 4.0 + (r - g) / d;
  h /= 6.0;
  if (h < 0.0) h += 1.0;
  out.hue = h;
  return out;
}

Color ColorFromHls(double hue, double lightness, double saturation) {
  if (saturation == 0.0) {
    const int v = ChannelByte(lightness);
    return Rgb(v, v, v);
  }
  const double m2 = lightness <= 0.5 ? lightness * (1.0 + saturation) : lightness + saturation - lightness * saturation;
  const double m1 = 2.0 * lightness - m2;
  return Rgb(ChannelByte(HueToChannel(m1, m2, hue + 1.0 / 3.0)), ChannelByte(HueToChannel(m1, m2, hue)),
             ChannelByte(HueToChannel(m1, m2, hue - 1.0 / 3.0)));
}

Color AdjustColorHls(Color color, double hueChange, double lightnessChange, double saturationChange) {
  const Hls hls = RgbToHls(color);
  return ColorFromHls(Shift(hls.hue, hueChange), Shift(hls.lightness, lightnessChange),
                      Shift(hls.saturation, saturationChange));
}

Color MixColors(Color c1, Color c2, int alpha) {
  auto mix = [alpha](int a, int b) { return std::clamp((a * alpha + b * (255 - alpha)) / 255, 0, 255); };
  return Rgb(mix(Red(c1), Red(c2)), mix(Green(c1), Green(c2)), mix(Blue(c1), Blue(c2)));
}

int MulDivRound(int a, int b, int c) {
  if (c == 0) return -1;
  const long long p = static_cast<long long>(a) * b;
  long long q = (std::llabs(p) + std::llabs(static_cast<long long>(c)) / 2) / std::llabs(static_cast<long long>(c));
  if ((p < 0) != (c < 0)) q = -q;
  return static_cast<int>(q);
}

Color MixFifths(Color a, Color b, int k) {
  auto mix = [k](int x, int y) { return x + MulDivRound(y - x, k, 5); };
  return Rgb(mix(Red(a), Red(b)), mix(Green(a), Green(b)), mix(Blue(a), Blue(b)));
}

Color MixHalf(Color a, Color b) {
  auto mix = [](int x, int y) { return x + (y - x) / 2; };
  return Rgb(mix(Red(a), Red(b)), mix(Green(a), Green(b)), mix(Blue(a), Blue(b)));
}

std::vector<GradientBand> GradientBands(int start, int end, Color first, Color second, bool vertical,
                                        unsigned steps, bool lowColor) {
  std::vector<GradientBand> bands;
  const int length = end - start;
  if (length <= 0) return bands;
  int n = static_cast<int>(std::min<unsigned>(steps, static_cast<unsigned>(length)));
  if (lowColor && n > 0 && length / n < 4) n = length / 4;
  if (n <= 0) return bands;
  bands.reserve(static_cast<std::size_t>(n));
  int edge = vertical ? end : start;
  for (int k = 0; k < n; ++k) {
    auto ch = [&](int f, int s) { return (f * (n - k) + s * k) / n; };
    GradientBand band;
    band.color = Rgb(ch(Red(first), Red(second)), ch(Green(first), Green(second)), ch(Blue(first), Blue(second)));
    const bool last = k == n - 1;
    if (!vertical) {
      band.from = edge;
      band.to = last ? end : start + MulDivRound(k, length, n) + 1;
      edge = band.to;
    } else {
      band.to = edge;
      band.from = last ? start : end - MulDivRound(k, length, n) - 1;
      edge = band.from;
    }
    bands.push_back(band);
  }
  return bands;
}

Color PatternPixel(int x, int y, Color a, Color b, int xMask, int yMask, int xLineMask, int yLineMask, Color c) {
  if ((x & xLineMask) != 0 || (y & yLineMask) != 0) return c;
  const bool xs = (x & xMask) != 0, ys = (y & yMask) != 0;
  return xs == ys ? a : b;
}

Color PaletteEntry(int index) {
  const int r = index / 36, g = (index / 6) % 6, b = index % 6;
  return Rgb(255 * r / 6, 51 * g, 51 * b);
}

}  // namespace extpaint
