// CalculateEquityHi and CalculateEquityHiLo, their single attempts, the
// tallies and the board completion.
#include "core/equity.h"
#include "core/equity_run.h"

#include <atomic>
#include <cstring>
#include <memory>
#include <thread>

using namespace equity_detail;

namespace {

std::atomic<int> g_workers{0};  // 0: the machine's hardware threads
EquityRunStats g_lastRun;

}  // namespace

void SetEquityWorkers(int workers)
{
    g_workers.store(workers < 0 ? 0 : workers);
}

int EquityWorkers()
{
    const int set = g_workers.load();
    if (set > 0)
        return set;
    const unsigned hardware = std::thread::hardware_concurrency();
    return hardware == 0 ? 1 : static_cast<int>(hardware);
}

EquityRunStats LastEquityRunStats()
{
    return g_lastRun;
}

void EquityTallyHi::Reset()
{
    std::memset(this, 0, sizeof(*this));
}

void EquityTallyHiLo::Reset()
{
    std::memset(this, 0, sizeof(*this));
}

CardMask CompleteBoard(int have, int want, CardMask board, CardMask excluded)
{
    // Each thread its own stream, keyed at its first use.
    thread_local SecureRandom random;
    return DrawBoard(random, have, want, board, excluded);
}

namespace equity_detail {

StreetCards ReadStreetCards(std::wstring_view boardPart, int known)
{
    std::wstring compact;
    for (wchar_t c : boardPart) {
        if (c != L' ' && c != L',')
            compact.push_back(c);
    }
    auto cardAt = [&compact](std::size_t at) {
        return at < compact.size() ? ParseCardString(compact.substr(at, 2)) : CardMask{0};
    };
    StreetCards cards;
    if (known >= 3)
        cards.flop = cardAt(0) | cardAt(2) | cardAt(4);
    if (known >= 4)
        cards.turn = cardAt(6);
    if (known >= 5)
        cards.river = cardAt(8);
    return cards;
}

}  // namespace equity_detail

namespace {

template <class Game>
int Calculate(const int* count, int n, std::wstring_view boardText, double (*results)[kMaxSeats],
              int allStreets, int toStreet, EquityProgressFn progress, void* user)
{
    RunRequest request;
    request.rows = g_playerRangeMasks;
    request.count = count;
    request.n = n;
    request.boardText = boardText;
    request.results = results;
    request.allStreets = allStreets;
    request.toStreet = toStreet;
    request.progress = progress;
    request.user = user;
    auto run = std::make_unique<EquityRun<Game>>(request);
    const int code = run->Run();
    g_lastRun.workers = run->workers();
    g_lastRun.attempts = run->tally(0).attempts;
    g_lastRun.valid = run->tally(0).valid;
    return code;
}

template <class Game>
int Trial(const int* count, typename Game::Tally& tally, int n, CardMask board, CardMask dead,
          SecureRandom& random)
{
    SeatRanges seats;
    const int cards = pokereval::numCards(board);
    if (!seats.Init(g_playerRangeMasks, count, n, random) || cards < 3 || cards > 5)
        return 0;
    CardDeck deck;
    deck.Set(board | dead);
    BoardCache cache;
    ++tally.attempts;
    return Attempt<Game>(tally, seats, random, deck, cache, board, cards, cards, dead) ? 1 : 0;
}

}  // namespace

int CalculateEquityHi(const int count[kMaxSeats], int n, std::wstring_view boardText,
                      double (*results)[kMaxSeats], int allStreets, int toStreet,
                      EquityProgressFn progress, void* user)
{
    return Calculate<HiGame>(count, n, boardText, results, allStreets, toStreet, progress, user);
}

int CalculateEquityHiLo(const int count[kMaxSeats], int n, std::wstring_view boardText,
                        double (*results)[kMaxSeats], int allStreets, int toStreet,
                        EquityProgressFn progress, void* user)
{
    return Calculate<HiLoGame>(count, n, boardText, results, allStreets, toStreet, progress, user);
}

int RunHiTrial(const int count[kMaxSeats], EquityTallyHi& tally, int n, CardMask board, CardMask dead,
               SecureRandom& random)
{
    return Trial<HiGame>(count, tally, n, board, dead, random);
}

int RunHiLoTrial(const int count[kMaxSeats], EquityTallyHiLo& tally, int n, CardMask board,
                 CardMask dead, SecureRandom& random)
{
    return Trial<HiLoGame>(count, tally, n, board, dead, random);
}
