// The near-white brush of the animated progress dialog's themed colours: RGB(254, 254, 254),
// created before the application starts and alive until the process ends.
#pragma once

#include "framework/afxwin.h"

extern CBrush g_nearWhiteBrush;
