#pragma once
// The core's few platform needs: the tick count and the run-time library's
// random functions (rand, srand and the cryptographic rand_s). The Windows
// build calls the real ones; the native build (tests, benchmarks) provides
// the same contracts:
//   PlatformRand     15-bit values 0..kPlatformRandMax from one process-wide
//                    state that PlatformSrand seeds, as the Windows run-time
//                    library's rand does;
//   PlatformRandS    unpredictable, uniform 32-bit values from the operating
//                    system's secure source (no seed); 0 on success;
//   PlatformTickCount milliseconds since an arbitrary start, wrapping at 2^32.
//
// Tests can make every run repeatable with SetRandomTestSeed: the tick count
// then returns a value derived from the seed (so srand(tick count) seeds
// alike every time) and PlatformRandS serves a seeded sequence.

#include <cstdint>

inline constexpr int kPlatformRandMax = 0x7FFF;

int PlatformRand();
void PlatformSrand(unsigned seed);
int PlatformRandS(unsigned int* value);
std::uint32_t PlatformTickCount();

void SetRandomTestSeed(std::uint64_t seed);
void ClearRandomTestSeed();
bool RandomTestSeedActive();
