// The platform of native builds: 96 dots per inch, the classic Windows colour scheme and a
// fixed-pitch font whose cells follow the selected font's height: the default 13-pixel font is
// 8 pixels wide and 16 high (ascent 13, no external leading), so layouts are predictable in tests.
#include "toolkit/richcontent/rich_platform.h"

#include <cstdint>

namespace {

// The height of the font last selected (per thread, as a device context belongs to its thread).
thread_local int t_fontHeight = 13;

int CellWidth(int height) { return height > 0 ? (height * 8 + 6) / 13 : 8; }

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
        return RichSize{CellWidth(t_fontHeight) * length, t_fontHeight + 3};
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
    void* SelectFont(RichDcHandle, const RichLogFont& font, RichTextMetrics& metrics) const override {
        const int previous = t_fontHeight;
        t_fontHeight = font.lfHeight < 0 ? -font.lfHeight : (font.lfHeight > 0 ? font.lfHeight : 13);
        metrics.height = t_fontHeight + 3;
        metrics.ascent = t_fontHeight;
        metrics.externalLeading = 0;
        return reinterpret_cast<void*>(static_cast<std::intptr_t>(previous));
    }
    void RestoreFont(RichDcHandle, void* previous) const override {
        t_fontHeight = static_cast<int>(reinterpret_cast<std::intptr_t>(previous));
    }
};

}  // namespace

CExtRichPlatform& RichDefaultPlatform() {
    static CStandInPlatform g_platform;
    return g_platform;
}
