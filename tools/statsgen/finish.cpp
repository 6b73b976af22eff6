#include "tools/statsgen/finish.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace statsgen {

namespace {

int Hundredths(double sum, std::uint64_t deals)
{
    return static_cast<int>(std::lround(sum * 10000.0 / static_cast<double>(deals)));
}

// Position of every class by key, highest first, ties by class index.
std::vector<int> Positions(const std::vector<double>& key)
{
    std::vector<int> order(key.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return key[a] > key[b]; });
    std::vector<int> position(key.size());
    for (std::size_t p = 0; p < order.size(); ++p)
        position[order[p]] = static_cast<int>(p);
    return position;
}

void SetPositions(const std::vector<double>& hi, const std::vector<double>& hiLo, int row,
                  HandClassRecord* classes)
{
    const std::vector<int> pos = Positions(hi);
    const std::vector<int> posHiLo = Positions(hiLo);
    for (int k = 0; k < kClassCount; ++k) {
        classes[k].stats[kStatPos][row] = pos[k];
        classes[k].stats[kStatPosHiLo][row] = posHiLo[k];
    }
}

}  // namespace

double HiEquity(const ClassTally& t, int row)
{
    return (t.rows[row].hiWin + t.rows[row].hiTie) * 100.0 / static_cast<double>(t.deals);
}

double HiLoEquity(const ClassTally& t, int row)
{
    return t.rows[row].pot * 100.0 / static_cast<double>(t.deals);
}

void FillStats(const std::vector<ClassTally>& tallies, HandClassRecord* classes)
{
    std::vector<double> hi(kClassCount), hiLo(kClassCount);
    std::vector<double> multiHi(kClassCount, 0.0), multiHiLo(kClassCount, 0.0);
    for (int k = 0; k < kClassCount; ++k) {
        for (auto& column : classes[k].stats)
            std::fill(std::begin(column), std::end(column), 0);
    }
    for (int row = 0; row < kOpponents; ++row) {
        for (int k = 0; k < kClassCount; ++k) {
            const ClassTally& t = tallies[k];
            const RowTally& r = t.rows[row];
            auto& s = classes[k].stats;
            s[kStatWin][row] = Hundredths(r.hiWin, t.deals);
            s[kStatSplit][row] = Hundredths(r.hiTie, t.deals);
            s[kStatEqHiLo][row] = Hundredths(r.pot, t.deals);
            // The high half of a Hi/Lo pot is decided by the same high hands.
            s[kStatWinHi][row] = s[kStatWin][row];
            s[kStatSplitHi][row] = s[kStatSplit][row];
            s[kStatWinLo][row] = Hundredths(r.loWin, t.deals);
            s[kStatSplitLo][row] = Hundredths(r.loTie, t.deals);
            s[kStatScoop][row] = Hundredths(r.scoop, t.deals);
            hi[k] = HiEquity(t, row);
            hiLo[k] = HiLoEquity(t, row);
            multiHi[k] += hi[k] * (row + 2) / kOpponents;
            multiHiLo[k] += hiLo[k] * (row + 2) / kOpponents;
        }
        SetPositions(hi, hiLo, row, classes);
    }
    SetPositions(multiHi, multiHiLo, kOutsideRankingRow, classes);
}

std::vector<std::string> CheckStats(const HandClassRecord* classes, double tolerance)
{
    std::vector<std::string> problems;
    for (int row = 0; row <= kOutsideRankingRow; ++row) {
        for (int column : {int(kStatPos), int(kStatPosHiLo)}) {
            std::vector<bool> seen(kClassCount, false);
            for (int k = 0; k < kClassCount; ++k) {
                const int p = classes[k].stats[column][row];
                if (p < 0 || p >= kClassCount || seen[p]) {
                    problems.push_back("row " + std::to_string(row) + ": the positions of column " +
                                       std::to_string(column) + " are not a permutation");
                    break;
                }
                seen[p] = true;
            }
        }
    }
    for (int row = 0; row < kOpponents; ++row) {
        double hands = 0, hi = 0, hiLo = 0;
        for (int k = 0; k < kClassCount; ++k) {
            const auto& s = classes[k].stats;
            const double w = classes[k].comboCount;
            hands += w;
            hi += w * (s[kStatWin][row] + s[kStatSplit][row]) / 100.0;
            hiLo += w * s[kStatEqHiLo][row] / 100.0;
            if (s[kStatWin][row] != s[kStatWinHi][row] || s[kStatSplit][row] != s[kStatSplitHi][row]) {
                problems.push_back("row " + std::to_string(row) + ": class " + std::to_string(k) +
                                   " has other high results in Hi and Hi/Lo");
                break;
            }
        }
        const double fair = 100.0 / (row + 2);
        for (double mean : {hi / hands, hiLo / hands}) {
            if (!(std::fabs(mean - fair) <= tolerance))
                problems.push_back("row " + std::to_string(row) + ": the classes average " +
                                   std::to_string(mean) + " % instead of " + std::to_string(fair) + " %");
        }
    }
    return problems;
}

}  // namespace statsgen
