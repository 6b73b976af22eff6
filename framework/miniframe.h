// CMiniFrameWnd: a small pop-up frame with a tool-window caption.
// CMiniDockFrameWnd: the floating frame of control bars: it holds a floating
// dock bar (m_wndDockBar) and fits itself around its bars. Dragging its
// caption drags the bar (its dock context), a double click docks the bar
// back, and closing it hides its bars. It follows its dock site: hidden,
// shown, enabled and disabled with it (WM_FLOATSTATUS).
#pragma once

#include "framework/dockbar.h"
#include "framework/frame.h"

class CMiniFrameWnd : public CFrameWnd {
  DECLARE_DYNCREATE(CMiniFrameWnd)
 public:
  CMiniFrameWnd();
  // MFS_ styles: MFS_THICKFRAME makes it resizable; MFS_SYNCACTIVE draws it
  // active while its owner is.
  virtual BOOL Create(LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle, const RECT& rect,
                      CWnd* pParentWnd = nullptr, UINT nID = 0);
  virtual BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle, const RECT& rect,
                        CWnd* pParentWnd = nullptr, UINT nID = 0);
  using CFrameWnd::Create;
  using CWnd::CreateEx;

  BOOL PreCreateWindow(CREATESTRUCT& cs) override;

 protected:
  afx_msg LRESULT OnFloatStatus(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnSetMessageString(WPARAM wParam, LPARAM lParam) override;
  afx_msg BOOL OnNcActivate(BOOL bActive);

  BOOL m_bSyncActive = FALSE;   // MFS_SYNCACTIVE
  BOOL m_bHiddenByOwner = FALSE;

  DECLARE_MESSAGE_MAP()
};

class CMiniDockFrameWnd : public CMiniFrameWnd {
  DECLARE_DYNCREATE(CMiniDockFrameWnd)
 public:
  CMiniDockFrameWnd();
  // Creates the frame owned by pParent with a floating dock bar of
  // dwBarStyle (its CBRS_ALIGN_ side, CBRS_SIZE_DYNAMIC, CBRS_FLOAT_MULTI).
  virtual BOOL Create(CWnd* pParent, DWORD dwBarStyle);
  using CMiniFrameWnd::Create;
  // Fits the frame around its visible bars and titles it after its bar.
  void RecalcLayout(BOOL bNotify = TRUE) override;
  // The window style of a floating frame for bars of barStyle.
  static DWORD AFXAPI FrameStyleFor(DWORD barStyle);

  CDockBar m_wndDockBar;

 protected:
  // The bar that the caption stands for (the first one docked).
  CControlBar* GetFirstBar() const;

  afx_msg void OnClose();
  afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
  afx_msg void OnNcLButtonDblClk(UINT nHitTest, CPoint point);

  DECLARE_MESSAGE_MAP()
};
