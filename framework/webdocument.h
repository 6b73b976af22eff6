// The document object of the web-browser control: an IDispatch that holds
// the page's HTML and can be loaded from a stream (IPersistStreamInit:
// InitNew, Load), as programs write pages into a browser.
#pragma once

#include "framework/fwdefs.h"

#include <ocidl.h>

#include <functional>
#include <string>
#include <vector>

namespace fw::detail {

// The text of page bytes: UTF-16 (with a byte-order mark, or recognised by
// its zero bytes), UTF-8 (with a mark, or valid UTF-8 with characters beyond
// ASCII) or the system's 8-bit code page. A terminating zero ends the text.
std::wstring DecodePageBytes(const std::vector<unsigned char>& bytes);

class WebDocument : public IDispatch, public IPersistStreamInit {
 public:
  // onChange runs after every change of the page.
  explicit WebDocument(std::function<void()> onChange);
  WebDocument(const WebDocument&) = delete;
  WebDocument& operator=(const WebDocument&) = delete;

  void SetHtml(std::wstring html);
  const std::wstring& Html() const { return m_html; }
  // The control is gone: changes are no longer reported.
  void Detach() { m_onChange = nullptr; }

  // IUnknown
  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;
  // IDispatch: the stand-in offers no automation of its own.
  STDMETHODIMP GetTypeInfoCount(UINT* pctinfo) override;
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo) override;
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID* rgDispId) override;
  STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override;
  // IPersistStreamInit
  STDMETHODIMP GetClassID(CLSID* pClassID) override;
  STDMETHODIMP IsDirty() override;
  STDMETHODIMP Load(LPSTREAM pStm) override;
  STDMETHODIMP Save(LPSTREAM pStm, BOOL fClearDirty) override;
  STDMETHODIMP GetSizeMax(ULARGE_INTEGER* pCbSize) override;
  STDMETHODIMP InitNew() override;

 private:
  virtual ~WebDocument() = default;
  LONG m_refs = 1;
  std::wstring m_html;
  std::function<void()> m_onChange;
};

}  // namespace fw::detail
