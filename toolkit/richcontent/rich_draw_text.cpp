// The toolkit's text-drawing entry: DrawText's conventions over the rich content engine. A
// caption becomes a small document (plain: one paragraph of runs; HTML: the parsed tree), is
// laid out in the rectangle, placed as the DT_* flags say and painted, or only measured.
#include "toolkit/richcontent/rich_draw_text.h"

#include "toolkit/bars/memory_dc.h"
#include "toolkit/richcontent/rich_bidi.h"
#include "toolkit/richcontent/rich_geometry.h"
#include "toolkit/richcontent/rich_layout.h"
#include "toolkit/richcontent/rich_platform.h"

#include <algorithm>
#include <cwchar>
#include <string>

namespace {

constexpr UINT kAnyEllipsis = DT_PATH_ELLIPSIS | DT_END_ELLIPSIS | DT_WORD_ELLIPSIS;

const char16_t* U16(const wchar_t* text) { return reinterpret_cast<const char16_t*>(text); }
const wchar_t* W(const char16_t* text) { return reinterpret_cast<const wchar_t*>(text); }
RichRect ToRich(const RECT& r) { return RichRect{r.left, r.top, r.right, r.bottom}; }
RECT ToRect(const RichRect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }
bool IsEmptyBox(const RichRect& r) { return r.left >= r.right || r.top >= r.bottom; }
bool IsBreak(CExtRichContentItem* item) { return item->IsElement() && item->GetTagName() == u"br"; }

// The call arguments every path stores in its document for the run painter.
struct DrawArgs {
    int angle;
    HDC dc;
    RECT* rect;
    UINT flags;
    UINT extra;
    HWND themeWindow;
    const wchar_t* themeClasses;
    DWORD themeOpenFlags;
    int part, state;
    const DTTOPTS* themeOptions;
    const RICHTEXT_DRAWSTATE_DATA* drawState;

    void Store(CExtRichContentLayout& doc) const {
        doc.m_nAngle = angle;
        doc.m_bCaptionDocument = true;
        doc.m_nDrawTextFlags = static_cast<int>(flags);
        doc.m_nExtraFlags = static_cast<int>(extra);
        doc.m_hWndTheme = themeWindow;
        doc.m_strThemeClassList = themeClasses && *themeClasses ? U16(themeClasses) : nullptr;
        doc.m_nThemeOpenFlags = static_cast<int>(themeOpenFlags);
        doc.m_nPartID = part;
        doc.m_nStateID = state;
        doc.m_pThemeTextOptions = const_cast<DTTOPTS*>(themeOptions);
        doc.m_pDrawStateData = const_cast<RICHTEXT_DRAWSTATE_DATA*>(drawState);
    }
};

// The rectangle a call works in: the given one (an empty extent opened to 0x7fff), else the
// device context's clip box.
RichRect WorkingRect(HDC dc, const RECT* rect) {
    RECT r{};
    if (rect) r = *rect;
    else ::GetClipBox(dc, &r);
    if (r.right - r.left < 1) r.right = r.left + 0x7fff;
    if (r.bottom - r.top < 1) r.bottom = r.top + 0x7fff;
    return ToRich(r);
}

// The rectangle a call draws into: the caller's, else the device context's clip box (kept in
// *clipBox).
RECT* TargetOrClipBox(HDC dc, RECT* rect, RECT* clipBox) {
    if (rect) return rect;
    ::GetClipBox(dc, clipBox);
    return clipBox;
}

// Repeats a call on an off-screen copy of the visible part of the working rectangle, so that
// everything it draws is clipped to that rectangle. The surface never exceeds the device
// context's clip box: an opened-up empty rectangle does not ask for a 32,767-pixel bitmap.
// The repeated call gets the working rectangle and the flags with DT_NOCLIP (and DT_CALCRECT
// when nothing shows).
template <typename Redraw>
int OffscreenPass(HDC dc, const RichRect& working, UINT flags, Redraw redraw) {
    auto inner = [&](HDC target, bool measureOnly) {
        RECT rect = ToRect(working);
        return redraw(target, &rect, flags | DT_NOCLIP | (measureOnly ? DT_CALCRECT : 0));
    };
    RECT clip{};
    const int clipKind = ::GetClipBox(dc, &clip);
    RECT area = ToRect(working);
    if (clipKind != ERROR && clipKind != NULLREGION) ::IntersectRect(&area, &area, &clip);
    else if (clipKind == NULLREGION) ::SetRectEmpty(&area);
    if (::IsRectEmpty(&area)) {
        // Nothing shows: measure only, so the answer stays the same.
        return inner(dc, true);
    }
    CExtMemoryDC surface(CDC::FromHandle(dc), &area, CExtMemoryDC::ToMemory | CExtMemoryDC::CopyTarget);
    HDC s = surface.GetSafeHdc();
    const int oldMode = ::SetBkMode(s, ::GetBkMode(dc));
    const COLORREF oldBk = ::SetBkColor(s, ::GetBkColor(dc));
    const COLORREF oldText = ::SetTextColor(s, ::GetTextColor(dc));
    HGDIOBJ oldFont = ::SelectObject(s, ::GetCurrentObject(dc, OBJ_FONT));
    // The surface clips to the visible part; the inner call draws unclipped within it.
    ::IntersectClipRect(s, area.left, area.top, area.right, area.bottom);
    const int result = inner(s, false);
    ::SelectObject(s, oldFont);
    ::SetTextColor(s, oldText);
    ::SetBkColor(s, oldBk);
    ::SetBkMode(s, oldMode);
    surface.CopyBackAndDetach(true);
    return result;
}

// What DT_CALCRECT hands back for text whose extent is u in the rectangle r: like DrawText, the
// rectangle keeps r's top and left when the text was aligned down or right in it.
RECT MeasuredRect(const RichRect& u, const RichRect& r, UINT flags, UINT extraFlags, bool vAlign) {
    if (extraFlags & kRichDrawExactCalc) return ToRect(u);
    RichRect out = u;
    if (vAlign && (flags & (DT_VCENTER | DT_BOTTOM))) {
        out.bottom += r.top - out.top;
        out.top = r.top;
    }
    if (flags & (DT_CENTER | DT_RIGHT)) {
        out.right -= out.left - r.left;
        out.left = r.left;
    }
    return ToRect(out);
}

int LineHeightOf(HDC dc) {
    const int mode = ::SetBkMode(dc, TRANSPARENT);
    TEXTMETRICW tm{};
    ::GetTextMetricsW(dc, &tm);
    ::SetBkMode(dc, mode);
    return tm.tmHeight;
}

// The offset that places the laid-out box B in R along the reading direction's cross axis.
void VerticalOffset(int angle, UINT flags, const RichRect& r, const RichRect& b, int& dx, int& dy) {
    dx = dy = 0;
    const bool vc = (flags & DT_VCENTER) != 0, bottom = (flags & DT_BOTTOM) != 0;
    switch (angle) {
    case 90:
        dx = vc ? -((r.Width() - b.Width()) / 2) : bottom ? r.left - b.left : r.right - b.right;
        if (dx > 0) dx = 0;
        break;
    case 180:
        dy = vc ? (b.Height() - r.Height()) / 2 : bottom ? r.top - b.top : b.bottom - r.bottom;
        if (dy > 0) dy = 0;
        break;
    case 270:
        dx = vc ? (r.Width() - b.Width()) / 2 : bottom ? r.right - b.right : r.left - b.left;
        if (dx < 0) dx = 0;
        break;
    default:
        dy = vc ? (r.Height() - b.Height()) / 2 : bottom ? r.bottom - b.bottom : r.top - b.top;
        if (dy < 0) dy = 0;
        break;
    }
}

// The height (tmHeight) of an item's own font at the document's angle, underlined for a mnemonic.
int OwnFontHeight(CExtRichContentItem* item, HDC dc, int angle) {
    const bool underline = (item->m_nReaderFlags & kRichRunMnemonic) != 0;
    RichTextMetrics metrics;
    void* previous = RichPlatform().SelectFont(dc, item->ReadStyle().m_font.LogFontFor(angle, underline), metrics);
    RichPlatform().RestoreFont(dc, previous);
    return metrics.height;
}

bool IsBlockBreak(CExtRichContentItem* item) {
    return IsBreak(item) && item->GetEffectiveDisplay() == RichCode::DisplayBlock;
}

// Gives each block line break among `parent`'s children the height of its own font, walking from
// the last child to the first, and drops a break's line-height hint where the run before it
// shares its line. `html` selects the HTML rules: the height goes to the hint and, without
// DT_WORDBREAK, a break stays pending over everything up to the previous break.
void MeasureBreaks(CExtRichContentItem* parent, HDC dc, const RichRect& r, int angle, UINT flags, bool html) {
    const bool wordBreak = (flags & DT_WORDBREAK) != 0;
    const int width = angle == 90 || angle == 270 ? r.Height() : r.Width();
    RichRect frame = r;
    if (angle == 90 || angle == 270) frame = RichRect{r.left, r.top, r.left + r.Height(), r.top + r.Width()};
    CExtRichContentItem* first = parent->m_listChildren.IsEmpty() ? nullptr : parent->m_listChildren.GetHead();
    CExtRichContentItem* last = parent->m_listChildren.IsEmpty() ? nullptr : parent->m_listChildren.GetTail();
    CExtRichContentItem* pending = nullptr;
    for (RichPosition pos = parent->m_listChildren.GetTailPosition(); pos;) {
        CExtRichContentItem* item = parent->m_listChildren.GetPrev(pos);
        if (IsBlockBreak(item)) {
            const int height = OwnFontHeight(item, dc, angle);
            if (html) item->m_nMinHeightHint = height;
            else item->GetRule().m_nMinHeight = height;
            pending = item;
            continue;
        }
        if (!pending) continue;
        item->MeasureContent(dc, frame);
        const bool inner = pending != first && pending != last;
        const bool narrow = item->m_nContentWidth < width;
        const bool space = item->m_nKind == kRichItemWhiteSpace;
        if (html) {
            if (inner && (narrow || !wordBreak) && (!space || wordBreak)) pending->m_nMinHeightHint = 0;
            if (wordBreak && !space) pending = nullptr;
        } else {
            if (inner && narrow) pending->m_nMinHeightHint = 0;
            if (!space) pending = nullptr;
        }
    }
}

// A run written back as caption text (prefix characters restored).
RichString WriteRun(CExtRichContentItem* run, UINT flags) {
    if (IsBreak(run)) return u"\n";
    const RichString& text = run->m_strName;
    if (run->m_nReaderFlags & kRichRunMnemonic) return u"&" + text;
    if (text == u"&" && !(flags & DT_NOPREFIX)) return u"&&";
    return text;
}

bool Fits(const RichRect& run, const RichRect& r, int angle, int reserve) {
    switch (angle) {
    case 90: return run.top <= r.bottom - reserve && run.bottom <= r.bottom - reserve && run.right >= r.left;
    case 180: return run.left >= r.left + reserve && run.right >= r.left + reserve && run.bottom >= r.top;
    case 270: return run.top >= r.top + reserve && run.bottom >= r.top + reserve && run.left <= r.right;
    default: return run.left <= r.right - reserve && run.right <= r.right - reserve && run.top <= r.bottom;
    }
}

int Along(const RichRect& run, int angle) { return angle == 90 || angle == 270 ? run.Height() : run.Width(); }

// The edge of the rectangle where lines end.
int TrailingEdge(const RichRect& r, int angle) {
    switch (angle) {
    case 90: return r.bottom;
    case 180: return r.left;
    case 270: return r.top;
    default: return r.right;
    }
}

// The coordinate across the reading direction: runs of one visual line share it.
int LineKey(const RichRect& run, int angle) { return angle == 90 || angle == 270 ? run.left : run.top; }

// Whether a run opens its unit of an ellipsis rewrite: a line (ended by a block break) without
// DT_WORDBREAK; with it a visual line for DT_END_ELLIPSIS and a word for DT_WORD_ELLIPSIS.
bool OpensUnit(CExtRichContentItem* run, int angle, UINT flags) {
    CExtRichContentItem* prev = run->m_pPrev;
    if (!prev || IsBreak(prev) || prev->m_strName == u"\n") return true;
    if (!(flags & DT_WORDBREAK)) return false;
    if (flags & DT_WORD_ELLIPSIS) return run->m_nKind == kRichItemText && prev->m_nKind != kRichItemText;
    return LineKey(prev->m_rcItem, angle) != LineKey(run->m_rcItem, angle);
}

// End and word ellipses on the one-character runs of a laid-out caption, walking from the last
// run to the first: runs that do not fit are dropped and "..." closes the cut of a unit. With
// DT_END_ELLIPSIS only the last unit is cut; with DT_WORD_ELLIPSIS every unit may be.
RichString EllipsisRewrite(CExtRichContentLayout& doc, CExtRichContentItem* para, HDC dc, const RichRect& r,
                           UINT flags) {
    const int angle = doc.m_nAngle;
    const bool word = (flags & DT_WORD_ELLIPSIS) != 0;
    const int dots = doc.MeasureText(dc, u"...", 3).cx;
    RichString result, unit;
    int reserve = 0;
    bool truncated = false, afterCut = false, retainedAfterFail = false, firstUnit = true, unitOpen = false;
    auto closeUnit = [&]() {
        if (truncated && retainedAfterFail) unit += u"...";
        result = unit + result;
        unit.clear();
        reserve = 0;
        truncated = afterCut = retainedAfterFail = false;
        if (unitOpen) firstUnit = false;
        unitOpen = false;
    };
    for (RichPosition pos = para->m_listChildren.GetTailPosition(); pos;) {
        CExtRichContentItem* run = para->m_listChildren.GetPrev(pos);
        if (IsBreak(run) || run->m_strName == u"\n") {
            closeUnit();
            result = WriteRun(run, flags) + result;
            continue;
        }
        unitOpen = true;
        const bool canMark = word || firstUnit;
        const bool opens = OpensUnit(run, angle, flags);
        if ((flags & DT_WORDBREAK) && opens &&
            ((reserve > 0 && reserve <= Along(r, angle)) || TrailingEdge(r, angle) - reserve < 0)) {
            // A line's first character stays when fewer dots leave it room: the reserve shrinks
            // a dot at a time (the written text still ends in "...").
            RichString shorter = u"...";
            for (;;) {
                reserve = shorter.empty() ? 0 : doc.MeasureText(dc, shorter.c_str(), static_cast<int>(shorter.size())).cx;
                if (shorter.empty() || Fits(run->m_rcItem, r, angle, reserve)) break;
                shorter.pop_back();
            }
        }
        if (!Fits(run->m_rcItem, r, angle, reserve)) {
            if (canMark) {
                truncated = afterCut = true;
                retainedAfterFail = false;
            }
        } else if (afterCut && !opens && Along(run->m_rcItem, angle) > 0) {
            // The character that last fitted before the cut makes room for the dots.
            afterCut = false;
            reserve = dots;
        } else {
            if (afterCut) reserve = dots;
            afterCut = false;
            unit = WriteRun(run, flags) + unit;
            if (truncated) retainedAfterFail = true;
        }
        if (opens) closeUnit();
    }
    closeUnit();
    return result;
}

// The path ellipsis: the longest beginning of the last line that fits, "...", the last
// backslash and the file name. Unchanged text when the line holds fewer than two backslashes.
RichString PathEllipsisRewrite(CExtRichContentLayout& doc, CExtRichContentItem* para, HDC dc, const RichRect& r,
                               UINT flags) {
    const int angle = doc.m_nAngle;
    const bool single = (flags & DT_SINGLELINE) != 0;
    CExtRichContentItem* lastSlash = nullptr;
    CExtRichContentItem* lineStart = nullptr;
    int slashes = 0;
    for (RichPosition pos = para->m_listChildren.GetTailPosition(); pos;) {
        CExtRichContentItem* run = para->m_listChildren.GetPrev(pos);
        if (!single && IsBreak(run)) break;
        if (run->m_strName == u"\\") {
            if (!lastSlash) lastSlash = run;
            ++slashes;
        }
        lineStart = run;
        if (slashes >= 2 && lineStart && !pos) break;
    }
    RichString all;
    for (RichPosition pos = para->m_listChildren.GetHeadPosition(); pos;)
        all += WriteRun(para->m_listChildren.GetNext(pos), flags);
    if (slashes < 2) return all;
    RichString result;
    bool inName = true, overflow = false, reachedLineStart = false;
    int nameWidth = 0, reserve = 0;
    for (RichPosition pos = para->m_listChildren.GetTailPosition(); pos;) {
        CExtRichContentItem* run = para->m_listChildren.GetPrev(pos);
        if (inName) {
            if (!Fits(run->m_rcItem, r, angle, 0)) overflow = true;
            if (overflow) nameWidth += doc.MeasureText(dc, run->m_strName.c_str(), static_cast<int>(run->m_strName.size())).cx;
            result = WriteRun(run, flags) + result;
            if (run == lastSlash) {
                inName = false;
                if (overflow) {
                    result = u"..." + result;
                    reserve = nameWidth + doc.MeasureText(dc, u"...", 3).cx;
                }
            }
            continue;
        }
        if (reachedLineStart) reserve = 0;
        if (run == lineStart) reachedLineStart = true;
        if (IsBreak(run) || Fits(run->m_rcItem, r, angle, reserve)) result = WriteRun(run, flags) + result;
    }
    return result;
}

// DT_MODIFYSTRING: the caller's buffer receives the rewritten text, never more than the
// caller's own length of characters.
void ModifyCallerString(const wchar_t* buffer, int length, const RichString& text) {
    if (!buffer || length <= 0) return;
    wchar_t* out = const_cast<wchar_t*>(buffer);
    const int n = std::min(length, static_cast<int>(text.size()));
    for (int i = 0; i < n; ++i) out[i] = static_cast<wchar_t>(text[i]);
    for (int i = n; i < length; ++i) out[i] = 0;
}

}  // namespace

// ---- the entry and its short forms ----

int DrawRichText(int nKind, int nAngle, HDC hDC, const wchar_t* strText, int nTextLength, RECT* pRect,
                 UINT nDrawTextFlags, UINT nExtraFlags, HWND hWndTheme, const wchar_t* strThemeClassList,
                 DWORD nThemeOpenFlags, int nPartID, int nStateID, const DTTOPTS* pThemeTextOptions,
                 const RICHTEXT_DRAWSTATE_DATA* pDrawStateData) {
    if (!hDC || !strText || !*strText) return 0;
    if (nTextLength < 0) nTextLength = static_cast<int>(std::wcslen(strText));
    if (nKind == kRichTextDetect) {
        if (!g_pfnDetectRichTextKind) return 0;
        nKind = g_pfnDetectRichTextKind(U16(strText), nTextLength);
    }
    if (nKind == kRichTextHtml)
        return DrawRichTextHtml(nAngle, hDC, strText, nTextLength, pRect, nDrawTextFlags, nExtraFlags, hWndTheme,
                                strThemeClassList, nThemeOpenFlags, nPartID, nStateID, pThemeTextOptions,
                                pDrawStateData);
    if (nKind == kRichTextPlain)
        return DrawRichTextPlain(nAngle, hDC, strText, nTextLength, pRect, nDrawTextFlags, nExtraFlags, hWndTheme,
                                 strThemeClassList, nThemeOpenFlags, nPartID, nStateID, pThemeTextOptions,
                                 pDrawStateData);
    return 0;
}

#define RICH_PASS_TAIL                                                                                             \
    hWndTheme, strThemeClassList, nThemeOpenFlags, nPartID, nStateID, pThemeTextOptions, pDrawStateData
#define RICH_TAIL_PARAMS                                                                                           \
    HWND hWndTheme, const wchar_t *strThemeClassList, DWORD nThemeOpenFlags, int nPartID, int nStateID,             \
        const DTTOPTS *pThemeTextOptions, const RICHTEXT_DRAWSTATE_DATA *pDrawStateData

namespace {
int SzLength(const wchar_t* text) { return text ? static_cast<int>(std::wcslen(text)) : 0; }
}  // namespace

int DrawRichTextFwd(int nKind, int nAngle, HDC hDC, const wchar_t* strText, int nTextLength, RECT* pRect,
                    UINT nDrawTextFlags, UINT nExtraFlags, RICH_TAIL_PARAMS) {
    return DrawRichText(nKind, nAngle, hDC, strText, nTextLength, pRect, nDrawTextFlags, nExtraFlags,
                        RICH_PASS_TAIL);
}
int DrawRichTextSz(int nKind, int nAngle, HDC hDC, const wchar_t* strText, RECT* pRect, UINT nDrawTextFlags,
                   UINT nExtraFlags, RICH_TAIL_PARAMS) {
    if (!strText) return 0;
    return DrawRichText(nKind, nAngle, hDC, strText, SzLength(strText), pRect, nDrawTextFlags, nExtraFlags,
                        RICH_PASS_TAIL);
}
int DrawRichTextSzFwd(int nKind, int nAngle, HDC hDC, const wchar_t* strText, RECT* pRect, UINT nDrawTextFlags,
                      UINT nExtraFlags, RICH_TAIL_PARAMS) {
    return DrawRichTextSz(nKind, nAngle, hDC, strText, pRect, nDrawTextFlags, nExtraFlags, RICH_PASS_TAIL);
}
int DrawRichTextUnrotated(int nKind, HDC hDC, const wchar_t* strText, int nTextLength, RECT* pRect,
                          UINT nDrawTextFlags, UINT nExtraFlags, RICH_TAIL_PARAMS) {
    return DrawRichText(nKind, 0, hDC, strText, nTextLength, pRect, nDrawTextFlags, nExtraFlags, RICH_PASS_TAIL);
}
int DrawRichTextUnrotatedSz(int nKind, HDC hDC, const wchar_t* strText, RECT* pRect, UINT nDrawTextFlags,
                            UINT nExtraFlags, RICH_TAIL_PARAMS) {
    return DrawRichTextSz(nKind, 0, hDC, strText, pRect, nDrawTextFlags, nExtraFlags, RICH_PASS_TAIL);
}
int DrawRichTextAuto(HDC hDC, const wchar_t* strText, int nTextLength, RECT* pRect, UINT nDrawTextFlags,
                     UINT nExtraFlags, RICH_TAIL_PARAMS) {
    return DrawRichTextUnrotated(kRichTextDetect, hDC, strText, nTextLength, pRect, nDrawTextFlags, nExtraFlags,
                                 RICH_PASS_TAIL);
}
int DrawRichTextAutoSz(HDC hDC, const wchar_t* strText, RECT* pRect, UINT nDrawTextFlags, UINT nExtraFlags,
                       RICH_TAIL_PARAMS) {
    return DrawRichTextUnrotatedSz(kRichTextDetect, hDC, strText, pRect, nDrawTextFlags, nExtraFlags,
                                   RICH_PASS_TAIL);
}
int DrawRichTextPlainFwd(int nAngle, HDC hDC, const wchar_t* strText, int nTextLength, RECT* pRect,
                         UINT nDrawTextFlags, UINT nExtraFlags, RICH_TAIL_PARAMS) {
    return DrawRichTextPlain(nAngle, hDC, strText, nTextLength, pRect, nDrawTextFlags, nExtraFlags, RICH_PASS_TAIL);
}
int DrawRichTextPlainSz(int nAngle, HDC hDC, const wchar_t* strText, RECT* pRect, UINT nDrawTextFlags,
                        UINT nExtraFlags, RICH_TAIL_PARAMS) {
    if (!strText) return 0;
    return DrawRichTextPlain(nAngle, hDC, strText, SzLength(strText), pRect, nDrawTextFlags, nExtraFlags,
                             RICH_PASS_TAIL);
}
int DrawRichTextPlainSzFwd(int nAngle, HDC hDC, const wchar_t* strText, RECT* pRect, UINT nDrawTextFlags,
                           UINT nExtraFlags, RICH_TAIL_PARAMS) {
    return DrawRichTextPlainSz(nAngle, hDC, strText, pRect, nDrawTextFlags, nExtraFlags, RICH_PASS_TAIL);
}
int DrawRichTextHtmlFwd(int nAngle, HDC hDC, const wchar_t* strText, int nTextLength, RECT* pRect,
                        UINT nDrawTextFlags, UINT nExtraFlags, RICH_TAIL_PARAMS) {
    return DrawRichTextHtml(nAngle, hDC, strText, nTextLength, pRect, nDrawTextFlags, nExtraFlags, RICH_PASS_TAIL);
}

// ---- the plain path ----

int DrawRichTextPlain(int nAngle, HDC hDC, const wchar_t* strText, int nTextLength, RECT* pRect,
                      UINT nDrawTextFlags, UINT nExtraFlags, RICH_TAIL_PARAMS) {
    if (!hDC || !strText || !*strText) return 0;
    if (nTextLength < 0) nTextLength = static_cast<int>(std::wcslen(strText));
    if (nTextLength == 0) {
        if ((nDrawTextFlags & DT_CALCRECT) && pRect) {
            pRect->right = pRect->left;
            pRect->bottom = pRect->top;
        }
        return 0;
    }
    if (nDrawTextFlags & DT_RTLREADING) {
        RichString text(U16(strText), static_cast<std::size_t>(nTextLength));
        rich::ReorderRightToLeft(text, (nDrawTextFlags & DT_SINGLELINE) != 0, 1, true);
        return DrawRichTextPlainSzFwd(nAngle, hDC, W(text.c_str()), pRect, nDrawTextFlags & ~DT_RTLREADING,
                                      nExtraFlags, RICH_PASS_TAIL);
    }
    nAngle = g_pfnNormalizeTextAngle ? g_pfnNormalizeTextAngle(nAngle) : NormalizeTextAngle(nAngle);
    RECT clipBox{};
    RECT* target = TargetOrClipBox(hDC, pRect, &clipBox);
    const RichRect r = WorkingRect(hDC, target);
    if (!(nDrawTextFlags & (DT_NOCLIP | DT_CALCRECT))) {
        return OffscreenPass(hDC, r, nDrawTextFlags, [&](HDC dc, RECT* inner, UINT flags) {
            return DrawRichTextPlain(nAngle, dc, strText, nTextLength, inner, flags, nExtraFlags, RICH_PASS_TAIL);
        });
    }
    const RichString text(U16(strText), static_cast<std::size_t>(nTextLength));
    CExtRichContentLayout doc(nAngle);
    const DrawArgs args{nAngle, hDC, target, nDrawTextFlags, nExtraFlags, hWndTheme, strThemeClassList,
                        nThemeOpenFlags, nPartID, nStateID, pThemeTextOptions, pDrawStateData};
    args.Store(doc);
    doc.m_nLineHeight = LineHeightOf(hDC);
    doc.ParsePlainText(text.c_str(), nDrawTextFlags, nExtraFlags, true);
    CExtRichContentItem* root = doc.GetRoot();
    CExtRichContentItem* para = root ? root->m_listChildren.GetHead() : nullptr;
    if (!para || para->m_listChildren.IsEmpty()) {
        if (nDrawTextFlags & DT_CALCRECT) {
            target->right = target->left;
            target->bottom = target->top;
        }
        return 0;
    }
    const bool ellipsis = (nDrawTextFlags & kAnyEllipsis) != 0;
    if ((nDrawTextFlags & DT_WORDBREAK) && ellipsis && !(nDrawTextFlags & DT_SINGLELINE)) {
        // Each line break measures its own line, so that the ellipsis cuts see where lines end.
        doc.ComputeStyles(hDC, true, true);
        MeasureBreaks(para, hDC, r, nAngle, nDrawTextFlags, false);
    }
    doc.Layout(hDC, r);
    const bool vAlign = (nDrawTextFlags & DT_SINGLELINE) || (nExtraFlags & kRichDrawVAlignAll);
    // The extent: the union of the runs; a line break counts even when empty.
    auto extent = [&]() {
        RichRect u;
        bool any = false;
        for (RichPosition pos = para->m_listChildren.GetHeadPosition(); pos;) {
            CExtRichContentItem* run = para->m_listChildren.GetNext(pos);
            RichRect box = run->m_rcItem;
            // Line breaks and the spaces that end a line add height, not width, as DrawText's do.
            const bool lineEnd = run->m_nKind == kRichItemWhiteSpace &&
                                 (!run->m_pNext || IsBreak(run->m_pNext) || run->m_pNext->m_rcItem.top != box.top);
            if (IsBreak(run) || lineEnd) {
                if (!IsBreak(run) && box.bottom <= box.top) continue;
                const int x = any ? u.left : box.left;
                RichHoldRect(u, any, RichRect{x, box.top, x, box.bottom});
                continue;
            }
            if (!IsEmptyBox(box)) RichHoldRect(u, any, box);
        }
        return u;
    };
    RichRect u = extent();
    if (!(nDrawTextFlags & DT_CALCRECT) && !ellipsis) {
        int dx = 0, dy = 0;
        if (vAlign) VerticalOffset(nAngle, nDrawTextFlags, r, u, dx, dy);
        if (dx || dy) para->OffsetItem(RichPoint{dx, dy}, true, true, true);
        doc.Paint(hDC, r);
        if (dx || dy) u = extent();
    }
    if (nDrawTextFlags & DT_CALCRECT) {
        *target = MeasuredRect(u, r, nDrawTextFlags, nExtraFlags, vAlign);
    }
    int result = (nDrawTextFlags & (DT_VCENTER | DT_BOTTOM)) ? u.bottom - r.top : u.Height();
    if (ellipsis && !(nDrawTextFlags & DT_CALCRECT)) {
        RichString rewritten;
        if (nDrawTextFlags & (DT_END_ELLIPSIS | DT_WORD_ELLIPSIS))
            rewritten = EllipsisRewrite(doc, para, hDC, r, nDrawTextFlags);
        else
            rewritten = (nDrawTextFlags & DT_WORDBREAK) ? text : PathEllipsisRewrite(doc, para, hDC, r, nDrawTextFlags);
        if (nDrawTextFlags & DT_MODIFYSTRING) ModifyCallerString(strText, nTextLength, rewritten);
        if (rewritten.empty()) return 0;
        result = DrawRichTextPlainFwd(nAngle, hDC, W(rewritten.c_str()), static_cast<int>(rewritten.size()), pRect,
                                      nDrawTextFlags & ~kAnyEllipsis & ~DT_MODIFYSTRING, nExtraFlags, RICH_PASS_TAIL);
    }
    return result;
}

// ---- the HTML path ----

int DrawRichTextHtml(int nAngle, HDC hDC, const wchar_t* strText, int nTextLength, RECT* pRect,
                     UINT nDrawTextFlags, UINT nExtraFlags, RICH_TAIL_PARAMS) {
    if (!hDC || !strText || !*strText) return 0;
    if (nTextLength < 0) nTextLength = static_cast<int>(std::wcslen(strText));
    if (nTextLength == 0) return 0;
    RECT clipBox{};
    RECT* target = TargetOrClipBox(hDC, pRect, &clipBox);
    const RichRect r = WorkingRect(hDC, target);
    if (!(nDrawTextFlags & (DT_NOCLIP | DT_CALCRECT))) {
        return OffscreenPass(hDC, r, nDrawTextFlags, [&](HDC dc, RECT* inner, UINT flags) {
            return DrawRichTextHtml(nAngle, dc, strText, nTextLength, inner, flags, nExtraFlags, RICH_PASS_TAIL);
        });
    }
    nAngle = g_pfnNormalizeTextAngle ? g_pfnNormalizeTextAngle(nAngle) : NormalizeTextAngle(nAngle);
    if (nDrawTextFlags & kAnyEllipsis) {
        // HTML captions get no ellipsis: drawn clipped as they are.
        return DrawRichTextHtmlFwd(nAngle, hDC, strText, nTextLength, pRect, nDrawTextFlags & ~kAnyEllipsis,
                                   nExtraFlags, RICH_PASS_TAIL);
    }
    const RichString text(U16(strText), static_cast<std::size_t>(nTextLength));
    CExtRichContentLayout doc(nAngle);
    const DrawArgs args{nAngle, hDC, target, nDrawTextFlags, nExtraFlags, hWndTheme, strThemeClassList,
                        nThemeOpenFlags, nPartID, nStateID, pThemeTextOptions, pDrawStateData};
    args.Store(doc);
    doc.m_nLineHeight = LineHeightOf(hDC);
    doc.ParseHtml(text.c_str(), true);
    doc.m_nDocKind = kRichTextHtml;
    CExtRichContentItem* root = doc.GetRoot();
    if (!root || doc.m_listItems.IsEmpty()) {
        if (nDrawTextFlags & DT_CALCRECT) {
            target->right = target->left;
            target->bottom = target->top;
        }
        return 0;
    }
    // Line breaks: a break takes its own font's height unless the run before it shares its line.
    // The style sheets (the default one makes "br" a block) must be in before the walk.
    doc.RebuildStyleSheets();
    doc.ComputeStyles(hDC, true, true);
    if (CExtRichContentItem* body = root->m_listChildren.IsEmpty() ? nullptr : root->m_listChildren.GetHead())
        MeasureBreaks(body, hDC, r, nAngle, nDrawTextFlags, true);
    // Styles and rules were gathered for the walk; the layout gathers its own.
    root->InvalidateStyle(true, true, true);
    doc.Layout(hDC, r);
    const RichRect u = root->m_rcItem;
    const bool vAlign = (nDrawTextFlags & DT_SINGLELINE) || (nExtraFlags & kRichDrawVAlignAll);
    if (!(nDrawTextFlags & DT_CALCRECT)) {
        int dx = 0, dy = 0, vx = 0, vy = 0;
        if (vAlign) VerticalOffset(nAngle, nDrawTextFlags, r, u, vx, vy);
        const bool center = (nDrawTextFlags & DT_CENTER) != 0, right = (nDrawTextFlags & DT_RIGHT) != 0;
        switch (nAngle) {
        case 90:
            dy = center ? (r.Height() - u.Height()) / 2 : right ? r.bottom - u.bottom : r.top - u.top;
            dx = vx;
            if (dy < 0) dy = 0;
            break;
        case 180:
            dx = center ? (u.Width() - r.Width()) / 2 : right ? r.left - u.left : u.right - r.right;
            dy = vy;
            if (dx > 0) dx = 0;
            break;
        case 270:
            dy = center ? -((r.Height() - u.Height()) / 2) : right ? r.top - u.top : r.bottom - u.bottom;
            dx = vx;
            if (dy > 0) dy = 0;
            break;
        default:
            dx = center ? (r.Width() - u.Width()) / 2 : right ? r.right - u.right : r.left - u.left;
            dy = vy;
            if (dx < 0) dx = 0;
            break;
        }
        if (dx || dy) root->OffsetItem(RichPoint{dx, dy}, true, true, true);
        doc.Paint(hDC, r);
    } else {
        *target = MeasuredRect(u, r, nDrawTextFlags, nExtraFlags, vAlign);
    }
    return (nDrawTextFlags & (DT_VCENTER | DT_BOTTOM)) ? u.bottom - r.top : u.Height();
}
