// The random sources: the platform functions, the seeded test mode, the
// stream cipher behind hand picking, and the board completion's uniformity.
#include "core/equity.h"
#include "core/equity_deal.h"
#include "core/platform_random.h"
#include "core/secure_random.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <vector>

namespace {

// Chi-square statistic of observed counts against equal expectation, and a
// bound five standard deviations above its mean.
bool Uniform(const std::vector<double>& counts, double* chi, double* bound)
{
    double total = 0;
    for (double c : counts)
        total += c;
    const double expected = total / static_cast<double>(counts.size());
    *chi = 0;
    for (double c : counts)
        *chi += (c - expected) * (c - expected) / expected;
    const double df = static_cast<double>(counts.size() - 1);
    *bound = df + 5.0 * std::sqrt(2.0 * df);
    return *chi < *bound;
}

TEST(SecureRandom, ChaChaBlockKnownAnswer)
{
    // The published ChaCha20 block test: key 00..1f, block counter 1, nonce
    // 00000009 0000004a 00000000 (here: counter word 13 and nonce words).
    std::uint32_t input[16] = {0x61707865, 0x3320646e, 0x79622d32, 0x6b206574};
    for (int i = 0; i < 8; ++i) {
        const std::uint32_t b = 4 * i;
        input[4 + i] = b | (b + 1) << 8 | (b + 2) << 16 | (b + 3) << 24;
    }
    input[12] = 1;
    input[13] = 0x09000000;
    input[14] = 0x4a000000;
    input[15] = 0;
    std::uint32_t out[64];
    ChaChaBlocks4(input, 20, out);
    const std::uint32_t expected[16] = {0xe4e7f110, 0x15593bd1, 0x1fdd0f50, 0xc47120a3, 0xc7f4d1c7, 0x0368c033,
                                        0x9aaa2204, 0x4e6cd4c3, 0x466482d2, 0x09aa9f07, 0x05d7c214, 0xa2028bd9,
                                        0xd19c12b5, 0xb94e16de, 0xe883d0cb, 0x4e3c50a2};
    for (int j = 0; j < 16; ++j)
        EXPECT_EQ(out[4 * j], expected[j]) << "word " << j;  // first block, lane 0
    // The other lanes are the next blocks: a block of its own at counter 2.
    std::uint32_t next[64];
    input[12] = 2;
    ChaChaBlocks4(input, 20, next);
    for (int j = 0; j < 16; ++j)
        EXPECT_EQ(out[4 * j + 1], next[4 * j]);
}

TEST(SecureRandom, SameKeySameValuesAndUniformBits)
{
    const std::uint32_t key[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    SecureRandom a(key, 99), b(key, 99), c(key, 100);
    std::vector<double> high(64), low(64);
    int differ = 0;
    for (int i = 0; i < 64000; ++i) {
        const std::uint32_t x = a.Next();
        EXPECT_EQ(x, b.Next());
        differ += x != c.Next();
        high[x >> 26] += 1;
        low[x & 63] += 1;
    }
    EXPECT_GT(differ, 63900);
    double chi, bound;
    EXPECT_TRUE(Uniform(high, &chi, &bound)) << chi << " >= " << bound;
    EXPECT_TRUE(Uniform(low, &chi, &bound)) << chi << " >= " << bound;
}

TEST(SecureRandom, FillGivesTheValuesOfNext)
{
    const std::uint32_t key[8] = {8, 7, 6, 5, 4, 3, 2, 1};
    SecureRandom a(key, 5), b(key, 5);
    std::uint32_t block[100];
    for (int round = 0; round < 3; ++round) {
        a.Fill(block, 37 + 30 * round);  // across the generator's own blocks
        for (int i = 0; i < 37 + 30 * round; ++i)
            ASSERT_EQ(block[i], b.Next()) << round << " " << i;
    }
}

// The generator's values are the ChaCha blocks in counter order, word by
// word across four blocks, whichever width the processor computes them at.
TEST(SecureRandom, StreamIsTheBlocksInCounterOrder)
{
    const std::uint32_t key[8] = {3, 1, 4, 1, 5, 9, 2, 6};
    const std::uint64_t nonce = 0x0123456789abcdefull;
    SecureRandom random(key, nonce);
    std::uint32_t input[16] = {0x61707865, 0x3320646e, 0x79622d32, 0x6b206574};
    for (int i = 0; i < 8; ++i)
        input[4 + i] = key[i];
    input[14] = static_cast<std::uint32_t>(nonce);
    input[15] = static_cast<std::uint32_t>(nonce >> 32);
    for (std::uint32_t counter = 0; counter < 24; counter += 4) {
        input[12] = counter;
        std::uint32_t out[64];
        ChaChaBlocks4(input, SecureRandom::kRounds, out);
        for (int i = 0; i < 64; ++i)
            ASSERT_EQ(random.Next(), out[i]) << "block " << counter << " word " << i;
    }
}

// Values chosen by the test, 64 bits at a time.
struct ChosenValues {
    std::vector<std::uint64_t> values;
    std::size_t next = 0;
    std::uint64_t Next64() { return values.at(next++); }
};

// The deal positions from one 64-bit value per group of bounds: exactly
// uniform over every digit sequence, for bounds that fill one group and for
// the deck's thirteen first positions (two groups), drawn on the fly and
// from a plan.
TEST(DealDigits, EverySequenceEquallyLikely)
{
    const std::uint32_t key[8] = {2, 7, 1, 8, 2, 8, 1, 8};
    SecureRandom random(key, 1);
    // Bounds 7, 6, 5, 4: 840 sequences.
    for (int way = 0; way < 2; ++way) {
        equity_detail::DigitPlan plan;
        plan.Set(7, 4);
        std::vector<double> counts(840);
        for (int i = 0; i < 840 * 400; ++i) {
            std::uint8_t d[4];
            if (way == 0)
                equity_detail::DescendingDigits(random, 7, 4, d);
            else
                plan.Draw(random, d);
            ASSERT_TRUE(d[0] < 7 && d[1] < 6 && d[2] < 5 && d[3] < 4);
            counts[((d[0] * 6 + d[1]) * 5 + d[2]) * 4 + d[3]] += 1;
        }
        double chi, bound;
        EXPECT_TRUE(Uniform(counts, &chi, &bound)) << way << ": " << chi << " >= " << bound;
    }
    // Thirteen positions of 52: the last of the first group and every one of
    // the second, each uniform below its bound, and pairs across the groups.
    equity_detail::DigitPlan plan;
    plan.Set(52, 13);
    std::vector<double> ninth(44), last(40), pairs(44 * 43);
    for (int i = 0; i < 400000; ++i) {
        std::uint8_t d[13];
        plan.Draw(random, d);
        for (int k = 0; k < 13; ++k)
            ASSERT_LT(d[k], 52 - k);
        ninth[d[8]] += 1;
        last[d[12]] += 1;
        pairs[d[8] * 43 + d[9]] += 1;
    }
    double chi, bound;
    EXPECT_TRUE(Uniform(ninth, &chi, &bound)) << chi << " >= " << bound;
    EXPECT_TRUE(Uniform(last, &chi, &bound)) << chi << " >= " << bound;
    EXPECT_TRUE(Uniform(pairs, &chi, &bound)) << chi << " >= " << bound;
}

// A value whose fraction ends below 2^64 mod P would favour some sequences:
// it is passed over and the group comes from the next value alone.
TEST(DealDigits, ValuesThatWouldFavourSomeSequencesAreDrawnAgain)
{
    // Nine bounds 52..44 (one group): P = 52! / 43!.
    std::uint64_t p = 1;
    for (std::uint64_t b = 44; b <= 52; ++b)
        p *= b;
    const std::uint64_t redrawBelow = (0 - p) % p;
    ASSERT_GT(redrawBelow, 0u);
    // x = 0 ends on fraction 0, below the threshold.
    const std::uint64_t good = 0x9E3779B97F4A7C15ull;
    std::uint8_t expected[9];
    {
        ChosenValues once{{good}};
        equity_detail::DescendingDigits(once, 52, 9, expected);
        ASSERT_EQ(once.next, 1u);
    }
    for (int way = 0; way < 2; ++way) {
        ChosenValues values{{0, good}};
        std::uint8_t d[9];
        if (way == 0) {
            equity_detail::DescendingDigits(values, 52, 9, d);
        } else {
            equity_detail::DigitPlan plan;
            plan.Set(52, 9);
            plan.Draw(values, d);
        }
        EXPECT_EQ(values.next, 2u) << way;
        for (int k = 0; k < 9; ++k)
            EXPECT_EQ(d[k], expected[k]) << way << " " << k;
    }
    // The digits are those of floor(x P / 2^64) in mixed radix: the largest
    // value gives the largest digit everywhere.
    ChosenValues top{{~std::uint64_t{0}}};
    std::uint8_t d[9];
    equity_detail::DescendingDigits(top, 52, 9, d);
    for (int k = 0; k < 9; ++k)
        EXPECT_EQ(d[k], 51 - k);
}

// Hand positions: every position of the row equally likely, for bounds that
// take 8, 16 and 32 random bits, and for bounds where many values are drawn
// again (2^8 mod 11 = 3 of 256 values).
TEST(BoundedIndex, EveryPositionEquallyLikely)
{
    const std::uint32_t key[8] = {3, 1, 4, 1, 5, 9, 2, 6};
    SecureRandom random(key, 1);
    for (std::uint32_t bound : {1u, 2u, 11u, 16u, 17u, 1000u, 4096u, 4097u, 27073u, 270725u}) {
        equity_detail::BoundedIndex index;
        index.Set(bound);
        // Buckets of positions: the position itself for small bounds.
        const std::uint32_t buckets = bound < 64 ? bound : 64;
        std::vector<double> counts(buckets), expected(buckets);
        for (std::uint32_t i = 0; i < bound; ++i)
            expected[static_cast<std::uint64_t>(i) * buckets / bound] += 1;
        const int batches = 2000;
        for (int b = 0; b < batches; ++b) {
            std::uint32_t at[equity_detail::BoundedIndex::kBatch];
            index.Fill(random, at);
            for (std::uint32_t a : at) {
                ASSERT_LT(a, bound);
                counts[static_cast<std::uint64_t>(a) * buckets / bound] += 1;
            }
        }
        if (buckets < 2)
            continue;
        const double total = batches * static_cast<double>(equity_detail::BoundedIndex::kBatch);
        double chi = 0;
        for (std::uint32_t k = 0; k < buckets; ++k) {
            const double e = total * expected[k] / bound;
            chi += (counts[k] - e) * (counts[k] - e) / e;
        }
        const double df = buckets - 1.0;
        EXPECT_LT(chi, df + 5.0 * std::sqrt(2.0 * df)) << "bound " << bound;
    }
}

TEST(PlatformRandom, RandIsFifteenBitsFromItsSeed)
{
    ClearRandomTestSeed();
    PlatformSrand(42);
    std::vector<int> first;
    int seen = 0;
    for (int i = 0; i < 1000; ++i) {
        const int v = PlatformRand();
        ASSERT_GE(v, 0);
        ASSERT_LE(v, kPlatformRandMax);
        seen |= v;
        first.push_back(v);
    }
    EXPECT_EQ(seen, kPlatformRandMax);
    PlatformSrand(42);
    for (int v : first)
        EXPECT_EQ(PlatformRand(), v);
}

TEST(PlatformRandom, SecureSourceAndTestSeed)
{
    ClearRandomTestSeed();
    std::set<unsigned> values;
    for (int i = 0; i < 100; ++i) {
        unsigned v = 0;
        ASSERT_EQ(PlatformRandS(&v), 0);
        values.insert(v);
    }
    EXPECT_GT(values.size(), 95u);
    EXPECT_NE(PlatformRandS(nullptr), 0);

    auto sequence = [] {
        std::vector<std::uint64_t> out;
        out.push_back(PlatformTickCount());
        unsigned v;
        PlatformRandS(&v);
        out.push_back(v);
        SecureRandom random;
        out.push_back(random.Next());
        return out;
    };
    SetRandomTestSeed(7);
    EXPECT_TRUE(RandomTestSeedActive());
    const auto a = sequence();
    SetRandomTestSeed(7);
    EXPECT_EQ(sequence(), a);
    SetRandomTestSeed(8);
    EXPECT_NE(sequence(), a);
    ClearRandomTestSeed();
    EXPECT_FALSE(RandomTestSeedActive());
}

TEST(CompleteBoard, AddsOnlyFreeCards)
{
    const CardMask board = pokereval::cardMask(0) | pokereval::cardMask(51);
    const CardMask excluded = 0x0000FFFF0000FFFFull & 0x00001FFF00001FFFull;  // clubs and spades
    for (int i = 0; i < 2000; ++i) {
        const CardMask b = CompleteBoard(2, 5, board, excluded & ~board);
        EXPECT_EQ(pokereval::numCards(b), 5);
        EXPECT_EQ(b & board, board);
        EXPECT_EQ(b & excluded & ~board, 0u);
    }
    EXPECT_EQ(CompleteBoard(5, 5, board, 0), board);
    EXPECT_EQ(CompleteBoard(4, 3, board, 0), board);
}

// Every free card equally likely, with most of the deck free (redrawing) and
// with most of it taken (picking among the free cards).
TEST(CompleteBoard, FreeCardsAreEquallyLikely)
{
    const std::uint32_t key[8] = {2, 7, 1, 8, 2, 8, 1, 8};
    SecureRandom random(key, 11);
    for (int takenCards : {8, 40}) {
        CardMask taken = 0;
        for (int i = 0; i < takenCards; ++i)
            taken |= pokereval::cardMask((i * 7) % 52);
        ASSERT_EQ(pokereval::numCards(taken), takenCards);
        std::vector<double> counts;
        std::vector<int> free;
        for (int c = 0; c < 52; ++c)
            if (!(taken & pokereval::cardMask(c)))
                free.push_back(c);
        counts.assign(free.size(), 0);
        for (int i = 0; i < 40000; ++i) {
            const CardMask card = equity_detail::DrawBoard(random, 0, 1, 0, taken);
            ASSERT_EQ(pokereval::numCards(card), 1);
            ASSERT_EQ(card & taken, 0u);
            for (std::size_t f = 0; f < free.size(); ++f)
                if (card == pokereval::cardMask(free[f]))
                    counts[f] += 1;
        }
        double chi, bound;
        EXPECT_TRUE(Uniform(counts, &chi, &bound)) << takenCards << " taken: " << chi << " >= " << bound;
    }
}

}  // namespace
