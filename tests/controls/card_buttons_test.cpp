// The card buttons: card texts into slots, and the cards they draw in a dialog.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "canvas.h"
#include "controls/card_buttons.h"
#include "controls/card_sheet.h"
#include "test_dialog.h"

namespace {

using ctltest::ColorText;

struct Slot {
  int rank, suit;
};

struct CardsTextCase {
  const char* name;
  const wchar_t* text;
  std::vector<Slot> slots;  // the leading slots; every later slot is empty
};

class SetCardsTextTest : public ::testing::TestWithParam<CardsTextCase> {};

TEST_P(SetCardsTextTest, FillsTheSlots) {
  const CardsTextCase& c = GetParam();
  COwnerDrawCardButton button;
  for (int i = 0; i < COwnerDrawCardButton::kSlots; ++i) button.m_ranks[i] = button.m_suits[i] = 5;  // stale
  button.SetCardsText(c.text);
  for (int i = 0; i < COwnerDrawCardButton::kSlots; ++i) {
    const Slot want = i < static_cast<int>(c.slots.size()) ? c.slots[i] : Slot{-1, -1};
    EXPECT_EQ(button.m_ranks[i], want.rank) << "rank of slot " << i;
    EXPECT_EQ(button.m_suits[i], want.suit) << "suit of slot " << i;
  }
}

const CardsTextCase kCardsTextCases[] = {
    {"FlopWithBlanks", L"Ah Kd 7c", {{0, 1}, {1, 0}, {7, 3}}},
    {"TrailingOddLetterIgnored", L"AhK", {{0, 1}}},
    {"LowerCaseRankNotRecognised", L"ahKd", {{-1, 1}, {1, 0}}},
    {"UpperCaseSuitAccepted", L"AH", {{0, 1}}},
    {"UnknownSuit", L"Ax2s", {{0, -1}, {12, 2}}},
    {"EveryRank", L"AsKsQsJsTs9s8s7s6s5s4s3s2s",
     {{0, 2}, {1, 2}, {2, 2}, {3, 2}, {4, 2}, {5, 2}, {6, 2}, {7, 2}, {8, 2}, {9, 2}, {10, 2}, {11, 2}, {12, 2}}},
    {"Empty", L"", {}},
    {"OnlyBlanks", L"   ", {}},
};

INSTANTIATE_TEST_SUITE_P(CardButton, SetCardsTextTest, ::testing::ValuesIn(kCardsTextCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CardButton, MoreThan52CardsFillEverySlotAndStop) {
  CString text;
  for (int i = 0; i < 60; ++i) text += (i % 2) ? L"2c " : L"Ad ";
  COwnerDrawCardButton button;
  button.SetCardsText(text);
  for (int i = 0; i < COwnerDrawCardButton::kSlots; ++i) {
    EXPECT_EQ(button.m_ranks[i], (i % 2) ? 12 : 0);
    EXPECT_EQ(button.m_suits[i], (i % 2) ? 3 : 0);
  }
}

TEST(CardButton, SetCardsTextLeavesDimmingAlone) {
  COwnerDrawCardButton button;
  button.m_dimmed[1] = 1;
  button.SetCardsText(L"AhKh");
  EXPECT_EQ(button.m_dimmed[1], 1);
  EXPECT_EQ(button.m_dimmed[0], 0);
}

// A dialog with a board button (five slots wide) and three one-card buttons.
class CardButtonWindows : public ::testing::Test {
 protected:
  static constexpr UINT kBoardId = 1016;
  static constexpr int kBoardWidth = 5 * 22 + 2;

  void SetUp() override {
    ASSERT_TRUE(m_faces.LoadBitmap(cardsheet::kSheetBitmapId));
    ASSERT_TRUE(m_mask.LoadBitmap(cardsheet::kMaskBitmapId));
    // A bitmap is selected into one device context at a time: the reference has its own copy.
    ASSERT_TRUE(m_reference.LoadBitmap(cardsheet::kSheetBitmapId));
    m_sheetDC.CreateCompatibleDC(nullptr);
    m_oldSheet = m_sheetDC.SelectObject(&m_reference);
    ctltest::DialogTemplate t(L"Cards", 200, 80);
    t.Add(L"BUTTON", L"", BS_OWNERDRAW, 4, 4, 80, 20, kBoardId);
    m_host.m_onInit = [this](ctltest::HostDialog& dlg) {
      m_board.SubclassDlgItem(kBoardId, &dlg);
      m_board.MoveWindow(10, 10, kBoardWidth, 29);
      for (int i = 0; i < 3; ++i) {
        auto card = std::make_unique<COwnerDrawOneCardButton>();
        card->m_faces = &m_faces;
        card->m_mask = &m_mask;
        card->m_rank = 0;
        card->m_suit = i;
        card->Create(L"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(10 + 30 * i, 60, 30 + 30 * i, 87), &dlg,
                     2000 + i);
        m_cards.push_back(std::move(card));
      }
    };
    ASSERT_TRUE(m_host.Open(t));
  }
  void TearDown() override {
    m_host.DestroyWindow();
    m_sheetDC.SelectObject(m_oldSheet);
  }

  // Pixels of the capture at (x, y) equal the sheet cell of the card, corners excluded.
  int DifferencesFromCell(const gui::Image& shot, int x, int y, int rank, int suit, int group) {
    const CPoint cell = cardsheet::CellOrigin(rank, suit, group);
    int wrong = 0;
    for (int dy = 0; dy < cardsheet::kCellHeight; ++dy)
      for (int dx = 0; dx < cardsheet::kCellWidth; ++dx) {
        const bool corner = (dx == 0 || dx == 19) && (dy == 0 || dy == 26);
        if (!corner) wrong += ctltest::PixelOf(shot, x + dx, y + dy) != m_sheetDC.GetPixel(cell.x + dx, cell.y + dy);
      }
    return wrong;
  }

  CBitmap m_faces, m_mask, m_reference;
  CDC m_sheetDC;
  CBitmap* m_oldSheet = nullptr;
  COwnerDrawCardButton m_board;
  std::vector<std::unique_ptr<COwnerDrawOneCardButton>> m_cards;
  ctltest::HostDialog m_host;
};

TEST_F(CardButtonWindows, BoardShowsTheCardsOfItsText) {
  m_board.SetCardsText(L"Ah Kd 7c");
  m_board.RedrawWindow();
  gui::Image shot = ctltest::Capture(m_board.m_hWnd);
  gui::SaveCapture(shot, L"controls_card_button_flop");
  EXPECT_EQ(DifferencesFromCell(shot, 1, 1, 0, 1, 0), 0) << "Ah";
  EXPECT_EQ(DifferencesFromCell(shot, 23, 1, 1, 0, 0), 0) << "Kd";
  EXPECT_EQ(DifferencesFromCell(shot, 45, 1, 7, 3, 0), 0) << "7c";
  // The empty slots leave the face of the button alone.
  const COLORREF face = ctltest::PixelOf(shot, 80, 10);
  for (int x = 67; x < kBoardWidth; ++x) EXPECT_EQ(ctltest::PixelOf(shot, x, 14), face) << x;
}

TEST_F(CardButtonWindows, DimmedCardComesFromTheThirdGroupUntilCleared) {
  m_board.SetCardsText(L"AhKd7c");
  m_board.m_dimmed[1] = 1;
  m_board.RedrawWindow();
  gui::Image dimmed = ctltest::Capture(m_board.m_hWnd);
  gui::SaveCapture(dimmed, L"controls_card_button_dimmed");
  EXPECT_EQ(DifferencesFromCell(dimmed, 23, 1, 1, 0, cardsheet::kDimmed), 0);
  EXPECT_EQ(DifferencesFromCell(dimmed, 1, 1, 0, 1, cardsheet::kNormal), 0);
  m_board.m_dimmed[1] = 0;
  m_board.RedrawWindow();
  gui::Image normal = ctltest::Capture(m_board.m_hWnd);
  EXPECT_EQ(DifferencesFromCell(normal, 23, 1, 1, 0, cardsheet::kNormal), 0);
}

TEST_F(CardButtonWindows, SlotsWithOnlyARankOrOnlyASuitAreNotDrawn) {
  m_board.SetCardsText(L"ahKx");
  m_board.RedrawWindow();
  gui::Image shot = ctltest::Capture(m_board.m_hWnd);
  const COLORREF face = ctltest::PixelOf(shot, 0, 0);
  for (int x = 1; x < 45; ++x) EXPECT_EQ(ctltest::PixelOf(shot, x, 14), face) << x;
}

TEST_F(CardButtonWindows, OneCardNormalSelectedAndDisabled) {
  COwnerDrawOneCardButton& normal = *m_cards[0];
  COwnerDrawOneCardButton& selected = *m_cards[1];
  COwnerDrawOneCardButton& disabled = *m_cards[2];
  selected.m_selected = 1;
  disabled.m_selected = 1;
  disabled.EnableWindow(FALSE);
  for (auto& c : m_cards) c->RedrawWindow();
  gui::Image dlg = ctltest::Capture(m_host.m_hWnd);
  gui::SaveCapture(dlg, L"controls_one_card_buttons");
  EXPECT_EQ(DifferencesFromCell(ctltest::Capture(normal.m_hWnd), 0, 0, 0, 0, cardsheet::kNormal), 0);
  EXPECT_EQ(DifferencesFromCell(ctltest::Capture(selected.m_hWnd), 0, 0, 0, 1, cardsheet::kSelected), 0);
  EXPECT_EQ(DifferencesFromCell(ctltest::Capture(disabled.m_hWnd), 0, 0, 0, 2, cardsheet::kDimmed), 0)
      << "a disabled card is dimmed even when selected";
}

TEST_F(CardButtonWindows, MarkedCardComesFromTheFourthGroup) {
  COwnerDrawOneCardButton& card = *m_cards[0];
  card.m_marked = 1;
  EXPECT_EQ(DifferencesFromCell(ctltest::Capture(card.m_hWnd), 0, 0, 0, 0, cardsheet::kMarked), 0);
  card.m_selected = 1;
  EXPECT_EQ(DifferencesFromCell(ctltest::Capture(card.m_hWnd), 0, 0, 0, 0, cardsheet::kSelected), 0)
      << "selected wins over marked";
}

TEST_F(CardButtonWindows, OneCardClickReachesTheParent) {
  gui::ClickAt(m_cards[0]->m_hWnd, 10, 10);
  ctltest::Pump(30);
  EXPECT_EQ(m_host.Count(2000, BN_CLICKED), 1);
}

TEST_F(CardButtonWindows, OneCardWithoutACardDrawsNothing) {
  COwnerDrawOneCardButton& card = *m_cards[0];
  gui::Image before = ctltest::Capture(card.m_hWnd);
  for (auto [rank, suit] : {std::pair{13, 0}, std::pair{-1, 0}, std::pair{0, 4}, std::pair{0, -1}}) {
    card.m_rank = rank;
    card.m_suit = suit;
    // Paint over the button first: a card that is no card must not draw (not even a background).
    CClientDC dc(&card);
    dc.FillSolidRect(0, 0, 20, 27, RGB(1, 2, 3));
    card.DrawCard(&dc, false);
    EXPECT_EQ(dc.GetPixel(10, 13), RGB(1, 2, 3)) << rank << "/" << suit;
  }
  (void)before;
}

}  // namespace
