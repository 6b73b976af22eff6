// Tables: "table", "tr" and "td" laid out as grids. The measuring pass builds each table's grid
// with the needed width of every column and height of every row; the drawing pass takes it back
// by counting tables, stretches the columns to the width available and paints.
#include <algorithm>

#include "controls/html/markup_renderer.h"
#include "controls/html/markup_scanner.h"

namespace html {

namespace {

// Width (or height) of n columns (rows) of the given total size with spacing s between and
// around them and one pixel between neighbours. A grid without columns takes no room.
long long GridExtent(std::size_t n, long long total, int s) {
  if (n == 0) return 0;
  return total + (static_cast<long long>(n) + 1) * s + (static_cast<long long>(n) - 1);
}

long long Sum(const std::vector<int>& v, std::size_t from, std::size_t to) {
  long long total = 0;
  for (std::size_t i = from; i < to && i < v.size(); ++i) total += v[i];
  return total;
}

// The first tag of a table, row or cell text: its attribute text.
std::wstring OwnAttributes(const std::wstring& text, std::size_t& after) {
  std::wstring run, tag, name, attributes;
  after = 0;
  NextRunAndTag(text, after, run, tag);
  SplitTag(tag, name, attributes);
  return attributes;
}

int BackgroundKind(const std::wstring& value, int current, const LengthUnits& units) {
  static const wchar_t* const kKinds[] = {L"solid",      L"hgradient",  L"vgradient", L"hcgradient",
                                          L"vcgradient", L"3hgradient", L"3vgradient", L"noise",
                                          L"diagshade",  L"hshade",     L"vshade",    L"hbump",
                                          L"vbump",      L"softbump",   L"hardbump",  L"metal"};
  const std::wstring v = AsciiLower(value);
  if (v == L"transparent") return -1;
  for (int i = 0; i < 16; ++i)
    if (v == kKinds[i]) return i;
  return ParseLength(current, value, false, units);
}

}  // namespace

void MarkupRenderer::ParseTableAttributes(const std::wstring& attributes, TextStyle& style, bool tableMode,
                                          int& colSpan, int& rowSpan) {
  colSpan = rowSpan = 1;
  const LengthUnits units = Units();
  const bool colours = m_colours.enabled;
  // Keyword attributes borrow the style sheet's grammar; only the one field is taken over.
  auto declared = [&](const std::wstring& property, const std::wstring& value) {
    TextStyle scratch = style;
    ApplyDeclarations(property + L":" + value, scratch, m_colours, units);
    return scratch;
  };
  std::wstring name, value;
  std::size_t pos = 0;
  while (NextAttribute(attributes, pos, name, value)) {
    if (tableMode && name == L"cellpadding") {
      style.margin = ParseLength(style.margin, value, false, units);
    } else if (tableMode && name == L"cellspacing") {
      style.padding = ParseLength(style.padding, value, false, units);
    } else if (tableMode && name == L"background") {
      style.backgroundImage = value;
    } else if (name == L"rowspan") {
      rowSpan = ParseLength(rowSpan, value, false, units);
    } else if (name == L"colspan") {
      colSpan = ParseLength(colSpan, value, false, units);
    } else if (name == L"border") {
      style.borderWidth = ParseLength(style.borderWidth, value, false, units);
      if (style.borderWidth == 0) style.borderStyle = 0;
      else if (style.borderStyle == 0) style.borderStyle = 1;
    } else if (name == L"borderstyle") {
      style.borderStyle = declared(L"border-style", value).borderStyle;
      if (style.borderStyle != 0 && style.borderWidth == 0) style.borderWidth = 1;
    } else if (name == L"bordercolor") {
      style.borderLight = style.borderDark = colours ? ParseColour(style.borderLight, value, m_colours) : m_colours.disabled;
    } else if (name == L"bordercolorlight") {
      style.borderLight = colours ? ParseColour(style.borderLight, value, m_colours) : m_colours.disabled;
    } else if (name == L"bordercolordark") {
      style.borderDark = colours ? ParseColour(style.borderDark, value, m_colours) : m_colours.disabled;
    } else if (name == L"bgcolor") {
      if (colours) {
        style.backgroundColour = ParseColour(style.backgroundColour, value, m_colours);
        if (style.backgroundKind < 0) style.backgroundKind = 0;
      }
    } else if (name == L"bgmidcolor") {
      if (colours) style.backgroundMid = ParseColour(style.backgroundMid, value, m_colours);
    } else if (name == L"bgendcolor") {
      if (colours) style.backgroundEnd = ParseColour(style.backgroundEnd, value, m_colours);
    } else if (name == L"bgeffect") {
      if (colours) style.backgroundKind = BackgroundKind(value, style.backgroundKind, units);
    } else if (name == L"align") {
      style.hAlign = declared(L"text-align", value).hAlign;
    } else if (name == L"valign") {
      style.vAlign = declared(L"vertical-align", value).vAlign;
    } else if (name == L"width") {
      style.width = ParseLength(style.width, value, false, units);
    } else if (name == L"height") {
      style.height = ParseLength(style.height, value, false, units);
    }
  }
  if (style.borderStyle == 0 || style.borderWidth <= 0) {
    style.borderStyle = style.borderWidth = 0;
  } else if (style.borderStyle != 1 || !tableMode) {
    // Only tables have solid frames wider than one pixel.
    style.borderWidth = 1;
  }
}

std::size_t MarkupRenderer::OpenLevel(const wchar_t* name) {
  const std::size_t depth = m_styleStack.size();
  PushOrPopStyle(true, name);
  ApplyStyleRule(name, m_style);
  return depth;
}

void MarkupRenderer::CloseLevel(std::size_t depth, const wchar_t* name) {
  // Tags left open inside the level end with it.
  if (m_styleStack.size() > depth && m_styleStack[depth].name == name) {
    m_style = std::move(m_styleStack[depth]);
    m_styleStack.resize(depth);
    m_style.name.clear();
    ApplyFont();
  } else {
    m_style.name.clear();
  }
}

// Rows and cells are found as the rendering finds them (nested tables skipped), so the grid
// has a slot for every cell the rendering meets.
void MarkupRenderer::MeasureTableGrid(const std::wstring& table, int& columns, int& rows) {
  long long widest = 0;
  long long rowCount = 0;
  std::size_t pos = 0;
  while (pos < table.size()) {
    const std::size_t tr = FindTag(L"tr", table, pos);
    if (tr >= table.size()) break;
    const std::size_t end = FindRowEnd(table, tr);
    ++rowCount;
    const std::wstring row = table.substr(tr, end - tr);
    long long spans = 0;
    std::size_t cell = 0;
    std::size_t rowClose = FindTag(L"/tr", row, 0);
    while (cell < row.size()) {
      const std::size_t td = FindTag(L"td", row, cell);
      if (rowClose < cell) rowClose = FindTag(L"/tr", row, cell);
      if (td >= row.size() || td >= rowClose) break;
      const std::size_t cellEnd = FindCellEnd(row, td);
      std::size_t after = 0;
      TextStyle scratch = m_style;
      int colSpan = 1, rowSpan = 1;
      ParseTableAttributes(OwnAttributes(row.substr(td, cellEnd - td), after), scratch, true, colSpan, rowSpan);
      spans += std::clamp(colSpan, 1, static_cast<int>(kMaxTableSlots));
      cell = cellEnd;
    }
    widest = std::max(widest, spans);
    if (end >= table.size()) break;
    pos = end + 5;
  }
  // The grids of one text share a budget of slots: a hostile span or a flood of rows clips the
  // grid (cells outside it are ignored) instead of allocating without bound.
  const long long budget = std::max(kMaxTableSlots - m_tableSlots, 0LL);
  rowCount = std::min(rowCount, budget);
  if (rowCount > 0) widest = std::min(widest, budget / rowCount);
  if (widest == 0) rowCount = 0;
  m_tableSlots += widest * rowCount;
  columns = static_cast<int>(widest);
  rows = static_cast<int>(rowCount);
}

void MarkupRenderer::ResolveSpans(TableLayout& layout) {
  const std::size_t rows = layout.rowHeights.size(), columns = layout.columnWidths.size();
  struct Slot {
    std::size_t r, c;
    int span;
  };
  std::vector<Slot> byColumns, byRows;
  for (std::size_t r = 0; r < rows; ++r)
    for (std::size_t c = 0; c < columns; ++c) {
      const CellRecord& cell = layout.cells[r][c];
      if (cell.colSpan >= 1) byColumns.push_back({r, c, cell.colSpan});
      if (cell.rowSpan >= 1) byRows.push_back({r, c, cell.rowSpan});
    }
  // Narrow spans first, each span in grid order.
  auto bySpan = [](const Slot& a, const Slot& b) { return a.span < b.span; };
  std::stable_sort(byColumns.begin(), byColumns.end(), bySpan);
  std::stable_sort(byRows.begin(), byRows.end(), bySpan);

  for (const Slot& s : byColumns) {
    const CellRecord& cell = layout.cells[s.r][s.c];
    const std::size_t span = std::min<std::size_t>(s.span, columns - s.c);
    if (span == 1) {
      layout.columnWidths[s.c] = std::max(layout.columnWidths[s.c], cell.neededWidth);
      if (cell.fixedWidth) layout.fixedColumns[s.c] = 1;
      continue;
    }
    if (cell.fixedWidth)
      for (std::size_t k = 0; k < span; ++k) layout.fixedColumns[s.c + k] = 1;
    const long long sum = Sum(layout.columnWidths, s.c, s.c + span);
    if (sum < cell.neededWidth) {
      const long long shortfall = cell.neededWidth - sum;
      for (std::size_t k = 0; k < span; ++k)
        layout.columnWidths[s.c + k] = Saturate(layout.columnWidths[s.c + k] + shortfall / static_cast<long long>(span));
      layout.columnWidths[s.c + span - 1] =
          Saturate(layout.columnWidths[s.c + span - 1] + shortfall % static_cast<long long>(span));
    }
  }
  for (const Slot& s : byRows) {
    const CellRecord& cell = layout.cells[s.r][s.c];
    const std::size_t span = std::min<std::size_t>(s.span, rows - s.r);
    if (span == 1) {
      layout.rowHeights[s.r] = std::max(layout.rowHeights[s.r], cell.neededHeight);
      continue;
    }
    const long long sum = Sum(layout.rowHeights, s.r, s.r + span);
    if (sum < cell.neededHeight) {
      const long long shortfall = cell.neededHeight - sum;
      for (std::size_t k = 0; k < span; ++k)
        layout.rowHeights[s.r + k] = Saturate(layout.rowHeights[s.r + k] + shortfall / static_cast<long long>(span));
      layout.rowHeights[s.r] = Saturate(layout.rowHeights[s.r] + shortfall % static_cast<long long>(span));
    }
  }
}

Size MarkupRenderer::RenderTable(const std::wstring& table, const Rect& rect) {
  const int index = ++m_tableCounter;
  Size size;
  if (m_measuring) {
    int columns = 0, rows = 0;
    MeasureTableGrid(table, columns, rows);
    TableLayout fresh;
    fresh.cells.assign(rows, std::vector<CellRecord>(columns));
    fresh.columnWidths.assign(columns, 0);
    fresh.rowHeights.assign(rows, 0);
    fresh.fixedColumns.assign(columns, 0);
    if (m_tables.size() <= static_cast<std::size_t>(index)) m_tables.resize(index + 1);
    m_tables[index] = std::move(fresh);
  }
  // A table the measuring pass did not meet draws as one without rows.
  TableLayout layout;
  if (index >= 0 && static_cast<std::size_t>(index) < m_tables.size()) layout = std::move(m_tables[index]);
  const std::size_t columns = layout.columnWidths.size(), rows = layout.rowHeights.size();

  const std::size_t depth = OpenLevel(L"table");
  std::size_t after = 0;
  int colSpan = 1, rowSpan = 1;
  ParseTableAttributes(OwnAttributes(table, after), m_style, true, colSpan, rowSpan);
  ApplyFont();

  const bool doubleFrame = m_style.borderStyle == 6;
  const int frame = doubleFrame ? 6 : SatMul(2, m_style.borderWidth);
  Rect tableRect;
  Rect inner;
  if (!m_measuring) {
    const int s = m_style.padding;
    long long width = GridExtent(columns, Sum(layout.columnWidths, 0, columns), s) + frame;
    const long long height = GridExtent(rows, Sum(layout.rowHeights, 0, rows), s) + frame;
    const long long available = static_cast<long long>(rect.right) - rect.left;
    int left = rect.left;
    if (width < available) {
      long long spare = available - width;
      long long open = std::count(layout.fixedColumns.begin(), layout.fixedColumns.end(), 0);
      for (std::size_t c = 0; c < columns && open > 0; ++c) {
        if (layout.fixedColumns[c]) continue;
        const long long share = spare / open--;
        layout.columnWidths[c] = Saturate(layout.columnWidths[c] + share);
        spare -= share;
        width += share;
      }
      if (width < available) {
        if (m_style.hAlign == kAlignCenter) left = Saturate(rect.left + (available - width) / 2);
        else if (m_style.hAlign == kAlignRight) left = Saturate(rect.right - width);
      }
    }
    tableRect = Rect{left, rect.top, Saturate(left + width), Saturate(rect.top + height)};
    if (m_style.backgroundKind >= 0) {
      m_surface->PaintBackground(tableRect, m_style.backgroundKind, m_style.backgroundColour, m_style.backgroundMid,
                                 m_style.backgroundEnd);
    } else if (m_colours.enabled && m_style.backgroundImage.size() > 5) {
      m_surface->PaintBackgroundImage(tableRect, m_style.backgroundImage);
    }
    if (m_style.borderWidth > 0 && m_style.borderStyle != 0) {
      const bool c = m_colours.enabled;
      m_surface->PaintFrame(tableRect, c ? m_style.borderLight : m_colours.disabled,
                            c ? m_style.borderDark : m_colours.disabled, m_style.borderStyle, m_style.borderWidth);
    }
    const int inset = doubleFrame ? 3 : m_style.borderWidth;
    inner = Rect{SatAdd(tableRect.left, inset), SatAdd(tableRect.top, inset), SatSub(tableRect.right, inset),
                 SatSub(tableRect.bottom, inset)};
  }

  if (columns > 0 && rows > 0) {
    std::size_t pos = 0;
    for (std::size_t r = 0; r < rows && pos < table.size(); ++r) {
      const std::size_t tr = FindTag(L"tr", table, pos);
      if (tr >= table.size()) break;
      const std::size_t end = FindRowEnd(table, tr);
      RenderTableRow(table.substr(tr, end - tr), inner, layout, static_cast<int>(r));
      pos = end >= table.size() ? table.size() : end + 5;
    }
  }

  if (m_measuring) {
    ResolveSpans(layout);
    const int s = m_style.padding;
    size.cx = Saturate(GridExtent(columns, Sum(layout.columnWidths, 0, columns), s) + frame);
    size.cy = Saturate(GridExtent(rows, Sum(layout.rowHeights, 0, rows), s) + frame);
  } else {
    size.cx = SatSub(tableRect.right, tableRect.left);
    size.cy = SatSub(tableRect.bottom, tableRect.top);
  }
  if (index >= 0 && static_cast<std::size_t>(index) < m_tables.size()) m_tables[index] = std::move(layout);
  CloseLevel(depth, L"table");
  return size;
}

void MarkupRenderer::RenderTableRow(const std::wstring& row, const Rect& inner, TableLayout& layout, int r) {
  const std::size_t depth = OpenLevel(L"tr");
  std::size_t after = 0;
  int colSpan = 1, rowSpan = 1;
  ParseTableAttributes(OwnAttributes(row, after), m_style, false, colSpan, rowSpan);
  ApplyFont();

  const std::size_t columns = layout.columnWidths.size(), rows = layout.rowHeights.size();
  std::size_t c = 0;
  std::size_t pos = 0;
  std::size_t rowClose = FindTag(L"/tr", row, 0);
  while (r >= 0 && static_cast<std::size_t>(r) < rows && pos < row.size()) {
    const std::size_t td = FindTag(L"td", row, pos);
    if (rowClose < pos) rowClose = FindTag(L"/tr", row, pos);
    if (td >= row.size() || td >= rowClose) break;
    const std::size_t end = FindCellEnd(row, td);
    std::vector<CellRecord>& slots = layout.cells[r];
    while (c < columns && slots[c].colSpan == -1) ++c;
    // Cells beyond the grid's last column are ignored.
    if (c >= columns) break;
    CellRecord& record = slots[c];
    Rect cellRect;
    if (!m_measuring) {
      const long long s = m_style.padding;
      const std::size_t spanC = std::clamp<std::size_t>(std::max(record.colSpan, 1), 1, columns - c);
      const std::size_t spanR = std::clamp<std::size_t>(std::max(record.rowSpan, 1), 1, rows - r);
      const long long left = inner.left + s + static_cast<long long>(c) * (s + 1) + Sum(layout.columnWidths, 0, c);
      const long long top = inner.top + s + static_cast<long long>(r) * (s + 1) + Sum(layout.rowHeights, 0, r);
      const long long right =
          left + Sum(layout.columnWidths, c, c + spanC) + static_cast<long long>(spanC - 1) * (s + 1);
      const long long bottom = top + Sum(layout.rowHeights, r, r + spanR) + static_cast<long long>(spanR - 1) * (s + 1);
      cellRect = Rect{Saturate(left), Saturate(top), Saturate(right), Saturate(bottom)};
    }
    RenderTableCell(record, row.substr(td, end - td), cellRect);
    if (m_measuring) {
      // Spans reaching past the grid are clipped to it; the slots a cell covers are marked.
      record.colSpan = static_cast<int>(std::clamp<long long>(record.colSpan, 1, static_cast<long long>(columns - c)));
      record.rowSpan = static_cast<int>(std::clamp<long long>(record.rowSpan, 1, static_cast<long long>(rows - r)));
      for (int dr = 0; dr < record.rowSpan; ++dr)
        for (int dc = 0; dc < record.colSpan; ++dc) {
          if (dr == 0 && dc == 0) continue;
          CellRecord& covered = layout.cells[r + dr][c + dc];
          covered.colSpan = covered.rowSpan = -1;
        }
    }
    c += static_cast<std::size_t>(std::max(record.colSpan, 1));
    if (end >= row.size()) break;
    pos = end;
  }
  CloseLevel(depth, L"tr");
}

void MarkupRenderer::RenderTableCell(CellRecord& record, const std::wstring& cell, const Rect& rect) {
  if (m_measuring) record.contentWidth = record.contentHeight = 0;
  const std::size_t depth = OpenLevel(L"td");
  std::size_t pos = 0;
  const std::wstring attributes = OwnAttributes(cell, pos);
  m_style.width = m_style.height = 0;
  int colSpan = 1, rowSpan = 1;
  ParseTableAttributes(attributes, m_style, false, colSpan, rowSpan);
  ApplyFont();
  const int width = std::max(m_style.width, 0), height = std::max(m_style.height, 0);
  const int inset = SatAdd(m_style.borderWidth, m_style.margin);

  Rect content;
  if (m_measuring) {
    record.colSpan = std::max(colSpan, 1);
    record.rowSpan = std::max(rowSpan, 1);
    record.contentWidth = width;
    record.contentHeight = 0;
    record.fixedWidth = width > 0 ? 1 : 0;
    content = Rect{rect.left, rect.top, SatAdd(rect.left, width), rect.top};
  } else {
    if (m_style.backgroundKind >= 0)
      m_surface->PaintBackground(rect, m_style.backgroundKind, m_style.backgroundColour, m_style.backgroundMid,
                                 m_style.backgroundEnd);
    if (m_style.borderStyle != 0) {
      const bool c = m_colours.enabled;
      m_surface->PaintFrame(rect, c ? m_style.borderLight : m_colours.disabled,
                            c ? m_style.borderDark : m_colours.disabled, m_style.borderStyle, 1);
    }
    content = Rect{SatAdd(rect.left, inset), SatAdd(rect.top, inset), SatSub(rect.right, inset),
                   SatSub(rect.bottom, inset)};
    if (m_style.vAlign == kVAlignMiddle)
      content.top = SatAdd(content.top, SatSub(SatSub(content.bottom, record.contentHeight), content.top) / 2);
    else if (m_style.vAlign == kVAlignBottom)
      content.top = SatSub(content.bottom, record.contentHeight);
  }

  auto account = [&](const Size& part) {
    if (m_measuring) {
      record.contentWidth = std::max(record.contentWidth, part.cx);
      record.contentHeight = SatAdd(record.contentHeight, part.cy);
    }
    content.top = SatAdd(content.top, part.cy);
  };
  while (pos < cell.size()) {
    const std::size_t table = FindTag(L"table", cell, pos);
    const std::size_t close = FindTag(L"/td", cell, pos);
    const std::size_t stop = std::min(table, close);
    if (stop > pos) account(RenderFlow(cell.substr(pos, stop - pos), content));
    if (table >= close || table >= cell.size()) break;
    const std::size_t end = FindTableEnd(cell, table);
    if (m_tableDepth < kMaxTableDepth) {
      ++m_tableDepth;
      account(RenderTable(cell.substr(table, end - table), content));
      --m_tableDepth;
    } else {
      // Too deep: the nested table's text flows as it is (its table tags are unknown there).
      account(RenderFlow(cell.substr(table, end - table), content));
    }
    pos = end;
  }

  if (m_measuring) {
    record.neededWidth = Saturate(static_cast<long long>(std::max(width, record.contentWidth)) + 2LL * inset);
    record.neededHeight = Saturate(static_cast<long long>(std::max(height, record.contentHeight)) + 2LL * inset);
  }
  CloseLevel(depth, L"td");
}

}  // namespace html
