// The drawer in a real window: markup with tables, an icon, a bitmap, links and an animated
// strip; the pointer over a link (hand cursor, hover style), clicks on a message link (received
// by the owner) and on an address link (through the test seam, no browser), strip frames on
// timer ticks, and images named by handles the owner did not register.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "canvas.h"
#include "controls/html/html_drawer.h"
#include "live_input.h"
#include "test_dialog.h"

namespace {

constexpr UINT kHotLinkMessage = WM_APP + 2;
constexpr UINT kLinkMessage = WM_APP + 1;
constexpr UINT_PTR kTimer = 1;

// Strip frames in colours nothing else in the text uses.
const COLORREF kFrameColours[] = {RGB(250, 10, 10), RGB(10, 200, 10), RGB(10, 10, 250), RGB(250, 200, 10)};

HBITMAP MakeDib(int width, int height, const std::function<DWORD(int, int)>& pixel) {
  BITMAPINFO bi = {};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = -height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP b = ::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  auto* p = static_cast<DWORD*>(bits);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) p[y * width + x] = pixel(x, y);
  return b;
}

POINT PointOf(LPARAM lp) { return POINT{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))}; }

DWORD Bgr(COLORREF c) { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); }

// A window that shows one measured text and forwards the pointer, clicks and ticks.
class MarkupWindow {
 public:
  explicit MarkupWindow(CPPHtmlDrawer& drawer) : m_drawer(drawer) {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = &MarkupWindow::Proc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = L"HtmlMarkupTestWindow";
    ::RegisterClassW(&wc);
    m_hwnd = ::CreateWindowExW(0, wc.lpszClassName, L"HTML links", WS_POPUP | WS_BORDER, 30, 30, 560, 440, nullptr,
                               nullptr, wc.hInstance, this);
    drawer.SetHotLinkTarget(m_hwnd, kHotLinkMessage, 0);
    drawer.SetMessageLinkTarget(m_hwnd, kLinkMessage, 7);
  }
  ~MarkupWindow() { ::DestroyWindow(m_hwnd); }

  void Show(const std::wstring& text) {
    HDC dc = ::GetDC(m_hwnd);
    m_size = m_drawer.MeasureMarkup(dc, text.c_str());
    ::ReleaseDC(m_hwnd, dc);
    ::ShowWindow(m_hwnd, SW_SHOWNOACTIVATE);
    ::UpdateWindow(m_hwnd);
  }
  HWND hwnd() const { return m_hwnd; }

  std::vector<std::pair<std::wstring, LPARAM>> received;
  std::vector<int> hotNotes;
  int repaints = 0;

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE)
      ::SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams));
    auto* self = reinterpret_cast<MarkupWindow*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) return ::DefWindowProcW(hwnd, msg, wp, lp);
    switch (msg) {
      case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = ::BeginPaint(hwnd, &ps);
        self->m_drawer.PaintMeasuredMarkup(dc, RECT{10, 10, 10 + self->m_size.cx, 10 + self->m_size.cy});
        ++self->repaints;
        ::EndPaint(hwnd, &ps);
        return 0;
      }
      case WM_SETCURSOR:
        if (LOWORD(lp) == HTCLIENT) {
          POINT p;
          ::GetCursorPos(&p);
          ::ScreenToClient(hwnd, &p);
          if (self->m_drawer.HoverAt(p)) return TRUE;
        }
        break;
      case WM_MOUSEMOVE:
        self->m_drawer.HoverAt(PointOf(lp));
        return 0;
      case WM_LBUTTONUP:
        self->m_drawer.ClickAt(PointOf(lp));
        return 0;
      case WM_TIMER:
        if (wp == kTimer && self->m_drawer.AdvanceAnimations()) ::InvalidateRect(hwnd, nullptr, FALSE);
        return 0;
      case kHotLinkMessage:
        self->hotNotes.push_back(static_cast<int>(wp));
        ::InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
      case kLinkMessage:
        self->received.emplace_back(reinterpret_cast<const wchar_t*>(wp), lp);
        return 0;
      default:
        break;
    }
    return ::DefWindowProcW(hwnd, msg, wp, lp);
  }

  CPPHtmlDrawer& m_drawer;
  HWND m_hwnd = nullptr;
  CSize m_size;
};

POINT Centre(const html::LinkArea& a) { return POINT{(a.rect.left + a.rect.right) / 2, (a.rect.top + a.rect.bottom) / 2}; }

int CountColour(const gui::Image& image, COLORREF colour) {
  int n = 0;
  for (std::uint32_t p : image.pixels) n += (p & 0xFFFFFF) == Bgr(colour);
  return n;
}

class HtmlLinks : public ::testing::Test {
 protected:
  void SetUp() override {
    CPPHtmlDrawer::SetAddressOpener([this](const std::wstring& address) {
      opened.push_back(address);
      return true;
    });
  }
  void TearDown() override { CPPHtmlDrawer::SetAddressOpener(nullptr); }
  std::vector<std::wstring> opened;
};

TEST_F(HtmlLinks, WindowWithTablesImagesLinksAndAnAnimatedStrip) {
  CPPHtmlDrawer drawer;
  HICON icon = ::LoadIcon(nullptr, IDI_INFORMATION);
  HBITMAP card = MakeDib(24, 24, [](int x, int y) {
    const int d = (x - 12) * (x - 12) + (y - 12) * (y - 12);
    return d < 81 ? 0x002050D0u : d < 121 ? 0x00FFFFFFu : 0x00E8E8E8u;
  });
  HBITMAP strip = MakeDib(64, 16, [](int x, int) { return Bgr(kFrameColours[x / 16]); });
  wchar_t text[2048];
  std::swprintf(
      text, 2048,
      L"<h2>Links, tables and images</h2><br>"
      L"<table border=1 cellpadding=4 bordercolor=steelblue bgcolor=#f4f8ff><tr><td><icon handle=0x%X></td>"
      L"<td valign=middle><font face=Tahoma>A one-row table with an icon,<br>as the message box lays it out."
      L"</font></td></tr></table>"
      L"<right>%ls</right><br>"
      L"<table border=2 cellspacing=2 bordercolor=gray><tr><td rowspan=2 bgcolor=#e0ffe0>two<br>rows</td>"
      L"<td>a &amp; b</td><td>&copy; &euro; &trade;</td></tr>"
      L"<tr><td colspan=2 align=center bgeffect=vgradient bgcolor=#ffffff bgendcolor=#a0c0ff>two columns</td></tr>"
      L"</table>"
      L"A card <bmp handle=0x%X> and a strip <ilst handle=0x%X cx=16 speed=1> [<bmp handle=0xDEAD>]<br>"
      L"Click <a msg=showme>this message link</a> or <a href='http://example.test/page'>this address</a>.",
      drawer.RegisterIcon(icon), L"right-aligned, as a tooltip writes it", drawer.RegisterBitmap(card),
      drawer.RegisterBitmap(strip));
  MarkupWindow window(drawer);
  window.Show(text);
  ctltest::Pump(100);

  // Two links; an unregistered handle showed nothing ("[]" stays together).
  const auto& links = drawer.Renderer().Links();
  ASSERT_EQ(links.size(), 2u);
  EXPECT_EQ(links[0].kind, html::kMessageLink);
  EXPECT_EQ(links[1].kind, html::kAddressLink);
  ASSERT_EQ(drawer.Renderer().Tables().size(), 2u);
  EXPECT_EQ(drawer.Renderer().Tables()[1].columnWidths.size(), 3u);
  const gui::Image before = ctltest::Capture(window.hwnd());
  ASSERT_FALSE(before.Empty());
  EXPECT_GT(CountColour(before, kFrameColours[0]), 200);  // the strip's first frame
  EXPECT_GT(CountColour(before, RGB(0x20, 0x50, 0xD0)), 50);  // the card's disc
  EXPECT_FALSE(gui::SaveCapture(before, L"html_links_window").empty());

  // The pointer over the message link: hot link 0, hand cursor, hover style.
  const POINT messageLink = Centre(links[0]);
  const POINT addressLink = Centre(links[1]);
  live::MoveTo(window.hwnd(), messageLink);
  EXPECT_TRUE(live::PumpUntil([&] { return drawer.HotLink() == 0; }, 2000));
  EXPECT_TRUE(live::PumpUntil([&] { return ::GetCursor() == drawer.HandCursor(); }, 2000));
  ASSERT_FALSE(window.hotNotes.empty());
  EXPECT_EQ(window.hotNotes.back(), 0);
  ctltest::Pump(100);
  const gui::Image hovered = ctltest::Capture(window.hwnd());
  EXPECT_FALSE(gui::SaveCapture(hovered, L"html_links_hover").empty());
  const RECT area = {links[0].rect.left, links[0].rect.top, links[0].rect.right + 1, links[0].rect.bottom + 2};
  EXPECT_GT(gui::CountDifferentPixels(before, hovered, area), 10);  // underlined now

  // A click on it reaches the owner with the target and the owner's lParam.
  live::Click(window.hwnd(), messageLink);
  EXPECT_TRUE(live::PumpUntil([&] { return !window.received.empty(); }, 2000));
  ASSERT_EQ(window.received.size(), 1u);
  EXPECT_EQ(window.received[0].first, L"showme");
  EXPECT_EQ(window.received[0].second, 7);

  // The address link goes to the shell (the seam here), once, with the target as it is.
  live::Click(window.hwnd(), addressLink);
  EXPECT_TRUE(live::PumpUntil([&] { return !opened.empty(); }, 2000));
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0], L"http://example.test/page");
  EXPECT_EQ(drawer.HotLink(), 1);

  // Off the links the hot link is none again and the arrow comes back.
  live::MoveTo(window.hwnd(), POINT{500, 400});
  EXPECT_TRUE(live::PumpUntil([&] { return drawer.HotLink() == -2; }, 2000));
  EXPECT_EQ(window.hotNotes.back(), -2);

  // Timer ticks move the strip frame by frame, and wrap.
  for (int tick = 1; tick <= 5; ++tick) {
    ::SendMessageW(window.hwnd(), WM_TIMER, kTimer, 0);
    ::UpdateWindow(window.hwnd());
    const gui::Image frame = ctltest::Capture(window.hwnd());
    const int shown = tick % 4;
    EXPECT_GT(CountColour(frame, kFrameColours[shown]), 200) << "tick " << tick;
    EXPECT_EQ(CountColour(frame, kFrameColours[(shown + 1) % 4]), 0) << "tick " << tick;
  }
  // The owner's own timer drives it as well.
  const int frameBefore = drawer.Renderer().Animations().at(0).frame;
  ::SetTimer(window.hwnd(), kTimer, 20, nullptr);
  EXPECT_TRUE(live::PumpUntil([&] { return drawer.Renderer().Animations().at(0).frame != frameBefore; }, 3000));
  ::KillTimer(window.hwnd(), kTimer);

  ::DeleteObject(card);
  ::DeleteObject(strip);
}

TEST_F(HtmlLinks, OnlyAddressesReachTheShell) {
  const struct {
    const wchar_t* target;
    bool address;
  } kCases[] = {
      {L"http://example.test/", true},
      {L"HTTPS://example.test/a?b=c&d", true},
      {L"mailto:someone@example.test", true},
      {L"ftp://example.test/file", true},
      {L"http://", false},
      {L"file:///c:/windows/system32/calc.exe", false},
      {L"c:\\windows\\system32\\cmd.exe", false},
      {L"calc.exe", false},
      {L"http://x.test/\" & calc", false},
      {L"http://x.test/\nsecond", false},
      {L"", false},
  };
  for (const auto& k : kCases) {
    opened.clear();
    EXPECT_EQ(CPPHtmlDrawer::IsAddress(k.target), k.address) << k.target;
    EXPECT_EQ(CPPHtmlDrawer::OpenAddress(k.target), k.address) << k.target;
    EXPECT_EQ(opened.size(), k.address ? 1u : 0u) << k.target;
  }
  // A long address is passed whole (no fixed buffer).
  const std::wstring longAddress = L"http://example.test/" + std::wstring(4000, L'a');
  opened.clear();
  EXPECT_TRUE(CPPHtmlDrawer::OpenAddress(longAddress));
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0], longAddress);
}

TEST_F(HtmlLinks, ClicksOnLinksWithoutTargetsOrOwnersDoNothing) {
  ctltest::Canvas c(300, 40, RGB(255, 255, 255));
  CPPHtmlDrawer drawer;
  const CSize s = drawer.MeasureMarkup(c.dc()->m_hDC, L"<a>empty</a> <a msg=m>message</a> <a href='calc.exe'>file</a>");
  drawer.PaintMeasuredMarkup(c.dc()->m_hDC, RECT{0, 0, s.cx, s.cy});
  const auto links = drawer.Renderer().Links();
  ASSERT_EQ(links.size(), 3u);
  // An empty target highlights but gives no hand.
  EXPECT_FALSE(drawer.HoverAt(Centre(links[0])));
  EXPECT_EQ(drawer.HotLink(), 0);
  EXPECT_TRUE(drawer.HoverAt(Centre(links[1])));
  for (const auto& link : links) drawer.ClickAt(Centre(link));  // no message target set, no address
  EXPECT_TRUE(opened.empty());
  EXPECT_FALSE(drawer.HoverAt(POINT{-5, -5}));
  EXPECT_EQ(drawer.HotLink(), -2);
}

TEST_F(HtmlLinks, RegisteredHandlesOnly) {
  ctltest::Canvas c(100, 60, RGB(255, 255, 255));
  CPPHtmlDrawer drawer;
  HBITMAP red = MakeDib(20, 20, [](int, int) { return 0x00FF0000u; });
  wchar_t text[128];
  const std::uint32_t number = drawer.RegisterBitmap(red);
  std::swprintf(text, 128, L"<bmp handle=0x%X>", number);
  EXPECT_EQ(drawer.MeasureMarkup(c.dc()->m_hDC, text).cx, 21);
  drawer.UnregisterHandle(number);
  EXPECT_EQ(drawer.MeasureMarkup(c.dc()->m_hDC, text).cx, 0);
  // Numbers that are not registered, whatever they are, are never used as handles.
  for (const wchar_t* t : {L"<bmp handle=1>", L"<icon handle=0xFFFFFFFF>", L"<ilst handle=12345 speed=1>",
                           L"<bmp handle=-1>"})
    EXPECT_EQ(drawer.MeasureMarkup(c.dc()->m_hDC, t).cx, 0) << t;
  ::DeleteObject(red);
}

}  // namespace
