// Owner-drawn buttons that show playing cards from the card sheet (see card_sheet.h).
#pragma once

#include "framework/afxwin.h"

// A row of up to 52 small cards: the board and dead cards of the main dialog. The owner fills
// it from a card text and dims single cards; it redraws the button itself.
class COwnerDrawCardButton : public CButton {
 public:
  static constexpr int kSlots = 52;

  COwnerDrawCardButton();
  ~COwnerDrawCardButton() override;

  int m_ranks[kSlots];   // 0 ace .. 12 deuce, -1 no card
  int m_suits[kSlots];   // 0..3 = d, h, s, c, -1 no card
  int m_dimmed[kSlots];  // drawn from the dimmed column of the sheet
  CBitmap m_cardFaces;
  CBitmap m_cardMask;

  // Empties every slot, then reads the text (blanks removed) two letters per card into
  // consecutive slots; a trailing odd letter is ignored. Does not repaint.
  void SetCardsText(const CString& text);
  // Draws the cards of the slots at x = 1 + 22 i, y = 1.
  void DrawCards(CDC* pDC);

  void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
};

// One card that can be selected: the card-selection dialog creates 52 of them, the
// hand-information dialogs show a hand's cards with them. The creator sets the fields, lends
// the sheet and the mask, and creates the 20 x 27 window (child, visible, owner-drawn).
class COwnerDrawOneCardButton : public CButton {
 public:
  int m_selected = 0;
  int m_rank = -1;
  int m_suit = -1;
  int m_marked = 0;  // drawn from the sheet's fourth group unless disabled or selected
  CBitmap* m_faces = nullptr;  // borrowed
  CBitmap* m_mask = nullptr;   // borrowed

  // The card: dimmed when disabled, else selected, else marked, else normal. Nothing for no
  // card.
  void DrawCard(CDC* pDC, bool disabled);

  void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
};
