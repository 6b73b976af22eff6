// CWnd: a window object bound to a window handle.
//
// A CWnd is permanent while it is attached (created by Create/CreateEx, or
// bound with Attach/SubclassWindow); FromHandle of any other handle gives a
// temporary wrapper, deleted at the thread's next idle time. Created and
// subclassed windows run through AfxWndProc, which dispatches every message
// to WindowProc and the message map and lets no C++ exception out.
// When the window is destroyed the object is detached and PostNcDestroy runs
// (heap windows may delete themselves there).
#pragma once

#include "framework/cmdtarget.h"
#include "framework/cstring.h"
#include "framework/dc.h"
#include "framework/gdi.h"
#include "framework/geometry.h"
#include "framework/menu.h"

class CDataExchange;
class CFrameWnd;
class CListBox;
class CScrollBar;

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);
WNDPROC AFXAPI AfxGetAfxWndProc();
// Sends one message to a window object through the framework's dispatch.
LRESULT AFXAPI AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);

// Registers (once) and names a window class with these attributes; its
// window procedure is the framework's.
LPCTSTR AFXAPI AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor = nullptr, HBRUSH hbrBackground = nullptr,
                                  HICON hIcon = nullptr);
// Registers the class unless a class of that name exists in its module.
BOOL AFXAPI AfxRegisterClass(WNDCLASS* lpWndClass);

class CWnd : public CCmdTarget {
  DECLARE_DYNCREATE(CWnd)
 public:
  CWnd();
  ~CWnd() override;

  HWND m_hWnd = nullptr;
  operator HWND() const { return m_hWnd; }
  HWND GetSafeHwnd() const { return fw::IsNull(this) ? nullptr : m_hWnd; }
  bool operator==(const CWnd& wnd) const { return wnd.m_hWnd == m_hWnd; }
  bool operator!=(const CWnd& wnd) const { return wnd.m_hWnd != m_hWnd; }

  // Insert-after positions for SetWindowPos.
  static const CWnd wndTop;
  static const CWnd wndBottom;
  static const CWnd wndTopMost;
  static const CWnd wndNoTopMost;

  // Handle maps.
  static CWnd* AFXAPI FromHandle(HWND hWnd);
  static CWnd* AFXAPI FromHandlePermanent(HWND hWnd);
  static void AFXAPI DeleteTempMap();
  BOOL Attach(HWND hWndNew);
  HWND Detach();
  BOOL SubclassWindow(HWND hWnd);
  BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
  HWND UnsubclassWindow();

  // Creation and destruction.
  virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                      CWnd* pParentWnd, UINT nID, CCreateContext* pContext = nullptr);
  virtual BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, int x, int y,
                        int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam = nullptr);
  virtual BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                        const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam = nullptr);
  virtual BOOL DestroyWindow();
  virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
  virtual void PreSubclassWindow();
  virtual void PostNcDestroy();

  // Message processing.
  virtual BOOL PreTranslateMessage(MSG* pMsg);
  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
  virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
  virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
  // A notification of this control to its parent, offered to the control
  // first (reflection); TRUE when the control handled it.
  virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
  BOOL ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
  static BOOL AFXAPI ReflectLastMsg(HWND hWndChild, LRESULT* pResult = nullptr);
  BOOL SendChildNotifyLastMsg(LRESULT* pResult = nullptr);
  virtual WNDPROC* GetSuperWndProcAddr();
  // The default processing of the message being handled.
  LRESULT Default();
  static const MSG* AFXAPI GetCurrentMessage();
  // Offers the message to each permanent window from pMsg->hwnd up to hWndStop.
  static BOOL AFXAPI WalkPreTranslateTree(HWND hWndStop, MSG* pMsg);
  virtual void DoDataExchange(CDataExchange* pDX);
  // Runs DoDataExchange towards the members (TRUE) or the controls (FALSE).
  // FALSE when a value failed its check: the user was told and the focus is
  // on the control.
  BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
  enum AdjustType { adjustBorder = 0, adjustOutside = 1 };
  virtual void CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType = adjustBorder);

  // Messages.
  LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return ::SendMessageW(m_hWnd, message, wParam, lParam);
  }
  BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return ::PostMessageW(m_hWnd, message, wParam, lParam);
  }
  BOOL SendNotifyMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
    return ::SendNotifyMessageW(m_hWnd, message, wParam, lParam);
  }
  void SendMessageToDescendants(UINT message, WPARAM wParam = 0, LPARAM lParam = 0, BOOL bDeep = TRUE,
                                BOOL bOnlyPerm = FALSE);

  // Timers.
  UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse, void(CALLBACK* lpfnTimer)(HWND, UINT, UINT_PTR, DWORD) = nullptr) {
    return ::SetTimer(m_hWnd, nIDEvent, nElapse, lpfnTimer);
  }
  BOOL KillTimer(UINT_PTR nIDEvent) { return ::KillTimer(m_hWnd, nIDEvent); }

  // Styles and text.
  DWORD GetStyle() const { return static_cast<DWORD>(::GetWindowLongPtrW(m_hWnd, GWL_STYLE)); }
  DWORD GetExStyle() const { return static_cast<DWORD>(::GetWindowLongPtrW(m_hWnd, GWL_EXSTYLE)); }
  BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0) { return ModifyStyle(m_hWnd, dwRemove, dwAdd, nFlags); }
  BOOL ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0) {
    return ModifyStyleEx(m_hWnd, dwRemove, dwAdd, nFlags);
  }
  static BOOL AFXAPI ModifyStyle(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags);
  static BOOL AFXAPI ModifyStyleEx(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags);
  void SetWindowText(LPCTSTR lpszString) { ::SetWindowTextW(m_hWnd, lpszString); }
  int GetWindowText(LPTSTR lpszStringBuf, int nMaxCount) const { return ::GetWindowTextW(m_hWnd, lpszStringBuf, nMaxCount); }
  void GetWindowText(CString& rString) const;
  int GetWindowTextLength() const { return ::GetWindowTextLengthW(m_hWnd); }
  void SetFont(CFont* pFont, BOOL bRedraw = TRUE);
  CFont* GetFont() const;
  HICON SetIcon(HICON hIcon, BOOL bBigIcon);
  HICON GetIcon(BOOL bBigIcon) const;
  int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
  int SetDlgCtrlID(int nID) { return static_cast<int>(::SetWindowLongPtrW(m_hWnd, GWLP_ID, nID)); }

  // Geometry.
  void GetWindowRect(LPRECT lpRect) const { ::GetWindowRect(m_hWnd, lpRect); }
  void GetClientRect(LPRECT lpRect) const { ::GetClientRect(m_hWnd, lpRect); }
  void ClientToScreen(LPPOINT lpPoint) const { ::ClientToScreen(m_hWnd, lpPoint); }
  void ClientToScreen(LPRECT lpRect) const;
  void ScreenToClient(LPPOINT lpPoint) const { ::ScreenToClient(m_hWnd, lpPoint); }
  void ScreenToClient(LPRECT lpRect) const;
  void MapWindowPoints(CWnd* pwndTo, LPPOINT lpPoint, UINT nCount) const {
    ::MapWindowPoints(m_hWnd, pwndTo ? pwndTo->m_hWnd : nullptr, lpPoint, nCount);
  }
  void MapWindowPoints(CWnd* pwndTo, LPRECT lpRect) const {
    ::MapWindowPoints(m_hWnd, pwndTo ? pwndTo->m_hWnd : nullptr, reinterpret_cast<LPPOINT>(lpRect), 2);
  }
  void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE) {
    ::MoveWindow(m_hWnd, x, y, nWidth, nHeight, bRepaint);
  }
  void MoveWindow(LPCRECT lpRect, BOOL bRepaint = TRUE) {
    MoveWindow(lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top, bRepaint);
  }
  BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags) {
    return ::SetWindowPos(m_hWnd, pWndInsertAfter ? pWndInsertAfter->m_hWnd : nullptr, x, y, cx, cy, nFlags);
  }
  BOOL GetWindowPlacement(WINDOWPLACEMENT* lpwndpl) const { return ::GetWindowPlacement(m_hWnd, lpwndpl); }
  BOOL SetWindowPlacement(const WINDOWPLACEMENT* lpwndpl) { return ::SetWindowPlacement(m_hWnd, lpwndpl); }
  // Centres a pop-up over its owner (or pAlternateOwner), a child in its
  // parent; the result stays inside the work area.
  void CenterWindow(CWnd* pAlternateOwner = nullptr);
  int SetWindowRgn(HRGN hRgn, BOOL bRedraw) { return ::SetWindowRgn(m_hWnd, hRgn, bRedraw); }
  int GetWindowRgn(HRGN hRgn) const { return ::GetWindowRgn(m_hWnd, hRgn); }

  // State.
  BOOL ShowWindow(int nCmdShow) { return ::ShowWindow(m_hWnd, nCmdShow); }
  BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
  BOOL EnableWindow(BOOL bEnable = TRUE) { return ::EnableWindow(m_hWnd, bEnable); }
  BOOL IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
  BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
  BOOL IsZoomed() const { return ::IsZoomed(m_hWnd); }
  BOOL IsChild(const CWnd* pWnd) const { return pWnd ? ::IsChild(m_hWnd, pWnd->m_hWnd) : FALSE; }
  BOOL IsWindow() const { return ::IsWindow(m_hWnd); }

  // Painting.
  void Invalidate(BOOL bErase = TRUE) { ::InvalidateRect(m_hWnd, nullptr, bErase); }
  void InvalidateRect(LPCRECT lpRect, BOOL bErase = TRUE) { ::InvalidateRect(m_hWnd, lpRect, bErase); }
  void InvalidateRgn(CRgn* pRgn, BOOL bErase = TRUE) {
    ::InvalidateRgn(m_hWnd, pRgn ? static_cast<HRGN>(*pRgn) : nullptr, bErase);
  }
  void ValidateRect(LPCRECT lpRect) { ::ValidateRect(m_hWnd, lpRect); }
  void ValidateRgn(CRgn* pRgn) { ::ValidateRgn(m_hWnd, pRgn ? static_cast<HRGN>(*pRgn) : nullptr); }
  void UpdateWindow() { ::UpdateWindow(m_hWnd); }
  BOOL RedrawWindow(LPCRECT lpRectUpdate = nullptr, CRgn* prgnUpdate = nullptr,
                    UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE) {
    return ::RedrawWindow(m_hWnd, lpRectUpdate, prgnUpdate ? static_cast<HRGN>(*prgnUpdate) : nullptr, flags);
  }
  BOOL GetUpdateRect(LPRECT lpRect, BOOL bErase = FALSE) { return ::GetUpdateRect(m_hWnd, lpRect, bErase); }
  int GetUpdateRgn(CRgn* pRgn, BOOL bErase = FALSE) { return pRgn ? ::GetUpdateRgn(m_hWnd, *pRgn, bErase) : ERROR; }
  void SetRedraw(BOOL bRedraw = TRUE) { SendMessage(WM_SETREDRAW, static_cast<WPARAM>(bRedraw)); }
  BOOL LockWindowUpdate() { return ::LockWindowUpdate(m_hWnd); }
  void UnlockWindowUpdate() { ::LockWindowUpdate(nullptr); }
  void ScrollWindow(int xAmount, int yAmount, LPCRECT lpRect = nullptr, LPCRECT lpClipRect = nullptr) {
    ::ScrollWindow(m_hWnd, xAmount, yAmount, lpRect, lpClipRect);
  }
  CDC* GetDC() { return CDC::FromHandle(::GetDC(m_hWnd)); }
  CDC* GetWindowDC() { return CDC::FromHandle(::GetWindowDC(m_hWnd)); }
  CDC* GetDCEx(CRgn* prgnClip, DWORD flags) {
    return CDC::FromHandle(::GetDCEx(m_hWnd, prgnClip ? static_cast<HRGN>(*prgnClip) : nullptr, flags));
  }
  int ReleaseDC(CDC* pDC) { return pDC ? ::ReleaseDC(m_hWnd, pDC->m_hDC) : 0; }
  CDC* BeginPaint(LPPAINTSTRUCT lpPaint) { return CDC::FromHandle(::BeginPaint(m_hWnd, lpPaint)); }
  void EndPaint(LPPAINTSTRUCT lpPaint) { ::EndPaint(m_hWnd, lpPaint); }
  BOOL PrintWindow(CDC* pDC, UINT nFlags) const { return pDC ? ::PrintWindow(m_hWnd, pDC->m_hDC, nFlags) : FALSE; }

  // Relations.
  CWnd* GetParent() const { return FromHandle(::GetParent(m_hWnd)); }
  CWnd* SetParent(CWnd* pWndNewParent) { return FromHandle(::SetParent(m_hWnd, pWndNewParent ? pWndNewParent->m_hWnd : nullptr)); }
  CWnd* GetOwner() const;
  void SetOwner(CWnd* pOwnerWnd) { m_hWndOwner = pOwnerWnd ? pOwnerWnd->m_hWnd : nullptr; }
  CWnd* GetTopLevelParent() const;
  CWnd* GetTopLevelOwner() const;
  CWnd* GetParentOwner() const;
  // The nearest frame window above this one (not itself), or null.
  CFrameWnd* GetParentFrame() const;
  // The outermost frame window above or at this one, or null.
  CFrameWnd* GetTopLevelFrame() const;
  CWnd* GetWindow(UINT nCmd) const { return FromHandle(::GetWindow(m_hWnd, nCmd)); }
  CWnd* GetNextWindow(UINT nFlag = GW_HWNDNEXT) const { return FromHandle(::GetWindow(m_hWnd, nFlag)); }
  CWnd* GetTopWindow() const { return FromHandle(::GetTopWindow(m_hWnd)); }
  CWnd* GetLastActivePopup() const { return FromHandle(::GetLastActivePopup(m_hWnd)); }
  CWnd* ChildWindowFromPoint(POINT point) const { return FromHandle(::ChildWindowFromPoint(m_hWnd, point)); }
  CWnd* ChildWindowFromPoint(POINT point, UINT nFlags) const {
    return FromHandle(::ChildWindowFromPointEx(m_hWnd, point, nFlags));
  }
  // The owner a modal or pop-up window should get: the top-level window of
  // pParent (the main window when null) or its last active pop-up.
  static CWnd* AFXAPI GetSafeOwner(CWnd* pParent = nullptr, HWND* pWndTop = nullptr);
  static HWND AFXAPI GetSafeOwner_(HWND hWnd, HWND* pWndTop);

  // Dialog-style helpers.
  CWnd* GetDlgItem(int nID) const { return FromHandle(::GetDlgItem(m_hWnd, nID)); }
  void GetDlgItem(int nID, HWND* phWnd) const { *phWnd = ::GetDlgItem(m_hWnd, nID); }
  CWnd* GetDescendantWindow(int nID, BOOL bOnlyPerm = FALSE) const;
  void SetDlgItemText(int nID, LPCTSTR lpszString) { ::SetDlgItemTextW(m_hWnd, nID, lpszString); }
  int GetDlgItemText(int nID, LPTSTR lpStr, int nMaxCount) const { return ::GetDlgItemTextW(m_hWnd, nID, lpStr, nMaxCount); }
  int GetDlgItemText(int nID, CString& rString) const;
  void SetDlgItemInt(int nID, UINT nValue, BOOL bSigned = TRUE) { ::SetDlgItemInt(m_hWnd, nID, nValue, bSigned); }
  UINT GetDlgItemInt(int nID, BOOL* lpTrans = nullptr, BOOL bSigned = TRUE) const {
    return ::GetDlgItemInt(m_hWnd, nID, lpTrans, bSigned);
  }
  void CheckDlgButton(int nIDButton, UINT nCheck) { ::CheckDlgButton(m_hWnd, nIDButton, nCheck); }
  UINT IsDlgButtonChecked(int nIDButton) const { return ::IsDlgButtonChecked(m_hWnd, nIDButton); }
  void CheckRadioButton(int nIDFirstButton, int nIDLastButton, int nIDCheckButton) {
    ::CheckRadioButton(m_hWnd, nIDFirstButton, nIDLastButton, nIDCheckButton);
  }
  int GetCheckedRadioButton(int nIDFirstButton, int nIDLastButton) const;
  LRESULT SendDlgItemMessage(int nID, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return ::SendDlgItemMessageW(m_hWnd, nID, message, wParam, lParam);
  }
  CWnd* GetNextDlgTabItem(CWnd* pWndCtl, BOOL bPrevious = FALSE) const {
    return FromHandle(::GetNextDlgTabItem(m_hWnd, pWndCtl ? pWndCtl->m_hWnd : nullptr, bPrevious));
  }
  CWnd* GetNextDlgGroupItem(CWnd* pWndCtl, BOOL bPrevious = FALSE) const {
    return FromHandle(::GetNextDlgGroupItem(m_hWnd, pWndCtl ? pWndCtl->m_hWnd : nullptr, bPrevious));
  }
  // Dialog-init data (RT_DLGINIT): records of a control id, a message and a
  // string (LB_ADDSTRING, CB_ADDSTRING, an extended combo box's insertion)
  // sent to the controls, ended by id 0; then WM_INITIALUPDATE to the
  // descendants. FALSE when a control refuses a string or the data runs
  // past its end; TRUE (nothing done) without data.
  BOOL ExecuteDlgInit(LPCTSTR lpszResourceName);
  BOOL ExecuteDlgInit(LPVOID lpResource);
  BOOL ExecuteDlgInit(LPCVOID lpResource, DWORD cbResource);
  // Asks pTarget for the state of every child control with an id.
  void UpdateDialogControls(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);

  // Menus.
  CMenu* GetMenu() const { return CMenu::FromHandle(::GetMenu(m_hWnd)); }
  BOOL SetMenu(CMenu* pMenu) { return ::SetMenu(m_hWnd, pMenu ? pMenu->m_hMenu : nullptr); }
  void DrawMenuBar() { ::DrawMenuBar(m_hWnd); }
  CMenu* GetSystemMenu(BOOL bRevert) const { return CMenu::FromHandle(::GetSystemMenu(m_hWnd, bRevert)); }

  // Focus, activation, capture.
  CWnd* SetFocus() { return FromHandle(::SetFocus(m_hWnd)); }
  static CWnd* AFXAPI GetFocus() { return FromHandle(::GetFocus()); }
  CWnd* SetActiveWindow() { return FromHandle(::SetActiveWindow(m_hWnd)); }
  static CWnd* AFXAPI GetActiveWindow() { return FromHandle(::GetActiveWindow()); }
  BOOL SetForegroundWindow() { return ::SetForegroundWindow(m_hWnd); }
  static CWnd* AFXAPI GetForegroundWindow() { return FromHandle(::GetForegroundWindow()); }
  void BringWindowToTop() { ::BringWindowToTop(m_hWnd); }
  CWnd* SetCapture() { return FromHandle(::SetCapture(m_hWnd)); }
  static CWnd* AFXAPI GetCapture() { return FromHandle(::GetCapture()); }
  static CWnd* AFXAPI GetDesktopWindow() { return FromHandle(::GetDesktopWindow()); }
  static CWnd* AFXAPI WindowFromPoint(POINT point) { return FromHandle(::WindowFromPoint(point)); }
  static CWnd* AFXAPI FindWindow(LPCTSTR lpszClassName, LPCTSTR lpszWindowName) {
    return FromHandle(::FindWindowW(lpszClassName, lpszWindowName));
  }
  BOOL FlashWindow(BOOL bInvert) { return ::FlashWindow(m_hWnd, bInvert); }
  void DragAcceptFiles(BOOL bAccept = TRUE) { ::DragAcceptFiles(m_hWnd, bAccept); }
  BOOL OpenClipboard() { return ::OpenClipboard(m_hWnd); }

  // Scrolling.
  int GetScrollPos(int nBar) const { return ::GetScrollPos(m_hWnd, nBar); }
  int SetScrollPos(int nBar, int nPos, BOOL bRedraw = TRUE) { return ::SetScrollPos(m_hWnd, nBar, nPos, bRedraw); }
  void GetScrollRange(int nBar, LPINT lpMinPos, LPINT lpMaxPos) const { ::GetScrollRange(m_hWnd, nBar, lpMinPos, lpMaxPos); }
  void SetScrollRange(int nBar, int nMinPos, int nMaxPos, BOOL bRedraw = TRUE) {
    ::SetScrollRange(m_hWnd, nBar, nMinPos, nMaxPos, bRedraw);
  }
  BOOL GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask = SIF_ALL);
  BOOL SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL bRedraw = TRUE);
  int GetScrollLimit(int nBar);
  void ShowScrollBar(UINT nBar, BOOL bShow = TRUE) { ::ShowScrollBar(m_hWnd, nBar, bShow); }
  BOOL EnableScrollBar(int nSBFlags, UINT nArrowFlags = ESB_ENABLE_BOTH) {
    return ::EnableScrollBar(m_hWnd, nSBFlags, nArrowFlags);
  }

  int MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption = nullptr, UINT nType = MB_OK);

  // Frames answer TRUE (CFrameWnd and its classes).
  virtual BOOL IsFrameWnd() const;
  // The scroll-bar control that serves this window as its nBar (SB_HORZ or
  // SB_VERT) scroll bar, or null when the window's own scroll bars serve.
  virtual CScrollBar* GetScrollBarCtrl(int nBar) const;
  // Activates the top-level parent unless the active window already is (or
  // holds) this window.
  void ActivateTopParent();

  // Tool tips. With tool tips enabled, the mouse moves this window sees in
  // PreTranslateMessage ask OnToolHitTest for the tool under the mouse; the
  // thread's one tool-tip control shows it. A tool without its own text asks
  // with TTN_NEEDTEXT, which a window that does not answer passes to its
  // frame (CFrameWnd::OnToolTipText shows the tip part of the prompt string).
  BOOL EnableToolTips(BOOL bEnable = TRUE);
  BOOL IsToolTipsEnabled() const { return (m_nToolFlags & kToolTipsOn) != 0; }
  // Hides the tip and forgets the tool under the mouse (also after a key
  // when bKeys is set).
  static void AFXAPI CancelToolTips(BOOL bKeys = FALSE);
  void FilterToolTipMessage(MSG* pMsg);
  // The tool at point (client coordinates): its id, or -1 when none. With
  // pTI, fills the tool's window, id, rectangle, flags and text
  // (LPSTR_TEXTCALLBACK, or a copy made with malloc that the caller frees).
  // The default finds a visible child window with an id.
  virtual INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const;

  // Lays out the bars (children with ids nIDFirst..nIDLast) along the client
  // area's edges by asking each with WM_SIZEPARENT; the child nIDLeftOver
  // gets what is left. reposQuery only computes that rectangle into
  // lpRectParam; reposExtra shrinks the area by the margins in lpRectParam.
  enum RepositionFlags { reposDefault = 0, reposQuery = 1, reposExtra = 2, reposNoPosLeftOver = 0x8000 };
  void RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlag = reposDefault,
                      LPRECT lpRectParam = nullptr, LPCRECT lpRectClient = nullptr, BOOL bStretch = TRUE);

  WNDPROC m_pfnSuper = nullptr;  // the window procedure that was replaced

 protected:
  explicit CWnd(HWND hWnd);  // for the insert-after constants only
  // Detaches from a destroyed window and runs PostNcDestroy.
  void NcDestroyCleanup(HWND hWnd);
  HWND m_hWndOwner = nullptr;
  UINT m_nToolFlags = 0;
  static constexpr UINT kToolTipsOn = 0x1;

 protected:
  // Default message handlers: each runs the default processing (see
  // wndhandlers.inc for the list); derived classes that map a message call
  // the base handler for the default.
#include "framework/wndhandlers.inc"

  DECLARE_MESSAGE_MAP()

 private:
  friend LRESULT AFXAPI AfxCallWndProc(CWnd*, HWND, UINT, WPARAM, LPARAM);
  friend LRESULT CALLBACK FwCbtHook(int, WPARAM, LPARAM);
  UINT m_nFwFlags = 0;
};

// Shows the wait cursor for the lifetime of the object.
class CWaitCursor {
 public:
  CWaitCursor();
  ~CWaitCursor();
  void Restore();

 private:
  CWaitCursor(const CWaitCursor&) = delete;
  CWaitCursor& operator=(const CWaitCursor&) = delete;
};
