// What the two hand analysis dialogs (the flop outs counter and hand versus hand) share: a grid
// of 52 clickable cards laid over a group box, the texts of a starting-hand class's facts, the
// HTML of an equity field's tooltip, and the capital card letters their keyboard gives.
#pragma once

#include "controls/card_buttons.h"
#include "framework/afxwin.h"

class COmahaBase;

// 52 owner-drawn card buttons, rank index A = 0 .. 2 = 12 in columns, suits d, h, s, c in rows,
// with ids first + 13 * suit + rank. The grid owns its buttons.
class CardGrid {
 public:
  static constexpr int kCards = 52;
  static constexpr int kRanks = 13, kSuits = 4;

  CardGrid() = default;
  CardGrid(const CardGrid&) = delete;
  CardGrid& operator=(const CardGrid&) = delete;
  ~CardGrid();

  // Creates the buttons in the parent, each 20 x 27 pixels at (group left + 7 + 23 rank,
  // group top + 18 + 30 suit) of the group box's rectangle in the parent's client area.
  void Create(CWnd* parent, int groupId, UINT firstId, CFont* font, CBitmap* faces, CBitmap* mask);

  COwnerDrawOneCardButton* Button(int rank, int suit) const;
  int CountSelected() const;
  bool Selected(int rank, int suit) const;
  // The selected cards' plain texts, suits d, h, s, c and within a suit from the ace down.
  CString Text() const;
  // Repaints one card now.
  void Redraw(int rank, int suit) const;
  // Marks one card for repainting with the next paint (many cards changed at once).
  void Invalidate(int rank, int suit) const;

  UINT m_firstId = 0;

 private:
  COwnerDrawOneCardButton* m_buttons[kCards] = {};  // rank * 4 + suit
};

// Reads a stored hand or flop text of exactly count cards into ranks and suits: false when the
// length is not 2 * count, a pair names no card or a card comes twice.
bool ReadStoredCards(const CString& text, int count, int* ranks, int* suits);

// "\x1b" "E<rank>" "\x1b" "F / 16432": the rank shown in bold by the owner-drawn labels.
CString FormatClassRank(int rank);
constexpr wchar_t kNoClassRank[] = L"- / 16432";

// What the dialogs show of a hand's starting-hand class. Without a complete hand or its class
// every text is empty and every rank reads "- / 16432".
struct HandClassFacts {
  CString rankType, suitType, combos, straightShapes, straightFlushShapes, points;
  CString equity[10];  // against 1..9 random hands, then the outside ranking (never shown)
  CString rank[10];
  bool found = false;
};
HandClassFacts DescribeHandClass(const COmahaBase* base, const CString& handText, bool hiLo);

// The tooltip of the equity field of row k (0..9) for a hand of four cards: a table with the
// hand's card pictures and its class's figures of that row, for Omaha Hi or Hi/Lo. Empty
// when the hand is not four cards, so the tool keeps its text.
CString BuildClassEquityTooltip(const COmahaBase* base, const CString& handText, int k, bool hiLo);

// The hand dialogs take card letters in capitals: a WM_CHAR of "a", "j", "k", "q" or "t" becomes
// the capital letter. True when the message was changed.
bool CapitaliseCardLetter(MSG* message);

// The application's starting-hand base, or null without an application.
const COmahaBase* AppHandBase();
