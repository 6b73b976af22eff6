// A demo program built only from the framework's classes, run through the
// framework's entry: its window paints (double-buffered, with pens, brushes,
// a gradient, a region, a font and an image list), handles a command from its
// button and menu, counts timer ticks, saves a PNG capture of itself and
// closes cleanly.
#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include "framework/afxwin.h"
#include "gui_harness.h"

namespace {

constexpr UINT ID_DEMO_GREET = 40100;
constexpr UINT ID_DEMO_BUTTON = 40100;  // the button sends the same command
constexpr UINT_PTR kTickTimer = 7;
constexpr UINT_PTR kSafetyTimer = 8;
constexpr int kClientWidth = 420;
constexpr int kClientHeight = 260;
const COLORREF kBackground = RGB(245, 245, 245);
const COLORREF kEllipseFill = RGB(250, 210, 60);
const COLORREF kRegionFill = RGB(60, 170, 90);

struct DemoResult {
  int ticks = 0;
  int greetings = 0;
  int paints = 0;
  bool captured = false;
  bool destroyed = false;
  bool exited = false;
  int width = 0, height = 0;
  POINT clientOrigin = {0, 0};
  std::vector<DWORD> pixels;  // the capture, top-down 0x00RRGGBB
  COLORREF At(int clientX, int clientY) const {
    DWORD p = pixels[static_cast<std::size_t>(clientY + clientOrigin.y) * width + clientX + clientOrigin.x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  }
};

DemoResult g_result;

class CDemoWnd : public CWnd {
 public:
  BOOL CreateDemo() {
    CRect rect(0, 0, kClientWidth, kClientHeight);
    ::AdjustWindowRectEx(&rect, WS_OVERLAPPEDWINDOW, TRUE, 0);
    return CreateEx(0, AfxRegisterWndClass(CS_HREDRAW | CS_VREDRAW, ::LoadCursorW(nullptr, IDC_ARROW)),
                    L"Framework demo", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 60, 60, rect.Width(), rect.Height(),
                    nullptr, nullptr);
  }

 protected:
  afx_msg int OnCreate(LPCREATESTRUCT cs) {
    if (CWnd::OnCreate(cs) == -1) return -1;
    m_menu.CreateMenu();
    CMenu popup;
    popup.CreatePopupMenu();
    popup.AppendMenu(MF_STRING, ID_DEMO_GREET, L"&Greet");
    m_menu.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(popup.Detach()), L"&Demo");
    SetMenu(&m_menu);
    m_titleFont.CreatePointFont(140, L"Tahoma");
    m_textFont.CreatePointFont(90, L"Tahoma");
    MakeImages();
    m_button.Create(L"BUTTON", L"Greet", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, CRect(290, 206, 400, 236), this,
                    ID_DEMO_BUTTON);
    m_button.SetFont(&m_textFont);
    SetTimer(kTickTimer, 60);
    SetTimer(kSafetyTimer, 15000);
    return 0;
  }

  afx_msg void OnDestroy() {
    KillTimer(kTickTimer);
    KillTimer(kSafetyTimer);
    SetMenu(nullptr);
    CWnd::OnDestroy();
  }

  void PostNcDestroy() override {
    g_result.destroyed = true;
    delete this;
  }

  afx_msg BOOL OnEraseBkgnd(CDC*) { return TRUE; }

  afx_msg void OnPaint() {
    CPaintDC dc(this);
    Draw(dc);
  }

  afx_msg LRESULT OnPrintClient(CDC* pDC, UINT) {
    Draw(*pDC);
    return 0;
  }

  afx_msg void OnTimer(UINT_PTR id) {
    if (id == kSafetyTimer) {
      PostMessage(WM_CLOSE);
      return;
    }
    if (id != kTickTimer) return;
    ++g_result.ticks;
    InvalidateRect(CRect(0, 176, 280, kClientHeight), FALSE);
    if (g_result.ticks == 3) m_button.SendMessage(BM_CLICK);             // the user presses the button
    if (g_result.ticks == 4) PostMessage(WM_COMMAND, ID_DEMO_GREET);      // and chooses the menu item
    if (g_result.ticks == 6) {
      UpdateWindow();
      Capture();
      PostMessage(WM_CLOSE);
    }
  }

  afx_msg void OnGreet() {
    ++g_result.greetings;
    Invalidate(FALSE);
  }

  afx_msg void OnUpdateGreet(CCmdUI* ui) { ui->Enable(g_result.greetings < 10); }

  DECLARE_MESSAGE_MAP()

 private:
  void MakeImages() {
    m_images.Create(16, 16, ILC_COLOR32 | ILC_MASK, 2, 0);
    CClientDC screen(nullptr);
    for (COLORREF colour : {RGB(220, 40, 40), RGB(40, 40, 220)}) {
      CBitmap bitmap;
      bitmap.CreateCompatibleBitmap(&screen, 16, 16);
      CDC mem;
      mem.CreateCompatibleDC(&screen);
      CBitmap* old = mem.SelectObject(&bitmap);
      mem.FillSolidRect(0, 0, 16, 16, RGB(255, 0, 255));
      CBrush brush(colour);
      CBrush* oldBrush = mem.SelectObject(&brush);
      mem.SelectStockObject(NULL_PEN);
      mem.Ellipse(1, 1, 16, 16);
      mem.SelectObject(oldBrush);
      mem.SelectObject(old);
      m_images.Add(&bitmap, RGB(255, 0, 255));
    }
  }

  void Draw(CDC& target) {
    ++g_result.paints;
    CRect client;
    GetClientRect(&client);
    CDC dc;
    dc.CreateCompatibleDC(&target);
    CBitmap buffer;
    buffer.CreateCompatibleBitmap(&target, client.Width(), client.Height());
    CBitmap* oldBitmap = dc.SelectObject(&buffer);

    dc.FillSolidRect(client, kBackground);
    TRIVERTEX vertices[2] = {{0, 0, 0x1E00, 0x3C00, 0x8C00, 0}, {client.right, 48, 0x5A00, 0x9600, 0xE600, 0}};
    GRADIENT_RECT band = {0, 1};
    dc.GradientFill(vertices, 2, &band, 1, GRADIENT_FILL_RECT_H);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(RGB(255, 255, 255));
    CFont* oldFont = dc.SelectObject(&m_titleFont);
    CRect title(14, 0, client.right, 48);
    dc.DrawText(L"Framework demo", title, DT_SINGLELINE | DT_VCENTER | DT_LEFT);

    CPen outline(PS_SOLID, 2, RGB(200, 40, 40));
    CBrush fill(kEllipseFill);
    CPen* oldPen = dc.SelectObject(&outline);
    CBrush* oldBrush = dc.SelectObject(&fill);
    dc.Ellipse(20, 64, 120, 164);
    dc.SelectObject(oldBrush);
    dc.SelectObject(oldPen);

    CRgn region;
    region.CreateRoundRectRgn(140, 64, 260, 164, 30, 30);
    CBrush regionBrush(kRegionFill);
    CBrush frameBrush(RGB(20, 20, 20));
    dc.FillRgn(&region, &regionBrush);
    dc.FrameRgn(&region, &frameBrush, 1, 1);

    dc.Draw3dRect(280, 64, 120, 100, RGB(255, 255, 255), RGB(128, 128, 128));
    m_images.Draw(&dc, 0, CPoint(310, 100), ILD_NORMAL);
    m_images.Draw(&dc, 1, CPoint(354, 100), ILD_NORMAL);

    dc.SelectObject(&m_textFont);
    dc.SetTextColor(RGB(30, 30, 30));
    CString status;
    status.Format(L"Timer ticks: %d\nGreet command handled: %d time%s", g_result.ticks, g_result.greetings,
                  g_result.greetings == 1 ? L"" : L"s");
    CRect text(20, 180, 280, client.bottom);
    dc.DrawText(status, text, DT_LEFT | DT_TOP);

    target.BitBlt(0, 0, client.Width(), client.Height(), &dc, 0, 0, SRCCOPY);
    dc.SelectObject(oldFont);
    dc.SelectObject(oldBitmap);
  }

  // Copies the whole window as shown (frame, menu, button) into a 32-bit
  // bitmap and saves it as a PNG. (PrintWindow would be the other way, but
  // under Wine it leaves out the frame and the child windows.)
  void Capture() {
    CRect window;
    GetWindowRect(&window);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = window.Width();
    info.bmiHeader.biHeight = -window.Height();  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    CClientDC screen(nullptr);
    CBitmap dib;
    if (!dib.Attach(::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0))) return;
    CDC mem;
    mem.CreateCompatibleDC(&screen);
    CBitmap* old = mem.SelectObject(&dib);
    {
      CWindowDC self(this);
      mem.BitBlt(0, 0, window.Width(), window.Height(), &self, 0, 0, SRCCOPY);
    }
    ::GdiFlush();
    POINT origin = {0, 0};
    ClientToScreen(&origin);
    g_result.clientOrigin = {origin.x - window.left, origin.y - window.top};
    g_result.width = window.Width();
    g_result.height = window.Height();
    const DWORD* pixels = static_cast<const DWORD*>(bits);
    g_result.pixels.assign(pixels, pixels + static_cast<std::size_t>(window.Width()) * window.Height());
    gui::Image image;
    image.width = window.Width();
    image.height = window.Height();
    image.pixels.assign(g_result.pixels.begin(), g_result.pixels.end());
    g_result.captured = gui::SavePng(image, L"fw_demo_window.png");
    mem.SelectObject(old);
  }

  CMenu m_menu;
  CFont m_titleFont;
  CFont m_textFont;
  CImageList m_images;
  CWnd m_button;
};

BEGIN_MESSAGE_MAP(CDemoWnd, CWnd)
  ON_WM_CREATE()
  ON_WM_DESTROY()
  ON_WM_ERASEBKGND()
  ON_WM_PAINT()
  ON_WM_PRINTCLIENT()
  ON_WM_TIMER()
  ON_COMMAND(ID_DEMO_GREET, &CDemoWnd::OnGreet)
  ON_UPDATE_COMMAND_UI(ID_DEMO_GREET, &CDemoWnd::OnUpdateGreet)
END_MESSAGE_MAP()

class CDemoApp : public CWinApp {
 public:
  CDemoApp() : CWinApp(L"Framework Demo") {}
  BOOL InitInstance() override {
    auto* wnd = new CDemoWnd;
    if (!wnd->CreateDemo()) return FALSE;
    m_pMainWnd = wnd;
    wnd->ShowWindow(m_nCmdShow);
    wnd->UpdateWindow();
    return TRUE;
  }
  int ExitInstance() override {
    g_result.exited = true;
    return CWinApp::ExitInstance();
  }
};

CDemoApp theApp;

TEST(DemoWindow, PaintsHandlesACommandAndATimerAndClosesCleanly) {
  wchar_t commandLine[] = L"";
  int code = AfxWinMain(::GetModuleHandleW(nullptr), nullptr, commandLine, SW_SHOWNORMAL);
  EXPECT_EQ(code, 0);
  EXPECT_TRUE(g_result.exited);
  EXPECT_TRUE(g_result.destroyed);
  EXPECT_EQ(theApp.m_pMainWnd, nullptr);
  EXPECT_EQ(g_result.ticks, 6);
  EXPECT_EQ(g_result.greetings, 2);  // once from the button, once from the menu command
  EXPECT_GT(g_result.paints, 0);
  ASSERT_TRUE(g_result.captured);
  // The capture shows what the window painted.
  EXPECT_EQ(g_result.At(10, 172), kBackground);
  EXPECT_EQ(g_result.At(70, 114), kEllipseFill);
  EXPECT_EQ(g_result.At(200, 114), kRegionFill);
  COLORREF header = g_result.At(4, 40);
  EXPECT_GT(GetBValue(header), GetRValue(header));
  int textPixels = 0;
  for (int y = 180; y < 215; ++y)
    for (int x = 20; x < 250; ++x) textPixels += GetRValue(g_result.At(x, y)) < 128;
  EXPECT_GT(textPixels, 50);
  FILE* png = _wfopen(L"fw_demo_window.png", L"rb");
  ASSERT_NE(png, nullptr);
  unsigned char signature[8] = {};
  EXPECT_EQ(fread(signature, 1, 8, png), 8u);
  fclose(png);
  EXPECT_EQ(signature[1], 'P');
}

}  // namespace
