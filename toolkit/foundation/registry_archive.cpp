#include "toolkit/foundation/registry_archive.h"

#include <vector>

bool CExtRegistry::Open(HKEY root, LPCWSTR path, REGSAM access) {
  Close();
  if (::RegOpenKeyExW(root, path, 0, access, &m_hKey) == ERROR_SUCCESS) return true;
  m_hKey = nullptr;
  return false;
}

bool CExtRegistry::Create(HKEY root, LPCWSTR path, REGSAM access) {
  Close();
  if (::RegCreateKeyExW(root, path, 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr, &m_hKey, nullptr) ==
      ERROR_SUCCESS)
    return true;
  m_hKey = nullptr;
  return false;
}

void CExtRegistry::Close() {
  if (m_hKey != nullptr) ::RegCloseKey(m_hKey);
  m_hKey = nullptr;
}

bool CExtRegistry::WriteString(LPCWSTR name, LPCWSTR text) {
  if (m_hKey == nullptr) return false;
  if (text == nullptr) text = L"";
  const DWORD bytes = static_cast<DWORD>((wcslen(text) + 1) * sizeof(wchar_t));
  return ::RegSetValueExW(m_hKey, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), bytes) == ERROR_SUCCESS;
}

bool CExtRegistry::WriteDword(LPCWSTR name, DWORD value) {
  if (m_hKey == nullptr) return false;
  return ::RegSetValueExW(m_hKey, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value) ==
         ERROR_SUCCESS;
}

bool CExtRegistry::ReadDword(LPCWSTR name, DWORD* value) {
  if (m_hKey == nullptr || value == nullptr) return false;
  DWORD type = 0, read = 0, size = sizeof read;
  if (::RegQueryValueExW(m_hKey, name, nullptr, &type, reinterpret_cast<BYTE*>(&read), &size) != ERROR_SUCCESS ||
      type != REG_DWORD || size != sizeof read)
    return false;
  *value = read;
  return true;
}

bool RegistryReadString(HKEY root, LPCWSTR subkey, LPCWSTR name, LPWSTR buffer, DWORD capacity) {
  if (buffer == nullptr || capacity == 0) return false;
  CExtRegistry opened;
  HKEY key = root;
  if (subkey != nullptr) {
    if (!opened.Open(root, subkey, KEY_READ)) return false;
    key = opened.GetKey();
  }
  DWORD type = 0, size = capacity * sizeof(wchar_t);
  if (::RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS)
    return false;
  if (type != REG_SZ && type != REG_EXPAND_SZ && type != REG_LINK && type != REG_MULTI_SZ) return false;
  // A stored text need not carry its terminator: end it within the buffer.
  const DWORD chars = size / sizeof(wchar_t);
  buffer[chars < capacity ? chars : capacity - 1] = L'\0';
  return true;
}

bool RegistryDeleteSubkeys(HKEY key) {
  DWORD count = 0, longest = 0;
  if (::RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &count, &longest, nullptr, nullptr, nullptr, nullptr,
                         nullptr, nullptr) != ERROR_SUCCESS)
    return false;
  if (count == 0) return true;
  std::vector<wchar_t> name(longest + 1);
  for (DWORD index = count; index-- > 0;) {
    DWORD length = longest + 1;
    if (::RegEnumKeyExW(key, index, name.data(), &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
      return false;
    {
      CExtRegistry child;
      if (!child.Open(key, name.data(), KEY_READ | KEY_CREATE_SUB_KEY | KEY_SET_VALUE)) return false;
      if (!RegistryDeleteSubkeys(child.GetKey())) return false;
    }
    if (::RegDeleteKeyW(key, name.data()) != ERROR_SUCCESS) return false;
  }
  return true;
}

namespace {

bool Fail(bool throwOnFailure) {
  if (throwOnFailure) AfxThrowUserException();
  return false;
}

class RegistrySink : public regarchive::ArchiveSink {
 public:
  explicit RegistrySink(HKEY key) : m_key(key) {}
  bool WriteValue(const wchar_t* subkey, const wchar_t* name, std::uint32_t type, const void* data,
                  std::size_t size) override {
    CExtRegistry block;
    HKEY target = m_key;
    if (subkey != nullptr) {
      if (!block.Create(m_key, subkey, KEY_ALL_ACCESS)) return false;
      target = block.GetKey();
    }
    return ::RegSetValueExW(target, name, 0, type, static_cast<const BYTE*>(data), static_cast<DWORD>(size)) ==
           ERROR_SUCCESS;
  }

 private:
  HKEY m_key;
};

class RegistrySource : public regarchive::ArchiveSource {
 public:
  explicit RegistrySource(HKEY key) : m_key(key) {}
  bool ReadValue(const wchar_t* subkey, const wchar_t* name, std::size_t maxBytes, std::uint32_t* type,
                 std::vector<std::uint8_t>* bytes) override {
    CExtRegistry block;
    HKEY source = m_key;
    if (subkey != nullptr) {
      if (!block.Open(m_key, subkey, KEY_READ)) return false;
      source = block.GetKey();
    }
    // Only as many bytes as the caller takes: a longer value is refused, not cut.
    bytes->assign(maxBytes > 0 ? maxBytes : 1, 0);
    DWORD kind = 0, size = static_cast<DWORD>(maxBytes);
    const LONG result = ::RegQueryValueExW(source, name, nullptr, &kind, bytes->data(), &size);
    if (result != ERROR_SUCCESS || size > maxBytes) return false;
    bytes->resize(size);
    *type = kind;
    return true;
  }

 private:
  HKEY m_key;
};

}  // namespace

bool RegistryWriteStream(CFile& stream, LPCWSTR path, HKEY root, bool throwOnFailure) {
  if (path == nullptr) return Fail(throwOnFailure);
  {
    // What an earlier save left (perhaps half-written) goes first.
    CExtRegistry old;
    if (old.Open(root, path, KEY_READ | KEY_CREATE_SUB_KEY | KEY_SET_VALUE)) {
      const bool emptied = RegistryDeleteSubkeys(old.GetKey());
      old.Close();
      if (emptied) ::RegDeleteKeyW(root, path);
    }
  }
  stream.SeekToBegin();
  const ULONGLONG length = stream.GetLength();
  std::vector<std::uint8_t> data(static_cast<std::size_t>(length));
  if (!data.empty() && stream.Read(data.data(), static_cast<UINT>(data.size())) != data.size())
    return Fail(throwOnFailure);
  CExtRegistry key;
  if (!key.Create(root, path, KEY_ALL_ACCESS)) return false;
  RegistrySink sink(key.GetKey());
  if (!regarchive::WriteArchive(sink, data.data(), data.size())) return Fail(throwOnFailure);
  return true;
}

bool RegistryReadStream(CFile& stream, LPCWSTR path, HKEY root, bool throwOnFailure) {
  if (path == nullptr) return Fail(throwOnFailure);
  CExtRegistry key;
  if (!key.Open(root, path, KEY_READ)) return Fail(throwOnFailure);
  RegistrySource source(key.GetKey());
  std::vector<std::uint8_t> data;
  if (regarchive::ReadArchive(source, &data) != regarchive::ReadResult::kOk) return Fail(throwOnFailure);
  if (!data.empty()) {
    stream.Write(data.data(), static_cast<UINT>(data.size()));
    stream.SeekToBegin();
  }
  return true;
}

CString BuildCommandManagerKeyPath(LPCWSTR part1, LPCWSTR part2, LPCWSTR profile) {
  return CString(regarchive::BuildRegistryKeyPath(part1, part2, profile, L"CommandManager").c_str());
}

bool SaveStreamToProfileKey(LPCWSTR part1, LPCWSTR part2, LPCWSTR profile, CFile& stream, HKEY root,
                            bool throwOnFailure) {
  const CString path = BuildCommandManagerKeyPath(part1, part2, profile);
  return RegistryWriteStream(stream, path, root, throwOnFailure);
}

bool LoadStreamFromProfileKey(LPCWSTR part1, LPCWSTR part2, LPCWSTR profile, CFile& stream, HKEY root,
                              bool throwOnFailure) {
  const CString path = BuildCommandManagerKeyPath(part1, part2, profile);
  return RegistryReadStream(stream, path, root, throwOnFailure);
}
