#include "dialogs/handrange_explorer_dialog.h"

#include <algorithm>
#include <string>

#include "app/app_utils.h"
#include "app/browser_document.h"
#include "app/main_frame.h"
#include "app/omaha_app.h"
#include "controls/message_pump.h"
#include "controls/progress_dialog.h"
#include "core/range_settings.h"
#include "dialogs/range_dialog_support.h"
#include "frame_resources.h"
#include "pages.h"
#include "range_dialogs.h"
#include "string_table.h"

namespace {

constexpr wchar_t kSection[] = L"HandRangeExplorer";
constexpr wchar_t kKeyLimit[] = L"ComboValue";
constexpr wchar_t kKeySort[] = L"ComboSortedValue";
constexpr wchar_t kKeyMode[] = L"RadioValue";
constexpr wchar_t kKeySuitedness[] = L"Suitedness";
constexpr wchar_t kKeyPictures[] = L"CardsAsPictures";
constexpr wchar_t kKeyLeftPos[] = L"Left";
constexpr wchar_t kKeyTopPos[] = L"Top";
constexpr wchar_t kKeyWidth[] = L"Width";
constexpr wchar_t kKeyHeight[] = L"Height";
constexpr int kLimitEntries = 5, kSortEntries = 10;

int ReadInt(const wchar_t* key) {
  CWinApp* app = AfxGetApp();
  return app ? static_cast<int>(app->GetProfileInt(kSection, key, 0)) : 0;
}

void WriteInt(const wchar_t* key, int value) {
  if (CWinApp* app = AfxGetApp()) app->WriteProfileInt(kSection, key, value);
}

}  // namespace

ExplorerListingProgress::ExplorerListingProgress(CWnd* parent) : m_parent(parent) {}

ExplorerListingProgress::~ExplorerListingProgress() { End(); }

void ExplorerListingProgress::Begin(int limit) {
  End();
  ++m_shown;
  m_lastText.clear();
  m_dialog = new CProgressDialog(IDS_CREATING_ITEMS);
  m_dialog->m_rangeUpper = limit;
  if (!m_dialog->Create(m_parent)) {
    delete m_dialog;
    m_dialog = nullptr;
    return;
  }
  m_dialog->m_progress.SendMessage(PBM_SETRANGE32, 0, limit);
  if (m_parent) m_dialog->CenterWindow(m_parent);
  m_dialog->ShowWindow(SW_SHOW);
}

bool ExplorerListingProgress::Update(int position, const std::wstring& text) {
  if (!m_dialog || !::IsWindow(m_dialog->GetSafeHwnd())) return true;
  // The window follows once a percent: showing and pumping for every item would make a long
  // listing many times slower than the listing itself.
  if (text == m_lastText) return true;
  m_lastText = text;
  m_dialog->m_progress.SendMessage(PBM_SETPOS, static_cast<WPARAM>(position));
  m_dialog->SetDlgItemText(IDC_PROGRESS_STATUS, text.c_str());
  PumpDialogMessages(m_dialog);
  if (!m_dialog->m_stopRequested) return true;
  m_dialog->m_stopRequested = 0;
  return false;
}

void ExplorerListingProgress::End() {
  delete m_dialog;
  m_dialog = nullptr;
}

BEGIN_MESSAGE_MAP(CHandrangeExplorerDialog, CDialog)
  ON_WM_SIZE()
  ON_WM_SIZING()
  ON_WM_DESTROY()
  ON_BN_CLICKED(IDC_EXPLORER_CLASSES, &CHandrangeExplorerDialog::OnDisplayModeChanged)
  ON_BN_CLICKED(IDC_EXPLORER_COMBOS, &CHandrangeExplorerDialog::OnDisplayModeChanged)
  ON_BN_CLICKED(IDC_EXPLORER_PICTURES, &CHandrangeExplorerDialog::OnDisplayOptionChanged)
  ON_BN_CLICKED(IDC_EXPLORER_COLOURED, &CHandrangeExplorerDialog::OnDisplayOptionChanged)
  ON_CBN_SELCHANGE(IDC_EXPLORER_LIMIT, &CHandrangeExplorerDialog::OnItemLimitChanged)
  ON_CBN_SELCHANGE(IDC_EXPLORER_SORT, &CHandrangeExplorerDialog::OnSortOrderChanged)
  ON_WM_CTLCOLOR()
  ON_WM_CONTEXTMENU()
END_MESSAGE_MAP()

BEGIN_EVENTSINK_MAP(CHandrangeExplorerDialog, CDialog)
  ON_EVENT(CHandrangeExplorerDialog, IDC_EXPLORER_BROWSER, DISPID_DOCUMENTCOMPLETE,
           &CHandrangeExplorerDialog::OnDocumentComplete, VTS_DISPATCH VTS_PVARIANT)
END_EVENTSINK_MAP()

CHandrangeExplorerDialog::CHandrangeExplorerDialog(CWnd* pParent) : CDialog(IDD_HANDRANGE_EXPLORER, pParent) {}

CHandrangeExplorerDialog::~CHandrangeExplorerDialog() = default;

void CHandrangeExplorerDialog::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_EXPLORER_BROWSER, m_browser);
  DDX_Control(pDX, IDC_EXPLORER_LIMIT, m_limitBox);
  DDX_Control(pDX, IDC_EXPLORER_SORT, m_sortBox);
}

int CHandrangeExplorerDialog::LimitOfSelection(int selection) {
  static constexpr int kLimits[] = {100, 200, 500, 1000};
  return selection >= 0 && selection < 4 ? kLimits[selection] : -1;
}

BOOL CHandrangeExplorerDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  if (CWinApp* app = AfxGetApp()) {
    if (HICON icon = app->LoadIcon(IDI_APP_ICON)) {
      SetIcon(icon, TRUE);
      SetIcon(icon, FALSE);
    }
  }
  LayoutControls(true);
  LayoutControls(false);

  m_descriptionLabel.SubclassDlgItem(IDC_EXPLORER_DESCRIPTION, this);
  m_summaryLabel.SubclassDlgItem(IDC_RANGE_SUMMARY, this);
  for (COwnerdrawedStatic* label : {&m_descriptionLabel, &m_summaryLabel}) {
    label->m_boxed = 1;
    label->m_centerVertically = 0;
  }

  const COmahaVantornApp* app = GetOmahaApp();
  const CString module = app && !app->m_exePath.IsEmpty() ? app->m_exePath : GetResourceModulePath();
  CString placeholder;
  placeholder.Format(L"res://%s/%d", module.GetString(), IDR_PLACEHOLDER_PAGE);
  m_browser.Navigate(placeholder, nullptr, nullptr, nullptr, nullptr);

  ReadSettings();
  PlaceWindow();

  EnableOptions();
  // The first page goes into the placeholder's document: wait for it (bounded), so the first
  // listing is not lost on a browser that builds its document later.
  WaitForDocument();
  if (!::IsWindow(GetSafeHwnd())) return TRUE;
  OnItemLimitChanged();
  if (!::IsWindow(GetSafeHwnd())) return TRUE;

  // An unreadable text has no item descriptions: the label says what is wrong instead.
  m_descriptionLabel.SetWindowText(m_textValid ? DescribeRangeText(m_rangeText)
                                               : CString(L"\x1b" L"C2") + InvalidTextMessage());
  m_summaryLabel.SetWindowText(FormatRangeSummary(m_selectedClassCount, m_selectedHandCount));

  CString caption;
  GetWindowText(caption);
  ApplyGameVariantToTitle(caption);
  SetWindowText(caption);
  return TRUE;
}

void CHandrangeExplorerDialog::ReadSettings() {
  for (const wchar_t* entry : {L"100", L"200", L"500", L"1000"}) m_limitBox.AddString(entry);
  CString all;
  if (!all.LoadString(IDS_LIMIT_ALL)) all = L"all";
  m_limitBox.AddString(all);
  int limit = ReadInt(kKeyLimit);
  if (limit < 0) limit = 0;
  if (limit > kLimitEntries - 1) limit = kLimitEntries - 1;
  m_limitBox.SetCurSel(limit);

  for (int k = 0; k < kSortEntries; ++k) {
    CString entry;
    entry.LoadString(k < 9 ? IDS_SORT_VS_RANDOM_FIRST + k : IDS_SORT_OUTSIDE_RANKING);
    m_sortBox.AddString(entry);
  }
  m_sortIndex = ReadInt(kKeySort);
  if (m_sortIndex < 0) m_sortIndex = 0;
  if (m_sortIndex > kSortEntries - 1) m_sortIndex = kSortEntries - 1;
  m_sortBox.SetCurSel(m_sortIndex);

  m_displayMode = ReadInt(kKeyMode);
  CheckRadioButton(IDC_EXPLORER_CLASSES, IDC_EXPLORER_COMBOS,
                   m_displayMode == kModeClasses ? IDC_EXPLORER_CLASSES : IDC_EXPLORER_COMBOS);
  CheckDlgButton(IDC_EXPLORER_COLOURED, ReadInt(kKeySuitedness) ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(IDC_EXPLORER_PICTURES, ReadInt(kKeyPictures) ? BST_CHECKED : BST_UNCHECKED);
}

void CHandrangeExplorerDialog::PlaceWindow() {
  int left = ReadInt(kKeyLeftPos), top = ReadInt(kKeyTopPos);
  const int width = std::max(ReadInt(kKeyWidth), kMinWidth);
  const int height = std::max(ReadInt(kKeyHeight), kMinHeight);
  if (const COmahaVantornApp* app = GetOmahaApp()) app->ClampToDesktop(&left, width, &top, height);
  MoveWindow(left, top, width, height);
}

void CHandrangeExplorerDialog::EnableOptions() {
  if (CWnd* coloured = GetDlgItem(IDC_EXPLORER_COLOURED)) coloured->EnableWindow(m_displayMode == kModeClasses);
  if (CWnd* pictures = GetDlgItem(IDC_EXPLORER_PICTURES)) pictures->EnableWindow(m_displayMode == kModeHands);
}

void CHandrangeExplorerDialog::RebuildPage() {
  COmahaVantornApp* app = GetOmahaApp();
  if (!app) return;
  CWaitCursor wait;
  COmahaBase& base = app->m_handBase;
  const std::wstring_view text(m_rangeText.GetString(), m_rangeText.GetLength());
  base.SelectRange(text);
  m_selectedClassCount = base.CountSelectedClasses();
  m_selectedHandCount = base.CountSelectedHands();
  m_textValid = base.IsValidRangeText(text) != 0;
  if (!m_textValid) {
    // A text the range language cannot read: the reason instead of an empty listing.
    CString message = InvalidTextMessage();
    EscapeNonAsciiForHtml(message);
    message.Replace(L"&", L"&amp;");
    message.Replace(L"<", L"&lt;");
    m_pageHtml = L"<HTML><BODY leftmargin=2 topmargin=2 rightmargin=2 bottommargin=2>\n<font face=Tahoma size=2 color=#C00000>";
    m_pageHtml += message;
    m_pageHtml += L"</font>\n</BODY></HTML>\n";
    WriteHtmlToBrowser(&m_browser, m_pageHtml);
    return;
  }

  std::wstring list;
  CString fontLine;
  ExplorerListingProgress progress(this);
  if (m_displayMode == kModeClasses) {
    const int n = m_itemLimit < 0 ? m_selectedClassCount : std::min(m_itemLimit, m_selectedClassCount);
    const int patternForm = IsDlgButtonChecked(IDC_EXPLORER_COLOURED) ? 0 : 1;
    // Nothing selected lists nothing (the core reads a limit below 1 as all).
    if (n > 0) base.ListSelectedClasses(list, patternForm, n, m_sortIndex, app->m_useHiLo ? 1 : 0, &progress);
    fontLine = L"<font face=Tahoma size=2>\n";
  } else if (m_displayMode == kModeHands) {
    const int n = m_itemLimit < 0 ? m_selectedHandCount : std::min(m_itemLimit, m_selectedHandCount);
    const int pictures = IsDlgButtonChecked(IDC_EXPLORER_PICTURES) ? 1 : 0;
    const CString module = !app->m_exePath.IsEmpty() ? app->m_exePath : GetResourceModulePath();
    if (n > 0)
      base.ListSelectedHands(list, n, pictures, std::wstring_view(module.GetString(), module.GetLength()), &progress);
    fontLine = L"<font face=Tahoma size=2>\n";
  }
  progress.End();
  m_progressShown += progress.TimesShown();
  if (!::IsWindow(GetSafeHwnd())) return;
  m_pageHtml = L"<HTML><BODY leftmargin=2 topmargin=2 rightmargin=2 bottommargin=2>\n";
  m_pageHtml += fontLine;
  m_pageHtml += list.c_str();
  m_pageHtml += L"</font>\n";
  m_pageHtml += L"</BODY></HTML>\n";
  WriteHtmlToBrowser(&m_browser, m_pageHtml);
}

CString CHandrangeExplorerDialog::InvalidTextMessage() const {
  CString format, message;
  if (!format.LoadString(IDS_INVALID_RANGE_TEXT)) format = L"The range text \"%s\" is not valid.";
  message.Format(format, m_rangeText.GetString());
  return message;
}

void CHandrangeExplorerDialog::OnDisplayModeChanged() {
  const int mode = IsDlgButtonChecked(IDC_EXPLORER_CLASSES) ? kModeClasses : kModeHands;
  if (mode == m_displayMode) return;
  m_displayMode = mode;
  EnableOptions();
  RebuildPage();
}

void CHandrangeExplorerDialog::OnDisplayOptionChanged() {
  EnableOptions();
  RebuildPage();
}

void CHandrangeExplorerDialog::OnItemLimitChanged() {
  m_itemLimit = LimitOfSelection(m_limitBox.GetCurSel());
  EnableOptions();
  RebuildPage();
}

void CHandrangeExplorerDialog::OnSortOrderChanged() {
  m_sortIndex = m_sortBox.GetCurSel();
  EnableOptions();
  RebuildPage();
}

void CHandrangeExplorerDialog::LayoutControls(bool record) {
  CWnd* close = GetDlgItem(IDCANCEL);
  CWnd* options = GetDlgItem(IDC_EXPLORER_OPTIONS_GROUP);
  if (!close || !options || !m_browser.GetSafeHwnd()) return;
  CRect client;
  GetClientRect(&client);
  auto rectOf = [this](CWnd* wnd) {
    CRect r;
    wnd->GetWindowRect(&r);
    ScreenToClient(&r);
    return r;
  };
  static constexpr UINT kStretched[] = {IDC_EXPLORER_RANGE_GROUP, IDC_EXPLORER_OPTIONS_GROUP, IDC_EXPLORER_DESCRIPTION,
                                        IDC_RANGE_SUMMARY};
  if (record) {
    const CRect c = rectOf(close);
    m_closeSize = CSize(c.Width(), c.Height());
    m_closeRight = client.right - c.right;
    m_closeBottom = client.bottom - c.bottom;
    for (int i = 0; i < 4; ++i) {
      CWnd* wnd = GetDlgItem(kStretched[i]);
      const CRect r = wnd ? rectOf(wnd) : CRect();
      m_stretched[i] = {kStretched[i], r.left, r.top, r.Height(), client.right - r.right};
    }
    const CRect b = rectOf(&m_browser), o = rectOf(options);
    m_browserLeft = b.left;
    m_browserGap = b.top - o.bottom;
    m_browserRight = client.right - b.right;
    m_browserBottom = client.bottom - b.bottom;
    m_layoutRecorded = true;
    return;
  }
  if (!m_layoutRecorded) return;
  close->MoveWindow(client.right - m_closeRight - m_closeSize.cx, client.bottom - m_closeBottom - m_closeSize.cy,
                    m_closeSize.cx, m_closeSize.cy);
  for (const Anchored& a : m_stretched) {
    if (CWnd* wnd = GetDlgItem(a.id)) wnd->MoveWindow(a.left, a.top, client.right - a.right - a.left, a.height);
  }
  const CRect o = rectOf(options);
  const int top = o.bottom + m_browserGap;
  m_browser.MoveWindow(m_browserLeft, top, client.right - m_browserRight - m_browserLeft,
                       client.bottom - m_browserBottom - top);
  Invalidate();
  UpdateWindow();
}

void CHandrangeExplorerDialog::KeepMinimumSize(UINT side, RECT* rect) {
  if (!rect) return;
  const bool leftEdge = side == WMSZ_LEFT || side == WMSZ_TOPLEFT || side == WMSZ_BOTTOMLEFT;
  const bool topEdge = side == WMSZ_TOP || side == WMSZ_TOPLEFT || side == WMSZ_TOPRIGHT;
  if (rect->right - rect->left < kMinWidth) {
    if (leftEdge)
      rect->left = rect->right - kMinWidth;
    else
      rect->right = rect->left + kMinWidth;
  }
  if (rect->bottom - rect->top < kMinHeight) {
    if (topEdge)
      rect->top = rect->bottom - kMinHeight;
    else
      rect->bottom = rect->top + kMinHeight;
  }
}

void CHandrangeExplorerDialog::OnSizing(UINT fwSide, LPRECT pRect) {
  CDialog::OnSizing(fwSide, pRect);
  KeepMinimumSize(fwSide, pRect);
}

void CHandrangeExplorerDialog::OnSize(UINT nType, int cx, int cy) {
  CDialog::OnSize(nType, cx, cy);
  if (GetWindow(GW_CHILD)) LayoutControls(false);
}

BOOL CHandrangeExplorerDialog::PreTranslateMessage(MSG* pMsg) {
  // The browser's context menu stays away: right clicks, Shift+F10 and the Apps key.
  switch (pMsg->message) {
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_NCRBUTTONUP:
      return TRUE;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      if (pMsg->wParam == VK_F10 && (::GetKeyState(VK_SHIFT) & 0x8000)) return TRUE;
      break;
    default:
      break;
  }
  if (pMsg->wParam == VK_APPS) return TRUE;
  return CDialog::PreTranslateMessage(pMsg);
}

void CHandrangeExplorerDialog::OnContextMenu(CWnd* /*pWnd*/, CPoint /*point*/) {}

HBRUSH CHandrangeExplorerDialog::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
  return ThemedDialogCtlBrush(pDC, CDialog::OnCtlColor(pDC, pWnd, nCtlColor));
}

bool CHandrangeExplorerDialog::WaitForDocument() {
  return WaitForBrowserDocument(GetSafeHwnd(), m_documentLoaded, m_documentTimeoutMs);
}

void CHandrangeExplorerDialog::OnDocumentComplete(LPDISPATCH /*pDisp*/, VARIANT* /*url*/) { m_documentLoaded = 1; }

void CHandrangeExplorerDialog::OnDestroy() {
  CDialog::OnDestroy();
  CRect rect;
  GetWindowRect(&rect);
  WriteInt(kKeyMode, m_displayMode);
  WriteInt(kKeySuitedness, IsDlgButtonChecked(IDC_EXPLORER_COLOURED) ? 1 : 0);
  WriteInt(kKeyPictures, IsDlgButtonChecked(IDC_EXPLORER_PICTURES) ? 1 : 0);
  WriteInt(kKeyLimit, m_limitBox.GetSafeHwnd() ? m_limitBox.GetCurSel() : 0);
  WriteInt(kKeySort, m_sortIndex);
  WriteInt(kKeyLeftPos, rect.left);
  WriteInt(kKeyTopPos, rect.top);
  WriteInt(kKeyWidth, rect.Width());
  WriteInt(kKeyHeight, rect.Height());
}
