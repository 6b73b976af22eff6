#include "core/tablefile.h"

#include "core/handshape.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

// Ad Ah Ks Kc: two pairs, four suits (a class of six hands).
HandClassRecord SampleClass()
{
    HandClassRecord r;
    r.cards[0] = {0, 0};
    r.cards[1] = {0, 1};
    r.cards[2] = {1, 2};
    r.cards[3] = {1, 3};
    r.rankPattern = 2;
    r.suitPattern = 4;
    r.straightShapes = 1;
    r.straightFlushShapes = 0;
    r.points = 15;
    r.points2 = 30;
    r.comboCount = 6;
    r.stats[kStatWin][0] = 7312;
    r.stats[kStatPos][0] = 16431;
    r.stats[kStatPosHiLo][kOutsideRankingRow] = 1;
    return r;
}

Bytes PlainClassBytes(const HandClassRecord& r)
{
    Bytes b(kClassRecordSize);
    PackClassRecord(r, b.data());
    return b;
}

TEST(TableFile, ScramblingIsItsOwnInverse)
{
    for (int index : {0, 1, 255, 256, 16431, 270724}) {
        Bytes plain(kClassRecordSize);
        for (std::size_t i = 0; i < plain.size(); ++i)
            plain[i] = static_cast<std::uint8_t>(i * 7);
        Bytes stored = plain;
        ScrambleRecord(stored.data(), stored.size(), index);
        EXPECT_NE(stored, plain) << index;
        ScrambleRecord(stored.data(), stored.size(), index);
        EXPECT_EQ(stored, plain) << index;
    }
}

TEST(TableFile, OnlyTheLowByteOfTheIndexEntersTheKey)
{
    Bytes a(kHandRecordSize, 0), b(kHandRecordSize, 0), c(kHandRecordSize, 0);
    ScrambleRecord(a.data(), a.size(), 0);
    ScrambleRecord(b.data(), b.size(), 256);
    ScrambleRecord(c.data(), c.size(), 1);
    EXPECT_EQ(a, b);
    EXPECT_NE(a, c);
}

TEST(TableFile, ClassRecordLayout)
{
    const Bytes b = PlainClassBytes(SampleClass());
    EXPECT_EQ(b[0], 23);
    EXPECT_EQ(b[1], 0x00);  // A A
    EXPECT_EQ(b[2], 0x11);  // K K
    EXPECT_EQ(b[3], 130);
    EXPECT_EQ(b[4], 0b00011011);  // d h s c
    EXPECT_EQ(b[5], 231);
    EXPECT_EQ(b[6], 0x24);
    EXPECT_EQ(b[9], 4);
    EXPECT_EQ(b[10], 30);
    EXPECT_EQ(b[11], 30);
    EXPECT_EQ(b[12], 6);
    EXPECT_EQ(b[13], 73);  // Win, row 0: 73.12 %
    EXPECT_EQ(b[14], 12);
    EXPECT_EQ(b[13 + 2 * kStatPos], 164);  // position 16431
    EXPECT_EQ(b[14 + 2 * kStatPos], 31);
    EXPECT_EQ(b[14 + 20 * 9 + 2 * 9], 1);

    HandClassRecord back;
    ASSERT_EQ(UnpackClassRecord(b.data(), back), nullptr);
    EXPECT_EQ(back, SampleClass());
    EXPECT_EQ(back.rankPattern, 2);  // byte 6 = 0x24: XXYY, abcd
    EXPECT_EQ(back.suitPattern, 4);
}

TEST(TableFile, PointsAreHalfTheStoredByte)
{
    HandClassRecord r = SampleClass();
    r.points = 13.5;
    r.points2 = 27;
    Bytes b = PlainClassBytes(r);
    EXPECT_EQ(b[10], 27);
    HandClassRecord back;
    ASSERT_EQ(UnpackClassRecord(b.data(), back), nullptr);
    EXPECT_EQ(back.points, 13.5);
    EXPECT_EQ(back.points2, 27);
}

TEST(TableFile, BytesTheReaderIgnores)
{
    Bytes b = PlainClassBytes(SampleClass());
    for (int offset : {0, 3, 5, 9, 11})
        b[static_cast<std::size_t>(offset)] = 0x5A;
    HandClassRecord back;
    ASSERT_EQ(UnpackClassRecord(b.data(), back), nullptr);
    EXPECT_EQ(back, SampleClass());
}

TEST(TableFile, ClassRecordsWithImpossibleValuesAreRefused)
{
    struct Case {
        const char* name;
        int offset;
        std::uint8_t value;
    };
    const Case cases[] = {
        {"rank index 13", 1, 0xD0},
        {"same card twice", 4, 0b00001011},  // Ad Ad Ks Kc
        {"cards out of order", 2, 0x10},     // Ad Ah Ks Ac
        {"rank pattern", 6, 0x34},
        {"suit pattern", 6, 0x23},
        {"pattern 5 (not set)", 6, 0x54},
        {"straight shapes", 7, 21},
        {"straight-flush shapes", 8, 9},
        {"points above 27", 10, 55},
        {"combo count", 12, 4},
        {"statistic units byte", 14 + 20 * 10 + 2 * 9, 100},
    };
    for (const Case& c : cases) {
        Bytes b = PlainClassBytes(SampleClass());
        b[static_cast<std::size_t>(c.offset)] = c.value;
        HandClassRecord back;
        EXPECT_NE(UnpackClassRecord(b.data(), back), nullptr) << c.name;
    }
}

TEST(TableFile, HandRecordLayout)
{
    const HandRecord hand{{0, 1, 4, 12}, {0, 1, 2, 3}, 0x0102};
    std::uint8_t b[kHandRecordSize];
    PackHandRecord(hand, b);
    EXPECT_EQ(b[0], 0x01);
    EXPECT_EQ(b[1], 0x4C);
    EXPECT_EQ(b[2], 0b00011011);
    EXPECT_EQ(b[3], 0x01);  // class index, high byte first
    EXPECT_EQ(b[4], 0x02);
    HandRecord back{};
    ASSERT_EQ(UnpackHandRecord(b, back), nullptr);
    EXPECT_EQ(back, hand);
}

TEST(TableFile, HandRecordsWithImpossibleValuesAreRefused)
{
    struct Case {
        const char* name;
        std::uint8_t bytes[kHandRecordSize];
    };
    const Case cases[] = {
        {"rank index 15", {0xF1, 0x4C, 0x1B, 0, 0}},
        {"card twice", {0x00, 0x4C, 0x0B, 0, 0}},  // Ad Ad Ts 2c
        {"class 16432", {0x01, 0x4C, 0x1B, 0x40, 0x30}},
        {"class 65535", {0x01, 0x4C, 0x1B, 0xFF, 0xFF}},
    };
    for (const Case& c : cases) {
        HandRecord back{};
        EXPECT_NE(UnpackHandRecord(c.bytes, back), nullptr) << c.name;
    }
    const std::uint8_t last[kHandRecordSize] = {0x01, 0x4C, 0x1B, 0x40, 0x2F};  // class 16431
    HandRecord back{};
    EXPECT_EQ(UnpackHandRecord(last, back), nullptr);
}

TEST(TableFile, WholeFilesMustHaveTheExactSize)
{
    std::vector<HandClassRecord> classes(kClassCount);
    std::vector<HandRecord> hands(kHandCount);
    for (std::size_t size : {std::size_t{0}, kClassFileSize - 1, kClassFileSize - kClassRecordSize,
                             kClassFileSize + 1, kClassFileSize + kClassRecordSize}) {
        const Bytes file(size, 0);
        const TableFileReport report = ReadClassTable(file, classes.data());
        EXPECT_EQ(report.status, TableFileStatus::WrongSize) << size;
        EXPECT_EQ(report.size, size);
    }
    for (std::size_t size : {std::size_t{0}, kHandFileSize - 1, kHandFileSize + kHandRecordSize}) {
        const Bytes file(size, 0);
        EXPECT_EQ(ReadHandTable(file, hands.data()).status, TableFileStatus::WrongSize) << size;
    }
}

TEST(TableFile, HandRangesFromTheSortedTable)
{
    std::vector<HandRecord> hands(kHandCount);
    // Classes 0 and 2 hold hands, class 1 none; the rest go to the last class.
    for (int i = 0; i < kHandCount; ++i)
        hands[static_cast<std::size_t>(i)].classIndex = i < 3 ? 0 : i < 5 ? 2 : kClassCount - 1;
    std::vector<HandClassRecord> classes(kClassCount);
    ComputeHandRanges(classes.data(), hands.data());
    EXPECT_EQ(classes[0].firstHand, 0);
    EXPECT_EQ(classes[0].endHand, 3);
    EXPECT_EQ(classes[1].firstHand, 3);
    EXPECT_EQ(classes[1].endHand, 3);
    EXPECT_EQ(classes[2].firstHand, 3);
    EXPECT_EQ(classes[2].endHand, 5);
    EXPECT_EQ(classes[3].firstHand, 5);
    EXPECT_EQ(classes[kClassCount - 1].firstHand, 5);
    EXPECT_EQ(classes[kClassCount - 1].endHand, kHandCount);
}

TEST(TableFile, TheWriterRefusesWhatWouldNotReadBack)
{
    struct Case {
        const char* name;
        void (*spoil)(HandClassRecord&);
    };
    const Case cases[] = {
        {"empty slot", [](HandClassRecord& r) { r = HandClassRecord{}; }},
        {"points not in halves", [](HandClassRecord& r) { r.points = 13.3; r.points2 = 26.6; }},
        {"points2 not twice points", [](HandClassRecord& r) { r.points2 = 3; }},
        {"statistic too large", [](HandClassRecord& r) { r.stats[kStatPos][3] = 25600; }},
        {"negative statistic", [](HandClassRecord& r) { r.stats[kStatWin][0] = -1; }},
        {"shape count", [](HandClassRecord& r) { r.straightShapes = 300; }},
    };
    for (const Case& c : cases) {
        HandClassRecord r = SampleClass();
        c.spoil(r);
        Bytes file;
        TableFileReport failure;
        EXPECT_FALSE(EncodeClassTable(&r, 1, file, &failure)) << c.name;
        EXPECT_EQ(failure.record, 0) << c.name;
        EXPECT_TRUE(file.empty());
    }
    const HandClassRecord good = SampleClass();
    Bytes file;
    ASSERT_TRUE(EncodeClassTable(&good, 1, file, nullptr));
    ASSERT_EQ(file.size(), std::size_t{kClassRecordSize});
    ScrambleRecord(file.data(), file.size(), 0);
    EXPECT_EQ(file, PlainClassBytes(good));

    const HandRecord badHand{{0, 0, 1, 2}, {0, 0, 0, 0}, 0};
    EXPECT_FALSE(EncodeHandTable(&badHand, 1, file, nullptr));
    const HandRecord farClass{{0, 1, 2, 3}, {0, 0, 0, 0}, kClassCount};
    EXPECT_FALSE(EncodeHandTable(&farClass, 1, file, nullptr));
}

TEST(HandShape, PatternsSignatureAndClassSize)
{
    struct Case {
        CardPair cards[4];
        int rankPattern, suitPattern, size;
    };
    const Case cases[] = {
        {{{0, 0}, {0, 1}, {0, 2}, {0, 3}}, 0, 4, 1},   // AAAA
        {{{0, 0}, {0, 1}, {0, 2}, {1, 0}}, 1, 3, 12},  // AdAhAs Kd
        {{{0, 0}, {0, 1}, {1, 0}, {1, 1}}, 2, 2, 6},   // AdAh KdKh
        {{{0, 0}, {0, 1}, {1, 2}, {1, 3}}, 2, 4, 6},   // AdAh KsKc
        {{{0, 0}, {1, 0}, {2, 0}, {3, 0}}, 4, 0, 4},   // monotone
        {{{0, 0}, {1, 0}, {2, 0}, {3, 1}}, 4, 1, 12},  // three of a suit and one
        {{{0, 0}, {1, 1}, {2, 2}, {3, 3}}, 4, 4, 24},
        {{{0, 0}, {0, 1}, {1, 0}, {2, 2}}, 3, 3, 24},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RankPatternOf(c.cards), c.rankPattern);
        EXPECT_EQ(SuitPatternOf(c.cards), c.suitPattern);
        EXPECT_EQ(ClassSizeOf(c.cards), c.size);
    }
    // Renaming suits keeps the signature; moving one card does not.
    const CardPair a[4] = {{0, 0}, {1, 0}, {2, 1}, {5, 2}};
    const CardPair renamed[4] = {{0, 3}, {1, 3}, {2, 0}, {5, 1}};
    const CardPair other[4] = {{0, 0}, {1, 1}, {2, 1}, {5, 2}};
    EXPECT_EQ(ClassSignature(a), ClassSignature(renamed));
    EXPECT_NE(ClassSignature(a), ClassSignature(other));
}

}  // namespace
