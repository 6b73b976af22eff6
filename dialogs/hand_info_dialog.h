// "Hand vs. hand" (template 204): two four-card hands picked on two card grids. Shows each
// hand's starting-hand class facts and, when both hands are complete, hand 1's preflop equity
// against hand 2 from a simulation of a fixed number of deals, with interim values while it
// runs. Modal; nothing goes in or out but the settings.
#pragma once

#include "controls/html/html_tooltip.h"
#include "controls/input_with_background.h"
#include "controls/ownerdrawn_labels.h"
#include "controls/xp_style_button.h"
#include "dialogs/hand_info_support.h"
#include "framework/afxwin.h"

class CHandInfoDialog : public CDialog {
 public:
  static constexpr int kTrials = 300000;

  explicit CHandInfoDialog(CWnd* pParent = nullptr);
  ~CHandInfoDialog() override;

  CardGrid m_hand1Grid, m_hand2Grid;
  CBitmap m_cardSprite, m_cardMask;
  CEditWithBackground m_equityEdits[2][10];  // 1210 + k and 1225 + k; no control for k = 9
  COwnerdrawedStatic m_rankLabels[2][10];    // 1150 + k and 1250 + k
  COwnerdrawedStatic m_infoLabels[12];
  CEditWithBackground m_versusEdits[2];      // 1281, 1291
  CXPStyleButtonST m_resetButtons[2];        // 1000, 1002
  // The equity fields' tips; their texts are given when a tip is about to show.
  CPPToolTip m_tooltip;
  UINT_PTR m_timerId = 0;
  CString m_lastHand1Text, m_lastHand2Text;
  // Simulations run so far (a test sees whether a click started one).
  int m_simulationCount = 0;

  CString GetHand1Text() const { return m_hand1Grid.Text(); }
  CString GetHand2Text() const { return m_hand2Grid.Text(); }

  // The HTML the equity field's tooltip shows for control id, or empty when it keeps its text.
  CString TooltipTextFor(int controlId) const;

  // The simulation's progress: the two equity fields show the interim value.
  static int ShowEquityProgress(void* user, int isStart, double* values1, int show1, double* values2, int show2,
                                double* values3, int show3, double* values4, int show4);

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  BOOL PreTranslateMessage(MSG* pMsg) override;

  afx_msg void OnHand1Card(UINT id);
  afx_msg void OnHand2Card(UINT id);
  afx_msg void OnResetHand1();
  afx_msg void OnResetHand2();
  afx_msg void OnTimer(UINT_PTR nIDEvent);
  afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
  afx_msg void OnDestroy();
  afx_msg void OnTooltipDisplay(NMHDR* pNMHDR, LRESULT* pResult);
  DECLARE_MESSAGE_MAP()

  // which: 1 or 2; with the equity when both hands are complete and one of them changed.
  void UpdateHandInfo(int which, bool withEquity);

 private:
  void SetUpControls();
  void ToggleCard(CardGrid& grid, CardGrid& other, UINT id);
  void ResetHand(CardGrid& grid, CardGrid& other);
  void RestoreHand(CardGrid& grid, CardGrid& other, const wchar_t* key);
  void ShowFacts(int which, const CString& handText);
  void ShowVersusEquity(double hand1Equity);
  void SetItem(int id, const CString& text);
};
