// How the engines deal: board cards without the favour that a 15-bit value
// modulo 52 gives the first eight cards of the deck, seats holding every
// hand dealt from the cards left (ten of them never fail), and such seats
// mixed with narrow ranges against exact and independent references.
#include "equity_fixture.h"

#include "core/equity_deal.h"
#include "core/secure_random.h"

#include <random>

using namespace equity_test;

namespace {

class EquityDealing : public WorkersTest {};
OV_WORKER_COUNTS(EquityDealing);

// Every four-card hand of the cards outside `excluded`.
std::vector<CardMask> EveryHand(CardMask excluded = 0)
{
    std::vector<CardMask> hands;
    for (int a = 0; a < 52; ++a)
        for (int b = a + 1; b < 52; ++b)
            for (int c = b + 1; c < 52; ++c)
                for (int d = c + 1; d < 52; ++d) {
                    const CardMask h = pokereval::cardMask(a) | pokereval::cardMask(b) | pokereval::cardMask(c) |
                                       pokereval::cardMask(d);
                    if (!(h & excluded))
                        hands.push_back(h);
                }
    return hands;
}

// Expected number of the first eight deck cards (2h..9h) on a five-card
// board drawn from a full deck when each draw takes a free card with weight
// `favour` for those eight and 1 for the others (redrawing taken cards).
double ExpectedLowHearts(double favour)
{
    // p[f] = probability of f favoured cards so far, after each draw.
    std::vector<double> p(9, 0.0);
    p[0] = 1.0;
    for (int draw = 0; draw < 5; ++draw) {
        std::vector<double> next(9, 0.0);
        for (int f = 0; f <= std::min(draw, 8); ++f) {
            const double w = (8 - f) * favour;
            const double others = 44 - (draw - f);
            const double pf = w / (w + others);
            next[f + 1] += p[f] * pf;
            next[f] += p[f] * (1 - pf);
        }
        p = next;
    }
    double mean = 0;
    for (int f = 0; f <= 8; ++f)
        mean += f * p[f];
    return mean;
}

// rand() % 52 on 15-bit values hits 2h..9h (deck indices 0..7) 631 times in
// 32,768 and the other cards 630 times. On 60 million boards that shifts the
// mean count of those cards by more than seven standard errors.
TEST(BoardDraw, NoFavourForTheFirstCardsOfTheDeck)
{
    const std::uint32_t key[8] = {1, 4, 1, 4, 2, 1, 3, 5};
    SecureRandom random(key, 52);
    const CardMask lowHearts = pokereval::cardMask(0) | pokereval::cardMask(1) | pokereval::cardMask(2) |
                               pokereval::cardMask(3) | pokereval::cardMask(4) | pokereval::cardMask(5) |
                               pokereval::cardMask(6) | pokereval::cardMask(7);
    ASSERT_EQ(pokereval::numCards(lowHearts), 8);
    const std::uint64_t boards = 60000000;
    const double unbiased = 5.0 * 8.0 / 52.0;
    const double biased = ExpectedLowHearts(631.0 / 630.0);
    ASSERT_NEAR(ExpectedLowHearts(1.0), unbiased, 1e-12);
    // Hypergeometric variance of the count on one board.
    const double variance = 5.0 * (8.0 / 52) * (44.0 / 52) * (47.0 / 51);
    const double error = std::sqrt(variance / static_cast<double>(boards));
    ASSERT_GT(std::abs(biased - unbiased), 7 * error) << "the case separates the two";
    // The engines' draw (a partial shuffle of the free cards) and the board
    // completion of CompleteBoard (drawn among 52, again while taken).
    equity_detail::CardDeck deck;
    deck.Set(0);
    for (int way = 0; way < 2; ++way) {
        std::uint64_t hits = 0;
        for (std::uint64_t i = 0; i < boards; ++i) {
            CardMask board = 0;
            if (way == 0) {
                CardMask cards[5];
                deck.Draw(random, 5, 0, cards);
                board = cards[0] | cards[1] | cards[2] | cards[3] | cards[4];
            } else {
                board = equity_detail::DrawBoard(random, 0, 5, 0, 0);
            }
            hits += equity_detail::CountCards(board & lowHearts);
        }
        const double mean = static_cast<double>(hits) / static_cast<double>(boards);
        EXPECT_NEAR(mean, unbiased, 5 * error) << way;
        EXPECT_LT(std::abs(mean - unbiased), std::abs(mean - biased)) << way;
    }
}

// The colliding draws of a full table: four cards for every seat and the
// board, no card twice, every card of the free ones.
TEST(BoardDraw, DrawCardsNeverRepeatsAndFailsWhenTooFewAreLeft)
{
    const std::uint32_t key[8] = {9, 9, 9, 9, 1, 1, 1, 1};
    SecureRandom random(key, 3);
    const CardMask dead = Cards("AhKhQhJhTh");
    for (int i = 0; i < 2000; ++i) {
        CardMask cards[47];
        ASSERT_TRUE(equity_detail::DrawCards(random, 47, dead, cards));
        CardMask all = dead;
        for (CardMask c : cards) {
            ASSERT_EQ(pokereval::numCards(c), 1);
            ASSERT_EQ(c & all, 0u);
            all |= c;
        }
        ASSERT_EQ(pokereval::numCards(all), 52);
    }
    CardMask cards[48];
    EXPECT_FALSE(equity_detail::DrawCards(random, 48, dead, cards));
}

// A scenario of `seats` seats with every hand, run until the given progress
// call.
template <class Game>
struct FullTable {
    Rows rows;
    double results[kEquityHiLoArrays][kMaxSeats] = {};
    Recorder recorder;
    std::unique_ptr<EquityRun<Game>> run;

    int Go(int seats, const wchar_t* board, int stopAt)
    {
        const std::vector<CardMask> every = EveryHand();
        for (int k = 0; k < seats; ++k) {
            std::copy(every.begin(), every.end(), g_playerRangeMasks[k]);
            rows.count[k] = static_cast<int>(every.size());
        }
        recorder.seats = seats;
        recorder.stopAt = stopAt;
        RunRequest r;
        r.rows = g_playerRangeMasks;
        r.count = rows.count;
        r.n = seats;
        r.boardText = board;
        r.results = results;
        r.progress = Recorder::Callback;
        r.user = &recorder;
        run = std::make_unique<EquityRun<Game>>(r);
        return run->Run();
    }
};

// Ten random hands: every attempt is a deal, and by symmetry each seat has a
// tenth of the pot.
TEST_P(EquityDealing, TenRandomSeatsNeverFailAndShareThePot)
{
    for (const wchar_t* board : {L"", L"2s7h9c|Kd"}) {
        FullTable<HiGame> hi;
        ASSERT_EQ(hi.Go(10, board, 8), kEquityDone);
        const EquityTallyHi& t = hi.run->tally(0);
        EXPECT_EQ(t.valid, t.attempts);
        double sum = 0;
        for (int k = 0; k < 10; ++k) {
            const double equity = hi.results[kPreflopWin][k] + hi.results[kPreflopTie][k];
            // A seat's share of one deal lies in 0..1 with mean 0.1: its
            // variance is at most 0.09.
            EXPECT_NEAR(equity, 10.0, 5 * 100.0 * std::sqrt(0.09 / static_cast<double>(t.valid))) << k;
            sum += equity;
        }
        EXPECT_NEAR(sum, 100.0, 1e-9);

        FullTable<HiLoGame> hiLo;
        ASSERT_EQ(hiLo.Go(10, board, 4), kEquityDone);
        const EquityTallyHiLo& u = hiLo.run->tally(0);
        EXPECT_EQ(u.valid, u.attempts);
        for (int k = 0; k < 10; ++k)
            EXPECT_NEAR(hiLo.results[kHiLoEquity][k], 10.0, 5 * 100.0 * std::sqrt(0.09 / static_cast<double>(u.valid)));
    }
    // Every street of a full table (nine seats: a known river leaves 47 cards).
    FullTable<HiGame> streets;
    const std::vector<CardMask> every = EveryHand();
    streets.rows.count[0] = 0;
    Rows& rows = streets.rows;
    for (int k = 0; k < 9; ++k) {
        std::copy(every.begin(), every.end(), g_playerRangeMasks[k]);
        rows.count[k] = static_cast<int>(every.size());
    }
    streets.recorder.seats = 9;
    streets.recorder.stopAt = 3;
    RunRequest r;
    r.rows = g_playerRangeMasks;
    r.count = rows.count;
    r.n = 9;
    r.boardText = L"2s7h9cJdQs";
    r.results = streets.results;
    r.allStreets = 1;
    r.toStreet = 1;
    r.progress = Recorder::Callback;
    r.user = &streets.recorder;
    EquityRun<HiGame> run(r);
    ASSERT_EQ(run.Run(), kEquityDone);
    for (int s = 0; s < 4; ++s) {
        EXPECT_EQ(run.tally(s).valid, run.tally(s).attempts) << "street " << s;
        for (int k = 0; k < 9; ++k) {
            const double equity = streets.results[2 * s][k] + streets.results[2 * s + 1][k];
            EXPECT_NEAR(equity, 100.0 / 9, 5 * 100.0 * std::sqrt(0.1 / static_cast<double>(run.tally(s).valid)));
        }
    }
}

// One random seat next to narrow ones on a river: the exact enumeration
// takes every hand of the random seat.
TEST_P(EquityDealing, RandomSeatWithNarrowSeatsMatchesEnumeration)
{
    const CardMask board = Cards("2s7h9cJdQs");
    const CardMask dead = Cards("3d");
    const std::vector<std::vector<CardMask>> ranges = {Range({"AhAd2c3c", "AsAc4d5d", "KcQcJcTc"}),
                                                        EveryHand(), Range({"KsKh5d6d", "9d8d7c6c"})};
    for (int hiLo = 0; hiLo < 2; ++hiLo) {
        Rows rows;
        rows.ranges = ranges;
        double results[kEquityHiLoArrays][kMaxSeats] = {};
        Recorder recorder;
        recorder.stopAt = 4;
        const RunRequest r = RecordedRun(rows, L"2s7h9cJdQs|3d", results, recorder);
        const Exact exact = Enumerate(ranges, board, 5, dead, hiLo != 0);
        std::uint64_t deals = 0;
        if (hiLo) {
            EquityRun<HiLoGame> run(r);
            ASSERT_EQ(run.Run(), kEquityDone);
            deals = run.tally(0).valid;
        } else {
            EquityRun<HiGame> run(r);
            ASSERT_EQ(run.Run(), kEquityDone);
            deals = run.tally(0).valid;
        }
        for (int k = 0; k < 3; ++k) {
            const double equity = hiLo ? results[kHiLoEquity][k] : results[kPreflopWin][k] + results[kPreflopTie][k];
            ExpectNear(equity, exact, k, 0, deals, hiLo ? "hi/lo" : "hi");
        }
    }
}

// Hands with two aces or more against three random hands on a flop, against
// a plain rejection sampler written here: every seat picks uniformly from
// its whole range with its own generator, clashes are thrown away.
TEST_P(EquityDealing, PairOfAcesAgainstThreeRandomHandsMatchesAPlainSampler)
{
    const CardMask flop = Cards("Ks8h3c");
    const std::vector<CardMask> every = EveryHand();
    std::vector<CardMask> aces;
    const CardMask allAces = Cards("AhAdAcAs");
    for (CardMask h : every)
        if (pokereval::numCards(h & allAces) >= 2)
            aces.push_back(h);
    const std::vector<std::vector<CardMask>> ranges = {aces, every, every, every};

    // The reference.
    std::mt19937_64 gen(20261210);
    const std::uint64_t referenceDeals = 400000;
    double share[4] = {};
    std::vector<double> sq(4, 0.0);
    std::uint64_t got = 0;
    while (got < referenceDeals) {
        CardMask used = flop, hands[4];
        bool clash = false;
        for (int k = 0; k < 4 && !clash; ++k) {
            hands[k] = ranges[k][gen() % ranges[k].size()];
            clash = (hands[k] & used) != 0;
            used |= hands[k];
        }
        if (clash)
            continue;
        CardMask board = flop;
        while (pokereval::numCards(board) < 5) {
            const CardMask c = pokereval::cardMask(static_cast<int>(gen() % 52));
            if (!(c & (used | board)))
                board |= c;
        }
        pokereval::HandVal v[4], best = 0;
        for (int k = 0; k < 4; ++k) {
            pokereval::evalOmaha(hands[k], board, &v[k], nullptr);
            best = std::max(best, v[k]);
        }
        int winners = 0;
        for (int k = 0; k < 4; ++k)
            winners += v[k] == best;
        for (int k = 0; k < 4; ++k) {
            const double x = v[k] == best ? 1.0 / winners : 0.0;
            share[k] += x;
            sq[k] += x * x;
        }
        ++got;
    }

    Rows rows;
    rows.ranges = ranges;
    double results[kEquityHiLoArrays][kMaxSeats] = {};
    Recorder recorder;
    recorder.stopAt = 12;
    EquityRun<HiGame> run(RecordedRun(rows, L"Ks8h3c", results, recorder));
    ASSERT_EQ(run.Run(), kEquityDone);
    const double deals = static_cast<double>(run.tally(0).valid);
    for (int k = 0; k < 4; ++k) {
        const double mean = share[k] / referenceDeals;
        const double variance = sq[k] / referenceDeals - mean * mean;
        const double error = std::sqrt(variance / referenceDeals + variance / deals);
        EXPECT_NEAR(results[kPreflopWin][k] + results[kPreflopTie][k], 100.0 * mean, 5 * 100.0 * error) << k;
    }
}

}  // namespace
