// Geometric steps the layout leaves to the items: justification and vertical alignment of a
// laid-out line, moving an item with its subtree, bounding an item by its children, turning
// rectangles for rotated documents, the list-marker rectangle and baseline shifts.
#include "toolkit/richcontent/rich_geometry.h"

#include "toolkit/richcontent/rich_item.h"
#include "toolkit/richcontent/rich_layout.h"
#include "toolkit/richcontent/rich_layout_support.h"

#include <algorithm>

bool RichIsRectEmpty(const RichRect& r) { return r.right <= r.left || r.bottom <= r.top; }

RichRect RichUnionRect(const RichRect& a, const RichRect& b) {
    if (RichIsRectEmpty(a)) return RichIsRectEmpty(b) ? RichRect{} : b;
    if (RichIsRectEmpty(b)) return a;
    return RichRect{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                    std::max(a.bottom, b.bottom)};
}

void RichHoldRect(RichRect& bound, bool& any, const RichRect& r) {
    if (!any) {
        bound = r;
        any = true;
        return;
    }
    bound.left = std::min(bound.left, r.left);
    bound.top = std::min(bound.top, r.top);
    bound.right = std::max(bound.right, r.right);
    bound.bottom = std::max(bound.bottom, r.bottom);
}

namespace {

bool IsEmptyItem(const CExtRichContentItem* item) { return RichIsRectEmpty(item->m_rcItem); }

constexpr std::uint8_t kWordStart = 0x01;

bool IsWordCandidate(CExtRichContentItem* item) {
    if (item->m_nKind == kRichItemText) return true;
    if (item->m_nKind != kRichItemElement) return false;
    if (item->IsNoWrapInline()) return true;
    const int display = item->GetEffectiveDisplay();
    return display == RichCode::DisplayInlineBlock || display == RichCode::DisplayInlineTable;
}

bool IsImage(const CExtRichContentItem* item) { return RichIsTag(item, "img"); }

void MoveVertically(CExtRichContentItem* item, int dy) {
    if (dy != 0) item->OffsetItem(RichPoint{0, dy}, true, true, false);
}

}  // namespace

// ---- justification ----

void CExtRichContentItem::JustifyLine(const RichRect& line, int used, RichPosition first, RichPosition last,
                                      const RichItemList& list, bool firstLine,
                                      const CExtRichStyleDescription& style) {
    if (used >= line.Width() || !first) return;

    // Word starts: the first candidate, then each candidate after a white-space run.
    std::vector<CExtRichContentItem*> starts;
    bool spaceSeen = false;
    for (RichPosition pos = first; pos && pos != last;) {
        CExtRichContentItem* item = list.GetNext(pos);
        if (item->IsBlockLevel()) break;
        if (IsEmptyItem(item)) continue;
        item->m_nLayoutFlags &= static_cast<std::uint8_t>(~kWordStart);
        if (item->m_nKind == kRichItemWhiteSpace) {
            spaceSeen = true;
        } else if (IsWordCandidate(item) && (starts.empty() || spaceSeen)) {
            item->m_nLayoutFlags |= kWordStart;
            starts.push_back(item);
            spaceSeen = false;
        }
    }
    if (starts.size() < 2) return;
    const int free = line.Width() - used - (firstLine ? style.m_nTextIndent : 0);
    if (free < 0) return;
    const int gaps = static_cast<int>(starts.size()) - 1;
    const int share = free / gaps;
    int remainder = free % gaps;
    if (share == 0 && remainder == 0) return;

    int offset = 0;
    for (CExtRichContentItem* start : starts) {
        const int step = share + (remainder > 0 ? 1 : 0);
        RichPosition pos = list.Find(start);
        RichPosition previous = nullptr;
        bool spaceMet = false;
        // The words are moved up to the next start, the first block-level item or the line's end
        // (the nodes after the line belong to later lines).
        while (pos && pos != last) {
            const RichPosition here = pos;
            CExtRichContentItem* item = list.GetNext(pos);
            if (item->IsBlockLevel()) break;
            if (item != start && (item->m_nLayoutFlags & kWordStart)) {
                // The gap before the next word reaches the word's new left edge.
                if (spaceMet && previous) {
                    CExtRichContentItem* before = list.GetAt(previous);
                    before->m_rcItem.right = item->m_rcItem.left + offset + step;
                }
                break;
            }
            if (item->m_nKind == kRichItemWhiteSpace && !IsEmptyItem(item)) spaceMet = true;
            if (!IsEmptyItem(item)) item->OffsetItem(RichPoint{offset, 0}, true, true, false);
            previous = here;
        }
        offset += step;
        if (remainder > 0) --remainder;
    }
}

// ---- vertical alignment of images ----

int CExtRichContentItem::AlignLineVertically(RichPosition first, RichPosition end, const RichItemList& list,
                                             int lineHeight) {
    if (!first || first == end || list.IsEmpty() || lineHeight < 1) return 0;

    // The items of the line up to its first block-level item; the images' measures need the
    // whole range.
    std::vector<CExtRichContentItem*> range, inLine;
    bool blockMet = false;
    for (RichPosition pos = first; pos && pos != end;) {
        CExtRichContentItem* item = list.GetNext(pos);
        range.push_back(item);
        if (item->IsBlockLevel()) blockMet = true;
        if (!blockMet) inLine.push_back(item);
    }
    auto align = [](CExtRichContentItem* item) { return item->ReadStyle().m_nVerticalAlign; };
    bool top = false, textTop = false, middle = false;
    for (CExtRichContentItem* item : range) {
        if (!IsImage(item)) continue;
        const int a = align(item);
        top |= a == RichCode::VAlignTop;
        textTop |= a == RichCode::VAlignTextTop;
        middle |= a == RichCode::VAlignMiddle;
    }
    if (!top && !textTop && !middle) return 0;

    int M = 0, B = 0, U = 0, T = 0;
    for (CExtRichContentItem* item : range) {
        const int height = item->m_rcItem.Height();
        if (IsImage(item)) {
            const int a = align(item);
            if (a == RichCode::VAlignMiddle) M = std::max(M, height);
            if (a == RichCode::VAlignTextBottom) B = std::max(B, height);
            if (a == RichCode::VAlignTextTop) U = std::max(U, height);
        } else if (item->m_nKind == kRichItemText && !item->IsBlockLevel() && !IsEmptyItem(item)) {
            T = std::max(T, height);
        }
    }
    const int h = (M - T) / 2;
    const int V = U - T >= h ? U - T : h;
    const int N = std::max(B - T, h) + V + T;

    int answer = 0;
    if (N > lineHeight) {
        answer = N;
        for (CExtRichContentItem* item : inLine)
            if (!IsEmptyItem(item)) MoveVertically(item, N - lineHeight);
    }
    auto images = [&](int code, auto&& dy) {
        for (CExtRichContentItem* item : inLine)
            if (IsImage(item) && align(item) == code && !IsEmptyItem(item)) MoveVertically(item, dy(item));
    };
    if (textTop) images(RichCode::VAlignTextTop, [&](CExtRichContentItem* i) { return i->m_rcItem.Height() - T; });
    if (middle)
        images(RichCode::VAlignMiddle, [&](CExtRichContentItem* i) { return (i->m_rcItem.Height() - T) / 2; });
    if (V > 0) {
        for (CExtRichContentItem* item : inLine) {
            if (IsEmptyItem(item)) continue;
            if (IsImage(item) && (align(item) == RichCode::VAlignTop || align(item) == RichCode::VAlignBottom))
                continue;
            MoveVertically(item, -V);
        }
    }
    if (top) {
        lineHeight = std::max(lineHeight, N);
        images(RichCode::VAlignTop, [&](CExtRichContentItem* i) { return -(lineHeight - i->m_rcItem.Height()); });
    }
    return answer;
}

// ---- moving and bounding ----

void CExtRichContentItem::OffsetItem(RichPoint delta, bool self, bool children, bool force) {
    if (!force) {
        // Own position of elements; runs follow their container (their effective position is
        // static), so text inside a positioned box still moves with its line.
        const int position = GetEffectivePosition();
        if (position == RichCode::PositionAbsolute || position == RichCode::PositionFixed) return;
    }
    if (delta.x == 0 && delta.y == 0) return;
    if (m_pLayout) m_pLayout->InvalidatePaintIndex();
    if (self) {
        m_rcItem.left += delta.x;
        m_rcItem.right += delta.x;
        m_rcItem.top += delta.y;
        m_rcItem.bottom += delta.y;
    }
    if (!children) return;
    for (CExtRichContentItem* child : m_listChildren) {
        const int position = child->GetEffectivePosition();
        if (position == RichCode::PositionRelative || position == RichCode::PositionStatic)
            child->OffsetItem(delta, true, true, false);
    }
}

void CExtRichContentItem::BoundChildren(bool nested) {
    RichRect bound;
    for (CExtRichContentItem* child : m_listChildren) {
        if (!child->IsDisplayed(false) || child->GetEffectiveVisibility() == RichCode::VisibilityHidden) continue;
        // A leaf keeps its own rectangle: only containers are bounded by their children.
        if (!nested && !child->m_listChildren.IsEmpty()) child->BoundChildren(false);
        bound = RichUnionRect(bound, child->m_rcItem);
    }
    m_rcItem = bound;
}

void CExtRichContentItem::BoundInlineElement() {
    if (m_nKind != kRichItemElement || IsImage(this)) return;
    const bool inlineLevel = IsInlineLevel();
    if (!inlineLevel && !IsEmptyItem(this)) return;
    if (inlineLevel) m_rcItem = RichRect{};
    for (CExtRichContentItem* child : m_listChildren) {
        const bool childInline = child->m_nKind == kRichItemElement && child->IsInlineLevel();
        if (IsEmptyItem(child) || childInline) child->BoundInlineElement();
        if (child->m_nKind == kRichItemWhiteSpace && IsEmptyItem(child)) continue;
        if (!IsEmptyItem(child) || !childInline || !child->m_listChildren.IsEmpty())
            m_rcItem = IsEmptyItem(this) ? child->m_rcItem : RichUnionRect(m_rcItem, child->m_rcItem);
    }
}

void CExtRichContentItem::ClearInlineBounds() {
    if (m_nKind != kRichItemElement || !IsInlineLevel() || IsImage(this) || IsNoWrapInline()) return;
    int cleared = 0;
    for (CExtRichContentItem* child : m_listChildren) {
        if (!child->IsInlineLevel()) continue;
        child->ClearInlineBounds();
        ++cleared;
    }
    if (cleared) m_rcItem = RichRect{};
}

void CExtRichContentItem::UnionTableParts() {
    RichRect bound;
    bool any = false;
    for (CExtRichContentItem* child : m_listChildren) {
        const int display = child->GetEffectiveDisplay();
        if (display != RichCode::DisplayTableCell &&
            (display < RichCode::DisplayTableFooterGroup || display > RichCode::DisplayTableRowGroup))
            continue;
        bound = any ? RichUnionRect(bound, child->m_rcItem) : child->m_rcItem;
        any = true;
    }
    if (any) m_rcItem = bound;
}

// ---- rotated documents ----

void CExtRichContentItem::RotateRect(int angle) {
    for (CExtRichContentItem* child : m_listChildren) child->RotateRect(angle);
    if (angle != 90 && angle != 180 && angle != 270) return;
    const RichRect layout = m_pLayout ? m_pLayout->m_rcLayout : RichRect{};
    const int L = layout.left, T = layout.top, R = layout.right, B = layout.bottom;
    const int l = m_rcItem.left, t = m_rcItem.top, r = m_rcItem.right, b = m_rcItem.bottom;
    const int w = r - l, h = b - t;
    switch (angle) {
    case 90:
        m_rcItem = RichRect{R - h - (t - T), l - L + T, R - (t - T), w + T + (l - L)};
        break;
    case 180: {
        const int left = R - r + L, top = B - b + T;
        m_rcItem = RichRect{left, top, left + w, top + h};
        break;
    }
    default:
        m_rcItem = RichRect{t - T + L, B - w - (l - L), L + h + (t - T), B - (l - L)};
        break;
    }
}

RichRect CExtRichContentItem::CalcMarkerRect(int angle, int position, const RichRect& content,
                                             const RichRect& other, RichSize size, int offset, int shiftA,
                                             int shiftB) {
    // Position 1 places the marker against the other rectangle (the strip beside the content),
    // any other value against the content rectangle.
    const bool againstOther = position == 1;
    RichRect r;
    switch (angle) {
    case 0:
        if (againstOther) {
            r.right = other.right - shiftB;
            r.bottom = other.top + offset - shiftA;
        } else {
            r.right = content.left + size.cx;
            r.bottom = content.top + offset - shiftA;
        }
        r.left = r.right - size.cx;
        r.top = r.bottom - size.cy;
        break;
    case 90:
        if (againstOther) {
            r.bottom = other.bottom - shiftB;
            r.right = other.right - offset + shiftA;
            r.left = r.right - size.cx;
            r.top = r.bottom - size.cy;
        } else {
            r.top = content.top;
            r.left = content.right - offset + shiftA;
            r.right = r.left + size.cx;
            r.bottom = r.top + size.cy;
        }
        break;
    case 180:
        if (againstOther) {
            r.left = other.left + shiftB;
            r.top = other.bottom - offset + shiftA;
            r.right = r.left + size.cx;
        } else {
            r.right = content.right;
            r.top = content.bottom - offset - shiftA;
            r.left = r.right - size.cx;
        }
        r.bottom = r.top + size.cy;
        break;
    case 270:
        if (againstOther) {
            r.top = other.top + shiftB;
            r.right = other.left + offset - shiftA;
            r.bottom = r.top + size.cy;
        } else {
            r.bottom = content.bottom;
            r.right = content.left + offset - shiftA;
            r.top = r.bottom - size.cy;
        }
        r.left = r.right - size.cx;
        break;
    default:
        break;
    }
    return r;
}

// ---- baselines ----

int CExtRichContentItem::GetBaselineShift() {
    if (!m_pParent) return 0;
    int base = 0;
    CExtRichContentItem* sibling = m_pParent->m_pPrev;
    if (!m_pParent->IsBlockLevel() && sibling && !sibling->IsBlockLevel()) base = sibling->GetBaselineShift();
    const int third = static_cast<int>(m_nContentHeight * 0.33);
    switch (ReadStyle().m_nVerticalAlign) {
    case RichCode::VAlignSuper:
        return base - GetLineGap() - third;
    case RichCode::VAlignSub:
        return base + third;
    default:
        return base;
    }
}

namespace {

// A run's own value, or for a no-wrap inline element the largest of its children's (kept once
// known).
int LargestOfChildren(CExtRichContentItem* item, int& field, int (CExtRichContentItem::*get)()) {
    if (field != 0) return field;
    if (!item->IsNoWrapInline()) return 0;
    bool any = false;
    int largest = 0;
    for (CExtRichContentItem* child : item->m_listChildren) {
        const int value = (child->*get)();
        largest = any ? std::max(largest, value) : value;
        any = true;
    }
    field = largest;
    return field;
}

}  // namespace

int CExtRichContentItem::GetAscent() { return LargestOfChildren(this, m_nAscent, &CExtRichContentItem::GetAscent); }
int CExtRichContentItem::GetLineGap() {
    return LargestOfChildren(this, m_nLineGap, &CExtRichContentItem::GetLineGap);
}
