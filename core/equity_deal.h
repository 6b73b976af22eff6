#pragma once
// The engines' dealing and tallying steps, shared by the Hi and Hi/Lo engines
// and the fixed-count simulations. Everything here works on card masks only
// and allocates nothing.

#include "core/equity.h"
#include "core/platform_random.h"
#include "core/secure_random.h"
#include "pokereval/pokereval.h"

#include <array>
#include <cstdint>

namespace equity_detail {

// Deck index (rank from the deuce + 13 x suit; hearts, diamonds, clubs,
// spades) to its one-card mask.
inline constexpr std::array<CardMask, 52> kDeckMasks = [] {
    constexpr int kSuitShift[4] = {48, 32, 16, 0};
    std::array<CardMask, 52> masks{};
    for (int i = 0; i < 52; ++i)
        masks[i] = CardMask{1} << (i % 13 + kSuitShift[i / 13]);
    return masks;
}();

// Cards of a mask, without relying on a population-count instruction (the
// build targets every x86-64).
inline int CountCards(CardMask m)
{
    m = m - ((m >> 1) & 0x5555555555555555ull);
    m = (m & 0x3333333333333333ull) + ((m >> 2) & 0x3333333333333333ull);
    m = (m + (m >> 4)) & 0x0F0F0F0F0F0F0F0Full;
    return static_cast<int>((m * 0x0101010101010101ull) >> 56);
}

// want - have random cards that are neither on the board nor excluded, each
// drawn with rand(): as rand() modulo 52, redrawn while taken, as long as
// most of the deck is free; once fewer than 32 cards are left the redraws
// would outnumber the cards, so the free cards are listed and each card is
// the (rand() modulo number left)-th of the list, taken out of it. Both ways
// every free card has the same chance.
inline CardMask DrawBoard(int have, int want, CardMask board, CardMask excluded)
{
    constexpr CardMask kDeck = 0x1FFF1FFF1FFF1FFFull;
    CardMask taken = (board | excluded) & kDeck;
    int i = have;
    for (int count = CountCards(taken); i < want && count < 21; ++i, ++count) {
        CardMask card;
        do {
            card = kDeckMasks[static_cast<unsigned>(PlatformRand()) % 52u];
        } while (card & taken);
        board |= card;
        taken |= card;
    }
    if (i >= want)
        return board;
    CardMask free[32];
    unsigned left = 0;
    for (CardMask f = ~taken & kDeck; f != 0; f &= f - 1)
        free[left++] = f & (~f + 1);
    for (; i < want && left > 0; ++i) {
        const unsigned at = static_cast<unsigned>(PlatformRand()) % left;
        board |= free[at];
        free[at] = free[--left];
    }
    return board;
}

// r modulo d without a division (exact for every 32-bit r and d >= 1).
struct FastModulo {
    std::uint64_t magic = 0;
    std::uint32_t divisor = 1;

    void Set(std::uint32_t d)
    {
        divisor = d;
        magic = UINT64_MAX / d + 1;
    }
    std::uint32_t Of(std::uint32_t r) const
    {
        const std::uint64_t low = magic * r;
        return static_cast<std::uint32_t>((static_cast<unsigned __int128>(low) * divisor) >> 64);
    }
};

// The rows and counts of the seats of one run. A range row is up to 2.1 MB
// and read at random places, so each seat's positions are drawn a few picks
// ahead and their entries fetched into the cache meanwhile; a position drawn
// ahead is as random as one drawn at the moment of use.
class SeatRanges {
public:
    // False for n outside 1..10 or a count outside 1..kHandCount.
    bool Init(RangeRows rows, const int* count, int n, SecureRandom& random)
    {
        if (rows == nullptr || count == nullptr || n < 1 || n > kMaxSeats)
            return false;
        for (int k = 0; k < n; ++k) {
            if (count[k] < 1 || count[k] > kHandCount)
                return false;
        }
        m_rows = rows;
        m_n = n;
        for (int k = 0; k < n; ++k) {
            m_modulo[k].Set(static_cast<std::uint32_t>(count[k]));
            m_head[k] = 0;
            for (int i = 0; i < kAhead; ++i)
                m_ahead[k][i] = Draw(k, random);
        }
        return true;
    }

    int Seats() const { return m_n; }

    // Each seat's hand at a secure random position of its row (the value
    // modulo the count). False as soon as a hand shares a card with `used` or
    // an earlier seat's hand; otherwise *allUsed = used plus every hand.
    bool Deal(SecureRandom& random, CardMask used, CardMask* hands, CardMask* allUsed)
    {
        for (int k = 0; k < m_n; ++k) {
            unsigned& head = m_head[k];
            const std::uint32_t at = m_ahead[k][head];
            m_ahead[k][head] = Draw(k, random);
            head = (head + 1) & (kAhead - 1);
            const CardMask hand = m_rows[k][at];
            if (hand & used)
                return false;
            used |= hand;
            hands[k] = hand;
        }
        *allUsed = used;
        return true;
    }

private:
    static constexpr int kAhead = 4;  // a power of two

    std::uint32_t Draw(int k, SecureRandom& random)
    {
        const std::uint32_t at = m_modulo[k].Of(random.Next());
        __builtin_prefetch(&m_rows[k][at]);
        return at;
    }

    RangeRows m_rows = nullptr;
    int m_n = 0;
    FastModulo m_modulo[kMaxSeats];
    std::uint32_t m_ahead[kMaxSeats][kAhead];
    unsigned m_head[kMaxSeats];
};

// The evaluator's board, prepared again only when the board changes (never,
// when every card is known).
class BoardCache {
public:
    const pokereval::OmahaBoard& For(CardMask board)
    {
        if (!m_board.prepared() || m_board.board() != board)
            m_board.prepare(board);
        return m_board;
    }

private:
    pokereval::OmahaBoard m_board;
};

// What differs between Omaha Hi and Omaha Hi/Lo: the tally of one deal, the
// equity shown while running and the result arrays written at the end.
struct HiGame {
    using Tally = EquityTallyHi;
    static constexpr int kArraysPerStreet = 2;
    // The end call shows the equities, so the win and tie parts are written
    // only after it.
    static constexpr bool kWriteBeforeEndCall = false;
    // The river column repeats the preflop one when no board card is known.
    static constexpr bool kRiverFromPreflopWithoutBoard = true;
    // Single-street progress: tested after accepted deals only (Hi), or after
    // every attempt once a deal has been accepted (Hi/Lo).
    static constexpr bool kProgressAfterAnyAttempt = false;

    static void AddDeal(Tally& t, const pokereval::OmahaBoard& board, const CardMask* hands, int n)
    {
        pokereval::HandVal value[kMaxSeats];
        pokereval::HandVal best = 0;
        for (int k = 0; k < n; ++k) {
            value[k] = board.evalHi(hands[k]);
            best = value[k] > best ? value[k] : best;
        }
        int sharing = 0;
        for (int k = 0; k < n; ++k)
            sharing += value[k] == best;
        ++t.valid;
        if (sharing == 1) {
            for (int k = 0; k < n; ++k) {
                if (value[k] == best) {
                    ++t.wins[k];
                    t.winShare[k] += 1.0;
                } else {
                    ++t.losses[k];
                }
            }
        } else {
            const double share = 1.0 / sharing;
            for (int k = 0; k < n; ++k) {
                if (value[k] == best) {
                    ++t.ties[k];
                    t.tieShare[k] += share;
                } else {
                    ++t.losses[k];
                }
            }
        }
    }

    // Callers guarantee t.valid > 0.
    static double Equity(const Tally& t, int k)
    {
        return (t.winShare[k] + t.tieShare[k]) * 100.0 / static_cast<double>(t.valid);
    }

    static void WriteFinal(const Tally& t, double (*arrays)[kMaxSeats], int n)
    {
        const double valid = static_cast<double>(t.valid);
        for (int k = 0; k < n; ++k) {
            arrays[0][k] = t.winShare[k] * 100.0 / valid;
            arrays[1][k] = t.tieShare[k] * 100.0 / valid;
        }
    }
};

struct HiLoGame {
    using Tally = EquityTallyHiLo;
    static constexpr int kArraysPerStreet = kHiLoValuesPerStreet;
    static constexpr bool kWriteBeforeEndCall = true;
    static constexpr bool kRiverFromPreflopWithoutBoard = false;
    static constexpr bool kProgressAfterAnyAttempt = true;

    static void AddDeal(Tally& t, const pokereval::OmahaBoard& board, const CardMask* hands, int n)
    {
        using pokereval::kNoLow;
        pokereval::HandVal hi[kMaxSeats];
        pokereval::LowHandVal lo[kMaxSeats];
        if (board.lowPossible()) {
            for (int k = 0; k < n; ++k)
                board.evalHiLo(hands[k], &hi[k], &lo[k]);
        } else {
            for (int k = 0; k < n; ++k) {
                hi[k] = board.evalHi(hands[k]);
                lo[k] = kNoLow;
            }
        }
        pokereval::HandVal bestHi = 0;
        pokereval::LowHandVal bestLo = kNoLow;
        for (int k = 0; k < n; ++k) {
            bestHi = hi[k] > bestHi ? hi[k] : bestHi;
            bestLo = lo[k] < bestLo ? lo[k] : bestLo;
        }
        const bool lowExists = bestLo != kNoLow;
        int kHi = 0, kLo = 0;
        for (int k = 0; k < n; ++k) {
            kHi += hi[k] == bestHi;
            kLo += lowExists && lo[k] == bestLo;
        }
        const double hiShare = 1.0 / kHi;
        const double loShare = lowExists ? 1.0 / kLo : 0.0;
        ++t.valid;
        for (int k = 0; k < n; ++k) {
            const bool bestHigh = hi[k] == bestHi;
            const bool bestLow = lowExists && lo[k] == bestLo;
            if (bestHigh && kHi == 1) {
                ++t.hiWins[k];
                t.hiWinShare[k] += 1.0;
            } else if (bestHigh) {
                ++t.hiTies[k];
                t.hiTieShare[k] += hiShare;
            } else {
                ++t.hiLosses[k];
            }
            if (lo[k] != kNoLow) {
                if (bestLow && kLo == 1) {
                    ++t.loWins[k];
                    t.loWinShare[k] += 1.0;
                } else if (bestLow) {
                    ++t.loTies[k];
                    t.loTieShare[k] += loShare;
                } else {
                    ++t.loLosses[k];
                }
            }
            const bool highAlone = bestHigh && kHi == 1;
            if (lowExists) {
                if (highAlone && bestLow && kLo == 1)
                    ++t.scoops[k];
                t.potShare[k] += (bestHigh ? 0.5 * hiShare : 0.0) + (bestLow ? 0.5 * loShare : 0.0);
            } else {
                if (highAlone)
                    ++t.scoops[k];
                t.potShare[k] += bestHigh ? hiShare : 0.0;
            }
        }
    }

    static double Equity(const Tally& t, int k)
    {
        return t.potShare[k] * 100.0 / static_cast<double>(t.valid);
    }

    static void WriteFinal(const Tally& t, double (*arrays)[kMaxSeats], int n)
    {
        const double valid = static_cast<double>(t.valid);
        for (int k = 0; k < n; ++k) {
            arrays[kHiLoEquity][k] = t.potShare[k] * 100.0 / valid;
            arrays[kHiLoScoop][k] = static_cast<double>(t.scoops[k]) * 100.0 / valid;
            arrays[kHiLoHighWin][k] = t.hiWinShare[k] * 100.0 / valid;
            arrays[kHiLoHighTie][k] = t.hiTieShare[k] * 100.0 / valid;
            arrays[kHiLoLowWin][k] = t.loWinShare[k] * 100.0 / valid;
            arrays[kHiLoLowTie][k] = t.loTieShare[k] * 100.0 / valid;
        }
    }
};

// One attempt into tally t (the caller counts it): hands first (rejected on a card shared with the
// known board, the dead cards or another hand), then the board completed from
// `have` to `want` cards from what is left, evaluated and tallied.
template <class Game>
inline bool Attempt(typename Game::Tally& t, SeatRanges& seats, SecureRandom& random,
                    BoardCache& cache, CardMask known, int have, int want, CardMask dead)
{
    CardMask hands[kMaxSeats];
    CardMask used;
    if (!seats.Deal(random, known | dead, hands, &used))
        return false;
    const CardMask board = DrawBoard(have, want, known, used);
    Game::AddDeal(t, cache.For(board), hands, seats.Seats());
    return true;
}

}  // namespace equity_detail
