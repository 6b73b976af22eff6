// CFrameWnd: a top-level window with a menu, accelerators and a view in its
// client area (the child with id AFX_IDW_PANE_FIRST), laid out below any bars.
//
// Commands go to the active view (and its document and template) first, then
// to the frame's own map, then to the application. Before a menu drops down
// every item's state is asked from that chain (ON_UPDATE_COMMAND_UI); with
// m_bAutoMenuEnable, items without any handler are greyed. Frames are heap
// objects: they delete themselves when their window is destroyed.
//
// Control bars: the frame keeps every bar made in it (m_listControlBars).
// EnableDocking makes dock bars at the allowed sides; DockControlBar,
// FloatControlBar and ShowControlBar move and show bars. Layouts asked for
// while handling input are done at idle time (DelayRecalcLayout and
// m_nIdleFlags). The status bar (AFX_IDW_STATUS_BAR) shows the prompt of
// the menu item or bar button under the mouse (WM_SETMESSAGESTRING) and
// "Ready" otherwise; tool tips show the part after the prompt's line feed.
#pragma once

#include "framework/barstyles.h"
#include "framework/collections.h"
#include "framework/fwres.h"
#include "framework/wnd.h"

class CView;
class CDocument;
struct CCreateContext;
class CControlBar;
class CDockBar;
class CMiniDockFrameWnd;

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
  // Lays out the bars and the view (a frame with FWS_SNAPTOBARS sizes itself
  // around its bars). With bNotify the floating frames of its bars lay out too.
  virtual void RecalcLayout(BOOL bNotify = TRUE);
  // Asks for a layout at the next idle time.
  void DelayRecalcLayout(BOOL bNotify = TRUE);

  BOOL IsFrameWnd() const override { return TRUE; }

  // Docking. EnableDocking makes the dock bars of the sides in dwDockStyle
  // (CBRS_ALIGN_ bits) and sets the floating-frame class.
  void EnableDocking(DWORD dwDockStyle);
  // Docks at the dock bar nDockBarID (0: the first side the bar allows), at
  // lpRect (screen coordinates) or as a new row.
  void DockControlBar(CControlBar* pBar, UINT nDockBarID = 0, LPCRECT lpRect = nullptr);
  void DockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect = nullptr);
  // Docks back at the bar's remembered place in pDockBar when it has one.
  void ReDockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect = nullptr);
  // Floats the bar in a floating frame whose top-left corner is at point
  // (screen); dwStyle gives the bar's floating orientation.
  void FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle = CBRS_ALIGN_TOP);
  // Shows or hides the bar; with bDelay the layout waits for idle time.
  void ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay);
  // The bar with window id nID, or null.
  CControlBar* GetControlBar(UINT nID);
  void AddControlBar(CControlBar* pBar);
  void RemoveControlBar(CControlBar* pBar);
  // The side (CBRS_ALIGN_ bit) whose dock bar rect (screen) touches, among
  // the sides in dwDockStyle; 0 when none.
  DWORD CanDock(CRect rect, DWORD dwDockStyle, CDockBar** ppDockBar = nullptr);
  // A new floating frame of m_pFloatingFrameClass; raises a resource
  // exception when it cannot be made.
  virtual CMiniDockFrameWnd* CreateFloatingFrame(DWORD dwStyle);
  // Sends WM_FLOATSTATUS (FS_ bits) to the windows this frame owns.
  void NotifyFloatingWindows(DWORD dwFlags);

  // Modal state: while a modal window of this frame runs, its floating
  // frames are disabled.
  virtual void BeginModalState();
  virtual void EndModalState();
  BOOL InModalState() const { return m_cModalStack != 0; }

  // Status texts: the prompt (the text before the line feed) of nID.
  virtual void GetMessageString(UINT nID, CString& rMessage) const;
  // The window that shows the status texts (the status bar), or null.
  virtual CWnd* GetMessageBar();
  void SetMessageText(LPCTSTR lpszText);
  void SetMessageText(UINT nID);
  // TTN_NEEDTEXT: the tip part (after the line feed) of the prompt of the
  // tool's id.
  virtual BOOL OnToolTipText(UINT nID, NMHDR* pNMHDR, LRESULT* pResult);

  // Show/hide commands of the bars (ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR).
  afx_msg BOOL OnBarCheck(UINT nID);
  afx_msg void OnUpdateControlBarMenu(CCmdUI* pCmdUI);
  afx_msg void OnUpdateKeyIndicator(CCmdUI* pCmdUI);

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
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
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

  CPtrList m_listControlBars;
  CRuntimeClass* m_pFloatingFrameClass = nullptr;
  // m_nIdleFlags: what the next idle time does.
  enum IdleFlags : UINT { idleMenu = 1, idleTitle = 2, idleNotify = 4, idleLayout = 8 };
  UINT m_nIdleFlags = 0;
  UINT m_nIDTracking = 0;     // the command whose prompt should show
  UINT m_nIDLastMessage = 0;  // the one that shows
  BOOL m_bHelpMode = FALSE;   // context-help mode (Shift+F1)
  int m_cModalStack = 0;
  BOOL m_bInRecalcLayout = FALSE;

 protected:
  afx_msg virtual LRESULT OnSetMessageString(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnPopMessageString(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnRecalcParent(WPARAM wParam, LPARAM lParam);
  afx_msg void OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu);
  afx_msg void OnEnable(BOOL bEnable);
  afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);

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
  CArray<HWND, HWND> m_disabledWindows;  // the windows BeginModalState disabled

  // The pop-up windows this frame owns (its floating frames among them).
  void GetOwnedWindows(CArray<HWND, HWND>& windows) const;

  DECLARE_MESSAGE_MAP()
};
