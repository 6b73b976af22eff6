// Scenario files (".vof"): the main dialog's inputs as "Key=value" lines, one byte per
// character, CR LF line ends. Reading and writing only; the main dialog moves the values
// between the record and its controls.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "framework/afx.h"

constexpr int kScenarioSeats = 10;
// Longest line the format holds (without its line end).
constexpr size_t kScenarioMaxLine = 9999;
// Larger files are refused: a full scenario is far below this.
constexpr size_t kScenarioMaxFileSize = 1024 * 1024;

// A scenario. A value that is absent was not named in the file: loading leaves that input as it is.
struct Scenario {
  std::array<std::optional<CString>, kScenarioSeats> players;
  std::optional<CString> flop, turn, river, dead;

  // A record with every value present and empty (what an empty dialog saves).
  static Scenario Empty();
  bool operator==(const Scenario&) const = default;
};

// The file's bytes for a scenario: all 14 lines in order, absent values written empty. Fails,
// with a message, when a text holds a character the format cannot store (above U+00FF).
bool FormatScenario(const Scenario& scenario, std::string* bytes, CString* error);

// Parses a file's bytes. On failure the record is left untouched and the message says why:
// binary or huge data, a line too long, a seat number
// outside 0 to 9, or nothing the format knows. Lines without "=", lines starting with "=" and
// unknown keys are skipped, so hand-written notes do not spoil a file.
bool ParseScenario(const std::string& bytes, Scenario* scenario, CString* error);

// Reads a scenario file; nothing changes when it cannot be read or parsed.
bool LoadScenarioFile(LPCTSTR path, Scenario* scenario, CString* error);

// Writes a scenario file through a temporary file in the same folder that then replaces the
// target, so a failed write leaves any previous file as it was.
bool SaveScenarioFile(LPCTSTR path, const Scenario& scenario, CString* error);

// The name offered when saving (without folder and extension): the first seat holding exactly
// two cards, then every ticked seat with another text as "[text]" (cut to 8 characters and "...")
// joined by " vs. ", then " Board=" and the board when there is one; "*" becomes "x" and "/"
// becomes "-". boardLabel is "Board:" (its ":" becomes "=").
CString DefaultScenarioName(const std::array<CString, kScenarioSeats>& seatTexts,
                            const std::array<bool, kScenarioSeats>& ticked, const CString& board,
                            const CString& boardLabel);

// The folder part of a path: before its last "/" when it has one, else before its last "\";
// empty when it has neither.
CString ScenarioFolderOf(const CString& path);
