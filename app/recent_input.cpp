#include "app/recent_input.h"

#include <algorithm>

#include "app/main_dialog.h"
#include "app/omaha_app.h"

CString RecentInputKey(int seat, int entry) {
  CString key;
  key.Format(L"Combo%dText%d", seat, entry);
  return key;
}

bool AddToRecentInput(std::vector<CString>& history, const CString& text, const CString& allHandsWord) {
  CString entry = text;
  entry.Trim();
  if (entry.IsEmpty() || entry == L"****" || entry == allHandsWord) return false;
  int equal = -1;
  for (size_t i = 0; i < history.size(); ++i) {
    CString listed = history[i];
    listed.Trim();
    if (listed == entry) equal = static_cast<int>(i);
  }
  if (equal >= 0) {
    history.erase(history.begin() + equal);
  } else {
    while (history.size() >= static_cast<size_t>(kRecentInputEntries)) history.pop_back();
  }
  history.insert(history.begin(), entry);
  return true;
}

std::vector<CString> ReadRecentInput(CWinApp& app, int seat) {
  std::vector<CString> history;
  for (int entry = 0; entry < kRecentInputEntries; ++entry) {
    CString value = app.GetProfileString(kSectionRecentInput, RecentInputKey(seat, entry), nullptr);
    value.Trim();
    if (value.IsEmpty() || std::find(history.begin(), history.end(), value) != history.end()) continue;
    history.push_back(value);
  }
  return history;
}

void WriteRecentInput(CWinApp& app, int seat, const std::vector<CString>& history) {
  const int count = std::min(static_cast<int>(history.size()), kRecentInputEntries);
  for (int entry = 0; entry < kRecentInputEntries; ++entry) {
    const CString key = RecentInputKey(seat, entry);
    if (entry < count) {
      app.WriteProfileString(kSectionRecentInput, key, history[static_cast<size_t>(entry)]);
    } else if (!app.GetProfileString(kSectionRecentInput, key, nullptr).IsEmpty()) {
      app.WriteProfileString(kSectionRecentInput, key, nullptr);
    }
  }
}

// The dialog's side: the history combos are the only store while the program runs.

namespace {

std::vector<CString> ComboEntries(CComboBox& combo) {
  std::vector<CString> entries;
  const int count = combo.GetCount();
  for (int i = 0; i < count; ++i) {
    CString text;
    combo.GetLBText(i, text);
    entries.push_back(text);
  }
  return entries;
}

void SetComboEntries(CComboBox& combo, const std::vector<CString>& entries) {
  combo.ResetContent();
  for (const CString& text : entries) combo.AddString(text);
  combo.EnableWindow(entries.empty() ? FALSE : TRUE);
}

CString AllHandsWord() {
  COmahaVantornApp* app = GetOmahaApp();
  return app && !app->m_randomKeyword.IsEmpty() ? app->m_randomKeyword : CString(L"random");
}

}  // namespace

void COmahaVantornDlg::LoadRecentInput() {
  CWinApp* app = AfxGetApp();
  if (!app) return;
  for (int seat = 0; seat < kSeats; ++seat)
    if (m_historyCombos[seat].GetSafeHwnd()) SetComboEntries(m_historyCombos[seat], ReadRecentInput(*app, seat));
}

void COmahaVantornDlg::SaveRecentInput() {
  CWinApp* app = AfxGetApp();
  if (!app) return;
  for (int seat = 0; seat < kSeats; ++seat) {
    if (!m_historyCombos[seat].GetSafeHwnd()) continue;
    const std::vector<CString> entries = ComboEntries(m_historyCombos[seat]);
    if (!entries.empty()) WriteRecentInput(*app, seat, entries);
  }
}

void COmahaVantornDlg::AddRecentInput(int seat, const CString& text) {
  if (seat < 0 || seat >= kSeats || !m_historyCombos[seat].GetSafeHwnd()) return;
  std::vector<CString> entries = ComboEntries(m_historyCombos[seat]);
  if (AddToRecentInput(entries, text, AllHandsWord())) SetComboEntries(m_historyCombos[seat], entries);
}

void COmahaVantornDlg::RecordRecentInput() {
  for (int seat = 0; seat < kSeats; ++seat) {
    if (!m_rangeEdits[seat].GetSafeHwnd()) continue;
    CString text;
    m_rangeEdits[seat].GetWindowText(text);
    AddRecentInput(seat, text);
  }
}
