#include "controls/styled_text.h"

#include "controls/escape_tokenizer.h"

#include <vector>

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

// A token as it is laid out: its size and the advance of each character.
struct MeasuredToken {
  CSize size;
  std::vector<int> advances;
};

// The advances text output really uses: the cell increments of the glyph bitmaps. At small
// sizes a renderer may draw a TrueType face from bitmaps embedded in it, whose increments
// differ from the outline metrics the extent functions report (bold digits and periods wider,
// plain letters narrower); a run measured one way and drawn the other overlaps its neighbour
// or leaves a gap. Where both agree this is the extent. False for fonts without outlines.
bool GlyphAdvances(HDC dc, const CString& token, std::vector<int>& advances) {
  static const MAT2 kIdentity = {{0, 1}, {0, 0}, {0, 0}, {0, 1}};
  advances.clear();
  for (int i = 0; i < token.GetLength(); ++i) {
    GLYPHMETRICS gm = {};
    if (::GetGlyphOutlineW(dc, token[i], GGO_BITMAP, &gm, 0, nullptr, &kIdentity) == GDI_ERROR) return false;
    advances.push_back(gm.gmCellIncX);
  }
  return true;
}

MeasuredToken Measure(CDC* pDC, const CString& token) {
  MeasuredToken m;
  m.size = pDC->GetTextExtent(token);
  if (token.IsEmpty()) return m;
  if (GlyphAdvances(pDC->m_hAttribDC, token, m.advances)) {
    m.size.cx = 0;
    for (int a : m.advances) m.size.cx += a;
  } else {
    m.advances.clear();
  }
  return m;
}

// Draws the token at the advances it was measured with.
void DrawMeasured(CDC* pDC, int x, int y, const CString& token, MeasuredToken& m) {
  if (m.advances.size() < static_cast<size_t>(token.GetLength())) {
    pDC->TextOut(x, y, token);
    return;
  }
  pDC->ExtTextOut(x, y, 0, nullptr, token, m.advances.data());
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
      total += Measure(pDC, token).size.cx;
    }
    offsetX = area.Width() - total;
  }

  tokenizer.Reset();
  tokenizer.SetText(text);
  int x = area.left;
  int y = area.top;
  while (next()) {
    pDC->SelectObject(FontFor(base, s, fonts));
    MeasuredToken measured = Measure(pDC, token);
    const CSize size = measured.size;
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
        DrawMeasured(pDC, drawX, drawY, token, measured);
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
