// An off-screen drawing surface over the clip box of a target device context:
// everything drawn into it appears on the target at once when it is destroyed,
// so a control repaints without flicker.
#pragma once

#include "framework/afxwin.h"

class CMemDCEx : public CDC {
 public:
  explicit CMemDCEx(CDC* target);
  ~CMemDCEx() override;

  CMemDCEx(const CMemDCEx&) = delete;
  CMemDCEx& operator=(const CMemDCEx&) = delete;

  // The area of the target this surface covers, in the target's logical coordinates.
  const CRect& Area() const { return m_rect; }

 private:
  CBitmap m_bitmap;
  CBitmap* m_oldBitmap = nullptr;
  CDC* m_target = nullptr;
  CRect m_rect;
  BOOL m_offScreen = FALSE;  // FALSE: draws straight onto the target (printing, or no memory)
};
