// CFrameWnd: a top-level window with a menu, accelerators and a view in its
// client area (the child with id AFX_IDW_PANE_FIRST), laid out below any bars.
//
// Commands go to the active view (and its document and template) first, then
// to the frame's own map, then to the application. Before a menu drops down
// every item's state is asked from that chain (ON_UPDATE_COMMAND_UI); with
// m_bAutoMenuEnable, items without any handler are greyed. Frames are heap
// objects: they delete themselves when their window is destroyed.
#pragma once

#include "framework/fwres.h"
#include "framework/wnd.h"

class CView;
class CDocument;
struct CCreateContext;

class CFrameWnd : public CWnd {
  DECLARE_DYNCREATE(CFrameWnd)
 public:
  // The system's default position and size.
  static const CRect rectDefault;

  CFrameWnd();
  ~CFrameWnd() override;

  // Creates the frame window. lpszMenuName names a menu resource (none when
  // it is missing); pContext says which view to create.
  BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle = WS_OVERLAPPEDWINDOW,
              const RECT& rect = rectDefault, CWnd* pParentWnd = nullptr, LPCTSTR lpszMenuName = nullptr,
              DWORD dwExStyle = 0, CCreateContext* pContext = nullptr);
  // Creates the frame from the resources with id nIDResource: the title is
  // the first field of the string, the menu, icon and accelerators of that id.
  virtual BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                         CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr);

  CView* GetActiveView() const { return m_pViewActive; }
  void SetActiveView(CView* pViewNew, BOOL bNotify = TRUE);
  virtual CDocument* GetActiveDocument();
  virtual CFrameWnd* GetActiveFrame() { return this; }

  // Shows the frame (nCmdShow -1: normally, or restored when minimised) and
  // brings it to the top.
  virtual void ActivateFrame(int nCmdShow = -1);
  // After the document is attached: views get WM_INITIALUPDATE, the frame is
  // shown (the main window with the application's m_nCmdShow) and titled.
  void InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible);
  // Lays out the bars and the view.
  virtual void RecalcLayout(BOOL bNotify = TRUE);

  // Title: m_strTitle, with the document's name added under FWS_ADDTOTITLE.
  virtual void OnUpdateFrameTitle(BOOL bAddToTitle);
  void UpdateFrameTitleForDocument(LPCTSTR lpszDocName);
  CString GetTitle() const { return m_strTitle; }
  void SetTitle(LPCTSTR lpszTitle) { m_strTitle = lpszTitle; }

  virtual BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext);
  // Creates a view of pContext->m_pNewViewClass as a child with id nID.
  CWnd* CreateView(CCreateContext* pContext, UINT nID = AFX_IDW_PANE_FIRST);
  virtual HACCEL GetDefaultAccelerator() { return m_hAccelTable; }

  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
  BOOL PreTranslateMessage(MSG* pMsg) override;
  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  void PostNcDestroy() override;

  // Help commands a frame's map may name (ID_HELP, ID_HELP_FINDER, ID_CONTEXT_HELP).
  afx_msg void OnHelp();
  afx_msg void OnHelpFinder();
  afx_msg void OnContextHelp();

  BOOL m_bAutoMenuEnable = TRUE;
  UINT m_nIDHelp = 0;
  HMENU m_hMenuDefault = nullptr;
  HACCEL m_hAccelTable = nullptr;
  CRect m_rectBorder;  // space kept free around the view

 protected:
  afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
  afx_msg void OnDestroy();
  afx_msg void OnClose();
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnSetFocus(CWnd* pOldWnd);
  afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
  afx_msg BOOL OnHelpInfo(HELPINFO* pHelpInfo);
  afx_msg BOOL OnQueryEndSession();
  afx_msg void OnEndSession(BOOL bEnding);

  CString m_strTitle;
  CView* m_pViewActive = nullptr;
  BOOL m_bInRecalcLayout = FALSE;

  DECLARE_MESSAGE_MAP()
};
