// The main dialog: the child of the form view that holds the seats, the board, the Evaluate
// button and the result area. This is its frame-facing part: creation from its template, the
// dialog colouring, the result-area switch and the sizes the frame fits itself to. The seats,
// inputs and results are laid out on it by the main dialog's own code.
#pragma once

#include "framework/afxwin.h"

// Sent to the main window whenever the dialog's layout changes: the frame fits its size.
constexpr UINT WM_FIT_TO_DIALOG = WM_APP + 102;

class COmahaVantornDlg : public CDialog {
 public:
  COmahaVantornDlg();
  ~COmahaVantornDlg() override;

  // Creates the dialog from its template as a child of parent (the form view).
  BOOL Create(CWnd* parent);
  using CDialog::Create;

  // The frame asks the dialog to bring its controls and layout up to date after a setting
  // changed (seat count, dead-card row, the game's banner).
  void ArrangeSeats();
  void UpdateControlStates();
  void ShowBanner();
  // Shows or hides the result area by m_resultsVisible and has the frame fit itself.
  void RefreshResultView();
  // Seats whose check box is set and whose range is not empty; board cards entered.
  int CountActiveSeats() const;
  int CountBoardCards() const;

  int m_resultsVisible = 0;
  // Outer frame size that shows the dialog without or with the result area.
  int m_heightWithoutResults = 0;
  int m_heightWithResults = 0;
  int m_widthWithResults = 0;

 protected:
  BOOL OnInitDialog() override;
  // A child dialog stays open on Enter and Escape.
  void OnOK() override;
  void OnCancel() override;
  afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
  DECLARE_MESSAGE_MAP()

 private:
  void ComputeFrameSizes();
};
