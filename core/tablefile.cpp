#include "core/tablefile.h"

#include "core/handshape.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace {

// Scrambling constants of the table format; the generator, the loader and
// the writer share them, so changing one makes every shipped file unreadable.
constexpr unsigned kKeyFactor = 157;  // K1
constexpr unsigned kKeyStep = 59;     // K2
constexpr unsigned kKeyModulus = 251; // K3

// Bytes the format fixes but nothing reads.
constexpr std::uint8_t kFixed0 = 23, kFixed3 = 130, kFixed5 = 231, kFixed9 = 4;

constexpr int kStatsOffset = 13;
constexpr int kMaxStraightShapes = 20;
constexpr int kMaxStraightFlushShapes = 8;
constexpr int kMaxPoints2 = 54;

std::uint8_t PackPair(int high, int low)
{
    return static_cast<std::uint8_t>((high & 0xF) << 4 | (low & 0xF));
}

std::uint8_t PackSuits(int s1, int s2, int s3, int s4)
{
    return static_cast<std::uint8_t>((s1 & 3) << 6 | (s2 & 3) << 4 | (s3 & 3) << 2 | (s4 & 3));
}

void UnpackCards(const std::uint8_t* ranks, std::uint8_t suits, int rank[4], int suit[4])
{
    rank[0] = ranks[0] >> 4;
    rank[1] = ranks[0] & 0xF;
    rank[2] = ranks[1] >> 4;
    rank[3] = ranks[1] & 0xF;
    for (int i = 0; i < 4; ++i)
        suit[i] = (suits >> (6 - 2 * i)) & 3;
}

TableFileReport Failure(TableFileStatus status, int record, std::string reason)
{
    TableFileReport report;
    report.status = status;
    report.record = record;
    report.reason = std::move(reason);
    return report;
}

TableFileReport Loaded()
{
    TableFileReport report;
    report.status = TableFileStatus::Loaded;
    return report;
}

TableFileReport WrongSize(std::size_t size)
{
    TableFileReport report;
    report.status = TableFileStatus::WrongSize;
    report.size = size;
    return report;
}

}  // namespace

void ScrambleRecord(std::uint8_t* bytes, std::size_t size, int recordIndex)
{
    unsigned key = (static_cast<unsigned>(recordIndex) & 0xFF) * kKeyFactor & 0xFF;
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<std::uint8_t>(bytes[i] ^ key);
        key = (key + kKeyStep) % kKeyModulus;
    }
}

void PackClassRecord(const HandClassRecord& record, std::uint8_t out[kClassRecordSize])
{
    std::memset(out, 0, kClassRecordSize);
    const CardPair* c = record.cards;
    out[0] = kFixed0;
    out[1] = PackPair(c[0].rank, c[1].rank);
    out[2] = PackPair(c[2].rank, c[3].rank);
    out[3] = kFixed3;
    out[4] = PackSuits(c[0].suit, c[1].suit, c[2].suit, c[3].suit);
    out[5] = kFixed5;
    out[6] = PackPair(record.rankPattern, record.suitPattern);
    out[7] = static_cast<std::uint8_t>(record.straightShapes);
    out[8] = static_cast<std::uint8_t>(record.straightFlushShapes);
    out[9] = kFixed9;
    out[10] = static_cast<std::uint8_t>(static_cast<int>(record.points * 2));
    out[11] = static_cast<std::uint8_t>(static_cast<int>(record.points2));
    out[12] = static_cast<std::uint8_t>(record.comboCount);
    for (int row = 0; row < kStatRows; ++row) {
        for (int column = 0; column < kStatColumns; ++column) {
            const int value = record.stats[column][row];
            std::uint8_t* at = out + kStatsOffset + 20 * row + 2 * column;
            at[0] = static_cast<std::uint8_t>(value / 100);
            at[1] = static_cast<std::uint8_t>(value % 100);
        }
    }
}

const char* UnpackClassRecord(const std::uint8_t in[kClassRecordSize], HandClassRecord& record)
{
    record = HandClassRecord{};
    int rank[4], suit[4];
    UnpackCards(in + 1, in[4], rank, suit);
    for (int i = 0; i < 4; ++i)
        record.cards[i] = CardPair{rank[i], suit[i]};
    if (!IsValidHand(record.cards))
        return "the cards are not four different cards";
    for (int i = 1; i < 4; ++i) {
        const CardPair& a = record.cards[i - 1];
        const CardPair& b = record.cards[i];
        if (a.rank > b.rank || (a.rank == b.rank && a.suit > b.suit))
            return "the cards are not in order";
    }
    record.rankPattern = in[6] >> 4;
    record.suitPattern = in[6] & 0xF;
    if (record.rankPattern != RankPatternOf(record.cards))
        return "the rank pattern does not fit the cards";
    if (record.suitPattern != SuitPatternOf(record.cards))
        return "the suit pattern does not fit the cards";
    record.straightShapes = in[7];
    record.straightFlushShapes = in[8];
    if (record.straightShapes > kMaxStraightShapes)
        return "too many straight shapes";
    if (record.straightFlushShapes > kMaxStraightFlushShapes)
        return "too many straight-flush shapes";
    if (in[10] > kMaxPoints2)
        return "points out of range";
    record.points = in[10] * 0.5;
    record.points2 = in[10];
    record.comboCount = in[12];
    if (record.comboCount != ClassSizeOf(record.cards))
        return "the number of hands does not fit the cards";
    for (int row = 0; row < kStatRows; ++row) {
        for (int column = 0; column < kStatColumns; ++column) {
            const std::uint8_t* at = in + kStatsOffset + 20 * row + 2 * column;
            if (at[1] > 99)
                return "a statistic out of range";
            record.stats[column][row] = at[0] * 100 + at[1];
        }
    }
    return nullptr;
}

void PackHandRecord(const HandRecord& record, std::uint8_t out[kHandRecordSize])
{
    out[0] = PackPair(record.ranks[0], record.ranks[1]);
    out[1] = PackPair(record.ranks[2], record.ranks[3]);
    out[2] = PackSuits(record.suits[0], record.suits[1], record.suits[2], record.suits[3]);
    out[3] = static_cast<std::uint8_t>((record.classIndex >> 8) & 0xFF);
    out[4] = static_cast<std::uint8_t>(record.classIndex & 0xFF);
}

const char* UnpackHandRecord(const std::uint8_t in[kHandRecordSize], HandRecord& record)
{
    int rank[4], suit[4];
    UnpackCards(in, in[2], rank, suit);
    CardPair cards[4];
    for (int i = 0; i < 4; ++i) {
        record.ranks[i] = static_cast<std::int8_t>(rank[i]);
        record.suits[i] = static_cast<std::int8_t>(suit[i]);
        cards[i] = CardPair{rank[i], suit[i]};
    }
    record.classIndex = in[3] << 8 | in[4];
    if (!IsValidHand(cards))
        return "the cards are not four different cards";
    if (record.classIndex >= kClassCount)
        return "the class index is out of range";
    return nullptr;
}

TableFileReport ReadClassTable(std::span<const std::uint8_t> file, HandClassRecord* table)
{
    if (file.size() != kClassFileSize)
        return WrongSize(file.size());
    std::uint8_t plain[kClassRecordSize];
    for (int i = 0; i < kClassCount; ++i) {
        std::memcpy(plain, file.data() + static_cast<std::size_t>(i) * kClassRecordSize, kClassRecordSize);
        ScrambleRecord(plain, kClassRecordSize, i);
        if (const char* why = UnpackClassRecord(plain, table[i]))
            return Failure(TableFileStatus::BadRecord, i, why);
    }
    return Loaded();
}

TableFileReport ReadHandTable(std::span<const std::uint8_t> file, HandRecord* table)
{
    if (file.size() != kHandFileSize)
        return WrongSize(file.size());
    std::uint8_t plain[kHandRecordSize];
    for (int i = 0; i < kHandCount; ++i) {
        std::memcpy(plain, file.data() + static_cast<std::size_t>(i) * kHandRecordSize, kHandRecordSize);
        ScrambleRecord(plain, kHandRecordSize, i);
        if (const char* why = UnpackHandRecord(plain, table[i]))
            return Failure(TableFileStatus::BadRecord, i, why);
        if (i > 0 && table[i].classIndex < table[i - 1].classIndex)
            return Failure(TableFileStatus::BadRecord, i, "the hands are not sorted by class");
    }
    // With exactly kHandCount records, no hand twice means every hand once.
    std::vector<std::pair<std::uint64_t, int>> masks(kHandCount);
    for (int i = 0; i < kHandCount; ++i) {
        std::uint64_t mask = 0;
        for (int c = 0; c < 4; ++c)
            mask |= std::uint64_t{1} << (table[i].ranks[c] * 4 + table[i].suits[c]);
        masks[static_cast<std::size_t>(i)] = {mask, i};
    }
    std::sort(masks.begin(), masks.end());
    for (std::size_t i = 1; i < masks.size(); ++i) {
        if (masks[i].first == masks[i - 1].first)
            return Failure(TableFileStatus::BadRecord, std::max(masks[i].second, masks[i - 1].second),
                           "the hand appears twice");
    }
    return Loaded();
}

TableFileReport CheckTablesAgree(const HandClassRecord* classes, const HandRecord* hands)
{
    for (int j = 0; j < kClassCount; ++j) {
        const int held = classes[j].endHand - classes[j].firstHand;
        if (held != classes[j].comboCount)
            return Failure(TableFileStatus::Mismatch, -1,
                           "class " + std::to_string(j) + " has " + std::to_string(held) +
                               " hands instead of " + std::to_string(classes[j].comboCount));
    }
    for (int i = 0; i < kHandCount; ++i) {
        CardPair cards[4];
        CardsOf(hands[i], cards);
        const HandClassRecord& owner = classes[hands[i].classIndex];
        if (ClassSignature(cards) != ClassSignature(owner.cards))
            return Failure(TableFileStatus::Mismatch, -1,
                           "hand " + std::to_string(i) + " does not belong to class " +
                               std::to_string(hands[i].classIndex));
    }
    return Loaded();
}

void ComputeHandRanges(HandClassRecord* classes, const HandRecord* hands)
{
    int i = 0;
    for (int j = 0; j < kClassCount; ++j) {
        while (i < kHandCount && hands[i].classIndex < j)
            ++i;
        classes[j].firstHand = i;
        while (i < kHandCount && hands[i].classIndex == j)
            ++i;
        classes[j].endHand = i;
    }
}

bool EncodeClassTable(const HandClassRecord* table, int count, std::vector<std::uint8_t>& file,
                      TableFileReport* failure)
{
    file.clear();
    if (count < 0 || count > kClassCount) {
        if (failure)
            *failure = Failure(TableFileStatus::WrongSize, -1, "too many classes");
        return false;
    }
    file.reserve(static_cast<std::size_t>(count) * kClassRecordSize);
    std::uint8_t plain[kClassRecordSize];
    for (int i = 0; i < count; ++i) {
        PackClassRecord(table[i], plain);
        // Only what reads back unchanged is written.
        HandClassRecord back;
        const char* why = UnpackClassRecord(plain, back);
        HandClassRecord expected = table[i];
        expected.firstHand = expected.endHand = 0;
        if (!why && !(back == expected))
            why = "a value does not fit the file format";
        if (why) {
            if (failure)
                *failure = Failure(TableFileStatus::BadRecord, i, why);
            file.clear();
            return false;
        }
        ScrambleRecord(plain, kClassRecordSize, i);
        file.insert(file.end(), plain, plain + kClassRecordSize);
    }
    return true;
}

bool EncodeHandTable(const HandRecord* table, int count, std::vector<std::uint8_t>& file,
                     TableFileReport* failure)
{
    file.clear();
    if (count < 0 || count > kHandCount) {
        if (failure)
            *failure = Failure(TableFileStatus::WrongSize, -1, "too many hands");
        return false;
    }
    file.reserve(static_cast<std::size_t>(count) * kHandRecordSize);
    std::uint8_t plain[kHandRecordSize];
    for (int i = 0; i < count; ++i) {
        PackHandRecord(table[i], plain);
        HandRecord back;
        const char* why = UnpackHandRecord(plain, back);
        if (!why && !(back == table[i]))
            why = "a value does not fit the file format";
        if (why) {
            if (failure)
                *failure = Failure(TableFileStatus::BadRecord, i, why);
            file.clear();
            return false;
        }
        ScrambleRecord(plain, kHandRecordSize, i);
        file.insert(file.end(), plain, plain + kHandRecordSize);
    }
    return true;
}
