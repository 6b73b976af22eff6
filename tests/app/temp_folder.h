// A fresh folder under the system's temporary folder, removed with everything in it when the
// object goes out of scope.
#pragma once

#include <windows.h>

#include <string>

namespace apptest {

class TempFolder {
 public:
  explicit TempFolder(const wchar_t* prefix = L"ovapp");
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::wstring& Path() const { return path_; }
  std::wstring operator/(const std::wstring& name) const { return path_ + L"\\" + name; }

 private:
  std::wstring path_;
};

bool FileExists(const std::wstring& path);
bool FolderExists(const std::wstring& path);
// Whole file as bytes; empty when it cannot be read.
std::string ReadFileBytes(const std::wstring& path);
bool WriteFileBytes(const std::wstring& path, const std::string& bytes);
// Removes a folder and everything in it.
void RemoveTree(const std::wstring& path);

}  // namespace apptest
