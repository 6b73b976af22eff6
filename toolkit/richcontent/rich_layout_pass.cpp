// The layout pass: the document's layout operation and each item's box (limits, positioning,
// explicit sizes, insets, docked children, the flow or the table inside, the final box and the
// scroll ranges). Lines are rich_line_layout.cpp, tables rich_table_pass.cpp. Every box is the
// item's margin box in m_rcItem; the painter takes margins, borders and padding off it.
#include "toolkit/richcontent/rich_geometry.h"
#include "toolkit/richcontent/rich_hit_test.h"
#include "toolkit/richcontent/rich_item.h"
#include "toolkit/richcontent/rich_layout.h"
#include "toolkit/richcontent/rich_layout_support.h"
#include "toolkit/richcontent/rich_platform.h"
#include "toolkit/richcontent/rich_table_pass.h"

#include <algorithm>

void CExtRichContentLayout::Layout(RichDcHandle dc, const RichRect& rect) {
    CExtRichContentItem* root = GetRoot();
    if (!root) return;
    m_rcLayout = rect;
    InvalidatePaintIndex();
    ClearPassLists();
    RebuildStyleSheets();
    root->LayoutDocument(dc, rect);
    root->BoundChildren(true);
}

void CExtRichContentItem::LayoutDocument(RichDcHandle dc, const RichRect& rect) {
    CExtRichContentLayout* doc = m_pLayout;
    if (!doc) return;
    const int angle = doc->m_nAngle;
    RichRect frame = rect;
    if (angle == 90 || angle == 270)
        frame = RichRect{rect.left, rect.top, rect.left + rect.Height(), rect.top + rect.Width()};
    doc->m_rcLayout = frame;

    CExtRichStyleDescription start;
    start.m_font.m_lf = RichPlatform().DcFont(dc);
    start.m_font.m_lf.lfCharSet = kRichDefaultCharset;
    m_bStyleValid = false;
    ComputeStyle(dc, start, frame);
    MeasureContent(dc, frame);

    m_rcItem = RichRect{};
    LayoutContent(dc, frame, nullptr, false);
    for (RichPosition pos = doc->m_listPass.GetHeadPosition(); pos;) {
        CExtRichContentItem* item = doc->m_listPass.GetNext(pos);
        item->LayoutContent(dc, frame, item, false);
    }

    // Rotated rectangles turn about the document's own rectangle.
    doc->m_rcLayout = rect;
    if (angle == 90 || angle == 180 || angle == 270) RotateRect(angle);
}

namespace {

bool IsTableDisplay(int display) {
    return display == RichCode::DisplayTable || display == RichCode::DisplayInlineTable;
}

bool IsTablePart(int display) {
    return display >= RichCode::DisplayTableFooterGroup && display <= RichCode::DisplayTableRowGroup;
}

RichRect Deflate(RichRect r, const RichInsets& in) {
    r.left += in.left;
    r.top += in.top;
    r.right -= in.right;
    r.bottom -= in.bottom;
    return r;
}

// Insets wider than the box, or edges docked past each other, leave an empty box at the near
// edges rather than a turned one.
RichRect Ordered(RichRect r) {
    r.right = std::max(r.right, r.left);
    r.bottom = std::max(r.bottom, r.top);
    return r;
}

RichRect Inflate(RichRect r, const RichInsets& in) {
    r.left -= in.left;
    r.top -= in.top;
    r.right += in.right;
    r.bottom += in.bottom;
    return r;
}

// The nearest ancestor that is itself absolutely or fixed positioned.
CExtRichContentItem* PositionedAncestor(CExtRichContentItem* item) {
    for (CExtRichContentItem* a = item->m_pParent; a; a = a->m_pParent)
        if (a->IsElementOrRoot() && RichIsOutOfFlow(a)) return a;
    return nullptr;
}

// The box of an absolutely or fixed positioned item from its offsets.
RichRect PositionedBox(CExtRichContentItem* item, RichRect a) {
    const CExtRichStyleDescription& s = item->ReadStyle();
    RichRect p = s.m_rcPosition;
    CExtRichContentItem* parent = item->m_pParent;
    if (parent && parent->IsElementOrRoot()) {
        const RichRect& box = parent->m_rcItem;
        const RichRect& pct = s.m_rcPositionPercent;
        if (pct.left != kRichUnsetPixels) p.left = box.left + RichMulDiv(box.Width(), pct.left, 100);
        if (pct.top != kRichUnsetPixels) p.top = box.top + RichMulDiv(box.Height(), pct.top, 100);
        if (pct.right != kRichUnsetPixels) p.right = box.right - RichMulDiv(box.Width(), pct.right, 100);
        if (pct.bottom != kRichUnsetPixels) p.bottom = box.bottom - RichMulDiv(box.Height(), pct.bottom, 100);
    }
    const bool absolute = item->GetEffectivePosition() == RichCode::PositionAbsolute;
    if (CExtRichContentItem* anchor = PositionedAncestor(item)) {
        const CExtRichStyleDescription& as = anchor->ReadStyle();
        const int ax = anchor->m_rcItem.left + RichSide(as.m_rcMargin.left) + RichSide(as.m_rcBorderWidth.left);
        const int ay = anchor->m_rcItem.top + RichSide(as.m_rcMargin.top) + RichSide(as.m_rcBorderWidth.top);
        if (absolute && p.left != kRichUnsetPixels && p.top != kRichUnsetPixels) {
            p.left += ax;
            p.top += ay;
        } else {
            if (p.left == kRichUnsetPixels) p.left = ax;
            if (p.top == kRichUnsetPixels) p.top = ay;
        }
    }
    RichRect box;
    if (absolute) {
        if (parent && parent->IsElementOrRoot()) {
            if (a.left == kRichUnsetPixels) a.left = parent->m_rcItem.left;
            if (a.top == kRichUnsetPixels) a.top = parent->m_rcItem.top;
        }
        const int left = p.left == kRichUnsetPixels ? 0 : p.left;
        const int top = p.top == kRichUnsetPixels ? 0 : p.top;
        const int right = p.right == kRichUnsetPixels ? a.Width() : p.right;
        const int bottom = p.bottom == kRichUnsetPixels ? a.Height() : p.bottom;
        box = RichRect{a.left + left, a.top + top, a.left + right, a.top + bottom};
    } else {
        box = a;
        if (p.left != kRichUnsetPixels) box.left = p.left;
        if (p.top != kRichUnsetPixels) box.top = p.top;
        if (p.right != kRichUnsetPixels) box.right = p.right;
        if (p.bottom != kRichUnsetPixels) box.bottom = p.bottom;
    }
    return RichOffsetRect(box, RichSide(s.m_rcMargin.left), RichSide(s.m_rcMargin.top));
}

void OffsetChildren(CExtRichContentItem* item, int dx, int dy) {
    if (dx != 0 || dy != 0) item->OffsetItem(RichPoint{dx, dy}, false, true, true);
}

}  // namespace

void CExtRichContentItem::LayoutContent(RichDcHandle dc, const RichRect& available, CExtRichContentItem* target,
                                        bool relayout) {
    if (m_nKind > kRichItemElement) return;
    if (m_nKind == kRichItemText || m_nKind == kRichItemWhiteSpace) {
        m_rcItem = RichRect{available.left, available.top, available.left + m_nContentWidth,
                            available.top + m_nContentHeight};
        return;
    }
    const CExtRichStyleDescription& s = ReadStyle();
    if (s.m_nDisplay == RichCode::DisplayNone) return;
    const bool outOfFlow = RichIsOutOfFlow(this);
    if (outOfFlow && target != this) return;
    const bool caption = m_pLayout && m_pLayout->m_bCaptionDocument;
    const int angle = m_pLayout ? m_pLayout->m_nAngle : 0;
    const int display = GetEffectiveDisplay();

    // 1. Limits.
    RichRect a = available;
    if (s.m_nMaxWidth >= 0) a.right = std::min(a.right, a.left + s.m_nMaxWidth);
    if (s.m_nMaxHeight >= 0) a.bottom = std::min(a.bottom, a.top + s.m_nMaxHeight);
    if (s.m_nMinWidth >= 0) a.right = std::max(a.right, a.left + s.m_nMinWidth);
    if (s.m_nMinHeight >= 0) a.bottom = std::max(a.bottom, a.top + s.m_nMinHeight);
    // 2. Positioned boxes.
    if (outOfFlow) a = Ordered(PositionedBox(this, a));

    // 3. Explicit width and height.
    RichRect box = a;
    bool explicitWidth = false, explicitHeight = false;
    if (display != RichCode::DisplayTableCell) {
        int width = -1;
        if (s.m_nWidthPercent >= 0)
            width = RichMulDiv(a.Width(), s.m_nWidthPercent, 100);
        else if (s.m_nWidth >= 0)
            width = s.m_nWidth;
        if (width >= 0) {
            if (s.m_nOverflow == RichCode::OverflowVisible) width = std::max(width, m_nMinContentWidth);
            explicitWidth = true;
            box.right = box.left + width;
            const int free = a.Width() - width;
            if (free > 0 && a.right < kRichUnboundedLimit) {
                if (s.m_nTextAlign == RichCode::AlignCenter) box = RichOffsetRect(box, free / 2, 0);
                if (s.m_nTextAlign == RichCode::AlignRight) box = RichOffsetRect(box, free, 0);
            }
        }
    }
    if (!caption) {
        int height = -1;
        if (s.m_nHeightPercent >= 0) {
            height = RichMulDiv(a.Height(), s.m_nHeightPercent, 100);
        } else if (s.m_nHeight >= 0) {
            height = std::max(s.m_nHeight, RichSide(s.m_rcBorderWidth.top) + RichSide(s.m_rcBorderWidth.bottom) +
                                               (outOfFlow ? 0 : RichSide(s.m_rcMargin.top) + RichSide(s.m_rcMargin.bottom)));
        }
        if (height >= 0) {
            if (s.m_nOverflow == RichCode::OverflowVisible) height = std::max(height, m_nMinContentHeight);
            explicitHeight = true;
            box.bottom = box.top + height;
            // A block between lines has the rest of its container below it, not a slot of
            // its own: it stays at the top instead of moving to the middle of the page.
            const int free = a.Height() - height;
            if (free > 0 && a.bottom < kRichUnboundedLimit && !(m_nLayoutFlags & kRichLayoutFlowBlock)) {
                if (s.m_nVerticalAlign == RichCode::VAlignMiddle) box = RichOffsetRect(box, 0, free / 2);
                if (s.m_nVerticalAlign == RichCode::VAlignBottom) box = RichOffsetRect(box, 0, free);
            }
        }
    }

    // 4. Content rectangle.
    RichRect content = box;
    bool barH = false, barV = false;
    if (angle == 0) {
        barH = s.m_nScrollBarH == 2 || (s.m_nOverflow == RichCode::OverflowScroll && GetScrollRange().cx > 0);
        barV = s.m_nScrollBarV == 2 || (s.m_nOverflow == RichCode::OverflowScroll && GetScrollRange().cy > 0);
        if (barH) content.bottom -= GetScrollBarHeight();
        if (barV) content.right -= GetScrollBarWidth();
    }
    const RichInsets insets = RichBoxInsets(s, !outOfFlow);
    content = Ordered(Deflate(content, insets));

    // 5. Docked children take the edges, fill children what remains.
    for (CExtRichContentItem* child : GetDocked()) {
        child->m_rcItem = RichRect{};
        child->LayoutContent(dc, content, nullptr, false);
        const RichRect& r = child->m_rcItem;
        switch (child->ReadStyle().m_nUiDock) {
        case RichCode::DockTop:
        case RichCode::DockPreTop:
            content.top += r.Height();
            break;
        case RichCode::DockBottom:
        case RichCode::DockPreBottom:
            child->OffsetItem(RichPoint{0, content.bottom - r.bottom}, true, true, true);
            content.bottom -= r.Height();
            break;
        case RichCode::DockRight:
        case RichCode::DockPreRight:
            child->OffsetItem(RichPoint{content.right - r.right, 0}, true, true, true);
            content.right -= r.Width();
            break;
        default:
            content.left += r.Width();
            break;
        }
        content = Ordered(content);
    }
    for (CExtRichContentItem* child : GetDockedFill()) {
        child->m_rcItem = RichRect{};
        child->LayoutContent(dc, content, nullptr, false);
    }

    // 6. The flow or the table.
    RichRect inner{content.left, content.top, content.left, content.top};
    bool flow = false;
    int lastGap = 0;
    if (IsTableDisplay(display)) {
        inner = RichLayoutTable(this, dc, content);
    } else if (IsTablePart(display)) {
        UnionTableParts();
        return;
    } else if (IsRoot() || IsBlockLevel() || display == RichCode::DisplayInlineBlock || IsNoWrapInline()) {
        const RichFlowResult result = RichLayoutLines(this, dc, content);
        flow = true;
        lastGap = result.lastLineGap;
        if (result.any) {
            inner = result.bound;
            inner.left = std::min(inner.left, content.left);
            inner.top = std::min(inner.top, content.top);
            if (m_pLayout && (m_pLayout->m_nLayoutOptions & 0x02))
                inner.bottom = std::max(inner.top, inner.bottom - lastGap);
        }
    }

    // 7. The final box.
    if (display == RichCode::DisplayUiDock) {
        m_rcItem = box;
    } else {
        if (flow && (RichIsRectEmpty(inner) || inner.Height() == 0) && IsBlockLevel() &&
            display != RichCode::DisplayTableCell) {
            if (explicitHeight) inner.bottom = std::max(inner.bottom, content.bottom);
            if (explicitWidth) inner.right = std::max(inner.right, content.right);
        }
        RichRect outer = Inflate(inner, insets);
        if (barH) outer.bottom += GetScrollBarHeight();
        if (barV) outer.right += GetScrollBarWidth();
        // Sizes after content: a shorter box grows to its height (content placed by its
        // vertical-align), a narrower one to its width (content placed by its text-align).
        // Caption documents leave explicit heights out, but a line break still gets the
        // height that its drawing path measured for it.
        const int needHeight = caption ? m_nMinHeightHint : std::max(m_nContentHeight, s.m_nHeight);
        if (outer.Height() < needHeight) {
            const int free = needHeight - outer.Height();
            outer.bottom = outer.top + needHeight;
            if (s.m_nVerticalAlign == RichCode::VAlignMiddle) OffsetChildren(this, 0, free / 2);
            if (s.m_nVerticalAlign == RichCode::VAlignBottom) OffsetChildren(this, 0, free);
        }
        if (s.m_nWidth >= 0 && outer.Width() < s.m_nWidth) {
            const int free = s.m_nWidth - outer.Width();
            outer.right = outer.left + s.m_nWidth;
            if (s.m_nTextAlign == RichCode::AlignCenter) OffsetChildren(this, free / 2, 0);
            if (s.m_nTextAlign == RichCode::AlignRight) OffsetChildren(this, free, 0);
        }
        if (explicitWidth) {
            const bool table = IsTableDisplay(display);
            outer.left = box.left;
            outer.right = table ? std::max(box.right, box.left + outer.Width()) : box.right;
        }
        if (explicitHeight) {
            outer.top = box.top;
            outer.bottom = IsTableDisplay(display) ? std::max(box.bottom, box.top + outer.Height()) : box.bottom;
        }
        // An auto-width block of a page is as wide as its containing block.
        if (!caption && !explicitWidth && IsBlockLevel() && s.m_nPosition == RichCode::PositionStatic &&
            s.m_nFloat == RichCode::FloatNone && a.right < kRichUnboundedLimit) {
            outer.left = std::min(outer.left, a.left);
            outer.right = std::max(outer.right, a.right);
        }
        m_rcItem = Ordered(outer);
    }

    // 8. Percent limits against the parent's explicit size.
    if (m_pParent && m_pParent->IsElementOrRoot()) {
        const CExtRichStyleDescription& ps = m_pParent->ReadStyle();
        if (ps.m_nWidth >= 0) {
            if (s.m_dMaxWidthPercent >= 0)
                m_rcItem.right = std::min(m_rcItem.right,
                                          m_rcItem.left + static_cast<int>(ps.m_nWidth * s.m_dMaxWidthPercent / 100));
            if (s.m_dMinWidthPercent >= 0)
                m_rcItem.right = std::max(m_rcItem.right,
                                          m_rcItem.left + static_cast<int>(ps.m_nWidth * s.m_dMinWidthPercent / 100));
        }
        if (ps.m_nHeight >= 0) {
            if (s.m_dMaxHeightPercent >= 0)
                m_rcItem.bottom = std::min(m_rcItem.bottom,
                                           m_rcItem.top + static_cast<int>(ps.m_nHeight * s.m_dMaxHeightPercent / 100));
            if (s.m_dMinHeightPercent >= 0)
                m_rcItem.bottom = std::max(m_rcItem.bottom,
                                           m_rcItem.top + static_cast<int>(ps.m_nHeight * s.m_dMinHeightPercent / 100));
        }
    }

    // 9. Scroll ranges, first pass only: how far the content overflows a box of a given size.
    if (relayout) return;
    const bool dock = display == RichCode::DisplayUiDock;
    const RichSize before = GetScrollRange();
    RichSize range;
    if (explicitWidth || dock) range.cx = std::max(0, inner.right - content.right);
    if (explicitHeight || dock) range.cy = std::max(0, inner.bottom - content.bottom);
    if (range.cx > 0 && range.cy > 0) {
        range.cx += GetScrollBarWidth();
        range.cy += GetScrollBarHeight();
    }
    SetScrollRange(range);
    // Only a box whose scroll bars depend on the ranges lays out differently a second time.
    if (s.m_nOverflow == RichCode::OverflowScroll && angle == 0 &&
        ((range.cx > 0) != (before.cx > 0) || (range.cy > 0) != (before.cy > 0))) {
        LayoutContent(dc, available, target, true);
        SetScrollRange(range);
    }
    if (angle == 0 && (barH || barV)) {
        RichScrollBarData data;
        if (barH) LayoutScrollBar(true, RichRect{0, 0, 200, 20}, data, true);
        if (barV) LayoutScrollBar(false, RichRect{0, 0, 20, 200}, data, true);
    }
}
