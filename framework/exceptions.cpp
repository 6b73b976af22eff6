#include "framework/exceptions.h"

#include <cerrno>
#include <cwchar>

#include "framework/fwstate.h"

IMPLEMENT_DYNAMIC(CException, CObject)
IMPLEMENT_DYNAMIC(CSimpleException, CException)
IMPLEMENT_DYNAMIC(CMemoryException, CSimpleException)
IMPLEMENT_DYNAMIC(CNotSupportedException, CSimpleException)
IMPLEMENT_DYNAMIC(CInvalidArgException, CSimpleException)
IMPLEMENT_DYNAMIC(CResourceException, CSimpleException)
IMPLEMENT_DYNAMIC(CUserException, CSimpleException)
IMPLEMENT_DYNAMIC(CFileException, CException)
IMPLEMENT_DYNAMIC(CArchiveException, CException)

namespace {

BOOL CopyMessage(const CString& text, LPTSTR lpszError, UINT nMaxError) {
  if (lpszError == nullptr || nMaxError == 0) return FALSE;
  UINT n = static_cast<UINT>(text.GetLength());
  if (n > nMaxError - 1) n = nMaxError - 1;
  std::wmemcpy(lpszError, text.GetString(), n);
  lpszError[n] = 0;
  return TRUE;
}

CString Quoted(const CString& name) {
  if (name.IsEmpty()) return CString(L"an unnamed file");
  return L"\"" + name + L"\"";
}

}  // namespace

void CException::Delete() {
  if (m_bAutoDelete) delete this;
}

BOOL CException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const {
  if (pnHelpContext) *pnHelpContext = 0;
  if (lpszError && nMaxError) *lpszError = 0;
  return FALSE;
}

CString CException::GetErrorText() const {
  wchar_t buffer[1024];
  if (!GetErrorMessage(buffer, 1024)) return CString();
  return CString(buffer);
}

int CException::ReportError(UINT nType, UINT nMessageID) {
  CString text = GetErrorText();
  if (text.IsEmpty()) {
    if (nMessageID != 0) text.LoadString(nMessageID);
    if (text.IsEmpty()) text = L"An unexpected error occurred.";
  }
  return AfxMessageBox(text, nType);
}

BOOL CSimpleException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const {
  if (pnHelpContext) *pnHelpContext = 0;
  if (m_lpszMessage == nullptr) {
    if (lpszError && nMaxError) *lpszError = 0;
    return FALSE;
  }
  return CopyMessage(CString(m_lpszMessage), lpszError, nMaxError);
}

int CUserException::ReportError(UINT, UINT) { return 0; }

CFileException::CFileException(int cause, LONG lOsError, LPCTSTR lpszArchiveName)
    : m_cause(cause), m_lOsError(lOsError), m_strFileName(lpszArchiveName) {}

BOOL CFileException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const {
  if (pnHelpContext) *pnHelpContext = 0;
  CString name = Quoted(m_strFileName);
  CString text;
  switch (m_cause) {
    case none: text = L"No error occurred with " + name + L"."; break;
    case fileNotFound: text = L"The file " + name + L" was not found."; break;
    case badPath: text = L"The path of " + name + L" is not valid."; break;
    case tooManyOpenFiles: text = L"Too many files are open to open " + name + L"."; break;
    case accessDenied: text = L"Access to " + name + L" was denied."; break;
    case invalidFile: text = L"An invalid file handle was used with " + name + L"."; break;
    case removeCurrentDir: text = L"The current folder cannot be removed."; break;
    case directoryFull: text = L"The folder of " + name + L" is full."; break;
    case badSeek: text = L"Seeking in " + name + L" failed."; break;
    case hardIO: text = L"A hardware error occurred while using " + name + L"."; break;
    case sharingViolation: text = name + L" is in use by another program."; break;
    case lockViolation: text = L"A locked region of " + name + L" could not be used."; break;
    case diskFull: text = L"The disk is full while writing " + name + L"."; break;
    case endOfFile: text = L"Reading past the end of " + name + L" was attempted."; break;
    default: text = L"An error occurred while using " + name + L"."; break;
  }
  return CopyMessage(text, lpszError, nMaxError);
}

int AFXAPI CFileException::OsErrorToException(LONG lOsError) {
  switch (lOsError) {
    case NO_ERROR: return none;
    case ERROR_FILE_NOT_FOUND: return fileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_INVALID_DRIVE:
    case ERROR_DIRECTORY: return badPath;
    case ERROR_TOO_MANY_OPEN_FILES: return tooManyOpenFiles;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT: return accessDenied;
    case ERROR_INVALID_HANDLE: return invalidFile;
    case ERROR_CURRENT_DIRECTORY: return removeCurrentDir;
    case ERROR_CANNOT_MAKE: return directoryFull;
    case ERROR_SEEK:
    case ERROR_NEGATIVE_SEEK: return badSeek;
    case ERROR_CRC:
    case ERROR_SECTOR_NOT_FOUND:
    case ERROR_READ_FAULT:
    case ERROR_WRITE_FAULT:
    case ERROR_GEN_FAILURE: return hardIO;
    case ERROR_SHARING_VIOLATION: return sharingViolation;
    case ERROR_LOCK_VIOLATION: return lockViolation;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return diskFull;
    case ERROR_HANDLE_EOF: return endOfFile;
    default: return genericException;
  }
}

int AFXAPI CFileException::ErrnoToException(int nErrno) {
  switch (nErrno) {
    case ENOENT: return fileNotFound;
    case EMFILE: return tooManyOpenFiles;
    case EACCES: return accessDenied;
    case EBADF: return invalidFile;
    case ENOSPC: return diskFull;
    default: return genericException;
  }
}

void AFXAPI CFileException::ThrowOsError(LONG lOsError, LPCTSTR lpszFileName) {
  AfxThrowFileException(OsErrorToException(lOsError), lOsError, lpszFileName);
}

void AFXAPI CFileException::ThrowErrno(int nErrno, LPCTSTR lpszFileName) {
  AfxThrowFileException(ErrnoToException(nErrno), nErrno, lpszFileName);
}

CArchiveException::CArchiveException(int cause, LPCTSTR lpszArchiveName)
    : m_cause(cause), m_strFileName(lpszArchiveName) {}

BOOL CArchiveException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const {
  if (pnHelpContext) *pnHelpContext = 0;
  CString name = Quoted(m_strFileName);
  CString text;
  switch (m_cause) {
    case none: text = L"No error occurred with the archive " + name + L"."; break;
    case readOnly: text = L"The archive " + name + L" is open for loading and cannot be written."; break;
    case endOfFile: text = L"The archive " + name + L" ended unexpectedly."; break;
    case writeOnly: text = L"The archive " + name + L" is open for storing and cannot be read."; break;
    case badIndex: text = L"The archive " + name + L" has an invalid format."; break;
    case badClass: text = L"The archive " + name + L" holds an object of an unexpected class."; break;
    case badSchema: text = L"The archive " + name + L" holds an object of an unsupported version."; break;
    case bufferFull: text = L"The archive buffer of " + name + L" is full."; break;
    default: text = L"An error occurred while using the archive " + name + L"."; break;
  }
  return CopyMessage(text, lpszError, nMaxError);
}

void AFXAPI AfxThrowMemoryException() {
  // Preallocated: creating an exception object may itself fail.
  static CMemoryException s_memoryException(FALSE);
  throw &s_memoryException;
}

void AFXAPI AfxThrowNotSupportedException() { throw new CNotSupportedException; }
void AFXAPI AfxThrowInvalidArgException() { throw new CInvalidArgException; }
void AFXAPI AfxThrowResourceException() { throw new CResourceException; }
void AFXAPI AfxThrowUserException() { throw new CUserException; }

void AFXAPI AfxThrowFileException(int cause, LONG lOsError, const wchar_t* lpszFileName) {
  throw new CFileException(cause, lOsError, lpszFileName);
}

void AFXAPI AfxThrowArchiveException(int cause, const wchar_t* lpszArchiveName) {
  throw new CArchiveException(cause, lpszArchiveName);
}
