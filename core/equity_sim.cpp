// The fixed-count simulations of the analysis dialogs: a given number of
// attempts on a known board, without dead cards. Long ones are split over
// worker threads; the progress calls stay on the calling thread.
#include "core/equity.h"
#include "core/equity_deal.h"
#include "core/equity_workers.h"

#include <algorithm>
#include <atomic>
#include <memory>
#include <vector>

using namespace equity_detail;

namespace {

constexpr std::uint64_t kHandsProgressStep = 16000;
// Attempts a worker must have to be worth its thread (a few milliseconds).
constexpr int kTrialsPerWorker = 32768;
constexpr int kChunk = 256;

template <class Game>
struct alignas(64) SimDealer {
    SeatRanges seats;
    SecureRandom random;
    CardDeck deck;
    BoardCache cache;
    typename Game::Tally tally;
};

int WorkersFor(int trials)
{
    return std::max(1, std::min(EquityWorkers(), trials / kTrialsPerWorker));
}

// Worker w's share of `trials`.
int ShareOf(int trials, int workers, int w)
{
    return trials / workers + (w < trials % workers ? 1 : 0);
}

// `trials` attempts split over `dealers.size()` threads; attempt(d) makes one
// attempt with dealer d (false: stop this worker). follow(team) runs on this
// thread meanwhile and returns when it wants the workers stopped or they
// have ended. Returns the threads that dealt (0: none started; the shares of
// threads the system refused are not dealt, which costs only precision).
template <class Game, class AttemptFn, class FollowFn>
int DealShares(std::vector<std::unique_ptr<SimDealer<Game>>>& dealers, int trials, AttemptFn attempt,
                PublishedState<typename Game::Tally>* published, FollowFn follow)
{
    const int workers = static_cast<int>(dealers.size());
    WorkerTeam team;
    const int started = team.Start(workers, [&](int w) {
        SimDealer<Game>& d = *dealers[static_cast<std::size_t>(w)];
        int left = ShareOf(trials, workers, w);
        while (left > 0 && !team.StopRequested()) {
            const int chunk = std::min(left, kChunk);
            int i = 0;
            for (; i < chunk; ++i) {
                if (!attempt(d))
                    break;
            }
            {
                std::lock_guard<std::mutex> hold(published[w].lock);
                published[w].state = d.tally;
            }
            team.Add(static_cast<std::uint64_t>(i));
            if (i < chunk)
                break;
            left -= chunk;
        }
    });
    if (started != 0)
        follow(team);
    team.StopAndJoin();
    return started;
}

template <class Game>
typename Game::Tally Sum(PublishedState<typename Game::Tally>* published, int workers)
{
    typename Game::Tally t;
    t.Reset();
    for (int w = 0; w < workers; ++w) {
        std::lock_guard<std::mutex> hold(published[w].lock);
        Game::Merge(t, published[w].state);
    }
    return t;
}

template <class Game>
int SimulateRanges(RangeRows rows, const int* count, int n, int trials, double* equity, CardMask board)
{
    if (equity == nullptr)
        return kEquityNoValidDeal;
    for (int k = 0; k < kMaxSeats; ++k)
        equity[k] = 0.0;
    SimDealer<Game> main;
    const int have = pokereval::numCards(board);
    if (trials < 1 || have > 5 || !main.seats.Init(rows, count, n, main.random))
        return kEquityNoValidDeal;
    // Hands holding a board card are never accepted; seats holding every
    // other hand are dealt from the cards left.
    main.seats.LeaveOut(board, main.random);
    main.deck.Set(board);
    using Tally = typename Game::Tally;
    Tally t;
    t.Reset();
    const int workers = WorkersFor(trials);
    bool dealt = false;
    if (workers > 1) {
        std::vector<std::unique_ptr<SimDealer<Game>>> dealers;
        for (int w = 0; w < workers; ++w) {
            auto d = std::make_unique<SimDealer<Game>>();
            d->seats = main.seats;
            d->seats.Restart(d->random);
            d->deck = main.deck;
            d->tally.Reset();
            dealers.push_back(std::move(d));
        }
        std::unique_ptr<PublishedState<Tally>[]> published(new PublishedState<Tally>[workers]);
        for (int w = 0; w < workers; ++w)
            published[w].state.Reset();
        // No accepted deal in the first 100,000 attempts of all workers
        // together ends the simulation.
        std::atomic<std::uint64_t> attemptsWithoutDeal{0};
        std::atomic<bool> accepted{false};
        auto attempt = [&](SimDealer<Game>& d) {
            if (d.tally.valid == 0 && !accepted.load(std::memory_order_relaxed)) {
                if (attemptsWithoutDeal.fetch_add(1, std::memory_order_relaxed) >= kNoDealAttemptLimit)
                    return false;
            }
            ++d.tally.attempts;
            if (Attempt<Game, false>(d.tally, d.seats, d.random, d.deck, d.cache, board, have, 5, 0))
                accepted.store(true, std::memory_order_relaxed);
            return true;
        };
        const int started = DealShares<Game>(dealers, trials, attempt, published.get(),
                                             [](WorkerTeam& team) { team.WaitFor(~std::uint64_t{0}); });
        dealt = started != 0;
        t = Sum<Game>(published.get(), started);
    }
    if (!dealt) {
        for (int i = 0; i < trials; ++i) {
            ++t.attempts;
            if (t.valid == 0 && t.attempts > kNoDealAttemptLimit)
                return kEquityNoValidDeal;
            Attempt<Game, false>(t, main.seats, main.random, main.deck, main.cache, board, have, 5, 0);  // equities only
        }
    }
    if (t.valid == 0)
        return kEquityNoValidDeal;
    Game::Settle(t, n);  // the loops above count whole numbers only
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
    using Tally = typename Game::Tally;
    Tally t;
    t.Reset();
    CardMask used = 0;
    // Hands that clash reject every attempt: nothing to deal.
    if (HandsFit(hand, n, board, &used)) {
        const int have = pokereval::numCards(board);
        // The cards outside the hands and the board: the same for every deal.
        CardDeck free;
        free.Set(used);
        const int draws = 5 - have;
        auto attempt = [&](SimDealer<Game>& d) {
            ++d.tally.attempts;
            CardMask cards[5];
            d.deck.Draw(d.random, draws, 0, cards);
            CardMask full = board;
            for (int i = 0; i < draws; ++i)
                full |= cards[i];
            Game::AddDeal(d.tally, d.cache.For(full), hand, n);
            return true;
        };
        const int workers = WorkersFor(trials);
        bool dealt = false;
        if (workers > 1) {
            std::vector<std::unique_ptr<SimDealer<Game>>> dealers;
            for (int w = 0; w < workers; ++w) {
                dealers.push_back(std::make_unique<SimDealer<Game>>());
                dealers.back()->tally.Reset();
                dealers.back()->deck = free;
            }
            std::unique_ptr<PublishedState<Tally>[]> published(new PublishedState<Tally>[workers]);
            for (int w = 0; w < workers; ++w)
                published[w].state.Reset();
            // Every attempt is accepted: the calls come as the accepted
            // deals of all workers pass each multiple of 16,000 up to the
            // trials, as on one thread, even when the workers have already
            // dealt them all by the time this thread looks.
            auto follow = [&](WorkerTeam& team) {
                const std::uint64_t all = ~std::uint64_t{0};
                for (std::uint64_t mark = progress ? kHandsProgressStep : all;; mark += kHandsProgressStep) {
                    if (mark > static_cast<std::uint64_t>(trials)) {
                        team.WaitFor(all);  // returns once every worker has ended
                        return;
                    }
                    if (team.WaitFor(mark) < mark)
                        return;  // the workers ended short of it
                    const Tally now = Sum<Game>(published.get(), workers);
                    for (int k = 0; k < n; ++k)
                        equity[k] = Game::Equity(now, k);
                    if (progress(user, 0, equity, 1, nullptr, 0, nullptr, 0, nullptr, 0) == 0)
                        return;
                }
            };
            const int started = DealShares<Game>(dealers, trials, attempt, published.get(), follow);
            dealt = started != 0;
            t = Sum<Game>(published.get(), started);
        }
        if (!dealt) {
            SimDealer<Game> d;
            d.tally.Reset();
            d.deck = free;
            for (int i = 0; i < trials; ++i) {
                attempt(d);
                if (progress && d.tally.valid % kHandsProgressStep == 0) {
                    for (int k = 0; k < n; ++k)
                        equity[k] = Game::Equity(d.tally, k);
                    if (progress(user, 0, equity, 1, nullptr, 0, nullptr, 0, nullptr, 0) == 0)
                        break;
                }
            }
            t = d.tally;
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
