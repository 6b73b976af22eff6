// "Percentile selection" (template 213): the best x to y percent of all starting hands by a
// chosen ranking, set by two edits, their spin buttons or a two-thumb slider. After every
// change the item text ("2.5-10.0%:1") is rebuilt, selected in the application's hand base and
// counted. The opener sets the anchor, the placement and the seat, runs it modally and on IDOK
// reads m_rangeText.
#pragma once

#include "controls/dropdown_boxes.h"
#include "controls/ownerdrawn_labels.h"
#include "controls/range_slider.h"
#include "controls/xp_style_button.h"
#include "framework/afxwin.h"

class CPercentileDialog : public CDialog {
 public:
  explicit CPercentileDialog(CWnd* pParent = nullptr);
  ~CPercentileDialog() override;

  CString m_rangeText;
  int m_anchorX = -1;
  int m_anchorY = -1;
  int m_placeAbove = 0;
  int m_seat = 0;
  int m_classCount = 0;
  int m_handCount = 0;
  CRangeSlider* m_slider = nullptr;  // created in OnInitDialog, deleted by the destructor

  COwnerdrawedStatic m_summaryLabel;      // 1062
  COwnerdrawedStatic m_descriptionLabel;  // 1064: the item text
  CXPStyleButtonST m_explorerButton;      // 1073
  CComboBox m_orderBox;                   // 1366
  CSpinButtonCtrl m_fromSpin;             // 1044
  CSpinButtonCtrl m_toSpin;               // 1048

  // Set while the dialog writes the bounds itself, so the edit handlers leave them alone.
  static int s_updatingEdits;

  // The item text of the two bound texts and the ranking list's selection (-1: none).
  static CString BuildItemText(const CString& fromText, const CString& toText, int orderSelection);

  void UpdateRangeText();

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;

  afx_msg void OnChangeFrom();
  afx_msg void OnChangeTo();
  afx_msg void OnDeltaPosFrom(NMHDR* pNMHDR, LRESULT* pResult);
  afx_msg void OnDeltaPosTo(NMHDR* pNMHDR, LRESULT* pResult);
  afx_msg LRESULT OnRangeChanged(WPARAM wParam, LPARAM lParam);
  afx_msg void OnOrderChanged();
  afx_msg void OnExplore();
  afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
  DECLARE_MESSAGE_MAP()

 private:
  double EditValue(UINT id) const;
  void SetEditValue(UINT id, double value);
  void SetThumbs(double from, double to);
  void OnEditChanged(bool fromChanged);
  void OnSpin(NMHDR* pNMHDR, LRESULT* pResult, UINT edit, UINT other, bool isFrom);
  void EnableTake();
};
