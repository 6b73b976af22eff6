// The fixed-count simulations of the analysis dialogs: a given number of
// attempts on a known board, without dead cards.
#include "core/equity.h"
#include "core/equity_deal.h"

using namespace equity_detail;

namespace {

constexpr std::uint64_t kHandsProgressStep = 16000;

template <class Game>
int SimulateRanges(RangeRows rows, const int* count, int n, int trials, double* equity, CardMask board)
{
    if (equity == nullptr)
        return kEquityNoValidDeal;
    for (int k = 0; k < kMaxSeats; ++k)
        equity[k] = 0.0;
    SeatRanges seats;
    SecureRandom random;
    const int have = pokereval::numCards(board);
    if (trials < 1 || have > 5 || !seats.Init(rows, count, n, random))
        return kEquityNoValidDeal;
    BoardCache cache;
    typename Game::Tally t;
    t.Reset();
    for (int i = 0; i < trials; ++i) {
        ++t.attempts;
        if (t.valid == 0 && t.attempts > kNoDealAttemptLimit)
            return kEquityNoValidDeal;
        Attempt<Game, false>(t, seats, random, cache, board, have, 5, 0);  // equities only
    }
    if (t.valid == 0)
        return kEquityNoValidDeal;
    for (int k = 0; k < n; ++k)
        equity[k] = Game::Equity(t, k);
    return kEquityDone;
}

// Fixed hands that can be dealt together with the board: four cards each,
// no card twice.
bool HandsFit(const CardMask* hand, int n, CardMask board, CardMask* used)
{
    if (hand == nullptr || n < 1 || n > kMaxSeats || pokereval::numCards(board) > 5)
        return false;
    CardMask all = board;
    for (int k = 0; k < n; ++k) {
        if (pokereval::numCards(hand[k]) != 4 || (hand[k] & all))
            return false;
        all |= hand[k];
    }
    *used = all;
    return true;
}

template <class Game>
int SimulateHands(EquityProgressFn progress, void* user, const CardMask* hand, int n, double* equity,
                  int trials, CardMask board)
{
    if (equity == nullptr)
        return kEquityNoValidDeal;
    if (progress)
        progress(user, 1, nullptr, 0, nullptr, 0, nullptr, 0, nullptr, 0);
    typename Game::Tally t;
    t.Reset();
    CardMask used = 0;
    // Hands that clash reject every attempt: nothing to deal.
    if (HandsFit(hand, n, board, &used)) {
        const int have = pokereval::numCards(board);
        BoardCache cache;
        for (int i = 0; i < trials; ++i) {
            ++t.attempts;
            Game::AddDeal(t, cache.For(DrawBoard(have, 5, board, used)), hand, n);
            if (progress && t.valid % kHandsProgressStep == 0) {
                for (int k = 0; k < n; ++k)
                    equity[k] = Game::Equity(t, k);
                if (progress(user, 0, equity, 1, nullptr, 0, nullptr, 0, nullptr, 0) == 0)
                    break;
            }
        }
    }
    const int seats = n < 0 ? 0 : n > kMaxSeats ? kMaxSeats : n;
    for (int k = 0; k < seats; ++k)
        equity[k] = t.valid ? Game::Equity(t, k) : 0.0;
    if (progress)
        progress(user, 0, equity, 1, nullptr, 0, nullptr, 0, nullptr, 0);
    return t.valid ? kEquityDone : kEquityNoValidDeal;
}

}  // namespace

int SimulateRangesHi(RangeRows rows, const int count[kMaxSeats], int n, int trials,
                     double equity[kMaxSeats], CardMask board)
{
    return SimulateRanges<HiGame>(rows, count, n, trials, equity, board);
}

int SimulateRangesHiLo(RangeRows rows, const int count[kMaxSeats], int n, int trials,
                       double equity[kMaxSeats], CardMask board)
{
    return SimulateRanges<HiLoGame>(rows, count, n, trials, equity, board);
}

int SimulateHandsHi(EquityProgressFn progress, void* user, const CardMask hand[], int n,
                    double equity[kMaxSeats], int trials, CardMask board)
{
    return SimulateHands<HiGame>(progress, user, hand, n, equity, trials, board);
}

int SimulateHandsHiLo(EquityProgressFn progress, void* user, const CardMask hand[], int n,
                      double equity[kMaxSeats], int trials, CardMask board)
{
    return SimulateHands<HiLoGame>(progress, user, hand, n, equity, trials, board);
}
