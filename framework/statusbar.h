// CStatusBarCtrl: the system's status-bar control.
// CStatusBar: a control bar made of that control, with panes kept by the
// bar: each pane has a command id (ID_SEPARATOR for the message pane), an
// SBPS_ style, a width and a text. The message pane shows the frame's status
// texts (the bar's window text is pane ID_SEPARATOR's text); the other panes
// show their indicator strings and are asked for their state at idle time
// (enabled shows the text, disabled hides it, checked pops the pane out).
// Pane indexes outside the bar are ignored (read as 0 or empty).
#pragma once

#include <vector>

#include "framework/controlbar.h"
#include "framework/fwres.h"

class CStatusBarCtrl : public CWnd {
  DECLARE_DYNAMIC(CStatusBarCtrl)
 public:
  CStatusBarCtrl() = default;
  virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
  using CWnd::Create;

  BOOL SetParts(int nParts, int* pWidths) {
    return static_cast<BOOL>(SendMessage(SB_SETPARTS, nParts, reinterpret_cast<LPARAM>(pWidths)));
  }
  int GetParts(int nParts, int* pParts) const {
    return static_cast<int>(SendMessage(SB_GETPARTS, nParts, reinterpret_cast<LPARAM>(pParts)));
  }
  BOOL SetText(LPCTSTR lpszText, int nPane, int nType) {
    return static_cast<BOOL>(SendMessage(SB_SETTEXTW, static_cast<WPARAM>(nPane | nType), reinterpret_cast<LPARAM>(lpszText)));
  }
  CString GetText(int nPane, int* pType = nullptr) const;
  int GetTextLength(int nPane, int* pType = nullptr) const;
  BOOL GetRect(int nPane, LPRECT lpRect) const {
    return static_cast<BOOL>(SendMessage(SB_GETRECT, nPane, reinterpret_cast<LPARAM>(lpRect)));
  }
  // Horizontal border, vertical border and the gap between panes.
  BOOL GetBorders(int* pBorders) const {
    return static_cast<BOOL>(SendMessage(SB_GETBORDERS, 0, reinterpret_cast<LPARAM>(pBorders)));
  }
  void SetMinHeight(int nMin) { SendMessage(SB_SETMINHEIGHT, nMin); }
  BOOL SetSimple(BOOL bSimple = TRUE) { return static_cast<BOOL>(SendMessage(SB_SIMPLE, bSimple)); }
  BOOL IsSimple() const { return static_cast<BOOL>(SendMessage(SB_ISSIMPLE)); }
  BOOL SetIcon(int nPane, HICON hIcon) { return static_cast<BOOL>(SendMessage(SB_SETICON, nPane, reinterpret_cast<LPARAM>(hIcon))); }
  HICON GetIcon(int nPane) const { return reinterpret_cast<HICON>(SendMessage(SB_GETICON, nPane)); }
  COLORREF SetBkColor(COLORREF cr) { return static_cast<COLORREF>(SendMessage(SB_SETBKCOLOR, 0, cr)); }
  void SetTipText(int nPane, LPCTSTR pszTipText) {
    SendMessage(SB_SETTIPTEXTW, nPane, reinterpret_cast<LPARAM>(pszTipText));
  }
};

class CStatusBar : public CControlBar {
  DECLARE_DYNAMIC(CStatusBar)
 public:
  CStatusBar();
  ~CStatusBar() override;

  // Creates the bar in pParentWnd (CBRS_ bits of dwStyle: its side; a
  // resizable parent gets a size grip).
  virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
                      UINT nID = AFX_IDW_STATUS_BAR);
  virtual BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = 0, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
                        UINT nID = AFX_IDW_STATUS_BAR);
  using CWnd::Create;
  using CWnd::CreateEx;

  // One pane per id; a pane's text is its id's prompt string (the
  // framework's own for the standard indicators). FALSE when a string is
  // missing (that pane stays empty).
  BOOL SetIndicators(const UINT* lpIDArray, int nIDCount);

  // The index of the pane with id nIDFind, -1 when there is none.
  int CommandToIndex(UINT nIDFind) const;
  UINT GetItemID(int nIndex) const;
  // The pane's rectangle in client coordinates (empty outside the bar).
  void GetItemRect(int nIndex, LPRECT lpRect) const;

  void GetPaneText(int nIndex, CString& rString) const;
  CString GetPaneText(int nIndex) const;
  BOOL SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate = TRUE);
  void GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const;
  void SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth);
  UINT GetPaneStyle(int nIndex) const;
  void SetPaneStyle(int nIndex, UINT nStyle);

  CStatusBarCtrl& GetStatusBarCtrl() const;

  // Gives the control the panes' edges (bUpdateRects) and texts.
  void UpdateAllPanes(BOOL bUpdateRects, BOOL bUpdateText);

  CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
  void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

 protected:
  struct Pane {
    UINT nID = 0;
    UINT nStyle = 0;
    int cxText = 0;
    CString strText;
  };
  bool IsValidIndex(int nIndex) const { return nIndex >= 0 && nIndex < static_cast<int>(m_panes.size()); }
  // The text width of s in the bar's font.
  int TextWidth(const CString& s) const;

  void DoPaint(CDC* pDC) override;

  afx_msg void OnPaint();
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnGetText(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnGetTextLength(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnSetMinHeight(WPARAM wParam, LPARAM lParam);

  std::vector<Pane> m_panes;
  int m_nMinHeight = 0;
  mutable CStatusBarCtrl m_ctrl;  // a view of this window as the control

  DECLARE_MESSAGE_MAP()
};
