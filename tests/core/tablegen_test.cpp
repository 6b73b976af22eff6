#include "core/cards.h"
#include "core/cardtext.h"
#include "core/handbase.h"
#include "core/handshape.h"
#include "tools/tablegen/hutchison.h"
#include "tools/tablegen/shapes.h"
#include "tools/tablegen/startinghands.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

void ParseHand(const std::wstring& text, CardPair cards[4])
{
    for (int i = 0; i < 4; ++i) {
        cards[i] = {-1, -1};
        ParseCardText(text.substr(static_cast<std::size_t>(2 * i), 2), &cards[i].rank, &cards[i].suit);
    }
}

Bytes ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

class Generated : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        base = new COmahaBase;
        BuildStartingHandTables(*base);
    }
    static void TearDownTestSuite() { delete base; }
    static COmahaBase* base;
};
COmahaBase* Generated::base = nullptr;

TEST(Hutchison, WorkedExamples)
{
    struct Case {
        const wchar_t* hand;
        double suited, pairs, straight;
    };
    const Case cases[] = {
        {L"AsKsAhKh", 8, 17, 2},  {L"8c9c8h9h", 3, 9, 4},    {L"QcQh8d8s", 0, 11, 2},
        {L"AsAh7c2d", 0, 9, 1},   {L"KsKd3s6d", 6, 8, 1},    {L"AsKdQhTs", 4, 0, 11},
        {L"AhKhAdQd", 8, 9, 7},   {L"JsTs9h8h", 3.5, 0, 12}, {L"AsKsQsJs", 2, 0, 12},
        {L"AsKs7s2d", 4, 0, 3},   {L"AhAdAcKh", 4, 0, 2},    {L"6h5h4c3d", 1, 0, 2},
    };
    for (const Case& c : cases) {
        CardPair cards[4];
        ParseHand(c.hand, cards);
        const HutchisonParts parts = HutchisonPointParts(cards);
        EXPECT_EQ(parts.suited, c.suited) << std::string(c.hand, c.hand + 8);
        EXPECT_EQ(parts.pairs, c.pairs) << std::string(c.hand, c.hand + 8);
        EXPECT_EQ(parts.straight, c.straight) << std::string(c.hand, c.hand + 8);
        EXPECT_EQ(HutchisonPoints(cards), c.suited + c.pairs + c.straight);
    }
}

TEST_F(Generated, PointsOverAllHands)
{
    double highest = -1, lowest = 100;
    int halves = 0;
    for (int i = 0; i < kHandCount; ++i) {
        CardPair cards[4];
        CardsOf(base->m_hands[i], cards);
        const double points = HutchisonPoints(cards);
        // Every member of a class scores as its representative.
        ASSERT_EQ(points, base->m_classes[base->m_hands[i].classIndex].points) << i;
        highest = std::max(highest, points);
        lowest = std::min(lowest, points);
        halves += points != std::floor(points);
    }
    EXPECT_EQ(highest, 27);
    EXPECT_EQ(lowest, 0);
    EXPECT_EQ(halves, 82108);
    // Only double-suited aces and kings reach 27.
    for (int k = 0; k < kClassCount; ++k) {
        const HandClassRecord& c = base->m_classes[k];
        EXPECT_EQ(c.points2, 2 * c.points);
        if (c.points == 27) {
            EXPECT_EQ(FormatHandClassText(c.cards, 1, 0), L"AdAhKdKh");
        }
    }
}

// Rank-only count: flops of three ranks that, with two different hole ranks,
// make five ranks in a row (the ace also low).
bool MakesStraight(int rankSet)
{
    static const int kWindows[10] = {
        0x1F,  // A K Q J T  (rank index bits 0..4)
        0x3E, 0x7C, 0xF8, 0x1F0, 0x3E0, 0x7C0, 0xF80, 0x1F00,
        0x1E01,  // 5 4 3 2 A
    };
    return std::find(std::begin(kWindows), std::end(kWindows), rankSet) != std::end(kWindows);
}

int CountShapesByRanks(const int holeRanks[], int n, int blockedRanks)
{
    int shapes = 0;
    for (int a = 0; a < 13; ++a)
        for (int b = a + 1; b < 13; ++b)
            for (int c = b + 1; c < 13; ++c) {
                const int flop = 1 << a | 1 << b | 1 << c;
                if (flop & blockedRanks)
                    continue;
                bool straight = false;
                for (int i = 0; i < n && !straight; ++i)
                    for (int j = i + 1; j < n && !straight; ++j) {
                        const int pair = 1 << holeRanks[i] | 1 << holeRanks[j];
                        straight = holeRanks[i] != holeRanks[j] && !(pair & flop) && MakesStraight(pair | flop);
                    }
                shapes += straight;
            }
    return shapes;
}

TEST_F(Generated, ShapesAgreeWithARankCount)
{
    int mostStraight = 0, mostStraightFlush = 0;
    for (int k = 0; k < kClassCount; ++k) {
        const HandClassRecord& c = base->m_classes[k];
        int ranks[4];
        for (int i = 0; i < 4; ++i)
            ranks[i] = c.cards[i].rank;
        ASSERT_EQ(c.straightShapes, CountShapesByRanks(ranks, 4, 0)) << k;
        int flush = 0;
        for (int suit = 0; suit < 4; ++suit) {
            int suited[4], n = 0, held = 0;
            for (const CardPair& card : c.cards) {
                if (card.suit == suit) {
                    suited[n++] = card.rank;
                    held |= 1 << card.rank;
                }
            }
            flush += CountShapesByRanks(suited, n, held);  // the suit's hole cards are not on the flop
        }
        ASSERT_EQ(c.straightFlushShapes, flush) << k;
        mostStraight = std::max(mostStraight, c.straightShapes);
        mostStraightFlush = std::max(mostStraightFlush, c.straightFlushShapes);
    }
    EXPECT_LE(mostStraight, 20);
    EXPECT_EQ(mostStraightFlush, 8);
}

TEST(Shapes, Examples)
{
    struct Case {
        const wchar_t* hand;
        int straight, straightFlush;
    };
    const Case cases[] = {
        {L"AdAhAsAc", 0, 0},
        {L"Ad2dKsKh", 2, 1},    // A-2 with 5-4-3 (also in diamonds), A-K with Q-J-T
        {L"AdKhQsJc", 10, 0},   // 6 flops into A-K-Q-J-T, 3 into K-Q-J-T-9, T-9-8
        {L"JdTd9h8h", -1, 8},   // two suited connectors: four windows each
        {L"JdTd9d8d", -1, 2},   // monotone: only A-K-Q and 7-6-5 leave two hole cards
    };
    for (const Case& c : cases) {
        CardPair cards[4];
        ParseHand(c.hand, cards);
        if (c.straight >= 0) {
            EXPECT_EQ(StraightShapes(cards), c.straight) << std::string(c.hand, c.hand + 8);
        }
        EXPECT_EQ(StraightFlushShapes(cards), c.straightFlush) << std::string(c.hand, c.hand + 8);
    }
}

TEST(Representative, SuitsEnterInOrderSmallestFirst)
{
    struct Case {
        const wchar_t* hand;
        const wchar_t* representative;
    };
    const Case cases[] = {
        {L"AcAsAhAd", L"AdAhAsAc"},
        {L"KsKd3s6d", L"KdKh6d3h"},
        {L"2c3c4c5c", L"5d4d3d2d"},
        {L"AsKhQcJd", L"AdKhQsJc"},
        {L"9s9c8s8c", L"9d9h8d8h"},
        {L"9s9c8h8d", L"9d9h8s8c"},
    };
    for (const Case& c : cases) {
        CardPair cards[4], rep[4];
        ParseHand(c.hand, cards);
        ClassRepresentative(cards, rep);
        EXPECT_EQ(FormatHandClassText(rep, 1, 0), c.representative);
    }
}

TEST_F(Generated, EqualTheShippedFiles)
{
    // The statistics are not the generator's: make_stats (tools/statsgen) fills
    // them in the shipped class file, so they are taken from there.
    COmahaBase shipped;
    ASSERT_TRUE(shipped.LoadTables(std::filesystem::path(OV_DATA_DIR)).Loaded());
    std::vector<HandClassRecord> classes(base->m_classes.get(), base->m_classes.get() + kClassCount);
    for (int k = 0; k < kClassCount; ++k)
        std::copy(&shipped.m_classes[k].stats[0][0], &shipped.m_classes[k].stats[0][0] + kStatColumns * kStatRows,
                  &classes[k].stats[0][0]);
    Bytes classBytes, handBytes;
    ASSERT_TRUE(EncodeClassTable(classes.data(), base->m_classCount, classBytes, nullptr));
    ASSERT_TRUE(EncodeHandTable(base->m_hands.get(), kHandCount, handBytes, nullptr));
    const std::filesystem::path data = OV_DATA_DIR;
    EXPECT_TRUE(classBytes == ReadFile(data / "Omaha.bin")) << "regenerate data/ with make_tables";
    EXPECT_TRUE(handBytes == ReadFile(data / "Combos.bin")) << "regenerate data/ with make_tables";
    for (int k = 0; k < kClassCount; ++k) {
        for (const auto& column : base->m_classes[k].stats)
            for (int v : column)
                ASSERT_EQ(v, 0);
    }
}

}  // namespace
