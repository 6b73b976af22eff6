// Views: child windows of a frame that show a document. CFormView is a view
// made from a dialog template (a child template without caption or border),
// with dialog data exchange and dialog keyboard handling.
#pragma once

#include "framework/doc.h"
#include "framework/wnd.h"

class CView : public CWnd {
  DECLARE_DYNAMIC(CView)
 public:
  ~CView() override;

  CDocument* GetDocument() const { return m_pDocument; }

  // Paints the view; OnPaint calls it with the paint device context.
  virtual void OnDraw(CDC* pDC) = 0;
  virtual void OnPrepareDC(CDC* pDC, void* pInfo = nullptr);
  // Once the document is attached and the frame made (WM_INITIALUPDATE);
  // the default calls OnUpdate.
  virtual void OnInitialUpdate();
  // The document changed; the default repaints the view.
  virtual void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint);
  // The frame made this view (in)active; the active one gets the focus.
  virtual void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView);
  virtual void OnActivateFrame(UINT nState, CFrameWnd* pFrameWnd);

  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  void PostNcDestroy() override;
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

  CDocument* m_pDocument = nullptr;

 protected:
  CView();

  afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
  afx_msg void OnDestroy();
  afx_msg void OnPaint();
  afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
  afx_msg LRESULT OnInitialUpdateMessage(WPARAM, LPARAM);

  DECLARE_MESSAGE_MAP()
};

class CFormView : public CView {
  DECLARE_DYNAMIC(CFormView)
 public:
  // Creates the view from its dialog template as a child of pParentWnd.
  BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
              UINT nID, CCreateContext* pContext = nullptr) override;

  void OnDraw(CDC* pDC) override;
  void OnInitialUpdate() override;
  BOOL PreTranslateMessage(MSG* pMsg) override;
  void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView) override;

 protected:
  explicit CFormView(LPCTSTR lpszTemplateName);
  explicit CFormView(UINT nIDTemplate);

  afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
  afx_msg void OnSetFocus(CWnd* pOldWnd);

  LPCTSTR m_lpszTemplateName;
  CString m_strTemplateName;
  CCreateContext* m_pCreateContext = nullptr;
  HWND m_hWndFocus = nullptr;  // the control that had the focus last

  DECLARE_MESSAGE_MAP()
};
