// A small coverage-blind mutation fuzzer for parsers: seeds are mutated (bit flips, byte
// insertions and deletions, duplicated and spliced chunks, interesting bytes) and each result is
// handed to the target. Deterministic for a seed; the sanitizer build turns every out-of-bounds
// access into a failure. OV_FUZZ_SEED and OV_FUZZ_ROUNDS make longer runs by hand.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace ovtest {

inline unsigned long FuzzEnvNumber(const char* name, unsigned long fallback) {
    const char* value = std::getenv(name);
    return value && *value ? std::strtoul(value, nullptr, 10) : fallback;
}

class MutationFuzzer {
public:
    explicit MutationFuzzer(std::vector<std::string> seeds, unsigned long seed = FuzzEnvNumber("OV_FUZZ_SEED", 1))
        : m_seeds(std::move(seeds)), m_random(static_cast<std::mt19937_64::result_type>(seed)) {
        if (m_seeds.empty()) m_seeds.emplace_back();
    }

    // Runs `rounds` inputs (OV_FUZZ_ROUNDS overrides) through the target; inputs never exceed maxSize.
    void Run(unsigned long rounds, const std::function<void(const std::string&)>& target,
             std::size_t maxSize = 1 << 16) {
        rounds = FuzzEnvNumber("OV_FUZZ_ROUNDS", rounds);
        for (unsigned long i = 0; i < rounds; ++i) {
            std::string input = m_seeds[Below(m_seeds.size())];
            const unsigned steps = 1 + static_cast<unsigned>(Below(8));
            for (unsigned s = 0; s < steps; ++s) Mutate(input, maxSize);
            target(input);
        }
    }

private:
    std::size_t Below(std::size_t n) { return n ? static_cast<std::size_t>(m_random() % n) : 0; }

    void Mutate(std::string& data, std::size_t maxSize) {
        static const unsigned char kInteresting[] = {0x00, 0x01, 0x7F, 0x80, 0xFF, '<', '>', '&', ';',
                                                     '"', '\'', '/', '=', '#', '{', '}', ' ', '\n'};
        switch (Below(7)) {
        case 0:  // flip a bit
            if (!data.empty()) data[Below(data.size())] ^= static_cast<char>(1u << Below(8));
            break;
        case 1:  // insert a byte
            if (data.size() < maxSize) data.insert(data.begin() + static_cast<long>(Below(data.size() + 1)),
                                                   static_cast<char>(Below(256)));
            break;
        case 2:  // delete a range
            if (!data.empty()) {
                const std::size_t at = Below(data.size());
                data.erase(at, 1 + Below(std::min<std::size_t>(16, data.size() - at)));
            }
            break;
        case 3:  // put an interesting byte
            if (!data.empty()) data[Below(data.size())] = static_cast<char>(kInteresting[Below(sizeof kInteresting)]);
            break;
        case 4:  // duplicate a chunk
            if (!data.empty() && data.size() < maxSize) {
                const std::size_t at = Below(data.size());
                const std::string chunk = data.substr(at, 1 + Below(64));
                if (data.size() + chunk.size() <= maxSize) data.insert(Below(data.size() + 1), chunk);
            }
            break;
        case 5: {  // splice in a piece of another seed
            const std::string& other = m_seeds[Below(m_seeds.size())];
            if (!other.empty() && data.size() < maxSize) {
                const std::size_t at = Below(other.size());
                const std::string chunk = other.substr(at, std::min(maxSize - data.size(), 1 + Below(128)));
                data.insert(Below(data.size() + 1), chunk);
            }
            break;
        }
        default:  // overwrite a 16- or 32-bit field with an extreme value (headers, counts)
            if (data.size() >= 4) {
                static const std::uint32_t kValues[] = {0, 1, 0x7FFF, 0x8000, 0xFFFF, 0x7FFFFFFF, 0x80000000u,
                                                        0xFFFFFFFFu};
                const std::uint32_t v = kValues[Below(sizeof kValues / sizeof kValues[0])];
                const std::size_t at = Below(data.size() - 3);
                for (int b = 0; b < (Below(2) ? 2 : 4); ++b) data[at + b] = static_cast<char>((v >> (8 * b)) & 0xFF);
            }
            break;
        }
    }

    std::vector<std::string> m_seeds;
    std::mt19937_64 m_random;
};

}  // namespace ovtest
