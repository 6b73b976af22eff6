// The clipboard exchange under Wine: the private format and CF_DIB within one process and
// between two, pasting from a bare CF_DIB, and damaged private data refused cleanly.
#include <gtest/gtest.h>

#include <cstring>

#include "framework/afxwin.h"
#include "gui_harness.h"
#include "tests/toolkit/foundation/clip_picture.h"

namespace {

using cliptest::Matches;
using cliptest::Picture;

TEST(ExtBitmapClipboard, FormatAndAvailability) {
  CExtBitmap b;
  EXPECT_EQ(b.GetClipboardFormatName(), CString(L"VuroRIZ-ExtBitmap"));
  const UINT format = b.GetClipboardFormat();
  EXPECT_NE(format, 0u);
  EXPECT_EQ(CExtBitmap().GetClipboardFormat(), format);
  EXPECT_FALSE(b.CanCopyToClipboard(true, true));  // blank
  EXPECT_FALSE(b.CopyToClipboard(nullptr, true, true));
  CExtBitmap p = Picture();
  EXPECT_TRUE(p.CanCopyToClipboard(true, false));
  EXPECT_TRUE(p.CanCopyToClipboard(false, true));
  EXPECT_FALSE(p.CanCopyToClipboard(false, false));
  EXPECT_FALSE(p.CopyToClipboard(nullptr, false, false));
  EXPECT_FALSE(p.CanPasteFromClipboard(nullptr, false, false));
}

TEST(ExtBitmapClipboard, OwnAndStandardFormatsInOneProcess) {
  CExtBitmap p = Picture();
  ASSERT_TRUE(p.CopyToClipboard(nullptr, false, true));
  EXPECT_TRUE(p.CanPasteFromClipboard(nullptr, false, true));
  CExtBitmap pasted;
  ASSERT_TRUE(pasted.PasteFromClipboard(nullptr, false, true));
  EXPECT_TRUE(Matches(pasted, true));
  EXPECT_FALSE(pasted.PasteFromClipboard(nullptr, true, false));  // no standard bitmap placed
  EXPECT_TRUE(pasted.IsBlank());

  ASSERT_TRUE(p.CopyToClipboard(nullptr, true, false));
  EXPECT_FALSE(p.CanPasteFromClipboard(nullptr, false, true));
  EXPECT_TRUE(p.CanPasteFromClipboard(nullptr, true, false));
  ASSERT_TRUE(pasted.PasteFromClipboard(nullptr, true, true));
  EXPECT_TRUE(Matches(pasted, false));  // transparent parts show the key colour

  // Both at once: the private format wins and keeps the alpha.
  ASSERT_TRUE(p.CopyToClipboard(nullptr, true, true));
  ASSERT_TRUE(pasted.PasteFromClipboard(nullptr, true, true));
  EXPECT_TRUE(Matches(pasted, true));
}

TEST(ExtBitmapClipboard, PremultipliedImagesGoOutStraightAndStayAsTheyAre) {
  CExtBitmap p = Picture();
  p.Premultiply(true);
  p.MarkPremultiplied(true);
  ASSERT_TRUE(p.CopyToClipboard(nullptr, false, true));
  EXPECT_TRUE(p.IsPremultiplied());  // the copy was turned back, not the image
  CExtBitmap pasted;
  ASSERT_TRUE(pasted.PasteFromClipboard(nullptr, false, true));
  EXPECT_FALSE(pasted.IsPremultiplied());
  // Straight colours, as reading the premultiplied image gives them.
  for (int y = 0; y < cliptest::kHeight; ++y)
    for (int x = 0; x < cliptest::kWidth; ++x) {
      BYTE a1 = 0, a2 = 0;
      EXPECT_EQ(pasted.ReadPixelColor(x, y, &a1), p.ReadPixelColor(x, y, &a2)) << x << "," << y;
      EXPECT_EQ(a1, a2);
    }
}

TEST(ExtBitmapClipboard, ABareDibPastesAndDamagedPrivateDataIsRefused) {
  CExtBitmap p = Picture();
  HBITMAP composite = nullptr;
  COLORREF key = 0;
  ASSERT_TRUE(p.CreateBitmapWithKeyColor(&composite, &key));
  HGLOBAL dib = CreatePackedDibFromHBITMAP(composite);
  ::DeleteObject(composite);
  ASSERT_TRUE(dib);
  ASSERT_TRUE(::OpenClipboard(nullptr));
  ::EmptyClipboard();
  ASSERT_TRUE(::SetClipboardData(CF_DIB, dib));
  ::CloseClipboard();
  CExtBitmap pasted;
  ASSERT_TRUE(pasted.PasteFromClipboard(nullptr, true, true));
  EXPECT_TRUE(Matches(pasted, false));

  // The private format holding a stream whose width is negative: refused, blank, no crash.
  BYTE bad[4 + 14 + 40] = {0, 0, 0, 0, 'B', 'M'};
  const BYTE header[] = {40, 0, 0, 0, 0xFC, 0xFF, 0xFF, 0xFF, 1, 0, 0, 0, 1, 0, 32, 0};
  std::memcpy(bad + 18, header, sizeof header);
  HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof bad);
  std::memcpy(::GlobalLock(memory), bad, sizeof bad);
  ::GlobalUnlock(memory);
  ASSERT_TRUE(::OpenClipboard(nullptr));
  ::EmptyClipboard();
  ASSERT_TRUE(::SetClipboardData(p.GetClipboardFormat(), memory));
  ::CloseClipboard();
  EXPECT_FALSE(pasted.PasteFromClipboard(nullptr, false, true));
  EXPECT_TRUE(pasted.IsBlank());
  EXPECT_EQ(CExtBitmap::GetLastReadError(), BmpError::BadWidth);
  // The clipboard still holds its data: a second paste sees it again.
  EXPECT_TRUE(p.CanPasteFromClipboard(nullptr, false, true));
}

TEST(ExtBitmapClipboard, BetweenTwoProcesses) {
  CExtBitmap p = Picture();
  for (const wchar_t* mode : {L"paste-own", L"paste-standard"}) {
    SCOPED_TRACE(testing::Message() << mode);
    ASSERT_TRUE(p.CopyToClipboard(nullptr, true, true));
    gui::Process peer;
    ASSERT_TRUE(peer.Start(L"ext_bitmap_clip_peer.exe", mode));
    DWORD code = 99;
    ASSERT_TRUE(peer.WaitExit(20000, &code));
    EXPECT_EQ(code, 0u) << "2: nothing pasted, 3: other pixels";
  }

  gui::Process peer;
  ASSERT_TRUE(::OpenClipboard(nullptr));
  ::EmptyClipboard();
  ::CloseClipboard();
  ASSERT_TRUE(peer.Start(L"ext_bitmap_clip_peer.exe", L"copy"));
  DWORD code = 99;
  ASSERT_TRUE(peer.WaitExit(20000, &code));
  ASSERT_EQ(code, 0u);
  CExtBitmap own, standard;
  ASSERT_TRUE(own.PasteFromClipboard(nullptr, false, true));
  EXPECT_TRUE(Matches(own, true));
  ASSERT_TRUE(standard.PasteFromClipboard(nullptr, true, false));
  EXPECT_TRUE(Matches(standard, false));
}

}  // namespace
