// The animated picture: the program's animation and built GIFs decoded by the system's picture
// loader, composed by disposal and transparency on the worker thread, stopped and restarted,
// stopped when its window goes, and left to end on its own when a stop gives up waiting.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "controls/picture_ex.h"
#include "gif_builder.h"
#include "gui_harness.h"
#include "live_input.h"

namespace {

using giftest::GifBuilder;

constexpr COLORREF kRed = RGB(200, 0, 0);
constexpr COLORREF kGreen = RGB(0, 150, 0);
constexpr COLORREF kBlue = RGB(0, 0, 220);
constexpr COLORREF kWhite = RGB(255, 255, 255);
const std::vector<COLORREF> kPalette = {kWhite, kRed, kGreen, kBlue};

// A top-level window with the picture control in it.
class PictureHost : public CWnd {
 public:
  PictureHost() {
    CreateEx(0, AfxRegisterWndClass(0, ::LoadCursorW(nullptr, IDC_ARROW), ::GetSysColorBrush(COLOR_BTNFACE)),
             L"Picture", WS_POPUP | WS_CAPTION | WS_VISIBLE, 200, 200, 200, 150, nullptr, nullptr);
    picture.Create(L"Static", WS_CHILD | WS_VISIBLE | SS_LEFT, CRect(10, 10, 50, 40), this, 1100);
  }
  ~PictureHost() override {
    if (m_hWnd) DestroyWindow();
  }
  CPictureEx picture;
};

// The surface as pixels, 0x00RRGGBB, top row first.
struct Surface {
  explicit Surface(const CPictureEx& picture) {
    HBITMAP bitmap = picture.CopySurface();
    if (bitmap == nullptr) return;
    BITMAP info = {};
    ::GetObjectW(bitmap, sizeof info, &info);
    width = info.bmWidth;
    height = info.bmHeight;
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    pixels.resize(static_cast<size_t>(width) * height);
    HDC screen = ::GetDC(nullptr);
    ::GetDIBits(screen, bitmap, 0, height, pixels.data(), &bi, DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, screen);
    ::DeleteObject(bitmap);
  }
  COLORREF At(int x, int y) const {
    const DWORD p = pixels[static_cast<size_t>(y) * width + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  }
  int width = 0;
  int height = 0;
  std::vector<DWORD> pixels;
};

BOOL Load(CPictureEx& picture, const GifBuilder& gif) {
  HGLOBAL block = gif.ToGlobal();
  const BOOL ok = picture.LoadFromMemory(block, static_cast<DWORD>(gif.Size()));
  ::GlobalFree(block);
  return ok;
}

bool WaitForFrame(const CPictureEx& picture, int frame, DWORD timeoutMs = 5000) {
  return live::PumpUntil([&] { return picture.GetCurrentFrame() == frame; }, timeoutMs);
}

TEST(PictureEx, ProgramAnimationPlaysItsTwelveFrames) {
  PictureHost host;
  CPictureEx& picture = host.picture;
  ASSERT_TRUE(picture.LoadAnimationResource());
  EXPECT_TRUE(picture.IsGif());
  EXPECT_EQ(picture.GetFrameCount(), 12);
  EXPECT_EQ(picture.GetPictureSize(), CSize(32, 32));
  for (int i = 0; i < picture.GetFrameCount(); ++i) {
    EXPECT_EQ(picture.GetFrame(i).delay, 10u);
    EXPECT_EQ(picture.GetFrame(i).width, 32);
  }
  CRect window;
  picture.GetWindowRect(&window);
  EXPECT_EQ(window.Size(), CSize(32, 32));  // the control takes the picture's size

  EXPECT_FALSE(picture.Display());  // animated: the worker draws
  ASSERT_TRUE(live::PumpUntil([&] { return picture.IsPlaying(); }, 2000));
  std::vector<gui::Image> shots;
  for (int frame : {2, 5, 8}) {
    ASSERT_TRUE(WaitForFrame(picture, frame));
    live::Pump(30);
    shots.push_back(gui::CaptureWindow(picture.m_hWnd));
    ASSERT_EQ(shots.back().width, 32);
  }
  // Successive frames differ, and each is drawn with more than a colour or two.
  const RECT all = {0, 0, 32, 32};
  EXPECT_GT(gui::CountDifferentPixels(shots[0], shots[1], all), 0);
  EXPECT_GT(gui::CountDifferentPixels(shots[1], shots[2], all), 0);
  EXPECT_GT(gui::CountColours(shots[0], all), 3);

  // One strip of the three frames for review, four times enlarged.
  gui::Image strip;
  strip.width = 3 * 32 * 4;
  strip.height = 32 * 4;
  strip.pixels.resize(static_cast<size_t>(strip.width) * strip.height);
  for (int i = 0; i < 3; ++i)
    for (int y = 0; y < strip.height; ++y)
      for (int x = 0; x < 32 * 4; ++x)
        strip.pixels[static_cast<size_t>(y) * strip.width + i * 32 * 4 + x] = shots[static_cast<size_t>(i)].At(x / 4, y / 4);
  gui::SaveCapture(strip, L"picture_ex_frames_2_5_8");

  picture.StopAnimation();
  EXPECT_FALSE(picture.IsPlaying());
  EXPECT_EQ(picture.GetFrameCount(), 12);  // frames stay for the next Display
}

TEST(PictureEx, DisposalAndTransparencyComposeTheFrames) {
  GifBuilder gif(12, 12, kPalette);
  gif.Application();
  gif.Control(100, 1).Fill(0, 0, 12, 12, 1);  // red, kept
  std::vector<std::uint8_t> square(36, 2);     // green with a transparent centre pixel
  square[2 * 6 + 2] = 0;
  gif.Control(100, 3, 0).Image(2, 2, 6, 6, square);  // restored afterwards
  gif.Comment("between").Control(100, 2).Fill(6, 6, 4, 4, 3);  // blue, then background
  gif.Control(100, 0).Fill(0, 0, 2, 2, 0);  // white, left as it is
  gif.Trailer();

  PictureHost host;
  CPictureEx& picture = host.picture;
  ASSERT_TRUE(Load(picture, gif));
  ASSERT_EQ(picture.GetFrameCount(), 4);
  EXPECT_EQ(picture.GetFrame(1).disposal, 3);
  EXPECT_EQ(picture.GetFrame(2).left, 6);
  const COLORREF background = ::GetSysColor(COLOR_BTNFACE);
  EXPECT_EQ(picture.GetBackground(), background);
  {
    // Before the first frame the surface is all background (one colour for every fill).
    Surface s(picture);
    ASSERT_EQ(s.width, 12);
    EXPECT_EQ(s.At(0, 0), background);
    EXPECT_EQ(s.At(11, 11), background);
  }

  picture.Display();
  auto during = [&](int frame) {
    EXPECT_TRUE(WaitForFrame(picture, frame)) << "frame " << frame;
    live::Pump(250);  // drawn at once, shown for a second
    return Surface(picture);
  };
  {
    Surface s = during(1);
    EXPECT_EQ(s.At(3, 3), kGreen);
    EXPECT_EQ(s.At(4, 4), kRed);  // through the transparent pixel
    EXPECT_EQ(s.At(10, 10), kRed);
  }
  {
    Surface s = during(2);
    EXPECT_EQ(s.At(3, 3), kRed);  // the green square restored
    EXPECT_EQ(s.At(7, 7), kBlue);
  }
  {
    Surface s = during(3);
    EXPECT_EQ(s.At(7, 7), background);  // the blue square filled
    EXPECT_EQ(s.At(0, 0), kWhite);
    EXPECT_EQ(s.At(11, 11), kRed);
  }
  {
    // After the last frame the surface starts over from the background.
    Surface s = during(0);
    EXPECT_EQ(s.At(0, 0), kRed);
    EXPECT_EQ(s.At(7, 7), kRed);
  }
  picture.StopAnimation();
}

TEST(PictureEx, ARestartContinuesWithTheFrameThatWasShowing) {
  GifBuilder gif(4, 4, kPalette);
  for (int i = 0; i < 3; ++i) gif.Control(i == 1 ? 6000 : 30, 0).Fill(0, 0, 4, 4, static_cast<std::uint8_t>(i + 1));
  PictureHost host;
  CPictureEx& picture = host.picture;
  ASSERT_TRUE(Load(picture, gif));
  picture.Display();
  ASSERT_TRUE(WaitForFrame(picture, 1));  // then rests for a minute
  live::Pump(100);
  picture.StopAnimation();
  EXPECT_EQ(picture.GetCurrentFrame(), 1);
  picture.Display();
  live::Pump(300);
  EXPECT_EQ(picture.GetCurrentFrame(), 1);
  EXPECT_EQ(Surface(picture).At(1, 1), kGreen);
  picture.StopAnimation();
}

TEST(PictureEx, ShortDelaysWaitAtLeastATenthOfASecond) {
  // Delays of 0 to 4 hundredths count as 10; a frame never comes back sooner.
  for (int delay : {0, 4}) {
    SCOPED_TRACE(delay);
    GifBuilder gif(4, 4, kPalette);
    gif.Control(delay, 0).Fill(0, 0, 4, 4, 1).Control(6000, 0).Fill(0, 0, 4, 4, 2);
    PictureHost host;
    ASSERT_TRUE(Load(host.picture, gif));
    const DWORD start = ::GetTickCount();
    host.picture.Display();
    ASSERT_TRUE(WaitForFrame(host.picture, 1));
    EXPECT_GE(::GetTickCount() - start, 90u);
    host.picture.StopAnimation();
  }
}

TEST(PictureEx, DestroyingTheWindowWakesAWorkerThatRests) {
  const long before = CPictureEx::LiveStates();
  {
    GifBuilder gif(4, 4, kPalette);
    gif.Fill(0, 0, 4, 4, 1).Fill(0, 0, 4, 4, 2);  // no control extension: rests until stopped
    PictureHost host;
    ASSERT_TRUE(Load(host.picture, gif));
    EXPECT_EQ(host.picture.GetFrame(0).delay, 0xFFFFFFFFu);
    host.picture.Display();
    ASSERT_TRUE(live::PumpUntil([&] { return host.picture.IsPlaying(); }, 2000));
    live::Pump(100);
    host.DestroyWindow();
    EXPECT_FALSE(host.picture.IsPlaying());
    EXPECT_EQ(host.picture.GetFrameCount(), 2);  // the window is gone, the frames are kept
    EXPECT_EQ(host.picture.GetCurrentFrame(), 0);
  }
  EXPECT_EQ(CPictureEx::LiveStates(), before);
}

TEST(PictureEx, AStopThatGivesUpLeavesTheWorkerItsOwnFrames) {
  const long before = CPictureEx::LiveStates();
  GifBuilder gif(64, 64, kPalette);
  for (int i = 0; i < 6; ++i) gif.Control(0, i % 4).Fill(i, i, 64 - 2 * i, 64 - 2 * i, static_cast<std::uint8_t>(i % 4));
  int abandoned = 0;
  for (int round = 0; round < 40; ++round) {
    auto host = std::make_unique<PictureHost>();
    ASSERT_TRUE(Load(host->picture, gif));
    host->picture.m_stopWaitMs = 0;  // give up at once while the worker draws
    host->picture.Display();
    live::Pump(round % 3 == 0 ? 0 : 15);
    host->picture.StopAnimation();
    if (host->picture.GetFrameCount() == 0) {
      // Abandoned: the control goes on empty and can load again.
      ++abandoned;
      EXPECT_FALSE(host->picture.IsPlaying());
      ASSERT_TRUE(Load(host->picture, gif));
    }
    host.reset();  // frees the control while an abandoned worker may still run
  }
  EXPECT_GT(abandoned, 0);
  EXPECT_TRUE(live::PumpUntil([&] { return CPictureEx::LiveStates() == before; }, 10000));
}

TEST(PictureEx, StillPictures) {
  PictureHost host;
  CPictureEx& picture = host.picture;

  // One frame: a still picture the size of the logical screen, no thread.
  GifBuilder single(20, 10, kPalette);
  single.Comment("one").Control(10, 0).Fill(5, 0, 10, 10, 3).Trailer();
  ASSERT_TRUE(Load(picture, single));
  EXPECT_TRUE(picture.IsGif());
  EXPECT_EQ(picture.GetFrameCount(), 0);
  EXPECT_EQ(picture.GetPictureSize(), CSize(20, 10));
  EXPECT_TRUE(picture.Display());
  EXPECT_FALSE(picture.IsPlaying());
  EXPECT_EQ(Surface(picture).At(7, 5), kBlue);

  // Not a GIF: a bitmap file in memory, sized by its own extent.
  const int w = 24, h = 16;
  std::vector<BYTE> bmp(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + static_cast<size_t>(w) * h * 4);
  auto* file = reinterpret_cast<BITMAPFILEHEADER*>(bmp.data());
  file->bfType = 0x4D42;
  file->bfSize = static_cast<DWORD>(bmp.size());
  file->bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
  auto* info = reinterpret_cast<BITMAPINFOHEADER*>(bmp.data() + sizeof(BITMAPFILEHEADER));
  info->biSize = sizeof(BITMAPINFOHEADER);
  info->biWidth = w;
  info->biHeight = h;
  info->biPlanes = 1;
  info->biBitCount = 32;
  auto* pixels = reinterpret_cast<DWORD*>(bmp.data() + file->bfOffBits);
  for (int i = 0; i < w * h; ++i) pixels[i] = 0x00C80000;  // red
  HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, bmp.size());
  std::memcpy(::GlobalLock(block), bmp.data(), bmp.size());
  ::GlobalUnlock(block);
  ASSERT_TRUE(picture.LoadFromMemory(block, static_cast<DWORD>(bmp.size())));
  ::GlobalFree(block);
  EXPECT_FALSE(picture.IsGif());
  EXPECT_EQ(picture.GetPictureSize(), CSize(w, h));
  EXPECT_TRUE(picture.Display());
  EXPECT_EQ(Surface(picture).At(3, 3), kRed);
  gui::SaveCapture(gui::CaptureWindow(host.m_hWnd), L"picture_ex_still_bitmap");
}

TEST(PictureEx, DataThatDoesNotLoad) {
  PictureHost host;
  CPictureEx& picture = host.picture;
  EXPECT_FALSE(picture.LoadFromMemory(nullptr, 10));

  GifBuilder noFrames(8, 8, kPalette);
  noFrames.Application().Comment("nothing to show").Trailer();
  GifBuilder brokenFrames(8, 8, kPalette);
  // Two frames whose image data is not LZW: the loader rejects both.
  brokenFrames.Control(10, 0).Raw({0x2C, 0, 0, 0, 0, 8, 0, 8, 0, 0, 2, 3, 0xFF, 0xFF, 0xFF, 0});
  brokenFrames.Control(10, 0).Raw({0x2C, 0, 0, 0, 0, 8, 0, 8, 0, 0, 2, 3, 0xFF, 0xFF, 0xFF, 0}).Trailer();
  GifBuilder tooShort(8, 8, kPalette);
  std::vector<std::uint8_t> header(tooShort.Bytes().begin(), tooShort.Bytes().begin() + 9);
  for (const std::vector<std::uint8_t>& data :
       {noFrames.Bytes(), brokenFrames.Bytes(), header, std::vector<std::uint8_t>{'x', 'y', 'z', 1, 2, 3}}) {
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, data.size());
    std::memcpy(::GlobalLock(block), data.data(), data.size());
    ::GlobalUnlock(block);
    EXPECT_FALSE(picture.LoadFromMemory(block, static_cast<DWORD>(data.size())));
    EXPECT_FALSE(picture.Display());
    EXPECT_EQ(picture.GetFrameCount(), 0);
    ::GlobalFree(block);
  }

  // A size beyond the block is cut to the block.
  GifBuilder gif(4, 4, kPalette);
  gif.Fill(0, 0, 4, 4, 1).Fill(0, 0, 4, 4, 2).Trailer();
  HGLOBAL block = gif.ToGlobal();
  EXPECT_TRUE(picture.LoadFromMemory(block, 1u << 30));
  ::GlobalFree(block);
  EXPECT_EQ(picture.GetFrameCount(), 2);
  picture.ReleaseImage();
  EXPECT_EQ(picture.GetFrameCount(), 0);
  EXPECT_EQ(picture.GetBackground(), RGB(255, 255, 255));
  picture.StopAnimation();  // nothing plays: harmless
  picture.RedrawWindow();
}

}  // namespace
