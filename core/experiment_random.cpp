#include "core/experiment_random.h"

#include "core/equity_deal.h"

#include <algorithm>

using equity_detail::kDeckMasks;

namespace {

CardMask RandomCard()
{
    return kDeckMasks[static_cast<unsigned>(PlatformRand()) % 52u];
}

}  // namespace

CardMask DealRandomHand(CardMask excluded)
{
    CardMask hand = 0;
    for (int i = 0; i < 4; ++i) {
        CardMask card;
        do {
            card = RandomCard();
        } while (card & (excluded | hand));
        hand |= card;
    }
    return hand;
}

int SimulateHandVsRandomHands(std::wstring_view handText, double highWin[kExperimentSeats],
                              double highTie[kExperimentSeats], double lowWin[kExperimentSeats],
                              double lowTie[kExperimentSeats], double scoop[kExperimentSeats],
                              double equity[kExperimentSeats])
{
    double* const results[] = {highWin, highTie, lowWin, lowTie, scoop, equity};
    for (double* r : results) {
        if (r == nullptr)
            return kEquityEmptyRange;
    }
    for (double* r : results)
        std::fill(r, r + kExperimentSeats, 0.0);
    PlatformSrand(PlatformTickCount());
    CardMask hands[kExperimentSeats] = {ParseHandMask(handText)};
    if (pokereval::numCards(hands[0]) != 4)
        return kEquityEmptyRange;

    EquityTallyHiLo tally;
    tally.Reset();
    pokereval::OmahaBoard prepared;
    for (int attempt = 0; attempt < kExperimentAttempts; ++attempt) {
        ++tally.attempts;
        CardMask board = 0;
        for (int i = 0; i < 5; ++i) {
            CardMask card;
            do {
                card = RandomCard();
            } while (card & board);
            board |= card;
        }
        // Seat 0's cards are not avoided while dealing: deals that touch
        // them are thrown away below.
        CardMask taken = board;
        for (int k = 1; k < kExperimentSeats; ++k) {
            hands[k] = DealRandomHand(taken);
            taken |= hands[k];
        }
        if (hands[0] & taken)
            continue;
        prepared.prepare(board);
        equity_detail::HiLoGame::AddDeal(tally, prepared, hands, kExperimentSeats);
    }
    if (tally.valid == 0)
        return 0;
    const double valid = static_cast<double>(tally.valid);
    for (int k = 0; k < kExperimentSeats; ++k) {
        highWin[k] = tally.hiWinShare[k] * 100.0 / valid;
        highTie[k] = tally.hiTieShare[k] * 100.0 / valid;
        lowWin[k] = tally.loWinShare[k] * 100.0 / valid;
        lowTie[k] = tally.loTieShare[k] * 100.0 / valid;
        scoop[k] = static_cast<double>(tally.scoops[k]) * 100.0 / valid;
        equity[k] = tally.potShare[k] * 100.0 / valid;
    }
    return 0;
}
