// The two text files the program reads from its folder: the predefined ranges, read through
// the profile API as the frame's tree reads them, and the syntax page.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/handbase.h"
#include "core/range_expr.h"
#include "core/range_item.h"
#include "resource.h"
#include "resource_module.h"

namespace {

constexpr int kSectionBuffer = 15000;  // characters the program reads of the section

std::vector<std::wstring> PredefinedLines(DWORD* copied = nullptr) {
    std::vector<wchar_t> buffer(kSectionBuffer);
    DWORD n = GetPrivateProfileSectionW(L"Predefined", buffer.data(), kSectionBuffer,
                                        res::DataFile(L"PreflopPredefined.ini").c_str());
    if (copied) *copied = n;
    std::vector<std::wstring> lines;
    for (DWORD at = 0; at < n && buffer[at];) {
        std::wstring line(buffer.data() + at);
        at += DWORD(line.size()) + 1;
        lines.push_back(line);
    }
    return lines;
}

// One entry as the tree turns it into an item.
struct Entry {
    int depth = 0;
    std::wstring name;
    std::wstring range;
    bool hasRange = false;
    wchar_t marker = 0;
};

Entry ParseEntry(std::wstring line) {
    Entry e;
    while (!line.empty() && iswspace(line.back())) line.pop_back();
    size_t degree = line.find(L'\x00B0');
    if (degree != std::wstring::npos) {
        e.marker = degree + 1 < line.size() ? line[degree + 1] : L' ';
        line.resize(degree);
    }
    while (e.depth < int(line.size()) && line[e.depth] == L'.') ++e.depth;
    line.erase(0, e.depth);
    size_t brace = line.find(L'{');
    if (brace != std::wstring::npos) {
        e.hasRange = true;
        e.range = line.substr(brace + 1);
        while (!e.range.empty() && iswspace(e.range.back())) e.range.pop_back();
        if (!e.range.empty() && e.range.back() == L'}') e.range.pop_back();
        e.name = brace > 0 ? line.substr(0, brace - 1) : L"";
        if (brace > 0 && line[brace - 1] != L' ') e.name += L"<no blank before {>";
    } else {
        e.name = line;
    }
    while (!e.name.empty() && iswspace(e.name.back())) e.name.pop_back();
    return e;
}

std::string Narrow(const std::wstring& w) { return std::string(w.begin(), w.end()); }

TEST(PredefinedRanges, SectionFitsTheProgramsBuffer) {
    DWORD copied = 0;
    std::vector<std::wstring> lines = PredefinedLines(&copied);
    ASSERT_GT(copied, 0u) << "no section \"Predefined\" in the file";
    // The profile API returns size - 2 when it had to cut the section.
    EXPECT_LT(copied, DWORD(kSectionBuffer - 2));
    EXPECT_GE(lines.size(), 100u);
}

TEST(PredefinedRanges, EveryLineMakesTheTreeItemItMeans) {
    std::vector<std::wstring> lines = PredefinedLines();
    ASSERT_FALSE(lines.empty());
    const int images = res::LoadPixels(IDB_TREE_IMAGES).width / 16;
    int ranges = 0;
    int markers = 0;
    std::vector<Entry> entries;
    for (const std::wstring& line : lines) entries.push_back(ParseEntry(line));
    for (size_t i = 0; i < entries.size(); ++i) {
        const Entry& e = entries[i];
        SCOPED_TRACE(Narrow(lines[i]));
        EXPECT_FALSE(e.name.empty());
        EXPECT_EQ(e.name.find(L'<'), std::wstring::npos) << "the character before \"{\" is cut from the name";
        EXPECT_EQ(lines[i].find(L'='), std::wstring::npos) << "the profile API splits at \"=\"";
        // Depth grows by one level at a time; extra dots would be dropped silently.
        int previous = i ? entries[i - 1].depth : 0;
        EXPECT_LE(e.depth, previous + 1);
        bool hasChildren = i + 1 < entries.size() && entries[i + 1].depth > e.depth;
        if (e.marker) {
            ++markers;
            if (!iswdigit(e.marker)) {
                EXPECT_TRUE(hasChildren) << "leaves always show the range image";
                EXPECT_GE(e.marker, L'a');
                EXPECT_LT(e.marker - L'a' + 2, images) << "no tree image for this marker";
            }
        }
        if (!e.hasRange) {
            EXPECT_TRUE(hasChildren) << "a caption without entries below it";
            continue;
        }
        ++ranges;
        ASSERT_FALSE(e.range.empty());
        int open = 0;
        for (wchar_t c : e.range) {
            EXPECT_TRUE(iswalnum(c) || wcschr(L".+-[]*%:/,|&!()", c)) << "character " << char(c);
            open += c == L'(' ? 1 : c == L')' ? -1 : 0;
            EXPECT_GE(open, 0);
        }
        EXPECT_EQ(open, 0);
    }
    EXPECT_GE(ranges, 100);
    EXPECT_GE(markers, 10) << "the degree signs must survive the file's encoding";
}

// The seat receives the range as the dialog shows it: every item in its display form (bold
// codes removed), joined by the delimiters that stood between the items.
std::wstring DisplayForm(const std::wstring& range) {
    const std::wstring delimiters = L",&!|() ";
    std::wstring out;
    size_t at = 0;
    while (at < range.size()) {
        size_t end = range.find_first_of(delimiters, at);
        if (end == at) {
            out += range[at++];
            continue;
        }
        if (end == std::wstring::npos) end = range.size();
        std::wstring shown = COmahaHand(range.substr(at, end - at)).FormatDescription();
        for (size_t i = 0; i < shown.size(); ++i) {
            if (shown[i] == L'\x1b') {
                ++i;
            } else {
                out += shown[i];
            }
        }
        at = end;
    }
    return out;
}

class PredefinedRangeTexts : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        base_ = new COmahaBase;
        loaded_ = base_->LoadTables(std::filesystem::path(res::DataFile(L""))).Loaded();
    }
    static void TearDownTestSuite() { delete base_; }
    static COmahaBase* base_;
    static bool loaded_;
};
COmahaBase* PredefinedRangeTexts::base_ = nullptr;
bool PredefinedRangeTexts::loaded_ = false;

TEST_F(PredefinedRangeTexts, AreValidAndSelectHandsInBothGames) {
    ASSERT_TRUE(loaded_) << "table files";
    // Percentile items need the rankings of the class table; tables made without the
    // equity statistics rank every class first, so their slices say nothing.
    base_->SelectRange(L"50%");
    const bool ranked = base_->CountSelectedHands() < kHandCount;
    if (!ranked) std::printf("the class table has no rankings: percentile ranges are only parsed\n");
    for (const std::wstring& line : PredefinedLines()) {
        Entry e = ParseEntry(line);
        if (!e.hasRange) continue;
        SCOPED_TRACE(Narrow(line));
        EXPECT_EQ(CheckRangeSyntax(Narrow(e.range)), 0);
        EXPECT_EQ(base_->IsValidRangeText(e.range), 1);
        if (!ranked && e.range.find(L'%') != std::wstring::npos) continue;
        for (bool hiLo : {false, true}) {
            base_->m_rangeSettings.useHiLo = hiLo;
            base_->SelectRange(e.range);
            EXPECT_GT(base_->CountSelectedHands(), 0) << (hiLo ? "Omaha Hi/Lo" : "Omaha");
        }
        base_->m_rangeSettings.useHiLo = false;
    }
}

TEST_F(PredefinedRangeTexts, KeepTheirHandsWhenTakenToTheSeat) {
    ASSERT_TRUE(loaded_) << "table files";
    for (const std::wstring& line : PredefinedLines()) {
        Entry e = ParseEntry(line);
        if (!e.hasRange) continue;
        std::wstring taken = DisplayForm(e.range);
        SCOPED_TRACE(Narrow(line) + " taken as " + Narrow(taken));
        base_->SelectRange(e.range);
        int hands = base_->CountSelectedHands();
        ASSERT_EQ(base_->IsValidRangeText(taken), 1);
        base_->SelectRange(taken);
        EXPECT_EQ(base_->CountSelectedHands(), hands);
    }
}

std::string ReadFile(const std::wstring& path) {
    std::ifstream in(path.c_str(), std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST(SyntaxPage, IsAPlainPageTheViewerShowsWhole) {
    std::string page = ReadFile(res::DataFile(L"Syntax.html"));
    ASSERT_FALSE(page.empty());
    EXPECT_LE(page.size(), 500000u) << "the viewer reads at most 500,000 bytes";
    EXPECT_EQ(page.rfind("<html>", 0), 0u);
    EXPECT_NE(page.find("</html>"), std::string::npos);
    EXPECT_EQ(page.find("<script"), std::string::npos);
    for (unsigned char c : page) ASSERT_LT(c, 128u) << "read in the system's 8-bit code page: entities only";
}

TEST(SyntaxPage, DocumentsEveryPartOfTheRangeLanguage) {
    std::string page = ReadFile(res::DataFile(L"Syntax.html"));
    auto documented = [&](const std::string& code) {
        return page.find("<code>" + code + "</code>") != std::string::npos;
    };
    for (const char* keyword : {"np", "nt", "nq", "op", "alop", "tp", "tr", "altr", "qu", "rb", "ss", "alss",
                                "os", "ds", "ts", "alts", "mt", "sa", "sna", "h", "s", "sf", "r0", "r00", "r000"}) {
        EXPECT_TRUE(documented(keyword)) << "filter " << keyword;
    }
    for (const char* rankClass : {"B", "R", "N", "F", "M", "Z", "Y", "L", "W", "*", "?"}) {
        EXPECT_TRUE(documented(rankClass)) << "rank class " << rankClass;
    }
    for (const char* op : {",", "|", "&amp;", "!", "( )", "Q+", "K-9", "10%", "5-10%", "10%:3/np", "****",
                           "random", "[AK]**", "N+", "N-M"}) {
        EXPECT_TRUE(documented(op)) << op;
    }
    EXPECT_NE(page.find("No results found. Simulation is either impossible or cannot be completed."),
              std::string::npos) << "the message a user sees for a range without hands";
}

}  // namespace
