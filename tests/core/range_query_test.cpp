// Questions about the selection and the tables: class look-ups, names,
// the summary line and the listings with their progress.
#include "core/cardtext.h"
#include "core/handbase.h"
#include "range_fixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::wstring StripCodes(const std::wstring& text) {
    std::wstring out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != L'\x1b') {
            out += text[i];
            continue;
        }
        ++i;  // the code letter
        if (i < text.size() && text[i] == L'C') ++i;  // and the colour digit
    }
    return out;
}

size_t CountEntries(const std::wstring& list) {
    if (list.empty()) return 0;
    size_t n = 1;
    for (size_t at = list.find(L", "); at != std::wstring::npos; at = list.find(L", ", at + 2)) ++n;
    return n;
}

struct RecordingProgress : ListingProgress {
    int begun = 0, ended = 0, updates = 0, stopAfter = -1, limit = -1, lastPosition = -1;
    std::wstring lastText;
    void Begin(int l) override {
        ++begun;
        limit = l;
    }
    bool Update(int position, const std::wstring& text) override {
        ++updates;
        lastPosition = position;
        lastText = text;
        return updates != stopAfter;
    }
    void End() override { ++ended; }
};

class RangeQuery : public ::testing::Test {
protected:
    void SetUp() override { base().m_rangeSettings = RangeSettings(); }
    COmahaBase& base() { return range_fixture::Base(); }
};

TEST_F(RangeQuery, ClassOfAHandText) {
    const HandClassRecord* record = base().FindClassRecord(L"AsKhQdJc");
    ASSERT_NE(record, nullptr);
    // Suits renamed consistently give the same class.
    EXPECT_EQ(base().FindClassRecord(L"AhKsQdJc"), record);
    EXPECT_EQ(base().FindClassRecord(L"JcQdKhAs"), record);
    EXPECT_NE(base().FindClassRecord(L"AsKsQdJc"), record);
    EXPECT_EQ(record->rankPattern, 4);
    EXPECT_EQ(record->suitPattern, 4);

    EXPECT_EQ(base().FindClassRecord(L"AsAsKdQd"), nullptr);  // a card twice
    EXPECT_EQ(base().FindClassRecord(L"AsKsXxJs"), nullptr);
    EXPECT_EQ(base().FindClassRecord(L"asKsQsJs"), nullptr);
    EXPECT_EQ(base().FindClassRecord(L"AsKsQs"), nullptr);
    EXPECT_EQ(COmahaBase().FindClassRecord(L"AsKhQdJc"), nullptr);

    const CardPair twice[4] = {{0, 2}, {0, 2}, {1, 0}, {2, 0}};
    EXPECT_EQ(base().FindClassIndexOfCards(twice), -1);
    const CardPair bad[4] = {{0, 2}, {13, 2}, {1, 0}, {2, 0}};
    EXPECT_EQ(base().FindClassIndexOfCards(bad), -1);

    // By text, only the representative's own cards are found.
    const int index = static_cast<int>(record - base().m_classes.get());
    const std::wstring representative = FormatHandClassText(record->cards, 1, 0);
    EXPECT_EQ(base().FindClassIndexByText(representative), index);
    EXPECT_EQ(base().FindClassIndexByText(L"AsKhQdJc"), representative == L"AsKhQdJc" ? index : -1);
    EXPECT_EQ(base().FindClassIndexByText(L"AdAdKdQd"), -1);
}

TEST_F(RangeQuery, PatternNamesAndSingleHands) {
    const wchar_t* ranks[] = {L"XXXX", L"XXXY", L"XXYY", L"XXYZ", L"XYZR", L"****", L"", L""};
    const wchar_t* suits[] = {L"aaaa", L"aaab", L"aabb", L"aabc", L"abcd", L"****", L"", L""};
    const int codes[] = {0, 1, 2, 3, 4, 5, 6, -1};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(COmahaBase::GetRankPatternName(codes[i]), ranks[i]);
        EXPECT_EQ(COmahaBase::GetSuitPatternName(codes[i]), suits[i]);
    }

    HandClassRecord& record = base().m_classes[0];
    const CardPair saved[4] = {record.cards[0], record.cards[1], record.cards[2], record.cards[3]};
    const CardPair cards[4] = {{0, 0}, {1, 1}, {2, 3}, {3, 2}};  // Ad Kh Qc Js
    for (int k = 0; k < 4; ++k) record.cards[k] = cards[k];
    EXPECT_EQ(base().GetSingleHand(0, 1), L"AdKhQcJs");
    EXPECT_EQ(base().GetSingleHand(0, 0), L"AaKbQdJc");
    for (int k = 0; k < 4; ++k) record.cards[k] = saved[k];

    EXPECT_EQ(base().GetSingleHand(kClassCount, 0), L"COmahaBase::GetSingleHand (16432): invalid Index\n");
    EXPECT_EQ(base().GetSingleHand(-1, 0), L"COmahaBase::GetSingleHand (-1): invalid Index\n");
    EXPECT_EQ(COmahaBase().GetSingleHand(0, 0), L"COmahaBase::GetSingleHand (0): invalid Index\n");
}

TEST_F(RangeQuery, SummaryLine) {
    const std::wstring both = base().FormatSelectionSummary(10, 100);
    EXPECT_EQ(StripCodes(both), L"10 / 16432 Distinct hands = 0.06%,   100 / 270725 Combos = 0.04%");
    EXPECT_EQ(both.substr(0, 3), L"\x1b" L"C6");
    EXPECT_NE(both.find(L"\x1b" L"E10\x1b" L"F"), std::wstring::npos);
    EXPECT_NE(both.find(L"\x1b" L"C0,   "), std::wstring::npos);
    EXPECT_EQ(base().FormatSelectionSummary(-1, -1), L"");
    EXPECT_EQ(StripCodes(base().FormatSelectionSummary(16432, -1)), L"16432 / 16432 Distinct hands = 100.00%");
    EXPECT_EQ(StripCodes(base().FormatSelectionSummary(-1, 270725)), L"270725 / 270725 Combos = 100.00%");
    EXPECT_EQ(StripCodes(base().FormatSelectionSummary(0, 0, L"Klassen", L"Kombinationen")),
              L"0 / 16432 Klassen = 0.00%,   0 / 270725 Kombinationen = 0.00%");
}

TEST_F(RangeQuery, CountsFollowTheSelection) {
    base().SelectRange(L"AAKK");
    EXPECT_EQ(base().CountSelectedHands(), 36);
    // Suit classes of AAKK: the 36 hands fall into classes by how their suits overlap.
    int classes = 0;
    for (int k = 0; k < kClassCount; ++k) classes += base().m_classFlags.m_flags[k] != 0;
    EXPECT_EQ(base().CountSelectedClasses(), classes);
    EXPECT_GT(classes, 1);
    EXPECT_LT(classes, 36);
}

TEST_F(RangeQuery, HandListingHonoursLimitProgressAndStop) {
    base().SelectRange(L"AA**");  // 6,961 hands

    RecordingProgress quiet;
    std::wstring list;
    base().ListSelectedHands(list, 100, 0, L"", &quiet);
    EXPECT_EQ(CountEntries(list), 100u);
    EXPECT_EQ(quiet.begun, 0);
    EXPECT_EQ(quiet.updates, 0);

    RecordingProgress shown;
    base().ListSelectedHands(list, 1000, 0, L"", &shown);
    EXPECT_EQ(CountEntries(list), 1000u);
    EXPECT_EQ(shown.begun, 1);
    EXPECT_EQ(shown.limit, 1000);
    EXPECT_EQ(shown.updates, 1000);
    EXPECT_EQ(shown.lastPosition, 1000);
    EXPECT_EQ(shown.lastText, L"100 % complete");
    EXPECT_EQ(shown.ended, 1);

    RecordingProgress stopped;
    stopped.stopAfter = 7;
    base().ListSelectedHands(list, 0, 1, L"C:\\x.exe", &stopped);
    EXPECT_EQ(CountEntries(list), 7u);
    EXPECT_EQ(stopped.limit, kHandCount);
    EXPECT_EQ(stopped.ended, 1);
    EXPECT_NE(list.find(L"res://C:\\x.exe/"), std::wstring::npos);

    // The first entry is the first selected hand of the table.
    int first = 0;
    while (!base().m_selection.TestBit(first)) ++first;
    base().ListSelectedHands(list, 1, 0, L"", nullptr);
    EXPECT_EQ(list, FormatHandRecordText(base().m_hands[first], 0, L""));

    base().ListSelectedHands(list, 0, 0, L"", nullptr);
    EXPECT_EQ(CountEntries(list), 6961u);
}

TEST_F(RangeQuery, ClassListingSortsByTheRankingRow) {
    base().SelectRange(L"AAKK");
    std::vector<std::pair<int, int>> expected;  // position, class
    for (int k = 0; k < kClassCount; ++k) {
        if (base().m_classFlags.m_flags[k]) expected.emplace_back(base().m_classes[k].stats[kStatPos][2], k);
    }
    std::sort(expected.begin(), expected.end());
    std::wstring want;
    for (const auto& [position, k] : expected) {
        if (!want.empty()) want += L", ";
        want += FormatHandClassText(base().m_classes[k].cards, 0, 1);
    }
    std::wstring list;
    base().ListSelectedClasses(list, 1, 0, 2, 0, nullptr);
    EXPECT_EQ(list, want);

    // Hi/Lo positions sort differently; row -1 keeps class order; the limit cuts.
    std::wstring hiLo;
    base().ListSelectedClasses(hiLo, 1, 0, 2, 1, nullptr);
    EXPECT_EQ(CountEntries(hiLo), expected.size());
    std::wstring unsorted;
    base().ListSelectedClasses(unsorted, 0, 2, -1, 0, nullptr);
    int firstClass = 0;
    while (!base().m_classFlags.m_flags[firstClass]) ++firstClass;
    EXPECT_EQ(unsorted.substr(0, unsorted.find(L", ")), FormatHandClassText(base().m_classes[firstClass].cards, 0, 0));
    EXPECT_EQ(CountEntries(unsorted), 2u);
    // A row past the table's rows is not read.
    base().ListSelectedClasses(list, 1, 0, 99, 0, nullptr);
    EXPECT_EQ(CountEntries(list), expected.size());
}

TEST_F(RangeQuery, ClassListingProgressFromFiveHundred) {
    base().SelectRange(L"****");
    RecordingProgress progress;
    progress.stopAfter = 300;
    std::wstring list;
    base().ListSelectedClasses(list, 0, 0, 0, 0, &progress);
    EXPECT_EQ(progress.limit, kClassCount);
    EXPECT_EQ(progress.updates, 300);
    EXPECT_EQ(progress.lastPosition, 299);
    EXPECT_EQ(progress.lastText, L"1 % complete");
    EXPECT_EQ(CountEntries(list), 300u);

    RecordingProgress none;
    base().ListSelectedClasses(list, 0, 499, 0, 0, &none);
    EXPECT_EQ(none.begun, 0);
    EXPECT_EQ(CountEntries(list), 499u);
}

}  // namespace
