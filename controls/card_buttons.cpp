#include "controls/card_buttons.h"

#include "controls/card_sheet.h"
#include "core/cards.h"

namespace {

// The sheet and the mask selected into memory device contexts for one drawing.
class CardSources {
 public:
  CardSources(CDC* target, CBitmap* faces, CBitmap* mask) {
    m_maskDC.CreateCompatibleDC(nullptr);
    m_facesDC.CreateCompatibleDC(target);
    m_oldMask = m_maskDC.SelectObject(mask);
    m_oldFaces = m_facesDC.SelectObject(faces);
  }
  ~CardSources() {
    if (m_oldMask) m_maskDC.SelectObject(m_oldMask);
    if (m_oldFaces) m_facesDC.SelectObject(m_oldFaces);
  }
  void Draw(CDC* target, int x, int y, int rank, int suit, int group) {
    cardsheet::DrawCard(target, x, y, &m_maskDC, &m_facesDC, rank, suit, group);
  }

 private:
  CDC m_maskDC;
  CDC m_facesDC;
  CBitmap* m_oldMask = nullptr;
  CBitmap* m_oldFaces = nullptr;
};

}  // namespace

COwnerDrawCardButton::COwnerDrawCardButton() {
  for (int i = 0; i < kSlots; ++i) {
    m_ranks[i] = -1;
    m_suits[i] = -1;
    m_dimmed[i] = 0;
  }
  m_cardFaces.LoadBitmap(cardsheet::kSheetBitmapId);
  m_cardMask.LoadBitmap(cardsheet::kMaskBitmapId);
}

COwnerDrawCardButton::~COwnerDrawCardButton() = default;

void COwnerDrawCardButton::SetCardsText(const CString& text) {
  for (int i = 0; i < kSlots; ++i) m_ranks[i] = m_suits[i] = -1;
  CString cards = text;
  cards.Remove(L' ');
  const int pairs = std::min(cards.GetLength() / 2, kSlots);
  for (int i = 0; i < pairs; ++i) {
    const CString pair = cards.Mid(2 * i, 2);
    ParseCardText(std::wstring_view(pair.GetString(), 2), &m_ranks[i], &m_suits[i]);
  }
}

void COwnerDrawCardButton::DrawCards(CDC* pDC) {
  CardSources sources(pDC, &m_cardFaces, &m_cardMask);
  for (int i = 0; i < kSlots; ++i) {
    if (m_ranks[i] < 0 || m_suits[i] < 0) continue;
    if (!cardsheet::IsCard(m_ranks[i], m_suits[i])) continue;  // written directly out of range
    sources.Draw(pDC, 1 + 22 * i, 1, m_ranks[i], m_suits[i], m_dimmed[i] ? cardsheet::kDimmed : cardsheet::kNormal);
  }
}

void COwnerDrawCardButton::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
  if (lpDrawItemStruct == nullptr) return;
  DrawCards(CDC::FromHandle(lpDrawItemStruct->hDC));
}

void COwnerDrawOneCardButton::DrawCard(CDC* pDC, bool disabled) {
  if (!cardsheet::IsCard(m_rank, m_suit) || m_faces == nullptr || m_mask == nullptr) return;
  const int group = disabled     ? cardsheet::kDimmed
                    : m_selected ? cardsheet::kSelected
                    : m_marked   ? cardsheet::kMarked
                                 : cardsheet::kNormal;
  CardSources sources(pDC, m_faces, m_mask);
  sources.Draw(pDC, 0, 0, m_rank, m_suit, group);
}

void COwnerDrawOneCardButton::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
  if (lpDrawItemStruct == nullptr) return;
  DrawCard(CDC::FromHandle(lpDrawItemStruct->hDC), !IsWindowEnabled());
}
