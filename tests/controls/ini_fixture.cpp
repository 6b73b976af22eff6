#include "ini_fixture.h"

#include "controls/predefined_ranges.h"
#include "gui_harness.h"

namespace ctltest {

RangesFolder::RangesFolder(const std::wstring& name) {
  wchar_t current[MAX_PATH] = {};
  ::GetCurrentDirectoryW(MAX_PATH, current);
  m_previous = current;
  m_path = gui::ExeFolder() + L"\\" + name;
  ::CreateDirectoryW(m_path.c_str(), nullptr);
  Remove();
  ::SetCurrentDirectoryW(m_path.c_str());
}

RangesFolder::~RangesFolder() {
  Remove();
  ::SetCurrentDirectoryW(m_previous.c_str());
  ::RemoveDirectoryW(m_path.c_str());
}

bool RangesFolder::Write(const std::wstring& text) const {
  const std::wstring file = m_path + L"\\" + kPredefinedRangesFile;
  HANDLE h = ::CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  const wchar_t bom = 0xFEFF;
  DWORD written = 0;
  bool ok = ::WriteFile(h, &bom, sizeof bom, &written, nullptr) &&
            ::WriteFile(h, text.data(), static_cast<DWORD>(text.size() * sizeof(wchar_t)), &written, nullptr);
  ::CloseHandle(h);
  return ok;
}

void RangesFolder::Remove() const { ::DeleteFileW((m_path + L"\\" + kPredefinedRangesFile).c_str()); }

}  // namespace ctltest
