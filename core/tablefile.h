#pragma once
// Byte layout of the two table files: one scrambled record per class
// ("Omaha.bin", 233 bytes) and per hand ("Combos.bin", 5 bytes).
// Reading checks every field, so a damaged or foreign file is refused
// instead of filling the tables with nonsense.

#include "core/records.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

constexpr int kClassRecordSize = 233;
constexpr int kHandRecordSize = 5;
constexpr std::size_t kClassFileSize = static_cast<std::size_t>(kClassCount) * kClassRecordSize;
constexpr std::size_t kHandFileSize = static_cast<std::size_t>(kHandCount) * kHandRecordSize;

// Scrambles plain bytes, or unscrambles stored bytes (the operation is its own inverse).
void ScrambleRecord(std::uint8_t* bytes, std::size_t size, int recordIndex);

// Plain record bytes. The unpackers return null for a sound record, else why it is not.
void PackClassRecord(const HandClassRecord& record, std::uint8_t out[kClassRecordSize]);
const char* UnpackClassRecord(const std::uint8_t in[kClassRecordSize], HandClassRecord& record);
void PackHandRecord(const HandRecord& record, std::uint8_t out[kHandRecordSize]);
const char* UnpackHandRecord(const std::uint8_t in[kHandRecordSize], HandRecord& record);

enum class TableFileStatus {
    Loaded,
    Missing,      // could not be opened
    Unreadable,   // opened, but reading failed
    WrongSize,    // short, long or cut inside a record
    BadRecord,    // a record with a value the format does not allow
    Mismatch,     // the two files do not describe the same hands
    NoMemory,
};

struct TableFileReport {
    TableFileStatus status = TableFileStatus::Missing;
    std::size_t size = 0;      // bytes found, for WrongSize
    int record = -1;           // first record found wrong
    std::string reason;        // what is wrong with it
};

// Whole files, scrambled as stored. On success every slot of the table
// (kClassCount or kHandCount records) is filled; on failure the table's
// content is undefined and the caller resets it.
TableFileReport ReadClassTable(std::span<const std::uint8_t> file, HandClassRecord* table);
TableFileReport ReadHandTable(std::span<const std::uint8_t> file, HandRecord* table);
// Every hand lies in a class of its own shape, and every class holds
// comboCount hands. Needs the hand ranges (ComputeHandRanges) first.
TableFileReport CheckTablesAgree(const HandClassRecord* classes, const HandRecord* hands);
// firstHand/endHand of every class slot, from the hand table sorted by class.
void ComputeHandRanges(HandClassRecord* classes, const HandRecord* hands);

// Scrambled file bytes of `count` records. False, with the record and the
// reason, when a record cannot be written so that it reads back unchanged.
bool EncodeClassTable(const HandClassRecord* table, int count, std::vector<std::uint8_t>& file,
                      TableFileReport* failure);
bool EncodeHandTable(const HandRecord* table, int count, std::vector<std::uint8_t>& file,
                     TableFileReport* failure);
