#include "framework/frame.h"

#include "framework/app.h"
#include "framework/controlbar.h"
#include "framework/doc.h"
#include "framework/fwinternal.h"
#include "framework/view.h"

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

const CRect CFrameWnd::rectDefault(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0);

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
  ON_MESSAGE(WM_SETMESSAGESTRING, &CFrameWnd::OnSetMessageString)
  ON_MESSAGE(WM_POPMESSAGESTRING, &CFrameWnd::OnPopMessageString)
  ON_MESSAGE(WM_IDLEUPDATECMDUI, &CFrameWnd::OnIdleUpdateCmdUI)
  ON_MESSAGE(WM_RECALCPARENT, &CFrameWnd::OnRecalcParent)
  ON_WM_MENUSELECT()
  ON_WM_ENABLE()
  ON_WM_SHOWWINDOW()
  ON_UPDATE_COMMAND_UI(ID_VIEW_TOOLBAR, &CFrameWnd::OnUpdateControlBarMenu)
  ON_COMMAND_EX(ID_VIEW_TOOLBAR, &CFrameWnd::OnBarCheck)
  ON_UPDATE_COMMAND_UI(ID_VIEW_STATUS_BAR, &CFrameWnd::OnUpdateControlBarMenu)
  ON_COMMAND_EX(ID_VIEW_STATUS_BAR, &CFrameWnd::OnBarCheck)
  ON_UPDATE_COMMAND_UI(ID_INDICATOR_CAPS, &CFrameWnd::OnUpdateKeyIndicator)
  ON_UPDATE_COMMAND_UI(ID_INDICATOR_NUM, &CFrameWnd::OnUpdateKeyIndicator)
  ON_UPDATE_COMMAND_UI(ID_INDICATOR_SCRL, &CFrameWnd::OnUpdateKeyIndicator)
  ON_UPDATE_COMMAND_UI(ID_INDICATOR_KANA, &CFrameWnd::OnUpdateKeyIndicator)
  ON_WM_CREATE()
  ON_WM_DESTROY()
  ON_WM_CLOSE()
  ON_WM_SIZE()
  ON_WM_SETFOCUS()
  ON_WM_INITMENUPOPUP()
  ON_WM_HELPINFO()
  ON_WM_QUERYENDSESSION()
  ON_WM_ENDSESSION()
END_MESSAGE_MAP()

CFrameWnd::CFrameWnd() = default;

CFrameWnd::~CFrameWnd() {
  if (m_hAccelTable != nullptr) ::DestroyAcceleratorTable(m_hAccelTable);
  // Bars that outlive the frame must not reach back to it.
  for (POSITION pos = m_listControlBars.GetHeadPosition(); pos != nullptr;) {
    auto* bar = static_cast<CControlBar*>(m_listControlBars.GetNext(pos));
    if (bar->m_pDockSite == this) bar->m_pDockSite = nullptr;
  }
  m_listControlBars.RemoveAll();
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT& cs) {
  if (cs.lpszClass == nullptr)
    cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW),
                                       reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
  // A frame that shows a document draws the view's sunken edge itself.
  if (cs.style & FWS_ADDTOTITLE) cs.dwExStyle |= WS_EX_CLIENTEDGE;
  return TRUE;
}

void CFrameWnd::PostNcDestroy() { delete this; }

BOOL CFrameWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                       CWnd* pParentWnd, LPCTSTR lpszMenuName, DWORD dwExStyle, CCreateContext* pContext) {
  HMENU hMenu = nullptr;
  if (lpszMenuName != nullptr) {
    HINSTANCE hInst = AfxFindResourceHandle(lpszMenuName, RT_MENU);
    hMenu = ::LoadMenuW(hInst, lpszMenuName);
  }
  m_hMenuDefault = hMenu;
  if (lpszWindowName != nullptr && m_strTitle.IsEmpty()) m_strTitle = lpszWindowName;
  int x = rect.left, y = rect.top, cx, cy;
  if (::EqualRect(&rect, &rectDefault)) {
    cx = cy = CW_USEDEFAULT;
  } else {
    cx = rect.right - rect.left;
    cy = rect.bottom - rect.top;
  }
  // A failed creation may have deleted this object already: touch no member.
  if (!CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, x, y, cx, cy,
                pParentWnd ? pParentWnd->GetSafeHwnd() : nullptr, hMenu, pContext)) {
    if (hMenu != nullptr && ::IsMenu(hMenu)) ::DestroyMenu(hMenu);
    return FALSE;
  }
  return TRUE;
}

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext) {
  m_nIDHelp = nIDResource;
  CString strings;
  if (strings.LoadString(nIDResource)) {
    int end = strings.Find(L'\n');
    m_strTitle = end < 0 ? strings : strings.Left(end);
  }
  LPCWSTR name = MAKEINTRESOURCEW(nIDResource);
  HICON hIcon = ::LoadIconW(AfxFindResourceHandle(name, RT_GROUP_ICON), name);
  LPCTSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW),
                                          reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1), hIcon);
  if (m_hAccelTable == nullptr) m_hAccelTable = ::LoadAcceleratorsW(AfxFindResourceHandle(name, RT_ACCELERATOR), name);
  LPCTSTR menuName = ::FindResourceW(AfxFindResourceHandle(name, RT_MENU), name, RT_MENU) ? name : nullptr;
  if (!Create(lpszClass, m_strTitle, dwDefaultStyle, rectDefault, pParentWnd, menuName, 0, pContext)) return FALSE;
  // Without a document the views are told at once.
  if (pContext == nullptr) SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
  return TRUE;
}

int CFrameWnd::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  if (CWnd::OnCreate(lpCreateStruct) == -1) return -1;
  auto* context = lpCreateStruct ? static_cast<CCreateContext*>(lpCreateStruct->lpCreateParams) : nullptr;
  if (!OnCreateClient(lpCreateStruct, context)) return -1;
  RecalcLayout();
  return 0;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext) {
  if (pContext != nullptr && pContext->m_pNewViewClass != nullptr) return CreateView(pContext) != nullptr;
  return TRUE;
}

CWnd* CFrameWnd::CreateView(CCreateContext* pContext, UINT nID) {
  if (pContext == nullptr || pContext->m_pNewViewClass == nullptr) return nullptr;
  CObject* object = pContext->m_pNewViewClass->CreateObject();
  auto* pView = DYNAMIC_DOWNCAST(CWnd, object);
  if (pView == nullptr) {
    delete object;
    return nullptr;
  }
  // A view that fails deletes itself (PostNcDestroy).
  if (!pView->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(0, 0, 0, 0), this, nID, pContext))
    return nullptr;
  // The view draws the sunken edge: the frame need not.
  if (pView->GetExStyle() & WS_EX_CLIENTEDGE) ModifyStyleEx(WS_EX_CLIENTEDGE, 0, SWP_FRAMECHANGED);
  return pView;
}

void CFrameWnd::SetActiveView(CView* pViewNew, BOOL bNotify) {
  CView* pViewOld = m_pViewActive;
  if (pViewNew == pViewOld) return;
  m_pViewActive = nullptr;
  if (pViewOld != nullptr && bNotify) pViewOld->OnActivateView(FALSE, pViewNew, pViewOld);
  m_pViewActive = pViewNew;
  if (pViewNew != nullptr && bNotify) pViewNew->OnActivateView(TRUE, pViewNew, pViewOld);
}

CDocument* CFrameWnd::GetActiveDocument() {
  CView* view = GetActiveView();
  return view ? view->GetDocument() : nullptr;
}

void CFrameWnd::ActivateFrame(int nCmdShow) {
  if (nCmdShow == -1) {
    if (!IsWindowVisible()) nCmdShow = SW_SHOWNORMAL;
    else if (IsIconic()) nCmdShow = SW_RESTORE;
  }
  if (nCmdShow != -1) ShowWindow(nCmdShow);
  if (nCmdShow != SW_HIDE && nCmdShow != SW_MINIMIZE && nCmdShow != SW_SHOWMINNOACTIVE &&
      nCmdShow != SW_SHOWNA && nCmdShow != SW_SHOWNOACTIVATE) {
    BringWindowToTop();
    HWND lastPopup = ::GetLastActivePopup(m_hWnd);
    if (lastPopup != nullptr && lastPopup != m_hWnd) ::BringWindowToTop(lastPopup);
  }
}

void CFrameWnd::InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible) {
  CView* pView = GetActiveView();
  if (pView == nullptr) {
    CWnd* pane = GetDescendantWindow(AFX_IDW_PANE_FIRST, TRUE);
    pView = pane ? DYNAMIC_DOWNCAST(CView, pane) : nullptr;
    if (pView != nullptr) SetActiveView(pView, FALSE);
  }
  if (bMakeVisible) {
    SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
    if (m_hWnd == nullptr) return;
    int nCmdShow = -1;
    CWinApp* app = AfxGetApp();
    if (app != nullptr && app->m_pMainWnd == this) {
      nCmdShow = app->m_nCmdShow;
      app->m_nCmdShow = -1;  // only the first frame takes it
    }
    ActivateFrame(nCmdShow);
    if (pView != nullptr && m_pViewActive == pView) pView->OnActivateView(TRUE, pView, pView);
  }
  (void)pDoc;
  OnUpdateFrameTitle(TRUE);
}

void CFrameWnd::RecalcLayout(BOOL bNotify) {
  if (m_bInRecalcLayout || m_hWnd == nullptr) return;
  m_bInRecalcLayout = TRUE;
  m_nIdleFlags &= ~(idleLayout | idleNotify);
  if (GetStyle() & FWS_SNAPTOBARS) {
    // Measure the bars unstretched, lay them out in that size, and fit the
    // window around them.
    CRect rect(0, 0, 32767, 32767);
    RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposQuery, &rect, &rect, FALSE);
    RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposExtra, &m_rectBorder, &rect, TRUE);
    CalcWindowRect(&rect);
    SetWindowPos(nullptr, 0, 0, rect.Width(), rect.Height(), SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOZORDER);
  } else {
    RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposExtra, &m_rectBorder);
  }
  m_bInRecalcLayout = FALSE;
  if (bNotify) {
    CArray<HWND, HWND> owned;
    GetOwnedWindows(owned);
    for (INT_PTR i = 0; i < owned.GetSize(); ++i) {
      CWnd* wnd = CWnd::FromHandlePermanent(owned[i]);
      if (wnd != nullptr && wnd->IsFrameWnd() && ::IsWindowVisible(owned[i]))
        static_cast<CFrameWnd*>(wnd)->RecalcLayout(FALSE);
    }
  }
}

void CFrameWnd::DelayRecalcLayout(BOOL bNotify) { m_nIdleFlags |= idleLayout | (bNotify ? static_cast<UINT>(idleNotify) : 0u); }

void CFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle) {
  if (m_hWnd == nullptr || (GetStyle() & FWS_ADDTOTITLE) == 0) return;
  CDocument* pDocument = GetActiveDocument();
  if (bAddToTitle && pDocument != nullptr) UpdateFrameTitleForDocument(pDocument->GetTitle());
  else UpdateFrameTitleForDocument(nullptr);
}

void CFrameWnd::UpdateFrameTitleForDocument(LPCTSTR lpszDocName) {
  CString title;
  const bool hasDoc = lpszDocName != nullptr && *lpszDocName != 0;
  if (GetStyle() & FWS_PREFIXTITLE) {
    if (hasDoc) title = CString(lpszDocName) + L" - ";
    title += m_strTitle;
  } else {
    title = m_strTitle;
    if (hasDoc) title += CString(L" - ") + lpszDocName;
  }
  CString current;
  GetWindowText(current);
  if (current != title) SetWindowText(title);
}

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  CView* pView = GetActiveView();
  if (pView != nullptr && pView->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  CWinApp* app = AfxGetApp();
  return app != nullptr && app->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CFrameWnd::PreTranslateMessage(MSG* pMsg) {
  if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST && m_hAccelTable != nullptr &&
      (pMsg->hwnd == m_hWnd || ::IsChild(m_hWnd, pMsg->hwnd)) &&
      ::TranslateAcceleratorW(m_hWnd, m_hAccelTable, pMsg))
    return TRUE;
  return CWnd::PreTranslateMessage(pMsg);
}

void CFrameWnd::OnDestroy() {
  // The view goes with the frame: nothing may point at it afterwards.
  m_pViewActive = nullptr;
  CWnd::OnDestroy();
}

void CFrameWnd::OnClose() {
  CDocument* pDocument = GetActiveDocument();
  if (pDocument != nullptr && !pDocument->CanCloseFrame(this)) return;
  CWinApp* app = AfxGetApp();
  HWND hWnd = m_hWnd;
  const CFrameWnd* self = this;
  if (app != nullptr && app->m_pMainWnd == this) {
    if (pDocument == nullptr && !app->SaveAllModified()) return;
    // Closing the documents closes their frames, this one included.
    app->CloseAllDocuments(FALSE);
    if (!::IsWindow(hWnd) || CWnd::FromHandlePermanent(hWnd) != self) return;
  }
  DestroyWindow();
}

void CFrameWnd::OnSize(UINT nType, int cx, int cy) {
  CWnd::OnSize(nType, cx, cy);
  if (nType != SIZE_MINIMIZED) RecalcLayout();
  // Floating bars go away with a minimised frame and come back with it.
  if (nType == SIZE_MINIMIZED) NotifyFloatingWindows(FS_HIDE);
  else if (nType == SIZE_RESTORED || nType == SIZE_MAXIMIZED) NotifyFloatingWindows(FS_SHOW);
}

void CFrameWnd::OnSetFocus(CWnd* pOldWnd) {
  CView* view = GetActiveView();
  if (view != nullptr && view->GetSafeHwnd() != nullptr) view->SetFocus();
  else CWnd::OnSetFocus(pOldWnd);
}

void CFrameWnd::OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu) {
  CWnd::OnInitMenuPopup(pPopupMenu, nIndex, bSysMenu);
  if (bSysMenu || pPopupMenu == nullptr) return;
  CCmdUI state;
  state.m_pMenu = pPopupMenu;
  state.m_nIndexMax = static_cast<UINT>(pPopupMenu->GetMenuItemCount());
  for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex) {
    state.m_nID = pPopupMenu->GetMenuItemID(static_cast<int>(state.m_nIndex));
    if (state.m_nID == 0) continue;  // separator
    if (state.m_nID == static_cast<UINT>(-1)) {
      // A sub-menu is enabled and disabled with its first command.
      state.m_pSubMenu = pPopupMenu->GetSubMenu(static_cast<int>(state.m_nIndex));
      if (state.m_pSubMenu == nullptr) continue;
      state.m_nID = state.m_pSubMenu->GetMenuItemID(0);
      if (state.m_nID == 0 || state.m_nID == static_cast<UINT>(-1)) continue;
      state.DoUpdate(this, FALSE);
    } else {
      state.m_pSubMenu = nullptr;
      state.DoUpdate(this, m_bAutoMenuEnable && state.m_nID < 0xF000);
    }
    // The handler may have added or removed items (the recent-file list).
    UINT count = static_cast<UINT>(pPopupMenu->GetMenuItemCount());
    if (count < state.m_nIndexMax) {
      state.m_nIndex -= state.m_nIndexMax - count;
      while (state.m_nIndex < count && pPopupMenu->GetMenuItemID(static_cast<int>(state.m_nIndex)) == state.m_nID)
        ++state.m_nIndex;
    }
    state.m_nIndexMax = count;
  }
}

BOOL CFrameWnd::OnHelpInfo(HELPINFO*) {
  SendMessage(WM_COMMAND, ID_HELP);
  return TRUE;
}

BOOL CFrameWnd::OnQueryEndSession() {
  CWinApp* app = AfxGetApp();
  if (app != nullptr && app->m_pMainWnd == this) return app->SaveAllModified();
  return TRUE;
}

void CFrameWnd::OnEndSession(BOOL bEnding) {
  CWinApp* app = AfxGetApp();
  if (bEnding && app != nullptr && app->m_pMainWnd == this) app->CloseAllDocuments(TRUE);
}

void CFrameWnd::OnHelp() {
  if (CWinApp* app = AfxGetApp()) app->OnHelp();
}

void CFrameWnd::OnHelpFinder() {
  if (CWinApp* app = AfxGetApp()) app->OnHelpFinder();
}

void CFrameWnd::OnContextHelp() {
  if (CWinApp* app = AfxGetApp()) app->OnContextHelp();
}

// The frames above a window.

CFrameWnd* CWnd::GetParentFrame() const {
  if (m_hWnd == nullptr) return nullptr;
  for (HWND h = ::GetParent(m_hWnd); h != nullptr; h = ::GetParent(h)) {
    CWnd* wnd = FromHandlePermanent(h);
    if (wnd != nullptr && wnd->IsKindOf(RUNTIME_CLASS(CFrameWnd))) return static_cast<CFrameWnd*>(wnd);
  }
  return nullptr;
}

CFrameWnd* CWnd::GetTopLevelFrame() const {
  if (m_hWnd == nullptr) return nullptr;
  CFrameWnd* frame = IsKindOf(RUNTIME_CLASS(CFrameWnd)) ? const_cast<CFrameWnd*>(static_cast<const CFrameWnd*>(this))
                                                       : GetParentFrame();
  while (frame != nullptr) {
    CFrameWnd* parent = frame->GetParentFrame();
    if (parent == nullptr) break;
    frame = parent;
  }
  return frame;
}
