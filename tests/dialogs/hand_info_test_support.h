// What the hand analysis dialogs' tests share: cards named by their texts on a dialog's grids,
// clicks on them, and the facts the class table itself gives for a hand, written out here from
// the table's record (not through the dialogs' formatting).
#pragma once

#include <gtest/gtest.h>

#include <cwchar>
#include <string>

#include "app/omaha_app.h"
#include "controls/html/html_tooltip.h"
#include "core/handbase.h"
#include "gui_harness.h"

namespace handtest {

// The grid button of a card text ("Ah") in the grid whose ids start at first.
inline HWND CardButton(HWND dialog, int first, const wchar_t* card) {
  static const std::wstring ranks = L"AKQJT98765432", suits = L"dhsc";
  const size_t rank = ranks.find(card[0]), suit = suits.find(card[1]);
  if (rank == std::wstring::npos || suit == std::wstring::npos) return nullptr;
  return ::GetDlgItem(dialog, first + 13 * static_cast<int>(suit) + static_cast<int>(rank));
}
// Clicks each card of a text of two-letter cards, as the button takes a click.
inline void ClickCards(HWND dialog, int first, const std::wstring& cards) {
  for (size_t i = 0; i + 1 < cards.size(); i += 2) {
    HWND button = CardButton(dialog, first, cards.substr(i, 2).c_str());
    ASSERT_NE(button, nullptr) << "no button for " << std::string(cards.begin() + i, cards.begin() + i + 2);
    ::SendMessageW(button, BM_CLICK, 0, 0);
  }
}
inline std::wstring Text(HWND dialog, int id) { return gui::WindowText(::GetDlgItem(dialog, id)); }

inline std::wstring Printf(const wchar_t* format, double value) {
  wchar_t buffer[64];
  std::swprintf(buffer, 64, format, value);
  return buffer;
}

// A class's facts as the class table holds them.
struct ExpectedFacts {
  std::wstring rankType, suitType, combos, straightShapes, straightFlushShapes, points;
  std::wstring equity[10], rank[10];
};
inline ExpectedFacts FactsOf(const std::wstring& hand, bool hiLo) {
  ExpectedFacts facts;
  const HandClassRecord* record = GetOmahaApp()->m_handBase.FindClassRecord(hand);
  if (!record) {
    for (auto& rank : facts.rank) rank = L"- / 16432";
    return facts;
  }
  static const wchar_t* const kRankNames[] = {L"XXXX", L"XXXY", L"XXYY", L"XXYZ", L"XYZR"};
  static const wchar_t* const kSuitNames[] = {L"aaaa", L"aaab", L"aabb", L"aabc", L"abcd"};
  facts.rankType = kRankNames[record->rankPattern];
  facts.suitType = kSuitNames[record->suitPattern];
  facts.combos = std::to_wstring(record->comboCount);
  facts.straightShapes = std::to_wstring(record->straightShapes);
  facts.straightFlushShapes = std::to_wstring(record->straightFlushShapes);
  facts.points = Printf(L"%.1f", record->points);
  for (int k = 0; k < 10; ++k) {
    const int hundredths = hiLo ? record->stats[kStatEqHiLo][k] : record->stats[kStatWin][k] + record->stats[kStatSplit][k];
    facts.equity[k] = Printf(L"%.2f%%", hundredths / 100.0);
    const int position = hiLo ? record->stats[kStatPosHiLo][k] : record->stats[kStatPos][k];
    facts.rank[k] = L"\x1b" L"E" + std::to_wstring(position + 1) + L"\x1b" L"F / 16432";
  }
  return facts;
}

// The ids of one set of fact controls.
struct FactIds {
  int rankType, suitType, combos, straightShapes, straightFlushShapes, points, equityFirst, rankFirst, outsideRank;
};
constexpr FactIds kHand1Ids = {1270, 1271, 1073, 1075, 1077, 1079, 1210, 1150, 1159};
constexpr FactIds kHand2Ids = {1272, 1273, 1451, 1082, 1084, 1085, 1225, 1250, 1259};

// The shown facts equal the class table's (empty ones for an incomplete hand).
inline void ExpectFactsShown(HWND dialog, const FactIds& ids, const ExpectedFacts& facts, const std::wstring& what) {
  SCOPED_TRACE(std::string(what.begin(), what.end()));
  EXPECT_EQ(Text(dialog, ids.rankType), facts.rankType);
  EXPECT_EQ(Text(dialog, ids.suitType), facts.suitType);
  EXPECT_EQ(Text(dialog, ids.combos), facts.combos);
  EXPECT_EQ(Text(dialog, ids.straightShapes), facts.straightShapes);
  EXPECT_EQ(Text(dialog, ids.straightFlushShapes), facts.straightFlushShapes);
  EXPECT_EQ(Text(dialog, ids.points), facts.points);
  for (int k = 0; k < 9; ++k) {
    EXPECT_EQ(Text(dialog, ids.equityFirst + k), facts.equity[k]) << "against " << k + 1;
    EXPECT_EQ(Text(dialog, ids.rankFirst + k), facts.rank[k]) << "against " << k + 1;
  }
  EXPECT_EQ(Text(dialog, ids.outsideRank), facts.rank[9]) << "the outside ranking";
}

// The text the dialog gives a tool of its tooltip when the tip is about to show; the tool's
// text was "kept" before.
inline std::wstring TipShowing(HWND dialog, CPPToolTip& tooltip, int controlId) {
  PPToolInfo tool;
  tool.id = static_cast<UINT>(controlId);
  tool.text = L"kept";
  POINT point = {0, 0};
  PPToolTipShowing note = {};
  note.hdr.hwndFrom = tooltip.GetSafeHwnd();
  note.hdr.idFrom = 0;
  note.hdr.code = TIPN_SHOWING;
  note.toolWnd = ::GetDlgItem(dialog, controlId);
  note.point = &point;
  note.tool = &tool;
  ::SendMessageW(dialog, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&note));
  return std::wstring(tool.text);
}

}  // namespace handtest
