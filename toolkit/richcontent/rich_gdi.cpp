#include "toolkit/richcontent/rich_gdi.h"

#include "toolkit/richcontent/rich_item.h"

#include <cstring>

// ---- font descriptions on GDI ----

RichFontHandle CExtRichFontDescription::CreateFont(int angle, bool underline) const {
    if (GetFaceName().empty()) return nullptr;
    const LOGFONTW lf = RichToLogFont(LogFontFor(angle, underline));
    return ::CreateFontIndirectW(&lf);
}

void CExtRichFontDescription::FromHFont(RichFontHandle font) {
    LOGFONTW lf{};
    ::GetObjectW(static_cast<HFONT>(font), sizeof lf, &lf);
    m_lf = RichFromLogFont(lf);
    m_lf.lfCharSet = DEFAULT_CHARSET;
}

void CExtRichFontDescription::FromFont(CFont* font) {
    FromHFont(font ? static_cast<HFONT>(font->GetSafeHandle()) : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)));
}

void CExtRichFontDescription::FromDefaultGuiFont() { FromHFont(::GetStockObject(DEFAULT_GUI_FONT)); }

void CExtRichFontDescription::FromDC(RichDcHandle dc) {
    if (dc)
        FromHFont(GetDCFont(static_cast<HDC>(dc)));
    else
        FromDefaultGuiFont();
}

void CExtRichFontDescription::FromDC(CDC* dc) { FromDC(dc ? static_cast<RichDcHandle>(dc->GetSafeHdc()) : nullptr); }

CGdiObject* GetDCFontObject(CDC* dc) { return CGdiObject::FromHandle(GetDCFont(dc ? dc->GetSafeHdc() : nullptr)); }

// ---- guards ----

RichTextDcGuard::RichTextDcGuard(HDC dc, const CExtRichStyleDescription& d, int angle, bool underline, bool shared)
    : m_dc(dc) {
    if (shared) {
        m_font = CExtRichFontCache::Global().Get(d.m_font, angle, underline);
        m_restoreFont = false;
        if (m_font && ::GetCurrentObject(dc, OBJ_FONT) != m_font) ::SelectObject(dc, m_font);
    } else {
        m_font = static_cast<HFONT>(d.CreateFont(angle, underline));
        m_ownFont = m_font != nullptr;
        if (m_font) m_oldFont = ::SelectObject(dc, m_font);
    }
    ::GetTextMetricsW(dc, &m_tm);
    m_oldBkMode = ::GetBkMode(dc);
    if (d.m_nBackgroundColorMode == 1 && d.m_clrBackground != kRichColorNone &&
        d.m_clrBackground != kRichColorTransparent) {
        m_oldBkColor = ::SetBkColor(dc, d.m_clrBackground);
        ::SetBkMode(dc, OPAQUE);
    } else {
        ::SetBkMode(dc, TRANSPARENT);
    }
    if (d.m_clrText != kRichColorNone) m_oldTextColor = ::SetTextColor(dc, d.m_clrText);
}

RichTextDcGuard::~RichTextDcGuard() {
    ::SetBkMode(m_dc, m_oldBkMode);
    if (m_oldTextColor != CLR_INVALID) ::SetTextColor(m_dc, m_oldTextColor);
    if (m_oldBkColor != CLR_INVALID) ::SetBkColor(m_dc, m_oldBkColor);
    if (m_font && m_restoreFont) ::SelectObject(m_dc, m_oldFont);
    if (m_ownFont) ::DeleteObject(m_font);
}

RichRelativePositionGuard::RichRelativePositionGuard(HDC dc, CExtRichContentItem* item,
                                                     const CExtRichStyleDescription& d)
    : m_dc(dc) {
    if (!item || !item->IsElementOrRoot() || item->GetEffectivePosition() != RichCode::PositionRelative) return;
    int left = d.m_rcPosition.left;
    int top = d.m_rcPosition.top;
    CExtRichContentItem* parent = item->m_pParent;
    if (parent && parent->IsElementOrRoot()) {
        const RichRect& box = parent->m_rcItem;
        if (d.m_rcPositionPercent.left != kRichUnsetPixels)
            left = ::MulDiv(box.Width(), d.m_rcPositionPercent.left, 100) + box.left;
        if (d.m_rcPositionPercent.top != kRichUnsetPixels)
            top = ::MulDiv(box.Height(), d.m_rcPositionPercent.top, 100) + box.top;
    }
    if (left == kRichUnsetPixels) left = 0;
    if (top == kRichUnsetPixels) top = 0;
    m_offset = POINT{left, top};
    if (left || top) ::OffsetViewportOrgEx(dc, left, top, nullptr);
}

RichRelativePositionGuard::~RichRelativePositionGuard() {
    if (m_offset.x || m_offset.y) ::OffsetViewportOrgEx(m_dc, -m_offset.x, -m_offset.y, nullptr);
}

// ---- font cache ----

HFONT CExtRichFontCache::Get(const CExtRichFontDescription& description, int angle, bool underline) {
    // The key is the description as the font will be made, so angle and underline are part of it.
    Key key{description};
    key.description.m_lf = description.LogFontFor(angle, underline);
    auto it = m_fonts.find(key);
    if (it != m_fonts.end()) return it->second;
    HFONT font = static_cast<HFONT>(key.description.CreateFont(0, false));
    if (font) m_fonts.emplace(std::move(key), font);
    return font;
}

void CExtRichFontCache::Clear() {
    for (auto& [key, font] : m_fonts) ::DeleteObject(font);
    m_fonts.clear();
}

CExtRichFontCache& CExtRichFontCache::Global() {
    static CExtRichFontCache g_cache;
    return g_cache;
}
