#include "toolkit/richcontent/rich_table_pass.h"

#include "toolkit/richcontent/rich_layout_support.h"
#include "toolkit/richcontent/rich_table_layout.h"

#include <algorithm>

namespace {

struct Gaps {
    int spacingX = 0, spacingY = 0;  // border spacing, around every column and row
    int cellX = 0, cellY = 0;        // cellspacing, between columns and rows
};

Gaps TableGaps(CExtRichContentItem* table, int columns, int rows) {
    const CExtRichStyleDescription& s = table->ReadStyle();
    Gaps g;
    if (s.m_nBorderCollapse != 0) {
        g.spacingX = RichSide(s.m_nBorderSpacingX);
        g.spacingY = RichSide(s.m_nBorderSpacingY);
    }
    if (columns >= 2) g.cellX = RichSide(s.m_nCellSpacingX);
    if (rows >= 2) g.cellY = RichSide(s.m_nCellSpacingY);
    return g;
}

// The width all columns but their own widths take: spacing on both sides of every column and
// cellspacing between them.
int HorizontalGapTotal(const Gaps& g, int columns) {
    return columns > 0 ? g.spacingX * (columns + 1) + g.cellX * (columns - 1) : 0;
}

const RichRect kUnboundedRect{0, 0, kRichUnbounded, kRichUnbounded};

}  // namespace

void RichMeasureTable(CExtRichContentItem* table, RichDcHandle dc) {
    CExtRichTableLayout& grid = table->GetTableLayout();
    grid.Build(table);
    const int rows = grid.GetSize(), columns = grid.GetColumnCount();
    table->m_nContentWidth = table->m_nMinContentWidth = 0;
    table->m_nContentHeight = table->m_nMinContentHeight = 0;
    if (rows == 0 || columns == 0) return;

    struct Spanning {
        CExtRichContentItem* cell;
        int column;
        int width;
    };
    std::vector<Spanning> spanning;
    for (int r = 0; r < rows; ++r) {
        CExtRichTableRow* row = grid.GetRow(r);
        row->m_nRowHeight = row->m_nRowMinHeight = 0;
        for (int c = 0; c < columns; ++c) {
            CExtRichContentItem* cell = row->GetAt(c);
            if (!cell) continue;
            cell->MeasureContent(dc, kUnboundedRect);
            cell->LayoutContent(dc, kUnboundedRect, nullptr, false);
            const CExtRichStyleDescription& s = cell->ReadStyle();
            const RichInsets insets = RichBoxInsets(s, true);
            // The cell's own measure: its widest unbreakable part or its natural layout.
            const int minWidth = cell->m_nMinContentWidth + insets.Horizontal();
            const int width = std::max(minWidth, cell->m_rcItem.Width());
            const int height = std::max(cell->m_nMinContentHeight + insets.Vertical(), cell->m_rcItem.Height());
            cell->m_nContentWidth = width;
            cell->m_nContentHeight = height;
            if (cell->GetRowSpan() == 1) {
                row->m_nRowHeight = std::max(row->m_nRowHeight, height);
                row->m_nRowMinHeight = std::max(row->m_nRowMinHeight, cell->m_nMinContentHeight);
            }
            if (cell->GetColSpan() == 1) {
                long& colMin = grid.m_arrColMinWidths[c];
                long& colPref = grid.m_arrColPrefWidths[c];
                colMin = std::max<long>(colMin, minWidth);
                colPref = std::max<long>({colPref, width, colMin});
                if (s.m_nWidth >= 0) colPref = std::max<long>(colPref, s.m_nWidth);
                if (s.m_nWidthPercent > 0)
                    grid.m_arrColPercent[c] = std::max(grid.m_arrColPercent[c], s.m_nWidthPercent / 100.0);
            } else {
                spanning.push_back(Spanning{cell, c, width});
            }
        }
    }
    // A spanning cell wider than its columns widens each of them by an even share.
    const Gaps gaps = TableGaps(table, columns, rows);
    for (const Spanning& s : spanning) {
        const int span = std::min(s.cell->GetColSpan(), columns - s.column);
        long sum = 0;
        for (int c = s.column; c < s.column + span; ++c) sum += grid.m_arrColPrefWidths[c];
        sum += static_cast<long>(span - 1) * (gaps.spacingX + gaps.cellX);
        if (sum >= s.width || span <= 0) continue;
        const long shortfall = s.width - sum;
        long remainder = shortfall % span;
        for (int c = s.column; c < s.column + span; ++c) {
            const long add = shortfall / span + (remainder > 0 ? 1 : 0);
            if (remainder > 0) --remainder;
            grid.m_arrColMinWidths[c] += add;
            grid.m_arrColPrefWidths[c] = std::max(grid.m_arrColPrefWidths[c], grid.m_arrColMinWidths[c]);
        }
    }
    int height = 0, minHeight = 0;
    for (int r = 0; r < rows; ++r) {
        height += grid.GetRow(r)->m_nRowHeight;
        minHeight += grid.GetRow(r)->m_nRowMinHeight;
    }
    const int gapsY = gaps.spacingY * (rows + 1) + gaps.cellY * (rows - 1);
    table->m_nContentWidth = static_cast<int>(grid.GetTotalPrefWidth()) + HorizontalGapTotal(gaps, columns);
    table->m_nMinContentWidth = static_cast<int>(grid.GetTotalMinWidth()) + HorizontalGapTotal(gaps, columns);
    table->m_nContentHeight = height + gapsY;
    table->m_nMinContentHeight = minHeight + gapsY;
}

std::vector<int> RichDistributeColumns(CExtRichTableLayout& grid, int target) {
    const int columns = grid.GetColumnCount();
    std::vector<int> widths(static_cast<std::size_t>(columns), 0);
    std::vector<bool> percent(static_cast<std::size_t>(columns), false);
    double budget = 1.0;
    for (int c = 0; c < columns; ++c) {
        double& p = grid.m_arrColPercent[c];
        if (p > 0.0) {
            p = std::min(p, budget);
            budget = std::max(0.0, budget - p);
        }
        percent[c] = p > 0.0;
        const int own = percent[c] ? static_cast<int>(p * target) : static_cast<int>(grid.m_arrColPrefWidths[c]);
        widths[c] = std::max(own, static_cast<int>(grid.m_arrColMinWidths[c]));
    }
    long sum = 0;
    for (int w : widths) sum += w;
    if (target > sum) {
        int plain = 0;
        for (int c = 0; c < columns; ++c) plain += percent[c] ? 0 : 1;
        if (plain > 0) {
            const long extra = target - sum;
            long remainder = extra % plain;
            for (int c = 0; c < columns; ++c) {
                if (percent[c]) continue;
                widths[c] += static_cast<int>(extra / plain) + (remainder > 0 ? 1 : 0);
                if (remainder > 0) --remainder;
            }
        }
    } else if (target < sum) {
        long remove = sum - target;
        // Plain columns give up width first, in proportion to their slack; then percent columns.
        for (int pass = 0; pass < 2 && remove > 0; ++pass) {
            const bool percentPass = pass == 1;
            long slackTotal = 0;
            for (int c = 0; c < columns; ++c)
                if (percent[c] == percentPass) slackTotal += widths[c] - grid.m_arrColMinWidths[c];
            if (slackTotal <= 0) continue;
            const long wanted = std::min(remove, slackTotal);
            long taken = 0;
            for (int c = 0; c < columns; ++c) {
                if (percent[c] != percentPass) continue;
                const long slack = widths[c] - grid.m_arrColMinWidths[c];
                const long cut = std::min(slack, slack * wanted / slackTotal);
                widths[c] -= static_cast<int>(cut);
                taken += cut;
            }
            for (int c = 0; c < columns && taken < wanted;) {
                if (percent[c] == percentPass && widths[c] > grid.m_arrColMinWidths[c]) {
                    --widths[c];
                    ++taken;
                    continue;
                }
                ++c;
            }
            remove -= taken;
        }
    }
    return widths;
}

RichRect RichLayoutTable(CExtRichContentItem* table, RichDcHandle dc, const RichRect& content) {
    CExtRichTableLayout& grid = table->GetTableLayout();
    const int rows = grid.GetSize(), columns = grid.GetColumnCount();
    if (rows == 0 || columns == 0) return RichRect{content.left, content.top, content.left, content.top};
    const CExtRichStyleDescription& style = table->ReadStyle();
    const Gaps gaps = TableGaps(table, columns, rows);
    const int gapX = gaps.spacingX + gaps.cellX, gapY = gaps.spacingY + gaps.cellY;

    const int room = content.Width() - HorizontalGapTotal(gaps, columns);
    const int natural = static_cast<int>(grid.GetTotalPrefWidth());
    const bool sized = style.m_nWidth >= 0 || style.m_nWidthPercent >= 0;
    const int target = sized || natural >= room ? std::max(room, 0) : natural;
    const std::vector<int> widths = RichDistributeColumns(grid, target);

    std::vector<int> left(static_cast<std::size_t>(columns) + 1);
    left[0] = content.left + gaps.spacingX;
    for (int c = 0; c < columns; ++c) left[c + 1] = left[c] + widths[c] + gapX;
    auto spanWidth = [&](int c, int span) {
        const int last = std::min(c + span, columns) - 1;
        return left[last] + widths[last] - left[c];
    };

    // Cells in their column widths (rows at 0 for now), then the row heights.
    std::vector<int> heights(static_cast<std::size_t>(rows), 0);
    for (int r = 0; r < rows; ++r) {
        CExtRichTableRow* row = grid.GetRow(r);
        for (int c = 0; c < columns; ++c) {
            CExtRichContentItem* cell = row->GetAt(c);
            if (!cell) continue;
            const CExtRichStyleDescription& s = cell->ReadStyle();
            const int w = s.m_nWidth >= 0 ? s.m_nWidth : spanWidth(c, cell->GetColSpan());
            const int h = s.m_nHeight >= 0 ? s.m_nHeight : cell->m_nContentHeight;
            cell->m_rcItem = RichRect{};
            cell->LayoutContent(dc, RichRect{left[c], 0, left[c] + w, h}, nullptr, false);
            cell->OffsetItem(RichPoint{left[c] - cell->m_rcItem.left, -cell->m_rcItem.top}, true, true, true);
            if (cell->GetRowSpan() == 1) heights[r] = std::max(heights[r], cell->m_rcItem.Height());
        }
    }
    // Cells spanning rows share what they need beyond their rows among them.
    for (int r = 0; r < rows; ++r) {
        CExtRichTableRow* row = grid.GetRow(r);
        for (int c = 0; c < columns; ++c) {
            CExtRichContentItem* cell = row->GetAt(c);
            if (!cell || cell->GetRowSpan() <= 1) continue;
            const int span = std::min(cell->GetRowSpan(), rows - r);
            int covered = gapY * (span - 1);
            for (int k = r; k < r + span; ++k) covered += heights[k];
            const int extra = cell->m_rcItem.Height() - covered;
            if (extra <= 0) continue;
            int remainder = extra % span;
            for (int k = r; k < r + span; ++k) {
                heights[k] += extra / span + (remainder > 0 ? 1 : 0);
                if (remainder > 0) --remainder;
            }
        }
    }
    std::vector<int> top(static_cast<std::size_t>(rows) + 1);
    top[0] = content.top + gaps.spacingY;
    for (int r = 0; r < rows; ++r) top[r + 1] = top[r] + heights[r] + gapY;
    const int rowsWidth = left[columns] - gapX - content.left + gaps.spacingX;

    // Cells moved to their rows and stretched over their slots; their content placed in the
    // slot by the cell's vertical-align.
    for (int r = 0; r < rows; ++r) {
        CExtRichTableRow* row = grid.GetRow(r);
        for (int c = 0; c < columns; ++c) {
            CExtRichContentItem* cell = row->GetAt(c);
            if (!cell) continue;
            const int span = std::min(cell->GetRowSpan(), rows - r);
            const int slotHeight = top[r + span] - gapY - top[r];
            cell->OffsetItem(RichPoint{0, top[r]}, true, true, true);
            const int free = slotHeight - cell->m_rcItem.Height();
            const int align = cell->ReadStyle().m_nVerticalAlign;
            const int dy = align == RichCode::VAlignMiddle ? free / 2 : (align == RichCode::VAlignBottom ? free : 0);
            if (dy > 0) cell->OffsetItem(RichPoint{0, dy}, false, true, true);
            if (cell->ReadStyle().m_nWidth < 0) cell->m_rcItem.right = cell->m_rcItem.left + spanWidth(c, cell->GetColSpan());
            cell->m_rcItem.bottom = std::max(cell->m_rcItem.bottom, top[r] + slotHeight);
        }
    }
    // Row elements span the rows' width; row groups bound their rows.
    const std::vector<CExtRichTableLayout::RowSource> sources = CExtRichTableLayout::CollectRowSources(table);
    for (int r = 0; r < rows && r < static_cast<int>(sources.size()); ++r) {
        CExtRichContentItem* item = sources[static_cast<std::size_t>(r)].item;
        if (!item || item == table) continue;
        if (item->GetEffectiveDisplay() == RichCode::DisplayTableRow)
            item->m_rcItem = RichRect{content.left, top[r], content.left + rowsWidth, top[r] + heights[r]};
    }
    for (CExtRichContentItem* child : table->m_listChildren) {
        const int d = child->m_nKind == kRichItemElement ? child->GetEffectiveDisplay() : RichCode::DisplayNone;
        if (d == RichCode::DisplayTableHeaderGroup || d == RichCode::DisplayTableFooterGroup ||
            d == RichCode::DisplayTableRowGroup)
            child->UnionTableParts();
    }
    return RichRect{content.left, content.top, content.left + rowsWidth, top[rows] - gapY + gaps.spacingY};
}
