// Scaling the bitmap by separable resampling (bmp_resample.h).
#include "toolkit/foundation/ext_bitmap.h"

bool CExtBitmap::Scale(int cx, int cy) {
  Filter box(Filter::Box);
  return Scale(cx, cy, &box);
}

bool CExtBitmap::Scale(int cx, int cy, Filter* filter) {
  if (!m_pDib || cx < 1 || cy < 1 || m_pDib->Depth() < 16) return false;
  if (m_pDib->Width() == cx && m_pDib->Height() == cy) return true;
  Filter box(Filter::Box);
  if (!filter) filter = &box;
  // Weights apply to straight colours; the result is straight too.
  Unpremultiply();
  DibPtr block = ResampleDib(*m_pDib, cx, cy, *filter, true);
  if (!block) return false;
  SetDib(std::move(block));
  OnContentChanged();
  return true;
}
