// The application's input edit: a CEdit whose own one-pixel frame replaces the sunken edge
// (switchable), and the input field that colours itself white while its text is valid and light
// red while it is not, by a validation rule chosen per field.
#pragma once

#include <string_view>


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
  afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
  DECLARE_MESSAGE_MAP()
};

// A read-only result field showing an equity in percent on a red-yellow-green scale around
// the fair share of the pot among m_seatCount players.
class CEditWithBackground : public CEditWithBorder {
 public:
  CEditWithBackground() = default;
  ~CEditWithBackground() override;

  int m_seatCount = 2;  // players whose fair share is the middle of the scale
  COLORREF m_textColour = RGB(0, 0, 0);
  COLORREF m_backColour = RGB(255, 255, 0);  // of the last colour request
  CBrush* m_brush = nullptr;                 // of the last colour request; owned

  static constexpr COLORREF kDisabledColor = RGB(212, 208, 200);
  // The background of a result text among seatCount players (enabled field).
  static COLORREF ColourFor(const CString& text, int seatCount);

 protected:
  afx_msg HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
  DECLARE_MESSAGE_MAP()
};

class CInputWithBackground : public CEditWithBorder {
 public:
  // Validation rules of m_mode: range text (0 and every other value below 1), one card,
  // up to three cards, a four-card hand, and from 5 on any list of cards.
  enum { kRangeText = 0, kOneCard = 1, kUpToThreeCards = 3, kHand = 4, kCardList = 5 };

  CInputWithBackground() = default;
  ~CInputWithBackground() override;

  int m_mode = kRangeText;
  int m_inactive = 0;  // grey text (a seat that does not take part)
  int m_valid = 1;     // result of the last validation
  CBrush* m_brush = nullptr;  // background of the last colour request; owned

  static constexpr COLORREF kValidColor = RGB(255, 255, 255);
  static constexpr COLORREF kInvalidColor = RGB(224, 120, 120);
  static constexpr COLORREF kInactiveTextColor = RGB(192, 192, 192);

  // Judges range texts; the application installs the check of its starting-hand base.
  // Without one every range text counts as valid.
  using RangeCheck = bool (*)(std::wstring_view text);
  static void SetRangeCheck(RangeCheck check);

  // The rule of mode applied to text (blanks are removed first).
  static bool IsValidInput(int mode, std::wstring_view text);

 protected:
  afx_msg HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
  DECLARE_MESSAGE_MAP()
};
