// Input histories of the main dialog's seats: per seat the last ten distinct range texts that
// were evaluated, newest first, kept in the settings file's section "RecentInput" under the
// keys "Combo<seat>Text<entry>" (entry 0 the newest). The dialog's side is in
// recent_input.cpp: COmahaVantornDlg::LoadRecentInput, SaveRecentInput, AddRecentInput and
// RecordRecentInput.
#pragma once

#include <vector>

#include "framework/afxwin.h"

constexpr int kRecentInputEntries = 10;
constexpr wchar_t kSectionRecentInput[] = L"RecentInput";

// "Combo<seat>Text<entry>", numbers without leading zeros.
CString RecentInputKey(int seat, int entry);

// Puts text, trimmed, at the top of a history: an equal entry (compared exactly) moves up, and
// a full history loses its oldest entry. Empty texts and the words that select every hand
// ("****" and allHandsWord, compared exactly) are not kept. Returns whether it was added.
bool AddToRecentInput(std::vector<CString>& history, const CString& text, const CString& allHandsWord);

// A seat's history as stored: the non-empty values of its ten keys in key order. Gaps close
// up, and a text that is already listed is not listed again.
std::vector<CString> ReadRecentInput(CWinApp& app, int seat);

// Stores a seat's history under keys 0 to size - 1 and removes the seat's keys after them, so
// that no older entry comes back at the next start.
void WriteRecentInput(CWinApp& app, int seat, const std::vector<CString>& history);
