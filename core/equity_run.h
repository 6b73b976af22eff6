#pragma once
// One run of an equity engine (Omaha Hi or Hi/Lo): the single-street mode
// and the per-street mode with their progress schedule. CalculateEquityHi and
// CalculateEquityHiLo wrap it; tests drive it directly to watch its tallies.

#include "core/equity_deal.h"

#include <string>
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
};

// The board part of the text read for the per-street mode: the flop, turn and
// river cards at fixed positions (blanks and commas taken out first).
struct StreetCards {
    CardMask flop = 0, turn = 0, river = 0;
};
StreetCards ReadStreetCards(std::wstring_view boardPart, int known);

template <class Game>
class EquityRun {
public:
    using Tally = typename Game::Tally;
    static constexpr int kStreets = 4;  // preflop, flop, turn, river

    explicit EquityRun(const RunRequest& request) : m_request(request)
    {
        for (Tally& t : m_tally)
            t.Reset();
    }

    int Run()
    {
        const RunRequest& r = m_request;
        if (r.results == nullptr || r.progress == nullptr || !m_seats.Init(r.rows, r.count, r.n, m_random))
            return kEquityEmptyRange;
        m_threshold = kFirstProgress;
        PlatformSrand(PlatformTickCount());

        std::wstring boardPart, deadPart;
        SplitBoardAndDeadText(r.boardText, boardPart, deadPart);
        ParseCardList(deadPart, &m_dead);
        const int known = ParseCardList(boardPart, &m_known);
        if (pokereval::numCards(m_known) > 5)
            return kEquityNoValidDeal;

        // Hands holding a card that every deal of the run has (known board
        // cards in the single-street mode, dead cards) could never be
        // accepted.
        m_seats.LeaveOut(r.allStreets ? m_dead : m_known | m_dead, m_random);

        r.progress(r.user, 1, nullptr, 0, nullptr, 0, nullptr, 0, nullptr, 0);
        return r.allStreets ? RunPerStreet(boardPart, known) : RunSingleStreet();
    }

    const Tally& tally(int street) const { return m_tally[street]; }
    std::uint64_t iterations() const { return m_iterations; }

private:
    int RunSingleStreet()
    {
        const RunRequest& r = m_request;
        Tally& t = m_tally[0];
        const int have = pokereval::numCards(m_known);
        double* values = r.results[0];
        for (;;) {
            ++t.attempts;
            if (t.valid == 0 && t.attempts > kNoDealAttemptLimit)
                return kEquityNoValidDeal;
            const bool accepted =
                Attempt<Game, false>(t, m_seats, m_random, m_cache, m_known, have, 5, m_dead);
            if (!accepted && !(Game::kProgressAfterAnyAttempt && t.valid != 0))
                continue;
            if (t.attempts < m_threshold)
                continue;
            Game::SettleLosses(t, r.n);
            for (int k = 0; k < r.n; ++k)
                values[k] = Game::Equity(t, k);
            if (r.progress(r.user, 0, values, 1, nullptr, 0, nullptr, 0, nullptr, 0)) {
                m_threshold += kProgressStep;
                continue;
            }
            if (Game::kWriteBeforeEndCall)
                Game::WriteFinal(t, r.results, r.n);
            r.progress(r.user, 0, values, 1, nullptr, 0, nullptr, 0, nullptr, 0);
            if (!Game::kWriteBeforeEndCall)
                Game::WriteFinal(t, r.results, r.n);
            return kEquityDone;
        }
    }

    int RunPerStreet(std::wstring_view boardPart, int known)
    {
        const RunRequest& r = m_request;
        // The main dialog passes 0, 3, 4 or 5 known cards; 1 or 2 count as none.
        const int b = known >= 5 ? 5 : known >= 3 ? known : 0;
        const StreetCards cards = ReadStreetCards(boardPart, b);
        const CardMask streetKnown[kStreets] = {0, cards.flop, cards.flop | cards.turn,
                                                cards.flop | cards.turn | cards.river};
        const int streetCards[kStreets] = {5, 3, 4, 5};
        bool simulated[kStreets] = {true, false, false, false};
        int want[kStreets] = {5, 5, 5, 5};
        int have[kStreets] = {0, 0, 0, 0};
        // Where each column's values come from: its own tally, or the street
        // before when this one is not simulated.
        int source[kStreets] = {0, 0, 0, 0};
        for (int s = 1; s < kStreets; ++s) {
            simulated[s] = r.toStreet != 0 || b >= streetCards[s];
            if (r.toStreet != 0)
                want[s] = streetCards[s];
            have[s] = pokereval::numCards(streetKnown[s]);
            if (have[s] > want[s])
                return kEquityNoValidDeal;  // cards unreadable at their positions
            source[s] = simulated[s] ? s : source[s - 1];
        }
        if (Game::kRiverFromPreflopWithoutBoard && b == 0)
            source[3] = 0;

        double* values[kStreets];
        for (int s = 0; s < kStreets; ++s)
            values[s] = r.results[s * Game::kArraysPerStreet];

        for (;;) {
            for (int s = 0; s < kStreets; ++s) {
                if (!simulated[s])
                    continue;
                ++m_tally[s].attempts;
                Attempt<Game, false>(m_tally[s], m_seats, m_random, m_streetCache[s], streetKnown[s],
                                     have[s], want[s], m_dead);
            }
            // A street whose board no deal fits ends the run like an empty
            // preflop tally; its column would otherwise be a division by zero.
            bool allDealt = true;
            for (int s = 0; s < kStreets; ++s) {
                if (!simulated[s] || m_tally[s].valid != 0)
                    continue;
                if (m_tally[s].attempts > kNoDealAttemptLimit) {
                    SettleStreets();
                    return kEquityNoValidDeal;
                }
                allDealt = false;
            }
            ++m_iterations;
            if (m_iterations < m_threshold || !allDealt)
                continue;
            SettleStreets();
            for (int s = 0; s < kStreets; ++s) {
                for (int k = 0; k < r.n; ++k)
                    values[s][k] = Game::Equity(m_tally[source[s]], k);
            }
            if (r.progress(r.user, 0, values[0], 1, values[1], 1, values[2], 1, values[3], 1)) {
                m_threshold += kStreetProgressStep;
                continue;
            }
            if (Game::kWriteBeforeEndCall)
                WriteStreets(source);
            r.progress(r.user, 0, values[0], 1, values[1], 1, values[2], 1, values[3], 1);
            if (!Game::kWriteBeforeEndCall)
                WriteStreets(source);
            return kEquityDone;
        }
    }

    // The losses the loops leave out (see AddDeal).
    void SettleStreets()
    {
        for (Tally& t : m_tally)
            Game::SettleLosses(t, m_request.n);
    }

    void WriteStreets(const int* source)
    {
        for (int s = 0; s < kStreets; ++s)
            Game::WriteFinal(m_tally[source[s]], m_request.results + s * Game::kArraysPerStreet,
                             m_request.n);
    }

    RunRequest m_request;
    SeatRanges m_seats;
    SecureRandom m_random;
    BoardCache m_cache;
    BoardCache m_streetCache[kStreets];  // a known street board is prepared once
    Tally m_tally[kStreets];
    CardMask m_known = 0;
    CardMask m_dead = 0;
    std::uint64_t m_threshold = kFirstProgress;
    std::uint64_t m_iterations = 0;
};

}  // namespace equity_detail
