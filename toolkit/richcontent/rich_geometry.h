// Rectangle arithmetic of the item geometry (the item operations themselves are declared with
// the item): empty tests and unions as the system's rectangle calls treat them.
#pragma once

#include "toolkit/richcontent/rich_types.h"

// Empty: no width or no height.
bool RichIsRectEmpty(const RichRect& r);
// The bounding rectangle; an empty operand does not count, two empty ones give (0, 0, 0, 0).
RichRect RichUnionRect(const RichRect& a, const RichRect& b);
// Grows `bound` to hold `r`, empty or not; the first rectangle (`any` still false) becomes the bound.
void RichHoldRect(RichRect& bound, bool& any, const RichRect& r);

// Moves the edges inwards by the four side widths (left, top, right, bottom of `sides`).
inline RichRect RichDeflateRect(RichRect r, const RichRect& sides) {
    r.left += sides.left;
    r.top += sides.top;
    r.right -= sides.right;
    r.bottom -= sides.bottom;
    return r;
}

inline RichRect RichOffsetRect(RichRect r, int dx, int dy) {
    r.left += dx;
    r.right += dx;
    r.top += dy;
    r.bottom += dy;
    return r;
}
