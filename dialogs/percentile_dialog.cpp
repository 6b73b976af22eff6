#include "dialogs/percentile_dialog.h"

#include <cwchar>

#include "app/app_utils.h"
#include "controls/app_services.h"
#include "dialogs/range_dialog_support.h"
#include "range_dialogs.h"
#include "string_table.h"

namespace {

constexpr int kRankings = 10;

double Clamp100(double value) {
  if (!(value > 0.0)) return 0.0;  // a text that is no number reads as 0 too
  if (!(value < 100.0)) return 100.0;
  return value;
}

}  // namespace

int CPercentileDialog::s_updatingEdits = 0;

BEGIN_MESSAGE_MAP(CPercentileDialog, CDialog)
  ON_EN_CHANGE(IDC_PERCENTILE_FROM, &CPercentileDialog::OnChangeFrom)
  ON_EN_CHANGE(IDC_PERCENTILE_TO, &CPercentileDialog::OnChangeTo)
  ON_NOTIFY(UDN_DELTAPOS, IDC_PERCENTILE_FROM_SPIN, &CPercentileDialog::OnDeltaPosFrom)
  ON_NOTIFY(UDN_DELTAPOS, IDC_PERCENTILE_TO_SPIN, &CPercentileDialog::OnDeltaPosTo)
  ON_REGISTERED_MESSAGE(g_rangeChangedMsg, &CPercentileDialog::OnRangeChanged)
  ON_CBN_SELCHANGE(IDC_PERCENTILE_ORDER, &CPercentileDialog::OnOrderChanged)
  ON_BN_CLICKED(IDC_RANGE_EXPLORER, &CPercentileDialog::OnExplore)
  ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CPercentileDialog::CPercentileDialog(CWnd* pParent) : CDialog(IDD_PERCENTILE, pParent) {}

CPercentileDialog::~CPercentileDialog() {
  if (m_slider && ::IsWindow(m_slider->GetSafeHwnd())) m_slider->DestroyWindow();
  delete m_slider;
}

void CPercentileDialog::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_RANGE_EXPLORER, m_explorerButton);
  DDX_Control(pDX, IDC_PERCENTILE_ORDER, m_orderBox);
  DDX_Control(pDX, IDC_PERCENTILE_FROM_SPIN, m_fromSpin);
  DDX_Control(pDX, IDC_PERCENTILE_TO_SPIN, m_toSpin);
}

BOOL CPercentileDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  m_summaryLabel.SubclassDlgItem(IDC_RANGE_SUMMARY, this);
  m_summaryLabel.m_boxed = 1;
  m_descriptionLabel.SubclassDlgItem(IDC_RANGE_DESCRIPTION, this);
  m_descriptionLabel.m_boxed = 1;
  m_descriptionLabel.m_centerVertically = 0;
  SetUpExplorerButton(m_explorerButton, IDS_TIP_HANDRANGE_EXPLORER);

  m_fromSpin.SetRange32(0, 100);
  m_toSpin.SetRange32(0, 100);
  for (int k = 0; k < kRankings; ++k) {
    CString entry;
    entry.LoadString(IDS_RANKING_VS_RANDOM_FIRST + k);
    m_orderBox.AddString(entry);
  }
  m_orderBox.SetCurSel(0);

  if (CWnd* place = GetDlgItem(IDC_PERCENTILE_SLIDER_PLACE)) {
    CRect rect;
    place->GetWindowRect(&rect);
    ScreenToClient(&rect);
    m_slider = new CRangeSlider;
    if (m_slider->Create(nullptr, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, rect, this, IDC_PERCENTILE_SLIDER)) {
      m_slider->m_min = m_slider->m_inverted ? -100.0 : 0.0;
      m_slider->m_max = m_slider->m_inverted ? -0.0 : 100.0;
      m_slider->m_left = m_slider->m_inverted ? -0.0 : 0.0;
      m_slider->m_right = m_slider->m_inverted ? -0.0 : 0.0;
      m_slider->NormalizeRange();
      m_slider->Invalidate();
    }
  }

  s_updatingEdits = 1;
  SetDlgItemText(IDC_PERCENTILE_FROM, L"0.0");
  SetDlgItemText(IDC_PERCENTILE_TO, L"0.0");
  s_updatingEdits = 0;
  UpdateRangeText();

  PlaceDialogAtAnchor(this, m_anchorX, m_anchorY, m_placeAbove != 0);
  CString caption;
  GetWindowText(caption);
  SetWindowText(caption + L" (" + GetSeatPositionName(m_seat) + L")");
  EnableTake();
  return TRUE;
}

CString CPercentileDialog::BuildItemText(const CString& fromText, const CString& toText, int orderSelection) {
  CString text;
  if (!(_wtof(toText) > 0.0)) return text;
  if (_wtof(fromText) != 0.0)
    text.Format(L"%s-%s%%", fromText.GetString(), toText.GetString());
  else
    text.Format(L"%s%%", toText.GetString());
  if (orderSelection >= 0 && orderSelection <= 8) {
    CString order;
    order.Format(L":%d", orderSelection + 1);
    text += order;
  }
  return text;
}

void CPercentileDialog::UpdateRangeText() {
  CString fromText, toText;
  GetDlgItemText(IDC_PERCENTILE_FROM, fromText);
  GetDlgItemText(IDC_PERCENTILE_TO, toText);
  const CString text = BuildItemText(fromText, toText, m_orderBox.GetSafeHwnd() ? m_orderBox.GetCurSel() : -1);
  m_descriptionLabel.SetWindowText(text);
  m_descriptionLabel.Invalidate();
  m_descriptionLabel.UpdateWindow();
  m_rangeText = text;
  SelectAndCount(text, &m_classCount, &m_handCount);
  m_summaryLabel.SetWindowText(FormatRangeSummary(m_classCount, m_handCount));
  m_summaryLabel.Invalidate();
  m_explorerButton.EnableWindow(m_handCount > 0);
}

void CPercentileDialog::EnableTake() {
  if (CWnd* take = GetDlgItem(IDOK)) take->EnableWindow(m_classCount > 0 || m_handCount > 0);
}

double CPercentileDialog::EditValue(UINT id) const {
  CString text;
  GetDlgItemText(id, text);
  return _wtof(text);
}

void CPercentileDialog::SetEditValue(UINT id, double value) {
  CString text;
  text.Format(L"%0.1lf", value);
  SetDlgItemText(id, text);
}

void CPercentileDialog::SetThumbs(double from, double to) {
  if (!m_slider || !m_slider->GetSafeHwnd()) return;
  if (m_slider->m_inverted) {
    m_slider->m_left = -to;
    m_slider->m_right = -from;
  } else {
    m_slider->m_left = from;
    m_slider->m_right = to;
  }
  m_slider->NormalizeRange();
  m_slider->Invalidate();
}

void CPercentileDialog::OnEditChanged(bool fromChanged) {
  if (s_updatingEdits) return;
  double from = Clamp100(EditValue(IDC_PERCENTILE_FROM));
  double to = Clamp100(EditValue(IDC_PERCENTILE_TO));
  if (from > to) {
    if (fromChanged) {
      to = from;
      SetEditValue(IDC_PERCENTILE_TO, to);
    } else {
      from = to;
      SetEditValue(IDC_PERCENTILE_FROM, from);
    }
  }
  SetThumbs(from, to);
  UpdateRangeText();
  EnableTake();
}

void CPercentileDialog::OnChangeFrom() { OnEditChanged(true); }
void CPercentileDialog::OnChangeTo() { OnEditChanged(false); }

void CPercentileDialog::OnSpin(NMHDR* pNMHDR, LRESULT* pResult, UINT edit, UINT other, bool isFrom) {
  *pResult = 0;
  const auto* change = reinterpret_cast<NMUPDOWN*>(pNMHDR);
  double value = EditValue(edit) + (change && change->iDelta < 1 ? -0.1 : 0.1);
  value = Clamp100(value);
  // Tenths stay tenths: 0.1 steps must not collect binary rounding errors.
  value = static_cast<double>(static_cast<long long>(value * 10.0 + 0.5)) / 10.0;
  s_updatingEdits = 1;
  SetEditValue(edit, value);
  double otherValue = Clamp100(EditValue(other));
  if (isFrom ? value > otherValue : value < otherValue) {
    otherValue = value;
    SetEditValue(other, value);
  }
  SetThumbs(isFrom ? value : otherValue, isFrom ? otherValue : value);
  s_updatingEdits = 0;
  UpdateRangeText();
  EnableTake();
}

void CPercentileDialog::OnDeltaPosFrom(NMHDR* pNMHDR, LRESULT* pResult) {
  OnSpin(pNMHDR, pResult, IDC_PERCENTILE_FROM, IDC_PERCENTILE_TO, true);
}

void CPercentileDialog::OnDeltaPosTo(NMHDR* pNMHDR, LRESULT* pResult) {
  OnSpin(pNMHDR, pResult, IDC_PERCENTILE_TO, IDC_PERCENTILE_FROM, false);
}

LRESULT CPercentileDialog::OnRangeChanged(WPARAM /*wParam*/, LPARAM /*lParam*/) {
  if (!m_slider) return 0;
  const double lower = m_slider->m_inverted ? -m_slider->m_right : m_slider->m_left;
  const double upper = m_slider->m_inverted ? -m_slider->m_left : m_slider->m_right;
  s_updatingEdits = 1;
  SetEditValue(IDC_PERCENTILE_FROM, lower);
  SetEditValue(IDC_PERCENTILE_TO, upper);
  for (UINT id : {IDC_PERCENTILE_FROM, IDC_PERCENTILE_TO})
    if (CWnd* edit = GetDlgItem(id)) edit->UpdateWindow();
  s_updatingEdits = 0;
  UpdateRangeText();
  EnableTake();
  return 0;
}

void CPercentileDialog::OnOrderChanged() {
  UpdateRangeText();
  EnableTake();
}

void CPercentileDialog::OnExplore() {
  CString text;
  m_descriptionLabel.GetWindowText(text);
  OpenHandrangeExplorer(this, LabelTextAsRange(text));
}

HBRUSH CPercentileDialog::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
  HBRUSH brush = CDialog::OnCtlColor(pDC, pWnd, nCtlColor);
  const int id = pWnd ? pWnd->GetDlgCtrlID() : 0;
  if (id == IDC_PERCENTILE_FROM || id == IDC_PERCENTILE_TO || id == IDC_PERCENTILE_ORDER) return brush;
  return ThemedDialogCtlBrush(pDC, brush);
}
