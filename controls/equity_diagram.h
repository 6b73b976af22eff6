// The chart of the equity graph: on a fixed background picture (602 x 479) up to three curves
// over the 101 equity levels, a title, the game's heading, the street's x-axis caption, a
// legend and the rotated y-axis caption. The owner writes the fields and invalidates.
#pragma once

#include "controls/smooth_line.h"
#include "framework/afxwin.h"

class COwnerdrawedDiagramm : public CButton {
 public:
  static constexpr int kLevels = 101;
  static constexpr int kFlopCount = 22100;  // three-card flops from 52 cards
  static constexpr UINT kBackgroundBitmapId = 2002;

  // Curve colours: range vs. range blue, hand vs. hand red, hand vs. range green.
  static constexpr COLORREF kRangeVsRangeColor = RGB(44, 44, 195);
  static constexpr COLORREF kHandVsHandColor = RGB(221, 0, 0);
  static constexpr COLORREF kHandVsRangeColor = RGB(0, 128, 0);

  COwnerdrawedDiagramm();
  ~COwnerdrawedDiagramm() override;

  // Counts per equity level; a count equal to its total lies on the left edge of the plot.
  int m_rangeVsRange[kLevels];
  // Totals of range vs. range, hand vs. hand, hand vs. range. A curve whose total is not
  // positive is not drawn.
  int m_totals[3];
  int m_handVsHand[kLevels];
  int m_handVsRange[kLevels];
  int m_antialiased = 0;
  int m_showHandVsHand = 0;
  int m_showRangeVsRange = 0;
  int m_showHandVsRange = 0;
  int m_smooth = 1;  // 0: the range-vs.-range curve as steps
  CString m_title;
  int m_street = 0;  // 1 flops, 2 turns, 3 rivers
  CBitmap m_background;

  // Plot coordinates of level i of a curve (integer arithmetic as the chart draws it).
  static CPoint PointOf(int level, int count, int total);

  // Background, title, heading, captions and legend (the erase step).
  void DrawBackground(CDC* pDC);
  // The curves that are switched on.
  void DrawCurves(CDC* pDC);

  void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

 protected:
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  DECLARE_MESSAGE_MAP()

 private:
  void DrawCurve(CDC* pDC, const int* counts, int total, COLORREF color, bool steps);
  CString OwnFontFace();

  CTGraphics m_graphics;
};
