#pragma once
// The starting-hand base: the class table, the hand table sorted by class,
// the per-class selection flags and the current hand selection.

#include "core/bitarray.h"
#include "core/cards.h"
#include "core/range_settings.h"
#include "core/records.h"
#include "core/tablefile.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

inline constexpr char kClassFileName[] = "Omaha.bin";
inline constexpr char kHandFileName[] = "Combos.bin";

class COmahaBaseSelection16432 {
public:
    virtual ~COmahaBaseSelection16432() = default;
    std::int32_t m_flags[kClassCount] = {};
};

// What loading found. Absent files are not an error (the program starts
// with empty tables); anything else that kept a file out is.
struct TableLoadResult {
    TableFileReport classFile;
    TableFileReport handFile;
    TableFileReport agreement;  // Loaded when both files were loaded and describe the same hands

    bool Loaded() const;
    bool HasError() const;
    // A text for the user naming the file and the fault; empty without error.
    std::wstring Message() const;
};

struct TableWriteResult {
    bool ok = false;
    std::wstring message;  // why nothing (or not everything) was written
};

class COmahaBase {
public:
    COmahaBase() = default;
    COmahaBase(const COmahaBase&) = delete;
    COmahaBase& operator=(const COmahaBase&) = delete;
    virtual ~COmahaBase();

    // Reads "Omaha.bin" and "Combos.bin" from the current folder. The caller
    // shows the wait cursor meanwhile and reports result.Message() on error.
    TableLoadResult LoadTables();
    TableLoadResult LoadTables(const std::filesystem::path& folder);
    TableLoadResult LoadTables(const std::filesystem::path& classFile, const std::filesystem::path& handFile);

    // Writes the loaded tables in the format LoadTables reads.
    TableWriteResult WriteTables(const std::filesystem::path& classFile,
                                 const std::filesystem::path& handFile) const;

    // Flags the classes ranked within low..high percent by the ranking of
    // `order` (1..9: against that many random hands; 0: the outside ranking)
    // and adds their hands to the selection. Bad bounds or order change nothing.
    void SelectPercentile(double lowPercent, double highPercent, int order, bool useHiLo);

    // ---- The range language: selecting range text and questions about the
    // selection and the tables (range_match.cpp, range_select.cpp, range_list.cpp).
    RangeSettings m_rangeSettings;  // the application keeps it current

    // Adds the hands of one item to the selection, which the caller clears first.
    void ApplyRangeItem(const COmahaHand& item);
    void ApplyRangeItem(std::wstring_view itemText);
    // Replaces the selection and the class flags by the hands of the range text.
    void SelectRange(std::wstring_view text);
    // The masks of the selected hands in table order (room for kHandCount).
    void ExpandSelection(CardMask* masks, int* count) const;
    int CountSelectedClasses() const;
    int CountSelectedHands() const;
    // "12 / 16432 Distinct hands = 0.07%,   ..." with the labels' bold and colour codes;
    // a count of -1 leaves its part out.
    std::wstring FormatSelectionSummary(int classCount, int handCount,
                                        std::wstring_view distinctText = L"Distinct hands",
                                        std::wstring_view combosText = L"Combos") const;
    // 1 when SelectRange can read the text.
    int IsValidRangeText(std::wstring_view text) const;
    const HandClassRecord* FindClassRecord(std::wstring_view handText) const;
    int FindClassIndexOfCards(const CardPair cards[4]) const;
    int FindClassIndexByText(std::wstring_view handText) const;
    static std::wstring GetRankPatternName(int code);
    static std::wstring GetSuitPatternName(int code);
    std::wstring GetSingleHand(int index, int keepSuits) const;
    // Lists the selected classes (sorted by the ranking row when row >= 0) or
    // hands, at most limit of them (below 1: all), separated by ", ".
    void ListSelectedClasses(std::wstring& out, int patternForm, int limit, int row, int hiLo,
                             ListingProgress* progress) const;
    void ListSelectedHands(std::wstring& out, int limit, int images, std::wstring_view modulePath,
                           ListingProgress* progress) const;
    // ---- end of the range language

    std::unique_ptr<HandClassRecord[]> m_classes;  // kClassCount slots
    std::unique_ptr<HandRecord[]> m_hands;         // kHandCount records
    std::int32_t m_classCount = 0;
    COmahaBaseSelection16432 m_classFlags;
    CBitArray m_selection;

private:
    void ResetClassTable();
    void ResetHandTable();
};
