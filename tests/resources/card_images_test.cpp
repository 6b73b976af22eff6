// The card sheet and its mask as the card buttons draw them (mask ANDed, cell ORed), the
// drop-down pictures, the tooltip cards and the browser's card PNGs.
#include <gtest/gtest.h>

#include <objidl.h>
#include <shlwapi.h>
#include <gdiplus.h>

#include <set>
#include <string>

#include "resource.h"
#include "resource_module.h"

namespace {

constexpr int kW = CARD_CELL_WIDTH;
constexpr int kH = CARD_CELL_HEIGHT;
const char kRanks[] = "AKQJT98765432";
const char kSuits[] = "dhsc";

bool IsCorner(int x, int y, int w, int h) { return (x == 0 || x == w - 1) && (y == 0 || y == h - 1); }

std::basic_string<std::uint32_t> Cell(const res::Pixels& p, int x0, int y0, int w, int h) {
    std::basic_string<std::uint32_t> cell;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) cell += IsCorner(x, y, w, h) ? 0u : p.at(x0 + x, y0 + y);
    }
    return cell;
}

// True when the cell holds glyph pixels of the suit's colour: diamonds blue, hearts red,
// spades black, clubs green.
bool HasSuitInk(const std::basic_string<std::uint32_t>& cell, int suit) {
    int n = 0;
    for (std::uint32_t c : cell) {
        int r = res::Red(c), g = res::Green(c), b = res::Blue(c);
        switch (suit) {
            case 0: n += b > 180 && r < 90 && g < 90; break;
            case 1: n += r > 180 && g < 90 && b < 90; break;
            case 2: n += r < 50 && g < 50 && b < 50; break;
            case 3: n += g > 120 && r < 90 && b < 90; break;
        }
    }
    return n >= 12;
}

TEST(CardSheet, MaskCoversTheCellButItsCorners) {
    res::Pixels mask = res::LoadPixels(IDB_CARD_MASK);
    ASSERT_FALSE(mask.empty());
    EXPECT_EQ(mask.width, kW);
    EXPECT_EQ(mask.height, kH);
    EXPECT_EQ(mask.bitsPerPixel, 8);
    for (int y = 0; y < kH; ++y) {
        for (int x = 0; x < kW; ++x) {
            EXPECT_EQ(mask.at(x, y), IsCorner(x, y, kW, kH) ? res::kWhite : res::kBlack) << x << "," << y;
        }
    }
}

TEST(CardSheet, HoldsEveryCardInFourStatesAtItsCell) {
    res::Pixels sheet = res::LoadPixels(IDB_CARD_SHEET);
    ASSERT_FALSE(sheet.empty());
    EXPECT_EQ(sheet.width, 337);
    EXPECT_EQ(sheet.height, 393);
    EXPECT_EQ(sheet.bitsPerPixel, 24);

    // Whatever the buttons do not copy must be black, so ORing a cell never leaks light.
    std::set<std::pair<int, int>> inside;
    for (int group = 0; group < 4; ++group) {
        for (int suit = 0; suit < 4; ++suit) {
            int x0 = 1 + 21 * (4 * group + suit);
            std::set<std::basic_string<std::uint32_t>> ranks;
            for (int rank = 0; rank < 13; ++rank) {
                int y0 = 337 - 28 * rank;
                SCOPED_TRACE(std::string("group ") + char('0' + group) + " card " + kRanks[rank] + kSuits[suit]);
                auto cell = Cell(sheet, x0, y0, kW, kH);
                for (int y = 0; y < kH; ++y) {
                    for (int x = 0; x < kW; ++x) {
                        if (IsCorner(x, y, kW, kH)) {
                            EXPECT_EQ(sheet.at(x0 + x, y0 + y), res::kBlack);
                        } else {
                            inside.insert({x0 + x, y0 + y});
                        }
                    }
                }
                if (group != 2) {
                    EXPECT_TRUE(HasSuitInk(cell, suit));
                }
                ranks.insert(cell);
            }
            EXPECT_EQ(ranks.size(), 13u) << "thirteen different ranks in column " << x0;
            // Groups differ from one another: selected, dimmed and marked cards stand out.
            if (group > 0) {
                EXPECT_NE(Cell(sheet, x0, 337, kW, kH), Cell(sheet, 1 + 21 * suit, 337, kW, kH));
            }
        }
    }
    int leaks = 0;
    for (int y = 0; y < 365; ++y) {
        for (int x = 0; x < sheet.width; ++x) {
            if (!inside.count({x, y}) && sheet.at(x, y) != res::kBlack) ++leaks;
        }
    }
    EXPECT_EQ(leaks, 0);
}

TEST(CardSheet, TooltipCardsShowTheSameCardsWithMagentaCorners) {
    res::Pixels sheet = res::LoadPixels(IDB_CARD_SHEET);
    ASSERT_FALSE(sheet.empty());
    for (int suit = 0; suit < 4; ++suit) {
        for (int rank = 0; rank < 13; ++rank) {
            int id = IDB_TIP_CARD_FIRST + suit * 13 + rank;
            res::Pixels tip = res::LoadPixels(id);
            ASSERT_FALSE(tip.empty()) << id;
            ASSERT_EQ(tip.width, kW);
            ASSERT_EQ(tip.height, kH);
            EXPECT_EQ(tip.at(0, 0), res::kMagenta);
            EXPECT_EQ(tip.at(kW - 1, kH - 1), res::kMagenta);
            EXPECT_EQ(Cell(tip, 0, 0, kW, kH), Cell(sheet, 1 + 21 * suit, 337 - 28 * rank, kW, kH))
                << "card " << kRanks[rank] << kSuits[suit];
        }
    }
    for (int id : {IDB_TIP_CARD_UNKNOWN, IDB_TIP_CARD_BACK}) {
        res::Pixels tip = res::LoadPixels(id);
        ASSERT_FALSE(tip.empty()) << id;
        EXPECT_EQ(tip.width, kW);
        EXPECT_EQ(tip.at(0, 0), res::kMagenta);
    }
}

TEST(ComboPictures, StripCellsFitTheirMask) {
    res::Pixels strip = res::LoadPixels(IDB_COMBO_PICTURES);
    res::Pixels mask = res::LoadPixels(IDB_COMBO_MASK);
    ASSERT_FALSE(strip.empty());
    ASSERT_FALSE(mask.empty());
    EXPECT_EQ(strip.width, 288);
    EXPECT_EQ(strip.height, 21);
    EXPECT_EQ(mask.width, 16);
    EXPECT_EQ(mask.height, 21);
    EXPECT_EQ(mask.bitsPerPixel, 8);
    std::set<std::basic_string<std::uint32_t>> cells;
    for (int cell = 0; cell < 18; ++cell) {
        for (int y = 0; y < 21; ++y) {
            for (int x = 0; x < 16; ++x) {
                // Where the mask keeps the background, the picture must add nothing.
                if (mask.at(x, y) == res::kWhite) {
                    EXPECT_EQ(strip.at(16 * cell + x, y), res::kBlack);
                } else {
                    EXPECT_EQ(mask.at(x, y), res::kBlack);
                }
            }
        }
        cells.insert(Cell(strip, 16 * cell, 0, 16, 21));
    }
    EXPECT_EQ(cells.size(), 18u);
    // Cells 14 to 17 are the suits d, h, s, c.
    for (int suit = 0; suit < 4; ++suit) EXPECT_TRUE(HasSuitInk(Cell(strip, 16 * (14 + suit), 0, 16, 21), suit));
}

class CardPngs : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        Gdiplus::GdiplusStartupInput input;
        Gdiplus::GdiplusStartup(&token_, &input, nullptr);
    }
    static void TearDownTestSuite() { Gdiplus::GdiplusShutdown(token_); }
    static ULONG_PTR token_;
};
ULONG_PTR CardPngs::token_ = 0;

TEST_F(CardPngs, EveryCardIsAnHtmlResourceHoldingATransparentPng) {
    const char ranks[] = "23456789TJQKA";
    const char suits[] = "CDHS";
    for (char s : std::string(suits)) {
        for (char r : std::string(ranks)) {
            std::wstring name = L"BITMAP_CARD_";
            name += wchar_t(r);
            name += wchar_t(s);
            name += L".PNG";
            SCOPED_TRACE(std::string(name.begin(), name.end()));
            std::string_view png = res::Bytes(name.c_str(), RT_HTML);
            ASSERT_GT(png.size(), 33u);
            ASSERT_EQ(png.substr(0, 8), std::string_view("\x89PNG\r\n\x1a\n", 8));
            // The browser finds the picture by the name in lower case too.
            std::wstring lower = name;
            for (auto& c : lower) c = towlower(c);
            EXPECT_EQ(res::Bytes(lower.c_str(), RT_HTML).data(), png.data());

            IStream* stream = SHCreateMemStream(reinterpret_cast<const BYTE*>(png.data()), UINT(png.size()));
            ASSERT_NE(stream, nullptr);
            {
                Gdiplus::Bitmap bitmap(stream);
                ASSERT_EQ(bitmap.GetLastStatus(), Gdiplus::Ok);
                EXPECT_EQ(bitmap.GetWidth(), 23u);
                EXPECT_EQ(bitmap.GetHeight(), 32u);
                Gdiplus::Color corner, centre;
                bitmap.GetPixel(0, 0, &corner);
                bitmap.GetPixel(11, 16, &centre);
                EXPECT_EQ(corner.GetA(), 0);
                EXPECT_EQ(centre.GetA(), 255);
            }
            stream->Release();
        }
    }
}

}  // namespace
