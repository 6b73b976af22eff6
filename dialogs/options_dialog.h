// "Dialog options" (template 209): composes one range item from controls: a rank interval and
// a suit per hole card, pair and suit filters, a rundown with gaps and number ranges of
// straight shapes, straight-flush shapes and Hutchison points. After every change the item is
// rebuilt, selected in the application's hand base and counted. The opener sets the anchor,
// the placement and the seat, runs it modally and on IDOK reads m_rangeText.
#pragma once

#include "controls/dropdown_boxes.h"
#include "controls/ownerdrawn_labels.h"
#include "controls/xp_style_button.h"
#include "framework/afxwin.h"

class COptionsDialog : public CDialog {
 public:
  static constexpr int kItemHeight = 23;

  explicit COptionsDialog(CWnd* pParent = nullptr);
  ~COptionsDialog() override;

  int m_anchorX = -1;
  int m_anchorY = -1;
  int m_placeAbove = 0;
  int m_seat = 0;
  CString m_rangeText;
  int m_classCount = 0;
  int m_handCount = 0;

  // Per card: lower rank, upper rank, suit (1179 + 3 k, 1180 + 3 k, 1181 + 3 k).
  COwnerdrawedDropDownBox m_cardBoxes[12];
  COwnerdrawedStatic m_summaryLabel;      // 1062
  COwnerdrawedStatic m_descriptionLabel;  // 1064
  CXPStyleButtonST m_explorerButton;      // 1073
  CSpinButtonCtrl m_spins[9];             // 1199, 1203, 1205, 1029, 1030, 1032, 1034, 1036, 1038
  CBitmap m_comboImages;                  // 2480, lent to the card boxes
  CBitmap m_comboMask;                    // 2481

  // "*", "A", "Q+", "Q", "5-T" for rank indexes lo >= hi (ace 0 .. deuce 12).
  static CString FormatRankPiece(int lo, int hi);
  // d, h, s, c for items 1..4 of a suit box; nothing for any other item.
  static CString FormatSuitPiece(int item);

  void BuildRangeText();

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;

  afx_msg void OnRankFromChanged(UINT id);
  afx_msg void OnRankToChanged(UINT id);
  afx_msg void OnOptionChanged(UINT id);
  afx_msg void OnGapSpin(UINT id, NMHDR* pNMHDR, LRESULT* pResult);
  afx_msg void OnGapChanged(UINT id);
  afx_msg void OnGapUpdate(UINT id);
  afx_msg void OnRangeEdited(UINT id);
  afx_msg void OnRestrictionToggled(UINT id);
  afx_msg void OnCallPreset();
  afx_msg void OnRaisePreset();
  afx_msg void OnExplorer();
  afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
  afx_msg void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct);
  DECLARE_MESSAGE_MAP()

 private:
  void FillCardBoxes();
  void EnableControls();
  void AppendNumberRange(UINT box, UINT fromEdit, UINT toEdit, int maximum, const wchar_t* name);
  // Restriction pair of a from or to edit: its box, from and to edits and maximum; false when
  // the edit is none of them.
  static bool RestrictionOf(UINT edit, UINT* box, UINT* from, UINT* to, int* maximum);
  void OnRestrictionEdited(UINT id, bool fromEdited);
  int EditNumber(UINT id) const;  // the text as a decimal number, -1 when empty
  bool Checked(UINT id) const { return IsDlgButtonChecked(id) == BST_CHECKED; }

  int m_gapGuard = 0;     // a gap edit is being rewritten
  int m_presetGuard = 0;  // a preset writes the Hutchison edits
};
