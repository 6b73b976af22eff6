#pragma once
// Runs the classes of a statistics run on several threads. Each class's
// deals depend only on the seed and the class index, so the result is the
// same whatever the number of threads and however often the run was stopped.

#include "tools/statsgen/checkpoint.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <vector>

namespace statsgen {

struct RunOptions {
    RunIdentity run;
    int threads = 1;
};

// Called after each finished class, under the run's lock: classes finished
// so far (checkpoint included) and the class just finished.
using ClassDone = std::function<void(int finished, int classIndex)>;

// Simulates every class of `classes` that the checkpoint does not hold yet
// (hands[k] is class k's hand) and appends each to the checkpoint, until
// done or `stop` is raised (the classes under way are finished first).
// False when a checkpoint write failed.
bool RunClasses(const std::vector<pokereval::CardMask>& hands, const std::vector<int>& classes,
                const RunOptions& options, Checkpoint& checkpoint, const std::atomic<bool>& stop,
                const ClassDone& done);

}  // namespace statsgen
