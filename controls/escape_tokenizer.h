// Splits a label text with style codes into styled tokens. A style code is the escape
// character (0x1B) followed by one code character:
//   E/F bold on/off, 4/5 italic on/off, -/+ underline on/off, S superscript, s subscript,
//   T or t normal size, C and a digit a colour of the table, c the information-text colour;
//   any other code character is consumed and ignored.
// Tokens are runs of blanks and tabs, runs of line breaks, runs of "<>,;:" or runs of other
// characters; a style code ends a run. The style persists from token to token.
#pragma once

#include "framework/afxwin.h"

struct CEscapeTextTokenizer {
  static constexpr wchar_t kEscape = 0x1B;

  int m_bold = 0;
  int m_italic = 0;
  int m_underline = 0;
  int m_superscript = 0;
  int m_subscript = 0;
  COLORREF m_color = 0;
  int m_atEnd = 1;
  CString m_text;
  wchar_t m_current = 0;
  int m_position = 0;

  CEscapeTextTokenizer() { Reset(); }

  // Plain, upright, normal size, information-text colour.
  void Reset();
  void SetText(const CString& text);
  void Advance();
  // FALSE, with an empty token, at the end of the text; otherwise the next token (possibly
  // empty after a style code) with the style that applies to it.
  BOOL NextToken(CString& token, int& bold, int& italic, int& underline, int& superscript, int& subscript,
                 COLORREF& color);

  // The colour of "C" followed by this character.
  static COLORREF ColorOfDigit(wchar_t digit);

 private:
  void ApplyCode();
  template <class Pred>
  void ReadRun(CString& token, Pred inRun) {
    while (!m_atEnd && inRun(m_current)) {
      token.AppendChar(m_current);
      Advance();
    }
  }
};
