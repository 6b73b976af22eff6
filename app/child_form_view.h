// The frame's client window: a form view whose only content is the main dialog, kept at the
// view's size.
#pragma once

#include "app/main_dialog.h"
#include "framework/afxwin.h"

class CChildFormView : public CFormView {
  DECLARE_DYNCREATE(CChildFormView)
 public:
  CChildFormView();
  ~CChildFormView() override;

  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  // Creates the view, then the main dialog inside it. FALSE when the view was not created.
  BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
              UINT nID, CCreateContext* pContext = nullptr) override;

  COmahaVantornDlg m_dialog;

 protected:
  afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  DECLARE_MESSAGE_MAP()
};

// The main dialog of the frame's active view, or null while there is none.
COmahaVantornDlg* GetMainDialog(CFrameWnd* frame);
