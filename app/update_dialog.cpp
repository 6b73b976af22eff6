#include "app/update_dialog.h"

#include "app/app_shell.h"
#include "app/omaha_app.h"
#include "app/settings.h"
#include "app/update_check.h"
#include "settings_dialogs.h"
#include "string_table.h"

BEGIN_MESSAGE_MAP(CUpdateAvailableDialog, CDialog)
  ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CUpdateAvailableDialog::CUpdateAvailableDialog(CWnd* pParent) : CDialog(IDD_UPDATE_AVAILABLE, pParent) {}

int CUpdateAvailableDialog::CheckForUpdate() {
  const COmahaVantornApp* app = GetOmahaApp();
  CString builtIn;
  if (app) builtIn = app->m_updateFileUrl;
  if (builtIn.IsEmpty()) builtIn.LoadString(IDS_UPDATE_FILE_URL);
  std::string bytes;
  const bool fetched = FetchVersionFile(UpdateFileUrl(builtIn), kUpdateCheckTimeoutMs, &bytes);
  ParseVersionFile(fetched ? bytes : std::string(), m_remoteVersion);
  ReadOwnVersion(m_ownVersion);
  if (!fetched) return 0;
  return CompareVersions(m_remoteVersion, m_ownVersion) > 0 ? 1 : 0;
}

int IsNewerThanSuppressedVersion(const CString& text, const CUpdateAvailableDialog& dialog) {
  int stored[4];
  ParseVersionText(text, stored);
  return CompareVersions(dialog.m_remoteVersion, stored) > 0 ? 1 : 0;
}

BOOL CUpdateAvailableDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  m_currentVersionLabel.SubclassDlgItem(IDC_UPDATE_CURRENT_VERSION, this);
  m_newVersionLabel.SubclassDlgItem(IDC_UPDATE_NEW_VERSION, this);
  FillTexts();
  CheckDlgButton(IDC_UPDATE_GO_DOWNLOAD, BST_CHECKED);
  return TRUE;
}

void CUpdateAvailableDialog::FillTexts() {
  const CString own = FormatVersion(m_ownVersion[0], m_ownVersion[1], m_ownVersion[2], m_ownVersion[3]);
  const CString remote =
      FormatVersion(m_remoteVersion[0], m_remoteVersion[1], m_remoteVersion[2], m_remoteVersion[3]);
  CString text;
  text.Format(IDS_CURRENT_VERSION, own);
  SetDlgItemText(IDC_UPDATE_CURRENT_VERSION, text);
  text.Format(IDS_NEWER_VERSION, remote);
  SetDlgItemText(IDC_UPDATE_NEW_VERSION, text);
  text.Format(IDS_SUPPRESS_VERSION, remote);
  SetDlgItemText(IDC_UPDATE_SUPPRESS, text);
}

void CUpdateAvailableDialog::OnOK() {
  if (IsDlgButtonChecked(IDC_UPDATE_GO_DOWNLOAD))
    m_answer = 0;
  else if (IsDlgButtonChecked(IDC_UPDATE_REMIND))
    m_answer = 1;
  else if (IsDlgButtonChecked(IDC_UPDATE_SUPPRESS))
    m_answer = 2;
  CDialog::OnOK();
}

HBRUSH CUpdateAvailableDialog::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
  HBRUSH brush = CDialog::OnCtlColor(pDC, pWnd, nCtlColor);
  const COmahaVantornApp* app = GetOmahaApp();
  if (app && app->m_useBVTheme) {
    pDC->SetBkMode(TRANSPARENT);
    brush = static_cast<HBRUSH>(app->m_dialogBrush.GetSafeHandle());
  }
  return brush;
}

void RunStartupUpdateCheck(const std::function<void()>& hideSplash) {
  CUpdateAvailableDialog dialog;
  if (!dialog.CheckForUpdate()) return;
  if (!IsNewerThanSuppressedVersion(ReadProfileString(kSectionGlobal, kKeySuppressUpdateVersion), dialog)) return;
  if (hideSplash) hideSplash();
  if (dialog.DoModal() != IDOK) return;
  const int* v = dialog.m_remoteVersion;
  if (dialog.m_answer == 0) {
    if (const COmahaVantornApp* app = GetOmahaApp()) OpenInWebBrowser(app->m_downloadPageUrl);
  } else if (dialog.m_answer == 2) {
    AfxGetApp()->WriteProfileString(kSectionGlobal, kKeySuppressUpdateVersion, FormatVersion(v[0], v[1], v[2], v[3]));
  }
}
