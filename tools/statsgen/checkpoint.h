#pragma once
// The checkpoint of a statistics run: a header naming the seed and the deal
// count, then one checked record per finished class, appended as classes
// finish. A run that is stopped (or killed) continues from its checkpoint;
// a torn last record is cut off.

#include "tools/statsgen/tally.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>

namespace statsgen {

struct RunIdentity {
    std::uint64_t seed = 0;
    std::uint64_t deals = 0;
    bool operator==(const RunIdentity&) const = default;
};

class Checkpoint {
public:
    Checkpoint() = default;
    ~Checkpoint();
    Checkpoint(const Checkpoint&) = delete;
    Checkpoint& operator=(const Checkpoint&) = delete;

    // Opens the file, creating it when missing, and reads the classes already
    // finished. False, with the reason, for a file of another run or one that
    // is not a checkpoint.
    bool Open(const std::filesystem::path& path, const RunIdentity& run, std::string* error);
    const std::map<int, ClassTally>& Finished() const { return m_finished; }
    // Appends and flushes one class. False when the write failed.
    bool Add(int classIndex, const ClassTally& tally);

private:
    std::FILE* m_file = nullptr;
    std::map<int, ClassTally> m_finished;
};

}  // namespace statsgen
