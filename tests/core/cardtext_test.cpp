#include "core/cardtext.h"

#include <gtest/gtest.h>

namespace {

TEST(CardText, FormatRankSuit)
{
    struct Case {
        int rank, suit, plain;
        const wchar_t* text;
    };
    const Case cases[] = {
        {0, 0, 1, L"Ad"},
        {4, 3, 1, L"Tc"},
        {12, 2, 1, L"2s"},
        {0, 0, 0, L"<font color=#000000>A</font>"},
        {1, 1, 0, L"<font color=#EE0000>K</font>"},
        {2, 2, 0, L"<font color=#00EE00>Q</font>"},
        {3, 3, 0, L"<font color=#0000EE>J</font>"},
        {0, 4, 1, L"??"},
        {0, -1, 0, L"??"},
        {13, 0, 1, L"?d"},  // a bad rank is shown, not read past the letters
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatRankSuit(c.rank, c.suit, c.plain), c.text) << c.rank << "," << c.suit;
}

TEST(CardText, HandClassTextInPatternForm)
{
    struct Case {
        CardPair cards[4];
        const wchar_t* text;
    };
    const Case cases[] = {
        {{{0, 0}, {1, 1}, {2, 0}, {3, 1}}, L"[AQ][KJ]"},  // Ad Kh Qd Jh
        {{{0, 2}, {1, 1}, {2, 3}, {3, 0}}, L"JKAQ"},      // As Kh Qc Jd
        {{{0, 1}, {1, 1}, {2, 1}, {3, 0}}, L"J[AKQ]"},    // three hearts after a lone diamond
        {{{0, 0}, {1, 0}, {2, 0}, {3, 2}}, L"[AKQ]J"},
        {{{3, 2}, {2, 2}, {1, 2}, {0, 2}}, L"[AKQJ]"},    // sorted by rank inside the group
        {{{0, 0}, {0, 1}, {1, 2}, {1, 3}}, L"AAKK"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatHandClassText(c.cards, 1, 1), c.text);
}

TEST(CardText, HandClassTextCardByCard)
{
    const CardPair cards[4] = {{0, 0}, {0, 1}, {12, 2}, {5, 3}};
    EXPECT_EQ(FormatHandClassText(cards, 1, 0), L"AdAh2s9c");
    EXPECT_EQ(FormatHandClassText(cards, 0, 0),
              L"<font color=#000000>A</font><font color=#EE0000>A</font>"
              L"<font color=#00EE00>2</font><font color=#0000EE>9</font>");
    const CardPair empty[4] = {{-1, -1}, {-1, -1}, {-1, -1}, {-1, -1}};
    EXPECT_EQ(FormatHandClassText(empty, 1, 0), L"????????");
    EXPECT_EQ(FormatHandClassText(empty, 1, 1), L"[????]");
}

TEST(CardText, CardImages)
{
    EXPECT_EQ(FormatCardImages(L"Ah Kd", L"C:\\OV\\OmahaVantorn.exe"),
              L"<img src=\"res://C:\\OV\\OmahaVantorn.exe/BITMAP_CARD_AH.PNG\">"
              L"<img src=\"res://C:\\OV\\OmahaVantorn.exe/BITMAP_CARD_KD.PNG\">");
    EXPECT_EQ(FormatCardImages(L"tc9\t\n", L"m"), L"<img src=\"res://m/BITMAP_CARD_TC.PNG\">");
    EXPECT_EQ(FormatCardImages(L"", L"m"), L"");
}

TEST(CardText, HandRecordText)
{
    const HandRecord record{{0, 1, 4, 12}, {0, 1, 2, 3}, 7};  // Ad Kh Ts 2c
    EXPECT_EQ(FormatHandRecordText(record, 0, L"m"),
              L"<font color=#0000EE>Ad</font><font color=#EE0000>Kh</font>"
              L"<font color=#000000>Ts</font><font color=#00EE00>2c</font>");
    EXPECT_EQ(FormatHandRecordText(record, 1, L"m"),
              L"<img src=\"res://m/BITMAP_CARD_AD.PNG\"><img src=\"res://m/BITMAP_CARD_KH.PNG\">"
              L"<img src=\"res://m/BITMAP_CARD_TS.PNG\"><img src=\"res://m/BITMAP_CARD_2C.PNG\">");
}

TEST(CardText, FormatCard)
{
    struct Case {
        int rank, suit, html;
        const wchar_t* text;
    };
    const Case cases[] = {
        {0, 0, 0, L"Ad"},
        {12, 3, 0, L"2c"},
        {13, 1, 0, L"?h"},
        {5, 7, 0, L"9?"},
        {0, 1, 1, L"<font color=#EE0000>Ah</font>"},
        {0, 0, 1, L"<font color=#0000EE>Ad</font>"},
        {0, 2, 1, L"<font color=#000000>As</font>"},
        {0, 3, 1, L"<font color=#00EE00>Ac</font>"},
        {0, 9, 1, L"??"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatCard(c.rank, c.suit, c.html), c.text) << c.rank << "," << c.suit;
    EXPECT_EQ(FormatRank(4), L"T");
    EXPECT_EQ(FormatRank(13), L"?");
    EXPECT_EQ(FormatRank(-1), L"?");
}

TEST(CardText, CardBitmapTag)
{
    EXPECT_EQ(FormatCardBitmapTag(0, 0), L"<bmp idres=3300 mask>");
    EXPECT_EQ(FormatCardBitmapTag(3, 12), L"<bmp idres=3351 mask>");
    EXPECT_EQ(FormatCardBitmapTag(0, -2), L"<bmp idres=3353 mask>");
    EXPECT_EQ(FormatCardBitmapTag(0, -1), L"<bmp idres=3352 mask>");
    EXPECT_EQ(FormatCardBitmapTag(4, 0), L"<bmp idres=3352 mask>");
}

TEST(CardText, HandAsCardImagesWithGaps)
{
    const std::wstring img = L"<img src=\"res://m/bitmap_card_";
    EXPECT_EQ(FormatHandAsCardImages(L"Ah Kd 7c 2s 3s", 1, L"m"),
              img + L"Ah.png\">&nbsp;" + img + L"Kd.png\">&nbsp;" + img + L"7c.png\">&nbsp;&nbsp;&nbsp;" +
                  img + L"2s.png\">&nbsp;&nbsp;&nbsp;" + img + L"3s.png\">&nbsp;<br>\n");
    EXPECT_EQ(FormatHandAsCardImages(L"AhKd7", 0, L"m"),
              img + L"Ah.png\">&nbsp;" + img + L"Kd.png\">&nbsp;<br>\n");
    EXPECT_EQ(FormatHandAsCardImages(L"", 1, L"m"), L"<br>\n");
}

TEST(CardText, NarrowingKeepsBytesAndMarksWideCharacters)
{
    EXPECT_EQ(ToNarrowString(L"AA**,KK**"), "AA**,KK**");
    EXPECT_EQ(ToNarrowString(L"\u00B0"), "\xB0");
    EXPECT_EQ(ToNarrowString(L"\u0141A"), "\x1A" "A");  // not "AA"
    EXPECT_EQ(ToNarrowString(L""), "");
}

}  // namespace
