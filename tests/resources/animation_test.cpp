// The progress dialog's animation, read the way the animated picture reads it: the GIF is
// cut into stand-alone one-frame GIFs that the system's picture loader decodes one by one.
#include <gtest/gtest.h>

#include <olectl.h>

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "resource.h"
#include "resource_module.h"

namespace {

struct Frame {
    std::string gif;  // stand-alone GIF of this frame alone
    int delay = -1;   // hundredths of a second
    int width = 0, height = 0;
};

int Word(std::string_view d, size_t at) { return static_cast<unsigned char>(d[at]) | static_cast<unsigned char>(d[at + 1]) << 8; }

size_t SkipSubBlocks(std::string_view d, size_t at) {
    while (at < d.size() && d[at] != 0) at += 1 + static_cast<unsigned char>(d[at]);
    return at + 1;
}

// Splits the animation; an empty result means the data is no well-formed GIF.
std::vector<Frame> SplitFrames(std::string_view d) {
    std::vector<Frame> frames;
    if (d.size() < 13 || d.substr(0, 6) != "GIF89a") return frames;
    int packed = static_cast<unsigned char>(d[10]);
    size_t table = (packed & 0x80) ? 3u << ((packed & 7) + 1) : 0;
    std::string head(d.substr(0, 13 + table));
    size_t at = 13 + table;
    std::string control;
    int delay = -1;
    while (at < d.size()) {
        unsigned char kind = d[at];
        if (kind == 0x3B) return frames;
        if (kind == 0x21) {
            size_t end = SkipSubBlocks(d, at + 2);
            if (static_cast<unsigned char>(d[at + 1]) == 0xF9) {
                control.assign(d.substr(at, end - at));
                delay = Word(d, at + 4);
            }
            at = end;
        } else if (kind == 0x2C) {
            int local = static_cast<unsigned char>(d[at + 9]);
            size_t start = at;
            at += 10 + ((local & 0x80) ? 3u << ((local & 7) + 1) : 0);
            at = SkipSubBlocks(d, at + 1);
            Frame f;
            f.width = Word(d, start + 5);
            f.height = Word(d, start + 7);
            f.delay = delay;
            f.gif = head + control + std::string(d.substr(start, at - start)) + "\x3B";
            frames.push_back(f);
            control.clear();
        } else {
            return {};
        }
    }
    return {};  // no trailer
}

IPicture* LoadPicture(const std::string& gif) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, gif.size());
    memcpy(GlobalLock(block), gif.data(), gif.size());
    GlobalUnlock(block);
    IStream* stream = nullptr;
    IPicture* picture = nullptr;
    if (SUCCEEDED(CreateStreamOnHGlobal(block, TRUE, &stream))) {
        OleLoadPicture(stream, LONG(gif.size()), FALSE, IID_IPicture, reinterpret_cast<void**>(&picture));
        stream->Release();
    } else {
        GlobalFree(block);
    }
    return picture;
}

// The picture drawn onto a grey 32 x 32 surface, as pixels.
std::vector<std::uint32_t> Render(IPicture* picture) {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP surface = CreateCompatibleBitmap(screen, 32, 32);
    HGDIOBJ old = SelectObject(dc, surface);
    RECT all{0, 0, 32, 32};
    HBRUSH grey = CreateSolidBrush(RGB(240, 240, 240));
    FillRect(dc, &all, grey);
    DeleteObject(grey);
    OLE_XSIZE_HIMETRIC w = 0;
    OLE_YSIZE_HIMETRIC h = 0;
    picture->get_Width(&w);
    picture->get_Height(&h);
    picture->Render(dc, 0, 0, 32, 32, 0, h, w, -h, nullptr);
    std::vector<std::uint32_t> pixels(32 * 32);
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) pixels[y * 32 + x] = GetPixel(dc, x, y);
    }
    SelectObject(dc, old);
    DeleteObject(surface);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return pixels;
}

TEST(ProgressAnimation, IsA32PixelGifOfTwelveFramesOf100Ms) {
    std::string_view gif = res::Bytes(IDR_PROGRESS_ANIMATION, L"GIF");
    ASSERT_FALSE(gif.empty());
    EXPECT_EQ(Word(gif, 6), 32);
    EXPECT_EQ(Word(gif, 8), 32);
    std::vector<Frame> frames = SplitFrames(gif);
    ASSERT_EQ(frames.size(), 12u);
    for (const Frame& f : frames) {
        EXPECT_EQ(f.width, 32);
        EXPECT_EQ(f.height, 32);
        EXPECT_EQ(f.delay, 10);
    }
}

TEST(ProgressAnimation, EveryFrameDecodesOnItsOwnAndTheFramesMove) {
    ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
    std::vector<Frame> frames = SplitFrames(res::Bytes(IDR_PROGRESS_ANIMATION, L"GIF"));
    ASSERT_EQ(frames.size(), 12u);
    std::set<std::vector<std::uint32_t>> pictures;
    for (size_t i = 0; i < frames.size(); ++i) {
        IPicture* picture = LoadPicture(frames[i].gif);
        ASSERT_NE(picture, nullptr) << "frame " << i;
        OLE_XSIZE_HIMETRIC w = 0;
        picture->get_Width(&w);
        HDC screen = GetDC(nullptr);
        EXPECT_EQ(MulDiv(w, GetDeviceCaps(screen, LOGPIXELSX), 2540), 32) << "frame " << i;
        ReleaseDC(nullptr, screen);
        std::vector<std::uint32_t> pixels = Render(picture);
        // Transparent around the ring: the dialog's own face shows in the corners.
        EXPECT_EQ(pixels[0], RGB(240, 240, 240)) << "frame " << i;
        pictures.insert(pixels);
        picture->Release();
    }
    EXPECT_EQ(pictures.size(), 12u);
    CoUninitialize();
}

}  // namespace
