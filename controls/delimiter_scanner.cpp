#include "controls/delimiter_scanner.h"

// A scanner that was never given a text is at its end: it must not hand out a character
// it never read.
CDelimiterScanner::CDelimiterScanner(wchar_t delimiter) : m_atEnd(1), m_delimiter(delimiter) {}

CDelimiterScanner::CDelimiterScanner() : m_atEnd(1), m_delimiterSet(L",&!|() ") {}

void CDelimiterScanner::SetText(const CString& text) {
  m_text = text;
  m_position = 0;
  m_current = 0;
  m_atEnd = text.IsEmpty() ? 1 : 0;
  if (!m_atEnd) {
    m_current = m_text[0];
    m_position = 1;
  }
}

bool CDelimiterScanner::IsDelimiter(wchar_t c) const {
  if (m_delimiterSet.IsEmpty()) return c == m_delimiter;
  return m_delimiterSet.Find(c) >= 0;
}

void CDelimiterScanner::Advance() {
  if (m_position >= m_text.GetLength()) {
    m_atEnd = 1;
    return;
  }
  m_current = m_text[m_position];
  ++m_position;
}

void CDelimiterScanner::SkipLineBreaks() {
  while (!m_atEnd && (m_current == L'\r' || m_current == L'\n')) Advance();
}

void CDelimiterScanner::ReadToken(CString& token) {
  SkipLineBreaks();
  while (!m_atEnd && !IsDelimiter(m_current)) {
    token.AppendChar(m_current);
    Advance();
  }
}

CString CDelimiterScanner::ReadDelimiters() {
  CString delimiters;
  while (!m_atEnd && IsDelimiter(m_current)) {
    delimiters.AppendChar(m_current);
    Advance();
  }
  return delimiters;
}

CString CDelimiterScanner::NextToken() {
  CString token;
  ReadToken(token);
  while (!m_atEnd && IsDelimiter(m_current)) Advance();
  return token;
}

BOOL CDelimiterScanner::NextTokenWithDelimiters(CString& token, CString& delimiters) {
  token.Empty();
  delimiters.Empty();
  ReadToken(token);
  delimiters = ReadDelimiters();
  return token.IsEmpty() ? FALSE : TRUE;
}
