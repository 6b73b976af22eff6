#include "app/browser_document.h"

#include <ocidl.h>

#include <cstring>

#include "app/app_utils.h"

namespace {

// A stream over a copy of the bytes; the stream frees its memory.
HRESULT LoadFromMemory(IHTMLDocument2* document, const void* data, size_t size) {
  if (!document || (!data && size)) return E_POINTER;
  HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size ? size : 1);
  if (!memory) return E_OUTOFMEMORY;
  if (size) {
    void* target = ::GlobalLock(memory);
    if (!target) {
      ::GlobalFree(memory);
      return E_OUTOFMEMORY;
    }
    std::memcpy(target, data, size);
    ::GlobalUnlock(memory);
  }
  IStream* stream = nullptr;
  HRESULT hr = ::CreateStreamOnHGlobal(memory, TRUE, &stream);
  if (FAILED(hr)) {
    ::GlobalFree(memory);
    return hr;
  }
  ULARGE_INTEGER streamSize;
  streamSize.QuadPart = size;
  stream->SetSize(streamSize);
  hr = LoadBrowserDocument(document, stream);
  stream->Release();
  return hr;
}

// The HTML document of a browser control, or null.
IHTMLDocument2* GetHtmlDocument(IDispatch* browser) {
  if (!browser) return nullptr;
  DISPPARAMS noArguments = {};
  VARIANT result;
  ::VariantInit(&result);
  HRESULT hr = browser->Invoke(kBrowserDocumentDispId, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET,
                               &noArguments, &result, nullptr, nullptr);
  IHTMLDocument2* html = nullptr;
  if (SUCCEEDED(hr) && (result.vt == VT_DISPATCH || result.vt == VT_UNKNOWN) && result.punkVal) {
    if (FAILED(result.punkVal->QueryInterface(IID_IHTMLDocument2, reinterpret_cast<void**>(&html)))) html = nullptr;
  }
  ::VariantClear(&result);
  return html;
}

}  // namespace

HRESULT LoadBrowserDocument(IHTMLDocument2* document, IStream* stream) {
  if (!document || !stream) return E_POINTER;
  IPersistStreamInit* persist = nullptr;
  HRESULT hr = document->QueryInterface(IID_IPersistStreamInit, reinterpret_cast<void**>(&persist));
  if (SUCCEEDED(hr) && persist) {
    hr = persist->InitNew();
    if (SUCCEEDED(hr)) hr = persist->Load(stream);
    persist->Release();
  }
  return hr;
}

HRESULT LoadBrowserDocumentFromText(int count, IHTMLDocument2* document, const wchar_t* text) {
  if (count < 0) count = 0;
  return LoadFromMemory(document, text, static_cast<size_t>(count) * sizeof(wchar_t));
}

HRESULT LoadBrowserDocumentFromBytes(int count, IHTMLDocument2* document, const BYTE* bytes) {
  if (count < 0) count = 0;
  return LoadFromMemory(document, bytes, static_cast<size_t>(count));
}

void ReleaseInterface(IUnknown* object) {
  if (object) object->Release();
}

void WriteHtmlToBrowserControl(IDispatch* browser, const CString& html) {
  if (!browser) return;
  CString escaped = html;
  EscapeNonAsciiForHtml(escaped);
  IHTMLDocument2* document = GetHtmlDocument(browser);
  if (!document) return;
  LoadBrowserDocumentFromText(escaped.GetLength(), document, escaped.GetString());
  ReleaseInterface(document);
}

void WriteBytesHtmlToBrowserControl(IDispatch* browser, int count, const BYTE* bytes) {
  if (!browser || !bytes) return;
  IHTMLDocument2* document = GetHtmlDocument(browser);
  if (!document) return;
  LoadBrowserDocumentFromBytes(count, document, bytes);
  ReleaseInterface(document);
}
