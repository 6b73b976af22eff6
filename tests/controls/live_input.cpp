#include "live_input.h"

#include <vector>

namespace live {

namespace {

constexpr DWORD kPauseMs = 40;

bool g_pumpAfterInput = true;

void SendOne(INPUT input) {
  ::SendInput(1, &input, sizeof(INPUT));
  if (g_pumpAfterInput)
    Pump(kPauseMs);
  else
    ::Sleep(kPauseMs);
}

void SendMouse(DWORD flags, LONG dx = 0, LONG dy = 0) {
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  input.mi.dx = dx;
  input.mi.dy = dy;
  SendOne(input);
}

void SendKey(UINT vk, bool up) {
  INPUT input = {};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = static_cast<WORD>(vk);
  input.ki.wScan = static_cast<WORD>(::MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  if (vk == VK_LEFT || vk == VK_RIGHT || vk == VK_UP || vk == VK_DOWN) input.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
  SendOne(input);
}

}  // namespace

void Pump(DWORD ms) {
  const DWORD end = ::GetTickCount() + ms;
  do {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        // Not ours to take: leave it for the code under test.
        ::PostQuitMessage(static_cast<int>(msg.wParam));
        break;
      }
      if (CWnd::WalkPreTranslateTree(nullptr, &msg)) continue;
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
    ::Sleep(5);
  } while (static_cast<LONG>(end - ::GetTickCount()) > 0);
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  const DWORD start = ::GetTickCount();
  while (!done()) {
    if (::GetTickCount() - start >= timeoutMs) return done();
    Pump(10);
  }
  return true;
}

void BringToFront(HWND hwnd) {
  ::SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
  ::SetForegroundWindow(hwnd);
  ::SetActiveWindow(hwnd);
  Pump(100);
}

void MoveTo(HWND hwnd, POINT client) {
  POINT screen = client;
  ::ClientToScreen(hwnd, &screen);
  const int w = ::GetSystemMetrics(SM_CXSCREEN);
  const int h = ::GetSystemMetrics(SM_CYSCREEN);
  // Absolute coordinates map 0..65535 onto the screen; aim at the pixel's centre.
  const LONG dx = static_cast<LONG>((screen.x * 65536LL + 32768) / w);
  const LONG dy = static_cast<LONG>((screen.y * 65536LL + 32768) / h);
  SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, dx, dy);
}

void ButtonDown() { SendMouse(MOUSEEVENTF_LEFTDOWN); }
void ButtonUp() { SendMouse(MOUSEEVENTF_LEFTUP); }

void Drag(HWND hwnd, POINT from, POINT to, int steps) {
  MoveTo(hwnd, from);
  ButtonDown();
  if (steps < 1) steps = 1;
  for (int i = 1; i <= steps; ++i) {
    POINT p = {from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps};
    MoveTo(hwnd, p);
  }
  ButtonUp();
}

void Click(HWND hwnd, POINT client) {
  MoveTo(hwnd, client);
  ButtonDown();
  ButtonUp();
}

void QueueClick(HWND hwnd, POINT client) {
  g_pumpAfterInput = false;
  Click(hwnd, client);
  g_pumpAfterInput = true;
}

void Key(UINT vk, std::initializer_list<UINT> modifiers) {
  for (UINT m : modifiers) SendKey(m, false);
  SendKey(vk, false);
  SendKey(vk, true);
  for (auto it = std::rbegin(modifiers); it != std::rend(modifiers); ++it) SendKey(*it, true);
}

}  // namespace live
