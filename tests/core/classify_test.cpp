// The flop classifier and the straight and flush outs.

#include "core/cards.h"
#include "core/cardtext.h"
#include "core/classify_flop.h"
#include "core/outs_turn.h"
#include "pokereval/pokereval.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

namespace {

struct Described {
    const wchar_t* hand;
    const wchar_t* flop;
    const wchar_t* expected;
};

TEST(DescribeFlopHand, NamesTheMadeHand)
{
    const Described cases[] = {
        // Quads and straight flushes; a straight flush is not called a flush.
        {L"JhTh2c3d", L"9h8h7h", L"Straight Flush"},
        {L"9h9c2d3s", L"9s9d2c", L"Four of a Kind"},
        {L"Th2c3d4s", L"TsTdTc", L"Four of a Kind"},
        // Four hearts but no ten: three tens on the board are trips only.
        {L"AhKhQhJh", L"TsTdTc", L"Trips (Trips on Board)"},
        // Full houses.
        {L"9s9d2c3h", L"TsTdTc", L"Full House (Pocket Pair with Trips on Board)"},
        {L"Kh5d9c2s", L"KsKd5c", L"(Over-) Full House"},
        {L"5hKd9c2s", L"5s5dKc", L"(Under-) Full House"},
        {L"5h5d9c2s", L"KsKd5c", L"Full House (Pocket Pair without Trips on Board)"},
        {L"KhKd9c2s", L"5s5dKc", L"(Over-) Full House"},
        {L"KhKd5h2s", L"5s5dKc", L"(Over-) Full House"},  // pocket pair of Y and also X and Y
        // Flushes need two hole cards of the flop's suit.
        {L"Ah5hJcJd", L"Kh7h2h", L"Flush (Nut)"},
        {L"Qh5hJcJd", L"Kh7h2h", L"Flush (No Nut)"},
        {L"Kh3hJcJd", L"Ah7h2h", L"Flush (Nut)"},  // the ace is on the flop: the king is the nut
        {L"AhKcQdJs", L"Kh7h2h", L"Top Pair"},     // one heart makes no flush
        // Straights; the wheel's top card is the five.
        {L"JhTd2c2s", L"9s8d7c", L"Straight (Nut)"},
        {L"Ts6h2c2d", L"9s8d7c", L"Straight (No Nut)"},
        {L"4h5hKcKd", L"As2d3c", L"Straight (Nut)"},
        {L"As5dKcKh", L"2s3d4c", L"Straight (No Nut)"},
        // Sets, trips.
        {L"KhKc2d3s", L"Ks8d5c", L"Top-Set"},
        {L"8h8c2d3s", L"Ks8d5c", L"Middle-Set"},
        {L"5h5d2c3s", L"Ks8d5c", L"Bottom-Set"},
        {L"KhKc5h5d", L"Ks8d5c", L"Top-Set"},
        {L"8h8c5h5d", L"Ks8d5c", L"Middle-Set"},
        {L"8hKcQd2s", L"8s8d4c", L"Trips"},
        // Two pair on an unpaired board.
        {L"Kh8c2d3s", L"Ks8d5c", L"Top Two Pair"},
        {L"Kh5h2d3s", L"Ks8d5c", L"Two Pair (Top + Bottom)"},
        {L"8h5h2d3s", L"Ks8d5c", L"Bottom Two Pair"},
        // Two pair on a paired board.
        {L"4hKcQd2s", L"8s8d4c", L"Two Pair (Pair with paired Board)"},
        {L"AhAdQc2s", L"8s8d4c", L"Two Pair (Over Pocket Pair with paired Board)"},
        {L"4hAcAdQs", L"8s8d4c", L"Two Pair (Over Pocket Pair with paired Board)"},
        {L"6h6dQc2s", L"8s8d4c", L"Two Pair (Second Pocket Pair with paired Board)"},
        {L"3h3dQc2s", L"8s8d4c", L"Two Pair (Third Pocket Pair or worse with paired Board)"},
        {L"6h6d3h3d", L"8s8d4c", L"Two Pair (Second Pocket Pair with paired Board)"},
        // Three kings are not a pocket pair of the two-pair group.
        {L"KhKdKcQs", L"8s8d4c", L"Over Pocket Pair"},
        // One pair.
        {L"AhAd2c3s", L"Ks8d5c", L"Over Pocket Pair"},
        {L"KhQdJc2s", L"Ks8d5c", L"Top Pair"},
        {L"QhQd2c3s", L"Ks8d5c", L"Second Pocket Pair"},
        {L"8hQdJc2s", L"Ks8d5c", L"Middle Pair (Second or worse)"},
        {L"AhAd8c2s", L"Ks8d5c", L"Middle Pair (Second or worse)"},
        {L"6h6d2c3s", L"Ks8d5c", L"Low Pocket Pair (or worse)"},
        {L"6h6d8c3s", L"Ks8d5c", L"Low Pocket Pair (or worse)"},
        {L"5hQdJc2s", L"Ks8d5c", L"Low Pair (or worse)"},
        // No pair.
        {L"AhQdJc2s", L"Ks8d5c", L""},
        // Texts: blanks at both ends, upper-case suits; lower-case ranks and wrong lengths are not cards.
        {L"  AhKhQhJh ", L"\tTsTdTc  ", L"Trips (Trips on Board)"},
        {L"AHKHQHJH", L"TSTDTC", L"Trips (Trips on Board)"},
        {L"ahKhQhJh", L"TsTdTc", L""},
        {L"AhKhQhJ", L"TsTdTc", L""},
        {L"AhKhQhJh", L"TsTdTcT", L""},
        {L"AhKhQhJh", L"TsTdXc", L""},
        {L"", L"", L""},
    };
    for (const Described& c : cases)
        EXPECT_EQ(DescribeFlopHand(c.hand, c.flop), c.expected) << "hand " << testing::PrintToString(std::wstring(c.hand))
                                                                << " flop " << testing::PrintToString(std::wstring(c.flop));
}

struct Outs {
    int result;
    std::wstring all, nut;
};

Outs Straight(const wchar_t* hand, const wchar_t* flop)
{
    Outs o{0, L"stale", L"stale"};
    o.result = ListStraightOuts(hand, flop, o.all, o.nut);
    return o;
}

Outs Flush(const wchar_t* hand, const wchar_t* flop)
{
    Outs o{0, L"stale", L"stale"};
    o.result = ListFlushOuts(hand, flop, o.all, o.nut);
    return o;
}

TEST(ListStraightOuts, WrapDrawListsEveryOutAndTheNutOnes)
{
    // T9 65 on 8 7 2: the twenty-out wrap.
    const Outs o = Straight(L"Th9d6c5s", L"8s7d2c");
    EXPECT_EQ(o.result, kStraightOutsListed);
    EXPECT_EQ(o.all, L"JdJhJsJc" L"TdTsTc" L"9h9s9c" L"6d6h6s" L"5d5h5c" L"4d4h4s4c");
    EXPECT_EQ(o.all.size() / 2, 20u);
    // A ten or a nine gives the jack-high straight to J9 / JT, which this hand lacks.
    EXPECT_EQ(o.nut, L"JdJhJsJc" L"6d6h6s" L"5d5h5c" L"4d4h4s4c");
}

TEST(ListStraightOuts, NutRanksHeldInSeveralPairsListACardOnce)
{
    const Outs o = Straight(L"ThTd9h9d", L"8s7d2c");
    EXPECT_EQ(o.result, kStraightOutsListed);
    EXPECT_EQ(o.all, L"JdJhJsJc6d6h6s6c");
    EXPECT_EQ(o.nut, o.all);
}

TEST(ListStraightOuts, WheelDrawCountsTheFiveHighStraight)
{
    // A2 on 4 3 K: a five makes the wheel, which is not the nut (7-6 and 6-5 beat it).
    const Outs o = Straight(L"Ah2dQcQs", L"4s3dKc");
    EXPECT_EQ(o.result, kStraightOutsListed);
    EXPECT_EQ(o.all, L"5d5h5s5c");
    EXPECT_EQ(o.nut, L"");
}

TEST(ListStraightOuts, HandWithAStraightGetsNoOuts)
{
    const Outs nut = Straight(L"JhTd2c2s", L"9s8d7c");
    EXPECT_EQ(nut.result, kHoldsNutStraight);
    EXPECT_EQ(nut.all, L"");
    EXPECT_EQ(nut.nut, L"");
    const Outs lesser = Straight(L"Ts6h2c2d", L"9s8d7c");
    EXPECT_EQ(lesser.result, kHoldsStraight);
    EXPECT_EQ(lesser.all, L"");
    EXPECT_EQ(lesser.nut, L"");
}

TEST(ListStraightOuts, InvalidTextsGiveMinusOneAndEmptyOuts)
{
    EXPECT_EQ(Straight(L"Th9d6c5", L"8s7d2c").result, kStraightOutsInvalid);
    const Outs o = Straight(L"Th9d6c5s", L"8s7d2");
    EXPECT_EQ(o.result, kStraightOutsInvalid);
    EXPECT_EQ(o.all, L"");
    EXPECT_EQ(o.nut, L"");
}

TEST(ListFlushOuts, FlushDrawsWithAndWithoutTheNut)
{
    const Outs nut = Flush(L"AhQhJcJd", L"Kh7h2c");
    EXPECT_EQ(nut.result, 1);
    EXPECT_EQ(nut.all, L"JhTh9h8h6h5h4h3h2h");
    EXPECT_EQ(nut.nut, nut.all);

    // Queen-high draw: only the ace of hearts leaves the queen as the highest missing heart.
    const Outs second = Flush(L"QhJh3c3d", L"Kh7h2c");
    EXPECT_EQ(second.result, 1);
    EXPECT_EQ(second.all, L"AhTh9h8h6h5h4h3h2h");
    EXPECT_EQ(second.nut, L"Ah");
}

TEST(ListFlushOuts, StraightFlushCardIsAnOutButNotANutFlushOut)
{
    const Outs o = Flush(L"AhKh3c3d", L"QhJh2c");
    EXPECT_EQ(o.result, 1);
    EXPECT_EQ(o.all, L"Th9h8h7h6h5h4h3h2h");
    EXPECT_EQ(o.nut, L"9h8h7h6h5h4h3h2h");
}

TEST(ListFlushOuts, HeldFlushAndUnusableBoards)
{
    // Two hole cards of the flop's one suit: already a flush.
    const Outs held = Flush(L"Ah5hJcJd", L"Kh7h2h");
    EXPECT_EQ(held.result, 0);
    EXPECT_EQ(held.all, L"");
    EXPECT_EQ(held.nut, L"");
    // One heart in the hand on a heart flop: the fourth heart on the board does not help.
    const Outs single = Flush(L"AhKcQdJs", L"Kh7h2h");
    EXPECT_EQ(single.result, 1);
    EXPECT_EQ(single.all, L"");
    EXPECT_EQ(single.nut, L"");
    // Rainbow flop: no turn card gives three of a suit on the board.
    const Outs rainbow = Flush(L"AhKhQdJd", L"9s8d2c");
    EXPECT_EQ(rainbow.result, 1);
    EXPECT_EQ(rainbow.all, L"");
    EXPECT_EQ(Flush(L"AhKhQdJ", L"9s8d2c").result, 0);
}

}  // namespace

// ---- Against the evaluator: random hands and flops.

namespace {

struct Deal {
    int rank[7], suit[7];  // hole cards 0-3, flop 4-6
    std::wstring hand, flop;
    CardMask hole = 0, board = 0;
};

Deal RandomDeal(std::mt19937& gen)
{
    int deck[52];
    for (int i = 0; i < 52; ++i)
        deck[i] = i;
    std::shuffle(deck, deck + 52, gen);
    Deal d;
    for (int i = 0; i < 7; ++i) {
        d.rank[i] = deck[i] % 13;
        d.suit[i] = deck[i] / 13;
        const std::wstring card = FormatCard(d.rank[i], d.suit[i], 0);
        (i < 4 ? d.hand : d.flop) += card;
        (i < 4 ? d.hole : d.board) |= CardMaskOf(d.rank[i], d.suit[i]);
    }
    return d;
}

// The made hand's category as the classifier's groups name it; -1 below trips.
int CategoryOfText(const std::wstring& text)
{
    if (text == L"Straight Flush") return pokereval::kStraightFlush;
    if (text == L"Four of a Kind") return pokereval::kQuads;
    if (text.find(L"Full House") != std::wstring::npos) return pokereval::kFullHouse;
    if (text.rfind(L"Flush", 0) == 0) return pokereval::kFlush;
    if (text.rfind(L"Straight", 0) == 0) return pokereval::kStraight;
    if (text.find(L"Set") != std::wstring::npos || text.rfind(L"Trips", 0) == 0) return pokereval::kTrips;
    return -1;
}

// Five distinct ranks on alternating suits cannot be a flush, so the
// evaluator says straight exactly when the ranks are one.
bool RanksMakeStraight(const int ranks[5])
{
    CardMask m = 0;
    for (int i = 0; i < 5; ++i)
        m |= CardMaskOf(ranks[i], i % 2);
    return pokereval::numCards(m) == 5 && pokereval::handType(pokereval::evalHigh(m)) == pokereval::kStraight;
}

TEST(DescribeFlopHand, AgreesWithTheEvaluatorFromTripsUp)
{
    std::mt19937 gen(7);
    for (int n = 0; n < 200000; ++n) {
        const Deal d = RandomDeal(gen);
        pokereval::HandVal hi = 0;
        ASSERT_EQ(pokereval::evalOmaha(d.hole, d.board, &hi, nullptr), 0);
        const int type = pokereval::handType(hi);
        const std::wstring text = DescribeFlopHand(d.hand, d.flop);
        ASSERT_EQ(CategoryOfText(text), type >= pokereval::kTrips ? type : -1)
            << testing::PrintToString(d.hand) << " on " << testing::PrintToString(d.flop) << ": "
            << testing::PrintToString(text);
    }
}

TEST(ListStraightOuts, EveryOutMakesAStraightWithTwoHoleAndThreeBoardCards)
{
    std::mt19937 gen(11);
    int listed = 0;
    for (int n = 0; n < 3000; ++n) {
        const Deal d = RandomDeal(gen);
        std::wstring all, nut;
        if (ListStraightOuts(d.hand, d.flop, all, nut) != kStraightOutsListed)
            continue;
        std::wstring expected;
        for (int rank = 0; rank < 13; ++rank) {
            for (int suit = 0; suit < 4; ++suit) {
                if (d.board & CardMaskOf(rank, suit) || d.hole & CardMaskOf(rank, suit))
                    continue;
                const int board[4] = {d.rank[4], d.rank[5], d.rank[6], rank};
                bool straight = false;
                for (int a = 0; a < 4; ++a)
                    for (int b = a + 1; b < 4; ++b)
                        for (int skip = 0; skip < 4; ++skip) {
                            int ranks[5] = {d.rank[a], d.rank[b]}, k = 2;
                            for (int j = 0; j < 4; ++j)
                                if (j != skip) ranks[k++] = board[j];
                            straight = straight || RanksMakeStraight(ranks);
                        }
                if (straight)
                    expected += FormatCard(rank, suit, 0);
            }
        }
        ASSERT_EQ(all, expected) << testing::PrintToString(d.hand) << " on " << testing::PrintToString(d.flop);
        // Nut outs are outs.
        for (std::size_t i = 0; i < nut.size(); i += 2)
            ASSERT_NE(all.find(nut.substr(i, 2)), std::wstring::npos);
        listed += !all.empty();
    }
    EXPECT_GT(listed, 500);
}

}  // namespace
