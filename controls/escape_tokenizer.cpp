#include "controls/escape_tokenizer.h"

namespace {

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }
bool IsLineBreak(wchar_t c) { return c == L'\r' || c == L'\n'; }
bool IsPunctuation(wchar_t c) { return c == L'<' || c == L'>' || c == L',' || c == L';' || c == L':'; }

}  // namespace

void CEscapeTextTokenizer::Reset() {
  m_bold = m_italic = m_underline = m_superscript = m_subscript = 0;
  m_color = ::GetSysColor(COLOR_INFOTEXT);
}

void CEscapeTextTokenizer::SetText(const CString& text) {
  m_text = text;
  m_position = 0;
  m_current = 0;
  m_atEnd = text.IsEmpty() ? 1 : 0;
  if (!m_atEnd) {
    m_current = m_text[0];
    m_position = 1;
  }
}

void CEscapeTextTokenizer::Advance() {
  if (m_position >= m_text.GetLength()) {
    m_atEnd = 1;
    return;
  }
  m_current = m_text[m_position];
  ++m_position;
}

COLORREF CEscapeTextTokenizer::ColorOfDigit(wchar_t digit) {
  switch (digit) {
    case L'1': return RGB(192, 0, 192);
    case L'2': return RGB(238, 0, 0);
    case L'3': return RGB(0, 192, 0);
    case L'4': return RGB(0, 0, 238);
    case L'5': return RGB(64, 64, 64);
    case L'6': return RGB(0, 0, 128);
    case L'7': return RGB(44, 44, 195);
    case L'8': return RGB(0, 128, 0);
    case L'9': return RGB(221, 0, 0);
    default: return ::GetSysColor(COLOR_INFOTEXT);
  }
}

// The current character is the escape character; consumes it, its code character and, after
// "C", the digit. An escape (or "C") at the very end of the text consumes what there is.
void CEscapeTextTokenizer::ApplyCode() {
  Advance();
  if (m_atEnd) return;
  switch (m_current) {
    case L'E': m_bold = 1; break;
    case L'F': m_bold = 0; break;
    case L'4': m_italic = 1; break;
    case L'5': m_italic = 0; break;
    case L'-': m_underline = 1; break;
    case L'+': m_underline = 0; break;
    case L'S': m_superscript = 1; m_subscript = 0; break;
    case L's': m_subscript = 1; m_superscript = 0; break;
    case L'T':
    case L't': m_superscript = m_subscript = 0; break;
    case L'c': m_color = ::GetSysColor(COLOR_INFOTEXT); break;
    case L'C':
      Advance();
      if (m_atEnd) {
        m_color = ::GetSysColor(COLOR_INFOTEXT);
        return;
      }
      m_color = ColorOfDigit(m_current);
      break;
    default: break;
  }
  Advance();
}

BOOL CEscapeTextTokenizer::NextToken(CString& token, int& bold, int& italic, int& underline, int& superscript,
                                     int& subscript, COLORREF& color) {
  token.Empty();
  if (m_atEnd) return FALSE;
  if (IsBlank(m_current)) {
    ReadRun(token, IsBlank);
  } else if (IsLineBreak(m_current)) {
    ReadRun(token, IsLineBreak);
  } else if (IsPunctuation(m_current)) {
    ReadRun(token, IsPunctuation);
  } else {
    if (m_current == kEscape) ApplyCode();
    ReadRun(token, [](wchar_t c) { return !IsBlank(c) && !IsLineBreak(c) && !IsPunctuation(c) && c != kEscape; });
  }
  bold = m_bold;
  italic = m_italic;
  underline = m_underline;
  superscript = m_superscript;
  subscript = m_subscript;
  color = m_color;
  return TRUE;
}
