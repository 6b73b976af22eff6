#include "controls/xp_style_button.h"

CXPStyleButtonST::CXPStyleButtonST() { m_drawBorder = 0; }

CXPStyleButtonST::~CXPStyleButtonST() = default;

int CXPStyleButtonST::ThemeState() const {
  if (m_disabled) return 4;
  if (m_pressed) return 3;
  if (m_mouseOver) return 2;
  if (m_isDefault) return 5;
  return 1;
}

DWORD CXPStyleButtonST::DrawButtonBackground(CDC* pDC, CRect* rect) {
  if (Themed()) {
    if (HTHEME theme = m_themeHelper->OpenThemeData(m_hWnd, L"BUTTON")) {
      m_themeHelper->DrawBackground(m_hWnd, theme, pDC->m_hDC, ThemeState(), rect);
      m_themeHelper->CloseThemeData(theme);
      return 0;
    }
  }
  return CButtonST::DrawButtonBackground(pDC, rect);
}

DWORD CXPStyleButtonST::DrawButtonBorder(CDC* pDC, CRect* rect) {
  if (Themed()) return 0;
  return CButtonST::DrawButtonBorder(pDC, rect);
}
