#include "core/card_pick.h"

#include <atomic>

#if defined(__x86_64__)
#include <cpuid.h>
#define OV_HAS_PDEP 1
// Every processor with bit deposit also counts bits in one instruction.
#define OV_PDEP_TARGET __attribute__((target("bmi2,popcnt")))
#else
#define OV_PDEP_TARGET
#endif

namespace equity_detail {

namespace {

std::atomic<bool> g_allowed{true};

#if defined(OV_HAS_PDEP)
// Bit deposit is one fast instruction on Intel processors that have it and
// on AMD's from family 19h; AMD's earlier ones (and their derivatives)
// microcode it.
bool FastBitDeposit()
{
    __builtin_cpu_init();
    if (!__builtin_cpu_supports("bmi2") || !__builtin_cpu_supports("popcnt"))
        return false;
    unsigned a = 0, b = 0, c = 0, d = 0;
    if (!__get_cpuid(0, &a, &b, &c, &d))
        return false;
    const bool intel = b == 0x756E6547 && d == 0x49656E69 && c == 0x6C65746E;  // "GenuineIntel"
    const bool amd = b == 0x68747541 && d == 0x69746E65 && c == 0x444D4163;    // "AuthenticAMD"
    if (intel)
        return true;
    if (!amd || !__get_cpuid(1, &a, &b, &c, &d))
        return false;
    const unsigned base = (a >> 8) & 0xF;
    const unsigned family = base == 0xF ? base + ((a >> 20) & 0xFF) : base;
    return family >= 0x19;
}

// The bits of `source`, lowest first, into the set bits of `mask`, lowest
// first.
OV_PDEP_TARGET inline CardMask Deposit(CardMask source, CardMask mask)
{
    return __builtin_ia32_pdep_di(source, mask);
}
#else
bool FastBitDeposit()
{
    return false;
}

inline CardMask Deposit(CardMask source, CardMask mask)
{
    CardMask out = 0;
    for (; mask != 0 && source != 0; mask &= mask - 1, source >>= 1)
        out |= (source & 1) != 0 ? mask & (~mask + 1) : 0;
    return out;
}
#endif

inline CardMask LowBits(int count)
{
    return (CardMask{1} << count) - 1;  // count <= 52
}

// The positions among `count` that picking ranks digit[0 .. picks - 1] in
// turn leaves (count - picks of them). Removing rank r among m positions
// leaves "the m low bits but bit r"; the positions left by the later picks
// deposit into those.
OV_PDEP_TARGET inline CardMask PositionsLeft(const std::uint8_t* digit, int picks, int count)
{
    CardMask left = LowBits(count - picks);
    for (int j = picks - 1; j >= 0; --j)
        left = Deposit(left, LowBits(count - j) & ~(CardMask{1} << digit[j]));
    return left;
}

}  // namespace

bool RankPickIsFast()
{
    static const bool fast = FastBitDeposit();
    return fast && g_allowed.load(std::memory_order_relaxed);
}

void AllowRankPick(bool allowed)
{
    g_allowed.store(allowed, std::memory_order_relaxed);
}

// Picking card after card would make every pick wait for the one before.
// Each group (a set, the board) is worked out on its own as the positions it
// leaves, so only depositing those into the cards the group before left
// waits in turn: one instruction per group.
OV_PDEP_TARGET CardMask PickSetsByRank(const std::uint8_t* digit, int sets, int boardCards, CardMask free,
                                       CardMask* setsOut)
{
    int count = __builtin_popcountll(free);
    for (int s = 0; s < sets; ++s, digit += 4, count -= 4) {
        const CardMask left = Deposit(PositionsLeft(digit, 4, count), free);
        setsOut[s] = free ^ left;
        free = left;
    }
    if (boardCards <= 0)
        return 0;
    return free ^ Deposit(PositionsLeft(digit, boardCards, count), free);
}

OV_PDEP_TARGET void PickCardsByRank(const std::uint8_t* digit, int draws, CardMask free, CardMask* out)
{
    for (int k = 0; k < draws; ++k) {
        const CardMask card = Deposit(CardMask{1} << digit[k], free);
        free ^= card;
        out[k] = card;
    }
}

}  // namespace equity_detail
