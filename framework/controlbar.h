// CControlBar: the base of every bar that sits along a frame's edge, in a dock
// bar or in a floating frame (tool bars, status bars, dock bars).
//
// A bar's CBRS_ style lives in m_dwStyle, not in the window style. Its frame
// lays it out with WM_SIZEPARENT: a visible bar aligned to a side takes its
// CalcFixedLayout size from that side of the remaining area. Show and hide
// can be delayed to the next layout (DelayShow, applied by RecalcDelayShow).
// At idle time the bar asks its owner frame for the state of its commands
// (OnUpdateCmdUI). A bar with a dock context (EnableDocking) starts a drag
// when it is pressed where no tool is, and toggles between docked and
// floating when double-clicked. Commands and notifications of its child
// controls go on to its owner.
#pragma once

#include "framework/barstyles.h"
#include "framework/wnd.h"
#include "framework/wndlayout.h"

class CFrameWnd;
class CDockBar;
class CDockContext;

class CControlBar : public CWnd {
  DECLARE_DYNAMIC(CControlBar)
 public:
  CControlBar();
  ~CControlBar() override;

  // Bar style (CBRS_ bits).
  DWORD GetBarStyle() const { return m_dwStyle; }
  virtual void SetBarStyle(DWORD dwStyle);
  // Allows docking at the sides in dwDockStyle (CBRS_ALIGN_ bits, plus
  // CBRS_FLOAT_MULTI); makes the dock context on first use.
  void EnableDocking(DWORD dwDockStyle);
  BOOL IsFloating() const;
  // The frame window that holds the bar: its floating frame when floating,
  // else its parent frame (the dock site when it has no parent frame).
  CFrameWnd* GetDockingFrame() const;
  int GetCount() const { return m_nCount; }

  // Visible, counting a pending DelayShow.
  BOOL IsVisible() const;
  virtual void DelayShow(BOOL bShow);
  // Applies a pending show or hide through the layout's deferred moves (at
  // once without a layout; not at all while the layout only measures) and
  // returns the style the bar has (or will have) including WS_VISIBLE.
  DWORD RecalcDelayShow(AFX_SIZEPARENTPARAMS* lpLayout);

  // Sizes. CalcFixedLayout: the size when docked (bStretch: over the whole
  // side); CalcDynamicLayout: the size for a length and LM_ mode.
  virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
  virtual CSize CalcDynamicLayout(int nLength, DWORD dwMode);
  // Shrinks rect (client coordinates) by the borders and the gripper.
  virtual void CalcInsideRect(CRect& rect, BOOL bHorz) const;

  // Asks pTarget for the state of the bar's commands.
  virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler);

  virtual BOOL IsDockBar() const { return FALSE; }

  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  BOOL PreTranslateMessage(MSG* pMsg) override;
  BOOL DestroyWindow() override;
  void PostNcDestroy() override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  // Borders inside the window, kept free of content.
  int m_cxLeftBorder = 6;
  int m_cxRightBorder = 6;
  int m_cyTopBorder = 2;
  int m_cyBottomBorder = 2;
  int m_cxDefaultGap = 2;
  // The width a floating bar had last.
  UINT m_nMRUWidth = 32767;
  BOOL m_bAutoDelete = FALSE;

  // m_nStateFlags bits.
  enum StateFlags : UINT {
    delayHide = 0x1,   // hide at the next layout
    delayShow = 0x2,   // show at the next layout
    tempHide = 0x4,    // hidden for the moment (print preview, in-place items)
    statusSet = 0x8,   // the bar put a text into the status bar (fly-by)
  };
  UINT m_nStateFlags = 0;

  DWORD m_dwStyle = 0;      // CBRS_ bits
  DWORD m_dwDockStyle = 0;  // the sides the bar may dock at
  CFrameWnd* m_pDockSite = nullptr;
  CDockBar* m_pDockBar = nullptr;
  CDockContext* m_pDockContext = nullptr;

 protected:
  // Paints the borders and the gripper (and derived content).
  virtual void DoPaint(CDC* pDC);
  // Draws the CBRS_BORDER_ edges inside rect and shrinks it by them.
  virtual void DrawBorders(CDC* pDC, CRect& rect);
  // Draws the gripper (CBRS_GRIPPER, not floating) at the leading edge.
  virtual void DrawGripper(CDC* pDC, const CRect& rect);
  // The status text a fly-by bar shows for the tool under the mouse.
  void SetStatusText(INT_PTR nHit);
  void ResetStatusText();

  afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
  afx_msg void OnDestroy();
  afx_msg void OnPaint();
  afx_msg void OnTimer(UINT_PTR nIDEvent);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
  afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnHelpHitTest(WPARAM wParam, LPARAM lParam);

  int m_nCount = 0;

  DECLARE_MESSAGE_MAP()

  friend class CDockBar;
  friend class CFrameWnd;
};

// The gripper's thickness (the bar's CalcInsideRect leaves room for it).
constexpr int kControlBarGripper = 7;
