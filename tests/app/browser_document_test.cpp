// Writing pages into a browser's document: a recording document shows what arrives, the
// program's web-browser control shows the page it then holds.
#include <gtest/gtest.h>

#include <ocidl.h>

#include <string>

#include "app/browser_document.h"

namespace {

// A document that records what it is loaded with; optionally without stream loading.
class RecordingDocument : public IDispatch, public IPersistStreamInit {
 public:
  bool loadable = true;
  int initNewCalls = 0;
  std::string loaded;
  LONG refs = 1;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (iid == IID_IUnknown || iid == IID_IDispatch) {
      *out = static_cast<IDispatch*>(this);
    } else if (loadable && iid == IID_IPersistStreamInit) {
      *out = static_cast<IPersistStreamInit*>(this);
    } else {
      *out = nullptr;
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
  ULONG STDMETHODCALLTYPE Release() override { return --refs; }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    return DISP_E_MEMBERNOTFOUND;
  }
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

std::string Utf16Bytes(const std::wstring& text) {
  return std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
}

TEST(BrowserDocument, TextArrivesEscapedAndWithoutTerminator) {
  RecordingDocument document;
  WriteHtmlToDocument(&document, L"<p>10\x00b0 \x20ac</p>");
  EXPECT_EQ(document.initNewCalls, 1);
  EXPECT_EQ(document.loaded, Utf16Bytes(L"<p>10&#176; &#8364;</p>"));
  EXPECT_EQ(document.refs, 1) << "every interface released";
}

TEST(BrowserDocument, BytesArriveAsTheyAre) {
  RecordingDocument document;
  const BYTE page[] = {'<', 'b', '>', 0xB0, '<', '/', 'b', '>'};
  WriteBytesHtmlToDocument(&document, sizeof page, page);
  EXPECT_EQ(document.loaded, std::string(reinterpret_cast<const char*>(page), sizeof page));
  EXPECT_EQ(document.refs, 1);
}

TEST(BrowserDocument, AnEmptyPageLoadsAnEmptyStream) {
  RecordingDocument document;
  document.loaded = "old";
  WriteHtmlToDocument(&document, L"");
  EXPECT_EQ(document.initNewCalls, 1);
  EXPECT_TRUE(document.loaded.empty());
}

TEST(BrowserDocument, NothingHappensWithoutALoadableDocument) {
  RecordingDocument fixed;
  fixed.loadable = false;
  WriteHtmlToDocument(&fixed, L"<p>x</p>");
  EXPECT_EQ(fixed.initNewCalls, 0);
  EXPECT_EQ(fixed.refs, 1);
  EXPECT_EQ(LoadBrowserDocumentFromText(1, static_cast<IDispatch*>(&fixed), L"x"), E_NOINTERFACE);
  EXPECT_EQ(LoadBrowserDocument(nullptr, nullptr), E_POINTER);

  WriteHtmlToDocument(nullptr, L"<p>x</p>");
  WriteBytesHtmlToDocument(&fixed, 1, nullptr);
  WriteHtmlToBrowser(nullptr, L"<p>x</p>");
  CWebBrowser2 notCreated;
  WriteHtmlToBrowser(&notCreated, L"<p>x</p>");
}

TEST(BrowserDocument, TheBrowserControlShowsTheWrittenPage) {
  CWnd parent;
  ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), L"host", WS_POPUP, CRect(0, 0, 300, 200), nullptr, 0));
  CWebBrowser2 browser;
  ASSERT_TRUE(browser.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 200), &parent, 1369));
  browser.Navigate(L"about:blank");

  WriteHtmlToBrowser(&browser, L"<html><body><p>Seat 1: 55\x00b0</p></body></html>");
  EXPECT_STREQ(browser.GetDocumentHtml(), L"<html><body><p>Seat 1: 55&#176;</p></body></html>");
  EXPECT_GE(browser.GetDocumentText().Find(L"Seat 1: 55"), 0);

  const char bytes[] = "<p>bytes page</p>";
  WriteBytesHtmlToBrowser(&browser, static_cast<int>(sizeof bytes - 1), reinterpret_cast<const BYTE*>(bytes));
  EXPECT_STREQ(browser.GetDocumentHtml(), L"<p>bytes page</p>");
  parent.DestroyWindow();
}

}  // namespace
