#include "lang_library.h"

#include <string>

#include "framework/afxwin.h"
#include "gui_harness.h"

LangLibrary::LangLibrary() {
  const std::wstring path = gui::ExeFolder() + L"\\foundation_lang_resources.dll";
  module_ = ::LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  saved_ = AfxGetResourceHandle();
  if (module_ != nullptr) AfxSetResourceHandle(module_);
}

LangLibrary::~LangLibrary() {
  AfxSetResourceHandle(saved_);
  if (module_ != nullptr) ::FreeLibrary(module_);
}
