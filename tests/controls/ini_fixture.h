// Predefined-ranges files for tests: written as UTF-16LE with a byte-order mark into a folder of
// their own, which becomes the current folder while the fixture lives.
#pragma once

#include <string>

#include "framework/afxwin.h"

namespace ctltest {

class RangesFolder {
 public:
  // A fresh folder under the test program's folder; it becomes the current folder.
  explicit RangesFolder(const std::wstring& name);
  ~RangesFolder();
  RangesFolder(const RangesFolder&) = delete;
  RangesFolder& operator=(const RangesFolder&) = delete;

  // Writes "PreflopPredefined.ini" with the text (lines separated by "\r\n").
  bool Write(const std::wstring& text) const;
  void Remove() const;
  const std::wstring& Path() const { return m_path; }

 private:
  std::wstring m_path;
  std::wstring m_previous;
};

}  // namespace ctltest
