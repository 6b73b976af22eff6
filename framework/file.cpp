#include "framework/file.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

IMPLEMENT_DYNAMIC(CFile, CObject)
IMPLEMENT_DYNAMIC(CMemFile, CFile)

const HANDLE CFile::hFileNull = INVALID_HANDLE_VALUE;

CFile::CFile() : m_hFile(INVALID_HANDLE_VALUE), m_bCloseOnDelete(FALSE) {}

CFile::CFile(HANDLE hFile) : m_hFile(hFile), m_bCloseOnDelete(FALSE) {}

CFile::CFile(LPCTSTR lpszFileName, UINT nOpenFlags) : m_hFile(INVALID_HANDLE_VALUE), m_bCloseOnDelete(FALSE) {
  CFileException e;
  if (!Open(lpszFileName, nOpenFlags, &e)) AfxThrowFileException(e.m_cause, e.m_lOsError, e.m_strFileName);
}

CFile::~CFile() {
  if (m_hFile != INVALID_HANDLE_VALUE && m_bCloseOnDelete) Abort();
}

BOOL CFile::Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError) {
  if (pError) {
    pError->m_cause = CFileException::none;
    pError->m_lOsError = 0;
    pError->m_strFileName = lpszFileName;
  }
  if (m_hFile != INVALID_HANDLE_VALUE) Abort();
  if (lpszFileName == nullptr || *lpszFileName == 0) {
    if (pError) {
      pError->m_cause = CFileException::badPath;
      pError->m_lOsError = ERROR_INVALID_NAME;
    }
    return FALSE;
  }
  // A relative name is kept with its full path, so GetFilePath does not
  // depend on later changes of the current folder.
  wchar_t full[MAX_PATH * 4];
  DWORD n = GetFullPathNameW(lpszFileName, MAX_PATH * 4, full, nullptr);
  m_strFileName = (n > 0 && n < MAX_PATH * 4) ? CString(full) : CString(lpszFileName);

  DWORD access = 0;
  switch (nOpenFlags & 3) {
    case modeRead: access = GENERIC_READ; break;
    case modeWrite: access = GENERIC_WRITE; break;
    case modeReadWrite: access = GENERIC_READ | GENERIC_WRITE; break;
    default: access = GENERIC_READ; break;
  }
  DWORD share = 0;
  switch (nOpenFlags & 0x70) {
    case shareCompat:
    case shareExclusive: share = 0; break;
    case shareDenyWrite: share = FILE_SHARE_READ; break;
    case shareDenyRead: share = FILE_SHARE_WRITE; break;
    case shareDenyNone: share = FILE_SHARE_READ | FILE_SHARE_WRITE; break;
    default: break;
  }
  DWORD creation = OPEN_EXISTING;
  if (nOpenFlags & modeCreate) creation = (nOpenFlags & modeNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS;
  DWORD attributes = FILE_ATTRIBUTE_NORMAL;
  if (nOpenFlags & osNoBuffer) attributes |= FILE_FLAG_NO_BUFFERING;
  if (nOpenFlags & osWriteThrough) attributes |= FILE_FLAG_WRITE_THROUGH;
  if (nOpenFlags & osRandomAccess) attributes |= FILE_FLAG_RANDOM_ACCESS;
  if (nOpenFlags & osSequentialScan) attributes |= FILE_FLAG_SEQUENTIAL_SCAN;
  SECURITY_ATTRIBUTES sa = {sizeof(sa), nullptr, (nOpenFlags & modeNoInherit) ? FALSE : TRUE};

  HANDLE h = ::CreateFileW(m_strFileName, access, share, &sa, creation, attributes, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    if (pError) {
      pError->m_lOsError = static_cast<LONG>(::GetLastError());
      pError->m_cause = CFileException::OsErrorToException(pError->m_lOsError);
    }
    return FALSE;
  }
  m_hFile = h;
  m_bCloseOnDelete = TRUE;
  return TRUE;
}

void CFile::CheckOpen() const {
  if (m_hFile == INVALID_HANDLE_VALUE) AfxThrowFileException(CFileException::invalidFile, ERROR_INVALID_HANDLE, m_strFileName);
}

ULONGLONG CFile::GetPosition() const {
  CheckOpen();
  LARGE_INTEGER zero{}, pos{};
  if (!::SetFilePointerEx(m_hFile, zero, &pos, FILE_CURRENT)) CFileException::ThrowOsError(static_cast<LONG>(::GetLastError()), m_strFileName);
  return static_cast<ULONGLONG>(pos.QuadPart);
}

ULONGLONG CFile::Seek(LONGLONG lOff, UINT nFrom) {
  CheckOpen();
  DWORD method = nFrom == current ? FILE_CURRENT : (nFrom == end ? FILE_END : FILE_BEGIN);
  LARGE_INTEGER off{}, pos{};
  off.QuadPart = lOff;
  if (!::SetFilePointerEx(m_hFile, off, &pos, method)) CFileException::ThrowOsError(static_cast<LONG>(::GetLastError()), m_strFileName);
  return static_cast<ULONGLONG>(pos.QuadPart);
}

void CFile::SetLength(ULONGLONG dwNewLen) {
  Seek(static_cast<LONGLONG>(dwNewLen), begin);
  if (!::SetEndOfFile(m_hFile)) CFileException::ThrowOsError(static_cast<LONG>(::GetLastError()), m_strFileName);
}

ULONGLONG CFile::GetLength() const {
  CheckOpen();
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(m_hFile, &size)) CFileException::ThrowOsError(static_cast<LONG>(::GetLastError()), m_strFileName);
  return static_cast<ULONGLONG>(size.QuadPart);
}

UINT CFile::Read(void* lpBuf, UINT nCount) {
  CheckOpen();
  if (nCount == 0) return 0;
  if (lpBuf == nullptr) AfxThrowInvalidArgException();
  DWORD read = 0;
  if (!::ReadFile(m_hFile, lpBuf, nCount, &read, nullptr)) {
    DWORD err = ::GetLastError();
    if (err == ERROR_HANDLE_EOF || err == ERROR_BROKEN_PIPE) return read;
    CFileException::ThrowOsError(static_cast<LONG>(err), m_strFileName);
  }
  return read;
}

void CFile::Write(const void* lpBuf, UINT nCount) {
  CheckOpen();
  if (nCount == 0) return;
  if (lpBuf == nullptr) AfxThrowInvalidArgException();
  DWORD written = 0;
  if (!::WriteFile(m_hFile, lpBuf, nCount, &written, nullptr))
    CFileException::ThrowOsError(static_cast<LONG>(::GetLastError()), m_strFileName);
  if (written != nCount) AfxThrowFileException(CFileException::diskFull, ERROR_DISK_FULL, m_strFileName);
}

void CFile::LockRange(ULONGLONG dwPos, ULONGLONG dwCount) {
  CheckOpen();
  if (!::LockFile(m_hFile, static_cast<DWORD>(dwPos), static_cast<DWORD>(dwPos >> 32), static_cast<DWORD>(dwCount),
                  static_cast<DWORD>(dwCount >> 32)))
    CFileException::ThrowOsError(static_cast<LONG>(::GetLastError()), m_strFileName);
}

void CFile::UnlockRange(ULONGLONG dwPos, ULONGLONG dwCount) {
  CheckOpen();
  if (!::UnlockFile(m_hFile, static_cast<DWORD>(dwPos), static_cast<DWORD>(dwPos >> 32), static_cast<DWORD>(dwCount),
                    static_cast<DWORD>(dwCount >> 32)))
    CFileException::ThrowOsError(static_cast<LONG>(::GetLastError()), m_strFileName);
}

void CFile::Flush() {
  if (m_hFile == INVALID_HANDLE_VALUE) return;
  if (!::FlushFileBuffers(m_hFile)) {
    DWORD err = ::GetLastError();
    // Read-only handles cannot be flushed; that is not an error.
    if (err != ERROR_ACCESS_DENIED && err != ERROR_INVALID_HANDLE)
      CFileException::ThrowOsError(static_cast<LONG>(err), m_strFileName);
  }
}

void CFile::Close() {
  BOOL ok = TRUE;
  DWORD err = 0;
  if (m_hFile != INVALID_HANDLE_VALUE) {
    ok = ::CloseHandle(m_hFile);
    if (!ok) err = ::GetLastError();
  }
  m_hFile = INVALID_HANDLE_VALUE;
  m_bCloseOnDelete = FALSE;
  if (!ok) CFileException::ThrowOsError(static_cast<LONG>(err), m_strFileName);
}

void CFile::Abort() {
  if (m_hFile != INVALID_HANDLE_VALUE) ::CloseHandle(m_hFile);
  m_hFile = INVALID_HANDLE_VALUE;
  m_bCloseOnDelete = FALSE;
}

CFile* CFile::Duplicate() const {
  CheckOpen();
  HANDLE h = nullptr;
  HANDLE self = ::GetCurrentProcess();
  if (!::DuplicateHandle(self, m_hFile, self, &h, 0, FALSE, DUPLICATE_SAME_ACCESS))
    CFileException::ThrowOsError(static_cast<LONG>(::GetLastError()), m_strFileName);
  CFile* copy = new CFile(h);
  copy->m_bCloseOnDelete = TRUE;
  copy->m_strFileName = m_strFileName;
  return copy;
}

CString CFile::GetFileName() const {
  int slash = std::max(m_strFileName.ReverseFind(L'\\'), m_strFileName.ReverseFind(L'/'));
  return m_strFileName.Mid(slash + 1);
}

CString CFile::GetFileTitle() const {
  CString name = GetFileName();
  int dot = name.ReverseFind(L'.');
  return dot > 0 ? name.Left(dot) : name;
}

void AFXAPI CFile::Rename(LPCTSTR lpszOldName, LPCTSTR lpszNewName) {
  if (!::MoveFileW(lpszOldName, lpszNewName)) CFileException::ThrowOsError(static_cast<LONG>(::GetLastError()), lpszOldName);
}

void AFXAPI CFile::Remove(LPCTSTR lpszFileName) {
  if (!::DeleteFileW(lpszFileName)) CFileException::ThrowOsError(static_cast<LONG>(::GetLastError()), lpszFileName);
}

// CMemFile

CMemFile::CMemFile(UINT nGrowBytes)
    : m_nGrowBytes(nGrowBytes), m_nPosition(0), m_nBufferSize(0), m_nFileSize(0), m_lpBuffer(nullptr),
      m_bAutoDelete(TRUE) {}

CMemFile::CMemFile(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes) : CMemFile(nGrowBytes) {
  Attach(lpBuffer, nBufferSize, nGrowBytes);
}

CMemFile::~CMemFile() {
  if (m_lpBuffer) Close();
}

void CMemFile::Attach(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes) {
  if (m_lpBuffer && m_bAutoDelete) Free(m_lpBuffer);
  m_nGrowBytes = nGrowBytes;
  m_nPosition = 0;
  m_nBufferSize = nBufferSize;
  // A growable attached buffer starts empty; a fixed one is the file's content.
  m_nFileSize = nGrowBytes == 0 ? nBufferSize : 0;
  m_lpBuffer = lpBuffer;
  m_bAutoDelete = FALSE;
}

BYTE* CMemFile::Detach() {
  BYTE* p = m_lpBuffer;
  m_lpBuffer = nullptr;
  m_nFileSize = m_nBufferSize = m_nPosition = 0;
  m_bAutoDelete = TRUE;
  return p;
}

BYTE* CMemFile::Alloc(SIZE_T nBytes) { return static_cast<BYTE*>(std::malloc(nBytes)); }

BYTE* CMemFile::Realloc(BYTE* lpMem, SIZE_T nBytes) { return static_cast<BYTE*>(std::realloc(lpMem, nBytes)); }

void CMemFile::Free(BYTE* lpMem) { std::free(lpMem); }

void CMemFile::GrowFile(SIZE_T dwNewLen) {
  if (dwNewLen <= m_nBufferSize) return;
  if (m_nGrowBytes == 0) AfxThrowMemoryException();
  SIZE_T newSize = m_nBufferSize;
  while (newSize < dwNewLen) {
    SIZE_T next = newSize + m_nGrowBytes;
    if (next < newSize) AfxThrowMemoryException();
    newSize = next;
  }
  BYTE* p;
  if (m_lpBuffer == nullptr) {
    p = Alloc(newSize);
  } else if (m_bAutoDelete) {
    p = Realloc(m_lpBuffer, newSize);
  } else {
    // The caller's buffer is not ours to resize: copy it out.
    p = Alloc(newSize);
    if (p) std::memcpy(p, m_lpBuffer, m_nFileSize);
  }
  if (p == nullptr) AfxThrowMemoryException();
  m_lpBuffer = p;
  m_nBufferSize = newSize;
  m_bAutoDelete = TRUE;
}

ULONGLONG CMemFile::Seek(LONGLONG lOff, UINT nFrom) {
  LONGLONG base = nFrom == current ? static_cast<LONGLONG>(m_nPosition)
                                   : (nFrom == end ? static_cast<LONGLONG>(m_nFileSize) : 0);
  LONGLONG pos = base + lOff;
  if (pos < 0) AfxThrowFileException(CFileException::badSeek, ERROR_NEGATIVE_SEEK, m_strFileName);
  m_nPosition = static_cast<SIZE_T>(pos);
  return m_nPosition;
}

void CMemFile::SetLength(ULONGLONG dwNewLen) {
  if (dwNewLen > m_nBufferSize) GrowFile(static_cast<SIZE_T>(dwNewLen));
  if (dwNewLen > m_nFileSize) std::memset(m_lpBuffer + m_nFileSize, 0, static_cast<SIZE_T>(dwNewLen) - m_nFileSize);
  m_nFileSize = static_cast<SIZE_T>(dwNewLen);
  if (m_nPosition > m_nFileSize) m_nPosition = m_nFileSize;
}

UINT CMemFile::Read(void* lpBuf, UINT nCount) {
  if (nCount == 0 || m_nPosition >= m_nFileSize) return 0;
  if (lpBuf == nullptr) AfxThrowInvalidArgException();
  SIZE_T n = m_nFileSize - m_nPosition;
  if (n > nCount) n = nCount;
  std::memcpy(lpBuf, m_lpBuffer + m_nPosition, n);
  m_nPosition += n;
  return static_cast<UINT>(n);
}

void CMemFile::Write(const void* lpBuf, UINT nCount) {
  if (nCount == 0) return;
  if (lpBuf == nullptr) AfxThrowInvalidArgException();
  SIZE_T endPos = m_nPosition + nCount;
  if (endPos < m_nPosition) AfxThrowMemoryException();
  if (endPos > m_nBufferSize) GrowFile(endPos);
  // A write after a seek past the end leaves zeros in the gap.
  if (m_nPosition > m_nFileSize) std::memset(m_lpBuffer + m_nFileSize, 0, m_nPosition - m_nFileSize);
  std::memcpy(m_lpBuffer + m_nPosition, lpBuf, nCount);
  m_nPosition = endPos;
  if (m_nPosition > m_nFileSize) m_nFileSize = m_nPosition;
}

void CMemFile::LockRange(ULONGLONG, ULONGLONG) { AfxThrowNotSupportedException(); }

void CMemFile::UnlockRange(ULONGLONG, ULONGLONG) { AfxThrowNotSupportedException(); }

void CMemFile::Close() {
  if (m_lpBuffer && m_bAutoDelete) Free(m_lpBuffer);
  m_lpBuffer = nullptr;
  m_nBufferSize = m_nFileSize = m_nPosition = 0;
  m_bAutoDelete = TRUE;
}

void CMemFile::Abort() { Close(); }

CFile* CMemFile::Duplicate() const { AfxThrowNotSupportedException(); }
