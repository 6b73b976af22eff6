// Lays out and draws a text with style codes (see escape_tokenizer.h) left to right with word
// wrap, the way the owner-drawn labels show computed values.
#pragma once

#include <vector>

#include "controls/font_container.h"
#include "framework/afxwin.h"

struct StyledTextOptions {
  bool rightAligned = false;     // the text ends at the right margin
  bool centerVertically = true;  // each token centred vertically in the rectangle
  bool disabled = false;         // every token grey
};

// One token as it was drawn.
struct StyledTextRun {
  CString text;
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  int bold = 0;
  COLORREF color = 0;
};

// The grey of a disabled label's text.
constexpr COLORREF kStyledTextDisabledColor = RGB(166, 166, 166);

// Draws the text into the label's client rectangle with baseFont as the plain font; the styled
// fonts come from the cache. Selects nothing permanently. Returns the tokens it drew.
std::vector<StyledTextRun> DrawStyledText(CDC* pDC, const CRect& client, const CString& text, CFont* baseFont,
                                          const StyledTextOptions& options, CFontContainer* fonts);
