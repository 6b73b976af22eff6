// The main dialog's layouts: ten or six seats, one equity column or one per street, and the
// banner with its link area.
#include "app/app_shell.h"
#include "app/main_dialog.h"
#include "app/omaha_app.h"
#include "controls/html/markup_escape.h"
#include "frame_resources.h"
#include "main_dialog_ids.h"
#include "string_table.h"

namespace {

// The thirteen controls of seat i.
void SeatControls(int i, UINT ids[13]) {
  const UINT firsts[13] = {IDC_SEAT_LABEL,  IDC_SEAT_MENU,  IDC_SEAT_RANDOM, IDC_SEAT_CLEAR, IDC_SEAT_RANGE,
                           IDC_SEAT_RIVER,  IDC_SEAT_PREFLOP, IDC_SEAT_FLOP, IDC_SEAT_TURN,  IDC_SEAT_CHECK,
                           IDC_SEAT_COUNT,  IDC_SEAT_EXPLORER, IDC_SEAT_HISTORY};
  for (int k = 0; k < 13; ++k) ids[k] = firsts[k] + static_cast<UINT>(i);
}

// Everything below the seats.
const UINT kBelowSeats[] = {IDC_FLOP_LABEL,  IDC_FLOP_EDIT,   IDC_FLOP_CARDS,   IDC_FLOP_SELECT,  IDC_FLOP_CLEAR,
                            IDC_TURN_LABEL,  IDC_TURN_EDIT,   IDC_TURN_CARDS,   IDC_TURN_SELECT,  IDC_TURN_CLEAR,
                            IDC_RIVER_LABEL, IDC_RIVER_EDIT,  IDC_RIVER_CARDS,  IDC_RIVER_SELECT, IDC_RIVER_CLEAR,
                            IDC_DEAD_LABEL,  IDC_DEAD_EDIT,   IDC_DEAD_CARDS,   IDC_DEAD_SELECT,  IDC_DEAD_CLEAR,
                            IDC_EVALUATE,    IDC_RESULT_BROWSER, IDC_CLEAR_ALL, IDC_COPY_TEXT,    IDC_COPY_BBCODE,
                            IDC_ALL_STREETS, IDC_EVALUATE_TO_STREET, IDC_FLOP_CHECK, IDC_TURN_CHECK, IDC_RIVER_CHECK,
                            IDC_DEAD_CHECK};

const CRect kLinkRect(0, 0, 305, 46);

void MoveBy(CWnd* parent, UINT id, int dy) {
  CWnd* control = parent->GetDlgItem(id);
  if (!control) return;
  CRect rect;
  control->GetWindowRect(&rect);
  parent->ScreenToClient(&rect);
  control->SetWindowPos(nullptr, rect.left, rect.top + dy, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void FitFrame() {
  if (CWnd* main = AfxGetMainWnd(); main && main->GetSafeHwnd()) main->SendMessage(WM_FIT_TO_DIALOG);
}

}  // namespace

void COmahaVantornDlg::ArrangeSeats() {
  COmahaVantornApp* app = GetOmahaApp();
  if (!app || !GetSafeHwnd()) return;
  const bool six = app->m_onlyShorthanded != 0;
  CRect seat4, seat8;
  GetDlgItem(IDC_SEAT_RANGE + 4)->GetWindowRect(&seat4);
  GetDlgItem(IDC_SEAT_RANGE + 8)->GetWindowRect(&seat8);
  const int d = seat8.top - seat4.top;
  SetRedraw(FALSE);
  for (int i = 0; i < 4; ++i) {
    UINT ids[13];
    SeatControls(i, ids);
    for (UINT id : ids)
      if (CWnd* control = GetDlgItem(id)) control->ShowWindow(six ? SW_HIDE : SW_SHOW);
  }
  const int offset = six ? -d : d;
  for (int i = 4; i < kSeats; ++i) {
    UINT ids[13];
    SeatControls(i, ids);
    for (UINT id : ids) MoveBy(this, id, offset);
  }
  for (UINT id : kBelowSeats) MoveBy(this, id, offset);
  m_heightWithoutResults += offset;
  m_heightWithResults += offset;
  FitFrame();
  UpdateControlStates();
  SetRedraw(TRUE);
  WriteResultsHi();
  Invalidate(TRUE);
}

void COmahaVantornDlg::LayoutStreetColumns() {
  COmahaVantornApp* app = GetOmahaApp();
  if (!GetSafeHwnd()) return;
  const bool three = app && app->m_useThreeEquities;
  HBITMAP image = static_cast<HBITMAP>(
      ::LoadImage(::GetModuleHandle(nullptr), MAKEINTRESOURCE(three ? 2020 : 2019), IMAGE_BITMAP, 0, 0, 0));
  if (image) m_allStreetsButton.SetStateBitmaps(image);
  CRect window, last;
  GetWindowRect(&window);
  GetDlgItem(three ? IDC_SEAT_RIVER : IDC_SEAT_PREFLOP)->GetWindowRect(&last);
  m_widthWithResults = last.right + 2 * ::GetSystemMetrics(SM_CXBORDER) - window.left + 8;
  CString header;
  header.LoadString(three ? IDS_PREFLOP : IDS_EQUITY);
  m_headers[2].SetWindowText(header);
  CRect browser;
  m_browser.GetWindowRect(&browser);
  ScreenToClient(&browser);
  m_browser.SetWindowPos(nullptr, 0, 0, m_widthWithResults - 10 - browser.left, browser.Height(),
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  for (int h = 3; h < 6; ++h) m_headers[h].ShowWindow(three ? SW_SHOW : SW_HIDE);
  SetRedraw(FALSE);
  FitFrame();
  SetRedraw(TRUE);
  Invalidate(TRUE);
  ClearStreetFields();
  WriteResultsHi();
}

void COmahaVantornDlg::ShowBanner() {
  if (!m_banner.GetSafeHwnd()) return;
  COmahaVantornApp* app = GetOmahaApp();
  CBitmap& picture = app && app->m_useHiLo ? m_hiLoBanner : m_hiBanner;
  m_banner.SendMessage(STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture.GetSafeHandle()));
}

void COmahaVantornDlg::OnMouseMove(UINT nFlags, CPoint point) {
  if (kLinkRect.PtInRect(point)) {
    if (HCURSOR hand = AfxGetApp() ? AfxGetApp()->LoadCursor(IDCUR_HAND_LINK) : nullptr) ::SetCursor(hand);
  }
  CDialog::OnMouseMove(nFlags, point);
}

// The banner's tooltip: the home-page address while the cursor rests on the link area of an
// active program; otherwise no tip.
void COmahaVantornDlg::OnBannerTooltip(NMHDR* pNMHDR, LRESULT* pResult) {
  *pResult = 0;
  auto* note = reinterpret_cast<PPToolTipShowing*>(pNMHDR);
  if (!note->tool || !note->point || note->tool->id != IDC_BANNER) return;
  CWnd* main = AfxGetMainWnd();
  if (!main || ::GetActiveWindow() != main->GetSafeHwnd()) return;
  COmahaVantornApp* app = GetOmahaApp();
  CPoint point = *note->point;
  ScreenToClient(&point);
  note->tool->text.Empty();
  if (app && kLinkRect.PtInRect(point)) {
    const std::wstring address = html::EscapeText(std::wstring_view(app->m_homePageUrl.GetString(), app->m_homePageUrl.GetLength()));
    note->tool->text = address.c_str();
  }
}

void COmahaVantornDlg::OnLButtonDown(UINT nFlags, CPoint point) {
  COmahaVantornApp* app = GetOmahaApp();
  if (kLinkRect.PtInRect(point) && app && !app->m_homePageUrl.IsEmpty()) OpenInWebBrowser(app->m_homePageUrl);
  CDialog::OnLButtonDown(nFlags, point);
}
