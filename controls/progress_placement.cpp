#include "controls/progress_placement.h"

CPoint ClampToWorkArea(CPoint point, CSize size, const CRect& workArea) {
  // The work area's right and bottom are exclusive: a window of width w fits when its left
  // edge is right - w.
  if (point.x + size.cx > workArea.right) point.x = workArea.right - size.cx;
  if (point.y + size.cy > workArea.bottom) point.y = workArea.bottom - size.cy;
  return point;
}

CRect PrimaryWorkArea() {
  CRect area;
  if (!::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0))
    area.SetRect(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
  return area;
}
