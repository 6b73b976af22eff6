// Modeless progress dialogs of long computations on the user-interface thread. The computation
// creates one with new, calls PumpDialogMessages with it from its loop, reads and clears
// m_stopRequested, and deletes it when done. Neither dialog closes itself; while one exists
// its owner stays disabled.
#pragma once

#include "controls/picture_ex.h"
#include "controls/progress_dialog_ids.h"
#include "controls/xp_style_button.h"
#include "framework/afxwin.h"

// Caption, status line (control 1014) and progress bar (control 1040) above a Stop button.
class CProgressDialog : public CDialog {
 public:
  // titleId: string-table id of the caption.
  explicit CProgressDialog(UINT titleId);
  ~CProgressDialog() override;

  // Disables the top-level owner of parent and creates the dialog over it; FALSE, with the
  // owner as it was, when the window cannot be created.
  BOOL Create(CWnd* parent);
  // Enables the owner again, then destroys the window.
  BOOL DestroyWindow() override;

  // Top-left corner in screen pixels; placed there (kept inside the work area) when both are
  // 0 or more.
  CPoint m_position{-1, -1};
  CProgressCtrl m_progress;
  UINT m_titleId;
  int m_rangeLower = 0;
  int m_rangeUpper = 100;
  int m_step = 10;
  int m_stopRequested = 0;  // set by Stop and Escape; the computation reads and clears it
  int m_ownerDisabled = 0;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;
  afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
  DECLARE_MESSAGE_MAP()

 private:
  HWND m_ownerWindow = nullptr;
};

// An animated picture beside a themed Stop button, no progress bar; the equity evaluation's
// dialog.
class CProgressDialogGIF : public CDialog {
 public:
  CProgressDialogGIF();
  ~CProgressDialogGIF() override;

  // Disables the main window (the dialog's owner) and creates the dialog; starts its
  // animation when the animation loads. FALSE, with the owner as it was, on failure.
  BOOL Create();
  BOOL DestroyWindow() override;

  // Centre of the dialog in screen pixels; without it (either negative) the dialog centres
  // itself on its owner.
  CPoint m_position{-1, -1};
  CXPStyleButtonST m_stopButton;
  CPictureEx m_animation;
  UINT m_titleId = 300;
  int m_stopRequested = 0;
  int m_ownerDisabled = 0;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;
  afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
  DECLARE_MESSAGE_MAP()

 private:
  HWND m_ownerWindow = nullptr;
};
