// "Card selection" (template 215): a grid of all 52 cards from which the user picks a wanted
// number of cards for a street, the dead cards or a seat's hand. Cards in use elsewhere are
// disabled; OK is enabled only at the wanted number. The opener fills the members, runs the
// dialog modally on its stack and reads the picked slots (or GetSelectedCardsText) after IDOK
// or after the next-street button (result IDC_CARD_SELECT_NEXT).
#pragma once

#include "controls/card_buttons.h"
#include "controls/xp_style_button.h"
#include "framework/afxwin.h"

class CCardSelectDialog : public CDialog {
 public:
  static constexpr int kCards = 52;
  static constexpr int kUsedSlots = 1326;
  // m_requestedCount: any number above 0.
  static constexpr int kAnyCount = 43;
  // m_mode: a seat index below kModeFlop, else the street.
  static constexpr int kModeFlop = 10, kModeTurn = 11, kModeRiver = 12, kModeDead = 15;

  explicit CCardSelectDialog(CWnd* pParent = nullptr);
  ~CCardSelectDialog() override;

  // Picked cards: slot i holds rank index (A = 0 .. 2 = 12) and suit index (d h s c = 0..3);
  // a negative entry marks an empty slot. The opener preloads, the dialog writes the result.
  int m_pickedRanks[kCards];
  int m_pickedSuits[kCards];
  int m_requestedCount = 2;
  // Screen point the dialog is placed at; -1 in either leaves it where the system puts it.
  int m_anchorX = -1;
  int m_anchorY = -1;
  int m_placeAbove = 0;  // 1: the bottom edge goes to the anchor, 0: the top edge
  // Cards in use elsewhere, from index 0 up to the first entry with a negative rank or suit.
  int m_usedRanks[kUsedSlots];
  int m_usedSuits[kUsedSlots];
  int m_mode = -1;
  int m_showNextButton = 0;
  int m_userClicked = 0;  // the first click on a full preload starts a new pick

  CBitmap m_cardSprite;  // bitmap 2005, lent to the card buttons
  CBitmap m_cardMask;    // bitmap 2475
  // The grid, indexed suit + 4 * rank; created in OnInitDialog, deleted in OnDestroy.
  COwnerDrawOneCardButton* m_cardButtons[kCards] = {};
  CXPStyleButtonST m_nextButton;

  // The picked cards as plain card texts, each followed by one blank ("Ah Kd ").
  CString GetSelectedCardsText() const;
  // Number of cards selected on the grid.
  int CountSelected() const;
  // The card button of a card, or null.
  COwnerDrawOneCardButton* CardButton(int rank, int suit) const;

  // Where the dialog of the given size goes for an anchor within the desktop area, by the
  // placement rule (the dialog may end one pixel past the area's edge).
  static POINT PlaceAtAnchor(const RECT& area, int width, int height, int anchorX, int anchorY, bool above);

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;

  afx_msg void OnCardClicked(UINT id);
  afx_msg void OnNextStreet();
  afx_msg BOOL OnHelpInfo(HELPINFO* info);
  afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
  afx_msg void OnDestroy();
  DECLARE_MESSAGE_MAP()

 private:
  void CreateGrid();
  void SetCaption();
  void PlaceDialog();
  void SetUpNextButton();
  void UpdateButtons();
  void DeselectAll();
  // Writes the selected cards into slots 0, 1, ... by suit, then rank; returns their number.
  int StoreSelection();
};
