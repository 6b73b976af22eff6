// The two-language resource library of the foundation tests, loaded as a data file and made
// the framework's resource module while the object lives.
#pragma once

#include <windows.h>

class LangLibrary {
 public:
  LangLibrary();
  ~LangLibrary();
  LangLibrary(const LangLibrary&) = delete;
  LangLibrary& operator=(const LangLibrary&) = delete;
  HINSTANCE Module() const { return module_; }

 private:
  HINSTANCE module_ = nullptr;
  HINSTANCE saved_ = nullptr;
};
