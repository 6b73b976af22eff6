// Element scroll bars: their modes, geometry, the scroll offset kept within the range, wheel
// scrolling, scrolling into view and painting through the installed painter.
#include "toolkit/richcontent/rich_geometry.h"
#include "toolkit/richcontent/rich_hit_test.h"
#include "toolkit/richcontent/rich_layout.h"
#include "toolkit/richcontent/rich_platform.h"
#include "toolkit/richcontent/rich_scroll_box.h"

#include "toolkit/paint/scrollbar_layout.h"

#include <algorithm>
#include <climits>

namespace {

bool IsRotated(const CExtRichContentItem* item) { return item->GetLayout() && item->GetLayout()->m_nAngle != 0; }

constexpr unsigned kSifAll = 0x17;
constexpr int kDefaultMinThumb = 9;

CExtRichScrollBarPainter g_defaultPainter;
CExtRichScrollBarPainter* g_painter = nullptr;

extpaint::SbRect ToSb(const RichRect& r) { return extpaint::SbRect{r.left, r.top, r.right, r.bottom}; }
RichRect FromSb(const extpaint::SbRect& r) { return RichRect{r.left, r.top, r.right, r.bottom}; }

}  // namespace

// ---- painter ----

bool CExtRichScrollBarPainter::MeasureScrollBar(bool, int&, int&) { return false; }
void CExtRichScrollBarPainter::DrawScrollBar(RichDcHandle, const RichScrollBarData&) {}
void CExtRichScrollBarPainter::FillCorner(RichDcHandle, const RichRect&) {}

CExtRichScrollBarPainter& RichScrollBarPainter() { return g_painter ? *g_painter : g_defaultPainter; }

CExtRichScrollBarPainter* RichSetScrollBarPainter(CExtRichScrollBarPainter* painter) {
    CExtRichScrollBarPainter* previous = g_painter;
    g_painter = painter;
    return previous;
}

// ---- bar record ----

int RichScrollBarData::HitTest(RichPoint pt) const {
    if (RichIsRectEmpty(m_rcBar)) return PartNone;
    const std::pair<const RichRect*, int> parts[] = {{&m_rcButtonUp, PartLineUp},
                                                     {&m_rcButtonDown, PartLineDown},
                                                     {&m_rcThumb, PartThumb},
                                                     {&m_rcPageUp, PartPageUp},
                                                     {&m_rcPageDown, PartPageDown}};
    for (const auto& [rect, part] : parts)
        if (!RichIsRectEmpty(*rect) && rect->Contains(pt.x, pt.y)) return part;
    return PartNone;
}

int RichScrollBarPartFromHitCode(int hitCode) {
    int code = hitCode & 0xF;
    if (code == 0) code = (hitCode >> 4) & 0xF;
    switch (code) {
    case 1:
        return RichScrollBarData::PartLineUp;
    case 2:
        return RichScrollBarData::PartLineDown;
    case 3:
        return RichScrollBarData::PartPageUp;
    case 4:
        return RichScrollBarData::PartPageDown;
    case 5:
        return RichScrollBarData::PartThumb;
    default:
        return RichScrollBarData::PartNone;
    }
}

// ---- boxes ----

RichScrollBox::RichScrollBox(CExtRichContentItem* item, const RichRect& outer) {
    const CExtRichStyleDescription& style = item->ReadStyle();
    m_rcMarginInner = RichDeflateRect(outer, style.m_rcCellPadding);
    const int position = item->GetEffectivePosition();
    if (position == RichCode::PositionRelative || position == RichCode::PositionStatic)
        m_rcMarginInner = RichDeflateRect(m_rcMarginInner, style.m_rcMargin);
    m_rcBorderInner = RichDeflateRect(m_rcMarginInner, style.m_rcBorderWidth);
    if (IsRotated(item)) return;
    m_bShowH = item->GetScrollBarModeH() == 2;
    m_bShowV = item->GetScrollBarModeV() == 2;
    m_nBarHeight = m_bShowH ? item->GetScrollBarHeight() : 0;
    m_nBarWidth = m_bShowV ? item->GetScrollBarWidth() : 0;
    const RichRect& a = m_rcBorderInner;
    if (m_bShowH) m_rcBarH = RichRect{a.left, a.bottom - m_nBarHeight, a.right - m_nBarWidth, a.bottom};
    if (m_bShowV) m_rcBarV = RichRect{a.right - m_nBarWidth, a.top, a.right, a.bottom - m_nBarHeight};
    if (m_bShowH && m_bShowV) m_rcCorner = RichRect{a.right - m_nBarWidth, a.bottom - m_nBarHeight, a.right, a.bottom};
}

RichRect RichScrollBox::Content() const {
    RichRect r = m_rcBorderInner;
    r.bottom -= m_nBarHeight;
    r.right -= m_nBarWidth;
    return r;
}

RichRect CExtRichContentItem::GetScrollInnerRect(bool lessBars) {
    const RichScrollBox box(this, GetScreenRect());
    return lessBars ? box.Content() : box.m_rcBorderInner;
}

void CExtRichContentItem::GetScrollBarRects(const RichRect& inner, RichRect& horizontal, RichRect& vertical,
                                            RichRect& corner) {
    horizontal = vertical = corner = RichRect{};
    if (IsRotated(this)) return;
    const bool showH = GetScrollBarModeH() == 2, showV = GetScrollBarModeV() == 2;
    const int height = showH ? GetScrollBarHeight() : 0, width = showV ? GetScrollBarWidth() : 0;
    if (showH) horizontal = RichRect{inner.left, inner.bottom - height, inner.right - width, inner.bottom};
    if (showV) vertical = RichRect{inner.right - width, inner.top, inner.right, inner.bottom - height};
    if (showH && showV) corner = RichRect{inner.right - width, inner.bottom - height, inner.right, inner.bottom};
}

// ---- modes and offsets ----

int CExtRichContentItem::GetScrollBarModeH() {
    if (IsRotated(this) || !IsElementOrRoot()) return 1;
    const CExtRichStyleDescription& style = ReadStyle();
    if (style.m_nOverflow == RichCode::OverflowScroll && GetScrollRange().cx > 0) return 2;
    if (style.m_nOverflow != RichCode::OverflowAuto && style.m_nScrollBarH != 0) return style.m_nScrollBarH;
    return 1;
}

int CExtRichContentItem::GetScrollBarModeV() {
    if (IsRotated(this) || !IsElementOrRoot()) return 1;
    const CExtRichStyleDescription& style = ReadStyle();
    if (style.m_nOverflow == RichCode::OverflowScroll && GetScrollRange().cy > 0) return 2;
    if (style.m_nOverflow != RichCode::OverflowAuto && style.m_nScrollBarV != 0) return style.m_nScrollBarV;
    return 1;
}

void CExtRichContentItem::SetScrollPos(int x, int y, RichWindowHandle host) {
    if (GetScrollOffset() == RichPoint{x, y}) return;
    SetScrollOffset(RichPoint{x, y});
    if (host) RichPlatform().InvalidateWindow(host);
}

// ---- geometry ----

void CExtRichContentItem::LayoutScrollBar(bool horizontal, const RichRect& rect, RichScrollBarData& data,
                                          bool clamp) {
    if (IsRotated(this)) return;
    const RichSize ranges = GetScrollRange();
    const RichPoint offset = GetScrollOffset();
    const int range = horizontal ? ranges.cx : ranges.cy;
    const int visible = std::max(horizontal ? rect.Width() : rect.Height(), 0);
    const int position = horizontal ? offset.x : offset.y;
    data.m_bHorzBar = horizontal;
    data.m_rcBar = rect;
    data.m_bEnabled = range > 0;
    RichScrollInfo& info = data.m_scrollInfo;
    info.m_nMask = kSifAll;
    info.m_nMin = 0;
    info.m_nMax = static_cast<int>(std::min<long long>(static_cast<long long>(visible) + range, INT_MAX - 1));
    info.m_nPage = static_cast<unsigned>(visible);
    info.m_nPos = info.m_nTrackPos = position;
    if (static_cast<long long>(info.m_nMax) - info.m_nMin == info.m_nPage && info.m_nMax < 0x7ffffffe) {
        ++info.m_nMax;
        if (info.m_nPos > 0) ++info.m_nPos;
        if (info.m_nTrackPos > 0) ++info.m_nTrackPos;
    }

    int button = 0, minThumb = 0;
    if (!RichScrollBarPainter().MeasureScrollBar(horizontal, button, minThumb)) {
        button = RichPlatform().ScrollBarArrowLength(horizontal);
        minThumb = kDefaultMinThumb;
    }
    extpaint::SbLayoutInput in;
    in.horizontal = horizontal;
    in.enabled = data.m_bEnabled;
    in.bar = ToSb(rect);
    in.info = extpaint::SbInfo{info.m_nMin, info.m_nMax, info.m_nPage, info.m_nPos, info.m_nTrackPos};
    in.buttonLength = button;
    in.minThumb = minThumb;
    const extpaint::SbLayout out = extpaint::LayoutScrollBar(in);
    data.m_rcButtonUp = FromSb(out.lineUp);
    data.m_rcButtonDown = FromSb(out.lineDown);
    data.m_rcThumb = FromSb(out.thumb);
    data.m_rcPageUp = FromSb(out.pageUp);
    data.m_rcPageDown = FromSb(out.pageDown);
    data.m_rcTrack = FromSb(out.track);
    if (clamp) ClampScrollPos(data);
}

void CExtRichContentItem::ClampScrollPos(RichScrollBarData& data) {
    if (!data.m_bEnabled) return;
    RichScrollInfo& info = data.m_scrollInfo;
    const int limit = info.m_nMax - static_cast<int>(info.m_nPage) - info.m_nMin + 1;
    // Cut into [minimum, limit]: an offset below the start is as out of range as one past the end.
    auto cut = [&](int value) { return std::max(info.m_nMin, std::min(value, limit)); };
    info.m_nPos = cut(info.m_nPos);
    info.m_nTrackPos = cut(info.m_nTrackPos);
    RichPoint offset = GetScrollOffset();
    (data.m_bHorzBar ? offset.x : offset.y) = cut(data.m_bHorzBar ? offset.x : offset.y);
    SetScrollOffset(offset);
}

// ---- wheel and scrolling into view ----

bool CExtRichContentItem::ScrollOnMouseWheel(int delta, RichPoint point, RichWindowHandle host) {
    const int modeH = GetScrollBarModeH(), modeV = GetScrollBarModeV();
    bool horizontal;
    const RichSize range = GetScrollRange();
    if (modeV == 2 && range.cy > 0) horizontal = false;
    else if (modeH == 2 && range.cx > 0) horizontal = true;
    else return false;
    const RichScrollBox box(this, GetScreenRect());
    RichScrollBarData data;
    LayoutScrollBar(horizontal, horizontal ? box.m_rcBarH : box.m_rcBarV, data, false);
    data.HitTestAndRemember(point);
    const int step = IsScrollable();
    const RichScrollInfo& info = data.m_scrollInfo;
    const long long upper = static_cast<long long>(info.m_nMax) - info.m_nPage + 1;
    long long next = static_cast<long long>(info.m_nPos) - static_cast<long long>(step) * delta + step;
    next = std::max<long long>(std::min(next, upper), info.m_nMin);
    if (next == info.m_nPos) return false;
    const int value = static_cast<int>(next);
    const RichPoint offset = GetScrollOffset();
    SetScrollPos(horizontal ? value : offset.x, horizontal ? offset.y : value, host);
    return true;
}

void CExtRichContentItem::ScrollIntoView(RichRect rect, bool horizontal, bool vertical, bool alignEnd,
                                         bool alignBottom, bool always) {
    const int modeH = GetScrollBarModeH(), modeV = GetScrollBarModeV();
    if (modeH != 2 && modeV != 2) {
        if (m_pParent) m_pParent->ScrollIntoView(rect, horizontal, vertical, alignEnd, alignBottom, always);
        return;
    }
    const RichRect view = GetScrollInnerRect(true);
    // Moves [lo, hi) into [viewLo, viewHi): answers the shift (positive towards the end).
    auto fit = [](int lo, int hi, int viewLo, int viewHi, bool toEnd) {
        int shift = 0;
        if (toEnd) {
            if (hi > viewHi) shift -= hi - viewHi;
            if (lo + shift < viewLo) shift += viewLo - (lo + shift);
        } else {
            if (lo < viewLo) shift += viewLo - lo;
            if (hi + shift > viewHi) shift -= hi + shift - viewHi;
        }
        return shift;
    };
    int dx = 0, dy = 0;
    if (horizontal && modeH == 2) {
        dx = fit(rect.left, rect.right, view.left, view.right, alignEnd);
        ScrollOffset().x -= dx;
    }
    if (vertical && modeV == 2) {
        dy = fit(rect.top, rect.bottom, view.top, view.bottom, alignBottom);
        ScrollOffset().y -= dy;
    }
    rect = RichOffsetRect(rect, dx, dy);
    if ((dx == 0 && dy == 0) || always)
        if (m_pParent) m_pParent->ScrollIntoView(rect, horizontal, vertical, alignEnd, alignBottom, always);
}

void CExtRichContentItem::ScrollParentsToShow(bool horizontal, bool vertical, bool alignEnd, bool alignBottom,
                                              bool always) {
    if ((horizontal || vertical) && m_pParent)
        m_pParent->ScrollIntoView(GetScreenRect(), horizontal, vertical, alignEnd, alignBottom, always);
}

// ---- painting ----

void CExtRichContentItem::PaintScrollBar(RichDcHandle dc, bool horizontal, const RichRect& rect) {
    RichScrollBarData data;
    LayoutScrollBar(horizontal, rect, data, true);
    if (data.m_bEnabled) {
        data.m_nHotPart = RichScrollBarPartFromHitCode(GetScrollBarHotPart());
        const std::uint8_t flags = GetScrollBarFlags();
        data.m_bPressed = (flags & 0x01) && !(flags & 0x04);
    }
    RichScrollBarPainter().DrawScrollBar(dc, data);
}

void CExtRichContentItem::PaintScrollBarCorner(RichDcHandle dc, const RichRect& rect) {
    if (!RichIsRectEmpty(rect)) RichScrollBarPainter().FillCorner(dc, rect);
}

void CExtRichContentItem::PaintScrollBars(RichDcHandle dc, const RichRect& /*clip*/, RichEventArg /*extra*/,
                                          CExtRichContentItem* /*target*/) {
    if (IsRotated(this)) return;
    const RichScrollBox box(this, GetScreenRect());
    if (box.m_bShowH) PaintScrollBar(dc, true, box.m_rcBarH);
    if (box.m_bShowV) PaintScrollBar(dc, false, box.m_rcBarV);
    if (box.m_bShowH && box.m_bShowV) PaintScrollBarCorner(dc, box.m_rcCorner);
}
