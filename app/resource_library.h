// The optional resource library "OmahaVantorn*.dll" in the current folder, which replaces the
// program's own resources (strings, dialogs, bitmaps, menus, the style sheet).
//
// The library is loaded as a data file only, and only when it is a resource-only module: a
// library with code, an entry point, imports or thread callbacks is refused, so a file placed
// in the folder can never run code in the program.
#pragma once

#include "framework/afxwin.h"

struct ResourceLibrary {
  HMODULE module = nullptr;  // a data-file handle; null when none was loaded
  CString path;              // the file found (also when it was refused)
};

// Why a file is not a resource-only module, or empty when it is one.
CString CheckResourceOnlyModule(const CString& path);

// Searches folder for "OmahaVantorn*.dll", takes the first file found and loads it when it is
// a resource-only module. Writes its progress to the debugger output.
ResourceLibrary FindResourceLibrary(const CString& folder);

// Makes the library the framework's resource module and remembers its path for
// GetResourceModulePath (the system cannot name a module loaded as data).
void UseResourceLibrary(const ResourceLibrary& library);
// The path of the module loaded by UseResourceLibrary, when handle is that module; else empty.
CString ResourceLibraryPath(HINSTANCE handle);
// Frees the library used as resource module and makes the program its own resource module.
void ReleaseResourceLibrary();
