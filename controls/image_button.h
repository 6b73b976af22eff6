// The flat owner-drawn push button of the application's dialogs: a bitmap with a transparent
// colour left of the caption, a raised frame while the pointer is over it, sunk while pressed,
// greyed image and embossed caption when disabled, an optional tooltip. A button whose
// template type has the check-box bit (2) toggles.
#pragma once

#include "framework/afxwin.h"

class CButtonST : public CButton {
 public:
  // Indexes into m_colors.
  enum { kHotBack = 0, kHotText, kNormalBack, kNormalText, kFocusBack, kFocusText, kColorCount };

  struct ImageSlot {
    HBITMAP bitmap = nullptr;
    DWORD width = 0;
    DWORD height = 0;
    HBITMAP mask = nullptr;
    COLORREF transparent = 0;
  };

  CButtonST();
  ~CButtonST() override;

  int m_mouseOver = 0;
  int m_pressed = 0;
  int m_focused = 0;
  int m_disabled = 0;
  int m_isDefault = 0;
  int m_isCheckBox = 0;
  int m_drawBorder = 1;
  COLORREF m_colors[kColorCount];
  CToolTipCtrl m_tooltip;
  int m_checked = 0;
  ImageSlot m_bitmaps[2];
  // kImageRight puts the image right of the caption (the owner sets it and invalidates); any
  // other value keeps it on the left.
  BYTE m_imageAlign = 0;
  static constexpr BYTE kImageRight = 2;

  // Slot 0 takes the first bitmap (magenta transparent), slot 1 the optional second one (black
  // transparent; shown released and not hovered). The button owns and deletes them; each is
  // changed in place by its mask, so a bitmap serves one button only.
  // 0 on success, 1 when a bitmap cannot be read, 2 when a mask cannot be built; on failure the
  // button has no images.
  DWORD SetStateBitmaps(HBITMAP first, HBITMAP second = nullptr);
  void SetTooltip(LPCTSTR text);
  void SetTooltipFromResource(UINT stringId);
  void EnsureTooltip();
  void ReleaseImages(BOOL deleteHandles);

  // Image rectangle for a w x h image; narrows the caption rectangle when there is a caption.
  CRect PlaceImage(DWORD w, DWORD h, BOOL hasCaption, const CRect& item, CRect& caption, BOOL pressed) const;
  // The monochrome mask of the transparent pixels; turns them black in the source.
  static HBITMAP BuildTransparencyMask(HBITMAP bitmap, DWORD width, DWORD height, COLORREF transparent);

  void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
  BOOL PreTranslateMessage(MSG* pMsg) override;

 protected:
  virtual DWORD DrawButtonBackground(CDC* pDC, CRect* rect);
  virtual DWORD DrawButtonBorder(CDC* pDC, CRect* rect);
  virtual DWORD DrawButtonBitmap(CDC* pDC, BOOL hasCaption, CRect* itemRect, CRect* captionRect, BOOL pressed,
                                 BOOL disabled);
  virtual DWORD DrawButtonText(CDC* pDC, LPCTSTR caption, CRect* itemRect, CRect* captionRect, BOOL pressed,
                               BOOL disabled);
  void PreSubclassWindow() override;

  void ResetColors();
  void LeaveHover();

  // The system takes the focus from a window it disables before it tells the window; this
  // remembers that the focus was ours when that happened.
  bool m_lostFocusToDisabling = false;

  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg void OnMouseLeave();
  afx_msg void OnKillFocus(CWnd* pNewWnd);
  afx_msg void OnCancelMode();
  afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
  afx_msg void OnEnable(BOOL bEnable);
  afx_msg UINT OnGetDlgCode();
  afx_msg LRESULT OnSetStyle(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnSetCheck(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnGetCheck(WPARAM wParam, LPARAM lParam);
  afx_msg HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
  afx_msg void OnSysColorChange();
  afx_msg BOOL OnClicked();
  DECLARE_MESSAGE_MAP()
};
