// "Settings" (File menu): the Monte-Carlo time limit in seconds and the game. Both are written
// to the settings file at OK; Cancel changes nothing.
#pragma once

#include "framework/afxwin.h"

class CSettingsDialog : public CDialog {
 public:
  explicit CSettingsDialog(CWnd* pParent = nullptr);

  CEdit m_secondsEdit;
  CSpinButtonCtrl m_secondsSpin;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  void OnOK() override;
  afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
  afx_msg void OnSpinDelta(NMHDR* pNMHDR, LRESULT* pResult);
  afx_msg void OnSecondsChange();
  DECLARE_MESSAGE_MAP()
};

// The evaluation time in milliseconds for a typed number of seconds: the C library's integer
// conversion (leading digits, 0 without any), kept between 0 and the largest int.
int EvaluationTimeFromText(const CString& seconds);
