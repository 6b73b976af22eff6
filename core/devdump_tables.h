#pragma once
// Maintenance of the table files for the people who build them (hidden
// developer commands): dump both tables as tab-separated text, import Hi/Lo
// rankings into the loaded class table, and write the tables back as
// scrambled files. Every file lives in `folder`; the program passes its
// current folder (an empty path).

#include "core/handbase.h"

#include <filesystem>

inline constexpr char kClassDumpName[] = "Omaha16432.txt";
inline constexpr char kHandDumpName[] = "Omaha270725.txt";
inline constexpr char kClassRewriteName[] = "Omaha.bin2";
inline constexpr char kHandRewriteName[] = "Combos.bin2";
// Formatted with n = 1..9: the classes against n random hands, best first.
inline constexpr char kHiLoRankingNameFormat[] = "OmahaHiLorandomVs%dSorted.txt";
inline constexpr int kHiLoRankingFiles = 9;

// "Omaha16432.txt" (each loaded class, its fields and its eleven statistic
// rows) and "Omaha270725.txt" (every hand and its class). A file that cannot
// be created is skipped; false when either was not written whole.
bool DumpTables(const COmahaBase& base, const std::filesystem::path& folder = {});

// For n = 1..9, the lines of "OmahaHiLorandomVs<n>Sorted.txt" (hand text with
// the suits written a, b, c, d for d, h, s, c, then six tab-separated
// percentages with two decimals: equity, high win, high tie, low win, low
// tie, scoop) go into row n - 1 of the classes they name: columns EqHiLo to
// Scoop, and PosHiLo numbered in file order. Missing files and unreadable
// lines are skipped. Returns the number of lines stored.
int ImportHiLoRankings(COmahaBase& base, const std::filesystem::path& folder = {});

// "Omaha.bin2" and "Combos.bin2" in the format of the table files. When a
// value does not fit the format (an imported statistic out of range, say)
// nothing is written; the message says why, or which file failed.
TableWriteResult WriteTableFiles(const COmahaBase& base, const std::filesystem::path& folder = {});
