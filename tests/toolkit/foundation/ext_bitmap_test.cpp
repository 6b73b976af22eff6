// The bitmap class under Wine: assignment and hooks, pixels through colours, the working form,
// bitmap and icon handles in and out, loading from memory, files and resources, and the archive
// form.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "framework/afxwin.h"
#include "toolkit/foundation/ext_bitmap.h"

namespace {

// Counts the hooks so tests can see that builders and changes report themselves.
class CountingBitmap : public CExtBitmap {
 public:
  void OnContentLoaded() override {
    ++loaded;
    CExtBitmap::OnContentLoaded();
  }
  void OnContentChanged() override { ++changed; }
  int loaded = 0;
  int changed = 0;
};

// A 32-bit image whose pixel (x, y) is (x*40, y*50, 7) with alpha a(x, y).
CExtBitmap Picture(int width, int height, bool withAlpha) {
  CExtBitmap b;
  HDC screen = ::GetDC(nullptr);
  void* bits = nullptr;
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), width, height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  HBITMAP section = ::CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  ::ReleaseDC(nullptr, screen);
  auto* px = static_cast<RGBQUAD*>(bits);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      px[(height - 1 - y) * width + x] = RGBQUAD{7, static_cast<BYTE>(y * 50), static_cast<BYTE>(x * 40),
                                                 static_cast<BYTE>(withAlpha ? (x + y) * 30 : 255)};
  EXPECT_TRUE(b.ImportHBITMAP(section, false, true));
  ::DeleteObject(section);
  return b;
}

TEST(ExtBitmap, BlankQueriesAssignmentAndHooks) {
  CountingBitmap b;
  EXPECT_TRUE(b.IsBlank());
  EXPECT_EQ(b.GetPixelSize(), CSize(0, 0));
  EXPECT_EQ(b.GetBitsPerPixel(), 0);
  EXPECT_EQ(b.ReadPixelColor(0, 0), static_cast<COLORREF>(-1));
  b.MarkPremultiplied(true);
  EXPECT_FALSE(b.IsPremultiplied());
  CExtBitmap blank;
  EXPECT_TRUE(b.Assign(blank));  // a blank source succeeds and leaves the target blank
  EXPECT_TRUE(b.IsBlank());
  EXPECT_FALSE(b.CopyPart(blank, nullptr));

  CExtBitmap src = Picture(4, 3, true);
  src.MarkPremultiplied(true);
  b.loaded = b.changed = 0;
  ASSERT_TRUE(b.Assign(src));
  EXPECT_EQ(b.loaded, 1);
  EXPECT_GE(b.changed, 1);
  EXPECT_TRUE(b.IsPremultiplied());  // the flag travels with the block
  EXPECT_EQ(b.GetPixelSize(), CSize(4, 3));
  CExtBitmap copy(b);
  EXPECT_EQ(copy.ReadPixelColor(3, 2), b.ReadPixelColor(3, 2));
  b = b;  // self-assignment keeps the pixels
  EXPECT_FALSE(b.IsBlank());
  b.changed = 0;
  b.Empty();
  EXPECT_TRUE(b.IsBlank());
  EXPECT_EQ(b.changed, 1);
}

TEST(ExtBitmap, PixelColoursFollowTheirRules) {
  CountingBitmap b;
  b.Assign(Picture(3, 2, false));
  b.changed = 0;
  EXPECT_EQ(b.ReadPixelColor(2, 1), RGB(80, 50, 7));
  EXPECT_FALSE(b.WritePixelColor(0, 0, static_cast<COLORREF>(-1), -1));  // nothing to write
  EXPECT_EQ(b.changed, 0);
  ASSERT_TRUE(b.WritePixelColor(0, 0, RGB(1, 2, 3), 999));  // alpha held at 255
  BYTE alpha = 0;
  EXPECT_EQ(b.ReadPixelColor(0, 0, &alpha), RGB(1, 2, 3));
  EXPECT_EQ(alpha, 255);
  ASSERT_TRUE(b.WritePixelColor(0, 0, static_cast<COLORREF>(-1), 10));  // alpha only, colour kept
  EXPECT_EQ(b.ReadPixelColor(0, 0, &alpha), RGB(1, 2, 3));
  EXPECT_EQ(alpha, 10);
  EXPECT_EQ(b.changed, 2);
  EXPECT_FALSE(b.WritePixelColor(3, 0, RGB(1, 1, 1)));
  EXPECT_EQ(b.ReadPixelColor(0, 2), static_cast<COLORREF>(-1));
}

TEST(ExtBitmap, WorkingFormFromEveryDepth) {
  // An 8-bit image loaded without promotion, then promoted.
  DibPtr dib = DibAllocate(2, 1, 8, kDibMasksNone, 0);
  dib->Table()[5] = DibColor{30, 20, 10, 0};
  dib->Rows()[1] = 5;
  BmpVectorSink sink;
  ASSERT_TRUE(WriteBmpStream(*dib, sink, true));
  CExtBitmap b;
  ASSERT_TRUE(b.LoadFromMemory(sink.bytes.data(), static_cast<UINT>(sink.bytes.size()), false));
  EXPECT_EQ(b.GetBitsPerPixel(), 8);
  EXPECT_EQ(b.ReadPixelColor(1, 0), static_cast<COLORREF>(-1));  // no pixel access on palettes
  ASSERT_TRUE(b.PromoteTo32Bpp());
  EXPECT_EQ(b.GetBitsPerPixel(), 32);
  EXPECT_EQ(b.ReadPixelColor(1, 0), RGB(10, 20, 30));

  // A 32-bit image with alpha mask 0 gets the mask; its zero alphas stay zero.
  DibPtr raw = DibAllocate(1, 1, 32, DibMasks{0xFF0000, 0xFF00, 0xFF, 0}, 0);
  BmpVectorSink s2;
  WriteBmpStream(*raw, s2, false);
  CExtBitmap c;
  ASSERT_TRUE(c.LoadFromMemory(s2.bytes.data(), static_cast<UINT>(s2.bytes.size()), true));
  EXPECT_EQ(c.GetAlphaMask(), 0xFF000000u);
  BYTE alpha = 1;
  c.ReadPixelColor(0, 0, &alpha);
  EXPECT_EQ(alpha, 0);
}

TEST(ExtBitmap, HandlesInAndOut) {
  CExtBitmap b = Picture(5, 4, true);
  BYTE alpha = 0;
  EXPECT_EQ(b.ReadPixelColor(2, 3, &alpha), RGB(80, 150, 7));
  EXPECT_EQ(alpha, 150);

  // Without keepAlpha every alpha is 255.
  HBITMAP opaque = b.CreateHBITMAP(false);
  ASSERT_TRUE(opaque);
  CExtBitmap back;
  ASSERT_TRUE(back.ImportHBITMAP(opaque, false, false));
  back.ReadPixelColor(2, 3, &alpha);
  EXPECT_EQ(alpha, 255);
  EXPECT_EQ(back.ReadPixelColor(4, 1), b.ReadPixelColor(4, 1));

  // A part: inside works, outside fails (and throws when asked).
  const RECT part{1, 1, 4, 3};
  ASSERT_TRUE(back.ImportHBITMAP(opaque, &part, false, false));
  EXPECT_EQ(back.GetPixelSize(), CSize(3, 2));
  EXPECT_EQ(back.ReadPixelColor(0, 0), b.ReadPixelColor(1, 1));
  const RECT outside{2, 2, 6, 3};
  EXPECT_FALSE(back.ImportHBITMAP(opaque, &outside, false, false));
  EXPECT_TRUE(back.IsBlank());
  bool thrown = false;
  try {
    back.ImportHBITMAP(opaque, &outside, true, false);
  } catch (CUserException* e) {
    thrown = true;
    e->Delete();
  }
  EXPECT_TRUE(thrown);
  ::DeleteObject(opaque);

  // CopyPart follows the same rule.
  CExtBitmap piece;
  ASSERT_TRUE(piece.CopyPart(b, &part));
  BYTE a2 = 0;
  EXPECT_EQ(piece.ReadPixelColor(2, 1, &a2), b.ReadPixelColor(3, 2, &alpha));
  EXPECT_EQ(a2, alpha);
  EXPECT_FALSE(piece.CopyPart(b, &outside));

  // The composite over a background blends by alpha.
  void* bits = nullptr;
  HBITMAP composite = b.CreateHBITMAP32(&bits, RGB(0, 0, 255));
  ASSERT_TRUE(composite);
  ASSERT_TRUE(bits);
  const RGBQUAD* px = static_cast<const RGBQUAD*>(bits);
  const RGBQUAD corner = px[(4 - 1) * 5 + 0];  // (0, 0): alpha 0, all background
  EXPECT_EQ(corner.rgbBlue, 255);
  EXPECT_EQ(corner.rgbRed, 0);
  ::DeleteObject(composite);

  // 16-bit 5-6-5 images reach the platform with their masks.
  DibPtr dib = DibAllocate(1, 1, 16, kDibMasks565, 0);
  DibWritePixel(*dib, 0, 0, DibColor{0, 255, 0, 0}, true, true, true, false);  // pure green
  BmpVectorSink sink;
  WriteBmpStream(*dib, sink, false);
  CExtBitmap g;
  ASSERT_TRUE(g.LoadFromMemory(sink.bytes.data(), static_cast<UINT>(sink.bytes.size()), false));
  HBITMAP gb = g.CreateHBITMAP(false);
  CExtBitmap g2;
  ASSERT_TRUE(g2.ImportHBITMAP(gb, false, false));
  EXPECT_EQ(g2.ReadPixelColor(0, 0), RGB(0, 255, 0));
  ::DeleteObject(gb);
}

TEST(ExtBitmap, KeyColourAndColourStatistics) {
  CExtBitmap b = Picture(3, 1, false);
  b.WritePixelColor(0, 0, RGB(255, 0, 255));
  b.WritePixelColor(1, 0, RGB(0, 255, 0));
  b.WritePixelColor(2, 0, RGB(192, 192, 192));
  CMap<COLORREF, COLORREF, DWORD, DWORD> counts;
  EXPECT_EQ(b.CountColors(counts), 32);
  EXPECT_EQ(counts.GetCount(), 3);
  HBITMAP result = nullptr;
  COLORREF key = 0;
  CArray<COLORREF, COLORREF> colors;
  ASSERT_TRUE(b.CreateBitmapWithKeyColor(&result, &key, &colors, nullptr));
  EXPECT_EQ(key, 1u);  // magenta, green and silver are all taken
  ASSERT_EQ(colors.GetSize(), 4);
  EXPECT_EQ(colors[0], 1u);
  ::DeleteObject(result);
  CExtBitmap plain = Picture(2, 2, true);
  ASSERT_TRUE(plain.CreateBitmapWithKeyColor(&result, &key, nullptr, nullptr));
  EXPECT_EQ(key, RGB(255, 0, 255));
  ::DeleteObject(result);
}

TEST(ExtBitmap, IconsInAndOut) {
  // An image with a magenta-keyed hole makes an icon whose hole is transparent.
  CExtBitmap b = Picture(16, 16, false);
  b.WritePixelColor(3, 4, RGB(255, 0, 255));
  b.WritePixelColor(5, 5, RGB(128, 128, 128));
  HICON icon = b.CreateHICON(true);
  ASSERT_TRUE(icon);
  CExtBitmap back;
  ASSERT_TRUE(back.AssignFromHICON(icon));
  EXPECT_EQ(back.GetPixelSize(), CSize(16, 16));
  BYTE alpha = 0;
  back.ReadPixelColor(3, 4, &alpha);
  EXPECT_EQ(alpha, 0);
  EXPECT_EQ(back.ReadPixelColor(7, 2, &alpha), b.ReadPixelColor(7, 2));
  EXPECT_EQ(alpha, 255);
  // The fixed grey became the system's shadow colour.
  EXPECT_EQ(back.ReadPixelColor(5, 5), ::GetSysColor(COLOR_3DSHADOW));
  ::DestroyIcon(icon);
  EXPECT_TRUE(back.AssignFromHICON(nullptr));
  EXPECT_TRUE(back.IsBlank());

  // A monochrome icon of 256 pixels: its size comes from the hot spot, which must not be cut to
  // 8 bits (that gave an empty image).
  const int side = 256;
  std::vector<BYTE> maskBits(static_cast<std::size_t>(side / 8) * side * 2, 0xFF);
  for (std::size_t i = 0; i < maskBits.size() / 2; ++i) maskBits[i] = 0x0F;  // AND mask: left half drawn
  HBITMAP mask = ::CreateBitmap(side, side * 2, 1, 1, maskBits.data());
  ICONINFO ii{TRUE, side / 2, side / 2, mask, nullptr};
  HICON big = ::CreateIconIndirect(&ii);
  ::DeleteObject(mask);
  ASSERT_TRUE(big);
  CExtBitmap large;
  ASSERT_TRUE(large.AssignFromHICON(big, true));
  EXPECT_EQ(large.GetPixelSize(), CSize(side, side));
  ::DestroyIcon(big);
}

TEST(ExtBitmap, AlphaIconsKeepTheirAlpha) {
  CExtBitmap b = Picture(16, 16, true);
  HBITMAP colour = b.CreateHBITMAP32(nullptr, static_cast<COLORREF>(-1));  // premultiplied, alpha kept
  HBITMAP mask = ::CreateBitmap(16, 16, 1, 1, nullptr);
  ICONINFO ii{TRUE, 8, 8, mask, colour};
  HICON icon = ::CreateIconIndirect(&ii);
  ::DeleteObject(colour);
  ::DeleteObject(mask);
  ASSERT_TRUE(icon);
  CExtBitmap back;
  ASSERT_TRUE(back.AssignFromHICON(icon));
  BYTE want = 0, got = 0;
  for (const POINT p : {POINT{0, 0}, POINT{3, 2}, POINT{7, 1}}) {
    b.ReadPixelColor(p.x, p.y, &want);
    back.ReadPixelColor(p.x, p.y, &got);
    EXPECT_EQ(got, want) << p.x << "," << p.y;
  }
  ::DestroyIcon(icon);
}

TEST(ExtBitmap, CaptureAndDeviceDependentCopies) {
  HDC screen = ::GetDC(nullptr);
  HDC dc = ::CreateCompatibleDC(screen);
  HBITMAP surface = ::CreateCompatibleBitmap(screen, 10, 10);
  ::ReleaseDC(nullptr, screen);
  HGDIOBJ old = ::SelectObject(dc, surface);
  const RECT all{0, 0, 10, 10};
  HBRUSH brush = ::CreateSolidBrush(RGB(10, 200, 30));
  ::FillRect(dc, &all, brush);
  ::DeleteObject(brush);
  ::SetPixel(dc, 6, 7, RGB(255, 255, 255));
  CExtBitmap captured;
  const RECT area{5, 5, 9, 9};
  ASSERT_TRUE(captured.CaptureFromDC(dc, area));
  EXPECT_EQ(captured.GetPixelSize(), CSize(4, 4));
  BYTE alpha = 0;
  EXPECT_EQ(captured.ReadPixelColor(0, 0, &alpha), RGB(10, 200, 30));
  EXPECT_EQ(alpha, 255);
  EXPECT_EQ(captured.ReadPixelColor(1, 2), RGB(255, 255, 255));
  EXPECT_FALSE(captured.CaptureFromDC(dc, RECT{3, 3, 3, 8}));
  EXPECT_FALSE(captured.CaptureFromDC(nullptr, area));
  ::SelectObject(dc, old);

  // Device-dependent copies take the screen's format (the test display has more than 8 bits).
  CExtBitmap picture = Picture(3, 3, false);
  HBITMAP ddb = picture.CreateHBITMAP(true);
  ASSERT_TRUE(ddb);
  CExtBitmap back;
  ASSERT_TRUE(back.ImportHBITMAP(ddb, false, false));
  ASSERT_TRUE(back.PromoteTo32Bpp());
  EXPECT_EQ(back.ReadPixelColor(2, 1), picture.ReadPixelColor(2, 1));
  ::DeleteObject(ddb);
  ::DeleteObject(surface);
  ::DeleteDC(dc);
}

TEST(ExtBitmap, FilesMemoryAndResources) {
  CExtBitmap b = Picture(6, 5, true);
  wchar_t folder[MAX_PATH];
  ::GetTempPathW(MAX_PATH, folder);
  const CString path = CString(folder) + L"ov_ext_bitmap_test.bmp";
  ASSERT_TRUE(b.SaveToFile(path));
  CExtBitmap loaded;
  ASSERT_TRUE(loaded.LoadFromFile(path));
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 6; ++x) {
      BYTE a1 = 0, a2 = 0;
      EXPECT_EQ(loaded.ReadPixelColor(x, y, &a1), b.ReadPixelColor(x, y, &a2));
      EXPECT_EQ(a1, a2);
    }
  ::DeleteFileW(path);
  EXPECT_FALSE(loaded.LoadFromFile(path));  // missing file: false, blank
  EXPECT_TRUE(loaded.IsBlank());

  // A bad stream: false with the reason, or the archive exception when asked to throw.
  BYTE bad[14 + 40] = {'B', 'M'};
  const BYTE header[] = {40, 0, 0, 0, 0xFC, 0xFF, 0xFF, 0xFF, 1, 0, 0, 0, 1, 0, 24, 0};
  std::memcpy(bad + 14, header, sizeof header);
  EXPECT_FALSE(loaded.LoadFromMemory(bad, sizeof bad));
  EXPECT_EQ(CExtBitmap::GetLastReadError(), BmpError::BadWidth);
  EXPECT_TRUE(loaded.IsBlank());
  bool thrown = false;
  try {
    loaded.LoadFromMemory(bad, sizeof bad, true, true);
  } catch (CArchiveException* e) {
    thrown = true;
    e->Delete();
  }
  EXPECT_TRUE(thrown);

  // Bitmap resources of this program (packed DIBs).
  ASSERT_TRUE(loaded.LoadFromResource(MAKEINTRESOURCE(101)));
  EXPECT_EQ(loaded.GetPixelSize(), CSize(5, 3));
  EXPECT_EQ(loaded.ReadPixelColor(0, 0), RGB(255, 0, 0));
  EXPECT_EQ(loaded.ReadPixelColor(4, 2), RGB(0, 255, 0));
  EXPECT_EQ(loaded.ReadPixelColor(2, 1), RGB(0x10, 0x20, 0x30));
  EXPECT_FALSE(loaded.LoadFromResource(MAKEINTRESOURCE(102)));  // its run leaves the row
  EXPECT_EQ(CExtBitmap::GetLastReadError(), BmpError::RunPastRow);
  EXPECT_FALSE(loaded.LoadFromResource(MAKEINTRESOURCE(999)));
  thrown = false;
  try {
    loaded.LoadFromResource(MAKEINTRESOURCE(999), RT_BITMAP, nullptr, true, true);
  } catch (CUserException* e) {
    thrown = true;
    e->Delete();
  }
  EXPECT_TRUE(thrown);
}

TEST(ExtBitmap, ArchiveFormKeepsPixelsAndUnpremultiplies) {
  CExtBitmap b = Picture(4, 4, true);
  const COLORREF before = b.ReadPixelColor(3, 3);
  b.Premultiply(true);
  b.MarkPremultiplied(true);
  CExtBitmap blank;
  CMemFile file;
  {
    CArchive ar(&file, CArchive::store);
    b.Serialize(ar);
    blank.Serialize(ar);
  }
  EXPECT_FALSE(b.IsPremultiplied());  // storing turned the image itself back
  const COLORREF after = b.ReadPixelColor(3, 3);  // multiplying and dividing back truncates a little
  EXPECT_NEAR(GetRValue(after), GetRValue(before), 2);
  EXPECT_NEAR(GetGValue(after), GetGValue(before), 2);
  file.SeekToBegin();
  CExtBitmap first, second = Picture(1, 1, false);
  {
    CArchive ar(&file, CArchive::load);
    first.Serialize(ar);
    second.Serialize(ar);
  }
  EXPECT_FALSE(first.IsPremultiplied());
  EXPECT_EQ(first.ReadPixelColor(3, 3), after);
  EXPECT_TRUE(second.IsBlank());  // word 1: blank

  // A damaged archive reaches the archive's caller as an exception.
  file.SetLength(40);
  file.SeekToBegin();
  bool thrown = false;
  try {
    CArchive ar(&file, CArchive::load);
    first.Serialize(ar);
  } catch (CArchiveException* e) {
    thrown = true;
    e->Delete();
  }
  EXPECT_TRUE(thrown);
  EXPECT_TRUE(first.IsBlank());
}

}  // namespace
