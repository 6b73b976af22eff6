// The off-screen drawing surface: where drawing lands, what the surface starts from, copy-back,
// the printing path, and that nothing leaks.
#include <gtest/gtest.h>

#include "canvas.h"
#include "toolkit/bars/memory_dc.h"

namespace {

constexpr COLORREF kFill = RGB(10, 20, 30);
constexpr COLORREF kBack = RGB(200, 100, 50);
constexpr COLORREF kInk = RGB(255, 0, 0);
const RECT kArea{10, 5, 50, 35};

// The process's GDI object count (Wine answers 0, so the tests also check the surface's own
// handles are gone).
DWORD GdiObjects() { return ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS); }

// A target with a recognisable picture: a stripe in each row, the background colour set.
void PrepareTarget(ctltest::Canvas& target) {
  target.Fill(kFill);
  for (int y = 0; y < target.height(); ++y) target.dc()->SetPixelV(y % target.width(), y, RGB(0, 0, y * 5));
  target.dc()->SetBkColor(kBack);
}

// The surface's first pixel of the area's top-left corner from the DIB bits.
COLORREF TopLeftFromBits(const CExtMemoryDC& mem, bool topDown) {
  const auto* bits = static_cast<const DWORD*>(mem.GetBits());
  const int w = kArea.right - kArea.left, h = kArea.bottom - kArea.top;
  const DWORD p = topDown ? bits[0] : bits[static_cast<size_t>(h - 1) * w];
  return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

TEST(MemoryDC, EachFlagCombinationDrawsOffScreenAndCopiesBack) {
  struct Case {
    DWORD flags;
    bool startsFromTarget;  // CopyTarget
    bool startsFilled;      // FillBackground without CopyTarget
    bool dib;
    bool topDown;
  } cases[] = {
      {0x03, false, true, false, false},  // window, bar and control paints
      {0x21, true, false, false, false},  // text drawing over existing pixels
      {0x01, false, false, false, false},
      {0x0B, false, true, true, false},   // popup backgrounds with per-pixel access
      {0xA9, true, false, true, true},    // themed text over a copy of the background
      {0x23, true, false, false, false},  // both: only the copy is made
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "flags 0x" << std::hex << c.flags);
    ctltest::Canvas target(60, 40, kFill);
    PrepareTarget(target);
    const COLORREF originalInside = target.At(20, 20), originalOutside = target.At(5, 5);
    const DWORD gdiBefore = GdiObjects();
    HBITMAP surfaceBitmap = nullptr;
    HDC surfaceDC = nullptr;
    {
      CExtMemoryDC mem(target.dc(), &kArea, c.flags);
      ASSERT_TRUE(mem.IsOffscreen());
      ASSERT_NE(mem.GetSafeHdc(), target.dc()->GetSafeHdc());
      surfaceDC = mem.GetSafeHdc();
      surfaceBitmap = static_cast<HBITMAP>(::GetCurrentObject(surfaceDC, OBJ_BITMAP));
      EXPECT_TRUE(::EqualRect(&mem.GetArea(), &kArea));
      EXPECT_EQ(mem.GetBits() != nullptr, c.dib);
      // What the surface starts from, read at the target's own logical coordinates.
      if (c.startsFromTarget) {
        EXPECT_EQ(mem.GetPixel(20, 20), originalInside);
        if (c.dib) {
          EXPECT_EQ(TopLeftFromBits(mem, c.topDown), target.At(10, 5));
        }
      }
      if (c.startsFilled) {
        EXPECT_EQ(mem.GetPixel(20, 20), kBack);
        if (c.dib) {
          EXPECT_EQ(TopLeftFromBits(mem, c.topDown), kBack);
        }
      }
      mem.FillSolidRect(15, 10, 5, 5, kInk);
      // Nothing reaches the target before the surface ends.
      EXPECT_NE(target.At(16, 11), kInk);
    }
    EXPECT_EQ(target.At(16, 11), kInk);
    EXPECT_EQ(target.At(5, 5), originalOutside);  // outside the area nothing changes
    EXPECT_EQ(target.At(55, 20), kFill);
    if (c.startsFromTarget) {
      EXPECT_EQ(target.At(20, 20), originalInside);
    }
    if (c.startsFilled) {
      EXPECT_EQ(target.At(30, 30), kBack);
    }
    // The surface's DC and bitmap are gone, the target's DC is left alone.
    EXPECT_EQ(::GetObjectType(surfaceBitmap), 0u);
    EXPECT_EQ(::GetObjectType(surfaceDC), 0u);
    EXPECT_EQ(::GetObjectType(target.dc()->GetSafeHdc()), static_cast<DWORD>(OBJ_MEMDC));
    EXPECT_EQ(GdiObjects(), gdiBefore);
  }
}

TEST(MemoryDC, ScratchSurfaceDetachedWithoutCopyLeavesTheTarget) {
  ctltest::Canvas target(60, 40, kFill);
  PrepareTarget(target);
  const COLORREF before = target.At(16, 11);
  const DWORD gdiBefore = GdiObjects();
  HDC surfaceDC = nullptr;
  HGDIOBJ surfaceBitmap = nullptr;
  {
    CExtMemoryDC mem(target.dc(), &kArea, CExtMemoryDC::ToMemory);
    surfaceDC = mem.GetSafeHdc();
    surfaceBitmap = ::GetCurrentObject(surfaceDC, OBJ_BITMAP);
    mem.FillSolidRect(&kArea, kInk);
    mem.CopyBackAndDetach(false);
    EXPECT_EQ(mem.GetTarget(), nullptr);
    EXPECT_FALSE(mem.IsOffscreen());
  }
  EXPECT_EQ(target.At(16, 11), before);
  EXPECT_EQ(::GetObjectType(surfaceDC), 0u);
  EXPECT_EQ(::GetObjectType(surfaceBitmap), 0u);
  EXPECT_EQ(GdiObjects(), gdiBefore);
}

TEST(MemoryDC, PrintingTargetIsDrawnDirectlyUnlessForced) {
  ctltest::Canvas target(60, 40, kFill);
  PrepareTarget(target);
  target.dc()->m_bPrinting = TRUE;
  {
    CExtMemoryDC mem(target.dc(), &kArea, CExtMemoryDC::ToMemory | CExtMemoryDC::FillBackground);
    EXPECT_FALSE(mem.IsOffscreen());
    EXPECT_EQ(mem.GetSafeHdc(), target.dc()->GetSafeHdc());
    EXPECT_TRUE(mem.IsPrinting());
    EXPECT_EQ(target.At(20, 20), kBack);  // the fill went straight to the target
    mem.FillSolidRect(15, 10, 5, 5, kInk);
    EXPECT_EQ(target.At(16, 11), kInk);
  }
  EXPECT_EQ(::GetObjectType(target.dc()->GetSafeHdc()), static_cast<DWORD>(OBJ_MEMDC));
  {
    CExtMemoryDC mem(target.dc(), &kArea, CExtMemoryDC::ToMemory | CExtMemoryDC::ForceMemory);
    EXPECT_TRUE(mem.IsOffscreen());
    mem.FillSolidRect(30, 20, 5, 5, RGB(0, 255, 0));
    EXPECT_NE(target.At(31, 21), RGB(0, 255, 0));
  }
  EXPECT_EQ(target.At(31, 21), RGB(0, 255, 0));
  target.dc()->m_bPrinting = FALSE;
}

TEST(MemoryDC, NullAreaMeansTheClipBoxAndEmptyAreasCopyNothing) {
  ctltest::Canvas target(60, 40, kFill);
  PrepareTarget(target);
  target.dc()->IntersectClipRect(0, 0, 30, 20);
  {
    CExtMemoryDC mem(target.dc(), nullptr, 0x03);
    const RECT expected{0, 0, 30, 20};
    EXPECT_TRUE(::EqualRect(&mem.GetArea(), &expected));
  }
  EXPECT_EQ(target.At(25, 15), kBack);
  EXPECT_EQ(target.At(35, 25), kFill);
  ::SelectClipRgn(target.dc()->GetSafeHdc(), nullptr);

  ctltest::Canvas untouched(60, 40, kFill);
  const DWORD gdiBefore = GdiObjects();
  {
    const RECT empty{10, 10, 10, 30};
    CExtMemoryDC mem(untouched.dc(), &empty, 0x03);
    mem.FillSolidRect(0, 0, 60, 40, kInk);
  }
  for (int y = 0; y < 40; y += 3)
    for (int x = 0; x < 60; x += 3) ASSERT_EQ(untouched.At(x, y), kFill) << x << "," << y;
  EXPECT_EQ(GdiObjects(), gdiBefore);
}

TEST(MemoryDC, MappedTargetsKeepTheirLogicalCoordinates) {
  // Viewport moved and right-to-left layout: drawing through the surface lands where drawing
  // straight onto the target would.
  for (bool rtl : {false, true}) {
    SCOPED_TRACE(rtl ? "right to left" : "left to right");
    ctltest::Canvas direct(60, 40, kFill), through(60, 40, kFill);
    for (ctltest::Canvas* c : {&direct, &through}) {
      PrepareTarget(*c);
      if (rtl) ::SetLayout(c->dc()->GetSafeHdc(), LAYOUT_RTL);
      c->dc()->SetViewportOrg(3, 2);
    }
    direct.dc()->FillSolidRect(12, 7, 6, 4, kInk);
    {
      CExtMemoryDC mem(through.dc(), &kArea, CExtMemoryDC::ToMemory | CExtMemoryDC::CopyTarget);
      mem.FillSolidRect(12, 7, 6, 4, kInk);
    }
    for (ctltest::Canvas* c : {&direct, &through}) {
      ::SetLayout(c->dc()->GetSafeHdc(), 0);
      c->dc()->SetViewportOrg(0, 0);
    }
    int inked = 0;
    for (int y = 0; y < 40; ++y)
      for (int x = 0; x < 60; ++x) {
        ASSERT_EQ(through.At(x, y), direct.At(x, y)) << x << "," << y;
        inked += direct.At(x, y) == kInk;
      }
    EXPECT_EQ(inked, 24);
    if (rtl) through.Save(L"toolkit_memory_dc_rtl");
  }
}

TEST(MemoryDC, UnattachedSurfacesDoNothing) {
  const DWORD gdiBefore = GdiObjects();
  {
    CExtMemoryDC none;
    EXPECT_EQ(none.GetTarget(), nullptr);
    none.CopyBackAndDetach(true);
    CDC empty;  // no output handle
    CExtMemoryDC detached(&empty, &kArea, 0x03);
    EXPECT_EQ(detached.GetTarget(), nullptr);
    EXPECT_EQ(detached.GetSafeHdc(), nullptr);
  }
  EXPECT_EQ(GdiObjects(), gdiBefore);
}

}  // namespace
