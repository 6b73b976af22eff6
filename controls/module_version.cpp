#include "controls/module_version.h"

#include <vector>

CModuleVersion::CModuleVersion(LPCTSTR filePath) {
  if (filePath == nullptr) return;
  DWORD ignored = 0;
  const DWORD size = ::GetFileVersionInfoSizeW(filePath, &ignored);
  if (size == 0) return;
  std::vector<BYTE> buffer(size);
  if (!::GetFileVersionInfoW(filePath, 0, size, buffer.data())) return;
  VS_FIXEDFILEINFO* info = nullptr;
  UINT infoSize = 0;
  if (!::VerQueryValueW(buffer.data(), L"\\", reinterpret_cast<void**>(&info), &infoSize) || info == nullptr ||
      infoSize < sizeof(VS_FIXEDFILEINFO))
    return;
  m_versionMS = info->dwFileVersionMS;
  m_versionLS = info->dwFileVersionLS;
}

CString CModuleVersion::Format() const {
  CString text;
  text.Format(L"%0d.%0d.%0d.%0d", static_cast<int>(HIWORD(m_versionMS)), static_cast<int>(LOWORD(m_versionMS)),
              static_cast<int>(HIWORD(m_versionLS)), static_cast<int>(LOWORD(m_versionLS)));
  return text;
}
