#include "test_dialog.h"

#include "live_input.h"

namespace ctltest {

DialogTemplate::DialogTemplate(const wchar_t* caption, short cx, short cy) {
  DLGTEMPLATE head = {};
  head.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_SETFONT | DS_MODALFRAME;
  head.cx = cx;
  head.cy = cy;
  const WORD* raw = reinterpret_cast<const WORD*>(&head);
  m_words.assign(raw, raw + sizeof head / sizeof(WORD));
  Word(0);  // no menu
  Word(0);  // the default class
  Text(caption);
  Word(8);  // point size
  Text(L"Tahoma");
}

void DialogTemplate::Text(const wchar_t* s) {
  for (; *s; ++s) Word(*s);
  Word(0);
}

void DialogTemplate::AlignDword() {
  if (m_words.size() % 2) Word(0);
}

void DialogTemplate::Add(const wchar_t* className, const wchar_t* text, DWORD style, short x, short y, short cx,
                         short cy, WORD id) {
  AlignDword();
  DLGITEMTEMPLATE item = {};
  item.style = style | WS_CHILD | WS_VISIBLE;
  item.x = x;
  item.y = y;
  item.cx = cx;
  item.cy = cy;
  item.id = id;
  const WORD* raw = reinterpret_cast<const WORD*>(&item);
  m_words.insert(m_words.end(), raw, raw + sizeof item / sizeof(WORD));
  Text(className);
  Text(text);
  Word(0);  // no creation data
  auto* head = reinterpret_cast<DLGTEMPLATE*>(m_words.data());
  ++head->cdit;
}

BEGIN_MESSAGE_MAP(HostDialog, CDialog)
  ON_WM_MEASUREITEM()
END_MESSAGE_MAP()

bool HostDialog::Open(const DialogTemplate& t, int x, int y) {
  if (!CreateIndirect(t.Get(), nullptr)) return false;
  SetWindowPos(nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW);
  ::SetForegroundWindow(m_hWnd);
  Pump(100);
  return true;
}

BOOL HostDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  if (m_onInit) m_onInit(*this);
  return TRUE;
}

BOOL HostDialog::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  if (pHandlerInfo == nullptr && nCode != static_cast<int>(CN_UPDATE_COMMAND_UI) && nCode != CN_COMMAND)
    m_notifications.emplace_back(nID, nCode);
  if (pHandlerInfo == nullptr && nCode == CN_COMMAND && nID != IDOK && nID != IDCANCEL)
    m_notifications.emplace_back(nID, BN_CLICKED);
  return CDialog::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

int HostDialog::Count(UINT id, int code) const {
  int n = 0;
  for (const auto& [i, c] : m_notifications) n += (i == id && c == code);
  return n;
}

void HostDialog::OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct) {
  if (lpMeasureItemStruct && (lpMeasureItemStruct->CtlType == ODT_COMBOBOX || lpMeasureItemStruct->CtlType == ODT_LISTBOX)) {
    lpMeasureItemStruct->itemHeight = static_cast<UINT>(m_itemHeight);
    return;
  }
  CDialog::OnMeasureItem(nIDCtl, lpMeasureItemStruct);
}

void Pump(DWORD ms) { live::Pump(ms); }

void HoverAt(HWND hwnd, int x, int y) {
  POINT p = {x, y};
  ::ClientToScreen(hwnd, &p);
  ::SetCursorPos(p.x, p.y);
  ::PostMessageW(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
  Pump(gui::kInputPauseMs);
}

void RealMouse(HWND hwnd, int x, int y, DWORD buttonFlags) {
  POINT p = {x, y};
  ::ClientToScreen(hwnd, &p);
  const int cx = ::GetSystemMetrics(SM_CXSCREEN), cy = ::GetSystemMetrics(SM_CYSCREEN);
  INPUT in = {};
  in.type = INPUT_MOUSE;
  in.mi.dx = static_cast<LONG>((p.x * 65535 + cx / 2) / (cx - 1));
  in.mi.dy = static_cast<LONG>((p.y * 65535 + cy / 2) / (cy - 1));
  in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | buttonFlags;
  ::SendInput(1, &in, sizeof in);
  Pump(gui::kInputPauseMs + 10);
}

void HoverAway() {
  ::SetCursorPos(1200, 1000);
  Pump(gui::kInputPauseMs);
}

gui::Image Capture(HWND hwnd) {
  // A full repaint with erasing: owner-drawn controls that blend into their background expect
  // it, as every invalidation of theirs asks for it.
  ::RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  Pump(20);
  gui::Image image;
  RECT r;
  ::GetWindowRect(hwnd, &r);
  const int w = r.right - r.left, h = r.bottom - r.top;
  if (w <= 0 || h <= 0) return image;
  BITMAPINFO bi = {};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = -h;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP dib = ::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC mem = ::CreateCompatibleDC(nullptr);
  HGDIOBJ old = ::SelectObject(mem, dib);
  HDC src = ::GetWindowDC(hwnd);
  const BOOL ok = ::BitBlt(mem, 0, 0, w, h, src, 0, 0, SRCCOPY);
  ::ReleaseDC(hwnd, src);
  ::GdiFlush();
  if (ok) {
    image.width = w;
    image.height = h;
    const auto* p = static_cast<const std::uint32_t*>(bits);
    image.pixels.assign(p, p + static_cast<size_t>(w) * h);
  }
  ::SelectObject(mem, old);
  ::DeleteObject(dib);
  ::DeleteDC(mem);
  return image;
}

}  // namespace ctltest
