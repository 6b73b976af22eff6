#include "framework/webbrowser.h"

#include <cwctype>
#include <string>
#include <vector>

#include "framework/fwstate.h"
#include "framework/htmltext.h"
#include "framework/pageview.h"
#include "framework/webdocument.h"

IMPLEMENT_DYNCREATE(CWebBrowser2, CWnd)

namespace {

const UINT s_msgNavigated = ::RegisterWindowMessageW(L"FwWebBrowser:Navigated");
const UINT s_msgEnsureView = ::RegisterWindowMessageW(L"FwWebBrowser:EnsureView");
const UINT s_msgFollowLink = ::RegisterWindowMessageW(L"FwWebBrowser:FollowLink");
constexpr UINT kViewId = 1;
// Longest line handed to the text view; the view wraps shorter lines itself.
constexpr std::size_t kViewLineWidth = 400;

std::wstring Lower(std::wstring s) {
  for (wchar_t& c : s) c = static_cast<wchar_t>(std::towlower(c));
  return s;
}

std::wstring PercentDecode(const std::wstring& s) {
  std::wstring out;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] == L'%' && i + 2 < s.size() && std::iswxdigit(s[i + 1]) && std::iswxdigit(s[i + 2])) {
      out += static_cast<wchar_t>(std::stoi(s.substr(i + 1, 2), nullptr, 16));
      i += 2;
    } else {
      out += s[i];
    }
  }
  return out;
}

// A resource name or type of an address: "#23" and "23" are numbers.
LPCWSTR ResourceName(const std::wstring& text, std::wstring& storage) {
  std::wstring digits = !text.empty() && text[0] == L'#' ? text.substr(1) : text;
  if (!digits.empty() && digits.size() <= 5 && digits.find_first_not_of(L"0123456789") == std::wstring::npos) {
    int id = std::stoi(digits);
    if (id > 0 && id <= 0xFFFF) return MAKEINTRESOURCEW(id);
  }
  storage = text;
  return storage.c_str();
}

bool LoadResourcePage(const std::wstring& address, std::vector<unsigned char>& bytes) {
  std::wstring rest = PercentDecode(address);
  std::wstring lower = Lower(rest);
  std::size_t moduleEnd = std::wstring::npos;
  for (const wchar_t* ext : {L".exe/", L".dll/", L".ocx/", L".mui/"}) {
    std::size_t pos = lower.find(ext);
    if (pos != std::wstring::npos && (moduleEnd == std::wstring::npos || pos < moduleEnd)) moduleEnd = pos + 4;
  }
  if (moduleEnd == std::wstring::npos) moduleEnd = rest.rfind(L'/');
  if (moduleEnd == std::wstring::npos) return false;
  std::wstring module = rest.substr(0, moduleEnd);
  std::wstring tail = rest.substr(moduleEnd + 1);
  std::wstring typeText, nameText = tail;
  std::size_t slash = tail.find(L'/');
  if (slash != std::wstring::npos) {
    typeText = tail.substr(0, slash);
    nameText = tail.substr(slash + 1);
  }
  if (nameText.empty()) return false;
  std::wstring nameStorage, typeStorage;
  LPCWSTR name = ResourceName(nameText, nameStorage);
  LPCWSTR type = typeText.empty() ? RT_HTML : ResourceName(typeText, typeStorage);

  HMODULE hModule = ::GetModuleHandleW(module.c_str());
  bool loaded = false;
  if (hModule == nullptr) {
    hModule = ::LoadLibraryExW(module.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    loaded = hModule != nullptr;
  }
  if (hModule == nullptr) return false;
  bool ok = false;
  if (HRSRC hResource = ::FindResourceW(hModule, name, type)) {
    DWORD size = ::SizeofResource(hModule, hResource);
    HGLOBAL hData = ::LoadResource(hModule, hResource);
    const auto* data = static_cast<const unsigned char*>(hData ? ::LockResource(hData) : nullptr);
    if (data != nullptr) {
      bytes.assign(data, data + size);
      ok = true;
    }
  }
  if (loaded) ::FreeLibrary(hModule);
  return ok;
}

bool LoadFilePage(const std::wstring& path, std::vector<unsigned char>& bytes) {
  HANDLE hFile = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
  if (hFile == INVALID_HANDLE_VALUE) return false;
  LARGE_INTEGER size = {};
  bool ok = ::GetFileSizeEx(hFile, &size) && size.QuadPart < (64 << 20);
  if (ok) {
    bytes.resize(static_cast<std::size_t>(size.QuadPart));
    DWORD got = 0;
    ok = bytes.empty() || (::ReadFile(hFile, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr) &&
                           got == bytes.size());
  }
  ::CloseHandle(hFile);
  return ok;
}

// The page at an address; false when it cannot be loaded here.
bool LoadPage(const CString& url, std::wstring& html) {
  std::wstring address = url.GetString();
  std::wstring lower = Lower(address);
  html.clear();
  if (lower.empty() || lower == L"about:blank") return true;
  std::vector<unsigned char> bytes;
  bool ok = false;
  // A place in the page ("#name") is the view's business, not part of what is loaded; a "#"
  // that starts a part of the address ("/#102", a resource number) is no place.
  if (lower.rfind(L"res://", 0) == 0 || lower.rfind(L"file://", 0) == 0) {
    std::size_t hash = address.find(L'#');
    while (hash != std::wstring::npos && address[hash - 1] == L'/') hash = address.find(L'#', hash + 1);
    if (hash != std::wstring::npos) {
      address.erase(hash);
      lower.erase(hash);
    }
  }
  if (lower.rfind(L"res://", 0) == 0) {
    ok = LoadResourcePage(address.substr(6), bytes);
  } else if (lower.rfind(L"file://", 0) == 0) {
    std::wstring path = PercentDecode(address.substr(7));
    while (!path.empty() && path[0] == L'/' && path.size() > 2 && path[2] == L':') path.erase(0, 1);
    if (path.size() > 1 && path[0] == L'/' && path[1] != L'/') path.erase(0, 1);
    for (wchar_t& c : path)
      if (c == L'/') c = L'\\';
    ok = LoadFilePage(path, bytes);
  } else if (lower.size() > 2 && (lower[1] == L':' || lower.rfind(L"\\\\", 0) == 0)) {
    ok = LoadFilePage(address, bytes);
  }
  if (ok) html = fw::detail::DecodePageBytes(bytes);
  return ok;
}

std::wstring NoticePage(const CString& url) {
  std::wstring text;
  for (const wchar_t* p = url.GetString(); *p; ++p) {
    if (*p == L'<') text += L"&lt;";
    else if (*p == L'&') text += L"&amp;";
    else text += *p;
  }
  return L"<html><body><p>This page cannot be shown here:</p><p>" + text + L"</p></body></html>";
}

fw::PageAddressOpener s_addressOpener = nullptr;

bool IsPageAddress(const std::wstring& lower) {
  return lower.rfind(L"res://", 0) == 0 || lower.rfind(L"file://", 0) == 0 || lower == L"about:blank" ||
         (lower.size() > 2 && (lower[1] == L':' || lower.rfind(L"\\\\", 0) == 0));
}

}  // namespace

void AFXAPI AfxSetPageAddressOpener(fw::PageAddressOpener opener) { s_addressOpener = opener; }

void AFXAPI AfxEnableControlContainer() {
  WNDCLASSW wc = {};
  wc.style = CS_DBLCLKS | CS_GLOBALCLASS;
  wc.lpfnWndProc = AfxGetAfxWndProc();
  wc.hInstance = AfxGetInstanceHandle();
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = AFX_WEBBROWSER_CLASS;
  AfxRegisterClass(&wc);
}

BEGIN_MESSAGE_MAP(CWebBrowser2, CWnd)
  ON_WM_CREATE()
  ON_WM_DESTROY()
  ON_WM_SIZE()
  ON_WM_SETFOCUS()
  ON_WM_CTLCOLOR()
  ON_REGISTERED_MESSAGE(s_msgNavigated, &CWebBrowser2::OnNavigationDone)
  ON_REGISTERED_MESSAGE(s_msgEnsureView, &CWebBrowser2::OnEnsureView)
  ON_REGISTERED_MESSAGE(s_msgFollowLink, &CWebBrowser2::OnFollowLink)
END_MESSAGE_MAP()

CWebBrowser2::CWebBrowser2() = default;

CWebBrowser2::~CWebBrowser2() {
  m_pageView.reset();
  if (m_pDocument != nullptr) {
    m_pDocument->Detach();
    m_pDocument->Release();
    m_pDocument = nullptr;
  }
}

BOOL CWebBrowser2::Create(LPCTSTR, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                          UINT nID, CCreateContext* pContext) {
  AfxEnableControlContainer();
  return CWnd::Create(AFX_WEBBROWSER_CLASS, lpszWindowName, dwStyle, rect, pParentWnd, nID, pContext);
}

void CWebBrowser2::PreSubclassWindow() {
  // Bound to a window of a dialog template: its view comes once it exists.
  ::PostMessageW(m_hWnd, s_msgEnsureView, 0, 0);
}

void CWebBrowser2::PostNcDestroy() {}

int CWebBrowser2::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  if (CWnd::OnCreate(lpCreateStruct) == -1) return -1;
  EnsureView();
  return 0;
}

LRESULT CWebBrowser2::OnEnsureView(WPARAM, LPARAM) {
  EnsureView();
  return 0;
}

void CWebBrowser2::EnsureView() {
  if (m_hWnd == nullptr || m_view.m_hWnd != nullptr || m_pageView != nullptr) return;
  CRect client;
  GetClientRect(&client);
  if (fw::PageRendererFactory factory = AfxGetPageRendererFactory()) {
    if (std::unique_ptr<fw::IPageRenderer> renderer = factory()) {
      m_pageView = std::make_unique<fw::detail::CPageView>(
          std::move(renderer), [this](const std::wstring& address) { FollowLink(address); });
      if (m_pageView->CreateView(this, client, kViewId)) {
        ShowPage();
        return;
      }
      m_pageView.reset();
    }
  }
  if (!m_view.CreateEx(0, L"EDIT", L"",
                       WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL, client, this,
                       kViewId))
    return;
  m_view.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  m_view.SendMessage(EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELONG(4, 4));
  ShowPage();
}

void CWebBrowser2::OnDestroy() {
  m_pageView.reset();
  if (m_pDocument != nullptr) {
    m_pDocument->Detach();
    m_pDocument->Release();
    m_pDocument = nullptr;
  }
  ++m_nNavigation;  // no event after the window is gone
  CWnd::OnDestroy();
}

void CWebBrowser2::OnSize(UINT nType, int cx, int cy) {
  CWnd::OnSize(nType, cx, cy);
  if (m_view.m_hWnd != nullptr) m_view.MoveWindow(0, 0, cx, cy);
  if (m_pageView != nullptr) m_pageView->MoveWindow(0, 0, cx, cy);
}

void CWebBrowser2::OnSetFocus(CWnd* pOldWnd) {
  if (m_pageView != nullptr) m_pageView->SetFocus();
  else if (m_view.m_hWnd != nullptr) m_view.SetFocus();
  else CWnd::OnSetFocus(pOldWnd);
}

HBRUSH CWebBrowser2::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
  if (pWnd != nullptr && pWnd->m_hWnd == m_view.m_hWnd && pDC != nullptr) {
    // A page, not a greyed-out field.
    pDC->SetBkColor(::GetSysColor(COLOR_WINDOW));
    pDC->SetTextColor(::GetSysColor(COLOR_WINDOWTEXT));
    return ::GetSysColorBrush(COLOR_WINDOW);
  }
  return CWnd::OnCtlColor(pDC, pWnd, nCtlColor);
}

void CWebBrowser2::ShowPage() {
  if (m_pageView != nullptr) {
    // The page's text when the view is first asked for it; the document outlives the view.
    fw::detail::WebDocument* document = m_pDocument;
    m_pageView->SetPage(document ? document->Html() : std::wstring(), m_strURL.GetString(),
                        [document] { return document ? fw::detail::HtmlToText(document->Html()) : std::wstring(); });
    return;
  }
  if (m_view.m_hWnd == nullptr) return;
  std::wstring text = m_pDocument ? fw::detail::HtmlToText(m_pDocument->Html()) : std::wstring();
  text = fw::detail::BreakLongLines(text, kViewLineWidth);
  m_view.SetWindowText(text.c_str());
}

void CWebBrowser2::Navigate(LPCTSTR URL, VARIANT*, VARIANT*, VARIANT*, VARIANT*) {
  EnsureView();
  m_strURL = URL ? URL : L"";
  m_bBusy = TRUE;
  const UINT serial = ++m_nNavigation;
  std::wstring html;
  if (!LoadPage(m_strURL, html)) html = NoticePage(m_strURL);
  if (m_pDocument == nullptr) m_pDocument = new fw::detail::WebDocument([this] { ShowPage(); });
  m_pDocument->SetHtml(std::move(html));
  if (m_hWnd != nullptr) ::PostMessageW(m_hWnd, s_msgNavigated, serial, 0);
}

void CWebBrowser2::Navigate2(VARIANT* URL, VARIANT* Flags, VARIANT* TargetFrameName, VARIANT* PostData,
                             VARIANT* Headers) {
  CString url;
  VARIANT text;
  ::VariantInit(&text);
  if (URL != nullptr && SUCCEEDED(::VariantChangeType(&text, URL, 0, VT_BSTR)) && text.bstrVal) url = text.bstrVal;
  ::VariantClear(&text);
  Navigate(url, Flags, TargetFrameName, PostData, Headers);
}

void CWebBrowser2::Refresh() {
  if (!m_strURL.IsEmpty()) Navigate(CString(m_strURL));
}

void CWebBrowser2::Stop() { m_bBusy = FALSE; }

long CWebBrowser2::GetReadyState() const {
  if (m_pDocument == nullptr) return READYSTATE_UNINITIALIZED;
  return m_bBusy ? READYSTATE_LOADING : READYSTATE_COMPLETE;
}

LPDISPATCH CWebBrowser2::GetDocument() {
  if (m_pDocument == nullptr) return nullptr;
  m_pDocument->AddRef();
  return static_cast<IDispatch*>(m_pDocument);
}

CString CWebBrowser2::GetDocumentHtml() const {
  return m_pDocument ? CString(m_pDocument->Html().c_str(), static_cast<int>(m_pDocument->Html().size())) : CString();
}

CString CWebBrowser2::GetDocumentText() const {
  if (m_pDocument == nullptr) return CString();
  std::wstring text = fw::detail::HtmlToText(m_pDocument->Html());
  return CString(text.c_str(), static_cast<int>(text.size()));
}

void CWebBrowser2::WriteDocument(LPCTSTR lpszHtml) {
  EnsureView();
  if (m_pDocument == nullptr) m_pDocument = new fw::detail::WebDocument([this] { ShowPage(); });
  m_pDocument->SetHtml(lpszHtml ? lpszHtml : L"");
}

LRESULT CWebBrowser2::OnNavigationDone(WPARAM wParam, LPARAM) {
  if (wParam != m_nNavigation) return 0;  // a later navigation replaced it
  m_bBusy = FALSE;
  HWND hWnd = m_hWnd;
  CString url = m_strURL;
  FireEvent(DISPID_NAVIGATECOMPLETE2, url);
  // The handler may have closed the window that holds this control.
  if (!::IsWindow(hWnd) || CWnd::FromHandlePermanent(hWnd) != this || wParam != m_nNavigation) return 0;
  FireEvent(DISPID_DOCUMENTCOMPLETE, url);
  return 0;
}

void CWebBrowser2::FireEvent(DISPID dispid, LPCTSTR url) {
  CWnd* parent = CWnd::FromHandlePermanent(::GetParent(m_hWnd));
  if (parent == nullptr) return;
  VARIANT address;
  ::VariantInit(&address);
  address.vt = VT_BSTR;
  address.bstrVal = ::SysAllocString(url);
  VARIANTARG args[2];
  ::VariantInit(&args[0]);
  ::VariantInit(&args[1]);
  // Last argument first: the address, then the browser's dispatch.
  args[0].vt = VT_VARIANT | VT_BYREF;
  args[0].pvarVal = &address;
  args[1].vt = VT_DISPATCH;
  args[1].pdispVal = m_pDocument ? static_cast<IDispatch*>(m_pDocument) : nullptr;
  if (m_pDocument) m_pDocument->AddRef();
  DISPPARAMS params = {args, nullptr, 2, 0};
  AFX_EVENT event = {dispid, &params};
  parent->OnCmdMsg(static_cast<UINT>(GetDlgCtrlID()), static_cast<int>(CN_EVENT), &event, nullptr);
  if (args[1].pdispVal) args[1].pdispVal->Release();
  ::VariantClear(&address);
}

void CWebBrowser2::FollowLink(const std::wstring& address) {
  std::wstring lower = Lower(address);
  if (IsPageAddress(lower)) {
    // Posted: the view that reports the click is still in its handler.
    m_strPendingLink = address.c_str();
    ::PostMessageW(m_hWnd, s_msgFollowLink, 0, 0);
    return;
  }
  if (s_addressOpener != nullptr) s_addressOpener(address);
}

LRESULT CWebBrowser2::OnFollowLink(WPARAM, LPARAM) {
  if (m_strPendingLink.IsEmpty()) return 0;
  CString address = m_strPendingLink;
  m_strPendingLink.Empty();
  Navigate(address);
  return 0;
}
