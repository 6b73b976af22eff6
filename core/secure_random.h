#pragma once
// Uniform, unpredictable 32-bit values for picking hands from ranges, at the
// speed of a table read. The run-time library's rand_s gives the same kind of
// values but costs a call into the operating system per value, several times
// a whole deal; this generator takes its key from rand_s once (PlatformRandS)
// and stretches it with the ChaCha stream cipher, eight blocks at a time. Eight
// rounds: no attack reaches that far, and the key is fresh for every run.

#include <cstdint>

class SecureRandom {
public:
    // Keyed from PlatformRandS (a seeded key in test mode).
    SecureRandom();
    // A given key and nonce: the same values every time.
    SecureRandom(const std::uint32_t key[8], std::uint64_t nonce);

    std::uint32_t Next()
    {
        if (m_next == kWords)
            Refill();
        return m_words[m_next++];
    }
    // Two values as one 64-bit value (the first in the low half).
    std::uint64_t Next64()
    {
        if (m_next > kWords - 2)
            Refill();  // an odd word left over is skipped: the values stay independent
        std::uint64_t value;
        __builtin_memcpy(&value, m_words + m_next, sizeof(value));
        m_next += 2;
        return value;
    }
    // The next `count` values at once, as `count` calls of Next would give.
    void Fill(std::uint32_t* out, int count);

    // A uniform deck index 0..51. One value gives five: a uniform number
    // below 52^5 (the value times 52^5, top half, drawn again in the 2.6 %
    // of cases that would favour some numbers) and its base-52 digits.
    unsigned NextCard()
    {
        if (m_cardsLeft == 0)
            RefillCards();
        const unsigned card = m_cards % 52u;
        m_cards /= 52u;
        --m_cardsLeft;
        return card;
    }

    static constexpr int kRounds = 8;

private:
    static constexpr int kWords = 128;  // eight blocks

    void Refill();
    void RefillCards()
    {
        constexpr std::uint64_t kFive = 52ull * 52 * 52 * 52 * 52;            // 380,204,032
        constexpr std::uint32_t kRedraw = (std::uint64_t{1} << 32) % kFive;  // 112,722,944
        for (;;) {
            const std::uint64_t m = static_cast<std::uint64_t>(Next()) * kFive;
            if (static_cast<std::uint32_t>(m) >= kRedraw) {
                m_cards = static_cast<std::uint32_t>(m >> 32);
                m_cardsLeft = 5;
                return;
            }
        }
    }

    std::uint32_t m_input[16];
    alignas(32) std::uint32_t m_words[kWords];
    int m_next = kWords;
    std::uint32_t m_cards = 0;  // digits of NextCard still to use
    int m_cardsLeft = 0;
};

// Four consecutive ChaCha blocks of the 16-word input (constants, key,
// 64-bit block counter in words 12-13, nonce): block i uses counter + i.
// Writes 64 words interleaved: word j of block i at out[4 * j + i].
void ChaChaBlocks4(const std::uint32_t input[16], int rounds, std::uint32_t out[64]);
