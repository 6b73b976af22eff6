#pragma once
// The engines' dealing and tallying steps, shared by the Hi and Hi/Lo engines
// and the fixed-count simulations. Everything here works on card masks only
// and allocates nothing.

#include "core/card_pick.h"
#include "core/equity.h"
#include "core/platform_random.h"
#include "core/row_buffer.h"
#include "core/secure_random.h"
#include "pokereval/pokereval.h"

#include <algorithm>
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

// Cards of a mask: one instruction where the build may use it (x86-64-v2),
// otherwise a few shifts and adds rather than a library call.
inline int CountCards(CardMask m)
{
#if defined(__POPCNT__)
    return __builtin_popcountll(m);
#else
    m = m - ((m >> 1) & 0x5555555555555555ull);
    m = (m & 0x3333333333333333ull) + ((m >> 2) & 0x3333333333333333ull);
    m = (m + (m >> 4)) & 0x0F0F0F0F0F0F0F0Full;
    return static_cast<int>((m * 0x0101010101010101ull) >> 56);
#endif
}

inline constexpr CardMask kDeck = 0x1FFF1FFF1FFF1FFFull;

// 2^32 modulo d for 1 <= d <= 52: the values a 32-bit draw must redraw so
// that every result below d stands for the same number of values.
inline constexpr std::array<std::uint32_t, 53> kRedrawBelow = [] {
    std::array<std::uint32_t, 53> r{};
    for (std::uint64_t d = 1; d <= 52; ++d)
        r[d] = static_cast<std::uint32_t>((std::uint64_t{1} << 32) % d);
    return r;
}();

// A uniform value below `bound` (1..52): a 32-bit value times the bound, top
// half; the value is drawn again in the rare case (at most 52 in 2^32) that
// its low half falls below 2^32 mod bound. Exactly uniform, no division.
inline unsigned UniformBelow(SecureRandom& random, unsigned bound)
{
    for (;;) {
        const std::uint64_t m = static_cast<std::uint64_t>(random.Next()) * bound;
        if (static_cast<std::uint32_t>(m) >= kRedrawBelow[bound])
            return static_cast<unsigned>(m >> 32);
    }
}

// `draws` cards into out[0 .. draws - 1], each uniform among the cards that
// are neither in `taken` nor drawn before: a uniform random sequence without
// repeats, so any split of it (four cards per hand, the rest to the board) is
// uniform too. While most of the deck is free a card is drawn among all 52
// and drawn again while taken; once 21 or more are taken the redraws would
// outnumber the cards, so the free cards are listed and each draw takes a
// uniform one out of the list. False (nothing drawn) when too few are free.
inline bool DrawCards(SecureRandom& random, int draws, CardMask taken, CardMask* out)
{
    constexpr int kRedrawWhileTaken = 21;
    taken &= kDeck;
    int takenCards = CountCards(taken);
    if (takenCards + draws > 52)
        return false;
    int i = 0;
    for (; i < draws && takenCards < kRedrawWhileTaken; ++i, ++takenCards) {
        CardMask card;
        do {
            card = kDeckMasks[random.NextCard()];
        } while (card & taken);
        taken |= card;
        out[i] = card;
    }
    if (i == draws)
        return true;
    CardMask free[52];
    unsigned left = 0;
    for (CardMask f = ~taken & kDeck; f != 0; f &= f - 1)
        free[left++] = f & (~f + 1);
    for (; i < draws; ++i) {
        const unsigned at = UniformBelow(random, left);
        out[i] = free[at];
        free[at] = free[--left];
    }
    return true;
}

// The board completed from `have` to `want` cards with cards neither on it
// nor excluded (excluded and board disjoint); unchanged when have >= want.
inline CardMask DrawBoard(SecureRandom& random, int have, int want, CardMask board, CardMask excluded)
{
    if (have >= want)
        return board;
    CardMask cards[5];
    const int draws = want - have > 5 ? 5 : want - have;
    if (!DrawCards(random, draws, board | excluded, cards))
        return board;
    for (int i = 0; i < draws; ++i)
        board |= cards[i];
    return board;
}

// Digits digit[i] < first - i for i = 0 .. count - 1 (first - count + 1 >=
// 1), uniform and independent, from as few stream values as exactness
// allows. A 64-bit value x read as the fraction x / 2^64, times the first
// bound: the whole part is the first digit and the fraction goes on to the
// next bound, and so on. Over a group of bounds whose product is P the
// digits are those of floor(x P / 2^64) in mixed radix, and the fraction left
// is the low half of x P; so, as for a single bound (Lemire's method), every
// digit sequence stands for exactly floor(2^64 / P) values of x once the
// values whose fraction ends below 2^64 mod P are drawn again. A group takes
// bounds while P stays below 2^52 (nine of the deck's largest, more of the
// smaller), so a group is drawn again at most once in 4,096.
// `random`: anything with Next64 (tests give chosen values).
template <class Random>
inline void DescendingDigits(Random& random, unsigned first, int count, std::uint8_t* digit)
{
    constexpr std::uint64_t kGroupLimit = std::uint64_t{1} << 46;  // times a bound below 64: under 2^52
    int i = 0;
    while (i < count) {
        const int start = i;
        std::uint64_t x = random.Next64();
        std::uint64_t product = 1;
        do {
            const unsigned bound = first - static_cast<unsigned>(i);
            const unsigned __int128 m = static_cast<unsigned __int128>(x) * bound;
            digit[i] = static_cast<std::uint8_t>(m >> 64);
            x = static_cast<std::uint64_t>(m);
            product *= bound;
        } while (++i < count && product < kGroupLimit);
        // 2^64 mod P is below P, so the division is rarely reached.
        if (x < product) [[unlikely]] {
            if (x < (0 - product) % product)
                i = start;
        }
    }
}

// The same digits for bounds fixed in advance (a deck's every deal): the
// groups, and their thresholds 2^64 mod P, worked out once.
class DigitPlan {
public:
    void Set(unsigned first, int count)
    {
        m_first = first;
        m_count = count;
        m_groups = 0;
        int i = 0;
        while (i < count) {
            std::uint64_t product = 1;
            int length = 0;
            do {
                m_bound[i] = static_cast<std::uint8_t>(first - static_cast<unsigned>(i));
                product *= m_bound[i];
                ++length;
            } while (++i < count && product < (std::uint64_t{1} << 46));
            m_length[m_groups] = static_cast<std::uint8_t>(length);
            m_redrawBelow[m_groups] = (0 - product) % product;
            ++m_groups;
        }
    }
    bool For(unsigned first, int count) const { return m_first == first && m_count == count; }

    template <class Random>
    void Draw(Random& random, std::uint8_t* digit) const
    {
        const std::uint8_t* bound = m_bound;
        for (int g = 0; g < m_groups; ++g) {
            const int length = m_length[g];
            for (;;) {
                std::uint64_t x = random.Next64();
                for (int k = 0; k < length; ++k) {
                    const unsigned __int128 m = static_cast<unsigned __int128>(x) * bound[k];
                    digit[k] = static_cast<std::uint8_t>(m >> 64);
                    x = static_cast<std::uint64_t>(m);
                }
                if (x >= m_redrawBelow[g]) [[likely]]
                    break;
            }
            bound += length;
            digit += length;
        }
    }

private:
    unsigned m_first = 0;
    int m_count = -1;
    int m_groups = 0;
    std::uint8_t m_length[52] = {};
    std::uint8_t m_bound[52] = {};
    std::uint64_t m_redrawBelow[52] = {};
};

// The cards a run may deal at random (those outside the known board and the
// dead cards). Where the processor picks a card by its rank among a mask's
// cards in one instruction, the digits of a draw are those ranks, taken in
// turn among the cards still free (see card_pick.h): a uniform sequence of
// distinct cards with nothing stored per card. Otherwise the cards are
// kept in an array that each deal shuffles partly: the first
// positions of a Fisher-Yates shuffle, whatever order the array was left in,
// are a uniform sequence of distinct cards, and the cards of that sequence
// outside a further set (the hands picked from rows) are a uniform sequence
// of the cards outside it. No card is ever drawn again because it was taken,
// and nothing is rebuilt per deal. When the further set takes most of the
// deck (narrow hands at a full table), walking the shuffle past its cards
// would cost more than listing the few cards left and shuffling those.
class CardDeck {
public:
    // Every card outside `excluded`; `byRank`: pick by rank (only where
    // RankPickIsFast, which is the default).
    void Set(CardMask excluded) { Set(excluded, RankPickIsFast()); }
    void Set(CardMask excluded, bool byRank)
    {
        m_byRank = byRank;
        m_size = 0;
        m_mask = ~excluded & kDeck;
        for (CardMask f = m_mask; f != 0; f &= f - 1)
            m_cards[0][m_size++] = f & (~f + 1);
        for (int c = 1; c < kCopies; ++c)
            std::memcpy(m_cards[c], m_cards[0], sizeof(m_cards[0]));
        m_copy = 0;
    }

    // `draws` distinct cards, uniform among the deck's cards outside `skip`:
    // where they are (valid until the next draw), or null when fewer are
    // left.
    const CardMask* Deal(SecureRandom& random, int draws, CardMask skip)
    {
        if (draws <= 0)
            return m_cards[0];
        skip &= m_mask;
        if (m_byRank) {
            std::uint8_t digit[52];
            if (!RankDigits(random, draws, skip, digit))
                return nullptr;
            PickCardsByRank(digit, draws, m_mask & ~skip, m_out);
            return m_out;
        }
        if (skip == 0) {
            if (draws > m_size)
                return nullptr;
            if (!m_plan.For(static_cast<unsigned>(m_size), draws)) [[unlikely]]
                m_plan.Set(static_cast<unsigned>(m_size), draws);
            std::uint8_t digit[52];
            m_plan.Draw(random, digit);
            CardMask* cards = NextCopy();
            Shuffle(cards, draws, digit);
            return cards;
        }
        const int free = m_size - CountCards(skip);
        if (free < draws)
            return nullptr;
        // Walking costs about draws x size / free swaps, listing about a
        // third of a swap per free card.
        if (3 * draws * m_size > free * free)
            return DealListed(random, draws, skip, free);
        return DealWalking(random, draws, skip);
    }

    // `sets` four-card sets and `boardCards` more cards, all distinct and
    // uniform among the deck's cards outside `skip` (as Deal's cards, each
    // four in turn a set): the sets into sets[], the rest together into
    // *board. False when too few are left.
    bool DealSets(SecureRandom& random, int sets, int boardCards, CardMask skip, CardMask* setsOut,
                  CardMask* board)
    {
        const int draws = 4 * sets + boardCards;
        if (draws <= 0) {
            *board = 0;
            return true;
        }
        if (m_byRank) {
            skip &= m_mask;
            std::uint8_t digit[52];
            if (!RankDigits(random, draws, skip, digit))
                return false;
            *board = PickSetsByRank(digit, sets, boardCards, m_mask & ~skip, setsOut);
            return true;
        }
        const CardMask* cards = Deal(random, draws, skip);
        if (cards == nullptr)
            return false;
        for (int s = 0; s < sets; ++s, cards += 4)
            setsOut[s] = cards[0] | cards[1] | cards[2] | cards[3];
        CardMask rest = 0;
        for (int k = 0; k < boardCards; ++k)
            rest |= cards[k];
        *board = rest;
        return true;
    }

    // The same into out[0 .. draws - 1]; false when too few are left.
    bool Draw(SecureRandom& random, int draws, CardMask skip, CardMask* out)
    {
        const CardMask* cards = Deal(random, draws, skip);
        if (cards == nullptr)
            return false;
        for (int i = 0; i < draws; ++i)
            out[i] = cards[i];
        return true;
    }

private:
    // Picking by rank: the digits of `draws` cards among the deck's cards
    // outside `skip` (a subset of the deck); false when too few are left. A
    // run skips the same number of cards in every deal (the hands picked
    // from rows), so one plan serves the deals with cards to skip.
    bool RankDigits(SecureRandom& random, int draws, CardMask skip, std::uint8_t* digit)
    {
        const int free = m_size - CountCards(skip);
        if (free < draws)
            return false;
        DigitPlan& plan = skip == 0 ? m_plan : m_skipPlan;
        if (!plan.For(static_cast<unsigned>(free), draws)) [[unlikely]]
            plan.Set(static_cast<unsigned>(free), draws);
        plan.Draw(random, digit);
        return true;
    }

    // The first `draws` positions of a Fisher-Yates shuffle of cards[],
    // position i swapped with i + digit[i].
    static void Shuffle(CardMask* cards, int draws, const std::uint8_t* digit)
    {
        for (int i = 0; i < draws; ++i) {
            const int j = i + digit[i];
            const CardMask card = cards[j];
            cards[j] = cards[i];
            cards[i] = card;
        }
    }

    const CardMask* DealWalking(SecureRandom& random, int draws, CardMask skip)
    {
        // Positions for the cards wanted and two more come from a plan;
        // the rare walk past them draws further positions as it goes.
        std::uint8_t digit[52];
        int ready = std::min(draws + 2, m_size);
        if (!m_walkPlan.For(static_cast<unsigned>(m_size), ready)) [[unlikely]]
            m_walkPlan.Set(static_cast<unsigned>(m_size), ready);
        m_walkPlan.Draw(random, digit);
        CardMask* cards = NextCopy();
        int got = 0, i = 0;
        while (got < draws) {
            if (i == ready) [[unlikely]] {
                // At least one more position per card still missing.
                const int more = std::min(draws - got + 2, m_size - i);
                DescendingDigits(random, static_cast<unsigned>(m_size - i), more, digit + i);
                ready = i + more;
            }
            const int j = i + digit[i];
            const CardMask card = cards[j];
            cards[j] = cards[i];
            cards[i] = card;
            m_out[got] = card;
            got += (card & skip) == 0;
            ++i;
        }
        return m_out;
    }

    const CardMask* DealListed(SecureRandom& random, int draws, CardMask skip, int free)
    {
        int n = 0;
        for (CardMask f = m_mask & ~skip; f != 0; f &= f - 1)
            m_out[n++] = f & (~f + 1);
        std::uint8_t digit[52];
        DescendingDigits(random, static_cast<unsigned>(free), draws, digit);
        Shuffle(m_out, draws, digit);
        return m_out;
    }

    // The deck's cards in several arrays, each in its own order, used in
    // turn: one deal's swaps need not wait for the stores of the deal before,
    // so the processor can work on consecutive deals at once. Any order of
    // the array serves (see above), so using them in turn changes nothing.
    static constexpr int kCopies = 4;
    CardMask* NextCopy()
    {
        CardMask* cards = m_cards[m_copy];
        m_copy = (m_copy + 1) & (kCopies - 1);
        return cards;
    }

    CardMask m_cards[kCopies][52];
    int m_copy = 0;
    CardMask m_out[52];   // the cards drawn, when not the first of an array
    CardMask m_mask = 0;  // the cards of m_cards
    int m_size = 0;
    DigitPlan m_plan;     // the digits of a draw without cards to skip
    DigitPlan m_walkPlan; // the first digits of a walk past such cards
    DigitPlan m_skipPlan; // picking by rank: the digits of a draw with cards to skip
    bool m_byRank = false;
};

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
// A seat whose row then holds every hand of the cards left (a random hand)
// is not picked from its row: it gets four cards drawn among those the other
// seats and the given cards leave. Why that keeps every valid deal equally
// likely: picking from the row and rejecting clashes, the accepted hand is
// uniform over the four-card sets of the cards left, given the other hands;
// drawing from those cards gives the same, and since every accepted set of
// narrower hands leaves the same number of cards, each such set keeps its
// weight. So a table of ten random hands is never rejected at all.
//
// The other seats take one random position of their row per attempt, and an
// attempt is rejected when two of their hands, or a hand and the given
// cards, share a card. The positions are drawn a batch at a time and each is
// used once, in turn; a position drawn ahead is as random as one drawn at
// the moment of use. A range row is up to 2.1 MB and read at random places,
// so the entries of the next few positions are fetched into the cache
// meanwhile.
//
// A copy shares the rows (read only) and must be given its own positions
// with Restart before it deals.
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
        m_picked = n;
        for (int k = 0; k < n; ++k) {
            m_seat[k] = k;
            m_row[k] = rows[k];
            m_count[k] = static_cast<std::uint32_t>(count[k]);
        }
        Restart(random);
        return true;
    }

    // Leaves the hands holding a card of `excluded` out of every row, and
    // finds the seats that hold every hand of the other cards; as above.
    // Once per run, after Init.
    void LeaveOut(CardMask excluded, SecureRandom& random)
    {
        if (excluded != 0)
            Filter(excluded);
        FindRandomSeats(excluded);
        Restart(random);
    }

    // New positions from `random` (a copy's own stream).
    void Restart(SecureRandom& random)
    {
        // Rows that stay in the nearest caches need no fetching ahead.
        std::size_t entries = 0;
        for (int j = 0; j < m_picked; ++j)
            entries += m_count[j];
        m_fetchAhead = entries * sizeof(CardMask) > kCachedRowBytes;

        for (int j = 0; j < m_picked; ++j) {
            m_index[j].Set(m_count[j]);
            m_index[j].Fill(random, m_at[j]);
            m_index[j].Fill(random, m_at[j] + kBatch);
        }
        m_used = 0;
    }

    int Seats() const { return m_n; }
    // Seats that pick from their rows.
    int Picked() const { return m_picked; }
    // Seats dealt four drawn cards instead of a pick from their row.
    int RandomSeats() const { return m_n - m_picked; }

    // The hands of the seats that pick from their rows: false when two of
    // them share a card or one holds a card of `used`; otherwise those seats'
    // entries of hands[] and *allUsed = used plus their hands.
    bool Pick(SecureRandom& random, CardMask used, CardMask* hands, CardMask* allUsed)
    {
        if (m_picked != 0) {
            if (m_used == kBatch)
                DrawBatch(random);
            const int at = m_used++;
            const bool fit = m_fetchAhead ? PickAt<true>(at, used, hands) : PickAt<false>(at, used, hands);
            if (!fit)
                return false;
            for (int j = 0; j < m_picked; ++j)
                used |= hands[m_seat[j]];
        }
        *allUsed = used;
        return true;
    }

    // The random seats' hands from drawn four-card sets, in turn.
    void GiveDrawn(const CardMask* sets, CardMask* hands) const
    {
        for (int j = m_picked; j < m_n; ++j)
            hands[m_seat[j]] = *sets++;
    }

private:
    static constexpr int kBatch = BoundedIndex::kBatch;  // positions drawn at a time
    static constexpr int kAhead = 4;                     // entries fetched ahead of use
    static constexpr std::size_t kCachedRowBytes = 16384;

    template <bool kFetchAhead>
    bool PickAt(int at, CardMask used, CardMask* hands) const
    {
        CardMask clash = 0;
        for (int j = 0; j < m_picked; ++j) {
            const CardMask hand = m_row[j][m_at[j][at]];
            if constexpr (kFetchAhead)
                __builtin_prefetch(m_row[j] + m_at[j][at + kAhead]);
            clash |= hand & used;
            used |= hand;
            hands[m_seat[j]] = hand;
        }
        return clash == 0;
    }

    // The batch to come moves to the front, a new one follows.
    void DrawBatch(SecureRandom& random)
    {
        for (int j = 0; j < m_picked; ++j) {
            std::memcpy(m_at[j], m_at[j] + kBatch, sizeof(std::uint32_t) * kBatch);
            m_index[j].Fill(random, m_at[j] + kBatch);
        }
        m_used = 0;
    }

    void Filter(CardMask excluded)
    {
        std::uint32_t kept[kMaxSeats];
        std::size_t total = 0;
        for (int j = 0; j < m_picked; ++j) {
            kept[j] = 0;
            for (std::uint32_t i = 0; i < m_count[j]; ++i)
                kept[j] += (m_row[j][i] & excluded) == 0;
            if (kept[j] != 0 && kept[j] != m_count[j])
                total += kept[j];
        }
        if (total == 0)
            return;
        std::shared_ptr<CardMask[]> filtered = ReusableRowBuffer(total);
        if (!filtered)
            return;  // the whole rows serve as well, with more rejections
        m_filtered = filtered;
        CardMask* out = filtered.get();
        for (int j = 0; j < m_picked; ++j) {
            if (kept[j] == 0 || kept[j] == m_count[j])
                continue;
            const CardMask* row = m_row[j];
            m_row[j] = out;
            for (std::uint32_t i = 0; i < m_count[j]; ++i) {
                if ((row[i] & excluded) == 0)
                    *out++ = row[i];
            }
            m_count[j] = kept[j];
        }
    }

    // Seats whose row is every four-card hand of the cards outside
    // `excluded`, each once, move behind the picked seats.
    void FindRandomSeats(CardMask excluded)
    {
        const int free = 52 - CountCards(excluded & kDeck);
        const std::uint64_t all = free < 4 ? 0
            : static_cast<std::uint64_t>(free) * (free - 1) * (free - 2) * (free - 3) / 24;
        int picked = 0;
        int seat[kMaxSeats], drawnSeat[kMaxSeats], drawn = 0;
        const CardMask* row[kMaxSeats];
        std::uint32_t count[kMaxSeats];
        for (int j = 0; j < m_picked; ++j) {
            if (all != 0 && m_count[j] == all && HoldsEveryHand(m_row[j], m_count[j], excluded)) {
                drawnSeat[drawn++] = m_seat[j];
                continue;
            }
            seat[picked] = m_seat[j];
            row[picked] = m_row[j];
            count[picked] = m_count[j];
            ++picked;
        }
        for (int j = 0; j < picked; ++j) {
            m_seat[j] = seat[j];
            m_row[j] = row[j];
            m_count[j] = count[j];
        }
        for (int j = 0; j < drawn; ++j)
            m_seat[picked + j] = drawnSeat[j];
        m_picked = picked;
    }

    // True when the row's `count` entries are distinct four-card hands
    // without a card of `excluded` (the caller checked the count).
    static bool HoldsEveryHand(const CardMask* row, std::uint32_t count, CardMask excluded)
    {
        // Each hand's number among all four-card sets (combinatorial number
        // system over deck positions), marked once.
        std::unique_ptr<std::uint64_t[]> seen(new (std::nothrow) std::uint64_t[(kHandCount + 63) / 64]());
        if (!seen)
            return false;
        for (std::uint32_t i = 0; i < count; ++i) {
            CardMask hand = row[i];
            if ((hand & excluded) != 0 || (hand & ~kDeck) != 0 || CountCards(hand) != 4)
                return false;
            std::uint32_t number = 0;
            for (int c = 1; c <= 4; ++c, hand &= hand - 1) {
                const int bit = __builtin_ctzll(hand);
                number += kChoose[bit - 3 * (bit >> 4)][c];  // bit to 0..51
            }
            std::uint64_t& word = seen[number >> 6];
            const std::uint64_t mark = std::uint64_t{1} << (number & 63);
            if (word & mark)
                return false;
            word |= mark;
        }
        return true;
    }

    // kChoose[p][c] = p choose c for p < 52, c <= 4.
    static constexpr auto kChoose = [] {
        std::array<std::array<std::uint32_t, 5>, 52> t{};
        for (std::uint32_t p = 0; p < 52; ++p) {
            std::uint64_t v = 1;
            for (std::uint32_t c = 0; c <= 4; ++c) {
                t[p][c] = c <= p ? static_cast<std::uint32_t>(v) : 0;
                v = v * (p - c) / (c + 1);
            }
        }
        return t;
    }();

    int m_n = 0;
    int m_picked = 0;  // seats 0..m_picked-1 of m_seat pick from their row
    int m_used = 0;    // positions of the batch used so far
    bool m_fetchAhead = true;
    int m_seat[kMaxSeats] = {};  // engine seat of each entry below
    const CardMask* m_row[kMaxSeats] = {};
    std::uint32_t m_count[kMaxSeats] = {};
    BoundedIndex m_index[kMaxSeats];
    // Per picked seat, two batches of positions: at[m_used] onwards are
    // still to come; the next kAhead of them are being fetched.
    std::uint32_t m_at[kMaxSeats][2 * kBatch] = {};
    std::shared_ptr<CardMask[]> m_filtered;
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

    // The board of a deal that completes the known cards to `want` cards:
    // the known cards are prepared once, each deal only adds its own.
    void Complete(CardMask known, int want, CardMask board, pokereval::OmahaBoard* out)
    {
        if (!m_known.prepared() || m_known.known() != known || m_known.boardCards() != want)
            m_known.prepareKnown(known, want);
        m_known.complete(board & ~known, out);
    }

private:
    pokereval::OmahaBoard m_board;
    pokereval::OmahaBoardBase m_known;
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
// 1/k for a pot shared by k seats (0 for none), and the same in 2520ths.
inline constexpr double kShareOf[kMaxSeats + 1] = {0.0,       1.0,       1.0 / 2, 1.0 / 3, 1.0 / 4, 1.0 / 5,
                                                   1.0 / 6, 1.0 / 7, 1.0 / 8, 1.0 / 9, 1.0 / 10};
inline constexpr std::uint64_t kUnitsPerDeal = 2520;
inline constexpr std::uint32_t kUnitsOf[kMaxSeats + 1] = {0, 2520, 1260, 840, 630, 504, 420, 360, 315, 280, 252};

// What differs between Omaha Hi and Omaha Hi/Lo: the tally of one deal, the
// equity shown while running and the result arrays written at the end.
//
// AddDeal<true> keeps every field of the tally current. AddDeal<false> (the
// engines' loops) adds whole numbers only: the losses and the shares are left
// for Settle, which works them out from the counts before anyone looks at
// the tally. A long chain of floating-point additions to the same few fields
// would hold up every deal.
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

    template <bool kCurrent = true>
    static void AddDeal(Tally& t, const pokereval::OmahaBoard& board, const CardMask* hands, int n)
    {
        pokereval::HandVal value[kMaxSeats];
        board.evalHiAll(hands, n, value);
        pokereval::HandVal best = 0;
        for (int k = 0; k < n; ++k)
            best = value[k] > best ? value[k] : best;
        unsigned winners = 0;
        for (int k = 0; k < n; ++k) {
            const unsigned won = value[k] == best;
            winners |= won << k;
            if constexpr (kCurrent)
                t.losses[k] += won ^ 1u;
        }
        ++t.valid;
        if (Alone(winners)) {
            const int k = LowestSeat(winners);
            ++t.wins[k];
            if constexpr (kCurrent)
                t.winShare[k] += 1.0;
            return;
        }
        const int sharing = CountSeats(winners);
        for (unsigned m = winners; m != 0; m &= m - 1) {
            const int k = LowestSeat(m);
            ++t.ties[k];
            t.tieUnits[k] += kUnitsOf[sharing];
            if constexpr (kCurrent)
                t.tieShare[k] += kShareOf[sharing];
        }
    }

    // Every deal a seat neither won nor shared is a loss.
    static void Settle(Tally& t, int n)
    {
        for (int k = 0; k < n; ++k) {
            t.losses[k] = t.valid - t.wins[k] - t.ties[k];
            t.winShare[k] = static_cast<double>(t.wins[k]);
            t.tieShare[k] = static_cast<double>(t.tieUnits[k]) / kUnitsPerDeal;
        }
    }

    // Adds the deals of `from` to `into` (losses are settled afterwards).
    static void Merge(Tally& into, const Tally& from)
    {
        into.valid += from.valid;
        into.attempts += from.attempts;
        for (int k = 0; k < kMaxSeats; ++k) {
            into.wins[k] += from.wins[k];
            into.ties[k] += from.ties[k];
            into.tieUnits[k] += from.tieUnits[k];
            into.winShare[k] += from.winShare[k];
            into.tieShare[k] += from.tieShare[k];
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

    template <bool kCurrent = true>
    static void AddDeal(Tally& t, const pokereval::OmahaBoard& board, const CardMask* hands, int n)
    {
        using pokereval::kNoLow;
        pokereval::HandVal hi[kMaxSeats];
        pokereval::LowHandVal lo[kMaxSeats];
        board.evalHiLoAll(hands, n, hi, lo);
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
            if constexpr (kCurrent)
                t.hiLosses[k] += high ^ 1u;
            t.loLosses[k] += hasLow & (bestLow ^ 1u);
        }
        const int kHi = CountSeats(highs);
        const int kLo = CountSeats(lows);
        ++t.valid;
        if (kHi == 1) {
            const int k = LowestSeat(highs);
            ++t.hiWins[k];
            if constexpr (kCurrent)
                t.hiWinShare[k] += 1.0;
        } else {
            for (unsigned m = highs; m != 0; m &= m - 1) {
                const int k = LowestSeat(m);
                ++t.hiTies[k];
                t.hiTieUnits[k] += kUnitsOf[kHi];
                if constexpr (kCurrent)
                    t.hiTieShare[k] += kShareOf[kHi];
            }
        }
        if (kLo == 1) {
            const int k = LowestSeat(lows);
            ++t.loWins[k];
            if constexpr (kCurrent)
                t.loWinShare[k] += 1.0;
        } else {
            for (unsigned m = lows; m != 0; m &= m - 1) {
                const int k = LowestSeat(m);
                ++t.loTies[k];
                t.loTieUnits[k] += kUnitsOf[kLo];
                if constexpr (kCurrent)
                    t.loTieShare[k] += kShareOf[kLo];
            }
        }
        // Whether there is a low at all is close to a coin toss, which no
        // branch predictor guesses: the pot is shared out the same way either
        // way, the high hands taking the whole of it when there is none.
        const bool noLow = lows == 0;
        if (kHi == 1)
            t.scoops[LowestSeat(highs)] += noLow || highs == lows;
        const std::uint32_t hiUnits = kUnitsOf[kHi] << static_cast<int>(noLow);
        for (unsigned m = highs | lows; m != 0; m &= m - 1) {
            const int k = LowestSeat(m);
            const unsigned high = (highs >> k) & 1u, low = (lows >> k) & 1u;
            t.potUnits[k] += high * hiUnits + low * kUnitsOf[kLo];
            if constexpr (kCurrent)
                t.potShare[k] += noLow ? kShareOf[kHi]
                                       : (high ? 0.5 * kShareOf[kHi] : 0.0) + (low ? 0.5 * kShareOf[kLo] : 0.0);
        }
    }

    static void Settle(Tally& t, int n)
    {
        for (int k = 0; k < n; ++k) {
            t.hiLosses[k] = t.valid - t.hiWins[k] - t.hiTies[k];
            t.hiWinShare[k] = static_cast<double>(t.hiWins[k]);
            t.hiTieShare[k] = static_cast<double>(t.hiTieUnits[k]) / kUnitsPerDeal;
            t.loWinShare[k] = static_cast<double>(t.loWins[k]);
            t.loTieShare[k] = static_cast<double>(t.loTieUnits[k]) / kUnitsPerDeal;
            t.potShare[k] = static_cast<double>(t.potUnits[k]) / (2 * kUnitsPerDeal);
        }
    }

    // Adds the deals of `from` to `into` (high losses are settled afterwards).
    static void Merge(Tally& into, const Tally& from)
    {
        into.valid += from.valid;
        into.attempts += from.attempts;
        for (int k = 0; k < kMaxSeats; ++k) {
            into.hiWins[k] += from.hiWins[k];
            into.hiTies[k] += from.hiTies[k];
            into.loWins[k] += from.loWins[k];
            into.loLosses[k] += from.loLosses[k];
            into.loTies[k] += from.loTies[k];
            into.scoops[k] += from.scoops[k];
            into.hiTieUnits[k] += from.hiTieUnits[k];
            into.loTieUnits[k] += from.loTieUnits[k];
            into.potUnits[k] += from.potUnits[k];
            into.hiWinShare[k] += from.hiWinShare[k];
            into.hiTieShare[k] += from.hiTieShare[k];
            into.loWinShare[k] += from.loWinShare[k];
            into.loTieShare[k] += from.loTieShare[k];
            into.potShare[k] += from.potShare[k];
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

// The deal of one attempt: the hands picked from rows first (rejected on a
// card shared with the known board, the dead cards or another hand), then
// the random seats' hands and the board completed from `have` to `want`
// cards, drawn together from the cards left (deck: the cards outside the
// known board and the dead cards). False when rejected; otherwise every
// seat's hand in hands[] and the whole board in *board.
inline bool DealHands(SeatRanges& seats, SecureRandom& random, CardDeck& deck, CardMask known, int have,
                      int want, CardMask dead, CardMask* hands, CardMask* board)
{
    CardMask used = known | dead;
    if (seats.Picked() != 0 && !seats.Pick(random, used, hands, &used))
        return false;
    const int boardCards = want > have ? want - have : 0;
    CardMask drawn[kMaxSeats];
    CardMask added;
    if (!deck.DealSets(random, seats.RandomSeats(), boardCards, used, drawn, &added))
        return false;
    seats.GiveDrawn(drawn, hands);
    *board = known | added;
    return true;
}

// One attempt into tally t (the caller counts it): a deal as above,
// evaluated and tallied (as AddDeal<kCurrent>).
template <class Game, bool kCurrent = true>
inline bool Attempt(typename Game::Tally& t, SeatRanges& seats, SecureRandom& random, CardDeck& deck,
                    BoardCache& cache, CardMask known, int have, int want, CardMask dead)
{
    CardMask hands[kMaxSeats];
    CardMask board;
    if (!DealHands(seats, random, deck, known, have, want, dead, hands, &board))
        return false;
    if (want > have) {
        pokereval::OmahaBoard dealt;
        cache.Complete(known, want, board, &dealt);
        Game::template AddDeal<kCurrent>(t, dealt, hands, seats.Seats());
    } else {
        Game::template AddDeal<kCurrent>(t, cache.For(board), hands, seats.Seats());
    }
    return true;
}

// Accepted deals waiting a little for their evaluation: each deal is
// evaluated when kSize more have been dealt (or when the caller wants every
// deal in the tally). Meanwhile its board's table row is fetched into the
// cache, and the processor can work on dealing one deal while it waits for
// the table reads of another. The deals and their order are those of one
// attempt after the other; only the evaluation comes later.
class DealBatch {
public:
    static constexpr int kSize = 16;

    int Size() const { return m_size; }
    bool Full() const { return m_size == kSize; }

    // One attempt (as DealHands) kept when accepted (the batch must not be
    // full).
    bool Deal(SeatRanges& seats, SecureRandom& random, CardDeck& deck, BoardCache& cache, CardMask known,
              int have, int want, CardMask dead)
    {
        const int at = (m_first + m_size) & (kSize - 1);
        CardMask board;
        if (!DealHands(seats, random, deck, known, have, want, dead, m_hands[at], &board))
            return false;
        if (want > have) {
            cache.Complete(known, want, board, &m_board[at]);
            m_board[at].prefetch();
        } else {
            m_board[at] = cache.For(board);
        }
        ++m_size;
        return true;
    }

    // The oldest kept deal into the tally.
    template <class Game, bool kCurrent = false>
    void AddOldest(typename Game::Tally& t, int seats)
    {
        Game::template AddDeal<kCurrent>(t, m_board[m_first], m_hands[m_first], seats);
        m_first = (m_first + 1) & (kSize - 1);
        --m_size;
    }

    // Every kept deal into the tally, in the order dealt.
    template <class Game, bool kCurrent = false>
    void AddAll(typename Game::Tally& t, int seats)
    {
        while (m_size != 0)
            AddOldest<Game, kCurrent>(t, seats);
    }

private:
    int m_first = 0;
    int m_size = 0;
    CardMask m_hands[kSize][kMaxSeats];
    pokereval::OmahaBoard m_board[kSize];
};

}  // namespace equity_detail
