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
#include <cstring>
#include <memory>
#include <new>
#include <type_traits>

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

// r modulo d for r < 2^15 and 1 <= d <= 52 without a division: the quotient
// is r times ceil(2^32 / d), high half (exact: the rounding error stays below
// 2^21 / 2^32 for every such r).
inline constexpr std::array<std::uint64_t, 53> kModuloMagic = [] {
    std::array<std::uint64_t, 53> magic{};
    for (std::uint64_t d = 1; d <= 52; ++d)
        magic[d] = ((std::uint64_t{1} << 32) + d - 1) / d;
    return magic;
}();
inline unsigned Modulo15(unsigned r, unsigned d)
{
    const unsigned q = static_cast<unsigned>((r * kModuloMagic[d]) >> 32);
    return r - q * d;
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
    constexpr int kRedrawWhileTaken = 21;  // at most this many cards taken
    if (have >= want)
        return board;
    const CardMask before = (board | excluded) & kDeck;
    CardMask taken = before;
    const int takenCards = CountCards(taken);
    int draws = want - have;
    const int redrawn = takenCards >= kRedrawWhileTaken ? 0
                        : draws < kRedrawWhileTaken - takenCards ? draws
                                                                 : kRedrawWhileTaken - takenCards;
    for (int i = 0; i < redrawn; ++i) {
        CardMask card;
        do {
            card = kDeckMasks[static_cast<unsigned>(PlatformRand()) % 52u];
        } while (card & taken);
        taken |= card;
    }
    board |= taken ^ before;
    draws -= redrawn;
    if (draws == 0)
        return board;
    CardMask free[32];
    unsigned left = 0;
    for (CardMask f = ~taken & kDeck; f != 0; f &= f - 1)
        free[left++] = f & (~f + 1);
    for (; draws > 0 && left > 0; --draws) {
        const unsigned at = Modulo15(static_cast<unsigned>(PlatformRand()), left);
        board |= free[at];
        free[at] = free[--left];
    }
    return board;
}

// Uniform indices below a bound, from uniform random bits, without the
// slight favour that "value modulo bound" gives the low indices: a value of
// `bits` bits times the bound, top part; the few values whose lower part
// falls below 2^bits mod bound are drawn again, so every index stands for
// exactly floor(2^bits / bound) values. A multiplication, no division.
// A small bound needs fewer bits: 8 up to 16 hands, 16 up to 4,096, 32
// beyond (at most one value in 16 drawn again), and none for a single hand.
class BoundedIndex {
public:
    void Set(std::uint32_t bound)
    {
        m_bound = bound;
        m_bits = bound <= 1 ? 0 : bound <= 16 ? 8 : bound <= 4096 ? 16 : 32;
        m_reject = static_cast<std::uint32_t>((std::uint64_t{1} << m_bits) % bound);
    }

    static constexpr int kBatch = 64;

    // kBatch indices into at[0 .. kBatch - 1].
    void Fill(SecureRandom& random, std::uint32_t* at) const
    {
        switch (m_bits) {
        case 0:
            for (int i = 0; i < kBatch; ++i)
                at[i] = 0;
            break;
        case 8:
            FillWith<std::uint8_t>(random, at);
            break;
        case 16:
            FillWith<std::uint16_t>(random, at);
            break;
        default:
            FillWith<std::uint32_t>(random, at);
            break;
        }
    }

private:
    // Every index from its own slice of the random words first; the rare
    // slices that must be drawn again are replaced afterwards, each by fresh
    // values.
    template <class Value>
    void FillWith(SecureRandom& random, std::uint32_t* at) const
    {
        constexpr int kBits = 8 * sizeof(Value);
        // Products of narrow values fit 32 bits: 2^16 x 4,096 at most.
        using Product = std::conditional_t<kBits == 32, std::uint64_t, std::uint32_t>;
        constexpr int kWords = kBatch * sizeof(Value) / sizeof(std::uint32_t);
        std::uint32_t words[kWords];
        random.Fill(words, kWords);
        Value values[kBatch];
        std::memcpy(values, words, sizeof(values));
        const Value reject = static_cast<Value>(m_reject);
        const Product bound = m_bound;
        Value again = 0;
        for (int i = 0; i < kBatch; ++i) {
            const Product m = static_cast<Product>(values[i]) * bound;
            at[i] = static_cast<std::uint32_t>(m >> kBits);
            again |= static_cast<Value>(m) < reject;
        }
        if (!again)
            return;
        for (int i = 0; i < kBatch; ++i) {
            Product m = static_cast<Product>(values[i]) * bound;
            while (static_cast<Value>(m) < reject)
                m = static_cast<Product>(static_cast<Value>(random.Next())) * bound;
            at[i] = static_cast<std::uint32_t>(m >> kBits);
        }
    }

    std::uint32_t m_bound = 1;
    int m_bits = 0;
    std::uint32_t m_reject = 0;
};

// The rows and counts of the seats of one run.
//
// A run can leave out of a seat's row, once, every hand that holds a card no
// hand may hold in any deal (the known board, the dead cards): such a hand
// would only ever be rejected, and choosing uniformly among the other hands
// of the row and rejecting clashes between seats accepts every deal exactly
// as often as choosing among all of them does. Only the attempts that would
// have been rejected for those cards are saved. A row left without any hand
// is kept whole, so that its attempts are rejected and counted as before.
//
// Every attempt takes one random position of every seat's row, and rejects
// when two hands, or a hand and the given cards, share a card. The
// positions are drawn a batch at a time and each is used once, in turn; a
// position drawn ahead is as random as one drawn at the moment of use. A
// range row is up to 2.1 MB and read at random places, so the entries of the
// next few positions are fetched into the cache meanwhile.
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
        m_n = n;
        for (int k = 0; k < n; ++k) {
            m_row[k] = rows[k];
            m_count[k] = static_cast<std::uint32_t>(count[k]);
        }
        DrawFirst(random);
        return true;
    }

    // Leaves the hands holding a card of `excluded` out of every row, as
    // above. Once per run, after Init.
    void LeaveOut(CardMask excluded, SecureRandom& random)
    {
        if (excluded != 0 && Filter(excluded))
            DrawFirst(random);
    }

    int Seats() const { return m_n; }

    // Every seat's hand at its next random position: false when two hands
    // share a card or a hand holds a card of `used`; otherwise hands[0..n-1]
    // and *allUsed = used plus every hand.
    bool Deal(SecureRandom& random, CardMask used, CardMask* hands, CardMask* allUsed)
    {
        if (m_used == kBatch)
            DrawBatch(random);
        const int at = m_used++;
        return m_fetchAhead ? DealAt<true>(at, used, hands, allUsed) : DealAt<false>(at, used, hands, allUsed);
    }

private:
    static constexpr int kBatch = BoundedIndex::kBatch;  // positions drawn at a time
    static constexpr int kAhead = 4;                     // entries fetched ahead of use
    static constexpr std::size_t kCachedRowBytes = 16384;

    template <bool kFetchAhead>
    bool DealAt(int at, CardMask used, CardMask* hands, CardMask* allUsed) const
    {
        CardMask clash = 0;
        for (int k = 0; k < m_n; ++k) {
            const CardMask hand = m_row[k][m_at[k][at]];
            if constexpr (kFetchAhead)
                __builtin_prefetch(m_row[k] + m_at[k][at + kAhead]);
            clash |= hand & used;
            used |= hand;
            hands[k] = hand;
        }
        *allUsed = used;
        return clash == 0;
    }

    void DrawFirst(SecureRandom& random)
    {
        // Rows that stay in the nearest caches need no fetching ahead.
        std::size_t entries = 0;
        for (int k = 0; k < m_n; ++k)
            entries += m_count[k];
        m_fetchAhead = entries * sizeof(CardMask) > kCachedRowBytes;

        for (int k = 0; k < m_n; ++k) {
            m_index[k].Set(m_count[k]);
            m_index[k].Fill(random, m_at[k]);
            m_index[k].Fill(random, m_at[k] + kBatch);
        }
        m_used = 0;
    }

    // The batch to come moves to the front, a new one follows.
    void DrawBatch(SecureRandom& random)
    {
        for (int k = 0; k < m_n; ++k) {
            std::memcpy(m_at[k], m_at[k] + kBatch, sizeof(std::uint32_t) * kBatch);
            m_index[k].Fill(random, m_at[k] + kBatch);
        }
        m_used = 0;
    }

    // True when a row changed.
    bool Filter(CardMask excluded)
    {
        std::uint32_t kept[kMaxSeats];
        std::size_t total = 0;
        for (int k = 0; k < m_n; ++k) {
            kept[k] = 0;
            for (std::uint32_t i = 0; i < m_count[k]; ++i)
                kept[k] += (m_row[k][i] & excluded) == 0;
            if (kept[k] != 0 && kept[k] != m_count[k])
                total += kept[k];
        }
        if (total == 0)
            return false;
        m_filtered.reset(new (std::nothrow) CardMask[total]);
        if (!m_filtered)
            return false;  // the whole rows serve as well, with more rejections
        CardMask* out = m_filtered.get();
        for (int k = 0; k < m_n; ++k) {
            if (kept[k] == 0 || kept[k] == m_count[k])
                continue;
            const CardMask* row = m_row[k];
            m_row[k] = out;
            for (std::uint32_t i = 0; i < m_count[k]; ++i) {
                if ((row[i] & excluded) == 0)
                    *out++ = row[i];
            }
            m_count[k] = kept[k];
        }
        return true;
    }

    int m_n = 0;
    int m_used = 0;  // positions of the batch used so far
    bool m_fetchAhead = true;
    const CardMask* m_row[kMaxSeats] = {};
    std::uint32_t m_count[kMaxSeats] = {};
    BoundedIndex m_index[kMaxSeats];
    // Per seat, two batches of positions: at[m_used] onwards are still to
    // come; the next kAhead of them are being fetched.
    std::uint32_t m_at[kMaxSeats][2 * kBatch] = {};
    std::unique_ptr<CardMask[]> m_filtered;
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

// Seats as bits of a mask (seat k = bit k): a deal is tallied without a
// branch per seat.
inline bool Alone(unsigned seats)
{
    return (seats & (seats - 1)) == 0;
}
inline int LowestSeat(unsigned seats)
{
    return __builtin_ctz(seats);
}
inline int CountSeats(unsigned seats)
{
    return CountCards(seats);
}
// 1/k for a pot shared by k seats (0 for none).
inline constexpr double kShareOf[kMaxSeats + 1] = {0.0,       1.0,       1.0 / 2, 1.0 / 3, 1.0 / 4, 1.0 / 5,
                                                   1.0 / 6, 1.0 / 7, 1.0 / 8, 1.0 / 9, 1.0 / 10};

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

    // One accepted deal. Without kCountLosses the losses are left for
    // SettleLosses, which the engines call before anyone looks at the tally.
    template <bool kCountLosses = true>
    static void AddDeal(Tally& t, const pokereval::OmahaBoard& board, const CardMask* hands, int n)
    {
        pokereval::HandVal value[kMaxSeats];
        pokereval::HandVal best = 0;
        for (int k = 0; k < n; ++k) {
            value[k] = board.evalHi(hands[k]);
            best = value[k] > best ? value[k] : best;
        }
        unsigned winners = 0;
        for (int k = 0; k < n; ++k) {
            const unsigned won = value[k] == best;
            winners |= won << k;
            if constexpr (kCountLosses)
                t.losses[k] += won ^ 1u;
        }
        ++t.valid;
        if (Alone(winners)) {
            const int k = LowestSeat(winners);
            ++t.wins[k];
            t.winShare[k] += 1.0;
            return;
        }
        const double share = kShareOf[CountSeats(winners)];
        for (unsigned m = winners; m != 0; m &= m - 1) {
            const int k = LowestSeat(m);
            ++t.ties[k];
            t.tieShare[k] += share;
        }
    }

    // Every deal a seat neither won nor shared is a loss.
    static void SettleLosses(Tally& t, int n)
    {
        for (int k = 0; k < n; ++k)
            t.losses[k] = t.valid - t.wins[k] - t.ties[k];
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

    template <bool kCountLosses = true>
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
        // Seats holding the best high, and the seats with a qualifying low
        // holding the best one.
        unsigned highs = 0, lows = 0;
        for (int k = 0; k < n; ++k) {
            const unsigned high = hi[k] == bestHi;
            const unsigned hasLow = lo[k] != kNoLow;
            const unsigned bestLow = hasLow & (lo[k] == bestLo);
            highs |= high << k;
            lows |= bestLow << k;
            if constexpr (kCountLosses)
                t.hiLosses[k] += high ^ 1u;
            t.loLosses[k] += hasLow & (bestLow ^ 1u);
        }
        const int kHi = CountSeats(highs);
        const int kLo = CountSeats(lows);
        const double hiShare = kShareOf[kHi];
        const double loShare = kShareOf[kLo];
        ++t.valid;
        if (kHi == 1) {
            const int k = LowestSeat(highs);
            ++t.hiWins[k];
            t.hiWinShare[k] += 1.0;
        } else {
            for (unsigned m = highs; m != 0; m &= m - 1) {
                const int k = LowestSeat(m);
                ++t.hiTies[k];
                t.hiTieShare[k] += hiShare;
            }
        }
        if (kLo == 1) {
            const int k = LowestSeat(lows);
            ++t.loWins[k];
            t.loWinShare[k] += 1.0;
        } else {
            for (unsigned m = lows; m != 0; m &= m - 1) {
                const int k = LowestSeat(m);
                ++t.loTies[k];
                t.loTieShare[k] += loShare;
            }
        }
        if (lows == 0) {
            // No low: the high hands take the whole pot.
            if (kHi == 1)
                ++t.scoops[LowestSeat(highs)];
            for (unsigned m = highs; m != 0; m &= m - 1)
                t.potShare[LowestSeat(m)] += hiShare;
            return;
        }
        if (kHi == 1 && highs == lows)
            ++t.scoops[LowestSeat(highs)];
        for (unsigned m = highs | lows; m != 0; m &= m - 1) {
            const int k = LowestSeat(m);
            const unsigned bit = 1u << k;
            t.potShare[k] += ((highs & bit) ? 0.5 * hiShare : 0.0) + ((lows & bit) ? 0.5 * loShare : 0.0);
        }
    }

    static void SettleLosses(Tally& t, int n)
    {
        for (int k = 0; k < n; ++k)
            t.hiLosses[k] = t.valid - t.hiWins[k] - t.hiTies[k];
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

// One attempt into tally t (the caller counts it): hands first (rejected on a
// card shared with the known board, the dead cards or another hand), then the
// board completed from `have` to `want` cards from what is left, evaluated and
// tallied (losses as AddDeal<kCountLosses>).
template <class Game, bool kCountLosses = true>
inline bool Attempt(typename Game::Tally& t, SeatRanges& seats, SecureRandom& random,
                    BoardCache& cache, CardMask known, int have, int want, CardMask dead)
{
    CardMask hands[kMaxSeats];
    CardMask used;
    if (!seats.Deal(random, known | dead, hands, &used))
        return false;
    const CardMask board = DrawBoard(have, want, known, used);
    Game::template AddDeal<kCountLosses>(t, cache.For(board), hands, seats.Seats());
    return true;
}

}  // namespace equity_detail
