#include "core/experiment_run.h"

#include "core/cardtext.h"
#include "core/experiment_random.h"

#include <cstdio>
#include <fstream>

std::wstring FormatExperimentLine(const std::wstring& name, double equity, double highWin, double highTie,
                                  double lowWin, double lowTie, double scoop)
{
    wchar_t values[160];
    std::swprintf(values, sizeof values / sizeof values[0],
                  L"\t%6.2lf%%\t%6.2lf%%\t%6.2lf%%\t%6.2lf%%\t%6.2lf%%\t%6.2lf%%\n", equity, highWin, highTie,
                  lowWin, lowTie, scoop);
    return name + values;
}

int RunRandomHandsExperiment(const COmahaBase& base, int first, ExperimentProgress* progress,
                             const std::filesystem::path& folder)
{
    int run = 0;
    const int end = base.m_classes ? std::min<int>(base.m_classCount, kClassCount) : 0;
    for (int i = first < 0 ? 0 : first; i < end; ++i) {
        double highWin[kExperimentSeats], highTie[kExperimentSeats], lowWin[kExperimentSeats];
        double lowTie[kExperimentSeats], scoop[kExperimentSeats], equity[kExperimentSeats];
        SimulateHandVsRandomHands(base.GetSingleHand(i, 1), highWin, highTie, lowWin, lowTie, scoop, equity);
        ++run;
        const std::wstring name = base.GetSingleHand(i, 0);
        const std::wstring line =
            FormatExperimentLine(name, equity[0], highWin[0], highTie[0], lowWin[0], lowTie[0], scoop[0]);
        const std::filesystem::path path = folder / kExperimentFileName;
        std::error_code ignored;
        if (std::filesystem::is_regular_file(path, ignored)) {
            std::ofstream out(path, std::ios::binary | std::ios::app);
            out << ToNarrowString(line);
        }
        if (progress && !progress->ClassDone(i, name))
            break;
    }
    return run;
}
