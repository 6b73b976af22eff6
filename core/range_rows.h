#pragma once
// The engines' range rows: row k holds the hands of engine seat k, written by
// COmahaBase::ExpandSelection before a run, read by the engines.

#include "core/cards.h"
#include "core/records.h"

inline constexpr int kRangeRows = 10;

// One row of hands per engine seat.
using RangeRows = const CardMask (*)[kHandCount];

extern CardMask g_playerRangeMasks[kRangeRows][kHandCount];
