#include "toolkit/richcontent/rich_table_layout.h"

#include "toolkit/richcontent/rich_style.h"

#include <algorithm>

#ifdef _WIN32
#include <windows.h>
#endif

void RichSetLastErrorInvalidParameter() {
#ifdef _WIN32
    ::SetLastError(ERROR_INVALID_PARAMETER);
#endif
}

namespace {

template <class V>
int Sign3(const V& a, const V& b) {
    return a < b ? -1 : (b < a ? 1 : 0);
}

}  // namespace

// ---- comparison helpers ----

int CompareDouble(const double* a, const double* b) { return Sign3(*a, *b); }
int CompareInt(const int* a, const int* b) { return Sign3(*a, *b); }
int CompareBool(const int* a, const int* b) { return Sign3(*a != 0, *b != 0); }
int CompareIntPair(const int* a, const int* b) {
    if (int c = Sign3(a[0], b[0])) return c;
    return Sign3(a[1], b[1]);
}
int CompareRectOrder(const int* a, const int* b) {
    for (int i : {0, 2, 1, 3})
        if (int c = Sign3(a[i], b[i])) return c;
    return 0;
}
void MergeRectSides(int* target, const int* source) {
    for (int i = 0; i < 4; ++i)
        if (source[i] != kRichUnsetPixels) target[i] = source[i];
}

int CExtArrayDouble::Compare(const double* a, const double* b) const { return CompareDouble(a, b); }
int CExtArrayLong::Compare(const long* a, const long* b) const { return Sign3(*a, *b); }

// ---- rows and span lists ----

void CExtRichTableRow::SetCellCount(int count) {
    if (count > GetSize()) SetSize(count);
}

CExtRichContentItem::span_info_array_t::span_info_array_t(const std::vector<RichPoint>& positions,
                                                          const std::vector<RichSize>& spans,
                                                          const std::vector<CExtRichContentItem*>& cells) {
    const std::size_t n = std::min({positions.size(), spans.size(), cells.size()});
    SetSize(static_cast<int>(n));
    for (std::size_t i = 0; i < n; ++i) {
        span_info_t& info = ElementAt(static_cast<int>(i));
        info.m_nCellIndex = positions[i].x;
        info.m_nRow = positions[i].y;
        info.m_nColSpan = spans[i].cx;
        info.m_nRowSpan = spans[i].cy;
        info.m_pCell = cells[i];
    }
    Sort(true);
}

int CExtRichContentItem::span_info_array_t::Compare(const span_info_t* a, const span_info_t* b) const {
    if (int c = Sign3(a->m_nCellIndex, b->m_nCellIndex)) return c;
    return Sign3(a->m_nRow, b->m_nRow);
}

void CExtRichContentItem::span_info_array_t::Swap(span_info_t* a, span_info_t* b) { std::swap(*a, *b); }

// ---- the grid ----

CExtRichTableLayout& CExtRichContentItem::GetTableLayout() {
    CBoxExtras& extras = Extras();
    if (!extras.m_pTableLayout) extras.m_pTableLayout = new CExtRichTableLayout;
    return *extras.m_pTableLayout;
}

CExtRichTableLayout::~CExtRichTableLayout() { Clear(); }

void CExtRichTableLayout::Clear() {
    m_arrSpans.RemoveAll();
    m_arrColPercent.RemoveAll();
    m_arrColPrefWidths.RemoveAll();
    m_arrColMinWidths.RemoveAll();
    for (int i = 0; i < GetSize(); ++i) delete ElementAt(i);
    RemoveAll();
}

void CExtRichTableLayout::Init(int columns, int rows) {
    Clear();
    columns = std::max(columns, 0);
    rows = std::max(rows, 0);
    SetSize(rows);
    for (int r = 0; r < rows; ++r) {
        CExtRichTableRow*& row = ElementAt(r);
        if (!row) row = new CExtRichTableRow;
        row->SetSize(columns);
    }
    m_arrColPercent.SetSize(columns);
    m_arrColPrefWidths.SetSize(columns);
    m_arrColMinWidths.SetSize(columns);
    for (int c = 0; c < columns; ++c) {
        m_arrColPercent[c] = 0.0;
        m_arrColPrefWidths[c] = 0;
        m_arrColMinWidths[c] = 0;
    }
}

CExtRichTableRow* CExtRichTableLayout::GetRow(int index) const {
    return index >= 0 && index < GetSize() ? GetAt(index) : nullptr;
}

int CExtRichTableLayout::GetColumnCount() const {
    const CExtRichTableRow* first = GetRow(0);
    return first ? first->GetSize() : 0;
}

long CExtRichTableLayout::GetTotalPrefWidth() const {
    long sum = 0;
    for (int c = 0; c < m_arrColPrefWidths.GetSize(); ++c) sum += m_arrColPrefWidths[c];
    return sum;
}

long CExtRichTableLayout::GetTotalMinWidth() const {
    long sum = 0;
    for (int c = 0; c < m_arrColMinWidths.GetSize(); ++c) sum += m_arrColMinWidths[c];
    return sum;
}

// ---- rows in display order ----

namespace {

int CellSpan(int value) { return value < 1 ? 1 : value; }

// As in HTML, a cell spans at most 1000 columns, so a hostile span cannot make a huge grid.
constexpr int kMaxColSpan = 1000;
// Span grids beyond this many slots are not made (their queries answer single slots).
constexpr long long kMaxSpanSlots = 1 << 24;

void RecordSpan(CExtRichContentItem* cell, int number, int row, std::vector<RichPoint>& positions,
                std::vector<RichSize>& spans, std::vector<CExtRichContentItem*>& cells) {
    const CExtRichStyleDescription& style = cell->ReadStyle();
    const int colspan = CellSpan(style.m_nColSpan), rowspan = CellSpan(style.m_nRowSpan);
    if (colspan <= 1 && rowspan <= 1) return;
    positions.push_back(RichPoint{number, row});
    spans.push_back(RichSize{colspan, rowspan});
    cells.push_back(cell);
}

}  // namespace

void CExtRichTableLayout::CollectRowGroup(CExtRichContentItem* group, bool isTable, RichSize& counts,
                                          std::vector<RichPoint>& positions, std::vector<RichSize>& spans,
                                          std::vector<CExtRichContentItem*>& cells,
                                          std::vector<CExtRichContentItem*>& rows, std::vector<RowSource>* sources) {
    if (!group) return;
    std::vector<CExtRichContentItem*> pending;
    auto flushPending = [&] {
        if (pending.empty()) return;
        rows.push_back(group);
        ++counts.cy;
        counts.cx = std::max(counts.cx, static_cast<int>(pending.size()));
        if (sources) sources->push_back(RowSource{group, pending});
        pending.clear();
    };
    for (CExtRichContentItem* child : group->m_listChildren) {
        const int display = child->GetEffectiveDisplay();
        if (display == RichCode::DisplayTableRow) {
            flushPending();
            rows.push_back(child);
            ++counts.cy;
            RowSource source{child, {}};
            int number = 0;
            for (CExtRichContentItem* cell : child->m_listChildren) {
                if (cell->GetEffectiveDisplay() != RichCode::DisplayTableCell) continue;
                RecordSpan(cell, number++, counts.cy - 1, positions, spans, cells);
                source.cells.push_back(cell);
            }
            counts.cx = std::max(counts.cx, number);
            if (sources) sources->push_back(std::move(source));
        } else if (display == RichCode::DisplayTableCell && !isTable) {
            // The pending row is appended when the run of direct cells ends: its index is the
            // next row's.
            RecordSpan(child, static_cast<int>(pending.size()), counts.cy, positions, spans, cells);
            pending.push_back(child);
        }
    }
    flushPending();
}

void CExtRichTableLayout::CollectRows(CExtRichContentItem* table, RichSize& counts, std::vector<RichPoint>& positions,
                                      std::vector<RichSize>& spans, std::vector<CExtRichContentItem*>& cells,
                                      std::vector<CExtRichContentItem*>& rows) {
    counts = RichSize{};
    if (!table) return;
    auto groups = [&](int display) {
        for (CExtRichContentItem* child : table->m_listChildren)
            if (child->GetEffectiveDisplay() == display)
                CollectRowGroup(child, false, counts, positions, spans, cells, rows);
    };
    groups(RichCode::DisplayTableHeaderGroup);
    groups(RichCode::DisplayTableRowGroup);
    CollectRowGroup(table, true, counts, positions, spans, cells, rows);
    groups(RichCode::DisplayTableFooterGroup);
}

std::vector<CExtRichTableLayout::RowSource> CExtRichTableLayout::CollectRowSources(CExtRichContentItem* table) {
    std::vector<RowSource> sources;
    if (!table) return sources;
    RichSize counts;
    std::vector<RichPoint> positions;
    std::vector<RichSize> spans;
    std::vector<CExtRichContentItem*> cells, rows;
    auto groups = [&](int display) {
        for (CExtRichContentItem* child : table->m_listChildren)
            if (child->GetEffectiveDisplay() == display)
                CollectRowGroup(child, false, counts, positions, spans, cells, rows, &sources);
    };
    groups(RichCode::DisplayTableHeaderGroup);
    groups(RichCode::DisplayTableRowGroup);
    CollectRowGroup(table, true, counts, positions, spans, cells, rows, &sources);
    groups(RichCode::DisplayTableFooterGroup);
    return sources;
}

// ---- span grid ----

int CExtRichTableLayout::SpanIndex(int column, int row) const {
    const int columns = GetColumnCount(), rows = GetSize();
    if (column < 0 || row < 0 || column >= columns || row >= rows) return -1;
    const long long index = static_cast<long long>(row) * columns + column;
    return index < m_arrSpans.GetSize() ? static_cast<int>(index) : -1;
}

void CExtRichTableLayout::AllocateSpanGrid() {
    m_arrSpans.RemoveAll();
    const int columns = GetColumnCount(), rows = GetSize();
    if (columns == 0 || rows == 0) return;
    const long long slots = static_cast<long long>(columns) * rows;
    if (slots > kMaxSpanSlots) return;
    m_arrSpans.SetSize(static_cast<int>(slots));
    for (int i = 0; i < m_arrSpans.GetSize(); ++i) m_arrSpans[i] = RichSize{1, 1};
}

RichSize CExtRichTableLayout::GetSpan(int column, int row) const {
    const int index = SpanIndex(column, row);
    return index < 0 ? RichSize{1, 1} : m_arrSpans[index];
}

void CExtRichTableLayout::SetSpan(int column, int row, RichSize span) {
    const int index = SpanIndex(column, row);
    if (index < 0) return;
    m_arrSpans[index] = RichSize{std::max(span.cx, 1), std::max(span.cy, 1)};
}

void CExtRichTableLayout::SetCovered(int column, int row, RichPoint origin) {
    const int index = SpanIndex(column, row);
    if (index >= 0) m_arrSpans[index] = RichSize{origin.x - column, origin.y - row};
}

int CExtRichTableLayout::GetSpanKind(int column, int row) const {
    const RichSize span = GetSpan(column, row);
    if (span.cx == 1 && span.cy == 1) return 0;
    if (span.cx <= 0 || span.cy <= 0) return -1;
    return 1;
}

RichPoint CExtRichTableLayout::GetSpanOrigin(int column, int row) const {
    const RichSize span = GetSpan(column, row);
    if (span.cx <= 0 || span.cy <= 0) return RichPoint{column + span.cx, row + span.cy};
    return RichPoint{column, row};
}

RichRect CExtRichTableLayout::GetRangeRect(int c0, int r0, int c1, int r1, bool preferred) const {
    const int columns = GetColumnCount(), rows = GetSize();
    RichRect rc;
    if (columns == 0 || rows == 0) return rc;
    c0 = std::clamp(c0, 0, columns - 1);
    c1 = std::min(c1, columns - 1);
    r0 = std::clamp(r0, 0, rows - 1);
    r1 = std::min(r1, rows - 1);
    if (c1 < c0 || r1 < r0) return rc;
    const CExtArrayLong& widths = preferred ? m_arrColPrefWidths : m_arrColMinWidths;
    auto width = [&](int c) { return c < widths.GetSize() ? static_cast<int>(widths[c]) : 0; };
    auto height = [&](int r) {
        const CExtRichTableRow* row = GetRow(r);
        return row ? (preferred ? row->m_nRowHeight : row->m_nRowMinHeight) : 0;
    };
    for (int c = 0; c < c0; ++c) rc.left += width(c);
    rc.right = rc.left;
    for (int c = c0; c <= c1; ++c) rc.right += width(c);
    for (int r = 0; r < r0; ++r) rc.top += height(r);
    rc.bottom = rc.top;
    for (int r = r0; r <= r1; ++r) rc.bottom += height(r);
    return rc;
}

// ---- building from a table item ----

void CExtRichTableLayout::Build(CExtRichContentItem* table) {
    Clear();
    const std::vector<RowSource> sources = CollectRowSources(table);
    const int rows = static_cast<int>(sources.size());
    if (rows == 0) return;

    // First pass: place every cell to learn the column count. `taken[r]` marks the slots of row
    // r already held by a cell or by a row span from above.
    struct Placed {
        CExtRichContentItem* cell;
        int column, row, colspan, rowspan;
    };
    std::vector<std::vector<bool>> taken(rows);
    std::vector<Placed> placed;
    int columns = 0;
    auto isTaken = [&](int r, int c) { return c < static_cast<int>(taken[r].size()) && taken[r][c]; };
    auto take = [&](int r, int c) {
        if (c >= static_cast<int>(taken[r].size())) taken[r].resize(c + 1, false);
        taken[r][c] = true;
    };
    for (int r = 0; r < rows; ++r) {
        int c = 0;
        for (CExtRichContentItem* cell : sources[r].cells) {
            while (isTaken(r, c)) ++c;
            const CExtRichStyleDescription& style = cell->ReadStyle();
            // Spans past the last row end there; a column span stops at a slot held by a row
            // span from above, so cells never overlap.
            const int rowspan = std::min(CellSpan(style.m_nRowSpan), rows - r);
            const int wanted = std::min(CellSpan(style.m_nColSpan), kMaxColSpan);
            int colspan = 1;
            while (colspan < wanted && !isTaken(r, c + colspan)) ++colspan;
            for (int rr = r; rr < r + rowspan; ++rr)
                for (int cc = c; cc < c + colspan; ++cc) take(rr, cc);
            placed.push_back(Placed{cell, c, r, colspan, rowspan});
            c += colspan;
        }
        columns = std::max(columns, static_cast<int>(taken[r].size()));
    }
    for (const auto& row : taken) columns = std::max(columns, static_cast<int>(row.size()));

    Init(columns, rows);
    AllocateSpanGrid();
    for (const Placed& p : placed) {
        ElementAt(p.row)->SetAt(p.column, p.cell);
        p.cell->SetCellSpans(p.colspan, p.rowspan);
        if (p.colspan == 1 && p.rowspan == 1) continue;
        SetSpan(p.column, p.row, RichSize{p.colspan, p.rowspan});
        for (int r = p.row; r < p.row + p.rowspan; ++r)
            for (int c = p.column; c < p.column + p.colspan; ++c)
                if (r != p.row || c != p.column) SetCovered(c, r, RichPoint{p.column, p.row});
    }
}
