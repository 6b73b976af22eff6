#include "dialogs/hand_info_streets_dialog.h"

#include "app/app_utils.h"
#include "app/settings.h"
#include "controls/app_services.h"
#include "core/cards.h"
#include "core/cardtext.h"
#include "core/classify_flop.h"
#include "core/outs_turn.h"
#include "dialogs/html_dialog.h"
#include "button_images.h"
#include "card_images.h"
#include "hand_info_dialogs.h"
#include "string_table.h"

namespace {

constexpr wchar_t kSection[] = L"HandInfoStreetsDialog";
constexpr int kGridIdSpan = 168;  // 13 * 13 - 1: ids whose "suit" reaches 12 still arrive

std::wstring_view View(const CString& text) { return {text.GetString(), static_cast<size_t>(text.GetLength())}; }

HBITMAP LoadButtonBitmap(UINT id) {
  HBITMAP image =
      static_cast<HBITMAP>(::LoadImage(AfxGetResourceHandle(), MAKEINTRESOURCE(id), IMAGE_BITMAP, 0, 0, 0));
  if (!image) image = static_cast<HBITMAP>(::LoadImage(::GetModuleHandle(nullptr), MAKEINTRESOURCE(id), IMAGE_BITMAP, 0, 0, 0));
  return image;
}

}  // namespace

BEGIN_MESSAGE_MAP(CHandInfoStreetsDialog, CDialog)
  ON_COMMAND_RANGE(IDC_STREETS_HAND_CARD_FIRST, IDC_STREETS_HAND_CARD_FIRST + kGridIdSpan, &CHandInfoStreetsDialog::OnHandCard)
  ON_COMMAND_RANGE(IDC_STREETS_FLOP_CARD_FIRST, IDC_STREETS_FLOP_CARD_FIRST + kGridIdSpan, &CHandInfoStreetsDialog::OnFlopCard)
  ON_COMMAND_RANGE(IDC_STREETS_TURN_CARD_FIRST, IDC_STREETS_TURN_CARD_FIRST + kGridIdSpan, &CHandInfoStreetsDialog::OnTurnCard)
  // An owner-drawn button reports a quick second click as a double click only: it counts as a
  // click, so a card clicked twice is taken and given back.
  ON_CONTROL_RANGE(BN_DOUBLECLICKED, IDC_STREETS_HAND_CARD_FIRST, IDC_STREETS_HAND_CARD_FIRST + kGridIdSpan, &CHandInfoStreetsDialog::OnHandCard)
  ON_CONTROL_RANGE(BN_DOUBLECLICKED, IDC_STREETS_FLOP_CARD_FIRST, IDC_STREETS_FLOP_CARD_FIRST + kGridIdSpan, &CHandInfoStreetsDialog::OnFlopCard)
  ON_CONTROL_RANGE(BN_DOUBLECLICKED, IDC_STREETS_TURN_CARD_FIRST, IDC_STREETS_TURN_CARD_FIRST + kGridIdSpan, &CHandInfoStreetsDialog::OnTurnCard)
  ON_BN_CLICKED(IDC_INFO_RESET_HAND, &CHandInfoStreetsDialog::OnResetHand)
  ON_BN_CLICKED(IDC_STREETS_RESET_FLOP, &CHandInfoStreetsDialog::OnResetFlop)
  ON_BN_CLICKED(IDC_STREETS_RESET_TURN, &CHandInfoStreetsDialog::OnResetTurn)
  ON_BN_CLICKED(IDC_STREETS_MARK_STRAIGHT, &CHandInfoStreetsDialog::OnMarkStraightOuts)
  ON_BN_CLICKED(IDC_STREETS_MARK_NUT_STRAIGHT, &CHandInfoStreetsDialog::OnMarkNutStraightOuts)
  ON_BN_CLICKED(IDC_STREETS_MARK_FLUSH, &CHandInfoStreetsDialog::OnMarkFlushOuts)
  ON_BN_CLICKED(IDC_STREETS_MARK_NUT_FLUSH, &CHandInfoStreetsDialog::OnMarkNutFlushOuts)
  ON_BN_CLICKED(IDC_STREETS_REPORT, &CHandInfoStreetsDialog::ShowStraightDrawReport)
  ON_WM_CTLCOLOR()
  ON_WM_DESTROY()
  ON_NOTIFY(TIPN_SHOWING, 0, &CHandInfoStreetsDialog::OnTooltipDisplay)
END_MESSAGE_MAP()

CHandInfoStreetsDialog::CHandInfoStreetsDialog(CWnd* pParent) : CDialog(IDD_HAND_INFO_STREETS, pParent) {
  m_cardSprite.LoadBitmap(IDB_CARD_SHEET);
  m_cardMask.LoadBitmap(IDB_CARD_MASK);
}

CHandInfoStreetsDialog::~CHandInfoStreetsDialog() = default;

void CHandInfoStreetsDialog::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_INFO_RESET_HAND, m_resetHandButton);
  DDX_Control(pDX, IDC_STREETS_RESET_FLOP, m_resetFlopButton);
  DDX_Control(pDX, IDC_STREETS_RESET_TURN, m_resetTurnButton);
  DDX_Control(pDX, IDC_STREETS_MARK_STRAIGHT, m_markStraightButton);
  DDX_Control(pDX, IDC_STREETS_MARK_NUT_STRAIGHT, m_markNutStraightButton);
  DDX_Control(pDX, IDC_STREETS_MARK_FLUSH, m_markFlushButton);
  DDX_Control(pDX, IDC_STREETS_MARK_NUT_FLUSH, m_markNutFlushButton);
}

void CHandInfoStreetsDialog::SetUpControls() {
  for (int k = 0; k < 10; ++k) {
    m_equityEdits[k].m_seatCount = k + 2;  // against one random hand is a two-player pot
    if (GetDlgItem(IDC_INFO_EQUITY_FIRST + k)) m_equityEdits[k].SubclassDlgItem(IDC_INFO_EQUITY_FIRST + k, this);
    m_rankLabels[k].SubclassDlgItem(IDC_INFO_RANK_FIRST + k, this);
    m_rankLabels[k].m_boxed = 1;
    m_rankLabels[k].m_rightAligned = 1;
  }
  m_flopStrength.SubclassDlgItem(IDC_STREETS_FLOP_STRENGTH, this);
  m_flopStrength.m_boxed = 1;
  m_flopStrength.m_centerVertically = 0;
  struct Framed {
    COwnerdrawedStatic* label;
    int id;
  };
  const Framed framed[] = {{&m_turnStrength, IDC_STREETS_TURN_STRENGTH},
                           {&m_outCounts[0], IDC_STREETS_STRAIGHT_OUTS},
                           {&m_outCounts[1], IDC_STREETS_NUT_STRAIGHT_OUTS},
                           {&m_outCounts[2], IDC_STREETS_FLUSH_OUTS},
                           {&m_outCounts[3], IDC_STREETS_NUT_FLUSH_OUTS},
                           {&m_rankType, IDC_INFO_RANK_TYPE},
                           {&m_suitType, IDC_INFO_SUIT_TYPE},
                           {&m_combos, IDC_INFO_COMBOS},
                           {&m_straightShapes, IDC_INFO_STRAIGHT_SHAPES},
                           {&m_straightFlushShapes, IDC_INFO_STRAIGHT_FLUSH_SHAPES},
                           {&m_points, IDC_INFO_POINTS}};
  for (const Framed& f : framed) {
    f.label->SubclassDlgItem(f.id, this);
    f.label->m_boxed = 1;
    f.label->m_rightAligned = 1;
  }

  CThemeHelperST* theme = AppThemeHelper();
  const bool themed = theme && theme->IsAppThemed();
  struct ImageButton {
    CXPStyleButtonST* button;
    UINT bitmap;
    UINT tip;
  };
  const ImageButton buttons[] = {{&m_resetHandButton, IDB_BUTTON_RESET, IDS_TIP_RESET},
                                 {&m_resetFlopButton, IDB_BUTTON_RESET, IDS_TIP_RESET},
                                 {&m_resetTurnButton, IDB_BUTTON_RESET, IDS_TIP_RESET},
                                 {&m_markStraightButton, IDB_BUTTON_MARK_OUTS, IDS_TIP_STRAIGHT_OUTS},
                                 {&m_markNutStraightButton, IDB_BUTTON_MARK_OUTS, IDS_TIP_NUT_STRAIGHT_OUTS},
                                 {&m_markFlushButton, IDB_BUTTON_MARK_OUTS, IDS_TIP_FLUSH_OUTS},
                                 {&m_markNutFlushButton, IDB_BUTTON_MARK_OUTS, IDS_TIP_NUT_FLUSH_OUTS}};
  for (const ImageButton& b : buttons) {
    b.button->m_themeHelper = theme;
    b.button->m_drawBorder = themed ? 0 : 1;
    if (HBITMAP image = LoadButtonBitmap(b.bitmap)) b.button->SetStateBitmaps(image);
    b.button->SetTooltipFromResource(b.tip);
  }
}

BOOL CHandInfoStreetsDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  SetUpControls();

  CFont* font = m_resetHandButton.GetSafeHwnd() ? m_resetHandButton.GetFont() : nullptr;
  m_handGrid.Create(this, IDC_STREETS_HAND_GROUP, IDC_STREETS_HAND_CARD_FIRST, font, &m_cardSprite, &m_cardMask);
  m_flopGrid.Create(this, IDC_STREETS_FLOP_GROUP, IDC_STREETS_FLOP_CARD_FIRST, font, &m_cardSprite, &m_cardMask);
  m_turnGrid.Create(this, IDC_STREETS_TURN_GROUP, IDC_STREETS_TURN_CARD_FIRST, font, &m_cardSprite, &m_cardMask);
  OnResetHand();
  OnResetFlop();
  OnResetTurn();

  RestoreCards(m_handGrid, L"Hand", 4);
  UpdatePreflopInfo();
  RestoreCards(m_flopGrid, L"Flop", 3);
  UpdateFlopInfo();
  UpdateButtonStates();

  // The shipped template hides the turn area: the window ends where it begins.
  if (CWnd* turnReset = GetDlgItem(IDC_STREETS_RESET_TURN); turnReset && !turnReset->IsWindowVisible()) {
    CRect window, reset;
    GetWindowRect(&window);
    turnReset->GetWindowRect(&reset);
    SetWindowPos(nullptr, 0, 0, reset.left - window.left, window.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }

  if (m_tooltip.Create(this)) {
    m_tooltip.SetUpForDialog(this, 800, 500, 10000);
    for (int k = 0; k < 10; ++k) {
      CWnd* edit = GetDlgItem(IDC_INFO_EQUITY_FIRST + k);
      if (!edit) continue;  // the outside ranking's row has no equity field
      PPToolInfo tool;
      tool.id = IDC_INFO_EQUITY_FIRST + k;
      m_tooltip.AddTool(edit, tool);
    }
  }
  return TRUE;
}

void CHandInfoStreetsDialog::RestoreCards(CardGrid& grid, const wchar_t* key, int count) {
  int ranks[4], suits[4];
  // Only what the dialog itself writes is taken: that many distinct cards, none held elsewhere.
  if (!ReadStoredCards(ReadProfileString(kSection, key), count, ranks, suits)) return;
  for (int i = 0; i < count; ++i)
    if (SelectedElsewhere(grid, ranks[i], suits[i])) return;
  for (int i = 0; i < count; ++i) {
    grid.Button(ranks[i], suits[i])->m_selected = 1;
    for (CardGrid* other : {&m_handGrid, &m_flopGrid, &m_turnGrid})
      if (other != &grid)
        if (COwnerDrawOneCardButton* button = other->Button(ranks[i], suits[i])) button->EnableWindow(FALSE);
    m_handGrid.Redraw(ranks[i], suits[i]);
    m_flopGrid.Redraw(ranks[i], suits[i]);
    m_turnGrid.Redraw(ranks[i], suits[i]);
  }
}

bool CHandInfoStreetsDialog::SelectedElsewhere(const CardGrid& grid, int rank, int suit) const {
  for (const CardGrid* other : {&m_handGrid, &m_flopGrid, &m_turnGrid})
    if (other != &grid && other->Selected(rank, suit)) return true;
  return false;
}

BOOL CHandInfoStreetsDialog::PreTranslateMessage(MSG* pMsg) {
  if (m_tooltip.GetSafeHwnd()) m_tooltip.RelayEvent(pMsg);
  if (CapitaliseCardLetter(pMsg)) return FALSE;
  return CDialog::PreTranslateMessage(pMsg);
}

void CHandInfoStreetsDialog::ToggleCard(CardGrid& grid, UINT id, int limit) {
  const int offset = static_cast<int>(id - grid.m_firstId);
  const int suit = offset / 13, rank = offset % 13;
  COwnerDrawOneCardButton* button = grid.Button(rank, suit);
  // A card held by another grid is disabled here; a click that reaches it anyway takes nothing.
  if (!button || !button->IsWindowEnabled()) return;
  const bool select = !button->m_selected;
  if (select && grid.CountSelected() >= limit) return;
  button->m_selected = select ? 1 : 0;
  for (CardGrid* other : {&m_handGrid, &m_flopGrid, &m_turnGrid})
    if (other != &grid)
      if (COwnerDrawOneCardButton* same = other->Button(rank, suit)) same->EnableWindow(select ? FALSE : TRUE);
  m_handGrid.Redraw(rank, suit);
  m_flopGrid.Redraw(rank, suit);
  m_turnGrid.Redraw(rank, suit);
}

void CHandInfoStreetsDialog::OnHandCard(UINT id) {
  ClearOutMarks();
  ToggleCard(m_handGrid, id, 4);
  UpdatePreflopInfo();
  UpdateFlopInfo();
  UpdateTurnInfo();
  UpdateButtonStates();
}

void CHandInfoStreetsDialog::OnFlopCard(UINT id) {
  ClearOutMarks();
  ToggleCard(m_flopGrid, id, 3);
  UpdateFlopInfo();
  UpdateButtonStates();
}

void CHandInfoStreetsDialog::OnTurnCard(UINT id) {
  ToggleCard(m_turnGrid, id, 3);
  UpdateTurnInfo();
  UpdateButtonStates();
}

void CHandInfoStreetsDialog::ResetGrid(CardGrid& grid) {
  for (int rank = 0; rank < CardGrid::kRanks; ++rank) {
    for (int suit = 0; suit < CardGrid::kSuits; ++suit) {
      if (COwnerDrawOneCardButton* button = grid.Button(rank, suit)) button->m_selected = 0;
      for (CardGrid* each : {&m_handGrid, &m_flopGrid, &m_turnGrid})
        if (COwnerDrawOneCardButton* button = each->Button(rank, suit))
          button->EnableWindow(SelectedElsewhere(*each, rank, suit) ? FALSE : TRUE);
      m_handGrid.Invalidate(rank, suit);
      m_flopGrid.Invalidate(rank, suit);
      m_turnGrid.Invalidate(rank, suit);
    }
  }
  // One paint for every card at once.
  RedrawWindow(nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void CHandInfoStreetsDialog::OnResetHand() {
  ClearOutMarks();
  ResetGrid(m_handGrid);
  UpdatePreflopInfo();
  UpdateFlopInfo();
  UpdateTurnInfo();
  UpdateButtonStates();
}

void CHandInfoStreetsDialog::OnResetFlop() {
  ClearOutMarks();
  ResetGrid(m_flopGrid);
  UpdateFlopInfo();
  UpdateButtonStates();
}

void CHandInfoStreetsDialog::OnResetTurn() {
  ResetGrid(m_turnGrid);
  UpdateTurnInfo();
  UpdateButtonStates();
}

void CHandInfoStreetsDialog::SetLabel(int id, const CString& text) {
  CWnd* item = GetDlgItem(id);
  if (!item) return;
  // An unchanged text is neither set nor painted again.
  CString shown;
  item->GetWindowText(shown);
  if (shown == text) return;
  item->SetWindowText(text);
  item->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CHandInfoStreetsDialog::UpdatePreflopInfo() {
  const HandClassFacts facts = DescribeHandClass(AppHandBase(), GetHandText(), AppUsesHiLo());
  SetLabel(IDC_INFO_RANK_TYPE, facts.rankType);
  SetLabel(IDC_INFO_SUIT_TYPE, facts.suitType);
  SetLabel(IDC_INFO_STRAIGHT_SHAPES, facts.straightShapes);
  SetLabel(IDC_INFO_STRAIGHT_FLUSH_SHAPES, facts.straightFlushShapes);
  SetLabel(IDC_INFO_POINTS, facts.points);
  SetLabel(IDC_INFO_COMBOS, facts.combos);
  for (int k = 0; k < 9; ++k) {
    SetLabel(IDC_INFO_EQUITY_FIRST + k, facts.equity[k]);
    SetLabel(IDC_INFO_RANK_FIRST + k, facts.rank[k]);
  }
  SetLabel(IDC_INFO_OUTSIDE_RANK, facts.rank[9]);
}

void CHandInfoStreetsDialog::UpdateFlopInfo() {
  const CString hand = GetHandText(), flop = GetFlopText();
  SetLabel(IDC_STREETS_FLOP_STRENGTH, DescribeFlopHand(View(hand), View(flop)).c_str());

  std::wstring all, nut;
  CString straight, nutStraight;
  if (ListStraightOuts(View(hand), View(flop), all, nut) == kStraightOutsListed) {
    straight.Format(L"%0d", static_cast<int>(all.size() / 2));
    nutStraight.Format(L"%0d", static_cast<int>(nut.size() / 2));
  }
  m_straightOuts = all.c_str();
  m_nutStraightOuts = nut.c_str();
  SetLabel(IDC_STREETS_STRAIGHT_OUTS, straight);
  SetLabel(IDC_STREETS_NUT_STRAIGHT_OUTS, nutStraight);

  all.clear();
  nut.clear();
  CString flush, nutFlush;
  if (ListFlushOuts(View(hand), View(flop), all, nut) != 0) {
    flush.Format(L"%0d", static_cast<int>(all.size() / 2));
    nutFlush.Format(L"%0d", static_cast<int>(nut.size() / 2));
  }
  m_flushOuts = all.c_str();
  m_nutFlushOuts = nut.c_str();
  SetLabel(IDC_STREETS_FLUSH_OUTS, flush);
  SetLabel(IDC_STREETS_NUT_FLUSH_OUTS, nutFlush);
}

void CHandInfoStreetsDialog::UpdateTurnInfo() {
  const CString board = GetFlopText() + GetTurnText();
  SetLabel(IDC_STREETS_TURN_STRENGTH, DescribeFlopHand(View(GetHandText()), View(board)).c_str());
}

void CHandInfoStreetsDialog::UpdateButtonStates() {
  CString flushCount, rankType;
  if (CWnd* label = GetDlgItem(IDC_STREETS_FLUSH_OUTS)) label->GetWindowText(flushCount);
  if (CWnd* label = GetDlgItem(IDC_INFO_RANK_TYPE)) label->GetWindowText(rankType);
  for (int id : {IDC_STREETS_MARK_STRAIGHT, IDC_STREETS_MARK_NUT_STRAIGHT, IDC_STREETS_MARK_FLUSH, IDC_STREETS_MARK_NUT_FLUSH})
    if (CWnd* button = GetDlgItem(id)) button->EnableWindow(!flushCount.IsEmpty());
  if (CWnd* report = GetDlgItem(IDC_STREETS_REPORT)) report->EnableWindow(!rankType.IsEmpty());
}

void CHandInfoStreetsDialog::ClearOutMarks() {
  for (CardGrid* grid : {&m_handGrid, &m_flopGrid, &m_turnGrid})
    for (int rank = 0; rank < CardGrid::kRanks; ++rank)
      for (int suit = 0; suit < CardGrid::kSuits; ++suit)
        if (COwnerDrawOneCardButton* button = grid->Button(rank, suit); button && button->m_marked) {
          button->m_marked = 0;
          grid->Redraw(rank, suit);
        }
}

void CHandInfoStreetsDialog::MarkOuts(const CString& outs) {
  for (int rank = 0; rank < CardGrid::kRanks; ++rank)
    for (int suit = 0; suit < CardGrid::kSuits; ++suit)
      if (COwnerDrawOneCardButton* button = m_flopGrid.Button(rank, suit); button && button->m_marked) {
        button->m_marked = 0;
        m_flopGrid.Redraw(rank, suit);
      }
  for (int at = 0; at + 1 < outs.GetLength(); at += 2) {
    int rank = -1, suit = -1;
    ParseCardText(View(outs.Mid(at, 2)), &rank, &suit);
    if (COwnerDrawOneCardButton* button = m_flopGrid.Button(rank, suit)) {
      button->m_marked = 1;
      m_flopGrid.Redraw(rank, suit);
    }
  }
}

void CHandInfoStreetsDialog::OnMarkStraightOuts() { MarkOuts(m_straightOuts); }
void CHandInfoStreetsDialog::OnMarkNutStraightOuts() { MarkOuts(m_nutStraightOuts); }
void CHandInfoStreetsDialog::OnMarkFlushOuts() { MarkOuts(m_flushOuts); }
void CHandInfoStreetsDialog::OnMarkNutFlushOuts() { MarkOuts(m_nutFlushOuts); }

CString CHandInfoStreetsDialog::TooltipTextFor(int controlId) const {
  if (controlId < IDC_INFO_EQUITY_FIRST || controlId > IDC_INFO_EQUITY_FIRST + 9) return CString();
  return BuildClassEquityTooltip(AppHandBase(), GetHandText(), controlId - IDC_INFO_EQUITY_FIRST, AppUsesHiLo());
}

CString BuildStraightDrawReport(const CString& handText) {
  const std::wstring_view hand = View(handText);
  int tally[48][48] = {};
  int straights = 0, nutStraights = 0;
  for (int i = 0; i < 13; ++i)
    for (int j = i + 1; j < 13; ++j)
      for (int k = j + 1; k < 13; ++k) {
        // The flop's suits do not matter for straights: three diamonds stand for every flop.
        const std::wstring flop = FormatCard(i, 0, 0) + FormatCard(j, 0, 0) + FormatCard(k, 0, 0);
        std::wstring outs, nutOuts;
        const int result = ListStraightOuts(hand, flop, outs, nutOuts);
        if (result == kStraightOutsListed) {
          const size_t a = outs.size() / 2, b = nutOuts.size() / 2;
          if (a < 48 && b < 48) ++tally[a][b];
        } else if (result == kHoldsStraight) {
          ++straights;
        } else if (result == kHoldsNutStraight) {
          ++nutStraights;
        }
      }

  auto load = [](UINT id) {
    CString text;
    text.LoadString(id);
    return text;
  };
  CString images = FormatHandAsCardImages(handText, 0);
  images.Replace(L"&nbsp;&nbsp;&nbsp;", L"&nbsp;");

  CString page = L"<html><head>\n\n";
  page +=
      L"<style type='text/css'>\n<!--\nbody {\n\tmargin-left:4;\n\tmargin-top:4;\n\tmargin-bottom:4;\n\tmargin-right:4;\n"
      L"\tfont-family:Arial;\n\tfont-size:9pt;\n}\ntable {\n\tfont-family:Arial;\n\tfont-size:9pt;\n}\ntr {\n"
      L"\tvertical-align:top;\n}\ntd {\n\tbackground-color:#E8E8E8;\n}\ntd.w {\n\tbackground-color:#FFFFFF;\n}\n-->\n"
      L"</style>\n\t\t";
  page += L"</head><body>\n";
  page += L"<table BORDER=0>";
  page += L"<tr>\n   <td colspan=4>\n" + images + L"   </td>\n</tr>\n";
  page += L"<tr></tr>\n";
  page.AppendFormat(
      L"<tr>\t<td align=center><b>&nbsp;</b></td>\t<td align=center><b>&nbsp;</b></td>\t<td\talign=center><b>&nbsp;%s&nbsp;</b></td>"
      L"\t<td align=center><b>&nbsp;%s&nbsp;</b></td></tr>\n",
      load(IDS_COUNT).GetString(), load(IDS_PERCENT).GetString());
  const wchar_t* madeRow =
      L"<tr>\t<td class=w align=left colspan=2><b>&nbsp;%s&nbsp;</b></td>\t<td class=w align=center><b>&nbsp;%0d&nbsp;</b></td>"
      L"\t<td class=w align=center><b>&nbsp;%0.2lf %%&nbsp;</b></td></tr>\n";
  page.AppendFormat(madeRow, load(IDS_FLOPPED_STRAIGHT).GetString(), straights, straights * 100.0 / 286);
  page.AppendFormat(madeRow, load(IDS_FLOPPED_NUT_STRAIGHT).GetString(), nutStraights, nutStraights * 100.0 / 286);
  page += L"<tr></tr>\n";
  page.AppendFormat(
      L"<tr>\t<td align=center><b>&nbsp;%s&nbsp;</b></td>\t<td align=center><b>&nbsp;%s&nbsp;</b></td>\t<td\talign=center><b>&nbsp;%s&nbsp;</b></td>"
      L"\t<td align=center><b>&nbsp;%s&nbsp;</b></td></tr>\n",
      load(IDS_STRAIGHT_OUTS).GetString(), load(IDS_NUT_STRAIGHT_OUTS).GetString(), load(IDS_COUNT).GetString(),
      load(IDS_PERCENT).GetString());
  for (int a = 0; a < 48; ++a)
    for (int b = 0; b < 48; ++b) {
      if (tally[a][b] <= 0) continue;
      page.AppendFormat(
          L"<tr>\t<td%s align=center><b>&nbsp;%0d&nbsp;</b></td>\t<td%s align=center><b>&nbsp;%0d&nbsp;</b></td>"
          L"\t<td%s align=center><b>&nbsp;%0d&nbsp;</b></td>\t<td%s align=center><b>&nbsp;%0.2lf %%&nbsp;</b></td></tr>\n",
          L" class=w", a, L" class=w", b, L" class=w", tally[a][b], L" class=w", tally[a][b] * 100.0 / 286);
    }
  page += L"</table>";
  page += L"\n</body>\n</html>";
  return page;
}

void CHandInfoStreetsDialog::ShowStraightDrawReport() {
  CString page;
  {
    // The wait cursor covers the counting only, not the user's reading of the page.
    CWaitCursor wait;
    page = BuildStraightDrawReport(GetHandText());
  }
  CRect button;
  if (CWnd* report = GetDlgItem(IDC_STREETS_REPORT)) report->GetWindowRect(&button);
  ShowReportPage(page, button.TopLeft());
}

void CHandInfoStreetsDialog::ShowReportPage(const CString& pageText, CPoint anchor) {
  CHTMLDialog viewer(this);
  viewer.m_pageText = pageText;
  viewer.m_anchorX = anchor.x;
  viewer.m_anchorY = anchor.y;
  viewer.m_placeAbove = 0;
  viewer.m_title.LoadString(IDS_STRAIGHT_DRAW_PROBABILITIES);
  viewer.DoModal();
}

HBRUSH CHandInfoStreetsDialog::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
  HBRUSH standard = CDialog::OnCtlColor(pDC, pWnd, nCtlColor);
  // The equity edits colour themselves by their value.
  const int id = pWnd ? pWnd->GetDlgCtrlID() : 0;
  if (id >= IDC_INFO_EQUITY_FIRST && id <= IDC_INFO_EQUITY_FIRST + 8) return standard;
  return ThemedDialogCtlBrush(pDC, standard);
}

void CHandInfoStreetsDialog::OnTooltipDisplay(NMHDR* pNMHDR, LRESULT* pResult) {
  *pResult = 0;
  auto* note = reinterpret_cast<PPToolTipShowing*>(pNMHDR);
  if (!note->tool) return;
  const CString text = TooltipTextFor(static_cast<int>(note->tool->id));
  if (!text.IsEmpty()) note->tool->text = text;
}

void CHandInfoStreetsDialog::OnDestroy() {
  if (m_tooltip.GetSafeHwnd()) m_tooltip.DestroyWindow();
  CDialog::OnDestroy();
  CWinApp* app = AfxGetApp();
  app->WriteProfileString(kSection, L"Hand", GetHandText());
  app->WriteProfileString(kSection, L"Flop", GetFlopText());
  app->WriteProfileString(kSection, L"Turn", GetTurnText());
}
