// The web-browser control as hosted by a dialog: navigation to resources and
// files with its completion events, pages written into its document through
// a stream, and the text it shows.
#include <algorithm>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/afxwin.h"
#include "framework/htmltext.h"
#include "framework/image.h"
#include "framework/webbrowser.h"
#include "framework/webdocument.h"
#include "gui_harness.h"
#include "test_util.h"
#include "ui_resources.h"
#include "ui_test_util.h"

namespace {

class CBrowserTestApp : public CWinApp {
 public:
  CBrowserTestApp() : CWinApp(L"Browser Test") {}
  BOOL InitApplication() override { return TRUE; }
};
CBrowserTestApp theApp;

struct ContainerReady {
  ContainerReady() { AfxEnableControlContainer(); }
} g_containerReady;

std::wstring ModulePath() {
  wchar_t path[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  return path;
}

class CBrowserDialog : public CDialog {
 public:
  CBrowserDialog() : CDialog(IDD_BROWSER) {}
  CWebBrowser2 m_browser;
  std::vector<CString> m_completed;  // DocumentComplete addresses
  int m_navigated = 0;
  bool m_closeOnNavigate = false;
  bool m_sawDispatch = false;

 protected:
  void DoDataExchange(CDataExchange* pDX) override { DDX_Control(pDX, IDC_BROWSER, m_browser); }
  void OnNavigateComplete(LPDISPATCH, VARIANT*) {
    ++m_navigated;
    if (m_closeOnNavigate) DestroyWindow();
  }
  void OnDocumentComplete(LPDISPATCH pDisp, VARIANT* URL) {
    m_sawDispatch = pDisp != nullptr;
    m_completed.push_back(URL && URL->vt == VT_BSTR ? CString(URL->bstrVal) : CString(L"?"));
  }
  DECLARE_EVENTSINK_MAP()
};

BEGIN_EVENTSINK_MAP(CBrowserDialog, CDialog)
  ON_EVENT(CBrowserDialog, IDC_BROWSER, DISPID_NAVIGATECOMPLETE2, &CBrowserDialog::OnNavigateComplete,
           VTS_DISPATCH VTS_PVARIANT)
  ON_EVENT(CBrowserDialog, IDC_BROWSER, DISPID_DOCUMENTCOMPLETE, &CBrowserDialog::OnDocumentComplete,
           VTS_DISPATCH VTS_PVARIANT)
END_EVENTSINK_MAP()

class Browser : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dialog.Create(IDD_BROWSER, CWnd::GetDesktopWindow()));
    dialog.ShowWindow(SW_SHOW);
  }
  void TearDown() override {
    if (dialog.m_hWnd) dialog.DestroyWindow();
  }
  bool NavigateAndWait(const std::wstring& url) {
    size_t before = dialog.m_completed.size();
    dialog.m_browser.Navigate(url.c_str());
    return fwtest::PumpUntil([&] { return dialog.m_completed.size() > before; });
  }
  CString ShownText() {
    CString text;
    dialog.m_browser.GetDlgItem(1)->GetWindowText(text);
    return text;
  }
  CBrowserDialog dialog;
};

// The way programs write a page: the document's stream interface.
HRESULT LoadIntoDocument(CWebBrowser2& browser, const void* data, SIZE_T bytes) {
  LPDISPATCH document = browser.GetDocument();
  if (document == nullptr) return E_POINTER;
  IPersistStreamInit* persist = nullptr;
  HRESULT hr = document->QueryInterface(IID_IPersistStreamInit, reinterpret_cast<void**>(&persist));
  if (SUCCEEDED(hr)) {
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
    memcpy(::GlobalLock(memory), data, bytes);
    ::GlobalUnlock(memory);
    IStream* stream = nullptr;
    ::CreateStreamOnHGlobal(memory, TRUE, &stream);
    ULARGE_INTEGER size;
    size.QuadPart = bytes;
    stream->SetSize(size);
    hr = persist->InitNew();
    if (SUCCEEDED(hr)) hr = persist->Load(stream);
    stream->Release();
    persist->Release();
  }
  document->Release();
  return hr;
}

TEST_F(Browser, APageOfTheProgramsResourcesLoadsAndCompletes) {
  std::wstring url = L"res://" + ModulePath() + L"/102";
  EXPECT_EQ(dialog.m_browser.GetReadyState(), READYSTATE_UNINITIALIZED);
  ASSERT_TRUE(NavigateAndWait(url));
  EXPECT_EQ(dialog.m_navigated, 1);
  ASSERT_EQ(dialog.m_completed.size(), 1u);
  EXPECT_EQ(dialog.m_completed[0], CString(url.c_str()));
  EXPECT_TRUE(dialog.m_sawDispatch);
  EXPECT_EQ(dialog.m_browser.GetReadyState(), READYSTATE_COMPLETE);
  EXPECT_EQ(dialog.m_browser.GetLocationURL(), CString(url.c_str()));
  EXPECT_NE(dialog.m_browser.GetDocumentHtml().Find(L"<h1>Placeholder</h1>"), -1);
  EXPECT_EQ(ShownText(), L"Placeholder\r\nFish & chips <3");
  // The type may be named too.
  ASSERT_TRUE(NavigateAndWait(L"res://" + ModulePath() + L"/23/#102"));
  EXPECT_EQ(ShownText(), L"Placeholder\r\nFish & chips <3");
}

// A page of many times the stream's read size reads whole, from where the stream stands.
TEST_F(Browser, ALongStreamReadsWholeFromItsPosition) {
  ASSERT_TRUE(NavigateAndWait(L"about:blank"));
  std::wstring page = L"<html><body><p>";
  for (int i = 0; i < 20000; ++i) page += L"AsKsQhJh" + std::to_wstring(i) + L", ";
  page += L"end</p></body></html>";
  const std::wstring skipped = L"SKIP";
  const std::wstring bytes = skipped + page;
  HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, bytes.size() * sizeof(wchar_t));
  memcpy(::GlobalLock(memory), bytes.data(), bytes.size() * sizeof(wchar_t));
  ::GlobalUnlock(memory);
  IStream* stream = nullptr;
  ASSERT_EQ(::CreateStreamOnHGlobal(memory, TRUE, &stream), S_OK);
  LARGE_INTEGER past;
  past.QuadPart = static_cast<LONGLONG>(skipped.size() * sizeof(wchar_t));
  stream->Seek(past, STREAM_SEEK_SET, nullptr);
  LPDISPATCH document = dialog.m_browser.GetDocument();
  ASSERT_NE(document, nullptr);
  IPersistStreamInit* persist = nullptr;
  ASSERT_EQ(document->QueryInterface(IID_IPersistStreamInit, reinterpret_cast<void**>(&persist)), S_OK);
  EXPECT_EQ(persist->Load(stream), S_OK);
  persist->Release();
  document->Release();
  stream->Release();
  EXPECT_EQ(std::wstring(dialog.m_browser.GetDocumentHtml().GetString()), page);
}

TEST_F(Browser, AWrittenPageReplacesTheShownOne) {
  ASSERT_TRUE(NavigateAndWait(L"about:blank"));
  EXPECT_EQ(ShownText(), L"");
  std::wstring page = L"<html><body><table><tr><td>UTG</td><td>52.10%</td></tr>"
                      L"<tr><td>BB</td><td>47.90%</td></tr></table></body></html>";
  ASSERT_EQ(LoadIntoDocument(dialog.m_browser, page.data(), page.size() * sizeof(wchar_t)), S_OK);
  EXPECT_EQ(ShownText(), L"UTG\t52.10%\r\nBB\t47.90%");
  EXPECT_EQ(dialog.m_browser.GetDocumentHtml(), CString(page.c_str()));
  // Bytes in the 8-bit code page, as a file holds them.
  const char bytes[] = "<p>Temperature: 20\xB0</p>";
  ASSERT_EQ(LoadIntoDocument(dialog.m_browser, bytes, sizeof bytes - 1), S_OK);
  EXPECT_EQ(ShownText(), L"Temperature: 20\u00B0");
  EXPECT_EQ(dialog.m_completed.size(), 1u);  // writing is not navigating
}

TEST_F(Browser, APageThatCannotLoadStillCompletesWithANotice) {
  ASSERT_TRUE(NavigateAndWait(L"res://" + ModulePath() + L"/4242"));
  EXPECT_NE(ShownText().Find(L"cannot be shown"), -1);
  ASSERT_TRUE(NavigateAndWait(L"http://example.invalid/page.html"));
  EXPECT_NE(ShownText().Find(L"example.invalid"), -1);
}

TEST_F(Browser, FilesLoadByPathAndByAddress) {
  wchar_t folder[MAX_PATH] = {};
  ::GetTempPathW(MAX_PATH, folder);
  std::wstring path = std::wstring(folder) + L"fw_browser_page.html";
  {
    CFile file(path.c_str(), CFile::modeCreate | CFile::modeWrite);
    const char text[] = "\xEF\xBB\xBF<pre>a  b\nc</pre>";
    file.Write(text, sizeof text - 1);
  }
  ASSERT_TRUE(NavigateAndWait(path));
  EXPECT_EQ(ShownText(), L"a  b\r\nc");
  std::wstring address = L"file:///" + path;
  for (wchar_t& c : address)
    if (c == L'\\') c = L'/';
  ASSERT_TRUE(NavigateAndWait(address));
  EXPECT_EQ(ShownText(), L"a  b\r\nc");
  ::DeleteFileW(path.c_str());
}

TEST_F(Browser, AHandlerMayCloseTheDialogOnTheFirstEvent) {
  dialog.m_closeOnNavigate = true;
  HWND hWnd = dialog.m_hWnd;
  dialog.m_browser.Navigate(L"about:blank");
  EXPECT_TRUE(fwtest::PumpUntil([&] { return !::IsWindow(hWnd); }));
  fwtest::Pump(50);
  EXPECT_EQ(dialog.m_navigated, 1);
  EXPECT_TRUE(dialog.m_completed.empty());
}

TEST_F(Browser, OnlyTheLatestNavigationCompletes) {
  dialog.m_browser.Navigate(L"about:blank");
  dialog.m_browser.Navigate((L"res://" + ModulePath() + L"/102").c_str());
  fwtest::Pump(100);
  ASSERT_EQ(dialog.m_completed.size(), 1u);
  EXPECT_NE(dialog.m_completed[0].Find(L"102"), -1);
}

TEST_F(Browser, ShowsThePageTextReadOnly) {
  dialog.SetWindowPos(nullptr, 40, 40, 420, 300, SWP_NOZORDER);
  ASSERT_TRUE(NavigateAndWait(L"res://" + ModulePath() + L"/102"));
  std::wstring page = L"<html><body><h2>Result</h2><table><tr><td>Seat</td><td>Equity</td></tr>"
                      L"<tr><td>UTG:&nbsp;AAKK</td><td>61.40%</td></tr><tr><td>BB:&nbsp;random</td>"
                      L"<td>38.60%</td></tr></table><p>Simulated 250,000 deals.</p></body></html>";
  LoadIntoDocument(dialog.m_browser, page.data(), page.size() * sizeof(wchar_t));
  CWnd* view = dialog.m_browser.GetDlgItem(1);
  ASSERT_NE(view, nullptr);
  EXPECT_TRUE(view->GetStyle() & ES_READONLY);
  // The dialog lays the control out; the text view fills the control.
  CRect client;
  dialog.GetClientRect(&client);
  dialog.m_browser.MoveWindow(&client);
  CRect viewRect;
  view->GetWindowRect(&viewRect);
  EXPECT_EQ(viewRect.Size(), client.Size());
  dialog.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
  gui::Image shot = gui::CaptureWindow(dialog.m_hWnd);
  ASSERT_FALSE(shot.Empty());
  gui::SaveCapture(shot, L"fw_browser");
  // Text on a white page.
  RECT page_area = {20, 60, shot.width - 20, shot.height - 20};
  EXPECT_GT(gui::CountColours(shot, page_area), 2);
}

TEST(PageText, ReadsAsTheReaderSeesIt) {
  struct Case {
    const wchar_t* html;
    const wchar_t* text;
  };
  const Case cases[] = {
      {L"<b>bold</b>   and\n\n plain", L"bold and plain"},
      {L"a<br>b<br/>c", L"a\r\nb\r\nc"},
      {L"<p>one</p><p>two</p>", L"one\r\ntwo"},
      {L"x&nbsp;&nbsp;y &amp; &lt;z&gt; &#65;&#x42; &unknown;", L"x  y & <z> AB &unknown;"},
      {L"<head><title>T</title><style>p{}</style></head><script>var a='<p>';</script>shown", L"shown"},
      {L"be<!-- hidden <p> -->fore", L"before"},
      {L"<img src=\"res://x/card_as.png\" alt=\"As\"> <img src=a.png>", L"As"},
      {L"<ul><li>one<li>two</ul>", L"- one\r\n- two"},
      {L"<pre>  keep\n  lines</pre>after", L"  keep\r\n  lines\r\nafter"},
      {L"<p></p><p></p><p></p>end", L"end"},
      {L"unclosed <b", L"unclosed"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(CStringA(c.html).GetString());
    EXPECT_EQ(fw::detail::HtmlToText(c.html), std::wstring(c.text));
  }
}

TEST(PageText, LongLinesAreBrokenAtTheirLastBlank) {
  using fw::detail::BreakLongLines;
  struct Case {
    const wchar_t* text;
    std::size_t width;
    const wchar_t* broken;
  } cases[] = {
      {L"", 4, L""},
      {L"abc de", 6, L"abc de"},
      {L"abc def", 6, L"abc\r\ndef"},
      {L"ab cd ef gh", 5, L"ab cd\r\nef gh"},
      {L"abcdefgh", 3, L"abc\r\ndef\r\ngh"},
      {L"abc\r\ndefg hi", 4, L"abc\r\ndefg\r\nhi"},
      {L"a b", 0, L"a b"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(CStringA(c.text).GetString());
    EXPECT_EQ(BreakLongLines(c.text, c.width), std::wstring(c.broken));
  }
  // A listing of many items on one line: every line within the width, nothing lost but the
  // blanks that became line ends.
  std::wstring listing;
  for (int i = 0; i < 20000; ++i) listing += L"AKQJds, ";
  const std::wstring broken = BreakLongLines(listing, 400);
  std::size_t start = 0, longest = 0, ends = 0;
  for (std::size_t at = broken.find(L"\r\n"); at != std::wstring::npos; at = broken.find(L"\r\n", start)) {
    longest = std::max(longest, at - start);
    start = at + 2;
    ++ends;
  }
  EXPECT_LE(longest, 400u);
  EXPECT_EQ(broken.size(), listing.size() + ends);
}

TEST(PageText, BytesAreDecodedByTheirMarksAndContents) {
  using fw::detail::DecodePageBytes;
  auto bytes = [](std::initializer_list<int> b) {
    std::vector<unsigned char> v;
    for (int x : b) v.push_back(static_cast<unsigned char>(x));
    return v;
  };
  EXPECT_EQ(DecodePageBytes(bytes({0xFF, 0xFE, 'h', 0, 'i', 0})), L"hi");
  EXPECT_EQ(DecodePageBytes(bytes({0xFE, 0xFF, 0, 'h', 0, 'i'})), L"hi");
  EXPECT_EQ(DecodePageBytes(bytes({'<', 0, 'p', 0, '>', 0, 0xE9, 0})), L"<p>\u00E9");
  EXPECT_EQ(DecodePageBytes(bytes({0xEF, 0xBB, 0xBF, 0xC3, 0xA9})), L"\u00E9");
  EXPECT_EQ(DecodePageBytes(bytes({'a', 0xC3, 0xA9})), L"a\u00E9");  // valid UTF-8
  EXPECT_EQ(DecodePageBytes(bytes({'a', 'b', 0, 'c'})), L"ab");      // a zero ends the text
  EXPECT_EQ(DecodePageBytes(bytes({})), L"");
}

TEST(BrowserControl, WorksWhenCreatedByTheProgram) {
  CWnd parent;
  ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), L"Host", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr,
                              nullptr));
  CWebBrowser2 browser;
  ASSERT_TRUE(browser.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 280, 160), &parent, 7));
  browser.WriteDocument(L"<p>direct</p>");
  EXPECT_EQ(browser.GetDocumentText(), L"direct");
  CString shown;
  browser.GetDlgItem(1)->GetWindowText(shown);
  EXPECT_EQ(shown, L"direct");
  parent.DestroyWindow();
}

}  // namespace
