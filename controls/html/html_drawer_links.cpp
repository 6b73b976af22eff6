// What the drawer's owner forwards from its window: the pointer over links (hot link and hand
// cursor), clicks on address and message links, and opening addresses with the shell.
#include "controls/html/html_drawer.h"

#include <shellapi.h>

#include <cwchar>
#include <cwctype>
#include <vector>

namespace {

std::function<bool(const std::wstring&)>& AddressOpener() {
  static std::function<bool(const std::wstring&)> opener;
  return opener;
}

bool StartsWithNoCase(const std::wstring& text, const wchar_t* prefix) {
  for (std::size_t i = 0; prefix[i]; ++i)
    if (i >= text.size() || std::towlower(text[i]) != prefix[i]) return false;
  return true;
}

// A registry string value of HKEY_CLASSES_ROOT, as long as it is.
bool ReadClassesValue(const std::wstring& key, std::wstring& value) {
  DWORD bytes = 0;
  if (::RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, nullptr, &bytes) != ERROR_SUCCESS ||
      bytes < sizeof(wchar_t))
    return false;
  std::vector<wchar_t> buffer(bytes / sizeof(wchar_t) + 1);
  bytes = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
  if (::RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, buffer.data(), &bytes) !=
      ERROR_SUCCESS)
    return false;
  value.assign(buffer.data());
  return !value.empty();
}

// When the shell can't open an address, the program registered for web pages gets it as one
// quoted argument in place of its placeholder.
bool StartPageHandler(const std::wstring& address) {
  std::wstring pageClass, command;
  if (!ReadClassesValue(L".htm", pageClass)) return false;
  if (!ReadClassesValue(pageClass + L"\\shell\\open\\command", command)) return false;
  std::size_t cut = command.find(L"\"%1\"");
  if (cut == std::wstring::npos) cut = command.find(L"%1");
  if (cut != std::wstring::npos) command.erase(cut);
  while (!command.empty() && command.back() == L' ') command.pop_back();
  if (command.empty()) return false;
  std::wstring line = command + L" \"" + address + L"\"";
  STARTUPINFOW si = {};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESHOWWINDOW;
  si.wShowWindow = SW_SHOW;
  PROCESS_INFORMATION pi = {};
  if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return false;
  ::CloseHandle(pi.hThread);
  ::CloseHandle(pi.hProcess);
  return true;
}

}  // namespace

bool CPPHtmlDrawer::IsAddress(const std::wstring& text) {
  // A quotation mark or a control character could end the argument early or start another.
  for (wchar_t c : text)
    if (c < 0x20 || c == 0x7F || c == L'"') return false;
  for (const wchar_t* scheme : {L"http://", L"https://", L"ftp://", L"mailto:"})
    if (StartsWithNoCase(text, scheme) && text.size() > std::wcslen(scheme)) return true;
  return false;
}

void CPPHtmlDrawer::SetAddressOpener(std::function<bool(const std::wstring&)> opener) {
  AddressOpener() = std::move(opener);
}

bool CPPHtmlDrawer::OpenAddress(const std::wstring& address) {
  if (!IsAddress(address)) return false;
  if (AddressOpener()) return AddressOpener()(address);
  const auto result = reinterpret_cast<INT_PTR>(
      ::ShellExecuteW(nullptr, L"open", address.c_str(), nullptr, nullptr, SW_SHOW));
  if (result > 32) return true;
  return StartPageHandler(address);
}

bool CPPHtmlDrawer::HoverAt(POINT point) {
  const int hit = m_renderer.HitTestLinks(point.x, point.y);
  auto notify = [&](int index) {
    if (m_hotLinkWnd && m_hotLinkMessage)
      ::SendMessageW(m_hotLinkWnd, m_hotLinkMessage, static_cast<WPARAM>(index), m_hotLinkParam);
  };
  if (hit < 0) {
    if (m_renderer.hotLink != -2) {
      m_renderer.hotLink = -2;
      notify(-2);
    }
    return false;
  }
  // The owner repaints on the notification, which rebuilds the link areas: keep a copy.
  const html::LinkArea area = m_renderer.Links()[hit];
  if (area.index != m_renderer.hotLink) {
    m_renderer.hotLink = area.index;
    notify(area.index);
  }
  if (area.target.empty() || !m_handCursor) return false;
  ::SetCursor(m_handCursor);
  return true;
}

void CPPHtmlDrawer::ClickAt(POINT point) {
  const int hit = m_renderer.HitTestLinks(point.x, point.y);
  if (hit < 0) return;
  const html::LinkArea area = m_renderer.Links()[hit];
  if (area.target.empty()) return;
  if (area.kind == html::kAddressLink) {
    OpenAddress(area.target);
  } else if (area.kind == html::kMessageLink && m_messageLinkWnd && m_messageLinkMessage) {
    ::SendMessageW(m_messageLinkWnd, m_messageLinkMessage, reinterpret_cast<WPARAM>(area.target.c_str()),
                   m_messageLinkParam);
  }
}
