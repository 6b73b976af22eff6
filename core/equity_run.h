#pragma once
// One run of an equity engine (Omaha Hi or Hi/Lo): the single-street mode
// and the per-street mode with their progress schedule. CalculateEquityHi and
// CalculateEquityHiLo wrap it; tests drive it directly to watch its tallies.

#include "core/equity_deal.h"
#include "core/equity_workers.h"

#include <algorithm>
#include <memory>
#include <mutex>
#include <string>
#include <vector>
#include <string_view>

namespace equity_detail {

inline constexpr std::uint64_t kFirstProgress = 256;
inline constexpr std::uint64_t kProgressStep = 32768;
inline constexpr std::uint64_t kStreetProgressStep = 8192;

struct RunRequest {
    RangeRows rows = nullptr;
    const int* count = nullptr;
    int n = 0;
    std::wstring_view boardText;
    double (*results)[kMaxSeats] = nullptr;
    int allStreets = 0;
    int toStreet = 0;
    EquityProgressFn progress = nullptr;
    void* user = nullptr;
    int workers = 0;  // threads to deal on; 0: EquityWorkers()
};

// The board part of the text read for the per-street mode: the flop, turn and
// river cards at fixed positions (blanks and commas taken out first).
struct StreetCards {
    CardMask flop = 0, turn = 0, river = 0;
};
StreetCards ReadStreetCards(std::wstring_view boardPart, int known);

// Where a run deals: the board of every street it simulates.
struct StreetPlan {
    static constexpr int kStreets = 4;  // preflop, flop, turn, river
    bool simulated[kStreets] = {true, false, false, false};
    CardMask known[kStreets] = {};
    int have[kStreets] = {};
    int want[kStreets] = {5, 5, 5, 5};
    // Where each column's values come from: its own tally, or the street
    // before when this one is not simulated.
    int source[kStreets] = {};
};

template <class Game>
class EquityRun {
public:
    using Tally = typename Game::Tally;
    static constexpr int kStreets = StreetPlan::kStreets;
    // Iterations a worker deals between two looks at the stop request and
    // two publications of its tallies: well under a millisecond.
    static constexpr std::uint64_t kChunk = 256;

    explicit EquityRun(const RunRequest& request) : m_request(request)
    {
        for (Tally& t : m_main.tally)
            t.Reset();
        for (Tally& t : m_merged)
            t.Reset();
    }

    int Run()
    {
        const RunRequest& r = m_request;
        if (r.results == nullptr || r.progress == nullptr ||
            !m_main.seats.Init(r.rows, r.count, r.n, m_main.random))
            return kEquityEmptyRange;

        std::wstring boardPart, deadPart;
        SplitBoardAndDeadText(r.boardText, boardPart, deadPart);
        ParseCardList(deadPart, &m_dead);
        const int known = ParseCardList(boardPart, &m_known);
        if (pokereval::numCards(m_known) > 5)
            return kEquityNoValidDeal;

        // Hands holding a card that every deal of the run has (known board
        // cards in the single-street mode, dead cards) could never be
        // accepted.
        m_main.seats.LeaveOut(r.allStreets ? m_dead : m_known | m_dead, m_main.random);

        r.progress(r.user, 1, nullptr, 0, nullptr, 0, nullptr, 0, nullptr, 0);
        StreetPlan plan;
        if (r.allStreets) {
            if (!PlanStreets(boardPart, known, plan))
                return kEquityNoValidDeal;  // cards unreadable at their positions
        } else {
            plan.known[0] = m_known;
            plan.have[0] = pokereval::numCards(m_known);
        }
        for (int s = 0; s < kStreets; ++s)
            m_main.deck[s].Set(plan.known[s] | m_dead);
        const int workers = r.workers > 0 ? r.workers : EquityWorkers();
        int code = kEquityDone;
        if (workers <= 1 || !RunParallel(plan, workers, &code))
            code = r.allStreets ? RunPerStreet(plan) : RunSingleStreet(plan);
        return code;
    }

    const Tally& tally(int street) const { return m_parallel ? m_merged[street] : m_main.tally[street]; }
    std::uint64_t iterations() const { return m_parallel ? m_mergedIterations : m_main.iterations; }
    // Threads that dealt (1: the calling thread alone).
    int workers() const { return m_parallel ? m_workers : 1; }

private:
    // What one thread deals with: its own positions, random stream, boards
    // and tallies.
    struct alignas(64) Dealer {
        SeatRanges seats;
        SecureRandom random;
        CardDeck deck[kStreets];     // each street's cards outside its known board and the dead cards
        BoardCache cache[kStreets];  // a known street board is prepared once
        DealBatch batch[kStreets];   // each street's accepted deals not yet evaluated
        Tally tally[kStreets];
        std::uint64_t iterations = 0;

        // One attempt on every simulated street, each with its own hands.
        void Iterate(const StreetPlan& plan, CardMask dead)
        {
            for (int s = 0; s < kStreets; ++s) {
                if (!plan.simulated[s])
                    continue;
                ++tally[s].attempts;
                Attempt<Game, false>(tally[s], seats, random, deck[s], cache[s], plan.known[s], plan.have[s],
                                     plan.want[s], dead);
            }
            ++iterations;
        }

        // `count` iterations as above, each deal evaluated a few deals later
        // (see DealBatch); every one of them is in the tallies at the end.
        void IterateBatched(const StreetPlan& plan, CardMask dead, std::uint64_t count)
        {
            const int n = seats.Seats();
            for (std::uint64_t i = 0; i < count; ++i) {
                for (int s = 0; s < kStreets; ++s) {
                    if (!plan.simulated[s])
                        continue;
                    ++tally[s].attempts;
                    if (batch[s].Full())
                        batch[s].AddOldest<Game>(tally[s], n);
                    batch[s].Deal(seats, random, deck[s], cache[s], plan.known[s], plan.have[s], plan.want[s],
                                  dead);
                }
                ++iterations;
            }
            for (int s = 0; s < kStreets; ++s)
                batch[s].AddAll<Game>(tally[s], n);
        }
    };
    struct Published {
        Tally tally[kStreets];
        std::uint64_t iterations;
    };

    bool PlanStreets(std::wstring_view boardPart, int known, StreetPlan& plan) const
    {
        const RunRequest& r = m_request;
        // The main dialog passes 0, 3, 4 or 5 known cards; 1 or 2 count as none.
        const int b = known >= 5 ? 5 : known >= 3 ? known : 0;
        const StreetCards cards = ReadStreetCards(boardPart, b);
        const CardMask streetKnown[kStreets] = {0, cards.flop, cards.flop | cards.turn,
                                                cards.flop | cards.turn | cards.river};
        const int streetCards[kStreets] = {5, 3, 4, 5};
        for (int s = 1; s < kStreets; ++s) {
            plan.simulated[s] = r.toStreet != 0 || b >= streetCards[s];
            if (r.toStreet != 0)
                plan.want[s] = streetCards[s];
            plan.known[s] = streetKnown[s];
            plan.have[s] = pokereval::numCards(streetKnown[s]);
            if (plan.have[s] > plan.want[s])
                return false;
            plan.source[s] = plan.simulated[s] ? s : plan.source[s - 1];
        }
        if (Game::kRiverFromPreflopWithoutBoard && b == 0)
            plan.source[3] = 0;
        return true;
    }

    int RunSingleStreet(const StreetPlan& plan)
    {
        const RunRequest& r = m_request;
        Dealer& d = m_main;
        Tally& t = d.tally[0];
        DealBatch& batch = d.batch[0];
        double* values = r.results[0];
        for (;;) {
            ++t.attempts;
            const std::uint64_t valid = t.valid + static_cast<std::uint64_t>(batch.Size());
            if (valid == 0 && t.attempts > kNoDealAttemptLimit)
                return kEquityNoValidDeal;
            // A deal is evaluated a few attempts after it was dealt (see
            // DealBatch), and every deal before a progress call.
            if (batch.Full())
                batch.AddOldest<Game>(t, r.n);
            const bool accepted = batch.Deal(d.seats, d.random, d.deck[0], d.cache[0], plan.known[0],
                                             plan.have[0], plan.want[0], m_dead);
            ++d.iterations;
            if (!accepted && !(Game::kProgressAfterAnyAttempt && valid != 0))
                continue;
            if (t.attempts < m_threshold)
                continue;
            batch.AddAll<Game>(t, r.n);
            if (ShowProgress(plan, values)) {
                m_threshold += kProgressStep;
                continue;
            }
            End(plan);
            return kEquityDone;
        }
    }

    int RunPerStreet(const StreetPlan& plan)
    {
        Dealer& d = m_main;
        for (;;) {
            d.Iterate(plan, m_dead);
            // A street whose board no deal fits ends the run like an empty
            // preflop tally; its column would otherwise be a division by zero.
            bool allDealt = true;
            if (NoDealYet(plan, d.tally, &allDealt)) {
                SettleStreets(d.tally);
                return kEquityNoValidDeal;
            }
            if (d.iterations < m_threshold || !allDealt)
                continue;
            if (ShowProgress(plan, nullptr)) {
                m_threshold += kStreetProgressStep;
                continue;
            }
            End(plan);
            return kEquityDone;
        }
    }

    // True when a simulated street has had more than 100,000 attempts
    // without an accepted deal; *allDealt false when one has none yet.
    static bool NoDealYet(const StreetPlan& plan, const Tally* tallies, bool* allDealt)
    {
        for (int s = 0; s < kStreets; ++s) {
            if (!plan.simulated[s] || tallies[s].valid != 0)
                continue;
            if (tallies[s].attempts > kNoDealAttemptLimit)
                return true;
            *allDealt = false;
        }
        return false;
    }

    // Workers deal, this thread follows the schedule. False (nothing done)
    // when no worker thread could start.
    bool RunParallel(const StreetPlan& plan, int workers, int* code)
    {
        std::vector<std::unique_ptr<Dealer>> dealers;
        std::unique_ptr<PublishedState<Published>[]> published(new PublishedState<Published>[workers]);
        for (int w = 0; w < workers; ++w) {
            auto d = std::make_unique<Dealer>();
            d->seats = m_main.seats;
            d->seats.Restart(d->random);  // the worker's own key, drawn here
            std::copy(std::begin(m_main.deck), std::end(m_main.deck), std::begin(d->deck));
            for (Tally& t : d->tally)
                t.Reset();
            dealers.push_back(std::move(d));
        }
        WorkerTeam team;
        m_workers = team.Start(workers, [&](int w) {
            Dealer& d = *dealers[static_cast<std::size_t>(w)];
            PublishedState<Published>& out = published[w];
            while (!team.StopRequested()) {
                d.IterateBatched(plan, m_dead, kChunk);
                {
                    std::lock_guard<std::mutex> hold(out.lock);
                    std::memcpy(out.state.tally, d.tally, sizeof(d.tally));
                    out.state.iterations = d.iterations;
                }
                team.Add(kChunk);
            }
        });
        if (m_workers == 0)
            return false;
        m_parallel = true;
        const RunRequest& r = m_request;
        const std::uint64_t step = r.allStreets ? kStreetProgressStep : kProgressStep;
        std::uint64_t mark = m_threshold;
        for (;;) {
            team.WaitFor(mark);
            Gather(published.get());
            bool allDealt = true;
            if (NoDealYet(plan, m_merged, &allDealt)) {
                team.StopAndJoin();
                Gather(published.get());
                SettleStreets(m_merged);
                *code = kEquityNoValidDeal;
                return true;
            }
            if (!allDealt || m_mergedIterations < m_threshold) {
                mark = std::max(m_threshold, m_mergedIterations + kChunk);
                continue;
            }
            if (ShowProgress(plan, r.allStreets ? nullptr : r.results[0])) {
                m_threshold += step;
                mark = m_threshold;
                continue;
            }
            // The deals made meanwhile count too: the end call and the
            // results show the run's every deal.
            team.StopAndJoin();
            Gather(published.get());
            End(plan);
            *code = kEquityDone;
            return true;
        }
    }

    // The workers' published tallies, summed.
    void Gather(PublishedState<Published>* published)
    {
        for (Tally& t : m_merged)
            t.Reset();
        m_mergedIterations = 0;
        for (int w = 0; w < m_workers; ++w) {
            std::lock_guard<std::mutex> hold(published[w].lock);
            for (int s = 0; s < kStreets; ++s)
                Game::Merge(m_merged[s], published[w].state.tally[s]);
            m_mergedIterations += published[w].state.iterations;
        }
    }

    Tally* Tallies() { return m_parallel ? m_merged : m_main.tally; }

    // The values of the progress and end calls: the single street's
    // equities into `single`, or every street's (single null).
    void FillValues(const StreetPlan& plan, double* single)
    {
        const RunRequest& r = m_request;
        Tally* t = Tallies();
        SettleStreets(t);
        if (single != nullptr) {
            for (int k = 0; k < r.n; ++k)
                single[k] = Game::Equity(t[0], k);
            return;
        }
        for (int s = 0; s < kStreets; ++s) {
            double* values = r.results[s * Game::kArraysPerStreet];
            for (int k = 0; k < r.n; ++k)
                values[k] = Game::Equity(t[plan.source[s]], k);
        }
    }

    int Call(double* single)
    {
        const RunRequest& r = m_request;
        if (single != nullptr)
            return r.progress(r.user, 0, single, 1, nullptr, 0, nullptr, 0, nullptr, 0);
        const int a = Game::kArraysPerStreet;
        return r.progress(r.user, 0, r.results[0], 1, r.results[a], 1, r.results[2 * a], 1, r.results[3 * a], 1);
    }

    // A progress call with the current values: its result.
    int ShowProgress(const StreetPlan& plan, double* single)
    {
        FillValues(plan, single);
        return Call(single);
    }

    // The end call and the final values, in the order the game shows them.
    void End(const StreetPlan& plan)
    {
        const RunRequest& r = m_request;
        double* single = r.allStreets ? nullptr : r.results[0];
        FillValues(plan, single);
        Tally* t = Tallies();
        if (Game::kWriteBeforeEndCall)
            WriteStreets(plan, t);
        Call(single);
        if (!Game::kWriteBeforeEndCall)
            WriteStreets(plan, t);
    }

    // The losses and shares the loops leave out (see AddDeal).
    void SettleStreets(Tally* tallies)
    {
        for (int s = 0; s < kStreets; ++s)
            Game::Settle(tallies[s], m_request.n);
    }

    void WriteStreets(const StreetPlan& plan, const Tally* t)
    {
        const RunRequest& r = m_request;
        if (!r.allStreets) {
            Game::WriteFinal(t[0], r.results, r.n);
            return;
        }
        for (int s = 0; s < kStreets; ++s)
            Game::WriteFinal(t[plan.source[s]], r.results + s * Game::kArraysPerStreet, r.n);
    }

    RunRequest m_request;
    Dealer m_main;  // the calling thread's: the rows, and the deals when it deals alone
    Tally m_merged[kStreets];
    std::uint64_t m_mergedIterations = 0;
    bool m_parallel = false;
    int m_workers = 0;
    CardMask m_known = 0;
    CardMask m_dead = 0;
    std::uint64_t m_threshold = kFirstProgress;
};

}  // namespace equity_detail
