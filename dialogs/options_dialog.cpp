#include "dialogs/options_dialog.h"

#include <cwchar>
#include <string>

#include "app/app_utils.h"
#include "controls/app_services.h"
#include "app/omaha_app.h"
#include "card_images.h"
#include "core/range_item.h"
#include "dialogs/range_dialog_support.h"
#include "range_dialogs.h"
#include "string_table.h"

namespace {

constexpr int kRankItems = 13, kSuitItems = 5;
constexpr DWORD_PTR kFirstSuitPicture = 13;  // 13 no suit, 14..17 d, h, s, c
constexpr UINT kLowerBoxes[4] = {IDC_OPTIONS_CARD1_LOW, IDC_OPTIONS_CARD2_LOW, IDC_OPTIONS_CARD3_LOW, IDC_OPTIONS_CARD4_LOW};
constexpr UINT kUpperBoxes[4] = {IDC_OPTIONS_CARD1_HIGH, IDC_OPTIONS_CARD2_HIGH, IDC_OPTIONS_CARD3_HIGH,
                                 IDC_OPTIONS_CARD4_HIGH};
constexpr UINT kSuitBoxes[4] = {IDC_OPTIONS_CARD1_SUIT, IDC_OPTIONS_CARD2_SUIT, IDC_OPTIONS_CARD3_SUIT,
                                IDC_OPTIONS_CARD4_SUIT};
constexpr UINT kSpinIds[9] = {IDC_OPTIONS_GAP1_SPIN,        IDC_OPTIONS_GAP2_SPIN,      IDC_OPTIONS_GAP3_SPIN,
                              IDC_OPTIONS_SHAPES_FROM_SPIN, IDC_OPTIONS_SHAPES_TO_SPIN, IDC_OPTIONS_FLUSH_FROM_SPIN,
                              IDC_OPTIONS_FLUSH_TO_SPIN,    IDC_OPTIONS_POINTS_FROM_SPIN, IDC_OPTIONS_POINTS_TO_SPIN};

// The filters in the order the item text lists them, whatever order they were ticked in.
constexpr struct {
  UINT id;
  const wchar_t* text;
} kFilters[] = {{IDC_OPTIONS_NP, L"/np"},     {IDC_OPTIONS_NT, L"/nt"},   {IDC_OPTIONS_NQ, L"/nq"},
                {IDC_OPTIONS_OP, L"/op"},     {IDC_OPTIONS_ALOP, L"/alop"}, {IDC_OPTIONS_TP, L"/tp"},
                {IDC_OPTIONS_TR, L"/tr"},     {IDC_OPTIONS_ALTR, L"/altr"}, {IDC_OPTIONS_QU, L"/qu"},
                {IDC_OPTIONS_RB, L"/rb"},     {IDC_OPTIONS_SS, L"/ss"},   {IDC_OPTIONS_ALSS, L"/alss"},
                {IDC_OPTIONS_OS, L"/os"},     {IDC_OPTIONS_DS, L"/ds"},   {IDC_OPTIONS_TS, L"/ts"},
                {IDC_OPTIONS_ALTS, L"/alts"}, {IDC_OPTIONS_MT, L"/mt"},   {IDC_OPTIONS_SA, L"/sa"},
                {IDC_OPTIONS_SNA, L"/sna"}};

int BoxIndex(UINT id, const UINT (&ids)[4]) {
  for (int k = 0; k < 4; ++k)
    if (ids[k] == id) return k;
  return -1;
}

int ClampInt(int value, int low, int high) { return value < low ? low : value > high ? high : value; }

}  // namespace

BEGIN_MESSAGE_MAP(COptionsDialog, CDialog)
  ON_CONTROL_RANGE(CBN_SELCHANGE, IDC_OPTIONS_CARD1_LOW, IDC_OPTIONS_CARD4_SUIT, &COptionsDialog::OnRankFromChanged)
  ON_CONTROL_RANGE(BN_CLICKED, IDC_OPTIONS_NP, IDC_OPTIONS_SNA, &COptionsDialog::OnOptionChanged)
  ON_CONTROL_RANGE(BN_CLICKED, IDC_OPTIONS_NO_RUNDOWN, IDC_OPTIONS_RUNDOWN4, &COptionsDialog::OnOptionChanged)
  ON_NOTIFY_RANGE(UDN_DELTAPOS, IDC_OPTIONS_GAP1_SPIN, IDC_OPTIONS_GAP3_SPIN, &COptionsDialog::OnGapSpin)
  ON_CONTROL_RANGE(EN_CHANGE, IDC_OPTIONS_GAP1, IDC_OPTIONS_GAP3, &COptionsDialog::OnGapChanged)
  ON_CONTROL_RANGE(EN_UPDATE, IDC_OPTIONS_GAP1, IDC_OPTIONS_GAP3, &COptionsDialog::OnGapUpdate)
  ON_CONTROL_RANGE(EN_CHANGE, IDC_OPTIONS_SHAPES_FROM, IDC_OPTIONS_POINTS_TO, &COptionsDialog::OnRangeEdited)
  ON_CONTROL_RANGE(BN_CLICKED, IDC_OPTIONS_SHAPES, IDC_OPTIONS_POINTS, &COptionsDialog::OnRestrictionToggled)
  ON_BN_CLICKED(IDC_OPTIONS_CALL, &COptionsDialog::OnCallPreset)
  ON_BN_CLICKED(IDC_OPTIONS_RAISE, &COptionsDialog::OnRaisePreset)
  ON_BN_CLICKED(IDC_RANGE_EXPLORER, &COptionsDialog::OnExplorer)
  ON_WM_CTLCOLOR()
  ON_WM_MEASUREITEM()
END_MESSAGE_MAP()

COptionsDialog::COptionsDialog(CWnd* pParent) : CDialog(IDD_RANGE_OPTIONS, pParent) {
  m_comboImages.LoadBitmap(IDB_COMBO_PICTURES);
  m_comboMask.LoadBitmap(IDB_COMBO_MASK);
}

COptionsDialog::~COptionsDialog() = default;

void COptionsDialog::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  for (int k = 0; k < 4; ++k) {
    DDX_Control(pDX, kLowerBoxes[k], m_cardBoxes[3 * k]);
    DDX_Control(pDX, kUpperBoxes[k], m_cardBoxes[3 * k + 1]);
    DDX_Control(pDX, kSuitBoxes[k], m_cardBoxes[3 * k + 2]);
  }
  DDX_Control(pDX, IDC_RANGE_EXPLORER, m_explorerButton);
  for (int i = 0; i < 9; ++i) DDX_Control(pDX, kSpinIds[i], m_spins[i]);
}

BOOL COptionsDialog::OnInitDialog() {
  CWaitCursor wait;
  CDialog::OnInitDialog();
  FillCardBoxes();

  for (int i = 0; i < 3; ++i) m_spins[i].SetRange32(0, 9);
  for (UINT gap : {IDC_OPTIONS_GAP1, IDC_OPTIONS_GAP2, IDC_OPTIONS_GAP3}) SetDlgItemText(gap, L"0");
  m_spins[3].SetRange32(0, 20);
  m_spins[4].SetRange32(0, 20);
  m_spins[5].SetRange32(0, 8);
  m_spins[6].SetRange32(0, 8);
  m_spins[7].SetRange32(0, 27);
  m_spins[8].SetRange32(0, 27);
  // The from edits start at the spins' lowest value; the to edits at the highest.
  for (UINT from : {IDC_OPTIONS_SHAPES_FROM, IDC_OPTIONS_FLUSH_FROM, IDC_OPTIONS_POINTS_FROM}) SetDlgItemText(from, L"0");
  SetDlgItemText(IDC_OPTIONS_SHAPES_TO, L"20");
  SetDlgItemText(IDC_OPTIONS_FLUSH_TO, L"8");
  SetDlgItemText(IDC_OPTIONS_POINTS_TO, L"27");
  CheckRadioButton(IDC_OPTIONS_NO_RUNDOWN, IDC_OPTIONS_RUNDOWN4, IDC_OPTIONS_NO_RUNDOWN);

  m_summaryLabel.SubclassDlgItem(IDC_RANGE_SUMMARY, this);
  m_summaryLabel.m_boxed = 1;
  m_descriptionLabel.SubclassDlgItem(IDC_RANGE_DESCRIPTION, this);
  m_descriptionLabel.m_boxed = 1;
  m_descriptionLabel.m_centerVertically = 0;
  SetUpExplorerButton(m_explorerButton, IDS_TIP_HANDRANGE_EXPLORER);

  PlaceDialogAtAnchor(this, m_anchorX, m_anchorY, m_placeAbove != 0);
  CString caption;
  GetWindowText(caption);
  SetWindowText(caption + L" (" + GetSeatPositionName(m_seat) + L")");
  BuildRangeText();
  return TRUE;
}

void COptionsDialog::FillCardBoxes() {
  for (int k = 0; k < 4; ++k) {
    for (int b = 0; b < 3; ++b) {
      COwnerdrawedDropDownBox& box = m_cardBoxes[3 * k + b];
      box.m_images = &m_comboImages;
      box.m_imageMask = &m_comboMask;
      if (!box.GetSafeHwnd()) continue;
      const bool suit = b == 2;
      const int count = suit ? kSuitItems : kRankItems;
      for (int i = 0; i < count; ++i) {
        const int index = box.AddString(L" ");
        box.SetItemData(index, suit ? kFirstSuitPicture + static_cast<DWORD_PTR>(i) : static_cast<DWORD_PTR>(i));
      }
      box.SetCurSel(b == 0 ? 0 : b == 1 ? kRankItems - 1 : -1);
    }
  }
}

CString COptionsDialog::FormatRankPiece(int lo, int hi) {
  static constexpr wchar_t kLetters[] = L"AKQJT98765432";
  auto letter = [](int x) { return CString(x >= 0 && x < 13 ? kLetters[x] : L'?'); };
  if (hi == 0) {
    if (lo == 12) return L"*";
    if (lo == 0) return letter(lo);
    return letter(lo) + L"+";
  }
  if (lo == hi) return letter(lo);
  return letter(lo) + L"-" + letter(hi);
}

CString COptionsDialog::FormatSuitPiece(int item) {
  static constexpr wchar_t kSuits[] = L"dhsc";
  return item >= 1 && item <= 4 ? CString(kSuits[item - 1]) : CString();
}

int COptionsDialog::EditNumber(UINT id) const {
  CString text;
  GetDlgItemText(id, text);
  text.Trim();
  if (text.IsEmpty()) return -1;
  return static_cast<int>(wcstol(text.GetString(), nullptr, 10));
}

void COptionsDialog::EnableControls() {
  auto enable = [this](std::initializer_list<UINT> ids, bool on) {
    for (UINT id : ids)
      if (CWnd* wnd = GetDlgItem(id)) wnd->EnableWindow(on ? TRUE : FALSE);
  };
  const bool two = Checked(IDC_OPTIONS_RUNDOWN2), three = Checked(IDC_OPTIONS_RUNDOWN3),
             four = Checked(IDC_OPTIONS_RUNDOWN4);
  enable({IDC_OPTIONS_GAP1, IDC_OPTIONS_GAP1_SPIN}, two || three || four);
  enable({IDC_OPTIONS_GAP2, IDC_OPTIONS_GAP2_SPIN}, three || four);
  enable({IDC_OPTIONS_GAP3, IDC_OPTIONS_GAP3_SPIN}, four);
  enable({IDC_OPTIONS_SHAPES_FROM, IDC_OPTIONS_SHAPES_FROM_SPIN, IDC_OPTIONS_SHAPES_TO, IDC_OPTIONS_SHAPES_TO_SPIN},
         Checked(IDC_OPTIONS_SHAPES));
  enable({IDC_OPTIONS_FLUSH_FROM, IDC_OPTIONS_FLUSH_FROM_SPIN, IDC_OPTIONS_FLUSH_TO, IDC_OPTIONS_FLUSH_TO_SPIN},
         Checked(IDC_OPTIONS_FLUSH_SHAPES));
  enable({IDC_OPTIONS_POINTS_FROM, IDC_OPTIONS_POINTS_FROM_SPIN, IDC_OPTIONS_POINTS_TO, IDC_OPTIONS_POINTS_TO_SPIN,
          IDC_OPTIONS_CALL, IDC_OPTIONS_RAISE},
         Checked(IDC_OPTIONS_POINTS));
}

void COptionsDialog::AppendNumberRange(UINT box, UINT fromEdit, UINT toEdit, int maximum, const wchar_t* name) {
  if (!Checked(box)) return;
  const int a = EditNumber(fromEdit), b = EditNumber(toEdit);
  CString piece;
  if (a < b && b == maximum)
    piece.Format(L"/%s%d+", name, a);
  else if (a < b)
    piece.Format(L"/%s%d-%d", name, a, b);
  else if (a == b)
    piece.Format(L"/%s%d", name, a);
  m_rangeText += piece;
}

void COptionsDialog::BuildRangeText() {
  if (!m_summaryLabel.GetSafeHwnd() || !m_descriptionLabel.GetSafeHwnd()) return;
  EnableControls();
  m_rangeText.Empty();
  m_classCount = 0;
  m_handCount = 0;
  for (int k = 0; k < 4; ++k) {
    const int lo = 12 - m_cardBoxes[3 * k].GetCurSel();
    const int hi = 12 - m_cardBoxes[3 * k + 1].GetCurSel();
    m_rangeText += FormatRankPiece(lo, hi);
    m_rangeText += FormatSuitPiece(m_cardBoxes[3 * k + 2].GetCurSel());
  }

  const bool two = Checked(IDC_OPTIONS_RUNDOWN2), three = Checked(IDC_OPTIONS_RUNDOWN3),
             four = Checked(IDC_OPTIONS_RUNDOWN4);
  CString gap1, gap2, gap3;
  if (two || three || four) GetDlgItemText(IDC_OPTIONS_GAP1, gap1);
  if (three || four) GetDlgItemText(IDC_OPTIONS_GAP2, gap2);
  if (four) GetDlgItemText(IDC_OPTIONS_GAP3, gap3);
  if (!gap1.IsEmpty()) m_rangeText += L"/r" + gap1 + gap2 + gap3;

  for (const auto& filter : kFilters)
    if (Checked(filter.id)) m_rangeText += filter.text;
  AppendNumberRange(IDC_OPTIONS_SHAPES, IDC_OPTIONS_SHAPES_FROM, IDC_OPTIONS_SHAPES_TO, 20, L"s");
  AppendNumberRange(IDC_OPTIONS_FLUSH_SHAPES, IDC_OPTIONS_FLUSH_FROM, IDC_OPTIONS_FLUSH_TO, 8, L"sf");
  AppendNumberRange(IDC_OPTIONS_POINTS, IDC_OPTIONS_POINTS_FROM, IDC_OPTIONS_POINTS_TO, 27, L"h");

  SelectAndCount(m_rangeText, &m_classCount, &m_handCount);
  m_summaryLabel.SetWindowText(FormatRangeSummary(m_classCount, m_handCount));
  m_summaryLabel.Invalidate();
  const COmahaVantornApp* app = GetOmahaApp();
  const COmahaHand item(std::wstring_view(m_rangeText.GetString(), m_rangeText.GetLength()),
                        app ? app->m_handBase.m_rangeSettings.randomWord : std::wstring(kDefaultRandomWord));
  m_descriptionLabel.SetWindowText(item.FormatDescription().c_str());
  m_descriptionLabel.Invalidate();
  m_explorerButton.EnableWindow(m_handCount > 0);
  if (CWnd* ok = GetDlgItem(IDOK)) ok->EnableWindow(m_handCount > 0);
}

void COptionsDialog::OnRankFromChanged(UINT id) {
  // One range for all twelve boxes: lower, upper and suit boxes go their own ways here.
  if (const int k = BoxIndex(id, kUpperBoxes); k >= 0) {
    OnRankToChanged(id);
    return;
  }
  if (const int k = BoxIndex(id, kLowerBoxes); k >= 0) {
    COwnerdrawedDropDownBox& lower = m_cardBoxes[3 * k];
    COwnerdrawedDropDownBox& upper = m_cardBoxes[3 * k + 1];
    if (upper.GetCurSel() < lower.GetCurSel()) upper.SetCurSel(lower.GetCurSel());
  }
  BuildRangeText();
}

void COptionsDialog::OnRankToChanged(UINT id) {
  if (const int k = BoxIndex(id, kUpperBoxes); k >= 0) {
    COwnerdrawedDropDownBox& lower = m_cardBoxes[3 * k];
    COwnerdrawedDropDownBox& upper = m_cardBoxes[3 * k + 1];
    if (lower.GetCurSel() > upper.GetCurSel()) lower.SetCurSel(upper.GetCurSel());
  }
  BuildRangeText();
}

void COptionsDialog::OnOptionChanged(UINT id) {
  if (id == IDC_OPTIONS_SUIT_LINE) return;
  BuildRangeText();
}

void COptionsDialog::OnGapSpin(UINT id, NMHDR* pNMHDR, LRESULT* pResult) {
  *pResult = 0;
  const auto* change = reinterpret_cast<NMUPDOWN*>(pNMHDR);
  const UINT edit = id == IDC_OPTIONS_GAP1_SPIN ? IDC_OPTIONS_GAP1 : id == IDC_OPTIONS_GAP2_SPIN ? IDC_OPTIONS_GAP2
                                                                                                 : IDC_OPTIONS_GAP3;
  int gap = EditNumber(edit);
  if (gap < 0) gap = 0;
  gap = ClampInt(gap + (change && change->iDelta > 0 ? 1 : -1), 0, 9);
  CString text;
  text.Format(L"%d", gap);
  SetDlgItemText(edit, text);
  BuildRangeText();
}

void COptionsDialog::OnGapChanged(UINT id) {
  if (id == IDC_OPTIONS_GAP1 || id == IDC_OPTIONS_GAP2 || id == IDC_OPTIONS_GAP3) BuildRangeText();
}

void COptionsDialog::OnGapUpdate(UINT id) {
  if (m_gapGuard || (id != IDC_OPTIONS_GAP1 && id != IDC_OPTIONS_GAP2 && id != IDC_OPTIONS_GAP3)) return;
  CString text;
  GetDlgItemText(id, text);
  CString forced;
  forced.Format(L"%d", ClampInt(static_cast<int>(wcstol(text.GetString(), nullptr, 10)), 0, 9));
  if (forced == text) return;
  m_gapGuard = 1;
  SetDlgItemText(id, forced);
  if (CEdit* edit = static_cast<CEdit*>(GetDlgItem(id))) edit->SetSel(forced.GetLength(), forced.GetLength());
  m_gapGuard = 0;
}

bool COptionsDialog::RestrictionOf(UINT edit, UINT* box, UINT* from, UINT* to, int* maximum) {
  static constexpr struct {
    UINT box, from, to;
    int maximum;
  } kPairs[] = {{IDC_OPTIONS_SHAPES, IDC_OPTIONS_SHAPES_FROM, IDC_OPTIONS_SHAPES_TO, 20},
                {IDC_OPTIONS_FLUSH_SHAPES, IDC_OPTIONS_FLUSH_FROM, IDC_OPTIONS_FLUSH_TO, 8},
                {IDC_OPTIONS_POINTS, IDC_OPTIONS_POINTS_FROM, IDC_OPTIONS_POINTS_TO, 27}};
  for (const auto& p : kPairs) {
    if (edit != p.from && edit != p.to) continue;
    *box = p.box;
    *from = p.from;
    *to = p.to;
    *maximum = p.maximum;
    return true;
  }
  return false;
}

// Any of the six number edits: the from and the to edits of each pair.
void COptionsDialog::OnRangeEdited(UINT id) {
  UINT box = 0, from = 0, to = 0;
  int maximum = 0;
  if (!RestrictionOf(id, &box, &from, &to, &maximum)) return;
  OnRestrictionEdited(id, id == from);
}

void COptionsDialog::OnRestrictionEdited(UINT id, bool fromEdited) {
  UINT box = 0, from = 0, to = 0;
  int maximum = 0;
  if (!RestrictionOf(id, &box, &from, &to, &maximum)) return;
  if (!Checked(box) || !GetDlgItem(from) || !GetDlgItem(to)) return;
  if (box == IDC_OPTIONS_POINTS && m_presetGuard) return;
  CString text;
  if (fromEdited) {
    const int f = ClampInt(EditNumber(from), 0, maximum);
    if (EditNumber(to) < f) {
      text.Format(L"%d", f);
      SetDlgItemText(to, text);
    }
  } else {
    const int t = ClampInt(EditNumber(to), 0, maximum);
    if (EditNumber(from) > t) {
      text.Format(L"%d", t);
      SetDlgItemText(from, text);
    }
  }
  BuildRangeText();
}

void COptionsDialog::OnRestrictionToggled(UINT /*id*/) { BuildRangeText(); }

void COptionsDialog::OnCallPreset() {
  m_presetGuard = 1;
  SetDlgItemText(IDC_OPTIONS_POINTS_FROM, L"15");
  SetDlgItemText(IDC_OPTIONS_POINTS_TO, L"19");
  m_presetGuard = 0;
  BuildRangeText();
}

void COptionsDialog::OnRaisePreset() {
  m_presetGuard = 1;
  SetDlgItemText(IDC_OPTIONS_POINTS_FROM, L"20");
  SetDlgItemText(IDC_OPTIONS_POINTS_TO, L"27");
  m_presetGuard = 0;
  BuildRangeText();
}

void COptionsDialog::OnExplorer() {
  CString text;
  m_descriptionLabel.GetWindowText(text);
  OpenHandrangeExplorer(this, LabelTextAsRange(text));
}

HBRUSH COptionsDialog::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
  HBRUSH brush = CDialog::OnCtlColor(pDC, pWnd, nCtlColor);
  const int id = pWnd ? pWnd->GetDlgCtrlID() : 0;
  if (id == IDC_OPTIONS_GAP1 || id == IDC_OPTIONS_GAP2 || id == IDC_OPTIONS_GAP3) return brush;
  return ThemedDialogCtlBrush(pDC, brush);
}

void COptionsDialog::OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct) {
  if (lpMeasureItemStruct && lpMeasureItemStruct->CtlType == ODT_COMBOBOX) {
    lpMeasureItemStruct->itemHeight = kItemHeight;
    return;
  }
  CDialog::OnMeasureItem(nIDCtl, lpMeasureItemStruct);
}
