// Writing pages into a browser control's document, checked against a recording document.
#include <gtest/gtest.h>

#include <ocidl.h>

#include <string>

#include "app/browser_document.h"

namespace {

// The document's stream initialisation: records what it was given.
class RecordingDocument : public IPersistStreamInit {
 public:
  bool htmlInterface = true;  // answers the HTML document interface
  int initNewCalls = 0;
  std::string loaded;
  LONG refs = 1;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (iid == IID_IUnknown || iid == IID_IPersistStreamInit || (htmlInterface && iid == IID_IHTMLDocument2) ||
        iid == IID_IDispatch) {
      // Only the IUnknown part of the HTML document interface is ever called here.
      *out = static_cast<IPersistStreamInit*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
  ULONG STDMETHODCALLTYPE Release() override { return --refs; }
  HRESULT STDMETHODCALLTYPE GetClassID(CLSID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE IsDirty() override { return S_FALSE; }
  HRESULT STDMETHODCALLTYPE Load(IStream* stream) override {
    char buffer[4096];
    ULONG read = 0;
    while (SUCCEEDED(stream->Read(buffer, sizeof buffer, &read)) && read > 0) loaded.append(buffer, read);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Save(IStream*, BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetSizeMax(ULARGE_INTEGER*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE InitNew() override {
    ++initNewCalls;
    loaded.clear();
    return S_OK;
  }
};

// A browser control whose Document property gives the recording document, or nothing.
class FakeBrowser : public IDispatch {
 public:
  RecordingDocument* document = nullptr;
  LONG refs = 1;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (iid == IID_IUnknown || iid == IID_IDispatch) {
      *out = this;
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
  ULONG STDMETHODCALLTYPE Release() override { return --refs; }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS*, VARIANT* result, EXCEPINFO*,
                                   UINT*) override {
    if (id != kBrowserDocumentDispId || !(flags & DISPATCH_PROPERTYGET) || !result) return DISP_E_MEMBERNOTFOUND;
    if (!document) {
      result->vt = VT_EMPTY;
      return S_OK;
    }
    result->vt = VT_DISPATCH;
    result->pdispVal = reinterpret_cast<IDispatch*>(static_cast<IPersistStreamInit*>(document));
    document->AddRef();
    return S_OK;
  }
};

std::string Utf16Bytes(const std::wstring& text) {
  return std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
}

TEST(BrowserDocument, TextArrivesEscapedAndWithoutTerminator) {
  RecordingDocument document;
  FakeBrowser browser;
  browser.document = &document;
  WriteHtmlToBrowserControl(&browser, L"<p>10\x00b0 \x20ac</p>");
  EXPECT_EQ(document.initNewCalls, 1);
  EXPECT_EQ(document.loaded, Utf16Bytes(L"<p>10&#176; &#8364;</p>"));
  EXPECT_EQ(document.refs, 1) << "every interface released";
  EXPECT_EQ(browser.refs, 1);
}

TEST(BrowserDocument, BytesArriveAsTheyAre) {
  RecordingDocument document;
  FakeBrowser browser;
  browser.document = &document;
  const BYTE page[] = {'<', 'b', '>', 0xB0, '<', '/', 'b', '>'};
  WriteBytesHtmlToBrowserControl(&browser, sizeof page, page);
  EXPECT_EQ(document.loaded, std::string(reinterpret_cast<const char*>(page), sizeof page));
  EXPECT_EQ(document.refs, 1);
}

TEST(BrowserDocument, NothingHappensWithoutAnHtmlDocument) {
  FakeBrowser empty;  // no document loaded yet
  WriteHtmlToBrowserControl(&empty, L"<p>x</p>");
  const BYTE page[] = {'x'};
  WriteBytesHtmlToBrowserControl(&empty, 1, page);

  RecordingDocument notHtml;
  notHtml.htmlInterface = false;
  FakeBrowser browser;
  browser.document = &notHtml;
  WriteHtmlToBrowserControl(&browser, L"<p>x</p>");
  EXPECT_EQ(notHtml.initNewCalls, 0);
  EXPECT_EQ(notHtml.refs, 1);

  WriteHtmlToBrowserControl(nullptr, L"<p>x</p>");
  WriteBytesHtmlToBrowserControl(&browser, 1, nullptr);
  EXPECT_EQ(LoadBrowserDocument(nullptr, nullptr), E_POINTER);
}

TEST(BrowserDocument, AnEmptyPageLoadsAnEmptyStream) {
  RecordingDocument document;
  document.loaded = "old";
  FakeBrowser browser;
  browser.document = &document;
  WriteHtmlToBrowserControl(&browser, L"");
  EXPECT_EQ(document.initNewCalls, 1);
  EXPECT_TRUE(document.loaded.empty());
}

}  // namespace
