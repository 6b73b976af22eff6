// Tables in the measuring and layout passes: column minimum and preferred widths from the cells,
// the distribution of the table width over the columns, and the placing of rows and cells.
#pragma once

#include "toolkit/richcontent/rich_item.h"
#include "toolkit/richcontent/rich_types.h"

#include <vector>

class CExtRichTableLayout;

// Builds the table's grid, measures and lays out every cell alone, and fills the columns'
// minimum and preferred widths, the percentages and the row heights; the table's content and
// minimum content sizes (without its own insets).
void RichMeasureTable(CExtRichContentItem* table, RichDcHandle dc);

// The widths of the columns for a target width (percent columns first, then the others grown
// evenly or shrunk by their slack above their minimum). Percentages beyond a total of 100% are
// cut in the grid.
std::vector<int> RichDistributeColumns(CExtRichTableLayout& grid, int target);

// Places the rows and cells of a measured table in its content rectangle; the answer is the
// content box the rows take.
RichRect RichLayoutTable(CExtRichContentItem* table, RichDcHandle dc, const RichRect& content);
