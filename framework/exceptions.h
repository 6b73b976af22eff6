// Exception classes. Exceptions are thrown as heap pointers (throw new ...) and
// the handler deletes them with Delete(); the memory exception is a static
// object that Delete() leaves alone.
#pragma once

#include "framework/fwdefs.h"
#include "framework/runtime.h"
#include "framework/cstring.h"

class CException : public CObject {
  DECLARE_DYNAMIC(CException)
 public:
  explicit CException(BOOL bAutoDelete = TRUE) : m_bAutoDelete(bAutoDelete) {}
  ~CException() override = default;

  // Deletes the object unless it is a static (non-auto-delete) one.
  void Delete();
  virtual BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const;
  // The message as a string; empty when the exception has none.
  CString GetErrorText() const;
  virtual int ReportError(UINT nType = MB_OK, UINT nMessageID = 0);

 protected:
  BOOL m_bAutoDelete;
};

// An exception whose message is a fixed text.
class CSimpleException : public CException {
  DECLARE_DYNAMIC(CSimpleException)
 public:
  explicit CSimpleException(LPCTSTR lpszMessage = nullptr, BOOL bAutoDelete = TRUE)
      : CException(bAutoDelete), m_lpszMessage(lpszMessage) {}
  BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;

 protected:
  LPCTSTR m_lpszMessage;
};

class CMemoryException : public CSimpleException {
  DECLARE_DYNAMIC(CMemoryException)
 public:
  explicit CMemoryException(BOOL bAutoDelete = TRUE) : CSimpleException(L"Out of memory.", bAutoDelete) {}
};

class CNotSupportedException : public CSimpleException {
  DECLARE_DYNAMIC(CNotSupportedException)
 public:
  explicit CNotSupportedException(BOOL bAutoDelete = TRUE)
      : CSimpleException(L"An unsupported operation was attempted.", bAutoDelete) {}
};

class CInvalidArgException : public CSimpleException {
  DECLARE_DYNAMIC(CInvalidArgException)
 public:
  explicit CInvalidArgException(BOOL bAutoDelete = TRUE)
      : CSimpleException(L"An invalid argument was encountered.", bAutoDelete) {}
};

class CResourceException : public CSimpleException {
  DECLARE_DYNAMIC(CResourceException)
 public:
  explicit CResourceException(BOOL bAutoDelete = TRUE)
      : CSimpleException(L"A required resource was unavailable.", bAutoDelete) {}
};

// Signals a failure the user has already been told about: reports nothing.
class CUserException : public CSimpleException {
  DECLARE_DYNAMIC(CUserException)
 public:
  explicit CUserException(BOOL bAutoDelete = TRUE) : CSimpleException(nullptr, bAutoDelete) {}
  int ReportError(UINT nType = MB_OK, UINT nMessageID = 0) override;
};

class CFileException : public CException {
  DECLARE_DYNAMIC(CFileException)
 public:
  enum {
    none,
    genericException,
    fileNotFound,
    badPath,
    tooManyOpenFiles,
    accessDenied,
    invalidFile,
    removeCurrentDir,
    directoryFull,
    badSeek,
    hardIO,
    sharingViolation,
    lockViolation,
    diskFull,
    endOfFile
  };

  explicit CFileException(int cause = none, LONG lOsError = -1, LPCTSTR lpszArchiveName = nullptr);

  BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;

  static int AFXAPI OsErrorToException(LONG lOsError);
  static int AFXAPI ErrnoToException(int nErrno);
  [[noreturn]] static void AFXAPI ThrowOsError(LONG lOsError, LPCTSTR lpszFileName = nullptr);
  [[noreturn]] static void AFXAPI ThrowErrno(int nErrno, LPCTSTR lpszFileName = nullptr);

  int m_cause;
  LONG m_lOsError;
  CString m_strFileName;
};

class CArchiveException : public CException {
  DECLARE_DYNAMIC(CArchiveException)
 public:
  enum { none, genericException, readOnly, endOfFile, writeOnly, badIndex, badClass, badSchema, bufferFull };

  explicit CArchiveException(int cause = none, LPCTSTR lpszArchiveName = nullptr);
  BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;

  int m_cause;
  CString m_strFileName;
};

// Structured helpers for code written in the classic style.
#define TRY try
#define CATCH(class_name, e) catch (class_name * e)
#define AND_CATCH(class_name, e) catch (class_name * e)
#define END_CATCH
#define CATCH_ALL(e) catch (CException * e)
#define AND_CATCH_ALL(e) catch (CException * e)
#define END_CATCH_ALL
#define THROW(e) throw e
#define THROW_LAST() throw
