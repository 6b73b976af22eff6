// The image button drawn through the visual-styles "BUTTON" class when the application runs
// themed; classic drawing otherwise.
#pragma once

#include "controls/image_button.h"
#include "controls/theme_helper.h"

class CXPStyleButtonST : public CButtonST {
 public:
  CXPStyleButtonST();
  ~CXPStyleButtonST() override;

  CThemeHelperST* m_themeHelper = nullptr;  // borrowed: the application's

  // The themed push-button state for the current flags: 4 disabled, 3 pressed, 2 hot,
  // 5 defaulted, 1 normal.
  int ThemeState() const;

 protected:
  DWORD DrawButtonBackground(CDC* pDC, CRect* rect) override;
  DWORD DrawButtonBorder(CDC* pDC, CRect* rect) override;

 private:
  bool Themed() const { return m_themeHelper && m_themeHelper->IsAppThemed(); }
};
