// Where a progress dialog goes when its user gives it a screen point.
#pragma once

#include "framework/afxwin.h"

// The top-left corner for a window of the given size at point, moved left and up as far as
// needed to keep its right and bottom edges inside the work area.
CPoint ClampToWorkArea(CPoint point, CSize size, const CRect& workArea);
// The work area of the primary monitor.
CRect PrimaryWorkArea();
