// Dealing by rank among the free cards (the bit deposit way) against picking
// one card after the other, and the deck's four-card sets and board uniform
// either way. OV_SHUFFLE_DEALS in the environment turns dealing by rank off
// for the whole test program, so that the engines' tests also run the
// shuffled card arrays on a machine that has the fast instruction.
#include "core/card_pick.h"
#include "core/equity_deal.h"
#include "core/secure_random.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <map>
#include <random>
#include <vector>

namespace {

const bool kShuffledDeals = [] {
    const bool shuffled = std::getenv("OV_SHUFFLE_DEALS") != nullptr;
    if (shuffled)
        equity_detail::AllowRankPick(false);
    return shuffled;
}();

// The card of rank `rank` among the cards of `free`, lowest first.
CardMask NthCard(CardMask free, unsigned rank)
{
    for (; rank != 0; --rank)
        free &= free - 1;
    return free & (~free + 1);
}

TEST(RankPick, GroupsPickTheCardsOfPickingOneAfterTheOther)
{
    if (!equity_detail::RankPickIsFast())
        GTEST_SKIP() << (kShuffledDeals ? "turned off" : "no fast bit deposit on this processor");
    std::mt19937_64 gen(41);
    for (int trial = 0; trial < 20000; ++trial) {
        // Any free cards (some excluded), any number of sets and board cards
        // that fit, any digits below their bounds, the largest included.
        CardMask free = equity_detail::kDeck & ~(gen() & gen() & gen());
        const int count = equity_detail::CountCards(free);
        const int sets = static_cast<int>(gen() % 11);
        const int board = static_cast<int>(gen() % 6);
        if (4 * sets + board > count)
            continue;
        std::uint8_t digit[52];
        for (int i = 0; i < 4 * sets + board; ++i)
            digit[i] = static_cast<std::uint8_t>(trial % 7 == 0 ? count - i - 1 : gen() % (count - i));

        CardMask expectedSets[10] = {}, expectedBoard = 0, left = free;
        CardMask cards[52];
        for (int i = 0; i < 4 * sets + board; ++i) {
            cards[i] = NthCard(left, digit[i]);
            left ^= cards[i];
            if (i < 4 * sets)
                expectedSets[i / 4] |= cards[i];
            else
                expectedBoard |= cards[i];
        }
        CardMask gotSets[10] = {};
        const CardMask gotBoard = equity_detail::PickSetsByRank(digit, sets, board, free, gotSets);
        ASSERT_EQ(gotBoard, expectedBoard) << "trial " << trial;
        for (int s = 0; s < sets; ++s)
            ASSERT_EQ(gotSets[s], expectedSets[s]) << "trial " << trial << " set " << s;
        CardMask got[52];
        equity_detail::PickCardsByRank(digit, 4 * sets + board, free, got);
        for (int i = 0; i < 4 * sets + board; ++i)
            ASSERT_EQ(got[i], cards[i]) << "trial " << trial << " card " << i;
    }
}

// Eight free cards (the others excluded, or two of ten skipped): one set
// and two board cards, 70 x 6 = 420 outcomes, each as likely, both ways of
// dealing.
TEST(RankPick, DeckSetsAndBoardAreUniformBothWays)
{
    const CardMask ten = equity_detail::kDeckMasks[0] | equity_detail::kDeckMasks[5] |
                         equity_detail::kDeckMasks[13] | equity_detail::kDeckMasks[20] |
                         equity_detail::kDeckMasks[26] | equity_detail::kDeckMasks[30] |
                         equity_detail::kDeckMasks[39] | equity_detail::kDeckMasks[44] |
                         equity_detail::kDeckMasks[50] | equity_detail::kDeckMasks[51];
    const CardMask skipped = equity_detail::kDeckMasks[5] | equity_detail::kDeckMasks[44];
    const std::uint32_t key[8] = {8, 6, 7, 5, 3, 0, 9, 1};
    SecureRandom random(key, 2);
    for (int byRank = 0; byRank < 2; ++byRank) {
        if (byRank && !equity_detail::RankPickIsFast())
            continue;
        for (int skip = 0; skip < 2; ++skip) {
            SCOPED_TRACE(std::string(byRank ? "by rank" : "shuffled") + (skip ? ", skipping" : ""));
            equity_detail::CardDeck deck;
            deck.Set(~(skip ? ten : ten & ~skipped) & equity_detail::kDeck, byRank != 0);
            const CardMask free = ten & ~skipped;
            std::map<std::pair<CardMask, CardMask>, double> seen;
            const int deals = 420 * 400;
            for (int i = 0; i < deals; ++i) {
                CardMask set = 0, board = 0;
                ASSERT_TRUE(deck.DealSets(random, 1, 2, skip ? skipped : 0, &set, &board));
                ASSERT_EQ(equity_detail::CountCards(set), 4);
                ASSERT_EQ(equity_detail::CountCards(board), 2);
                ASSERT_EQ(set & board, 0u);
                ASSERT_EQ((set | board) & ~free, 0u);
                seen[{set, board}] += 1;
            }
            ASSERT_EQ(seen.size(), 420u);
            double chi = 0;
            const double expected = deals / 420.0;
            for (const auto& [outcome, n] : seen)
                chi += (n - expected) * (n - expected) / expected;
            EXPECT_LT(chi, 419 + 5 * std::sqrt(2 * 419.0));
            // Too few left: nothing is dealt.
            CardMask sets[2], board;
            EXPECT_FALSE(deck.DealSets(random, 2, 1, skip ? skipped : 0, sets, &board));
        }
    }
}

}  // namespace
