// Hue, lightness and saturation to a colour, for the hsl() notation. The paint managers' colour
// arithmetic has the same conversion; the engine keeps this one call site.
#include "toolkit/richcontent/rich_css_tables.h"

#include <cmath>

namespace {

// `sector` is the hue in sixths of the circle, so whole-degree hues stay exact.
double HueToChannel(double m1, double m2, double sector) {
    if (sector < 0.0) sector += 6.0;
    if (sector >= 6.0) sector -= 6.0;
    if (sector < 1.0) return m1 + (m2 - m1) * sector;
    if (sector < 3.0) return m2;
    if (sector < 4.0) return m1 + (m2 - m1) * (4.0 - sector);
    return m1;
}

int ToByte(double v) {
    const int b = static_cast<int>(std::lround(v * 255.0));
    return b < 0 ? 0 : (b > 255 ? 255 : b);
}

}  // namespace

RichColor RichColorFromHls(double hue, double lightness, double saturation) {
    if (saturation <= 0.0) {
        const int grey = ToByte(lightness);
        return RichRgb(grey, grey, grey);
    }
    const double m2 = lightness <= 0.5 ? lightness * (1.0 + saturation) : lightness + saturation - lightness * saturation;
    const double m1 = 2.0 * lightness - m2;
    const double sector = hue * 6.0;
    return RichRgb(ToByte(HueToChannel(m1, m2, sector + 2.0)), ToByte(HueToChannel(m1, m2, sector)),
                   ToByte(HueToChannel(m1, m2, sector - 2.0)));
}
