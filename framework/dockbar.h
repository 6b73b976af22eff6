// CDockBar: the bar along one side of a frame (or inside a floating frame)
// that holds the docked control bars in rows.
//
// m_arrBars lists the rows: entry 0 is NULL, every row ends with NULL, and
// an entry is either a docked bar or, as a value of 0xFFFF or less, the
// control id of a bar that used to sit there (its remembered place while it
// floats or is hidden). The frame's layout (WM_SIZEPARENT) gives the dock
// bar its side; CalcFixedLayout places the bars in rows, keeping gaps the
// user made and starting a new row for a bar that no longer fits.
#pragma once

#include "framework/collections.h"
#include "framework/controlbar.h"

class CDockBar : public CControlBar {
  DECLARE_DYNAMIC(CDockBar)
 public:
  explicit CDockBar(BOOL bFloating = FALSE);
  ~CDockBar() override;

  // Creates the dock bar in pParentWnd with the CBRS_ALIGN_ side of
  // dwStyle (window style bits of dwStyle apply too) and id nID.
  virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID);

  BOOL IsDockBar() const override { return TRUE; }

  // Bars docked here (placeholders do not count) and those of them visible.
  int GetDockedCount() const;
  int GetDockedVisibleCount() const;
  // The bar at nPos, or null for a row break or a placeholder.
  CControlBar* GetDockedControlBar(int nPos) const;
  // The position of pBar (or of a placeholder, given as its id cast to a
  // pointer), skipping nPosExclude; -1 when absent.
  int FindBar(CControlBar* pBar, int nPosExclude = -1) const;
  // Inserts pBar where rect (client coordinates) lands: into the row that
  // holds ptMid, before the first bar that starts further along, or as a new
  // row before or after the others. Returns its position.
  int Insert(CControlBar* pBar, CRect rect, CPoint ptMid);

  // Docks pBar here: at lpRect (screen coordinates) when given, else as a new
  // last row. The bar takes the side's alignment, leaves its old dock bar and
  // becomes a child of this one; the frame lays out at idle.
  virtual void DockControlBar(CControlBar* pBar, LPCRECT lpRect = nullptr);
  // Docks pBar at its remembered place when it has one (and no lpRect).
  void ReDockControlBar(CControlBar* pBar, LPCRECT lpRect = nullptr);
  // Takes pBar out. nAddPlaceHolder 1 leaves its id in its place (unless a
  // placeholder of that id exists already); 0 removes its placeholder too;
  // -1 leaves placeholders alone. A floating dock bar left without visible
  // bars hides its frame, or destroys it when no bar is left.
  virtual BOOL RemoveControlBar(CControlBar* pBar, int nPosExclude = -1, int nAddPlaceHolder = 0);
  // Removes the placeholder of pBar's id.
  void RemovePlaceHolder(CControlBar* pBar);
  // Takes pBar's entry out without any follow-up (its window is going).
  void RemoveEntry(CControlBar* pBar);
  // Shows or hides every docked bar through the frame.
  void ShowAll(BOOL bShow);

  CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;

  BOOL m_bFloating;
  CPtrArray m_arrBars;
  BOOL m_bLayoutQuery = FALSE;  // the frame only measures: move nothing
  CRect m_rectLayout;           // the space the frame's layout offers

  static bool IsPlaceHolder(const void* entry) {
    return entry != nullptr && reinterpret_cast<UINT_PTR>(entry) <= 0xFFFF;
  }

 protected:
  void DoPaint(CDC* pDC) override;
  // Removes the entry at nPos and an emptied row with it.
  void RemoveAt(int nPos);

  afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
  afx_msg void OnNcDestroy();

  DECLARE_MESSAGE_MAP()
};
