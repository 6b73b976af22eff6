// The grid of a table element: its rows in display order (header groups, body groups, the
// table's own rows, footer groups), each row an array of its cells, per-column widths and
// percentages, per-row heights and the span grid; the sortable arrays they are made of and the
// small comparison functions of the style classes.
#pragma once

#include "toolkit/richcontent/rich_ext_array.h"
#include "toolkit/richcontent/rich_item.h"
#include "toolkit/richcontent/rich_types.h"

#include <vector>

class CExtArrayDouble : public CExtArray<double> {
public:
    int Compare(const double* a, const double* b) const override;
};

class CExtArrayLong : public CExtArray<long> {
public:
    int Compare(const long* a, const long* b) const override;
};

// Pointer arrays order by address.
class CExtRichTableRow : public CExtArray<CExtRichContentItem*> {
public:
    // Grows the row with null cells to `count`; a row is never shrunk here.
    void SetCellCount(int count);

    int m_nSpare = 0;
    int m_nRowHeight = 0;     // the largest height of its single-row cells
    int m_nRowMinHeight = 0;  // the largest minimum content height of those cells
};

// CExtRichContentItem::span_info_array_t: the spanning cells of a table, ordered by the cell's
// index within its row and then by row.
class CExtRichContentItem::span_info_array_t : public CExtArray<CExtRichContentItem::span_info_t> {
public:
    span_info_array_t() = default;
    // Entry i takes positions[i] (cell index, row), spans[i] (colspan, rowspan) and cells[i]; the
    // three lists must be equally long (the shortest decides otherwise). Sorted on construction.
    span_info_array_t(const std::vector<RichPoint>& positions, const std::vector<RichSize>& spans,
                      const std::vector<CExtRichContentItem*>& cells);

    int Compare(const span_info_t* a, const span_info_t* b) const override;
    void Swap(span_info_t* a, span_info_t* b) override;
};

class CExtRichTableLayout : public CExtArray<CExtRichTableRow*> {
public:
    // One row of the table in display order: a row element, or a row group whose cells stand
    // directly in it, with the cells in document order.
    struct RowSource {
        CExtRichContentItem* item = nullptr;
        std::vector<CExtRichContentItem*> cells;
    };

    CExtRichTableLayout() = default;
    ~CExtRichTableLayout() override;

    // Deletes the rows and empties every array.
    void Clear();
    // `rows` rows of `columns` null cells, every column width and percentage 0.
    void Init(int columns, int rows);
    void Init(RichSize size) { Init(size.cx, size.cy); }
    // Null outside the grid.
    CExtRichTableRow* GetRow(int index) const;
    // The size of the first row (0 without rows).
    int GetColumnCount() const;
    RichSize GetGridSize() const { return RichSize{GetColumnCount(), GetSize()}; }
    long GetTotalPrefWidth() const;
    long GetTotalMinWidth() const;

    // The rows of a table item in display order. counts: (largest cell count of a row, rows);
    // positions (cell index within its row, row), spans (colspan, rowspan) and cells list every
    // cell spanning more than one column or row.
    static void CollectRows(CExtRichContentItem* table, RichSize& counts, std::vector<RichPoint>& positions,
                            std::vector<RichSize>& spans, std::vector<CExtRichContentItem*>& cells,
                            std::vector<CExtRichContentItem*>& rows);
    static void CollectRowGroup(CExtRichContentItem* group, bool isTable, RichSize& counts,
                                std::vector<RichPoint>& positions, std::vector<RichSize>& spans,
                                std::vector<CExtRichContentItem*>& cells, std::vector<CExtRichContentItem*>& rows,
                                std::vector<RowSource>* sources = nullptr);
    // The same walk, answering each row with its cells.
    static std::vector<RowSource> CollectRowSources(CExtRichContentItem* table);

    // The span grid: (colspan, rowspan) per slot, the entry of (c, r) at c + r * columns.
    void AllocateSpanGrid();
    void ClearSpanGrid() { m_arrSpans.RemoveAll(); }
    // (1, 1) outside the grid.
    RichSize GetSpan(int column, int row) const;
    // Ignored outside the grid; values below 1 are stored as 1.
    void SetSpan(int column, int row, RichSize span);
    // 0 a single slot, 1 the origin of a spanning cell, -1 a slot covered by another cell's span.
    int GetSpanKind(int column, int row) const;
    // The slot whose cell covers (column, row): the slot itself unless it is covered.
    RichPoint GetSpanOrigin(int column, int row) const;
    // The rectangle of the slots (c0, r0) to (c1, r1), cut to the grid; preferred widths and row
    // heights, or minimum widths and row minimum heights.
    RichRect GetRangeRect(int c0, int r0, int c1, int r1, bool preferred) const;

    // Builds the whole grid of a table item: rows in display order, each cell at the first free
    // slot of its row (after the slots that row spans from above hold), spans cut to the grid
    // and to slots already taken, covered slots pointing back to their cell. The cells' own
    // spans (SetCellSpans) are the ones they got.
    void Build(CExtRichContentItem* table);

    CExtArrayDouble m_arrColPercent;
    CExtArrayLong m_arrColPrefWidths;
    CExtArrayLong m_arrColMinWidths;
    CExtArray<RichSize> m_arrSpans;

private:
    int SpanIndex(int column, int row) const;
    void SetCovered(int column, int row, RichPoint origin);
};

// Comparison helpers of the style classes (-1, 0 or +1).
int CompareDouble(const double* a, const double* b);
int CompareInt(const int* a, const int* b);
// false before true; any non-zero is true.
int CompareBool(const int* a, const int* b);
// First, then second.
int CompareIntPair(const int* a, const int* b);
// Four ints (a RECT) in the order left, right, top, bottom.
int CompareRectOrder(const int* a, const int* b);
// Copies each of the four ints of `source` into `target` unless it is the unset value -32761.
void MergeRectSides(int* target, const int* source);
