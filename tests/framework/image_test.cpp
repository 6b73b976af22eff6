// The image class: pixels of every depth, files in every format written and
// read back, images from resources, and the errors of missing files and
// unknown formats.
#include <gtest/gtest.h>

#include <string>

#include "framework/afx.h"
#include "framework/image.h"
#include "ui_resources.h"

namespace {

std::wstring TempFile(const wchar_t* name) {
  wchar_t folder[MAX_PATH] = {};
  ::GetTempPathW(MAX_PATH, folder);
  return std::wstring(folder) + name;
}

// A picture with areas of a few colours, a gradient and single pixels.
void Paint(CImage& image) {
  for (int y = 0; y < image.GetHeight(); ++y)
    for (int x = 0; x < image.GetWidth(); ++x) {
      COLORREF c = x < 20 ? RGB(200, 30, 30) : y < 10 ? RGB(20, 140, 40) : RGB(x * 4 % 256, y * 8 % 256, 128);
      image.SetPixel(x, y, c);
    }
  image.SetPixel(0, 0, RGB(1, 2, 3));
  image.SetPixel(image.GetWidth() - 1, image.GetHeight() - 1, RGB(255, 255, 255));
}

int Differences(const CImage& a, const CImage& b, int tolerance = 0) {
  if (a.GetWidth() != b.GetWidth() || a.GetHeight() != b.GetHeight()) return -1;
  int n = 0;
  for (int y = 0; y < a.GetHeight(); ++y)
    for (int x = 0; x < a.GetWidth(); ++x) {
      COLORREF p = a.GetPixel(x, y), q = b.GetPixel(x, y);
      n += std::abs(GetRValue(p) - GetRValue(q)) > tolerance || std::abs(GetGValue(p) - GetGValue(q)) > tolerance ||
           std::abs(GetBValue(p) - GetBValue(q)) > tolerance;
    }
  return n;
}

TEST(Image, PixelsOfEveryDepthReadBackAsWritten) {
  for (int bpp : {32, 24, 16}) {
    SCOPED_TRACE(bpp);
    for (int height : {12, -12}) {
      CImage image;
      ASSERT_TRUE(image.Create(30, height, bpp));
      EXPECT_EQ(image.GetHeight(), 12);
      EXPECT_EQ(image.GetPitch() < 0, height > 0);  // bottom-up images step upwards in memory
      image.SetPixel(3, 4, RGB(248, 120, 8));
      COLORREF back = image.GetPixel(3, 4);
      // 16 bits keep 5 bits of each channel.
      const int tolerance = bpp == 16 ? 8 : 0;
      EXPECT_LE(std::abs(GetRValue(back) - 248), tolerance);
      EXPECT_LE(std::abs(GetGValue(back) - 120), tolerance);
      EXPECT_LE(std::abs(GetBValue(back) - 8), tolerance);
      EXPECT_EQ(image.GetPixel(30, 0), CLR_INVALID);
    }
  }
  CImage indexed;
  ASSERT_TRUE(indexed.Create(10, 10, 8));
  EXPECT_TRUE(indexed.IsIndexed());
  EXPECT_EQ(indexed.GetMaxColorTableEntries(), 256);
  RGBQUAD red = {0, 0, 255, 0};
  indexed.SetColorTable(7, 1, &red);
  indexed.SetPixel(2, 2, RGB(255, 0, 0));  // the nearest entry
  EXPECT_EQ(indexed.GetPixel(2, 2), RGB(255, 0, 0));
  EXPECT_FALSE(CImage().Create(0, 5, 32));
  EXPECT_FALSE(CImage().Create(5, 5, 7));
}

TEST(Image, FilesOfEveryFormatReadBack) {
  struct Case {
    const wchar_t* name;
    GUID format;
    int tolerance;  // JPEG loses a little; GIF maps the many colours to a fixed palette
  };
  const Case cases[] = {
      {L"fw_image_test.png", GUID_NULL, 0},
      {L"fw_image_test.bmp", GUID_NULL, 0},
      {L"fw_image_test.jpg", GUID_NULL, 40},
      {L"fw_image_test.gif", GUID_NULL, 30},
      {L"fw_image_test.image", Gdiplus::ImageFormatPNG, 0},
  };
  CImage picture;
  ASSERT_TRUE(picture.Create(64, 40, 32));
  Paint(picture);
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << CStringA(c.name).GetString());
    std::wstring path = TempFile(c.name);
    ::DeleteFileW(path.c_str());
    ASSERT_EQ(picture.Save(path.c_str(), c.format), S_OK);
    CImage loaded;
    ASSERT_EQ(loaded.Load(path.c_str()), S_OK);
    EXPECT_EQ(loaded.GetWidth(), 64);
    EXPECT_EQ(loaded.GetHeight(), 40);
    EXPECT_FALSE(loaded.HasAlphaChannel());
    if (c.tolerance == 0) {
      EXPECT_EQ(Differences(picture, loaded), 0);
    } else {
      EXPECT_LT(Differences(picture, loaded, c.tolerance), 64 * 40 / 20);
    }
    ::DeleteFileW(path.c_str());
  }
}

TEST(Image, AGifOfFewColoursKeepsThemExactly) {
  CImage chart;
  ASSERT_TRUE(chart.Create(50, 30, 32));
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 50; ++x) chart.SetPixel(x, y, (x + y) % 7 == 0 ? RGB(237, 28, 36) : RGB(245, 245, 245));
  chart.SetPixel(10, 10, RGB(1, 130, 255));
  std::wstring path = TempFile(L"fw_image_chart.gif");
  ASSERT_EQ(chart.Save(path.c_str()), S_OK);
  CImage loaded;
  ASSERT_EQ(loaded.Load(path.c_str()), S_OK);
  EXPECT_EQ(Differences(chart, loaded), 0);
  EXPECT_FALSE(loaded.HasAlphaChannel());
  ::DeleteFileW(path.c_str());
}

TEST(Image, AGifOfManyColoursKeepsItsPictureClose) {
  CImage rainbow;
  ASSERT_TRUE(rainbow.Create(64, 64, 24));
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) rainbow.SetPixel(x, y, RGB(x * 4, y * 4, (x + y) * 2));
  std::wstring path = TempFile(L"fw_image_rainbow.gif");
  ASSERT_EQ(rainbow.Save(path.c_str()), S_OK);
  CImage loaded;
  ASSERT_EQ(loaded.Load(path.c_str()), S_OK);
  // A fixed palette: every pixel within one step of its levels.
  EXPECT_EQ(Differences(rainbow, loaded, 30), 0);
  ::DeleteFileW(path.c_str());
}

TEST(Image, TransparencySurvivesAPng) {
  CImage image;
  ASSERT_TRUE(image.Create(8, -8, 32, CImage::createAlphaChannel));
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) {
      auto* p = static_cast<BYTE*>(image.GetPixelAddress(x, y));
      p[0] = 200, p[1] = 100, p[2] = 50, p[3] = static_cast<BYTE>(x < 4 ? 0 : 255);
    }
  std::wstring path = TempFile(L"fw_image_alpha.png");
  ASSERT_EQ(image.Save(path.c_str()), S_OK);
  CImage loaded;
  ASSERT_EQ(loaded.Load(path.c_str()), S_OK);
  EXPECT_TRUE(loaded.HasAlphaChannel());
  EXPECT_EQ(static_cast<const BYTE*>(loaded.GetPixelAddress(1, 1))[3], 0);
  EXPECT_EQ(static_cast<const BYTE*>(loaded.GetPixelAddress(6, 1))[3], 255);
  EXPECT_EQ(loaded.GetPixel(6, 1), RGB(50, 100, 200));
  ::DeleteFileW(path.c_str());
}

TEST(Image, PicturesComeFromResources) {
  HINSTANCE module = ::GetModuleHandleW(nullptr);
  CImage png;
  ASSERT_EQ(png.LoadFromResource(module, MAKEINTRESOURCEW(IDR_SAMPLE_PNG), L"PNG"), S_OK);
  CImage bmp;
  ASSERT_TRUE(bmp.LoadFromResource(module, IDB_SAMPLE));
  EXPECT_TRUE(bmp.IsDIBSection());
  ASSERT_EQ(png.GetWidth(), 8);
  ASSERT_EQ(bmp.GetHeight(), 6);
  // The two files hold the same picture.
  EXPECT_EQ(Differences(png, bmp), 0);
  EXPECT_EQ(png.GetPixel(1, 0), RGB(220, 30, 30));
  EXPECT_EQ(png.GetPixel(7, 5), RGB(250, 250, 250));
  EXPECT_NE(png.LoadFromResource(module, MAKEINTRESOURCEW(4242), L"PNG"), S_OK);
  EXPECT_TRUE(png.IsNull() || png.GetWidth() == 8);
}

TEST(Image, ErrorsAreReportedNotHidden) {
  CImage image;
  EXPECT_EQ(image.Load(TempFile(L"fw_image_missing.png").c_str()), HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND));
  EXPECT_TRUE(image.IsNull());
  std::wstring junk = TempFile(L"fw_image_junk.png");
  {
    CFile file(junk.c_str(), CFile::modeCreate | CFile::modeWrite);
    file.Write("not a picture", 13);
  }
  EXPECT_TRUE(FAILED(image.Load(junk.c_str())));
  ::DeleteFileW(junk.c_str());
  EXPECT_TRUE(FAILED(image.Save(TempFile(L"fw_image_empty.png").c_str())));  // nothing to save
  ASSERT_TRUE(image.Create(4, 4, 32));
  EXPECT_EQ(image.Save(TempFile(L"fw_image.unknown").c_str()), E_INVALIDARG);
  EXPECT_TRUE(FAILED(image.Save(L"Z:\\no\\such\\folder\\x.png")));
}

TEST(Image, DrawsIntoADeviceContext) {
  CImage source, target;
  ASSERT_TRUE(source.Create(10, 10, 32));
  Paint(source);
  ASSERT_TRUE(target.Create(20, 20, 32));
  HDC dc = target.GetDC();
  EXPECT_TRUE(source.BitBlt(dc, 5, 5));
  target.ReleaseDC();
  EXPECT_EQ(target.GetPixel(5, 5), RGB(1, 2, 3));
  EXPECT_EQ(target.GetPixel(7, 8), source.GetPixel(2, 3));
  EXPECT_EQ(target.GetPixel(2, 2), RGB(0, 0, 0));
}

}  // namespace
