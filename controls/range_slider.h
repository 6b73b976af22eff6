// A horizontal slider with two thumbs that selects a sub-range [m_left,
// m_right] of the interval [m_min, m_max]. The user drags a thumb, drags the
// bar between them to move the whole range, or uses the arrow keys (Shift
// moves only the upper edge). Every change is sent to the parent window with
// g_rangeChangedMsg (wParam 0 lower edge, 1 upper edge, 2 whole range; lParam 0).
#pragma once

#include "framework/afxwin.h"

// "RANGE_CHANGED{2E7439A4-12DB-42a2-BB95-3462B3EC39CE}CRangeSlider", registered at start-up.
extern const UINT g_rangeChangedMsg;

// Window class the slider registers; owners may create it with this class or
// with the framework's default child class.
constexpr wchar_t kRangeSliderClass[] = L"MFCRangeSlider";

class CRangeSlider : public CWnd {
 public:
  enum TrackMode { kTrackLower = 0, kTrackUpper = 1, kTrackBar = 2 };

  // Registers the window class once; raises CResourceException when that fails.
  CRangeSlider();
  ~CRangeSlider() override = default;

  // Clamps the edges into the interval and keeps m_left <= m_right, reporting
  // each edge it moves. Call after writing the doubles; invalidate afterwards.
  void NormalizeRange();

  // Written and read by the owner.
  double m_min = 0.0;
  double m_max = 1.0;
  double m_left = 0.0;
  double m_right = 1.0;
  // The owner's own mode: when set it shows and enters negated values. The
  // slider itself works on the doubles as they are.
  int m_inverted = 0;

  // Geometry, set by painting.
  int m_arrowWidth = 10;
  int m_tracking = 0;
  int m_trackMode = kTrackLower;
  CRect m_lowerThumb;
  CRect m_upperThumb;
  int m_pixelRange = 0;  // client width - 20: the pixels the interval spans
  CPoint m_trackOffset;  // pointer minus the centre of the part grabbed

 protected:
  afx_msg void OnPaint();
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
  afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg UINT OnGetDlgCode();
  afx_msg void OnSetFocus(CWnd* pOldWnd);
  afx_msg void OnKillFocus(CWnd* pNewWnd);
  DECLARE_MESSAGE_MAP()

 private:
  // Pixel position of a value: 0 when the interval or the slider is empty.
  int EdgeX(double value) const;
  void UpdateGeometry(int width, int height);
  // The area between the thumbs that drags the whole range.
  CRect BarGrip() const;
  void Notify(WPARAM what);
  void SetCursorFor(CPoint point) const;
};
