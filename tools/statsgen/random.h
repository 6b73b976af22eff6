#pragma once
// The statistics run's own random numbers: xoshiro256** seeded through
// splitmix64, so that a seed and a class index give the same deals on every
// machine and in every thread.

#include <cstdint>

namespace statsgen {

class Random {
public:
    // One independent stream per (seed, stream), e.g. per class.
    Random(std::uint64_t seed, std::uint64_t stream)
    {
        std::uint64_t x = seed ^ (stream * 0xD1B54A32D192ED03ull);
        for (auto& s : m_s)
            s = SplitMix(x);
    }

    std::uint64_t Next()
    {
        const std::uint64_t result = Rotl(m_s[1] * 5, 7) * 9;
        const std::uint64_t t = m_s[1] << 17;
        m_s[2] ^= m_s[0];
        m_s[3] ^= m_s[1];
        m_s[1] ^= m_s[2];
        m_s[0] ^= m_s[3];
        m_s[2] ^= t;
        m_s[3] = Rotl(m_s[3], 45);
        return result;
    }

    // Uniform in 0..bound-1 without bias (bound >= 1).
    std::uint32_t Below(std::uint32_t bound)
    {
        for (;;) {
            const std::uint64_t product = (Next() >> 32) * bound;
            const auto low = static_cast<std::uint32_t>(product);
            if (low >= bound || low >= static_cast<std::uint32_t>(-bound) % bound)
                return static_cast<std::uint32_t>(product >> 32);
        }
    }

private:
    static std::uint64_t Rotl(std::uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }
    static std::uint64_t SplitMix(std::uint64_t& x)
    {
        std::uint64_t z = (x += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    std::uint64_t m_s[4];
};

}  // namespace statsgen
