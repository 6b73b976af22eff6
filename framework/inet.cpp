#include "framework/inet.h"

#include <process.h>

#include <cstring>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "framework/app.h"

IMPLEMENT_DYNAMIC(CInternetException, CException)
IMPLEMENT_DYNAMIC(CInternetFile, CStdioFile)
IMPLEMENT_DYNAMIC(CHttpFile, CInternetFile)
IMPLEMENT_DYNAMIC(CInternetSession, CObject)

namespace fw::detail {

// A lock on the system's own slim lock: the request state is touched by
// short-lived worker threads, and this code stays clear of the threading
// library's start-up and detach paths (a detached worker there could vanish
// before running under load, turning a fast read into a time-out).
class RequestLock {
 public:
  void lock() { ::AcquireSRWLockExclusive(&m_lock); }
  void unlock() { ::ReleaseSRWLockExclusive(&m_lock); }

 private:
  SRWLOCK m_lock = SRWLOCK_INIT;
};

// The state of one request, shared by the file object and the worker thread
// of the call in progress; whichever lets go last closes the handle.
struct InternetRequest {
  RequestLock lock;
  HANDLE finished = ::CreateEventW(nullptr, TRUE, TRUE, nullptr);  // set while no call runs
  HINTERNET hFile = nullptr;
  bool done = true;
  bool abandoned = false;  // the owner stopped waiting: the request is dead
  BOOL ok = FALSE;
  DWORD error = 0;
  DWORD bytes = 0;
  std::vector<char> buffer;

  ~InternetRequest() {
    if (hFile != nullptr) ::InternetCloseHandle(hFile);
    if (finished != nullptr) ::CloseHandle(finished);
  }
};

namespace {

struct GuardedCall {
  std::shared_ptr<InternetRequest> request;
  std::function<void(InternetRequest&)> work;
};

unsigned __stdcall GuardedCallThread(void* parameter) {
  std::unique_ptr<GuardedCall> call(static_cast<GuardedCall*>(parameter));
  InternetRequest& r = *call->request;
  call->work(r);
  std::lock_guard<RequestLock> guard(r.lock);
  r.done = true;
  if (r.abandoned && r.hFile != nullptr) {
    ::InternetCloseHandle(r.hFile);
    r.hFile = nullptr;
  }
  ::SetEvent(r.finished);
  return 0;
}

// Runs work(request) on a worker thread and waits for it at most timeoutMs.
// False on time-out: the request is marked abandoned and the worker closes
// the handle when the system call finally returns.
bool RunGuarded(const std::shared_ptr<InternetRequest>& request, DWORD timeoutMs,
                std::function<void(InternetRequest&)> work) {
  if (request->finished == nullptr) throw new CInternetException(ERROR_NOT_ENOUGH_MEMORY);
  {
    std::lock_guard<RequestLock> guard(request->lock);
    request->done = false;
    ::ResetEvent(request->finished);
  }
  auto* call = new GuardedCall{request, std::move(work)};
  uintptr_t thread = ::_beginthreadex(nullptr, 0, &GuardedCallThread, call, 0, nullptr);
  if (thread == 0) {
    delete call;
    std::lock_guard<RequestLock> guard(request->lock);
    request->done = true;
    ::SetEvent(request->finished);
    throw new CInternetException(ERROR_NOT_ENOUGH_MEMORY);
  }
  ::CloseHandle(reinterpret_cast<HANDLE>(thread));
  ::WaitForSingleObject(request->finished, timeoutMs);
  std::lock_guard<RequestLock> guard(request->lock);
  if (request->done) return true;
  request->abandoned = true;
  return false;
}

[[noreturn]] void Throw(DWORD error, DWORD_PTR context) {
  auto* e = new CInternetException(error);
  e->m_dwContext = context;
  throw e;
}

}  // namespace
}  // namespace fw::detail

using fw::detail::InternetRequest;
using fw::detail::RequestLock;
using fw::detail::RunGuarded;
using fw::detail::Throw;

// Exceptions.

CInternetException::CInternetException(DWORD dwError) : m_dwError(dwError) {}

BOOL CInternetException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const {
  if (pnHelpContext) *pnHelpContext = 0;
  if (lpszError == nullptr || nMaxError == 0) return FALSE;
  CString text;
  switch (m_dwError) {
    case ERROR_INTERNET_TIMEOUT: text = L"The request timed out."; break;
    case ERROR_INTERNET_CANNOT_CONNECT: text = L"Could not connect to the server."; break;
    case ERROR_INTERNET_NAME_NOT_RESOLVED: text = L"The server name could not be resolved."; break;
    case ERROR_INTERNET_CONNECTION_ABORTED: text = L"The connection was aborted."; break;
    case ERROR_INTERNET_CONNECTION_RESET: text = L"The connection was reset."; break;
    case ERROR_INTERNET_UNRECOGNIZED_SCHEME: text = L"The address is not an http or https address."; break;
    case ERROR_INTERNET_INVALID_URL: text = L"The address is not valid."; break;
    default: {
      wchar_t buffer[512] = {};
      HMODULE hModule = ::GetModuleHandleW(L"wininet.dll");
      DWORD n = ::FormatMessageW(FORMAT_MESSAGE_FROM_HMODULE | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                 hModule, m_dwError, 0, buffer, 512, nullptr);
      if (n > 0) {
        text = CString(buffer, static_cast<int>(n));
        text.TrimRight();
      } else {
        text.Format(L"Internet error %lu.", static_cast<unsigned long>(m_dwError));
      }
    }
  }
  lstrcpynW(lpszError, text, static_cast<int>(nMaxError));
  return TRUE;
}

void AFXAPI AfxThrowInternetException(DWORD_PTR dwContext, DWORD dwError) {
  Throw(dwError != 0 ? dwError : ::GetLastError(), dwContext);
}

// Files.

CInternetFile::CInternetFile(std::shared_ptr<InternetRequest> request, LPCTSTR pstrURL, DWORD_PTR dwContext,
                             DWORD dwTimeout)
    : m_request(std::move(request)), m_strURL(pstrURL), m_dwContext(dwContext), m_dwTimeout(dwTimeout) {
  // Lines end at "\n" or "\r\n" (ReadString); Read gives the bytes unchanged.
  m_strFileName = m_strURL;
}

CInternetFile::~CInternetFile() { Close(); }

CInternetFile::operator HINTERNET() const {
  if (!m_request) return nullptr;
  std::lock_guard<RequestLock> guard(m_request->lock);
  return m_request->abandoned ? nullptr : m_request->hFile;
}

UINT CInternetFile::ReadRaw(void* lpBuf, UINT nCount) {
  if (!m_request) AfxThrowFileException(CFileException::genericException, ERROR_INVALID_HANDLE, m_strURL);
  {
    std::lock_guard<RequestLock> guard(m_request->lock);
    if (m_request->abandoned || m_request->hFile == nullptr) Throw(ERROR_INTERNET_CONNECTION_ABORTED, m_dwContext);
  }
  auto* out = static_cast<char*>(lpBuf);
  UINT total = 0;
  // WinINet may return less than asked before the end: read until full.
  while (total < nCount) {
    const DWORD want = nCount - total;
    bool finished = RunGuarded(m_request, m_dwTimeout, [want](InternetRequest& r) {
      HINTERNET hFile;
      {
        std::lock_guard<RequestLock> guard(r.lock);
        hFile = r.hFile;
      }
      std::vector<char> data(want);
      DWORD got = 0;
      BOOL ok = ::InternetReadFile(hFile, data.data(), want, &got);
      DWORD error = ok ? 0 : ::GetLastError();
      std::lock_guard<RequestLock> guard(r.lock);
      r.ok = ok;
      r.error = error;
      r.bytes = got;
      r.buffer.swap(data);
    });
    if (!finished) Throw(ERROR_INTERNET_TIMEOUT, m_dwContext);
    std::lock_guard<RequestLock> guard(m_request->lock);
    if (!m_request->ok) Throw(m_request->error ? m_request->error : ERROR_INTERNET_CONNECTION_ABORTED, m_dwContext);
    if (m_request->bytes == 0) break;
    std::memcpy(out + total, m_request->buffer.data(), m_request->bytes);
    total += m_request->bytes;
    m_nPosition += m_request->bytes;
  }
  return total;
}

UINT CInternetFile::Read(void* lpBuf, UINT nCount) { return CStdioFile::Read(lpBuf, nCount); }

void CInternetFile::Write(const void*, UINT) { AfxThrowNotSupportedException(); }

ULONGLONG CInternetFile::Seek(LONGLONG, UINT) { AfxThrowNotSupportedException(); }

ULONGLONG CInternetFile::GetLength() const {
  HINTERNET hFile = *this;
  DWORD length = 0, size = sizeof length;
  if (hFile == nullptr ||
      !::HttpQueryInfoW(hFile, HTTP_QUERY_CONTENT_LENGTH | HTTP_QUERY_FLAG_NUMBER, &length, &size, nullptr))
    AfxThrowNotSupportedException();
  return length;
}

void CInternetFile::Close() {
  DropReadBuffer();
  if (!m_request) return;
  {
    std::lock_guard<RequestLock> guard(m_request->lock);
    if (!m_request->done) {
      // A call still runs in the background: it closes the handle.
      m_request->abandoned = true;
    } else if (m_request->hFile != nullptr) {
      ::InternetCloseHandle(m_request->hFile);
      m_request->hFile = nullptr;
    }
  }
  m_request.reset();
}

void CInternetFile::Abort() { Close(); }

BOOL CHttpFile::QueryInfoStatusCode(DWORD& dwStatusCode) const {
  HINTERNET hFile = *this;
  DWORD size = sizeof dwStatusCode;
  return hFile != nullptr &&
         ::HttpQueryInfoW(hFile, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &dwStatusCode, &size, nullptr);
}

BOOL CHttpFile::QueryInfo(DWORD dwInfoLevel, CString& str) const {
  str.Empty();
  HINTERNET hFile = *this;
  if (hFile == nullptr) return FALSE;
  DWORD size = 256 * sizeof(wchar_t);
  for (int attempt = 0; attempt < 2; ++attempt) {
    std::vector<wchar_t> text(size / sizeof(wchar_t) + 1, 0);
    if (::HttpQueryInfoW(hFile, dwInfoLevel, text.data(), &size, nullptr)) {
      str = CString(text.data(), static_cast<int>(size / sizeof(wchar_t)));
      return TRUE;
    }
    if (::GetLastError() != ERROR_INSUFFICIENT_BUFFER) return FALSE;
  }
  return FALSE;
}

// Session.

CInternetSession::CInternetSession(LPCTSTR pstrAgent, DWORD_PTR dwContext, DWORD dwAccessType, LPCTSTR pstrProxyName,
                                   LPCTSTR pstrProxyBypass, DWORD dwFlags)
    : m_dwContext(dwContext) {
  if (pstrAgent == nullptr) pstrAgent = AfxGetAppName();
  if (pstrAgent == nullptr || *pstrAgent == 0) pstrAgent = L"Application";
  m_hSession = ::InternetOpenW(pstrAgent, dwAccessType, pstrProxyName, pstrProxyBypass, dwFlags);
  if (m_hSession == nullptr) Throw(::GetLastError(), dwContext);
}

CInternetSession::~CInternetSession() { Close(); }

void CInternetSession::Close() {
  if (m_hSession != nullptr) ::InternetCloseHandle(m_hSession);
  m_hSession = nullptr;
}

BOOL CInternetSession::SetOption(DWORD dwOption, DWORD dwValue, DWORD) {
  if (m_hSession == nullptr) return FALSE;
  switch (dwOption) {
    case INTERNET_OPTION_CONNECT_TIMEOUT:
    case INTERNET_OPTION_SEND_TIMEOUT:
    case INTERNET_OPTION_RECEIVE_TIMEOUT:
    case INTERNET_OPTION_DATA_SEND_TIMEOUT:
    case INTERNET_OPTION_DATA_RECEIVE_TIMEOUT:
      if (dwValue > 0) m_dwTimeout = dwValue;
      break;
    default: break;
  }
  return ::InternetSetOptionW(m_hSession, dwOption, &dwValue, sizeof dwValue);
}

BOOL CInternetSession::QueryOption(DWORD dwOption, DWORD& dwValue) const {
  if (m_hSession == nullptr) return FALSE;
  DWORD size = sizeof dwValue;
  return ::InternetQueryOptionW(m_hSession, dwOption, &dwValue, &size);
}

CStdioFile* CInternetSession::OpenURL(LPCTSTR pstrURL, DWORD_PTR dwContext, DWORD dwFlags, LPCTSTR pstrHeaders,
                                      DWORD dwHeadersLength) {
  if (m_hSession == nullptr) Throw(ERROR_INVALID_HANDLE, dwContext);
  if (pstrURL == nullptr || *pstrURL == 0) Throw(ERROR_INTERNET_INVALID_URL, dwContext);
  URL_COMPONENTSW parts = {};
  parts.dwStructSize = sizeof parts;
  parts.dwSchemeLength = 1;
  parts.dwHostNameLength = 1;
  if (!::InternetCrackUrlW(pstrURL, 0, 0, &parts)) Throw(ERROR_INTERNET_INVALID_URL, dwContext);
  if (parts.nScheme != INTERNET_SCHEME_HTTP && parts.nScheme != INTERNET_SCHEME_HTTPS)
    Throw(ERROR_INTERNET_UNRECOGNIZED_SCHEME, dwContext);

  auto request = std::make_shared<InternetRequest>();
  HINTERNET hSession = m_hSession;
  CString url(pstrURL);
  CString headers;
  if (pstrHeaders != nullptr)
    headers = dwHeadersLength == static_cast<DWORD>(-1) || dwHeadersLength == 0
                  ? CString(pstrHeaders)
                  : CString(pstrHeaders, static_cast<int>(dwHeadersLength));
  bool finished = RunGuarded(request, m_dwTimeout, [=](InternetRequest& r) {
    HINTERNET hFile = ::InternetOpenUrlW(hSession, url, headers.IsEmpty() ? nullptr : headers.GetString(),
                                         static_cast<DWORD>(headers.GetLength()), dwFlags, dwContext);
    DWORD error = hFile ? 0 : ::GetLastError();
    std::lock_guard<RequestLock> guard(r.lock);
    r.hFile = hFile;
    r.error = error;
  });
  if (!finished) Throw(ERROR_INTERNET_TIMEOUT, dwContext);
  HINTERNET hFile;
  DWORD error;
  {
    std::lock_guard<RequestLock> guard(request->lock);
    hFile = request->hFile;
    error = request->error;
  }
  if (hFile == nullptr) Throw(error ? error : ERROR_INTERNET_CANNOT_CONNECT, dwContext);
  return new CHttpFile(request, pstrURL, dwContext, m_dwTimeout);
}
