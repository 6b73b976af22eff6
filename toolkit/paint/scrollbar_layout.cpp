#include "toolkit/paint/scrollbar_layout.h"

#include <algorithm>

#include "toolkit/paint/color_math.h"

namespace extpaint {

namespace {

// Works along x; a vertical bar is laid out on its transposed rectangle and turned back.
SbRect Transpose(const SbRect& r) { return SbRect{r.top, r.left, r.bottom, r.right}; }

}  // namespace

SbLayout LayoutScrollBar(const SbLayoutInput& in) {
  SbLayout out;
  if (in.enabled) {
    SbInfo si = in.info;
    si.pos -= si.min;
    si.trackPos -= si.min;
    si.max -= si.min;
    si.min = 0;
    if (si.min < si.max && si.max < 0x7FFFFFFE && si.page != 0 && static_cast<long long>(si.page) == si.max) {
      ++si.max;
      if (si.pos > 0) ++si.pos;
      if (si.trackPos > 0) ++si.trackPos;
    }
    out.info = si;
  }
  const SbInfo& si = out.info;
  out.extent = si.max - si.min - static_cast<int>(si.page) + 1;

  const SbRect bar = in.horizontal ? in.bar : Transpose(in.bar);
  const int e = in.buttonLength;
  int thumb = 0, minThumb = 0;
  bool proportional = false;
  if (in.fixedThumb) {
    thumb = minThumb = in.minThumb;
  } else {
    minThumb = in.minThumb;
    if (out.extent > 0) {
      if (si.page != 0 && static_cast<long long>(si.page) < si.max) proportional = true;
      else if (si.page == 0) thumb = e != 0 ? e : 6;
    }
  }
  if (!in.enabled) thumb = minThumb = 0;

  SbRect lineUp = bar, lineDown = bar, thumbRect, pageUp, pageDown;
  lineUp.right = bar.left + e;
  lineDown.left = bar.right - e;
  const int trackStart = bar.left + e, trackEnd = bar.right - e;
  const int trackLength = trackEnd - trackStart;
  if (trackLength > 5) {
    if (proportional) thumb = MulDivRound(trackLength, static_cast<int>(si.page), si.max);
    if (in.enabled) thumb = std::max(thumb, minThumb);
    if (thumb > 0) {
      int start = trackStart;
      if (out.extent > 0) start += MulDivRound(std::max(trackLength - thumb, 0), si.trackPos, out.extent);
      thumbRect = SbRect{start, bar.top, start + thumb, bar.bottom};
      if (si.trackPos > 0) pageUp = SbRect{trackStart, bar.top, thumbRect.left, bar.bottom};
      if (si.trackPos < out.extent) pageDown = SbRect{thumbRect.right, bar.top, trackEnd, bar.bottom};
    }
  }
  if (!lineUp.IsEmpty() && !lineDown.IsEmpty() && lineUp.right > lineDown.left) {
    const int mid = bar.left + (bar.right - bar.left) / 2;
    lineUp.right = mid;
    lineDown.left = mid;
    pageUp = pageDown = thumbRect = SbRect{};
  }
  SbRect track{lineUp.right, bar.top, lineDown.left, bar.bottom};

  auto back = [&](const SbRect& r) { return in.horizontal ? r : Transpose(r); };
  out.lineUp = back(lineUp);
  out.lineDown = back(lineDown);
  out.thumb = back(thumbRect);
  out.pageUp = back(pageUp);
  out.pageDown = back(pageDown);
  out.track = back(track);
  return out;
}

}  // namespace extpaint
