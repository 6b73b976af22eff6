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
#if defined(_WIN32)
#include <cstdlib>
#endif

inline constexpr int kPlatformRandMax = 0x7FFF;

// Inline: the engines draw every random board card with it, and a call per
// card would cost as much as the draw itself.
#if defined(_WIN32)
inline int PlatformRand()
{
    return std::rand();
}
#else
namespace platform_random_detail {
// One process-wide state, as the run-time library keeps it for rand.
inline std::uint32_t g_randState = 1;
}  // namespace platform_random_detail

inline int PlatformRand()
{
    std::uint32_t& state = platform_random_detail::g_randState;
    state = state * 214013u + 2531011u;
    return static_cast<int>((state >> 16) & kPlatformRandMax);
}
#endif
void PlatformSrand(unsigned seed);
int PlatformRandS(unsigned int* value);
std::uint32_t PlatformTickCount();

void SetRandomTestSeed(std::uint64_t seed);
void ClearRandomTestSeed();
bool RandomTestSeedActive();
