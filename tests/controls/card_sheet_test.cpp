// Cards drawn from the card sheet over its mask.
#include <gtest/gtest.h>

#include "canvas.h"
#include "controls/card_sheet.h"

namespace {

using ctltest::Canvas;
using ctltest::ColorText;

class CardSheetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_sheet.LoadBitmap(cardsheet::kSheetBitmapId));
    ASSERT_TRUE(m_mask.LoadBitmap(cardsheet::kMaskBitmapId));
    m_sheetDC.CreateCompatibleDC(nullptr);
    m_maskDC.CreateCompatibleDC(nullptr);
    m_oldSheet = m_sheetDC.SelectObject(&m_sheet);
    m_oldMask = m_maskDC.SelectObject(&m_mask);
  }
  void TearDown() override {
    m_sheetDC.SelectObject(m_oldSheet);
    m_maskDC.SelectObject(m_oldMask);
  }

  // Every pixel of the card at (x, y) is the sheet's cell pixel, except the four corners,
  // which keep the background.
  void ExpectCard(Canvas& c, int x, int y, int rank, int suit, int group, COLORREF background) {
    const CPoint cell = cardsheet::CellOrigin(rank, suit, group);
    int wrong = 0;
    for (int dy = 0; dy < cardsheet::kCellHeight; ++dy) {
      for (int dx = 0; dx < cardsheet::kCellWidth; ++dx) {
        const bool corner = (dx == 0 || dx == cardsheet::kCellWidth - 1) && (dy == 0 || dy == cardsheet::kCellHeight - 1);
        const COLORREF expected = corner ? background : m_sheetDC.GetPixel(cell.x + dx, cell.y + dy);
        if (c.At(x + dx, y + dy) != expected && ++wrong <= 5)
          ADD_FAILURE() << "card pixel (" << dx << ", " << dy << "): " << ColorText(c.At(x + dx, y + dy))
                        << " instead of " << ColorText(expected);
      }
    }
    EXPECT_EQ(wrong, 0);
  }

  CBitmap m_sheet, m_mask;
  CDC m_sheetDC, m_maskDC;
  CBitmap* m_oldSheet = nullptr;
  CBitmap* m_oldMask = nullptr;
};

TEST_F(CardSheetTest, ResourcesHaveTheSheetsShape) {
  BITMAP bm;
  ASSERT_TRUE(m_sheet.GetBitmap(&bm));
  EXPECT_EQ(bm.bmWidth, 337);
  EXPECT_EQ(bm.bmHeight, 393);
  ASSERT_TRUE(m_mask.GetBitmap(&bm));
  EXPECT_EQ(bm.bmWidth, 20);
  EXPECT_EQ(bm.bmHeight, 27);
  EXPECT_EQ(m_maskDC.GetPixel(0, 0), RGB(255, 255, 255));
  EXPECT_EQ(m_maskDC.GetPixel(19, 26), RGB(255, 255, 255));
  EXPECT_EQ(m_maskDC.GetPixel(1, 0), RGB(0, 0, 0));
  EXPECT_EQ(m_maskDC.GetPixel(10, 13), RGB(0, 0, 0));
}

TEST_F(CardSheetTest, CellsOfTheCorners) {
  EXPECT_EQ(cardsheet::CellOrigin(12, 0, 0), CPoint(1, 1)) << "the deuce is the top row";
  EXPECT_EQ(cardsheet::CellOrigin(0, 0, 0), CPoint(1, 337)) << "the ace the bottom row";
  EXPECT_EQ(cardsheet::CellOrigin(0, 3, 2), CPoint(1 + 21 * 11, 337));
  EXPECT_EQ(cardsheet::CellOrigin(5, 1, 1), CPoint(1 + 21 * 5, 337 - 140));
}

TEST_F(CardSheetTest, EveryCardOfEveryGroupIsItsCellOverTheBackground) {
  const COLORREF background = RGB(30, 120, 60);
  Canvas c(3 * 4 * 22, 13 * 29, background);
  for (int group = 0; group < 3; ++group)
    for (int suit = 0; suit < 4; ++suit)
      for (int rank = 0; rank < 13; ++rank)
        cardsheet::DrawCard(c.dc(), (group * 4 + suit) * 22, rank * 29, &m_maskDC, &m_sheetDC, rank, suit, group);
  for (int group = 0; group < 3; ++group)
    for (int suit = 0; suit < 4; ++suit)
      for (int rank = 0; rank < 13; ++rank) {
        SCOPED_TRACE(testing::Message() << "rank " << rank << " suit " << suit << " group " << group);
        ExpectCard(c, (group * 4 + suit) * 22, rank * 29, rank, suit, group, background);
      }
  EXPECT_FALSE(c.Save(L"controls_card_sheet").empty());
}

TEST_F(CardSheetTest, GroupsDiffer) {
  // The selected and the dimmed card look different from the normal one.
  const CPoint normal = cardsheet::CellOrigin(0, 1, 0);
  const CPoint selected = cardsheet::CellOrigin(0, 1, 1);
  const CPoint dimmed = cardsheet::CellOrigin(0, 1, 2);
  int selectedDiff = 0, dimmedDiff = 0;
  for (int dy = 1; dy < 26; ++dy)
    for (int dx = 1; dx < 19; ++dx) {
      const COLORREF n = m_sheetDC.GetPixel(normal.x + dx, normal.y + dy);
      selectedDiff += n != m_sheetDC.GetPixel(selected.x + dx, selected.y + dy);
      dimmedDiff += n != m_sheetDC.GetPixel(dimmed.x + dx, dimmed.y + dy);
    }
  EXPECT_GT(selectedDiff, 50);
  EXPECT_GT(dimmedDiff, 50);
}

}  // namespace
