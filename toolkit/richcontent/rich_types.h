// Plain value types of the rich content engine. The parser, the tree and the style arithmetic
// use these instead of the Windows ones so that they also build natively (sanitizers, fuzzing);
// the Windows layer converts at its edges (same field order and meaning as the GDI records).
#pragma once

#include <cstdint>
#include <string>

// UTF-16 text, as everywhere in the user interface.
using RichString = std::u16string;

// A COLORREF-like value: 0x00BBGGRR; the engine also stores -1 (none) and -2 (explicitly none).
using RichColor = std::uint32_t;
constexpr RichColor kRichColorNone = static_cast<RichColor>(-1);
constexpr RichColor kRichColorTransparent = static_cast<RichColor>(-2);

constexpr RichColor RichRgb(int r, int g, int b) {
    return static_cast<RichColor>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int RichRed(RichColor c) { return static_cast<int>(c & 0xFF); }
constexpr int RichGreen(RichColor c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int RichBlue(RichColor c) { return static_cast<int>((c >> 16) & 0xFF); }

// RECT-like box: left, top, right, bottom.
struct RichRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    constexpr int Width() const { return right - left; }
    constexpr int Height() const { return bottom - top; }
    void Set(int l, int t, int r, int b) { left = l; top = t; right = r; bottom = b; }
    void SetAll(int v) { left = top = right = bottom = v; }
    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    friend bool operator==(const RichRect&, const RichRect&) = default;
};

struct RichPoint {
    int x = 0, y = 0;
    friend bool operator==(const RichPoint&, const RichPoint&) = default;
};

struct RichSize {
    int cx = 0, cy = 0;
    friend bool operator==(const RichSize&, const RichSize&) = default;
};

// LOGFONTW-like font record (same fields, same order; the face name holds 31 characters and a
// terminating zero).
constexpr int kRichFaceNameSize = 32;
struct RichLogFont {
    std::int32_t lfHeight = 0;
    std::int32_t lfWidth = 0;
    std::int32_t lfEscapement = 0;
    std::int32_t lfOrientation = 0;
    std::int32_t lfWeight = 0;
    std::uint8_t lfItalic = 0;
    std::uint8_t lfUnderline = 0;
    std::uint8_t lfStrikeOut = 0;
    std::uint8_t lfCharSet = 0;
    std::uint8_t lfOutPrecision = 0;
    std::uint8_t lfClipPrecision = 0;
    std::uint8_t lfQuality = 0;
    std::uint8_t lfPitchAndFamily = 0;
    char16_t lfFaceName[kRichFaceNameSize] = {};
};

constexpr std::uint8_t kRichDefaultCharset = 1;  // DEFAULT_CHARSET

// Opaque handles of the drawing layer (an HDC, an HFONT, an HWND on Windows).
using RichDcHandle = void*;
using RichFontHandle = void*;
using RichWindowHandle = void*;
