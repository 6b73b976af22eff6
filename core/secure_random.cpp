#include "core/secure_random.h"

#include "core/platform_random.h"

namespace {

// Four blocks side by side, one per vector lane (SSE2 on x86-64).
typedef std::uint32_t Lanes __attribute__((vector_size(16)));

inline Lanes Rotl(Lanes x, int n)
{
    return (x << n) | (x >> (32 - n));
}

inline void Quarter(Lanes& a, Lanes& b, Lanes& c, Lanes& d)
{
    a += b; d ^= a; d = Rotl(d, 16);
    c += d; b ^= c; b = Rotl(b, 12);
    a += b; d ^= a; d = Rotl(d, 8);
    c += d; b ^= c; b = Rotl(b, 7);
}

#if defined(__x86_64__) && !defined(__AVX2__)
#define OV_CHACHA_AVX2_DISPATCH 1
// Eight blocks side by side on processors with AVX2 (checked when the
// program runs: the build's baseline lacks it), twice the work per
// instruction. Same rounds as above, same output as two ChaChaBlocks4 calls.
typedef std::uint32_t Lanes8 __attribute__((vector_size(32)));

__attribute__((target("avx2"), always_inline)) inline Lanes8 Rotl8(Lanes8 x, int n)
{
    return (x << n) | (x >> (32 - n));
}

__attribute__((target("avx2"), always_inline)) inline void Quarter8(Lanes8& a, Lanes8& b, Lanes8& c, Lanes8& d)
{
    a += b; d ^= a; d = Rotl8(d, 16);
    c += d; b ^= c; b = Rotl8(b, 12);
    a += b; d ^= a; d = Rotl8(d, 8);
    c += d; b ^= c; b = Rotl8(b, 7);
}

__attribute__((target("avx2"))) void ChaChaBlocks8(const std::uint32_t input[16], int rounds, std::uint32_t out[128])
{
    Lanes8 x[16];
    Lanes8 start[16];
    for (int j = 0; j < 16; ++j)
        start[j] = Lanes8{input[j], input[j], input[j], input[j], input[j], input[j], input[j], input[j]};
    const std::uint64_t counter = input[12] | (static_cast<std::uint64_t>(input[13]) << 32);
    for (int lane = 0; lane < 8; ++lane) {
        const std::uint64_t c = counter + static_cast<std::uint64_t>(lane);
        start[12][lane] = static_cast<std::uint32_t>(c);
        start[13][lane] = static_cast<std::uint32_t>(c >> 32);
    }
    for (int j = 0; j < 16; ++j)
        x[j] = start[j];
    for (int r = 0; r < rounds; r += 2) {
        Quarter8(x[0], x[4], x[8], x[12]);
        Quarter8(x[1], x[5], x[9], x[13]);
        Quarter8(x[2], x[6], x[10], x[14]);
        Quarter8(x[3], x[7], x[11], x[15]);
        Quarter8(x[0], x[5], x[10], x[15]);
        Quarter8(x[1], x[6], x[11], x[12]);
        Quarter8(x[2], x[7], x[8], x[13]);
        Quarter8(x[3], x[4], x[9], x[14]);
    }
    // Blocks 0-3 interleaved as ChaChaBlocks4 writes them, then blocks 4-7.
    for (int j = 0; j < 16; ++j) {
        const Lanes8 sum = x[j] + start[j];
        __builtin_memcpy(out + 4 * j, &sum, 16);
        __builtin_memcpy(out + 64 + 4 * j, reinterpret_cast<const char*>(&sum) + 16, 16);
    }
}

bool HasAvx2()
{
    static const bool has = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx2") != 0;
    }();
    return has;
}
#endif

constexpr std::uint32_t kConstants[4] = {0x61707865, 0x3320646e, 0x79622d32, 0x6b206574};

std::uint32_t SecureWord()
{
    unsigned int value = 0;
    for (int attempt = 0; attempt < 16; ++attempt) {
        if (PlatformRandS(&value) == 0)
            return value;
    }
    // The system refused its random source many times in a row; fall back to
    // the clock rather than stopping the run.
    static std::uint64_t fallback = 0;
    fallback += 0x9E3779B97F4A7C15ull ^ PlatformTickCount();
    std::uint64_t z = fallback;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return static_cast<std::uint32_t>((z ^ (z >> 31)) >> 32);
}

}  // namespace

void ChaChaBlocks4(const std::uint32_t input[16], int rounds, std::uint32_t out[64])
{
    Lanes x[16];
    Lanes start[16];
    for (int j = 0; j < 16; ++j)
        start[j] = Lanes{input[j], input[j], input[j], input[j]};
    // Block counter (words 12-13, 64 bits) + lane.
    const std::uint64_t counter = input[12] | (static_cast<std::uint64_t>(input[13]) << 32);
    for (int lane = 0; lane < 4; ++lane) {
        const std::uint64_t c = counter + static_cast<std::uint64_t>(lane);
        start[12][lane] = static_cast<std::uint32_t>(c);
        start[13][lane] = static_cast<std::uint32_t>(c >> 32);
    }
    for (int j = 0; j < 16; ++j)
        x[j] = start[j];
    for (int r = 0; r < rounds; r += 2) {
        Quarter(x[0], x[4], x[8], x[12]);
        Quarter(x[1], x[5], x[9], x[13]);
        Quarter(x[2], x[6], x[10], x[14]);
        Quarter(x[3], x[7], x[11], x[15]);
        Quarter(x[0], x[5], x[10], x[15]);
        Quarter(x[1], x[6], x[11], x[12]);
        Quarter(x[2], x[7], x[8], x[13]);
        Quarter(x[3], x[4], x[9], x[14]);
    }
    for (int j = 0; j < 16; ++j) {
        const Lanes sum = x[j] + start[j];
        __builtin_memcpy(out + 4 * j, &sum, sizeof(sum));
    }
}

SecureRandom::SecureRandom()
{
    for (int j = 0; j < 4; ++j)
        m_input[j] = kConstants[j];
    for (int j = 4; j < 16; ++j)
        m_input[j] = SecureWord();
    m_input[12] = 0;
    m_input[13] = 0;
}

SecureRandom::SecureRandom(const std::uint32_t key[8], std::uint64_t nonce)
{
    for (int j = 0; j < 4; ++j)
        m_input[j] = kConstants[j];
    for (int j = 0; j < 8; ++j)
        m_input[4 + j] = key[j];
    m_input[12] = 0;
    m_input[13] = 0;
    m_input[14] = static_cast<std::uint32_t>(nonce);
    m_input[15] = static_cast<std::uint32_t>(nonce >> 32);
}

void SecureRandom::Refill()
{
    const std::uint64_t counter = m_input[12] | (static_cast<std::uint64_t>(m_input[13]) << 32);
#if defined(OV_CHACHA_AVX2_DISPATCH)
    if (HasAvx2()) {
        ChaChaBlocks8(m_input, kRounds, m_words);
    } else
#endif
    {
        ChaChaBlocks4(m_input, kRounds, m_words);
        const std::uint64_t second = counter + 4;
        std::uint32_t input[16];
        for (int j = 0; j < 16; ++j)
            input[j] = m_input[j];
        input[12] = static_cast<std::uint32_t>(second);
        input[13] = static_cast<std::uint32_t>(second >> 32);
        ChaChaBlocks4(input, kRounds, m_words + 64);
    }
    const std::uint64_t next = counter + 8;
    m_input[12] = static_cast<std::uint32_t>(next);
    m_input[13] = static_cast<std::uint32_t>(next >> 32);
    m_next = 0;
}

void SecureRandom::Fill(std::uint32_t* out, int count)
{
    while (count > 0) {
        if (m_next == kWords)
            Refill();
        const int take = count < kWords - m_next ? count : kWords - m_next;
        for (int i = 0; i < take; ++i)
            out[i] = m_words[m_next + i];
        m_next += take;
        out += take;
        count -= take;
    }
}
