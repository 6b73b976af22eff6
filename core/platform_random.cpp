// The platform layer of platform_random.h. Windows: the run-time library's
// rand, srand and rand_s and the system tick count. Elsewhere: the same
// contracts from the C++ clock and the kernel's random source.
#if defined(_WIN32)
#define _CRT_RAND_S  // declares rand_s
#endif
#include "core/platform_random.h"

#include <cerrno>
#include <cstdlib>

#if defined(_WIN32)
extern "C" __declspec(dllimport) unsigned long __stdcall GetTickCount(void);
static_assert(RAND_MAX == kPlatformRandMax, "the run-time library's rand is 15 bits wide");
#else
#include <chrono>
#include <sys/random.h>
#endif

namespace {

// Test mode: a seeded sequence instead of the secure source and the clock.
bool g_testMode = false;
std::uint64_t g_testState = 0;

std::uint64_t SplitMix(std::uint64_t& state)
{
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

#if !defined(_WIN32)
// The kernel's source, fetched a block at a time: one system call per 4-byte
// value would cost more than a whole deal.
struct KernelRandomBuffer {
    std::uint32_t words[256];
    int next = 256;

    bool Refill()
    {
        unsigned char* out = reinterpret_cast<unsigned char*>(words);
        std::size_t got = 0;
        while (got < sizeof(words)) {
            const ssize_t n = getrandom(out + got, sizeof(words) - got, 0);
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                return false;
            }
            got += static_cast<std::size_t>(n);
        }
        next = 0;
        return true;
    }
};
thread_local KernelRandomBuffer t_kernelRandom;
#endif

}  // namespace

void PlatformSrand(unsigned seed)
{
#if defined(_WIN32)
    std::srand(seed);
#else
    platform_random_detail::g_randState = seed;
#endif
}

int PlatformRandS(unsigned int* value)
{
    if (value == nullptr)
        return EINVAL;
    if (g_testMode) {
        *value = static_cast<unsigned int>(SplitMix(g_testState) >> 32);
        return 0;
    }
#if defined(_WIN32)
    return rand_s(value);
#else
    KernelRandomBuffer& buffer = t_kernelRandom;
    if (buffer.next == 256 && !buffer.Refill())
        return EIO;
    *value = buffer.words[buffer.next++];
    return 0;
#endif
}

std::uint32_t PlatformTickCount()
{
    if (g_testMode)
        return static_cast<std::uint32_t>(SplitMix(g_testState));
#if defined(_WIN32)
    return static_cast<std::uint32_t>(GetTickCount());
#else
    const auto since = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(since).count());
#endif
}

void SetRandomTestSeed(std::uint64_t seed)
{
    g_testMode = true;
    g_testState = seed;
}

void ClearRandomTestSeed()
{
    g_testMode = false;
}

bool RandomTestSeedActive()
{
    return g_testMode;
}
