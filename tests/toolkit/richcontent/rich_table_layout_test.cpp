// Table grids: rows in display order, span grids of spanning and irregular tables, range
// rectangles, the sortable arrays and the comparison helpers.
#include "tests/toolkit/richcontent/rich_test_support.h"
#include "toolkit/richcontent/rich_table_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

using richtest::DocumentBuilder;
using richtest::Utf8;

namespace {

// Tables written as text: rows split by "|", cells by blanks; a cell is its name with optional
// "/colspan" and ":rowspan" ("A/2:3"). A row beginning with "*" is a run of cells directly in a
// body group (no row element); "h:", "b:" and "f:" put a row in a header, body or footer group.
struct TableBuilder : DocumentBuilder {
    CExtRichContentItem* table = Element(root, u"table");

    TableBuilder() { table->GetStyle().m_nDisplay = RichCode::DisplayTable; }

    CExtRichContentItem* Group(int display) {
        CExtRichContentItem* g = Element(table, u"tbody");
        g->GetStyle().m_nDisplay = display;
        return g;
    }
    void Cell(CExtRichContentItem* parent, const std::string& cellText) {
        std::string name = cellText;
        int colspan = 1, rowspan = 1;
        if (auto colon = name.find(':'); colon != std::string::npos) {
            rowspan = std::stoi(name.substr(colon + 1));
            name.resize(colon);
        }
        if (auto slash = name.find('/'); slash != std::string::npos) {
            colspan = std::stoi(name.substr(slash + 1));
            name.resize(slash);
        }
        CExtRichContentItem* cell = Element(parent, u"td");
        cell->m_strName = rich::FromAscii(name.c_str());
        cell->GetStyle().m_nDisplay = RichCode::DisplayTableCell;
        cell->GetStyle().m_nColSpan = colspan;
        cell->GetStyle().m_nRowSpan = rowspan;
    }
    void Rows(const std::string& text) {
        std::size_t start = 0;
        while (start <= text.size()) {
            std::size_t end = text.find('|', start);
            if (end == std::string::npos) end = text.size();
            Row(text.substr(start, end - start));
            start = end + 1;
        }
    }
    void Row(std::string rowText) {
        CExtRichContentItem* parent = table;
        bool direct = false;
        if (rowText.rfind("h:", 0) == 0 || rowText.rfind("b:", 0) == 0 || rowText.rfind("f:", 0) == 0) {
            const int display = rowText[0] == 'h'   ? RichCode::DisplayTableHeaderGroup
                                : rowText[0] == 'b' ? RichCode::DisplayTableRowGroup
                                                 : RichCode::DisplayTableFooterGroup;
            parent = Group(display);
            rowText = rowText.substr(2);
        }
        if (!rowText.empty() && rowText[0] == '*') {
            if (parent == table) parent = Group(RichCode::DisplayTableRowGroup);
            direct = true;
            rowText = rowText.substr(1);
        }
        CExtRichContentItem* row = parent;
        if (!direct) {
            row = Element(parent, u"tr");
            row->GetStyle().m_nDisplay = RichCode::DisplayTableRow;
        }
        std::size_t start = 0;
        while (start < rowText.size()) {
            std::size_t end = rowText.find(' ', start);
            if (end == std::string::npos) end = rowText.size();
            if (end > start) Cell(row, rowText.substr(start, end - start));
            start = end + 1;
        }
    }
};

// The built grid as text: a cell's name at its slot, the lower-case name of the covering cell at
// a covered slot, "." at an empty slot.
std::string Dump(const CExtRichTableLayout& grid) {
    std::string out;
    for (int r = 0; r < grid.GetSize(); ++r) {
        if (r) out += '|';
        const CExtRichTableRow* row = grid.GetRow(r);
        for (int c = 0; c < row->GetSize(); ++c) {
            if (c) out += ' ';
            if (grid.GetSpanKind(c, r) < 0) {
                const RichPoint o = grid.GetSpanOrigin(c, r);
                const CExtRichContentItem* cell = grid.GetRow(o.y)->GetAt(o.x);
                out += cell ? static_cast<char>(std::tolower(Utf8(cell->m_strName)[0])) : '?';
            } else if (const CExtRichContentItem* cell = row->GetAt(c)) {
                out += Utf8(cell->m_strName);
            } else {
                out += '.';
            }
        }
    }
    return out;
}

struct GridCase {
    const char* name;
    const char* rows;
    const char* grid;
};

TEST(RichTableGrid, SpansAndIrregularRowsGiveTheExpectedGrid) {
    const GridCase cases[] = {
        {"plain", "A B|C D", "A B|C D"},
        {"column span", "A/2 B|C D E", "A a B|C D E"},
        {"row span", "A:2 B|C", "A B|a C"},
        {"both spans", "A/2:2 B|C|D E F", "A a B|a a C|D E F"},
        {"short rows are padded", "A B C|D", "A B C|D . ."},
        {"empty row", "A B||C", "A B|. .|C ."},
        {"row span past the last row stops there", "A:5 B|C", "A B|a C"},
        {"column span widens the table", "A B/3", "A B b b"},
        {"column span stops at a slot held from above", "A B:2|C/3", "A B|C b"},
        {"row span pushes the next row's cells right", "A:2 B|C/2", "A B .|a C c"},
        {"zero and negative spans count as one", "A/0:-2 B", "A B"},
        {"display order: header, body, table rows, footer", "f:F|R|b:Y|h:H", "H|Y|R|F"},
        {"cells directly in a group form one row", "*A B|C", "A B|C ."},
    };
    for (const GridCase& c : cases) {
        TableBuilder t;
        t.Rows(c.rows);
        CExtRichTableLayout& grid = t.table->GetTableLayout();
        grid.Build(t.table);
        EXPECT_EQ(Dump(grid), c.grid) << c.name;
        // The span grid covers the whole grid and nothing outside it answers.
        const RichSize size = grid.GetGridSize();
        EXPECT_EQ(grid.m_arrSpans.GetSize(), size.cx * size.cy) << c.name;
        EXPECT_EQ(grid.GetSpanKind(size.cx, 0), 0) << c.name;
        EXPECT_EQ(grid.GetSpanKind(-1, size.cy), 0) << c.name;
    }
}

TEST(RichTableGrid, CellsKeepTheSpansTheyGot) {
    TableBuilder t;
    t.Rows("A:5 B/9|C");
    t.table->GetTableLayout().Build(t.table);
    CExtRichContentItem* a = t.table->m_listChildren.GetHead()->m_listChildren.GetHead();
    CExtRichContentItem* b = a->m_pNext;
    EXPECT_EQ(a->GetRowSpan(), 2);
    EXPECT_EQ(b->GetColSpan(), 9);
    EXPECT_EQ(t.table->GetTableLayout().GetSpan(0, 0), (RichSize{1, 2}));
    EXPECT_EQ(t.table->GetTableLayout().GetSpanKind(1, 0), 1);

    // A hostile column span is held at 1000 columns.
    TableBuilder huge;
    huge.Rows("A/2000000000 B");
    CExtRichTableLayout& grid = huge.table->GetTableLayout();
    grid.Build(huge.table);
    EXPECT_EQ(grid.GetGridSize(), (RichSize{1001, 1}));
    EXPECT_EQ(grid.GetSpan(0, 0), (RichSize{1000, 1}));
    EXPECT_EQ(Utf8(grid.GetRow(0)->GetAt(1000)->m_strName), "B");
}

TEST(RichTableGrid, CollectRowsCountsRowsColumnsAndSpanningCells) {
    TableBuilder t;
    t.Rows("h:H1 H2/2|A B C:2|*D E");
    RichSize counts;
    std::vector<RichPoint> positions;
    std::vector<RichSize> spans;
    std::vector<CExtRichContentItem*> cells, rows;
    CExtRichTableLayout::CollectRows(t.table, counts, positions, spans, cells, rows);
    // Header row, the direct cells of the body group (one row), then the table's own row.
    EXPECT_EQ(counts, (RichSize{3, 3}));
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(Utf8(rows[0]->m_strName), "tr");
    EXPECT_EQ(rows[1]->GetEffectiveDisplay(), RichCode::DisplayTableRowGroup);
    ASSERT_EQ(positions.size(), 2u);
    EXPECT_EQ(positions[0], (RichPoint{1, 0}));  // H2: second cell of row 0
    EXPECT_EQ(spans[0], (RichSize{2, 1}));
    EXPECT_EQ(positions[1], (RichPoint{2, 2}));  // C: third cell of row 2
    EXPECT_EQ(Utf8(cells[1]->m_strName), "C");

    // Ordered by cell index, then row.
    CExtRichContentItem::span_info_array_t sorted({{2, 0}, {0, 3}, {0, 1}}, {{2, 1}, {1, 2}, {3, 1}},
                                                  {cells[0], cells[1], nullptr});
    ASSERT_EQ(sorted.GetSize(), 3);
    EXPECT_EQ(sorted[0].m_nRow, 1);
    EXPECT_EQ(sorted[0].m_nColSpan, 3);
    EXPECT_EQ(sorted[1].m_nRow, 3);
    EXPECT_EQ(sorted[1].m_pCell, cells[1]);
    EXPECT_EQ(sorted[2].m_nCellIndex, 2);
}

TEST(RichTableGrid, DirectCellsBeforeTheFirstRowGetARealRowIndex) {
    // The pending cells become the group's row 0; their span is recorded there, not at row -1.
    TableBuilder t;
    t.Rows("*A/2 B");
    RichSize counts;
    std::vector<RichPoint> positions;
    std::vector<RichSize> spans;
    std::vector<CExtRichContentItem*> cells, rows;
    CExtRichTableLayout::CollectRows(t.table, counts, positions, spans, cells, rows);
    EXPECT_EQ(counts, (RichSize{2, 1}));
    ASSERT_EQ(positions.size(), 1u);
    EXPECT_EQ(positions[0], (RichPoint{0, 0}));
}

TEST(RichTableGrid, InitSpansAndRanges) {
    CExtRichTableLayout grid;
    EXPECT_EQ(grid.GetGridSize(), (RichSize{0, 0}));
    EXPECT_EQ(grid.GetRangeRect(0, 0, 5, 5, true), RichRect{});
    grid.Init(RichSize{3, 2});
    EXPECT_EQ(grid.GetGridSize(), (RichSize{3, 2}));
    EXPECT_EQ(grid.m_arrColPercent.GetSize(), 3);
    for (int c = 0; c < 3; ++c) {
        grid.m_arrColPrefWidths[c] = 10 * (c + 1);  // 10, 20, 30
        grid.m_arrColMinWidths[c] = c + 1;          // 1, 2, 3
    }
    grid.GetRow(0)->m_nRowHeight = 5;
    grid.GetRow(1)->m_nRowHeight = 7;
    grid.GetRow(0)->m_nRowMinHeight = 1;
    grid.GetRow(1)->m_nRowMinHeight = 2;
    EXPECT_EQ(grid.GetTotalPrefWidth(), 60);
    EXPECT_EQ(grid.GetTotalMinWidth(), 6);
    EXPECT_EQ(grid.GetRangeRect(1, 1, 2, 1, true), (RichRect{10, 5, 60, 12}));
    EXPECT_EQ(grid.GetRangeRect(1, 0, 9, 9, false), (RichRect{1, 0, 6, 3}));  // cut to the last column and row
    EXPECT_EQ(grid.GetRangeRect(1, 1, 2, 0, true), RichRect{});                // r1 < r0

    grid.AllocateSpanGrid();
    grid.SetSpan(0, 0, RichSize{0, 3});
    EXPECT_EQ(grid.GetSpan(0, 0), (RichSize{1, 3}));
    grid.SetSpan(7, 0, RichSize{2, 2});  // outside: ignored
    grid.m_arrSpans[1] = RichSize{0, 0};
    grid.m_arrSpans[2] = RichSize{2, 1};
    EXPECT_EQ(grid.GetSpanKind(0, 1), 0);
    EXPECT_EQ(grid.GetSpanKind(1, 0), -1);
    EXPECT_EQ(grid.GetSpanKind(2, 0), 1);

    // Rows only grow.
    grid.GetRow(0)->SetCellCount(5);
    grid.GetRow(0)->SetCellCount(1);
    EXPECT_EQ(grid.GetRow(0)->GetSize(), 5);
    EXPECT_EQ(grid.GetRow(0)->GetAt(4), nullptr);
    grid.Clear();
    EXPECT_EQ(grid.GetSize(), 0);
    EXPECT_TRUE(grid.m_arrSpans.IsEmpty());
    EXPECT_TRUE(grid.m_arrColMinWidths.IsEmpty());
}

// Counts swaps, and can make one fail.
class CountingArray : public CExtArray<int> {
public:
    int swaps = 0;
    bool failSwap = false;
    void Swap(int* a, int* b) override {
        if (failSwap) throw RichArrayIndexError();
        ++swaps;
        CExtArray<int>::Swap(a, b);
    }
};

std::vector<int> Values(const CExtArray<int>& a) {
    std::vector<int> v;
    for (int i = 0; i < a.GetSize(); ++i) v.push_back(a[i]);
    return v;
}

TEST(RichExtArray, SortsBothWaysAndMarksTheArray) {
    CountingArray empty;
    EXPECT_TRUE(empty.Sort(false));
    EXPECT_TRUE(empty.IsSorted());
    EXPECT_FALSE(empty.IsSortedAscending());

    CountingArray a;
    for (int v : {3, 1, 2}) a.Add(v);
    EXPECT_FALSE(a.IsSorted());
    EXPECT_TRUE(a.Sort());
    EXPECT_EQ(Values(a), (std::vector<int>{1, 2, 3}));
    EXPECT_TRUE(a.Sort(false));
    EXPECT_EQ(Values(a), (std::vector<int>{3, 2, 1}));
    EXPECT_TRUE(a.IsSorted());

    // Many equal elements: sorted without ever swapping two equal ones.
    CountingArray same;
    for (int i = 0; i < 9; ++i) same.Add(4);
    EXPECT_TRUE(same.Sort());
    EXPECT_EQ(same.swaps, 0);

    // A larger mixed array ends in order.
    CountingArray mixed;
    for (int i = 0; i < 200; ++i) mixed.Add((i * 37) % 23 - 11);
    EXPECT_TRUE(mixed.Sort());
    std::vector<int> v = Values(mixed);
    EXPECT_TRUE(std::is_sorted(v.begin(), v.end()));
}

TEST(RichExtArray, AFailedIndexCheckMakesSortAnswerFalse) {
    CountingArray a;
    for (int v : {3, 1, 2}) a.Add(v);
    a.failSwap = true;
    EXPECT_FALSE(a.Sort());
    EXPECT_FALSE(a.IsSorted());
    EXPECT_THROW(a.GetAt(3), RichArrayIndexError);
    EXPECT_THROW(a.RemoveAt(2, 2), RichArrayIndexError);
    a.InsertAt(5, 9);  // past the end grows first
    EXPECT_EQ(Values(a), (std::vector<int>{3, 1, 2, 0, 0, 9}));
}

TEST(RichExtArray, ComparisonHelpers) {
    const double d1 = 1.5, d2 = 2.5;
    EXPECT_EQ(CompareDouble(&d1, &d2), -1);
    EXPECT_EQ(CompareDouble(&d2, &d1), 1);
    const int zero = 0, one = 1, seven = 7, minus = -3;
    EXPECT_EQ(CompareInt(&minus, &zero), -1);
    EXPECT_EQ(CompareBool(&seven, &one), 0);  // any non-zero is true
    EXPECT_EQ(CompareBool(&zero, &minus), -1);
    const int p1[2] = {1, 5}, p2[2] = {1, 6};
    EXPECT_EQ(CompareIntPair(p1, p2), -1);
    // Left, right, top, bottom: the third value decides before the second.
    const int r1[4] = {0, 5, 1, 0}, r2[4] = {0, 0, 2, 0};
    EXPECT_EQ(CompareRectOrder(r1, r2), -1);
    int target[4] = {1, 2, 3, 4};
    const int source[4] = {kRichUnsetPixels, 20, kRichUnsetPixels, 40};
    MergeRectSides(target, source);
    EXPECT_EQ(std::vector<int>(target, target + 4), (std::vector<int>{1, 20, 3, 40}));

    CExtArrayLong longs;
    for (long v : {5L, -2L, 9L}) longs.Add(v);
    EXPECT_TRUE(longs.Sort(false));
    EXPECT_EQ(longs[0], 9);
    EXPECT_EQ(longs[2], -2);
}

}  // namespace
