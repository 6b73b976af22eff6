// The program icon, the link cursor, the tool bar that supplies the command icons, and the
// version of the program file.
#include <gtest/gtest.h>

#include <vector>

#include "resource.h"
#include "resource_module.h"

namespace {

#pragma pack(push, 2)
struct GroupIconEntry {
    BYTE width, height, colours, reserved;
    WORD planes, bits;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

TEST(ProgramIcon, OffersSmallAndLargeImagesWithAlpha) {
    std::string_view group = res::Bytes(IDI_APP_ICON, RT_GROUP_ICON);
    ASSERT_GE(group.size(), 6u);
    const WORD* head = reinterpret_cast<const WORD*>(group.data());
    ASSERT_EQ(head[1], 1) << "an icon, not a cursor";
    ASSERT_EQ(group.size(), 6u + head[2] * sizeof(GroupIconEntry));
    const auto* entries = reinterpret_cast<const GroupIconEntry*>(group.data() + 6);
    std::vector<int> sizes;
    for (int i = 0; i < head[2]; ++i) {
        sizes.push_back(entries[i].width);
        EXPECT_EQ(entries[i].bits, 32);
    }
    EXPECT_EQ(sizes, (std::vector<int>{16, 32, 48}));
    for (int size : {16, 32, 48}) {
        HICON icon = static_cast<HICON>(
            LoadImageW(res::Module(), MAKEINTRESOURCEW(IDI_APP_ICON), IMAGE_ICON, size, size, 0));
        ASSERT_NE(icon, nullptr) << size;
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(icon, &info));
        BITMAP colour{};
        GetObjectW(info.hbmColor, sizeof colour, &colour);
        EXPECT_EQ(colour.bmWidth, size);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        DestroyIcon(icon);
    }
}

TEST(LinkCursor, IsAHandPointingFromItsHotSpot) {
    HCURSOR cursor = static_cast<HCURSOR>(
        LoadImageW(res::Module(), MAKEINTRESOURCEW(IDCUR_HAND_LINK), IMAGE_CURSOR, 0, 0, LR_DEFAULTSIZE));
    ASSERT_NE(cursor, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(cursor, &info));
    EXPECT_FALSE(info.fIcon);
    // The finger tip: near the top, left of the centre.
    EXPECT_LT(info.yHotspot, 4u);
    EXPECT_GT(info.xHotspot, 4u);
    EXPECT_LT(info.xHotspot, 16u);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyCursor(cursor);
}

TEST(ToolBar, ListsTheFrameCommandsOverOnePicturePerButton) {
    const LPCWSTR kToolBarType = MAKEINTRESOURCEW(241);
    std::string_view raw = res::Bytes(IDR_TOOLBAR, kToolBarType);
    ASSERT_GE(raw.size(), 8u);
    const WORD* w = reinterpret_cast<const WORD*>(raw.data());
    EXPECT_EQ(w[0], 1);   // version
    EXPECT_EQ(w[1], 16);  // button width
    EXPECT_EQ(w[2], 16);  // button height
    std::vector<int> ids(w + 4, w + 4 + w[3]);
    const std::vector<int> expected = {
        40001, 0, 32781, 32782, 0, 57665, 0, 32771, 32776, 32785, 0, 32783, 0, 32784, 57664, 0,
        32803, 32804, 32805, 0, 32777, 32778, 32779, 32780, 32786, 32787, 32788, 32789, 32790,
        32791, 32792, 32793, 32794, 32795, 0, 32772, 32773, 32798};
    EXPECT_EQ(ids, expected);
    int buttons = 0;
    for (int id : ids) buttons += id != 0;
    res::Pixels strip = res::LoadPixels(IDB_TOOLBAR);
    ASSERT_FALSE(strip.empty());
    EXPECT_EQ(strip.width, 16 * buttons);
    EXPECT_EQ(strip.height, 16);
    // Every picture has something besides the silver background.
    for (int b = 0; b < buttons; ++b) {
        int drawn = 0;
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 16; ++x) drawn += strip.at(16 * b + x, y) != 0xC0C0C0;
        }
        EXPECT_GT(drawn, 20) << "button " << b;
    }
}

TEST(Version, ProgramFileIsVersionOneZeroZeroZero) {
    std::wstring path = res::ModulePath();
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
    ASSERT_GT(size, 0u);
    std::vector<char> block(size);
    ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, size, block.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT len = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &len));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    wchar_t* text = nullptr;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\StringFileInfo\\040904b0\\FileVersion",
                               reinterpret_cast<void**>(&text), &len));
    EXPECT_STREQ(text, L"1.0.0.0");
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\StringFileInfo\\040904b0\\ProductName",
                               reinterpret_cast<void**>(&text), &len));
    EXPECT_STREQ(text, L"Brightfold Vantorn - Omaha");
}

}  // namespace
