#include "framework/cstring.h"

#include <oleauto.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <cwchar>
#include <cwctype>
#include <vector>

#include "framework/fwstate.h"

namespace fw {

std::wstring ToWide(const char* s, int len) {
  if (s == nullptr) return std::wstring();
  if (len < 0) len = static_cast<int>(std::strlen(s));
  if (len == 0) return std::wstring();
  int n = MultiByteToWideChar(CP_ACP, 0, s, len, nullptr, 0);
  std::wstring w(n > 0 ? n : 0, L'\0');
  if (n > 0) MultiByteToWideChar(CP_ACP, 0, s, len, w.data(), n);
  return w;
}

std::string ToNarrow(const wchar_t* s, int len) {
  if (s == nullptr) return std::string();
  if (len < 0) len = static_cast<int>(std::wcslen(s));
  if (len == 0) return std::string();
  int n = WideCharToMultiByte(CP_ACP, 0, s, len, nullptr, 0, nullptr, nullptr);
  std::string a(n > 0 ? n : 0, '\0');
  if (n > 0) WideCharToMultiByte(CP_ACP, 0, s, len, a.data(), n, nullptr, nullptr);
  return a;
}

}  // namespace fw

namespace {

// Character-type specific helpers.
std::size_t Len(const wchar_t* s) { return s ? std::wcslen(s) : 0; }
std::size_t Len(const char* s) { return s ? std::strlen(s) : 0; }

bool IsSpace(wchar_t c) { return std::iswspace(c) != 0; }
bool IsSpace(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

void ToUpper(std::wstring& s) {
  if (!s.empty()) CharUpperBuffW(s.data(), static_cast<DWORD>(s.size()));
}
void ToUpper(std::string& s) {
  for (char& c : s) c = AsciiUpper(c);
}
void ToLower(std::wstring& s) {
  if (!s.empty()) CharLowerBuffW(s.data(), static_cast<DWORD>(s.size()));
}
void ToLower(std::string& s) {
  for (char& c : s) c = AsciiLower(c);
}

int Sign(int v) { return v < 0 ? -1 : (v > 0 ? 1 : 0); }

int NoCaseCompare(const std::wstring& a, const wchar_t* b) {
  int r = CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b, static_cast<int>(Len(b)), TRUE);
  return r == 0 ? 0 : r - CSTR_EQUAL;
}
int NoCaseCompare(const std::string& a, const char* b) {
  std::size_t nb = Len(b);
  std::size_t n = std::min(a.size(), nb);
  for (std::size_t i = 0; i < n; ++i) {
    unsigned char ca = static_cast<unsigned char>(AsciiLower(a[i]));
    unsigned char cb = static_cast<unsigned char>(AsciiLower(b[i]));
    if (ca != cb) return ca < cb ? -1 : 1;
  }
  return a.size() < nb ? -1 : (a.size() > nb ? 1 : 0);
}

int CollateCompare(const std::wstring& a, const wchar_t* b, bool noCase) {
  int r = CompareStringW(LOCALE_USER_DEFAULT, noCase ? NORM_IGNORECASE : 0, a.c_str(), static_cast<int>(a.size()),
                         b ? b : L"", static_cast<int>(Len(b)));
  return r == 0 ? 0 : r - CSTR_EQUAL;
}
int CollateCompare(const std::string& a, const char* b, bool noCase) {
  int r = CompareStringA(LOCALE_USER_DEFAULT, noCase ? NORM_IGNORECASE : 0, a.c_str(), static_cast<int>(a.size()),
                         b ? b : "", static_cast<int>(Len(b)));
  return r == 0 ? 0 : r - CSTR_EQUAL;
}

bool LoadResourceString(HINSTANCE hInstance, UINT nID, std::wstring& out) {
  const wchar_t* p = nullptr;
  int n = LoadStringW(hInstance, nID, reinterpret_cast<LPWSTR>(&p), 0);
  if (n <= 0 || p == nullptr) return false;
  out.assign(p, n);
  return true;
}
bool LoadResourceString(HINSTANCE hInstance, UINT nID, std::string& out) {
  std::wstring w;
  if (!LoadResourceString(hInstance, nID, w)) return false;
  out = fw::ToNarrow(w.c_str(), static_cast<int>(w.size()));
  return true;
}

template <typename C>
bool LoadFromResources(UINT nID, std::basic_string<C>& out) {
  HINSTANCE hRes = AfxGetResourceHandle();
  if (LoadResourceString(hRes, nID, out)) return true;
  HINSTANCE hInst = AfxGetInstanceHandle();
  return hInst != hRes && LoadResourceString(hInst, nID, out);
}

template <typename C>
bool InSet(C c, const C* set) {
  for (; set && *set; ++set)
    if (*set == c) return true;
  return false;
}

}  // namespace

template <typename TChar>
void CStringT<TChar>::AssignPointer(PCXSTR psz) {
  if (psz == nullptr) {
    m_str.clear();
  } else if (IS_INTRESOURCE(psz)) {
    UINT id = static_cast<UINT>(reinterpret_cast<ULONG_PTR>(psz));
    if (!LoadFromResources(id, m_str)) m_str.clear();
  } else {
    m_str.assign(psz);
  }
}

template <typename TChar>
void CStringT<TChar>::AssignOther(PCYSTR psz, int nLength) {
  if (psz == nullptr || nLength == 0) {
    m_str.clear();
    return;
  }
  if (IS_INTRESOURCE(psz)) {
    UINT id = static_cast<UINT>(reinterpret_cast<ULONG_PTR>(psz));
    if (!LoadFromResources(id, m_str)) m_str.clear();
    return;
  }
  if constexpr (sizeof(TChar) == sizeof(wchar_t))
    m_str = fw::ToWide(psz, nLength);
  else
    m_str = fw::ToNarrow(psz, nLength);
}

template <typename TChar>
TChar CStringT<TChar>::GetAt(int iChar) const {
  if (iChar < 0 || iChar >= GetLength()) AfxThrowInvalidArgException();
  return m_str[iChar];
}

template <typename TChar>
void CStringT<TChar>::SetAt(int iChar, TChar ch) {
  if (iChar < 0 || iChar >= GetLength()) AfxThrowInvalidArgException();
  m_str[iChar] = ch;
}

template <typename TChar>
void CStringT<TChar>::SetString(PCXSTR psz) {
  if (psz == nullptr) m_str.clear();
  else m_str.assign(psz);
}

template <typename TChar>
void CStringT<TChar>::SetString(PCXSTR pch, int nLength) {
  if (pch == nullptr || nLength <= 0) {
    m_str.clear();
    return;
  }
  m_str.assign(pch, nLength);
}

template <typename TChar>
void CStringT<TChar>::Append(PCXSTR pch, int nLength) {
  if (pch == nullptr || nLength <= 0) return;
  m_str.append(pch, nLength);
}

template <typename TChar>
int CStringT<TChar>::Compare(PCXSTR psz) const {
  return Sign(m_str.compare(psz ? psz : StringType().c_str()));
}

template <typename TChar>
int CStringT<TChar>::CompareNoCase(PCXSTR psz) const {
  StringType empty;
  return Sign(NoCaseCompare(m_str, psz ? psz : empty.c_str()));
}

template <typename TChar>
int CStringT<TChar>::Collate(PCXSTR psz) const {
  return CollateCompare(m_str, psz, false);
}

template <typename TChar>
int CStringT<TChar>::CollateNoCase(PCXSTR psz) const {
  return CollateCompare(m_str, psz, true);
}

template <typename TChar>
CStringT<TChar> CStringT<TChar>::Mid(int iFirst, int nCount) const {
  long long len = GetLength();
  long long first = iFirst < 0 ? 0 : iFirst;
  long long count = nCount < 0 ? 0 : nCount;
  if (first > len) first = len;
  if (first + count > len) count = len - first;
  return CStringT(m_str.substr(static_cast<std::size_t>(first), static_cast<std::size_t>(count)));
}

template <typename TChar>
CStringT<TChar> CStringT<TChar>::Left(int nCount) const {
  int n = std::clamp(nCount, 0, GetLength());
  return CStringT(m_str.substr(0, n));
}

template <typename TChar>
CStringT<TChar> CStringT<TChar>::Right(int nCount) const {
  int n = std::clamp(nCount, 0, GetLength());
  return CStringT(m_str.substr(GetLength() - n));
}

template <typename TChar>
CStringT<TChar> CStringT<TChar>::SpanIncluding(PCXSTR pszCharSet) const {
  std::size_t n = 0;
  while (n < m_str.size() && InSet(m_str[n], pszCharSet)) ++n;
  return CStringT(m_str.substr(0, n));
}

template <typename TChar>
CStringT<TChar> CStringT<TChar>::SpanExcluding(PCXSTR pszCharSet) const {
  std::size_t n = 0;
  while (n < m_str.size() && !InSet(m_str[n], pszCharSet)) ++n;
  return CStringT(m_str.substr(0, n));
}

template <typename TChar>
CStringT<TChar> CStringT<TChar>::Tokenize(PCXSTR pszTokens, int& iStart) const {
  int len = GetLength();
  if (iStart < 0 || iStart >= len) {
    iStart = -1;
    return CStringT();
  }
  if (pszTokens == nullptr || *pszTokens == 0) {
    // No delimiters: the rest is one token and the next call ends.
    CStringT rest(m_str.substr(iStart));
    iStart = len;
    return rest;
  }
  int from = iStart;
  while (from < len && InSet(m_str[from], pszTokens)) ++from;
  if (from >= len) {
    iStart = -1;
    return CStringT();
  }
  int to = from;
  while (to < len && !InSet(m_str[to], pszTokens)) ++to;
  iStart = to + 1;
  return CStringT(m_str.substr(from, to - from));
}

template <typename TChar>
int CStringT<TChar>::Find(TChar ch, int iStart) const {
  if (iStart < 0) iStart = 0;
  if (iStart >= GetLength()) return -1;
  std::size_t pos = m_str.find(ch, iStart);
  return pos == StringType::npos ? -1 : static_cast<int>(pos);
}

template <typename TChar>
int CStringT<TChar>::Find(PCXSTR pszSub, int iStart) const {
  if (pszSub == nullptr) return -1;
  if (iStart < 0) iStart = 0;
  if (iStart > GetLength()) return -1;
  std::size_t pos = m_str.find(pszSub, iStart);
  return pos == StringType::npos ? -1 : static_cast<int>(pos);
}

template <typename TChar>
int CStringT<TChar>::ReverseFind(TChar ch) const {
  std::size_t pos = m_str.rfind(ch);
  return pos == StringType::npos ? -1 : static_cast<int>(pos);
}

template <typename TChar>
int CStringT<TChar>::FindOneOf(PCXSTR pszCharSet) const {
  if (pszCharSet == nullptr || *pszCharSet == 0) return -1;
  std::size_t pos = m_str.find_first_of(pszCharSet);
  return pos == StringType::npos ? -1 : static_cast<int>(pos);
}

template <typename TChar>
CStringT<TChar>& CStringT<TChar>::MakeUpper() {
  ToUpper(m_str);
  return *this;
}

template <typename TChar>
CStringT<TChar>& CStringT<TChar>::MakeLower() {
  ToLower(m_str);
  return *this;
}

template <typename TChar>
CStringT<TChar>& CStringT<TChar>::MakeReverse() {
  std::reverse(m_str.begin(), m_str.end());
  return *this;
}

template <typename TChar>
int CStringT<TChar>::Replace(TChar chOld, TChar chNew) {
  int n = 0;
  for (TChar& c : m_str) {
    if (c == chOld) {
      c = chNew;
      ++n;
    }
  }
  return n;
}

template <typename TChar>
int CStringT<TChar>::Replace(PCXSTR pszOld, PCXSTR pszNew) {
  std::size_t oldLen = Len(pszOld);
  if (oldLen == 0) return 0;
  StringType repl = pszNew ? StringType(pszNew) : StringType();
  StringType result;
  int n = 0;
  std::size_t pos = 0;
  for (;;) {
    std::size_t hit = m_str.find(pszOld, pos, oldLen);
    if (hit == StringType::npos) break;
    result.append(m_str, pos, hit - pos);
    result += repl;
    pos = hit + oldLen;
    ++n;
  }
  if (n == 0) return 0;
  result.append(m_str, pos, StringType::npos);
  m_str.swap(result);
  return n;
}

template <typename TChar>
int CStringT<TChar>::Remove(TChar ch) {
  std::size_t before = m_str.size();
  m_str.erase(std::remove(m_str.begin(), m_str.end(), ch), m_str.end());
  return static_cast<int>(before - m_str.size());
}

template <typename TChar>
int CStringT<TChar>::Insert(int iIndex, TChar ch) {
  int at = std::clamp(iIndex, 0, GetLength());
  m_str.insert(m_str.begin() + at, ch);
  return GetLength();
}

template <typename TChar>
int CStringT<TChar>::Insert(int iIndex, PCXSTR psz) {
  int at = std::clamp(iIndex, 0, GetLength());
  if (psz) m_str.insert(at, psz);
  return GetLength();
}

template <typename TChar>
int CStringT<TChar>::Delete(int iIndex, int nCount) {
  if (iIndex < 0) iIndex = 0;
  if (nCount > 0 && iIndex < GetLength()) {
    int n = std::min(nCount, GetLength() - iIndex);
    m_str.erase(iIndex, n);
  }
  return GetLength();
}

template <typename TChar>
void CStringT<TChar>::Truncate(int nNewLength) {
  if (nNewLength < 0) nNewLength = 0;
  if (nNewLength < GetLength()) m_str.resize(nNewLength);
}

template <typename TChar>
CStringT<TChar>& CStringT<TChar>::TrimLeft() {
  std::size_t n = 0;
  while (n < m_str.size() && IsSpace(m_str[n])) ++n;
  m_str.erase(0, n);
  return *this;
}

template <typename TChar>
CStringT<TChar>& CStringT<TChar>::TrimLeft(TChar chTarget) {
  std::size_t n = 0;
  while (n < m_str.size() && m_str[n] == chTarget) ++n;
  m_str.erase(0, n);
  return *this;
}

template <typename TChar>
CStringT<TChar>& CStringT<TChar>::TrimLeft(PCXSTR pszTargets) {
  std::size_t n = 0;
  while (n < m_str.size() && InSet(m_str[n], pszTargets)) ++n;
  m_str.erase(0, n);
  return *this;
}

template <typename TChar>
CStringT<TChar>& CStringT<TChar>::TrimRight() {
  std::size_t n = m_str.size();
  while (n > 0 && IsSpace(m_str[n - 1])) --n;
  m_str.resize(n);
  return *this;
}

template <typename TChar>
CStringT<TChar>& CStringT<TChar>::TrimRight(TChar chTarget) {
  std::size_t n = m_str.size();
  while (n > 0 && m_str[n - 1] == chTarget) --n;
  m_str.resize(n);
  return *this;
}

template <typename TChar>
CStringT<TChar>& CStringT<TChar>::TrimRight(PCXSTR pszTargets) {
  std::size_t n = m_str.size();
  while (n > 0 && InSet(m_str[n - 1], pszTargets)) --n;
  m_str.resize(n);
  return *this;
}

template <typename TChar>
CStringT<TChar>& CStringT<TChar>::Trim() {
  return TrimRight().TrimLeft();
}

template <typename TChar>
CStringT<TChar>& CStringT<TChar>::Trim(TChar chTarget) {
  return TrimRight(chTarget).TrimLeft(chTarget);
}

template <typename TChar>
CStringT<TChar>& CStringT<TChar>::Trim(PCXSTR pszTargets) {
  return TrimRight(pszTargets).TrimLeft(pszTargets);
}

template <typename TChar>
typename CStringT<TChar>::PXSTR CStringT<TChar>::GetBuffer() {
  return m_str.data();
}

template <typename TChar>
typename CStringT<TChar>::PXSTR CStringT<TChar>::GetBuffer(int nMinBufferLength) {
  if (nMinBufferLength > GetLength()) m_str.resize(nMinBufferLength);
  return m_str.data();
}

template <typename TChar>
typename CStringT<TChar>::PXSTR CStringT<TChar>::GetBufferSetLength(int nLength) {
  m_str.resize(nLength > 0 ? nLength : 0);
  return m_str.data();
}

template <typename TChar>
void CStringT<TChar>::ReleaseBuffer(int nNewLength) {
  if (nNewLength < 0) {
    std::size_t n = 0;
    while (n < m_str.size() && m_str[n] != 0) ++n;
    m_str.resize(n);
  } else {
    m_str.resize(nNewLength);
  }
}

template <typename TChar>
BOOL CStringT<TChar>::LoadString(UINT nID) {
  StringType s;
  if (!LoadFromResources(nID, s)) return FALSE;
  m_str.swap(s);
  return TRUE;
}

template <typename TChar>
BOOL CStringT<TChar>::LoadString(HINSTANCE hInstance, UINT nID) {
  StringType s;
  if (!LoadResourceString(hInstance, nID, s)) return FALSE;
  m_str.swap(s);
  return TRUE;
}

template <typename TChar>
void CStringT<TChar>::FormatArray(bool append, PCXSTR pszFormat, const fw::FmtArg* args, std::size_t count) {
  fw::FmtArrayArgs source(args, count);
  StringType out;
  if (append) out = m_str;
  fw::FormatAppend(out, pszFormat, source);
  m_str.swap(out);
}

template <typename TChar>
void CStringT<TChar>::FormatV(PCXSTR pszFormat, va_list args) {
  fw::FmtVaArgs source(args);
  StringType out;
  fw::FormatAppend(out, pszFormat, source);
  m_str.swap(out);
}

template <typename TChar>
void CStringT<TChar>::AppendFormatV(PCXSTR pszFormat, va_list args) {
  fw::FmtVaArgs source(args);
  StringType out = m_str;
  fw::FormatAppend(out, pszFormat, source);
  m_str.swap(out);
}

template <typename TChar>
void CStringT<TChar>::FormatMessageArray(PCXSTR pszFormat, const fw::FmtArg* args, std::size_t count) {
  if (pszFormat == nullptr) {
    m_str.clear();
    return;
  }
  // Every insert the format names gets an argument, so the system never
  // reads past the array: missing ones become empty strings.
  std::size_t highest = 0;
  for (const TChar* p = pszFormat; *p; ++p) {
    if (*p == '%' && p[1] >= '1' && p[1] <= '9') {
      std::size_t n = p[1] - '0';
      if (p[2] >= '0' && p[2] <= '9') n = n * 10 + (p[2] - '0');
      highest = std::max(highest, n);
    }
    if (*p == '%' && p[1] != 0) ++p;
  }
  std::size_t slots = std::max(highest, count);
  std::vector<StringType> texts(slots);
  std::vector<DWORD_PTR> values(slots + 1, 0);
  static const TChar kEmpty[1] = {0};
  for (std::size_t i = 0; i < slots; ++i) {
    if (i >= count) {
      values[i] = reinterpret_cast<DWORD_PTR>(kEmpty);
      continue;
    }
    const fw::FmtArg& a = args[i];
    switch (a.kind) {
      case fw::FmtArg::kWide:
        if constexpr (sizeof(TChar) == sizeof(wchar_t)) texts[i] = a.ws ? a.ws : L"";
        else texts[i] = fw::ToNarrow(a.ws);
        values[i] = reinterpret_cast<DWORD_PTR>(texts[i].c_str());
        break;
      case fw::FmtArg::kNarrow:
        if constexpr (sizeof(TChar) == sizeof(wchar_t)) texts[i] = fw::ToWide(a.ns);
        else texts[i] = a.ns ? a.ns : "";
        values[i] = reinterpret_cast<DWORD_PTR>(texts[i].c_str());
        break;
      case fw::FmtArg::kDouble: values[i] = static_cast<DWORD_PTR>(static_cast<long long>(a.d)); break;
      default: values[i] = static_cast<DWORD_PTR>(a.u); break;
    }
  }
  const DWORD flags = FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_ARGUMENT_ARRAY | FORMAT_MESSAGE_ALLOCATE_BUFFER;
  TChar* buffer = nullptr;
  DWORD n;
  if constexpr (sizeof(TChar) == sizeof(wchar_t))
    n = ::FormatMessageW(flags, pszFormat, 0, 0, reinterpret_cast<LPWSTR>(&buffer), 0,
                         reinterpret_cast<va_list*>(values.data()));
  else
    n = ::FormatMessageA(flags, pszFormat, 0, 0, reinterpret_cast<LPSTR>(&buffer), 0,
                         reinterpret_cast<va_list*>(values.data()));
  if (n == 0 || buffer == nullptr) {
    m_str.clear();
  } else {
    m_str.assign(buffer, n);
  }
  if (buffer) LocalFree(buffer);
}

template <typename TChar>
BSTR CStringT<TChar>::AllocSysString() const {
  std::wstring w;
  if constexpr (sizeof(TChar) == sizeof(wchar_t)) w = m_str;
  else w = fw::ToWide(m_str.c_str(), static_cast<int>(m_str.size()));
  BSTR b = ::SysAllocStringLen(w.c_str(), static_cast<UINT>(w.size()));
  if (b == nullptr) AfxThrowMemoryException();
  return b;
}

template <typename TChar>
BSTR CStringT<TChar>::SetSysString(BSTR* pbstr) const {
  std::wstring w;
  if constexpr (sizeof(TChar) == sizeof(wchar_t)) w = m_str;
  else w = fw::ToWide(m_str.c_str(), static_cast<int>(m_str.size()));
  if (!::SysReAllocStringLen(pbstr, w.c_str(), static_cast<UINT>(w.size()))) AfxThrowMemoryException();
  return *pbstr;
}

template class CStringT<wchar_t>;
template class CStringT<char>;

void AFXAPI AfxFormatStrings(CString& rString, LPCTSTR lpszFormat, LPCTSTR const* rglpsz, int nString) {
  CString out;
  for (const wchar_t* p = lpszFormat ? lpszFormat : L""; *p; ++p) {
    if (*p == L'%' && p[1] >= L'1' && p[1] <= L'9') {
      int i = p[1] - L'1';
      if (i < nString && rglpsz[i]) out += rglpsz[i];
      else if (i >= nString) {
        out += p[0];
        out += p[1];
      }
      ++p;
    } else {
      out += *p;
    }
  }
  rString = out;
}

void AFXAPI AfxFormatString1(CString& rString, UINT nIDS, LPCTSTR lpsz1) {
  CString fmt;
  fmt.LoadString(nIDS);
  AfxFormatStrings(rString, fmt, &lpsz1, 1);
}

void AFXAPI AfxFormatString2(CString& rString, UINT nIDS, LPCTSTR lpsz1, LPCTSTR lpsz2) {
  CString fmt;
  fmt.LoadString(nIDS);
  LPCTSTR args[2] = {lpsz1, lpsz2};
  AfxFormatStrings(rString, fmt, args, 2);
}

BOOL AFXAPI AfxExtractSubString(CString& rString, LPCTSTR lpszFullString, int iSubString, TCHAR chSep) {
  rString.Empty();
  if (lpszFullString == nullptr || iSubString < 0) return FALSE;
  const wchar_t* p = lpszFullString;
  for (int i = 0; i < iSubString; ++i) {
    p = std::wcschr(p, chSep);
    if (p == nullptr) return FALSE;
    ++p;
  }
  const wchar_t* end = std::wcschr(p, chSep);
  int n = end ? static_cast<int>(end - p) : static_cast<int>(std::wcslen(p));
  rString.SetString(p, n);
  return TRUE;
}

int AFXAPI AfxLoadString(UINT nIDResource, LPTSTR lpszBuf, UINT nMaxBuf) {
  if (lpszBuf == nullptr || nMaxBuf == 0) return 0;
  CString s;
  s.LoadString(nIDResource);
  UINT n = std::min<UINT>(static_cast<UINT>(s.GetLength()), nMaxBuf - 1);
  std::wmemcpy(lpszBuf, s.GetString(), n);
  lpszBuf[n] = 0;
  return static_cast<int>(n);
}
