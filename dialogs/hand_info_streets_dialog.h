// "Flop outs counter" (template 211): four hole cards and up to three flop cards picked on card
// grids. Shows the hand's starting-hand class facts, what the hand makes on the flop, its
// straight and flush outs (which can be marked on the flop grid) and, on request, how often it
// flops a straight or a straight draw. Modal; nothing goes in or out but the settings.
#pragma once

#include "controls/card_buttons.h"
#include "controls/html/html_tooltip.h"
#include "controls/input_with_background.h"
#include "controls/ownerdrawn_labels.h"
#include "controls/xp_style_button.h"
#include "dialogs/hand_info_support.h"
#include "framework/afxwin.h"

class CHandInfoStreetsDialog : public CDialog {
 public:
  explicit CHandInfoStreetsDialog(CWnd* pParent = nullptr);
  ~CHandInfoStreetsDialog() override;

  CXPStyleButtonST m_resetHandButton;          // 1000
  CXPStyleButtonST m_resetFlopButton;          // 1003
  CXPStyleButtonST m_resetTurnButton;          // 1007
  CXPStyleButtonST m_markStraightButton;       // 1001
  CXPStyleButtonST m_markNutStraightButton;    // 1004
  CXPStyleButtonST m_markFlushButton;          // 1005
  CXPStyleButtonST m_markNutFlushButton;       // 1006
  COwnerdrawedStatic m_rankLabels[10];         // 1150..1159
  CEditWithBackground m_equityEdits[10];       // 1210..1218; the tenth has no control
  COwnerdrawedStatic m_flopStrength, m_turnStrength;
  COwnerdrawedStatic m_outCounts[4];           // 1240..1243
  COwnerdrawedStatic m_rankType, m_suitType, m_combos, m_straightShapes, m_straightFlushShapes, m_points;

  // The equity fields' tips; their texts are given when a tip is about to show.
  CPPToolTip m_tooltip;
  CardGrid m_handGrid, m_flopGrid, m_turnGrid;
  CBitmap m_cardSprite, m_cardMask;

  // The outs of the current hand and flop, two letters per card.
  CString m_straightOuts, m_nutStraightOuts, m_flushOuts, m_nutFlushOuts;

  CString GetHandText() const { return m_handGrid.Text(); }
  CString GetFlopText() const { return m_flopGrid.Text(); }
  CString GetTurnText() const { return m_turnGrid.Text(); }

  // The HTML the equity field's tooltip shows for control id, or empty when it keeps its text
  // (another control, or a hand that is not complete).
  CString TooltipTextFor(int controlId) const;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  BOOL PreTranslateMessage(MSG* pMsg) override;

  afx_msg void OnHandCard(UINT id);
  afx_msg void OnFlopCard(UINT id);
  afx_msg void OnTurnCard(UINT id);
  afx_msg void OnResetHand();
  afx_msg void OnResetFlop();
  afx_msg void OnResetTurn();
  afx_msg void OnMarkStraightOuts();
  afx_msg void OnMarkNutStraightOuts();
  afx_msg void OnMarkFlushOuts();
  afx_msg void OnMarkNutFlushOuts();
  afx_msg void ShowStraightDrawReport();
  afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
  afx_msg void OnDestroy();
  afx_msg void OnTooltipDisplay(NMHDR* pNMHDR, LRESULT* pResult);
  DECLARE_MESSAGE_MAP()

  // Shows the report page; the dialog runs the viewer modally (a test may look at the text).
  virtual void ShowReportPage(const CString& pageText, CPoint anchor);

 private:
  void SetUpControls();
  // A click on a grid: toggles the card within the grid's limit, keeping the other grids in step.
  void ToggleCard(CardGrid& grid, UINT id, int limit);
  void ResetGrid(CardGrid& grid);
  void RestoreCards(CardGrid& grid, const wchar_t* key, int count);
  void UpdatePreflopInfo();
  void UpdateFlopInfo();
  void UpdateTurnInfo();
  void UpdateButtonStates();
  void ClearOutMarks();
  void MarkOuts(const CString& outs);
  void SetLabel(int id, const CString& text);
  bool SelectedElsewhere(const CardGrid& grid, int rank, int suit) const;
};

// The page of the straight draw report for a hand text: over the 286 flops of three distinct
// ranks, how often the hand flops a straight, the nut straight, and each pair of straight and
// nut straight out counts.
CString BuildStraightDrawReport(const CString& handText);
