// The PNG writer's output must be a file that other tools read back to the same pixels.
#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include "gui_harness.h"

namespace {

std::vector<unsigned char> ReadAll(const std::wstring& path) {
    std::vector<unsigned char> data;
    FILE* f = _wfopen(path.c_str(), L"rb");
    if (!f) return data;
    unsigned char buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, f)) > 0) data.insert(data.end(), buf, buf + n);
    fclose(f);
    return data;
}

TEST(PngWriter, StoredBlocksCarryEveryPixelAndSpanSeveralBlocks) {
    gui::Image img;
    img.width = 300;  // 300 * 3 + 1 bytes per row * 100 rows > one 65,535-byte stored block
    img.height = 100;
    for (int y = 0; y < img.height; ++y)
        for (int x = 0; x < img.width; ++x)
            img.pixels.push_back(static_cast<std::uint32_t>((x & 0xFF) << 16 | (y & 0xFF) << 8 | 0x5A));
    std::wstring path = gui::ExeFolder() + L"\\png_writer_test.png";
    ASSERT_TRUE(gui::SavePng(img, path));
    std::vector<unsigned char> png = ReadAll(path);
    ASSERT_GT(png.size(), 90000u);
    EXPECT_EQ(png[1], 'P');
    // IHDR: width and height big-endian at offset 16.
    EXPECT_EQ(png[18] << 8 | png[19], 300);
    EXPECT_EQ(png[22] << 8 | png[23], 100);
    // First stored block begins after the zlib header (offset 33 + 8 = 41): BFINAL clear, length 65,535.
    EXPECT_EQ(png[41 + 2], 0);
    EXPECT_EQ(png[41 + 3] | png[41 + 4] << 8, 65535);
    DeleteFileW(path.c_str());
}

TEST(PixelCompare, CountsOnlyDifferencesAboveToleranceInsideTheRegion) {
    gui::Image a, b;
    a.width = b.width = 4;
    a.height = b.height = 2;
    a.pixels = {0, 0, 0, 0, 0, 0, 0, 0};
    b.pixels = {0x000003, 0x100000, 0, 0, 0, 0, 0, 0x00FF00};
    EXPECT_EQ(gui::CountDifferentPixels(a, b, RECT{0, 0, 4, 2}, 0), 3);
    EXPECT_EQ(gui::CountDifferentPixels(a, b, RECT{0, 0, 4, 2}, 3), 2);
    EXPECT_EQ(gui::CountDifferentPixels(a, b, RECT{0, 0, 3, 1}, 0), 2);
    EXPECT_EQ(gui::CountDifferentPixels(a, b, RECT{0, 0, 100, 100}, 16), 1);  // clipped, one strong change
}

}  // namespace
