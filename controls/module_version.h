// The fixed file version of a module file, as read from its version resource.
#pragma once

#include "framework/afxwin.h"

class CModuleVersion {
 public:
  // Reads the version of the named file; both halves stay 0 when the file has
  // no version resource or cannot be read.
  explicit CModuleVersion(LPCTSTR filePath);
  virtual ~CModuleVersion() = default;

  // "major.minor.build.revision", each in decimal.
  CString Format() const;

  DWORD m_versionMS = 0;  // major << 16 | minor
  DWORD m_versionLS = 0;  // build << 16 | revision
};
