#include "dialogs/hand_info_dialog.h"

#include <cmath>

#include "app/settings.h"
#include "controls/app_services.h"
#include "core/cards.h"
#include "core/equity.h"
#include "button_images.h"
#include "card_images.h"
#include "hand_info_dialogs.h"
#include "string_table.h"

namespace {

constexpr wchar_t kSection[] = L"HandInfoDialog";
constexpr int kGridIdSpan = 168;
constexpr UINT_PTR kStartTimer = 1;

// The ids of one hand's controls, hand 1 first.
struct HandIds {
  int rankType, suitType, combos, straightShapes, straightFlushShapes, points, equityFirst, rankFirst, outsideRank;
};
constexpr HandIds kIds[2] = {
    {IDC_INFO_RANK_TYPE, IDC_INFO_SUIT_TYPE, IDC_INFO_COMBOS, IDC_INFO_STRAIGHT_SHAPES, IDC_INFO_STRAIGHT_FLUSH_SHAPES,
     IDC_INFO_POINTS, IDC_INFO_EQUITY_FIRST, IDC_INFO_RANK_FIRST, IDC_INFO_OUTSIDE_RANK},
    {IDC_VS2_RANK_TYPE, IDC_VS2_SUIT_TYPE, IDC_VS2_COMBOS, IDC_VS2_STRAIGHT_SHAPES, IDC_VS2_STRAIGHT_FLUSH_SHAPES,
     IDC_VS2_POINTS, IDC_VS2_EQUITY_FIRST, IDC_VS2_RANK_FIRST, IDC_VS2_OUTSIDE_RANK}};

std::wstring_view View(const CString& text) { return {text.GetString(), static_cast<size_t>(text.GetLength())}; }

CString Percent(double value) {
  CString text;
  text.Format(L"%0.2lf%%", value);
  return text;
}

HBITMAP LoadButtonBitmap(UINT id) {
  HBITMAP image =
      static_cast<HBITMAP>(::LoadImage(AfxGetResourceHandle(), MAKEINTRESOURCE(id), IMAGE_BITMAP, 0, 0, 0));
  if (!image) image = static_cast<HBITMAP>(::LoadImage(::GetModuleHandle(nullptr), MAKEINTRESOURCE(id), IMAGE_BITMAP, 0, 0, 0));
  return image;
}

}  // namespace

BEGIN_MESSAGE_MAP(CHandInfoDialog, CDialog)
  ON_COMMAND_RANGE(IDC_VS_HAND1_CARD_FIRST, IDC_VS_HAND1_CARD_FIRST + kGridIdSpan, &CHandInfoDialog::OnHand1Card)
  ON_COMMAND_RANGE(IDC_VS_HAND2_CARD_FIRST, IDC_VS_HAND2_CARD_FIRST + kGridIdSpan, &CHandInfoDialog::OnHand2Card)
  // A quick second click on an owner-drawn button arrives as a double click: it is a click too.
  ON_CONTROL_RANGE(BN_DOUBLECLICKED, IDC_VS_HAND1_CARD_FIRST, IDC_VS_HAND1_CARD_FIRST + kGridIdSpan, &CHandInfoDialog::OnHand1Card)
  ON_CONTROL_RANGE(BN_DOUBLECLICKED, IDC_VS_HAND2_CARD_FIRST, IDC_VS_HAND2_CARD_FIRST + kGridIdSpan, &CHandInfoDialog::OnHand2Card)
  ON_BN_CLICKED(IDC_INFO_RESET_HAND, &CHandInfoDialog::OnResetHand1)
  ON_BN_CLICKED(IDC_VS_RESET_HAND2, &CHandInfoDialog::OnResetHand2)
  ON_WM_TIMER()
  ON_WM_CTLCOLOR()
  ON_WM_DESTROY()
  ON_NOTIFY(TIPN_SHOWING, 0, &CHandInfoDialog::OnTooltipDisplay)
END_MESSAGE_MAP()

CHandInfoDialog::CHandInfoDialog(CWnd* pParent) : CDialog(IDD_HAND_INFO, pParent) {
  m_cardSprite.LoadBitmap(IDB_CARD_SHEET);
  m_cardMask.LoadBitmap(IDB_CARD_MASK);
}

CHandInfoDialog::~CHandInfoDialog() = default;

void CHandInfoDialog::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_INFO_RESET_HAND, m_resetButtons[0]);
  DDX_Control(pDX, IDC_VS_RESET_HAND2, m_resetButtons[1]);
}

void CHandInfoDialog::SetUpControls() {
  for (int hand = 0; hand < 2; ++hand) {
    for (int k = 0; k < 10; ++k) {
      m_equityEdits[hand][k].m_seatCount = k + 2;  // against one random hand is a two-player pot
      // The outside ranking's row shows only a rank: there is no edit for k = 9.
      if (GetDlgItem(kIds[hand].equityFirst + k)) m_equityEdits[hand][k].SubclassDlgItem(kIds[hand].equityFirst + k, this);
      m_rankLabels[hand][k].SubclassDlgItem(kIds[hand].rankFirst + k, this);
      m_rankLabels[hand][k].m_boxed = 1;
      m_rankLabels[hand][k].m_rightAligned = 1;
    }
    m_versusEdits[hand].m_seatCount = 2;
    m_versusEdits[hand].SubclassDlgItem(hand == 0 ? IDC_VS_EQUITY1 : IDC_VS_EQUITY2, this);
  }
  const int infoIds[12] = {IDC_INFO_RANK_TYPE, IDC_INFO_SUIT_TYPE,  IDC_INFO_COMBOS,         IDC_INFO_STRAIGHT_SHAPES,
                           IDC_INFO_STRAIGHT_FLUSH_SHAPES, IDC_INFO_POINTS, IDC_VS2_RANK_TYPE, IDC_VS2_SUIT_TYPE,
                           IDC_VS2_COMBOS, IDC_VS2_STRAIGHT_SHAPES, IDC_VS2_STRAIGHT_FLUSH_SHAPES, IDC_VS2_POINTS};
  for (int i = 0; i < 12; ++i) {
    m_infoLabels[i].SubclassDlgItem(infoIds[i], this);
    m_infoLabels[i].m_boxed = 1;
    m_infoLabels[i].m_rightAligned = 1;
  }
  CThemeHelperST* theme = AppThemeHelper();
  const bool themed = theme && theme->IsAppThemed();
  for (CXPStyleButtonST& button : m_resetButtons) {
    button.m_themeHelper = theme;
    button.m_drawBorder = themed ? 0 : 1;
    if (HBITMAP image = LoadButtonBitmap(IDB_BUTTON_RESET)) button.SetStateBitmaps(image);
    button.SetTooltipFromResource(IDS_TIP_RESET_HAND);
  }
}

BOOL CHandInfoDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  SetUpControls();
  // No class yet: the ranks read "- / 16432" before any hand is picked.
  ShowFacts(1, CString());
  ShowFacts(2, CString());

  CFont* font = GetDlgItem(IDCANCEL) ? GetDlgItem(IDCANCEL)->GetFont() : nullptr;
  m_hand1Grid.Create(this, IDC_VS_HAND1_GROUP, IDC_VS_HAND1_CARD_FIRST, font, &m_cardSprite, &m_cardMask);
  m_hand2Grid.Create(this, IDC_VS_HAND2_GROUP, IDC_VS_HAND2_CARD_FIRST, font, &m_cardSprite, &m_cardMask);
  OnResetHand1();
  OnResetHand2();
  RestoreHand(m_hand1Grid, m_hand2Grid, L"Hand1");
  RestoreHand(m_hand2Grid, m_hand1Grid, L"Hand2");

  if (m_tooltip.Create(this)) {
    m_tooltip.SetUpForDialog(this, 800, 500, 10000);
    for (int hand = 0; hand < 2; ++hand)
      for (int k = 0; k < 10; ++k) {
        CWnd* edit = GetDlgItem(kIds[hand].equityFirst + k);
        if (!edit) continue;  // the outside ranking's row has no equity field
        PPToolInfo tool;
        tool.id = static_cast<UINT>(kIds[hand].equityFirst + k);
        m_tooltip.AddTool(edit, tool);
      }
  }

  // The restored hands are evaluated once the dialog shows.
  m_timerId = SetTimer(kStartTimer, 100, nullptr);
  return TRUE;
}

void CHandInfoDialog::RestoreHand(CardGrid& grid, CardGrid& other, const wchar_t* key) {
  int ranks[4], suits[4];
  // A stored value that is not four distinct cards, or shares a card with the other hand, is
  // ignored: the dialog itself never writes one.
  if (!ReadStoredCards(ReadProfileString(kSection, key), 4, ranks, suits)) return;
  for (int i = 0; i < 4; ++i)
    if (other.Selected(ranks[i], suits[i])) return;
  for (int i = 0; i < 4; ++i) {
    grid.Button(ranks[i], suits[i])->m_selected = 1;
    if (COwnerDrawOneCardButton* same = other.Button(ranks[i], suits[i])) same->EnableWindow(FALSE);
    grid.Redraw(ranks[i], suits[i]);
    other.Redraw(ranks[i], suits[i]);
  }
}

BOOL CHandInfoDialog::PreTranslateMessage(MSG* pMsg) {
  if (m_tooltip.GetSafeHwnd()) m_tooltip.RelayEvent(pMsg);
  if (CapitaliseCardLetter(pMsg)) return FALSE;
  return CDialog::PreTranslateMessage(pMsg);
}

void CHandInfoDialog::ToggleCard(CardGrid& grid, CardGrid& other, UINT id) {
  const int offset = static_cast<int>(id - grid.m_firstId);
  const int suit = offset / 13, rank = offset % 13;
  COwnerDrawOneCardButton* button = grid.Button(rank, suit);
  // A card of the other hand is disabled here; a click that reaches it anyway takes nothing.
  if (!button || !button->IsWindowEnabled()) return;
  const bool select = !button->m_selected;
  if (select && grid.CountSelected() >= 4) return;
  button->m_selected = select ? 1 : 0;
  if (COwnerDrawOneCardButton* same = other.Button(rank, suit)) same->EnableWindow(select ? FALSE : TRUE);
  grid.Redraw(rank, suit);
  other.Redraw(rank, suit);
}

void CHandInfoDialog::OnHand1Card(UINT id) {
  ToggleCard(m_hand1Grid, m_hand2Grid, id);
  UpdateHandInfo(1, true);
}

void CHandInfoDialog::OnHand2Card(UINT id) {
  ToggleCard(m_hand2Grid, m_hand1Grid, id);
  UpdateHandInfo(2, true);
}

void CHandInfoDialog::ResetHand(CardGrid& grid, CardGrid& other) {
  for (int rank = 0; rank < CardGrid::kRanks; ++rank)
    for (int suit = 0; suit < CardGrid::kSuits; ++suit) {
      if (COwnerDrawOneCardButton* button = grid.Button(rank, suit)) button->m_selected = 0;
      if (COwnerDrawOneCardButton* same = other.Button(rank, suit)) same->EnableWindow(TRUE);
      grid.Invalidate(rank, suit);
      other.Invalidate(rank, suit);
    }
  // One paint for every card at once.
  RedrawWindow(nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void CHandInfoDialog::OnResetHand1() {
  ResetHand(m_hand1Grid, m_hand2Grid);
  UpdateHandInfo(1, true);
  SetItem(IDC_VS_EQUITY1, CString());
  SetItem(IDC_VS_EQUITY2, CString());
}

void CHandInfoDialog::OnResetHand2() {
  ResetHand(m_hand2Grid, m_hand1Grid);
  UpdateHandInfo(2, true);
  SetItem(IDC_VS_EQUITY1, CString());
  SetItem(IDC_VS_EQUITY2, CString());
}

void CHandInfoDialog::SetItem(int id, const CString& text) {
  CWnd* item = GetDlgItem(id);
  if (!item) return;
  // An unchanged text is neither set nor painted again.
  CString shown;
  item->GetWindowText(shown);
  if (shown == text) return;
  item->SetWindowText(text);
  item->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CHandInfoDialog::ShowFacts(int which, const CString& handText) {
  const HandIds& ids = kIds[which - 1];
  const HandClassFacts facts = DescribeHandClass(AppHandBase(), handText, AppUsesHiLo());
  SetItem(ids.rankType, facts.rankType);
  SetItem(ids.suitType, facts.suitType);
  SetItem(ids.straightShapes, facts.straightShapes);
  SetItem(ids.straightFlushShapes, facts.straightFlushShapes);
  SetItem(ids.points, facts.points);
  SetItem(ids.combos, facts.combos);
  for (int k = 0; k < 9; ++k) {
    SetItem(ids.equityFirst + k, facts.equity[k]);
    SetItem(ids.rankFirst + k, facts.rank[k]);
  }
  SetItem(ids.outsideRank, facts.rank[9]);
}

void CHandInfoDialog::ShowVersusEquity(double hand1Equity) {
  SetItem(IDC_VS_EQUITY1, Percent(hand1Equity));
  SetItem(IDC_VS_EQUITY2, Percent(100.0 - hand1Equity));
}

void CHandInfoDialog::UpdateHandInfo(int which, bool withEquity) {
  const CString t1 = GetHand1Text(), t2 = GetHand2Text();
  const bool changed1 = t1 != m_lastHand1Text, changed2 = t2 != m_lastHand2Text;
  if (which == 1 && changed1) {
    m_lastHand1Text = t1;
    ShowFacts(1, t1);
  }
  if (which == 2 && changed2) {
    m_lastHand2Text = t2;
    ShowFacts(2, t2);
  }
  if (!withEquity || t1.GetLength() != 8 || t2.GetLength() != 8 || !(changed1 || changed2)) return;

  CWaitCursor wait;
  const CardMask hands[2] = {ParseHandMask(View(t1)), ParseHandMask(View(t2))};
  double result[kMaxSeats] = {};
  ++m_simulationCount;
  if (AppUsesHiLo())
    SimulateHandsHiLo(&CHandInfoDialog::ShowEquityProgress, this, hands, 2, result, kTrials, 0);
  else
    SimulateHandsHi(&CHandInfoDialog::ShowEquityProgress, this, hands, 2, result, kTrials, 0);
  ShowVersusEquity(result[0]);
}

int CHandInfoDialog::ShowEquityProgress(void* user, int isStart, double* values1, int, double*, int, double*, int,
                                        double*, int) {
  if (isStart || !user || !values1 || !(values1[0] >= 0.0)) return 1;
  static_cast<CHandInfoDialog*>(user)->ShowVersusEquity(values1[0]);
  return 1;
}

void CHandInfoDialog::OnTimer(UINT_PTR nIDEvent) {
  if (nIDEvent != kStartTimer) {
    CDialog::OnTimer(nIDEvent);
    return;
  }
  KillTimer(kStartTimer);
  m_timerId = 0;
  UpdateHandInfo(1, false);
  UpdateHandInfo(2, true);
}

CString CHandInfoDialog::TooltipTextFor(int controlId) const {
  if (controlId >= IDC_INFO_EQUITY_FIRST && controlId <= IDC_INFO_EQUITY_FIRST + 9)
    return BuildClassEquityTooltip(AppHandBase(), GetHand1Text(), controlId - IDC_INFO_EQUITY_FIRST, AppUsesHiLo());
  if (controlId >= IDC_VS2_EQUITY_FIRST && controlId <= IDC_VS2_EQUITY_FIRST + 9)
    return BuildClassEquityTooltip(AppHandBase(), GetHand2Text(), controlId - IDC_VS2_EQUITY_FIRST, AppUsesHiLo());
  return CString();
}

HBRUSH CHandInfoDialog::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
  HBRUSH standard = CDialog::OnCtlColor(pDC, pWnd, nCtlColor);
  // The equity edits colour themselves by their value.
  const int id = pWnd ? pWnd->GetDlgCtrlID() : 0;
  if ((id >= IDC_INFO_EQUITY_FIRST && id <= IDC_INFO_EQUITY_FIRST + 8) ||
      (id >= IDC_VS2_EQUITY_FIRST && id <= IDC_VS2_EQUITY_FIRST + 8) || id == IDC_VS_EQUITY1 || id == IDC_VS_EQUITY2)
    return standard;
  return ThemedDialogCtlBrush(pDC, standard);
}

void CHandInfoDialog::OnTooltipDisplay(NMHDR* pNMHDR, LRESULT* pResult) {
  *pResult = 0;
  auto* note = reinterpret_cast<PPToolTipShowing*>(pNMHDR);
  if (!note->tool) return;
  const CString text = TooltipTextFor(static_cast<int>(note->tool->id));
  if (!text.IsEmpty()) note->tool->text = text;
}

void CHandInfoDialog::OnDestroy() {
  if (m_tooltip.GetSafeHwnd()) m_tooltip.DestroyWindow();
  if (m_timerId) KillTimer(kStartTimer);
  CDialog::OnDestroy();
  CWinApp* app = AfxGetApp();
  app->WriteProfileString(kSection, L"Hand1", GetHand1Text());
  app->WriteProfileString(kSection, L"Hand2", GetHand2Text());
}
