#include "controls/styled_text.h"

#include "controls/escape_tokenizer.h"

namespace {

struct TokenStyle {
  int bold = 0, italic = 0, underline = 0, superscript = 0, subscript = 0;
  COLORREF color = 0;
};

CFont* FontFor(const LOGFONTW& base, const TokenStyle& s, CFontContainer* fonts) {
  LOGFONTW lf = base;
  lf.lfWeight = s.bold ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = static_cast<BYTE>(s.italic);
  lf.lfUnderline = static_cast<BYTE>(s.underline);
  if (s.superscript || s.subscript) lf.lfHeight = 12;
  return fonts->FindOrCreate(lf);
}

}  // namespace

std::vector<StyledTextRun> DrawStyledText(CDC* pDC, const CRect& client, const CString& text, CFont* baseFont,
                                          const StyledTextOptions& options, CFontContainer* fonts) {
  std::vector<StyledTextRun> runs;
  if (text.IsEmpty() || baseFont == nullptr || fonts == nullptr) return runs;

  CRect area = client;
  area.right -= 4;
  LOGFONTW base;
  ::ZeroMemory(&base, sizeof base);
  baseFont->GetLogFont(&base);
  CFont* oldFont = pDC->SelectObject(baseFont);
  const int oldMode = pDC->SetBkMode(TRANSPARENT);
  const COLORREF oldColor = pDC->GetTextColor();

  CEscapeTextTokenizer tokenizer;
  CString token;
  TokenStyle s;
  auto next = [&] { return tokenizer.NextToken(token, s.bold, s.italic, s.underline, s.superscript, s.subscript, s.color); };

  int offsetX = 6;
  if (options.rightAligned) {
    int total = 0;
    tokenizer.Reset();
    tokenizer.SetText(text);
    while (next()) {
      pDC->SelectObject(FontFor(base, s, fonts));
      total += pDC->GetTextExtent(token).cx;
    }
    offsetX = area.Width() - total;
  }

  tokenizer.Reset();
  tokenizer.SetText(text);
  int x = area.left;
  int y = area.top;
  while (next()) {
    pDC->SelectObject(FontFor(base, s, fonts));
    const CSize size = pDC->GetTextExtent(token);
    const int offsetY = options.centerVertically ? (area.bottom - size.cy - area.top) / 2 - 1 : 4;
    if (token == L"\r\n") {
      y += size.cy;
      x = area.left;
      continue;
    }
    if (area.Width() - offsetX < size.cx + x) {
      x = area.left;
      y += size.cy;
      token.TrimRight();
    }
    if (!token.IsEmpty()) {
      const COLORREF color = options.disabled ? kStyledTextDisabledColor : s.color;
      if (y + offsetY + size.cy < area.bottom) {
        pDC->SetTextColor(color);
        const int drawX = x + offsetX;
        const int drawY = y + offsetY + (s.subscript ? 4 : 0);
        pDC->TextOut(drawX, drawY, token);
        runs.push_back(StyledTextRun{token, drawX, drawY, size.cx, size.cy, s.bold, color});
      }
    }
    x += size.cx;
  }

  pDC->SetTextColor(oldColor);
  pDC->SetBkMode(oldMode);
  if (oldFont) pDC->SelectObject(oldFont);
  return runs;
}
