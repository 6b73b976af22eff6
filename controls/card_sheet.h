// The card sheet among the resources: 20 x 27 cells, rank 0 (ace) .. 12 (deuce) from the
// bottom row up, suit 0..3 = d, h, s, c, in column groups (normal, selected, dimmed, marked).
// A card is drawn as its AND mask and then its cell ORed over it, so the background shows
// around the card's rounded corners.
#pragma once

#include "framework/afxwin.h"

namespace cardsheet {

constexpr UINT kSheetBitmapId = 2005;
constexpr UINT kMaskBitmapId = 2475;
constexpr int kCellWidth = 20;
constexpr int kCellHeight = 27;

enum Group { kNormal = 0, kSelected = 1, kDimmed = 2, kMarked = 3 };

// Top-left corner of a cell in the sheet.
inline CPoint CellOrigin(int rank, int suit, int group) {
  return CPoint(1 + 21 * (4 * group + suit), 337 - 28 * rank);
}

inline bool IsCard(int rank, int suit) { return rank >= 0 && rank <= 12 && suit >= 0 && suit <= 3; }

// Draws one card at (x, y): maskDC and sheetDC hold the mask and the sheet selected.
void DrawCard(CDC* target, int x, int y, CDC* maskDC, CDC* sheetDC, int rank, int suit, int group);

}  // namespace cardsheet
