#pragma once
// The starting-hand base: the class table, the hand table sorted by class,
// the per-class selection flags and the current hand selection.

#include "core/bitarray.h"
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

    std::unique_ptr<HandClassRecord[]> m_classes;  // kClassCount slots
    std::unique_ptr<HandRecord[]> m_hands;         // kHandCount records
    std::int32_t m_classCount = 0;
    COmahaBaseSelection16432 m_classFlags;
    CBitArray m_selection;

private:
    void ResetClassTable();
    void ResetHandTable();
};
