#pragma once
// Monte-Carlo equity engines for Omaha Hi and Omaha Hi/Lo, the progress
// contract they share with their callers, and the fixed-count simulations of
// the analysis dialogs.
//
// Every engine deals each seat a hand from its range and completes the board
// at random; deals that would use a card twice are rejected. Accepted deals
// are spread uniformly over every deal the ranges, board and dead cards
// allow, whatever the order of drawing: the engines pick the hands first and
// then complete the board from the cards left, so the random board cards never
// collide with a hand and far fewer attempts are thrown away.

#include "core/cards.h"
#include "core/range_rows.h"

#include <cstdint>
#include <string_view>

class SecureRandom;

inline constexpr int kEquityDone = 0;
inline constexpr int kEquityEmptyRange = -4;   // also: seat count or arguments unusable
inline constexpr int kEquityNoValidDeal = -9;  // no accepted deal in the first 100,000 attempts
inline constexpr int kMaxSeats = 10;
inline constexpr std::uint64_t kNoDealAttemptLimit = 100000;

// Progress contract of every engine. isStart 1: the start call, arrays null.
// Otherwise values1..values4 hold one percentage per engine seat where the
// matching show flag is 1 (null with 0): preflop, flop, turn, river when an
// engine shows every street, the first array alone otherwise. Returning 0
// from a progress call ends the run; the end call's result is ignored.
using EquityProgressFn = int (*)(void* user, int isStart, double* values1, int show1,
                                 double* values2, int show2, double* values3, int show3,
                                 double* values4, int show4);

// Result arrays of CalculateEquityHi, each 10 doubles indexed by engine seat.
enum EquityHiArray {
    kPreflopWin, kPreflopTie, kFlopWin, kFlopTie, kTurnWin, kTurnTie, kRiverWin, kRiverTie,
    kEquityHiArrays
};
// CalculateEquityHiLo: six arrays per street (preflop, flop, turn, river).
enum EquityHiLoValue { kHiLoEquity, kHiLoScoop, kHiLoHighWin, kHiLoHighTie, kHiLoLowWin, kHiLoLowTie,
                       kHiLoValuesPerStreet };
inline constexpr int kEquityHiLoArrays = 4 * kHiLoValuesPerStreet;
constexpr int HiLoArray(int street, int value) { return street * kHiLoValuesPerStreet + value; }

// Counters are 64 bits wide: a run of several minutes passes 2^32 attempts.
struct EquityTallyHi {
    std::uint64_t valid;     // accepted deals
    std::uint64_t attempts;  // accepted and rejected
    std::uint64_t wins[kMaxSeats];
    std::uint64_t losses[kMaxSeats];
    std::uint64_t ties[kMaxSeats];
    double winShare[kMaxSeats];  // 1 per deal won alone
    double tieShare[kMaxSeats];  // 1/k per deal shared by k seats
    // The shared deals in 2520ths of a deal (1/k of a deal is a whole number
    // of them for every k up to 10): the engines' loops add whole numbers
    // only and work out the shares above when the tally is shown.
    std::uint64_t tieUnits[kMaxSeats];

    void Reset();
};

struct EquityTallyHiLo {
    std::uint64_t valid;
    std::uint64_t attempts;
    std::uint64_t hiWins[kMaxSeats];
    std::uint64_t hiLosses[kMaxSeats];
    std::uint64_t hiTies[kMaxSeats];
    std::uint64_t loWins[kMaxSeats];    // low fields: seats with a qualifying low only
    std::uint64_t loLosses[kMaxSeats];
    std::uint64_t loTies[kMaxSeats];
    std::uint64_t scoops[kMaxSeats];
    double hiWinShare[kMaxSeats];
    double hiTieShare[kMaxSeats];
    double loWinShare[kMaxSeats];
    double loTieShare[kMaxSeats];
    double potShare[kMaxSeats];  // fraction of the pot won, summed over deals
    // As in EquityTallyHi: shared halves in 2520ths of a deal, the pot in
    // 5040ths.
    std::uint64_t hiTieUnits[kMaxSeats];
    std::uint64_t loTieUnits[kMaxSeats];
    std::uint64_t potUnits[kMaxSeats];

    void Reset();
};

// Adds want - have random cards, each uniform among the cards neither on the
// board nor excluded, to board and returns it; nothing when have >= want.
CardMask CompleteBoard(int have, int want, CardMask board, CardMask excluded);

// Runs until the progress callback returns 0 (kEquityDone), or returns
// kEquityEmptyRange (a seat k < n with count[k] < 1, n outside 1..10, a null
// callback or result pointer; nothing happens then) or kEquityNoValidDeal (no
// accepted deal in the first 100,000 attempts of a simulated street, or a
// board of more than five cards). Seats are rows 0..n-1 of
// g_playerRangeMasks. boardText: board cards written without separators
// (flop at 0, 2, 4, turn at 6, river at 8), optionally "|" and dead cards.
// results: kEquityHiArrays arrays of 10 percentages.
int CalculateEquityHi(const int count[kMaxSeats], int n, std::wstring_view boardText,
                      double (*results)[kMaxSeats], int allStreets, int toStreet,
                      EquityProgressFn progress, void* user);
// The same for Hi/Lo with kEquityHiLoArrays result arrays.
int CalculateEquityHiLo(const int count[kMaxSeats], int n, std::wstring_view boardText,
                        double (*results)[kMaxSeats], int allStreets, int toStreet,
                        EquityProgressFn progress, void* user);

// One attempt on a complete board (3 to 5 cards) with hands from
// g_playerRangeMasks: 1 when accepted and tallied, 0 when rejected.
int RunHiTrial(const int count[kMaxSeats], EquityTallyHi& tally, int n, CardMask board, CardMask dead,
               SecureRandom& random);
int RunHiLoTrial(const int count[kMaxSeats], EquityTallyHiLo& tally, int n, CardMask board,
                 CardMask dead, SecureRandom& random);

// The threads the engines and the fixed-count simulations deal on: the
// machine's hardware threads, unless set here (tests, benchmarks; 0 restores
// the machine's count). The progress calls stay on the calling thread.
void SetEquityWorkers(int workers);
int EquityWorkers();

// What the last CalculateEquityHi or CalculateEquityHiLo of the process
// dealt, on the first (single-street) or preflop tally; for tests of the
// program.
struct EquityRunStats {
    int workers = 0;
    std::uint64_t attempts = 0;
    std::uint64_t valid = 0;
};
EquityRunStats LastEquityRunStats();

// Exactly `trials` attempts on the known board (0 to 5 cards), without dead
// cards. Ranges: equity[0..9] zeroed first; 0, or kEquityNoValidDeal for
// trials < 1, unusable counts, or no accepted deal (in the first 100,000
// attempts, or at all). Hands: progress (may be null) gets the start call, a
// progress call every 16,000 accepted deals (0 stops early) and the end call;
// 0, or kEquityNoValidDeal when no deal was accepted (equities 0 then).
int SimulateRangesHi(RangeRows rows, const int count[kMaxSeats], int n, int trials,
                     double equity[kMaxSeats], CardMask board);
int SimulateRangesHiLo(RangeRows rows, const int count[kMaxSeats], int n, int trials,
                       double equity[kMaxSeats], CardMask board);
int SimulateHandsHi(EquityProgressFn progress, void* user, const CardMask hand[], int n,
                    double equity[kMaxSeats], int trials, CardMask board);
int SimulateHandsHiLo(EquityProgressFn progress, void* user, const CardMask hand[], int n,
                      double equity[kMaxSeats], int trials, CardMask board);
