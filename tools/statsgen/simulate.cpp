#include "tools/statsgen/simulate.h"

#include "tools/statsgen/random.h"

#include <utility>

namespace statsgen {

namespace {

constexpr int kBoardCards = 5;
constexpr int kDealt = kBoardCards + 4 * kOpponents;

}  // namespace

ClassTally SimulateClass(pokereval::CardMask hand, std::uint64_t seed, int classIndex, std::uint64_t deals)
{
    pokereval::CardMask deck[52];
    int left = 0;
    for (int i = 0; i < 52; ++i) {
        const pokereval::CardMask card = pokereval::cardMask(i);
        if (!(card & hand))
            deck[left++] = card;
    }
    Random random(seed, static_cast<std::uint64_t>(classIndex));
    ClassTally tally;
    pokereval::OmahaBoard board;
    pokereval::HandVal oppHi[kOpponents];
    pokereval::LowHandVal oppLo[kOpponents];
    for (std::uint64_t d = 0; d < deals; ++d) {
        // The first kDealt places of a partial shuffle are a uniform draw
        // without replacement, whatever order the deck was left in.
        for (int i = 0; i < kDealt; ++i)
            std::swap(deck[i], deck[i + random.Below(static_cast<std::uint32_t>(left - i))]);
        board.prepare(deck[0] | deck[1] | deck[2] | deck[3] | deck[4]);
        pokereval::HandVal heroHi;
        pokereval::LowHandVal heroLo;
        if (board.lowPossible()) {
            board.evalHiLo(hand, &heroHi, &heroLo);
            for (int k = 0; k < kOpponents; ++k) {
                const pokereval::CardMask* c = deck + kBoardCards + 4 * k;
                board.evalHiLo(c[0] | c[1] | c[2] | c[3], &oppHi[k], &oppLo[k]);
            }
        } else {
            heroHi = board.evalHi(hand);
            heroLo = pokereval::kNoLow;
            for (int k = 0; k < kOpponents; ++k) {
                const pokereval::CardMask* c = deck + kBoardCards + 4 * k;
                oppHi[k] = board.evalHi(c[0] | c[1] | c[2] | c[3]);
                oppLo[k] = pokereval::kNoLow;
            }
        }
        AddDeal(tally, heroHi, heroLo, oppHi, oppLo);
    }
    return tally;
}

}  // namespace statsgen
