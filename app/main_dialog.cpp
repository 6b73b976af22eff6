#include "app/main_dialog.h"

#include "app/omaha_app.h"
#include "app/settings.h"
#include "main_dialog_ids.h"

BEGIN_MESSAGE_MAP(COmahaVantornDlg, CDialog)
  ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

COmahaVantornDlg::COmahaVantornDlg() : CDialog(IDD_MAIN_DIALOG) {}

COmahaVantornDlg::~COmahaVantornDlg() = default;

BOOL COmahaVantornDlg::Create(CWnd* parent) { return CDialog::Create(IDD_MAIN_DIALOG, parent); }

BOOL COmahaVantornDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  if (CWinApp* app = AfxGetApp())
    m_resultsVisible = static_cast<int>(app->GetProfileInt(kSectionGlobal, kKeyResultsVisible, m_resultsVisible));
  ComputeFrameSizes();
  return TRUE;
}

// The frame's outer size that shows the whole dialog: the dialog plus the frame's fixed border,
// caption and menu bar. Without a result area both heights are the same.
void COmahaVantornDlg::ComputeFrameSizes() {
  CRect window;
  GetWindowRect(&window);
  const int border = 2 * ::GetSystemMetrics(SM_CXFIXEDFRAME);
  const int extra = 2 * ::GetSystemMetrics(SM_CYFIXEDFRAME) + ::GetSystemMetrics(SM_CYCAPTION) +
                    ::GetSystemMetrics(SM_CYMENU);
  m_widthWithResults = window.Width() + border;
  m_heightWithoutResults = window.Height() + extra;
  m_heightWithResults = window.Height() + extra;
}

void COmahaVantornDlg::ArrangeSeats() {
  // No seats on the dialog yet: the layout stays as it is.
}

void COmahaVantornDlg::UpdateControlStates() {
  // No inputs on the dialog yet whose state depends on the settings.
}

void COmahaVantornDlg::ShowBanner() {
  // The game's banner is drawn by the banner control once the dialog has one.
}

void COmahaVantornDlg::RefreshResultView() {
  if (CWnd* main = AfxGetMainWnd(); main && main->GetSafeHwnd()) main->SendMessage(WM_FIT_TO_DIALOG);
  if (GetSafeHwnd()) Invalidate(TRUE);
}

int COmahaVantornDlg::CountActiveSeats() const { return 0; }

int COmahaVantornDlg::CountBoardCards() const { return 0; }

void COmahaVantornDlg::OnOK() {}

void COmahaVantornDlg::OnCancel() {}

HBRUSH COmahaVantornDlg::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
  HBRUSH brush = CDialog::OnCtlColor(pDC, pWnd, nCtlColor);
  COmahaVantornApp* app = GetOmahaApp();
  if (app && app->m_useBVTheme && app->m_dialogBrush.GetSafeHandle()) {
    pDC->SetBkMode(TRANSPARENT);
    return static_cast<HBRUSH>(app->m_dialogBrush.GetSafeHandle());
  }
  return brush;
}
