// A font key of the rich content engine: a LOGFONT plus a line height. Descriptions compare and
// hash, so equal descriptions share one GDI font in a cache; on Windows a description creates
// its font and reads itself from a font or a device context.
#pragma once

#include "toolkit/richcontent/rich_types.h"

#include <cstddef>
#include <string_view>

#ifdef _WIN32
class CFont;
class CDC;
#endif

class alignas(8) CExtRichFontDescription {
public:
    CExtRichFontDescription();
    CExtRichFontDescription(const CExtRichFontDescription& other) = default;
    virtual ~CExtRichFontDescription() = default;

    // Three-way comparison: face name first, then the metrics, the line height, the flags and
    // the remaining LOGFONT bytes (italic, underline and strike-out as booleans, false first).
    virtual int Compare(const CExtRichFontDescription& other) const;
    CExtRichFontDescription& operator=(const CExtRichFontDescription& other);
    bool operator==(const CExtRichFontDescription& other) const { return Compare(other) == 0; }
    bool operator<(const CExtRichFontDescription& other) const { return Compare(other) < 0; }
    // Consistent with Compare: equal descriptions hash alike.
    std::size_t Hash() const;

    // Copies a face name; a name of 32 characters or more is cut to the 31 a LOGFONT holds.
    void SetFaceName(std::u16string_view name);
    std::u16string_view GetFaceName() const;

    // The LOGFONT that CreateFont uses for an angle (0, 90, 180, 270) and an underline request.
    RichLogFont LogFontFor(int angle, bool underline) const;

#ifdef _WIN32
    // GDI side (defined with the Windows code).
    // Null clears nothing and reads the default GUI font's record in place of a font.
    void FromFont(CFont* font);
    // A new font the caller owns (an HFONT), or null when the face name is empty.
    RichFontHandle CreateFont(int angle, bool underline) const;
    void FromHFont(RichFontHandle font);
    void FromDefaultGuiFont();
    void FromDC(RichDcHandle dc);
    void FromDC(CDC* dc);
#endif

    RichLogFont m_lf;
    int m_nLineHeight = -1;             // pixels, -1 normal
    double m_dLineHeightFactor = 1.0;   // multiple of the font height, 1.0 normal
};

struct RichFontDescriptionHash {
    std::size_t operator()(const CExtRichFontDescription& d) const { return d.Hash(); }
};
