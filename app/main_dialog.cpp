#include "app/main_dialog.h"

#include "app/app_shell.h"
#include "app/omaha_app.h"
#include "app/settings.h"
#include "button_images.h"
#include "main_dialog_ids.h"
#include "pictures.h"
#include "string_table.h"

const UINT COmahaVantornDlg::kEditIds[kStreets] = {IDC_FLOP_EDIT, IDC_TURN_EDIT, IDC_RIVER_EDIT, IDC_DEAD_EDIT};
const UINT COmahaVantornDlg::kCheckIds[kStreets] = {IDC_FLOP_CHECK, IDC_TURN_CHECK, IDC_RIVER_CHECK, IDC_DEAD_CHECK};
const UINT COmahaVantornDlg::kCardIds[kStreets] = {IDC_FLOP_CARDS, IDC_TURN_CARDS, IDC_RIVER_CARDS, IDC_DEAD_CARDS};
const UINT COmahaVantornDlg::kStreetFieldIds[4] = {IDC_SEAT_PREFLOP, IDC_SEAT_FLOP, IDC_SEAT_TURN, IDC_SEAT_RIVER};

namespace {

const UINT kSelectIds[COmahaVantornDlg::kStreets] = {IDC_FLOP_SELECT, IDC_TURN_SELECT, IDC_RIVER_SELECT, IDC_DEAD_SELECT};
const UINT kClearIds[COmahaVantornDlg::kStreets] = {IDC_FLOP_CLEAR, IDC_TURN_CLEAR, IDC_RIVER_CLEAR, IDC_DEAD_CLEAR};
const UINT kBoardLabelIds[COmahaVantornDlg::kStreets] = {IDC_FLOP_LABEL, IDC_TURN_LABEL, IDC_RIVER_LABEL, IDC_DEAD_LABEL};
const UINT kHeaderIds[6] = {IDC_HEADER_RANGE, IDC_HEADER_COMBOS, IDC_HEADER_PREFLOP, IDC_HEADER_FLOP, IDC_HEADER_TURN, IDC_HEADER_RIVER};

bool RangeTextIsValid(std::wstring_view text) {
  COmahaVantornApp* app = GetOmahaApp();
  return !app || app->m_handBase.IsValidRangeText(text) != 0;
}

bool InRange(UINT id, UINT first) { return id >= first && id < first + COmahaVantornDlg::kSeats; }

}  // namespace

BEGIN_MESSAGE_MAP(COmahaVantornDlg, CDialog)
  ON_WM_PAINT()
  ON_WM_QUERYDRAGICON()
  ON_WM_DESTROY()
  ON_WM_CTLCOLOR()
  ON_WM_HELPINFO()
  ON_WM_CONTEXTMENU()
  ON_WM_MOUSEMOVE()
  ON_WM_LBUTTONDOWN()
  ON_NOTIFY(TIPN_SHOWING, 0, &COmahaVantornDlg::OnBannerTooltip)
  ON_BN_CLICKED(IDC_EVALUATE, &COmahaVantornDlg::OnEvaluate)
  ON_CONTROL_RANGE(BN_CLICKED, IDC_SEAT_RANDOM, IDC_SEAT_RANDOM + 9, &COmahaVantornDlg::OnRandomSeat)
  ON_CONTROL_RANGE(BN_CLICKED, IDC_SEAT_CLEAR, IDC_SEAT_CLEAR + 9, &COmahaVantornDlg::OnClearSeat)
  ON_CONTROL_RANGE(BN_CLICKED, IDC_SEAT_MENU, IDC_SEAT_MENU + 9, &COmahaVantornDlg::OnSeatMenu)
  ON_CONTROL_RANGE(EN_CHANGE, IDC_SEAT_RANGE, IDC_SEAT_RANGE + 9, &COmahaVantornDlg::OnSeatRangeChanged)
  ON_CONTROL_RANGE(BN_CLICKED, IDC_SEAT_CHECK, IDC_SEAT_CHECK + 9, &COmahaVantornDlg::OnSeatCheck)
  ON_CONTROL_RANGE(BN_CLICKED, IDC_SEAT_EXPLORER, IDC_SEAT_EXPLORER + 9, &COmahaVantornDlg::OnSeatExplorer)
  ON_CONTROL_RANGE(CBN_SELCHANGE, IDC_SEAT_HISTORY, IDC_SEAT_HISTORY + 9, &COmahaVantornDlg::OnHistorySelected)
  ON_BN_CLICKED(IDC_ALL_STREETS, &COmahaVantornDlg::OnToggleAllStreets)
  ON_BN_CLICKED(IDC_FLOP_SELECT, &COmahaVantornDlg::OnSelectFlopCards)
  ON_BN_CLICKED(IDC_TURN_SELECT, &COmahaVantornDlg::OnSelectTurnCard)
  ON_BN_CLICKED(IDC_RIVER_SELECT, &COmahaVantornDlg::OnSelectRiverCard)
  ON_BN_CLICKED(IDC_DEAD_SELECT, &COmahaVantornDlg::OnSelectDeadCards)
  ON_EN_CHANGE(IDC_FLOP_EDIT, &COmahaVantornDlg::OnFlopChanged)
  ON_EN_CHANGE(IDC_TURN_EDIT, &COmahaVantornDlg::OnTurnChanged)
  ON_EN_CHANGE(IDC_RIVER_EDIT, &COmahaVantornDlg::OnRiverChanged)
  ON_EN_CHANGE(IDC_DEAD_EDIT, &COmahaVantornDlg::OnDeadChanged)
  ON_EN_UPDATE(IDC_FLOP_EDIT, &COmahaVantornDlg::OnFlopUpdate)
  ON_EN_UPDATE(IDC_TURN_EDIT, &COmahaVantornDlg::OnTurnUpdate)
  ON_EN_UPDATE(IDC_RIVER_EDIT, &COmahaVantornDlg::OnRiverUpdate)
  ON_EN_UPDATE(IDC_DEAD_EDIT, &COmahaVantornDlg::OnDeadUpdate)
  ON_BN_CLICKED(IDC_FLOP_CHECK, &COmahaVantornDlg::OnFlopCheck)
  ON_BN_CLICKED(IDC_TURN_CHECK, &COmahaVantornDlg::OnTurnCheck)
  ON_BN_CLICKED(IDC_RIVER_CHECK, &COmahaVantornDlg::OnRiverCheck)
  ON_BN_CLICKED(IDC_DEAD_CHECK, &COmahaVantornDlg::OnDeadCheck)
  ON_BN_CLICKED(IDC_FLOP_CLEAR, &COmahaVantornDlg::OnClearFlop)
  ON_BN_CLICKED(IDC_TURN_CLEAR, &COmahaVantornDlg::OnClearTurn)
  ON_BN_CLICKED(IDC_RIVER_CLEAR, &COmahaVantornDlg::OnClearRiver)
  ON_BN_CLICKED(IDC_DEAD_CLEAR, &COmahaVantornDlg::OnClearDead)
  ON_BN_CLICKED(IDC_CLEAR_ALL, &COmahaVantornDlg::OnClearAll)
  ON_BN_CLICKED(IDC_EVALUATE_TO_STREET, &COmahaVantornDlg::OnEvaluateToStreet)
  ON_BN_CLICKED(IDC_COPY_TEXT, &COmahaVantornDlg::OnCopyText)
  ON_BN_CLICKED(IDC_COPY_BBCODE, &COmahaVantornDlg::OnCopyBBCode)
  ON_COMMAND_RANGE(ID_SEAT_CARD_SELECTION, ID_SEAT_PERCENTILE_SELECTION, &COmahaVantornDlg::OnSeatCommand)
  ON_COMMAND_RANGE(ID_SEAT_DIALOG_OPTIONS, ID_SEAT_DIALOG_OPTIONS, &COmahaVantornDlg::OnSeatCommand)
END_MESSAGE_MAP()

COmahaVantornDlg::COmahaVantornDlg() : CDialog(IDD_MAIN_DIALOG) {
  m_icon = AfxGetApp() ? AfxGetApp()->LoadIcon(100) : nullptr;
  m_hiBanner.LoadBitmap(IDB_BANNER_HI);
  m_hiLoBanner.LoadBitmap(IDB_BANNER_HILO);
  m_boardEdits[kFlop].m_mode = CInputWithBackground::kUpToThreeCards;
  m_boardEdits[kTurn].m_mode = CInputWithBackground::kOneCard;
  m_boardEdits[kRiver].m_mode = CInputWithBackground::kOneCard;
  m_boardEdits[kDead].m_mode = 43;
}

COmahaVantornDlg::~COmahaVantornDlg() = default;

BOOL COmahaVantornDlg::Create(CWnd* parent) { return CDialog::Create(IDD_MAIN_DIALOG, parent); }

void COmahaVantornDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  for (int i = 0; i < kSeats; ++i) {
    DDX_Control(pDX, IDC_SEAT_EXPLORER + i, m_explorerButtons[i]);
    DDX_Control(pDX, IDC_SEAT_LABEL + i, m_seatLabels[i]);
    DDX_Control(pDX, IDC_SEAT_MENU + i, m_seatMenuButtons[i]);
    DDX_Control(pDX, IDC_SEAT_RANDOM + i, m_seatRandomButtons[i]);
    DDX_Control(pDX, IDC_SEAT_CLEAR + i, m_seatClearButtons[i]);
    DDX_Control(pDX, IDC_SEAT_RANGE + i, m_rangeEdits[i]);
    DDX_Control(pDX, IDC_SEAT_HISTORY + i, m_historyCombos[i]);
  }
  for (int h = 0; h < 6; ++h) DDX_Control(pDX, kHeaderIds[h], m_headers[h]);
  for (int s = 0; s < kStreets; ++s) {
    DDX_Control(pDX, kBoardLabelIds[s], m_boardLabels[s]);
    DDX_Control(pDX, kSelectIds[s], m_selectButtons[s]);
    DDX_Control(pDX, kClearIds[s], m_clearButtons[s]);
    DDX_Control(pDX, kEditIds[s], m_boardEdits[s]);
  }
  DDX_Control(pDX, IDC_COPY_TEXT, m_copyText);
  DDX_Control(pDX, IDC_COPY_BBCODE, m_copyBBCode);
  DDX_Control(pDX, IDC_CLEAR_ALL, m_clearAllButton);
  DDX_Control(pDX, IDC_EVALUATE, m_evaluateButton);
  DDX_Control(pDX, IDC_ALL_STREETS, m_allStreetsButton);
  DDX_Control(pDX, IDC_RESULT_BROWSER, m_browser);
  DDX_Control(pDX, IDC_BANNER, m_banner);
}

BOOL COmahaVantornDlg::OnInitDialog() {
  CInputWithBackground::SetRangeCheck(&RangeTextIsValid);
  CDialog::OnInitDialog();
  COmahaVantornApp* app = GetOmahaApp();
  if (CWinApp* winApp = AfxGetApp())
    m_resultsVisible = static_cast<int>(winApp->GetProfileInt(kSectionGlobal, kKeyResultsVisible, m_resultsVisible));
  // The stored "to street" choice is not applied: the engines always run to the river.
  m_evaluateToStreet = 0;
  SetChecked(IDC_EVALUATE_TO_STREET, false);

  for (int h = 2; h < 6; ++h) m_headers[h].m_centered = 1;
  m_headers[1].m_rightAlign = 1;
  for (auto& label : m_boardLabels) label.m_rightAlign = 1;
  // The turn and river fields are one card wide: with the font's default margins the caret
  // after a typed card scrolls its rank out of sight.
  m_boardEdits[kTurn].SetMargins(2, 1);
  m_boardEdits[kRiver].SetMargins(2, 1);

  ComputeFrameSizes();
  for (int i = 0; i < kSeats; ++i) {
    m_handCounts[i].SubclassDlgItem(IDC_SEAT_COUNT + i, this);
    m_handCounts[i].m_boxed = 1;
    m_handCounts[i].m_rightAligned = 1;
  }
  SetUpButtons();
  ClearAll();
  for (int c = 0; c < 4; ++c)
    for (int i = 0; i < kSeats; ++i) m_streetFields[c][i].SubclassDlgItem(kStreetFieldIds[c] + i, this);
  for (int s = 0; s < kStreets; ++s) m_cardButtons[s].SubclassDlgItem(kCardIds[s], this);

  LayoutStreetColumns();
  if (app && app->m_onlyShorthanded) ArrangeSeats();
  UpdateControlStates();
  if (app && !app->m_exePath.IsEmpty()) {
    CString page;
    page.Format(L"res://%s/%d", app->m_exePath.GetString(), 102);
    m_browser.Navigate(page, nullptr, nullptr, nullptr, nullptr);
  }
  PlaceHistoryCombos();
  LoadRecentInput();
  RefreshResultView();
  WriteResultsHi();
  ShowWindow(SW_SHOW);
  if (CWnd* first = GetDlgItem(IDC_SEAT_RANGE + FirstVisibleSeat())) first->SetFocus();
  SetUpTooltip();
  ShowBanner();
  UpdateControlStates();
  return FALSE;
}

void COmahaVantornDlg::SetUpButtons() {
  CThemeHelperST* theme = AppThemeHelper();
  const bool themed = theme && theme->IsAppThemed();
  auto setUp = [&](CXPStyleButtonST& button, UINT bitmap, UINT tip) {
    button.m_themeHelper = theme;
    if (!themed) button.m_drawBorder = 1;
    HBITMAP image = static_cast<HBITMAP>(::LoadImage(AfxGetResourceHandle(), MAKEINTRESOURCE(bitmap), IMAGE_BITMAP, 0, 0, 0));
    if (!image) image = static_cast<HBITMAP>(::LoadImage(::GetModuleHandle(nullptr), MAKEINTRESOURCE(bitmap), IMAGE_BITMAP, 0, 0, 0));
    if (image) button.SetStateBitmaps(image);
    if (tip) button.SetTooltipFromResource(tip);
  };
  for (auto& b : m_explorerButtons) setUp(b, IDB_BUTTON_EXPLORER, IDS_TIP_HAND_RANGE_EXPLORER);
  if (m_icon) {
    SetIcon(m_icon, TRUE);
    SetIcon(m_icon, FALSE);
  }
  setUp(m_copyText, 2015, 0);
  setUp(m_copyBBCode, 2015, 0);
  setUp(m_evaluateButton, IDB_BUTTON_EVALUATE, 0);
  setUp(m_selectButtons[kFlop], 2014, IDS_TIP_FLOP_CARD_SELECTION);
  setUp(m_clearButtons[kFlop], IDB_BUTTON_CLEAR, IDS_TIP_CLEAR_FLOP);
  setUp(m_clearAllButton, 2008, 0);
  setUp(m_selectButtons[kTurn], 2013, IDS_TIP_TURN_CARD_SELECTION);
  setUp(m_clearButtons[kTurn], IDB_BUTTON_CLEAR, IDS_TIP_CLEAR_TURN);
  setUp(m_selectButtons[kRiver], 2013, IDS_TIP_RIVER_CARD_SELECTION);
  setUp(m_clearButtons[kRiver], IDB_BUTTON_CLEAR, IDS_TIP_CLEAR_RIVER);
  setUp(m_selectButtons[kDead], 2013, IDS_TIP_DEAD_CARD_SELECTION);
  setUp(m_clearButtons[kDead], IDB_BUTTON_CLEAR, IDS_TIP_CLEAR_DEAD);
  for (auto& b : m_seatMenuButtons) setUp(b, IDB_BUTTON_SEAT_MENU, IDS_TIP_SEAT_MENU);
  for (auto& b : m_seatRandomButtons) setUp(b, IDB_BUTTON_RANDOM, IDS_TIP_RANDOM);
  for (auto& b : m_seatClearButtons) setUp(b, IDB_BUTTON_CLEAR, IDS_TIP_CLEAR);
  COmahaVantornApp* app = GetOmahaApp();
  setUp(m_allStreetsButton, app && app->m_useThreeEquities ? 2020 : 2019, IDS_TIP_ALL_STREETS);
}

void COmahaVantornDlg::SetUpTooltip() {
  if (!m_tooltip.Create(this)) return;
  m_tooltip.SetUpForDialog(this, 800, 500, 10000);
  // The banner's text depends on where the cursor rests: every move asks again.
  PPToolInfo banner;
  banner.id = IDC_BANNER;
  banner.mask = TIPM_BEHAVIOUR;
  banner.behaviour = TIPB_RESHOW;
  m_tooltip.AddTool(GetDlgItem(IDC_BANNER), banner);
}

// The frame's outer size that shows the dialog down to Evaluate, or down to the copy buttons
// with the result area, and as wide as the result browser.
void COmahaVantornDlg::ComputeFrameSizes() {
  CRect window, evaluate, copy, browser;
  GetWindowRect(&window);
  GetDlgItem(IDC_EVALUATE)->GetWindowRect(&evaluate);
  GetDlgItem(IDC_COPY_TEXT)->GetWindowRect(&copy);
  GetDlgItem(IDC_RESULT_BROWSER)->GetWindowRect(&browser);
  const int border = 2 * ::GetSystemMetrics(SM_CXBORDER);
  const int extra = 2 * ::GetSystemMetrics(SM_CYBORDER) + ::GetSystemMetrics(SM_CYMENU) + 6 +
                    ::GetSystemMetrics(SM_CYCAPTION);
  m_heightWithoutResults = evaluate.bottom - window.top + extra + 8;
  m_heightWithResults = copy.bottom - window.top + extra + 8;
  m_widthWithResults = browser.right - window.left + border + 8;
}

void COmahaVantornDlg::PlaceHistoryCombos() {
  for (int i = 0; i < kSeats; ++i) {
    CRect edit, combo;
    m_rangeEdits[i].GetWindowRect(&edit);
    ScreenToClient(&edit);
    m_historyCombos[i].GetWindowRect(&combo);
    ScreenToClient(&combo);
    const int oldWidth = combo.Width();
    m_historyCombos[i].SetWindowPos(nullptr, edit.right - 1, combo.top + 1, ::GetSystemMetrics(SM_CXVSCROLL) + 1,
                                    combo.Height(), SWP_NOZORDER);
    m_historyCombos[i].m_listOffset = edit.Width();
    m_historyCombos[i].SetDroppedWidth(oldWidth + edit.Width() + 50);
  }
}

bool COmahaVantornDlg::IsChecked(UINT id) const {
  return ::IsDlgButtonChecked(GetSafeHwnd(), static_cast<int>(id)) == BST_CHECKED;
}

void COmahaVantornDlg::SetChecked(UINT id, bool on) {
  ::CheckDlgButton(GetSafeHwnd(), static_cast<int>(id), on ? BST_CHECKED : BST_UNCHECKED);
}

bool COmahaVantornDlg::StreetHasCard(int street) const {
  return m_cardButtons[street].GetSafeHwnd() && m_cardButtons[street].m_ranks[0] != -1;
}

int COmahaVantornDlg::FirstVisibleSeat() const {
  COmahaVantornApp* app = GetOmahaApp();
  return app && app->m_onlyShorthanded ? 4 : 0;
}

void COmahaVantornDlg::UpdateControlStates() {
  if (!GetSafeHwnd()) return;
  auto enable = [this](UINT id, bool on) {
    if (CWnd* w = GetDlgItem(id)) w->EnableWindow(on ? TRUE : FALSE);
  };
  auto show = [this](UINT id, bool on) {
    if (CWnd* w = GetDlgItem(id)) w->ShowWindow(on ? SW_SHOW : SW_HIDE);
  };
  COmahaVantornApp* app = GetOmahaApp();
  int counting = 0;
  for (int i = 0; i < kSeats; ++i) {
    const int n = m_rangeEdits[i].GetWindowTextLength();
    const bool counts = SeatTakesPart(i);
    counting += counts ? 1 : 0;
    // Seats the short-handed layout hides keep their boxes hidden too.
    const bool seatShown = i >= 4 || !(app && app->m_onlyShorthanded);
    show(IDC_SEAT_CHECK + i, n > 0 && seatShown);
    enable(IDC_SEAT_EXPLORER + i, counts);
    enable(IDC_SEAT_HISTORY + i, m_historyCombos[i].GetSafeHwnd() && m_historyCombos[i].GetCount() > 0);
  }
  enable(IDC_EVALUATE, counting >= 2);
  if (m_evaluateButton.GetSafeHwnd()) m_evaluateButton.UpdateWindow();
  const bool flop = StreetHasCard(kFlop), turn = StreetHasCard(kTurn), river = StreetHasCard(kRiver),
             dead = StreetHasCard(kDead);
  for (UINT id : {static_cast<UINT>(IDC_TURN_EDIT), static_cast<UINT>(IDC_TURN_SELECT), static_cast<UINT>(IDC_TURN_CLEAR)})
    enable(id, flop);
  for (UINT id : {static_cast<UINT>(IDC_RIVER_EDIT), static_cast<UINT>(IDC_RIVER_SELECT), static_cast<UINT>(IDC_RIVER_CLEAR)})
    enable(id, turn);
  enable(IDC_DEAD_EDIT, true);
  enable(IDC_DEAD_SELECT, true);
  enable(IDC_DEAD_CLEAR, dead);
  enable(IDC_COPY_TEXT, !m_resultText.IsEmpty());
  enable(IDC_COPY_BBCODE, !m_resultBBCode.IsEmpty());
  show(IDC_FLOP_CHECK, flop);
  show(IDC_TURN_CHECK, turn);
  show(IDC_RIVER_CHECK, river);
  const bool useDead = app && app->m_useDeadCards;
  for (UINT id : {static_cast<UINT>(IDC_DEAD_LABEL), static_cast<UINT>(IDC_DEAD_SELECT), static_cast<UINT>(IDC_DEAD_CLEAR),
                  static_cast<UINT>(IDC_DEAD_EDIT), static_cast<UINT>(IDC_DEAD_CARDS)})
    show(id, useDead);
  show(IDC_DEAD_CHECK, dead);
}

void COmahaVantornDlg::ClearStreetFields() {
  for (auto& column : m_streetFields)
    for (auto& field : column)
      if (field.GetSafeHwnd()) field.SetWindowText(L"");
}

void COmahaVantornDlg::RefreshResultView() {
  if (CWnd* main = AfxGetMainWnd(); main && main->GetSafeHwnd()) main->SendMessage(WM_FIT_TO_DIALOG);
  if (!GetSafeHwnd()) return;
  CRect client, evaluate;
  GetClientRect(&client);
  if (CWnd* button = GetDlgItem(IDC_EVALUATE)) {
    button->GetWindowRect(&evaluate);
    ScreenToClient(&evaluate);
    client.top = evaluate.bottom;
  }
  InvalidateRect(&client, TRUE);
  WriteResultsHi();
  if (m_copyText.GetSafeHwnd()) m_copyText.UpdateWindow();
  if (m_copyBBCode.GetSafeHwnd()) m_copyBBCode.UpdateWindow();
}

int COmahaVantornDlg::CountActiveSeats() const {
  int count = 0;
  for (int i = 0; i < kSeats; ++i)
    if (SeatTakesPart(i)) ++count;
  return count;
}

int COmahaVantornDlg::CountBoardCards() const { return GetBoardText().GetLength() / 2; }

void COmahaVantornDlg::OnOK() {}

void COmahaVantornDlg::OnCancel() {}

void COmahaVantornDlg::OnPaint() {
  if (IsIconic() && m_icon) {
    CPaintDC dc(this);
    CRect rect;
    GetClientRect(&rect);
    const int x = (rect.Width() - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (rect.Height() - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
    dc.DrawIcon(x, y, m_icon);
    return;
  }
  CDialog::OnPaint();
}

HCURSOR COmahaVantornDlg::OnQueryDragIcon() { return static_cast<HCURSOR>(m_icon); }

void COmahaVantornDlg::OnDestroy() {
  if (m_tooltip.GetSafeHwnd()) m_tooltip.DestroyWindow();
  m_hiBanner.DeleteObject();
  m_hiLoBanner.DeleteObject();
  SaveRecentInput();
  CDialog::OnDestroy();
}

HBRUSH COmahaVantornDlg::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
  HBRUSH brush = CDialog::OnCtlColor(pDC, pWnd, nCtlColor);
  COmahaVantornApp* app = GetOmahaApp();
  if (!app || !app->m_useBVTheme || !app->m_dialogBrush.GetSafeHandle()) return brush;
  pDC->SetBkMode(TRANSPARENT);
  const UINT id = pWnd ? static_cast<UINT>(pWnd->GetDlgCtrlID()) : 0;
  // These controls colour themselves.
  bool own = InRange(id, IDC_SEAT_RANGE) || InRange(id, IDC_SEAT_COUNT) || id == IDC_RESULT_BROWSER;
  for (UINT first : kStreetFieldIds) own = own || InRange(id, first);
  for (UINT edit : kEditIds) own = own || id == edit;
  if (own) return brush;
  return static_cast<HBRUSH>(app->m_dialogBrush.GetSafeHandle());
}

BOOL COmahaVantornDlg::OnHelpInfo(HELPINFO* /*info*/) {
  if (CWinApp* app = AfxGetApp()) app->WinHelp(0x20000 + IDD_MAIN_DIALOG, HELP_CONTEXT);
  return FALSE;
}

void COmahaVantornDlg::OnEvaluateToStreet() {
  m_evaluateToStreet = IsChecked(IDC_EVALUATE_TO_STREET) ? 1 : 0;
  if (CWinApp* app = AfxGetApp()) app->WriteProfileInt(kSectionGlobal, kKeyEvaluateToStreet, m_evaluateToStreet);
}

void COmahaVantornDlg::OnCopyText() { CopyTextToClipboard(m_resultText); }

void COmahaVantornDlg::OnCopyBBCode() { CopyTextToClipboard(m_resultBBCode); }
