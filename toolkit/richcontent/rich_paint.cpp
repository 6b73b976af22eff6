// Painting a laid-out document: backgrounds, borders, children, run text, list markers and
// images, and the run painter that honours the visual-style and disabled-text arguments of the
// drawing call.
#include "framework/afxwin.h"
#include "toolkit/bars/memory_dc.h"
#include "toolkit/foundation/ext_bitmap.h"
#include "toolkit/paint/paint_manager.h"
#include "toolkit/paint/pm_holder.h"
#include "toolkit/richcontent/rich_platform.h"
#include "toolkit/richcontent/rich_doc_objects.h"
#include "toolkit/richcontent/rich_draw_text.h"
#include "toolkit/richcontent/rich_gdi.h"
#include "toolkit/richcontent/rich_hit_test.h"
#include "toolkit/richcontent/rich_layout.h"
#include "toolkit/richcontent/rich_paint_index.h"

#include <algorithm>
#include <cwchar>
#include <string>
#include <vector>

namespace {

HDC Dc(RichDcHandle dc) { return static_cast<HDC>(dc); }
RECT ToRect(const RichRect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

bool IsPositioned(CExtRichContentItem* item) {
    const int p = item->GetEffectivePosition();
    return p == RichCode::PositionAbsolute || p == RichCode::PositionFixed;
}

// The style's box sides turned for a document drawn at an angle (layout runs unrotated).
RichRect Sides(RichRect s, int angle) {
    RotateBoxSides(angle, s.left, s.top, s.right, s.bottom);
    return s;
}
RichRect Deflate(RichRect r, const RichRect& d) {
    r.left += d.left; r.top += d.top; r.right -= d.right; r.bottom -= d.bottom;
    return r;
}
RichRect Inflate(RichRect r, const RichRect& d) {
    r.left -= d.left; r.top -= d.top; r.right += d.right; r.bottom += d.bottom;
    return r;
}
bool IsEmptyRect(const RichRect& r) { return r.left >= r.right || r.top >= r.bottom; }
bool Visible(HDC dc, const RichRect& r) {
    const RECT rc = ToRect(r);
    return ::RectVisible(dc, &rc) != FALSE;
}
void Fill(HDC dc, const RichRect& r, COLORREF color) {
    if (IsEmptyRect(r)) return;
    const COLORREF old = ::SetBkColor(dc, color);
    const RECT rc = ToRect(r);
    ::ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rc, nullptr, 0, nullptr);
    ::SetBkColor(dc, old);
}
bool ColorSet(RichColor c) { return c != kRichColorNone && c != kRichColorTransparent; }

// The box inside the cell padding, the margins (not for positioned items) and the borders.
RichRect InsideBorders(CExtRichContentItem* item, RichRect r, const CExtRichStyleDescription& d, int angle) {
    r = Deflate(r, Sides(d.m_rcCellPadding, angle));
    if (!IsPositioned(item)) r = Deflate(r, Sides(d.m_rcMargin, angle));
    return Deflate(r, Sides(d.m_rcBorderWidth, angle));
}

// Scroll bars reserved inside an element at angle 0.
RichRect LessScrollBars(CExtRichContentItem* item, RichRect r, const CExtRichStyleDescription& d, int angle) {
    if (angle != 0) return r;
    if (d.m_nScrollBarH == 2) r.bottom -= item->GetScrollBarHeight();
    if (d.m_nScrollBarV == 2) r.right -= item->GetScrollBarWidth();
    return r;
}

// The document's stand-in bitmap as the toolkit's bitmap, turned for the angle.
bool ToExtBitmap(const RichBitmap& source, int angle, CExtBitmap& out) {
    const RichSize size = source.GetPixelSize();
    CExtBitmap plain;
    if (source.IsEmpty() || !plain.CreateSolid(RGB(0, 0, 0), SIZE{size.cx, size.cy}, 0)) return false;
    for (int y = 0; y < size.cy; ++y)
        for (int x = 0; x < size.cx; ++x) {
            const std::uint32_t p = source.GetPixel(x, y);
            const RGBQUAD q{static_cast<BYTE>(p), static_cast<BYTE>(p >> 8), static_cast<BYTE>(p >> 16),
                            static_cast<BYTE>(p >> 24)};
            plain.WritePixel(x, y, &q);
        }
    if (angle == 0) {
        out.Assign(plain);
        return !out.IsBlank();
    }
    return out.AssignRotatedFrames(plain, angle, 1, size.cx, size.cy, true, true) && !out.IsBlank();
}

// HALFTONE stretching when the document asks for it on the NT family, else COLORONCOLOR.
class StretchModeGuard {
public:
    StretchModeGuard(HDC dc, const CExtRichContentLayout& doc) : m_dc(dc) {
        const bool halftone = (doc.m_nLayoutOptions & 0x04) != 0 && g_PaintManagerHolder.HasOs(extpaint::OsIsNT);
        m_old = ::SetStretchBltMode(dc, halftone ? HALFTONE : COLORONCOLOR);
    }
    ~StretchModeGuard() { ::SetStretchBltMode(m_dc, m_old); }

private:
    HDC m_dc;
    int m_old;
};

// Modes 3 and 4 (edges tiled along one axis) trade places when the picture is turned a quarter.
int TurnedDrawMethod(int method, int angle) {
    if (method < 0) method = 2;
    if (angle == 90 || angle == 270) {
        if (method == 3) return 4;
        if (method == 4) return 3;
    }
    return method;
}

// Start and count of the tiles along one axis of a tiled background.
void TileAxis(int boxStart, int boxLength, int imageStart, int imageLength, int keyword, int& start, int& count) {
    count = (boxLength + imageLength - 1) / imageLength;
    start = imageStart;
    const int remainder = boxLength % imageLength;
    if (keyword == 2) {
        start = boxStart;
        if (remainder > 0) start -= (imageLength - remainder) / 2;
        if (count % 2 == 0) {
            start -= imageLength / 2;
            ++count;
        }
    } else if (keyword == 3) {
        start = remainder == 0 ? boxStart : boxStart + remainder - imageLength;
    }
}

void PaintBackgroundImage(HDC dc, CExtRichContentItem* item, const CExtRichStyleDescription& d, int angle) {
    CExtRichContentLayout* doc = item->GetLayout();
    RichBitmap* source = doc->FindImage(d.m_strBackgroundImage);
    if (!source || (angle != 0 && angle != 90 && angle != 180 && angle != 270)) return;
    CExtBitmap image;
    if (!ToExtBitmap(*source, angle, image)) return;
    POINT oldOrigin{};
    const bool fixed = d.m_nBackgroundAttachment == RichCode::AttachFixed;
    if (fixed) ::OffsetViewportOrgEx(dc, item->GetScrollOffset().x, item->GetScrollOffset().y, &oldOrigin);
    const RichRect b = InsideBorders(item, Inflate(item->m_rcItem, Sides(d.m_rcBackgroundExtend, angle)), d, angle);
    const CSize size = image.GetPixelSize();
    RichRect img{b.left, b.top, b.left + size.cx, b.top + size.cy};
    int h = 0, v = 0;
    if (d.m_nBackgroundPosKind == RichCode::BackgroundKeywords) {
        h = d.m_nBackgroundPosKeywords & 3;
        v = (d.m_nBackgroundPosKeywords >> 2) & 3;
        if (h != 0 && v != 0) {
            const int freeX = b.Width() - size.cx, freeY = b.Height() - size.cy;
            const int dx = h == 2 ? freeX / 2 : h == 3 ? freeX : 0;
            const int dy = v == 2 ? freeY / 2 : v == 3 ? freeY : 0;
            img.left += dx; img.right += dx; img.top += dy; img.bottom += dy;
        }
    } else if (d.m_nBackgroundPosKind == RichCode::BackgroundPercent) {
        const int dx = ::MulDiv(b.Width(), d.m_ptBackgroundPos.x, 100);
        const int dy = ::MulDiv(b.Height(), d.m_ptBackgroundPos.y, 100);
        img.left += dx; img.right += dx; img.top += dy; img.bottom += dy;
    } else if (d.m_nBackgroundPosKind == RichCode::BackgroundPixelsOrImage) {
        img.left += d.m_ptBackgroundPos.x; img.right += d.m_ptBackgroundPos.x;
        img.top += d.m_ptBackgroundPos.y; img.bottom += d.m_ptBackgroundPos.y;
    }
    const int repeat = d.m_nBackgroundRepeat;
    const bool tileX = repeat == RichCode::RepeatBoth || repeat == RichCode::RepeatX;
    const bool tileY = repeat == RichCode::RepeatBoth || repeat == RichCode::RepeatY;
    const bool keywordBits = d.m_nBackgroundPosKind == RichCode::BackgroundKeywords && d.m_nBackgroundPosKeywords != 0;
    StretchModeGuard stretch(dc, *doc);
    if (!tileX && !tileY && !keywordBits) {
        // The usual background: the picture stretched over the whole box as a skin.
        if (!IsEmptyRect(b) && Visible(dc, b)) {
            const RichRect slice = Sides(d.m_rcBackgroundSlice, angle);
            image.AlphaDrawSkinWhole(dc, ToRect(b), ToRect(slice), TurnedDrawMethod(d.m_nBackgroundDrawMethod, angle),
                                     true, false, static_cast<BYTE>(d.m_nBackgroundTransparency));
        }
    } else {
        RichRect clip = b;
        int x0 = img.left, nx = 1, y0 = img.top, ny = 1;
        if (tileX) TileAxis(b.left, b.Width(), img.left, size.cx, h, x0, nx);
        else { clip.left = std::max(clip.left, img.left); clip.right = std::min(clip.right, img.right); }
        if (tileY) TileAxis(b.top, b.Height(), img.top, size.cy, v, y0, ny);
        else { clip.top = std::max(clip.top, img.top); clip.bottom = std::min(clip.bottom, img.bottom); }
        if (!IsEmptyRect(clip) && Visible(dc, clip)) {
            const int saved = ::SaveDC(dc);
            ::IntersectClipRect(dc, clip.left, clip.top, clip.right, clip.bottom);
            for (int i = 0; i < nx; ++i)
                for (int j = 0; j < ny; ++j) {
                    const int x = x0 + i * size.cx, y = y0 + j * size.cy;
                    image.AlphaDrawWhole(dc, RECT{x, y, x + size.cx, y + size.cy}, 255);
                }
            ::RestoreDC(dc, saved);
        }
    }
    if (fixed) ::SetViewportOrgEx(dc, oldOrigin.x, oldOrigin.y, nullptr);
}

void FillPolygonRegion(HDC dc, const POINT* points, const RichRect& area, COLORREF color) {
    if (IsEmptyRect(area)) return;
    HRGN polygon = ::CreatePolygonRgn(points, 4, ALTERNATE);
    HRGN part = ::CreateRectRgn(area.left, area.top, area.right, area.bottom);
    ::CombineRgn(part, part, polygon, RGN_AND);
    HBRUSH brush = ::CreateSolidBrush(color);
    ::FillRgn(dc, part, brush);
    ::DeleteObject(brush);
    ::DeleteObject(part);
    ::DeleteObject(polygon);
}

COLORREF Shade(COLORREF c, double lightness) { return CExtBitmap::ShiftColorHsl(c, 0.0, lightness, 0.0); }

// The text-run origin for the angle: the corner where the rotated text starts.
POINT RunOrigin(const RichRect& r, int angle) {
    switch (angle) {
    case 90: return POINT{r.right, r.top};
    case 180: return POINT{r.right, r.bottom};
    case 270: return POINT{r.left, r.bottom};
    default: return POINT{r.left, r.top};
    }
}

// The underline of a hidden or prefix-only run: one pixel along the run, in the text colour.
void DrawRunUnderline(HDC dc, const RichRect& r, int angle, int gap) {
    const COLORREF color = ::GetTextColor(dc);
    switch (angle) {
    case 90: Fill(dc, RichRect{r.left + gap + 1, r.top, r.left + gap + 2, r.bottom}, color); break;
    case 180: Fill(dc, RichRect{r.left, r.top + gap, r.right, r.top + gap + 1}, color); break;
    case 270: Fill(dc, RichRect{r.right - gap - 2, r.top, r.right - gap - 1, r.bottom}, color); break;
    default: Fill(dc, RichRect{r.left, r.bottom - gap - 1, r.right, r.bottom - gap}, color); break;
    }
}

// The clip's bounds in the device context's logical coordinates (false: no clip to test against).
bool LogicalClipBox(HDC dc, RichRect& box) {
    RECT rc{};
    if (::GetClipBox(dc, &rc) == ERROR) return false;
    box = RichRect{rc.left, rc.top, rc.right, rc.bottom};
    return true;
}

bool Disjoint(const RichRect& a, const RichRect& b) {
    return a.right <= b.left || a.left >= b.right || a.bottom <= b.top || a.top >= b.bottom;
}

// True when painting `item` (a child in the normal flow) could put no pixel inside `clip`: a run
// whose ink is outside, or a plain element holding only such runs whose own box is outside too.
// Anything drawn beyond its box (positioned or moved items, scrolling, list markers, background
// images or extents, negative margins, docked children) is always painted.
bool InkOutside(CExtRichContentItem* item, const RichRect& clip) {
    if (RichIsRun(item)) return RichRunPaintsInPlace(item) && Disjoint(RichRunInk(item), clip);
    if (!item->IsElement() || !Disjoint(item->m_rcItem, clip)) return false;
    // The runs first: they read the element's own style, tested below.
    for (RichPosition pos = item->m_listChildren.GetHeadPosition(); pos;) {
        const CExtRichContentItem* child = item->m_listChildren.GetNext(pos);
        if (!RichIsRun(child) || !Disjoint(RichRunInk(child), clip)) return false;
    }
    return RichElementPaintsInPlace(item);
}

}  // namespace

// ---- the document ----

void CExtRichContentLayout::Paint(RichDcHandle dc, const RichRect& clip, RichPoint offset) {
    CExtRichContentItem* root = GetRoot();
    if (!root) return;
    // Element scroll bars are the paint manager's unless a painter of its own was installed.
    if (CExtRichScrollBarPainter* installed = RichSetScrollBarPainter(nullptr))
        RichSetScrollBarPainter(installed);
    else
        RichUsePaintManagerScrollBars();
    // Runs leave their shared fonts selected (RichTextDcGuard): the caller's font goes back at the end.
    HDC hdc = Dc(dc);
    HGDIOBJ font = hdc ? ::GetCurrentObject(hdc, OBJ_FONT) : nullptr;
    root->PaintDocument(dc, clip, offset);
    if (font && ::GetCurrentObject(hdc, OBJ_FONT) != font) ::SelectObject(hdc, font);
}

void CExtRichContentItem::PaintDocument(RichDcHandle dc, const RichRect& clip, RichPoint offset) {
    CExtRichContentLayout* doc = m_pLayout;
    doc->m_listPaintPre.RemoveAll();
    doc->m_listPaintPost.RemoveAll();
    PaintContent(dc, clip, offset, nullptr, false);
    for (RichItemList* list : {&doc->m_listPaintPre, &doc->m_listPaintMiddle, &doc->m_listPaintPost})
        for (RichPosition pos = list->GetHeadPosition(); pos;) {
            CExtRichContentItem* item = list->GetNext(pos);
            item->PaintContent(dc, clip, offset, item, false);
        }
    doc->m_listPaintPre.RemoveAll();
    doc->m_listPaintPost.RemoveAll();
}

void CExtRichContentItem::PaintChildren(RichDcHandle dc, const RichRect& clip, RichPoint offset,
                                        CExtRichContentItem* target, bool scrolling) {
    RichItemList later;
    CExtRichContentLayout* doc = m_pLayout;
    auto paint = [&](CExtRichContentItem* child) {
        switch (child->ReadStyle().m_nDelayedDraw) {
        case RichCode::DrawDefault: child->PaintContent(dc, clip, offset, target, scrolling); break;
        case RichCode::DrawPostSibling: later.AddTail(child); break;
        case RichCode::DrawPreFixedAbsolute: doc->m_listPaintPre.AddTail(child); break;
        case RichCode::DrawPostFixedAbsolute: doc->m_listPaintPost.AddTail(child); break;
        default: break;
        }
    };
    auto sweep = [&](const RichItemList& list, bool pre) {
        for (RichPosition pos = list.GetHeadPosition(); pos;) {
            CExtRichContentItem* child = list.GetNext(pos);
            const int dock = child->ReadStyle().m_nUiDock;
            const bool isPre = dock == RichCode::DockPreFill || dock == RichCode::DockPreTop ||
                               dock == RichCode::DockPreBottom || dock == RichCode::DockPreLeft ||
                               dock == RichCode::DockPreRight;
            if (isPre == pre) paint(child);
        }
    };
    sweep(GetDockedFill(), true);
    sweep(GetDocked(), true);
    sweep(GetDocked(), false);
    sweep(GetDockedFill(), false);
    // A long page's lines are mostly off the clip: children whose ink lies wholly outside it are
    // passed over without a call to the device context each.
    HDC hdc = Dc(dc);
    RichRect box{};
    const bool cut = hdc && m_pLayout->m_nAngle == 0 && m_listChildren.GetCount() > 1 && LogicalClipBox(hdc, box);
    auto paintFlow = [&](RichPosition pos, std::size_t count) {
        for (; pos && count; --count) {
            CExtRichContentItem* child = m_listChildren.GetNext(pos);
            if (cut && InkOutside(child, box)) continue;
            if (child->GetEffectiveDisplay() != RichCode::DisplayUiDock) paint(child);
        }
    };
    // Many children: whole chunks outside the clip are passed over without visiting their items.
    const CExtRichPaintIndex::Chunks chunks = cut ? m_pLayout->GetPaintIndex().For(this) : nullptr;
    if (chunks) {
        for (const CExtRichPaintIndex::Chunk& chunk : *chunks)
            if (!chunk.m_plain || !Disjoint(chunk.m_ink, box)) paintFlow(chunk.m_first, chunk.m_count);
    } else {
        paintFlow(m_listChildren.GetHeadPosition(), m_listChildren.GetCount());
    }
    for (RichPosition pos = later.GetHeadPosition(); pos;) later.GetNext(pos)->PaintContent(dc, clip, offset, target,
                                                                                           scrolling);
}

void CExtRichContentItem::PaintContent(RichDcHandle dcHandle, const RichRect& clip, RichPoint offset,
                                       CExtRichContentItem* target, bool scrolling) {
    HDC dc = Dc(dcHandle);
    if (!dc || m_nKind > kRichItemElement) return;
    if (!IsShown(false)) return;
    if (IsElement() && IsPositioned(this) && target != this) return;
    const CExtRichStyleDescription& d = ReadStyle();
    const int angle = m_pLayout->m_nAngle;
    const bool elementOrRoot = IsElementOrRoot();
    // An element that scrolls paints its content clipped to its padding box, moved back by its
    // scroll offset, then its borders and bars on top.
    const bool scrolls = elementOrRoot && !IsRoot() &&
                         (d.m_nScrollBarH == 2 || d.m_nScrollBarV == 2 ||
                          d.m_nOverflow == RichCode::OverflowHidden || d.m_nOverflow == RichCode::OverflowAuto);
    if (scrolls && !scrolling) {
        const RichRect padding = InsideBorders(this, m_rcItem, d, angle);
        if (!IsEmptyRect(padding) && Visible(dc, padding)) {
            const int saved = ::SaveDC(dc);
            const RichRect inner = LessScrollBars(this, padding, d, angle);
            ::IntersectClipRect(dc, inner.left, inner.top, inner.right, inner.bottom);
            ::OffsetViewportOrgEx(dc, -GetScrollOffset().x, -GetScrollOffset().y, nullptr);
            PaintContent(dcHandle, clip, offset, target, true);
            ::RestoreDC(dc, saved);
        }
        PaintBorders(dcHandle, d);
        PaintScrollBars(dcHandle, clip, 0, target);
        return;
    }
    if (!scrolls) {
        offset.x += GetScrollOffset().x;
        offset.y += GetScrollOffset().y;
    }
    RichRelativePositionGuard relative(dc, this, d);
    if (IsRoot() || IsInlineLevel() || Visible(dc, m_rcItem)) {
        if (elementOrRoot && d.m_nBackgroundColorMode == RichCode::BackgroundColorGiven &&
            ColorSet(d.m_clrBackground)) {
            RichRect box = m_rcItem;
            const RichPoint scroll = GetScrollOffset();
            box.left += scroll.x; box.right += scroll.x;
            box.top += scroll.y; box.bottom += scroll.y;
            box = InsideBorders(this, Inflate(box, Sides(d.m_rcBackgroundExtend, angle)), d, angle);
            Fill(dc, LessScrollBars(this, box, d, angle), d.m_clrBackground);
        }
        if (elementOrRoot && !d.m_strBackgroundImage.empty()) PaintBackgroundImage(dc, this, d, angle);
        // A run shares its element's description: the frame is the element's, not every word's.
        if (!scrolling && elementOrRoot) PaintBorders(dcHandle, d);
    }
    PaintChildren(dcHandle, clip, offset, target, scrolling);

    // The item's own content.
    if (m_nKind == kRichItemText || m_nKind == kRichItemWhiteSpace) {
        // A run outside the clip draws nothing, so its font is not made: on a long page that
        // was most of the time of painting one screen. The margin keeps overhanging glyphs.
        const int slack = m_rcItem.Height() / 2 + 2;
        if (!Visible(dc, RichRect{m_rcItem.left - slack, m_rcItem.top - 2, m_rcItem.right + slack,
                                  m_rcItem.bottom + 2}))
            return;
        const bool mnemonic = (m_nReaderFlags & kRichRunMnemonic) != 0;
        const bool prefixOnly = (m_nReaderFlags & kRichRunPrefixOnly) != 0;
        RichTextDcGuard guard(dc, d, angle, mnemonic, true);
        const bool underlined = guard.Metrics().tmUnderlined != 0 || mnemonic;
        const bool hidden = prefixOnly;
        if (m_nKind == kRichItemWhiteSpace && !underlined) return;
        if (hidden) {
            if (underlined) DrawRunUnderline(dc, m_rcItem, angle, guard.Metrics().tmExternalLeading);
            return;
        }
        const POINT origin = RunOrigin(m_rcItem, angle);
        const RichString& text = m_strText.empty() ? m_strName : m_strText;
        if (text.empty()) return;
        if (d.m_nLetterSpacing == 0 || d.m_nLetterSpacing == kRichUnsetPixels) {
            m_pLayout->DrawTextRun(dcHandle, origin.x, origin.y, text.c_str(), static_cast<int>(text.size()));
        } else {
            int x = origin.x;
            for (std::size_t i = 0; i < text.size(); ++i) {
                m_pLayout->DrawTextRun(dcHandle, x, origin.y, &text[i], 1);
                x += m_pLayout->MeasureText(dcHandle, &text[i], 1).cx + d.m_nLetterSpacing;
            }
        }
        return;
    }
    if (!elementOrRoot) return;
    if (GetEffectiveDisplay() == RichCode::DisplayListItem && d.m_nListStyleType != RichCode::ListNone &&
        d.m_nListStyleType != RichCode::ListTypeInherit && d.m_nListStyleType >= 0) {
        RichRect content = Deflate(InsideBorders(this, m_rcItem, d, angle), Sides(d.m_rcPadding, angle));
        RichRect strip = content;
        switch (angle) {
        case 90: strip.top = clip.top; strip.bottom = content.top; break;
        case 180: strip.left = content.right; strip.right = clip.right; break;
        case 270: strip.top = content.bottom; strip.bottom = clip.bottom; break;
        default: strip.left = clip.left; strip.right = content.left; break;
        }
        if (Visible(dc, strip)) {
            const bool mnemonic = (m_nReaderFlags & kRichRunMnemonic) != 0;
            RichTextDcGuard guard(dc, d, angle, mnemonic, true);
            const int ascent = guard.Metrics().tmAscent;
            const int type = d.m_nListStyleType;
            const COLORREF ink = ::GetTextColor(dc);
            RichBitmap* markerImage =
                d.m_strListStyleImage.empty() ? nullptr : m_pLayout->FindImage(d.m_strListStyleImage);
            CExtBitmap image;
            if (markerImage && ToExtBitmap(*markerImage, angle, image)) {
                const CSize size = image.GetPixelSize();
                const RichRect r = CalcMarkerRect(angle, d.m_nListStylePosition, content, strip,
                                                  RichSize{size.cx, size.cy}, ascent, 2, 10);
                StretchModeGuard stretch(dc, *m_pLayout);
                image.AlphaDrawWhole(dc, ToRect(r), 255);
            } else if (type == RichCode::ListCircle || type == RichCode::ListDisc || type == RichCode::ListSquare) {
                RichSize size = type == RichCode::ListSquare ? GetMarkerSizeSquare() : GetMarkerSizeRound();
                size.cx = ::MulDiv(size.cx, RichPlatform().DpiX(), 96);
                size.cy = ::MulDiv(size.cy, RichPlatform().DpiY(), 96);
                const RichRect r = CalcMarkerRect(angle, d.m_nListStylePosition, content, strip, size, ascent, 2, 10);
                if (type == RichCode::ListSquare) {
                    Fill(dc, r, ink);
                } else {
                    HPEN pen = type == RichCode::ListCircle ? ::CreatePen(PS_SOLID, 1, ink)
                                                            : static_cast<HPEN>(::GetStockObject(NULL_PEN));
                    HBRUSH brush = type == RichCode::ListDisc ? ::CreateSolidBrush(ink)
                                                              : static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
                    HGDIOBJ oldPen = ::SelectObject(dc, pen), oldBrush = ::SelectObject(dc, brush);
                    // Without a pen the filled ellipse stops a pixel short: grow it to the box.
                    ::Ellipse(dc, r.left, r.top, r.right + (type == RichCode::ListDisc), r.bottom + (type == RichCode::ListDisc));
                    ::SelectObject(dc, oldPen);
                    ::SelectObject(dc, oldBrush);
                    if (type == RichCode::ListCircle) ::DeleteObject(pen);
                    if (type == RichCode::ListDisc) ::DeleteObject(brush);
                }
            } else {
                const RichString number = FormatListNumber(type, GetListNumber(), 1) + u". ";
                const bool outside = d.m_nListStylePosition == RichCode::ListOutside;
                RichRect r = outside ? strip : content;
                UINT flags = DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX;
                if (outside) {
                    r.right -= 5;
                    flags |= DT_RIGHT;
                }
                if (GetMarkerWidth() >= 0 && r.Width() < GetMarkerWidth()) r.left = r.right - GetMarkerWidth();
                RECT rc = ToRect(r);
                DrawRichTextPlainFwd(angle, dc, reinterpret_cast<const wchar_t*>(number.c_str()),
                                     static_cast<int>(number.size()), &rc, flags);
            }
        }
    }
    if (GetTagName() == u"img") {
        RichBitmap* source = GetImage();
        CExtBitmap image;
        if (source && ToExtBitmap(*source, angle, image)) {
            const RichRect content = Deflate(InsideBorders(this, m_rcItem, d, angle), Sides(d.m_rcPadding, angle));
            if (!IsEmptyRect(content)) {
                StretchModeGuard stretch(dc, *m_pLayout);
                image.AlphaDrawSkinWhole(dc, ToRect(content), ToRect(Sides(d.m_rcSlice, angle)),
                                         TurnedDrawMethod(d.m_nDrawMethod, angle), true, false,
                                         static_cast<BYTE>(d.m_nTransparency));
            }
        }
    }
}

void CExtRichContentItem::PaintBorders(RichDcHandle dcHandle, const CExtRichStyleDescription& d) {
    HDC dc = Dc(dcHandle);
    if (!dc) return;
    const int angle = m_pLayout->m_nAngle;
    RichRect k = m_rcItem;
    if (!IsPositioned(this)) k = Deflate(k, Sides(d.m_rcMargin, angle));
    const RichRect w = Sides(d.m_rcBorderWidth, angle);
    const RichRect inner = Deflate(k, w);
    // Sides in the order left, right, top, bottom, as the style keeps them; turned for the angle.
    int style[4], width[4] = {w.left, w.right, w.top, w.bottom};
    COLORREF color[4];
    {
        int s[4] = {d.m_nBorderStyle[0], d.m_nBorderStyle[2], d.m_nBorderStyle[1], d.m_nBorderStyle[3]};
        RichColor c[4] = {d.m_clrBorder[0], d.m_clrBorder[2], d.m_clrBorder[1], d.m_clrBorder[3]};
        // s and c are now left, top, right, bottom: turn them like the widths.
        RotateBoxSides(angle, s[0], s[1], s[2], s[3]);
        int ci[4] = {static_cast<int>(c[0]), static_cast<int>(c[1]), static_cast<int>(c[2]), static_cast<int>(c[3])};
        RotateBoxSides(angle, ci[0], ci[1], ci[2], ci[3]);
        style[0] = s[0]; style[1] = s[2]; style[2] = s[1]; style[3] = s[3];
        color[0] = static_cast<COLORREF>(ci[0]); color[1] = static_cast<COLORREF>(ci[2]);
        color[2] = static_cast<COLORREF>(ci[1]); color[3] = static_cast<COLORREF>(ci[3]);
    }
    bool drawn[4];
    for (int i = 0; i < 4; ++i)
        drawn[i] = style[i] > RichCode::BorderInherit && static_cast<RichColor>(color[i]) != kRichColorNone &&
                   width[i] >= 1;
    if (d.m_bNoShade) {
        if (static_cast<RichColor>(color[3]) != kRichColorNone)
            Fill(dc, LessScrollBars(this, inner, d, angle), color[3]);
        return;
    }
    enum { L = 0, R = 1, T = 2, B = 3 };
    for (int e = 0; e < 4; ++e) {
        if (!drawn[e]) continue;
        int st = style[e];
        const int wd = width[e];
        if (st == RichCode::BorderDouble && wd < 3) st = RichCode::BorderSolid;
        if ((st == RichCode::BorderGroove || st == RichCode::BorderRidge) && wd < 2) st = RichCode::BorderSolid;
        RichRect strip = k;
        POINT poly[4];
        // Inner corners meet the neighbours' inner corners when those edges are drawn (mitres).
        switch (e) {
        case L:
            strip.right = k.left + wd;
            poly[0] = {k.left, k.top};
            poly[1] = {k.left, k.bottom};
            poly[2] = {strip.right, drawn[B] ? inner.bottom : k.bottom};
            poly[3] = {strip.right, drawn[T] ? inner.top : k.top};
            break;
        case R:
            strip.left = k.right - wd;
            poly[0] = {k.right, k.top};
            poly[1] = {k.right, k.bottom};
            poly[2] = {strip.left, drawn[B] ? inner.bottom : k.bottom};
            poly[3] = {strip.left, drawn[T] ? inner.top : k.top};
            break;
        case T:
            strip.bottom = k.top + wd;
            poly[0] = {k.left, k.top};
            poly[1] = {k.right, k.top};
            poly[2] = {drawn[R] ? inner.right : k.right, strip.bottom};
            poly[3] = {drawn[L] ? inner.left : k.left, strip.bottom};
            break;
        default:
            strip.top = k.bottom - wd;
            poly[0] = {k.left, k.bottom};
            poly[1] = {k.right, k.bottom};
            poly[2] = {drawn[R] ? inner.right : k.right, strip.top};
            poly[3] = {drawn[L] ? inner.left : k.left, strip.top};
            break;
        }
        const bool horizontal = e == T || e == B;
        const bool leading = e == L || e == T;  // the dark side of inset, the light side of outset
        const COLORREF c = color[e];
        // A part of the strip `from` to `to` pixels deep from the outside.
        auto part = [&](int from, int to) {
            RichRect r = strip;
            switch (e) {
            case L: r.left = k.left + from; r.right = k.left + to; break;
            case R: r.right = k.right - from; r.left = k.right - to; break;
            case T: r.top = k.top + from; r.bottom = k.top + to; break;
            default: r.bottom = k.bottom - from; r.top = k.bottom - to; break;
            }
            return r;
        };
        switch (st) {
        case RichCode::BorderSolid: FillPolygonRegion(dc, poly, strip, c); break;
        case RichCode::BorderInset: FillPolygonRegion(dc, poly, strip, Shade(c, leading ? -0.25 : 0.25)); break;
        case RichCode::BorderOutset: FillPolygonRegion(dc, poly, strip, Shade(c, leading ? 0.25 : -0.25)); break;
        case RichCode::BorderDouble:
            FillPolygonRegion(dc, poly, part(0, wd / 3), c);
            FillPolygonRegion(dc, poly, part(wd - wd / 3, wd), c);
            break;
        case RichCode::BorderGroove:
        case RichCode::BorderRidge: {
            const double outer = (st == RichCode::BorderGroove) == leading ? -0.25 : 0.25;
            FillPolygonRegion(dc, poly, part(0, wd / 2), Shade(c, outer));
            FillPolygonRegion(dc, poly, part(wd / 2, wd), Shade(c, -outer));
            break;
        }
        case RichCode::BorderDotted:
        case RichCode::BorderDashed: {
            // Segments run clockwise from each edge's first corner.
            const int len = st == RichCode::BorderDotted ? wd : wd * 3;
            if (len <= 0) break;
            if (horizontal) {
                const bool forward = e == T;
                for (int i = 0;; i += 2 * len) {
                    RichRect seg = strip;
                    if (forward) { seg.left = k.left + i; seg.right = std::min(seg.left + len, k.right); }
                    else { seg.right = k.right - i; seg.left = std::max(seg.right - len, k.left); }
                    if (IsEmptyRect(seg)) break;
                    Fill(dc, seg, c);
                }
            } else {
                const bool forward = e == R;
                for (int i = 0;; i += 2 * len) {
                    RichRect seg = strip;
                    if (forward) { seg.top = k.top + i; seg.bottom = std::min(seg.top + len, k.bottom); }
                    else { seg.bottom = k.bottom - i; seg.top = std::max(seg.bottom - len, k.top); }
                    if (IsEmptyRect(seg)) break;
                    Fill(dc, seg, c);
                }
            }
            break;
        }
        default: break;
        }
    }
}

// ---- the run painter ----

bool CExtRichContentLayout::DrawTextRun(RichDcHandle dcHandle, int x, int y, const char16_t* text, int length) {
    HDC dc = Dc(dcHandle);
    if (!dc || !text || length == 0) return false;
    if (length < 0) length = static_cast<int>(std::char_traits<char16_t>::length(text));
    const wchar_t* w = reinterpret_cast<const wchar_t*>(text);
    RichBkModeRestorer mode(dc);
    ::SetBkMode(dc, TRANSPARENT);
    const bool themedSystem = g_PaintManagerHolder.HasOs(extpaint::OsIsXP) ||
                              g_PaintManagerHolder.HasOs(extpaint::OsLaterThan2000);
    if (m_nAngle == 0 && m_strThemeClassList && *m_strThemeClassList && themedSystem) {
        SIZE size{};
        ::GetTextExtentPoint32W(dc, w, length, &size);
        CExtUxTheme& ux = g_PaintManagerHolder.m_UxTheme;
        bool openedHere = false;
        if (!ux.IsThemeOpen()) {
            HWND host = m_hWndTheme ? static_cast<HWND>(m_hWndTheme) : ::GetDesktopWindow();
            const wchar_t* classes = reinterpret_cast<const wchar_t*>(m_strThemeClassList);
            HTHEME theme = nullptr;
            if (g_PaintManagerHolder.HasOs(extpaint::OsNT6OrLater))
                theme = ux.OpenThemeDataEx(host, classes, static_cast<DWORD>(m_nThemeOpenFlags));
            if (!theme) theme = ux.OpenThemeData(host, classes);
            openedHere = theme != nullptr;
        }
        if (ux.IsThemeOpen()) {
            RECT rc{x, y, x + size.cx, y + size.cy};
            HRESULT hr = E_FAIL;
            const DTTOPTS* given = static_cast<const DTTOPTS*>(m_pThemeTextOptions);
            if (given && g_PaintManagerHolder.HasOs(extpaint::OsNT6OrLater)) {
                DTTOPTS options = *given;
                options.dwSize = sizeof(DTTOPTS);
                if (!(options.dwFlags & DTT_TEXTCOLOR)) {
                    options.dwFlags |= DTT_TEXTCOLOR;
                    options.crText = ::GetTextColor(dc);
                }
                CDC* target = CDC::FromHandle(dc);
                CExtMemoryDC surface(target, &rc,
                                     CExtMemoryDC::ToMemory | CExtMemoryDC::Dib32 | CExtMemoryDC::CopyTarget |
                                         CExtMemoryDC::DibTopDown);
                HDC sdc = surface.GetSafeHdc();
                ::SetBkMode(sdc, TRANSPARENT);
                ::SetTextColor(sdc, ::GetTextColor(dc));
                ::SetBkColor(sdc, ::GetBkColor(dc));
                HGDIOBJ oldFont = ::SelectObject(sdc, ::GetCurrentObject(dc, OBJ_FONT));
                hr = ux.DrawThemeTextEx(sdc, m_nPartID, m_nStateID, CString(w, length), length,
                                        DT_SINGLELINE | DT_NOPREFIX, &rc, &options);
                ::SelectObject(sdc, oldFont);
            } else {
                hr = ux.DrawThemeText(dc, m_nPartID, m_nStateID, w, length, DT_SINGLELINE | DT_NOPREFIX, 0, &rc);
            }
            if (openedHere) ux.CloseThemeData();
            if (hr == S_OK) return true;
        }
    }
    const RICHTEXT_DRAWSTATE_DATA* state = static_cast<const RICHTEXT_DRAWSTATE_DATA*>(m_pDrawStateData);
    if (!state) return ::TextOutW(dc, x, y, w, length) != FALSE;
    if (m_nAngle == 0) {
        SIZE size{};
        ::GetTextExtentPoint32W(dc, w, length, &size);
        return ::DrawStateW(dc, state->m_hBrush, state->m_pOutputProc, reinterpret_cast<LPARAM>(w),
                            static_cast<WPARAM>(length), x, y, size.cx, size.cy, state->m_nStateFlags | DST_TEXT) !=
               FALSE;
    }
    const COLORREF highlight = state->m_clrHighlight == static_cast<COLORREF>(-1) ? ::GetSysColor(COLOR_BTNHIGHLIGHT)
                                                                                  : state->m_clrHighlight;
    const COLORREF shadow =
        state->m_clrShadow == static_cast<COLORREF>(-1) ? ::GetSysColor(COLOR_BTNSHADOW) : state->m_clrShadow;
    const COLORREF old = ::SetTextColor(dc, highlight);
    bool ok = ::TextOutW(dc, x + state->m_nHighlightOffsetX, y + state->m_nHighlightOffsetY, w, length) != FALSE;
    ::SetTextColor(dc, shadow);
    ok = (::TextOutW(dc, x + state->m_nShadowOffsetX, y + state->m_nShadowOffsetY, w, length) != FALSE) || ok;
    ::SetTextColor(dc, old);
    return ok;
}
