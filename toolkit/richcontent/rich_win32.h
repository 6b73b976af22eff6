// Win32 helpers of the rich content engine (Windows builds only; no framework needed).
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include "toolkit/richcontent/rich_types.h"

LOGFONTW RichToLogFont(const RichLogFont& lf);
RichLogFont RichFromLogFont(const LOGFONTW& lf);

// The font selected into a device context; the stock DEFAULT_GUI_FONT without one.
HFONT GetDCFont(HDC dc);
