#include "program_runner.h"

#include "gui_harness.h"

namespace apptest {

bool Program::Start(const std::wstring& folder, const std::wstring& appData, const std::wstring& args) {
  // The child inherits the variable that moves its settings.
  ::SetEnvironmentVariableW(L"OMAHAVANTORN_APPDATA", appData.c_str());
  const bool ok = gui::Process::Start(L"OmahaVantorn.exe", args, folder);
  ::SetEnvironmentVariableW(L"OMAHAVANTORN_APPDATA", nullptr);
  return ok;
}

bool CopyTables(const std::wstring& folder, bool classFile, bool handFile) {
  const std::wstring source = gui::ExeFolder();
  bool ok = true;
  if (classFile) ok &= ::CopyFileW((source + L"\\Omaha.bin").c_str(), (folder + L"\\Omaha.bin").c_str(), FALSE) != 0;
  if (handFile) ok &= ::CopyFileW((source + L"\\Combos.bin").c_str(), (folder + L"\\Combos.bin").c_str(), FALSE) != 0;
  return ok;
}

namespace {

struct FrameSearch {
  DWORD pid;
  const wchar_t* prefix;
  HWND found;
};

BOOL CALLBACK FindFrame(HWND hwnd, LPARAM data) {
  auto* search = reinterpret_cast<FrameSearch*>(data);
  DWORD pid = 0;
  ::GetWindowThreadProcessId(hwnd, &pid);
  if (pid != search->pid || !::IsWindowVisible(hwnd) || !::GetMenu(hwnd)) return TRUE;
  const std::wstring text = gui::WindowText(hwnd);
  if (text.rfind(search->prefix, 0) != 0) return TRUE;
  search->found = hwnd;
  return FALSE;
}

}  // namespace

HWND WaitForFrame(DWORD pid, DWORD timeoutMs, const wchar_t* captionPrefix) {
  const DWORD start = ::GetTickCount();
  for (;;) {
    FrameSearch search = {pid, captionPrefix, nullptr};
    ::EnumWindows(FindFrame, reinterpret_cast<LPARAM>(&search));
    if (search.found) return search.found;
    if (::GetTickCount() - start > timeoutMs) return nullptr;
    gui::Pump(50);
  }
}

bool WaitGone(HWND hwnd, DWORD timeoutMs) {
  const DWORD start = ::GetTickCount();
  while (::IsWindow(hwnd) && ::IsWindowVisible(hwnd)) {
    if (::GetTickCount() - start > timeoutMs) return false;
    gui::Pump(50);
  }
  return true;
}

MessageBoxTexts ReadMessageBox(HWND box) {
  MessageBoxTexts texts;
  texts.caption = gui::WindowText(box);
  HWND label = nullptr;
  for (HWND child = ::GetWindow(box, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    if (gui::ClassName(child) != L"Static") continue;
    const std::wstring text = gui::WindowText(child);
    if (text.size() > texts.message.size()) {
      texts.message = text;
      label = child;
    }
  }
  if (label && !::IsWindowVisible(label)) {
    const gui::Image image = gui::CaptureWindow(box);
    RECT frame;
    ::GetWindowRect(box, &frame);
    POINT client = {2, 2};
    ::ClientToScreen(box, &client);
    const int x = client.x - frame.left, y = client.y - frame.top;
    // 0xF5F5F5 as BGRA without alpha.
    texts.htmlBox = !image.Empty() && x < image.width && y < image.height && (image.At(x, y) & 0xFFFFFF) == 0xF5F5F5;
  }
  return texts;
}

std::wstring ReadIni(const std::wstring& file, const wchar_t* section, const wchar_t* key) {
  wchar_t value[1024] = L"";
  ::GetPrivateProfileStringW(section, key, L"", value, 1024, file.c_str());
  return value;
}

HWND WaitForMainDialog(HWND frame, DWORD timeoutMs) {
  constexpr int kFirstRange = 3040;
  const DWORD start = ::GetTickCount();
  for (;;) {
    HWND found = nullptr;
    ::EnumChildWindows(
        frame,
        [](HWND child, LPARAM data) -> BOOL {
          if (::GetDlgCtrlID(child) != kFirstRange) return TRUE;
          *reinterpret_cast<HWND*>(data) = ::GetParent(child);
          return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    if (found || ::GetTickCount() - start >= timeoutMs) return found;
    gui::Pump(100);
  }
}

}  // namespace apptest
