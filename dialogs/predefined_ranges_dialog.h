// "Range selection" (template 212): takes a range for one seat from the tree of predefined
// ranges. The dialog borrows the frame's hidden tree (CMainFrame::m_predefinedTree): it puts
// the tree over its placeholder while it is open and gives it back, hidden, on every way out,
// so the tree keeps its expansion and selection between uses. On IDOK m_rangeText holds the
// selected entry's range in the display form of its items.
#pragma once

#include "controls/ownerdrawn_labels.h"
#include "controls/tree_ctrl_ex.h"
#include "controls/xp_style_button.h"
#include "framework/afxwin.h"

class CPredefinedHandrangesDialog : public CDialog {
 public:
  explicit CPredefinedHandrangesDialog(CWnd* pParent = nullptr);
  ~CPredefinedHandrangesDialog() override;

  int m_anchorX = -1;
  int m_anchorY = -1;
  int m_placeAbove = 0;
  int m_seat = 0;
  CString m_rangeText;
  CImageList m_treeImages;
  int m_classCount = 0;
  int m_handCount = 0;
  COwnerdrawedStatic m_descriptionLabel;  // 1064
  COwnerdrawedStatic m_summaryLabel;      // 1062
  CXPStyleButtonST m_explorerButton;      // 1073

  // The tree this dialog borrows; the main frame's unless a test lends one (before DoModal).
  CTreeCtrlEx* m_tree = nullptr;

  void SelectItemRange(const CString& rangeText);
  void ShowSelectionSummary();

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  void OnOK() override;

  afx_msg LRESULT OnTreeSelectionChanged(WPARAM wParam, LPARAM lParam);
  afx_msg void OnExplorer();
  afx_msg void OnDestroy();
  DECLARE_MESSAGE_MAP()

 private:
  void BorrowTree();
  void ReturnTree();
  HWND m_treeOwner = nullptr;  // the window the tree goes back to
  bool m_borrowed = false;
};

// The frame's tree of predefined ranges, or null.
CTreeCtrlEx* FramePredefinedTree();
