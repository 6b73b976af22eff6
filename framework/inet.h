// HTTP client over WinINet: CInternetSession opens addresses as files
// (CHttpFile) that are read like any CStdioFile.
//
// Every step that waits on the network (opening: connecting, sending,
// receiving the headers; each read) ends after the session's time-out
// (default 10 s; SetTimeout, or SetOption with a time-out option). The system
// call then goes on in the background and its result is thrown away; the
// caller gets CInternetException with ERROR_INTERNET_TIMEOUT at once.
// Failures raise CInternetException with the WinINet error code: nothing
// listening at the address gives ERROR_INTERNET_CANNOT_CONNECT, an unknown
// host ERROR_INTERNET_NAME_NOT_RESOLVED. An answer with an HTTP error status
// is a file like any other: ask QueryInfoStatusCode.
#pragma once

#include "framework/fwdefs.h"

#include <wininet.h>

#include <memory>

#include "framework/exceptions.h"
#include "framework/stdiofile.h"

class CInternetException : public CException {
  DECLARE_DYNAMIC(CInternetException)
 public:
  explicit CInternetException(DWORD dwError);
  BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;

  DWORD m_dwError;
  DWORD_PTR m_dwContext = 0;
};

[[noreturn]] void AFXAPI AfxThrowInternetException(DWORD_PTR dwContext, DWORD dwError = 0);

namespace fw::detail {
struct InternetRequest;
}

class CInternetFile : public CStdioFile {
  DECLARE_DYNAMIC(CInternetFile)
 public:
  ~CInternetFile() override;

  UINT Read(void* lpBuf, UINT nCount) override;
  void Write(const void* lpBuf, UINT nCount) override;  // not supported
  ULONGLONG Seek(LONGLONG lOff, UINT nFrom) override;    // not supported
  ULONGLONG GetPosition() const override { return m_nPosition - (m_readEnd - m_readPos); }
  ULONGLONG GetLength() const override;                 // Content-Length; not supported without one
  void SetLength(ULONGLONG) override { AfxThrowNotSupportedException(); }
  void Flush() override {}
  void Close() override;
  void Abort() override;
  CString GetFileURL() const { return m_strURL; }
  operator HINTERNET() const;

 protected:
  CInternetFile(std::shared_ptr<fw::detail::InternetRequest> request, LPCTSTR pstrURL, DWORD_PTR dwContext,
                DWORD dwTimeout);
  UINT ReadRaw(void* lpBuf, UINT nCount) override;

  std::shared_ptr<fw::detail::InternetRequest> m_request;
  CString m_strURL;
  DWORD_PTR m_dwContext;
  DWORD m_dwTimeout;
  ULONGLONG m_nPosition = 0;  // bytes taken from the network

  friend class CInternetSession;
};

class CHttpFile : public CInternetFile {
  DECLARE_DYNAMIC(CHttpFile)
 public:
  // The answer's status (200, 404, ...).
  BOOL QueryInfoStatusCode(DWORD& dwStatusCode) const;
  // A header of the answer as text (HTTP_QUERY_CONTENT_TYPE, ...).
  BOOL QueryInfo(DWORD dwInfoLevel, CString& str) const;

 protected:
  using CInternetFile::CInternetFile;
  friend class CInternetSession;
};

class CInternetSession : public CObject {
  DECLARE_DYNAMIC(CInternetSession)
 public:
  // Raises CInternetException when WinINet cannot start a session.
  explicit CInternetSession(LPCTSTR pstrAgent = nullptr, DWORD_PTR dwContext = 1,
                            DWORD dwAccessType = PRE_CONFIG_INTERNET_ACCESS, LPCTSTR pstrProxyName = nullptr,
                            LPCTSTR pstrProxyBypass = nullptr, DWORD dwFlags = 0);
  ~CInternetSession() override;

  // Opens an http or https address; the caller deletes the file. Raises
  // CInternetException on failure or time-out.
  CStdioFile* OpenURL(LPCTSTR pstrURL, DWORD_PTR dwContext = 1, DWORD dwFlags = INTERNET_FLAG_TRANSFER_ASCII,
                      LPCTSTR pstrHeaders = nullptr, DWORD dwHeadersLength = 0);
  // WinINet options; the time-out options (connect, send, receive) also set
  // the session's own time-out.
  BOOL SetOption(DWORD dwOption, DWORD dwValue, DWORD dwFlags = 0);
  BOOL QueryOption(DWORD dwOption, DWORD& dwValue) const;
  void SetTimeout(DWORD dwMilliseconds) { m_dwTimeout = dwMilliseconds; }
  DWORD GetTimeout() const { return m_dwTimeout; }
  DWORD_PTR GetContext() const { return m_dwContext; }
  operator HINTERNET() const { return m_hSession; }
  virtual void Close();

 protected:
  HINTERNET m_hSession = nullptr;
  DWORD_PTR m_dwContext;
  DWORD m_dwTimeout = 10000;
};
