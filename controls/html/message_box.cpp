// The box's run: the remembered answer, the in-memory dialog, its start, its commands and its
// countdown. Layout and painting are in message_box_layout.cpp and message_box_paint.cpp.
#include "controls/html/message_box.h"

#include "controls/html/message_box_buttons.h"

namespace {

HINSTANCE ProgramModule() { return ::GetModuleHandleW(nullptr); }

CString ProgramFileName() {
  wchar_t path[MAX_PATH + 1] = L"";
  ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  CString name(path);
  const int slash = name.ReverseFind(L'\\');
  return slash >= 0 ? name.Mid(slash + 1) : name;
}

HINSTANCE StringModuleOf(const HtmlMessageBoxParams& params) {
  if (params.stringModule) return params.stringModule;
  if (HINSTANCE resources = AfxGetResourceHandle()) return resources;
  return ProgramModule();
}

CString RememberKeyOf(const HtmlMessageBoxParams& params) {
  return ppmb::RememberKey(params.rememberCompany ? params.rememberCompany : L"", ProgramFileName());
}

CString RememberValueOf(const HtmlMessageBoxParams& params) {
  return ppmb::RememberValueName(params.rememberPrefix ? params.rememberPrefix : L"", params.messageNumber);
}

bool HasPrefix(const HtmlMessageBoxParams& params) { return params.rememberPrefix && *params.rememberPrefix; }

// The stored answer, when it is one this box could have given; 0 otherwise.
int ReadRememberedAnswer(const HtmlMessageBoxParams& params) {
  HKEY key = nullptr;
  if (::RegOpenKeyExW(HKEY_CURRENT_USER, RememberKeyOf(params), 0, KEY_READ, &key) != ERROR_SUCCESS) return 0;
  DWORD value = 0;
  DWORD size = sizeof value;
  const LONG read = ::RegQueryValueExW(key, RememberValueOf(params), nullptr, nullptr,
                                       reinterpret_cast<BYTE*>(&value), &size);
  ::RegCloseKey(key);
  if (read != ERROR_SUCCESS || size != sizeof value || value == 0) return 0;
  // A value the box never writes (edited, or left by another version of the buttons) would
  // answer a question that was never asked: the box shows instead.
  const HINSTANCE module = StringModuleOf(params);
  const ppmb::ButtonPlan plan = ppmb::PlanButtons(
      params.flags, ppmb::ResolveText(params.customButtons, module, params.flags),
      params.reportMessage != 0 && params.owner != nullptr,
      !ppmb::ResolveText(params.moreText, module, params.flags).IsEmpty());
  return ppmb::IsOwnAnswer(plan, params.flags, value) ? static_cast<int>(value) : 0;
}

void WriteRememberedAnswer(const HtmlMessageBoxParams& params, int answer) {
  HKEY key = nullptr;
  if (::RegCreateKeyExW(HKEY_CURRENT_USER, RememberKeyOf(params), 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
    return;
  const DWORD value = static_cast<DWORD>(answer);
  ::RegSetValueExW(key, RememberValueOf(params), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
  ::RegCloseKey(key);
}

}  // namespace

void InitHtmlMessageBoxParams(HtmlMessageBoxParams* params) {
  if (!params) return;
  *params = HtmlMessageBoxParams{};
  const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
  for (PPMessageBoxAreaStyle* style : {&params->boxStyle, &params->headerStyle, &params->buttonStyle,
                                       &params->moreStyle}) {
    style->backgroundKind = -1;
    style->beginColour = style->midColour = style->endColour = face;
  }
}

int PPMessageBox(const HtmlMessageBoxParams* params) {
  if (!params) return IDCANCEL;
  HtmlMessageBoxParams p = *params;
  if (!p.owner) {
    if (HWND active = ::GetActiveWindow()) p.owner = ::GetLastActivePopup(active);
  }
  CString caption;
  if (p.caption && *p.caption) {
    caption = p.caption;
  } else {
    wchar_t text[261] = L"";
    if (p.owner) ::SendMessageW(p.owner, WM_GETTEXT, 261, reinterpret_cast<LPARAM>(text));
    caption = *text ? text : L"Error";
  }
  p.caption = caption.GetString();

  if ((p.flags & PPMB_REMEMBER) && HasPrefix(p)) {
    if (const int remembered = ReadRememberedAnswer(p)) return remembered;
  }
  if (!(p.flags & PPMB_SILENT)) ::MessageBeep(p.flags & MB_ICONMASK);

  CPPMessageBoxTemplate box(p);
  return box.Run();
}

CPPMessageBoxTemplate::CPPMessageBoxTemplate(const HtmlMessageBoxParams& params) : m_params(params) {
  m_params.stringModule = StringModuleOf(params);
  if (!m_params.iconModule) m_params.iconModule = ProgramModule();
  m_caption = m_params.caption ? m_params.caption : L"";
  m_params.caption = nullptr;  // the copy above is the one used

  LOGFONTW font = {};
  font.lfHeight = 13;
  font.lfWeight = FW_NORMAL;
  font.lfCharSet = DEFAULT_CHARSET;
  lstrcpynW(font.lfFaceName, L"Tahoma", LF_FACESIZE);
  m_font = ::CreateFontIndirectW(&font);

  switch (m_params.flags & MB_ICONMASK) {
    case MB_ICONHAND: m_icon = ::LoadIconW(nullptr, IDI_HAND); break;
    case MB_ICONQUESTION: m_icon = ::LoadIconW(nullptr, IDI_QUESTION); break;
    case MB_ICONEXCLAMATION: m_icon = ::LoadIconW(nullptr, IDI_EXCLAMATION); break;
    case MB_ICONASTERISK: m_icon = ::LoadIconW(nullptr, IDI_ASTERISK); break;
    case MB_USERICON:
      if (m_params.userIcon) {
        m_icon = static_cast<HICON>(
            ::LoadImageW(m_params.iconModule, m_params.userIcon, IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
        m_ownsIcon = m_icon != nullptr;
      }
      break;
    default: break;
  }
}

CPPMessageBoxTemplate::~CPPMessageBoxTemplate() {
  if (m_background) ::DeleteObject(m_background);
  if (m_font) ::DeleteObject(m_font);
  if (m_ownsIcon && m_icon) ::DestroyIcon(m_icon);
}

int CPPMessageBoxTemplate::Run() {
  // An empty template: the box makes its controls itself once it knows their sizes.
  HGLOBAL memory = ::GlobalAlloc(GPTR, 36);
  if (!memory) return IDCANCEL;
  auto* dialog = static_cast<DLGTEMPLATE*>(static_cast<void*>(memory));
  dialog->style = WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER;
  dialog->cx = 100;
  dialog->cy = 100;
  const INT_PTR result = ::DialogBoxIndirectParamW(ProgramModule(), dialog, m_params.owner, &DialogProc,
                                                   reinterpret_cast<LPARAM>(this));
  ::GlobalFree(memory);
  return result == -1 ? IDCANCEL : static_cast<int>(result);
}

INT_PTR CALLBACK CPPMessageBoxTemplate::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    ::SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
    auto* self = reinterpret_cast<CPPMessageBoxTemplate*>(lParam);
    self->m_hwnd = hwnd;
    return self->OnInitDialog();
  }
  auto* self = reinterpret_cast<CPPMessageBoxTemplate*>(::GetWindowLongPtrW(hwnd, DWLP_USER));
  return self ? self->Handle(message, wParam, lParam) : FALSE;
}

INT_PTR CPPMessageBoxTemplate::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      OnCommand(LOWORD(wParam));
      return TRUE;
    case WM_TIMER:
      if (wParam == kCountdownTimer) OnTimer();
      return TRUE;
    case WM_PAINT:
      OnPaint();
      return TRUE;
    case WM_ERASEBKGND:
      ::SetWindowLongPtrW(m_hwnd, DWLP_MSGRESULT, TRUE);
      return TRUE;
    case kRepaintMessage:
      RepaintTextStrips();
      return TRUE;
    case WM_SETCURSOR: {
      POINT point;
      ::GetCursorPos(&point);
      ::ScreenToClient(m_hwnd, &point);
      const bool link = (m_headerHeight != 0 && m_headerDrawer.HoverAt(point)) ||
                        (m_messageHeight != 0 && m_messageDrawer.HoverAt(point)) ||
                        (m_moreHeight != 0 && m_moreOpen && m_moreDrawer.HoverAt(point));
      ::SetWindowLongPtrW(m_hwnd, DWLP_MSGRESULT, link ? TRUE : FALSE);
      return link ? TRUE : FALSE;
    }
    case WM_LBUTTONDOWN: {
      const POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      if (m_headerHeight != 0) m_headerDrawer.ClickAt(point);
      if (m_messageHeight != 0) m_messageDrawer.ClickAt(point);
      if (m_moreHeight != 0 && m_moreOpen) m_moreDrawer.ClickAt(point);
      return TRUE;
    }
    case WM_CTLCOLORSTATIC:
      ::SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
      return reinterpret_cast<INT_PTR>(::GetStockObject(NULL_BRUSH));
    case WM_DESTROY:
      ::KillTimer(m_hwnd, kCountdownTimer);
      DestroyControls();
      return FALSE;
    default:
      return FALSE;
  }
}

BOOL CPPMessageBoxTemplate::OnInitDialog() {
  if (m_params.disableSeconds > 0) m_countdown = m_params.disableSeconds;
  if (m_params.autoCloseSeconds > 0) m_countdown = m_params.autoCloseSeconds;

  for (CPPHtmlDrawer* drawer : {&m_headerDrawer, &m_messageDrawer, &m_moreDrawer})
    drawer->SetHotLinkTarget(m_hwnd, kRepaintMessage, 0);
  m_messageHtml = BuildMessageHtml();

  const CSize client = CreateControlsAndMeasure();
  RECT frame = {0, 0, client.cx, client.cy};
  ::AdjustWindowRectEx(&frame, static_cast<DWORD>(::GetWindowLongPtrW(m_hwnd, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(::GetWindowLongPtrW(m_hwnd, GWL_EXSTYLE)));
  ::SetWindowPos(m_hwnd, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

  if (m_params.disableSeconds > 0 && m_params.countdownInCaption) {
    m_captionFormat = Label(ppmb::kCaptionFormatId, ppmb::BuiltInLabel(ppmb::kCaptionFormatId));
    ShowCountdown();
    SetCloseBoxEnabled(false);
  } else {
    ::SetWindowTextW(m_hwnd, m_caption);
    const bool cancelWaits = m_params.disableSeconds > 0 && DefaultButtonId() == IDCANCEL;
    SetCloseBoxEnabled(m_closeAllowed && !cancelWaits);
  }

  CenterOverOwner();
  PlaceControls();

  if (m_params.flags & MB_TOPMOST) ::SetWindowPos(m_hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  if (m_params.flags & MB_SETFOREGROUND) ::SetForegroundWindow(m_hwnd);
  if (m_countdown != 0) ::SetTimer(m_hwnd, kCountdownTimer, 1000, nullptr);
  return FALSE;  // the default button has the focus
}

void CPPMessageBoxTemplate::CenterOverOwner() {
  RECT area;
  HWND owner = ::GetParent(m_hwnd);
  if (!owner || !::GetWindowRect(owner, &area))
    area = RECT{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
  RECT box;
  ::GetWindowRect(m_hwnd, &box);
  const int width = box.right - box.left;
  const int height = box.bottom - box.top;
  int left = area.left + (area.right - width - area.left) / 2;
  int top = area.top + (area.bottom - height - area.top) / 2;
  // An owner near the screen's edge, or a box wider than its owner, must not push the box (and
  // its buttons) off the screen; a box larger than the screen keeps its caption on it.
  const RECT wanted = {left, top, left + width, top + height};
  MONITORINFO monitor = {};
  monitor.cbSize = sizeof monitor;
  if (::GetMonitorInfoW(::MonitorFromRect(&wanted, MONITOR_DEFAULTTONEAREST), &monitor)) {
    const RECT& work = monitor.rcWork;
    if (left + width > work.right) left = work.right - width;
    if (top + height > work.bottom) top = work.bottom - height;
    if (left < work.left) left = work.left;
    if (top < work.top) top = work.top;
  }
  ::SetWindowPos(m_hwnd, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CPPMessageBoxTemplate::SetCloseBoxEnabled(bool enabled) {
  ::EnableMenuItem(::GetSystemMenu(m_hwnd, FALSE), SC_CLOSE, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

int CPPMessageBoxTemplate::DefaultButtonId() const {
  return m_defaultIndex < static_cast<int>(m_buttons.size()) ? m_buttons[m_defaultIndex].id : 0;
}

HWND CPPMessageBoxTemplate::DefaultButtonWindow() const {
  return m_defaultIndex < static_cast<int>(m_buttons.size()) ? m_buttons[m_defaultIndex].hwnd : nullptr;
}

void CPPMessageBoxTemplate::ShowCountdown() {
  CString text;
  if (m_params.disableSeconds > 0 && m_params.countdownInCaption) {
    text.Format(m_captionFormat, m_caption.GetString(), m_countdown);
    ::SetWindowTextW(m_hwnd, text);
  } else if (HWND button = DefaultButtonWindow()) {
    text.Format(L"%s = %d", m_defaultLabel.GetString(), m_countdown);
    ::SetWindowTextW(button, text);
  }
}

void CPPMessageBoxTemplate::OnCommand(int id) {
  if (id == 0) return;
  if (id == IDHELP) {
    wchar_t path[MAX_PATH + 1] = L"";
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    CString help(path);
    const int dot = help.ReverseFind(L'.');
    if (dot >= 0) help = help.Left(dot);
    help += L".hlp";
    if (m_params.helpContextId != 0)
      ::WinHelpW(m_hwnd, help, HELP_CONTEXT, m_params.helpContextId);
    else
      ::WinHelpW(m_hwnd, help, HELP_PARTIALKEY, reinterpret_cast<ULONG_PTR>(L""));
    return;
  }
  if (id == PPMB_ID_REPORT) {
    if (m_params.reportMessage && m_params.owner) ::SendMessageW(m_params.owner, m_params.reportMessage, 0, 0);
    return;
  }
  if (id == PPMB_ID_MORE || id == PPMB_ID_LESS) {
    ToggleMore();
    return;
  }
  // Only the box's own enabled buttons answer, and Cancel through the close box or Escape only
  // while that is allowed: Enter or Escape must not answer for a button that is not there or is
  // still counting down.
  bool accepted = false;
  for (const Button& button : m_buttons)
    if (button.id == id) accepted = ::IsWindowEnabled(button.hwnd) != FALSE;
  if (!accepted && id == IDCANCEL) {
    const UINT state = ::GetMenuState(::GetSystemMenu(m_hwnd, FALSE), SC_CLOSE, MF_BYCOMMAND);
    accepted = m_closeAllowed && state != static_cast<UINT>(-1) && !(state & (MF_GRAYED | MF_DISABLED));
  }
  if (accepted) CloseWith(id);
}

void CPPMessageBoxTemplate::CloseWith(int id) {
  ::KillTimer(m_hwnd, kCountdownTimer);
  m_answer = id;
  if (m_checkBox && ::SendMessageW(m_checkBox, BM_GETCHECK, 0, 0) == BST_CHECKED) {
    if (m_params.flags & PPMB_REMEMBER_CHECKED) m_answer |= static_cast<int>(PPMB_REMEMBER_CHECKED);
    if (HasPrefix(m_params)) WriteRememberedAnswer(m_params, m_answer);
  }
  ::EndDialog(m_hwnd, m_answer);
}

void CPPMessageBoxTemplate::ToggleMore() {
  if (m_moreHeight == 0) return;
  RECT window;
  ::GetWindowRect(m_hwnd, &window);
  m_moreOpen = !m_moreOpen;
  const int height = window.bottom - window.top + (m_moreOpen ? m_moreHeight : -m_moreHeight);
  ::MoveWindow(m_hwnd, window.left, window.top, window.right - window.left, height, TRUE);
  for (Button& button : m_buttons) {
    if (button.id != PPMB_ID_MORE && button.id != PPMB_ID_LESS) continue;
    // The toggle keeps its id for the dialog manager; its label says which way it goes.
    ::SetWindowTextW(button.hwnd, m_moreOpen ? m_lessLabel : m_moreLabel);
  }
  ::InvalidateRect(m_hwnd, nullptr, FALSE);
}

void CPPMessageBoxTemplate::OnTimer() {
  if (m_countdown > 1) {
    --m_countdown;
    ShowCountdown();
    return;
  }
  ::KillTimer(m_hwnd, kCountdownTimer);
  m_countdown = 0;
  HWND defaultButton = DefaultButtonWindow();
  if (m_params.disableSeconds > 0) {
    if (m_closeAllowed) SetCloseBoxEnabled(true);
    if (m_params.countdownInCaption) {
      ::SetWindowTextW(m_hwnd, m_caption);
      for (const Button& button : m_buttons)
        if (button.hwnd != defaultButton) ::EnableWindow(button.hwnd, TRUE);
    } else if (defaultButton) {
      ::SetWindowTextW(defaultButton, m_defaultLabel);
    }
    if (defaultButton) {
      ::SendMessageW(defaultButton, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
      ::EnableWindow(defaultButton, TRUE);
      ::SendMessageW(m_hwnd, DM_SETDEFID, DefaultButtonId(), 0);
      ::SetFocus(defaultButton);
    }
  } else if (m_params.autoCloseSeconds > 0 && defaultButton) {
    ::SetWindowTextW(defaultButton, m_defaultLabel);
    ::SendMessageW(m_hwnd, WM_COMMAND, MAKEWPARAM(DefaultButtonId(), BN_CLICKED),
                   reinterpret_cast<LPARAM>(defaultButton));
  }
}
