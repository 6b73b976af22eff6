// The application's input edit as far as the special combo box uses it: a CEdit whose own
// one-pixel frame replaces the sunken edge (switchable), with an owned background brush.
// The application shell adds the validation colouring of its input fields to this class.
#pragma once

#include "framework/afxwin.h"

class CEditWithBorder : public CEdit {
 public:
  CEditWithBorder() = default;
  ~CEditWithBorder() override = default;

  int m_ownBorder = 1;  // draw the own frame instead of the default edge

  static constexpr COLORREF kFrameColor = RGB(127, 157, 185);
  static constexpr COLORREF kDisabledFrameColor = RGB(192, 192, 192);

 protected:
  afx_msg void OnNcPaint();
  DECLARE_MESSAGE_MAP()
};

class CInputWithBackground : public CEditWithBorder {
 public:
  CInputWithBackground() = default;
  ~CInputWithBackground() override;

  CBrush* m_brush = nullptr;  // background of the last colour request; owned
};
