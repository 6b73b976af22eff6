// Range texts selected on a full in-memory base, each checked hand by hand
// against a count of its own written straight from the cards.
#include "core/handbase.h"
#include "core/range_match.h"
#include "range_fixture.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

enum Rank { A = 0, K, Q, J, T, R9, R8, R7, R6, R5, R4, R3, R2 };
enum Suit { D = 0, H, S, C };

struct Hand {
    int r[4];
    int s[4];
    const HandClassRecord* record;

    int Count(int rank) const {
        int n = 0;
        for (int i = 0; i < 4; ++i) n += r[i] == rank;
        return n;
    }
    bool Has(int rank, int suit) const {
        for (int i = 0; i < 4; ++i) {
            if (r[i] == rank && s[i] == suit) return true;
        }
        return false;
    }
    // Cards whose rank is one of the letters.
    int CountIn(const char* letters) const {
        static const std::string kOrder = "AKQJT98765432";
        int n = 0;
        for (int i = 0; i < 4; ++i) n += std::string(letters).find(kOrder[static_cast<size_t>(r[i])]) != std::string::npos;
        return n;
    }
    int SuitCount(int suit) const {
        int n = 0;
        for (int i = 0; i < 4; ++i) n += s[i] == suit;
        return n;
    }
    // Largest group of one rank, and the number of distinct ranks.
    int MaxSame() const {
        int best = 0;
        for (int i = 0; i < 4; ++i) best = std::max(best, Count(r[i]));
        return best;
    }
    int DistinctRanks() const {
        int n = 0;
        for (int rank = 0; rank < 13; ++rank) n += Count(rank) > 0;
        return n;
    }
    // Suit counts, largest first.
    std::vector<int> SuitShape() const {
        std::vector<int> shape;
        for (int suit = 0; suit < 4; ++suit) {
            if (SuitCount(suit)) shape.push_back(SuitCount(suit));
        }
        std::sort(shape.rbegin(), shape.rend());
        return shape;
    }
    bool SuitedWith(int i) const {
        for (int j = 0; j < 4; ++j) {
            if (j != i && s[j] == s[i]) return true;
        }
        return false;
    }
    int Gap(int i) const { return r[i + 1] - r[i]; }  // cards are stored ace first
    int Pos(int row) const { return record->stats[kStatPos][row]; }
};

using Predicate = std::function<bool(const Hand&)>;

const std::vector<Hand>& Hands() {
    static const std::vector<Hand> hands = [] {
        const COmahaBase& base = range_fixture::Base();
        std::vector<Hand> all(kHandCount);
        for (int i = 0; i < kHandCount; ++i) {
            const HandRecord& h = base.m_hands[i];
            for (int k = 0; k < 4; ++k) {
                all[static_cast<size_t>(i)].r[k] = h.ranks[k];
                all[static_cast<size_t>(i)].s[k] = h.suits[k];
            }
            all[static_cast<size_t>(i)].record = &base.m_classes[h.classIndex];
        }
        return all;
    }();
    return hands;
}

bool AnyOrder(const std::function<bool(const int order[4])>& fits) {
    int order[4] = {0, 1, 2, 3};
    do {
        if (fits(order)) return true;
    } while (std::next_permutation(order, order + 4));
    return false;
}

bool InPos(const Hand& h, int row, double lowPercent, double highPercent) {
    const double lo = lowPercent * kClassCount / 100;
    const double hi = highPercent * kClassCount / 100;
    return lo <= h.Pos(row) && h.Pos(row) <= hi;
}

struct Case {
    const char* text;
    Predicate expected;
    int knownCount = -1;  // where the count is known from outside
};

const Predicate kNone = [](const Hand&) { return false; };
const Predicate kAll = [](const Hand&) { return true; };
const Predicate kAA = [](const Hand& h) { return h.Count(A) >= 2; };
const Predicate kKK = [](const Hand& h) { return h.Count(K) >= 2; };

const std::vector<Case>& Cases() {
    static const std::vector<Case> cases = {
        // Item forms.
        {"****", kAll, 270725},
        {"random", kAll, 270725},
        {" random", kAll, 270725},
        {"AA**", kAA, 6961},
        {"AA", kAA, 6961},
        {"AsKs**", [](const Hand& h) { return h.Has(A, S) && h.Has(K, S); }, 1225},
        {"[AK]**", [](const Hand& h) {
             for (int x = 0; x < 4; ++x) if (h.Has(A, x) && h.Has(K, x)) return true;
             return false; }, 4894},
        {"[AK][QJ]", [](const Hand& h) {
             for (int x = 0; x < 4; ++x)
                 for (int y = 0; y < 4; ++y)
                     if (x != y && h.Has(A, x) && h.Has(K, x) && h.Has(Q, y) && h.Has(J, y)) return true;
             return false; }, 12},
        {"AAKK", [](const Hand& h) { return h.Count(A) == 2 && h.Count(K) == 2; }, 36},
        {"Q+Q+**", [](const Hand& h) { return h.CountIn("AKQ") >= 2; }},
        {"K-9***", [](const Hand& h) { return h.CountIn("KQJT9") >= 1; }},
        {"9-K***", [](const Hand& h) { return h.CountIn("KQJT9") >= 1; }},
        {"2+2+2+2+", kAll},
        {"BB**", [](const Hand& h) { return h.CountIn("AKQJ") >= 2; }},
        {"RRRR", [](const Hand& h) { return h.CountIn("AKQJT") == 4; }},
        {"NN**", [](const Hand& h) { return h.CountIn("KQJT9") >= 2; }},
        {"F", [](const Hand& h) { return h.CountIn("KQJ") >= 1; }},
        {"MMM", [](const Hand& h) { return h.CountIn("T987") >= 3; }},
        {"ZZZZ", [](const Hand& h) { return h.CountIn("65432") == 4; }},
        {"YY", [](const Hand& h) { return h.CountIn("5432") >= 2; }},
        {"LLLL", [](const Hand& h) { return h.CountIn("A8765432") == 4; }},
        {"WWW", [](const Hand& h) { return h.CountIn("A5432") >= 3; }},
        {"s", [](const Hand& h) { return h.SuitCount(S) >= 1; }},
        {"hhhh", [](const Hand& h) { return h.SuitCount(H) == 4; }, 715},
        {"Ah*h", [](const Hand& h) { return h.Has(A, H) && h.SuitCount(H) >= 2; }},
        {"[AKQ]", [](const Hand& h) {
             for (int x = 0; x < 4; ++x) if (h.Has(A, x) && h.Has(K, x) && h.Has(Q, x)) return true;
             return false; }},
        {"[A*][K*]", [](const Hand& h) {
             return AnyOrder([&](const int o[4]) {
                 return h.r[o[0]] == A && h.r[o[2]] == K && h.s[o[0]] == h.s[o[1]] &&
                        h.s[o[2]] == h.s[o[3]] && h.s[o[0]] != h.s[o[2]];
             }); }},
        {"[AsK]", [](const Hand& h) { return h.Has(A, S) && h.Has(K, S); }, 1225},
        {"[A]***", [](const Hand& h) { return h.Count(A) >= 1; }},
        {"[**][**]", [](const Hand& h) { return h.SuitShape() == std::vector<int>{2, 2}; }, 36504},
        {"[****]", [](const Hand& h) { return h.SuitShape() == std::vector<int>{4}; }, 2860},
        {"A[K*]*", [](const Hand& h) {
             return AnyOrder([&](const int o[4]) {
                 return h.r[o[0]] == A && h.r[o[1]] == K && h.s[o[1]] == h.s[o[2]];
             }); }},
        {"/np", [](const Hand& h) { return h.DistinctRanks() == 4; }, 183040},
        {":5", kAll},
        // Keyword filters.
        {"****/np", [](const Hand& h) { return h.DistinctRanks() == 4; }, 183040},
        {"****/nt", [](const Hand& h) { return h.MaxSame() <= 2; }},
        {"****/nq", [](const Hand& h) { return h.MaxSame() <= 3; }},
        {"****/op", [](const Hand& h) { return h.MaxSame() == 2 && h.DistinctRanks() == 3; }},
        {"****/alop", [](const Hand& h) { return h.MaxSame() >= 2; }},
        {"****/tp", [](const Hand& h) { return h.MaxSame() == 2 && h.DistinctRanks() == 2; }},
        {"****/tr", [](const Hand& h) { return h.MaxSame() == 3; }},
        {"****/altr", [](const Hand& h) { return h.MaxSame() >= 3; }},
        {"****/qu", [](const Hand& h) { return h.MaxSame() == 4; }, 13},
        {"****/rb", [](const Hand& h) { return h.SuitShape() == std::vector<int>{1, 1, 1, 1}; }},
        {"****/ss", [](const Hand& h) { return h.SuitShape() == std::vector<int>{2, 1, 1}; }},
        {"****/alss", [](const Hand& h) { return h.SuitShape()[0] >= 2; }},
        {"****/os", [](const Hand& h) { return h.SuitShape() != std::vector<int>{2, 2} && h.SuitShape()[0] >= 2; }},
        {"****/ds", [](const Hand& h) { return h.SuitShape() == std::vector<int>{2, 2}; }, 36504},
        {"****/ts", [](const Hand& h) { return h.SuitShape() == std::vector<int>{3, 1}; }},
        {"****/alts", [](const Hand& h) { return h.SuitShape()[0] >= 3; }},
        {"****/mt", [](const Hand& h) { return h.SuitShape()[0] == 4; }, 2860},
        {"****/sa", [](const Hand& h) {
             for (int i = 0; i < 4; ++i) if (h.r[i] == A && h.SuitedWith(i)) return true;
             return false; }},
        {"****/sna", [](const Hand& h) {
             for (int i = 0; i < 4; ++i)
                 for (int j = i + 1; j < 4; ++j)
                     if (h.r[i] != A && h.r[j] != A && h.s[i] == h.s[j]) return true;
             return false; }},
        {"AA**/ds", [](const Hand& h) { return h.Count(A) >= 2 && h.SuitShape() == std::vector<int>{2, 2}; }},
        {"****/np/ds", [](const Hand& h) { return h.DistinctRanks() == 4 && h.SuitShape() == std::vector<int>{2, 2}; }},
        {"random/ds", [](const Hand& h) { return h.SuitShape() == std::vector<int>{2, 2}; }, 36504},
        {"****/np/op", kNone},
        {"****/alop/alts", [](const Hand& h) { return h.MaxSame() >= 2 && h.SuitShape()[0] >= 3; }},
        // An empty piece stands for nothing; the filters after it still apply.
        {"AA**//np", [](const Hand& h) { return h.Count(A) >= 2 && h.DistinctRanks() == 4; }, 0},
        {"KQ**//ds/", [](const Hand& h) { return h.Count(K) >= 1 && h.Count(Q) >= 1 && h.SuitShape() == std::vector<int>{2, 2}; }},
        // Rundowns over the stored order (ace first).
        {"****/r000", [](const Hand& h) { return h.Gap(0) == 1 && h.Gap(1) == 1 && h.Gap(2) == 1; }},
        {"****/r0", [](const Hand& h) { return h.Gap(0) == 1 || h.Gap(1) == 1 || h.Gap(2) == 1; }},
        {"****/r01", [](const Hand& h) {
             return (h.Gap(0) == 1 && h.Gap(1) == 2) || (h.Gap(1) == 1 && h.Gap(2) == 2); }},
        {"****/r5", [](const Hand& h) { return h.Gap(0) == 6 || h.Gap(1) == 6 || h.Gap(2) == 6; }},
        {"****/r0/r1", [](const Hand& h) { return h.Gap(0) == 2 || h.Gap(1) == 2 || h.Gap(2) == 2; }},
        {"KQJT/r000", [](const Hand& h) { return h.CountIn("KQJT") == 4 && h.DistinctRanks() == 4; }, 256},
        // Number ranges of the class records.
        {"****/h20+", [](const Hand& h) { return h.record->points >= 20; }},
        {"****/h3-5", [](const Hand& h) { return h.record->points >= 3 && h.record->points <= 5; }},
        {"****/s0", [](const Hand& h) { return h.record->straightShapes == 0; }},
        {"****/s5-", kNone},
        {"****/s18+", [](const Hand& h) { return h.record->straightShapes >= 18; }},
        {"****/sf2-3", [](const Hand& h) { return h.record->straightFlushShapes >= 2 && h.record->straightFlushShapes <= 3; }},
        {"AA**/h10/s5+/sf8", [](const Hand& h) {
             return h.Count(A) >= 2 && h.record->points == 10 && h.record->straightShapes >= 5 &&
                    h.record->straightFlushShapes == 8; }},
        // Percentiles over the class positions (order 0: the outside ranking, row 9).
        {"10%", [](const Hand& h) { return InPos(h, 9, 0, 10); }},
        {"5-10%:3", [](const Hand& h) { return InPos(h, 2, 5, 10); }},
        {"10%:3/np", [](const Hand& h) { return InPos(h, 2, 0, 10) && h.DistinctRanks() == 4; }},
        {"0.5%:9/ds", [](const Hand& h) { return InPos(h, 8, 0, 0.5) && h.SuitShape() == std::vector<int>{2, 2}; }},
        {"100%", kAll},
        {"0%", kNone},
        {"5-5%", kNone},
        {"150%", kNone},
        {"-10%", kNone},
        {"10%:10", kNone},
        {"10%:-1", kNone},
        {"%", kNone},
        {"5%,[AK]**/np", [](const Hand& h) {
             bool ak = false;
             for (int x = 0; x < 4; ++x) ak = ak || (h.Has(A, x) && h.Has(K, x));
             return InPos(h, 9, 0, 5) || (ak && h.DistinctRanks() == 4); }},
        // Operators.
        {"AA**,KK**", [](const Hand& h) { return kAA(h) || kKK(h); }, 13886},
        {"AA**|KK**", [](const Hand& h) { return kAA(h) || kKK(h); }, 13886},
        {"A***&K***", [](const Hand& h) { return h.Count(A) >= 1 && h.Count(K) >= 1; }},
        {"****!AA**", [](const Hand& h) { return !kAA(h); }, 270725 - 6961},
        {"AA**,KK**&A***", [](const Hand& h) { return (kAA(h) || kKK(h)) && h.Count(A) >= 1; }},
        {"A***&KK**,AA**", [](const Hand& h) { return h.Count(A) >= 1 && (kKK(h) || kAA(h)); }},
        {"****!AA**,KK**", [](const Hand& h) { return !(kAA(h) || kKK(h)); }},
        {"****!AA**!KK**", [](const Hand& h) { return !kAA(h) && !kKK(h); }},
        {"(A***&/ds)!AAAA", [](const Hand& h) {
             return h.Count(A) >= 1 && h.Count(A) < 4 && h.SuitShape() == std::vector<int>{2, 2}; }},
        {"AA**!(KK**,QQ**)", [](const Hand& h) { return kAA(h) && h.Count(K) < 2 && h.Count(Q) < 2; }},
        {"!AA**", kNone},
        {",AA**", kAA},
        {"&AA**", kNone},
        {"AA**(!KK**)", [](const Hand& h) { return kAA(h) && !kKK(h); }},
        {" AA** , KK** ", [](const Hand& h) { return kAA(h) || kKK(h); }},
        {"\tAA**\n,KK**", [](const Hand& h) { return kAA(h) || kKK(h); }},
        {"A A**", kAA},  // the selection drops blanks, and so does the validity check
        {"", kNone},
        {"()", kNone},
    };
    return cases;
}

struct ErrorCase {
    const wchar_t* text;
};

std::string Label(std::wstring_view text) {
    std::string label;
    for (wchar_t c : text) label += c < 128 ? static_cast<char>(c) : '?';
    return label;
}

void ExpectClassFlagsFollowSelection(const COmahaBase& base, const std::string& label) {
    std::vector<int> expected(kClassCount, 0);
    for (int i = 0; i < kHandCount; ++i) {
        if (base.m_selection.TestBit(i)) expected[static_cast<size_t>(base.m_hands[i].classIndex)] = 1;
    }
    int mismatches = 0;
    for (int k = 0; k < kClassCount; ++k) mismatches += (base.m_classFlags.m_flags[k] != 0) != (expected[static_cast<size_t>(k)] != 0);
    EXPECT_EQ(mismatches, 0) << label;
}

class RangeSelect : public ::testing::Test {
protected:
    void SetUp() override { base().m_rangeSettings = RangeSettings(); }
    COmahaBase& base() { return range_fixture::Base(); }
};

TEST_F(RangeSelect, EveryFormFilterAndOperatorAgainstCounting) {
    const std::vector<Hand>& hands = Hands();
    for (const Case& c : Cases()) {
        const std::wstring text(c.text, c.text + std::string(c.text).size());
        base().SelectRange(text);
        int expected = 0;
        int wrong = 0;
        int firstWrong = -1;
        for (int i = 0; i < kHandCount; ++i) {
            const bool want = c.expected(hands[static_cast<size_t>(i)]);
            expected += want;
            if (want != (base().m_selection.TestBit(i) != 0)) {
                if (firstWrong < 0) firstWrong = i;
                ++wrong;
            }
        }
        EXPECT_EQ(wrong, 0) << c.text << " first wrong hand " << firstWrong;
        EXPECT_EQ(base().CountSelectedHands(), expected) << c.text;
        if (c.knownCount >= 0) {
            EXPECT_EQ(expected, c.knownCount) << c.text;
        }
        EXPECT_EQ(base().IsValidRangeText(text), 1) << c.text;
        ExpectClassFlagsFollowSelection(base(), c.text);
    }
}

TEST_F(RangeSelect, UnreadableTextsSelectNothingAndAreShownInvalid) {
    const ErrorCase cases[] = {
        {L"AAKKQ"},      {L"(AA**"},        {L"AA**)"},      {L"AA**#"},        {L"AA**,,KK**"},
        {L"AA** KK**"},  {L"AA**, ,KK**"},  {L"(AA**)(KK**)"}, {L"AA**(KK**)"}, {L"AA**,"},        {L"AA**/zz"},
        {L"[AK"},        {L"\u00C4A**"},    {L"AA**$ds"},    {L"AA**?"},        {L"Random"},
        {L"random**"},   {L"AA**/r1234"},
        // Characters beyond 8 bits never pass for the character of their low byte
        // (U+012C would read as ",", U+FF0C as a form feed).
        {L"AA**\u012CKK**"}, {L"AA**\uFF0CKK**"},
        {L"(((((((((((AA**)))))))))))!(KK**,(QQ**,(JJ**,(TT**,(99**,(88**,(77**,(66**,(55**,44**)))))))))"},
    };
    for (const ErrorCase& c : cases) {
        const std::string label = Label(c.text);
        base().SelectRange(L"****");
        base().SelectRange(c.text);
        EXPECT_EQ(base().CountSelectedHands(), 0) << label;
        EXPECT_EQ(base().CountSelectedClasses(), 0) << label;
        EXPECT_EQ(base().IsValidRangeText(c.text), 0) << label;
    }
}

TEST_F(RangeSelect, HiLoGameRanksByTheHiLoPositions) {
    base().m_rangeSettings.useHiLo = true;
    base().SelectRange(L"10%:4");
    int expected = 0;
    for (const Hand& h : Hands()) {
        const int pos = h.record->stats[kStatPosHiLo][3];
        expected += pos <= 0.1 * kClassCount;
    }
    EXPECT_EQ(base().CountSelectedHands(), expected);
    EXPECT_EQ(base().CountSelectedClasses(), 1644);  // positions 0..1,643
}

TEST_F(RangeSelect, TranslatedRandomWord) {
    base().m_rangeSettings.randomWord = L"zufall";
    base().SelectRange(L"zufall");
    EXPECT_EQ(base().CountSelectedHands(), kHandCount);
    EXPECT_EQ(base().CountSelectedClasses(), kClassCount);
    base().SelectRange(L"zufall/mt");
    EXPECT_EQ(base().CountSelectedHands(), 2860);
    EXPECT_EQ(base().IsValidRangeText(L"zufall"), 1);
    EXPECT_EQ(base().IsValidRangeText(L"random"), 0);
    base().SelectRange(L"random");
    EXPECT_EQ(base().CountSelectedHands(), 0);
}

TEST_F(RangeSelect, ItemsUseTheSelectionAsScratch) {
    // An item adds to what the caller left in the selection, and flags its classes.
    base().m_selection.Clear();
    std::fill(std::begin(base().m_classFlags.m_flags), std::end(base().m_classFlags.m_flags), 0);
    base().ApplyRangeItem(L"AAAA");
    base().ApplyRangeItem(L"KKKK");
    EXPECT_EQ(base().CountSelectedHands(), 2);
    EXPECT_EQ(base().CountSelectedClasses(), 2);

    CBitArray out;
    out.SetBit(5);
    SelectRangeItem(out, base(), L"AsKs**");
    EXPECT_EQ(out.Count(), 1225);
    EXPECT_EQ(out.TestBit(5), base().m_selection.TestBit(5));
    SelectRangeItem(out, base(), L"AAKKQ");
    EXPECT_EQ(out.Count(), 0);
}

TEST_F(RangeSelect, ExpandSelectionWritesTheMasksInTableOrder) {
    base().SelectRange(L"AsKs**");
    std::vector<CardMask> masks(kHandCount + 1, 0);
    int count = -1;
    base().ExpandSelection(masks.data(), &count);
    ASSERT_EQ(count, 1225);
    const CardMask as = CardMaskOf(A, S);
    const CardMask ks = CardMaskOf(K, S);
    int n = 0;
    for (int i = 0; i < kHandCount; ++i) {
        if (!base().m_selection.TestBit(i)) continue;
        EXPECT_EQ(masks[static_cast<size_t>(n)], HandRecordToMask(base().m_hands[i]));
        EXPECT_EQ(masks[static_cast<size_t>(n)] & (as | ks), as | ks);
        ++n;
    }
    EXPECT_EQ(masks[1225], 0u);

    base().SelectRange(L"****");
    base().ExpandSelection(masks.data(), &count);
    EXPECT_EQ(count, kHandCount);
    EXPECT_EQ(masks[kHandCount], 0u);
}

TEST(RangeSelectUnloaded, EmptyBaseSelectsOnlyTheWholeDeckWithoutClasses) {
    COmahaBase empty;
    empty.SelectRange(L"AA**");
    EXPECT_EQ(empty.CountSelectedHands(), 0);
    empty.SelectRange(L"10%");
    EXPECT_EQ(empty.CountSelectedHands(), 0);
    empty.SelectRange(L"****");
    EXPECT_EQ(empty.CountSelectedHands(), kHandCount);
    EXPECT_EQ(empty.CountSelectedClasses(), 0);
    std::vector<CardMask> masks(4);
    int count = -1;
    empty.ExpandSelection(masks.data(), &count);
    EXPECT_EQ(count, 0);
}

}  // namespace
