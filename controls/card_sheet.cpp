#include "controls/card_sheet.h"

namespace cardsheet {

void DrawCard(CDC* target, int x, int y, CDC* maskDC, CDC* sheetDC, int rank, int suit, int group) {
  const CPoint cell = CellOrigin(rank, suit, group);
  target->BitBlt(x, y, kCellWidth, kCellHeight, maskDC, 0, 0, SRCAND);
  target->BitBlt(x, y, kCellWidth, kCellHeight, sheetDC, cell.x, cell.y, SRCPAINT);
}

}  // namespace cardsheet
