// CDockContext: drags a control bar between the dock bars of its frame and
// floating frames, and remembers where it was docked and where it floated.
//
// StartDrag runs a modal loop with the mouse captured: an outline follows the
// mouse in the bar's docked shape over a dock bar that accepts it, and in the
// floating frame's shape elsewhere (Ctrl forces floating, Escape or the right
// button cancels). Releasing the button docks or floats the bar there.
#pragma once

#include "framework/geometry.h"

class CControlBar;
class CDockBar;
class CFrameWnd;
class CDC;

class CDockContext {
 public:
  explicit CDockContext(CControlBar* pBar);
  virtual ~CDockContext();
  CDockContext(const CDockContext&) = delete;
  CDockContext& operator=(const CDockContext&) = delete;

  // Drags the bar from pt (screen coordinates).
  virtual void StartDrag(CPoint pt);
  // Docks a floating bar back where it was docked last, floats a docked one
  // where it floated last.
  virtual void ToggleDocking();
  // Resizes a floating dynamic bar by the frame border nHitTest (HTLEFT ..
  // HTBOTTOMRIGHT) from pt.
  virtual void StartResize(int nHitTest, CPoint pt);

  // The bar's last docked place: the dock bar's id and the rectangle there
  // (the dock bar's client coordinates).
  UINT m_uMRUDockID = 0;
  CRect m_rectMRUDockPos;
  // The bar's last floating place: the frame's style and top-left corner.
  DWORD m_dwMRUFloatStyle = 0;
  CPoint m_ptMRUFloatPos;
  bool m_bHasFloatPos = false;

  // Drag state.
  CPoint m_ptLast;
  CRect m_rectLast;
  CSize m_sizeLast;
  BOOL m_bDitherLast = FALSE;
  CRect m_rectDragHorz, m_rectDragVert;            // docked shapes
  CRect m_rectFrameDragHorz, m_rectFrameDragVert;  // floating shapes
  CControlBar* m_pBar;
  CFrameWnd* m_pDockSite;
  DWORD m_dwOverDockStyle = 0;  // the side under the mouse, 0 when floating
  BOOL m_bForceFrame = FALSE;
  BOOL m_bDragging = FALSE;
  int m_nHitTest = 0;
  CDC* m_pDC = nullptr;

 protected:
  // The modal loop; TRUE when the drag or resize ended with the button.
  BOOL Track();
  void InitLoop();
  void CancelLoop();
  void Move(CPoint pt);
  void EndDrag();
  void Stretch(CPoint pt);
  void EndResize();
  // The side the bar would dock at now (its CBRS_ALIGN_ bit), 0 for none.
  DWORD CanDock();
  void DrawFocusRect(BOOL bRemoveRect = FALSE);

  CDockBar* m_pTargetDockBar = nullptr;
  CRect m_rectResize;
};
