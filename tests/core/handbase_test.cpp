#include "core/handbase.h"

#include "core/cards.h"
#include "core/handshape.h"
#include "tests/core/temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <functional>
#include <map>
#include <set>

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

const fs::path kDataFolder = OV_DATA_DIR;

Bytes ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

void WriteFile(const fs::path& path, const Bytes& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

bool IsInitialClass(const HandClassRecord& r)
{
    HandClassRecord expected;
    expected.firstHand = r.firstHand;
    expected.endHand = r.endHand;
    return r == expected;
}

class ShippedTables : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        base = new COmahaBase;
        result = new TableLoadResult(base->LoadTables(kDataFolder));
    }
    static void TearDownTestSuite()
    {
        delete base;
        delete result;
    }
    static COmahaBase* base;
    static TableLoadResult* result;
};
COmahaBase* ShippedTables::base = nullptr;
TableLoadResult* ShippedTables::result = nullptr;

TEST_F(ShippedTables, LoadWithoutComplaint)
{
    ASSERT_TRUE(result->Loaded()) << std::string(result->Message().begin(), result->Message().end());
    EXPECT_FALSE(result->HasError());
    EXPECT_TRUE(result->Message().empty());
    EXPECT_EQ(base->m_classCount, kClassCount);
}

TEST_F(ShippedTables, EveryHandAppearsExactlyOnce)
{
    std::set<CardMask> seen;
    for (int i = 0; i < kHandCount; ++i) {
        const CardMask mask = HandRecordToMask(base->m_hands[i]);
        ASSERT_EQ(pokereval::numCards(mask), 4) << i;
        seen.insert(mask);
    }
    EXPECT_EQ(seen.size(), static_cast<std::size_t>(kHandCount));
}

TEST_F(ShippedTables, ClassSizes)
{
    std::map<int, int> classesOfSize;
    for (int k = 0; k < kClassCount; ++k)
        ++classesOfSize[base->m_classes[k].endHand - base->m_classes[k].firstHand];
    const std::map<int, int> expected{{1, 13}, {4, 871}, {6, 156}, {12, 8593}, {24, 6799}};
    EXPECT_EQ(classesOfSize, expected);
}

TEST_F(ShippedTables, ClassesHoldContiguousHandsOfTheirOwnShape)
{
    int next = 0;
    for (int k = 0; k < kClassCount; ++k) {
        const HandClassRecord& c = base->m_classes[k];
        ASSERT_EQ(c.firstHand, next) << k;
        ASSERT_EQ(c.endHand - c.firstHand, c.comboCount) << k;
        next = c.endHand;
        bool representativeIsMember = false;
        CardMask rep = 0;
        for (const CardPair& card : c.cards)
            rep |= CardMaskOf(card.rank, card.suit);
        for (int i = c.firstHand; i < c.endHand; ++i) {
            CardPair cards[4];
            CardsOf(base->m_hands[i], cards);
            ASSERT_EQ(ClassSignature(cards), ClassSignature(c.cards)) << "hand " << i;
            ASSERT_EQ(base->m_hands[i].classIndex, k);
            representativeIsMember |= HandRecordToMask(base->m_hands[i]) == rep;
        }
        EXPECT_TRUE(representativeIsMember) << k;
        // Suits enter in the order d, h, s, c.
        int nextSuit = 0;
        bool seen[4] = {};
        for (const CardPair& card : c.cards) {
            if (!seen[card.suit]) {
                EXPECT_EQ(card.suit, nextSuit++) << k;
                seen[card.suit] = true;
            }
        }
    }
    EXPECT_EQ(next, kHandCount);
    const CardPair fourAces[4] = {{0, 0}, {0, 1}, {0, 2}, {0, 3}};
    EXPECT_TRUE(std::equal(fourAces, fourAces + 4, base->m_classes[0].cards));
}

TEST_F(ShippedTables, WritingBackGivesTheSameFilesAndTables)
{
    TempFolder folder;
    const TableWriteResult written = base->WriteTables(folder.path() / "Omaha.bin", folder.path() / "Combos.bin");
    ASSERT_TRUE(written.ok);
    EXPECT_EQ(ReadFile(folder.path() / "Omaha.bin"), ReadFile(kDataFolder / "Omaha.bin"));
    EXPECT_EQ(ReadFile(folder.path() / "Combos.bin"), ReadFile(kDataFolder / "Combos.bin"));

    COmahaBase again;
    ASSERT_TRUE(again.LoadTables(folder.path()).Loaded());
    EXPECT_EQ(again.m_classCount, base->m_classCount);
    EXPECT_TRUE(std::equal(again.m_classes.get(), again.m_classes.get() + kClassCount, base->m_classes.get()));
    EXPECT_TRUE(std::equal(again.m_hands.get(), again.m_hands.get() + kHandCount, base->m_hands.get()));
}

TEST(HandBase, NewBaseIsEmpty)
{
    COmahaBase base;
    EXPECT_EQ(base.m_classes, nullptr);
    EXPECT_EQ(base.m_hands, nullptr);
    EXPECT_EQ(base.m_classCount, 0);
    EXPECT_EQ(base.m_selection.Count(), 0);
    EXPECT_TRUE(std::all_of(std::begin(base.m_classFlags.m_flags), std::end(base.m_classFlags.m_flags),
                            [](int f) { return f == 0; }));
}

TEST(HandBase, AbsentFilesLeaveEmptyTablesWithoutError)
{
    TempFolder folder;
    COmahaBase base;
    const TableLoadResult result = base.LoadTables(folder.path());
    EXPECT_EQ(result.classFile.status, TableFileStatus::Missing);
    EXPECT_EQ(result.handFile.status, TableFileStatus::Missing);
    EXPECT_FALSE(result.HasError());
    EXPECT_FALSE(result.Loaded());
    EXPECT_TRUE(result.Message().empty());
    EXPECT_EQ(base.m_classCount, 0);
    ASSERT_NE(base.m_classes, nullptr);
    ASSERT_NE(base.m_hands, nullptr);
    for (int k = 0; k < kClassCount; ++k)
        ASSERT_TRUE(IsInitialClass(base.m_classes[k])) << k;
    // Every zero hand record falls into class 0.
    EXPECT_EQ(base.m_classes[0].firstHand, 0);
    EXPECT_EQ(base.m_classes[0].endHand, kHandCount);
    EXPECT_EQ(base.m_classes[1].firstHand, kHandCount);
    EXPECT_EQ(base.m_classes[kClassCount - 1].endHand, kHandCount);
}

TEST(HandBase, HandFileAloneStillGivesTheHandRanges)
{
    TempFolder folder;
    fs::copy_file(kDataFolder / "Combos.bin", folder.path() / "Combos.bin");
    COmahaBase base;
    const TableLoadResult result = base.LoadTables(folder.path());
    EXPECT_EQ(result.classFile.status, TableFileStatus::Missing);
    EXPECT_EQ(result.handFile.status, TableFileStatus::Loaded);
    EXPECT_FALSE(result.HasError());
    EXPECT_EQ(base.m_classCount, 0);
    EXPECT_TRUE(IsInitialClass(base.m_classes[5]));
    EXPECT_EQ(base.m_classes[0].endHand, 1);  // four aces
    EXPECT_EQ(base.m_classes[kClassCount - 1].endHand, kHandCount);
}

TEST(HandBase, LoadsFromTheCurrentFolder)
{
    TempFolder folder;
    fs::copy_file(kDataFolder / "Omaha.bin", folder.path() / "Omaha.bin");
    fs::copy_file(kDataFolder / "Combos.bin", folder.path() / "Combos.bin");
    const fs::path previous = fs::current_path();
    fs::current_path(folder.path());
    COmahaBase base;
    const TableLoadResult result = base.LoadTables();
    fs::current_path(previous);
    EXPECT_TRUE(result.Loaded());
}

// ---- damaged files ----

// The shipped files with one change; the change works on whole files.
struct Damage {
    const char* name;
    const char* file;  // which file is changed
    std::function<void(Bytes&)> change;
    TableFileStatus classStatus;
    TableFileStatus handStatus;
    TableFileStatus agreement;
};

// Rewrites plain record `index` of a file in place through `edit`.
void EditRecord(Bytes& file, int size, int index, const std::function<void(std::uint8_t*)>& edit)
{
    std::uint8_t* at = file.data() + static_cast<std::size_t>(index) * static_cast<std::size_t>(size);
    ScrambleRecord(at, static_cast<std::size_t>(size), index);
    edit(at);
    ScrambleRecord(at, static_cast<std::size_t>(size), index);
}

int ClassOfHandRecord(const Bytes& file, int index)
{
    std::uint8_t plain[kHandRecordSize];
    std::memcpy(plain, file.data() + static_cast<std::size_t>(index) * kHandRecordSize, kHandRecordSize);
    ScrambleRecord(plain, kHandRecordSize, index);
    return plain[3] << 8 | plain[4];
}

TEST(HandBase, DamagedFilesAreRefusedAndReported)
{
    using S = TableFileStatus;
    const S ok = S::Loaded;
    const S none = S::Missing;  // agreement not checked
    const Damage cases[] = {
        {"class file one record short", "Omaha.bin", [](Bytes& f) { f.resize(f.size() - kClassRecordSize); },
         S::WrongSize, ok, none},
        {"class file with a 16,433rd record", "Omaha.bin",
         [](Bytes& f) { f.insert(f.end(), f.begin(), f.begin() + kClassRecordSize); }, S::WrongSize, ok, none},
        {"class file cut inside a record", "Omaha.bin", [](Bytes& f) { f.resize(f.size() - 100); },
         S::WrongSize, ok, none},
        {"empty class file", "Omaha.bin", [](Bytes& f) { f.clear(); }, S::WrongSize, ok, none},
        {"class record with a wrong combo count", "Omaha.bin",
         [](Bytes& f) { EditRecord(f, kClassRecordSize, 100, [](std::uint8_t* r) { r[12] ^= 0x40; }); },
         S::BadRecord, ok, none},
        {"class record with a foreign card", "Omaha.bin",
         [](Bytes& f) { EditRecord(f, kClassRecordSize, 16431, [](std::uint8_t* r) { r[1] |= 0xF0; }); },
         S::BadRecord, ok, none},
        {"hand file one record short", "Combos.bin", [](Bytes& f) { f.resize(f.size() - kHandRecordSize); },
         ok, S::WrongSize, none},
        {"hand file one record long", "Combos.bin",
         [](Bytes& f) { f.insert(f.end(), f.begin(), f.begin() + kHandRecordSize); }, ok, S::WrongSize, none},
        {"hand file cut inside a record", "Combos.bin", [](Bytes& f) { f.resize(f.size() - 2); }, ok,
         S::WrongSize, none},
        {"class index 16432", "Combos.bin",
         [](Bytes& f) {
             EditRecord(f, kHandRecordSize, kHandCount - 1, [](std::uint8_t* r) { r[3] = 0x40; r[4] = 0x30; });
         },
         ok, S::BadRecord, none},
        {"class index 65535 in the middle", "Combos.bin",
         [](Bytes& f) { EditRecord(f, kHandRecordSize, 5000, [](std::uint8_t* r) { r[3] = r[4] = 0xFF; }); },
         ok, S::BadRecord, none},
        {"hands out of class order", "Combos.bin",
         [](Bytes& f) { EditRecord(f, kHandRecordSize, 10, [](std::uint8_t* r) { r[3] = 0x01; }); }, ok,
         S::BadRecord, none},
        {"a hand twice", "Combos.bin",
         [](Bytes& f) {
             std::uint8_t first[kHandRecordSize];
             std::memcpy(first, f.data(), kHandRecordSize);
             ScrambleRecord(first, kHandRecordSize, 0);
             EditRecord(f, kHandRecordSize, 1, [&](std::uint8_t* r) { std::memcpy(r, first, 3); });
         },
         ok, S::BadRecord, none},
        {"a hand moved into the next class", "Combos.bin",
         [](Bytes& f) {
             // The last hand of class 1 joins class 2: still sorted, but class 1 is short.
             int i = 0;
             while (ClassOfHandRecord(f, i + 1) <= 1)
                 ++i;
             EditRecord(f, kHandRecordSize, i, [](std::uint8_t* r) { r[3] = 0; r[4] = 2; });
         },
         ok, ok, S::Mismatch},
    };
    const Bytes classFile = ReadFile(kDataFolder / "Omaha.bin");
    const Bytes handFile = ReadFile(kDataFolder / "Combos.bin");
    for (const Damage& d : cases) {
        SCOPED_TRACE(d.name);
        TempFolder folder;
        Bytes classBytes = classFile, handBytes = handFile;
        d.change(std::string(d.file) == "Omaha.bin" ? classBytes : handBytes);
        WriteFile(folder.path() / "Omaha.bin", classBytes);
        WriteFile(folder.path() / "Combos.bin", handBytes);

        COmahaBase base;
        const TableLoadResult result = base.LoadTables(folder.path());
        EXPECT_EQ(result.classFile.status, d.classStatus);
        EXPECT_EQ(result.handFile.status, d.handStatus);
        EXPECT_EQ(result.agreement.status, d.agreement);
        EXPECT_TRUE(result.HasError());
        EXPECT_FALSE(result.Loaded());
        const std::wstring message = result.Message();
        const std::wstring blamed = d.agreement == S::Mismatch ? L"do not belong together" :
                                    d.classStatus != ok    ? L"\"Omaha.bin\"" : L"\"Combos.bin\"";
        EXPECT_NE(message.find(blamed), std::wstring::npos) << std::string(message.begin(), message.end());

        // A refused table is left as if its file were absent.
        const bool classesRefused = d.classStatus != ok || d.agreement == S::Mismatch;
        const bool handsRefused = d.handStatus != ok || d.agreement == S::Mismatch;
        if (classesRefused) {
            EXPECT_EQ(base.m_classCount, 0);
            for (int k = 0; k < kClassCount; ++k)
                ASSERT_TRUE(IsInitialClass(base.m_classes[k])) << k;
        } else {
            EXPECT_EQ(base.m_classCount, kClassCount);
        }
        if (handsRefused) {
            for (int i = 0; i < kHandCount; ++i)
                ASSERT_EQ(base.m_hands[i], HandRecord{}) << i;
            EXPECT_EQ(base.m_classes[0].endHand, kHandCount);
        }
    }
}

TEST(HandBase, MessagesNameTheFaultAndTheRecord)
{
    TableLoadResult result;
    result.classFile.status = TableFileStatus::WrongSize;
    result.classFile.size = 12;
    result.handFile.status = TableFileStatus::BadRecord;
    result.handFile.record = 17;
    result.handFile.reason = "the class index is out of range";
    const std::wstring message = result.Message();
    EXPECT_NE(message.find(L"\"Omaha.bin\" has 12 bytes instead of 3828656"), std::wstring::npos);
    EXPECT_NE(message.find(L"\"Combos.bin\" is damaged: record 17: the class index is out of range."),
              std::wstring::npos);
}

TEST(HandBase, WritingWithoutTablesFails)
{
    TempFolder folder;
    COmahaBase base;
    const TableWriteResult result = base.WriteTables(folder.path() / "a", folder.path() / "b");
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.message.empty());
    EXPECT_FALSE(fs::exists(folder.path() / "a"));
}

TEST(HandBase, WritingIntoAMissingFolderFails)
{
    COmahaBase base;
    base.LoadTables(kDataFolder);
    TempFolder folder;
    const TableWriteResult result =
        base.WriteTables(folder.path() / "no" / "Omaha.bin", folder.path() / "no" / "Combos.bin");
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.message.empty());
}

// ---- percentile selection ----

class Percentile : public ::testing::Test {
protected:
    // Class k has one hand, hand k; Hi position k in row 0, Hi/Lo position
    // 16431 - k in row 0, outside-ranking position k / 2 in row 9.
    void SetUp() override
    {
        base.m_classes.reset(new HandClassRecord[kClassCount]);
        for (int k = 0; k < kClassCount; ++k) {
            HandClassRecord& c = base.m_classes[k];
            c.firstHand = k;
            c.endHand = k + 1;
            c.stats[kStatPos][0] = k;
            c.stats[kStatPosHiLo][0] = kClassCount - 1 - k;
            c.stats[kStatPos][kOutsideRankingRow] = k / 2;
        }
    }
    int Flagged() const
    {
        return static_cast<int>(std::count_if(std::begin(base.m_classFlags.m_flags),
                                              std::end(base.m_classFlags.m_flags), [](int f) { return f != 0; }));
    }
    COmahaBase base;
};

TEST_F(Percentile, BandsOfTheRanking)
{
    struct Case {
        double low, high;
        int order;
        bool hiLo;
        int flagged;
        int firstClass, lastClass;  // of the flagged ones
    };
    const Case cases[] = {
        {0, 100, 1, false, kClassCount, 0, kClassCount - 1},
        {0, 10, 1, false, 1644, 0, 1643},               // positions 0 .. 1643.2
        {50, 100, 1, false, 8216, 8216, kClassCount - 1},
        {0, 10, 1, true, 1644, kClassCount - 1644, kClassCount - 1},
        {0, 10, 0, false, 3288, 0, 3287},               // outside ranking: two classes per position
        {5, 5, 1, false, 0, -1, -1},                    // hi is not above lo
        {10, 5, 1, false, 0, -1, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.low << "-" << c.high << " order " << c.order);
        base.m_selection.Clear();
        base.SelectPercentile(c.low, c.high, c.order, c.hiLo);
        EXPECT_EQ(Flagged(), c.flagged);
        EXPECT_EQ(base.m_selection.Count(), c.flagged);
        if (c.flagged > 0) {
            EXPECT_EQ(base.m_classFlags.m_flags[c.firstClass], 1);
            EXPECT_EQ(base.m_classFlags.m_flags[c.lastClass], 1);
            EXPECT_EQ(base.m_selection.TestBit(c.firstClass), 1);
            EXPECT_EQ(base.m_selection.TestBit(c.lastClass), 1);
        }
    }
}

TEST_F(Percentile, BadBoundsOrOrderChangeNothing)
{
    struct Case {
        double low, high;
        int order;
    };
    const Case cases[] = {
        {-1, 10, 1}, {0, 100.5, 1}, {101, 101, 1}, {0, -0.1, 1}, {0, 10, 10}, {0, 10, -1}, {NAN, 10, 1},
        {0, NAN, 1},
    };
    for (const Case& c : cases) {
        base.m_classFlags.m_flags[3] = 7;
        base.m_selection.Clear();
        base.m_selection.SetBit(9);
        base.SelectPercentile(c.low, c.high, c.order, false);
        EXPECT_EQ(base.m_classFlags.m_flags[3], 7) << c.low << " " << c.high << " " << c.order;
        EXPECT_EQ(Flagged(), 1);
        EXPECT_EQ(base.m_selection.Count(), 1);
    }
}

TEST_F(Percentile, AddsToTheSelection)
{
    base.m_selection.SetBit(kHandCount - 1);
    base.SelectPercentile(0, 1, 1, false);
    EXPECT_EQ(base.m_selection.TestBit(kHandCount - 1), 1);
    EXPECT_EQ(base.m_selection.Count(), 165 + 1);  // positions 0 .. 164.32
}

}  // namespace
