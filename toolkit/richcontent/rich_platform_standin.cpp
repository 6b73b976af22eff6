// The platform of native builds: 96 dots per inch, the classic Windows colour scheme and a
// fixed-pitch font 8 pixels wide and 16 high, so layouts are predictable in tests.
#include "toolkit/richcontent/rich_platform.h"

namespace {

class CStandInPlatform final : public CExtRichPlatform {
public:
    int DpiX() const override { return 96; }
    int DpiY() const override { return 96; }
    RichColor SysColor(int index) const override {
        static const RichColor kClassic[] = {
            RichRgb(212, 208, 200), RichRgb(58, 110, 165),  RichRgb(10, 36, 106),   RichRgb(128, 128, 128),
            RichRgb(212, 208, 200), RichRgb(255, 255, 255), RichRgb(0, 0, 0),       RichRgb(0, 0, 0),
            RichRgb(0, 0, 0),       RichRgb(255, 255, 255), RichRgb(212, 208, 200), RichRgb(212, 208, 200),
            RichRgb(128, 128, 128), RichRgb(10, 36, 106),   RichRgb(255, 255, 255), RichRgb(212, 208, 200),
            RichRgb(128, 128, 128), RichRgb(128, 128, 128), RichRgb(0, 0, 0),       RichRgb(212, 208, 200),
            RichRgb(255, 255, 255), RichRgb(64, 64, 64),    RichRgb(212, 208, 200), RichRgb(0, 0, 0),
            RichRgb(255, 255, 225)};
        return index >= 0 && index < static_cast<int>(sizeof kClassic / sizeof kClassic[0]) ? kClassic[index] : 0;
    }
    int ScrollBarHeight() const override { return 17; }
    int ScrollBarWidth() const override { return 17; }
    RichSize MeasureText(RichDcHandle dc, const char16_t* text, int length) const override {
        if (!dc || !text || length <= 0) return {};
        return RichSize{8 * length, 16};
    }
    RichLogFont DcFont(RichDcHandle) const override {
        RichLogFont lf;
        lf.lfHeight = -13;
        lf.lfWeight = 400;
        lf.lfCharSet = kRichDefaultCharset;
        const char16_t face[] = u"Tahoma";
        for (int i = 0; face[i]; ++i) lf.lfFaceName[i] = face[i];
        return lf;
    }
    RichString NormalFontFace() const override { return u"Tahoma"; }
};

}  // namespace

CExtRichPlatform& RichDefaultPlatform() {
    static CStandInPlatform g_platform;
    return g_platform;
}
