// Layout of bars along a window's edges (CWnd::RepositionBars): each bar
// answers WM_SIZEPARENT by taking its strip from rect (and moving itself
// with AfxRepositionWindow); what is left goes to the main child.
#pragma once

#include "framework/fwdefs.h"

struct AFX_SIZEPARENTPARAMS {
  HDWP hDWP;        // deferred moves; null when only measuring
  RECT rect;        // the area not yet taken
  SIZE sizeTotal;   // the size the bars take in all (measuring without stretch)
  BOOL bStretch;    // bars stretch over the whole side
};

// Moves hWnd to lpRect (parent client coordinates) within the layout pass.
void AFXAPI AfxRepositionWindow(AFX_SIZEPARENTPARAMS* lpLayout, HWND hWnd, LPCRECT lpRect);
