// "Update available": shown at start-up when the version file on the server names a newer
// version than the program's own; the user picks going to the download page, being reminded
// next time, or not being reminded of this version again.
#pragma once

#include <functional>

#include "controls/ownerdrawn_labels.h"
#include "framework/afxwin.h"

class CUpdateAvailableDialog : public CDialog {
 public:
  explicit CUpdateAvailableDialog(CWnd* pParent = nullptr);

  // 1 when the server's version is newer than the program's own, 0 otherwise and on every
  // failure (no connection, time-out, error status, no "Version" line). Fills both versions.
  int CheckForUpdate();
  void FillTexts();

  int m_answer = -1;  // at OK: 0 download page, 1 remind me next time, 2 not this version again
  COwnerdrawedStatic m_currentVersionLabel;
  COwnerdrawedStatic m_newVersionLabel;
  int m_remoteVersion[4] = {-1, -1, -1, -1};
  int m_ownVersion[4] = {-1, -1, -1, -1};

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
  DECLARE_MESSAGE_MAP()
};

// 1 when the dialog's remote version is newer than the stored "SuppressUpdateVersion" text
// (points or commas; an empty text counts as 0.0.0.0), else 0.
int IsNewerThanSuppressedVersion(const CString& text, const CUpdateAvailableDialog& dialog);

// Start-up's part: checks, asks when there is a newer version the user has not put aside, and
// acts on the answer. hideSplash runs before the dialog shows.
void RunStartupUpdateCheck(const std::function<void()>& hideSplash);
