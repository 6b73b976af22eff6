#include "app/settings_dialog.h"

#include <climits>
#include <cwchar>

#include "app/main_frame.h"
#include "app/omaha_app.h"
#include "app/settings.h"
#include "settings_dialogs.h"

BEGIN_MESSAGE_MAP(CSettingsDialog, CDialog)
  ON_WM_CTLCOLOR()
  ON_NOTIFY(UDN_DELTAPOS, IDC_SETTINGS_SECONDS_SPIN, &CSettingsDialog::OnSpinDelta)
  ON_EN_CHANGE(IDC_SETTINGS_SECONDS, &CSettingsDialog::OnSecondsChange)
END_MESSAGE_MAP()

CSettingsDialog::CSettingsDialog(CWnd* pParent) : CDialog(IDD_SETTINGS, pParent) {}

int EvaluationTimeFromText(const CString& seconds) {
  // Typed values bypass the spin's range; a huge one must not wrap into a negative time.
  const long long value = std::wcstoll(seconds.GetString(), nullptr, 10);
  const long long ms = std::max(0LL, std::min<long long>(value, INT_MAX / 1000 + 1) * 1000);
  return static_cast<int>(std::min<long long>(ms, INT_MAX));
}

void CSettingsDialog::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_SETTINGS_SECONDS, m_secondsEdit);
  DDX_Control(pDX, IDC_SETTINGS_SECONDS_SPIN, m_secondsSpin);
}

BOOL CSettingsDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  const COmahaVantornApp* app = GetOmahaApp();
  m_secondsSpin.SetRange32(1, 1000);
  m_secondsSpin.SetPos32(app ? app->m_evaluationTime / 1000 : 5);
  const bool hiLo = app && app->m_useHiLo == 1;
  CheckDlgButton(IDC_SETTINGS_OMAHA_HI, hiLo ? BST_UNCHECKED : BST_CHECKED);
  CheckDlgButton(IDC_SETTINGS_OMAHA_HILO, hiLo ? BST_CHECKED : BST_UNCHECKED);
  return TRUE;
}

void CSettingsDialog::OnOK() {
  COmahaVantornApp* app = GetOmahaApp();
  if (app) {
    CString seconds;
    m_secondsEdit.GetWindowText(seconds);
    app->m_evaluationTime = EvaluationTimeFromText(seconds);
    app->WriteProfileInt(kSectionGlobal, kKeyEvaluationTime, app->m_evaluationTime);
    app->m_useHiLo = IsDlgButtonChecked(IDC_SETTINGS_OMAHA_HILO) ? 1 : 0;
    app->WriteProfileInt(kSectionGlobal, kKeyUseHiLo, app->m_useHiLo);
    app->SyncRangeSettings();
    if (auto* frame = dynamic_cast<CMainFrame*>(AfxGetMainWnd())) frame->UpdateTitle();
  }
  CDialog::OnOK();
}

HBRUSH CSettingsDialog::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
  HBRUSH brush = CDialog::OnCtlColor(pDC, pWnd, nCtlColor);
  const COmahaVantornApp* app = GetOmahaApp();
  if (app && app->m_useBVTheme) {
    pDC->SetBkMode(TRANSPARENT);
    if (!pWnd || pWnd->GetDlgCtrlID() != IDC_SETTINGS_SECONDS)
      brush = static_cast<HBRUSH>(app->m_dialogBrush.GetSafeHandle());
  }
  return brush;
}

void CSettingsDialog::OnSpinDelta(NMHDR*, LRESULT* pResult) { *pResult = 0; }

void CSettingsDialog::OnSecondsChange() {}
