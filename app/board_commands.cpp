// The main dialog's board and dead cards: the edits with their card displays and check boxes,
// the guards that keep cards in use out of them, clearing, and the board queries.
#include <algorithm>
#include <string>

#include "app/main_dialog.h"
#include "app/omaha_app.h"
#include "core/cards.h"
#include "core/range_item.h"
#include "dialogs/card_select_dialog.h"
#include "main_dialog_ids.h"
#include "small_dialogs.h"

namespace {

std::wstring WithoutBlanks(const CString& text) {
  std::wstring out;
  for (int i = 0; i < text.GetLength(); ++i)
    if (text[i] != L' ' && text[i] != L'\t') out.push_back(text[i]);
  return out;
}

// The (rank, suit) of a two-letter card, or false.
bool ReadCard(std::wstring_view two, int& rank, int& suit) {
  rank = suit = -1;
  if (two.size() != 2 || !IsValidCardText(two)) return false;
  ParseCardText(two, &rank, &suit);
  return rank >= 0 && suit >= 0;
}

}  // namespace

int COmahaVantornDlg::CollectCardsInUse(bool flop, bool turn, bool river, bool dead, bool ignoreChecks, int excludedSeat,
                                        std::vector<int>& ranks, std::vector<int>& suits) const {
  ranks.clear();
  suits.clear();
  const bool wanted[kStreets] = {flop, turn, river, dead};
  const int slots[kStreets] = {3, 1, 1, COwnerDrawCardButton::kSlots};
  for (int s = 0; s < kStreets; ++s) {
    if (!wanted[s] || !m_cardButtons[s].GetSafeHwnd()) continue;
    if (!ignoreChecks && !IsChecked(kCheckIds[s])) continue;
    const COwnerDrawCardButton& button = m_cardButtons[s];
    for (int k = 0; k < slots[s]; ++k) {
      const bool set = button.m_ranks[k] != -1 && button.m_suits[k] != -1;
      if (set) {
        ranks.push_back(button.m_ranks[k]);
        suits.push_back(button.m_suits[k]);
      } else if (s == kDead) {
        break;
      }
    }
  }
  for (int i = 0; i < kSeats; ++i) {
    if (i == excludedSeat || !m_rangeEdits[i].GetSafeHwnd()) continue;
    CString text;
    m_rangeEdits[i].GetWindowText(text);
    text.Trim();
    const std::wstring_view hand(text.GetString(), text.GetLength());
    if (!IsValidHandText(hand)) continue;
    for (int k = 0; k < 4; ++k) {
      int rank = -1, suit = -1;
      ParseCardText(hand.substr(2 * k, 2), &rank, &suit);
      ranks.push_back(rank);
      suits.push_back(suit);
    }
  }
  return static_cast<int>(ranks.size());
}

void COmahaVantornDlg::FillCardsInUse(CCardSelectDialog& dialog, const std::vector<int>& ranks,
                                       const std::vector<int>& suits) {
  const size_t count = std::min<size_t>(ranks.size(), CCardSelectDialog::kUsedSlots);
  for (size_t k = 0; k < count; ++k) {
    dialog.m_usedRanks[k] = ranks[k];
    dialog.m_usedSuits[k] = suits[k];
  }
}

void COmahaVantornDlg::OnSelectFlopCards() { PickStreetCards(kFlop); }
void COmahaVantornDlg::OnSelectTurnCard() { PickStreetCards(kTurn); }
void COmahaVantornDlg::OnSelectRiverCard() { PickStreetCards(kRiver); }
void COmahaVantornDlg::OnSelectDeadCards() { PickStreetCards(kDead); }

// The street's picker with its cards preloaded and the cards of the other inputs disabled; the
// picked cards go into the card display and the edit. The next-street button goes on from the
// flop to the turn and from the turn to the river.
void COmahaVantornDlg::PickStreetCards(int street) {
  static constexpr int kCounts[kStreets] = {3, 1, 1, CCardSelectDialog::kAnyCount};
  static constexpr int kModes[kStreets] = {CCardSelectDialog::kModeFlop, CCardSelectDialog::kModeTurn,
                                           CCardSelectDialog::kModeRiver, CCardSelectDialog::kModeDead};
  for (;;) {
    COwnerDrawCardButton& cards = m_cardButtons[street];
    CInputWithBackground& edit = m_boardEdits[street];
    if (!cards.GetSafeHwnd() || !edit.GetSafeHwnd()) return;
    CCardSelectDialog dialog(this);
    CRect anchor;
    edit.GetWindowRect(&anchor);
    dialog.m_anchorX = anchor.left;
    dialog.m_anchorY = anchor.top;
    dialog.m_placeAbove = 1;
    dialog.m_requestedCount = kCounts[street];
    dialog.m_mode = kModes[street];
    dialog.m_showNextButton = street == kFlop || street == kTurn ? 1 : 0;
    const int slots = street == kFlop ? 3 : street == kDead ? COwnerDrawCardButton::kSlots : 1;
    for (int k = 0; k < slots; ++k) {
      if (street == kDead && (cards.m_ranks[k] == -1 || cards.m_suits[k] == -1)) break;
      dialog.m_pickedRanks[k] = cards.m_ranks[k];
      dialog.m_pickedSuits[k] = cards.m_suits[k];
    }
    // The dead cards are refused the cards of unticked streets too: the typing guard, which
    // checks the text the picker writes, would take them back.
    std::vector<int> ranks, suits;
    CollectCardsInUse(street != kFlop, street != kTurn, street != kRiver, street != kDead, true, -1, ranks, suits);
    FillCardsInUse(dialog, ranks, suits);

    const INT_PTR result = dialog.DoModal();
    if (result != IDOK && result != IDC_CARD_SELECT_NEXT) return;
    for (int k = 0; k < slots; ++k) {
      if (street == kDead && (dialog.m_pickedRanks[k] < 0 || dialog.m_pickedSuits[k] < 0)) break;
      cards.m_ranks[k] = dialog.m_pickedRanks[k];
      cards.m_suits[k] = dialog.m_pickedSuits[k];
    }
    cards.Invalidate();
    edit.SetWindowText(dialog.GetSelectedCardsText());
    if (street == kDead) {
      SetChecked(IDC_DEAD_CHECK, true);
      OnDeadCheck();
    } else {
      for (int s = kFlop; s <= street; ++s) SetChecked(kCheckIds[s], true);
      UpdateControlStates();
    }
    if (result != IDC_CARD_SELECT_NEXT || (street != kFlop && street != kTurn)) return;
    ++street;
  }
}

// Typing guard: a card that another input already holds is taken back, letter by letter, as
// it is completed; a too long text is cut.
void COmahaVantornDlg::GuardStreetText(int street) {
  if (m_guarding) return;
  std::vector<int> ranks, suits;
  CollectCardsInUse(street != kFlop, street != kTurn, street != kRiver, street != kDead, true, -1, ranks, suits);
  auto inUse = [&](std::wstring_view two) {
    int rank, suit;
    if (!ReadCard(two, rank, suit)) return false;
    for (size_t k = 0; k < ranks.size(); ++k)
      if (ranks[k] == rank && suits[k] == suit) return true;
    return false;
  };
  CInputWithBackground& edit = m_boardEdits[street];
  CString current;
  edit.GetWindowText(current);
  std::wstring text(current.GetString(), current.GetLength());
  const size_t limit = street == kFlop ? 6 : street == kDead ? std::wstring::npos : 2;
  bool rewrite = false;
  if (street == kDead ? text.find_first_of(L" \t") != std::wstring::npos : text.size() > limit) {
    text = WithoutBlanks(current);
    if (text.size() > limit) text.resize(limit);
    rewrite = true;
  }
  // Cut at the first card in use, or repeated within the field; the field keeps what precedes it.
  size_t keep = text.size();
  for (size_t k = 0; k + 2 <= text.size(); k += 2) {
    const std::wstring_view two = std::wstring_view(text).substr(k, 2);
    bool repeated = false;
    for (size_t j = 0; j < k; j += 2)
      if (std::wstring_view(text).substr(j, 2) == two) repeated = true;
    if (inUse(two) || repeated) {
      keep = k + 1;
      break;
    }
  }
  if (keep < text.size()) {
    text.resize(keep);
    rewrite = true;
  }
  if (!rewrite) return;
  m_guarding = true;
  edit.SetWindowText(text.c_str());
  m_guarding = false;
  const int end = static_cast<int>(text.size());
  edit.SetSel(end, end);
}

void COmahaVantornDlg::OnFlopUpdate() { GuardStreetText(kFlop); }
void COmahaVantornDlg::OnTurnUpdate() { GuardStreetText(kTurn); }
void COmahaVantornDlg::OnRiverUpdate() { GuardStreetText(kRiver); }
void COmahaVantornDlg::OnDeadUpdate() { GuardStreetText(kDead); }

void COmahaVantornDlg::StreetChanged(int street) {
  CInputWithBackground& edit = m_boardEdits[street];
  edit.Invalidate();
  edit.UpdateWindow();  // validates the text (m_valid) through its colour request
  CString text;
  edit.GetWindowText(text);
  COwnerDrawCardButton& cards = m_cardButtons[street];
  if (cards.GetSafeHwnd()) {
    cards.SetCardsText(text);
    std::fill(std::begin(cards.m_dimmed), std::end(cards.m_dimmed), 0);
    cards.Invalidate();
  }
  if (street == kDead) {
    SetChecked(IDC_DEAD_CHECK, true);
    edit.m_inactive = 0;
  } else {
    for (int s = 0; s <= street; ++s) SetChecked(kCheckIds[s], true);
    for (int s = 0; s < street; ++s) SetStreetDimmed(s, false);
  }
  UpdateControlStates();
  if (street == kDead || m_guarding) return;
  const std::wstring plain = WithoutBlanks(text);
  const size_t full = street == kFlop ? 6 : 2;
  const bool complete = street == kFlop ? plain.size() == full : static_cast<size_t>(text.GetLength()) == full;
  if (edit.m_valid && complete && ::GetFocus() == edit.GetSafeHwnd()) {
    if (CWnd* next = GetDlgItem(kEditIds[street + 1]); next && next->IsWindowEnabled() && next->IsWindowVisible())
      next->SetFocus();
  }
}

void COmahaVantornDlg::OnFlopChanged() { StreetChanged(kFlop); }
void COmahaVantornDlg::OnTurnChanged() { StreetChanged(kTurn); }
void COmahaVantornDlg::OnRiverChanged() { StreetChanged(kRiver); }
void COmahaVantornDlg::OnDeadChanged() { StreetChanged(kDead); }

void COmahaVantornDlg::SetStreetDimmed(int street, bool dimmed) {
  COwnerDrawCardButton& cards = m_cardButtons[street];
  if (!cards.GetSafeHwnd()) return;
  const int slots = street == kFlop ? 3 : street == kDead ? COwnerDrawCardButton::kSlots : 1;
  for (int k = 0; k < slots; ++k) cards.m_dimmed[k] = dimmed ? 1 : 0;
  cards.Invalidate();
}

// The streets form a chain: a ticked river implies a ticked turn and flop, an unticked flop
// unticked turn and river.
void COmahaVantornDlg::OnFlopCheck() {
  if (!m_cardButtons[kFlop].GetSafeHwnd()) return;
  const bool on = IsChecked(IDC_FLOP_CHECK);
  if (!on) {
    SetChecked(IDC_TURN_CHECK, false);
    SetChecked(IDC_RIVER_CHECK, false);
    SetStreetDimmed(kTurn, true);
    SetStreetDimmed(kRiver, true);
  }
  SetStreetDimmed(kFlop, !on);
  UpdateControlStates();
}

void COmahaVantornDlg::OnTurnCheck() {
  if (!m_cardButtons[kTurn].GetSafeHwnd()) return;
  const bool on = IsChecked(IDC_TURN_CHECK);
  if (on) {
    SetChecked(IDC_FLOP_CHECK, true);
    SetStreetDimmed(kFlop, false);
  } else {
    SetChecked(IDC_RIVER_CHECK, false);
    SetStreetDimmed(kRiver, true);
  }
  SetStreetDimmed(kTurn, !on);
  UpdateControlStates();
}

void COmahaVantornDlg::OnRiverCheck() {
  if (!m_cardButtons[kRiver].GetSafeHwnd()) return;
  const bool on = IsChecked(IDC_RIVER_CHECK);
  if (on) {
    SetChecked(IDC_TURN_CHECK, true);
    SetChecked(IDC_FLOP_CHECK, true);
    SetStreetDimmed(kTurn, false);
    SetStreetDimmed(kFlop, false);
  }
  SetStreetDimmed(kRiver, !on);
  UpdateControlStates();
}

void COmahaVantornDlg::OnDeadCheck() {
  if (!m_cardButtons[kDead].GetSafeHwnd()) return;
  const bool on = IsChecked(IDC_DEAD_CHECK);
  SetStreetDimmed(kDead, !on);
  m_boardEdits[kDead].m_inactive = on ? 0 : 1;
  m_boardEdits[kDead].Invalidate();
  UpdateControlStates();
}

void COmahaVantornDlg::ClearStreet(int street) {
  m_boardEdits[street].SetWindowText(L"");
  if (m_cardButtons[street].GetSafeHwnd()) {
    m_cardButtons[street].SetCardsText(L"");
    m_cardButtons[street].Invalidate();
  }
  if (street == kFlop) ClearStreet(kTurn);
  if (street == kTurn) ClearStreet(kRiver);
}

void COmahaVantornDlg::OnClearFlop() {
  ClearStreet(kFlop);
  m_boardEdits[kFlop].SetFocus();
}

void COmahaVantornDlg::OnClearTurn() {
  ClearStreet(kTurn);
  m_boardEdits[kTurn].SetFocus();
}

void COmahaVantornDlg::OnClearRiver() {
  ClearStreet(kRiver);
  m_boardEdits[kRiver].SetFocus();
}

void COmahaVantornDlg::OnClearDead() {
  ClearStreet(kDead);
  m_boardEdits[kDead].SetFocus();
}

void COmahaVantornDlg::OnClearAll() { ClearAll(); }

void COmahaVantornDlg::ClearAll() {
  ClearStreet(kFlop);
  ClearStreet(kDead);
  for (auto& edit : m_rangeEdits) edit.SetWindowText(L"");
  ClearStreetFields();
  UpdateData(FALSE);
  m_resultHtml.Empty();
  m_resultText.Empty();
  m_resultBBCode.Empty();
  WriteResultsHi();
  UpdateControlStates();
  m_rangeEdits[FirstVisibleSeat()].SetFocus();
}

CString COmahaVantornDlg::GetBoardText() const {
  CString board;
  for (int s = kFlop; s <= kRiver; ++s) {
    if (!m_boardEdits[s].GetSafeHwnd() || !IsChecked(kCheckIds[s])) continue;
    CString text;
    m_boardEdits[s].GetWindowText(text);
    board += text;
  }
  return board;
}

void COmahaVantornDlg::GetGraphInputs(CString ranges[kSeats], CString& board) const {
  for (int i = 0; i < kSeats; ++i) ranges[i].Empty();
  int next = 0;
  for (int i = 0; i < kSeats; ++i) {
    CString text;
    m_rangeEdits[i].GetWindowText(text);
    if (SeatTakesPart(i)) ranges[next++] = text;
  }
  board = GetBoardText();
}
