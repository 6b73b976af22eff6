#include "controls/input_with_background.h"

BEGIN_MESSAGE_MAP(CEditWithBorder, CEdit)
  ON_WM_NCPAINT()
END_MESSAGE_MAP()

void CEditWithBorder::OnNcPaint() {
  if (!m_ownBorder) {
    CEdit::OnNcPaint();
    return;
  }
  CWindowDC dc(this);
  CRect client;
  GetClientRect(&client);
  CRect frame(0, 0, client.Width() + 4, client.Height() + 4);
  frame.DeflateRect(1, 1);
  const COLORREF color = IsWindowEnabled() ? kFrameColor : kDisabledFrameColor;
  dc.Draw3dRect(&frame, color, color);
}

CInputWithBackground::~CInputWithBackground() { delete m_brush; }
