// Ids of the card pictures (card_images.rc).
#pragma once

// Card sheet: 20 x 27 cells at x = 1 + 21 * (4 * group + suit), y = 337 - 28 * rank
// (rank 0 ace .. 12 deuce, suit 0..3 = d, h, s, c; groups normal, selected, dimmed,
// marked), 24 bits; everything outside the cards is black. Drawn over its AND mask.
#define IDB_CARD_SHEET 2005
#define IDB_CARD_MASK 2475
#define CARD_CELL_WIDTH 20
#define CARD_CELL_HEIGHT 27

// Pictures of the range-options drop-down boxes: a strip of 16 x 21 cells (0-12 deuce to
// ace, 13 no picture, 14-17 d, h, s, c) and the AND mask of one cell.
#define IDB_COMBO_PICTURES 2480
#define IDB_COMBO_MASK 2481

// Card bitmaps of the HTML tooltips: IDB_TIP_CARD_FIRST + suit * 13 + rank, magenta corners.
#define IDB_TIP_CARD_FIRST 3300
#define IDB_TIP_CARD_UNKNOWN 3352
#define IDB_TIP_CARD_BACK 3353

// The browser's card pictures are HTML resources named "BITMAP_CARD_" + rank + suit + ".PNG"
// (upper case), reached as res://<module>/BITMAP_CARD_AS.PNG.
