#include "framework/webdocument.h"

#include <algorithm>
#include <cstring>

namespace fw::detail {

namespace {

bool LooksLikeUtf16(const std::vector<unsigned char>& bytes) {
  if (bytes.size() < 2 || bytes.size() % 2 != 0) return false;
  // ASCII markup in UTF-16 has a zero in every second byte.
  std::size_t pairs = std::min<std::size_t>(bytes.size() / 2, 256);
  std::size_t zeros = 0;
  for (std::size_t i = 0; i < pairs; ++i) zeros += bytes[2 * i + 1] == 0 && bytes[2 * i] != 0;
  return zeros * 2 >= pairs;
}

std::wstring FromCodePage(UINT codePage, const unsigned char* data, std::size_t size, DWORD flags = 0) {
  if (size == 0) return std::wstring();
  const char* p = reinterpret_cast<const char*>(data);
  int n = ::MultiByteToWideChar(codePage, flags, p, static_cast<int>(size), nullptr, 0);
  if (n <= 0) return std::wstring();
  std::wstring text(static_cast<std::size_t>(n), L'\0');
  ::MultiByteToWideChar(codePage, flags, p, static_cast<int>(size), text.data(), n);
  return text;
}

std::wstring UpToZero(std::wstring text) {
  std::size_t zero = text.find(L'\0');
  if (zero != std::wstring::npos) text.resize(zero);
  return text;
}

}  // namespace

std::wstring DecodePageBytes(const std::vector<unsigned char>& bytes) {
  const unsigned char* data = bytes.data();
  std::size_t size = bytes.size();
  if (size >= 2 && data[0] == 0xFF && data[1] == 0xFE) {
    std::wstring text((size - 2) / 2, L'\0');
    std::memcpy(text.data(), data + 2, text.size() * 2);
    return UpToZero(std::move(text));
  }
  if (size >= 2 && data[0] == 0xFE && data[1] == 0xFF) {
    std::wstring text((size - 2) / 2, L'\0');
    for (std::size_t i = 0; i < text.size(); ++i)
      text[i] = static_cast<wchar_t>(data[2 + 2 * i] << 8 | data[3 + 2 * i]);
    return UpToZero(std::move(text));
  }
  if (size >= 3 && data[0] == 0xEF && data[1] == 0xBB && data[2] == 0xBF)
    return UpToZero(FromCodePage(CP_UTF8, data + 3, size - 3));
  if (LooksLikeUtf16(bytes)) {
    std::wstring text(size / 2, L'\0');
    std::memcpy(text.data(), data, text.size() * 2);
    return UpToZero(std::move(text));
  }
  const void* zero = std::memchr(data, 0, size);
  if (zero != nullptr) size = static_cast<std::size_t>(static_cast<const unsigned char*>(zero) - data);
  bool ascii = true;
  for (std::size_t i = 0; i < size && ascii; ++i) ascii = data[i] < 0x80;
  if (!ascii) {
    std::wstring utf8 = FromCodePage(CP_UTF8, data, size, MB_ERR_INVALID_CHARS);
    if (!utf8.empty()) return utf8;
  }
  return FromCodePage(CP_ACP, data, size);
}

WebDocument::WebDocument(std::function<void()> onChange) : m_onChange(std::move(onChange)) {}

void WebDocument::SetHtml(std::wstring html) {
  m_html = std::move(html);
  if (m_onChange) m_onChange();
}

STDMETHODIMP WebDocument::QueryInterface(REFIID riid, void** ppv) {
  if (ppv == nullptr) return E_POINTER;
  *ppv = nullptr;
  if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch)) *ppv = static_cast<IDispatch*>(this);
  else if (IsEqualIID(riid, IID_IPersistStreamInit) || IsEqualIID(riid, IID_IPersist))
    *ppv = static_cast<IPersistStreamInit*>(this);
  else return E_NOINTERFACE;
  AddRef();
  return S_OK;
}

STDMETHODIMP_(ULONG) WebDocument::AddRef() { return static_cast<ULONG>(::InterlockedIncrement(&m_refs)); }

STDMETHODIMP_(ULONG) WebDocument::Release() {
  LONG refs = ::InterlockedDecrement(&m_refs);
  if (refs == 0) delete this;
  return static_cast<ULONG>(refs);
}

STDMETHODIMP WebDocument::GetTypeInfoCount(UINT* pctinfo) {
  if (pctinfo == nullptr) return E_POINTER;
  *pctinfo = 0;
  return S_OK;
}

STDMETHODIMP WebDocument::GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo) {
  if (ppTInfo) *ppTInfo = nullptr;
  return E_NOTIMPL;
}

STDMETHODIMP WebDocument::GetIDsOfNames(REFIID, LPOLESTR*, UINT cNames, LCID, DISPID* rgDispId) {
  for (UINT i = 0; rgDispId != nullptr && i < cNames; ++i) rgDispId[i] = DISPID_UNKNOWN;
  return DISP_E_UNKNOWNNAME;
}

STDMETHODIMP WebDocument::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) {
  return DISP_E_MEMBERNOTFOUND;
}

STDMETHODIMP WebDocument::GetClassID(CLSID* pClassID) {
  if (pClassID) *pClassID = CLSID_NULL;
  return E_NOTIMPL;
}

STDMETHODIMP WebDocument::IsDirty() { return S_FALSE; }

STDMETHODIMP WebDocument::Load(LPSTREAM pStm) {
  if (pStm == nullptr) return E_POINTER;
  std::vector<unsigned char> bytes;
  // A stream that tells its size is read in one piece: a long page grown chunk by chunk is copied
  // again at every growth, and each copy writes fresh memory.
  STATSTG stat = {};
  ULARGE_INTEGER here = {};
  if (SUCCEEDED(pStm->Stat(&stat, STATFLAG_NONAME)) && SUCCEEDED(pStm->Seek(LARGE_INTEGER{}, STREAM_SEEK_CUR, &here)) &&
      stat.cbSize.QuadPart > here.QuadPart && stat.cbSize.QuadPart - here.QuadPart < (1ull << 30))
    bytes.reserve(static_cast<std::size_t>(stat.cbSize.QuadPart - here.QuadPart) + 1);  // room to see the end
  for (;;) {
    const std::size_t have = bytes.size();
    const std::size_t room = std::max<std::size_t>(bytes.capacity() - have, 4096);
    bytes.resize(have + room);
    ULONG got = 0;
    HRESULT hr = pStm->Read(bytes.data() + have, static_cast<ULONG>(std::min<std::size_t>(room, 1u << 30)), &got);
    bytes.resize(have + (SUCCEEDED(hr) ? got : 0));
    if (FAILED(hr)) return hr;
    if (got == 0 || hr == S_FALSE) break;
  }
  SetHtml(DecodePageBytes(bytes));
  return S_OK;
}

STDMETHODIMP WebDocument::Save(LPSTREAM pStm, BOOL) {
  if (pStm == nullptr) return E_POINTER;
  ULONG written = 0;
  return pStm->Write(m_html.data(), static_cast<ULONG>(m_html.size() * sizeof(wchar_t)), &written);
}

STDMETHODIMP WebDocument::GetSizeMax(ULARGE_INTEGER* pCbSize) {
  if (pCbSize == nullptr) return E_POINTER;
  pCbSize->QuadPart = m_html.size() * sizeof(wchar_t);
  return S_OK;
}

STDMETHODIMP WebDocument::InitNew() {
  SetHtml(std::wstring());
  return S_OK;
}

}  // namespace fw::detail
