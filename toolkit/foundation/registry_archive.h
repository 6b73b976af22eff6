// The registry archive on the registry: a stream stored under a key as numbered 16-byte
// REG_BINARY values with its size and integrity text (layout: registry_archive_format.h),
// and the small registry routines it uses.
#pragma once

#include "framework/afxwin.h"
#include "toolkit/foundation/registry_archive_format.h"

// One registry key handle, closed with the object.
class CExtRegistry {
 public:
  CExtRegistry() = default;
  virtual ~CExtRegistry() { Close(); }
  CExtRegistry(const CExtRegistry&) = delete;
  CExtRegistry& operator=(const CExtRegistry&) = delete;

  bool Open(HKEY root, LPCWSTR path, REGSAM access = KEY_READ);
  bool Create(HKEY root, LPCWSTR path, REGSAM access = KEY_ALL_ACCESS);
  void Close();
  HKEY GetKey() const { return m_hKey; }

  // REG_SZ of the text and its terminator.
  bool WriteString(LPCWSTR name, LPCWSTR text);
  bool WriteDword(LPCWSTR name, DWORD value);
  // Accepts only a REG_DWORD.
  bool ReadDword(LPCWSTR name, DWORD* value);

 private:
  HKEY m_hKey = nullptr;
};

// Reads a REG_SZ, REG_EXPAND_SZ, REG_LINK or REG_MULTI_SZ value of at most capacity
// characters (terminator included) from the subkey (or the root key itself when null). The
// buffer always ends with a terminator on success.
bool RegistryReadString(HKEY root, LPCWSTR subkey, LPCWSTR name, LPWSTR buffer, DWORD capacity);
// Deletes every subkey of the key, recursively.
bool RegistryDeleteSubkeys(HKEY key);

// Writes the stream (from its start to its end) to the key at the path, replacing what was
// there. Failures raise the framework's user exception with throwOnFailure, else answer false
// (a key that cannot be created answers false in both cases).
bool RegistryWriteStream(CFile& stream, LPCWSTR path, HKEY root = HKEY_CURRENT_USER, bool throwOnFailure = false);
// Reads the stream back (appended at the stream's position, then rewound). Refuses a missing
// size, a missing, foreign or short line and a different integrity text.
bool RegistryReadStream(CFile& stream, LPCWSTR path, HKEY root = HKEY_CURRENT_USER, bool throwOnFailure = false);

// The command manager's key of a profile.
CString BuildCommandManagerKeyPath(LPCWSTR part1, LPCWSTR part2, LPCWSTR profile);
bool SaveStreamToProfileKey(LPCWSTR part1, LPCWSTR part2, LPCWSTR profile, CFile& stream,
                            HKEY root = HKEY_CURRENT_USER, bool throwOnFailure = false);
bool LoadStreamFromProfileKey(LPCWSTR part1, LPCWSTR part2, LPCWSTR profile, CFile& stream,
                              HKEY root = HKEY_CURRENT_USER, bool throwOnFailure = false);
