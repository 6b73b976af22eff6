// Generated: default handlers of the window messages: the default window
// procedure. Handlers marked special are written in wnd.cpp.
#include "framework/wnd.h"

int CWnd::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  (void)lpCreateStruct;
  return static_cast<int>(Default());
}

BOOL CWnd::OnNcCreate(LPCREATESTRUCT lpCreateStruct) {
  (void)lpCreateStruct;
  return static_cast<BOOL>(Default());
}

void CWnd::OnDestroy() {
  Default();
}

void CWnd::OnClose() {
  Default();
}

void CWnd::OnPaint() {
  Default();
}

void CWnd::OnNcPaint() {
  Default();
}

BOOL CWnd::OnEraseBkgnd(CDC* pDC) {
  (void)pDC;
  return static_cast<BOOL>(Default());
}

LRESULT CWnd::OnPrintClient(CDC* pDC, UINT nFlags) {
  (void)pDC;
  (void)nFlags;
  return static_cast<LRESULT>(Default());
}

void CWnd::OnSize(UINT nType, int cx, int cy) {
  (void)nType;
  (void)cx;
  (void)cy;
  Default();
}

void CWnd::OnSizing(UINT fwSide, LPRECT pRect) {
  (void)fwSide;
  (void)pRect;
  Default();
}

void CWnd::OnMove(int x, int y) {
  (void)x;
  (void)y;
  Default();
}

void CWnd::OnMoving(UINT fwSide, LPRECT pRect) {
  (void)fwSide;
  (void)pRect;
  Default();
}

void CWnd::OnEnterSizeMove() {
  Default();
}

void CWnd::OnExitSizeMove() {
  Default();
}

void CWnd::OnGetMinMaxInfo(MINMAXINFO* lpMMI) {
  (void)lpMMI;
  Default();
}

void CWnd::OnWindowPosChanging(WINDOWPOS* lpwndpos) {
  (void)lpwndpos;
  Default();
}

void CWnd::OnWindowPosChanged(WINDOWPOS* lpwndpos) {
  (void)lpwndpos;
  Default();
}

void CWnd::OnStyleChanging(int nStyleType, LPSTYLESTRUCT lpStyleStruct) {
  (void)nStyleType;
  (void)lpStyleStruct;
  Default();
}

void CWnd::OnStyleChanged(int nStyleType, LPSTYLESTRUCT lpStyleStruct) {
  (void)nStyleType;
  (void)lpStyleStruct;
  Default();
}

void CWnd::OnTimer(UINT_PTR nIDEvent) {
  (void)nIDEvent;
  Default();
}

void CWnd::OnLButtonDown(UINT nFlags, CPoint point) {
  (void)nFlags;
  (void)point;
  Default();
}

void CWnd::OnNcLButtonDown(UINT nHitTest, CPoint point) {
  (void)nHitTest;
  (void)point;
  Default();
}

void CWnd::OnLButtonUp(UINT nFlags, CPoint point) {
  (void)nFlags;
  (void)point;
  Default();
}

void CWnd::OnNcLButtonUp(UINT nHitTest, CPoint point) {
  (void)nHitTest;
  (void)point;
  Default();
}

void CWnd::OnLButtonDblClk(UINT nFlags, CPoint point) {
  (void)nFlags;
  (void)point;
  Default();
}

void CWnd::OnNcLButtonDblClk(UINT nHitTest, CPoint point) {
  (void)nHitTest;
  (void)point;
  Default();
}

void CWnd::OnRButtonDown(UINT nFlags, CPoint point) {
  (void)nFlags;
  (void)point;
  Default();
}

void CWnd::OnNcRButtonDown(UINT nHitTest, CPoint point) {
  (void)nHitTest;
  (void)point;
  Default();
}

void CWnd::OnRButtonUp(UINT nFlags, CPoint point) {
  (void)nFlags;
  (void)point;
  Default();
}

void CWnd::OnNcRButtonUp(UINT nHitTest, CPoint point) {
  (void)nHitTest;
  (void)point;
  Default();
}

void CWnd::OnRButtonDblClk(UINT nFlags, CPoint point) {
  (void)nFlags;
  (void)point;
  Default();
}

void CWnd::OnNcRButtonDblClk(UINT nHitTest, CPoint point) {
  (void)nHitTest;
  (void)point;
  Default();
}

void CWnd::OnMButtonDown(UINT nFlags, CPoint point) {
  (void)nFlags;
  (void)point;
  Default();
}

void CWnd::OnNcMButtonDown(UINT nHitTest, CPoint point) {
  (void)nHitTest;
  (void)point;
  Default();
}

void CWnd::OnMButtonUp(UINT nFlags, CPoint point) {
  (void)nFlags;
  (void)point;
  Default();
}

void CWnd::OnNcMButtonUp(UINT nHitTest, CPoint point) {
  (void)nHitTest;
  (void)point;
  Default();
}

void CWnd::OnMButtonDblClk(UINT nFlags, CPoint point) {
  (void)nFlags;
  (void)point;
  Default();
}

void CWnd::OnNcMButtonDblClk(UINT nHitTest, CPoint point) {
  (void)nHitTest;
  (void)point;
  Default();
}

void CWnd::OnMouseMove(UINT nFlags, CPoint point) {
  (void)nFlags;
  (void)point;
  Default();
}

void CWnd::OnNcMouseMove(UINT nHitTest, CPoint point) {
  (void)nHitTest;
  (void)point;
  Default();
}

void CWnd::OnMouseHover(UINT nFlags, CPoint point) {
  (void)nFlags;
  (void)point;
  Default();
}

void CWnd::OnMouseLeave() {
  Default();
}

void CWnd::OnNcMouseHover(UINT nHitTest, CPoint point) {
  (void)nHitTest;
  (void)point;
  Default();
}

void CWnd::OnNcMouseLeave() {
  Default();
}

BOOL CWnd::OnMouseWheel(UINT nFlags, short zDelta, CPoint pt) {
  (void)nFlags;
  (void)zDelta;
  (void)pt;
  return static_cast<BOOL>(Default());
}

int CWnd::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message) {
  (void)pDesktopWnd;
  (void)nHitTest;
  (void)message;
  return static_cast<int>(Default());
}

BOOL CWnd::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) {
  (void)pWnd;
  (void)nHitTest;
  (void)message;
  return static_cast<BOOL>(Default());
}

void CWnd::OnCaptureChanged(CWnd* pWnd) {
  (void)pWnd;
  Default();
}

void CWnd::OnCancelMode() {
  Default();
}

void CWnd::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
  (void)nChar;
  (void)nRepCnt;
  (void)nFlags;
  Default();
}

void CWnd::OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags) {
  (void)nChar;
  (void)nRepCnt;
  (void)nFlags;
  Default();
}

void CWnd::OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
  (void)nChar;
  (void)nRepCnt;
  (void)nFlags;
  Default();
}

void CWnd::OnSysKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags) {
  (void)nChar;
  (void)nRepCnt;
  (void)nFlags;
  Default();
}

void CWnd::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) {
  (void)nChar;
  (void)nRepCnt;
  (void)nFlags;
  Default();
}

void CWnd::OnSysChar(UINT nChar, UINT nRepCnt, UINT nFlags) {
  (void)nChar;
  (void)nRepCnt;
  (void)nFlags;
  Default();
}

void CWnd::OnDeadChar(UINT nChar, UINT nRepCnt, UINT nFlags) {
  (void)nChar;
  (void)nRepCnt;
  (void)nFlags;
  Default();
}

void CWnd::OnSysDeadChar(UINT nChar, UINT nRepCnt, UINT nFlags) {
  (void)nChar;
  (void)nRepCnt;
  (void)nFlags;
  Default();
}

void CWnd::OnSetFocus(CWnd* pOldWnd) {
  (void)pOldWnd;
  Default();
}

void CWnd::OnKillFocus(CWnd* pNewWnd) {
  (void)pNewWnd;
  Default();
}

void CWnd::OnShowWindow(BOOL bShow, UINT nStatus) {
  (void)bShow;
  (void)nStatus;
  Default();
}

void CWnd::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized) {
  (void)nState;
  (void)pWndOther;
  (void)bMinimized;
  Default();
}

void CWnd::OnActivateApp(BOOL bActive, DWORD dwThreadID) {
  (void)bActive;
  (void)dwThreadID;
  Default();
}

void CWnd::OnChildActivate() {
  Default();
}

void CWnd::OnEnable(BOOL bEnable) {
  (void)bEnable;
  Default();
}

LRESULT CWnd::OnNcHitTest(CPoint point) {
  (void)point;
  return static_cast<LRESULT>(Default());
}

void CWnd::OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp) {
  (void)bCalcValidRects;
  (void)lpncsp;
  Default();
}

BOOL CWnd::OnNcActivate(BOOL bActive) {
  (void)bActive;
  return static_cast<BOOL>(Default());
}

void CWnd::OnSysCommand(UINT nID, LPARAM lParam) {
  (void)nID;
  (void)lParam;
  Default();
}

void CWnd::OnContextMenu(CWnd* pWnd, CPoint pos) {
  (void)pWnd;
  (void)pos;
  Default();
}

BOOL CWnd::OnHelpInfo(HELPINFO* pHelpInfo) {
  (void)pHelpInfo;
  return static_cast<BOOL>(Default());
}

HCURSOR CWnd::OnQueryDragIcon() {
  return reinterpret_cast<HCURSOR>(Default());
}

UINT CWnd::OnGetDlgCode() {
  return static_cast<UINT>(Default());
}

void CWnd::OnSettingChange(UINT uFlags, LPCTSTR lpszSection) {
  (void)uFlags;
  (void)lpszSection;
  Default();
}

void CWnd::OnSysColorChange() {
  Default();
}

void CWnd::OnDisplayChange(UINT nImageDepth, int cxScreen, int cyScreen) {
  (void)nImageDepth;
  (void)cxScreen;
  (void)cyScreen;
  Default();
}

LRESULT CWnd::OnThemeChanged() {
  return static_cast<LRESULT>(Default());
}

void CWnd::OnFontChange() {
  Default();
}

void CWnd::OnPaletteChanged(CWnd* pFocusWnd) {
  (void)pFocusWnd;
  Default();
}

BOOL CWnd::OnQueryNewPalette() {
  return static_cast<BOOL>(Default());
}

void CWnd::OnInitMenu(CMenu* pMenu) {
  (void)pMenu;
  Default();
}

void CWnd::OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu) {
  (void)pPopupMenu;
  (void)nIndex;
  (void)bSysMenu;
  Default();
}

void CWnd::OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu) {
  (void)nItemID;
  (void)nFlags;
  (void)hSysMenu;
  Default();
}

LRESULT CWnd::OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu) {
  (void)nChar;
  (void)nFlags;
  (void)pMenu;
  return static_cast<LRESULT>(Default());
}

void CWnd::OnEnterIdle(UINT nWhy, CWnd* pWho) {
  (void)nWhy;
  (void)pWho;
  Default();
}

void CWnd::OnEnterMenuLoop(BOOL bIsTrackPopupMenu) {
  (void)bIsTrackPopupMenu;
  Default();
}

void CWnd::OnExitMenuLoop(BOOL bIsTrackPopupMenu) {
  (void)bIsTrackPopupMenu;
  Default();
}

void CWnd::OnDropFiles(HDROP hDropInfo) {
  (void)hDropInfo;
  Default();
}

BOOL CWnd::OnCopyData(CWnd* pWnd, COPYDATASTRUCT* pCopyDataStruct) {
  (void)pWnd;
  (void)pCopyDataStruct;
  return static_cast<BOOL>(Default());
}

BOOL CWnd::OnQueryEndSession() {
  return static_cast<BOOL>(Default());
}

void CWnd::OnEndSession(BOOL bEnding) {
  (void)bEnding;
  Default();
}
