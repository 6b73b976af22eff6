#include "dialogs/html_dialog.h"

#include "app/app_utils.h"
#include "app/browser_document.h"
#include "app/main_frame.h"
#include "app/omaha_app.h"
#include "frame_resources.h"
#include "pages.h"
#include "small_dialogs.h"

namespace {

constexpr wchar_t kSectionHtmlDialog[] = L"HTMLDialog";
constexpr wchar_t kKeyWidth[] = L"Width";
constexpr wchar_t kKeyHeight[] = L"Height";
constexpr int kDefaultWidth = 470, kDefaultHeight = 350;

}  // namespace

BEGIN_MESSAGE_MAP(CHTMLDialog, CDialog)
  ON_WM_SIZE()
  ON_WM_DESTROY()
END_MESSAGE_MAP()

BEGIN_EVENTSINK_MAP(CHTMLDialog, CDialog)
  ON_EVENT(CHTMLDialog, IDC_HTML_VIEWER_BROWSER, DISPID_DOCUMENTCOMPLETE, &CHTMLDialog::OnDocumentComplete,
           VTS_DISPATCH VTS_PVARIANT)
END_EVENTSINK_MAP()

CHTMLDialog::CHTMLDialog(CWnd* pParent)
    : CDialog(IDD_HTML_VIEWER, pParent), m_parent(pParent), m_templateId(IDD_HTML_VIEWER) {}

CHTMLDialog::~CHTMLDialog() = default;

void CHTMLDialog::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_HTML_VIEWER_BROWSER, m_browser);
}

BOOL CHTMLDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  m_initialised = true;
  if (CWinApp* app = AfxGetApp()) {
    if (HICON icon = app->LoadIcon(IDI_APP_ICON)) {
      SetIcon(icon, TRUE);
      SetIcon(icon, FALSE);
    }
  }
  LayoutBrowser(true);
  LayoutBrowser(false);
  PlaceWindow();

  const COmahaVantornApp* app = GetOmahaApp();
  const CString module = app && !app->m_exePath.IsEmpty() ? app->m_exePath : GetResourceModulePath();
  CString placeholder;
  placeholder.Format(L"res://%s/%d", module.GetString(), IDR_PLACEHOLDER_PAGE);
  m_browser.Navigate(placeholder, nullptr, nullptr, nullptr, nullptr);
  // The page goes into the placeholder's document; a browser that never reports it still gets
  // the page (it ignores it without a document) rather than hanging the dialog.
  WaitForDocument();
  if (!::IsWindow(GetSafeHwnd())) return TRUE;

  if (m_pageBytes && m_pageByteCount > 0)
    WriteBytesHtmlToBrowser(&m_browser, m_pageByteCount, m_pageBytes);
  else
    WriteHtmlToBrowser(&m_browser, m_pageText);

  CString caption = m_title;
  if (caption.IsEmpty()) GetWindowText(caption);
  ApplyGameVariantToTitle(caption);
  SetWindowText(caption);
  return TRUE;
}

POINT CHTMLDialog::PlaceAtAnchor(const RECT& workArea, int width, int height, int anchorX, int anchorY, bool above) {
  POINT at = {anchorX, anchorY};
  if (anchorX + width > workArea.right) at.x = workArea.right - width + 1;
  if (above) {
    at.y = anchorY - height;
    if (at.y < workArea.top) at.y = workArea.top;
  } else if (anchorY + height > workArea.bottom) {
    at.y = workArea.bottom - height + 1;
  }
  return at;
}

void CHTMLDialog::PlaceWindow() {
  if (m_modeless) {
    CWinApp* app = AfxGetApp();
    int left = app ? static_cast<int>(app->GetProfileInt(kSectionHtmlDialog, kKeyLeft, 0)) : 0;
    int top = app ? static_cast<int>(app->GetProfileInt(kSectionHtmlDialog, kKeyTop, 0)) : 0;
    int width = app ? static_cast<int>(app->GetProfileInt(kSectionHtmlDialog, kKeyWidth, 0)) : 0;
    int height = app ? static_cast<int>(app->GetProfileInt(kSectionHtmlDialog, kKeyHeight, 0)) : 0;
    if (left < 0) left = 0;
    if (top < 0) top = 0;
    if (width <= 0) width = kDefaultWidth;
    if (height <= 0) height = kDefaultHeight;
    MoveWindow(left, top, width, height);
    return;
  }
  if (m_anchorX < 0 || m_anchorY < 0) return;
  RECT work = {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  CRect window;
  GetWindowRect(&window);
  const POINT at = PlaceAtAnchor(work, window.Width(), window.Height(), m_anchorX, m_anchorY, m_placeAbove != 0);
  HWND parent = m_parent ? m_parent->GetSafeHwnd() : nullptr;
  SetWindowPos(parent ? CWnd::FromHandle(parent) : nullptr, at.x, at.y, 0, 0,
               SWP_NOSIZE | SWP_NOACTIVATE | (parent ? 0 : SWP_NOZORDER));
}

void CHTMLDialog::LayoutBrowser(bool record) {
  if (!m_browser.GetSafeHwnd()) return;
  CRect client;
  GetClientRect(&client);
  if (record) {
    CRect browser;
    m_browser.GetWindowRect(&browser);
    ScreenToClient(&browser);
    m_marginLeft = browser.left;
    m_marginTop = browser.top;
    m_marginRight = client.Width() - browser.right;
    m_marginBottom = client.Height() - browser.bottom;
  } else {
    m_browser.MoveWindow(m_marginLeft, m_marginTop, client.Width() - m_marginRight - m_marginLeft,
                         client.Height() - m_marginBottom - m_marginTop);
  }
  Invalidate();
  UpdateWindow();
}

bool CHTMLDialog::WaitForDocument() {
  m_documentLoaded = 0;
  return WaitForBrowserDocument(GetSafeHwnd(), m_documentLoaded, m_documentTimeoutMs);
}

void CHTMLDialog::OnDocumentComplete(LPDISPATCH /*pDisp*/, VARIANT* /*url*/) { m_documentLoaded = 1; }

void CHTMLDialog::OnSize(UINT nType, int cx, int cy) {
  CDialog::OnSize(nType, cx, cy);
  if (GetWindow(GW_CHILD)) LayoutBrowser(false);
}

void CHTMLDialog::OnCancel() {
  if (m_modeless)
    DestroyWindow();
  else
    EndDialog(IDCANCEL);
}

void CHTMLDialog::OnDestroy() {
  CDialog::OnDestroy();
  if (!m_modeless) return;
  // A minimized or maximized viewer keeps the rectangle it will be restored to.
  CRect rect;
  WINDOWPLACEMENT placement = {};
  placement.length = sizeof(WINDOWPLACEMENT);
  if ((IsIconic() || IsZoomed()) && ::GetWindowPlacement(GetSafeHwnd(), &placement))
    rect = placement.rcNormalPosition;
  else
    GetWindowRect(&rect);
  if (CWinApp* app = AfxGetApp()) {
    app->WriteProfileInt(kSectionHtmlDialog, kKeyLeft, rect.left);
    app->WriteProfileInt(kSectionHtmlDialog, kKeyTop, rect.top);
    app->WriteProfileInt(kSectionHtmlDialog, kKeyWidth, rect.Width());
    app->WriteProfileInt(kSectionHtmlDialog, kKeyHeight, rect.Height());
  }
}

void CHTMLDialog::PostNcDestroy() {
  CDialog::PostNcDestroy();
  // A window that failed during its creation leaves the object to its creator.
  if (!m_modeless || !m_initialised) return;
  if (CWnd* main = AfxGetMainWnd(); main && ::IsWindow(main->GetSafeHwnd()))
    main->PostMessage(WM_SYNTAX_DIALOG_CLOSED, 0, 0);
  delete this;
}
