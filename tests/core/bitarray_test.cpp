#include "core/bitarray.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <vector>

namespace {

constexpr int kBits = 270725;

using Bytes = std::vector<std::uint8_t>;

Bytes StoredBytes(const CBitArray& set)
{
    return Bytes(set.Data(), set.Data() + set.Length());
}

CBitArray FromBits(const std::vector<int>& bits)
{
    CBitArray set;
    for (int b : bits)
        set.SetBit(b);
    return set;
}

// Reference model: a plain vector of flags over the whole hand range.
struct Model {
    std::vector<bool> bits = std::vector<bool>(kBits + 64, false);
    int Count() const
    {
        int n = 0;
        for (bool b : bits)
            n += b;
        return n;
    }
};

void ExpectSame(const CBitArray& set, const Model& model)
{
    ASSERT_EQ(set.Count(), model.Count());
    for (int i = 0; i < static_cast<int>(model.bits.size()); ++i)
        ASSERT_EQ(set.TestBit(i), model.bits[static_cast<std::size_t>(i)] ? 1 : 0) << "bit " << i;
}

// Random sets: dense, sparse, and ones that touch both ends of the range.
std::pair<CBitArray, Model> RandomSet(std::mt19937& rng, int bits, int limit)
{
    CBitArray set;
    Model model;
    std::uniform_int_distribution<int> pick(0, limit - 1);
    for (int i = 0; i < bits; ++i) {
        const int b = pick(rng);
        set.SetBit(b);
        model.bits[static_cast<std::size_t>(b)] = true;
    }
    return {std::move(set), std::move(model)};
}

TEST(BitArray, NewSetIsEmptyAndOwnsNothing)
{
    CBitArray set;
    EXPECT_EQ(set.Count(), 0);
    EXPECT_EQ(set.Data(), nullptr);
    EXPECT_EQ(set.Length(), 0);
    EXPECT_EQ(set.Capacity(), 0);
    for (int b : {0, 7, 8, kBits - 1, kBits, 1 << 30})
        EXPECT_EQ(set.TestBit(b), 0);
    EXPECT_EQ(set.TestBit(-1), 0);
}

TEST(BitArray, LastHandBitGrowsWithReserve)
{
    CBitArray set;
    set.SetBit(kBits - 1);
    EXPECT_EQ(set.Length(), 33841);
    EXPECT_EQ(set.Capacity(), 33941);
    EXPECT_EQ(set.TestBit(kBits - 1), 1);
    EXPECT_EQ(set.TestBit(kBits - 2), 0);
    EXPECT_EQ(set.TestBit(kBits), 0);
    EXPECT_EQ(set.Count(), 1);
}

TEST(BitArray, AscendingBitsReallocateOnlyAfterTheReserve)
{
    CBitArray set;
    set.SetBit(0);
    const std::uint8_t* first = set.Data();
    for (int b = 1; b < 8 * 101; ++b)
        set.SetBit(b);
    EXPECT_EQ(set.Data(), first);
    EXPECT_EQ(set.Capacity(), 101);
    EXPECT_EQ(set.Count(), 8 * 101);
}

TEST(BitArray, NegativeBitIsIgnored)
{
    CBitArray set;
    set.SetBit(-5);
    set.ClearBit(-5);
    EXPECT_EQ(set.Length(), 0);
    EXPECT_EQ(set.Count(), 0);
}

TEST(BitArray, ClearBitInsideAndBeyondStoredBytes)
{
    CBitArray set = FromBits({3, 17});
    set.ClearBit(5000);  // beyond: nothing
    EXPECT_EQ(set.Length(), 3);
    EXPECT_EQ(set.Count(), 2);
    set.ClearBit(17);
    EXPECT_EQ(set.TestBit(17), 0);
    EXPECT_EQ(set.Count(), 1);
    set.ClearBit(3);
    EXPECT_EQ(set.Count(), 0);
}

TEST(BitArray, IntersectionOfDisjointSetsFreesTheTarget)
{
    CBitArray a = FromBits({1, 100, kBits - 1});
    CBitArray b = FromBits({2, 101, kBits - 2});
    CBitArray target = FromBits({5, 6, 7});
    CBitArray::Intersection(target, a, b);
    EXPECT_EQ(target.Length(), 0);
    EXPECT_EQ(target.Data(), nullptr);
    EXPECT_EQ(target.Capacity(), 0);
    EXPECT_EQ(target.Count(), 0);
}

TEST(BitArray, DifferenceWithItselfAndUnionWithEmpty)
{
    CBitArray a = FromBits({0, 9, 4000, kBits - 1});
    CBitArray empty;
    CBitArray target;
    CBitArray::Difference(target, a, a);
    EXPECT_EQ(target.Count(), 0);
    EXPECT_EQ(target.Length(), 0);

    CBitArray::Union(target, a, empty);
    EXPECT_EQ(StoredBytes(target), StoredBytes(a));
    EXPECT_EQ(target.Count(), 4);
    EXPECT_EQ(target.Capacity(), target.Length());
    CBitArray::Union(target, empty, a);
    EXPECT_EQ(StoredBytes(target), StoredBytes(a));
}

TEST(BitArray, ResultMayBeWrittenIntoAnOperand)
{
    using Op = void (*)(CBitArray&, const CBitArray&, const CBitArray&);
    struct Case {
        const char* name;
        Op op;
        std::vector<int> expected;
    };
    // a = {1, 2, 900}, b = {2, 3, 70000}
    const Case cases[] = {
        {"union", &CBitArray::Union, {1, 2, 3, 900, 70000}},
        {"intersection", &CBitArray::Intersection, {2}},
        {"difference", &CBitArray::Difference, {1, 900}},
    };
    for (const Case& c : cases) {
        for (int into = 0; into < 2; ++into) {
            CBitArray a = FromBits({1, 2, 900});
            CBitArray b = FromBits({2, 3, 70000});
            CBitArray& target = into == 0 ? a : b;
            c.op(target, a, b);
            EXPECT_EQ(StoredBytes(target), StoredBytes(FromBits(c.expected)))
                << c.name << " into operand " << into;
            EXPECT_EQ(target.Count(), static_cast<int>(c.expected.size())) << c.name;
        }
    }
}

TEST(BitArray, CountIsRecomputedAfterEveryChange)
{
    struct Case {
        const char* name;
        std::function<void(CBitArray&)> change;
        int expected;
    };
    const CBitArray other = FromBits({0, 1, 2, 50});
    const Case cases[] = {
        {"SetBit", [](CBitArray& s) { s.SetBit(99); }, 4},
        {"ClearBit", [](CBitArray& s) { s.ClearBit(0); }, 2},
        {"Clear", [](CBitArray& s) { s.Clear(); }, 0},
        {"Resize", [](CBitArray& s) { s.Resize(1); }, 1},
        {"Assign", [](CBitArray& s) { const std::uint8_t b[] = {0xFF}; s.Assign(1, b); }, 8},
        {"OrWith", [&](CBitArray& s) { s.OrWith(other); }, 6},
        {"XorWith", [&](CBitArray& s) { s.XorWith(other); }, 5},
        {"AndWith", [&](CBitArray& s) { s.AndWith(other); }, 1},
    };
    for (const Case& c : cases) {
        CBitArray set = FromBits({0, 10, 60});
        ASSERT_EQ(set.Count(), 3);  // fills the cache
        c.change(set);
        EXPECT_EQ(set.Count(), c.expected) << c.name;
    }
}

TEST(BitArray, BytesDroppedByShrinkingDoNotComeBack)
{
    // AndWith leaves the buffer's capacity; growing again must not revive old bits.
    CBitArray set = FromBits({3, 800, 1600});
    set.AndWith(FromBits({3}));
    EXPECT_EQ(set.Length(), 1);
    set.SetBit(2000);
    EXPECT_EQ(set.TestBit(800), 0);
    EXPECT_EQ(set.TestBit(1600), 0);
    EXPECT_EQ(set.Count(), 2);

    CBitArray resized = FromBits({5, 700});
    resized.Resize(1);
    resized.Resize(200);
    EXPECT_EQ(resized.TestBit(700), 0);
    EXPECT_EQ(resized.Count(), 1);
}

TEST(BitArray, ResizeToZeroFreesTheBuffer)
{
    CBitArray set = FromBits({100});
    set.Resize(0);
    EXPECT_EQ(set.Data(), nullptr);
    EXPECT_EQ(set.Capacity(), 0);
    EXPECT_EQ(set.Count(), 0);
}

TEST(BitArray, AssignTrimsAndMayTakeItsOwnBytes)
{
    CBitArray set;
    const std::uint8_t bytes[] = {0x01, 0x00, 0x80, 0x00, 0x00};
    set.Assign(5, bytes);
    EXPECT_EQ(set.Length(), 3);
    EXPECT_EQ(set.Capacity(), 3);
    EXPECT_EQ(set.Count(), 2);
    set.Assign(set.Length(), set.Data());
    EXPECT_EQ(StoredBytes(set), (Bytes{0x01, 0x00, 0x80}));
    set.Assign(0, nullptr);
    EXPECT_EQ(set.Data(), nullptr);
}

TEST(BitArray, CopyIsTrimmedAndKeepsTheCount)
{
    CBitArray set = FromBits({1, 2000});
    set.ClearBit(2000);  // leaves trailing zero bytes
    ASSERT_GT(set.Length(), 1);
    ASSERT_EQ(set.Count(), 1);
    CBitArray copy(set);
    EXPECT_EQ(copy.Length(), 1);
    EXPECT_NE(copy.Data(), set.Data());
    EXPECT_EQ(copy.Count(), 1);
    CBitArray assigned;
    assigned = set;
    EXPECT_EQ(StoredBytes(assigned), StoredBytes(copy));
}

TEST(BitArray, SetOperationsMatchAModelOnLargeAndSmallSets)
{
    std::mt19937 rng(20240611);
    struct Shape {
        int bitsA, limitA, bitsB, limitB;
    };
    const Shape shapes[] = {
        {5, 16, 5, 16},            // a byte or two
        {40, 64, 3, 8},            // b much shorter than a
        {3, 8, 40, kBits},         // a much shorter than b
        {200000, kBits, 200000, kBits},  // dense over the whole range
        {50, kBits, 50000, kBits},
    };
    for (const Shape& s : shapes) {
        auto [a, ma] = RandomSet(rng, s.bitsA, s.limitA);
        auto [b, mb] = RandomSet(rng, s.bitsB, s.limitB);
        // Both edges of the range in every large set.
        if (s.limitA == kBits) {
            a.SetBit(0);
            a.SetBit(kBits - 1);
            ma.bits[0] = ma.bits[kBits - 1] = true;
        }
        Model mu, mi, md;
        for (std::size_t i = 0; i < ma.bits.size(); ++i) {
            mu.bits[i] = ma.bits[i] || mb.bits[i];
            mi.bits[i] = ma.bits[i] && mb.bits[i];
            md.bits[i] = ma.bits[i] && !mb.bits[i];
        }
        CBitArray u, in, d;
        CBitArray::Union(u, a, b);
        CBitArray::Intersection(in, a, b);
        CBitArray::Difference(d, a, b);
        ExpectSame(u, mu);
        ExpectSame(in, mi);
        ExpectSame(d, md);
        // Results hold no trailing zero byte.
        for (const CBitArray* r : {&u, &in, &d}) {
            if (r->Length() > 0) {
                EXPECT_NE(r->Data()[r->Length() - 1], 0);
            }
        }
        EXPECT_EQ(u.Count() + in.Count(), a.Count() + b.Count());
    }
}

// ---- compressed form ----

Bytes Encoded(const CBitArray& set)
{
    return StoredBytes(set);
}

TEST(BitArrayRunLength, FillingOneByteTurnsTheLiteralIntoARunOfOnes)
{
    CBitArray set = CBitArray::MakeRunLength();
    set.SetBit(40);
    EXPECT_EQ(Encoded(set), (Bytes{1, 0x00, 5, 0, 0x01}));
    for (int b = 41; b < 47; ++b)
        set.SetBit(b);
    EXPECT_EQ(Encoded(set), (Bytes{1, 0x00, 5, 0, 0x7F}));
    set.SetBit(47);
    EXPECT_EQ(Encoded(set), (Bytes{1, 0x00, 5, 0, 0xFF, 1, 0}));
    EXPECT_EQ(set.Capacity(), set.Length());
    EXPECT_EQ(set.Count(), 8);
}

TEST(BitArrayRunLength, FullLiteralMergesIntoANeighbouringRunOfOnes)
{
    struct Case {
        const char* name;
        Bytes start;
        int bit;
        Bytes expected;
    };
    const Case cases[] = {
        {"into the run before", {1, 0xFF, 2, 0, 0x7F}, 23, {1, 0xFF, 3, 0}},
        {"into the run after", {1, 0x7F, 0xFF, 2, 0}, 7, {1, 0xFF, 3, 0}},
        {"run before is full", {1, 0xFF, 0xFF, 0xFF, 0x7F}, 65535 * 8 + 7,
         {1, 0xFF, 0xFF, 0xFF, 0xFF, 1, 0}},
        {"no run beside it", {1, 0x00, 1, 0, 0x7F, 0x01}, 15, {1, 0x00, 1, 0, 0xFF, 1, 0, 0x01}},
    };
    for (const Case& c : cases) {
        CBitArray set = CBitArray::MakeRunLength();
        set.Assign(static_cast<int>(c.start.size()), c.start.data());
        set.SetBit(c.bit);
        EXPECT_EQ(Encoded(set), c.expected) << c.name;
    }
}

TEST(BitArrayRunLength, SettingABitInsideARunOfZerosSplitsIt)
{
    struct Case {
        const char* name;
        int bit;
        Bytes expected;
    };
    // Start: a run of four zero bytes, then a literal.
    const Case cases[] = {
        {"first byte", 1, {1, 0x02, 0x00, 3, 0, 0x10}},
        {"last byte", 3 * 8, {1, 0x00, 3, 0, 0x01, 0x10}},
        {"inside", 1 * 8 + 2, {1, 0x00, 1, 0, 0x04, 0x00, 2, 0, 0x10}},
        {"in the literal", 4 * 8 + 0, {1, 0x00, 4, 0, 0x11}},
        {"already set", 4 * 8 + 4, {1, 0x00, 4, 0, 0x10}},
        {"past the end", 6 * 8 + 7, {1, 0x00, 4, 0, 0x10, 0x00, 1, 0, 0x80}},
    };
    for (const Case& c : cases) {
        CBitArray set = CBitArray::MakeRunLength();
        const Bytes start{1, 0x00, 4, 0, 0x10};
        set.Assign(static_cast<int>(start.size()), start.data());
        set.SetBit(c.bit);
        EXPECT_EQ(Encoded(set), c.expected) << c.name;
        EXPECT_EQ(set.TestBit(c.bit), 1) << c.name;
    }
    // A run of a single zero byte becomes the literal itself.
    CBitArray one = CBitArray::MakeRunLength();
    const Bytes start{1, 0x00, 1, 0, 0x10};
    one.Assign(5, start.data());
    one.SetBit(3);
    EXPECT_EQ(Encoded(one), (Bytes{1, 0x08, 0x10}));
}

TEST(BitArrayRunLength, LongGapsAreSplitIntoRunsOfAtMost65535)
{
    CBitArray set = CBitArray::MakeRunLength();
    const int bit = (65535 + 65535 + 3) * 8 + 1;
    set.SetBit(bit);
    EXPECT_EQ(Encoded(set), (Bytes{1, 0x00, 0xFF, 0xFF, 0x00, 0xFF, 0xFF, 0x00, 3, 0, 0x02}));
    EXPECT_EQ(set.TestBit(bit), 1);
    EXPECT_EQ(set.TestBit(bit - 1), 0);
    EXPECT_EQ(set.Count(), 1);
}

TEST(BitArrayRunLength, MatchesThePlainFormUnderRandomChanges)
{
    std::mt19937 rng(7);
    CBitArray rle = CBitArray::MakeRunLength();
    CBitArray plain;
    std::uniform_int_distribution<int> cluster(0, kBits / 64);
    std::uniform_int_distribution<int> offset(0, 63);
    std::uniform_int_distribution<int> action(0, 9);
    for (int i = 0; i < 20000; ++i) {
        // Clustered bits so that runs of ones form and merge.
        const int b = std::min(kBits - 1, cluster(rng) % 300 * 64 + offset(rng));
        if (action(rng) == 0) {
            rle.ClearBit(b);
            plain.ClearBit(b);
        } else {
            rle.SetBit(b);
            plain.SetBit(b);
        }
    }
    rle.SetBit(kBits - 1);
    plain.SetBit(kBits - 1);
    ASSERT_TRUE(rle.IsRunLength());
    EXPECT_EQ(rle.Count(), plain.Count());
    Bytes decoded = rle.PlainBytes();
    Bytes expected = StoredBytes(plain);
    while (!expected.empty() && expected.back() == 0)
        expected.pop_back();
    EXPECT_EQ(decoded, expected);
    for (int b = 0; b < 20000; ++b)
        ASSERT_EQ(rle.TestBit(b), plain.TestBit(b)) << b;
    for (int b = kBits - 100; b < kBits + 16; ++b)
        ASSERT_EQ(rle.TestBit(b), plain.TestBit(b)) << b;
    EXPECT_LT(rle.Length(), plain.Length());
}

TEST(BitArrayRunLength, WholeSetOperationsSeeTheBitsNotTheEncoding)
{
    CBitArray rle = CBitArray::MakeRunLength();
    for (int b = 0; b < 64; ++b)
        rle.SetBit(b);
    rle.SetBit(1000);
    const CBitArray plain = FromBits({0, 5000});

    CBitArray target;
    CBitArray::Union(target, plain, rle);
    EXPECT_EQ(target.Count(), 66);
    EXPECT_EQ(target.TestBit(1000), 1);
    EXPECT_FALSE(target.IsRunLength());

    CBitArray::Intersection(target, rle, plain);
    EXPECT_EQ(target.Count(), 1);

    CBitArray copy(rle);  // keeps its form; the encoding cannot be trimmed
    EXPECT_TRUE(copy.IsRunLength());
    EXPECT_EQ(copy.Count(), 65);
    EXPECT_EQ(copy.TestBit(63), 1);

    rle.AndWith(plain);
    EXPECT_FALSE(rle.IsRunLength());
    EXPECT_EQ(rle.Count(), 1);
}

TEST(BitArrayRunLength, ClearEmptiesTheSet)
{
    CBitArray set = CBitArray::MakeRunLength();
    set.SetBit(77);
    set.Clear();
    EXPECT_EQ(set.Count(), 0);
    EXPECT_EQ(set.TestBit(77), 0);
    set.SetBit(3);
    EXPECT_EQ(Encoded(set), (Bytes{1, 0x08}));
}

TEST(BitArrayRunLength, EncodeAndDecodeAreInverse)
{
    const Bytes plain{0x00, 0x00, 0xFF, 0x12, 0xFF, 0xFF, 0x00, 0x80};
    const Bytes encoded = RunLengthEncode(plain.data(), static_cast<int>(plain.size()));
    EXPECT_EQ(encoded, (Bytes{1, 0x00, 2, 0, 0xFF, 1, 0, 0x12, 0xFF, 2, 0, 0x00, 1, 0, 0x80}));
    EXPECT_EQ(RunLengthDecode(encoded.data(), static_cast<int>(encoded.size())), plain);
    // A token cut off at the end stands for nothing.
    EXPECT_EQ(RunLengthDecode(encoded.data(), 6), (Bytes{0x00, 0x00}));
}

}  // namespace
