// Files: CFile over a Win32 file handle and CMemFile over a heap block.
// Failures raise CFileException (CMemFile: CMemoryException when it cannot grow).
#pragma once

#include "framework/cstring.h"
#include "framework/exceptions.h"
#include "framework/runtime.h"

class CFile : public CObject {
  DECLARE_DYNAMIC(CFile)
 public:
  enum OpenFlags : UINT {
    modeRead = 0x0000,
    modeWrite = 0x0001,
    modeReadWrite = 0x0002,
    shareCompat = 0x0000,
    shareExclusive = 0x0010,
    shareDenyWrite = 0x0020,
    shareDenyRead = 0x0030,
    shareDenyNone = 0x0040,
    modeNoInherit = 0x0080,
    modeCreate = 0x1000,
    modeNoTruncate = 0x2000,
    typeText = 0x4000,
    typeBinary = 0x8000,
    osNoBuffer = 0x10000,
    osWriteThrough = 0x20000,
    osRandomAccess = 0x40000,
    osSequentialScan = 0x80000,
  };
  enum SeekPosition : UINT { begin = 0x0, current = 0x1, end = 0x2 };

  static const HANDLE hFileNull;

  CFile();
  explicit CFile(HANDLE hFile);
  // Opens the file; throws CFileException on failure.
  CFile(LPCTSTR lpszFileName, UINT nOpenFlags);
  ~CFile() override;

  operator HANDLE() const { return m_hFile; }

  virtual BOOL Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError = nullptr);
  virtual ULONGLONG GetPosition() const;
  virtual ULONGLONG Seek(LONGLONG lOff, UINT nFrom);
  void SeekToBegin() { Seek(0, begin); }
  ULONGLONG SeekToEnd() { return Seek(0, end); }
  virtual void SetLength(ULONGLONG dwNewLen);
  virtual ULONGLONG GetLength() const;
  // Returns the number of bytes read: less than nCount at the end of the file.
  virtual UINT Read(void* lpBuf, UINT nCount);
  virtual void Write(const void* lpBuf, UINT nCount);
  virtual void LockRange(ULONGLONG dwPos, ULONGLONG dwCount);
  virtual void UnlockRange(ULONGLONG dwPos, ULONGLONG dwCount);
  virtual void Flush();
  virtual void Close();
  // Closes without raising, whatever the state.
  virtual void Abort();
  virtual CFile* Duplicate() const;

  virtual CString GetFileName() const;
  virtual CString GetFileTitle() const;
  virtual CString GetFilePath() const { return m_strFileName; }
  virtual void SetFilePath(LPCTSTR lpszNewName) { m_strFileName = lpszNewName; }

  static void AFXAPI Rename(LPCTSTR lpszOldName, LPCTSTR lpszNewName);
  static void AFXAPI Remove(LPCTSTR lpszFileName);

  HANDLE m_hFile;

 protected:
  void CheckOpen() const;
  BOOL m_bCloseOnDelete;
  CString m_strFileName;
};

class CMemFile : public CFile {
  DECLARE_DYNAMIC(CMemFile)
 public:
  explicit CMemFile(UINT nGrowBytes = 1024);
  // Uses the caller's buffer; with nGrowBytes 0 the file cannot grow past it.
  CMemFile(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0);
  ~CMemFile() override;

  void Attach(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0);
  // Gives up the buffer (allocated with malloc when the file grew it itself).
  BYTE* Detach();

  ULONGLONG GetPosition() const override { return m_nPosition; }
  ULONGLONG Seek(LONGLONG lOff, UINT nFrom) override;
  void SetLength(ULONGLONG dwNewLen) override;
  ULONGLONG GetLength() const override { return m_nFileSize; }
  UINT Read(void* lpBuf, UINT nCount) override;
  void Write(const void* lpBuf, UINT nCount) override;
  void LockRange(ULONGLONG dwPos, ULONGLONG dwCount) override;
  void UnlockRange(ULONGLONG dwPos, ULONGLONG dwCount) override;
  void Flush() override {}
  void Close() override;
  void Abort() override;
  CFile* Duplicate() const override;

 protected:
  virtual BYTE* Alloc(SIZE_T nBytes);
  virtual BYTE* Realloc(BYTE* lpMem, SIZE_T nBytes);
  virtual void Free(BYTE* lpMem);
  virtual void GrowFile(SIZE_T dwNewLen);

  UINT m_nGrowBytes;
  SIZE_T m_nPosition;
  SIZE_T m_nBufferSize;
  SIZE_T m_nFileSize;
  BYTE* m_lpBuffer;
  BOOL m_bAutoDelete;  // the buffer is ours to free
};
