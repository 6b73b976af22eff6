#include "core/range_rows.h"

// 21.7 MB of zeroed static storage: filled per run, never allocated.
CardMask g_playerRangeMasks[kRangeRows][kHandCount];
