#include "app/browser_document.h"

#include <ocidl.h>

#include <cstring>

#include "app/app_utils.h"

namespace {

// A stream over a copy of the bytes; the stream frees its memory.
HRESULT LoadFromMemory(IUnknown* document, const void* data, size_t size) {
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

// The browser's document, or null before its first page.
IDispatch* BrowserDocument(CWebBrowser2* browser) {
  if (!browser || !::IsWindow(browser->GetSafeHwnd())) return nullptr;
  return browser->GetDocument();
}

}  // namespace

HRESULT LoadBrowserDocument(IUnknown* document, IStream* stream) {
  if (!document || !stream) return E_POINTER;
  IPersistStreamInit* persist = nullptr;
  HRESULT hr = document->QueryInterface(IID_IPersistStreamInit, reinterpret_cast<void**>(&persist));
  if (FAILED(hr) || !persist) return FAILED(hr) ? hr : E_NOINTERFACE;
  hr = persist->InitNew();
  if (SUCCEEDED(hr)) hr = persist->Load(stream);
  persist->Release();
  return hr;
}

HRESULT LoadBrowserDocumentFromText(int count, IUnknown* document, const wchar_t* text) {
  if (count < 0) count = 0;
  return LoadFromMemory(document, text, static_cast<size_t>(count) * sizeof(wchar_t));
}

HRESULT LoadBrowserDocumentFromBytes(int count, IUnknown* document, const BYTE* bytes) {
  if (count < 0) count = 0;
  return LoadFromMemory(document, bytes, static_cast<size_t>(count));
}

void ReleaseInterface(IUnknown* object) {
  if (object) object->Release();
}

void WriteHtmlToDocument(IDispatch* document, const CString& html) {
  if (!document) return;
  CString escaped = html;
  EscapeNonAsciiForHtml(escaped);
  LoadBrowserDocumentFromText(escaped.GetLength(), document, escaped.GetString());
}

void WriteBytesHtmlToDocument(IDispatch* document, int count, const BYTE* bytes) {
  if (!document || !bytes) return;
  LoadBrowserDocumentFromBytes(count, document, bytes);
}

void WriteHtmlToBrowser(CWebBrowser2* browser, const CString& html) {
  IDispatch* document = BrowserDocument(browser);
  WriteHtmlToDocument(document, html);
  ReleaseInterface(document);
}

void WriteBytesHtmlToBrowser(CWebBrowser2* browser, int count, const BYTE* bytes) {
  if (!bytes) return;
  IDispatch* document = BrowserDocument(browser);
  WriteBytesHtmlToDocument(document, count, bytes);
  ReleaseInterface(document);
}

bool WaitForBrowserDocument(HWND window, const int& loaded, DWORD timeoutMs) {
  const ULONGLONG start = ::GetTickCount64();
  while (!loaded && ::IsWindow(window)) {
    const ULONGLONG passed = ::GetTickCount64() - start;
    if (passed >= timeoutMs) return false;
    MSG msg;
    if (!::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      // Nothing pending: sleep until a message arrives or the rest of the time has passed.
      ::MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(timeoutMs - passed), QS_ALLINPUT);
      continue;
    }
    if (msg.message == WM_QUIT) {
      // The program is ending: leave the quit for the outer loop.
      ::PostQuitMessage(static_cast<int>(msg.wParam));
      return false;
    }
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  return loaded != 0;
}
