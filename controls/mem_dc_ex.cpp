#include "controls/mem_dc_ex.h"

CMemDCEx::CMemDCEx(CDC* target) : m_target(target) {
  if (target == nullptr) return;
  if (target->IsPrinting()) {
    m_hDC = target->m_hDC;
    m_hAttribDC = target->m_hAttribDC;
    return;
  }
  target->GetClipBox(&m_rect);
  if (CreateCompatibleDC(target) &&
      m_bitmap.CreateCompatibleBitmap(target, std::max<int>(m_rect.Width(), 1), std::max<int>(m_rect.Height(), 1))) {
    m_oldBitmap = SelectObject(&m_bitmap);
    SetWindowOrg(m_rect.left, m_rect.top);
    FillSolidRect(&m_rect, target->GetBkColor());
    m_offScreen = TRUE;
    return;
  }
  // Out of memory for the bitmap: draw straight onto the target instead.
  if (m_hDC != nullptr) DeleteDC();
  m_hDC = target->m_hDC;
  m_hAttribDC = target->m_hAttribDC;
}

CMemDCEx::~CMemDCEx() {
  if (m_offScreen) {
    m_target->BitBlt(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), this, m_rect.left, m_rect.top,
                     SRCCOPY);
    SelectObject(m_oldBitmap);
    return;  // CDC's destructor deletes the memory device context
  }
  // Shared handles belong to the target.
  m_hDC = nullptr;
  m_hAttribDC = nullptr;
}
