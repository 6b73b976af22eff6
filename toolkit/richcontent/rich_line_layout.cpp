// Lines of a block container: word groups placed at the line position and broken at the
// available width, baselines, horizontal alignment and justification, line heights, floats
// against the line edges and blocks stacked between the lines.
#include "toolkit/richcontent/rich_geometry.h"
#include "toolkit/richcontent/rich_item.h"
#include "toolkit/richcontent/rich_layout.h"
#include "toolkit/richcontent/rich_layout_support.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

using Item = CExtRichContentItem;

bool IsUnitElement(Item* item) {
    const int d = item->GetEffectiveDisplay();
    return item->IsBlockLevel() || RichIsTag(item, "img") || d == RichCode::DisplayTable ||
           d == RichCode::DisplayInlineTable || d == RichCode::DisplayInlineBlock;
}

// The flow items of `item` in document order (runs, white space, and the elements that stand as
// one piece of a line; `unit`: `item` is such an element), handed to `take` one by one instead of
// listed: each pass reads them once, and a page's listing holds millions.
template <class F>
void VisitFlow(Item* item, bool unit, F& take) {
    if (item->m_nKind == kRichItemText || item->m_nKind == kRichItemWhiteSpace) {
        take(item);
        return;
    }
    if (item->m_nKind == kRichItemElement &&
        ((!unit && item->IsNoWrapInline()) || (unit && (IsUnitElement(item) || item->IsNoWrapInline())))) {
        take(item);
        return;
    }
    for (Item* child : item->m_listChildren) {
        if (child->m_nKind == kRichItemElement && RichIsOutOfFlow(child)) continue;
        const int d = child->GetEffectiveDisplay();
        if (d == RichCode::DisplayNone || d == RichCode::DisplayUiDock) continue;
        VisitFlow(child, child->m_nKind == kRichItemElement && IsUnitElement(child), take);
    }
}

}  // namespace

// The same walk, into a list.
void CExtRichContentItem::CollectFlowItems(RichItemList& list, bool unit) {
    auto add = [&list](Item* item) { list.AddTail(item); };
    VisitFlow(this, unit, add);
}

namespace {

// The flow items below a container (the container itself never counts, also when it is a
// no-wrap inline laid out as a block).
template <class F>
void VisitChildrenFlow(Item* container, F&& take) {
    for (Item* child : container->m_listChildren) {
        if (child->m_nKind > kRichItemElement) continue;
        if (child->m_nKind == kRichItemElement && RichIsOutOfFlow(child)) continue;
        const int d = child->GetEffectiveDisplay();
        if (d == RichCode::DisplayNone || d == RichCode::DisplayUiDock) continue;
        VisitFlow(child, child->m_nKind == kRichItemElement && IsUnitElement(child), take);
    }
}

int FloatSide(Item* item) {
    if (item->m_nKind != kRichItemElement) return RichCode::FloatNone;
    const int f = item->ReadStyle().m_nFloat;
    return f == RichCode::FloatLeft || f == RichCode::FloatRight ? f : RichCode::FloatNone;
}

void MoveTo(Item* item, int x, int y) {
    item->OffsetItem(RichPoint{x - item->m_rcItem.left, y - item->m_rcItem.top}, true, true, true);
}

class LinePass {
public:
    LinePass(Item* container, RichDcHandle dc, const RichRect& content)
        : m_container(container), m_dc(dc), m_c(content), m_style(container->ReadStyle()) {
        const int ws = m_style.m_nWhiteSpace;
        m_collapse = ws == RichCode::WhiteSpaceNormal || ws == RichCode::WhiteSpaceNoWrap ||
                     ws == RichCode::WhiteSpacePreLine;
        m_wrap = ws == RichCode::WhiteSpaceNormal || ws == RichCode::WhiteSpacePreLine ||
                 ws == RichCode::WhiteSpacePreWrap;
        m_unbounded = content.right >= kRichUnboundedLimit;
        m_explicitWidth = m_style.m_nWidth >= 0 || m_style.m_nWidthPercent >= 0;
        m_indent = std::max(m_style.m_nTextIndent, 0);
        CExtRichContentLayout* doc = container->GetLayout();
        m_noGaps = doc && (doc->m_nLayoutOptions & 0x01);
        m_top = content.top;
        m_left = content.left;
        m_right = content.right;
        StartLine();
    }

    RichFlowResult Run() {
        // Placing changes neither the tree nor a style, so the flow is taken as it is walked.
        VisitChildrenFlow(m_container, [this](Item* item) { Take(item); });
        FlushGroup();
        EndLine(true);
        return m_result;
    }

private:
    struct Placed {
        Item* item;
        int ascent;
        int gap;
    };

    void Take(Item* item) {
        if (item->m_nKind == kRichItemText) {
            m_group.push_back(item);
            return;
        }
        if (item->m_nKind == kRichItemWhiteSpace) {
            if (!m_wrap) {
                m_group.push_back(item);
                return;
            }
            Alone(item);
            return;
        }
        if (!item->IsDisplayed(false)) return;
        if (FloatSide(item) != RichCode::FloatNone) {
            PlaceFloat(item);
            return;
        }
        const int d = item->GetEffectiveDisplay();
        if (item->IsBlockLevel() || d == RichCode::DisplayTable) {
            const bool blankLine = OnlySpaces();
            FlushGroup();
            EndLine(true);
            PlaceBlock(item);
            if (blankLine) OpenBlankLine(item);
            return;
        }
        if (RichIsTag(item, "img")) {
            item->m_nLayoutFlags &= static_cast<std::uint8_t>(~kRichLayoutAtomic);
            Alone(item);
            return;
        }
        if (item->IsNoWrapInline()) {
            LayoutNoWrap(item);
            m_group.push_back(item);
            FlushGroup();
            return;
        }
        if (d == RichCode::DisplayInlineBlock || d == RichCode::DisplayInlineTable) {
            FlushGroup();
            item->m_rcItem = RichRect{};
            item->LayoutContent(m_dc, m_c, nullptr, false);
            item->m_nLayoutFlags |= kRichLayoutAtomic;
            m_group.push_back(item);
            FlushGroup();
        }
    }

    // An item that stands in a word group of its own.
    void Alone(Item* item) {
        FlushGroup();
        m_group.push_back(item);
        FlushGroup();
    }

    static bool Atomic(Item* item) { return (item->m_nLayoutFlags & kRichLayoutAtomic) != 0; }
    static int WidthOf(Item* item) { return Atomic(item) ? item->m_rcItem.Width() : item->m_nContentWidth; }

    void LayoutNoWrap(Item* item) {
        CExtRichContentLayout* doc = item->GetLayout();
        const std::uint8_t options = doc ? doc->m_nLayoutOptions : 0;
        if (doc) doc->m_nLayoutOptions = static_cast<std::uint8_t>(options & ~0x02);
        const RichFlowResult inner =
            RichLayoutLines(item, m_dc, RichRect{0, 0, kRichUnbounded, kRichUnbounded});
        if (doc) doc->m_nLayoutOptions = options;
        item->m_rcItem = inner.any ? RichRect{0, 0, std::max(inner.bound.right, 0), std::max(inner.bound.bottom, 0)}
                                   : RichRect{};
        item->m_nAscent = item->m_nLineGap = 0;
        item->m_nLayoutFlags |= kRichLayoutAtomic;
    }

    int Available() const {
        const int width = m_right - m_left;
        if (m_floatsLeft.empty() && m_floatsRight.empty() && !m_explicitWidth)
            return std::max(width, m_container->m_nMinContentWidth);
        return width;
    }

    void FlushGroup() {
        if (m_group.empty()) return;
        int width = 0;
        for (Item* item : m_group) width += WidthOf(item);
        const bool atStart = m_line.empty() || m_x == m_lineStart;
        if (m_wrap && !atStart && (m_x - m_left) + width > Available()) EndLine(false);
        for (Item* item : m_group) Place(item);
        m_group.clear();
    }

    void Place(Item* item) {
        int width = WidthOf(item);
        if (item->m_nKind == kRichItemWhiteSpace && m_collapse && m_x == m_lineStart) width = 0;
        int ascent = 0, gap = 0;
        if (Atomic(item)) {
            MoveTo(item, m_x, m_top);
            ascent = item->IsNoWrapInline() ? item->GetAscent() : item->m_rcItem.Height();
            gap = item->IsNoWrapInline() ? item->GetLineGap() : 0;
        } else {
            item->m_rcItem = RichRect{m_x, m_top, m_x + width, m_top + item->m_nContentHeight};
            ascent = item->m_nAscent;
            gap = item->m_nLineGap;
        }
        if (const int shift = item->GetBaselineShift()) item->OffsetItem(RichPoint{0, shift}, true, true, true);
        m_x += width;
        m_ascent = std::max(m_ascent, ascent);
        m_height = std::max(m_height, item->m_rcItem.Height());
        m_gap = std::max(m_gap, gap);
        if (RichIsTag(item, "img")) m_lineHasImage = true;
        m_line.push_back(Placed{item, ascent, gap});
    }

    void StartLine() {
        m_lineStart = m_left + (m_firstLine ? m_indent : 0);
        m_x = m_lineStart;
        m_ascent = m_height = m_gap = 0;
        m_lineHasImage = false;
        m_line.clear();
    }

    // Whether the current line holds nothing but white space that collapses away (or nothing).
    bool OnlySpaces() const {
        if (m_line.empty() && m_group.empty()) return true;
        if (!m_collapse) return false;
        for (const Placed& p : m_line)
            if (p.item->m_nKind != kRichItemWhiteSpace) return false;
        for (const Item* item : m_group)
            if (item->m_nKind != kRichItemWhiteSpace) return false;
        return true;
    }

    void EndLine(bool last) {
        if (m_line.empty()) return;
        if (OnlySpaces()) {
            // White space alone between blocks or after a line break makes no line, as in a
            // browser: its runs shrink to nothing where the line would have started.
            for (const Placed& p : m_line) {
                const RichRect r = p.item->m_rcItem;
                p.item->m_rcItem = RichRect{r.left, m_top, r.left, m_top};
            }
            StartLine();
            return;
        }
        Placed& tail = m_line.back();
        if (tail.item->m_nKind == kRichItemWhiteSpace) tail.item->m_rcItem.right = tail.item->m_rcItem.left;

        for (const Placed& p : m_line) {
            int dy = m_ascent - p.ascent;
            if (m_noGaps) dy -= p.gap;
            if (dy != 0) p.item->OffsetItem(RichPoint{0, dy}, true, true, true);
        }
        int used = 0;
        for (const Placed& p : m_line) used += p.item->m_rcItem.Width();
        const int free = m_right - m_lineStart - used;
        int align = m_style.m_nTextAlign;
        if (last) {
            if (align == RichCode::AlignJustifyRtl) align = RichCode::AlignRight;
            else if (align == RichCode::AlignJustify) align = RichCode::AlignLeft;
        }
        RichItemList lineList;
        const bool justify = align == RichCode::AlignJustify || align == RichCode::AlignJustifyWithLastLine ||
                             align == RichCode::AlignJustifyRtl;
        if ((justify && !m_unbounded && free > 0) || m_lineHasImage)
            for (const Placed& p : m_line) lineList.AddTail(p.item);
        if (!m_unbounded && free > 0) {
            if (align == RichCode::AlignCenter || align == RichCode::AlignRight) {
                const int dx = align == RichCode::AlignCenter ? free / 2 : free;
                for (const Placed& p : m_line) p.item->OffsetItem(RichPoint{dx, 0}, true, true, true);
            } else if (justify) {
                m_container->JustifyLine(RichRect{m_left, m_top, m_right, m_top + m_height}, used,
                                         lineList.GetHeadPosition(), nullptr, lineList, m_firstLine, m_style);
            }
        }
        int lineHeight = m_height;
        if (m_lineHasImage)
            lineHeight = std::max(lineHeight,
                                  m_container->AlignLineVertically(lineList.GetHeadPosition(), nullptr, lineList, m_height));
        int highest = m_top;
        for (const Placed& p : m_line) highest = std::min(highest, p.item->m_rcItem.top);
        const int above = m_top - highest;
        if (above > 0)
            for (const Placed& p : m_line) p.item->OffsetItem(RichPoint{0, above}, true, true, true);
        for (const Placed& p : m_line) Grow(p.item->m_rcItem);

        const CExtRichFontDescription& font = m_style.m_font;
        const int natural = m_height + (m_noGaps ? 0 : m_gap);
        int step = 0;
        if (font.m_dLineHeightFactor == 1.0)
            step = font.m_nLineHeight > 0 ? font.m_nLineHeight : natural;
        else
            step = static_cast<int>(natural * font.m_dLineHeightFactor);
        // Images aligned within the line and runs raised above it make the line taller.
        step += std::max(lineHeight - m_height, 0) + above;
        m_result.lastLineGap = m_gap;

        MoveBelowFloats();
        m_top += step;
        m_firstLine = false;
        m_lastBlock = nullptr;
        ReleaseFloats();
        StartLine();
    }

    // Runs of a line that reach beyond its right edge beside a float go below the floats.
    void MoveBelowFloats() {
        if (m_floatsLeft.empty() && m_floatsRight.empty()) return;
        int below = INT32_MAX;
        if (!m_floatsLeft.empty()) below = std::min(below, m_floatsLeft.back()->m_rcItem.bottom);
        if (!m_floatsRight.empty()) below = std::min(below, m_floatsRight.back()->m_rcItem.bottom);
        RichRect over;
        std::vector<Item*> moved;
        for (const Placed& p : m_line) {
            Item* item = p.item;
            if (RichIsRectEmpty(item->m_rcItem) || item->GetEffectiveDisplay() != RichCode::DisplayInline) continue;
            if (item->m_rcItem.right <= m_right) continue;
            over = RichUnionRect(over, item->m_rcItem);
            moved.push_back(item);
        }
        if (moved.empty() || below <= over.top) return;
        for (Item* item : moved) item->OffsetItem(RichPoint{0, below - over.top}, true, true, true);
        for (Item* item : moved) Grow(item->m_rcItem);
    }

    void ReleaseFloats() {
        while (!m_floatsLeft.empty() && m_top >= m_floatsLeft.back()->m_rcItem.bottom) {
            m_left -= m_floatsLeft.back()->m_rcItem.Width();
            m_floatsLeft.pop_back();
        }
        while (!m_floatsRight.empty() && m_top >= m_floatsRight.back()->m_rcItem.bottom) {
            m_right += m_floatsRight.back()->m_rcItem.Width();
            m_floatsRight.pop_back();
        }
        if (m_floatsLeft.empty()) m_left = std::min(m_left, m_c.left);
        if (m_floatsRight.empty()) m_right = std::max(m_right, m_c.right);
    }

    void PlaceFloat(Item* item) {
        const bool left = FloatSide(item) == RichCode::FloatLeft;
        std::vector<Item*>& list = left ? m_floatsLeft : m_floatsRight;
        if (std::find(list.begin(), list.end(), item) != list.end()) return;
        list.push_back(item);
        const int w = item->m_nContentWidth, h = item->m_nContentHeight;
        const RichRect box = left ? RichRect{m_left, m_top, m_left + w, m_top + h}
                                  : RichRect{m_right - w, m_top, m_right, m_top + h};
        item->m_rcItem = RichRect{};
        item->LayoutContent(m_dc, box, nullptr, false);
        const int width = item->m_rcItem.Width();
        MoveTo(item, left ? m_left : m_right - width, m_top);
        const bool atStart = m_line.empty();
        if (left) {
            m_left += width;
            if (item->m_rcItem.right > m_right && !m_floatsRight.empty()) {
                const int dy = m_floatsRight.back()->m_rcItem.bottom - item->m_rcItem.top;
                if (dy > 0) {
                    item->OffsetItem(RichPoint{0, dy}, true, true, true);
                    m_top += dy;
                }
            }
        } else {
            m_right -= width;
            if (item->m_rcItem.left < m_left && !m_floatsLeft.empty()) {
                const int dy = m_floatsLeft.back()->m_rcItem.bottom - item->m_rcItem.top;
                if (dy > 0) {
                    item->OffsetItem(RichPoint{0, dy}, true, true, true);
                    m_top += dy;
                }
            }
        }
        if (atStart) StartLine();
    }

    // A line break that ends a line holding nothing is an empty line of its own font, as in a
    // browser; one after text only ends that text's line. Breaks that a drawing path has
    // already given a height of their own keep it.
    void OpenBlankLine(Item* item) {
        if (!RichIsTag(item, "br") || item->m_nMinHeightHint >= 0 || !item->m_listChildren.IsEmpty()) return;
        CExtRichContentLayout* doc = item->GetLayout();
        RichFontScope scope(m_dc, item->ReadStyle(), doc ? doc->m_nAngle : 0, false);
        const int height = scope.Metrics().height + (m_noGaps ? 0 : scope.Metrics().externalLeading);
        if (item->m_rcItem.Height() >= height) return;
        item->m_rcItem.bottom = item->m_rcItem.top + height;
        Grow(item->m_rcItem);
        m_top = std::max(m_top, item->m_rcItem.bottom);
    }

    // In a browser's page the margins of two blocks that follow each other overlap: the gap
    // between them is the larger of the two, not their sum.
    int SharedMargin(Item* item) const {
        CExtRichContentLayout* doc = m_container->GetLayout();
        if (!doc || !doc->m_bPageDocument || !m_lastBlock || m_lastBlock->m_rcItem.bottom != m_top) return 0;
        if (RichIsOutOfFlow(item) || RichIsOutOfFlow(m_lastBlock)) return 0;
        return std::min(RichSide(m_lastBlock->ReadStyle().m_rcMargin.bottom), RichSide(item->ReadStyle().m_rcMargin.top));
    }

    void PlaceBlock(Item* item) {
        const int shared = SharedMargin(item);
        item->m_rcItem = RichRect{};
        item->m_nLayoutFlags |= kRichLayoutFlowBlock;
        item->LayoutContent(m_dc, RichRect{m_c.left, m_top - shared, m_c.right, m_c.bottom}, nullptr, false);
        item->m_nLayoutFlags &= static_cast<std::uint8_t>(~kRichLayoutFlowBlock);
        Grow(item->m_rcItem);
        m_top = std::max(m_top - shared, item->m_rcItem.bottom);
        m_firstLine = false;
        m_lastBlock = item;
        ReleaseFloats();
        StartLine();
    }

    void Grow(const RichRect& r) {
        if (RichIsRectEmpty(r)) {
            // A zero-wide or zero-high item still marks where the flow reached.
            if (!m_result.any) {
                m_result.bound = RichRect{r.left, r.top, std::max(r.left, r.right), std::max(r.top, r.bottom)};
                m_result.any = true;
            } else {
                m_result.bound.bottom = std::max(m_result.bound.bottom, r.bottom);
            }
            return;
        }
        m_result.bound = m_result.any ? RichRect{std::min(m_result.bound.left, r.left), std::min(m_result.bound.top, r.top),
                                                 std::max(m_result.bound.right, r.right),
                                                 std::max(m_result.bound.bottom, r.bottom)}
                                      : r;
        m_result.any = true;
    }

    Item* m_container;
    RichDcHandle m_dc;
    RichRect m_c;
    const CExtRichStyleDescription& m_style;
    bool m_collapse = true, m_wrap = true, m_unbounded = false, m_explicitWidth = false, m_noGaps = false;
    int m_indent = 0;
    int m_top = 0, m_left = 0, m_right = 0;
    bool m_firstLine = true;
    int m_lineStart = 0, m_x = 0;
    int m_ascent = 0, m_height = 0, m_gap = 0;
    bool m_lineHasImage = false;
    std::vector<Placed> m_line;
    std::vector<Item*> m_group;
    std::vector<Item*> m_floatsLeft, m_floatsRight;
    Item* m_lastBlock = nullptr;  // the block just placed, while nothing follows it
    RichFlowResult m_result;
};

// Inline elements get the bounds of what the line pass placed for them (for their own
// background and borders); nested ones are bounded by their own call.
void BoundInlineChildren(Item* container) {
    for (Item* child : container->m_listChildren) {
        if (child->m_nKind != kRichItemElement || !child->IsInlineLevel() || child->IsNoWrapInline()) continue;
        if (RichIsTag(child, "img")) continue;
        child->m_rcItem = RichRect{};
        child->BoundInlineElement();
    }
}

}  // namespace

int RichWidestWordGroup(CExtRichContentItem* container) {
    int widest = 0, group = 0;
    VisitChildrenFlow(container, [&](Item* item) {
        if (item->m_nKind == kRichItemText) {
            group += item->m_nContentWidth;
            widest = std::max(widest, group);
            return;
        }
        // Plain inline elements ("b", "font", "a") join the words on both sides of their tags.
        const bool joins = item->m_nKind == kRichItemElement && !IsUnitElement(item) && !item->IsNoWrapInline() &&
                           FloatSide(item) == RichCode::FloatNone && !RichIsTag(item, "br") &&
                           item->GetEffectiveDisplay() == RichCode::DisplayInline;
        if (!joins) group = 0;
    });
    return widest;
}

RichFlowResult RichLayoutLines(CExtRichContentItem* container, RichDcHandle dc, const RichRect& content) {
    LinePass pass(container, dc, content);
    const RichFlowResult result = pass.Run();
    BoundInlineChildren(container);
    return result;
}
