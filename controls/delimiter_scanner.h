// Splits a text into tokens separated by delimiter characters: blank-separated card lists,
// lines of a version file, range expressions at their operators and brackets.
#pragma once

#include "framework/afx.h"

class CDelimiterScanner {
 public:
  // One delimiter character.
  explicit CDelimiterScanner(wchar_t delimiter);
  // The range language's operators and brackets: ",&!|() ".
  CDelimiterScanner();

  // Stores the text and starts the scan at its first character.
  void SetText(const CString& text);
  // Line breaks are skipped only at the start of a token.
  void SkipLineBreaks();
  // The characters up to the next delimiter; the delimiter run after them is skipped.
  // Empty at the end of the text.
  CString NextToken();
  // As NextToken, but the delimiter run goes to delimiters; TRUE when the token is not empty.
  BOOL NextTokenWithDelimiters(CString& token, CString& delimiters);
  // The run of delimiter characters at the current position (possibly empty), consumed.
  CString ReadDelimiters();

  bool AtEnd() const { return m_atEnd != 0; }
  bool IsDelimiter(wchar_t c) const;

 private:
  void Advance();
  void ReadToken(CString& token);

  int m_atEnd = 0;
  CString m_text;
  wchar_t m_current = 0;
  int m_position = 0;
  wchar_t m_delimiter = 0;  // used when the delimiter set is empty
  CString m_delimiterSet;
};
