// The paint record of one scroll bar: its part rectangles, state and scroll information,
// built around each paint or hit test and drawn by the paint manager's DrawScrollBar.
// Included by paint_manager.h.
#pragma once

#include "toolkit/paint/scrollbar_layout.h"

struct CExtPaintManager::PAINTSCROLLBARDATA {
  // Part ids (hit testing, hover state and skin columns).
  enum Part : int {
    PartNone = -1,
    PartTrack = 0,
    PartLineUp = 1,
    PartLineDown = 2,
    PartThumb = 3,
    PartPageUp = 4,
    PartPageDown = 5,
    PartLineUpArrow = 6,
    PartLineDownArrow = 7,
    PartGripper = 8,
  };

  PAINTSCROLLBARDATA();
  virtual ~PAINTSCROLLBARDATA() = default;

  // Draws the bar in the classic way (visual styles or frame controls) through the manager.
  virtual void PaintClassic(CDC& dc, CExtPaintManager* manager);
  virtual void PaintSkinned(CDC& dc, CExtPaintManager* manager, SCROLLBARSKINDATA& skin, BYTE alpha);
  // The first of line-up, line-down, thumb, page-up, page-down holding the point (client
  // coordinates), -1 for none or an empty bar.
  virtual int HitTest(POINT pt) const;
  virtual int HitTestAndRemember(POINT pt);
  virtual RECT GetPartRect(int part) const;
  virtual RECT GetCurrentPartRect() const { return GetPartRect(m_nCurrentPart); }

  // Lays the parts out from the bar rectangle, the scroll information and the metrics (for a
  // bar whose owner computes nothing itself). Stores the normalised scroll information.
  void Layout(bool horizontal, bool enabled, const RECT& bar, const SCROLLINFO& info, int buttonLength,
              int minThumb, bool fixedThumb = false);

  // Flags: bit 0 horizontal, bit 1 enabled, bit 2 the current part is held down, bit 3 the
  // primary skin.
  bool m_bHorzBar : 1;
  bool m_bEnabled : 1;
  bool m_bPressed : 1;
  bool m_bPrimarySkin : 1;
  int m_nCurrentPart = PartNone;
  RECT m_rcBar{};
  RECT m_rcPageUp{};
  RECT m_rcPageDown{};
  RECT m_rcButtonUp{};
  RECT m_rcButtonDown{};
  RECT m_rcThumb{};
  RECT m_rcTrack{};
  CWnd* m_pBar = nullptr;  // the source bar (a CExtScrollBar), may be null
  int m_nLookupArg = 0;
  SCROLLINFO m_scrollInfo{};
};
