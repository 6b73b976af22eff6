#pragma once
// Records of the two starting-hand tables. Cards use the application's
// numbering: rank index 0..12 = A, K, Q, J, T, 9 ... 2; suit index 0..3 = d, h, s, c.

#include <cstdint>

constexpr int kClassCount = 16432;   // classes of four-card hands under suit renaming
constexpr int kHandCount = 270725;   // four-card hands, C(52, 4)
constexpr int kStatColumns = 10;
constexpr int kStatRows = 11;

// Columns of HandClassRecord::stats.
enum StatColumn : int {
    kStatWin = 0,
    kStatSplit = 1,
    kStatPos = 2,
    kStatEqHiLo = 3,
    kStatWinHi = 4,
    kStatSplitHi = 5,
    kStatWinLo = 6,
    kStatSplitLo = 7,
    kStatScoop = 8,
    kStatPosHiLo = 9,
};
constexpr int kOutsideRankingRow = 9;

// rankPattern: XXXX, XXXY, XXYY, XXYZ, XYZR; suitPattern: aaaa, aaab, aabb, aabc, abcd.
constexpr int kPatternCount = 5;
constexpr int kPatternNotSet = 5;

struct CardPair {
    std::int32_t rank;
    std::int32_t suit;
    bool operator==(const CardPair&) const = default;
};

struct HandRecord {
    std::int8_t ranks[4];
    std::int8_t suits[4];
    std::int32_t classIndex;
    bool operator==(const HandRecord&) const = default;
};

struct HandClassRecord {
    CardPair cards[4] = {{-1, -1}, {-1, -1}, {-1, -1}, {-1, -1}};
    std::int32_t firstHand = 0;
    std::int32_t endHand = 0;
    std::int32_t rankPattern = kPatternNotSet;
    std::int32_t suitPattern = kPatternNotSet;
    std::int32_t straightShapes = 0;
    std::int32_t straightFlushShapes = 0;
    double points = 0.0;
    double points2 = 0.0;
    std::int32_t stats[kStatColumns][kStatRows] = {};  // [column][row]
    std::int32_t comboCount = 0;
    bool operator==(const HandClassRecord&) const = default;
};
