// The windows of the framework's test application: a document, a frame, a
// form view hosting a child dialog with one control of every wrapped kind,
// and a modal and a modeless dialog the frame opens.
#pragma once

#include <functional>
#include <vector>

#include "framework/afxwin.h"
#include "ui_resources.h"

namespace docapp {

class CSheetDoc : public CDocument {
  DECLARE_DYNCREATE(CSheetDoc)
 public:
  int m_opened = 0;
  BOOL OnOpenDocument(LPCTSTR lpszPathName) override;
};

class COwnerDrawButton : public CButton {
 public:
  int m_draws = 0;
  void DrawItem(LPDRAWITEMSTRUCT dis) override;
};

// The view's content: every control wrapper, bound and exchanged.
class CControlsDialog : public CDialog {
 public:
  CControlsDialog() : CDialog(IDD_CONTROLS) {}
  CStatic m_label;
  CEdit m_nameEdit;
  CSpinButtonCtrl m_spin;
  CButton m_enabledBox;
  CComboBox m_gameCombo;
  CListBox m_streetList;
  CTreeCtrl m_tree;
  CSliderCtrl m_slider;
  CProgressCtrl m_progress;
  CScrollBar m_scroll;
  CButton m_apply;
  COwnerDrawButton m_ownerDraw;
  CToolTipCtrl m_tips;

  CString m_name = L"Ann";
  int m_number = 12;
  int m_enabled = 1;
  int m_game = 1;       // radio buttons
  int m_gameIndex = 1;  // the same choice in the combo box
  int m_street = 2;
  int m_level = 30;
  int m_applied = 0;

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL PreTranslateMessage(MSG* pMsg) override;
  afx_msg void OnApply();
  DECLARE_MESSAGE_MAP()
};

class CSheetView : public CFormView {
  DECLARE_DYNCREATE(CSheetView)
 public:
  CSheetView() : CFormView(IDD_FORM) {}
  BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
              UINT nID, CCreateContext* pContext = nullptr) override;
  CControlsDialog m_dialog;

 protected:
  afx_msg void OnSize(UINT nType, int cx, int cy);
  DECLARE_MESSAGE_MAP()
};

// A dialog that runs a list of steps once it is shown (one per posted message).
class CStepDialog : public CDialog {
 public:
  using Step = std::function<void(CStepDialog&)>;
  CStepDialog(UINT id, CWnd* parent) : CDialog(id, parent) {}
  std::vector<Step> m_steps;
  CString m_text;
  using CDialog::EndDialog;

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* pDX) override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  std::size_t m_next = 0;
};

class CModelessDialog : public CDialog {
 public:
  static int s_alive;
  CModelessDialog() : CDialog(IDD_MODELESS) { ++s_alive; }
  ~CModelessDialog() override { --s_alive; }

 protected:
  void OnCancel() override { DestroyWindow(); }
  void PostNcDestroy() override { delete this; }
};

class CSheetFrame : public CFrameWnd {
  DECLARE_DYNCREATE(CSheetFrame)
 public:
  // What the modal command's dialog does, and what came back.
  std::vector<CStepDialog::Step> m_modalSteps;
  INT_PTR m_modalResult = 0;
  CString m_modalText;
  CModelessDialog* m_modeless = nullptr;
  int m_count = 0;

  CSheetView* GetSheetView() const { return static_cast<CSheetView*>(GetActiveView()); }

 protected:
  afx_msg void OnModal();
  afx_msg void OnModeless();
  afx_msg void OnCount();
  afx_msg void OnUpdateCount(CCmdUI* pCmdUI);
  DECLARE_MESSAGE_MAP()
};

}  // namespace docapp
