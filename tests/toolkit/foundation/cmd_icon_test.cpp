// The command icon under Wine: the disabled image generated once and cached (by the paint
// manager or the icon's own recipe), explicit images kept, copies, the archive form, scaling,
// and icons built from handles and glyphs.
#include <gtest/gtest.h>

#include <vector>

#include "framework/afxwin.h"
#include "toolkit/foundation/cmd_icon.h"
#include "toolkit/paint/paint_manager.h"
#include "toolkit/paint/pm_holder.h"

namespace {

class CountingIcon : public CExtCmdIcon {
 public:
  void BuildDisabledImage(CExtPaintManager* pm) override {
    ++builds;
    CExtCmdIcon::BuildDisabledImage(pm);
  }
  void OnIconChanged() override { ++changes; }
  int builds = 0;
  int changes = 0;
};

// A w x h 32-bit image: pixel x of every row takes colours[x % n] with alphas[x % n].
CExtBitmap Image(int w, int h, const std::vector<COLORREF>& colors, const std::vector<BYTE>& alphas) {
  CExtBitmap b;
  EXPECT_TRUE(b.CreateSolid(0, SIZE{w, h}, 255));
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.WritePixelColor(x, y, colors[x % colors.size()], alphas[x % alphas.size()]);
  return b;
}

bool SamePixels(const CExtBitmap& a, const CExtBitmap& b) {
  if (a.GetPixelSize() != b.GetPixelSize()) return false;
  const CSize s = a.GetPixelSize();
  for (int y = 0; y < s.cy; ++y)
    for (int x = 0; x < s.cx; ++x) {
      BYTE aa = 0, ab = 0;
      if (a.ReadPixelColor(x, y, &aa) != b.ReadPixelColor(x, y, &ab) || aa != ab) return false;
    }
  return true;
}

bool FaceIsGrey() {
  const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
  return GetRValue(face) == GetGValue(face) && GetGValue(face) == GetBValue(face);
}

class CmdIconTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(g_PaintManagerHolder.ReplaceManager(new CExtPaintManager));
    pm = g_PaintManagerHolder.CurrentManager();
  }
  CExtPaintManager* pm = nullptr;
};

TEST_F(CmdIconTest, DisabledImageIsBuiltOnceAndDroppedOnChanges) {
  CountingIcon icon;
  ASSERT_TRUE(icon.SetNormalBitmap(Image(4, 2, {RGB(255, 0, 0), RGB(0, 255, 0)}, {255, 200})));
  EXPECT_TRUE(icon.GetDisabledBitmap().IsBlank());

  // The base paint manager: grey (0.30 R + 0.59 G + 0.11 B), a quarter of the opacity left.
  CExtBitmap& disabled = icon.GetStateBitmap(CExtCmdIcon::StateDisabled, pm);
  EXPECT_EQ(&disabled, &icon.GetDisabledBitmap());
  EXPECT_EQ(icon.builds, 1);
  BYTE alpha = 0;
  EXPECT_EQ(disabled.ReadPixelColor(0, 0, &alpha), RGB(76, 76, 76));
  EXPECT_EQ(alpha, 63);
  EXPECT_EQ(disabled.ReadPixelColor(1, 1, &alpha), RGB(150, 150, 150));
  EXPECT_EQ(alpha, 50);
  EXPECT_FALSE(icon.IsDisabledExplicit());

  icon.GetStateBitmap(CExtCmdIcon::StateDisabled, pm);  // cached
  icon.GetStateBitmap(CExtCmdIcon::StateDisabled, nullptr);
  EXPECT_EQ(icon.builds, 1);

  // Hover and pressed without images paint the normal one; so do unknown states.
  EXPECT_EQ(&icon.GetStateBitmap(CExtCmdIcon::StateHover, pm), &icon.GetNormalBitmap());
  EXPECT_EQ(&icon.GetStateBitmap(CExtCmdIcon::StatePressed, pm), &icon.GetNormalBitmap());
  EXPECT_EQ(&icon.GetStateBitmap(7, pm), &icon.GetNormalBitmap());

  icon.OnPaintManagerChanged();
  EXPECT_TRUE(icon.GetDisabledBitmap().IsBlank());
  // Without a paint manager the icon's own recipe: grey tinted with the face colour, half the
  // opacity.
  icon.GetStateBitmap(CExtCmdIcon::StateDisabled, nullptr);
  EXPECT_EQ(icon.builds, 2);
  if (FaceIsGrey()) {
    EXPECT_EQ(icon.GetDisabledBitmap().ReadPixelColor(0, 0, &alpha), RGB(76, 76, 76));
    EXPECT_EQ(alpha, 127);
  }
  // The system-change handlers rebuild at once.
  icon.changes = 0;
  icon.OnSettingChange(pm, 0, nullptr);
  EXPECT_EQ(icon.builds, 3);
  EXPECT_GE(icon.changes, 1);
  icon.GetDisabledBitmap().ReadPixelColor(0, 0, &alpha);
  EXPECT_EQ(alpha, 63);
  icon.OnThemeChanged(nullptr, 0, 0);
  icon.OnDisplayChange(pm, 32, 800, 600);
  EXPECT_EQ(icon.builds, 5);

  // A blank icon builds nothing.
  CountingIcon blank;
  EXPECT_EQ(&blank.GetStateBitmap(CExtCmdIcon::StateDisabled, pm), &blank.GetNormalBitmap());
  EXPECT_TRUE(blank.GetDisabledBitmap().IsBlank());
}

TEST_F(CmdIconTest, BaseDisabledImageOfOtherDepthsAndRefusals) {
  EXPECT_FALSE(pm->BuildDisabledIconImage(nullptr));
  CExtCmdIcon blank;
  EXPECT_FALSE(pm->BuildDisabledIconImage(&blank));

  // A 24-bit normal image gets a 32-bit disabled one.
  CExtCmdIcon icon;
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), 3, 3, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP handle = ::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  ASSERT_NE(handle, nullptr);
  for (int row = 0; row < 3; ++row)
    for (int x = 0; x < 3; ++x) static_cast<BYTE*>(bits)[row * 12 + 3 * x] = 255;  // blue
  icon.AssignFromHBITMAP(handle);  // hands the handle over
  ASSERT_EQ(icon.GetNormalBitmap().GetBitsPerPixel(), 24);
  ASSERT_TRUE(pm->BuildDisabledIconImage(&icon));
  EXPECT_EQ(icon.GetDisabledBitmap().GetBitsPerPixel(), 32);
  BYTE alpha = 0;
  EXPECT_EQ(icon.GetDisabledBitmap().ReadPixelColor(2, 2, &alpha), RGB(28, 28, 28));
  EXPECT_EQ(alpha, 63);

  // An explicit disabled image is the icon's own: the paint manager leaves it.
  const CExtBitmap mine = Image(3, 3, {RGB(1, 2, 3)}, {200});
  ASSERT_TRUE(icon.SetDisabledBitmap(mine));
  EXPECT_TRUE(icon.IsDisabledExplicit());
  EXPECT_FALSE(pm->BuildDisabledIconImage(&icon));
  icon.BuildDisabledImage(nullptr);
  icon.RefreshGeneratedImages(pm);
  icon.OnPaintManagerChanged();
  EXPECT_TRUE(SamePixels(icon.GetDisabledBitmap(), mine));
  EXPECT_EQ(&icon.GetStateBitmap(CExtCmdIcon::StateDisabled, pm), &icon.GetDisabledBitmap());
  // Setting a blank image clears the explicit state again.
  ASSERT_TRUE(icon.SetDisabledBitmap(CExtBitmap()));
  EXPECT_FALSE(icon.IsDisabledExplicit());
  EXPECT_TRUE(pm->BuildDisabledIconImage(&icon));
}

TEST_F(CmdIconTest, CopiesTakeExplicitImagesOnly) {
  CExtCmdIcon icon;
  icon.SetNormalBitmap(Image(2, 2, {RGB(255, 0, 0)}, {255}));
  icon.SetHoverBitmap(Image(2, 2, {RGB(0, 255, 0)}, {255}));
  icon.GetStateBitmap(CExtCmdIcon::StateDisabled, pm);  // generated
  ASSERT_FALSE(icon.GetDisabledBitmap().IsBlank());

  CExtCmdIcon copy(icon);
  EXPECT_EQ(copy.GetFlags(), static_cast<DWORD>(CExtCmdIcon::FlagHoverExplicit));
  EXPECT_TRUE(SamePixels(copy.GetNormalBitmap(), icon.GetNormalBitmap()));
  EXPECT_TRUE(SamePixels(copy.GetHoverBitmap(), icon.GetHoverBitmap()));
  EXPECT_TRUE(copy.GetDisabledBitmap().IsBlank());
  EXPECT_EQ(&copy.GetStateBitmap(CExtCmdIcon::StateHover, pm), &copy.GetHoverBitmap());
  copy.GetStateBitmap(CExtCmdIcon::StateDisabled, pm);  // builds its own
  EXPECT_TRUE(SamePixels(copy.GetDisabledBitmap(), icon.GetDisabledBitmap()));

  CExtCmdIcon other;
  other = icon;
  other = other;  // self-assignment keeps everything
  EXPECT_FALSE(other.GetHoverBitmap().IsBlank());
  other.Empty();
  EXPECT_TRUE(other.IsBlank());
  EXPECT_EQ(other.GetFlags(), 0u);
  EXPECT_TRUE(other.GetHoverBitmap().IsBlank());
}

TEST_F(CmdIconTest, ArchiveRoundTrip) {
  CExtCmdIcon icon;
  icon.SetNormalBitmap(Image(3, 2, {RGB(10, 20, 30), RGB(200, 0, 0)}, {255, 90}));
  icon.SetHoverBitmap(Image(3, 2, {RGB(0, 0, 250)}, {128}));
  icon.GetStateBitmap(CExtCmdIcon::StateDisabled, pm);  // generated: not stored

  CMemFile file;
  {
    CArchive ar(&file, CArchive::store);
    icon.Serialize(ar);
  }
  // The flags word first: only the hover image was set explicitly.
  file.SeekToBegin();
  DWORD flags = 0;
  ASSERT_EQ(file.Read(&flags, sizeof flags), sizeof flags);
  EXPECT_EQ(flags, 2u);

  CountingIcon loaded;
  loaded.SetPressedBitmap(Image(1, 1, {0}, {255}));  // replaced by what is read
  loaded.changes = 0;
  file.SeekToBegin();
  {
    CArchive ar(&file, CArchive::load);
    loaded.Serialize(ar);
  }
  EXPECT_GE(loaded.changes, 1);
  EXPECT_EQ(loaded.GetFlags(), 2u);
  EXPECT_TRUE(SamePixels(loaded.GetNormalBitmap(), icon.GetNormalBitmap()));
  EXPECT_TRUE(SamePixels(loaded.GetHoverBitmap(), icon.GetHoverBitmap()));
  EXPECT_TRUE(loaded.GetDisabledBitmap().IsBlank());
  EXPECT_TRUE(loaded.GetPressedBitmap().IsBlank());

  // Disabled and pressed explicit: both come back, in order.
  CExtCmdIcon both;
  both.SetNormalBitmap(Image(2, 2, {RGB(1, 1, 1)}, {255}));
  both.SetDisabledBitmap(Image(2, 2, {RGB(2, 2, 2)}, {255}));
  both.SetPressedBitmap(Image(2, 2, {RGB(3, 3, 3)}, {255}));
  CMemFile file2;
  {
    CArchive ar(&file2, CArchive::store);
    both.Serialize(ar);
  }
  const ULONGLONG whole = file2.GetLength();
  file2.SeekToBegin();
  CExtCmdIcon back;
  {
    CArchive ar(&file2, CArchive::load);
    back.Serialize(ar);
  }
  EXPECT_EQ(back.GetFlags(), 5u);
  EXPECT_EQ(back.GetDisabledBitmap().ReadPixelColor(0, 0), RGB(2, 2, 2));
  EXPECT_EQ(back.GetPressedBitmap().ReadPixelColor(1, 1), RGB(3, 3, 3));

  // A cut archive throws to the caller and leaves the icon blank.
  file2.SetLength(whole - 10);
  file2.SeekToBegin();
  bool thrown = false;
  try {
    CArchive ar(&file2, CArchive::load);
    back.Serialize(ar);
  } catch (CException* e) {
    thrown = true;
    e->Delete();
  }
  EXPECT_TRUE(thrown);
  EXPECT_TRUE(back.IsBlank());
  EXPECT_EQ(back.GetFlags(), 0u);
  EXPECT_TRUE(back.GetDisabledBitmap().IsBlank());
}

TEST_F(CmdIconTest, RescaleAndAssignScaled) {
  CExtCmdIcon icon;
  EXPECT_FALSE(icon.Rescale(SIZE{8, 8}));  // blank
  icon.SetNormalBitmap(Image(4, 4, {RGB(10, 200, 30)}, {255}));
  icon.SetHoverBitmap(Image(4, 4, {RGB(90, 90, 90)}, {100}));
  EXPECT_TRUE(icon.Rescale(SIZE{4, 4}));
  EXPECT_FALSE(icon.Rescale(SIZE{0, 4}));
  ASSERT_TRUE(icon.Rescale(SIZE{8, 6}));
  EXPECT_EQ(icon.GetPixelSize(), CSize(8, 6));
  EXPECT_EQ(icon.GetHoverBitmap().GetPixelSize(), CSize(8, 6));
  BYTE alpha = 0;
  EXPECT_EQ(icon.GetHoverBitmap().ReadPixelColor(7, 5, &alpha), RGB(90, 90, 90));
  EXPECT_EQ(alpha, 100);

  CExtCmdIcon scaled;
  EXPECT_FALSE(scaled.AssignScaled(CExtCmdIcon(), SIZE{16, 16}));
  EXPECT_FALSE(scaled.AssignScaled(icon, SIZE{16, 0}));
  ASSERT_TRUE(scaled.AssignScaled(icon, SIZE{2, 3}));
  EXPECT_EQ(scaled.GetPixelSize(), CSize(2, 3));
  EXPECT_EQ(scaled.GetNormalBitmap().ReadPixelColor(1, 2), RGB(10, 200, 30));
  EXPECT_EQ(icon.GetPixelSize(), CSize(8, 6));  // the source stays
}

TEST_F(CmdIconTest, IconsFromHandlesAndGlyphs) {
  // A key colour becomes transparent.
  CExtBitmap strip = Image(3, 1, {RGB(255, 0, 255), RGB(9, 9, 9)}, {255});
  CExtCmdIcon icon;
  icon.AssignFromHBITMAP(strip.CreateHBITMAP(false), RGB(255, 0, 255));
  ASSERT_EQ(icon.GetPixelSize(), CSize(3, 1));
  BYTE alpha = 1;
  icon.GetNormalBitmap().ReadPixelColor(0, 0, &alpha);
  EXPECT_EQ(alpha, 0);
  icon.GetNormalBitmap().ReadPixelColor(1, 0, &alpha);
  EXPECT_EQ(alpha, 255);
  icon.GetNormalBitmap().ReadPixelColor(2, 0, &alpha);
  EXPECT_EQ(alpha, 0);
  icon.AssignFromHBITMAP(nullptr);
  EXPECT_TRUE(icon.IsBlank());

  // Icon handles out and back in.
  icon.SetNormalBitmap(Image(16, 16, {RGB(200, 10, 10), RGB(10, 10, 200)}, {255}));
  HICON handle = icon.CreateHICON();
  ASSERT_NE(handle, nullptr);
  CExtCmdIcon fromHandle;
  fromHandle.ImportHICON(handle);  // destroys the handle
  EXPECT_EQ(fromHandle.GetPixelSize(), CSize(16, 16));
  EXPECT_EQ(fromHandle.GetNormalBitmap().ReadPixelColor(1, 3), RGB(10, 10, 200));
  fromHandle.ImportHICON(nullptr);
  EXPECT_TRUE(fromHandle.IsBlank());
  EXPECT_EQ(CExtCmdIcon().CreateHICON(), nullptr);
  HBITMAP bitmap = nullptr;
  COLORREF key = 0;
  EXPECT_FALSE(CExtCmdIcon().CreateBitmapWithKeyColor(&bitmap, &key));

  // A magenta check mark: the background becomes 0x80FF80 and transparent.
  CExtCmdIcon check;
  ASSERT_TRUE(check.CreateCheckMarkIcon(pm, RGB(255, 0, 255), static_cast<COLORREF>(-1), 16, 16));
  EXPECT_EQ(check.GetPixelSize(), CSize(16, 16));
  EXPECT_EQ(check.GetNormalBitmap().ReadPixelColor(0, 0, &alpha), RGB(128, 255, 128));
  EXPECT_EQ(alpha, 0);
  int opaqueMagenta = 0;
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x)
      if (check.GetNormalBitmap().ReadPixelColor(x, y, &alpha) == RGB(255, 0, 255) && alpha == 255) ++opaqueMagenta;
  EXPECT_GE(opaqueMagenta, 10);
  EXPECT_FALSE(check.CreateRoundBulletIcon(pm, RGB(0, 0, 0), static_cast<COLORREF>(-1), 0, 16));
  ASSERT_TRUE(check.CreateSquareBulletIcon(pm, RGB(0, 0, 0), static_cast<COLORREF>(-1), 12, 12));
  EXPECT_EQ(check.GetNormalBitmap().ReadPixelColor(6, 6, &alpha), RGB(0, 0, 0));  // inside the bullet
  EXPECT_EQ(alpha, 255);
  ASSERT_TRUE(check.CreateRoundBulletIcon(nullptr, static_cast<COLORREF>(-1), static_cast<COLORREF>(-1), 16, 16));

  CExtCmdIcon clear;
  ASSERT_TRUE(clear.CreateTransparentIcon(pm, static_cast<COLORREF>(-1), 5, 3));
  EXPECT_EQ(clear.GetPixelSize(), CSize(5, 3));
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) {
      clear.GetNormalBitmap().ReadPixelColor(x, y, &alpha);
      EXPECT_EQ(alpha, 0);
    }
  EXPECT_FALSE(clear.CreateTransparentIcon(pm, RGB(1, 1, 1), 0, 3));
}

}  // namespace
