#pragma once
// Turning the tallies of every class into the `stats` of the class table, and
// the checks that the result is sane.

#include "core/records.h"
#include "tools/statsgen/tally.h"

#include <string>
#include <vector>

namespace statsgen {

// Equity against n random hands in percent: Omaha Hi (win + tie) and Hi/Lo (pot).
double HiEquity(const ClassTally& t, int row);
double HiLoEquity(const ClassTally& t, int row);

// Rows 0..8 from the tallies (percentages in hundredths, positions by
// equity, best first, ties by class index); row 9 the multiway ranking:
// positions by the mean over n = 1..9 of equity x (n + 1), Hi in Pos and
// Hi/Lo in PosHiLo, the other columns 0; row 10 is 0. `tallies` holds
// kClassCount classes, each with at least one deal.
void FillStats(const std::vector<ClassTally>& tallies, HandClassRecord* classes);

// The sanity checks of finished tables; each problem as one line, none when sound:
// positions are a permutation of 0..16,431 in rows 0-9; in rows 0-8 the
// equities weighted by the classes' hand counts average the fair share
// 100 / (n + 1) within `tolerance` percent; Win = WinHi and Split = SplitHi.
std::vector<std::string> CheckStats(const HandClassRecord* classes, double tolerance);

}  // namespace statsgen
