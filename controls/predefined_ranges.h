// The predefined-ranges file "PreflopPredefined.ini" in the current folder: reading its section
// "Predefined" and parsing its lines.
//
// Line grammar: leading dots give the depth; "Name {range}" gives the item a range text (the
// character right before the brace is the separator and is dropped); a trailing degree sign
// followed by a digit d shows the item in red when d >= 1, followed by a letter picks the
// item's picture (letter - 'a' + 2).
#pragma once

#include <vector>

#include "framework/afxwin.h"

constexpr wchar_t kPredefinedRangesFile[] = L"PreflopPredefined.ini";
constexpr wchar_t kPredefinedRangesSection[] = L"Predefined";

// Reads the whole section, however long, as NUL-separated lines ended by an empty line (the
// form GetPrivateProfileSectionW gives). While it reads, the application's profile name points
// to the file; afterwards it is set to restoreProfileName (when not null) or back to what it
// was. Returns the number of characters read, 0 when the file or the section is missing.
int ReadPredefinedRanges(CString& section, LPCTSTR restoreProfileName);

// The lines of a section as ReadPredefinedRanges returns it, up to the first empty line.
std::vector<CString> SplitProfileSection(const CString& section);

struct PredefinedRangeLine {
  int depth = 0;          // leading dots
  CString name;
  CString range;          // empty without a brace
  bool hasBrace = false;  // the item is drawn bold
  int colourFlag = 0;     // digit marker; >= 1 shows the item in red
  int imageLetter = -1;   // letter marker - 'a'; negative without one
  bool selectable = false;  // has a range, or is named "none"
};

// Parses one line; false for a line that is empty once trailing white space is cut.
bool ParsePredefinedRangeLine(const CString& line, PredefinedRangeLine& parsed);
