#pragma once
// The developer command that runs the hand-against-random-hands experiment
// for every class from a chosen one on, appending one line per class to
// "Omaharandom.txt". The application shows the progress and the Stop button.

#include "core/handbase.h"

#include <filesystem>
#include <string>

inline constexpr char kExperimentFileName[] = "Omaharandom.txt";

class ExperimentProgress {
public:
    virtual ~ExperimentProgress() = default;
    // After each class: its index and its name (suits written a, b, c, d), for
    // the caption "%0d: %s". Keep the window alive; false when the user asked
    // to stop (the request is then consumed).
    virtual bool ClassDone(int classIndex, const std::wstring& name) = 0;
};

// "AaAbKaKb\t 58.66%\t 40.10%\t  1.25%\t 20.00%\t  3.50%\t 15.75%\n": the name,
// then equity, high win, high tie, low win, low tie and scoop of the hand.
std::wstring FormatExperimentLine(const std::wstring& name, double equity, double highWin, double highTie,
                                  double lowWin, double lowTie, double scoop);

// Classes `first` to the last loaded one, in order; each line is appended to
// the file in `folder` when the file exists (a missing file receives
// nothing, so the developer creates it to start collecting). Returns the
// number of classes run.
int RunRandomHandsExperiment(const COmahaBase& base, int first, ExperimentProgress* progress,
                             const std::filesystem::path& folder = {});
