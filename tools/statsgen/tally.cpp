#include "tools/statsgen/tally.h"

namespace statsgen {

void AddDeal(ClassTally& tally, pokereval::HandVal heroHi, pokereval::LowHandVal heroLo,
             const pokereval::HandVal oppHi[kOpponents], const pokereval::LowHandVal oppLo[kOpponents])
{
    using pokereval::kNoLow;
    ++tally.deals;
    // Best values among the opponents dealt so far and how many hold them.
    pokereval::HandVal bestHi = 0;
    int hiHolders = 0;
    pokereval::LowHandVal bestLo = kNoLow;
    int loHolders = 0;
    const bool heroHasLow = heroLo != kNoLow;
    for (int n = 0; n < kOpponents; ++n) {
        if (oppHi[n] > bestHi || hiHolders == 0) {
            bestHi = oppHi[n];
            hiHolders = 1;
        } else if (oppHi[n] == bestHi) {
            ++hiHolders;
        }
        if (oppLo[n] != kNoLow) {
            if (oppLo[n] < bestLo) {
                bestLo = oppLo[n];
                loHolders = 1;
            } else if (oppLo[n] == bestLo) {
                ++loHolders;
            }
        }

        RowTally& row = tally.rows[n];
        const bool bestHigh = heroHi >= bestHi;
        const int kHi = heroHi > bestHi ? 1 : 1 + hiHolders;
        const bool lowExists = heroHasLow || bestLo != kNoLow;
        const bool bestLow = heroHasLow && heroLo <= bestLo;
        const int kLo = heroLo < bestLo ? 1 : 1 + loHolders;
        if (bestHigh) {
            if (kHi == 1)
                row.hiWin += 1.0;
            else
                row.hiTie += 1.0 / kHi;
        }
        if (bestLow) {
            if (kLo == 1)
                row.loWin += 1.0;
            else
                row.loTie += 1.0 / kLo;
        }
        if (lowExists) {
            if (bestHigh && kHi == 1 && bestLow && kLo == 1)
                row.scoop += 1.0;
            row.pot += (bestHigh ? 0.5 / kHi : 0.0) + (bestLow ? 0.5 / kLo : 0.0);
        } else {
            if (bestHigh && kHi == 1)
                row.scoop += 1.0;
            row.pot += bestHigh ? 1.0 / kHi : 0.0;
        }
    }
}

}  // namespace statsgen
