#include "controls/splash_screen_ex.h"

#include <cstring>
#include <vector>

IMPLEMENT_DYNAMIC(CSplashScreenEx, CWnd)

BEGIN_MESSAGE_MAP(CSplashScreenEx, CWnd)
  ON_WM_TIMER()
  ON_WM_PAINT()
  ON_WM_PRINTCLIENT()
  ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

namespace {

constexpr UINT_PTR kHideTimer = 0;

}  // namespace

CSplashScreenEx::CSplashScreenEx() {
  if (HMODULE user = ::GetModuleHandleW(L"USER32.DLL"))
    // The generic function type in between keeps the cast between function types.
    m_animateWindow = reinterpret_cast<AnimateWindowFn>(
        reinterpret_cast<void (*)()>(::GetProcAddress(user, "AnimateWindow")));
  LOGFONTW lf = {};
  if (::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf)) m_font.CreateFontIndirect(&lf);
}

CSplashScreenEx::~CSplashScreenEx() {
  if (m_hWnd != nullptr) DestroyWindow();
}

BOOL CSplashScreenEx::RegisterSplashClass() {
  WNDCLASSW wc = {};
  wc.style = CS_DBLCLKS | CS_SAVEBITS | ((m_style & kSplashDropShadow) ? CS_DROPSHADOW : 0);
  wc.lpfnWndProc = AfxGetAfxWndProc();
  wc.hInstance = AfxGetInstanceHandle();
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = ::GetSysColorBrush(COLOR_WINDOW);
  wc.lpszClassName = kSplashWindowClass;
  if (::RegisterClassW(&wc)) return TRUE;
  // A later splash of the same run finds the class of the first one: use it.
  if (::GetLastError() == ERROR_CLASS_ALREADY_EXISTS) return TRUE;
  if (m_style & kSplashDropShadow) {
    // Systems without drop shadows reject the class style: register without it.
    wc.style &= ~CS_DROPSHADOW;
    ::RegisterClassW(&wc);
    return TRUE;
  }
  return FALSE;
}

BOOL CSplashScreenEx::Create(CWnd* parent, int timeoutMs, DWORD style) {
  m_parent = parent;
  m_timeout = timeoutMs;
  m_style = style;
  m_text.Empty();
  if (!RegisterSplashClass()) return FALSE;
  if (!CreateEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kSplashWindowClass, nullptr, WS_POPUP, 0, 0, 0, 0,
                parent ? parent->GetSafeHwnd() : nullptr, nullptr))
    return FALSE;
  m_created = TRUE;
  SetCapture();
  return TRUE;
}

HRGN CSplashScreenEx::BuildShapeRegion(HBITMAP bitmap) {
  BITMAP info = {};
  if (bitmap == nullptr || !::GetObjectW(bitmap, sizeof(info), &info) || info.bmWidth <= 0 || info.bmHeight <= 0)
    return nullptr;
  const int w = info.bmWidth;
  const int h = info.bmHeight;

  // Read the pixels once as 32-bit top-down rows.
  BITMAPINFO bi = {};
  bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = -h;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  std::vector<DWORD> pixels(static_cast<size_t>(w) * h);
  HDC screen = ::GetDC(nullptr);
  const int rows = ::GetDIBits(screen, bitmap, 0, h, pixels.data(), &bi, DIB_RGB_COLORS);
  ::ReleaseDC(nullptr, screen);
  if (rows != h) return nullptr;

  constexpr DWORD kKey = 0xFF00FF;  // magenta as 0x00RRGGBB
  std::vector<RECT> runs;
  runs.reserve(40);
  for (int y = h - 1; y >= 0; --y) {
    const DWORD* row = &pixels[static_cast<size_t>(y) * w];
    int x = 0;
    while (x < w) {
      while (x < w && (row[x] & 0xFFFFFF) == kKey) ++x;
      if (x >= w) break;
      const int start = x;
      while (x < w && (row[x] & 0xFFFFFF) != kKey) ++x;
      runs.push_back(RECT{start, y, x, y + 1});
    }
  }

  std::vector<BYTE> data(sizeof(RGNDATAHEADER) + runs.size() * sizeof(RECT));
  auto* header = reinterpret_cast<RGNDATAHEADER*>(data.data());
  header->dwSize = sizeof(RGNDATAHEADER);
  header->iType = RDH_RECTANGLES;
  header->nCount = static_cast<DWORD>(runs.size());
  header->nRgnSize = static_cast<DWORD>(runs.size() * sizeof(RECT));
  header->rcBound = RECT{0, 0, w, h};
  if (!runs.empty()) std::memcpy(data.data() + sizeof(RGNDATAHEADER), runs.data(), runs.size() * sizeof(RECT));
  return ::ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()), reinterpret_cast<const RGNDATA*>(data.data()));
}

BOOL CSplashScreenEx::SetBitmap(UINT bitmapId) {
  m_bitmap.DeleteObject();
  if (!m_bitmap.LoadBitmap(bitmapId)) return FALSE;
  BITMAP info = {};
  m_bitmap.GetBitmap(&info);
  m_bitmapWidth = info.bmWidth;
  m_bitmapHeight = info.bmHeight;
  m_textRect.SetRect(0, 0, m_bitmapWidth, m_bitmapHeight);

  if (m_style & kSplashCenterParent) {
    CRect area;
    ::GetWindowRect(m_parent ? m_parent->GetSafeHwnd() : ::GetDesktopWindow(), &area);
    m_x = area.left + (area.Width() - m_bitmapWidth) / 2;
    m_y = area.top + (area.Height() - m_bitmapHeight) / 2;
  } else if (m_style & kSplashCenterScreen) {
    m_x = (::GetSystemMetrics(SM_CXSCREEN) - m_bitmapWidth) / 2;
    m_y = (::GetSystemMetrics(SM_CYSCREEN) - m_bitmapHeight) / 2;
  }

  if (m_hWnd != nullptr) {
    if (HRGN region = BuildShapeRegion(m_bitmap)) {
      if (!SetWindowRgn(region, TRUE)) ::DeleteObject(region);
    }
  }
  return TRUE;
}

void CSplashScreenEx::Show() {
  if (m_hWnd == nullptr) return;
  SetWindowPos(nullptr, m_x, m_y, m_bitmapWidth, m_bitmapHeight, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
  // Activated either way, so that with kSplashCloseOnInput its keys come to it.
  if ((m_style & kSplashFadeIn) && m_animateWindow != nullptr)
    m_animateWindow(m_hWnd, 1, AW_BLEND | AW_ACTIVATE);
  else
    ShowWindow(SW_SHOW);
  if (m_timeout != 0) SetTimer(kHideTimer, static_cast<UINT>(m_timeout));
}

void CSplashScreenEx::Hide() {
  if (m_hWnd == nullptr) return;
  if ((m_style & kSplashFadeOut) && m_animateWindow != nullptr)
    m_animateWindow(m_hWnd, 200, AW_BLEND | AW_HIDE);
  else
    ShowWindow(SW_HIDE);
  DestroyWindow();
}

BOOL CSplashScreenEx::PreTranslateMessage(MSG* pMsg) {
  if (m_style & kSplashCloseOnInput) {
    switch (pMsg->message) {
      case WM_LBUTTONDOWN:
      case WM_RBUTTONDOWN:
      case WM_MBUTTONDOWN:
      case WM_NCLBUTTONDOWN:
      case WM_NCRBUTTONDOWN:
      case WM_NCMBUTTONDOWN:
      case WM_KEYDOWN:
      case WM_SYSKEYDOWN:
        Hide();
        return TRUE;
      default:
        break;
    }
  }
  return CWnd::PreTranslateMessage(pMsg);
}

void CSplashScreenEx::PaintContent(CDC* pDC) {
  CDC memory;
  if (m_bitmap.GetSafeHandle() != nullptr && memory.CreateCompatibleDC(pDC)) {
    CBitmap* old = memory.SelectObject(&m_bitmap);
    pDC->BitBlt(0, 0, m_bitmapWidth, m_bitmapHeight, &memory, 0, 0, SRCCOPY);
    memory.SelectObject(old);
  }
  CFont* oldFont = m_font.GetSafeHandle() ? pDC->SelectObject(&m_font) : nullptr;
  pDC->SetBkMode(TRANSPARENT);
  pDC->SetTextColor(m_textColor);
  CRect textRect = m_textRect;
  pDC->DrawText(m_text, &textRect, m_textFormat);
  if (oldFont != nullptr) pDC->SelectObject(oldFont);
}

void CSplashScreenEx::OnTimer(UINT_PTR nIDEvent) {
  if (nIDEvent != kHideTimer) {
    CWnd::OnTimer(nIDEvent);
    return;
  }
  KillTimer(kHideTimer);
  Hide();
}

void CSplashScreenEx::OnPaint() {
  CPaintDC dc(this);
  PaintContent(&dc);
}

LRESULT CSplashScreenEx::OnPrintClient(CDC* pDC, UINT) {
  if (pDC != nullptr) PaintContent(pDC);
  return TRUE;
}

BOOL CSplashScreenEx::OnEraseBkgnd(CDC*) { return TRUE; }

void CSplashScreenEx::PostNcDestroy() {
  if (!m_created) return;  // a failed creation: the caller still owns the object
  m_created = FALSE;
  if (m_autoDelete) delete this;
}
