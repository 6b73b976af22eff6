#pragma once
// Deals for one class: its hand against nine random hands on a random board,
// every card from the 48 the hand leaves, each deal uniform over all such
// deals (so none is rejected).

#include "tools/statsgen/tally.h"

#include <cstdint>

namespace statsgen {

// `deals` deals from the stream (seed, classIndex) added to a fresh tally.
ClassTally SimulateClass(pokereval::CardMask hand, std::uint64_t seed, int classIndex, std::uint64_t deals);

}  // namespace statsgen
