#pragma once
// What one class collects against 1 to 9 random hands. Every deal gives the
// class's hand and nine opponents; the row against n hands counts the first
// n opponents of each deal, so the nine rows come from the same deals (and
// Omaha Hi and Hi/Lo from the same evaluations). Each deal is shared as one
// deal of the Hi and of the Hi/Lo engine would be.

#include "pokereval/pokereval.h"

#include <cstdint>

namespace statsgen {

inline constexpr int kOpponents = 9;  // rows 0..8: against 1..9 random hands

// Sums over the deals of one row, from the class's hand's side.
struct RowTally {
    double hiWin = 0;   // 1 per deal with the best high hand alone
    double hiTie = 0;   // 1/k per deal with the best high hand shared by k
    double loWin = 0;   // the same for the best qualifying low
    double loTie = 0;
    double scoop = 0;   // deals that won the whole Hi/Lo pot alone
    double pot = 0;     // fraction of the Hi/Lo pot won
    bool operator==(const RowTally&) const = default;
};

struct ClassTally {
    std::uint64_t deals = 0;
    RowTally rows[kOpponents];
    bool operator==(const ClassTally&) const = default;
};

// One deal: the high and low values (kNoLow without a low) of the class's
// hand and of opponents 1..9 in dealing order.
void AddDeal(ClassTally& tally, pokereval::HandVal heroHi, pokereval::LowHandVal heroLo,
             const pokereval::HandVal oppHi[kOpponents], const pokereval::LowHandVal oppLo[kOpponents]);

}  // namespace statsgen
