// The GDI side of the rich content engine (Windows only): LOGFONT conversions, the font of a
// device context, the scoped guards that apply a style while a run or an element is painted,
// and a cache that keeps one GDI font per font description.
#pragma once

#include "framework/afxwin.h"
#include "toolkit/richcontent/rich_win32.h"
#include "toolkit/richcontent/rich_font_description.h"
#include "toolkit/richcontent/rich_style.h"

#include <unordered_map>

class CExtRichContentItem;

// The same wrapped as a temporary framework object.
CGdiObject* GetDCFontObject(CDC* dc);

// Applies a description's font (at an angle, underlined on request) and colours to a device
// context for one text run and restores them when it ends. The font is made for the run and
// deleted after it, or with `shared` taken from the process-wide cache (CExtRichFontCache::Global)
// and left selected: a screen of a long page paints thousands of runs in a few styles, and
// selecting a font costs more than drawing a run. Whoever paints with shared fonts puts the
// device context's own font back when done (CExtRichContentLayout::Paint does).
class RichTextDcGuard {
public:
    RichTextDcGuard(HDC dc, const CExtRichStyleDescription& description, int angle, bool underline,
                    bool shared = false);
    RichTextDcGuard(const RichTextDcGuard&) = delete;
    RichTextDcGuard& operator=(const RichTextDcGuard&) = delete;
    ~RichTextDcGuard();

    const TEXTMETRICW& Metrics() const { return m_tm; }
    HFONT Font() const { return m_font; }

private:
    HDC m_dc;
    HFONT m_font = nullptr;
    bool m_ownFont = false;
    bool m_restoreFont = true;
    HGDIOBJ m_oldFont = nullptr;
    TEXTMETRICW m_tm{};
    int m_oldBkMode = 0;
    COLORREF m_oldBkColor = CLR_INVALID;
    COLORREF m_oldTextColor = CLR_INVALID;
};

// Moves the viewport by a relatively positioned element's offset and back when it ends.
class RichRelativePositionGuard {
public:
    RichRelativePositionGuard(HDC dc, CExtRichContentItem* item, const CExtRichStyleDescription& description);
    RichRelativePositionGuard(const RichRelativePositionGuard&) = delete;
    RichRelativePositionGuard& operator=(const RichRelativePositionGuard&) = delete;
    ~RichRelativePositionGuard();

    POINT Offset() const { return m_offset; }

private:
    HDC m_dc;
    POINT m_offset{0, 0};
};

// Puts a saved background mode back on a device context.
class RichBkModeRestorer {
public:
    explicit RichBkModeRestorer(HDC dc) : m_dc(dc), m_mode(::GetBkMode(dc)) {}
    RichBkModeRestorer(const RichBkModeRestorer&) = delete;
    RichBkModeRestorer& operator=(const RichBkModeRestorer&) = delete;
    ~RichBkModeRestorer() { ::SetBkMode(m_dc, m_mode); }

private:
    HDC m_dc;
    int m_mode;
};

// Deletes an owned GDI object when it ends.
class RichGdiObjectDeleter {
public:
    explicit RichGdiObjectDeleter(HGDIOBJ object) : m_object(object) {}
    RichGdiObjectDeleter(const RichGdiObjectDeleter&) = delete;
    RichGdiObjectDeleter& operator=(const RichGdiObjectDeleter&) = delete;
    ~RichGdiObjectDeleter() {
        if (m_object) ::DeleteObject(m_object);
    }

private:
    HGDIOBJ m_object;
};

// One GDI font per description (and angle and underline): repeated runs in the same style share
// a font instead of creating and deleting one per run. The cache owns its fonts.
class CExtRichFontCache {
public:
    CExtRichFontCache() = default;
    CExtRichFontCache(const CExtRichFontCache&) = delete;
    CExtRichFontCache& operator=(const CExtRichFontCache&) = delete;
    ~CExtRichFontCache() { Clear(); }

    // The font for a description, made on first use; null when the face name is empty.
    HFONT Get(const CExtRichFontDescription& description, int angle = 0, bool underline = false);
    std::size_t GetCount() const { return m_fonts.size(); }
    void Clear();

    // The process-wide cache of the user-interface thread.
    static CExtRichFontCache& Global();

private:
    struct Key {
        CExtRichFontDescription description;
        bool operator==(const Key& other) const { return description == other.description; }
    };
    struct KeyHash {
        std::size_t operator()(const Key& key) const { return key.description.Hash(); }
    };
    std::unordered_map<Key, HFONT, KeyHash> m_fonts;
};
