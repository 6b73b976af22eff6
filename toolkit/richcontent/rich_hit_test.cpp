// Point hit testing: which items lie under a point, outermost first, and which box zone or
// scroll-bar part of each was hit.
//
// The point of the record is in the coordinates of the items' own rectangles (m_rcItem): a
// scrolling element adds its scroll offset while its children are tested, so each child is tested
// in its own coordinates. Zone rectangles handed back are screen rectangles (GetScreenRect).
#include "toolkit/richcontent/rich_hit_test.h"

#include "toolkit/richcontent/rich_geometry.h"
#include "toolkit/richcontent/rich_layout.h"
#include "toolkit/richcontent/rich_scroll_box.h"

namespace {

bool IsRotated(const CExtRichContentItem* item) { return item->GetLayout() && item->GetLayout()->m_nAngle != 0; }

bool IsPositioned(CExtRichContentItem* item) {
    const int position = item->GetEffectivePosition();
    return position == RichCode::PositionAbsolute || position == RichCode::PositionFixed;
}

// The four strips of the ring between an outer and an inner rectangle.
struct Ring {
    RichRect top, bottom, left, right;
    Ring(const RichRect& o, const RichRect& i)
        : top{o.left, o.top, o.right, i.top}, bottom{o.left, i.bottom, o.right, o.bottom},
          left{o.left, i.top, i.left, i.bottom}, right{i.right, i.top, o.right, i.bottom} {}
};

// Tests the ring; a hit strip is stored (in screen coordinates) and its side code ORed in.
// Answers the ring's code.
std::uint32_t TestRing(const Ring& ring, RichPoint pt, RichHitInfo& info, int dx, int dy, std::uint32_t top,
                       std::uint32_t bottom, std::uint32_t left, std::uint32_t right) {
    std::uint32_t code = 0;
    if (ring.top.Contains(pt.x, pt.y)) {
        info.m_rcTop = RichOffsetRect(ring.top, dx, dy);
        code |= top;
    }
    if (ring.bottom.Contains(pt.x, pt.y)) {
        info.m_rcBottom = RichOffsetRect(ring.bottom, dx, dy);
        code |= bottom;
    }
    if (ring.left.Contains(pt.x, pt.y)) {
        info.m_rcLeft = RichOffsetRect(ring.left, dx, dy);
        code |= left;
    }
    if (ring.right.Contains(pt.x, pt.y)) {
        info.m_rcRight = RichOffsetRect(ring.right, dx, dy);
        code |= right;
    }
    info.m_nHitCode |= code;
    return code;
}

std::uint32_t BarPartCode(const RichScrollBarData& data, RichPoint pt, bool horizontal) {
    const int part = data.HitTest(pt);
    const int shift = horizontal ? 4 : 0;
    switch (part) {
    case RichScrollBarData::PartLineUp:
        return 1u << shift;
    case RichScrollBarData::PartLineDown:
        return 2u << shift;
    case RichScrollBarData::PartPageUp:
        return 3u << shift;
    case RichScrollBarData::PartPageDown:
        return 4u << shift;
    case RichScrollBarData::PartThumb:
        if (data.m_bEnabled) return 5u << shift;
        break;
    default:
        break;
    }
    return horizontal ? kRichHitHBar : kRichHitVBar;
}

}  // namespace

bool CExtRichContentItem::HitTest(RichHitTestRecord& record, CExtRichContentItem* target) {
    if (!CanBeHovered(false, true)) return false;
    // Positioned items are tested on their own by the caller.
    if (IsPositioned(this) && this != target) return false;
    if (m_nKind == kRichItemElement && IsInlineLevel()) return HitTestChildren(record, target);
    if (m_nKind >= kRichItemText && m_nKind <= kRichItemElement && !m_rcItem.Contains(record.m_pt.x, record.m_pt.y))
        return false;
    if (IsRotated(this) || !IsElementOrRoot()) return HitTestChildren(record, target);

    const std::size_t pathBefore = record.m_path.size();
    const bool hit = HitTestChildren(record, target);
    const int overflow = ReadStyle().m_nOverflow;
    if (!hit || (overflow != RichCode::OverflowHidden && overflow != RichCode::OverflowAuto) || record.m_path.empty())
        return hit;
    // Clipped content: a hit on an item wholly outside this box does not count, and the entries
    // its children added go with it.
    CExtRichContentItem* innermost = record.m_path.back().m_pItem;
    const RichRect inner = innermost->GetScreenRect(), own = GetScreenRect();
    if (inner.top > own.bottom || inner.left > own.right || inner.right <= own.left || inner.bottom <= own.top) {
        record.m_path.erase(record.m_path.begin(),
                            record.m_path.begin() + static_cast<std::ptrdiff_t>(record.m_path.size() - pathBefore));
        return false;
    }
    return hit;
}

bool CExtRichContentItem::HitTestChildren(RichHitTestRecord& record, CExtRichContentItem* target) {
    const bool provisional = m_nKind == kRichItemText || m_nKind == kRichItemWhiteSpace ||
                             (m_nKind == kRichItemElement && !IsInlineLevel());
    if (!IsElementOrRoot()) return provisional;
    const bool rotated = IsRotated(this);
    // On the box's own margins, borders, padding or bars: the box is hit, not its children.
    if (!rotated && provisional) {
        const RichRect inner = RichScrollBox(this, m_rcItem).Content();
        if (!inner.Contains(record.m_pt.x, record.m_pt.y)) return true;
    }
    const bool scrolling = !rotated && (GetScrollBarModeH() == 2 || GetScrollBarModeV() == 2);
    const RichPoint saved = record.m_pt;
    if (scrolling) {
        const RichPoint scroll = GetScrollOffset();
        record.m_pt.x += scroll.x;
        record.m_pt.y += scroll.y;
    }
    auto visit = [&](CExtRichContentItem* child) {
        if (!child->HitTest(record, target)) return false;
        RichHitInfo info;
        info.m_pItem = child;
        info.m_nHitCode = kRichHitContent;
        child->HitTestBoxZones(record.m_pt, info);
        if (info.m_nHitCode == 0) return false;
        record.m_path.insert(record.m_path.begin(), info);
        return true;
    };
    auto isDockFill = [](CExtRichContentItem* child) {
        const int dock = child->ReadStyle().m_nUiDock;
        return dock == RichCode::DockNone || dock == RichCode::DockFill || dock == RichCode::DockPreFill;
    };
    bool found = false;
    for (CExtRichContentItem* child : m_listChildren) {
        if (child->GetEffectiveDisplay() == RichCode::DisplayUiDock && isDockFill(child)) continue;
        if ((found = visit(child))) break;
    }
    for (int sweep = 0; sweep < 2 && !found; ++sweep) {
        for (CExtRichContentItem* child : GetDockedFill()) {
            if (child->GetEffectiveDisplay() != RichCode::DisplayUiDock) continue;
            const bool preFill = child->ReadStyle().m_nUiDock == RichCode::DockPreFill;
            if (preFill != (sweep == 1)) continue;
            if ((found = visit(child))) break;
        }
    }
    record.m_pt = saved;
    return found ? true : provisional;
}

void CExtRichContentItem::HitTestBoxZones(RichPoint point, RichHitInfo& info) {
    const RichRect screen = GetScreenRect();
    info.m_rcItem = screen;
    if (m_nKind == kRichItemText || m_nKind == kRichItemWhiteSpace || m_nKind == kRichItemRoot ||
        m_nKind > kRichItemElement || IsInlineLevel())
        return;
    // The point is in m_rcItem coordinates; strips go back in screen coordinates.
    const int dx = screen.left - m_rcItem.left, dy = screen.top - m_rcItem.top;
    const RichScrollBox box(this, m_rcItem);
    if (TestRing(Ring(m_rcItem, box.m_rcMarginInner), point, info, dx, dy, kRichHitMarginTop, kRichHitMarginBottom,
                 0, kRichHitMarginRight))
        return;
    if (TestRing(Ring(box.m_rcMarginInner, box.m_rcBorderInner), point, info, dx, dy, kRichHitBorderTop,
                 kRichHitBorderBottom, 0, kRichHitBorderRight))
        return;
    if (!IsRotated(this)) {
        if (!RichIsRectEmpty(box.m_rcCorner) && box.m_rcCorner.Contains(point.x, point.y)) {
            info.m_nHitCode = kRichHitScrollCorner;
            return;
        }
        for (bool horizontal : {true, false}) {
            const RichRect& bar = horizontal ? box.m_rcBarH : box.m_rcBarV;
            if (RichIsRectEmpty(bar) || !bar.Contains(point.x, point.y)) continue;
            RichScrollBarData data;
            LayoutScrollBar(horizontal, bar, data, false);
            info.m_nHitCode = BarPartCode(data, point, horizontal);
            return;
        }
    }
    const RichRect content = box.Content();
    TestRing(Ring(content, RichDeflateRect(content, ReadStyle().m_rcPadding)), point, info, dx, dy,
             kRichHitPaddingTop, kRichHitPaddingBottom, 0, kRichHitPaddingRight);
}
