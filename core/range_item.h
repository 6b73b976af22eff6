#pragma once
// One item of the range language: a hand pattern of four card positions
// ("AA**", "[AK]Q+*/ds", "KQJT/r000") or a percentile slice of a hand ranking
// ("15%:3/np"), each with optional filters after "/".

#include <string>
#include <string_view>

// The word that stands for every hand unless the application translates it.
inline constexpr wchar_t kDefaultRandomWord[] = L"random";

constexpr int kItemCardCount = 4;
constexpr int kRankCount = 13;
// An item holds at most this many filter texts; a longer list makes it invalid.
constexpr int kMaxItemFilters = 50;
// Upper bound of the "N+" number ranges of the h, s and sf filters.
constexpr int kNumberRangeOpenHigh = 27;

class COmahaHand {
public:
    // Parses the text at once; the caller reads m_valid. The random word is the
    // application's word for every hand ("random" unless translated).
    explicit COmahaHand(std::wstring_view text = {},
                        std::wstring_view randomWord = kDefaultRandomWord);
    virtual ~COmahaHand() = default;

    void Reset();
    void Parse(std::wstring_view text);

    // One rank token at pos ("A", "Q+", "K-9", "B", "*"): 1 and pos past it, or 0.
    // A failed range form ("K-x") leaves pos past its letter and "-".
    static int ReadRankToken(std::wstring_view text, size_t& pos, std::wstring& token);
    // One lower-case suit letter d, h, s or c at pos: 1 and pos past it, or 0.
    static int ReadSuitToken(std::wstring_view text, size_t& pos, std::wstring& token);
    // Flags by rank index (ace 0 .. deuce 12) of a rank token; unknown tokens allow nothing.
    static void RankTokenToSet(std::wstring_view token, int flags[kRankCount]);
    // Completes a hand pattern of fewer than four cards with "*" cards.
    static void PadHandText(std::wstring& text);
    // Checks one filter text (without or with its leading "/") and records its
    // number range; 1 accepted, 0 rejected.
    int ParseFilter(std::wstring_view filter);

    std::wstring GetFilter(int index) const;
    // The item for display: cards wrapped in the labels' bold codes (ESC E, ESC F)
    // with their brackets, or the percentile slice; then "/" and each filter.
    std::wstring FormatDescription() const;

    std::wstring m_text;
    int m_cardCount = 0;
    std::wstring m_rankTexts[kItemCardCount];
    int m_rankSets[kItemCardCount][kRankCount] = {};
    std::wstring m_suitTexts[kItemCardCount];
    int m_groups[kItemCardCount] = {};
    int m_filterCount = 0;
    std::wstring m_filters[kMaxItemFilters];
    int m_valid = 1;
    int m_isPercentile = 0;
    double m_percentLow = 0.0;
    double m_percentHigh = 0.0;
    int m_order = 0;
    int m_pointsRange[2] = {-1, -1};
    int m_straightShapeRange[2] = {-1, -1};
    int m_straightFlushShapeRange[2] = {-1, -1};

private:
    void ParseHandPattern(std::wstring text);
    void ParseFilters(std::wstring_view filterPart);

    std::wstring m_randomWord;
};

// "N", "N+" (N to 27) or "N-M" (an empty M reads as 0), decimal digits only:
// 1 and the bounds, or 0. Numbers too large for an int saturate.
int ParseNumberRange(std::wstring_view text, int* low, int* high);

// 1 for an empty text or a card text such as "Ah" (rank 2-9 T J Q K A, suit c d h s).
int IsValidCardText(std::wstring_view text);
// 1 for eight characters of four card texts; a card given twice is not looked for.
int IsValidHandText(std::wstring_view text);
