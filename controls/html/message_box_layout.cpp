// The box's texts, its controls and its size: every area is measured with its drawer, the
// buttons are sized to the widest label, and the window is made just large enough.
#include <algorithm>

#include "controls/html/html_text.h"
#include "controls/html/message_box.h"
#include "controls/html/message_box_buttons.h"

namespace {

CSize TextExtent(HDC dc, const CString& text) {
  SIZE size = {0, 0};
  if (!text.IsEmpty()) ::GetTextExtentPoint32W(dc, text, text.GetLength(), &size);
  return CSize(size.cx, size.cy);
}

}  // namespace

CString CPPMessageBoxTemplate::ResolveText(LPCWSTR text) const {
  return ppmb::ResolveText(text, m_params.stringModule, m_params.flags);
}

CString CPPMessageBoxTemplate::Label(int id, LPCWSTR builtIn) const {
  if (m_params.customLabels) {
    const auto it = m_params.customLabels->find(id);
    if (it != m_params.customLabels->end()) {
      const CString custom = ResolveText(it->second);
      if (!custom.IsEmpty()) return custom;
    }
  }
  if (const UINT stringId = ppmb::LabelStringId(id); stringId && !(m_params.flags & PPMB_LITERAL_TEXTS)) {
    const CString loaded = ResolveText(MAKEINTRESOURCEW(stringId));
    if (!loaded.IsEmpty()) return loaded;
  }
  return builtIn ? CString(builtIn) : CString();
}

CString CPPMessageBoxTemplate::BuildMessageHtml() {
  CString text = ResolveText(m_params.messageText);
  if (m_params.flags & MB_RIGHT) {
    CString right;
    right.Format(L"<right>%s</right>", text.GetString());
    text = right;
  }
  if (!m_icon) return text;
  // The drawer shows only icons its owner registered; the number names this one.
  const std::uint32_t number = m_messageDrawer.RegisterIcon(m_icon);
  CString html;
  html.Format(L"<table cellpadding=%d><tr><td width=%d><icon handle=0x%X></td><td><font face=Tahoma>%s</font></td>"
              L"</tr></table>",
              kIconCellPadding, ::GetSystemMetrics(SM_CXICON), number, text.GetString());
  return html;
}

void CPPMessageBoxTemplate::DestroyControls() {
  for (const Button& button : m_buttons)
    if (::IsWindow(button.hwnd)) ::DestroyWindow(button.hwnd);
  m_buttons.clear();
  for (HWND* control : {&m_checkBox, &m_checkBoxLabel, &m_plainText}) {
    if (*control && ::IsWindow(*control)) ::DestroyWindow(*control);
    *control = nullptr;
  }
}

CSize CPPMessageBoxTemplate::CreateControlsAndMeasure() {
  DestroyControls();
  HDC dc = ::GetDC(nullptr);
  HGDIOBJ oldFont = ::SelectObject(dc, m_font);
  const HINSTANCE module = ::GetModuleHandleW(nullptr);
  int width = 0;

  m_headerHeight = 0;
  if (m_params.headerMinHeight != 0) {
    const CString header = ResolveText(m_params.headerText);
    if (header.IsEmpty()) {
      m_headerHeight = m_params.headerMinHeight;
    } else {
      const CSize size = m_headerDrawer.MeasureMarkup(dc, header);
      m_headerHeight = std::max(static_cast<int>(size.cy) + 2 * kHtmlMargin, m_params.headerMinHeight);
      width = std::max(width, static_cast<int>(size.cx) + 2 * kHtmlMargin);
    }
    if (m_params.headerStyle.separatorType != 0)
      width = std::max(width, static_cast<int>(TextExtent(dc, ResolveText(m_params.headerStyle.separatorText)).cx) + 10);
  }

  m_messageHeight = 0;
  if (!m_messageHtml.IsEmpty()) {
    const CSize size = m_messageDrawer.MeasureMarkup(dc, m_messageHtml);
    m_messageHeight = static_cast<int>(size.cy) + 2 * kHtmlMargin;
    width = std::max(width, static_cast<int>(size.cx) + 2 * kHtmlMargin);
  }

  m_moreHeight = 0;
  const CString more = ResolveText(m_params.moreText);
  if (!more.IsEmpty()) {
    const CSize size = m_moreDrawer.MeasureMarkup(dc, more);
    m_moreHeight = static_cast<int>(size.cy) + 2 * kHtmlMargin;
    width = std::max(width, static_cast<int>(size.cx) + 2 * kHtmlMargin);
  }

  const PPMessageBoxAreaStyle& buttonStyle = m_params.buttonStyle;
  m_buttonAreaHeight = buttonStyle.backgroundKind >= 0 || buttonStyle.separatorType != 0 ? 2 * kButtonAreaMargin
                                                                                          : kButtonAreaMargin;
  if (buttonStyle.separatorType != 0)
    width = std::max(width, static_cast<int>(TextExtent(dc, ResolveText(buttonStyle.separatorText)).cx) + 10);

  if (m_params.flags & PPMB_REMEMBER) {
    m_buttonAreaHeight += kButtonGap + kCheckBoxSize;
    CString builtIn = ResolveText(m_params.checkBoxLabel);
    if (builtIn.IsEmpty()) builtIn = ppmb::BuiltInLabel(ppmb::kCheckBoxLabelId);
    const CString label = Label(ppmb::kCheckBoxLabelId, builtIn);
    m_checkBoxLabelSize = TextExtent(dc, label);
    width = std::max(width, static_cast<int>(m_checkBoxLabelSize.cx) + 20 + 20);
    m_checkBox = ::CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, 0, 0,
                                   kCheckBoxSize, kCheckBoxSize, m_hwnd, nullptr, module, nullptr);
    if (m_params.flags & PPMB_REMEMBER_CHECKED) ::SendMessageW(m_checkBox, BM_SETCHECK, BST_CHECKED, 0);
    m_checkBoxLabel = ::CreateWindowExW(0, L"STATIC", label, WS_CHILD | WS_VISIBLE, 0, 0, m_checkBoxLabelSize.cx,
                                        kCheckBoxSize, m_hwnd, nullptr, module, nullptr);
    ::SendMessageW(m_checkBoxLabel, WM_SETFONT, reinterpret_cast<WPARAM>(m_font), FALSE);
  }

  const ppmb::ButtonPlan plan =
      ppmb::PlanButtons(m_params.flags, ResolveText(m_params.customButtons),
                        m_params.reportMessage != 0 && m_params.owner != nullptr, !more.IsEmpty());
  m_closeAllowed = plan.closeAllowed;
  const int count = static_cast<int>(plan.ids.size());
  m_defaultIndex = ppmb::DefaultButtonIndex(m_params.flags, count);

  std::vector<CString> labels;
  m_buttonWidth = kMinButtonWidth;
  m_buttonHeight = kButtonHeight;
  for (const int id : plan.ids) {
    CString label;
    int textWidth = 0;
    if (id >= PPMB_ID_CUSTOM_FIRST && id <= PPMB_ID_CUSTOM_LAST) {
      label = plan.customLabels[id - PPMB_ID_CUSTOM_FIRST];
      textWidth = TextExtent(dc, label).cx;
    } else if (id == PPMB_ID_MORE) {
      m_moreLabel = Label(PPMB_ID_MORE, ppmb::BuiltInLabel(PPMB_ID_MORE));
      m_lessLabel = Label(PPMB_ID_LESS, ppmb::BuiltInLabel(PPMB_ID_LESS));
      label = m_moreLabel;
      textWidth = std::max(TextExtent(dc, m_moreLabel).cx, TextExtent(dc, m_lessLabel).cx);
    } else {
      label = Label(id, ppmb::BuiltInLabel(id));
      textWidth = TextExtent(dc, label).cx;
    }
    m_buttonWidth = std::max(m_buttonWidth, ::MulDiv(textWidth, 80, 45));
    labels.push_back(label);
  }

  const bool captionCountdown = m_params.disableSeconds > 0 && m_params.countdownInCaption;
  HWND focus = nullptr;
  for (int i = 0; i < count; ++i) {
    const int id = plan.ids[i];
    const bool isDefault = i == m_defaultIndex;
    DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
    CString text = labels[i];
    if (id == IDHELP) {
      if (isDefault) {
        style |= BS_DEFPUSHBUTTON;
        m_defaultLabel = labels[i];
        if (m_params.autoCloseSeconds > 0 || (m_params.disableSeconds > 0 && !m_params.countdownInCaption))
          text.Format(L"%s = %d", labels[i].GetString(), m_countdown);
      }
    } else if (captionCountdown) {
      style |= WS_DISABLED;
    } else if (isDefault) {
      m_defaultLabel = labels[i];
      if (m_params.disableSeconds <= 0) style |= BS_DEFPUSHBUTTON;
      if (m_countdown != 0) text.Format(L"%s = %d", labels[i].GetString(), m_countdown);
      if (m_params.disableSeconds > 0) style |= WS_DISABLED;
    }
    HWND button = ::CreateWindowExW(0, L"BUTTON", text, style, 0, 0, 0, 0, m_hwnd,
                                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), module, nullptr);
    ::SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(m_font), FALSE);
    m_buttons.push_back(Button{id, button});
    if (isDefault) focus = button;
  }

  // The message as plain text in a hidden label, where tools that read a message box's texts
  // (automation, screen readers) look for it.
  m_plainText = ::CreateWindowExW(
      0, L"STATIC", html::MarkupToPlainText(std::wstring(ResolveText(m_params.messageText).GetString())).c_str(),
      WS_CHILD, 0, 0, 0, 0, m_hwnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(0xFFFF)), module, nullptr);

  if (focus) {
    ::SendMessageW(m_hwnd, DM_SETDEFID, DefaultButtonId(), 0);
    ::SetFocus(focus);
  }

  width = std::max(width, count * (m_buttonWidth + kButtonGap) + kButtonGap);
  m_buttonAreaHeight += m_buttonHeight;
  ::SelectObject(dc, oldFont);
  ::ReleaseDC(nullptr, dc);
  return CSize(width, m_headerHeight + m_messageHeight + m_buttonAreaHeight);
}

void CPPMessageBoxTemplate::PlaceControls() {
  RECT client;
  ::GetClientRect(m_hwnd, &client);
  const bool below = (m_params.flags & PPMB_REMEMBER) && (m_params.flags & PPMB_CHECKBOX_BELOW_BUTTONS);
  int top = client.bottom - kButtonAreaMargin - m_buttonHeight;
  if (below) top -= kCheckBoxSize + kButtonGap;
  const int count = static_cast<int>(m_buttons.size());
  const int rowWidth = count * (m_buttonWidth + kButtonGap) - kButtonGap;
  int left;
  switch (m_params.buttonAlign) {
    case 0: left = client.left + kButtonAreaMargin; break;
    case 1: left = client.right - kButtonAreaMargin - rowWidth; break;
    default: left = client.left + (client.right - client.left - rowWidth) / 2; break;
  }
  for (const Button& button : m_buttons) {
    ::MoveWindow(button.hwnd, left, top, m_buttonWidth, m_buttonHeight, TRUE);
    left += m_buttonWidth + kButtonGap;
  }
  if (m_checkBox) {
    const int checkTop = below ? client.bottom - kButtonAreaMargin - kCheckBoxSize
                               : client.bottom - kButtonAreaMargin - m_buttonHeight - kButtonGap - kCheckBoxSize;
    ::MoveWindow(m_checkBox, client.left + kCheckBoxLeft, checkTop, kCheckBoxSize, kCheckBoxSize, TRUE);
    ::MoveWindow(m_checkBoxLabel, client.left + kCheckBoxLeft + kCheckBoxSize + 6, checkTop, m_checkBoxLabelSize.cx,
                 kCheckBoxSize, TRUE);
  }
}
