// What the rich content engine asks of the system: screen resolution, system colours and
// metrics, the font of a device context and plain text measuring. Windows builds answer through
// GDI; native builds (tests, fuzzing) use a fixed stand-in. A test may install its own.
#pragma once

#include "toolkit/richcontent/rich_types.h"

// The TEXTMETRIC values the measuring pass reads of a run's font.
struct RichTextMetrics {
    int height = 0;           // tmHeight
    int ascent = 0;           // tmAscent
    int externalLeading = 0;  // tmExternalLeading
};

class CExtRichPlatform {
public:
    virtual ~CExtRichPlatform() = default;

    // Screen dots per inch along x and along y.
    virtual int DpiX() const = 0;
    virtual int DpiY() const = 0;
    // GetSysColor of a COLOR_* index.
    virtual RichColor SysColor(int index) const = 0;
    // SM_CYHSCROLL and SM_CXVSCROLL.
    virtual int ScrollBarHeight() const = 0;
    virtual int ScrollBarWidth() const = 0;
    // Extent of a text in the font selected into the device context (GetTextExtentPoint32).
    virtual RichSize MeasureText(RichDcHandle dc, const char16_t* text, int length) const = 0;
    // The LOGFONT of the font selected into a device context (the default GUI font without one).
    virtual RichLogFont DcFont(RichDcHandle dc) const = 0;
    // Face name of the user-interface font ("caption", "menu", ... in CSS).
    virtual RichString NormalFontFace() const = 0;
    // Arrow-button length of a scroll bar: SM_CXHSCROLL (horizontal) or SM_CYVSCROLL.
    virtual int ScrollBarArrowLength(bool horizontal) const {
        return horizontal ? ScrollBarHeight() : ScrollBarWidth();
    }
    // Selects a font made from the record into the device context (later MeasureText calls
    // measure in it) and reads its metrics. The answer is the previous font, for RestoreFont.
    virtual void* SelectFont(RichDcHandle dc, const RichLogFont& font, RichTextMetrics& metrics) const {
        (void)font;
        const RichSize cell = MeasureText(dc, u"X", 1);
        metrics.height = cell.cy;
        metrics.ascent = cell.cy * 13 / 16;
        metrics.externalLeading = 0;
        return nullptr;
    }
    virtual void RestoreFont(RichDcHandle /*dc*/, void* /*previous*/) const {}
    // Invalidates (and erases) the whole of a host window; nothing for a handle that is no window.
    virtual void InvalidateWindow(RichWindowHandle /*host*/) const {}
};

// The platform in use: the one installed, else the build's own.
CExtRichPlatform& RichPlatform();
// Installs a platform (not owned); null goes back to the build's own. Returns the previous one.
CExtRichPlatform* RichSetPlatform(CExtRichPlatform* platform);
// The build's own platform: GDI on Windows, the stand-in elsewhere.
CExtRichPlatform& RichDefaultPlatform();

// System colour indexes the engine names.
namespace RichSysColor {
enum : int {
    Scrollbar = 0, Background = 1, ActiveCaption = 2, InactiveCaption = 3, Menu = 4, Window = 5,
    WindowFrame = 6, MenuText = 7, WindowText = 8, CaptionText = 9, ActiveBorder = 10, InactiveBorder = 11,
    AppWorkspace = 12, Highlight = 13, HighlightText = 14, BtnFace = 15, BtnShadow = 16, GrayText = 17,
    BtnText = 18, InactiveCaptionText = 19, BtnHighlight = 20, DkShadow3D = 21, Light3D = 22, InfoText = 23,
    InfoBk = 24,
};
}
