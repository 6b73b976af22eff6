#include "dialogs/hand_info_support.h"

#include "app/omaha_app.h"
#include "core/cards.h"
#include "core/cardtext.h"
#include "core/handbase.h"
#include "string_table.h"

CardGrid::~CardGrid() {
  for (auto*& button : m_buttons) {
    delete button;
    button = nullptr;
  }
}

void CardGrid::Create(CWnd* parent, int groupId, UINT firstId, CFont* font, CBitmap* faces, CBitmap* mask) {
  m_firstId = firstId;
  CWnd* group = parent->GetDlgItem(groupId);
  if (!group) return;
  CRect area;
  group->GetWindowRect(&area);
  parent->ScreenToClient(&area);
  for (int suit = 0; suit < kSuits; ++suit) {
    for (int rank = 0; rank < kRanks; ++rank) {
      auto* button = new COwnerDrawOneCardButton;
      button->m_rank = rank;
      button->m_suit = suit;
      button->m_faces = faces;
      button->m_mask = mask;
      const int left = area.left + 7 + 23 * rank, top = area.top + 18 + 30 * suit;
      const UINT id = firstId + 13 * suit + rank;
      if (!button->Create(L"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(left, top, left + 20, top + 27), parent, id)) {
        delete button;
        continue;
      }
      if (font) button->SetFont(font);
      m_buttons[rank * 4 + suit] = button;
    }
  }
}

COwnerDrawOneCardButton* CardGrid::Button(int rank, int suit) const {
  if (rank < 0 || rank >= kRanks || suit < 0 || suit >= kSuits) return nullptr;
  return m_buttons[rank * 4 + suit];
}

bool CardGrid::Selected(int rank, int suit) const {
  const COwnerDrawOneCardButton* button = Button(rank, suit);
  return button && button->m_selected;
}

int CardGrid::CountSelected() const {
  int n = 0;
  for (const auto* button : m_buttons)
    if (button && button->m_selected) ++n;
  return n;
}

CString CardGrid::Text() const {
  CString text;
  for (int suit = 0; suit < kSuits; ++suit)
    for (int rank = 0; rank < kRanks; ++rank)
      if (Selected(rank, suit)) text += FormatCard(rank, suit, 0).c_str();
  return text;
}

void CardGrid::Redraw(int rank, int suit) const {
  if (COwnerDrawOneCardButton* button = Button(rank, suit); button && button->GetSafeHwnd())
    button->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CardGrid::Invalidate(int rank, int suit) const {
  if (COwnerDrawOneCardButton* button = Button(rank, suit); button && button->GetSafeHwnd())
    button->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE);
}

bool ReadStoredCards(const CString& text, int count, int* ranks, int* suits) {
  if (text.GetLength() != 2 * count) return false;
  const std::wstring_view view(text.GetString(), static_cast<size_t>(text.GetLength()));
  for (int i = 0; i < count; ++i) {
    ranks[i] = RankCharToIndex(view[2 * i]);
    suits[i] = SuitCharToIndex(view[2 * i + 1]);
    if (ranks[i] < 0 || suits[i] < 0) return false;
    for (int j = 0; j < i; ++j)
      if (ranks[j] == ranks[i] && suits[j] == suits[i]) return false;
  }
  return true;
}

CString FormatClassRank(int rank) {
  CString text;
  text.Format(L"\x1b" L"E%d\x1b" L"F / 16432", rank);
  return text;
}

namespace {

CString Percent(double value) {
  CString text;
  text.Format(L"%0.2lf%%", value);
  return text;
}

double Stat(const HandClassRecord& record, int column, int row) { return record.stats[column][row] / 100.0; }

std::wstring_view View(const CString& text) { return {text.GetString(), static_cast<size_t>(text.GetLength())}; }

CString LoadText(UINT id) {
  CString text;
  text.LoadString(id);
  return text;
}

}  // namespace

HandClassFacts DescribeHandClass(const COmahaBase* base, const CString& handText, bool hiLo) {
  HandClassFacts facts;
  for (CString& rank : facts.rank) rank = kNoClassRank;
  if (!base || handText.GetLength() != 8) return facts;
  const HandClassRecord* record = base->FindClassRecord(View(handText));
  if (!record) return facts;
  facts.found = true;
  facts.rankType = COmahaBase::GetRankPatternName(record->rankPattern).c_str();
  facts.suitType = COmahaBase::GetSuitPatternName(record->suitPattern).c_str();
  facts.straightShapes.Format(L"%0d", record->straightShapes);
  facts.straightFlushShapes.Format(L"%0d", record->straightFlushShapes);
  facts.points.Format(L"%0.1lf", record->points);
  facts.combos.Format(L"%0d", record->comboCount);
  for (int k = 0; k < 10; ++k) {
    const double equity = hiLo ? Stat(*record, kStatEqHiLo, k) : Stat(*record, kStatWin, k) + Stat(*record, kStatSplit, k);
    const int rank = (hiLo ? record->stats[kStatPosHiLo][k] : record->stats[kStatPos][k]) + 1;
    facts.equity[k] = Percent(equity);
    facts.rank[k] = FormatClassRank(rank);
  }
  return facts;
}

CString BuildClassEquityTooltip(const COmahaBase* base, const CString& handText, int k, bool hiLo) {
  if (handText.GetLength() != 8) return CString();
  CString header = LoadText(IDS_HAND_HEADER);
  header.TrimRight();
  if (header.Right(1) == L":") header = header.Left(header.GetLength() - 1);

  int ranks[4] = {-1, -1, -1, -1}, suits[4] = {-1, -1, -1, -1};
  for (int i = 0; i < 4; ++i) ParseCardText(View(handText.Mid(2 * i, 2)), &ranks[i], &suits[i]);
  CString images;
  images.Format(L"%s%s%s%s", FormatCardBitmapTag(suits[0], ranks[0]).c_str(), FormatCardBitmapTag(suits[1], ranks[1]).c_str(),
                FormatCardBitmapTag(suits[2], ranks[2]).c_str(), FormatCardBitmapTag(suits[3], ranks[3]).c_str());

  CString equity, win, tie, eqHiLo, scoop, winHi, tieHi, winLo, tieLo;
  const HandClassRecord* record = base ? base->FindClassRecord(View(handText)) : nullptr;
  if (record && k >= 0 && k <= 10) {
    win = Percent(Stat(*record, kStatWin, k));
    tie = Percent(Stat(*record, kStatSplit, k));
    equity = Percent(Stat(*record, kStatWin, k) + Stat(*record, kStatSplit, k));
    eqHiLo = Percent(Stat(*record, kStatEqHiLo, k));
    scoop = Percent(Stat(*record, kStatScoop, k));
    winHi = Percent(Stat(*record, kStatWinHi, k));
    tieHi = Percent(Stat(*record, kStatSplitHi, k));
    winLo = Percent(Stat(*record, kStatWinLo, k));
    tieLo = Percent(Stat(*record, kStatSplitLo, k));
  }

  CString text;
  if (!hiLo) {
    text.Format(
        L"<table cellpadding=0 border=0>\t<tr>\t\t<td><center>&nbsp;%s</center></td>\t\t<td><b><center>%s</center></b></td>"
        L"\t\t<td><center>%s</center></td>\t\t<td><center>%s</center></td>\t</tr>\t<tr>\t\t<td><hr></td>\t\t<td><hr></td>"
        L"\t\t<td><hr></td>\t\t<td><hr></td>\t</tr>\t<tr>\t\t<td><center>&nbsp;%s&nbsp;</center></td>"
        L"\t\t<td><b><center>&nbsp;%s&nbsp;</center></b></td>\t\t<td><center>&nbsp;%s&nbsp;</center></td>"
        L"\t\t<td><center>&nbsp;%s&nbsp;</center></td>\t</tr></table>",
        header.GetString(), LoadText(IDS_EQUITY).GetString(), LoadText(IDS_WINS).GetString(), LoadText(IDS_TIES).GetString(),
        images.GetString(), equity.GetString(), win.GetString(), tie.GetString());
  } else {
    text.Format(
        L"<table cellpadding=0 border=0>\t<tr>\t\t<td><center>&nbsp;%s</center></td>\t\t<td><b><center>%s</center></b></td>"
        L"\t\t<td><center>%s</center></td>\t\t<td><center>%s</center></td>\t\t<td><center>%s</center></td>"
        L"\t\t<td><center>%s</center></td>\t\t<td><center>%s</center></td>\t</tr>\t<tr>\t\t<td><hr></td>\t\t<td><hr></td>"
        L"\t\t<td><hr></td>\t\t<td><hr></td>\t\t<td><hr></td>\t\t<td><hr></td>\t\t<td><hr></td>\t</tr>\t<tr>"
        L"\t\t<td><center>&nbsp;%s&nbsp;</center></td>\t\t<td><b><center>&nbsp;%s&nbsp;</center></b></td>"
        L"\t\t<td><center>&nbsp;%s&nbsp;</center></td>\t\t<td><center>&nbsp;%s&nbsp;</center></td>"
        L"\t\t<td><center>&nbsp;%s&nbsp;</center></td>\t\t<td><center>&nbsp;%s&nbsp;</center></td>"
        L"\t\t<td><center>&nbsp;%s&nbsp;</center></td>\t</tr></table>",
        header.GetString(), LoadText(IDS_EQUITY).GetString(), LoadText(IDS_SCOOPS).GetString(),
        LoadText(IDS_WINS_HI).GetString(), LoadText(IDS_TIES_HI).GetString(), LoadText(IDS_WINS_LO).GetString(),
        LoadText(IDS_TIES_LO).GetString(), images.GetString(), eqHiLo.GetString(), scoop.GetString(), winHi.GetString(),
        tieHi.GetString(), winLo.GetString(), tieLo.GetString());
  }
  return text;
}

bool CapitaliseCardLetter(MSG* message) {
  if (!message || message->message != WM_CHAR) return false;
  switch (message->wParam) {
    case L'a': case L'j': case L'k': case L'q': case L't':
      message->wParam = message->wParam - L'a' + L'A';
      return true;
    default:
      return false;
  }
}

const COmahaBase* AppHandBase() {
  const COmahaVantornApp* app = GetOmahaApp();
  return app ? &app->m_handBase : nullptr;
}
