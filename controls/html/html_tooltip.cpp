#include "controls/html/html_tooltip.h"

#include <algorithm>
#include <cwctype>

#include "controls/html/markup_escape.h"

namespace {

constexpr wchar_t kClassName[] = L"CPPToolTip";

void RegisterTipClass() {
  HINSTANCE instance = AfxGetInstanceHandle();
  WNDCLASSW wc = {};
  if (::GetClassInfoW(instance, kClassName, &wc)) return;
  wc.style = CS_SAVEBITS;
  wc.lpfnWndProc = ::DefWindowProcW;
  wc.hInstance = instance;
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = kClassName;
  if (!AfxRegisterClass(&wc)) AfxThrowResourceException();
}

UINT Group(UINT direction) { return direction & 0xF0; }
UINT Variant(UINT direction) { return direction & 0x0F; }
bool TailVertical(UINT direction) { return Group(direction) == 0x00 || Group(direction) == 0x10; }

// A selected bitmap in a memory device context, put back and freed with the object.
class MemoryDC {
 public:
  MemoryDC(HDC like, HBITMAP bitmap) : m_dc(::CreateCompatibleDC(like)) {
    if (m_dc && bitmap) m_old = ::SelectObject(m_dc, bitmap);
  }
  ~MemoryDC() {
    if (!m_dc) return;
    if (m_old) ::SelectObject(m_dc, m_old);
    ::DeleteDC(m_dc);
  }
  MemoryDC(const MemoryDC&) = delete;
  MemoryDC& operator=(const MemoryDC&) = delete;
  HDC dc() const { return m_dc; }
  explicit operator bool() const { return m_dc && m_old; }

 private:
  HDC m_dc;
  HGDIOBJ m_old = nullptr;
};

// A value of the window description: no markup of its own, long ones cut.
CString DescriptionValue(CString value) {
  value.Replace(L"<", L"?");
  if (value.GetLength() > 25) value = value.Left(21) + L" ...";
  const std::wstring escaped = html::EscapeText(std::wstring_view(value.GetString(), value.GetLength()));
  return CString(escaped.c_str());
}

void AddRow(CString& html, LPCTSTR name, const CString& value) {
  html.AppendFormat(L"<tr><td width=70 bgcolor=buttonface>%s</td><td width=130 bgcolor=window>%s</td></tr>", name,
                    DescriptionValue(value).GetString());
}

CString ClassOf(HWND window) {
  wchar_t name[256] = {};
  ::GetClassNameW(window, name, 256);
  return name;
}

CString TitleOf(HWND window) {
  wchar_t title[256] = {};
  ::GetWindowTextW(window, title, 256);
  return title;
}

CString Format(LPCTSTR format, long long value) {
  CString text;
  text.Format(format, value);
  return text;
}

}  // namespace

BEGIN_MESSAGE_MAP(CPPToolTip, CWnd)
  ON_WM_PAINT()
  ON_WM_ERASEBKGND()
  ON_WM_TIMER()
  ON_WM_SETCURSOR()
  ON_WM_ACTIVATEAPP()
  ON_MESSAGE(CPPToolTip::kHotLinkMessage, &CPPToolTip::OnHotLink)
END_MESSAGE_MAP()

CPPToolTip::CPPToolTip() {
  const COLORREF back = ::GetSysColor(COLOR_INFOBK);
  m_defaults.beginColour = m_defaults.midColour = m_defaults.endColour = back;
  m_defaults.direction = TIPD_ABOVE_TAIL_LEFT;
  m_borderBrush.CreateSolidBrush(::GetSysColor(COLOR_INFOTEXT));
}

CPPToolTip::~CPPToolTip() {
  if (GetSafeHwnd()) DestroyWindow();
  FreeShowResources();
}

BOOL CPPToolTip::Create(CWnd* parent) {
  RegisterTipClass();
  if (!CreateEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kClassName, nullptr, WS_POPUP, 0, 0, 0, 0,
                parent ? parent->GetSafeHwnd() : nullptr, nullptr))
    return FALSE;
  m_parent = parent;
  m_drawer.SetHotLinkTarget(m_hWnd, kHotLinkMessage, 0);
  SetTimer(kAnimationTimer, 100);
  return TRUE;
}

void CPPToolTip::SetUpForDialog(CWnd* parent, int maxWidth, UINT initialDelay, UINT autoHideDelay) {
  m_notifyWnd = parent ? parent->GetSafeHwnd() : nullptr;
  m_drawer.SetMaxWidth(maxWidth);
  m_defaults.effect = CPPDrawManager::kVGradient;
  m_defaults.granularity = 5;
  m_defaults.beginColour = RGB(255, 255, 255);
  m_defaults.midColour = RGB(255, 255, 255);
  m_defaults.endColour = RGB(227, 227, 237);
  m_initialDelay = initialDelay;
  m_autoHideDelay = autoHideDelay;
}

BOOL CPPToolTip::DestroyWindow() {
  HideNow();
  if (m_hWnd) KillTimer(kAnimationTimer);
  return CWnd::DestroyWindow();
}

BOOL CPPToolTip::PreTranslateMessage(MSG* msg) {
  RelayEvent(msg);
  return CWnd::PreTranslateMessage(msg);
}

// --- Tools ---------------------------------------------------------------------------------

void CPPToolTip::AddTool(CWnd* window, const PPToolInfo& tool) { AddTool(window ? window->GetSafeHwnd() : nullptr, tool); }

void CPPToolTip::AddTool(HWND window, const PPToolInfo& tool) {
  auto entry = std::find_if(m_tools.begin(), m_tools.end(), [&](const auto& e) { return e.first == window; });
  if (entry == m_tools.end()) {
    m_tools.emplace_back(window, ToolList{tool});
    return;
  }
  for (PPToolInfo& existing : entry->second)
    if (existing.rect == tool.rect) {
      existing = tool;
      return;
    }
  entry->second.push_back(tool);
}

void CPPToolTip::RemoveAllTools() {
  HideNow();
  ForgetCurrentTool();
  m_hasPending = false;
  m_tools.clear();
}

size_t CPPToolTip::ToolCount(HWND window) const {
  for (const auto& e : m_tools)
    if (e.first == window) return e.second.size();
  return 0;
}

bool CPPToolTip::FindTool(POINT screen, HWND& window, PPToolInfo& tool) const {
  HWND under = ::WindowFromPoint(screen);
  if (!under) return false;
  HWND parent = ::GetParent(under);
  if (!parent) return false;
  HWND toolWnd = nullptr;
  wchar_t className[16] = {};
  ::GetClassNameW(parent, className, 9);  // eight characters and the terminator
  if ((::GetWindowLongW(parent, GWL_STYLE) & 0x0F) == CBS_DROPDOWN && _wcsicmp(className, L"combobox") == 0) {
    // The edit field of a drop-down combo box belongs to the combo box's tool.
    toolWnd = parent;
  } else {
    POINT client = screen;
    ::ScreenToClient(under, &client);
    // Hidden children are skipped: a layout may hide controls that still have tools.
    toolWnd = ::ChildWindowFromPointEx(under, client, CWP_SKIPINVISIBLE);
    if (!toolWnd || !::IsWindowEnabled(toolWnd)) return false;
  }
  const auto entry = std::find_if(m_tools.begin(), m_tools.end(), [&](const auto& e) { return e.first == toolWnd; });
  if (entry == m_tools.end() || entry->second.empty()) return false;
  const ToolList& list = entry->second;
  if (list.size() == 1 && list.front().rect.IsRectEmpty()) {
    window = toolWnd;
    tool = list.front();
    return true;
  }
  POINT client = screen;
  ::ScreenToClient(toolWnd, &client);
  for (const PPToolInfo& t : list)
    if (t.rect.PtInRect(client)) {
      window = toolWnd;
      tool = t;
      return true;
    }
  return false;
}

// --- Relayed messages ----------------------------------------------------------------------

void CPPToolTip::RelayEvent(MSG* msg) {
  if (!msg || !m_hWnd || !::IsWindow(m_hWnd)) return;
  switch (msg->message) {
    case WM_MOUSEMOVE: {
      POINT screen = {static_cast<short>(LOWORD(msg->lParam)), static_cast<short>(HIWORD(msg->lParam))};
      if (msg->hwnd) ::ClientToScreen(msg->hwnd, &screen);
      MouseMoved(screen, msg->hwnd);
      break;
    }
    case WM_LBUTTONDOWN: {
      POINT screen = {static_cast<short>(LOWORD(msg->lParam)), static_cast<short>(HIWORD(msg->lParam))};
      if (msg->hwnd) ::ClientToScreen(msg->hwnd, &screen);
      if (OverVisibleTip(screen)) {
        POINT client = screen;
        ::ScreenToClient(m_hWnd, &client);
        m_drawer.ClickAt(client);
      }
      HideNow();
      break;
    }
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
    case WM_MOUSEWHEEL:
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONDBLCLK:
    case WM_NCMBUTTONDOWN:
    case WM_NCMBUTTONDBLCLK:
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      HideNow();
      break;
    default:
      break;
  }
}

bool CPPToolTip::OverVisibleTip(POINT screen) const {
  return m_hWnd && ::IsWindowVisible(m_hWnd) && ::WindowFromPoint(screen) == m_hWnd;
}

void CPPToolTip::MouseMoved(POINT screen, HWND) {
  if (m_lastPos == CPoint(screen)) return;
  m_lastPos = screen;

  if (m_windowInfoMode) {
    ForgetCurrentTool();
    HWND under = ::WindowFromPoint(screen);
    PPToolInfo info;
    info.text = DescribeWindow(under, screen, under && ToolCount(under) > 0);
    PrepareTool(m_hWnd, info);
    return;
  }

  if (m_state != kHidden && OverVisibleTip(screen) && !(m_current.behaviour & TIPB_FOLLOW)) {
    if (m_current.behaviour & TIPB_STAY_OVER_TIP)
      StartAutoHide();
    else
      StartHiding();
    return;
  }

  HWND toolWnd = nullptr;
  PPToolInfo tool;
  if (!FindTool(screen, toolWnd, tool)) {
    ForgetCurrentTool();
    // A tool waiting for the tip to fade out is not shown away from its window either.
    m_pendingShow = false;
    m_hasPending = false;
    KillTimer(kShowTimer);
    StartHiding();
    return;
  }
  if (m_hasCurrent && toolWnd == m_currentWnd && tool.rect == m_current.rect) {
    const bool visible = m_state == kFadingIn || m_state == kShown;
    if (m_current.behaviour & TIPB_FOLLOW) {
      if (visible) {
        StartAutoHide();
        SetWindowPos(nullptr, screen.x, screen.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      }
    } else if (m_current.behaviour & TIPB_STAY_INSIDE) {
      if (visible) StartAutoHide();
    } else if (!(m_current.behaviour & TIPB_RESHOW)) {
      StartHiding();
    } else {
      PrepareTool(toolWnd, tool);
    }
    return;
  }
  PrepareTool(toolWnd, tool);
}

void CPPToolTip::PrepareTool(HWND window, const PPToolInfo& tool) {
  m_pendingShow = false;
  if (m_state == kFadingIn || m_state == kShown) StartHiding();
  m_pendingWnd = window;
  m_pending = tool;
  m_hasPending = true;
  if (m_state != kHidden) {
    // The tip still fades out: show the new tool when it has gone.
    m_pendingShow = true;
    m_restartDelay = m_initialDelay != 0;
  } else if (m_initialDelay != 0) {
    SetTimer(kShowTimer, m_initialDelay);
  } else {
    ShowStep();
  }
}

// --- Showing and hiding --------------------------------------------------------------------

void CPPToolTip::ShowStep() {
  KillTimer(kShowTimer);
  POINT cursor = {};
  ::GetCursorPos(&cursor);
  if (CPoint(cursor) != m_lastPos) {
    if (m_state == kFadingIn || m_state == kShown) StartHiding();
    return;
  }
  if (m_state != kHidden || !m_hasPending) return;
  m_state = kFadingIn;
  if (!ShowAt(m_lastPos)) {
    m_state = kHidden;
    return;
  }
  if (m_fadeInEnabled && m_fadeInStep != 0) {
    SetTimer(kFadeInTimer, m_fadeInStep);
  } else {
    m_state = kShown;
    StartAutoHide();
  }
}

void CPPToolTip::StartAutoHide() {
  const PPToolInfo& shown = m_hasCurrent ? m_current : m_pending;
  if (shown.behaviour & TIPB_NO_AUTOHIDE) return;
  if (m_autoHideDelay != 0) SetTimer(kHideTimer, m_autoHideDelay);
}

void CPPToolTip::StartHiding() {
  if (!m_hWnd) return;
  KillTimer(kShowTimer);
  KillTimer(kHideTimer);
  KillTimer(kFadeInTimer);
  if (m_state == kHidden || m_state == kHiding) return;
  m_state = kHiding;
  if (m_fadeOutEnabled && m_fadeOutStep != 0) {
    SetTimer(kFadeOutTimer, m_fadeOutStep);
  } else {
    m_transparency = 100;
    FadeOutEnded();
  }
}

void CPPToolTip::FadeOutEnded() {
  KillTimer(kFadeOutTimer);
  if (m_hasCurrent && (m_current.behaviour & TIPB_RESHOW)) ForgetCurrentTool();
  ShowWindow(SW_HIDE);
  m_state = kHidden;
  if (!m_pendingShow) return;
  m_pendingShow = false;
  if (m_restartDelay)
    SetTimer(kShowTimer, m_initialDelay);
  else
    ShowStep();
}

void CPPToolTip::HideNow() {
  if (!m_hWnd) return;
  for (UINT_PTR id = kShowTimer; id <= kFadeOutTimer; ++id) KillTimer(id);
  m_state = kHidden;
  if (m_hasCurrent && (m_current.behaviour & TIPB_RESHOW)) ForgetCurrentTool();
  if (IsWindowVisible()) ShowWindow(SW_HIDE);
}

void CPPToolTip::ForgetCurrentTool() {
  m_hasCurrent = false;
  m_currentWnd = nullptr;
  m_current = PPToolInfo();
}

void CPPToolTip::FillDefaults(PPToolInfo& tool) const {
  if (!(tool.mask & TIPM_STYLE)) tool.style = m_defaults.style;
  if (!(tool.mask & TIPM_EFFECT)) {
    tool.effect = m_defaults.effect;
    tool.granularity = m_defaults.granularity;
  }
  if (!(tool.mask & TIPM_COLOURS)) {
    tool.beginColour = m_defaults.beginColour;
    tool.midColour = m_defaults.midColour;
    tool.endColour = m_defaults.endColour;
  }
  if (!(tool.mask & TIPM_DIRECTION)) tool.direction = m_defaults.direction;
  if (!(tool.mask & TIPM_BEHAVIOUR)) tool.behaviour = m_defaults.behaviour;
  if (!(tool.mask & TIPM_TRANSPARENCY)) tool.transparency = m_defaults.transparency;
  tool.transparency = std::min<BYTE>(tool.transparency, 100);
}

bool CPPToolTip::ShowAt(POINT screen) {
  FillDefaults(m_pending);
  if (m_notifyWnd && m_hWnd) {
    POINT point = screen;
    PPToolTipShowing note = {};
    note.hdr.hwndFrom = m_hWnd;
    note.hdr.idFrom = static_cast<UINT_PTR>(::GetDlgCtrlID(m_hWnd));
    note.hdr.code = TIPN_SHOWING;
    note.toolWnd = m_pendingWnd;
    note.point = &point;
    note.tool = &m_pending;
    ::SendMessageW(m_notifyWnd, WM_NOTIFY, note.hdr.idFrom, reinterpret_cast<LPARAM>(&note));
    if (!m_hWnd) return false;
  }
  if (m_pending.text.IsEmpty()) return false;

  HDC windowDC = ::GetDC(m_hWnd);
  const CSize textSize = m_drawer.MeasureMarkup(windowDC, m_pending.text);
  ::ReleaseDC(m_hWnd, windowDC);
  // Markup that draws nothing gets no empty balloon either.
  if (textSize.cx <= 0 && textSize.cy <= 0) return false;

  const CSize screenSize(::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
  m_placement = Place(m_pending.direction, screen, textSize, screenSize);
  const CPoint topLeft(screen.x - m_placement.anchor.x, screen.y - m_placement.anchor.y);

  FreeShowResources();
  BuildBalloon();
  m_transparency = m_fadeInEnabled && m_fadeInStep != 0 ? 100 : m_pending.transparency;

  m_windowSize = m_placement.window;
  HRGN windowRegion = ::CreateRectRgn(0, 0, 0, 0);
  ::CombineRgn(windowRegion, m_balloon, nullptr, RGN_COPY);
  if (m_shadowOffsetX != 0 || m_shadowOffsetY != 0) {
    HRGN shadow = ::CreateRectRgn(0, 0, 0, 0);
    ::CombineRgn(shadow, m_balloon, nullptr, RGN_COPY);
    ::OffsetRgn(shadow, m_shadowOffsetX, m_shadowOffsetY);
    ::CombineRgn(windowRegion, windowRegion, shadow, RGN_OR);
    ::DeleteObject(shadow);
    m_windowSize.cx += m_shadowOffsetX;
    m_windowSize.cy += m_shadowOffsetY;
  }
  TakeSnapshot(CRect(topLeft, m_windowSize));
  ::SetWindowRgn(m_hWnd, windowRegion, FALSE);  // the window owns the region now
  m_firstPaint = true;
  ::SetWindowPos(m_hWnd, HWND_TOPMOST, topLeft.x, topLeft.y, m_windowSize.cx, m_windowSize.cy,
                 SWP_NOACTIVATE | SWP_SHOWWINDOW);
  // The first paint makes the tool current; have it now rather than after queued input.
  ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  return true;
}

CPPToolTip::Placement CPPToolTip::Place(UINT direction, POINT point, SIZE textSize, SIZE screen) const {
  Placement p;
  const int bodyW = textSize.cx + 2 * m_marginX, bodyH = textSize.cy + 2 * m_marginY;
  const int tail = std::max(m_tailLength, 0), d = m_tailDistance;
  UINT dir = direction;
  if (Group(dir) > 0x30 || Variant(dir) > 2) dir = TIPD_ABOVE_TAIL_LEFT;
  const bool vertical = TailVertical(dir);
  const int w = vertical ? bodyW : bodyW + tail;
  const int h = vertical ? bodyH + tail : bodyH;
  const int W = screen.cx, H = screen.cy, x = point.x, y = point.y;

  // Horizontal fit.
  UINT group = Group(dir), variant = Variant(dir);
  if (vertical) {
    if (variant == 0) {
      if (x + w - d > W) variant = x + d - w < 0 ? 2 : 1;
    } else if (variant == 1) {
      if (x + d - w < 0) variant = x + w - d > W ? 2 : 0;
    } else if (x <= d) {
      variant = 0;
    } else if (W - x <= d) {
      variant = 1;
    }
  } else if (group == 0x20) {
    if (x + w > W) group = 0x30;
  } else if (x - w < 0) {
    group = 0x20;
  }
  // Vertical fit.
  if (group == 0x00) {
    if (y + h > H) group = 0x10;
  } else if (group == 0x10) {
    if (y - h < 0) group = 0x00;
  } else if (variant == 0) {
    if (y + h - d > H) variant = y + d - h < 0 ? 2 : 1;
  } else if (variant == 1) {
    if (y + d - h < 0) variant = y + h - d > H ? 2 : 0;
  } else if (y <= d) {
    variant = 0;
  } else if (H - y <= d) {
    variant = 1;
  }
  dir = group | variant;

  // The tail's tip along the edge; a centred tip moves with a window that would leave the
  // screen on one side only.
  auto along = [&](int length, int position, int limit) {
    if (variant == 0) return d;
    if (variant == 1) return length - d;
    int a = length / 2;
    const int start = position - a, end = start + length;
    if (start < 0 && end <= limit) a += start;
    else if (end > limit && start >= 0) a += end - limit;
    return a;
  };
  CPoint anchor;
  if (vertical) {
    anchor.y = group == 0x00 ? 0 : h;
    anchor.x = along(w, x, W);
  } else {
    anchor.x = group == 0x20 ? 0 : w;
    anchor.y = along(h, y, H);
    if (variant != 1 && y - anchor.y < 0) anchor.y = y;
    if (variant == 1 && y - anchor.y + h > H) anchor.y = y + h - H;
  }

  CRect body(0, 0, bodyW, bodyH);
  CRect text(m_marginX, m_marginY, m_marginX + textSize.cx, m_marginY + textSize.cy);
  if (group == 0x00) {
    body.OffsetRect(0, tail);
    text.OffsetRect(0, tail);
  } else if (group == 0x20) {
    body.OffsetRect(tail, 0);
    text.OffsetRect(tail, 0);
  }
  p.direction = dir;
  p.window = CSize(w, h);
  p.anchor = anchor;
  p.body = body;
  p.text = text;
  return p;
}

void CPPToolTip::BuildBalloon() {
  const Placement& p = m_placement;
  const CRect& body = p.body;
  m_balloon = ::CreateRoundRectRgn(body.left, body.top, body.right + 1, body.bottom + 1, m_cornerWidth, m_cornerHeight);
  const UINT group = Group(p.direction), variant = Variant(p.direction);
  if (m_tailLength > 0 && m_tailWidth > 0) {
    const int d = m_tailDistance, tw = m_tailWidth;
    const bool vertical = TailVertical(p.direction);
    const int length = vertical ? p.window.cx : p.window.cy;
    const int anchorAlong = vertical ? p.anchor.x : p.anchor.y;
    int from, to;
    if (variant == 0) {
      from = d;
      to = d + tw;
    } else if (variant == 1) {
      from = length - d - tw;
      to = length - d;
    } else {
      from = anchorAlong - tw / 2;
      to = anchorAlong + tw / 2;
    }
    POINT triangle[3];
    triangle[0] = p.anchor;
    if (vertical) {
      const int edge = group == 0x00 ? body.top : body.bottom;
      triangle[1] = {from, edge};
      triangle[2] = {to, edge};
    } else {
      const int edge = group == 0x20 ? body.left : body.right;
      triangle[1] = {edge, from};
      triangle[2] = {edge, to};
    }
    HRGN tailRegion = ::CreatePolygonRgn(triangle, 3, ALTERNATE);
    if (tailRegion) {
      ::CombineRgn(m_balloon, m_balloon, tailRegion, RGN_OR);
      ::DeleteObject(tailRegion);
    }
  }

  // The body bitmap: the background effect over the body, its edge line tiled over the strip
  // that holds the tail.
  const int w = p.window.cx, h = p.window.cy;
  HDC screen = ::GetDC(nullptr);
  m_bodyBitmap = ::CreateCompatibleBitmap(screen, std::max(w, 1), std::max(h, 1));
  {
    MemoryDC mem(screen, m_bodyBitmap);
    if (mem) {
      CPPDrawManager& dm = m_drawer.DrawManager();
      const RECT whole = {0, 0, w, h};
      ::FillRect(mem.dc(), &whole, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
      dm.PaintBackground(mem.dc(), body, static_cast<int>(m_pending.effect), m_pending.beginColour, m_pending.midColour,
                         m_pending.endColour, m_pending.granularity, 5);
      if (group == 0x00 && body.top > 0)
        dm.TileBlit(mem.dc(), 0, 0, w, body.top, mem.dc(), 0, body.top + 1, w, 1);
      else if (group == 0x10 && body.bottom < h)
        dm.TileBlit(mem.dc(), 0, body.bottom, w, h - body.bottom, mem.dc(), 0, body.bottom - 1, w, 1);
      else if (group == 0x20 && body.left > 0)
        dm.TileBlit(mem.dc(), 0, 0, body.left, h, mem.dc(), body.left + 1, 0, 1, h);
      else if (group == 0x30 && body.right < w)
        dm.TileBlit(mem.dc(), body.right, 0, w - body.right, h, mem.dc(), body.right - 1, 0, 1, h);
    }
  }
  ::ReleaseDC(nullptr, screen);
}

// What lies beneath, read from the screen before the window shows: a popup's own pixels are
// not defined before its first paint on every system.
void CPPToolTip::TakeSnapshot(const CRect& screenRect) {
  // Let this thread's windows under the tip finish painting first (an earlier tip may just
  // have gone from there).
  if (m_parent && m_parent->GetSafeHwnd())
    ::RedrawWindow(::GetAncestor(m_parent->GetSafeHwnd(), GA_ROOT), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  HDC screen = ::GetDC(nullptr);
  m_snapshot = ::CreateCompatibleBitmap(screen, std::max(screenRect.Width(), 1), std::max(screenRect.Height(), 1));
  {
    MemoryDC mem(screen, m_snapshot);
    if (mem)
      ::BitBlt(mem.dc(), 0, 0, screenRect.Width(), screenRect.Height(), screen, screenRect.left, screenRect.top,
               SRCCOPY);
  }
  ::ReleaseDC(nullptr, screen);
}

void CPPToolTip::FreeShowResources() {
  if (m_balloon) ::DeleteObject(m_balloon);
  if (m_bodyBitmap) ::DeleteObject(m_bodyBitmap);
  if (m_snapshot) ::DeleteObject(m_snapshot);
  m_balloon = nullptr;
  m_bodyBitmap = nullptr;
  m_snapshot = nullptr;
}

// --- Painting ------------------------------------------------------------------------------

void CPPToolTip::OnDrawBorder(HDC dc, HRGN region) {
  if (m_borderBrush.GetSafeHandle())
    ::FrameRgn(dc, region, static_cast<HBRUSH>(m_borderBrush.GetSafeHandle()), m_borderWidth, m_borderHeight);
}

void CPPToolTip::PaintTip(HDC dc, int transparency) {
  if (!m_balloon || !m_bodyBitmap) return;
  const int t = std::clamp(transparency, 0, 100);
  const int w = m_placement.window.cx, h = m_placement.window.cy;
  const int fullW = std::max<int>(m_windowSize.cx, 1), fullH = std::max<int>(m_windowSize.cy, 1);

  HBITMAP canvas = ::CreateCompatibleBitmap(dc, fullW, fullH);
  HBITMAP body = ::CreateCompatibleBitmap(dc, std::max(w, 1), std::max(h, 1));
  {
    MemoryDC c(dc, canvas);
    MemoryDC a(dc, body);
    if (c && a) {
      // C: what lies beneath.
      if (m_snapshot) {
        MemoryDC s(dc, m_snapshot);
        if (s) ::BitBlt(c.dc(), 0, 0, fullW, fullH, s.dc(), 0, 0, SRCCOPY);
      } else {
        ::BitBlt(c.dc(), 0, 0, fullW, fullH, nullptr, 0, 0, WHITENESS);
      }
      // The shadow: the balloon in grey on white, lighter the more transparent the tip is.
      if (m_shadowOffsetX != 0 || m_shadowOffsetY != 0) {
        HBITMAP shadow = ::CreateCompatibleBitmap(dc, std::max(w, 1), std::max(h, 1));
        {
          MemoryDC s(dc, shadow);
          if (s) {
            ::BitBlt(s.dc(), 0, 0, w, h, nullptr, 0, 0, WHITENESS);
            const int m = ::MulDiv(255, 100 - std::clamp(m_shadowDarkness, 0, 100), 100);
            const int g = m + (255 - m) * t / 100;
            HBRUSH grey = ::CreateSolidBrush(RGB(g, g, g));
            ::FillRgn(s.dc(), m_balloon, grey);
            ::DeleteObject(grey);
          }
        }
        m_drawer.DrawManager().PaintShadow(c.dc(), m_shadowOffsetX, m_shadowOffsetY, w, h, shadow, m_shadowSoft != 0,
                                           m_shadowBlurX, m_shadowBlurY);
        ::DeleteObject(shadow);
      }
      // A: the body with the text and the border.
      {
        MemoryDC b(dc, m_bodyBitmap);
        if (b) ::BitBlt(a.dc(), 0, 0, w, h, b.dc(), 0, 0, SRCCOPY);
      }
      if (!m_drawer.Renderer().PreparedText().empty()) m_drawer.PaintMeasuredMarkup(a.dc(), m_placement.text);
      if (m_borderBrush.GetSafeHandle() && m_borderWidth != 0 && m_borderHeight != 0) OnDrawBorder(a.dc(), m_balloon);
      // A over C inside the balloon.
      ::SelectClipRgn(c.dc(), m_balloon);
      m_drawer.DrawManager().BlendBlit(a.dc(), c.dc(), 0, 0, w, h, 100 - t);
      ::SelectClipRgn(c.dc(), nullptr);
      ::BitBlt(dc, 0, 0, fullW, fullH, c.dc(), 0, 0, SRCCOPY);
    }
  }
  ::DeleteObject(canvas);
  ::DeleteObject(body);
}

void CPPToolTip::Repaint(int transparency) {
  if (!m_hWnd || !IsWindowVisible()) return;
  HDC dc = ::GetDC(m_hWnd);
  PaintTip(dc, transparency);
  ::ReleaseDC(m_hWnd, dc);
}

void CPPToolTip::OnPaint() {
  PAINTSTRUCT ps;
  HDC dc = ::BeginPaint(m_hWnd, &ps);
  if (m_firstPaint) {
    m_firstPaint = false;
    m_currentWnd = m_pendingWnd;
    m_current = m_pending;
    m_hasCurrent = true;
  }
  PaintTip(dc, m_transparency);
  ::EndPaint(m_hWnd, &ps);
}

BOOL CPPToolTip::OnEraseBkgnd(CDC*) { return TRUE; }

void CPPToolTip::OnTimer(UINT_PTR id) {
  switch (id) {
    case kShowTimer:
      ShowStep();
      break;
    case kHideTimer:
      StartHiding();
      break;
    case kFadeInTimer: {
      const int target = m_hasCurrent ? m_current.transparency : m_pending.transparency;
      m_transparency = std::max(m_transparency - 20, 0);
      if (m_transparency <= target) {
        m_transparency = target;
        KillTimer(kFadeInTimer);
        m_state = kShown;
        StartAutoHide();
      }
      Repaint(m_transparency);
      break;
    }
    case kFadeOutTimer:
      m_transparency = m_transparency >= 80 ? 100 : m_transparency + 20;
      if (m_transparency < 100)
        Repaint(m_transparency);
      else
        FadeOutEnded();
      break;
    case kAnimationTimer:
      if (IsWindowVisible() && m_state == kShown && m_drawer.AdvanceAnimations()) Repaint(m_transparency);
      break;
    default:
      CWnd::OnTimer(id);
      break;
  }
}

BOOL CPPToolTip::OnSetCursor(CWnd*, UINT, UINT) {
  POINT p = {};
  ::GetCursorPos(&p);
  ::ScreenToClient(m_hWnd, &p);
  if (!m_drawer.HoverAt(p)) ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
  return TRUE;
}

void CPPToolTip::OnActivateApp(BOOL active, DWORD threadId) {
  CWnd::OnActivateApp(active, threadId);
  if (!active) HideNow();
}

LRESULT CPPToolTip::OnHotLink(WPARAM, LPARAM) {
  if (m_repaintOnHotLink) Repaint(0);
  return 0;
}

// --- Window information --------------------------------------------------------------------

CString CPPToolTip::DescribeWindow(HWND window, POINT point, bool hasTooltip) {
  CString html = L"<table><tr><td><font color=darkblue>Window</font><table border=1>";
  CRect rect;
  if (window) ::GetWindowRect(window, &rect);
  CString rectText;
  rectText.Format(L"(%d, %d)-(%d, %d)", rect.left, rect.top, rect.right, rect.bottom);
  AddRow(html, L"Class name", window ? ClassOf(window) : CString());
  AddRow(html, L"Title", window ? TitleOf(window) : CString());
  AddRow(html, L"Handle", Format(L"0x%08llX", static_cast<long long>(reinterpret_cast<UINT_PTR>(window))));
  AddRow(html, L"Control ID", Format(L"%lld", window ? ::GetDlgCtrlID(window) : 0));
  AddRow(html, L"Styles",
         Format(L"0x%08llX", window ? static_cast<long long>(static_cast<DWORD>(::GetWindowLongW(window, GWL_STYLE))) : 0));
  AddRow(html, L"RECT", rectText);
  AddRow(html, L"Width", Format(L"%lld", rect.Width()));
  AddRow(html, L"Height", Format(L"%lld", rect.Height()));
  AddRow(html, L"Has Tooltip", hasTooltip ? L"Yes" : L"No");
  html += L"</table></td><td><font color=darkblue>Window Owner</font><table border=1>";
  HWND owner = window ? ::GetParent(window) : nullptr;
  AddRow(html, L"Class name", owner ? ClassOf(owner) : CString(L"N/A"));
  AddRow(html, L"Title", owner ? TitleOf(owner) : CString(L"N/A"));
  AddRow(html, L"Handle", Format(L"0x%08llX", static_cast<long long>(reinterpret_cast<UINT_PTR>(owner))));
  html += L"</table><br><font color=darkblue>Mouse Cursor</font><table border=1>";
  AddRow(html, L"X", Format(L"%lld", point.x));
  AddRow(html, L"Y", Format(L"%lld", point.y));
  html += L"</table></td></tr></table>";
  return html;
}
