// Part rectangles of a scroll bar from its rectangle, scroll information and metrics. Pure
// arithmetic (no window calls), shared by the paint record and its native tests.
#pragma once

namespace extpaint {

struct SbRect {
  int left = 0, top = 0, right = 0, bottom = 0;
  bool IsEmpty() const { return right <= left || bottom <= top; }
  bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
  bool operator==(const SbRect&) const = default;
};

struct SbInfo {
  int min = 0, max = 0;
  unsigned page = 0;
  int pos = 0, trackPos = 0;
};

struct SbLayoutInput {
  bool horizontal = true;
  bool enabled = true;
  SbRect bar;
  SbInfo info;          // raw scroll information (ignored for a disabled bar)
  int buttonLength = 0;  // arrow-button length along the bar
  int minThumb = 0;      // minimum thumb length of an enabled bar
  bool fixedThumb = false;  // zoom slider: the thumb is always minThumb long
};

struct SbLayout {
  SbInfo info;  // normalised: min 0, positions relative to the old min
  int extent = 0;
  SbRect lineUp, lineDown, thumb, pageUp, pageDown, track;
};

SbLayout LayoutScrollBar(const SbLayoutInput& in);

}  // namespace extpaint
