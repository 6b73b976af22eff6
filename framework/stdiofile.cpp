#include "framework/stdiofile.h"

#include <algorithm>
#include <cstring>
#include <string>

IMPLEMENT_DYNAMIC(CStdioFile, CFile)

namespace {

constexpr std::size_t kReadBufferSize = 4096;

CString FromCodePage(const std::string& bytes) {
  if (bytes.empty()) return CString();
  int n = ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(n), L'\0');
  ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), wide.data(), n);
  return CString(wide.c_str(), n);
}

}  // namespace

CStdioFile::CStdioFile() = default;

CStdioFile::CStdioFile(LPCTSTR lpszFileName, UINT nOpenFlags) {
  CFileException e;
  if (!Open(lpszFileName, nOpenFlags, &e)) AfxThrowFileException(e.m_cause, e.m_lOsError, e.m_strFileName);
}

CStdioFile::~CStdioFile() {
  if (m_hFile != INVALID_HANDLE_VALUE && m_bCloseOnDelete) CFile::Abort();
}

BOOL CStdioFile::Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError) {
  DropReadBuffer();
  m_bText = (nOpenFlags & typeBinary) == 0;
  return CFile::Open(lpszFileName, nOpenFlags & ~(typeText | typeBinary), pError);
}

void CStdioFile::DropReadBuffer() { m_readPos = m_readEnd = 0; }

UINT CStdioFile::ReadRaw(void* lpBuf, UINT nCount) { return CFile::Read(lpBuf, nCount); }

int CStdioFile::GetByte() {
  if (m_readPos >= m_readEnd) {
    if (m_readBuffer.size() < kReadBufferSize) m_readBuffer.resize(kReadBufferSize);
    m_readPos = 0;
    m_readEnd = ReadRaw(m_readBuffer.data(), static_cast<UINT>(m_readBuffer.size()));
    if (m_readEnd == 0) return -1;
  }
  return static_cast<unsigned char>(m_readBuffer[m_readPos++]);
}

UINT CStdioFile::Read(void* lpBuf, UINT nCount) {
  if (nCount == 0) return 0;
  if (lpBuf == nullptr) AfxThrowInvalidArgException();
  auto* out = static_cast<char*>(lpBuf);
  UINT done = 0;
  std::size_t buffered = m_readEnd - m_readPos;
  if (buffered > 0) {
    std::size_t n = std::min<std::size_t>(buffered, nCount);
    std::memcpy(out, m_readBuffer.data() + m_readPos, n);
    m_readPos += n;
    done = static_cast<UINT>(n);
  }
  if (done < nCount) done += ReadRaw(out + done, nCount - done);
  return done;
}

void CStdioFile::Write(const void* lpBuf, UINT nCount) {
  // Writing continues where reading stopped, not at the end of the buffer.
  if (m_readPos < m_readEnd) Seek(0, current);
  DropReadBuffer();
  CFile::Write(lpBuf, nCount);
}

ULONGLONG CStdioFile::GetPosition() const { return CFile::GetPosition() - (m_readEnd - m_readPos); }

ULONGLONG CStdioFile::Seek(LONGLONG lOff, UINT nFrom) {
  if (nFrom == current) lOff -= static_cast<LONGLONG>(m_readEnd - m_readPos);
  DropReadBuffer();
  return CFile::Seek(lOff, nFrom);
}

void CStdioFile::Flush() { CFile::Flush(); }

void CStdioFile::Close() {
  DropReadBuffer();
  CFile::Close();
}

void CStdioFile::Abort() {
  DropReadBuffer();
  CFile::Abort();
}

void CStdioFile::WriteString(LPCTSTR lpsz) {
  if (lpsz == nullptr) AfxThrowInvalidArgException();
  std::wstring text;
  for (const wchar_t* p = lpsz; *p; ++p) {
    if (*p == L'\n' && m_bText) text += L'\r';
    text += *p;
  }
  if (text.empty()) return;
  int n = ::WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<std::size_t>(n), '\0');
  ::WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), bytes.data(), n, nullptr, nullptr);
  Write(bytes.data(), static_cast<UINT>(bytes.size()));
}

BOOL CStdioFile::ReadString(CString& rString) {
  std::string line;
  int c = GetByte();
  if (c < 0) {
    rString.Empty();
    return FALSE;
  }
  while (c >= 0 && c != '\n') {
    line += static_cast<char>(c);
    c = GetByte();
  }
  if (m_bText && !line.empty() && line.back() == '\r') line.pop_back();
  rString = FromCodePage(line);
  return TRUE;
}

LPTSTR CStdioFile::ReadString(LPTSTR lpsz, UINT nMax) {
  if (lpsz == nullptr || nMax == 0) AfxThrowInvalidArgException();
  std::string line;
  int c = GetByte();
  if (c < 0) return nullptr;
  while (c >= 0 && line.size() + 1 < nMax) {
    line += static_cast<char>(c);
    if (c == '\n') break;
    c = line.size() + 1 < nMax ? GetByte() : -1;
  }
  if (m_bText && line.size() >= 2 && line[line.size() - 2] == '\r' && line.back() == '\n') {
    line.erase(line.size() - 2, 1);
  }
  CString text = FromCodePage(line);
  int n = std::min<int>(text.GetLength(), static_cast<int>(nMax) - 1);
  std::memcpy(lpsz, text.GetString(), static_cast<std::size_t>(n) * sizeof(wchar_t));
  lpsz[n] = 0;
  return lpsz;
}
