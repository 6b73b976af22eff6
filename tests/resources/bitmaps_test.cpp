// Size, colour depth and transparency of the program's bitmaps, and the contrast of the
// areas its code writes text into.
#include <gtest/gtest.h>

#include "resource.h"
#include "resource_module.h"

namespace {

struct Shape {
    int id;
    int width;
    int height;
    int bits;
    bool keyed;  // magenta marks transparent pixels
};

const Shape kBitmaps[] = {
    {IDB_SPLASH_START, 420, 252, 24, true},
    {IDB_SPLASH_ABOUT, 420, 310, 24, true},
    {IDB_TREE_IMAGES, 128, 16, 24, true},
    {IDB_GRAPH_BACKGROUND, 602, 479, 8, false},
    {IDB_BUTTON_EVALUATE, 20, 20, 24, true},
    {IDB_BUTTON_RANDOM, 16, 16, 24, true},
    {IDB_BUTTON_CLEAR, 16, 16, 24, true},
    {IDB_BUTTON_STOP, 25, 22, 8, true},
    {IDB_BUTTON_NEXT_STREET, 16, 16, 24, true},
    {IDB_BUTTON_RESET, 16, 16, 24, true},
    {IDB_BUTTON_CARD_SELECTION, 16, 16, 24, true},
    {IDB_BUTTON_FLOP_SELECTION, 16, 16, 24, true},
    {IDB_BUTTON_COPY, 16, 16, 24, true},
    {IDB_BUTTON_EXPLORER, 16, 16, 24, true},
    {IDB_BUTTON_STREETS_SHOW, 24, 12, 24, true},
    {IDB_BUTTON_STREETS_HIDE, 24, 12, 24, true},
    {IDB_BUTTON_MARK_OUTS, 16, 16, 24, true},
    {IDB_BUTTON_CALCULATE, 16, 16, 24, true},
    {IDB_BUTTON_SCREENSHOT, 16, 16, 24, true},
    {IDB_BUTTON_SEAT_MENU, 16, 16, 24, true},
    {IDB_BANNER_HI, 800, 50, 24, false},
    {IDB_BANNER_HILO, 800, 50, 24, false},
    {IDB_TOOLBAR, 480, 16, 24, false},
};

TEST(Bitmaps, HaveTheirSizeDepthAndTransparentKey) {
    for (const Shape& s : kBitmaps) {
        SCOPED_TRACE(s.id);
        res::Pixels p = res::LoadPixels(s.id);
        ASSERT_FALSE(p.empty());
        EXPECT_EQ(p.width, s.width);
        EXPECT_EQ(p.height, s.height);
        EXPECT_EQ(p.bitsPerPixel, s.bits);
        int keyed = 0;
        for (auto c : p.store) keyed += c == res::kMagenta;
        if (s.keyed) {
            EXPECT_GT(keyed, 0);
            EXPECT_GT(p.width * p.height - keyed, p.width * p.height / 8) << "a picture, not only background";
        } else {
            EXPECT_EQ(keyed, 0);
        }
    }
}

TEST(Bitmaps, AreUncompressedBottomUpDibs) {
    for (const Shape& s : kBitmaps) {
        std::string_view raw = res::Bytes(s.id, RT_BITMAP);
        ASSERT_GE(raw.size(), sizeof(BITMAPINFOHEADER)) << s.id;
        const auto* h = reinterpret_cast<const BITMAPINFOHEADER*>(raw.data());
        EXPECT_EQ(h->biSize, sizeof(BITMAPINFOHEADER)) << s.id;
        EXPECT_EQ(h->biCompression, static_cast<DWORD>(BI_RGB)) << s.id;
        EXPECT_EQ(h->biPlanes, 1) << s.id;
        EXPECT_GT(h->biHeight, 0) << s.id;
    }
}

TEST(Bitmaps, SplashScreensAreShapedAndLeaveRoomForTheirText) {
    res::Pixels start = res::LoadPixels(IDB_SPLASH_START);
    res::Pixels about = res::LoadPixels(IDB_SPLASH_ABOUT);
    ASSERT_FALSE(start.empty());
    ASSERT_FALSE(about.empty());
    for (const res::Pixels* p : {&start, &about}) {
        EXPECT_EQ(p->at(0, 0), res::kMagenta);
        EXPECT_EQ(p->at(p->width - 1, p->height - 1), res::kMagenta);
        EXPECT_NE(p->at(p->width / 2, p->height / 2), res::kMagenta);
    }
    // White text at start-up, dark grey RGB(64, 64, 64) in the about box.
    EXPECT_LT(res::MeanLuminance(start, 22, 220, 400, 240), 0.2);
    EXPECT_GT(res::MeanLuminance(about, 6, 280, 400, 300), 0.85);
}

TEST(Bitmaps, BannerLinkAreaAndGraphPlotAreaAreDrawn) {
    for (int id : {IDB_BANNER_HI, IDB_BANNER_HILO}) {
        res::Pixels p = res::LoadPixels(id);
        ASSERT_FALSE(p.empty());
        // The home-page link covers the top-left 305 x 46 pixels: it holds the logo.
        EXPECT_LT(res::MeanLuminance(p, 0, 0, 305, 46), 0.95) << id;
    }
    res::Pixels hi = res::LoadPixels(IDB_BANNER_HI);
    res::Pixels hilo = res::LoadPixels(IDB_BANNER_HILO);
    EXPECT_NE(hi.store, hilo.store) << "each game has its own banner";

    // The chart's curves run inside (38, 73)-(588, 433); the title sits above on plain white.
    res::Pixels graph = res::LoadPixels(IDB_GRAPH_BACKGROUND);
    ASSERT_FALSE(graph.empty());
    EXPECT_GT(res::MeanLuminance(graph, 44, 0, 586, 60), 0.99);
    EXPECT_GT(res::MeanLuminance(graph, 38, 73, 589, 434), 0.9);
    EXPECT_NE(graph.at(38, 200), graph.at(60, 200)) << "the left axis is drawn";
}

TEST(Bitmaps, TreeHasAnImageForGroupsRangesAndEveryMarkerLetterUsed) {
    res::Pixels p = res::LoadPixels(IDB_TREE_IMAGES);
    ASSERT_FALSE(p.empty());
    for (int cell = 0; cell < p.width / 16; ++cell) {
        int drawn = 0;
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 16; ++x) drawn += p.at(cell * 16 + x, y) != res::kMagenta;
        }
        EXPECT_GT(drawn, 30) << "image " << cell;
    }
}

}  // namespace
