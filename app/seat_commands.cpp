// The main dialog's seats: the launcher buttons, the check boxes, the range edits with their
// hand counts, the seat popup menu and the keyboard filter of the range language.
#include <cwctype>

#include "app/main_dialog.h"
#include "app/omaha_app.h"
#include "app/settings.h"
#include "core/cards.h"
#include "dialogs/card_select_dialog.h"
#include "dialogs/handrange_explorer_dialog.h"
#include "dialogs/options_dialog.h"
#include "dialogs/percentile_dialog.h"
#include "dialogs/predefined_ranges_dialog.h"
#include "main_dialog_ids.h"
#include "string_table.h"

void COmahaVantornDlg::OnRandomSeat(UINT id) {
  const int seat = static_cast<int>(id - IDC_SEAT_RANDOM);
  CString word;
  if (!word.LoadString(IDS_RANDOM_KEYWORD)) word = L"random";
  m_rangeEdits[seat].SetWindowText(word);
}

void COmahaVantornDlg::OnClearSeat(UINT id) {
  const int seat = static_cast<int>(id - IDC_SEAT_CLEAR);
  m_rangeEdits[seat].SetWindowText(L"");
  m_rangeEdits[seat].SetFocus();
}

void COmahaVantornDlg::OnSeatMenu(UINT id) {
  const int seat = static_cast<int>(id - IDC_SEAT_MENU);
  CWnd* button = GetDlgItem(id);
  if (!button) return;
  CRect rect;
  button->GetWindowRect(&rect);
  m_popupSeat = seat;
  m_popupMenuId = IDM_SEAT_POPUP;
  OnContextMenu(nullptr, CPoint(rect.right, rect.top));
}

// A plain popup menu; the chosen command reaches the dialog as a command message.
void COmahaVantornDlg::OnContextMenu(CWnd* /*pWnd*/, CPoint point) {
  if (m_popupMenuId < 0) m_popupMenuId = IDM_SEAT_POPUP;
  CMenu menu;
  if (!menu.LoadMenu(static_cast<UINT>(m_popupMenuId))) return;
  if (CMenu* popup = menu.GetSubMenu(0)) popup->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, point.x, point.y, this);
  menu.DestroyMenu();
}

namespace {

// A range dialog for a seat: placed at the launcher's top-right corner, run modally; its text
// replaces the seat's range on IDOK only.
template <class Dialog>
void RunSeatRangeDialog(COmahaVantornDlg* owner, CInputWithBackground& edit, CWnd* launcher, int seat) {
  Dialog dialog(owner);
  CRect anchor;
  launcher->GetWindowRect(&anchor);
  dialog.m_anchorX = anchor.right;
  dialog.m_anchorY = anchor.top;
  dialog.m_placeAbove = 0;
  dialog.m_seat = seat;
  if (dialog.DoModal() != IDOK) return;
  if (::IsWindow(edit.GetSafeHwnd())) edit.SetWindowText(dialog.m_rangeText);
}

}  // namespace

// The seat popup's commands act on the seat whose launcher was used last. Without a chosen seat
// (a right click before any launcher was used) they never act.
void COmahaVantornDlg::OnSeatCommand(UINT id) {
  if (m_popupSeat < 0 || m_popupSeat >= kSeats) return;
  const int seat = m_popupSeat;
  CWnd* launcher = GetDlgItem(IDC_SEAT_MENU + seat);
  CInputWithBackground& edit = m_rangeEdits[seat];
  switch (id) {
    case ID_SEAT_CARD_SELECTION:
      PickSeatCards(seat);
      break;
    case ID_SEAT_RANGE_SELECTION:
      if (launcher && edit.GetSafeHwnd()) RunSeatRangeDialog<CPredefinedHandrangesDialog>(this, edit, launcher, seat);
      break;
    case ID_SEAT_PERCENTILE_SELECTION:
      if (launcher && edit.GetSafeHwnd()) RunSeatRangeDialog<CPercentileDialog>(this, edit, launcher, seat);
      break;
    case ID_SEAT_DIALOG_OPTIONS:
      if (launcher && edit.GetSafeHwnd()) RunSeatRangeDialog<COptionsDialog>(this, edit, launcher, seat);
      break;
    default:
      break;
  }
}

// The seat's hand from the card grid: its exact hand preloaded, the cards of the board, the
// dead cards and the other seats' exact hands disabled.
void COmahaVantornDlg::PickSeatCards(int seat) {
  CInputWithBackground& edit = m_rangeEdits[seat];
  CWnd* launcher = GetDlgItem(IDC_SEAT_MENU + seat);
  if (!edit.GetSafeHwnd() || !launcher) return;
  CCardSelectDialog dialog(this);
  CRect anchor;
  launcher->GetWindowRect(&anchor);
  dialog.m_anchorX = anchor.right;
  dialog.m_anchorY = anchor.top;
  dialog.m_placeAbove = 0;
  dialog.m_requestedCount = 4;
  dialog.m_mode = seat;
  dialog.m_showNextButton = 0;
  CString text;
  edit.GetWindowText(text);
  if (text.GetLength() >= 8) {
    const std::wstring_view letters(text.GetString(), 8);
    for (int k = 0; k < 4; ++k) {
      int rank = -1, suit = -1;
      ParseCardText(letters.substr(2 * k, 2), &rank, &suit);
      dialog.m_pickedRanks[k] = rank;
      dialog.m_pickedSuits[k] = suit;
    }
  }
  std::vector<int> ranks, suits;
  CollectCardsInUse(true, true, true, true, true, seat, ranks, suits);
  FillCardsInUse(dialog, ranks, suits);
  if (dialog.DoModal() != IDOK) return;
  CString hand = dialog.GetSelectedCardsText();
  hand.Remove(L' ');
  edit.SetWindowText(hand);
}

// The hand range explorer on the seat's text as it stands; nothing comes back.
void COmahaVantornDlg::OnSeatExplorer(UINT id) {
  const int seat = static_cast<int>(id - IDC_SEAT_EXPLORER);
  if (seat < 0 || seat >= kSeats || !m_rangeEdits[seat].GetSafeHwnd()) return;
  CHandrangeExplorerDialog explorer(this);
  m_rangeEdits[seat].GetWindowText(explorer.m_rangeText);
  explorer.DoModal();
}

void COmahaVantornDlg::OnHistorySelected(UINT id) {
  const int seat = static_cast<int>(id - IDC_SEAT_HISTORY);
  CSpezialComboBox& combo = m_historyCombos[seat];
  const int selected = combo.GetCurSel();
  if (selected < 0) return;
  CString text;
  combo.GetLBText(selected, text);
  m_rangeEdits[seat].SetWindowText(text);
}

void COmahaVantornDlg::OnSeatCheck(UINT id) {
  const int seat = static_cast<int>(id - IDC_SEAT_CHECK);
  m_rangeEdits[seat].m_inactive = IsChecked(id) ? 0 : 1;
  m_rangeEdits[seat].Invalidate();
  m_rangeEdits[seat].UpdateWindow();
  UpdateControlStates();
}

void COmahaVantornDlg::OnSeatRangeChanged(UINT id) {
  const int seat = static_cast<int>(id - IDC_SEAT_RANGE);
  CInputWithBackground& edit = m_rangeEdits[seat];
  CString text;
  edit.GetWindowText(text);
  SetChecked(IDC_SEAT_CHECK + seat, !text.IsEmpty());
  edit.m_inactive = 0;
  UpdateControlStates();
  edit.Invalidate();

  CString count;
  bool explorer = false;
  COmahaVantornApp* app = GetOmahaApp();
  const std::wstring_view view(text.GetString(), text.GetLength());
  if (!text.IsEmpty() && app && app->m_handBase.IsValidRangeText(view)) {
    explorer = true;
    CWaitCursor wait;
    app->m_handBase.SelectRange(view);
    const int hands = app->m_handBase.CountSelectedHands();
    const int classes = app->m_handBase.CountSelectedClasses();
    if (hands > 0)
      count.Format(L"%0d", hands);
    else if (classes == 0)
      explorer = false;
  }
  m_handCounts[seat].SetWindowText(count);
  m_handCounts[seat].Invalidate();
  if (CWnd* launcher = GetDlgItem(IDC_SEAT_EXPLORER + seat)) launcher->EnableWindow(explorer ? TRUE : FALSE);
  if (::GetFocus() != edit.GetSafeHwnd() && edit.IsWindowVisible() && GetFocus()) edit.SetFocus();
}

void COmahaVantornDlg::OnToggleAllStreets() {
  COmahaVantornApp* app = GetOmahaApp();
  if (!app) return;
  app->m_useThreeEquities = app->m_useThreeEquities ? 0 : 1;
  app->WriteProfileInt(kSectionGlobal, kKeyUseThreeEquities, app->m_useThreeEquities);
  LayoutStreetColumns();
}

BOOL COmahaVantornDlg::PreTranslateMessage(MSG* pMsg) {
  m_tooltip.RelayEvent(pMsg);
  if (pMsg->message == WM_SYSKEYDOWN) {
    if (CWnd* main = AfxGetMainWnd(); main && main != this) return main->PreTranslateMessage(pMsg);
  }
  if (pMsg->message == WM_CHAR) {
    // Rank and range-language letters are typed in capitals; suit letters stay, and after the
    // first "/" (the range's own options) nothing changes.
    static constexpr wchar_t kCapitalised[] = L"abfjklmnqtwyz";
    const wchar_t c = static_cast<wchar_t>(pMsg->wParam);
    bool afterSlash = false, insideWord = false;
    if (HWND focus = ::GetFocus()) {
      wchar_t buffer[2048] = {};
      ::GetWindowTextW(focus, buffer, 2048);
      DWORD selStart = 0, selEnd = 0;
      ::SendMessageW(focus, EM_GETSEL, reinterpret_cast<WPARAM>(&selStart), reinterpret_cast<LPARAM>(&selEnd));
      const wchar_t* slash = wcschr(buffer, L'/');
      afterSlash = slash && static_cast<DWORD>(slash - buffer) < selEnd;
      // A letter that follows a lower-case letter other than a suit continues a word such as
      // the all-hands word: capitals would make it one the range language does not know.
      const wchar_t before = selStart > 0 && selStart <= wcslen(buffer) ? buffer[selStart - 1] : 0;
      insideWord = before >= L'a' && before <= L'z' && !wcschr(L"cdhs", before);
    }
    if (!afterSlash && !insideWord && c && wcschr(kCapitalised, c)) {
      pMsg->wParam = static_cast<WPARAM>(std::towupper(c));
      return FALSE;
    }
  }
  return CDialog::PreTranslateMessage(pMsg);
}
