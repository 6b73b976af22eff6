// Win32 pieces of the rich content engine that need no framework: LOGFONT conversions, the font
// of a device context and the GDI platform. They sit with the portable code in Windows builds
// because the portable code reaches the platform through them.
#include "toolkit/richcontent/rich_win32.h"

#include <cstring>
#include <string>
#include <unordered_map>
#include <utility>

LOGFONTW RichToLogFont(const RichLogFont& lf) {
    LOGFONTW out{};
    out.lfHeight = lf.lfHeight;
    out.lfWidth = lf.lfWidth;
    out.lfEscapement = lf.lfEscapement;
    out.lfOrientation = lf.lfOrientation;
    out.lfWeight = lf.lfWeight;
    out.lfItalic = lf.lfItalic;
    out.lfUnderline = lf.lfUnderline;
    out.lfStrikeOut = lf.lfStrikeOut;
    out.lfCharSet = lf.lfCharSet;
    out.lfOutPrecision = lf.lfOutPrecision;
    out.lfClipPrecision = lf.lfClipPrecision;
    out.lfQuality = lf.lfQuality;
    out.lfPitchAndFamily = lf.lfPitchAndFamily;
    static_assert(sizeof out.lfFaceName == sizeof lf.lfFaceName);
    std::memcpy(out.lfFaceName, lf.lfFaceName, sizeof out.lfFaceName);
    out.lfFaceName[LF_FACESIZE - 1] = 0;
    return out;
}

RichLogFont RichFromLogFont(const LOGFONTW& lf) {
    RichLogFont out;
    out.lfHeight = lf.lfHeight;
    out.lfWidth = lf.lfWidth;
    out.lfEscapement = lf.lfEscapement;
    out.lfOrientation = lf.lfOrientation;
    out.lfWeight = lf.lfWeight;
    out.lfItalic = lf.lfItalic;
    out.lfUnderline = lf.lfUnderline;
    out.lfStrikeOut = lf.lfStrikeOut;
    out.lfCharSet = lf.lfCharSet;
    out.lfOutPrecision = lf.lfOutPrecision;
    out.lfClipPrecision = lf.lfClipPrecision;
    out.lfQuality = lf.lfQuality;
    out.lfPitchAndFamily = lf.lfPitchAndFamily;
    std::memcpy(out.lfFaceName, lf.lfFaceName, sizeof out.lfFaceName);
    out.lfFaceName[kRichFaceNameSize - 1] = 0;
    return out;
}

HFONT GetDCFont(HDC dc) {
    static const HFONT stock = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    if (!dc) return stock;
    if (HFONT current = static_cast<HFONT>(::GetCurrentObject(dc, OBJ_FONT))) return current;
    // Systems without the current-object query: swap the stock font in and back out.
    HFONT previous = static_cast<HFONT>(::SelectObject(dc, stock));
    if (previous) ::SelectObject(dc, previous);
    return previous ? previous : stock;
}

#include "toolkit/richcontent/rich_platform.h"

namespace {

class CGdiPlatform final : public CExtRichPlatform {
public:
    // Read once, as the paint-manager holder does.
    int DpiX() const override {
        static const int dpi = ScreenCaps(LOGPIXELSX);
        return dpi;
    }
    int DpiY() const override {
        static const int dpi = ScreenCaps(LOGPIXELSY);
        return dpi;
    }
    RichColor SysColor(int index) const override { return ::GetSysColor(index); }
    int ScrollBarHeight() const override { return ::GetSystemMetrics(SM_CYHSCROLL); }
    int ScrollBarWidth() const override { return ::GetSystemMetrics(SM_CXVSCROLL); }
    int ScrollBarArrowLength(bool horizontal) const override {
        return ::GetSystemMetrics(horizontal ? SM_CXHSCROLL : SM_CYVSCROLL);
    }
    void InvalidateWindow(RichWindowHandle host) const override {
        HWND hwnd = static_cast<HWND>(host);
        if (hwnd && ::IsWindow(hwnd)) ::InvalidateRect(hwnd, nullptr, TRUE);
    }
    RichSize MeasureText(RichDcHandle dc, const char16_t* text, int length) const override {
        SIZE size{};
        if (!dc || !text || length <= 0 ||
            !::GetTextExtentPoint32W(static_cast<HDC>(dc), reinterpret_cast<const wchar_t*>(text), length, &size))
            return {};
        return RichSize{size.cx, size.cy};
    }
    void* SelectFont(RichDcHandle dc, const RichLogFont& font, RichTextMetrics& metrics) const override {
        metrics = RichTextMetrics{};
        if (!dc) return nullptr;
        HDC hdc = static_cast<HDC>(dc);
        HFONT handle = CachedFont(font);
        HGDIOBJ previous = handle ? ::SelectObject(hdc, handle) : nullptr;
        // Metrics belong to the font: read once per cached font, not once per run.
        static std::unordered_map<HFONT, RichTextMetrics> known;
        auto found = handle ? known.find(handle) : known.end();
        if (found != known.end()) {
            metrics = found->second;
            return previous;
        }
        TEXTMETRICW tm{};
        if (::GetTextMetricsW(hdc, &tm)) {
            metrics.height = tm.tmHeight;
            metrics.ascent = tm.tmAscent;
            metrics.externalLeading = tm.tmExternalLeading;
            if (handle && ::GetDeviceCaps(hdc, TECHNOLOGY) == DT_RASDISPLAY) known.emplace(handle, metrics);
        }
        return previous;
    }
    void RestoreFont(RichDcHandle dc, void* previous) const override {
        if (dc && previous) ::SelectObject(static_cast<HDC>(dc), static_cast<HGDIOBJ>(previous));
    }
    RichLogFont DcFont(RichDcHandle dc) const override {
        LOGFONTW lf{};
        ::GetObjectW(GetDCFont(static_cast<HDC>(dc)), sizeof lf, &lf);
        return RichFromLogFont(lf);
    }
    RichString NormalFontFace() const override {
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof metrics;
        if (!::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return u"Tahoma";
        return RichString(reinterpret_cast<const char16_t*>(metrics.lfMenuFont.lfFaceName));
    }

private:
    // One font per LOGFONT for the life of the process: a document selects the same few fonts
    // for thousands of runs.
    static HFONT CachedFont(const RichLogFont& font) {
        static std::unordered_map<std::string, HFONT> cache;
        std::string key(reinterpret_cast<const char*>(&font), sizeof font);
        auto found = cache.find(key);
        if (found != cache.end()) return found->second;
        const LOGFONTW lf = RichToLogFont(font);
        HFONT handle = ::CreateFontIndirectW(&lf);
        if (handle) cache.emplace(std::move(key), handle);
        return handle;
    }
    static int ScreenCaps(int index) {
        HDC screen = ::GetDC(nullptr);
        const int value = screen ? ::GetDeviceCaps(screen, index) : 96;
        if (screen) ::ReleaseDC(nullptr, screen);
        return value > 0 ? value : 96;
    }
};

}  // namespace

CExtRichPlatform& RichDefaultPlatform() {
    static CGdiPlatform g_platform;
    return g_platform;
}
