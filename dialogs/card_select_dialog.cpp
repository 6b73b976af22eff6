#include "dialogs/card_select_dialog.h"

#include <algorithm>

#include "app/app_utils.h"
#include "app/omaha_app.h"
#include "button_images.h"
#include "card_images.h"
#include "small_dialogs.h"
#include "string_table.h"

namespace {

constexpr int kRanks = 13, kSuits = 4;

bool IsCard(int rank, int suit) { return rank >= 0 && rank < kRanks && suit >= 0 && suit < kSuits; }

}  // namespace

BEGIN_MESSAGE_MAP(CCardSelectDialog, CDialog)
  ON_COMMAND_RANGE(IDC_CARD_SELECT_FIRST, IDC_CARD_SELECT_FIRST + 168, &CCardSelectDialog::OnCardClicked)
  // An owner-drawn button reports a quick second click as a double click only: it counts as a
  // click, so clicking a card twice takes it back and picks it again.
  ON_CONTROL_RANGE(BN_DOUBLECLICKED, IDC_CARD_SELECT_FIRST, IDC_CARD_SELECT_FIRST + 168, &CCardSelectDialog::OnCardClicked)
  ON_BN_CLICKED(IDC_CARD_SELECT_NEXT, &CCardSelectDialog::OnNextStreet)
  ON_WM_HELPINFO()
  ON_WM_CTLCOLOR()
  ON_WM_DESTROY()
END_MESSAGE_MAP()

CCardSelectDialog::CCardSelectDialog(CWnd* pParent) : CDialog(IDD_CARD_SELECT, pParent) {
  std::fill(std::begin(m_pickedRanks), std::end(m_pickedRanks), -1);
  std::fill(std::begin(m_pickedSuits), std::end(m_pickedSuits), -1);
  std::fill(std::begin(m_usedRanks), std::end(m_usedRanks), -1);
  std::fill(std::begin(m_usedSuits), std::end(m_usedSuits), -1);
  m_cardSprite.LoadBitmap(IDB_CARD_SHEET);
  m_cardMask.LoadBitmap(IDB_CARD_MASK);
}

CCardSelectDialog::~CCardSelectDialog() {
  // A dialog that never got its window, or lost it without OnDestroy, still owns the grid.
  for (auto*& button : m_cardButtons) {
    delete button;
    button = nullptr;
  }
}

void CCardSelectDialog::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_CARD_SELECT_NEXT, m_nextButton);
}

BOOL CCardSelectDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  CreateGrid();
  for (int i = 0; i < kCards; ++i)
    if (COwnerDrawOneCardButton* button = CardButton(m_pickedRanks[i], m_pickedSuits[i])) button->m_selected = 1;
  SetCaption();
  PlaceDialog();
  for (int i = 0; i < kUsedSlots && m_usedRanks[i] >= 0 && m_usedSuits[i] >= 0; ++i)
    if (COwnerDrawOneCardButton* button = CardButton(m_usedRanks[i], m_usedSuits[i])) button->EnableWindow(FALSE);
  SetUpNextButton();
  UpdateButtons();
  return TRUE;
}

void CCardSelectDialog::CreateGrid() {
  const COmahaVantornApp* app = GetOmahaApp();
  const int dpi = app && app->m_dpi > 0 ? app->m_dpi : 96;
  const int w = 20 * dpi / 96, h = 27 * dpi / 96;
  CFont* font = GetDlgItem(IDOK) ? GetDlgItem(IDOK)->GetFont() : nullptr;
  for (int suit = 0; suit < kSuits; ++suit) {
    for (int rank = 0; rank < kRanks; ++rank) {
      auto* button = new COwnerDrawOneCardButton;
      button->m_rank = rank;
      button->m_suit = suit;
      button->m_faces = &m_cardSprite;
      button->m_mask = &m_cardMask;
      const int left = 8 + rank * (w + 4), top = 8 + suit * (h + 4);
      const UINT id = IDC_CARD_SELECT_FIRST + 13 * suit + rank;
      if (!button->Create(L"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(left, top, left + w, top + h), this, id)) {
        delete button;
        continue;
      }
      if (font) button->SetFont(font);
      m_cardButtons[suit + 4 * rank] = button;
    }
  }
}

void CCardSelectDialog::SetCaption() {
  CString name;
  switch (m_mode) {
    case kModeFlop: name.LoadString(IDS_FLOP); break;
    case kModeTurn: name.LoadString(IDS_TURN); break;
    case kModeRiver: name.LoadString(IDS_RIVER); break;
    case kModeDead: name.LoadString(IDS_DEAD_CARDS); break;
    default:
      if (m_mode < kModeFlop) name = GetSeatPositionName(m_mode);
      break;
  }
  CString caption;
  GetWindowText(caption);
  SetWindowText(caption + L" (" + name + L")");
}

POINT CCardSelectDialog::PlaceAtAnchor(const RECT& area, int width, int height, int anchorX, int anchorY, bool above) {
  if (anchorX + width > area.right) anchorX = area.right - width + 1;
  if (above) {
    if (anchorY - height < area.top) anchorY = area.top + height;
    return POINT{anchorX, anchorY - height};
  }
  if (anchorY + height > area.bottom) anchorY = area.bottom - height + 1;
  return POINT{anchorX, anchorY};
}

void CCardSelectDialog::PlaceDialog() {
  if (m_anchorX == -1 || m_anchorY == -1) return;
  RECT area = {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
  if (const COmahaVantornApp* app = GetOmahaApp(); app && !::IsRectEmpty(&app->m_desktopRect)) area = app->m_desktopRect;
  CRect window;
  GetWindowRect(&window);
  const POINT at = PlaceAtAnchor(area, window.Width(), window.Height(), m_anchorX, m_anchorY, m_placeAbove != 0);
  SetWindowPos(nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CCardSelectDialog::SetUpNextButton() {
  CThemeHelperST* theme = AppThemeHelper();
  m_nextButton.m_themeHelper = theme;
  if (!theme || !theme->IsAppThemed()) m_nextButton.m_drawBorder = 1;
  m_nextButton.m_imageAlign = CButtonST::kImageRight;
  HBITMAP image = static_cast<HBITMAP>(
      ::LoadImage(AfxGetResourceHandle(), MAKEINTRESOURCE(IDB_BUTTON_NEXT_STREET), IMAGE_BITMAP, 0, 0, 0));
  if (!image)
    image = static_cast<HBITMAP>(
        ::LoadImage(::GetModuleHandle(nullptr), MAKEINTRESOURCE(IDB_BUTTON_NEXT_STREET), IMAGE_BITMAP, 0, 0, 0));
  if (image) m_nextButton.SetStateBitmaps(image);
  CString caption;
  if (m_mode == kModeFlop)
    caption.LoadString(IDS_NEXT_TURN);
  else if (m_mode == kModeTurn)
    caption.LoadString(IDS_NEXT_RIVER);
  if (!caption.IsEmpty()) m_nextButton.SetWindowText(caption);
  m_nextButton.ShowWindow(m_showNextButton ? SW_SHOW : SW_HIDE);
}

COwnerDrawOneCardButton* CCardSelectDialog::CardButton(int rank, int suit) const {
  return IsCard(rank, suit) ? m_cardButtons[suit + 4 * rank] : nullptr;
}

int CCardSelectDialog::CountSelected() const {
  int n = 0;
  for (const auto* button : m_cardButtons)
    if (button && button->m_selected) ++n;
  return n;
}

void CCardSelectDialog::DeselectAll() {
  for (auto* button : m_cardButtons) {
    if (!button || !button->m_selected) continue;
    button->m_selected = 0;
    button->Invalidate();
  }
}

void CCardSelectDialog::OnCardClicked(UINT id) {
  if (m_requestedCount == 1) DeselectAll();
  int n = CountSelected();
  const int suit = static_cast<int>(id - IDC_CARD_SELECT_FIRST) / 13;
  const int rank = static_cast<int>(id - IDC_CARD_SELECT_FIRST) % 13;
  if (COwnerDrawOneCardButton* button = CardButton(rank, suit)) {
    if (n == m_requestedCount && !m_userClicked && !button->m_selected) {
      DeselectAll();
      n = 0;
    }
    if (button->m_selected)
      button->m_selected = 0;
    else if (n < m_requestedCount)
      button->m_selected = 1;
    button->Invalidate();
    m_userClicked = 1;
  }
  UpdateButtons();
}

void CCardSelectDialog::UpdateButtons() {
  const int n = CountSelected();
  if (CWnd* ok = GetDlgItem(IDOK))
    ok->EnableWindow(n == m_requestedCount || (n >= 1 && m_requestedCount == kAnyCount) ? TRUE : FALSE);
  if (m_nextButton.GetSafeHwnd()) m_nextButton.EnableWindow(n == m_requestedCount ? TRUE : FALSE);
}

int CCardSelectDialog::StoreSelection() {
  int slot = 0;
  for (int suit = 0; suit < kSuits; ++suit) {
    for (int rank = 0; rank < kRanks; ++rank) {
      const COwnerDrawOneCardButton* button = CardButton(rank, suit);
      if (!button || !button->m_selected) continue;
      m_pickedRanks[slot] = rank;
      m_pickedSuits[slot] = suit;
      ++slot;
    }
  }
  return slot;
}

void CCardSelectDialog::OnOK() {
  std::fill(std::begin(m_pickedRanks), std::end(m_pickedRanks), -1);
  std::fill(std::begin(m_pickedSuits), std::end(m_pickedSuits), -1);
  StoreSelection();
  CDialog::OnOK();
}

void CCardSelectDialog::OnNextStreet() {
  StoreSelection();
  EndDialog(IDC_CARD_SELECT_NEXT);
}

void CCardSelectDialog::OnCancel() { EndDialog(IDCANCEL); }

CString CCardSelectDialog::GetSelectedCardsText() const {
  CString text;
  for (int i = 0; i < kCards; ++i) {
    if (m_pickedRanks[i] < 0 || m_pickedSuits[i] < 0) continue;
    text += FormatCard(m_pickedRanks[i], m_pickedSuits[i], 0).c_str();
    text += L" ";
  }
  return text;
}

BOOL CCardSelectDialog::OnHelpInfo(HELPINFO* /*info*/) {
  if (CWinApp* app = AfxGetApp()) app->WinHelp(0x20000 + IDD_CARD_SELECT, HELP_CONTEXT);
  return FALSE;
}

HBRUSH CCardSelectDialog::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
  return ThemedDialogCtlBrush(pDC, CDialog::OnCtlColor(pDC, pWnd, nCtlColor));
}

void CCardSelectDialog::OnDestroy() {
  CDialog::OnDestroy();
  for (auto*& button : m_cardButtons) {
    if (button && ::IsWindow(button->GetSafeHwnd())) button->DestroyWindow();
    delete button;
    button = nullptr;
  }
}
