// CStdioFile: a file read and written as lines of text. In text mode (the
// default; typeBinary turns it off) a line ends at "\n" or "\r\n" when
// reading, and "\n" is written as "\r\n". Characters are stored in the
// system's 8-bit code page. Reading is buffered; Read, Seek and GetPosition
// account for the buffer.
#pragma once

#include <vector>

#include "framework/file.h"

class CStdioFile : public CFile {
  DECLARE_DYNAMIC(CStdioFile)
 public:
  CStdioFile();
  // Opens the file; raises CFileException on failure.
  CStdioFile(LPCTSTR lpszFileName, UINT nOpenFlags);
  ~CStdioFile() override;

  BOOL Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError = nullptr) override;

  // Writes the text (no line end is added).
  virtual void WriteString(LPCTSTR lpsz);
  // The next line without its end; FALSE at the end of the file when nothing
  // was left to read.
  virtual BOOL ReadString(CString& rString);
  // At most nMax - 1 characters of the next line, with its "\n"; null at the
  // end of the file.
  virtual LPTSTR ReadString(LPTSTR lpsz, UINT nMax);

  UINT Read(void* lpBuf, UINT nCount) override;
  void Write(const void* lpBuf, UINT nCount) override;
  ULONGLONG GetPosition() const override;
  ULONGLONG Seek(LONGLONG lOff, UINT nFrom) override;
  void Flush() override;
  void Close() override;
  void Abort() override;

 protected:
  // The source of the read buffer; a derived class may read from elsewhere.
  virtual UINT ReadRaw(void* lpBuf, UINT nCount);
  // The next byte (-1 at the end).
  int GetByte();
  void DropReadBuffer();

  BOOL m_bText = TRUE;
  std::vector<char> m_readBuffer;
  std::size_t m_readPos = 0;
  std::size_t m_readEnd = 0;
};
