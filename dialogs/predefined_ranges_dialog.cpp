#include "dialogs/predefined_ranges_dialog.h"

#include "app/app_utils.h"
#include "app/main_frame.h"
#include "dialogs/range_dialog_support.h"
#include "pictures.h"
#include "range_dialogs.h"
#include "string_table.h"

CTreeCtrlEx* FramePredefinedTree() {
  CWinApp* app = AfxGetApp();
  auto* frame = app ? dynamic_cast<CMainFrame*>(app->m_pMainWnd) : nullptr;
  if (!frame || !frame->m_predefinedTree || !::IsWindow(frame->m_predefinedTree->GetSafeHwnd())) return nullptr;
  return frame->m_predefinedTree;
}

BEGIN_MESSAGE_MAP(CPredefinedHandrangesDialog, CDialog)
  ON_MESSAGE(kTreeSelectionChangedMsg, &CPredefinedHandrangesDialog::OnTreeSelectionChanged)
  ON_BN_CLICKED(IDC_RANGE_EXPLORER, &CPredefinedHandrangesDialog::OnExplorer)
  ON_WM_DESTROY()
END_MESSAGE_MAP()

CPredefinedHandrangesDialog::CPredefinedHandrangesDialog(CWnd* pParent) : CDialog(IDD_PREDEFINED_RANGES, pParent) {}

CPredefinedHandrangesDialog::~CPredefinedHandrangesDialog() { ReturnTree(); }

void CPredefinedHandrangesDialog::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_RANGE_EXPLORER, m_explorerButton);
}

BOOL CPredefinedHandrangesDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  m_descriptionLabel.SubclassDlgItem(IDC_RANGE_DESCRIPTION, this);
  m_descriptionLabel.m_boxed = 1;
  m_descriptionLabel.m_centerVertically = 0;
  m_summaryLabel.SubclassDlgItem(IDC_RANGE_SUMMARY, this);
  m_summaryLabel.m_boxed = 1;
  SetUpExplorerButton(m_explorerButton, IDS_TIP_HANDRANGE_EXPLORER_PREDEFINED);
  m_treeImages.Create(16, 16, ILC_COLOR32 | ILC_MASK, 0, 4);
  if (HBITMAP images = static_cast<HBITMAP>(
          ::LoadImage(AfxGetResourceHandle(), MAKEINTRESOURCE(IDB_TREE_IMAGES), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION))) {
    CBitmap bitmap;
    bitmap.Attach(images);
    m_treeImages.Add(&bitmap, RGB(255, 0, 255));
  }
  BorrowTree();
  OnTreeSelectionChanged(0, 0);
  if (m_classCount == 0 && m_handCount == 0) ShowSelectionSummary();
  PlaceDialogAtAnchor(this, m_anchorX, m_anchorY, m_placeAbove != 0);
  CString caption;
  GetWindowText(caption);
  SetWindowText(caption + L" (" + GetSeatPositionName(m_seat) + L")");
  return TRUE;
}

void CPredefinedHandrangesDialog::BorrowTree() {
  if (!m_tree) m_tree = FramePredefinedTree();
  if (!m_tree || !::IsWindow(m_tree->GetSafeHwnd())) {
    m_tree = nullptr;
    return;
  }
  m_treeOwner = ::GetParent(m_tree->GetSafeHwnd());
  m_tree->SetParent(this);
  m_tree->m_notifyWindow = GetSafeHwnd();
  CRect rect;
  if (CWnd* place = GetDlgItem(IDC_PREDEFINED_TREE_PLACE)) {
    place->GetWindowRect(&rect);
    place->ShowWindow(SW_HIDE);
    ScreenToClient(&rect);
    m_tree->MoveWindow(&rect, TRUE);
    // Into the placeholder's place in the tab order.
    m_tree->SetWindowPos(place, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  m_tree->ModifyStyle(0, TVS_NOHSCROLL);
  m_tree->SetImageList(&m_treeImages, TVSIL_NORMAL);
  m_tree->ShowWindow(SW_SHOW);
  m_borrowed = true;
}

void CPredefinedHandrangesDialog::ReturnTree() {
  if (!m_borrowed) return;
  m_borrowed = false;
  if (!m_tree || !::IsWindow(m_tree->GetSafeHwnd())) return;
  m_tree->ShowWindow(SW_HIDE);
  // The image list dies with this dialog: the tree must not draw with it afterwards.
  m_tree->SetImageList(nullptr, TVSIL_NORMAL);
  if (m_treeOwner && ::IsWindow(m_treeOwner)) m_tree->SetParent(CWnd::FromHandle(m_treeOwner));
  m_tree->m_notifyWindow = m_treeOwner;
}

LRESULT CPredefinedHandrangesDialog::OnTreeSelectionChanged(WPARAM /*wParam*/, LPARAM /*lParam*/) {
  if (!m_tree || !::IsWindow(m_tree->GetSafeHwnd())) return 0;
  HTREEITEM item = m_tree->GetSelectedItem();
  const PredefinedRangeData* data = item ? CTreeCtrlEx::RangeData(*m_tree, item) : nullptr;
  if (!data) return 0;
  m_descriptionLabel.SetWindowText(DescribeRangeText(data->range));
  m_descriptionLabel.Invalidate();
  m_classCount = 0;
  m_handCount = 0;
  SelectItemRange(data->range);
  return 0;
}

void CPredefinedHandrangesDialog::SelectItemRange(const CString& rangeText) {
  SelectAndCount(rangeText, &m_classCount, &m_handCount);
  ShowSelectionSummary();
  if (CWnd* ok = GetDlgItem(IDOK)) ok->EnableWindow(m_classCount > 0 || m_handCount > 0);
}

void CPredefinedHandrangesDialog::ShowSelectionSummary() {
  m_summaryLabel.SetWindowText(FormatRangeSummary(m_classCount, m_handCount));
  m_summaryLabel.Invalidate();
  // Disabling the focused button would leave the keyboard nowhere: keep the focus where it is.
  HWND focus = ::GetFocus();
  m_explorerButton.EnableWindow(m_handCount > 0);
  if (focus && ::IsWindow(focus) && ::IsWindowEnabled(focus)) ::SetFocus(focus);
  if (CWnd* ok = GetDlgItem(IDOK)) ok->EnableWindow(m_classCount > 0 || m_handCount > 0);
}

void CPredefinedHandrangesDialog::OnExplorer() {
  CString text;
  m_descriptionLabel.GetWindowText(text);
  OpenHandrangeExplorer(this, LabelTextAsRange(text));
}

void CPredefinedHandrangesDialog::OnOK() {
  CString text;
  m_descriptionLabel.GetWindowText(text);
  m_rangeText = LabelTextAsRange(text);
  CDialog::OnOK();
}

void CPredefinedHandrangesDialog::OnDestroy() {
  CDialog::OnDestroy();
  ReturnTree();
}
