// A topmost pop-up shaped like its bitmap (magenta pixels are cut out), with an
// optional line of text over the bitmap. It hides and destroys itself after a
// timeout or, with kSplashCloseOnInput, at the first click or key press.
#pragma once

#include "framework/afxwin.h"

enum : DWORD {
  kSplashFadeIn = 0x01,
  kSplashFadeOut = 0x02,
  kSplashDropShadow = 0x04,
  kSplashCenterScreen = 0x08,
  kSplashCenterParent = 0x10,
  kSplashCloseOnInput = 0x20,
};

constexpr wchar_t kSplashWindowClass[] = L"SplashScreenExClass";
constexpr COLORREF kSplashKeyColour = RGB(255, 0, 255);

class CSplashScreenEx : public CWnd {
  DECLARE_DYNAMIC(CSplashScreenEx)
 public:
  CSplashScreenEx();
  ~CSplashScreenEx() override;

  // Registers the window class, creates the hidden pop-up owned by parent and
  // captures the mouse. timeoutMs 0 keeps it until input or Hide.
  BOOL Create(CWnd* parent, int timeoutMs, DWORD style);
  // Loads the bitmap from the resource module, sizes and places the window and
  // shapes it to every pixel that is not magenta. FALSE when the bitmap is missing.
  BOOL SetBitmap(UINT bitmapId);
  void Show();
  // Hides (fading with kSplashFadeOut) and destroys the window.
  void Hide();

  BOOL PreTranslateMessage(MSG* pMsg) override;

  using AnimateWindowFn = BOOL(WINAPI*)(HWND, DWORD, DWORD);
  AnimateWindowFn m_animateWindow = nullptr;  // null where the system lacks it
  CWnd* m_parent = nullptr;
  CBitmap m_bitmap;
  CFont m_font;  // the caller may replace it; starts as the default GUI font
  DWORD m_style = 0;
  int m_timeout = 2000;
  CString m_text;
  CRect m_textRect;
  UINT m_textFormat = DT_CENTER | DT_VCENTER | DT_WORDBREAK;
  COLORREF m_textColor = 0;
  int m_bitmapWidth = 0;
  int m_bitmapHeight = 0;
  int m_x = 0;
  int m_y = 0;
  // When set, the object deletes itself once its window is destroyed (for
  // callers that keep no pointer to it). Only a window that Create made counts:
  // after a failed Create the caller still deletes the object.
  BOOL m_autoDelete = FALSE;

  // Builds the window region from the bitmap: one rectangle per run of
  // non-magenta pixels in each row. Null when the bitmap cannot be read.
  static HRGN BuildShapeRegion(HBITMAP bitmap);

 protected:
  void PaintContent(CDC* pDC);
  void PostNcDestroy() override;

  afx_msg void OnTimer(UINT_PTR nIDEvent);
  afx_msg void OnPaint();
  afx_msg LRESULT OnPrintClient(CDC* pDC, UINT nFlags);
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  DECLARE_MESSAGE_MAP()

 private:
  BOOL RegisterSplashClass();
  BOOL m_created = FALSE;
};
